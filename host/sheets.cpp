// Property sheets as data: the sheet stack and its items, their drawing, Edit_Prop_Sheet,
// scrollable areas with sliders, the host frames, and the harness's view of the sheet.
#include <algorithm>
#include <cstring>

#define HOST_TEST_NO_GTEST
#include "host/host_test.h"
#include "host/screen_internal.h"

using namespace host_screen;

namespace {

constexpr int kSlider = 17;        // width of a slider strip beside an area
constexpr int kTitleBar = 18;      // height of a movable sheet's title bar
constexpr int kButtonH = 22;       // height of text, image and help buttons
constexpr int kImageButtonW = 20;  // width of image and help buttons
constexpr int kAllKinds = YRM_LEFT_RELEASE | YRM_POINTER | YRM_RIGHT | YRM_LEFT_PRESS | YRM_WHEEL |
                          YRM_KEY | YRM_SYSTEM;

const char *Kind_Name(ItemKind k) {
  static const char *const kNames[] = {"escape", "text",     "text button", "image button", "button",
                                       "help",   "radio",    "float",       "register",     "member",
                                       "area",   "vslider", "hslider"};
  return kNames[k];
}

void Colour(int index) { S().fg = index & 0xFF; }

void Fill(int x1, int y1, int x2, int y2, int index) {
  Fill_Rect(x1, y1, x2, y2, index);
  Colour(index);
}

void HLine(int x1, int x2, int y, int index) { Fill(x1, y, x2, y, index); }
void VLine(int x, int y1, int y2, int index) { Fill(x, y1, x, y2, index); }

// One ring of a frame: top and left in `light`, bottom and right in `dark`.
void Ring(int x1, int y1, int x2, int y2, int light, int dark) {
  HLine(x1, x2, y1, light);
  VLine(x1, y1, y2, light);
  HLine(x1, x2, y2, dark);
  VLine(x2, y1, y2, dark);
}

void Frame(int style, int x1, int y1, int x2, int y2) {
  int light = GetYRMColor(-2), dark = GetYRMColor(-3), shadow = GetYRMColor(-15);
  switch (style) {
    case 1: Ring(x1, y1, x2, y2, light, dark); break;
    case 2: Ring(x1, y1, x2, y2, dark, light); break;
    case 3:
      Ring(x1, y1, x2, y2, light, dark);
      Ring(x1 + 1, y1 + 1, x2 - 1, y2 - 1, light, shadow);
      break;
    case 4:
      Ring(x1, y1, x2, y2, shadow, light);
      Ring(x1 + 1, y1 + 1, x2 - 1, y2 - 1, dark, BUTTON_CI);
      break;
    default:
      Ring(x1, y1, x2, y2, shadow, light);
      Ring(x1 + 1, y1 + 1, x2 - 1, y2 - 1, light, shadow);
      break;
  }
}

// Text of the font at the baseline (x, y) in a colour.
void Text(int x, int y, const std::string &text, int font, int colour) {
  Pop_RFont(font);
  Colour(colour);
  Draw_Raster_Text(x, y, text.c_str(), int(text.size()), 0);
  Push_RFont();
}

int Width_In(const std::string &text, int font) {
  Pop_RFont(font);
  int w = Text_Width(int(text.size()));
  Push_RFont();
  return w;
}

Item &New_Item(ItemKind kind, int x1, int y1, int x2, int y2, int code) {
  ScreenState &s = S();
  if (s.sheets.empty()) {
    s.discarded = Item{};
    return s.discarded;  // no sheet is being defined: the item goes nowhere
  }
  Item it;
  it.handle = s.next_handle++;
  it.kind = kind;
  it.x1 = std::min(x1, x2), it.x2 = std::max(x1, x2);
  it.y1 = std::min(y1, y2), it.y2 = std::max(y1, y2);
  it.code = code;
  s.sheets.back().items.push_back(it);
  return s.sheets.back().items.back();
}

Sheet *Sheet_Of(int handle) {
  for (Sheet &sh : S().sheets)
    for (Item &it : sh.items)
      if (it.handle == handle) return &sh;
  return nullptr;
}

void Visible_Size(const Item &a, int *w, int *h) {
  *w = a.x2 - a.x1;
  *h = a.y2 - a.y1;
}

void Clamp_Scroll(Item &a) {
  int vw, vh;
  Visible_Size(a, &vw, &vh);
  a.scroll_x = std::clamp(a.scroll_x, 0, std::max(0, a.content_w - vw));
  a.scroll_y = std::clamp(a.scroll_y, 0, std::max(0, a.content_h - vh));
}

void Draw_Slider(const Sheet &sh, const Item &sl) {
  const Item *a = Find_Item(sl.parent);
  if (!a) return;
  int x1 = sl.x1 + sh.dx, y1 = sl.y1 + sh.dy, x2 = sl.x2 + sh.dx, y2 = sl.y2 + sh.dy;
  Fill(x1, y1, x2, y2, GetYRMColor(-1));
  Frame(1, x1, y1, x2, y2);
  if (sl.state != 1) return;
  bool vertical = sl.kind == ITEM_VSLIDER;
  int vw, vh;
  Visible_Size(*a, &vw, &vh);
  int content = vertical ? a->content_h : a->content_w, visible = vertical ? vh : vw;
  int offset = vertical ? a->scroll_y : a->scroll_x;
  int track = vertical ? y2 - y1 - 3 : x2 - x1 - 3;
  if (content <= 0 || track <= 0) return;
  int len = std::max(8, int(int64_t(track) * std::min(visible, content) / content));
  int at = int(int64_t(track) * offset / content);
  if (vertical)
    Fill(x1 + 2, y1 + 2 + at, x2 - 2, std::min(y1 + 2 + at + len, y2 - 2), BUTTON_CI);
  else
    Fill(x1 + 2 + at, y1 + 2, std::min(x1 + 2 + at + len, x2 - 2), y2 - 2, BUTTON_CI);
}

void Draw_Mark(const Item &it, int x1, int y1, int colour) {
  // the symbolic images: a tick for OK, a cross for break
  Colour(colour);
  if (it.image == SYMBOLIC_OK_RASTER) {
    for (int k = 0; k < 4; ++k) Put(x1 + 5 + k, y1 + 10 + k), Put(x1 + 5 + k, y1 + 11 + k);
    for (int k = 0; k < 8; ++k) Put(x1 + 8 + k, y1 + 13 - k), Put(x1 + 8 + k, y1 + 14 - k);
  } else {
    for (int k = 0; k < 10; ++k) {
      Put(x1 + 5 + k, y1 + 6 + k), Put(x1 + 6 + k, y1 + 6 + k);
      Put(x1 + 14 - k, y1 + 6 + k), Put(x1 + 15 - k, y1 + 6 + k);
    }
  }
}

void Draw_Item(const Sheet &sh, const Item &it) {
  Own_Drawing keep;
  int x1 = it.x1 + sh.dx, y1 = it.y1 + sh.dy, x2 = it.x2 + sh.dx, y2 = it.y2 + sh.dy;
  int ink = it.state == 1 ? BLACK_CI : GetYRMColor(-6);
  switch (it.kind) {
    case ITEM_TEXT: Text(x1, y1, it.text, it.font, ink); break;
    case ITEM_TEXT_BUTTON:
    case ITEM_IMAGE_BUTTON:
    case ITEM_HELP:
    case ITEM_SINGLE_BUTTON:
      if (it.kind == ITEM_SINGLE_BUTTON && !it.bitmap.empty()) {
        pxDrawTransparentDIB(it.bitmap.c_str(), x1, y1, x2, y2, 201, -1, 192, 192, 192);
      } else {
        Fill(x1, y1, x2, y2, BUTTON_CI);
      }
      if (it.frame) Frame(3, x1, y1, x2, y2);
      if (it.kind == ITEM_TEXT_BUTTON)
        Text((x1 + x2 + 1) / 2 - Width_In(it.text, 0x1000) / 2, y1 + 15, it.text, 0x1000, ink);
      else if (it.kind == ITEM_HELP)
        Text(x1 + 7, y1 + 15, "?", 0x11000, it.state == 1 ? GetYRMColor(-9) : ink);
      else if (it.kind == ITEM_IMAGE_BUTTON)
        Draw_Mark(it, x1, y1,
                  it.state != 1 ? ink : it.image == SYMBOLIC_OK_RASTER ? Nearest_RGB_Color(0, 128, 0)
                                                                      : Nearest_RGB_Color(192, 0, 0));
      break;
    case ITEM_RADIO: {
      Fill(x1, y1, x2, y2, BUTTON_CI);
      int cx = x1 + 5, cy = y1 + 5;
      for (int v = -5; v <= 5; ++v)
        for (int u = -5; u <= 5; ++u) {
          int d = u * u + v * v;
          if (d <= 16) Colour(WHITE_CI), Put(cx + u, cy + v);
          if (d > 16 && d <= 30) Colour(ink), Put(cx + u, cy + v);
          if (it.target && *it.target == it.value && d <= 4) Colour(ink), Put(cx + u, cy + v);
        }
      if (!it.text.empty()) Text(it.tx + sh.dx, it.ty + sh.dy, it.text, 0x1000, ink);
      break;
    }
    case ITEM_FLOAT: {
      Fill(x1, y1, x2, y2, it.state == 1 ? WHITE_CI : BUTTON_CI);
      Frame(2, x1, y1, x2, y2);
      char buf[64] = "";
      if (it.dvalue) std::snprintf(buf, sizeof buf, it.format.c_str(), *it.dvalue);
      Text(x1 + 4, y1 + 14, std::string(buf).substr(0, size_t(std::max(it.chars, 0))), 0x1000, ink);
      break;
    }
    case ITEM_REGISTER: Frame(1, x1, it.tab_bottom + sh.dy, x2, y2); break;
    case ITEM_MEMBER: {
      const Item *reg = Find_Item(it.parent);
      bool selected = reg && reg->selected == it.value;
      Fill(x1, y1, x2, y2, selected ? BUTTON_CI : GetYRMColor(-1));
      Ring(x1, y1, x2, y2 - (selected ? 0 : 1), GetYRMColor(-2), GetYRMColor(-3));
      break;
    }
    case ITEM_VSLIDER:
    case ITEM_HSLIDER: Draw_Slider(sh, it); break;
    case ITEM_ESCAPE:
    case ITEM_AREA: break;
  }
}

void Call_Draw(Sheet &sh, Item &a) {
  if (!a.draw) return;
  Trace("draw callback", "%d,%d,%d", a.handle, a.scroll_x, a.scroll_y);
  a.draw(a.handle, a.scroll_x, a.scroll_y, a.x1 + sh.dx, a.y1 + sh.dy, a.x2 + sh.dx, a.y2 + sh.dy, a.record);
}

// Scrolls an area to the offset (clamped), redraws its sliders and lets it paint itself.
void Host_Scroll(Sheet &sh, Item &a, int sx, int sy) {
  a.scroll_x = sx;
  a.scroll_y = sy;
  Clamp_Scroll(a);
  for (Item &it : sh.items)
    if ((it.kind == ITEM_VSLIDER || it.kind == ITEM_HSLIDER) && it.parent == a.handle) Draw_Item(sh, it);
  if (a.state == 1) Call_Draw(sh, a);
}

bool Inside(const Sheet &sh, const Item &it, int x, int y) {
  return x >= it.x1 + sh.dx && x <= it.x2 + sh.dx && y >= it.y1 + sh.dy && y <= it.y2 + sh.dy;
}

void Wait_Release() {
  ScreenState &s = S();
  while (s.dev_left && !s.keymask) Wait_Event(YRM_LEFT_RELEASE, -1);
}

Item *Area_At(Sheet &sh, int x, int y) {
  for (Item &it : sh.items)
    if (it.kind == ITEM_AREA && it.state == 1 && Inside(sh, it, x, y)) return &it;
  return nullptr;
}

// The press of the left button at (x, y) on the sheet: the code to return, or 0 to go on.
int Press(Sheet &sh, int x, int y, bool *handled) {
  ScreenState &s = S();
  *handled = true;
  for (size_t i = sh.items.size(); i-- > 0;) {
    Item &it = sh.items[i];
    if (it.state != 1 || !Inside(sh, it, x, y)) continue;
    switch (it.kind) {
      case ITEM_TEXT_BUTTON:
      case ITEM_IMAGE_BUTTON:
      case ITEM_SINGLE_BUTTON: {
        int code = it.code;
        Wait_Release();
        if (code) return code;
        continue;
      }
      case ITEM_HELP:
        s.help_requests.push_back(it.text);
        Wait_Release();
        return 0;
      case ITEM_RADIO: {
        if (it.target) *it.target = it.value;
        int code = it.code;
        int *target = it.target;
        for (Item &other : sh.items)
          if (other.kind == ITEM_RADIO && other.target == target) Draw_Item(sh, other);
        Wait_Release();
        return code;
      }
      case ITEM_FLOAT: {
        int handle = it.handle;
        Wait_Release();
        Item *f = Find_Item(handle);
        if (!f || !f->dvalue) return 0;
        Short_Edit_Float(f->x1 + sh.dx, f->y1 + sh.dy, f->format.c_str(), f->dvalue);
        if ((f = Find_Item(handle))) {
          Draw_Item(sh, *f);
          return f->code;
        }
        return 0;
      }
      case ITEM_MEMBER: {
        if (Item *reg = Find_Item(it.parent)) reg->selected = it.value;
        for (Item &m : sh.items)
          if (m.kind == ITEM_MEMBER && m.parent == it.parent) Draw_Item(sh, m);
        int code = it.code;
        Wait_Release();
        return code;
      }
      case ITEM_VSLIDER:
      case ITEM_HSLIDER: {
        Item *a = Find_Item(it.parent);
        if (!a) break;
        int vw, vh;
        Visible_Size(*a, &vw, &vh);
        bool vertical = it.kind == ITEM_VSLIDER;
        int mid = vertical ? (it.y1 + it.y2) / 2 + sh.dy : (it.x1 + it.x2) / 2 + sh.dx;
        int dir = (vertical ? y : x) < mid ? -1 : 1;
        if (vertical)
          Host_Scroll(sh, *a, a->scroll_x, a->scroll_y + dir * vh);
        else
          Host_Scroll(sh, *a, a->scroll_x + dir * vw, a->scroll_y);
        Wait_Release();
        return 0;
      }
      default: break;
    }
  }
  *handled = false;
  return 0;
}

int Escape_At(Sheet &sh, int x, int y, bool move) {
  for (Item &it : sh.items)
    if (it.kind == ITEM_ESCAPE && it.state == 1 && (!move || it.move_event) && Inside(sh, it, x, y))
      return it.code ? it.code : -1;
  return 0;
}

// Keeps the screen under the sheet where it stands now.
void Save_Under(Sheet &sh) {
  int X1 = sh.x1 + sh.dx, Y1 = sh.y1 + sh.dy, X2 = sh.x2 + sh.dx, Y2 = sh.y2 + sh.dy;
  sh.under = SavedRect{X1, Y1, X2, Y2, {}};
  for (int y = Y1; y <= Y2; ++y)
    for (int x = X1; x <= X2; ++x) sh.under.pixels.push_back(uint8_t(std::max(Get_Index(x, y), 0)));
  sh.saved = true;
}

void Put_Back_Under(Sheet &sh) {
  if (!sh.saved) return;
  size_t k = 0;
  for (int y = sh.under.y1; y <= sh.under.y2; ++y)
    for (int x = sh.under.x1; x <= sh.under.x2; ++x) Put_Index(x, y, sh.under.pixels[k++]);
  sh.saved = false;
}

// The sheet's face: background, frame and title bar.
void Paint_Face(const Sheet &sh) {
  Own_Drawing keep;
  int X1 = sh.x1 + sh.dx, Y1 = sh.y1 + sh.dy, X2 = sh.x2 + sh.dx, Y2 = sh.y2 + sh.dy;
  Fill(X1, Y1, X2, Y2, BUTTON_CI);
  if (sh.framed) Frame(3, X1, Y1, X2, Y2);
  if (sh.movable && sh.framed) {
    Fill(X1 + 2, Y1 + 2, X2 - 2, Y1 + 1 + kTitleBar, GetYRMColor(-9));
    Text(X1 + 6, Y1 + 14, sh.title, 0x11000, WHITE_CI);
  }
}

}  // namespace

