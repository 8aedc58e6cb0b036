// The stresses of the member checks through the refresh road: torsion, warping and the
// outer fibres reach the utilisation. Each member runs in a fresh folder of its own; the
// verdict line of every row ("σv = … ⇒ Uσv = …") and the row's result-page utilisation must
// agree with the comparison stress the line prints, and both with the hand values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "common/file_cap.h"
#include "materials/materials.h"
#include "profil/profil.h"
#include "stahl_ec3/stahl_ec3.h"
#include "tests/stahl_ec3/member_fixture.h"

namespace {

using test_files::Slurp;

// What the list prints for one row: the elastic stresses line and the verdict line.
struct RowPrint {
  double sigma = -1, tau = -1, sv = -1;  // "elastische Spannungen: max |σx|, max τ, max σv"
  double sv_line = -1, sv_rd = -1, U = -1;  // "σv = … σv,Rd = … Uσv = …"
};

// The rows of the list as UTF-8 text without markup, in the order they stand.
std::vector<RowPrint> Rows_Of(const std::string &oli) {
  const std::string plain = Plain_List(oli);
  std::vector<RowPrint> rows;
  std::size_t at = 0;
  while ((at = plain.find("elastische Spannungen: max |", at)) != std::string::npos) {
    RowPrint r;
    const std::string l = plain.substr(at, plain.find('\n', at) - at);
    std::sscanf(l.c_str(), "elastische Spannungen: max |╠x| = %lf N/mm²,  max Í = %lf N/mm²,  max ╠v = %lf", &r.sigma,
                &r.tau, &r.sv);
    const std::size_t v = plain.find("╠v = ", plain.find("Nachweis: ", at));
    const std::string w = plain.substr(v, plain.find('\n', v) - v);
    std::sscanf(w.c_str(), "╠v = %lf", &r.sv_line);
    std::sscanf(w.c_str() + w.find("╠v,Rd = "), "╠v,Rd = %lf", &r.sv_rd);
    std::sscanf(w.c_str() + w.find("U╠v = "), "U╠v = %lf", &r.U);
    rows.push_back(r);
    at = v;
  }
  return rows;
}

class PointStress : public MemberFolder {
 protected:
  PointStress() : MemberFolder(ExampleFiles::kText) {}
  // Writes the member (the text inp, else the defaults changed by `set`) into a fresh
  // folder, refreshes it and returns the list.
  std::string List_Of(const std::string &inp, const std::function<void(BAUTEIL *)> &set) {
    Fresh_Folder();
    return Run_Refresh(inp.empty() ? Member_Bytes(set) : inp).oli;
  }
};

void Library(BAUTEIL *b, const char *name, int grade_row) {
  ASSERT_EQ(Set_Profil_by_Library_Name(&b->profil, name), 0) << name;
  b->material.grade = grade_row;
  Check_Material_Strength(&b->material, 0, nullptr, 0, nullptr);
}

void Rhs(BAUTEIL *b, double r) {
  Reset_Profil(&b->profil);
  PROFIL &p = b->profil;
  p.kind = PROFIL_KIND_PARAMETRIC, p.type = PROFIL_RHS, p.h = 200, p.t_w = 8;
  p.b_fo = p.b_fu = 100, p.t_fo = p.t_fu = 8, p.rolled = 1, p.r = r, p.r_2 = r > 0 ? r - 8 : 0;
}

// One row N, M_y, M_z, V_y, V_z, T_t, T_w, B (kN, kNm, kNm²); the c/t check off.
std::function<void(BAUTEIL *)> Row(std::function<void(BAUTEIL *)> section, std::vector<double> f) {
  return [section, f](BAUTEIL *b) {
    section(b);
    b->ct_check = 0;
    b->brandlasten[0] = BRANDLAST{"Brand 1", f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]};
  };
}

