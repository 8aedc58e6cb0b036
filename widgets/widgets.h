// widgets/widgets.h — the program's widget layer on the host's property sheets.
//
// Scrollable view areas: a table of 20 areas (indices 0 to 19), each a rectangle on a
// host property sheet whose content, a list of typed view items, is larger than the
// rectangle and is scrolled by the host's sliders. A page is rebuilt, never edited:
// Clear_View_Area_Items (keeps the scroll offset), the Add_..._to_View_Area operations in
// content pixels, then Update_View_Area_Scrolling, which hands the content size and the
// kept offset to the host. The host paints an area through View_Area_Draw_Callback, which
// draws with Draw_View_Area.
//
// Units: every coordinate is in pixels. Item coordinates are content pixels (from the
// top left corner of the area's content, independent of scrolling and of the sheet); area
// rectangles are sheet pixels (screen less the sheet displacement) unless said otherwise;
// drawing takes screen pixels. Colours are host colour indices; fonts are host font
// words (0x1000 normal, 0x1002 small, 0x11000 bold, 0x11001 bold large) that may carry
// the style bits 0x10000 bold, 0x20000 light shadow, 0x40000 faint shadow.
//
// Every operation that takes an area index does nothing (and returns nothing useful) for
// an index outside 0..19 or a free slot; none reports an error.
//
// Module state (process-wide, one thread, reset by Host_Reset through the resets each
// part registers): the area table with the default background and the four short-key
// switches read once per run; the drawing colours and the hover-text box of the drawer.
// The items of an area are owned by it and freed with Free_View_Area_Items.
#pragma once

#include <cstdint>

struct TREEVIEW_IMAGE;  // the host's small palette images (host screen layer)
struct VIEW_ITEM;
struct TEXT_BOX_STATE;

// ================================================================ view areas

constexpr int VIEW_AREA_COUNT = 20;
constexpr int VIEW_AREA_FREE = -1;        // handle of a free slot
constexpr int VIEW_AREA_RESERVED = 9999;  // handle of a reserved, not yet placed slot
constexpr int VIEW_AREA_SLIDER_WIDTH = 17;  // strip a slider takes from the rectangle

// One scrollable view area. Field order fixed.
struct SCROLLABLE_VIEW_AREA {
  int x1, y1, x2, y2;           // visible rectangle in sheet pixels; x2 (y2) less 17 with
                                // a vertical (horizontal) slider
  int background;               // colour index; default nearest to RGB 255, 251, 240
  int frame;                    // 1 (default): the host's sunken frame around the area
  int content_width;            // extent of the items in content pixels; grown by every
  int content_height;           // add operation, 0 when the items are freed
  int scroll_x, scroll_y;       // last known scroll offset in content pixels
  int handle;                   // host handle (0 or more), -1 free, 9999 reserved
  int vslider;                  // host handle of the vertical slider, 0 = none
  int hslider;                  // host handle of the horizontal slider, 0 = none
  int active;                   // 1 drawn; any other value not drawn
  int key_events;               // non-zero: the hover wait also ends on a key
  int right_button_events;      // non-zero: the hover wait also ends on the right button
  int *wait_flag;               // caller's int ending the hover wait, or null
  int hover_rect_on;            // non-zero: the hover wait is limited to the rectangle below
  int hover_x1, hover_y1, hover_x2, hover_y2;  // that rectangle in content pixels
  int break_value;              // written to *break_target on Esc ("UseSheetBreakShortKey")
  int *break_target;
  int ok_value;                 // the same for Enter ("UseSheetOkShortKey")
  int *ok_target;
  int help_value;               // the same for F1 ("UseSheetHelpShortKey")
  int *help_target;
  VIEW_ITEM *first_item;        // item list in creation order, null when empty
  VIEW_ITEM *last_item;
};

// The four short-key switches, read once per run (on the first creation) from the user
// settings of the same names; 0 unless a setting holds a number.
struct VIEW_AREA_SHORT_KEYS {
  int UseSheetBreakShortKey;
  int UseSheetOkShortKey;
  int UseSheetHelpShortKey;
  int UseSheetJumpShortKey;
};
const VIEW_AREA_SHORT_KEYS *View_Area_Short_Keys();
// Non-zero when any of the four short-key switches is on.
int View_Area_Any_Short_Key();

// The record of a placed or reserved area; null for an index outside 0..19 or a free slot.
SCROLLABLE_VIEW_AREA *Get_Scrollable_View_Area(int area);

