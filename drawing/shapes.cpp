// drawing/shapes.cpp — mark, bolt and label shapes of the drawing module. The member
// program draws none of them; the weld and detail print-outs of the system use them.
#include <cmath>
#include <cstdio>

#include "drawing/drawing.h"
#include "drawing_base/drawing_base.h"
#include "print/print.h"
#include "support/support.h"

static void _Line_Type(int type) { Tools_Fprintf(Oliplot_Stream(), " 4 %d\n", type); }
static void _Line_Style_Plain() { Tools_Fprintf(Oliplot_Stream(), " 38 %d %s %d\n", 0, " ", 0); }
static void _Line_Style_Dashed() { Tools_Fprintf(Oliplot_Stream(), " 38 %d %s %d\n", 2, "0.03 0.05", 0); }

// A regular n-gon of radius r about (x, y) whose first point lies at +y (z up the
// page), filled and outlined as Plot_Hexagon describes.
static void _Regular_Mark(int n, int fill_color, int fill_code, int line_type, double x, double y, double r,
                          int line_color) {
  if (!(r >= 0.1)) return;
  double px[16], py[16];
  for (int k = 0; k < n; ++k) {
    px[k] = x + r * std::sin(2 * M_PI * k / n);
    py[k] = y + r * std::cos(2 * M_PI * k / n);
  }
  Oliplot_Save_State();
  if (fill_color >= 0) {
    Plot_Palette_Color(fill_color);
    Oliplot_Set_Color(fill_code);
    Oliplot_Filled_Polygon(n, px, py);
    _Line_Type(1);
  }
  if (line_color >= 0) {
    if (line_type >= 0) {
      _Line_Type(line_type);
      Plot_Palette_Color(line_color);
    }
    Oliplot_Polyline(n, px, py);
  }
  Oliplot_Restore_State();
}

void Plot_Hexagon(int fill_color, int fill_code, int line_type, double x, double y, double r, int line_color) {
  _Regular_Mark(6, fill_color, fill_code, line_type, x, y, r, line_color);
}

void Plot_Circle_16(int fill_color, int fill_code, int line_type, double x, double y, double r, int line_color) {
  _Regular_Mark(16, fill_color, fill_code, line_type, x, y, r, line_color);
}

void Plot_Circle_16_Checked(double x, double y, double r, int fill_color, int fill_code, int line_type,
                            int line_color) {
  if (r > 0.1) Plot_Circle_16(fill_color, fill_code, line_type, x, y, r, line_color);
}

void Plot_Bolt_Top(double x, double y, double d_hole, double d_washer, double d_head, int fill_color,
                   int line_color) {
  const PLOT_PALETTE *p = Get_Plot_Palette();
  int fill = fill_color < 0 ? p->pal_grey : fill_color;
  int line = line_color < 0 ? p->pal_grey : line_color;
  if (d_washer > 0.1) Plot_Circle_16(fill, p->fill_code_mark, 1, x, y, d_washer / 2, line);
  if (d_head > 0.1) Plot_Hexagon(fill, p->fill_code_section, 1, x, y, d_head / 2, line);
  if (d_hole > 0.1) {
    _Line_Style_Dashed();
    Plot_Circle_16(-1, 0, 1, x, y, d_hole / 2, line);
    _Line_Style_Plain();
  }
}

void Plot_Bolt_Top_Outline(double x, double y, double d_hole, double d_washer, double d_head, int line_color) {
  if (d_washer > 0.1) Plot_Circle_16(-1, 0, 1, x, y, d_washer / 2, line_color);
  if (d_hole > 0.1) Plot_Circle_16(-1, 0, 1, x, y, d_hole / 2, line_color);
  if (d_head > 0.1) Plot_Hexagon(-1, 0, 1, x, y, d_head / 2, line_color);
}

