// profil/profil_model.cpp — the thin-walled model of a profile: the shape's plates as
// nodes and wall lines of the solver (centre lines, cm), the run, and the values copied
// back in mm units with the centroid moved to the profile's reference corner.
//
// Model coordinates (mm, handed over × 0.1): y across the profile with 0 on its axis of
// symmetry (the web axis of I and T shapes), z down from the top edge.
//
// The plates that take ribs and holes (flat bar, I shapes, rectangular hollow section, box
// girder) are built as walks: a plate runs through its fixed nodes (tips, joints) in pieces,
// and each piece is cut at its holes and rib feet in ascending position. A walk without ribs
// or holes is the single wall line of the plain model, so an empty rib model builds exactly
// the plain model. Every wall line of a base plate takes the stress points that lie on it.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "dwqb/dwqb.h"
#include "dwqb/dwqb_plastic.h"
#include "profil/profil.h"
#include "profil/profil_state.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kLeast = 0.001;  // least dimension that counts as present (mm)

// Line values 0..8: t_a, t_b, rise, rotation a, rotation b, r_al, r_ar, r_el, r_er.
enum { V_TA = 0, V_TB = 1, V_ROT_A = 3, V_ROT_B = 4, V_RAL = 5, V_RAR = 6, V_REL = 7, V_RER = 8 };

// The builder's running state: next node and line numbers, the nine-value array (mm), the
// node positions by number, and the stress points that base-plate lines take.
struct Builder {
  int node = 1;
  int line = 1;
  double v[9] = {};
  std::vector<double> ny, nz;
  PROFIL_STRESS_POINT *pts = nullptr;
  int n_pts = 0;
  int flag = 0;           // point flag of the plate being built (0: its lines take no points)
  int side = 0;           // webs of two-web shapes: +1 takes points with y >= 0, −1 with y < 0
  double face_end = NAN;  // a web's last line: the clear face it covers down to (used once)
  const PROFIL_MODEL_SINK *sink = nullptr;  // where the model goes (null: the solver)

  int Node(double y, double z) {
    if (sink)
      sink->node(sink->context, node, y, z);
    else
      Add_DWQB_Node(node, 0.1 * y, 0.1 * z);
    const std::size_t k = static_cast<std::size_t>(node);
    if (ny.size() <= k) {
      ny.resize(k + 1, 0.0);
      nz.resize(k + 1, 0.0);
    }
    ny[k] = y;
    nz[k] = z;
    return node++;
  }
  // A wall line of thickness t; the radii r_al, r_ar, r_el, r_er (mm).
  void Line(int a, int b, double t, double ral = 0, double rar = 0, double rel = 0, double rer = 0) {
    Tapered_Line(a, b, t, t, 0.0, 0.0, ral, rar, rel, rer);
  }
  // A wall line whose thickness runs from t_a at node a to t_b at node b and whose ends are
  // turned by rot_a and rot_b (radians) from square to the line.
  void Tapered_Line(int a, int b, double t_a, double t_b, double rot_a, double rot_b, double ral, double rar,
                    double rel, double rer) {
    for (double &x : v) x = 0.0;
    v[V_TA] = t_a;
    v[V_TB] = t_b;
    v[V_RAL] = ral;
    v[V_RAR] = rar;
    v[V_REL] = rel;
    v[V_RER] = rer;
    const int nr = line++;
    if (sink) {
      v[V_ROT_A] = rot_a;
      v[V_ROT_B] = rot_b;
      sink->line(sink->context, nr, a, b, v);
    } else if (rot_a != 0.0 || rot_b != 0.0) {
      // The lengths go over in cm, the rotations as they are.
      double cm[9];
      for (int k = 0; k < 9; ++k) cm[k] = 0.1 * v[k];
      cm[V_ROT_A] = rot_a;
      cm[V_ROT_B] = rot_b;
      Add_DWQB_Line(nr, 0, a, b, cm);
    } else {
      Add_Profil_DWQB_Line(nr, a, b, v);
    }
    Take_Points(nr, a, b);
    face_end = NAN;
  }
  // The points of the plate whose position along it (z on a web, y on a flange) lies in
  // the stretch the line covers; a later line overwrites an earlier one.
  void Take_Points(int nr, int a, int b) {
    if (!flag || !pts) return;
    const int web = flag == PROFIL_POINT_WEB;
    const double ca = web ? nz[static_cast<std::size_t>(a)] : ny[static_cast<std::size_t>(a)];
    const double cb = web ? (std::isnan(face_end) ? nz[static_cast<std::size_t>(b)] : face_end)
                          : ny[static_cast<std::size_t>(b)];
    for (int k = 0; k < n_pts; ++k) {
      PROFIL_STRESS_POINT &p = pts[k];
      if (p.number < 0 || !(p.flags & flag)) continue;
      if ((side > 0 && p.y < 0) || (side < 0 && p.y >= 0)) continue;
      const double c = web ? p.z : p.y;
      if ((c - ca) * (cb - c) > -kLeast) p.line = nr;
    }
  }
  void Plate(int f, int s = 0, double face = NAN) {
    flag = f;
    side = s;
    face_end = face;
  }
};

int _Present(double width, double thickness) { return width > kLeast && thickness > kLeast; }

// ---------------------------------------------------------------- walks over plates
// Something along a plate: a hole or a rib; [a, b] the stretch it covers.
enum { EV_HOLE = 1, EV_RIB = 2 };
struct Event {
  double a, b;
  int kind;
  double p;  // rib: its position
};

// The ribs of one plate and how they grow.
struct RibSet {
  const PROFIL *rib = nullptr;  // null: no ribs
  double g = 0.0;               // half the feet distance of a two-foot rib
  double d[2] = {0.0, 0.0};     // growth directions
  int n_d = 0;
  int horizontal = 1;
};

