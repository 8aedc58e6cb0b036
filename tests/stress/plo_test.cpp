// Plastic limit state on solver sections, material S235 (f_y 23.5, E 21000 kN/cm²):
// the plastic limits N_pl = f_y A, M_pl = f_y W_pl of a solid rectangle and of IPE 300
// without radii (EN 10365: W_pl,y = 602 cm³ for the three-plate model), the law reaching
// f_y only at its 150 ‰ limit strain (M_lim = 0.99965 f_y t h²/4); shear without normal
// stresses; the state of the mask solver kept over every return.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "analysis/masque.h"
#include "dwqb/dwqb.h"
#include "dwqb/dwqb_plastic.h"
#include "dwqb/dwqb_stress.h"
#include "host/host.h"
#include "print/print.h"
#include "stress/plo_internal.h"
#include "stress/stress.h"
#include "stress/stress_methods.h"

namespace {
const PLO_MATERIAL kSteel{0, 23.5, 21000, 150, 0.001, 1.0, nullptr};

class Plo : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Reset();
    DWQB_Part_Mode_Switch = DWQB_Wall_Terms_Switch = 1;
  }
  void TearDown() override {
    Set_PLO_Fail_Step_For_Tests(0);
    Host_Reset();
  }
  static void Rectangle(double y = 0) {
    Reset_DWQB_Querschnitt();
    Add_DWQB_Node(1, y, 0), Add_DWQB_Node(2, y, 20);
    Add_DWQB_Line_Const_Thickness(1, 1, 2, 10);
    ASSERT_EQ(0, Calc_DWQB_Querschnitt());
  }
  // IPE 300 as three plates on its centre lines (cm).
  static void Ipe300() {
    Reset_DWQB_Querschnitt();
    const double h = 30 - 1.07;
    Add_DWQB_Node(1, -7.5, 0), Add_DWQB_Node(2, 0, 0), Add_DWQB_Node(3, 7.5, 0);
    Add_DWQB_Node(4, -7.5, h), Add_DWQB_Node(5, 0, h), Add_DWQB_Node(6, 7.5, h);
    Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.07), Add_DWQB_Line_Const_Thickness(2, 2, 3, 1.07);
    Add_DWQB_Line_Const_Thickness(3, 2, 5, 0.71);
    Add_DWQB_Line_Const_Thickness(4, 4, 5, 1.07), Add_DWQB_Line_Const_Thickness(5, 5, 6, 1.07);
    ASSERT_EQ(0, Calc_DWQB_Querschnitt());
  }
  static PLO_RESULT Run(std::initializer_list<double> f, int *ret = nullptr, const PLO_MATERIAL &m = kSteel,
                        const PLO_OPTIONS *o = nullptr) {
    double forces[8] = {};
    std::copy(f.begin(), f.end(), forces);
    PLO_RESULT r;
    const int k = Calc_PLO_Grenzzustand(forces, &m, o, &r, nullptr);
    if (ret) *ret = k;
    return r;
  }
};
}  // namespace

