// Cross-section mask: the limit state under a force direction T and its three solves on
// the hybrid driver: the direct solve of the plane (direction along T, limit-strain ratio
// at its target), the strain-domain solve over (t, phi) of the limit-strain planes, and
// load stepping on equilibrium planes closed by false position. Also the equilibrium
// plane of given forces, the load factor search and the strain coefficient.
//
// Plane variables of the direct and equilibrium solves: x0 = −ε0, x1 = κ cos φ,
// x2 = κ sin φ and, while the initial strains are on for the mask, x3.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "analysis/hybrd.h"
#include "analysis/masque_solve_internal.h"
#include "host/host.h"

namespace {

constexpr double kPi = std::numbers::pi;

struct SolverState {
  // Kept between calls (saved and restored by every limit state).
  double yp = 0.0, zp = 0.0;   // reference point of the moments
  double ratio_target = 1.0;   // target limit-strain ratio
  double weights[4] = {1.0, 1.0, 1.0, 1.0};
  bool counting = false;
  int evaluations = 0, jacobians = 0;
  bool reset_registered = false;
  // Set for one solve and cleared after it.
  MASQUE *mask = nullptr;
  const double *target = nullptr;  // the solve's target (moments moved, weighted)
  double lastfaktor = 1.0;
  double tol2 = 1e-8;
  double ry = 0.0, rz = 0.0;       // reference point of the running solve
  double basis[3][4] = {};         // a, b, c
  bool basis_built = false;
  double lambda_req = 0.0;         // the load factor search's required λ (<= 0: γ of the plane)
  // The last forces of the running hybrid solve: its final point is mostly the point it
  // evaluated last, and nothing changes in between.
  bool last_valid = false;
  DEHNUNGSEBENE last_plane{};
  double last_F[4] = {};
  int last_ok = 0;
} g;

void _Changing_State() {
  if (g.reset_registered) return;
  Host_Register_Reset(&Reset_Masque_Solver_For_Tests);
  g.reset_registered = true;
}

// Saves what a limit state may change and puts it back on every path out.
struct StateGuard {
  double yp, zp, ratio, line_factor;
  StateGuard() : yp(g.yp), zp(g.zp), ratio(g.ratio_target), line_factor(Get_Masque_Linienebene_Faktor()) {
    _Changing_State();
  }
  ~StateGuard() {
    g.last_valid = false;
    g.yp = yp;
    g.zp = zp;
    g.ratio_target = ratio;
    if (Get_Masque_Linienebene_Faktor() != line_factor) Set_Masque_Linienebene_Faktor(line_factor);
    g.mask = nullptr;
    g.target = nullptr;
  }
  StateGuard(const StateGuard &) = delete;
  StateGuard &operator=(const StateGuard &) = delete;
};

void _Tolerance(const SOLVER_TOLERANZ *tol, double *t, int *iter) {
  *t = tol ? tol->tol : 1e-4;
  *iter = tol ? tol->max_iter : 100;
}

double _Norm(const double *v, int n) {
  double s = 0.0;
  for (int i = 0; i < n; ++i) s += v[i] * v[i];
  return std::sqrt(s);
}

double _Dot(const double *a, const double *b, int n) {
  double s = 0.0;
  for (int i = 0; i < n; ++i) s += a[i] * b[i];
  return s;
}

// Moments moved to the reference point (y, z).
void _Move(double *F, double y, double z) {
  F[1] -= z * F[0];
  F[2] += y * F[0];
}

int _Forces(const DEHNUNGSEBENE &p, double *F) {
  if (g.counting) ++g.evaluations;
  if (g.last_valid && std::memcmp(&p, &g.last_plane, sizeof p) == 0) {
    std::copy(g.last_F, g.last_F + 4, F);
    return g.last_ok;
  }
  g.last_ok = Calc_Masque_Dehnungsebene_Forces(g.mask, &p, g.lastfaktor, F);
  std::copy(F, F + 4, g.last_F);
  g.last_plane = p;
  return g.last_ok;
}

int _Ratio(MASQUE *mask, const DEHNUNGSEBENE &p, double *r) {
  double out[3];
  if (!Get_Masque_Grenzdehnung_Ratios(mask, &p, out)) return 0;
  *r = out[2];
  return 1;
}

DEHNUNGSEBENE _Plane_of(const double *x, int n) {
  const double kappa = std::sqrt(x[1] * x[1] + x[2] * x[2]);
  double phi = kappa > 0.0 ? std::atan2(x[2], x[1]) : 0.0;
  if (phi < 0.0) phi += 2.0 * kPi;
  return DEHNUNGSEBENE{phi, -x[0], kappa, n == 4 ? x[3] : 0.0};
}

void _Variables_of(const DEHNUNGSEBENE &p, double *x) {
  x[0] = -p.eps0;
  x[1] = p.kappa * std::cos(p.phi);
  x[2] = p.kappa * std::sin(p.phi);
  x[3] = p.x3;
}

// λ = (T · F) / (T · T), 1e10 when that is out of reach.
double _Lambda(const double *T, const double *F, int n) {
  const double tf = _Dot(T, F, n), tt = _Dot(T, T, n);
  if (std::fabs(tf) >= 1e10 * tt) return 1e10;
  return tf / tt;
}

// Target basis: e1 along the target, a, b, c orthonormal and orthogonal to it.
void _Build_Zielbasis(const double *T) {
  double e1[4] = {1.0, 0.0, 0.0, 0.0};
  const double n = _Norm(T, 4);
  if (n > 0.0) {
    for (int i = 0; i < 4; ++i) e1[i] = T[i] / n;
  }
  int k = 0;
  for (int i = 1; i < 4; ++i) {
    if (std::fabs(e1[i]) > std::fabs(e1[k])) k = i;
  }
  // Axes for c, b, a in this order; the F4 axis becomes a unless it is left out.
  int axes[3], m = 0;
  for (int i = 0; i < 3; ++i) {
    if (i != k) axes[m++] = i;
  }
  if (k != 3) axes[2] = 3;
  double built[4][4];
  for (int i = 0; i < 4; ++i) built[0][i] = e1[i];
  int nb = 1;
  for (int slot = 0; slot < 3; ++slot) {
    double v[4] = {};
    for (int trial = 0; trial < 5; ++trial) {
      const int axis = trial == 0 ? axes[slot] : trial - 1;
      for (int i = 0; i < 4; ++i) v[i] = i == axis ? 1.0 : 0.0;
      for (int b = 0; b < nb; ++b) {
        const double d = _Dot(v, built[b], 4);
        for (int i = 0; i < 4; ++i) v[i] -= d * built[b][i];
      }
      const double len = _Norm(v, 4);
      if (len > 1e-8) {
        for (int i = 0; i < 4; ++i) v[i] /= len;
        break;
      }
    }
    for (int i = 0; i < 4; ++i) built[nb][i] = v[i];
    ++nb;
  }
  // built[1] = c, built[2] = b, built[3] = a.
  for (int i = 0; i < 4; ++i) {
    g.basis[0][i] = built[3][i];
    g.basis[1][i] = built[2][i];
    g.basis[2][i] = built[1][i];
  }
  g.basis_built = true;
}

const double *_A() { return g.basis[0]; }
const double *_B() { return g.basis[1]; }
const double *_C() { return g.basis[2]; }

void _Stop_If_Met(const double *fvec, int n, int *iflag) {
  if (_Dot(fvec, fvec, n) <= g.tol2) *iflag = -1;
}

// ======================================================================= stage 1

// Direction f of the plane's forces about the reference point over m components.
int _Direction(const DEHNUNGSEBENE &p, int m, double *f, double *len) {
  double F[4];
  if (!_Forces(p, F)) return 0;
  _Move(F, g.ry, g.rz);
  *len = _Norm(F, m);
  for (int i = 0; i < 4; ++i) f[i] = 0.0;
  if (*len > 0.0) {
    for (int i = 0; i < m; ++i) f[i] = F[i] / *len;
  } else {
    f[0] = p.eps0 >= 0.0 ? 1.0 : -1.0;
  }
  return 1;
}

double _Ratio_Residual(const double *x, int n) {
  double r;
  if (!_Ratio(g.mask, _Plane_of(x, n), &r)) return 0.0;
  return g.ratio_target - r;
}

// Stage-1 residuals for three and for four variables (n read from *pn): this one routine
// is both _Fcn_Grenzebene_3 and _Fcn_Grenzebene_4.
void _Fcn_Grenzebene_3(int *pn, double *x, double *fvec, double *fjac, int *ldfjac, int *iflag) {
  const int n = *pn, m = n == 4 ? 4 : 3;
  if (*iflag != 1 && *iflag != 2) return;
  if (!g.basis_built) _Build_Zielbasis(g.target);
  const DEHNUNGSEBENE p = _Plane_of(x, n);
  const double *rows[3] = {_C(), _B(), _A()};
  if (*iflag == 1) {
    double f[4], len;
    if (!_Direction(p, m, f, &len)) {
      for (int i = 0; i < n; ++i) fvec[i] = 0.0;
      return;  // a failed evaluation never counts as a solution
    }
    for (int i = 0; i < n - 1; ++i) fvec[i] = _Dot(rows[i], f, m);
    fvec[n - 1] = _Ratio_Residual(x, n);
    _Stop_If_Met(fvec, n, iflag);
    return;
  }
  if (*iflag != 2) return;
  const int ld = *ldfjac;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) fjac[i + j * ld] = 0.0;
  if (g.counting) ++g.jacobians;
  MASQUE_SCHNITTGROESSEN K;
  if (!Calc_Masque_Dehnungsebene_Steifigkeit(g.mask, &p, g.lastfaktor, &K)) return;
  double F[4] = {K.F[0], K.F[1], K.F[2], K.F[3]};
  _Move(F, g.ry, g.rz);
  const double len = _Norm(F, m);
  if (len > 0.0) {
    double f[4] = {};
    for (int i = 0; i < m; ++i) f[i] = F[i] / len;
    for (int j = 0; j < n; ++j) {
      double dF[4] = {K.K[j][0], K.K[j][1], K.K[j][2], K.K[j][3]};
      _Move(dF, g.ry, g.rz);
      const double fd = _Dot(f, dF, m);
      double proj[4] = {};
      for (int i = 0; i < m; ++i) proj[i] = (dF[i] - fd * f[i]) / len;
      const double sign = j == 0 ? -1.0 : 1.0;  // x0 = −ε0
      for (int i = 0; i < n - 1; ++i) fjac[i + j * ld] = sign * _Dot(rows[i], proj, m);
    }
  }
  // The ratio row by central differences.
  for (int j = 0; j < n; ++j) {
    double xp[4] = {x[0], x[1], x[2], n == 4 ? x[3] : 0.0}, xm[4];
    std::copy(xp, xp + 4, xm);
    xp[j] += 0.001;
    xm[j] -= 0.001;
    fjac[(n - 1) + j * ld] = (_Ratio_Residual(xp, n) - _Ratio_Residual(xm, n)) * 500.0;
  }
}

