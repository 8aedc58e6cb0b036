// Cross-section class of a profile with its formula text (EN 1993-1-1 Table 5.2, 5.5.2(9)),
// shear buckling of a web (EN 1993-1-5, 5.1) and the plate-buckling verdicts.
#include <cmath>
#include <string>

#include "checks/checks.h"
#include "profil/profil_shapes.h"
#include "support/cp850.h"
#include "tests/checks/checks_fixture.h"

// Library profiles under N (compression positive, N) and M_y (Nmm): plate classes and the
// utilisation against the required class. IPE 300: web c/t 35.0141, flanges 5.27570;
// HEB 200: 14.8889 and 5.16667; sigma = 500 kN / 53.81 cm² = 92.92 N/mm².
TEST_F(ChecksTest, ClassesOfLibraryProfiles) {
  struct Case {
    const char *name;
    int row;
    double N, M_y;
    int no_raise, required;
    int cls, f1, f2, web;
    double u;
  } cases[] = {
      {"IPE300", 0, 500000, 0, 0, 3, 2, 1, 1, 2, 0.524210},   // 35.0141 / (42 · 1.5903)
      {"IPE300", 0, 500000, 0, 1, 3, 2, 1, 1, 2, 0.833669},   // 35.0141 / 42
      {"IPE300", 2, 500000, 0, 1, 3, 4, 1, 1, 4, 1.024646},   // 35.0141 / (42 · 0.813617)
      {"HE200B", 2, 500000, 0, 1, 2, 1, 1, 1, 1, 0.635025},   // 5.16667 / (10 · 0.813617)
      {"IPE300", 0, 0, 100e6, 0, 2, 1, 1, 0, 1, 0.527570},    // top flange 5.2757 / 10
      {"IPE300", 0, 0, -100e6, 0, 2, 1, 0, 1, 1, 0.527570},   // bottom flange
      {"IPE300", 0, 0, 0, 0, 2, 0, 0, 0, 0, 0},               // nothing compressed
      {"IPE300", 0, -500000, 0, 0, 2, 0, 0, 0, 0, 0},         // tension
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.name << " row " << c.row << " N " << c.N << " M_y " << c.M_y);
    Library lib(c.name, c.row);
    int f1 = -9, f2 = -9, web = -9;
    double u = -1;
    EXPECT_EQ(c.cls, Print_Querschnittsklasse(&lib.p, c.N, c.M_y, 0, 1.0, c.no_raise, 0, &f1, &f2, &web,
                                              c.required, &u, nullptr, 0, nullptr));
    EXPECT_EQ(c.f1, f1);
    EXPECT_EQ(c.f2, f2);
    EXPECT_EQ(c.web, web);
    EXPECT_NEAR(c.u, u, 2e-6);
    EXPECT_NEAR(c.u, Get_Querschnittsklasse_Utilisation(&lib.p, c.required == 2, c.N, c.M_y, 0, 1.0, c.no_raise,
                                                        0, nullptr, 0), 2e-6);
  }
}

