// The direct mode of the solver (both switches off): hand values of plates, boxes, the
// IPE 300 wall model, a channel and a two-cell box; agreement with part mode; presets,
// output tables and what a direct run leaves of an earlier part-mode section.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "dwqb/dwqb.h"
#include "dwqb/dwqb_internal.h"
#include "dwqb/dwqb_plastic.h"
#include "dwqb/dwqb_stress.h"
#include "tests/dwqb/section_models.h"

namespace {

class DwqbDirectMode : public ::testing::Test {
 protected:
  void SetUp() override { Direct(); }
  void TearDown() override { Reset_DWQB_Module_For_Tests(); }
  static void Direct() {
    Reset_DWQB_Module_For_Tests();
    DWQB_Part_Mode_Switch = 0;
    DWQB_Wall_Terms_Switch = 0;
  }
  // Builds the model afresh and runs it with the options; the result code.
  static int Run(const SectionModel &m, std::uint32_t options = 0) {
    Reset_DWQB_Querschnitt();
    Get_DWQB_Header()->options = options;
    m.Build();
    return Calc_DWQB_Querschnitt();
  }
};

// Two cells side by side, 8 and 12 wide, 10 high, wall 1, middle web of wall 0.5 going up.
SectionModel Two_Cell_Box() {
  return SectionModel{"two-cell box",
                      {{1, 0, 0}, {2, 8, 0}, {3, 20, 0}, {4, 20, 10}, {5, 8, 10}, {6, 0, 10}},
                      {Wall(1, 1, 2, 1), Wall(2, 2, 3, 1), Wall(3, 3, 4, 1), Wall(4, 4, 5, 1), Wall(5, 5, 6, 1),
                       Wall(6, 6, 1, 1), Wall(7, 2, 5, 0.5)},
                      true};
}


TEST_F(DwqbDirectMode, PlateBoxAndUnconnectedPlates) {
  const double *v = Get_DWQB_Values()->v;
  // A plate of the rectangle model: the shear factor is Simpson's sum of 10 ∫(0.6 x(1 - x))² ds.
  ASSERT_EQ(Run(Plate_Model(), DWQB_OPT_WALL_TERMS), 0);
  const double plate[][2] = {{DWQB_V_A, 10},       {DWQB_V_YS, 5},      {DWQB_V_ZS, 0},       {DWQB_V_IT, 10.0 / 3},
                             {DWQB_V_YMIN, 0},     {DWQB_V_YMAX, 10},   {DWQB_V_ZMIN, -0.5},  {DWQB_V_ZMAX, 0.5},
                             {DWQB_V_TMAX, 1},     {DWQB_V_IM, 10.0 / 12}, {DWQB_V_IN, 1000.0 / 12},
                             {DWQB_V_SHEAR_Y, 1.20048}};
  for (const auto &c : plate) EXPECT_NEAR(v[static_cast<int>(c[0])], c[1], 1e-6) << "value " << c[0];
  EXPECT_EQ(Get_DWQB_Header()->n_cells, 0);
  // The thin-line plate has no second moment across it: code 5 from this run on.
  ASSERT_EQ(Run(Plate_Model()), DWQB_FAULT_PRINCIPAL);
  for (int row : {0, 1, 3, 4, 5, 6, 7}) EXPECT_NEAR(v[static_cast<int>(plate[row][0])], plate[row][1], 1e-12);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_PRINCIPAL);

  // Square box: one cell, F = 40, twice the area 200, Bredt I_T = 200² / 40.
  ASSERT_EQ(Run(Box_Model(10, 10, 1)), 0);
  const DwqbDirect &d = Dwqb_State().direct;
  ASSERT_EQ(Get_DWQB_Header()->n_cells, 1);
  EXPECT_DOUBLE_EQ(d.F[0], 40.0);
  EXPECT_DOUBLE_EQ(std::fabs(d.rhs[2]), 200.0);
  EXPECT_NEAR(v[DWQB_V_IT], 40.0 / 3 + 1000, 1e-9);
  EXPECT_NEAR(v[DWQB_V_TFLOW_MIN], 4.934211e-3, 1e-9);
  EXPECT_NEAR(v[DWQB_V_TFLOW_MAX], 4.934211e-3, 1e-9);