// The four-variable name of the same routine.
constexpr MASQUE_HYBRD_FCN _Fcn_Grenzebene_4 = _Fcn_Grenzebene_3;

// ======================================================================= stage 2

// Residuals of the limit-strain plane (phi, t): the force direction against c and b.
int _Richtung_Residuum(double t, double phi, double *fvec) {
  fvec[0] = fvec[1] = 0.0;
  const double pair[2] = {phi, t};
  double F[4];
  if (g.counting) ++g.evaluations;
  if (!Calc_Masque_Dehnungsbereich_Forces(g.mask, pair, g.lastfaktor, F)) return 0;
  _Move(F, g.ry, g.rz);
  const double len = _Norm(F, 3);
  double f[3] = {t >= 16.0 ? 1.0 : -1.0, 0.0, 0.0};
  if (len > 0.0) {
    for (int i = 0; i < 3; ++i) f[i] = F[i] / len;
  }
  fvec[0] = _Dot(_C(), f, 3);
  fvec[1] = _Dot(_B(), f, 3);
  return 1;
}

// Stage-2 residuals. The angle form of this solve (_Fcn_Dehnungsbereich_Winkel with
// _Winkel_Residuum) is not built: no solve of this program selects it.
void _Fcn_Dehnungsbereich_Richtung(int *, double *x, double *fvec, double *fjac, int *ldfjac, int *iflag) {
  if (!g.basis_built && g.target && (*iflag == 1 || *iflag == 2)) _Build_Zielbasis(g.target);
  const double t = x[0], phi = x[1];
  if (*iflag == 1) {
    if (_Richtung_Residuum(t, phi, fvec)) _Stop_If_Met(fvec, 2, iflag);
    return;
  }
  if (*iflag == 2) {
    if (g.counting) ++g.jacobians;
    const int ld = *ldfjac;
    double f0[2], ft[2], fp[2], fm[2];
    _Richtung_Residuum(t, phi, f0);
    _Richtung_Residuum(t - 0.001, phi, ft);
    _Richtung_Residuum(t, phi + 0.001, fp);
    _Richtung_Residuum(t, phi - 0.001, fm);
    for (int i = 0; i < 2; ++i) {
      fjac[i] = (f0[i] - ft[i]) * 1000.0;
      fjac[i + ld] = (fp[i] - fm[i]) * 500.0;
    }
    return;
  }
  if (*iflag == 3) {
    // Step limit: t by at most 2 (0.5 near the ends of the domain), phi by at most 0.35.
    double s = 2.0;
    if (t <= 3.0) s = std::min(std::max(std::fabs(t) / 2.0, 0.5), 2.0);
    if (t >= 30.0) s = std::min(std::max(std::fabs(33.0 - t) / 2.0, 0.5), 2.0);
    const double u = fvec[0] / s, v = fvec[1] * 2.857142857142857;
    const double q = u * u + v * v;
    if (q > 1.0) {
      const double d = std::sqrt(q);
      fvec[0] /= d;
      fvec[1] /= d;
    }
  }
}

