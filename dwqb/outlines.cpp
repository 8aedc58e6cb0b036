// Line outlines: the ten outline pieces of every wall line, with the joins to the
// neighbouring lines at both nodes, turned end cuts and circular corner fillets. The
// corner points come from small 2 × 2 intersection solves of two offset curves.
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "analysis/hybrd.h"
#include "dwqb/dwqb_internal.h"

namespace {
// Stop value of every outline solve on |F|² (so the solver tolerance is 1e-8).
constexpr double kOutlineEps = 1e-10;
constexpr double kRadiusMin = 1e-6;

struct Side {
  DWQB_LINE *line;
  int code;     // 5 or 10 (see _Line_Outline)
  double w;     // face followed: -1 right, +1 left
  double e;     // s of the node end
};
}  // namespace

void Set_Outline_Intersection_Curves(const DWQB_LINE_GEOMETRY *a, double w_a, const DWQB_LINE_GEOMETRY *b,
                                     double w_b) {
  DwqbState &g = Dwqb_State();
  g.curve_a = a;
  g.w_a = w_a;
  g.curve_b = b;
  g.w_b = w_b;
}

void _Outline_Intersection_Fcn(int *, double *x, double *fvec, double *fjac, int *ldfjac, int *iflag) {
  const DwqbState &g = Dwqb_State();
  if (*iflag == 1) {
    double ya, za, yb, zb;
    Get_DWQB_Line_Geometry_Point(x[0], g.w_a, g.curve_a, &ya, &za);
    Get_DWQB_Line_Geometry_Point(x[1], g.w_b, g.curve_b, &yb, &zb);
    fvec[0] = ya - yb;
    fvec[1] = za - zb;
    if (fvec[0] * fvec[0] + fvec[1] * fvec[1] <= g.eps) *iflag = -1;
  } else if (*iflag == 2) {
    double ta_y, ta_z, tb_y, tb_z;
    Get_DWQB_Line_Geometry_Tangent(x[0], g.w_a, g.curve_a, &ta_y, &ta_z);
    Get_DWQB_Line_Geometry_Tangent(x[1], g.w_b, g.curve_b, &tb_y, &tb_z);
    const int ld = *ldfjac;
    fjac[0] = ta_y;
    fjac[1] = ta_z;
    fjac[ld] = -tb_y;
    fjac[ld + 1] = -tb_z;
  }
  // iflag 3 (step hook) and 0 (print): the step and fvec stay as they are.
}

int Solve_Outline_Intersection(double *s_A, double *s_B, double s_A0, double s_B0, double eps) {
  DwqbState &g = Dwqb_State();
  g.eps = eps;
  int n = 2, ld = 2, maxfev = 50, info = 0, lwa = 15, iter = 0;
  double tol = 0.001 * std::sqrt(eps);
  double x[2] = {s_A0, s_B0}, fvec[2] = {0, 0}, fjac[4] = {0, 0, 0, 0}, wa[15];
  Masque_Hybrd1(_Outline_Intersection_Fcn, &n, x, fvec, fjac, &ld, &tol, &maxfev, &info, wa, &lwa, &iter);
  *s_A = x[0];
  *s_B = x[1];
  return (info == 1 || info == -1) && std::isfinite(x[0]) && std::isfinite(x[1]) ? 1 : 0;
}

int _Calc_Line_Node_Rot_Outline(const DWQB_NODE *node, const DWQB_LINE *line, double *s, double angle, double w) {
  DWQB_LINE_GEOMETRY ray;
  const double len = line->geo.length;
  Set_DWQB_Line_Geometry(node->y, node->z, node->y - len * std::sin(angle), node->z + len * std::cos(angle), 0.0,
                         0.0, 0.0, 0.001, &ray);
  Set_Outline_Intersection_Curves(&ray, 0.0, &line->geo, w);
  double sa, sb;
  if (Solve_Outline_Intersection(&sa, &sb, 0.0, *s, kOutlineEps)) {
    *s = sb;
    return 1;
  }
  std::printf("_Calc_Line_Node_Rot_Outline: Schnittpunkt nicht gefunden: Knoten %d, Rot = %.3f, Linie %d\n", node->nr,
              angle, line->nr);
  return 0;
}

