// drawing_base/screen_world.cpp — world drawings through the screen transform, texts,
// the zoom animation, the picture-button dialogs and the shading of colours.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "drawing_base/drawing_base.h"
#include "host/host.h"
#include "support/support.h"

namespace {
struct ScreenDrawingState {
  double x0 = 0, y0 = 0, angle = 0, sx = 1, sy = 1;
  int width = 1, style = 0;
  int sel_dx = 0, sel_dy = 0;  // pointer offset in the last selection dialog
  bool registered = false;
};
ScreenDrawingState w;

struct ColourGuard {
  int saved;
  ColourGuard() { pxQFgc(&saved); }
  ~ColourGuard() { pxFgc(saved); }
};
}  // namespace

void Reset_Screen_Drawing_For_Tests() {
  const bool registered = w.registered;
  w = ScreenDrawingState{};
  w.registered = registered;
}

static void _Register() {
  if (!w.registered) {
    w.registered = true;
    Host_Register_Reset(Reset_Screen_Drawing_For_Tests);
  }
}

// ---------------------------------------------------------------- transform

void Set_Screen_Transform(double x0, double y0, double angle, double sx, double sy) {
  _Register();
  w.x0 = x0;
  w.y0 = y0;
  w.angle = angle;
  w.sx = sx;
  w.sy = sy;
}

void World_To_Screen(double *x, double *y) {
  if (x && y) {
    const double c = std::cos(w.angle), s = std::sin(w.angle), dx = *x - w.x0, dy = *y - w.y0;
    *x = (c * dx + s * dy) * w.sx;
    *y = (c * dy - s * dx) * w.sy;
  } else if (x) {
    *x *= w.sx;
  } else if (y) {
    *y *= w.sy;
  }
}

void Screen_To_World(double *x, double *y) {
  if (x && y) {
    const double c = std::cos(w.angle), s = std::sin(w.angle), px = *x / w.sx, py = *y / w.sy;
    *x = c * px - s * py + w.x0;
    *y = s * px + c * py + w.y0;
  } else if (x) {
    *x /= w.sx;
  } else if (y) {
    *y /= w.sy;
  }
}

double Get_Screen_Scale_X() { return w.sx; }
double Get_Screen_Scale_Y() { return w.sy; }

double Screen_Distance(double x1, double y1, double x2, double y2) {
  World_To_Screen(&x1, &y1);
  World_To_Screen(&x2, &y2);
  return std::hypot(x2 - x1, y2 - y1);
}

void Set_Line_Width(int width) {
  _Register();
  w.width = width;
}
void Set_Line_Style(int style) {
  _Register();
  w.style = style;
  pxSLn(style);
}
int Get_Line_Style() { return w.style; }

// The world point as a pixel, halves away from zero.
static void _Px(double x, double y, int *px, int *py) {
  World_To_Screen(&x, &y);
  *px = Round_Half_Away(x);
  *py = Round_Half_Away(y);
}

// ---------------------------------------------------------------- world drawing

void Draw_World_Dot(double x, double y) {
  int px, py;
  _Px(x, y, &px, &py);
  const int r = Round_Half_Away(w.width / 2.0);
  if (r <= 1) {
    pxDot(px, py);
    return;
  }
  int cx[72], cy[72];
  for (int k = 0; k < 72; ++k) {
    cx[k] = Round_Half_Away(px + r * std::cos(k * M_PI / 36));
    cy[k] = Round_Half_Away(py + r * std::sin(k * M_PI / 36));
  }
  pxFill(72, cx, cy);
}

// A segment in pixels by the line width and style.
static void _Pixel_Line(int x1, int y1, int x2, int y2) {
  if (w.width <= 0) return;
  if (w.width == 1) {
    pxLine(x1, y1, x2, y2);
  } else if (w.width > 3 || w.style == 0) {
    pxTkLn(x1, y1, x2, y2, w.width);
  } else {  // 2 or 3 patterned copies side by side
    const bool in_y = (y2 - y1) < (x2 - x1);
    for (int off : {1, 0, -1}) {
      if (off == -1 && w.width != 3) break;
      pxSLn(w.style);
      if (in_y) pxLine(x1, y1 + off, x2, y2 + off);
      else pxLine(x1 + off, y1, x2 + off, y2);
    }
  }
}

