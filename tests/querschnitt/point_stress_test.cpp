// Stress points of the catalogue under torsion and warping: the c/t plate stresses under a
// bimoment, and the extremes of all eight forces against the solver's outline triangulation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "dwqb/dwqb.h"
#include "dwqb/dwqb_stress.h"
#include "host/host.h"
#include "materials/materials.h"
#include "profil/profil.h"
#include "profil/profil_shapes.h"
#include "querschnitt/querschnitt.h"

namespace {

class PointStress : public ::testing::Test {
 protected:
  void SetUp() override { Host_Reset(); }
  void TearDown() override {
    Reset_Profil(&p_);
    Host_Reset();
  }
  PROFIL p_{};
};

// HE 400 B (EN 10365: h 400, b 300, t_w 13.5, t_f 24, r 27 mm; I_w 3817·10³ cm⁶) under
// B = 50 kNm² alone: on the flanges' centre lines ω = (h_s/2)·y about the shear centre
// (h_s = 376 mm), so a cut y from the web has σ = B ω / I_w = 500000 · 18.8 y / 3.817e6
// kN/cm² with opposite signs on the two halves of a flange and on the two flanges, and 0 on
// the web; the flange tip (y = 15 cm) gives 36.94 kN/cm² = 369.4 N/mm².
TEST_F(PointStress, PlateStressesTakeTheBimoment) {
  Init_Material_Data(&p_.grade);
  ASSERT_EQ(0, Set_Profil_by_Library_Name(&p_, "HE400B"));
  double o[4];
  ASSERT_EQ(0, Build_Profil_Plate_Section(&p_, 0, 0, 0, 0, 0, 0, 0, 50, o, o + 1, o + 2, o + 3));
  EXPECT_NEAR(o[0], 369.4, 369.4 * 0.005);
  EXPECT_NEAR(o[1], -369.4, 369.4 * 0.005);
  const QUERSCHNITT *q = Get_Querschnitt_Current();
  ASSERT_NE(q, nullptr);
  int outstands = 0;
  double sum = 0;
  for (int i = 0; i < q->n_parts; ++i) {
    const QS_PLATE_PART &pp = q->parts[i];
    const DWQB_LINE *L = Find_DWQB_Line_Record(pp.line);
    ASSERT_NE(L, nullptr);
    if (pp.kind == 2) {  // the web
      EXPECT_NEAR(pp.sigma_a, 0.0, 0.01);
      EXPECT_NEAR(pp.sigma_b, 0.0, 0.01);
      continue;
    }
    ++outstands;
    for (const auto &[s, sigma] : {std::pair{pp.s_a, pp.sigma_a}, {pp.s_b, pp.sigma_b}}) {
      double y, z;
      Get_DWQB_Line_Centre_Point(L, s, &y, &z);
      const double want = 10 * 500000 * 18.8 * std::fabs(y - q->values[DWQB_V_YM]) / 3.817e6;
      EXPECT_NEAR(std::fabs(sigma), want, 0.005 * want + 0.01) << "line " << pp.line << " y " << y;
      // The sign follows y·(z − z_M): the four outstands alternate.
      EXPECT_EQ(sigma > 0, (y - q->values[DWQB_V_YM]) * (z - q->values[DWQB_V_ZM]) < 0) << pp.line;
      sum += sigma;
    }
  }
  EXPECT_EQ(outstands, 4);
  EXPECT_NEAR(sum, 0.0, 0.01);
}

// A welded mono-symmetric I (h 400, t_w 8, top flange 250 × 16, bottom 150 × 12) and the
// unequal angle L 150×100×10 under all eight forces at once, each sign of its own: the
// catalogue's stress points hold the triangulation's nodes, so their extremes of σ and σ_v
// (and of |τ|) are at least the triangulation's, and the station points between them add
// no more than a few per mille.
TEST_F(PointStress, ExtremesOfAllEightForcesMatchTheOutline) {
  const double F[][8] = {
      // N, M_y, M_z, V_y, V_z, T_t, T_w, B (kN, kNm, kNm²)
      {-300, 80, -12, 25, -140, 3.5, -1.5, 0.8},
      {150, -40, 20, -60, 90, -2, 2.5, -1.2},
  };
  for (int shape = 0; shape < 2; ++shape) {
    Reset_Profil(&p_);
    Init_Material_Data(&p_.grade);
    if (shape == 0) {
      Set_Shape(&p_, PROFIL_I, 400, 8, 250, 16, 150, 12, 0);
      ASSERT_EQ(0, Calc_Profil_Querschnittswerte(&p_, nullptr, 0, ""));
    } else {
      ASSERT_EQ(0, Set_Profil_by_Library_Name(&p_, "L150X100X10"));
    }
    for (const auto &f : F) {
      SCOPED_TRACE(testing::Message() << "shape " << shape << " N " << f[0]);
      double o[4];
      ASSERT_EQ(0, Build_Profil_Plate_Section(&p_, f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], o, o + 1, o + 2,
                                              o + 3));
      const QUERSCHNITT *q = Get_Querschnitt_Current();
      ASSERT_NE(q, nullptr);
      ASSERT_GT(q->n_outline, q->n_lines * 3);
      DWQB_TRI_PARAMS params = DWQB_TRI_DEFAULT_PARAMS;
      params.options |= 1;
      DWQB_OUTLINE_TRIANGULATION *tri = Calc_DWQB_OUTLINE_TRIANGULATION(
          DWQB_FRAME_CENTROID, 0, 0, DWQB_ANGLE_Y, 0, DWQB_FRAME_SHEAR_CENTRE, 0, 0, &params);
      ASSERT_NE(tri, nullptr);
      const double solver[8] = {f[0], 100 * f[1], 100 * f[2], f[3], f[4], 100 * f[5], 10000 * f[7], 100 * f[6]};
      double lo[3], hi[3];
      ASSERT_EQ(1, Calc_DWQB_OUTLINE_TRIANGULATION_NODE_Stresses_MinMax(tri, solver, lo, hi));
      Free_DWQB_OUTLINE_TRIANGULATION(tri);
      const double *ex = q->extreme;
      const double tau = std::max(-lo[1], hi[1]);
      EXPECT_LE(ex[QS_EX_SIGMA_MIN], lo[0] + 1e-9);
      EXPECT_GE(ex[QS_EX_SIGMA_MAX], hi[0] - 1e-9);
      EXPECT_GE(ex[QS_EX_TAU_MAX], tau - 1e-9);
      EXPECT_GE(ex[QS_EX_SV_MAX], hi[2] - 1e-9);
      EXPECT_NEAR(ex[QS_EX_SIGMA_MIN], lo[0], 0.002 * std::fabs(lo[0]));
      EXPECT_NEAR(ex[QS_EX_SIGMA_MAX], hi[0], 0.002 * std::fabs(hi[0]));
      EXPECT_NEAR(ex[QS_EX_TAU_MAX], tau, 0.005 * tau);
      EXPECT_NEAR(ex[QS_EX_SV_MAX], hi[2], 0.002 * hi[2]);
      // The point's own stresses are those of its extremes.
      double st[3];
      ASSERT_EQ(1, Get_Profil_Point_Stress(q->extreme_point[QS_EX_SV_MAX], st));
      EXPECT_DOUBLE_EQ(st[2], ex[QS_EX_SV_MAX]);
      EXPECT_EQ(0, Get_Profil_Point_Stress(q->n_points + q->n_outline, st));
      EXPECT_EQ(st[0] + st[1] + st[2], 0.0);
    }
  }
}

}  // namespace
