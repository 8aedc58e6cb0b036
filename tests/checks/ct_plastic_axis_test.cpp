// The plastic neutral axis of classes 1 and 2 (EN 1993-1-1 Table 5.2, sheets 1 and 2): the
// axis of a plate model against hand values, and the class text of a profile taking the same
// alpha as the member's c/t check, with its line that says so. S235, gamma_M0 1.0; the class
// text takes N compression positive (N) and moments in Nmm, a positive M_y compressing the
// top.
#include <cmath>
#include <limits>
#include <string>

#include "checks/checks.h"
#include "checks/checks_internal.h"
#include "support/cp850.h"
#include "tests/checks/checks_fixture.h"

namespace {

// A parametric profile of type and dimensions (mm) in S235.
struct Shape {
  PROFIL p{};
  Shape(int type, double h, double t_w, double b_fo, double t_fo, double b_fu, double t_fu, int rolled, double r,
        double r_2) {
    Init_Material_Data(&p.grade);
    p.kind = PROFIL_KIND_PARAMETRIC, p.type = type, p.rolled = rolled;
    p.h = h, p.t_w = t_w, p.b_fo = b_fo, p.t_fo = t_fo, p.b_fu = b_fu, p.t_fu = t_fu, p.r = r, p.r_2 = r_2;
    EXPECT_EQ(0, Calc_Profil_Querschnittswerte(&p, nullptr, 0, nullptr));
  }
  ~Shape() { Reset_Profil(&p); }
};

}  // namespace

