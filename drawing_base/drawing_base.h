// drawing_base/drawing_base.h — colours and small primitives of the section drawings.
//
// What the section plots (drawing/), the screen pictures and the widget pages share:
//   - PLOT_PALETTE: 30 RGB colours of the drawings written into the print list's graphic
//     blocks, one index variable per colour role and four fill codes. Init_Plot_Palette
//     is called by every writer of a section drawing before it draws.
//   - the widget flag ring: 1000 persistent int cells handed to input widgets as their
//     active flags, so that a widget keeps pointing at its flag after the page builder
//     has returned.
//   - plot primitives in world units of the open graphic block (print/print.h), colours
//     as palette indices, line types and fill codes as the print list's numbers;
//   - Round_Pixel, Snap_Unit and the ring polygon (used by the plot and the screen).
//
// Module state (one struct, Reset_Drawing_Base_For_Tests, registered with Host_Reset on
// its first change): the palette with its role variables and fill codes, and the ring.
// Not re-entrant; the member flow runs in one thread.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------- plot palette
inline constexpr int PLOT_PALETTE_SIZE = 30;

struct PLOT_PALETTE {
  int32_t entries[PLOT_PALETTE_SIZE][3];  // r, g, b 0..255; a negative component: unset
  // Role variables: each holds an entry index.
  int32_t pal_black, pal_white, pal_grey, pal_red_light, pal_red, pal_blue_light, pal_blue, pal_blue_dark,
      pal_green_light, pal_green_dark, pal_green, pal_yellow_light, pal_yellow, pal_brown, pal_olive,
      pal_grey_light, pal_slate, pal_grey_pale, pal_violet, pal_crimson;
  int32_t pal_outline;         // outlines of every plotted shape (0)
  int32_t polygon_fill_color;  // holes and number boxes of polygon sections (1)
  int32_t polygon_fill_code;   // their fill code (0)
  int32_t fill_code_section;   // section areas (34)
  int32_t fill_code_plot_a;    // fills of the member's section plot (43)
  int32_t fill_code_plot_b;    // (26)
  int32_t fill_code_mark;      // filled circular marks (59)
};

// The palette of the module (read by the drawings for their role variables).
PLOT_PALETTE *Get_Plot_Palette();
// Back to the defaults: fill codes 34, 43, 26, 59, polygon fill code 0, pal_outline 0,
// entries 0..19 with their role variables (black, white, grey 110, …, crimson),
// polygon_fill_color 1, entries 20..28 unset; entry 29 stays as it was ((0, 0, 0) from
// program start).
void Init_Plot_Palette();
// Sets polygon_fill_color and polygon_fill_code.
void Set_Polygon_Fill_Style(int index, int code);
// Zeroes r, g, b (each may be null); returns 1 for an index outside 0..29 or an unset
// entry, else stores the entry and returns 0.
int Get_Plot_Palette_Entry(int index, int *r, int *g, int *b);
// Hands a set entry to Oliplot_Fill_Color (which writes "50 r g b" in extended mode);
// an index outside 0..29 or an unset entry does nothing.
void Plot_Palette_Color(int index);

// ---------------------------------------------------------------- widget flag ring
inline constexpr int WIDGET_FLAG_RING_SIZE = 1000;

struct WIDGET_FLAG_RING {
  int32_t cells[WIDGET_FLAG_RING_SIZE];
  int32_t index;  // the cell taken last; −1 after a reset
};

// Index −1 and every cell 0; returns 0. Each register page calls it before it builds.
int Reset_Widget_Cell_Ring();
// Takes the next cell (after cell 999 cell 0 again), stores value (the widget's active
// state, 1 or 0) in it and returns its address for the widget.
int32_t *Take_Widget_Cell(int value);
// The ring of the module.
const WIDGET_FLAG_RING *Get_Widget_Cell_Ring();

// ---------------------------------------------------------------- numbers
// sign(x)·trunc(|x| + 5/9), the sign +1 for x ≥ 0: a fraction of 4/9 or more goes to the
// next whole number away from zero.
double Round_Pixel(double x);
// 0, 1 or −1 when x lies within 0.001 of it, else x (cosines and sines of quarter turns).
double Snap_Unit(double x);

