// widgets/widget_sheets.h — widget fields, grade choice lists, figures and factor columns,
// the import and hover buttons, the program hints page and the widget sheets.
//
// All adders work on the current widget area (Begin_Widget_Area, widgets/widget_layer.h),
// take content pixels with y the text baseline, add nothing without a current area and
// return the pixel width they took. Field states are the caller's ints: -1 read-only
// (shaded text on a light grey box), 1 editable, any other value greyed. Fields that show
// a value scaled, or an int as a number, go through the value tables of the innermost
// sheet level (Register_Widget_Scaled_Value, Register_Widget_Int_Mirror).
//
// Module state (one struct per file, reset by Host_Reset): the always-0 and always-1 flags
// handed to fields, the points of the filled polygon, the import buttons' flags, the
// hints page's reactivate flag, and the stack of open widget sheets with the remembered
// sheet centre, request flags and pointer-jump switch.
#pragma once

#include "widgets/widget_layer.h"

// ================================================================ grade choice lists

// Entry flags of a CHOICE_LIST.
enum : int {
  CHOICE_OLD_CONCRETE = 1,
  CHOICE_LIGHTWEIGHT = 2,
  CHOICE_FREE_CONCRETE = 4,
  CHOICE_OLD_STEEL = 16,
  CHOICE_FREE_STEEL = 32,
  CHOICE_SEPARATOR = 0x1000,
};

// A list of grade names (built by the grade tables' builders, freed by Free_Choice_List).
struct CHOICE_LIST {
  int extended;    // the builder's size argument
  int option;      // concrete lists: 1 with the option word (alpha row shown)
  int count;
  int name_width;  // bytes per name
  char *names;     // count × name_width bytes
  int *colours;    // colour index of each entry's text
  int *flags;      // CHOICE_ flags of each entry
  int *values;     // grade value; -1 for separators
};

// Allocates an empty list with room for capacity entries (values -1, flags 0).
CHOICE_LIST *Alloc_Choice_List(int capacity, int name_width);
// Writes entry i (name cut to the name width, always terminated).
void Set_Choice_List_Entry(CHOICE_LIST *list, int i, const char *name, int colour, int flags, int value);
// Index of the first entry with that value whose flags share a bit with mask (mask 0: any);
// 0 when there is none or the list is null or empty.
int Find_Choice_List_Index(const CHOICE_LIST *list, int value, int mask);
// Value of entry index (a separator: the nearest entry above it that is not one, stopping
// at entry 0); with flags given, *flags gets the entry's flags and they are returned.
// Index outside the list: value -1, flags 0.
int Get_Choice_List_Value(const CHOICE_LIST *list, int index, int *value, int *flags);
// Frees the arrays and the record and sets *list to null; null is ignored.
void Free_Choice_List(CHOICE_LIST **list);

// ================================================================ fields and primitives

// Widget coordinates through the widget transform, rounded half away from zero.
void Add_Widget_Line(double x1, double y1, double x2, double y2);  // drawing mode 1 only
void Add_Widget_Frame(double x1, double y1, double x2, double y2);
void Add_Widget_Box(double x1, double y1, double x2, double y2);  // widget background colour

int Add_Widget_Underlined_Text(int x, int y, const char *text, int *active);
int Add_Widget_Boxed_Text(int x, int y, const char *text, int *active);
int Add_Widget_Boxed_Bold_Text(int x, int y, const char *text, int *active);
int Add_Widget_Check_Box(int x, int y, const char *text, int *value, int *state);

// A choice over count texts stride bytes apart (colours may be null). The entry array is
// owned by the item. Returns characters × 8 + 33, or 0 for count below 1 or stride below 2.
int Add_Widget_Choice_List(int x, int y, const char *first_text, const int *colours, int stride, int count,
                           int *selected, int *state);
// A CHOICE_LIST: a selection on a separator moves up to the entry above and is written back.
int Add_Widget_Grade_Choice(int x, int y, const CHOICE_LIST *list, int *selected, int *state);

// Number fields: "%<width>.<decimals>f"; a factor other than 1 shows the value multiplied.
int Add_Widget_Float_Field(int x, int y, double *value, double factor, int width, int decimals, int *state);
int Add_Widget_Plain_Float_Field(int x, int y, double *value, int width, int decimals, int *state);
int Add_Widget_Colored_Float_Field(int x, int y, double *value, int width, int decimals, int colour, int *state);
int Add_Widget_Labelled_Float_Field(int x, int y, const char *label, double *value, int width, int decimals,
                                    const char *unit, int *state);
