// The icon bar of the main window: a row of buttons cut out of one strip bitmap, with hover
// images, hover texts and sub-bars that unroll under their button; Run_Icon_Bar follows the
// pointer while it stays over the bar and returns the code of the clicked button.
#include <algorithm>
#include <cstring>

#include "host/host.h"
#include "host/host_screen.h"
#include "support/support.h"
#include "widgets/view_events.h"
#include "widgets/view_events_internal.h"

namespace {

constexpr int kBarMask = 0x40000022;  // pointer and press events, and the wait limit
constexpr int kBarLimitMs = 100;
constexpr double kSubBarDeadlineS = 1.0;
constexpr double kUnrollStepS = 0.05;
constexpr int kHoverFont = 0x1000;
constexpr int kBitmapMode = 201;

// The main bar: seven buttons of 42 × 37, one column of the strip per button with the normal,
// hover, inactive and pressed images at y 51, 89, 127 and 165; all 6 pixels below the bar's
// top.
struct MainButtonRow {
  const char *hover_text;
  int code;
  int strip_x;
  int dx;
};
constexpr MainButtonRow kMainButtons[] = {
    {"nationaler Anhang zum EC", 8, 302, -10}, {"Druckeinstellung", 1, 259, 45}, {"Vorschau", 2, 216, 90},
    {"drucken", 3, 1, 135},                    {"plotten", 4, 44, 180},         {"Hilfe", 6, 130, 225},
    {"Ende", 7, 173, 270},
};
constexpr int kMainCount = sizeof kMainButtons / sizeof kMainButtons[0];

struct Rect {
  int x1, y1, x2, y2;
  bool Holds(int x, int y) const { return x1 <= x && x <= x2 && y1 <= y && y <= y2; }
  bool Holds_Strictly(int x, int y) const { return x1 < x && x < x2 && y1 < y && y < y2; }
};

struct IconBarState {
  int frame_flag;
  int box_shown;  // hover box on screen
  Rect box;
  int box_fill;
  bool box_fill_known;
  int panel_saved;  // sub-bar panel rectangle saved
  Rect panel;
  int panel_line;
  bool panel_line_known;
  ICON_BAR main_bar;
  ICON_BAR_BUTTON main_buttons[kMainCount];
  bool reset_registered;
};

IconBarState _Initial_State() {
  IconBarState s{};
  s.frame_flag = 1;
  for (int i = 0; i < kMainCount; ++i) {
    const MainButtonRow &row = kMainButtons[i];
    ICON_BAR_BUTTON &b = s.main_buttons[i];
    b.w = 42, b.h = 37;
    b.normal_x = b.hover_x = b.inactive_x = b.pressed_x = row.strip_x;
    b.normal_y = 51, b.hover_y = 89, b.inactive_y = 127, b.pressed_y = 165;
    b.dx = row.dx, b.dy = 6;
    b.state = 1;
    b.code = row.code;
    b.hover_text = row.hover_text;
    b.sub_bar = nullptr;
  }
  return s;
}

IconBarState g = _Initial_State();

IconBarState &_State() {
  if (!g.reset_registered) {
    g.reset_registered = true;
    Host_Register_Reset(&Reset_Icon_Bar_For_Tests);
  }
  return g;
}

Rect _Button_Rect(const ICON_BAR *bar, const ICON_BAR_BUTTON &b) {
  int X = bar->x1 + b.dx, Y = bar->y1 + b.dy;
  return {X, Y, X + b.w - 1, Y + b.h - 1};
}

// The rectangle over which the pointer counts as on the bar: the declared rectangle joined
// with every button's rectangle, since a button may stick out of the declared one.
Rect _Reach(const ICON_BAR *bar) {
  Rect u{bar->x1, bar->y1, bar->x2, bar->y2};
  for (int i = 0; bar->buttons && i < bar->count; ++i) {
    Rect r = _Button_Rect(bar, bar->buttons[i]);
    u.x1 = std::min(u.x1, r.x1), u.y1 = std::min(u.y1, r.y1);
    u.x2 = std::max(u.x2, r.x2), u.y2 = std::max(u.y2, r.y2);
  }
  return u;
}

bool _Aborted() { return getkeymask() == 1; }

void _Wait_for_Release() {
  while (M_LEFT && !_Aborted()) Get_Mouse_Event();
}

void _Draw_Normal(const ICON_BAR *bar, const ICON_BAR_BUTTON &b) {
  Draw_Icon_Bar_Button(bar->x1, bar->y1, &b, bar->strip, ICON_NORMAL);
}

// Width of a line of text in the current font (the host's extent, right less left).
int _Line_Width(const char *line, int len) {
  if (len <= 0) return 0;
  int extent[4] = {0, 0, 0, 0};
  pxQTxX(line, len, nullptr, nullptr, extent, 0);
  return extent[1] - extent[0];
}

void _Remove_Hover_Box() {
  IconBarState &s = _State();
  if (!s.box_shown) return;
  Restore_Screen_Rectangle(s.box.x1, s.box.y1, s.box.x2, s.box.y2);
  s.box_shown = 0;
}

// The hover text in a white box below and right of the pointer, kept 5 pixels inside the
// screen's right and bottom edges.
void _Show_Hover_Box(const char *text) {
  IconBarState &s = _State();
  _Remove_Hover_Box();
  if (!s.box_fill_known) {
    s.box_fill = Nearest_RGB_Color(255, 255, 255);
    s.box_fill_known = true;
  }
  Pop_RFont(kHoverFont);
  int widest = 0, lines = 0;
  for (const char *line = text;;) {
    const char *end = std::strchr(line, '\n');
    int len = end ? static_cast<int>(end - line) : static_cast<int>(std::strlen(line));
    widest = std::max(widest, _Line_Width(line, len));
    ++lines;
    if (!end) break;
    line = end + 1;
  }
  Rect b{M_XPOS, M_YPOS + 20, 0, 0};
  b.x2 = b.x1 + widest + 10;
  b.y2 = b.y1 + RFONT_HEIGHT * lines + 5;
  if (b.x2 >= NPIXEL_X - 4) {
    b.x2 = NPIXEL_X - 5;
    b.x1 = b.x2 - (widest + 10);
  }
  if (b.y2 >= NPIXEL_Y - 4) {
    b.y2 = NPIXEL_Y - 5;
    b.y1 = b.y2 - (RFONT_HEIGHT * lines + 5);
  }
  int colour = pxQFgc(nullptr);
  Save_Screen_Rectangle(b.x1, b.y1, b.x2, b.y2);
  pxFgc(s.box_fill);
  pxRect(b.x1, b.y1, b.x2, b.y2);
  pxFgc(BLACK_CI);
  pxLine(b.x1, b.y1, b.x2, b.y1);
  pxLine(b.x2, b.y1, b.x2, b.y2);
  pxLine(b.x2, b.y2, b.x1, b.y2);
  pxLine(b.x1, b.y2, b.x1, b.y1);
  int k = 1;
  for (const char *line = text;; ++k) {
    const char *end = std::strchr(line, '\n');
    int len = end ? static_cast<int>(end - line) : static_cast<int>(std::strlen(line));
    if (len > 0) pxText(b.x1 + 5, b.y1 + k * RFONT_HEIGHT, line, len);
    if (!end) break;
    line = end + 1;
  }
  pxFgc(colour);
  Push_RFont();
  s.box = b;
  s.box_shown = 1;
}

void _Close_Panel() {
  IconBarState &s = _State();
  if (!s.panel_saved) return;
  Restore_Screen_Rectangle(s.panel.x1, s.panel.y1, s.panel.x2, s.panel.y2);
  s.panel_saved = 0;
}

// The panel of a sub-bar: unrolls downward in 4 steps of 50 ms, then shows the sub-bar's
// buttons.
void _Open_Panel(const ICON_BAR *sub) {
  IconBarState &s = _State();
  _Close_Panel();
  if (!s.panel_line_known) {
    s.panel_line = Nearest_RGB_Color(158, 158, 158);
    s.panel_line_known = true;
  }
  Rect u = _Reach(sub);
  Rect p{u.x1 - 7, u.y1 - 2, u.x2 + 7, u.y2 + 2};
  Save_Screen_Rectangle(p.x1, p.y1, p.x2, p.y2);
  s.panel = p;
  s.panel_saved = 1;
  int colour = pxQFgc(nullptr);
  for (int i = 1; i <= 4; ++i) {
    int bottom = p.y1 + (p.y2 - p.y1) * i / 4;
    pxFgc(GetYRMColor(-1));
    pxRect(p.x1, p.y1 + 1, p.x2, bottom);
    pxFgc(GetYRMColor(-15));
    pxLine(p.x1 + 1, bottom - 1, p.x2 - 1, bottom - 1);
    pxLine(p.x2 - 1, p.y1 + 1, p.x2 - 1, bottom - 1);
    pxLine(p.x1, p.y1, p.x2, p.y1);
    pxFgc(GetYRMColor(-3));
    pxLine(p.x1, bottom, p.x2, bottom);
    pxLine(p.x2, p.y1, p.x2, bottom);
    pxFgc(GetYRMColor(-2));
    pxLine(p.x1 + 1, p.y1 + 1, p.x1 + 1, bottom - 1);
    pxFgc(s.panel_line);
    pxLine(p.x1 + 1, p.y1 + 1, p.x2 - 1, p.y1 + 1);
    pxLine(p.x1 + 1, p.y1 + 2, p.x2 - 1, p.y1 + 2);
    pxFlsh();
    Wait_Seconds(kUnrollStepS);
  }
  pxFgc(colour);
  Draw_Icon_Bar(sub);
}

// The first active button, in array order, that strictly holds the pointer; null for none.
ICON_BAR_BUTTON *_Button_at_Pointer(ICON_BAR *bar) {
  for (int i = 0; bar->buttons && i < bar->count; ++i) {
    ICON_BAR_BUTTON &b = bar->buttons[i];
    if (b.state > 0 && _Button_Rect(bar, b).Holds_Strictly(M_XPOS, M_YPOS)) return &b;
  }
  return nullptr;
}

// How a hover loop ended.
enum Leave { BACK_TO_BAR, FINISH };

// The hover loop of button b: hover image and text, sub-bar panel; *result gets the code of
// a click on b or of the sub-bar.
Leave _Hover(ICON_BAR *bar, ICON_BAR_BUTTON &b, YRMMESSAGE *record, int *result) {
  Draw_Icon_Bar_Button(bar->x1, bar->y1, &b, bar->strip, ICON_HOVER);
  Rect on_rect = _Button_Rect(bar, b);
  int last_x = M_XPOS, last_y = M_YPOS;
  int still = 0;
  bool pressed = false, clicked = false, opened = false;
  bool release_first = false;  // left b with the button down
  Leave leave = BACK_TO_BAR;
  ICON_BAR *sub = b.sub_bar;
  // The button already down on b (the press that brought the pointer's message) is a click;
  // waiting for the next message first would lose a quick one to its release.
  if (!sub && M_LEFT && on_rect.Holds(M_XPOS, M_YPOS)) {
    pressed = true;
    *result = b.code;
    leave = FINISH;
  }
  while (!pressed) {
    GetYRMMessage(kBarMask, record);
    if (_Aborted()) {
      leave = FINISH;
      break;
    }
    int x = M_XPOS, y = M_YPOS;
    bool on = on_rect.Holds(x, y);
    if (!sub) {
      if (on && x == last_x && y == last_y) {
        if (still == 0 && b.hover_text) _Show_Hover_Box(b.hover_text);
        ++still;
      }
      if (M_LEFT && on) {
        pressed = true;
        *result = b.code;
        leave = FINISH;
        break;
      }
      if (!on) {
        release_first = M_LEFT != 0;
        leave = release_first ? FINISH : BACK_TO_BAR;
        break;
      }
    } else {
      if (!opened) {
        _Open_Panel(sub);
        Set_Timeout(kSubBarDeadlineS);
        opened = true;
      }
      Rect s_rect = _Reach(sub);
      int code = 0;
      while (_State().panel_saved && s_rect.Holds_Strictly(M_XPOS, M_YPOS) && !_Aborted() && code == 0)
        code = Run_Icon_Bar(sub);
      if (code) {
        *result = code;
        leave = FINISH;
        break;
      }
      x = M_XPOS, y = M_YPOS;
      on = on_rect.Holds(x, y);
      if (!clicked) {
        if (M_LEFT) {
          _Wait_for_Release();  // the first press is only waited out
          clicked = true;
        } else if (!on && (y < last_y || x < s_rect.x1 - 7 || x > s_rect.x2 + 7 || Timeout_Reached())) {
          break;
        }
      } else if (M_LEFT && !on) {
        break;  // a second press off the button closes the panel
      }
    }
    last_x = x, last_y = y;
  }
  _Close_Panel();
  _Remove_Hover_Box();
  if (pressed) {
    Draw_Icon_Bar_Button(bar->x1, bar->y1, &b, bar->strip, ICON_PRESSED);
    _Wait_for_Release();
    _Draw_Normal(bar, b);
  } else {
    _Draw_Normal(bar, b);
    if (release_first) _Wait_for_Release();
  }
  return leave;
}

}  // namespace

