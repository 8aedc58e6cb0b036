// profil/profil_record.cpp — the profile record: reset, copy, comparison, symmetry,
// shape groups, fillet sizes, plate thickness bounds, taper angle, the torsion constants
// of a solid rectangle, the grade code of a profile's grade and the start of the
// profile library.
#include <cmath>
#include <cstring>

#include "dwqb/dwqb.h"
#include "host/host.h"
#include "profil/profil.h"
#include "profil/profil_state.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

ProfilState g;

// Comparison tolerance of Compare_Profil (shared with the library check of a read).
constexpr double kTol = kProfilCompareTolerance;

// Labels of the shape types, 10 characters each, blank-padded.
const char *const kTypeNames[PROFIL_TYPE_COUNT] = {
    "Default   ", "Flachstahl", "Rundstahl ", "L-Profil  ",  "I-Profil  ", "H-Profil  ",
    "C-Profil  ", "DIL-Profil", "Rechteck  ", "Rohr      ",  "S-Profil  ", "T-Profil  ",
    "U-Profil  ", "W-Profil  ", "Z-Profil  ", "½I-Profil "_cp, "Hohlkasten", "Trapez    ",
};

int _Group_of_Type(int type) {
  switch (type) {
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W: return 4;
    case PROFIL_T: case PROFIL_HALF_I: return 11;
    case PROFIL_C: case PROFIL_U: return 12;
    case PROFIL_RHS: case PROFIL_CHS: return 9;
    default: return type;
  }
}

int _Agree(double a, double b) { return std::fabs(a - b) <= kTol; }

// Length of a name without its trailing blanks (the name field need not be terminated).
std::size_t _Name_Length(const char *name) {
  std::size_t n = strnlen(name, PROFIL_NAME_SIZE);
  while (n > 0 && name[n - 1] == ' ') --n;
  return n;
}

// Entries of an array that can be read: its count, or none when the array is missing.
int _Count(int count, const void *array) { return array && count > 0 ? count : 0; }

int _Same_Name(const char *a, const char *b) {
  const std::size_t na = _Name_Length(a), nb = _Name_Length(b);
  return na == nb && std::memcmp(a, b, na) == 0;
}

template <class T>
T *_Copy_Array(const T *source, int count) {
  if (count <= 0 || !source) return nullptr;
  T *copy = static_cast<T *>(MEM_CALLOC(static_cast<std::size_t>(count), sizeof(T)));
  if (!copy) Exit_Memory_Exhausted();
  std::memcpy(copy, source, static_cast<std::size_t>(count) * sizeof(T));
  return copy;
}

}  // namespace

ProfilState &Profil_State() {
  Host_Register_Reset(&Reset_Profil_Module_For_Tests);  // Host_Reset brings the switches back
  return g;
}

const char *Get_Profil_Type_Name(int type) {
  if (type < 0 || type >= PROFIL_TYPE_COUNT) return nullptr;
  return kTypeNames[type];
}

// ---------------------------------------------------------------- library start
int Init_Profil_Library(PROFIL_LIBREF *libref) {
  if (!g.lib_initialised) {
    Host_Register_Reset(&Reset_Profil_Module_For_Tests);
    g.lib_initialised = 1;
    Enable_Profilmanager();
    g.lib_available = Is_Profilmanager_Available();
    DWQB_Part_Mode_Switch = 1;
    DWQB_Wall_Terms_Switch = 1;
    Enable_QUER_Import();
  }
  if (libref) {
    libref->name[0] = '\0';
    Pad_With_Blanks(libref->name, PROFIL_NAME_SIZE);
    libref->entry = nullptr;
  }
  return g.lib_available;
}

void Reset_Profil_Module_For_Tests() { g = ProfilState{}; }

// ---------------------------------------------------------------- reset and copy
void Reset_Profil(PROFIL *p) {
  if (!p) return;
  // The record releases what it holds: its arrays and its reference on the entry.
  MEM_FREE(p->nodes);
  MEM_FREE(p->lines);
  Add_QImport_Reference(p->entry, -1);
  *p = PROFIL{};
  Reset_Material_Data(&p->grade);
  p->lib_available = Init_Profil_Library(nullptr);
  Pad_With_Blanks(p->name, PROFIL_NAME_SIZE);
}

void Copy_Profil(const PROFIL *src, PROFIL *dst) {
  if (!dst || src == dst) return;
  Reset_Profil(dst);
  if (!src) return;
  const int lib_available = dst->lib_available;  // the present state, not the source's
  *dst = *src;
  dst->lib_available = lib_available;
  dst->name[PROFIL_NAME_SIZE - 1] = '\0';
  Copy_Material_Data(&src->grade, &dst->grade);
  // New arrays with every value, arcs included, so that the copy draws as the original.
  dst->node_count = _Count(src->node_count, src->nodes);
  dst->line_count = _Count(src->line_count, src->lines);
  dst->nodes = _Copy_Array(src->nodes, dst->node_count);
  dst->lines = _Copy_Array(src->lines, dst->line_count);
  Add_QImport_Reference(dst->entry, +1);
}

