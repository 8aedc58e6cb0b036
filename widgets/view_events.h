// widgets/view_events.h — how a scrollable view area answers the user, and the icon bar.
//
// A sheet loop that waits in Edit_Prop_Sheet hands every event of a view area's part of the
// sheet to Handle_View_Area_Event (area index). The handler first lets the pointer rest over
// the area (the hover wait: hover images, cursors and hover texts of bitmap buttons and click
// spots), then reacts to a left click on an item or to one of the short keys Esc, Enter, F1.
// It writes the user's choice into the caller's variables behind the item's pointers, calls the
// item's change function, repaints the area, and returns 1 when something changed. Number and
// text fields, choice lists and picture choices are edited in place one after the other while
// the user confirms each with the key that goes on (Enter in the host's short editors and the
// drop-downs); each following field is scrolled into view first.
//
// Units: screen pixels for pointer positions and drop-down placement; content pixels for
// item positions and scroll offsets (as in widgets/widgets.h). Times run on the host's
// monotonic clock (virtual in tests).
//
// Every operation that takes an area index does nothing (and leaves its out-arguments as they
// were) for an index outside 0..19, a free slot or a reserved slot not yet on a sheet.
//
// Module state (one thread, reset by Host_Reset): the clip rectangle saved while a bitmap
// button's image is drawn (shared by the handler and the hover wait); the colours of the two
// drop-down kinds; the icon bar's frame flag, hover box and sub-bar panel, and the main bar.
#pragma once

#include "widgets/widgets.h"

// ================================================================ event handler

// Handles one event of the area: 1 when the user changed something (a value written, a field
// edited, a text box left, a selected list row cleared), else 0.
int Handle_View_Area_Event(int area);

// Sets the record's scroll offset to a fraction (0..1, above 1 counts as 1) of the scroll
// range of an axis that has a slider; a negative fraction leaves that axis. Only the record
// changes: Update_View_Area_Scrolling hands the offset to the host.
void Set_View_Area_Scroll_Fraction(int area, double fx, double fy);
// The record's scroll offset as fractions of the scroll ranges; 0 for an axis without a slider
// or without range.
void Get_View_Area_Scroll_Fraction(int area, double *fx, double *fy);
// Reads the host's offset into the record and moves it by (*dx, *dy) content pixels, limited
// to the scroll range of each axis that has a slider; *dx, *dy come back as the moves made.
// The host is not told.
void Scroll_View_Area_by(int area, int *dx, int *dy);
// The host's current scroll offset (content pixels).
void Inquire_View_Area_Scroll(int area, int *sx, int *sy);
// Reads the host's scroll offset into the record.
void Read_Back_View_Area_Scroll(int area);
// Screen point of the area's top left corner (sheet corner plus sheet displacement).
void Get_View_Area_Screen_Origin(int area, int *x, int *y);
// Visible width and height (x2 − x1, y2 − y1, pixels).
void Get_View_Area_Visible_Size(int area, int *w, int *h);
// Content width and height (pixels).
void Get_View_Area_Content_Size(int area, int *w, int *h);
// Limits the hover wait to a rectangle of the content (content pixels).
void Set_View_Area_Hover_Rectangle(int area, int x1, int y1, int x2, int y2);
// Runs the area's hover wait and returns when it ends.
void Wait_on_View_Area(int area);
// Scrolls the area smoothly (10 steps of 30 ms) so that the content rectangle comes into
// view; nothing (no host call, no pause) when it is already in view.
void Scroll_View_Area_to_Rectangle(int area, int x1, int y1, int x2, int y2);

// The hover wait: returns on a left click, the pointer leaving the area (or its hover
// rectangle), the wheel, an abort, a key the area listens to, the right button when the area
// asks for it, or the caller's wait flag. It draws hover images and texts and takes them away
// again; it changes no value.
void Run_View_Area_Hover(int area);

// The editing loop of a text box (kind 19) that took the focus by a click; returns when the
// user clicks outside it. Provided by the text box; until it exists no text box item can be
// added, and the loop does nothing.
void Run_Text_Box_Focus_Loop(int area, VIEW_ITEM *item);

// ================================================================ drop-down lists

