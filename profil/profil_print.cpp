// profil/profil_print.cpp — the profile tables of the print list: dimensions, joints and
// section values of a parametric or library profile, the outline data of an R7-PLAX
// section, and the node and plate tables of an R7-PLAX line model.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "host/oli_layout.h"
#include "print/print.h"
#include "profil/profil.h"
#include "profil/profil_state.h"
#include "support/cp850.h"

namespace {

constexpr double kDiff = 0.001;  // two dimensions differ by at least this (mm)
constexpr double kPi = 3.141592653589793;

bool _Differ(double a, double b) { return std::fabs(a - b) >= kDiff; }
bool _Is_I(int type) { return type == 4 || type == 5 || type == 7 || type == 10 || type == 13; }

// Top and bottom flange differ (I shapes, type 16).
bool _Top_Bottom_Differ(const PROFIL *p) { return _Differ(p->b_fo, p->b_fu) || _Differ(p->t_fo, p->t_fu); }

// The trimmed name of a text of at most n bytes.
void _Trimmed(const char *text, size_t n, char *out) {
  size_t len = strnlen(text, n - 1);
  while (len > 0 && text[len - 1] == ' ') --len;
  size_t start = 0;
  while (start < len && text[start] == ' ') ++start;
  std::memcpy(out, text + start, len - start);
  out[len - start] = '\0';
}

const char *_Finished(const PROFIL *p) { return p->hot_finished ? "warm" : "kalt"; }

// ---------------------------------------------------------------- dimension lines
// Short additions after the dimensions: radii of rolled shapes, the sloped faces of a
// library UPN or tee where they leave an outline, weld texts of welded T and I shapes; none
// for a make flag that is neither (the section values refuse it).
void _Short_Joints(const PROFIL *p, FILE *f, const char *pre) {
  const int t = p->type;
  if (p->rolled == 1) {
    if (t == 3 || t == 8 || t == 11 || t == 14 || t == 15) {
      if (p->r > 0.1) Oli_Printf(f, ",  r = %.1lf mm", p->r);
      if (p->r_2 > 0.1) CP850_CALL(Oli_Printf, f, ",  r╬\\2╬r = %.1lf mm", p->r_2);
      const double tee = Get_Profil_Tee_Slope(p, nullptr, nullptr);
      if (tee > 0.0 && Has_Profil_Sloped_Outline(p))
        Oli_Printf(f, ",  geneigte Flanschinnenseiten und Stegflanken je %.0lf %%", 100 * tee);
    } else if (t == 6 || t == 12 || _Is_I(t)) {
      if (p->r > 0.1) Oli_Printf(f, ",  r = %.1lf mm", p->r);
      const double slope = Get_Profil_Flange_Slope(p, nullptr);
      if (slope > 0.0 && Has_Profil_Sloped_Outline(p)) Oli_Printf(f, ",  geneigte Flansche %.0lf %%", 100 * slope);
    }
    return;
  }
  if (p->rolled != 0) return;
  if (t == 11 || t == 15) {
    if (p->through_o)
      CP850_CALL(Oli_Printf, f, ",  durchgeschweißt");
    else
      Oli_Printf(f, ",  Kehlnaht a = %.1lf mm", p->a_o);
  } else if (_Is_I(t) && (p->a_o > 0.1 || p->a_u > 0.1)) {
    if (_Top_Bottom_Differ(p))
      Oli_Printf(f, ",  ");
    else
      Oli_Printf(f, "\n%s", pre);
    const bool agree = (p->through_o != 0) == (p->through_u != 0) && !_Differ(p->a_o, p->a_u);
    if (agree) {
      if (p->through_o)
        CP850_CALL(Oli_Printf, f, "durchgeschweißt");
      else
        Oli_Printf(f, "Kehlnaht a = %.1lf mm", p->a_o);
    } else {
      if (p->through_o)
        CP850_CALL(Oli_Printf, f, "oben durchgeschweißt");
      else
        CP850_CALL(Oli_Printf, f, "oben Kehlnaht a╬\\o╬r = %.1lf mm", p->a_o);
      Oli_Printf(f, ",  ");
      if (p->through_u)
        CP850_CALL(Oli_Printf, f, "unten durchgeschweißt");
      else
        CP850_CALL(Oli_Printf, f, "unten Kehlnaht a╬\\u╬r = %.1lf mm", p->a_u);
    }
  }
}

// The compact dimension line(s), from the line prefix to the line end.
void _Short_Dimensions(const PROFIL *p, FILE *f, const char *pre, bool end_open) {
  Oli_Printf(f, "%s", pre);
  switch (p->type) {
    case 1:
      Oli_Printf(f, "h = %.1lf mm,  t = %.1lf mm", p->h, p->t_w);
      Oli_Printf(f, "%s", end_open ? ",  " : "\n");
      return;
    case 2: Oli_Printf(f, "d = %.1lf mm", p->h); break;
    case 3:
      if (_Differ(p->t_w, p->t_fo))
        CP850_CALL(Oli_Printf, f, "l╬\\1╬r = %.1lf mm,  t╬\\1╬r = %.1lf mm,  l╬\\2╬r = %.1lf mm,  t╬\\2╬r = %.1lf mm",
                   p->h, p->t_w, p->b_fo, p->t_fo);
      else
        CP850_CALL(Oli_Printf, f, "l╬\\1╬r = %.1lf mm,  l╬\\2╬r = %.1lf mm,  t = %.1lf mm", p->h, p->b_fo, p->t_w);
      break;
    case 4: case 5: case 7: case 10: case 13:
      CP850_CALL(Oli_Printf, f, "h = %.1lf mm,  t╬\\w╬r = %.1lf mm,  ", p->h, p->t_w);
      if (_Top_Bottom_Differ(p))
        CP850_CALL(Oli_Printf, f,
                   "b╬\\fo╬r = %.1lf mm,  t╬\\fo╬r = %.1lf mm,  b╬\\fu╬r = %.1lf mm,  t╬\\fu╬r = %.1lf mm", p->b_fo,
                   p->t_fo, p->b_fu, p->t_fu);
      else
        CP850_CALL(Oli_Printf, f, "b╬\\f╬r = %.1lf mm,  t╬\\f╬r = %.1lf mm", p->b_fo, p->t_fo);
      break;
    case 6: case 12:
      if (_Differ(p->t_fo, p->t_w))
        CP850_CALL(Oli_Printf, f, "h = %.1lf mm,  t╬\\w╬r = %.1lf mm,  l = %.1lf mm,  t╬\\f╬r = %.1lf mm", p->h,
                   p->t_w, p->b_fo, p->t_fo);
      else
        Oli_Printf(f, "h = %.1lf mm,  l = %.1lf mm,  t = %.1lf mm", p->h, p->b_fo, p->t_w);
      break;
    case 8:
      CP850_CALL(Oli_Printf, f, "h = %.1lf mm,  t╬\\w╬r = %.1lf mm,  b = %.1lf mm,  t╬\\f╬r = %.1lf mm", p->h, p->t_w,
                 p->b_fo, p->t_fo);
      _Short_Joints(p, f, pre);
      Oli_Printf(f, ",  %sgefertigt\n", _Finished(p));
      return;
    case 9:
      Oli_Printf(f, "d = %.1lf mm,  t = %.1lf mm,  %sgefertigt\n", p->h, p->t_w, _Finished(p));
      return;
    case 11: case 15:
      CP850_CALL(Oli_Printf, f, "h = %.1lf mm,  t╬\\w╬r = %.1lf mm,  b╬\\f╬r = %.1lf mm,  t╬\\f╬r = %.1lf mm", p->h,
                 p->t_w, p->b_fo, p->t_fo);
      break;
    case 14: {
      const double b_f = (p->b_fo + p->t_w) / 2.0;
      if (_Differ(p->t_fo, p->t_w))
        CP850_CALL(Oli_Printf, f,
                   "h = %.1lf mm,  t╬\\w╬r = %.1lf mm,  b = %.1lf mm (b╬\\f╬r = %.1lf mm),  t╬\\f╬r = %.1lf mm",
                   p->h, p->t_w, p->b_fo, b_f, p->t_fo);
      else
        CP850_CALL(Oli_Printf, f, "h = %.1lf mm,  b = %.1lf mm (b╬\\f╬r = %.1lf mm),  t = %.1lf mm", p->h, p->b_fo,
                   b_f, p->t_w);
      break;
    }
    case 16:
      CP850_CALL(Oli_Printf, f, "h = %.1lf mm,  t╬\\w╬r = %.1lf mm (2x),  ", p->h, p->t_w);
      if (_Differ(p->b_fo, p->b_fu))
        CP850_CALL(Oli_Printf, f, "b╬\\fo╬r = %.1lf mm,  b╬\\fu╬r = %.1lf mm", p->b_fo, p->b_fu);
      else
        CP850_CALL(Oli_Printf, f, "b╬\\f╬r = %.1lf mm", p->b_fo);
      if (_Differ(p->t_fo, p->t_fu) || _Differ(p->ue_o, p->ue_u))
        CP850_CALL(Oli_Printf, f,
                   "\n%sb╬\\üo╬r = %.1lf mm,  t╬\\fo╬r = %.1lf mm,  b╬\\üu╬r = %.1lf mm,  t╬\\fu╬r = %.1lf mm", pre,
                   p->ue_o, p->t_fo, p->ue_u, p->t_fu);
      else
        CP850_CALL(Oli_Printf, f, ",  b╬\\ü╬r = %.1lf mm,  t╬\\f╬r = %.1lf mm", p->ue_o, p->t_fo);
      break;
    case 17:
      if (_Differ(p->t_fo, p->t_w))
        CP850_CALL(Oli_Printf, f,
                   "h = %.1lf mm,  t╬\\w╬r = %.1lf mm,  b╬\\f╬r = %.1lf mm,  t╬\\f╬r = %.1lf mm,  b = %.1lf mm\n",
                   p->h, p->t_w, p->b_fo, p->t_fo, p->b_fu);
      else
        CP850_CALL(Oli_Printf, f, "h = %.1lf mm,  b╬\\f╬r = %.1lf mm,  t = %.1lf mm,  b = %.1lf mm\n", p->h, p->b_fo,
                   p->t_w, p->b_fu);
      return;
    default: break;
  }
  _Short_Joints(p, f, pre);
  Oli_Printf(f, "\n");
}

// One labelled line per dimension pair.
void _Long_Dimensions(const PROFIL *p, FILE *f, const char *pre) {
  switch (p->type) {
    case 1: CP850_CALL(Oli_Printf, f, "%sHöhe h = %.1lf mm,  Dicke t = %.1lf mm\n", pre, p->h, p->t_w); break;
    case 2: Oli_Printf(f, "%sDurchmesser d = %.1lf mm\n", pre, p->h); break;
    case 3:
      if (_Differ(p->t_w, p->t_fo)) {
        CP850_CALL(Oli_Printf, f, "%sSchenkellänge 1 l╬\\1╬r = %.1lf mm,  Schenkeldicke 1 t╬\\1╬r = %.1lf mm\n", pre,
                   p->h, p->t_w);
        CP850_CALL(Oli_Printf, f, "%sSchenkellänge 2 l╬\\2╬r = %.1lf mm,  Schenkeldicke 2 t╬\\2╬r = %.1lf mm\n", pre,
                   p->b_fo, p->t_fo);
      } else {
        CP850_CALL(Oli_Printf, f,
                   "%sSchenkellängen l╬\\1╬r = %.1lf mm,  l╬\\2╬r = %.1lf mm,  Schenkeldicke t = %.1lf mm\n",
                   pre, p->h, p->b_fo, p->t_w);
      }
      break;
    case 4: case 5: case 7: case 10: case 13:
      CP850_CALL(Oli_Printf, f, "%sGesamthöhe h = %.1lf mm,  Stegdicke t╬\\w╬r = %.1lf mm\n", pre, p->h, p->t_w);
      if (_Top_Bottom_Differ(p)) {
        CP850_CALL(Oli_Printf, f, "%sFlanschbreite oben b╬\\fo╬r = %.1lf mm,  Flanschdicke oben t╬\\fo╬r = %.1lf mm\n",
                   pre, p->b_fo, p->t_fo);
        CP850_CALL(Oli_Printf, f,
                   "%sFlanschbreite unten b╬\\fu╬r = %.1lf mm,  Flanschdicke unten t╬\\fu╬r = %.1lf mm\n", pre,
                   p->b_fu, p->t_fu);
      } else {
        CP850_CALL(Oli_Printf, f, "%sFlanschbreite b╬\\f╬r = %.1lf mm,  Flanschdicke t╬\\f╬r = %.1lf mm\n", pre,
                   p->b_fo, p->t_fo);
      }
      break;
    case 6: case 12:
      if (_Differ(p->t_fo, p->t_w)) {
        CP850_CALL(Oli_Printf, f, "%sProfilhöhe h = %.1lf mm,  Stegdicke t╬\\w╬r = %.1lf mm\n", pre, p->h, p->t_w);
        CP850_CALL(Oli_Printf, f, "%sSchenkellängen l = %.1lf mm,  Schenkeldicken t╬\\f╬r = %.1lf mm\n", pre,
                   p->b_fo, p->t_fo);
      } else {
        CP850_CALL(Oli_Printf, f,
                   "%sProfilhöhe h = %.1lf mm,  Schenkellängen l = %.1lf mm,  Profildicke t = %.1lf mm\n",
                   pre, p->h, p->b_fo, p->t_w);
      }
      break;
    case 8:
      CP850_CALL(Oli_Printf, f, "%sGesamthöhe h = %.1lf mm,  Stegdicke t╬\\w╬r = %.1lf mm\n", pre, p->h, p->t_w);
      CP850_CALL(Oli_Printf, f, "%sGesamtbreite b = %.1lf mm,  Flanschdicke t╬\\f╬r = %.1lf mm,  %sgefertigt\n", pre,
                 p->b_fo, p->t_fo, _Finished(p));
      break;
    case 9:
      Oli_Printf(f, "%sDurchmesser d = %.1lf mm,  Wanddicke t = %.1lf mm,  %sgefertigt\n", pre, p->h, p->t_w,
                 _Finished(p));
      break;
    case 11: case 15:
      CP850_CALL(Oli_Printf, f, "%sGesamthöhe h = %.1lf mm,  Stegdicke t╬\\w╬r = %.1lf mm\n", pre, p->h, p->t_w);
      CP850_CALL(Oli_Printf, f, "%sFlanschbreite b╬\\f╬r = %.1lf mm,  Flanschdicke t╬\\f╬r = %.1lf mm\n", pre, p->b_fo,
                 p->t_fo);
      break;
    case 14: {
      const double b_f = (p->b_fo + p->t_w) / 2.0;
      if (_Differ(p->t_fo, p->t_w)) {
        CP850_CALL(Oli_Printf, f, "%sProfilhöhe h = %.1lf mm,  Stegdicke t╬\\w╬r = %.1lf mm\n", pre, p->h, p->t_w);
        CP850_CALL(Oli_Printf, f,
                   "%sProfilbreite b = %.1lf mm (Flanschbreite b╬\\f╬r = %.1lf mm),  Flanschdicke t╬\\f╬r = %.1lf mm\n",
                   pre, p->b_fo, b_f, p->t_fo);
      } else {
        CP850_CALL(Oli_Printf, f,
                   "%sProfilhöhe h = %.1lf mm,  Profilbreite b = %.1lf mm (Flanschbreite b╬\\f╬r = %.1lf mm),  "
                   "Flansch-, Stegdicke t = %.1lf mm\n",
                   pre, p->h, p->b_fo, b_f, p->t_w);
      }
      break;
    }
    case 16:
      CP850_CALL(Oli_Printf, f, "%sGesamthöhe h = %.1lf mm,  Stegdicke t╬\\w╬r = %.1lf mm,  ", pre, p->h, p->t_w);
      if (_Differ(p->b_fo, p->b_fu))
        CP850_CALL(Oli_Printf, f, "Flanschbreiten b╬\\fo╬r = %.1lf mm,  b╬\\fu╬r = %.1lf mm", p->b_fo, p->b_fu);
      else
        CP850_CALL(Oli_Printf, f, "Flanschbreite b╬\\f╬r = %.1lf mm", p->b_fo);
      Oli_Printf(f, "\n%s", pre);
      if (_Differ(p->t_fo, p->t_fu) || _Differ(p->ue_o, p->ue_u))
        CP850_CALL(Oli_Printf, f,
                   "Flanschdicken t╬\\fo╬r = %.1lf mm,  t╬\\fu╬r = %.1lf mm,  Überstande b╬\\üo╬r = %.1lf mm,  "
                   "b╬\\üu╬r = %.1lf mm",
                   p->t_fo, p->t_fu, p->ue_o, p->ue_u);
      else
        CP850_CALL(Oli_Printf, f, "Überstand b╬\\ü╬r = %.1lf mm,  Flanschdicke t╬\\f╬r = %.1lf mm", p->ue_o, p->t_fo);
      // The line is ended here so that the joint line does not run on into it.
      Oli_Printf(f, "\n");
      break;
    case 17:
      if (_Differ(p->t_fo, p->t_w)) {
        CP850_CALL(Oli_Printf, f, "%sProfilhöhe h = %.1lf mm,  Stegdicke t╬\\w╬r = %.1lf mm\n", pre, p->h, p->t_w);
        CP850_CALL(Oli_Printf, f,
                   "%sFlanschbreite b╬\\f╬r = %.1lf mm,  Flanschdicke t╬\\f╬r = %.1lf mm,  Fußbreite b = %.1lf mm\n",
                   pre, p->b_fo, p->t_fo, p->b_fu);
      } else {
        CP850_CALL(Oli_Printf, f,
                   "%sProfilhöhe h = %.1lf mm,  Flanschbreite b╬\\f╬r = %.1lf mm,  Profildicke t = %.1lf mm,  "
                   "Fußbreite b = %.1lf mm\n",
                   pre, p->h, p->b_fo, p->t_w, p->b_fu);
      }
      break;
    default: break;
  }
}

// The joint line of the long form (types other than 1, 2, 9, 17); none for a make flag that
// is neither rolled nor welded (the section values refuse it).
void _Long_Joints(const PROFIL *p, FILE *f, const char *pre) {
  const int t = p->type;
  if (t == 1 || t == 2 || t == 9 || t == 17) return;
  if (p->rolled == 1) {
    const bool r1 = p->r > 0.1, r2 = p->r_2 > 0.1;
    if (!r1 && !r2) return;
    Oli_Printf(f, "%sgewalztes Profil, Ausrundungsradi%s", pre, r1 && r2 ? "en" : "us");
    if (r1) Oli_Printf(f, " r = %.1lf mm", p->r);
    if (r1 && r2) Oli_Printf(f, ",");
    if (r2) CP850_CALL(Oli_Printf, f, " r╬\\2╬r = %.1lf mm", p->r_2);
    Oli_Printf(f, "\n");
    // Library UPN: the section values take the sloped flanges where they leave an outline
    // (else its plates, and this line is not written).
    double x_tf = 0.0;
    const double slope = Get_Profil_Flange_Slope(p, &x_tf);
    if (slope > 0.0 && Has_Profil_Sloped_Outline(p))
      CP850_CALL(Oli_Printf, f, "%sgeneigte Flansche, Neigung %.0lf %%, t╬\\f╬r im Abstand %.1lf mm vom Stegrücken\n", pre,
                 100 * slope, x_tf);
    // Library tee: the section values take its sloped faces (EN 10055: the flange's inner
    // faces and both flanks of the stem, each face at the slope) where they leave an outline
    // (else its plates, and this line is not written).
    double z_tw = 0.0;
    const double tee = Get_Profil_Tee_Slope(p, &x_tf, &z_tw);
    if (tee > 0.0 && Has_Profil_Sloped_Outline(p)) {
      CP850_CALL(Oli_Printf, f,
                 "%sgeneigte Flanschinnenseiten und Stegflanken, Neigung je %.0lf %%, t╬\\f╬r im Abstand %.1lf mm von "
                 "den Flanschenden, t╬\\w╬r im Abstand %.1lf mm von der Flanschaußenseite",
                 pre, 100 * tee, x_tf, z_tw);
      if (r2) CP850_CALL(Oli_Printf, f, ", Stegende mit r╬\\2╬r abgerundet");
      Oli_Printf(f, "\n");
    }
    return;
  }
  if (p->rolled != 0 || !(p->a_o > 0.1 || p->a_u > 0.1)) return;
  CP850_CALL(Oli_Printf, f, "%sgeschweißtes Profil", pre);
  if (t == 3 || t == 6 || t == 8 || t == 12 || t == 16) {
    CP850_CALL(Oli_Printf, f, " (durchgeschweißt)");
  } else if (_Is_I(t) && ((p->through_o != 0) != (p->through_u != 0) || _Differ(p->a_o, p->a_u))) {
    Oli_Printf(f, ": ");
    if (p->through_o)
      CP850_CALL(Oli_Printf, f, "oben durchgeschweißt (DHV-Naht)");
    else
      CP850_CALL(Oli_Printf, f, "oben Kehlnaht a╬\\o╬r = %.1lf mm", p->a_o);
    Oli_Printf(f, ", ");
    if (p->through_u)
      CP850_CALL(Oli_Printf, f, "unten durchgeschweißt (DHV-Naht)");
    else
      CP850_CALL(Oli_Printf, f, "unten Kehlnaht a╬\\u╬r = %.1lf mm", p->a_u);
  } else if (p->through_o) {
    CP850_CALL(Oli_Printf, f, ", durchgeschweißt (DHV-Naht)");
  } else {
    Oli_Printf(f, ", Kehlnahtdicke a = %.1lf mm", p->a_o);
  }
  Oli_Printf(f, "\n");
}

// ---------------------------------------------------------------- values blocks
// Lines 4 (area, perimeter) and 5 (second moments, principal values) of the long block.
void _Long_Area_Moments(const PROFIL *p, FILE *f, const char *pre, double iyz_limit) {
  CP850_CALL(Oli_Printf, f, "%sQuerschnittsfläche A = %.2lf cm²", pre, p->A / 100.0);
  if (p->U > 0.1) Oli_Printf(f, ",  Umfang U = %.2lf cm", p->U / 10.0);
  Oli_Printf(f, "\n");
  CP850_CALL(Oli_Printf, f, "%sFlächenträgheitsmomente I╬\\y╬r = %.2lf cm╬/4╬r,  I╬\\z╬r = %.2lf cm╬/4╬r", pre,
             p->I_y / 1e4, p->I_z / 1e4);
  if (std::fabs(p->I_yz) > iyz_limit) CP850_CALL(Oli_Printf, f, ",  I╬\\yz╬r = %.2lf cm╬/4╬r", p->I_yz / 1e4);
  if (std::fabs(p->alpha) > 0.01) {
    double i1 = 0.0, i2 = 0.0;
    Calc_Profil_Principal_Moments(p->I_y, p->I_z, p->I_yz, p->alpha, &i1, &i2, nullptr);
    CP850_CALL(Oli_Printf, f, "\n%sHauptträgheitsmomente I╬\\┴╬r = %.2lf cm╬/4╬r,  I╬\\Ë╬r = %.2lf cm╬/4╬r", pre,
               i1 / 1e4, i2 / 1e4);
    CP850_CALL(Oli_Printf, f, ",  Hauptachsendrehwinkel ║ = %.2lf°", p->alpha);
  }
  Oli_Printf(f, "\n");
}

// Line 8: torsion and warping constants.
void _Long_Torsion(const PROFIL *p, FILE *f, const char *pre) {
  if (p->I_T / 1e4 > 0.001)
    CP850_CALL(Oli_Printf, f, "%sTorsionsträgheitsmoment I╬\\T╬r = %.2lf cm╬/4╬r\n", pre, p->I_T / 1e4);
  if (p->I_w / 1e6 > 0.001)
    CP850_CALL(Oli_Printf, f, "%sWölbträgheitsmoment I╬\\ð╬r = %.2lf cm╬/6╬r\n", pre, p->I_w / 1e6);
}

void _Shear_Centre_Line(const PROFIL *p, FILE *f, const char *pre) {
  CP850_CALL(Oli_Printf, f, "%sAbstand des Schubmittelpunkts vom Schwerpunkt y╬\\M╬r = %.1lf mm,  z╬\\M╬r = %.1lf mm\n",
             pre, p->y_M, p->z_M);
}

void _Long_Values(const PROFIL *p, FILE *f, const char *pre) {
  const int t = p->type;
  if (t == 17) {
    CP850_CALL(Oli_Printf, f, "%slichte Profilhöhe d╬\\w╬r = %.1lf mm,  lichte Flanschbreite c╬\\f╬r = %.1lf mm\n", pre,
               p->d_w, p->c_fo);
  } else if (t == 16) {
    CP850_CALL(Oli_Printf, f, "%slichte Profilhöhe d╬\\w╬r = %.1lf mm,  ", pre, p->d_w);
    if (_Differ(p->b_fo, p->b_fu))
      CP850_CALL(Oli_Printf, f, "lichte Flanschbreiten c╬\\fo╬r = %.1lf mm,  c╬\\fu╬r = %.1lf mm", p->c_fo, p->c_fu);
    else
      CP850_CALL(Oli_Printf, f, "lichte Flanschbreite b╬\\f╬r = %.1lf mm", p->c_fo);
    Oli_Printf(f, "\n");
  } else {
    CP850_CALL(Oli_Printf, f, "%sSteghöhe ohne Ausrundung/Schweißnaht d╬\\w╬r = %.1lf mm\n", pre, p->d_w);
    if (t != 1 && t != 2 && t != 8 && t != 9) {
      if (_Differ(p->c_fo, p->c_fu))
        CP850_CALL(Oli_Printf, f,
                   "%sBreiten einer Flanschseite ohne Ausrundung/Schweißnaht c╬\\fo╬r = %.1lf mm,  "
                   "c╬\\fu╬r = %.1lf mm\n",
                   pre, p->c_fo, p->c_fu);
      else
        CP850_CALL(Oli_Printf, f, "%sBreite einer Flanschseite ohne Ausrundung/Schweißnaht c╬\\f╬r = %.1lf mm\n", pre,
                   p->c_fo);
    }
  }
  if (t == 3 || t == 6 || t == 12)
    CP850_CALL(Oli_Printf, f, "%sSchwerpunktabstand von links oben y╬\\s╬r = %.1lf mm,  z╬\\s╬r = %.1lf mm\n", pre,
               p->y_s, p->z_s);
  else
    CP850_CALL(Oli_Printf, f, "%sSchwerpunktabstand von oben z╬\\s╬r = %.1lf mm\n", pre, p->z_s);
  if (std::fabs(p->y_M) > 0.01 || std::fabs(p->z_M) > 0.01) _Shear_Centre_Line(p, f, pre);
  _Long_Area_Moments(p, f, pre, 0.01);
  if (p->W_pl_y / 1000.0 > 0.001 || p->W_pl_z / 1000.0 > 0.001)
    CP850_CALL(Oli_Printf, f, "%splastische Widerstandsmomente W╬\\pl,y╬r = %.2lf cm·,  W╬\\pl,z╬r = %.2lf cm·\n", pre,
               p->W_pl_y / 1000.0, p->W_pl_z / 1000.0);
  CP850_CALL(Oli_Printf, f, "%swirksame Schubflächen A╬\\vy╬r = %.2lf cm²,  A╬\\vz╬r = %.2lf cm²\n", pre,
             p->A_vy / 100.0, p->A_vz / 100.0);
  _Long_Torsion(p, f, pre);
}

void _Short_Values(const PROFIL *p, FILE *f, const char *pre) {
  const bool has_it = p->I_T / 1e4 > 0.001;
  const bool has_alpha = std::fabs(p->alpha) > 0.01;
  Oli_Printf(f, "%s", pre);
  CP850_CALL(Oli_Printf, f, "A = %.2lf cm²", p->A / 100.0);
  CP850_CALL(Oli_Printf, f, ",  I╬\\y╬r = %.2lf cm╬/4╬r,  I╬\\z╬r = %.2lf cm╬/4╬r", p->I_y / 1e4, p->I_z / 1e4);
  int k = 3;
  auto torsion = [&] { CP850_CALL(Oli_Printf, f, ",  I╬\\T╬r = %.2lf cm╬/4╬r", p->I_T / 1e4); };
  if (std::fabs(p->I_yz) > 0.01) {
    CP850_CALL(Oli_Printf, f, ",  I╬\\yz╬r = %.2lf cm╬/4╬r", p->I_yz / 1e4);
    if (has_alpha) {
      CP850_CALL(Oli_Printf, f, ",  ║ = %.2lf°", p->alpha);
      Oli_Printf(f, "\n%s", pre);
      if (has_it) torsion();
      k = has_it ? 6 : 5;
      Oli_Printf(f, "\n%s", pre);
    } else if (has_it) {
      torsion();
      k = 5;
      Oli_Printf(f, "\n%s", pre);
    } else {
      k = 4;
    }
  } else if (has_alpha) {
    CP850_CALL(Oli_Printf, f, ",  ║ = %.2lf°", p->alpha);
    if (has_it) {
      torsion();
      k = 5;
      Oli_Printf(f, "\n%s", pre);
    } else {
      k = 4;
    }
  } else if (has_it) {
    torsion();
    k = 4;
  }
  if (std::fabs(p->y_s) > 0.01) {
    CP850_CALL(Oli_Printf, f, ",  y╬\\s╬r = %.1lf mm", p->y_s);
    ++k;
  }
  if (k < 6)
    Oli_Printf(f, ",  ");
  else
    Oli_Printf(f, "\n%s", pre);
  CP850_CALL(Oli_Printf, f, "z╬\\s╬r = %.1lf mm", p->z_s);
  if (std::fabs(p->y_M) > 0.01 || std::fabs(p->z_M) > 0.01) {
    if (k == 3)
      Oli_Printf(f, ",  ");
    else
      Oli_Printf(f, "\n%s", pre);
    CP850_CALL(Oli_Printf, f, "y╬\\M╬r = %.1lf mm,  z╬\\M╬r = %.1lf mm", p->y_M, p->z_M);
  }
  Oli_Printf(f, "\n");
}

// ---------------------------------------------------------------- R7-PLAX block
// The "#SHOWTABLE" head: columns, the second layout line for long tables, the rules.
void _Table_Head(FILE *f, int columns, bool long_table, const double *widths, int n_widths) {
  std::fprintf(f, "#SHOWTABLE\n0 0 0\n1 1 -1 -1 %d", columns);
  if (long_table) std::fprintf(f, " 0 0 0 0 0 0 0 %d", 2);
  std::fprintf(f, "\n4.4 4.6");
  for (int i = 0; i < n_widths; ++i) Oli_Raw_Printf(f, " %.1lf", widths[i]);
  std::fprintf(f, "\n");
}

// Legend paragraph in the small kind, then back to text and the table flags.
void _Legend_Begin(FILE *f, const char *pre) {
  Oli_End_Text(f);
  Oli_Para_Set_Kind(OLI_KIND_LEGEND);
  Oli_Printf(f, "%s", pre);
}
void _Legend_End(FILE *f) {
  Oli_Printf(f, "\n");
  Oli_Para_Set_Kind(OLI_KIND_TEXT);
  Oli_End_Text(f);
  OLI_setFlags(f, 0x280);
}

void _Point_Table(const PROFIL *p, FILE *f, const char *pre) {
  if (p->node_count < 1 || !p->nodes) return;
  bool arcs = false, numbers = false;
  for (int i = 0; i < p->node_count; ++i) {
    if (std::fabs(p->nodes[i].s_p) > 0.001) arcs = true;
    if (p->nodes[i].polygon > 0) numbers = true;
  }
  _Legend_Begin(f, pre);
  int item = 0;
  Oli_Write_Separated_Item(f, item++, 3, "y╬\\p╬r,z╬\\p╬r: Koordinaten der Querschnittspunkte (aus R7-PLAX)"_cp);
  if (arcs) Oli_Write_Separated_Item(f, item++, 3, "s╬\\p╬r: bezogener Stich (bei Kreisbögen)"_cp);
  if (numbers) Oli_Write_Separated_Item(f, item++, 3, "Nr: Nummer einer Aussparung");
  _Legend_End(f);
  double widths[2] = {8.0 * (2 + arcs) + 4.5, 8.0 * (2 + arcs) + 8.5};
  _Table_Head(f, numbers ? 4 : 3, p->node_count > 20, widths, numbers ? 2 : 1);
  std::fprintf(f, "     %s%s", "     y╬\\p╬r "_cp, "     z╬\\p╬r "_cp);
  if (arcs) std::fprintf(f, "%s", "     s╬\\p╬r "_cp);
  if (numbers) std::fprintf(f, "  Nr");
  std::fprintf(f, "\n          mm      mm ");
  if (arcs) std::fprintf(f, "        ");
  if (numbers) std::fprintf(f, "    ");
  std::fprintf(f, "\n");
  for (int i = 0; i < p->node_count; ++i) {
    const PROFIL_NODE &n = p->nodes[i];
    Oli_Raw_Printf(f, " %-4d %7.1lf %7.1lf", n.number, n.y, n.z);
    if (arcs) {
      if (std::fabs(n.s_p) < 0.001)
        std::fprintf(f, "        ");
      else
        Oli_Raw_Printf(f, " %7.3lf", n.s_p);
    }
    if (numbers) {
      if (n.polygon < 0)
        std::fprintf(f, "    ");
      else
        std::fprintf(f, "  %2d", n.polygon);
    }
    std::fprintf(f, "\n");
  }
  std::fprintf(f, "#END_OF_TEXT\n");
  OLI_setYPositionCM(f, 1, -0.5);
  OLI_setFlags(f, 0x380);
}

void _Quer_Block(const PROFIL *p, FILE *f, const char *pre, int long_form, int with_values) {
  const double height = p->imported[PROFIL_IMP_HEIGHT], width = p->imported[PROFIL_IMP_WIDTH];
  const bool shear_centre = std::fabs(p->y_M) > 0.1 || std::fabs(p->z_M) > 0.1;
  const bool shear_areas = p->A_vy / 100.0 > 0.001 || p->A_vz / 100.0 > 0.001;
  const bool has_alpha = std::fabs(p->alpha) > 0.01;
  if (!long_form) {
    Oli_Printf(f, "%s", pre);
    Oli_Printf(f, "h = %.1lf mm,  b = %.1lf mm", height, width);
    CP850_CALL(Oli_Printf, f, ",  A = %.2lf cm²", p->A / 100.0);
    CP850_CALL(Oli_Printf, f, ",  y╬\\s╬r = %.1lf mm,  z╬\\s╬r = %.1lf mm", p->y_s, p->z_s);
    if (shear_centre) CP850_CALL(Oli_Printf, f, ",  y╬\\M╬r = %.1lf mm,  z╬\\M╬r = %.1lf mm", p->y_M, p->z_M);
    Oli_Printf(f, "\n");
    Oli_Printf(f, "%s", pre);
    CP850_CALL(Oli_Printf, f, "I╬\\y╬r = %.2lf cm╬/4╬r,  I╬\\z╬r = %.2lf cm╬/4╬r", p->I_y / 1e4, p->I_z / 1e4);
    if (std::fabs(p->I_yz) / 1e4 > 0.01) CP850_CALL(Oli_Printf, f, ",  I╬\\yz╬r = %.2lf cm╬/4╬r", p->I_yz / 1e4);
    if (has_alpha) CP850_CALL(Oli_Printf, f, ",  ║ = %.2lf°", p->alpha);
    if (shear_areas)
      CP850_CALL(Oli_Printf, f, ",  A╬\\v┴╬r = %.2lf cm²,  A╬\\vË╬r = %.2lf cm²", p->A_vy / 100.0, p->A_vz / 100.0);
    if (p->I_T / 1e4 > 0.001) CP850_CALL(Oli_Printf, f, ",  I╬\\T╬r = %.2lf cm╬/4╬r", p->I_T / 1e4);
    if (p->I_w / 1e6 > 0.001) CP850_CALL(Oli_Printf, f, ",  I╬\\ð╬r = %.2lf cm╬/6╬r", p->I_w / 1e6);
    Oli_Printf(f, "\n");
    return;
  }
  if (p->model_kind == 1 && with_values) _Point_Table(p, f, pre);
  CP850_CALL(Oli_Printf, f, "%sProfilhöhe, -breite h = %.1lf mm,  b = %.1lf mm\n", pre, height, width);
  CP850_CALL(Oli_Printf, f, "%sSchwerpunkt y╬\\s╬r = %.1lf mm,  z╬\\s╬r = %.1lf mm\n", pre, p->y_s, p->z_s);
  if (shear_centre) _Shear_Centre_Line(p, f, pre);
  _Long_Area_Moments(p, f, pre, 0.01 * 1e4);
  if (shear_areas) {
    if (!has_alpha)
      CP850_CALL(Oli_Printf, f, "%swirksame Schubflächen A╬\\vy╬r = %.2lf cm²,  A╬\\vz╬r = %.2lf cm²\n", pre,
                 p->A_vy / 100.0, p->A_vz / 100.0);
    else
      CP850_CALL(Oli_Printf, f, "%swirksame Schubflächen A╬\\v┴╬r = %.2lf cm²,  A╬\\vË╬r = %.2lf cm²\n", pre,
                 p->A_vy / 100.0, p->A_vz / 100.0);
  }
  _Long_Torsion(p, f, pre);
}

}  // namespace