// A straight piece of a plate from node a at position ca to node b at cb (ca < cb); (y, z)
// is linear in the position between the two nodes.
struct Piece {
  int a, b;
  double ca, cb;
  double t;
  double r[4];  // r_al, r_ar of its first line; r_el, r_er of its last
  double face;  // web: the clear face its last line covers down to (NaN: its end node)
};

// Walks a piece: lines from node to node through its holes (no line across a hole) and its
// rib feet, each rib added at its foot. 1 (nothing built) when an event does not lie inside
// the piece clear of its ends and of the event before it.
int _Walk(Builder &m, const Piece &pc, const std::vector<Event> &events, const RibSet &ribs) {
  // A two-foot rib needs two feet apart; the events must follow each other inside the piece.
  const int two_feet = ribs.rib && Is_Profil_Rib_Type(ribs.rib->type);
  double last = pc.ca;
  for (const Event &e : events) {
    if (!(e.a > last + kLeast) || !(e.b >= e.a) || (e.kind == EV_RIB && two_feet && !(ribs.g > kLeast))) return 1;
    last = e.b;
  }
  if (!events.empty() && !(pc.cb > last + kLeast)) return 1;
  const std::size_t ia = static_cast<std::size_t>(pc.a), ib = static_cast<std::size_t>(pc.b);
  const double ya = m.ny[ia], za = m.nz[ia], yb = m.ny[ib], zb = m.nz[ib];
  auto at = [&](double c, double *y, double *z) {
    const double f = (c - pc.ca) / (pc.cb - pc.ca);
    *y = ya + f * (yb - ya);
    *z = za + f * (zb - za);
  };
  auto node_at = [&](double c) {
    double y, z;
    at(c, &y, &z);
    return m.Node(y, z);
  };
  int cur = pc.a, first = 1;
  auto seg = [&](int to, int final_line) {
    m.face_end = final_line ? pc.face : NAN;
    m.Line(cur, to, pc.t, first ? pc.r[0] : 0.0, first ? pc.r[1] : 0.0, final_line ? pc.r[2] : 0.0,
           final_line ? pc.r[3] : 0.0);
    first = 0;
    cur = to;
  };
  for (const Event &e : events) {
    if (e.kind == EV_HOLE) {
      seg(node_at(e.a), 0);
      cur = node_at(e.b);
      continue;
    }
    if (ribs.g > 0.0) seg(node_at(e.a), 0);  // first foot of a two-foot rib
    seg(node_at(e.b), 0);                    // the (second) foot
    double u, s;
    at(e.p, &u, &s);
    for (int k = 0; k < ribs.n_d; ++k)
      Add_Profil_DWQB_Rib(m.v, ribs.rib, &m.node, pc.t, &m.line, cur, u, s, ribs.d[k], ribs.horizontal);
  }
  seg(pc.b, 1);
  return 0;
}

// The events of a plate, sorted by their near edge: holes (width above 0.001) and ribs at
// the running sums of the spacings from start.
std::vector<Event> _Events(const PROFIL_RIB_SPEC *rib_plan, const PROFIL_HOLE_TABLE *holes, int hole_count,
                           double start, double g) {
  std::vector<Event> ev;
  if (holes)
    for (int k = 0; k < hole_count; ++k)
      if (holes->width[k] > kLeast)
        ev.push_back({holes->centre[k] - holes->width[k] / 2, holes->centre[k] + holes->width[k] / 2, EV_HOLE, 0.0});
  if (rib_plan) {
    double p = start;
    for (int k = 0; k < rib_plan->count; ++k) {
      p += rib_plan->spacing[k];
      ev.push_back({p - g, p + g, EV_RIB, p});
    }
  }
  std::stable_sort(ev.begin(), ev.end(), [](const Event &x, const Event &y) { return x.a < y.a; });
  return ev;
}

// The events that start inside (ca, cb); the others stay in rest.
std::vector<Event> _Take(std::vector<Event> &rest, double ca, double cb) {
  std::vector<Event> in, out;
  for (const Event &e : rest) (e.a > ca && e.a < cb ? in : out).push_back(e);
  rest = out;
  return in;
}

RibSet _Ribs(const PROFIL_RIB_SPEC *rib_plan, double t_p, int horizontal, double d1, double d2 = 0.0) {
  RibSet r;
  r.horizontal = horizontal;
  if (!rib_plan || rib_plan->count <= 0) return r;
  r.rib = &rib_plan->rib;
  if (Is_Profil_Rib_Type(rib_plan->rib.type)) Get_Profil_Rib_Geometry(&rib_plan->rib, t_p, nullptr, nullptr, nullptr, &r.g);
  r.d[r.n_d++] = d1;
  if (d2 != 0.0) r.d[r.n_d++] = d2;
  return r;
}

// The model's rib inputs: the three specs and tables (null when none).
struct RibInput {
  const PROFIL_RIB_SPEC *rib_plan[3] = {nullptr, nullptr, nullptr};
  const PROFIL_HOLE_TABLE *holes[3] = {nullptr, nullptr, nullptr};
  int Has_Ribs(int k) const { return rib_plan[k] && rib_plan[k]->count > 0; }
  int Has_Holes(int k, int from = 0) const {
    if (holes[k])
      for (int i = from; i < PROFIL_HOLE_MAX; ++i)
        if (holes[k]->width[i] > kLeast) return 1;
    return 0;
  }
  int Any() const {
    for (int k = 0; k < 3; ++k)
      if (Has_Ribs(k) || Has_Holes(k)) return 1;
    return 0;
  }
};

