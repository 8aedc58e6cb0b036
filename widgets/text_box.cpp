// Text box item (kind 19): adding it, drawing it with its line table, caret and
// selection, and the focus loop in which the user edits it; the small editing operations
// on its state (caret, insertion, deletion of the selection, special character).
//
// Caret, selection and line starts are byte offsets into the caller's text. The caret
// never passes the text's final character (normally the final line break).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "host/host.h"
#include "host/host_screen.h"
#include "support/support.h"
#include "widgets/view_events.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"

namespace {

constexpr int kLinePitch = 14;
constexpr int kPasteBuffer = 5000;

struct TextBoxState {
  TEXT_BOX_STATE *current = nullptr;
  int caret_colour = -1;
  int selection_colour = -1;
  int fill_gauge_colour = -1;
  int line_gauge_colour = -1;
  char special_key[6] = "_SPEC";
  MENUE_ITEM menu_item{};
  MENUE menu{};
  bool reset_registered = false;
} g;

TextBoxState &_S() {
  if (!g.reset_registered) {
    g.reset_registered = true;
    Host_Register_Reset(&Reset_Text_Box_For_Tests);
  }
  return g;
}

int _Caret_Colour() {
  TextBoxState &s = _S();
  if (s.caret_colour < 0) s.caret_colour = Nearest_RGB_Color(0, 0, 255);
  return s.caret_colour;
}

// Width of the first k characters of p in the box's font: fixed cells for font 0, else the
// host's extent in the selected font.
int _W(const TEXT_BOX_STATE *state, const char *p, int k) {
  if (k <= 0) return 0;
  if (state->font == 0) return 8 * k - 3;
  int extent[4] = {0, 0, 0, 0};
  pxQTxX(p, k, nullptr, nullptr, extent, 0);
  return extent[1] - extent[0];
}

int _Length(const TEXT_BOX_STATE *state) { return state->text ? static_cast<int>(std::strlen(state->text)) : 0; }

// Offset of the text's final character (0 for an empty text).
int _Last(const TEXT_BOX_STATE *state) { return std::max(state->length - 1, 0); }

void _Clamp_Caret(TEXT_BOX_STATE *state) { state->caret = std::clamp(state->caret, 0, _Last(state)); }

// The caret's display line.
int _Caret_Line(const TEXT_BOX_STATE *state) {
  if (state->line_count <= 1 || state->caret < state->lines[1]) return 0;
  int i = 0;
  for (int k = 1; k < state->line_count; ++k)
    if (state->lines[k] <= state->caret) i = k;
  return i;
}

// Appends the final line break when the text lacks it and the limit leaves room.
void _Ensure_Final_Break(TEXT_BOX_STATE *state) {
  state->length = _Length(state);
  if (state->text && state->length < state->limit &&
      (state->length == 0 || state->text[state->length - 1] != '\n')) {
    state->text[state->length++] = '\n';
    state->text[state->length] = '\0';
  }
}

void _Redraw(TEXT_BOX_STATE *state) {
  if (state->item) Draw_Text_Box(state->item, state->box_x1, state->box_y1, state->box_x2, state->box_y2);
}

void _Draw_Caret_Line(int x, int y, int colour) {
  int old = pxQFgc(nullptr);
  pxFgc(colour);
  pxLine(x, y - 10, x, y + 4);
  pxFgc(old);
}

void _Store_Line(TEXT_BOX_STATE *state, int offset) {
  if (state->line_count >= state->line_capacity || !state->lines) {
    int capacity = std::max(state->line_capacity, 1) * 4;
    int *lines = static_cast<int *>(Tools_Alloc(nullptr, sizeof(int) * static_cast<std::size_t>(capacity), 1));
    if (state->lines) std::memcpy(lines, state->lines, sizeof(int) * static_cast<std::size_t>(state->line_count));
    Tools_Free(&state->lines);
    state->lines = lines;
    state->line_capacity = capacity;
  }
  state->lines[state->line_count++] = offset;
}

// Number of characters of the display line starting at p (p[0] not the zero).
int _Line_Extent(const TEXT_BOX_STATE *state, const char *p, int wrap) {
  if (p[0] == '\n') return 1;
  if (p[1] == '\n') return 2;
  if (p[1] == '\0') return 1;
  for (int k = 1;; ++k) {
    if (_W(state, p, k) > wrap) {
      for (int j = k; j >= 1; --j)
        if (p[j] == ' ') return j + 1;
      return k;
    }
    if (p[k + 1] == '\0') return k + 1;
    if (p[k + 1] == '\n') return k + 2;
  }
}

// The refresh after a key: caret hidden, box redrawn, caret's line in view, caret drawn.
void _Refresh(TEXT_BOX_STATE *state) {
  Hide_Text_Box_Caret(state);
  _Redraw(state);
  Scroll_Text_Box_to_Caret(state);
  Draw_Text_Box_Caret(state);
}

void _Finish_Move(TEXT_BOX_STATE *state) {
  _Clamp_Caret(state);
  Hide_Text_Box_Caret(state);
  Scroll_Text_Box_to_Caret(state);
  Draw_Text_Box_Caret(state);
}

void _Remove_Char(TEXT_BOX_STATE *state, int q) {
  char *t = state->text;
  std::memmove(t + q, t + q + 1, std::strlen(t + q + 1) + 1);
  state->length -= 1;
}

void _Paste(TEXT_BOX_STATE *state) {
  Delete_Text_Box_Selection(state);
  char *buffer = static_cast<char *>(MEM_MALLOC(kPasteBuffer));
  if (!buffer) return;
  int n = YRMGetClipboardText(buffer, kPasteBuffer);
  if (n > 0 && state->length < state->limit) {
    for (int i = 0; i < n && state->length < state->limit; ++i) {
      // A carriage return is a line break; a line feed right behind it belongs to it.
      if (buffer[i] == '\n' && i > 0 && buffer[i - 1] == '\r') continue;
      Insert_Text_Box_Char(static_cast<unsigned char>(buffer[i]), state);
    }
  }
  MEM_FREE(buffer);
  _Clamp_Caret(state);
  _Refresh(state);
}

void _Handle_Key(TEXT_BOX_STATE *state, int key) {
  switch (key) {
    case 3:
      Copy_Text_Range_to_Clipboard(state->text + state->sel_start, state->text + state->sel_end);
      return;
    case 24:
      Copy_Text_Range_to_Clipboard(state->text + state->sel_start, state->text + state->sel_end);
      Delete_Text_Box_Selection(state);
      return;
    case 22:
      _Paste(state);
      return;
    case 1:
      state->sel_start = 0;
      state->sel_end = state->caret = _Last(state);
      Hide_Text_Box_Caret(state);
      Scroll_Text_Box_to_Caret(state);
      _Redraw(state);
      Draw_Text_Box_Caret(state);
      return;
    case 331: Move_Text_Box_Caret(-1, 0, state); return;
    case 333: Move_Text_Box_Caret(1, 0, state); return;
    case 328: Move_Text_Box_Caret(0, -1, state); return;
    case 336: Move_Text_Box_Caret(0, 1, state); return;
    case 329: Move_Text_Box_Caret(0, -state->visible_lines, state); return;
    case 337: Move_Text_Box_Caret(0, state->visible_lines, state); return;
    case 327:
    case 335: {
      Clear_Text_Box_Selection(state);
      int i = _Caret_Line(state);
      if (i >= state->line_count - 1)
        state->caret = state->lines[i];
      else
        state->caret = key == 327 ? state->lines[i] : state->lines[i + 1] - 1;
      _Finish_Move(state);
      return;
    }
    case 375:
      Clear_Text_Box_Selection(state);
      state->caret = state->line_count > 0 ? state->lines[0] : 0;
      _Finish_Move(state);
      return;
    case 373:
      Clear_Text_Box_Selection(state);
      state->caret = _Last(state);
      _Finish_Move(state);
      return;
    case 8:
    case 339: {
      if (state->sel_end > state->sel_start) {
        Delete_Text_Box_Selection(state);
      } else {
        int q = key == 8 ? state->caret - 1 : state->caret;
        if (q < 0 || q >= state->length) return;
        if (key == 339 && std::strlen(state->text + q) <= 1) return;
        _Remove_Char(state, q);
        if (key == 8) state->caret -= 1;
        _Clamp_Caret(state);
      }
      _Refresh(state);
      return;
    }
    default:
      if (key == 13 || (key >= 32 && key <= 255)) {
        Insert_Text_Box_Char(key, state);
        _Clamp_Caret(state);
      }
      _Refresh(state);
      return;
  }
}

bool _Inside_Box(const TEXT_BOX_STATE *state, int x, int y) {
  return x >= state->box_x1 && x <= state->box_x2 && y >= state->box_y1 && y <= state->box_y2;
}

// Follows a press inside the box until the release: the caret at the press, a selection
// while dragging, one line scrolled per pass with a pause when the pointer leaves the box.
void _Drag(TEXT_BOX_STATE *state) {
  Hide_Text_Box_Caret(state);
  Place_Text_Box_Caret_at_Mouse(state);
  Draw_Text_Box_Caret(state);
  const int anchor = state->caret;
  const int x0 = M_XPOS, y0 = M_YPOS;
  bool dragging = false;
  YRMMESSAGE record;
  InitYRMMessage(&record);
  record.limit_ms = 50;
  while (M_LEFT && getkeymask() != 1) {
    GetYRMMessage(0x40000021, &record);
    if (!M_LEFT) break;
    if (!dragging && std::abs(M_XPOS - x0) <= 5 && std::abs(M_YPOS - y0) <= 5) continue;
    if (M_YPOS >= state->box_y2 && state->first_line + state->visible_lines < state->line_count - 2) {
      state->first_line += 1;
      _Redraw(state);
      YRMSleep(50);
    } else if (M_YPOS <= state->box_y1 && state->first_line > 0) {
      state->first_line -= 1;
      _Redraw(state);
      YRMSleep(50);
    }
    Place_Text_Box_Caret_at_Mouse(state);
    if (state->caret != anchor) {
      state->sel_start = std::min(anchor, state->caret);
      state->sel_end = std::max(anchor, state->caret);
      dragging = true;
      _Redraw(state);
    }
  }
  if (!dragging || state->sel_start == state->sel_end) Clear_Text_Box_Selection(state);
}

}  // namespace

