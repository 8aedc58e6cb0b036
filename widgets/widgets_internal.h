// widgets/widgets_internal.h — what the widget layer's own files and its tests share
// beyond the public header: the module resets, read-only walks and the point
// conversion of a view area.
#pragma once

#include "widgets/widgets.h"

// Module resets (registered with Host_Register_Reset on first use of each part, so
// Host_Reset runs them). The area reset frees the items of every slot.
void Reset_View_Areas_For_Tests();
void Reset_View_Drawing_For_Tests();

// The slot record itself, free or not; null for an index outside 0..19.
SCROLLABLE_VIEW_AREA *View_Area_Slot_for_Tests(int area);

// Read-only walk of an area's items: the first item (follow next), null when the area is
// empty, invalid or free.
const VIEW_ITEM *View_Area_Test_Items(int area);
// Number of items of an area (0 for an invalid or free one).
int View_Area_Item_Count(int area);

// Screen point of a content point of an area: area origin plus sheet displacement less the
// host's current scroll offset. Returns 1, or 0 (outputs untouched) for an invalid or free
// area.
int View_Area_Content_to_Screen(int area, int x, int y, int *screen_x, int *screen_y);

// Finds the hover-text colours (white fill, black frame) when the fill is still 0; the
// hover wait calls it before the first hover text, Draw_Hover_Text as well.
void Ensure_View_Hover_Colours();

// Frees every item of an area record with what each owns; the list becomes empty and the
// content size 0.
void View_Items_Release(SCROLLABLE_VIEW_AREA *area_record);
