// The member's print body: page head, title and note, annex, safety factors, material,
// profile, fire load table, section picture and the checks at normal temperature per row.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "checks/checks.h"
#include "drawing/drawing.h"
#include "drawing_base/drawing_base.h"
#include "host/oli_layout.h"
#include "materials/materials.h"
#include "nad/nad.h"
#include "print/print.h"
#include "stahl_ec3/program_internal.h"
#include "sections/sections.h"
#include "stahl_ec3/stahl_ec3.h"
#include "support/cp850.h"
#include "support/shell.h"

namespace {

// Room kept free below the page head for the section picture (cm).
constexpr double kPictureReserveCm = 16.0;
// Safety-factor rows of the print (gamma_M0 and gamma_M,fi) and material rows (E and the
// grade's values).
constexpr int kSafetyMask = 0x804;
constexpr int kMaterialMask = 5;

// The forces of a row above 0.01 in the order and formats of the stress check's head.
void _Print_Forces(FILE *list, const BRANDLAST &r) {
  struct Item {
    int k;  // index into the row's forces
    const char *format;
  };
  static const Item items[] = {
      {0, "%sN = %.2lf kN"},
      {1, "%sM╬\\y╬r = %.2lf kNm"_cp},
      {4, "%sV╬\\z╬r = %.2lf kN"_cp},
      {2, "%sM╬\\z╬r = %.2lf kNm"_cp},
      {3, "%sV╬\\y╬r = %.2lf kN"_cp},
      {5, "%sT╬\\t╬r = %.2lf kNm"_cp},
      {6, "%sT╬\\ð╬r = %.2lf kNm"_cp},
      {7, "%sB = %.2lf kNm²"_cp},
  };
  int written = 0;
  for (const Item &it : items) {
    const double v = Brandlast_Forces(&r)[it.k];
    if (std::fabs(v) <= 0.01) continue;
    Oli_Printf(list, it.format, written++ ? ",  " : "", v);
  }
  if (!written) CP850_CALL(Oli_Printf, list, "%sSchnittgrößen = 0", "");
}

// The fire load table: one line per row, its number first (a name never begins a line).
void _Print_Rows(const BAUTEIL *b, FILE *list) {
  const char *pre = Oli_Line_Prefix();
  CP850_CALL(Oli_Printf, list, "%s╬_Schnittgrößen (Brandfall)\n", pre);
  const double tabs[2] = {1.0, 5.0};
  Oli_Para_Set_Tabs(0, nullptr, tabs, 2);
  for (int i = 0; i < b->brandlast_count; ++i) {
    const BRANDLAST &r = b->brandlasten[i];
    CP850_CALL(Oli_Printf, list, "%s%d:╬t%s╬t", pre, i + 1, r.name);
    _Print_Forces(list, r);
    Oli_Printf(list, "\n");
  }
  Oli_Para_Flush_Tabs();
}

// The section picture into the list and the open plot file: the area in the light blue of
// the palette with the fill codes of the member's plot, axes y/z and dimensions.
void _Print_Section_Picture(BAUTEIL *b, FILE *list) {
  Init_Plot_Palette();
  PLOT_PALETTE *pal = Get_Plot_Palette();
  pal->fill_code_section = pal->fill_code_plot_a;
  Set_Polygon_Fill_Style(pal->polygon_fill_color, pal->fill_code_plot_b);
  PROFIL_PLOT_OPTIONS o;
  Reset_Profil_Plot_Options(&o);
  o.fill_color = pal->pal_blue_light;
  o.line_color = pal->pal_outline;
  o.line_type = 1;
  o.profil = &b->profil;
  Oli_End_Text(list);
  if (b->profil.kind == PROFIL_KIND_QUER)
    Plot_Polygon_Querschnitt(&o, list, 0, 1, 1);
  else
    Plot_Profil_Querschnitt(&o, list, 0, 1, 1);
}

// Least partial factor gamma_M0 that the checks take: below it a factor is a slip of input
// (EN 1993-1-1, 6.1 recommends 1.00; no national annex goes below that).
constexpr double kLeastGammaM0 = 0.5;

// Why no row of the member can be checked: a library name that the library does not hold
// (a library file that was refused: its fault), a section value that is not finite or not
// of its sign, a partial factor gamma_M0 that is not finite or below kLeastGammaM0. Empty
// when the rows can be checked.
std::string _Member_Fault(const BAUTEIL *b) {
  const PROFIL &p = b->profil;
  char text[200];
  if (p.kind == PROFIL_KIND_LIBRARY) {
    char name[PROFIL_NAME_SIZE];
    std::snprintf(name, sizeof name, "%.*s", PROFIL_NAME_SIZE - 1, p.name);
    Trim_Blanks(name);
    if (!name[0] || !Find_Profil_in_Database(name, nullptr)) {
      // A library file that was refused holds no profile at all: its fault is the cause.
      if (const char *library = Get_Profil_Library_Fault(); library[0])
        return "Profil «"_cp + std::string(name) + "»: "_cp + library;
      CP850_CALL2(std::snprintf, text, sizeof text, "Profil «%s» ist in der Profilbibliothek nicht vorhanden", name);
      return text;
    }
  }
  struct Value {
    const char *name;  // print text
    double v, unit;    // record value and its factor to the printed unit
    const char *unit_text;
    int sign;          // 1 must be positive, 0 not negative, −1 any
  } const values[] = {
      {"A", p.A, 0.01, "cm²"_cp, 1},
      {"I╬\\y╬r"_cp, p.I_y, 1e-4, "cm╬/4╬r"_cp, 1},
      {"I╬\\z╬r"_cp, p.I_z, 1e-4, "cm╬/4╬r"_cp, 1},
      {"I╬\\T╬r"_cp, p.I_T, 1e-4, "cm╬/4╬r"_cp, 0},
      {"I╬\\ð╬r"_cp, p.I_w, 1e-6, "cm╬/6╬r"_cp, 0},
      {"I╬\\yz╬r"_cp, p.I_yz, 1e-4, "cm╬/4╬r"_cp, -1},
      {"U", p.U, 0.1, "cm", -1},
      {"y╬\\s╬r"_cp, p.y_s, 1.0, "mm", -1},
      {"z╬\\s╬r"_cp, p.z_s, 1.0, "mm", -1},
      {"y╬\\M╬r"_cp, p.y_M, 1.0, "mm", -1},
      {"z╬\\M╬r"_cp, p.z_M, 1.0, "mm", -1},
      {"W╬\\pl,y╬r"_cp, p.W_pl_y, 1e-3, "cm·"_cp, -1},
      {"W╬\\pl,z╬r"_cp, p.W_pl_z, 1e-3, "cm·"_cp, -1},
      {"A╬\\vy╬r"_cp, p.A_vy, 0.01, "cm²"_cp, -1},
      {"A╬\\vz╬r"_cp, p.A_vz, 0.01, "cm²"_cp, -1},
      {"║"_cp, p.alpha, 1.0, "°"_cp, -1},
  };
  for (const Value &v : values) {
    const char *what = !std::isfinite(v.v)            ? "nicht endlich"
                       : v.sign == 1 && !(v.v > 0.0)  ? "nicht positiv"
                       : v.sign == 0 && v.v < 0.0     ? "negativ"
                                                      : nullptr;
    if (!what) continue;
    Oli_Snprintf(text, sizeof text, "Querschnittswert %s = %g %s %s", v.name, v.v * v.unit, v.unit_text, what);
    return text;
  }
  const double gamma = b->safety.gamma_M0;
  if (!std::isfinite(gamma) || gamma < kLeastGammaM0) {
    CP850_CALL2(Oli_Snprintf, text, sizeof text, "Teilsicherheitsbeiwert └╬\\M0╬r = %g unzulässig (kleiner als %.2f)",
               gamma, kLeastGammaM0);
    return text;
  }
  return "";
}

// A red line: what was not done and why.
void _Not_Done(FILE *list, const char *what, const std::string &reason) {
  if (list) Oli_Printf(list, "%s%s: %s %s\n", Oli_Line_Prefix(), what, reason.c_str(), Oli_Mark_Red_Exclam());
}

// The checks of one row at normal temperature; fills the row's result slot. fault: why the
// member's rows cannot be checked (empty when they can).
void _Check_Row(BAUTEIL *b, int i, FILE *list, const std::string &fault) {
  const char *pre = Oli_Line_Prefix();
  const BRANDLAST &r = b->brandlasten[i];
  BRANDLAST_RESULT &res = b->results[i];
  res = BRANDLAST_RESULT{};
  if (list) CP850_CALL(Oli_Printf, list, "%s╬_Lastkollektiv %d: %s\n", pre, i + 1, r.name);

  const double gamma = b->safety.gamma_M0;
  const int plastic = b->method == BAUTEIL_METHOD_PLASTIC;
  const bool zero = Stress_Check_Forces_Zero(r.N, r.M_y, r.M_z, r.V_y, r.V_z, r.T_t, r.T_w, r.B) != 0;
  // A row with forces on a member that cannot be checked gets no verdict, only the reason.
  if (!zero && !fault.empty()) {
    _Not_Done(list, "Nachweis wurde nicht geführt"_cp, fault);
    return;
  }
  double u_ct = 0.0;
  int ct_failed = 0;
  // Zero forces: the stress check alone says so, once.
  if (b->ct_check && !zero) {
    ct_failed = Print_CT_Check(&b->profil, gamma, 0, 0, 0.0, plastic ? 2 : 0, r.N, r.M_y, r.M_z, r.V_y, r.V_z,
                               r.T_t, r.T_w, r.B, &u_ct, list, 2);
    if (ct_failed)
      _Not_Done(list, "c/t-Nachweis wurde nicht geführt"_cp,
                b->profil.grade.fy > 0.0 ? "das Plattenmodell des Querschnitts kann nicht berechnet werden"
                                         : "keine Streckgrenze des Materials"_cp);
  }

  const long before = list ? std::ftell(list) : 0;
  double u_max = 0, u_sigma = 0, s_max = 0, s_min = 0, tau = 0, s_v = 0, further = 0;
  const int code = Print_Stress_Check(&b->profil, gamma, 0, 0, 1, plastic ? 2 : 0, r.N, r.M_y, r.M_z, r.V_y, r.V_z,
                                      r.T_t, r.T_w, r.B, &u_max, &u_sigma, nullptr, &s_max, &s_min, &tau, &s_v,
                                      &further, list, 2);
  const bool done = zero || (code & STRESS_DONE);
  if (!done && list) {
    // No row goes without a word: a check that was not made says so.
    if (code & STRESS_GRADE_MISMATCH)
      CP850_CALL(Oli_Printf, list, "%sFür dieses Material kann der Nachweis nicht geführt werden %s\n", pre,
                 Oli_Mark_Red_Exclam());
    else if (std::ftell(list) == before)
      _Not_Done(list, "Nachweis wurde nicht geführt"_cp, "der Querschnitt kann nicht berechnet werden");
  }
  res.U_sigma = done && !zero ? u_sigma : 0.0;
  res.U_ct = ct_failed ? -1.0 : u_ct;
  res.U_max = std::max(res.U_sigma, res.U_ct);
  res.status = done && !ct_failed ? 1 : 0;
}

}  // namespace

