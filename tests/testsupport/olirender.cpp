// Renderer of the print list's graphic blocks (see olirender.h and print/FORMAT.md).
#include "tests/testsupport/olirender.h"

#include <algorithm>
#include <cmath>

#include "host/host.h"

namespace {

constexpr double kPx = OLI_RENDER_PIXELS_PER_CM;
constexpr double kFar = 1e15;  // pixel coordinates are held within this, so sums stay finite
constexpr int kSaveDepth = 16;
constexpr int kMaxScale = 8;
constexpr std::size_t kMaxTextBytes = 1024;

struct Style {
  uint8_t rgb[3];
  int fill_code;
};

struct Canvas {
  int w, h;
  double top;  // paper height in pixels: v = top − Y·40
  std::vector<uint8_t> &rgb;

  void Put(int x, int y, const uint8_t c[3]) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    uint8_t *p = &rgb[(std::size_t(y) * std::size_t(w) + std::size_t(x)) * 3];
    p[0] = c[0], p[1] = c[1], p[2] = c[2];
  }
};

double Near(double v) { return v > kFar ? kFar : v < -kFar ? -kFar : v == v ? v : kFar; }

// Paper cm to continuous pixel coordinates (x to the right, y downward).
void To_Pixel(const Canvas &cv, double X, double Y, double *u, double *v) {
  *u = Near(X * kPx);
  *v = Near(cv.top - Near(Y * kPx));
}

// The pixel index of a continuous coordinate inside [0, n]; the far border is the last pixel.
int Cell(double u, int n) {
  if (!(u > 0)) return 0;
  if (u >= n) return n - 1;
  return std::min(int(u), n - 1);
}

// Cuts the segment to the closed rectangle [0, w] × [0, h] (Liang–Barsky); false when
// nothing of it is inside.
bool Clip_Segment(double w, double h, double &x1, double &y1, double &x2, double &y2) {
  double t0 = 0, t1 = 1, dx = x2 - x1, dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy}, q[4] = {x1, w - x1, y1, h - y1};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) return false;
      continue;
    }
    double r = q[k] / p[k];
    if (p[k] < 0) t0 = std::max(t0, r);
    else t1 = std::min(t1, r);
    if (t0 > t1) return false;
  }
  double ax = x1 + t0 * dx, ay = y1 + t0 * dy, bx = x1 + t1 * dx, by = y1 + t1 * dy;
  x1 = ax, y1 = ay, x2 = bx, y2 = by;
  return true;
}

// A 1-pixel line between two paper points (Bresenham between the pixels of its clipped ends).
void Draw_Line(Canvas &cv, double X1, double Y1, double X2, double Y2, const uint8_t c[3]) {
  double u1, v1, u2, v2;
  To_Pixel(cv, X1, Y1, &u1, &v1);
  To_Pixel(cv, X2, Y2, &u2, &v2);
  if (!Clip_Segment(cv.w, cv.h, u1, v1, u2, v2)) return;
  int x = Cell(u1, cv.w), y = Cell(v1, cv.h), xe = Cell(u2, cv.w), ye = Cell(v2, cv.h);
  int dx = std::abs(xe - x), dy = -std::abs(ye - y), sx = x < xe ? 1 : -1, sy = y < ye ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    cv.Put(x, y, c);
    if (x == xe && y == ye) break;
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x += sx;
    if (e2 <= dx) err += dx, y += sy;
  }
}

// Even-odd fill at pixel centres: a pixel is inside when a ray from its centre crosses the
// outline an odd number of times (edges taken half-open in y, so a vertex counts once).
void Fill_Polygon(Canvas &cv, const std::vector<std::array<double, 2>> &pts, const uint8_t c[3]) {
  std::size_t n = pts.size();
  if (n < 3) return;
  std::vector<double> u(n), v(n);
  double vmin = kFar, vmax = -kFar;
  for (std::size_t k = 0; k < n; ++k) {
    To_Pixel(cv, pts[k][0], pts[k][1], &u[k], &v[k]);
    vmin = std::min(vmin, v[k]), vmax = std::max(vmax, v[k]);
  }
  int j0 = int(std::clamp(std::floor(vmin), 0.0, double(cv.h)));
  int j1 = int(std::clamp(std::ceil(vmax), -1.0, double(cv.h - 1)));
  std::vector<double> xs;
  for (int j = j0; j <= j1; ++j) {
    double yc = j + 0.5;
    xs.clear();
    for (std::size_t a = 0, b = n - 1; a < n; b = a++) {
      if ((v[a] <= yc) == (v[b] <= yc)) continue;
      xs.push_back(u[a] + (yc - v[a]) * (u[b] - u[a]) / (v[b] - v[a]));
    }
    std::sort(xs.begin(), xs.end());
    for (std::size_t k = 0; k + 1 < xs.size(); k += 2) {
      // Pixels whose centre x + 0.5 lies in [xs[k], xs[k + 1]).
      double a = std::clamp(std::ceil(xs[k] - 0.5), 0.0, double(cv.w));
      double b = std::clamp(std::ceil(xs[k + 1] - 0.5), 0.0, double(cv.w));
      for (int i = int(a); i < int(b); ++i) cv.Put(i, j, c);
    }
  }
}

