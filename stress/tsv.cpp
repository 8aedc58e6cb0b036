// stress/tsv.cpp — partial internal forces method of plated sections: the first pass of
// every plate model and the load-increase search (regula falsi and Brent).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "stress/stress_methods.h"
#include "stress/brent_step.h"
#include "stress/tsv_internal.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kBandLow = 0.995, kBandHigh = 1.0, kBandMid = 0.9975;
constexpr int kStageRuns = 100;

// Every run starts from this: flags 0, doubles 0, the ten utilisations from rho_s to U_My
// at −1 (not computed).
TSV_RESULT Template() {
  TSV_RESULT r{};
  r.rho_s = r.U_tau = r.U_tau_o = r.U_tau_u = r.U_tau_s = -1.0;
  r.U_MS = r.U_MS_o = r.U_MS_u = r.U_N = r.U_My = -1.0;
  return r;
}

bool Valid_Yield(const double *material) {
  return material && std::isfinite(material[1]) && material[1] > 0.0;
}

// Utilisation of x between lo and hi measured from their centre c; false (u = 1000) when
// the side x lies on has no extent.
bool Centre_Rule(double x, double lo, double hi, double *u) {
  const double c = 0.5 * (lo + hi);
  if (x <= c && lo < c) {
    *u = (x - c) / (lo - c);
    return true;
  }
  if (x >= c && hi > c) {
    *u = (x - c) / (hi - c);
    return true;
  }
  *u = 1000.0;
  return false;
}

// Web term of a web carrying N_w below its capacity N_s: (h_w/4)(N_s² − N_w²)/N_s; a web
// without capacity adds nothing.
double Web_Term(double h_w, double N_s, double N_w) {
  if (!(N_s > 0.0)) return 0.0;
  return 0.25 * h_w * (N_s * N_s - N_w * N_w) / N_s;
}

// V and M of the method order turned once into the principal axes.
void Principal_Forces(const double *in, double alpha, double *out) {
  std::copy(in, in + 8, out);
  if (alpha != 0.0)
    Transform_Profil_Section_Forces(&out[0], &out[1], &out[2], &out[3], &out[4], &out[5], &out[6], &out[7], alpha,
                                    0, 0);
}

void Pass_Circular(const double *f, const TSV_SECTION *s, double fy, TSV_RESULT *r) {
  const double D = s->h_w, t = s->t_w;
  if (!(t > 0.0 && D > 0.0 && D > t)) return;
  r->flags = TSV_F_PARTIAL | 0xC00000;
  const double e_y = s->y_s - s->y0, e_z = s->z_s - s->z0;
  const double N = f[0], M_y0 = f[4] + e_z * N, M_z0 = f[5] - e_y * N;
  const double V = std::hypot(f[1], f[2]), M = std::hypot(M_y0, M_z0);
  r->V_s = V;
  r->M_xp_s = f[3];
  r->N = N;
  r->M_y_ref = r->M_y_s = M;
  const double ra = 0.5 * D, ri = ra - t, a = ra * ra - ri * ri, w = ra * ra * ra - ri * ri * ri;
  const double tau = V / (2.0 * a) + 3.0 * std::fabs(f[3]) / (2.0 * kPi * w);
  r->U_tau = r->U_tau_s = tau * std::sqrt(3.0) / fy;
  if (r->U_tau > 1.0) return;
  const double rho = std::sqrt(1.0 - r->U_tau * r->U_tau);
  r->rho_s = rho;
  r->flags = TSV_F_PARTIAL | TSV_F_SHEAR | 0xC00000;
  const double N_pl = kPi * a * rho * fy;
  r->N_lo_s = r->N_lo = -N_pl;
  r->N_hi_s = r->N_hi = N_pl;
  r->U_N = std::fabs(N) / N_pl;
  if (!(r->U_N <= 1.0)) return;
  const double M_pl = 4.0 / 3.0 * w * rho * fy;
  const double m_lim = M_pl * std::sin((1.0 - r->U_N) * kPi / 2.0);
  r->M_lo = r->M_y_s_lo = -m_lim;
  r->M_hi = r->M_y_s_hi = m_lim;
  const double m = M / M_pl, v = m <= 1.0 ? 2.0 / kPi * std::asin(m) : m;
  r->U_My = std::max(m, v + r->U_N);
  r->flags = 0x1C0001F;
  r->U = std::max({r->U_My, r->U_N, r->U_tau});
}

