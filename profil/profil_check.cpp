// The check family of a profile with a plate welded to it: the record's reset, the weld
// check of the plate, and the outline parts of a profile by type.
#include <cmath>
#include <cstring>

#include "profil/profil.h"
#include "welds/welds.h"

namespace {

constexpr double kPi = 3.141592653589793;

// The face of a fillet at a joint of size s: the arc of a rolled root radius, the
// hypotenuse of a fillet weld's legs.
double _Fillet(const PROFIL *p, double s) { return p->rolled ? kPi / 2 * s : std::sqrt(2.0) * s; }

// Collects the parts of one profile.
struct Parts {
  double len[PROFIL_OUTLINE_PARTS_MAX];
  int code[PROFIL_OUTLINE_PARTS_MAX];
  int n = 0;
  void Add(int c, double l) {
    if (n >= PROFIL_OUTLINE_PARTS_MAX) return;
    code[n] = c;
    len[n] = l > 0.0 ? l : 0.0;
    ++n;
  }
};

// The parts by type; 0 when the type has none.
int _Outline_Parts(const PROFIL *p, Parts &o) {
  double s = 0.0, s_u = 0.0, s_2 = 0.0;
  Get_Profil_Fillet_Sizes(p, &s, &s_u, &s_2);
  const double h = p->h, tw = p->t_w, bo = p->b_fo, to = p->t_fo, bu = p->b_fu, tu = p->t_fu;
  switch (p->type) {
    case PROFIL_FLAT:
      o.Add(PROFIL_PART_END, tw);
      o.Add(PROFIL_PART_SIDE, h);
      o.Add(PROFIL_PART_SIDE, h);
      o.Add(PROFIL_PART_END, tw);
      return 1;
    case PROFIL_ROUND:
    case PROFIL_CHS:
      o.Add(PROFIL_PART_CIRCUMFERENCE, kPi * h);
      return 1;
    case PROFIL_ANGLE: {
      const double toe = kPi / 2 * s_2, half = _Fillet(p, s) / 2;
      o.Add(PROFIL_PART_OUTER, h);
      o.Add(PROFIL_PART_END, tw - s_2);
      o.Add(PROFIL_PART_TOE, toe);
      o.Add(PROFIL_PART_INNER, p->d_w - s_2);
      o.Add(PROFIL_PART_FILLET, half);
      o.Add(PROFIL_PART_FILLET, half);
      o.Add(PROFIL_PART_INNER, p->c_fo - s_2);
      o.Add(PROFIL_PART_TOE, toe);
      o.Add(PROFIL_PART_END, to - s_2);
      o.Add(PROFIL_PART_OUTER, bo);
      return 1;
    }
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
      o.Add(PROFIL_PART_OUTER, bo);
      o.Add(PROFIL_PART_END, to);
      o.Add(PROFIL_PART_INNER, p->c_fo);
      o.Add(PROFIL_PART_WEB, p->d_w);
      o.Add(PROFIL_PART_INNER, p->c_fu);
      o.Add(PROFIL_PART_END, tu);
      o.Add(PROFIL_PART_OUTER, bu);
      o.Add(PROFIL_PART_END, tu);
      o.Add(PROFIL_PART_INNER, p->c_fu);
      o.Add(PROFIL_PART_WEB, p->d_w);
      o.Add(PROFIL_PART_INNER, p->c_fo);
      o.Add(PROFIL_PART_END, to);
      return 1;
    case PROFIL_C: case PROFIL_U:
      o.Add(PROFIL_PART_OUTER, h);
      o.Add(PROFIL_PART_OUTER, bo);
      o.Add(PROFIL_PART_END, to);
      o.Add(PROFIL_PART_INNER, p->c_fo);
      o.Add(PROFIL_PART_FILLET, _Fillet(p, s));
      o.Add(PROFIL_PART_WEB, p->d_w);
      o.Add(PROFIL_PART_FILLET, _Fillet(p, s));
      o.Add(PROFIL_PART_INNER, p->c_fu);
      o.Add(PROFIL_PART_END, to);
      o.Add(PROFIL_PART_OUTER, bo);
      return 1;
    case PROFIL_RHS:
      o.Add(PROFIL_PART_WALL, bo - 2 * s);
      o.Add(PROFIL_PART_WALL, h - 2 * s);
      o.Add(PROFIL_PART_WALL, h - 2 * s);
      o.Add(PROFIL_PART_WALL, bo - 2 * s);
      return 1;
    case PROFIL_T: case PROFIL_HALF_I:
      // The walk starts on the axis of symmetry, so the outer face counts in two halves.
      o.Add(PROFIL_PART_OUTER, bo / 2);
      o.Add(PROFIL_PART_END, to);
      o.Add(PROFIL_PART_INNER, p->c_fo);
      o.Add(PROFIL_PART_FILLET, _Fillet(p, s));
      o.Add(PROFIL_PART_WEB, p->d_w);
      o.Add(PROFIL_PART_END, tw);
      o.Add(PROFIL_PART_WEB, p->d_w);
      o.Add(PROFIL_PART_FILLET, _Fillet(p, s));
      o.Add(PROFIL_PART_INNER, p->c_fo);
      o.Add(PROFIL_PART_END, to);
      o.Add(PROFIL_PART_OUTER, bo / 2);
      return 1;
    case PROFIL_Z:
      o.Add(PROFIL_PART_OUTER, (bo + tw) / 2);
      o.Add(PROFIL_PART_END, to);
      o.Add(PROFIL_PART_INNER, p->c_fo);
      o.Add(PROFIL_PART_FILLET, _Fillet(p, s));
      o.Add(PROFIL_PART_WEB, h - to - s);
      o.Add(PROFIL_PART_OUTER, (bo + tw) / 2);
      o.Add(PROFIL_PART_END, tu);
      o.Add(PROFIL_PART_INNER, p->c_fu);
      o.Add(PROFIL_PART_FILLET, _Fillet(p, s_u));
      o.Add(PROFIL_PART_WEB, h - tu - s_u);
      return 1;
    default:  // type 0, the box girder, the trapezoid and unknown types
      return 0;
  }
}

}  // namespace