int Add_Widget_Symbol_Float_Field(int x, int y, const char *symbol, const char *index, double *value,
                                  double factor, int width, int decimals, const char *unit, int *state);
// With a name, a shown value beyond a bound (at the shown decimals) puts a hint on the
// message line; the shown value is always clamped to [minimum, maximum].
int Add_Widget_Bounded_Float_Field(int x, int y, double *value, double factor, int width, int decimals,
                                   double minimum, double maximum, const char *name, int *state);
int Add_Widget_Int_Field(int x, int y, int *value, int width, int *state);
int Add_Widget_Bounded_Int_Field(int x, int y, int *value, int width, int minimum, int maximum, int *state);

// ================================================================ figures and factor columns

void Add_Widget_Circle(double x, double y, double r);
void Add_Widget_Arc(double x, double y, double r, double start, double end);  // radians
void Add_Widget_Polygon(int n, const double *x, const double *y);
void Add_Widget_Disc(double x, double y, double r);
void Add_Widget_Filled_Polygon(int n, const double *x, const double *y);
void Add_Widget_Dimension_Line(int kind, double x1, double y1, double x2, double y2, double length);

struct FAKTOR_COLUMN {
  char description[101];
  char name[51];
  char index[11];
  char unit[21];
  int x;      // relative to the table's x
  int value;  // kept, not read here
  int width;
  int gap;
};
struct FAKTOR_COLUMNS {
  int word0;
  int left;
  int options[5];
  int count;
  FAKTOR_COLUMN *columns;
  int rule_end;
};
void Init_Faktor_Columns(FAKTOR_COLUMNS *table, int n, FAKTOR_COLUMN **columns);
void Reset_Faktor_Columns(FAKTOR_COLUMNS *table, int n);
void Free_Faktor_Columns(FAKTOR_COLUMNS *table);
int Get_Faktor_Columns_Width(const FAKTOR_COLUMNS *table);
// Appends a column behind the present ones; null when the table has no room left.
// capacity is the number of column records the table holds (the n given to
// Init_Faktor_Columns or Reset_Faktor_Columns): the record keeps no size of its own, and a
// column past it would be written behind the caller's array.
FAKTOR_COLUMN *Add_Faktor_Column(FAKTOR_COLUMNS *table, int capacity, const char *description, const char *name,
                                 const char *index, const char *unit, int value, int width, int gap);
void Add_Faktor_Column_Heads(int x, int y, int n, const FAKTOR_COLUMN *columns);
void Add_Faktor_Table_Heads(int x, int y, const FAKTOR_COLUMNS *table);
void Add_Faktor_Legend(int x, int y, int n, const FAKTOR_COLUMN *columns);

// ================================================================ buttons

// Import buttons on the strip "SniGrImportButton.bmp"; a click writes code to *value.
int Add_Lastkollektive_Delete_Button(int x, int y, const char *hover_text, int code, int *value, int *active);
int Add_Bauteil_Import_Button(int x, int y, const char *label, int code, int *value, int *active);
int Add_Ascii_Import_Button(int x, int y, const char *label, int code, int *value, int *active);
void Add_Explorer_Button(int x, int y, int code, int *value, int *active);
// Buttons whose look changes under the pointer; nothing unless a widget sheet has pushed
// its area on the widget area stack.
void Add_Widget_Hover_Image_Spot(int area, double x, double y, double height, double width, int valign,
                                 int halign, const char *active_picture, const char *inactive_picture,
                                 const char *active_hover, const char *inactive_hover, int transparent, int value,
                                 int *target, int active);
void Add_Widget_Framed_Text_Button(int area, double x, double y, double width, int valign, int halign,
                                   int text_colour, int frame_colour, int unused, const char *text, int value,
                                   int *target, int active);
void Add_Widget_Text_Button(int area, double x, double y, double width, int valign, int halign, const char *text,
                            int value, int *target, int active);

// ================================================================ program hints page

// Builds the page in area centred in width pixels over four hint switches (1 shown).
void Add_Programmhinweise_Page(int area, int *switches, int width);

// ================================================================ widget sheets

