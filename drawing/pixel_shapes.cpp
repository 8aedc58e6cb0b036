// drawing/pixel_shapes.cpp — turned pixel points, weld triangles, thick lines, plates and
// bolt symbols of the screen section pictures.
#include <algorithm>
#include <cmath>

#include "drawing/drawing.h"
#include "drawing/drawing_state.h"
#include "drawing_base/drawing_base.h"
#include "host/host.h"

namespace {
struct ColourGuard {
  int saved;
  ColourGuard() { pxQFgc(&saved); }
  ~ColourGuard() { pxFgc(saved); }
};
}  // namespace

static int R(double v) { return Round_Pixel_Int(v); }

// ---------------------------------------------------------------- turning

void Rotate_Pixel_Points(int cx, int cy, int *x, int *y, int n, double a) {
  if (n < 1 || !x || !y) return;
  double c, s;
  Drawing_Snapped_Cos_Sin(a, &c, &s);
  for (int i = 0; i < n; ++i) {
    const double dx = x[i] - cx, dy = y[i] - cy;
    x[i] = R(cx + dx * c + dy * s);
    y[i] = R(cy + dy * c - dx * s);
  }
}

void Rotate_Pixel_Point(int cx, int cy, int *x, int *y, double a) { Rotate_Pixel_Points(cx, cy, x, y, 1, a); }
void Rotate_Pixel_Quad(int cx, int cy, int *x, int *y, double a) { Rotate_Pixel_Points(cx, cy, x, y, 4, a); }

// ---------------------------------------------------------------- welds and lines

// Fill of the n points when fill ≥ 0, edges with the width when width and line ≥ 0.
static void _Shape(int n, const int *x, const int *y, int fill, int width, int line) {
  ColourGuard keep;
  if (fill >= 0) {
    pxFgc(fill);
    pxFill(n, x, y);
  }
  if (width >= 0 && line >= 0) {
    pxFgc(line);
    for (int i = 0; i < n; ++i) pxTkLn(x[i], y[i], x[(i + 1) % n], y[(i + 1) % n], width);
  }
}

void Draw_Corner_Weld(int x, int y, int a, int b, double phi, int side, int fill_color, int line_color) {
  int px[3] = {x, x - a, side ? x - a : x}, py[3] = {y, y + b, side ? y : y + b};
  Rotate_Pixel_Points(x, y, px, py, 3, phi);
  _Shape(3, px, py, fill_color, line_color >= 0 ? 1 : -1, line_color);
}

void Draw_Weld_Triangle(int x, int y, int L, double a, double w, int fill_color, int width, int line_color) {
  const int px[3] = {x, x + R(Snap_Unit(std::cos(a)) * L), x + R(Snap_Unit(std::cos(a + w)) * L)};
  const int py[3] = {y, y - R(Snap_Unit(std::sin(a)) * L), y - R(Snap_Unit(std::sin(a + w)) * L)};
  _Shape(3, px, py, fill_color, width, line_color);
}

void Draw_Weld_Triangle_Quadrant(int x, int y, int L, int quadrant, int fill_color, int width, int line_color) {
  if (quadrant < 0 || quadrant > 3) return;
  Draw_Weld_Triangle(x, y, L, quadrant * M_PI / 2, M_PI / 2, fill_color, width, line_color);
}

void Draw_Colored_Thick_Line(int x1, int y1, int x2, int y2, int color, int width) {
  if (color < 0 || width < 0) return;
  ColourGuard keep;
  pxFgc(color);
  pxTkLn(x1, y1, x2, y2, width);
}

// ---------------------------------------------------------------- polygons and plates

void Draw_Polygon_Filled_Outlined(int n, const int *x, const int *y, int fill_color, int width, int line_color) {
  if (n < 1 || !x || !y) return;
  _Shape(n, x, y, fill_color, width, line_color);
}

void Draw_Framed_Box(int x1, int y1, int x2, int y2, int fill_color, int width, int line_color) {
  Draw_Filled_Rectangle(x1, y1, x2, y2, fill_color);
  const int x[4] = {x1, x1, x2, x2}, y[4] = {y1, y2, y2, y1};
  _Shape(4, x, y, -1, width, line_color);
}

void Draw_Rotated_Rectangle(int cx, int cy, int w, int h, double a, int fill_color, int width, int line_color) {
  int x[4] = {cx - w / 2, cx - w / 2, cx + w / 2, cx + w / 2};
  int y[4] = {cy - h / 2, cy + h / 2, cy + h / 2, cy - h / 2};
  Rotate_Pixel_Quad(cx, cy, x, y, a);
  Draw_Filled_Polygon(4, x, y, fill_color, width, line_color);
}

