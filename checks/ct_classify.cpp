// checks/ct_classify.cpp — classification of plate parts by c/t and the buckling curve.
//
// Rule sets:
//   EN 1993-1-1 Table 5.2 (limits c/t of classes 1, 2, 3) with k_sigma of EN 1993-1-5
//   Table 4.1 (internal) and Table 4.2 (outstands);
//   DIN 18800-1 Tables 12 to 15 (grenz b/t), with 305/√240 and 420.4/√240 as factors;
//   EN 1999-1-1 Table 6.2 (beta_1, beta_2, beta_3) with eta of 6.1.4.3.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "checks/checks.h"
#include "checks/checks_internal.h"

namespace {

enum Rules { kDin, kEn, kAlu };

// EN 1999-1-1 Table 6.2: beta_1/eps, beta_2/eps, beta_3/eps; [class B][welded][internal].
constexpr double kAluBeta[2][2][2][3] = {
    {{{3.0, 4.5, 6.0}, {11.0, 16.0, 22.0}},    // class A, without welds: outstand, internal
     {{2.5, 4.0, 5.0}, {9.0, 13.0, 18.0}}},    // class A, welded
    {{{3.5, 4.5, 5.0}, {13.0, 16.5, 18.0}},    // class B, without welds
     {{3.0, 3.5, 4.0}, {10.0, 13.5, 15.0}}},   // class B, welded
};

// DIN 18800-1: grenz b/t = 305/√fy,k·... and 420.4/√fy,k·... written with epsilon = √(240/fy).
const double kDinOutstand = 305.0 / std::sqrt(240.0);
const double kDinInternal = 420.4 / std::sqrt(240.0);

struct PartResult {
  bool compressed;
  int kind;  // after the ends were ordered
  double eps, eps_s, alpha, psi, k_sigma;
  double limit[3];
};

// k_sigma of an outstand (EN 1993-1-5 Table 4.2): tip in compression / tip in tension.
double _K_Sigma_Outstand(int kind, double psi) {
  if (kind == CT_KIND_OUTSTAND_A) return 0.57 - 0.21 * psi + 0.07 * psi * psi;
  if (psi >= 0.0) return 0.578 / (psi + 0.34);
  return 1.7 - 5.0 * psi + 17.1 * psi * psi;
}

// k_sigma of an internal part (EN 1993-1-5 Table 4.1).
double _K_Sigma_Internal(double psi) {
  if (psi > 0.0) return 8.2 / (1.05 + psi);
  return 7.81 - 6.29 * psi + 9.78 * psi * psi;
}

// The plastic neutral axis of a part: the section's normal force (N, compression positive),
// the design strength and the area of the symmetric web(s) that carry it (0: the part is
// none); share the part's compressed share by the section's plastic neutral axis (−1: not
// worked out) and end its compressed end (0 first, 1 second, −1 both or none). Null: alpha
// from the end stresses (the rules of DIN 18800 and EN 1999-1-1).
struct PlasticWeb {
  double N_c, f_y, A_web;
  double share;
  int end;
};

// Steps 1, 2, 5, 6 of the classification for given epsilon rules. eps_ref and raise are
// the caller's; sigma_1 decides the raise, so it is done here.
void _Classify(Rules rules, int flags, int kind, double fy, double sigma_a, double sigma_b, double eps,
               double f_d, bool raise, const PlasticWeb *web, PartResult *r) {
  *r = PartResult{};
  r->kind = kind;
  // Order the ends: sigma_1 the larger compression, as positive numbers.
  double s1 = -sigma_a, s2 = -sigma_b;
  if (s2 > s1) {
    std::swap(s1, s2);
    if (kind == CT_KIND_OUTSTAND_A) r->kind = CT_KIND_OUTSTAND_B;
    else if (kind == CT_KIND_OUTSTAND_B) r->kind = CT_KIND_OUTSTAND_A;
  }
  if (s1 <= 1e-5 * fy) {  // not in compression
    r->eps = r->eps_s = 1.0;
    r->alpha = 0.0;
    r->psi = -1000.0;
    r->k_sigma = 1.0;
    return;
  }
  r->compressed = true;
  r->eps = eps;
  r->eps_s = (raise && s1 < f_d) ? eps * std::sqrt(f_d / s1) : eps;
  double psi = s2 / s1, alpha = 1.0;
  if (psi < -1.0) {
    psi = -1.0;  // more tension than compression: judged as pure bending (conservative)
    alpha = (flags & CT_FLAG_ALPHA_ONE) ? 1.0 : 0.5;
  } else if (psi < 0.0 && !(flags & CT_FLAG_ALPHA_ONE)) {
    alpha = 1.0 / (1.0 - psi);
  }
  r->psi = psi;
  r->alpha = alpha;
  const double e = eps, es = r->eps_s;
  double *L = r->limit;
  if (rules == kAlu) {
    const int b = (flags & CT_FLAG_ALU_CLASS_B) ? 1 : 0, w = (flags & CT_FLAG_WELDED) ? 1 : 0;
    const bool internal = r->kind == CT_KIND_INTERNAL || r->kind == CT_KIND_TUBE;
    const double *beta = kAluBeta[b][w][internal ? 1 : 0];
    r->k_sigma = 1.0;
    if (r->kind == CT_KIND_TUBE) {
      for (int i = 0; i < 3; ++i) L[i] = (beta[i] * e) * (beta[i] * e) / 9.0;
    } else {
      // eta of EN 1999-1-1 6.1.4.3: 1 for the tip in compression, 0.70 + 0.30 psi else.
      const double eta = r->kind == CT_KIND_OUTSTAND_A ? 1.0 : 0.70 + 0.30 * psi;
      for (int i = 0; i < 3; ++i) L[i] = beta[i] * e / eta;
    }
    return;
  }
  switch (r->kind) {
    case CT_KIND_OUTSTAND_A:
    case CT_KIND_OUTSTAND_B: {
      const double k = _K_Sigma_Outstand(r->kind, psi);
      r->k_sigma = k;
      if (rules == kEn) {
        const double a = r->kind == CT_KIND_OUTSTAND_A ? alpha : alpha * std::sqrt(alpha);
        L[0] = 9.0 * e / a;
        L[1] = 10.0 * e / a;
        L[2] = 21.0 * es * std::sqrt(k);
        // Classes 1 and 2 by the plastic distribution (Table 5.2, sheet 2) where the stresses
        // bend the outstand and the section's neutral axis is worked out: alpha its compressed
        // share (1 where the axis does not cross it), the tip compressed or in tension by the
        // axis. In the hot state not above the limits of the stresses. They end at class 3.
        if (web && web->share >= 0.0 && psi < 0.0 && !(flags & CT_FLAG_ALPHA_ONE)) {
          const double sh = web->share;
          const bool tip = web->end < 0 || (web->end == 0) == (kind == CT_KIND_OUTSTAND_A);
          double l[2] = {L[2], L[2]};  // wholly in tension at the plastic resistance
          if (sh > 0.0) {
            const double d = tip ? sh : sh * std::sqrt(sh);
            l[0] = 9.0 * e / d, l[1] = 10.0 * e / d;
          }
          for (int c = 0; c < 2; ++c) {
            L[c] = (flags & CT_FLAG_HOT) ? std::min(L[c], l[c]) : l[c];
            L[c] = std::min(L[c], L[2]);
          }
          r->alpha = sh;
        }
      } else {
        L[0] = 9.0 * e;
        L[1] = 11.0 * e;
        L[2] = kDinOutstand * es * std::sqrt(k);
      }
      break;
    }
    case CT_KIND_INTERNAL:
      r->k_sigma = _K_Sigma_Internal(psi);
      if (rules == kEn) {
        // EN 1993-1-1 Table 5.2 (sheet 1): classes 1 and 2 take alpha from the plastic
        // stress distribution, class 3 psi from the elastic one. In compression and bending
        // (partly in tension) the plastic neutral axis decides where it is worked out.
        const bool plastic = web && psi < 0.0 && !(flags & CT_FLAG_ALPHA_ONE);
        if (plastic) {
          // A symmetric web by its area, any other part by the section's neutral axis; 1
          // where neither is worked out.
          const double alpha_pl = web->A_web > 0.0 || web->share < 0.0
                                      ? Calc_CT_Alpha_Plastic(web->N_c, web->f_y, web->A_web)
                                      : web->share;
          r->alpha = alpha = (flags & CT_FLAG_HOT) ? std::max(alpha_pl, alpha) : alpha_pl;
        }
        L[2] = 42.0 * es / (0.67 + 0.33 * psi);
        if (alpha <= 0.0) {
          L[0] = L[1] = 0.0;  // wholly in tension at the plastic resistance: no division
        } else if (alpha > 0.5) {
          L[0] = 396.0 * e / (13.0 * alpha - 1.0);
          L[1] = 456.0 * e / (13.0 * alpha - 1.0);
        } else {
          L[0] = 36.0 * e / alpha;
          L[1] = 41.5 * e / alpha;
        }
        if (plastic) {
          // A part beyond the class-3 limit is class 4 (EN 1993-1-1, 5.5.2), so the limits of
          // classes 1 and 2 end there; a web wholly in tension is class 1 up to it.
          for (int c = 0; c < 2; ++c)
            if (!(L[c] > 0.0) || L[c] > L[2]) L[c] = L[2];
        }
      } else {
        L[0] = 32.0 * e / alpha;
        L[1] = 37.0 * e / alpha;
        if (psi > 0.0)
          L[2] = kDinInternal * es * std::sqrt(r->k_sigma) * (1.0 - 0.278 * psi - 0.025 * psi * psi);
        else
          L[2] = kDinInternal * es * std::sqrt(r->k_sigma);
      }
      break;
    case CT_KIND_TUBE:
      r->k_sigma = 1.0;
      L[0] = 50.0 * e * e;
      L[1] = 70.0 * e * e;
      L[2] = rules == kEn ? 90.0 * es * es : (80.0 - 10.0 * psi) * es * es;
      break;
    default:
      break;
  }
}

// First generation: EN 1993-1-1 (mode 1) or DIN 18800 (any other mode). N_Ed (N,
// compression negative) and A_web of the plastic neutral axis at f_d = fy / gamma.
void _Classify_Old(int mode, int flags, int kind, double fy, double gamma, double factor, double sigma_a,
                   double sigma_b, double N_Ed, double A_web, double share, int end, PartResult *r) {
  const Rules rules = (mode & 0xFFFF) == 1 ? kEn : kDin;
  const double k = (flags & CT_FLAG_FACTOR) ? factor : 1.0;
  double eps = 1.0;
  if (fy > 0.0) eps = k * std::sqrt((rules == kEn ? 235.0 : 240.0) / fy);
  const double f_d = gamma > 0.0 ? fy / gamma : fy;
  const bool raise = fy > 0.0 && (rules == kDin || (flags & CT_FLAG_RAISE));
  const PlasticWeb web{-N_Ed, f_d, A_web, share, end};
  _Classify(rules, flags, kind, fy, sigma_a, sigma_b, eps, f_d, raise, &web, r);
}

// Second generation: modes 0 DIN, 1 EN, 2 EN 1999; others epsilon as EN, rules as DIN.
void _Classify_New(int mode, int flags, int kind, double fy, double E, double f_d, double factor,
                   double sigma_a, double sigma_b, const PlasticWeb *web, PartResult *r) {
  const int m = mode & 0xFFFF;
  const Rules rules = m == 1 ? kEn : m == 2 ? kAlu : kDin;
  const double f_ref = m == 0 ? 240.0 : m == 2 ? 250.0 : 235.0;
  const double E_ref = m == 2 ? 70000.0 : 210000.0;
  double eps = (flags & CT_FLAG_FACTOR) ? factor : 1.0;
  if (fy > 0.0) eps *= std::sqrt(f_ref / fy);
  if (E > 0.0) eps *= std::sqrt(E / E_ref);
  const bool raise = m != 2 && f_d > 0.0 && (m != 1 || (flags & CT_FLAG_RAISE));
  _Classify(rules, flags, kind, fy, sigma_a, sigma_b, eps, f_d, raise, web, r);
}

bool _Counted_Kind(int kind) { return kind >= CT_KIND_TUBE && kind <= CT_KIND_INTERNAL; }

// Step 7 for one part: group 0 outstands, 1 internal parts and tubes (by the stored kind).
// Returns a bit per overall class maximum that rose.
int _Collect(double *u, int stored_kind, double ct, const PartResult &r) {
  const int g = (stored_kind == CT_KIND_OUTSTAND_A || stored_kind == CT_KIND_OUTSTAND_B) ? 0 : 3;
  int rose = 0;
  for (int c = 0; c < 3; ++c) {
    if (!(r.limit[c] > 0.0)) continue;
    const double v = ct / r.limit[c];
    if (v > u[g + c]) u[g + c] = v;
    if (u[g + c] > u[6 + c]) {
      u[6 + c] = u[g + c];
      rose |= 1 << c;
    }
  }
  return rose;
}

// The compressed share of part p by the section's plastic neutral axis under EN 1993-1-1 (−1
// otherwise, and for a symmetric web, which its own area serves).
double _Share(const CT_PLATE_TABLE_READER &table, int i, const CT_PLATE_PART &p, bool en, double f_d, int *end) {
  *end = -1;
  if (!en || p.A_web > 0.0 || p.kind == CT_KIND_TUBE) return -1.0;
  return table.plastic_share(i, f_d, end);
}

// EN 1993-1-1 Table 5.2, sheet 3: an angle in compression (both legs wholly compressed)
// meets class 3 only with h/t <= 15 eps and (b + h)/2t <= 11.5 eps (the legs' c/t, h the
// longer leg); classes 1 and 2 stay with the legs as outstands. The two ratios and the
// largest compression of the legs (N/mm², positive); false for any other section.
bool _Angle_In_Compression(const CT_PLATE_TABLE_READER &table, double ratio[2], double *sigma_1) {
  if (!table.angle()) return false;
  double ct[2];
  int n = 0;
  *sigma_1 = 0.0;
  for (int i = 0; i < table.count(); ++i) {
    CT_PLATE_PART p;
    if (!table.get(i, &p) || !_Counted_Kind(p.kind)) continue;
    if (p.kind == CT_KIND_INTERNAL || p.kind == CT_KIND_TUBE || n == 2) return false;
    if (!(p.sigma_a < 0.0 && p.sigma_b < 0.0)) return false;
    *sigma_1 = std::max(*sigma_1, -std::min(p.sigma_a, p.sigma_b));
    ct[n++] = p.ct;
  }
  if (n != 2) return false;
  ratio[0] = std::max(ct[0], ct[1]);
  ratio[1] = 0.5 * (ct[0] + ct[1]);
  return true;
}
constexpr double kAngleLimit[2] = {15.0, 11.5};

}  // namespace