void Plot_Polygon_Filled_Outlined(int n, const double *y, const double *z, int fill_color, int fill_code,
                                  int line_type, int line_color) {
  if (n < 1 || !y || !z) return;
  Oliplot_Save_State();
  if (fill_color >= 0) {
    Plot_Palette_Color(fill_color);
    Oliplot_Set_Color(fill_code);
    Oliplot_Filled_Polygon(n, y, z);
  }
  for (int i = 1; i <= n; ++i) Plot_Colored_Line(y[i - 1], z[i - 1], y[i % n], z[i % n], line_color, line_type);
  Oliplot_Restore_State();
}

void Plot_Band(double y1, double z1, double y2, double z2, double w, double h, int fill_color, int fill_code,
               int line_type, int line_color) {
  const double hw = static_cast<float>(w / 2), hh = static_cast<float>(h / 2);
  const double py[4] = {y1 - hw, y2 - hw, y2 + hw, y1 + hw};
  const double pz[4] = {z1 - hh, z2 - hh, z2 + hh, z1 + hh};
  Plot_Polygon_Filled_Outlined(4, py, pz, fill_color, fill_code, line_type, line_color);
}

void Plot_Framed_Box(double x1, double y1, double x2, double y2, int fill_color, int fill_code, int line_type,
                     int line_color) {
  const double px[4] = {x1, x1, x2, x2};
  const double py[4] = {y1, y2, y2, y1};
  Plot_Polygon_Filled_Outlined(4, px, py, fill_color, fill_code, line_type, line_color);
}

void Plot_Slotted_Hole(double x, double y, double a, double b, double angle_deg, int fill_color, int fill_code,
                       int line_type, int line_color) {
  if (!(a >= 0.1) || !(b >= a - 0.01)) return;
  // Two half circles of radius a/2 about the centres ±(b − a)/2 on the slot's axis, in
  // 8 chords each: 18 points.
  double py[18], pz[18];
  const double r = a / 2, e = (b - a) / 2;
  for (int k = 0; k <= 8; ++k) {
    double t = -M_PI / 2 + k * M_PI / 8;
    py[k] = e + r * std::cos(t);
    pz[k] = r * std::sin(t);
    py[9 + k] = -e - r * std::cos(t);
    pz[9 + k] = -r * std::sin(t);
  }
  if (std::fabs(angle_deg) > 0.01) Rotate_Points(py, pz, 18, 0, 0, angle_deg * M_PI / 180);
  for (int k = 0; k < 18; ++k) {
    py[k] += x;
    pz[k] += y;
  }
  Oliplot_Save_State();
  if (fill_color >= 0) {
    Plot_Palette_Color(fill_color);
    Oliplot_Set_Color(fill_code);
    Oliplot_Filled_Polygon(18, py, pz);
    if (line_type >= 0) _Line_Type(line_type);
  }
  if (line_color >= 0) {
    if (line_type >= 0) {
      _Line_Type(line_type);
      Plot_Palette_Color(line_color);
    }
    Oliplot_Polyline(18, py, pz);
  }
  Oliplot_Restore_State();
}

static void _Weld_Label(int kind, double x, double y, double a, double h, int fill_color, int line_type,
                        int line_color, bool outline_first) {
  if (!(a >= 0.001)) return;
  const double d = 0.1 * h;
  const bool right = kind == 0 || kind == 3;
  const double dir = right ? 1.0 : -1.0;
  const double bx = x + dir * d, by = (kind == 2 || kind == 3) ? y + 3 * d : y - d;
  const double ex = bx + dir * (a > 9.45 ? 6 : 5) * d;
  Oliplot_Save_State();
  if (line_type >= 0) _Line_Type(line_type);
  _Line_Style_Plain();
  Plot_Colored_Line(x, y, bx, by, line_color, line_type);
  Plot_Colored_Line(bx, by, ex, by, line_color, line_type);
  Plot_Palette_Color(Get_Plot_Palette()->pal_outline);
  if (right || kind == 3)
    Oliplot_Text_Printf(bx, by, 2, 3, "a%.0lf", a);
  else
    Oliplot_Text_Printf(bx, by, 2, 1, "a%.0lf", a);
  // The weld symbol: a triangle of side 2d standing on the shelf's far end.
  const double tx[3] = {ex, ex - dir * 2 * d, ex - dir * d};
  const double ty[3] = {by, by, by - std::sqrt(3.0) * d};
  auto outline = [&] {
    if (line_color < 0) return;
    Plot_Palette_Color(line_color);
    Oliplot_Polyline(3, tx, ty);
  };
  if (outline_first) outline();
  if (fill_color >= 0) {
    Plot_Palette_Color(fill_color);
    Oliplot_Set_Color(64);
    Oliplot_Filled_Polygon(3, tx, ty);
  }
  if (!outline_first) outline();
  Oliplot_Restore_State();
}