// n points on the circle of radius r at steps of 2π/n from straight down.
static void _Round_Symbol(int cx, int cy, int r, int n, int fill_color, int width, int line_color) {
  int x[16], y[16];
  for (int k = 0; k < n; ++k) {
    x[k] = cx + R(std::sin(k * 2 * M_PI / n) * r);
    y[k] = cy + R(std::cos(k * 2 * M_PI / n) * r);
  }
  Draw_Filled_Polygon(n, x, y, fill_color, width, line_color);
}

void Draw_Hexagon(int cx, int cy, int r, int fill_color, int width, int line_color) {
  if (r < 1) return;
  _Round_Symbol(cx, cy, r, 6, fill_color, width, line_color);
}

void Draw_Circle_16(int cx, int cy, int r, int fill_color, int width, int line_color) {
  if (r < 1) return;
  _Round_Symbol(cx, cy, r, 16, fill_color, width, line_color);
}

void Draw_Circle_16_Checked(int cx, int cy, int r, int fill_color, int width, int line_color) {
  if (r > 0) Draw_Circle_16(cx, cy, r, fill_color, width, line_color);
}

void Draw_Slotted_Hole(int cx, int cy, int r, int l, double angle_deg, int fill_color, int width, int line_color) {
  if (r < 1 || r > l) return;
  int *x = Drawing_State().slot_x, *y = Drawing_State().slot_y;
  for (int k = 0; k < 9; ++k) {  // right half circle from the top down, then the left one from the bottom up
    const double p = k * M_PI / 8;
    x[k] = cx + l / 2 + R(std::sin(p) * r);
    y[k] = cy - R(std::cos(p) * r);
    x[9 + k] = cx - l / 2 - R(std::sin(p) * r);
    y[9 + k] = cy + R(std::cos(p) * r);
  }
  if (std::fabs(angle_deg) > 0.01) Rotate_Pixel_Points(cx, cy, x, y, 18, angle_deg * M_PI / 180);
  Draw_Filled_Polygon(18, x, y, fill_color, width, line_color);
}

void Fill_Quarter_Arc_Points(int cx, int cy, double rx, double ry, int *x, int *y, int k0, int n, int direction) {
  if (n < 1 || !x || !y) return;
  for (int k = k0 + 1; k <= k0 + n; ++k) {
    const double p = k * (M_PI / 2) / (n + 1);
    x[k - k0 - 1] = cx + R(std::sin(p) * rx);
    y[k - k0 - 1] = cy - R(std::cos(p) * ry);
  }
  if (direction < 0) {
    std::reverse(x, x + n);
    std::reverse(y, y + n);
  }
}

// ---------------------------------------------------------------- bolt symbols
// Side views are built pointing right (orientation 0) and turned by quarter turns.

static void _Orient(int cx, int cy, int *x, int *y, int n, int orientation) {
  Rotate_Pixel_Points(cx, cy, x, y, n, (orientation & 3) * M_PI / 2);
}

// Nut seen from the side: the block from cx to cx + height, w wide, outer corners chamfered.
static void _Nut_Points(int cx, int cy, int height, int w, int *x, int *y) {
  const int c = w / 12, h2 = w / 2;
  const int px[8] = {cx, cx + height - c, cx + height, cx + height, cx + height - c, cx, cx, cx};
  const int py[8] = {cy - h2, cy - h2, cy - h2 + c, cy + h2 - c, cy + h2, cy + h2, cy, cy - h2};
  std::copy(px, px + 8, x);
  std::copy(py, py + 8, y);
}

void Draw_Nut_Side(int cx, int cy, int height, int w, int orientation, int fill_color, int line_color) {
  int x[8], y[8];
  _Nut_Points(cx, cy, height, w, x, y);
  _Orient(cx, cy, x, y, 8, orientation);
  _Shape(8, x, y, fill_color, 1, line_color);
}

void Draw_Nut_Side_Rotated(int cx, int cy, int height, int w, double angle, int fill_color, int line_color) {
  int x[8], y[8];
  _Nut_Points(cx, cy, height, w, x, y);
  Rotate_Pixel_Points(cx, cy, x, y, 8, angle + 3 * M_PI / 2);
  _Shape(8, x, y, fill_color, 1, line_color);
}

static void _Head_Points(int cx, int cy, int height, int w, int *x, int *y) {
  const int c = 3 * w / 20, h2 = w / 2;
  const int px[6] = {cx, cx + height - c, cx + height, cx + height, cx + height - c, cx};
  const int py[6] = {cy - h2, cy - h2, cy - h2 + c, cy + h2 - c, cy + h2, cy + h2};
  std::copy(px, px + 6, x);
  std::copy(py, py + 6, y);
}