void Pass_Flat(const double *f, const TSV_SECTION *s, double fy, TSV_RESULT *r) {
  const double a = s->h_w, b = s->t_w;
  if (!(a > 0.0 && b > 0.0)) return;
  const double h = std::max(a, b), t = std::min(a, b);
  const double e_y = s->y_s - s->y0, e_z = s->z_s - s->z0;
  const double N = f[0], M_y0 = f[4] + e_z * N, M_z0 = f[5] - e_y * N;
  const bool first_long = a >= b;
  const double M_1 = first_long ? M_y0 : M_z0, M_2 = first_long ? M_z0 : M_y0;
  const double V = std::hypot(f[1], f[2]);
  r->V_s = V;
  r->M_xp_s = f[3];
  r->M_Sa_o = r->M_Sa_u = M_z0;
  r->N = N;
  r->M_y_ref = r->M_y_s = M_y0;
  const double tau_V = V / (h * t), tau_T = 2.0 * std::fabs(f[3]) / (t * t * (2.0 * h - t));
  r->U_tau = (std::hypot(tau_V, tau_T) + tau_T) * std::sqrt(3.0) / fy;
  r->flags = 0x148001F;
  r->rho_s = 1.0;
  const double N_pl = fy * h * t;
  r->N_lo_s = r->N_lo = -N_pl;
  r->N_hi_s = r->N_hi = N_pl;
  r->U_N = std::fabs(N) / N_pl;
  const double u1 = 0.5 * std::fabs(M_1) / (0.25 * h * N_pl);
  r->U_My = std::hypot(r->U_N, u1) + u1;
  const double u2 = 0.5 * std::fabs(M_2) / (0.25 * t * N_pl);
  r->U_MS = std::hypot(r->U_My, u2) + u2;
  r->U = std::hypot(r->U_MS, r->U_tau);
  if (!first_long && a != b) std::swap(r->U_MS, r->U_My);
}

struct Plate {
  bool exists;
  double y, z, b, t, A;
  double b_v = 0, t_v = 0;  // shear and torsion on b_v × t_v where given, else on b × t
  double Shear_B() const { return b_v > 0.0 && t_v > 0.0 ? b_v : b; }
  double Shear_T() const { return b_v > 0.0 && t_v > 0.0 ? t_v : t; }
  double I_T() const { return Shear_B() * Shear_T() * Shear_T() * Shear_T() / 3.0; }
};

// Limit normal forces of a flange under its lateral moment; false when it is overloaded.
bool Flange_Limits(const Plate &p, double M_Sa, double N_pl, double *u, double *lo, double *hi) {
  const double e = 2.0 * p.y / p.b;
  const double den = p.b * N_pl;
  const double m = den != 0.0 ? 4.0 * M_Sa / den : 0.0;
  *u = std::fabs(m) / (1.0 + e * e);
  *lo = *hi = 0.0;
  if (*u > 1.0) return false;
  *lo = m < 2.0 * e ? (e - std::sqrt(1.0 + e * e + m)) * N_pl : -(std::sqrt(1.0 + e * e - m) + e) * N_pl;
  *hi = -m < 2.0 * e ? (std::sqrt(1.0 + e * e - m) - e) * N_pl : (std::sqrt(1.0 + e * e + m) + e) * N_pl;
  return true;
}

