// profil/profil_formulas.cpp — closed section formulas of the parametric shapes.
//
// Every shape is a set of plates (rectangles; for type 17 a trapezoid and two sloping
// webs) and, for rolled shapes, rounded corners. A rounded corner of radius ρ differs
// from the square corner by the spandrel K·ρ² (K = 1 − π/4) whose centroid lies e·ρ from
// the corner point in both plate directions (e = 0.22337); it is counted as a point area:
// added for a root fillet in a re-entrant corner, removed for a rounded outer corner.
// Welded shapes have no spandrels: their weld legs count only in the clear widths and
// the welded shear areas.
//
// Plate positions: z downward from the top edge, u = −y from the reference edge (u ≥ 0
// over the section).
#include <cctype>
#include <cmath>
#include <cstring>
#include <vector>

#include "profil/profil.h"
#include "profil/profil_state.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kK = 1.0 - kPi / 4.0;  // spandrel area factor
constexpr double kE = 0.22337;          // spandrel centroid distance factor
constexpr double kLeast = 0.001;        // least dimension that counts as present (mm)

double _Sq(double x) { return x * x; }

struct Rect {
  double u0, u1, z0, z1;
};
struct Spot {
  double u, z, area;  // signed point area
};
// The plates and spandrels of a shape.
struct Pieces {
  Rect rect[6];
  int n_rect = 0;
  Spot spot[8];
  int n_spot = 0;
  void Plate(double u0, double u1, double z0, double z1) { rect[n_rect++] = Rect{u0, u1, z0, z1}; }
  // A spandrel at the corner (cu, cz) of radius rho whose point lies in the direction
  // (du, dz) (each ±1) from the corner; sign +1 for a root fillet, −1 for a rounded edge.
  void Spandrel(double cu, double cz, double du, double dz, double rho, int sign) {
    if (rho <= 0.0) return;
    spot[n_spot++] = Spot{cu + du * kE * rho, cz + dz * kE * rho, sign * kK * rho * rho};
  }
};

struct Sizes {
  double f_o, f_u, f_2;  // corner sizes at the top and bottom joints and the second size
  double R;              // 1 rolled, 0 welded
  double theta;          // taper angle (types 16, 17)
};

Sizes _Sizes(const PROFIL *p) {
  Sizes s{};
  Get_Profil_Fillet_Sizes(p, &s.f_o, &s.f_u, &s.f_2);
  s.R = p->rolled ? 1.0 : 0.0;
  s.theta = Get_Profil_Taper_Angle(p);
  return s;
}

int _Is_I_Shape(int type) { return Is_Profil_Type_in_Group(4, type); }

// Width of the box girder's section: the wider flange with its overhangs.
double _Box_Width(const PROFIL *p) {
  return std::fmax(p->b_fo + 2.0 * p->ue_o, p->b_fu + 2.0 * p->ue_u);
}

