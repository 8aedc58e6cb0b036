// Output point tables of the listed lines for the section catalogue: eleven stations per
// line with three points each (centre line, left face, right face) and their unit values,
// and the per-line table of plate end codes.
#include <cmath>
#include <cstring>
#include <type_traits>

#include "dwqb/stress_internal.h"
#include "support/support.h"

// Grows the tables to n lines (never shrinks).
static void _Grow_Tables(DWQB_OUTPUT_TABLES &T, int n) {
  if (n <= T.cap_lines) return;
  auto grow = [&](auto *&p, int per_line) {
    using E = std::remove_reference_t<decltype(*p)>;
    const auto old = static_cast<std::size_t>(T.cap_lines * per_line), now = static_cast<std::size_t>(n * per_line);
    p = static_cast<E *>(Tools_Alloc(p, now * sizeof(E), 0));
    std::memset(p + old, 0, (now - old) * sizeof(E));
  };
  grow(T.omega_a, 1);
  grow(T.omega_b, 1);
  grow(T.t_m, 1);
  grow(T.kind, 1);
  grow(T.ratio, 1);
  grow(T.code_a, 1);
  grow(T.code_b, 1);
  grow(T.value_a, 1);
  grow(T.value_b, 1);
  grow(T.q_vy, 11);
  grow(T.q_vz, 11);
  grow(T.q_w, 11);
  for (double *&p : T.point) grow(p, 33);
  T.cap_lines = n;
}

void _Free_DWQB_Output_Tables(DWQB_OUTPUT_TABLES &T) {
  for (double **p : {&T.omega_a, &T.omega_b, &T.t_m, &T.ratio, &T.value_a, &T.value_b, &T.q_vy, &T.q_vz, &T.q_w})
    Tools_Free(p);
  for (int **p : {&T.kind, &T.code_a, &T.code_b}) Tools_Free(p);
  for (double *&p : T.point) Tools_Free(&p);
  std::memset(&T, 0, sizeof T);
}

const DWQB_OUTPUT_TABLES *Get_DWQB_Output_Tables() { return &Dwqb_Stress_State().tables; }

