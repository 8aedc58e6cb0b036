// The host's short editors (a number or a text edited in place), its pop-up menus and the
// special-character picker.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "host/screen_internal.h"

using namespace host_screen;

int LAST_SHEET_EDIT_KEY = 0;

namespace {

constexpr int kEditH = 19;  // height of an edit box
constexpr int kRowH = 16;   // height of a menu row
constexpr int kEditKinds = YRM_KEY | YRM_LEFT_PRESS | YRM_SYSTEM;

void Box(int x1, int y1, int x2, int y2, int index) {
  Fill_Rect(x1, y1, x2, y2, index);
  S().fg = index;
}

void Edge(int x1, int y1, int x2, int y2, int index) {
  Box(x1, y1, x2, y1, index);
  Box(x1, y2, x2, y2, index);
  Box(x1, y1, x1, y2, index);
  Box(x2, y1, x2, y2, index);
}

// The edit box with its text; a selected text is shown inverted.
void Draw_Edit(int x, int y, int w, const std::string &text, bool selected) {
  Box(x, y, x + w, y + kEditH - 1, WHITE_CI);
  Edge(x, y, x + w, y + kEditH - 1, BLACK_CI);
  Pop_RFont(0x1000);
  int tw = Text_Width(int(text.size()));
  if (selected && tw > 0) {
    Box(x + 7, y + 3, x + 8 + tw, y + 16, GetYRMColor(-9));
    S().fg = WHITE_CI;
  } else {
    S().fg = BLACK_CI;
  }
  Draw_Raster_Text(x + 8, y + 14, text.c_str(), int(text.size()), 0);
  if (!selected) Box(x + 9 + tw, y + 4, x + 9 + tw, y + 15, BLACK_CI);  // the caret
  Push_RFont();
}

enum End { GOING, ENTER, ESCAPE, UP, DOWN, CLICK };

// One editing loop over text in the box at (x, y), w wide; capacity in characters.
End Edit_Loop(int x, int y, int w, std::string &text, size_t capacity) {
  ScreenState &s = S();
  Waiting_In waiting("a short editor (Short_Edit_Float, Short_Edit_Text)");
  bool selected = true;
  Draw_Edit(x, y, w, text, selected);
  for (;;) {
    int kinds = Wait_Event(kEditKinds, -1);
    if (s.keymask) return ESCAPE;
    if (kinds & YRM_LEFT_PRESS) {
      if (s.dev_x >= x && s.dev_x <= x + w && s.dev_y >= y && s.dev_y < y + kEditH) {
        selected = false;
        Draw_Edit(x, y, w, text, selected);
        continue;
      }
      s.replay_press = true;  // the click is Edit_Prop_Sheet's next press
      return CLICK;
    }
    if (!(kinds & YRM_KEY)) continue;
    int key = getkey();
    switch (key) {
      case 13: return ENTER;
      case 27: return ESCAPE;
      case 328: return UP;
      case 336: return DOWN;
      case 8:
        if (selected)
          text.clear();
        else if (!text.empty())
          text.pop_back();
        selected = false;
        break;
      case 339:
        if (selected) text.clear();
        selected = false;
        break;
      case 327:
      case 331:
      case 333:
      case 335: selected = false; break;
      default:
        if (key >= 32 && key <= 255) {
          if (selected) text.clear();
          selected = false;
          if (text.size() < capacity) text += char(key);
        }
        break;
    }
    Draw_Edit(x, y, w, text, selected);
  }
}

int Key_Of(End e) {
  switch (e) {
    case ENTER: return 13;
    case ESCAPE: return 27;
    case UP: return 328;
    case DOWN: return 336;
    default: return 0;
  }
}

// Parses a number with "," or "." as decimal point; false when the text is no number.
bool Parse_Number(std::string t, double *v) {
  std::replace(t.begin(), t.end(), ',', '.');
  size_t a = t.find_first_not_of(' '), b = t.find_last_not_of(' ');
  if (a == std::string::npos) return false;
  t = t.substr(a, b - a + 1);
  char *end = nullptr;
  double d = std::strtod(t.c_str(), &end);
  if (end == t.c_str() || *end != '\0') return false;
  *v = d;
  return true;
}

int Row_Width(const MENUE *m) {
  Pop_RFont(0x1000);
  int w = std::max(m->text_width, 4) * (RFONT_WIDTH + RFONT_SPACE) + 24;
  Push_RFont();
  return w;
}

void Draw_Menu(const MENUE *m, int x, int y, int w, int hover) {
  Box(x, y, x + w, y + m->count * kRowH + 3, MENUE_CI);
  Edge(x, y, x + w, y + m->count * kRowH + 3, GetYRMColor(-3));
  for (int i = 0; i < m->count; ++i) {
    const MENUE_ITEM &it = m->items[i];
    int ry = y + 2 + i * kRowH;
    bool lit = i == hover && it.active;
    if (lit) Box(x + 2, ry, x + w - 2, ry + kRowH - 1, GetYRMColor(-9));
    Pop_RFont(0x1000);
    S().fg = !it.active ? GetYRMColor(-6) : lit ? WHITE_CI : BLACK_CI;
    const char *t = it.text ? it.text : "";
    Draw_Raster_Text(x + 8, ry + 12, t, int(std::strlen(t)), 0);
    if (it.submenu) Draw_Raster_Text(x + w - 10, ry + 12, ">", 1, 0);
    Push_RFont();
  }
}

// Row under (px, py) of a menu at (x, y), w wide, or -1.
int Row_At(const MENUE *m, int x, int y, int w, int px, int py) {
  if (px < x || px > x + w || py < y + 2 || py >= y + 2 + m->count * kRowH) return -1;
  return (py - y - 2) / kRowH;
}

// Runs a menu at (x, y) until an entry is chosen (returned), it is left (null, *left_to_parent
// when the pointer went back to the parent) or cancelled (null).
const MENUE_ITEM *Run_Menu(const MENUE *m, int x, int y, const int *parent, bool *left_to_parent) {
  ScreenState &s = S();
  Waiting_In waiting("Menue_Manager");
  int w = Row_Width(m), h = m->count * kRowH + 3;
  if (x + w >= s.w) x = std::max(0, s.w - 1 - w);
  if (y + h >= s.h) y = std::max(0, s.h - 1 - h);
  Save_Screen_Rectangle(x, y, x + w, y + h);
  int hover = -1;
  const MENUE_ITEM *chosen = nullptr;
  Draw_Menu(m, x, y, w, hover);
  for (;;) {
    int kinds = Wait_Event(YRM_POINTER | YRM_LEFT_PRESS | YRM_LEFT_RELEASE | YRM_KEY | YRM_SYSTEM, -1);
    if (s.keymask) break;
    if (kinds & YRM_KEY) {
      if (getkey() == 27) break;
      continue;
    }
    int row = Row_At(m, x, y, w, s.dev_x, s.dev_y);
    if (row < 0 && parent && s.dev_x >= parent[0] && s.dev_x <= parent[2] && s.dev_y >= parent[1] &&
        s.dev_y <= parent[3]) {
      *left_to_parent = true;
      break;
    }
    if (row != hover) {
      hover = row;
      Draw_Menu(m, x, y, w, hover);
      if (hover >= 0 && m->items[hover].hint) Set_Message_Line(m->items[hover].hint);
    }
    if (kinds & YRM_LEFT_PRESS && row < 0) break;  // a press outside leaves the menu
    if (row >= 0 && m->items[row].active && m->items[row].submenu && !(kinds & YRM_LEFT_RELEASE)) {
      const int me[4] = {x, y, x + w, y + h};
      bool back = false;
      chosen = Run_Menu(m->items[row].submenu, x + w - 4, y + 2 + row * kRowH, me, &back);
      if (chosen || !back) break;
      hover = -1;
      Draw_Menu(m, x, y, w, hover);
      continue;
    }
    if (kinds & YRM_LEFT_RELEASE && row >= 0 && m->items[row].active && !m->items[row].submenu) {
      chosen = &m->items[row];
      break;
    }
  }
  Restore_Screen_Rectangle(x, y, x + w, y + h);
  return chosen;
}

}  // namespace

