// drawing/profil_screen.cpp — the screen picture of a profile's cross-section: the fitted
// background, the filled outline, welds, stiffeners, web plates, axes, "S" and "M".
//
// Every point is built in the shape's own frame about its anchor (x right, y down, the
// shape unmirrored and unturned), then mirrored (mirror_z, mirror_y) and turned like the
// outline, so that the centroid, the shear centre and the weld marks stay on their places
// whatever the mirrors and the angle.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "drawing/drawing.h"
#include "drawing/drawing_state.h"
#include "drawing_base/drawing_base.h"
#include "host/host.h"
#include "support/support.h"

namespace {
constexpr unsigned char kDot[5] = {0x70, 0xF8, 0xF8, 0xF8, 0x70};

struct Pic {
  const PROFIL_SCREEN_STATE *o;
  const PROFIL *p;
  const SCREEN_COLORS *sc;
  int flags;
  int type;
  double s;              // pixels per mm
  double f1, f2, f3;     // fillet sizes (mm)
  int ax, ay;            // anchor
  bool mz, my;           // mirrors in force for this shape
  double a;              // turn (radians)
  int cx, cy;            // centre of the turn
  int hole;              // colour of the inner cell
};

bool _Is_I(int t) { return t == 4 || t == 5 || t == 7 || t == 10 || t == 13; }
bool _Turns_About_Anchor(int t) { return t == 1 || t == 3 || t == 6 || t == 11 || t == 12 || t == 15 || t == 17; }
}  // namespace

static int R(double v) { return Round_Pixel_Int(v); }

void Reset_Profil_Screen_State(PROFIL_SCREEN_STATE *state) {
  if (!state) return;
  *state = PROFIL_SCREEN_STATE{};
  state->fill_color = -1;
  state->line_color = -1;
  state->hole_color = -1;
}

// A point of the shape's own frame to the screen: mirrored about the anchor, then turned.
static void _Place(const Pic &d, int *x, int *y) {
  if (d.my) *x = 2 * d.ax - *x;
  if (d.mz) *y = 2 * d.ay - *y;
  if (d.a != 0) Rotate_Pixel_Point(d.cx, d.cy, x, y, d.a);
}
static void _Place_All(const Pic &d, int *x, int *y, int n) {
  for (int i = 0; i < n; ++i) _Place(d, &x[i], &y[i]);
}
// A mm offset from the anchor in the shape's own frame, to the screen.
static void _Place_mm(const Pic &d, double dx, double dy, int *x, int *y) {
  *x = d.ax + R(dx * d.s);
  *y = d.ay + R(dy * d.s);
  _Place(d, x, y);
}

// A triangle at the corner (x, y) of the own frame with the legs la along the direction
// start (radians, counter-clockwise on the screen) and lb along start + sweep; mirrored and
// turned like the outline.
static void _Triangle(const Pic &d, int x, int y, int la, int lb, double start, double sweep, int fill, int width,
                      int line) {
  int px[3] = {x, x + R(Snap_Unit(std::cos(start)) * la), x + R(Snap_Unit(std::cos(start + sweep)) * lb)};
  int py[3] = {y, y - R(Snap_Unit(std::sin(start)) * la), y - R(Snap_Unit(std::sin(start + sweep)) * lb)};
  _Place_All(d, px, py, 3);
  Draw_Polygon_Filled_Outlined(3, px, py, fill, width, line);
}

// Extent W × H (mm) of the fitted shape; false for a shape without one.
static bool _Extent(const PROFIL &p, double *W, double *H) {
  const int t = p.type;
  if (_Is_I(t) || t == 17) *W = std::max(p.b_fo, p.b_fu), *H = p.h;
  else if (t == 6 || t == 8 || t == 11 || t == 12 || t == 14 || t == 15) *W = p.b_fo, *H = p.h;
  else if (t == 3) *W = p.h, *H = p.b_fo;
  else if (t == 1) *W = p.t_w, *H = p.h;
  else if (t == 2 || t == 9) *W = *H = p.h;
  else if (t == 16) *W = std::max(p.b_fo + 2 * p.ue_o, p.b_fu + 2 * p.ue_u), *H = p.h;
  else return false;
  return true;
}

