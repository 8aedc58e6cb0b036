// Concrete and reinforcing-steel grades, their value-stream blocks, the EC2 factor set and
// the bar routines.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <string>

#include "host/host.h"
#include "materials/materials.h"
#include "nad/nad.h"
#include "support/datastream.h"
#include "support/cp850.h"
#include "support/shell.h"

namespace {

class Concrete : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Reset();
    Reset_Materials_For_Tests();
    Reset_NAD_For_Tests();
  }
  void TearDown() override { Host_Reset(); }
  // Reads one record from the text through the value stream.
  template <class R, class F>
  static int Read_From(const std::string &text, R *r, F read) {
    Open_Data_Reader_Memory(text.data(), text.size());
    const int rc = read(r);
    Close_Data_Reader();
    return rc;
  }
  // The text that write(r) puts into the value stream.
  template <class R, class F>
  static std::string Written(const R &r, F write) {
    const std::string path = ::testing::TempDir() + "concrete_" + std::to_string(getpid()) + ".dat";
    EXPECT_EQ(0, Open_Data_Writer(path.c_str()));
    EXPECT_EQ(0, write(&r));
    EXPECT_EQ(0, Close_Data_Writer());
    std::string text;
    if (FILE *f = std::fopen(path.c_str(), "rb")) {
      for (int c; (c = std::fgetc(f)) != EOF;) text.push_back(static_cast<char>(c));
      std::fclose(f);
    }
    std::remove(path.c_str());
    return text;
  }
};

}  // namespace

// Every row against DIN 1045-1:2001-07, Table 9 (strains ‰, exponent) and the grade names
// of EN 1992-1-1, Tables 3.1 and 11.3.1, with the choice-list value of each name.
TEST_F(Concrete, TableRows) {
  struct Row { const char *name, *lw; double fck, c1, cu1, c2, cu2, n; } rows[] = {
      {"C12/15", "LC12/13", 12, 1.8, 3.5, 2.0, 3.5, 2.0},     {"C16/20", "LC16/18", 16, 1.9, 3.5, 2.0, 3.5, 2.0},
      {"C20/25", "LC20/22", 20, 2.1, 3.5, 2.0, 3.5, 2.0},     {"C25/30", "LC25/28", 25, 2.2, 3.5, 2.0, 3.5, 2.0},
      {"C30/37", "LC30/33", 30, 2.3, 3.5, 2.0, 3.5, 2.0},     {"C35/45", "LC35/38", 35, 2.4, 3.5, 2.0, 3.5, 2.0},
      {"C40/50", "LC40/44", 40, 2.5, 3.5, 2.0, 3.5, 2.0},     {"C45/55", "LC45/50", 45, 2.55, 3.5, 2.0, 3.5, 2.0},
      {"C50/60", "LC50/55", 50, 2.6, 3.5, 2.0, 3.5, 2.0},     {"C55/67", "LC55/60", 55, 2.65, 3.4, 2.03, 3.1, 2.0},
      {"C60/75", "LC60/66", 60, 2.7, 3.3, 2.06, 2.7, 1.9},    {"C70/85", "", 70, 2.8, 3.2, 2.1, 2.5, 1.8},
      {"C80/95", "", 80, 2.9, 3.1, 2.14, 2.4, 1.7},           {"C90/105", "", 90, 2.95, 3.0, 2.17, 2.3, 1.6},
      {"C100/115", "", 100, 3.0, 3.0, 2.2, 2.2, 1.55},
  };
  for (int k = 0; k < CONCRETE_GRADE_COUNT; ++k) {
    const Row &w = rows[k];
    SCOPED_TRACE(w.name);
    CONCRETE_GRADE c{};
    Set_Concrete_Grade(&c, k, 0, 0);
    EXPECT_STREQ(w.name, c.name);
    EXPECT_STREQ(w.name, Get_Concrete_Grade_Name(k + 5, 0));
    EXPECT_STREQ(w.lw, Get_Concrete_Grade_Name(k + 5, 1));
    EXPECT_DOUBLE_EQ(w.fck * 1000, c.fck);
    for (auto [got, want] : {std::pair{c.eps_c1, w.c1}, {c.eps_cu1, w.cu1}, {c.eps_c2, w.c2}, {c.eps_cu2, w.cu2}})
      EXPECT_NEAR(-want / 1000, got, 1e-12);
    EXPECT_DOUBLE_EQ(w.n, c.n);
    EXPECT_EQ(std::make_tuple(0, 2200.0, 1, 0.85), std::make_tuple(c.lightweight, c.density, c.e_automatic, c.alpha));
  }
  EXPECT_STREQ("", Get_Concrete_Grade_Name(4, 0));
  EXPECT_STREQ("", Get_Concrete_Grade_Name(20, 0));
  EXPECT_STREQ("B55", Get_DIN1045_Concrete_Name(4));
  EXPECT_STREQ("BSt 220/340", Get_DIN1045_Rebar_Name(0));
  EXPECT_STREQ("", Get_DIN1045_Rebar_Name(3));
}