// ---------------------------------------------------------------- ring polygon
// Most points of a ring polygon (64 segments).
inline constexpr int RING_MAX_SEGMENTS = 64;
inline constexpr int RING_MAX_POINTS = 2 * RING_MAX_SEGMENTS + 2;
// 1 when (r1, r2) make a ring: 0 < r2 < r1, or r1 < r2 < 0.
int Is_Ring(double r1, double r2);
// Fill polygon of a circle (n points) or ring (2n + 2 points) about (cx, cy): the outer
// points at 2πi/n; for a ring then the outer circle closed at angle 0, the inner point at
// angle 0, the inner circle backwards and the inner point at 0 again, so that the seam
// lies on the ray at angle 0. x and y need room for RING_MAX_POINTS. Returns the count,
// 0 for n below 1 or above 64.
int Build_Ring_Polygon(double cx, double cy, double r1, double r2, int n, double *x, double *y);

// ---------------------------------------------------------------- plot primitives
// World units of the open graphic block; nothing is written while no block is open.
//
// A segment in its own state bracket, in the palette colour and line type (" 4 %d");
// nothing when the palette index or the line type is negative.
void Plot_Colored_Line(double x1, double y1, double x2, double y2, int color, int line_type);
// A circle of radius r in one state bracket: filled in fill_color with fill_code when
// fill_color is not negative; the line type and line colour set when line_type is not
// negative; then always the 360° outline.
void Plot_Filled_Circle(double x, double y, double r, int fill_color, int fill_code, int line_type,
                        int line_color);
// A filled circle or ring of n segments (Build_Ring_Polygon) in one state bracket; its
// outline (line type 2) in outline_color when outline_flag and outline_color are both not
// negative: the outer circle and, for a ring, the inner one, never the seam. Nothing when
// fill_color is negative, n is above 64 or below 1, or both outline arguments are negative.
void Plot_Filled_Ring(double x, double y, double r1, double r2, int n, int fill_color, int fill_code,
                      int outline_flag, int outline_color);

// ================================================================ screen colours
// Host colour indices and font words with which the pages, dialogs and screen drawings
// paint. Filled once after the screen is set up (Init_Screen_Colors); nothing but
// Set_Screen_Host_Color changes it later.
struct SCREEN_COLORS {
  int32_t flag_on, flag_off;  // 1 and 0: the always-active flag and the inactive value
  int32_t font_bold_large, font_bold, font_normal, font_small;  // 0x11001, 0x11000, 0x1000, 0x1002
  int32_t black, white, grey_dim, host_color, grey_inactive, brown_hint, blue_value, brown_note, red, green,
      orange, rose_dark, lavender_light, lavender, sage_light, sage, mint_pale, mint_paler, apricot_pale,
      rose_light, rose_pale, red_light, yellow_pale, khaki_pale, grey_light, grey_mid, grey_pale, slate_pale,
      apricot, grey_unit;
};
// The colour set of the module (all zero before Init_Screen_Colors).
const SCREEN_COLORS *Get_Screen_Colors();
// Sets every field in table order: flags and font words, each colour as Nearest_RGB_Color
// of its RGB, host_color as GetYRMColor(−21).
void Init_Screen_Colors();
// Replaces host_color (the background of screen section pictures and of their holes).
void Set_Screen_Host_Color(int color);

// ================================================================ pixel rules
// The three ways a computed coordinate becomes a pixel, each used where its drawing says:
// truncation toward zero (the screen primitives), Round_Pixel (the section pictures where
// named) and halves away from zero (the world drawings of the screen transform).
int Trunc_Pixel(double v);
int Round_Pixel_Int(double v);  // (int) Round_Pixel(v)
int Round_Half_Away(double v);

// ================================================================ screen primitives
// Pixels (x right, y down), host colour indices; a negative colour or width leaves that
// part out. The filled shapes and Draw_Aligned_Text, Draw_Fillet give back the colour
// they found; Draw_Dimension_Line and Draw_Circle_Segment leave black set; the arrows
// draw in the current colour. Computed coordinates are truncated toward zero.

