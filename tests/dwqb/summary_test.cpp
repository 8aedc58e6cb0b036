// The section summary's moduli and principal values, the shear-centre block and the unit
// shear extremes of a mono-symmetric I against hand values, as given and turned (cm).
#include <cmath>
#include <numbers>

#include "dwqb/dwqb_fixture.h"
#include "dwqb/dwqb_stress.h"
#include "dwqb/section_models.h"

namespace {

class DwqbSummary : public DwqbTest {
 protected:
  static void Run(const SectionModel &m) {
    Reset_DWQB_Querschnitt();
    m.Build();
    ASSERT_EQ(Calc_DWQB_Querschnitt(), 0) << m.name;
  }
};

// I of straight walls: top flange 20 × 1 on z = 0, bottom flange 10 × 1 on z = 20, web 0.5
// between them; the flanges run from their tips to the web.
SectionModel Mono_I() {
  return SectionModel{"mono-symmetric I",
                      {{1, -10, 0}, {2, 0, 0}, {3, 10, 0}, {4, -5, 20}, {5, 0, 20}, {6, 5, 20}},
                      {Wall(1, 1, 2, 1.0), Wall(2, 3, 2, 1.0), Wall(3, 2, 5, 0.5), Wall(4, 4, 5, 1.0),
                       Wall(5, 6, 5, 1.0)},
                      false};
}

// Hand values of the mono-symmetric I; the web counts between the flange faces (19 × 0.5):
//   A = 20 + 9.5 + 10 = 39.5, S_z = 9.5 · 10 + 10 · 20 = 295, z_s = 295 / 39.5 = 7.468354
//   ∫z² dA = 20/12 + 0.5 (19.5³ − 0.5³) / 3 + 10 · 400 + 10/12 = 5238.2917
//   I_y = 5238.2917 − 39.5 z_s² = 3035.1271; I_z = 20³/12 + 10³/12 + 9.5 · 0.5³/12 = 750.1979
//   extremes with the walls: z −0.5 and 20.5, y ±10
//   W_y = I_y / (z_s + 0.5) = 380.8976 (top), I_y / (20.5 − z_s) = 232.9044 (bottom)
//   W_z = I_z / 10 = 75.01979 both sides
// Shear centre (thin-walled, flanges' own I_z 666.67 and 83.33, 20 apart): 20 · 83.33 /
// 750 = 2.2222 below the top flange; I_w = 20² · 666.67 · 83.33 / 750 = 29629.63.
constexpr double kIy = 5238.291667 - 295.0 * 295.0 / 39.5, kIz = 750.197917, kZs = 295.0 / 39.5;

// The summary's moduli about y, z and the principal axes; its shear centre and warping
// constant. Turned by 0.5 rad the principal values and moduli stay, the y/z moduli change.
TEST_F(DwqbSummary, ModuliOfAMonoSymmetricI) {
  Run(Mono_I());
  DWQB_SUMMARY s;
  ASSERT_EQ(Get_DWQB_Querschnitt_Summary(&s), 1);
  EXPECT_NEAR(s.A, 39.5, 1e-9);
  EXPECT_NEAR(s.z_s, kZs, 1e-9);
  EXPECT_NEAR(s.I_y, kIy, 1e-5);
  EXPECT_NEAR(s.I_z, kIz, 1e-5);
  EXPECT_NEAR(s.z_min, -0.5, 1e-9);
  EXPECT_NEAR(s.z_max, 20.5, 1e-9);
  const double W_top = kIy / (kZs + 0.5), W_bottom = kIy / (20.5 - kZs);
  EXPECT_NEAR(W_top, 380.8976, 1e-4);
  EXPECT_NEAR(W_bottom, 232.9044, 1e-4);
  struct Row {
    const char *name;
    double got, want;
  } rows[] = {
      {"W_y,zmin", s.W_y_zmin, W_top},         {"W_y,zmax", s.W_y_zmax, W_bottom},
      {"W_z,ymin", s.W_z_ymin, kIz / 10},      {"W_z,ymax", s.W_z_ymax, kIz / 10},
      {"W_y", s.W_y, W_bottom},                {"W_z", s.W_z, kIz / 10},
      {"I_1", s.I_1, kIy},                     {"I_2", s.I_2, kIz},
      {"I_p", s.I_p, kIy + kIz},               {"i_y", s.i_y, std::sqrt(kIy / 39.5)},
      {"i_z", s.i_z, std::sqrt(kIz / 39.5)},   {"i_p", s.i_p, std::sqrt((kIy + kIz) / 39.5)},
      {"W_1,vmin", s.W_1_vmin, W_top},         {"W_1,vmax", s.W_1_vmax, W_bottom},
      {"W_2,umin", s.W_2_umin, kIz / 10},      {"W_2,umax", s.W_2_umax, kIz / 10},
      {"W_1", s.W_1, W_bottom},                {"W_2", s.W_2, kIz / 10},
      {"W_y unsym min", s.W_y_unsym_min, -W_top}, {"W_y unsym max", s.W_y_unsym_max, W_bottom},
      {"W_z unsym min", s.W_z_unsym_min, -kIz / 10}, {"W_z unsym max", s.W_z_unsym_max, kIz / 10},
      {"z_M", s.z_M, 20 * 83.3333333 / 750},   {"z_M - z_s", s.z_M_s, 20 * 83.3333333 / 750 - kZs},
      {"y_M", s.y_M, 0},                       {"I_w", s.I_w, 400 * 666.666667 * 83.3333333 / 750},
      {"width z", s.width_z, 21},              {"width y", s.width_y, 20},
  };
  for (const Row &r : rows) EXPECT_NEAR(r.got, r.want, 1e-6 * (1 + std::fabs(r.want))) << r.name;

  // Turned by 0.5 rad about the origin: the principal values and moduli are the section's
  // own; about y the extreme fibres are now corners of the turned flanges.
  Run(Mono_I().Turned(0.5));
  DWQB_SUMMARY t;
  ASSERT_EQ(Get_DWQB_Querschnitt_Summary(&t), 1);
  EXPECT_NEAR(std::fabs(t.alpha), 0.5, 1e-9);
  const double same[][2] = {{t.I_1, kIy},      {t.I_2, kIz},         {t.W_1_vmin, W_top}, {t.W_1_vmax, W_bottom},
                            {t.W_2_umin, kIz / 10}, {t.W_2_umax, kIz / 10}, {t.W_1, W_bottom}, {t.W_2, kIz / 10}};
  for (const auto &p : same) EXPECT_NEAR(p[0], p[1], 1e-6 * p[1]);
  EXPECT_LT(t.W_y, W_bottom * 0.9);  // the turned section bends less stiffly about y
}

// Unit shear flows V S / I of the thin-walled centre-line model (walls t l, no t³ terms):
//   I_y = 20 · 7.5² + 0.5 · 20³/12 + 0.5 · 20 · 2.5² + 10 · 12.5² = 3083.333 (z_s 7.5)
//   I_z = 20³/12 + 10³/12 = 750
// Along z: web at the centroid S = 20 · 7.5 + 0.5 · 7.5²/2 = 164.0625, q = 0.0532095, τ =
// q / 0.5 = 0.106419; bottom flange at the web S = 5 · 12.5 = 62.5, q = 0.0202703 (the
// other way round). Along y: the top flange's middle S = 10 · 5 = 50, q = 1/15 either way.
// Sampled at 41 points the web's s = −0.25 meets the centroid; at 11 points the web's
// nearest sample z = 8 gives S = 164.0625 − 0.5 · 0.5²/2 = 164.0, τ = 0.1063784.
// A frame turned by 90° takes the force along z as its first axis.
TEST_F(DwqbSummary, ShearExtremesAreVSOverI) {
  Run(Mono_I());
  const double Iy = 3083.333333, Iz = 750;
  const double q_web = 164.0625 / Iy, q_bottom = 62.5 / Iy, q_top = 50 / Iz;
  struct Case {
    int variant, mode, n;
    double angle;
    double lo[2], hi[2];
  } cases[] = {
      {DWQB_EXTREME_SHEAR_FLOWS, DWQB_ANGLE_Y, 41, 0, {-q_bottom, -q_top}, {q_web, q_top}},
      {DWQB_EXTREME_SHEAR_FLOWS, DWQB_ANGLE_PRINCIPAL, 41, 0, {-q_bottom, -q_top}, {q_web, q_top}},
      {DWQB_EXTREME_SHEAR_STRESSES, DWQB_ANGLE_Y, 41, 0, {-q_bottom, -q_top}, {q_web / 0.5, q_top}},
      {DWQB_EXTREME_SHEAR_STRESSES, DWQB_ANGLE_Y, 11, 0, {-q_bottom, -q_top}, {164.0 / Iy / 0.5, q_top}},
      {DWQB_EXTREME_SHEAR_FLOWS, DWQB_ANGLE_Y, 41, std::numbers::pi / 2, {-q_top, -q_bottom}, {q_top, q_web}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "variant " << c.variant << " mode " << c.mode << " n " << c.n << " angle "
                                      << c.angle);
    double lo[5], hi[5];
    ASSERT_EQ(Get_DWQB_Extreme_Values(c.variant, c.mode, c.n, c.angle, 0, lo, hi), 1);
    for (int j = 0; j < 2; ++j) {
      EXPECT_NEAR(lo[j], c.lo[j], 1e-7) << j;
      EXPECT_NEAR(hi[j], c.hi[j], 1e-7) << j;
    }
    EXPECT_EQ(lo[4], 1.0);  // 1/t of the flanges and the web
    EXPECT_EQ(hi[4], 2.0);
  }
  // The values block and the summary keep the 11-point extremes, of the opposite sign.
  DWQB_SUMMARY s;
  ASSERT_EQ(Get_DWQB_Querschnitt_Summary(&s), 1);
  EXPECT_NEAR(s.q_min, -q_top, 1e-7);
  EXPECT_NEAR(s.q_max, q_top, 1e-7);
  EXPECT_NEAR(s.tau_min, -164.0 / Iy / 0.5, 1e-7);
  EXPECT_NEAR(s.tau_max, q_top, 1e-7);
}

// Warping ordinates of the mono-symmetric I (thin-walled, ω = distance of the flange from
// the pole times y): about the shear centre, 2.2222 below the top flange, the tips reach
// ±2.2222 · 10 on top and ±17.7778 · 5 = ±88.889 below; about the centroid (z_s 7.46835 of
// the section) ±7.46835 · 10 = ±74.68 on top against ±12.53 · 5 below; a pole 1 cm further
// down from the shear centre ±3.2222 · 10 and ±16.7778 · 5. Their stresses per unit
// bimoment are the shear-centre ordinates over I_w = 29629.63.
TEST_F(DwqbSummary, WarpingExtremesAboutThreePoles) {
  Run(Mono_I());
  const double e = 20 * 83.3333333 / 750, I_w = 400 * 666.666667 * 83.3333333 / 750;
  struct Case {
    int variant, mode;
    double a, b, hi;
  } cases[] = {
      {DWQB_EXTREME_WARPING_FLOWS, DWQB_FRAME_SHEAR_CENTRE, 0, 0, (20 - e) * 5},
      {DWQB_EXTREME_WARPING_FLOWS, DWQB_FRAME_CENTROID, 0, 0, kZs * 10},
      {DWQB_EXTREME_WARPING_FLOWS, DWQB_FRAME_SHEAR_CENTRE, 0, 1, (20 - e - 1) * 5},
      {DWQB_EXTREME_WARPING_FLOWS, DWQB_FRAME_ORIGIN, 0, 0, 20 * 5},
      {DWQB_EXTREME_WARPING_STRESSES, 0, 0, 0, (20 - e) * 5 / I_w},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "variant " << c.variant << " frame " << c.mode << " pole " << c.a << ", " << c.b);
    double lo[5], hi[5];
    ASSERT_EQ(Get_DWQB_Extreme_Values(c.variant, c.mode, 11, c.a, c.b, lo, hi), 1);
    EXPECT_NEAR(hi[0], c.hi, 1e-6 * c.hi);
    EXPECT_NEAR(lo[0], -c.hi, 1e-6 * c.hi);
  }
}

}  // namespace