// Start (phi, t) of the strain-domain solve.
void _Dehnungsbereich_Startwerte(MASQUE *mask, const double *T, double lf, double yp, double zp, double *phi_out,
                                 double *t_out) {
  const double a = T[1] - zp * T[0], b = T[2] + yp * T[0], m = std::sqrt(a * a + b * b);
  double t0 = 16.0;
  if (T[0] != 0.0 || m != 0.0) {
    const double gdeg = 9.549296585513721 * std::atan2(T[0], m);
    t0 = gdeg > 4.0 ? 20.0 : gdeg <= -15.0 ? 1.0 : 16.0 + gdeg;
  }
  const double phis[2] = {b >= 0.0 ? kPi : 0.0, a < 0.0 ? -kPi / 2.0 : kPi / 2.0};
  double my[2] = {1.0, 0.0}, mz[2] = {0.0, 1.0};
  for (int k = 0; k < 2; ++k) {
    const double pair[2] = {phis[k], t0};
    double F[4];
    DEHNUNGSEBENE p;
    if (g.counting) ++g.evaluations;
    // The limit-strain plane once, then its forces.
    if (Get_Masque_Grenzdehnungsebene(mask, pair, &p) && Calc_Masque_Dehnungsebene_Forces(mask, &p, lf, F) &&
        p.kappa != 0.0) {
      _Move(F, yp, zp);
      const double d = k == 0 ? p.kappa * std::cos(phis[0]) : p.kappa * std::sin(phis[1]);
      my[k] = F[1] / d;
      mz[k] = F[2] / d;
    }
  }
  double phi0 = 0.0;
  const double det = my[0] * mz[1] - mz[0] * my[1];
  if (det != 0.0) {
    const double ky = (mz[1] * a - my[1] * b) / det, kz = (my[0] * b - mz[0] * a) / det;
    if (ky != 0.0 || kz != 0.0) phi0 = std::atan2(kz, ky);
  } else if (m != 0.0) {
    phi0 = std::atan2(b, a) + kPi / 2.0;
  }
  // Walk t in steps of 0.5 while the force direction comes closer to the target.
  const double Tm[3] = {T[0], a, b};
  auto cosine = [&](double t) {
    const double pair[2] = {phi0, t};
    double F[4];
    if (g.counting) ++g.evaluations;
    if (!Calc_Masque_Dehnungsbereich_Forces(mask, pair, lf, F)) return -2.0;
    _Move(F, yp, zp);
    const double nf = _Norm(F, 3), nt = _Norm(Tm, 3);
    return nf > 0.0 && nt > 0.0 ? _Dot(F, Tm, 3) / (nf * nt) : -2.0;
  };
  double t = t0;
  const double c0 = cosine(t0);
  if (c0 < 0.5) {
    const double first = T[0] > 0.0 ? 0.5 : -0.5;
    for (double dir : {first, -first}) {
      double best = c0;
      for (double tn = t0 + dir; tn >= 0.0 && tn <= 33.0; tn += dir) {
        const double c = cosine(tn);
        if (!(c > best)) break;
        best = c;
        t = tn;
      }
      if (t != t0) break;
    }
  }
  *phi_out = phi0;
  *t_out = t;
}

// ======================================================================= stage 3

// Weighted target and weights of the equilibrium solve; the reference point is the centroid.
void _Set_Gleichgewicht_Gewichte(MASQUE *mask, const double *P, double ys, double zs, double *Pw) {
  MASQUE_QUERSCHNITTSWERTE v;
  Calc_Masque_Querschnittswerte(mask, MASQUE_WERTE_ALLE, 3, &v);
  const double iq = std::sqrt(v.I1 * v.I1 + v.I2 * v.I2);
  const double cN = v.A > 0.0 ? 1.0 / v.A : 1.0;
  const double cM = iq > 0.0 ? 1.0 / iq : 1.0;
  const double c4 = v.vordehnung > 0.0 ? 1.0 / v.vordehnung : 1.0;
  const double a = P[1] - zs * P[0], b = P[2] + ys * P[0];
  const double s = cN * P[0] * P[0] + cM * (a * a + b * b) + c4 * P[3] * P[3];
  if (s > 0.0) {
    const double wN = std::sqrt(cN / s), wM = std::sqrt(cM / s), w4 = std::sqrt(c4 / s);
    g.weights[0] = wN, g.weights[1] = g.weights[2] = wM, g.weights[3] = w4;
  } else {
    for (double &w : g.weights) w = 1.0;
  }
  Pw[0] = g.weights[0] * P[0];
  Pw[1] = g.weights[1] * a;
  Pw[2] = g.weights[2] * b;
  Pw[3] = g.weights[3] * P[3];
}

// Elastic start plane for the forces P about the centroid.
DEHNUNGSEBENE _Elastische_Startebene(MASQUE *mask, const double *P) {
  DEHNUNGSEBENE p{0.0, -1e-4, 0.0, 0.0};
  MASQUE_QUERSCHNITTSWERTE v;
  Calc_Masque_Querschnittswerte(mask, MASQUE_WERTE_ALLE, 2, &v);
  double lo = MASQUE_NO_LIMIT, hi = -MASQUE_NO_LIMIT;
  for (int i = 0; i < Count_Masque_Gruppen(mask); ++i) {
    const MASQUE_GRUPPE *group = Get_Masque_Gruppe(mask, i);
    const int law = Masque_Group_Law(group);
    if (law != 1 && law != 2) continue;
    const double e = group->linie->arbeitsform.eigen.eps0;
    lo = std::min(lo, e);
    hi = std::max(hi, e);
  }
  if (lo <= hi) p.eps0 = -1e-4 - (lo + hi) / 2.0;
  const double a = P[1] - v.zs * P[0], b = P[2] + v.ys * P[0];
  const double ca = std::cos(v.alpha), sa = std::sin(v.alpha);
  const double k1 = (a * ca + b * sa) / (v.I1 != 0.0 ? v.I1 : 1.0);
  const double k2 = (b * ca - a * sa) / (v.I2 != 0.0 ? v.I2 : 1.0);
  if (k1 != 0.0 || k2 != 0.0) {
    // In the principal frame My = E c I1 and Mz = −E b I2 for the strain b y + c z.
    p.phi = std::atan2(k1, -k2) + v.alpha;
    const double i2 = v.A != 0.0 ? std::sqrt(v.I1 * v.I1 + v.I2 * v.I2) / v.A : 0.0;
    p.kappa = i2 < 1e-4 ? 1.0 : 0.01 / std::sqrt(i2);
  }
  p.eps0 -= p.kappa * (v.ys * std::cos(p.phi) + v.zs * std::sin(p.phi));
  return p;
}