// pxFill of the n points in fill_color; the edges (the closing one last) with pxTkLn of
// the width when width and line_color are not negative. Nothing for n below 1.
void Draw_Filled_Polygon(int n, const int *x, const int *y, int fill_color, int width, int line_color);
// A regular n-gon on the circle, point i at angle 2πi/n; nothing for n outside 1..64.
void Draw_Filled_Circle(int cx, int cy, double r, int n, int fill_color, int width, int line_color);
// The ring polygon (Build_Ring_Polygon) in pixels; a plain n-gon when it is no ring; the
// outline of the outer and, for a ring, the inner circle, never the seam.
void Draw_Filled_Ring(int cx, int cy, double r1, double r2, int n, int fill_color, int width, int line_color);
// The rectangle's four corners filled; nothing for a negative colour.
void Draw_Filled_Rectangle(int x1, int y1, int x2, int y2, int color);
// Text at (x, y) in font 0x1002 (size 1), 0x1001 (size 2) or 0x1000; align 1 ends it at
// x (5, 8 or 6.5 pixels a character).
void Draw_Aligned_Text(int x, int y, const char *text, int align, int color, int size);
// Axis of length L from the root (x, y) at angle a (radians, counter-clockwise on the
// screen): a 2-pixel shaft, a head L/9 beyond its far end, the label 8 pixels further.
void Draw_Axis_Arrow(int x, int y, int L, const char *label, double a);
// A force of length L centred on (x, y) along a, its head at the far end (direction non-zero)
// or at the near end, the label beside the head.
void Draw_Force_Arrow(int x, int y, int L, int direction, const char *label, double a);
// A curved moment arrow of radius d about (x, y) starting at a, three-quarters round,
// counter-clockwise when direction is non-zero.
void Draw_Moment_Arrow(int x, int y, int d, int direction, const char *label, double a);
// A filled head with its tip at (x, y), 15 pixels long and 10 wide, its base toward a.
void Draw_Arrow_Head(int x, int y, double a);
// The concave corner fill between the corner and the quarter circle of radius r tangent
// to both edges (centre at the corner plus (r, −r), (−r, −r), (−r, r), (r, r) for
// quadrant 0..3); edges with the width: the straight ones in the colour found, the 8
// arc chords in black.
void Draw_Fillet(int cx, int cy, int r, int quadrant, int fill_color, int width);
// A 1-pixel black dimension line with a white disc mark at each end and the text (none
// for null) above it (place 0), right of it (1) or beside its middle (2).
void Draw_Dimension_Line(int x1, int y1, int x2, int y2, const char *text, int place);
// Circular segment from start to start + sweep (degrees, at most 360) at steps of 11.25°,
// filled, its chords in black; nothing for a sweep below 0.001.
void Draw_Circle_Segment(int cx, int cy, int r, double start, double sweep, int fill_color, int width);

// ================================================================ screen drawing routines
// World coordinates (section millimetres, say) drawn through one module-wide screen
// transform: px = (c(x − X0) + s(y − Y0))·sx, py = (c(y − Y0) − s(x − X0))·sy with
// c, s of the angle (radians); pixels are taken halves away from zero. Module state (one
// struct, Reset_Screen_Drawing_For_Tests): the transform (0, 0, 0, 1, 1), the line width
// (1) and style (0) and the pointer offset of the selection dialogs.
void Set_Screen_Transform(double x0, double y0, double angle, double sx, double sy);
// In place; with only x (y null) x·sx, with only y y·sy.
void World_To_Screen(double *x, double *y);
// The inverse: x = c·px/sx − s·py/sy + X0, y = s·px/sx + c·py/sy + Y0; with one of them
// null, that one divided by its scale.
void Screen_To_World(double *x, double *y);
double Get_Screen_Scale_X();
double Get_Screen_Scale_Y();
// Pixel length of the transformed segment.
double Screen_Distance(double x1, double y1, double x2, double y2);
void Set_Line_Width(int width);  // pixels; also the dot diameter
void Set_Line_Style(int style);  // stored and set with pxSLn
int Get_Line_Style();

// A dot of the line width's diameter: pxDot up to a radius of 1, else a filled 72-gon.
void Draw_World_Dot(double x, double y);
// Width 0 nothing, 1 pxLine, above 3 or solid pxTkLn; 2 or 3 with a style: as many
// parallel pxLine, each starting its pattern afresh.
void Draw_World_Line(double x1, double y1, double x2, double y2);
// A band of the width centred on the segment, one filled quadrilateral; the 16-row
// pattern (pxSUFA) when not null.
void Fill_World_Band(double x1, double y1, double x2, double y2, double width, const unsigned short *pattern);
void Draw_World_Rectangle(double x1, double y1, double x2, double y2);
void Draw_World_Rectangle_Centred(double cx, double cy, double w, double h);
void Fill_World_Rectangle(double x1, double y1, double x2, double y2);
void Fill_World_Rectangle_Centred(double cx, double cy, double w, double h);
void Erase_World_Rectangle(double x1, double y1, double x2, double y2);  // host colour −1
void Draw_World_Circle(double cx, double cy, double r);  // 72 segments
void Fill_World_Circle(double cx, double cy, double r);
void Draw_World_Polygon(int n, const double *x, const double *y);
void Fill_World_Polygon(int n, const double *x, const double *y);
// Shaft and a head at (x2, y2): head length the smaller of the segment and head_len, width
// the smaller of that and head_w; mode 1 filled, else two lines.
void Draw_World_Arrow(double x1, double y1, double x2, double y2, double head_len, double head_w, int mode);
// Two filled arrows from (x0, y0) of lx, ly pixels (through scale) turned by the angle,
// labelled text 1 (x) and text 2 (y).
void Draw_World_Axis_Cross(double x0, double y0, const char *text1, const char *text2, double lx, double ly,
                           double angle, double scale);
