// checks/check_texts.cpp — material kind words of member objects, the grade values behind
// them and the extreme-fibre stresses of a section for the check texts.
#include <cmath>
#include <cstdio>

#include "checks/checks.h"
#include "dwqb/dwqb.h"
#include "materials/materials.h"
#include "print/print.h"
#include "querschnitt/querschnitt.h"
#include "support/cp850.h"

namespace {

constexpr uint32_t kBit16 = 1u << 16, kBit17 = 1u << 17, kBit18 = 1u << 18;

int32_t _Option(const CHECK_MEMBER *o, int i) {
  return (o->options && i < o->option_count) ? o->options[i] : 0;
}

// The member a check object's record describes.
bool _Member_Of(const CHECK_OBJECT *handle, CHECK_MEMBER *m) {
  const CHECK_DATA *d = Get_Check_Data(handle);
  if (!d) return false;
  *m = CHECK_MEMBER{d->type, d->n_ints, d->ints, d->block};
  return true;
}

uint32_t _Kind(const uint32_t *kind) { return kind ? (*kind & 0xFFFFu) : 0u; }

}  // namespace

uint32_t Get_Material_Kind_Word(const CHECK_MEMBER *o) {
  if (!o) return 0;
  uint32_t w;
  switch (o->type) {
    case 211: w = 1 | (_Option(o, 0) ? kBit16 : 0); break;
    case 212: case 213: case 214: w = 1 | kBit16; break;
    case 261: w = 2 | (_Option(o, 0) ? kBit16 : 0); break;
    // 263 is an aluminium member like its neighbours: kind 2, never the DIN rules of kind 0.
    case 262: case 263: case 264: w = 2 | kBit16; break;
    default: return 0;
  }
  if (_Option(o, 1)) w |= kBit17;
  if (_Option(o, 2)) w |= kBit18;
  return w;
}

uint64_t Get_Material_Kind_Pair(const CHECK_MEMBER *o) {
  const uint64_t second = (o && o->type == 214) ? kBit16 : 0;
  return (second << 32) | Get_Material_Kind_Word(o);
}

uint32_t Get_Material_Kind_Word_Of(const CHECK_OBJECT *handle) {
  CHECK_MEMBER m;
  return _Member_Of(handle, &m) ? Get_Material_Kind_Word(&m) : 0;
}

uint64_t Get_Material_Kind_Pair_Of(const CHECK_OBJECT *handle) {
  CHECK_MEMBER m;
  return _Member_Of(handle, &m) ? Get_Material_Kind_Pair(&m) : 0;
}

double Get_Grade_fy(const uint32_t *kind, int grade_code, double t) {
  if (!kind) return 235.0;
  return _Kind(kind) == 2 ? Get_Alguete_f0(grade_code) : Get_Stguete_fy(grade_code, t);
}

double Get_Grade_E_G(const uint32_t *kind, int grade_code, double *G) {
  if (G) *G = 81000.0;
  if (!kind) return 210000.0;
  return _Kind(kind) == 2 ? Get_Alguete_E_G(grade_code, G) : Get_Stguete_E_G(grade_code, G);
}

const char *Get_Grade_Name(const uint32_t *kind, int grade_code) {
  if (!kind) return "?????";
  return _Kind(kind) == 2 ? Get_Alguete_Name(grade_code) : Get_Stguete_Name(grade_code);
}

