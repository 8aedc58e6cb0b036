// End of a run: the result transfer into DWQB_VALUES with the caller's presets, the
// plastic axes and centre-line plastic moduli, and the plate groups of the lines.
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "dwqb/dwqb_internal.h"

// ---------------------------------------------------------------- result transfer

void Dwqb_Keep_Preset_Shear(double *v, const double *P, std::uint32_t opt) {
  if (!(opt & DWQB_OPT_PRESET_SHEAR)) return;
  v[DWQB_V_YM] = P[13];
  v[DWQB_V_ZM] = P[14];
  for (int k = 0; k < 3; ++k) v[DWQB_V_WARP_RATIO + k] = P[15 + k];
  v[DWQB_V_WARP_SHIFT] = P[12];
}

void _Transfer_DWQB_Results() {
  DwqbState &g = Dwqb_State();
  const std::uint32_t opt = g.run_options;
  const double *P = g.presets;  // order of kDwqbPresetIndex
  DWQB_SECTION_RESULT W = g.section_result;
  double *v = g.values.v;
  DWQB_PART *root = g.root;
  g.header.n_cells = 0;
  if (!root) return;
  const double *R = root->values, *SC = g.shear_centre;

  if (opt & DWQB_OPT_PRESET_MAIN) {
    const double A = P[0], ys = P[1], zs = P[2], al = P[3], I1 = P[4], I2 = P[5];
    W.A = A;
    W.y_s = ys;
    W.z_s = zs;
    W.int_y = A * ys;
    W.int_z = A * zs;
    W.alpha = al;
    W.I_1 = I1;
    W.I_2 = I2;
    if (ys == 0.0 && zs == 0.0 && al == 0.0) {
      W.I_y = I1;
      W.I_z = I2;
      W.I_yz = 0.0;
    } else {
      const double c = std::cos(al), s = std::sin(al);
      W.I_y = s * s * I2 + c * c * I1;
      W.I_z = s * s * I1 + c * c * I2;
      W.I_yz = s * c * (I2 - I1);
    }
    W.int_zz = W.I_y + A * zs * zs;
    W.int_yy = W.I_z + A * ys * ys;
    W.int_yz = W.I_yz + A * ys * zs;
  }

  v[0] = W.A;
  v[1] = W.y_s;
  v[2] = W.z_s;
  v[3] = W.y_s * W.A;
  v[4] = W.z_s * W.A;
  v[5] = W.int_zz;
  v[6] = W.int_yy;
  v[7] = W.int_yz;
  v[8] = R[45] + R[46];
  if ((opt & DWQB_OPT_PRESET_IT) && P[10] > 0.0) v[8] = P[10];
  v[9] = W.I_y;
  v[10] = W.I_z;
  v[11] = W.I_yz;
  v[12] = W.I_1 + W.I_2;
  v[13] = W.alpha;
  v[14] = W.I_1;
  v[15] = W.I_2;
  v[16] = W.W_1_vmax;
  v[17] = W.W_1_vmin;
  v[18] = W.W_2_umax;
  v[19] = W.W_2_umin;
  if (opt & DWQB_OPT_PRESET_MAIN)
    for (int k = 0; k < 4; ++k) v[16 + k] = P[6 + k];
  v[20] = W.r_v;
  v[21] = W.r_u;
  v[22] = SC[0];
  v[23] = SC[1];
  v[24] = std::fabs(W.A) > 0.001 ? (W.I_1 + W.I_2) / W.A : 0.0;
  v[25] = SC[8];
  v[26] = SC[6];
  v[27] = SC[7];
  v[28] = SC[5];
  v[29] = SC[4];
  v[32] = R[41];
  v[33] = R[43];
  v[36] = SC[2];
  v[37] = SC[3];
  // Extremes of the unit shear values at 11 points of every line (the samples of
  // Calc_DWQB_Line_Shear_Extremes), flows and flows per thickness in one pass; the
  // part-mode shear flows run opposite to the sign convention of these values. 38, 39
  // are the torsion flows per unit torque (not per thickness), as the direct mode has them.
  double lo[2][3] = {{0, 0, 0}, {0, 0, 0}}, hi[2][3] = {{0, 0, 0}, {0, 0, 0}};
  bool first = true;
  for (int i = 0; g.line_group && i < g.line_group->count; ++i) {
    DWQB_PART *e = g.line_group->children[i];
    if (!e || !e->line) continue;
    for (int k = 0; k < 11; ++k) {
      double q[5];
      if (!Get_DWQB_Line_Shear_Values(e->line, 0, q, -1.0 + 2.0 * k / 10, 0.0, 0)) continue;
      for (int j = 0; j < 3; ++j)
        for (int per_t = 0; per_t < 2; ++per_t) {
          const double x = per_t ? q[j] * q[4] : q[j];
          if (first || x < lo[per_t][j]) lo[per_t][j] = x;
          if (first || x > hi[per_t][j]) hi[per_t][j] = x;
        }
      first = false;
    }
  }
  v[38] = lo[0][2];
  v[39] = hi[0][2];
  v[40] = -std::fmax(hi[0][0], hi[0][1]);
  v[41] = -std::fmin(lo[0][0], lo[0][1]);
  v[42] = -std::fmax(hi[1][0], hi[1][1]);
  v[43] = -std::fmin(lo[1][0], lo[1][1]);
  v[44] = R[10];
  v[45] = R[11];
  v[46] = R[12];
  v[47] = R[13];
  v[48] = R[15];
  g.header.n_cells = root->n_cells;
  List_DWQB_Section();

  if ((opt & DWQB_OPT_PRESET_IW) && P[11] > 0.0) {
    v[29] = P[11];
    v[28] = std::fmax((v[2] - v[23]) * SC[7] + (v[22] - v[1]) * SC[6] + P[11], P[11]);
  }
  Dwqb_Keep_Preset_Shear(v, P, opt);
  Calc_DWQB_Plastic_Axes(v[0], v[1], v[2]);
  if ((opt & DWQB_OPT_PRESET_WPL) && P[18] != 0.0 && P[19] != 0.0) {
    v[34] = P[18];
    v[35] = P[19];
  }
}

