// stress/plo_print.cpp — print-list lines of the plastic limit state.
#include <algorithm>
#include <cmath>

#include "print/print.h"
#include "stress/stress_methods.h"

namespace {
const char *const kTwist = "╩"_cp;

void Extremes(FILE *s, const char *p, const PLO_RESULT *r, PLO_POINT_LIST *points) {
  DWQB_OUTLINE_TRIANGULATION *tri = Calc_DWQB_OUTLINE_TRIANGULATION(1, 0, 0, 0, 0, 2, 0, 0, nullptr);
  double e_lo, e_hi, lo[3], hi[3];
  if (tri && Calc_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result_MinMax(tri, r, points, &e_lo, &e_hi, lo, hi)) {
    if (!(r->flags & PLO_F_NO_NORMAL)) {
      CP850_CALL(Oli_Printf, s, "%sGrenzdehnungen des Querschnitts (plast.):", p);
      CP850_CALL(Oli_Printf, s, "  %s╬\\min╬r = %.2f %s, %s╬\\max╬r = %.2f %s\n", kOliEpsilon, e_lo, kOliPerMille,
                 kOliEpsilon, e_hi, kOliPerMille);
      CP850_CALL(Oli_Printf, s, "%sGrenznormalspannungen des Querschnitts (plast.):", p);
      CP850_CALL(Oli_Printf, s, "  %s╬\\min╬r = %.2f MN/m╬/2╬r, %s╬\\max╬r = %.2f MN/m╬/2╬r\n", kOliSigma, 10 * lo[0],
                 kOliSigma, 10 * hi[0]);
    }
    if (!(r->flags & PLO_F_NO_SHEAR)) {
      CP850_CALL(Oli_Printf, s, "%sGrenzschubspannungen des Querschnitts (plast.):", p);
      CP850_CALL(Oli_Printf, s, "  %s╬\\min╬r = %.2f MN/m╬/2╬r, %s╬\\max╬r = %.2f MN/m╬/2╬r\n", kOliTau, 10 * lo[1],
                 kOliTau, 10 * hi[1]);
    }
    CP850_CALL(Oli_Printf, s, "%sGrenzvergleichsspannungen des Querschnitts (plast.):", p);
    CP850_CALL(Oli_Printf, s, "  %s╬\\V,min╬r = %.2f MN/m╬/2╬r, %s╬\\V,max╬r = %.2f MN/m╬/2╬r\n", kOliSigma, 10 * lo[2],
               kOliSigma, 10 * hi[2]);
  } else {
    CP850_CALL(Oli_Printf, s, "%sFehler in Calc_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result_MinMax !!!\n", p);
  }
  CP850_CALL(Oli_Printf, s, "%sGrenzspannungen der Linien des Querschnitts (plast.) in MN/m╬/2╬r:\n", p);
  for (int i = 0; i < points->count; ++i) {
    const PLO_POINT &pt = points->records[i];
    if (pt.word == 1) {
      CP850_CALL(Oli_Printf, s, "%s%3d:  Schweissnaht:  %s = %.2f\n", p, pt.nr, kOliTau, 10 * r->f_tau * pt.item.tau);
      continue;
    }
    if (!Calc_DWQB_OUTLINE_TRIANGULATION_LINE_NR_PLO_Result_MinMax(tri, pt.nr, r, points, &e_lo, &e_hi, lo, hi)) {
      CP850_CALL(Oli_Printf, s, "%s%3d: Fehler in Calc_DWQB_OUTLINE_TRIANGULATION_LINE_NR_PLO_Result_MinMax !!!\n", p,
                 pt.nr);
      continue;
    }
    CP850_CALL(Oli_Printf, s, "%s%3d:  %s╬\\min╬r = %.2f,  %s╬\\max╬r = %.2f", p, pt.nr, kOliSigma, 10 * lo[0],
               kOliSigma, 10 * hi[0]);
    CP850_CALL(Oli_Printf, s, ",  %s = %.2f", kOliTau, 10 * std::max(std::fabs(lo[1]), std::fabs(hi[1])));
    CP850_CALL(Oli_Printf, s, ",  %s╬\\V,min╬r = %.2f,  %s╬\\V,max╬r = %.2f\n", kOliSigma, 10 * lo[2], kOliSigma,
               10 * hi[2]);
  }
  Free_DWQB_OUTLINE_TRIANGULATION(tri);
}
// The strain range of the limit state over the section's outline; false when it cannot be
// computed (no points, no outline).
bool _Strain_Range(const PLO_RESULT *r, PLO_POINT_LIST *points, double *e_lo, double *e_hi) {
  if (!points) return false;
  DWQB_OUTLINE_TRIANGULATION *tri = Calc_DWQB_OUTLINE_TRIANGULATION(1, 0, 0, 0, 0, 2, 0, 0, nullptr);
  double lo[3], hi[3];
  const bool ok = tri && Calc_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result_MinMax(tri, r, points, e_lo, e_hi, lo, hi);
  Free_DWQB_OUTLINE_TRIANGULATION(tri);
  return ok;
}
}  // namespace

