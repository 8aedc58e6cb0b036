// The software canvas: palette, clip, drawing settings and primitives, raster and graphic text,
// saved rectangles, the call trace and the reset of the whole screen layer.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdarg>
#include <cstring>

#include "host/screen_internal.h"

using namespace host_screen;

int NPIXEL_X = 1280;
int NPIXEL_Y = 1024;
int RFONT_HEIGHT = 12;

namespace host_screen {
namespace {

ScreenState g;

// Fixed palette entries, in index order: BLACK_CI, WHITE_CI, BUTTON_CI, MENUE_CI, then the host
// colours -1, -2, -3, -6, -9, -15, -21.
constexpr uint8_t kFixed[][3] = {
    {0, 0, 0},       {255, 255, 255}, {212, 208, 200}, {236, 233, 216}, {224, 223, 227}, {250, 250, 250},
    {64, 64, 64},    {128, 128, 128}, {0, 0, 160},     {160, 160, 160}, {255, 251, 240},
};
constexpr int kHostNumbers[] = {-1, -2, -3, -6, -9, -15, -21};
constexpr int kFixedCount = sizeof kFixed / sizeof kFixed[0];
constexpr size_t kTraceLimit = 200000;
constexpr int kMaxPen = 256;       // wider pens are drawn 256 pixels wide
constexpr int kMaxRadius = 65536;  // larger circles are not drawn

void Make_Ready() {
  g.w = 1280;
  g.h = 1024;
  NPIXEL_X = g.w;
  NPIXEL_Y = g.h;
  RFONT_HEIGHT = 12;
  g.pixels.assign(size_t(g.w) * g.h, WHITE_CI);
  for (int i = 0; i < kFixedCount; ++i) std::memcpy(g.palette[i], kFixed[i], 3);
  g.palette_count = kFixedCount;
  g.clip[0] = 0;
  g.clip[1] = 0;
  g.clip[2] = g.w - 1;
  g.clip[3] = g.h - 1;
  g.restriction_base[2] = g.w - 1;
  g.restriction_base[3] = g.h - 1;
  g.bitmap_dir = PF_DATA_DIR;
  g.ready = true;
}

int Clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

void Order(int &a, int &b) {
  if (a > b) std::swap(a, b);
}

// The pixels of a Bresenham line from (x1, y1) to (x2, y2), in order; k counts them from k0.
template <class F>
void Walk_Line(int x1, int y1, int x2, int y2, F f, int k0 = 0) {
  int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
  int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  for (int k = k0;; ++k) {
    f(x1, y1, k);
    if (x1 == x2 && y1 == y2) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x1 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y1 += sy;
    }
  }
}

constexpr int64_t kLongLine = 16384;  // longer lines are first cut to the clip rectangle

}  // namespace

// A point whose neighbourhood can be drawn without overflowing an int.
bool Near(int64_t x, int64_t y) { return std::llabs(x) < (1 << 28) && std::llabs(y) < (1 << 28); }

