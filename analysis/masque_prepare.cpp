// Cross-section mask: the working form of a stress-strain line. The ten parameters of a
// line and the mask's option block become the line's own strain plane and a list of at
// most ten strain segments in ascending order, each with one curve kind (masque.h).
#include <algorithm>
#include <cmath>

#include "analysis/masque.h"

namespace {
// Segments under construction.
struct SegmentList {
  SDL_ABSCHNITT seg[SDL_MAX_ABSCHNITTE];
  int n = 0;
};

SDL_ABSCHNITT _Neutral() {
  SDL_ABSCHNITT s{};
  s.q = 1.0;
  s.kind = SDL_KIND_NEUTRAL;
  return s;
}

// Appends a neutral segment with upper bound hi; every scheme below builds at most ten.
SDL_ABSCHNITT &_Add(SegmentList &list, double hi) {
  SDL_ABSCHNITT &s = list.seg[list.n < SDL_MAX_ABSCHNITTE ? list.n++ : SDL_MAX_ABSCHNITTE - 1];
  s = _Neutral();
  s.hi = hi;
  return s;
}

// Constant stress s0 (carrying nothing when it is 0), or the option slope g beyond a limit.
void _Outer(SDL_ABSCHNITT &s, bool has_g, double g) {
  if (has_g) {
    s.kind = SDL_KIND_LINEAR;
    s.s1 = g;
    s.q = 1.0;
  } else if (s.s0 != 0.0) {
    s.kind = SDL_KIND_KONSTANT;
  }
}

void _Linear(SDL_ABSCHNITT &s, double lo, double s0, double slope) {
  s.kind = SDL_KIND_LINEAR;
  s.lo = lo;
  s.s0 = s0;
  s.s1 = slope;
  s.q = 1.0;
}

void _Constant(SDL_ABSCHNITT &s, double s0) {
  s.kind = SDL_KIND_KONSTANT;
  s.s0 = s0;
}

// Curve kind of the rising branches by function number and exponent.
int _Curve_Kind(int fn, double exponent) {
  if (fn == 1 || fn == 3) return SDL_KIND_SARGIN;
  if (fn == 2 || fn == 4) return SDL_KIND_KUBISCH;
  if (exponent == 2.0) return SDL_KIND_PARABEL;
  if (exponent == 1.0) return SDL_KIND_LINEAR;
  return SDL_KIND_POTENZ;
}

// Steel with hardening (function numbers 5 and 6): elastic line, circular transition to
// the ultimate strength, ultimate plateau and, for 6, a linear descent to 0 at epsu.
void _Build_Hardening_Steel(const double *P, int fn, bool has_g, double g, SegmentList &list) {
  const double fy = P[SDL_BETA_Z];
  double ft = P[SDL_BETA_D];
  const double E = P[SDL_STEIGUNG];
  double et = P[SDL_EPS_D];
  const double es = P[SDL_EPS_Z];
  const double eu = std::fabs(P[SDL_EPS_U]);
  const double r = P[SDL_EXPONENT];
  const bool fn6 = fn == 6;

  const double ey = E > 0.0 ? fy / E : 0.0;
  const bool hard = ft > fy && et > ey;
  double p = 2.01;
  if (hard) {
    p = std::max(E * (et - ey) / (ft - fy), 2.01);
  } else {
    et = ey;
    ft = fy;
  }
  double ftc = ft, fyc = fy, Ec = E;  // compression side, lowered by a negative exponent
  if (r < 0.0) {
    if (ft + r > 0.0) {
      ftc = ft + r;
      fyc = std::max(fy + r, 0.0);
      Ec = ey > 0.0 ? fyc / ey : 0.0;
    } else {
      ftc = fyc = Ec = 0.0;
    }
  }

  SDL_ABSCHNITT &a = _Add(list, -eu);
  a.lo = -eu;
  a.s0 = fn6 ? 0.0 : -ftc;
  _Outer(a, has_g, g);
  if (es < eu) {
    SDL_ABSCHNITT &b = _Add(list, -es);
    if (fn6) {
      b.kind = SDL_KIND_LINEAR;
      b.lo = -eu;
      b.s1 = -ftc;
      b.q = 1.0 / (eu - es);
    } else {
      _Constant(b, -ftc);
    }
  }
  if (et < es) _Constant(_Add(list, -et), -ftc);
  if (hard) {
    SDL_ABSCHNITT &d = _Add(list, -ey);
    d.kind = SDL_KIND_KREISBOGEN;
    d.lo = -et;
    d.s0 = -ftc;
    d.s1 = (ftc - fyc) * (p - 1.0) / (p - 2.0);
    d.q = std::sqrt((p - 2.0) * p) / ((et - ey) * (p - 1.0));
    d.p = p;
  }
  if (ey > 0.0) {
    _Linear(_Add(list, 0.0), 0.0, 0.0, Ec);
    _Linear(_Add(list, ey), 0.0, 0.0, E);
  }
  if (hard) {
    SDL_ABSCHNITT &f = _Add(list, et);
    f.kind = SDL_KIND_KREISBOGEN;
    f.lo = et;
    f.s0 = ft;
    f.s1 = (fy - ft) * (p - 1.0) / (p - 2.0);
    f.q = std::sqrt((p - 2.0) * p) / ((p - 1.0) * (ey - et));
    f.p = p;
  }
  if (es > et) _Constant(_Add(list, es), ft);
  if (eu > es) {
    SDL_ABSCHNITT &h = _Add(list, eu);
    if (fn6) {
      h.kind = SDL_KIND_LINEAR;
      h.lo = es;
      h.s0 = ft;
      h.s1 = -ft;
      h.q = 1.0 / (eu - es);
    } else {
      _Constant(h, ft);
    }
  }
  SDL_ABSCHNITT &i = _Add(list, MASQUE_NO_LIMIT);
  i.lo = eu;
  i.s0 = fn6 ? 0.0 : ft;
  _Outer(i, has_g, g);
}

// Concrete-like and steel-like laws from betaD, betaZ, epsD, epsZ, epsu, exponent and
// steigung, between and beyond the limit strains.
void _Build_General(const double *P, int fn, bool symmetric, double lower, double upper, bool has_g, double g,
                    SegmentList &list) {
  const double betaD = P[SDL_BETA_D], betaZ = P[SDL_BETA_Z];
  const double epsD = P[SDL_EPS_D], epsZ = P[SDL_EPS_Z];
  const double exponent = P[SDL_EXPONENT], steigung = P[SDL_STEIGUNG];

  // Below the lower limit; this segment also serves every smaller strain.
  SDL_ABSCHNITT &a = _Add(list, lower);
  a.lo = lower;
  a.s0 = fn == 4 ? 0.0 : (lower - epsD) * steigung - betaD;
  _Outer(a, has_g, g);

  if (epsD > lower) {  // compression plateau
    SDL_ABSCHNITT &b = _Add(list, epsD);
    if (fn == 3) {
      if (exponent != 0.0) {
        b.kind = SDL_KIND_SARGIN;
        b.s1 = -betaD;
        b.q = 1.0 / epsD;
        b.p = exponent;
      }
    } else if (fn == 4) {
      if (exponent != 0.0) _Linear(b, epsD, -betaD, betaD / (lower - epsD));
    } else if (steigung != 0.0) {
      _Linear(b, epsD, -betaD, steigung);
    } else {
      _Constant(b, -betaD);
    }
  }
  if (epsD < 0.0) {  // compression curve, xi from 0 at zero strain to 1 at epsD
    SDL_ABSCHNITT &c = _Add(list, 0.0);
    c.kind = _Curve_Kind(fn, exponent);
    c.s1 = -betaD;
    c.q = 1.0 / epsD;
    c.p = exponent;
  }
  if (epsZ > 0.0) {  // tension curve
    SDL_ABSCHNITT &d = _Add(list, epsZ);
    d.kind = symmetric ? _Curve_Kind(fn, exponent) : SDL_KIND_LINEAR;
    d.s1 = betaZ;
    d.q = 1.0 / epsZ;
    d.p = exponent;
  }
  if (upper > epsZ) {  // tension plateau up to the upper limit
    SDL_ABSCHNITT &e = _Add(list, upper);
    e.lo = epsZ;
    e.s0 = symmetric ? betaZ : 0.0;
    if (steigung != 0.0) {
      e.kind = SDL_KIND_LINEAR;
      e.s1 = steigung;
    } else if (e.s0 != 0.0) {
      e.kind = SDL_KIND_KONSTANT;
    }
  }
  if (symmetric) {  // beyond the upper limit
    SDL_ABSCHNITT &f = _Add(list, MASQUE_NO_LIMIT);
    f.lo = upper;
    f.s0 = (upper - epsZ) * steigung + betaZ;
    _Outer(f, has_g, g);
  }
}

// Writes the stress and tangent jumps at every segment's upper bound, then merges each
// segment into its predecessor of the same kind when it continues it: constants without
// a jump, linear segments of equal slope without a stress jump.
int _Merge(SegmentList &list, double tol) {
  const int n = list.n;
  for (int i = 0; i < n; ++i) {
    SDL_ABSCHNITT &s = list.seg[i];
    s.sprung[0] = s.sprung[1] = 0.0;
    if (i + 1 < n) {
      double t0 = 0.0, t1 = 0.0;
      const double v0 = Calc_SDL_Abschnitt_Spannung(&s, s.hi, &t0);
      const double v1 = Calc_SDL_Abschnitt_Spannung(&list.seg[i + 1], s.hi, &t1);
      s.sprung[0] = v1 - v0;
      s.sprung[1] = t1 - t0;
    }
  }
  if (n < 2) return n;
  int m = 1;
  for (int i = 1; i < n; ++i) {
    SDL_ABSCHNITT &prev = list.seg[m - 1];
    const SDL_ABSCHNITT &s = list.seg[i];
    bool merge = false;
    if (s.kind == prev.kind && s.kind == SDL_KIND_KONSTANT) {
      merge = std::fabs(prev.sprung[0]) <= tol && std::fabs(prev.sprung[1]) <= tol;
    } else if (s.kind == prev.kind && s.kind == SDL_KIND_LINEAR) {
      merge = std::fabs(s.s1 * s.q - prev.s1 * prev.q) <= tol && std::fabs(prev.sprung[0]) <= tol;
    }
    if (merge) {
      prev.hi = s.hi;
      prev.sprung[0] = s.sprung[0];
      prev.sprung[1] = s.sprung[1];
    } else {
      list.seg[m++] = s;
    }
  }
  return m;
}
}  // namespace