TEST_F(Concrete, KnownValues) {
  CONCRETE_GRADE lc{}, old{};
  Set_Concrete_Grade(&lc, 2, 1, 1800);  // LC20/22 at 1800 kg/m³
  Set_Old_Concrete_Grade(&old, 1);      // B25
  struct Case { const char *what; double got, want, tol; } cases[] = {
      {"E_cm C30/37", Calc_Concrete_Ecm(30000), 2.830936e7, 50},
      {"E_c0m C30/37", Calc_Concrete_Ecm_Plain(30000), 3.193877e7, 50},
      {"E_cm C90/105 (alpha_i 1)", Calc_Concrete_Ecm(90000), 9.5e6 * std::cbrt(98.0), 1},
      {"fctm C30/37", Calc_Concrete_fctm(30000, 2200), 2900, 1e-9},
      {"fctk;0,05 C30/37", Calc_Concrete_fctk005(30000, 2200), 2030, 1e-9},
      {"fctm C60/75", Calc_Concrete_fctm(60000, 2200), 4400, 1e-9},
      {"fctm C50/60", Calc_Concrete_fctm(50000, 2200), 4100, 1e-9},
      {"fctm LC30/33 at 1800", Calc_Concrete_fctm(30000, 1800), 2900 * (0.4 + 0.6 * 1800 / 2200), 1e-9},
      {"E_cm LC20/22", lc.E_cm, 1.667785e7, 50},
      {"eps_c1 LC20/22", lc.eps_c1, -0.0014975, 1e-7},
      {"eps_cu1 LC20/22", lc.eps_cu1, -0.0014975, 1e-7},
      {"alpha LC", lc.alpha, 0.8, 0},
      {"gamma_c (60000, 0)", Calc_Concrete_gamma_c(60000, 0), 1.530612, 1e-6},
      {"gamma_c (100000, 1)", Calc_Concrete_gamma_c(100000, 1), 1.444444, 1e-6},
      {"gamma_c (30000, 4)", Calc_Concrete_gamma_c(30000, 4), 1.0, 0},
      {"gamma_s (1)", Calc_Steel_gamma_s(1), 1.0, 0},
      {"gamma_s (0)", Calc_Steel_gamma_s(0), 1.15, 0},
      {"beta_cc (7, 2)", Calc_Concrete_beta_cc(7, 2), 0.778801, 1e-6},
      {"beta_cc (7, 1)", Calc_Concrete_beta_cc(7, 1), std::exp(-0.38), 1e-12},
      {"beta_cc (1, 3)", Calc_Concrete_beta_cc(1, 3), 1.0, 0},
      {"fck B25", old.fck, 19531.25, 1e-9},
      {"eps_c1 B25", old.eps_c1, -0.00207656, 1e-8},
      {"E_cm B25", old.E_cm, 3e7, 0},
      {"strain ratio", Calc_Strain_Ratio(2, 3, 4), -1.5, 0},
      {"strain ratio c 0", Calc_Strain_Ratio(2, 3, 1e-6), 0, 0},
  };
  for (const Case &c : cases) EXPECT_NEAR(c.want, c.got, c.tol) << c.what;
  EXPECT_STREQ("B25 (nicht mehr genormt!)", old.name);

  // Rows the tables do not hold leave the record unchanged.
  const CONCRETE_GRADE before = lc;
  for (auto [row, light] : {std::pair{11, 1}, {15, 0}, {-1, 0}, {-1, 1}}) {
    Set_Concrete_Grade(&lc, row, light, 1800);
    EXPECT_EQ(0, std::memcmp(&before, &lc, sizeof lc)) << row;
  }
}

