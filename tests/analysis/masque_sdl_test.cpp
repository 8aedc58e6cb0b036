// Stress-strain laws of the mask: the bilinear steel law, the prepared segment laws of the
// built-in and user lines at their corner strains, the segment kinds, strain planes,
// result factors and the stress at a point of a group. Units: per mille, kN/m², metres.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "analysis/masque.h"
#include "host/host.h"

namespace {

constexpr double kPi = std::numbers::pi;

class MasqueLaws : public ::testing::Test {
 protected:
  void SetUp() override { Reset_Masque_Module_For_Tests(); }
  void TearDown() override { Reset_Masque_Module_For_Tests(); }

  // A line prepared with the given options; owned by the fixture.
  SPANNUNGSDEHNUNGSLINIE *Prepared(unsigned typ, const double *params, const MASQUE_CALC_OPTIONS *opt = nullptr) {
    SPANNUNGSDEHNUNGSLINIE *line = Create_Masque_Spannungsdehnungslinie(1, typ, "test", params);
    EXPECT_EQ(Prepare_Masque_Spannungsdehnungslinie(line, opt), 1);
    lines_.push_back(line);
    return line;
  }
  SPANNUNGSDEHNUNGSLINIE *Builtin(const char *name) {
    SPANNUNGSDEHNUNGSLINIE *line = Clone_Masque_Spannungsdehnungslinie(Find_Builtin_Spannungsdehnungslinie(name));
    EXPECT_EQ(Prepare_Masque_Spannungsdehnungslinie(line, nullptr), 1);
    lines_.push_back(line);
    return line;
  }
  ~MasqueLaws() override {
    for (SPANNUNGSDEHNUNGSLINIE *l : lines_) Destroy_Masque_Spannungsdehnungslinie(l);
  }
  std::vector<SPANNUNGSDEHNUNGSLINIE *> lines_;
};

// Stress and tangent of a prepared line at eps (0 where no segment serves it).
double Sigma(const SPANNUNGSDEHNUNGSLINIE *line, double eps, double *tangent = nullptr) {
  if (tangent) *tangent = 0.0;
  const int i = Find_SDL_Abschnitt(&line->arbeitsform, eps);
  if (i < 0) return 0.0;
  return Calc_SDL_Abschnitt_Spannung(&line->arbeitsform.abschnitt[i], eps, tangent);
}

TEST_F(MasqueLaws, SteelLawExamples) {
  double b[SDL_PARAMETER];
  ASSERT_EQ(Fill_Stahl_Spannungsdehnungslinie(210000, 235, 0, 0, b), 1);
  EXPECT_EQ(b[SDL_EPS_U], 150.0);
  EXPECT_NEAR(b[SDL_EPS_Z], 235000.0 / 210000.0, 1e-15);
  EXPECT_NEAR(b[SDL_EPS_D], -1.1190476190476191, 1e-15);
  EXPECT_NEAR(b[SDL_BETA_D], 235000.0, 1e-9);
  EXPECT_EQ(b[SDL_BETA_D], b[SDL_BETA_Z]);
  EXPECT_EQ(b[SDL_EXPONENT], 1.0);
  EXPECT_EQ(b[SDL_STEIGUNG], 0.0);
  EXPECT_EQ(b[SDL_EPS_V], 0.0);

  // Too soft to reach fy within epsu: the modulus is raised, the kink lies at epsu.
  ASSERT_EQ(Fill_Stahl_Spannungsdehnungslinie(1000, 235, 10, 0, b), 1);
  EXPECT_NEAR(b[SDL_EPS_Z], 10.0, 1e-12);
  EXPECT_NEAR(b[SDL_BETA_Z] / b[SDL_EPS_Z], 23500.0, 1e-9);

  // With hardening the line passes through (k, E k) and reaches F at epsu.
  for (double s : {100.0, 1000.0, 1566.0}) {
    ASSERT_EQ(Fill_Stahl_Spannungsdehnungslinie(210000, 235, 150, s, b), 1);
    const double k = b[SDL_EPS_Z];
    EXPECT_NEAR(b[SDL_BETA_Z], 210000 * k, 1e-6);
    EXPECT_NEAR(b[SDL_BETA_Z] + (150 - k) * b[SDL_STEIGUNG], 235000.0, 1e-6) << s;
  }
  // A slope steeper than the secant would give a negative kink: the law is the secant.
  ASSERT_EQ(Fill_Stahl_Spannungsdehnungslinie(210000, 235, 150, 1e9, b), 1);
  EXPECT_GE(b[SDL_EPS_Z], 0.0);
  EXPECT_GE(b[SDL_BETA_Z], 0.0);
  EXPECT_NEAR(b[SDL_BETA_Z] + (150 - b[SDL_EPS_Z]) * b[SDL_STEIGUNG], 235000.0, 1e-6);

  EXPECT_EQ(Fill_Stahl_Spannungsdehnungslinie(210000, 235, 150, 0, nullptr), 0);
  EXPECT_EQ(Fill_Stahl_Spannungsdehnungslinie(0, 0, 150, 0, b), 0);
  EXPECT_EQ(b[SDL_BETA_D], 0.0);
}

// Built-in lines at their corner strains: the parabola-rectangle law of EN 1992-1-1, 3.1.7,
// σ = -fcd (1 - (1 - ε/εc2)^n) (B25: fcd 17.5 N/mm², εc2 -2, n 2, three segments; C100/115
// of DIN 1045-1 Table 9: 30 N/mm², -2.2, n 1.55), and bilinear DIN 488 reinforcing steel.
TEST_F(MasqueLaws, BuiltinLinesAtTheirCorners) {
  constexpr double kAny = -1e300;  // tangent not checked
  const double fb = 500000.0 / 2.381, c100 = 30000.0;
  auto pr = [&](double eps) { return -c100 * (1.0 - std::pow(1.0 - eps / -2.2, 1.55)); };
  const struct {
    const char *name;
    double eps, sigma, tangent;
  } rows[] = {
      {"B25", -2.0, -17500.0, 0.0},   {"B25", -1.0, -13125.0, 8750.0},
      {"B25", 0.0, 0.0, 17500.0},     {"B25", -3.5, -17500.0, kAny},  // tangent 2 fcd / εc2 at 0
      {"B25", -20.0, -17500.0, kAny}, {"B25", 1.0, 0.0, 0.0},  // the first segment serves all below
      {"B25", 1e30, 0.0, kAny},
      {"C100/115", -0.2, pr(-0.2), kAny}, {"C100/115", -1.1, pr(-1.1), kAny}, {"C100/115", -2.0, pr(-2.0), kAny},
      {"C100/115", -2.2, -c100, kAny},
      {"BSt 500 S", -2.381, -500000.0, kAny}, {"BSt 500 S", -7.0, -500000.0, kAny}, {"BSt 500 S", 1.0, fb, fb},
      {"BSt 500 S", 2.381, 500000.0, kAny},   {"BSt 500 S", 5.0, 500000.0, kAny},  {"BSt 500 S", 50.0, 500000.0, kAny},
  };
  for (const auto &r : rows) {
    const SPANNUNGSDEHNUNGSLINIE *line = Builtin(r.name);
    double t = 0;
    EXPECT_NEAR(Sigma(line, r.eps, &t), r.sigma, 1e-9) << r.name << " at " << r.eps;
    EXPECT_TRUE(r.tangent == kAny || std::fabs(t - r.tangent) <= 1e-9) << r.name << " at " << r.eps << ": " << t;
  }
  EXPECT_EQ(Builtin("B25")->arbeitsform.anzahl, 3);
  EXPECT_EQ(Builtin("BSt 500 S")->arbeitsform.anzahl, 3);
}

// Structural steel with hardening: bilinear, odd in the strain, constant beyond the limit.
TEST_F(MasqueLaws, StructuralSteelIsBilinear) {
  double law[SDL_PARAMETER], t = 0;
  Fill_Stahl_Spannungsdehnungslinie(210000, 235, 150, 1000, law);
  const SPANNUNGSDEHNUNGSLINIE *s = Prepared(2, law);
  const double k = law[SDL_EPS_Z];
  for (double eps : {0.3, k, 20.0, 150.0}) {
    const double expect = eps <= k ? 210000 * eps : 210000 * k + 1000 * (eps - k);
    EXPECT_NEAR(Sigma(s, eps), expect, 1e-6) << eps;
    EXPECT_NEAR(Sigma(s, -eps), -expect, 1e-6) << eps;
  }
  EXPECT_NEAR(Sigma(s, 300.0, &t), 235000.0, 1e-6);  // constant beyond the limit strain
  EXPECT_EQ(t, 0.0);
  EXPECT_NEAR(Sigma(s, 100.0, &t), 210000 * k + 1000 * (100 - k), 1e-6);
  EXPECT_NEAR(t, 1000.0, 1e-9);
}

TEST_F(MasqueLaws, OptionSlopeBeyondTheLimitsAndItsSwitches) {
  double law[SDL_PARAMETER];
  Fill_Stahl_Spannungsdehnungslinie(210000, 235, 150, 0, law);
  MASQUE_CALC_OPTIONS opt{MASQUE_OPTION_WERT, 0, 0.001};
  const SPANNUNGSDEHNUNGSLINIE *s = Prepared(2, law, &opt);
  const double g = 0.001 * 2 * law[SDL_BETA_Z] / (2 * law[SDL_EPS_Z]);  // 0.001 E
  EXPECT_NEAR(g, 210.0, 1e-9);
  EXPECT_NEAR(Sigma(s, 160.0), 235000.0 + 10 * g, 1e-6);
  EXPECT_NEAR(Sigma(s, -160.0), -235000.0 - 10 * g, 1e-6);
  EXPECT_NEAR(Sigma(s, 100.0), 235000.0, 1e-6);

  opt.flags |= MASQUE_OPTION_NICHT_SYMM;  // not for symmetric lines
  const SPANNUNGSDEHNUNGSLINIE *off = Prepared(2, law, &opt);
  EXPECT_NEAR(Sigma(off, 160.0), 235000.0, 1e-6);
  EXPECT_NEAR(Sigma(off, -160.0), -235000.0, 1e-6);
  opt = {MASQUE_OPTION_WERT, 0, 0.0};  // a value of 0 adds nothing
  EXPECT_NEAR(Sigma(Prepared(2, law, &opt), 160.0), 235000.0, 1e-6);
}

TEST_F(MasqueLaws, OwnPlaneAndRigidPlasticLaw) {
  double p[SDL_PARAMETER] = {20000, 2000, -2, 0.1, -3.5, 0.5, 2, 0, 0.1, 0.3};
  const SPANNUNGSDEHNUNGSLINIE *l = Prepared(1, p);
  EXPECT_EQ(l->arbeitsform.eigen.phi, 0.3);
  EXPECT_EQ(l->arbeitsform.eigen.eps0, 0.5);
  EXPECT_EQ(l->arbeitsform.eigen.kappa, 0.1);
  const MASQUE_CALC_OPTIONS opt{MASQUE_OPTION_OHNE_EIGEN, 0, 0};
  const SPANNUNGSDEHNUNGSLINIE *cleared = Prepared(1, p, &opt);
  EXPECT_EQ(cleared->arbeitsform.eigen.eps0, 0.0);
  EXPECT_EQ(cleared->arbeitsform.eigen.kappa, 0.0);
  EXPECT_EQ(cleared->arbeitsform.eigen.phi, 0.0);

  // A compression-limited line with a tension branch: linear to epsZ, nothing beyond.
  EXPECT_NEAR(Sigma(l, 0.05), 1000.0, 1e-9);
  EXPECT_EQ(Sigma(l, 0.2), 0.0);

  p[SDL_EXPONENT] = 10000;
  const SPANNUNGSDEHNUNGSLINIE *rp = Prepared(2, p);
  EXPECT_EQ(rp->arbeitsform.anzahl, 2);
  double t = 1;
  EXPECT_EQ(Sigma(rp, -1e-3, &t), -20000.0);
  EXPECT_EQ(t, 0.0);
  EXPECT_EQ(Sigma(rp, 0.0), -20000.0);  // the bound belongs to the lower segment
  EXPECT_EQ(Sigma(rp, 1e-3), 2000.0);
  EXPECT_EQ(Sigma(rp, 1e6), 2000.0);
}

// Steel with hardening (function numbers 5 and 6): continuous, tangent E at the end of
// the elastic range, the ultimate strength reached with slope 0, odd in the strain.
TEST_F(MasqueLaws, HardeningSteelIsContinuousAndMeetsItsCorners) {
  const double fy = 235000, ft = 360000, E = 210000, et = 20, es = 50, eu = 100;
  const double p[SDL_PARAMETER] = {ft, fy, et, es, eu, 0, 0, E, 0, 0};
  const SPANNUNGSDEHNUNGSLINIE *s5 = Prepared((5u << 24) | 2, p);
  const SPANNUNGSDEHNUNGSLINIE *s6 = Prepared((6u << 24) | 2, p);
  EXPECT_LE(s5->arbeitsform.anzahl, SDL_MAX_ABSCHNITTE);
  const double ey = fy / E;
  double t = 0;
  for (const SPANNUNGSDEHNUNGSLINIE *s : {s5, s6}) {
    EXPECT_NEAR(Sigma(s, ey, &t), fy, 1e-6);
    EXPECT_NEAR(t, E, 1e-6 * E);
    EXPECT_NEAR(Sigma(s, ey + 1e-9, &t), fy, 1e-3);
    EXPECT_NEAR(t, E, 1e-4 * E);  // the arc leaves the elastic line tangentially
    EXPECT_NEAR(Sigma(s, et, &t), ft, 1e-6);
    EXPECT_NEAR(t, 0.0, 1e-6);
    EXPECT_NEAR(Sigma(s, 35.0), ft, 1e-6);
    // No jumps anywhere: neighbouring strains differ by little more than E · step.
    double previous = Sigma(s, -130.0);
    for (double eps = -130.0 + 0.01; eps <= 130.0; eps += 0.01) {
      const double now = Sigma(s, eps);
      ASSERT_LE(std::fabs(now - previous), 1.01 * E * 0.01) << eps;
      EXPECT_NEAR(Sigma(s, -eps), -now, 1e-6);
      previous = now;
    }
  }
  EXPECT_NEAR(Sigma(s5, 100.0), ft, 1e-6);
  EXPECT_NEAR(Sigma(s5, 150.0), ft, 1e-6);
  EXPECT_NEAR(Sigma(s6, 75.0), ft / 2, 1e-6);  // linear descent to 0 at epsu
  EXPECT_EQ(Sigma(s6, 150.0), 0.0);

  // A negative exponent lowers the compression side by its value.
  double q[SDL_PARAMETER] = {ft, fy, et, es, eu, 0, -10000, E, 0, 0};
  const SPANNUNGSDEHNUNGSLINIE *low = Prepared((5u << 24) | 2, q);
  EXPECT_NEAR(Sigma(low, -ey), -(fy - 10000), 1e-6);
  EXPECT_NEAR(Sigma(low, -et), -(ft - 10000), 1e-6);
  EXPECT_NEAR(Sigma(low, et), ft, 1e-6);
}

TEST_F(MasqueLaws, SegmentKindsAndTheirTangents) {
  auto seg = [](int kind, double p) {
    SDL_ABSCHNITT s{};
    s.kind = kind;
    s.lo = 0.5;
    s.hi = 10;
    s.s0 = 3.0;
    s.s1 = -2.0;
    s.q = 0.25;
    s.p = p;
    return s;
  };
  double t = 0;
  // Kind 2 at xi = 1.5 is not capped; kind 3 with p = 2 at xi = 0.5.
  SDL_ABSCHNITT s2 = seg(2, 0);
  EXPECT_NEAR(Calc_SDL_Abschnitt_Spannung(&s2, 0.5 + 1.5 / 0.25, &t), 3.0 + 0.75 * -2.0, 1e-12);
  EXPECT_NEAR(t, 2.0 * 0.25, 1e-12);  // -s1 q
  SDL_ABSCHNITT s3 = seg(3, 2);
  EXPECT_NEAR(Calc_SDL_Abschnitt_Spannung(&s3, 0.5 + 0.5 / 0.25, &t), 3.0 + 0.75 * -2.0, 1e-12);
  EXPECT_NEAR(t, -2.0 * 0.25, 1e-12);
  // Kinds 3 to 6 (and above) stop at xi = 1: stress s0 + s1, tangent 0.
  for (int kind : {3, 4, 5, 6, 9}) {
    SDL_ABSCHNITT s = seg(kind, 2.5);
    EXPECT_NEAR(Calc_SDL_Abschnitt_Spannung(&s, 0.5 + 1.7 / 0.25, &t), 1.0, 1e-12) << kind;
    EXPECT_EQ(t, 0.0);
  }
  SDL_ABSCHNITT neutral = seg(-1, 0);
  EXPECT_EQ(Calc_SDL_Abschnitt_Spannung(&neutral, 2.0, &t), 0.0);
  EXPECT_EQ(t, 0.0);
  // Inside (0, 1) every tangent is the derivative of its stress.
  for (int kind : {1, 2, 3, 4, 5, 6, 7}) {
    for (double p : {1.55, 2.0, 3.0}) {
      SDL_ABSCHNITT s = seg(kind, p);
      for (double xi : {0.1, 0.4, 0.8}) {
        const double eps = 0.5 + xi / 0.25, h = 1e-6;
        Calc_SDL_Abschnitt_Spannung(&s, eps, &t);
        const double d = (Calc_SDL_Abschnitt_Spannung(&s, eps + h, nullptr) -
                          Calc_SDL_Abschnitt_Spannung(&s, eps - h, nullptr)) / (2 * h);
        EXPECT_NEAR(t, d, 1e-7) << kind << " " << p << " " << xi;
      }
    }
  }
  // A strain at a bound belongs to the lower segment; above the last bound, none.
  SDL_ARBEITSFORM form{};
  form.anzahl = 2;
  form.abschnitt[0] = seg(0, 0);
  form.abschnitt[0].hi = 1.0;
  form.abschnitt[1] = seg(1, 0);
  form.abschnitt[1].hi = 2.0;
  EXPECT_EQ(Find_SDL_Abschnitt(&form, 1.0), 0);
  EXPECT_EQ(Find_SDL_Abschnitt(&form, -50.0), 0);
  EXPECT_EQ(Find_SDL_Abschnitt(&form, 1.5), 1);
  EXPECT_EQ(Find_SDL_Abschnitt(&form, 2.0 + 1e-12), -1);
}

TEST_F(MasqueLaws, StrainPlaneForms) {
  DEHNUNGSEBENE p{};
  const DEHNUNGSEBENE_KARTESISCH k{1, 0, -1, 0};
  ASSERT_EQ(Dehnungsebene_to_Polar(&k, &p), 1);
  EXPECT_NEAR(p.phi, 3 * kPi / 2, 1e-15);
  EXPECT_EQ(p.kappa, 1.0);
  EXPECT_EQ(p.eps0, 1.0);
  const DEHNUNGSEBENE q{3 * kPi / 2, 1, 1, 0};
  DEHNUNGSEBENE sum{};
  ASSERT_EQ(Add_Dehnungsebenen(&q, nullptr, &sum), 1);
  EXPECT_NEAR(sum.phi, -kPi / 2, 1e-15);
  EXPECT_NEAR(sum.kappa, 1.0, 1e-15);
  EXPECT_EQ(Add_Dehnungsebenen(nullptr, nullptr, nullptr), 0);
  const DEHNUNGSEBENE_KARTESISCH flat{2, 0, 0, 1};
  Dehnungsebene_to_Polar(&flat, &p);
  EXPECT_EQ(p.phi, 0.0);
  EXPECT_EQ(p.x3, 1.0);
  Scaled_Dehnungsebene_to_Polar(&k, 2.0, &p);  // −2 (1, 0, −1): gradient (0, 2)
  EXPECT_NEAR(p.phi, kPi / 2, 1e-15);
  EXPECT_EQ(p.kappa, 2.0);
  EXPECT_EQ(p.eps0, -2.0);

  // Transforming a plane into a frame keeps the strain of every point.
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> u(-1, 1);
  for (int n = 0; n < 50; ++n) {
    const DEHNUNGSEBENE e{3 * u(rng), u(rng), 10 * std::fabs(u(rng)), 0};
    const double y0 = u(rng), z0 = u(rng), th = 3 * u(rng), y = u(rng), z = u(rng);
    const double c = std::cos(th), s = std::sin(th);
    const double yl = c * (y - y0) + s * (z - z0), zl = c * (z - z0) - s * (y - y0);
    DEHNUNGSEBENE t{};
    Transform_Dehnungsebene(&e, y0, z0, th, &t, 0);
    const double global = e.eps0 + e.kappa * (y * std::cos(e.phi) + z * std::sin(e.phi));
    EXPECT_NEAR(t.eps0 + t.kappa * (yl * std::cos(t.phi) + zl * std::sin(t.phi)), global, 1e-12);
    // The same frame handed over inverted gives the same plane.
    double inv[3];
    const double frame[3] = {y0, z0, th};
    Invert_Masque_Frame(frame, inv, 1);
    DEHNUNGSEBENE t2{};
    Transform_Dehnungsebene_by_Frame(&e, inv, &t2, 1);
    EXPECT_NEAR(t2.eps0, t.eps0, 1e-12);
    EXPECT_NEAR(t2.phi, t.phi, 1e-12);
    DEHNUNGSEBENE_KARTESISCH kk{};
    DEHNUNGSEBENE back{};
    Dehnungsebene_to_Cartesian(&e, &kk);
    Dehnungsebene_to_Polar(&kk, &back);
    EXPECT_NEAR(std::cos(back.phi), std::cos(e.phi), 1e-12);
    EXPECT_NEAR(std::sin(back.phi), std::sin(e.phi), 1e-12);
    EXPECT_NEAR(back.kappa, e.kappa, 1e-12);
  }
}

TEST_F(MasqueLaws, ResultFactorsAndModeWord) {
  double f[4] = {0, 0, 0, 0};
  EXPECT_EQ(Get_Masque_Result_Factors(nullptr), 0);
  const double set[4] = {2, 3, 4, 5};
  EXPECT_EQ(Set_Masque_Result_Factors(set), 1);
  EXPECT_NE(Get_Masque_Result_Factors(f), 0);
  EXPECT_EQ(f[3], 5.0);
  double v[4] = {1, 1, 1, 1};
  EXPECT_EQ(Apply_Masque_Result_Factors(v), 1);
  EXPECT_EQ(v[1], 3.0);
  EXPECT_EQ(Set_Masque_Result_Factors(nullptr), 1);
  EXPECT_EQ(Get_Masque_Result_Factors(f), 0);
  for (double x : f) EXPECT_EQ(x, 1.0);
  Apply_Masque_Result_Factors(v);
  EXPECT_EQ(v[1], 3.0);  // scaling off leaves the values
  EXPECT_EQ(Scale_Masque_Forces(v, nullptr), 0);
  EXPECT_EQ(Apply_Masque_Result_Factors(nullptr), 0);

  const MASQUE_VORDEHNUNG plane{0.1, 0.2, 0.3, MASQUE_VORDEHNUNG_AKTIV, 0};
  Set_Masque_Calc_Mode(0);
  EXPECT_EQ(Has_Gruppe_Vordehnung(&plane), 0);
  EXPECT_EQ(Get_Gruppe_Vordehnung_Value(&plane, 1, 1), 0.0);
  Set_Masque_Calc_Mode(MASQUE_MODE_VORDEHNUNG);
  EXPECT_EQ(Has_Gruppe_Vordehnung(&plane), 1);
  EXPECT_NEAR(Get_Gruppe_Vordehnung_Value(&plane, 1, 2), 0.1 + 0.2 + 0.6, 1e-15);
  const MASQUE_VORDEHNUNG inactive{0.1, 0.2, 0.3, 0, 0};
  EXPECT_EQ(Has_Gruppe_Vordehnung(&inactive), 0);
  const MASQUE_VORDEHNUNG zero{0, 0, 0, MASQUE_VORDEHNUNG_AKTIV, 0};
  EXPECT_EQ(Has_Gruppe_Vordehnung(&zero), 0);

  // Host_Reset brings the whole module state back to program start.
  Set_Masque_Result_Factors(set);
  Set_Masque_Linienebene_Faktor(0.5);
  Host_Reset();
  EXPECT_EQ(Get_Masque_Calc_Mode(), 0u);
  EXPECT_EQ(Get_Masque_Result_Factors(f), 0);
  EXPECT_EQ(f[0], 1.0);
  EXPECT_EQ(Get_Masque_Linienebene_Faktor(), 1.0);
}

TEST_F(MasqueLaws, PointStrainAddsTheOwnPlaneAndTakesOffTheGroupPlane) {
  double law[SDL_PARAMETER];
  Fill_Stahl_Spannungsdehnungslinie(210000, 235, 150, 0, law);
  law[SDL_EPS_V] = 0.1;  // the line's own plane: a constant 0.1 per mille
  SPANNUNGSDEHNUNGSLINIE *line = Prepared(2, law);
  MASQUE_GRUPPE *group = Create_Masque_Flaeche(1, line);
  Set_Masque_Calc_Mode(MASQUE_MODE_VORDEHNUNG);
  const MASQUE_VORDEHNUNG v{0.2, 0, 1.0, MASQUE_VORDEHNUNG_AKTIV, 0};
  ASSERT_EQ(Set_Masque_Gruppe_Vordehnung(group, &v), 1);
  Set_Masque_Calc_Mode(0);

  const DEHNUNGSEBENE plane{0, 0, 1.0, 2.0};  // 1 per mille per metre along y, x3 = 2
  double eps = 0, sigma = 0;
  Set_Masque_Linienebene_Faktor(3.0);
  ASSERT_EQ(Calc_Masque_Gruppe_Spannung(nullptr, group, &plane, 0.5, 0.1, &eps, &sigma), 1);
  const double expect = 0.5 + 3.0 * 0.1 - 2.0 * (0.2 + 0.1);
  EXPECT_NEAR(eps, expect, 1e-15);
  EXPECT_NEAR(sigma, 210000 * expect, 1e-9);
  // Without a group only the plane counts; no line, no stress.
  ASSERT_EQ(Calc_Masque_Gruppe_Spannung(nullptr, nullptr, &plane, 0.5, 0.1, &eps, &sigma), 1);
  EXPECT_EQ(eps, 0.5);
  EXPECT_EQ(sigma, 0.0);
  EXPECT_EQ(Calc_Masque_Gruppe_Spannung(nullptr, group, nullptr, 1, 1, nullptr, nullptr), 1);
  Destroy_Masque_Gruppe(group);
}

}  // namespace