void Pass_Plates(const double *f, const TSV_SECTION *s, double fy, TSV_RESULT *r) {
  Plate o{s->b_o > 0.0 && s->t_o > 0.0, s->y_o - s->y0, s->z_o - s->z0, s->b_o, s->t_o, 0.0, s->b_o_v, s->t_o_v};
  Plate u{s->b_u > 0.0 && s->t_u > 0.0, s->y_u - s->y0, s->z_u - s->z0, s->b_u, s->t_u, 0.0, s->b_u_v, s->t_u_v};
  Plate w{s->h_w > 0.0 && s->t_w > 0.0, s->y_w - s->y0, s->z_w - s->z0, s->h_w, s->t_w, 0.0};
  const double m_y = s->y_M - s->y0, m_z = s->z_M - s->z0;
  uint32_t plates = 0;
  double sum_A = 0.0, sum_Ay = 0.0, sum_Az = 0.0, sum_IT = 0.0, omega_num = 0.0;
  for (Plate *p : {&o, &u, &w}) {
    if (!p->exists) continue;
    p->A = p->b * p->t;
    sum_A += p->A;
    sum_Ay += p->A * p->y;
    sum_Az += p->A * p->z;
    sum_IT += p->I_T();
  }
  if (o.exists) plates |= TSV_F_TOP, omega_num += o.A * o.y * o.z;
  if (u.exists) plates |= TSV_F_BOTTOM, omega_num += u.A * u.y * u.z;
  if (w.exists) plates |= TSV_F_WEB;
  r->flags = plates;
  const double omega0 = sum_A > 0.0 ? -omega_num / sum_A : 0.0;
  const double N = f[0], V_y = f[1], V_z = f[2], M_xp = f[3], M_y = f[4], M_z = f[5], M_xs = f[6], B = f[7];
  const double y_hat = sum_A > 0.0 ? sum_Ay / sum_A : 0.0, z_hat = sum_A > 0.0 ? sum_Az / sum_A : 0.0;
  auto share = [&](const Plate &p) {
    return p.exists && sum_IT > 0.0 ? M_xp * p.I_T() / sum_IT : 0.0;
  };
  if (!w.exists || !(o.exists || u.exists)) return;
  r->flags |= TSV_F_PARTIAL;
  r->V_s = V_z;
  r->M_xp_o = share(o);
  r->M_xp_u = share(u);
  r->M_xp_s = share(w);
  r->N = N;
  r->M_y_ref = M_y + z_hat * N;
  r->M_y_s = M_y;

  // Flange forces.
  const double M_z2 = M_z - y_hat * N;
  if (o.exists && !u.exists) {
    r->V_o = V_y;
    r->M_Sa_o = M_z2;
  } else if (u.exists && !o.exists) {
    r->V_u = V_y;
    r->M_Sa_u = M_z2;
  } else if (u.z != o.z) {
    const double M_xs_s = M_xs + m_y * V_z - m_z * V_y;
    const double B_s = B + omega0 * N + m_y * M_y + m_z * M_z;
    const double d = u.z - o.z;
    r->V_o = (M_xs_s + u.z * V_y) / d;
    r->V_u = -(M_xs_s + o.z * V_y) / d;
    r->M_Sa_o = (u.z * M_z2 - B_s) / d;
    r->M_Sa_u = (B_s - o.z * M_z2) / d;
  }

  // Shear of every plate, reducing its yield strength.
  const double tau_R = fy / std::sqrt(3.0);
  r->f_y = fy;
  r->tau_R = tau_R;
  auto shear_u = [&](const Plate &p, double V, double Mxp) {
    const double b = p.Shear_B(), t = p.Shear_T();
    const double den = (2.0 * b - t) * t * t;
    const double tT = den != 0.0 ? 2.0 * std::fabs(Mxp) / den : 0.0;
    const double tV = V / (b * t);
    return (std::hypot(tV, tT) + tT) / tau_R;
  };
  r->U_tau = 0.0;
  if (o.exists) r->U_tau = std::max(r->U_tau, r->U_tau_o = shear_u(o, r->V_o, r->M_xp_o));
  if (u.exists) r->U_tau = std::max(r->U_tau, r->U_tau_u = shear_u(u, r->V_u, r->M_xp_u));
  r->U_tau = std::max(r->U_tau, r->U_tau_s = shear_u(w, V_z, r->M_xp_s));
  if (r->U_tau > 1.0) return;
  if (o.exists) r->rho_o = std::sqrt(1.0 - r->U_tau_o * r->U_tau_o);
  if (u.exists) r->rho_u = std::sqrt(1.0 - r->U_tau_u * r->U_tau_u);
  r->rho_s = std::sqrt(1.0 - r->U_tau_s * r->U_tau_s);
  r->flags |= TSV_F_PARTIAL | TSV_F_SHEAR;

  // Lateral bending of the flanges.
  double lo_o = 0.0, hi_o = 0.0, lo_u = 0.0, hi_u = 0.0;
  r->U_MS = 0.0;
  if (o.exists) {
    Flange_Limits(o, r->M_Sa_o, o.A * fy * r->rho_o, &r->U_MS_o, &lo_o, &hi_o);
    r->U_MS = std::max(r->U_MS, r->U_MS_o);
  }
  if (u.exists) {
    Flange_Limits(u, r->M_Sa_u, u.A * fy * r->rho_u, &r->U_MS_u, &lo_u, &hi_u);
    r->U_MS = std::max(r->U_MS, r->U_MS_u);
  }
  r->N_lo_o = lo_o, r->N_hi_o = hi_o, r->N_lo_u = lo_u, r->N_hi_u = hi_u;
  if (r->U_MS > 1.0) return;

  // Normal force.
  r->flags |= 0x13;
  const double Ns = fy * w.A * r->rho_s;
  r->N_lo_s = -Ns;
  r->N_hi_s = Ns;
  r->N_lo = lo_o - Ns + lo_u;
  r->N_hi = hi_o + Ns + hi_u;
  if (!Centre_Rule(N, r->N_lo, r->N_hi, &r->U_N) || r->U_N > 1.0) return;

  // Moment limits about the reference point for the acting N.
  const double hw = w.b, zo = o.exists ? o.z : 0.0, zu = u.exists ? u.z : 0.0;
  double M_lo, M_hi;
  if (hi_o + lo_u - Ns <= N)
    M_lo = hi_o + lo_u + Ns <= N ? (N - hi_o - Ns) * zu + hi_o * zo
                                 : zo * hi_o + zu * lo_u - Web_Term(hw, Ns, N - hi_o - lo_u);
  else
    M_lo = (N + Ns - lo_u) * zo + lo_u * zu;
  if (hi_u + lo_o - Ns <= N)
    M_hi = hi_u + lo_o + Ns <= N ? (N - hi_u - Ns) * zo + hi_u * zu
                                 : zo * lo_o + zu * hi_u + Web_Term(hw, Ns, N - lo_o - hi_u);
  else
    M_hi = zo * lo_o + (N + Ns - lo_o) * zu;
  const Plate *fl[2] = {&o, &u};
  const double lim[2][2] = {{lo_o, hi_o}, {lo_u, hi_u}};
  bool inside = false;
  for (int i = 0; i < 2; ++i) {
    const Plate &p = *fl[i];
    if (!p.exists || !(std::fabs(2.0 * p.z) < 0.99999 * hw)) continue;
    inside = true;
    const int j = 1 - i;
    const double zj = fl[j]->exists ? fl[j]->z : 0.0;
    for (int sign = 1; sign >= -1; sign -= 2) {
      const double Nk = sign * 2.0 * p.z * Ns / hw;
      for (double Nj : lim[j]) {
        const double Nf = N - Nk - Nj;
        if (Nf < lim[i][0] || Nf > lim[i][1]) continue;
        const double base = Nf * p.z + zj * Nj, wt = Web_Term(hw, Ns, Nk);
        if (sign > 0)
          M_lo = std::min(M_lo, base - wt);
        else
          M_hi = std::max(M_hi, base + wt);
      }
    }
  }
  if (inside) {
    for (double No : lim[0])
      for (double Nu : lim[1]) {
        const double Nw = N - No - Nu;
        if (std::fabs(Nw) > Ns) continue;
        const double base = zo * No + zu * Nu, wt = Web_Term(hw, Ns, Nw);
        M_lo = std::min(M_lo, base - wt);
        M_hi = std::max(M_hi, base + wt);
      }
  }
  r->M_lo = M_lo;
  r->M_hi = M_hi;
  r->M_y_s_lo = M_lo - z_hat * N;
  r->M_y_s_hi = M_hi - z_hat * N;
  Centre_Rule(M_y, r->M_y_s_lo, r->M_y_s_hi, &r->U_My);
  r->U = std::max({r->U_N, r->U_My, r->U_tau, r->U_MS});
  r->flags = plates | 0x100001F;
}

