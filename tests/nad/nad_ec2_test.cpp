// The EC2 blocks of the built-in national-annex sets.
#include <gtest/gtest.h>

#include "nad/nad.h"

// Every field of both sets: EN 1992-1-1, Table 2.1N, 3.1.6 and 12.3.1 (recommended
// values); DIN EN 1992-1-1/NA, Table 2.1DE, NDP 3.1.6(1)P, (2)P and 12.3.1(1).
TEST(NadEc2, BlocksOfBothSets) {
  struct Set { const char *name; double gamma_c[5], gamma_s[5], acc, act, acc_pl, act_pl; } sets[] = {
      {"EC-Standardparameter", {1.5, 1.2, 1.5, 1.5, 1.0}, {1.15, 1.0, 1.15, 1.15, 1.15}, 1.0, 1.0, 0.8, 0.8},
      {"Deutschland", {1.5, 1.3, 1.5, 1.5, 1.0}, {1.15, 1.0, 1.15, 1.15, 1.15}, 0.85, 0.85, 0.70, 0.70},
  };
  Reset_NAD_For_Tests();
  for (const Set &s : sets) {
    SCOPED_TRACE(s.name);
    ASSERT_EQ(1, Set_Active_NAD(s.name));
    const NAD_EC2_PARAMETERS *b = Get_NAD_EC2_Parameters();
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(0, b->first_word);
    for (int k = 0; k < NAD_EC2_SITUATIONS; ++k) {
      EXPECT_DOUBLE_EQ(s.gamma_c[k], b->gamma_c[k]) << k;
      EXPECT_DOUBLE_EQ(s.gamma_s[k], b->gamma_s[k]) << k;
    }
    EXPECT_DOUBLE_EQ(s.acc, b->alpha_cc);
    EXPECT_DOUBLE_EQ(s.act, b->alpha_ct);
    EXPECT_DOUBLE_EQ(s.acc_pl, b->alpha_cc_pl);
    EXPECT_DOUBLE_EQ(s.act_pl, b->alpha_ct_pl);
  }
  Clear_Active_NAD();
  EXPECT_EQ(nullptr, Get_NAD_EC2_Parameters());
  Reset_NAD_For_Tests();
}