namespace host_screen {

Sheet *Top_Sheet() {
  ScreenState &s = S();
  return s.sheets.empty() ? nullptr : &s.sheets.back();
}

Item *Find_Item(int handle) {
  for (Sheet &sh : S().sheets)
    for (Item &it : sh.items)
      if (it.handle == handle) return &it;
  return nullptr;
}

}  // namespace host_screen

// ---------------------------------------------------------------- sheets

int Define_Prop_Sheet(int x1, int y1, int x2, int y2, int movable, int mode, const char *title, int number,
                      int flags) {
  ScreenState &s = S();
  Trace("Define_Prop_Sheet", "%d,%d,%d,%d,%d,%d,\"%s\",%d,%d", x1, y1, x2, y2, movable, mode, title ? title : "",
        number, flags);
  Sheet sh;
  sh.x1 = std::min(x1, x2), sh.x2 = std::max(x1, x2);
  sh.y1 = std::min(y1, y2), sh.y2 = std::max(y1, y2);
  sh.movable = movable, sh.mode = mode, sh.number = number, sh.flags = flags;
  sh.title = title ? title : "";
  sh.framed = !s.next_no_frame;
  sh.float_auto = s.next_float_auto;
  sh.dx = s.test_dx, sh.dy = s.test_dy;
  s.next_no_frame = false;
  s.next_float_auto = false;
  Save_Under(sh);
  Paint_Face(sh);
  s.sheets.push_back(std::move(sh));
  return int(s.sheets.size());
}

