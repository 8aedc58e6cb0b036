// Unit values of a line at a parameter, their extremes, the outline extremes of the
// normal-stress coefficients and the section summary, on the solver's fixtures.
#include <cmath>
#include <cstring>
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

// T of a 15 × 1 flange on top (z = 0) and a web of 0.8 down to z = 20; symmetric about y = 0.
SectionModel T_Model() {
  return SectionModel{"T", {{1, -7.5, 0}, {2, 0, 0}, {3, 7.5, 0}, {4, 0, 20}},
                      {Wall(1, 1, 2, 1.0), Wall(2, 2, 3, 1.0), Wall(3, 2, 4, 0.8)}, false};
}

// The line readers give what the row readers give, at the ends and inside, in both angle
// kinds and turned frames; the stresses are the flows over the wall thickness at s; the
// warping flow's ordinate is the one of the point values at the same point.
TEST_F(DwqbUnitValues, LineReadersFollowTheRowReaders) {
  const SectionModel models[] = {Ipe300_Model(1.5), Channel_Model(), Tapered_Angle_Model(), Box_Model(10, 20, 0.5),
                                 Rounded_Channel_Model()};
  for (const SectionModel &m : models) {
    Run(m);
    for (const ModelLine &ml : m.lines) {
      DWQB_LINE *L = Find_DWQB_Line_Record(ml.nr);
      ASSERT_NE(L, nullptr);
      for (double s : {-1.0, -0.2, 1.0})
        for (int kind : {DWQB_ANGLE_Y, DWQB_ANGLE_PRINCIPAL})
          for (double angle : {0.0, 0.4}) {
            SCOPED_TRACE(m.name + " line " + std::to_string(ml.nr) + " s " + std::to_string(s) + " kind " +
                         std::to_string(kind) + " angle " + std::to_string(angle));
            double rows[5], flows[5], stresses[5];
            ASSERT_EQ(Get_DWQB_Line_Shear_Values(L, kind, rows, s, angle, 0), 1);
            ASSERT_EQ(Get_DWQB_Line_Shear_Flows(ml.nr, s, kind, angle, flows), 1);
            ASSERT_EQ(Get_DWQB_Line_Shear_Stresses(ml.nr, s, kind, angle, stresses), 1);
            const double t = ((1 - s) * ml.v[0] + (1 + s) * ml.v[1]) / 2;
            for (int j = 0; j < 5; ++j) EXPECT_DOUBLE_EQ(flows[j], rows[j]) << j;
            EXPECT_DOUBLE_EQ(flows[4], 1 / t);
            for (int j = 0; j < 3; ++j) EXPECT_NEAR(stresses[j], flows[j] / t, 1e-12 * (1 + std::fabs(flows[j])));
            EXPECT_DOUBLE_EQ(stresses[4], 1 / t);
          }
      for (double s : {-1.0, -0.2, 1.0})
        for (int frame : {DWQB_FRAME_ORIGIN, DWQB_FRAME_CENTROID, DWQB_FRAME_SHEAR_CENTRE}) {
          SCOPED_TRACE(m.name + " warping, line " + std::to_string(ml.nr) + " frame " + std::to_string(frame));
          double y, z, w[5];
          Get_DWQB_Line_Centre_Point(L, s, &y, &z);
          DWQB_POINT_VALUES rec;
          ASSERT_EQ(Calc_DWQB_Line_Point_Values(ml.nr, y, z, 0, 1, 0, 0, 0, 0, frame, 0.3, -0.2, &rec), 1);
          ASSERT_EQ(Get_DWQB_Line_Warping_Flow(ml.nr, s, frame, 0.3, -0.2, w), 1);
          EXPECT_NEAR(w[0], rec.omega, 1e-9 * (1 + std::fabs(rec.omega)));
          EXPECT_NEAR(w[1], rec.y_w0, 1e-12);
          EXPECT_NEAR(w[2], rec.z_w0, 1e-12);
        }
    }
  }
}