int Prepare_Masque_Spannungsdehnungslinie(SPANNUNGSDEHNUNGSLINIE *line, const MASQUE_CALC_OPTIONS *options) {
  if (!line) return 0;
  const MASQUE_CALC_OPTIONS opt = options ? *options : MASQUE_CALC_OPTIONS{};
  const double *P = line->param;
  SDL_ARBEITSFORM &form = line->arbeitsform;

  // The line's own initial strain plane (its fourth value is left as it is).
  if (opt.flags & MASQUE_OPTION_OHNE_EIGEN) {
    form.eigen.phi = form.eigen.eps0 = form.eigen.kappa = 0.0;
  } else {
    form.eigen.phi = P[SDL_WINKEL];
    form.eigen.eps0 = P[SDL_EPS_V];
    form.eigen.kappa = P[SDL_KRUEMMUNG];
  }

  double lower = 0.0, upper = 0.0;
  const bool symmetric = Get_Spannungsdehnungslinie_Limits(line, &lower, &upper) == 2;
  const int fn = static_cast<int>(line->typ >> SDL_TYP_FUNKTION_SHIFT);

  // Option slope beyond the limit strains: a small stiffness that keeps the limit-state
  // iterations away from flat ends.
  const unsigned off = symmetric ? MASQUE_OPTION_NICHT_SYMM : MASQUE_OPTION_NICHT_DRUCK;
  const double deps = std::fabs(P[SDL_EPS_Z]) + std::fabs(P[SDL_EPS_D]);
  const bool has_g = (opt.flags & MASQUE_OPTION_WERT) && opt.wert > 0.0 && !(opt.flags & off) && deps > 0.0;
  const double g = has_g ? opt.wert * (std::fabs(P[SDL_BETA_Z]) + std::fabs(P[SDL_BETA_D])) / deps : 0.0;

  SegmentList list;
  if (P[SDL_EXPONENT] >= 10000.0) {
    // Rigid-plastic: −betaD in compression, betaZ in tension.
    SDL_ABSCHNITT &c = _Add(list, 0.0);
    c.s0 = -P[SDL_BETA_D];
    if (P[SDL_BETA_D] > 0.0) c.kind = SDL_KIND_KONSTANT;
    SDL_ABSCHNITT &t = _Add(list, MASQUE_NO_LIMIT);
    t.s0 = P[SDL_BETA_Z];
    if (P[SDL_BETA_Z] > 0.0) t.kind = SDL_KIND_KONSTANT;
    c.sprung[0] = P[SDL_BETA_D] + P[SDL_BETA_Z];
  } else {
    if (fn == 5 || fn == 6) {
      _Build_Hardening_Steel(P, fn, has_g, g, list);
    } else {
      _Build_General(P, fn, symmetric, lower, upper, has_g, g, list);
    }
    // The tolerance scales with the limit strains; the open upper limit of a
    // compression-limited line counts with |epsu|, not with its "no limit" value.
    const double eu = std::fabs(P[SDL_EPS_U]);
    list.n = _Merge(list, 1e-10 * 2.0 * eu);
  }

  form.anzahl = list.n;
  for (int i = 0; i < SDL_MAX_ABSCHNITTE; ++i) form.abschnitt[i] = i < list.n ? list.seg[i] : _Neutral();
  return 1;
}
