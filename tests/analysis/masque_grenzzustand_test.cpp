// Limit state of the mask: the steel rectangle and an I section against their plastic
// closed forms, random directions, the solver's call, the decisions on failure and the
// state a call must leave as it found it. Units: metres, per mille, kN/m².
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "analysis/masque_solve_internal.h"
#include "masque_sections.h"

namespace {

using namespace masque_test;
constexpr double kPi = std::numbers::pi;
const SOLVER_TOLERANZ kTol{1e-6, 100};

class MasqueGrenzzustand : public SteelRectangleTest {
 protected:
  GRENZZUSTAND Solve(double N, double My, double Mz, int expected = 1) {
    const double T[4] = {N, My, Mz, 0.0};
    GRENZZUSTAND r{};
    EXPECT_EQ(Calc_Masque_Grenzzustand(mask_, T, 1.0, &kTol, &r, 0), expected)
        << "T = (" << N << ", " << My << ", " << Mz << ")";
    return r;
  }
};

// Limit states of the rectangle along the axes: N_pl = f b h = 4700 kN; M at the limit
// strain 150 per mille, f b h²/4 less the elastic core (about z 235.0, about y 117.5).
TEST_F(MasqueGrenzzustand, LimitsAlongTheAxes) {
  const struct {
    double N, My, Mz, lambda;
  } cases[] = {{-1, 0, 0, 4700.0},    {1, 0, 0, 4700.0},      {0, 0, 1, 234.99564},
               {0, 0, -1, 234.99564}, {0, 1, 0, 117.49782}, {0, -1, 0, 117.49782}};
  for (const auto &c : cases) {
    const GRENZZUSTAND r = Solve(c.N, c.My, c.Mz);
    const double T[3] = {c.N, c.My, c.Mz};
    EXPECT_NEAR(r.lambda, c.lambda, c.lambda * (c.N ? 1e-5 : 1e-3)) << c.N << " " << c.My << " " << c.Mz;
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(r.F[i], T[i] * r.lambda, 1e-5 * c.lambda) << i;
    EXPECT_EQ(r.zustand, 0);
  }
}

TEST_F(MasqueGrenzzustand, InteractionOfNormalForceAndMoment) {
  // Rectangle: |M| / Mpl = 1 − (N / Npl)².
  for (double a : {0.2, 0.7, 1.2, 2.0, 2.6, 3.6, 4.5, 5.5}) {
    GRENZZUSTAND r = Solve(std::cos(a), 0, std::sin(a));
    const double n = r.F[0] / 4700.0;
    EXPECT_NEAR(std::fabs(r.F[2]) / 235.0, 1.0 - n * n, 1e-3) << "angle " << a;
    EXPECT_GT(r.lambda, 0.0);
  }
}

TEST_F(MasqueGrenzzustand, ISectionPlasticMoment) {
  MASQUE *I = SteelISection();
  const double T[4] = {0, 0, 1, 0};
  GRENZZUSTAND r{};
  ASSERT_EQ(Calc_Masque_Grenzzustand(I, T, 1.0, &kTol, &r, 0), 1);
  const double hw = kIh - 2 * kItf;
  const double Mpl = kFy * (kIb * kItf * (kIh - kItf) + kItw * hw * hw / 4.0);
  EXPECT_NEAR(Mpl, 141.4931, 1e-4);
  EXPECT_NEAR(r.lambda, Mpl, 1e-3 * Mpl);
  Destroy_Masque_Querschnitt(I);
}

TEST_F(MasqueGrenzzustand, RandomDirections) {
  std::mt19937 rng(4711);
  std::normal_distribution<double> normal;
  for (int k = 0; k < 20; ++k) {
    double T[4] = {normal(rng), normal(rng), normal(rng), 0.0};
    const double n = std::sqrt(T[0] * T[0] + T[1] * T[1] + T[2] * T[2]);
    for (int i = 0; i < 3; ++i) T[i] /= n;
    GRENZZUSTAND r{};
    ASSERT_EQ(Calc_Masque_Grenzzustand(mask_, T, 1.0, &kTol, &r, 0), 1) << k;
    EXPECT_GT(r.lambda, 0.0);
    EXPECT_NEAR(r.verhaeltnis, 1.0, 1e-3) << k;
    double ratios[3];
    ASSERT_EQ(Get_Masque_Grenzdehnung_Ratios(mask_, &r.ebene, ratios), 1);
    EXPECT_NEAR(ratios[2], 1.0, 1e-3) << k;
    // Sine of the angle between F and T.
    const double *F = r.F;
    const double c[3] = {F[1] * T[2] - F[2] * T[1], F[2] * T[0] - F[0] * T[2], F[0] * T[1] - F[1] * T[0]};
    const double nf = std::sqrt(F[0] * F[0] + F[1] * F[1] + F[2] * F[2]);
    EXPECT_LE(std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]) / nf, 1e-4) << k;
  }
}