int Short_Edit_Float(int x, int y, const char *format, double *value) {
  S();
  Trace("Short_Edit_Float", "%d,%d,\"%s\"", x, y, format ? format : "");
  if (!value) return 0;
  char buf[64];
  std::snprintf(buf, sizeof buf, format ? format : "%g", *value);
  std::string text = buf;
  size_t a = text.find_first_not_of(' ');
  text = a == std::string::npos ? std::string() : text.substr(a);
  Pop_RFont(0x1000);
  int w = int(std::max<size_t>(std::strlen(buf), 4) + 2) * (RFONT_WIDTH + RFONT_SPACE) + 8;
  Push_RFont();
  End e;
  {
    Own_Drawing keep;
    Save_Screen_Rectangle(x, y, x + w, y + kEditH - 1);
    e = Edit_Loop(x, y, w, text, 40);
    Restore_Screen_Rectangle(x, y, x + w, y + kEditH - 1);
  }
  if (e != ESCAPE) Parse_Number(text, value);  // unparsable input keeps the value
  LAST_SHEET_EDIT_KEY = Key_Of(e);
  Trace("Short_Edit_Float", "-> %d", e == ENTER);
  return e == ENTER ? 1 : 0;
}

int Short_Edit_Text(int x, int y, char *buffer, int shown, int flags) {
  ScreenState &s = S();
  Trace("Short_Edit_Text", "%d,%d,%d,%d", x, y, shown, flags);
  size_t capacity = size_t(std::max(s.short_scroll_capacity > 0 ? s.short_scroll_capacity : shown, 0));
  s.short_scroll_capacity = 0;
  if (!buffer) return 0;
  std::string text(buffer, strnlen(buffer, capacity));
  Pop_RFont(0x1000);
  int w = (std::max(shown, 1) + 1) * (RFONT_WIDTH + RFONT_SPACE) + 8;
  Push_RFont();
  End e;
  {
    Own_Drawing keep;
    Save_Screen_Rectangle(x, y, x + w, y + kEditH - 1);
    e = Edit_Loop(x, y, w, text, capacity);
    Restore_Screen_Rectangle(x, y, x + w, y + kEditH - 1);
  }
  if (e != ESCAPE) {
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
  }
  LAST_SHEET_EDIT_KEY = Key_Of(e);
  return e == ENTER ? 1 : 0;
}

