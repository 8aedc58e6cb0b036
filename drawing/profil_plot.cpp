// drawing/profil_plot.cpp — the cross-section of a profile as a graphic block of the
// print list: filled area, outline with fillets and toe radii, weld marks, plates, leg
// labels, dimension lines and the centroid group.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "drawing/drawing.h"
#include "drawing/drawing_state.h"
#include "drawing_base/drawing_base.h"
#include "host/oli_layout.h"
#include "print/print.h"
#include "support/support.h"

void Reset_Profil_Plot_Options(PROFIL_PLOT_OPTIONS *options) {
  if (options) *options = PROFIL_PLOT_OPTIONS{};
}

void Quarter_Ellipse_Points(double cy, double cz, double ry, double rz, double *y, double *z, int start, int n,
                            int direction) {
  if (n < 1 || !y || !z) return;
  for (int k = 1; k <= n; ++k) {
    double a = (start + k) * (M_PI / 2) / (n + 1);
    y[k - 1] = cy + ry * std::sin(a);
    z[k - 1] = cz - rz * std::cos(a);
  }
  if (direction < 0) {
    std::reverse(y, y + n);
    std::reverse(z, z + n);
  }
}

namespace {
constexpr int kMaxOuter = 50;
constexpr int kMaxInner = 30;

// How the five points of a corner lie.
enum CornerMode { kSharp = 0, kEndsKept = 1, kRounded = 2 };

struct Plot {
  const PROFIL_PLOT_OPTIONS *o;
  const PROFIL *p;
  const PLOT_PALETTE *pal;
  int flags, axis_mode, dims;
  double y0, z0, S, angle, R;
  double W;  // extent in y of the shape table
  double f1, f2, f3;
  int fill_code;
  int n = 0, ni = 0;
  double Y[kMaxOuter], Z[kMaxOuter];
  double Yi[kMaxInner], Zi[kMaxInner];
};

// cos and sin of 0°, 22.5°, 45°, 67.5° and 90°.
constexpr double kCos[5] = {1.0, 0.9238795325112867, 0.7071067811865475, 0.3826834323650898, 0.0};
constexpr double kSin[5] = {0.0, 0.3826834323650898, 0.7071067811865475, 0.9238795325112867, 1.0};
}  // namespace

// Five points of a quarter circle about (cy, cz) from (sy, sz) to (ey, ez): rounded, or
// the two tangent points with the corner between (kEndsKept), or all on the corner.
static void _Corner(double *Y, double *Z, int at, double sy, double sz, double cy, double cz, double ey, double ez,
                    CornerMode mode) {
  const double ky = sy + ey - cy, kz = sz + ez - cz;  // the sharp corner
  for (int k = 0; k < 5; ++k) {
    if (mode == kRounded) {
      Y[at + k] = cy + (sy - cy) * kCos[k] + (ey - cy) * kSin[k];
      Z[at + k] = cz + (sz - cz) * kCos[k] + (ez - cz) * kSin[k];
    } else if (mode == kEndsKept && (k == 0 || k == 4)) {
      Y[at + k] = k == 0 ? sy : ey;
      Z[at + k] = k == 0 ? sz : ez;
    } else {
      Y[at + k] = ky;
      Z[at + k] = kz;
    }
  }
}

static CornerMode _Root(const Plot &d) { return d.p->rolled ? kRounded : kEndsKept; }
static CornerMode _Toe(const Plot &d) { return d.f3 > 0.01 ? kRounded : kSharp; }

static bool _Is_I(int t) { return t == 4 || t == 5 || t == 7 || t == 10 || t == 13; }
static bool _Is_T(int t) { return t == 11 || t == 15; }
static bool _Is_Channel(int t) { return t == 12 || t == 6; }

// ---------------------------------------------------------------- outlines

// Left half of the I section, points 0..21.
static void _I_Half(Plot &d) {
  const PROFIL &p = *d.p;
  const double yl = d.y0 - p.b_fo / 2, ylu = d.y0 - p.b_fu / 2, yw = d.y0 - p.t_w / 2;
  const double zt = d.z0 + p.t_fo, zb = d.z0 + p.h - p.t_fu;
  d.Y[0] = yl;
  d.Z[0] = d.z0;
  _Corner(d.Y, d.Z, 1, yl, zt - d.f3, yl + d.f3, zt - d.f3, yl + d.f3, zt, _Toe(d));
  _Corner(d.Y, d.Z, 6, yw - d.f1, zt, yw - d.f1, zt + d.f1, yw, zt + d.f1, _Root(d));
  _Corner(d.Y, d.Z, 11, yw, zb - d.f2, yw - d.f2, zb - d.f2, yw - d.f2, zb, _Root(d));
  _Corner(d.Y, d.Z, 16, ylu + d.f3, zb, ylu + d.f3, zb + d.f3, ylu, zb + d.f3, _Toe(d));
  d.Y[21] = ylu;
  d.Z[21] = d.z0 + p.h;
}

// Points half .. 2·half − 1 are points half − 1 .. 0 mirrored about y0.
static void _Mirror_Half_Y(Plot &d, int half) {
  for (int k = 0; k < half; ++k) {
    d.Y[half + k] = 2 * d.y0 - d.Y[half - 1 - k];
    d.Z[half + k] = d.Z[half - 1 - k];
  }
  d.n = 2 * half;
}

static void _Outline_I(Plot &d) {
  _I_Half(d);
  _Mirror_Half_Y(d, 22);
}

