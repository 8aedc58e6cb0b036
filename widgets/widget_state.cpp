// Widget layer state: current area, font and colours, the widget area stack, hints and
// hover buttons with the call-always hover function, the value tables of the sheet
// levels, the markup-aware text width, the widget transform, level colours and the
// polygon widget's drawing.
#include <cmath>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/host_screen.h"
#include "support/support.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"

namespace {

constexpr int kStyleBits = 0x70000;
constexpr unsigned char kMarkup = 0xCE;
constexpr int kHintFont = 0x1000;
constexpr int kUnregisteredInt = -99999999;

struct RangeEntry {
  double *value;
  double minimum, maximum;
};
struct IntMirror {
  int *value;
  double mirror;
};
struct ScaledEntry {
  double *value;
  double factor;
};
// One sheet level: its pages and its entries of the three tables. The deques keep the
// mirrors' addresses, which number fields hold, while entries are added.
struct SheetLevel {
  std::vector<WIDGET_APPLY_FN> apply;
  std::vector<int> tables;
  std::deque<RangeEntry> ranges;
  std::deque<IntMirror> mirrors;
  std::deque<ScaledEntry> scaled;
};

struct WidgetState {
  int area = -1;
  int font = 4096;
  int text_colour = 0, background = 0;
  int escape = -1;
  int offset_x = -1000, offset_y = -1000;
  int *displacement_x = nullptr, *displacement_y = nullptr;
  int last_x1 = 0, last_y1 = 0, last_x2 = 0, last_y2 = 0, last_active = 0;
  int hover_in_use = 0;
  int drawing_mode = 1;
  double origin_x = 0, origin_y = 0, angle = 0, scale = 1.0;
  double level_base = 10.0, level_step = 20.0;
  int colours_a[3] = {-1, -1, -1};
  int colours_b[3] = {-1, -1, -1};
  std::vector<int> polygon_x, polygon_y;
  std::vector<WIDGET_AREA_STACK_ENTRY> stack;
  std::vector<WIDGET_HINT> hints;
  std::vector<HOVER_BUTTON> hover_buttons;
  // Shown hint box: its screen rectangle and the pixels under it.
  bool hint_shown = false;
  int hint_x1 = 0, hint_y1 = 0, hint_x2 = 0, hint_y2 = 0;
  std::vector<unsigned char> hint_saved;
  // Shown hover: the remembered button, its screen rectangle and the pixels under it.
  bool hover_shown = false;
  int hover_button = -1;
  int hover_x1 = 0, hover_y1 = 0, hover_x2 = 0, hover_y2 = 0;
  std::vector<unsigned char> hover_saved;
  std::vector<SheetLevel> levels = std::vector<SheetLevel>(1);
  int drop_int_mirrors = 1;
  bool reset_registered = false;
};
WidgetState g;

WidgetState &_S() {
  if (!g.reset_registered) {
    g.reset_registered = true;
    Host_Register_Reset(&Reset_Widget_Layer_For_Tests);
  }
  return g;
}

// Width of a piece of text (bytes [from, to)) in the selected font.
int _Piece_Width(const std::string &text, std::size_t from, std::size_t to) {
  if (to <= from) return 0;
  return Get_Text_Width(text.substr(from, to - from).c_str());
}

// Rounds half away from zero.
long _Round(double value) { return std::lround(value); }

int _Round_Mirror(double mirror) {
  return static_cast<int>(mirror >= 0 ? std::trunc(mirror + 0.5) : std::trunc(mirror - 0.5));
}

SheetLevel &_Level() { return _S().levels.back(); }

// Converts a level's entries back: scaled doubles divided (and dropped), int mirrors
// rounded back unless keep_ints (dropped when drop_ints).
void _Convert_Level(SheetLevel &level, bool keep_ints, bool drop_ints) {
  for (ScaledEntry &e : level.scaled) *e.value /= e.factor;
  level.scaled.clear();
  if (!keep_ints)
    for (IntMirror &m : level.mirrors) *m.value = _Round_Mirror(m.mirror);
  if (drop_ints) level.mirrors.clear();
}

// Screen position of a content point of the current area under the stack's offsets.
struct AreaView {
  int dx, dy, sx, sy;
};
AreaView _Current_View(const WidgetState &s) {
  AreaView v{0, 0, 0, 0};
  if (s.displacement_x) v.dx = *s.displacement_x;
  if (s.displacement_y) v.dy = *s.displacement_y;
  if (const SCROLLABLE_VIEW_AREA *a = Get_Scrollable_View_Area(s.area))
    if (a->handle >= 0 && a->handle != VIEW_AREA_RESERVED) Inquire_Scrollable_Area_PS(a->handle, &v.sx, &v.sy);
  return v;
}

int _Screen_X(const WidgetState &s, const AreaView &v, int x) { return x + v.dx + s.offset_x - v.sx; }
int _Screen_Y(const WidgetState &s, const AreaView &v, int y) { return y + v.dy + s.offset_y - v.sy; }

void _Save_Under(int x1, int y1, int x2, int y2, std::vector<unsigned char> &buffer) {
  int width = 0, size = 0;
  pxQSvR(x1, y1, x2, y2, &width, &size);
  buffer.assign(static_cast<std::size_t>(size > 0 ? size : 0), 0);
  pxSvRc(x1, y1, x2, y2, buffer.data());
}

void _Show_Hint(WidgetState &s, const WIDGET_HINT &h, const AreaView &v) {
  int x1 = static_cast<int>(_Round((h.x1 + h.x2) / 2.0)) + v.dx + s.offset_x - v.sx;
  if (h.alignment == 3) x1 -= h.box_width;
  int y1 = (h.below == 0 ? h.y1 - 5 - h.box_height : h.y2 + 5) + v.dy + s.offset_y - v.sy;
  int x2 = x1 + h.box_width, y2 = y1 + h.box_height;
  _Save_Under(x1, y1, x2, y2, s.hint_saved);
  s.hint_x1 = x1, s.hint_y1 = y1, s.hint_x2 = x2, s.hint_y2 = y2;
  s.hint_shown = true;
  int old_colour = pxQFgc(nullptr);
  pxFgc(Nearest_Color_Index(255, 255, 255));
  pxRect(x1, y1, x2, y2);
  pxFgc(Nearest_Color_Index(64, 64, 64));
  pxLine(x1, y1, x2, y1);
  pxLine(x2, y1, x2, y2);
  pxLine(x2, y2, x1, y2);
  pxLine(x1, y2, x1, y1);
  pxSFnt(kHintFont);
  for (int i = 0; i < h.line_count; ++i)
    pxText(x1 + 3, y1 + 12 * (i + 1), h.lines[i], static_cast<int>(std::strlen(h.lines[i])));
  pxFgc(old_colour);
}

void _Draw_Picture(const HOVER_BUTTON &b, const char *picture, int x1, int y1, int x2, int y2) {
  int r = 0, gr = 0, bl = 0;
  pxQCR(b.transparent, &r, &gr, &bl);
  pxDrawPartialTransparentDIB(picture, 0, 0, -1, -1, x1, y1, x2, y2, 0xc9, -1, r, gr, bl);
}

void _Draw_Button_Text(const WidgetState &s, const AreaView &v, const HOVER_BUTTON &b, bool bold) {
  if (!b.text) return;
  int old_colour = pxQFgc(nullptr);
  int tx = _Screen_X(s, v, b.text_x), ty = _Screen_Y(s, v, b.text_y);
  int length = static_cast<int>(std::strlen(b.text));
  pxSFnt(b.font & ~0x10000);
  pxFgc(b.text_colour);
  pxText(tx, ty, b.text, length);
  if (bold && (b.font & 0x10000)) pxText(tx + 1, ty, b.text, length);
  pxFgc(old_colour);
}

// Takes a shown hover back: the normal picture (and the button's text, not bold) over
// it, or the saved screen.
void _Take_Back_Hover(WidgetState &s, const AreaView &v) {
  if (!s.hover_shown) return;
  if (s.hover_button >= 0 && s.hover_button < static_cast<int>(s.hover_buttons.size()) &&
      s.hover_buttons[static_cast<std::size_t>(s.hover_button)].normal_picture) {
    const HOVER_BUTTON &b = s.hover_buttons[static_cast<std::size_t>(s.hover_button)];
    _Draw_Picture(b, b.normal_picture, s.hover_x1, s.hover_y1, s.hover_x2, s.hover_y2);
    _Draw_Button_Text(s, v, b, false);
  } else {
    pxStRc(s.hover_x1, s.hover_y1, s.hover_x2, s.hover_y2, s.hover_saved.data());
  }
  s.hover_shown = false;
  s.hover_button = -1;
}

void _Show_Hover(WidgetState &s, const AreaView &v, int index) {
  const HOVER_BUTTON &b = s.hover_buttons[static_cast<std::size_t>(index)];
  int x1 = _Screen_X(s, v, b.x1), y1 = _Screen_Y(s, v, b.y1);
  int x2 = _Screen_X(s, v, b.x2), y2 = _Screen_Y(s, v, b.y2);
  _Save_Under(x1, y1, x2, y2, s.hover_saved);
  s.hover_x1 = x1, s.hover_y1 = y1, s.hover_x2 = x2, s.hover_y2 = y2;
  if (b.hover_picture) _Draw_Picture(b, b.hover_picture, x1, y1, x2, y2);
  _Draw_Button_Text(s, v, b, true);
  s.hover_shown = true;
}

int *_Level_Colours(bool scheme_a) {
  WidgetState &s = _S();
  int *c = scheme_a ? s.colours_a : s.colours_b;
  if (c[0] == -1) Init_Widget_Level_Colors();
  return c;
}

int _Set_Level_Colour(bool scheme_a, int i, int index) {
  int *c = _Level_Colours(scheme_a);
  if (i < 0) return i;
  if (i > 2) {
    c[2] = index;
    return index;
  }
  c[i] = index;
  return i;
}

int _Get_Level_Colour(bool scheme_a, double position) {
  const int *c = _Level_Colours(scheme_a);
  const WidgetState &s = g;
  if (position >= s.level_base + 2 * s.level_step) return c[2];
  if (position >= s.level_base + s.level_step) return c[1];
  return c[0];
}

// The last entry of the area stack that belongs to area (nullptr: none).
const WIDGET_AREA_STACK_ENTRY *_Last_Entry_of(const WidgetState &s, int area) {
  for (auto e = s.stack.rbegin(); e != s.stack.rend(); ++e)
    if (e->area == area) return &*e;
  return nullptr;
}

}  // namespace