// Rise of a fillet arc of radius r (signed: > 0 at a left turn) over a chord c.
static double _Fillet_Rise(double r, double c) {
  const double arg = r * r - c * c / 4.0;
  double rise = arg > 0.0 ? std::fabs(r) - std::sqrt(arg) : std::fabs(r);
  return r > 0.0 ? -rise : rise;
}

static void _Set_Piece(DWQB_OUTLINE_PIECE *p, std::uint32_t flags, double y0, double z0, double s0, double w0,
                       double y1, double z1, double s1, double w1) {
  if (!p) return;
  Clear_DWQB_Outline_Piece(p);
  p->flags = flags;
  p->y0 = y0;
  p->z0 = z0;
  p->s0 = s0;
  p->w0 = w0;
  p->y1 = y1;
  p->z1 = z1;
  p->s1 = s1;
  p->w1 = w1;
}

static void _Set_Fillet_Piece(DWQB_OUTLINE_PIECE *p, double r, double y0, double z0, double s0, double w0, double y1,
                              double z1, double s1, double w1) {
  if (!p) return;
  _Set_Piece(p, DWQB_PIECE_COMPUTED | DWQB_PIECE_ARC, y0, z0, s0, w0, y1, z1, s1, w1);
  const double c = std::sqrt((y1 - y0) * (y1 - y0) + (z1 - z0) * (z1 - z0));
  p->rise = _Fillet_Rise(r, c);
  if (std::fabs(p->rise) <= 0.001 * c) {
    p->count = 0;
  } else {
    const double q = (c * c - 4.0 * p->rise * p->rise) / (c * c + 4.0 * p->rise * p->rise);
    const int k = static_cast<int>(std::atan2(std::sqrt(std::fmax(0.0, 1.0 - q * q)), q) * 6.454972243679028);
    p->count = k == 0 ? 20 : (2 * k > 20 ? 2 * k : 20);
  }
}

// Plain end of the in-line (into = true: fillet F then join J towards the node) or of the
// out-line (join J from the node, then fillet F) at the face point (s, w).
static void _Plain_End(const DWQB_NODE *N, const Side &side, double s, bool in, DWQB_OUTLINE_PIECE *fillet,
                       DWQB_OUTLINE_PIECE *join) {
  double py, pz;
  Get_DWQB_Line_Geometry_Point(s, side.w, &side.line->geo, &py, &pz);
  _Set_Piece(fillet, DWQB_PIECE_COMPUTED | DWQB_PIECE_EMPTY, py, pz, s, side.w, py, pz, s, side.w);
  if (in)
    _Set_Piece(join, DWQB_PIECE_COMPUTED, py, pz, s, side.w, N->y, N->z, side.e, 0.0);
  else
    _Set_Piece(join, DWQB_PIECE_COMPUTED, N->y, N->z, side.e, 0.0, py, pz, s, side.w);
}

// Corner radius of the face a side arrives on (in-line) or leaves on (out-line).
static double _In_Radius(const Side &s) { return s.code == 5 ? s.line->rad_rechts_b : s.line->rad_links_a; }
static double _Out_Radius(const Side &s) { return s.code == 5 ? s.line->rad_rechts_a : s.line->rad_links_b; }

// Unit travel direction of a side at the node: towards the node for the in-line, away
// from it for the out-line (the tangent, turned round for code 10).
static void _Direction(const Side &s, double *dy, double *dz) {
  double ty, tz;
  Get_DWQB_Line_Geometry_Tangent(s.e, s.w, &s.line->geo, &ty, &tz);
  const double len = s.line->geo.length;
  if (len > 0.0) {
    ty /= len;
    tz /= len;
  } else {
    ty = tz = 0.0;
  }
  if (s.code == 10) {
    ty = -ty;
    tz = -tz;
  }
  *dy = ty;
  *dz = tz;
}

