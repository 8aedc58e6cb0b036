// drawing_base/screen_primitives.cpp — filled shapes, arrows, fillets, dimension lines
// and circle segments in screen pixels.
#include <cmath>
#include <cstring>

#include "drawing_base/drawing_base.h"
#include "host/host.h"

namespace {
// The colour found on entry, given back when the guard ends.
struct ColourGuard {
  int saved;
  ColourGuard() { pxQFgc(&saved); }
  ~ColourGuard() { pxFgc(saved); }
};
// A filled disc of 5 × 5 pixels, leftmost pixel in the high bit.
constexpr unsigned char kDisc[5] = {0x70, 0xF8, 0xF8, 0xF8, 0x70};
}  // namespace

static int _Len(const char *text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

// The edges i − 1 → i of n points and the closing edge, in the current colour.
static void _Outline(int n, const int *x, const int *y, int width) {
  for (int i = 1; i < n; ++i) pxTkLn(x[i - 1], y[i - 1], x[i], y[i], width);
  pxTkLn(x[n - 1], y[n - 1], x[0], y[0], width);
}

void Draw_Filled_Polygon(int n, const int *x, const int *y, int fill_color, int width, int line_color) {
  if (n < 1 || !x || !y) return;
  ColourGuard keep;
  if (fill_color >= 0) {
    pxFgc(fill_color);
    pxFill(n, x, y);
  }
  if (width >= 0 && line_color >= 0) {
    pxFgc(line_color);
    _Outline(n, x, y, width);
  }
}

void Draw_Filled_Circle(int cx, int cy, double r, int n, int fill_color, int width, int line_color) {
  if (n < 1 || n > RING_MAX_SEGMENTS) return;
  int x[RING_MAX_SEGMENTS], y[RING_MAX_SEGMENTS];
  for (int i = 0; i < n; ++i) {
    x[i] = Trunc_Pixel(cx + r * std::cos(2 * M_PI * i / n));
    y[i] = Trunc_Pixel(cy + r * std::sin(2 * M_PI * i / n));
  }
  Draw_Filled_Polygon(n, x, y, fill_color, width, line_color);
}

void Draw_Filled_Ring(int cx, int cy, double r1, double r2, int n, int fill_color, int width, int line_color) {
  double dx[RING_MAX_POINTS], dy[RING_MAX_POINTS];
  const int count = Build_Ring_Polygon(cx, cy, r1, r2, n, dx, dy);
  if (count < 1) return;
  int x[RING_MAX_POINTS], y[RING_MAX_POINTS];
  for (int i = 0; i < count; ++i) {
    x[i] = Trunc_Pixel(dx[i]);
    y[i] = Trunc_Pixel(dy[i]);
  }
  ColourGuard keep;
  if (fill_color >= 0) {
    pxFgc(fill_color);
    pxFill(count, x, y);
  }
  if (width < 0 || line_color < 0) return;
  pxFgc(line_color);
  _Outline(n, x, y, width);
  if (count > n) _Outline(n, x + n + 1, y + n + 1, width);  // points n + 1 .. 2n + 1
}

void Draw_Filled_Rectangle(int x1, int y1, int x2, int y2, int color) {
  if (color < 0) return;
  const int x[4] = {x1, x1, x2, x2}, y[4] = {y1, y2, y2, y1};
  ColourGuard keep;
  pxFgc(color);
  pxFill(4, x, y);
}

void Draw_Aligned_Text(int x, int y, const char *text, int align, int color, int size) {
  if (!text) return;
  const int len = _Len(text);
  const int font = size == 1 ? 0x1002 : size == 2 ? 0x1001 : 0x1000;
  if (align == 1) x = size == 1 ? x - 5 * len : size == 2 ? x - 8 * len : Trunc_Pixel(x - 6.5 * len);
  ColourGuard keep;
  if (color >= 0) pxFgc(color);
  Pop_RFont(font);
  pxBTxt(x, y, x, y, text, len, 17);
  Push_RFont();
}

// cos and sin of a snapped to 0, 1, −1; false for an angle that is no number.
static bool _Direction(double a, double *c, double *s) {
  if (!std::isfinite(a)) return false;
  a = std::fmod(a, 2 * M_PI);
  *c = Snap_Unit(std::cos(a));
  *s = Snap_Unit(std::sin(a));
  return true;
}

void Draw_Axis_Arrow(int x, int y, int L, const char *label, double a) {
  double c, s;
  if (!_Direction(a, &c, &s)) return;
  const int fx = Trunc_Pixel(x - L * c), fy = Trunc_Pixel(y + L * s);
  pxTkLn(fx, fy, x, y, 2);
  const int l9 = L / 9, l3 = L / 3;
  const int tx = Trunc_Pixel(fx - l9 * c), ty = Trunc_Pixel(fy + l9 * s);
  const double bx = tx + l3 * c, by = ty - l3 * s;  // the head's base centre
  pxTri(tx, ty, Trunc_Pixel(bx - l9 * s), Trunc_Pixel(by - l9 * c), Trunc_Pixel(bx + l9 * s),
        Trunc_Pixel(by + l9 * c));
  if (label) pxText(Trunc_Pixel(tx - 8 * c), Trunc_Pixel(ty + 8 * s), label, _Len(label));
}

// A head 15 pixels long and 5 to each side, its tip at (x, y), pointing along (c, −s).
static void _Head(double x, double y, double c, double s) {
  const double bx = x - 15 * c, by = y + 15 * s;
  pxTri(Trunc_Pixel(x), Trunc_Pixel(y), Trunc_Pixel(bx + 5 * s), Trunc_Pixel(by + 5 * c), Trunc_Pixel(bx - 5 * s),
        Trunc_Pixel(by - 5 * c));
}

void Draw_Arrow_Head(int x, int y, double a) {
  double c, s;
  if (!_Direction(a, &c, &s)) return;
  _Head(x, y, -c, -s);  // the base lies 15 pixels along (c, −s) from the tip
}

void Draw_Force_Arrow(int x, int y, int L, int direction, const char *label, double a) {
  double c, s;
  if (!_Direction(a, &c, &s)) return;
  if (!direction) {
    c = -c;
    s = -s;
  }
  const int h = L / 2;
  const double ex = x + h * c, ey = y - h * s;  // the end that carries the head
  pxTkLn(Trunc_Pixel(x - h * c), Trunc_Pixel(y + h * s), Trunc_Pixel(ex), Trunc_Pixel(ey), 2);
  _Head(ex + 5 * c, ey - 5 * s, c, s);
  if (label) pxText(Trunc_Pixel(ex + 8 * s + 4), Trunc_Pixel(ey + 8 * c), label, _Len(label));
}

void Draw_Moment_Arrow(int x, int y, int d, int direction, const char *label, double a) {
  double c, s;
  if (!_Direction(a, &c, &s) || d < 1) return;
  const double a0 = a, a1 = a + 1.5 * M_PI;  // three quarters, counter-clockwise on the screen
  const int xs = Trunc_Pixel(x + d * std::cos(a0)), ys = Trunc_Pixel(y - d * std::sin(a0));
  const int xe = Trunc_Pixel(x + d * std::cos(a1)), ye = Trunc_Pixel(y - d * std::sin(a1));
  pxArc(x, y, d, d, xs, ys, xe, ye, 1);
  pxArc(x, y, d + 1, d, xs, ys, xe, ye, 1);
  pxArc(x, y, d, d - 1, xs, ys, xe, ye, 1);
  // The head at the chosen end, along the tangent taken 10° on.
  const double end = direction ? a1 : a0, on = direction ? 1.0 : -1.0;
  const double t = end + on * (10 * M_PI / 180) + on * M_PI / 2;
  _Head(direction ? xe : xs, direction ? ye : ys, std::cos(t), std::sin(t));
  if (label) pxBTxt(x - d, y - d - 4, x + d, y - d - 4, label, _Len(label), 18);
}

void Draw_Fillet(int cx, int cy, int r, int quadrant, int fill_color, int width) {
  static const int kSign[4][2] = {{1, -1}, {-1, -1}, {-1, 1}, {1, 1}};
  if (quadrant < 0 || quadrant > 3) return;
  const double ox = kSign[quadrant][0] * r, oy = kSign[quadrant][1] * r;
  const double mx = cx + ox, my = cy + oy;  // centre of the quarter circle
  int x[10], y[10];
  x[0] = cx;
  y[0] = cy;
  for (int k = 0; k <= 8; ++k) {  // from (cx + ox, cy) to (cx, cy + oy)
    const double p = k * M_PI / 16;
    x[k + 1] = Trunc_Pixel(mx + std::sin(p) * -ox);
    y[k + 1] = Trunc_Pixel(my + std::cos(p) * -oy);
  }
  ColourGuard keep;
  if (fill_color >= 0) {
    pxFgc(fill_color);
    pxFill(10, x, y);
  }
  if (width < 0) return;
  pxFgc(keep.saved);
  pxTkLn(x[0], y[0], x[1], y[1], width);
  pxTkLn(x[0], y[0], x[9], y[9], width);
  pxFgc(Get_Screen_Colors()->black);
  for (int k = 2; k <= 9; ++k) pxTkLn(x[k - 1], y[k - 1], x[k], y[k], width);
}

// The white disc mark with its black ring at an end of a dimension line.
static void _Dimension_Mark(int x, int y) {
  pxFgc(Get_Screen_Colors()->white);
  pxMask(x - 2, y - 2, x + 2, y + 2, kDisc, 1);
  pxFgc(Get_Screen_Colors()->black);
  pxCrcl(x, y, 2);
}

void Draw_Dimension_Line(int x1, int y1, int x2, int y2, const char *text, int place) {
  const SCREEN_COLORS *sc = Get_Screen_Colors();
  pxSFnt(0x1000);
  pxFgc(sc->black);
  pxLine(x1, y1, x2, y2);
  _Dimension_Mark(x1, y1);
  _Dimension_Mark(x2, y2);
  pxFgc(sc->black);
  if (!text) return;
  const int len = _Len(text);
  if (place == 0) pxText((x1 + x2) / 2 - 3 * len, y1 - 2, text, len);
  else if (place == 1) pxText(x1 + 4, (y1 + y2) / 2 + 3, text, len);
  else if (place == 2) pxText((x1 + x2) / 2 + 2, (y1 + y2) / 2 + 2, text, len);
}

void Draw_Circle_Segment(int cx, int cy, int r, double start, double sweep, int fill_color, int width) {
  if (!(sweep >= 0.001) || !std::isfinite(start)) return;
  if (sweep > 360) sweep = 360;  // the point buffer holds one full turn
  const int k0 = Trunc_Pixel((start + 0.001) * 8 / 90);
  const int k1 = Trunc_Pixel(8.0 / 90 * (sweep + start + 0.001) + 1);
  const int n = k1 - k0;
  if (n < 1 || n > 130) return;
  int x[130], y[130];
  for (int k = k0; k < k1; ++k) {
    x[k - k0] = cx - Round_Pixel_Int(r * std::cos(k * M_PI / 16));
    y[k - k0] = cy + Round_Pixel_Int(r * std::sin(k * M_PI / 16));
  }
  if (fill_color >= 0) {
    pxFgc(fill_color);
    pxFill(n, x, y);
  }
  pxFgc(Get_Screen_Colors()->black);
  if (width >= 0)
    for (int i = 1; i < n; ++i) pxTkLn(x[i - 1], y[i - 1], x[i], y[i], width);
}