void Draw_World_Line(double x1, double y1, double x2, double y2) {
  int a, b, c, d;
  _Px(x1, y1, &a, &b);
  _Px(x2, y2, &c, &d);
  _Pixel_Line(a, b, c, d);
}

void Fill_World_Band(double x1, double y1, double x2, double y2, double width, const unsigned short *pattern) {
  double sn = 1, cs = 6.123233995736766e-17;  // a vertical band
  if (std::fabs(x2 - x1) >= 1e-5) {
    const double a = std::atan((y2 - y1) / (x2 - x1));
    sn = std::sin(a);
    cs = std::cos(a);
  }
  const double h = width / 2;
  const double wx[4] = {x1 - h * sn, x2 - h * sn, x2 + h * sn, x1 + h * sn};
  const double wy[4] = {y1 + h * cs, y2 + h * cs, y2 - h * cs, y1 - h * cs};
  int px[4], py[4];
  for (int k = 0; k < 4; ++k) _Px(wx[k], wy[k], &px[k], &py[k]);
  if (pattern) pxSUFA(pattern);
  pxFill(4, px, py);
  if (pattern) pxSFA(0);
}

void Draw_World_Rectangle(double x1, double y1, double x2, double y2) {
  Draw_World_Line(x1, y1, x2, y1);
  Draw_World_Line(x2, y1, x2, y2);
  Draw_World_Line(x2, y2, x1, y2);
  Draw_World_Line(x1, y2, x1, y1);
}

void Draw_World_Rectangle_Centred(double cx, double cy, double wd, double h) {
  Draw_World_Rectangle(cx - wd / 2, cy - h / 2, cx + wd / 2, cy + h / 2);
}

void Fill_World_Rectangle(double x1, double y1, double x2, double y2) {
  int a, b, c, d;
  _Px(x1, y1, &a, &b);
  _Px(x2, y2, &c, &d);
  pxRect(a, b, c, d);
}

void Fill_World_Rectangle_Centred(double cx, double cy, double wd, double h) {
  Fill_World_Rectangle(cx - wd / 2, cy - h / 2, cx + wd / 2, cy + h / 2);
}

void Erase_World_Rectangle(double x1, double y1, double x2, double y2) {
  ColourGuard keep;
  pxFgc(GetYRMColor(-1));
  Fill_World_Rectangle(x1, y1, x2, y2);
}

void Draw_World_Circle(double cx, double cy, double r) {
  for (int k = 0; k < 72; ++k)
    Draw_World_Line(cx + r * std::cos(k * M_PI / 36), cy + r * std::sin(k * M_PI / 36),
                    cx + r * std::cos((k + 1) * M_PI / 36), cy + r * std::sin((k + 1) * M_PI / 36));
}

void Fill_World_Circle(double cx, double cy, double r) {
  int px[72], py[72];
  for (int k = 0; k < 72; ++k) _Px(cx + r * std::cos(k * M_PI / 36), cy + r * std::sin(k * M_PI / 36), &px[k], &py[k]);
  pxFill(72, px, py);
}

void Draw_World_Polygon(int n, const double *x, const double *y) {
  if (n < 1 || !x || !y) return;
  for (int i = 0; i < n; ++i) Draw_World_Line(x[i], y[i], x[(i + 1) % n], y[(i + 1) % n]);
}

void Fill_World_Polygon(int n, const double *x, const double *y) {
  if (n < 1 || !x || !y) return;
  std::vector<int> px(n), py(n);
  for (int i = 0; i < n; ++i) _Px(x[i], y[i], &px[i], &py[i]);
  pxFill(n, px.data(), py.data());
}