TEST_F(Concrete, RebarAndOldDefaults) {
  REBAR_GRADE r{};
  Set_Rebar_Grade(&r, 1);
  EXPECT_STREQ("BSt 500 (B)", r.name);
  EXPECT_DOUBLE_EQ(525000, r.ftk);
  EXPECT_DOUBLE_EQ(2e8, r.Es);
  Set_Rebar_Grade_Short_Name(&r, 0);
  EXPECT_STREQ("B500A", r.name);
  Set_Old_Rebar_Grade(&r, 7);  // clamped: BSt 500 S
  EXPECT_STREQ("BSt 500 S (nicht mehr genormt!)", r.name);
  EXPECT_DOUBLE_EQ(700000, r.ftk);
  EXPECT_DOUBLE_EQ(2.1e8, r.Es);

  DIN1045_CONCRETE c{}, b25{};
  DIN1045_REBAR s{}, bst{};
  Set_DIN1045_Concrete_Grade(&b25, 1);
  Set_DIN1045_Rebar_Grade(&bst, 2);
  EXPECT_EQ(1, Default_DIN1045_Concrete(&c));
  EXPECT_EQ(1, Default_DIN1045_Rebar(&s));
  EXPECT_EQ(0, std::memcmp(&c, &b25, sizeof c));
  EXPECT_EQ(0, std::memcmp(&s, &bst, sizeof s));
  EXPECT_EQ(std::make_tuple(25000.0, 17500.0, 1800.0, 900.0), std::make_tuple(c.beta_wn, c.beta_r, c.bond_good, c.bond_moderate));
  ASSERT_EQ(2u, Host_Messages().size());
  EXPECT_EQ("Freie Betondef. für DIN 1045 (7.88) nicht möglich!\nIntialiesierung mit B25."_cp, Host_Messages()[0].text);
  EXPECT_EQ("Freie Stahldef. für DIN 1045 (7.88) nicht möglich!\nIntialiesierung mit BSt 500 S."_cp,
            Host_Messages()[1].text);
}