TEST_F(MasqueGrenzzustand, SolverCallMapping) {
  // The thin-walled solver's call: unit moment about y', tolerance 1e-6, 100 iterations.
  const double T[4] = {0, 1, 0, 0};
  GRENZZUSTAND r{};
  r.ebene = DEHNUNGSEBENE{kPi / 2.0, 0.0, 0.01, 0.0};  // solver mode 0
  ASSERT_EQ(Calc_Masque_Grenzzustand(mask_, T, 23.5, &kTol, &r, MASQUE_GZ_START_EBENE), 1);
  EXPECT_NEAR(r.F[1], 117.49782, 117.5e-3);
  EXPECT_NEAR(r.F[1], r.lambda, 1e-6 * r.lambda);
  GRENZZUSTAND s{};
  ASSERT_EQ(Calc_Masque_Grenzzustand(mask_, T, 23.5, &kTol, &s, 0), 1);  // solver mode 1
  EXPECT_NEAR(s.F[1], r.F[1], 117.5e-3);
}

TEST_F(MasqueGrenzzustand, DirectOnlyWithNegativeLambdaFails) {
  // Started from the plane of the opposite moment the direct solve stops at once with
  // λ < 0: that is no limit state of T.
  const double T[4] = {0, 0, 1, 0};
  GRENZZUSTAND r{};
  r.ebene = DEHNUNGSEBENE{0.0, 0.0, 1500.0, 0.0};
  EXPECT_EQ(Calc_Masque_Grenzzustand(mask_, T, 1.0, &kTol, &r, MASQUE_GZ_START_EBENE | MASQUE_GZ_NUR_DIREKT), 0);
  EXPECT_LT(r.lambda, 0.0);
  // Without the restriction the later stages find it.
  r.ebene = DEHNUNGSEBENE{0.0, 0.0, 1500.0, 0.0};
  ASSERT_EQ(Calc_Masque_Grenzzustand(mask_, T, 1.0, &kTol, &r, MASQUE_GZ_START_EBENE), 1);
  EXPECT_NEAR(r.lambda, 234.99564, 0.235);
}

TEST_F(MasqueGrenzzustand, NullArgumentsWriteNothing) {
  const double T[4] = {0, 0, 1, 0};
  GRENZZUSTAND r{};
  r.lambda = 7.0;
  EXPECT_EQ(Calc_Masque_Grenzzustand(nullptr, T, 1.0, nullptr, &r, 0), 0);
  EXPECT_EQ(Calc_Masque_Grenzzustand(mask_, nullptr, 1.0, nullptr, &r, 0), 0);
  EXPECT_EQ(Calc_Masque_Grenzzustand(mask_, T, 1.0, nullptr, nullptr, 0), 0);
  EXPECT_EQ(r.lambda, 7.0);
}

TEST_F(MasqueGrenzzustand, StateIsRestored) {
  Set_Masque_Frame(mask_, 0.01, 0.0, 0.1, 0);
  Update_Masque_Querschnitt(mask_, 0);
  Set_Masque_Calc_Mode(0x40);
  const double f[4] = {1, 1, 1, 1};
  Set_Masque_Result_Factors(f);
  const MASQUE_KNOTEN node = *Get_Masque_Knoten(mask_, 2);
  const unsigned flags = mask_->flags;
  const double T[4] = {-0.3, 0.2, 0.5, 0};
  GRENZZUSTAND r{};
  ASSERT_EQ(Calc_Masque_Grenzzustand(mask_, T, 1.0, &kTol, &r, 0), 1);
  GLEICHGEWICHTSLAGE q{};
  const double P[4] = {-1000, 10, 40, 0};
  ASSERT_EQ(Calc_Masque_Gleichgewicht(mask_, P, 1.0, &kTol, &q, 0), 1);
  EXPECT_EQ(mask_->frame[2], 0.1);
  EXPECT_EQ(mask_->flags, flags);
  EXPECT_EQ(Get_Masque_Knoten(mask_, 2)->y_lokal, node.y_lokal);
  EXPECT_EQ(Get_Masque_Calc_Mode(), 0x40u);
  EXPECT_EQ(Get_Masque_Result_Factors(nullptr), 1);
  EXPECT_EQ(Get_Masque_Linienebene_Faktor(), 1.0);
}

