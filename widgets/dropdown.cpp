// Drop-down lists of choice lists (kind 16) and picture choices (kind 17): the list of all
// entries laid over the page, with a scroll bar when not all fit, the pointer held inside it.
// The two lists share one loop; they differ in row pitch, placement and row drawing.
#include <algorithm>
#include <cstring>

#include "host/host.h"
#include "host/host_screen.h"
#include "widgets/view_events.h"
#include "widgets/view_events_internal.h"
#include "widgets/widgets.h"

namespace {

constexpr int kChoicePitch = 13;
constexpr int kMessageMask = 0x14022;  // key, wheel, press and pointer events
constexpr int kUpKey = 328, kDownKey = 336, kEnterKey = 13;
constexpr int kArrowRepeatMs = 100;
constexpr int kMinThumb = 6;
constexpr unsigned kDottedLine = 0xaaaaaaaau;

// Masks: rows of two bytes, leftmost pixel in the highest bit.
constexpr unsigned char kOpenMark[12 * 2] = {0x00, 0x00, 0x1f, 0x00, 0x3f, 0x80, 0x7f, 0xc0, 0x7f, 0xc0, 0x7f, 0xc0,
                                             0x7f, 0xc0, 0x7f, 0xc0, 0x3f, 0x80, 0x1f, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr unsigned char kUpArrow[13 * 2] = {0xff, 0xf8, 0x80, 0x08, 0x80, 0x08, 0x80, 0x08, 0x82,
                                            0x08, 0x87, 0x08, 0x8f, 0x88, 0x9f, 0xc8, 0xbf, 0xe8,
                                            0x80, 0x08, 0x80, 0x08, 0x80, 0x08, 0xff, 0xf8};
constexpr unsigned char kDownArrow[13 * 2] = {0xff, 0xf8, 0x80, 0x08, 0x80, 0x08, 0x80, 0x08, 0x80,
                                              0x08, 0xbf, 0xe8, 0x9f, 0xc8, 0x8f, 0x88, 0x87, 0x08,
                                              0x82, 0x08, 0x80, 0x08, 0x80, 0x08, 0xff, 0xf8};

// The colours of one drop-down kind, found on first use.
struct DropdownColours {
  bool known;
  int black, background, highlight, track, white;
};

struct DropdownState {
  DropdownColours choice, picture;
  int red;  // the open-list mark
  bool red_known;
  DROPDOWN_TEST_VIEW last;
  bool reset_registered;
} g;

DropdownState &_State() {
  if (!g.reset_registered) {
    g.reset_registered = true;
    Host_Register_Reset(&Reset_Dropdowns_For_Tests);
  }
  return g;
}

const DropdownColours &_Colours(bool picture) {
  DropdownColours &c = picture ? _State().picture : _State().choice;
  if (!c.known) {
    c.black = Nearest_Color_Index(0, 0, 0);
    c.background = Nearest_RGB_Color(235, 255, 255);
    c.highlight = Nearest_Color_Index(0, 80, 150);
    c.track = Nearest_RGB_Color(201, 237, 237);
    if (picture) c.white = Nearest_RGB_Color(255, 255, 255);
    c.known = true;
  }
  return c;
}

int _Red() {
  DropdownState &s = _State();
  if (!s.red_known) {
    s.red = Nearest_Color_Index(255, 0, 0);
    s.red_known = true;
  }
  return s.red;
}

void _Dotted_Frame(int x1, int y1, int x2, int y2) {
  const int edges[4][4] = {{x1, y1, x2, y1}, {x1, y2, x2, y2}, {x1, y1, x1, y2}, {x2, y1, x2, y2}};
  for (const auto &e : edges) {
    pxSULn(kDottedLine);
    pxLine(e[0], e[1], e[2], e[3]);
    pxSLn(0);
  }
}

// The scroll bar at the right edge of the list (L, T)-(R, B): arrows, track and the thumb t
// long at offset o.
void _Draw_Scroll_Bar(const DropdownColours &c, int R, int T, int B, int t, int o) {
  pxFgc(c.background);
  pxRect(R - 15, T + 1, R - 1, B - 1);
  pxFgc(c.black);
  pxMask(R - 15, T + 3, R - 3, T + 15, kUpArrow, 2);
  pxMask(R - 15, B - 15, R - 3, B - 3, kDownArrow, 2);
  pxFgc(c.track);
  pxRect(R - 13, T + 16, R - 5, B - 16);
  int y1 = T + 16 + o, y2 = T + 16 + o + t;
  pxFgc(c.background);
  pxRect(R - 15, y1, R - 3, y2);
  pxFgc(c.black);
  pxLine(R - 15, y1, R - 3, y1);
  pxLine(R - 3, y1, R - 3, y2);
  pxLine(R - 3, y2, R - 15, y2);
  pxLine(R - 15, y2, R - 15, y1);
}

// Pen colour and buffering in force before a list is drawn; put back by _End_List.
struct SavedPen {
  int colour;
  int buffering;
};

// Saves the pen, then paints the list's background (L, T)-(R, B) and its dotted frame.
SavedPen _Begin_List(const DropdownColours &c, int L, int T, int R, int B) {
  SavedPen pen;
  pen.colour = pxQFgc(nullptr);
  pen.buffering = pxBuff(-1);
  pxFgc(c.background);
  pxRect(L, T, R, B);
  pxFgc(c.black);
  _Dotted_Frame(L, T, R, B);
  return pen;
}

// Draws the scroll bar when the thumb has a length t, then puts the saved pen back.
void _End_List(const DropdownColours &c, const SavedPen &pen, int R, int T, int B, int t, int o) {
  if (t) _Draw_Scroll_Bar(c, R, T, B, t, o);
  pxBuff(pen.buffering);
  pxFgc(pen.colour);
}

// One open drop-down: its rectangle, rows and scroll bar.
struct Dropdown {
  VIEW_ITEM *item;
  bool picture;
  int n;       // entries
  int p;       // row pitch
  int X, Y;    // the field's screen point
  int L, T, W, H, R, B;
  int r;       // rows shown
  int s;       // highlighted entry
  int f;       // first entry shown
  int t;       // thumb length, 0 without a scroll bar
  double q;    // pixels of track per entry
  int o;       // thumb offset
  int o_max;
  int clip[4];
  int colour;  // foreground colour found on opening
  bool shown_highlight;
};

int _Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

int _Round_Offset(const Dropdown &d, int f) { return static_cast<int>(d.q * f + 0.5); }

void _Redraw(Dropdown &d, bool highlight) {
  d.shown_highlight = highlight;
  if (d.picture) {
    Draw_Picture_Dropdown(d.L, d.W, d.T, d.H, highlight ? d.s : -1, d.f, d.r, d.t, d.o, d.item);
  } else {
    int row = highlight && d.s >= d.f && d.s < d.f + d.r ? d.s - d.f : -1;
    const auto *entries = static_cast<const VIEW_CHOICE_ENTRY *>(d.item->target_ptr);
    Draw_Choice_Dropdown(d.L, d.X, d.W, d.T, d.H, d.item->font, row, d.r, d.t, d.o, entries + d.f);
  }
  DROPDOWN_TEST_VIEW &v = _State().last;
  v.L = d.L, v.T = d.T, v.R = d.R, v.B = d.B;
  v.r = d.r, v.f = d.f, v.s = d.s, v.t = d.t, v.o = d.o, v.q = d.q;
  v.open = 1;
}

// Rows, scroll bar and first row once the placement is known; the highlighted entry starts
// at the caller's index, or entry 0 when that lies outside the entries.
void _Set_Rows(Dropdown &d) {
  d.r = _Clamp(d.r, 1, d.n);
  d.H = d.r * d.p + 6;
  d.B = d.T + d.H;
  int index = d.item->value_ptr ? *d.item->value_ptr : 0;
  d.s = index >= 0 && index < d.n ? index : 0;
  d.t = 0, d.q = 0.0, d.f = 0, d.o = 0;
  if (d.r < d.n) {
    d.f = _Clamp(d.s - d.r / 2, 0, d.n - d.r);
    int t = std::max(d.r * (d.H - 32) / d.n, kMinThumb);
    double q = static_cast<double>(d.H - 32 - t) / (d.n - d.r);
    // A list too short for a track gets no scroll bar; the keys still move its rows.
    if (q > 0) {
      d.t = t;
      d.q = q;
      d.o = _Round_Offset(d, d.f);
    }
  }
  d.o_max = static_cast<int>((d.n - d.r) * d.q + 0.5);
}

// Saves what the list covers, holds the pointer inside it on the highlighted entry and draws
// it.
void _Open(Dropdown &d) {
  d.colour = pxQFgc(nullptr);
  pxFgc(_Red());
  if (d.picture)
    pxMask(d.R - 14, d.Y + 4, d.R - 4, d.Y + 15, kOpenMark, 2);
  else
    pxMask(d.R - 14, d.Y - 9, d.R - 4, d.Y + 1, kOpenMark, 2);
  pxQVwp(&d.clip[0], &d.clip[1], &d.clip[2], &d.clip[3]);
  pxView(d.L, d.T, d.R, d.B);
  Save_Screen_Rectangle(d.L, d.T, d.R, d.B);
  Save_Mouse_Position();
  Pop_Mouse_Move_Restriction(d.L, d.T, d.R, d.B);
  if (d.picture)
    msStCu(d.L + d.W / 2, d.T + (d.s - d.f) * d.p + d.p / 2);
  else
    msStCu(d.L + d.W / 2, d.T + 6 + (d.s - d.f) * d.p);
  _Redraw(d, true);
}

void _Close(Dropdown &d) {
  if (d.picture) {
    Push_Mouse_Move_Restriction();
    Restore_Mouse_Position();
    Restore_Screen_Rectangle(d.L, d.T, d.R, d.B);
    pxView(d.clip[0], d.clip[1], d.clip[2], d.clip[3]);
  } else {
    Restore_Screen_Rectangle(d.L, d.T, d.R, d.B);
    pxView(d.clip[0], d.clip[1], d.clip[2], d.clip[3]);
    Push_Mouse_Move_Restriction();
    Restore_Mouse_Position();
  }
  pxFgc(d.colour);
  _State().last.open = 0;
}

void _Wait_for_Release() {
  while (M_LEFT && getkeymask() != 1) Get_Mouse_Event();
}

// Moves the first shown row to f (the highlighted entry moves along by as many) and the
// thumb with it.
void _Move_First_Row(Dropdown &d, int f) {
  d.s += f - d.f;
  d.f = f;
  d.o = _Round_Offset(d, f);
}

// A press on the scroll bar: the arrows repeat every 100 ms while the button is held, the
// track pages to either end, the thumb is dragged.
void _Scroll_Bar_Press(Dropdown &d, int y) {
  if (y <= d.T + 14) {
    while (M_LEFT && getkeymask() != 1) {
      if (d.f > 0) _Move_First_Row(d, d.f - 1);
      _Redraw(d, true);
      YRMSleep(kArrowRepeatMs);
      Get_Mouse_Event();
    }
  } else if (y >= d.B - 14 && y < d.B - 3) {
    while (M_LEFT && getkeymask() != 1) {
      if (d.f < d.n - d.r) _Move_First_Row(d, d.f + 1);
      _Redraw(d, true);
      YRMSleep(kArrowRepeatMs);
      Get_Mouse_Event();
    }
  } else if (y < d.T + 16 + d.o) {
    d.s -= d.f;
    d.f = 0;
    d.o = 0;
    _Redraw(d, true);
    _Wait_for_Release();
  } else if (y > d.T + 16 + d.o + d.t) {
    d.s += d.n - d.r - d.f;
    d.f = d.n - d.r;
    d.o = d.o_max;
    _Redraw(d, true);
    _Wait_for_Release();
  } else {
    int y0 = y, o0 = d.o;
    while (M_LEFT && getkeymask() != 1) {
      if (M_YPOS != y0) {
        int f = _Clamp(static_cast<int>((M_YPOS - y0 + o0 - 0.5) / d.q), 0, d.n - d.r);
        _Move_First_Row(d, f);
        _Redraw(d, true);
      }
      Get_Mouse_Event();
    }
  }
}

// The loop of an open list until Enter (1), another key, a click or an abort (0).
int _Run(Dropdown &d) {
  YRMMESSAGE record;
  InitYRMMessage(&record);
  for (;;) {
    int res = GetYRMMessage(kMessageMask, &record);
    if (getkeymask() == 1) return 0;  // an abort closes the list without a change
    if (res & YRM_KEY) {
      int key = getkey();
      if (key == kUpKey || key == kDownKey) {
        d.s = _Clamp(d.s + (key == kUpKey ? -1 : 1), 0, d.n - 1);
        if (d.s >= d.f + d.r) d.f += 1;
        if (d.s < d.f) d.f -= 1;
        d.f = _Clamp(d.f, 0, d.n - d.r);
        d.o = _Round_Offset(d, d.f);
        _Redraw(d, true);
        continue;
      }
      if (key == kEnterKey) {
        if (d.item->value_ptr) *d.item->value_ptr = d.s;
        return 1;
      }
      return 0;
    }
    int x = M_XPOS, y = M_YPOS;
    if (x >= d.R || x <= d.L || y >= d.B || y <= d.T) {
      _Redraw(d, false);
    } else if (M_SCROLL) {
      if (d.t) {
        if (M_SCROLL < 0 && d.f < d.n - d.r) _Move_First_Row(d, d.f + 1);
        if (M_SCROLL > 0 && d.f > 0) _Move_First_Row(d, d.f - 1);
        _Redraw(d, true);
      }
      M_SCROLL = 0;
    } else if (!d.t || x < d.R - 14) {
      d.s = _Clamp((y - d.T - 2) / d.p + d.f, 0, d.n - 1);
      _Redraw(d, true);
    } else if (M_LEFT && x < d.R - 3) {
      _Scroll_Bar_Press(d, y);
    }
    if (M_LEFT) break;
  }
  // A click: the entry under the pointer when it lies on the list.
  bool inside = M_XPOS >= d.L && M_XPOS <= d.R && M_YPOS >= d.T && M_YPOS <= d.B;
  _Wait_for_Release();
  if (inside && d.item->value_ptr) *d.item->value_ptr = d.s;
  return 0;
}

}  // namespace

void Reset_Dropdowns_For_Tests() {
  bool registered = g.reset_registered;
  g = DropdownState{};
  g.reset_registered = registered;
}

const DROPDOWN_TEST_VIEW *Dropdown_Last_State() { return &_State().last; }

int Run_Choice_Dropdown(int x, int y, VIEW_ITEM *item) {
  if (!item || item->aux < 1 || !item->target_ptr) return 0;
  Dropdown d{};
  d.item = item;
  d.picture = false;
  d.n = item->aux;
  d.p = kChoicePitch;
  d.X = x, d.Y = y;
  d.r = d.n;
  d.H = d.p * d.r + 6;
  d.W = (item->option + (item->option & 1)) + 32;
  d.L = x - 7;
  d.R = d.L + d.W;
  int below = NPIXEL_Y - y;
  // Below the field, else above it, else shortened on the side with more room.
  if (d.H < below - 30) {
    d.T = y + 5;
  } else if (d.H < y - 30) {
    d.T = y - d.H - 13;
  } else if (below < y) {
    d.r = std::max((y - 48) / d.p, 1);
    d.H = d.p * d.r + 6;
    d.T = y - d.H - 13;
  } else {
    d.T = y + 5;
    d.r = std::max((below - 48) / d.p, 1);
  }
  _Set_Rows(d);
  _Open(d);
  int result = _Run(d);
  _Close(d);
  return result;
}

int Run_Picture_Dropdown(int area_top, int area_bottom, int x, int y, VIEW_ITEM *item) {
  if (!item || item->aux < 1 || !item->text) return 0;
  Dropdown d{};
  d.item = item;
  d.picture = true;
  d.n = item->aux;
  int pw = item->x2, ph = item->y2;
  d.p = ph + 4;
  if (d.p < 1) return 0;  // a picture list without a row height cannot be laid out
  d.X = x, d.Y = y;
  d.W = (pw + 20) + ((pw + 20) & 1);
  d.L = x;
  d.R = d.L + d.W;
  int below_offset = (ph + 5) + ((ph + 5) & 1);
  int below = area_bottom - y - below_offset, above = y - area_top;
  d.r = d.n;
  d.H = d.n * d.p + 6;
  if (d.H < below - 7) {
    d.T = y + below_offset;
  } else if (d.H < above - 15) {
    d.T = y - d.H;
  } else if (below < above - 8) {
    d.r = std::max((above - 33) / d.p, 1);
    d.H = d.r * d.p + 6;
    d.T = y - d.H;
  } else {
    d.T = y + below_offset;
    d.r = std::max((below - 25) / d.p, 1);
  }
  // A long list may reach below the area onto the rest of the screen.
  if (3 * d.r < d.n) {
    int r2 = (NPIXEL_Y - y - d.p - 10) / d.p;
    if (r2 > d.r) {
      d.T = y + below_offset;
      d.r = std::min(r2, d.n / 2);
    }
  }
  _Set_Rows(d);
  _Open(d);
  int result = _Run(d);
  _Close(d);
  return result;
}

void Draw_Choice_Dropdown(int L, int X, int W, int T, int H, int font, int row, int r, int t, int o,
                          const VIEW_CHOICE_ENTRY *entries) {
  const DropdownColours &c = _Colours(false);
  int R = L + W, B = T + H;
  SavedPen pen = _Begin_List(c, L, T, R, B);
  Pop_RFont(font);
  for (int i = 0; entries && i < r; ++i) {
    if (i == row) {
      pxFgc(c.highlight);
      pxRect(L + 2, T + 13 * i + 2, R - 2, T + 13 * i + 16);
      pxFgc(c.background);
    } else {
      pxFgc(entries[i].colour);
    }
    if (entries[i].text) pxText(X, T + 13 + 13 * i, entries[i].text, static_cast<int>(std::strlen(entries[i].text)));
  }
  Push_RFont();
  _End_List(c, pen, R, T, B, t, o);
}

void Draw_Picture_Dropdown(int L, int W, int T, int H, int s, int f, int r, int t, int o, const VIEW_ITEM *item) {
  const DropdownColours &c = _Colours(true);
  int R = L + W, B = T + H;
  SavedPen pen = _Begin_List(c, L, T, R, B);
  int pw = item ? item->x2 : 0, ph = item ? item->y2 : 0, p = ph + 4;
  for (int k = 0; item && item->text && k < r; ++k) {
    int i = f + k, yk = T + k * p;
    if (i == s) {
      pxFgc(c.white);
      pxRect(L + 3, yk + 3, L + 3 + pw, yk + 3 + ph);
    }
    pxDrawPartialTransparentDIB(item->text, 0, i * ph, pw, ph + i * ph, L + 3, yk + 3, L + 3 + pw - 1, yk + 3 + ph - 1,
                                201, -1, 255, 255, 255);
    if (i == s) {
      // A double frame in the highlight colour.
      pxFgc(c.highlight);
      for (int yy : {yk + 1, yk + 2, yk + ph + 3, yk + ph + 4}) pxLine(L + 1, yy, L + pw + 4, yy);
      for (int xx : {L + 1, L + 2, L + pw + 3, L + pw + 4}) pxLine(xx, yk + 1, xx, yk + ph + 4);
    }
  }
  _End_List(c, pen, R, T, B, t, o);
}
