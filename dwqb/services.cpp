// Services around the results of the current section: the module state of the stress
// services, result hooks of an outside component, the extents of the section and the move
// of a whole section.
#include <cmath>
#include <cstring>

#include "dwqb/dwqb_plastic.h"
#include "dwqb/stress_internal.h"

void _Free_DWQB_Output_Tables(DWQB_OUTPUT_TABLES &T);

namespace {
DwqbStressState s{};
}  // namespace

DwqbStressState &Dwqb_Stress_State() { return s; }

bool Dwqb_Part_Mode() {
  return DWQB_Part_Mode_Switch != 0 || (Get_DWQB_Header()->options & DWQB_OPT_PART_MODE) != 0;
}

DWQB_LINE *Dwqb_Cached_Line(int *cache_nr, DWQB_LINE **cache_line, int nr) {
  if (*cache_line && *cache_nr == nr) return *cache_line;
  for (DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next)
    if (l->nr == nr) {
      *cache_nr = nr;
      *cache_line = l;
      return l;
    }
  return nullptr;
}

static void _Drop_Hook_Result() {
  if (s.hook_result && s.hooks && s.hooks->free) s.hooks->free(s.hook_result, s.hooks->context);
  s.hook_result = nullptr;
}

void _Free_DWQB_Stress_Results() {
  s.point_nr = s.out_nr = 0;
  s.point_line = s.out_line = nullptr;
  _Drop_Hook_Result();
}

void _Reset_DWQB_Stress_For_Tests() {
  _Free_DWQB_Stress_Results();
  _Free_DWQB_Output_Tables(s.tables);
  s = DwqbStressState{};
}

// ---------------------------------------------------------------- hooks

const DWQB_RESULT_HOOKS *Set_DWQB_Result_Hooks(const DWQB_RESULT_HOOKS *table) {
  const DWQB_RESULT_HOOKS *old = s.hooks;
  if (table != old) {
    // A result belongs to the table that created it, and a failure under one table says
    // nothing about another: the cached result is freed through its own table and forgotten
    // with the failure.
    _Drop_Hook_Result();
    s.hook_failed = 0;
    s.hook_key = 0.0;
  }
  s.hooks = table;
  return old;
}

const DWQB_RESULT_HOOKS *Get_DWQB_Result_Hooks() { return s.hooks; }

void *Get_DWQB_Hook_Result(const double *key) {
  if (!key || !Dwqb_Part_Mode()) return nullptr;
  if (std::fabs(s.hook_key - *key) > 1e-8) {
    _Drop_Hook_Result();
    s.hook_key = *key;
  } else {
    if (s.hook_failed) return nullptr;
    if (s.hook_result) return s.hook_result;
  }
  s.hook_failed = 1;
  if (!s.hooks || !s.hooks->create) return nullptr;
  s.hook_result = s.hooks->create(key, s.hooks->context);
  if (s.hook_result) s.hook_failed = 0;
  return s.hook_result;
}

void *Get_DWQB_Cached_Hook_Result() { return Dwqb_Part_Mode() && !s.hook_failed ? s.hook_result : nullptr; }

int Query_DWQB_Hook_Result(void *object, void *options, const double *forces, const double *material, void *result,
                           void **line_list) {
  if (!s.hooks || !s.hooks->query) return 0;
  return s.hooks->query(object, options, forces, material, result, line_list, s.hooks, s.hooks->context);
}

// ---------------------------------------------------------------- extents and move

namespace {
struct Extents {
  double lo[2], hi[2];
  bool set;
  void Add(double y, double z) {
    if (!set) {
      lo[0] = hi[0] = y;
      lo[1] = hi[1] = z;
      set = true;
      return;
    }
    lo[0] = std::fmin(lo[0], y);
    hi[0] = std::fmax(hi[0], y);
    lo[1] = std::fmin(lo[1], z);
    hi[1] = std::fmax(hi[1], z);
  }
};
}  // namespace

// Every point of the outline pieces: straight pieces by their ends, arcs in their count of
// chords (twice the count unless bit 30 of the count is set).
static void _Outline_Extents(Extents &x) {
  for (const DWQB_LINE *L = Get_DWQB_First_Line(); L; L = L->next)
    for (const DWQB_OUTLINE_PIECE &p : L->outline) {
      if (!Dwqb_Piece_Computed(p)) continue;
      int n = 1;
      if (p.flags & DWQB_PIECE_ARC) {
        n = (p.count & 0x40000000) ? (p.count & 0x3fffffff) : 2 * p.count;
        if (n < 1) n = 1;
      }
      for (int k = 0; k <= n; ++k) {
        double y, z;
        Get_DWQB_Line_Point(-1.0 + 2.0 * k / n, &p, &y, &z);
        x.Add(y, z);
      }
    }
}