// Anchor of the shape from the top-left corner of its fitted box.
static void _Anchor_From_Box(Pic &d, double W, int left, int top) {
  const PROFIL &p = *d.p;
  const int t = d.type;
  d.ax = left;
  d.ay = top;
  if (_Is_I(t) || t == 16 || t == 17) d.ax = left + R(W / 2 * d.s);
  else if (t == 8 || t == 14 || t == 11 || t == 15) d.ax = left + R(p.b_fo / 2 * d.s);
  else if (t == 2 || t == 9) d.ax = left + R(p.h / 2 * d.s);
  else if (t == 6 || t == 12) d.ay = top + R(p.h / 2 * d.s);
  if ((t == 11 || t == 15) && d.mz) d.ay = top + R(p.h * d.s);
  if (t == 3) {
    if (!d.mz) d.ay = top + R(p.b_fo * d.s);
    if (d.my) d.ax = left + R(p.h * d.s);
  }
}

// Centroid and shear centre in the own frame (unmirrored, unturned).
static void _Centres(const Pic &d, double W, int *sx, int *sy, int *mx, int *my) {
  const PROFIL &p = *d.p;
  const int t = d.type;
  int left = d.ax, top = d.ay;
  if (_Is_I(t) || t == 16 || t == 17) left = d.ax - R(W / 2 * d.s);
  else if (t == 8 || t == 11 || t == 15 || t == 14) left = d.ax - R(p.b_fo / 2 * d.s);
  else if (t == 2 || t == 9) left = d.ax - R(p.h / 2 * d.s);
  else if (t == 6 || t == 12) top = d.ay - R(p.h / 2 * d.s);
  double dmx = -p.y_M * d.s, dmy = p.z_M * d.s;
  if (t == 3) {  // the section values stand leg h upright; the picture lays it flat
    *sx = d.ax + R(p.h * d.s) - R(p.z_s * d.s);
    *sy = d.ay + R(p.y_s * d.s);
    dmx = -p.z_M * d.s;
    dmy = p.y_M * d.s;
  } else {
    *sx = (t == 14 || t == 17) ? d.ax : left - R(p.y_s * d.s);
    *sy = top + R(p.z_s * d.s);
  }
  *mx = Trunc_Pixel(*sx + dmx);
  *my = Trunc_Pixel(*sy + dmy);
}

// Edges of n points with pxTkLn in the current colour.
static void _Edges(const int *x, const int *y, int n, int width) {
  for (int i = 0; i < n; ++i) pxTkLn(x[i], y[i], x[(i + 1) % n], y[(i + 1) % n], width);
}

static void _Round_Shapes(const Pic &d) {
  const PROFIL &p = *d.p;
  const PROFIL_SCREEN_STATE &o = *d.o;
  const int ro = R(p.h / 2 * d.s);
  int cx = d.ax, cy = d.ay + ro;
  _Place(d, &cx, &cy);
  if (d.type == 2) {
    Draw_Filled_Circle(cx, cy, ro, 32, o.fill_color, o.line_width, o.line_color);
    return;
  }
  const int ri = ro - R(p.t_w * d.s);
  const bool outer_only = d.flags & SCREEN_FLAG_OUTER_ONLY;
  if (o.line_width < 3) {
    if (outer_only) Draw_Filled_Circle(cx, cy, ro, 32, o.fill_color, o.line_width, o.line_color);
    else Draw_Filled_Ring(cx, cy, ro, ri, 32, o.fill_color, o.line_width, o.line_color);
    return;
  }
  Draw_Filled_Circle(cx, cy, ro, 32, o.fill_color, o.line_width, o.line_color);
  Draw_Filled_Circle(cx, cy, ro, 32, -1, 1, d.sc->black);
  if (!outer_only) Draw_Filled_Circle(cx, cy, ri, 32, d.hole, 1, d.sc->black);
}

