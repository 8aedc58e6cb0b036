// The member's print body: page head, title and note, annex, safety factors, material,
// profile, fire load table, section picture and the checks at normal temperature per row.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "checks/checks.h"
#include "drawing/drawing.h"
#include "drawing_base/drawing_base.h"
#include "host/oli_layout.h"
#include "materials/materials.h"
#include "nad/nad.h"
#include "print/print.h"
#include "stahl_ec3/program_internal.h"
#include "stahl_ec3/stahl_ec3.h"
#include "support/cp850.h"

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

// The checks of one row at normal temperature; fills the row's result slot.
void _Check_Row(BAUTEIL *b, int i, FILE *list) {
  const char *pre = Oli_Line_Prefix();
  const BRANDLAST &r = b->brandlasten[i];
  BRANDLAST_RESULT &res = b->results[i];
  res = BRANDLAST_RESULT{};
  if (list) CP850_CALL(Oli_Printf, list, "%s╬_Lastkollektiv %d: %s\n", pre, i + 1, r.name);

  const double gamma = b->safety.gamma_M0;
  const int plastic = b->method == BAUTEIL_METHOD_PLASTIC;
  const bool zero = Stress_Check_Forces_Zero(r.N, r.M_y, r.M_z, r.V_y, r.V_z, r.T_t, r.T_w, r.B) != 0;
  double u_ct = 0.0;
  int ct_failed = 0;
  // Zero forces: the stress check alone says so, once.
  if (b->ct_check && !zero)
    ct_failed = Print_CT_Check(&b->profil, gamma, 0, 0, 0.0, plastic ? 2 : 0, r.N, r.M_y, r.M_z, r.V_y, r.V_z,
                               r.T_t, r.T_w, r.B, &u_ct, list, 2);

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
      CP850_CALL(Oli_Printf, list, "%sNachweis wurde nicht geführt\n", pre);
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
    std::fprintf(list, " POS. %s\n#CONTENTS\n", Get_Bauteil_Label());
    OLI_reserveSpaceCM(list, kPictureReserveCm);
    std::fprintf(list, " Nachweis bei Normaltemperatur\n#CONTENTS\n");
    Oli_Printf(list, "%s%s %s\n", pre, STAHL_EC3_NOTE_COLD, Oli_Mark_Red_Exclam());
    Oli_Printf(list, "%snationaler Anhang zum EC: %s\n", pre, Get_Active_NAD_Name());
  }
  Check_Bauteil_Data(b, list, 0, "");
  if (list) {
    Print_Safety_Factors(&b->safety, list, kSafetyMask);
    Print_Material_Data(&b->material, list, kMaterialMask, 1, "");
    Print_Profil_Parameters(&b->profil, list, 1, 1, 0);
    const PROFIL &p = b->profil;
    if (p.kind == PROFIL_KIND_QUER && p.model_kind == 0)
      Print_Profil_Plate_Table(p.nodes, p.node_count, p.lines, p.line_count, list);
    _Print_Rows(b, list);
    _Print_Section_Picture(b, list);
  }
  for (int i = 0; i < b->brandlast_count; ++i) _Check_Row(b, i, list);
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