namespace {

// Cuts a very long line to the clip rectangle (with a margin) so that walking it stays cheap;
// *k0 gets the number of pixels cut off its start modulo 32 (the line pattern goes on from there).
// False when nothing of it can be visible.
bool Cut_Long_Line(int &x1, int &y1, int &x2, int &y2, int *k0) {
  *k0 = 0;
  int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
  if (std::max(std::llabs(dx), std::llabs(dy)) <= kLongLine && Near(x1, y1) && Near(x2, y2)) return true;
  const double lo_x = g.clip[0] - 64.0, hi_x = g.clip[2] + 64.0, lo_y = g.clip[1] - 64.0, hi_y = g.clip[3] + 64.0;
  double t0 = 0, t1 = 1;
  const double p[4] = {-double(dx), double(dx), -double(dy), double(dy)};
  const double q[4] = {x1 - lo_x, hi_x - x1, y1 - lo_y, hi_y - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  int nx1 = int(std::lround(x1 + t0 * dx)), ny1 = int(std::lround(y1 + t0 * dy));
  int nx2 = int(std::lround(x1 + t1 * dx)), ny2 = int(std::lround(y1 + t1 * dy));
  *k0 = int(std::max(std::llabs(int64_t(nx1) - x1), std::llabs(int64_t(ny1) - y1)) & 31);  // the pattern's phase
  x1 = nx1, y1 = ny1, x2 = nx2, y2 = ny2;
  return true;
}

// A solid line in the drawing colour.
void Plain_Line(int x1, int y1, int x2, int y2) {
  int k0;
  if (Cut_Long_Line(x1, y1, x2, y2, &k0)) Walk_Line(x1, y1, x2, y2, [](int u, int v, int) { Put(u, v); });
}

// Pixels of a filled shape, gathered first so that each is drawn once (XOR stays exact).
struct Shape_Mask {
  int x0, y0, w, h;
  std::vector<char> on;
  Shape_Mask() : x0(g.clip[0]), y0(g.clip[1]), w(g.clip[2] - g.clip[0] + 1), h(g.clip[3] - g.clip[1] + 1) {}
  // the clip rectangle cut to the box (bx1, by1)-(bx2, by2)
  Shape_Mask(int bx1, int by1, int bx2, int by2) {
    x0 = std::max(bx1, g.clip[0]);
    y0 = std::max(by1, g.clip[1]);
    w = std::max(std::min(bx2, g.clip[2]) - x0 + 1, 0);
    h = std::max(std::min(by2, g.clip[3]) - y0 + 1, 0);
  }
  void Mark(int x, int y) {
    if (x < x0 || y < y0 || x >= x0 + w || y >= y0 + h) return;
    if (on.empty()) on.assign(size_t(w) * h, 0);
    on[size_t(y - y0) * w + (x - x0)] = 1;
  }
  void Span(int a, int b, int y) {
    if (y < y0 || y >= y0 + h) return;
    a = std::max(a, x0);
    b = std::min(b, x0 + w - 1);
    for (int x = a; x <= b; ++x) Mark(x, y);
  }
  void Draw() const {
    if (on.empty()) return;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (on[size_t(y) * w + x]) {
          int px = x0 + x, py = y0 + y;
          if (g.fill_pattern_on && !(g.fill_pattern[py & 15] & (0x8000 >> (px & 15)))) continue;
          Put(px, py);
        }
  }
};

// Even-odd fill of a polygon with double vertices, sampled at pixel centres.
void Fill_Polygon_D(int n, const double *x, const double *y, Shape_Mask &m) {
  if (n < 3) return;
  for (int i = 0; i < n; ++i)
    if (!std::isfinite(x[i]) || !std::isfinite(y[i])) return;
  double ymin = y[0], ymax = y[0];
  for (int i = 1; i < n; ++i) {
    ymin = std::min(ymin, y[i]);
    ymax = std::max(ymax, y[i]);
  }
  int r0 = int(std::max(std::floor(ymin), double(m.y0)));
  int r1 = int(std::min(std::ceil(ymax), double(m.y0 + m.h - 1)));
  std::vector<double> xs;
  for (int row = r0; row <= r1; ++row) {
    double cy = row;  // integer vertices lie on pixel centres
    xs.clear();
    for (int i = 0; i < n; ++i) {
      int j = (i + 1) % n;
      double ya = y[i], yb = y[j];
      if ((ya <= cy && yb > cy) || (yb <= cy && ya > cy))
        xs.push_back(x[i] + (cy - ya) * (x[j] - x[i]) / (yb - ya));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t k = 0; k + 1 < xs.size(); k += 2) {
      double xa = std::max(xs[k], m.x0 - 1.0), xb = std::min(xs[k + 1], double(m.x0 + m.w));
      int a = int(std::ceil(xa - 1e-9)), b = int(std::floor(xb + 1e-9));
      if (a <= b) m.Span(a, b, row);
    }
  }
}

// A filled polygon of integer points: its inside and its edges.
void Fill_Polygon_I(int n, const int *x, const int *y) {
  Shape_Mask m(*std::min_element(x, x + n), *std::min_element(y, y + n), *std::max_element(x, x + n),
               *std::max_element(y, y + n));
  std::vector<double> dx(x, x + n), dy(y, y + n);
  Fill_Polygon_D(n, dx.data(), dy.data(), m);
  for (int i = 0; i < n; ++i) {
    int ax = x[i], ay = y[i], bx = x[(i + 1) % n], by = y[(i + 1) % n], k0;
    if (Cut_Long_Line(ax, ay, bx, by, &k0)) Walk_Line(ax, ay, bx, by, [&m](int px, int py, int) { m.Mark(px, py); });
  }
  m.Draw();
}

}  // namespace

ScreenState &S() {
  if (!g.ready) Make_Ready();
  return g;
}

void Reset_Screen_Layer() {
  // The canvas is made again on first use, in the block of the last one: a fresh block of
  // 1.3 MB for every test step or fuzz input would cost more than the drawing.
  std::vector<uint8_t> pixels = std::move(g.pixels);
  pixels.clear();
  g = ScreenState();
  g.pixels = std::move(pixels);
  Reset_Input();
  LAST_SHEET_EDIT_KEY = 0;
  NPIXEL_X = 1280;
  NPIXEL_Y = 1024;
  RFONT_HEIGHT = 12;
}

void Trace(const char *name, const char *fmt, ...) {
  ScreenState &s = S();
  if (!s.trace_on) return;
  std::string line = name;
  line += '(';
  if (fmt) {
    char buf[256];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    line += buf;
  }
  line += ')';
  if (s.trace.size() >= kTraceLimit) s.trace.erase(s.trace.begin(), s.trace.begin() + kTraceLimit / 2);
  s.trace.push_back(std::move(line));
}

std::string Last_Calls(int n) {
  const ScreenState &s = S();
  std::string out;
  size_t from = s.trace.size() > size_t(n) ? s.trace.size() - n : 0;
  for (size_t i = from; i < s.trace.size(); ++i) out += "  " + s.trace[i] + "\n";
  return out;
}

void Put(int x, int y) {
  if (!g.ready) Make_Ready();
  if (x < g.clip[0] || x > g.clip[2] || y < g.clip[1] || y > g.clip[3]) return;
  uint8_t &p = g.pixels[size_t(y) * g.w + x];
  p = g.bop == 3 ? uint8_t(p ^ g.fg) : uint8_t(g.fg);
}

void Put_Index(int x, int y, int index) {
  if (!g.ready) Make_Ready();
  if (x < 0 || y < 0 || x >= g.w || y >= g.h) return;
  g.pixels[size_t(y) * g.w + x] = uint8_t(index);
}

int Get_Index(int x, int y) {
  if (!g.ready) Make_Ready();
  if (x < 0 || y < 0 || x >= g.w || y >= g.h) return -1;
  return g.pixels[size_t(y) * g.w + x];
}

void Fill_Span(int x1, int x2, int y) {
  if (!g.ready) Make_Ready();
  if (y < g.clip[1] || y > g.clip[3]) return;
  Order(x1, x2);
  x1 = std::max(x1, g.clip[0]);
  x2 = std::min(x2, g.clip[2]);
  if (x1 > x2) return;
  // The row at once: a filled rectangle (every text box, every page background) would
  // otherwise cost a call and four clip tests per pixel.
  uint8_t *row = &g.pixels[size_t(y) * g.w];
  const uint16_t pattern = g.fill_pattern_on ? uint16_t(g.fill_pattern[y & 15]) : uint16_t(0xFFFF);
  const uint8_t fg = uint8_t(g.fg);
  if (pattern == 0xFFFF && g.bop != 3) {
    std::fill(row + x1, row + x2 + 1, fg);
    return;
  }
  for (int x = x1; x <= x2; ++x) {
    if (!(pattern & (0x8000 >> (x & 15)))) continue;
    row[x] = g.bop == 3 ? uint8_t(row[x] ^ fg) : fg;
  }
}

Own_Drawing::Own_Drawing() : fg(S().fg), bop(g.bop) {
  std::copy(g.clip, g.clip + 4, clip);
  g.bop = 0;
  g.clip[0] = 0, g.clip[1] = 0, g.clip[2] = g.w - 1, g.clip[3] = g.h - 1;
}

Own_Drawing::~Own_Drawing() {
  g.fg = fg;
  g.bop = bop;
  std::copy(clip, clip + 4, g.clip);
}

void Fill_Rect(int x1, int y1, int x2, int y2, int index) {
  int keep = g.fg;
  g.fg = index & 0xFF;
  Order(x1, x2);
  Order(y1, y2);
  x1 = std::max(x1, g.clip[0]), x2 = std::min(x2, g.clip[2]);
  for (int y = std::max(y1, g.clip[1]); y <= std::min(y2, g.clip[3]); ++y)
    for (int x = x1; x <= x2; ++x) Put(x, y);
  g.fg = keep;
}

int Text_Width(int len) { return len > 0 ? len * (RFONT_WIDTH + RFONT_SPACE) - RFONT_SPACE : 0; }

// Glyph pixel (column c of RFONT_WIDTH, row r of 9) of the current font.
static bool Glyph_Pixel(const uint8_t *rows, int c, int r, bool bold) {
  int w = std::max(RFONT_WIDTH, 1);
  auto at = [&](int col) {
    if (col < 0 || col >= w) return false;
    int src = col * 5 / w;
    return (rows[r] >> (4 - src) & 1) != 0;
  };
  return at(c) || (bold && at(c - 1));
}

// The ink of a glyph row as bits of its columns (bit c: column c of RFONT_WIDTH), kept per
// character for the width and weight in use: a text box redraws its text at every key.
static uint64_t Glyph_Row_Bits(unsigned char ch, int r, bool bold) {
  struct Cache {
    int width = -1;
    bool bold = false;
    bool known[256] = {};
    uint64_t bits[256][9] = {};
  };
  static Cache cache;
  const int w = std::clamp(RFONT_WIDTH, 1, 64);
  if (cache.width != w || cache.bold != bold) {
    std::fill(std::begin(cache.known), std::end(cache.known), false);
    cache.width = w, cache.bold = bold;
  }
  if (!cache.known[ch]) {
    const uint8_t *rows = Host_Glyph_Rows(ch);
    for (int k = 0; k < 9; ++k) {
      uint64_t b = 0;
      for (int c = 0; c < w; ++c)
        if (Glyph_Pixel(rows, c, k, bold)) b |= uint64_t{1} << c;
      cache.bits[ch][k] = b;
    }
    cache.known[ch] = true;
  }
  return cache.bits[ch][r];
}

void Draw_Raster_Text(int x, int y, const char *text, int len, int turn) {
  if (!text || !Near(x, y)) return;
  if (len < 0) len = int(std::strlen(text));
  len = std::min(len, 4096);
  bool bold = (Host_Current_Font() & 0x10000) != 0;
  int pitch = RFONT_WIDTH + RFONT_SPACE;
  const int w = std::clamp(RFONT_WIDTH, 1, 64);
  for (int i = 0; i < len && text[i]; ++i) {
    // A character cell wholly outside the clip rectangle draws nothing.
    const int u0 = i * pitch, u1 = u0 + w - 1;
    int cx1, cx2, cy1, cy2;  // the cell on the screen (rows −6 … 2 about the baseline)
    switch (turn) {
      case 256: cx1 = x - 6, cx2 = x + 2, cy1 = y - u1, cy2 = y - u0; break;
      case 512: cx1 = x - u1, cx2 = x - u0, cy1 = y - 2, cy2 = y + 6; break;
      case 1024: cx1 = x - 2, cx2 = x + 6, cy1 = y + u0, cy2 = y + u1; break;
      default: cx1 = x + u0, cx2 = x + u1, cy1 = y - 6, cy2 = y + 2; break;
    }
    if (cx2 < g.clip[0] || cx1 > g.clip[2] || cy2 < g.clip[1] || cy1 > g.clip[3]) continue;
    const unsigned char ch = static_cast<unsigned char>(text[i]);
    if (turn == 0 && g.bop != 3 && cx1 >= g.clip[0] && cx2 <= g.clip[2] && cy1 >= g.clip[1] && cy2 <= g.clip[3]) {
      // The common case, an upright cell wholly inside the clip: its rows at once.
      if (!g.ready) Make_Ready();
      for (int r = 0; r < 9; ++r) {
        uint8_t *row = &g.pixels[size_t(y + r - 6) * g.w + size_t(x + u0)];
        for (uint64_t bits = Glyph_Row_Bits(ch, r, bold); bits; bits &= bits - 1) row[std::countr_zero(bits)] = uint8_t(g.fg);
      }
      continue;
    }
    for (int r = 0; r < 9; ++r)
      for (uint64_t bits = Glyph_Row_Bits(ch, r, bold); bits; bits &= bits - 1) {
        const int c = std::countr_zero(bits);
        int u = i * pitch + c, v = r - 6;  // along the text, below the baseline
        switch (turn) {
          case 256: Put(x + v, y - u); break;
          case 512: Put(x - u, y - v); break;
          case 1024: Put(x - v, y + u); break;
          default: Put(x + u, y + v); break;
        }
      }
  }
}

}  // namespace host_screen

