// When the stress check takes a row's forces as zero (the member program asks the same
// question): N, V_y, V_z below 0.01 kN, the moments, torques and the bimoment below 0.001,
// each straddled on its own and with the other sign; a force cut to zero beside a moment
// below 0.001 is still nothing to prove.
#include <gtest/gtest.h>

#include "checks/checks.h"

TEST(StressCheckForcesZero, EachThresholdFromBothSides) {
  const double below[8] = {0.0099, 0.00099, 0.00099, 0.0099, 0.0099, 0.00099, 0.00099, 0.00099};
  const double at[8] = {0.01, 0.001, 0.001, 0.01, 0.01, 0.001, 0.001, 0.001};
  auto zero = [](const double F[8]) { return Stress_Check_Forces_Zero(F[0], F[1], F[2], F[3], F[4], F[5], F[6], F[7]); };
  for (int k = 0; k < 8; ++k) {
    SCOPED_TRACE(::testing::Message() << "slot " << k);  // N, M_y, M_z, V_y, V_z, T_t, T_w, B
    for (double sign : {1.0, -1.0}) {
      double F[8] = {};
      F[k] = sign * below[k];
      EXPECT_EQ(1, zero(F)) << sign;
      F[k] = sign * at[k];
      EXPECT_EQ(0, zero(F)) << sign;
    }
  }
  const double mixed[8] = {0.005, 0.0005, -0.0009, -0.009, 0.009, 0.0009, -0.0009, 0.0009};
  EXPECT_EQ(1, zero(mixed));
  const double none[8] = {};
  EXPECT_EQ(1, zero(none));
}