void Draw_World_Arrow(double x1, double y1, double x2, double y2, double head_len, double head_w, int mode) {
  const double L = std::min(std::hypot(x2 - x1, y2 - y1), head_len), W = std::min(L, head_w);
  const double a = Line_Direction_Angle(x1, y1, x2, y2);
  // The base corners in the segment's frame about the tip, turned back.
  double bx[2] = {-L, -L}, by[2] = {-W / 2, W / 2};
  Local_To_World_Points(bx, by, 2, x2, y2, a, 1.0);
  Draw_World_Line(x1, y1, x2, y2);
  if (mode == 1) {
    int px[3], py[3];
    _Px(x2, y2, &px[0], &py[0]);
    _Px(bx[0], by[0], &px[1], &py[1]);
    _Px(bx[1], by[1], &px[2], &py[2]);
    pxFill(3, px, py);
  } else {
    Draw_World_Line(bx[0], by[0], x2, y2);
    Draw_World_Line(bx[1], by[1], x2, y2);
  }
}

void Draw_World_Axis_Cross(double x0, double y0, const char *text1, const char *text2, double lx, double ly,
                           double angle, double scale) {
  if (scale == 0) return;
  const double k = 1 / scale;
  double px[2] = {0, lx * k}, py[2] = {0, ly * k};
  Local_To_World_Points(px, py, 2, x0, y0, angle, 1.0);
  Draw_World_Arrow(px[0], py[0], px[1], py[0], 10 * k, 8 * k, 1);
  Draw_World_Arrow(px[0], py[0], px[0], py[1], 10 * k, 8 * k, 1);
  if (text2) Draw_World_Text(px[0] + 6 * k, py[1], text2, 4096);
  if (text1) Draw_World_Text(px[1], py[0] - 6 * k, text1, 4096);
}

void Draw_World_Dimension(int mode, double x1, double y1, double x2, double y2, const char *value, const char *index,
                          double offset) {
  if (!value) value = "";
  if (!index) index = "";
  pxExpF(0.7);
  pxSpac(0.1);
  double wv = 0, wi = 0, h;
  pxChH(12.0);
  pxQGTX(value, -1, &wv, &h);
  pxChH(8.4);
  if (*index) pxQGTX(index, -1, &wi, &h);
  const double W = wv + wi;
  if (mode == 0 || mode == 1) {  // the second point onto the first one's screen row or column
    double ax = x1, ay = y1, bx = x2, by = y2;
    World_To_Screen(&ax, &ay);
    World_To_Screen(&bx, &by);
    if (mode == 0) by = ay;
    else bx = ax;
    Screen_To_World(&bx, &by);
    x2 = bx;
    y2 = by;
  }
  const double a = Line_Direction_Angle(x1, y1, x2, y2);
  double lx[2] = {x1, x2}, ly[2] = {y1, y2};
  World_To_Local_Points(lx, ly, 2, 0, 0, a, 1.0);
  const double t = 5 / std::fabs(w.sx), d = offset / std::fabs(w.sy);
  const double k = lx[1] >= lx[0] ? 1 : -1, yl = ly[0];
  // Dimension line, two cross lines, the value anchor and the index anchor.
  double px[8] = {lx[0] - k * t, lx[1] + k * t, lx[0], lx[0], lx[1], lx[1], 0, 0};
  double py[8] = {yl, yl, yl + t, yl - d, yl + t, yl - d, 0, 0};
  px[6] = (lx[0] + lx[1]) / 2;
  py[6] = yl + 10 / std::fabs(w.sy);
  px[7] = px[6] - k * W / (2 * std::fabs(w.sx));
  py[7] = py[6] + k * d / 2;
  World_To_Local_Points(px, py, 8, 0, 0, -a, 1.0);
  int ix[8], iy[8];
  for (int i = 0; i < 8; ++i) _Px(px[i], py[i], &ix[i], &iy[i]);
  pxLine(ix[0], iy[0], ix[1], iy[1]);
  pxLine(ix[2], iy[2], ix[3], iy[3]);
  pxLine(ix[4], iy[4], ix[5], iy[5]);
  pxOrnt(M_PI - a);
  pxChH(12.0);
  pxGBTt(ix[6], iy[6], value, -1, 0xD2);
  if (*index) {
    pxChH(8.4);
    pxGBTt(ix[7], iy[7], index, -1, 0xD2);
  }
  pxOrnt(0);
  pxChH(12.0);
  pxExpF(1.0);
}

