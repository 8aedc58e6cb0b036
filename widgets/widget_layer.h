// widgets/widget_layer.h — the widget layer over the scrollable view areas, the input
// tables with their column menu, and the text box item.
//
// Widget layer: a caller makes one view area the current widget area (Begin_Widget_Area),
// chooses a font and colours, then calls the small adders, each of which turns a text,
// label, field or picture into view items of that area and returns the pixel width it
// took, so that a row is laid out from left to right. Coordinates are content pixels of
// the current area, y the text's baseline unless said otherwise; colours are host colour
// indices; fonts are host font words with the style bits 0x10000 bold, 0x20000 light
// shadow, 0x40000 faint shadow.
//
// Module state of the widget layer (one struct, reset by Host_Reset): current area, font,
// colours, the last widget rectangle, the widget area stack of the open widget sheets,
// the hints and hover buttons of the page being built, the saved screen under a shown
// hint box or hover, the widget transform, level positions and colours, the polygon of
// the polygon widget, and the value tables of the sheet levels. The stack, the hint and
// hover tables and the value tables grow as needed (no fixed limit).
//
// Input tables: 55 slots (0..54) of lists of equal rows on a view area, each row a copy of
// a caller's record (rows must be trivially copyable; they are copied byte for byte). Rows,
// nodes and columns come from Tools_Alloc. Module state: the slots, the icon colours and
// the column menu's current table and column, the fill dialog's centre.
//
// Text box (item kind 19): a multi-line editor over the caller's zero-terminated buffer.
// Its TEXT_BOX_STATE (widgets/widgets.h) holds the caret, the selection and the line
// starts as byte offsets into the text. Module state: the focused box, the caret, selection
// and gauge colours.
#pragma once

#include <cstdarg>

#include "widgets/widgets.h"

// ================================================================ widget layer state

// Makes area the current widget area: hints and hover buttons emptied, font 4096, text
// colour black, background white; the area's sheet offset, escape handle and sheet
// displacement come from the last widget area stack entry of that area (none: offsets
// -1000, handle -1, no displacement).
void Begin_Widget_Area(int area);
int Get_Widget_Area();  // -1 when none is current
void Set_Widget_Font(int font);
int Get_Widget_Font();
void Set_Widget_Text_Color(int index);
int Get_Widget_Text_Color();
void Set_Widget_Background_Color(int index);
int Get_Widget_Background_Color();
void Set_Widget_Drawing_Mode(int value);
int Get_Widget_Drawing_Mode();

// Width a text adder takes for text in font: the markup-aware width in the font without
// its style bits, + 3, + 2 when the font has a style bit; an empty text 0 (2 with a style
// bit).
int Get_Widget_Text_Width(const char *text, int font);
// Pixel width of a text in the selected raster font as it looks with its print-list markup
// (byte 0xCE): plain pieces, the text of a colour code "C" behind its colour number and
// the text of a bold code "B" are measured; other codes add nothing.
int Get_Markup_Text_Width(const char *text);

// Last widget rectangle (content pixels) and its active flag: written by the adders that
// can carry a hint, read by Set_Widget_Hint.
void Set_Last_Widget_Rect(int x1, int y1, int x2, int y2, int active);
void Get_Last_Widget_Rect(int *x1, int *y1, int *x2, int *y2, int *active);

// ================================================================ widget area stack

// One entry per view area of an open widget sheet: its escape area, the view area, its
// rectangle on the sheet (sheet pixels) and the sheet's displacement (ints the running
// sheet keeps current). Field order fixed.
struct WIDGET_AREA_STACK_ENTRY {
  int escape;
  int area;
  int x1, y1, x2, y2;
  int *displacement_x;
  int *displacement_y;
};

// Pushes an entry; the first push registers Widget_Hover_Function as the host's
// call-always function and switches it on.
void Push_Widget_Area(int escape, int area, int x1, int y1, int x2, int y2, int *displacement_x,
                      int *displacement_y);
// Drops the last entry (nothing when empty); the last pop switches the hover off.
void Pop_Widget_Area();
int Get_Widget_Area_Depth();
// Switches the call-always function on (when on is non-zero and the stack is in use) or off.
void Set_Widget_Hover_Active(int on);

// ================================================================ hints and hover buttons

