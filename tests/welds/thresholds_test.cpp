// The least carrying length of a fillet weld (EN 1993-1-8, 4.5.2(2): 30 mm or 6 a, the
// larger) straddled from both sides, for a throat whose 6 a lies below 30 mm and one above.
#include <gtest/gtest.h>

#include <cmath>

#include "support/cp850.h"
#include "tests/materials/capture.h"
#include "welds/welds.h"

namespace {

// S235 (f_u 360, β_w 0.8, γ_M2 1.25): f_vw,d = 360 / (√3 · 0.8 · 1.25) = 207.846097 N/mm²;
// F_w,Rd = f_vw,d a l / 1000 kN. A flange weld of 100 mm carries beside the web weld asked.
TEST(WeldsFillet, LeastCarryingLengthFromBothSides) {
  struct Case {
    double a, l_web;
    double l_eff;
  } cases[] = {
      {4, 30.0, 130},    // 6 a = 24 < 30: 30 mm carries
      {4, 29.9, 100},    // just below 30 mm: nothing
      {6, 33.0, 100},    // between 30 and 6 a = 36: nothing
      {6, 36.0, 136},    // 6 a exactly
      {6, 35.9, 100},
      {5, 30.0, 130},    // 6 a = 30 = the least length
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "a " << c.a << " l_web " << c.l_web);
    WELD_SEAM w;
    Init_Weld_Record(&w);
    w.a = c.a, w.l_flange = 100, w.l_web = c.l_web, w.f_u = 360, w.beta_w = 0.8, w.F_Ed = 50;
    ASSERT_EQ(Check_Weld_Seam(&w, nullptr, nullptr), 0);
    EXPECT_EQ(w.l_eff, c.l_eff);
    EXPECT_NEAR(w.F_w_Rd, 207.846097 * c.a * c.l_eff / 1000, 1e-5);
  }
}

// A weld loaded exactly to its resistance (F_Ed = F_w,Rd, the same product) is "ok" with
// the sign ≤; a hair above it is not.
TEST(WeldsFillet, UtilisationOfOneExactly) {
  const double F_w_Rd = 360 / (std::sqrt(3.0) * 0.8 * 1.25) * 4 * 100 / 1000.0;  // 83.138439 kN
  for (double F : {F_w_Rd, F_w_Rd * (1 + 1e-6)}) {
    WELD_SEAM w;
    Init_Weld_Record(&w);
    w.a = 4, w.l_flange = 100, w.f_u = 360, w.beta_w = 0.8, w.F_Ed = F;
    PrintCapture pc;
    ASSERT_EQ(Check_Weld_Seam(&w, pc.stream(), ""), 0);
    ASSERT_EQ(pc.Lines().size(), 1u);
    const std::string tail = F == F_w_Rd ? " = 1.000  ¾  1  ok"_cp : " = 1.000  >  1  nicht ok !!"_cp;
    EXPECT_EQ(pc.Lines()[0].substr(pc.Lines()[0].size() - tail.size()), tail) << F;
  }
}

}  // namespace
