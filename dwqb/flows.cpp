// Shear flows, closed cells, warping ordinates, shear centre and torsion of a part-mode
// run, on the centre-line model (thin-walled beam theory; derivation in THEORY.md).
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "dwqb/dwqb_internal.h"
#include "support/support.h"

namespace {
// Node work fields of the flow steps.
constexpr int kAcc1 = 0, kAcc2 = 1, kOmega = 2;
constexpr std::uint32_t kNodeVisited = 0x2000;
constexpr std::uint32_t kEntryPlaced = 0x100000;
}  // namespace

// ---------------------------------------------------------------- line primitives

double Dwqb_Line_Flexibility(const DWQB_LINE *l, double s) {
  const double ta = l->t_a, tb = l->t_b, len = l->geo.length;
  const double ts = ((1.0 - s) * ta + (1.0 + s) * tb) / 2.0;
  if (ta <= 0.0 || ts <= 0.0) return 0.0;
  const double d = tb - ta;
  if (std::fabs(d) <= 1e-9 * (ta + tb)) return len * (s + 1.0) / (ta + tb);
  return len / d * std::log(ts / ta);
}

double Dwqb_Line_Sweep(const DWQB_LINE *l, double s) {
  const DWQB_LINE_GEOMETRY &g = l->geo;
  double y, z;
  Calc_Line_Point(&g, s, &y, &z);
  if (g.n_seg < 1) return g.y_a * z - g.z_a * y;
  // ∫ C × dr + ∫ r × dr over the arc: the chord term about the centre and the sector.
  return g.y_c * (z - g.z_a) - g.z_c * (y - g.y_a) - g.radius * g.radius * g.half_angle * (s + 1.0);
}

double Calc_Line_Omega(const DWQB_LINE *l, double t) {
  const DWQB_LINE_RESULT *r = l ? Dwqb_Line_Result(l->element) : nullptr;
  if (!r) return 0.0;
  double om = r->omega_a + Dwqb_Line_Sweep(l, t);
  if (r->qTb != 0.0) om -= r->qTb * Dwqb_Line_Flexibility(l, t);
  return om;
}

// First moments (S_u, S_v) of the wall from node a to s about the line's reference point,
// in the principal frame of the run.
static void _Line_Moments(const DWQB_LINE *l, const DWQB_LINE_RESULT *r, double s, double *Su, double *Sv) {
  const DwqbState &g = Dwqb_State();
  double A, Sy, Sz;
  Calc_DWQB_Line_Integrals(l, s, &A, &Sy, &Sz, nullptr, nullptr, nullptr);
  const double S1 = Sy - r->y_ref * A, S2 = Sz - r->z_ref * A;
  *Su = g.pc_cos * S1 + g.pc_sin * S2;
  *Sv = g.pc_cos * S2 - g.pc_sin * S1;
}

// The two unit shear flows at s (node a -> b positive), evaluated from the exact first
// moments rather than from the six-point rows.
static void _Flows_At(const DWQB_LINE *l, const DWQB_LINE_RESULT *r, double s, double *q1, double *q2) {
  const DwqbState &g = Dwqb_State();
  double Su, Sv;
  _Line_Moments(l, r, s, &Su, &Sv);
  *q1 = r->q1[0] + g.k1u * Su + g.k1v * Sv;
  *q2 = r->q2[0] + g.k2u * Su + g.k2v * Sv;
}

// ---------------------------------------------------------------- cells

int REALLOC_DWQB_CELLS_BUFFER(DWQB_LINE *start, std::uint32_t flags) {
  DwqbState &g = Dwqb_State();
  const int n = g.cell_count + 1;
  if (n > g.cell_cap) {
    const int cap = g.cell_count + 11;
    const std::size_t nd = static_cast<std::size_t>(cap + 3) * static_cast<std::size_t>(cap);
    void *l = MEM_REALLOC(g.cell_line, sizeof(DWQB_LINE *) * static_cast<std::size_t>(cap));
    if (l) g.cell_line = static_cast<DWQB_LINE **>(l);
    void *f = l ? MEM_REALLOC(g.cell_flags, sizeof(std::uint32_t) * static_cast<std::size_t>(cap)) : nullptr;
    if (f) g.cell_flags = static_cast<std::uint32_t *>(f);
    void *m = f ? MEM_REALLOC(g.cell_matrix, sizeof(double) * nd) : nullptr;
    if (!m) {
      std::printf("REALLOC_DWQB_CELLS_BUFFER: ncells = %d, Speicherfehler !!!\n", n);
      return 0;
    }
    g.cell_matrix = static_cast<double *>(m);
    g.cell_cap = cap;
  }
  g.cell_count = n;
  g.cell_line[n - 1] = start;
  g.cell_flags[n - 1] = flags;
  return 1;
}

// Table index of the cell on one side of a line, or -1.
static int _Cell_Index(const DWQB_LINE *l, bool links) {
  const DwqbState &g = Dwqb_State();
  const DWQB_LINE *face = links ? l->face_links : l->face_rechts;
  const std::uint32_t fl = links ? l->flags_links : l->flags_rechts;
  if (!face || !(fl & WE_CELL)) return -1;
  for (int k = 0; k < g.cell_count; ++k)
    if (g.cell_line[k] == face && (g.cell_flags[k] & 0x30u) == (fl & 0x30u)) return k;
  return -1;
}

