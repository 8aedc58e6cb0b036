// Triangulation of the wall area of the listed lines, line by line along the ten outline
// pieces: an end strip over the fillets at each end and a face strip between them. Every
// node carries the unit-stress coefficients of its point, so that the stresses of any load
// case follow from the eight section forces.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "dwqb/stress_internal.h"
#include "support/support.h"

namespace {
constexpr int kGrow = 20;

// The line being covered and the point-value arguments of its nodes.
struct TriBuild {
  DWQB_OUTLINE_TRIANGULATION *tri;
  const DWQB_LINE *line;
  int list_pos, line_nr, part_nr;
  int frame, angle_kind, frame2;
  double y_p, z_p, theta, y_w, z_w;
};
}  // namespace

template <class T>
static bool _Grow(T **block, int *cap, int need) {
  if (need <= *cap) return true;
  void *p = MEM_REALLOC(*block, sizeof(T) * static_cast<std::size_t>(*cap + kGrow));
  if (!p) return false;
  *block = static_cast<T *>(p);
  *cap += kGrow;
  return true;
}

// A new node at (y, z) with its point record; its index, or -1 when the array cannot grow.
static int _Add_Tri_Node(TriBuild &b, double y, double z) {
  DWQB_OUTLINE_TRIANGULATION *T = b.tri;
  if (!_Grow(&T->nodes, &T->nodes_max, T->n_nodes + 1)) return -1;
  DWQB_TRI_NODE &n = T->nodes[T->n_nodes];
  std::memset(&n, 0, sizeof n);
  n.index = T->n_nodes;
  n.list_pos = b.list_pos;
  n.line_nr = b.line_nr;
  n.part_nr = b.part_nr;
  DWQB_POINT_VALUES rec;
  Calc_DWQB_Line_Point_Values(b.line_nr, y, z, 0, b.frame, b.y_p, b.z_p, b.angle_kind, b.theta, b.frame2, b.y_w,
                              b.z_w, &rec);
  n.y = y;
  n.z = z;
  n.omega = rec.omega;
  n.s = rec.s;
  n.e = rec.e;
  std::memcpy(n.c, rec.c, sizeof n.c);
  return T->n_nodes++;
}

static int _Add_Tri_Outline_Node(TriBuild &b, const DWQB_OUTLINE_PIECE *piece, double t) {
  double y, z;
  Get_DWQB_Line_Point(t, piece, &y, &z);
  return _Add_Tri_Node(b, y, z);
}

// A node of the line's area at the mean (s, e) of two nodes.
static int _Add_Tri_Line_Node(TriBuild &b, int k1, int k2) {
  const DWQB_TRI_NODE &n1 = b.tri->nodes[k1], &n2 = b.tri->nodes[k2];
  double y, z;
  Get_DWQB_Line_Area_Point(b.line, (n1.s + n2.s) / 2.0, (n1.e + n2.e) / 2.0, &y, &z);
  return _Add_Tri_Node(b, y, z);
}

static bool _Append_Element(TriBuild &b, int k1, int k2, int k3) {
  DWQB_OUTLINE_TRIANGULATION *T = b.tri;
  if (!_Grow(&T->elements, &T->elements_max, T->n_elements + 1)) return false;
  DWQB_TRI_ELEMENT &el = T->elements[T->n_elements];
  el.index = T->n_elements++;
  el.list_pos = b.list_pos;
  el.line_nr = b.line_nr;
  el.node[0] = k1;
  el.node[1] = k2;
  el.node[2] = k3;
  return true;
}

