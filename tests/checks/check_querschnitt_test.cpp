// The cross-section check on library sections of the catalogue (IPE 300, HEB 200, EN 10365)
// and on a section given by values only: stresses, the plastic interaction, the DIN 18800-1
// elastic rules, the c/t classification and flexural buckling (EN 1993-1-1 6.3.1, Table
// 6.1/6.2; in fire EN 1993-1-2 4.2.3.2).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "checks/checks.h"
#include "host/host.h"
#include "materials/materials.h"
#include "querschnitt/querschnitt.h"
#include "support/cp850.h"
#include "tests/checks/checks_fixture.h"
#include "tests/materials/capture.h"

namespace {

// The number right behind the n-th occurrence of key in text (NaN when missing).
double Num(const std::string &text, const std::string &key, int n = 0) {
  size_t at = 0;
  for (int i = 0; i <= n; ++i) {
    at = text.find(key, i == 0 ? 0 : at + 1);
    if (at == std::string::npos) return NAN;
  }
  return std::strtod(text.c_str() + at + key.size(), nullptr);
}

// A library profile of the catalogue and a copy of its check data, as a check request holds it.
struct Section {
  QUERSCHNITT q{};
  QS_CHECK_VIEW v{};
  explicit Section(const char *name) {
    Init_Querschnitt_Record(&q);
    EXPECT_EQ(Set_Querschnitt_Profil(&q, 0, 0, name), 1);
    EXPECT_EQ(Calc_Querschnitt_Values(&q, 0.5, 2), 1);
    v = q.view;
  }
  ~Section() { Free_Querschnitt_Record(&q); }
  QS_CHECK_VIEW *view() { return &v; }
  void Options(int a, int b, int c, int d) {
    const int o[4] = {a, b, c, d};
    for (int i = 0; i < 4; ++i) Encode_Check_Option_Word(o[i], &v.values.options[i]);
  }
  void Buckling(float beta, float L) {
    v.values.beta_in = v.values.beta_out = beta;
    v.values.L_in = v.values.L_out = L;
  }
};

struct Outcome {
  uint32_t ret = 0;
  double out[9]{}, buckling = -1;
  CHECK_RESULT r{};
  std::string text;
};
// One check (γ_M = γ_M1 = 1) with the lines it writes.
Outcome Check(uint32_t kind_1, uint32_t kind_2, const double F[8], const QS_CHECK_VIEW *view, uint32_t spatial = 1) {
  Outcome r;
  PrintCapture cap;
  Set_Check_Querschnitt_Stream(cap.stream());
  const uint32_t kind[2] = {kind_1, kind_2};
  r.ret = Check_Querschnitt(kind, F[0], F[1], F[2], F[3], F[4], F[5], F[6], F[7], view, 1.0, &r.out[0], &r.out[1],
                            &r.out[2], &r.out[3], &r.out[4], &r.out[5], &r.out[6], &r.out[7], &r.out[8], 1.0,
                            &r.buckling, 0, spatial, 0, 0, &r.r);
  Set_Check_Querschnitt_Stream(nullptr);
  r.text = cap.Raw();
  return r;
}

class CheckQuerschnitt : public ::testing::Test {
 protected:
  void SetUp() override { Host_Reset(); }
  void TearDown() override { Host_Reset(); }
};

}  // namespace

// A section given by A and W only (IPE 300 values in m², m³): N/A ∓ M/W, no buckling.
TEST_F(CheckQuerschnitt, ValuesOnlySection) {
  QS_CHECK_VIEW v{};
  v.header.type = -1;
  v.values.A = 53.81e-4f;
  v.values.W_lower = v.values.W_upper = 557.1e-6f;
  const int o[4] = {2, 1, 7, 0x300};
  for (int i = 0; i < 4; ++i) Encode_Check_Option_Word(o[i], &v.values.options[i]);
  v.values.beta_in = v.values.beta_out = 1;
  v.values.L_in = v.values.L_out = 3;
  const double F[8] = {-200, 0, 0, 0, 100, 0, 0, 0};
  const Outcome r = Check(1, 0, F, &v);
  EXPECT_EQ(r.ret, 0x2900u);
  const double sN = -200 / 53.81e-4, sM = 100 / 557.1e-6;  // kN/m²
  EXPECT_NEAR(r.out[0], (sN - sM) * 0.001, 1e-6 * 216.669);
  EXPECT_NEAR(r.out[1], (sN + sM) * 0.001, 1e-6 * 142.333);
  EXPECT_NEAR(r.out[4], -r.out[0], 1e-12);
  EXPECT_NEAR(r.out[8], 0.921995, 1e-6);
  EXPECT_EQ(r.buckling, 0.0);
  EXPECT_NE(r.text.find("   Spannungen (elast.):  ╠╬\\o╬r = -216.67 MN/m╬/2╬r,  ╠╬\\u╬r = 142.33 MN/m╬/2╬r,  ╠/╠╬\\R,d╬r = 216.7/235.0 = 0.922"_cp),
            std::string::npos);
}

