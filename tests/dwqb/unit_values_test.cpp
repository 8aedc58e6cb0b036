// Unit values of a line, their extremes, the outline extremes of the normal-stress
// coefficients and the section summary, on the solver's fixtures.
#include <cmath>
#include <string>

#include "dwqb/dwqb_fixture.h"
#include "dwqb/dwqb_stress.h"
#include "dwqb/section_models.h"

namespace {

class DwqbUnitValues : public DwqbTest {
 protected:
  static void Run(const SectionModel &m) {
    Reset_DWQB_Querschnitt();
    m.Build();
    ASSERT_EQ(Calc_DWQB_Querschnitt(), 0) << m.name;
  }
};

// An angle whose legs taper (0.6 -> 1.4 and 1.4 -> 0.5), so that 1/t varies along them.
SectionModel Tapered_Angle_Model() {
  return SectionModel{"tapered angle",
                      {{1, 15, 0}, {2, 0, 0}, {3, 0, 10}},
                      {{1, 1, 2, {0.6, 1.4, 0, 0, 0, 0, 0, 0, 0}, 0}, {2, 2, 3, {1.4, 0.5, 0, 0, 0, 0, 0, 0, 0}, 0}},
                      false};
}

// The line readers give the rows of the part tree at the ends and inside, in both angle
// kinds; the stresses are the flows over t(s); the warping flow's ordinate is the one of
// the point values at the same point, for every pole frame. Missing lines answer 0.
TEST_F(DwqbUnitValues, LineReadersFollowTheRows) {
  for (const SectionModel &m : {Tapered_Angle_Model(), Rounded_Channel_Model()}) {
    Run(m);
    for (const ModelLine &ml : m.lines)
      for (double s : {-1.0, -0.2, 1.0}) {
        SCOPED_TRACE(m.name + " line " + std::to_string(ml.nr) + " s " + std::to_string(s));
        DWQB_LINE *L = Find_DWQB_Line_Record(ml.nr);
        const double t = ((1 - s) * ml.v[0] + (1 + s) * ml.v[1]) / 2;
        for (int kind : {DWQB_ANGLE_Y, DWQB_ANGLE_PRINCIPAL}) {
          double rows[5], flows[5], stresses[5];
          Get_DWQB_Line_Shear_Values(L, kind, rows, s, 0.4, 0);
          ASSERT_EQ(Get_DWQB_Line_Shear_Flows(ml.nr, s, kind, 0.4, flows), 1);
          ASSERT_EQ(Get_DWQB_Line_Shear_Stresses(ml.nr, s, kind, 0.4, stresses), 1);
          for (int j = 0; j < 3; ++j) {
            EXPECT_DOUBLE_EQ(flows[j], rows[j]) << j;
            EXPECT_NEAR(stresses[j], flows[j] / t, 1e-12 * (1 + std::fabs(flows[j]))) << j;
          }
          EXPECT_DOUBLE_EQ(flows[4], 1 / t);
        }
        for (int frame : {DWQB_FRAME_ORIGIN, DWQB_FRAME_CENTROID, DWQB_FRAME_SHEAR_CENTRE}) {
          double y, z, w[5];
          DWQB_POINT_VALUES rec;
          Get_DWQB_Line_Centre_Point(L, s, &y, &z);
          ASSERT_EQ(Calc_DWQB_Line_Point_Values(ml.nr, y, z, 0, 1, 0, 0, 0, 0, frame, 0.3, -0.2, &rec), 1);
          ASSERT_EQ(Get_DWQB_Line_Warping_Flow(ml.nr, s, frame, 0.3, -0.2, w), 1);
          EXPECT_NEAR(w[0], rec.omega, 1e-9 * (1 + std::fabs(rec.omega))) << frame;
        }
      }
  }
  double out[5] = {7, 7, 7, 7, 7};
  EXPECT_EQ(Get_DWQB_Line_Shear_Flows(99, 0, 0, 0, out) + Get_DWQB_Line_Shear_Stresses(99, 0, 0, 0, out) +
                Get_DWQB_Line_Warping_Flow(99, 0, 0, 0, 0, out) + Get_DWQB_Line_Warping_Stress(99, 0, out),
            0);
  EXPECT_EQ(out[0], 7.0);
}

// Outline extremes of the normal-stress coefficients are the extreme fibres of beam theory:
// IPE 300 ±15 cm and ±7.5 cm about the centroid, an eccentric normal force, the bending
// frame at 90°; the channel's web side and tips differ; a wall of part number 1 far below
// counts in no outline.
TEST_F(DwqbUnitValues, OutlineExtremesAreTheExtremeFibres) {
  SectionModel ipe = Ipe300_Model(1.5);
  ipe.nodes.push_back({7, -5, 60});
  ipe.nodes.push_back({8, 5, 60});
  ipe.lines.push_back({6, 7, 8, {1, 1, 0, 0, 0, 0, 0, 0, 0}, 1});
  Run(ipe);
  const double *v = Get_DWQB_Values()->v;
  const double A = v[DWQB_V_A], I1 = v[DWQB_V_I1], I2 = v[DWQB_V_I2];
  EXPECT_NEAR(15 / I1, 1.795076e-3, 1e-8);
  EXPECT_NEAR(7.5 / I2, 1.242177e-2, 1e-7);
  struct Case {
    double y_p, z_p, theta;
    double lo[3], hi[3];
  } cases[] = {
      {0, 0, 0, {1 / A, -15 / I1, -7.5 / I2}, {1 / A, 15 / I1, 7.5 / I2}},
      {0, 5, 0, {1 / A - 75 / I1, -15 / I1, -7.5 / I2}, {1 / A + 75 / I1, 15 / I1, 7.5 / I2}},
      {2, 0, 0, {1 / A - 15 / I2, -15 / I1, -7.5 / I2}, {1 / A + 15 / I2, 15 / I1, 7.5 / I2}},
      {0, 0, std::numbers::pi / 2, {1 / A, -7.5 / I2, -15 / I1}, {1 / A, 7.5 / I2, 15 / I1}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "N at " << c.y_p << ", " << c.z_p << ", frame " << c.theta);
    double lo[3], hi[3];
    ASSERT_EQ(Get_DWQB_Outline_Stress_Extremes(DWQB_FRAME_CENTROID, c.y_p, c.z_p, DWQB_ANGLE_Y, c.theta, lo, hi), 1);
    for (int j = 0; j < 3; ++j) {
      EXPECT_NEAR(lo[j], c.lo[j], 1e-9) << j;
      EXPECT_NEAR(hi[j], c.hi[j], 1e-9) << j;
    }
  }
  Run(Channel_Model());
  double lo[3], hi[3];
  ASSERT_EQ(Get_DWQB_Outline_Stress_Extremes(DWQB_FRAME_CENTROID, 0, 0, DWQB_ANGLE_Y, 0, lo, hi), 1);
  EXPECT_NEAR(lo[2], -(9.5 - v[DWQB_V_YS]) / v[DWQB_V_I2], 1e-9);
  EXPECT_NEAR(hi[2], (v[DWQB_V_YS] + 0.5) / v[DWQB_V_I2], 1e-9);
  DWQB_Part_Mode_Switch = DWQB_Wall_Terms_Switch = 0;  // direct mode keeps no outlines
  Run(Channel_Model());
  EXPECT_EQ(Get_DWQB_Outline_Stress_Extremes(DWQB_FRAME_CENTROID, 0, 0, DWQB_ANGLE_Y, 0, lo, hi), 0);
  EXPECT_EQ(hi[1], 0.0);
}

// The shear variants sample as the shear extremes do (11 points below n = 2); the warping
// variants reach the flange-tip ordinates ±h b / 4 of the I section's centre line (a pole
// 2 cm aside adds h), and their stresses those over I_w about the shear centre.
TEST_F(DwqbUnitValues, ExtremeValuesOfTheFourVariants) {
  Run(Tapered_Angle_Model());
  for (int n : {0, 5})
    for (int mode : {0, 1})
      for (int per_t : {0, 1}) {
        SCOPED_TRACE(::testing::Message() << "n " << n << " mode " << mode << " per_t " << per_t);
        double lo[5], hi[5], rlo[5], rhi[5];
        const int variant = per_t ? DWQB_EXTREME_SHEAR_STRESSES : DWQB_EXTREME_SHEAR_FLOWS;
        ASSERT_EQ(Get_DWQB_Extreme_Values(variant, mode, n, 0.3, 0, lo, hi), 1);
        Calc_DWQB_Line_Shear_Extremes(mode, n < 2 ? 11 : n, rlo, 0.3, rhi, per_t);
        for (int j = 0; j < 5; ++j) EXPECT_TRUE(lo[j] == rlo[j] && hi[j] == rhi[j]) << j;
      }
  // Stresses are the flows over the wall: the box has one thickness, 0.5 cm.
  Run(Box_Model(10, 20, 0.5));
  for (int mode : {0, 1}) {
    double flo[5], fhi[5], slo[5], shi[5];
    ASSERT_EQ(Get_DWQB_Extreme_Values(DWQB_EXTREME_SHEAR_FLOWS, mode, 11, 0.3, 0, flo, fhi), 1);
    ASSERT_EQ(Get_DWQB_Extreme_Values(DWQB_EXTREME_SHEAR_STRESSES, mode, 11, 0.3, 0, slo, shi), 1);
    for (int j = 0; j < 3; ++j) {
      EXPECT_NEAR(slo[j], flo[j] / 0.5, 1e-9 * (1 + std::fabs(flo[j]))) << mode << " " << j;
      EXPECT_NEAR(shi[j], fhi[j] / 0.5, 1e-9 * (1 + std::fabs(fhi[j]))) << mode << " " << j;
    }
    EXPECT_GT(fhi[0] - flo[0], 0.01) << mode;  // the flows do vary round the box
  }
  Run(Ipe300_Model(0));
  const double tip = 28.93 * 15 / 4, Iw = Get_DWQB_Values()->v[DWQB_V_IW];
  struct Case {
    int variant, mode;
    double a, hi;
  } cases[] = {{DWQB_EXTREME_WARPING_FLOWS, DWQB_FRAME_SHEAR_CENTRE, 0, tip},
               {DWQB_EXTREME_WARPING_FLOWS, DWQB_FRAME_SHEAR_CENTRE, 2, tip + 28.93},
               {DWQB_EXTREME_WARPING_STRESSES, DWQB_FRAME_ORIGIN, 3, tip / Iw}};
  for (const Case &c : cases) {
    double lo[5], hi[5];
    ASSERT_EQ(Get_DWQB_Extreme_Values(c.variant, c.mode, 11, c.a, 0, lo, hi), 1);
    EXPECT_NEAR(hi[0], c.hi, 1e-6 * c.hi) << c.variant << " " << c.a;
    EXPECT_NEAR(lo[0], -c.hi, 1e-6 * c.hi) << c.variant << " " << c.a;
  }
  double lo[5], hi[5];
  EXPECT_EQ(Get_DWQB_Extreme_Values(7, 0, 11, 0, 0, lo, hi), 0);
  EXPECT_EQ(hi[0], 0.0);
}

// The summary holds the solver's values and radii sqrt(I / A); its Wagner values vanish
// about every axis of symmetry: both on the I section and the box, the first on the
// channel (symmetric about its horizontal axis), the second on a T, neither on the angle.
TEST_F(DwqbUnitValues, SummaryOfTheRun) {
  const SectionModel t{"T", {{1, -7.5, 0}, {2, 0, 0}, {3, 7.5, 0}, {4, 0, 20}},
                       {Wall(1, 1, 2, 1.0), Wall(2, 2, 3, 1.0), Wall(3, 2, 4, 0.8)}, false};
  struct Case {
    SectionModel m;
    bool wagner_1, wagner_2;  // non-zero expected
  } cases[] = {{Ipe300_Model(1.5), false, false}, {Channel_Model(), false, true}, {t, true, false},
               {Angle_Model(), true, true},       {Box_Model(10, 20, 0.5), false, false}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.m.name);
    Run(c.m);
    const double *v = Get_DWQB_Values()->v;
    DWQB_SUMMARY s;
    ASSERT_EQ(Get_DWQB_Querschnitt_Summary(&s), 1);
    EXPECT_EQ(s.n_lines, static_cast<int>(c.m.lines.size()));
    const int idx[] = {DWQB_V_A,    DWQB_V_I1,   DWQB_V_I2,   DWQB_V_IT, DWQB_V_IW, DWQB_V_YS, DWQB_V_ZM, DWQB_V_YMIN,
                       DWQB_V_IZZ0, DWQB_V_IYY0, DWQB_V_IYZ0, DWQB_V_IM, DWQB_V_IN, DWQB_V_IMN, DWQB_V_ZS, DWQB_V_ZMAX};
    const double got[] = {s.A,     s.I_1,   s.I_2,   s.I_T, s.I_w, s.y_s,  s.z_M,                s.y_min,
                          s.I_zz0, s.I_yy0, s.I_yz0, s.I_y, s.I_z, s.I_yz, s.z_M - s.z_M_s, s.z_max};
    for (int k = 0; k < 16; ++k) EXPECT_NEAR(got[k], v[idx[k]], 1e-9 * (1 + std::fabs(v[idx[k]]))) << k;
    EXPECT_NEAR(s.U, s.U_outer + (c.m.closed ? 58 : 0), 1e-9);  // the box's cell 9.5 × 19.5 inside
    EXPECT_NEAR(s.i_1, std::sqrt(v[DWQB_V_I1] / v[DWQB_V_A]), 1e-12);
    EXPECT_NEAR(s.i_z, std::sqrt(v[DWQB_V_IN] / v[DWQB_V_A]), 1e-12);
    EXPECT_EQ(s.U_inner > 0, c.m.closed);
    const double scale = 1e-6 * s.i_1;
    EXPECT_EQ(std::fabs(s.wagner_1) > scale, c.wagner_1) << s.wagner_1;
    EXPECT_EQ(std::fabs(s.wagner_2) > scale, c.wagner_2) << s.wagner_2;
  }
  EXPECT_EQ(Get_DWQB_Querschnitt_Summary(nullptr), 0);
  Reset_DWQB_Querschnitt();
  DWQB_SUMMARY s;
  s.A = 5;
  EXPECT_EQ(Get_DWQB_Querschnitt_Summary(&s), 0);
  EXPECT_EQ(s.A, 0.0);
}

}  // namespace
