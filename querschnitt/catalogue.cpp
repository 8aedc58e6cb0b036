// querschnitt/catalogue.cpp — section records of the catalogue: library, family and
// imported sections, their thin-walled model in the solver, the check-data view, the
// stress points with their stresses, and the plate parts of the c/t check.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>

#include "dwqb/dwqb.h"
#include "dwqb/dwqb_stress.h"
#include "profil/profil.h"
#include "querschnitt/querschnitt.h"
#include "querschnitt/querschnitt_internal.h"
#include "sections/sections.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

constexpr int kCacheKey = 1;          // key of the catalogue's model in the section cache
constexpr double kLeastArea = 0.001;  // cm²

struct CatalogueState {
  unsigned option_word = 0x1E;
  const QUERSCHNITT *cache_record = nullptr;
  double cache_factor = 0.0;
  const QUERSCHNITT *current = nullptr;  // last computed in mode 2
  double forces[8] = {};
  int builds = 0;
};
CatalogueState g;

CatalogueState &_State() {
  Querschnitt_Register_Reset();
  return g;
}

// Header type of a family (the plate-model table of the partial internal forces method).
int _Family_Type(int family) {
  switch (family) {
    case QS_FAMILY_I: return 1;
    case QS_FAMILY_U: return 3;
    case QS_FAMILY_T: return 2;
    case QS_FAMILY_L: return 5;
    case QS_FAMILY_Z: return 6;
    case QS_FAMILY_I2: return 13;
    default: return 0;
  }
}

// The symmetric webs of a library profile by its type (Get_Profil_Typ): rolled shapes agree
// top and bottom.
int _Library_Web_Shape(int type) {
  switch (type) {
    case 1: return QS_WEB_SHAPE_I;
    case 3: case 6: return QS_WEB_SHAPE_CHANNEL;
    case 4: return QS_WEB_SHAPE_BOX;
    default: return QS_WEB_SHAPE_NONE;
  }
}

// The symmetric webs of a family at its start and end dimensions: those of its shape type,
// and for the I of two flanges an I only where the flanges agree at both ends.
int _Family_Web_Shape(int family, const double *start, const double *end) {
  if (family != QS_FAMILY_I2) return _Library_Web_Shape(_Family_Type(family));
  for (const double *d : {start, end})
    if (std::fabs(d[4] - d[5]) > 1e-6 || std::fabs(d[8] - d[9]) > 1e-6) return QS_WEB_SHAPE_NONE;
  return QS_WEB_SHAPE_I;
}

// Roles of the internal parts among the record's symmetric webs: along z (the model's
// depth) its webs, along y the flanges of a box; each part of a role gets the c·t of all
// parts of that role.
void _Mark_Webs(QUERSCHNITT *q) {
  double area[4] = {};
  for (int k = 0; k < q->n_parts; ++k) {
    QS_PLATE_PART &pp = q->parts[k];
    pp.web = QS_WEB_NONE;
    pp.A_web = 0.0;
    if (pp.kind != 2 || q->web_shape == QS_WEB_SHAPE_NONE) continue;
    const DWQB_LINE *L = Find_DWQB_Line_Record(pp.line);
    if (!L || !L->node_a || !L->node_b) continue;
    const double dy = std::fabs(L->node_b->y - L->node_a->y), dz = std::fabs(L->node_b->z - L->node_a->z);
    if (dz > dy) pp.web = QS_Web_Role(q->web_shape, true);
    else if (dy > dz) pp.web = QS_Web_Role(q->web_shape, false);
    area[pp.web] += pp.c * pp.t;
  }
  for (int k = 0; k < q->n_parts; ++k)
    if (q->parts[k].web != QS_WEB_NONE) q->parts[k].A_web = area[q->parts[k].web];
}

void _Clear_Results(QUERSCHNITT *q) {
  q->n_lines = q->n_points = q->n_outline = q->n_parts = 0;
  for (int k = 0; k < QS_EX_COUNT; ++k) {
    q->extreme[k] = 0.0;
    q->extreme_point[k] = 0;
  }
  if (_State().current == q) g.current = nullptr;
}

