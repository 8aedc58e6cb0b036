// stress/stress.h — stress analysis on the solver's section model: the stress-point tree
// (module tsg) and the elastic shear result of one stress point.
//
// The points are the solver's stress points of its current section (Build_DWQB_Stress_Points,
// dwqb/dwqb_stress.h). A point with two or more children stands for them; a point without
// children, or with only one, is a leaf itself. Leaves are numbered from 0 depth-first:
// points in list order, below a point its children in list order.
//
// Units: the solver's (cm, kN, kNcm); stresses and f_y in kN/cm². Section forces are eight
// doubles in the order N, V_1, V_2, M_xp (St Venant torque), M_1, M_2, M_xs (warping torque),
// B; only the shear forces and the two torques enter. V_1, V_2 act along the principal axes
// (the solver scales the case forces of the stress points to unit forces along them).
//
// Residuals: R_y = -V_1 + Σ F_y and R_z = -V_2 + Σ F_z with F_y, F_z the points' forces
// along y and z; R_T = -(M_xp + M_xs) + Σ (F_z (y - y_r) + T - F_y (z - z_r)) about the set's
// reference point (the shear centre). For a section whose principal axes lie along y and z
// (alpha = 0) they are residuals of equilibrium and vanish for a complete set of points; for
// alpha ≠ 0 R_y and R_z compare principal forces with sums along y and z.
//
// No module state.
#pragma once

#include <cstdint>

#include "dwqb/dwqb_stress.h"

using TSG_POINT = DWQB_STRESS_POINT;
using TSG_POINT_LIST = DWQB_STRESS_POINT_LIST;
using TSG_POINT_SET = DWQB_STRESS_POINT_SET;

// Result of one stress point (nine words).
struct STRESS_POINT_RESULT {
  int32_t line_nr, part_nr;  // copied from the point
  double y, z, angle;        // copied: the point (cm) and its line's direction (rad)
  double F_y, F_z;           // the point's shear forces along y and z (kN)
  double T;                  // its share of the St Venant torque (kNcm)
  double tau;                // shear stress (kN/cm²)
  double u;                  // utilisation √3 τ / f_y (0 for f_y = 0)
};

// Elastic shear result of one point under the eight forces F (order above):
//   F_y = f[0] V_1 + f[1] V_2 + f[4] M_xs + torsion_y M_xp,
//   F_z = f[2] V_1 + f[3] V_2 + f[5] M_xs + torsion_z M_xp,   T = share M_xp,
//   τ = t + √((F_y/A)² + (F_z/A)² + t²) with t = ½ thick |T|   (f = the point's forces).
// The result is cleared first. 1, or 0 when a pointer is null.
int Calc_Stress_Point_Stresses(const double *F, const TSG_POINT *point, double f_y, STRESS_POINT_RESULT *out);

// Results of a point set: one block (header, then capacity items).
struct TSG_RESULTS {
  STRESS_POINT_RESULT *items;  // right behind the header
  int count, capacity;
  int status;                  // the point set's status word
  double u_max;                // largest item utilisation (0 when none is positive)
  double R_y, R_z;             // residual shear forces (kN)
  double kept;                 // always 0
  double R_T;                  // residual torque (kNcm)
};

// Leaves below a child list: 1 for a null list or one with fewer than two entries.
int Count_TSG_Leaves(const TSG_POINT_LIST *children);
// Points of a list: 0 for null; without leaves the count, with it the sum of the points'
// leaves.
int Count_TSG_Points(const TSG_POINT_LIST *list, int leaves);
// Leaf number n below a point, and the leaves that precede it within the point; the point
// itself with 0 when it has fewer than two children or n lies outside its leaves.
TSG_POINT *Find_TSG_Leaf(TSG_POINT *point, int n, int *before);
// With leaves: the top-level index of the point that holds leaf `number`, and in *position
// the leaf's number within that point (-1 when the leaf is the top point itself). Without:
// number itself as index (0 ≤ number < count), position -1. -1 (position -1) when out of
// range or for a null list. Either out may be null.
int Find_TSG_Point_Index(const TSG_POINT_LIST *list, int number, int leaves, int *position);
// The same search returning the leaf (with leaves) or the point (without); null out of range.
TSG_POINT *Find_TSG_Point(const TSG_POINT_LIST *list, int number, int leaves);

// Results of every leaf (leaves ≠ 0) or every top point of the set under the forces F,
// into *holder: a block whose capacity is at least max(minimum, n) is reused, else replaced.
// 1 on success; 0 for a null holder, for null forces or set (holder unchanged), when memory
// runs out (*holder null) or a point cannot be found (block kept).
int Build_TSG_Stress_Results(const double *F, const TSG_POINT_SET *set, double f_y, TSG_RESULTS **holder,
                             int minimum, int leaves);
void Free_TSG_Stress_Results(TSG_RESULTS *results);  // null ignored
// Second entry of Calc_Stress_Point_Stresses.
int Calc_TSG_Point_Stresses(const double *F, const TSG_POINT *point, double f_y, STRESS_POINT_RESULT *out);