void Reset_Text_Box_For_Tests() {
  bool registered = g.reset_registered;
  g = TextBoxState{};
  g.reset_registered = registered;
}

TEXT_BOX_STATE *Current_Text_Box() { return _S().current; }

// ---------------------------------------------------------------- adding and drawing

void Add_Text_Box_to_View_Area(int area, int x1, int y1, int x2, int y2, char *text, int limit, int colour,
                               int background, int frame, int *active) {
  SCROLLABLE_VIEW_AREA *a = Get_Scrollable_View_Area(area);
  if (!a || !text || limit < 1) return;
  VIEW_ITEM *item = Append_View_Item(a);
  item->kind = VIEW_TEXT_BOX;
  item->x1 = x1, item->y1 = y1, item->x2 = x2, item->y2 = y2;
  item->colour = colour;
  item->aux = background;
  item->option = frame;
  item->active_ptr = active;
  item->text = text;
  auto *state = static_cast<TEXT_BOX_STATE *>(Tools_Alloc(nullptr, sizeof(TEXT_BOX_STATE), 1));
  state->line_capacity = 50;
  state->lines = static_cast<int *>(Tools_Alloc(nullptr, sizeof(int) * 50, 1));
  state->font = 0x1003;
  state->limit = limit;
  state->text = text;
  _Ensure_Final_Break(state);
  // item and screen rectangle are set when the box takes the focus
  item->image_off = state;
  if (x2 + 3 >= a->content_width) a->content_width = x2 + 4;
  if (y2 + 3 >= a->content_height) a->content_height = y2 + 4;
}