void Reset_Widget_Layer_For_Tests() {
  bool registered = g.reset_registered;
  g = WidgetState{};
  g.reset_registered = registered;
}

// ---------------------------------------------------------------- state and accessors

void Begin_Widget_Area(int area) {
  WidgetState &s = _S();
  s.area = area;
  s.hints.clear();
  s.hover_buttons.clear();
  // A box or hover still shown is put back by the next hover call from its saved pixels.
  s.hover_button = -1;
  s.font = 4096;
  s.text_colour = Nearest_Color_Index(0, 0, 0);
  s.background = Nearest_Color_Index(255, 255, 255);
  s.offset_x = s.offset_y = -1000;
  s.escape = -1;
  s.displacement_x = s.displacement_y = nullptr;
  if (const WIDGET_AREA_STACK_ENTRY *e = _Last_Entry_of(s, area)) {
    s.escape = e->escape;
    s.offset_x = e->x1;
    s.offset_y = e->y1;
    s.displacement_x = e->displacement_x;
    s.displacement_y = e->displacement_y;
  }
}

int Get_Widget_Area() { return _S().area; }
void Set_Widget_Font(int font) { _S().font = font; }
int Get_Widget_Font() { return _S().font; }
void Set_Widget_Text_Color(int index) { _S().text_colour = index; }
int Get_Widget_Text_Color() { return _S().text_colour; }
void Set_Widget_Background_Color(int index) { _S().background = index; }
int Get_Widget_Background_Color() { return _S().background; }
void Set_Widget_Drawing_Mode(int value) { _S().drawing_mode = value; }
int Get_Widget_Drawing_Mode() { return _S().drawing_mode; }

