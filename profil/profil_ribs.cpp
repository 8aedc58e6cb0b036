// profil/profil_ribs.cpp — ribs of the thin-walled profile model (their walls on a plate),
// the rib-model record, its print line and the stresses at its points.
#include <cmath>
#include <cstdio>

#include "dwqb/dwqb.h"
#include "dwqb/dwqb_stress.h"
#include "print/print.h"
#include "profil/profil.h"
#include "profil/profil_state.h"
#include "support/cp850.h"

namespace {

// Line values 0..8: t_a, t_b, rise, rotation a, rotation b, r_al, r_ar, r_el, r_er.
enum { V_TA = 0, V_TB = 1, V_RAL = 5, V_RAR = 6, V_REL = 7, V_RER = 8 };

struct RibNode {
  int nr;
  double y, z;
};

// The walls of one rib. Offsets o run along the plate, distances D away from its centre
// line: on a horizontal plate (y, z) = (u + o, s + d·D); on a vertical one the same turned
// with the growth reversed, (y, z) = (u − d·D, s − o), so that the first foot of a two-foot
// rib (o = +g) is the one a walk towards larger z reaches first.
struct RibWalls {
  double *values;
  int *nodes, *lines;
  double u, s, d;
  int horizontal;

  RibNode Node(double o, double D) {
    RibNode n{*nodes, horizontal ? u + o : u - d * D, horizontal ? s + d * D : s - o};
    Add_DWQB_Node(n.nr, 0.1 * n.y, 0.1 * n.z);
    ++*nodes;
    return n;
  }
  RibNode At(int nr, double o) const {
    return {nr, horizontal ? u + o : u, horizontal ? s : s - o};
  }
  // A wall a → b of thickness t with the fillet ra at a and rb at b on the face that looks
  // towards the point `toward` (the right face of a wall is the one on the side of
  // (Δz, −Δy), as for the flanges of the plain model).
  void Wall(const RibNode &a, const RibNode &b, double t, double ra, double rb, const RibNode &toward) {
    for (int k = 0; k < 9; ++k) values[k] = 0.0;
    values[V_TA] = values[V_TB] = t;
    const double dy = b.y - a.y, dz = b.z - a.z;
    const int right = dz * (toward.y - a.y) - dy * (toward.z - a.z) > 0.0;
    values[right ? V_RAR : V_RAL] = ra;
    values[right ? V_RER : V_REL] = rb;
    Add_Profil_DWQB_Line((*lines)++, a.nr, b.nr, values);
  }
};

// The rib model of the record computed into profile: 0, or the failure of the model.
int _Compute(PROFIL_RIB_MODEL *m, PROFIL *profil, int with_points) {
  return Calc_Profil_DWQB_Querschnittswerte(profil, m->ribs, m->holes, m->mirror, with_points ? m->point_count : 0,
                                            with_points ? m->points : nullptr);
}

void _Report_Failure(FILE *stream) {
  if (stream) Oli_Printf(stream, "%sQuerschnittswerte nicht ermittelbar %s\n", "", Oli_Mark_Red_Exclam());
}

void _Clear_Stresses(PROFIL_RIB_MODEL *m) {
  for (PROFIL_STRESS_POINT &p : m->points) p.stress[0] = p.stress[1] = p.stress[2] = 0.0;
}

}  // namespace