TEST_F(Plo, LimitStatesOfRectangleAndI) {
  Rectangle();
  int ok = 0;
  const PLO_RESULT n = Run({-2350}, &ok);
  ASSERT_EQ(ok, 1);
  EXPECT_NEAR(n.U, 0.5, 0.5e-3);
  EXPECT_EQ(n.flags & 0x12000u, 0x12000u);
  // The forces at the limit state: the acting ones over U, about the centroid.
  const PLO_RESULT nm = Run({-1175, 0, 0, 0, 5000});
  EXPECT_NEAR(nm.F[0], -1175 / nm.U, 1e-3 * 1175 / nm.U);
  EXPECT_NEAR(nm.F[4], 5000 / nm.U, 1e-3 * 5000 / nm.U);
  EXPECT_NEAR(nm.F[5], 0, 1e-6);
  EXPECT_NEAR(nm.F[7], 0, 1e-6);
  const PLO_RESULT mz = Run({0, 0, 0, 0, 0, 2000});  // across the wall: M_pl = 23.5 · 20 · 10²/4
  EXPECT_NEAR(mz.U, 2000 / 11750.0, 1e-3);
  EXPECT_NEAR(mz.F[5], 2000 / mz.U, 1e-3 * 2000 / mz.U);
  EXPECT_NEAR(mz.F[4], 0, 1e-6);
  const double U_half = Run({0, 0, 0, 0, 11750}).U;
  EXPECT_NEAR(U_half, 0.50018, 0.5e-3);
  PLO_MATERIAL no_limit = kSteel;
  no_limit.eps_u = 0;  // the default limit strain 150 ‰
  EXPECT_EQ(Run({0, 0, 0, 0, 11750}, nullptr, no_limit).U, U_half);
  // The same rectangle 3 cm beside the origin: the limit forces stay about its centroid.
  Rectangle(3);
  const PLO_RESULT shifted = Run({-1175, 0, 0, 0, 5000});
  EXPECT_NEAR(shifted.U, nm.U, 1e-6);
  EXPECT_NEAR(shifted.F[5], 0, 0.1);  // 3 cm · F[0] and the solver's M_z cancel to 1e-5
  EXPECT_NEAR(shifted.F[4], 5000 / nm.U, 1e-3 * 5000 / nm.U);
  const PLO_RESULT zero = Run({});
  EXPECT_EQ(zero.flags & 0x1003001u, 0x1003001u);
  EXPECT_NEAR(zero.U, 1e-5, 1e-12);
  Ipe300();
  EXPECT_NEAR(Get_DWQB_Values()->v[DWQB_V_A], 51.88, 0.01);
  EXPECT_NEAR(Run({0, 0, 0, 0, 7074.66}).U, 0.50008, 0.5e-3);
}

// The nodes of the outline at the limit state of the rectangle 20 × 10 (wall along z) under
// M_y: the outer fibres at the limit strain ±150 ‰ and ±f_y, no shear; the same over its
// one line and its one part; a line that is not there gives no node.
TEST_F(Plo, NodeResultsAtTheLimitState) {
  Rectangle();
  PLO_RESULT r;
  PLO_POINT_LIST *points = nullptr;
  const double forces[8] = {0, 0, 0, 0, 10000};
  ASSERT_EQ(1, Calc_PLO_Grenzzustand(forces, &kSteel, nullptr, &r, &points));
  DWQB_OUTLINE_TRIANGULATION *tri = Calc_DWQB_OUTLINE_TRIANGULATION(1, 0, 0, 0, 0, 2, 0, 0, nullptr);
  ASSERT_NE(tri, nullptr);
  ASSERT_GT(tri->n_nodes, 0);
  double e_lo, e_hi, lo[3], hi[3];
  for (int by : {0, 1, 2}) {
    SCOPED_TRACE(by);
    const int ok = by == 0 ? Calc_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result_MinMax(tri, &r, points, &e_lo, &e_hi, lo, hi)
                 : by == 1 ? Calc_DWQB_OUTLINE_TRIANGULATION_LINE_NR_PLO_Result_MinMax(tri, 1, &r, points, &e_lo, &e_hi, lo, hi)
                           : Calc_DWQB_OUTLINE_TRIANGULATION_PART_NR_PLO_Result_MinMax(tri, tri->nodes[0].part_nr, &r,
                                                                                        points, &e_lo, &e_hi, lo, hi);
    ASSERT_EQ(ok, 1);
    EXPECT_NEAR(e_hi, 150, 0.5);
    EXPECT_NEAR(e_lo, -150, 0.5);
    EXPECT_NEAR(hi[0], 23.5, 0.01);
    EXPECT_NEAR(lo[0], -23.5, 0.01);
    EXPECT_NEAR(hi[2], 23.5, 0.01);
    EXPECT_EQ(hi[1], 0.0);
  }
  // Tension where the moment puts it: at the larger z.
  for (int i = 0; i < tri->n_nodes; ++i) {
    double e, st[3];
    ASSERT_EQ(1, Get_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result(&tri->nodes[i], &r, points, &e, st));
    if (std::fabs(tri->nodes[i].z - 20) < 1e-9) {
      EXPECT_NEAR(st[0], 23.5, 0.01);
    }
  }
  EXPECT_EQ(1, Calc_DWQB_OUTLINE_TRIANGULATION_LINE_NR_PLO_Result_MinMax(tri, 7, &r, points, &e_lo, &e_hi, lo, hi));
  EXPECT_EQ(e_hi, 0.0);
  // The point list holds the points' y (the wall at y 0); without warping the twist of the
  // plane is never read.
  for (int i = 0; i < points->count; ++i) EXPECT_NEAR(points->records[i].value, 0.0, 1e-9);
  Free_DWQB_OUTLINE_TRIANGULATION(tri);
  Free_PLO_Point_List(points);
  Ipe300();  // flange tips off the zero sectorial line
  PLO_OPTIONS o = Default_PLO_Options();
  o.flags = PLO_O_NO_WARPING;
  points = nullptr;
  ASSERT_EQ(1, Calc_PLO_Grenzzustand(forces, &kSteel, &o, &r, &points));
  tri = Calc_DWQB_OUTLINE_TRIANGULATION(1, 0, 0, 0, 0, 2, 0, 0, nullptr);
  PLO_RESULT twisted = r;
  twisted.plane[3] = 1e-3;
  for (int i = 0; i < tri->n_nodes; ++i) {
    double e1, e2, s1[3], s2[3];
    ASSERT_EQ(1, Get_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result(&tri->nodes[i], &r, points, &e1, s1));
    ASSERT_EQ(1, Get_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result(&tri->nodes[i], &twisted, points, &e2, s2));
    EXPECT_TRUE(e1 == e2 && s1[0] == s2[0]) << i;
  }
  Free_DWQB_OUTLINE_TRIANGULATION(tri);
  Free_PLO_Point_List(points);
}

