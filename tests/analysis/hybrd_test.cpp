// Hybrid driver: input checks, the step hook, the iteration limit, the trial-point stop,
// and agreement with MINPACK's own hybrj on the classic test problems of Moré, Garbow and
// Hillstrom (ACM TOMS 7, 1981) where the driver's changes do not apply.
#include "analysis/hybrd.h"

#include <cminpack.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// ---------------------------------------------------------------- test problems
// Each problem fills residuals (iflag 1) or the Jacobian (iflag 2).
using Residual = void (*)(int n, const double *x, double *f, double *fjac, int ld, int iflag);

void Rosenbrock(int, const double *x, double *f, double *fjac, int ld, int iflag) {
  if (iflag == 1) {
    f[0] = 1.0 - x[0];
    f[1] = 10.0 * (x[1] - x[0] * x[0]);
  } else {
    fjac[0] = -1.0;
    fjac[1] = -20.0 * x[0];
    fjac[ld] = 0.0;
    fjac[ld + 1] = 10.0;
  }
}

void Helical_Valley(int, const double *x, double *f, double *fjac, int ld, int iflag) {
  const double tpi = 8.0 * std::atan(1.0);
  const double r2 = x[0] * x[0] + x[1] * x[1];
  if (iflag == 1) {
    double theta = std::atan(x[1] / x[0]) / tpi;
    if (x[0] < 0.0) theta += 0.5;
    f[0] = 10.0 * (x[2] - 10.0 * theta);
    f[1] = 10.0 * (std::sqrt(r2) - 1.0);
    f[2] = x[2];
  } else {
    const double t = 100.0 / (tpi * r2);
    const double s = 10.0 / std::sqrt(r2);
    fjac[0] = t * x[1];
    fjac[ld] = -t * x[0];
    fjac[2 * ld] = 10.0;
    fjac[1] = s * x[0];
    fjac[ld + 1] = s * x[1];
    fjac[2 * ld + 1] = 0.0;
    fjac[2] = 0.0;
    fjac[ld + 2] = 0.0;
    fjac[2 * ld + 2] = 1.0;
  }
}

void Powell_Singular(int, const double *x, double *f, double *fjac, int ld, int iflag) {
  if (iflag == 1) {
    f[0] = x[0] + 10.0 * x[1];
    f[1] = std::sqrt(5.0) * (x[2] - x[3]);
    f[2] = (x[1] - 2.0 * x[2]) * (x[1] - 2.0 * x[2]);
    f[3] = std::sqrt(10.0) * (x[0] - x[3]) * (x[0] - x[3]);
  } else {
    for (int j = 0; j < 4; ++j)
      for (int i = 0; i < 4; ++i) fjac[i + j * ld] = 0.0;
    fjac[0] = 1.0;
    fjac[ld] = 10.0;
    fjac[1 + 2 * ld] = std::sqrt(5.0);
    fjac[1 + 3 * ld] = -std::sqrt(5.0);
    fjac[2 + ld] = 2.0 * (x[1] - 2.0 * x[2]);
    fjac[2 + 2 * ld] = -4.0 * (x[1] - 2.0 * x[2]);
    fjac[3] = 2.0 * std::sqrt(10.0) * (x[0] - x[3]);
    fjac[3 + 3 * ld] = -fjac[3];
  }
}

// Linear 2 × 2 system A x = b with root (1, 2).
void Linear(int, const double *x, double *f, double *fjac, int ld, int iflag) {
  if (iflag == 1) {
    f[0] = 3.0 * x[0] + 1.0 * x[1] - 5.0;
    f[1] = 1.0 * x[0] - 2.0 * x[1] + 3.0;
  } else {
    fjac[0] = 3.0;
    fjac[1] = 1.0;
    fjac[ld] = 1.0;
    fjac[ld + 1] = -2.0;
  }
}