// Stage-3 residuals for three and for four variables (n read from *pn): this one routine
// is both _Fcn_Gleichgewicht_3 and _Fcn_Gleichgewicht_4.
void _Fcn_Gleichgewicht_3(int *pn, double *x, double *fvec, double *fjac, int *ldfjac, int *iflag) {
  const int n = *pn;
  const DEHNUNGSEBENE p = _Plane_of(x, n);
  if (*iflag == 1) {
    double F[4];
    const int ok = _Forces(p, F);
    _Move(F, g.ry, g.rz);
    for (int i = 0; i < n; ++i) fvec[i] = ok ? g.weights[i] * F[i] - g.target[i] : 0.0;
    if (ok) _Stop_If_Met(fvec, n, iflag);
    return;
  }
  if (*iflag != 2) return;
  const int ld = *ldfjac;
  if (g.counting) ++g.jacobians;
  MASQUE_SCHNITTGROESSEN K;
  const int ok = Calc_Masque_Dehnungsebene_Steifigkeit(g.mask, &p, g.lastfaktor, &K);
  for (int j = 0; j < n; ++j) {
    double dF[4] = {K.K[j][0], K.K[j][1], K.K[j][2], K.K[j][3]};
    _Move(dF, g.ry, g.rz);
    const double sign = j == 0 ? -1.0 : 1.0;
    for (int i = 0; i < n; ++i) fjac[i + j * ld] = ok ? sign * g.weights[i] * dF[i] : 0.0;
  }
}
// The four-variable name of the same routine.
constexpr MASQUE_HYBRD_FCN _Fcn_Gleichgewicht_4 = _Fcn_Gleichgewicht_3;

// Runs the hybrid driver on x; fills residual norm, iterations and termination code.
int _Run(MASQUE_HYBRD_FCN fcn, int n, double *x, const SOLVER_TOLERANZ *tol, double *res, int *iter) {
  g.last_valid = true;  // from here to the next solve: one mask, load factor and state
  g.last_ok = 0;
  g.last_plane = DEHNUNGSEBENE{std::nan(""), 0.0, 0.0, 0.0};
  double t;
  int maxfev;
  _Tolerance(tol, &t, &maxfev);
  g.tol2 = t * t;
  double fvec[4] = {}, fjac[16] = {}, wa[34] = {};
  int ld = n, lwa = n == 2 ? 15 : n == 3 ? 24 : 34, info = 0, it = 0;
  double xtol = 0.001 * t;
  Masque_Hybrd1(fcn, &n, x, fvec, fjac, &ld, &xtol, &maxfev, &info, wa, &lwa, &it);
  *res = _Norm(fvec, n);
  *iter = it;
  return info;
}

}  // namespace

// ======================================================================= sub-solves

static int _Solve_Masque_Grenzebene(MASQUE *mask, const double *T, const SOLVER_TOLERANZ *tol, double lf, double yp,
                                    double zp, GRENZZUSTAND *rec, unsigned mode, double ratio) {
  if (!rec) return 0;
  rec->zustand = 1;
  if (!mask) return 0;
  const double saved_ratio = g.ratio_target;
  g.mask = mask;
  g.lastfaktor = lf;
  g.ratio_target = ratio;
  g.basis_built = false;
  for (double &w : g.weights) w = 1.0;
  g.ry = yp;
  g.rz = zp;
  const bool four = Masque_Uses_Vordehnung(mask);
  DEHNUNGSEBENE start = rec->ebene;
  if (!(mode & MASQUE_GZ_START_EBENE)) {
    start = DEHNUNGSEBENE{};
    double pair[2];
    _Dehnungsbereich_Startwerte(mask, T, lf, yp, zp, &pair[0], &pair[1]);
    DEHNUNGSEBENE p;
    if (Get_Masque_Grenzdehnungsebene(mask, pair, &p)) start = p;
    if (four && T[3] != 0.0) {
      // Mix in the initial strain plane by least squares towards T.
      g.ry = g.rz = 0.0;
      DEHNUNGSEBENE Q{0.0, 0.0, 0.0, T[3] < 0.0 ? 10.0 : -10.0};
      double rq, FQ[4], FP[4];
      if (_Ratio(mask, Q, &rq) && rq > 0.0) Q.x3 *= ratio / rq;
      _Forces(Q, FQ);
      for (int pass = 0; pass < 10; ++pass) {
        double r;
        if (!_Ratio(mask, start, &r) || !(r > 0.0)) break;
        const double s = ratio / r;
        DEHNUNGSEBENE P2{start.phi, start.eps0 * s, start.kappa * s, start.x3 * s};
        _Forces(P2, FP);
        const double pp = _Dot(FP, FP, 4), qq = _Dot(FQ, FQ, 4), pq = _Dot(FP, FQ, 4);
        const double det = pp * qq - pq * pq;
        if (det == 0.0) break;
        const double tp = _Dot(FP, T, 4), tq = _Dot(FQ, T, 4);
        const double al = (tp * qq - tq * pq) / det, be = (tq * pp - tp * pq) / det;
        const DEHNUNGSEBENE A{P2.phi, P2.eps0 * al, P2.kappa * al, P2.x3 * al};
        const DEHNUNGSEBENE B{Q.phi, Q.eps0 * be, Q.kappa * be, Q.x3 * be};
        Add_Dehnungsebenen(&A, &B, &start);
        Q = P2;
        std::copy(FP, FP + 4, FQ);
      }
      g.ry = yp;
      g.rz = zp;
    }
  }
  double Tm[4] = {T[0], T[1], T[2], T[3]};
  _Move(Tm, yp, zp);
  g.target = Tm;
  const int n = four ? 4 : 3;
  double x[4];
  _Variables_of(start, x);
  int iter = 0;
  const int info = _Run(n == 4 ? _Fcn_Grenzebene_4 : _Fcn_Grenzebene_3, n, x, tol, &rec->residuum, &iter);
  rec->ebene = _Plane_of(x, n);
  _Forces(rec->ebene, rec->F);
  rec->lambda = _Lambda(T, rec->F, 4);
  rec->iterationen = iter;
  rec->verhaeltnis = ratio;
  rec->zustand = info + 1;
  g.mask = nullptr;
  g.target = nullptr;
  g.last_valid = false;
  g.ratio_target = saved_ratio;
  return rec->zustand == 0 ? 1 : 0;
}