// Refuses what no plate can hold: counts, spacings and hole values that cannot be read,
// ribs without a rib form, a point count outside 0..50.
int _Rib_Input_Valid(const RibInput &in, int n_points) {
  if (n_points < 0 || n_points > PROFIL_POINT_MAX) return 0;
  for (int k = 0; k < 3; ++k) {
    if (const PROFIL_RIB_SPEC *s = in.rib_plan[k]) {
      if (s->count < 0 || s->count > PROFIL_RIB_MAX) return 0;
      for (int i = 0; i < s->count; ++i)
        if (!(s->spacing[i] >= 0.0) || !std::isfinite(s->spacing[i])) return 0;
      if (s->count > 0) {
        const int t = s->rib.type;
        const int form = t == PROFIL_FLAT || t == PROFIL_ANGLE || t == PROFIL_C || t == PROFIL_U || t == PROFIL_T ||
                         t == PROFIL_HALF_I || t == PROFIL_TRAPEZ;
        if (!form) return 0;
      }
    }
    if (const PROFIL_HOLE_TABLE *h = in.holes[k])
      for (int i = 0; i < PROFIL_HOLE_MAX; ++i)
        if (!std::isfinite(h->width[i]) || !std::isfinite(h->centre[i])) return 0;
  }
  return 1;
}

// ---------------------------------------------------------------- shapes
void _Build_Angle(const PROFIL *p, Builder &m, double top, double second, int mirror) {
  const double y0 = (p->b_fo - p->t_w) / 2, s = mirror ? -1.0 : 1.0, zl = p->h - p->t_fo / 2;
  const int n1 = m.Node(s * y0, 0.0);
  if (_Present(p->b_fo, p->t_fo)) {
    const int n2 = m.Node(-s * p->b_fo / 2, zl);
    const int n3 = m.Node(s * y0, zl);
    m.Plate(PROFIL_POINT_BOTTOM);
    if (!mirror) m.Line(n2, n3, p->t_fo, 0, second, 0, top);
    else m.Line(n2, n3, p->t_fo, second, 0, top, 0);
    m.Plate(PROFIL_POINT_WEB, 0, p->h - p->t_fo);
    if (!mirror) m.Line(n1, n3, p->t_w, second, 0, top, 0);
    else m.Line(n1, n3, p->t_w, 0, second, 0, top);
  } else {
    const int n2 = m.Node(s * y0, zl);
    m.Plate(PROFIL_POINT_WEB);
    if (!mirror) m.Line(n1, n2, p->t_w, second, 0, top, 0);
    else m.Line(n1, n2, p->t_w, 0, second, 0, top);
  }
}

// A flange of an I shape (index 1 top, 2 bottom) at level z: nodes right tip, middle, left
// tip. With ribs one walk from the right tip through the middle to the left tip (no radii);
// otherwise both halves from their tips to the middle with hole 0 each (the left half
// mirrored) and the fillet at the middle. Returns the middle node, −1 when refused.
int _I_Flange(Builder &m, const RibInput &in, int k, double b, double t, double z, double fillet) {
  const int right = m.Node(b / 2, z);
  const int mid = m.Node(0.0, z);
  const int left = m.Node(-b / 2, z);
  const int top = k == PROFIL_PLATE_TOP;
  m.Plate(top ? PROFIL_POINT_TOP : PROFIL_POINT_BOTTOM);
  if (in.Has_Ribs(k)) {
    const RibSet ribs = _Ribs(in.rib_plan[k], t, 1, top ? 1.0 : -1.0);
    std::vector<Event> ev = _Events(in.rib_plan[k], in.holes[k], PROFIL_HOLE_MAX, 0.0, ribs.g);
    std::vector<Event> right_ev = _Take(ev, 0.0, b / 2), left_ev = _Take(ev, b / 2, b);
    if (!ev.empty()) return -1;
    if (_Walk(m, {right, mid, 0.0, b / 2, t, {0, 0, 0, 0}, NAN}, right_ev, ribs)) return -1;
    if (_Walk(m, {mid, left, b / 2, b, t, {0, 0, 0, 0}, NAN}, left_ev, ribs)) return -1;
    return mid;
  }
  if (in.Has_Holes(k, 1)) return -1;  // without ribs a flange takes hole 0 only
  const std::vector<Event> ev = _Events(nullptr, in.holes[k], 1, 0.0, 0.0);
  const RibSet none;
  // Right half: r_er at the middle for the top flange, r_el for the bottom one; the left
  // half the other face (as seen along each line).
  if (_Walk(m, {right, mid, 0.0, b / 2, t, {0, 0, top ? 0 : fillet, top ? fillet : 0}, NAN}, ev, none)) return -1;
  if (_Walk(m, {left, mid, 0.0, b / 2, t, {0, 0, top ? fillet : 0, top ? 0 : fillet}, NAN}, ev, none)) return -1;
  return mid;
}

int _Build_I(const PROFIL *p, Builder &m, const RibInput &in, double top, double bottom) {
  const double zt = p->t_fo / 2, zb = p->h - p->t_fu / 2;
  const int has_top = _Present(p->b_fo, p->t_fo), has_bottom = _Present(p->b_fu, p->t_fu);
  if ((!has_top && (in.Has_Ribs(1) || in.Has_Holes(1))) || (!has_bottom && (in.Has_Ribs(2) || in.Has_Holes(2))))
    return 1;
  const int web_a = has_top ? _I_Flange(m, in, PROFIL_PLATE_TOP, p->b_fo, p->t_fo, zt, top) : m.Node(0.0, zt);
  if (web_a < 0) return 1;
  const int web_b =
      has_bottom ? _I_Flange(m, in, PROFIL_PLATE_BOTTOM, p->b_fu, p->t_fu, zb, bottom) : m.Node(0.0, zb);
  if (web_b < 0) return 1;
  const PROFIL_RIB_SPEC *ws = in.rib_plan[PROFIL_PLATE_WEB];
  const int side = ws ? ws->side : 0;
  const RibSet ribs = side == 2 ? _Ribs(ws, p->t_w, 0, -1.0, 1.0) : _Ribs(ws, p->t_w, 0, side == 1 ? 1.0 : -1.0);
  const std::vector<Event> ev = _Events(ws, in.holes[0], PROFIL_HOLE_MAX, p->t_fo, ribs.g);
  m.Plate(PROFIL_POINT_WEB);
  return _Walk(m, {web_a, web_b, zt, zb, p->t_w, {top, top, bottom, bottom}, has_bottom ? p->h - p->t_fu : NAN}, ev,
               ribs);
}

