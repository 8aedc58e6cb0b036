// Part tree sums and the small integration routines shared by the section values:
// centre-line integrals of one wall line, centre-line principal values, the principal
// regularisation of a second-moment tensor, and the segment steps of outline walks.
#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>

#include "dwqb/dwqb_internal.h"

void Sum_DWQB_Part_Values(DWQB_PART *part) {
  if (!part || part->kind != DWQB_PART_GROUP) return;
  double *v = part->values;
  std::memset(v, 0, sizeof part->values);
  bool extremes_set = false;
  for (int i = 0; i < part->count; ++i) {
    DWQB_PART *c = part->children ? part->children[i] : nullptr;
    if (!c) continue;
    if (c->kind == DWQB_PART_GROUP) Sum_DWQB_Part_Values(c);
    const double *cv = c->values;
    if (c->kind != DWQB_PART_LINE_CL) {
      for (int k = 0; k <= 9; ++k) v[k] += cv[k];
      if (!extremes_set) {
        for (int k = 10; k <= 15; ++k) v[k] = cv[k];
        extremes_set = true;
      } else {
        for (int k = 10; k <= 15; k += 2) {
          v[k] = std::fmin(v[k], cv[k]);
          v[k + 1] = std::fmax(v[k + 1], cv[k + 1]);
        }
      }
    }
    for (int k = 18; k <= 27; ++k) v[k] += cv[k];
    v[45] += cv[45];
    v[47] += cv[47];
    v[48] += cv[48];
    v[49] += cv[49];
  }
}

void Sum_DWQB_Part_Sectorial(DWQB_PART *part) {
  if (!part || part->kind != DWQB_PART_GROUP) return;
  for (int i = 0; i < part->count; ++i) {
    DWQB_PART *c = part->children ? part->children[i] : nullptr;
    if (!c) continue;
    if (c->kind == DWQB_PART_GROUP) Sum_DWQB_Part_Sectorial(c);
    for (int k = 28; k <= 34; ++k) part->values[k] += c->values[k];
  }
}

// Kernels of the arc integrals over ψ = x·u, u in [-1, 1], all finite at x = 0 and taken
// from their Taylor series for |x| < 0.25 (where the closed forms lose digits):
//   G1 = (sin x / x - cos x) / x²            C0 = (1 - sin x / x) / x²
//   D  = (G1(2x) - G1(x)) / x                 E  = (3 + sin 2x / 2x - 4 sin x / x) / x⁴
namespace {
struct ArcKernels {
  double G1, C0, C0_2x, D, E;
};
double _G1(double x) {
  const double x2 = x * x;
  if (std::fabs(x) < 0.25)
    return 1.0 / 3 - x2 / 30 + x2 * x2 / 840 - x2 * x2 * x2 / 45360 + x2 * x2 * x2 * x2 / 3991680;
  return (std::sin(x) / x - std::cos(x)) / x2;
}
double _C0(double x) {
  const double x2 = x * x;
  if (std::fabs(x) < 0.25)
    return 1.0 / 6 - x2 / 120 + x2 * x2 / 5040 - x2 * x2 * x2 / 362880 + x2 * x2 * x2 * x2 / 39916800;
  return (1.0 - std::sin(x) / x) / x2;
}
ArcKernels _Arc_Kernels(double x) {
  ArcKernels k;
  k.G1 = _G1(x);
  k.C0 = _C0(x);
  k.C0_2x = _C0(2.0 * x);
  const double x2 = x * x;
  if (std::fabs(x) < 0.25) {
    k.D = -x / 10 + x * x2 / 56 - x * x2 * x2 / 720 + 255 * x * x2 * x2 * x2 / 3991680;
    k.E = 1.0 / 10 - x2 / 84 + x2 * x2 / 1440 - 1020 * x2 * x2 * x2 / 39916800 +
          4092 * x2 * x2 * x2 * x2 / 6227020800.0;
  } else {
    k.D = (_G1(2.0 * x) - k.G1) / x;
    k.E = (3.0 + std::sin(2.0 * x) / (2.0 * x) - 4.0 * std::sin(x) / x) / (x2 * x2);
  }
  return k;
}
}  // namespace