void _Forget_Cache(const QUERSCHNITT *q) {
  if (g.cache_record == q) g.cache_record = nullptr;
  if (g.current == q) g.current = nullptr;
}

// Header, name record and shape floats of the view; the value block cleared.
void _Fill_View(QUERSCHNITT *q, const double *d) {
  QS_CHECK_VIEW &v = q->view;
  std::memset(&v, 0, sizeof v);
  v.record = q;
  v.header.grade_row = q->grade_code < 0 ? -1 : (q->grade_code & 0xFFFF);
  v.header.grade_kind = q->grade_code >= 0 && (q->grade_code >> 16) == 1 ? 1 : 0;
  std::memset(v.name, ' ', 4);
  v.name[4] = '\0';
  v.header.type = q->type;
  if (q->kind == QS_KIND_LIBRARY) {
    v.header.catalogue = Get_Profil_Data(q->name, nullptr, nullptr);
    std::snprintf(v.name + 4, sizeof v.name - 4, "%s", q->name);
  } else if (q->kind == QS_KIND_FAMILY && d) {
    if (q->family == QS_FAMILY_I2) {
      const int from[6] = {0, 8, 9, 2, 4, 5};
      for (int k = 0; k < 6; ++k) v.shape[k] = static_cast<float>(d[from[k]]);
    } else {
      for (int k = 0; k < 4; ++k) v.shape[k] = static_cast<float>(d[k]);
    }
  }
}

// The welded profile of a family at the dimensions d (cm).
void _Family_Profil(int family, const double *d, PROFIL *p) {
  Reset_Profil(p);
  p->kind = PROFIL_KIND_PARAMETRIC;
  p->rolled = 0;
  const double h = 10 * d[0], b = 10 * d[1], tw = 10 * d[2], tf = 10 * d[3];
  p->h = h;
  p->t_w = tw;
  p->b_fo = p->b_fu = b;
  p->t_fo = p->t_fu = tf;
  switch (family) {
    case QS_FAMILY_I: p->type = PROFIL_I; break;
    case QS_FAMILY_U: p->type = PROFIL_U; break;
    case QS_FAMILY_T: p->type = PROFIL_T; break;
    case QS_FAMILY_L: p->type = PROFIL_ANGLE; break;
    case QS_FAMILY_Z:
      p->type = PROFIL_Z;
      p->b_fo = p->b_fu = 2 * b - tw;
      break;
    case QS_FAMILY_I2:
      p->type = PROFIL_I;
      p->b_fo = 10 * d[4];
      p->b_fu = 10 * d[5];
      p->t_fo = 10 * d[8];
      p->t_fu = 10 * d[9];
      break;
    default: break;
  }
}

// The imported line model into the solver (take-over frame, cm). 0 or a fault (1 for an
// entry without a line model).
int _Build_Imported(QIMPORT_ENTRY *entry) {
  PROFIL p{};
  Reset_Profil(&p);
  p.kind = PROFIL_KIND_QUER;
  p.entry = entry;
  Add_QImport_Reference(entry, +1);
  int rc = Set_Profil_from_QImport(&p, 0);
  if (rc == 0 && (p.model_kind != 0 || p.line_count < 1 || p.node_count < 1)) rc = 1;
  if (rc == 0) {
    Reset_DWQB_Querschnitt();
    Get_DWQB_Header()->options |= DWQB_OPT_PART_MODE;
    for (int i = 0; i < p.node_count; ++i) Add_DWQB_Node(p.nodes[i].number, 0.1 * p.nodes[i].y, 0.1 * p.nodes[i].z);
    for (int i = 0; i < p.line_count; ++i) {
      const PROFIL_LINE &l = p.lines[i];
      // The line's s is the rise of its arc at the middle in mm, like its thickness: the
      // exchange file carries it in cm (the export writes the model's rise there).
      const double v[9] = {l.d_a, l.d_e, l.s, 0, 0, l.r_al, l.r_ar, l.r_el, l.r_er};
      Add_Profil_DWQB_Line(l.number, l.p_a, l.p_e, v);
    }
    rc = Calc_DWQB_Querschnitt();
  }
  Reset_Profil(&p);
  return rc;
}

