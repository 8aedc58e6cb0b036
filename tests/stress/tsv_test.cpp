// Partial internal forces method: closed forms of the plastic resistance of a flat bar
// (N-M interaction (N/N_pl)² + M/M_pl = 1), a thin tube (M/M_pl = cos(π/2 · N/N_pl)) and
// a doubly symmetric I (web zero line inside the web: M = M_pl − h_w N²/(4 N_pl,w)),
// the load-increase search, the plate models of the preparation and the print.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "host/host.h"
#include "print/print.h"
#include "stress/stress_methods.h"
#include "stress/tsv_internal.h"

namespace {

constexpr double kFy = 23.5;
const double kMat[2] = {kFy, kFy};

TSV_SECTION Flat() { return TSV_SECTION{0, TSV_MODE_FLAT, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 1}; }
TSV_SECTION Tube() { return TSV_SECTION{0, TSV_MODE_TUBE, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 20, 1}; }
// IPE 300 without radii as three plates (EN 10365: h 300, b 150, t_w 7.1, t_f 10.7 mm).
TSV_SECTION Ipe() {
  return TSV_SECTION{0, TSV_MODE_TWO_FLANGES, 0, 0, 0, 0, 0, 0, 0, 0, -14.465, 15, 1.07, 0, 14.465, 15, 1.07,
                     0, 0, 27.86, 0.71};
}

TSV_RESULT Method(const TSV_SECTION &s, std::initializer_list<double> f, int *ret = nullptr) {
  double forces[8] = {};
  std::copy(f.begin(), f.end(), forces);
  TSV_RESULT r;
  const int k = Calc_TSV_Teilschnittgroessen(forces, kMat, &s, &r);
  if (ret) *ret = k;
  return r;
}

// Rigid-plastic reference of a plate model without shear: strips of force capacity F (kN)
// spread evenly over [z1, z2] (cm; z1 == z2: a flange lumped at its centre line, as the method
// takes it). The admissible set of (N, M = ∫σ z) is the sum of the strips' sets; its support
// function h(a, b) = max (a N + b M) gives every limit by duality, whatever the plastic
// neutral axis.
struct Strip {
  double z1, z2, F;
};
double Support(const std::vector<Strip> &s, double a, double b) {
  double h = 0;
  for (const Strip &p : s) {
    const double g1 = a + b * p.z1, g2 = a + b * p.z2, L = p.z2 - p.z1;
    h += L * std::fabs(b) < 1e-12 ? p.F * std::fabs(a + b * p.z1) : p.F * (g2 * std::fabs(g2) - g1 * std::fabs(g1)) / (2 * b * L);
  }
  return h;
}
template <class F> double Min_Convex(F f, double lo, double hi) {
  for (int i = 0; i < 300; ++i) {
    const double a = lo + (hi - lo) / 3, b = hi - (hi - lo) / 3;
    if (f(a) < f(b)) hi = b; else lo = a;
  }
  return f(0.5 * (lo + hi));
}
// Largest (sign 1) or smallest (−1) M at N, N at M; the load factor of the ray (N, M).
double M_Limit(const std::vector<Strip> &s, double N, double sign) {
  return sign * Min_Convex([&](double a) { return Support(s, a, sign) - a * N; }, -1e3, 1e3);
}
double N_Limit(const std::vector<Strip> &s, double M, double sign) {
  return sign * Min_Convex([&](double b) { return Support(s, sign, b) - b * M; }, -1e3, 1e3);
}
double Factor(const std::vector<Strip> &s, double N, double M) {
  const double q = N * N + M * M;
  return Min_Convex([&](double t) { return Support(s, N / q - t * M, M / q + t * N); }, -1e3, 1e3);
}

std::string Printed(const TSV_RESULT &r) {
  Reset_Print_For_Tests();
  FILE *f = std::tmpfile();
  Print_TSV_Result(f, nullptr, &r);
  std::rewind(f);
  std::string s;
  for (int c; (c = std::fgetc(f)) != EOF;) s.push_back(char(c));
  std::fclose(f);
  return s;
}

}  // namespace