// ---------------------------------------------------------------- comparison
int Compare_Profil(const PROFIL *a, const PROFIL *b) {
  if (!a || !b || a->kind != b->kind) return 0;
  if (a->kind == PROFIL_KIND_PARAMETRIC || a->kind == PROFIL_KIND_LIBRARY) {
    if (a->type != b->type || !_Same_Name(a->name, b->name)) return 0;
    if (!_Agree(a->h, b->h) || !_Agree(a->t_w, b->t_w) || !_Agree(a->b_fo, b->b_fo) ||
        !_Agree(a->t_fo, b->t_fo) || !_Agree(a->b_fu, b->b_fu) || !_Agree(a->t_fu, b->t_fu) ||
        !_Agree(a->ue_o, b->ue_o) || !_Agree(a->ue_u, b->ue_u))
      return 0;
    if (a->rolled != b->rolled) return 0;
    if (a->rolled) {
      if (!_Agree(a->r, b->r) || !_Agree(a->r_2, b->r_2)) return 0;
    } else {
      if (!_Agree(a->a_o, b->a_o) || !_Agree(a->a_u, b->a_u) || a->through_o != b->through_o ||
          a->through_u != b->through_u)
        return 0;
    }
    if (a->hot_finished != b->hot_finished) return 0;
  }
  if (!Compare_Material_Data(&a->grade, &b->grade)) return 0;
  if (a->kind == PROFIL_KIND_QUER) {
    const int nodes = _Count(a->node_count, a->nodes), lines = _Count(a->line_count, a->lines);
    if (a->model_kind != b->model_kind || nodes != _Count(b->node_count, b->nodes) ||
        lines != _Count(b->line_count, b->lines) || a->obj_a != b->obj_a || a->obj_b != b->obj_b)
      return 0;
    for (int k = 0; k < nodes; ++k) {
      const PROFIL_NODE &na = a->nodes[k], &nb = b->nodes[k];
      if (na.number != nb.number || na.polygon != nb.polygon || !_Agree(na.y, nb.y) ||
          !_Agree(na.z, nb.z))
        return 0;
    }
    for (int k = 0; k < lines; ++k) {
      const PROFIL_LINE &la = a->lines[k], &lb = b->lines[k];
      if (la.number != lb.number || la.p_a != lb.p_a || la.p_e != lb.p_e || !_Agree(la.d_a, lb.d_a) ||
          !_Agree(la.d_e, lb.d_e) || !_Agree(la.r_al, lb.r_al) || !_Agree(la.r_ar, lb.r_ar) ||
          !_Agree(la.r_el, lb.r_el) || !_Agree(la.r_er, lb.r_er))
        return 0;
    }
    for (int k = 0; k < PROFIL_IMPORTED_COUNT; ++k)
      if (!_Agree(a->imported[k], b->imported[k])) return 0;
  }
  return 1;
}

// ---------------------------------------------------------------- shape rules
void Symmetrize_Profil(PROFIL *p) {
  if (!p || p->kind != PROFIL_KIND_PARAMETRIC) return;
  if (_Group_of_Type(p->type) == 4 || p->type == PROFIL_BOX) {
    p->b_fu = p->b_fo;
    p->t_fu = p->t_fo;
    if (!p->rolled) p->a_u = p->a_o;
  } else if (p->type == PROFIL_ANGLE || p->type == PROFIL_TRAPEZ) {
    p->t_fo = p->t_fu = p->t_w;
  }
}

int Is_Profil_Type_in_Group(int group, int type) { return _Group_of_Type(type) == group ? 1 : 0; }

void Get_Profil_Fillet_Sizes(const PROFIL *p, double *top, double *bottom, double *second) {
  double t = 0.0, b = 0.0, s = 0.0;
  if (p && p->kind != PROFIL_KIND_QUER) {
    if (p->rolled) {
      t = p->r;
      b = p->r;
      s = p->r_2;
    } else {
      t = p->through_o ? 0.0 : p->a_o * std::sqrt(2.0);  // the fillet weld's leg
      b = p->through_u ? 0.0 : p->a_u * std::sqrt(2.0);
    }
    switch (p->type) {
      case PROFIL_FLAT: case PROFIL_ROUND: case PROFIL_CHS:
        t = b = s = 0.0;
        break;
      case PROFIL_ANGLE: case PROFIL_C: case PROFIL_U:
        b = 0.0;
        if (!p->rolled) t = 0.0;
        break;
      case PROFIL_RHS:
        if (!p->rolled) t = b = s = 0.0;
        break;
      case PROFIL_T: case PROFIL_HALF_I:
        b = 0.0;
        break;
      case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
        // A fillet that does not fit on its flange is dropped.
        if (2 * t + p->t_w > p->b_fo) t = 0.0;
        if (2 * b + p->t_w > p->b_fu) b = 0.0;
        break;
      case PROFIL_BOX: case PROFIL_TRAPEZ:
        t = b = 0.0;
        break;
      default:
        break;
    }
  }
  if (top) *top = t;
  if (bottom) *bottom = b;
  if (second) *second = s;
}