// ---------------------------------------------------------------- palette

int Nearest_RGB_Color(int r, int g_, int b) {
  ScreenState &s = S();
  r = Clamp255(r);
  g_ = Clamp255(g_);
  b = Clamp255(b);
  int best = 0;
  long best_d = -1;
  for (int i = 0; i < s.palette_count; ++i) {
    long dr = r - s.palette[i][0], dg = g_ - s.palette[i][1], db = b - s.palette[i][2];
    long d = dr * dr + dg * dg + db * db;
    if (d == 0) return i;
    if (best_d < 0 || d < best_d) {
      best_d = d;
      best = i;
    }
  }
  if (s.palette_count < 256) {
    int i = s.palette_count++;
    s.palette[i][0] = uint8_t(r);
    s.palette[i][1] = uint8_t(g_);
    s.palette[i][2] = uint8_t(b);
    return i;
  }
  return best;
}

int Nearest_Color_Index(int r, int g_, int b) { return Nearest_RGB_Color(r, g_, b); }

int pxQCR(int index, int *r, int *g_, int *b) {
  ScreenState &s = S();
  int rgb[3] = {0, 0, 0};
  if (index >= 0 && index < 256)
    for (int k = 0; k < 3; ++k) rgb[k] = s.palette[index][k];
  if (r) *r = rgb[0];
  if (g_) *g_ = rgb[1];
  if (b) *b = rgb[2];
  return 0;
}

