// stress/plo_nodes.cpp — plastic limit state: the slot, the point list, the PLO mask with
// shear-reduced laws, and the limit strains and stresses at the nodes of the outline
// triangulation.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "dwqb/dwqb.h"
#include "dwqb/dwqb_plastic.h"
#include "stress/stress_methods.h"
#include "support/support.h"

PLO_OPTIONS Default_PLO_Options() {
  const double *v = Get_DWQB_Values()->v;
  return PLO_OPTIONS{0, 0, v[DWQB_V_ALPHA], v[DWQB_V_YS], v[DWQB_V_ZS], v[DWQB_V_YM], v[DWQB_V_ZM], 0.001, 100.0, 0.0};
}

PLO_POINT *Find_PLO_Point(PLO_POINT_LIST *list, int nr) {
  if (!list) return nullptr;
  for (int i = 0; i < list->count; ++i)
    if (list->records[i].nr == nr) return &list->records[i];
  return nullptr;
}

void Free_PLO_Point_List(PLO_POINT_LIST *list) {
  if (!list) return;
  MEM_FREE(list->records);
  MEM_FREE(list);
}

int PLO_Querschnitt_Possible(const QS_CHECK_VIEW *view) {
  if (!DWQB_Part_Mode_Switch || !view) return 0;
  if (view->header.type == 99) return 1;
  const int t = view->header.catalogue > 0 ? Get_Profil_Typ(view->name + 4) : view->header.type;
  return t != 11 && t != 12;
}

int Prepare_PLO_Result(const PLO_PREPARE_OPTIONS *options, QS_CHECK_VIEW *view) {
  static constexpr PLO_PREPARE_OPTIONS kDefault{0, 0.001, 150.0, 0.001, 1.0};
  if (view) std::memset(view->values.slot.data, 0, sizeof view->values.slot.data);
  if (!PLO_Querschnitt_Possible(view)) return 2;
  const PLO_PREPARE_OPTIONS &o = options ? *options : kDefault;
  float *d = view->values.slot.data;
  d[0] = d[1] = 1.0f;
  d[2] = float(o.tol), d[3] = float(o.eps_u), d[4] = float(o.third), d[5] = float(o.fourth);
  view->values.slot.state = (o.flags & 0xFFFFFu) | CHECK_SLOT_PREPARED;
  return 4;
}

int Get_PLO_Shear_Areas(const QS_CHECK_VIEW *view, PLO_OPTIONS *o) {
  if (!o) return 0;
  o->A_v_y = o->A_v_z = 0.0, o->resultant = 0;
  if (!view) return 0;
  const double *v = Get_DWQB_Values()->v;
  const double A_solver = v[DWQB_V_A];
  double along = 0.0, across = 0.0;  // parallel to the web, and across it
  bool turned = false;
  if (view->header.catalogue > 0) {
    float r[35] = {};
    char code[8] = {};
    if (Get_Profil_Data(view->name + 4, r, code) <= 0) return 0;
    const double b = r[1], tw = r[2], tf = r[3], rr = r[25];
    const double A = r[4] > 0.0f ? r[4] : A_solver;
    turned = view->name[0] == '-';
    switch (Get_Profil_Typ(view->name + 4)) {
      case 1: along = A - 2 * b * tf + (tw + 2 * rr) * tf, across = 2 * b * tf; break;
      case 2: along = A - b * tf + (tw + 2 * rr) * tf / 2, across = b * tf; break;
      case 3: along = A - 2 * b * tf + (tw + rr) * tf, across = 2 * b * tf; break;
      case 4: {
        // Loaded parallel to the depth: A h / (b + h), h the extent along the shear.
        const double ey = v[DWQB_V_YMAX] - v[DWQB_V_YMIN], ez = v[DWQB_V_ZMAX] - v[DWQB_V_ZMIN];
        if (!(ey > 0 && ez > 0)) return 0;
        o->A_v_z = A * ez / (ey + ez), o->A_v_y = A * ey / (ey + ez);
        return 1;
      }
      case 7: o->A_v_z = 2 * A / 3.14159265358979323846, o->resultant = 1; return 1;
      default: return 0;
    }
  } else {
    const float *d = view->shape;
    double h_w = 0.0, t_w = 0.0;
    switch (view->header.type) {
      case 1: h_w = d[0] - 2 * d[3], t_w = d[2]; break;
      case 13: h_w = d[0] - d[1] - d[2], t_w = d[3]; break;
      default: return 0;
    }
    along = h_w * t_w, across = A_solver - along;
  }
  if (!(along > 0 && across > 0)) return 0;
  o->A_v_z = turned ? across : along;
  o->A_v_y = turned ? along : across;
  return 1;
}