// A tee: the left half of the I section's top, the stem's tip, mirrored; a library tee
// with sloped faces by its own outline (Get_Profil_Sloped_Outline), each rounded corner in
// four chords like the corners here.
static void _Outline_T(Plot &d) {
  double y[kMaxOuter], z[kMaxOuter];
  const int n = Get_Profil_Sloped_Outline(d.p, 4, y, z, kMaxOuter);
  if (n > 0) {
    for (int i = 0; i < n; ++i) {  // y from the reference edge at the left toe
      d.Y[i] = d.y0 - d.p->b_fo / 2 - y[i];
      d.Z[i] = d.z0 + z[i];
    }
    d.n = n;
  } else {
    _I_Half(d);  // points 0..10 of the I section
    d.Y[11] = d.y0 - d.p->t_w / 2;
    d.Z[11] = d.z0 + d.p->h;
    _Mirror_Half_Y(d, 12);
  }
  if (d.o->mirror_z)
    for (int i = 0; i < d.n; ++i) d.Z[i] = 2 * d.z0 - d.Z[i];
}

static void _Outline_Channel(Plot &d) {
  const PROFIL &p = *d.p;
  const double yi = d.y0 + p.t_w, zt = d.z0 - p.h / 2 + p.t_fo, ye = d.y0 + p.b_fo;
  _Corner(d.Y, d.Z, 0, yi, zt + d.f1, yi + d.f1, zt + d.f1, yi + d.f1, zt, _Root(d));
  _Corner(d.Y, d.Z, 5, ye - d.f3, zt, ye - d.f3, zt - d.f3, ye, zt - d.f3, _Toe(d));
  d.Y[10] = ye;
  d.Z[10] = d.z0 - p.h / 2;
  d.Y[11] = d.y0;
  d.Z[11] = d.z0 - p.h / 2;
  for (int k = 0; k < 12; ++k) {  // the bottom half: mirrored about the mid-height
    d.Y[12 + k] = d.Y[11 - k];
    d.Z[12 + k] = 2 * d.z0 - d.Z[11 - k];
  }
  d.n = 24;
  if (d.o->mirror_y)
    for (int i = 0; i < d.n; ++i) d.Y[i] = 2 * d.y0 - d.Y[i];
}

static void _Outline_Angle(Plot &d) {
  const PROFIL &p = *d.p;
  const double y0 = d.y0, z0 = d.z0;
  d.Y[0] = y0;
  d.Z[0] = z0 - p.b_fo;
  d.Y[1] = y0;
  d.Z[1] = z0;
  d.Y[2] = y0 + p.h;
  d.Z[2] = z0;
  _Corner(d.Y, d.Z, 3, y0 + p.h, z0 - p.t_w + d.f3, y0 + p.h - d.f3, z0 - p.t_w + d.f3, y0 + p.h - d.f3,
          z0 - p.t_w, _Toe(d));
  _Corner(d.Y, d.Z, 8, y0 + p.t_fo + d.f1, z0 - p.t_w, y0 + p.t_fo + d.f1, z0 - p.t_w - d.f1, y0 + p.t_fo,
          z0 - p.t_w - d.f1, _Root(d));
  _Corner(d.Y, d.Z, 13, y0 + p.t_fo, z0 - p.b_fo + d.f3, y0 + p.t_fo - d.f3, z0 - p.b_fo + d.f3,
          y0 + p.t_fo - d.f3, z0 - p.b_fo, _Toe(d));
  d.n = 18;
  for (int i = 0; i < d.n; ++i) {
    if (d.o->mirror_z) d.Z[i] = 2 * z0 - d.Z[i];
    if (d.o->mirror_y) d.Y[i] = 2 * y0 - d.Y[i];
  }
}

static void _Outline_Z(Plot &d) {
  const PROFIL &p = *d.p;
  const double yw = d.y0 - p.t_w / 2, zt = d.z0 + p.t_fo, yl = d.y0 - p.b_fo / 2;
  _Corner(d.Y, d.Z, 0, yw, zt + d.f1, yw - d.f1, zt + d.f1, yw - d.f1, zt, _Root(d));
  _Corner(d.Y, d.Z, 5, yl + d.f3, zt, yl + d.f3, zt - d.f3, yl, zt - d.f3, _Toe(d));
  d.Y[10] = yl;
  d.Z[10] = d.z0;
  d.Y[11] = d.y0 + p.t_w / 2;
  d.Z[11] = d.z0;
  for (int k = 0; k < 12; ++k) {  // reflected through the centre (y0, z0 + h/2)
    d.Y[12 + k] = 2 * d.y0 - d.Y[k];
    d.Z[12 + k] = 2 * d.z0 + p.h - d.Z[k];
  }
  d.n = 24;
}

static void _Outline_Flat(Plot &d) {
  const PROFIL &p = *d.p;
  const double t = d.o->mirror_y ? -p.t_w : p.t_w;
  const double y[4] = {d.y0, d.y0 + t, d.y0 + t, d.y0};
  const double z[4] = {d.z0, d.z0, d.z0 + p.h, d.z0 + p.h};
  std::memcpy(d.Y, y, sizeof y);
  std::memcpy(d.Z, z, sizeof z);
  d.n = 4;
}

// One contour of the rectangular hollow section (20 points): right face yr, top zt,
// bottom zb, corner radius r.
static void _Rhs_Contour(Plot &d, double *Y, double *Z, double yr, double zt, double zb, double r) {
  const CornerMode mode = _Root(d);
  _Corner(Y, Z, 0, yr - r, zt, yr - r, zt + r, yr, zt + r, mode);
  _Corner(Y, Z, 5, yr, zb - r, yr - r, zb - r, yr - r, zb, mode);
  for (int k = 0; k < 10; ++k) {
    Y[10 + k] = 2 * d.y0 - Y[9 - k];
    Z[10 + k] = Z[9 - k];
  }
}

static void _Outline_Rhs(Plot &d) {
  const PROFIL &p = *d.p;
  const double yr = d.y0 + p.b_fo / 2;
  _Rhs_Contour(d, d.Y, d.Z, yr, d.z0, d.z0 + p.h, d.f1);
  _Rhs_Contour(d, d.Yi, d.Zi, yr - p.t_w, d.z0 + p.t_fo, d.z0 + p.h - p.t_fo, d.f3);
  d.n = 20;
  d.ni = 20;
}