// A flange with its outer face on the outer edge and its inner face sloped, thickness
// t_f + s·(x_tf − u) at u along it, as one tapered wall: its centre line bisects the angle
// α = atan s between the two faces, at z_c = tan(α/2)·(u* − u) from the outer edge with u*
// where the faces meet, and its thickness square to that line is 2·z_c/cos(α/2); a tip
// whose end face is square to the outer edge is turned by α/2 into it.
struct SlopedFlange {
  double half, u_meet;
  SlopedFlange(double t_f, double slope, double x_tf) {
    half = std::atan(slope) / 2, u_meet = x_tf + t_f / slope;
  }
  double z_c(double u) const { return std::tan(half) * (u_meet - u); }
  double thick(double u) const { return 2 * z_c(u) / std::cos(half); }
};

// A channel with sloped flanges (Get_Profil_Flange_Slope): each flange one tapered wall from
// its tip to the web's centre line (u from the back of the web), the tip turned by −α/2 into
// the vertical end face u = b.
void _Build_Sloped_Channel(const PROFIL *p, Builder &m, double top, double second, double slope, double x_tf) {
  const double b = p->b_fo, tw = p->t_w, y0 = (b - tw) / 2;
  const SlopedFlange f(p->t_fo, slope, x_tf);
  const double z_tip = f.z_c(b), z_web = f.z_c(tw / 2), t_tip = f.thick(b), t_web = f.thick(tw / 2);
  const int n1 = m.Node(-b / 2, z_tip);
  const int n2 = m.Node(y0, z_web);
  const int n3 = m.Node(-b / 2, p->h - z_tip);
  const int n4 = m.Node(y0, p->h - z_web);
  m.Plate(PROFIL_POINT_TOP);
  m.Tapered_Line(n1, n2, t_tip, t_web, -f.half, 0.0, second, 0, top, 0);
  m.Plate(PROFIL_POINT_BOTTOM);
  m.Tapered_Line(n3, n4, t_tip, t_web, f.half, 0.0, 0, second, 0, top);
  const double t_face = p->t_fo + slope * (x_tf - tw);  // flange thickness at the web's face
  m.Plate(PROFIL_POINT_WEB, 0, p->h - t_face);
  m.Line(n2, n4, tw, top, 0, top, 0);
}

void _Build_Channel(const PROFIL *p, Builder &m, double top, double second) {
  const double y0 = (p->b_fo - p->t_w) / 2, zt = p->t_fo / 2, zb = p->h - p->t_fo / 2;
  double x_tf = 0.0;
  const double slope = Get_Profil_Flange_Slope(p, &x_tf);
  if (slope > 0.0 && Has_Profil_Sloped_Outline(p)) {
    _Build_Sloped_Channel(p, m, top, second, slope, x_tf);
    return;
  }
  if (_Present(p->b_fo, p->t_fo)) {
    const int n1 = m.Node(-p->b_fo / 2, zt);
    const int n2 = m.Node(y0, zt);
    const int n3 = m.Node(-p->b_fo / 2, zb);
    const int n4 = m.Node(y0, zb);
    m.Plate(PROFIL_POINT_TOP);
    m.Line(n1, n2, p->t_fo, second, 0, top, 0);
    m.Plate(PROFIL_POINT_BOTTOM);
    m.Line(n3, n4, p->t_fo, 0, second, 0, top);
    m.Plate(PROFIL_POINT_WEB, 0, p->h - p->t_fo);
    m.Line(n2, n4, p->t_w, top, 0, top, 0);
  } else {
    const int n1 = m.Node(y0, zt);
    const int n2 = m.Node(y0, zb);
    m.Plate(PROFIL_POINT_WEB);
    m.Line(n1, n2, p->t_w, top, 0, top, 0);
  }
}

int _Build_RHS(const PROFIL *p, Builder &m, const RibInput &in, double top, double second) {
  const double y0 = (p->b_fo - p->t_w) / 2, zt = p->t_fo / 2, zb = p->h - p->t_fo / 2, w = 2 * y0;
  const int n1 = m.Node(y0, zt);
  const int n2 = m.Node(-y0, zt);
  const int n3 = m.Node(y0, zb);
  const int n4 = m.Node(-y0, zb);
  const RibSet none;
  const auto ev = [&](int k) { return _Events(nullptr, in.holes[k], PROFIL_HOLE_MAX, 0.0, 0.0); };
  m.Plate(PROFIL_POINT_TOP);
  int bad = _Walk(m, {n1, n2, 0.0, w, p->t_fo, {top, second, top, second}, NAN}, ev(1), none);
  m.Plate(PROFIL_POINT_BOTTOM);
  bad = bad || _Walk(m, {n3, n4, 0.0, w, p->t_fo, {second, top, second, top}, NAN}, ev(2), none);
  m.Plate(PROFIL_POINT_WEB, 1);
  bad = bad || _Walk(m, {n1, n3, zt, zb, p->t_w, {second, top, second, top}, p->h - p->t_fo}, ev(0), none);
  m.Plate(PROFIL_POINT_WEB, -1);
  bad = bad || _Walk(m, {n2, n4, zt, zb, p->t_w, {top, second, top, second}, p->h - p->t_fo}, ev(0), none);
  return bad;
}