static int _Solve_Masque_Dehnungsbereich(MASQUE *mask, const double *T, const SOLVER_TOLERANZ *tol, double lf,
                                         double yp, double zp, DEHNUNGSBEREICH_LAGE *rec, unsigned mode) {
  g.mask = mask;
  g.lastfaktor = lf;
  g.basis_built = false;
  for (double &w : g.weights) w = 1.0;
  if (!(mode & MASQUE_GZ_START_EBENE)) _Dehnungsbereich_Startwerte(mask, T, lf, yp, zp, &rec->phi, &rec->t);
  g.mask = mask;
  g.ry = yp;
  g.rz = zp;
  double Tm[4] = {T[0], T[1], T[2], T[3]};
  _Move(Tm, yp, zp);
  g.target = Tm;
  double x[2] = {rec->t, rec->phi};
  int iter = 0;
  const int info = _Run(&_Fcn_Dehnungsbereich_Richtung, 2, x, tol, &rec->residuum, &iter);
  rec->t = std::clamp(x[0], 0.0, 33.0);
  rec->phi = std::fmod(x[1], 2.0 * kPi);
  if (rec->phi < 0.0) rec->phi += 2.0 * kPi;
  const double pair[2] = {rec->phi, rec->t};
  Calc_Masque_Dehnungsbereich_Forces(mask, pair, lf, rec->F);
  rec->lambda = _Lambda(T, rec->F, 3);
  rec->iterationen = iter;
  rec->wort = 0;
  rec->zustand = info + 1;
  g.mask = nullptr;
  g.target = nullptr;
  g.last_valid = false;
  return rec->zustand == 0 ? 1 : 0;
}

static int _Solve_Masque_Gleichgewicht(MASQUE *mask, const double *P, const SOLVER_TOLERANZ *tol, double lf,
                                       GLEICHGEWICHTSLAGE *rec, bool start) {
  MASQUE_QUERSCHNITTSWERTE v;
  Calc_Masque_Querschnittswerte(mask, MASQUE_WERTE_ALLE, 1, &v);
  double Pw[4];
  _Set_Gleichgewicht_Gewichte(mask, P, v.ys, v.zs, Pw);
  if (!start) rec->ebene = _Elastische_Startebene(mask, P);
  g.mask = mask;
  g.lastfaktor = lf;
  g.ry = v.ys;
  g.rz = v.zs;
  g.target = Pw;
  const int n = Masque_Uses_Vordehnung(mask) ? 4 : 3;
  double x[4];
  _Variables_of(rec->ebene, x);
  int iter = 0;
  const int info = _Run(n == 4 ? _Fcn_Gleichgewicht_4 : _Fcn_Gleichgewicht_3, n, x, tol, &rec->residuum, &iter);
  rec->ebene = _Plane_of(x, n);
  rec->iterationen = iter;
  rec->zustand = info + 1;
  g.mask = nullptr;
  g.target = nullptr;
  g.last_valid = false;
  return rec->zustand == 0 ? 1 : 0;
}

// ======================================================================= limit state

namespace {

// Reference point and scale of a limit state (its steps before the stages).
void _Prepare(MASQUE *mask, const double *T_in, double lf, double *T, double *scale, double *yp, double *zp) {
  for (int i = 0; i < 4; ++i) T[i] = T_in[i];
  *yp = *zp = 0.0;
  double NT = std::fabs(T[0]), QT = std::fabs(T[3]);
  double F[4];
  const double centric[2] = {0.0, T[0] > 0.0 ? 33.0 : 0.0};
  if (Calc_Masque_Dehnungsbereich_Forces(mask, centric, lf, F)) {
    if (std::fabs(F[0]) > 1e-6 * std::sqrt(F[1] * F[1] + F[2] * F[2])) {
      *yp = -F[2] / F[0];
      *zp = F[1] / F[0];
    }
    NT = std::max(NT, std::fabs(F[0]));
    QT = std::max(QT, std::fabs(F[3]));
  }
  if (Masque_Uses_Vordehnung(mask)) {
    DEHNUNGSEBENE p{0.0, 0.0, 0.0, T[3] < 0.0 ? 10.0 : -10.0};
    double r;
    if (_Ratio(mask, p, &r) && r > 0.0) p.x3 /= r;
    if (Calc_Masque_Dehnungsebene_Forces(mask, &p, lf, F)) QT = std::max(QT, std::fabs(F[3]));
  }
  const double a = T[1] - *zp * T[0], b = T[2] + *yp * T[0];
  double MY = std::fabs(a), MZ = std::fabs(b);
  const double py[2] = {a < 0.0 ? -kPi / 2.0 : kPi / 2.0, 12.0};
  if (Calc_Masque_Dehnungsbereich_Forces(mask, py, lf, F)) MY = std::max(MY, std::fabs(F[1] - *zp * F[0]));
  const double pz[2] = {b < 0.0 ? 0.0 : kPi, 12.0};
  if (Calc_Masque_Dehnungsbereich_Forces(mask, pz, lf, F)) MZ = std::max(MZ, std::fabs(F[2] + *yp * F[0]));
  const double S = 0.001 * std::sqrt(QT * QT + NT * NT + MZ * MZ + MY * MY);
  const double tn = _Norm(T, 4);
  *scale = 1.0;
  if (S > tn) *scale = tn * 1e6 <= S ? 1e6 : S / tn;
  if (*scale != 1.0) {
    for (int i = 0; i < 4; ++i) T[i] *= *scale;
  }
}

struct Bracket {
  bool has = false;
  double lambda = 0.0, r = 0.0, res = 0.0;
  DEHNUNGSEBENE plane{};
};

DEHNUNGSEBENE _Scaled_Plane(const DEHNUNGSEBENE &p, double s) {
  return DEHNUNGSEBENE{p.phi, p.eps0 * s, p.kappa * s, p.x3 * s};
}

}  // namespace