// IPE 300, spatial, EN 1993-1-1: stresses at the extreme fibres (h/2 = 15 cm), the point copies,
// buckling about y (curve a) and z (curve b) for L = 3 m, and the c/t classification of
// N = −500 kN in class 3.
TEST_F(CheckQuerschnitt, Ipe300Spatial) {
  Section s("IPE300");
  s.Options(2, 1, 7, 0x300);
  s.Buckling(1, 3);
  const double *v = s.q.values;
  const double F[8] = {-200, 0, 0, 0, 100, 0, 0, 0};
  Outcome r = Check(1, 0, F, s.view());
  EXPECT_EQ(r.r.flags_first, 0x3101cu);
  EXPECT_EQ(r.ret, 0x33f00u);
  EXPECT_EQ(r.r.returned, r.ret);
  double e = 0;
  for (const CHECK_POINT_COPY &p : r.r.points) e = std::max(e, std::fabs(p.dz));
  EXPECT_NEAR(e, 15.0, 1e-9);
  const double sN = 10 * -200 / v[DWQB_V_A], sM = 1000 * 100 * e / v[DWQB_V_I1];
  EXPECT_NEAR(r.out[0], sN + sM, 1e-6 * (sN + sM));
  EXPECT_NEAR(r.out[1], sN - sM, 1e-6 * std::fabs(sN - sM));
  EXPECT_NEAR(10 * r.r.points[1].sigma, r.out[0], 1e-9);  // the σ_max point
  EXPECT_NEAR(10 * r.r.points[0].sigma, r.out[1], 1e-9);
  EXPECT_NEAR(r.r.u_sigma, (sM - sN) / 235, 1e-6);
  EXPECT_NEAR(r.r.fyd_10, 23.5, 1e-12);
  // About y: curve a; about z: curve b (EN 1993-1-1 Table 6.2, rolled I, h/b > 1.2).
  EXPECT_NE(r.text.find("║[a] = 0.21"_cp), std::string::npos);
  EXPECT_NE(r.text.find("║[b] = 0.34"_cp), std::string::npos);
  EXPECT_NEAR(Num(r.text, "┼╬\\quer╬r = "_cp, 0), 0.2563, 0.002);
  EXPECT_NEAR(Num(r.text, "N╬\\pl,d╬r = "_cp, 0), 0.9875, 0.002);
  EXPECT_NEAR(Num(r.text, "┼╬\\quer╬r = "_cp, 1), 0.9536, 0.002);
  EXPECT_NEAR(Num(r.text, "N╬\\pl,d╬r = "_cp, 1), 0.6267, 0.002);
  EXPECT_NEAR(r.buckling, 200 / (0.6267 * 1264.5), 0.002);
  EXPECT_NEAR(r.r.U_governing, std::max({r.out[8], r.r.ct_max, r.buckling}), 1e-12);

  const double N500[8] = {-500, 0, 0, 0, 0, 0, 0, 0};
  r = Check(1, 0, N500, s.view());
  EXPECT_NEAR(r.out[6], 0.5242, 0.001);
  EXPECT_NEAR(r.out[7], 0.2409, 0.001);
  EXPECT_EQ(r.r.class_index, 2);
  EXPECT_NE(r.text.find("(EN 1993-1-1, Tab. 5.2, cl3, ¥ = 1.590)"_cp), std::string::npos);
}