int For_Each_Part_Cell(DWQB_PART *P, const DWQB_CELL_CALLBACKS *cb) {
  if (!P || P->kind != DWQB_PART_GROUP || P->count < 1 || !cb) return 0;
  auto visit = [&](DWQB_LINE *start, std::uint32_t flags) {
    if (cb->begin && !cb->begin(start, flags, cb->user)) return false;
    if (cb->line)
      for (int i = 0; i < P->count; ++i) {
        DWQB_PART *e = P->children[i];
        if (!e || e->kind == DWQB_PART_GROUP || !e->line) continue;
        const DWQB_LINE *M = e->line;
        const bool on = (M->face_links == start && (M->flags_links & WE_CELL) &&
                         (M->flags_links & 0x30u) == (flags & 0x30u)) ||
                        (M->face_rechts == start && (M->flags_rechts & WE_CELL) &&
                         (M->flags_rechts & 0x30u) == (flags & 0x30u));
        if (on && !cb->line(start, flags, e->line, cb->user)) return false;
      }
    return !cb->end || cb->end(start, flags, cb->user) != 0;
  };
  for (int i = 0; i < P->count; ++i) {
    DWQB_PART *e = P->children[i];
    if (!e || e->kind == DWQB_PART_GROUP || !e->line) continue;
    DWQB_LINE *L = e->line;
    bool left = false;
    if (L->face_links == L && (L->flags_links & WE_CELL)) {
      if (!visit(L, L->flags_links)) return 0;
      left = true;
    }
    if (L->face_rechts == L && (L->flags_rechts & WE_CELL) &&
        !(left && (L->flags_links & 0x30u) == (L->flags_rechts & 0x30u)))
      if (!visit(L, L->flags_rechts)) return 0;
  }
  return 1;
}

// Collects the cells whose start line lies in the group part into the cell table; 0 when
// the table could not grow (the part then keeps its open-section flows).
static int _Collect_Part_Cells(DWQB_PART *P) {
  DWQB_CELL_CALLBACKS cb{};
  cb.end = [](DWQB_LINE *start, std::uint32_t flags, void *) { return REALLOC_DWQB_CELLS_BUFFER(start, flags); };
  return For_Each_Part_Cell(P, &cb);
}

// Matrix and right-hand sides of the cell table (count × count, then three cases).
static double *_Cell_Matrix() { return Dwqb_State().cell_matrix; }
static double *_Cell_Rhs(int c) {
  const int n = Dwqb_State().cell_count;
  return Dwqb_State().cell_matrix + n * n + c * n;
}

// Wall flexibility f on the diagonals of the cells on both sides and off the diagonal.
static void _Assemble_Flexibility(const DWQB_LINE_RESULT *r, int i, int j) {
  const int n = Dwqb_State().cell_count;
  double *M = _Cell_Matrix();
  if (i >= 0) M[i * n + i] += r->f;
  if (j >= 0) M[j * n + j] += r->f;
  if (i >= 0 && j >= 0) {
    M[i * n + j] -= r->f;
    M[j * n + i] -= r->f;
  }
}

int Assemble_Cell_Line(DWQB_LINE *L, int, void *) {
  DWQB_LINE_RESULT *r = L ? Dwqb_Line_Result(L->element) : nullptr;
  if (!r) return 1;
  const int i = _Cell_Index(L, false), j = _Cell_Index(L, true);
  const double rv[3] = {r->r1, r->r2, r->omega_a - r->omega_b};
  for (int c = 0; c < 3; ++c) {
    if (i >= 0) _Cell_Rhs(c)[i] += rv[c];
    if (j >= 0) _Cell_Rhs(c)[j] -= rv[c];
  }
  _Assemble_Flexibility(r, i, j);
  return 1;
}

int Assemble_Cell_Line_Secondary(DWQB_LINE *L, int, void *) {
  DWQB_LINE_RESULT *r = L ? Dwqb_Line_Result(L->element) : nullptr;
  if (!r) return 1;
  const int i = _Cell_Index(L, false), j = _Cell_Index(L, true);
  if (i >= 0) _Cell_Rhs(0)[i] += r->r4;
  if (j >= 0) _Cell_Rhs(0)[j] -= r->r4;
  _Assemble_Flexibility(r, i, j);
  return 1;
}

// Circulating flow of the cells beside a line, a -> b positive: the left cell minus the
// right one.
static double _Cell_Flow(const DWQB_LINE *L, const double *x) {
  const int i = _Cell_Index(L, false), j = _Cell_Index(L, true);
  return (j >= 0 ? x[j] : 0.0) - (i >= 0 ? x[i] : 0.0);
}

int Apply_Cell_Flows(DWQB_LINE *L, int, void *) {
  DWQB_LINE_RESULT *r = L ? Dwqb_Line_Result(L->element) : nullptr;
  if (!r) return 1;
  const double d1 = _Cell_Flow(L, _Cell_Rhs(0)), d2 = _Cell_Flow(L, _Cell_Rhs(1)), d3 = _Cell_Flow(L, _Cell_Rhs(2));
  r->q1[0] += d1;
  r->q1[1] += d1;
  r->q2[0] += d2;
  r->q2[1] += d2;
  r->qTa += d3;
  r->qTb += d3;
  // The end ordinate follows the closed torsion flow: ω = ∫(r - q_T / t) ds.
  r->omega_b -= d3 * r->f;
  return 1;
}

int Apply_Cell_Flows_Secondary(DWQB_LINE *L, int, void *) {
  DWQB_LINE_RESULT *r = L ? Dwqb_Line_Result(L->element) : nullptr;
  if (!r) return 1;
  const double d = _Cell_Flow(L, _Cell_Rhs(0));
  r->q4[0] += d;
  r->q4[1] += d;
  return 1;
}