void Activate_Prop_Sheet() {
  Trace("Activate_Prop_Sheet");
  Sheet *sh = Top_Sheet();
  if (!sh) return;
  sh->activated = true;
  for (Item &it : sh->items) Draw_Item(*sh, it);
}

void Undefine_Prop_Sheet() {
  ScreenState &s = S();
  Trace("Undefine_Prop_Sheet");
  if (s.sheets.empty()) return;
  Sheet &sh = s.sheets.back();
  Put_Back_Under(sh);
  s.last_dx = sh.dx;
  s.last_dy = sh.dy;
  if (s.call_always_depth == int(s.sheets.size())) {  // defined while this sheet was current
    s.call_always = nullptr;
    s.call_always_on = 0;
    s.call_always_depth = -1;
  }
  s.sheets.pop_back();  // its items, and with them the areas' draw callbacks, are gone
}

int Edit_Prop_Sheet() {
  ScreenState &s = S();
  Trace("Edit_Prop_Sheet");
  if (s.sheets.empty() || s.keymask) return 0;
  Waiting_In waiting("Edit_Prop_Sheet");  // an abort asks every loop to return
  // keys that ended an earlier wait and that nothing took are dropped
  s.keys.erase(std::remove_if(s.keys.begin(), s.keys.end(), [](const Key &k) { return k.reported; }),
               s.keys.end());
  for (;;) {
    int kinds;
    if (s.replay_press) {
      s.replay_press = false;
      kinds = YRM_LEFT_PRESS | YRM_POINTER;
      Copy_Device_To_Globals();
    } else {
      kinds = Wait_Event(kAllKinds, -1);
    }
    if (s.keymask) {
      Trace("Edit_Prop_Sheet", "-> 0 (abort)");
      return 0;
    }
    if (s.call_always && s.call_always_on) s.call_always();
    if (s.sheets.empty()) return 0;
    Sheet &sh = s.sheets.back();
    int x = s.dev_x, y = s.dev_y;
    int code = 0;
    if (kinds & YRM_LEFT_PRESS) {
      bool handled = false;
      code = Press(sh, x, y, &handled);
      if (!handled) {
        code = Escape_At(sh, x, y, false);
        if (!code && (x < sh.x1 + sh.dx || x > sh.x2 + sh.dx || y < sh.y1 + sh.dy || y > sh.y2 + sh.dy))
          code = sh.click_outside;
      }
    } else if (kinds & YRM_KEY) {
      code = Escape_At(sh, x, y, false);
      if (code)  // left for the view area's own wait
        for (Key &k : s.keys)
          if (k.reported) {
            k.reported = false;
            break;
          }
    } else if ((kinds & YRM_RIGHT) && s.dev_right) {
      code = Escape_At(sh, x, y, false);
    } else if (kinds & YRM_WHEEL) {
      if (Item *a = Area_At(sh, x, y)) {
        // the vertical slider takes the wheel, else the horizontal one
        bool vertical = a->vslider != 0;
        Item *slider = Find_Item(vertical ? a->vslider : a->hslider);
        if (slider && M_SCROLL) {
          int vw, vh;
          Visible_Size(*a, &vw, &vh);
          int step = std::max(1, int(slider->step * (vertical ? vh : vw)));
          if (vertical)
            Host_Scroll(sh, *a, a->scroll_x, a->scroll_y - M_SCROLL * step);
          else
            Host_Scroll(sh, *a, a->scroll_x - M_SCROLL * step, a->scroll_y);
          M_SCROLL = 0;
        }
      }
    } else if (kinds & YRM_POINTER) {
      if (!(kinds & (YRM_LEFT_RELEASE | YRM_RIGHT))) code = Escape_At(sh, x, y, true);
    }
    if (code) {
      if (code == -1) code = 0;  // an escape area of code 0 reports 0 like any other
      Trace("Edit_Prop_Sheet", "-> %d", code);
      return code;
    }
  }
}

