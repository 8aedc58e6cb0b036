// The stress check print of a member section: closed formulas of flat and round bars, the
// 1.001 rule, the gates and the names of the stress result files.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "checks/checks.h"
#include "querschnitt/querschnitt.h"
#include "support/cp850.h"
#include "support/shell.h"
#include "tests/checks/checks_fixture.h"

namespace {

// Flat bar 100 × 10 mm (h along z) or round bar d 40 mm, S235.
struct Bar {
  PROFIL p{};
  explicit Bar(bool round) {
    if (!round) {
      Set_Sample_Profil_Flat(&p);
    } else {
      Reset_Profil(&p);
      p.type = PROFIL_ROUND, p.h = 40.0;
      Init_Material_Data(&p.grade);
      Calc_Profil_Querschnittswerte(&p, nullptr, 0, nullptr);
    }
  }
  ~Bar() { Reset_Profil(&p); }
};

struct Out {
  double U_max = -1, U_sigma = -1, U_ct = -1, s_max = -1, s_min = -1, tau = -1, s_v = -1, further = -1;
};

int Stress(PROFIL *p, int method, const double F[8], Out *o, bool ct, FILE *s, int level, int nachweis = 1,
           double gamma = 1.0) {
  return Print_Stress_Check(p, gamma, 0, 0, nachweis, method, F[0], F[1], F[2], F[3], F[4], F[5], F[6], F[7],
                            &o->U_max, &o->U_sigma, ct ? &o->U_ct : nullptr, &o->s_max, &o->s_min, &o->tau, &o->s_v,
                            &o->further, s, level);
}

}  // namespace

// Known values: bending σ = M/I·c, 1.5 × mean shear of a rectangle, 4/3 of a circle, torsion
// modulus of a circle (π/2)r³ and of a 10:1 rectangle 0.312·h·t² (Roark, Table 10.7), and the
// comparison stress √(σ² + 3τ²) of EN 1993-1-1, 6.2.1(5).
TEST_F(ChecksTest, StressClosedFormulasKnownValues) {
  struct Case {
    bool round;
    double F[8];  // N, M_y, M_z, V_y, V_z, T_t, T_w, B
    double s_max, s_min, tau, s_v, U;
  } cases[] = {
      {false, {-50, 1, 0, 0, 0, 0, 0, 0}, 10.0, -110.0, 0.0, 110.0, 0.468},
      {false, {0, 0, 0.1, 0, 0, 0, 0, 0}, 60.0, -60.0, 0.0, 60.0, 0.255},
      {false, {0, 0, 0, 12, 16, 0, 0, 0}, 0.0, 0.0, 30.0, 51.96, 0.221},
      {false, {0, 0, 0, 0, 0, 0.1, 0, 0}, 0.0, 0.0, 32.05, 55.51, 0.236},
      {true, {0, 0.3, 0.4, 0, 0, 0, 0, 0}, 79.58, -79.58, 0.0, 79.58, 0.339},
      {true, {0, 0.3, 0.4, 0, 0, 0.3, 0, 0}, 79.58, -79.58, 23.87, 89.68, 0.382},
      {true, {10, 0, 0, 3, 4, 0, 0, 0}, 7.96, 7.96, 5.31, 12.15, 0.052},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.round << " " << c.F[0] << " " << c.F[2] << " " << c.F[5]);
    Bar bar(c.round);
    Out o;
    EXPECT_EQ(STRESS_DONE, Stress(&bar.p, 0, c.F, &o, false, nullptr, 2));
    const double tol = 0.005 * std::fmax(1.0, std::fabs(c.s_v));  // the torsion table is rounded
    for (auto [want, got] : {std::pair{c.s_max, o.s_max}, {c.s_min, o.s_min}, {c.tau, o.tau}, {c.s_v, o.s_v}})
      EXPECT_NEAR(want, got, tol);
    EXPECT_NEAR(c.U, o.U_sigma, 5e-4 + tol / 235);
    EXPECT_TRUE(o.U_sigma == o.U_max && o.U_ct == -1 && o.further == 0);  // no c/t slot: no c/t check
  }
  // γ_M 1.1 divides the strength; 0.05 kN is a force to check.
  Bar flat(false);
  Out o;
  const double F[8] = {-50, 1}, small[8] = {0.05};
  Stress(&flat.p, 0, F, &o, false, nullptr, 2, 1, 1.1);
  EXPECT_NEAR(1.1 * 0.468, o.U_sigma, 1e-3);
  EXPECT_EQ(STRESS_DONE, Stress(&flat.p, 0, small, &o, false, nullptr, 2));
}

