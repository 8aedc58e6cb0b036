// drawing_base/drawing_base.cpp — plot palette, widget flag ring, numbers, ring polygon
// and the plot primitives.
#include "drawing_base/drawing_base.h"

#include <cmath>
#include <cstring>

#include "host/host.h"
#include "print/print.h"
#include "support/support.h"

namespace {
struct DrawingBaseState {
  PLOT_PALETTE palette;
  WIDGET_FLAG_RING ring;
  SCREEN_COLORS screen;
  bool registered;
};
DrawingBaseState g{};
}  // namespace

static void _Register_Reset() {
  if (!g.registered) {
    g.registered = true;
    Host_Register_Reset(Reset_Drawing_Base_For_Tests);
  }
}

void Reset_Drawing_Base_For_Tests() {
  bool registered = g.registered;
  std::memset(&g.palette, 0, sizeof g.palette);
  std::memset(&g.ring, 0, sizeof g.ring);
  std::memset(&g.screen, 0, sizeof g.screen);
  g.ring.index = -1;
  g.registered = registered;
}

// ================================================================ plot palette

PLOT_PALETTE *Get_Plot_Palette() { return &g.palette; }

void Init_Plot_Palette() {
  _Register_Reset();
  PLOT_PALETTE &p = g.palette;
  p.fill_code_section = 34;
  p.fill_code_plot_a = 43;
  p.fill_code_plot_b = 26;
  p.fill_code_mark = 59;
  p.polygon_fill_code = 0;
  p.pal_outline = 0;
  static const int32_t kDefaults[20][3] = {
      {0, 0, 0},       {255, 255, 255}, {110, 110, 110}, {255, 100, 100}, {255, 50, 50},
      {125, 125, 255}, {30, 30, 255},   {30, 30, 150},   {100, 255, 100}, {0, 98, 0},
      {30, 150, 30},   {255, 255, 100}, {255, 255, 50},  {128, 64, 0},    {128, 128, 0},
      {224, 224, 224}, {72, 69, 126},   {233, 233, 233}, {165, 75, 165},  {171, 12, 36},
  };
  int32_t *roles[20] = {&p.pal_black,       &p.pal_white,      &p.pal_grey,       &p.pal_red_light,
                        &p.pal_red,         &p.pal_blue_light, &p.pal_blue,       &p.pal_blue_dark,
                        &p.pal_green_light, &p.pal_green_dark, &p.pal_green,      &p.pal_yellow_light,
                        &p.pal_yellow,      &p.pal_brown,      &p.pal_olive,      &p.pal_grey_light,
                        &p.pal_slate,       &p.pal_grey_pale,  &p.pal_violet,     &p.pal_crimson};
  for (int i = 0; i < 20; ++i) {
    for (int k = 0; k < 3; ++k) p.entries[i][k] = kDefaults[i][k];
    *roles[i] = i;
  }
  p.polygon_fill_color = 1;
  for (int i = 20; i <= 28; ++i)
    for (int k = 0; k < 3; ++k) p.entries[i][k] = -1;
}

void Set_Polygon_Fill_Style(int index, int code) {
  _Register_Reset();
  g.palette.polygon_fill_color = index;
  g.palette.polygon_fill_code = code;
}

int Get_Plot_Palette_Entry(int index, int *r, int *g_out, int *b) {
  if (r) *r = 0;
  if (g_out) *g_out = 0;
  if (b) *b = 0;
  if (static_cast<unsigned>(index) >= static_cast<unsigned>(PLOT_PALETTE_SIZE)) return 1;
  const int32_t *e = g.palette.entries[index];
  if (e[0] < 0 || e[1] < 0 || e[2] < 0) return 1;
  if (r) *r = e[0];
  if (g_out) *g_out = e[1];
  if (b) *b = e[2];
  return 0;
}

void Plot_Palette_Color(int index) {
  int r, gr, b;
  if (Get_Plot_Palette_Entry(index, &r, &gr, &b) == 0) Oliplot_Fill_Color(r, gr, b);
}

// ================================================================ screen colours

const SCREEN_COLORS *Get_Screen_Colors() { return &g.screen; }

void Init_Screen_Colors() {
  _Register_Reset();
  SCREEN_COLORS &c = g.screen;
  c.flag_on = 1;
  c.flag_off = 0;
  c.font_bold_large = 0x11001;
  c.font_bold = 0x11000;
  c.font_normal = 0x1000;
  c.font_small = 0x1002;
  struct Rgb {
    int32_t *field;
    int r, g, b;
  };
  // host_color has no RGB of its own: the host's colour number −21, set in its place.
  const Rgb table[] = {
      {&c.black, 0, 0, 0},           {&c.white, 255, 255, 255},        {&c.grey_dim, 130, 130, 130},
      {&c.host_color, -1, -1, -1},   {&c.grey_inactive, 192, 192, 192}, {&c.brown_hint, 128, 64, 0},
      {&c.blue_value, 4, 2, 252},    {&c.brown_note, 128, 64, 0},      {&c.red, 255, 0, 0},
      {&c.green, 0, 128, 0},         {&c.orange, 255, 128, 0},         {&c.rose_dark, 177, 99, 99},
      {&c.lavender_light, 213, 213, 255}, {&c.lavender, 196, 196, 255}, {&c.sage_light, 196, 217, 196},
      {&c.sage, 125, 172, 125},      {&c.mint_pale, 219, 232, 219},    {&c.mint_paler, 230, 238, 230},
      {&c.apricot_pale, 255, 231, 206}, {&c.rose_light, 255, 196, 196}, {&c.rose_pale, 255, 231, 231},
      {&c.red_light, 255, 100, 100}, {&c.yellow_pale, 255, 255, 196},  {&c.khaki_pale, 228, 228, 196},
      {&c.grey_light, 224, 224, 224}, {&c.grey_mid, 180, 180, 180},    {&c.grey_pale, 233, 233, 233},
      {&c.slate_pale, 192, 192, 214}, {&c.apricot, 255, 219, 183},     {&c.grey_unit, 160, 160, 160},
  };
  for (const Rgb &e : table) *e.field = e.r < 0 ? GetYRMColor(-21) : Nearest_RGB_Color(e.r, e.g, e.b);
}

