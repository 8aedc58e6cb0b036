// tests/profil/outline_moments.h — an independent reference for the section formulas:
// the exact outline of a shape as polygons (true circular fillets, finely divided) and
// its area, centroid, second moments and perimeter by Green's theorem.
//
// Outlines are given in (y, z): z downward from the top edge, y ≤ 0 from the reference
// edge, as the profile record holds them.
#pragma once

#include <cmath>
#include <vector>

namespace outline {

struct Pt {
  double y, z;
};

// A corner of an outline with the radius that rounds it (0 sharp). Rounding a convex
// corner removes material, rounding a re-entrant corner (a root fillet) adds it.
struct Corner {
  double y, z, r;
};

// Polygon of an outline whose corners are rounded by tangent circular arcs, each arc
// divided into `steps` chords.
inline std::vector<Pt> Rounded(const std::vector<Corner> &c, int steps = 256) {
  std::vector<Pt> out;
  const int n = static_cast<int>(c.size());
  for (int i = 0; i < n; ++i) {
    const Corner &p = c[i], &a = c[(i + n - 1) % n], &b = c[(i + 1) % n];
    if (p.r <= 0) {
      out.push_back({p.y, p.z});
      continue;
    }
    double e1y = a.y - p.y, e1z = a.z - p.z, e2y = b.y - p.y, e2z = b.z - p.z;
    const double l1 = std::hypot(e1y, e1z), l2 = std::hypot(e2y, e2z);
    e1y /= l1, e1z /= l1, e2y /= l2, e2z /= l2;
    const double phi = std::acos(e1y * e2y + e1z * e2z);  // angle between the edges
    const double d = p.r / std::tan(phi / 2);              // corner to tangent point
    double by = e1y + e2y, bz = e1z + e2z;
    const double lb = std::hypot(by, bz);
    by /= lb, bz /= lb;
    const double cy = p.y + by * p.r / std::sin(phi / 2), cz = p.z + bz * p.r / std::sin(phi / 2);
    const double t1y = p.y + d * e1y, t1z = p.z + d * e1z, t2y = p.y + d * e2y, t2z = p.z + d * e2z;
    const double a1 = std::atan2(t1z - cz, t1y - cy);
    double da = std::atan2(t2z - cz, t2y - cy) - a1;
    while (da > M_PI) da -= 2 * M_PI;
    while (da < -M_PI) da += 2 * M_PI;
    for (int k = 0; k <= steps; ++k) {
      const double t = a1 + da * k / steps;
      out.push_back({cy + p.r * std::cos(t), cz + p.r * std::sin(t)});
    }
  }
  return out;
}

inline std::vector<Pt> Rect(double y0, double y1, double z0, double z1) {
  return {{y0, z0}, {y1, z0}, {y1, z1}, {y0, z1}};
}

inline std::vector<Pt> Circle(double yc, double zc, double radius, int steps = 4096) {
  std::vector<Pt> out;
  for (int k = 0; k < steps; ++k) {
    const double t = 2 * M_PI * k / steps;
    out.push_back({yc + radius * std::cos(t), zc + radius * std::sin(t)});
  }
  return out;
}

// Integrals over a region: ∫dA, ∫y, ∫z, ∫y², ∫z², ∫yz; and the length of its outline.
struct Moments {
  double a = 0, sy = 0, sz = 0, syy = 0, szz = 0, syz = 0, perimeter = 0;

  // Adds (sign +1) or removes (sign −1, a hole) the region inside a polygon of either
  // orientation.
  void Add(const std::vector<Pt> &p, int sign = +1) {
    Moments m;
    const int n = static_cast<int>(p.size());
    for (int i = 0; i < n; ++i) {
      const Pt &q0 = p[i], &q1 = p[(i + 1) % n];
      const double c = q0.y * q1.z - q1.y * q0.z;
      m.a += c / 2;
      m.sy += (q0.y + q1.y) * c / 6;
      m.sz += (q0.z + q1.z) * c / 6;
      m.syy += (q0.y * q0.y + q0.y * q1.y + q1.y * q1.y) * c / 12;
      m.szz += (q0.z * q0.z + q0.z * q1.z + q1.z * q1.z) * c / 12;
      m.syz += (q0.y * q1.z + 2 * q0.y * q0.z + 2 * q1.y * q1.z + q1.y * q0.z) * c / 24;
      perimeter += std::hypot(q1.y - q0.y, q1.z - q0.z);
    }
    const double s = (m.a < 0 ? -1.0 : 1.0) * sign;
    a += s * m.a, sy += s * m.sy, sz += s * m.sz;
    syy += s * m.syy, szz += s * m.szz, syz += s * m.syz;
  }

  double y_s() const { return sy / a; }
  double z_s() const { return sz / a; }
  // About the horizontal axis through the centroid: ∫(z − z_s)².
  double I_y() const { return szz - a * z_s() * z_s(); }
  // About the vertical axis through the centroid: ∫(y − y_s)².
  double I_z() const { return syy - a * y_s() * y_s(); }
  double I_yz() const { return syz - a * y_s() * z_s(); }
};

}  // namespace outline