// A hover hint of a widget: up to 5 lines of at most 99 characters in a framed box
// shown above (below = 0) or below the spot, right of its centre or left of it (alignment
// 3). Spot in content pixels, in the order x1, x2, y1, y2.
struct WIDGET_HINT {
  int handle;  // escape area current when the hint was added
  int x1, x2, y1, y2;
  int line_count;
  char lines[5][100];
  int box_width, box_height;
  int below;
  int alignment;
};

// A button on a picture that shows a hover picture and text while the pointer is on it.
// Pictures are bitmap file names (not copied, may be null); the text is not copied.
struct HOVER_BUTTON {
  int handle;
  const char *normal_picture;
  const char *hover_picture;
  int x1, x2, y1, y2;  // content pixels
  int transparent;      // colour index
  const char *text;
  int font;             // bit 0x10000: the text drawn bold
  int text_x, text_y;   // content pixels
  int text_colour;
};

// Gives the last widget a hint (text split at line breaks and after 99 characters, at most
// 5 lines). Nothing unless the widget area stack is in use and the last widget is active.
void Set_Widget_Hint(const char *text, int below, int alignment);
int Get_Widget_Hint_Count();
const WIDGET_HINT *Get_Widget_Hint(int index);  // null outside 0..count − 1
// Appends a hover button of the page being built (the adders of the picture buttons).
void Add_Widget_Hover_Button(const HOVER_BUTTON *button);
int Get_Widget_Hover_Button_Count();

// The call-always function: shows and takes back the hint box and the hover pictures
// under the pointer. Also called once by a sheet before it builds.
void Widget_Hover_Function();

// ================================================================ value tables

// The value tables of the widget sheet levels. Level 0 serves while no sheet is open; a
// sheet opens a level with its pages' apply functions and input tables and closes it
// when it ends. Every registration looks only at the entries of the innermost level.
typedef int (*WIDGET_APPLY_FN)(int table);

// Opens a new innermost level; pages: page_count entries of apply (null = none) and their
// input table (may be null with page_count 0). Returns the new level's number (1 or more).
int Open_Widget_Sheet_Level(int page_count, const WIDGET_APPLY_FN *apply, const int *tables);
// Closes the innermost level (nothing at level 0): scaled doubles divided back, int
// mirrors rounded back into the ints unless keep_ints_untouched is non-zero; every entry
// of the level dropped.
void Close_Widget_Sheet_Level(int keep_ints_untouched);
int Get_Widget_Sheet_Level();

// Registers a double shown multiplied by factor: the first time in the level the double
// is multiplied in place; later registrations of the same address do nothing. Returns 1
// for a new entry, else 0.
int Register_Widget_Scaled_Value(double *value, double factor);
// Registers an int edited as a double mirror (the first time the mirror takes the int's
// value); the int is then set to the mirror rounded half away from zero. Returns the
// mirror, whose address stays valid until the level closes.
double *Register_Widget_Int_Mirror(int *value);
// Registers a double clamped to [minimum, maximum] by Clamp_Widget_Range_Value, once per
// level. Returns 1 for a new entry, else 0.
int Register_Widget_Range_Value(double *value, double minimum, double maximum);

// Takes the values of a level over (the innermost when level is out of range): scaled
// doubles divided back and dropped; int mirrors rounded back into the ints (half away
// from zero) and dropped while the drop switch is set; then each page's apply(table) in
// page order; returns the first non-zero answer, else 0.
int Finish_Widget_Sheet_Values(int level);
// The switch that drops the int mirrors in Finish_Widget_Sheet_Values (default 1).
void Set_Widget_Drop_Int_Mirrors(int on);
int Get_Widget_Drop_Int_Mirrors();
// Sets a registered int (any level, first entry) and its mirror; nothing when unregistered.
void Set_Widget_Sheet_Int(int *value, int new_value);
// The registered int's value, or -99999999 when it is not registered.
int Get_Widget_Sheet_Int(int *value);
// Change function of range fields: clamps *value to its entry of the innermost level.
void Clamp_Widget_Range_Value(double *value);

// ================================================================ transform, levels, polygon

void Set_Widget_Transform(double origin_x, double origin_y, double angle_radians, double scale);
double Get_Widget_Scale();
// x, y scaled, moved by minus the origin and turned by minus the angle.
void Transform_Widget_Point(double *x, double *y);
void Untransform_Widget_Point(double *x, double *y);
double Get_Widget_Distance(double x1, double y1, double x2, double y2);