int Calc_Masque_Grenzzustand_Scaled(MASQUE *mask, const double *T_in, double lf, const SOLVER_TOLERANZ *tol,
                                    GRENZZUSTAND *rec, unsigned mode, double ratio) {
  if (!mask || !T_in || !rec) return 0;
  StateGuard guard;
  rec->lambda = -1.0;
  rec->wort = 0;
  double T[4], scale, yp, zp;
  _Prepare(mask, T_in, lf, T, &scale, &yp, &zp);
  int total = 0;
  auto finish = [&](int result) {
    rec->lambda *= scale;
    rec->iterationen = total;
    return result;
  };

  // Stage 1: the direct solve.
  const int ok1 = _Solve_Masque_Grenzebene(mask, T, tol, lf, yp, zp, rec, mode, ratio);
  total += rec->iterationen;
  if (ok1 && rec->lambda >= 0.0) return finish(1);
  double step = 1.0, bound = 0.1;
  if (!ok1 && rec->lambda > 0.0 && rec->residuum < 0.1) {
    step = rec->lambda / 2.0;
    bound = rec->residuum;
  }

  // Stage 2: the strain-domain solve. Its planes have no initial-strain factor and it
  // matches only (N, My, Mz): with the initial strains on, its result would miss F4.
  if (!(mode & (MASQUE_GZ_NUR_DIREKT | MASQUE_GZ_OHNE_BEREICH)) && !Masque_Uses_Vordehnung(mask)) {
    g.ratio_target = ratio;
    DEHNUNGSBEREICH_LAGE d{};
    const int ok2 = _Solve_Masque_Dehnungsbereich(mask, T, tol, lf, yp, zp, &d, mode & ~MASQUE_GZ_START_EBENE);
    g.ratio_target = guard.ratio;
    total += d.iterationen;
    if (ok2 && d.lambda >= 0.0) {
      const double pair[2] = {d.phi, d.t};
      DEHNUNGSEBENE p;
      double r;
      // Limit-strain planes have the ratio 1; they answer only a target ratio of 1.
      if (Get_Masque_Grenzdehnungsebene(mask, pair, &p) && _Ratio(mask, p, &r) &&
          std::fabs(r - ratio) <= 0.001 * ratio) {
        rec->ebene = p;
        std::copy(d.F, d.F + 4, rec->F);
        rec->residuum = d.residuum;
        rec->wort = 0;
        rec->lambda = d.lambda;
        rec->verhaeltnis = r;
        rec->zustand = 1;
        return finish(1);
      }
    } else if (!ok2 && d.lambda > 0.0 && d.residuum < bound) {
      step = d.lambda / 2.0;
    }
  }
  // Only the direct solve allowed: a converged plane with λ < 0 is no limit state either.
  if (mode & MASQUE_GZ_NUR_DIREKT) return finish(0);

  // Stage 3: load stepping on equilibrium planes.
  Bracket lo, hi;
  bool near = false, last_ok = false;
  const double rt = ratio;
  for (int pass = 0; pass < 100; ++pass) {
    double P[4];
    for (int i = 0; i < 4; ++i) P[i] = step * T[i];
    GLEICHGEWICHTSLAGE q{};
    bool start = false;
    if (lo.has && hi.has && hi.lambda != lo.lambda) {
      const double w = (step - lo.lambda) / (hi.lambda - lo.lambda);
      const DEHNUNGSEBENE &a = lo.plane, &b = hi.plane;
      const double gy = (1 - w) * a.kappa * std::cos(a.phi) + w * b.kappa * std::cos(b.phi);
      const double gz = (1 - w) * a.kappa * std::sin(a.phi) + w * b.kappa * std::sin(b.phi);
      const double k = std::sqrt(gy * gy + gz * gz);
      q.ebene = DEHNUNGSEBENE{k > 0.0 ? std::atan2(gz, gy) : 0.0, (1 - w) * a.eps0 + w * b.eps0, k,
                              (1 - w) * a.x3 + w * b.x3};
      start = true;
    } else if (lo.has && lo.lambda > 0.0) {
      q.ebene = _Scaled_Plane(lo.plane, step / lo.lambda);
      start = true;
    } else if (hi.has && hi.lambda > 0.0) {
      q.ebene = _Scaled_Plane(hi.plane, step / hi.lambda);
      start = true;
    }
    last_ok = _Solve_Masque_Gleichgewicht(mask, P, tol, lf, &q, start);
    total += q.iterationen;
    if (!last_ok) {
      step = step / 4.0 + (lo.has ? 0.75 * lo.lambda : 0.0);
      continue;
    }
    double r = 0.0;
    _Ratio(mask, q.ebene, &r);
    if (!near && std::fabs(rt - r) <= 3.0 * rt) near = true;
    Bracket &b = r <= rt ? lo : hi;
    b.has = true;
    b.lambda = step;
    b.r = r;
    b.res = q.residuum;
    b.plane = q.ebene;
    if (near) {
      rec->ebene = q.ebene;
      const int ok = _Solve_Masque_Grenzebene(mask, T, tol, lf, yp, zp, rec, mode | MASQUE_GZ_START_EBENE, ratio);
      total += rec->iterationen;
      if (ok && rec->lambda >= 0.0) return finish(1);
    }
    if (hi.has && !lo.has) {
      const double e = hi.lambda * rt / hi.r;
      step = e < step ? e : 0.75 * step;
    } else if (hi.has && lo.has) {
      if (hi.lambda - lo.lambda < 0.01 * lo.lambda || rt - lo.r < 0.01 * rt) break;
      const double w = (rt - lo.r) / (hi.r - lo.r);
      step = (1.0 - w) * lo.lambda + w * hi.lambda;
    } else if (lo.has) {
      const double e = lo.r > 0.0 ? lo.lambda * rt / lo.r : 2.0 * step;
      step = e > step ? e : 1.25 * step;
    } else {
      step *= 2.0;
    }
  }
  if (!lo.has) return finish(0);
  rec->ebene = lo.plane;
  Calc_Masque_Dehnungsebene_Forces(mask, &lo.plane, lf, rec->F);
  const double tt = _Dot(T, T, 4);
  rec->lambda = tt > 0.0 ? _Dot(T, rec->F, 4) / tt : 0.0;
  rec->residuum = lo.res;
  rec->verhaeltnis = lo.r;
  rec->zustand = 0;
  return finish(1);
}

int Calc_Masque_Grenzzustand(MASQUE *mask, const double *T, double lf, const SOLVER_TOLERANZ *tol,
                             GRENZZUSTAND *record, unsigned mode) {
  return Calc_Masque_Grenzzustand_Scaled(mask, T, lf, tol, record, mode, 1.0);
}

int Calc_Masque_Grenzrichtung(MASQUE *mask, const double *T_in, double lf, const SOLVER_TOLERANZ *tol,
                              DEHNUNGSBEREICH_LAGE *record, unsigned mode) {
  if (!mask || !T_in || !record) return 0;
  StateGuard guard;
  double T[4], scale, yp, zp;
  _Prepare(mask, T_in, lf, T, &scale, &yp, &zp);
  const int ok = _Solve_Masque_Dehnungsbereich(mask, T, tol, lf, yp, zp, record, mode);
  record->lambda *= scale;
  return ok;
}

int Calc_Masque_Gleichgewicht(MASQUE *mask, const double *T, double lf, const SOLVER_TOLERANZ *tol,
                              GLEICHGEWICHTSLAGE *record, unsigned mode) {
  if (!mask || !T || !record) return 0;
  StateGuard guard;
  record->zustand = 1;
  int total = 0;
  int ok = _Solve_Masque_Gleichgewicht(mask, T, tol, lf, record, (mode & MASQUE_GZ_START_EBENE) != 0);
  total += record->iterationen;
  if (!ok && !(mode & MASQUE_GZ_NUR_DIREKT)) {
    // Continuation: from the limit plane scaled down, with the lines' own planes scaled
    // alike, towards the full own planes.
    GRENZZUSTAND gz{};
    const int found = Calc_Masque_Grenzzustand_Scaled(mask, T, lf, tol, &gz, 0, 1.0);
    total += gz.iterationen;
    if (found && gz.lambda != 0.0) {
      for (double f : {8.0, 4.0, 2.0, 1.0}) {
        const double s = 1.0 / (gz.lambda * f);
        record->ebene = _Scaled_Plane(gz.ebene, s);
        Set_Masque_Linienebene_Faktor(s);
        ok = _Solve_Masque_Gleichgewicht(mask, T, tol, lf, record, true);
        Set_Masque_Linienebene_Faktor(guard.line_factor);
        total += record->iterationen;
        if (ok) break;
      }
    }
  }
  record->iterationen = total;
  return ok;
}