// A tee with sloped faces (Get_Profil_Tee_Slope): each half of the flange one tapered wall
// from its toe to the stem's axis (u from the axis, the thickness x_tf from each toe is
// x_tf from the axis too), the toe turned by α/2 into its vertical end face; the stem one
// wall from the flange's centre line to its tip, t_w + 2s·(z_tw − z) wide at the depth z,
// its tip's corners rounded with r_2 like the toes'.
void _Build_Sloped_Tee(const PROFIL *p, Builder &m, double top, double second, double slope, double x_tf,
                       double z_tw) {
  const double b = p->b_fo;
  const SlopedFlange f(p->t_fo, slope, p->b_fo / 2 - x_tf);
  auto stem = [&](double z) { return p->t_w + 2 * slope * (z_tw - z); };
  const double z_toe = f.z_c(b / 2), z_axis = f.z_c(0.0), t_toe = f.thick(b / 2), t_axis = f.thick(0.0);
  const int n1 = m.Node(b / 2, z_toe);
  const int n2 = m.Node(0.0, z_axis);
  const int n3 = m.Node(-b / 2, z_toe);
  const int n4 = m.Node(0.0, p->h);
  m.Plate(PROFIL_POINT_TOP);
  m.Tapered_Line(n1, n2, t_toe, t_axis, f.half, 0.0, 0, second, 0, top);
  m.Tapered_Line(n2, n3, t_axis, t_toe, 0.0, -f.half, 0, top, 0, second);
  m.Plate(PROFIL_POINT_WEB);
  m.Tapered_Line(n2, n4, stem(z_axis), stem(p->h), 0.0, 0.0, top, top, second, second);
}

void _Build_T(const PROFIL *p, Builder &m, double top, double second) {
  const double zt = p->t_fo / 2;
  double x_tf = 0.0, z_tw = 0.0;
  const double slope = Get_Profil_Tee_Slope(p, &x_tf, &z_tw);
  if (slope > 0.0 && Has_Profil_Sloped_Outline(p)) {
    _Build_Sloped_Tee(p, m, top, second, slope, x_tf, z_tw);
    return;
  }
  if (_Present(p->b_fo, p->t_fo)) {
    const int n1 = m.Node(p->b_fo / 2, zt);
    const int n2 = m.Node(0.0, zt);
    const int n3 = m.Node(-p->b_fo / 2, zt);
    const int n4 = m.Node(0.0, p->h);
    m.Plate(PROFIL_POINT_TOP);
    m.Line(n1, n2, p->t_fo, 0, second, 0, top);
    m.Line(n2, n3, p->t_fo, 0, top, 0, second);
    m.Plate(PROFIL_POINT_WEB);
    m.Line(n2, n4, p->t_w, top, top, 0, 0);
  } else {
    const int n1 = m.Node(0.0, zt);
    const int n2 = m.Node(0.0, p->h);
    m.Plate(PROFIL_POINT_WEB);
    m.Line(n1, n2, p->t_w, top, top, 0, 0);
  }
}

void _Build_Z(const PROFIL *p, Builder &m, double top, double bottom, double second) {
  const double zt = p->t_fo / 2, zb = p->h - p->t_fo / 2;
  const int present = _Present(p->b_fo, p->t_fo);
  int web_a, web_b;
  if (present) {
    const int n1 = m.Node(p->b_fo / 2, zt);
    web_a = m.Node(0.0, zt);
    const int n3 = m.Node(-p->b_fo / 2, zb);
    web_b = m.Node(0.0, zb);
    m.Plate(PROFIL_POINT_TOP);
    m.Line(n1, web_a, p->t_fo, 0, second, 0, top);
    m.Plate(PROFIL_POINT_BOTTOM);
    m.Line(n3, web_b, p->t_fo, 0, second, 0, bottom);
  } else {
    web_a = m.Node(0.0, zt);
    web_b = m.Node(0.0, zb);
  }
  m.Plate(PROFIL_POINT_WEB, 0, present ? p->h - p->t_fo : NAN);
  m.Line(web_a, web_b, p->t_w, 0, top, bottom, 0);
}

// One flange of the box girder (index 1 top, 2 bottom), nodes from right to left, walked
// from the right-hand node in pieces between them; returns the nodes (y1), (−y1) through
// right and left, 1 when refused.
int _Box_Flange(Builder &m, const RibInput &in, int k, double b, double ue, double y1, double z, double t, int *right,
                int *left) {
  int nodes[4], n = 0;
  if (ue > kLeast) nodes[n++] = m.Node(b / 2 + ue, z);
  *right = nodes[n++] = m.Node(y1, z);
  *left = nodes[n++] = m.Node(-y1, z);
  if (ue > kLeast) nodes[n++] = m.Node(-b / 2 - ue, z);
  const double y_start = m.ny[static_cast<std::size_t>(nodes[0])];
  const int top = k == PROFIL_PLATE_TOP;
  const RibSet ribs = _Ribs(in.rib_plan[k], t, 1, top ? 1.0 : -1.0);
  std::vector<Event> ev = _Events(in.rib_plan[k], in.holes[k], PROFIL_HOLE_MAX, 0.0, ribs.g);
  m.Plate(top ? PROFIL_POINT_TOP : PROFIL_POINT_BOTTOM);
  for (int i = 0; i + 1 < n; ++i) {
    const double ca = y_start - m.ny[static_cast<std::size_t>(nodes[i])];
    const double cb = y_start - m.ny[static_cast<std::size_t>(nodes[i + 1])];
    if (_Walk(m, {nodes[i], nodes[i + 1], ca, cb, t, {0, 0, 0, 0}, NAN}, _Take(ev, ca, cb), ribs)) return 1;
  }
  return ev.empty() ? 0 : 1;
}