// Working utilisation: U of a complete pass, else the largest utilisation found.
double Working_U(const TSV_RESULT &r) {
  if ((r.flags & 0xF) == 0xF && r.U >= 0.0) return r.U;
  return std::max({r.U_MS, r.U_My, r.U_tau, r.U_N, 0.0});
}
bool Complete(const TSV_RESULT &r) { return (r.flags & 0xF) == 0xF; }
bool In_Band(double u) { return u >= kBandLow && u <= kBandHigh; }

struct Eval {
  bool ok;
  double U;
  bool complete;
};

Eval Evaluate(const double *forces, const double *material, const TSV_SECTION *frame, double factor,
              TSV_RESULT *scratch) {
  double f[8];
  for (int i = 0; i < 8; ++i) f[i] = forces[i] * factor;
  const bool ok = _Calc_TSV_at_Load_Factor(f, material, frame, scratch) != 0;
  return {ok, Working_U(*scratch), Complete(*scratch)};
}

// Test seam: the residual that Brent's stage evaluates (null, as at start:
// _TSV_Load_Factor_Residual). No section the method models makes Brent give up (the working
// utilisation has no step across the band), so only tests reach the regula falsi after it.
TSV_RESIDUAL g_brent_residual = nullptr;

struct Search {
  const double *forces, *material;
  const TSV_SECTION *frame;
  TSV_RESULT scratch;
  bool has_lo = false, has_hi = false;
  double f_lo = 0.0, U_lo = 0.0, f_hi = 0.0, U_hi = 0.0;
  bool found = false;  // a factor inside the band
  double f_found = 0.0;