// Hand values (EN 1993-1-1 6.2.1(5): σ_v = √(σ² + 3τ²) ≤ f_y/γ_M0, γ_M0 = 1.0):
// - HE 280 A, N −500 kN, M_y 100 kNm, T_t 10 kNm (A 97.26 cm², W_y 1013 cm³ of EN 10365;
//   the solver's thin-walled I_T = 45.4 cm⁴): σ = 5.141 + 9.872 = 15.01 kN/cm² at the flange
//   tip, τ = T t_f / I_T = 1000 · 1.3 / 45.4 = 28.63 kN/cm², σ_v = 518 N/mm², U = 2.205.
// - HE 400 B (EN 10365: h 400, b 300, t_f 24, I_w 3817·10³ cm⁶), ω_max = h_s b / 4 =
//   37.6 · 30 / 4 = 282 cm²; B = 50 kNm²: σ_w = B ω_max / I_w = 500000 · 282 / 3.817e6 =
//   36.94 kN/cm² = 369.4 N/mm², U = 369.4 / 235 = 1.572.
// - HE 400 B, T_w = 10 kNm: S_ω at the flange middle = ω_max (b/2) t_f / 2 = 282 · 15 · 2.4 / 2
//   = 5076 cm⁴, τ_w = T_w S_ω / (I_w t_f) = 1000 · 5076 / (3.817e6 · 2.4) = 0.554 kN/cm²
//   = 5.54 N/mm², U = √3 · 5.54 / 235 = 0.041.
// - HE 400 B, N −1500, M_y 250, T_t 20: σ = 1500/197.8 + 25000/2884 = 16.25 kN/cm², the
//   thin-walled I_T = (2 · 30 · 2.4³ + 37.6 · 1.35³)/3 = 307.3 cm⁴, τ = 2000 · 2.4 / 307.3 =
//   15.62 kN/cm², σ_v = √(162.5² + 3 · 156.2²) = 315.6 N/mm², U = 1.343.
// - RHS 200×100×8 (r = 0), T_t 10 kNm: A_m = 19.2 · 9.2 = 176.64 cm², the closed part of
//   I_T 4 A_m² t / u = 4 · 176.64² · 0.8 / 56.8 = 1757.8 cm⁴, the open part Σ s t³/3 = 9.7;
//   the cell's flow carries T · 1757.8/1767.5: τ = 1000 · 0.9945 / (2 · 176.64 · 0.8) +
//   1000 · 0.8 / 1767.5 = 3.519 + 0.453 = 3.97 kN/cm² = 39.7 N/mm², U = √3 · 39.7 / 235 = 0.293.
// - RHS 200×100×8 (r = 0), N −500, M_y 100, M_z 50 (A = 20·10 − 18.4·8.4 = 45.44 cm²,
//   I_y = (10·20³ − 8.4·18.4³)/12 = 2306 cm⁴, I_z = (20·10³ − 18.4·8.4³)/12 = 757.8 cm⁴): the
//   outer corner y = 5, z = 10: σ = 500/45.44 + 10000·10/2306 + 5000·5/757.8 = 11.00 + 43.37
//   + 32.99 = 87.36 kN/cm² = 873.6 N/mm², U = 3.717 (the centre-line corner gave 3.643).
// - L 150×100×10 S355 (EN 10056-1: I_y 552, I_z 198 cm⁴, tan α 0.439, so I_yz = −(637 − 112)/2
//   · sin 2α = −193.2 cm⁴; centroid 48.1 mm from the short leg's back, 23.4 mm from the long
//   leg's; toe radius 6 mm), M_y 11.551 kNm: σ = M (z I_z + y |I_yz|)/(I_y I_z − I_yz²) is largest
//   on the toe's rounding at z = 100.2, y = −15.2 mm: 1155.1 · 1690.3 / 71970 = 27.1 kN/cm², the
//   solver's model 269.35 N/mm² (0.7 % below the table values), U = 269.35/355 = 0.7587; the
//   centre line of the leg tip gave 0.746.
// - Welded channel 300 × 100, t_w 10, t_f 16 (I_y of the plates 8063.4 cm⁴; centre lines h_s
//   28.4, b' 9.5 cm: shear centre e = 3 b'² t_f / (6 b' t_f + h_s t_w) = 3.622 cm behind the
//   web, I_w = 78943 cm⁶), M_y 100 kNm with B 0.5 kNm²: σ = 10000 · 15 / 8063.4 = 18.60
//   kN/cm² at the outer faces; ω about the shear centre is 14.2 · (9.5 − 3.622) = 83.47 cm² at
//   the flange tips, 5000 · 83.47 / 78943 = 5.29 kN/cm² adding to the compressed tip: 238.9
//   N/mm², U = 1.017. With B −0.5 the web's corners (ω 14.2 · 3.622 = 51.4 cm², 3.26 kN/cm²)
//   govern: 218.6 N/mm², U = 0.930.
TEST_F(PointStress, TorsionWarpingAndOuterFibresReachTheUtilisation) {
  auto he = [](const char *name) { return [name](BAUTEIL *b) { Library(b, name, 0); }; };
  auto rhs = [](BAUTEIL *b) { Rhs(b, 0); };
  auto channel = [](BAUTEIL *b) {
    Reset_Profil(&b->profil);
    PROFIL &p = b->profil;
    p.kind = PROFIL_KIND_PARAMETRIC, p.type = PROFIL_U, p.h = 300, p.t_w = 10, p.b_fo = p.b_fu = 100;
    p.t_fo = p.t_fu = 16;
  };
  // The example with T_t = 10 kNm in its first row (c/t check on, three rows).
  std::string example = Slurp(PF_SOURCE_DIR "/example/BSP1_01.INP");
  const std::string row1 = " Brand~1 -500.000000 100.000000 0.000000 0.000000 0.000000 0.000000";
  ASSERT_NE(example.find(row1), std::string::npos);
  example.replace(example.find(row1), row1.size(), " Brand~1 -500.000000 100.000000 0.000000 0.000000 0.000000 10.000000");
  const struct {
    const char *what;
    std::string inp;
    std::function<void(BAUTEIL *)> set;
    double U, sigma, tau;  // sigma, tau < 0: not checked
  } cases[] = {
      {"HE 280 A, Brand 1 of the example with T_t 10", example, {}, 2.205, 150.1, 286.4},
      {"HE 400 B, B 50", "", Row(he("HE400B"), {0, 0, 0, 0, 0, 0, 0, 50}), 1.572, 369.4, -1},
      {"HE 400 B, T_w 10", "", Row(he("HE400B"), {0, 0, 0, 0, 0, 0, 10, 0}), 0.041, -1, 5.54},
      {"HE 400 B, N -1500, M_y 250, T_t 20", "", Row(he("HE400B"), {-1500, 250, 0, 0, 0, 20, 0, 0}), 1.343, -1, -1},
      {"RHS 200x100x8, T_t 10", "", Row(rhs, {0, 0, 0, 0, 0, 10, 0, 0}), 0.293, -1, 39.7},
      {"RHS 200x100x8, N -500, M_y 100, M_z 50", "", Row(rhs, {-500, 100, 50, 0, 0, 0, 0, 0}), 3.717, 873.6, -1},
      {"L 150x100x10 S355, M_y 11.551", "", Row([](BAUTEIL *b) { Library(b, "L150X100X10", 2); },
                                           {0, 11.551, 0, 0, 0, 0, 0, 0}), 0.7587, 269.35, -1},
      {"channel 300x100, M_y 100, B 0.5", "", Row(channel, {0, 100, 0, 0, 0, 0, 0, 0.5}), 1.017, 238.9, -1},
      {"channel 300x100, M_y 100, B -0.5", "", Row(channel, {0, 100, 0, 0, 0, 0, 0, -0.5}), 0.930, 218.6, -1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<RowPrint> rows = Rows_Of(List_Of(c.inp, c.set));
    ASSERT_EQ(rows.size(), c.inp.empty() ? 1u : 2u);  // the example's second row has no forces
    const RowPrint &r = rows[0];
    double page = -1;
    EXPECT_EQ(Get_Brandlast_Utilisation(Get_Stahl_EC3_Bauteil(), 0, &page), 1);
    // The line agrees with itself and with the result page.
    EXPECT_NEAR(r.U, r.sv_line / r.sv_rd, 0.002) << r.sv_line << " / " << r.sv_rd;
    EXPECT_NEAR(page, r.sv_line / r.sv_rd, 0.002);
    EXPECT_NEAR(page, c.U, 0.002) << r.sv_line;
    if (c.sigma >= 0) {
      EXPECT_NEAR(r.sigma, c.sigma, 0.01 * c.sigma);
    }
    if (c.tau >= 0) {
      EXPECT_NEAR(r.tau, c.tau, 0.01 * c.tau);
    }
  }
}

}  // namespace
