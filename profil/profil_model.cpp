// profil/profil_model.cpp — the thin-walled model of a profile: the shape's plates as
// nodes and wall lines of the solver (centre lines, cm), the run, and the values copied
// back in mm units with the centroid moved to the profile's reference corner.
//
// Model coordinates (mm, handed over × 0.1): y across the profile with 0 on its axis of
// symmetry (the web axis of I and T shapes), z down from the top edge.
#include <cmath>
#include <initializer_list>

#include "dwqb/dwqb.h"
#include "dwqb/dwqb_plastic.h"
#include "profil/profil.h"
#include "profil/profil_state.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kLeast = 0.001;  // least dimension that counts as present (mm)

// Line values 0..8: t_a, t_b, rise, rotation a, rotation b, r_al, r_ar, r_el, r_er.
enum { V_TA = 0, V_TB = 1, V_RAL = 5, V_RAR = 6, V_REL = 7, V_RER = 8 };

// The builder's running state: next node and line numbers, the nine-value array (mm) and
// where the model goes (the solver's current section when no sink is given).
struct Builder {
  int node = 1;
  int line = 1;
  double v[9] = {};
  const PROFIL_MODEL_SINK *sink = nullptr;

  int Node(double y, double z) {
    if (sink)
      sink->node(sink->context, node, y, z);
    else
      Add_DWQB_Node(node, 0.1 * y, 0.1 * z);
    return node++;
  }
  // A wall line of thickness t; the radii r_al, r_ar, r_el, r_er (mm).
  void Line(int a, int b, double t, double ral = 0, double rar = 0, double rel = 0, double rer = 0) {
    for (double &x : v) x = 0.0;
    v[V_TA] = v[V_TB] = t;
    v[V_RAL] = ral;
    v[V_RAR] = rar;
    v[V_REL] = rel;
    v[V_RER] = rer;
    if (sink)
      sink->line(sink->context, line++, a, b, v);
    else
      Add_Profil_DWQB_Line(line++, a, b, v);
  }
};

int _Present(double width, double thickness) { return width > kLeast && thickness > kLeast; }

void _Build_Angle(const PROFIL *p, Builder &m, double top, double second, int mirror) {
  const double y0 = (p->b_fo - p->t_w) / 2, s = mirror ? -1.0 : 1.0, zl = p->h - p->t_fo / 2;
  const int n1 = m.Node(s * y0, 0.0);
  if (_Present(p->b_fo, p->t_fo)) {
    const int n2 = m.Node(-s * p->b_fo / 2, zl);
    const int n3 = m.Node(s * y0, zl);
    if (!mirror) {
      m.Line(n2, n3, p->t_fo, 0, second, 0, top);
      m.Line(n1, n3, p->t_w, second, 0, top, 0);
    } else {
      m.Line(n2, n3, p->t_fo, second, 0, top, 0);
      m.Line(n1, n3, p->t_w, 0, second, 0, top);
    }
  } else {
    const int n2 = m.Node(s * y0, zl);
    if (!mirror) m.Line(n1, n2, p->t_w, second, 0, top, 0);
    else m.Line(n1, n2, p->t_w, 0, second, 0, top);
  }
}

void _Build_I(const PROFIL *p, Builder &m, double top, double bottom) {
  const double zt = p->t_fo / 2, zb = p->h - p->t_fu / 2;
  int web_a, web_b;
  if (_Present(p->b_fo, p->t_fo)) {
    const int n1 = m.Node(p->b_fo / 2, zt);
    web_a = m.Node(0.0, zt);
    const int n3 = m.Node(-p->b_fo / 2, zt);
    m.Line(n1, web_a, p->t_fo, 0, 0, 0, top);
    m.Line(n3, web_a, p->t_fo, 0, 0, top, 0);
  } else {
    web_a = m.Node(0.0, zt);
  }
  if (_Present(p->b_fu, p->t_fu)) {
    const int n4 = m.Node(p->b_fu / 2, zb);
    web_b = m.Node(0.0, zb);
    const int n6 = m.Node(-p->b_fu / 2, zb);
    m.Line(n4, web_b, p->t_fu, 0, 0, bottom, 0);
    m.Line(n6, web_b, p->t_fu, 0, 0, 0, bottom);
  } else {
    web_b = m.Node(0.0, zb);
  }
  m.Line(web_a, web_b, p->t_w, top, top, bottom, bottom);
}

