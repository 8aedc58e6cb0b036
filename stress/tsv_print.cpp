// stress/tsv_print.cpp — print-list lines of the partial internal forces method.
#include "print/print.h"
#include "stress/stress_methods.h"

namespace {
// Symbols of the print-list font, one character each.
const char *const kLe = "¾"_cp;      // less-or-equal
const char *const kMark = "ê"_cp;    // stands before a utilisation
const char *const kRho = "┴"_cp;     // reduction factor

void Circular(FILE *s, const char *p, const TSV_RESULT *r) {
  CP850_CALL(Oli_Printf, s, "%sAusnutzung aus Schub:  V = %.2f kN,  M╬\\xp╬r = %.2f kNm  %s  U╬\\%s╬r = %.3f\n", p,
             r->V_s, r->M_xp_s * 0.01, kMark, kOliTau, r->U_tau);
  if (!(r->flags & TSV_F_SHEAR)) return;
  CP850_CALL(Oli_Printf, s, "%sReduktionsfaktor der Streckgrenze:  %s╬\\y,%s╬r = %.3f\n", p, kRho, kOliTau, r->rho_s);
  if (!(r->flags & TSV_F_FLANGE_BENDING)) return;
  CP850_CALL(Oli_Printf, s, "%sAusnutzung Normalkraft:  %.2f kN %s N %s %.2f kN,  N = %.2f kN  %s  U╬\\N╬r = %.3f\n",
             p, r->N_lo, kLe, kLe, r->N_hi, r->N, kMark, r->U_N);
  if (!(r->flags & TSV_F_NORMAL)) return;
  CP850_CALL(Oli_Printf, s,
             "%sAusnutzung Moment:  %.2f kNm %s M %s %.2f kNm,  M = %.2f kNm  %s  U╬\\My╬r = %.3f\n", p,
             r->M_lo * 0.01, kLe, kLe, r->M_hi * 0.01, r->M_y_s * 0.01, kMark, r->U_My);
  if (!(r->flags & TSV_F_FINAL)) return;
  CP850_CALL(Oli_Printf, s, "%sAusnutzung aus Teilschnittgrößenverfahren:  U╬\\%s╬r = %.3f\n", p, kOliSigma, r->U);
}

void Flat(FILE *s, const char *p, const TSV_RESULT *r) {
  CP850_CALL(Oli_Printf, s, "%sAusnutzung aus Schub:  V = %.2f kN,  M╬\\xp╬r = %.2f kNm  %s  U╬\\%s╬r = %.3f\n", p,
             r->V_s, r->M_xp_s * 0.01, kMark, kOliTau, r->U_tau);
  CP850_CALL(Oli_Printf, s, "%sAusnutzung aus y-Biegung:  N = %.2f kN,  M╬\\y╬r = %.2f kNm  %s  U╬\\My╬r = %.3f\n", p,
             r->N, r->M_y_s * 0.01, kMark, r->U_My);
  CP850_CALL(Oli_Printf, s,
             "%sAusnutzung aus y/z-Biegung:  M╬\\z╬r = %.2f kNm,  U╬\\My╬r = %.3f  %s  U╬\\Myz╬r = %.3f\n", p,
             r->M_Sa_o * 0.01, r->U_My, kMark, r->U_MS);
  CP850_CALL(Oli_Printf, s, "%sAusnutzung aus Schub und Biegung:  U╬\\%s╬r = %.3f\n", p, kOliSigma, r->U);
}

void Plates(FILE *s, const char *p, const TSV_RESULT *r) {
  const bool top = r->flags & TSV_F_TOP, bottom = r->flags & TSV_F_BOTTOM, web = r->flags & TSV_F_WEB;
  if (top)
    CP850_CALL(Oli_Printf, s,
               "%sTeilschnittgrößen Gurt oben:  V╬\\o╬r = %.2f kN,  M╬\\xp,o╬r = %.2f kNm,  M╬\\Sa,o╬r = %.2f kNm\n",
               p, r->V_o, r->M_xp_o * 0.01, r->M_Sa_o * 0.01);
  if (bottom)
    CP850_CALL(Oli_Printf, s,
               "%sTeilschnittgrößen Gurt unten:  V╬\\u╬r = %.2f kN,  M╬\\xp,u╬r = %.2f kNm,  M╬\\Sa,u╬r = %.2f kNm\n",
               p, r->V_u, r->M_xp_u * 0.01, r->M_Sa_u * 0.01);
  if (web)
    CP850_CALL(Oli_Printf, s, "%sTeilschnittgrößen Steg:  V╬\\s╬r = %.2f kN,  M╬\\xp,s╬r = %.2f kNm\n", p, r->V_s,
               r->M_xp_s * 0.01);
  CP850_CALL(Oli_Printf, s, "%sTeilschnittgrößen Hauptbiegung (Schwerpunkt):  N = %.2f kN,  M╬\\y,s╬r = %.2f kNm\n",
             p, r->N, r->M_y_s * 0.01);
  const char *sep = "";
  CP850_CALL(Oli_Printf, s, "%sAusnutzung aus Schub:", p);
  if (top) CP850_CALL(Oli_Printf, s, "%s  U╬\\%s,o╬r = %.3f", sep, kOliTau, r->U_tau_o), sep = ",";
  if (bottom) CP850_CALL(Oli_Printf, s, "%s  U╬\\%s,u╬r = %.3f", sep, kOliTau, r->U_tau_u), sep = ",";
  if (web) CP850_CALL(Oli_Printf, s, "%s  U╬\\%s,s╬r = %.3f", sep, kOliTau, r->U_tau_s);
  CP850_CALL(Oli_Printf, s, "  %s  U╬\\%s╬r = %.3f\n", kMark, kOliTau, r->U_tau);
  if (r->flags & TSV_F_SHEAR) {
    sep = "";
    CP850_CALL(Oli_Printf, s, "%sReduktionsfaktoren der Streckgrenzen: ", p);
    if (top) CP850_CALL(Oli_Printf, s, "%s  %s╬\\y,%s,o╬r = %.3f", sep, kRho, kOliTau, r->rho_o), sep = ",";
    if (bottom) CP850_CALL(Oli_Printf, s, "%s  %s╬\\y,%s,u╬r = %.3f", sep, kRho, kOliTau, r->rho_u), sep = ",";
    if (web) CP850_CALL(Oli_Printf, s, "%s  %s╬\\y,%s,s╬r = %.3f", sep, kRho, kOliTau, r->rho_s);
    Oli_Printf(s, "\n");
    sep = "";
    CP850_CALL(Oli_Printf, s, "%sAusnutzung aus Gurtbiegung M╬\\Sa╬r: ", p);
    if (top) CP850_CALL(Oli_Printf, s, "%s  U╬\\MS,o╬r = %.3f", sep, r->U_MS_o), sep = ",";
    if (bottom) CP850_CALL(Oli_Printf, s, "%s  U╬\\MS,u╬r = %.3f", sep, r->U_MS_u);
    CP850_CALL(Oli_Printf, s, "  %s  U╬\\MS╬r = %.3f\n", kMark, r->U_MS);
    if (r->flags & TSV_F_FLANGE_BENDING) {
      if (top)
        CP850_CALL(Oli_Printf, s, "%sGrenznormalkräfte Gurt oben:  %.2f kN %s N╬\\o╬r %s %.2f kN\n", p, r->N_lo_o, kLe,
                   kLe, r->N_hi_o);
      if (bottom)
        CP850_CALL(Oli_Printf, s, "%sGrenznormalkräfte Gurt unten:  %.2f kN %s N╬\\u╬r %s %.2f kN\n", p, r->N_lo_u,
                   kLe, kLe, r->N_hi_u);
      CP850_CALL(Oli_Printf, s, "%sGrenznormalkräfte Steg:  %.2f kN %s N╬\\s╬r %s %.2f kN\n", p, r->N_lo_s, kLe, kLe,
                 r->N_hi_s);
      CP850_CALL(Oli_Printf, s, "%sAusnutzung Normalkraft:  %.2f kN %s N %s %.2f kN  %s  U╬\\N╬r = %.3f\n", p, r->N_lo,
                 kLe, kLe, r->N_hi, kMark, r->U_N);
      if (r->flags & TSV_F_NORMAL)
        CP850_CALL(Oli_Printf, s,
                   "%sAusnutzung y-Moment (Schwerpunkt):  %.2f kNm %s M╬\\y,s╬r %s %.2f kNm  %s  U╬\\My╬r = %.3f\n", p,
                   r->M_y_s_lo * 0.01, kLe, kLe, r->M_y_s_hi * 0.01, kMark, r->U_My);
    }
  }
  if (r->flags & TSV_F_FINAL)
    CP850_CALL(Oli_Printf, s, "%sAusnutzung aus Laststeigerung der Teilschnittgrößen:  U╬\\%s,pl╬r = %.3f\n", p,
               kOliSigma, r->U);
}
}  // namespace

int Print_TSV_Result(FILE *stream, const char *prefix, const TSV_RESULT *result) {
  if (!stream || !result) return 0;
  if (!(result->flags & TSV_F_PARTIAL)) return 1;
  const char *p = prefix ? prefix : "";
  if (result->flags & TSV_F_CIRCULAR)
    Circular(stream, p, result);
  else if (result->flags & TSV_F_FLAT)
    Flat(stream, p, result);
  else
    Plates(stream, p, result);
  return 1;
}