int Solve_Cell_System(double *M, double *r1, double *r2, double *r3, int n, int mode) {
  double *rhs[3] = {r1, r2, r3};
  auto m = [&](int i, int j) -> double & { return M[i * n + j]; };
  for (int k = 0; k < n - 1; ++k) {
    if (m(k, k) == 0.0) continue;
    for (int i = k + 1; i < n; ++i) {
      if (m(i, i) == 0.0) continue;
      const double f = m(i, k) / m(k, k);
      for (int j = k + 1; j < n; ++j)
        if (m(j, j) != 0.0) m(i, j) -= f * m(k, j);
      for (int c = 0; c < mode; ++c) rhs[c][i] -= f * rhs[c][k];
    }
  }
  for (int k = n - 1; k >= 0; --k)
    for (int c = 0; c < mode; ++c) {
      if (m(k, k) == 0.0) {
        rhs[c][k] = 0.0;
        continue;
      }
      double s = rhs[c][k];
      for (int j = k + 1; j < n; ++j)
        if (m(j, j) != 0.0) s -= m(k, j) * rhs[c][j];
      rhs[c][k] = s / m(k, k);
    }
  return 1;
}

int Solve_Cell_System_1(double *M, double *rhs, int n) { return Solve_Cell_System(M, rhs, nullptr, nullptr, n, 1); }

// Closed cells of one part: assembles the cell system from the open flows and the
// ordinates, solves it and adds the circulating flows back (one case for the secondary
// flows, three otherwise). Returns the cells found.
static int _Part_Cells(DWQB_PART *P, bool secondary) {
  DwqbState &g = Dwqb_State();
  g.cell_count = 0;
  if (!_Collect_Part_Cells(P) || g.cell_count < 1) return g.cell_count;
  const int n = g.cell_count;
  std::memset(g.cell_matrix, 0, sizeof(double) * static_cast<std::size_t>((n + 3) * n));
  DWQB_WALK_STEPS st{};
  st.line_step = secondary ? Assemble_Cell_Line_Secondary : Assemble_Cell_Line;
  Walk_DWQB_Part(P, &st);
  if (secondary)
    Solve_Cell_System_1(g.cell_matrix, _Cell_Rhs(0), n);
  else
    Solve_Cell_System(g.cell_matrix, _Cell_Rhs(0), _Cell_Rhs(1), _Cell_Rhs(2), n, 3);
  st.line_step = secondary ? Apply_Cell_Flows_Secondary : Apply_Cell_Flows;
  Walk_DWQB_Part(P, &st);
  return n;
}

// ---------------------------------------------------------------- warping ordinates

int _Calc_Part_Warping(DWQB_PART *P) {
  const int count = P ? P->n_entries : 0;
  if (count < 1) return 0;
  DWQB_SHEAR_ENTRY *E = P->shear;
  for (int i = 0; i < count; ++i) {
    E[i].flags &= ~kEntryPlaced;
    DWQB_NODE *ns[2] = {E[i].line->node_a, E[i].line->node_b};
    for (DWQB_NODE *n : ns) {
      n->flags &= ~kNodeVisited;
      n->work_values[kOmega] = 0.0;
    }
  }
  // Seed.
  for (int i = 0; i < count; ++i) {
    DWQB_LINE_RESULT *r = Dwqb_Line_Result(E[i].line->element);
    if (!r) continue;
    DWQB_NODE *n;
    double om;
    if ((E[i].flags & DWQB_SHEAR_BRANCH) && !(E[i].flags & DWQB_SHEAR_B_TO_A)) {
      n = E[i].line->node_b;
      om = r->omega_b;
    } else {
      n = E[i].line->node_a;
      om = r->omega_a;
    }
    n->flags |= kNodeVisited;
    n->work_values[kOmega] = om;
    break;
  }
  int placed = 0;
  for (bool progress = true; progress;) {
    progress = false;
    for (int i = 0; i < count; ++i) {
      if (E[i].flags & kEntryPlaced) continue;
      DWQB_LINE *L = E[i].line;
      DWQB_LINE_RESULT *r = Dwqb_Line_Result(L->element);
      if (!r) continue;
      DWQB_NODE *a = L->node_a, *b = L->node_b;
      const bool va = a->flags & kNodeVisited, vb = b->flags & kNodeVisited;
      auto align_b = [&] {
        r->omega_a += b->work_values[kOmega] - r->omega_b;
        r->omega_b = b->work_values[kOmega];
      };
      auto align_a = [&] {
        r->omega_b += a->work_values[kOmega] - r->omega_a;
        r->omega_a = a->work_values[kOmega];
      };
      bool done = false;
      if (E[i].flags & DWQB_SHEAR_BRANCH) {
        if ((E[i].flags & DWQB_SHEAR_B_TO_A) && va) {
          align_a();
          done = true;
        } else if (!(E[i].flags & DWQB_SHEAR_B_TO_A) && vb) {
          align_b();
          done = true;
        }
      } else if (vb && !va) {
        align_b();
        a->work_values[kOmega] = r->omega_a;
        a->flags |= kNodeVisited;
        done = true;
      } else if (va && !vb) {
        align_a();
        b->work_values[kOmega] = r->omega_b;
        b->flags |= kNodeVisited;
        done = true;
      }
      if (done) {
        E[i].flags |= kEntryPlaced;
        ++placed;
        progress = true;
      }
    }
  }
  if (placed != count) std::printf("_Calc_Part_Warping: mlines(=%d) != nlines(=%d)\n", placed, count);
  return placed;
}

// ---------------------------------------------------------------- shear flows of a part

struct FlowContext {
  double A_section;  // section area that scales the shear-deformation sums
  int n_cells;
  DWQB_PART_RESULT_CONTEXT *part;
};