// One triangle, or with refine 2 four and with refine 3 nine triangles on nodes of their
// own at the points a K1 + b K2 + (1 - a - b) K3.
static bool _Add_Tri_Element(TriBuild &b, int k1, int k2, int k3, int refine) {
  if (refine <= 1) return _Append_Element(b, k1, k2, k3);
  static const double kAb2[6][2] = {{1, 0}, {0.5, 0.5}, {0, 1}, {0.5, 0}, {0, 0.5}, {0, 0}};
  static const int kEl2[4][3] = {{0, 1, 3}, {1, 2, 4}, {1, 4, 3}, {3, 4, 5}};
  static const double kAb3[10][2] = {{1, 0},         {2.0 / 3, 1.0 / 3}, {1.0 / 3, 2.0 / 3}, {0, 1},
                                     {2.0 / 3, 0},   {1.0 / 3, 1.0 / 3}, {0, 2.0 / 3},       {1.0 / 3, 0},
                                     {0, 1.0 / 3},   {0, 0}};
  static const int kEl3[9][3] = {{0, 1, 4}, {1, 2, 5}, {2, 3, 6}, {1, 5, 4}, {2, 6, 5},
                                 {4, 5, 7}, {5, 6, 8}, {5, 8, 7}, {7, 8, 9}};
  const bool three = refine == 3;
  const int n_nodes = three ? 10 : 6, n_el = three ? 9 : 4;
  const double(*ab)[2] = three ? kAb3 : kAb2;
  const int(*els)[3] = three ? kEl3 : kEl2;
  const DWQB_TRI_NODE *N = b.tri->nodes;
  const double y1 = N[k1].y, z1 = N[k1].z, y2 = N[k2].y, z2 = N[k2].z, y3 = N[k3].y, z3 = N[k3].z;
  int id[10];
  for (int i = 0; i < n_nodes; ++i) {
    const double a = ab[i][0], c = ab[i][1], r = 1.0 - a - c;
    id[i] = _Add_Tri_Node(b, a * y1 + c * y2 + r * y3, a * z1 + c * z2 + r * z3);
    if (id[i] < 0) return false;
  }
  for (int i = 0; i < n_el; ++i)
    if (!_Append_Element(b, id[els[i][0]], id[els[i][1]], id[els[i][2]])) return false;
  return true;
}

// Covers the region between the rows (A0, M0, B0) and (A1, M1, B1) (indices in r, -1 for
// a node not made yet): side A along piece A from its start to its end, side B along
// piece B from its end to its start, M the middle row; n divisions (arcs up to n_max).
static bool _Tri_Outline_Strip(TriBuild &b, int *r, const DWQB_OUTLINE_PIECE *pa, const DWQB_OUTLINE_PIECE *pb, int n,
                               int n_max, int refine) {
  int &A0 = r[0], &M0 = r[1], &B0 = r[2], &A1 = r[3], &M1 = r[4], &B1 = r[5];
  if (pa) {
    if (A0 < 0) A0 = _Add_Tri_Outline_Node(b, pa, -1.0);
    if (A1 < 0) A1 = _Add_Tri_Outline_Node(b, pa, 1.0);
  }
  if (pb) {
    if (B0 < 0) B0 = _Add_Tri_Outline_Node(b, pb, 1.0);
    if (B1 < 0) B1 = _Add_Tri_Outline_Node(b, pb, -1.0);
  }
  if (A0 < 0 || A1 < 0 || B0 < 0 || B1 < 0) return false;
  if (M0 < 0 && (M0 = _Add_Tri_Line_Node(b, A0, B0)) < 0) return false;
  if (M1 < 0 && (M1 = _Add_Tri_Line_Node(b, A1, B1)) < 0) return false;
  for (const DWQB_OUTLINE_PIECE *p : {pa, pb})
    if (p && (p->flags & DWQB_PIECE_ARC) && p->count > 1) n = std::max(n, std::min(p->count, n_max));
  if (n < 1) n = 1;
  int pA = A0, pM = M0, pB = B0;
  for (int i = 1; i <= n; ++i) {
    int A = A1, M = M1, B = B1;
    if (i < n) {
      if (pa && (A = _Add_Tri_Outline_Node(b, pa, -1.0 + 2.0 * i / n)) < 0) return false;
      if (pb && (B = _Add_Tri_Outline_Node(b, pb, 1.0 - 2.0 * i / n)) < 0) return false;
      if ((M = _Add_Tri_Line_Node(b, A, B)) < 0) return false;
    }
    const bool odd = (i - 1) % 2 == 1;
    bool ok = true;
    auto el = [&](int k1, int k2, int k3) { ok = ok && _Add_Tri_Element(b, k1, k2, k3, refine); };
    if (A == pA) {
      el(A, M, pM);
      el(M, B, odd ? pB : pM);
      if (odd)
        el(pB, pM, M);
      else
        el(B, pB, pM);
    } else if (B == pB) {
      if (odd) {
        el(pA, M, pM);
        el(pA, A, M);
        el(B, pM, M);
      } else {
        el(pA, A, pM);
        el(A, M, pM);
        el(M, B, pM);
      }
    } else if (odd) {
      el(pA, M, pM);
      el(pA, A, M);
      el(M, B, pB);
      el(pB, pM, M);
    } else {
      el(pA, A, pM);
      el(A, M, pM);
      el(M, B, pM);
      el(B, pB, pM);
    }
    if (!ok) return false;
    pA = A;
    pM = M;
    pB = B;
  }
  return true;
}

