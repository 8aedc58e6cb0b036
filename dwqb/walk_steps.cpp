// Small walks and steps: the chord walk of a line geometry, the segment steps of the
// line shear constants and of clipping at a parameter bound, and the entry code of a line
// in the part tree.
#include <cmath>
#include <cstdio>

#include "dwqb/dwqb_internal.h"

int Walk_DWQB_Line_Geometry(const DWQB_LINE_GEOMETRY *geo, int n, DWQB_SEGMENT_STEP step, void *context) {
  if (!geo || !step) return 0;
  if (n < 0) n = geo->n_seg;
  if (n < 1) n = 1;
  double y0, z0, s0 = -1.0;
  Get_DWQB_Line_Geometry_Point(s0, 0.0, geo, &y0, &z0);
  int answer = 1;
  for (int k = 1; k <= n; ++k) {
    const double s1 = k == n ? 1.0 : -1.0 + 2.0 * k / n;
    double y1, z1;
    Get_DWQB_Line_Geometry_Point(s1, 0.0, geo, &y1, &z1);
    answer = step(context, y0, z0, s0, y1, z1, s1);
    if (!answer) return 0;
    y0 = y1;
    z0 = z1;
    s0 = s1;
  }
  return answer;
}

int Apply_Init_Line_Shear_Constants(void *context, double y1, double z1, double s1, double y2, double z2,
                                    double s2) {
  auto *c = static_cast<DWQB_LINE_SHEAR_CONSTANTS *>(context);
  if (!c) return 1;
  if (c->segments > 0) {
    const double jump = std::fabs(y1 - c->y_prev) + std::fabs(z1 - c->z_prev);
    if (jump > 1e-6)
      std::printf("Apply_Init_Line_Shear_Constants(%d, %.2f): Sprung (%.2e)\n    vor (%.2f: %.2f,%.2f) --> (%.2f: "
                  "%.2f,%.2f)\n",
                  c->line_nr, c->value, jump, s1, y1, z1, s2, y2, z2);
  }
  c->sums[0] += Calc_Segment_Moment(0, 0, y1, z1, y2, z2);
  c->sums[1] += Calc_Segment_Moment(1, 0, y1, z1, y2, z2);
  c->sums[2] += Calc_Segment_Moment(0, 1, y1, z1, y2, z2);
  c->y_prev = y2;
  c->z_prev = z2;
  ++c->segments;
  return 1;
}

int Clip_Segment_Step(void *context, double y1, double z1, double s1, double y2, double z2, double s2) {
  auto *c = static_cast<DWQB_CLIP_SEGMENT *>(context);
  if (!c || !c->step) return 1;
  const double b = c->bound;
  if ((s1 < b && s2 > b) || (s1 > b && s2 < b)) {
    const double t = (b - s1) / (s2 - s1);
    const double ym = y1 + t * (y2 - y1), zm = z1 + t * (z2 - z1);
    c->side = s1 < b ? -1 : 1;
    if (!c->step(c->step_context, y1, z1, s1, ym, zm, b)) return 0;
    c->side = s2 < b ? -1 : 1;
    return c->step(c->step_context, ym, zm, b, y2, z2, s2);
  }
  c->side = (s1 + s2) / 2.0 < b ? -1 : 1;
  return c->step(c->step_context, y1, z1, s1, y2, z2, s2);
}

int Count_Line_Side_Step(DWQB_SHEAR_ENTRY *entry, void *context) {
  auto *c = static_cast<DWQB_ENTRY_CODE_CONTEXT *>(context);
  if (!entry || !c) return 1;
  ++c->count;
  if (entry->line != c->line) return 1;
  if (entry->flags & DWQB_SHEAR_FIRST) c->count += 1000;
  if (entry->flags & DWQB_SHEAR_LAST) c->count += 2000;
  if (entry->flags & DWQB_SHEAR_BRANCH) c->count += 10000;
  if (entry->flags & DWQB_SHEAR_B_TO_A) {
    c->go_on = -1;
    c->count = -c->count;
  } else {
    c->go_on = 1;
  }
  return 0;
}

int Get_DWQB_Line_Entry_Code(int nr, int *go_on) {
  // The direction word starts at 0, so that a line the walk never meets is told apart
  // from a line found at the end of the walk.
  DWQB_ENTRY_CODE_CONTEXT c{Find_DWQB_Line_Record(nr), 0, 0};
  if (c.line) {
    DWQB_WALK_STEPS st{};
    st.entry_step = Count_Line_Side_Step;
    st.entry_ctx = &c;
    Walk_DWQB_Part_Tree(&st);
  }
  if (go_on) *go_on = c.go_on;
  return c.go_on != 0 ? c.count : 0;
}