// Fills the pieces of a shape; 0 for the types whose values are written out in closed
// form instead (1, 2, 9, 17 and types outside 1..17). I and T shapes are centred on the
// web's centre line at u = 0, the box girder on its axis at u = W/2.
int _Build_Pieces(const PROFIL *p, const Sizes &s, Pieces *pc) {
  const double h = p->h, tw = p->t_w, bo = p->b_fo, to = p->t_fo, bu = p->b_fu, tu = p->t_fu;
  // Spandrels count only for rolled shapes.
  const double fo = s.R * s.f_o, fu = s.R * s.f_u, f2 = s.R * s.f_2;
  switch (p->type) {
    case PROFIL_ANGLE:
      pc->Plate(0.0, tw, 0.0, h - to);
      pc->Plate(0.0, bo, h - to, h);
      pc->Spandrel(tw, h - to, +1, -1, fo, +1);
      pc->Spandrel(tw, 0.0, -1, +1, f2, -1);
      pc->Spandrel(bo, h - to, -1, +1, f2, -1);
      return 1;
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
      pc->Plate(-bo / 2, bo / 2, 0.0, to);
      pc->Plate(-bu / 2, bu / 2, h - tu, h);
      pc->Plate(-tw / 2, tw / 2, to, h - tu);
      for (int side = -1; side <= 1; side += 2) {
        pc->Spandrel(side * tw / 2, to, side, +1, fo, +1);
        pc->Spandrel(side * tw / 2, h - tu, side, -1, fu, +1);
      }
      return 1;
    case PROFIL_C: case PROFIL_U:
      pc->Plate(0.0, tw, to, h - to);
      pc->Plate(0.0, bo, 0.0, to);
      pc->Plate(0.0, bo, h - to, h);
      pc->Spandrel(tw, to, +1, +1, fo, +1);
      pc->Spandrel(tw, h - to, +1, -1, fo, +1);
      pc->Spandrel(bo, to, -1, -1, f2, -1);
      pc->Spandrel(bo, h - to, -1, +1, f2, -1);
      return 1;
    case PROFIL_RHS:
      pc->Plate(0.0, bo, 0.0, to);
      pc->Plate(0.0, bo, h - to, h);
      pc->Plate(0.0, tw, to, h - to);
      pc->Plate(bo - tw, bo, to, h - to);
      // Outer corners rounded with f_o, inner corners with f_2.
      pc->Spandrel(0.0, 0.0, +1, +1, fo, -1);
      pc->Spandrel(bo, 0.0, -1, +1, fo, -1);
      pc->Spandrel(0.0, h, +1, -1, fo, -1);
      pc->Spandrel(bo, h, -1, -1, fo, -1);
      pc->Spandrel(tw, to, +1, +1, f2, +1);
      pc->Spandrel(bo - tw, to, -1, +1, f2, +1);
      pc->Spandrel(tw, h - to, +1, -1, f2, +1);
      pc->Spandrel(bo - tw, h - to, -1, -1, f2, +1);
      return 1;
    case PROFIL_T: case PROFIL_HALF_I:
      pc->Plate(-bo / 2, bo / 2, 0.0, to);
      pc->Plate(-tw / 2, tw / 2, to, h);
      for (int side = -1; side <= 1; side += 2) {
        pc->Spandrel(side * tw / 2, to, side, +1, fo, +1);
        pc->Spandrel(side * bo / 2, to, -side, -1, f2, -1);
      }
      return 1;
    case PROFIL_Z: {
      const double wf = (bo + tw) / 2;
      pc->Plate(0.0, wf, 0.0, to);
      pc->Plate(bo - wf, bo, h - to, h);
      pc->Plate((bo - tw) / 2, (bo + tw) / 2, to, h - to);
      pc->Spandrel((bo - tw) / 2, to, -1, +1, fo, +1);
      pc->Spandrel((bo + tw) / 2, h - to, +1, -1, fo, +1);
      pc->Spandrel(0.0, to, +1, -1, f2, -1);
      pc->Spandrel(bo, h - to, -1, +1, f2, -1);
      return 1;
    }
    case PROFIL_BOX: {
      // Flanges centred on the axis with their overhangs; each web t_w thick with its
      // outer face at half the wider flange width (without overhang) from the axis.
      const double W = _Box_Width(p), c = W / 2, half = std::fmax(bo, bu) / 2;
      pc->Plate(c - bo / 2 - p->ue_o, c + bo / 2 + p->ue_o, 0.0, to);
      pc->Plate(c - bu / 2 - p->ue_u, c + bu / 2 + p->ue_u, h - tu, h);
      pc->Plate(c - half, c - half + tw, to, h - tu);
      pc->Plate(c + half - tw, c + half, to, h - tu);
      return 1;
    }
    default:
      return 0;
  }
}

double _Rect_Area(const Rect &r) { return (r.u1 - r.u0) * (r.z1 - r.z0); }

// Area and first moments (about u = 0 and z = 0) of the pieces.
void _Piece_Sums(const Pieces &pc, double *area, double *mu, double *mz) {
  double a = 0.0, su = 0.0, sz = 0.0;
  for (int k = 0; k < pc.n_rect; ++k) {
    const Rect &r = pc.rect[k];
    const double ar = _Rect_Area(r);
    a += ar;
    su += ar * (r.u0 + r.u1) / 2;
    sz += ar * (r.z0 + r.z1) / 2;
  }
  for (int k = 0; k < pc.n_spot; ++k) {
    a += pc.spot[k].area;
    su += pc.spot[k].area * pc.spot[k].u;
    sz += pc.spot[k].area * pc.spot[k].z;
  }
  *area = a;
  *mu = su;
  *mz = sz;
}

// Second moment of the pieces about the horizontal line z = zc (own moments of the
// spandrels neglected).
double _Piece_I_Horizontal(const Pieces &pc, double zc) {
  double sum = 0.0;
  for (int k = 0; k < pc.n_rect; ++k) {
    const Rect &r = pc.rect[k];
    const double w = r.u1 - r.u0, t = r.z1 - r.z0, d = (r.z0 + r.z1) / 2 - zc;
    sum += w * t * t * t / 12.0 + w * t * d * d;
  }
  for (int k = 0; k < pc.n_spot; ++k) sum += pc.spot[k].area * _Sq(pc.spot[k].z - zc);
  return sum;
}

// Second moment of the pieces about the vertical line u = uc.
double _Piece_I_Vertical(const Pieces &pc, double uc) {
  double sum = 0.0;
  for (int k = 0; k < pc.n_rect; ++k) {
    const Rect &r = pc.rect[k];
    const double w = r.u1 - r.u0, t = r.z1 - r.z0, d = (r.u0 + r.u1) / 2 - uc;
    sum += t * w * w * w / 12.0 + w * t * d * d;
  }
  for (int k = 0; k < pc.n_spot; ++k) sum += pc.spot[k].area * _Sq(pc.spot[k].u - uc);
  return sum;
}

// Product moment Σ area·(y − y_s)·(z − z_s) with y = −u.
double _Piece_I_yz(const Pieces &pc, double y_s, double z_s) {
  double sum = 0.0;
  for (int k = 0; k < pc.n_rect; ++k) {
    const Rect &r = pc.rect[k];
    sum += _Rect_Area(r) * (-(r.u0 + r.u1) / 2 - y_s) * ((r.z0 + r.z1) / 2 - z_s);
  }
  for (int k = 0; k < pc.n_spot; ++k)
    sum += pc.spot[k].area * (-pc.spot[k].u - y_s) * (pc.spot[k].z - z_s);
  return sum;
}