// Slope of the webs of shape 16 from the vertical.
static double _Box_Slope(const PROFIL &p) {
  return std::atan2((p.b_fo - p.b_fu) / 2, p.h - p.t_fo - p.t_fu);
}

static void _Outline_Box(Plot &d) {
  const PROFIL &p = *d.p;
  const double ya = d.y0 - p.b_fo / 2, yb = d.y0 - p.b_fu / 2;
  const double y[6] = {ya - p.ue_o, ya - p.ue_o, ya, yb, yb - p.ue_u, yb - p.ue_u};
  const double z[6] = {d.z0, d.z0 + p.t_fo, d.z0 + p.t_fo, d.z0 + p.h - p.t_fu, d.z0 + p.h - p.t_fu, d.z0 + p.h};
  std::memcpy(d.Y, y, sizeof y);
  std::memcpy(d.Z, z, sizeof z);
  _Mirror_Half_Y(d, 6);
  const double w = p.t_w / std::cos(_Box_Slope(p));
  // The cell, top left, bottom left, bottom right, top right.
  const double cy[4] = {ya + w, yb + w, 2 * d.y0 - yb - w, 2 * d.y0 - ya - w};
  const double cz[4] = {d.z0 + p.t_fo, d.z0 + p.h - p.t_fu, d.z0 + p.h - p.t_fu, d.z0 + p.t_fo};
  std::memcpy(d.Yi, cy, sizeof cy);
  std::memcpy(d.Zi, cz, sizeof cz);
  d.ni = 4;
}

static void _Outline_Trapez(Plot &d) {
  const PROFIL &p = *d.p;
  const double a = Get_Profil_Taper_Angle(&p), w = p.t_w / std::cos(a);
  const double y[4] = {d.y0 - p.b_fo / 2, d.y0 - p.b_fu / 2, d.y0 - p.b_fu / 2 + w,
                       d.y0 - p.b_fo / 2 + w - p.t_fo * std::tan(a)};
  const double z[4] = {d.z0, d.z0 + p.h, d.z0 + p.h, d.z0 + p.t_fo};
  std::memcpy(d.Y, y, sizeof y);
  std::memcpy(d.Z, z, sizeof z);
  _Mirror_Half_Y(d, 4);
}

// The outline points of the shape (none for round shapes and unknown types).
static void _Build_Outline(Plot &d) {
  const int t = d.p->type;
  d.n = d.ni = 0;
  if (_Is_I(t)) _Outline_I(d);
  else if (_Is_T(t)) _Outline_T(d);
  else if (_Is_Channel(t)) _Outline_Channel(d);
  else if (t == PROFIL_ANGLE) _Outline_Angle(d);
  else if (t == PROFIL_Z) _Outline_Z(d);
  else if (t == PROFIL_FLAT) _Outline_Flat(d);
  else if (t == PROFIL_RHS) _Outline_Rhs(d);
  else if (t == PROFIL_BOX) _Outline_Box(d);
  else if (t == PROFIL_TRAPEZ) _Outline_Trapez(d);
}

// ---------------------------------------------------------------- area and outline

static void _Edges(const Plot &d, const double *Y, const double *Z, int n) {
  for (int i = 1; i <= n; ++i)
    Plot_Colored_Line(Y[i - 1], Z[i - 1], Y[i % n], Z[i % n], d.o->line_color, d.o->line_type);
}

static void _Draw_Round(Plot &d) {
  const PROFIL &p = *d.p;
  double cy = d.y0, cz = d.z0 + p.h / 2;
  Rotate_Points(&cy, &cz, 1, d.y0, d.z0, d.angle);
  const bool tube = p.type == PROFIL_CHS;
  if (d.o->fill_color >= 0) {
    Plot_Palette_Color(d.o->fill_color);
    Oliplot_Set_Color(d.fill_code);
    if (tube)
      Oliplot_Filled_Ring(cy, cz, p.h, p.h - 2 * p.t_w);
    else
      Oliplot_Filled_Circle(cy, cz, p.h);
  }
  Plot_Palette_Color(d.o->line_color);
  if (d.o->line_color < 0 || d.o->line_type < 0) return;
  Tools_Fprintf(Oliplot_Stream(), " 4 %d\n", d.o->line_type);
  Oliplot_Arc(cy, cz, p.h, 0, 360);
  if (tube && !(d.flags & PLOT_FLAG_NO_INNER)) Oliplot_Arc(cy, cz, p.h - 2 * p.t_w, 0, 360);
}

static void _Draw_Area(Plot &d) {
  const int t = d.p->type;
  if (t == PROFIL_ROUND || t == PROFIL_CHS) {
    _Draw_Round(d);
    return;
  }
  if (d.n < 3) return;
  Rotate_Points(d.Y, d.Z, d.n, d.y0, d.z0, d.angle);
  Rotate_Points(d.Yi, d.Zi, d.ni, d.y0, d.z0, d.angle);
  if (d.o->fill_color >= 0) {
    Plot_Palette_Color(d.o->fill_color);
    Oliplot_Set_Color(d.fill_code);
    if (d.ni > 0) {
      // One polygon with the cell cut open along a seam: the outer points, the first
      // outer point again, then the cell backwards from its first point.
      double y[kMaxOuter + kMaxInner + 2], z[kMaxOuter + kMaxInner + 2];
      int k = 0;
      for (int i = 0; i < d.n; ++i, ++k) {
        y[k] = d.Y[i];
        z[k] = d.Z[i];
      }
      y[k] = d.Y[0];
      z[k++] = d.Z[0];
      y[k] = d.Yi[0];
      z[k++] = d.Zi[0];
      for (int i = d.ni - 1; i >= 0; --i, ++k) {
        y[k] = d.Yi[i];
        z[k] = d.Zi[i];
      }
      Oliplot_Filled_Polygon(k, y, z);
    } else {
      Oliplot_Filled_Polygon(d.n, d.Y, d.Z);
    }
  }
  Plot_Palette_Color(d.o->line_color);
  _Edges(d, d.Y, d.Z, d.n);
  if (d.ni > 0 && !(d.flags & PLOT_FLAG_NO_INNER)) _Edges(d, d.Yi, d.Zi, d.ni);
}