// Missing lines, null outputs and a section without part tree give 0 and leave out alone.
TEST_F(DwqbUnitValues, RefusedReads) {
  Run(Channel_Model());
  double out[5] = {7, 7, 7, 7, 7};
  EXPECT_EQ(Get_DWQB_Line_Shear_Flows(99, 0, 0, 0, out), 0);
  EXPECT_EQ(Get_DWQB_Line_Shear_Stresses(99, 0, 0, 0, out), 0);
  EXPECT_EQ(Get_DWQB_Line_Warping_Flow(99, 0, 0, 0, 0, out), 0);
  EXPECT_EQ(Get_DWQB_Line_Warping_Stress(99, 0, out), 0);
  EXPECT_EQ(Get_DWQB_Line_Shear_Flows(1, 0, 0, 0, nullptr), 0);
  EXPECT_EQ(out[0], 7.0);
  // Direct mode keeps no result blocks.
  DWQB_Part_Mode_Switch = 0;
  DWQB_Wall_Terms_Switch = 0;
  Run(Channel_Model());
  EXPECT_EQ(Get_DWQB_Line_Warping_Stress(1, 0, out), 0);
  double lo[3], hi[3];
  EXPECT_EQ(Get_DWQB_Outline_Stress_Extremes(1, 0, 0, 0, 0, lo, hi), 0);
  EXPECT_EQ(hi[1], 0.0);
  DWQB_SUMMARY sum;
  EXPECT_EQ(Get_DWQB_Querschnitt_Summary(&sum), 0);
  EXPECT_EQ(sum.A, 0.0);
}