// Flat bar 10 × 1: N_pl = 235 kN, M_pl = 587.5 kNcm, M_pl,z = 58.75 kNcm.
TEST(TsvMethod, FlatBarInteractionIsExact) {
  for (double n : {0.0, 0.3, 0.7, 1.0}) {
    SCOPED_TRACE(n);
    const TSV_RESULT r = Method(Flat(), {-n * 235.0, 0, 0, 0, (1 - n * n) * 587.5});
    EXPECT_NEAR(r.U, 1.0, 1e-12);
    EXPECT_NEAR(r.U_N, n, 1e-12);
    EXPECT_EQ(r.flags, 0x148001Fu);
    EXPECT_NEAR(r.N_hi, 235.0, 1e-9);
  }
  EXPECT_NEAR(Method(Flat(), {0, 0, 0, 0, 0, 58.75}).U, 1.0, 1e-12);
  // The same bar standing the other way: the moments change their roles.
  TSV_SECTION s = Flat();
  std::swap(s.h_w, s.t_w);
  const TSV_RESULT turned = Method(s, {0, 0, 0, 0, 58.75});
  EXPECT_NEAR(turned.U, 1.0, 1e-12);
  EXPECT_NEAR(turned.U_My, 1.0, 1e-12);
  // N at a centroid off the plate's centre adds N e to the moments about it.
  s = Flat(), s.y_s = 0.5, s.z_s = -2;
  const TSV_RESULT e = Method(s, {-100, 0, 0, 0, 50});
  EXPECT_NEAR(e.M_y_s, 250, 1e-9);
  EXPECT_NEAR(e.M_Sa_o, 50, 1e-9);
  s.mode = TSV_MODE_TUBE, s.h_w = 20;
  EXPECT_NEAR(Method(s, {-100, 0, 0, 0, 50}).M_y_s, std::hypot(250, 50), 1e-9);
  // A bar 10 × 2: M_pl,z = f_y h t²/4 = 235 kNcm, (N/N_pl)² + M_z/M_pl,z = 1 at N 0.5 N_pl.
  s = Flat();
  s.t_w = 2;
  EXPECT_NEAR(Method(s, {0, 0, 0, 0, 0, 235}).U, 1.0, 1e-12);
  EXPECT_NEAR(Method(s, {-235, 0, 0, 0, 0, 0.75 * 235}).U, 1.0, 1e-12);
  std::swap(s.h_w, s.t_w);
  EXPECT_NEAR(Method(s, {235, 0, 0, 0, 0.75 * 235}).U, 1.0, 1e-12);
}

// IPE 300 turned (bent about its weak axis) as the one-flange model: the two flanges one
// plate 150 × 21.4 mm, the web a plate 289.3 × 7.1 mm across its middle. Under N and M the
// limit is the rigid-plastic interaction of these plates (the thin plate's own bending
// left out), the plastic neutral axis found by hand.
TEST(TsvMethod, PlateInsideTheWebFollowsThePlasticInteraction) {
  const TSV_SECTION s{0, TSV_MODE_ONE_FLANGE, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 28.93, 0.71, 0, 0, 15, 2.14};
  for (auto [N, M, U] : {std::tuple{-300.0, 1000.0, 0.40237}, {-300.0, -1000.0, 0.40237}, {-800.0, 500.0, 0.70446},
                         {300.0, 800.0, 0.36033}, {-1100.0, 100.0, 0.90008}, {-1000.0, 300.0, 0.84179},
                         {1000.0, -300.0, 0.84179}, {-500.0, 2000.0, 0.75117}, {-1200.0, 50.0, 0.97547}}) {
    SCOPED_TRACE(::testing::Message() << N << " " << M);
    const TSV_RESULT r = Method(s, {N, 0, 0, 0, M});
    EXPECT_NEAR(r.U, U, 0.003 * U);
    EXPECT_EQ(r.flags, 0x160001Fu);
  }
}

