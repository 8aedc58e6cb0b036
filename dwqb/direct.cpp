// Direct mode of the solver: the section computed in one pass over the wall centre lines
// (each wall its chord with the mean thickness): connectivity, closed cells of a spanning
// tree, area and centroid, first moments and unit shear flows at 11 points per line,
// Bredt's equations of the cells, shear centre, shear factors, sectorial flows.
#include <algorithm>
#include <cmath>
#include <functional>
#include <queue>
#include <utility>

#include "dwqb/dwqb_internal.h"

namespace {
constexpr int kPoints = 11;  // points 0..10 at x = 0, 0.1, ..., 1 of the line from node a

// ∫ f ds over a line of length L by Simpson's rule on its 11 points.
double Simpson(const double *f, double L) {
  double s = f[0] + f[10];
  for (int k = 1; k < 10; ++k) s += (k & 1 ? 4.0 : 2.0) * f[k];
  return s * L / 30.0;
}

DWQB_NODE *Other_Node(const DWQB_LINE *l, const DWQB_NODE *n) { return l->node_a == n ? l->node_b : l->node_a; }
}  // namespace

// ---------------------------------------------------------------- connectivity

// Every node reached from the first node over the lines.
static bool _Connected(DwqbState &g, DwqbDirect &d) {
  std::vector<int> &seen = d.counter;
  seen.assign(static_cast<std::size_t>(g.n_nodes), 0);
  std::vector<DWQB_NODE *> stack{g.node_head};
  seen[static_cast<std::size_t>(g.node_head->index)] = 1;
  int reached = 1;
  while (!stack.empty()) {
    DWQB_NODE *n = stack.back();
    stack.pop_back();
    int count;
    DWQB_LINE *const *lines = Dwqb_Node_Lines(n, &count);
    for (int k = 0; k < count; ++k) {
      DWQB_NODE *m = Other_Node(lines[k], n);
      int &s = seen[static_cast<std::size_t>(m->index)];
      if (s) continue;
      s = 1;
      ++reached;
      stack.push_back(m);
    }
  }
  return reached == g.n_nodes;
}

// ---------------------------------------------------------------- cells

static DwqbTreeEntry &_Entry(DwqbDirect &d, const DWQB_NODE *n) {
  return d.entries[static_cast<std::size_t>(d.entry_of[static_cast<std::size_t>(n->index)])];
}

// The cell closed by line l from V to W, whose latest parent P was joined by lp: P -> W,
// W -> V, V up the tree to the first common ancestor C, C down to P.
static void _Add_Cell(DwqbDirect &d, DWQB_NODE *P, DWQB_LINE *lp, DWQB_NODE *W, DWQB_NODE *V, DWQB_LINE *l) {
  if (static_cast<int>(d.cells.size()) <= d.n_cells) d.cells.emplace_back();
  std::vector<DWQB_CELL_ELEMENT> &c = d.cells[static_cast<std::size_t>(d.n_cells++)];
  c.clear();
  c.push_back({P, W, lp});
  c.push_back({W, V, l});
  std::vector<DWQB_CELL_ELEMENT> down;
  DWQB_NODE *x = V, *y = P;
  while (x != y) {
    DwqbTreeEntry &ex = _Entry(d, x), &ey = _Entry(d, y);
    if (ex.depth >= ey.depth) {
      c.push_back({x, ex.parents[0], ex.parent_lines[0]});
      x = ex.parents[0];
    } else {
      down.push_back({ey.parents[0], y, ey.parent_lines[0]});
      y = ey.parents[0];
    }
  }
  c.insert(c.end(), down.rbegin(), down.rend());
}