static double _Thickness_Bound(const PROFIL *p, int largest) {
  if (!p || p->kind == PROFIL_KIND_QUER) return 0.0;
  auto pick = [largest](double a, double b) { return largest ? std::fmax(a, b) : std::fmin(a, b); };
  switch (p->type) {
    case PROFIL_FLAT: return std::fmin(p->h, p->t_w);
    case PROFIL_ROUND: return p->h;
    case PROFIL_CHS: return p->t_w;
    case PROFIL_ANGLE: case PROFIL_C: case PROFIL_RHS: case PROFIL_T: case PROFIL_U:
    case PROFIL_Z: case PROFIL_HALF_I: case PROFIL_TRAPEZ:
      return pick(p->t_w, p->t_fo);
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W: case PROFIL_BOX:
      return pick(pick(p->t_fu, p->t_fo), p->t_w);
    default:
      return 0.0;
  }
}

double Get_Profil_Max_Thickness(const PROFIL *p) { return _Thickness_Bound(p, 1); }
double Get_Profil_Min_Thickness(const PROFIL *p) { return _Thickness_Bound(p, 0); }

double Get_Profil_Taper_Angle(const PROFIL *p) {
  if (!p || (p->type != PROFIL_BOX && p->type != PROFIL_TRAPEZ)) return 0.0;
  if (std::fabs(p->b_fu - p->b_fo) <= 0.001) return 0.0;
  const double H = p->type == PROFIL_BOX ? p->h - p->t_fo - p->t_fu : p->h;
  return std::atan2((p->b_fu - p->b_fo) / 2, H);
}

// ---------------------------------------------------------------- solid rectangle
double Calc_Rectangle_Torsion_Constants(double a, double b, double *wt) {
  // Saint-Venant torsion of a solid L × S rectangle, q = L/S ≥ 1, both coefficients
  // smooth over q (no table with a jump to 1/3 at its end):
  //  β = (1/3)(1 − 0.630/q + 0.052/q⁵), the series approximation of the torsion constant
  //    (Roark, Formulas for Stress and Strain, 7th ed., table 10.7 case 4; within 0.5 %
  //    of the exact series for every q ≥ 1);
  //  α from the maximum shear stress of the same table, τ = T/(α L S²) with
  //    1/α = 3 (1 + 0.6095 s + 0.8865 s² − 1.8023 s³ + 0.9100 s⁴), s = 1/q
  //    (0.208 for the square, towards 1/3 for a thin strip).
  if (a < 0.001 || b < 0.001) return 0.0;
  const double L = std::fmax(a, b), S = std::fmin(a, b), q = L / S, s = 1.0 / q;
  const double beta = (1.0 - 0.630 * s + 0.052 * std::pow(s, 5)) / 3.0;
  const double alpha = 1.0 / (3.0 * (1.0 + s * (0.6095 + s * (0.8865 + s * (-1.8023 + s * 0.9100)))));
  if (wt) *wt = alpha * L * S * S;
  return beta * L * S * S * S;
}

double Calc_Trapezoid_Area(double a, double b, double c) {
  return c > b + 0.001 ? a * (b + c) / 2 : a * b;
}

// ---------------------------------------------------------------- grade code
void Set_Profil_User_Grade_Slot(int family, int row) {
  if (family == MATERIAL_FAMILY_EC_STEEL) g.user_slot_ec = row;
  if (family == MATERIAL_FAMILY_DIN_STEEL) g.user_slot_din = row;
}

int Get_Profil_User_Grade_Slot(int family) {
  if (family == MATERIAL_FAMILY_EC_STEEL) return g.user_slot_ec;
  if (family == MATERIAL_FAMILY_DIN_STEEL) return g.user_slot_din;
  return -1;
}

int Get_Material_Guete_Code(const MATERIAL *m) {
  if (!m) return -1;
  if (m->family == MATERIAL_FAMILY_EC_STEEL) {
    // Row 26 of the Eurocode list is the user's own grade.
    if (m->user_values || m->grade == 26) return 0x18000 | (g.user_slot_ec & 0xFFFF);
    const int row = Get_Stguete_Code_of_Grade(m->grade);
    return row < 0 ? -1 : 0x10000 | row;
  }
  if (m->family == MATERIAL_FAMILY_DIN_STEEL) {
    if (m->user_values) return (g.user_slot_din & 0xFFFF) | 0x8000;
    const int row = Get_Stguete_Code_of_Grade(m->grade);
    return row < 0 ? -1 : row & 0xFFFF;
  }
  return -1;
}
