// Torsion through the refresh road: on a section without warping resistance the warping torque
// is carried as St Venant torsion and the bimoment left out; sections with warping resistance
// keep their warping stresses.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "stahl_ec3/program_internal.h"
#include "tests/stahl_ec3/member_fixture.h"

namespace {

class MemberTorque : public MemberFolder {};

// The warping note's parts: none, the torque's sum, the bimoment, both.
enum { kNone = 0, kSum = 1, kBimoment = 2, kBoth = 3 };

struct Row {
  double T_t, T_w, B;
  double U;          // the printed utilisation of the stress check (0: no verdict line)
  int note;          // the parts of the warping note in the row (the note stands at most once)
  const char *text;  // a text of the row's check (empty: none asked)
  double N = 0, M_y = 0;
  double U_ct = 0;   // the printed c/t utilisation (0: no c/t line and no class)
};

// The example member with the library profile of kind and type line `profile` and `name`,
// the method (1 "Elastisch-Elastisch", 2 "Elastisch-Plastisch") and one row per torsion.
std::string Member_With(const std::string &example, const char *profile, std::string name, int method,
                        const std::vector<Row> &rows) {
  std::istringstream in(example);
  std::string inp, line;
  for (int i = 0; i < 20 && std::getline(in, line); ++i) {
    if (i == 8) line = profile;
    if (i == 9) line = " " + name + std::string(39 - name.size(), '~');
    if (i == 16) line = " " + std::to_string(method) + " 1";  // the method, the c/t check on
    inp += line + "\n";
  }
  inp += " " + std::to_string(rows.size()) + "\n";
  for (std::size_t k = 0; k < rows.size(); ++k)
    inp += " Zeile~" + std::to_string(k + 1) + " " + std::to_string(rows[k].N) + " " + std::to_string(rows[k].M_y) +
           " 0 0 0 " + std::to_string(rows[k].T_t) + " " + std::to_string(rows[k].T_w) + " " +
           std::to_string(rows[k].B) + "\n";
  return inp + "ACTIV_NADNAME EC-Standardparameter\n";
}

}  // namespace