// Line step: ordinates of one line. The first moments are taken about the centroid of
// the line's part, which the part step has just put into the context.
static int _Set_Line_Moment_Ordinates(DWQB_LINE *L, int, void *ctx) {
  DWQB_LINE_RESULT *r = L ? Dwqb_Line_Result(L->element) : nullptr;
  if (!r) return 1;
  const auto *c = static_cast<const DWQB_PART_RESULT_CONTEXT *>(ctx);
  std::memset(r, 0, sizeof *r);
  r->y_ref = c->centre_line[1];
  r->z_ref = c->centre_line[2];
  r->sweep = Dwqb_Line_Sweep(L, 1.0);
  r->omega_a = 0.0;
  r->omega_b = r->sweep;
  r->f = Dwqb_Line_Flexibility(L, 1.0);
  double Su1, Sv1;
  _Line_Moments(L, r, 1.0, &Su1, &Sv1);
  r->row_u[1] = Su1;
  r->row_v[1] = Sv1;
  static const double kInner[4] = {-0.6, -0.2, 0.2, 0.6};
  for (int k = 0; k < 4; ++k) {
    const double s = kInner[k];
    double Su, Sv;
    _Line_Moments(L, r, s, &Su, &Sv);
    r->row_u[2 + k] = Su - (1.0 + s) / 2.0 * Su1;
    r->row_v[2 + k] = Sv - (1.0 + s) / 2.0 * Sv1;
  }
  return 1;
}

static void _Reset_Nodes() {
  for (DWQB_NODE *n = Dwqb_State().node_head; n; n = n->next) {
    n->work = n->use_count;
    n->flags = 0;
    std::memset(n->work_values, 0, sizeof n->work_values);
  }
}

int Calc_Part_Result_Step(DWQB_PART *P, void *ctx) {
  auto *c = static_cast<DWQB_PART_RESULT_CONTEXT *>(ctx);
  if (!P || !c) return 1;
  Calc_DWQB_Part_Result_Values(P->values, c->result);
  _Reset_Nodes();
  return 1;
}

int Calc_Part_Result_Ref_Step(DWQB_PART *P, void *ctx) {
  auto *c = static_cast<DWQB_PART_RESULT_CONTEXT *>(ctx);
  if (!P || !c) return 1;
  Calc_Part_Result_Step(P, ctx);
  double *r = c->result;
  Calc_DWQB_Centreline_Values(P->values, c->centre_line);
  r[1] = c->centre_line[1];
  r[2] = c->centre_line[2];
  r[11] = c->centre_line[11];
  r[12] = c->centre_line[12];
  r[13] = c->centre_line[13];
  const double A = r[0], y0 = c->y0, z0 = c->z0;
  r[9] = y0 * y0 * A + r[6] - 2.0 * y0 * r[3];
  r[8] = z0 * z0 * A + r[5] - 2.0 * z0 * r[4];
  r[10] = r[7] - y0 * r[4] - z0 * r[3] + y0 * z0 * A;
  return 1;
}

int Calc_Part_Shear_Centre_Step(DWQB_PART *P, void *ctx) {
  auto *sc = static_cast<double *>(ctx);
  if (!P || !sc) return 1;
  sc[0] = sc[1] = sc[2] = 0.0;
  Calc_DWQB_Part_Shear_Centre(P->values, sc);
  return 1;
}

int Calc_Part_Shear_Centre_Reset_Step(DWQB_PART *P, void *ctx) {
  auto *sc = static_cast<double *>(ctx);
  if (!P || !sc) return 1;
  Calc_Part_Shear_Centre_Step(P, sc);
  // A warping constant at the level of rounding (closed round tubes) is 0.
  if (std::fabs(sc[4]) < 1e-6 * std::pow(std::fabs(P->values[18]), 3)) {
    sc[4] = 0.0;
    sc[8] = 0.0;
  }
  _Reset_Nodes();
  return 1;
}