// Free end of one line: turned end cut and fillet between the face and the cut.
static void _Free_End(const DWQB_NODE *N, const Side &side, bool in, DWQB_OUTLINE_PIECE *fillet,
                      DWQB_OUTLINE_PIECE *join) {
  DWQB_LINE *L = side.line;
  const bool at_b = in ? side.code == 5 : side.code == 10;
  double s = side.e;
  const double rot = at_b ? L->rot_b : L->rot_a;
  if (std::fabs(rot) > kRadiusMin) {
    const double angle = L->geo.angle + rot + (at_b ? -L->geo.half_angle : L->geo.half_angle);
    if (!_Calc_Line_Node_Rot_Outline(N, L, &s, angle, side.w)) {
      std::printf("_Line_Node_Outline: Schnittpunkt nicht gefunden: Linie %d\n", L->nr);
      _Plain_End(N, side, side.e, in, fillet, join);
      return;
    }
  }
  const double r = in ? _In_Radius(side) : _Out_Radius(side);
  if (r <= kRadiusMin) {
    _Plain_End(N, side, s, in, fillet, join);
    return;
  }
  // Face moved by r into the wall, and the cut segment between face point and node moved
  // the same way; the fillet runs from the face's tangent point to the cut's.
  double py, pz;
  Get_DWQB_Line_Geometry_Point(s, side.w, &L->geo, &py, &pz);
  DWQB_LINE_GEOMETRY face = L->geo;
  face.radius += side.code == 10 ? -r : r;
  DWQB_LINE_GEOMETRY cut, cut_moved;
  if (in)
    Set_DWQB_Line_Geometry(py, pz, N->y, N->z, 0.0, 0.0, 0.0, 0.001, &cut);
  else
    Set_DWQB_Line_Geometry(N->y, N->z, py, pz, 0.0, 0.0, 0.0, 0.001, &cut);
  cut_moved = cut;
  cut_moved.radius += r;
  double sa, sb;
  int found;
  if (in) {
    Set_Outline_Intersection_Curves(&face, side.w, &cut_moved, 0.0);
    found = Solve_Outline_Intersection(&sa, &sb, s, -1.0, kOutlineEps);
  } else {
    Set_Outline_Intersection_Curves(&cut_moved, 0.0, &face, side.w);
    found = Solve_Outline_Intersection(&sa, &sb, 1.0, s, kOutlineEps);
  }
  if (!found) {
    if (in)
      std::printf("_Line_Outline (Ausrundung): Schnittpunkt nicht gefunden: Linie %d, Knoten %d\n", L->nr, N->nr);
    else
      std::printf("_Line_Outline (Ausrundung): Schnittpunkt nicht gefunden: Knoten %d, Linie %d\n", N->nr, L->nr);
    _Plain_End(N, side, s, in, fillet, join);
    return;
  }
  const double s_face = in ? sa : sb, s_cut = in ? sb : sa;
  double ty, tz, my, mz;
  Get_DWQB_Line_Geometry_Point(s_face, side.w, &L->geo, &ty, &tz);
  Get_DWQB_Line_Geometry_Point(s_cut, 0.0, &cut, &my, &mz);
  if (in) {
    _Set_Fillet_Piece(fillet, r, ty, tz, s_face, side.w, my, mz, s, side.w / 2.0);
    _Set_Piece(join, DWQB_PIECE_COMPUTED, my, mz, s, side.w / 2.0, N->y, N->z, side.e, 0.0);
  } else {
    _Set_Piece(join, DWQB_PIECE_COMPUTED, N->y, N->z, side.e, 0.0, my, mz, s, side.w / 2.0);
    _Set_Fillet_Piece(fillet, r, my, mz, s, side.w / 2.0, ty, tz, s_face, side.w);
  }
}