  // Two plates without a common node: code 4 before any value, and again.
  Reset_DWQB_Querschnitt();
  for (int k = 1; k <= 4; ++k) Add_DWQB_Node(k, k, 0);
  Add_DWQB_Line_Const_Thickness(1, 1, 2, 1);
  Add_DWQB_Line_Const_Thickness(2, 3, 4, 1);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_NOT_CONNECTED);
  for (int k = 0; k < DWQB_N_VALUES; ++k) EXPECT_EQ(v[k], 0.0) << k;
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_NOT_CONNECTED);
}

// Hand values of the wall models (to the digits given), and the centre-line values that
// part mode computes from the same walls.
TEST_F(DwqbDirectMode, HandValuesAndAgreementWithPartMode) {
  struct Expect {
    int k;
    double value;
  };
  struct Case {
    SectionModel model;
    std::uint32_t options;
    std::vector<Expect> values;
    bool with_part_mode = true;  // compared with part mode's run
  };
  SectionModel outstand = Box_Model(10, 10, 1);  // the cell is cut where a flange joins it
  outstand.nodes.push_back({5, 15, 10});
  outstand.lines.push_back(Wall(5, 3, 5, 1));
  // A plate 10 × 1 from (0, 0) to (6, 8) with its walls' own terms: (L³ t sin² θ + t³ L cos² θ)/12,
  // the product (L³ t − t³ L) sin θ cos θ / 12; the angle's legs add t³ L / 12 across each.
  const SectionModel inclined{"inclined plate", {{1, 0, 0}, {2, 6, 8}}, {Wall(1, 1, 2, 1.0)}, false};
  const Case cases[] = {
      {Plate_Model(), DWQB_OPT_WALL_TERMS, {}},
      {inclined, DWQB_OPT_WALL_TERMS,
       {{DWQB_V_A, 10}, {DWQB_V_IM, 53.633333}, {DWQB_V_IN, 30.533333}, {DWQB_V_IMN, 39.6}, {DWQB_V_IZZ0, 213.633333},
        {DWQB_V_IYY0, 120.533333}, {DWQB_V_IYZ0, 159.6}}, false},
      {Angle_Model(), DWQB_OPT_WALL_TERMS, {{DWQB_V_IM, 234.583333}, {DWQB_V_IN, 619.583333}, {DWQB_V_IMN, -225}}, false},
      {outstand, 0, {}},
      {Ipe300_Model(1.5),
       0,
       {{DWQB_V_A, 52.6403},         {DWQB_V_ZS, 15},              {DWQB_V_IM, 8149.074},
        {DWQB_V_IN, 601.875},        {DWQB_V_IT, 15.70189},        {DWQB_V_YM, 0},
        {DWQB_V_ZM, 15},             {DWQB_V_IW, 125934.05},       {DWQB_V_OMEGA_MIN, -108.4875},
        {DWQB_V_OMEGA_MAX, 108.4875}, {DWQB_V_WPLY, 612.8842},     {DWQB_V_WPLZ, 124.0209},
        {DWQB_V_Q_MIN, -0.05},       {DWQB_V_Q_MAX, 0.05},         {DWQB_V_TAU_MIN, -0.05296413},
        {DWQB_V_TAU_MAX, 0.04672897}}},
      // Channel: e = 3 b'² / (6 b' + h'), I_w = t b'³ h'² (3 b' + 2 h') / (12 (6 b' + h')).
      // Moduli I over the extreme node distance (9.5 and 7.125, 2.375 cm), extents widened
      // by half the wall, the Wagner radius ∫u (u² + v²) dA / I_2 on the centre lines.
      {Channel_Model(),
       0,
       {{DWQB_V_A, 38}, {DWQB_V_YS, 2.375}, {DWQB_V_IT, 12.66667}, {DWQB_V_YM, -3.5625}, {DWQB_V_ZM, 9.5},
        {DWQB_V_IW, 22568.61}, {DWQB_V_OMEGA_MIN, -56.40625}, {DWQB_V_OMEGA_MAX, 56.40625}, {DWQB_V_ZS, 9.5},
        {DWQB_V_SY, 90.25}, {DWQB_V_SZ, 361}, {DWQB_V_IM, 2286.333333}, {DWQB_V_IN, 357.2395833},
        {DWQB_V_IMN, 0}, {DWQB_V_ALPHA, 0}, {DWQB_V_I1, 2286.333333}, {DWQB_V_I2, 357.2395833},
        {DWQB_V_IM_PLUS_IN, 2643.572917}, {DWQB_V_IP_BY_A, 69.5677083}, {DWQB_V_W1A, 240.6666667},
        {DWQB_V_W1B, -240.6666667}, {DWQB_V_W2A, 50.1388889}, {DWQB_V_W2B, -150.4166667}, {DWQB_V_R1, 0},
        {DWQB_V_R2, 10.45}, {DWQB_V_TMAX, 1}, {DWQB_V_YMIN, -0.5}, {DWQB_V_YMAX, 9.5}, {DWQB_V_ZMIN, -0.5},
        {DWQB_V_ZMAX, 19.5}}},
      // A channel of unequal flanges (9.5 on top, 6 below, web 19, wall 1), no symmetry: the
      // shear centre where ∫ω y dA = ∫ω z dA = 0, I_w = ∫ω² dA with ω of zero mean, and
      // ∫ω (u² + v²) dA / I_w, by thin-walled theory on its centre lines.
      {SectionModel{"unequal channel", {{1, 9.5, 0}, {2, 0, 0}, {3, 0, 19}, {4, 6, 19}},
                    {Wall(1, 1, 2, 1.0), Wall(2, 2, 3, 1.0), Wall(3, 3, 4, 1.0)}, false},
       0,
       {{DWQB_V_A, 34.5}, {DWQB_V_YS, 1.8297101}, {DWQB_V_ZS, 8.5362319}, {DWQB_V_IM, 1938.4130435},
        {DWQB_V_IN, 242.2912138}, {DWQB_V_IMN, -196.8496377}, {DWQB_V_YM, -2.3512413}, {DWQB_V_ZM, 4.9736848},
        {DWQB_V_IW, 10495.903217}, {DWQB_V_WARP_RATIO, -0.1534057}, {DWQB_V_OMEGA_MIN, -58.742406},
        {DWQB_V_OMEGA_MAX, 27.991907}}},
      // The unequal angle (see OutputPointsOfAnUnequalAngle): principal values and moduli,
      // the Wagner radii on the centre lines.
      {Angle_Model(),
       0,
       {{DWQB_V_A, 25}, {DWQB_V_YS, 4.5}, {DWQB_V_ZS, 2}, {DWQB_V_SY, 112.5}, {DWQB_V_SZ, 50},
        {DWQB_V_IM, 233.3333333}, {DWQB_V_IN, 618.75}, {DWQB_V_IMN, -225}, {DWQB_V_ALPHA, -0.4312757},
        {DWQB_V_I1, 129.7959887}, {DWQB_V_I2, 722.2873447}, {DWQB_V_W1A, 24.0972944}, {DWQB_V_W1B, -35.0989539},
        {DWQB_V_W2A, 69.6206832}, {DWQB_V_W2B, -97.1836517}, {DWQB_V_R1, 9.3137334}, {DWQB_V_R2, 1.4015849},
        {DWQB_V_IP_BY_A, 34.0833333}, {DWQB_V_IYZ0, 0}}},
      // Tube: Bredt I_T = 4 A_m² t / p + p t³ / 3, I_w = t b² h² (b - h)² / (24 (b + h)).
      {Box_Model(10, 20, 0.5),
       0,
       {{DWQB_V_IT, 1335.8333}, {DWQB_V_YM, 5}, {DWQB_V_ZM, 10}, {DWQB_V_IW, 2777.778},
        {DWQB_V_OMEGA_MIN, -16.66667}, {DWQB_V_OMEGA_MAX, 16.66667}, {DWQB_V_TFLOW_MIN, 2.495321e-3},
        {DWQB_V_TFLOW_MAX, 2.495321e-3}}},
      {Two_Cell_Box(),
       0,
       {{DWQB_V_ZMIN, -0.5}, {DWQB_V_ZMAX, 10.5}, {DWQB_V_YMIN, -0.5}, {DWQB_V_YMAX, 20.5}, {DWQB_V_IT, 2692.2017}, {DWQB_V_YM, 9.6196969}, {DWQB_V_ZM, 5}, {DWQB_V_IW, 5771.2013},
        {DWQB_V_OMEGA_MIN, -17.73645}, {DWQB_V_OMEGA_MAX, 17.73645}, {DWQB_V_TFLOW_MIN, -1.425886e-4},
        {DWQB_V_TFLOW_MAX, 2.538076e-3}}},
  };
  const double *v = Get_DWQB_Values()->v;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.model.name);
    ASSERT_EQ(Run(c.model, c.options), 0);
    for (const Expect &e : c.values)
      EXPECT_NEAR(v[e.k], e.value, 5e-7 * std::fmax(std::fabs(e.value), 1.0)) << "value " << e.k;
    if (!c.with_part_mode) continue;
    const std::vector<double> direct(v, v + DWQB_N_VALUES);
    const int cells = Get_DWQB_Header()->n_cells;
    ASSERT_EQ(Run(c.model, c.options | DWQB_OPT_PART_MODE), 0);
    EXPECT_EQ(Get_DWQB_Header()->n_cells, cells);
    const double size = std::fmax(v[DWQB_V_YMAX] - v[DWQB_V_YMIN], v[DWQB_V_ZMAX] - v[DWQB_V_ZMIN]);
    for (int k : {8, 22, 23, 29, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43}) {
      const double tol = k == 22 || k == 23 ? 1e-9 * size : (k == 34 || k == 35 ? 1e-6 : 1e-9) * std::fabs(v[k]);
      EXPECT_NEAR(direct[static_cast<std::size_t>(k)], v[k], tol + 1e-15) << "value " << k;
    }
  }
  // The Wagner radii r_1, r_2: part mode integrates the walls' outlines, direct mode their
  // centre lines, so they differ by a term of order t²: on the channel r_2 10.4500 on the
  // centre lines, 10.3045 on the outline of wall 1 (∫u(u² + v²) dA / I_2 of the three
  // rectangles by hand), 10.4485 of wall 0.1; on the unequal angle a hundredth at a tenth.
  for (const SectionModel &m : {Channel_Model(), Angle_Model()}) {
    double diff[2][2];
    for (int j = 0; j < 2; ++j) {
      SectionModel thin = m;
      for (ModelLine &l : thin.lines) l.v[0] = l.v[1] = j ? 0.1 : 1.0;
      ASSERT_EQ(Run(thin), 0);
      const double r[2] = {v[DWQB_V_R1], v[DWQB_V_R2]};
      ASSERT_EQ(Run(thin, DWQB_OPT_PART_MODE), 0);
      for (int k = 0; k < 2; ++k) diff[j][k] = r[k] - v[DWQB_V_R1 + k];
      if (m.name == "channel") {
        EXPECT_NEAR(r[1], 10.45, 1e-9);
        EXPECT_NEAR(v[DWQB_V_R2], j ? 10.448532 : 10.304458, 1e-6);
      }
    }
    for (int k = 0; k < 2; ++k) EXPECT_NEAR(diff[1][k], diff[0][k] / 100, 0.05 * std::fabs(diff[0][k]) / 100 + 1e-12) << m.name << k;
  }
}