// Copies the output tables into the record's stress points and plate parts.
void _Take_Points_And_Parts(QUERSCHNITT *q) {
  if (List_DWQB_Section() != 0 || Calc_DWQB_Output_Points() != 0 || Set_DWQB_Output_Line_Table() != 0) return;
  const DWQB_OUTPUT_TABLES *T = Get_DWQB_Output_Tables();
  const DWQB_HEADER *h = Get_DWQB_Header();
  const int n_lines = h->n_listed_lines, n_points = n_lines * 33;
  // The outline points: the nodes of the outline triangulation of every line (those of
  // centre-line parts too), load point at the centroid, bending frame y/z, warping about
  // the shear centre.
  DWQB_TRI_PARAMS params = DWQB_TRI_DEFAULT_PARAMS;
  params.options |= 1;
  DWQB_OUTLINE_TRIANGULATION *tri = Calc_DWQB_OUTLINE_TRIANGULATION(
      DWQB_FRAME_CENTROID, 0, 0, DWQB_ANGLE_Y, 0, DWQB_FRAME_SHEAR_CENTRE, 0, 0, &params);
  const int n_outline = tri ? tri->n_nodes : 0;
  if (n_points + n_outline > q->cap_points) {
    q->points = static_cast<double *>(
        Tools_Alloc(q->points, sizeof(double) * QS_PT_COUNT * (n_points + n_outline), 0));
    q->cap_points = n_points + n_outline;
  }
  static const int kFrom[7] = {DWQB_OP_Y, DWQB_OP_Z, DWQB_OP_INV_A, DWQB_OP_C1, DWQB_OP_C2, DWQB_OP_TAU_VY,
                               DWQB_OP_TAU_VZ};
  for (int p = 0; p < n_points; ++p) {
    double *r = q->points + p * QS_PT_COUNT;
    for (int k = 0; k < 7; ++k) r[k] = T->point[kFrom[k]][p];
    // Torsion and warping at the point as the outline points have them.
    DWQB_POINT_VALUES pv;
    const int nr = h->listed_lines[p / 33].nr;
    if (!Calc_DWQB_Line_Point_Values(nr, r[QS_PT_Y], r[QS_PT_Z], DWQB_PV_NO_NORMAL, DWQB_FRAME_CENTROID, 0, 0,
                                     DWQB_ANGLE_Y, 0, DWQB_FRAME_SHEAR_CENTRE, 0, 0, &pv))
      std::memset(pv.c, 0, sizeof pv.c);
    r[QS_PT_TAU_T] = pv.c[DWQB_C_TT];
    r[QS_PT_C_B] = pv.c[DWQB_C_B];
    r[QS_PT_TAU_W] = pv.c[DWQB_C_TW];
  }
  // The nodes' coefficients of M_y, M_z turned into those of the principal moments:
  // c_1 = c_My cos α + c_Mz sin α, c_2 = c_Mz cos α − c_My sin α.
  const double ca = std::cos(q->values[DWQB_V_ALPHA]), sa = std::sin(q->values[DWQB_V_ALPHA]);
  for (int i = 0; i < n_outline; ++i) {
    const DWQB_TRI_NODE &n = tri->nodes[i];
    double *r = q->points + (n_points + i) * QS_PT_COUNT;
    const double v[QS_PT_COUNT] = {n.y,
                                   n.z,
                                   n.c[DWQB_C_N],
                                   n.c[DWQB_C_MY] * ca + n.c[DWQB_C_MZ] * sa,
                                   n.c[DWQB_C_MZ] * ca - n.c[DWQB_C_MY] * sa,
                                   n.c[DWQB_C_VY],
                                   n.c[DWQB_C_VZ],
                                   n.c[DWQB_C_TT],
                                   n.c[DWQB_C_B],
                                   n.c[DWQB_C_TW]};
    std::memcpy(r, v, sizeof v);
  }
  Free_DWQB_OUTLINE_TRIANGULATION(tri);
  q->n_lines = n_lines;
  q->n_points = n_points;
  q->n_outline = n_outline;
  if (n_lines > q->cap_walls) {
    q->walls = static_cast<double *>(Tools_Alloc(q->walls, sizeof(double) * QS_WALL_COUNT * n_lines, 1));
    q->cap_walls = n_lines;
  }
  for (int i = 0; i < n_lines; ++i) {
    const DWQB_LINE *L = Find_DWQB_Line_Record(h->listed_lines[i].nr);
    double *w = q->walls + i * QS_WALL_COUNT;
    for (int k = 0; k < QS_WALL_COUNT; ++k) w[k] = 0.0;
    if (!L || !L->node_a || !L->node_b) continue;  // no wall: zero length and thickness
    w[QS_WALL_YA] = L->node_a->y, w[QS_WALL_ZA] = L->node_a->z;
    w[QS_WALL_YB] = L->node_b->y, w[QS_WALL_ZB] = L->node_b->z;
    w[QS_WALL_TA] = L->t_a, w[QS_WALL_TB] = L->t_b;
  }

  if (q->part_shape == QS_PARTS_NONE) return;
  const int want = q->part_shape == QS_PARTS_TUBE ? 1 : n_lines;
  if (want > q->cap_parts) {
    q->parts = static_cast<QS_PLATE_PART *>(Tools_Alloc(q->parts, sizeof(QS_PLATE_PART) * want, 1));
    q->cap_parts = want;
  }
  if (q->part_shape == QS_PARTS_TUBE) {
    QS_PLATE_PART &pp = q->parts[0];
    pp = QS_PLATE_PART{};
    pp.kind = -1;
    pp.c = q->tube_d;
    pp.t = q->tube_t;
    pp.ct = std::max(1.0, q->tube_t > 0 ? q->tube_d / q->tube_t : 1.0);
    q->n_parts = 1;
    return;
  }
  for (int i = 0; i < n_lines; ++i) {
    if (T->kind[i] == -2) continue;
    const int nr = h->listed_lines[i].nr;
    double b = 0.0, t = 0.0;
    int rev_a = 0;
    Get_DWQB_Line_Output_Words(nr, nullptr, nullptr, &rev_a, nullptr, nullptr, nullptr, nullptr, &b, &t);
    QS_PLATE_PART &pp = q->parts[q->n_parts++];
    pp = QS_PLATE_PART{};
    pp.kind = T->kind[i];
    pp.ct = std::max(1.0, T->ratio[i]);
    pp.c = b;
    pp.t = t;
    pp.line = nr;
    pp.list_pos = i;
    const DWQB_LINE *L = Find_DWQB_Line_Record(nr);
    const bool rev = rev_a == 1;
    const DWQB_NODE *na = L ? (rev ? L->node_b : L->node_a) : nullptr;
    const DWQB_NODE *nb = L ? (rev ? L->node_a : L->node_b) : nullptr;
    pp.node_a = na ? na->nr : 0;
    pp.node_b = nb ? nb->nr : 0;
    // The cuts are shares of the plate's length from its first and from its second end.
    pp.s_a = rev ? 1.0 - 2.0 * T->value_a[i] : -1.0 + 2.0 * T->value_a[i];
    pp.s_b = rev ? -1.0 + 2.0 * T->value_b[i] : 1.0 - 2.0 * T->value_b[i];
  }
  _Mark_Webs(q);
}