void _Build_Channel(const PROFIL *p, Builder &m, double top, double second) {
  const double y0 = (p->b_fo - p->t_w) / 2, zt = p->t_fo / 2, zb = p->h - p->t_fo / 2;
  if (_Present(p->b_fo, p->t_fo)) {
    const int n1 = m.Node(-p->b_fo / 2, zt);
    const int n2 = m.Node(y0, zt);
    const int n3 = m.Node(-p->b_fo / 2, zb);
    const int n4 = m.Node(y0, zb);
    m.Line(n1, n2, p->t_fo, second, 0, top, 0);
    m.Line(n3, n4, p->t_fo, 0, second, 0, top);
    m.Line(n2, n4, p->t_w, top, 0, top, 0);
  } else {
    const int n1 = m.Node(y0, zt);
    const int n2 = m.Node(y0, zb);
    m.Line(n1, n2, p->t_w, top, 0, top, 0);
  }
}

void _Build_RHS(const PROFIL *p, Builder &m, double top, double second) {
  const double y0 = (p->b_fo - p->t_w) / 2, zt = p->t_fo / 2, zb = p->h - p->t_fo / 2;
  const int n1 = m.Node(y0, zt);
  const int n2 = m.Node(-y0, zt);
  const int n3 = m.Node(y0, zb);
  const int n4 = m.Node(-y0, zb);
  m.Line(n1, n2, p->t_fo, top, second, top, second);
  m.Line(n3, n4, p->t_fo, second, top, second, top);
  m.Line(n1, n3, p->t_w, second, top, second, top);
  m.Line(n2, n4, p->t_w, top, second, top, second);
}

void _Build_T(const PROFIL *p, Builder &m, double top, double second) {
  const double zt = p->t_fo / 2;
  if (_Present(p->b_fo, p->t_fo)) {
    const int n1 = m.Node(p->b_fo / 2, zt);
    const int n2 = m.Node(0.0, zt);
    const int n3 = m.Node(-p->b_fo / 2, zt);
    const int n4 = m.Node(0.0, p->h);
    m.Line(n1, n2, p->t_fo, 0, second, 0, top);
    m.Line(n2, n3, p->t_fo, 0, top, 0, second);
    m.Line(n2, n4, p->t_w, top, top, 0, 0);
  } else {
    const int n1 = m.Node(0.0, zt);
    const int n2 = m.Node(0.0, p->h);
    m.Line(n1, n2, p->t_w, top, top, 0, 0);
  }
}

void _Build_Z(const PROFIL *p, Builder &m, double top, double bottom, double second) {
  const double zt = p->t_fo / 2, zb = p->h - p->t_fo / 2;
  const int present = _Present(p->b_fo, p->t_fo);
  int web_a, web_b;
  if (present) {
    const int n1 = m.Node(p->b_fo / 2, zt);
    web_a = m.Node(0.0, zt);
    const int n3 = m.Node(-p->b_fo / 2, zb);
    web_b = m.Node(0.0, zb);
    m.Line(n1, web_a, p->t_fo, 0, second, 0, top);
    m.Line(n3, web_b, p->t_fo, 0, second, 0, bottom);
  } else {
    web_a = m.Node(0.0, zt);
    web_b = m.Node(0.0, zb);
  }
  m.Line(web_a, web_b, p->t_w, 0, top, bottom, 0);
}

// One flange of the box girder, nodes from right to left; returns the nodes (y1), (−y1).
void _Box_Flange(Builder &m, double b, double ue, double y1, double z, double t, int *right, int *left) {
  int nodes[4], n = 0;
  if (ue > kLeast) nodes[n++] = m.Node(b / 2 + ue, z);
  *right = nodes[n++] = m.Node(y1, z);
  *left = nodes[n++] = m.Node(-y1, z);
  if (ue > kLeast) nodes[n++] = m.Node(-b / 2 - ue, z);
  for (int k = 0; k + 1 < n; ++k) m.Line(nodes[k], nodes[k + 1], t);
}