// Welds of a welded shape, in grey_dim with edges in line_color.
static void _Welds(const Pic &d) {
  const PROFIL &p = *d.p;
  const PROFIL_SCREEN_STATE &o = *d.o;
  const int t = d.type, grey = d.sc->grey_dim, line = o.line_color;
  const int lw = R(p.t_w * d.s), lf = R(p.t_fo * d.s);
  const bool corner = lw >= 1 && lf >= 1;
  auto X = [&](double mm) { return d.ax + R(mm * d.s); };
  auto Y = [&](double mm) { return d.ay + R(mm * d.s); };
  if (t == 16) {  // always: at the cell's four corners, legs of the sloping web's width
    const double th = std::atan2((p.b_fo - p.b_fu) / 2, p.h - p.t_fo - p.t_fu);
    const int L = R(p.t_w / std::cos(th) * d.s);
    const double wa = p.b_fo / 2 - p.t_w / std::cos(th), wb = p.b_fu / 2 - p.t_w / std::cos(th);
    const double zt = p.t_fo, zb = p.h - p.t_fu;
    _Triangle(d, X(-wa), Y(zt), L, L, 0, M_PI / 2 + th, grey, 1, line);
    _Triangle(d, X(wa), Y(zt), L, L, 3 * M_PI / 2 - th, M_PI / 2 + th, grey, 1, line);
    _Triangle(d, X(-wb), Y(zb), L, L, M_PI / 2 - th, M_PI / 2 - th, grey, 1, line);
    _Triangle(d, X(wb), Y(zb), L, L, M_PI, M_PI / 2 - th, grey, 1, line);
    return;
  }
  if (p.rolled) return;
  if (t == 8 && corner) {  // the cell's corners
    const double yi = p.b_fo / 2 - p.t_w, zt = p.t_fo, zb = p.h - p.t_fo;
    _Triangle(d, X(-yi), Y(zt), lf, lw, 0, -M_PI / 2, grey, 1, line);
    _Triangle(d, X(yi), Y(zt), lf, lw, M_PI, M_PI / 2, grey, 1, line);
    _Triangle(d, X(-yi), Y(zb), lf, lw, 0, M_PI / 2, grey, 1, line);
    _Triangle(d, X(yi), Y(zb), lf, lw, M_PI, -M_PI / 2, grey, 1, line);
  } else if (t == 3 && corner) {  // the inner corner of the legs
    _Triangle(d, X(p.t_fo), Y(-p.t_w), lw, lf, 0, M_PI / 2, grey, 1, line);
  } else if ((t == 6 || t == 12) && corner) {
    _Triangle(d, X(p.t_w), Y(-p.h / 2 + p.t_fo), lw, lf, 0, -M_PI / 2, grey, 1, line);
    _Triangle(d, X(p.t_w), Y(p.h / 2 - p.t_fo), lw, lf, 0, M_PI / 2, grey, 1, line);
  } else if (t == 14 && corner) {
    // In the inner corners: under the top flange left of the web, above the bottom flange
    // right of it (the flanges run to opposite sides).
    _Triangle(d, X(-p.t_w / 2), Y(p.t_fo), lw, lf, M_PI, M_PI / 2, grey, 1, line);
    _Triangle(d, X(p.t_w / 2), Y(p.h - p.t_fo), lw, lf, 0, M_PI / 2, grey, 1, line);
  } else if (_Is_I(t)) {
    const double yw = p.t_w / 2, zt = p.t_fo, zb = p.h - p.t_fu;
    const int lt = R(d.f1 * d.s), lb = R(d.f2 * d.s);
    int sx[4] = {X(-yw), X(yw), X(-yw), X(yw)}, sy[4] = {Y(zt), Y(zt), Y(zb), Y(zb)};
    _Place_All(d, sx, sy, 4);
    Draw_Colored_Thick_Line(sx[0], sy[0], sx[1], sy[1], line, 1);  // the seams across the web
    Draw_Colored_Thick_Line(sx[2], sy[2], sx[3], sy[3], line, 1);
    _Triangle(d, X(-yw), Y(zt), lt, lt, M_PI, M_PI / 2, grey, 1, line);
    _Triangle(d, X(yw), Y(zt), lt, lt, 3 * M_PI / 2, M_PI / 2, grey, 1, line);
    _Triangle(d, X(-yw), Y(zb), lb, lb, M_PI / 2, M_PI / 2, grey, 1, line);
    _Triangle(d, X(yw), Y(zb), lb, lb, 0, M_PI / 2, grey, 1, line);
  } else if (t == 11 || t == 15) {
    const double yw = p.t_w / 2, zt = p.t_fo;
    const int lt = R(d.f1 * d.s);
    _Triangle(d, X(-yw), Y(zt), lt, lt, M_PI, M_PI / 2, grey, 1, line);
    _Triangle(d, X(yw), Y(zt), lt, lt, 3 * M_PI / 2, M_PI / 2, grey, 1, line);
    int sx[2] = {X(-yw), X(yw)}, sy[2] = {Y(zt), Y(zt)};
    _Place_All(d, sx, sy, 2);
    Draw_Colored_Thick_Line(sx[0], sy[0], sx[1], sy[1], line, o.line_width);
  }
}

