// widgets/view_events_internal.h — what the event handler, the hover wait, the drop-downs,
// the icon bar and their tests share beyond widgets/view_events.h.
#pragma once

#include "widgets/view_events.h"

// Module resets (registered with Host_Register_Reset on first use, so Host_Reset runs them).
void Reset_View_Events_For_Tests();
void Reset_Dropdowns_For_Tests();
void Reset_Icon_Bar_For_Tests();

// The record of an area placed on a sheet; null for an index outside 0..19, a free slot or a
// reserved slot.
SCROLLABLE_VIEW_AREA *View_Event_Area(int area);

// Where an area lies during one event: its screen rectangle (sheet rectangle plus the sheet
// displacement) and the host's scroll offset; an item point (x, y) lies on the screen at
// (ax1 + x − sx, ay1 + y − sy).
struct VIEW_EVENT_FRAME {
  int ax1, ay1, ax2, ay2;
  int sx, sy;
  int X(int x) const { return ax1 + x - sx; }
  int Y(int y) const { return ay1 + y - sy; }
};
void View_Event_Frame(const SCROLLABLE_VIEW_AREA *a, VIEW_EVENT_FRAME *f);

// Draws image 0..3 (inactive, normal, hover, pressed) of a bitmap button (kind 18) at its
// place in the frame, clipped to the area's screen rectangle (taken with a fresh sheet
// displacement); the clip rectangle in force is kept in the module's saved clip rectangle and
// put back afterwards.
void Draw_View_Button_Image(const SCROLLABLE_VIEW_AREA *a, const VIEW_EVENT_FRAME &f, const VIEW_ITEM *item,
                            int image);

// Non-zero when the caller's active flag is missing or non-zero.
inline bool View_Item_Active(const VIEW_ITEM *item) { return !item->active_ptr || *item->active_ptr != 0; }

// The clip rectangle saved by the handler and the hover wait (x1, y1, x2, y2).
const int *View_Event_Saved_Clip();

// The icon bar's hover box: whether a box is shown, and its rectangle (screen pixels).
int Icon_Bar_Hover_Box(int rect[4]);

// The open drop-down as last drawn (for tests): list rectangle, rows shown, first row shown,
// highlighted entry, thumb length (0 without a scroll bar) and offset, pixels per entry;
// open is 1 while a list is open.
struct DROPDOWN_TEST_VIEW {
  int L, T, R, B;
  int r, f, s, t, o;
  double q;
  int open;
};
const DROPDOWN_TEST_VIEW *Dropdown_Last_State();

// The icon bar's hover text box at the pointer (the box Run_Icon_Bar shows on a resting
// pointer) and its removal; the screen under it is given back pixel for pixel.
void Icon_Bar_Show_Hover_Text(const char *text);
void Icon_Bar_Remove_Hover_Text();
