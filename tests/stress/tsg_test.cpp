// Stress-point tree: leaf numbering of a hand-built tree, and the shear results with their
// equilibrium residuals on hand-built points and on the solver's IPE 300.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "dwqb/dwqb.h"
#include "stress/stress.h"
#include "tests/dwqb/section_models.h"

// Tree: A; B with children B0 (C0, C1, C2) and B1; D with one child. Leaves depth-first:
// 0 A, 1 C0, 2 C1, 3 C2, 4 B1, 5 D (a single child does not split its point).
TEST(StressTsg, LeafCountsAndDepthFirstNumbering) {
  TSG_POINT C[3]{}, B[2]{}, E[1]{}, top[3]{};
  TSG_POINT_LIST c_list{C, 3, 3}, b_list{B, 2, 2}, e_list{E, 1, 1}, list{top, 3, 3};
  const int nrs[] = {10, 11, 12, 20, 21, 40, 1, 2, 3};
  TSG_POINT *all[] = {&C[0], &C[1], &C[2], &B[0], &B[1], &E[0], &top[0], &top[1], &top[2]};
  for (int i = 0; i < 9; ++i) all[i]->line_nr = nrs[i];
  B[0].children = &c_list;
  top[1].children = &b_list;
  top[2].children = &e_list;
  E[0].children = &c_list;  // below a single child: still one leaf
  EXPECT_EQ(Count_TSG_Points(&list, 0), 3);
  EXPECT_EQ(Count_TSG_Points(&list, 1), 6);
  EXPECT_EQ(Count_TSG_Points(nullptr, 1), 0);
  struct Case { int number, leaves, index, position, line_nr; } cases[] = {
      {0, 1, 0, -1, 1}, {1, 1, 1, 0, 10}, {2, 1, 1, 1, 11}, {3, 1, 1, 2, 12}, {4, 1, 1, 3, 21}, {5, 1, 2, -1, 3},
      {6, 1, -1, -1, 0}, {-1, 1, -1, -1, 0}, {1, 0, 1, -1, 2}, {3, 0, -1, -1, 0}};
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.number << " leaves " << c.leaves);
    int position = 7;
    EXPECT_EQ(Find_TSG_Point_Index(&list, c.number, c.leaves, &position), c.index);
    EXPECT_EQ(position, c.position);
    const TSG_POINT *p = Find_TSG_Point(&list, c.number, c.leaves);
    EXPECT_EQ(p ? p->line_nr : 0, c.line_nr);
  }
  int before = -1;
  EXPECT_EQ(Find_TSG_Leaf(&top[1], 3, &before), &B[1]);
  EXPECT_EQ(before, 3);
  EXPECT_EQ(Find_TSG_Leaf(&top[1], 4, &before), &top[1]);  // beyond its leaves
  EXPECT_EQ(before, 0);
}

