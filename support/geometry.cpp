// Plane geometry and small numeric helpers.
#include <cmath>

#include "support/support.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr int kMaxPolygonPoints = 50;

void _Rotate(double &x, double &y, double c, double s) {
  double xr = c * x - s * y;
  double yr = s * x + c * y;
  x = xr;
  y = yr;
}
}  // namespace

int Segment_Y_At_X(double x1, double y1, double x2, double y2, double x, double *out) {
  const double eps = 1e-6;
  if (std::fabs(x2 - x1) < eps) {
    if (std::fabs(x - x1) >= eps) return 0;
    if (out) *out = 0.5 * (y1 + y2);
    return 1;
  }
  if (out) *out = y1 + (y2 - y1) * (x - x1) / (x2 - x1);
  double lo = std::fmin(x1, x2), hi = std::fmax(x1, x2);
  return x >= lo - eps && x <= hi + eps;
}

int Line_Intersection(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                      double y4, double *x, double *y) {
  double ax = x2 - x1, ay = y2 - y1;
  double bx = x4 - x3, by = y4 - y3;
  double det = ax * by - ay * bx;
  if (std::fabs(det) < 1e-6) {
    if (x) *x = 0.0;
    if (y) *y = 0.0;
    return 1;
  }
  double t = ((x3 - x1) * by - (y3 - y1) * bx) / det;
  if (x) *x = x1 + t * ax;
  if (y) *y = y1 + t * ay;
  return 0;
}

double Line_Direction_Angle(double x1, double y1, double x2, double y2) {
  double dx = x2 - x1, dy = y2 - y1;
  if (std::fabs(dx) < 1e-5) return dy < 0 ? 1.5 * kPi : 0.5 * kPi;
  double angle = std::atan(dy / dx);
  return x1 > x2 ? angle + kPi : angle;
}

void World_To_Local_Points(double *x, double *y, int n, double origin_x, double origin_y, double angle,
                           double scale) {
  if (!x || !y || n < 1) return;
  double c = std::cos(-angle), s = std::sin(-angle);
  for (int k = 0; k < n; ++k) {
    x[k] -= origin_x;
    y[k] -= origin_y;
    _Rotate(x[k], y[k], c, s);
    x[k] *= scale;
    y[k] *= scale;
  }
}

void Local_To_World_Points(double *x, double *y, int n, double origin_x, double origin_y, double angle,
                           double scale) {
  if (!x || !y || n < 1 || scale == 0.0) return;
  double c = std::cos(angle), s = std::sin(angle);
  for (int k = 0; k < n; ++k) {
    x[k] /= scale;
    y[k] /= scale;
    _Rotate(x[k], y[k], c, s);
    x[k] += origin_x;
    y[k] += origin_y;
  }
}

int Circle_Intersection(double x1, double y1, double r1, double x2, double y2, double r2, int choice,
                        double *x, double *y) {
  const double rel = 1e-9;
  r1 = std::fabs(r1);
  r2 = std::fabs(r2);
  double dx = x2 - x1, dy = y2 - y1;
  double d = std::hypot(dx, dy);
  double size = std::fmax(d, std::fmax(r1, r2));
  if (!(d > rel * size) || !std::isfinite(d)) return 1;  // coincident centres (or NaN)
  if (d > (r1 + r2) * (1 + rel) || d < std::fabs(r1 - r2) * (1 - rel)) return 1;
  // Foot of the chord on the centre line at a from c1, half chord h.
  double a = (r1 * r1 - r2 * r2 + d * d) / (2 * d);
  double h2 = r1 * r1 - a * a;
  double h = h2 > 0 ? std::sqrt(h2) : 0.0;
  double ux = dx / d, uy = dy / d;
  double fx = x1 + a * ux, fy = y1 + a * uy;
  // (−uy, ux) points to the left of c1 → c2: there (c2 − c1) × (P − c1) > 0.
  double side = choice ? 1.0 : -1.0;
  if (x) *x = fx - side * h * uy;
  if (y) *y = fy + side * h * ux;
  return 0;
}

int Offset_Polygon(int n, double *x, double *y, double distance) {
  if (!x || !y || n < 3 || n > kMaxPolygonPoints) return 1;
  double area2 = 0, extent = 0;
  for (int k = 0; k < n; ++k) {
    int j = (k + 1) % n;
    area2 += x[k] * y[j] - x[j] * y[k];
    extent = std::fmax(extent, std::fmax(std::fabs(x[k] - x[0]), std::fabs(y[k] - y[0])));
  }
  if (!(std::fabs(area2) > 1e-12 * extent * extent)) return 1;
  // Outward normal of an edge (ex, ey) of length l: (ey, −ex) / l counter-clockwise,
  // (−ey, ex) / l clockwise.
  double orient = area2 > 0 ? 1.0 : -1.0;
  double tol = 1e-12 * extent;
  auto same = [&](int a, int b) { return std::fabs(x[a] - x[b]) <= tol && std::fabs(y[a] - y[b]) <= tol; };
  double nx[kMaxPolygonPoints], ny[kMaxPolygonPoints];
  for (int k = 0; k < n; ++k) {
    int prev = (k + n - 1) % n, next = (k + 1) % n;
    while (prev != k && same(prev, k)) prev = (prev + n - 1) % n;
    while (next != k && same(next, k)) next = (next + 1) % n;
    double ex1 = x[k] - x[prev], ey1 = y[k] - y[prev];
    double ex2 = x[next] - x[k], ey2 = y[next] - y[k];
    double l1 = std::hypot(ex1, ey1), l2 = std::hypot(ex2, ey2);
    double n1x = orient * ey1 / l1, n1y = -orient * ex1 / l1;
    double n2x = orient * ey2 / l2, n2y = -orient * ex2 / l2;
    double cosine = n1x * n2x + n1y * n2y;
    if (1 + cosine < 1e-9) {
      // The polygon turns back on itself here: the offset lines do not meet.
      nx[k] = x[k] + distance * n1x;
      ny[k] = y[k] + distance * n1y;
    } else {
      double f = distance / (1 + cosine);
      nx[k] = x[k] + f * (n1x + n2x);
      ny[k] = y[k] + f * (n1y + n2y);
    }
  }
  for (int k = 0; k < n; ++k) {
    x[k] = nx[k];
    y[k] = ny[k];
  }
  return 0;
}

double Nice_Drawing_Scale(double dx, double dy, double width, double height, int exact) {
  double ratio = 0;
  if (width > 0.999) ratio = dx / width;
  if (height > 0.999) ratio = std::fmax(ratio, dy / height);
  double t = 100 * ratio + 0.999;
  double n = t >= 1 ? std::trunc(std::fmin(t, 1e15)) : 1;
  if (exact) return 100 / n;
  // Nice steps 1, 2, 2.5 and 5 times a power of ten, from 1:0.01 up; counted in halves
  // of a hundredth (2, 4, 5, 10 × 10^k) so that every comparison is exact.
  static const double kHalfSteps[] = {2, 4, 5, 10};
  for (double p = 1;; p *= 10)
    for (double s : kHalfSteps)
      if (s * p >= 2 * n) return 200 / (s * p);
}

double Round_To_Decimals(double value, int n) {
  double p = std::pow(10.0, n);
  double r = std::round(value * p) / p;
  return std::isfinite(r) ? r : value;
}

double Sqr_Double(double x) { return x * x; }