const char *PLO_Zero_Line_Outside_Text(double eps_min, double eps_max) {
  if (eps_max <= 0.0) return "keine (Querschnitt vollständig gedrückt)"_cp;
  if (eps_min >= 0.0) return "keine (Querschnitt vollständig gezogen)"_cp;
  return nullptr;
}

int Print_PLO_Result(FILE *s, const char *prefix, const double *forces, const PLO_RESULT *r, PLO_POINT_LIST *points) {
  if (!s || !r) return 0;
  if (!(r->flags & PLO_F_WRITTEN)) return 1;
  const char *p = prefix ? prefix : "";
  const uint32_t fl = r->flags;
  if (!(fl & PLO_F_NO_NORMAL)) {
    CP850_CALL(Oli_Printf, s, "%sNulllinie der Grenzdehnungen (plast.):", p);
    double e_lo, e_hi;
    const char *outside = _Strain_Range(r, points, &e_lo, &e_hi) ? PLO_Zero_Line_Outside_Text(e_lo, e_hi) : nullptr;
    if (outside)
      Oli_Printf(s, "  %s\n", outside);
    else
      CP850_CALL(Oli_Printf, s, "  y╬\\0╬r = %.2f cm, z╬\\0╬r = %.2f cm, %s = %.3f °\n", r->y0, r->z0, kOliAlpha,
                 r->angle * 57.29577951308232);
  }
  if (!(fl & PLO_F_NO_WARPING)) {
    CP850_CALL(Oli_Printf, s, "%sVerdrillungsableitung des Grenzzustands (plast.):", p);
    CP850_CALL(Oli_Printf, s, "  %s = %.3f %s/cm╬/2╬r\n", kTwist, r->plane[3] * 0.0001, kOliPerMille);
  }
  if (points) Extremes(s, p, r, points);
  if (!(fl & 0x1000000u)) return 1;
  if (!(fl & PLO_F_NO_SHEAR)) {
    if (fl & PLO_F_NO_NORMAL) {
      CP850_CALL(Oli_Printf, s, "%smax. Lastfaktor der Schubspannungen (plast.): f╬\\%s,pl╬r = %.3f\n", p, kOliTau,
                 r->f_tau);
      CP850_CALL(Oli_Printf, s, "%sKeine Normalspannungen vorhanden.\n", p);
    } else {
      CP850_CALL(Oli_Printf, s, "%sLastfaktor der Schubspannungen (plast.): f╬\\%s,pl╬r = %.3f\n", p, kOliTau,
                 r->f_tau);
      CP850_CALL(Oli_Printf, s, "%smax. Lastfaktor der Normalspannungen (plast.): f╬\\%s,pl╬r = %.3f\n", p, kOliSigma,
                 r->f_sigma);
    }
  } else {
    CP850_CALL(Oli_Printf, s, "%sKeine Schubspannungen vorhanden.\n", p);
    if (fl & PLO_F_NO_NORMAL)
      CP850_CALL(Oli_Printf, s, "%sKeine Normalspannungen vorhanden.\n", p);
    else
      CP850_CALL(Oli_Printf, s, "%smax. Lastfaktor der Normalspannungen (plast.): f╬\\%s,pl╬r = %.3f\n", p, kOliSigma,
                 r->f_sigma);
  }
  if (fl & PLO_F_NO_WARPING) {
    const double B = forces ? forces[7] : 0.0;
    CP850_CALL(Oli_Printf, s, "%sVerwölbungsungleichgewicht:  %sB = %.3f kNm╬/2╬r\n", p, kOliDelta,
               (B * r->f_sigma - r->F[7]) * 0.0001);
    CP850_CALL(Oli_Printf, s, "%sAusnutzung (ohne Verwölbungsgleichgewicht", p);
    if (fl & PLO_F_COMBINED) CP850_CALL(Oli_Printf, s, ", ohne Iteration der Schubausnutzung");
    Oli_Printf(s, ")");
  } else {
    Oli_Printf(s, "%sAusnutzung", p);
    if (fl & PLO_F_COMBINED) Oli_Printf(s, " (ohne Iteration der Schubausnutzung)");
  }
  CP850_CALL(Oli_Printf, s, ":  U╬\\%s,pl╬r = %.3f\n", kOliSigma, r->U);
  return 1;
}
