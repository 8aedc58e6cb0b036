// analysis/hybrd.h — hybrid driver for small nonlinear systems.
//
// Solves n nonlinear equations in n unknowns by Powell's hybrid method with a
// user-supplied Jacobian (MINPACK's hybrj loop on MINPACK's building blocks), with a
// step hook (iflag 3), an iteration limit in place of the evaluation limit, and the
// trial point returned when the callback stops the solve while evaluating it.
// Arguments are passed by reference as in MINPACK. Not re-entrant: settings and driver
// state are module state, and no callback may start another solve.
#pragma once

// Residual callback. iflag on entry:
//   1: compute the n residuals at x into fvec (leave fjac alone);
//   2: compute the Jacobian at x into fjac, column-major, fjac[i + j·ldfjac] = dF_i/dx_j;
//   3: x is the current point and fvec holds the proposed step p (the driver moves to
//      x - p); the callback may shorten p in place;
//   0: print request (never made: printing is off).
// Setting *iflag negative ends the solve; the driver returns that value as info.
typedef void (*MASQUE_HYBRD_FCN)(int *n, double *x, double *fvec, double *fjac, int *ldfjac, int *iflag);

// Easy entry: checks the input (info 0 and nothing else unless 1 <= n <= ldfjac,
// tol >= 0 and lwa >= n(n + 13)/2), sets *maxfev to 200 when below 1, then solves with
// unit scaling (mode 2, diag 1.0 written into wa), step factor 100, no printing.
// wa (lwa doubles) is split into diag, qtf, wa1..wa4 (n each) and r (n(n + 1)/2).
// x: start on entry, final point on return (the trial point when the callback stopped
// while evaluating one), fvec the residuals there. info: 1 converged within tol, 2
// iteration limit, 3 tol too small, 4 no progress (also for the driver's 5), negative:
// the callback's stop value. iter: accepted iterations plus one (0 when stopped at the
// first evaluation).
void Masque_Hybrd1(MASQUE_HYBRD_FCN fcn, int *n, double *x, double *fvec, double *fjac, int *ldfjac,
                   double *tol, int *maxfev, int *info, double *wa, int *lwa, int *iter);

// The full driver, MINPACK's hybrj argument list in its order with iter added last.
// mode 1 scales by the Jacobian's column norms, mode 2 by the caller's diag (> 0).
// info 0 on improper input (n < 1, ldfjac < n, xtol < 0, maxfev < 1, factor <= 0,
// lr < n(n + 1)/2, or mode 2 with a diag entry <= 0), without calling fcn.
void Masque_Hybrd(MASQUE_HYBRD_FCN fcn, int *n, double *x, double *fvec, double *fjac, int *ldfjac,
                  double *xtol, int *maxfev, double *diag, int *mode, double *factor, int *nprint,
                  int *info, int *nfev, int *njev, double *r, int *lr, double *qtf, double *wa1,
                  double *wa2, double *wa3, double *wa4, int *iter);

// Evaluation and Jacobian counts of the last solve (module state).
void Get_Masque_Hybrd_Counts(int *nfev, int *njev);
// Clears the driver's module state.
void Reset_Masque_Hybrd_For_Tests();