// Pure V_z: no normal stresses; U is the largest elastic shear utilisation of the points.
TEST_F(Plo, PureShearIsTheElasticShearUtilisation) {
  Ipe300();
  const double forces[8] = {0, 0, 100};
  PLO_RESULT r;
  ASSERT_EQ(1, Calc_PLO_Grenzzustand(forces, &kSteel, nullptr, &r, nullptr));
  DWQB_STRESS_POINT_SET *set = nullptr;
  ASSERT_TRUE(Build_DWQB_Stress_Points(&set, 0));
  TSG_RESULTS *tree = nullptr;
  ASSERT_TRUE(Build_TSG_Stress_Results(forces, set, 23.5, &tree, 0, 0));
  EXPECT_TRUE(r.flags & PLO_F_NO_NORMAL);
  EXPECT_NEAR(r.U, tree->u_max, 1e-12);
  EXPECT_GT(r.U, 0.2);
  // Without the shear iteration: pure shear is still its elastic utilisation, a moment alone
  // still its limit state, and shear with the moment more than either alone.
  PLO_OPTIONS o = Default_PLO_Options();
  o.flags = PLO_O_NO_SHEAR_ITERATION;
  PLO_RESULT q, m, m_alone;
  ASSERT_EQ(1, Calc_PLO_Grenzzustand(forces, &kSteel, &o, &q, nullptr));
  EXPECT_NEAR(q.U, tree->u_max, 1e-9);
  EXPECT_TRUE(q.flags & PLO_F_COMBINED);
  const double moment[8] = {0, 0, 0, 0, 7074.66}, both[8] = {0, 0, 100, 0, 7074.66};
  ASSERT_EQ(1, Calc_PLO_Grenzzustand(moment, &kSteel, &o, &m_alone, nullptr));
  EXPECT_NEAR(m_alone.U, 0.50008, 0.5e-3);
  EXPECT_EQ(m_alone.flags & (PLO_F_NO_SHEAR | PLO_F_COMBINED), PLO_F_NO_SHEAR | PLO_F_COMBINED);
  ASSERT_EQ(1, Calc_PLO_Grenzzustand(both, &kSteel, &o, &m, nullptr));
  EXPECT_GT(m.U, m_alone.U);
  EXPECT_GT(m.U, q.U);
  EXPECT_LT(m.U, 1.0);
  // The limit shear forces and torques are the acting ones times the shear factor; the
  // prepared slot's tolerance gives the run of the default options.
  const double torque[8] = {0, 0, 100, 0, 7074.66, 0, 300}, *F = torque;
  PLO_RESULT d, slot;
  ASSERT_EQ(1, Calc_PLO_Grenzzustand(F, &kSteel, nullptr, &d, nullptr));
  EXPECT_NEAR(d.F[2], 100 * d.f_tau, 1e-9);
  EXPECT_NEAR(d.F[6], 300 * d.f_tau, 1e-9);
  QS_CHECK_VIEW v{};
  v.header.type = 99;
  ASSERT_EQ(4, Prepare_PLO_Result(nullptr, &v));
  ASSERT_EQ(1, Calc_PLO_Grenzzustand_Slot(F, &kSteel, &v, &slot, nullptr));
  EXPECT_EQ(slot.U, d.U);
  // The mask's option bit 0 only for a positive option value.
  for (double option : {0.0, 2.0}) {
    const double m5[5] = {23.5, 21000, 150, 0.001, option};
    MASQUE_CALC_OPTIONS mo;
    ASSERT_TRUE(Get_Masque_Calc_Options(Get_DWQB_PLO_TSG_Querschnitt(m5, nullptr, 0), &mo));
    EXPECT_EQ((mo.flags & MASQUE_OPTION_WERT) != 0, option > 0);
  }
  Free_TSG_Stress_Results(tree);
  Free_DWQB_Stress_Points(set);
}