void Set_Text_Box_Font(int area, int font) {
  SCROLLABLE_VIEW_AREA *a = Get_Scrollable_View_Area(area);
  if (!a || !a->last_item || a->last_item->kind != VIEW_TEXT_BOX || !a->last_item->image_off) return;
  static_cast<TEXT_BOX_STATE *>(a->last_item->image_off)->font = font;
}

void Draw_Text_Box(VIEW_ITEM *item, int x1, int y1, int x2, int y2) {
  if (!item || item->kind != VIEW_TEXT_BOX || !item->image_off || !item->text) return;
  TextBoxState &s = _S();
  auto *state = static_cast<TEXT_BOX_STATE *>(item->image_off);
  if (s.selection_colour < 0) s.selection_colour = Nearest_RGB_Color(153, 180, 209);
  int vx1, vy1, vx2, vy2;
  pxQVwp(&vx1, &vy1, &vx2, &vy2);
  const int old_colour = pxQFgc(nullptr);
  pxView(std::max(x1, vx1) + 1, std::max(y1, vy1) + 1, std::min(x2, vx2) - 1, std::min(y2, vy2) - 1);
  pxFgc(item->aux);
  pxRect(x1 + 1, y1 + 1, x2 - 1, y2 - 1);
  state->visible_lines = (y2 - y1 - 22) / kLinePitch;
  pxFgc(item->colour);
  Pop_RFont(state->font);

  const char *text = item->text;
  const int wrap = x2 - x1 - 20;
  const bool selection = state->sel_end > state->sel_start;
  state->line_count = 0;
  int baseline = y1 + 16;
  int p = 0;
  for (int i = 0;; ++i) {
    _Store_Line(state, p);
    if (text[p] == '\0') break;
    const int n = _Line_Extent(state, text + p, wrap);
    const int e = p + n;
    const int r = i - state->first_line;
    if (r >= 0 && r <= state->visible_lines) {
      if (selection && state->sel_start <= e && p <= state->sel_end) {
        const int a = std::max(state->sel_start, p), b = std::min(state->sel_end, e);
        const int keep = pxQFgc(nullptr);
        pxFgc(s.selection_colour);
        pxRect(x1 + 7 + _W(state, text + p, a - p) + 1, baseline - 10, x1 + 7 + _W(state, text + p, b - p) + 1,
               baseline + 2);
        pxFgc(keep);
      }
      const int shown = text[e - 1] == '\n' ? n - 1 : n;
      if (shown > 0) pxText(x1 + 7, baseline, text + p, shown);
    }
    if (r >= 0) baseline += kLinePitch;
    p = e;
  }
  state->caret_x = 0;
  Push_RFont();
  pxFgc(old_colour);
  pxView(vx1, vy1, vx2, vy2);
}