// ---------------------------------------------------------------- principal values
void Calc_Profil_Principal_Moments(double I_y, double I_z, double I_yz, double alpha_deg, double *I_1, double *I_2,
                                   double *alpha_out) {
  const double theta = 0.5 * std::atan2(-2.0 * I_yz, I_y - I_z) * 180.0 / kPi;
  double best = theta;
  for (double cand : {theta - 90.0, theta + 90.0})
    if (std::fabs(cand - alpha_deg) < std::fabs(best - alpha_deg)) best = cand;
  const double a2 = 2.0 * best * kPi / 180.0;
  const double i1 = 0.5 * (I_y + I_z) + 0.5 * (I_y - I_z) * std::cos(a2) - I_yz * std::sin(a2);
  if (I_1) *I_1 = i1;
  if (I_2) *I_2 = I_y + I_z - i1;
  if (alpha_out) *alpha_out = best;
}

// ---------------------------------------------------------------- print tables
void Print_Profil_Parameters(PROFIL *profil, FILE *stream, int long_form, int with_values, int grade_flags) {
  if (!profil || !stream) return;
  PROFIL *p = profil;
  const char *pre = Oli_Line_Prefix();
  const bool grade = grade_flags & 1;
  const int grade_mode = (grade_flags & 2 ? 2 : 0) + (grade_flags & 4 ? 4 : 0);
  char name[PROFIL_NAME_SIZE];

  if (p->kind == PROFIL_KIND_QUER) {
    if (Calc_Profil_Querschnittswerte(p, nullptr, 0, "")) {
      Oli_Print_Fehler_Datencheck(stream, "des Profils");
      return;
    }
    _Quer_Block(p, stream, pre, long_form, with_values);
  } else {
    if (p->kind == PROFIL_KIND_PARAMETRIC) {
      const char *type_name = Get_Profil_Type_Name(p->type);
      _Trimmed(type_name ? type_name : "", 11, name);
      Oli_Printf(stream, "%sProfilparameter (%s):\n", pre, name);
    } else {
      _Trimmed(p->name, PROFIL_NAME_SIZE, name);
      Oli_Printf(stream, "%sProfil  %s", pre, name);
      Oli_Printf(stream, "%s", !with_values && grade ? ",  " : "\n");
    }
    if (p->kind == PROFIL_KIND_PARAMETRIC || with_values) {
      const double spacing = Oli_Para_Get_Spacing();
      Oli_Para_Set_Spacing(spacing + 0.3);
      if (p->type < 1 || p->type >= PROFIL_TYPE_COUNT) {
        CP850_CALL(Oli_Printf, stream, "%s╬HProfil nicht möglich %s\n", pre, Oli_Mark_Red_Exclam());
        Oli_Para_Set_Spacing(spacing);
        return;
      }
      if (long_form) {
        _Long_Dimensions(p, stream, pre);
        _Long_Joints(p, stream, pre);
      } else {
        _Short_Dimensions(p, stream, pre, p->type == 1 && !with_values && grade);
      }
      if (with_values) {
        Set_Profil_Plastic_Moduli_Flag(1);
        Calc_Profil_Querschnittswerte(p, nullptr, 0, "");
        Set_Profil_Plastic_Moduli_Flag(0);
        if (long_form)
          _Long_Values(p, stream, pre);
        else
          _Short_Values(p, stream, pre);
      }
      Oli_Para_Set_Spacing(spacing);
    }
  }
  if (grade) Print_Material_Data(&p->grade, stream, grade_mode, with_values, nullptr);
}

