// Strain extremes, limit-strain ratios and planes of the strain domain, zero lines, force
// transforms, section values, resultants and line stresses of a mask, and the Jacobians
// of the limit-state solves against differences. Units: metres, per mille, kN/m².
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "analysis/masque_solve_internal.h"
#include "masque_sections.h"

namespace {

using namespace masque_test;
constexpr double kPi = std::numbers::pi;

class MasqueLimits : public SteelRectangleTest {
 protected:
  DEHNUNGSEBENE Plane(MASQUE *m, double phi, double t) {
    const double pair[2] = {phi, t};
    DEHNUNGSEBENE p{};
    EXPECT_EQ(Get_Masque_Grenzdehnungsebene(m, pair, &p), 1);
    return p;
  }
};

void ExpectPlane(const DEHNUNGSEBENE &p, double phi, double eps0, double kappa) {
  EXPECT_NEAR(p.phi, phi, 1e-12);
  EXPECT_NEAR(p.eps0, eps0, 1e-9);
  EXPECT_NEAR(p.kappa, kappa, 1e-9);
  EXPECT_EQ(p.x3, 0.0);
}

TEST_F(MasqueLimits, StrainDomainOfTheSteelRectangle) {
  // Symmetric lines only: cmin = smin = −150, cmax = smax = +150, so both ends of the
  // domain are the uniform plane +150.
  ExpectPlane(Plane(mask_, 0, 0), 0, 150, 0);
  ExpectPlane(Plane(mask_, 0, 33), 0, 150, 0);
  ExpectPlane(Plane(mask_, 0, 40), 0, 150, 0);
  ExpectPlane(Plane(mask_, 0, -3), 0, 150, 0);
  ExpectPlane(Plane(mask_, 0, 5), 0, -75, 750);     // −150 at y = −0.1, 0 at 0.1
  ExpectPlane(Plane(mask_, 0, 16), 0, 0, 1500);     // −150 to +150
  ExpectPlane(Plane(mask_, kPi / 2, 16), kPi / 2, 0, 3000);  // along z over b = 0.1
  ExpectPlane(Plane(mask_, 0, 24.5), 0, 75, 750);  // 0 at −0.1, +150 at 0.1
}

TEST_F(MasqueLimits, StrainDomainWithConcreteAndReinforcement) {
  MASQUE *m = Create_Masque_Querschnitt(3, 0);
  SPANNUNGSDEHNUNGSLINIE *concrete = Clone_Masque_Spannungsdehnungslinie(Find_Builtin_Spannungsdehnungslinie("B25"));
  SPANNUNGSDEHNUNGSLINIE *steel = Clone_Masque_Spannungsdehnungslinie(Find_Builtin_Spannungsdehnungslinie("BSt 500 S"));
  Add_Masque_Spannungsdehnungslinie(m, concrete);
  Add_Masque_Spannungsdehnungslinie(m, steel);
  AddRect(m, concrete, -0.25, 0.25, -0.15, 0.15);
  MASQUE_GRUPPE *bars = Create_Masque_Punktgruppe(0, steel);
  for (double y : {-0.2, 0.2}) {
    MASQUE_KNOTEN *n = Create_Masque_Knoten(0, y, 0.0);
    Add_Masque_Knoten(m, n);
    Add_Masque_Punkt(bars, n, 0.001);
  }
  Add_Masque_Gruppe(m, bars);
  ASSERT_EQ(Update_Masque_Querschnitt(m, 0), 1);
  ASSERT_EQ(m->limits.cmin, -3.5);
  ASSERT_EQ(m->limits.cmax, -2.0);
  ASSERT_EQ(m->limits.smax, 5.0);

  ExpectPlane(Plane(m, 0, 0), 0, -2.0, 0.0);                      // centric limit
  ExpectPlane(Plane(m, 0, 5), 0, -1.75, 7.0);                     // −3.5 at −0.25, 0 at 0.25
  ExpectPlane(Plane(m, 0, 5.5), 0, -3.5 + 0.25 * 3.5 / 0.475, 3.5 / 0.475);  // 0 at 0.225
  ExpectPlane(Plane(m, 0, 16), 0, -3.5 + 0.25 * 8.5 / 0.45, 8.5 / 0.45);     // +5 at 0.2
  ExpectPlane(Plane(m, 0, 33), 0, 5.0, 0.0);

  // Every plane of the domain reaches the limit: ratio 1 (the concrete's limit for a fully
  // compressed section runs from −3.5 to −2).
  for (double t : {0.0, 2.0, 5.0, 8.0, 16.0, 25.0, 33.0}) {
    const DEHNUNGSEBENE p = Plane(m, 0.4, t);
    double r[3];
    ASSERT_EQ(Get_Masque_Grenzdehnung_Ratios(m, &p, r), 1);
    EXPECT_NEAR(r[2], 1.0, 1e-9) << "t = " << t;
  }
  MASQUE_DEHNUNG_EXTREMES x;
  const DEHNUNGSEBENE unit{0, 0, 1, 0};
  ASSERT_EQ(Get_Masque_Dehnung_Extremes(m, &unit, &x), 1);
  EXPECT_EQ(x.y_min1, -0.25);
  EXPECT_EQ(x.y_max1, 0.25);
  EXPECT_EQ(x.y_min2, -0.2);
  EXPECT_EQ(x.y_max2, 0.2);
  Destroy_Masque_Querschnitt(m);
}

TEST_F(MasqueLimits, ExtremesAndRatios) {
  MASQUE_DEHNUNG_EXTREMES x;
  const DEHNUNGSEBENE p{0, -3, 60, 0};
  ASSERT_EQ(Get_Masque_Dehnung_Extremes(mask_, &p, &x), 1);
  EXPECT_NEAR(x.min2, -9.0, 1e-12);
  EXPECT_NEAR(x.max2, 3.0, 1e-12);
  EXPECT_EQ(x.y_min2, -0.1);
  EXPECT_EQ(x.y_max2, 0.1);
  // Without a family-1 group family 2 stands in for it.
  EXPECT_EQ(x.min1, x.min2);
  EXPECT_EQ(x.y_min1, x.y_min2);

  double r[3];
  const DEHNUNGSEBENE zero{};
  ASSERT_EQ(Get_Masque_Grenzdehnung_Ratios(mask_, &zero, r), 1);
  EXPECT_EQ(r[0], 0.0);
  EXPECT_EQ(r[1], 0.0);
  EXPECT_EQ(r[2], 0.0);
  EXPECT_EQ(Get_Masque_Grenzdehnung_Ratios(mask_, nullptr, r), 0);

  // Limits ±0.025 and strains from −0.001 to 0.0125.
  MASQUE *m = Create_Masque_Querschnitt(1, 0);
  AddRect(m, AddLine(m, 210000, 1, 0.025), -0.1, 0.1, -0.05, 0.05);
  ASSERT_EQ(Update_Masque_Querschnitt(m, 0), 1);
  const DEHNUNGSEBENE q{0, 0.00575, 0.0675, 0};
  ASSERT_EQ(Get_Masque_Grenzdehnung_Ratios(m, &q, r), 1);
  EXPECT_NEAR(r[0], -0.5, 1e-12);
  EXPECT_NEAR(r[1], 0.5, 1e-12);
  EXPECT_NEAR(r[2], 0.5, 1e-12);
  Destroy_Masque_Querschnitt(m);
}

TEST_F(MasqueLimits, PlaneThroughFibresAndDomainJacobian) {
  const double v[3] = {0.0, -3.0, 3.0};
  DEHNUNGSEBENE p;
  ASSERT_EQ(Set_Masque_Plane_by_Fibres(mask_, v, 0, &p), 1);
  ExpectPlane(p, 0, 0, 30);
  const double w[3] = {0.0, 3.0, -3.0};  // falling strains: the same plane turned by π
  ASSERT_EQ(Set_Masque_Plane_by_Fibres(mask_, w, 0x12, &p), 1);
  ExpectPlane(p, kPi, 0, 30);
  const double pair[2] = {0.3, 10.0};
  double J[4];
  ASSERT_EQ(Get_Masque_Grenzdehnung_Jacobian(mask_, pair, 0.0, J), 1);
  // t moves ε0 and κ; the inverse maps their differences back to (φ, t).
  const double pair2[2] = {0.3, 10.1};
  const DEHNUNGSEBENE a = Plane(mask_, 0.3, 10.0), b = Plane(mask_, 0.3, 10.1);
  EXPECT_NEAR(J[2] * (b.eps0 - a.eps0) + J[3] * (b.kappa - a.kappa), 0.1, 1e-6);
  (void)pair2;
}

TEST(MasqueZeroLine, Examples) {
  MASQUE *m = Create_Masque_Querschnitt(1, 0);
  double L[3];
  const DEHNUNGSEBENE cases[] = {{0, 1, 0, 0}, {0, -1, 0, 0}, {0, -2, 1, 0}, {0, 2, -1, 0}, {-2, 1, 1, 0}, {}};
  const double expected[][3] = {{kPi / 2, 1e10, 0},
                                {kPi / 2, 1e10, 0},
                                {kPi / 2, 2, 0},
                                {kPi / 2, 2, 0},
                                {-2 + 5 * kPi / 2, -std::cos(-2.0), -std::sin(-2.0)},  // d = −1
                                {kPi / 2, 1e10, 0}};  // the zero plane: no zero line
  for (int i = 0; i < 6; ++i) {
    ASSERT_EQ(Dehnungsebene_to_Nulllinie(m, &cases[i], L), 1);
    EXPECT_NEAR(L[0], expected[i][0], 1e-12) << i;
    EXPECT_NEAR(L[1], expected[i][1], 1e-12 * std::fmax(1.0, std::fabs(expected[i][1]))) << i;
    EXPECT_NEAR(L[2], expected[i][2], 1e-12) << i;
  }
  EXPECT_EQ(Dehnungsebene_to_Nulllinie(nullptr, &cases[0], L), 0);
  double e = 7.0;
  EXPECT_EQ(Get_Dehnungsebene_Dehnung(m, nullptr, 1, 1, &e), 0);
  EXPECT_EQ(Get_Dehnungsebene_Dehnung(m, &cases[2], 1, 1, nullptr), 0);
  ASSERT_EQ(Get_Dehnungsebene_Dehnung(nullptr, &cases[2], 3, 5, &e), 1);
  EXPECT_EQ(e, 1.0);
  Destroy_Masque_Querschnitt(m);
}

TEST(MasqueForceTransform, RoundTripAndMove) {
  const double F[4] = {-100, 20, -30, 4};
  double G[4], H[4];
  for (int mode : {0, 1}) {
    ASSERT_EQ(Transform_Schnittgroessen(F, 0.1, -0.2, 0.7, G, mode), 1);
    ASSERT_EQ(Transform_Schnittgroessen_Back(G, 0.1, -0.2, 0.7, H, mode), 1);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(H[i], F[i], 1e-12);
  }
  // Moving to (y0, z0) without a turn: My − z0 N, Mz + y0 N; in place.
  double I[4] = {-100, 20, -30, 4};
  const double frame[3] = {0.1, -0.2, 0.0};
  ASSERT_EQ(Transform_Schnittgroessen_by_Frame(I, frame, I, 0), 1);
  EXPECT_NEAR(I[1], 20 - 20, 1e-12);
  EXPECT_NEAR(I[2], -30 - 10, 1e-12);
  EXPECT_EQ(I[3], 4.0);
}

TEST_F(MasqueLimits, NodeExtent) {
  double e[4] = {9, 9, 9, 9};
  ASSERT_EQ(Get_Masque_Knoten_Extent(mask_, e, 0), 1);
  EXPECT_EQ(e[0], -0.1);
  EXPECT_EQ(e[1], 0.1);
  EXPECT_EQ(e[2], -0.05);
  EXPECT_EQ(e[3], 0.05);
  Set_Masque_Frame(mask_, 0.1, 0.0, 0.0, 0);
  Update_Masque_Querschnitt(mask_, 0);
  ASSERT_EQ(Get_Masque_Knoten_Extent(mask_, e, 1), 1);
  EXPECT_NEAR(e[0], -0.2, 1e-15);
  EXPECT_NEAR(e[1], 0.0, 1e-15);
}

// ======================================================================= section values

TEST(MasqueQuerschnittswerte, Rectangle) {
  Reset_Masque_Module_For_Tests();
  MASQUE *m = SteelRectangle();
  MASQUE_QUERSCHNITTSWERTE v;
  ASSERT_EQ(Calc_Masque_Querschnittswerte(m, MASQUE_WERTE_ALLE, 1, &v), 1);
  EXPECT_NEAR(v.A, 0.02, 1e-15);
  EXPECT_EQ(v.raw_yy, 0.0);  // depth 1 stops after the centroid
  ASSERT_EQ(Calc_Masque_Querschnittswerte(m, MASQUE_WERTE_ALLE, 0, &v), 1);
  EXPECT_NEAR(v.ys, 0.0, 1e-15);
  EXPECT_NEAR(v.zs, 0.0, 1e-15);
  // No product moment: I1 is ∫z² (about y), not the larger value.
  EXPECT_NEAR(v.I1, 0.2 * 0.001 / 12.0, 1e-15);
  EXPECT_NEAR(v.I2, 0.1 * 0.008 / 12.0, 1e-15);
  EXPECT_EQ(v.alpha, 0.0);
  // Groups of law type 2 without their load-factor switch need bit 0x4.
  ASSERT_EQ(Calc_Masque_Querschnittswerte(m, 0x2, 0, &v), 1);
  EXPECT_EQ(v.A, 0.0);
  EXPECT_EQ(Calc_Masque_Querschnittswerte(nullptr, 0x4, 0, &v), 0);
  // A group of a kind the integration does not know fails the whole call.
  MASQUE_GRUPPE *g = const_cast<MASQUE_GRUPPE *>(Get_Masque_Gruppe(m, 0));
  const auto kind = g->typ;
  g->typ = static_cast<decltype(g->typ)>(99);
  EXPECT_EQ(Calc_Masque_Querschnittswerte(m, MASQUE_WERTE_ALLE, 0, &v), 0);
  g->typ = kind;
  Destroy_Masque_Querschnitt(m);
}

TEST(MasqueQuerschnittswerte, UnequalLegAngle) {
  Reset_Masque_Module_For_Tests();
  MASQUE *m = Create_Masque_Querschnitt(1, 0);
  AddPolygon(m, AddLine(m), {{0, 0}, {0.2, 0}, {0.2, 0.02}, {0.02, 0.02}, {0.02, 0.1}, {0, 0.1}});
  ASSERT_EQ(Update_Masque_Querschnitt(m, 0), 1);
  MASQUE_QUERSCHNITTSWERTE v;
  ASSERT_EQ(Calc_Masque_Querschnittswerte(m, MASQUE_WERTE_ALLE, 2, &v), 1);
  // Two rectangles: [0, 0.2] × [0, 0.02] and [0, 0.02] × [0.02, 0.1].
  struct R { double y0, y1, z0, z1; } rs[2] = {{0, 0.2, 0, 0.02}, {0, 0.02, 0.02, 0.1}};
  double A = 0, Sy = 0, Sz = 0, Jyy = 0, Jzz = 0, Jyz = 0;
  for (const R &r : rs) {
    const double a = (r.y1 - r.y0) * (r.z1 - r.z0);
    A += a;
    Sy += a * (r.y0 + r.y1) / 2;
    Sz += a * (r.z0 + r.z1) / 2;
    Jyy += (r.z1 - r.z0) * (std::pow(r.y1, 3) - std::pow(r.y0, 3)) / 3;
    Jzz += (r.y1 - r.y0) * (std::pow(r.z1, 3) - std::pow(r.z0, 3)) / 3;
    Jyz += (r.y1 * r.y1 - r.y0 * r.y0) * (r.z1 * r.z1 - r.z0 * r.z0) / 4;
  }
  const double ys = Sy / A, zs = Sz / A;
  const double Iz = Jzz - A * zs * zs, Iy = Jyy - A * ys * ys, Iyz = Jyz - A * ys * zs;
  EXPECT_NEAR(v.A, A, 1e-15);
  EXPECT_NEAR(v.ys, ys, 1e-14);
  EXPECT_NEAR(v.zs, zs, 1e-14);
  EXPECT_NEAR(v.I1 + v.I2, Iz + Iy, 1e-15);
  EXPECT_NEAR(v.I1 * v.I2, Iz * Iy - Iyz * Iyz, 1e-20);
  EXPECT_LE(std::fabs(v.alpha), kPi / 4);
  // I1 is the second moment about the axis at alpha.
  const double c = std::cos(v.alpha), s = std::sin(v.alpha);
  EXPECT_NEAR(Iz * c * c - 2 * Iyz * s * c + Iy * s * s, v.I1, 1e-15);
  Destroy_Masque_Querschnitt(m);
}

TEST(MasqueQuerschnittswerte, RotatedRectangle) {
  Reset_Masque_Module_For_Tests();
  const double I_small = 0.2 * 0.001 / 12.0, I_large = 0.1 * 0.008 / 12.0;
  for (double rho : {0.3, -0.5, 1.2, 2.0}) {
    MASQUE *m = Create_Masque_Querschnitt(1, 0);
    std::vector<std::pair<double, double>> pts;
    for (auto [y, z] : {std::pair{-0.1, -0.05}, {0.1, -0.05}, {0.1, 0.05}, {-0.1, 0.05}}) {
      pts.push_back({y * std::cos(rho) - z * std::sin(rho) + 0.3, y * std::sin(rho) + z * std::cos(rho) - 0.2});
    }
    AddPolygon(m, AddLine(m), pts);
    ASSERT_EQ(Update_Masque_Querschnitt(m, 0), 1);
    MASQUE_QUERSCHNITTSWERTE v;
    ASSERT_EQ(Calc_Masque_Querschnittswerte(m, MASQUE_WERTE_ALLE, 2, &v), 1);
    EXPECT_NEAR(v.ys, 0.3, 1e-14);
    EXPECT_NEAR(v.zs, -0.2, 1e-14);
    EXPECT_NEAR(std::fmin(v.I1, v.I2), I_small, 1e-15) << rho;
    EXPECT_NEAR(std::fmax(v.I1, v.I2), I_large, 1e-15) << rho;
    const double folded = std::remainder(rho, kPi / 2);
    EXPECT_NEAR(v.alpha, folded, 1e-12) << rho;
    Destroy_Masque_Querschnitt(m);
  }
}

TEST(MasqueQuerschnittswerte, InitialStrainTerm) {
  Reset_Masque_Module_For_Tests();
  MASQUE *m = SteelRectangle();
  Set_Masque_Calc_Mode(MASQUE_MODE_VORDEHNUNG);
  const MASQUE_VORDEHNUNG v{1.0, 10.0, 0.0, MASQUE_VORDEHNUNG_AKTIV, 0};
  Set_Masque_Gruppe_Vordehnung(Get_Masque_Gruppe(m, 0), &v);
  MASQUE_QUERSCHNITTSWERTE w;
  ASSERT_EQ(Calc_Masque_Querschnittswerte(m, MASQUE_WERTE_ALLE, 3, &w), 1);
  // ∫ (1 + 10 y)² dA = A + 100 ∫y² dA.
  EXPECT_NEAR(w.vordehnung, 0.02 + 100 * 0.1 * 0.008 / 12.0, 1e-14);
  Set_Masque_Calc_Mode(0);
  ASSERT_EQ(Calc_Masque_Querschnittswerte(m, MASQUE_WERTE_ALLE, 3, &w), 1);
  EXPECT_EQ(w.vordehnung, 0.0);
  Destroy_Masque_Querschnitt(m);
}

// ======================================================================= resultants, stresses

TEST_F(MasqueLimits, ResultantsOfTensionAndCompression) {
  const DEHNUNGSEBENE p{0, -3, 60, 0};
  double R[6], F[4];
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &p, 1.0, F), 1);
  ASSERT_EQ(Calc_Masque_Resultierende(mask_, &p, 1.0, R), 1);
  EXPECT_GT(R[0], 0.0);
  EXPECT_LT(R[3], 0.0);
  EXPECT_NEAR(R[0] + R[3], F[0], 1e-9);
  EXPECT_NEAR(R[0] * R[1] + R[3] * R[4], -F[2], 1e-9);
  EXPECT_GT(R[1], R[4]);  // tension at large y
  // The lines are back to their full law.
  EXPECT_TRUE(mask_->flags & MASQUE_SDL_PREPARED);
  double G[4];
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &p, 1.0, G), 1);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(G[i], F[i]);
}