// HEB 200 (A 78.08 cm², I_y 5696, I_z 2003 cm⁴), L = 4 m: curves b and c at normal
// temperature; in fire with k_y = k_E = 0.5 EN 1993-1-2 4.2.3.2 (α = 0.65, no plateau).
TEST_F(CheckQuerschnitt, Heb200Buckling) {
  Section s("HEB200");
  s.Options(2, 0, 1, 0x2300);
  s.Buckling(1, 4);
  const double F[8] = {-500, 0, 0, 0, 0, 0, 0, 0};
  Outcome r = Check(1, 0, F, s.view());
  EXPECT_EQ(r.ret & 0x30000u, 0x30000u);
  EXPECT_NE(r.text.find("║[b] = 0.34"_cp), std::string::npos);
  EXPECT_NE(r.text.find("║[c] = 0.49"_cp), std::string::npos);
  EXPECT_NEAR(Num(r.text, "┼╬\\quer╬r = "_cp, 0), 0.4987, 0.002);
  EXPECT_NEAR(Num(r.text, "N╬\\pl,d╬r = "_cp, 0), 0.8848, 0.002);
  EXPECT_NEAR(Num(r.text, "┼╬\\quer╬r = "_cp, 1), 0.8409, 0.002);
  EXPECT_NEAR(Num(r.text, "┌ = "_cp, 1), 1.0106, 0.002);
  EXPECT_NEAR(Num(r.text, "N╬\\pl,d╬r = "_cp, 1), 0.6365, 0.002);
  EXPECT_NEAR(Num(r.text, " kN = ", 1), 1167.9, 2);
  EXPECT_NEAR(r.buckling, 0.4281, 0.001);

  s.v.values.k_fy = s.v.values.k_E = 0.5f;
  const double F300[8] = {-300, 0, 0, 0, 0, 0, 0, 0};
  r = Check(1, 0x10000, F300, s.view());
  EXPECT_EQ(r.r.flags_first & 0x400u, 0x400u);
  EXPECT_NE(r.text.find("║[fi] = 0.65"_cp), std::string::npos);
  EXPECT_NEAR(Num(r.text, "┼╬\\quer╬r = "_cp, 1), 0.8409, 0.002);
  EXPECT_NEAR(Num(r.text, "N╬\\pl,d╬r = "_cp, 1), 0.5328, 0.002);
  EXPECT_NEAR(Num(r.text, " kN = ", 1), 488.8, 1);
  EXPECT_NEAR(r.buckling, 0.6138, 0.002);

  const double T[8] = {10, 0, 0, 0, 0, 0, 0, 0};
  r = Check(1, 0, T, s.view());
  EXPECT_EQ(r.buckling, 0.0);
  EXPECT_EQ(r.ret & 0x30000u, 0u);
  EXPECT_NE(r.text.find("   Knicken:  N = 10.00 kN > 0,  Nachweis nicht erforderlich !!!\n"_cp), std::string::npos);
}

// The interaction through a plane check (IPE 300, shape 1): the success line and every
// failure line, with the elastic checks standing in after a failure.
TEST_F(CheckQuerschnitt, InteractionLines) {
  Section s("IPE300");
  s.Options(1, 0, 0, 0);
  const float ipe[6] = {53.81e-4f, 0.2893f, 0.0071f, 628.36e-6f, 235000, 557.1f};
  const float shape2[6] = {16.05e-4f, 16.05e-4f, 20.54e-4f, 0.2893f, 235000, 0};
  const float ring[6] = {0.1633f, 0.005f, 0, 0, 235000, 0};
  const float none[6] = {0, 0, 0, 0, 235000, 0};
  struct Case {
    uint32_t kind;
    int shape;
    const float *p;
    double N, V, M;
    uint32_t ret;
    const char *line;
  } cases[] = {
      {1, 1, ipe, 0, 0, 100, 0x4f00, "   Ausnutzung aus Interaktion:  M╬\\gr╬r = 147.66 kNm  ê  U╬\\╠╬r = 0.677"_cp},
      {1, 1, ipe, -632.2675, 0, 50, 0x4f00, "   Ausnutzung aus Interaktion:  M╬\\gr╬r = 82.04 kNm  ê  U╬\\╠╬r = 0.609"_cp},
      {1, 1, ipe, -1300, 0, 10, 0x1100af00, "   ╬bFehler╬r in Interaktion:  N / N╬\\pl╬r = 1.03 > 1.00"_cp},
      {1, 1, ipe, 0, 264.75, 10, 0x1100af00, "   ╬bFehler╬r in Interaktion:  V / V╬\\pl╬r = 0.95 > 0.90"_cp},
      {0, 1, ipe, 0, 264.75, 10, 0x1100af00, "   ╬bFehler╬r in Interaktion:  Q / Q╬\\pl╬r = 0.95 > 0.90"_cp},
      {1, 2, shape2, 1300, 0, 10, 0x1100af00, "   ╬bFehler╬r in Interaktion:  N╬\\0╬r / N╬\\pl╬r = 1.05 > 1.00"_cp},
      {1, 5, ring, 0, 0, 32, 0x1100af00, "   ╬bFehler╬r in Interaktion:  M / M╬\\pl╬r = 1.02 > 1.00"_cp},
      {1, 1, none, 0, 0, 10, 0x1100af00, "   ╬bFehler╬r in Interaktion:  unbekannter Fehler !!!"_cp},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(Cp850_To_Utf8(c.line));
    s.v.header.interaction = c.shape;
    for (int i = 0; i < 6; ++i) s.v.values.interaction[i] = c.p[i];
    const double F[8] = {c.N, 0, c.V, 0, c.M, 0, 0, 0};
    const Outcome r = Check(c.kind, 0, F, s.view(), 0);
    EXPECT_EQ(r.ret, c.ret);
    EXPECT_NE(r.text.find(std::string(c.line) + "\n"), std::string::npos);
    if (c.ret == 0x4f00) {
      EXPECT_EQ(r.r.flags_end, 0x1u);
      EXPECT_NEAR(r.out[8], c.M == 100 ? 0.677210 : 0.609489, 1e-6);
    } else {
      EXPECT_EQ(r.r.flags_end & 0x81u, 0u);
      EXPECT_EQ(r.r.flags_end & 0x10u, 0x10u);  // the elastic σ_v check instead
      EXPECT_EQ(r.out[5], 0.0);
    }
  }
}