// Spanning tree breadth first from the first node; every line that reaches a node of the
// tree again closes a cell. Cell elements keep the line that made them, so two lines
// between the same nodes form a cell too.
static void _Find_Cells(DwqbState &g, DwqbDirect &d) {
  const std::size_t n = static_cast<std::size_t>(g.n_nodes);
  if (d.entries.size() < n) d.entries.resize(n);
  for (std::size_t k = 0; k < n; ++k) {
    DwqbTreeEntry &e = d.entries[k];
    e.node = nullptr;
    e.parents.clear();
    e.parent_lines.clear();
    e.children.clear();
    e.cut = e.depth = 0;
  }
  d.entry_of.assign(n, -1);
  d.n_cells = 0;
  for (DWQB_LINE *l = g.line_head; l; l = l->next) l->mark = 0;
  std::size_t used = 1;
  d.entries[0].node = g.node_head;
  d.entry_of[static_cast<std::size_t>(g.node_head->index)] = 0;
  for (std::size_t e = 0; e < used; ++e) {
    DWQB_NODE *V = d.entries[e].node;
    int count;
    DWQB_LINE *const *lines = Dwqb_Node_Lines(V, &count);
    for (int k = 0; k < count; ++k) {
      DWQB_LINE *l = lines[k];
      if (l->mark) continue;
      l->mark = 1;
      DWQB_NODE *W = Other_Node(l, V);
      int &w = d.entry_of[static_cast<std::size_t>(W->index)];
      if (w < 0) {
        w = static_cast<int>(used++);
        DwqbTreeEntry &we = d.entries[static_cast<std::size_t>(w)];
        we.node = W;
        we.parents.push_back(V);
        we.parent_lines.push_back(l);
        we.depth = d.entries[e].depth + 1;
        d.entries[e].children.push_back(W);
        continue;
      }
      DwqbTreeEntry &we = d.entries[static_cast<std::size_t>(w)];
      if (we.parents.empty()) continue;  // the first node: its lines were all taken from it
      DWQB_NODE *P = we.parents.back();
      DWQB_LINE *lp = we.parent_lines.back();
      we.parents.push_back(V);
      we.parent_lines.push_back(l);
      d.entries[e].children.push_back(W);
      _Add_Cell(d, P, lp, W, V, l);
    }
  }
  // Lines of every cell with their direction, per line.
  d.line_cells.resize(std::max(d.line_cells.size(), static_cast<std::size_t>(g.n_lines)));
  for (int k = 0; k < g.n_lines; ++k) d.line_cells[static_cast<std::size_t>(k)].clear();
  for (int i = 0; i < d.n_cells; ++i)
    for (const DWQB_CELL_ELEMENT &el : d.cells[static_cast<std::size_t>(i)])
      d.line_cells[static_cast<std::size_t>(el.line->index)].push_back({i, el.node_a == el.line->node_a ? 1 : -1});
}

void Start_Cell_Element_Walk(int cell, int filter) {
  DwqbDirect &d = Dwqb_State().direct;
  d.cursor_cell = cell;
  d.cursor_pos = 0;
  d.cursor_filter = filter;
}

DWQB_LINE *Next_Cell_Element_Line(int *orientation) {
  DwqbDirect &d = Dwqb_State().direct;
  if (d.cursor_cell < 0 || d.cursor_cell >= d.n_cells) return nullptr;
  const std::vector<DWQB_CELL_ELEMENT> &c = d.cells[static_cast<std::size_t>(d.cursor_cell)];
  while (d.cursor_pos < static_cast<int>(c.size())) {
    const DWQB_CELL_ELEMENT &el = c[static_cast<std::size_t>(d.cursor_pos++)];
    if (d.cursor_filter < 0 || d.cursor_filter >= d.n_cells) {
      if (orientation) *orientation = el.node_a == el.line->node_a ? 1 : -1;
      return el.line;
    }
    for (const DWQB_CELL_ELEMENT &o : d.cells[static_cast<std::size_t>(d.cursor_filter)]) {
      if (o.line != el.line) continue;
      if (orientation) *orientation = o.node_a == el.node_a ? 1 : -1;
      return el.line;
    }
  }
  return nullptr;
}

// ---------------------------------------------------------------- line walk