void Print_Brandschutznachweis(BAUTEIL *b, FILE *list) {
  if (!b) return;
  const char *pre = Oli_Line_Prefix();
  if (list) {
    Oli_Raw_Printf(list, " POS. %s\n#CONTENTS\n", Get_Bauteil_Label());
    OLI_reserveSpaceCM(list, kPictureReserveCm);
    std::fprintf(list, " Nachweis bei Normaltemperatur\n#CONTENTS\n");
    Oli_Printf(list, "%s%s %s\n", pre, STAHL_EC3_NOTE_COLD, Oli_Mark_Red_Exclam());
    if (const int edited = Stahl_EC3_Run().being_edited)  // a refresh while a session edits the member
      Oli_Printf(list, "%s%s %s\n", pre, edited == 1 ? STAHL_EC3_NOTE_EDITED : STAHL_EC3_NOTE_UNSAVED,
                 Oli_Mark_Red_Exclam());
    Oli_Printf(list, "%snationaler Anhang zum EC: %s\n", pre, Get_Active_NAD_Name());
  }
  Check_Bauteil_Data(b, list, 0, "");
  const std::string fault = _Member_Fault(b);
  if (list) {
    Print_Safety_Factors(&b->safety, list, kSafetyMask);
    Print_Material_Data(&b->material, list, kMaterialMask, 1, "");
    Print_Profil_Parameters(&b->profil, list, 1, 1, 0);
    // The note of the read, while the profile is still the one it names.
    char name[PROFIL_NAME_SIZE];
    std::snprintf(name, sizeof name, "%.*s", PROFIL_NAME_SIZE - 1, b->profil.name);
    Trim_Blanks(name);
    const std::string named = "«"_cp + std::string(name) + "»"_cp;
    if (b->profil_note[0] && b->profil.kind == PROFIL_KIND_LIBRARY && std::strstr(b->profil_note, named.c_str()))
      Oli_Printf(list, "%s%s %s\n", pre, b->profil_note, Oli_Mark_Red_Exclam());
    const PROFIL &p = b->profil;
    if (p.kind == PROFIL_KIND_QUER && p.model_kind == 0)
      Print_Profil_Plate_Table(p.nodes, p.node_count, p.lines, p.line_count, list);
    _Print_Rows(b, list);
    _Print_Section_Picture(b, list);
  }
  for (int i = 0; i < b->brandlast_count; ++i) _Check_Row(b, i, list, fault);
  if (list) Oli_End_Text(list);
}

int Get_Brandlast_Utilisation(const BAUTEIL *b, int row, double *u_max) {
  if (u_max) *u_max = 0.0;
  if (!b || row < 0 || row >= b->brandlast_count || !b->results) return 0;
  const BRANDLAST_RESULT &res = b->results[row];
  if (res.status != 1) return 0;
  if (u_max) *u_max = res.U_max;
  return 1;
}