// Alpha codes from the elastic stress plane (N compression positive, moments in Nmm): pure
// bending of a symmetric web gives 0.5; an outstand compressed at its support is negative.
// Welded sections without welds, their shares by hand from the elastic centroid: the I of
// h 400, flanges 200 × 15 on top and 200 × 20 below, web 10 (z_s 216.28 mm from the top,
// the web from 15 to 380 mm), and the T 200 × 150 × 10 × 15 (z_s 52.62 mm, the stem from
// 15 to 200 mm, its tip at the bottom).
TEST_F(ChecksTest, PlateAlphaSignsAndShares) {
  PROFIL i2{}, t{}, chs{}, ch{};
  Reset_Profil(&i2), Reset_Profil(&t), Reset_Profil(&chs), Reset_Profil(&ch);
  i2.type = PROFIL_I, i2.h = 400, i2.t_w = 10, i2.b_fo = i2.b_fu = 200, i2.t_fo = 15, i2.t_fu = 20;
  t.type = PROFIL_T, t.h = 200, t.t_w = 10, t.b_fo = 150, t.t_fo = 15;
  chs.type = PROFIL_CHS, chs.h = 200, chs.t_w = 8;
  ch.type = PROFIL_U, ch.h = 200, ch.t_w = 10, ch.b_fo = ch.b_fu = 80, ch.t_fo = ch.t_fu = 12;
  for (PROFIL *p : {&i2, &t, &chs, &ch}) {
    Init_Material_Data(&p->grade);
    ASSERT_EQ(0, Calc_Profil_Querschnittswerte(p, nullptr, 0, ""));
  }
  struct Case {
    const char *name;
    double N, M_y, M_z, top, bottom, web;  // alpha codes; a share: its sign, 0.5 exactly
    bool exact = false;                    // the shares to 1e-4
  } cases[] = {
      {"IPE300", 0, 30e6, 0, 1000, 0, 0.5},    {"IPE300", 200000, 0, 0, 1000, 1000, 1000},
      {"UPN200", 200000, 0, 5e6, -0.1, -0.1, 1000},  // flanges compressed at the web: tip in tension
      {"T100", 0, 30e6, 0, 1000, 0, -0.1},            // stem tip in tension
      {"T100", 0, -30e6, 0, 0, 0, 0.1},
      {"I2", 0, 30e6, 0, 1000, 0, (216.28 - 15) / 365, true},
      {"I2", 0, -30e6, 0, 0, 1000, (380 - 216.28) / 365, true},
      {"T", 0, 10e6, 0, 1000, 0, -(52.62 - 15) / 185, true},
      {"T", 0, -10e6, 0, 0, 0, (200 - 52.62) / 185, true},
  };
  // The tube 200 × 8 under N 200 kN and M 50 kNm: the compressed share of the ring,
  // (N/A + M r/I) over the stress range, A and I of the ring by hand.
  const double A = M_PI / 4 * (200 * 200 - 184 * 184), I = M_PI / 64 * (std::pow(200, 4) - std::pow(184, 4));
  const double s_hi = 200e3 / A + 50e6 * 100 / I, s_lo = 200e3 / A - 50e6 * 100 / I;
  double alpha[3], sigma[3];
  Calc_Plate_Alpha(&chs, 200e3, 30e6, 40e6, alpha, sigma, nullptr);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(alpha[i], s_hi / (s_hi - s_lo), 1e-4);
    EXPECT_NEAR(sigma[i], s_hi, 1e-6 * s_hi);
  }
  // The welded channel 200 × 80 × 10 × 12 under M_z: each flange, from its tip (y −40 mm)
  // to the web's face (y 30 mm), is cut where the model's centroid lies, y_c 16.74 mm (web
  // 200 × 10 at 35 mm, flanges 70 × 12 each at −5 mm); M_z compresses the web's side, so the
  // tip is in tension: −(30 − y_c)/70.
  const double y_c = (2000 * 35.0 - 1680 * 5.0) / 3680;
  PROFIL wide = i2;  // M_z: the tips of a bottom flange 300 wide half as far out again
  wide.b_fu = 300;
  Calc_Plate_Alpha(&wide, 0, 0, 5e6, alpha, sigma, nullptr);
  EXPECT_NEAR(sigma[1] / sigma[0], 1.5, 1e-9);
  Calc_Plate_Alpha(&ch, 0, 0, 5e6, alpha, sigma, nullptr);
  EXPECT_NEAR(alpha[0], -(30 - y_c) / 70, 1e-4);
  EXPECT_EQ(alpha[0], alpha[1]);
  // A trapezoid has no class rules: class 0.
  PROFIL tr{};
  Reset_Profil(&tr);
  Set_Shape(&tr, PROFIL_TRAPEZ, 100, 6, 80, 6, 200, 6, 0);
  Init_Material_Data(&tr.grade);
  double u_tr = -1;
  EXPECT_EQ(0, Print_Querschnittsklasse(&tr, 500000, 0, 0, 1.0, 0, 0, nullptr, nullptr, nullptr, 3, &u_tr, nullptr, 0,
                                        nullptr));
  EXPECT_EQ(u_tr, 0.0);
  Reset_Profil(&tr);
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.name << " M_y " << c.M_y << " M_z " << c.M_z);
    const bool welded = std::string(c.name) == "I2" || std::string(c.name) == "T";
    Library lib(welded ? "IPE300" : c.name, 0);
    const PROFIL *p = !welded ? &lib.p : std::string(c.name) == "T" ? &t : &i2;
    double alpha[3], sigma[3];
    Calc_Plate_Alpha(p, c.N, c.M_y, c.M_z, alpha, sigma, nullptr);
    const double want[3] = {c.top, c.bottom, c.web};
    for (int i = 0; i < 3; ++i) {
      if (c.exact || std::fabs(want[i]) >= 1000 || want[i] == 0 || want[i] == 0.5)
        EXPECT_NEAR(want[i], alpha[i], c.exact ? 1e-4 : 1e-9) << i;
      else EXPECT_TRUE(want[i] * alpha[i] > 0 && std::fabs(alpha[i]) > 0.01 && std::fabs(alpha[i]) < 1) << i;
      EXPECT_EQ(alpha[i] != 0, sigma[i] > 0) << i;
    }
  }
  Reset_Profil(&i2), Reset_Profil(&t), Reset_Profil(&chs), Reset_Profil(&ch);
}