// Direct mode: the line records by number, each wall its chord with t_m; stations at
// k/10 from node a, points centre, left face, right face (±t/2 along the left normal);
// unit values from the lines' 11-point arrays and the section values.
static int _Direct_Output_Points(DWQB_OUTPUT_TABLES &T, const DWQB_HEADER *h, int n) {
  const DwqbState &g = Dwqb_State();
  const double *v = g.values.v;
  T.alpha = v[DWQB_V_ALPHA];
  T.y_s = v[DWQB_V_YS];
  T.z_s = v[DWQB_V_ZS];
  T.I_1 = v[DWQB_V_I1];
  T.I_2 = v[DWQB_V_I2];
  T.cos_alpha = std::cos(T.alpha);
  T.sin_alpha = std::sin(T.alpha);
  auto inv = [](double x) { return x != 0.0 ? 1.0 / x : 0.0; };
  const double inv_A = inv(v[DWQB_V_A]), inv_I1 = inv(T.I_1), inv_I2 = inv(T.I_2);
  const double IT = (g.run_options & DWQB_OPT_PRESET_IT) && g.presets[10] > 0.0 ? g.presets[10] : v[DWQB_V_IT];
  for (int i = 0; i < n; ++i) {
    const DWQB_LINE *L = Find_DWQB_Line_Record(h->listed_lines[i].nr);
    if (!L) return 10;
    const double ya = L->node_a->y, za = L->node_a->z, dy = L->node_b->y - ya, dz = L->node_b->z - za;
    const double len = std::sqrt(dy * dy + dz * dz), t = L->t_m, inv_t = inv(t);
    const double ny = len > 0.0 ? -dz / len * t / 2.0 : 0.0, nz = len > 0.0 ? dy / len * t / 2.0 : 0.0;
    T.t_m[i] = t;
    T.omega_a[i] = L->omega_a;
    T.omega_b[i] = L->omega_b;
    const double kT = IT != 0.0 ? t / IT : 0.0;
    for (int k = 0; k <= 10; ++k) {
      const int station = 11 * i + k;
      const double x = k / 10.0, yc = ya + x * dy, zc = za + x * dz;
      T.q_vy[station] = -L->Q2[k];
      T.q_vz[station] = -L->Q1[k];
      T.q_w[station] = -L->Q_omega[k];
      const double P[3][2] = {{yc, zc}, {yc + ny, zc + nz}, {yc - ny, zc - nz}};
      const double c_T = L->q_torsion * inv_t, tau_T[3] = {c_T, c_T - kT, c_T + kT};
      for (int j = 0; j < 3; ++j) {
        const int pt = 3 * station + j;
        const double ry = P[j][0] - T.y_s, rz = P[j][1] - T.z_s;
        const double u = T.cos_alpha * ry + T.sin_alpha * rz, w = T.cos_alpha * rz - T.sin_alpha * ry;
        T.point[DWQB_OP_Y][pt] = P[j][0];
        T.point[DWQB_OP_Z][pt] = P[j][1];
        T.point[DWQB_OP_INV_A][pt] = inv_A;
        T.point[DWQB_OP_C1][pt] = w * inv_I1;
        T.point[DWQB_OP_C2][pt] = -u * inv_I2;
        T.point[DWQB_OP_TAU_VY][pt] = -L->Q2[k] * inv_t;
        T.point[DWQB_OP_TAU_VZ][pt] = -L->Q1[k] * inv_t;
        T.point[DWQB_OP_TAU_T][pt] = tau_T[j];
        T.point[DWQB_OP_OMEGA][pt] = L->omega_a + x * (L->omega_b - L->omega_a);
        T.point[DWQB_OP_INV_T][pt] = inv_t;
      }
    }
  }
  return 0;
}

int Calc_DWQB_Output_Points() {
  DwqbStressState &st = Dwqb_Stress_State();
  const DwqbState &g = Dwqb_State();
  const DWQB_HEADER *h = Get_DWQB_Header();
  const int n = h->n_listed_lines;
  if (n < 1) return 0;
  if (!Get_DWQB_First_Line()) return 10;
  DWQB_OUTPUT_TABLES &T = st.tables;
  _Grow_Tables(T, n);
  T.n_lines = n;
  T.n_stations = 11 * n;
  T.n_points = 33 * n;
  if (!g.part_mode) return _Direct_Output_Points(T, h, n);
  const DWQB_SECTION_RESULT &R = g.section_result;
  T.alpha = R.alpha;
  T.y_s = R.y_s;
  T.z_s = R.z_s;
  T.I_1 = R.I_1;
  T.I_2 = R.I_2;
  T.cos_alpha = std::cos(R.alpha);
  T.sin_alpha = std::sin(R.alpha);
  const double IT_preset = (g.run_options & DWQB_OPT_PRESET_IT) && g.presets[10] > 0.0 ? g.presets[10] : 0.0;
  for (int i = 0; i < n; ++i) {
    DWQB_LINE *L = Dwqb_Cached_Line(&st.out_nr, &st.out_line, h->listed_lines[i].nr);
    if (!L) return 10;
    const bool normal = !(L->element && L->element->kind == DWQB_PART_LINE_CL);
    T.t_m[i] = L->t_m;
    for (int k = 0; k <= 10; ++k) {
      const double s = 0.2 * k - 1.0;
      const int station = 11 * i + k;
      double P[3][2];
      Calc_Line_Point(&L->geo, s, &P[0][0], &P[0][1]);
      Get_DWQB_Line_Face_Points(L, s, &P[2][0], &P[2][1], &P[1][0], &P[1][1]);
      double q[5] = {0, 0, 0, 0, 0}, sv[5] = {0, 0, 0, 0, 0}, w[5] = {0, 0, 0, 0, 0};
      Get_DWQB_Line_Shear_Values(L, 0, q, s, 0.0, 0);
      Get_DWQB_Line_Shear_Values(L, 0, sv, s, 0.0, 1);
      Get_DWQB_Line_Warping_Values(L, 2, w, s, 0.0, 0.0, 0);
      T.q_vy[station] = q[1];
      T.q_vz[station] = q[0];
      T.q_w[station] = w[3];
      const double t = sv[4] != 0.0 ? 1.0 / sv[4] : 0.0;
      const double kT = IT_preset > 0.0 ? t / IT_preset : sv[3];
      const double tau_T[3] = {sv[2], sv[2] - kT, sv[2] + kT};
      for (int j = 0; j < 3; ++j) {
        const int pt = 3 * station + j;
        double c[3] = {0, 0, 0};
        if (normal) Calc_Point_Unit_Stresses(c, P[j][0], P[j][1]);
        T.point[DWQB_OP_Y][pt] = P[j][0];
        T.point[DWQB_OP_Z][pt] = P[j][1];
        T.point[DWQB_OP_INV_A][pt] = c[0];
        T.point[DWQB_OP_C1][pt] = c[1];
        T.point[DWQB_OP_C2][pt] = c[2];
        T.point[DWQB_OP_TAU_VY][pt] = sv[1];
        T.point[DWQB_OP_TAU_VZ][pt] = sv[0];
        T.point[DWQB_OP_TAU_T][pt] = tau_T[j];
        T.point[DWQB_OP_OMEGA][pt] = w[0];
        T.point[DWQB_OP_INV_T][pt] = sv[4];
      }
      if (k == 0) T.omega_a[i] = L->omega_a = w[0];
      if (k == 10) T.omega_b[i] = L->omega_b = w[0];
    }
  }
  return 0;
}