// Two-cell box: Bredt's matrix of the two faces, flows on every wall, and a preset I_w
// that scales the ordinates of the IPE 300 walls by its root.
TEST_F(DwqbDirectMode, CellSystemAndPresetWarpingConstant) {
  // The shared web listed first or last: the same system.
  SectionModel web_first = Two_Cell_Box();
  std::rotate(web_first.lines.begin(), web_first.lines.end() - 1, web_first.lines.end());
  ASSERT_EQ(Run(web_first), 0);
  const double I_T = Get_DWQB_Values()->v[DWQB_V_IT];
  EXPECT_DOUBLE_EQ(std::fabs(Dwqb_State().direct.F[1]), 20.0);
  ASSERT_EQ(Run(Two_Cell_Box()), 0);
  EXPECT_NEAR(Get_DWQB_Values()->v[DWQB_V_IT], I_T, 1e-9 * I_T);
  const DwqbDirect &d = Dwqb_State().direct;
  ASSERT_EQ(d.n_cells, 2);
  EXPECT_DOUBLE_EQ(d.F[0], 46.0);
  EXPECT_DOUBLE_EQ(d.F[3], 54.0);
  EXPECT_DOUBLE_EQ(std::fabs(d.F[1]), 20.0);
  EXPECT_EQ(d.F[1], d.F[2]);
  EXPECT_DOUBLE_EQ(std::fabs(d.rhs[4]), 160.0);
  EXPECT_DOUBLE_EQ(std::fabs(d.rhs[5]), 240.0);
  for (const DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next) {
    double q = 0.0;
    for (int k = 0; k < 11; ++k) q += std::fabs(l->Q1[k]) + std::fabs(l->Q2[k]) + std::fabs(l->Q_omega[k]);
    EXPECT_GT(q, 1e-6) << "line " << l->nr;
    EXPECT_NE(l->q_torsion, 0.0) << "line " << l->nr;
  }

  Reset_DWQB_Querschnitt();
  Get_DWQB_Values()->v[DWQB_V_IW] = 4 * 125934.05;
  Get_DWQB_Header()->options = DWQB_OPT_PRESET_IW;
  Ipe300_Model(1.5).Build();
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  const double *v = Get_DWQB_Values()->v;
  EXPECT_NEAR(v[DWQB_V_IW], 503736.2, 0.01);
  EXPECT_NEAR(v[DWQB_V_OMEGA_MIN], -216.975, 5e-4);
  EXPECT_NEAR(v[DWQB_V_OMEGA_MAX], 216.975, 5e-4);
  // On the channel of unequal flanges (no symmetry) the sectorial products scale with the
  // ordinates, twice the unscaled ones, and the ordinate shift follows them: the preset I_w
  // plus twice what the products add to the shift.
  const SectionModel unequal{"unequal channel", {{1, 9.5, 0}, {2, 0, 0}, {3, 0, 19}, {4, 6, 19}},
                             {Wall(1, 1, 2, 1.0), Wall(2, 2, 3, 1.0), Wall(3, 3, 4, 1.0)}, false};
  ASSERT_EQ(Run(unequal), 0);
  const std::vector<double> plain(v, v + DWQB_N_VALUES);
  ASSERT_GT(std::fabs(plain[DWQB_V_WARP_PROD1]) + std::fabs(plain[DWQB_V_WARP_PROD2]), 1.0);
  Reset_DWQB_Querschnitt();
  Get_DWQB_Values()->v[DWQB_V_IW] = 4 * plain[DWQB_V_IW];
  Get_DWQB_Header()->options = DWQB_OPT_PRESET_IW;
  unequal.Build();
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  for (int k : {DWQB_V_WARP_PROD1, DWQB_V_WARP_PROD2, DWQB_V_OMEGA_MIN, DWQB_V_OMEGA_MAX, DWQB_V_WARP_RATIO})
    EXPECT_NEAR(v[k], (k == DWQB_V_WARP_RATIO ? 0.5 : 2.0) * plain[static_cast<std::size_t>(k)], 1e-9 * std::fabs(plain[static_cast<std::size_t>(k)]) + 1e-12) << k;
  EXPECT_NEAR(v[DWQB_V_WARP_SHIFT], 2 * (plain[DWQB_V_WARP_SHIFT] - plain[DWQB_V_IW]) + 4 * plain[DWQB_V_IW], 1e-6);
}