// S235, γ_M0 1.0, σ_v,Rd = 235 N/mm², U = √3 τ / 235 for pure torsion.
// CHS 219.1 × 8: Bredt τ = T / (2 A_m t) = 80·10⁶ / (2 π 105.55² · 8) = 142.9 N/mm² plus the
//   through-thickness part T t / I_T = 80·10⁶ · 8 / 5856·10⁴ = 10.9: τ 153.8 by hand, 154.4 on
//   the wall model's polygon: U 1.138 "nicht ok"; the plastic limit state 1.099. T_w = 80
//   alone, and 40 + 40, are the same T_Ed = T_t + T_w (EN 1993-1-1, 6.2.7(2)); 80 − 80 is
//   no torque; B alone gives the note and no stress.
// L 100 × 10: I_T = Σ b t³ / 3 = (100 + 90) · 10³ / 3 = 63 333 mm⁴, τ = T t / I_T = 157.9,
//   U 1.164 in both methods; T_t = 1 with T_w = −0.4 is 0.6 kNm: U 0.698; 5 − 2.5 = 2.5 kNm:
//   U 2.909. N = −200 kN with M_y = 2 kNm (U 0.874, plastic 0.615) has c/t 0.812 (class 3
//   limits) and 1.000 (class 2); a bimoment alone after it leaves no force: no c/t result of
//   its own, and none of the row before.
// T 100 (EN 10055, faces sloped 2 %): flange halves 10.50 → 11.50 mm over 50 mm, stem 12.99 →
//   9.22 mm over 94.25 mm, I_T = Σ t_m (t_m² + Δt²/4) L / 3 = 2 · 22 234 + 44 262 = 88 730 mm⁴
//   (parallel plates: (100 + 94.5) · 11³ / 3 = 86 293); τ = T t / I_T on the stem 12.64 mm
//   thick below the root = 142.5, U 1.050 (parallel plates 127.5, U 0.940).
// HE 400 B keeps its warping stresses (I_w 3 817 152 cm⁶, h_s = 376 mm): T_w = 10 gives
//   τ_w = T_w S_ω / (I_w t_f) with S_ω = b² h_s t_f / 16: 5.54 N/mm², U 0.041; B = 50 gives
//   σ_w = B ω / I_w with ω = b h_s / 4 = 28 200 mm²: 369.4, U 1.572. RR 200 × 100 × 8
//   (I_w 3662 cm⁶) under T_w = 10 alone: U 1.241 by its warping shear flow.
// The note stands once in each row with T_w or B on a section without warping resistance,
// naming the sum where T_w was given and B where B was, none elsewhere; no row prints a bimoment imbalance ΔB other than 0. The list's texts stand in
// the print font's glyphs: ╠ σ, Í τ, ð ω.
TEST_F(MemberTorque, WarpingTorqueIsStVenantTorsionWithoutWarpingResistance) {
  const char *chs = " 1 9 219.100000 8.000000 0.000000 0.000000 0.000000 0.000000 1 8.000000 0.000000 0.000000";
  const char *angle = " 1 3 100.000000 10.000000 100.000000 10.000000 0.000000 0.000000 1 12.000000 0.000000 0.000000";
  const char *tee = " 1 11 100.000000 11.000000 100.000000 11.000000 0.000000 0.000000 1 11.000000 0.000000 0.000000";
  const char *heb = " 1 5 400.000000 13.500000 300.000000 24.000000 300.000000 24.000000 1 27.000000 0.000000 0.000000";
  const char *rhs = " 1 8 200.000000 8.000000 100.000000 8.000000 100.000000 8.000000 1 12.000000 0.000000 0.000000";
  const struct {
    const char *what, *profile, *name;
    int method;
    std::vector<Row> rows;
  } cases[] = {
      {"CHS elastic", chs, "R219.1X8.0(w)", 1,
       {{80, 0, 0, 1.138, kNone, "max Í = 154.43"},
        {0, 80, 0, 1.138, kSum, "für  Tt = 80.00 kNm"},
        {40, 40, 0, 1.138, kSum, "Tt + Tð = 40.00 + 40.00 = 80.00 kNm"},
        {80, -80, 0, 0.0, kSum, "Tt + Tð = 80.00 + (-80.00) = 0.00 kNm"},
        {0, 0, 10, 0.0, kBimoment, "Hohlprofil (EC 3-1-1, 6.2.7): Bimoment B = 10.00 kNm² nicht berücksichtigt.\n"}}},
      {"CHS plastic", chs, "R219.1X8.0(w)", 2,
       {{80, 0, 0, 1.099, kNone, ""}, {0, 80, 0, 1.099, kSum, ""}, {40, 40, 0, 1.099, kSum, ""},
        {0, 0, 10, 0.0, kBimoment, ""}}},
      {"L elastic", angle, "L100X10", 1,
       {{1, 0, 0, 1.164, kNone, ""}, {0, 1, 0, 1.164, kSum, ""}, {0, -1, 0, 1.164, kSum, ""},
        {1, -0.4, 0, 0.698, kSum, ""},
        {0, 0, 0, 0.874, kNone, "", -200, 2, 0.812},
        {0, 0, 0.5, 0.0, kBimoment, "Bimoment B = 0.50 kNm² nicht berücksichtigt."},
        {1, 0, 0.5, 1.164, kBimoment, ""},
        {5, -2.5, 0, 2.909, kSum, "Tt + Tð = 5.00 + (-2.50) = 2.50 kNm."},
        {0, 1, -0.5, 1.164, kBoth, "Tt + Tð = 0.00 + 1.00 = 1.00 kNm; Bimoment B = -0.50 kNm² nicht"}}},
      {"L plastic", angle, "L100X10", 2,
       {{1, 0, 0, 1.164, kNone, ""}, {0, 1, 0, 1.164, kSum, ""}, {0, 0, 0, 0.615, kNone, "", -200, 2, 1.000},
        {0, 0, 0.5, 0.0, kBimoment, ""}}},
      {"T elastic", tee, "T100", 1, {{1, 0, 0, 1.050, kNone, ""}, {0, 1, 0, 1.050, kSum, ""}}},
      {"HE 400 B elastic", heb, "HE400B", 1,
       {{0, 10, 0, 0.041, kNone, "max Í = 5.54"}, {0, 0, 50, 1.572, kNone, "max |╠x| = 369.39", 0, 0, 0.318}}},
      {"RHS elastic", rhs, "RR200X100X8(w)", 1, {{0, 10, 0, 1.241, kNone, "Tð = 10.00"}}},
  };
  const std::string example = Get("BSP1_01.INP");
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    Fresh_Folder();
    const Refresh r = Run_Refresh(Member_With(example, c.profile, c.name, c.method, c.rows));
    const BAUTEIL &b = *Get_Stahl_EC3_Bauteil();
    ASSERT_EQ(static_cast<int>(c.rows.size()), b.brandlast_count);
    for (std::size_t k = 0; k < c.rows.size(); ++k) {
      const Row &row = c.rows[k];
      SCOPED_TRACE(::testing::Message() << "T_t " << row.T_t << " T_w " << row.T_w << " B " << row.B);
      const std::string head = "Lastkollektiv " + std::to_string(k + 1) + ": Zeile " + std::to_string(k + 1);
      const std::size_t at = r.plain.find(head);
      ASSERT_NE(std::string::npos, at) << r.plain;
      const std::string text = r.plain.substr(at, r.plain.find("Lastkollektiv", at + head.size()) - at);
      const std::size_t verdict = text.find("\nNachweis: ");
      const double U =
          verdict == std::string::npos ? 0.0 : U_of(text.substr(verdict, text.find('\n', verdict + 1) - verdict));
      EXPECT_NEAR(row.U, U, 5e-4) << text;
      EXPECT_NEAR(U, b.results[k].U_sigma, 5e-4);
      EXPECT_EQ(1, b.results[k].status);
      // A row with no force left once the warping rule took T_w and B reads as a row of zero
      // forces: no verdict line, no empty head.
      EXPECT_EQ(row.U == 0.0, text.find("Schnittgrößen = 0: Nachweis nicht erforderlich") != std::string::npos) << text;
      EXPECT_EQ(std::string::npos, text.find("für  \n")) << text;
      // The c/t check: the row's own, never that of the row before.
      const std::size_t ct = text.rfind("Ausnutzung Uc/t = ");
      EXPECT_NEAR(row.U_ct, ct == std::string::npos ? 0.0 : U_of(text.substr(ct, text.find('\n', ct) - ct)), 5e-4)
          << text;
      EXPECT_NEAR(row.U_ct, b.results[k].U_ct, 5e-4);
      EXPECT_EQ(row.U_ct > 0.0, text.find("Klasse") != std::string::npos) << text;
      const std::string note = "(EC 3-1-1, 6.2.7): ";
      int notes = 0;
      for (std::size_t n = text.find(note); n != std::string::npos; n = text.find(note, n + 1)) ++notes;
      EXPECT_EQ(row.note != kNone, notes) << text;
      EXPECT_EQ((row.note & kSum) != 0, text.find("Torsion angesetzt, Tt + Tð = ") != std::string::npos) << text;
      EXPECT_EQ((row.note & kBimoment) != 0, text.find("Bimoment B = ") != std::string::npos) << text;
      EXPECT_NE(std::string::npos, text.find(row.text)) << text;
      const std::string imbalance = "ungleichgewicht: úB = ";  // ú: the list's Δ
      for (std::size_t d = text.find(imbalance); d != std::string::npos; d = text.find(imbalance, d + 1))
        EXPECT_EQ(0, text.compare(d + imbalance.size(), 10, "0.000 kNm2")) << text;
    }
  }
}