// ---------------------------------------------------------------- weld marks

static void _Weld_Marks(Plot &d) {
  const PROFIL &p = *d.p;
  const int t = p.type, grey = d.pal->pal_grey, line = d.o->line_color, lt = d.o->line_type;
  const double a = d.angle;
  auto tri = [&](int i, double leg, double start_deg, double sweep = M_PI / 2) {
    Plot_Weld_Triangle(d.Y[i], d.Z[i], leg, a + start_deg * M_PI / 180, sweep, grey, 1, line);
  };
  auto corner = [&](int kind, double y, double z, double la, double lb) {
    if (la >= 0.001 && lb >= 0.001) Plot_Corner_Weld(kind, grey, line, y, z, la, lb, a);
  };
  if (_Is_I(t) && !p.rolled) {
    Plot_Colored_Line(d.Y[8], d.Z[8], d.Y[35], d.Z[35], line, lt);
    tri(8, d.f1, 180);
    tri(35, d.f1, 270);
    Plot_Colored_Line(d.Y[13], d.Z[13], d.Y[30], d.Z[30], line, lt);
    tri(13, d.f2, 90);
    tri(30, d.f2, 0);
  } else if (_Is_T(t) && !p.rolled) {
    tri(8, d.f1, d.o->mirror_z ? 90 : 180);
    tri(15, d.f1, d.o->mirror_z ? 0 : 270);
    Plot_Colored_Line(d.Y[8], d.Z[8], d.Y[15], d.Z[15], line, lt);
  } else if (t == PROFIL_RHS && !p.rolled) {
    corner(2, d.Yi[2], d.Zi[2], p.t_w, p.t_fo);
    corner(1, d.Yi[7], d.Zi[7], p.t_w, p.t_fo);
    corner(0, d.Yi[12], d.Zi[12], p.t_w, p.t_fo);
    corner(3, d.Yi[17], d.Zi[17], p.t_w, p.t_fo);
  } else if ((_Is_Channel(t) || t == PROFIL_Z || t == PROFIL_ANGLE) && !p.rolled && p.a_o > 0.1) {
    // Corner kinds: 0 (−y, +z), 1 (+y, +z), 2 (+y, −z), 3 (−y, −z); a mirror turns the
    // side it mirrors.
    auto kind = [](bool left, bool down) { return left ? (down ? 0 : 3) : (down ? 1 : 2); };
    if (t == PROFIL_Z) {
      corner(0, d.Y[14], d.Z[14], p.t_w, p.t_fo);
      corner(2, d.Y[2], d.Z[2], p.t_w, p.t_fo);
    } else if (t == PROFIL_ANGLE) {
      // In the corner of the legs: across the standing leg (t_fo) and the lying one (t_w).
      corner(kind(!d.o->mirror_y, !d.o->mirror_z), d.Y[10], d.Z[10], p.t_fo, p.t_w);
    } else {
      const bool left = !d.o->mirror_y;
      corner(kind(left, false), d.Y[2], d.Z[2], p.t_w, p.t_fo);
      corner(kind(left, true), d.Y[21], d.Z[21], p.t_w, p.t_fo);
    }
  } else if (t == PROFIL_BOX) {
    const double th = _Box_Slope(p), leg = p.t_w / std::cos(th);
    Plot_Weld_Triangle(d.Y[2], d.Z[2], leg, a, th - M_PI / 2, grey, 1, line);
    Plot_Weld_Triangle(d.Y[9], d.Z[9], leg, a + M_PI, M_PI / 2 - th, grey, 1, line);
    Plot_Weld_Triangle(d.Y[3], d.Z[3], leg, a, M_PI / 2 + th, grey, 1, line);
    Plot_Weld_Triangle(d.Y[8], d.Z[8], leg, a + M_PI, -M_PI / 2 - th, grey, 1, line);
  }
}

// ---------------------------------------------------------------- plates

static bool _Takes_Plates(int t) { return _Is_I(t) || t == 11 || t == 15; }

// A plate outline of n points turned with the section, filled in fill with the section
// code when the section is filled, its edges in pal_grey.
static void _Plate(Plot &d, double *y, double *z, int n, int fill) {
  Rotate_Points(y, z, n, d.y0, d.z0, d.angle);
  if (d.o->fill_color >= 0) {
    Plot_Palette_Color(fill);
    Oliplot_Set_Color(d.pal->fill_code_section);
    Oliplot_Filled_Polygon(n, y, z);
  }
  for (int i = 1; i <= n; ++i) Plot_Colored_Line(y[i - 1], z[i - 1], y[i % n], z[i % n], d.pal->pal_grey, 1);
}