void _Build_Box(const PROFIL *p, Builder &m) {
  const double y1 = p->b_fo / 2 - p->t_w / 2, y2 = p->b_fu / 2 - p->t_w / 2;
  int tr, tl, br, bl;
  _Box_Flange(m, p->b_fo, p->ue_o, y1, p->t_fo / 2, p->t_fo, &tr, &tl);
  _Box_Flange(m, p->b_fu, p->ue_u, y2, p->h - p->t_fu / 2, p->t_fu, &br, &bl);
  m.Line(tr, br, p->t_w);
  m.Line(tl, bl, p->t_w);
}

// The 32-gon of a round bar (radius h/4, thickness h/2) or a tube wall.
void _Build_Polygon(Builder &m, double R, double t) {
  const int first = m.node;
  for (int k = 0; k < 32; ++k) {
    const double phi = k * 0.19634954084936207;
    m.Node(R * std::sin(phi), R * std::cos(phi));
  }
  for (int k = 0; k < 32; ++k) m.Line(first + k, first + (k + 1) % 32, t);
}

// The trapezoid as the rib of Add_Profil_DWQB_Rib on a plate of thickness 0 at z = h:
// feet (f, h), (−f, h), web to (−f + e, t_fo/2), flange to (f − e, t_fo/2), web back.
void _Build_Trapez(const PROFIL *p, Builder &m) {
  double w = 0.0, e = 0.0, g = 0.0;
  Get_Profil_Rib_Geometry(p, 0.0, nullptr, &w, &e, &g);
  const double f = (p->b_fu - w) / 2;
  const int n1 = m.Node(f, p->h);
  const int n2 = m.Node(-f, p->h);
  const int n3 = m.Node(e - g, p->t_fo / 2);
  m.Line(n2, n3, p->t_w);
  const int n4 = m.Node(g - e, p->t_fo / 2);
  m.Line(n3, n4, p->t_fo);
  m.Line(n4, n1, p->t_w);
}

void _Build_Model(const PROFIL *p, Builder &m, double top, double bottom, double second, int mirror) {
  switch (p->type) {
    case PROFIL_FLAT: {
      const int a = m.Node(0.0, 0.0), b = m.Node(0.0, p->h);
      m.Line(a, b, p->t_w);
      break;
    }
    case PROFIL_ROUND: _Build_Polygon(m, p->h / 4, p->h / 2); break;
    case PROFIL_CHS: _Build_Polygon(m, p->h / 2 - p->t_w / 2, p->t_w); break;
    case PROFIL_ANGLE: _Build_Angle(p, m, top, second, mirror); break;
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
      _Build_I(p, m, top, bottom);
      break;
    case PROFIL_C: case PROFIL_U: _Build_Channel(p, m, top, second); break;
    case PROFIL_RHS: _Build_RHS(p, m, top, second); break;
    case PROFIL_T: case PROFIL_HALF_I: _Build_T(p, m, top, second); break;
    case PROFIL_Z: _Build_Z(p, m, top, bottom, second); break;
    case PROFIL_BOX: _Build_Box(p, m); break;
    case PROFIL_TRAPEZ: _Build_Trapez(p, m); break;
    default: break;  // type 0 and types above 17 build nothing
  }
}

// Plastic moduli of the solver's current section (cm³) about y and z through the
// centroid: records 0 and 1 of the solver's plastic values. 0 when they failed.
int _Solver_Plastic_Moduli(double *w_y, double *w_z) {
  DWQB_PLASTIC_RECORD records[8];
  *w_y = *w_z = 0.0;
  if (!Calc_DWQB_Plastic_Values(records)) return 0;
  *w_y = records[0].W_pl;
  *w_z = records[1].W_pl;
  return 1;
}

double _Small_to_Zero(double x) { return std::fabs(x) < kLeast ? 0.0 : x; }

}  // namespace

void Set_Profil_Plastic_Moduli_Flag(int on) { Profil_State().plastic_moduli = on; }

int Build_Profil_Model(const PROFIL *p, const PROFIL_MODEL_SINK *sink, int mirror, int *node_count, int *line_count) {
  Builder m;
  m.sink = sink;
  if (p && sink && sink->node && sink->line) {
    double top = 0.0, bottom = 0.0, second = 0.0;
    Get_Profil_Fillet_Sizes(p, &top, &bottom, &second);
    if (!p->rolled) top = bottom = 0.0;
    _Build_Model(p, m, top, bottom, second, mirror);
  }
  if (node_count) *node_count = m.node - 1;
  if (line_count) *line_count = m.line - 1;
  return m.line > 1 ? 0 : 1;
}