// A library tee's walls follow its sloped faces, but its plate parts are classified as its
// nominal plates: EN 1993-1-1 Table 5.2 takes the nominal thickness, so each part keeps the
// c and t of the parallel plates, the flange's outstands c_fo × t_fo and the stem d_w × t_w,
// and its cut at the root lies c from its free end (the toe, the stem's tip), where the
// nominal plate ends.
void _Nominal_Tee_Parts(QUERSCHNITT *q, PROFIL *p) {
  if (!(Get_Profil_Tee_Slope(p, nullptr, nullptr) > 0.0) || !q->walls) return;
  Calc_Profil_Plate_Widths(p);
  for (int i = 0; i < q->n_parts; ++i) {
    QS_PLATE_PART &pp = q->parts[i];
    if (pp.list_pos < 0 || pp.list_pos >= q->n_lines) continue;
    const double *w = q->walls + pp.list_pos * QS_WALL_COUNT;
    const double dy = w[QS_WALL_YB] - w[QS_WALL_YA], dz = w[QS_WALL_ZB] - w[QS_WALL_ZA], L = std::hypot(dy, dz);
    if (!(L > 0.0)) continue;
    const bool stem = std::fabs(dz) > std::fabs(dy);
    pp.c = 0.1 * (stem ? p->d_w : p->c_fo);
    pp.t = 0.1 * (stem ? p->t_w : p->t_fo);
    pp.ct = std::max(1.0, pp.c / pp.t);
    const double ds = 2 * pp.c / L;  // c in line parameters; a free end is uncut, at s = ±1
    if (std::fabs(pp.s_a) == 1.0)
      pp.s_b = pp.s_a + (pp.s_b > pp.s_a ? ds : -ds);
    else
      pp.s_a = pp.s_b + (pp.s_a > pp.s_b ? ds : -ds);
  }
}

