// One standard per member: the stress check of a member section runs to EN 1993-1-1 for a
// grade of the DIN values too, with that grade's DIN strength, so that its c/t utilisation is
// the member's own c/t line (EN 1993-1-1 Table 5.2), not DIN 18800's b/t tables.
#include <cmath>

#include "checks/checks.h"
#include "tests/checks/checks_fixture.h"

namespace {

// IPE 300 (EN 10365: h 300, b 150, t_w 7.1, t_f 10.7, r 15 mm; A 53.81 cm², I_y 8356 cm⁴)
// in the first grade row, Eurocode half (S235, 235 N/mm²) and DIN half (St 37, 240 N/mm²
// up to 40 mm), under N −300 kN and M_y 80 kNm, elastic.
// The web by hand, EN 1993-1-1 Table 5.2: c = 300 − 2·10.7 − 2·15 = 248.6 mm, c/t = 35.01;
// at its ends σ = 300/53.81·10 ± 80·12.43/8356·10³ = 55.75 ± 119.0 N/mm², ψ = −63.25/174.75
// = −0.362; class 3 limit 42ε/(0.67 + 0.33ψ) = 76.28ε, raised by sqrt(f_y/σ_com,Ed)
// (5.5.2(9)), so that f_y cancels: U = 35.01/(76.28·sqrt(235/174.75)) = 0.396 for either
// half, where DIN 18800's b/t tables gave 0.368. The stress utilisation keeps the grade's
// own strength: σ = 55.75 + 80·15/8356·10³ = 199.4 N/mm² over 240 for the DIN half.
TEST_F(ChecksTest, DinGradeMemberIsCheckedToOneStandard) {
  for (int din : {0, 1}) {
    SCOPED_TRACE(din ? "DIN half" : "Eurocode half");
    Library ipe("IPE300", 0);
    if (din) ipe.p.grade.family = MATERIAL_FAMILY_DIN_STEEL;
    Check_Material_Strength(&ipe.p.grade, ipe.p.t_fo, nullptr, 0, nullptr);
    ASSERT_EQ(din ? 240.0 : 235.0, ipe.p.grade.fy);
    double u_line = -1;
    ASSERT_EQ(0, Print_CT_Check(&ipe.p, 1.0, 0, 0, 0.0, 0, -300, 80, 0, 0, 0, 0, 0, 0, &u_line, nullptr, 2));
    double U_max = -1, U_sigma = -1, U_ct = -1;
    const int code = Print_Stress_Check(&ipe.p, 1.0, 0, 0, 1, 0, -300, 80, 0, 0, 0, 0, 0, 0, &U_max, &U_sigma, &U_ct,
                                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 2);
    EXPECT_TRUE(code & STRESS_DONE);
    EXPECT_NEAR(0.3958, u_line, 0.0005);
    EXPECT_NEAR(u_line, U_ct, 0.0005);
    // The stress: σ = 55.75 + 80·15/8356·10³ = 199.4 N/mm² over the grade's strength.
    EXPECT_NEAR(199.4 / ipe.p.grade.fy, U_sigma, 0.003);
  }
}

}  // namespace
