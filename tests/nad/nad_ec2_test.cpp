// The EC2 blocks of the built-in national-annex sets.
#include <gtest/gtest.h>

#include <vector>

#include "nad/nad.h"

// Every field of both sets: EN 1992-1-1, Table 2.1N, 3.1.6 and 12.3.1 (recommended
// values); DIN EN 1992-1-1/NA, Table 2.1DE, NDP 3.1.6(1)P, (2)P and 12.3.1(1).
TEST(NadEc2, BlocksOfBothSets) {
  const std::vector<double> gamma_s = {1.15, 1.0, 1.15, 1.15, 1.15};
  struct Set { const char *name; std::vector<double> fields; } sets[] = {
      {"EC-Standardparameter", {1.5, 1.2, 1.5, 1.5, 1.0, 1.0, 1.0, 0.8, 0.8}},
      {"Deutschland", {1.5, 1.3, 1.5, 1.5, 1.0, 0.85, 0.85, 0.70, 0.70}},
  };
  Reset_NAD_For_Tests();
  for (const Set &s : sets) {
    ASSERT_EQ(1, Set_Active_NAD(s.name));
    const NAD_EC2_PARAMETERS *b = Get_NAD_EC2_Parameters();
    ASSERT_NE(nullptr, b);
    const std::vector<double> c(b->gamma_c, b->gamma_c + 5), g(b->gamma_s, b->gamma_s + 5);
    EXPECT_EQ(s.fields, (std::vector<double>{c[0], c[1], c[2], c[3], c[4], b->alpha_cc, b->alpha_ct, b->alpha_cc_pl,
                                             b->alpha_ct_pl})) << s.name;
    EXPECT_EQ(std::make_pair(gamma_s, 0), std::make_pair(g, b->first_word)) << s.name;
  }
  Clear_Active_NAD();
  EXPECT_EQ(nullptr, Get_NAD_EC2_Parameters());
  Reset_NAD_For_Tests();
}