// Print lists at levels 0 and 2; with the c/t slot the c/t lines are those of the class
// routine alone and U_max the larger utilisation; the 1.001 rule for both verdicts.
TEST_F(ChecksTest, StressClosedFormulaPrintGolden) {
  Bar flat(false), round(true);
  PrintCapture cap;
  Oli_Set_Colors(1);
  Out o;
  const double F1[8] = {-50, 1, 0, 0, 5, 0.1, 0, 0};
  EXPECT_EQ(STRESS_DONE, Stress(&flat.p, 0, F1, &o, true, cap.stream(), 2));
  EXPECT_EQ(std::fmax(o.U_sigma, o.U_ct), o.U_max);
  EXPECT_GT(o.U_ct, 0.001);
  Stress(&flat.p, 0, F1, &o, true, cap.stream(), 0);
  const double F2[8] = {-20, 0.3, 0.4, 3, 4, 0.05, 0, 0};  // eight forces: the head breaks its line
  Stress(&round.p, 0, F2, &o, false, cap.stream(), 2);
  Oli_End_Text(cap.stream());
  Expect_Golden("stress_closed.oli", cap.Raw());

  PrintCapture alone;
  double u_ct = -1;
  Print_Querschnittsklasse(&flat.p, 50000, -1e6, 0, 1.0, 0, 0, nullptr, nullptr, nullptr, 3, &u_ct, alone.stream(), 2,
                           "");
  PrintCapture both;
  Stress(&flat.p, 0, F1, &o, true, both.stream(), 2);
  EXPECT_EQ(u_ct, o.U_ct);
  EXPECT_EQ(0u, both.Raw().find(alone.Raw()));

  // The head names each force by its axis: V_y and V_z of a flat bar, M_z after V_z.
  {
    PrintCapture head;
    const double F3[8] = {0, 0, 0.2, 3, 4, 0, 0, 0};
    Stress(&flat.p, 0, F3, &o, false, head.stream(), 1);
    const std::string h = head.Raw();
    EXPECT_NE(h.find("V╬\\y,Ed╬r = 3.00 kN"_cp), std::string::npos) << h;
    EXPECT_NE(h.find("V╬\\z,Ed╬r = 4.00 kN"_cp), std::string::npos);
    EXPECT_LT(h.find("V╬\\z,Ed"_cp), h.find("M╬\\z,Ed"_cp));
  }
  // A bar whose c/t governs: U_max is U_c/t.
  const double N1[8] = {-1};
  Stress(&flat.p, 0, N1, &o, true, nullptr, 0);
  EXPECT_GT(o.U_ct, 2 * o.U_sigma);
  EXPECT_EQ(o.U_ct, o.U_max);

  for (auto [N, text] : {std::pair{-235.1175, "U = 1.000  \xF3  1  ok"}, {-235.47, "U = 1.002  >  1  nicht ok !!"}}) {
    PrintCapture cap2;
    const double F[8] = {N};
    Stress(&flat.p, 0, F, &o, false, cap2.stream(), 1);
    EXPECT_NE(std::string::npos, cap2.Raw().find(text)) << N;
  }
}