// Creates an area on the sheet being defined: rectangle in sheet pixels, the two slider
// flags non-zero when wanted. Returns the lowest free index, or -1 (with a console
// message) when all 20 are in use.
int Create_Scrollable_View_Area(int x1, int y1, int x2, int y2, int horizontal_slider, int vertical_slider);
// Takes the lowest free slot without placing it on a sheet (handle 9999, inactive, every
// other field at its creation default); index or -1 as Create_Scrollable_View_Area. A
// reserved slot takes options and items but makes no host call until it is placed.
int Reserve_Scrollable_View_Area();
// Places a reserved slot on the sheet being defined and makes it active; the options and
// items given since the reservation stay. Nothing unless the slot is reserved.
void Place_Reserved_View_Area(int area, int x1, int y1, int x2, int y2, int horizontal_slider,
                              int vertical_slider);

void Set_View_Area_Background(int area, int colour_index);
// The background colour index, or -1 for an invalid index or a free slot.
int Get_View_Area_Background(int area);
// 1 draws the host's sunken frame around the area, 0 none; passed on to the host.
void Set_View_Area_Frame(int area, int flag);
void Set_View_Area_Key_Events(int area, int value);
void Set_View_Area_Right_Button_Events(int area, int value);
// The address of a caller's int that ends the area's hover wait when non-zero (or null).
void Set_View_Area_Wait_Timeout(int area, int *flag);
// (value, target) written when Esc, Enter or F1 is pressed over the area while the
// matching short-key switch is on; a null target disables the key.
void Set_View_Area_Break_Key_Target(int area, int value, int *target);
void Set_View_Area_Ok_Key_Target(int area, int value, int *target);
void Set_View_Area_Help_Key_Target(int area, int value, int *target);

// After a batch of items was added: hands the content size and the kept scroll offset to
// the host, takes back the host's clamped offset, greys a slider whose axis fits, and
// makes the host repaint the area.
void Update_View_Area_Scrolling(int area);
// Keeps the host's scroll offset (when the area is active) and frees all items.
void Clear_View_Area_Items(int area);
// As Clear_View_Area_Items, then frees the slot. No host call besides the offset read.
void Remove_Scrollable_View_Area(int area);
// Frees the items of every placed area and every slot.
void Remove_All_View_Areas();
// Moves the area to a new rectangle given in SCREEN pixels.
void Reshape_View_Area(int area, int x1, int y1, int x2, int y2);
// Stores the activity (1 active, 0 inactive) and tells the host, when it changed.
void Set_View_Area_Activity(int area, int state);

// Draw callback handed to the host with each area's record: (value of the host's own,
// scroll offset x, y, visible rectangle in screen pixels, the record). Draws nothing for
// a freed slot or an area whose active is not 1.
void View_Area_Draw_Callback(int host_value, int scroll_x, int scroll_y, int x1, int y1, int x2, int y2,
                             void *record);

// ================================================================ view items

// Item kinds.
enum : int {
  VIEW_TEXT = 1,
  VIEW_LINE = 2,
  VIEW_BITMAP_FILE = 3,
  VIEW_DRAW_CALLBACK = 4,
  VIEW_MASK = 5,
  VIEW_ROTATED_TEXT = 6,
  VIEW_CHECK_BOX = 7,
  VIEW_RADIO_BUTTON = 8,
  VIEW_LIST_ROW = 9,
  VIEW_NUMBER_FIELD = 10,
  VIEW_BOX = 11,
  VIEW_CLICK_SPOT = 12,
  VIEW_MARK = 13,
  VIEW_TREE_IMAGE = 14,
  VIEW_TEXT_FIELD = 15,
  VIEW_CHOICE_LIST = 16,
  VIEW_PICTURE_CHOICE = 17,
  VIEW_BITMAP_BUTTON = 18,
  VIEW_TEXT_BOX = 19,
};

// Font style bits of text items and the style codes stored in x2 of text kinds.
constexpr int VIEW_FONT_BOLD = 0x10000;
constexpr int VIEW_FONT_LIGHT_SHADOW = 0x20000;
constexpr int VIEW_FONT_FAINT_SHADOW = 0x40000;
enum : int { VIEW_STYLE_PLAIN = 0, VIEW_STYLE_BOLD = 1, VIEW_STYLE_LIGHT_SHADOW = 2, VIEW_STYLE_FAINT_SHADOW = 3 };

// Rotation codes of rotated texts (y2 of kind 6).
enum : int { VIEW_ROTATE_90 = 256, VIEW_ROTATE_180 = 512, VIEW_ROTATE_270 = 1024 };

