// Stress points of the plastic analysis with shear: one record per wall line with its
// place, direction, area and resultants in the unit load cases, arcs split into children;
// the set is normalised so that the two shear cases carry exactly unit forces.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>

#include "dwqb/stress_internal.h"
#include "support/support.h"

static_assert(sizeof(DWQB_STRESS_POINT) == 21 * sizeof(double), "stress-point record of 21 doubles");

int Compare_DWQB_Int(const void *a, const void *b) {
  const int x = *static_cast<const int *>(a), y = *static_cast<const int *>(b);
  return (x > y) - (x < y);
}

void Sum_DWQB_Stress_Point_Resultant(double *S, double *weight, const DWQB_STRESS_POINT *p, double y0, double z0) {
  if (!S || !p) return;
  if (p->children && p->children->count > 0) {
    for (int i = 0; i < p->children->count; ++i)
      Sum_DWQB_Stress_Point_Resultant(S, weight, &p->children->records[i], y0, z0);
    return;
  }
  const double *f = p->force, dy = p->y - y0, dz = p->z - z0;
  S[0] += f[0];
  S[1] += f[1];
  S[4] += f[2];
  S[5] += f[3];
  S[8] += f[2] * dy - f[0] * dz;
  S[9] += f[3] * dy - f[1] * dz;
  S[2] += f[4];
  S[6] += f[5];
  S[10] += f[5] * dy - f[4] * dz;
  S[3] += p->torsion_y;
  S[7] += p->torsion_z;
  S[11] += p->share + p->torsion_z * dy - p->torsion_y * dz;
  if (weight) *weight += p->area;
}

// The case forces of a record and, depth first, of its children grow by (a, b, c, d)
// times the record's area.
static void _Add_Stress_Point_Offsets(DWQB_STRESS_POINT *p, double a, double b, double c, double d) {
  p->force[0] += a * p->area;
  p->force[1] += b * p->area;
  p->force[2] += c * p->area;
  p->force[3] += d * p->area;
  if (p->children)
    for (int i = 0; i < p->children->count; ++i) _Add_Stress_Point_Offsets(&p->children->records[i], a, b, c, d);
}

void Free_DWQB_Stress_Point_Children(DWQB_STRESS_POINT *p) {
  if (!p || !p->children) return;
  for (int i = 0; i < p->children->count; ++i) Free_DWQB_Stress_Point_Children(&p->children->records[i]);
  MEM_FREE(p->children);
  p->children = nullptr;
}

// Resultants ∫q dy, ∫q dz of the secondary (warping) flow of a line.
static void _Warping_Forces(const DWQB_LINE *L, const DWQB_LINE_RESULT *r, double *fy, double *fz) {
  *fy = *fz = 0.0;
  Dwqb_Gauss_Line(L, [&](double s, double w) {
    double dy, dz;
    Get_DWQB_Line_Geometry_Tangent(s, 0.0, &L->geo, &dy, &dz);
    const double q = Dwqb_Six_Point(r->q4, s);
    *fy += w * q * dy;
    *fz += w * q * dz;
  });
}

// Ordinate about the shear centre at s.
static double _Omega_M_At(DWQB_LINE *L, double s) {
  double o[5] = {0, 0, 0, 0, 0};
  Get_DWQB_Line_Warping_Values(L, 2, o, s, 0.0, 0.0, 0);
  return o[0];
}