// The full text of the class of IPE 300 in S235 under N = 500 kN and of bending with a label,
// at levels 2 and 1.
TEST_F(ChecksTest, ClassTextGolden) {
  Library ipe("IPE300", 0);
  PrintCapture cap;
  Print_Querschnittsklasse(&ipe.p, 500000, 0, 0, 1.0, 0, 0, nullptr, nullptr, nullptr, 3, nullptr, cap.stream(),
                           2, nullptr);
  Print_Querschnittsklasse(&ipe.p, 0, 100e6, 0, 1.0, 0, 0, nullptr, nullptr, nullptr, 2, nullptr, cap.stream(), 2,
                           " Feld");
  Print_Querschnittsklasse(&ipe.p, 500000, 0, 0, 1.0, 1, 0, nullptr, nullptr, nullptr, 3, nullptr, cap.stream(),
                           1, nullptr);
  Oli_End_Text(cap.stream());
  Expect_Golden("class_ipe300.oli", cap.Raw());
}

// One plate: class and utilisation by kind, alpha code and stress level.
TEST_F(ChecksTest, OnePlateByKindAlphaAndStress) {
  struct Case {
    int kind;
    double ct, fy, alpha, sigma;
    int required, cls;
    double u;
  } cases[] = {
      {CT_TEXT_INTERNAL, 80, 235, 0.5, 0, 3, 2, 80.0 / 124},          // bending: 72, 83, 124
      {CT_TEXT_INTERNAL, 50, 235, 1000, 100, 3, 3, 0.776581},         // 42 · sqrt(235/100)
      {CT_TEXT_INTERNAL, 35, 235, 0.75, 0, 2, 1, 35 / (456 / 8.75)},  // 396, 456 / (13 alpha - 1)
      {CT_TEXT_INTERNAL, 95, 235, 0.4, 0, 1, 2, 95 / 90.0},           // 36 / alpha, 41.5 / alpha
      {CT_TEXT_INTERNAL, 150, 235, 0.4, 0, 3, 3, 150 / 189.83545},    // ψ −1.5: 62 (1 − ψ) √−ψ
      {CT_TEXT_OUTSTAND, 13, 235, 1000, 0, 3, 3, 13.0 / 14},          // uniform: 9, 10, 14
      {CT_TEXT_OUTSTAND, 14.01, 235, 1, 0, 3, 4, 1.0},                // 1.0007 counts as 1
      {CT_TEXT_OUTSTAND, 27, 235, -0.5, 0, 1, 2, 27 / 25.455844},     // tip in tension: 9 / (a sqrt a)
      {CT_TEXT_OUTSTAND, 12, 235, 0.5, 0, 1, 1, 12.0 / 18},           // tip in compression: 9 / a
      {CT_TEXT_OUTSTAND, 15, 235, 0.5, 0, 3, 1, 15 / 19.361042},      // ψ −1: 21 √k, k 0.85
      {CT_TEXT_CHS, 60, 235, 1000, 0, 2, 2, 60.0 / 70},               // 50, 70, 90 eps²
      {CT_TEXT_CHS, 60, 355, 1000, 0, 3, 4, 60 / (90 * 235.0 / 355)},
      {CT_TEXT_ANGLE_1, 14.5, 235, 1000, 0, 3, 3, 14.5 / 15},         // h/t <= 15 eps
      {CT_TEXT_ANGLE_2, 11.6, 235, 1000, 0, 3, 4, 11.6 / 11.5},       // (b + h)/2t <= 11.5 eps
      {CT_TEXT_OUTSTAND, 12, 235, 0.005, 0, 3, 0, 0},                 // no compression
      {CT_TEXT_OUTSTAND, 12, 0, 1000, 0, 3, -1, 0},                   // no yield strength
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " c/t " << c.ct << " alpha " << c.alpha);
    double u = -1;
    EXPECT_EQ(c.cls, Classify_CT_Part_Text(c.kind, c.required, &u, c.ct, c.fy, 0, c.alpha, c.sigma, 1.0, nullptr,
                                           2, nullptr));
    EXPECT_NEAR(c.u, u, 1e-5);
  }
  double u = -1;  // γ 1.1: the class-3 limit raised by √(f_y / (γ σ_com))
  Classify_CT_Part_Text(CT_TEXT_INTERNAL, 3, &u, 50, 235, 0, 1000, 100, 1.1, nullptr, 0, nullptr);
  EXPECT_NEAR(u, 50 / (42 * std::sqrt(235 / 110.0)), 1e-9);
}

