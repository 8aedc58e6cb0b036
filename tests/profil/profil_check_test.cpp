// The check family of a profile: outline parts by type, their lower bounds, the record's
// reset and the weld check of its plate; the stress point that a trapezoid cannot hold.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>

#include "dwqb/dwqb.h"
#include "materials/materials.h"
#include "profil/profil.h"
#include "tests/common/en10365_rows.h"
#include "tests/materials/capture.h"
#include "tests/profil/profil_shapes.h"

namespace {

constexpr double kPi = 3.141592653589793;

class ProfilCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Profil_Module_For_Tests();
    Reset_Sections_For_Tests();
    Reset_DWQB_Module_For_Tests();
  }
  void TearDown() override { Reset_Materials_For_Tests(); }
};

struct Shape {
  const char *what;
  int type;
  double h, t_w, b_fo, t_fo;
  int rolled;
  double r, r_2;
  int count;
  double arcs;  // outline length that no part holds: the fillets an I or hollow section leaves
                // out, the weld legs along which a welded I's perimeter runs
};

// The parts walk the whole outline: with the corners the list leaves out they add up to
// the perimeter of the closed formulas, and for the rolled sections of EN 10365 to the
// surface of the table (IPE 300 1.160 m²/m, HE 300 B 1.732 m²/m).
TEST_F(ProfilCheck, OutlinePartsAddUpToThePerimeter) {
  const en10365::Row &ipe = en10365::kIpe300, &heb = en10365::kHe300b;
  const Shape shapes[] = {
      {"flat 100 x 10", PROFIL_FLAT, 100, 10, 0, 0, 0, 0, 0, 4, 0},
      {"round 50", PROFIL_ROUND, 50, 0, 0, 0, 0, 0, 0, 1, 0},
      {"tube 168.3 x 8", PROFIL_CHS, 168.3, 8, 0, 0, 1, 0, 0, 1, 0},
      {"angle 120 x 80 x 10", PROFIL_ANGLE, 120, 10, 80, 10, 1, 11, 5.5, 10, 0},
      {"IPE 300", PROFIL_I, ipe.h, ipe.t_w, ipe.b, ipe.t_f, 1, ipe.r, 0, 12, 2 * kPi * ipe.r},
      {"HE 300 B", PROFIL_H, heb.h, heb.t_w, heb.b, heb.t_f, 1, heb.r, 0, 12, 2 * kPi * heb.r},
      {"welded I", PROFIL_I, 400, 8, 200, 12, 0, 0, 0, 12, 8 * 4 * std::sqrt(2.0)},
      {"channel 200", PROFIL_U, 200, 6, 80, 11, 1, 13, 0, 10, 0},
      {"RHS 200 x 100", PROFIL_RHS, 100, 6, 200, 6, 1, 9, 0, 4, 2 * kPi * 9},
      {"T 100", PROFIL_T, 100, 11, 100, 11, 1, 11, 0, 11, 0},
      {"half I", PROFIL_HALF_I, 150, 7.1, 150, 10.7, 1, 15, 0, 11, 0},
      {"Z 160", PROFIL_Z, 160, 7, 140, 9, 1, 10, 0, 10, 0},
  };
  for (const Shape &s : shapes) {
    SCOPED_TRACE(s.what);
    PROFIL p{};
    Reset_Profil(&p);
    Set_Shape(&p, s.type, s.h, s.t_w, s.b_fo, s.t_fo, s.b_fo, s.t_fo, s.rolled, s.r, s.r_2);
    if (!s.rolled) p.a_o = p.a_u = 4;
    Calc_Profil_Plate_Widths(&p);
    Calc_Profil_Closed_Values(&p);
    double len[PROFIL_OUTLINE_PARTS_MAX];
    int code[PROFIL_OUTLINE_PARTS_MAX];
    ASSERT_EQ(Get_Profil_Outline_Parts(&p, len, code), s.count);
    for (int i = 0; i < s.count; ++i) EXPECT_NE(code[i], PROFIL_PART_NONE) << i;
    for (int i = s.count; i < PROFIL_OUTLINE_PARTS_MAX; ++i) EXPECT_EQ(len[i], 0.0) << i;
    const double sum = std::accumulate(len, len + s.count, 0.0);
    EXPECT_NEAR(sum + s.arcs, p.U, 1e-9 * p.U);
    if (s.type == PROFIL_I && s.rolled) {
      EXPECT_NEAR(sum + s.arcs, 1000 * ipe.U, 0.5);
    }
    if (s.type == PROFIL_H) {
      EXPECT_NEAR(sum + s.arcs, 1000 * heb.U, 0.5);
    }
    Reset_Profil(&p);
  }
}

