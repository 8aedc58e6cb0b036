// checks/plastic_interaction.cpp — plastic N-V-M interaction of the cross-section check and
// small services of the check data.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "checks/checks.h"
#include "checks/checks_internal.h"

namespace {

constexpr double kInvSqrt3 = 0.5773502691896258;
constexpr double kTwoBySqrt3 = 1.1547005383792517;
constexpr double kInvPi = 0.3183098861837907;

// Statics of the check-data module.
struct CheckDataStatics {
  int counter[2];
  void *pointer[2];
  CHECK_DATA_HOOK hook;
} g_data;

// Result of one shape before the common tail: a failure code or 0 with n, v and M_N.
struct ShapeResult {
  int code;           // 0, −1 or NVM_FAIL_*
  double ratio, limit;
  double n, v, M_N;
};

ShapeResult _Fail(int code, double ratio, double limit = 1.0) { return {code, ratio, limit, 0, 0, 0}; }
ShapeResult _Invalid() { return {-1, 0, 1, 0, 0, 0}; }

// Moment cap of shapes 4 and 5: 1.25 M_el (p6 the elastic modulus in cm³); none for p6 ≤ 0.
double _Cap(double M_N, const double *p) { return p[5] > 0.0 ? std::min(M_N, 1.25e-6 * p[4] * p[5]) : M_N; }

// DIN 18800-1 Table 16 (I sections, bending about y).
ShapeResult _Shape1(double N, double M, double V, const double *p) {
  (void)M;
  const double fd = p[4];
  const double V_pl = p[1] * p[2] * fd * kInvSqrt3, N_pl = p[0] * fd, M_pl = p[3] * fd;
  if (!(V_pl > 0.0 && N_pl > 0.0 && M_pl > 0.0)) return _Invalid();
  const double v = std::fabs(V) / V_pl, n = std::fabs(N) / N_pl;
  double M_N;
  if (n <= 0.1) {
    if (v > 0.9) return _Fail(NVM_FAIL_V, v, 0.9);
    M_N = v <= 0.33 ? M_pl : (1.0 - 0.37 * v) * 1.1363636363636365 * M_pl;
  } else {
    if (n > 1.0) return _Fail(NVM_FAIL_N, n);
    if (v > 0.9) return _Fail(NVM_FAIL_V, v, 0.9);
    M_N = v <= 0.33 ? (1.0 - n) * 1.1111111111111112 * M_pl : (1.0 - 0.33 * v - 0.89 * n) * 1.25 * M_pl;
  }
  return {0, 0, 1, n, v, M_N};
}

// Singly symmetric I: flanges and web as areas, the compression flange on the side of M.
ShapeResult _Shape2(double N, double M, double V, const double *p) {
  const double fd = p[4];
  const double comp = M >= 0.0 ? p[0] : p[1], tens = M >= 0.0 ? p[1] : p[0];
  double A_w = p[2];
  const double V_pl = A_w * fd * kInvSqrt3;
  if (!(V_pl > 0.0 && p[3] > 0.0)) return _Invalid();
  const double v = std::fabs(V) / V_pl;
  if (v > 1.0) return _Fail(NVM_FAIL_V, v);
  if (v > 0.33333) A_w *= std::sqrt(1.0 - v * v);
  const double A = comp + tens + A_w, N_pl = fd * A;
  if (!(N_pl > 0.0)) return _Invalid();
  const double n = -N / N_pl;
  if (std::fabs(n) > 1.0) return _Fail(NVM_FAIL_N0, std::fabs(n));
  const double a_c = comp / A, a_t = tens / A, a_w = A_w / A;
  const double d = p[3] * N_pl, k = 1.0 - 2.0 * a_t;
  double M_N;
  if (n >= k)
    M_N = (a_w / 2 + a_c) * (1.0 - n) * d;
  else if (n <= 2.0 * a_c - 1.0)
    M_N = (a_w / 2 + a_t) * (1.0 + n) * d;
  else
    M_N = ((a_w / 2 + a_c) * (1.0 - n) - (k - n) * (k - n) / (4.0 * a_w)) * d;
  return {0, 0, 1, n, v, M_N};
}

// Doubly symmetric I by areas; shear reduces the web's strength.
ShapeResult _Shape3(double N, double M, double V, const double *p) {
  (void)M;
  const double fd = p[4];
  const double V_pl = p[1] * fd * kInvSqrt3;
  if (!(V_pl > 0.0 && p[2] > 0.0)) return _Invalid();
  const double v = std::fabs(V) / V_pl;
  double area = p[0], shear_area = p[1];
  if (v > 0.33333) {
    if (v > 1.0) return _Fail(NVM_FAIL_V, v);
    const double r = std::sqrt(1.0 - v * v);
    area = p[0] + (r - 1.0) * p[1];
    shear_area = r * p[1];
  }
  const double N_pl = fd * area;
  if (!(N_pl > 0.0)) return _Invalid();
  const double n = std::fabs(N) / N_pl;
  if (n > 1.0) return _Fail(NVM_FAIL_N, n);
  const double a = shear_area / area;
  const double M_pl = N_pl * (2.0 - a) * p[2] / 4.0;
  if (!(M_pl > 0.0)) return _Invalid();
  const double M_N = a >= n ? M_pl * (1.0 + n * n / ((1.0 - a) * (1.0 - a) - 1.0)) : M_pl * (1.0 - n) / (1.0 - a / 2.0);
  return {0, 0, 1, n, v, M_N};
}

// Doubly symmetric I bending about z: the flanges carry the moment, the web the normal force.
ShapeResult _Shape4(double N, double M, double V, const double *p) {
  (void)M;
  const double fd = p[4];
  const double V_pl = kTwoBySqrt3 * p[0] * fd;
  if (!(V_pl > 0.0)) return _Invalid();
  const double v = std::fabs(V) / V_pl;
  if (v > 1.0) return _Fail(NVM_FAIL_V, v);
  const double r = v > 0.25 ? std::sqrt(1.0 - v * v) : 1.0;
  const double area = 2.0 * r * p[0] + p[1], N_pl = fd * area;
  if (!(N_pl > 0.0)) return _Invalid();
  const double a = p[1] / area, M_pl = N_pl * (1.0 - a) * p[2] / 4.0;
  if (!(M_pl > 0.0)) return _Invalid();
  const double n = std::fabs(N) / N_pl;
  if (n > 0.999) return _Fail(NVM_FAIL_N, n);
  double M_N = M_pl;
  if (a < n) {
    const double k = (1.0 - n) / (a - 1.0) + 1.0;
    M_N = (1.0 - k * k) * M_pl;
  }
  return {0, 0, 1, n, v, _Cap(M_N, p)};
}

// Thin circular ring.
ShapeResult _Shape5(double N, double M, double V, const double *p) {
  const double fd = p[4];
  const double V_pl = kTwoBySqrt3 * fd * p[1] * p[0];
  if (!(V_pl > 0.0)) return _Invalid();
  const double v = std::fabs(V) / V_pl;
  if (v > 1.0) return _Fail(NVM_FAIL_V, v);
  double N_pl = std::numbers::pi * p[0] * p[1] * fd;
  if (v > 0.25) N_pl *= std::sqrt(1.0 - v * v);
  const double n = std::fabs(N) / N_pl;
  if (n > 1.0) return _Fail(NVM_FAIL_N, n);
  const double M_pl = N_pl * p[0] * kInvPi;
  if (!(M_pl > 0.0)) return _Invalid();
  if (std::fabs(M) / M_pl > 1.0) return _Fail(NVM_FAIL_M, std::fabs(M) / M_pl);
  return {0, 0, 1, n, v, _Cap(M_pl * std::cos(std::numbers::pi / 2 * n), p)};
}

}  // namespace