// Gates: zero forces, methods the profile does not allow, R7-PLAX under method 1, a member
// without a yield strength and a grade mismatch; the warping torque of a flat bar is noted and
// taken as St Venant torsion.
TEST_F(ChecksTest, StressCheckGates) {
  Bar flat(false);
  Library chs("R 88.9 x 5.0(w)", 0), ipe("IPE300", 0);
  PROFIL quer{};
  Copy_Profil(&ipe.p, &quer);
  quer.kind = PROFIL_KIND_QUER;
  const double F[8] = {-50, 1, 0, 0, 0, 0, 0, 0};
  struct Case {
    PROFIL *p;
    int method;
    double F[8];
    std::string line;
  } cases[] = {
      {&flat.p, 0, {0.005, 5e-5, 5e-5, 0.005, 0.005, 5e-5, 5e-5, 5e-7},
       "Schnittgrößen = 0: Nachweis nicht erforderlich !!\n"_cp},
      {&flat.p, 2, {F[0], F[1]}, "plastischer Nachweis für dieses Profil nicht möglich !!\n"_cp},
      {&chs.p, 1, {F[0], F[1]}, "plastischer Nachweis für dieses Profil nicht möglich !!\n"_cp},
      {&quer, 1, {F[0], F[1]}, "R7-PLAX-Profil: Nachweis nicht möglich !!\n"_cp},
  };
  for (const Case &c : cases) {
    PrintCapture cap;
    Out o;
    EXPECT_EQ(0, Stress(c.p, c.method, c.F, &o, true, cap.stream(), 1));
    EXPECT_EQ(c.line, cap.Raw().substr(cap.Raw().find('\n') + 1)) << c.method;
    EXPECT_TRUE(o.U_max == -1 && o.s_v == -1);  // slots untouched
  }
  // The same zero forces with nachweis 0 run the check: stresses 0.
  Out o;
  EXPECT_EQ(STRESS_DONE, Stress(&flat.p, 0, cases[0].F, &o, false, nullptr, 1, 0));
  EXPECT_EQ(0, o.s_v);

  PrintCapture cap;
  ipe.p.grade.fy = 250;  // the table gives 235 at 10.7 mm
  EXPECT_EQ(STRESS_GRADE_MISMATCH, Stress(&ipe.p, 0, F, &o, false, cap.stream(), 2));
  flat.p.grade.fy = 0;
  EXPECT_EQ(STRESS_GRADE_MISMATCH, Stress(&flat.p, 0, F, &o, false, cap.stream(), 2));
  EXPECT_EQ(std::string(), cap.Raw());
  flat.p.grade.fy = 235;

  // The warping torque of a flat bar is St Venant torsion, its bimoment is left out.
  Out twisted, warped;
  const double T[8] = {-50, 1, 0, 0, 0, 0.01}, W[8] = {-50, 1, 0, 0, 0, 0, 0.01, 0.002};
  Stress(&flat.p, 0, T, &twisted, false, nullptr, 1);
  Stress(&flat.p, 0, W, &warped, false, cap.stream(), 1);
  EXPECT_EQ(twisted.s_v, warped.s_v);
  EXPECT_NE(std::string::npos, cap.Raw().find(std::string("Flachstahl (EC 3-1-1, 6.2.7): Wölbtorsionsmoment als St. "
                                                          "Venant'sche Torsion angesetzt, T╬\\t╬r + T╬\\ð╬r = 0.00 + "
                                                          "0.01 = 0.01 kNm; Bimoment B = 0.00 kNm² nicht "
                                                          "berücksichtigt.\n"_cp)));
  Reset_Profil(&quer);
}