void Calc_DWQB_Line_Integrals(const DWQB_LINE *line, double t, double *A_out, double *Sy_out, double *Sz_out,
                              double *Iyy_out, double *Izz_out, double *Iyz_out) {
  double A = 0, Sy = 0, Sz = 0, Iyy = 0, Izz = 0, Iyz = 0;
  if (line) {
    const DWQB_LINE_GEOMETRY &g = line->geo;
    const double a = (line->t_a + line->t_b) / 4.0, b = (line->t_b - line->t_a) / 4.0;
    const double t_end = 2.0 * a + 2.0 * b * t;       // thickness at t
    const double t_mean = (line->t_a + t_end) / 2.0;  // mean thickness of [-1, t]
    const double c = g.cos, s = g.sin;
    if (g.n_seg < 1) {
      // Straight: piece midpoint, taper (first) and length (second) moments along it.
      const double l = g.length * (t + 1.0) / 2.0;
      A = t_mean * l;
      const double ym = g.y_c + c * g.half_chord * (t - 1.0) / 2.0 - s * g.radius;
      const double zm = g.z_c + s * g.half_chord * (t - 1.0) / 2.0 + c * g.radius;
      const double X1 = t_mean == 0.0 ? 0.0 : (t_end - line->t_a) * l * l / 12.0;
      const double X2 = A * l * l / 12.0;
      Sy = A * ym + c * X1;
      Sz = A * zm + s * X1;
      Iyy = A * ym * ym + 2.0 * ym * c * X1 + c * c * X2;
      Izz = A * zm * zm + 2.0 * zm * s * X1 + s * s * X2;
      Iyz = A * ym * zm + (ym * s + zm * c) * X1 + c * s * X2;
    } else {
      // Arc piece from angle -φ to t·φ, taken about the point M of its middle angle θm
      // in the frame of the arc there: ξ = R sin ψ, ζ = R (cos ψ - 1), ψ = x·u, u in [-1, 1], x = φ (t + 1)/2.
      // Thickness τm + τd·u, arc element ℓ du with ℓ = R·x, the half length of the piece.
      const double R = g.radius, phi = g.half_angle;
      const double x = phi * (t + 1.0) / 2.0;
      const double theta_m = phi * (t - 1.0) / 2.0;
      const double tau_m = 2.0 * a + 2.0 * b * (t - 1.0) / 2.0;
      const double tau_d = b * (t + 1.0);
      const double l = std::fabs(R * x);
      const ArcKernels k = _Arc_Kernels(x);
      A = 2.0 * tau_m * l;
      const double M_xi = 2.0 * tau_d * l * l * k.G1;
      const double M_zeta = -2.0 * tau_m * l * l * x * k.C0;
      const double M_xixi = 4.0 * tau_m * l * l * l * k.C0_2x;
      const double M_xizeta = 2.0 * tau_d * l * l * l * k.D;
      const double M_zetazeta = tau_m * l * l * l * x * x * k.E;
      // The frame at M: the chord frame turned back by θm (R keeps its sign in ξ, ζ).
      const double beta = g.angle - theta_m;
      const double ey = std::cos(beta), ez = std::sin(beta);
      const double ny = -ez, nz = ey;
      double ym, zm;
      Calc_Line_Point(&g, (t - 1.0) / 2.0, &ym, &zm);
      const double Fy = ey * M_xi + ny * M_zeta, Fz = ez * M_xi + nz * M_zeta;
      Sy = ym * A + Fy;
      Sz = zm * A + Fz;
      Iyy = ym * ym * A + 2.0 * ym * Fy + ey * ey * M_xixi + 2.0 * ey * ny * M_xizeta + ny * ny * M_zetazeta;
      Izz = zm * zm * A + 2.0 * zm * Fz + ez * ez * M_xixi + 2.0 * ez * nz * M_xizeta + nz * nz * M_zetazeta;
      Iyz = ym * zm * A + ym * Fz + zm * Fy + ey * ez * M_xixi + (ey * nz + ez * ny) * M_xizeta +
            ny * nz * M_zetazeta;
    }
  }
  if (A_out) *A_out = A;
  if (Sy_out) *Sy_out = Sy;
  if (Sz_out) *Sz_out = Sz;
  if (Iyy_out) *Iyy_out = Iyy;
  if (Izz_out) *Izz_out = Izz;
  if (Iyz_out) *Iyz_out = Iyz;
}

