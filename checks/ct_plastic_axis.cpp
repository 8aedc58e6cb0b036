// checks/ct_plastic_axis.cpp — the plastic neutral axis of a plate model for the alpha of
// classes 1 and 2 (EN 1993-1-1 Table 5.2, sheets 1 and 2: the plastic stress distribution).
//
// The walls are strips of their thickness about their centre lines. Under the fully plastic
// distribution (+f compressed, −f in tension) the straight axis takes the section's normal
// force N (compression positive) and turns until the moment of the two blocks about the
// centroid points the way the moment of the elastic stresses does. For a fixed direction of
// the axis the compressed area is (A + N/f)/2, which fixes its offset; the moment of the
// blocks then runs once round the boundary of the section's plastic moments at N as the
// axis turns, so the direction is found by bisection on the angle.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "checks/checks_internal.h"

namespace {

struct Pt {
  double y, z;
};
struct Poly {
  int n;
  Pt p[8];
};
// Area, first moments ∫y dA, ∫z dA and second moments ∫y² dA, ∫z² dA, ∫yz dA.
struct Sums {
  double A, Sy, Sz, Iyy, Izz, Iyz;
};

// Shoelace sums of a polygon; sign the orientation's (+1 counter-clockwise).
Sums _Sums(const Poly &q, double sign, bool second) {
  Sums s{};
  for (int i = 0; i < q.n; ++i) {
    const Pt &a = q.p[i], &b = q.p[(i + 1) % q.n];
    const double c = a.y * b.z - b.y * a.z;
    s.A += c;
    s.Sy += (a.y + b.y) * c;
    s.Sz += (a.z + b.z) * c;
    if (second) {
      s.Iyy += (a.y * a.y + a.y * b.y + b.y * b.y) * c;
      s.Izz += (a.z * a.z + a.z * b.z + b.z * b.z) * c;
      s.Iyz += (a.y * b.z + 2 * a.y * a.z + 2 * b.y * b.z + b.y * a.z) * c;
    }
  }
  s.A *= sign / 2, s.Sy *= sign / 6, s.Sz *= sign / 6;
  s.Iyy *= sign / 12, s.Izz *= sign / 12, s.Iyz *= sign / 24;
  return s;
}

// The part of a convex polygon where n·p > d.
Poly _Clip(const Poly &q, double ny, double nz, double d) {
  Poly out{};
  for (int i = 0; i < q.n; ++i) {
    const Pt &a = q.p[i], &b = q.p[(i + 1) % q.n];
    const double va = ny * a.y + nz * a.z - d, vb = ny * b.y + nz * b.z - d;
    if (va > 0) out.p[out.n++] = a;
    if ((va > 0) != (vb > 0)) {
      const double f = va / (va - vb);
      out.p[out.n++] = {a.y + f * (b.y - a.y), a.z + f * (b.z - a.z)};
    }
  }
  return out;
}

// The strip of a wall (null when it has no length).
bool _Strip(const CT_WALL &w, Poly *q) {
  const double dy = w.y_b - w.y_a, dz = w.z_b - w.z_a, len = std::hypot(dy, dz);
  if (!(len > 0.0) || !std::isfinite(len)) return false;
  const double ny = -dz / len, nz = dy / len;
  const double ha = std::max(w.t_a, 0.0) / 2, hb = std::max(w.t_b, 0.0) / 2;
  if (!(ha + hb > 0.0)) return false;
  q->n = 4;
  q->p[0] = {w.y_a - ny * ha, w.z_a - nz * ha};
  q->p[1] = {w.y_b - ny * hb, w.z_b - nz * hb};
  q->p[2] = {w.y_b + ny * hb, w.z_b + nz * hb};
  q->p[3] = {w.y_a + ny * ha, w.z_a + nz * ha};
  return true;
}

// The root of a continuous f on [lo, hi] with f(lo), f(hi) of opposite signs by the
// Illinois form of regula falsi: the bracket shrinks every step, a side that stays halves
// its value, so the root is reached in some ten steps where bisection takes fifty.
template <class F>
double _Root(F f, double lo, double hi, double f_lo, double f_hi, double tol) {
  int side = 0;
  double x = 0.5 * (lo + hi);
  for (int it = 0; it < 100 && hi - lo > tol; ++it) {
    x = f_hi != f_lo ? (lo * f_hi - hi * f_lo) / (f_hi - f_lo) : 0.5 * (lo + hi);
    if (!(x > lo && x < hi)) x = 0.5 * (lo + hi);
    const double fx = f(x);
    if (fx == 0.0) return x;
    if ((fx > 0.0) == (f_lo > 0.0)) {
      lo = x, f_lo = fx;
      if (side == 1) f_hi /= 2;
      side = 1;
    } else {
      hi = x, f_hi = fx;
      if (side == -1) f_lo /= 2;
      side = -1;
    }
  }
  return x;
}

// The compressed block for the axis direction (ny, nz): its offset d so that its area is
// A_c, and its first moments.
struct Block {
  double d, Sy, Sz;
};
Block _Block(const std::vector<Poly> &strips, const std::vector<double> &signs, double ny, double nz, double A_c) {
  double lo = 1e300, hi = -1e300;
  for (const Poly &q : strips)
    for (int i = 0; i < q.n; ++i) {
      const double v = ny * q.p[i].y + nz * q.p[i].z;
      lo = std::min(lo, v), hi = std::max(hi, v);
    }
  auto sums = [&](double d) {
    Sums t{};
    for (std::size_t k = 0; k < strips.size(); ++k) {
      const Sums s = _Sums(_Clip(strips[k], ny, nz, d), signs[k], false);
      t.A += s.A, t.Sy += s.Sy, t.Sz += s.Sz;
    }
    return t;
  };
  // The area beyond d falls from the whole section's at the lowest corner to 0.
  const double A = sums(lo).A;
  const double d = _Root([&](double x) { return sums(x).A - A_c; }, lo, hi, A - A_c, -A_c, 1e-13 * (hi - lo));
  const Sums s = sums(d);
  return {d, s.Sy, s.Sz};
}

}  // namespace