int Calc_CT_Limits(const CT_REQUEST *request, CT_RESULT *result) {
  if (result) std::memset(result, 0, sizeof *result);
  if (!request || !result) return 0;
  CT_PLATE_TABLE_READER table(request->parts);
  const bool en = (request->mode & 0xFFFF) == CT_MODE_EN;
  const double f_d = request->gamma > 0.0 ? request->fy / request->gamma : request->fy;
  for (int i = 0; i < table.count(); ++i) {
    CT_PLATE_PART p;
    if (!table.get(i, &p) || !_Counted_Kind(p.kind)) continue;
    int end;
    const double share = _Share(table, i, p, en, f_d, &end);
    PartResult r;
    _Classify_Old(request->mode, request->flags, p.kind, request->fy, request->gamma, request->factor,
                  p.sigma_a, p.sigma_b, table.N_Ed(), p.A_web, share, end, &r);
    if (r.compressed) _Collect(result->u, p.kind, p.ct, r);
  }
  double ratio[2], s1;
  if (en && _Angle_In_Compression(table, ratio, &s1)) {
    for (int k = 0; k < 2; ++k) {
      PartResult r;  // the epsilon of a leg at the largest compression
      _Classify_Old(request->mode, request->flags, CT_KIND_OUTSTAND_A, request->fy, request->gamma,
                    request->factor, -s1, -s1, 0.0, 0.0, -1.0, -1, &r);
      r.limit[0] = r.limit[1] = 0.0;
      r.limit[2] = kAngleLimit[k] * r.eps_s;
      if (r.compressed) _Collect(result->u, CT_KIND_OUTSTAND_A, ratio[k], r);
    }
  }
  return 1;
}