void Set_NoFrameFlag_to_Next_PropSheet() {
  Trace("Set_NoFrameFlag_to_Next_PropSheet");
  S().next_no_frame = true;
}

void Set_Prop_Sheet_Screen_Base(int x1, int y1, int x2, int y2) {
  ScreenState &s = S();
  Trace("Set_Prop_Sheet_Screen_Base", "%d,%d,%d,%d", x1, y1, x2, y2);
  const int v[4] = {x1, y1, x2, y2};
  std::copy(v, v + 4, s.screen_base);
}

void Set_Prop_Sheet_Edit_Float_Auto_Mode() {
  Trace("Set_Prop_Sheet_Edit_Float_Auto_Mode");
  S().next_float_auto = true;
}

void Check_Prop_Sheet_Frames(int *x1, int *y1, int *x2, int *y2) {
  ScreenState &s = S();
  Trace("Check_Prop_Sheet_Frames");
  if (!x1 || !y1 || !x2 || !y2) return;
  auto fit = [](int *a, int *b, int limit) {
    if (*a > *b) std::swap(*a, *b);
    if (*b > limit) *a -= *b - limit, *b = limit;
    if (*a < 0) *b -= *a, *a = 0;
  };
  fit(x1, x2, s.w - 1);
  fit(y1, y2, s.h - 1);
}