int CT_Find_Plastic_Axis(const CT_WALL *walls, int n, double N_c, double f, const double plane[3],
                         CT_PLASTIC_AXIS *axis) {
  if (!axis) return CT_AXIS_NONE;
  *axis = CT_PLASTIC_AXIS{CT_AXIS_NONE, 0.0, 0.0, 0.0};
  if (!walls || n < 1 || !plane || !(f > 0.0) || !std::isfinite(N_c) || !std::isfinite(f)) return CT_AXIS_NONE;
  for (int k = 0; k < 3; ++k)
    if (!std::isfinite(plane[k])) return CT_AXIS_NONE;
  std::vector<Poly> strips;
  std::vector<double> signs;
  Sums tot{};
  for (int i = 0; i < n; ++i) {
    Poly q;
    if (!_Strip(walls[i], &q)) continue;
    const double sign = _Sums(q, 1.0, false).A < 0 ? -1.0 : 1.0;
    strips.push_back(q);
    signs.push_back(sign);
  }
  for (std::size_t k = 0; k < strips.size(); ++k) {
    const Sums s = _Sums(strips[k], signs[k], false);
    tot.A += s.A, tot.Sy += s.Sy, tot.Sz += s.Sz;
  }
  if (!(tot.A > 0.0) || !std::isfinite(tot.A)) return CT_AXIS_NONE;
  // About the centroid, scaled to the section's size: the bisections then work on numbers of
  // order 1.
  const double yc = tot.Sy / tot.A, zc = tot.Sz / tot.A;
  double L = 0.0;
  for (const Poly &q : strips)
    for (int i = 0; i < q.n; ++i) L = std::max(L, std::hypot(q.p[i].y - yc, q.p[i].z - zc));
  if (!(L > 0.0)) return CT_AXIS_NONE;
  tot = Sums{};
  for (std::size_t k = 0; k < strips.size(); ++k) {
    Poly &q = strips[k];
    for (int i = 0; i < q.n; ++i) q.p[i] = {(q.p[i].y - yc) / L, (q.p[i].z - zc) / L};
    const Sums s = _Sums(q, signs[k], true);
    tot.A += s.A, tot.Sy += s.Sy, tot.Sz += s.Sz, tot.Iyy += s.Iyy, tot.Izz += s.Izz, tot.Iyz += s.Iyz;
  }
  // The moment of the elastic stresses σ = s0 + g_y y + g_z z about the centroid.
  const double s0 = plane[0] + plane[1] * yc + plane[2] * zc, gy = plane[1] * L, gz = plane[2] * L;
  const double R0 = s0 * tot.A + gy * tot.Sy + gz * tot.Sz;
  const double R1 = s0 * tot.Sy + gy * tot.Iyy + gz * tot.Iyz, R2 = s0 * tot.Sz + gy * tot.Iyz + gz * tot.Izz;
  const double mr = std::hypot(R1, R2);
  const double A_c = 0.5 * (tot.A + N_c / (f * L * L));
  // Beyond the squash load, or without bending: the whole section on one side.
  const bool bent = mr > 1e-9 * (std::fabs(R0) + mr);
  if (A_c >= tot.A * (1.0 - 1e-12) || (!bent && N_c > 0.0)) {
    axis->state = CT_AXIS_ALL_COMPRESSED;
    return axis->state;
  }
  if (A_c <= tot.A * 1e-12 || (!bent && N_c < 0.0)) {
    axis->state = CT_AXIS_ALL_TENSION;
    return axis->state;
  }
  if (!bent) return CT_AXIS_NONE;
  const double m1 = R1 / mr, m2 = R2 / mr;
  // For the angle th of the axis' normal (compressed side): the moment of the two blocks is
  // 2 S_c − S (times f), its cross product with the elastic moment's direction g(th).
  auto g = [&](double th, Block *b, double *dot) {
    *b = _Block(strips, signs, std::cos(th), std::sin(th), A_c);
    const double F1 = 2 * b->Sy - tot.Sy, F2 = 2 * b->Sz - tot.Sz;
    *dot = F1 * m1 + F2 * m2;
    return F1 * m2 - F2 * m1;
  };
  // The scan starts off the quarter turns, where a symmetric section's roots lie and the
  // rounding of g would hide them. The moments of the blocks run round a convex boundary
  // that holds the origin (the uniform stress N/A has no moment), so the way they point turns
  // once as the axis does and g changes sign twice per turn: a coarse scan finds the root
  // unless both sign changes fall into one step, which leaves no root at all; only then is
  // the scan repeated with fine steps.
  double best = 0.0;
  Block b{}, b_best{};
  double th_best = 0.0, dot = 0.0;
  for (const int steps : {16, 72}) {
    const double step = 2 * std::numbers::pi / steps, start = 0.3719 * step;
    double g0 = g(start, &b, &dot);
    for (int k = 1; k <= steps; ++k) {
      double lo = start + (k - 1) * step, hi = start + k * step;
      const double g1 = g(hi, &b, &dot);
      const bool change = (g0 <= 0.0 && g1 > 0.0) || (g0 >= 0.0 && g1 < 0.0);
      const double g_hi = g1;
      if (change) {
        const double th = g0 == 0.0 ? lo : _Root([&](double x) { return g(x, &b, &dot); }, lo, hi, g0, g1, 1e-12);
        g(th, &b, &dot);
        if (dot > best) best = dot, b_best = b, th_best = th;
      }
      g0 = g_hi;
    }
    if (best > 0.0) break;
  }
  if (!(best > 0.0)) return CT_AXIS_NONE;  // no axis carries the moment's direction at N
  axis->state = CT_AXIS_CROSSES;
  axis->n_y = std::cos(th_best), axis->n_z = std::sin(th_best);
  axis->d = b_best.d * L + axis->n_y * yc + axis->n_z * zc;
  return axis->state;
}

double CT_Plastic_Share(const CT_PLASTIC_AXIS &axis, const CT_WALL &part, int *end) {
  if (end) *end = -1;
  if (axis.state == CT_AXIS_ALL_COMPRESSED) return 1.0;
  if (axis.state == CT_AXIS_ALL_TENSION) return 0.0;
  if (axis.state != CT_AXIS_CROSSES) return -1.0;
  // Along the centre line: the plate's membrane force per unit width. An axis that runs
  // inside the thickness leaves the whole width compressed or stretched by the side the
  // centre line lies on.
  const double va = axis.n_y * part.y_a + axis.n_z * part.z_a - axis.d;
  const double vb = axis.n_y * part.y_b + axis.n_z * part.z_b - axis.d;
  if (va > 0.0 && vb > 0.0) return 1.0;
  if (!(va > 0.0) && !(vb > 0.0)) return 0.0;
  if (end) *end = va > 0.0 ? 0 : 1;
  return std::max(va, vb) / (std::fabs(va) + std::fabs(vb));
}