TEST_F(MasqueLimits, PlaneOfTheLinesOwnStrains) {
  SPANNUNGSDEHNUNGSLINIE *line = Get_Masque_Spannungsdehnungslinie(mask_, 0);
  double p[SDL_PARAMETER];
  std::copy(line->param, line->param + SDL_PARAMETER, p);
  p[SDL_EPS_V] = 2.0;
  Set_Masque_Spannungsdehnungslinie_Params(mask_, line, p);
  ASSERT_EQ(Update_Masque_Querschnitt(mask_, 0), 1);
  DEHNUNGSEBENE e;
  ASSERT_EQ(Calc_Masque_Vordehnungsebene(mask_, MASQUE_WERTE_ALLE, &e), 1);
  EXPECT_NEAR(e.eps0, 2.0, 1e-12);
  EXPECT_NEAR(e.kappa, 0.0, 1e-12);
  // The own strain enters the integration: the zero plane now carries 2 per mille.
  double F[4];
  const DEHNUNGSEBENE zero{};
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &zero, 1.0, F), 1);
  EXPECT_NEAR(F[0], 4700.0, 1e-9);
}

TEST_F(MasqueLimits, StressOfALine) {
  const SPANNUNGSDEHNUNGSLINIE *line = Get_Masque_Spannungsdehnungslinie(mask_, 0);
  double s = 1.0, t = 0.0;
  ASSERT_EQ(Get_Spannungsdehnungslinie_Spannung(line, 0.5, &s), 1);
  EXPECT_NEAR(s, 105000.0, 1e-9);
  ASSERT_EQ(Get_Spannungsdehnungslinie_Spannung(line, -10.0, &s), 1);
  EXPECT_NEAR(s, -235000.0, 1e-9);
  ASSERT_EQ(Get_SDL_Arbeitsform_Spannung(&line->arbeitsform, 0.5, &s, &t), 1);
  EXPECT_NEAR(t, 210000.0, 1e-9);
  EXPECT_EQ(Get_Spannungsdehnungslinie_Spannung(nullptr, 0.5, &s), 0);
  EXPECT_EQ(s, 0.0);
}