static void _Web_Plates(Plot &d) {
  const PROFIL &p = *d.p;
  const PLATE *plate = d.o->web_plate;
  const int count = plate ? d.o->web_plate_count : 0;
  if (count < 1) return;
  const double tp = plate->t > 0.1 ? plate->t : p.t_w;
  const double clear = p.h - p.t_fo - p.t_fu - d.f1 - d.f2;
  const double height = plate->b >= 0.1 ? plate->b : clear;
  const double ztop = d.z0 + p.t_fo + d.f1 + (plate->b >= 0.1 ? (clear - height) / 2 : 0);
  const double zbot = ztop + height;
  for (int side = 0; side < std::min(count, 2); ++side) {
    const double s = side == 0 ? -1.0 : 1.0;  // left face, then right face
    const double face = d.y0 + s * p.t_w / 2, out = face + s * tp;
    double y[4] = {face, out, out, face}, z[4] = {ztop, ztop, zbot, zbot};
    _Plate(d, y, z, 4, d.pal->pal_grey_light);
    Plot_Colored_Line(y[1], z[1], y[2], z[2], d.pal->pal_outline, 1);  // the free face
    const int grey = d.pal->pal_grey, line = d.o->line_color;
    auto tri = [&](int i, double leg, double left_deg, double right_deg) {
      Plot_Weld_Triangle(y[i], z[i], leg, d.angle + (side == 0 ? left_deg : right_deg) * M_PI / 180, M_PI / 2,
                         grey, 1, line);
    };
    if (d.o->web_plate_weld == 2) {
      tri(0, tp, 180, 270);
      tri(3, tp, 90, 0);
      tri(0, p.t_w, 270, 180);
      tri(3, p.t_w, 0, 90);
    } else {
      double size = d.o->web_plate_weld_size >= 0.1 ? d.o->web_plate_weld_size : tp / std::sqrt(2.0);
      tri(0, size * std::sqrt(2.0), 90, 0);
      tri(3, size * std::sqrt(2.0), 180, 270);
    }
  }
}

// Five points of the stiffener's corner at the web face (wy, wz): a snipe of size s
// about the corner, a straight 45° cut of size c, or the fillet of radius r; dz is the
// direction into the web height (+1 at the top flange, −1 at the bottom one).
static void _Stiffener_Corner(double *y, double *z, int at, double wy, double wz, double dz, double sy, int kind,
                              double size, bool reversed) {
  double py[5], pz[5];
  for (int k = 0; k < 5; ++k) {
    double c = kCos[k], s = kSin[k];
    if (kind == 0) {  // a snipe: quarter circle about the corner
      py[k] = wy + sy * size * s;
      pz[k] = wz + dz * size * c;
    } else if (kind == 1) {  // a 45° cut
      py[k] = wy + sy * size * k / 4;
      pz[k] = wz + dz * size * (4 - k) / 4.0;
    } else {  // following the root fillet about (wy + sy r, wz + dz r)
      py[k] = wy + sy * size * (1 - c);
      pz[k] = wz + dz * size * (1 - s);
    }
  }
  for (int k = 0; k < 5; ++k) {
    int j = reversed ? 4 - k : k;
    y[at + k] = py[j];
    z[at + k] = pz[j];
  }
}

static void _Stiffener(Plot &d) {
  const PROFIL &p = *d.p;
  const PLATE *st = d.o->stiffener;
  if (!st || d.o->stiffener_count < 1 || !(st->t >= 0.1)) return;
  const double b = st->b >= 0.1 ? st->b : ((p.b_fo - p.t_w) + std::min(0.0, p.b_fo - p.b_fu)) / 2;
  const double clear = p.h - p.t_fo - p.t_fu;
  const double l = (st->l < 0.1 || st->l > clear) ? clear : st->l;
  double zt = d.z0 + p.t_fo, zb = d.z0 + p.h - p.t_fu;
  const bool full = l >= clear;
  if (!full) {
    if (d.o->stiffener_from_top) zb = zt + l;
    else zt = zb - l;
  }
  const bool top = full || d.o->stiffener_from_top, bottom = full || !d.o->stiffener_from_top;
  int kind;
  double s_top, s_bot;
  if (d.o->stiffener_snipe > 0.1) {
    kind = 0;
    s_top = s_bot = d.o->stiffener_snipe;
  } else if (d.o->stiffener_snipe > 0.001) {
    kind = p.rolled ? 2 : 1;
    s_top = s_bot = p.rolled ? p.r : p.a_o * std::sqrt(2.0);
    if (!p.rolled) s_bot = p.a_u * std::sqrt(2.0);
  } else {
    kind = 0;
    s_top = 1.5 * d.f1;
    s_bot = 1.5 * d.f2;
  }
  if (!top) s_top = 0;
  if (!bottom) s_bot = 0;
  const double sy = -1.0;  // the stiffener stands left of the web
  const double wy = d.y0 - p.t_w / 2, yo = wy - b;
  double y[12], z[12];
  _Stiffener_Corner(y, z, 0, wy, zt, 1.0, sy, kind, s_top, false);
  y[5] = yo;
  z[5] = zt;
  y[6] = yo;
  z[6] = zb;
  _Stiffener_Corner(y, z, 7, wy, zb, -1.0, sy, kind, s_bot, true);
  _Plate(d, y, z, 12, d.pal->pal_grey_pale);
  // The edges along the flange faces keep the section's outline colour.
  if (top) Plot_Colored_Line(y[4], z[4], y[5], z[5], d.pal->pal_outline, d.o->line_type);
  if (bottom) Plot_Colored_Line(y[6], z[6], y[7], z[7], d.pal->pal_outline, d.o->line_type);
}

// ---------------------------------------------------------------- labels and dimensions

static void _Leg_Labels(Plot &d) {
  const PROFIL &p = *d.p;
  if (p.type != PROFIL_ANGLE || !(d.flags & PLOT_FLAG_ANGLE_LEGS)) return;
  double y[2] = {d.y0 + p.t_fo / 2, d.y0 + p.h / 2};
  double z[2] = {d.z0 - p.b_fo / 2, d.z0 - p.t_w / 2};
  for (int i = 0; i < 2; ++i) {
    if (d.o->mirror_y) y[i] = 2 * d.y0 - y[i];
    if (d.o->mirror_z) z[i] = 2 * d.z0 - z[i];
  }
  Rotate_Points(y, z, 2, d.y0, d.z0, d.angle);
  Plot_Palette_Color(d.pal->pal_outline);
  Oliplot_Text_Rotated(y[0], z[0], "2");
  Oliplot_Text_Rotated(y[1], z[1], "1");
}