// Output tables on the channel: stations 1 to 9 lie on the faces in both modes and the
// unit flows per station agree; a missing listed line and an empty list.
TEST_F(DwqbDirectMode, OutputPointsMatchPartMode) {
  const DWQB_OUTPUT_TABLES *T = Get_DWQB_Output_Tables();
  ASSERT_EQ(Run(Channel_Model(), DWQB_OPT_PART_MODE), 0);  // lists every line
  ASSERT_EQ(Calc_DWQB_Output_Points(), 0);
  const int n = 3;
  std::vector<double> part[5];
  for (int k = 0; k < 33 * n; ++k) {
    part[0].push_back(T->point[DWQB_OP_Y][k]);
    part[1].push_back(T->point[DWQB_OP_Z][k]);
  }
  part[2].assign(T->q_vy, T->q_vy + 11 * n);
  part[3].assign(T->q_vz, T->q_vz + 11 * n);
  part[4].assign(T->q_w, T->q_w + 11 * n);

  ASSERT_EQ(Run(Channel_Model()), 0);
  DWQB_HEADER *h = Get_DWQB_Header();
  h->n_listed_lines = 0;
  EXPECT_EQ(Calc_DWQB_Output_Points(), 0);
  EXPECT_EQ(T->q_vy[5], part[2][5]);  // untouched
  Grow_DWQB_Listed_Tables(0, n);
  for (int i = 0; i < n; ++i) h->listed_lines[i].nr = i + 1;
  h->n_listed_lines = n;
  ASSERT_EQ(Calc_DWQB_Output_Points(), 0);
  for (int i = 0; i < n; ++i)
    for (int k = 0; k <= 10; ++k) {
      const int st = 11 * i + k;
      SCOPED_TRACE(::testing::Message() << "line " << i + 1 << " station " << k);
      EXPECT_NEAR(T->q_vy[st], part[2][static_cast<std::size_t>(st)], 1e-9);
      EXPECT_NEAR(T->q_vz[st], part[3][static_cast<std::size_t>(st)], 1e-9);
      EXPECT_NEAR(T->q_w[st], part[4][static_cast<std::size_t>(st)], 1e-9);
      if (k == 0 || k == 10) continue;  // part mode ends on the corner joins
      for (int j = 0; j < 3; ++j) {
        EXPECT_NEAR(T->point[DWQB_OP_Y][3 * st + j], part[0][static_cast<std::size_t>(3 * st + j)], 1e-9);
        EXPECT_NEAR(T->point[DWQB_OP_Z][3 * st + j], part[1][static_cast<std::size_t>(3 * st + j)], 1e-9);
      }
    }
  h->listed_lines[1].nr = 9;
  EXPECT_EQ(Calc_DWQB_Output_Points(), 10);

  // A closed cell (tube 10 × 20, wall 0.5): the cell flows of both shear cases and of
  // warping agree as well.
  ASSERT_EQ(Run(Box_Model(10, 20, 0.5), DWQB_OPT_PART_MODE), 0);
  ASSERT_EQ(Calc_DWQB_Output_Points(), 0);
  const std::vector<double> box_w(T->q_w, T->q_w + 44), box_z(T->q_vz, T->q_vz + 44);
  ASSERT_EQ(Run(Box_Model(10, 20, 0.5)), 0);
  Grow_DWQB_Listed_Tables(0, 4);
  for (int i = 0; i < 4; ++i) h->listed_lines[i].nr = i + 1;
  h->n_listed_lines = 4;
  ASSERT_EQ(Calc_DWQB_Output_Points(), 0);
  double largest = 0;
  for (int st = 0; st < 44; ++st) {
    EXPECT_NEAR(T->q_w[st], box_w[static_cast<std::size_t>(st)], 1e-9) << st;
    EXPECT_NEAR(T->q_vz[st], box_z[static_cast<std::size_t>(st)], 1e-9) << st;
    largest = std::fmax(largest, std::fabs(T->q_w[st]));
  }
  EXPECT_GT(largest, 1e-4);
}