// The parts of types 1, 9 and 8 by their dimensions; other types give -1 with the outputs
// cleared; the lower bounds only lower, and only where a part stands.
TEST_F(ProfilCheck, OutlinePartsByTypeAndLowerBounds) {
  struct Case {
    const char *what;
    int kind, type, rolled, count;
    double parts[4];
  } cases[] = {
      {"flat 100 x 10", 0, PROFIL_FLAT, 0, 4, {10, 100, 100, 10}},
      {"tube 100", 0, PROFIL_CHS, 1, 1, {100 * kPi}},
      {"RHS 200 x 100, r 12", 0, PROFIL_RHS, 1, 4, {176, 76, 76, 176}},
      {"RHS welded", 0, PROFIL_RHS, 0, 4, {200, 100, 100, 200}},
      {"type 0", 0, PROFIL_DEFAULT, 1, -1, {}},
      {"box girder", 0, PROFIL_BOX, 0, -1, {}},
      {"trapezoid", 0, PROFIL_TRAPEZ, 0, -1, {}},
      {"R7-PLAX section", PROFIL_KIND_QUER, PROFIL_FLAT, 0, -1, {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    PROFIL p{};
    Reset_Profil(&p);
    Set_Shape(&p, c.type, 100, c.type == PROFIL_FLAT ? 10 : 6, 200, 6, 200, 6, c.rolled, 12);
    p.kind = c.kind;
    double len[PROFIL_OUTLINE_PARTS_MAX];
    int code[PROFIL_OUTLINE_PARTS_MAX];
    std::fill(len, len + PROFIL_OUTLINE_PARTS_MAX, 7.0);
    ASSERT_EQ(Get_Profil_Outline_Parts(&p, len, code), c.count);
    for (int i = 0; i < PROFIL_OUTLINE_PARTS_MAX; ++i) EXPECT_NEAR(len[i], i < c.count ? c.parts[i] : 0.0, 1e-9) << i;
    double lower[12] = {150, 150, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50};
    EXPECT_EQ(Min_Profil_Outline_Parts(&p, lower), c.count);
    for (int i = 0; i < 12; ++i) {
      const double before = i < 2 ? 150 : 50;
      EXPECT_EQ(lower[i], i < c.count ? std::fmin(before, c.parts[i]) : before) << i;
    }
  }
  EXPECT_EQ(Get_Profil_Outline_Parts(nullptr, nullptr, nullptr), -1);
}

// The record after its reset (angle 90, texts and values cleared), then the weld of its
// plate with f_u and beta_w of the grade (EN 1993-1-1 Table 3.1 and EN 1993-1-8 Table 4.1:
// S235 360 and 0.8, S355 490 and 0.9): the record keeps the largest utilisation; a weld
// that cannot be checked changes nothing and answers 1.
TEST_F(ProfilCheck, WeldOfThePlate) {
  struct Case {
    const char *what;
    int row;
    double a, l_f, l_w, F_Ed, gamma_M2;
    int result;
    double U;
  } cases[] = {
      {"S235 4 mm along the flange", 0, 4, 100, 0, 50, 0, 0, 0.601407},
      {"smaller force keeps the larger U", 0, 4, 100, 0, 10, 0, 0, 0.601407},
      {"S355 5 mm, flange and web", 2, 5, 120, 80, 300, 0, 0, 1.192994},
      {"no throat", 0, 0, 100, 0, 500, 0, 1, 1.192994},
      {"record's partial factor", 0, 3, 300, 0, 350, 1.0, 0, 1.496834},
  };
  PROFIL_CHECK r{};
  std::snprintf(r.name, sizeof r.name, "Knagge");
  r.U = 5;
  EXPECT_EQ(Reset_Profil_Check_Record(&r), 0);
  EXPECT_EQ(r.angle, 90.0);
  EXPECT_STREQ(r.name, "");
  EXPECT_EQ(r.U, 0.0);
  PrintCapture pc;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    MATERIAL grade;
    Init_Material_Data(&grade);
    grade.grade = c.row;
    Check_Material_Strength(&grade, 10, nullptr, 0, nullptr);
    r.F_Ed = c.F_Ed;
    r.gamma_M2 = c.gamma_M2;
    EXPECT_EQ(Check_Profil_Weld(&r, c.a, c.l_f, c.l_w, &grade, pc.stream(), "  "), c.result);
    EXPECT_NEAR(r.U, c.U, 1e-6);
  }
  EXPECT_EQ(pc.Lines().size(), 5u);
  // Without a grade the profile's own counts.
  PROFIL_CHECK q{};
  Reset_Profil_Check_Record(&q);
  Init_Material_Data(&q.profil.grade);
  q.F_Ed = 50;
  EXPECT_EQ(Check_Profil_Weld(&q, 4, 100, 0, nullptr, nullptr, nullptr), 0);
  EXPECT_NEAR(q.U, 0.601407, 1e-6);
  EXPECT_EQ(Check_Profil_Weld(nullptr, 4, 100, 0, nullptr, nullptr, nullptr), 1);
}

// A trapezoid's walls are rib walls: a stress point on it finds no wall and the section
// values answer 1 (the values are still written).
TEST_F(ProfilCheck, TrapezoidStressPointFindsNoWall) {
  PROFIL p{};
  Reset_Profil(&p);
  Set_Shape(&p, PROFIL_TRAPEZ, 50, 2, 100, 2, 150, 2, 0);
  PROFIL_STRESS_POINT pt{};
  pt.number = 1;
  pt.flags = PROFIL_POINT_WEB;
  pt.y = 0;
  pt.z = 1;
  EXPECT_EQ(Calc_Profil_DWQB_Querschnittswerte(&p, nullptr, nullptr, 0, 1, &pt), 1);
  EXPECT_EQ(pt.line, 0);
  EXPECT_GT(p.A, 0.0);
  Reset_Profil(&p);
}

}  // namespace
