// drawing/polygon_screen.cpp — the screen picture of an imported section (kind 2): the
// line model through the section catalogue's field plot, or the node polygons filled with
// their openings, the axes, "S" and "M".
#include <algorithm>
#include <cmath>

#include "drawing/drawing.h"
#include "drawing/drawing_state.h"
#include "drawing_base/drawing_base.h"
#include "dwqb/dwqb.h"
#include "host/host.h"
#include "querschnitt/querschnitt.h"

namespace {
constexpr unsigned char kDot[5] = {0x70, 0xF8, 0xF8, 0xF8, 0x70};
}

static int R(double v) { return Round_Pixel_Int(v); }

void Set_Querschnitt_Pixel_Transform(double s, int x0, int y0) {
  DrawingState &st = Drawing_State();
  st.q_scale = s;
  st.q_x0 = x0;
  st.q_y0 = y0;
}

void Querschnitt_to_Pixel(float y, float z, int32_t *px, int32_t *py) {
  const DrawingState &st = Drawing_State();
  if (px) *px = st.q_x0 - R(y * st.q_scale);
  if (py) *py = R(z * st.q_scale) + st.q_y0;
}

void Pixel_to_Querschnitt(int32_t px, int32_t py, float *y, float *z) {
  const DrawingState &st = Drawing_State();
  if (!(std::fabs(st.q_scale) > 0.001)) return;
  if (y) *y = static_cast<float>((st.q_x0 - px) / st.q_scale);
  if (z) *z = static_cast<float>((py - st.q_y0) / st.q_scale);
}

int Build_Polygon_Querschnitt_Points(const PROFIL *profil, double *x, double *y, int *id, int *number) {
  if (!profil || !profil->nodes || profil->node_count < 1) return 0;
  const SECTION_OUTLINE outline{profil->model_kind, profil->node_count, profil->nodes};
  return Expand_Outline_Arcs(&outline, x, y, id, number);
}

// Fills each polygon of the points whose ids start a new polygon by the comparison
// (solid areas: an id below the current one; openings: above), in fill, edged black.
static void _Polygons(const DrawingState &st, int n, bool solid, int x1, int y1, double scale, int fill) {
  const int black = Get_Screen_Colors()->black;
  int *px = const_cast<int *>(st.qpx.data()), *py = const_cast<int *>(st.qpy.data());
  int current = 0, m = 0;
  auto flush = [&]() {
    if (m > 0) Draw_Filled_Polygon(m, px, py, fill, 1, black);
    m = 0;
  };
  for (int i = 0; i < n; ++i) {
    const int id = st.qid[i];
    if (solid ? id < current : id > current) {
      flush();
      current = id;
    } else if (id != current || (solid ? id >= 0 : id <= 0)) {
      continue;
    }
    px[m] = x1 + R(scale * st.qx[i]);
    py[m] = y1 + R(scale * st.qy[i]);
    ++m;
  }
  flush();
}

void Draw_Polygon_Querschnitt(int x1, int y1, int x2, int y2, double scale, PROFIL *profil) {
  const SCREEN_COLORS *sc = Get_Screen_Colors();
  int saved;
  pxQFgc(&saved);
  pxFgc(sc->host_color);
  pxRect(x1, y1, x2, y2);
  pxFgc(saved);
  if (!profil || profil->kind != PROFIL_KIND_QUER || profil->node_count < 1 || !profil->nodes) return;
  const bool polygons = profil->model_kind != 0;
  if (!polygons && profil->line_count < 1) return;
  if (polygons && profil->line_count != 0) return;
  DrawingState &st = Drawing_State();
  st.qx.assign(OUTLINE_MAX_POINTS, 0.0);
  st.qy.assign(OUTLINE_MAX_POINTS, 0.0);
  st.qid.assign(OUTLINE_MAX_POINTS, 0);
  st.qpx.assign(OUTLINE_MAX_POINTS, 0);
  st.qpy.assign(OUTLINE_MAX_POINTS, 0);
  if (!polygons) {
    // The model is meant to stand in the imported entry's own coordinates (cm), before the
    // take-over's move by the largest y and the smallest z (mm), which place the origin.
    // The origin follows where the record's model really stands: a node of the solver's
    // model against the same node of the profile gives the move it carries.
    QUERSCHNITT *record = Build_Profil_Stress_Section(profil, 0, 0);
    double dy = profil->imported[PROFIL_IMP_Y_REF], dz = profil->imported[PROFIL_IMP_Z_REF];
    for (const DWQB_NODE *node = record ? Get_DWQB_First_Node() : nullptr; node; node = node->next)
      if (node->nr == profil->nodes[0].number) {
        dy = 10 * node->y - profil->nodes[0].y;
        dz = 10 * node->z - profil->nodes[0].z;
        break;
      }
    Set_Querschnitt_Pixel_Transform(10 * scale, x1 + R(dy * scale), y1 - R(scale * dz));
    Draw_Querschnitt_Filled(record, 0.0, 10.0, Querschnitt_to_Pixel, Pixel_to_Querschnitt);
    return;
  }
  const int n = Build_Polygon_Querschnitt_Points(profil, st.qx.data(), st.qy.data(), st.qid.data(), nullptr);
  if (n >= OUTLINE_MAX_POINTS) return;  // too many points: the rectangle alone
  if (scale < 0.001) {
    if (n < 1) return;
    const double X = *std::max_element(st.qx.begin(), st.qx.begin() + n);
    const double Y = *std::max_element(st.qy.begin(), st.qy.begin() + n);
    if (X < 1.0 || Y < 1.0) return;
    const double sx = ((x2 - 10) - (x1 + 10)) / X, sy = ((y2 - 10) - (y1 + 10)) / Y;
    if (sy <= sx) {
      scale = sy;
      x2 = x1 + 20 + R(X * sy);
    } else {
      scale = sx;
      y2 = y1 + 20 + R(sx * Y);
    }
    pxFgc(sc->host_color);
    pxRect(x1, y1, x2, y2);
    pxFgc(saved);
    x1 += 10;
    y1 += 10;
  }
  _Polygons(st, n, true, x1, y1, scale, sc->lavender_light);
  _Polygons(st, n, false, x1, y1, scale, sc->host_color);
  const double a = profil->alpha * 0.017453292519943295;
  const int xs = x1 - R(scale * profil->y_s), ys = R(scale * profil->z_s) + y1;
  pxFgc(sc->green);
  if (std::fabs(a) >= 0.001) {
    const char l1[2] = {'\xC1', 0}, l2[2] = {'\xD3', 0};
    Draw_Axis_Arrow(xs, ys, 30, l1, a);
    Draw_Axis_Arrow(xs, ys, 30, l2, a + M_PI / 2);
  } else {
    Draw_Axis_Arrow(xs, ys, 30, "y", 0);
    Draw_Axis_Arrow(xs, ys, 30, "z", M_PI / 2);
  }
  pxText(xs + 4, ys, "S", 1);
  if (std::fabs(profil->y_M) > 0.1 || std::fabs(profil->z_M) > 0.1) {
    const int xm = Trunc_Pixel(xs - profil->y_M * scale), ym = Trunc_Pixel(ys + profil->z_M * scale);
    pxText(xm + 4, ym, "M", 1);
    pxMask(xm - 2, ym - 2, xm + 2, ym + 2, kDot, 1);
  }
  pxFgc(saved);
}