// Tube D 20, t 1: N_pl = π (r_a² − r_i²) f_y, M_pl = 4/3 (r_a³ − r_i³) f_y.
TEST(TsvMethod, TubeInteractionFollowsTheCosineLaw) {
  const double N_pl = M_PI * 19 * kFy, M_pl = 4.0 / 3 * 271 * kFy;
  EXPECT_NEAR(N_pl, 1402.721, 1e-3);
  EXPECT_NEAR(M_pl, 8491.333, 1e-3);
  for (double n : {0.0, 0.3, 0.7}) {
    SCOPED_TRACE(n);
    const TSV_RESULT r = Method(Tube(), {n * N_pl, 0, 0, 0, std::cos(M_PI * n / 2) * M_pl});
    EXPECT_NEAR(r.N_hi, N_pl, 1e-3);
    EXPECT_NEAR(r.M_hi, std::cos(M_PI * n / 2) * M_pl, 1e-6 * M_pl);
    EXPECT_NEAR(r.U_My, 1.0, 1e-12);
    EXPECT_GE(r.U, 1.0 - 1e-12);
    EXPECT_LE(r.U, 1.0051);
    EXPECT_EQ(r.flags, 0x1C0001Fu);
  }
  EXPECT_NEAR(Method(Tube(), {0, 0, 0, 0, 0, M_pl}).M_y_s_hi, M_pl, 1e-3);
  // Shear on A_v = 2A/π (EN 1993-1-1, 6.2.6(3)), torsion against T_pl = 2π/3 (r_a³ − r_i³) τ_y;
  // shear alone governs U.
  const double tau_y = kFy / std::sqrt(3.0);
  EXPECT_NEAR(Method(Tube(), {0, 30, 40}).U_tau, 50 / (2 / M_PI * M_PI * 19 * tau_y), 1e-12);
  const TSV_RESULT t = Method(Tube(), {0, 0, 0, 1000});
  EXPECT_NEAR(t.U_tau, 1000 / (2 * M_PI / 3 * 271 * tau_y), 1e-12);
  EXPECT_GE(t.U, t.U_tau);
}

// I: each resistance alone at half load, the load increase bringing U into [0.5, 0.5026];
// N with M on the interaction line; overloads searched downwards, through the shear stage.
TEST(TsvMethod, PlatedISectionResistancesAndLoadIncrease) {
  const double N_pl = kFy * (2 * 15 * 1.07 + 27.86 * 0.71);
  const double M_pl = kFy * (2 * 15 * 1.07 * 14.465 + 27.86 * 27.86 * 0.71 / 4), V_pl = kFy * 27.86 * 0.71 / std::sqrt(3.0);
  EXPECT_NEAR(N_pl, 1219.194, 1e-3);
  EXPECT_NEAR(M_pl, 14149.31, 1e-2);
  EXPECT_NEAR(V_pl, 268.378, 1e-3);
  struct Case {
    std::initializer_list<double> f;
    double TSV_RESULT::*field;
  } cases[] = {{{0.5 * N_pl}, &TSV_RESULT::U_N},
               {{0, 0, 0, 0, 0.5 * M_pl}, &TSV_RESULT::U_My},
               {{0, 0, 0.5 * V_pl}, &TSV_RESULT::U_tau}};
  for (const Case &c : cases) {
    const TSV_RESULT r = Method(Ipe(), c.f);
    EXPECT_NEAR(r.*(c.field), 0.5, 1e-12);
    EXPECT_GE(r.U, 0.5 - 1e-6);
    EXPECT_LE(r.U, 0.5026);
    EXPECT_EQ(r.flags, 0x170001Fu);
  }
  const TSV_RESULT n = Method(Ipe(), {N_pl});
  EXPECT_NEAR(n.N_hi, N_pl, 1e-9);
  EXPECT_NEAR(Method(Ipe(), {0, 0, 0, 0, 1}).M_y_s_hi, M_pl, 1e-9);
  const double N = 232.422, N_s = kFy * 27.86 * 0.71;
  const double M = kFy * 15 * 1.07 * 2 * 14.465 + 27.86 * (N_s * N_s - N * N) / (4 * N_s);
  EXPECT_NEAR(Method(Ipe(), {N, 0, 0, 0, M}).U_My, 1.0, 1e-12);
  EXPECT_NEAR(M, 13339.90, 0.01);
  // Twice the plastic moment: U = 1/f with U(f) in the band, so [2, 2.0101].
  const TSV_RESULT m2 = Method(Ipe(), {0, 0, 0, 0, 2 * M_pl});
  EXPECT_GE(m2.U, 2.0);
  EXPECT_LE(m2.U, 2.0101);
  // 1.5 V_pl ends the first pass at the shear stage; the search still finds 1/f.
  EXPECT_EQ(Method(Ipe(), {0, 0, 0.95 * V_pl}).flags, 0x170001Fu);  // the first pass complete below V_pl
  const TSV_RESULT v = Method(Ipe(), {0, 0, 1.5 * V_pl});
  EXPECT_EQ(v.flags, 0x1700010u);
  EXPECT_GE(v.U, 1.5 - 1e-6);
  EXPECT_LE(v.U, 1.5076);
}

