// The member's grade where its strength steps (EN 10025-2 Table 7, S235: f_y 235 N/mm² up to
// t = 40 mm, 215 above, through the thickness the section's shape names), and the result
// page visited again after the rows changed.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/host_test.h"
#include "stahl_ec3/program_internal.h"
#include "tests/stahl_ec3/member_fixture.h"
#include "tests/testsupport/screen_test.h"

namespace {

// Each shape with the thickness its grade is read at (the largest plate; a flat bar's
// smaller side, a round bar's diameter, a tube's wall): just at 40 mm and just above.
TEST(MemberGrade, StrengthStepsAboveFortyMillimetres) {
  struct Case {
    const char *what;
    int type;
    double h, t_w, b_fo, t_fo, b_fu, t_fu;
    double fy;
  } cases[] = {
      {"flat 200 × 40", PROFIL_FLAT, 200, 40, 0, 0, 0, 0, 235},
      {"flat 200 × 41", PROFIL_FLAT, 200, 41, 0, 0, 0, 0, 215},
      {"flat 40 × 300 standing", PROFIL_FLAT, 40, 300, 0, 0, 0, 0, 235},
      {"round 40", PROFIL_ROUND, 40, 0, 0, 0, 0, 0, 235},
      {"round 41", PROFIL_ROUND, 41, 0, 0, 0, 0, 0, 215},
      {"tube 300 × 41", PROFIL_CHS, 300, 41, 0, 0, 0, 0, 215},
      {"I, bottom flange 41", PROFIL_I, 400, 10, 200, 20, 200, 41, 215},
      {"I, top flange 41", PROFIL_I, 400, 10, 200, 41, 200, 20, 215},
      {"I, web 41", PROFIL_I, 400, 41, 200, 20, 200, 20, 215},
      {"I, all 40", PROFIL_I, 400, 40, 200, 40, 200, 40, 235},
      {"T, stem 41", PROFIL_T, 200, 41, 150, 20, 0, 0, 215},
      {"T, flange 41", PROFIL_T, 200, 20, 150, 41, 0, 0, 215},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    BAUTEIL b{};
    Set_Bauteil_Defaults(&b);
    Reset_Profil(&b.profil);
    PROFIL &p = b.profil;
    p.kind = PROFIL_KIND_PARAMETRIC, p.type = c.type, p.rolled = 0;
    p.h = c.h, p.t_w = c.t_w, p.b_fo = c.b_fo, p.t_fo = c.t_fo, p.b_fu = c.b_fu, p.t_fu = c.t_fu;
    EXPECT_EQ(0, Check_Bauteil_Data(&b, nullptr, 0, nullptr));
    EXPECT_EQ(c.fy, b.material.fy);
    EXPECT_EQ(c.fy, b.profil.grade.fy);
    Reset_Bauteil(&b);
  }
}

// The screen on the example member: the result page, then page 4 where a row "Brand 4" with
// N = −250 kN is appended, then the result page again, left without saving. The second
// visit designs the rows anew: the new row has its utilisation, the example's stay.
class MemberPages : public MemberFolder {};

TEST_F(MemberPages, ResultPageVisitedTwice) {
  ASSERT_EQ(Start(), -1);
  // Page 5, page 4 where row 4's name and N are typed below the append control, page 5
  // again, "beenden ohne zu speichern".
  EXPECT_EQ(Screen(kTab5 + " w50 " + kTab4 + " w50 " + At(45, kRow4) + At(85, kRow4) +
                   "tBrand_4 k13 w50 t-250 k13 w50 k27 w50" + kTab5 + " w50" + kEnd + kQuit),
            0)
      << Host_Last_Calls(30);
  const BAUTEIL &b = *Get_Stahl_EC3_Bauteil();
  ASSERT_EQ(b.brandlast_count, 4);
  // The example's rows (64 %, 0 %, 171 %) and the new row: σ_v = 250 kN / 9726 mm² = 25.70
  // N/mm² of HE 280 A (U 0.109 at 235 N/mm²), the c/t check governs with 0.207 (the flanges
  // against the class-3 limit raised by √(235 / 25.70)), as the list of the same rows has it.
  EXPECT_EQ(Page5(b), "64%0%171%21%");
  // Below the rows the note, its stability sentence on a line of its own.
  int y_note = -1, y_stability = -1;
  for (const std::string &call : Host_Calls()) {
    int x = 0, y = 0;
    if (std::sscanf(call.c_str(), "pxText(%d,%d,", &x, &y) != 2) continue;
    if (call.find("\"Hinweis: Nachweise bei Normaltemperatur") != std::string::npos) y_note = y;
    if (call.find("\"Biegeknicken und Biegedrillknicken werden nicht") != std::string::npos) y_stability = y;
  }
  EXPECT_GT(y_note, 0);
  EXPECT_EQ(y_stability, y_note + 20);
}

}  // namespace