// Normal stress on the centre line of listed line i at parameter s (stations linear) under
// N, M_I, M_II and B (m[0..3]).
double _Centre_Stress(const QUERSCHNITT *q, int line_index, double s, const double *m) {
  double x = (std::clamp(s, -1.0, 1.0) + 1.0) / 0.2;
  int k = std::min(9, static_cast<int>(x));
  const double f = x - k;
  const double *p0 = q->points + (3 * (11 * line_index + k)) * QS_PT_COUNT;
  const double *p1 = q->points + (3 * (11 * line_index + k + 1)) * QS_PT_COUNT;
  double sig[2];
  for (int j = 0; j < 2; ++j) {
    const double *p = j ? p1 : p0;
    sig[j] = p[QS_PT_INV_A] * m[0] + p[QS_PT_C1] * m[1] + p[QS_PT_C2] * m[2] + p[QS_PT_C_B] * m[3];
  }
  return sig[0] + f * (sig[1] - sig[0]);
}

}  // namespace

// ---------------------------------------------------------------- state
void Reset_Querschnitt_Catalogue() {
  Reset_Querschnitt_Check_Sections();
  g = CatalogueState{};
}
int Get_Querschnitt_Build_Count() { return g.builds; }
void Set_Querschnitt_Option_Word(unsigned word) { _State().option_word = word; }
unsigned Get_Querschnitt_Option_Word() { return g.option_word; }

// ---------------------------------------------------------------- view accessors
CHECK_SLOT *Get_Check_Slot(QS_CHECK_VIEW *view) { return view ? &view->values.slot : nullptr; }
float Get_Check_Frame_Value(const QS_CHECK_VIEW *view) { return view ? view->values.slot.data[2] : 0.0f; }
float Get_Check_Limit_Input(const QS_CHECK_VIEW *view, int index) {
  return view && index >= 0 && index < 3 ? view->values.slot.data[3 + index] : 0.0f;
}
float Get_Check_Shape_Factor(const QS_CHECK_VIEW *view, int axis) {
  return view && (axis == 0 || axis == 1) ? view->values.slot.data[14 + axis] : 0.0f;
}

// ---------------------------------------------------------------- record operations
void Free_Querschnitt_Record(QUERSCHNITT *q) {
  if (!q) return;
  _Forget_Cache(q);
  Tools_Free(&q->points);
  Tools_Free(&q->parts);
  Tools_Free(&q->walls);
  q->cap_points = q->cap_parts = q->cap_walls = q->n_points = q->n_outline = q->n_parts = q->n_lines = 0;
  if (q->entry) Add_QImport_Reference(q->entry, -1);
  q->entry = nullptr;
}

void Init_Querschnitt_Record(QUERSCHNITT *q) {
  if (!q) return;
  Free_Querschnitt_Record(q);
  *q = QUERSCHNITT{};
  q->grade_code = q->second_code = -1;
  q->factor = 0.5;
  _Fill_View(q, nullptr);
}

