// drawing/geometry.cpp — rotations, the expansion of outlines with arc edges, the weld
// triangles and the drawing-area height of the section plots.
#include <cmath>

#include "drawing/drawing.h"
#include "drawing/drawing_state.h"
#include "drawing_base/drawing_base.h"
#include "host/host.h"
#include "print/print.h"
#include "support/support.h"

static DrawingState g_state;

DrawingState &Drawing_State() { return g_state; }

void Reset_Drawing_For_Tests() { g_state = DrawingState{}; }

void Set_Section_Plot_Height(double cm) {
  Host_Register_Reset(Reset_Drawing_For_Tests);  // the host keeps each function once
  g_state.plot_height_cm = static_cast<int>(std::trunc(cm));
}
int Get_Section_Plot_Height() { return g_state.plot_height_cm; }

// ================================================================ rotations

void Drawing_Snapped_Cos_Sin(double a, double *c, double *s) {
  // The values of cos and sin at the exact quarter turns, so that a section turned by
  // nearly a quarter keeps exactly straight edges.
  if (std::fabs(a) < 0.001) a = 0.0;
  else if (std::fabs(a - M_PI) < 0.001) a = M_PI;
  else if (std::fabs(a - M_PI / 2) < 0.001) a = M_PI / 2;
  else if (std::fabs(a - 3 * M_PI / 2) < 0.001) a = 3 * M_PI / 2;
  *c = std::cos(a);
  *s = std::sin(a);
}

void Rotate_Points(double *y, double *z, int n, double y0, double z0, double a) {
  if (n < 1 || !y || !z) return;
  double c, s;
  Drawing_Snapped_Cos_Sin(a, &c, &s);
  for (int i = 0; i < n; ++i) {
    double dy = y[i] - y0, dz = z[i] - z0;
    y[i] = dy * c + dz * s + y0;
    z[i] = dz * c - dy * s + z0;
  }
}

void Rotate_Point(double *y, double *z, double y0, double z0, double a) { Rotate_Points(y, z, 1, y0, z0, a); }
void Turn_Point(double *y, double *z, double y0, double z0, double a) { Rotate_Points(y, z, 1, y0, z0, a); }
void Rotate_Quad(double *y, double *z, double y0, double z0, double a) { Rotate_Points(y, z, 4, y0, z0, a); }
void Rotate_Six_Points(double *y, double *z, double y0, double z0, double a) { Rotate_Points(y, z, 6, y0, z0, a); }

// ================================================================ outline expansion

int Expand_Outline_Arcs(const SECTION_OUTLINE *outline, double *y, double *z, int *contour, int *number) {
  if (!outline || !outline->vertices || outline->count < 1) return 0;
  const PROFIL_NODE *v = outline->vertices;
  const int n = outline->count;
  const bool flag = outline->contour_flag != 0;
  int count = 0, first = 0, current = 0;
  auto put = [&](double py, double pz, int c, int nr) {
    if (y) y[count] = py;
    if (z) z[count] = pz;
    if (contour) contour[count] = c;
    if (number) number[count] = nr;
    ++count;
  };
  for (int i = 0; i < n; ++i) {
    const int c_i = flag ? v[i].polygon : 0;
    // Without a contour array the vertices form one contour; with it, a vertex opens a
    // new contour unless it carries the current contour's number.
    bool opens = contour ? !(i > 0 && flag && c_i == current) : i == 0;
    if (opens) {
      first = i;
      current = c_i;
    }
    put(-v[i].y, v[i].z, c_i, v[i].number);
    if (count >= OUTLINE_MAX_POINTS) return OUTLINE_MAX_POINTS;
    const double b = v[i].s_p;
    if (!(std::fabs(b) > 0.001)) continue;
    int j = first;  // the closing edge of the contour
    if (i < n - 1 && (!contour || (flag && v[i + 1].polygon == current))) j = i + 1;
    const double yi = -v[i].y, zi = v[i].z, yj = -v[j].y, zj = v[j].z;
    const double chord = std::hypot(yj - yi, zj - zi);
    if (!(chord > 0.001)) continue;
    const double theta = 4 * std::atan(2 * std::fabs(b));
    if (!(theta > 0.001)) continue;
    const double R = (chord / 2) / std::sin(theta / 2);
    // In the mirrored frame the side left of travel as the section is seen is the
    // mathematical right; a minor arc has its centre on the other side of the chord, a
    // major arc on the same side.
    double yc, zc;
    if (Circle_Intersection(yi, zi, R, yj, zj, R, (b > 0) != (theta > M_PI), &yc, &zc) != 0) continue;
    const int m = static_cast<int>(Round_Pixel(theta * 15 / M_PI));
    const double d = (b > 0 ? 1.0 : -1.0) * theta / (m + 1);
    const double start = std::atan2(zi - zc, yi - yc);
    for (int k = 1; k <= m; ++k) {
      if (count >= OUTLINE_MAX_POINTS - 1) return OUTLINE_MAX_POINTS;
      put(yc + R * std::cos(start + k * d), zc + R * std::sin(start + k * d), c_i, v[i].number);
    }
  }
  return count;
}

