// Parametric profiles of the profile tests and the profile bench (dimensions in mm).
#pragma once

#include "profil/profil.h"
#include "tests/common/en10365_rows.h"

// Writes a parametric shape over *p: the kind, the shape type, h, t_w, the upper and lower
// flanges, rolled (1) or welded (0) and the radii r, r_2; the rest of the record stays.
inline void Set_Shape(PROFIL *p, int type, double h, double t_w, double b_fo, double t_fo, double b_fu, double t_fu,
                      int rolled = 1, double r = 0, double r_2 = 0) {
  p->kind = PROFIL_KIND_PARAMETRIC, p->type = type, p->h = h, p->t_w = t_w;
  p->b_fo = b_fo, p->t_fo = t_fo, p->b_fu = b_fu, p->t_fu = t_fu;
  p->rolled = rolled, p->r = r, p->r_2 = r_2;
}

// HE 280 A of EN 10365, rolled, on a record as Reset_Profil leaves it.
inline PROFIL He280a_Profile() {
  const en10365::Row &t = en10365::kHe280a;
  PROFIL p{};
  Reset_Profil(&p);
  Set_Shape(&p, PROFIL_H, t.h, t.t_w, t.b, t.t_f, t.b, t.t_f, 1, t.r);
  return p;
}

// The sample of every parametric shape type that the drawing tests draw: h 300, t_w 8, upper
// flange 150 × 12, lower 120 × 14, rolled with radii 10 and 5 or welded with throats 5, 20 mm
// overhangs; section values computed. False when the type needs other dimensions.
inline bool Set_Sample_Shape(PROFIL *p, int type, int rolled) {
  Reset_Profil(p);
  Set_Shape(p, type, 300, 8, 150, 12, 120, 14, rolled, rolled ? 10 : 0, rolled ? 5 : 0);
  p->a_o = p->a_u = rolled ? 0 : 5;
  p->ue_o = p->ue_u = 20;
  return Calc_Profil_Querschnittswerte(p, nullptr, 0, "") == 0;
}
