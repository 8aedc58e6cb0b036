// Line geometry: the local block of a straight or circular-arc wall line of linearly
// varying thickness, and its line coordinates (s, w).
#include <cmath>
#include <cstring>

#include "dwqb/dwqb_internal.h"

void Set_DWQB_Line_Geometry(double y_a, double z_a, double y_b, double z_b, double rise, double t_a, double t_b,
                            double rel_tol, DWQB_LINE_GEOMETRY *geo) {
  if (!geo) return;
  std::memset(geo, 0, sizeof *geo);
  geo->tol = 0.001;
  geo->cos = 1.0;
  geo->y_a = y_a;
  geo->z_a = z_a;
  geo->y_b = y_b;
  geo->z_b = z_b;
  geo->rise = rise;
  geo->h0 = (t_a + t_b) / 4.0;
  geo->h1 = (t_b - t_a) / 4.0;
  const double y_m = (y_a + y_b) / 2.0, z_m = (z_a + z_b) / 2.0;
  geo->y_c = y_m;
  geo->z_c = z_m;
  const double dy = y_b - y_a, dz = z_b - z_a;
  const double L2 = dy * dy + dz * dz;
  const double L = std::sqrt(L2);
  geo->length = L;
  if (!(L2 > 0.0)) return;  // zero-length line: the block stays a point

  geo->angle = std::atan2(dz, dy);
  geo->cos = dy / L;
  geo->sin = dz / L;
  if (std::fabs(rise) <= rel_tol * L) {
    geo->half_chord = L / 2.0;
    return;
  }
  // Circular arc through both points with the given rise over the chord middle.
  // Half opening angle φ with cos φ = (L² - 4 rise²)/(L² + 4 rise²), taken in the form
  // tan(φ/2) = 2 rise / L that keeps its digits for flat arcs; sign of the rise.
  const double half = 2.0 * std::atan(2.0 * rise / L);
  geo->half_angle = half;
  const double R = (L2 + 4.0 * rise * rise) / (8.0 * rise);
  geo->radius = R;
  geo->y_c = y_m - dz * (rise - R) / L;
  geo->z_c = z_m + dy * (rise - R) / L;
  // Chords whose sagitta stays within rel_tol of their length (capped for tiny tolerances).
  const double q = std::sqrt(6.0 * rel_tol);
  const double kk = q > 0.0 ? std::floor((std::fabs(half) * 0.5) / q) : 5000.0;
  const int k = static_cast<int>(std::fmin(kk, 5000.0));
  geo->n_seg = k > 0 ? 2 * k : 1;
  geo->length = std::fabs(2.0 * R * half);
}

// Local coordinates (x along the chord, v across) of the point (s, w).
static void _Local_Point(double s, double w, const DWQB_LINE_GEOMETRY *geo, double *x, double *v) {
  const double h = geo->h0 + geo->h1 * s;
  if (geo->n_seg == 0 && geo->half_angle == 0.0) {
    // Straight: the radius field offsets the faces sideways (0 on stored lines).
    *x = s * geo->half_chord;
    *v = geo->radius + w * h;
  } else {
    const double r = w == 0.0 ? geo->radius : geo->radius + w * h;
    const double a = s * geo->half_angle;
    *x = r * std::sin(a);
    *v = r * std::cos(a);
  }
}

void Get_DWQB_Line_Geometry_Point(double s, double w, const DWQB_LINE_GEOMETRY *geo, double *y, double *z) {
  double yy = 0.0, zz = 0.0;
  if (geo) {
    double x, v;
    _Local_Point(s, w, geo, &x, &v);
    yy = geo->cos * x - geo->sin * v + geo->y_c;
    zz = geo->sin * x + geo->cos * v + geo->z_c;
  }
  if (y) *y = yy;
  if (z) *z = zz;
}

void Get_DWQB_Line_Geometry_Tangent(double s, double w, const DWQB_LINE_GEOMETRY *geo, double *dy, double *dz) {
  double ty = 0.0, tz = 0.0;
  if (geo) {
    double dx, dv;
    if (geo->n_seg == 0 && geo->half_angle == 0.0) {
      dx = geo->half_chord;
      dv = w * geo->h1;
    } else {
      const double h = geo->h0 + geo->h1 * s;
      const double r = geo->radius + w * h;
      const double a = s * geo->half_angle;
      dx = w * geo->h1 * std::sin(a) + r * geo->half_angle * std::cos(a);
      dv = w * geo->h1 * std::cos(a) - r * geo->half_angle * std::sin(a);
    }
    ty = geo->cos * dx - geo->sin * dv;
    tz = geo->sin * dx + geo->cos * dv;
  }
  if (dy) *dy = ty;
  if (dz) *dz = tz;
}

void Get_DWQB_Line_Geometry_Coordinates(double y, double z, const DWQB_LINE_GEOMETRY *geo, double *s, double *w) {
  double ss = 0.0, ww = 0.0;
  if (geo) {
    const double ry = y - geo->y_c, rz = z - geo->z_c;
    if (geo->n_seg == 0 && geo->half_angle == 0.0) {
      if (geo->half_chord > 0.0) {
        ss = (geo->cos * ry + geo->sin * rz) / geo->half_chord;
        const double h = geo->h0 + geo->h1 * ss;
        const double v = geo->cos * rz - geo->sin * ry;
        ww = h != 0.0 ? (v - geo->radius) / h : 0.0;
      }
    } else {
      double x = geo->cos * ry + geo->sin * rz;
      double v = geo->cos * rz - geo->sin * ry;
      double r = std::sqrt(ry * ry + rz * rz);
      if (geo->radius < 0.0) {
        x = -x;
        v = -v;
        r = -r;
      }
      ss = std::atan2(x, v) / geo->half_angle;
      const double h = geo->h0 + geo->h1 * ss;
      ww = h != 0.0 ? (r - geo->radius) / h : 0.0;
    }
  }
  if (s) *s = ss;
  if (w) *w = ww;
}

void Calc_Line_Point(const DWQB_LINE_GEOMETRY *geo, double t, double *y, double *z) {
  Get_DWQB_Line_Geometry_Point(t, 0.0, geo, y, z);
}
