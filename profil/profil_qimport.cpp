// profil/profil_qimport.cpp — take-over of an R7-PLAX section from its imported entry:
// nodes, wall lines or polygons and the values R7-PLAX computed, from cm into mm and
// moved so that the section's reference corner (y maximum, z minimum) is the origin.
#include <cstdio>
#include <cstring>

#include "host/host.h"
#include "profil/profil.h"
#include "support/cp850.h"
#include "support/support.h"

namespace {

constexpr int kMaxItems = 10000;  // nodes and lines of a section
constexpr double kRadToDeg = 57.29577951308232;

enum Failure { kSilent, kGeneral, kNodeLimit, kLineLimit };

void _Show(Failure why, int show) {
  if (!show || why == kSilent) return;
  char text[200] = "R7-PLAX - allgemeiner Fehler: Querschnitt kann nicht importiert werden";
  if (why == kNodeLimit)
    CP850_CALL2(std::snprintf, text, sizeof text,
                "R7-PLAX: Querschnitte mit mehr als %d Knoten können nicht importiert werden", kMaxItems);
  else if (why == kLineLimit)
    CP850_CALL2(std::snprintf, text, sizeof text,
                "R7-PLAX: Querschnitte mit mehr als %d Linien können nicht importiert werden", kMaxItems);
  Init_Message();
  Fill_Message("%s", text);
  Draw_Message();
}

void _Clear(PROFIL *p) {
  MEM_FREE(p->nodes);
  MEM_FREE(p->lines);
  p->nodes = nullptr;
  p->lines = nullptr;
  p->node_count = p->line_count = 0;
  p->obj_a = p->obj_b = 0;
  for (double &v : p->imported) v = 0.0;
}

template <class T>
T *_Alloc(int count) {
  auto *a = static_cast<T *>(MEM_CALLOC(static_cast<std::size_t>(count), sizeof(T)));
  if (!a) Exit_Memory_Exhausted();
  return a;
}

// Line model: nodes, then the wall lines of "NEWLINES" (at most the "LINES" count).
// Returns -1 when the section was taken, -2 when there is nothing to take, else the
// failure.
int _Line_Model(PROFIL *p, const QIMPORT_ENTRY *e) {
  int nodes = -1;
  if (!Find_QImport_Block(e, "NODES", &nodes) || nodes < 0) return kGeneral;
  if (nodes > kMaxItems) return kNodeLimit;
  if (nodes == 0) return -2;
  p->nodes = _Alloc<PROFIL_NODE>(nodes);
  p->node_count = nodes;
  for (int k = 0; k < nodes; ++k) {
    PROFIL_NODE &n = p->nodes[k];
    const char *line = Next_QImport_Line();
    if (!line || Scan_QImport_Values(line, "idd", &n.number, &n.y, &n.z) != 3) return kGeneral;
  }
  int lines = -1;
  if (!Find_QImport_Block(e, "LINES", &lines) || lines < 0) return kGeneral;
  if (lines > kMaxItems) return kLineLimit;
  if (lines == 0) return kSilent;
  p->lines = _Alloc<PROFIL_LINE>(lines);
  if (!Find_QImport_Block(e, "NEWLINES", nullptr)) return kGeneral;
  int taken = 0;
  for (;;) {
    const char *line = Next_QImport_Line();
    int first;
    if (!line || Scan_QImport_Values(line, "i", &first) != 1) return kGeneral;
    if (first < 0) break;
    int nr, a, b, f4, f5, skip, f14;
    double d_a, d_e, s, r_al, r_ar, r_el, r_er, f15, f16;
    if (Scan_QImport_Values(line, "iiiiidddiddddidd", &nr, &a, &b, &f4, &f5, &d_a, &d_e, &s, &skip, &r_al, &r_ar,
                            &r_el, &r_er, &f14, &f15, &f16) != 16)
      return kGeneral;
    if (skip != 0 || taken >= lines) continue;
    PROFIL_LINE &l = p->lines[taken++];
    l.number = nr;
    l.p_a = a;
    l.p_e = b;
    l.d_a = 10 * d_a;
    l.d_e = 10 * d_e;
    l.s = 10 * s;
    l.r_al = 10 * r_al;
    l.r_ar = 10 * r_ar;
    l.r_el = 10 * r_el;
    l.r_er = 10 * r_er;
  }
  // Only the lines taken count: the solver refuses a line of zero values.
  p->line_count = taken;
  if (taken == 0) return kSilent;
  for (int k = 0; k < p->node_count; ++k) {
    p->nodes[k].y *= 10;
    p->nodes[k].z *= 10;
  }
  return -1;
}

// Polygon model: outer polygons (kind 1) and cut-outs (kind 0) of "NEWPOLYS"; polygons
// of any other kind are stepped over in both passes.
int _Polygon_Model(PROFIL *p, const QIMPORT_ENTRY *e) {
  if (!Find_QImport_Block(e, "NEWPOLYS", nullptr)) return kGeneral;
  int total = 0;
  for (;;) {
    const char *head = Next_QImport_Line();
    int kind, count;
    if (!head || Scan_QImport_Values(head, "i", &kind) != 1) return kGeneral;
    if (kind < 0) break;
    if (Scan_QImport_Values(head, "ii", &kind, &count) != 2 || count < 0) return kGeneral;
    for (int k = 0; k < count; ++k)
      if (!Next_QImport_Line()) return kGeneral;
    if (kind == 0 || kind == 1) total += count;
    if (total > kMaxItems) return kNodeLimit;
  }
  if (total == 0) return -2;
  p->nodes = _Alloc<PROFIL_NODE>(total);
  p->node_count = total;
  Find_QImport_Block(e, "NEWPOLYS", nullptr);
  int outer = 0, cut = 0, taken = 0;
  for (;;) {
    const char *head = Next_QImport_Line();
    int kind = -1, count = 0;
    Scan_QImport_Values(head, "ii", &kind, &count);
    if (kind < 0) break;
    const int own = kind == 1 ? -(++outer) : kind == 0 ? ++cut : 0;
    for (int k = 0; k < count; ++k) {
      const char *line = Next_QImport_Line();
      if (!own) continue;
      PROFIL_NODE &n = p->nodes[taken++];
      int last;
      if (Scan_QImport_Values(line, "idddi", &n.number, &n.y, &n.z, &n.s_p, &last) != 5) return kGeneral;
      n.polygon = own;
    }
  }
  for (int k = 0; k < total; ++k) {
    p->nodes[k].y *= 10;
    p->nodes[k].z *= 10;
  }
  return -1;
}

double _Value(const QIMPORT_ENTRY *e, const char *key, int *found = nullptr) {
  double v = 0.0;
  const int ok = Get_QImport_Value(e, key, &v);
  if (found) *found = ok;
  return ok ? v : 0.0;
}

}  // namespace