// Shear buckling (72 eps / eta, eta 1.2 of the default set), plate buckling, stiffeners and
// the verdicts without a yield strength.
TEST_F(ChecksTest, BucklingVerdicts) {
  Library s355("IPE300", 2), s235("IPE300", 0);
  PrintCapture cap;
  EXPECT_EQ(0, Check_Schubbeulen(278.6, 7.1, 235, 0, cap.stream(), 2));  // 39.24 <= 60
  EXPECT_EQ(0, Check_Plattenbeulen_Profil(&s235.p, 1, 500000, 0, 0, 1.0, cap.stream(), 2));  // 2 <= 2
  const char *expected[] = {
      "Schubbeulen: h╬\\p╬r/t╬\\p╬r = 39.24 ¾ 72╬/.╬r¥/┴ = 60.00,  h╬\\p╬r = 278.6 mm,  t╬\\p╬r = 7.1 mm  ok"_cp,
      "Nachweisverfahren 'Elastisch-Plastisch' ê zul. Q-Klasse 2"_cp, "Plattenbeulen: Q-Klasse des Profils 2 ¾ 2  ok"_cp};
  EXPECT_EQ(Lines_Of(expected), cap.Lines());
  EXPECT_EQ(1, Check_Schubbeulen(1000, 8, 355, 0, nullptr, 0));                             // 125 > 48.8
  EXPECT_EQ(1, Check_Plattenbeulen_Profil(&s355.p, 0, 500000, 0, 0, 1.0, nullptr, 0));     // class 4 > 3
  EXPECT_EQ(1, Check_Plattenbeulen_Stegblech(&s355.p, 1, 500000, 0, 0, 1.0, nullptr, 0));
  EXPECT_EQ(0, Print_Steifen_Klasse(95, 10, 235, 0, 1.0, nullptr, 0));
  EXPECT_EQ(1, Print_Steifen_Klasse(150, 10, 235, 0, 1.0, nullptr, 0));
  EXPECT_EQ(0, Print_Steifen_Klasse(120, 10, 235, 0, 1.0, nullptr, 0));  // class 3 is no verdict
  EXPECT_EQ(1, Check_Schubbeulen(60.5 * 7.1, 7.1, 235, 0, nullptr, 0));  // 60.5 > 60
  s235.p.grade.fy = 0;
  double u = -1;
  EXPECT_EQ(-1, Print_Querschnittsklasse(&s235.p, 500000, 0, 0, 1.0, 0, 0, nullptr, nullptr, nullptr, 3, &u,
                                         cap.stream(), 2, nullptr));
  EXPECT_EQ(0.0, u);
  EXPECT_EQ(1, Check_Plattenbeulen_Profil(&s235.p, 1, 500000, 0, 0, 1.0, nullptr, 0));
  EXPECT_EQ(1, Check_Schubbeulen(278.6, 7.1, 0, 0, nullptr, 0) & Print_Steifen_Klasse(95, 10, 0, 0, 1, nullptr, 0));
  EXPECT_EQ(3u, cap.Lines().size());  // nothing more written
}