MASQUE *Get_DWQB_PLO_TSG_Querschnitt(const double *m, const PLO_LINE_LIST *lines, double shear_factor,
                                     const double *en_ratio) {
  if (!m) return nullptr;
  MASQUE *mask = Build_DWQB_PLO_Mask(m);
  if (!mask) return nullptr;
  const double E = 10.0 * m[1], fy = 10.0 * m[0], eps_u = m[2] > 0.0 ? m[2] : 150.0;
  const double slope = m[3] * fy * 1000.0 / eps_u;
  for (int i = 0; lines && i < lines->count; ++i) {
    const PLO_LINE &l = lines->records[i];
    MASQUE_GRUPPE *group = Get_DWQB_PLO_Result_Item(mask, l.nr);
    if (!group || !group->linie) {
      std::fprintf(stderr, "*** Get_DWQB_PLO_TSG_Querschnitt: Linie %d nicht gefunden !!!\n", l.nr);
      continue;
    }
    double r = shear_factor * l.u;
    r = r < 0.0 ? 0.0 : (r > 0.9999995 ? 0.9999995 : r);
    // Near V_pl the line rule keeps more than EN 1993-1-1, 6.2.8 leaves a shear area:
    // (1 − ρ) with ρ = (2 V_Ed/V_pl,Rd − 1)² caps it (never below the rule's own least).
    // V_Ed/V_pl,Rd is the larger of the wall's own (r: its mean shear, with the face stress
    // of its St Venant torsion, over f_y/√3 at the shear factor: the wall as its own shear
    // area, as for angles, Z sections and line models) and that of the section's shear area
    // of 6.2.6(3) where the section has one. The shear factor stops where the larger reaches 1.
    double k = std::sqrt(1.0 - r * r);
    const double k_least = std::sqrt(1.0 - 0.9999995 * 0.9999995);
    const double e = std::max(r, en_ratio ? shear_factor * en_ratio[i] : 0.0);
    if (e > 0.5) {
      const double rho = e < 1.0 ? (2.0 * e - 1.0) * (2.0 * e - 1.0) : 1.0;
      k = std::max(std::min(k, 1.0 - rho), k_least);
    }
    double law[10];
    if (!Fill_Stahl_Spannungsdehnungslinie(E, k * fy, eps_u, slope, law) ||
        !Set_Masque_Spannungsdehnungslinie_Params(mask, group->linie, law))
      return mask;
  }
  MASQUE_CALC_OPTIONS o;
  if (Get_Masque_Calc_Options(mask, &o)) {
    if (m[4] > 0.0)
      o.flags |= MASQUE_OPTION_WERT;
    else
      o.flags &= ~MASQUE_OPTION_WERT;
    o.wert = m[4];
    Set_Masque_Calc_Options(mask, &o);
  }
  Update_Masque_Querschnitt(mask, 0);
  return mask;
}