int Reset_Profil_Check_Record(PROFIL_CHECK *r) {
  if (!r) return 0;
  Reset_Profil(&r->profil);
  Reset_Plate_Data(&r->plate);
  std::memset(r->name, 0, sizeof r->name);
  std::memset(r->text, 0, sizeof r->text);
  r->angle = 90.0;
  r->F_Ed = 0.0;
  r->gamma_M2 = 0.0;
  r->U = 0.0;
  return 0;
}

int Check_Profil_Weld(PROFIL_CHECK *r, double a, double l_flange, double l_web, const MATERIAL *grade, FILE *stream,
                      const char *prefix) {
  if (!r) return 1;
  if (!grade) grade = &r->profil.grade;
  WELD_SEAM w;
  Init_Weld_Record(&w);
  w.a = a;
  w.l_flange = l_flange;
  w.l_web = l_web;
  w.f_u = grade->fu > 0.0 ? grade->fu : grade->fu_40;
  w.beta_w = grade->betaw;
  if (r->gamma_M2 > 0.0) w.gamma_M2 = r->gamma_M2;
  w.F_Ed = r->F_Ed;
  if (Check_Weld_Seam(&w, stream, prefix) != 0) return 1;
  r->U = std::fmax(r->U, w.U);
  return 0;
}

int Get_Profil_Outline_Parts(const PROFIL *p, double *lengths, int *codes) {
  if (lengths)
    for (int i = 0; i < PROFIL_OUTLINE_PARTS_MAX; ++i) lengths[i] = 0.0;
  if (codes)
    for (int i = 0; i < PROFIL_OUTLINE_PARTS_MAX; ++i) codes[i] = PROFIL_PART_NONE;
  if (!p || p->kind == PROFIL_KIND_QUER) return -1;
  Parts o;
  if (!_Outline_Parts(p, o)) return -1;
  for (int i = 0; i < o.n; ++i) {
    if (lengths) lengths[i] = o.len[i];
    if (codes) codes[i] = o.code[i];
  }
  return o.n;
}

int Min_Profil_Outline_Parts(const PROFIL *p, double *lengths) {
  double parts[PROFIL_OUTLINE_PARTS_MAX];
  const int n = Get_Profil_Outline_Parts(p, parts, nullptr);
  if (!lengths) return n;
  for (int i = 0; i < n && i < 12; ++i) lengths[i] = std::fmin(lengths[i], parts[i]);
  return n;
}