// The unequal angle on its centre lines (legs 15 along y and 10 along z, wall 1): A 25,
// centroid (4.5, 2), I_y 233.333, I_z 618.75, I_yz −225 by hand, so α −0.431276 and
// I_1 129.796, I_2 722.287. Every output point: its place on the chord and the faces
// (±t/2 along the left normal), 1/A, v/I_1 and −u/I_2 in the principal frame, 1/t; the
// unit flows at the corner V S / I of unsymmetric bending (0.04 and 0.09 per unit V_y, V_z).
TEST_F(DwqbDirectMode, OutputPointsOfAnUnequalAngle) {
  ASSERT_EQ(Run(Angle_Model()), 0);
  DWQB_HEADER *h = Get_DWQB_Header();
  Grow_DWQB_Listed_Tables(0, 2);
  h->listed_lines[0].nr = 1, h->listed_lines[1].nr = 2;
  h->n_listed_lines = 2;
  ASSERT_EQ(Calc_DWQB_Output_Points(), 0);
  const DWQB_OUTPUT_TABLES *T = Get_DWQB_Output_Tables();
  const double alpha = -0.431276, I1 = 129.796, I2 = 722.287, c = std::cos(alpha), s = std::sin(alpha);
  EXPECT_NEAR(T->alpha, alpha, 1e-6);
  EXPECT_NEAR(T->I_1, I1, 1e-3);
  EXPECT_NEAR(T->I_2, I2, 1e-3);
  EXPECT_NEAR(T->y_s, 4.5, 1e-12);
  EXPECT_NEAR(T->z_s, 2.0, 1e-12);
  const double ends[2][4] = {{15, 0, 0, 0}, {0, 0, 0, 10}};  // line 1 from the y tip, line 2 to the z tip
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(T->t_m[i], 1.0);
    const double dy = ends[i][2] - ends[i][0], dz = ends[i][3] - ends[i][1], len = std::hypot(dy, dz);
    for (int k = 0; k <= 10; ++k)
      for (int j = 0; j < 3; ++j) {
        SCOPED_TRACE(::testing::Message() << "line " << i + 1 << " station " << k << " point " << j);
        const int pt = 3 * (11 * i + k) + j;
        const double side = j == 0 ? 0.0 : j == 1 ? 0.5 : -0.5;
        const double y = ends[i][0] + k / 10.0 * dy - side * dz / len, z = ends[i][1] + k / 10.0 * dz + side * dy / len;
        EXPECT_NEAR(T->point[DWQB_OP_Y][pt], y, 1e-12);
        EXPECT_NEAR(T->point[DWQB_OP_Z][pt], z, 1e-12);
        const double u = c * (y - 4.5) + s * (z - 2), v = c * (z - 2) - s * (y - 4.5);
        EXPECT_NEAR(T->point[DWQB_OP_C1][pt], v / I1, 1e-6);
        EXPECT_NEAR(T->point[DWQB_OP_C2][pt], -u / I2, 1e-6);
        EXPECT_NEAR(T->point[DWQB_OP_INV_A][pt], 1 / 25.0, 1e-12);
        EXPECT_NEAR(T->point[DWQB_OP_INV_T][pt], 1.0, 1e-12);
        // St. Venant shear of a unit T_t: 0 on the centre line, ∓ t / I_T on the faces (I_T 25/3).
        EXPECT_NEAR(T->point[DWQB_OP_TAU_T][pt], -2 * side * 3 / 25.0, 1e-12);
      }
  }
  for (const int st : {10, 11}) {  // the corner, from both lines
    EXPECT_NEAR(std::fabs(T->q_vy[st]), 0.04, 1e-9) << st;
    EXPECT_NEAR(std::fabs(T->q_vz[st]), 0.09, 1e-9) << st;
    EXPECT_NEAR(std::fabs(T->point[DWQB_OP_TAU_VZ][3 * st]), 0.09, 1e-9) << st;
  }
}

// A direct run drops what part mode left of another section: stress points, plastic
// values and the triangulation answer as for a section that was not run.
TEST_F(DwqbDirectMode, DirectRunDropsPartModeResults) {
  ASSERT_EQ(Run(Channel_Model(), DWQB_OPT_PART_MODE), 0);
  DWQB_STRESS_POINT_SET *set = nullptr;
  ASSERT_EQ(Build_DWQB_Stress_Points(&set, 0), 1);
  Free_DWQB_Stress_Points(set);
  set = nullptr;

  ASSERT_EQ(Run(Ipe300_Model(1.5)), 0);
  EXPECT_EQ(Build_DWQB_Stress_Points(&set, 0), 0);
  EXPECT_EQ(set, nullptr);
  DWQB_PLASTIC_RECORD rec[8];
  EXPECT_EQ(Calc_DWQB_Plastic_Values(rec), 0);
  for (const DWQB_PLASTIC_RECORD &r : rec) EXPECT_EQ(r.W_pl, DWQB_PLASTIC_NONE);
  DWQB_TRI_PARAMS params{};
  EXPECT_EQ(Calc_DWQB_OUTLINE_TRIANGULATION(1, 0, 0, 0, 0, 2, 0, 0, &params), nullptr);
}

}  // namespace