// Flange shears and flange moments carry V_y, M_xs, B and M_z; their sums give V_y and M_z.
TEST(TsvMethod, FlangeForcesSplitLateralLoads) {
  const TSV_RESULT r = Method(Ipe(), {0, 20, 0, 0, 0, 300, 0, 0});
  EXPECT_NEAR(r.V_o + r.V_u, 20.0, 1e-12);
  EXPECT_NEAR(r.V_o, 10.0, 1e-12);
  EXPECT_NEAR(r.M_Sa_o + r.M_Sa_u, 300.0, 1e-9);
  const TSV_RESULT b = Method(Ipe(), {0, 0, 0, 0, 0, 0, 0, 2893.0});
  EXPECT_NEAR(b.M_Sa_o, -100.0, 1e-9);
  EXPECT_NEAR(b.M_Sa_u, 100.0, 1e-9);
  // A channel (UPN 200 plates: flanges 75 × 11.5 centred at y 0, web 177 × 8.5 at y 33.25 mm,
  // the reference point): V_y passes the shear centre and splits evenly; V_z at the web
  // twists the section about the shear centre, e = 3 b'² t_f / (6 b' t_f + h' t_w) =
  // 26.63 mm beyond the web (b' 70.75, h' 188.5 mm), which the flanges take as ±V_z e / h'.
  const TSV_SECTION ch{0, TSV_MODE_TWO_FLANGES, 0, 1.549, 0, 3.325 + 2.663, 0, 3.325, 0, 0, -9.425, 7.5, 1.15,
                       0, 9.425, 7.5, 1.15, 3.325, 0, 17.7, 0.85};
  const TSV_RESULT cy = Method(ch, {0, 10});
  EXPECT_NEAR(cy.V_o, 5.0, 1e-9);
  EXPECT_NEAR(cy.V_u, 5.0, 1e-9);
  const TSV_RESULT cz = Method(ch, {0, 0, 10});
  EXPECT_NEAR(std::fabs(cz.V_o), 10 * 2.663 / 18.85, 1e-9);
  EXPECT_NEAR(cz.V_o, -cz.V_u, 1e-9);
  EXPECT_NEAR(cz.V_s, 10.0, 1e-9);
  // N at the web's centre: the moment about the plates' centroid (z̄ 0) is M_y itself; the
  // limits of M_y are symmetric for the doubly symmetric plates.
  const TSV_RESULT nm = Method(Ipe(), {300, 0, 0, 0, 2000});
  EXPECT_NEAR(nm.M_y_ref, 2000, 1e-9);
  EXPECT_NEAR(nm.M_lo, -nm.M_hi, 1e-9);
  EXPECT_GT(nm.M_hi, 2000);
  // A turned frame sees the same principal forces: the forces turn once by alpha.
  TSV_SECTION s = Ipe();
  s.alpha = 0.3;
  const TSV_RESULT t = Method(s, {0, 20 * std::cos(0.3), 20 * std::sin(0.3), 0, 1000 * std::cos(0.3), 1000 * std::sin(0.3)});
  EXPECT_NEAR(t.M_y_s, 1000.0, 1e-9);
  EXPECT_NEAR(t.M_Sa_o, 0.0, 1e-9);
  EXPECT_NEAR(t.V_o + t.V_u, 20.0, 1e-9);  // the shear turned with the moments: all along y'
  EXPECT_NEAR(t.V_s, 0.0, 1e-9);
  // One flange (a T of flange 150 × 15 and web 185 × 10 mm): the plates' centroid lies
  // 50.76 mm above the web's centre, and M_y about it carries N's lever.
  const TSV_SECTION tee{0, TSV_MODE_ONE_FLANGE, 0, 0, 0, 0, 0, 0, 0, 0, -9.25, 15, 1.5, 0, 0, 0, 0, 0, 0, 18.5, 1};
  const double z_hat = 22.5 * -9.25 / (22.5 + 18.5);
  EXPECT_NEAR(Method(tee, {-100, 0, 0, 0, 500}).M_y_ref, 500 + z_hat * -100, 1e-9);
}