// A text in the raster glyphs: anchor (X, Y) in cm, height in cm (0: the size of " 7" in
// points), angle in degrees counter-clockwise, alignment 10·horizontal + vertical.
void Draw_Text(Canvas &cv, const std::vector<double> &num, double points, const std::string &text,
               const uint8_t c[3]) {
  double height_px = num[2] > 0 ? num[2] * kPx : points * 2.54 / 72.0 * kPx;
  double scale = std::floor(height_px / 12.0 + 0.5);
  int s = !(scale >= 1) ? 1 : scale > kMaxScale ? kMaxScale : int(scale);
  double rad = num[3] * 3.14159265358979323846 / 180.0;
  double co = std::cos(rad), si = std::sin(rad);
  if (!std::isfinite(co) || !std::isfinite(si)) co = 1, si = 0;
  for (double *t : {&co, &si}) {  // quarter turns exactly
    if (std::fabs(*t) < 1e-9) *t = 0;
    if (std::fabs(std::fabs(*t) - 1) < 1e-9) *t = *t > 0 ? 1 : -1;
  }
  std::size_t len = std::min(text.size(), kMaxTextBytes);
  int code = num[4] > 0 && num[4] < 100 ? int(num[4]) : 0;
  int horizontal = code / 10, vertical = code % 10;
  double width = double(len) * 6 * s - s;
  double u0 = horizontal == 1 ? -width : horizontal == 2 ? -width / 2 : 0;
  double w0 = vertical == 1 ? 7.0 * s : vertical == 3 ? 3.5 * s : 0;  // baseline below the anchor
  double au, av;
  To_Pixel(cv, num[0], num[1], &au, &av);
  // Local (along, down) to pixels: (au + along·co + down·si, av − along·si + down·co).
  for (std::size_t i = 0; i < len; ++i) {
    double cu = u0 + double(i) * 6 * s, cw = w0 - 7.0 * s;  // the glyph cell's top left
    double lo_x = kFar, hi_x = -kFar, lo_y = kFar, hi_y = -kFar;
    for (double da : {0.0, 5.0 * s})
      for (double dd : {0.0, 9.0 * s}) {
        double x = au + (cu + da) * co + (cw + dd) * si, y = av - (cu + da) * si + (cw + dd) * co;
        lo_x = std::min(lo_x, x), hi_x = std::max(hi_x, x), lo_y = std::min(lo_y, y), hi_y = std::max(hi_y, y);
      }
    if (hi_x < 0 || hi_y < 0 || lo_x > cv.w || lo_y > cv.h) continue;
    const uint8_t *rows = Host_Glyph_Rows(static_cast<unsigned char>(text[i]));
    int x0 = int(std::max(0.0, lo_x)), x1 = int(std::min(cv.w - 1.0, hi_x));
    int y0 = int(std::max(0.0, lo_y)), y1 = int(std::min(cv.h - 1.0, hi_y));
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        double du = x + 0.5 - au, dv = y + 0.5 - av;
        double col = std::floor((du * co - dv * si - cu) / s), row = std::floor((du * si + dv * co - cw) / s);
        if (col < 0 || col > 4 || row < 0 || row > 8) continue;
        if (rows[int(row)] >> (4 - int(col)) & 1) cv.Put(x, y, c);
      }
  }
}

int Side(double cm, int max_side, bool *clipped) {
  double px = std::ceil(cm * kPx - 1e-6);
  if (!(px <= max_side)) {
    *clipped = true;
    return max_side;
  }
  return px < 1 ? 1 : int(px);
}

}  // namespace