// A monochrome mask of kind 5 (caller-owned): the rows of bits_per_row bytes, leftmost
// pixel in the highest bit.
struct VIEW_MASK_RECORD {
  int width;
  int height;
  int bytes_per_row;
  const unsigned char *bits;
};

// An entry of a choice list (kind 16; caller-owned array).
struct VIEW_CHOICE_ENTRY {
  int colour;  // colour index of the entry's text
  const char *text;
};

// Kind 4: called with the item's on-screen rectangle and the caller's argument.
typedef void (*VIEW_DRAW_FN)(int x1, int y1, int x2, int y2, void *argument);
// Change functions, called by the event handler after the user changed a value: kinds 7,
// 8, 16, 17 with the new int value, kind 10 with the address of the caller's double.
typedef void (*VIEW_CHANGE_INT_FN)(int value);
typedef void (*VIEW_CHANGE_DOUBLE_FN)(double *value);
union VIEW_CHANGE_FN {
  VIEW_CHANGE_INT_FN on_int;        // kinds 7, 8, 16, 17
  VIEW_CHANGE_DOUBLE_FN on_double;  // kind 10
};

// One item of an area. Field order fixed; the meaning of a field depends on the kind.
// Items are allocated cleared: a field the kind does not use is 0 or null.
struct VIEW_ITEM {
  int kind;        // 1 to 19
  int colour;      // colour index (kind 12: of the hover text); kind 3 transparent colour;
                   // kind 16 width in characters; kind 18 mouse-cursor id (0 none)
  int font;        // font word without style bits (kinds 10, 15 also without 0x1000;
                   // kind 12 the hover text's font); kind 18 the button's code
  int option;      // 3 pinned flag; 8 the button's value; 10 length of the format on 0.0;
                   // 12 mouse-cursor id; 13 mark id; 15 capacity; 16 field width (px);
                   // 17 the eighth add argument; 18 image row offset; 19 frame flag
  int x1, y1;      // content pixels; text kinds: left end of the baseline
  int x2;          // second corner (2, 3, 4, 5, 11, 12, 14, 18, 19); text kinds 1, 6, 7, 8,
                   // 9, 10, 15, 16 the style 0..3; kind 17 picture width
  int y2;          // second corner; kind 6 rotation code; kind 15 characters shown;
                   // kind 17 picture height
  int aux;         // 9 highlight colour; 12 hover-text style (1 bold, +16); 16, 17 entry
                   // count; 18 transparent colour index; 19 box background
  int *value_ptr;  // 7 state 0/1; 8 selected value; 16, 17 selected index; 18 receives the code
  int *active_ptr; // non-zero = active (kinds 7, 8, 10, 15, 16, 17, 18, 19)
  double *double_ptr;  // kind 10
  char *text;      // owned copy (1, 6, 7, 8, 9), bitmap file (3, 17, 18), printf format (10),
                   // hover text (12); kinds 15, 19 the caller's own buffer
  char *text2;     // owned: 10, 15 text shown while inactive; 18 hover text
  VIEW_DRAW_FN draw_fn;       // kind 4
  VIEW_CHANGE_FN change_fn;   // kinds 7, 8, 10, 16, 17
  void *image_on;  // 7, 8 image when set (TREEVIEW_IMAGE, null = built-in mark); 16 the
                   // entry array when the item owns it;
                   // 4 the caller's argument; 5 the VIEW_MASK_RECORD
  void *image_off; // 7, 8 image when not set; 9, 12 the value a click writes (an int, see
                   // View_Item_Click_Value); 14 the TREEVIEW_IMAGE; 19 the TEXT_BOX_STATE
  void *target_ptr;  // 9, 12 the caller's int a click sets; 16 the VIEW_CHOICE_ENTRY array
  VIEW_ITEM *next; // next item, null at the end
};

// The value a click on a list row or click spot writes.
inline int View_Item_Click_Value(const VIEW_ITEM *item) {
  return static_cast<int>(reinterpret_cast<std::intptr_t>(item->image_off));
}

// Editor state of a text box (kind 19), owned by its item (image_off) and freed with it
// together with its line table. Field order fixed.
struct TEXT_BOX_STATE {
  int line_capacity;   // entries lines can hold
  int line_count;      // display lines plus one entry at the terminating zero
  int caret_x, caret_y;  // screen position of the caret as drawn; caret_x 0 = none
  int box_x1, box_y1, box_x2, box_y2;  // screen rectangle, set at the focus
  int font;            // raster font of the box (0 = fixed cells of 8 pixels)
  int background;      // colour index of the box
  int colour;          // colour index of the text
  int limit;           // most characters the text may hold
  int length;          // current length of the text
  int visible_lines;   // (box height − 22) / 14
  int first_line;      // first display line shown
  int *lines;          // offsets of the display lines' starts (line_capacity entries, owned)
  int caret;           // offset of the caret in the text (before that character)
  char *text;          // the caller's buffer
  int sel_start;       // selection [sel_start, sel_end) as offsets; equal = none
  int sel_end;
  VIEW_ITEM *item;     // the item, set at the focus
};