// ---------------------------------------------------------------- trapezoid profile
// The trapezoid profile (type 17): a top plate whose width grows from b_fo at the top to
// b_fo + 2·t_fo·tan θ at its underside, and two webs of horizontal width t_w/cos θ running
// down to the foot of width b_fu. The outer and inner outlines are symmetric trapezoids,
// so area and I_z follow as differences of two trapezoids; both formulas hold for either
// sign of θ (a foot narrower than the top).

// Area of a symmetric trapezoid of widths a (top) and b (bottom) and height H; a width
// below 0 (a web thicker than the clear width, within the rounding of the input checks)
// counts as 0.
double _T(double a, double b, double H) {
  if (H < kLeast) return 0.0;
  a = std::fmax(a, 0.0);
  b = std::fmax(b, 0.0);
  return H * (a + b) / 2;
}

// Second moment of the same trapezoid about its vertical axis of symmetry.
double _J(double a, double b, double H) {
  if (H < kLeast) return 0.0;
  a = std::fmax(a, 0.0);
  b = std::fmax(b, 0.0);
  return H * (a + b) * (a * a + b * b) / 48;
}

struct TrapezParts {
  double b_i, b_ui;        // inner widths at the underside of the top plate and at the foot
  double a_top, z_top;     // area and centroid depth of the top plate
  double i_top;            // own second moment of the top plate about its centroid
  double a_web, z_web;     // area of one web and its centroid depth
  double i_web;            // own second moment of one web
};

TrapezParts _Trapez_Parts(const PROFIL *p, double theta) {
  TrapezParts t{};
  const double c = std::cos(theta), tn = std::tan(theta);
  const double w = p->t_w / c, to = p->t_fo, H = p->h - to;
  t.b_i = p->b_fo + 2 * to * tn - 2 * w;
  t.b_ui = p->b_fu - 2 * w;
  const double a = p->b_fo, b = p->b_fo + 2 * to * tn;  // top plate widths, top and bottom
  if (a + b > kLeast && to > 0.0) {
    t.a_top = to * (a + b) / 2;
    t.z_top = to * (a + 2 * b) / (3 * (a + b));
    t.i_top = to * to * to * (a * a + 4 * a * b + b * b) / (36 * (a + b));
  }
  if (H > 0.0) {
    t.a_web = w * H;
    t.z_web = to + H / 2;
    t.i_web = w * H * H * H / 12;
  }
  return t;
}

// ---------------------------------------------------------------- sloped faces
// A library channel or tee with sloped faces is worked out from its exact outline: a
// polygon in (u, z), u from the reference edge (the back of a channel's web, a tee's flange
// toe), z down from the top edge, whose root and toe fillets are tangent arcs divided into
// kArcChords chords (the chords lose r²·β·Δθ²/12 of each fillet's area, below 1e-5 of the
// section's). Area, first and second moments come from Green's theorem over the polygon.
constexpr int kArcChords = 64;

struct UZ {
  double u, z;
};

// A corner of the outline and the radius of the arc that rounds it (0 sharp).
struct Corner {
  double u, z, r;
};

// The arc that rounds a corner: centre, radius, start angle and sweep (radians, in the
// (u, z) plane); r 0 for a sharp corner.
struct Arc {
  double cu = 0.0, cz = 0.0, r = 0.0, a1 = 0.0, da = 0.0;
};

// Where the arcs p and q of the corners a and b cross when they overlap on the edge a–b:
// of the two points common to both circles the one nearer that edge (the other lies beyond
// the centres). False when the circles have no point in common.
bool _Arcs_Cross(const Arc &p, const Arc &q, const Corner &a, const Corner &b, UZ *x) {
  const double du = q.cu - p.cu, dz = q.cz - p.cz, l = std::hypot(du, dz);
  if (!(l > 0.0) || l > p.r + q.r || l < std::fabs(p.r - q.r)) return false;
  const double m = (p.r * p.r - q.r * q.r + l * l) / (2 * l), w = std::sqrt(std::fmax(0.0, p.r * p.r - m * m));
  const UZ x1{p.cu + (m * du - w * dz) / l, p.cz + (m * dz + w * du) / l};
  const UZ x2{p.cu + (m * du + w * dz) / l, p.cz + (m * dz - w * du) / l};
  auto off = [&](const UZ &y) { return std::fabs((b.u - a.u) * (y.z - a.z) - (b.z - a.z) * (y.u - a.u)); };
  *x = off(x1) < off(x2) ? x1 : x2;
  return true;
}

// The sweep from angle a to angle b in the turning sense of da (its size below 2π).
double _Sweep_To(double a, double b, double da) {
  double s = b - a;
  while (da > 0.0 && s < 0.0) s += 2 * kPi;
  while (da < 0.0 && s > 0.0) s -= 2 * kPi;
  return s;
}