// ======================================================================= load factor search

namespace {

// Residuals of the load factor refinement in (−ε0, κ cos φ, κ sin φ, ln x): the weighted
// forces at the load factor x about the centroid less λ_req times the weighted target, and
// 1 less the limit-strain ratio.
double _Grenzfaktor_Lambda(const DEHNUNGSEBENE &p) {
  if (g.lambda_req > 0.0) return g.lambda_req;
  double gamma = 2.1;
  Get_Masque_Dehnung_Beiwert(g.mask, &p, 0.0, &gamma, nullptr);
  return gamma;
}

int _Grenzfaktor_Forces(const DEHNUNGSEBENE &p, double x, double *r) {
  double F[4];
  if (g.counting) ++g.evaluations;
  if (!Calc_Masque_Dehnungsebene_Forces(g.mask, &p, x, F)) return 0;
  _Move(F, g.ry, g.rz);
  const double l = _Grenzfaktor_Lambda(p);
  for (int i = 0; i < 3; ++i) r[i] = g.weights[i] * F[i] - l * g.target[i];
  return 1;
}

void _Fcn_Grenzfaktor(int *, double *x, double *fvec, double *fjac, int *ldfjac, int *iflag) {
  const DEHNUNGSEBENE p = _Plane_of(x, 3);
  const double lf = std::exp(x[3]);
  if (*iflag == 1) {
    double r;
    if (!_Grenzfaktor_Forces(p, lf, fvec) || !_Ratio(g.mask, p, &r)) {
      for (int i = 0; i < 4; ++i) fvec[i] = 0.0;
      *iflag = -2;  // a failed evaluation never counts as a solution
      return;
    }
    fvec[3] = 1.0 - r;
    _Stop_If_Met(fvec, 4, iflag);
    return;
  }
  if (*iflag != 2) return;
  const int ld = *ldfjac;
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) fjac[i + j * ld] = 0.0;
  if (g.counting) ++g.jacobians;
  MASQUE_SCHNITTGROESSEN K;
  if (!Calc_Masque_Dehnungsebene_Steifigkeit(g.mask, &p, lf, &K)) return;
  for (int j = 0; j < 3; ++j) {
    double dF[4] = {K.K[j][0], K.K[j][1], K.K[j][2], K.K[j][3]};
    _Move(dF, g.ry, g.rz);
    const double sign = j == 0 ? -1.0 : 1.0;  // x0 = −ε0
    for (int i = 0; i < 3; ++i) fjac[i + j * ld] = sign * g.weights[i] * dF[i];
  }
  // ln x by a forward difference with x × 1.1.
  double f0[3], f1[3];
  if (_Grenzfaktor_Forces(p, lf, f0) && _Grenzfaktor_Forces(p, 1.1 * lf, f1)) {
    for (int i = 0; i < 3; ++i) fjac[i + 3 * ld] = (f1[i] - f0[i]) / std::log(1.1);
  }
  // The ratio row by central differences in the plane variables.
  for (int j = 0; j < 3; ++j) {
    double xp[3] = {x[0], x[1], x[2]}, xm[3] = {x[0], x[1], x[2]};
    xp[j] += 0.001;
    xm[j] -= 0.001;
    double rp = 0.0, rm = 0.0;
    _Ratio(g.mask, _Plane_of(xp, 3), &rp);
    _Ratio(g.mask, _Plane_of(xm, 3), &rm);
    fjac[3 + j * ld] = -(rp - rm) * 500.0;
  }
}

// Refines the point (plane, x) of the load factor search; 1 with the record filled when
// the hybrid solve converged with x inside [u_min, u_max] on the log scale.
int _Refine_Grenzfaktor(MASQUE *mask, const double *T, const SOLVER_TOLERANZ *tol, double lambda_req, double u_min,
                        double u_max, const DEHNUNGSEBENE &start, double x_start, GRENZZUSTAND_FAKTOR *record,
                        int *iterations) {
  MASQUE_QUERSCHNITTSWERTE v;
  Calc_Masque_Querschnittswerte(mask, MASQUE_WERTE_ALLE, 1, &v);
  // Weights of the equilibrium solve, for the target λ_req T when λ_req is given.
  const double s = lambda_req > 0.0 ? lambda_req : 1.0;
  const double P[4] = {s * T[0], s * T[1], s * T[2], 0.0};
  double Pw[4];
  _Set_Gleichgewicht_Gewichte(mask, P, v.ys, v.zs, Pw);
  if (lambda_req > 0.0) {
    for (double &w : Pw) w /= lambda_req;
  }
  g.mask = mask;
  g.target = Pw;
  g.ry = v.ys;
  g.rz = v.zs;
  g.lambda_req = lambda_req;
  double x[4];
  _Variables_of(start, x);
  x[3] = std::log(std::max(x_start, 1e-10));
  double res = 0.0;
  int iter = 0;
  const int info = _Run(&_Fcn_Grenzfaktor, 4, x, tol, &res, &iter);
  *iterations += iter;
  g.mask = nullptr;
  g.target = nullptr;
  g.last_valid = false;
  // Converged means the residual met the tolerance (the callback stopped the solve).
  if (info != -1 || !(x[3] >= u_min - 1e-12 && x[3] <= u_max + 1e-12)) return 0;
  const double lf = std::exp(x[3]);
  GRENZZUSTAND &gz = record->grenz;
  gz.ebene = _Plane_of(x, 3);
  if (!Calc_Masque_Dehnungsebene_Forces(mask, &gz.ebene, lf, gz.F)) return 0;
  const double tt = _Dot(T, T, 4);
  gz.lambda = tt > 0.0 ? _Dot(T, gz.F, 4) / tt : 0.0;
  double r = 0.0;
  _Ratio(mask, gz.ebene, &r);
  gz.verhaeltnis = r;
  gz.residuum = res;
  gz.wort = 0;
  gz.zustand = 0;
  record->faktor = lf;
  return 1;
}

}  // namespace