void Set_Profil_Model_Options(unsigned options) { Profil_State().model_options = options; }

void Add_Profil_DWQB_Line(int nr, int node_a, int node_b, const double *values_mm) {
  double cm[9] = {};
  if (values_mm)
    for (int k = 0; k < 9; ++k) cm[k] = 0.1 * values_mm[k];
  Add_DWQB_Line(nr, 0, node_a, node_b, cm);
}

void Get_Profil_Rib_Geometry(const PROFIL *rib, double t_p, double *angle, double *w, double *e, double *g) {
  double a = 0.0, ww = 0.0, ee = 0.0, gg = 0.0;
  if (rib) {
    if (rib->type == PROFIL_C || rib->type == PROFIL_U) {
      gg = (rib->h - rib->t_fo) / 2;
    } else if (rib->type == PROFIL_TRAPEZ) {
      a = Get_Profil_Taper_Angle(rib);
      const double c = std::cos(a);
      ww = c == 0.001 ? rib->t_w : rib->t_w / c;
      ee = (rib->h + t_p / 2 - rib->t_fo / 2) * std::tan(a);
      gg = (t_p * std::tan(a) - ww + rib->b_fu) / 2;
    }
  }
  if (angle) *angle = a;
  if (w) *w = ww;
  if (e) *e = ee;
  if (g) *g = gg;
}

void Add_Profil_DWQB_Rib(double *values, const PROFIL *rib, int *node_counter, double t_p, int *line_counter,
                         int foot, double u, double s, double d, int horizontal) {
  if (!rib || !values || !node_counter || !line_counter || foot < 0 || *node_counter < 0 || *line_counter < 0)
    return;
  if (rib->type != PROFIL_TRAPEZ || !horizontal) return;
  double e = 0.0, g = 0.0;
  Get_Profil_Rib_Geometry(rib, t_p, nullptr, nullptr, &e, &g);
  const double P = t_p / 2 + rib->h;
  const double level = s + d * (P - rib->t_fo / 2);
  auto node = [&](double y, double z) {
    Add_DWQB_Node(*node_counter, 0.1 * y, 0.1 * z);
    return (*node_counter)++;
  };
  auto wall = [&](int a, int b, double t) {
    for (int k = 0; k < 9; ++k) values[k] = 0.0;
    values[V_TA] = values[V_TB] = t;
    Add_Profil_DWQB_Line((*line_counter)++, a, b, values);
  };
  const int n = node(u + e - g, level);
  wall(foot, n, rib->t_w);
  const int n1 = node(u + g - e, level);
  wall(n, n1, rib->t_fo);
  wall(n1, foot - 1, rib->t_w);
  values[V_TA] = values[V_TB] = 0.0;  // thicknesses and radii back to 0
}