void Draw_Text_Box_Gauges(TEXT_BOX_STATE *state) {
  TextBoxState &s = _S();
  if (s.fill_gauge_colour < 0) s.fill_gauge_colour = Nearest_RGB_Color(255, 140, 140);
  if (s.line_gauge_colour < 0) s.line_gauge_colour = Nearest_RGB_Color(88, 199, 143);
  const int old = pxQFgc(nullptr);
  if (state->limit > 0) {
    const int f = static_cast<int>(static_cast<double>(state->length) / state->limit *
                                   (state->box_x2 - state->box_x1 - 7));
    pxFgc(s.fill_gauge_colour);
    pxRect(state->box_x1 + 2, state->box_y2 - 3, state->box_x1 + 2 + f, state->box_y2 - 2);
  }
  const int c = state->line_count - 1;
  if (state->line_count > state->visible_lines && c > 0) {
    const int h = state->box_y2 - state->box_y1 - 4;
    pxFgc(s.line_gauge_colour);
    pxRect(state->box_x2 - 3, state->box_y1 + 2 + static_cast<int>(static_cast<double>(state->first_line) / c * h),
           state->box_x2 - 2,
           state->box_y1 + 2 +
               static_cast<int>(static_cast<double>(state->visible_lines + state->first_line + 1) / c * h));
  }
  pxFgc(old);
}

// ---------------------------------------------------------------- editing operations

int Text_Box_Text_Width(const char *text, int count) {
  if (count <= 0) return 0;
  const TEXT_BOX_STATE *current = _S().current;
  if (current && current->font == 0) return count * 8 - 3;
  int extent[4] = {0, 0, 0, 0};
  pxQTxX(text, count, nullptr, nullptr, extent, 0);
  return extent[1] - extent[0];
}

void Hide_Text_Box_Caret(TEXT_BOX_STATE *state) {
  if (state->caret_x == 0) return;
  _Draw_Caret_Line(state->caret_x, state->caret_y, state->background);
  state->caret_x = 0;
}

void Draw_Text_Box_Caret(TEXT_BOX_STATE *state) {
  if (state->caret_x != 0) _Draw_Caret_Line(state->caret_x, state->caret_y, state->background);
  if (!state->text || state->line_count < 1) return;
  const int i = _Caret_Line(state);
  if (i < state->first_line || i > state->first_line + state->visible_lines) return;
  const int start = state->lines[i];
  const int d = state->caret > start ? Text_Box_Text_Width(state->text + start, state->caret - start) + 2 : 0;
  const int x = state->box_x1 + 7 + d;
  const int y = state->box_y1 + 16 + kLinePitch * (i - state->first_line);
  _Draw_Caret_Line(x, y, _Caret_Colour());
  state->caret_x = x;
  state->caret_y = y;
}

void Scroll_Text_Box_to_Caret(TEXT_BOX_STATE *state) {
  const int i = _Caret_Line(state);
  if (state->first_line > i) {
    state->first_line = i;
    _Redraw(state);
  }
  if (i - state->visible_lines > state->first_line) {
    state->first_line = i - state->visible_lines;
    _Redraw(state);
  }
}

