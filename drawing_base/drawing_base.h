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

// Back to program start: palette all zero (as before the first Init_Plot_Palette), the
// ring reset.
void Reset_Drawing_Base_For_Tests();