int Calc_Profil_DWQB_Querschnittswerte(PROFIL *p, const void *rib_specs, const void *hole_tables, int mirror,
                                       int n_points, void *points) {
  (void)rib_specs;
  (void)hole_tables;
  if (!p) return 1;
  if (!points) n_points = 0;
  (void)n_points;  // no stress points are placed in this version
  p->A = p->y_s = p->z_s = p->y_M = p->z_M = 0.0;
  p->I_y = p->I_z = p->I_yz = p->I_T = p->I_w = p->alpha = 0.0;
  p->W_pl_y = p->W_pl_z = 0.0;
  const int plastic = Profil_State().plastic_moduli;

  Reset_DWQB_Querschnitt();  // also drops the plastic masks of the section before
  Get_DWQB_Header()->options |= Profil_State().model_options;
  double top = 0.0, bottom = 0.0, second = 0.0;
  Get_Profil_Fillet_Sizes(p, &top, &bottom, &second);
  if (!p->rolled) top = bottom = 0.0;  // welded shapes without weld fillets
  Builder m;
  _Build_Model(p, m, top, bottom, second, mirror);
  const int rc = Calc_DWQB_Querschnitt();

  if (p->type == PROFIL_FLAT) {
    const double h = p->h, t = p->t_w;
    p->A = h * t;
    p->z_s = h / 2;
    p->y_s = -t / 2;
    p->I_y = h * 0.08333333333333333 * h * p->A;
    p->I_z = t * 0.08333333333333333 * p->A * t;
    if (plastic) {
      p->W_pl_y = h * p->A / 4;
      p->W_pl_z = p->A * t / 4;
    }
    p->I_T = Calc_Rectangle_Torsion_Constants(t, h, nullptr);
    p->I_w = 0.0;
    return rc;
  }
  if (p->type == PROFIL_ROUND) {
    const double R = p->h / 2;
    p->A = kPi * R * R;
    p->z_s = R;
    p->y_s = -R;
    p->I_y = p->I_z = 0.7853981633974483 * R * R * R * R;
    if (plastic) p->W_pl_y = p->W_pl_z = 1.3333333333333333 * R * R * R;
    p->I_T = 1.5707963267948966 * R * R * R * R;
    p->I_w = 0.0;
    return rc;
  }

  const DWQB_VALUES *v = Get_DWQB_Values();
  if (rc != 0) return rc;  // section values stay 0
  if (v->v[DWQB_V_A] < 0.001) return 1;

  p->A = 100 * v->v[DWQB_V_A];
  p->y_s = 10 * v->v[DWQB_V_YS];
  p->z_s = 10 * v->v[DWQB_V_ZS];
  p->I_y = 1e4 * v->v[DWQB_V_IM];
  p->I_z = 1e4 * v->v[DWQB_V_IN];
  p->I_yz = 1e4 * v->v[DWQB_V_IMN];
  p->I_T = 1e4 * v->v[DWQB_V_IT];
  p->I_w = 1e6 * v->v[DWQB_V_IW];
  p->alpha = kRadToDeg * v->v[DWQB_V_ALPHA];
  p->y_M = 10 * (v->v[DWQB_V_YM] - v->v[DWQB_V_YS]);
  p->z_M = 10 * (v->v[DWQB_V_ZM] - v->v[DWQB_V_ZS]);

  // Reference corner and the torsion correction of rolled shapes, whose fillets the wall
  // model of the torsion constant does not see.
  switch (p->type) {
    case PROFIL_CHS:
      p->y_s = -p->h / 2;
      p->z_s = p->h / 2;
      break;
    case PROFIL_ANGLE:
      p->y_s = mirror ? -p->b_fo / 2 - p->y_s : p->y_s - p->b_fo / 2;
      if (p->rolled && p->r > std::fmax(p->t_w, p->t_fo)) p->I_T *= 0.99;
      break;
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
      p->y_s -= std::fmax(p->b_fo, p->b_fu) / 2;
      if (p->rolled && p->r > std::fmax(std::fmax(p->t_fu, p->t_fo), p->t_w)) p->I_T *= 1.3;
      break;
    case PROFIL_C: case PROFIL_T: case PROFIL_U: case PROFIL_Z: case PROFIL_HALF_I:
      p->y_s -= p->b_fo / 2;
      if (p->rolled && p->r > std::fmax(p->t_w, p->t_fo)) p->I_T *= 1.12;
      break;
    case PROFIL_RHS:
      p->y_s -= p->b_fo / 2;
      break;
    case PROFIL_BOX:
      p->y_s -= std::fmax(p->b_fu + 2 * p->ue_u, p->b_fo + 2 * p->ue_o) / 2;
      break;
    default:
      break;
  }
  for (double *x : {&p->A, &p->y_s, &p->z_s, &p->I_y, &p->I_z, &p->I_yz, &p->I_T, &p->I_w, &p->alpha, &p->y_M,
                    &p->z_M})
    *x = _Small_to_Zero(*x);

  if (!plastic) return 0;
  double w_y = 0.0, w_z = 0.0;
  if (!_Solver_Plastic_Moduli(&w_y, &w_z)) return 1;
  p->W_pl_y = _Small_to_Zero(1000 * w_y);
  p->W_pl_z = _Small_to_Zero(1000 * w_z);
  return 0;
}

int Get_Profil_DWQB_Querschnittswerte(PROFIL *p, const void *rib_specs, const void *hole_tables, int mirror,
                                      int n_points, void *points) {
  if (p && p->kind == PROFIL_KIND_QUER) return 0;
  return Calc_Profil_DWQB_Querschnittswerte(p, rib_specs, hole_tables, mirror, n_points, points);
}
