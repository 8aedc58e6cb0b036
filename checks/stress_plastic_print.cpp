// checks/stress_plastic_print.cpp — the lines of the two plastic results in the stress check
// of a member section: the plastic limit state (zero line, limit strains and stresses on the
// triangulated outline, load factors, utilisation) and the partial internal forces of the
// plated section (parts, limit forces, utilisations).
#include <cmath>
#include <cstdio>

#include "checks/checks.h"
#include "checks/checks_internal.h"
#include "print/print.h"
#include "stress/stress_methods.h"
#include "support/cp850.h"

namespace {

// One load-factor line with the utilisation 1/f when the factor is positive.
void _Factor_Line(FILE *s, const char *text, const char *symbol, double f) {
  Oli_Printf(s, "%s%s (plast.): f", Oli_Line_Prefix(), text);
  CP850_CALL(Oli_Printf, s, "╬\\%s,pl╬r = %.3f", symbol, f);
  if (f > 0.0) CP850_CALL(Oli_Printf, s, "  ê  U╬\\%s,pl╬r = %.3f", symbol, 1.0 / f);
  Oli_Printf(s, "\n");
}

}  // namespace

void Print_Stress_PLO_Lines(FILE *s, int level, int app, int nachweis, const PLO_RESULT &r, double B,
                            const STRESS_PLO_EXTREMES &ex, const STRESS_PLO_LINE *lines, int n_lines) {
  if (!s || level < 1) return;
  const char *pre = Oli_Line_Prefix();
  const uint32_t fl = r.flags;
  if (level > 1 && (fl & PLO_F_WRITTEN)) {
    if (!(fl & PLO_F_NO_NORMAL)) {
      CP850_CALL(Oli_Printf, s, "%sNulllinie der Grenzdehnungen (plast.):", pre);
      // Under N alone the limit plane's zero line lies far outside: named, not placed.
      const char *outside = ex.ok ? PLO_Zero_Line_Outside_Text(ex.eps_min, ex.eps_max) : nullptr;
      if (outside)
        Oli_Printf(s, "  %s\n", outside);
      else
        CP850_CALL(Oli_Printf, s, "  y╬\\0╬r = %.2f cm,  z╬\\0╬r = %.2f cm,  %s = %.3f°\n", r.y0, r.z0, kOliAlpha,
                   r.angle * 57.29577951308232);
    }
    if (ex.ok) {
      CP850_CALL(Oli_Printf, s, "%sGrenzdehnungen des Querschnitts (plast.):", pre);
      CP850_CALL(Oli_Printf, s, "  %s╬\\min╬r = %.2f %s,  %s╬\\max╬r = %.2f %s\n", kOliEpsilon, ex.eps_min,
                 kOliPerMille, kOliEpsilon, ex.eps_max, kOliPerMille);
      CP850_CALL(Oli_Printf, s, "%sGrenznormalspannungen des Querschnitts (plast.):", pre);
      CP850_CALL(Oli_Printf, s, "  %s╬\\min╬r = %.2f N/mm╬/2╬r,  %s╬\\max╬r = %.2f N/mm╬/2╬r\n", kOliSigma,
                 10 * ex.min[0], kOliSigma, 10 * ex.max[0]);
      if (!(fl & PLO_F_NO_SHEAR)) {
        CP850_CALL(Oli_Printf, s, "%sGrenzschubspannungen des Querschnitts (plast.):", pre);
        CP850_CALL(Oli_Printf, s, "  %s╬\\min╬r = %.2f N/mm╬/2╬r,  %s╬\\max╬r = %.2f N/mm╬/2╬r\n", kOliTau,
                   10 * ex.min[1], kOliTau, 10 * ex.max[1]);
      }
      CP850_CALL(Oli_Printf, s, "%sGrenzvergleichsspannungen des Querschnitts (plast.):", pre);
      CP850_CALL(Oli_Printf, s, "  %s╬\\V,min╬r = %.2f N/mm╬/2╬r,  %s╬\\V,max╬r = %.2f N/mm╬/2╬r\n", kOliSigma,
                 10 * ex.min[2], kOliSigma, 10 * ex.max[2]);
    } else {
      Oli_Print_Fehler_Berechnung(s, nullptr, "");
    }
    if (app == STRESS_APPLICATION_LINES) {
      CP850_CALL(Oli_Printf, s, "%sGrenzspannungen der Querschnittslinien (plast.) in N/mm╬/2╬r:\n", pre);
      for (int i = 0; i < n_lines; ++i) {
        const STRESS_PLO_LINE &l = lines[i];
        Oli_Printf(s, "%s  %d:  ", pre, l.nr);
        if (!l.ok) {
          Oli_Print_Fehler_Berechnung(s, "", "");
          continue;
        }
        CP850_CALL(Oli_Printf, s, "%s╬\\min╬r = %.2f,  %s╬\\max╬r = %.2f,  %s = %.2f,  %s╬\\V,max╬r = %.2f\n",
                   kOliSigma, 10 * l.min[0], kOliSigma, 10 * l.max[0], kOliTau,
                   10 * std::fmax(std::fabs(l.min[1]), std::fabs(l.max[1])), kOliSigma, 10 * l.max[2]);
      }
    }
  }
  // No limit state, or stresses only: no factors and no verdict.
  if (!(fl & CHECK_SLOT_PREPARED) || !nachweis) return;
  if (!(fl & PLO_F_NO_SHEAR))
    _Factor_Line(s, (fl & PLO_F_NO_NORMAL) ? "max. Lastfaktor der Schubspannungen" : "Lastfaktor der Schubspannungen",
                 kOliTau, r.f_tau);
  if (!(fl & PLO_F_NO_NORMAL)) _Factor_Line(s, "max. Lastfaktor der Normalspannungen", kOliSigma, r.f_sigma);
  if (fl & PLO_F_NO_WARPING)
    CP850_CALL(Oli_Printf, s, "%sVerwölbungsungleichgewicht: %sB = %.3f kNm╬/2╬r\n", pre, kOliDelta,
               (B * r.f_sigma - r.F[7]) * 0.0001);
  Oli_Printf(s, "%sNachweis", pre);
  if (fl & (PLO_F_NO_WARPING | PLO_F_COMBINED)) {
    Oli_Printf(s, ": Ausnutzung (");
    if (fl & PLO_F_NO_WARPING) CP850_CALL(Oli_Printf, s, "ohne Verwölbungsgleichgewicht");
    if ((fl & PLO_F_NO_WARPING) && (fl & PLO_F_COMBINED)) Oli_Printf(s, ", ");
    if (fl & PLO_F_COMBINED) Oli_Printf(s, "ohne Iteration der Schubausnutzung");
    Oli_Printf(s, ")");
  }
  const double U = Round_Stress_Utilisation(r.U);
  CP850_CALL(Oli_Printf, s, ": U╬\\pl╬r = %.3f  %s  1  %s\n", U, Oli_Compare_Mark_Le(U, 1.0), Oli_Mark_Verdict(U));
}

