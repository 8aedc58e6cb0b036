// stress/tsg.cpp — the stress-point tree: leaf counts, leaf search, and the elastic shear
// results of every point with the largest utilisation and the equilibrium residuals.
#include <cmath>
#include <cstring>

#include "stress/stress.h"
#include "support/support.h"

namespace {
constexpr double kSqrt3 = 1.7320508075688772;
}

int Calc_Stress_Point_Stresses(const double *F, const TSG_POINT *point, double f_y, STRESS_POINT_RESULT *out) {
  if (!F || !point || !out) return 0;
  std::memset(out, 0, sizeof *out);
  out->line_nr = point->line_nr;
  out->part_nr = point->part_nr;
  out->y = point->y;
  out->z = point->z;
  out->angle = point->angle;
  const double V1 = F[1], V2 = F[2], T = F[3], Tw = F[6];
  const double *f = point->force;
  out->F_y = f[0] * V1 + f[1] * V2 + f[4] * Tw + point->torsion_y * T;
  out->F_z = f[5] * Tw + point->torsion_z * T + f[2] * V1 + f[3] * V2;
  out->T = point->share * T;
  const double t = 0.5 * point->thick * std::fabs(out->T);
  const double a = point->inv_area[0] * out->F_y, b = point->inv_area[1] * out->F_z;
  out->tau = t + std::sqrt(a * a + b * b + t * t);
  if (f_y != 0.0) out->u = kSqrt3 * out->tau / f_y;
  return 1;
}

int Calc_TSG_Point_Stresses(const double *F, const TSG_POINT *point, double f_y, STRESS_POINT_RESULT *out) {
  return Calc_Stress_Point_Stresses(F, point, f_y, out);
}

int Count_TSG_Leaves(const TSG_POINT_LIST *children) {
  if (!children || children->count < 2) return 1;
  int n = 0;
  for (int i = 0; i < children->count; ++i) n += Count_TSG_Leaves(children->records[i].children);
  return n;
}

int Count_TSG_Points(const TSG_POINT_LIST *list, int leaves) {
  if (!list) return 0;
  if (!leaves) return list->count;
  int n = 0;
  for (int i = 0; i < list->count; ++i) n += Count_TSG_Leaves(list->records[i].children);
  return n;
}

TSG_POINT *Find_TSG_Leaf(TSG_POINT *point, int n, int *before) {
  if (before) *before = 0;
  if (!point || !point->children || point->children->count < 2 || n < 0) return point;
  int preceding = 0;
  for (int i = 0; i < point->children->count; ++i) {
    TSG_POINT *child = &point->children->records[i];
    const int k = Count_TSG_Leaves(child->children);
    if (n < preceding + k) {
      int inner = 0;
      TSG_POINT *leaf = Find_TSG_Leaf(child, n - preceding, &inner);
      if (before) *before = preceding + inner;
      return leaf;
    }
    preceding += k;
  }
  return point;
}

int Find_TSG_Point_Index(const TSG_POINT_LIST *list, int number, int leaves, int *position) {
  if (position) *position = -1;
  if (!list || number < 0) return -1;
  if (!leaves) return number < list->count ? number : -1;
  int first = 0;
  for (int i = 0; i < list->count; ++i) {
    const TSG_POINT_LIST *children = list->records[i].children;
    const int k = Count_TSG_Leaves(children);
    if (number < first + k) {
      if (position && children && children->count >= 2) *position = number - first;
      return i;
    }
    first += k;
  }
  return -1;
}

TSG_POINT *Find_TSG_Point(const TSG_POINT_LIST *list, int number, int leaves) {
  int position = -1;
  const int i = Find_TSG_Point_Index(list, number, leaves, &position);
  if (i < 0) return nullptr;
  TSG_POINT *top = &list->records[i];
  return position < 0 ? top : Find_TSG_Leaf(top, position, nullptr);
}

int Build_TSG_Stress_Results(const double *F, const TSG_POINT_SET *set, double f_y, TSG_RESULTS **holder,
                             int minimum, int leaves) {
  if (!holder || !F || !set) return 0;
  // The set's head has the layout of a point list: records and count.
  const TSG_POINT_LIST list{set->records, set->count, set->capacity};
  const int n = Count_TSG_Points(&list, leaves);
  const int capacity = n > minimum ? n : minimum;
  TSG_RESULTS *r = *holder;
  if (!r || r->capacity < capacity) {
    Free_TSG_Stress_Results(r);
    r = static_cast<TSG_RESULTS *>(
        Mem_Malloc("tsg", 114, "null", sizeof(TSG_RESULTS) + sizeof(STRESS_POINT_RESULT) * capacity));
    *holder = r;
    if (!r) return 0;
    r->capacity = capacity;
  }
  r->items = reinterpret_cast<STRESS_POINT_RESULT *>(r + 1);
  r->count = n;
  r->status = set->status;
  r->u_max = 0.0;
  r->kept = 0.0;
  r->R_y = -F[1];
  r->R_z = -F[2];
  r->R_T = -(F[3] + F[6]);
  for (int i = 0; i < n; ++i) {
    const TSG_POINT *p = Find_TSG_Point(&list, i, leaves);
    if (!p) return 0;
    STRESS_POINT_RESULT &item = r->items[i];
    Calc_Stress_Point_Stresses(F, p, f_y, &item);
    if (item.u > r->u_max) r->u_max = item.u;
    r->R_y += item.F_y;
    r->R_z += item.F_z;
    r->R_T += item.F_z * (item.y - set->y_0) + item.T - item.F_y * (item.z - set->z_0);
  }
  return 1;
}

void Free_TSG_Stress_Results(TSG_RESULTS *results) {
  if (results) Mem_Free("tsg", 160, "null", results);
}