void Plot_Weld_Label(int kind, double x, double y, double a, double h, int fill_color, int line_type,
                     int line_color) {
  _Weld_Label(kind, x, y, a, h, fill_color, line_type, line_color, false);
}

void Plot_Weld_Label_Other(int kind, double x, double y, double a, double h, int fill_color, int line_type,
                           int line_color) {
  _Weld_Label(kind, x, y, a, h, fill_color, line_type, line_color, true);
}

void Plot_Radius_Label(int kind, double x, double y, double r, double h, int line_color) {
  (void)line_color;
  if (!(r >= 0.001)) return;
  const double d = 0.1 * h;
  const double tx = (kind == 1 || kind == 2) ? x - d : x + d;
  const double ty = (kind == 2 || kind == 3) ? y + 3 * d : y - d;
  Oliplot_Save_State();
  _Line_Style_Plain();
  Plot_Palette_Color(Get_Plot_Palette()->pal_outline);
  if (kind == 1 || kind == 2)
    Oliplot_Text_Printf(tx, ty, 2, 1, "r%.0lf", r);
  else
    Oliplot_Text_Printf(tx, ty, 2, 3, "r%.0lf", r);
  Oliplot_Restore_State();
}

// A closed outline of n points (at most 8) moved to (x, y), turned a quarter turn for
// kinds 0 and 2, filled and outlined in pal_outline (in fill_color for line_flag < 0).
static void _Side_Part(int n, double *py, double *pz, int kind, int fill_color, int fill_code, double x, double y,
                       int line_flag) {
  for (int k = 0; k < n; ++k) {
    py[k] += x;
    pz[k] += y;
  }
  if (kind == 0 || kind == 2) Rotate_Points(py, pz, n, x, y, M_PI / 2);
  Oliplot_Save_State();
  if (fill_color >= 0) {
    Plot_Palette_Color(fill_color);
    Oliplot_Set_Color(fill_code);
    Oliplot_Filled_Polygon(n, py, pz);
  }
  Plot_Palette_Color(line_flag < 0 ? fill_color : Get_Plot_Palette()->pal_outline);
  Oliplot_Polyline(n, py, pz);
  Oliplot_Restore_State();
}

void Plot_Bolt_Head_Side(int kind, int fill_color, int fill_code, double x, double y, double w, double h,
                         int line_flag) {
  if (!(w >= 0.1) || !(h >= 0.1)) return;
  const double c = 0.15 * w, hw = w / 2;
  double py[6] = {-hw, -hw, -hw + c, hw - c, hw, hw};
  double pz[6] = {0, -h + c, -h, -h, -h + c, 0};
  _Side_Part(6, py, pz, kind, fill_color, fill_code, x, y, line_flag);
}

void Plot_Nut_Side(int kind, int fill_color, int fill_code, double x, double y, double w, double h, int line_flag) {
  if (!(w >= 0.1) || !(h >= 0.1)) return;
  const double c = w / 12, hw = w / 2;
  double py[8] = {-hw, -hw, -hw + c, hw - c, hw, hw, hw - c, -hw + c};
  double pz[8] = {-c, -h + c, -h, -h, -h + c, -c, 0, 0};
  _Side_Part(8, py, pz, kind, fill_color, fill_code, x, y, line_flag);
  // The edges of the nut's faces a quarter of the width from the centre.
  double ly[4] = {x - w / 4, x - w / 4, x + w / 4, x + w / 4};
  double lz[4] = {y, y - h, y, y - h};
  if (kind == 0 || kind == 2) Rotate_Points(ly, lz, 4, x, y, M_PI / 2);
  Oliplot_Line(ly[0], lz[0], ly[1], lz[1]);
  Oliplot_Line(ly[2], lz[2], ly[3], lz[3]);
}