// Mode word, result factors and the mask's option block come back bit for bit, after a
// success and after a failure at every step that changes them.
TEST_F(Plo, SolverStateIsGivenBackOnEveryReturn) {
  Ipe300();
  const double m5[5] = {23.5, 21000, 150, 0.001, 1.0};
  MASQUE *mask = Build_DWQB_PLO_Mask(m5);
  ASSERT_NE(mask, nullptr);
  const double factors[4] = {2, 3, 4, 5};
  Set_Masque_Result_Factors(factors);
  Set_Masque_Calc_Mode(0x10123);
  MASQUE_CALC_OPTIONS before;
  Get_Masque_Calc_Options(mask, &before);
  const double forces[8] = {-300, 0, 50, 0, 5000, 100, 0, 0};
  for (int step = 0; step <= 6; ++step) {
    SCOPED_TRACE(step);
    Set_PLO_Fail_Step_For_Tests(step);
    PLO_RESULT r;
    PLO_POINT_LIST *points = nullptr;
    PLO_OPTIONS o = Default_PLO_Options();
    o.flags = PLO_O_NO_WARPING;
    EXPECT_EQ(Calc_PLO_Grenzzustand(forces, &kSteel, &o, &r, &points), step == 0 ? 1 : 0);
    EXPECT_EQ(points != nullptr, step == 0);
    if (step != 0) {
      EXPECT_EQ(r.U, -1.0);  // the template of a failed run
    }
    Free_PLO_Point_List(points);
    double now[4];
    EXPECT_EQ(Get_Masque_Result_Factors(now), 1);
    EXPECT_EQ(std::memcmp(now, factors, sizeof now), 0);
    EXPECT_EQ(Get_Masque_Calc_Mode(), 0x10123u);
    MASQUE_CALC_OPTIONS after;
    Get_Masque_Calc_Options(mask, &after);
    EXPECT_EQ(std::memcmp(&after, &before, sizeof after), 0);
  }
  Set_Masque_Result_Factors(nullptr);
  Set_Masque_Calc_Mode(0);
}