// A dimension line; under mirror_y of a mirrored shape its x is mirrored and its
// direction turned, so that the label stays on the outer side.
static void _Dim(const Plot &d, double x1, double z1, double x2, double z2, int mode = -2) {
  const int t = d.p->type;
  if (d.o->mirror_y && (t == PROFIL_FLAT || t == PROFIL_ANGLE || _Is_Channel(t))) {
    std::swap(x1, x2);
    std::swap(z1, z2);
    x1 = 2 * d.y0 - x1;
    x2 = 2 * d.y0 - x2;
  }
  Oliplot_Dimension_Line(x1, z1, x2, z2, 0.1, mode);
}

static void _Dimensions(Plot &d) {
  const PROFIL &p = *d.p;
  const int t = p.type;
  const double y0 = d.y0, z0 = d.z0, RS = d.R * d.S, S = d.S;
  Plot_Palette_Color(d.pal->pal_outline);
  if (_Is_I(t)) {
    _Dim(d, y0 - d.W / 2 - 0.8 * RS, z0, y0 - d.W / 2 - 0.8 * RS, z0 + p.h);
    _Dim(d, y0 + p.b_fo / 2, z0 - 0.4 * RS, y0 - p.b_fo / 2, z0 - 0.4 * RS);
    if (std::fabs(p.b_fu - p.b_fo) > 0.1) {
      const double z = z0 - 0.4 * RS + p.h - p.t_fu;
      _Dim(d, y0 + p.b_fu / 2, z, y0 - p.b_fu / 2, z);
    }
  } else if (_Is_T(t)) {
    const double ztop = d.o->mirror_z ? z0 - p.h : z0;
    _Dim(d, y0 - p.b_fo / 2 - 0.8 * RS, ztop, y0 - p.b_fo / 2 - 0.8 * RS, ztop + p.h);
    _Dim(d, y0 + p.b_fo / 2, ztop - 0.8 * RS, y0 - p.b_fo / 2, ztop - 0.8 * RS);
  } else if (t == PROFIL_ANGLE) {
    if (!d.o->mirror_z) {
      _Dim(d, y0 - 0.8 * RS, z0 - p.b_fo, y0 - 0.8 * RS, z0);
      _Dim(d, y0 + p.h, z0 - p.b_fo + 0.8 * RS, y0, z0 - p.b_fo + 0.8 * RS);
    } else {
      _Dim(d, y0 + p.h + 0.8 * RS, z0, y0 + p.h + 0.8 * RS, z0 + p.b_fo);
      _Dim(d, y0 + p.h, z0 + p.b_fo + 0.8 * RS, y0, z0 + p.b_fo + 0.8 * RS);
    }
  } else if (_Is_Channel(t)) {
    double y = y0 - 0.8 * RS;
    if (d.axis_mode > 0 && std::fabs(p.y_M) > 0.1) y -= p.y_s + p.y_M;  // clear of "M"
    _Dim(d, y, z0 - p.h / 2, y, z0 + p.h / 2);
    const double z = z0 - p.h / 2 + p.t_fo + 0.8 * RS;
    _Dim(d, y0 + p.b_fo, z, y0, z);
  } else if (t == PROFIL_FLAT) {
    _Dim(d, y0 - 0.8 * RS, z0, y0 - 0.8 * RS, z0 + p.h);
    _Dim(d, y0 + p.t_w, z0 + p.h - 0.4 * S, y0, z0 + p.h - 0.4 * S);
  } else if (t == PROFIL_ROUND) {
    _Dim(d, y0 - p.h / 2 - RS, z0, y0 - p.h / 2 - RS, z0 + p.h);
  } else if (t == PROFIL_CHS) {
    _Dim(d, y0 + p.h / 2 + RS, z0, y0 + p.h / 2 + RS, z0 + p.h);
    _Dim(d, y0 - p.h / 2 - RS, z0 + p.t_w, y0 - p.h / 2 - RS, z0 + p.h - p.t_w);
  } else if (t == PROFIL_Z) {
    _Dim(d, y0 - p.b_fo / 2 - 0.8 * RS, z0, y0 - p.b_fo / 2 - 0.8 * RS, z0 + p.h);
    _Dim(d, y0 + p.b_fo / 2, z0 + p.t_fo + 0.8 * RS, y0 - p.b_fo / 2, z0 + p.t_fo + 0.8 * RS);
  } else if (t == PROFIL_RHS) {
    _Dim(d, y0 + p.b_fo / 2 + RS, z0, y0 + p.b_fo / 2 + RS, z0 + p.h);
    _Dim(d, y0 - p.b_fo / 2 - RS, z0 + p.t_fo, y0 - p.b_fo / 2 - RS, z0 + p.h - p.t_fo);
    _Dim(d, y0 + p.b_fo / 2, z0 + p.h / 2 + 0.5 * RS, y0 - p.b_fo / 2, z0 + p.h / 2 + 0.5 * RS);
    _Dim(d, y0 + p.b_fo / 2 - p.t_w, z0 + p.h / 2 - 0.5 * RS, y0 - p.b_fo / 2 + p.t_w, z0 + p.h / 2 - 0.5 * RS);
  } else if (t == PROFIL_BOX) {
    _Dim(d, y0 - d.W / 2 - 0.8 * RS, z0, y0 - d.W / 2 - 0.8 * RS, z0 + p.h);
    auto chain = [&](double b, double ue, double z) {
      _Dim(d, y0 + b / 2 + ue, z, y0 + b / 2, z);
      _Dim(d, y0 + b / 2, z, y0 - b / 2, z);
      _Dim(d, y0 - b / 2, z, y0 - b / 2 - ue, z, 2);
    };
    chain(p.b_fo, p.ue_o, z0 - 0.4 * RS);
    if (std::fabs(p.b_fu - p.b_fo) > 0.1 || std::fabs(p.ue_u - p.ue_o) > 0.1)
      chain(p.b_fu, p.ue_u, z0 - 0.4 * RS + p.h - p.t_fu);
  } else if (t == PROFIL_TRAPEZ) {
    const double y = y0 - std::max(p.b_fo, p.b_fu) / 2 - 0.8 * RS;
    _Dim(d, y, z0, y, z0 + p.h);
    _Dim(d, y0 + p.b_fo / 2, z0 - 0.8 * RS, y0 - p.b_fo / 2, z0 - 0.8 * RS);
    _Dim(d, y0 + p.b_fu / 2, z0 + p.h - 0.8 * RS, y0 - p.b_fu / 2, z0 + p.h - 0.8 * RS);
  }
}