int _Build_Box(const PROFIL *p, Builder &m, const RibInput &in) {
  const double y1 = p->b_fo / 2 - p->t_w / 2, y2 = p->b_fu / 2 - p->t_w / 2;
  const double z_top = p->t_fo / 2, z_bottom = p->h - p->t_fu / 2;
  int tr, tl, br, bl;
  if (_Box_Flange(m, in, PROFIL_PLATE_TOP, p->b_fo, p->ue_o, y1, z_top, p->t_fo, &tr, &tl)) return 1;
  if (_Box_Flange(m, in, PROFIL_PLATE_BOTTOM, p->b_fu, p->ue_u, y2, z_bottom, p->t_fu, &br, &bl)) return 1;
  const PROFIL_RIB_SPEC *ws = in.rib_plan[PROFIL_PLATE_WEB];
  const RibSet right = _Ribs(ws, p->t_w, 0, 1.0), left = _Ribs(ws, p->t_w, 0, -1.0);
  const std::vector<Event> ev = _Events(ws, in.holes[0], PROFIL_HOLE_MAX, p->t_fo, right.g);
  m.Plate(PROFIL_POINT_WEB, 1);
  if (_Walk(m, {tr, br, z_top, z_bottom, p->t_w, {0, 0, 0, 0}, p->h - p->t_fu}, ev, right)) return 1;
  m.Plate(PROFIL_POINT_WEB, -1);
  return _Walk(m, {tl, bl, z_top, z_bottom, p->t_w, {0, 0, 0, 0}, p->h - p->t_fu}, ev, left);
}

int _Build_Flat(const PROFIL *p, Builder &m, const RibInput &in) {
  if (in.Has_Ribs(1) || in.Has_Ribs(2) || in.Has_Holes(1) || in.Has_Holes(2)) return 1;
  const int a = m.Node(0.0, 0.0), b = m.Node(0.0, p->h);
  const RibSet ribs = _Ribs(in.rib_plan[0], p->t_w, 0, -1.0);
  m.Plate(PROFIL_POINT_WEB);
  return _Walk(m, {a, b, 0.0, p->h, p->t_w, {0, 0, 0, 0}, NAN}, _Events(in.rib_plan[0], in.holes[0], PROFIL_HOLE_MAX, 0.0, ribs.g),
               ribs);
}

// The 32-gon of a round bar (radius h/4, thickness h/2) or a tube wall. A web point takes the
// first polygon line whose segment holds it in both coordinates; the first point of the
// list, found on line 1, is given line 32 when it lies on line 32 as well (at node 1).
void _Build_Polygon(Builder &m, double R, double t) {
  const int first = m.node;
  for (int k = 0; k < 32; ++k) {
    const double phi = k * 0.19634954084936207;
    m.Node(R * std::sin(phi), R * std::cos(phi));
  }
  m.Plate(0);
  for (int k = 0; k < 32; ++k) m.Line(first + k, first + (k + 1) % 32, t);
  auto holds = [&](int k, const PROFIL_STRESS_POINT &pt) {
    const std::size_t a = static_cast<std::size_t>(first + k), b = static_cast<std::size_t>(first + (k + 1) % 32);
    return (pt.y - m.ny[a]) * (m.ny[b] - pt.y) > -kLeast && (pt.z - m.nz[a]) * (m.nz[b] - pt.z) > -kLeast;
  };
  for (int i = 0; i < m.n_pts; ++i) {
    PROFIL_STRESS_POINT &pt = m.pts[i];
    if (pt.number < 0 || !(pt.flags & PROFIL_POINT_WEB)) continue;
    for (int k = 0; k < 32 && pt.line == 0; ++k)
      if (holds(k, pt)) pt.line = m.line - 32 + k;
    if (i == 0 && pt.line == m.line - 32 && holds(31, pt)) pt.line = m.line - 1;
  }
}

// The trapezoid as the rib of Add_Profil_DWQB_Rib on a plate of thickness 0 at z = h:
// feet (f, h), (−f, h), web to (−f + e, t_fo/2), flange to (f − e, t_fo/2), web back.
void _Build_Trapez(const PROFIL *p, Builder &m) {
  double w = 0.0, e = 0.0, g = 0.0;
  Get_Profil_Rib_Geometry(p, 0.0, nullptr, &w, &e, &g);
  const double f = (p->b_fu - w) / 2;
  const int n1 = m.Node(f, p->h);
  const int n2 = m.Node(-f, p->h);
  const int n3 = m.Node(e - g, p->t_fo / 2);
  m.Line(n2, n3, p->t_w);
  const int n4 = m.Node(g - e, p->t_fo / 2);
  m.Line(n3, n4, p->t_fo);
  m.Line(n4, n1, p->t_w);
}

// Builds the model of the shape; 1 when its rib inputs are refused.
int _Build_Model(const PROFIL *p, Builder &m, const RibInput &in, double top, double bottom, double second,
                 int mirror) {
  const int is_i = Is_Profil_Type_in_Group(4, p->type);
  const int takes_ribs = p->type == PROFIL_FLAT || is_i || p->type == PROFIL_BOX;
  const int takes_holes = takes_ribs || p->type == PROFIL_RHS;
  for (int k = 0; k < 3; ++k)
    if ((!takes_ribs && in.Has_Ribs(k)) || (!takes_holes && in.Has_Holes(k))) return 1;
  switch (p->type) {
    case PROFIL_FLAT: return _Build_Flat(p, m, in);
    case PROFIL_ROUND: _Build_Polygon(m, p->h / 4, p->h / 2); return 0;
    case PROFIL_CHS: _Build_Polygon(m, p->h / 2 - p->t_w / 2, p->t_w); return 0;
    case PROFIL_ANGLE: _Build_Angle(p, m, top, second, mirror); return 0;
    case PROFIL_C: case PROFIL_U: _Build_Channel(p, m, top, second); return 0;
    case PROFIL_RHS: return _Build_RHS(p, m, in, top, second);
    case PROFIL_T: case PROFIL_HALF_I: _Build_T(p, m, top, second); return 0;
    case PROFIL_Z: _Build_Z(p, m, top, bottom, second); return 0;
    case PROFIL_BOX: return _Build_Box(p, m, in);
    case PROFIL_TRAPEZ: _Build_Trapez(p, m); return 0;
    default: return is_i ? _Build_I(p, m, in, top, bottom) : 0;  // type 0 and above 17: nothing
  }
}