int Delete_Text_Box_Selection(TEXT_BOX_STATE *state) {
  if (!state->text || state->sel_start == state->sel_end) return state->length;
  const int a = std::min(state->sel_start, state->sel_end), b = std::max(state->sel_start, state->sel_end);
  const int length = _Length(state);
  if (b > length || a < 0) {  // a selection left over from another text
    state->sel_start = state->sel_end = 0;
    return state->length;
  }
  char *t = state->text;
  std::memmove(t + a, t + b, static_cast<std::size_t>(length - b));
  std::memset(t + length - (b - a), 0, static_cast<std::size_t>(b - a));
  state->caret = a;
  state->sel_start = state->sel_end = 0;
  state->length = _Length(state);
  Hide_Text_Box_Caret(state);
  _Redraw(state);
  Scroll_Text_Box_to_Caret(state);
  Draw_Text_Box_Caret(state);
  return state->length;
}

void Insert_Text_Box_Char(int key, TEXT_BOX_STATE *state) {
  if (!state->text) return;
  Delete_Text_Box_Selection(state);
  if (state->length >= state->limit) return;
  char *t = state->text;
  const int caret = std::clamp(state->caret, 0, state->length);
  std::memmove(t + caret + 1, t + caret, static_cast<std::size_t>(state->length - caret) + 1);
  t[caret] = static_cast<char>(key == 13 ? 10 : key);
  state->caret = caret + 1;
  state->length += 1;
}

void Insert_Special_Character() {
  const int c = Get_UserSelected_SpecialCharacter();
  if (c < 0 || !_S().current) return;
  Insert_Text_Box_Char(c, _S().current);
}

void Place_Text_Box_Caret_at_Mouse(TEXT_BOX_STATE *state) {
  if (!state->text || state->line_count < 1) return;
  int i = (M_YPOS - state->box_y1 - 7) / kLinePitch + state->first_line;
  i = std::clamp(i, 0, state->line_count - 1);
  const int p = state->lines[i];
  if (i == state->line_count - 1) {
    state->caret = p - 1;
  } else {
    const char *text = state->text + p;
    const int n = state->lines[i + 1] - p;
    const int xm = M_XPOS - state->box_x1 - 7;
    int k = 0;
    for (; k <= n; ++k) {
      if (text[k] == '\0' || text[k] == '\n') break;
      const int wk = _W(state, text, k) + 2;
      if (xm < wk) {
        if (k > 0 && xm - (_W(state, text, k - 1) + 2) < wk - xm) k -= 1;
        break;
      }
    }
    if (k >= n) k = n - 1;
    state->caret = p + k;
  }
  _Clamp_Caret(state);
}

void Move_Text_Box_Caret(int dx, int dy, TEXT_BOX_STATE *state) {
  if (!state->text) return;
  Clear_Text_Box_Selection(state);
  state->caret += dx;
  if (dy != 0 && state->line_count > 1) {
    const int i = _Caret_Line(state);
    if ((i == 0 && dy < 0) || (i >= state->line_count - 2 && dy > 0)) {
      _Clamp_Caret(state);
      return;
    }
    const int x = Text_Box_Text_Width(state->text + state->lines[i], state->caret - state->lines[i]);
    const int j = std::clamp(i + dy, 0, state->line_count - 2);
    const int p = state->lines[j];
    const int last = state->lines[j + 1] - 1;
    int k = 0;
    while (p + k < last && state->text[p + k] != '\0' && state->text[p + k] != '\n' &&
           Text_Box_Text_Width(state->text + p, k) + 2 < x)
      ++k;
    state->caret = p + k;
  }
  _Finish_Move(state);
}

void Clear_Text_Box_Selection(TEXT_BOX_STATE *state) {
  state->sel_start = state->sel_end = 0;
  Hide_Text_Box_Caret(state);
  _Redraw(state);
  Draw_Text_Box_Caret(state);
}

void Copy_Text_Range_to_Clipboard(const char *start, const char *end) {
  if (!start || !end || end <= start) return;
  const std::size_t n = static_cast<std::size_t>(end - start);
  char *buffer = static_cast<char *>(MEM_MALLOC(n + 1));
  if (!buffer) return;
  std::memcpy(buffer, start, n);
  buffer[n] = '\0';
  YRMSetClipboardText(buffer);
  MEM_FREE(buffer);
}