void Set_Screen_Host_Color(int color) {
  _Register_Reset();
  g.screen.host_color = color;
}

// ================================================================ widget flag ring

int Reset_Widget_Cell_Ring() {
  _Register_Reset();
  std::memset(g.ring.cells, 0, sizeof g.ring.cells);
  g.ring.index = -1;
  return 0;
}

int32_t *Take_Widget_Cell(int value) {
  _Register_Reset();
  if (++g.ring.index >= WIDGET_FLAG_RING_SIZE || g.ring.index < 0) g.ring.index = 0;
  g.ring.cells[g.ring.index] = value;
  return &g.ring.cells[g.ring.index];
}

const WIDGET_FLAG_RING *Get_Widget_Cell_Ring() { return &g.ring; }

// ================================================================ numbers

double Round_Pixel(double x) {
  double sign = x >= 0 ? 1.0 : -1.0;
  return sign * std::trunc(std::fabs(x) + 0.5555555555555556);
}

// Pixels far off any screen are held at ±1e9 (and NaN at 0), so that no conversion overflows.
static int _To_Int(double v) {
  if (!(v == v)) return 0;
  if (v > 1e9) return 1000000000;
  if (v < -1e9) return -1000000000;
  return static_cast<int>(v);
}
int Trunc_Pixel(double v) { return _To_Int(v); }
int Round_Pixel_Int(double v) { return _To_Int(Round_Pixel(v)); }
int Round_Half_Away(double v) { return _To_Int(std::round(v)); }

double Snap_Unit(double x) {
  if (std::fabs(x) < 0.001) return 0.0;
  if (std::fabs(x - 1) < 0.001) return 1.0;
  if (std::fabs(x + 1) < 0.001) return -1.0;
  return x;
}

// ================================================================ ring polygon

int Is_Ring(double r1, double r2) { return (r2 > 0 && r2 < r1) || (r2 < 0 && r1 < r2); }

int Build_Ring_Polygon(double cx, double cy, double r1, double r2, int n, double *x, double *y) {
  if (n < 1 || n > RING_MAX_SEGMENTS || !x || !y) return 0;
  const double step = 2 * M_PI / n;
  for (int i = 0; i < n; ++i) {
    x[i] = cx + r1 * std::cos(step * i);
    y[i] = cy + r1 * std::sin(step * i);
  }
  if (!Is_Ring(r1, r2)) return n;
  x[n] = cx + r1;
  y[n] = cy;
  x[n + 1] = cx + r2;
  y[n + 1] = cy;
  for (int k = 1; k < n; ++k) {  // inner circle backwards: angle k at place 2n + 1 − k
    x[2 * n + 1 - k] = cx + r2 * std::cos(step * k);
    y[2 * n + 1 - k] = cy + r2 * std::sin(step * k);
  }
  x[2 * n + 1] = cx + r2;
  y[2 * n + 1] = cy;
  return 2 * n + 2;
}

// ================================================================ plot primitives

// A raw directive into the open block (nothing while none is open).
static void _Line_Type(int type) { Tools_Fprintf(Oliplot_Stream(), " 4 %d\n", type); }

void Plot_Colored_Line(double x1, double y1, double x2, double y2, int color, int line_type) {
  if (color < 0 || line_type < 0) return;
  Oliplot_Save_State();
  Plot_Palette_Color(color);
  _Line_Type(line_type);
  Oliplot_Line(x1, y1, x2, y2);
  Oliplot_Restore_State();
}

void Plot_Filled_Circle(double x, double y, double r, int fill_color, int fill_code, int line_type,
                        int line_color) {
  Oliplot_Save_State();
  if (fill_color >= 0) {
    Plot_Palette_Color(fill_color);
    Oliplot_Set_Color(fill_code);
    Oliplot_Filled_Circle(x, y, 2 * r);
  }
  if (line_type >= 0) {
    _Line_Type(line_type);
    Plot_Palette_Color(line_color);
  }
  Oliplot_Arc(x, y, 2 * r, 0.0, 360.0);
  Oliplot_Restore_State();
}

void Plot_Filled_Ring(double x, double y, double r1, double r2, int n, int fill_color, int fill_code,
                      int outline_flag, int outline_color) {
  if (fill_color < 0 || n < 1 || n > RING_MAX_SEGMENTS || (outline_flag < 0 && outline_color < 0)) return;
  double px[RING_MAX_POINTS], py[RING_MAX_POINTS];
  int count = Build_Ring_Polygon(x, y, r1, r2, n, px, py);
  Oliplot_Save_State();
  Plot_Palette_Color(fill_color);
  Oliplot_Set_Color(fill_code);
  Oliplot_Filled_Polygon(count, px, py);
  if (outline_flag >= 0 && outline_color >= 0) {
    Plot_Palette_Color(outline_color);
    _Line_Type(2);
    for (int i = 1; i <= n; ++i) Oliplot_Line(px[i - 1], py[i - 1], px[i % n], py[i % n]);
    if (count > n) {
      for (int i = n + 2; i <= 2 * n + 1; ++i) Oliplot_Line(px[i - 1], py[i - 1], px[i], py[i]);
      Oliplot_Line(px[2 * n + 1], py[2 * n + 1], px[n + 1], py[n + 1]);
    }
  }
  Oliplot_Restore_State();
}