// Dimension line with value and index text; mode 0 horizontal and 1 vertical on the
// screen (the second point moved onto the first one's row or column), else along the
// segment; offset (world) the length of the extension lines.
void Draw_World_Dimension(int mode, double x1, double y1, double x2, double y2, const char *value, const char *index,
                          double offset);
// The segment's length as the dimension's texts: below 1 in hundredths ("45" and the index
// "5" for 0.455), else "%.2f" ("1.23" and "5" for 1.235); nothing below 0.01.
void Draw_World_Dimension_Value(int mode, double x1, double y1, double x2, double y2, double offset);
// The texts of a dimension value (the value, the index); 0 when nothing is drawn.
int Format_Dimension_Value(double length, char value[32], char index[4]);
void Draw_World_Text(double x, double y, const char *text, int font);
void Draw_World_Text_Ex(double x, double y, const char *text, int font, int bold);
void Draw_World_Text_Bold(double x, double y, const char *text, int font);
void Draw_World_Text_Right(double x, double y, const char *text, int font);
// pxBTxt in the box of ±5 pixels with the style of family 0, 4 or other and placement
// 1, 4 or other.
void Draw_World_Text_Boxed(double x, double y, const char *text, int font, int family, int placement);
void Set_Fill_Pattern_Dots();
void Set_Fill_Pattern_Waves();
void Set_Fill_Pattern_Vertical_Lines();

// Screen routines (pixels).
int Get_Text_Width_in_Font(const char *text, int font);
void Draw_Text_Color_Box(int x, int y, int n, int color);  // leaves the colour set
void Draw_Text_Background_Box(int x, int y, int n);
void Draw_Text_in_Font_Color(int x, int y, const char *text, int font, int color);
void Draw_Text_in_State_Color(int x, int y, const char *text, int font, int state);
// Seven XOR frames from the first rectangle to the second, each shown 10 ms and erased.
void Animate_Zoom_Rectangle(int x1, int y1, int x2, int y2, int x1b, int y1b, int x2b, int y2b);

struct BIT_SET {
  int32_t n, value, reserved;
  unsigned char *bits;  // n bits, owned (Free_Bit_Set)
};
void Init_Bit_Set(BIT_SET *set, int n, int value);
void Free_Bit_Set(BIT_SET *set);

// A pop-up row (list) of n picture buttons from one strip bitmap.
struct BUTTON_CHOICE {
  int32_t dialog_x, dialog_y;
  const char *title;
  int32_t button_w, button_h;
  int32_t count;
  const char *const *texts;  // hover texts (the list shows them beside the buttons)
  const char *bitmap;        // strip of the n pictures side by side
};
// The chosen button's number 1..n, 99 for a click outside the sheet or Esc, −1 for n + 1.
// The pointer starts where it stood in the last dialog (the first button's middle at first).
int Select_From_Button_Row(int x, int y, const BUTTON_CHOICE *choice);
int Select_From_Button_List(int x, int y, const BUTTON_CHOICE *choice);
// A frameless 35 × 20 picture button "OptischeKontrolle.bmp" with its hover text; the handle.
int Add_Optische_Kontrolle_Button(int x, int y, int code);
// Lightens (percent > 0) or darkens the colour in HLS space; components held to 0..255.
void Shade_RGB_by_Lightness(int *r, int *g, int *b, double percent);
int Shade_Color_by_Lightness(int color, double percent);

void Reset_Screen_Drawing_For_Tests();

// Back to program start: palette all zero (as before the first Init_Plot_Palette), the
// ring reset.
void Reset_Drawing_Base_For_Tests();