int GetYRMColor(int number) {
  S();
  for (int i = 0; i < int(sizeof kHostNumbers / sizeof kHostNumbers[0]); ++i)
    if (kHostNumbers[i] == number) return 4 + i;
  return BLACK_CI;
}

void Init_Grafik_Mode() {
  ScreenState &s = S();
  Trace("Init_Grafik_Mode");
  std::fill(s.pixels.begin(), s.pixels.end(), uint8_t(WHITE_CI));
}

void Init_RFont() {
  S();
  Trace("Init_RFont");
  // back to the start font: empty the selection stack
  for (int i = 0; i < 64 && Host_Current_Font() != 0x1000; ++i) Push_RFont();
}

// ---------------------------------------------------------------- drawing state

void pxFgc(int index) {
  S().fg = index & 0xFF;
  Trace("pxFgc", "%d", index);
}

int pxQFgc(int *index) {
  int c = S().fg;
  if (index) *index = c;
  return c;
}

void pxBgc(int index) {
  S().bg = index & 0xFF;
  Trace("pxBgc", "%d", index);
}

void pxCls() {
  ScreenState &s = S();
  Trace("pxCls");
  for (int y = s.clip[1]; y <= s.clip[3]; ++y)
    for (int x = s.clip[0]; x <= s.clip[2]; ++x) Put_Index(x, y, s.bg);
}