// One turn: an equal angle L 100 × 10 as the catalogue builds it, and the same section
// turned by β with V and M turned by β, carry the same forces equally (a double turn or
// none would change U).
TEST_F(Plo, TurnedSectionGivesTheSameUtilisation) {
  QUERSCHNITT q{};
  Init_Querschnitt_Record(&q);
  ASSERT_EQ(1, Set_Querschnitt_Profil(&q, 0x10000, 0, "L100X10"));
  ASSERT_EQ(1, Calc_Querschnitt_Values(&q, 0.5, 2));
  const double f[8] = {-150, 20, -30, 0, 1500, -900, 0, 0};
  PLO_RESULT a, b;
  PLO_OPTIONS o = Default_PLO_Options();
  o.tol = 1e-6;
  ASSERT_EQ(1, Calc_PLO_Grenzzustand(f, &kSteel, &o, &a, nullptr));
  const double beta = 0.4, c = std::cos(beta), s = std::sin(beta), move[3] = {0, 0, beta};
  Move_DWQB_Querschnitt(move);
  ASSERT_EQ(0, Calc_DWQB_Querschnitt());
  const double g[8] = {f[0], c * f[1] - s * f[2], s * f[1] + c * f[2], 0, c * f[4] - s * f[5], s * f[4] + c * f[5], 0, 0};
  o = Default_PLO_Options();
  o.tol = 1e-6;
  ASSERT_EQ(1, Calc_PLO_Grenzzustand(g, &kSteel, &o, &b, nullptr));
  EXPECT_NEAR(a.U / b.U, 1.0, 1e-6);
  EXPECT_GT(a.U, 0.3);
  Free_Querschnitt_Record(&q);
}

// Warping stays in up to the length L at which 4.17e-7 L² I_T reaches I_w (a channel of
// flanges 10 and web 20 cm, wall 1 cm), 1 % on either side.
TEST_F(Plo, WarpingUpToTheStiffnessLength) {
  Reset_DWQB_Querschnitt();
  Add_DWQB_Node(1, 10, 0), Add_DWQB_Node(2, 0, 0), Add_DWQB_Node(3, 0, 20), Add_DWQB_Node(4, 10, 20);
  for (int k = 1; k <= 3; ++k) Add_DWQB_Line_Const_Thickness(k, k, k + 1, 1);
  ASSERT_EQ(0, Calc_DWQB_Querschnitt());
  const double *v = Get_DWQB_Values()->v, L_b = std::sqrt(2.4e6 * v[DWQB_V_IW] / v[DWQB_V_IT]);
  for (double k : {0.99, 1.01}) {
    PLO_OPTIONS o = Default_PLO_Options();
    o.L = k * L_b;
    EXPECT_EQ((Run({0, 0, 0, 0, 1000}, nullptr, kSteel, &o).flags & PLO_F_NO_WARPING) != 0, k > 1) << k;
  }
}

// The print with the point list, of a run without warping (rectangle) and with it (I).
TEST_F(Plo, GoldenPrints) {
  std::string bytes;
  for (int k = 0; k < 4; ++k) {
    k ? Ipe300() : Rectangle();
    double forces[8] = {-300, 5, 60, 20, 4000, 150, 0, 1000};
    if (k == 3) std::fill(forces, forces + 8, 0.0), forces[2] = 400, forces[4] = 100;  // the lines' shear beyond 1
    PLO_RESULT r;
    PLO_POINT_LIST *points = nullptr;
    PLO_OPTIONS o = Default_PLO_Options();
    o.flags = k >= 2 ? PLO_O_NO_SHEAR_ITERATION | PLO_O_NO_WARPING : 0;  // the factors apart
    ASSERT_EQ(1, Calc_PLO_Grenzzustand(forces, &kSteel, &o, &r, &points));
    Reset_Print_For_Tests();
    FILE *f = std::tmpfile();
    EXPECT_EQ(1, Print_PLO_Result(f, "", forces, &r, points));
    std::rewind(f);
    for (int ch; (ch = std::fgetc(f)) != EOF;) bytes.push_back(char(ch));
    std::fclose(f);
    Free_PLO_Point_List(points);
  }
  const std::string path = std::string(PF_SOURCE_DIR) + "/tests/stress/golden/plo_print.txt";
  if (std::getenv("PF_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << bytes;
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes) << "PF_UPDATE_GOLDEN=1 writes it";
}