void _Line_Outline(const DWQB_NODE *N, DWQB_LINE *l1, int c1, DWQB_OUTLINE_PIECE *f1, DWQB_OUTLINE_PIECE *j1,
                   DWQB_LINE *l2, int c2, DWQB_OUTLINE_PIECE *j2, DWQB_OUTLINE_PIECE *f2) {
  const Side in{l1, c1, c1 == 5 ? -1.0 : 1.0, c1 == 5 ? 1.0 : -1.0};
  const Side out{l2, c2, c2 == 5 ? -1.0 : 1.0, c2 == 5 ? -1.0 : 1.0};
  const bool has1 = l1 && l1->part_nr != 1;
  const bool has2 = l2 && l2->part_nr != 1;

  if (!has1 || !has2) {
    // Free ends; a line of part number 1 gets a plain square end at its node end.
    if (l1) {
      if (has1)
        _Free_End(N, in, true, f1, j1);
      else
        _Plain_End(N, in, in.e, true, f1, j1);
    }
    if (l2) {
      if (has2)
        _Free_End(N, out, false, f2, j2);
      else
        _Plain_End(N, out, out.e, false, f2, j2);
    }
    return;
  }

  double s1 = in.e, s2 = out.e;
  double d1y, d1z, d2y, d2z;
  _Direction(in, &d1y, &d1z);
  _Direction(out, &d2y, &d2z);
  const double cross = d1y * d2z - d2y * d1z;

  if (std::fabs(cross) > 0.01) {
    double a, b;
    Set_Outline_Intersection_Curves(&l1->geo, in.w, &l2->geo, out.w);
    if (!Solve_Outline_Intersection(&a, &b, s1, s2, kOutlineEps)) {
      std::printf("_Line_Outline: Schnittpunkt nicht gefunden: Knoten %d, Linien %d und %d\n", N->nr, l1->nr, l2->nr);
    } else {
      s1 = a;
      s2 = b;
      const double rad_l = _In_Radius(in), rad_r = _Out_Radius(out);
      double radius = rad_r;
      if (std::fabs(rad_l - rad_r) > 1e-6) {
        std::printf("_Line_Outline(%d->%d): rad_l = %.3f != rad_r = %.3f\n", l1->nr, l2->nr, rad_l, rad_r);
        radius = (rad_l + rad_r) / 2.0;
      }
      if (radius > kRadiusMin) {
        const double r = cross < 0.0 ? -radius : radius;
        DWQB_LINE_GEOMETRY g1 = l1->geo, g2 = l2->geo;
        g1.radius += c1 == 10 ? -r : r;
        g2.radius += c2 == 10 ? -r : r;
        Set_Outline_Intersection_Curves(&g1, in.w, &g2, out.w);
        double s1c, s2c;
        if (Solve_Outline_Intersection(&s1c, &s2c, s1, s2, kOutlineEps)) {
          double t1y, t1z, t2y, t2z;
          Get_DWQB_Line_Geometry_Point(s1c, in.w, &l1->geo, &t1y, &t1z);
          Get_DWQB_Line_Geometry_Point(s2c, out.w, &l2->geo, &t2y, &t2z);
          const double c = std::sqrt((t2y - t1y) * (t2y - t1y) + (t2z - t1z) * (t2z - t1z));
          DWQB_LINE_GEOMETRY arc;
          Set_DWQB_Line_Geometry(t1y, t1z, t2y, t2z, _Fillet_Rise(r, c), 0.0, 0.0, 0.001, &arc);
          double my, mz;
          Calc_Line_Point(&arc, 0.0, &my, &mz);
          _Set_Fillet_Piece(f1, r, t1y, t1z, s1c, in.w, my, mz, s1, in.w / 2.0);
          _Set_Piece(j1, DWQB_PIECE_COMPUTED, my, mz, s1, in.w / 2.0, N->y, N->z, in.e, 0.0);
          _Set_Piece(j2, DWQB_PIECE_COMPUTED, N->y, N->z, out.e, 0.0, my, mz, s2, out.w / 2.0);
          _Set_Fillet_Piece(f2, r, my, mz, s2, out.w / 2.0, t2y, t2z, s2c, out.w);
          return;
        }
        std::printf("_Line_Outline (Ausrundung): Schnittpunkt nicht gefunden: Knoten %d, Linien %d und %d\n", N->nr,
                    l1->nr, l2->nr);
      }
      // Sharp corner at the face intersection.
      _Plain_End(N, in, s1, true, f1, j1);
      _Plain_End(N, out, s2, false, f2, j2);
      return;
    }
  }

  // Near-parallel faces, or no intersection: both faces cut square to the mean direction.
  const double my = d1y + d2y, mz = d1z + d2z;
  if (std::fabs(my) + std::fabs(mz) > 1e-6) {
    const double angle = std::atan2(mz, my);
    _Calc_Line_Node_Rot_Outline(N, l1, &s1, angle, in.w);
    _Calc_Line_Node_Rot_Outline(N, l2, &s2, angle, out.w);
  }
  _Plain_End(N, in, s1, true, f1, j1);
  _Plain_End(N, out, s2, false, f2, j2);
}

