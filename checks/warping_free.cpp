// checks/warping_free.cpp — sections without warping resistance: which they are, and how
// their warping torque and bimoment reach the checks.
#include <cmath>

#include "checks/checks.h"
#include "print/print.h"
#include "profil/profil.h"
#include "querschnitt/querschnitt.h"
#include "support/cp850.h"

namespace {

// I_w counts as zero below this share of (I_y + I_z)² / A, a sixth power of the section's
// size: the thin-walled I_w of an angle, a tee or a square tube is 0 (a rounding rest is far
// below), while I and channel shapes lie above 0.05 and an RHS 200 × 100 × 8 near 0.01.
constexpr double kWarpingShare = 1e-6;

// 1 when I_w is zero within the share of the section's A and I_y + I_z (any one unit of length).
int _Iw_Zero(double A, double I_p, double I_w) {
  if (!(A > 0.0) || !(I_p > 0.0) || !std::isfinite(I_w) || !std::isfinite(I_p)) return 0;
  return std::fabs(I_w) <= kWarpingShare * I_p * (I_p / A) ? 1 : 0;
}

int _Iw_Zero(const PROFIL &p) { return _Iw_Zero(p.A, p.I_y + p.I_z, p.I_w); }

}  // namespace

int Profil_Without_Warping_Resistance(const PROFIL *p) {
  if (!p) return 0;
  // Tubes and solid bars by their shape (EN 1993-1-1, 6.2.7(7)), whatever values they hold.
  if (p->kind != PROFIL_KIND_QUER && (p->type == PROFIL_CHS || p->type == PROFIL_FLAT || p->type == PROFIL_ROUND))
    return 1;
  if (p->kind != PROFIL_KIND_QUER && p->A > 0.0) return _Iw_Zero(*p);
  // An R7-PLAX section by the thin-walled model that its stresses come from (its exchange
  // file need not hold I_w; a thick-walled section has no such model: 0); a record without
  // section values by those of a copy. Either changes the solver's current section.
  PROFIL q{};
  Copy_Profil(p, &q);
  int zero = 0;
  if (p->kind == PROFIL_KIND_QUER) {
    const QUERSCHNITT *s = Build_Profil_Stress_Section(&q, 1, 0);
    zero = s && _Iw_Zero(s->values[DWQB_V_A], s->values[DWQB_V_IM] + s->values[DWQB_V_IN], s->values[DWQB_V_IW]);
  } else {
    Calc_Profil_Querschnittswerte(&q, nullptr, 0, nullptr);  // a grade limit keeps the values
    zero = _Iw_Zero(q);
  }
  Reset_Profil(&q);
  return zero;
}

int Take_Warping_as_St_Venant(const PROFIL *p, double *T_t, double *T_w, double *B, double T_zero) {
  if (!T_t || !T_w || !B || (*T_w == 0.0 && *B == 0.0) || !Profil_Without_Warping_Resistance(p)) return 0;
  // T_Ed = T_t,Ed + T_w,Ed (EN 1993-1-1, 6.2.7(2)), the whole of it St Venant torsion.
  *T_t += *T_w;
  if (std::fabs(*T_t) < T_zero) *T_t = 0.0;
  *T_w = *B = 0.0;
  return 1;
}

void Print_St_Venant_Note(const PROFIL *p, double T_t, double T_w, double B, FILE *stream, int level) {
  if (!p || !stream || level < 1) return;
  // A section taken over from R7-PLAX has no shape of its own here.
  const int type = p->kind == PROFIL_KIND_QUER ? PROFIL_DEFAULT : p->type;
  const char *what = type == PROFIL_CHS || type == PROFIL_RHS ? "Hohlprofil"
                     : type == PROFIL_FLAT                    ? "Flachstahl"
                     : type == PROFIL_ROUND                   ? "Rundstahl"
                                                              : "Profil ohne Wölbwiderstand"_cp;
  // Only what was given is named: the sum where a warping torque was, the bimoment where one was.
  Oli_Printf(stream, "%s%s (EC 3-1-1, 6.2.7): ", Oli_Line_Prefix(), what);
  if (T_w != 0.0)
    CP850_CALL(Oli_Printf, stream,
               "Wölbtorsionsmoment als St. Venant'sche Torsion angesetzt, T╬\\t╬r + T╬\\ð╬r = %.2lf + %s%.2lf%s = "
               "%.2lf kNm",
               T_t, T_w < 0.0 ? "(" : "", T_w, T_w < 0.0 ? ")" : "", T_t + T_w);
  if (T_w != 0.0 && B != 0.0) Oli_Printf(stream, "; ");
  if (B != 0.0) CP850_CALL(Oli_Printf, stream, "Bimoment B = %.2lf kNm² nicht berücksichtigt", B);
  Oli_Printf(stream, ".\n");
}