int Set_DWQB_Line_Stress_Point(DWQB_LINE *L, DWQB_STRESS_POINT *p) {
  DWQB_PART *E = L ? L->element : nullptr;
  DWQB_LINE_RESULT *r = Dwqb_Line_Result(E);
  if (!r) return 0;
  const DwqbState &g = Dwqb_State();
  const double *v = E->values, *sc = g.shear_centre;
  const DWQB_PART *root = g.root;
  p->line_nr = L->nr;
  p->part_nr = L->part_nr;
  // Centroid of the line's own area (outline), of its centre line when that has none.
  if (v[0] > 0.0) {
    p->y = v[1] / v[0];
    p->z = v[2] / v[0];
  } else if (v[18] > 0.0) {
    p->y = v[19] / v[18];
    p->z = v[20] / v[18];
  }
  p->angle = L->geo.angle;
  // Case 1 is the unit force along axis 1 (the flow q2 of the result block), case 2 along
  // axis 2 (q1), so that the y and z forces pair with V_y and V_z.
  p->force[0] = r->force[1];
  p->force[1] = r->force[0];
  p->force[2] = r->force[3];
  p->force[3] = r->force[2];
  _Warping_Forces(L, r, &p->force[4], &p->force[5]);
  const double IT = root ? root->values[45] + root->values[46] : 0.0;
  p->share = IT > 0.0 ? v[45] / IT : 0.0;
  const double len = L->geo.length;
  p->torsion_y = r->q_torsion * L->geo.cos * len;
  p->torsion_z = r->q_torsion * L->geo.sin * len;
  p->area = v[0] > 0.0 ? v[0] : v[18];
  p->inv_area[0] = p->inv_area[1] = p->area != 0.0 ? 1.0 / p->area : 0.0;
  // Face stress of the line's St. Venant share: thick x share x T = T t_max / I_T.
  p->thick = v[45] != 0.0 ? v[15] / v[45] : 0.0;
  if (v[18] > 0.0) {
    const double *R = root ? root->values : nullptr;
    double om = v[28] / v[18];
    if (R && R[18] > 0.0)
      om += (v[19] / v[18] - R[19] / R[18]) * sc[1] + (R[20] / R[18] - v[20] / v[18]) * sc[0];
    p->omega = om;
  }
  p->length = len;
  p->area_per_length = len != 0.0 ? p->area / len : 0.0;

  // Arcs: k = round(16 |half angle| / pi) equal pieces when k > 1.
  const int k = static_cast<int>(std::fabs(L->geo.half_angle) * 16.0 / std::numbers::pi + 0.5);
  if (L->geo.n_seg < 1 || k < 2) return 1;
  const std::size_t bytes = sizeof(DWQB_STRESS_POINT_LIST) + static_cast<std::size_t>(k) * sizeof(DWQB_STRESS_POINT);
  auto *list = static_cast<DWQB_STRESS_POINT_LIST *>(MEM_CALLOC(1, bytes));
  if (!list) return 1;  // the record stands for the whole arc
  list->records = reinterpret_cast<DWQB_STRESS_POINT *>(list + 1);
  list->count = list->capacity = k;
  p->children = list;
  double A0, Sy0, Sz0;
  Calc_DWQB_Line_Integrals(L, -1.0, &A0, &Sy0, &Sz0, nullptr, nullptr, nullptr);
  for (int j = 0; j < k; ++j) {
    DWQB_STRESS_POINT &c = list->records[j];
    const double s1 = -1.0 + 2.0 * (j + 1) / k, sm = -1.0 + (2.0 * j + 1.0) / k;
    double A1, Sy1, Sz1;
    Calc_DWQB_Line_Integrals(L, s1, &A1, &Sy1, &Sz1, nullptr, nullptr, nullptr);
    c = *p;
    c.children = nullptr;
    if (A1 - A0 > 0.0) {
      c.y = (Sy1 - Sy0) / (A1 - A0);
      c.z = (Sz1 - Sz0) / (A1 - A0);
    }
    A0 = A1;
    Sy0 = Sy1;
    Sz0 = Sz1;
    c.angle = L->geo.angle - L->geo.half_angle * sm;
    c.omega = _Omega_M_At(L, sm);
    for (double &f : c.force) f /= k;
    c.share /= k;
    c.torsion_y /= k;
    c.torsion_z /= k;
    c.area /= k;
    c.inv_area[0] = c.inv_area[1] = c.area != 0.0 ? 1.0 / c.area : 0.0;
    c.length /= k;
  }
  return 1;
}

int Get_DWQB_Line_Stress_Point(DWQB_LINE *L, DWQB_STRESS_POINT *p) {
  if (!L || !p) return 0;
  std::memset(p, 0, sizeof *p);
  return Set_DWQB_Line_Stress_Point(L, p);
}

namespace {
struct Collector {
  DWQB_STRESS_POINT_SET *set;
};
}  // namespace

int Count_Set_Entries(DWQB_SHEAR_ENTRY *e, void *ctx) {
  if (e && e->line && ctx) ++*static_cast<int *>(ctx);
  return 1;
}