// ======================================================================= solve Jacobians

void ExpectJacobianMatchesDifferences(int solve, MASQUE *mask, const double *T, int n, const double *x, double h,
                                      double rel) {
  double f[4], J[16], fp[4], fm[4], dummy[16];
  Masque_Test_Residuals(solve, mask, T, 1.0, 0.01, -0.005, n, x, f, J);
  double big = 0.0;
  for (int i = 0; i < n * n; ++i) big = std::fmax(big, std::fabs(J[i]));
  ASSERT_GT(big, 0.0);
  for (int j = 0; j < n; ++j) {
    double xp[4], xm[4];
    std::copy(x, x + n, xp);
    std::copy(x, x + n, xm);
    xp[j] += h;
    xm[j] -= h;
    Masque_Test_Residuals(solve, mask, T, 1.0, 0.01, -0.005, n, xp, fp, dummy);
    Masque_Test_Residuals(solve, mask, T, 1.0, 0.01, -0.005, n, xm, fm, dummy);
    for (int i = 0; i < n; ++i) {
      EXPECT_NEAR(J[i + j * n], (fp[i] - fm[i]) / (2 * h), rel * big) << "solve " << solve << " (" << i << ", " << j << ")";
    }
  }
}

TEST_F(MasqueLimits, SolveJacobiansAgainstDifferences) {
  const double T[4] = {-0.3, 0.2, 0.5, 0.0};
  // Direct solve at the plane (0.4, −2, 40): direction rows analytic, ratio row by steps
  // of 0.001 (exact here: the ratio is piecewise linear in x).
  const double x[3] = {2.0, 40 * std::cos(0.4), 40 * std::sin(0.4)};
  ExpectJacobianMatchesDifferences(1, mask_, T, 3, x, 1e-5, 1e-6);
  // Equilibrium solve: weighted forces about the centroid.
  const double P[4] = {-1000, 10, 40, 0};
  ExpectJacobianMatchesDifferences(3, mask_, P, 3, x, 1e-6, 1e-6);
  // Strain-domain solve over (t, phi): its own differences, 0.001 wide.
  const double u[2] = {12.0, 0.7};
  ExpectJacobianMatchesDifferences(2, mask_, T, 2, u, 1e-4, 2e-2);
}

}  // namespace