void Inquire_Prop_Sheet_Displacement(int *dx, int *dy) {
  Sheet *sh = Top_Sheet();
  if (dx) *dx = sh ? sh->dx : 0;
  if (dy) *dy = sh ? sh->dy : 0;
}

void Prop_Sheet_Displacement(int *dx, int *dy) {
  ScreenState &s = S();
  Sheet *sh = Top_Sheet();
  if (dx) *dx = sh ? sh->dx : s.last_dx;
  if (dy) *dy = sh ? sh->dy : s.last_dy;
}

void Set_ClickOutsideEvent_to_PS(int code) {
  Trace("Set_ClickOutsideEvent_to_PS", "%d", code);
  if (Sheet *sh = Top_Sheet()) sh->click_outside = code;
}

void Define_Call_Allways_Function(void (*fn)()) {
  ScreenState &s = S();
  s.call_always = fn;
  s.call_always_depth = int(s.sheets.size());
  Trace("Define_Call_Allways_Function");
}

void Activate_Call_Allways_Function(int on) {
  S().call_always_on = on;
  Trace("Activate_Call_Allways_Function", "%d", on);
}

// ---------------------------------------------------------------- items

int Add_Escape_Area_to_PS(int x1, int y1, int x2, int y2, int flags, int code) {
  Trace("Add_Escape_Area_to_PS", "%d,%d,%d,%d,%d,%d", x1, y1, x2, y2, flags, code);
  return New_Item(ITEM_ESCAPE, x1, y1, x2, y2, code).handle;
}