// N and M_y (about the plates' centroid) on an I, an I with unequal flanges (200 × 15 on top,
// 200 × 20 below, web 365 × 10 mm), a T (150 × 15, stem 185 × 10 mm) and a channel turned
// (UPN 200: its web a plate 177 × 8.5 mm 33.25 mm off the centre of its flanges, taken as one
// plate 75 × 23 mm across): the limit moments at N are those of the rigid-plastic reference,
// and the load increase brings U into [1/λ, 1/(0.995 λ)] of its ray.
TEST(TsvMethod, PlateModelsReachTheRigidPlasticLimit) {
  const auto I = [](double zo, double Ao, double zu, double Au, double hw, double tw) {
    return std::vector<Strip>{{zo, zo, Ao * kFy}, {zu, zu, Au * kFy}, {-hw / 2, hw / 2, hw * tw * kFy}};
  };
  const TSV_SECTION mono{0, TSV_MODE_TWO_FLANGES, 0, 0, 0, 0, 0, 0, 0, 0, -19, 20, 1.5, 0, 19.25, 20, 2, 0, 0, 36.5, 1};
  const TSV_SECTION tee{0, TSV_MODE_ONE_FLANGE, 0, 0, 0, 0, 0, 0, 0, 0, -10, 15, 1.5, 0, 0, 0, 0, 0, 0, 18.5, 1};
  const TSV_SECTION turned{0, TSV_MODE_ONE_FLANGE, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3.325, 17.7, 0.85, 0, 0, 7.5, 2.3};
  // A T with a plate 100 × 10 mm across its stem 50 mm below the stem's centre.
  const TSV_SECTION crossed{0, TSV_MODE_TWO_FLANGES, 0, 0, 0, 0, 0, 0, 0, 0, -10, 15, 1.5, 0, 5, 10, 1, 0, 0, 18.5, 1};
  const std::pair<TSV_SECTION, std::vector<Strip>> models[] = {
      {Ipe(), I(-14.465, 16.05, 14.465, 16.05, 27.86, 0.71)},
      {mono, I(-19, 30, 19.25, 40, 36.5, 1)},
      {tee, {{-10, -10, 22.5 * kFy}, {-9.25, 9.25, 18.5 * kFy}}},
      {turned, {{3.325, 3.325, 15.045 * kFy}, {-3.75, 3.75, 17.25 * kFy}}},
      {crossed, {{-10, -10, 22.5 * kFy}, {5, 5, 10 * kFy}, {-9.25, 9.25, 18.5 * kFy}}},
  };
  for (const auto &[s, strips] : models) {
    double N_pl = 0, z_hat = 0;
    for (const Strip &p : strips) N_pl += p.F, z_hat += p.F * (p.z1 + p.z2) / 2;
    z_hat /= N_pl;
    const double M_pl = M_Limit(strips, 0, 1);
    for (double n : {0.0, 0.01, 0.25, -0.25, 0.75, -0.75})
      for (double m : {0.015, 0.4, -0.4, 1.3, -1.3}) {
        SCOPED_TRACE(::testing::Message() << "mode " << s.mode << " web " << s.h_w << " n " << n << " m " << m);
        const double N = n * N_pl, M = m * M_pl;
        const TSV_RESULT r = Method(s, {N, 0, 0, 0, M});
        EXPECT_NEAR(r.M_lo, M_Limit(strips, N, -1), 1e-6 * M_pl);
        EXPECT_NEAR(r.M_hi, M_Limit(strips, N, 1), 1e-6 * M_pl);
        EXPECT_NEAR(r.M_y_s_hi, r.M_hi - z_hat * N, 1e-6 * M_pl);
        const double U = 1 / Factor(strips, N, M + z_hat * N);
        EXPECT_GE(r.U, U * (1 - 1e-9));
        EXPECT_LE(r.U, U / 0.995 * (1 + 1e-9));
        EXPECT_EQ(r.flags & 0x100001Fu, 0x100001Fu);
      }
  }
}