// Neighbour of L at a node, walking around it from a first link: `descending` walks the
// preceding lines (in-neighbours), otherwise the following ones (out-neighbours). Lines of
// part number 1 are skipped; none is found when L itself has part number 1. Returns 1
// and the line with its code (5/10), 0 when there is none, -1 on a broken link.
static int _Neighbour(const DWQB_LINE *L, const DWQB_NODE *N, DWQB_LINE *first, bool descending, DWQB_LINE **K_out,
                      int *code_out) {
  *K_out = nullptr;
  if (L->part_nr == 1) return 0;
  int guard = 0;
  for (DWQB_LINE *K = first; K && K != L; ++guard) {
    if (guard > 1000000) return -1;
    if (descending) {
      if (K->node_b == N) {
        if (K->part_nr != 1) {
          *K_out = K;
          *code_out = 5;
          return 1;
        }
        K = K->prev_at_b;
      } else if (K->node_a == N) {
        if (K->part_nr != 1) {
          *K_out = K;
          *code_out = 10;
          return 1;
        }
        K = K->prev_at_a;
      } else {
        return -1;
      }
    } else {
      if (K->node_a == N) {
        if (K->part_nr != 1) {
          *K_out = K;
          *code_out = 5;
          return 1;
        }
        K = K->next_at_a;
      } else if (K->node_b == N) {
        if (K->part_nr != 1) {
          *K_out = K;
          *code_out = 10;
          return 1;
        }
        K = K->next_at_b;
      } else {
        return -1;
      }
    }
  }
  return 0;
}

// Face piece (2 or 7) between the fillet before it and the fillet after it.
static void _Face_Piece(DWQB_LINE *L, int index) {
  DWQB_OUTLINE_PIECE &p = L->outline[index];
  const DWQB_OUTLINE_PIECE &before = L->outline[index - 1];
  const DWQB_OUTLINE_PIECE &after = L->outline[index + 1];
  _Set_Piece(&p, DWQB_PIECE_COMPUTED, before.y1, before.z1, before.s1, before.w1, after.y0, after.z0, after.s0,
             after.w0);
  p.line = L;
  if (L->geo.n_seg > 0) {
    p.count = L->geo.n_seg;
    p.flags |= DWQB_PIECE_ARC;
  }
}

static bool _All_Computed(const DWQB_LINE *L, std::initializer_list<int> idx) {
  for (int i : idx)
    if (!Dwqb_Piece_Computed(L->outline[i])) return false;
  return true;
}

// The node end of the outline: when the node lies outside the loop (turned cuts), the
// first and last join points move onto the outline.
static void _Fix_Node(DWQB_OUTLINE_PIECE &first, DWQB_OUTLINE_PIECE &last, const DWQB_NODE *other) {
  if (!Dwqb_Piece_Computed(first) || !Dwqb_Piece_Computed(last)) return;
  double dy = first.y0 - other->y, dz = first.z0 - other->z;
  const double len = std::sqrt(dy * dy + dz * dz);
  if (len > 0.0) {
    dy /= len;
    dz /= len;
  } else {
    dy = 1.0;
    dz = 0.0;
  }
  const double qy = last.y0, qz = last.z0;
  const double c1 = dy * (first.z0 - qz) - dz * (first.y0 - qy);
  if (c1 >= -1e-7) {
    const double c2 = dy * (first.z1 - first.z0) - dz * (first.y1 - first.y0);
    if (c2 < -1e-7) {
      first.y0 = last.y1 = first.y1;
      first.z0 = last.z1 = first.z1;
    }
  } else {
    first.y0 = last.y1 = qy;
    first.z0 = last.z1 = qz;
  }
}