// The common part of the setters: the old content (entry, cache) goes.
static void _Set_Common(QUERSCHNITT *q, int kind, int grade_code, int second_code) {
  _Forget_Cache(q);
  if (q->entry) Add_QImport_Reference(q->entry, -1);
  q->entry = nullptr;
  q->kind = kind;
  q->grade_code = grade_code;
  q->second_code = second_code;
  q->name[0] = '\0';
  q->family = q->tapered = 0;
  std::memset(q->dims_start, 0, sizeof q->dims_start);
  std::memset(q->dims_end, 0, sizeof q->dims_end);
  q->computed = 0;
  q->part_shape = QS_PARTS_PLATES;
  q->web_shape = QS_WEB_SHAPE_NONE;
  q->tube_d = q->tube_t = 0.0;
  _Clear_Results(q);
}

int Set_Querschnitt_Profil(QUERSCHNITT *q, int grade_code, int second_code, const char *name) {
  if (!q || !name) return 0;
  char trimmed[64];
  if (std::strlen(name) >= sizeof trimmed) return 0;
  std::strcpy(trimmed, name);
  Trim_Blanks(trimmed);
  if (std::strlen(trimmed) > 36 || !trimmed[0]) return 0;
  float values[35];
  if (Get_Profil_Data(trimmed, values, nullptr) <= 0) return 0;
  _Set_Common(q, QS_KIND_LIBRARY, grade_code, second_code);
  std::strcpy(q->name, trimmed);
  q->type = Get_Profil_Typ(trimmed);
  q->web_shape = _Library_Web_Shape(q->type);
  if (q->type == 7) {
    q->part_shape = QS_PARTS_TUBE;
    q->tube_d = values[0];
    q->tube_t = values[2];
  } else if (q->type == 11 || q->type == 12) {
    q->part_shape = QS_PARTS_NONE;
  }
  _Fill_View(q, nullptr);
  return 1;
}

int Set_Querschnitt_Parametric(QUERSCHNITT *q, int grade_code, int second_code, int family, int tapered,
                               const double *start, const double *end) {
  if (!q || !start || _Family_Type(family) == 0) return 0;
  _Set_Common(q, QS_KIND_FAMILY, grade_code, second_code);
  q->family = family;
  q->tapered = tapered;
  for (int k = 0; k < QS_DIMS; ++k) {
    q->dims_start[k] = start[k];
    q->dims_end[k] = end ? end[k] : start[k];
  }
  q->type = _Family_Type(family);
  q->web_shape = _Family_Web_Shape(family, q->dims_start, q->dims_end);
  _Fill_View(q, q->dims_start);
  return 1;
}

int Set_Querschnitt_Imported(QUERSCHNITT *q, int grade_code, int second_code, QIMPORT_ENTRY *entry) {
  if (!q || !entry) return 0;
  Add_QImport_Reference(entry, +1);  // first: the new entry may be the old one
  _Set_Common(q, QS_KIND_IMPORTED, grade_code, second_code);
  q->entry = entry;
  q->type = QS_TYPE_IMPORTED;
  _Fill_View(q, nullptr);
  return 1;
}

// ---------------------------------------------------------------- computation
int Calc_Querschnitt_Values(QUERSCHNITT *q, double factor, int mode) {
  if (!q || (mode != 1 && mode != 2)) return 0;
  _State();
  _Clear_Results(q);
  q->computed = 0;
  _Forget_Cache(q);
  double d[QS_DIMS];
  for (int k = 0; k < QS_DIMS; ++k) d[k] = q->dims_start[k] + factor * (q->dims_end[k] - q->dims_start[k]);

  int rc = 1;
  PROFIL p{};  // the profile of a library or family record, kept for its plate parts
  const bool made = q->kind == QS_KIND_LIBRARY || q->kind == QS_KIND_FAMILY;
  if (made) {
    Reset_Profil(&p);
    rc = 0;
    if (q->kind == QS_KIND_LIBRARY) {
      PROFIL_LIBREF ref;
      Init_Profil_Library(&ref);
      Find_Profil_in_Library(&ref, q->name);
      int type = 0;
      if (!ref.entry || !Set_Profil_Type_by_Series(q->name, &type)) rc = 1;
      Set_Profil_from_Library(&ref, &p);
      p.kind = PROFIL_KIND_LIBRARY;
      p.type = type;
    } else {
      _Family_Profil(q->family, d, &p);
    }
    if (rc == 0) {
      Set_Profil_Model_Options(DWQB_OPT_PART_MODE);
      rc = Calc_Profil_DWQB_Querschnittswerte(&p, nullptr, nullptr, 0, 0, nullptr);
      Set_Profil_Model_Options(0);
    }
  } else if (q->kind == QS_KIND_IMPORTED && q->entry) {
    rc = _Build_Imported(q->entry);
  }
  ++g.builds;
  const DWQB_VALUES *v = Get_DWQB_Values();
  if (rc != 0 || v->v[DWQB_V_A] < kLeastArea) {
    if (made) Reset_Profil(&p);
    return 0;
  }
  std::memcpy(q->values, v->v, sizeof q->values);
  q->factor = factor;
  q->computed = 1;
  _Fill_View(q, q->kind == QS_KIND_FAMILY ? d : nullptr);
  if (mode == 2) {
    _Take_Points_And_Parts(q);
    _Nominal_Tee_Parts(q, &p);
    g.current = q;
  }
  if (made) Reset_Profil(&p);
  g.cache_record = q;
  g.cache_factor = factor;
  Set_Profil_Section_Cache_Key(kCacheKey);
  return 1;
}