// Walks every line once: first from nodes with one line left (in list order), so that the
// sum at a node holds all branches behind it; when only closed rings are left, a ring is
// cut open at a line that closed a cell, walked from its tree node with start value 0.
// step(line, from, to, start_from_node_sum).
static void _Walk_Lines(DwqbState &g, DwqbDirect &d,
                        const std::function<void(DWQB_LINE *, DWQB_NODE *, DWQB_NODE *, bool)> &step) {
  const std::size_t n = static_cast<std::size_t>(g.n_nodes);
  d.counter.assign(n, 0);
  d.line_cursor.assign(n, 0);
  std::priority_queue<int, std::vector<int>, std::greater<int>> ones;
  for (DWQB_NODE *nd = g.node_head; nd; nd = nd->next) {
    d.counter[static_cast<std::size_t>(nd->index)] = nd->use_count;
    if (nd->use_count == 1) ones.push(nd->index);
  }
  for (DWQB_LINE *l = g.line_head; l; l = l->next) l->mark = 0;
  for (std::size_t k = 0; k < n; ++k) d.entries[k].cut = static_cast<int>(d.entries[k].parents.size());
  std::size_t next_entry = 0;
  for (;;) {
    DWQB_NODE *S = nullptr;
    DWQB_LINE *l = nullptr;
    bool cut = false;
    while (!ones.empty()) {
      const int i = ones.top();
      if (d.counter[static_cast<std::size_t>(i)] == 1) {
        S = d.nodes[static_cast<std::size_t>(i)];
        break;
      }
      ones.pop();
    }
    if (S) {
      int count;
      DWQB_LINE *const *lines = Dwqb_Node_Lines(S, &count);
      int &cur = d.line_cursor[static_cast<std::size_t>(S->index)];
      while (cur < count && lines[cur]->mark) ++cur;
      if (cur == count) {  // counted ends without a line left: nothing to walk from here
        d.counter[static_cast<std::size_t>(S->index)] = 0;
        continue;
      }
      l = lines[cur];
    } else {
      for (; next_entry < n; ++next_entry) {
        DwqbTreeEntry &e = d.entries[next_entry];
        if (!e.node) continue;
        while (e.cut > 1 && e.parent_lines[static_cast<std::size_t>(e.cut - 1)]->mark) --e.cut;
        if (e.cut > 1) {
          --e.cut;
          S = e.node;
          l = e.parent_lines[static_cast<std::size_t>(e.cut)];
          cut = true;
          break;
        }
      }
      if (!S) break;
    }
    DWQB_NODE *E = Other_Node(l, S);
    l->mark = S == l->node_a ? 1 : -1;
    for (DWQB_NODE *m : {S, E}) {
      int &c = d.counter[static_cast<std::size_t>(m->index)];
      if (--c == 1) ones.push(m->index);
    }
    step(l, S, E, !cut);
  }
}

// ---------------------------------------------------------------- the run

