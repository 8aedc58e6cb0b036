// stress/plo_nodes.cpp — plastic limit state: the slot, the point list, the PLO mask with
// shear-reduced laws, and the limit strains and stresses at the nodes of the outline
// triangulation.
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

MASQUE *Get_DWQB_PLO_TSG_Querschnitt(const double *m, const PLO_LINE_LIST *lines, double shear_factor) {
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
    double law[10];
    if (!Fill_Stahl_Spannungsdehnungslinie(E, std::sqrt(1.0 - r * r) * fy, eps_u, slope, law) ||
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