void Reset_Widget_Level_Steps();  // base 10, step 20
void Set_Widget_Level_Base(double value);
void Set_Widget_Level_Step(double value);
int Get_Widget_Level_Position(int i);  // i × step + base rounded half away from zero
void Init_Widget_Level_Colors();
// Colour i (0, 1, 2; above 2 sets colour 2) of scheme A or B; returns i, or the colour index
// when i is above 2; a negative i changes nothing and is returned.
int Set_Widget_Level_Color_A(int i, int index);
int Set_Widget_Level_Color_B(int i, int index);
// Colour 2 from base + 2 step on, colour 1 from base + step on, else colour 0.
int Get_Widget_Level_Color_A(double position);
int Get_Widget_Level_Color_B(double position);

// The polygon of the polygon widget (screen pixels relative to its item's corner).
void Set_Widget_Polygon(int count, const int *x, const int *y);
// Draw function of the polygon widget's item: fills the polygon moved by (x1, y1) in the
// widget background colour, then draws the line (x1, y1)-(x2, y2). argument unused.
void Draw_Widget_Polygon(int x1, int y1, int x2, int y2, void *argument);

// ================================================================ label, text and value adders
// Each returns the width in pixels it took (0 and nothing added when no area is current,
// except for the Put_ forms and those marked "no area check", which pass the area on).
// An active pointer names the caller's int: non-zero active (null counts as active);
// inactive texts are grey (198, 195, 198).

int Put_Widget_Text(int x, int y, const char *text, int *active);
int Add_Widget_Text(int x, int y, const char *text, int *active);
// Formatted into at most 255 characters, always active.
int Add_Widget_Text_Format(int x, int y, const char *format, ...) __attribute__((format(printf, 3, 4)));
// The text and, while active, a click spot over it writing value to *target.
int Put_Widget_Text_Spot(int x, int y, const char *text, int value, int *target, int *active);
int Add_Widget_Text_Spot(int x, int y, const char *text, int value, int *target, int *active);
// Light-shadow look: measured width + 5 (2 for an empty text).
int Add_Widget_Bold_Text(int x, int y, const char *text, int *active);
int Add_Widget_Bold_Text_Format(int x, int y, const char *format, ...) __attribute__((format(printf, 3, 4)));
int Add_Widget_Small_Text(int x, int y, const char *text, int *active);
int Add_Widget_Small_Bold_Text(int x, int y, const char *text, int *active);
// valign 0: y + 9, 4: y + 5, else y; halign 1: right end at x, 4: centred on x, else from x.
int Add_Widget_Label(int x, int y, const char *text, int valign, int halign, int *active);
// Centred on half the visible width of the current area.
int Add_Widget_Centered_Text(int y, const char *text, int *active);
int Add_Widget_Centered_Label(int y, const char *text, int *active);
// A main text with a lowered index text behind it; combined width.
int Put_Widget_Text_with_Index(int x, int y, const char *text, const char *index, int *active);
int Add_Widget_Text_with_Index(int x, int y, const char *text, const char *index, int *active);
int Add_Widget_Bold_Text_with_Index(int x, int y, const char *text, const char *index, int *active);
int Add_Widget_Label_with_Index(int x, int y, const char *text, const char *index, int valign, int halign,
                                int *active);  // no area check
int Add_Widget_Bold_Label_with_Index(int x, int y, const char *text, const char *index, int valign, int halign,
                                     int *active);
// Main text, index and a raised exponent.
int Add_Widget_Symbol_Label(int x, int y, const char *text, const char *index, const char *exponent,
                            int *active);
// A text field over the caller's buffer; *state -1 read-only, 1 editable, other greyed.
int Add_Widget_Text_Field(int x, int y, char *buffer, int unused, int *state);
// Pads or cuts the buffer (n + 1 bytes) to exactly n characters, then a text field.
int Add_Widget_Padded_Text_Field(int x, int y, char *buffer, int n, int *state);
// Padded to capacity (buffer of capacity + 1 bytes), showing shown characters; returns
// shown × 8 + 19.
int Add_Widget_Sized_Text_Field(int x, int y, char *buffer, int capacity, int shown, int *state);
// Radio button with a text (null: none); 13 without text, else text width + 20.
int Add_Widget_Radio_Button(int x, int y, const char *text, int value, int *target, int *active);
// Density field (kg/m³, "%8.1f") clamped to 500 .. 2200 after each edit; returns 79.
int Add_Widget_Rohdichte_Field(int x, int y, double *value, int *active);
// A picture (width × height, placed by valign 2 / 4 and halign 1 / 4) and, when active, a
// click spot over it.
void Add_Widget_Image_Spot(int area, double x, double y, double height, double width, int valign, int halign,
                           const char *active_picture, const char *inactive_picture, int transparent, int value,
                           int *target, int active);