  Eval At(double f) { return Evaluate(forces, material, frame, f, &scratch); }
  // Regula falsi towards U = 1 inside the bracket.
  bool Falsi() {
    for (int run = 0; run < kStageRuns; ++run) {
      double q = (1.0 - U_lo) / (U_hi - U_lo);
      q = std::clamp(std::isfinite(q) ? q : 0.5, 0.02, 0.98);
      double f = f_lo + q * (f_hi - f_lo);
      if (!(f > f_lo && f < f_hi)) f = 0.5 * (f_lo + f_hi);
      const Eval e = At(f);
      if (!e.ok) return false;
      if (e.U <= kBandHigh) {
        if (e.U >= kBandLow) return found = true, f_found = f, true;
        f_lo = f, U_lo = e.U;
      } else {
        f_hi = f, U_hi = e.U;
      }
    }
    return false;
  }
  // Brent's method on U(f) − 0.9975 in [f_lo, f_hi]; true once a factor in the band is
  // found, false when it stops otherwise (the bracket then holds what it learnt).
  bool Brent() {
    // The search's residual at f (a failed run answers 10, which no pass reaches exactly);
    // the bracket learns from the utilisation the run left in scratch.
    auto residual = [&](double f, bool *failed) {
      const double r = (g_brent_residual ? g_brent_residual : _TSV_Load_Factor_Residual)(forces, material, frame,
                                                                                          &scratch, f);
      *failed = r == 10.0;
      if (*failed) return r;
      const double U = Working_U(scratch);
      if (U <= kBandHigh && U > U_lo && f > f_lo && f < f_hi) f_lo = f, U_lo = U;
      if (U > kBandHigh && f < f_hi && f > f_lo) f_hi = f, U_hi = U;
      return r;
    };
    const double fa = U_lo - kBandMid;
    BRENT_BRACKET br{f_lo, f_hi, f_lo, fa, U_hi - kBandMid, fa, f_hi - f_lo, f_hi - f_lo};
    for (int it = 0; it < kStageRuns; ++it) {
      if (!Brent_Step(br, 5e-13)) return false;
      const double b = br.b;
      bool failed = false;
      const double fb = br.fb = residual(b, &failed);
      if (failed) return false;
      if (std::fabs(fb) <= kBandMid - kBandLow && In_Band(fb + kBandMid)) return found = true, f_found = b, true;
    }
    return false;
  }
  bool Bracket() {
    if (!has_lo || !has_hi) return false;
    if ((U_lo - kBandMid > 0.0) == (U_hi - kBandMid > 0.0)) return Falsi();
    return Brent() || Falsi();
  }
};

}  // namespace

int _Calc_TSV_at_Load_Factor(const double *forces, const double *material, const TSV_SECTION *frame,
                             TSV_RESULT *result) {
  if (!result) return 0;
  *result = Template();
  if (!forces || !frame || !Valid_Yield(material)) return 0;
  const double fy = material[1];
  double f[8];
  Principal_Forces(forces, frame->alpha, f);
  switch (frame->mode) {
    case TSV_MODE_TUBE:
    case TSV_MODE_DISC:
      Pass_Circular(f, frame, fy, result);
      break;
    case TSV_MODE_FLAT:
      Pass_Flat(f, frame, fy, result);
      break;
    default:
      Pass_Plates(f, frame, fy, result);
      break;
  }
  return 1;
}