// Written and read: the same record; older blocks take the defaults of their missing
// fields; a newer or cut block fails and leaves the record as it was.
TEST_F(Concrete, ValueStreamBlocks) {
  CONCRETE_GRADE c{};
  Set_Concrete_Grade(&c, 4, 1, 1900);
  std::strcpy(c.name, "LC30/33 Decke oben");
  c.E_cm = 1.5e7, c.e_automatic = 0;
  const std::string text = Written(c, Write_Concrete_Grade);
  CONCRETE_GRADE r{};
  ASSERT_EQ(0, Read_From(text, &r, Read_Concrete_Grade));
  EXPECT_STREQ(c.name, r.name);
  for (auto [a, b] : {std::pair{c.fck, r.fck}, {c.alpha, r.alpha}, {c.eps_c2, r.eps_c2}, {c.eps_cu2, r.eps_cu2},
                      {c.n, r.n}, {c.density, r.density}, {c.E_cm, r.E_cm}})
    EXPECT_NEAR(a, b, std::fabs(a) * 1e-6);
  EXPECT_EQ(std::make_pair(1, 0), std::make_pair(r.lightweight, r.e_automatic));

  struct Old { const char *text; double density, E_cm; int automatic; } olds[] = {
      {" C30/37 3e4 0.85 -0.002 -0.0035 2 0\n", 2200, 2.830936e7, 1},                           // no version
      {" 1.0 # Strukturversionsnummer\n C30/37 3e4 0.85 -0.002 -0.0035 2 1\n", 2200, 2.830936e7, 1},
      {" 1.1 # Strukturversionsnummer\n LC30/33 3e4 0.8 -0.002 -0.0035 2 1 1100 0\n", 1100, 2.830936e7 / 4, 1},
  };
  for (const Old &o : olds) {
    SCOPED_TRACE(o.text);
    CONCRETE_GRADE v{};
    ASSERT_EQ(0, Read_From(o.text, &v, Read_Concrete_Grade));
    EXPECT_DOUBLE_EQ(30000, v.fck);
    EXPECT_DOUBLE_EQ(o.density, v.density);
    EXPECT_NEAR(o.E_cm, v.E_cm, 50);
    EXPECT_EQ(o.automatic, v.e_automatic);
  }

  Set_Refresh_Mode(1);
  const std::string newer = " 1.3" + text.substr(text.find(' ', 1));
  const std::string last = text.substr(0, text.find_last_not_of(" \n") + 1);
  const CONCRETE_GRADE before = c;
  for (size_t cut = 0; cut <= last.rfind(' '); ++cut) {
    CONCRETE_GRADE v = before;
    EXPECT_EQ(1, Read_From(cut ? text.substr(0, cut) : newer, &v, Read_Concrete_Grade)) << cut;
    EXPECT_EQ(0, std::memcmp(&v, &before, sizeof v)) << cut;
  }
  Set_Refresh_Mode(0);

  REBAR_GRADE s{}, t{};
  Set_Old_Rebar_Grade(&s, 1);
  ASSERT_EQ(0, Read_From(Written(s, Write_Rebar_Grade), &t, Read_Rebar_Grade));
  EXPECT_STREQ(s.name, t.name);
  EXPECT_DOUBLE_EQ(s.ftk, t.ftk);
  ASSERT_EQ(0, Read_From(" B500A 5e5 5.25e5 0.025 2e8 0\n", &t, Read_Rebar_Grade));  // without version
  EXPECT_DOUBLE_EQ(0.025, t.eps_uk);
  EXPECT_EQ(1, Read_From(" B500A 5e5 5.25e5 0.025 2e8\n", &t, Read_Rebar_Grade));
  EXPECT_STREQ("B500A", t.name);
}

// The factor set follows the active national annex unless the user holds his values.
TEST_F(Concrete, Ec2FactorSet) {
  EXPECT_DOUBLE_EQ(20000, Calc_Design_Strength(30000, 0));
  ASSERT_EQ(1, Set_Active_NAD("Deutschland"));
  EXPECT_DOUBLE_EQ(17000, Calc_Design_Strength(30000, 0));
  EXPECT_NEAR(30000 * 0.85 / 1.3, Calc_Design_Strength(30000, 1), 1e-9);
  EXPECT_DOUBLE_EQ(1.0, Get_EC2_Steel_Factor(1));
  EXPECT_EQ(0.0, Get_EC2_Concrete_Factor(5));
  EXPECT_EQ(0.0, Get_EC2_Steel_Factor(-1));
  EXPECT_EQ(0.0, Calc_Design_Strength(30000, 5));

  Set_Rebar_NAD_User_Values(1);
  Get_Rebar_NAD_Block()->gamma_c[0] = 2.0;
  Set_Active_NAD(NAD_DEFAULT_NAME);
  EXPECT_DOUBLE_EQ(30000 * 0.85 / 2.0, Calc_Design_Strength(30000, 0));
  EXPECT_DOUBLE_EQ(1.5, Load_Rebar_NAD_Parameters()->gamma_c[0]);  // an explicit load still copies
  Set_Rebar_NAD_User_Values(0);
  Clear_Active_NAD();
  ASSERT_NE(nullptr, Load_Rebar_NAD_Parameters());
  EXPECT_DOUBLE_EQ(20000, Calc_Design_Strength(30000, 0));  // kept without an active set
}