// Outline extremes of the normal-stress coefficients: the fibre distances of beam theory
// (IPE 300: ±15 cm and ±7.5 cm about the centroid; the channel's web side and tips), an
// eccentric normal force, and the bending frame turned by 90°.
TEST_F(DwqbUnitValues, OutlineExtremesAreTheExtremeFibres) {
  const double kHalfPi = std::numbers::pi / 2;
  Run(Ipe300_Model(1.5));
  const double *v = Get_DWQB_Values()->v;
  const double A = v[DWQB_V_A], I1 = v[DWQB_V_I1], I2 = v[DWQB_V_I2];
  ASSERT_NEAR(15 / I1, 1.795076e-3, 1e-8);
  ASSERT_NEAR(7.5 / I2, 1.242177e-2, 1e-7);
  struct Case {
    const char *what;
    double y_p, z_p, theta;
    double lo[3], hi[3];
  } cases[] = {
      {"centric", 0, 0, 0, {1 / A, -15 / I1, -7.5 / I2}, {1 / A, 15 / I1, 7.5 / I2}},
      {"N 5 cm below", 0, 5, 0, {1 / A - 75 / I1, -15 / I1, -7.5 / I2}, {1 / A + 75 / I1, 15 / I1, 7.5 / I2}},
      {"N 2 cm aside", 2, 0, 0, {1 / A - 15 / I2, -15 / I1, -7.5 / I2}, {1 / A + 15 / I2, 15 / I1, 7.5 / I2}},
      {"frame at 90°", 0, 0, kHalfPi, {1 / A, -7.5 / I2, -15 / I1}, {1 / A, 7.5 / I2, 15 / I1}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    double lo[3], hi[3];
    ASSERT_EQ(Get_DWQB_Outline_Stress_Extremes(DWQB_FRAME_CENTROID, c.y_p, c.z_p, DWQB_ANGLE_Y, c.theta, lo, hi), 1);
    for (int j = 0; j < 3; ++j) {
      EXPECT_NEAR(lo[j], c.lo[j], 1e-9) << j;
      EXPECT_NEAR(hi[j], c.hi[j], 1e-9) << j;
    }
  }
  // The channel is not symmetric in y: its web side and its tips give different extremes.
  Run(Channel_Model());
  const double ys = v[DWQB_V_YS], Ic2 = v[DWQB_V_I2];
  double lo[3], hi[3];
  ASSERT_EQ(Get_DWQB_Outline_Stress_Extremes(DWQB_FRAME_CENTROID, 0, 0, DWQB_ANGLE_Y, 0, lo, hi), 1);
  EXPECT_NEAR(lo[2], -(9.5 - ys) / Ic2, 1e-9);
  EXPECT_NEAR(hi[2], (ys + 0.5) / Ic2, 1e-9);
}

// A wall of part number 1 far below the I section counts in no outline, so it moves none
// of the extremes.
TEST_F(DwqbUnitValues, OutlineExtremesSkipCentreLineWalls) {
  Run(Ipe300_Model(1.5));
  double lo0[3], hi0[3];
  ASSERT_EQ(Get_DWQB_Outline_Stress_Extremes(DWQB_FRAME_CENTROID, 0, 0, DWQB_ANGLE_Y, 0, lo0, hi0), 1);
  SectionModel m = Ipe300_Model(1.5);
  m.nodes.push_back({7, -5, 60});
  m.nodes.push_back({8, 5, 60});
  m.lines.push_back({6, 7, 8, {1, 1, 0, 0, 0, 0, 0, 0, 0}, 1});
  Run(m);
  double lo[3], hi[3];
  ASSERT_EQ(Get_DWQB_Outline_Stress_Extremes(DWQB_FRAME_CENTROID, 0, 0, DWQB_ANGLE_Y, 0, lo, hi), 1);
  for (int j = 0; j < 3; ++j) {
    EXPECT_NEAR(lo[j], lo0[j], 1e-9) << j;
    EXPECT_NEAR(hi[j], hi0[j], 1e-9) << j;
  }
}

// The shear variants sample as the shear extremes of the part tree do (11 points below
// n = 2); the warping variants reach the flange-tip ordinates ±h b / 4 of the I section's
// centre line, and their stresses those over I_w.
TEST_F(DwqbUnitValues, ExtremeValuesOfTheFourVariants) {
  for (const SectionModel &m : {Channel_Model(), Tapered_Angle_Model()}) {
    Run(m);
    for (int n : {0, 1, 11, 5})
      for (int mode : {0, 1})
        for (int per_t : {0, 1}) {
          SCOPED_TRACE(m.name + " n " + std::to_string(n) + " mode " + std::to_string(mode) + " per_t " +
                       std::to_string(per_t));
          double lo[5], hi[5], rlo[5], rhi[5];
          const int variant = per_t ? DWQB_EXTREME_SHEAR_STRESSES : DWQB_EXTREME_SHEAR_FLOWS;
          ASSERT_EQ(Get_DWQB_Extreme_Values(variant, mode, n, 0.3, 0, lo, hi), 1);
          Calc_DWQB_Line_Shear_Extremes(mode, n < 2 ? 11 : n, rlo, 0.3, rhi, per_t);
          for (int j = 0; j < 5; ++j) {
            EXPECT_DOUBLE_EQ(lo[j], rlo[j]) << j;
            EXPECT_DOUBLE_EQ(hi[j], rhi[j]) << j;
          }
        }
  }
  Run(Ipe300_Model(0));
  const double tip = 28.93 * 15 / 4, Iw = Get_DWQB_Values()->v[DWQB_V_IW];
  double lo[5], hi[5];
  ASSERT_EQ(Get_DWQB_Extreme_Values(DWQB_EXTREME_WARPING_FLOWS, DWQB_FRAME_SHEAR_CENTRE, 11, 0, 0, lo, hi), 1);
  EXPECT_NEAR(lo[0], -tip, 1e-6 * tip);
  EXPECT_NEAR(hi[0], tip, 1e-6 * tip);
  // The stresses take the shear centre whatever mode and offsets say.
  ASSERT_EQ(Get_DWQB_Extreme_Values(DWQB_EXTREME_WARPING_STRESSES, DWQB_FRAME_ORIGIN, 11, 3, 4, lo, hi), 1);
  EXPECT_NEAR(hi[0], tip / Iw, 1e-6 * tip / Iw);
  EXPECT_NEAR(lo[0], -tip / Iw, 1e-6 * tip / Iw);
  // A pole 2 cm beside the shear centre adds ±2 (h / 2) at the flanges.
  ASSERT_EQ(Get_DWQB_Extreme_Values(DWQB_EXTREME_WARPING_FLOWS, DWQB_FRAME_SHEAR_CENTRE, 11, 2, 0, lo, hi), 1);
  EXPECT_NEAR(hi[0], tip + 2 * 28.93 / 2, 1e-6 * tip);
  EXPECT_EQ(Get_DWQB_Extreme_Values(7, 0, 11, 0, 0, lo, hi), 0);
  EXPECT_EQ(hi[0], 0.0);
}

// The summary holds the solver's values; the radii of gyration are sqrt(I / A); the Wagner
// values vanish about every axis of symmetry: both on the I section, the first on the
// channel (symmetric about its horizontal axis), the second on the T, neither on the angle.
TEST_F(DwqbUnitValues, SummaryOfTheRun) {
  struct Case {
    SectionModel m;
    bool wagner_1, wagner_2;  // non-zero expected
    int lines;
  } cases[] = {{Ipe300_Model(1.5), false, false, 5},
               {Channel_Model(), false, true, 3},
               {T_Model(), true, false, 3},
               {Angle_Model(), true, true, 2},
               {Box_Model(10, 20, 0.5), false, false, 4}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.m.name);
    Run(c.m);
    const double *v = Get_DWQB_Values()->v;
    DWQB_SUMMARY s;
    ASSERT_EQ(Get_DWQB_Querschnitt_Summary(&s), 1);
    EXPECT_EQ(s.n_lines, c.lines);
    EXPECT_EQ(s.n_parts, 1);
    const int idx[] = {DWQB_V_A, DWQB_V_I1, DWQB_V_I2, DWQB_V_IT, DWQB_V_IW, DWQB_V_YS, DWQB_V_ZS, DWQB_V_YM, DWQB_V_ZM};
    const double got[] = {s.A, s.I_1, s.I_2, s.I_T, s.I_w, s.y_s, s.z_s, s.y_M, s.z_M};
    for (int k = 0; k < 9; ++k) EXPECT_NEAR(got[k], v[idx[k]], 1e-9 * (1 + std::fabs(v[idx[k]]))) << k;
    EXPECT_NEAR(s.i_1, std::sqrt(v[DWQB_V_I1] / v[DWQB_V_A]), 1e-12);
    EXPECT_NEAR(s.i_z, std::sqrt(v[DWQB_V_IN] / v[DWQB_V_A]), 1e-12);
    EXPECT_NEAR(s.y_min, v[DWQB_V_YMIN], 1e-12);
    EXPECT_NEAR(s.width_z, v[DWQB_V_ZMAX] - v[DWQB_V_ZMIN], 1e-12);
    EXPECT_NEAR(s.y_M_s, v[DWQB_V_YM] - v[DWQB_V_YS], 1e-12);
    EXPECT_EQ(s.U_inner > 0, c.m.closed);
    const double scale = std::sqrt(v[DWQB_V_I1] / v[DWQB_V_A]);
    EXPECT_EQ(std::fabs(s.wagner_1) > 1e-6 * scale, c.wagner_1) << s.wagner_1;
    EXPECT_EQ(std::fabs(s.wagner_2) > 1e-6 * scale, c.wagner_2) << s.wagner_2;
  }
  EXPECT_EQ(Get_DWQB_Querschnitt_Summary(nullptr), 0);
  Reset_DWQB_Querschnitt();
  DWQB_SUMMARY s;
  s.A = 5;
  EXPECT_EQ(Get_DWQB_Querschnitt_Summary(&s), 0);
  EXPECT_EQ(s.A, 0.0);
}

}  // namespace
