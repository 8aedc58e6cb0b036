// stress/brent_step.h — one step of Brent's root finder, shared by the load-increase search
// of the plated sections and the shear iteration of the plastic limit state (not for callers
// outside stress/).
#pragma once

#include <algorithm>
#include <cmath>

// The bracket [b, c] with its last point a, the values fa, fb, fc there, and the last two
// step lengths d, e. Start with c = a, fc = fa, d = e = b − a.
struct BRENT_BRACKET {
  double a, b, c, fa, fb, fc, d, e;
};

// Takes the next abscissa into b (interpolation where it promises enough, else bisection),
// with the tolerance 2e-12·|b| + abs_tol; the caller then evaluates fb at b. Returns false,
// and moves nothing but the bracket's ends, once the bracket is within the tolerance.
inline bool Brent_Step(BRENT_BRACKET &s, double abs_tol) {
  if ((s.fb > 0.0) == (s.fc > 0.0)) s.c = s.a, s.fc = s.fa, s.d = s.e = s.b - s.a;
  if (std::fabs(s.fc) < std::fabs(s.fb)) s.a = s.b, s.b = s.c, s.c = s.a, s.fa = s.fb, s.fb = s.fc, s.fc = s.fa;
  const double tol = abs_tol + 2e-12 * std::fabs(s.b), m = 0.5 * (s.c - s.b);
  if (std::fabs(m) <= tol) return false;
  if (std::fabs(s.e) >= tol && std::fabs(s.fa) > std::fabs(s.fb)) {
    double p, q;
    const double r = s.fb / s.fa;
    if (s.a == s.c) {
      p = 2.0 * m * r, q = 1.0 - r;
    } else {
      const double qq = s.fa / s.fc, rr = s.fb / s.fc;
      p = r * (2.0 * m * qq * (qq - rr) - (s.b - s.a) * (rr - 1.0));
      q = (qq - 1.0) * (rr - 1.0) * (r - 1.0);
    }
    if (p > 0.0) q = -q; else p = -p;
    if (2.0 * p < std::min(3.0 * m * q - std::fabs(tol * q), std::fabs(s.e * q))) {
      s.e = s.d, s.d = p / q;
    } else {
      s.d = m, s.e = m;
    }
  } else {
    s.d = m, s.e = m;
  }
  s.a = s.b, s.fa = s.fb;
  s.b += std::fabs(s.d) > tol ? s.d : (m > 0.0 ? tol : -tol);
  return true;
}