// The three-case part computation of one group part: unit shear flows of the two
// principal directions along the chains, the cells, the resultants.
static int _Calc_Part_Shear_Flows(DWQB_PART *P, FlowContext *fc) {
  DwqbState &g = Dwqb_State();
  if (P->n_entries < 1) return 1;
  // Open flows along the chains: a chain carries the flow accumulated at its start node
  // (0 where a cell was cut open) and leaves its end flow at the far node.
  for (int i = 0; i < P->n_entries; ++i) {
    DWQB_SHEAR_ENTRY &e = P->shear[i];
    DWQB_LINE_RESULT *r = Dwqb_Line_Result(e.line->element);
    if (!r) continue;
    const double d1 = g.k1u * r->row_u[1] + g.k1v * r->row_v[1];
    const double d2 = g.k2u * r->row_u[1] + g.k2v * r->row_v[1];
    for (int k = 2; k < 6; ++k) {
      r->q1[k] = g.k1u * r->row_u[k] + g.k1v * r->row_v[k];
      r->q2[k] = g.k2u * r->row_u[k] + g.k2v * r->row_v[k];
    }
    const bool cut = (e.flags & DWQB_SHEAR_BRANCH) != 0;
    DWQB_NODE *a = e.line->node_a, *b = e.line->node_b;
    if (!(e.flags & DWQB_SHEAR_B_TO_A)) {
      const double p1 = cut ? 0.0 : a->work_values[kAcc1], p2 = cut ? 0.0 : a->work_values[kAcc2];
      r->q1[0] = p1;
      r->q1[1] = p1 + d1;
      r->q2[0] = p2;
      r->q2[1] = p2 + d2;
      b->work_values[kAcc1] += r->q1[1];
      b->work_values[kAcc2] += r->q2[1];
    } else {
      const double p1 = cut ? 0.0 : b->work_values[kAcc1], p2 = cut ? 0.0 : b->work_values[kAcc2];
      r->q1[1] = -p1;
      r->q1[0] = -p1 - d1;
      r->q2[1] = -p2;
      r->q2[0] = -p2 - d2;
      a->work_values[kAcc1] -= r->q1[0];
      a->work_values[kAcc2] -= r->q2[0];
    }
    a->flags |= 0x1000;
    b->flags |= 0x1000;
    // Compatibility integrals of the open flows.
    double r1 = 0.0, r2 = 0.0;
    const double len = e.line->geo.length;
    Dwqb_Gauss_Line(e.line, [&](double s, double w) {
      const double t = ((1.0 - s) * e.line->t_a + (1.0 + s) * e.line->t_b) / 2.0;
      if (t <= 0.0) return;
      double q1, q2;
      _Flows_At(e.line, r, s, &q1, &q2);
      r1 += w * len / 2.0 * q1 / t;
      r2 += w * len / 2.0 * q2 / t;
    });
    r->r1 = r1;
    r->r2 = r2;
  }
  // Cells: ordinates of the open part, cell flows, ordinates again.
  _Calc_Part_Warping(P);
  P->n_cells = _Part_Cells(P, false);
  if (P->n_cells > 0) _Calc_Part_Warping(P);
  fc->n_cells += P->n_cells;
  // Resultants.
  for (int i = 0; i < P->n_entries; ++i) {
    DWQB_LINE *L = P->shear[i].line;
    DWQB_LINE_RESULT *r = Dwqb_Line_Result(L->element);
    if (!r) continue;
    const double len = L->geo.length;
    double F[4] = {0, 0, 0, 0}, T = 0.0, D[3] = {0, 0, 0};
    Dwqb_Gauss_Line(L, [&](double s, double w) {
      double q1, q2, y, z, dy, dz;
      _Flows_At(L, r, s, &q1, &q2);
      Calc_Line_Point(&L->geo, s, &y, &z);
      Get_DWQB_Line_Geometry_Tangent(s, 0.0, &L->geo, &dy, &dz);
      F[0] += w * q1 * dy;
      F[1] += w * q2 * dy;
      F[2] += w * q1 * dz;
      F[3] += w * q2 * dz;
      T += w * r->qTa * (y * dz - z * dy);
      const double t = ((1.0 - s) * L->t_a + (1.0 + s) * L->t_b) / 2.0;
      if (t > 0.0) {
        const double wl = w * len / 2.0 / t;
        D[0] += wl * q1 * q1;
        D[1] += wl * q1 * q2;
        D[2] += wl * q2 * q2;
      }
    });
    for (int k = 0; k < 4; ++k) {
      r->force[k] = F[k];
      g.shear_sums[k] += F[k];
    }
    r->torque = T;
    g.shear_sums[4] += T;
    for (int k = 0; k < 3; ++k) {
      r->deform[k] = D[k] * fc->A_section;
      g.shear_sums[5 + k] += r->deform[k];
    }
  }
  return 1;
}

// Part step of the first warping walk: hands its group part to _Calc_Part_Shear_Flows.
static int _Part_Shear_Flows_Step(DWQB_PART *P, void *ctx) {
  if (!P || !ctx) return 1;
  return _Calc_Part_Shear_Flows(P, static_cast<FlowContext *>(ctx));
}

// Coefficients of the unit shear flows. Every part bends about its own centroid with the
// curvature of the whole section, so the flow for a shear force V is -Sᵀ T⁻¹ V, with S
// the first moments about the part's centroid and T the sum of the parts' own centre-line
// tensors, all in the principal frame of the centre-line model.
static void _Flow_Coefficients(const DWQB_PART *root) {
  DwqbState &g = Dwqb_State();
  const double *cl = g.centre_line;
  const double alpha = cl[11], I1 = cl[12], I2 = cl[13];
  g.pc_cos = std::cos(alpha);
  g.pc_sin = std::sin(alpha);
  double Ty = 0.0, Tz = 0.0, Tyz = 0.0;  // Σ own tensors about y-parallel axes
  for (int i = 0; i < root->count; ++i) {
    const DWQB_PART *P = root->children[i];
    if (!P) continue;
    double c[14];
    Calc_DWQB_Centreline_Values(P->values, c);
    Ty += c[8];
    Tz += c[9];
    Tyz += c[10];
  }
  const double c = g.pc_cos, s = g.pc_sin;
  // In the principal frame: T_uu = ∫u² dA, T_vv = ∫v² dA, T_uv = ∫uv dA.
  double Tuu = c * c * Tz + 2.0 * c * s * Tyz + s * s * Ty;
  double Tvv = s * s * Tz - 2.0 * c * s * Tyz + c * c * Ty;
  double Tuv = c * s * (Ty - Tz) + (c * c - s * s) * Tyz;
  double inv;
  Calc_DWQB_Principal_Inverse(&Tuu, &Tvv, &Tuv, &inv);
  double Kuu = 0, Kvv = 0, Kuv = 0;
  const double det = Tuu * Tvv - Tuv * Tuv;
  if (det != 0.0) {
    Kuu = Tvv / det;
    Kvv = Tuu / det;
    Kuv = -Tuv / det;
  }
  const double e = 1e-7 * (std::fabs(I1) + std::fabs(I2));
  // Case 1: unit force along axis 2 (v); case 2: along axis 1 (u).
  g.k1u = g.k1v = g.k2u = g.k2v = 0.0;
  if (std::fabs(I1) > e) {
    g.k1u = -Kuv;
    g.k1v = -Kvv;
  }
  if (std::fabs(I2) > e) {
    g.k2u = -Kuu;
    g.k2v = -Kuv;
  }
}