// The callback state of one solve (the driver's callback has no user pointer).
struct Probe {
  Residual problem = nullptr;
  int calls = 0;
  int calls_by_flag[4] = {0, 0, 0, 0};
  int stop_at_first = 0;      // stop with -1 on the first residual evaluation
  int halve_steps = 0;        // shorten every proposed step to half
  int stop_in_hook = 0;       // stop with -2 in the step hook
  double stop_eps = -1.0;     // stop with -1 once |F|² <= stop_eps
} probe;

void Probe_Fcn(int *n, double *x, double *fvec, double *fjac, int *ldfjac, int *iflag) {
  ++probe.calls;
  if (*iflag >= 0 && *iflag <= 3) ++probe.calls_by_flag[*iflag];
  if (*iflag == 3) {
    if (probe.stop_in_hook) *iflag = -2;
    if (probe.halve_steps)
      for (int j = 0; j < *n; ++j) fvec[j] *= 0.5;
    return;
  }
  if (*iflag == 0) return;
  probe.problem(*n, x, fvec, fjac, *ldfjac, *iflag);
  if (*iflag == 1) {
    if (probe.stop_at_first) {
      *iflag = -1;
      return;
    }
    double f2 = 0.0;
    for (int i = 0; i < *n; ++i) f2 += fvec[i] * fvec[i];
    if (probe.stop_eps >= 0.0 && f2 <= probe.stop_eps) *iflag = -1;
  }
}

Residual g_reference_problem = nullptr;
int Reference_Fcn(void *, int n, const double *x, double *fvec, double *fjac, int ldfjac, int iflag) {
  if (iflag == 0) return 0;
  g_reference_problem(n, x, fvec, fjac, ldfjac, iflag);
  return 0;
}

struct Solve {
  std::vector<double> x, fvec, fjac, wa;
  int info = -99, iter = -99, maxfev = 200;
};

Solve Run_Solve(Residual problem, std::vector<double> start, double tol, int maxfev = 200, int lwa = -1) {
  probe = Probe{};
  probe.problem = problem;
  Solve s;
  int n = static_cast<int>(start.size());
  int ld = n;
  s.x = start;
  s.fvec.assign(n, 0.0);
  s.fjac.assign(n * n, 0.0);
  if (lwa < 0) lwa = n * (n + 13) / 2;
  s.wa.assign(lwa > 0 ? lwa : 1, 0.0);
  s.maxfev = maxfev;
  Masque_Hybrd1(Probe_Fcn, &n, s.x.data(), s.fvec.data(), s.fjac.data(), &ld, &tol, &s.maxfev, &s.info,
                s.wa.data(), &lwa, &s.iter);
  return s;
}

// MINPACK's hybrj with the settings of Masque_Hybrd1.
struct Reference {
  std::vector<double> x;
  int info = 0, nfev = 0, njev = 0;
};
Reference Run_Reference(Residual problem, std::vector<double> start, double tol) {
  g_reference_problem = problem;
  const int n = static_cast<int>(start.size());
  Reference ref;
  ref.x = start;
  std::vector<double> fvec(n), fjac(n * n), diag(n, 1.0), r(n * (n + 1) / 2), qtf(n), w1(n), w2(n), w3(n), w4(n);
  ref.info = hybrj(Reference_Fcn, nullptr, n, ref.x.data(), fvec.data(), fjac.data(), n, tol, 100000, diag.data(),
                   2, 100.0, 0, &ref.nfev, &ref.njev, r.data(), n * (n + 1) / 2, qtf.data(), w1.data(), w2.data(),
                   w3.data(), w4.data());
  return ref;
}

}  // namespace

TEST(AnalysisHybrdInput, ShortWorkArrayGivesInfoZeroWithoutCall) {
  Solve s = Run_Solve(Helical_Valley, {-1.0, 0.0, 0.0}, 1e-10, 200, 23);  // 3·16/2 = 24 needed
  EXPECT_EQ(s.info, 0);
  EXPECT_EQ(s.iter, 0);
  EXPECT_EQ(probe.calls, 0);
  Solve s4 = Run_Solve(Powell_Singular, {3.0, -1.0, 0.0, 1.0}, 1e-10, 200, 33);  // 34 needed
  EXPECT_EQ(s4.info, 0);
  EXPECT_EQ(probe.calls, 0);
  Solve ok = Run_Solve(Helical_Valley, {-1.0, 0.0, 0.0}, 1e-10, 200, 24);
  EXPECT_EQ(ok.info, 1);
}