// Add operations: area index first; nothing for an invalid index or a free slot. Each
// appends one item at the tail of the area's list and grows the content size to cover it
// (never shrinks it). Texts are copied unless said otherwise.

// Kind 1: text with its baseline's left end at (x, y), or right-aligned at x when align
// is 1. The style bits of font become the item's style.
void Add_Text_to_View_Area(int area, int x, int y, const char *text, int font, int colour, int align);
// Kind 2: a line between two points.
void Add_Line_to_View_Area(int area, int x1, int y1, int x2, int y2, int colour);
// Kind 3: a bitmap file drawn into the rectangle without its transparent colour.
void Add_Bitmap_File_to_View_Area(int area, const char *file, int x1, int y1, int x2, int y2,
                                  int transparent_colour);
// Kind 4: a rectangle drawn by the caller's function.
void Add_Draw_Callback_to_View_Area(int area, int x1, int y1, int x2, int y2, void *argument,
                                    VIEW_DRAW_FN function);
// Kind 5: a caller's mask (kept by address) in a colour, top left at (x, y).
void Add_Mask_to_View_Area(int area, int x, int y, const VIEW_MASK_RECORD *mask, int colour);
// Kind 6: a text turned by 90, 180 or 270 degrees (other angles: not turned).
void Add_Rotated_Text_to_View_Area(int area, int x, int y, const char *text, int font, int colour, int angle);
// Kind 7: a check box left of (x, y) with an optional text; *value_ptr 0 or 1.
void Add_Check_Box_to_View_Area(int area, int x, int y, const char *text, int font, int colour, int *value_ptr,
                                int *active_ptr);
// Kind 8: a radio button standing for value; *value_ptr holds the selected value.
void Add_Radio_Button_to_View_Area(int area, int x, int y, const char *text, int font, int colour, int value,
                                   int *value_ptr, int *active_ptr);
// Kind 9: a list row; a click writes row_value to *target_ptr; highlighted while equal.
void Add_List_Row_to_View_Area(int area, int x, int y, const char *text, int font, int colour, int align,
                               int highlight_colour, int row_value, int *target_ptr);
// Kind 10: a number field showing *double_ptr with a printf format.
void Add_Float_Field_to_View_Area(int area, int x, int y, double *double_ptr, const char *format, int font,
                                  int colour, int *active_ptr);
// Kind 11: a filled box.
void Add_Box_to_View_Area(int area, int x1, int y1, int x2, int y2, int colour);
// Kind 12: an invisible click spot; a click writes value to *target_ptr.
void Add_Click_Spot_to_View_Area(int area, int x1, int y1, int x2, int y2, int value, int *target_ptr);
// Kind 13: a mark for Delete_View_Items_from_Mark; never drawn.
void Add_Mark_to_View_Area(int area, int id);
// Kind 14: a host tree-view image centred in the rectangle.
void Add_Tree_Image_to_View_Area(int area, const TREEVIEW_IMAGE *image, int x1, int y1, int x2, int y2,
                                 int colour);
// Kind 15: a text field editing the caller's buffer in place (not copied); its current
// length is the capacity.
void Add_Text_Field_to_View_Area(int area, int x, int y, char *buffer, int font, int colour, int *active_ptr);
// Kind 16: a choice list of count entries, width_chars wide; *index_ptr is set to 0 when
// outside 0..count − 1.
void Add_Choice_List_to_View_Area(int area, int x, int y, const VIEW_CHOICE_ENTRY *entries, int font,
                                  int width_chars, int count, int *index_ptr, int *active_ptr);
// Kind 17: a picture choice from a strip file of count pictures width × height, one
// below the other; *index_ptr is set to 0 when outside 0..count − 1.
void Add_Picture_Choice_to_View_Area(int area, int x, int y, const char *file, int width, int height, int count,
                                     int option, int *index_ptr, int *active_ptr);
// Kind 18: a bitmap button width × height from a strip of four images side by side
// (inactive, normal, hover, pressed) at row image_offset; a click writes code to
// *value_ptr. hover_text may be null and may hold line breaks.
void Add_Bitmap_Button_to_View_Area(int area, int x, int y, int width, int height, const char *file,
                                    int image_offset, int transparent_colour, int cursor, const char *hover_text,
                                    int code, int *value_ptr, int *active_ptr);