int Scale_Line_Result(DWQB_LINE *L, int, void *ctx) {
  DWQB_LINE_RESULT *r = L ? Dwqb_Line_Result(L->element) : nullptr;
  if (r) r->q_torsion = r->qTa * *static_cast<double *>(ctx);
  return 1;
}

// ---------------------------------------------------------------- sectorial values

// The seven sectorial integrals of a line (part block 28-34): ∫ω, ∫ωy, ∫ωz, ∫ω², ∫ωy²,
// ∫ωyz, ∫ωz² over t ds, ω about the origin.
static void _Line_Sectorial(DWQB_PART *E) {
  const DWQB_LINE *L = E->line;
  double *v = E->values;
  for (int k = 28; k <= 34; ++k) v[k] = 0.0;
  const double len = L->geo.length;
  Dwqb_Gauss_Line(L, [&](double s, double w) {
    double y, z;
    Calc_Line_Point(&L->geo, s, &y, &z);
    const double t = ((1.0 - s) * L->t_a + (1.0 + s) * L->t_b) / 2.0;
    const double om = Calc_Line_Omega(L, s), dA = w * len / 2.0 * t;
    v[28] += dA * om;
    v[29] += dA * om * y;
    v[30] += dA * om * z;
    v[31] += dA * om * om;
    v[32] += dA * om * y * y;
    v[33] += dA * om * y * z;
    v[34] += dA * om * z * z;
  });
}

// Entry step: moves the ordinates of the entry's line by -w0 (the shift record) and
// updates the line's sectorial integrals with its centre-line sums.
static int _Shift_Line_Warping_Step(DWQB_SHEAR_ENTRY *e, void *ctx) {
  DWQB_PART *E = e && e->line ? e->line->element : nullptr;
  DWQB_LINE_RESULT *r = Dwqb_Line_Result(E);
  if (!r) return 1;
  const double w0 = *static_cast<const double *>(ctx);
  double *v = E->values;
  r->omega_a -= w0;
  r->omega_b -= w0;
  v[31] += (v[18] * w0 - 2.0 * v[28]) * w0;
  v[28] -= v[18] * w0;
  v[29] -= v[19] * w0;
  v[30] -= v[20] * w0;
  v[32] -= v[21] * w0;
  v[33] -= v[22] * w0;
  v[34] -= v[23] * w0;
  return 1;
}

// Sectorial values of one group part: the integrals of its lines, then its ordinates
// reduced to its centroid (zero mean over the part's centre-line area).
static void _Calc_Part_Shear_Centre_Values(DWQB_PART *P) {
  double Sw = 0.0, Acl = 0.0;
  for (int k = 0; k < P->count; ++k) {
    DWQB_PART *e = P->children[k];
    if (!e || !Dwqb_Line_Result(e)) continue;
    _Line_Sectorial(e);
    Sw += e->values[28];
    Acl += e->values[18];
  }
  double w0 = Acl != 0.0 ? Sw / Acl : 0.0;
  DWQB_WALK_STEPS st{};
  st.entry_step = _Shift_Line_Warping_Step;
  st.entry_ctx = &w0;
  if (w0 != 0.0) Walk_DWQB_Part(P, &st);
  for (int k = 28; k <= 34; ++k) P->values[k] = 0.0;
}

// Group step of the sectorial walk; 1 also for a null part.
static int _Part_Shear_Centre_Step(DWQB_PART *P, void *) {
  if (P) _Calc_Part_Shear_Centre_Values(P);
  return 1;
}

// Sectorial integrals of every line; the ordinates of each part are shifted to a zero
// mean over the part, then the integrals are summed up the tree.
static int _Calc_Line_Sectorial_Values() {
  DWQB_PART *root = Dwqb_State().root;
  if (!root) return 1;
  DWQB_WALK_STEPS st{};
  st.part_begin = _Part_Shear_Centre_Step;
  Walk_DWQB_Part_Tree(&st);
  for (int k = 28; k <= 34; ++k) root->values[k] = 0.0;
  Sum_DWQB_Part_Sectorial(root);
  return 1;
}

