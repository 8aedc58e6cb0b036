// materials/material_print.cpp — the material paragraph of the print list and the formula
// line of the steel factor epsilon.
#include <cmath>
#include <cstring>

#include "materials/materials.h"
#include "materials/materials_internal.h"
#include "print/print.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

// The grade name of a table-valued steel record: the Eurocode list name (stainless rows
// included), "" for grades without a list row.
void _Steel_Grade_Name(const MATERIAL *m, char *out, int size) {
  out[0] = '\0';
  const int grade = m->grade;
  if (m->family == MATERIAL_FAMILY_EC_STEEL && grade > EC_GRADE_LAST_CARBON) {
    if (const STEEL_GRADE_LIST *row = Get_EC_Grade_List_Row(grade)) {
      std::snprintf(out, static_cast<std::size_t>(size), "%s", row->name);
      Trim_Blanks(out);
    }
    return;
  }
  std::snprintf(out, static_cast<std::size_t>(size), "%s", Get_EC_Grade_Name(0, grade));
}

// Value lines, with the spacing of their paragraph raised by 0.3 cm. With all_ranges fy
// and fu of the three thickness ranges instead of the current pair.
void _Value_Lines(const MATERIAL *m, FILE *list, int mask, const char *sub, bool aluminium, bool all_ranges) {
  const char *pre = Oli_Line_Prefix();
  const double spacing = Oli_Para_Get_Spacing();
  Oli_Para_Set_Spacing(spacing + 0.3);
  if (all_ranges) {
    CP850_CALL(Oli_Printf, list,
               "%schar. Streckgrenze f╬\\y%s,t¾40mm╬r = %.1lf N/mm²,  f╬\\y%s,t¾80mm╬r = %.1lf N/mm²,  "
               "f╬\\y%s,t>80mm╬r = %.1lf N/mm²\n",
               pre, sub, m->fy_40, sub, m->fy_80, sub, m->fy_inf);
    CP850_CALL(Oli_Printf, list,
               "%schar. Zugfestigkeit f╬\\u%s,t¾40mm╬r = %.1lf N/mm²,  f╬\\u%s,t¾80mm╬r = %.1lf N/mm²,  "
               "f╬\\u%s,t>80mm╬r = %.1lf N/mm²\n",
               pre, sub, m->fu_40, sub, m->fu_80, sub, m->fu_inf);
  } else {
    if (aluminium)
      CP850_CALL(Oli_Printf, list, "%schar. Wert der 0,2%%-Dehngrenze f╬\\o╬r = %.1lf N/mm²\n", pre, m->fy);
    else
      CP850_CALL(Oli_Printf, list, "%schar. Streckgrenze f╬\\y%s╬r = %.1lf N/mm²\n", pre, sub, m->fy);
    CP850_CALL(Oli_Printf, list, "%schar. Zugfestigkeit f╬\\u%s╬r = %.1lf N/mm²\n", pre, sub, m->fu);
  }
  if (!aluminium && (mask & 2))
    CP850_CALL(Oli_Printf, list, "%sKorrelationsbeiwert für Kehlnähte ╗╬\\w%s╬r = %.2lf\n", pre, sub, m->betaw);
  if (mask & 4) CP850_CALL(Oli_Printf, list, "%sElastizitätsmodul E╬\\%s╬r = %.1lf N/mm²\n", pre, sub, m->E);
  if (!aluminium && (mask & 0x80))
    CP850_CALL(Oli_Printf, list, "%sTemperaturausdehnungskoeffizient ║╬\\T%s╬r = %.2lf%s10╬/-5╬r 1/K\n", pre, sub,
               m->alphaT, Oli_Mult_Dot());
  Oli_Para_Set_Spacing(spacing);
}

}  // namespace

void Print_Material_Data(const MATERIAL *m, FILE *list, int mask, int with_values, const char *subscript) {
  Print_Material_Paragraph(m, list, mask, with_values, subscript, false);
}

void Print_Material_Paragraph(const MATERIAL *m, FILE *list, int mask, int with_values, const char *subscript,
                              bool all_ranges) {
  if (!m || !list) return;
  const bool aluminium = m->family == MATERIAL_FAMILY_ALUMINIUM;
  if (m->family != MATERIAL_FAMILY_EC_STEEL && m->family != MATERIAL_FAMILY_DIN_STEEL && !aluminium) return;
  const char *pre = Oli_Line_Prefix();
  const char *sub = subscript ? subscript : "";
  char name[MATERIAL_NAME_SIZE];
  std::memcpy(name, m->name, sizeof name);
  name[MATERIAL_NAME_SIZE - 1] = '\0';
  Trim_Blanks(name);
  const bool has_name = std::strlen(name) > 1;

  if (m->user_values) {
    Oli_Printf(list, "%s", pre);
    if (has_name) Oli_Printf(list, "%s, ", name);
    Oli_Printf(list, "%s", aluminium ? "Parameter:\n" : "Stahlparameter:\n");
    _Value_Lines(m, list, mask, sub, aluminium, all_ranges);
    return;
  }

  if (aluminium) {
    Oli_Printf(list, "%sLegierung %s, %s", pre, Get_Alguete_Alloy(m->grade), Get_Alguete_Temper(m->grade));
  } else {
    char grade_name[EC_GRADE_NAME_SIZE + 4];
    _Steel_Grade_Name(m, grade_name, sizeof grade_name);
    CP850_CALL(Oli_Printf, list, "%sStahlgüte %s", pre, grade_name);
  }
  if (has_name) Oli_Printf(list, "  (%s)", name);
  if (!aluminium && m->family == MATERIAL_FAMILY_EC_STEEL && m->grade > EC_GRADE_LAST_CARBON &&
      m->grade < EC_GRADE_LIST_COUNT)
    Oli_Printf(list, ", Edelstahl");
  if (!with_values) {
    Oli_Printf(list, "\n");
    return;
  }
  Oli_Printf(list, ", Rechenparameter:\n");
  _Value_Lines(m, list, mask, sub, aluminium, false);
}

double Print_Epsilon(double fy, double E, FILE *list) {
  if (fy < 0.001) return 0.0;
  if (E < 0.001) E = 210000.0;
  // E / 210000 rather than E times its reciprocal: S235 gives epsilon 1 exactly, so a c/t
  // on a limit (c/t = 15 epsilon) keeps its class.
  const double eps = std::sqrt(235.0 / fy * (E / 210000.0));
  if (list) {
    const bool other_E = std::fabs(E - 210000.0) > 1.0;
    Oli_Printf(list, "%s", "¥"_cp);
    if (235.0 / fy > 0.1) {
      Oli_Printf(list, " = (");
      Oli_Printf(list, "235/%.0lf", fy);
      if (other_E) {
        Oli_Printf(list, "%s", Oli_Mult_Dot());
        Oli_Printf(list, "%.0lf/210000", E);
      }
      Oli_Printf(list, "%s", ")╬/0.5╬r"_cp);
    } else if (other_E) {
      Oli_Printf(list, " = (");
      Oli_Printf(list, "%.0lf/210000", E);
      Oli_Printf(list, "%s", ")╬/0.5╬r"_cp);
    }
    Oli_Printf(list, " = %.3lf", eps);
  }
  return eps;
}