// An action button: a kind-18 button of 16 × 16 from "act_but.bmp" (inactive, normal,
// hover, pressed side by side, transparent colour 192, 192, 192) with its top left at
// (x, y − 12), whose click writes 1 into *flag, and the label (may be null: none) in black
// with its baseline at (x + 20, y) in the font word style (0 means 0x1000).
void Add_Action_Button_to_Area(int area, int x, int y, int *flag, const char *label, int style);

// Setters that complete the last item of an area; nothing when the area is invalid, has
// no item, or its last item is not of the kinds named.
void Pin_Last_View_Bitmap(int area);  // kind 3: fixed in the visible rectangle
void Set_View_Check_Images(int area, const TREEVIEW_IMAGE *image_on, const TREEVIEW_IMAGE *image_off);  // 7, 8
void Set_Click_Spot_Option(int area, int cursor);  // kind 12: mouse-cursor id
// Kind 12: hover text (copied; replaces an earlier one), its font and colour; flag 1 adds
// 16 to the style.
void Set_Click_Spot_Tooltip(int area, const char *text, int font, int colour, int flag);
// Kind 16: the entry array (from Tools_Alloc) belongs to the item from now on and is freed
// with it.
void Own_Last_View_Choice_Entries(int area);
void Set_View_Text_Field_Width(int area, int chars);  // kind 15: characters shown
void Set_View_Field_Inactive_Text(int area, const char *text);  // kinds 10, 15 (copied)
// Change function of the last item: the int form for kinds 7, 8, 16, 17, the double
// form for kind 10.
void Set_View_Item_Change_Callback(int area, VIEW_CHANGE_INT_FN function);
void Set_View_Item_Change_Callback(int area, VIEW_CHANGE_DOUBLE_FN function);

// Frees every item of the area with what it owns; content size 0.
void Free_View_Area_Items(int area);
// Frees the first mark with this id and every item after it; nothing when there is none.
// The content size stays.
void Delete_View_Items_from_Mark(int area, int id);
// Appends a new, cleared item to the area record and returns it.
VIEW_ITEM *Append_View_Item(SCROLLABLE_VIEW_AREA *area_record);

// ================================================================ drawing

// Paints the visible part of an area: (vx1, vy1)-(vx2, vy2) the visible rectangle in
// screen pixels, (scroll_x, scroll_y) the content point shown at (vx1, vy1). Reads the
// caller's variables behind the items at every call.
void Draw_View_Area(int scroll_x, int scroll_y, int vx1, int vy1, int vx2, int vy2,
                    SCROLLABLE_VIEW_AREA *area_record);

// The hover-text box, shared by the drawer and the hover wait: Draw_Hover_Text saves the
// screen under the box and sets box and shown; the hover wait restores the box and clears
// shown. The hover wait sets the two colours (white and black) before the first text.
struct VIEW_HOVER_STATE {
  int fill_colour;
  int frame_colour;
  int box_x1, box_y1, box_x2, box_y2;  // screen pixels under the shown text
  int shown;
};
VIEW_HOVER_STATE *View_Hover_State();

// Draws a hover text (lines split at '\n') in a framed box below and right of the
// pointer, kept inside the screen, and keeps the screen below it.
void Draw_Hover_Text(const char *text);

// Redraws a text box (kind 19) into its screen rectangle; the text box operations are
// declared in widgets/widget_layer.h.
void Draw_Text_Box(VIEW_ITEM *item, int x1, int y1, int x2, int y2);

// ================================================================ sheet text, start-up

// A framed, filled rectangle with a text on the sheet (screen pixels). text may be null;
// mode goes to the host's boxed text; frame is a host frame style (0 or below none);
// font below 0 keeps the current font; -10000 as text_colour draws no text, as
// background fills nothing. Returns the host's flush result.
int Draw_Sheet_Text_Frame(int x1, int y1, int x2, int y2, const char *text, int mode, int frame, int font,
                          int text_colour, int background);
constexpr int SHEET_TEXT_NONE = -10000;

// Start-up: hands the host the program's stdio table and switches the wheel events on.
void Init_Host_IO_and_Mouse_Wheel();

// The rest of the folder's contract, in two further headers that this one brings in:
// view-area events, the hover wait, drop-down lists and the icon bar (view_events.h);
// the widget layer's state and value tables, label and value widgets, input tables, the
// column menu and the text box (widget_layer.h). Callers include this header only.
#include "widgets/view_events.h"
#include "widgets/widget_layer.h"