void Set_Last_Widget_Rect(int x1, int y1, int x2, int y2, int active) {
  WidgetState &s = _S();
  s.last_x1 = x1, s.last_y1 = y1, s.last_x2 = x2, s.last_y2 = y2, s.last_active = active;
}

void Get_Last_Widget_Rect(int *x1, int *y1, int *x2, int *y2, int *active) {
  const WidgetState &s = _S();
  if (x1) *x1 = s.last_x1;
  if (y1) *y1 = s.last_y1;
  if (x2) *x2 = s.last_x2;
  if (y2) *y2 = s.last_y2;
  if (active) *active = s.last_active;
}

int Get_Widget_Text_Width(const char *text, int font) {
  Pop_RFont(font & ~kStyleBits);
  int w = Get_Markup_Text_Width(text);
  Push_RFont();
  bool styled = (font & kStyleBits) != 0;
  if (w <= 0) return styled ? 2 : 0;
  return w + 3 + (styled ? 2 : 0);
}

int Get_Markup_Text_Width(const char *text) {
  if (!text) return 0;
  const std::string t(text);
  if (t.find(static_cast<char>(kMarkup)) == std::string::npos) return Get_Text_Width(text);
  const std::size_t n = t.size();
  int width = 0;
  std::size_t pos = 0;
  while (pos < n) {
    std::size_t open = t.find(static_cast<char>(kMarkup), pos);
    if (open == std::string::npos) {
      width += _Piece_Width(t, pos, n);
      break;
    }
    width += _Piece_Width(t, pos, open);
    if (open + 1 >= n) break;  // a code without its letter
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(t[open + 1])));
    const std::size_t arg = open + 2;
    std::size_t close = arg < n ? t.find(static_cast<char>(kMarkup), arg) : std::string::npos;
    const std::size_t arg_end = close == std::string::npos ? n : close;
    const std::size_t arg_length = arg_end > arg ? arg_end - arg : 0;
    if (letter == 'C') {
      std::size_t blank = arg_length ? t.find(' ', arg) : std::string::npos;
      if (blank != std::string::npos && blank + 1 < arg_end) width += _Piece_Width(t, blank + 1, arg_end);
    } else if (letter == 'B' && arg_length >= 2) {
      width += _Piece_Width(t, arg, arg_end);
    }
    if (close == std::string::npos || n - close - 1 < 2) break;
    pos = close + 2;  // the byte after the closing 0xCE belongs to the code
  }
  return width;
}