int Calc_Querschnitt_Stresses(uint32_t spatial, double N, double M, double M_2, const QS_CHECK_VIEW *view,
                              double out[4], int flag, int pass_a, unsigned pass_b) {
  if (!out) return 0;
  out[0] = out[1] = out[2] = out[3] = 0.0;
  if (!view || (flag != 2 && flag != 5 && flag != 8)) return 0;
  if (!spatial) M_2 = 0.0;
  if (view->header.type < 0) {
    // Values only: A in m², the moduli in m³, stresses in kN/m² turned into MN/m².
    const double A = view->values.A;
    if (!(std::fabs(A) > 0.0)) return 0;
    const double W_l = std::fabs(view->values.W_lower), W_u = std::fabs(view->values.W_upper);
    out[0] = (N / A - (W_l > 0.0 ? M / W_l : 0.0)) * 0.001;
    out[1] = (N / A + (W_u > 0.0 ? M / W_u : 0.0)) * 0.001;
    return 1;
  }
  const int standard = Resolve_Check_Standard(view->header.type, static_cast<int32_t>(spatial));
  if (Calc_Profil_Section_Values(view, standard, pass_a, pass_b) > 0) return 0;
  const double *v = Get_DWQB_Values()->v;
  const double A = v[DWQB_V_A];  // cm²
  if (!(A > 0.0)) return 0;
  // kN/cm² × 10 = MN/m²; moments kNm × 100 = kNcm over cm³.
  auto sigma = [&](double m, double w) { return 10.0 * (N / A + (std::fabs(w) > 0.0 ? 100.0 * m / w : 0.0)); };
  out[0] = sigma(M, v[DWQB_V_W1A]);
  out[1] = sigma(M, v[DWQB_V_W1B]);
  out[2] = sigma(-M_2, v[DWQB_V_W2A]);
  out[3] = sigma(-M_2, v[DWQB_V_W2B]);
  return 1;
}