static const DWQB_OUTLINE_PIECE *_Piece(const DWQB_LINE *L, int i) {
  return Dwqb_Piece_Present(L->outline[i]) ? &L->outline[i] : nullptr;
}

// All triangles of one line.
static bool _Tri_Line(TriBuild &b, const DWQB_TRI_PARAMS &p) {
  const DWQB_LINE *L = b.line;
  const DWQB_OUTLINE_PIECE *P[10];
  for (int i = 0; i < 10; ++i) P[i] = _Piece(L, i);
  // Row at node a.
  int A = -1, M = -1, B = -1;
  if (P[0]) {
    if ((A = _Add_Tri_Outline_Node(b, P[0], 1.0)) < 0 || (M = _Add_Tri_Outline_Node(b, P[0], -1.0)) < 0)
      return false;
  }
  if (P[9]) {
    if ((B = _Add_Tri_Outline_Node(b, P[9], -1.0)) < 0) return false;
    if (!P[0] && (M = _Add_Tri_Outline_Node(b, P[9], 1.0)) < 0) return false;
  }
  int start[3] = {A, M, B};
  if (P[1] || P[8]) {
    int r[6] = {A, M, B, P[1] ? -1 : A, -1, P[8] ? -1 : B};
    if (!_Tri_Outline_Strip(b, r, P[1], P[8], p.n_end, p.n_end_arc, p.refine)) return false;
    std::memcpy(start, r + 3, sizeof start);
  }
  // Row at node b.
  int A2 = -1, M2 = -1, B2 = -1;
  if (P[4]) {
    if ((A2 = _Add_Tri_Outline_Node(b, P[4], -1.0)) < 0 || (M2 = _Add_Tri_Outline_Node(b, P[4], 1.0)) < 0)
      return false;
  }
  if (P[5]) {
    if ((B2 = _Add_Tri_Outline_Node(b, P[5], 1.0)) < 0) return false;
    if (!P[4] && (M2 = _Add_Tri_Outline_Node(b, P[5], -1.0)) < 0) return false;
  }
  int end[3] = {A2, M2, B2};
  if (P[3] || P[6]) {
    int r[6] = {P[3] ? -1 : A2, -1, P[6] ? -1 : B2, A2, M2, B2};
    if (!_Tri_Outline_Strip(b, r, P[3], P[6], p.n_end, p.n_end_arc, p.refine)) return false;
    std::memcpy(end, r, sizeof end);
  }
  if (P[2] || P[7]) {
    int r[6] = {start[0], start[1], start[2], end[0], end[1], end[2]};
    if (!_Tri_Outline_Strip(b, r, P[2], P[7], p.n_face, p.n_face_arc, p.refine)) return false;
  }
  return true;
}

void Free_DWQB_OUTLINE_TRIANGULATION(DWQB_OUTLINE_TRIANGULATION *tri) {
  if (!tri) return;
  MEM_FREE(tri->nodes);
  MEM_FREE(tri->elements);
  MEM_FREE(tri);
}

DWQB_OUTLINE_TRIANGULATION *Calc_DWQB_OUTLINE_TRIANGULATION(int frame, double y_p, double z_p, int angle_kind,
                                                             double theta, int frame2, double y_w, double z_w,
                                                             const DWQB_TRI_PARAMS *params) {
  if (!Dwqb_Part_Mode()) return nullptr;
  const DWQB_TRI_PARAMS &p = params ? *params : DWQB_TRI_DEFAULT_PARAMS;
  auto *tri = static_cast<DWQB_OUTLINE_TRIANGULATION *>(MEM_CALLOC(1, sizeof(DWQB_OUTLINE_TRIANGULATION)));
  if (!tri) return nullptr;
  TriBuild b{tri, nullptr, 0, 0, 0, frame, angle_kind, frame2, y_p, z_p, theta, y_w, z_w};
  const DWQB_HEADER *h = Get_DWQB_Header();
  for (int i = 0; i < h->n_listed_lines; ++i) {
    const int nr = h->listed_lines[i].nr;
    const DWQB_LINE *L = Find_DWQB_Line_Record(nr);
    if (!L || !Find_DWQB_Line(nr)) {
      Free_DWQB_OUTLINE_TRIANGULATION(tri);
      return nullptr;
    }
    if (L->part_nr == 1 && !(p.options & 1)) continue;
    b.line = L;
    b.list_pos = i;
    b.line_nr = nr;
    b.part_nr = L->part_nr;
    if (!_Tri_Line(b, p)) {
      Free_DWQB_OUTLINE_TRIANGULATION(tri);
      return nullptr;
    }
  }
  return tri;
}