// The closed outline through n corners, each rounded by a tangent arc of `chords` chords.
// Where the arcs of two neighbouring corners overlap on the edge between them (a narrow
// end rounded at both corners) each ends where they cross. False when an arc does not fit
// on the edges it is tangent to.
bool _Rounded_Outline(const Corner *c, int n, std::vector<UZ> *out, int chords = kArcChords) {
  const std::size_t N = static_cast<std::size_t>(n);
  std::vector<double> d(N, 0.0);  // corner to tangent point
  std::vector<Arc> arc(N);
  for (std::size_t i = 0; i < N; ++i) {
    const Corner &p = c[i], &a = c[(i + N - 1) % N], &b = c[(i + 1) % N];
    if (p.r <= 0.0) continue;
    const double l1 = std::hypot(a.u - p.u, a.z - p.z), l2 = std::hypot(b.u - p.u, b.z - p.z);
    if (!(l1 > 0.0) || !(l2 > 0.0)) return false;
    const double e1u = (a.u - p.u) / l1, e1z = (a.z - p.z) / l1, e2u = (b.u - p.u) / l2, e2z = (b.z - p.z) / l2;
    const double phi = std::acos(std::fmax(-1.0, std::fmin(1.0, e1u * e2u + e1z * e2z)));
    if (!(phi > 1e-6) || !(phi < kPi - 1e-6)) return false;
    const double di = d[i] = p.r / std::tan(phi / 2);
    const double bu = e1u + e2u, bz = e1z + e2z, lb = std::hypot(bu, bz);
    const double to_centre = std::hypot(di, p.r);  // r / sin(phi/2)
    Arc &k = arc[i];
    k.cu = p.u + bu / lb * to_centre, k.cz = p.z + bz / lb * to_centre, k.r = p.r;
    k.a1 = std::atan2(p.z + di * e1z - k.cz, p.u + di * e1u - k.cu);
    k.da = std::atan2(p.z + di * e2z - k.cz, p.u + di * e2u - k.cu) - k.a1;
    while (k.da > kPi) k.da -= 2 * kPi;
    while (k.da < -kPi) k.da += 2 * kPi;
  }
  // The arcs' ends: their tangent points, or where they cross the next corner's arc.
  std::vector<double> a_end(N), a_begin(N);
  for (std::size_t i = 0; i < N; ++i) a_begin[i] = arc[i].a1, a_end[i] = arc[i].a1 + arc[i].da;
  for (std::size_t i = 0; i < N; ++i) {
    const std::size_t j = (i + 1) % N;
    if (d[i] + d[j] <= std::hypot(c[j].u - c[i].u, c[j].z - c[i].z)) continue;
    UZ x;
    if (!(d[i] > 0.0) || !(d[j] > 0.0) || !_Arcs_Cross(arc[i], arc[j], c[i], c[j], &x)) return false;
    a_end[i] = std::atan2(x.z - arc[i].cz, x.u - arc[i].cu);
    a_begin[j] = std::atan2(x.z - arc[j].cz, x.u - arc[j].cu);
  }
  for (std::size_t i = 0; i < N; ++i) {
    arc[i].da = _Sweep_To(a_begin[i], a_end[i], arc[i].da);
    arc[i].a1 = a_begin[i];
  }
  out->clear();
  for (std::size_t i = 0; i < N; ++i) {
    const Arc &k = arc[i];
    if (!(d[i] > 0.0)) {
      out->push_back({c[i].u, c[i].z});
      continue;
    }
    for (int m = 0; m <= chords; ++m) {
      const double t = k.a1 + k.da * m / chords;
      out->push_back({k.cu + k.r * std::cos(t), k.cz + k.r * std::sin(t)});
    }
  }
  return true;
}

// Signed area, first moments about u = 0 and z = 0, second moments about the same lines
// and the length of a closed polygon.
struct PolyMoments {
  double A = 0.0, S_u = 0.0, S_z = 0.0, I_uu = 0.0, I_zz = 0.0, L = 0.0;
};

PolyMoments _Poly_Moments(const std::vector<UZ> &P) {
  PolyMoments m;
  const std::size_t n = P.size();
  for (std::size_t i = 0; i < n; ++i) {
    const UZ &a = P[i], &b = P[(i + 1) % n];
    const double c = a.u * b.z - b.u * a.z;
    m.A += c / 2;
    m.S_u += (a.u + b.u) * c / 6;
    m.S_z += (a.z + b.z) * c / 6;
    m.I_uu += (a.u * a.u + a.u * b.u + b.u * b.u) * c / 12;
    m.I_zz += (a.z * a.z + a.z * b.z + b.z * b.z) * c / 12;
    m.L += std::hypot(b.u - a.u, b.z - a.z);
  }
  return m;
}