// ---------------------------------------------------------------- centroid group

// A dot of diameter 0.1 S with its rim and the text beside it.
static void _Centre_Mark(double y, double z, double S, const char *text) {
  Oliplot_Filled_Circle(y, z, 0.1 * S);
  Oliplot_Arc(y, z, 0.1 * S, 0, 360);
  Oliplot_Text_Printf(y + 0.15 * S, z, 4, 3, "%s", text);
}

static void _Centroid_Group(Plot &d, bool known_shape) {
  const PROFIL &p = *d.p;
  const int t = p.type;
  const double y0 = d.y0, z0 = d.z0;
  const bool mz = d.o->mirror_z != 0;
  Plot_Palette_Color(d.pal->pal_green);
  double Py = y0, Pz = z0;
  if (known_shape) {
    if (t == PROFIL_ANGLE) Py = y0 + p.h;
    else if (_Is_Channel(t)) Pz = z0 - p.h / 2;
    else if (t == PROFIL_Z) Py = y0 + p.y_s;
    else if (_Is_I(t) || t == PROFIL_TRAPEZ) Py = y0 - std::max(p.b_fo, p.b_fu) / 2;
    else if (_Is_T(t) || t == PROFIL_RHS) Py = y0 - p.b_fo / 2;
    else if (t == PROFIL_ROUND || t == PROFIL_CHS) Py = y0 - p.h / 2;
    else if (t == PROFIL_BOX) Py = y0 - d.W / 2;
  }
  double sy, sz, my, mzv;
  if (known_shape && t == PROFIL_ANGLE) {
    // The section values have leg h standing, the drawing lays it flat: transposed.
    sy = Py - p.z_s;
    sz = mz ? Pz - p.y_s : Pz + p.y_s;
    my = sy - p.z_M;
    mzv = mz ? sz - p.y_M : sz + p.y_M;
  } else {
    sy = Py - p.y_s;
    sz = mz ? Pz - p.z_s : Pz + p.z_s;
    my = sy - p.y_M;
    mzv = mz ? sz - p.z_M : sz + p.z_M;
  }
  if (d.o->mirror_y && (t == PROFIL_FLAT || t == PROFIL_ANGLE || _Is_Channel(t))) {
    sy = 2 * y0 - sy;
    my = 2 * y0 - my;
  }
  // The axis pair's first arm runs along (cos θ, sin θ), its second along (sin θ, −cos θ):
  // "y" to the left and "z" down.
  if (d.axis_mode == 1) Oliplot_Axis_Pair(sy, sz, "y", "z", 0.5, M_PI);
  else if (d.axis_mode == 2) Oliplot_Axis_Pair(sy, sz, "", "", 1.0, M_PI);
  else if (d.axis_mode == 3) Oliplot_Filled_Circle(sy, sz, 0.1 * d.S);
  Oliplot_Set_Color(64);
  Plot_Palette_Color(d.pal->pal_green);
  _Centre_Mark(sy, sz, d.S, "S");
  if (std::fabs(p.y_M) > 0.1 || std::fabs(p.z_M) > 0.1) _Centre_Mark(my, mzv, d.S, "M");
}

// ---------------------------------------------------------------- the plot

// Extent W × H of the shape and its free-standing origin; false for an unknown shape.
static bool _Extent(const PROFIL_PLOT_OPTIONS &o, const PROFIL &p, double *W, double *H, double *y0, double *z0) {
  const int t = p.type;
  *z0 = 0;
  if (_Is_I(t) || t == PROFIL_TRAPEZ) {
    *W = std::max(p.b_fo, p.b_fu);
    *H = p.h;
    *y0 = *W / 2;
  } else if (_Is_T(t)) {
    *W = p.b_fo;
    *H = p.h;
    *y0 = p.b_fo / 2;
    if (o.mirror_z) *z0 = p.h;
  } else if (_Is_Channel(t)) {
    *W = p.b_fo;
    *H = p.h;
    *y0 = o.mirror_y ? *W : 0;
    *z0 = p.h / 2;
  } else if (t == PROFIL_Z || t == PROFIL_RHS) {
    *W = p.b_fo;
    *H = p.h;
    *y0 = p.b_fo / 2;
  } else if (t == PROFIL_ANGLE) {
    *W = p.h;
    *H = p.b_fo;
    *y0 = o.mirror_y ? *W : 0;
    *z0 = o.mirror_z ? 0 : p.b_fo;
  } else if (t == PROFIL_FLAT) {
    *W = p.t_w;
    *H = p.h;
    *y0 = o.mirror_y ? p.t_w : 0;
  } else if (t == PROFIL_BOX) {
    *W = std::max(p.b_fo + 2 * p.ue_o, p.b_fu + 2 * p.ue_u);
    *H = p.h;
    *y0 = *W / 2;
  } else if (t == PROFIL_ROUND || t == PROFIL_CHS) {
    *W = *H = p.h;
    *y0 = p.h / 2;
  } else {
    return false;
  }
  return true;
}