// ---------------------------------------------------------------- rib walls
void Add_Profil_DWQB_Rib(double *values, const PROFIL *rib, int *node_counter, double t_p, int *line_counter,
                         int foot, double u, double s, double d, int horizontal) {
  if (!rib || !values || !node_counter || !line_counter || foot < 0 || *node_counter < 0 || *line_counter < 0)
    return;
  RibWalls w{values, node_counter, line_counter, u, s, d, horizontal};
  double top = 0.0, second = 0.0;
  if (rib->rolled) {
    top = rib->r;
    second = rib->r_2;
  } else {
    top = 1.4142135623730951 * rib->a_o;  // the weld leg of the throat a_o
  }
  const double P = t_p / 2 + rib->h;
  switch (rib->type) {
    case PROFIL_FLAT: {
      const RibNode f = w.At(foot, 0.0), n = w.Node(0.0, P);
      w.Wall(f, n, rib->t_w, 0, 0, n);
      break;
    }
    case PROFIL_ANGLE: {
      // The second leg runs to larger u on a horizontal plate and to larger z on a
      // vertical one (offset −(b_fo − t_w/2) there).
      const double leg = rib->b_fo - rib->t_w / 2;
      const RibNode f = w.At(foot, 0.0), n = w.Node(0.0, P - rib->t_fo / 2);
      const RibNode n1 = w.Node(horizontal ? leg : -leg, P - rib->t_fo / 2);
      w.Wall(f, n, rib->t_w, 0, top, n1);
      w.Wall(n, n1, rib->t_fo, top, second, f);
      break;
    }
    case PROFIL_C: case PROFIL_U: {
      double g = 0.0;
      Get_Profil_Rib_Geometry(rib, t_p, nullptr, nullptr, nullptr, &g);
      // The web's centre line lies half the web thickness inside the rib's outer face, so
      // that the channel stands b_fo off the plate whatever its web and leg thicknesses.
      const double D = t_p / 2 + rib->b_fo - rib->t_w / 2;
      const RibNode f = w.At(foot, -g), f1 = w.At(foot - 1, g);
      const RibNode n = w.Node(-g, D), n1 = w.Node(g, D);
      w.Wall(f, n, rib->t_fo, 0, top, n1);
      w.Wall(n, n1, rib->t_w, top, top, f);
      w.Wall(n1, f1, rib->t_fo, top, 0, n);
      break;
    }
    case PROFIL_T: case PROFIL_HALF_I: {
      // The flange tips lie on the level of the stem's end n.
      const RibNode f = w.At(foot, 0.0), n = w.Node(0.0, P - rib->t_fo / 2);
      for (int k = 0; k < 9; ++k) values[k] = 0.0;
      values[V_TA] = values[V_TB] = rib->t_w;
      values[V_REL] = values[V_RER] = top;
      Add_Profil_DWQB_Line((*line_counter)++, f.nr, n.nr, values);
      const RibNode tip1 = w.Node(-d * rib->b_fo / 2, P - rib->t_fo / 2);
      w.Wall(tip1, n, rib->t_fo, second, top, f);
      const RibNode tip2 = w.Node(d * rib->b_fo / 2, P - rib->t_fo / 2);
      w.Wall(tip2, n, rib->t_fo, second, top, f);
      break;
    }
    case PROFIL_TRAPEZ: {
      double e = 0.0, g = 0.0;
      Get_Profil_Rib_Geometry(rib, t_p, nullptr, nullptr, &e, &g);
      const RibNode f = w.At(foot, -g), f1 = w.At(foot - 1, g);
      const RibNode n = w.Node(e - g, P - rib->t_fo / 2);
      w.Wall(f, n, rib->t_w, 0, 0, n);
      const RibNode n1 = w.Node(g - e, P - rib->t_fo / 2);
      w.Wall(n, n1, rib->t_fo, 0, 0, f);
      w.Wall(n1, f1, rib->t_w, 0, 0, n);
      break;
    }
    default:
      return;  // no rib form
  }
  for (int k = 0; k < 9; ++k) values[k] = 0.0;  // thicknesses and radii back to 0
}

// ---------------------------------------------------------------- small operations
int Is_Profil_Rib_Type(int type) { return type == PROFIL_C || type == PROFIL_U || type == PROFIL_TRAPEZ; }

double Get_Profil_Rib_Foot_Width(const PROFIL *rib) {
  if (!rib) return 0.0;
  if (rib->type == PROFIL_C || rib->type == PROFIL_U) return rib->t_fo;
  if (rib->type == PROFIL_TRAPEZ) {
    double w = 0.0;
    Get_Profil_Rib_Geometry(rib, 0.0, nullptr, &w, nullptr, nullptr);
    return w;
  }
  return rib->t_w;
}

void Set_Profil_Rib_Height_Mode(int on) { Profil_State().rib_height_mode = on; }
int Get_Profil_Rib_Height_Mode() { return Profil_State().rib_height_mode; }

double Get_Profil_Rib_Height(const PROFIL *rib, double t_p) {
  if (!rib) return 0.0;
  const int mode = Profil_State().rib_height_mode;
  if (rib->type == PROFIL_C || rib->type == PROFIL_U) return rib->h - rib->t_fo + (mode ? rib->t_fo : 0.0);
  if (rib->type == PROFIL_TRAPEZ) {
    double angle = 0.0, w = 0.0;
    Get_Profil_Rib_Geometry(rib, t_p, &angle, &w, nullptr, nullptr);
    return rib->b_fu - w + t_p * std::tan(angle);
  }
  return mode ? rib->t_w : 0.0;
}

void Clear_Six_Doubles(double *values) {
  if (values)
    for (int k = 0; k < 6; ++k) values[k] = 0.0;
}