TEST(AnalysisHybrdInput, ImproperArgumentsGiveInfoZero) {
  Solve neg = Run_Solve(Linear, {0.0, 0.0}, -1e-8);
  EXPECT_EQ(neg.info, 0);
  EXPECT_EQ(probe.calls, 0);
  Solve nan_tol = Run_Solve(Linear, {0.0, 0.0}, std::nan(""));
  EXPECT_EQ(nan_tol.info, 0);
  EXPECT_EQ(probe.calls, 0);

  // ldfjac below n.
  probe = Probe{};
  probe.problem = Linear;
  int n = 2, ld = 1, maxfev = 50, info = 7, iter = 7, lwa = 15;
  double tol = 1e-8, x[2] = {0, 0}, f[2], fjac[4], wa[15];
  Masque_Hybrd1(Probe_Fcn, &n, x, f, fjac, &ld, &tol, &maxfev, &info, wa, &lwa, &iter);
  EXPECT_EQ(info, 0);
  EXPECT_EQ(iter, 0);
  EXPECT_EQ(probe.calls, 0);

  // The full driver refuses a non-positive scale factor in mode 2.
  ld = 2;
  int mode = 2, nprint = 0, nfev = -1, njev = -1, lr = 3;
  double diag[2] = {1.0, 0.0}, factor = 100.0, r[3], qtf[2], w1[2], w2[2], w3[2], w4[2];
  Masque_Hybrd(Probe_Fcn, &n, x, f, fjac, &ld, &tol, &maxfev, diag, &mode, &factor, &nprint, &info, &nfev, &njev, r,
               &lr, qtf, w1, w2, w3, w4, &iter);
  EXPECT_EQ(info, 0);
  EXPECT_EQ(nfev, 0);
  EXPECT_EQ(probe.calls, 0);
}

TEST(AnalysisHybrdInput, MaxfevBelowOneBecomes200InCallersVariable) {
  Solve s = Run_Solve(Linear, {0.0, 0.0}, 1e-10, 0);
  EXPECT_EQ(s.maxfev, 200);
  EXPECT_EQ(s.info, 1);
  Solve t = Run_Solve(Linear, {0.0, 0.0}, 1e-10, -5);
  EXPECT_EQ(t.maxfev, 200);
}