void Set_Escape_Area_to_MouseMoveEvent(int handle, int on) {
  Trace("Set_Escape_Area_to_MouseMoveEvent", "%d,%d", handle, on);
  if (Item *it = Find_Item(handle)) it->move_event = on;
}

int Add_Text_to_PS(int x, int y, const char *text, int font) {
  Trace("Add_Text_to_PS", "%d,%d,\"%s\",0x%x", x, y, text ? text : "", font);
  std::string t = text ? text : "";
  Item &it = New_Item(ITEM_TEXT, x, y, x + Width_In(t, font), y, 0);
  it.x1 = x, it.y1 = y;  // the baseline's start
  it.text = t;
  it.font = font;
  return it.handle;
}

int Add_Text_Button_to_PS(int x, int y, const char *text, int code) {
  Trace("Add_Text_Button_to_PS", "%d,%d,\"%s\",%d", x, y, text ? text : "", code);
  std::string t = text ? text : "";
  Item &it = New_Item(ITEM_TEXT_BUTTON, x, y, x + Width_In(t, 0x1000) + 16, y + kButtonH - 1, code);
  it.text = t;
  return it.handle;
}

int Add_Image_Button_to_PS(int x, int y, int image, int code) {
  Trace("Add_Image_Button_to_PS", "%d,%d,%d,%d", x, y, image, code);
  Item &it = New_Item(ITEM_IMAGE_BUTTON, x, y, x + kImageButtonW - 1, y + kButtonH - 1, code);
  it.image = image;
  return it.handle;
}

int Add_Single_Button_to_PS(int x1, int y1, int x2, int y2, const char *bitmap, int code) {
  Trace("Add_Single_Button_to_PS", "%d,%d,%d,%d,\"%s\",%d", x1, y1, x2, y2, bitmap ? bitmap : "", code);
  Item &it = New_Item(ITEM_SINGLE_BUTTON, x1, y1, x2, y2, code);
  it.bitmap = bitmap ? bitmap : "";
  return it.handle;
}

int Add_Help_to_PS(int x, int y, int a, int b, int c, const char *topic) {
  Trace("Add_Help_to_PS", "%d,%d,%d,%d,%d,\"%s\"", x, y, a, b, c, topic ? topic : "");
  Item &it = New_Item(ITEM_HELP, x, y, x + kImageButtonW - 1, y + kButtonH - 1, 0);
  it.text = topic ? topic : "";
  return it.handle;
}

int Add_Radio_Button_to_PS(int x, int y, const char *text, int tx, int ty, int value, int *target, int code,
                           int layout) {
  Trace("Add_Radio_Button_to_PS", "%d,%d,\"%s\",%d,%d,%d,%d,%d", x, y, text ? text : "", tx, ty, value, code,
        layout);
  Item &it = New_Item(ITEM_RADIO, x, y, x + 10, y + 10, code);
  it.text = text ? text : "";
  it.tx = tx, it.ty = ty;
  it.value = value;
  it.target = target;
  if (!it.text.empty()) it.x2 = std::max(it.x2, tx + Width_In(it.text, 0x1000));  // the text is hit too
  return it.handle;
}

int Add_Float_Field_to_PS(int x, int y, double *value, const char *format, int chars, int code) {
  Trace("Add_Float_Field_to_PS", "%d,%d,\"%s\",%d,%d", x, y, format ? format : "", chars, code);
  Pop_RFont(0x1000);
  int pitch = RFONT_WIDTH + RFONT_SPACE;
  Push_RFont();
  Item &it = New_Item(ITEM_FLOAT, x, y, x + std::max(chars, 1) * pitch + 8, y + 18, code);
  it.dvalue = value;
  it.format = format ? format : "%g";
  it.chars = chars;
  return it.handle;
}

int Add_Register_to_PS(int x1, int y1, int x2, int y2, int tab_bottom) {
  Trace("Add_Register_to_PS", "%d,%d,%d,%d,%d", x1, y1, x2, y2, tab_bottom);
  Item &it = New_Item(ITEM_REGISTER, x1, y1, x2, y2, 0);
  it.tab_bottom = tab_bottom;
  it.selected = 1;
  return it.handle;
}

int Add_Register_Member_to_PS(int reg, int x1, int x2, int code) {
  Trace("Add_Register_Member_to_PS", "%d,%d,%d,%d", reg, x1, x2, code);
  Item *r = Find_Item(reg);
  if (!r || r->kind != ITEM_REGISTER) return 0;
  int y1 = r->y1, y2 = r->tab_bottom, number = ++r->members;
  Item &it = New_Item(ITEM_MEMBER, x1, y1, x2, y2, code);
  it.parent = reg;
  it.value = number;
  return it.handle;
}

void Set_Selected_Register_Member(int number) {
  Trace("Set_Selected_Register_Member", "%d", number);
  Sheet *sh = Top_Sheet();
  if (!sh) return;
  for (size_t i = sh->items.size(); i-- > 0;)
    if (sh->items[i].kind == ITEM_REGISTER) {
      Item &reg = sh->items[i];
      reg.selected = number;
      if (sh->activated)
        for (Item &m : sh->items)
          if (m.kind == ITEM_MEMBER && m.parent == reg.handle) Draw_Item(*sh, m);
      return;
    }
}