int Calc_Masque_Grenzfaktor(MASQUE *mask, const double *T, const double *range, const SOLVER_TOLERANZ *tol,
                            GRENZZUSTAND_FAKTOR *record) {
  if (!mask || !T || !range || !record) return 0;
  record->grenz.zustand = 1;
  record->status = 0;
  const double x_min = std::max(range[0], 0.0);
  const double x_max = std::max(range[1], x_min);
  const double u_min = std::log(std::max(x_min, 1e-10)), u_max = std::log(std::max(x_max, 1e-10));
  int total = 0;
  // q(x) − 1 of the limit state at load factor x; the record holds that limit state.
  auto eval = [&](double x, GRENZZUSTAND &gz, bool from_plane, double *g_out) {
    int ok = 0;
    if (from_plane) ok = Calc_Masque_Grenzzustand_Scaled(mask, T, x, tol, &gz, MASQUE_GZ_START_EBENE, 1.0);
    if (!ok) ok = Calc_Masque_Grenzzustand_Scaled(mask, T, x, tol, &gz, 0, 1.0);
    total += gz.iterationen;
    if (!ok) return 0;
    double req = range[3];
    if (!(req > 0.0)) Get_Masque_Dehnung_Beiwert(mask, &gz.ebene, 0.0, &req, nullptr);
    *g_out = gz.lambda / req - 1.0;
    return 1;
  };
  GRENZZUSTAND hi{};
  double g_hi;
  if (!eval(x_max, hi, false, &g_hi)) {
    record->status = 0x1000;
    record->faktor = x_max;
    record->grenz = hi;
    record->grenz.iterationen = total;
    return 0;
  }
  record->grenz = hi;
  record->faktor = x_max;
  if (g_hi < -0.001) {
    record->status = 2;  // even the largest factor does not reach the required λ
    record->grenz.iterationen = total;
    return 0;
  }
  if (g_hi <= 0.001) {
    record->grenz.iterationen = total;
    return record->grenz.zustand == 0 || record->grenz.zustand == 1;
  }
  // Regula falsi (Illinois) on ln x between x_min and x_max, which bracket the root.
  GRENZZUSTAND lo{};
  double g_lo;
  double u_lo = u_min, u_hi = u_max;
  if (!eval(std::exp(u_lo), lo, false, &g_lo) || g_lo > 0.001) {
    record->status = 2;
    record->grenz.iterationen = total;
    return 0;
  }
  int side = 0;
  double g_a = g_lo, g_b = g_hi;
  GRENZZUSTAND cur = lo;
  double x = std::exp(u_lo);
  double g_prev = g_lo, bound = 3.0;
  for (int it = 0; it < 60 && std::fabs(g_lo) > 0.001; ++it) {
    const double u = g_b != g_a ? u_lo - g_a * (u_hi - u_lo) / (g_b - g_a) : (u_lo + u_hi) / 2.0;
    const double xn = std::exp(std::clamp(u, u_min, u_max));
    cur.ebene = g_lo < 0.0 ? lo.ebene : hi.ebene;
    double gn;
    if (!eval(xn, cur, true, &gn)) break;
    if (std::fabs(gn - g_prev) < bound) {
      // Close enough for the joint solve of plane and factor; a converged one ends the search.
      if (_Refine_Grenzfaktor(mask, T, tol, range[3], u_min, u_max, cur.ebene, xn, record, &total)) {
        record->grenz.iterationen = total;
        record->status = 0;
        return 1;
      }
      bound /= 2.0;
    }
    g_prev = gn;
    const bool small_change = std::fabs(xn - x) <= 0.001 * (xn + 1.0);
    x = xn;
    if (std::fabs(gn) <= 0.001 || small_change) {
      g_lo = gn;
      lo = cur;
      break;
    }
    if (gn < 0.0) {
      u_lo = std::log(xn), g_a = gn, lo = cur, g_lo = gn;
      if (side == -1) g_b /= 2.0;
      side = -1;
    } else {
      u_hi = std::log(xn), g_b = gn, hi = cur;
      if (side == 1) g_a /= 2.0;
      side = 1;
    }
  }
  record->grenz = cur;
  record->grenz.iterationen = total;
  record->faktor = x;
  record->status = std::fabs(g_lo) <= 0.001 ? 0 : 2;
  return record->status == 0 ? 1 : 0;
}

// ======================================================================= coefficient, counters

int Get_Masque_Dehnung_Beiwert(MASQUE *mask, const DEHNUNGSEBENE *plane, double value, double *out,
                               MASQUE_DEHNUNG_EXTREMES *extremes) {
  if (!mask || !plane) return 0;
  int result = 1;
  MASQUE_DEHNUNG_EXTREMES local;
  MASQUE_DEHNUNG_EXTREMES *x = extremes ? extremes : (value <= 0.0 ? &local : nullptr);
  if (x) result = Get_Masque_Dehnung_Extremes(mask, plane, x);
  if (!out) return result;
  if (value > 0.0) {
    *out = value;
    return result;
  }
  const double e = x->max2;
  *out = std::clamp(2.1 - 7.0 / 60.0 * e, 1.75, 2.1);
  return result;
}

void Reset_Masque_Solver_Counts() {
  _Changing_State();
  g.evaluations = g.jacobians = 0;
}

void Get_Masque_Solver_Counts(int *evaluations, int *jacobians) {
  if (evaluations) *evaluations = g.evaluations;
  if (jacobians) *jacobians = g.jacobians;
}

int Set_Masque_Solver_Counting(int on) {
  _Changing_State();
  const int previous = g.counting ? 1 : 0;
  g.counting = on != 0;
  return previous;
}

void Reset_Masque_Solver_For_Tests() {
  const bool registered = g.reset_registered;
  g = SolverState{};
  g.reset_registered = registered;
}

void Masque_Test_Residuals(int solve, MASQUE *mask, const double *T, double lf, double yp, double zp, int n,
                           const double *x_in, double *fvec, double *fjac) {
  StateGuard guard;
  g.mask = mask;
  g.lastfaktor = lf;
  g.tol2 = 0.0;
  g.basis_built = false;
  g.ry = yp;
  g.rz = zp;
  double Tm[4] = {T[0], T[1], T[2], T[3]};
  MASQUE_HYBRD_FCN fcn = n == 4 ? _Fcn_Grenzebene_4 : _Fcn_Grenzebene_3;
  if (solve == 2) fcn = &_Fcn_Dehnungsbereich_Richtung;
  if (solve == 3) {
    fcn = n == 4 ? _Fcn_Gleichgewicht_4 : _Fcn_Gleichgewicht_3;
    MASQUE_QUERSCHNITTSWERTE v;
    Calc_Masque_Querschnittswerte(mask, MASQUE_WERTE_ALLE, 1, &v);
    _Set_Gleichgewicht_Gewichte(mask, T, v.ys, v.zs, Tm);
    g.ry = v.ys;
    g.rz = v.zs;
  } else {
    for (double &w : g.weights) w = 1.0;
    _Move(Tm, yp, zp);
  }
  g.target = Tm;
  double x[4] = {};
  std::copy(x_in, x_in + n, x);
  int nn = n, ld = n, flag = 1;
  fcn(&nn, x, fvec, fjac, &ld, &flag);
  flag = 2;
  fcn(&nn, x, fvec, fjac, &ld, &flag);
}

void Masque_Test_Step_Limit(double t, double phi, double *step) {
  int n = 2, ld = 2, flag = 3;
  double x[2] = {t, phi}, fjac[4];
  _Fcn_Dehnungsbereich_Richtung(&n, x, step, fjac, &ld, &flag);
}

void Masque_Test_Zielbasis(const double *T, double basis[3][4]) {
  _Build_Zielbasis(T);
  for (int k = 0; k < 3; ++k)
    for (int i = 0; i < 4; ++i) basis[k][i] = g.basis[k][i];
  g.basis_built = false;
}
