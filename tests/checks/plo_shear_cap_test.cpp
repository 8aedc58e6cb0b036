// The plastic limit state near V_pl on sections without a shear area of EN 1993-1-1,
// 6.2.6(3): each wall is its own shear area, and 6.2.8(3) leaves it (1 − ρ) f_y with
// ρ = (2 V_Ed/V_pl,Rd − 1)² once V_Ed > 0.5 V_pl,Rd (S235, f_y 23.5 kN/cm², γ_M 1.0).
#include <array>
#include <cmath>
#include <vector>

#include "checks/checks.h"
#include "dwqb/dwqb.h"
#include "stress/stress_methods.h"
#include "tests/checks/checks_fixture.h"
#include "tests/profil/profil_shapes.h"

namespace {

constexpr double kFy = 23.5;
const double kSqrt3 = std::sqrt(3.0);

// 1 − ρ of 6.2.8(3) at V_Ed/V_pl,Rd = e.
double En_Factor(double e) { return e <= 0.5 ? 1.0 : 1.0 - (2 * e - 1) * (2 * e - 1); }

// Rectangles (y0, y1, z0, z1 in cm) yielding at k f_y. The plastic moment about y with
// N = 0 and M_z = 0 is M = min over (u_N, u_z) of f_y Σ k ∫ |u_N + (z − z_c) + u_z (y − y_c)| dA
// (the largest M_y of a stress field within ±k f_y whose N and M_z vanish; convex in u).
struct Part {
  double y0, y1, z0, z1, k;
};
// ∫ g dA over the part of p where g = a + b z + c y ≥ 0.
double Positive_Integral(const Poly &p, double a, double b, double c) {
  const Poly q = Poly_Clip(p, a, b, c);
  if (q.size() < 3) return 0;
  const auto m = Poly_Moments(q);  // A, S_y, S_z
  return a * m[0] + b * m[2] + c * m[1];
}

double Plastic_M_y(const std::vector<Part> &parts) {
  double A = 0, Sy = 0, Sz = 0;
  for (const Part &p : parts) {
    const double a = (p.y1 - p.y0) * (p.z1 - p.z0);
    A += a, Sy += a * (p.y0 + p.y1) / 2, Sz += a * (p.z0 + p.z1) / 2;
  }
  const double yc = Sy / A, zc = Sz / A;
  auto H = [&](double uN, double uz) {
    double h = 0;
    for (const Part &p : parts) {
      const Poly r{{p.y0, p.z0}, {p.y1, p.z0}, {p.y1, p.z1}, {p.y0, p.z1}};
      const double a = uN - zc - uz * yc, area = (p.y1 - p.y0) * (p.z1 - p.z0);
      const double mean = a + (p.z0 + p.z1) / 2 + uz * (p.y0 + p.y1) / 2;  // ∫ g dA / area
      h += p.k * (2 * Positive_Integral(r, a, 1.0, uz) - mean * area);     // ∫ |g| = 2 ∫ g⁺ − ∫ g
    }
    return kFy * h;
  };
  return Golden_Min([&](double uN) { return Golden_Min([&](double uz) { return H(uN, uz); }, -3, 3, 60); }, -20, 20, 60);
}

}  // namespace