int Calc_DWQB_Centreline_Values(const double *values, double *r) {
  std::memset(r, 0, 14 * sizeof(double));
  const double A = values[18], Sy = values[19], Sz = values[20];
  const double Iyy = values[21], Iyz = values[22], Izz = values[23];
  r[0] = A;
  r[3] = Sy;
  r[4] = Sz;
  r[5] = Izz;
  r[6] = Iyy;
  r[7] = Iyz;
  if (A > 0.0) {
    r[1] = Sy / A;
    r[2] = Sz / A;
    r[8] = Izz - r[2] * r[2] * A;
    r[9] = Iyy - r[1] * r[1] * A;
    r[10] = Iyz - A * r[1] * r[2];
  } else {
    r[8] = Izz;
    r[9] = Iyy;
    r[10] = Iyz;
  }
  Dwqb_Principal_Axes(r[8], r[9], r[10], &r[11], &r[12], &r[13]);
  return 0;
}

void Dwqb_Principal_Axes(double Iy, double Iz, double Iyz, double *alpha, double *I1, double *I2) {
  *alpha = 0.0;
  *I1 = Iy;
  *I2 = Iz;
  if (!(std::fabs(Iyz) > 1e-6 * (std::fabs(Iy) + std::fabs(Iz)))) return;
  double a = std::atan2(-2.0 * Iyz, Iy - Iz) / 2.0;
  const double R = std::sqrt(4.0 * Iyz * Iyz + (Iy - Iz) * (Iy - Iz));
  double i1 = (Iy + Iz + R) / 2.0, i2 = (Iy + Iz - R) / 2.0;
  if (a > std::numbers::pi / 4.0) {
    a -= std::numbers::pi / 2.0;
    std::swap(i1, i2);
  } else if (a < -std::numbers::pi / 4.0) {
    a += std::numbers::pi / 2.0;
    std::swap(i1, i2);
  }
  *alpha = a;
  *I1 = i1;
  *I2 = i2;
}

int Calc_DWQB_Principal_Inverse(double *I_y, double *I_z, double *I_yz, double *inv_det) {
  const double Iy = *I_y, Iz = *I_z, Iyz = *I_yz;
  const double r = std::sqrt(4.0 * Iyz * Iyz + (Iy - Iz) * (Iy - Iz));
  double l1 = (Iy + Iz + r) / 2.0, l2 = (Iy + Iz - r) / 2.0;
  const bool well = !(std::fabs(l1) < 1e-6 * std::fabs(l2)) && !(std::fabs(l2) < 1e-6 * std::fabs(l1));
  if (!well) {
    double &small = std::fabs(l1) < std::fabs(l2) ? l1 : l2;
    const double large = &small == &l1 ? l2 : l1;
    small = (small < 0.0 ? -1e-6 : 1e-6) * std::fabs(large);
  }
  const double p = l1 * l2;
  if (inv_det) *inv_det = p > 0.0 ? 1.0 / p : p;
  if (well) return 1;
  const double beta = std::atan2(-2.0 * Iyz, Iy - Iz) / 2.0;
  const double cb = std::cos(beta), sb = std::sin(beta);
  *I_y = cb * cb * l1 + sb * sb * l2;
  *I_z = cb * cb * l2 + sb * sb * l1;
  *I_yz = (l2 - l1) * sb * cb;
  return 0;
}