// ---------------------------------------------------------------- area stack

void Push_Widget_Area(int escape, int area, int x1, int y1, int x2, int y2, int *displacement_x,
                      int *displacement_y) {
  WidgetState &s = _S();
  s.stack.push_back(WIDGET_AREA_STACK_ENTRY{escape, area, x1, y1, x2, y2, displacement_x, displacement_y});
  if (s.stack.size() == 1) {
    Define_Call_Allways_Function(&Widget_Hover_Function);
    Activate_Call_Allways_Function(1);
    s.hover_in_use = 1;
  }
}

void Pop_Widget_Area() {
  WidgetState &s = _S();
  if (s.stack.empty()) return;
  const WIDGET_AREA_STACK_ENTRY popped = s.stack.back();
  s.stack.pop_back();
  // The displacement ints belong to the sheet that pushed the entry and end with its run:
  // the current area stops reading them (a remaining entry of the same area takes over).
  if (s.displacement_x == popped.displacement_x && s.displacement_y == popped.displacement_y) {
    const WIDGET_AREA_STACK_ENTRY *e = _Last_Entry_of(s, s.area);
    s.displacement_x = e ? e->displacement_x : nullptr;
    s.displacement_y = e ? e->displacement_y : nullptr;
  }
  if (s.stack.empty()) {
    Activate_Call_Allways_Function(0);
    s.hover_in_use = 0;
  }
}