// ---------------------------------------------------------------- the record
void Reset_Profil_Rib_Model(PROFIL_RIB_MODEL *m) {
  if (!m) return;
  Reset_Profil(&m->base);
  for (PROFIL_RIB_SPEC &r : m->ribs) {
    Reset_Profil(&r.rib);
    r.count = r.side = r.spare_int = 0;
    r.spare = 0.0;
    for (int k = 0; k < PROFIL_RIB_MAX; ++k) {
      r.spacing[k] = 0.0;
      r.spare_ints[k] = 0;
    }
  }
  for (PROFIL_HOLE_TABLE &h : m->holes)
    for (int k = 0; k < PROFIL_HOLE_MAX; ++k) h.width[k] = h.centre[k] = 0.0;
  m->mirror = 0;
  m->point_count = 0;
  for (PROFIL_STRESS_POINT &p : m->points) p = PROFIL_STRESS_POINT{};
}

int Print_Profil_DWQB_Querschnittswerte(PROFIL_RIB_MODEL *m, PROFIL *profil, FILE *stream, int mode,
                                        int with_plastic) {
  if (!m) return 1;
  PROFIL *p = profil ? profil : &m->base;
  const int closed = Calc_Profil_Querschnittswerte(p, nullptr, 0, "");
  if (closed) return closed;
  if (p->kind == PROFIL_KIND_QUER) return 0;
  const double y_s_closed = p->y_s;
  ProfilState &st = Profil_State();
  const int plastic_before = st.plastic_moduli;
  if (with_plastic) st.plastic_moduli = 1;
  const int rc = _Compute(m, p, 0);
  st.plastic_moduli = plastic_before;
  if (rc) {
    _Report_Failure(stream);
    return 1;
  }
  if (!stream || mode < 1) return 0;
  if (mode == 1) Oli_Printf(stream, "%sQuerschnittswerte: ", "");
  else Oli_Printf(stream, "%sQuerschnittswerte\n%s", "", "");
  CP850_CALL(Oli_Printf, stream,
             "A = %.2lf cm²,  z╬\\s╬r = %.1lf mm,  I╬\\y╬r = %.2lf cm╬/4╬r,  Verschiebung y╬\\s╬r = %.1lf mm,  "
             "I╬\\z╬r = %.2lf cm╬/4╬r\n",
             p->A / 100, p->z_s, p->I_y / 1e4, p->y_s - y_s_closed, p->I_z / 1e4);
  if (with_plastic && (p->W_pl_y > 0.1 || p->W_pl_z > 0.1))
    CP850_CALL(Oli_Printf, stream, "%splastische Widerstandsmomente W╬\\pl,y╬r = %.2lf cm╬/3╬r,  W╬\\pl,z╬r = %.2lf cm╬/3╬r\n",
               "", p->W_pl_y / 1000, p->W_pl_z / 1000);
  return 0;
}

int Calc_Profil_Rib_Model_Stress_Points(PROFIL_RIB_MODEL *m, const double *forces, FILE *stream) {
  if (!m) return 1;
  ProfilState &st = Profil_State();
  const int n = m->point_count;
  if (n < 0 || n > PROFIL_POINT_MAX) return 1;
  if (!forces) {
    _Clear_Stresses(m);
    const int rc = m->base.kind == PROFIL_KIND_QUER ? 1 : _Compute(m, &m->base, 1);
    if (rc) {
      _Report_Failure(stream);
      return 1;
    }
    int failed = 0;
    for (int k = 0; k < n; ++k) {
      const PROFIL_STRESS_POINT &p = m->points[k];
      if (p.number < 0) continue;
      // Unit stresses at the point for forces at the centroid in the y/z frame.
      if (!Calc_DWQB_Line_Point_Values(p.line, 0.1 * p.y, 0.1 * p.z, 0, 1, 0.0, 0.0, 0, 0.0, 2, 0.0, 0.0,
                                       &st.point_values[k]))
        failed = 1;
    }
    return failed;
  }
  int any = 0;
  for (int k = 0; k < 6; ++k) any |= std::fabs(forces[k]) >= 0.001;
  if (!any) {
    _Clear_Stresses(m);
    return 0;
  }
  // N, M_y, V_z, M_z, V_y (N, Nmm) to kN and kNcm in the solver's order N, M_y, M_z, V_y,
  // V_z, T_t, bimoment, warping torsion (the last three 0).
  const double solver[8] = {0.001 * forces[0], 0.0001 * forces[1], 0.0001 * forces[3], 0.001 * forces[4],
                            0.001 * forces[2], 0.0, 0.0, 0.0};
  int failed = 0;
  for (int k = 0; k < n; ++k) {
    PROFIL_STRESS_POINT &p = m->points[k];
    if (p.number < 0) continue;
    double out[3] = {0.0, 0.0, 0.0};
    if (!Combine_DWQB_Unit_Stresses(&st.point_values[k], solver, out)) failed = 1;
    for (int i = 0; i < 3; ++i) p.stress[i] = 10 * out[i];  // kN/cm² to N/mm²
  }
  return failed;
}