OLI_RASTER Render_Oli_Graphic(const OLI_GRAPHIC &block, int max_side) {
  if (max_side < 1 || max_side > OLI_RENDER_MAX_SIDE) max_side = OLI_RENDER_MAX_SIDE;
  OLI_RASTER r;
  r.width = Side(block.width, max_side, &r.clipped);
  r.height = Side(block.height, max_side, &r.clipped);
  r.paper_height = block.height;
  r.rgb.assign(std::size_t(r.width) * std::size_t(r.height) * 3, 255);
  Canvas cv{r.width, r.height, Near(block.height * kPx), r.rgb};

  Style st{{0, 0, 0}, 0};
  std::vector<Style> saved;
  int overflow = 0;     // saves beyond the depth: their restores do nothing
  double points = 9;    // text size of " 7"
  for (const OLI_PRIMITIVE &p : block.items) {
    const std::vector<double> &num = p.numbers;
    switch (p.code) {
      case 1:
        if (num.size() == 4) Draw_Line(cv, num[0], num[1], num[2], num[3], st.rgb);
        break;
      case 24:
        if (num.size() == 4) {
          Draw_Line(cv, num[0], num[1], num[2], num[1], st.rgb);
          Draw_Line(cv, num[2], num[1], num[2], num[3], st.rgb);
          Draw_Line(cv, num[2], num[3], num[0], num[3], st.rgb);
          Draw_Line(cv, num[0], num[3], num[0], num[1], st.rgb);
        }
        break;
      case 18: {
        if (num.size() != 1 || num[0] != double(p.points.size())) break;  // a cut polygon
        uint8_t c[3];
        bool solid = st.fill_code == 0 || st.fill_code == 64;
        for (int k = 0; k < 3; ++k) c[k] = solid ? st.rgb[k] : uint8_t((st.rgb[k] + 255) / 2);
        Fill_Polygon(cv, p.points, c);
        break;
      }
      case 9:
        if (num.size() == 5) Draw_Text(cv, num, points, p.text, st.rgb);
        break;
      case 7:
        if (num.size() == 1 && num[0] > 0 && num[0] < 1000) points = num[0];
        break;
      case 20:
        if (num.size() == 1 && std::fabs(num[0]) < 1e9) st.fill_code = int(num[0]);
        break;
      case 50:
        if (num.size() == 3)
          for (int k = 0; k < 3; ++k) st.rgb[k] = num[k] >= 255 ? 255 : num[k] > 0 ? uint8_t(num[k]) : 0;
        break;
      case 30:
        if (saved.size() < kSaveDepth) saved.push_back(st);
        else ++overflow;
        break;
      case 31:
        if (overflow > 0) {
          --overflow;
        } else if (!saved.empty()) {
          st = saved.back();
          saved.pop_back();
        }
        break;
      default:
        break;  // line types, fonts, text directions, extended save and restore
    }
  }
  return r;
}

std::vector<OLI_RASTER> Render_Oli_Graphics(const OLI_DOCUMENT &doc, int max_side) {
  std::vector<OLI_RASTER> out;
  for (const OLI_GRAPHIC &g : doc.graphics) out.push_back(Render_Oli_Graphic(g, max_side));
  return out;
}

bool Oli_Raster_Pixel_Of(const OLI_RASTER &raster, double X, double Y, int *col, int *row) {
  double u = X * kPx, v = (raster.paper_height - Y) * kPx;
  if (!(u >= 0 && v >= 0 && u <= raster.width && v <= raster.height)) return false;
  if (col) *col = Cell(u, raster.width);
  if (row) *row = Cell(v, raster.height);
  return true;
}

std::array<int, 3> Oli_Raster_Color(const OLI_RASTER &raster, int col, int row) {
  if (col < 0 || row < 0 || col >= raster.width || row >= raster.height ||
      raster.rgb.size() != std::size_t(raster.width) * std::size_t(raster.height) * 3)
    return {-1, -1, -1};
  const uint8_t *p = &raster.rgb[(std::size_t(row) * std::size_t(raster.width) + std::size_t(col)) * 3];
  return {p[0], p[1], p[2]};
}

int Write_Oli_Raster_Png(const char *path, const OLI_RASTER &raster) {
  if (raster.rgb.size() != std::size_t(raster.width) * std::size_t(raster.height) * 3) return 1;
  return Host_Write_Png_RGB(path, raster.width, raster.height, raster.rgb.data());
}