// ---------------------------------------------------------------- report texts
namespace {

constexpr const char *kPre = "   ";  // the report prefix of the check's lines

// The check's stream and the record the hook delivers for the object; null when either is
// missing.
FILE *_Text_Source(void *object, int32_t which, CHECK_TEXT_RECORD *r) {
  FILE *s = Set_Check_Querschnitt_Stream(nullptr);
  Set_Check_Querschnitt_Stream(s);
  if (!s) return nullptr;
  *r = CHECK_TEXT_RECORD{};
  int32_t w = which;
  return Get_Check_Hook_Result(object, r, &w, nullptr) ? s : nullptr;
}

int _Kind_Of(const CHECK_TEXT_RECORD &r) { return static_cast<int>(r.kind & 0xFFFFu); }

void _Head(FILE *s, const CHECK_TEXT_RECORD &r) {
  if (r.section == CHECK_SECTION_VALUES) {
    CP850_CALL(Oli_Printf, s, "Allgemeiner Querschnitt:  A = %.1f cm╬/2╬r,  W╬\\o╬r = %.1f cm╬/3╬r,  W╬\\u╬r = %.1f cm╬/3╬r\n",
               r.A, r.W_o, r.W_u);
    return;
  }
  if (r.section == CHECK_SECTION_IMPORTED) {
    CP850_CALL(Oli_Printf, s, "Benutzerdefinierter Querschnitt aus R7-PLAX: %s\n", r.name);
    return;
  }
  if (r.section == CHECK_SECTION_PROFILE) {
    const bool about_z = r.name[0] == '-';
    Oli_Printf(s, "Profil %s", about_z ? r.name + 1 : r.name);
    Oli_Printf(s, ", Biegung um die %s-Achse", about_z ? "z" : "y");
    if (r.turned) Oli_Printf(s, "%s", " (90° gedreht)"_cp);
  } else {
    Oli_Printf(s, r.section == CHECK_SECTION_TYPE_S ? "Querschnitts-Typ S%d" : "Querschnitts-Typ %d", r.type);
  }
  Oli_Printf(s, ":  %s\n %sQuerschnittsgeometrie:  ", r.title, kPre);
  const double *d = r.dims;
  switch (r.dims_form) {
    case CHECK_DIMS_I:
      Oli_Printf(s, "h = %.1f cm,  s = %.1f cm,  b = %.1f cm,  t = %.1f cm", d[0], d[1], d[2], d[3]);
      break;
    case CHECK_DIMS_RING: CP850_CALL(Oli_Printf, s, "r╬\\a╬r = %.1f cm,  r╬\\i╬r = %.1f cm", d[0], d[1]); break;
    case CHECK_DIMS_HB: Oli_Printf(s, "h = %.1f cm,  b = %.1f cm", d[0], d[1]); break;
    case CHECK_DIMS_D: Oli_Printf(s, "d = %.1f cm", d[0]); break;
    case CHECK_DIMS_I2:
      CP850_CALL(Oli_Printf, s,
                 "h = %.1f cm,  s = %.1f cm,  b╬\\o╬r = %.1f cm,  t╬\\o╬r = %.1f cm,  b╬\\u╬r = %.1f cm,  t╬\\u╬r = %.1f cm",
                 d[0], d[1], d[2], d[3], d[4], d[5]);
      break;
    default: Oli_Printf(s, "?????"); break;
  }
  Oli_Printf(s, "\n %sQuerschnittswerte:  ", kPre);
  if (!r.spatial) {
    CP850_CALL(Oli_Printf, s, "A = %.1f cm╬/2╬r,  I╬\\m╬r = %.1f cm╬/4╬r\n", r.A, r.I_m);
    return;
  }
  CP850_CALL(Oli_Printf, s, "A = %.1f cm╬/2╬r,  I╬\\m╬r = %.1f cm╬/4╬r,  I╬\\n╬r = %.1f cm╬/4╬r,  I╬\\mn╬r = %.1f cm╬/4╬r\n",
             r.A, r.I_m, r.I_n, r.I_mn);
  CP850_CALL(Oli_Printf, s,
             " %sQuerschnittswerte (Hauptachsen):  I╬\\%s╬r = %.1f cm╬/4╬r,  I╬\\%s╬r = %.1f cm╬/4╬r,  %s = %.2f °\n",
             kPre, r.axis_1, r.I_1, r.axis_2, r.I_2, "║"_cp, r.angle);
  CP850_CALL(Oli_Printf, s, " %sQuerschnittswerte (Torsion):  I╬\\T╬r = %.2f cm╬/4╬r,  I╬\\w╬r = %.2f cm╬/6╬r\n",
             kPre, r.I_T, r.I_w);
}

const char *_Family(int kind) {
  return kind == 1 ? "Stahl (EN 1993)" : kind == 2 ? "Aluminium (EN 1999)" : "Stahl (DIN 18800)";
}

// The interaction values of the section's shape (names and units in the order of its line).
void _Interaction(FILE *s, const CHECK_TEXT_RECORD &r) {
  struct Shape {
    const char *text;
    int n;
    const char *item[4];
  };
  static const Shape shapes[5] = {
      {"  Biegung um y-Achse - doppeltsymmetrische I-Profile", 4,
       {"A = %.2f cm╬/2╬r"_cp, "h╬\\S╬r = %.2f cm"_cp, "s = %.2f cm", "W╬\\pl╬r = %.2f cm╬/3╬r"_cp}},
      {"  Biegung um y-Achse - einfachsymmetrisch", 4,
       {"A╬\\1╬r = %.2f cm╬/2╬r"_cp, "A╬\\2╬r = %.2f cm╬/2╬r"_cp, "A╬\\3╬r = %.2f cm╬/2╬r"_cp, "h╬\\S╬r = %.2f cm"_cp}},
      {"  Biegung um y-Achse - doppeltsymmetrisch", 3, {"A = %.2f cm╬/2╬r"_cp, "A╬\\S╬r = %.2f cm╬/2╬r"_cp, "h╬\\S╬r = %.2f cm"_cp}},
      {"  Biegung um z-Achse - doppeltsymmetrisch", 3, {"A╬\\G╬r = %.2f cm╬/2╬r"_cp, "A╬\\S╬r = %.2f cm╬/2╬r"_cp, "b = %.2f cm"}},
      {"  Biegung um y- und z-Achse - Kreisring", 2, {"d╬\\M╬r = %.2f cm"_cp, "t = %.2f cm"}},
  };
  if (r.interaction < 1 || r.interaction > 5) return;
  const Shape &sh = shapes[r.interaction - 1];
  Oli_Printf(s, " %sInteraktionsbedingung %d:%s\n", kPre, r.interaction, sh.text);
  Oli_Printf(s, " %s  ", kPre);
  for (int i = 0; i < sh.n; ++i) {
    if (i) Oli_Printf(s, ",  ");
    Oli_Printf(s, sh.item[i], r.inter[i]);
  }
  Oli_Printf(s, "\n");
}

// The plate model of the partial internal forces method: a head with the plate count and
// the principal angle, then one line per plate from top to bottom, its centre relative to
// the reference point (the web centre) and its two sizes. Only the models of one or two
// flanges and a web are plated.
void _Plates(FILE *s, const CHECK_TEXT_RECORD &r) {
  const int mode = static_cast<int>(r.plate_state & 0xF);
  if (mode != 2 && mode != 3) return;
  const float *d = r.plate_data;
  struct Plate {
    const char *name, *size;
    int y, z, b, t;  // indices of the data floats
  } plates[3] = {{"Gurt oben", "b", 2, 3, 8, 9}, {"Steg", "h", 4, 5, 10, 11}, {"Gurt unten", "b", 6, 7, 12, 13}};
  int count = 0;
  for (const Plate &p : plates) count += d[p.b] > 0.0f && d[p.t] > 0.0f;
  CP850_CALL(Oli_Printf, s, " %s%d-Blech Querschnitt, Bezugspunkt ist Mittelpunkt Steg, Hauptachsendrehwinkel %s = %.2f °:\n",
             kPre, count, "║"_cp, r.plate_angle);
  for (const Plate &p : plates) {
    if (!(d[p.b] > 0.0f && d[p.t] > 0.0f)) continue;
    Oli_Printf(s, " %s  %s:  y = %.2f cm,  z = %.2f cm,  %s = %.2f cm,  t = %.2f cm\n", kPre, p.name,
               double(d[p.y]) - d[0], double(d[p.z]) - d[1], p.size, double(d[p.b]), double(d[p.t]));
  }
}

void _Material(FILE *s, const CHECK_TEXT_RECORD &r, bool short_form) {
  Oli_Printf(s, " %sMaterial", kPre);
  if (r.label[0]) Oli_Printf(s, " (%s)", r.label);
  if (short_form) {
    CP850_CALL(Oli_Printf, s, ":  %s %s,  d = %.1f mm,  f╬\\y,k╬r = %.0f MN/m╬/2╬r\n", _Family(_Kind_Of(r)), r.grade,
               r.d, r.f_yk);
    return;
  }
  CP850_CALL(Oli_Printf, s, ":  %s %s,  t╬\\max╬r = %.0f mm", _Family(_Kind_Of(r)), r.grade, r.t_max);
  if (r.fire)
    CP850_CALL(Oli_Printf, s,
               "\n %sBrandfall:  T╬\\fi╬r = %.2f °C,  f╬\\y,k,fi╬r = f╬\\y,k╬r * k╬\\y,fi╬r = %.0f * %.4f MN/m╬/2╬r = %.2f "
               "MN/m╬/2╬r\n",
               kPre, r.T_fi, r.f_yk, r.k_y_fi, r.f_yk * r.k_y_fi);
  else
    CP850_CALL(Oli_Printf, s, ",  f╬\\y,k╬r = %.0f MN/m╬/2╬r\n", r.f_yk);
  _Interaction(s, r);
  if (r.shape_factors == 2)
    CP850_CALL(Oli_Printf, s, " %sPlastische Formbeiwerte:  %s╬\\pl,%s╬r = %.3f,  %s╬\\pl,%s╬r = %.3f\n", kPre, "║"_cp,
               r.axis_1, r.alpha_pl[0], "║"_cp, r.axis_2, r.alpha_pl[1]);
  else if (r.shape_factors == 1)
    CP850_CALL(Oli_Printf, s, " %sPlastischer Formbeiwert:  %s╬\\pl╬r = %.3f\n", kPre, "║"_cp, r.alpha_pl[0]);
  switch (r.section_form) {
    case 1: Oli_Printf(s, " %sRohr-Querschnitt:  d = %.2f cm,  t = %.2f cm\n", kPre, r.form[0], r.form[1]); break;
    case 2: Oli_Printf(s, " %sRundstahl-Querschnitt:  d = %.2f cm\n", kPre, r.form[0]); break;
    case 3:
      CP850_CALL(Oli_Printf, s, " %sKreisring-Querschnitt:  d╬\\a╬r = %.2f cm,  d╬\\i╬r = %.2f cm\n", kPre, r.form[0],
                 r.form[1]);
      break;
    case 4: Oli_Printf(s, " %sFlachstahl-Querschnitt:  h = %.2f cm,  b = %.2f cm\n", kPre, r.form[0], r.form[1]); break;
    case 5: _Plates(s, r); break;
    default: break;
  }
}

void _Plastic(FILE *s, const CHECK_TEXT_RECORD &r) {
  switch (r.plastic) {
    case CHECK_PLASTIC_INTERACTION:
      if (_Kind_Of(r) == 1 || _Kind_Of(r) == 2)
        Oli_Printf(s, " %sPlastischer Nachweis (EN 1993-1-1 6.2.1(6)):  Interaktion %d", kPre, r.interaction_no);
      else
        Oli_Printf(s, " %sPlastischer Nachweis (El. 757):  Interaktion %d", kPre, r.interaction_no);
      CP850_CALL(Oli_Printf, s, ",  %s╬\\M╬r = %.2f,  %s╬\\S,d╬r = %.1f MN/m╬/2╬r\n", "└"_cp, r.gamma_M, "╠"_cp,
                 r.sigma_Sd);
      break;
    case CHECK_PLASTIC_STRAINS:
      Oli_Printf(s, " %sPlastischer Querschnittsnachweis: Dehnungsiteration", kPre);
      if (r.tol > 0.0) Oli_Printf(s, ", Iteration der Schubausnutzung (tol = %.3g)", r.tol);
      else Oli_Printf(s, ", ohne Iteration der Schubausnutzung");
      Oli_Printf(s, "\n");
      if (r.limit == 0) Oli_Printf(s, " %s Keine Begrenzung der Grenzbiegemomente.\n", kPre);
      else if (r.limit == 1) Oli_Printf(s, " %s Keine Begrenzung der Grenzbiegemomente nach Element 755.\n", kPre);
      else
        Oli_Printf(s, " %s Faktoren der Biegemomente wegen der Begrenzung nach El. 755:  %.3f,  %.3f\n", kPre,
                   r.limit_factor[0], r.limit_factor[1]);
      break;
    case CHECK_PLASTIC_PARTS:
    case CHECK_PLASTIC_PARTS_EX: {
      if (r.plastic == CHECK_PLASTIC_PARTS_EX)
        CP850_CALL(Oli_Printf, s, " %sPlastischer Querschnittsnachweis: erweitertes Teilschnittgrößenverfahren", kPre);
      else
        CP850_CALL(Oli_Printf, s, " %sPlastischer Querschnittsnachweis: Teilschnittgrößenverfahren", kPre);
      Oli_Printf(s, "%s\n", r.redistribution ? " mit Umlagerung" : " ohne Umlagerung");
      Oli_Printf(s, " %s plastische Grenzschnittgrößen der Querschnittsteile in KN,m:\n"_cp, kPre);
      static const char *const part[4] = {"Querschnitt", "Obergurt", "Steg", "Untergurt"};
      for (int i = 0; i < 4; ++i)
        CP850_CALL(Oli_Printf, s, " %s  %s:  N╬\\pl╬r = %.2f,  M╬\\pl╬r = %.2f\n", kPre, part[i], r.parts[i][0],
                   r.parts[i][1]);
      break;
    }
    default: break;
  }
}

void _Elastic(FILE *s, const CHECK_TEXT_RECORD &r, bool full) {
  const int kind = _Kind_Of(r);
  if (kind == 1)
    CP850_CALL(Oli_Printf, s, " %sElastischer Nachweis (EN 1993-1-1 6.2.1(5)):  %s╬\\M╬r = %.2f", kPre, "└"_cp, r.gamma_M);
  else if (kind == 2)
    CP850_CALL(Oli_Printf, s, " %sElastischer Nachweis (EN 1999-1-1 6.2.1(5)):  %s╬\\M╬r = %.2f,  C = %.2f", kPre,
               "└"_cp, r.gamma_M, r.C_Al);
  else
    CP850_CALL(Oli_Printf, s, " %sElastischer Nachweis (El. 747):  %s╬\\M╬r = %.2f", kPre, "└"_cp, r.gamma_M);
  if (r.check_bits & 0x31cu) {
    Oli_Printf(s, ",  Ausnutzung aus ");
    const char *sep = "";
    if (r.check_bits & 0x4u) Oli_Printf(s, "%s%s", sep, "╠"_cp), sep = ", ";
    if (r.check_bits & 0x8u) Oli_Printf(s, "%s%s", sep, "Í"_cp), sep = ", ";
    if (r.check_bits & 0x10u) Oli_Printf(s, "%s%s", sep, "╠╬\\v╬r"_cp);
  }
  if (full && (r.local_element == 747 || r.local_element == 749 || r.local_element == 750))
    CP850_CALL(Oli_Printf, s, "\n %sÖrtlich begrenzte Plastizierung nach El. %d", kPre, r.local_element);
  Oli_Printf(s, "\n");
}

void _Buckling(FILE *s, const CHECK_TEXT_RECORD &r) {
  for (int d = 0; d < 2; ++d) {
    if (!r.buckling[d]) continue;
    if (d == 1) Oli_Printf(s, " %sKnicken aus der Ebene heraus", kPre);
    else if (r.buckling_axis[0]) Oli_Printf(s, " %sKnicken um die %s-Achse", kPre, r.buckling_axis);
    else Oli_Printf(s, " %sKnicken in der Ebene", kPre);
    CP850_CALL(Oli_Printf, s, ":  L╬\\cr╬r = %s * L = %.2f * %.0f cm = %.0f cm\n", "╗"_cp, r.beta[d], r.L[d],
               r.beta[d] * r.L[d]);
  }
}

}  // namespace

void Print_Querschnitt_Kopf(void *object) {
  CHECK_TEXT_RECORD r;
  if (FILE *s = _Text_Source(object, CHECK_TEXT_HEAD, &r)) _Head(s, r);
}

void Print_Material_Kopf(void *object) {
  CHECK_TEXT_RECORD r;
  if (FILE *s = _Text_Source(object, CHECK_TEXT_MATERIAL, &r)) _Material(s, r, false);
}

void Print_Material_Kopf_Short(void *object) {
  CHECK_TEXT_RECORD r;
  if (FILE *s = _Text_Source(object, CHECK_TEXT_MATERIAL_SHORT, &r)) _Material(s, r, true);
}

void Print_Querschnitt_Nachweis(void *object) {
  CHECK_TEXT_RECORD r;
  FILE *s = _Text_Source(object, CHECK_TEXT_NACHWEIS, &r);
  if (!s) return;
  _Plastic(s, r);
  _Elastic(s, r, true);
  _Buckling(s, r);
}

void Print_Elastic_Nachweis(void *object) {
  CHECK_TEXT_RECORD r;
  if (FILE *s = _Text_Source(object, CHECK_TEXT_ELASTIC, &r)) _Elastic(s, r, false);
}
