// The member's grade where its strength steps (EN 10025-2 Table 7, S235: f_y 235 N/mm² up to
// t = 40 mm, 215 above, through the thickness the section's shape names), and the result
// page visited again after the rows changed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "host/host_test.h"
#include "stahl_ec3/program_internal.h"
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
class MemberPages : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Test_Reset();
    dir_ = std::filesystem::absolute("member-runs/MemberPages." + std::to_string(getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    for (const char *name : {"/BSP1_01.INP", "/BSP1_01.TXT"})
      std::filesystem::copy_file(PF_SOURCE_DIR "/example" + std::string(name), dir_ + name);
    setenv("EXEC", dir_.c_str(), 1);
    setenv("YRMPRIVATE", dir_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("EXEC");
    unsetenv("YRMPRIVATE");
    Host_Test_Reset();
    std::filesystem::remove_all(dir_);
  }
  std::string dir_;
};

std::string Page5(const BAUTEIL &b) {
  std::string shown;
  for (int i = 0; i < b.brandlast_count; ++i) {
    double u = 0;
    char text[32] = "XXXXXX";
    if (Get_Brandlast_Utilisation(&b, i, &u)) std::snprintf(text, sizeof text, "%.0lf%%", 100 * u);
    shown += text;
  }
  return shown;
}

TEST_F(MemberPages, ResultPageVisitedTwice) {
  std::string stem = dir_ + "/BSP1", a0 = "stahl_ec3", a2 = "0", a3 = "1", a4 = "12";
  char *argv[] = {a0.data(), stem.data(), a2.data(), a3.data(), a4.data()};
  ASSERT_EQ(Start_Stahl_EC3(5, argv), -1);
  // Tabs of pages 4 and 5, the content's origin (14, 92), the finish dialog's "beenden
  // ohne zu speichern"; the append control below three rows, then row 4's name field.
  const std::string tab4 = " c260,75 ", tab5 = " c430,75 ", quit = " c520,480 ", end = " m591,27 w200 c591,27 w50 ";
  const int row4 = 100 + 3 * 22 + 6;
  auto at = [](int x, int y) { return " c" + std::to_string(14 + x) + "," + std::to_string(92 + y) + " w50 "; };
  Host_Test_Set_Policy(HOST_SCRIPT_SOFT);
  Script(tab5 + " w50 " + tab4 + " w50 " + at(45, row4) + at(85, row4) + "tBrand_4 k13 w50 t-250 k13 w50 k27 w50" +
         tab5 + " w50" + end + quit + " w50");
  EXPECT_EQ(Run_Stahl_EC3_Screen(), 0) << Host_Last_Calls(30);
  const BAUTEIL &b = *Get_Stahl_EC3_Bauteil();
  ASSERT_EQ(b.brandlast_count, 4);
  // The example's rows (64 %, 0 %, 171 %) and the new row: σ_v = 250 kN / 9726 mm² = 25.70
  // N/mm² of HE 280 A (U 0.109 at 235 N/mm²), the c/t check governs with 0.207 (the flanges
  // against the class-3 limit raised by √(235 / 25.70)), as the list of the same rows has it.
  EXPECT_EQ(Page5(b), "64%0%171%21%");
}

}  // namespace