int Get_Querschnitt_at_Factor(QUERSCHNITT *q, double factor, QS_CHECK_REQUEST *request) {
  if (!q || !request) return 0;
  const bool cached = _State().cache_record == q && g.cache_factor == factor && g.current == q &&
                      Get_Profil_Section_Cache_Key() == kCacheKey;
  if (!cached && !Calc_Querschnitt_Values(q, factor, 2)) return 0;
  request->view = q->view;
  request->state = 2;
  return 1;
}

int Build_Profil_Thin_Walled_Model(const QS_CHECK_VIEW *view) {
  if (!view || !view->record) return 1;
  QUERSCHNITT *q = view->record;
  return Calc_Querschnitt_Values(q, q->computed ? q->factor : 0.5, 2) ? 0 : 1;
}

int Calc_Profil_Section_Values(const QS_CHECK_VIEW *view, int standard, int pass_a, unsigned pass_b) {
  (void)standard;
  (void)pass_a;
  (void)pass_b;
  return Build_Profil_Thin_Walled_Model(view);
}

// ---------------------------------------------------------------- stresses
void Transform_Profil_Section_Forces(double *N, double *V_y, double *V_z, double *T, double *M_y, double *M_z,
                                     double *T_w, double *B, double alpha, int family, int grade_code) {
  (void)N;
  (void)T;
  (void)T_w;
  (void)B;
  (void)family;
  (void)grade_code;
  const double c = std::cos(alpha), s = std::sin(alpha);
  if (V_y && V_z) {
    const double vy = *V_y, vz = *V_z;
    *V_y = vy * c + vz * s;
    *V_z = vz * c - vy * s;
  }
  if (M_y && M_z) {
    const double my = *M_y, mz = *M_z;
    *M_y = my * c + mz * s;
    *M_z = mz * c - my * s;
  }
}

namespace {

// σ, τ (magnitude) and σ_v at one stress point under the forces f of the check order
// (N, V_1, V_2, T, M_1, M_2, T_w, B) with the moments m1, m2 already turned.
void _Point_Stress(const double *r, const double *f, double m1, double m2, double out[3]) {
  const double sigma = r[QS_PT_INV_A] * f[0] + r[QS_PT_C1] * m1 + r[QS_PT_C2] * m2 + r[QS_PT_C_B] * f[7];
  const double tau = std::fabs(r[QS_PT_TAU_VY] * f[1] + r[QS_PT_TAU_VZ] * f[2] + r[QS_PT_TAU_T] * f[3] +
                               r[QS_PT_TAU_W] * f[6]);
  out[0] = sigma;
  out[1] = tau;
  out[2] = std::sqrt(sigma * sigma + 3 * tau * tau);
}

// The moments of the forces f turned into the principal axes of the record.
void _Principal_Moments(const QUERSCHNITT *q, const double *f, double *m1, double *m2) {
  *m1 = f[4];
  *m2 = f[5];
  Transform_Profil_Section_Forces(nullptr, nullptr, nullptr, nullptr, m1, m2, nullptr, nullptr,
                                  q->values[DWQB_V_ALPHA], 0, q->grade_code);
}

}  // namespace