void Print_Profil_Plate_Table(const PROFIL_NODE *nodes, int node_count, const PROFIL_LINE *lines, int line_count,
                              FILE *stream) {
  if (!stream || !nodes || node_count < 1 || line_count < 1 || !lines) return;
  const char *pre = Oli_Line_Prefix();
  const bool long_table = node_count > 20 || line_count > 20;

  _Legend_Begin(stream, pre);
  Oli_Write_Separated_Item(stream, 0, 3, "y╬\\p╬r,z╬\\p╬r: Koordinaten der Knotenpunkte (aus R7-PLAX)"_cp);
  _Legend_End(stream);
  _Table_Head(stream, 2, long_table, nullptr, 0);
  std::fprintf(stream, "     %s%s\n          mm      mm \n", "     y╬\\p╬r "_cp, "     z╬\\p╬r "_cp);
  for (int i = 0; i < node_count; ++i)
    Oli_Raw_Printf(stream, " %-4d %7.1lf %7.1lf\n", nodes[i].number, nodes[i].y, nodes[i].z);
  std::fprintf(stream, "#END_OF_TEXT\n");
  OLI_setYPositionCM(stream, 1, -0.5);

  bool two = false, arcs = false, radii = false;
  for (int i = 0; i < line_count; ++i) {
    const PROFIL_LINE &l = lines[i];
    if (std::fabs(l.d_a - l.d_e) > 0.001) two = true;
    if (std::fabs(l.s) > 0.001) arcs = true;
    if (std::fabs(l.r_al) > 0.001 || std::fabs(l.r_ar) > 0.001 || std::fabs(l.r_el) > 0.001 ||
        std::fabs(l.r_er) > 0.001)
      radii = true;
  }
  _Legend_Begin(stream, pre);
  int item = 0;
  Oli_Write_Separated_Item(stream, item++, 3, "p╬\\a╬r,p╬\\e╬r: Punktnummern am Anfang,Ende"_cp);
  Oli_Write_Separated_Item(stream, item++, 3, two ? "d╬\\a╬r,d╬\\e╬r: Blechdicke am Anfang,Ende"_cp : "d: Blechdicke");
  if (arcs) Oli_Write_Separated_Item(stream, item++, 3, "s: bezogener Stich (bei Kreisbögen)"_cp);
  if (radii)
    Oli_Write_Separated_Item(stream, item++, 3,
                             "r╬\\al╬r,r╬\\ar╬r,r╬\\el╬r,r╬\\er╬r: Ausrundungsradien am Anfang,Ende links,rechts"_cp);
  _Legend_End(stream);
  const double w = 8.0 * (1 + two + arcs) + 14.5;
  const double widths[3] = {14.5, w, w + 32.0};
  _Table_Head(stream, radii ? 5 : 4, long_table, widths, radii ? 3 : 2);
  std::fprintf(stream, "     %s%s", "   p╬\\a╬r"_cp, "   p╬\\e╬r"_cp);
  if (two)
    std::fprintf(stream, "%s%s", "     d╬\\a╬r "_cp, "     d╬\\e╬r "_cp);
  else
    std::fprintf(stream, "     d  ");
  if (arcs) std::fprintf(stream, "     s  ");
  if (radii)
    std::fprintf(stream, "%s%s%s%s", "    r╬\\al╬r "_cp, "    r╬\\ar╬r "_cp, "    r╬\\el╬r "_cp, "    r╬\\er╬r "_cp);
  std::fprintf(stream, "\n               %s", two ? "     mm      mm " : "     mm ");
  if (arcs) std::fprintf(stream, "        ");
  if (radii) std::fprintf(stream, "                                ");
  std::fprintf(stream, "\n");
  for (int i = 0; i < line_count; ++i) {
    const PROFIL_LINE &l = lines[i];
    Oli_Raw_Printf(stream, " %-4d %4d %4d %7.2lf", l.number, l.p_a, l.p_e, l.d_a);
    if (two) Oli_Raw_Printf(stream, " %7.2lf", l.d_e);
    if (arcs) {
      if (std::fabs(l.s) < 0.001)
        std::fprintf(stream, "        ");
      else
        Oli_Raw_Printf(stream, " %7.3lf", l.s);
    }
    if (radii) Oli_Raw_Printf(stream, " %7.2lf %7.2lf %7.2lf %7.2lf", l.r_al, l.r_ar, l.r_el, l.r_er);
    std::fprintf(stream, "\n");
  }
  std::fprintf(stream, "#END_OF_TEXT\n");
  OLI_setYPositionCM(stream, 1, -0.5);
}