// ---------------------------------------------------------------- plastic step

namespace {
struct Side {
  double a_lo, a_hi;  // area with the coordinate below / above c
  double m_lo, m_hi;  // first moments |coord - c| dA on each side
};
}  // namespace

// Adds one straight wall piece (coordinates p, q of its ends across the axis, length L,
// mean thickness tm) to the two sides of the axis at c. A piece lying along the axis
// within its half thickness is split through its thickness, each half counted at the
// distance of its own centre.
static void _Split_Piece(Side &r, double c, double p, double q, double L, double tm) {
  const double A = tm * L, h = tm / 2.0;
  if (std::fabs(p - c) <= h && std::fabs(q - c) < h) {
    const double m = (p + q) / 2.0;
    const double hi = h + (m - c), lo = h - (m - c);
    r.a_hi += L * hi;
    r.a_lo += L * lo;
    r.m_hi += L * hi * hi / 2.0;
    r.m_lo += L * lo * lo / 2.0;
  } else if (p >= c && q >= c) {
    r.a_hi += A;
    r.m_hi += A * ((p + q) / 2.0 - c);
  } else if (p <= c && q <= c) {
    r.a_lo += A;
    r.m_lo += A * (c - (p + q) / 2.0);
  } else {
    const double f = (c - p) / (q - p);  // share from the first end to the crossing
    const double a1 = A * f, a2 = A * (1.0 - f);
    const double d1 = std::fabs(p - c) / 2.0, d2 = std::fabs(q - c) / 2.0;
    if (p < c) {
      r.a_lo += a1;
      r.m_lo += a1 * d1;
      r.a_hi += a2;
      r.m_hi += a2 * d2;
    } else {
      r.a_hi += a1;
      r.m_hi += a1 * d1;
      r.a_lo += a2;
      r.m_lo += a2 * d2;
    }
  }
}

// Chords of the plastic step: a straight wall is its chord; an arc wall is walked in
// at least eight chords sharing its arc length, since its chord alone would put the wall
// far inside the arc (a round tube would lose a third of its modulus).
template <class F>
static void _Plastic_Chords(const DWQB_LINE *l, F f) {
  const DWQB_LINE_GEOMETRY &g = l->geo;
  if (g.n_seg < 1) {
    f(l->node_a->y, l->node_a->z, l->node_b->y, l->node_b->z, l->L);
    return;
  }
  const int n = g.n_seg < 8 ? 8 : g.n_seg;
  double y0 = g.y_a, z0 = g.z_a;
  for (int k = 1; k <= n; ++k) {
    double y1, z1;
    Calc_Line_Point(&g, -1.0 + 2.0 * k / n, &y1, &z1);
    f(y0, z0, y1, z1, g.length / n);
    y0 = y1;
    z0 = z1;
  }
}