// Empty set: the residuals are the negated forces. One point at (2, 3) carrying the whole
// V_y: R_y 0, R_T = -V_y z = -30; F_y/A = 10 · 0.5 gives u = √3 · 5 / f_y, and 0 for f_y 0.
// A block large enough is reused.
TEST(StressTsg, ResultsOfHandBuiltSets) {
  const double F[8] = {0, 10, 4, 6, 0, 0, 2, 0}, Fy[8] = {0, 10, 0, 0, 0, 0, 0, 0};
  TSG_POINT p{};
  p.y = 2;
  p.z = 3;
  p.force[0] = 1;
  p.inv_area[0] = p.inv_area[1] = 0.5;
  TSG_POINT_SET set{};
  set.status = 7;
  TSG_RESULTS *r = nullptr;
  ASSERT_EQ(Build_TSG_Stress_Results(F, &set, 23.5, &r, 4, 1), 1);
  EXPECT_EQ(r->count, 0);
  EXPECT_EQ(r->status, 7);
  EXPECT_EQ(r->u_max, 0.0);
  EXPECT_EQ(r->R_y, -10);
  EXPECT_EQ(r->R_z, -4);
  EXPECT_EQ(r->R_T, -8);
  TSG_RESULTS *first = r;
  set.records = &p;
  set.count = set.capacity = 1;
  ASSERT_EQ(Build_TSG_Stress_Results(Fy, &set, 23.5, &r, 0, 1), 1);
  EXPECT_EQ(r, first);
  EXPECT_NEAR(r->R_y, 0.0, 1e-12);
  EXPECT_NEAR(r->R_T, -30.0, 1e-12);
  EXPECT_NEAR(r->u_max, std::sqrt(3.0) * 5.0 / 23.5, 1e-12);
  ASSERT_EQ(Build_TSG_Stress_Results(Fy, &set, 0.0, &r, 0, 1), 1);
  EXPECT_EQ(r->u_max, 0.0);
  // Each force coefficient in its place: F_y = 2 V_1 + 3 V_2 + 11 M_xs + 17 M_xp, F_z = 5 V_1
  // + 7 V_2 + 13 M_xs + 19 M_xp, T = 0.5 M_xp, t = thick/2 |T| = 2.5, areas 4 and 2.
  TSG_POINT q{};
  const double coeff[6] = {2, 3, 5, 7, 11, 13}, G[8] = {0, 1, 10, 100, 0, 0, 1000, 0};
  std::copy(coeff, coeff + 6, q.force);
  q.torsion_y = 17, q.torsion_z = 19, q.share = 0.5, q.thick = 0.1, q.inv_area[0] = 0.25, q.inv_area[1] = 0.5;
  STRESS_POINT_RESULT out;
  ASSERT_EQ(1, Calc_TSG_Point_Stresses(G, &q, 23.5, &out));
  EXPECT_EQ(out.F_y, 12732);
  EXPECT_EQ(out.F_z, 14975);
  EXPECT_EQ(out.T, 50);
  EXPECT_NEAR(out.tau, 2.5 + std::sqrt(3183.0 * 3183 + 7487.5 * 7487.5 + 6.25), 1e-9);
  EXPECT_EQ(Build_TSG_Stress_Results(Fy, nullptr, 23.5, &r, 0, 1), 0);
  EXPECT_EQ(r, first);
  Free_TSG_Stress_Results(r);
}

// The solver's stress points of an IPE 300 are in equilibrium with shear forces and the
// St Venant torque; under torsion alone every wall carries τ = T t / I_T (open sections).
TEST(StressTsg, Ipe300PointsAreInEquilibrium) {
  Reset_DWQB_Module_For_Tests();
  Reset_DWQB_Querschnitt();
  Ipe300_Model(1.5).Build();
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  DWQB_STRESS_POINT_SET *set = nullptr;
  ASSERT_EQ(Build_DWQB_Stress_Points(&set, 0), 1);
  const double IT = Get_DWQB_Values()->v[DWQB_V_IT];
  TSG_RESULTS *r = nullptr;
  const double Fv[8] = {0, 7, 100, 0, 0, 0, 0, 0}, Ft[8] = {0, 0, 0, 50, 0, 0, 0, 0};
  ASSERT_EQ(Build_TSG_Stress_Results(Fv, set, 23.5, &r, 0, 1), 1);
  EXPECT_EQ(r->count, 5);
  EXPECT_LE(std::fabs(r->R_y), 1e-5 * 100);
  EXPECT_LE(std::fabs(r->R_z), 1e-5 * 100);
  EXPECT_LE(std::fabs(r->R_T), 1e-5 * 30 * 100);
  ASSERT_EQ(Build_TSG_Stress_Results(Ft, set, 23.5, &r, 0, 1), 1);
  EXPECT_LE(std::fabs(r->R_T), 1e-5 * 50);
  for (int i = 0; i < r->count; ++i)
    EXPECT_NEAR(r->items[i].tau, 50 * (r->items[i].line_nr == 3 ? 0.71 : 1.07) / IT, 1e-9) << r->items[i].line_nr;
  Free_TSG_Stress_Results(r);
  Free_DWQB_Stress_Points(set);
  Reset_DWQB_Module_For_Tests();
}