// Outline of a channel with sloped flanges: back of the web at u = 0, flange tips at
// u = b; the inner face of the top flange z = t_f + s·(x_tf − u), the bottom one its mirror
// image about mid-depth; root radius r at the web, toe radius r_2 at the tips.
bool _Sloped_Channel_Outline(const PROFIL *p, double s, double x_tf, std::vector<UZ> *out, int chords) {
  const double h = p->h, b = p->b_fo, tw = p->t_w;
  auto t = [&](double u) { return p->t_fo + s * (x_tf - u); };
  double r1 = 0.0, r2 = 0.0;
  Get_Profil_Fillet_Sizes(p, &r1, nullptr, &r2);
  if (!(b > tw + kLeast) || !(t(b) > kLeast) || !(h - 2 * t(tw) > kLeast)) return false;
  const Corner c[8] = {{0.0, 0.0, 0.0},       {b, 0.0, 0.0},   {b, t(b), r2}, {tw, t(tw), r1},
                       {tw, h - t(tw), r1}, {b, h - t(b), r2}, {b, h, 0.0},   {0.0, h, 0.0}};
  return _Rounded_Outline(c, 8, out, chords);
}

// Outline of a tee with sloped faces (Get_Profil_Tee_Slope): flange toes at u = 0 and u = b,
// the stem's axis at u = b/2. The flange is t + s·(d − x_tf) thick at the distance d from
// its nearer toe, the stem t + 2s·(z_tw − z) wide at the depth z; the outer face of the
// flange keeps its square edges, the root takes r, the toes' inner corners and both corners
// of the stem's tip take r_2 (the tip is narrower than 2·r_2: its two arcs meet where they
// cross, a hair above the tip's line).
bool _Sloped_Tee_Outline(const PROFIL *p, double s, double x_tf, double z_tw, std::vector<UZ> *out, int chords) {
  const double h = p->h, b = p->b_fo, t = p->t_fo;
  auto flange = [&](double d) { return t + s * (d - x_tf); };
  auto stem = [&](double z) { return p->t_w + 2 * s * (z_tw - z); };
  // The root corner on the right: the flank u = b/2 + stem(z)/2 meets the flange's face
  // z = flange(b − u).
  const double z_root = (t + s * (b / 2 - x_tf) - s * (p->t_w / 2 + s * z_tw)) / (1 - s * s);
  const double u_root = b / 2 + stem(z_root) / 2;
  double r1 = 0.0, r2 = 0.0;
  Get_Profil_Fillet_Sizes(p, &r1, nullptr, &r2);
  if (!(flange(0.0) > kLeast) || !(stem(h) > kLeast) || !(b - u_root > kLeast) || !(h - z_root > kLeast))
    return false;
  const Corner c[8] = {{0.0, 0.0, 0.0},
                       {b, 0.0, 0.0},
                       {b, flange(0.0), r2},
                       {u_root, z_root, r1},
                       {(b + stem(h)) / 2, h, r2},
                       {(b - stem(h)) / 2, h, r2},
                       {b - u_root, z_root, r1},
                       {0.0, flange(0.0), r2}};
  return _Rounded_Outline(c, 8, out, chords);
}

// The outline of a profile with sloped faces; false when it has none or they leave no
// outline.
bool _Sloped_Outline(const PROFIL *p, std::vector<UZ> *out, int chords) {
  double x_tf = 0.0, z_tw = 0.0;
  const double tee = Get_Profil_Tee_Slope(p, &x_tf, &z_tw);
  if (tee > 0.0) return _Sloped_Tee_Outline(p, tee, x_tf, z_tw, out, chords);
  const double slope = Get_Profil_Flange_Slope(p, &x_tf);
  return slope > 0.0 && _Sloped_Channel_Outline(p, slope, x_tf, out, chords);
}

// 1 when the profile is a rolled library profile of type a or b whose name, its blanks left
// out, begins with the series letters (in any case).
int _Rolled_Library_Series(const PROFIL *p, int a, int b, const char *series) {
  if (!p || p->kind != PROFIL_KIND_LIBRARY || (p->type != a && p->type != b) || !p->rolled) return 0;
  const std::size_t n_series = std::strlen(series);
  std::size_t n = 0;
  for (std::size_t k = 0; k < sizeof p->name && p->name[k] && n < n_series; ++k)
    if (p->name[k] != ' ') {
      if (std::toupper(static_cast<unsigned char>(p->name[k])) != series[n]) return 0;
      ++n;
    }
  return n == n_series;
}

}  // namespace

double Get_Profil_Flange_Slope(const PROFIL *p, double *x_tf) {
  if (x_tf) *x_tf = 0.0;
  if (!_Rolled_Library_Series(p, PROFIL_C, PROFIL_U, "UPN")) return 0.0;
  // EN 10365, UPN: slope 8 % and t_f at b/2 up to h = 300 mm; 5 % and t_f at the middle of
  // the outstand, (b − t_w)/2 from the tip, for UPN 320 to 400.
  const bool deep = p->h > 300.0 + kLeast;
  if (x_tf) *x_tf = deep ? (p->b_fo + p->t_w) / 2 : p->b_fo / 2;
  return deep ? 0.05 : 0.08;
}

