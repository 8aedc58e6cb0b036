// Fillet weld check by the simplified method of EN 1993-1-8, 4.5.3.3, against hand values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "support/cp850.h"
#include "tests/materials/capture.h"
#include "welds/welds.h"

namespace {

WELD_SEAM Weld(double a, double l_f, double l_w, double f_u, double beta_w, double F_Ed, double gamma_M2 = 1.25,
               int kind = WELD_FILLET) {
  WELD_SEAM w;
  Init_Weld_Record(&w);
  w.a = a, w.l_flange = l_f, w.l_web = l_w, w.f_u = f_u, w.beta_w = beta_w, w.F_Ed = F_Ed;
  if (gamma_M2 != 1.25) w.gamma_M2 = gamma_M2;
  w.kind = kind;
  return w;
}

// Hand values: f_vw,d = f_u / (√3 β_w γ_M2), F_w,Rd = f_vw,d a l, U = |F_Ed| / F_w,Rd, with
// γ_M2 = 1.25 unless given; S235 (f_u 360, β_w 0.8) and a stronger grade (f_u 510, β_w 0.9);
// lengths below 30 mm or 6 a carry nothing (EN 1993-1-8, 4.5.2(2)). The one print line
// gives the weld, f_vw,d, F_w,Rd and the utilisation with its verdict; a weld that cannot
// be checked answers 1, keeps its results 0 and prints the red line.
TEST(WeldsFillet, SimplifiedMethodAndItsLine) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const char *refused = "  Fehler bei der Berechnung Kehlnaht !!";
  struct Case {
    const char *what;
    WELD_SEAM w;
    double f_vw_d, F_w_Rd, U, l_eff;  // all 0: refused
    const char *line = nullptr;
  } cases[] = {
      {"S235 a 4, flange 100", Weld(4, 100, 0, 360, 0.8, 50), 207.846097, 83.138439, 0.601407, 100,
       "  Kehlnaht a = 4.0 mm, l = 100.0 mm: f╬\\vw,d╬r = 207.8 N/mm², F╬\\w,Rd╬r = 83.1 kN, F╬\\w,Ed╬r / "
       "F╬\\w,Rd╬r = 0.601  <  1  ok"_cp},
      {"not ok", Weld(4, 100, 0, 360, 0.8, 90), 207.846097, 83.138439, 1.082532, 100,
       "  Kehlnaht a = 4.0 mm, l = 100.0 mm: f╬\\vw,d╬r = 207.8 N/mm², F╬\\w,Rd╬r = 83.1 kN, F╬\\w,Ed╬r / "
       "F╬\\w,Rd╬r = 1.083  >  1  nicht ok !!"_cp},
      {"f_u 510 a 5, 120 + 80", Weld(5, 120, 80, 510, 0.9, 300), 261.732122, 261.732122, 1.146210, 200,
       "  Kehlnaht a = 5.0 mm, l = 200.0 mm: f╬\\vw,d╬r = 261.7 N/mm², F╬\\w,Rd╬r = 261.7 kN, F╬\\w,Ed╬r / "
       "F╬\\w,Rd╬r = 1.146  >  1  nicht ok !!"_cp},
      {"force taken by its size", Weld(4, 100, 0, 360, 0.8, -50), 207.846097, 83.138439, 0.601407, 100},
      {"flange weld of 25 mm carries nothing", Weld(4, 25, 100, 360, 0.8, 50), 207.846097, 83.138439, 0.601407, 100},
      {"web weld below 6 a carries nothing", Weld(8, 60, 47, 360, 0.8, 50), 207.846097, 99.766127, 0.501172, 60},
      {"6 a exactly carries", Weld(8, 60, 48, 360, 0.8, 50), 207.846097, 179.579028, 0.278429, 108},
      {"the record's partial factor", Weld(4, 100, 0, 360, 0.8, 50, 1.0), 259.807621, 103.923048, 0.481125, 100},
      {"no throat", Weld(0, 100, 0, 360, 0.8, 50), 0, 0, 0, 0, refused},
      {"no strength", Weld(4, 100, 0, 0, 0.8, 50), 0, 0, 0, 0, refused},
      {"no beta_w", Weld(4, 100, 0, 360, 0, 50), 0, 0, 0, 0, refused},
      {"no partial factor", Weld(4, 100, 0, 360, 0.8, 50, 0), 0, 0, 0, 0, refused},
      {"another kind", Weld(4, 100, 0, 360, 0.8, 50, 1.25, 0), 0, 0, 0, 0, refused},
      {"negative length", Weld(4, -100, 100, 360, 0.8, 50), 0, 0, 0, 0, refused},
      {"no length carries", Weld(4, 20, 29, 360, 0.8, 50), 0, 0, 0, 0, refused},
      {"force not a number", Weld(4, 100, 0, 360, 0.8, nan), 0, 0, 0, 0, refused},
      {"throat not a number", Weld(nan, 100, 0, 360, 0.8, 50), 0, 0, 0, 0, refused},
      {"endless length", Weld(4, 1 / 0.0, 0, 360, 0.8, 50), 0, 0, 0, 0, refused},
  };
  for (Case &c : cases) {
    SCOPED_TRACE(c.what);
    PrintCapture pc;
    EXPECT_EQ(Check_Weld_Seam(&c.w, pc.stream(), "  "), c.U == 0 ? 1 : 0);
    EXPECT_NEAR(c.w.f_vw_d, c.f_vw_d, 1e-5);
    EXPECT_NEAR(c.w.F_w_Rd, c.F_w_Rd, 1e-5);
    EXPECT_NEAR(c.w.U, c.U, 1e-6);
    EXPECT_EQ(c.w.l_eff, c.l_eff);
    ASSERT_EQ(pc.Lines().size(), 1u);
    EXPECT_EQ(c.line ? pc.Lines()[0] : "", c.line ? c.line : "");
  }
  EXPECT_EQ(Check_Weld_Seam(nullptr, nullptr, nullptr), 1);
  WELD_SEAM w = Weld(4, 100, 0, 360, 0.8, 50);  // checked again without a carrying length
  ASSERT_EQ(Check_Weld_Seam(&w, nullptr, nullptr), 0);
  w.l_flange = 20;
  EXPECT_EQ(Check_Weld_Seam(&w, nullptr, nullptr), 1);
  EXPECT_EQ(w.U + w.F_w_Rd + w.l_eff, 0.0);
}

}  // namespace
