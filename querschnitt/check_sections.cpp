// querschnitt/check_sections.cpp — the section record of the stress and plate checks,
// made from a member's profile: its user grade, a standard family, an export of the
// profile's model or its imported section, computed by the catalogue.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>

#include "materials/materials.h"
#include "profil/profil.h"
#include "querschnitt/querschnitt.h"
#include "querschnitt/querschnitt_internal.h"
#include "sections/sections.h"
#include "support/shell.h"

namespace {

constexpr int kSecondCode = 100;
constexpr int kSlotDin = 100, kSlotEc = 101;

struct CheckState {
  QUERSCHNITT record{};
  int initialised = 0;
};
CheckState c;

// Registers the profile's own grade values as the family's user grade (made once, then
// the registered row is copied and overwritten).
void _Register_User_Grade(const MATERIAL &m) {
  const bool user = m.user_values || ((m.family == MATERIAL_FAMILY_EC_STEEL || m.family == MATERIAL_FAMILY_DIN_STEEL) &&
                                      m.grade == 26);
  if (!user || (m.family != MATERIAL_FAMILY_EC_STEEL && m.family != MATERIAL_FAMILY_DIN_STEEL)) return;
  const bool din = m.family == MATERIAL_FAMILY_DIN_STEEL;
  int slot = Get_Profil_User_Grade_Slot(m.family);
  STEEL_GRADE row{};
  if (slot == -1) {
    slot = din ? kSlotDin : kSlotEc;
    Set_Profil_User_Grade_Slot(m.family, slot);
    row = *Get_Stguete_Fallback_Row(din ? 0 : 1);
    row.code = din ? (slot | STGUETE_USER_BIT) : slot + 0x18000;
    row.t1 = 40.0;
    row.t_max = 80.0;
  } else {
    row = *Get_Stguete_Record(din ? (slot | STGUETE_USER_BIT) : slot + 0x18000);
  }
  row.name = "frei";
  row.E = m.E;
  row.G = m.G;
  row.nu = m.nu;
  row.alphaT = m.alphaT * 1e-5;
  row.fy1 = row.fy2 = m.fy;
  row.fu = m.fu;
  row.alpha_w = m.betaw;
  Set_User_Stguete(&row);
}

bool _Same(double a, double b) { return std::fabs(a - b) < 0.001; }

bool _Equal(double a, double b) { return std::fabs(a - b) <= 1e-6 * std::max({std::fabs(a), std::fabs(b), 1.0}); }

// Top and bottom flange (and their joints and overhangs) agree: the shape is symmetric about
// its web's mid-depth. A bottom flange of width or thickness 0 is the top one.
bool _Equal_Flanges(const PROFIL *p) {
  double f_o = 0.0, f_u = 0.0;
  Get_Profil_Fillet_Sizes(p, &f_o, &f_u, nullptr);
  const double bu = p->b_fu > 0.0 ? p->b_fu : p->b_fo, tu = p->t_fu > 0.0 ? p->t_fu : p->t_fo;
  return _Equal(p->b_fo, bu) && _Equal(p->t_fo, tu) && _Equal(f_o, f_u) &&
         (p->type != PROFIL_BOX || _Equal(p->ue_o, p->ue_u));
}

// The family and its ten dimensions (cm) of a parametric shape; 0 when it has none.
int _Family_of(const PROFIL *p, int *family, double d[QS_DIMS]) {
  std::memset(d, 0, sizeof(double) * QS_DIMS);
  d[0] = 0.1 * p->h;
  d[1] = 0.1 * p->b_fo;
  d[2] = 0.1 * p->t_w;
  d[3] = 0.1 * p->t_fo;
  switch (p->type) {
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
      if (_Same(p->b_fo, p->b_fu) && _Same(p->t_fo, p->t_fu)) {
        *family = QS_FAMILY_I;
      } else {
        *family = QS_FAMILY_I2;
        d[1] = d[3] = 0.0;
        d[4] = 0.1 * p->b_fo;
        d[5] = 0.1 * p->b_fu;
        d[8] = 0.1 * p->t_fo;
        d[9] = 0.1 * p->t_fu;
      }
      return 1;
    case PROFIL_C: case PROFIL_U: *family = QS_FAMILY_U; return 1;
    case PROFIL_T: case PROFIL_HALF_I: *family = QS_FAMILY_T; return 1;
    case PROFIL_ANGLE: *family = QS_FAMILY_L; return 1;
    case PROFIL_Z:
      *family = QS_FAMILY_Z;
      d[1] = 0.1 * (p->b_fo + p->t_w) / 2;
      return 1;
    default: return 0;
  }
}

// Steps 1 to 5 shared by both routines: 1 when the record is computed.
int _Make(PROFIL *p, bool use_family) {
  _Register_User_Grade(p->grade);
  Set_Querschnitt_Option_Word(0x1E01E);
  Querschnitt_Register_Reset();
  if (!c.initialised) {
    Init_Querschnitt_Record(&c.record);
    c.initialised = 1;
  } else {
    Invalidate_Profil_Section_Cache();
  }
  QUERSCHNITT *q = &c.record;
  const int code = Get_Material_Guete_Code(&p->grade);
  if (p->kind == PROFIL_KIND_LIBRARY) {
    char name[PROFIL_NAME_SIZE];
    std::memcpy(name, p->name, sizeof name);
    name[PROFIL_NAME_SIZE - 1] = '\0';
    Trim_Blanks(name);
    if (!Set_Querschnitt_Profil(q, code, kSecondCode, name)) return 0;
  } else if (p->kind == PROFIL_KIND_PARAMETRIC) {
    int family = 0;
    double d[QS_DIMS];
    if (use_family && _Family_of(p, &family, d)) {
      if (!Set_Querschnitt_Parametric(q, code, kSecondCode, family, 0, d, d)) return 0;
    } else {
      if (DWQB_QImport(q, code, kSecondCode, p)) return 0;
      if (p->type == PROFIL_FLAT || p->type == PROFIL_ROUND) {
        q->part_shape = QS_PARTS_NONE;
      } else if (p->type == PROFIL_CHS) {
        q->part_shape = QS_PARTS_TUBE;
        q->tube_d = 0.1 * p->h;
        q->tube_t = 0.1 * p->t_w;
      }
    }
    // The profile's own shape decides its symmetric webs, as in its class text: an export
    // knows none, and a family takes no joint sizes.
    q->web_shape = Get_Profil_Web_Shape(p);
  } else if (p->kind == PROFIL_KIND_QUER) {
    if (!Set_Querschnitt_Imported(q, code, kSecondCode, p->entry)) return 0;
  }
  return Calc_Querschnitt_Values(q, 0.5, 2);
}

}  // namespace