// A flange 75 × 11.5 mm whose centre lies 33.25 mm to either side of the reference point (a
// channel and its mirror image) under its lateral moment M_Sa (M = −∫σ y) and the shear of
// V_z: its limit normal forces and U_MS = |M_Sa| / max M_Sa are those of the flange as a
// rigid-plastic strip at the yield strength reduced by its shear.
TEST(TsvMethod, FlangeLimitsUnderLateralBending) {
  for (double y0 : {3.325, -3.325})
    for (double M_z : {100.0, -100.0, 380.0, -380.0})
      for (double V_z : {0.0, 40.0}) {
        SCOPED_TRACE(::testing::Message() << "y0 " << y0 << " M_z " << M_z << " V_z " << V_z);
        const TSV_SECTION ch{0, TSV_MODE_TWO_FLANGES, 0, 0, 0, y0 + std::copysign(2.663, y0), 0, y0, 0, 0, -9.425, 7.5,
                             1.15, 0, 9.425, 7.5, 1.15, y0, 0, 17.7, 0.85};
        const TSV_RESULT r = Method(ch, {0, 0, V_z, 0, 0, M_z});
        const double M_Sa[2] = {r.M_Sa_o, r.M_Sa_u}, rho[2] = {r.rho_o, r.rho_u}, U_MS[2] = {r.U_MS_o, r.U_MS_u};
        const double lo[2] = {r.N_lo_o, r.N_lo_u}, hi[2] = {r.N_hi_o, r.N_hi_u};
        for (int k = 0; k < 2; ++k) {
          const std::vector<Strip> flange{{y0 - 3.75, y0 + 3.75, 7.5 * 1.15 * kFy * rho[k]}};
          EXPECT_NEAR(lo[k], N_Limit(flange, M_Sa[k], -1), 1e-6);
          EXPECT_NEAR(hi[k], N_Limit(flange, M_Sa[k], 1), 1e-6);
          EXPECT_NEAR(U_MS[k], std::fabs(M_Sa[k]) / Support(flange, 0, M_Sa[k] > 0 ? 1 : -1), 1e-9);
        }
        EXPECT_NEAR(r.M_Sa_o + r.M_Sa_u, M_z, 1e-9);
      }
}