double Get_Profil_Tee_Slope(const PROFIL *p, double *x_tf, double *z_tw) {
  if (x_tf) *x_tf = 0.0;
  if (z_tw) *z_tw = 0.0;
  if (!_Rolled_Library_Series(p, PROFIL_T, PROFIL_HALF_I, "T")) return 0.0;
  // EN 10055: the flange's inner faces and both flanks of the stem slope 2 % each, thicker
  // towards the root; t holds at a quarter of the flange width from each toe and at the
  // middle of the stem below the flange.
  if (x_tf) *x_tf = p->b_fo / 4;
  if (z_tw) *z_tw = (p->h + p->t_fo) / 2;
  return 0.02;
}

int Calc_Profil_Sloped_Values(const PROFIL *p, PROFIL_SLOPED_VALUES *v) {
  std::vector<UZ> P;
  if (!v || !_Sloped_Outline(p, &P, kArcChords)) return 0;
  const PolyMoments m = _Poly_Moments(P);
  const double sign = m.A < 0.0 ? -1.0 : 1.0, A = sign * m.A;
  if (!(A > kLeast)) return 0;
  const double u_s = sign * m.S_u / A, z_s = sign * m.S_z / A;
  v->A = A;
  v->U = m.L;
  v->y_s = -u_s;
  v->z_s = z_s;
  v->I_y = sign * m.I_zz - A * z_s * z_s;
  v->I_z = sign * m.I_uu - A * u_s * u_s;
  return 1;
}

bool Has_Profil_Sloped_Outline(const PROFIL *p) {
  PROFIL_SLOPED_VALUES values{};
  return Calc_Profil_Sloped_Values(p, &values) != 0;
}

int Get_Profil_Sloped_Outline(const PROFIL *p, int chords, double *y, double *z, int max_points) {
  std::vector<UZ> P;
  if (!y || !z || chords < 1 || max_points < 1 || !_Sloped_Outline(p, &P, chords) ||
      P.size() > static_cast<std::size_t>(max_points))
    return 0;
  for (std::size_t k = 0; k < P.size(); ++k) {
    y[k] = -P[k].u;
    z[k] = P[k].z;
  }
  return static_cast<int>(P.size());
}

// ---------------------------------------------------------------- clear widths
double Calc_Profil_Flange_Outstand(const PROFIL *p, int top) {
  if (!p) return 0.0;
  const Sizes s = _Sizes(p);
  const double tw = p->t_w;
  switch (p->type) {
    case PROFIL_ANGLE: case PROFIL_C: case PROFIL_U:
      return p->b_fo - tw - s.f_o;
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
      return top ? (p->b_fo - tw) / 2 - s.f_o : (p->b_fu - tw) / 2 - s.f_u;
    case PROFIL_RHS:
      return p->b_fo - 2 * tw - 2 * s.f_2;
    case PROFIL_T: case PROFIL_HALF_I: case PROFIL_Z:
      return (p->b_fo - tw) / 2 - s.f_o;
    case PROFIL_BOX:
      return top ? p->b_fo - 2 * tw - 2 * s.f_o : p->b_fu - 2 * tw - 2 * s.f_u;
    case PROFIL_TRAPEZ:
      return p->b_fo - 2 * tw / std::cos(s.theta) + 2 * p->t_fo * std::tan(s.theta);
    default:  // 1, 2, 9 and types without shape
      return 0.0;
  }
}

void Calc_Profil_Plate_Widths(PROFIL *p) {
  if (!p) return;
  const Sizes s = _Sizes(p);
  const double h = p->h, tw = p->t_w, to = p->t_fo, tu = p->t_fu;
  double d = 0.0;
  switch (p->type) {
    case PROFIL_FLAT: d = h; break;
    case PROFIL_ANGLE: case PROFIL_T: case PROFIL_HALF_I: d = h - to - s.f_o; break;
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
    case PROFIL_BOX:
      d = h - to - tu - s.f_o - s.f_u;
      break;
    case PROFIL_C: case PROFIL_U: case PROFIL_Z: d = h - 2 * to - 2 * s.f_o; break;
    case PROFIL_RHS: d = h - 2 * to - 2 * s.f_2; break;
    case PROFIL_CHS: d = h - 2 * tw; break;
    case PROFIL_TRAPEZ: d = (h - to) / std::cos(s.theta); break;
    default: d = 0.0; break;
  }
  p->d_w = d;
  p->c_fo = Calc_Profil_Flange_Outstand(p, 1);
  p->c_fu = Calc_Profil_Flange_Outstand(p, 0);
}

// ---------------------------------------------------------------- area and perimeter
static double _Area(const PROFIL *p, const Sizes &s) {
  const double h = p->h, tw = p->t_w;
  switch (p->type) {
    case PROFIL_FLAT: return h * tw;
    case PROFIL_ROUND: return kPi * h * h / 4;
    case PROFIL_CHS: return kPi * tw * (h - tw);
    case PROFIL_TRAPEZ: {
      const TrapezParts t = _Trapez_Parts(p, s.theta);
      return _T(p->b_fo, p->b_fu, h) - _T(t.b_i, t.b_ui, h - p->t_fo);
    }
    default: {
      Pieces pc;
      if (!_Build_Pieces(p, s, &pc)) return p->A;
      double a, mu, mz;
      _Piece_Sums(pc, &a, &mu, &mz);
      return a;
    }
  }
}