// The parts of the plated section, each on one line when any of its values is above 0.001:
// its shear (force, torque, shear stress and its utilisation) when it carries any, its
// lateral bending (moment, plastic bending stress 4 M / (b² t) and its utilisation, or the
// note that the flange can take nothing more) when it carries any or has nothing left, and
// its limit normal forces; the main bending with the limits of N and M_y. Utilisations not
// computed (negative) are left out. Moments in kNm, stresses in N/mm².
void Print_Stress_TSV_Block(FILE *s, const TSV_RESULT &result, const float *plates) {
  if (!s) return;
  TSV_RESULT r = result;
  for (double *u : {&r.U_tau, &r.U_tau_o, &r.U_tau_u, &r.U_tau_s, &r.U_MS, &r.U_MS_o, &r.U_MS_u, &r.U_N, &r.U_My, &r.U})
    *u = Round_Stress_Utilisation(*u) + 0.0;  // + 0.0: a centre-rule −0 prints as 0.000
  const char *pre = Oli_Line_Prefix();
  const double tab = 10.0;
  Oli_Para_Set_Tabs(0, nullptr, &tab, 1);
  CP850_CALL(Oli_Printf, s, "%szul. Normal-/Schubspannung: ╠╬\\x,Rd╬r = %.1lf N/mm²,  Í╬\\Rd╬r = %.1lf N/mm²\n", pre,
             10 * r.f_y, 10 * r.tau_R);
  auto next_row = [&](bool &first) {
    if (!first) CP850_CALL(Oli_Printf, s, "\n%s ╬t", pre);
    first = false;
  };
  struct Part {
    const char *name, *sub;
    uint32_t present;
    double V, T, U_tau, M, U_MS, b, t, N_hi, N_lo;
  } parts[3] = {
      {"Obergurt", "O", TSV_F_TOP, r.V_o, r.M_xp_o, r.U_tau_o, r.M_Sa_o, r.U_MS_o, plates[TSV_D_BO], plates[TSV_D_TO],
       r.N_hi_o, r.N_lo_o},
      {"Untergurt", "U", TSV_F_BOTTOM, r.V_u, r.M_xp_u, r.U_tau_u, r.M_Sa_u, r.U_MS_u, plates[TSV_D_BU],
       plates[TSV_D_TU], r.N_hi_u, r.N_lo_u},
      {"Steg", "S", TSV_F_WEB, r.V_s, r.M_xp_s, r.U_tau_s, 0.0, -1.0, 0.0, 0.0, r.N_hi_s, r.N_lo_s},
  };
  for (const Part &p : parts) {
    if (!(r.flags & p.present)) continue;
    const bool flange = p.b > 0.0;
    const bool shear = std::fabs(p.V) > 0.001 || std::fabs(p.T) > 0.001;
    const bool spent = flange && (p.U_tau > 1.0 || p.U_MS > 1.0);
    const bool bending = flange && (std::fabs(p.M) > 0.001 || spent);
    const bool limits = std::fabs(p.N_hi) > 0.001 || std::fabs(p.N_lo) > 0.001;
    if (!shear && !bending && !limits) continue;
    Oli_Printf(s, "%s%s: ", pre, p.name);
    Oli_Printf(s, "%s", "╬t"_cp);
    bool first = true;
    if (shear) {
      next_row(first);
      const double tau = p.U_tau >= 0.0 ? 10 * p.U_tau * r.tau_R : 0.0;
      CP850_CALL(Oli_Printf, s, "Querkraft V╬\\%s╬r = %.2lf kN, Torsion T╬\\p%s╬r = %.2lf kNm, Schubspg. Í╬\\%s╬r = %.2lf N/mm²",
                 p.sub, p.V, p.sub, 0.01 * p.T, p.sub, tau);
      if (p.U_tau >= 0.0) CP850_CALL(Oli_Printf, s, "  ê  U╬\\Í,%s╬r = %.3lf", p.sub, p.U_tau);
    }
    if (bending) {
      next_row(first);
      CP850_CALL(Oli_Printf, s, "Gurtbiegung M╬\\╠,%s╬r = %.2lf kNm, ", p.sub, 0.01 * p.M);
      if (spent) {
        CP850_CALL(Oli_Printf, s, "keine weitere Lastaufnahme möglich %s", Oli_Mark_Red_Exclam());
      } else {
        const double sigma = p.b > 0.0 && p.t > 0.0 ? 40.0 * std::fabs(p.M) / (p.b * p.b * p.t) : 0.0;
        CP850_CALL(Oli_Printf, s, "Biegespannung ╠╬\\%s╬r = %.2lf N/mm²", p.sub, sigma);
        if (p.U_MS >= 0.0) CP850_CALL(Oli_Printf, s, "  ê  U╬\\╠,%s╬r = %.3lf", p.sub, p.U_MS);
      }
    }
    if (limits) {
      next_row(first);
      CP850_CALL(Oli_Printf, s, "Grenznormalkräfte N╬\\max,%s╬r = %.2lf kN, N╬\\min,%s╬r = %.2lf kN", p.sub, p.N_hi,
                 p.sub, p.N_lo);
    }
    Oli_Printf(s, "\n");
  }
  const bool main = std::fabs(r.N) > 0.001 || std::fabs(r.M_y_s) > 0.001 || std::fabs(r.N_hi) > 0.001 ||
                    std::fabs(r.N_lo) > 0.001;
  if ((r.flags & TSV_F_PARTIAL) && main) {
    CP850_CALL(Oli_Printf, s, "%sHauptbieg.: ╬tN = %.2lf kN, Grenznormalkräfte N╬\\max╬r = %.2lf kN, N╬\\min╬r = %.2lf kN",
               pre, r.N, r.N_hi, r.N_lo);
    if (r.U_N >= 0.0) CP850_CALL(Oli_Printf, s, "  ê  U╬\\N╬r = %.3lf", r.U_N);
    CP850_CALL(Oli_Printf, s, "\n%s ╬tM╬\\y╬r = %.2lf kNm, Grenzmomente M╬\\y,max╬r = %.2lf kNm, M╬\\y,min╬r = %.2lf kNm",
               pre, 0.01 * r.M_y_s, 0.01 * r.M_y_s_hi, 0.01 * r.M_y_s_lo);
    if (r.U_My >= 0.0) CP850_CALL(Oli_Printf, s, "  ê  U╬\\My╬r = %.3lf", r.U_My);
    Oli_Printf(s, "\n");
  }
  Oli_Printf(s, "%sGesamt (ggf. aus Laststeigerung): max U = %.3lf", pre, r.U);
  Oli_Printf(s, "  %s  1  %s", Oli_Compare_Mark_Le(r.U, 1.0), Oli_Mark_Verdict(r.U));
  Oli_Printf(s, "\n");
}
