// Fillet weld check by the simplified method of EN 1993-1-8, 4.5.3.3.
#include <cmath>

#include "print/print.h"
#include "support/cp850.h"
#include "welds/welds.h"

namespace {

constexpr double kSqrt3 = 1.7320508075688772;
// Recommended partial factor of welds, EN 1993-1-8 Table 2.1.
constexpr double kGammaM2 = 1.25;
// EN 1993-1-8, 4.5.2(2): a fillet weld shorter than 30 mm or 6 times its throat carries
// no load.
constexpr double kLeastLength = 30.0;
constexpr double kLeastLengthThroats = 6.0;

bool _Positive(double x) { return std::isfinite(x) && x > 0.0; }
bool _Not_Negative(double x) { return std::isfinite(x) && x >= 0.0; }

// The part of a length that carries: all of it, or nothing when it is too short.
double _Carrying(double l, double a) {
  return l >= std::fmax(kLeastLength, kLeastLengthThroats * a) ? l : 0.0;
}

}  // namespace

void Init_Weld_Record(WELD_SEAM *weld) {
  if (!weld) return;
  *weld = WELD_SEAM{};
  weld->kind = WELD_FILLET;
  weld->gamma_M2 = kGammaM2;
}

int Check_Weld_Seam(WELD_SEAM *weld, FILE *stream, const char *prefix) {
  if (!prefix) prefix = "";
  bool ok = weld && weld->kind == WELD_FILLET && _Positive(weld->a) && _Positive(weld->f_u) &&
            _Positive(weld->beta_w) && _Positive(weld->gamma_M2) && _Not_Negative(weld->l_flange) &&
            _Not_Negative(weld->l_web) && std::isfinite(weld->F_Ed);
  double l_eff = 0.0;
  if (ok) {
    weld->l_eff = weld->f_vw_d = weld->F_w_Rd = weld->U = 0.0;
    l_eff = _Carrying(weld->l_flange, weld->a) + _Carrying(weld->l_web, weld->a);
    ok = l_eff > 0.0;
  }
  if (!ok) {
    Oli_Print_Fehler_Berechnung(stream, prefix, "Kehlnaht");
    return 1;
  }
  // EN 1993-1-8, 4.5.3.3(3): f_vw,d = (f_u / √3) / (β_w γ_M2); (2): F_w,Rd = f_vw,d a per length.
  const double f_vw_d = weld->f_u / (kSqrt3 * weld->beta_w * weld->gamma_M2);
  const double F_w_Rd = f_vw_d * weld->a * l_eff / 1000.0;
  const double U = std::fabs(weld->F_Ed) / F_w_Rd;
  weld->l_eff = l_eff;
  weld->f_vw_d = f_vw_d;
  weld->F_w_Rd = F_w_Rd;
  weld->U = U;
  if (stream)
    CP850_CALL(Oli_Printf, stream,
               "%sKehlnaht a = %.1lf mm, l = %.1lf mm: f╬\\vw,d╬r = %.1lf N/mm², F╬\\w,Rd╬r = %.1lf kN, "
               "F╬\\w,Ed╬r / F╬\\w,Rd╬r = %.3lf  %s  1  %s\n",
               prefix, weld->a, l_eff, f_vw_d, F_w_Rd, U, Oli_Compare_Mark_Le(U, 1.0),
               Oli_Mark_Verdict(U));
  return 0;
}