// Stops and step changes of the callback on the linear system with root (1, 2): a stop at
// the first evaluation keeps the start; the outline step's stop once |F|² <= eps hands back
// the trial point of the first full Newton step (with its residuals), not the start; halved
// steps still converge, in more iterations; a stop in the step hook keeps the current point.
TEST(AnalysisHybrdStop, StopsAndStepChangesOfTheCallback) {
  const Solve full = Run_Solve(Linear, {10.0, -7.0}, 1e-10);
  ASSERT_EQ(full.info, 1);
  const struct {
    const char *name;
    Probe setup;
    double x0, x1;
    int info;
    double x_end0, x_end1, tol;
    int iter, residual_calls;
  } cases[] = {
      {"stop at the first evaluation", {.stop_at_first = 1}, 0.5, 0.25, -1, 0.5, 0.25, 0.0, 0, 1},
      {"stop at the trial point", {.stop_eps = 1e-10}, 0.0, 0.0, -1, 1.0, 2.0, 1e-12, -1, 2},
      {"halved steps", {.halve_steps = 1}, 10.0, -7.0, 1, 1.0, 2.0, 1e-8, -1, -1},
      {"stop in the step hook", {.stop_in_hook = 1}, 4.0, 4.0, -2, 4.0, 4.0, 0.0, 1, -1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    probe = c.setup;
    probe.problem = Linear;
    int n = 2, ld = 2, maxfev = 200, info = 7, iter = 7, lwa = 15;
    double tol = 1e-10, x[2] = {c.x0, c.x1}, f[2] = {9, 9}, fjac[4], wa[15];
    Masque_Hybrd1(Probe_Fcn, &n, x, f, fjac, &ld, &tol, &maxfev, &info, wa, &lwa, &iter);
    EXPECT_EQ(info, c.info);
    EXPECT_NEAR(x[0], c.x_end0, c.tol);
    EXPECT_NEAR(x[1], c.x_end1, c.tol);
    EXPECT_TRUE(c.iter < 0 || iter == c.iter) << iter;
    EXPECT_TRUE(c.residual_calls < 0 || probe.calls_by_flag[1] == c.residual_calls) << probe.calls_by_flag[1];
    EXPECT_TRUE(c.info != -1 || c.iter >= 0 || f[0] * f[0] + f[1] * f[1] <= 1e-10);  // the point's residuals
    if (c.setup.halve_steps) {
      EXPECT_GT(iter, full.iter);
      EXPECT_GT(probe.calls_by_flag[3], 0);
    }
  }
}

TEST(AnalysisHybrdLimit, IterationLimitCountsAcceptedSteps) {
  Solve s = Run_Solve(Rosenbrock, {-1.2, 1.0}, 1e-12, 3);
  EXPECT_EQ(s.info, 2);
  EXPECT_EQ(s.iter, 3);
  int nfev = 0, njev = 0;
  Get_Masque_Hybrd_Counts(&nfev, &njev);
  EXPECT_GE(nfev, 3);  // evaluations are not what the limit counts
}

// Where neither the step hook, the iteration limit nor a stop applies, the driver is
// hybrj: same termination code, same evaluation counts, same solution.
struct ClassicCase {
  const char *name;
  Residual problem;
  std::vector<double> start;
  std::vector<double> root;
  int expected_info;
};

class AnalysisHybrdClassic : public ::testing::TestWithParam<ClassicCase> {};

TEST_P(AnalysisHybrdClassic, MatchesMinpackHybrj) {
  const ClassicCase &c = GetParam();
  const double tol = std::sqrt(dpmpar(1));
  Solve s = Run_Solve(c.problem, c.start, tol, 1000);
  Reference ref = Run_Reference(c.problem, c.start, tol);
  int nfev = 0, njev = 0;
  Get_Masque_Hybrd_Counts(&nfev, &njev);
  EXPECT_EQ(s.info, c.expected_info) << c.name;
  EXPECT_EQ(ref.info == 5 ? 4 : ref.info, s.info) << c.name;
  EXPECT_EQ(nfev, ref.nfev) << c.name;
  EXPECT_EQ(njev, ref.njev) << c.name;
  for (std::size_t j = 0; j < c.start.size(); ++j) {
    EXPECT_EQ(s.x[j], ref.x[j]) << c.name << " x" << j;
    EXPECT_NEAR(s.x[j], c.root[j], 1e-6) << c.name << " x" << j;
  }
  if (c.expected_info == 4) {
    double norm = 0.0;
    for (double v : s.x) norm += v * v;
    EXPECT_LT(std::sqrt(norm), 1e-8) << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Problems, AnalysisHybrdClassic,
    ::testing::Values(ClassicCase{"Rosenbrock", Rosenbrock, {-1.2, 1.0}, {1.0, 1.0}, 1},
                      ClassicCase{"HelicalValley", Helical_Valley, {-1.0, 0.0, 0.0}, {1.0, 0.0, 0.0}, 1},
                      ClassicCase{"PowellSingular", Powell_Singular, {3.0, -1.0, 0.0, 1.0}, {0, 0, 0, 0}, 4}),
    [](const ::testing::TestParamInfo<ClassicCase> &info) { return std::string(info.param.name); });