void Plot_Rotated_Rectangle(double x, double y, double w, double h, double angle, int fill_color, int fill_code,
                            int line_color) {
  const double hw = static_cast<float>(w / 2), hh = static_cast<float>(h / 2);
  double py[4] = {x - hw, x + hw, x + hw, x - hw};
  double pz[4] = {y - hh, y - hh, y + hh, y + hh};
  Rotate_Quad(py, pz, x, y, angle);
  Plot_Polygon_Filled_Outlined(4, py, pz, fill_color, fill_code, 1, line_color);
}

void Plot_Bolt_Side_Rotated(double x, double y, double d, double l, double angle, int fill_color, int fill_code,
                            int line_color) {
  if (!(d >= 0.1) || !(l >= 0.1)) return;
  // Along the bolt's axis (u) from (x, y): head 0.7 d high and 1.6 d wide behind the
  // clamp, shank over the clamp length and 0.4 d beyond, nut 0.8 d high after it.
  const double c = std::cos(angle), s = std::sin(angle);
  auto at = [&](double u, double *px, double *pz) {
    *px = x + u * c;
    *pz = y - u * s;
  };
  double hx, hz, sx, sz, nx, nz;
  at(-0.35 * d, &hx, &hz);
  at((l + 0.4 * d) / 2 + 0.0, &sx, &sz);
  at(l + 0.4 * d, &nx, &nz);
  Plot_Rotated_Rectangle(hx, hz, 0.7 * d, 1.6 * d, angle, fill_color, fill_code, line_color);
  Plot_Rotated_Rectangle(sx, sz, l + 0.8 * d, d, angle, fill_color, fill_code, line_color);
  Plot_Rotated_Rectangle(nx, nz, 0.8 * d, 1.6 * d, angle, fill_color, fill_code, line_color);
}

void Plot_Bolt_Side(int kind, double x, double y, double d, double l, int fill_color, int fill_code, int line_color) {
  if (!(d >= 0.1) || !(l >= 0.1)) return;
  const PLOT_PALETTE *p = Get_Plot_Palette();
  const int line = line_color < 0 ? p->pal_outline : line_color;
  const int parts = fill_color < 0 ? p->pal_brown : fill_color;
  // Kinds 0..3: the bolt points down (+z), right (+y), up or left from (x, y).
  static const int kAxis[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
  kind = (kind % 4 + 4) % 4;
  const int uy = kAxis[kind][0], uz = kAxis[kind][1];
  const double ex = x + l * uy, ez = y + l * uz;  // the shank's far end
  const double head_h = 0.7 * d, nut_h = 0.8 * d;
  // The head and the nut stand across the shank: their side views unturned (kind 1) on a
  // vertical bolt, turned a quarter (kind 0) on a horizontal one. Such a view reaches from
  // its point against z (unturned) or against y (turned); the head must reach away from
  // the shank, the nut beyond the far end, so a view reaching the wrong way is moved by its
  // height.
  const bool vertical = uz != 0;
  const int view = vertical ? 1 : 0;
  const int u = vertical ? uz : uy;
  const double head_off = u < 0 ? head_h : 0.0, nut_off = u > 0 ? nut_h : 0.0;
  Plot_Bolt_Head_Side(view, parts, fill_code, vertical ? x : x + head_off, vertical ? y + head_off : y, 1.6 * d,
                      head_h, line);
  // The shank: d wide across the bolt's axis.
  const double across_x = vertical ? d / 2 : 0, across_y = vertical ? 0 : d / 2;
  Plot_Framed_Box(std::fmin(x, ex) - across_x, std::fmin(y, ez) - across_y, std::fmax(x, ex) + across_x,
                  std::fmax(y, ez) + across_y, fill_color, fill_code, 1, line);
  Plot_Nut_Side(view, parts, fill_code, vertical ? ex : ex + nut_off, vertical ? ez + nut_off : ez, 1.6 * d, nut_h,
                line);
}