TEST_F(Concrete, BarRoutines) {
  struct Case { const char *what; double got, want; } cases[] = {
      {"spacing 5e-4 m²/m, d 10", Calc_Bar_Spacing_for_Area(5e-4, 0.01), 15.5},
      {"spacing, a hair below 25 cm", Calc_Bar_Spacing_for_Area(2.01062e-4, 0.008), 25.0},
      {"spacing 15.1 cm", Calc_Bar_Spacing_for_Area(5.2e-4, 0.01), 15.0},
      {"spacing, a 0", Calc_Bar_Spacing_for_Area(0, 0.01), 0},
      {"spacing, a < 0", Calc_Bar_Spacing_for_Area(-1e-3, 0.01), 0},
      {"area per spacing", Calc_Area_per_Spacing(0.15, 0.01), 0.000524},
      {"area per spacing, a 0", Calc_Area_per_Spacing(0, 0.01), 0},
      {"next below 0.02", Next_Smaller_Bar_Diameter(0.02), 0.016},
      {"next below 0.021", Next_Smaller_Bar_Diameter(0.021), 0.02},
      {"next below 0.006", Next_Smaller_Bar_Diameter(0.006), -1},
      {"centre, 1 layer", Calc_Bar_Centre_Distance(0.03, 0.01, 1, 0.02), 0.05},
      {"centre, 2 layers", Calc_Bar_Centre_Distance(0.03, 0.01, 2, 0.02), 0.06},
      {"count 10 cm² of d 16", 1.0 * Calc_Bar_Count(10e-4, 0.016), 5},
      {"count, d 0", 1.0 * Calc_Bar_Count(10e-4, 0), 0},
      {"rest", 1.0 * Calc_Bar_Count_Rest(10e-4, 0.016, -2, 4e-4), 2},
      {"rest, n 0", 1.0 * Calc_Bar_Count_Rest(10e-4, 0.016, 0, 4e-4), 0},
      {"area 4 d 20", Calc_Bar_Area(4, 0.02), 0.001257},
      {"bundle 2 of 3 d 20", Calc_Bundle_Area(2, 3, 0.02), 6 * 3.14159265358979 * 1e-4},
      {"bundle, m < 0", Calc_Bundle_Area(2, -3, 0.02), 0},
      {"length", Calc_Bar_Count_for_Length(1.0, 0.15), 1.0 / 0.15 + 1},
      {"length, short", Calc_Bar_Count_for_Length(0.1, 0.15), 2},
      {"length, s 0", Calc_Bar_Count_for_Length(1.0, 0), 0},
      {"in width", Calc_Bars_in_Width(0.3, 0.03, 0.02, 0.02), 5.5},
      {"in width, too narrow", Calc_Bars_in_Width(0.05, 0.03, 0.02, 0.02), 0},
      {"in width, d + e 0", Calc_Bars_in_Width(0.3, 0.03, -0.02, 0.02), 0},
      {"chord", Calc_Bar_Chord(6, 0.1), 0.1},
      {"chord, n 0", Calc_Bar_Chord(0, 0.1), 1e100},
      {"pitch", Calc_Bar_Pitch(5, 1.0), 0.25},
      {"pitch, n 1", Calc_Bar_Pitch(1, 1.0), 1e100},
      {"on circle, 6 bars", Calc_Bars_on_Circle(0.1, 0.1), 6},
      {"on circle, s = 2r", Calc_Bars_on_Circle(0.2, 0.1), 2},
      {"on circle, s > 2r", Calc_Bars_on_Circle(0.3, 0.1), 2},
      {"on circle, r 0", Calc_Bars_on_Circle(0.1, 0), 0},
      {"on circle, s < 0", Calc_Bars_on_Circle(-0.1, 0.1), 0},
  };
  for (const Case &c : cases) EXPECT_NEAR(c.want, c.got, 1e-9) << c.what;

  EXPECT_EQ(6, Find_Bar_Diameter(12.5e-4, 4, 1.0));   // 4 d 20: 12.57 cm²
  EXPECT_EQ(7, Find_Bar_Diameter(12.6e-4, 4, 1.0));   // 4 d 25
  EXPECT_EQ(-1, Find_Bar_Diameter(1.0, 4, 1.0));
  int n = 0, i = 0;
  ASSERT_EQ(1, Find_Bar_Count_and_Diameter(12.6e-4, 2, 3, 6, 1.0, &n, &i));
  EXPECT_EQ(std::make_pair(5, 6), std::make_pair(n, i));  // 4 d 20 = 12.57 cm² is short: 5 d 20
  EXPECT_EQ(0, Find_Bar_Count_and_Diameter(1e-4, 1, 0, 9, 0.0, &n, &i));
}