int Add_Segment_Moments(void *context, double y1, double z1, double, double y2, double z2, double) {
  if (!context) return 1;
  auto *acc = static_cast<DWQB_SEGMENT_MOMENTS *>(context);
  // The ten triangle moments of Calc_Segment_Moment in their closed polygon forms.
  const double c = y1 * z2 - y2 * z1;
  double *m = acc->values;
  m[0] += c / 2.0;
  m[1] += c * (y1 + y2) / 6.0;
  m[2] += c * (z1 + z2) / 6.0;
  m[3] += c * (y1 * y1 + y1 * y2 + y2 * y2) / 12.0;
  m[4] += c * (y1 * (2.0 * z1 + z2) + y2 * (z1 + 2.0 * z2)) / 24.0;
  m[5] += c * (z1 * z1 + z1 * z2 + z2 * z2) / 12.0;
  m[6] += c * (y1 + y2) * (y1 * y1 + y2 * y2) / 20.0;
  m[7] += c * (z1 * (3.0 * y1 * y1 + 2.0 * y1 * y2 + y2 * y2) + z2 * (y1 * y1 + 2.0 * y1 * y2 + 3.0 * y2 * y2)) / 60.0;
  m[8] += c * (y1 * (3.0 * z1 * z1 + 2.0 * z1 * z2 + z2 * z2) + y2 * (z1 * z1 + 2.0 * z1 * z2 + 3.0 * z2 * z2)) / 60.0;
  m[9] += c * (z1 + z2) * (z1 * z1 + z2 * z2) / 20.0;
  double *b = acc->values + 10;
  if (!acc->first_set) {
    b[0] = b[1] = y1;
    b[2] = b[3] = z1;
    acc->first_set = 1;
  }
  const double ys[2] = {y1, y2}, zs[2] = {z1, z2};
  for (int i = 0; i < 2; ++i) {
    if (ys[i] < b[0]) b[0] = ys[i];
    if (ys[i] > b[1]) b[1] = ys[i];
    if (zs[i] < b[2]) b[2] = zs[i];
    if (zs[i] > b[3]) b[3] = zs[i];
  }
  return 1;
}

int Add_Segment_Length(void *context, double y1, double z1, double, double y2, double z2, double) {
  if (!context) return 1;
  *static_cast<double *>(context) += std::sqrt((y2 - y1) * (y2 - y1) + (z2 - z1) * (z2 - z1));
  return 1;
}

int Add_Segment_Bounds(void *context, double y1, double z1, double, double y2, double z2, double) {
  if (!context) return 1;
  auto *c = static_cast<DWQB_SEGMENT_BOUNDS *>(context);
  const double ys[2] = {y1, y2}, zs[2] = {z1, z2};
  for (int i = 0; i < 2; ++i) {
    const double ry = ys[i] - c->y0, rz = zs[i] - c->z0;
    double a = ry, b = rz;
    if (c->rotate) {
      a = c->cos * ry + c->sin * rz;
      b = -c->sin * ry + c->cos * rz;
    }
    const double u = c->matrix[0] * ry + c->matrix[1] * rz;
    const double v = c->matrix[2] * ry + c->matrix[3] * rz;
    const double vals[4] = {a, b, u, v};
    if (!c->first_set) {
      for (int k = 0; k < 4; ++k) c->extremes[2 * k] = c->extremes[2 * k + 1] = vals[k];
      c->first_set = 1;
    }
    for (int k = 0; k < 4; ++k) {
      if (vals[k] < c->extremes[2 * k]) c->extremes[2 * k] = vals[k];
      if (vals[k] > c->extremes[2 * k + 1]) c->extremes[2 * k + 1] = vals[k];
    }
  }
  return 1;
}