TEST_F(MasqueGrenzzustand, EquilibriumPlane) {
  // The rectangle about the origin and moved off it: the solves work about its centroid.
  MASQUE *moved = Create_Masque_Querschnitt(1, 0);
  AddRect(moved, AddLine(moved), 0.05, 0.25, 0.02, 0.12);
  ASSERT_EQ(Update_Masque_Querschnitt(moved, 0), 1);
  const double T[4] = {-0.5, 0.2, 0.6, 0};
  GRENZZUSTAND r{};
  ASSERT_EQ(Calc_Masque_Grenzzustand(moved, T, 1.0, &kTol, &r, 0), 1);  // first: no solve before
  const double *F = r.F, c[3] = {F[1] * T[2] - F[2] * T[1], F[2] * T[0] - F[0] * T[2], F[0] * T[1] - F[1] * T[0]};
  EXPECT_LE(std::hypot(c[0], c[1], c[2]) / std::hypot(F[0], F[1], F[2]), 1e-4);
  EXPECT_GT(r.lambda, 0.0);
  for (MASQUE *m : {mask_, moved}) {
    const double P[4] = {-1000, 10, 40, 0};
    GLEICHGEWICHTSLAGE q{};
    ASSERT_EQ(Calc_Masque_Gleichgewicht(m, P, 1.0, &kTol, &q, 0), 1);
    EXPECT_EQ(q.zustand, 0);
    double F[4];
    ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(m, &q.ebene, 1.0, F), 1);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(F[i], P[i], 1e-3) << i;
  }
  Destroy_Masque_Querschnitt(moved);
  GLEICHGEWICHTSLAGE q{};
  // Forces beyond the limit have no equilibrium plane.
  const double Q[4] = {-5000, 0, 0, 0};
  EXPECT_EQ(Calc_Masque_Gleichgewicht(mask_, Q, 1.0, &kTol, &q, MASQUE_GZ_NUR_DIREKT), 0);
}

TEST_F(MasqueGrenzzustand, StrainDomainSolve) {
  const double T[4] = {0.3, 0.0, 1.0, 0.0};
  DEHNUNGSBEREICH_LAGE d{};
  ASSERT_EQ(Calc_Masque_Grenzrichtung(mask_, T, 1.0, &kTol, &d, 0), 1);
  EXPECT_EQ(d.zustand, 0);
  EXPECT_GT(d.lambda, 0.0);
  EXPECT_NEAR(d.F[1], 0.0, 1e-3);
  EXPECT_NEAR(d.F[0] / d.F[2], 0.3, 1e-4);
  EXPECT_GE(d.t, 0.0);
  EXPECT_LE(d.t, 33.0);
}

TEST_F(MasqueGrenzzustand, CountersCountWhileSwitchedOn) {
  Reset_Masque_Solver_Counts();
  EXPECT_EQ(Set_Masque_Solver_Counting(1), 0);
  GRENZZUSTAND r = Solve(-0.4, 0, 0.6);
  int ev = 0, jac = 0;
  Get_Masque_Solver_Counts(&ev, &jac);
  EXPECT_GT(ev, 0);
  EXPECT_EQ(Set_Masque_Solver_Counting(0), 1);
  Solve(0.4, 0, 0.6);
  int ev2 = 0;
  Get_Masque_Solver_Counts(&ev2, nullptr);
  EXPECT_EQ(ev2, ev);
  (void)r;
}

TEST_F(MasqueGrenzzustand, DehnungBeiwert) {
  const DEHNUNGSEBENE p{0, 0, 30, 0};  // largest strain 3 per mille
  double out = 0.0;
  EXPECT_EQ(Get_Masque_Dehnung_Beiwert(mask_, &p, 1.5, &out, nullptr), 1);
  EXPECT_EQ(out, 1.5);
  EXPECT_EQ(Get_Masque_Dehnung_Beiwert(mask_, &p, 0.0, &out, nullptr), 1);
  EXPECT_NEAR(out, 2.1 - 7.0 / 60.0 * 3.0, 1e-12);
  const DEHNUNGSEBENE q{0, 0, 1000, 0};
  Get_Masque_Dehnung_Beiwert(mask_, &q, 0.0, &out, nullptr);
  EXPECT_EQ(out, 1.75);
  EXPECT_EQ(Get_Masque_Dehnung_Beiwert(nullptr, &q, 0.0, &out, nullptr), 0);
}

