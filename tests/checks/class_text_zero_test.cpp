// The class text's load words name ψ without a sign where it rounds to zero: the web of a
// welded I 300 × 8 with flanges 150 × 12 (c = 276 mm, A = 5808 mm², I_y = 88709184 mm⁴;
// compression positive, N in N, moments in Nmm) under N = 100 kN with M_y just above the
// moment that brings one end of the web to σ = 0: σ = N/A ± M·138/I_y = 17.2176 ± (17.2176 +
// 0.0344), ψ = −0.0344 / 34.47 = −0.000998, printed "Ê = 0.00" and never "Ê = -0.00".
#include <regex>
#include <string>

#include "checks/checks.h"
#include "tests/checks/checks_fixture.h"
#include "tests/profil/profil_shapes.h"

TEST_F(ChecksTest, ClassTextPsiThatRoundsToZeroHasNoSign) {
  PROFIL p{};
  Reset_Profil(&p);
  Set_Shape(&p, PROFIL_I, 300, 8, 150, 12, 150, 12, 0, 0, 0);
  Init_Material_Data(&p.grade);
  ASSERT_EQ(0, Calc_Profil_Querschnittswerte(&p, nullptr, 0, ""));
  const double N = 100e3, sigma_N = N / 5808.0, M = sigma_N * 1.002 * 88709184.0 / 138.0;
  for (const double M_y : {M, -M}) {
    SCOPED_TRACE(M_y);
    PrintCapture cap;
    int f1 = -9, f2 = -9, web = -9;
    double u = -1;
    Print_Querschnittsklasse(&p, N, M_y, 0, 1.0, 1, 0, &f1, &f2, &web, 3, &u, cap.stream(), 2, nullptr);
    Oli_End_Text(cap.stream());
    const std::string text = cap.Raw();
    EXPECT_NE(std::string::npos, text.find("Druck+Biegung (Ê = 0.00)"_cp)) << text;
    EXPECT_FALSE(std::regex_search(text, std::regex(R"(-0(\.0*)?(?![0-9.]))"))) << text;
  }
  Reset_Profil(&p);
}