void pxView(int x1, int y1, int x2, int y2) {
  ScreenState &s = S();
  Trace("pxView", "%d,%d,%d,%d", x1, y1, x2, y2);
  Order(x1, x2);
  Order(y1, y2);
  s.clip[0] = std::max(x1, 0);
  s.clip[1] = std::max(y1, 0);
  s.clip[2] = std::min(x2, s.w - 1);
  s.clip[3] = std::min(y2, s.h - 1);
}

void pxQVwp(int *x1, int *y1, int *x2, int *y2) {
  ScreenState &s = S();
  if (x1) *x1 = s.clip[0];
  if (y1) *y1 = s.clip[1];
  if (x2) *x2 = s.clip[2];
  if (y2) *y2 = s.clip[3];
}

void pxSLn(int style) {
  static const uint32_t kStyles[] = {0xFFFFFFFFu, 0xF0F0F0F0u, 0xFF18FF18u, 0xFFFF0000u, 0xAAAAAAAAu};
  S().line_pattern = style >= 0 && style <= 4 ? kStyles[style] : 0xFFFFFFFFu;
  Trace("pxSLn", "%d", style);
}

void pxSULn(unsigned int pattern) {
  S().line_pattern = pattern;
  Trace("pxSULn", "0x%x", pattern);
}

void pxSUFA(const unsigned short *rows16) {
  ScreenState &s = S();
  Trace("pxSUFA");
  if (!rows16) {
    s.fill_pattern_on = false;
    return;
  }
  std::memcpy(s.fill_pattern, rows16, sizeof s.fill_pattern);
  s.fill_pattern_on = true;
}

void pxSFA(int style) {
  Trace("pxSFA", "%d", style);
  S().fill_pattern_on = false;
}

void pxSBop(int mode) {
  S().bop = mode == 3 ? 3 : 0;
  Trace("pxSBop", "%d", mode);
}

int pxBuff(int mode) {
  ScreenState &s = S();
  Trace("pxBuff", "%d", mode);
  int old = s.buffer_mode;
  s.buffer_mode = mode;
  return old;
}

int pxFlsh() {
  S();
  Trace("pxFlsh");
  return 0;
}

// ---------------------------------------------------------------- primitives

void pxDot(int x, int y) {
  S();
  Trace("pxDot", "%d,%d", x, y);
  Put(x, y);
}