void Reset_Icon_Bar_For_Tests() {
  bool registered = g.reset_registered;
  g = _Initial_State();
  g.reset_registered = registered;
}

ICON_BAR *Main_Icon_Bar() {
  IconBarState &s = _State();
  s.main_bar.count = kMainCount;
  s.main_bar.x1 = 300, s.main_bar.y1 = 3, s.main_bar.x2 = 525, s.main_bar.y2 = 42;
  s.main_bar.strip = "Buttons.bmp";
  s.main_bar.buttons = s.main_buttons;
  return &s.main_bar;
}

int Icon_Bar_Hover_Box(int rect[4]) {
  const IconBarState &s = _State();
  if (rect) rect[0] = s.box.x1, rect[1] = s.box.y1, rect[2] = s.box.x2, rect[3] = s.box.y2;
  return s.box_shown;
}

void Icon_Bar_Show_Hover_Text(const char *text) {
  if (text) _Show_Hover_Box(text);
}

void Icon_Bar_Remove_Hover_Text() { _Remove_Hover_Box(); }

void Set_Icon_Bar_Frame_Flag(int flag) { _State().frame_flag = flag; }

void Draw_Icon_Bar_Button(int bar_x1, int bar_y1, const ICON_BAR_BUTTON *button, const char *strip, int mode) {
  if (!button) return;
  const ICON_BAR_BUTTON &b = *button;
  int sx = b.normal_x, sy = b.normal_y;
  if (b.state <= 0 || mode == ICON_INACTIVE)
    sx = b.inactive_x, sy = b.inactive_y;
  else if (mode == ICON_PRESSED)
    sx = b.pressed_x, sy = b.pressed_y;
  else if (mode == ICON_HOVER)
    sx = b.hover_x, sy = b.hover_y;
  int X = bar_x1 + b.dx, Y = bar_y1 + b.dy;
  if (_State().frame_flag) {
    int colour = pxQFgc(nullptr);
    pxFgc(GetYRMColor(-1));
    pxRect(X, Y, X + b.w - 1, Y + b.h - 1);
    pxFgc(colour);
  }
  if (strip)
    pxDrawPartialTransparentDIB(strip, sx, sy, sx + b.w - 1, sy + b.h - 1, X, Y, X + b.w - 1, Y + b.h - 1,
                                kBitmapMode, -1, 192, 192, 192);
}

