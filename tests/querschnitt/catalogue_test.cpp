// Section records of the catalogue: plate parts, stresses, records and the check sections.
// Reference values: EN 10365 IPE 300 (h 300, b 150, t_w 7.1, t_f 10.7, r 15 mm); stresses
// by σ = M z / I_y on the centre-line model.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dwqb/dwqb.h"
#include "host/host.h"
#include "materials/materials.h"
#include "profil/profil.h"
#include "querschnitt/querschnitt.h"
#include "querschnitt/querschnitt_internal.h"

namespace {

class Catalogue : public ::testing::Test {
 protected:
  void SetUp() override { Host_Reset(); }
  void TearDown() override {
    Free_Querschnitt_Record(&q_);
    Reset_Profil(&p_);
    Host_Reset();
  }
  // A welded parametric profile, grade S235, section values computed.
  void Welded(int type, double h, double tw, double bo, double to, double bu, double tu) {
    Reset_Profil(&p_);
    Init_Material_Data(&p_.grade);
    p_.kind = PROFIL_KIND_PARAMETRIC;
    p_.type = type;
    p_.h = h, p_.t_w = tw, p_.b_fo = bo, p_.t_fo = to, p_.b_fu = bu, p_.t_fu = tu;
    ASSERT_EQ(0, Calc_Profil_Querschnittswerte(&p_, nullptr, 0, ""));
  }
  QUERSCHNITT q_{};
  PROFIL p_{};
};

// Plate parts: widths, c/t and kinds of rolled, welded and tube sections.
TEST_F(Catalogue, PlatePartsOfRolledWeldedAndTubeSections) {
  ASSERT_EQ(0, Set_Profil_by_Library_Name(&p_, "IPE300"));
  double o[4];
  ASSERT_EQ(0, Build_Profil_Plate_Section(&p_, 0, 100, 0, 0, 0, 0, 0, 0, o, o + 1, o + 2, o + 3));
  std::vector<int> kinds;
  for (int i = 0;; ++i) {
    double ct, sa, sb;
    const int kind = Get_Profil_Plate_Part(i, &ct, &sa, &sb);
    if (kind == -2) break;
    kinds.push_back(kind);
    const QS_PLATE_PART &pp = Get_Querschnitt_Current()->parts[i];
    if (kind == 2) {
      EXPECT_NEAR(10 * pp.c, 248.6, 0.05);
      EXPECT_NEAR(ct, 35.01, 0.005);
      EXPECT_NEAR(sa, -sb, 1e-6);
      EXPECT_NEAR(std::fabs(sa), 148.76, 148.76 * 0.002);
    } else {
      EXPECT_EQ(kind, 0);
      EXPECT_NEAR(10 * pp.c, 56.45, 0.005);
      EXPECT_NEAR(ct, 5.276, 0.0005);
      EXPECT_NEAR(sa, sb, 1e-6);
      EXPECT_NEAR(std::fabs(sa), 173.11, 173.11 * 0.002);
    }
  }
  EXPECT_EQ(kinds.size(), 5u);
  EXPECT_NEAR(o[0], 179.51, 179.51 * 0.002);
  EXPECT_NEAR(o[1], -179.51, 179.51 * 0.002);
  EXPECT_EQ(Get_Profil_Plate_Part(5, nullptr, nullptr, nullptr), -2);
}

}  // namespace