static int _Add_Stress_Point_Step(DWQB_SHEAR_ENTRY *e, void *ctx) {
  auto *c = static_cast<Collector *>(ctx);
  if (!e || !c || !e->line) return 1;
  DWQB_STRESS_POINT_SET *set = c->set;
  if (!set->records || set->count >= set->capacity) return 0;
  DWQB_STRESS_POINT *p = &set->records[set->count];
  if (!Get_DWQB_Line_Stress_Point(e->line, p)) return 0;
  ++set->count;
  return 1;
}

static void _Release_Records(DWQB_STRESS_POINT_SET *set) {
  for (int i = 0; i < set->count; ++i) Free_DWQB_Stress_Point_Children(&set->records[i]);
  set->count = 0;
}

void Free_DWQB_Stress_Points(DWQB_STRESS_POINT_SET *set) {
  if (!set) return;
  _Release_Records(set);
  MEM_FREE(set);
}

int Sort_DWQB_Stress_Points(DWQB_STRESS_POINT_SET *set) {
  if (!set) return 0;
  if (set->count >= 2)
    std::qsort(set->records, static_cast<std::size_t>(set->count), sizeof(DWQB_STRESS_POINT), Compare_DWQB_Int);
  return set->count;
}

static void _Sum_Set(DWQB_STRESS_POINT_SET *set) {
  std::memset(set->sums, 0, sizeof set->sums);
  for (int i = 0; i < set->count; ++i)
    Sum_DWQB_Stress_Point_Resultant(set->sums, &set->sums[12], &set->records[i], set->y_0, set->z_0);
}

int Build_DWQB_Stress_Points(DWQB_STRESS_POINT_SET **holder, int minimum) {
  const DwqbState &g = Dwqb_State();
  if (!holder || !g.root || g.root->values[18] <= 0.0) return 0;
  int lines = 0;
  DWQB_WALK_STEPS count{};
  count.entry_step = Count_Set_Entries;
  count.entry_ctx = &lines;
  Walk_DWQB_Part_Tree(&count);
  const int n = std::max(lines, minimum);
  DWQB_STRESS_POINT_SET *set = *holder;
  if (set) _Release_Records(set);
  if (!set || set->capacity < n) {
    MEM_FREE(set);
    const std::size_t bytes = sizeof(DWQB_STRESS_POINT_SET) + static_cast<std::size_t>(n) * sizeof(DWQB_STRESS_POINT);
    set = static_cast<DWQB_STRESS_POINT_SET *>(MEM_CALLOC(1, bytes));
    *holder = set;
    if (!set) return 0;
    set->capacity = n;
    set->records = reinterpret_cast<DWQB_STRESS_POINT *>(set + 1);
  }
  set->count = 0;
  Collector c{set};
  DWQB_WALK_STEPS fill{};
  fill.entry_step = _Add_Stress_Point_Step;
  fill.entry_ctx = &c;
  if (!Walk_DWQB_Part_Tree(&fill)) return 0;
  set->status = static_cast<int>(g.header.options);
  set->y_0 = g.shear_centre[0];
  set->z_0 = g.shear_centre[1];
  _Sum_Set(set);
  // Unit forces along the principal axes of the centre-line model: case 1 along axis 1
  // (y, z parts cos a, sin a), case 2 along axis 2 (-sin a, cos a). Fields [4] [5] [6] [7]
  // are case 1 y, case 2 y, case 1 z, case 2 z.
  const double w = set->sums[12], a = g.centre_line[11];
  const double target[4] = {std::cos(a), -std::sin(a), std::sin(a), std::cos(a)};
  const double got[4] = {set->sums[0], set->sums[1], set->sums[4], set->sums[5]};
  double d[4];
  bool off = false;
  for (int k = 0; k < 4; ++k) {
    d[k] = target[k] - got[k];
    off = off || std::fabs(d[k]) > 1e-5;
  }
  if (w > 0.0 && off) {
    for (int i = 0; i < set->count; ++i)
      _Add_Stress_Point_Offsets(&set->records[i], d[0] / w, d[1] / w, d[2] / w, d[3] / w);
    _Sum_Set(set);
  }
  return 1;
}