int Get_Widget_Area_Depth() { return static_cast<int>(_S().stack.size()); }

void Set_Widget_Hover_Active(int on) { Activate_Call_Allways_Function(on && _S().hover_in_use ? 1 : 0); }

// ---------------------------------------------------------------- hints and hover buttons

void Set_Widget_Hint(const char *text, int below, int alignment) {
  WidgetState &s = _S();
  if (!s.hover_in_use || !s.last_active || !text) return;
  WIDGET_HINT h{};
  int line = 0, length = 0;
  h.line_count = 1;
  for (const char *p = text; *p; ++p) {
    if (*p == '\n' || length == 99) {
      if (line == 4) break;
      ++line;
      length = 0;
      h.line_count = line + 1;
      if (*p == '\n') continue;
    }
    h.lines[line][length++] = *p;
  }
  int widest = 0;
  Pop_RFont(kHintFont);
  for (int i = 0; i < h.line_count; ++i) {
    int w = h.lines[i][0] ? Get_Text_Width(h.lines[i]) + 3 : 0;
    if (w > widest) widest = w;
  }
  Push_RFont();
  h.box_width = 6 + widest;
  h.box_height = 12 * h.line_count + 6;
  h.x1 = s.last_x1, h.x2 = s.last_x2, h.y1 = s.last_y1, h.y2 = s.last_y2;
  h.handle = s.escape;
  h.below = below;
  h.alignment = alignment;
  s.hints.push_back(h);
}

int Get_Widget_Hint_Count() { return static_cast<int>(_S().hints.size()); }

const WIDGET_HINT *Get_Widget_Hint(int index) {
  WidgetState &s = _S();
  if (index < 0 || index >= static_cast<int>(s.hints.size())) return nullptr;
  return &s.hints[static_cast<std::size_t>(index)];
}

void Add_Widget_Hover_Button(const HOVER_BUTTON *button) {
  if (button) _S().hover_buttons.push_back(*button);
}

int Get_Widget_Hover_Button_Count() { return static_cast<int>(_S().hover_buttons.size()); }

void Widget_Hover_Function() {
  WidgetState &s = _S();
  const AreaView v = _Current_View(s);
  const int mx = M_XPOS - v.dx - s.offset_x + v.sx;
  const int my = M_YPOS - v.dy - s.offset_y + v.sy;
  bool on_hint = false;
  for (const WIDGET_HINT &h : s.hints) {
    if (ActivState_of_Button_PS(h.handle) != 1) continue;
    if (h.x1 < mx && mx < h.x2 && h.y1 < my && my < h.y2) {
      on_hint = true;
      if (!s.hint_shown) _Show_Hint(s, h, v);
      break;
    }
  }
  if (!on_hint && s.hint_shown) {
    pxStRc(s.hint_x1, s.hint_y1, s.hint_x2, s.hint_y2, s.hint_saved.data());
    s.hint_shown = false;
  }
  int on_button = -1;
  for (std::size_t i = 0; i < s.hover_buttons.size(); ++i) {
    const HOVER_BUTTON &b = s.hover_buttons[i];
    if (ActivState_of_Button_PS(b.handle) != 1) continue;
    if (b.x1 < mx && mx < b.x2 && b.y1 < my && my < b.y2) {
      on_button = static_cast<int>(i);
      break;
    }
  }
  if (on_button >= 0) {
    if (s.hover_shown && s.hover_button != on_button) _Take_Back_Hover(s, v);
    if (!s.hover_shown) _Show_Hover(s, v, on_button);
    s.hover_button = on_button;
  } else {
    _Take_Back_Hover(s, v);
  }
}