// Wall rectangles: the end points of every line moved by half the mean thickness along
// its normal, to both sides.
static void _Wall_Extents(Extents &x) {
  for (const DWQB_LINE *L = Get_DWQB_First_Line(); L; L = L->next) {
    if (!L->node_a || !L->node_b) continue;
    const double dy = L->node_b->y - L->node_a->y, dz = L->node_b->z - L->node_a->z;
    const double len = std::sqrt(dy * dy + dz * dz);
    const double ny = len > 0.0 ? -dz / len : 0.0, nz = len > 0.0 ? dy / len : 0.0, h = L->t_m / 2.0;
    for (const DWQB_NODE *N : {L->node_a, L->node_b})
      for (double side : {-h, h}) x.Add(N->y + side * ny, N->z + side * nz);
  }
}

int Build_DWQB_Outlines(double *y_min, double *y_max, double *z_min, double *z_max) {
  const double *v = Get_DWQB_Values()->v;
  double r[4] = {v[DWQB_V_YMIN], v[DWQB_V_YMAX], v[DWQB_V_ZMIN], v[DWQB_V_ZMAX]};
  int result = 0;
  if (!(r[0] < r[1] && r[2] < r[3])) {
    result = 1;
    Extents x{{0, 0}, {0, 0}, false};
    // The links and outlines need both nodes of every line.
    bool whole = Get_DWQB_First_Line() != nullptr;
    for (const DWQB_LINE *L = Get_DWQB_First_Line(); L; L = L->next) whole = whole && L->node_a && L->node_b;
    if (Dwqb_Part_Mode() && whole) {
      _Winged_Edge_Structure();
      _Set_Line_Outlines();
      _Outline_Extents(x);
    } else {
      _Wall_Extents(x);
    }
    r[0] = x.lo[0];
    r[1] = x.hi[0];
    r[2] = x.lo[1];
    r[3] = x.hi[1];
  }
  if (y_min) *y_min = r[0];
  if (y_max) *y_max = r[1];
  if (z_min) *z_min = r[2];
  if (z_max) *z_max = r[3];
  return result;
}

int Move_DWQB_Querschnitt(const double *move) {
  const double dy = move ? move[0] : 0.0, dz = move ? move[1] : 0.0, a = move ? move[2] : 0.0;
  const double c = std::cos(a), sn = std::sin(a);
  for (DWQB_NODE *n = Get_DWQB_First_Node(); n; n = n->next) {
    const double y = n->y + dy, z = n->z + dz;
    n->y = c * y - sn * z;
    n->z = sn * y + c * z;
  }
  for (DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next)
    if (l->node_a && l->node_b)
      Set_DWQB_Line_Geometry(l->node_a->y, l->node_a->z, l->node_b->y, l->node_b->z, l->geo.rise, l->t_a, l->t_b,
                             0.001, &l->geo);
  // Results of the old coordinates: the masks, the hook result and the extents.
  Free_DWQB_Plastic_Masks();
  _Drop_Hook_Result();
  double *v = Get_DWQB_Values()->v;
  v[DWQB_V_YMIN] = v[DWQB_V_YMAX] = v[DWQB_V_ZMIN] = v[DWQB_V_ZMAX] = 0.0;
  return 1;
}

int Get_DWQB_Line_Part_Nr(const DWQB_LINE *line) { return line ? line->part_nr : 0; }

// ---------------------------------------------------------------- summary

static_assert(sizeof(DWQB_SUMMARY) == 2 * sizeof(int) + 86 * sizeof(double), "two words and 86 values");