int Get_Profil_Web_Shape(const PROFIL *p) {
  if (!p || p->kind == PROFIL_KIND_QUER) return QS_WEB_SHAPE_NONE;
  switch (p->type) {
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
      return _Equal_Flanges(p) ? QS_WEB_SHAPE_I : QS_WEB_SHAPE_NONE;
    case PROFIL_C: case PROFIL_U: case PROFIL_Z: case PROFIL_FLAT:
      return QS_WEB_SHAPE_CHANNEL;
    case PROFIL_RHS:
      return QS_WEB_SHAPE_BOX;
    case PROFIL_BOX:
      return _Equal_Flanges(p) ? QS_WEB_SHAPE_BOX : QS_WEB_SHAPE_NONE;
    default:
      return QS_WEB_SHAPE_NONE;
  }
}

void Reset_Querschnitt_Check_Sections() {
  // The record's tables go and its hold on an imported entry with them: an entry stays
  // alive while held, also when the section catalogue's reset ran first.
  if (c.initialised) Free_Querschnitt_Record(&c.record);
  c = CheckState{};
}

QUERSCHNITT *Build_Profil_Stress_Section(PROFIL *profil, int export_a, int export_b) {
  if (!profil) return nullptr;
  if (profil->kind == PROFIL_KIND_QUER && profil->model_kind != 0) return nullptr;
  return _Make(profil, export_a == 0 && export_b == 0) ? &c.record : nullptr;
}

int Build_Profil_Plate_Section(PROFIL *profil, double f1, double f2, double f3, double f4, double f5, double f6,
                               double f7, double f8, double *out1, double *out2, double *out3, double *out4) {
  for (double *o : {out1, out2, out3, out4})
    if (o) *o = 0.0;
  bool any = false;
  for (double f : {f1, f2, f3, f4, f5, f6, f7, f8})
    if (std::fabs(f) >= 0.001) any = true;
  if (!any) return 0;
  if (!profil || (profil->kind == PROFIL_KIND_QUER && profil->model_kind != 0)) return 1;
  if (!_Make(profil, true)) return 1;
  Calc_Profil_Point_Stresses(f1, f4, f5, f6 * 100, f2 * 100, f3 * 100, f7 * 100, f8 * 10000);
  const QUERSCHNITT &q = c.record;
  if (out1) *out1 = 10 * q.extreme[QS_EX_SIGMA_MAX];
  if (out2) *out2 = 10 * q.extreme[QS_EX_SIGMA_MIN];
  if (out3) *out3 = 10 * q.extreme[QS_EX_TAU_MAX];
  if (out4) *out4 = q.n_points > 0 ? q.points[0] : 0.0;
  return 0;
}