// ================================================================ weld triangles

// A filled triangle (fill code 64) and, when line_type is not negative, its edges.
static void _Triangle(const double *x, const double *y, int fill_color, int line_type, int line_color) {
  Oliplot_Save_State();
  Plot_Palette_Color(fill_color);
  Oliplot_Set_Color(64);
  Oliplot_Filled_Polygon(3, x, y);
  if (line_type >= 0) {
    Plot_Colored_Line(x[0], y[0], x[1], y[1], line_color, line_type);
    Plot_Colored_Line(x[0], y[0], x[2], y[2], line_color, line_type);
    Plot_Colored_Line(x[1], y[1], x[2], y[2], line_color, line_type);
  }
  Oliplot_Restore_State();
}

void Plot_Corner_Weld(int kind, int fill_color, int line_color, double x, double y, double a, double b,
                      double angle) {
  double px[3], py[3];
  px[0] = x;
  py[0] = y;
  px[1] = (kind == 1 || kind == 2) ? x + a : x - a;
  py[1] = y;
  px[2] = px[1];
  py[2] = (kind == 0 || kind == 1) ? y + b : y - b;
  Rotate_Points(px + 1, py + 1, 2, x, y, angle);
  Oliplot_Save_State();
  Plot_Palette_Color(fill_color);
  Oliplot_Set_Color(64);
  Oliplot_Filled_Polygon(3, px, py);
  Plot_Colored_Line(px[0], py[0], px[1], py[1], line_color, 1);
  Plot_Colored_Line(px[1], py[1], px[2], py[2], line_color, 1);
  Plot_Colored_Line(px[2], py[2], px[0], py[0], line_color, 1);
  Oliplot_Restore_State();
}

void Plot_Weld_Triangle(double x, double y, double r, double start, double sweep, int fill_color, int line_type,
                        int line_color) {
  if (!(r >= 0.001)) return;
  double c1 = Snap_Unit(std::cos(start)), s1 = Snap_Unit(std::sin(start));
  double c2 = Snap_Unit(std::cos(start + sweep)), s2 = Snap_Unit(std::sin(start + sweep));
  const double px[3] = {x, x + r * c1, x + r * c2};
  const double py[3] = {y, y - r * s1, y - r * s2};
  _Triangle(px, py, fill_color, line_type, line_color);
}

void Plot_Weld_Triangle_Quadrant(double x, double y, double r, int quadrant, int fill_color, int line_type,
                                 int line_color) {
  if (!(r >= 0.001) || quadrant < 0 || quadrant > 3) return;
  if (quadrant == 0) {
    const double px[3] = {x, x + r, x};
    const double py[3] = {y, y, y - r};
    _Triangle(px, py, fill_color, line_type, line_color);
    return;
  }
  Plot_Weld_Triangle(x, y, r, quadrant * M_PI / 2, M_PI / 2, fill_color, line_type, line_color);
}
