// widgets/widget_layer_internal.h — what the widget layer's files and tests share beyond
// widgets/widget_layer.h: module resets and read-only views of the module state.
#pragma once

#include "widgets/widget_layer.h"

// Module resets (each registered with Host_Register_Reset on first use).
void Reset_Widget_Layer_For_Tests();
void Reset_Input_Tables_For_Tests();
void Reset_Text_Box_For_Tests();
void Reset_Column_Menu_For_Tests();

// The widget area stack entry at index (from 0), null outside the stack.
const WIDGET_AREA_STACK_ENTRY *Widget_Area_Stack_Entry(int index);
// 1 while the stack is in use and the hover function registered.
int Widget_Hover_In_Use();
// Entries of the innermost level: table 0 range values, 1 int mirrors, 2 scaled values.
int Widget_Value_Entry_Count(int table);

// Input tables: the slot record (null for an invalid index or a free slot); the column
// menu's current table and column; the menu itself, opened for a clicked column; the
// five control icons (0 delete, 1 duplicate, 2 greyed duplicate, 3 append, 4 column).
INPUT_TABLE *Input_Table_Slot(int t);
void Set_Input_Table_Menu_Current(int t, INPUT_TABLE_COLUMN *column);
void Get_Input_Table_Menu_Current(int *t, INPUT_TABLE_COLUMN **column);
void Open_Input_Table_Column_Menu(int t, INPUT_TABLE_COLUMN *column);
const TREEVIEW_IMAGE *Input_Table_Icon(int icon);
// The fill dialog's centre (screen pixels); 0, 0 before its first opening.
void Get_Fill_Dialog_Centre(int *x, int *y);