// Five points of a concave corner cut about (x, y) in mm: a quarter circle of radius r
// from the point r along u to the point r along v; r 0: five points on the corner.
static void _Snipe(double x, double y, double ux, double uy, double vx, double vy, double r, bool chamfer,
                   double *px, double *py) {
  for (int k = 0; k < 5; ++k) {
    const double p = k * M_PI / 8;
    double c = std::cos(p), s = std::sin(p);
    if (chamfer) c = k < 2 ? 1 : 0, s = k < 2 ? 0 : 1;
    px[k] = x + r * (c * ux + s * vx);
    py[k] = y + r * (c * uy + s * vy);
  }
}

static void _Plate(const Pic &d, const double *mx, const double *my, int n, int fill, int line) {
  int x[12], y[12];
  for (int i = 0; i < n; ++i) {
    x[i] = d.ax + R(mx[i] * d.s);
    y[i] = d.ay + R(my[i] * d.s);
  }
  _Place_All(d, x, y, n);
  Draw_Polygon_Filled_Outlined(n, x, y, fill, 1, line);
}

static void _Stiffeners(const Pic &d) {
  const PROFIL &p = *d.p;
  const PROFIL_SCREEN_STATE &o = *d.o;
  const PLATE &st = *o.stiffener;
  const double clear = p.h - p.t_fo - p.t_fu;
  double b = st.b >= 0.1 ? st.b : ((p.b_fo - p.t_w) + std::min(0.0, p.b_fo - p.b_fu)) / 2;
  double l = (st.l < 0.1 || st.l > clear) ? clear : st.l;
  const bool full = l >= clear - 0.1;
  double z1 = p.t_fo, z2 = p.t_fo + l;  // hangs from the top flange
  if (!full && !o.stiffener_from_top) z1 = p.h - p.t_fu - l, z2 = p.h - p.t_fu;
  const bool top_at_flange = full || o.stiffener_from_top, bottom_at_flange = full || !o.stiffener_from_top;
  const double ct = std::sqrt(2.0) * p.a_o, cb = std::sqrt(2.0) * p.a_u;
  auto snipe = [&](bool top, bool *chamfer) {
    *chamfer = false;
    if (o.stiffener_snipe > 0.001) return o.stiffener_snipe;
    if (o.stiffener_snipe < -0.001) return 0.0;
    if (p.rolled) return 1.5 * p.r;
    return 1.5 * (top ? ct : cb);
  };
  for (int side = -1; side <= 1; side += 2) {
    const double yw = side * p.t_w / 2, yo = side * (p.t_w / 2 + b);
    double px[12], py[12];
    bool cht, chb;
    double rt = top_at_flange ? snipe(true, &cht) : 0, rb = bottom_at_flange ? snipe(false, &chb) : 0;
    if (rt <= 0.1 && top_at_flange && !p.rolled) rt = ct, cht = true;
    else if (rt <= 0.1) rt = 0, cht = false;
    if (rb <= 0.1 && bottom_at_flange && !p.rolled) rb = cb, chb = true;
    else if (rb <= 0.1) rb = 0, chb = false;
    // Outer top, the top snipe from the flange to the web, the bottom one from the web to
    // the flange, outer bottom.
    px[0] = yo, py[0] = z1;
    _Snipe(yw, z1, 0, 1, side, 0, rt, cht, px + 1, py + 1);
    std::reverse(px + 1, px + 6);
    std::reverse(py + 1, py + 6);
    _Snipe(yw, z2, side, 0, 0, -1, rb, chb, px + 6, py + 6);
    std::reverse(px + 6, px + 11);
    std::reverse(py + 6, py + 11);
    px[11] = yo, py[11] = z2;
    _Plate(d, px, py, 12, d.sc->grey_pale, d.sc->grey_dim);
  }
}