TEST_F(MasqueGrenzzustand, CompressionNeedsLoadStepping) {
  // The direct solve alone lands on the opposite, tensile limit (λ < 0): with mode 0x2
  // that is a failure; the uniform compression limit comes from load stepping.
  const double T[4] = {-1, 0, 0, 0};
  GRENZZUSTAND r{};
  EXPECT_EQ(Calc_Masque_Grenzzustand(mask_, T, 1.0, &kTol, &r, MASQUE_GZ_NUR_DIREKT), 0);
  EXPECT_LT(r.lambda, 0.0);
  ASSERT_EQ(Calc_Masque_Grenzzustand(mask_, T, 1.0, &kTol, &r, MASQUE_GZ_OHNE_BEREICH), 1);
  EXPECT_NEAR(r.lambda, 4700.0, 4700 * 1e-5);
  EXPECT_EQ(r.wort, 0);
  EXPECT_NEAR(r.ebene.eps0, -150.0, 150 * 1e-5);
}

TEST_F(MasqueGrenzzustand, StepLimitOfTheStrainDomainSolve) {
  double p[2] = {3.0, 0.0};
  Masque_Test_Step_Limit(1.0, 0.0, p);  // s = 0.5 near t = 0
  EXPECT_NEAR(p[0], 0.5, 1e-12);
  p[0] = 3.0;
  Masque_Test_Step_Limit(10.0, 0.0, p);  // s = 2
  EXPECT_NEAR(p[0], 2.0, 1e-12);
  p[0] = 0.0, p[1] = 0.7;
  Masque_Test_Step_Limit(31.5, 2.0, p);  // phi by at most 0.35
  EXPECT_NEAR(p[1], 0.35, 1e-12);
  p[0] = 0.1, p[1] = 0.1;
  Masque_Test_Step_Limit(16.0, 0.0, p);  // small steps stay
  EXPECT_EQ(p[0], 0.1);
  EXPECT_EQ(p[1], 0.1);
}

TEST_F(MasqueGrenzzustand, TargetBasis) {
  double B[3][4];
  const double T[4] = {-2, 0, 0, 0};
  Masque_Test_Zielbasis(T, B);
  // a is the F4 axis; b and c span the moment plane.
  EXPECT_EQ(B[0][3], 1.0);
  for (int k = 1; k < 3; ++k) {
    EXPECT_EQ(B[k][0], 0.0);
    EXPECT_EQ(B[k][3], 0.0);
  }
  const double U[4] = {0.3, -0.5, 0.8, 0.1};
  Masque_Test_Zielbasis(U, B);
  const double n = std::sqrt(0.09 + 0.25 + 0.64 + 0.01);
  for (int k = 0; k < 3; ++k) {
    double d = 0.0;
    for (int i = 0; i < 4; ++i) d += B[k][i] * U[i] / n;
    EXPECT_NEAR(d, 0.0, 1e-14);
    for (int l = 0; l < 3; ++l) {
      double e = 0.0;
      for (int i = 0; i < 4; ++i) e += B[k][i] * B[l][i];
      EXPECT_NEAR(e, k == l ? 1.0 : 0.0, 1e-14);
    }
  }
}

TEST_F(MasqueGrenzzustand, LoadFactorSearch) {
  // Groups with the load-factor switch: the limit moment grows with the factor x.
  Get_Masque_Gruppe(mask_, 0)->gewicht = MASQUE_GEWICHT{1, 1.0};
  const double T[4] = {0, 0, 1, 0};
  const double range[4] = {0.1, 2.0, 0.0, 117.5};
  GRENZZUSTAND_FAKTOR r{};
  ASSERT_EQ(Calc_Masque_Grenzfaktor(mask_, T, range, &kTol, &r), 1);
  EXPECT_EQ(r.status, 0);
  EXPECT_NEAR(r.faktor, 117.5 / 234.99564, 1e-3);
  EXPECT_NEAR(r.grenz.lambda / 117.5, 1.0, 1e-3);
  // Out of reach within the range.
  const double high[4] = {0.1, 2.0, 0.0, 1000.0};
  EXPECT_EQ(Calc_Masque_Grenzfaktor(mask_, T, high, &kTol, &r), 0);
  EXPECT_EQ(r.status, 2);
}

