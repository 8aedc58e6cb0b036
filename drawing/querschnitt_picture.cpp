// drawing/querschnitt_picture.cpp — the coloured field plot of a section record's
// thin-walled model on the screen: every wall line's outline filled, the principal axes,
// the centroid "S" and the shear centre "M".
#include <cmath>
#include <vector>

#include "drawing/drawing.h"
#include "drawing_base/drawing_base.h"
#include "dwqb/dwqb.h"
#include "host/host.h"
#include "querschnitt/querschnitt.h"

namespace {
constexpr unsigned char kDot[5] = {0x70, 0xF8, 0xF8, 0xF8, 0x70};

// The outline of one wall line in pixels, without repeated points.
struct OutlineWalk {
  QS_TO_PIXEL_FN to_pixel;
  std::vector<int> x, y;
  void Add(double y_cm, double z_cm) {
    int32_t px, py;
    to_pixel(static_cast<float>(y_cm), static_cast<float>(z_cm), &px, &py);
    if (!x.empty() && x.back() == px && y.back() == py) return;
    x.push_back(px);
    y.push_back(py);
  }
};
}  // namespace

static int _Chord(void *ctx, double y1, double z1, double, double y2, double z2, double) {
  auto *w = static_cast<OutlineWalk *>(ctx);
  w->Add(y1, z1);
  w->Add(y2, z2);
  return 1;
}

void Draw_Querschnitt_Filled(const QUERSCHNITT *record, double reserved, double arm_cm, QS_TO_PIXEL_FN to_pixel,
                             QS_TO_SECTION_FN to_section) {
  (void)reserved;
  (void)to_section;  // kept for the caller's picking; the picture never calls it
  if (!record || !to_pixel || Build_Profil_Thin_Walled_Model(&record->view) != 0) return;
  if (!Get_DWQB_First_Line()) return;
  const SCREEN_COLORS *sc = Get_Screen_Colors();
  for (const DWQB_LINE *line = Get_DWQB_First_Line(); line; line = line->next) {
    const DWQB_OUTLINE_PIECE *pieces = Find_DWQB_Line(line->nr);
    if (!pieces) continue;
    OutlineWalk walk{to_pixel, {}, {}};
    for (int i = 0; i < 10; ++i) {
      const DWQB_OUTLINE_PIECE &p = pieces[i];
      if (!(p.flags & DWQB_PIECE_COMPUTED) || (p.flags & DWQB_PIECE_EMPTY)) continue;
      if (p.flags & DWQB_PIECE_ARC) Walk_DWQB_Outline_Piece_Checked(&p, -1, _Chord, &walk);
      else _Chord(&walk, p.y0, p.z0, p.s0, p.y1, p.z1, p.s1);
    }
    const int n = static_cast<int>(walk.x.size());
    if (n > 1 && walk.x[0] == walk.x[n - 1] && walk.y[0] == walk.y[n - 1]) walk.x.pop_back(), walk.y.pop_back();
    Draw_Filled_Polygon(static_cast<int>(walk.x.size()), walk.x.data(), walk.y.data(), sc->lavender_light, 1,
                        sc->black);
  }
  const double *v = Get_DWQB_Values()->v;
  const double ys = v[DWQB_V_YS], zs = v[DWQB_V_ZS], ym = v[DWQB_V_YM], zm = v[DWQB_V_ZM], a = v[DWQB_V_ALPHA];
  int32_t xs, ys_px, xe, ye, xm, ym_px;
  to_pixel(static_cast<float>(ys), static_cast<float>(zs), &xs, &ys_px);
  to_pixel(static_cast<float>(ys + 0.3 * arm_cm), static_cast<float>(zs), &xe, &ye);
  to_pixel(static_cast<float>(ym), static_cast<float>(zm), &xm, &ym_px);
  const int L = Round_Pixel_Int(std::hypot(xe - xs, ye - ys_px));  // the arm in pixels
  int saved;
  pxQFgc(&saved);
  pxFgc(sc->green);
  if (std::fabs(a) >= 0.001) {
    Draw_Axis_Arrow(xs, ys_px, L, "\xC1", a);
    Draw_Axis_Arrow(xs, ys_px, L, "\xD3", a + M_PI / 2);
  } else {
    Draw_Axis_Arrow(xs, ys_px, L, "y", 0);
    Draw_Axis_Arrow(xs, ys_px, L, "z", M_PI / 2);
  }
  pxText(xs + 4, ys_px, "S", 1);
  if (std::fabs(ym - ys) > 0.01 || std::fabs(zm - zs) > 0.01) {  // 0.1 mm
    pxText(xm + 4, ym_px, "M", 1);
    pxMask(xm - 2, ym_px - 2, xm + 2, ym_px + 2, kDot, 1);
  }
  pxFgc(saved);
}