static void _Web_Plates(const Pic &d) {
  const PROFIL &p = *d.p;
  const PROFIL_SCREEN_STATE &o = *d.o;
  const double tp = o.web_plate->t >= 0.1 ? o.web_plate->t : p.t_w;
  const double hb = o.web_plate->b >= 0.1 ? o.web_plate->b : p.d_w;
  const double zc = p.t_fo + (p.h - p.t_fo - p.t_fu) / 2, z1 = zc - hb / 2, z2 = zc + hb / 2;
  const double a = d.a;
  for (int side = -1; side <= (o.web_plate_count >= 2 ? 1 : -1); side += 2) {
    const double yw = side * p.t_w / 2, yo = side * (p.t_w / 2 + tp);
    const double px[4] = {yw, yo, yo, yw}, py[4] = {z1, z1, z2, z2};
    _Plate(d, px, py, 4, d.sc->grey_pale, d.sc->grey_dim);
    const int grey = d.sc->grey_dim, black = d.sc->black;
    int x[2], y[2];
    if (o.web_plate_weld_size <= tp - 0.001) {
      const int L = R(std::sqrt(2.0) * o.web_plate_weld_size * d.s);
      _Place_mm(d, yw, z1, &x[0], &y[0]);
      _Place_mm(d, yw, z2, &x[1], &y[1]);
      Draw_Weld_Triangle(x[0], y[0], L, a + (side < 0 ? M_PI / 2 : 0), M_PI / 2, grey, 1, black);
      Draw_Weld_Triangle(x[1], y[1], L, a + (side < 0 ? M_PI : 3 * M_PI / 2), M_PI / 2, grey, 1, black);
    } else {
      const int L = R(tp * d.s);
      _Place_mm(d, yo, z2, &x[0], &y[0]);
      _Place_mm(d, yo, z1, &x[1], &y[1]);
      Draw_Weld_Triangle(x[0], y[0], L, a + (side < 0 ? -M_PI / 2 : M_PI), M_PI / 2, grey, 1, black);
      Draw_Weld_Triangle(x[1], y[1], L, a + (side < 0 ? 0 : M_PI / 2), M_PI / 2, grey, 1, black);
    }
  }
}

