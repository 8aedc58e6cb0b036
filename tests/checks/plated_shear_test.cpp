// The plastic methods of the member's stress check against EN 1993-1-1 by hand: the plated
// method on rolled I sections (fillets included) and the limit state near V_pl (γ_M 1.0,
// compression negative; section values of EN 10365 and EN 10210-2).
#include <cmath>

#include "checks/checks.h"
#include "tests/checks/checks_fixture.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

double Stress_U(PROFIL *p, int method, const double F[8]) {
  double U_max = -1, U_sigma = -1, U_ct = -1, s_max, s_min, tau, s_v, further;
  const int code = Print_Stress_Check(p, 1.0, 0, 0, 1, method, F[0], F[1], F[2], F[3], F[4], F[5], F[6], F[7], &U_max,
                                      &U_sigma, &U_ct, &s_max, &s_min, &tau, &s_v, &further, nullptr, 0);
  EXPECT_TRUE(code & STRESS_DONE);
  return U_sigma;
}

// Plastic N and M_y (kN, kNcm; f_y in kN/cm²) of a rolled I (cm) whose stress block changes
// sign at z_n (z downward from the centre; tension below): the width w(z) of flange, web
// and the two root fillets at the flange's inner face, integrated by Simpson's rule.
struct RolledI {
  double h, b, tw, tf, r;
  double Width(double z) const {
    const double a = std::fabs(z);
    if (a > h / 2) return 0;
    if (a >= h / 2 - tf) return b;
    const double u = h / 2 - tf - a;  // distance from the flange's inner face
    if (u >= r) return tw;
    return tw + 2 * (r - std::sqrt(r * r - (r - u) * (r - u)));
  }
  // ∫ w dz and ∫ w z dz over [z0, z1], split at the kinks of w.
  void Integrate(double z0, double z1, double *A, double *S) const {
    *A = *S = 0;
    const double cuts[] = {-h / 2, -(h / 2 - tf), -(h / 2 - tf - r), h / 2 - tf - r, h / 2 - tf, h / 2};
    double lo = z0;
    for (double c : cuts) {
      if (c <= lo) continue;
      const double hi = std::min(c, z1);
      const int n = 2000;
      const double dz = (hi - lo) / n;
      for (int i = 0; i <= n; ++i) {
        const double z = lo + i * dz, k = (i == 0 || i == n) ? 1 : (i % 2 ? 4 : 2);
        *A += k * Width(z) * dz / 3, *S += k * Width(z) * z * dz / 3;
      }
      lo = hi;
      if (lo >= z1) break;
    }
  }
  void Plastic(double z_n, double fy, double *N, double *M) const {
    double A_t, S_t, A_c, S_c;
    Integrate(z_n, h / 2, &A_t, &S_t);
    Integrate(-h / 2, z_n, &A_c, &S_c);
    *N = fy * (A_t - A_c), *M = fy * (S_t - S_c);
  }
  // The load factor of proportional (N, M_y), N ≠ 0 and M_y > 0, at full plasticity.
  double Limit_Factor(double N, double M, double fy) const {
    double lo = N > 0 ? -h / 2 : 0, hi = N > 0 ? 0 : h / 2;  // |M/N| falls towards the edge
    for (int i = 0; i < 200; ++i) {
      const double z = 0.5 * (lo + hi);
      double Nz, Mz;
      Plastic(z, fy, &Nz, &Mz);
      const bool beyond = std::fabs(Mz / Nz) < M / std::fabs(N);
      if ((N > 0) == beyond) lo = z; else hi = z;
    }
    double Nz, Mz;
    Plastic(0.5 * (lo + hi), fy, &Nz, &Mz);
    return Nz / N;
  }
};

}  // namespace

// Method 1 on rolled I sections of the library, S235 (f_y 23.5 kN/cm² below 40 mm): the
// plates take the fillets, so the section's own N_pl and M_pl,y stand.
// HE 120 M (h 140, b 126, t_w 12.5, t_f 21, r 12 mm): W_pl,y = 350.6 cm³ (EN 10365),
// M_pl,y = 23.5 · 350.6 = 8239.1 kNcm, U = 7415.4 / 8239.1 = 0.900 (a model whose web runs to
// the flange centre lines holds 2.6 % more: 0.881).
// Under N = ±0.1, 0.2, 0.3 N_pl with M_y = 0.85 (1 − n) M_pl,y the exact utilisation is the
// reciprocal of the load factor at full plasticity of the rolled shape (fillets included)
// by integration; the method never lies more than 0.3 % below it (nor 4 % above: the flange
// acts at its centroid once the neutral axis enters it).
TEST_F(ChecksTest, PlatedMethodHoldsWhatTheRolledISectionHolds) {
  Library he120m("HE120M", 0);
  const double M[8] = {0, 74.154};
  const double U = Stress_U(&he120m.p, 1, M);
  EXPECT_GE(U, 0.8955);
  EXPECT_LE(U, 0.905);

  struct Case {
    const char *name;
    RolledI s;
  } cases[] = {
      {"HE120M", {14, 12.6, 1.25, 2.1, 1.2}},
      {"HE300B", {30, 30, 1.1, 1.9, 2.7}},
      {"IPE300", {30, 15, 0.71, 1.07, 1.5}},
  };
  for (const Case &c : cases) {
    Library lib(c.name, 0);
    const RolledI &s = c.s;
    const double A = 2 * s.b * s.tf + (s.h - 2 * s.tf) * s.tw + 4 * (1 - kPi / 4) * s.r * s.r;
    double N0, M_pl;
    s.Plastic(0, 23.5, &N0, &M_pl);
    for (double n : {-0.1, 0.2, -0.3}) {
      SCOPED_TRACE(::testing::Message() << c.name << " n " << n);
      const double N = n * 23.5 * A, M_y = 0.85 * (1 - std::fabs(n)) * M_pl;
      const double U_exact = 1 / s.Limit_Factor(N, M_y, 23.5);
      const double F[8] = {N, 0.01 * M_y};
      const double U_m = Stress_U(&lib.p, 1, F);
      EXPECT_GE(U_m, U_exact * 0.997) << U_exact;
      EXPECT_LE(U_m, U_exact * 1.04) << U_exact;
    }
  }
}