// Plastic moduli of the solver's current section (cm³) about y and z through the
// centroid: records 0 and 1 of the solver's plastic values. 0 when they failed.
int _Solver_Plastic_Moduli(double *w_y, double *w_z) {
  DWQB_PLASTIC_RECORD records[8];
  *w_y = *w_z = 0.0;
  if (!Calc_DWQB_Plastic_Values(records)) return 0;
  *w_y = records[0].W_pl;
  *w_z = records[1].W_pl;
  return 1;
}

double _Small_to_Zero(double x) { return std::fabs(x) < kLeast ? 0.0 : x; }

void _Zero_Values(PROFIL *p) {
  p->A = p->y_s = p->z_s = p->y_M = p->z_M = 0.0;
  p->I_y = p->I_z = p->I_yz = p->I_T = p->I_w = p->alpha = 0.0;
  p->W_pl_y = p->W_pl_z = 0.0;
}

// Step after the values: a point in use that no wall holds makes the result 1.
int _Points_Placed(const PROFIL_STRESS_POINT *points, int n) {
  for (int k = 0; k < n; ++k)
    if (points[k].number >= 0 && points[k].line == 0) return 0;
  return 1;
}

}  // namespace

void Set_Profil_Plastic_Moduli_Flag(int on) { Profil_State().plastic_moduli = on; }

int Build_Profil_Model(const PROFIL *p, const PROFIL_MODEL_SINK *sink, int mirror, int *node_count, int *line_count) {
  Builder m;
  m.sink = sink;
  if (p && sink && sink->node && sink->line) {
    double top = 0.0, bottom = 0.0, second = 0.0;
    Get_Profil_Fillet_Sizes(p, &top, &bottom, &second);
    if (!p->rolled) top = bottom = 0.0;
    _Build_Model(p, m, RibInput{}, top, bottom, second, mirror);
  }
  if (node_count) *node_count = m.node - 1;
  if (line_count) *line_count = m.line - 1;
  return m.line > 1 ? 0 : 1;
}

void Set_Profil_Model_Options(unsigned options) { Profil_State().model_options = options; }

void Add_Profil_DWQB_Line(int nr, int node_a, int node_b, const double *values_mm) {
  double cm[9] = {};
  if (values_mm)
    for (int k = 0; k < 9; ++k) cm[k] = 0.1 * values_mm[k];
  Add_DWQB_Line(nr, 0, node_a, node_b, cm);
}

void Get_Profil_Rib_Geometry(const PROFIL *rib, double t_p, double *angle, double *w, double *e, double *g) {
  if (rib && (rib->type == PROFIL_C || rib->type == PROFIL_U)) {
    if (angle) *angle = 0.0;
    if (w) *w = 0.0;
    if (e) *e = 0.0;
    if (g) *g = (rib->h - rib->t_fo) / 2;
    return;
  }
  if (rib && rib->type == PROFIL_TRAPEZ) {
    Get_Profil_Taper_Geometry(rib, t_p, angle, w, e, g);
    return;
  }
  for (double *x : {angle, w, e, g})
    if (x) *x = 0.0;
}

void Get_Profil_Taper_Geometry(const PROFIL *p, double t_p, double *angle, double *w, double *e, double *g) {
  double a = 0.0, ww = 0.0, ee = 0.0, gg = 0.0;
  if (p) {
    // The taper of the widths over the height, whatever the type (Get_Profil_Taper_Angle
    // knows it for types 16 and 17 only).
    a = std::fabs(p->b_fu - p->b_fo) <= kLeast ? 0.0 : std::atan2((p->b_fu - p->b_fo) / 2, p->h);
    const double c = std::cos(a);
    ww = c == 0.001 ? p->t_w : p->t_w / c;
    ee = (p->h + t_p / 2 - p->t_fo / 2) * std::tan(a);
    gg = (t_p * std::tan(a) - ww + p->b_fu) / 2;
  }
  if (angle) *angle = a;
  if (w) *w = ww;
  if (e) *e = ee;
  if (g) *g = gg;
}