void pxLine(int x1, int y1, int x2, int y2) {
  ScreenState &s = S();
  Trace("pxLine", "%d,%d,%d,%d", x1, y1, x2, y2);
  uint32_t pat = s.line_pattern;
  int k0;
  if (!Cut_Long_Line(x1, y1, x2, y2, &k0)) return;
  Walk_Line(
      x1, y1, x2, y2, [pat](int x, int y, int k) {
        if (pat >> (31 - (k & 31)) & 1) Put(x, y);
      },
      k0);
}

void pxTkLn(int x1, int y1, int x2, int y2, int width) {
  S();
  Trace("pxTkLn", "%d,%d,%d,%d,%d", x1, y1, x2, y2, width);
  if (width < 0) return;
  width = std::clamp(width, 1, kMaxPen);
  int lo = -(width - 1) / 2, hi = lo + width - 1, k0;
  if (!Cut_Long_Line(x1, y1, x2, y2, &k0)) return;
  Walk_Line(x1, y1, x2, y2, [lo, hi](int x, int y, int) {
    for (int v = lo; v <= hi; ++v)
      for (int u = lo; u <= hi; ++u) Put(x + u, y + v);
  });
}

void pxRect(int x1, int y1, int x2, int y2) {
  S();
  Trace("pxRect", "%d,%d,%d,%d", x1, y1, x2, y2);
  Order(x1, x2);
  Order(y1, y2);
  for (int y = std::max(y1, g.clip[1]); y <= std::min(y2, g.clip[3]); ++y) Fill_Span(x1, x2, y);
}

void pxFill(int n, const int *x, const int *y) {
  S();
  Trace("pxFill", "%d", n);
  if (n < 1 || !x || !y) return;
  Fill_Polygon_I(n, x, y);
}

void pxTri(int x1, int y1, int x2, int y2, int x3, int y3) {
  S();
  Trace("pxTri", "%d,%d,%d,%d,%d,%d", x1, y1, x2, y2, x3, y3);
  int x[3] = {x1, x2, x3}, y[3] = {y1, y2, y3};
  Fill_Polygon_I(3, x, y);
}