int Calc_DWQB_Part_Shear_Centre(const double *v, double *r) {
  std::memset(r, 0, 9 * sizeof(double));
  const double A = v[18];
  if (A == 0.0) return 0;
  const double Sy = v[19], Sz = v[20], Syy = v[21], Syz = v[22], Szz = v[23];
  const double Sw = v[28], Swy = v[29], Swz = v[30], Sww = v[31];
  const double ys = Sy / A, zs = Sz / A, wm = Sw / A;
  const double Iy = Szz - Sz * Sz / A, Iz = Syy - Sy * ys, Iyz = Syz - Sz * ys;
  const double Iwy = Swy - ys * Sw, Iwz = Swz - zs * Sw;
  double a = Iy, b = Iz, c = -Iyz, invD;
  double yM = ys, zM = zs;
  if (Calc_DWQB_Principal_Inverse(&a, &b, &c, &invD)) {
    yM = (Iwz * Iz - Iwy * Iyz) * invD;
    zM = (Iyz * Iwz - Iy * Iwy) * invD;
  }
  r[0] = yM;
  r[1] = zM;
  r[2] = v[16];
  r[3] = v[17];
  double Iw = Sww - A * wm * wm - Iwz * yM + Iwy * zM;
  if (1e-6 * A * (v[45] + v[46]) > Iw) Iw = 0.0;
  r[4] = Iw;
  // Sectorial products with the pole in the centroid, and the ordinate shift.
  const double Iwz_c = Iwz - ys * Iy + zs * Iyz, Iwy_c = Iwy - ys * Iyz + zs * Iz;
  r[6] = Iwz_c;
  r[7] = Iwy_c;
  r[5] = (yM - ys) * Iwz_c + (zs - zM) * Iwy_c + Iw;
  if (Iw > 0.0) {
    // Wagner term ∫ω_M (ȳ² + z̄²) dA / I_w, ω_M of zero mean about the shear centre.
    const double rho = ys * ys + zs * zs;
    const double w_r2 = v[32] + v[34] - 2.0 * ys * Swy - 2.0 * zs * Swz + rho * Sw;
    const double z_r2 = v[25] + v[27] - 2.0 * ys * Syz - 2.0 * zs * Szz + rho * Sz;
    const double y_r2 = v[24] + v[26] - 2.0 * ys * Syy - 2.0 * zs * Syz + rho * Sy;
    const double Ip = Syy + Szz - A * rho;
    const double cM = -(Sw - yM * Sz + zM * Sy) / A;
    r[8] = (w_r2 - yM * z_r2 + zM * y_r2 + cM * Ip) / Iw;
  }
  return 0;
}

// ---------------------------------------------------------------- secondary flows

// Ordinate about the shear centre with zero mean (pole and centroid of the run).
static double _Omega_M(const DWQB_LINE *L, double s) {
  const DwqbState &g = Dwqb_State();
  double y, z;
  Calc_Line_Point(&L->geo, s, &y, &z);
  return Calc_Line_Omega(L, s) + (y - g.centre_line[1]) * g.shear_centre[1] - (z - g.centre_line[2]) * g.shear_centre[0];
}

// Sectorial first moment ∫ω_M t ds from node a to s.
static double _Sectorial_Moment(const DWQB_LINE *L, double s) {
  const double h = (s + 1.0) / 2.0, len = L->geo.length;
  double Q = 0.0;
  Dwqb_Gauss_Line(L, [&](double x, double w) {
    const double sig = -1.0 + (x + 1.0) * h;  // [-1, 1] mapped onto [-1, s]
    const double t = ((1.0 - sig) * L->t_a + (1.0 + sig) * L->t_b) / 2.0;
    Q += w * h * len / 2.0 * t * _Omega_M(L, sig);
  });
  return Q;
}

// Entry step of the secondary flows: the open secondary flow of the entry's line per
// unit rate of the bimoment (the factor -1 / I_w at ctx), carried along its chain through
// the nodes' accumulated flows, and its compatibility integral r4. Returns 1.
static int _Secondary_Flow_Entry_Step(DWQB_SHEAR_ENTRY *entry, void *ctx) {
  static const double kInner[4] = {-0.6, -0.2, 0.2, 0.6};
  if (!entry || !entry->line || !ctx) return 1;
  const DWQB_SHEAR_ENTRY &e = *entry;
  DWQB_LINE_RESULT *r = Dwqb_Line_Result(e.line->element);
  if (!r) return 1;
  const double k = *static_cast<const double *>(ctx);
  const double Q1 = k * _Sectorial_Moment(e.line, 1.0);
  for (int j = 0; j < 4; ++j)
    r->q4[2 + j] = k * _Sectorial_Moment(e.line, kInner[j]) - (1.0 + kInner[j]) / 2.0 * Q1;
  const bool cut = (e.flags & DWQB_SHEAR_BRANCH) != 0;
  DWQB_NODE *a = e.line->node_a, *b = e.line->node_b;
  if (!(e.flags & DWQB_SHEAR_B_TO_A)) {
    const double q0 = cut ? 0.0 : a->work_values[kAcc1];
    r->q4[0] = q0;
    r->q4[1] = q0 + Q1;
    b->work_values[kAcc1] += r->q4[1];
  } else {
    const double q0 = cut ? 0.0 : b->work_values[kAcc1];
    r->q4[1] = -q0;
    r->q4[0] = -q0 - Q1;
    a->work_values[kAcc1] -= r->q4[0];
  }
  double r4 = 0.0;
  const double len = e.line->geo.length;
  Dwqb_Gauss_Line(e.line, [&](double s, double w) {
    const double t = ((1.0 - s) * e.line->t_a + (1.0 + s) * e.line->t_b) / 2.0;
    if (t > 0.0) r4 += w * len / 2.0 * Dwqb_Six_Point(r->q4, s) / t;
  });
  r->r4 = r4;
  return 1;
}

// Secondary shear flow of warping of one part, per unit rate of the bimoment: the open
// flow -S_ω / I_w along the chains, closed by constant cell flows. Its torque about the
// shear centre is 1 for every part that warps.
static void _Calc_Part_Secondary_Flows(DWQB_PART *P, double Iw) {
  if (P->n_entries < 1) return;
  double k = Iw != 0.0 ? -1.0 / Iw : 0.0;
  for (int i = 0; i < P->n_entries; ++i) {
    DWQB_LINE *L = P->shear[i].line;
    for (DWQB_NODE *n : {L->node_a, L->node_b}) n->work_values[kAcc1] = 0.0;
  }
  for (int i = 0; i < P->n_entries; ++i) _Secondary_Flow_Entry_Step(&P->shear[i], &k);
  _Part_Cells(P, true);
}