TSV_RESIDUAL Set_TSV_Brent_Residual_For_Tests(TSV_RESIDUAL residual) {
  const TSV_RESIDUAL old = g_brent_residual;
  g_brent_residual = residual;
  return old;
}

double _TSV_Load_Factor_Residual(const double *forces, const double *material, const TSV_SECTION *frame,
                                 TSV_RESULT *result, double factor) {
  const Eval e = Evaluate(forces, material, frame, factor, result);
  return e.ok ? e.U - kBandMid : 10.0;
}

int Calc_TSV_Teilschnittgroessen(const double *forces, const double *material, const TSV_SECTION *frame,
                                 TSV_RESULT *result) {
  if (!result) return 0;
  if (!_Calc_TSV_at_Load_Factor(forces, material, frame, result)) return 0;
  const double W = Working_U(*result);
  if (frame->mode == TSV_MODE_FLAT || W <= 0.005 || In_Band(W)) {
    if (result->U > 990000.0) std::puts("tsv: result->U > 0.99e6");
    return 1;
  }

  Search s{forces, material, frame, {}};
  double f = 1.0, U = W;
  bool stage2 = W < kBandLow, ended = false;
  if (!stage2) {
    if (Complete(*result)) s.has_hi = true, s.f_hi = 1.0, s.U_hi = W;
    for (int run = 0; run < kStageRuns && !ended; ++run) {
      f = f > 1.0 / U ? 0.9 / U : 0.5 * f;
      const Eval e = s.At(f);
      if (!e.ok) {
        ended = true;
        break;
      }
      U = e.U;
      if (U > kBandHigh) {
        if (e.complete && (!s.has_hi || U < s.U_hi)) s.has_hi = true, s.f_hi = f, s.U_hi = U;
        continue;
      }
      if (U >= kBandLow) s.found = true, s.f_found = f;
      s.has_lo = true, s.f_lo = f, s.U_lo = U;
      break;
    }
    if (!s.found && s.has_lo && !s.has_hi) stage2 = true;
    ended = s.found || !s.has_lo;
  } else {
    s.has_lo = true, s.f_lo = 1.0, s.U_lo = W;
  }
  if (stage2 && !s.found) {
    f = s.f_lo, U = s.U_lo;
    bool bracket = false;
    for (int run = 0; run < kStageRuns && !bracket; ++run) {
      f = s.has_hi ? 0.5 * (s.f_lo + s.f_hi) : (f < 1.0 / U ? 1.1 / U : 2.0 * f);
      const Eval e = s.At(f);
      if (!e.ok) {
        ended = true;
        break;
      }
      U = e.U;
      if (U <= kBandHigh) {
        if (U > s.U_lo) s.f_lo = f, s.U_lo = U;
        if (U >= kBandLow) {
          s.found = true, s.f_found = f;
          break;
        }
      } else {
        s.has_hi = true, s.f_hi = f, s.U_hi = U;
        bracket = e.complete;
      }
    }
    ended = ended || s.found || !bracket;
  }
  if (!s.found && !ended) s.Bracket();

  const double f_end = s.found ? s.f_found : s.f_lo;
  const int ok = _Calc_TSV_at_Load_Factor(forces, material, frame, result);
  if (ok && (s.found || s.has_lo) && f_end > 0.0) {
    const double U_pl = 1.0 / f_end;
    const bool final_set = (result->flags & TSV_F_FINAL) != 0;
    if (s.found) {
      if (!final_set) {
        if (U_pl > 1.0) result->U = U_pl, result->flags |= TSV_F_FINAL;
      } else if ((result->U <= 1.0 && U_pl > result->U) || (result->U > 1.0 && U_pl > 1.0)) {
        result->U = U_pl;
      }
    } else if (final_set && U_pl > result->U) {
      result->U = U_pl;
    }
  }
  if (result->U > 990000.0) std::puts("tsv: result->U > 0.99e6");
  return ok;
}