int Set_DWQB_Output_Line_Table() {
  DWQB_OUTPUT_TABLES &T = Dwqb_Stress_State().tables;
  const DWQB_HEADER *h = Get_DWQB_Header();
  const int n = h->n_listed_lines;
  if (n < 1) return 0;
  if (!Get_DWQB_First_Line()) return 11;
  _Grow_Tables(T, n);
  for (int i = 0; i < n; ++i) {
    T.value_a[i] = T.value_b[i] = 0.0;
    T.kind[i] = -2;
    const DWQB_LINE *L = nullptr;
    for (L = Get_DWQB_First_Line(); L && L->nr != h->listed_lines[i].nr; L = L->next) {
    }
    if (!L) return 11;
    static const int kKind[4] = {-2, 1, 0, 2};
    if (L->plate_support < 1 || L->plate_support > 3) continue;
    T.kind[i] = kKind[L->plate_support];
    T.ratio[i] = L->plate_t != 0.0 ? std::fabs(L->plate_b / L->plate_t) : 0.0;
    T.code_a[i] = L->plate_first * 33 + (L->plate_rev_start == 1 ? 30 : 0);
    T.value_a[i] = L->cut_start;
    T.code_b[i] = L->plate_last * 33 + (L->plate_rev_end == 1 ? 30 : 0);
    T.value_b[i] = L->cut_end;
  }
  return 0;
}

int Get_DWQB_Line_Output_Words(int nr, int *kind, int *code_a, int *flag_a, double *value_a, int *code_b, int *flag_b,
                               double *value_b, double *double_2, double *double_1) {
  const DWQB_LINE *L = Find_DWQB_Line_Record(nr);
  if (!L) return 0;
  if (kind) *kind = L->plate_support;
  if (code_a) *code_a = L->plate_first;
  if (flag_a) *flag_a = L->plate_rev_start;
  if (value_a) *value_a = L->cut_start;
  if (code_b) *code_b = L->plate_last;
  if (flag_b) *flag_b = L->plate_rev_end;
  if (value_b) *value_b = L->cut_end;
  if (double_2) *double_2 = L->plate_b;
  if (double_1) *double_1 = L->plate_t;
  return 1;
}