int _Calc_DWQB_Direct() {
  DwqbState &g = Dwqb_State();
  DwqbDirect &d = g.direct;
  double *v = g.values.v;
  const std::uint32_t opt = g.run_options;

  // 1. Connectivity.
  if (!_Connected(g, d)) return g.sticky_code = DWQB_FAULT_NOT_CONNECTED;
  d.nodes.resize(static_cast<std::size_t>(g.n_nodes));
  for (DWQB_NODE *n = g.node_head; n; n = n->next) d.nodes[static_cast<std::size_t>(n->index)] = n;

  // 2. Cells.
  _Find_Cells(g, d);
  g.header.n_cells = d.n_cells;

  // 3. Area, centroid, extents, largest thickness.
  double A = 0.0, Sy = 0.0, Sz = 0.0, t_max = 0.0;
  double ext[4] = {g.line_head->node_a->y, g.line_head->node_a->y, g.line_head->node_a->z, g.line_head->node_a->z};
  for (DWQB_LINE *l = g.line_head; l; l = l->next) {
    const DWQB_NODE *a = l->node_a, *b = l->node_b;
    l->A_L = l->t_m * l->L;
    A += l->A_L;
    Sy += (a->y + b->y) / 2.0 * l->A_L;
    Sz += (a->z + b->z) / 2.0 * l->A_L;
    t_max = std::max(t_max, l->t_m);
    const double hy = std::fabs((b->z - a->z) * l->t_m / 2.0 / l->L);
    const double hz = std::fabs((b->y - a->y) * l->t_m / 2.0 / l->L);
    for (const DWQB_NODE *e : {a, b}) {
      ext[0] = std::min(ext[0], e->y - hy);
      ext[1] = std::max(ext[1], e->y + hy);
      ext[2] = std::min(ext[2], e->z - hz);
      ext[3] = std::max(ext[3], e->z + hz);
    }
  }
  double y_s = A != 0.0 ? Sy / A : 0.0, z_s = A != 0.0 ? Sz / A : 0.0;
  if (std::fabs(y_s) < 1e-10) y_s = Sy = 0.0;
  if (std::fabs(z_s) < 1e-10) z_s = Sz = 0.0;
  if (opt & DWQB_OPT_PRESET_MAIN) {
    v[DWQB_V_SY] = g.presets[1] * g.presets[0];
    v[DWQB_V_SZ] = g.presets[2] * g.presets[0];
  } else {
    v[DWQB_V_A] = A;
    v[DWQB_V_SY] = Sy;
    v[DWQB_V_SZ] = Sz;
    v[DWQB_V_YS] = y_s;
    v[DWQB_V_ZS] = z_s;
  }
  for (int k = 0; k < 4; ++k) v[DWQB_V_YMIN + k] = ext[k];
  v[DWQB_V_TMAX] = t_max;
  d.A = A;
  d.y_s = y_s;
  d.z_s = z_s;

  // 4. Second moments and principal axes (may store code 5).
  Calc_DWQB_Principal_Axes();

  // 5.-6. First moments along the lines from the open ends.
  for (DWQB_NODE *n = g.node_head; n; n = n->next) {
    n->yc = n->y - y_s;
    n->zc = n->z - z_s;
    n->s1 = n->s2 = 0.0;
  }
  _Walk_Lines(g, d, [](DWQB_LINE *l, DWQB_NODE *S, DWQB_NODE *E, bool from_sum) {
    const double s1 = from_sum ? S->s1 : 0.0, s2 = from_sum ? S->s2 : 0.0;
    const bool ab = S == l->node_a;
    double e1 = 0.0, e2 = 0.0;
    for (int k = 0; k < kPoints; ++k) {
      const double x = k / 10.0;
      e1 = s1 + l->A_L * x * (S->zc + x * (E->zc - S->zc) / 2.0);
      e2 = s2 + l->A_L * x * (S->yc + x * (E->yc - S->yc) / 2.0);
      l->S1[ab ? k : 10 - k] = ab ? e1 : -e1;
      l->S2[ab ? k : 10 - k] = ab ? e2 : -e2;
    }
    E->s1 += e1;
    E->s2 += e2;
  });

  // 7. Unit shear flows of the open section.
  double Im = v[DWQB_V_IM], In = v[DWQB_V_IN], Imn = v[DWQB_V_IMN], f = 0.0;
  Calc_DWQB_Principal_Inverse(&Im, &In, &Imn, &f);
  for (DWQB_LINE *l = g.line_head; l; l = l->next)
    for (int k = 0; k < kPoints; ++k) {
      l->Q1[k] = f * (In * l->S1[k] - Imn * l->S2[k]);
      l->Q2[k] = f * (Im * l->S2[k] - Imn * l->S1[k]);
    }

  // 8. St. Venant torsion of the walls.
  double IT = 0.0;
  for (DWQB_LINE *l = g.line_head; l; l = l->next) IT += l->t_m * l->t_m * l->t_m * l->L / 3.0;

  // 9. Closed cells: flexibilities, right-hand sides of both shear cases and of torsion.
  const int nc = d.n_cells;
  d.torsion_flow.assign(static_cast<std::size_t>(nc), 0.0);
  if (nc > 0) {
    const std::size_t n = static_cast<std::size_t>(nc);
    d.F.assign(n * n, 0.0);
    d.rhs.assign(4 * n, 0.0);
    d.x.assign(4 * n, 0.0);
    double q1[kPoints], q2[kPoints];
    for (int i = 0; i < nc; ++i) {
      Start_Cell_Element_Walk(i, -1);
      int s;
      while (DWQB_LINE *l = Next_Cell_Element_Line(&s)) {
        d.F[static_cast<std::size_t>(i) * n + static_cast<std::size_t>(i)] += l->L / l->t_m;
        for (int k = 0; k < kPoints; ++k) {
          q1[k] = l->Q1[k] / l->t_m;
          q2[k] = l->Q2[k] / l->t_m;
        }
        d.rhs[static_cast<std::size_t>(i)] += s * Simpson(q1, l->L);
        d.rhs[n + static_cast<std::size_t>(i)] += s * Simpson(q2, l->L);
        d.rhs[2 * n + static_cast<std::size_t>(i)] +=
            s * (l->node_a->y * l->node_b->z - l->node_b->y * l->node_a->z);
      }
    }
    // Pairs of cells that share a line.
    std::vector<std::pair<int, int>> pairs;
    for (int k = 0; k < g.n_lines; ++k) {
      const auto &lc = d.line_cells[static_cast<std::size_t>(k)];
      for (std::size_t a = 0; a < lc.size(); ++a)
        for (std::size_t b = a + 1; b < lc.size(); ++b)
          pairs.push_back({std::min(lc[a].first, lc[b].first), std::max(lc[a].first, lc[b].first)});
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    for (auto [i, j] : pairs) {
      if (i == j) continue;
      Start_Cell_Element_Walk(i, j);
      double fij = 0.0;
      int s;
      while (DWQB_LINE *l = Next_Cell_Element_Line(&s)) fij += s * l->L / l->t_m;
      d.F[static_cast<std::size_t>(i) * n + static_cast<std::size_t>(j)] = fij;
      d.F[static_cast<std::size_t>(j) * n + static_cast<std::size_t>(i)] = fij;
    }
    d.solve = d.F;
    std::copy_n(d.rhs.data(), 3 * n, d.x.data());
    Solve_Cell_System(d.solve.data(), d.x.data(), d.x.data() + n, d.x.data() + 2 * n, nc, 3);
    for (DWQB_LINE *l = g.line_head; l; l = l->next)
      for (auto [i, s] : d.line_cells[static_cast<std::size_t>(l->index)])
        for (int k = 0; k < kPoints; ++k) {
          l->Q1[k] -= s * d.x[static_cast<std::size_t>(i)];
          l->Q2[k] -= s * d.x[n + static_cast<std::size_t>(i)];
        }
    for (std::size_t i = 0; i < n; ++i) {
      d.torsion_flow[i] = d.x[2 * n + i];
      IT += d.rhs[2 * n + i] * d.x[2 * n + i];
    }
  }

  // 10. Torsion constant.
  d.I_T = IT;
  if (!((opt & DWQB_OPT_PRESET_IT) && g.presets[10] > 0.0)) v[DWQB_V_IT] = IT;

  // 11. Shear centre: the moment of the unit shear flows about the centroid.
  double my = 0.0, mz = 0.0;
  for (DWQB_LINE *l = g.line_head; l; l = l->next) {
    const DWQB_NODE *a = l->node_a, *b = l->node_b;
    const double r = ((z_s - a->z) * (b->y - a->y) - (y_s - a->y) * (b->z - a->z)) / l->L;
    my += r * Simpson(l->Q1, l->L);
    mz += r * Simpson(l->Q2, l->L);
  }
  double y_M = y_s - my, z_M = z_s + mz;
  if (std::fabs(y_M) < 1e-10) y_M = 0.0;
  if (std::fabs(z_M) < 1e-10) z_M = 0.0;
  v[DWQB_V_YM] = y_M;
  v[DWQB_V_ZM] = z_M;

  // 12. Shear factors and the extremes of the unit flows and stresses.
  if (A != 0.0) {
    double s32 = 0.0, s33 = 0.0, q[kPoints], p[kPoints];
    for (DWQB_LINE *l = g.line_head; l; l = l->next) {
      for (int k = 0; k < kPoints; ++k) {
        q[k] = l->Q2[k] * l->Q2[k];
        p[k] = l->Q1[k] * l->Q1[k];
      }
      s32 += Simpson(q, l->L) / l->t_m;
      s33 += Simpson(p, l->L) / l->t_m;
    }
    v[DWQB_V_SHEAR_Y] = A * s32;
    v[DWQB_V_SHEAR_Z] = A * s33;
  }
  double qlo = g.line_head->Q1[0], qhi = qlo, tlo = 0.0, thi = 0.0;
  bool first = true;
  for (DWQB_LINE *l = g.line_head; l; l = l->next) {
    const double inv_t = l->t_m > 0.0 ? 1.0 / l->t_m : 1.0;
    for (int k = 0; k < kPoints; ++k)
      for (double q : {l->Q1[k], l->Q2[k]}) {
        if (first) {
          qlo = qhi = q;
          tlo = thi = q * inv_t;
          first = false;
        }
        qlo = std::min(qlo, q);
        qhi = std::max(qhi, q);
        tlo = std::min(tlo, q * inv_t);
        thi = std::max(thi, q * inv_t);
      }
  }
  v[DWQB_V_Q_MIN] = qlo;
  v[DWQB_V_Q_MAX] = qhi;
  v[DWQB_V_TAU_MIN] = tlo;
  v[DWQB_V_TAU_MAX] = thi;

  // 13. Warping ordinates, I_w and the torsion flows of the lines.
  Calc_DWQB_Warping();
  const double Iw = d.I_w;

  // 14. Sectorial first moments from the open ends, and the warping shear flows.
  for (DWQB_NODE *n = g.node_head; n; n = n->next) n->s_omega = 0.0;
  _Walk_Lines(g, d, [](DWQB_LINE *l, DWQB_NODE *S, DWQB_NODE *, bool from_sum) {
    const double s0 = from_sum ? S->s_omega : 0.0;
    const bool ab = S == l->node_a;
    const double wS = ab ? l->omega_a : l->omega_b, wE = ab ? l->omega_b : l->omega_a;
    double e = 0.0;
    for (int k = 0; k < kPoints; ++k) {
      const double x = k / 10.0;
      e = s0 + l->A_L * x * (wS + x * (wE - wS) / 2.0);
      l->S_omega[ab ? k : 10 - k] = ab ? e : -e;
    }
    Other_Node(l, S)->s_omega += e;
  });
  for (DWQB_LINE *l = g.line_head; l; l = l->next)
    for (int k = 0; k < kPoints; ++k) l->Q_omega[k] = Iw != 0.0 ? l->S_omega[k] / Iw : 0.0;

  // 15. Cells of the warping shear flows.
  if (nc > 0) {
    const std::size_t n = static_cast<std::size_t>(nc);
    double q[kPoints];
    for (int i = 0; i < nc; ++i) {
      Start_Cell_Element_Walk(i, -1);
      int s;
      double r = 0.0;
      while (DWQB_LINE *l = Next_Cell_Element_Line(&s)) {
        for (int k = 0; k < kPoints; ++k) q[k] = l->Q_omega[k] / l->t_m;
        r += s * Simpson(q, l->L);
      }
      d.rhs[3 * n + static_cast<std::size_t>(i)] = r;
      d.x[3 * n + static_cast<std::size_t>(i)] = r;
    }
    d.solve = d.F;
    Solve_Cell_System_1(d.solve.data(), d.x.data() + 3 * n, nc);
    for (DWQB_LINE *l = g.line_head; l; l = l->next)
      for (auto [i, s] : d.line_cells[static_cast<std::size_t>(l->index)])
        for (int k = 0; k < kPoints; ++k) l->Q_omega[k] -= s * d.x[3 * n + static_cast<std::size_t>(i)];
  }

  // A preset shear centre and the warping values 25 to 28 (option 0x20) stand, as in part
  // mode: the run above worked with its own.
  Dwqb_Keep_Preset_Shear(v, g.presets, opt);

  // 17. Plastic axes and moduli, unless both are preset.
  if (!((opt & DWQB_OPT_PRESET_WPL) && g.presets[18] != 0.0 && g.presets[19] != 0.0))
    Calc_DWQB_Plastic_Axes(A, y_s, z_s);
  return DWQB_OK;
}