double Plot_Profil_Querschnitt(const PROFIL_PLOT_OPTIONS *options, FILE *stream, int flags, int axis_mode,
                               int with_dimensions) {
  if (!options) return 0.0;
  if (!options->profil) return options->scale;
  const PROFIL &p = *options->profil;
  Plot d;
  d.o = options;
  d.p = &p;
  d.pal = Get_Plot_Palette();
  d.flags = flags;
  d.axis_mode = axis_mode;
  d.dims = with_dimensions;
  const bool free_standing = options->scale < 1e-8;
  double W = 0, H = 0, fy0 = 0, fz0 = 0;
  const bool known = _Extent(*options, p, &W, &H, &fy0, &fz0);
  d.W = W;
  if (free_standing) {
    if (!stream || !known || W < 1.0 || H < 1.0) return options->scale;
    const bool flat = p.type == PROFIL_FLAT;
    const double m = with_dimensions ? 1.0 : 0.4, top = flat ? 0.4 : m;
    d.R = (with_dimensions && !flat) ? 0.6 : 0.0;
    const double wr = with_dimensions ? 1.2 : 0.0;
    const double s = Nice_Drawing_Scale(W, H, 16.0 - 0.8 - wr, Get_Section_Plot_Height() - 0.8 - d.R, 1);
    d.S = 1.0 / s;
    if (Drawing_Begin_Free_Block(stream, -m * d.S, H + 0.4 * d.S, W + m * d.S, -top * d.S, s,
                                 options->angle * M_PI / 180, d.pal->pal_outline) != 0)
      return options->scale;
    d.y0 = fy0;
    d.z0 = fz0;
    d.angle = 0;
  } else {
    d.S = options->scale;
    d.y0 = options->y0;
    d.z0 = options->z0;
    d.angle = options->angle * M_PI / 180;
    d.R = (with_dimensions && p.type != PROFIL_FLAT) ? 0.6 : 0.0;
    if (std::fabs(d.angle) >= 0.001) {  // turned insets carry neither axes nor dimensions
      d.axis_mode = 0;
      d.dims = 0;
    }
  }
  Get_Profil_Fillet_Sizes(&p, &d.f1, &d.f2, &d.f3);
  d.fill_code = options->fill_color == 0 ? 0 : d.pal->fill_code_section;
  Oliplot_Save_State();
  if (known) {
    _Build_Outline(d);
    _Draw_Area(d);
    _Weld_Marks(d);
    if (_Takes_Plates(p.type)) {
      _Stiffener(d);
      _Web_Plates(d);
    }
    _Leg_Labels(d);
    if (d.dims) _Dimensions(d);
  }
  if (d.axis_mode > 0) _Centroid_Group(d, known);
  Oliplot_Restore_State();
  if (!free_standing) return options->scale;
  Oliplot_End_Grafic(stream);
  OLI_setYPositionCM(stream, 1, -0.5);
  return d.S;
}

// ---------------------------------------------------------------- the older outline form

void Calc_Profil_Outline_Points(const PROFIL *profil, double y0, double z0, double angle_deg, double *y, double *z,
                                int *count, double *py, double *pz) {
  if (count) *count = 0;
  if (!profil || !y || !z) return;
  PROFIL_PLOT_OPTIONS o{};
  Plot d;
  d.o = &o;
  d.p = profil;
  d.pal = Get_Plot_Palette();
  d.y0 = y0;
  d.z0 = z0;
  Get_Profil_Fillet_Sizes(profil, &d.f1, &d.f2, &d.f3);
  if (profil->type == PROFIL_CHS) {  // the tube as 32 points at steps of π/16
    for (int k = 0; k < 32; ++k) {
      d.Y[k] = y0 + profil->h / 2 * std::cos(k * M_PI / 16);
      d.Z[k] = z0 + profil->h / 2 + profil->h / 2 * std::sin(k * M_PI / 16);
    }
    d.n = 32;
  } else {
    _Build_Outline(d);
  }
  const double a = angle_deg * M_PI / 180;
  Rotate_Points(d.Y, d.Z, d.n, y0, z0, a);
  std::memcpy(y, d.Y, sizeof(double) * d.n);
  std::memcpy(z, d.Z, sizeof(double) * d.n);
  if (count) *count = d.n;
  if (py && pz) Rotate_Points(py, pz, 1, y0, z0, a);
}

void Drawing_Profil_Outline(const PROFIL *profil, int mirror_z, int mirror_y, double *y, double *z, int *n,
                            double *yi, double *zi, int *ni) {
  *n = *ni = 0;
  if (!profil) return;
  PROFIL_PLOT_OPTIONS o{};
  o.mirror_z = mirror_z;
  o.mirror_y = mirror_y;
  Plot d;
  d.o = &o;
  d.p = profil;
  d.pal = Get_Plot_Palette();
  d.y0 = d.z0 = 0;
  Get_Profil_Fillet_Sizes(profil, &d.f1, &d.f2, &d.f3);
  _Build_Outline(d);
  std::memcpy(y, d.Y, sizeof(double) * d.n);
  std::memcpy(z, d.Z, sizeof(double) * d.n);
  std::memcpy(yi, d.Yi, sizeof(double) * d.ni);
  std::memcpy(zi, d.Zi, sizeof(double) * d.ni);
  *n = d.n;
  *ni = d.ni;
}

int Drawing_Begin_Free_Block(FILE *stream, double x_min, double z_max, double x_max, double z_min, double s,
                             double angle, int outline_color) {
  const int rc = Oliplot_Begin_Grafic(stream, x_min, z_max, x_max, z_min, s, s, angle, 0);
  if (rc != 0) return rc;
  Oliplot_Set_Extended_Mode(1);
  Tools_Fprintf(stream, " 8 %d\n", 6);                // font
  Tools_Fprintf(stream, " 7 %d\n", 9);                // text size (points)
  Tools_Fprintf(stream, " 4 %d\n", 1);                // line type
  Tools_Fprintf(stream, " 38 %d %s %d\n", 0, " ", 0);  // text direction and frame
  Oliplot_Set_Dimension_Style(8);
  Plot_Palette_Color(outline_color);
  return 0;
}