// A page of a widget sheet (caller's array; Init_Widget_Sheet_Pages sets the defaults).
struct WIDGET_SHEET_PAGE {
  int state;            // 1 selectable, 0 shown greyed, -2 hidden [1]
  char tab_line1[50];   // upper line of a two-line tab title [""]
  char tab_title[50];   // tab title [""]
  int tab_color;        // host colour number of a selectable tab's text [-9]
  int tab_color_off;    // of a tab in state 0 [-6]
  int area_dx, area_dy, area_width, area_height;  // page area inside the register [-1]
  int hslider, vslider;  // sliders wanted [0]
  // Scroll position as fractions 0..1: taken at closing, restored (once) when either is
  // above 0 at a build [-1].
  double scroll_x, scroll_y;
  int row_size;         // bytes of a row of the page's input table [0]
  int table_width;      // 0 or less: area width − 10 − slider [-1]
  int table_x, table_y;  // [30, 10]
  INPUT_TABLE_ROW_FN row_callback;
  void (*init)(int table);
  void (*build)(int area, int table);  // none: the page gets no area
  int (*apply)(int table);             // non-zero refuses the values
};

// A widget sheet (caller's record; Init_Widget_Sheet_Description sets the defaults).
struct WIDGET_SHEET_DESCRIPTION {
  int kind;              // 1..8, other: "abbrechen", "Hilfe", "bestätigen" [0]
  int sheet_number;      // [40]
  char title[100];
  int max_height, max_width;  // [150, 200]
  int margin_top, margin_bottom, margin_left, margin_right;  // [8]
  int register_height;   // 0 or less: 30 [0]
  int tab_width;         // 0 or less: shared out [0]
  char register_bitmap[100];
  char help_topic[52];   // empty: no help button
  void (*status_line)(char *text);  // text of 200 bytes
  void (*after_define)(int x1, int y1, int x2, int y2);
  int (*code_handler)(int code);
  int (*confirm_check)();
  int (*cancel_check)();
  int (*page_change)(int previous, int page);
  void (*each_pass)(int page);
  void (*finish)();
  int page;              // start page; on return the current page [-1]
  int forced_code;       // 0 or more: taken instead of the first wait [-1]
};

void Init_Widget_Sheet_Description(WIDGET_SHEET_DESCRIPTION *description);
void Init_Widget_Sheet_Pages(int count, WIDGET_SHEET_PAGE *pages);
// 1 confirmed, 0 cancelled (0 at once for a page count below 1). A wait the host gives up
// (Edit_Prop_Sheet answers 0 with getkeymask() set) is read as cancel, so that an aborted
// run cannot spin in the loop.
int Run_Widget_Register_Sheet(WIDGET_SHEET_DESCRIPTION *description, int page_count, WIDGET_SHEET_PAGE *pages);
// The sheet of one page without a register.
int Run_Widget_Sheet(WIDGET_SHEET_DESCRIPTION *description, WIDGET_SHEET_PAGE *page);

// A sheet of fixed layout, number 140, with the buttons "abbrechen" (code 1), "Hilfe" (when
// a topic is given) and "bestätigen" (code 2); the pointer goes to "abbrechen". Page area
// width × height (pixels, cut to the screen); a register with one tab per page when there
// are several (margin 10, tab row 30), else none (margin 7). Every visible page gets an area
// on the widget area stack and an input table; a page without build stays empty. The
// status line, when given, fills a 200-byte text drawn in the button row before each wait.
// A current page that is not selectable (state 0) gives the selection to the nearest page
// that is (the one before it first), or keeps it when there is none. Closing converts the
// value level back (scaled doubles divided, int mirrors rounded into the ints) and drops
// all its entries. The sheet keeps its own remembered centre. An aborted wait is read as
// cancel. 1 confirmed, 0 cancelled (0 at once for a page count below 1).
int Run_Simple_Widget_Register_Sheet(int height, int width, const char *title, int page_count,
                                     WIDGET_SHEET_PAGE *pages, void (*status_line)(char *text),
                                     const char *help_topic);

// Accessors of the innermost open sheet (nothing, -1 or null without one).
WIDGET_SHEET_PAGE *Set_Widget_Sheet_Page_State(int page, int state);
int Get_Widget_Sheet_Page_State(int page);
// Makes page current and selects its tab; when page_change refuses, the previous page and
// its tab are current again.
void Select_Widget_Sheet_Page(int page);
int Get_Widget_Sheet_Page();
void Set_Widget_Sheet_Page_Table_Layout(int page, int flag);
void Get_Widget_Sheet_Position(int *x, int *y);
void Request_Widget_Sheet_Cancel();
void Request_Widget_Sheet_Confirm();
void Request_Widget_Sheet_Rebuild();
void Set_Widget_Sheet_Pointer_Jump(int flag);
void Enable_Widget_Sheet_Pointer_Jump();
void Disable_Widget_Sheet_Pointer_Jump();
// Takes the values of every open level over, innermost first (ints kept registered), and
// asks each page's apply; the first non-zero answer, else 0.
int Apply_All_Widget_Sheet_Values();
int Get_Widget_Sheet_Depth();