void Set_Short_Edit_Text_Scrollmode(int capacity) {
  Trace("Set_Short_Edit_Text_Scrollmode", "%d", capacity);
  S().short_scroll_capacity = capacity;
}

int Menue_Manager(MENUE *menu) {
  ScreenState &s = S();
  Trace("Menue_Manager", "%d", menu ? menu->count : 0);
  if (!menu || menu->count <= 0 || !menu->items) return 0;
  const MENUE_ITEM *chosen;
  {
    Own_Drawing keep;
    bool back = false;
    chosen = Run_Menu(menu, s.dev_x, s.dev_y, nullptr, &back);
  }
  Copy_Device_To_Globals();
  if (!chosen) return 0;
  if (chosen->action) chosen->action();
  return 1;
}

int Get_UserSelected_SpecialCharacter() {
  ScreenState &s = S();
  Trace("Get_UserSelected_SpecialCharacter");
  // ä ö ü Ä Ö Ü ß ² alpha epsilon per-mille, in the program's raster font
  static const unsigned char kChars[] = {0x84, 0x94, 0x81, 0x8E, 0x99, 0x9A, 0xE1, 0xFD, 0xBA, 0xBE, 0x89};
  constexpr int n = sizeof kChars, cell = 16;
  Waiting_In waiting("Get_UserSelected_SpecialCharacter");
  int x = std::min(s.dev_x, s.w - 1 - n * cell), y = std::min(s.dev_y, s.h - 1 - cell);
  int result = -1;
  {
    Own_Drawing keep;
    Save_Screen_Rectangle(x, y, x + n * cell, y + cell);
    Box(x, y, x + n * cell, y + cell, WHITE_CI);
    Edge(x, y, x + n * cell, y + cell, BLACK_CI);
    Pop_RFont(0x1000);
    S().fg = BLACK_CI;
    for (int i = 0; i < n; ++i) {
      char c = char(kChars[i]);
      Draw_Raster_Text(x + i * cell + 5, y + 12, &c, 1, 0);
    }
    Push_RFont();
    for (;;) {
      int kinds = Wait_Event(YRM_LEFT_PRESS | YRM_KEY | YRM_SYSTEM, -1);
      if (s.keymask) break;
      if (kinds & YRM_KEY) {
        if (getkey() == 27) break;
        continue;
      }
      if (kinds & YRM_LEFT_PRESS) {
        if (s.dev_x > x && s.dev_x < x + n * cell && s.dev_y >= y && s.dev_y <= y + cell)
          result = kChars[(s.dev_x - x - 1) / cell];
        break;
      }
    }
    Restore_Screen_Rectangle(x, y, x + n * cell, y + cell);
  }
  Copy_Device_To_Globals();
  return result;
}
