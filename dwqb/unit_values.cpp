// Unit values of a line at a parameter (shear flows and stresses, warping flow and stress)
// and the extremes of the normal-stress coefficients over the outline of a part-mode run.
#include <cstring>

#include "dwqb/stress_internal.h"

// The unit values of the line numbered line at s: 0, and out untouched, when there is no
// such line, it has no result block or out is null.
int Get_DWQB_Line_Shear_Flows(int line, double s, int angle_kind, double angle, double *out) {
  return Get_DWQB_Line_Shear_Values(Find_DWQB_Line_Record(line), angle_kind, out, s, angle, 0);
}

int Get_DWQB_Line_Shear_Stresses(int line, double s, int angle_kind, double angle, double *out) {
  return Get_DWQB_Line_Shear_Values(Find_DWQB_Line_Record(line), angle_kind, out, s, angle, 1);
}

int Get_DWQB_Line_Warping_Flow(int line, double s, int frame, double y_p, double z_p, double *out) {
  return Get_DWQB_Line_Warping_Values(Find_DWQB_Line_Record(line), frame, out, s, y_p, z_p, 0);
}

int Get_DWQB_Line_Warping_Stress(int line, double s, double *out) {
  return Get_DWQB_Line_Warping_Values(Find_DWQB_Line_Record(line), DWQB_FRAME_SHEAR_CENTRE, out, s, 0.0, 0.0, 1);
}

namespace {
// Context of the outline walk: load point and bending frame, extremes so far.
struct OutlineExtremes {
  int frame, angle_kind;
  double y_p, z_p, theta;
  double lo[3], hi[3];
  bool first;
};

void _Take_Point(OutlineExtremes &c, double y, double z) {
  double v[3];
  Calc_DWQB_Normal_Stress_Plane(y, z, c.frame, c.y_p, c.z_p, c.angle_kind, c.theta, v);
  for (int j = 0; j < 3; ++j) {
    if (c.first || v[j] < c.lo[j]) c.lo[j] = v[j];
    if (c.first || v[j] > c.hi[j]) c.hi[j] = v[j];
  }
  c.first = false;
}

// Segment step of the piece walk: both end points of every chord.
int _Outline_Point_Step(void *ctx, double y1, double z1, double, double y2, double z2, double) {
  auto *c = static_cast<OutlineExtremes *>(ctx);
  _Take_Point(*c, y1, z1);
  _Take_Point(*c, y2, z2);
  return 1;
}

// Line step: the present outline pieces of a line whose area counts (kind 1).
int _Outline_Line_Step(DWQB_LINE *line, int kind, void *ctx) {
  if (!line || kind != DWQB_PART_LINE) return 1;
  for (const DWQB_OUTLINE_PIECE &p : line->outline)
    if (Dwqb_Piece_Present(p)) Walk_DWQB_Outline_Piece(&p, -1, _Outline_Point_Step, ctx);
  return 1;
}
}  // namespace

int Get_DWQB_Outline_Stress_Extremes(int frame, double y_p, double z_p, int angle_kind, double theta,
                                     double *minima, double *maxima) {
  OutlineExtremes c{frame, angle_kind, y_p, z_p, theta, {0, 0, 0}, {0, 0, 0}, true};
  DWQB_WALK_STEPS st{};
  st.line_step = _Outline_Line_Step;
  st.line_ctx = &c;
  Walk_DWQB_Part_Tree(&st);
  if (minima) std::memcpy(minima, c.lo, sizeof c.lo);
  if (maxima) std::memcpy(maxima, c.hi, sizeof c.hi);
  return c.first ? 0 : 1;
}