// Torque of the secondary flows about the shear centre (1 when the section warps).
double Dwqb_Secondary_Torque() {
  const DwqbState &g = Dwqb_State();
  double T = 0.0;
  if (!g.line_group) return 0.0;
  for (int i = 0; i < g.line_group->count; ++i) {
    DWQB_PART *e = g.line_group->children[i];
    DWQB_LINE_RESULT *r = Dwqb_Line_Result(e);
    if (!r) continue;
    Dwqb_Gauss_Line(e->line, [&](double s, double w) {
      double y, z, dy, dz;
      Calc_Line_Point(&e->line->geo, s, &y, &z);
      Get_DWQB_Line_Geometry_Tangent(s, 0.0, &e->line->geo, &dy, &dz);
      T += w * Dwqb_Six_Point(r->q4, s) * ((y - g.shear_centre[0]) * dz - (z - g.shear_centre[1]) * dy);
    });
  }
  return T;
}

// ---------------------------------------------------------------- the two result steps

int _Calc_Warping_Results() {
  DwqbState &g = Dwqb_State();
  DWQB_PART *root = g.root;
  if (!root) return 1;
  _Flow_Coefficients(root);
  FlowContext fc{g.section_result.A, 0, nullptr};
  DWQB_PART_RESULT_CONTEXT pc{};
  pc.y0 = g.centre_line[1];
  pc.z0 = g.centre_line[2];
  // Part results are formed at the start of every part; the part computation ends it.
  DWQB_WALK_STEPS st{};
  st.part_begin = [](DWQB_PART *P, void *ctx) {
    return Calc_Part_Result_Ref_Step(P, static_cast<FlowContext *>(ctx)->part);
  };
  st.line_step = _Set_Line_Moment_Ordinates;
  st.part_end = _Part_Shear_Flows_Step;
  fc.part = &pc;
  st.part_ctx = &fc;
  st.line_ctx = &pc;
  Walk_DWQB_Part_Tree(&st);
  root->n_cells = fc.n_cells;
  root->values[41] = g.shear_sums[7];  // force along axis 1 (y)
  root->values[42] = g.shear_sums[6];
  root->values[43] = g.shear_sums[5];  // force along axis 2 (z)
  root->values[46] = g.shear_sums[4];  // closed-cell torsion term
  // The cells carry the share R46 / (R45 + R46) of a unit torque; the walls' St. Venant
  // stresses carry the rest, so that a unit T_t is one unit of torque in all.
  double factor = root->values[46] != 0.0 ? 1.0 / (root->values[45] + root->values[46]) : 0.0;
  DWQB_WALK_STEPS sc{};
  sc.line_step = Scale_Line_Result;
  sc.line_ctx = &factor;
  Walk_DWQB_Part_Tree(&sc);

  _Calc_Line_Sectorial_Values();
  return 1;
}

int _Calc_Torsion_Results() {
  DwqbState &g = Dwqb_State();
  DWQB_PART *root = g.root;
  if (!root) return 1;
  double *sc = g.shear_centre;
  Calc_Part_Shear_Centre_Step(root, sc);
  // Ordinates about the shear centre (zero mean) at twelve points of every line.
  const double ys = g.centre_line[1], zs = g.centre_line[2];
  bool first = true;
  double lo = 0.0, hi = 0.0;
  for (int i = 0; i < root->count; ++i) {
    DWQB_PART *P = root->children[i];
    for (int k = 0; P && k < P->count; ++k) {
      DWQB_PART *e = P->children[k];
      DWQB_LINE_RESULT *r = Dwqb_Line_Result(e);
      if (!r) continue;
      r->y0 = ys;
      r->z0 = zs;
      for (int j = -11; j <= 11; j += 2) {
        const double s = j / 11.0;
        double y, z;
        Calc_Line_Point(&e->line->geo, s, &y, &z);
        const double om = Calc_Line_Omega(e->line, s) + (y - ys) * sc[1] - (z - zs) * sc[0];
        if (j == -11 || om < r->omega_min) r->omega_min = om;
        if (j == -11 || om > r->omega_max) r->omega_max = om;
      }
      if (first || r->omega_min < lo) lo = r->omega_min;
      if (first || r->omega_max > hi) hi = r->omega_max;
      first = false;
    }
  }
  root->values[16] = lo;
  root->values[17] = hi;
  Calc_Part_Shear_Centre_Reset_Step(root, sc);
  for (int i = 0; i < root->count; ++i)
    if (root->children[i]) _Calc_Part_Secondary_Flows(root->children[i], sc[4]);
  return 1;
}

int Calc_Point_Unit_Stresses(double *out, double y, double z) {
  if (!out) return 0;
  const DWQB_SECTION_RESULT &r = Dwqb_State().section_result;
  out[0] = out[1] = out[2] = 0.0;
  if (r.A == 0.0 && r.I_1 == 0.0 && r.I_2 == 0.0) return 1;
  out[0] = r.A != 0.0 ? 1.0 / r.A : 0.0;
  double dy = y - r.y_s, dz = z - r.z_s, u = dy, v = dz;
  if (r.alpha != 0.0) {
    const double c = std::cos(r.alpha), s = std::sin(r.alpha);
    u = c * dy + s * dz;
    v = c * dz - s * dy;
  }
  out[1] = r.I_1 != 0.0 ? v / r.I_1 : 0.0;
  out[2] = r.I_2 != 0.0 ? -u / r.I_2 : 0.0;
  return 1;
}

const DWQB_SECTION_RESULT *Get_DWQB_Section_Result() { return &Dwqb_State().section_result; }
const double *Get_DWQB_Centreline_Result() { return Dwqb_State().centre_line; }
const double *Get_DWQB_Shear_Centre_Result() { return Dwqb_State().shear_centre; }