int Format_Dimension_Value(double length, char value[32], char index[4]) {
  value[0] = index[0] = 0;
  const double L = Round_To_Decimals(length, 3);
  if (!(L >= 0.01) || L > 1e12) return 0;
  const double c = 100 * L;
  int n = static_cast<int>(c + 0.0001);
  const double f = Round_To_Decimals(c - n, 2);
  const bool half = f >= 0.25 && f < 0.74999;
  if (L < 1) {
    if (half) std::snprintf(value, 32, "%d", n);
    else std::snprintf(value, 32, "%.0f", c);
  } else {
    if (f >= 0.75) ++n;
    std::snprintf(value, 32, "%.2f", n / 100.0);
  }
  if (half) std::strcpy(index, "5");
  return 1;
}

void Draw_World_Dimension_Value(int mode, double x1, double y1, double x2, double y2, double offset) {
  char value[32], index[4];
  if (Format_Dimension_Value(std::hypot(x2 - x1, y2 - y1), value, index))
    Draw_World_Dimension(mode, x1, y1, x2, y2, value, index, offset);
}

void Draw_World_Text(double x, double y, const char *text, int font) { Draw_World_Text_Ex(x, y, text, font, 0); }
void Draw_World_Text_Bold(double x, double y, const char *text, int font) { Draw_World_Text_Ex(x, y, text, font, 1); }

void Draw_World_Text_Ex(double x, double y, const char *text, int font, int bold) {
  if (!text) return;
  int px, py;
  _Px(x, y, &px, &py);
  Pop_RFont(font);
  pxText(px, py, text, -1);
  if (bold) pxText(px + 1, py, text, -1);
  Push_RFont();
}

void Draw_World_Text_Right(double x, double y, const char *text, int font) {
  if (!text) return;
  int px, py;
  _Px(x, y, &px, &py);
  const int plain = font & ~0x10000;
  Pop_RFont(plain);
  px -= Get_Text_Width(text) + ((font & 0x10000) ? 2 : 0) - 2;
  pxText(px, py, text, -1);
  Push_RFont();
}

void Draw_World_Text_Boxed(double x, double y, const char *text, int font, int family, int placement) {
  if (!text) return;
  static const int kStyle[3][3] = {{0xCC, 0xCA, 0xC9}, {0xD4, 0xD2, 0xD1}, {0xE4, 0xE2, 0xE1}};
  const int f = family == 0 ? 0 : family == 4 ? 1 : 2, p = placement == 1 ? 0 : placement == 4 ? 1 : 2;
  int px, py;
  _Px(x, y, &px, &py);
  Pop_RFont(font);
  pxBTxt(px - 5, py - 5, px + 5, py + 5, text, -1, kStyle[f][p]);
  Push_RFont();
}

void Set_Fill_Pattern_Dots() {
  unsigned short rows[16];
  for (int i = 0; i < 16; ++i) rows[i] = i % 2 ? 0x0000 : 0x5555;
  pxSUFA(rows);
}
void Set_Fill_Pattern_Waves() {
  static const unsigned short kRows[4] = {0x0810, 0x0660, 0x9189, 0x6006};
  unsigned short rows[16];
  for (int i = 0; i < 16; ++i) rows[i] = kRows[i % 4];
  pxSUFA(rows);
}
void Set_Fill_Pattern_Vertical_Lines() {
  unsigned short rows[16];
  std::fill(rows, rows + 16, 0x1111);
  pxSUFA(rows);
}

// ---------------------------------------------------------------- screen routines

int Get_Text_Width_in_Font(const char *text, int font) {
  Pop_RFont(font & ~0x10000);
  const int width = Get_Text_Width(text) + 3 + ((font & 0x10000) ? 2 : 0);
  Push_RFont();
  return width;
}

void Draw_Text_Color_Box(int x, int y, int n, int color) {
  pxFgc(color);
  pxRect(x - 1, y + 3, x + Round_Half_Away(8.0 * n), y - 10);
}

void Draw_Text_Background_Box(int x, int y, int n) {
  ColourGuard keep;
  Draw_Text_Color_Box(x, y, n, GetYRMColor(-1));
}

void Draw_Text_in_Font_Color(int x, int y, const char *text, int font, int color) {
  if (!text) return;
  ColourGuard keep;
  pxFgc(color);
  Pop_RFont(font);
  pxText(x, y, text, -1);
  Push_RFont();
}

