// Powell's hybrid method with a user Jacobian for small nonlinear systems: the hybrj
// loop of MINPACK written on its building blocks (QR factorisation and its rank-one
// update, Givens products, dogleg step, Euclidean norm, machine precision), with a step
// hook, an iteration limit and the trial point kept when the callback stops there.
#include "analysis/hybrd.h"

#include <cminpack.h>

#include <algorithm>
#include <cmath>

namespace {

struct HybrdState {
  // settings handed on by Masque_Hybrd1
  double xtol = 0.0;
  int mode = 0;
  int nprint = 0;
  int lr = 0;
  // driver state of the last solve
  double epsmch = 0.0;
  int nfev = 0;
  int njev = 0;
  int iter = 0;
  double delta = 0.0;
  double fnorm = 0.0;
  double xnorm = 0.0;
} g;

constexpr double kP1 = 0.1;
constexpr double kP5 = 0.5;
constexpr double kP001 = 0.001;
constexpr double kP0001 = 1e-4;

}  // namespace

void Get_Masque_Hybrd_Counts(int *nfev, int *njev) {
  if (nfev) *nfev = g.nfev;
  if (njev) *njev = g.njev;
}

void Reset_Masque_Hybrd_For_Tests() { g = HybrdState{}; }

void Masque_Hybrd(MASQUE_HYBRD_FCN fcn, int *n_ref, double *x, double *fvec, double *fjac, int *ldfjac_ref,
                  double *xtol_ref, int *maxfev_ref, double *diag, int *mode_ref, double *factor_ref,
                  int *nprint_ref, int *info, int *nfev, int *njev, double *r, int *lr_ref, double *qtf,
                  double *wa1, double *wa2, double *wa3, double *wa4, int *iter_ref) {
  const int n = *n_ref;
  const int ld = *ldfjac_ref;
  const double xtol = *xtol_ref;
  const int maxfev = *maxfev_ref;
  const int mode = *mode_ref;
  const double factor = *factor_ref;
  const int nprint = *nprint_ref;
  const int lr = *lr_ref;

  g.epsmch = dpmpar(1);
  *info = 0;
  *iter_ref = 0;
  g.nfev = g.njev = g.iter = 0;
  *nfev = *njev = 0;
  int iflag = 0;
  bool stopped_at_trial = false;

  auto finish = [&]() {
    if (iflag < 0) *info = iflag;
    if (nprint > 0) {
      iflag = 0;
      fcn(n_ref, x, fvec, fjac, ldfjac_ref, &iflag);
    }
    *nfev = g.nfev;
    *njev = g.njev;
    *iter_ref = g.iter;
  };

  if (n <= 0 || ld < n || !(xtol >= 0.0) || maxfev <= 0 || !(factor > 0.0) || lr < n * (n + 1) / 2) {
    finish();
    return;
  }
  if (mode == 2) {
    for (int j = 0; j < n; ++j)
      if (!(diag[j] > 0.0)) {
        finish();
        return;
      }
  }

  // Start point: residuals and their norm.
  iflag = 1;
  fcn(n_ref, x, fvec, fjac, ldfjac_ref, &iflag);
  g.nfev = 1;
  if (iflag < 0) {
    finish();
    return;
  }
  g.fnorm = enorm(n, fvec);
  g.iter = 1;
  int ncsuc = 0, ncfail = 0, nslow1 = 0, nslow2 = 0;
  int iwa[1];

  for (;;) {  // outer loop: a new Jacobian
    bool jeval = true;
    iflag = 2;
    fcn(n_ref, x, fvec, fjac, ldfjac_ref, &iflag);
    ++g.njev;
    if (iflag < 0) break;

    qrfac(n, n, fjac, ld, 0, iwa, 1, wa1, wa2, wa3);

    if (g.iter == 1) {
      // First iteration: scale by the column norms in mode 1; initial step bound.
      if (mode != 2)
        for (int j = 0; j < n; ++j) diag[j] = wa2[j] != 0.0 ? wa2[j] : 1.0;
      for (int j = 0; j < n; ++j) wa3[j] = diag[j] * x[j];
      g.xnorm = enorm(n, wa3);
      g.delta = factor * g.xnorm;
      if (g.delta == 0.0) g.delta = factor;
    }

    // qtf = Qᵀ·fvec, using the Householder vectors below the diagonal of fjac.
    for (int i = 0; i < n; ++i) qtf[i] = fvec[i];
    for (int j = 0; j < n; ++j) {
      const double *col = fjac + static_cast<long>(j) * ld;
      if (col[j] == 0.0) continue;
      double sum = 0.0;
      for (int i = j; i < n; ++i) sum += col[i] * qtf[i];
      const double temp = -sum / col[j];
      for (int i = j; i < n; ++i) qtf[i] += col[i] * temp;
    }

    // The triangular factor into r, packed by rows.
    int sing = 0;
    for (int j = 0; j < n; ++j) {
      int l = j;
      for (int i = 0; i < j; ++i) {
        r[l] = fjac[i + static_cast<long>(j) * ld];
        l += n - i - 1;
      }
      r[l] = wa1[j];
      if (wa1[j] == 0.0) sing = 1;
    }
    qform(n, n, fjac, ld, wa1);
    if (mode != 2)
      for (int j = 0; j < n; ++j) diag[j] = std::max(diag[j], wa2[j]);

    for (;;) {  // inner loop: steps with Broyden updates
      if (nprint > 0) {
        iflag = 0;
        if ((g.iter - 1) % nprint == 0) fcn(n_ref, x, fvec, fjac, ldfjac_ref, &iflag);
        if (iflag < 0) break;
      }

      // Dogleg step p into wa1; the callback may shorten it.
      dogleg(n, r, lr, diag, qtf, g.delta, wa1, wa2, wa3);
      iflag = 3;
      fcn(n_ref, x, wa1, fjac, ldfjac_ref, &iflag);
      if (iflag < 0) break;

      for (int j = 0; j < n; ++j) {
        wa1[j] = -wa1[j];
        wa2[j] = x[j] + wa1[j];
        wa3[j] = diag[j] * wa1[j];
      }
      const double pnorm = enorm(n, wa3);
      if (g.iter == 1) g.delta = std::min(g.delta, pnorm);

      // Residuals at the trial point x - p.
      iflag = 1;
      fcn(n_ref, wa2, wa4, fjac, ldfjac_ref, &iflag);
      ++g.nfev;
      if (iflag < 0) {
        // Every caller takes this stop as "solved at the trial point": keep it.
        stopped_at_trial = true;
        break;
      }
      const double fnorm1 = enorm(n, wa4);

      double actred = -1.0;
      if (fnorm1 < g.fnorm) actred = 1.0 - (fnorm1 / g.fnorm) * (fnorm1 / g.fnorm);

      // Predicted reduction from the linear model R·p + Qᵀf.
      int l = 0;
      for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        for (int j = i; j < n; ++j) sum += r[l++] * wa1[j];
        wa3[i] = qtf[i] + sum;
      }
      const double temp = enorm(n, wa3);
      double prered = 0.0;
      if (temp < g.fnorm) prered = 1.0 - (temp / g.fnorm) * (temp / g.fnorm);
      double ratio = 0.0;
      if (prered > 0.0) ratio = actred / prered;

      // Step bound.
      if (ratio < kP1) {
        ncsuc = 0;
        ++ncfail;
        g.delta = kP5 * g.delta;
      } else {
        ncfail = 0;
        ++ncsuc;
        if (ratio >= kP5 || ncsuc > 1) g.delta = std::max(g.delta, pnorm / kP5);
        if (std::fabs(ratio - 1.0) <= kP1) g.delta = pnorm / kP5;
      }

      // Successful iteration: accept the trial point.
      if (ratio >= kP0001) {
        for (int j = 0; j < n; ++j) {
          x[j] = wa2[j];
          wa2[j] = diag[j] * x[j];
          fvec[j] = wa4[j];
        }
        g.xnorm = enorm(n, wa2);
        g.fnorm = fnorm1;
        ++g.iter;
      }

      ++nslow1;
      if (actred >= kP001) nslow1 = 0;
      if (jeval) ++nslow2;
      if (actred >= kP1) nslow2 = 0;

      if (g.delta <= xtol * g.xnorm || g.fnorm == 0.0) *info = 1;
      if (*info != 0) break;
      // The limit counts iterations, not evaluations.
      if (g.iter >= maxfev) *info = 2;
      if (kP1 * std::max(kP1 * g.delta, pnorm) <= g.epsmch * g.xnorm) *info = 3;
      if (nslow2 == 5) *info = 4;
      if (nslow1 == 10) *info = 5;
      if (*info != 0) break;

      if (ncfail == 2) break;  // a new Jacobian

      // Broyden rank-one update of R and of Qᵀf.
      for (int j = 0; j < n; ++j) {
        const double *col = fjac + static_cast<long>(j) * ld;
        double sum = 0.0;
        for (int i = 0; i < n; ++i) sum += col[i] * wa4[i];
        wa2[j] = (sum - wa3[j]) / pnorm;
        wa1[j] = diag[j] * ((diag[j] * wa1[j]) / pnorm);
        if (ratio >= kP0001) qtf[j] = sum;
      }
      r1updt(n, n, r, lr, wa1, wa2, wa3, &sing);
      r1mpyq(n, n, fjac, ld, wa2, wa3);
      r1mpyq(1, n, qtf, 1, wa2, wa3);
      jeval = false;
    }
    if (iflag < 0 || *info != 0) break;
  }

  if (stopped_at_trial) {
    for (int j = 0; j < n; ++j) {
      x[j] = wa2[j];
      fvec[j] = wa4[j];
    }
  }
  finish();
}

void Masque_Hybrd1(MASQUE_HYBRD_FCN fcn, int *n, double *x, double *fvec, double *fjac, int *ldfjac,
                   double *tol, int *maxfev, int *info, double *wa, int *lwa, int *iter) {
  *info = 0;
  *iter = 0;
  const int nn = *n;
  if (nn < 1 || nn > *ldfjac || !(*tol >= 0.0) || *lwa < nn * (nn + 13) / 2) return;
  if (*maxfev < 1) *maxfev = 200;

  g.xtol = *tol;
  g.mode = 2;
  g.nprint = 0;
  g.lr = nn * (nn + 1) / 2;
  double factor = 100.0;
  int nfev = 0, njev = 0;
  for (int j = 0; j < nn; ++j) wa[j] = 1.0;

  Masque_Hybrd(fcn, n, x, fvec, fjac, ldfjac, &g.xtol, maxfev, wa, &g.mode, &factor, &g.nprint, info, &nfev,
               &njev, wa + 6 * nn, &g.lr, wa + nn, wa + 2 * nn, wa + 3 * nn, wa + 4 * nn, wa + 5 * nn, iter);
  if (*info == 5) *info = 4;
}