void Draw_Icon_Bar(const ICON_BAR *bar) {
  if (!bar || !bar->buttons) return;
  for (int i = 0; i < bar->count; ++i)
    Draw_Icon_Bar_Button(bar->x1, bar->y1, &bar->buttons[i], bar->strip,
                         bar->buttons[i].state > 0 ? ICON_NORMAL : ICON_INACTIVE);
}

int Run_Icon_Bar(ICON_BAR *bar) {
  if (!bar) return 0;
  int timer = YRMSetTimer(1);
  YRMMESSAGE record;
  InitYRMMessage(&record);
  record.limit_ms = kBarLimitMs;
  int result = 0;
  Rect reach = _Reach(bar);
  // A press on a button that made the host hand the bar over is taken at once, before the
  // first wait, which would otherwise bring only its release.
  bool first = true;
  while (reach.Holds(M_XPOS, M_YPOS) && !_Aborted()) {
    if (!(first && M_LEFT && _Button_at_Pointer(bar))) GetYRMMessage(kBarMask, &record);
    first = false;
    ICON_BAR_BUTTON *hit = _Button_at_Pointer(bar);
    if (hit) {
      if (_Hover(bar, *hit, &record, &result) == FINISH) break;
      continue;
    }
    if (M_LEFT) break;  // a click on no active button
  }
  _Wait_for_Release();
  YRMSetTimer(timer);
  return result;
}