void Draw_Text_in_State_Color(int x, int y, const char *text, int font, int state) {
  Draw_Text_in_Font_Color(x, y, text, font, GetYRMColor(state == -1 ? -6 : state == 0 ? -1 : -9));
}

static void _Frame(int x1, int y1, int x2, int y2) {
  pxLine(x1, y1, x2, y1);
  pxLine(x2, y1, x2, y2);
  pxLine(x2, y2, x1, y2);
  pxLine(x1, y2, x1, y1);
}

void Animate_Zoom_Rectangle(int x1, int y1, int x2, int y2, int x1b, int y1b, int x2b, int y2b) {
  ColourGuard keep;
  pxFgc(1);
  pxSBop(3);
  for (int i = 0; i <= 6; ++i) {
    const float t = i / 6.0f;
    auto at = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    const int a = at(x1, x1b), b = at(y1, y1b), c = at(x2, x2b), d = at(y2, y2b);
    _Frame(a, b, c, d);
    pxFlsh();
    YRMSleep(10);
    _Frame(a, b, c, d);  // XOR: drawn again, it is gone
  }
  pxSBop(0);
}

void Init_Bit_Set(BIT_SET *set, int n, int value) {
  if (!set) return;
  set->n = n;
  set->value = value;
  set->reserved = 0;
  set->bits = n > 0 ? static_cast<unsigned char *>(std::calloc((n + 7) / 8, 1)) : nullptr;
}

void Free_Bit_Set(BIT_SET *set) {
  if (!set) return;
  std::free(set->bits);
  set->bits = nullptr;
  set->n = 0;
}

// The dialog of both selections: buttons side by side (row) or one below the other.
static int _Select(int x, int y, const BUTTON_CHOICE *ch, bool row) {
  if (!ch || ch->count < 1 || ch->button_w < 1 || ch->button_h < 1) return 99;
  _Register();
  const int n = ch->count, bw = ch->button_w, bh = ch->button_h;
  const char *title = ch->title ? ch->title : "";
  Pop_RFont(0);
  const int title_w = Get_Text_Width(title);
  int text_w = 0;
  for (int i = 0; !row && ch->texts && i < n; ++i)
    if (ch->texts[i]) text_w = std::max(text_w, Get_Text_Width(ch->texts[i]) + bw + 21);
  Push_RFont();
  int width, height, title_margin = 8, button_margin = 8;
  if (row) {
    const int buttons = n * bw + 5 * (n - 1);
    width = std::max(buttons, title_w) + 16;
    if (buttons < title_w) button_margin = (width - buttons) / 2;
    else title_margin = (width - title_w) / 2;
    height = RFONT_HEIGHT + 12 + bh + 8;
  } else {
    width = std::max(title_w + 16, text_w);
    height = RFONT_HEIGHT + 12 + n * bh + 5 * (n - 1) + 8;
  }
  int x1 = ch->dialog_x, y1 = ch->dialog_y, x2 = x1 + width, y2 = y1 + height;
  Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
  Animate_Zoom_Rectangle(x, y, x + width / 2, y + height / 2, x1, y1, x2, y2);
  Set_NoFrameFlag_to_Next_PropSheet();
  Define_Prop_Sheet(x1, y1, x2, y2, 0, 0, "", n, 0);
  {
    ColourGuard keep;
    pxFgc(BLACK_CI);
    Pop_RFont(0);
    pxText(x1 + title_margin, y1 + RFONT_HEIGHT + 6, title, -1);
    pxText(x1 + title_margin + 1, y1 + RFONT_HEIGHT + 6, title, -1);
    Push_RFont();
  }
  const int bx = x1 + button_margin, by = y1 + RFONT_HEIGHT + 12;
  if (ch->bitmap) {
    if (row) pxDrawTransparentDIB(ch->bitmap, bx, by, bx + n * bw + 5 * (n - 1) - 1, by + bh - 1, 201, -1, 192, 192, 192);
    else pxDrawTransparentDIB(ch->bitmap, bx, by, bx + bw - 1, by + n * bh + 5 * (n - 1) - 1, 201, -1, 192, 192, 192);
  }
  std::vector<int> handles(n);
  for (int i = 0; i < n; ++i) {
    const int ax = row ? bx + i * (bw + 5) : bx, ay = row ? by : by + i * (bh + 5);
    handles[i] = Add_Single_Button_to_PS(ax, ay, ax + bw - 1, ay + bh - 1, nullptr, i + 1);
    Change_Action_State_PS(handles[i], 0);
    Reset_Button_Frame(handles[i]);
    if (ch->texts && ch->texts[i]) Set_Comment_to_Button_PS(handles[i], ch->texts[i]);
    if (!row && ch->texts && ch->texts[i]) Add_Text_to_PS(ax + bw + 8, ay + bh / 2 + 3, ch->texts[i], 0);
  }
  for (int h : handles) Snap_Colored_Layout_of_Single_Button(h);
  Add_Escape_Area_to_PS(x1, y1, x2, y2, 0, 99);
  Set_ClickOutsideEvent_to_PS(99);
  if (w.sel_dx == 0 && w.sel_dy == 0) {  // the first button's middle
    w.sel_dx = bx - x1 + bw / 2;
    w.sel_dy = by - y1 + bh / 2;
  }
  msStCu(x1 + w.sel_dx, y1 + w.sel_dy);
  Activate_Prop_Sheet();
  int code = Edit_Prop_Sheet();
  GetYRMMessage(1, nullptr);
  int px, py;
  msStat(&px, &py);
  w.sel_dx = px - x1;
  w.sel_dy = py - y1;
  Undefine_Prop_Sheet();
  return code == n + 1 ? -1 : code;
}