void Change_Activity_PS(int handle, int state) {
  Trace("Change_Activity_PS", "%d,%d", handle, state);
  Item *it = Find_Item(handle);
  Sheet *sh = Sheet_Of(handle);
  if (!it || !sh) return;
  it->state = state;
  if (it->kind == ITEM_AREA) {
    if (state == 1) Call_Draw(*sh, *it);
  } else if (sh->activated && it->kind != ITEM_ESCAPE) {
    Draw_Item(*sh, *it);
  }
}

void Change_Action_State_PS(int handle, int state) {
  Trace("Change_Action_State_PS", "%d,%d", handle, state);
  if (Item *it = Find_Item(handle)) it->action_state = state;
}

int ActivState_of_Button_PS(int handle) {
  Item *it = Find_Item(handle);
  return it && it->state == 1 ? 1 : 0;
}

void Redraw_Item_PS(int handle) {
  Trace("Redraw_Item_PS", "%d", handle);
  Item *it = Find_Item(handle);
  Sheet *sh = Sheet_Of(handle);
  if (it && sh) Draw_Item(*sh, *it);
}

void Set_Comment_to_Button_PS(int handle, const char *text) {
  Trace("Set_Comment_to_Button_PS", "%d,\"%s\"", handle, text ? text : "");
  if (Item *it = Find_Item(handle)) it->comment = text ? text : "";
}

void Reset_Button_Frame(int handle) {
  Trace("Reset_Button_Frame", "%d", handle);
  if (Item *it = Find_Item(handle)) it->frame = 0;
}

void Snap_Colored_Layout_of_Single_Button(int handle) {
  Trace("Snap_Colored_Layout_of_Single_Button", "%d", handle);
  if (Item *it = Find_Item(handle)) it->snap = 1;
}

void Move_Mouse_Cursor_to_Button_of_PS(int handle, int flags) {
  Trace("Move_Mouse_Cursor_to_Button_of_PS", "%d,%d", handle, flags);
  Item *it = Find_Item(handle);
  Sheet *sh = Sheet_Of(handle);
  if (it && sh) msStCu((it->x1 + it->x2) / 2 + sh->dx, (it->y1 + it->y2) / 2 + sh->dy);
}

void Draw_Funny_Area_to_PS(int style, int x1, int y1, int x2, int y2, int extra) {
  S();
  Trace("Draw_Funny_Area_to_PS", "%d,%d,%d,%d,%d,%d", style, x1, y1, x2, y2, extra);
  if (style <= 0) return;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  int keep = S().fg;
  Frame(style, x1, y1, x2, y2);
  S().fg = keep;
}

void Draw_Funny_Text_to_PS(int x, int y, const char *text, int font) {
  S();
  Trace("Draw_Funny_Text_to_PS", "%d,%d,\"%s\",0x%x", x, y, text ? text : "", font);
  if (!text) return;
  Pop_RFont(font);
  Draw_Raster_Text(x, y, text, -1, 0);
  Push_RFont();
}

// ---------------------------------------------------------------- scrollable areas

int Add_Scrollable_Area_to_PS(int x1, int y1, int x2, int y2, int a, int b, int c, int d, SCROLL_AREA_DRAW_FN draw,
                              void *record, int e) {
  Trace("Add_Scrollable_Area_to_PS", "%d,%d,%d,%d,%d,%d,%d,%d,%d", x1, y1, x2, y2, a, b, c, d, e);
  Item &it = New_Item(ITEM_AREA, x1, y1, x2, y2, 0);
  it.draw = draw;
  it.record = record;
  return it.handle;
}

static int Add_Slider(ItemKind kind, int area) {
  Item *a = Find_Item(area);
  if (!a || a->kind != ITEM_AREA) return 0;
  int x1 = a->x1, y1 = a->y1, x2 = a->x2, y2 = a->y2;
  Item &sl = kind == ITEM_VSLIDER ? New_Item(kind, x2 + 1, y1, x2 + kSlider, y2, 0)
                                  : New_Item(kind, x1, y2 + 1, x2, y2 + kSlider, 0);
  sl.parent = area;
  int handle = sl.handle;
  if ((a = Find_Item(area))) (kind == ITEM_VSLIDER ? a->vslider : a->hslider) = handle;
  return handle;
}

int Add_VSlider_to_Scrollable_Area(int area, int a, int b, int c, int d) {
  Trace("Add_VSlider_to_Scrollable_Area", "%d,%d,%d,%d,%d", area, a, b, c, d);
  return Add_Slider(ITEM_VSLIDER, area);
}

int Add_HSlider_to_Scrollable_Area(int area, int a, int b, int c, int d) {
  Trace("Add_HSlider_to_Scrollable_Area", "%d,%d,%d,%d,%d", area, a, b, c, d);
  return Add_Slider(ITEM_HSLIDER, area);
}