// A T of a flange 200 × 20 on a stem 180 × 10 (z downward from the top; area 4000 + 1800):
// under M_y alone the axis halves the area 14.5 mm below the top, inside the flange, whose
// centre line (z = 10) lies on the compressed side: flange 1, stem 0; turned, the other way
// round. With N +600 kN at 235 (N / f = 2553 mm²: compressed area (5800 − 2553) / 2 =
// 1623.4 mm², 8.12 mm of the flange) the flange's centre line is stretched: 0. Beyond the
// squash load (5800 · 235 = 1363 kN) the section is one block, and without moment N alone
// decides; no strength, a force that is no number or no wall give no axis.
TEST(CtPlasticAxis, BlocksOfAPlateModel) {
  const CT_WALL walls[2] = {{-100, 10, 100, 10, 20, 20}, {0, 20, 0, 200, 10, 10}};
  const CT_WALL flange = walls[0], stem = walls[1];
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // The elastic stresses' plane (compression positive): a positive slope in z compresses the
  // bottom.
  const double top[3] = {1, 0, -1}, bottom[3] = {-1, 0, 1}, flat[3] = {1, 0, 0};
  struct Case {
    const char *what;
    double N_c, f;
    const double *plane;
    const CT_WALL *w;
    int n, state;
    double flange, stem;  // shares, −1 not worked out
  } cases[] = {
      {"top compressed", 0, 235, top, walls, 2, CT_AXIS_CROSSES, 1, 0},
      {"bottom compressed", 0, 235, bottom, walls, 2, CT_AXIS_CROSSES, 0, 1},
      {"tension 600 kN", -600e3, 235, top, walls, 2, CT_AXIS_CROSSES, 0, 0},
      {"beyond the squash load", 1400e3, 235, top, walls, 2, CT_AXIS_ALL_COMPRESSED, 1, 1},
      {"beyond in tension", -1400e3, 235, top, walls, 2, CT_AXIS_ALL_TENSION, 0, 0},
      {"N alone", 10e3, 235, flat, walls, 2, CT_AXIS_ALL_COMPRESSED, 1, 1},
      {"N alone in tension", -10e3, 235, flat, walls, 2, CT_AXIS_ALL_TENSION, 0, 0},
      {"no force", 0, 235, flat, walls, 2, CT_AXIS_NONE, -1, -1},
      {"no strength", 0, 0, top, walls, 2, CT_AXIS_NONE, -1, -1},
      {"N no number", nan, 235, top, walls, 2, CT_AXIS_NONE, -1, -1},
      {"no wall", 0, 235, top, walls, 0, CT_AXIS_NONE, -1, -1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    CT_PLASTIC_AXIS axis{};
    EXPECT_EQ(c.state, CT_Find_Plastic_Axis(c.w, c.n, c.N_c, c.f, c.plane, &axis));
    EXPECT_EQ(c.state, axis.state);
    EXPECT_EQ(c.flange, CT_Plastic_Share(axis, flange, nullptr));
    EXPECT_EQ(c.stem, CT_Plastic_Share(axis, stem, nullptr));
    if (c.state == CT_AXIS_CROSSES && c.N_c == 0) {  // horizontal, 14.5 mm below the top
      EXPECT_NEAR(0.0, axis.n_y, 1e-9);
      EXPECT_NEAR(14.5, axis.d / axis.n_z, 1e-6);
    }
  }
  // The stem alone under N +100 kN and a moment compressing its bottom: the axis crosses it at
  // 90 + 100e3 / (2 · 235 · 10) = 111.28 mm from its top, its second end (the bottom) is the
  // compressed one: share (200 − 20 − 111.28) / 180.
  CT_PLASTIC_AXIS axis{};
  ASSERT_EQ(CT_AXIS_CROSSES, CT_Find_Plastic_Axis(&stem, 1, -100e3, 235, bottom, &axis));
  int end = -9;
  EXPECT_NEAR((180 - 90 - 100e3 / (2 * 235 * 10.0)) / 180, CT_Plastic_Share(axis, stem, &end), 1e-9);
  EXPECT_EQ(1, end);
  EXPECT_EQ(-1.0, CT_Plastic_Share(CT_PLASTIC_AXIS{}, stem, &end));
  EXPECT_EQ(-1, end);
  EXPECT_EQ(CT_AXIS_NONE, CT_Find_Plastic_Axis(walls, 2, 0, 235, nullptr, &axis));
}

// The class text of a profile takes the alpha of the member's c/t check (hand values with the
// member run's CtCheckByPlasticNeutralAxis): the welded I 640 (web 600 × 8, flanges 300 × 20
// over 200 × 20) under M_y ±300 kNm, web alpha 175 / 600 and 425 / 600; the RHS 200 × 100 × 8
// under M_y 60 + M_z 10 kNm, the webs' alpha 0.684 (c = 168); IPE 300 under N +252.92 kN and
// M_z 11.771 kNm, the compressed outstands wholly compressed (alpha 1, 5.276 / 10 where the
// elastic alpha 0.90 gave 0.476); a channel 400 × 100 × 6 × 12 under N −100 kN, M_y 50 and
// M_z 1 kNm, web alpha 0.601 (376 / 6 against 456 / (13 alpha − 1), where alpha 1 gave
// class 3); a box girder 400 high, 300 between the webs' faces (webs 20, flanges 12 with
// overhangs of 100 mm) under N +400 kN and M_z 80 kNm: N / f_y = 1702 mm² moves the axis
// 1702 / (2 · 24) = 35.5 mm off the middle, short of the webs, so the compressed overhangs are
// wholly compressed, 100 / 12 against 10 (they took the elastic alpha of the flange between
// the webs, 0.11); a T of a flange 200 × 20 and a stem 180 × 10 under N −700 kN and M_y
// 20 kNm: the compressed area (5800 + 700e3 / 235) / 2 = 4389.4 mm² reaches 38.9 mm into the
// stem, alpha (58.9 − 20) / 180 = 0.216 with the tip in tension, 10 / (alpha √alpha) = 99.5
// ending at the class-3 limit 21 √6.97 = 55.43 (psi −0.43 of the stresses); the flange
// 4.75 / 10 governs.
TEST_F(ChecksTest, ClassTextByPlasticNeutralAxis) {
  Shape welded(PROFIL_I, 640, 8, 300, 20, 200, 20, 0, 0, 0), rhs(PROFIL_RHS, 200, 8, 100, 8, 100, 8, 1, 12, 8);
  Shape ch(PROFIL_U, 400, 6, 100, 12, 100, 12, 0, 0, 0);
  Shape box(PROFIL_BOX, 400, 20, 300, 12, 300, 12, 0, 0, 0);
  box.p.ue_o = box.p.ue_u = 100;
  ASSERT_EQ(0, Calc_Profil_Querschnittswerte(&box.p, nullptr, 0, nullptr));
  Shape tee(PROFIL_T, 200, 10, 200, 20, 0, 0, 0, 0, 0);
  Library ipe300("IPE300", 0);
  const double a_rhs = 0.6843;
  struct Case {
    const char *what;
    PROFIL *p;
    double N, M_y, M_z;  // kN, kNm
    int cls, web;
    double u;         // against class 2
    const char *web_line;  // in the level-2 text, "" none
  } cases[] = {
      {"welded I", &welded.p, 0, 300, 0, 1, 1, 7.3 / 10, "Q-Klasse 1 für ║ = 0.292,  c/t = 75.00"},
      {"welded I turned", &welded.p, 0, -300, 0, 3, 3, 75 * (13 * 0.70833 - 1) / 456, "Q-Klasse 3 für ║ = 0.708,  c/t = 75.00"},
      {"RHS", &rhs.p, 0, 60, 10, 1, 1, 21 * (13 * a_rhs - 1) / 456, "Q-Klasse 1 für ║ = 0.68"},
      {"IPE 300 tension + M_z", &ipe300.p, 252.92, 0, 11.771, 1, 0, 5.276 / 10, ""},
      {"channel", &ch.p, -100, 50, 1, 2, 2, 62.6667 * (13 * 0.601 - 1) / 456, "║ = 0.60"},
      {"T N + M_y", &tee.p, -700, 20, 0, 1, 1, 4.75 / 10,
       "║ = 0.216,  c/t = 18.00 (einseitig gestützt, Druck+Biegung (Ê = -0.43, k╬\\╠╬r = 6.97)) < 55.43"},
      {"box girder N + M_z", &box.p, 400, 0, 80, 1, 1, 100.0 / 12 / 10, ""},
  };
  const std::string elastic = "Der Beiwert ║ wird elastisch ermittelt.\n"_cp;
  const std::string plastic = "Der Beiwert ║ der Klassen 1 und 2 wird aus der plastischen Nulllinie ermittelt.\n"_cp;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    int f1 = -9, f2 = -9, web = -9;
    double u = -1;
    PrintCapture cap;
    EXPECT_EQ(c.cls, Print_Querschnittsklasse(c.p, -1e3 * c.N, 1e6 * c.M_y, 1e6 * c.M_z, 1.0, 1, 0, &f1, &f2, &web, 2,
                                              &u, cap.stream(), 2, nullptr));
    EXPECT_EQ(c.web, web);
    EXPECT_NEAR(c.u, u, 0.003 * c.u);
    const std::string text = cap.Raw();
    EXPECT_NE(std::string::npos, text.find(elastic + plastic)) << Cp850_To_Utf8(text);
    EXPECT_NE(std::string::npos, Cp850_To_Utf8(text).find(c.web_line)) << Cp850_To_Utf8(text);
  }
  // Where no plate takes alpha from the axis the line stays away: a web wholly compressed, a
  // tube.
  Library chs("R 88.9 x 5.0(w)", 0);
  for (PROFIL *p : {&ipe300.p, &chs.p}) {
    PrintCapture cap;
    Print_Querschnittsklasse(p, 400e3, 5e6, 0, 1.0, 1, 0, nullptr, nullptr, nullptr, 2, nullptr, cap.stream(), 2,
                             nullptr);
    EXPECT_NE(std::string::npos, cap.Raw().find(elastic)) << Cp850_To_Utf8(cap.Raw());
    EXPECT_EQ(std::string::npos, cap.Raw().find(plastic)) << Cp850_To_Utf8(cap.Raw());
  }
}