static void _Leg_Numbers(const Pic &d) {
  const PROFIL &p = *d.p;
  static const char *kText[2] = {"2", "1"};
  const double mid[2][2] = {{p.t_fo / 2, -p.b_fo / 2}, {p.h / 2, -p.t_w / 2}};
  pxFgc(d.sc->black);
  for (int k = 0; k < 2; ++k) {
    int x, y;
    _Place_mm(d, mid[k][0], mid[k][1], &x, &y);
    pxCrcl(x, y, 6);
    pxBTxt(x - 6, y - 6, x + 6, y + 6, kText[k], 1, 0xc0);
  }
}

static void _Axes(const Pic &d, int sx, int sy, int mx, int my) {
  const PROFIL &p = *d.p;
  const int L = R(std::max(p.b_fo, p.h) * 0.2 * d.s);
  pxFgc(d.sc->green);
  if (d.type == 3) {
    Draw_Axis_Arrow(sx, sy, L, "z", d.a);
    Draw_Axis_Arrow(sx, sy, L, "y", d.mz ? d.a - M_PI / 2 : d.a + M_PI / 2);
  } else {
    Draw_Axis_Arrow(sx, sy, L, "y", d.a);
    Draw_Axis_Arrow(sx, sy, L, "z", d.a + M_PI / 2);
  }
  pxText(sx + 4, sy, "S", 1);
  if (std::fabs(p.y_M) > 0.1 || std::fabs(p.z_M) > 0.1) {
    pxText(mx + 4, my, "M", 1);
    pxMask(mx - 2, my - 2, mx + 2, my + 2, kDot, 1);
  }
}