void _Set_Line_Outlines() {
  DwqbState &g = Dwqb_State();
  for (DWQB_LINE *L = g.line_head; L; L = L->next)
    for (DWQB_OUTLINE_PIECE &p : L->outline) Clear_DWQB_Outline_Piece(&p);

  for (DWQB_LINE *L = g.line_head; L; L = L->next) {
    const DWQB_NODE *Na = L->node_a, *Nb = L->node_b;
    if (!Na || !Nb) {
      std::printf("Fehler in _Set_Line_Outlines: line %d\n", L->nr);
      continue;
    }
    DWQB_OUTLINE_PIECE *P = L->outline;
    int step = 2;  // right face at node a
    if (Dwqb_Piece_Computed(P[0])) {
      if (_All_Computed(L, {1, 2, 3, 4})) {
        if (_All_Computed(L, {5, 6, 7, 8, 9})) continue;
        step = 4;
      } else {
        step = Dwqb_Piece_Computed(P[4]) ? 4 : 3;
      }
    }
    bool error = false;
    DWQB_LINE *K;
    int code;
    if (step == 2) {
      const int found = _Neighbour(L, Na, L->prev_at_a, true, &K, &code);
      if (found < 0) {
        error = true;
      } else {
        DWQB_OUTLINE_PIECE *kf = K ? &K->outline[code == 5 ? 3 : 8] : nullptr;
        DWQB_OUTLINE_PIECE *kj = K ? &K->outline[code == 5 ? 4 : 9] : nullptr;
        _Line_Outline(Na, K, K ? code : 5, kf, kj, L, 5, &P[0], &P[1]);
        step = Dwqb_Piece_Computed(P[4]) ? 4 : 3;
      }
    }
    if (!error && step == 3) {
      const int found = _Neighbour(L, Nb, L->next_at_b, false, &K, &code);
      if (found < 0) {
        error = true;
      } else {
        DWQB_OUTLINE_PIECE *kj = K ? &K->outline[code == 5 ? 0 : 5] : nullptr;
        DWQB_OUTLINE_PIECE *kf = K ? &K->outline[code == 5 ? 1 : 6] : nullptr;
        _Line_Outline(Nb, L, 5, &P[3], &P[4], K, K ? code : 5, kj, kf);
      }
    }
    if (!error && !Dwqb_Piece_Computed(P[2])) {
      if (_All_Computed(L, {0, 1, 3, 4}))
        _Face_Piece(L, 2);
      else
        error = true;
    }
    if (!error && !Dwqb_Piece_Computed(P[5])) {
      const int found = _Neighbour(L, Nb, L->prev_at_b, true, &K, &code);
      if (found < 0) {
        error = true;
      } else {
        DWQB_OUTLINE_PIECE *kf = K ? &K->outline[code == 5 ? 3 : 8] : nullptr;
        DWQB_OUTLINE_PIECE *kj = K ? &K->outline[code == 5 ? 4 : 9] : nullptr;
        _Line_Outline(Nb, K, K ? code : 5, kf, kj, L, 10, &P[5], &P[6]);
      }
    }
    if (!error && !Dwqb_Piece_Computed(P[9])) {
      const int found = _Neighbour(L, Na, L->next_at_a, false, &K, &code);
      if (found < 0) {
        error = true;
      } else {
        DWQB_OUTLINE_PIECE *kj = K ? &K->outline[code == 5 ? 0 : 5] : nullptr;
        DWQB_OUTLINE_PIECE *kf = K ? &K->outline[code == 5 ? 1 : 6] : nullptr;
        _Line_Outline(Na, L, 10, &P[8], &P[9], K, K ? code : 5, kj, kf);
      }
    }
    if (!error && !Dwqb_Piece_Computed(P[7])) {
      if (_All_Computed(L, {5, 6, 8, 9}))
        _Face_Piece(L, 7);
      else
        error = true;
    }
    if (error) std::printf("Fehler in _Set_Line_Outlines: line %d\n", L->nr);
  }

  for (DWQB_LINE *L = g.line_head; L; L = L->next) {
    for (int i = 0; i < 10; ++i) L->outline[i].flags |= static_cast<std::uint32_t>(i);
    if (L->next_at_a || L->prev_at_a) {
      L->outline[0].flags |= DWQB_PIECE_JOINED;
      L->outline[9].flags |= DWQB_PIECE_JOINED;
    }
    if (L->prev_at_b || L->next_at_b) {
      L->outline[4].flags |= DWQB_PIECE_JOINED;
      L->outline[5].flags |= DWQB_PIECE_JOINED;
    }
  }

  for (DWQB_LINE *L = g.line_head; L; L = L->next) {
    if (!L->node_a || !L->node_b) continue;
    _Fix_Node(L->outline[0], L->outline[9], L->node_b);
    _Fix_Node(L->outline[5], L->outline[4], L->node_a);
  }
}