// ---------------------------------------------------------------- value tables

int Open_Widget_Sheet_Level(int page_count, const WIDGET_APPLY_FN *apply, const int *tables) {
  WidgetState &s = _S();
  SheetLevel level;
  for (int i = 0; i < page_count; ++i) {
    level.apply.push_back(apply ? apply[i] : nullptr);
    level.tables.push_back(tables ? tables[i] : -1);
  }
  s.levels.push_back(std::move(level));
  return static_cast<int>(s.levels.size()) - 1;
}

void Close_Widget_Sheet_Level(int keep_ints_untouched) {
  WidgetState &s = _S();
  if (s.levels.size() < 2) return;
  _Convert_Level(s.levels.back(), keep_ints_untouched != 0, true);
  s.levels.pop_back();
}

int Get_Widget_Sheet_Level() { return static_cast<int>(_S().levels.size()) - 1; }

int Register_Widget_Scaled_Value(double *value, double factor) {
  if (!value) return 0;
  SheetLevel &level = _Level();
  for (const ScaledEntry &e : level.scaled)
    if (e.value == value) return 0;
  *value *= factor;
  level.scaled.push_back(ScaledEntry{value, factor});
  return 1;
}

double *Register_Widget_Int_Mirror(int *value) {
  if (!value) return nullptr;
  SheetLevel &level = _Level();
  IntMirror *entry = nullptr;
  for (IntMirror &m : level.mirrors)
    if (m.value == value) entry = &m;
  if (!entry) {
    level.mirrors.push_back(IntMirror{value, static_cast<double>(*value)});
    entry = &level.mirrors.back();
  }
  *value = _Round_Mirror(entry->mirror);
  return &entry->mirror;
}

int Register_Widget_Range_Value(double *value, double minimum, double maximum) {
  if (!value) return 0;
  SheetLevel &level = _Level();
  for (const RangeEntry &e : level.ranges)
    if (e.value == value) return 0;
  level.ranges.push_back(RangeEntry{value, minimum, maximum});
  return 1;
}

int Finish_Widget_Sheet_Values(int level_number) {
  WidgetState &s = _S();
  if (level_number < 0 || level_number >= static_cast<int>(s.levels.size()))
    level_number = static_cast<int>(s.levels.size()) - 1;
  SheetLevel &level = s.levels[static_cast<std::size_t>(level_number)];
  _Convert_Level(level, false, s.drop_int_mirrors != 0);
  for (std::size_t i = 0; i < level.apply.size(); ++i) {
    if (!level.apply[i]) continue;
    int answer = level.apply[i](level.tables[i]);
    if (answer != 0) return answer;
  }
  return 0;
}

void Set_Widget_Drop_Int_Mirrors(int on) { _S().drop_int_mirrors = on; }
int Get_Widget_Drop_Int_Mirrors() { return _S().drop_int_mirrors; }

void Set_Widget_Sheet_Int(int *value, int new_value) {
  for (SheetLevel &level : _S().levels)
    for (IntMirror &m : level.mirrors)
      if (m.value == value) {
        *value = new_value;
        m.mirror = new_value;
        return;
      }
}

int Get_Widget_Sheet_Int(int *value) {
  for (const SheetLevel &level : _S().levels)
    for (const IntMirror &m : level.mirrors)
      if (m.value == value) return *value;
  return kUnregisteredInt;
}

void Clamp_Widget_Range_Value(double *value) {
  for (const RangeEntry &e : _Level().ranges) {
    if (e.value != value) continue;
    if (*value < e.minimum)
      *value = e.minimum;
    else if (*value > e.maximum)
      *value = e.maximum;
    return;
  }
}

// ---------------------------------------------------------------- transform, levels, polygon

void Set_Widget_Transform(double origin_x, double origin_y, double angle_radians, double scale) {
  WidgetState &s = _S();
  s.origin_x = origin_x, s.origin_y = origin_y, s.angle = angle_radians, s.scale = scale;
}