void Query_Text_Box_Text_Extent(const char *text, int count, int *, int *, int *extent, int extra) {
  const TEXT_BOX_STATE *current = _S().current;
  if (current && current->font == 0) {
    if (extent) {
      extent[0] = 0;
      extent[1] = count > 0 ? 8 * count - 3 : 0;
    }
    return;
  }
  int scratch = 0;
  pxQTxX(text, count, &scratch, &scratch, extent, extra);
}

int Get_Text_Width_of_Chars(const char *text, int count) {
  int extent[4] = {0, 0, 0, 0};
  pxQTxX(text, count, nullptr, nullptr, extent, 0);
  return extent[1] - extent[0];
}

// ---------------------------------------------------------------- focus loop

void Run_Text_Box_Focus_Loop(int area, VIEW_ITEM *item) {
  SCROLLABLE_VIEW_AREA *a = Get_Scrollable_View_Area(area);
  if (!a || !item || item->kind != VIEW_TEXT_BOX || !item->image_off || !item->text) return;
  TextBoxState &s = _S();
  auto *state = static_cast<TEXT_BOX_STATE *>(item->image_off);

  int ax1, ay1, ax2, ay2, bx1, by1, bx2, by2;
  pxQVwp(&ax1, &ay1, &ax2, &ay2);
  int dx = 0, dy = 0, sx = 0, sy = 0;
  Inquire_Prop_Sheet_Displacement(&dx, &dy);
  Inquire_Scrollable_Area_PS(a->handle, &sx, &sy);
  const int AX1 = a->x1 + dx, AY1 = a->y1 + dy;
  pxView(AX1, AY1, a->x2 + dx, a->y2 + dy);
  const int X1 = AX1 + item->x1 - sx, Y1 = AY1 + item->y1 - sy;
  const int X2 = AX1 + item->x2 - sx, Y2 = AY1 + item->y2 - sy;
  pxQVwp(&bx1, &by1, &bx2, &by2);
  pxView(std::max(X1, bx1), std::max(Y1, by1), std::min(X2, bx2), std::min(Y2, by2));

  state->box_x1 = X1, state->box_y1 = Y1, state->box_x2 = X2, state->box_y2 = Y2;
  s.current = state;
  state->background = item->aux;
  state->colour = item->colour;
  state->item = item;
  state->text = item->text;
  // The caller may have changed the text since the box was added.
  _Ensure_Final_Break(state);
  state->sel_start = std::min(state->sel_start, state->length);
  state->sel_end = std::min(state->sel_end, state->length);
  Pop_RFont(state->font);
  _Redraw(state);

  Place_Text_Box_Caret_at_Mouse(state);
  Draw_Text_Box_Caret(state);
  Draw_Text_Box_Gauges(state);
  GetYRMMessage(1, nullptr);

  s.menu_item = MENUE_ITEM{"Sonderzeichen", s.special_key, " ", 1, &Insert_Special_Character, nullptr};
  s.menu = MENUE{1, 14, 1, 0, 1, &s.menu_item};
  while (getkeymask() != 1) {
    GetYRMMessage(0x1400a, nullptr);
    if (getkeymask() == 1) break;
    if (M_SCROLL != 0) {
      bool moved = false;
      if (M_SCROLL < 0 && state->first_line + state->visible_lines < state->line_count - 2) {
        state->first_line += 1;
        Move_Text_Box_Caret(0, 1, state);
        moved = true;
      } else if (M_SCROLL > 0 && state->first_line > 0) {
        state->first_line -= 1;
        Move_Text_Box_Caret(0, -1, state);
        moved = true;
      }
      if (moved) {
        _Redraw(state);
        Draw_Text_Box_Caret(state);
      }
      M_SCROLL = 0;
    }
    if (M_LEFT && !_Inside_Box(state, M_XPOS, M_YPOS)) break;
    if (M_LEFT) _Drag(state);
    if (M_RIGHT) {
      Menue_Manager(&s.menu);
      _Clamp_Caret(state);
      _Refresh(state);
    }
    if (hitkey() != -1) _Handle_Key(state, getkey());
    Draw_Text_Box_Gauges(state);
  }

  Hide_Text_Box_Caret(state);
  state->first_line = 0;
  Clear_Text_Box_Selection(state);
  _Redraw(state);
  Push_RFont();
  pxView(bx1, by1, bx2, by2);
  s.current = nullptr;
  pxView(ax1, ay1, ax2, ay2);
}