// Area and first moment of every wall on each side of the axis coord = c (coordinate 0
// y, 1 z).
static Side _Split(double c, int coord) {
  Side r{0, 0, 0, 0};
  for (const DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next) {
    if (!l->node_a || !l->node_b) continue;
    _Plastic_Chords(l, [&](double y0, double z0, double y1, double z1, double L) {
      _Split_Piece(r, c, coord ? z0 : y0, coord ? z1 : y1, L, l->t_m);
    });
  }
  return r;
}

void Calc_DWQB_Plastic_Axes(double A, double y_s, double z_s) {
  DWQB_VALUES &V = *Get_DWQB_Values();
  const DWQB_NODE *n0 = Get_DWQB_First_Node();
  if (!n0) return;
  double lo_b[2] = {n0->y, n0->z}, hi_b[2] = {n0->y, n0->z};
  for (const DWQB_NODE *n = n0; n; n = n->next) {
    lo_b[0] = std::fmin(lo_b[0], n->y);
    hi_b[0] = std::fmax(hi_b[0], n->y);
    lo_b[1] = std::fmin(lo_b[1], n->z);
    hi_b[1] = std::fmax(hi_b[1], n->z);
  }
  // Arc walls bulge beyond their nodes.
  for (const DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next) {
    if (!l->node_a || !l->node_b || l->geo.n_seg < 1) continue;
    _Plastic_Chords(l, [&](double, double, double y1, double z1, double) {
      lo_b[0] = std::fmin(lo_b[0], y1);
      hi_b[0] = std::fmax(hi_b[0], y1);
      lo_b[1] = std::fmin(lo_b[1], z1);
      hi_b[1] = std::fmax(hi_b[1], z1);
    });
  }
  const double trial0[2] = {y_s, z_s};
  double axis[2], W[2];
  for (int k = 0; k < 2; ++k) {
    // d(c) = area below - area above rises from -A to +A across the bracket.
    double lo = lo_b[k], hi = hi_b[k], d_lo = -A, d_hi = A;
    double c = trial0[k];
    if (!(c >= lo && c <= hi)) c = (lo + hi) / 2.0;
    for (int it = 0; it < 50; ++it) {
      const Side s = _Split(c, k);
      const double d = s.a_lo - s.a_hi;
      if (std::fabs(d) < 1e-4 * std::fabs(A)) break;
      if (hi - lo <= 0.001) break;
      if (d > 0.0) {
        hi = c;
        d_hi = d;
      } else {
        lo = c;
        d_lo = d;
      }
      const double phi = d_lo != d_hi ? d_lo / (d_lo - d_hi) : 0.5;
      c = lo + (0.25 + 0.5 * phi) * (hi - lo);
    }
    axis[k] = c;
    const Side s = _Split(c, k);
    W[k] = s.m_lo + s.m_hi;
  }
  V.v[DWQB_V_YPL] = axis[0];
  V.v[DWQB_V_ZPL] = axis[1];
  V.v[DWQB_V_WPLZ] = A > 0.0 ? W[0] : 0.0;  // about the vertical axis y = y_pl
  V.v[DWQB_V_WPLY] = A > 0.0 ? W[1] : 0.0;  // about the horizontal axis z = z_pl
}

// ---------------------------------------------------------------- plate groups

static double _Plate_Angle(const DWQB_LINE *l) {
  double a = std::atan2(l->node_b->y - l->node_a->y, l->node_b->z - l->node_a->z);
  if (a <= 0.0) a += std::numbers::pi;
  return a;
}

DWQB_LINE *Find_Collinear_Line(const DWQB_LINE *R, const DWQB_LINE *L, const DWQB_NODE *N) {
  const double aR = _Plate_Angle(R);
  if (!N) return nullptr;
  int count;
  DWQB_LINE *const *at_node = Dwqb_Node_Lines(N, &count);
  for (int k = 0; k < count; ++k) {
    DWQB_LINE *K = at_node[k];
    if (K == L || !K->node_a || !K->node_b) continue;
    if (K->node_a != N && K->node_b != N) continue;
    if ((K->node_a == R->node_a && K->node_b == R->node_b) || (K->node_a == R->node_b && K->node_b == R->node_a))
      continue;
    const double d = aR - _Plate_Angle(K);
    // Both angles lie in (0, π]: directions near 0 and near π are the same line too.
    if (std::fabs(d) < 0.1 || std::fabs(d - std::numbers::pi) < 0.1 || std::fabs(d + std::numbers::pi) < 0.1)
      return K;
  }
  return nullptr;
}

namespace {
struct PlateEnd {
  DWQB_LINE *line;  // end line of the plate on this side
  DWQB_NODE *node;  // the plate's end node
};
}  // namespace