int Classify_Querschnitt_Parts(const CT_REQUEST_EX *request, CT_RESULT_EX *result) {
  if (result) std::memset(result, 0, sizeof *result);
  if (!request || !result) return 0;
  CT_PLATE_TABLE_READER table(request->parts);
  double *u = result->u;
  const bool en = (request->mode & 0xFFFF) == CT_MODE_EN;
  const double f_d = request->f_d > 0.0 ? request->f_d : request->fy;
  auto take = [&](int kind, double ct, const PartResult &r) {
    const int rose = _Collect(u, kind, ct, r);
    if (rose & 1) u[12] = r.eps;
    if (rose & 2) u[13] = r.eps;
    if (rose & 4) u[14] = r.eps_s;
    if (request->flags & CT_FLAG_RAISE) {
      const int g = (kind == CT_KIND_OUTSTAND_A || kind == CT_KIND_OUTSTAND_B) ? 0 : 3;
      const double g3 = u[g + 2];
      if (r.eps_s > 0.0 && g3 * r.eps / r.eps_s > 1.0 && g3 * g3 > u[11]) u[11] = g3 * g3;
    }
  };
  for (int i = 0; i < table.count(); ++i) {
    CT_PLATE_PART p;
    if (!table.get(i, &p) || !_Counted_Kind(p.kind)) continue;
    int end;
    const double share = _Share(table, i, p, en, f_d, &end);
    const PlasticWeb web{-table.N_Ed(), f_d, p.A_web, share, end};
    PartResult r;
    _Classify_New(request->mode, request->flags, p.kind, request->fy, request->E, request->f_d,
                  request->factor, p.sigma_a, p.sigma_b, &web, &r);
    if (r.compressed) take(p.kind, p.ct, r);
  }
  double ratio[2], s1;
  if (en && _Angle_In_Compression(table, ratio, &s1)) {
    for (int k = 0; k < 2; ++k) {
      PartResult r;
      _Classify_New(request->mode, request->flags, CT_KIND_OUTSTAND_A, request->fy, request->E, request->f_d,
                    request->factor, -s1, -s1, nullptr, &r);
      r.limit[0] = r.limit[1] = 0.0;
      r.limit[2] = kAngleLimit[k] * r.eps_s;
      if (r.compressed) take(CT_KIND_OUTSTAND_A, ratio[k], r);
    }
  }
  return 1;
}

