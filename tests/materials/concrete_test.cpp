// Concrete and reinforcing-steel grades, their value-stream blocks, the EC2 factor set and
// the bar routines.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "host/host.h"
#include "materials/materials.h"
#include "nad/nad.h"
#include "support/cp850.h"
#include "support/datastream.h"
#include "support/shell.h"

namespace {

class Concrete : public ::testing::Test {
 protected:
  void SetUp() override { Host_Reset(), Reset_Materials_For_Tests(), Reset_NAD_For_Tests(); }
  void TearDown() override { Host_Reset(); }
  template <class R, class F>
  static int Read_From(const std::string &text, R *r, F read) {
    Open_Data_Reader_Memory(text.data(), text.size());
    const int rc = read(r);
    return Close_Data_Reader(), rc;
  }
  // The text that write(r) puts into the value stream.
  template <class R, class F>
  static std::string Written(const R &r, F write) {
    const std::string path = ::testing::TempDir() + "concrete_" + std::to_string(getpid()) + ".dat";
    EXPECT_EQ(0, Open_Data_Writer(path.c_str()) | write(&r) | Close_Data_Writer());
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

}  // namespace

// Every row against DIN 1045-1:2001-07, Table 9 (strains ‰, exponent) and the grade names
// of EN 1992-1-1, Tables 3.1 and 11.3.1, with the choice-list value of each name.
TEST_F(Concrete, TableRows) {
  struct Row { const char *name, *lw; double fck, c1, cu1, c2, cu2, n; } rows[] = {
      {"C12/15", "LC12/13", 12, 1.8, 3.5, 2.0, 3.5, 2.0}, {"C16/20", "LC16/18", 16, 1.9, 3.5, 2.0, 3.5, 2.0},
      {"C20/25", "LC20/22", 20, 2.1, 3.5, 2.0, 3.5, 2.0}, {"C25/30", "LC25/28", 25, 2.2, 3.5, 2.0, 3.5, 2.0},
      {"C30/37", "LC30/33", 30, 2.3, 3.5, 2.0, 3.5, 2.0}, {"C35/45", "LC35/38", 35, 2.4, 3.5, 2.0, 3.5, 2.0},
      {"C40/50", "LC40/44", 40, 2.5, 3.5, 2.0, 3.5, 2.0}, {"C45/55", "LC45/50", 45, 2.55, 3.5, 2.0, 3.5, 2.0},
      {"C50/60", "LC50/55", 50, 2.6, 3.5, 2.0, 3.5, 2.0}, {"C55/67", "LC55/60", 55, 2.65, 3.4, 2.03, 3.1, 2.0},
      {"C60/75", "LC60/66", 60, 2.7, 3.3, 2.06, 2.7, 1.9}, {"C70/85", "", 70, 2.8, 3.2, 2.1, 2.5, 1.8},
      {"C80/95", "", 80, 2.9, 3.1, 2.14, 2.4, 1.7}, {"C90/105", "", 90, 2.95, 3.0, 2.17, 2.3, 1.6},
      {"C100/115", "", 100, 3.0, 3.0, 2.2, 2.2, 1.55},
  };
  for (int k = 0; k < CONCRETE_GRADE_COUNT; ++k) {
    const Row &w = rows[k];
    SCOPED_TRACE(w.name);
    CONCRETE_GRADE c{};
    Set_Concrete_Grade(&c, k, 0, 0);
    EXPECT_EQ(std::string(w.name) + w.name + w.lw,
              std::string(c.name) + Get_Concrete_Grade_Name(k + 5, 0) + Get_Concrete_Grade_Name(k + 5, 1));
    const double got[] = {c.fck / 1000, -1000 * c.eps_c1, -1000 * c.eps_cu1, -1000 * c.eps_c2, -1000 * c.eps_cu2, c.n};
    const double want[] = {w.fck, w.c1, w.cu1, w.c2, w.cu2, w.n};
    for (int j = 0; j < 6; ++j) EXPECT_NEAR(want[j], got[j], 1e-9) << j;
    EXPECT_EQ(std::make_tuple(0, 2200.0, 1, 0.85), std::make_tuple(c.lightweight, c.density, c.e_automatic, c.alpha));
  }
  EXPECT_EQ(std::string(), std::string(Get_Concrete_Grade_Name(4, 0)) + Get_Concrete_Grade_Name(20, 0));
  EXPECT_EQ(std::string("B55"), std::string(Get_DIN1045_Concrete_Name(4)) + Get_DIN1045_Rebar_Name(3));
}

TEST_F(Concrete, KnownValues) {
  CONCRETE_GRADE lc{}, old{};
  Set_Concrete_Grade(&lc, 2, 1, 1800);  // LC20/22 at 1800 kg/m³
  Set_Old_Concrete_Grade(&old, 1);      // B25
  struct Case { const char *what; double got, want, tol; } cases[] = {
      {"E_cm C30/37", Calc_Concrete_Ecm(30000), 2.830936e7, 50},
      {"E_c0m C30/37", Calc_Concrete_Ecm_Plain(30000), 3.193877e7, 50},
      {"fctm C30/37", Calc_Concrete_fctm(30000, 2200), 2900, 1e-9},
      {"fctk;0,05 C30/37", Calc_Concrete_fctk005(30000, 2200), 2030, 1e-9},
      {"fctm C60/75", Calc_Concrete_fctm(60000, 2200), 4400, 1e-9},
      {"fctm LC30/33 at 1800", Calc_Concrete_fctm(30000, 1800), 2900 * (0.4 + 0.6 * 1800 / 2200), 1e-9},
      {"E_cm LC20/22", lc.E_cm, 1.667785e7, 50},
      {"eps_c1 = eps_cu1 LC20/22", lc.eps_c1 + lc.eps_cu1, -0.002995, 1e-7},
      {"gamma_c (60000, 0)", Calc_Concrete_gamma_c(60000, 0), 1.530612, 1e-6},
      {"gamma_c (100000, 1)", Calc_Concrete_gamma_c(100000, 1), 1.444444, 1e-6},
      {"beta_cc (7, 2)", Calc_Concrete_beta_cc(7, 2), 0.778801, 1e-6},
      {"fck B25", old.fck, 19531.25, 1e-9},
      {"eps_c1 B25", old.eps_c1, -0.00207656, 1e-8},
      {"gamma_s (1)", Calc_Steel_gamma_s(1), 1.0, 0},
  };
  for (const Case &c : cases) EXPECT_NEAR(c.want, c.got, c.tol) << c.what;
  EXPECT_STREQ("B25 (nicht mehr genormt!)", old.name);
  // Rows the tables do not hold leave the record unchanged.
  const CONCRETE_GRADE before = lc;
  for (auto [row, light] : {std::pair{11, 1}, {15, 0}, {-1, 0}}) Set_Concrete_Grade(&lc, row, light, 1800);
  EXPECT_EQ(0, std::memcmp(&before, &lc, sizeof lc));

  // Reinforcing steel and the defaults of a free DIN 1045 grade.
  REBAR_GRADE r{};
  Set_Old_Rebar_Grade(&r, 7);  // clamped: BSt 500 S
  EXPECT_EQ(std::make_tuple(std::string("BSt 500 S (nicht mehr genormt!)"), 700000.0, 2.1e8),
            std::make_tuple(r.name, r.ftk, r.Es));
  DIN1045_CONCRETE c{};
  DIN1045_REBAR s{};
  EXPECT_EQ(2, Default_DIN1045_Concrete(&c) + Default_DIN1045_Rebar(&s));
  EXPECT_EQ(std::make_tuple(std::string("B25"), 25000.0, 17500.0, 350.0, 500.0, 1800.0, 1800.0, 900.0, 3e7),
            std::make_tuple(c.name, c.beta_wn, c.beta_r, c.tau_011, c.tau_012, c.tau_02, c.bond_good,
                            c.bond_moderate, c.E));
  EXPECT_EQ(std::make_pair(std::string("BSt 500 S"), 1.4), std::make_pair(std::string(s.name), s.factor));
  ASSERT_EQ(2u, Host_Messages().size());
  EXPECT_EQ("Freie Betondef. für DIN 1045 (7.88) nicht möglich!\nIntialiesierung mit B25."_cp, Host_Messages()[0].text);
}

// Written and read: the same record; older blocks take the defaults of their missing
// fields; a newer or cut block fails and leaves the record as it was.
TEST_F(Concrete, ValueStreamBlocks) {
  CONCRETE_GRADE c{}, r{};
  Set_Concrete_Grade(&c, 4, 1, 1900);
  std::strcpy(c.name, "LC30/33 Decke oben");
  c.E_cm = 1.5e7, c.e_automatic = 0;
  const std::string text = Written(c, Write_Concrete_Grade);
  ASSERT_EQ(0, Read_From(text, &r, Read_Concrete_Grade));
  EXPECT_EQ(text, Written(r, Write_Concrete_Grade));
  EXPECT_EQ(std::make_tuple(1900.0, 1, 0), std::make_tuple(r.density, r.lightweight, r.e_automatic));

  struct Old { const char *text; double density, E_cm; } olds[] = {
      {" C30/37 3e4 0.85 -0.002 -0.0035 2 0\n", 2200, 2.830936e7},  // no version line
      {" 1.0 # Strukturversionsnummer\n C30/37 3e4 0.85 -0.002 -0.0035 2 1\n", 2200, 2.830936e7},
      {" 1.1 # Strukturversionsnummer\n LC30/33 3e4 0.8 -0.002 -0.0035 2 1 1100 0\n", 1100, 2.830936e7 / 4},
  };
  for (const Old &o : olds) {
    CONCRETE_GRADE v{};
    ASSERT_EQ(0, Read_From(o.text, &v, Read_Concrete_Grade)) << o.text;
    EXPECT_EQ(std::make_tuple(30000.0, o.density, 1, std::round(o.E_cm / 100)),
              std::make_tuple(v.fck, v.density, v.e_automatic, std::round(v.E_cm / 100))) << o.text;
  }

  // Refused as the member reader refuses them: flags other than 0 and 1, a density that is
  // not positive (or so large that the lightweight E_cm, E · (ρ/2200)², overflows), an E_cm
  // that is not positive; the record stays as it was.
  const char *refused[] = {
      " 1.1 # Strukturversionsnummer\n LC30/33 3e4 0.8 -0.002 -0.0035 2 7 1e200 0\n",  // E_cm = inf before
      " 1.2 # Strukturversionsnummer\n LC30/33 3e4 0.8 -0.002 -0.0035 2 7 1900 0 1 1e7\n",
      " 1.1 # Strukturversionsnummer\n LC30/33 3e4 0.8 -0.002 -0.0035 2 1 1e200 0\n",
      " 1.2 # Strukturversionsnummer\n LC30/33 3e4 0.8 -0.002 -0.0035 2 2 1900 0 1 1e7\n",
      " 1.2 # Strukturversionsnummer\n LC30/33 3e4 0.8 -0.002 -0.0035 2 1 -1900 0 1 1e7\n",
      " 1.2 # Strukturversionsnummer\n LC30/33 3e4 0.8 -0.002 -0.0035 2 1 0 0 1 1e7\n",
      " 1.2 # Strukturversionsnummer\n LC30/33 3e4 0.8 -0.002 -0.0035 2 1 1900 0 1 -1e7\n",
      " 1.2 # Strukturversionsnummer\n LC30/33 3e4 0.8 -0.002 -0.0035 2 1 1900 0 1 0\n",
      " 1.2 # Strukturversionsnummer\n LC30/33 3e4 0.8 -0.002 -0.0035 2 1 1900 0 2 1e7\n",
      " 1.2 # Strukturversionsnummer\n LC30/33 3e4 0.8 -0.002 -0.0035 2 0 1900 0 -1 1e7\n",
  };
  for (const char *t : refused) {
    CONCRETE_GRADE v = c;
    EXPECT_EQ(1, Read_From(t, &v, Read_Concrete_Grade)) << t;
    EXPECT_EQ(0, std::memcmp(&v, &c, sizeof v)) << t;
  }

  Set_Refresh_Mode(1);
  const std::string newer = " 1.3" + text.substr(text.find(' ', 1));
  const CONCRETE_GRADE before = c;
  for (size_t cut = 0; cut <= text.find_last_of(' ', text.find_last_not_of(" \n")); ++cut) {  // up to E_cm
    CONCRETE_GRADE v = before;
    EXPECT_EQ(1, Read_From(cut ? text.substr(0, cut) : newer, &v, Read_Concrete_Grade)) << cut;
    EXPECT_EQ(0, std::memcmp(&v, &before, sizeof v)) << cut;
  }
  Set_Refresh_Mode(0);

  REBAR_GRADE s{}, t{};
  Set_Old_Rebar_Grade(&s, 1);
  const std::string rebar = Written(s, Write_Rebar_Grade);
  ASSERT_EQ(0, Read_From(rebar.substr(rebar.find('\n')), &t, Read_Rebar_Grade));  // without version
  EXPECT_EQ(rebar, Written(t, Write_Rebar_Grade));
  EXPECT_EQ(1, Read_From(" B500B 5e5 5.25e5 0.05 2e8\n", &t, Read_Rebar_Grade));
  EXPECT_STREQ(s.name, t.name);
}

// The factor set follows the active national annex unless the user holds his values.
TEST_F(Concrete, Ec2FactorSet) {
  EXPECT_DOUBLE_EQ(20000, Calc_Design_Strength(30000, 0));
  ASSERT_EQ(1, Set_Active_NAD("Deutschland"));
  EXPECT_DOUBLE_EQ(17000, Calc_Design_Strength(30000, 0));
  EXPECT_DOUBLE_EQ(1.0, Get_EC2_Steel_Factor(1));
  EXPECT_EQ(0.0, Get_EC2_Concrete_Factor(5) + Get_EC2_Steel_Factor(-1) + Calc_Design_Strength(30000, 5));
  Set_Rebar_NAD_User_Values(1);
  Get_Rebar_NAD_Block()->gamma_c[0] = 2.0;
  Set_Active_NAD(NAD_DEFAULT_NAME);
  EXPECT_DOUBLE_EQ(30000 * 0.85 / 2.0, Calc_Design_Strength(30000, 0));
  EXPECT_DOUBLE_EQ(1.5, Load_Rebar_NAD_Parameters()->gamma_c[0]);  // an explicit load still copies
  Set_Rebar_NAD_User_Values(0);
  Clear_Active_NAD();
  EXPECT_DOUBLE_EQ(20000, Calc_Design_Strength(30000, 0));  // kept without an active set
}

TEST_F(Concrete, BarRoutines) {
  struct Case { const char *what; double got, want; } cases[] = {
      {"spacing 5e-4 m²/m, d 10", Calc_Bar_Spacing_for_Area(5e-4, 0.01), 15.5},
      {"spacing 15.1 cm", Calc_Bar_Spacing_for_Area(5.2e-4, 0.01), 15.0},
      {"spacing, a hair below 25 cm", Calc_Bar_Spacing_for_Area(2.01062e-4, 0.008), 25.0},
      {"non-positive divisors", Calc_Bar_Spacing_for_Area(-1e-3, 0.01) + Calc_Bar_Count(1e-3, 0) +
                                    Calc_Bar_Count_for_Length(1.0, 0) + Calc_Bars_on_Circle(0.1, 0), 0},
      {"count 10 cm² of d 16", 1.0 * Calc_Bar_Count(10e-4, 0.016), 5},
      {"rest", 1.0 * Calc_Bar_Count_Rest(10e-4, 0.016, -2, 4e-4), 2},
      {"bundle 2 of 3 d 20", Calc_Bundle_Area(2, 3, 0.02), 6 * 3.14159265358979 * 1e-4},
      {"in width", Calc_Bars_in_Width(0.3, 0.03, 0.02, 0.02), 5.5},
      {"on circle, 6 bars", Calc_Bars_on_Circle(0.1, 0.1), 6},
      {"on circle, s > 2r", Calc_Bars_on_Circle(0.3, 0.1), 2},
  };
  for (const Case &c : cases) EXPECT_NEAR(c.want, c.got, 1e-9) << c.what;
  EXPECT_EQ(6, Find_Bar_Diameter(12.5e-4, 4, 1.0));  // 4 d 20: 12.57 cm²
  EXPECT_EQ(-1, Find_Bar_Diameter(1.0, 4, 1.0));
  int n = 0, i = 0;
  ASSERT_EQ(1, Find_Bar_Count_and_Diameter(12.6e-4, 2, 3, 6, 1.0, &n, &i));
  EXPECT_EQ(std::make_pair(5, 6), std::make_pair(n, i));  // 4 d 20 = 12.57 cm² is short: 5 d 20
  EXPECT_EQ(0, Find_Bar_Count_and_Diameter(1e-4, 1, 0, 9, 0.0, &n, &i));
}