int Calc_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result(const DWQB_TRI_NODE *node, MASQUE *mask,
                                                    const MASQUE_GRUPPE *group, const PLO_RESULT *result,
                                                    PLO_POINT_LIST *points, double *strain, double *stress) {
  if (strain) *strain = 0.0;
  if (stress) stress[0] = stress[1] = stress[2] = 0.0;
  if (!node || !mask || !group || !result || !strain || !stress) return 0;
  DEHNUNGSEBENE plane{result->plane[0], result->plane[1], result->plane[2],
                      (result->flags & PLO_F_NO_WARPING) ? 0.0 : result->plane[3]};
  double eps = 0.0, sigma = 0.0;
  if (!Calc_Masque_Gruppe_Spannung(mask, group, &plane, 0.01 * node->y, 0.01 * node->z, &eps, &sigma)) return 0;
  const PLO_POINT *p = Find_PLO_Point(points, node->line_nr);
  const double s = 0.0001 * sigma, tau = p ? result->f_tau * p->item.tau : 0.0;
  *strain = eps;
  stress[0] = s, stress[1] = tau, stress[2] = std::sqrt(s * s + 3.0 * tau * tau);
  return 1;
}

int Get_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result(const DWQB_TRI_NODE *node, const PLO_RESULT *result,
                                                   PLO_POINT_LIST *points, double *strain, double *stress) {
  MASQUE *mask = Get_DWQB_PLO_Result();
  const MASQUE_GRUPPE *group = node ? Get_DWQB_PLO_Result_Item(mask, node->line_nr) : nullptr;
  return Calc_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result(node, mask, group, result, points, strain, stress);
}

namespace {
// by: 0 all nodes, 1 one line number, 2 one part number.
int Min_Max(const DWQB_OUTLINE_TRIANGULATION *tri, int by, int key, const PLO_RESULT *result, PLO_POINT_LIST *points,
            double *eps_min, double *eps_max, double *mn, double *mx) {
  double e_lo = 0, e_hi = 0, lo[3] = {}, hi[3] = {};
  bool any = false, all = tri != nullptr;
  for (int i = 0; tri && i < tri->n_nodes; ++i) {
    const DWQB_TRI_NODE &n = tri->nodes[i];
    if ((by == 1 && n.line_nr != key) || (by == 2 && n.part_nr != key)) continue;
    double e, s[3];
    if (!Get_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result(&n, result, points, &e, s)) {
      std::puts("Fehler in Calc_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result");
      all = false;
      continue;
    }
    if (!any) {
      e_lo = e_hi = e;
      for (int k = 0; k < 3; ++k) lo[k] = hi[k] = s[k];
      any = true;
      continue;
    }
    e_lo = std::fmin(e_lo, e), e_hi = std::fmax(e_hi, e);
    for (int k = 0; k < 3; ++k) lo[k] = std::fmin(lo[k], s[k]), hi[k] = std::fmax(hi[k], s[k]);
  }
  if (eps_min) *eps_min = e_lo;
  if (eps_max) *eps_max = e_hi;
  for (int k = 0; k < 3; ++k) {
    if (mn) mn[k] = lo[k];
    if (mx) mx[k] = hi[k];
  }
  return all ? 1 : 0;
}
}  // namespace

int Calc_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result_MinMax(const DWQB_OUTLINE_TRIANGULATION *tri,
                                                           const PLO_RESULT *result, PLO_POINT_LIST *points,
                                                           double *eps_min, double *eps_max, double *min3,
                                                           double *max3) {
  return Min_Max(tri, 0, 0, result, points, eps_min, eps_max, min3, max3);
}
int Calc_DWQB_OUTLINE_TRIANGULATION_LINE_NR_PLO_Result_MinMax(const DWQB_OUTLINE_TRIANGULATION *tri, int line_nr,
                                                              const PLO_RESULT *result, PLO_POINT_LIST *points,
                                                              double *eps_min, double *eps_max, double *min3,
                                                              double *max3) {
  return Min_Max(tri, 1, line_nr, result, points, eps_min, eps_max, min3, max3);
}
int Calc_DWQB_OUTLINE_TRIANGULATION_PART_NR_PLO_Result_MinMax(const DWQB_OUTLINE_TRIANGULATION *tri, int part_nr,
                                                              const PLO_RESULT *result, PLO_POINT_LIST *points,
                                                              double *eps_min, double *eps_max, double *min3,
                                                              double *max3) {
  return Min_Max(tri, 2, part_nr, result, points, eps_min, eps_max, min3, max3);
}