void Draw_Profil_Querschnitt(PROFIL_SCREEN_STATE *state, int flags) {
  if (!state || !state->profil) return;
  PROFIL &p = *state->profil;
  if (Calc_Profil_Querschnittswerte(&p, nullptr, 0, "") != 0) return;
  Pic d{};
  d.o = state;
  d.p = &p;
  d.sc = Get_Screen_Colors();
  d.flags = flags;
  d.type = p.type;
  const int t = d.type;
  if (t < 1 || t > 17) return;
  const bool plates_ok = _Is_I(t);
  int web_plates = plates_ok && state->web_plate ? state->web_plate_count : 0;
  int stiffeners = plates_ok && state->stiffener && state->stiffener->t >= 0.1 ? state->stiffener_count : 0;
  d.hole = state->hole_color >= 0 ? state->hole_color : d.sc->host_color;
  d.mz = state->mirror_z && (t == 3 || t == 11 || t == 15);
  d.my = state->mirror_y && t == 3;
  Get_Profil_Fillet_Sizes(&p, &d.f1, &d.f2, &d.f3);
  double W = 0, H = 0;
  _Extent(p, &W, &H);
  int saved;
  pxQFgc(&saved);
  if (state->scale < 0.001) {
    if (W < 1.0 || H < 1.0) return;
    int x1 = state->x1, y1 = state->y1, x2 = state->x2, y2 = state->y2;
    const double sx = ((x2 - 10) - (x1 + 10)) / W, sy = ((y2 - 10) - (y1 + 10)) / H;
    if (sx < sy) {
      d.s = sx;
      y2 = y1 + 20 + R(sx * H);
    } else {
      d.s = sy;
      x2 = x1 + 20 + R(W * sy);
    }
    pxFgc(GetYRMColor(-21));
    pxRect(x1, y1, x2, y2);
    _Anchor_From_Box(d, W, x1 + 10, y1 + 10);
  } else {
    d.s = state->scale;
    d.ax = state->x1;
    d.ay = state->y1;
  }
  int sx, sy, mx, my;
  _Centres(d, W, &sx, &sy, &mx, &my);
  if (d.my) sx = 2 * d.ax - sx, mx = 2 * d.ax - mx;
  if (d.mz) sy = 2 * d.ay - sy, my = 2 * d.ay - my;
  d.a = state->angle * 0.017453292519943295;
  d.cx = _Turns_About_Anchor(t) ? d.ax : sx;
  d.cy = _Turns_About_Anchor(t) ? d.ay : sy;
  if (d.a != 0) {
    Rotate_Pixel_Point(d.cx, d.cy, &sx, &sy, d.a);
    Rotate_Pixel_Point(d.cx, d.cy, &mx, &my, d.a);
  }
  if (t == 2 || t == 9) {
    _Round_Shapes(d);
  } else {
    // The outline in pixels (built mirrored by the plot's builder, so no mirror here).
    double Y[64], Z[64], Yi[32], Zi[32];
    int n = 0, ni = 0;
    Drawing_Profil_Outline(&p, d.mz, d.my, Y, Z, &n, Yi, Zi, &ni);
    DrawingState &st = Drawing_State();
    int *x = st.out_x, *y = st.out_y, *xi = st.in_x, *yi = st.in_y;
    for (int i = 0; i < n; ++i) x[i] = d.ax + R(Y[i] * d.s), y[i] = d.ay + R(Z[i] * d.s);
    for (int i = 0; i < ni; ++i) xi[i] = d.ax + R(Yi[i] * d.s), yi[i] = d.ay + R(Zi[i] * d.s);
    if (d.a != 0) {
      Rotate_Pixel_Points(d.cx, d.cy, x, y, n, d.a);
      Rotate_Pixel_Points(d.cx, d.cy, xi, yi, ni, d.a);
    }
    if (state->fill_color >= 0 && n > 0) {
      pxFgc(state->fill_color);
      if (t == 8) {  // one polygon with the cell left open along a seam
        int fx[42], fy[42];
        std::copy(x, x + 20, fx);
        std::copy(y, y + 20, fy);
        fx[20] = x[0], fy[20] = y[0];
        fx[21] = xi[0], fy[21] = yi[0];
        for (int k = 0; k < 20; ++k) fx[22 + k] = xi[19 - k], fy[22 + k] = yi[19 - k];
        pxFill(42, fx, fy);
      } else {
        pxFill(n, x, y);
      }
    }
    if (t == 16 && ni == 4) {
      pxFgc(d.hole);
      pxFill(4, xi, yi);
    }
    const bool inner = (t == 8 || t == 16) && !(flags & SCREEN_FLAG_OUTER_ONLY) && ni > 0;
    if (state->line_color >= 0 && n > 0) {
      const int w = state->line_width;
      bool thick = w >= 3;
      if (thick) {
        double ox[64], oy[64];
        for (int i = 0; i < n; ++i) ox[i] = x[i], oy[i] = y[i];
        if (Offset_Polygon(n, ox, oy, w / 2.0) == 0) {
          pxFgc(state->line_color);
          for (int i = 0; i < n; ++i)
            pxTkLn(Trunc_Pixel(ox[i]), Trunc_Pixel(oy[i]), Trunc_Pixel(ox[(i + 1) % n]), Trunc_Pixel(oy[(i + 1) % n]),
                   w);
          pxFgc(d.sc->black);
          _Edges(x, y, n, 1);
          if (inner) _Edges(xi, yi, ni, 1);
        } else {
          thick = false;  // an outline the offset refuses: its true edges
        }
      }
      if (!thick) {
        pxFgc(state->line_color);
        _Edges(x, y, n, w);
        pxFgc(d.sc->black);
        if (inner) _Edges(xi, yi, ni, w);
      }
    }
  }
  if ((flags & SCREEN_FLAG_ANGLE_LEGS) && t == 3 && p.kind == PROFIL_KIND_PARAMETRIC) _Leg_Numbers(d);
  _Welds(d);
  if (stiffeners) _Stiffeners(d);
  if (web_plates == 1 || web_plates == 2) _Web_Plates(d);
  if (state->show_axes) _Axes(d, sx, sy, mx, my);
  pxFgc(saved);
}