// EN 1993-1-1 Table 5.2 (sheet 1), compression and bending: with the flanges yielded by
// the moment the web(s) carry N_Ed, the plastic neutral axis at alpha·c from the compressed
// end: (2 alpha − 1) c t f_y = N_Ed.
double Calc_CT_Alpha_Plastic(double N_Ed, double f_y, double A_web) {
  if (!(A_web > 0.0) || !(f_y > 0.0) || !std::isfinite(N_Ed) || !std::isfinite(A_web) || !std::isfinite(f_y))
    return 1.0;
  const double alpha = 0.5 * (1.0 + N_Ed / (f_y * A_web));
  return std::clamp(alpha, 0.0, 1.0);
}

namespace {
// A part of kind −2 (or any kind outside −1..2): epsilon, alpha, psi, k_sigma 1, limits 0.
bool _Part_Is_None(int kind) { return !_Counted_Kind(kind); }
}  // namespace

int Calc_CT_Limits_of_Part(const CT_PART_REQUEST *q, CT_PART_LIMITS *out) {
  if (!q) return 0;
  if (!out) return 1;
  *out = CT_PART_LIMITS{1.0, 1.0, 1.0, 0.0, {0.0, 0.0, 0.0}};
  if (_Part_Is_None(q->kind)) {
    out->k_sigma = 1.0;
    return 1;
  }
  PartResult r;
  _Classify_Old(q->mode, q->flags, q->kind, q->fy, q->gamma, q->factor, q->sigma_a, q->sigma_b, q->N_Ed, q->A_web,
                -1.0, -1, &r);
  *out = CT_PART_LIMITS{r.eps, r.alpha, r.psi, r.k_sigma, {r.limit[0], r.limit[1], r.limit[2]}};
  return 1;
}