// DIN 18800-1 (kind 0) on IPE 300: El. 747 (σ_v only when σ and τ both exceed half their
// limits), El. 749 (1.1 f_y,d, withheld above 0.8 f_y,d), El. 750 (plastic moduli capped at
// 1.25 W_el: about z W_pl 125 cm³ > 1.25 · 80.5 cm³); aluminium σ_v,R,d = √1.2 f_y,d.
TEST_F(CheckQuerschnitt, ElasticRules) {
  Section s("IPE300");
  const double fyd = Get_Stguete_fy(0, 10.7);
  const double Wz = std::min(std::fabs(s.q.values[DWQB_V_W2A]), std::fabs(s.q.values[DWQB_V_W2B]));
  struct Case {
    uint32_t kind;
    int d;
    uint32_t spatial;
    double V2, M1, M2;
    double svRd, u_sigma;  // ≤ 0: not checked
    const char *tail;
  } cases[] = {
      {0, 1, 0, 0, 20, 0, -1, -1, "  (El. 747)\n"},
      {0, 1, 0, 200, 80, 0, fyd, -1, " = "},
      {0, 2, 0, 0, 80, 0, 1.1 * fyd, -1, "  (El. 749)\n"},
      {0, 2, 0, 0, 130, 0, fyd, -1, ""},
      {0, 4, 1, 0, 0, 22, fyd, 22e3 / (1.25 * Wz) / fyd, "  (El. 750)\n"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "d " << c.d << " M1 " << c.M1 << " M2 " << c.M2);
    s.Options(2, 0, 7, c.d);
    const double F[8] = {0, 0, c.V2, 0, c.M1, c.M2, 0, 0};
    const Outcome r = Check(c.kind, 0, F, s.view(), c.spatial);
    EXPECT_EQ(r.ret & 0x800u, 0x800u);
    const std::string last = r.text.substr(r.text.rfind("   "));
    if (c.svRd <= 0) {
      EXPECT_EQ(r.r.u_v, 0.0);
    } else {
      EXPECT_NEAR(10 * r.r.svRd_10, c.svRd, 1e-9);
      EXPECT_GT(r.r.u_v, 0.0);
    }
    if (c.u_sigma > 0) {
      EXPECT_NEAR(r.r.u_sigma, c.u_sigma, 1e-6);
    }
    if (*c.tail) {
      EXPECT_NE(last.find(c.tail), std::string::npos) << Cp850_To_Utf8(last);
    } else {
      EXPECT_EQ(last.find("(El."), std::string::npos) << Cp850_To_Utf8(last);
    }
  }
  s.Options(2, 0, 4, 0);
  const double F[8] = {0, 0, 0, 0, 50, 0, 0, 0};
  const Outcome r = Check(2, 0, F, s.view(), 0);
  EXPECT_NEAR(10 * r.r.svRd_10, std::sqrt(1.2) * Get_Alguete_f0(0), 1e-9);
}