double Get_Widget_Scale() { return _S().scale; }

void Transform_Widget_Point(double *x, double *y) {
  const WidgetState &s = _S();
  double X = *x * s.scale - s.origin_x, Y = *y * s.scale - s.origin_y;
  double c = std::cos(s.angle), sn = std::sin(s.angle);
  *x = c * X + sn * Y;
  *y = c * Y - sn * X;
}

void Untransform_Widget_Point(double *x, double *y) {
  const WidgetState &s = _S();
  double c = std::cos(s.angle), sn = std::sin(s.angle);
  double X = *x, Y = *y;
  *x = (c * X - sn * Y + s.origin_x) / s.scale;
  *y = (sn * X + c * Y + s.origin_y) / s.scale;
}

double Get_Widget_Distance(double x1, double y1, double x2, double y2) {
  Transform_Widget_Point(&x1, &y1);
  Transform_Widget_Point(&x2, &y2);
  return std::hypot(x2 - x1, y2 - y1);
}

void Reset_Widget_Level_Steps() {
  WidgetState &s = _S();
  s.level_base = 10.0;
  s.level_step = 20.0;
}
void Set_Widget_Level_Base(double value) { _S().level_base = value; }
void Set_Widget_Level_Step(double value) { _S().level_step = value; }

int Get_Widget_Level_Position(int i) {
  const WidgetState &s = _S();
  return static_cast<int>(_Round(i * s.level_step + s.level_base));
}

void Init_Widget_Level_Colors() {
  WidgetState &s = _S();
  s.colours_a[0] = BLACK_CI;
  s.colours_a[1] = Nearest_Color_Index(132, 97, 66);
  s.colours_a[2] = Nearest_Color_Index(64, 128, 192);
  s.colours_b[0] = BLACK_CI;
  s.colours_b[1] = Nearest_Color_Index(100, 72, 49);
  s.colours_b[2] = Nearest_Color_Index(0, 0, 150);
}

int Set_Widget_Level_Color_A(int i, int index) { return _Set_Level_Colour(true, i, index); }
int Set_Widget_Level_Color_B(int i, int index) { return _Set_Level_Colour(false, i, index); }
int Get_Widget_Level_Color_A(double position) { return _Get_Level_Colour(true, position); }
int Get_Widget_Level_Color_B(double position) { return _Get_Level_Colour(false, position); }

void Set_Widget_Polygon(int count, const int *x, const int *y) {
  WidgetState &s = _S();
  s.polygon_x.clear();
  s.polygon_y.clear();
  for (int i = 0; i < count && x && y; ++i) {
    s.polygon_x.push_back(x[i]);
    s.polygon_y.push_back(y[i]);
  }
}

void Draw_Widget_Polygon(int x1, int y1, int x2, int y2, void *) {
  const WidgetState &s = _S();
  std::vector<int> xs(s.polygon_x), ys(s.polygon_y);
  for (int &x : xs) x += x1;
  for (int &y : ys) y += y1;
  pxFgc(s.background);
  if (!xs.empty()) pxFill(static_cast<int>(xs.size()), xs.data(), ys.data());
  pxLine(x1, y1, x2, y2);
}

// ---------------------------------------------------------------- internal accessors

const WIDGET_AREA_STACK_ENTRY *Widget_Area_Stack_Entry(int index) {
  WidgetState &s = _S();
  if (index < 0 || index >= static_cast<int>(s.stack.size())) return nullptr;
  return &s.stack[static_cast<std::size_t>(index)];
}

int Widget_Hover_In_Use() { return _S().hover_in_use; }

int Widget_Value_Entry_Count(int table) {
  const SheetLevel &level = _Level();
  switch (table) {
    case 0:
      return static_cast<int>(level.ranges.size());
    case 1:
      return static_cast<int>(level.mirrors.size());
    default:
      return static_cast<int>(level.scaled.size());
  }
}