int Select_From_Button_Row(int x, int y, const BUTTON_CHOICE *choice) { return _Select(x, y, choice, true); }
int Select_From_Button_List(int x, int y, const BUTTON_CHOICE *choice) { return _Select(x, y, choice, false); }

int Add_Optische_Kontrolle_Button(int x, int y, int code) {
  const int h = Add_Single_Button_to_PS(x, y, x + 34, y + 19, "OptischeKontrolle.bmp", code);
  Reset_Button_Frame(h);
  Set_Comment_to_Button_PS(h, "optische Kontrolle");
  return h;
}

// ---------------------------------------------------------------- shading

void Shade_RGB_by_Lightness(int *r, int *g, int *b, double percent) {
  if (!r || !g || !b) return;
  const double R = *r / 255.0, G = *g / 255.0, B = *b / 255.0;
  const double mx = std::max({R, G, B}), mn = std::min({R, G, B});
  double L = (mx + mn) / 2, H = 0, S = 0;
  if (L > 0 && mx - mn > 0) {
    S = (mx - mn) / (L > 0.5 ? 2 - mx - mn : mx + mn);
    const double rc = (mx - R) / (mx - mn), gc = (mx - G) / (mx - mn), bc = (mx - B) / (mx - mn);
    if (R == mx) H = G == mn ? 5 + bc : 1 - gc;
    else if (G == mx) H = B == mn ? 1 + rc : 3 - bc;
    else H = R == mn ? 3 + gc : 5 - rc;
    H /= 6;
  }
  L *= 1 + percent / 100;
  const double v = L <= 0.5 ? L * (1 + S) : L + S - L * S;
  double out[3] = {0, 0, 0};
  if (v > 0) {
    const double m = 2 * L - v;
    int i = static_cast<int>(6 * H);
    const double f = 6 * H - i;
    i %= 6;  // a hue of 6/6 (red with green lowest) is the hue 0
    const double t = v * ((v - m) / v) * f, up = m + t, down = v - t;
    const double table[6][3] = {{v, up, m}, {down, v, m}, {m, v, up}, {m, down, v}, {up, m, v}, {v, m, down}};
    std::copy(table[i], table[i] + 3, out);
  }
  int *dst[3] = {r, g, b};
  for (int k = 0; k < 3; ++k) *dst[k] = std::clamp(Round_Half_Away(out[k] * 255), 0, 255);
}

int Shade_Color_by_Lightness(int color, double percent) {
  int r, g, b;
  pxQCR(color, &r, &g, &b);
  Shade_RGB_by_Lightness(&r, &g, &b, percent);
  return Nearest_RGB_Color(r, g, b);
}