// ---------------------------------------------------------------- node stresses

int Calc_DWQB_OUTLINE_TRIANGULATION_NODE_Stresses(DWQB_TRI_NODE *n, const double *F, double *out) {
  if (!n || !F || !out) return 0;
  const double *c = n->c;
  double *r = n->res;
  r[DWQB_R_SIGMA_N] = F[DWQB_F_N] * c[DWQB_C_N];
  r[DWQB_R_SIGMA_MY] = F[DWQB_F_MY] * c[DWQB_C_MY];
  r[DWQB_R_SIGMA_MZ] = F[DWQB_F_MZ] * c[DWQB_C_MZ];
  r[DWQB_R_SIGMA_B] = F[DWQB_F_B] * c[DWQB_C_B];
  r[DWQB_R_TAU_V] = F[DWQB_F_VY] * c[DWQB_C_VY] + F[DWQB_F_VZ] * c[DWQB_C_VZ];
  r[DWQB_R_TAU_T] = F[DWQB_F_TT] * c[DWQB_C_TT] + F[DWQB_F_TW] * c[DWQB_C_TW];
  const double sigma = r[DWQB_R_SIGMA_N] + r[DWQB_R_SIGMA_MY] + r[DWQB_R_SIGMA_MZ] + r[DWQB_R_SIGMA_B];
  const double tau = r[DWQB_R_TAU_V] + r[DWQB_R_TAU_T];
  r[DWQB_R_SIGMA] = out[0] = sigma;
  r[DWQB_R_TAU] = out[1] = tau;
  r[DWQB_R_SIGMA_V] = out[2] = std::sqrt(sigma * sigma + 3.0 * tau * tau);
  return 1;
}

// Extremes over the nodes that `select` accepts (the first sets both; a value below the
// minimum becomes it, otherwise the maximum takes the larger).
template <class Select>
static int _Min_Max(DWQB_OUTLINE_TRIANGULATION *T, const double *F, double *lo_out, double *hi_out, Select select) {
  double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
  int result = 1;
  if (!T || !F) {
    result = 0;
  } else if (T->n_nodes > 0 && !T->nodes) {
    std::printf("Fehler in Calc_DWQB_OUTLINE_TRIANGULATION_NODE_Stresses\n");
    result = 0;
  } else {
    bool first = true;
    for (int i = 0; i < T->n_nodes; ++i) {
      DWQB_TRI_NODE &n = T->nodes[i];
      if (!select(n)) continue;
      double v[3] = {0, 0, 0};
      Calc_DWQB_OUTLINE_TRIANGULATION_NODE_Stresses(&n, F, v);
      for (int k = 0; k < 3; ++k) {
        if (first) {
          lo[k] = hi[k] = v[k];
        } else if (v[k] < lo[k]) {
          lo[k] = v[k];
        } else if (v[k] > hi[k]) {
          hi[k] = v[k];
        }
      }
      first = false;
    }
  }
  if (lo_out) std::memcpy(lo_out, lo, sizeof lo);
  if (hi_out) std::memcpy(hi_out, hi, sizeof hi);
  return result;
}

int Calc_DWQB_OUTLINE_TRIANGULATION_NODE_Stresses_MinMax(DWQB_OUTLINE_TRIANGULATION *T, const double *F, double *lo,
                                                         double *hi) {
  return _Min_Max(T, F, lo, hi, [](const DWQB_TRI_NODE &) { return true; });
}

int Calc_DWQB_OUTLINE_TRIANGULATION_LINE_NR_Stresses_MinMax(DWQB_OUTLINE_TRIANGULATION *T, int nr, const double *F,
                                                            double *lo, double *hi) {
  return _Min_Max(T, F, lo, hi, [nr](const DWQB_TRI_NODE &n) { return n.line_nr == nr; });
}

int Calc_DWQB_OUTLINE_TRIANGULATION_LINE_Stresses_MinMax(DWQB_OUTLINE_TRIANGULATION *T, int pos, const double *F,
                                                         double *lo, double *hi) {
  return _Min_Max(T, F, lo, hi, [pos](const DWQB_TRI_NODE &n) { return n.list_pos == pos; });
}