void Set_VSlider_Speed(int slider, double step, double b) {
  Trace("Set_VSlider_Speed", "%d,%g,%g", slider, step, b);
  if (Item *it = Find_Item(slider)) it->step = step;
}

void Set_HSlider_Speed(int slider, double step, double b) {
  Trace("Set_HSlider_Speed", "%d,%g,%g", slider, step, b);
  if (Item *it = Find_Item(slider)) it->step = step;
}

void Inquire_Scrollable_Area_PS(int area, int *scroll_x, int *scroll_y) {
  Item *a = Find_Item(area);
  if (!a || a->kind != ITEM_AREA) return;
  if (scroll_x) *scroll_x = a->scroll_x;
  if (scroll_y) *scroll_y = a->scroll_y;
}

void Set_Scrollable_Area_PS(int area, int scroll_x, int scroll_y) {
  Trace("Set_Scrollable_Area_PS", "%d,%d,%d", area, scroll_x, scroll_y);
  Item *a = Find_Item(area);
  if (!a || a->kind != ITEM_AREA) return;
  a->scroll_x = scroll_x;
  a->scroll_y = scroll_y;
  Clamp_Scroll(*a);
}

void Resize_Origin_of_Scrollable_Area_PS(int area, int content_w, int content_h) {
  Trace("Resize_Origin_of_Scrollable_Area_PS", "%d,%d,%d", area, content_w, content_h);
  Item *a = Find_Item(area);
  if (!a || a->kind != ITEM_AREA) return;
  a->content_w = std::max(content_w, 0);
  a->content_h = std::max(content_h, 0);
  Clamp_Scroll(*a);
}

void Reshape_Scrollable_Area_PS(int area, int x1, int y1, int x2, int y2, int a, int b, int c, int d) {
  Trace("Reshape_Scrollable_Area_PS", "%d,%d,%d,%d,%d,%d,%d,%d,%d", area, x1, y1, x2, y2, a, b, c, d);
  Item *it = Find_Item(area);
  Sheet *sh = Sheet_Of(area);
  if (!it || !sh || it->kind != ITEM_AREA) return;
  // screen coordinates: the sheet's displacement comes off
  it->x1 = std::min(x1, x2) - sh->dx, it->x2 = std::max(x1, x2) - sh->dx;
  it->y1 = std::min(y1, y2) - sh->dy, it->y2 = std::max(y1, y2) - sh->dy;
  for (Item &sl : sh->items) {
    if (sl.parent != area) continue;
    if (sl.kind == ITEM_VSLIDER) sl.x1 = it->x2 + 1, sl.x2 = it->x2 + kSlider, sl.y1 = it->y1, sl.y2 = it->y2;
    if (sl.kind == ITEM_HSLIDER) sl.x1 = it->x1, sl.x2 = it->x2, sl.y1 = it->y2 + 1, sl.y2 = it->y2 + kSlider;
  }
  Clamp_Scroll(*it);
}

void Set_Scrollable_Area_PS_Frameflag(int area, int flag) {
  Trace("Set_Scrollable_Area_PS_Frameflag", "%d,%d", area, flag);
  if (Item *it = Find_Item(area)) it->frame = flag;
}

// ---------------------------------------------------------------- harness

void Host_Test_Set_Sheet_Displacement(int dx, int dy) {
  ScreenState &s = S();
  Trace("Host_Test_Set_Sheet_Displacement", "%d,%d", dx, dy);
  if (Sheet *sh = Top_Sheet()) {
    // the user drags the sheet: the screen under it comes back, the sheet is painted anew
    Put_Back_Under(*sh);
    sh->dx = dx;
    sh->dy = dy;
    Save_Under(*sh);
    Paint_Face(*sh);
    if (sh->activated)  // areas paint themselves only when activated or scrolled
      for (Item &it : sh->items) Draw_Item(*sh, it);
  } else {
    s.test_dx = dx;
    s.test_dy = dy;
  }
}

std::vector<HOST_SHEET_ITEM> Host_Sheet_Items() {
  std::vector<HOST_SHEET_ITEM> out;
  if (Sheet *sh = Top_Sheet())
    for (const Item &it : sh->items)
      out.push_back({it.handle, Kind_Name(it.kind), it.x1, it.y1, it.x2, it.y2, it.code, it.state, it.text,
                     it.frame, it.move_event, it.parent, it.content_w, it.content_h, it.scroll_x, it.scroll_y,
                     it.comment});
  return out;
}

int Host_Sheet_Depth() { return int(S().sheets.size()); }

int Host_Sheet_Rect(int rect[4]) {
  Sheet *sh = Top_Sheet();
  if (!sh) return 0;
  if (rect) {
    rect[0] = sh->x1 + sh->dx, rect[1] = sh->y1 + sh->dy;
    rect[2] = sh->x2 + sh->dx, rect[3] = sh->y2 + sh->dy;
  }
  return 1;
}