int Classify_Querschnitt_Part(const CT_PART_REQUEST_EX *q, CT_PART_LIMITS_EX *out) {
  if (!q) return 0;
  if (!out) return 1;
  *out = CT_PART_LIMITS_EX{1.0, 1.0, 1.0, 1.0, 0.0, {0.0, 0.0, 0.0}};
  if (_Part_Is_None(q->kind)) {
    out->k_sigma = 1.0;
    return 1;
  }
  // The plastic neutral axis: the design strength where given, else f_y.
  const PlasticWeb web{-q->N_Ed, q->f_d > 0.0 ? q->f_d : q->fy, q->A_web, -1.0, -1};
  PartResult r;
  _Classify_New(q->mode, q->flags, q->kind, q->fy, q->E, q->f_d, q->factor, q->sigma_a, q->sigma_b, &web, &r);
  *out = CT_PART_LIMITS_EX{r.eps, r.eps_s, r.alpha, r.psi, r.k_sigma, {r.limit[0], r.limit[1], r.limit[2]}};
  return 1;
}

// EN 1993-1-1 Table 6.2. Limits carry a tolerance of 0.001 (h/b > 1.201, t <= 40.001 mm,
// t <= 100.001 mm).
int Choose_Buckling_Curve(int axis, int grade_code, int kind, double h_b, double t, int rolled) {
  enum { a0, a, b, c, d };
  const int row = grade_code & 0xFFFF;
  const bool s460 = row == 12 || row == 13;  // "S460 N/NL" and "S460 M/ML"
  const bool yy = axis == 0;
  if (kind == 13) {  // I with unequal flanges: welded I
    kind = 1;
    rolled = 0;
  }
  const bool welded_i = (kind == 1 || kind == 2) && rolled <= 0;
  if (welded_i) {
    if (t <= 40.001) return yy ? b : c;
    return yy ? c : d;
  }
  switch (kind) {
    case 1:
      if (h_b > 1.201) {
        if (t <= 40.001) return s460 ? a0 : (yy ? a : b);
        if (t <= 100.001) return s460 ? a : (yy ? b : c);
        return -1;
      }
      if (t <= 100.001) return s460 ? a : (yy ? b : c);
      return s460 ? c : d;
    case 2: case 3: case 4: case 7: case 11: case 12:
      return c;
    case 5:
      return b;
    case 6:
      return rolled > 0 ? c : -1;
    default:
      return -1;
  }
}