// Methods that are not available here fail over to the elastic checks; a grade without yield
// strength ends the check as a section without values; a missing view likewise.
TEST_F(CheckQuerschnitt, FailurePaths) {
  Section s("IPE300");
  s.Options(4, 0, 0, 0);
  s.v.values.slot.state = 0x1000000;
  const double F[8] = {-100, 0, 0, 0, 20, 0, 0, 0};
  Outcome r = Check(1, 0, F, s.view());
  EXPECT_EQ(r.r.flags_first & 0x400000u, 0x400000u);
  EXPECT_EQ(r.ret & 0x11008000u, 0x11008000u);
  EXPECT_EQ(r.r.flags_end & 0x4000a0u, 0u);
  EXPECT_EQ(r.r.flags_end & 0x10u, 0x10u);
  EXPECT_EQ(r.ret & 0x4000u, 0u);

  const STEEL_GRADE zero{0x8005, "ZERO", 210000, 81000, 0.3, 1.2e-5, 0, 0, 40, 100, 0, 0};
  s.v.header.grade_row = Set_User_Stguete(&zero);
  r = Check(0, 0, F, s.view());
  Clear_User_Stguete();
  EXPECT_EQ(r.ret, 0x1f008000u);
  for (double o : r.out) EXPECT_EQ(o, 0.0);
  r = Check(1, 0, F, nullptr);
  EXPECT_EQ(r.ret, 0x1f008000u);
}

// The lines of the other kinds and forms: DIN names, tables and rules with an accidental
// combination; buckling in and out of the plane; warping torsion; aluminium (EN 1999-1-1).
// A shape-1 interaction without moment capacity left (n 0.95, v 0.5) reports U on stdout.
TEST_F(CheckQuerschnitt, PrintListGolden) {
  Section s("IPE300");
  PrintCapture cap;
  Set_Check_Querschnitt_Stream(cap.stream());
  const uint32_t din[2] = {0, 1}, en[2] = {1, 0}, alu[2] = {2, 0};
  double o[9], b;
  s.Options(2, 1, 7, 7);
  Check_Querschnitt(din, -300, 0, 150, 0, 60, 0, 0, 0, s.view(), 1.1, &o[0], &o[1], &o[2], &o[3], &o[4], &o[5], &o[6],
                    &o[7], &o[8], 1.1, &b, 0, 0, 0, 0, nullptr);
  s.Options(2, 0, 1, 0x300);
  s.Buckling(0.7f, 5);
  Check_Querschnitt(en, -300, 0, 0, 0, 20, 0, 0, 0, s.view(), 1.0, &o[0], &o[1], &o[2], &o[3], &o[4], &o[5], &o[6],
                    &o[7], &o[8], 1.0, &b, 0, 0, 0, 0, nullptr);
  s.Options(2, 0, 4, 0);
  Check_Querschnitt(en, 0, 0, 0, 2, 10, 1, 0.5, 0.25, s.view(), 1.0, &o[0], &o[1], &o[2], &o[3], &o[4], &o[5],
                    &o[6], &o[7], &o[8], 1.0, &b, 0, 1, 0, 0, nullptr);
  s.Options(2, 1, 4, 0);
  Check_Querschnitt(alu, -100, 0, 0, 0, 10, 0, 0, 0, s.view(), 1.1, &o[0], &o[1], &o[2], &o[3], &o[4], &o[5], &o[6],
                    &o[7], &o[8], 1.1, &b, 0, 0, 0, 0, nullptr);
  s.Options(1, 0, 0, 0);
  s.v.header.interaction = 1;
  const float ipe[6] = {53.81e-4f, 0.2893f, 0.0071f, 628.36e-6f, 235000, 557.1f};
  for (int i = 0; i < 6; ++i) s.v.values.interaction[i] = ipe[i];
  ::testing::internal::CaptureStdout();
  const uint32_t ret = Check_Querschnitt(en, -0.95 * 1264.535, 0, 0.5 * 278.685, 0, 1, 0, 0, 0, s.view(), 1.0, &o[0],
                                         &o[1], &o[2], &o[3], &o[4], &o[5], &o[6], &o[7], &o[8], 1.0, &b, 0, 0, 0, 0,
                                         nullptr);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "  pl: U > 0.99e6\n");
  EXPECT_EQ(ret, 0x4f00u);
  EXPECT_EQ(o[8], 1e6);
  Set_Check_Querschnitt_Stream(nullptr);
  Oli_End_Text(cap.stream());
  Expect_Golden("check_querschnitt.oli", cap.Raw());
}