void Draw_Bolt_Head_Side(int cx, int cy, int height, int w, int orientation, int fill_color, int line_color) {
  int x[6], y[6];
  _Head_Points(cx, cy, height, w, x, y);
  _Orient(cx, cy, x, y, 6, orientation);
  _Shape(6, x, y, fill_color, 1, line_color);
}

void Draw_Bolt_Side(int x1, int x2, int cy, int half, int head_h, int head_w, int washer_t, int washer_w, int nut_h,
                    int nut_w, int orientation, int fill_color, int width, int line_color) {
  // Shank from x1 to x2 along the bolt's axis; turned as a whole about (x1, cy).
  int sx[4] = {x1, x1, x2, x2}, sy[4] = {cy - half, cy + half, cy + half, cy - half};
  _Orient(x1, cy, sx, sy, 4, orientation);
  {
    ColourGuard keep;
    if (fill_color >= 0) {
      pxFgc(fill_color);
      pxRect(std::min({sx[0], sx[2]}), std::min({sy[0], sy[2]}), std::max({sx[0], sx[2]}), std::max({sy[0], sy[2]}));
    }
    if (line_color >= 0) {
      pxFgc(line_color);
      pxTkLn(sx[0], sy[0], sx[3], sy[3], 1);
      pxTkLn(sx[1], sy[1], sx[2], sy[2], 1);
    }
  }
  if (washer_t > 0) {  // a washer at each end
    for (int end = 0; end < 2; ++end) {
      const int at = end ? x2 : x1 - washer_t;
      int wx[2] = {at, at + washer_t}, wy[2] = {cy - washer_w / 2, cy + washer_w / 2};
      _Orient(x1, cy, wx, wy, 2, orientation);
      Draw_Framed_Box(wx[0], wy[0], wx[1], wy[1], fill_color, width, line_color);
    }
  }
  int hx = x1 - washer_t, hy = cy, nx = x2 + washer_t, ny = cy;
  Rotate_Pixel_Point(x1, cy, &hx, &hy, (orientation & 3) * M_PI / 2);
  Rotate_Pixel_Point(x1, cy, &nx, &ny, (orientation & 3) * M_PI / 2);
  Draw_Bolt_Head_Side(hx, hy, head_h, head_w, (orientation + 2) & 3, fill_color, line_color);
  Draw_Nut_Side(nx, ny, nut_h, nut_w, orientation, fill_color, line_color);
}

void Draw_Bolt_Side_Rotated(int x1, int x2, int cy, int half, int head_h, int head_w, int nut_h, int nut_w,
                            double angle, int fill_color, int width, int line_color) {
  int sx[4] = {x1, x1, x2, x2}, sy[4] = {cy - half, cy + half, cy + half, cy - half};
  Rotate_Pixel_Quad(x1, cy, sx, sy, angle);
  Draw_Filled_Polygon(4, sx, sy, fill_color, width, line_color);
  int hx[6], hy[6];
  _Head_Points(x1, cy, head_h, head_w, hx, hy);
  Rotate_Pixel_Points(x1, cy, hx, hy, 6, angle + M_PI);
  _Shape(6, hx, hy, fill_color, 1, line_color);
  int nx = x2, ny = cy;
  Rotate_Pixel_Point(x1, cy, &nx, &ny, angle);
  Draw_Nut_Side_Rotated(nx, ny, nut_h, nut_w, angle + M_PI / 2, fill_color, line_color);
}

void Draw_Bolt_Top(int x, int y, int r_hole, int r_head, int r_washer, int fill_color, int line_color) {
  const SCREEN_COLORS *sc = Get_Screen_Colors();
  int a = r_hole > 0 ? sc->grey_dim : sc->black, b = r_hole > 0 ? sc->black : sc->grey_dim;
  if (line_color < 0) a = b = sc->grey_dim;
  if (r_washer > 0) Draw_Circle_16(x, y, r_washer, fill_color, 1, a);
  if (r_head > 0) Draw_Hexagon(x, y, r_head, fill_color, 1, b);
  if (r_hole > 0 && line_color >= 0) {
    pxSLn(4);
    Draw_Circle_16(x, y, r_hole, -1, 1, line_color);
    pxSLn(0);
  }
}

void Draw_Bolt_Top_Outline(int x, int y, int r_hole, int r_head, int r_washer, int width, int line_color) {
  if (r_washer > 0) Draw_Circle_16(x, y, r_washer, -1, width, line_color);
  if (r_head > 0) Draw_Hexagon(x, y, r_head, -1, width, line_color);
  if (r_hole > 0) Draw_Circle_16(x, y, r_hole, -1, width, line_color);
}