int Get_DWQB_Querschnitt_Summary(DWQB_SUMMARY *record) {
  if (!record) return 0;
  *record = DWQB_SUMMARY{};
  const DwqbState &g = Dwqb_State();
  const DWQB_PART *root = g.root;
  if (!root) return 0;
  DWQB_SUMMARY &m = *record;
  const double *R = root->values, *B = g.shear_centre;
  const DWQB_SECTION_RESULT &W = g.section_result;
  const double *V = Get_DWQB_Values()->v;
  m.n_lines = g.line_group ? g.line_group->count : 0;
  m.n_parts = root->count;

  m.y_min = R[10];
  m.y_max = R[11];
  m.z_min = R[12];
  m.z_max = R[13];
  m.u_min = W.u_min;
  m.u_max = W.u_max;
  m.v_min = W.v_min;
  m.v_max = W.v_max;
  m.width_y = m.y_max - m.y_min;
  m.width_z = m.z_max - m.z_min;
  m.width_u = m.u_max - m.u_min;
  m.width_v = m.v_max - m.v_min;
  m.t_min = W.t_min;
  m.t_max = W.t_max;
  m.U_outer = R[48];
  m.U_inner = R[49];
  m.U = R[48] + R[49];

  m.A = W.A;
  m.y_s = W.y_s;
  m.z_s = W.z_s;
  m.alpha = W.alpha;
  m.S_y = W.int_y;
  m.S_z = W.int_z;
  m.I_zz0 = W.int_zz;
  m.I_yy0 = W.int_yy;
  m.I_yz0 = W.int_yz;

  // Radius of gyration of a moment about the section's area.
  const double A = W.A;
  auto radius = [A](double I) { return std::fabs(A) > 0.001 ? std::sqrt(std::fabs(I / A)) : 0.0; };
  m.I_y = W.I_y;
  m.I_z = W.I_z;
  m.I_yz = W.I_yz;
  m.i_y = radius(m.I_y);
  m.i_z = radius(m.I_z);
  m.i_yz = radius(m.I_yz);
  m.W_y_zmin = std::fabs(W.W_y_min);
  m.W_y_zmax = std::fabs(W.W_y_max);
  m.W_z_ymin = std::fabs(W.W_z_min);
  m.W_z_ymax = std::fabs(W.W_z_max);
  m.W_y = std::fmin(m.W_y_zmin, m.W_y_zmax);
  m.W_z = std::fmin(m.W_z_ymin, m.W_z_ymax);

  m.I_1 = W.I_1;
  m.I_2 = W.I_2;
  m.I_p = W.I_1 + W.I_2;
  m.i_1 = radius(m.I_1);
  m.i_2 = radius(m.I_2);
  m.i_p = radius(m.I_p);
  m.W_1_vmin = std::fabs(W.W_1_vmin);
  m.W_1_vmax = std::fabs(W.W_1_vmax);
  m.W_2_umin = std::fabs(W.W_2_umin);
  m.W_2_umax = std::fabs(W.W_2_umax);
  m.W_1 = std::fmin(m.W_1_vmin, m.W_1_vmax);
  m.W_2 = std::fmin(m.W_2_umin, m.W_2_umax);

  m.y_M = B[0];
  m.z_M = B[1];
  m.y_M_s = B[0] - W.y_s;
  m.z_M_s = B[1] - W.z_s;
  m.omega_min = B[2];
  m.omega_max = B[3];
  m.I_w = B[4];
  m.I_w_centroid = B[5];
  m.I_omega_z = B[6];
  m.I_omega_y = B[7];
  m.warping_ratio = B[8];

  m.I_T = R[45] + R[46];
  m.I_T_open = R[45];
  m.I_T_cells = R[46];

  m.torsion_fillets = R[47];
  m.shear_1 = R[41];
  m.shear_2 = R[42];
  m.shear_3 = R[43];
  m.W_y_unsym_min = W.W_y_unsym_min;
  m.W_y_unsym_max = W.W_y_unsym_max;
  m.W_z_unsym_min = W.W_z_unsym_min;
  m.W_z_unsym_max = W.W_z_unsym_max;
  m.r_u = W.r_u;
  m.r_v = W.r_v;
  m.q_T_min = V[DWQB_V_TFLOW_MIN];
  m.q_T_max = V[DWQB_V_TFLOW_MAX];
  m.q_min = V[DWQB_V_Q_MIN];
  m.q_max = V[DWQB_V_Q_MAX];
  m.tau_min = V[DWQB_V_TAU_MIN];
  m.tau_max = V[DWQB_V_TAU_MAX];
  m.shear_y = V[DWQB_V_SHEAR_Y];
  m.shear_z = V[DWQB_V_SHEAR_Z];
  m.n_cells = root->n_cells;
  m.A_centre_line = R[18];

  // Wagner values: the third-moment ratios less twice the shear centre's principal
  // coordinates about the centroid.
  const double c = std::cos(W.alpha), sn = std::sin(W.alpha);
  const double u_M = c * m.y_M_s + sn * m.z_M_s, v_M = c * m.z_M_s - sn * m.y_M_s;
  m.wagner_1 = W.r_v - 2.0 * v_M;
  m.wagner_2 = W.r_u - 2.0 * u_M;
  return 1;
}
