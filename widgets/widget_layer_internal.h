// widgets/widget_layer_internal.h — what the widget layer's files and tests share beyond
// widgets/widget_layer.h: module resets and read-only views of the module state.
#pragma once

#include "widgets/widget_layer.h"

// Module resets (each registered with Host_Register_Reset on first use).
void Reset_Widget_Layer_For_Tests();
void Reset_Input_Tables_For_Tests();
void Reset_Text_Box_For_Tests();

// The widget area stack entry at index (from 0), null outside the stack.
const WIDGET_AREA_STACK_ENTRY *Widget_Area_Stack_Entry(int index);
// 1 while the stack is in use and the hover function registered.
int Widget_Hover_In_Use();
// Entries of the innermost level: table 0 range values, 1 int mirrors, 2 scaled values.
int Widget_Value_Entry_Count(int table);