void pxCrcl(int cx, int cy, int r) {
  S();
  Trace("pxCrcl", "%d,%d,%d", cx, cy, r);
  if (r < 0 || r > kMaxRadius || int64_t(cx) + r < g.clip[0] || int64_t(cx) - r > g.clip[2] ||
      int64_t(cy) + r < g.clip[1] || int64_t(cy) - r > g.clip[3])
    return;
  int x = r, y = 0, err = 1 - r;
  while (x >= y) {
    const int pts[8][2] = {{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
    for (auto &p : pts) Put(cx + p[0], cy + p[1]);
    ++y;
    if (err < 0) {
      err += 2 * y + 1;
    } else {
      --x;
      err += 2 * (y - x) + 1;
    }
  }
}

void pxArc(int xc, int yc, int rx, int ry, int xs, int ys, int xe, int ye, int mode) {
  S();
  Trace("pxArc", "%d,%d,%d,%d,%d,%d,%d,%d,%d", xc, yc, rx, ry, xs, ys, xe, ye, mode);
  if (rx < 0 || ry < 0) return;
  // angles counter-clockwise as seen on the screen (y downward)
  double a0 = std::atan2(double(yc - ys), double(xs - xc));
  double a1 = std::atan2(double(yc - ye), double(xe - xc));
  double sweep = a1 - a0;
  while (sweep <= 0) sweep += 2 * M_PI;
  int steps = int(std::clamp(sweep * std::max(rx, ry) + 1.0, 8.0, 20000.0));
  int px = 0, py = 0;
  for (int i = 0; i <= steps; ++i) {
    double a = a0 + sweep * i / steps;
    int x = int(std::lround(xc + rx * std::cos(a))), y = int(std::lround(yc - ry * std::sin(a)));
    if (i > 0) Plain_Line(px, py, x, y);
    if (mode == 2 && (i == 0 || i == steps)) Plain_Line(xc, yc, x, y);
    px = x;
    py = y;
  }
}

void pxMask(int x1, int y1, int x2, int y2, const unsigned char *bits, int bytes_per_row) {
  S();
  Trace("pxMask", "%d,%d,%d,%d,%d", x1, y1, x2, y2, bytes_per_row);
  if (!bits || bytes_per_row <= 0 || !Near(x1, y1) || !Near(x2, y2)) return;
  Order(x1, x2);
  Order(y1, y2);
  int cols = std::min(x2 - x1 + 1, bytes_per_row * 8);
  for (int r = 0; r <= y2 - y1; ++r)
    for (int c = 0; c < cols; ++c)
      if (bits[r * bytes_per_row + c / 8] & (0x80 >> (c % 8))) Put(x1 + c, y1 + r);
}

// ---------------------------------------------------------------- raster text

void pxText(int x, int y, const char *text, int len) {
  S();
  Trace("pxText", "%d,%d,\"%.60s\",%d", x, y, text ? text : "", len);
  Draw_Raster_Text(x, y, text, len, 0);
}

void pxBTxt(int x1, int y1, int x2, int y2, const char *text, int len, int mode) {
  S();
  Trace("pxBTxt", "%d,%d,%d,%d,\"%.60s\",%d,%d", x1, y1, x2, y2, text ? text : "", len, mode);
  if (!text || !Near(x1, y1) || !Near(x2, y2)) return;
  if (len < 0) len = int(std::strlen(text));
  int turn = mode & 0x700;
  if (turn) {
    Draw_Raster_Text(x1, y1, text, len, turn);
    return;
  }
  Order(x1, x2);
  Order(y1, y2);
  int w = Text_Width(len);
  int h = mode & 7, v = (mode >> 4) & 3;
  int x = h == 1 ? x1 : h == 4 ? x2 - w + 1 : (x1 + x2 + 1) / 2 - w / 2;
  int y = v == 1 ? y2 : v == 2 ? y1 + 6 : v == 3 ? y1 : (y1 + y2) / 2 + 2;
  Draw_Raster_Text(x, y, text, len, 0);
}

void pxSFnt(int font) {
  Trace("pxSFnt", "0x%x", font);
  Push_RFont();
  Pop_RFont(font);
}

void Set_RFont(int font) {
  Trace("Set_RFont", "0x%x", font);
  Push_RFont();
  Pop_RFont(font);
}

int pxQTxX(const char *text, int count, int *x, int *y, int *extent, int extra) {
  (void)extra;
  S();
  int w = text ? Text_Width(count) : 0;
  int px = x ? *x : 0, py = y ? *y : 0;
  if (extent) {
    extent[0] = px;
    extent[1] = px + w;
    extent[2] = py - 6;
    extent[3] = py + 2;
  }
  return w;
}

void pxChH(double height) { S().char_height = height; }
void pxExpF(double factor) { S().expansion = factor; }
void pxSpac(double spacing) { S().spacing = spacing; }
void pxOrnt(double radians) { S().orientation = radians; }

int pxQGTX(const char *text, int len, double *width, double *height) {
  ScreenState &s = S();
  if (text && len < 0) len = int(std::strlen(text));
  if (!text) len = 0;
  double cw = s.char_height * s.expansion * 5.0 / 7.0, adv = cw + s.char_height * s.spacing;
  double w = len > 0 ? len * adv - s.char_height * s.spacing : 0.0;
  if (width) *width = w;
  if (height) *height = s.char_height;
  return int(std::lround(w));
}

void pxGBTt(int x, int y, const char *text, int len, int style) {
  ScreenState &s = S();
  Trace("pxGBTt", "%d,%d,\"%.60s\",%d,%d", x, y, text ? text : "", len, style);
  if (!text || !Near(x, y) || !(s.char_height > 0 && s.char_height < 4096) || !std::isfinite(s.expansion) ||
      std::fabs(s.expansion) > 64 || !std::isfinite(s.spacing) || std::fabs(s.spacing) > 64 ||
      !std::isfinite(s.orientation))
    return;  // nothing sensible to draw
  if (len < 0) len = int(std::strlen(text));
  len = std::min(len, 4096);
  double w = 0;
  pxQGTX(text, len, &w, nullptr);
  double ch = s.char_height, cell = ch / 7.0, cw = ch * s.expansion * 5.0 / 7.0;
  double adv = cw + ch * s.spacing;
  int h = style & 7, v = (style >> 4) & 3;
  double u0 = h == 1 ? 0 : h == 4 ? -w : -w / 2;
  double v0 = v == 0 ? ch / 2 : v == 2 ? ch : 0;  // baseline below the anchor
  double c = std::cos(s.orientation), sn = std::sin(s.orientation);
  Shape_Mask m;
  for (int i = 0; i < len && text[i]; ++i) {
    const uint8_t *rows = Host_Glyph_Rows(static_cast<unsigned char>(text[i]));
    for (int r = 0; r < 9; ++r)
      for (int col = 0; col < 5; ++col) {
        if (!(rows[r] >> (4 - col) & 1)) continue;
        double ua = u0 + i * adv + col * cw / 5, ub = ua + cw / 5;
        double va = v0 + (r - 7) * cell, vb = va + cell;
        double px[4], py[4];
        const double uu[4] = {ua, ub, ub, ua}, vv[4] = {va, va, vb, vb};
        for (int k = 0; k < 4; ++k) {
          px[k] = x + uu[k] * c + vv[k] * sn - 0.5;
          py[k] = y - uu[k] * sn + vv[k] * c - 0.5;
        }
        Fill_Polygon_D(4, px, py, m);
      }
  }
  m.Draw();
}

// ---------------------------------------------------------------- saving pixels

// The rectangle cut to the screen; false when nothing of it is on the screen.
static bool Cut_To_Screen(int &x1, int &y1, int &x2, int &y2) {
  Order(x1, x2);
  Order(y1, y2);
  x1 = std::max(x1, 0), y1 = std::max(y1, 0);
  x2 = std::min(x2, g.w - 1), y2 = std::min(y2, g.h - 1);
  return x1 <= x2 && y1 <= y2;
}

// Copies the pixels of an on-screen rectangle row by row.
static void pxSvRc_Raw(int x1, int y1, int x2, int y2, uint8_t *out) {
  int w = x2 - x1 + 1;
  for (int y = y1; y <= y2; ++y) std::memcpy(out + size_t(y - y1) * w, &g.pixels[size_t(y) * g.w + x1], size_t(w));
}

void pxQSvR(int x1, int y1, int x2, int y2, int *width, int *size) {
  S();
  int w = 0, h = 0;
  if (Cut_To_Screen(x1, y1, x2, y2)) w = x2 - x1 + 1, h = y2 - y1 + 1;
  if (width) *width = w;
  if (size) *size = 8 + w * h;
}

void pxSvRc(int x1, int y1, int x2, int y2, void *buffer) {
  S();
  Trace("pxSvRc", "%d,%d,%d,%d", x1, y1, x2, y2);
  if (!buffer) return;
  int32_t wh[2] = {0, 0};
  bool on = Cut_To_Screen(x1, y1, x2, y2);
  if (on) wh[0] = x2 - x1 + 1, wh[1] = y2 - y1 + 1;
  auto *out = static_cast<uint8_t *>(buffer);
  std::memcpy(out, wh, 8);
  if (!on) return;
  for (int y = y1; y <= y2; ++y)
    std::memcpy(out + 8 + size_t(y - y1) * wh[0], &g.pixels[size_t(y) * g.w + x1], size_t(wh[0]));
}

void pxStRc(int x1, int y1, int x2, int y2, const void *buffer) {
  S();
  Trace("pxStRc", "%d,%d,%d,%d", x1, y1, x2, y2);
  if (!buffer || !Cut_To_Screen(x1, y1, x2, y2)) return;
  int32_t wh[2];
  const auto *in = static_cast<const uint8_t *>(buffer);
  std::memcpy(wh, in, 8);
  if (wh[0] != x2 - x1 + 1 || wh[1] != y2 - y1 + 1) return;  // not this rectangle's copy
  for (int y = y1; y <= y2; ++y)
    std::memcpy(&g.pixels[size_t(y) * g.w + x1], in + 8 + size_t(y - y1) * wh[0], size_t(wh[0]));
}

void Save_Screen_Rectangle(int x1, int y1, int x2, int y2) {
  ScreenState &s = S();
  Trace("Save_Screen_Rectangle", "%d,%d,%d,%d", x1, y1, x2, y2);
  SavedRect r{x1, y1, x2, y2, {}};
  if (Cut_To_Screen(x1, y1, x2, y2)) {
    r.pixels.resize(size_t(x2 - x1 + 1) * (y2 - y1 + 1));
    pxSvRc_Raw(x1, y1, x2, y2, r.pixels.data());
  }
  s.saved.push_back(std::move(r));
}

void Restore_Screen_Rectangle(int x1, int y1, int x2, int y2) {
  ScreenState &s = S();
  Trace("Restore_Screen_Rectangle", "%d,%d,%d,%d", x1, y1, x2, y2);
  for (size_t i = s.saved.size(); i-- > 0;) {
    SavedRect &r = s.saved[i];
    if (r.x1 != x1 || r.y1 != y1 || r.x2 != x2 || r.y2 != y2) continue;
    if (Cut_To_Screen(x1, y1, x2, y2)) {
      size_t k = 0;
      for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) Put_Index(x, y, r.pixels[k++]);
    }
    s.saved.erase(s.saved.begin() + long(i));
    return;
  }
}