int Set_Profil_from_QImport(PROFIL *p, int show_messages) {
  if (!p) return 1;
  _Clear(p);
  QIMPORT_ENTRY *e = p->entry;
  if (!e) return 0;

  int result = kSilent;
  if (Find_QImport_Block(e, "OBJECT", nullptr)) {
    const char *line = Next_QImport_Line();
    int object = 0, a = 0, b = 0;
    if (line && Scan_QImport_Values(line, "iii", &object, &a, &b) == 3) {
      p->model_kind = object - 1;
      p->obj_a = a;
      p->obj_b = b;
      result = object == 1 ? _Line_Model(p, e) : _Polygon_Model(p, e);
    } else {
      result = kGeneral;
    }
  }
  if (result == -2) return 0;  // an empty section: nothing taken
  if (result != -1) {
    _Show(static_cast<Failure>(result), show_messages);
    _Clear(p);
    Add_QImport_Reference(e, -1);
    p->entry = nullptr;
    return 1;
  }

  double *v = p->imported;
  v[PROFIL_IMP_A] = 100 * _Value(e, ".A__");
  v[PROFIL_IMP_U] = 10 * _Value(e, ".U__");
  v[PROFIL_IMP_Y_S] = 10 * _Value(e, ".EY_");
  v[PROFIL_IMP_Z_S] = 10 * _Value(e, ".EZ_");
  v[PROFIL_IMP_I_1] = 1e4 * _Value(e, ".I11");
  v[PROFIL_IMP_I_2] = 1e4 * _Value(e, ".I22");
  v[PROFIL_IMP_ALPHA] = _Value(e, ".ALF") * kRadToDeg;
  v[PROFIL_IMP_I_T] = 1e4 * _Value(e, ".IT_");
  v[PROFIL_IMP_I_W] = 1e6 * _Value(e, ".CM_");
  v[PROFIL_IMP_Y_M] = 10 * _Value(e, ".YM_");
  v[PROFIL_IMP_Z_M] = 10 * _Value(e, ".ZM_");
  int has_ymin, has_zmin;
  const double y_max = _Value(e, ".YMX"), y_min = _Value(e, ".YMN", &has_ymin);
  const double z_max = _Value(e, ".ZMX"), z_min = _Value(e, ".ZMN", &has_zmin);
  v[PROFIL_IMP_WIDTH] = has_ymin ? 10 * (y_max - y_min) : 0.0;
  v[PROFIL_IMP_HEIGHT] = has_zmin ? 10 * (z_max - z_min) : 0.0;
  const double y_ref = 10 * y_max, z_ref = 10 * z_min;

  for (int k = 0; k < p->node_count; ++k) {
    p->nodes[k].y -= y_ref;
    p->nodes[k].z -= z_ref;
  }
  v[PROFIL_IMP_Y_S] -= y_ref;
  v[PROFIL_IMP_Z_S] -= z_ref;
  if (v[PROFIL_IMP_I_T] > 0.001) {
    v[PROFIL_IMP_Y_M] -= y_ref;
    v[PROFIL_IMP_Z_M] -= z_ref;
  }
  v[PROFIL_IMP_Y_REF] = y_ref;
  v[PROFIL_IMP_Z_REF] = z_ref;
  return 0;
}