// Radio button and check box shown as 12 × 12 pictures (chosen/set and active first, then
// not chosen active, chosen inactive, not chosen inactive). Return the active int.
int Add_Widget_Image_Radio(int area, double x, double y, int value, int *target, const char *picture1,
                           const char *picture2, const char *picture3, const char *picture4, int *active);
int Add_Widget_Image_Check(int area, double x, double y, int *value, const char *picture1, const char *picture2,
                           const char *picture3, const char *picture4, int *active);
// Width of a choice over count texts stride bytes apart: 8 × (widest / 8 to the nearest,
// ties to even) + 33; 33 for count below 1.
int Get_Widget_Choice_Width(const char *texts, int stride, int count, int font);

// ================================================================ text box (kind 19)
// The caller's buffer holds limit + 1 bytes and lives as long as the item; the text is
// expected to end with a line break, which the box appends when it is missing and the
// limit leaves room. Lines are 14 pixels apart from the box's top + 16, written from its
// left + 7 and wrapped at its width − 20. Font 0 selects fixed cells of 8 pixels.

// Adds a text box over the content rectangle; nothing for an invalid area, a null text or
// a limit below 1. colour: text, background: box; frame non-zero: a dotted frame.
void Add_Text_Box_to_View_Area(int area, int x1, int y1, int x2, int y2, char *text, int limit, int colour,
                               int background, int frame, int *active);
// Font of the area's last item when it is a text box.
void Set_Text_Box_Font(int area, int font);
// Redraws the box into its screen rectangle and rebuilds its line table.
void Draw_Text_Box(VIEW_ITEM *item, int x1, int y1, int x2, int y2);
// Fill gauge and line-position bar of the focused box.
void Draw_Text_Box_Gauges(TEXT_BOX_STATE *state);
// The box being edited (null when none).
TEXT_BOX_STATE *Current_Text_Box();

// Editing operations on a box's state (screen pixels).
int Text_Box_Text_Width(const char *text, int count);  // fixed cells while the current box has font 0
void Hide_Text_Box_Caret(TEXT_BOX_STATE *state);
void Draw_Text_Box_Caret(TEXT_BOX_STATE *state);
void Scroll_Text_Box_to_Caret(TEXT_BOX_STATE *state);
// Deletes the selection; returns the new length.
int Delete_Text_Box_Selection(TEXT_BOX_STATE *state);
// Deletes the selection, then inserts key (13 as a line break) at the caret unless the text
// is full.
void Insert_Text_Box_Char(int key, TEXT_BOX_STATE *state);
// Action of the box's menu entry "Sonderzeichen": inserts the character the user picks.
void Insert_Special_Character();
void Place_Text_Box_Caret_at_Mouse(TEXT_BOX_STATE *state);
void Move_Text_Box_Caret(int dx, int dy, TEXT_BOX_STATE *state);
void Clear_Text_Box_Selection(TEXT_BOX_STATE *state);
// Puts the characters [start, end) on the clipboard; nothing when they are equal.
void Copy_Text_Range_to_Clipboard(const char *start, const char *end);
// Host text extent of count characters into extent[0], extent[1] (fixed cells while the
// current box has font 0); a and b are not used.
void Query_Text_Box_Text_Extent(const char *text, int count, int *a, int *b, int *extent, int extra);
int Get_Text_Width_of_Chars(const char *text, int count);

// ================================================================ input tables

struct INPUT_TABLE_ROW;     // a row node: the row record (row_size bytes) and its links
struct INPUT_TABLE_COLUMN;  // a column button (below)

// Row callback: called once per row during the layout with (1, area, x1, y of the row, the
// row record); it adds the row's items, which point into the table's own record.
typedef void (*INPUT_TABLE_ROW_FN)(int flag, int area, int x1, int y, void *record);