// IPE 300 by the section model: σ = M/W_el,y with W_el,y 557.1 cm³ (EN 10365), U = σ/f_y;
// the print lists of every level and of stresses only; the keep switch as before; the order
// of the forces; the elastic result file.
TEST_F(ChecksTest, StressSectionModelElastic) {
  Library ipe("IPE300", 0);
  PrintCapture cap;
  Oli_Set_Colors(1);
  for (int keep : {0, 1}) {
    Set_Check_Keep_Results(keep);
    Out o;
    const double F[8] = {0, 100, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(STRESS_DONE, Stress(&ipe.p, 0, F, &o, true, keep ? nullptr : cap.stream(), 2) & (STRESS_DONE | STRESS_PLASTIC_ONLY | STRESS_NOT_CHECKABLE));
    EXPECT_EQ(keep, Get_Check_Keep_Results());
    EXPECT_NEAR(179.5, o.s_max, 0.005 * 179.5);
    EXPECT_NEAR(o.s_max, -o.s_min, 0.005 * 179.5);
    EXPECT_NEAR(0.764, o.U_sigma, 0.005 * 0.764);
    EXPECT_EQ(std::fmax(o.U_sigma, o.U_ct), o.U_max);
  }
  {  // τ by its magnitude whatever the sign of V; a material whose f_y is not the table's
    Out up, down;
    const double Vu[8] = {0, 0, 0, 0, 100}, Vd[8] = {0, 0, 0, 0, -100};
    Stress(&ipe.p, 0, Vu, &up, false, nullptr, 0), Stress(&ipe.p, 0, Vd, &down, false, nullptr, 0);
    EXPECT_NEAR(up.tau, down.tau, 1e-9);
    EXPECT_GT(up.tau, 40);
    Library other("IPE300", 0);
    other.p.grade.fy = 230;
    EXPECT_EQ(STRESS_GRADE_MISMATCH, Stress(&other.p, 0, Vu, &up, false, nullptr, 0));
  }
  // The 1.001 rule on this road: N for U_σ 1.0005 (N/A against f_y, A from a first run)
  // gives U_σ 1 with no verdict against it; N for U_σ 1.002 fails.
  Out o;
  const double N1000[8] = {-1000};
  Stress(&ipe.p, 0, N1000, &o, false, nullptr, 0);
  EXPECT_NEAR(o.U_sigma, 1000 / 53.81 * 10 / 235, 0.003);  // A 53.81 cm² (EN 10365)
  for (const double u : {1.0005, 1.002}) {
    SCOPED_TRACE(u);
    const double F[8] = {-1000 * u / o.U_sigma};
    PrintCapture line;
    Out at;
    Stress(&ipe.p, 0, F, &at, true, line.stream(), 2);
    EXPECT_EQ(at.U_sigma, u < 1.001 ? 1.0 : at.U_sigma);
    EXPECT_EQ(u < 1.001, line.Raw().find("nicht ok") == std::string::npos) << line.Raw();
    EXPECT_EQ(at.U_max, std::fmax(at.U_sigma, at.U_ct));
  }
  const double all[8] = {-100, 50, 5, 10, 60, 1, 0.5, 0.2};
  for (int level : {2, 1, 0}) Stress(&ipe.p, 0, all, &o, true, cap.stream(), level);
  Stress(&ipe.p, 0, all, &o, true, cap.stream(), 2, 0);
  EXPECT_TRUE(o.U_max == 0 && o.s_v == 0);  // stresses only
  // A channel (UPN 200, not an I) prints its extreme points relative to the centroid (mm):
  // σ_min at the top flange, z −100 mm (W_el,y of its sloped flanges 191 cm³, EN 10365).
  Library upn("UPN200", 0);
  const double FU[8] = {0, 20, 0, 0, 50};
  Stress(&upn.p, 0, FU, &o, true, cap.stream(), 2);
  EXPECT_NEAR(Get_Stress_Check_Result()->points[0].dz, -10, 0.005);
  EXPECT_NEAR(10 * Get_Stress_Check_Result()->points[0].sigma, -20e6 / 191e3, 0.5);
  Oli_End_Text(cap.stream());
  Expect_Golden("stress_ipe300.oli", cap.Raw());


  // The driver's options 1 and 2 add the normal and the shear stress checks to the
  // comparison stress: their allowed stresses and verdict lines appear.
  for (const auto &[o1, o2, text] : {std::tuple{0, 0, "zul. Vergleichsspannung"}, {1, 0, "zul. Normal-, Vergleichsspannung"},
                                     {0, 1, "zul. Schub-, Vergleichsspannung"}, {1, 1, "zul. Normal-, Schub-, Vergleichsspannung"}}) {
    SCOPED_TRACE(::testing::Message() << o1 << o2);
    QUERSCHNITT *q = Build_Profil_Stress_Section(&ipe.p, 0, 0);
    ASSERT_NE(q, nullptr);
    const int opt[STRESS_N_OPTIONS] = {0, o1, o2, 1, 0, 0, 0, 0, 1, 1};
    PrintCapture cap2;
    ASSERT_NE(0, Run_Querschnitt_Stress_Check(q, opt, 1, 1.0, 0, 0, 50, 0, 0, 100, 0, 0, 0, nullptr, nullptr, nullptr,
                                              nullptr, nullptr, nullptr, nullptr, nullptr, cap2.stream(), 2));
    EXPECT_NE(cap2.Raw().find(text), std::string::npos) << cap2.Raw();
    EXPECT_EQ(cap2.Raw().find("x,Rd"_cp) != std::string::npos, o1 == 1);
  }

  // Forces of distinct primes reach the cross-section check in its order N, V_1, V_2, T, M_1,
  // M_2, T_w, B.
  PrintCapture check;
  Set_Check_Querschnitt_Stream(check.stream());
  const double primes[8] = {-2, 3, 5, 7, 11, 13, 0.17, 0.19};
  Stress(&ipe.p, 0, primes, &o, false, nullptr, 2);
  Set_Check_Querschnitt_Stream(nullptr);
  const std::string text = check.Raw();
  for (const char *s : {"N = -2.00 kN", "= 7.00 kN", "= 11.00 kN", "= 3.00 kNm", "= 5.00 kNm", "t\xCEr = 13.000 kNm",
                        "w\xCEr = 0.170 kNm", "B = 0.190 kNm"})
    EXPECT_NE(std::string::npos, text.find(s)) << s;
  EXPECT_TRUE(text.find("= 7.00 kN") < text.find("= 11.00 kN") && text.find("= 3.00 kNm") < text.find("= 5.00 kNm"));

  // The elastic result file: its name; NODES and ELEMENTS agree with their lines; switched
  // off no file. A suffix of any int.
  const std::string stem = ::testing::TempDir() + "stressM";
  Set_Bauteil_Path(stem.c_str());
  Set_File_Number(7);
  Set_Stress_Result_Number(3);
  const std::string name = stem + "_07_3e.res";
  std::remove(name.c_str());
  const double F[8] = {-100, 50, 0, 0, 60, 0, 0, 0};
  Stress(&ipe.p, 0, F, &o, false, nullptr, 2);
  EXPECT_EQ(nullptr, std::fopen(name.c_str(), "r"));
  Set_Stress_Result_Files(1);
  Stress(&ipe.p, 0, F, &o, false, nullptr, 2);
  std::ifstream in(name);
  std::string word;
  int nodes = 0, elements = 0;
  ASSERT_TRUE(std::getline(in, word) && word == "PARAMS 0" && std::getline(in, word) && in >> word >> nodes);
  ASSERT_TRUE(word == "NODES" && nodes > 10 && std::getline(in, word));
  double max_sigma = 0;
  std::vector<double> y, z;
  for (int i = 0; i < nodes; ++i) {
    std::getline(in, word);
    std::istringstream line(word);
    std::vector<double> v{std::istream_iterator<double>(line), {}};
    ASSERT_EQ(12u, v.size()) << word;
    EXPECT_EQ(v[0], i + 1);  // numbered from 1 in order
    y.push_back(v[1]), z.push_back(v[2]);
    max_sigma = std::fmax(max_sigma, 10 * v[3]);
  }
  EXPECT_NEAR(o.s_max, max_sigma, 1e-3);
  // Node places in mm: the section's depth 300 mm; the elements cover its area, 53.81 cm²
  // (EN 10365), each once.
  EXPECT_NEAR(*std::max_element(z.begin(), z.end()) - *std::min_element(z.begin(), z.end()), 300, 1e-3);
  ASSERT_TRUE(in >> word >> elements && word == "ELEMENTS" && elements > 10);
  double area = 0;
  for (int i = 0; i < elements; ++i) {
    int k[3] = {0, 0, 0};
    ASSERT_TRUE(in >> k[0] >> k[1] >> k[2]);
    for (int j : k) ASSERT_TRUE(j >= 1 && j <= nodes) << j;
    const double ay = y[k[1] - 1] - y[k[0] - 1], az = z[k[1] - 1] - z[k[0] - 1];
    const double by = y[k[2] - 1] - y[k[0] - 1], bz = z[k[2] - 1] - z[k[0] - 1];
    area += std::fabs(ay * bz - az * by) / 2;
  }
  EXPECT_NEAR(area, 5381, 0.003 * 5381);
  std::remove(name.c_str());
  Reset_Checks_For_Tests();
  EXPECT_STREQ("_0", Get_Stress_Result_Suffix());
  Set_Stress_Result_Number(-2147483647 - 1);
  EXPECT_STREQ("_-2147483648", Get_Stress_Result_Suffix());
}