// Perimeter: the whole outline of open shapes, the outer outline of hollow sections, the
// hull of the box girder and of the trapezoid profile.
static double _Perimeter(const PROFIL *p, const Sizes &s) {
  const double h = p->h, tw = p->t_w, bo = p->b_fo, bu = p->b_fu;
  const double R = s.R, fo = s.f_o, fu = s.f_u, f2 = s.f_2;
  switch (p->type) {
    case PROFIL_FLAT: return 2 * (h + tw);
    case PROFIL_ROUND: case PROFIL_CHS: return kPi * h;
    // Angles, channels and T shapes: the leg and flange tips are part of the outline.
    case PROFIL_ANGLE: return 2 * (h + bo) - R * (2 * kK * fo + 4 * kK * f2);
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
      return 2 * (bo + bu + h - tw) - R * (4 * kK * (fo + fu) + 8 * kK * f2);
    case PROFIL_C: case PROFIL_U: return 2 * h + 4 * bo - 2 * tw - R * 4 * kK * (fo + f2);
    case PROFIL_RHS: return 2 * (h + bo) - R * 8 * kK * fo;
    case PROFIL_T: case PROFIL_HALF_I: return 2 * (bo + h) - R * 4 * kK * (fo + f2);
    case PROFIL_Z: return 2 * (h + bo) - R * 4 * kK * (fo + f2);
    case PROFIL_BOX: return 2 * (h + p->ue_o + p->ue_u) + bo + bu;
    case PROFIL_TRAPEZ: return bo + bu + 2 * h / std::cos(s.theta);
    default: return p->U;
  }
}

// ---------------------------------------------------------------- shear areas
double Calc_Profil_Shear_Area_z(const PROFIL *p) {
  if (!p) return 0.0;
  const Sizes s = _Sizes(p);
  const double h = p->h, tw = p->t_w, bo = p->b_fo, to = p->t_fo, bu = p->b_fu, tu = p->t_fu;
  const double A = p->A;
  const bool rolled = p->rolled != 0;
  switch (p->type) {
    case PROFIL_FLAT: case PROFIL_ROUND: return A;
    case PROFIL_CHS: return 2 * A / kPi;
    case PROFIL_TRAPEZ: return 2 * tw * (h - to);
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W: {
      const double web = (h - to - tu) * tw;
      if (!rolled) return web;
      // EN 1993-1-1 6.2.6(3) a) with η = 1: the rolled I shape's web with the root zones.
      const double a = A - bo * to - bu * tu + (tw / 2 + s.f_o) * to + (tw / 2 + s.f_u) * tu;
      return std::fmax(a, web);
    }
    case PROFIL_C: case PROFIL_U:
      // Welded channels: the web area, as for the welded I shapes (t_fu is 0 for them).
      return rolled ? A - 2 * bo * to + (tw + s.f_o) * to : (h - 2 * to) * tw;
    case PROFIL_T: case PROFIL_HALF_I:
      return rolled ? A - bo * to + (tw / 2 + s.f_o) * to : (h - to / 2) * tw;
    case PROFIL_ANGLE: return rolled ? A * h / (h + bo) : (h - to) * tw;
    case PROFIL_RHS: return rolled ? A * h / (h + bo) : 2 * tw * (h - 2 * to);
    case PROFIL_Z:
      return rolled ? (h - 2 * to) * tw + (tw / 2 + s.f_o) * to + 2 * kK * s.f_o * s.f_o
                    : (h - 2 * to) * tw;
    case PROFIL_BOX: return 2 * tw * (h - to - tu);
    default: return p->A_vz;
  }
}

static double _Shear_Area_y(const PROFIL *p, const Sizes &s) {
  switch (p->type) {
    case PROFIL_FLAT: case PROFIL_ROUND: return p->A;
    case PROFIL_CHS: return 2 * p->A / kPi;
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
      return p->b_fo * p->t_fo + p->b_fu * p->t_fu;
    case PROFIL_Z: return (p->b_fo + p->t_w) * p->t_fo - s.R * 2 * kK * s.f_2 * s.f_2;
    default: return p->A - p->A_vz;
  }
}

// ---------------------------------------------------------------- centroid
// Stores num/den into *out when both exceed 0.001; otherwise the record keeps its value.
static void _Store_Centroid(double num, double den, double *out) {
  if (den > kLeast && num > kLeast) *out = num / den;
}

static void _Centroid_z(PROFIL *p, const Sizes &s) {
  switch (p->type) {
    case PROFIL_FLAT: return;  // from the solver
    case PROFIL_ROUND: case PROFIL_CHS: case PROFIL_Z: p->z_s = p->h / 2; return;
    case PROFIL_TRAPEZ: {
      const TrapezParts t = _Trapez_Parts(p, s.theta);
      _Store_Centroid(t.a_top * t.z_top + 2 * t.a_web * t.z_web, t.a_top + 2 * t.a_web, &p->z_s);
      return;
    }
    default: {
      Pieces pc;
      if (!_Build_Pieces(p, s, &pc)) return;
      double a, mu, mz;
      _Piece_Sums(pc, &a, &mu, &mz);
      _Store_Centroid(mz, a, &p->z_s);
      return;
    }
  }
}