// A yield strength not above 0 fails every mode: 0 and the template, no search.
TEST(TsvMethod, NoYieldStrengthFailsEveryMode) {
  const double forces[8] = {100, 10, 10, 10, 1000, 100, 0, 0};
  for (const double fy : {0.0, -1.0, double(NAN)})
    for (const TSV_SECTION &s : {Flat(), Tube(), Ipe()}) {
      const double mat[2] = {fy, fy};
      TSV_RESULT r;
      std::memset(&r, 0x55, sizeof r);
      EXPECT_EQ(0, Calc_TSV_Teilschnittgroessen(forces, mat, &s, &r));
      EXPECT_EQ(r.flags, 0u);
      EXPECT_EQ(r.U, 0.0);
      EXPECT_EQ(r.U_My, -1.0);
      EXPECT_EQ(r.rho_o, 0.0);
    }
  EXPECT_EQ(0, Calc_TSV_Teilschnittgroessen(forces, kMat, nullptr, nullptr));
}

// The print of a plated I (every line), a tube and a flat bar, byte for byte.
TEST(TsvPrint, GoldenLists) {
  std::string bytes = Printed(Method(Ipe(), {-300, 20, 100, 50, 5000, 300, 30, 2000}));
  bytes += Printed(Method(Tube(), {200, 30, 40, 100, 3000}));
  bytes += Printed(Method(Flat(), {-50, 5, 10, 10, 200, 10}));
  // A Z (flanges to either side), an I of unequal flanges with its shear centre off the web's
  // centre and an angle (one flange beside the web) under every force.
  const TSV_SECTION z{0, TSV_MODE_TWO_FLANGES, 0.3, 0, 0, 0, 0, 0, 0, 3.5, -9.4, 7.5, 1.2, -3.5, 9.4, 7.5, 1.2, 0, 0, 17.6, 0.8},
      mono{0, TSV_MODE_TWO_FLANGES, 0, 0, 0, 0, -8.3, 0, 0, 0, -19, 20, 1.5, 0, 19.25, 20, 2, 0, 0, 36.5, 1},
      angle{0, TSV_MODE_ONE_FLANGE, 0, 0, 0, 0, 0, 4.5, -0.5, 0, 0, 0, 0, 0, 4.5, 10, 1, 4.5, -0.5, 9, 1};
  TSV_SECTION hat = angle;  // the angle upside down: its flange on top
  std::swap(hat.y_o, hat.y_u), std::swap(hat.z_o, hat.z_u), std::swap(hat.b_o, hat.b_u), std::swap(hat.t_o, hat.t_u);
  hat.z_o = -hat.z_o, hat.z_w = hat.z0 = 0.5;
  for (const TSV_SECTION &s : {z, mono, angle, hat}) bytes += Printed(Method(s, {-200, 15, 40, 30, 3000, 400, 60, 5000}));
  EXPECT_EQ(Printed(Method(Ipe(), {0, 0, 2 * 268.378})).find("Gurtbiegung"), std::string::npos);
  EXPECT_EQ(0, Print_TSV_Result(nullptr, "", nullptr));
  const std::string path = std::string(PF_SOURCE_DIR) + "/tests/stress/golden/tsv_print.txt";
  if (std::getenv("PF_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << bytes;
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes) << "PF_UPDATE_GOLDEN=1 writes it";
}

// The regula falsi of the load-increase search answers where Brent gives up: a residual that
// fails at once, and one that only tells the side of 0.9975 (a step, which Brent narrows to
// its tolerance without ever landing in the band). IPE 300 plates (M_pl = 14149.31 kNcm,
// N_s = f_y h_w t_w = 464.844 kN, M_f = f_y 2 A_f z_f = 10911.67 kNcm, as above).
//   M_y alone: U(f) = f M / M_pl is linear, so the falsi's interpolation towards U = 1 lands
//   on it: U = M / M_pl exactly (Brent, aiming at 0.9975, answers M / (0.9975 M_pl)).
//   2 M_pl is searched downwards (first step to 0.45), 0.5 M_pl upwards (to 2.2).
//   N = 300 kN with M_y = 1.2 M_pl: the web carries N f (below N_s), so U(f) = f M / M_lim(f N)
//   with M_lim(N) = M_f + h_w (N_s² − N²) / (4 N_s); U = u at
//   u h_w N² / (4 N_s) f² + M f − u M_pl = 0: 1348.517 f² + 16979.17 f − u 14149.31 = 0,
//   f = 0.784459 at u = 1 (U = 1.274764) and 0.780969 at u = 0.995 (U = 1.280461).
//   N = 400 kN with M_y = 12 M_pl (U = 14.448 unscaled): 2397.363 f² + 169791.7 f − u 14149.31 = 0,
//   f = 0.0832355 at u = 1 (U = 12.014103) and 0.0828203 at u = 0.995 (U = 12.074334); the
//   falsi's first step, clamped to 2 % of the bracket, overshoots U = 1.
namespace brent_gives_up {
int g_calls = 0;
double Fails(const double *, const double *, const TSV_SECTION *, TSV_RESULT *, double) {
  ++g_calls;
  return 10.0;
}
double Steps(const double *forces, const double *material, const TSV_SECTION *frame, TSV_RESULT *result,
             double factor) {
  ++g_calls;
  const double r = _TSV_Load_Factor_Residual(forces, material, frame, result, factor);
  return r > 0.0 ? 0.5 : -0.5;
}
}  // namespace brent_gives_up

TEST(TsvMethod, RegulaFalsiAnswersWhereBrentGivesUp) {
  const double M_pl = kFy * (2 * 15 * 1.07 * 14.465 + 27.86 * 27.86 * 0.71 / 4);
  struct Case {
    const char *what;
    TSV_RESIDUAL residual;
    double N, M, U_lo, U_hi;
  } cases[] = {
      {"fails, 2 M_pl", brent_gives_up::Fails, 0, 2 * M_pl, 2.0, 2.0},
      {"steps, 2 M_pl", brent_gives_up::Steps, 0, 2 * M_pl, 2.0, 2.0},
      {"fails, 0.5 M_pl", brent_gives_up::Fails, 0, 0.5 * M_pl, 0.5, 0.5},
      {"steps, 0.5 M_pl", brent_gives_up::Steps, 0, 0.5 * M_pl, 0.5, 0.5},
      {"fails, N and 1.2 M_pl", brent_gives_up::Fails, 300, 1.2 * M_pl, 1.274764, 1.280461},
      {"steps, N and 1.2 M_pl", brent_gives_up::Steps, 300, 1.2 * M_pl, 1.274764, 1.280461},
      {"fails, N and 12 M_pl", brent_gives_up::Fails, 400, 12 * M_pl, 12.014103, 12.074334},
      {"steps, N and 12 M_pl", brent_gives_up::Steps, 400, 12 * M_pl, 12.014103, 12.074334},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    brent_gives_up::g_calls = 0;
    const TSV_RESIDUAL old = Set_TSV_Brent_Residual_For_Tests(c.residual);
    int ret = 0;
    const TSV_RESULT r = Method(Ipe(), {c.N, 0, 0, 0, c.M}, &ret);
    Set_TSV_Brent_Residual_For_Tests(old);
    EXPECT_GE(brent_gives_up::g_calls, 1);  // Brent was tried, and gave up
    EXPECT_EQ(ret, 1);
    EXPECT_EQ(r.flags, 0x170001Fu);
    EXPECT_GE(r.U, c.U_lo - 1e-6);
    EXPECT_LE(r.U, c.U_hi + 1e-6);
  }
  // Brent alone answers 2 M_pl at 0.9975: the seam is off again.
  EXPECT_EQ(Set_TSV_Brent_Residual_For_Tests(nullptr), nullptr);
  EXPECT_NEAR(Method(Ipe(), {0, 0, 0, 0, 2 * M_pl}).U, 2.0 / 0.9975, 1e-6);
}