// One table slot. The three "clicked" words are click-spot targets: the 1-based position of
// the row whose delete or duplicate control was clicked, the 1-based number of the clicked
// column (0 none). Field order fixed.
struct INPUT_TABLE {
  int in_use;
  int area;
  int row_count;
  int row_size;       // bytes of every row record
  int y0;             // content y of the first row
  int x1, x2;         // content x of the rows' left and right edges
  int row_pitch;      // pixels from row to row
  int append_clicked;
  int max_rows;       // 0 = no limit
  int delete_on, delete_dx, delete_dy;
  int duplicate_on, duplicate_dx, duplicate_dy;
  int append_on, append_dx, append_dy;
  int number_on, number_dx, number_dy;
  int delete_clicked;
  int duplicate_clicked;
  INPUT_TABLE_ROW_FN row_callback;
  INPUT_TABLE_COLUMN *first_column, *last_column;
  int clicked_column;
  INPUT_TABLE_ROW *edit_row;
  INPUT_TABLE_ROW *first_row, *last_row;
  INPUT_TABLE_ROW *walk_row;
};

struct INPUT_TABLE_ROW {
  void *record;
  INPUT_TABLE_ROW *previous;
  INPUT_TABLE_ROW *next;
};

// A column: the double at offset in every row record, with a button at (button_x, button_y)
// (content pixels) that opens the column menu. Field order fixed.
struct INPUT_TABLE_COLUMN {
  char format[36];  // printf format of the values; "%14.8f" when none was given
  int button_x, button_y;
  int value;        // the caller's, kept and not read
  int offset;       // byte offset of the double in a row record
  int sortable;     // "Spalte sortieren" offered
  int fillable;     // "Spalte belegen" offered
  INPUT_TABLE_COLUMN *next;
};

constexpr int INPUT_TABLE_COUNT = 55;

// Every operation takes the slot index first and does nothing (0 or null) for an index
// outside 0..54 or a free slot.

// Takes the first free slot (area, first row's content y, left and right x, row pitch, row
// record size in bytes, row callback); -1 when all 55 are taken.
int Create_Input_Table(int area, int y0, int x1, int x2, int row_pitch, int row_size, INPUT_TABLE_ROW_FN callback);
// Switches a control on at (dx, dy) from the row's (x1, y): kind 1 delete, 2 duplicate,
// 3 append (from below the last row), 4 row number; other kinds are ignored.
void Set_Input_Table_Button_Position(int t, int kind, int dx, int dy);
// The template of appended rows (row_size bytes copied).
void Set_Input_Table_Edit_Row(int t, const void *record);
void Append_Input_Table_Row(int t, const void *record);
void Set_Input_Table_Max_Rows(int t, int n);
// Adds the table's rows, controls and column buttons to its area.
void Layout_Input_Table(int t);
// Handles an event of the table's area: 0 not the table's, 1 redraw, 2 rows added or
// removed (the caller rebuilds the area).
int Handle_Input_Table_Event(int t);
// Walks the rows with the table's cursor: the row record, null at the end.
void *First_Input_Table_Row(int t);
void *Next_Input_Table_Row(int t);
int Get_Input_Table_Row_Count(int t);
// 1-based position of the row whose record is record (compared by address), or 0.
int Find_Input_Table_Row(int t, const void *record);
// New origin; x2 and the column buttons move by the same offsets.
void Move_Input_Table(int t, int y0, int x1);
void Delete_Input_Table_Rows(int t);
// Frees rows, edit row and columns and marks the slot free.
void Delete_Input_Table(int t);
void Delete_Input_Tables_of_Area(int area);
// The slot record (read-only), null for an invalid index or a free slot.
const INPUT_TABLE *Get_Input_Table(int t);

// Appends a column; flags bit 1 sortable, bit 2 fillable; format copied (at most 35
// characters; null: "%14.8f"). Null for an invalid or free table or an offset whose double
// does not lie inside the row record.
INPUT_TABLE_COLUMN *Add_Input_Table_Column(int t, int button_x, int button_y, int value, int flags,
                                           const char *format, int offset);
// Column menu actions on the current table and column (set while the column menu is
// open); nothing without them. The sort is stable; a NaN sorts last either way.
void Sort_Input_Table_Column_Ascending();
void Sort_Input_Table_Column_Descending();
// The dialog "Tabellenspalte belegen": fills the column in all rows or a range of rows with
// a start value and an increment.
void Fill_Input_Table_Column();