// Opens the drop-down of a choice list (kind 16) whose field lies at the screen point (x, y)
// (left end of its baseline). 1 when closed with Enter (the highlighted entry stored in
// *value_ptr), 0 otherwise: a click inside the list stores the entry under it, a click outside
// or another key keeps the value. A choice of no entries opens nothing (0). The screen under
// the list, the clip rectangle, the pointer and its restriction are given back.
int Run_Choice_Dropdown(int x, int y, VIEW_ITEM *item);
// The same for a picture choice (kind 17); area_top and area_bottom (screen y) bound the
// placement of the list.
int Run_Picture_Dropdown(int area_top, int area_bottom, int x, int y, VIEW_ITEM *item);
// Draws the open choice list (L, T)-(L + W, T + H): r rows of the entries from the given one,
// texts at x = X in the font, row `row` (from the first shown, −1 none) highlighted, the scroll
// bar with a thumb t long at offset o when t is non-zero.
void Draw_Choice_Dropdown(int L, int X, int W, int T, int H, int font, int row, int r, int t, int o,
                          const VIEW_CHOICE_ENTRY *entries);
// Draws the open picture list of the item with its pictures f to f + r − 1, picture s (an
// index into all pictures, −1 none) highlighted, and the scroll bar when t is non-zero.
void Draw_Picture_Dropdown(int L, int W, int T, int H, int s, int f, int r, int t, int o, const VIEW_ITEM *item);

// ================================================================ icon bar

struct ICON_BAR;

// One button of an icon bar; its four images (w × h) lie in the bar's strip bitmap.
struct ICON_BAR_BUTTON {
  int w, h;                    // size of the button and of each image (pixels)
  int normal_x, normal_y;      // top left corner of the normal image in the strip
  int hover_x, hover_y;        // of the hover image
  int inactive_x, inactive_y;  // of the inactive image
  int pressed_x, pressed_y;    // of the pressed image
  int dx, dy;                  // position relative to the bar's x1, y1 (dx may be negative)
  int state;                   // above 0 active; else drawn inactive and deaf to the mouse
  int code;                    // action code returned when clicked
  const char *hover_text;      // lines split at '\n'; null for none
  ICON_BAR *sub_bar;           // bar that pops up under the button, or null
};

// A row of buttons cut out of one strip bitmap, in screen pixels.
struct ICON_BAR {
  int count;                 // number of buttons
  int x1, y1;                // top left corner of the bar
  int x2, y2;                // bottom right corner (inclusive) as declared
  const char *strip;         // strip bitmap file, passed to the host unchanged
  ICON_BAR_BUTTON *buttons;  // count buttons
};

// The main window's bar: seven buttons of 42 × 37 from "Buttons.bmp" ("nationaler Anhang zum
// EC" 8, "Druckeinstellung" 1, "Vorschau" 2, "drucken" 3, "plotten" 4, "Hilfe" 6, "Ende" 7).
// Its declared rectangle (300, 3)-(525, 42) does not hold all its buttons; the pointer is
// tested against (290, 3)-(611, 45), the declared rectangle joined with the buttons, and an
// escape area laid over the bar must cover that.
ICON_BAR *Main_Icon_Bar();

// Image modes of Draw_Icon_Bar_Button.
enum : int { ICON_NORMAL = 1, ICON_HOVER = 2, ICON_INACTIVE = 3, ICON_PRESSED = 4 };

// Draws every button: normal image, or inactive when its state is not above 0.
void Draw_Icon_Bar(const ICON_BAR *bar);
// Draws one button at (bar_x1 + dx, bar_y1 + dy): inactive when its state is not above 0 or
// mode is 3, else pressed (4), hover (2) or normal. With the frame flag set the button's
// rectangle is first filled with the host's window background.
void Draw_Icon_Bar_Button(int bar_x1, int bar_y1, const ICON_BAR_BUTTON *button, const char *strip, int mode);
// Follows the pointer while it stays over the bar, with hover images, hover texts and
// sub-bars; returns the code of the clicked active button (after the release, wherever the
// pointer then is), the code a sub-bar returned, or 0. The host timer runs while it runs and
// is given back as it was.
int Run_Icon_Bar(ICON_BAR *bar);
// 1 (default): every button image is drawn on its filled rectangle; 0: drawn as is.
void Set_Icon_Bar_Frame_Flag(int flag);