// Cut fraction of one end line at the plate's end node from its face pieces 2 and 7:
// the face's parameter at the end that touches the node.
static double _Cut_Fraction(const PlateEnd &e, int selector, bool *used) {
  double best = 0.0;
  *used = false;
  const int faces[2] = {2, 7};
  for (int fi : faces) {
    const DWQB_OUTLINE_PIECE &p = e.line->outline[fi];
    if (!(p.flags & DWQB_PIECE_COMPUTED) || (p.flags & DWQB_PIECE_EMPTY)) continue;
    const double f = e.node == e.line->node_a ? (1.0 + std::fmin(p.s0, p.s1)) / 2.0
                                              : (1.0 - std::fmax(p.s0, p.s1)) / 2.0;
    const bool counts = selector == 0 ? f > 0.0 : f < 0.0;
    if (!counts) continue;
    if (!*used || (selector == 0 ? f > best : f < best)) best = f;
    *used = true;
  }
  return best;
}

int Calc_DWQB_Plate_Groups(int cut_mode, int selector) {
  DWQB_LINE *head = Get_DWQB_First_Line();
  for (DWQB_LINE *l = head; l; l = l->next) l->mark = 0;
  int k = 1;
  std::vector<DWQB_LINE *> members;
  for (DWQB_LINE *L = head; L; L = L->next) {
    if (L->mark != 0 || !L->node_a || !L->node_b) continue;
    if (cut_mode && L->element && L->element->kind == DWQB_PART_LINE_CL) {
      // Lines of part number 1 get the group mark 1, the same number as the first plate:
      // consumers test the support code (-2) before they read the mark.
      L->plate_support = -2;
      L->mark = 1;
      continue;
    }
    L->mark = k;
    members.assign(1, L);
    double SL = L->L, SA = L->L * L->t_m;
    PlateEnd ends[2];
    for (int side = 0; side < 2; ++side) {
      DWQB_LINE *cur = L;
      DWQB_NODE *N = side == 0 ? L->node_a : L->node_b;
      while (N->use_count == 2) {
        DWQB_LINE *K = Find_Collinear_Line(L, cur, N);
        if (!K || K->mark != 0) break;
        K->mark = k;
        members.push_back(K);
        SL += K->L;
        SA += K->L * K->t_m;
        cur = K;
        N = K->node_a == N ? K->node_b : K->node_a;
      }
      ends[side] = {cur, N};
    }
    const bool sup[2] = {ends[0].node->use_count > 1, ends[1].node->use_count > 1};
    const int code = (sup[0] ? 1 : 0) + (sup[1] ? 2 : 0);
    const int pos[2] = {ends[0].line->index, ends[1].line->index};
    double cut[2] = {0.0, 0.0};
    if (cut_mode && SL > 0.0) {
      // Both cuts are shares of the whole chain length, the second as well as the first.
      const double SL0 = SL;
      for (int s = 0; s < 2; ++s) {
        if (!sup[s]) continue;
        bool used;
        const double f = _Cut_Fraction(ends[s], selector, &used);
        if (!used) continue;
        const DWQB_LINE *e = ends[s].line;
        const bool at_a = ends[s].node == e->node_a;
        const double t_near = at_a ? e->t_a : e->t_b, t_far = at_a ? e->t_b : e->t_a;
        const double fl = f * e->L;
        cut[s] = fl / SL0;
        SL -= fl;
        SA -= fl / 2.0 * (f * t_far + (2.0 - f) * t_near);
      }
    }
    double width = SL, thick = 0.0;
    if (SL > 0.0)
      thick = SA / SL;
    else
      width = 0.0;
    if (cut_mode && thick < 1e-6) thick = 1e-6;
    if (!cut_mode && SL > 0.0) thick = SA / SL;
    // L comes first in list order among the lines of its plate.
    bool first = true;
    for (DWQB_LINE *l : members) {
      if (cut_mode && l->plate_support == -2 && l->element && l->element->kind == DWQB_PART_LINE_CL) continue;
      l->plate_rev_start = ends[0].node == ends[0].line->node_b ? 1 : 0;
      l->plate_rev_end = ends[1].node == ends[1].line->node_b ? 1 : 0;
      l->plate_first = pos[0];
      l->plate_last = pos[1];
      l->plate_support = first ? code : -code;
      l->plate_t = thick;
      l->plate_b = width;
      l->cut_start = cut[0];
      l->cut_end = cut[1];
      first = false;
    }
    ++k;
  }
  return k - 1;
}