int Calc_Plastic_NVM_Interaction(uint32_t, double N, double M, double V, const double *p, int shape, double *M_gr,
                                 uint32_t *exceeded, double *U, double *error_pair) {
  double M_gr_local = 0.0, U_local = 0.0;
  uint32_t exceeded_local = 0;
  if (!M_gr) M_gr = &M_gr_local;
  if (!U) U = &U_local;
  if (!exceeded) exceeded = &exceeded_local;
  *U = -1.0;
  if (shape < NVM_SHAPE_I_Y || shape > NVM_SHAPE_RING || !p) {
    *U = 0.0;
    return -1;
  }
  *exceeded = 0;
  *M_gr = M;
  static ShapeResult (*const kShapes[])(double, double, double, const double *) = {_Shape1, _Shape2, _Shape3,
                                                                                    _Shape4, _Shape5};
  const ShapeResult r = kShapes[shape - 1](N, M, V, p);
  if (r.code < 0) {
    *U = 0.0;
    return -1;
  }
  if (r.code > 0) {
    *U = r.ratio / r.limit;
    if (error_pair) {
      error_pair[0] = r.ratio;
      error_pair[1] = r.limit;
    }
    return r.code;
  }
  // A negative limit (shape 1 near n = 1 with shear) leaves no moment capacity.
  const double M_N = std::max(r.M_N, 0.0);
  *exceeded = std::fabs(M) > M_N ? 1 : 0;
  *M_gr = M < 0.0 ? -M_N : M_N;
  const double m = M_N > 0.0 ? std::fabs(M / M_N) : (M == 0.0 ? 0.0 : 1e6);
  *U = std::max({m, std::fabs(r.n), r.v});
  if (*U >= 1.0) *exceeded = 1;
  return 0;
}

double *Scale_Section_Forces(double *F, double k) {
  if (F)
    for (int i = 0; i < 8; ++i) F[i] *= k;
  return F;
}

double Copy_Sign(double a, double b) { return b >= 0.0 ? std::fabs(a) : -std::fabs(a); }

int Get_Check_Hook_Result(void *object, void *out_1, void *out_2, void *out_3) {
  return g_data.hook ? g_data.hook(object, out_1, out_2, out_3) : 0;
}

void Reset_Check_Data_Statics() { g_data = CheckDataStatics{}; }

CHECK_DATA_HOOK Set_Check_Hook(CHECK_DATA_HOOK hook) {
  Checks_Register_Reset();  // a test's hook goes with Host_Reset
  const CHECK_DATA_HOOK old = g_data.hook;
  g_data.hook = hook;
  return old;
}