// A wall without a section shear area keeps no more than 6.2.8 leaves it as its own shear
// area. Proportional loads (V, M) with V = η_0 V_pl,Rd: U_EN = 1/λ with λ M = M_V,Rd(λ η_0).
//
// Flat plate 200 × 10 as one wall line (an imported line model), V_z along it, M_y about its
// strong axis: A_v = 20 cm², V_pl,Rd = 20 · 23.5/√3 = 271.35 kN, M_pl = 23.5 · 1 · 20²/4 =
// 2350 kNcm, M_V,Rd = (1 − ρ) M_pl.
//   η_0 0.95, M = 0.19 M_pl: at λ = 1 ρ = 0.81, M_V,Rd = 0.19 M_pl: U_EN = 1. The wall's
//     mean-shear rule alone, λ 0.19 = √(1 − 0.95² λ²): λ = 1/√0.9386, U = 0.969.
//   η_0 0.72, M = 0.288 M_pl (0.9 and 0.36 over 1.25): at λ = 1.25 η = 0.9, ρ = 0.64,
//     M_V,Rd = 0.36 M_pl: U_EN = 0.8; the rule alone 0.8/√(0.1296 + 0.81) = 0.775.
//   η_0 0.30, M = 0.80 M_pl: the rule alone λ² (0.64 + 0.09) = 1, U = √0.73 = 0.854 at
//     η = 0.351 < 0.5, where 6.2.8 takes nothing: nothing changes (EN: 0.80).
// (The law reaches f_y at its limit strain of 150 ‰ only: M_lim = 0.99965 M_pl.)
//
// L 100 × 10 of the library (no root radius in the model), V_z along its vertical leg, M_y
// about the leg's strong axis, M_z = 0: EN 1993-1-1 gives angles no A_v; the leg's own
// centre-line area (h − t/2) t = 9.5 cm² gives V_pl,Rd = 128.89 kN. M_V,y,Rd: the plastic
// moment about y with N = M_z = 0 of the L (legs 100 × 10) whose leg below the flange's
// centre line yields at (1 − ρ) f_y, by integration over the legs (above): 887.70 kNcm at
// ρ = 0, 415.46 kNcm at η 0.9 (ρ 0.64), 252.54 kNcm at η 0.95 (ρ 0.81). At those moments
// U_EN = 1; the rule alone gives 0.967 and 0.962. With A_v = h t = 10 cm² EN gives about
// 0.957 and 0.953; the model's wall (9.58 cm², its share of the corner included) lies between.
//
// Parametric Z 200 × 160 × 10 (flanges 80 from the web's centre line), V_z along the web,
// M_y: A_v = (h − t_f) t_w = 19 cm², V_pl,Rd = 257.8 kN; M_V,y,Rd as for the angle (web
// between the flanges' centre lines at (1 − ρ) f_y): 3624.01 kNcm at ρ = 0, 2263.14 kNcm at
// η 0.9, 1901.65 kNcm at η 0.95; rows at U_EN = 1 and (η 0.9 reached at λ = 1.25) 0.8.
TEST_F(ChecksTest, LimitStateHoldsEveryWallToItsOwnShearArea) {
  struct Plate {
    double eta, m, U_lo, U_hi;
  } plates[] = {{0.95, 0.19, 0.998, 1.008}, {0.72, 0.288, 0.7985, 0.807}, {0.30, 0.80, 0.852, 0.857}};
  const PLO_MATERIAL steel{0, kFy, 21000, 150, 0.001, 1.0, nullptr};
  for (const Plate &c : plates) {
    SCOPED_TRACE(::testing::Message() << "plate eta " << c.eta);
    Host_Reset();
    DWQB_Part_Mode_Switch = DWQB_Wall_Terms_Switch = 1;
    Reset_DWQB_Querschnitt();
    Add_DWQB_Node(1, 0, 0), Add_DWQB_Node(2, 0, 20);
    Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0);
    ASSERT_EQ(0, Calc_DWQB_Querschnitt());
    const double V_pl = 20 * kFy / kSqrt3, M_pl = kFy * 20 * 20 / 4;
    const double F[8] = {0, 0, c.eta * V_pl, 0, c.m * M_pl};
    PLO_RESULT r;
    ASSERT_EQ(1, Calc_PLO_Grenzzustand(F, &steel, nullptr, &r, nullptr));
    EXPECT_GE(r.U, c.U_lo);
    EXPECT_LE(r.U, c.U_hi);
    // At the limit the wall's shear ratio η = η_0/U and its strength k (from M = k M_pl/U)
    // keep no more than 6.2.8 leaves.
    const double eta = c.eta / r.U, k = c.m / (0.99965 * r.U);
    EXPECT_LE(k, std::fmin(std::sqrt(1 - eta * eta), En_Factor(eta)) + 0.004) << eta;
  }

  // Sections of the check without a shear area: (η, 1/U_EN) with V = η_0 V_pl,Rd of the
  // sheared wall and M_y = M_V,y,Rd(η)/λ, η_0 = η/λ, so that U_EN = 1/λ.
  Host_Reset();
  Library angle("L100X10", 0);
  ASSERT_EQ(235.0, angle.p.grade.fy);
  PROFIL z{};
  Reset_Profil(&z);
  Set_Shape(&z, PROFIL_Z, 200, 10, 160, 10, 160, 10, 0);
  ASSERT_EQ(0, Calc_Profil_Querschnittswerte(&z, nullptr, 0, ""));
  Init_Material_Data(&z.grade);
  Check_Material_Strength(&z.grade, z.t_fo, nullptr, 0, nullptr);
  ASSERT_EQ(235.0, z.grade.fy);
  const auto L = [](double k) { return std::vector<Part>{{4, 5, 0, 9.5, k}, {-5, 4, 9, 9.5, 1}, {-5, 5, 9.5, 10, 1}}; };
  const auto Z = [](double k) {
    return std::vector<Part>{{-0.5, 0.5, 0.5, 19.5, k}, {-0.5, 8, 0, 0.5, 1},   {0.5, 8, 0.5, 1, 1},
                             {-8, 0.5, 19.5, 20, 1},    {-8, -0.5, 19, 19.5, 1}};
  };
  struct Row {
    const char *name;
    PROFIL *p;
    bool angle;
    double A_v, eta, lambda, M_V;
  } rows[] = {
      {"L 100 x 10", &angle.p, true, 9.5, 0.95, 1.0, 252.54},
      {"L 100 x 10", &angle.p, true, 9.5, 0.90, 1.0, 415.46},
      {"Z 200 x 160 x 10", &z, false, 19.0, 0.95, 1.0, 1901.65},
      {"Z 200 x 160 x 10", &z, false, 19.0, 0.90, 1.25, 2263.14},
  };
  for (const Row &c : rows) {
    SCOPED_TRACE(::testing::Message() << c.name << " eta " << c.eta << " lambda " << c.lambda);
    const double k = En_Factor(c.eta);
    const double M_V = Plastic_M_y(c.angle ? L(k) : Z(k));
    EXPECT_NEAR(c.M_V, M_V, 0.02);
    const double V_pl = c.A_v * kFy / kSqrt3;
    const double F[8] = {0, 0.01 * M_V / c.lambda, 0, 0, c.eta * V_pl / c.lambda};
    const double U = Stress_U(c.p, 2, F) * c.lambda;
    EXPECT_GE(U, 0.985);
    EXPECT_LE(U, 1.02);
  }
  // ρ = 0: the plastic moments with N = M_z = 0, 887.70 and 3624.01 kNcm; the models hold
  // 0.4 % and 0.06 % less.
  for (const Row &c : {rows[0], rows[2]}) {
    const double M_pl = Plastic_M_y(c.angle ? L(1) : Z(1));
    EXPECT_NEAR(c.angle ? 887.70 : 3624.01, M_pl, 0.02);
    const double M[8] = {0, 0.01 * M_pl};
    EXPECT_NEAR(1.0, Stress_U(c.p, 2, M), 0.006) << c.name;
  }
  Reset_Profil(&z);
}