int Calc_Profil_DWQB_Querschnittswerte(PROFIL *p, const PROFIL_RIB_SPEC *rib_specs,
                                       const PROFIL_HOLE_TABLE *hole_tables, int mirror, int n_points,
                                       PROFIL_STRESS_POINT *points) {
  if (!p) return 1;
  if (!points) n_points = 0;
  _Zero_Values(p);
  RibInput in;
  for (int k = 0; k < 3; ++k) {
    in.rib_plan[k] = rib_specs ? &rib_specs[k] : nullptr;
    in.holes[k] = hole_tables ? &hole_tables[k] : nullptr;
  }
  if (!_Rib_Input_Valid(in, n_points)) return 1;
  for (int k = 0; k < n_points; ++k)
    if (points[k].number >= 0) points[k].line = 0;
  const int plastic = Profil_State().plastic_moduli;

  Reset_DWQB_Querschnitt();  // also drops the plastic masks of the section before
  Get_DWQB_Header()->options |= Profil_State().model_options;
  double top = 0.0, bottom = 0.0, second = 0.0;
  Get_Profil_Fillet_Sizes(p, &top, &bottom, &second);
  if (!p->rolled) top = bottom = 0.0;  // welded shapes without weld fillets
  Builder m;
  m.pts = points;
  m.n_pts = n_points;
  if (_Build_Model(p, m, in, top, bottom, second, mirror)) {
    Reset_DWQB_Querschnitt();  // no half-built model is left behind
    for (int k = 0; k < n_points; ++k)
      if (points[k].number >= 0) points[k].line = 0;
    return 1;
  }
  const int rc = Calc_DWQB_Querschnitt();

  // Flat and round bars take closed formulas; ribs, holes or points need the model's values.
  const int model_values = n_points > 0 || in.Any();
  if (p->type == PROFIL_FLAT) {
    const double h = p->h, t = p->t_w;
    p->A = h * t;
    p->z_s = h / 2;
    p->y_s = -t / 2;
    p->I_y = h * 0.08333333333333333 * h * p->A;
    p->I_z = t * 0.08333333333333333 * p->A * t;
    if (plastic) {
      p->W_pl_y = h * p->A / 4;
      p->W_pl_z = p->A * t / 4;
    }
    p->I_T = Calc_Rectangle_Torsion_Constants(t, h, nullptr);
    p->I_w = 0.0;
    if (!model_values) return rc;
  }
  if (p->type == PROFIL_ROUND) {
    const double R = p->h / 2;
    p->A = kPi * R * R;
    p->z_s = R;
    p->y_s = -R;
    p->I_y = p->I_z = 0.7853981633974483 * R * R * R * R;
    if (plastic) p->W_pl_y = p->W_pl_z = 1.3333333333333333 * R * R * R;
    p->I_T = 1.5707963267948966 * R * R * R * R;
    p->I_w = 0.0;
    if (!model_values) return rc;
  }

  const DWQB_VALUES *v = Get_DWQB_Values();
  if (rc != 0) {
    _Zero_Values(p);
    return rc;  // section values stay 0
  }
  if (v->v[DWQB_V_A] < 0.001) {
    _Zero_Values(p);
    return 1;
  }

  p->A = 100 * v->v[DWQB_V_A];
  p->y_s = 10 * v->v[DWQB_V_YS];
  p->z_s = 10 * v->v[DWQB_V_ZS];
  p->I_y = 1e4 * v->v[DWQB_V_IM];
  p->I_z = 1e4 * v->v[DWQB_V_IN];
  p->I_yz = 1e4 * v->v[DWQB_V_IMN];
  p->I_T = 1e4 * v->v[DWQB_V_IT];
  p->I_w = 1e6 * v->v[DWQB_V_IW];
  p->alpha = kRadToDeg * v->v[DWQB_V_ALPHA];
  p->y_M = 10 * (v->v[DWQB_V_YM] - v->v[DWQB_V_YS]);
  p->z_M = 10 * (v->v[DWQB_V_ZM] - v->v[DWQB_V_ZS]);
  p->W_pl_y = p->W_pl_z = 0.0;

  // Reference corner and the torsion correction of rolled shapes, whose fillets the wall
  // model of the torsion constant does not see.
  switch (p->type) {
    case PROFIL_FLAT:
      p->y_s -= p->t_w / 2;
      break;
    case PROFIL_ROUND: case PROFIL_CHS:
      p->y_s = -p->h / 2;
      p->z_s = p->h / 2;
      break;
    case PROFIL_ANGLE:
      p->y_s = mirror ? -p->b_fo / 2 - p->y_s : p->y_s - p->b_fo / 2;
      if (p->rolled && p->r > std::fmax(p->t_w, p->t_fo)) p->I_T *= 0.99;
      break;
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
      p->y_s -= std::fmax(p->b_fo, p->b_fu) / 2;
      if (p->rolled && p->r > std::fmax(std::fmax(p->t_fu, p->t_fo), p->t_w)) p->I_T *= 1.3;
      break;
    case PROFIL_C: case PROFIL_T: case PROFIL_U: case PROFIL_Z: case PROFIL_HALF_I:
      p->y_s -= p->b_fo / 2;
      if (p->rolled && p->r > std::fmax(p->t_w, p->t_fo)) p->I_T *= 1.12;
      break;
    case PROFIL_RHS:
      p->y_s -= p->b_fo / 2;
      break;
    case PROFIL_BOX:
      p->y_s -= std::fmax(p->b_fu + 2 * p->ue_u, p->b_fo + 2 * p->ue_o) / 2;
      break;
    default:
      break;
  }
  for (double *x : {&p->A, &p->y_s, &p->z_s, &p->I_y, &p->I_z, &p->I_yz, &p->I_T, &p->I_w, &p->alpha, &p->y_M,
                    &p->z_M})
    *x = _Small_to_Zero(*x);

  int result = 0;
  if (plastic) {
    double w_y = 0.0, w_z = 0.0;
    if (_Solver_Plastic_Moduli(&w_y, &w_z)) {
      p->W_pl_y = _Small_to_Zero(1000 * w_y);
      p->W_pl_z = _Small_to_Zero(1000 * w_z);
    } else {
      result = 1;
    }
  }
  if (n_points > 0 && !_Points_Placed(points, n_points)) result = 1;
  return result;
}

int Get_Profil_DWQB_Querschnittswerte(PROFIL *p, const PROFIL_RIB_SPEC *rib_specs,
                                      const PROFIL_HOLE_TABLE *hole_tables, int mirror, int n_points,
                                      PROFIL_STRESS_POINT *points) {
  if (p && p->kind == PROFIL_KIND_QUER) return 0;
  return Calc_Profil_DWQB_Querschnittswerte(p, rib_specs, hole_tables, mirror, n_points, points);
}