static void _Centroid_y(PROFIL *p, const Sizes &s) {
  switch (p->type) {
    case PROFIL_ROUND: case PROFIL_CHS: p->y_s = -p->h / 2; return;
    case PROFIL_Z: p->y_s = -p->b_fo / 2; return;
    case PROFIL_BOX: p->y_s = -_Box_Width(p) / 2; return;
    case PROFIL_TRAPEZ: p->y_s = -std::fmax(p->b_fo, p->b_fu) / 2; return;
    case PROFIL_ANGLE: case PROFIL_C: case PROFIL_U: {
      Pieces pc;
      _Build_Pieces(p, s, &pc);
      double a, mu, mz, u_s = -p->y_s;
      _Piece_Sums(pc, &a, &mu, &mz);
      _Store_Centroid(mu, a, &u_s);
      p->y_s = -u_s;
      return;
    }
    default: return;  // symmetric shapes and the flat bar: from the solver
  }
}

// ---------------------------------------------------------------- second moments
double Calc_Profil_I_y(const PROFIL *p) {
  if (!p) return 0.0;
  PROFIL_SLOPED_VALUES sloped{};
  if (Calc_Profil_Sloped_Values(p, &sloped)) return sloped.I_y + sloped.A * _Sq(sloped.z_s - p->z_s);
  const Sizes s = _Sizes(p);
  const double h = p->h, tw = p->t_w;
  switch (p->type) {
    case PROFIL_FLAT: return tw * h * h * h / 12;
    case PROFIL_ROUND: return kPi * h * h * h * h / 64;
    case PROFIL_CHS: return kPi * (std::pow(h, 4) - std::pow(h - 2 * tw, 4)) / 64;
    case PROFIL_TRAPEZ: {
      const TrapezParts t = _Trapez_Parts(p, s.theta);
      return t.i_top + t.a_top * _Sq(t.z_top - p->z_s) +
             2 * (t.i_web + t.a_web * _Sq(t.z_web - p->z_s));
    }
    default: {
      Pieces pc;
      if (!_Build_Pieces(p, s, &pc)) return p->I_y;
      return _Piece_I_Horizontal(pc, p->z_s);
    }
  }
}

double Calc_Profil_I_z(const PROFIL *p) {
  if (!p) return 0.0;
  PROFIL_SLOPED_VALUES sloped{};
  if (Calc_Profil_Sloped_Values(p, &sloped)) return sloped.I_z + sloped.A * _Sq(sloped.y_s - p->y_s);
  const Sizes s = _Sizes(p);
  const double h = p->h, tw = p->t_w;
  switch (p->type) {
    case PROFIL_FLAT: return h * tw * tw * tw / 12;
    case PROFIL_ROUND: return kPi * h * h * h * h / 64;
    case PROFIL_CHS: return kPi * (std::pow(h, 4) - std::pow(h - 2 * tw, 4)) / 64;
    case PROFIL_TRAPEZ: {
      const TrapezParts t = _Trapez_Parts(p, s.theta);
      return _J(p->b_fo, p->b_fu, h) - _J(t.b_i, t.b_ui, h - p->t_fo);
    }
    default: {
      Pieces pc;
      if (!_Build_Pieces(p, s, &pc)) return p->I_z;
      // I and T shapes about the web's centre line (u = 0 in their pieces).
      const bool web_axis = _Is_I_Shape(p->type) || Is_Profil_Type_in_Group(11, p->type);
      return _Piece_I_Vertical(pc, web_axis ? 0.0 : -p->y_s);
    }
  }
}

static double _I_yz(const PROFIL *p, const Sizes &s) {
  if (p->type != PROFIL_ANGLE && p->type != PROFIL_Z) return 0.0;
  Pieces pc;
  _Build_Pieces(p, s, &pc);
  return _Piece_I_yz(pc, p->y_s, p->z_s);
}

void Calc_Profil_Closed_Values(PROFIL *p) {
  if (!p || p->type < PROFIL_FLAT || p->type > PROFIL_TRAPEZ) return;
  const Sizes s = _Sizes(p);
  PROFIL_SLOPED_VALUES sloped{};
  const int is_sloped = Calc_Profil_Sloped_Values(p, &sloped);
  p->A = is_sloped ? sloped.A : _Area(p, s);
  p->U = is_sloped ? sloped.U : _Perimeter(p, s);
  p->A_vz = Calc_Profil_Shear_Area_z(p);
  p->A_vy = _Shear_Area_y(p, s);
  if (is_sloped) {
    p->z_s = sloped.z_s;
    p->y_s = sloped.y_s;
  } else {
    _Centroid_z(p, s);
    _Centroid_y(p, s);
  }
  p->I_y = Calc_Profil_I_y(p);
  p->I_z = Calc_Profil_I_z(p);
  p->I_yz = _I_yz(p, s);
}