int Calc_Profil_Point_Stresses(double N, double V_1, double V_2, double T, double M_1, double M_2, double T_w,
                               double B) {
  const double f[8] = {N, V_1, V_2, T, M_1, M_2, T_w, B};
  std::memcpy(_State().forces, f, sizeof f);
  QUERSCHNITT *q = const_cast<QUERSCHNITT *>(g.current);
  if (!q) return 0;
  for (int k = 0; k < QS_EX_COUNT; ++k) {
    q->extreme[k] = 0.0;
    q->extreme_point[k] = 0;
  }
  for (int k = 0; k < q->n_parts; ++k) q->parts[k].sigma_a = q->parts[k].sigma_b = 0.0;
  const int n = q->n_points + q->n_outline;
  if (n < 1) return 0;
  // Only the moments are turned: the coefficients c_1, c_2 belong to the principal axes.
  double m1, m2;
  _Principal_Moments(q, f, &m1, &m2);
  const double m[4] = {N, m1, m2, B};
  double *ex = q->extreme;
  int *at = q->extreme_point;
  for (int p = 0; p < n; ++p) {
    double st[3];
    _Point_Stress(q->points + p * QS_PT_COUNT, f, m1, m2, st);
    const double v[QS_EX_COUNT] = {st[0], st[0], st[1], st[1], st[2], st[2], std::fabs(st[0])};
    for (int k = 0; k < QS_EX_COUNT; ++k) {
      const bool lower = k == QS_EX_SIGMA_MIN || k == QS_EX_TAU_MIN || k == QS_EX_SV_MIN;
      if (p == 0 || (lower ? v[k] < ex[k] : v[k] > ex[k])) {
        ex[k] = v[k];
        at[k] = p;
      }
    }
  }
  for (int k = 0; k < q->n_parts; ++k) {
    QS_PLATE_PART &pp = q->parts[k];
    if (pp.kind == -1) {
      pp.sigma_a = 10 * ex[QS_EX_SIGMA_MIN];
      pp.sigma_b = 10 * ex[QS_EX_SIGMA_MAX];
      continue;
    }
    pp.sigma_a = 10 * _Centre_Stress(q, pp.list_pos, pp.s_a, m);
    pp.sigma_b = 10 * _Centre_Stress(q, pp.list_pos, pp.s_b, m);
  }
  return n;
}

int Get_Profil_Point_Stress(int point, double out[3]) {
  out[0] = out[1] = out[2] = 0.0;
  const QUERSCHNITT *q = g.current;
  if (!q || point < 0 || point >= q->n_points + q->n_outline) return 0;
  double m1, m2;
  _Principal_Moments(q, g.forces, &m1, &m2);
  _Point_Stress(q->points + point * QS_PT_COUNT, g.forces, m1, m2, out);
  return 1;
}

void Get_Profil_Point_Stress_Forces(double forces[8]) {
  if (forces) std::memcpy(forces, g.forces, sizeof g.forces);
}

int Get_Profil_Plate_Part(int index, double *ct, double *sigma_a, double *sigma_b) {
  const QUERSCHNITT *q = g.current;
  const QS_PLATE_PART *pp = q && index >= 0 && index < q->n_parts ? &q->parts[index] : nullptr;
  if (ct) *ct = pp ? pp->ct : 0.0;
  if (sigma_a) *sigma_a = pp ? pp->sigma_a : 0.0;
  if (sigma_b) *sigma_b = pp ? pp->sigma_b : 0.0;
  return pp ? pp->kind : -2;
}

int Get_Profil_Plate_Part_Web(int index, double *A_web) {
  const QUERSCHNITT *q = g.current;
  const QS_PLATE_PART *pp = q && index >= 0 && index < q->n_parts ? &q->parts[index] : nullptr;
  if (A_web) *A_web = pp ? pp->A_web : 0.0;
  return pp ? pp->web : QS_WEB_NONE;
}

const QUERSCHNITT *Get_Querschnitt_Current() { return g.current; }