TEST_F(MasqueGrenzzustand, WarpingTargetsMatchAllFourComponents) {
  // I section whose flanges carry opposite initial strain planes (warping): the limit
  // state must match the bimoment-like F4 too, so the strain-domain solve, which knows
  // only (N, My, Mz), must not end the search.
  MASQUE *I = SteelISection();
  Set_Masque_Calc_Mode(MASQUE_MODE_VORDEHNUNG);
  const MASQUE_CALC_OPTIONS opt{MASQUE_OPTION_VORDEHNUNG, 0, 0.0};
  Set_Masque_Calc_Options(I, &opt);
  const MASQUE_VORDEHNUNG top{0.0, 0.0, 20.0, MASQUE_VORDEHNUNG_AKTIV, 0};
  const MASQUE_VORDEHNUNG bottom{0.0, 0.0, -20.0, MASQUE_VORDEHNUNG_AKTIV, 0};
  Set_Masque_Gruppe_Vordehnung(Get_Masque_Gruppe(I, 0), &top);
  Set_Masque_Gruppe_Vordehnung(Get_Masque_Gruppe(I, 2), &bottom);
  ASSERT_EQ(Update_Masque_Querschnitt(I, MASQUE_VORDEHNUNG_GESCANNT), 1);
  ASSERT_EQ(Masque_Uses_Vordehnung(I), 1);
  std::mt19937 rng(17);
  std::normal_distribution<double> normal;
  for (int k = 0; k < 20; ++k) {
    const double T[4] = {normal(rng), normal(rng), normal(rng), 0.3 * normal(rng)};
    GRENZZUSTAND r{};
    ASSERT_EQ(Calc_Masque_Grenzzustand(I, T, 1.0, &kTol, &r, 0), 1) << k;
    double tt = 0, ff = 0, tf = 0;
    for (int i = 0; i < 4; ++i) tt += T[i] * T[i], ff += r.F[i] * r.F[i], tf += T[i] * r.F[i];
    const double c = tf / std::sqrt(tt * ff);
    EXPECT_LE(std::sqrt(std::fmax(0.0, 1.0 - c * c)), 1e-4) << k;
    EXPECT_GT(r.lambda, 0.0);
    EXPECT_NEAR(r.verhaeltnis, 1.0, 1e-3);
  }
  Destroy_Masque_Querschnitt(I);
}

TEST_F(MasqueGrenzzustand, UnreachableFourComponentTargetFails) {
  // One group: F4 = 20 F1 − 10 F2 for every plane, so T = (0, 0, 1, 5) has no limit
  // state. The strain-domain solve, blind to F4, must not report one.
  Set_Masque_Calc_Mode(MASQUE_MODE_VORDEHNUNG);
  const MASQUE_CALC_OPTIONS opt{MASQUE_OPTION_VORDEHNUNG, 0, 0.0};
  Set_Masque_Calc_Options(mask_, &opt);
  const MASQUE_VORDEHNUNG v{0.0, 10.0, 20.0, MASQUE_VORDEHNUNG_AKTIV, 0};
  Set_Masque_Gruppe_Vordehnung(Get_Masque_Gruppe(mask_, 0), &v);
  ASSERT_EQ(Update_Masque_Querschnitt(mask_, MASQUE_VORDEHNUNG_GESCANNT), 1);
  const double T[4] = {0.0, 0.0, 1.0, 5.0};
  GRENZZUSTAND r{};
  EXPECT_EQ(Calc_Masque_Grenzzustand(mask_, T, 1.0, &kTol, &r, 0), 0);
}

TEST_F(MasqueGrenzzustand, TargetRatioBelowOne) {
  // Half the limit strains: the plane's largest strain ratio is 0.5 whichever stage ends.
  const double targets[2][4] = {{0.3, 0.0, 1.0, 0.0}, {-1.0, 0.2, 0.1, 0.0}};
  for (const double *T : targets) {
    GRENZZUSTAND r{};
    ASSERT_EQ(Calc_Masque_Grenzzustand_Scaled(mask_, T, 1.0, &kTol, &r, 0, 0.5), 1);
    double q[3];
    ASSERT_EQ(Get_Masque_Grenzdehnung_Ratios(mask_, &r.ebene, q), 1);
    EXPECT_NEAR(q[2], 0.5, 0.01);
    EXPECT_GT(r.lambda, 0.0);
  }
}

}  // namespace
