// View-area event handling: Handle_View_Area_Event with its hit rules, reactions and the
// field chain, and the scroll and geometry services of an area used between events.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "host/host.h"
#include "host/host_screen.h"
#include "support/support.h"
#include "widgets/view_events.h"
#include "widgets/view_events_internal.h"
#include "widgets/widgets.h"
#include "widgets/widgets_internal.h"

namespace {

constexpr int kEscKey = 27;
constexpr int kEnterKey = 13;
constexpr int kF1Key = 315;
constexpr int kBitmapMode = 201;  // drawing mode of the host's bitmap calls

struct ViewEventState {
  int saved_clip[4];  // clip rectangle in force before a button image was drawn
  bool reset_registered;
} g;

ViewEventState &_State() {
  if (!g.reset_registered) {
    g.reset_registered = true;
    Host_Register_Reset(&Reset_View_Events_For_Tests);
  }
  return g;
}

int _Even(int w) { return (w & 1) ? w + 1 : w; }

// Repaints the area as the frame shows it; an inactive area is not repainted.
void _Repaint(SCROLLABLE_VIEW_AREA *a, const VIEW_EVENT_FRAME &f) {
  if (a->active == 1) Draw_View_Area(f.sx, f.sy, f.ax1, f.ay1, f.ax2, f.ay2, a);
}

// Waits until the left button is up (or an abort asks every loop to return).
void _Wait_for_Release() {
  while (M_LEFT && getkeymask() != 1) Get_Mouse_Event();
}

// Slider activity by whether the content exceeds the visible size.
void _Update_Sliders(const SCROLLABLE_VIEW_AREA *a) {
  if (a->vslider) Change_Activity_PS(a->vslider, a->content_height > a->y2 - a->y1 ? 1 : -1);
  if (a->hslider) Change_Activity_PS(a->hslider, a->content_width > a->x2 - a->x1 ? 1 : -1);
}

// Width in pixels of a text in a font (the system's text width between Pop_RFont and
// Push_RFont).
int _Width_in_Font(const char *text, int font) {
  Pop_RFont(font);
  int w = Get_Text_Width(text);
  Push_RFont();
  return w;
}

// A number field's value printed with its format (at most 511 characters).
void _Print_Value(const VIEW_ITEM *item, char (&buffer)[512]) {
  buffer[0] = '\0';
  if (!item->text) return;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  std::snprintf(buffer, sizeof buffer, item->text, item->double_ptr ? *item->double_ptr : 0.0);
#pragma GCC diagnostic pop
}

// Width that the hit rule of a field gives it: number field the printed value, text field
// (width of "X" + 1) per character shown, choice list the field width and its arrow.
int _Field_Hit_Width(const VIEW_ITEM *item) {
  switch (item->kind) {
    case VIEW_NUMBER_FIELD: {
      char printed[512];
      _Print_Value(item, printed);
      return _Width_in_Font(printed, item->font);
    }
    case VIEW_TEXT_FIELD: return (_Width_in_Font("X", item->font) + 1) * item->y2;
    case VIEW_CHOICE_LIST: return item->option + 18;
    default: return 0;
  }
}

// A choice or picture choice with no entry cannot be opened.
bool _Has_Entries(const VIEW_ITEM *item) {
  if (item->kind == VIEW_CHOICE_LIST) return item->aux >= 1 && item->target_ptr;
  if (item->kind == VIEW_PICTURE_CHOICE) return item->aux >= 1 && item->text;
  return true;
}

bool _Is_Field(const VIEW_ITEM *item) {
  return item->kind == VIEW_NUMBER_FIELD || item->kind == VIEW_TEXT_FIELD || item->kind == VIEW_CHOICE_LIST ||
         item->kind == VIEW_PICTURE_CHOICE;
}

// Whether the pointer (mx, my) hits the item by the rule of its kind; kinds without a rule
// are never hit.
bool _Hits(const VIEW_EVENT_FRAME &f, const VIEW_ITEM *item, int mx, int my) {
  int X = f.X(item->x1), Y = f.Y(item->y1);
  switch (item->kind) {
    case VIEW_CHECK_BOX:
    case VIEW_RADIO_BUTTON: {
      if (!View_Item_Active(item)) return false;
      int w = item->text ? _Width_in_Font(item->text, item->font) : 0;
      if (w == 0) w = -9;  // no label: only the box left of X counts
      return X - 20 <= mx && mx <= X + w && Y - 10 <= my && my <= Y + 2;
    }
    case VIEW_LIST_ROW: {
      int w = item->text ? _Width_in_Font(item->text, item->font) : 0;
      return X - 2 <= mx && mx <= X + w + 2 && Y - 9 <= my && my <= Y + 2;
    }
    case VIEW_NUMBER_FIELD:
    case VIEW_TEXT_FIELD:
    case VIEW_CHOICE_LIST: {
      if (!View_Item_Active(item)) return false;
      // Only a field that lies fully below the top edge and above the bottom edge.
      if (item->y1 - f.sy <= 11 || Y + 2 >= f.ay2) return false;
      int w = _Field_Hit_Width(item);
      return X - 6 <= mx && mx <= X + w + 6 && Y - 13 <= my && my <= Y + 5;
    }
    case VIEW_PICTURE_CHOICE:
      if (!View_Item_Active(item)) return false;
      return X <= mx && mx <= X + item->x2 + 20 && Y <= my && my <= Y + item->y2 + 5;
    case VIEW_BITMAP_BUTTON:
      if (!View_Item_Active(item)) return false;
      [[fallthrough]];
    case VIEW_CLICK_SPOT:
    case VIEW_TEXT_BOX:
      return X <= mx && mx <= f.X(item->x2) && Y <= my && my <= f.Y(item->y2);
    default: return false;
  }
}

// The short keys while the left button is up: Esc, Enter and F1 write their (value, target)
// pair when the matching switch is on; the key is taken only then.
int _Short_Keys(const SCROLLABLE_VIEW_AREA *a) {
  const VIEW_AREA_SHORT_KEYS *keys = View_Area_Short_Keys();
  if (!View_Area_Any_Short_Key()) return 0;
  int k = hitkey();
  if (k == -1) return 0;
  int value = 0;
  int *target = nullptr;
  if (k == kEscKey && keys->UseSheetBreakShortKey && a->break_target) {
    value = a->break_value, target = a->break_target;
  } else if (k == kEnterKey && keys->UseSheetOkShortKey && a->ok_target) {
    value = a->ok_value, target = a->ok_target;
  } else if (k == kF1Key && keys->UseSheetHelpShortKey && a->help_target) {
    value = a->help_value, target = a->help_target;
  } else {
    return 0;
  }
  *target = value;
  getkey();
  return 1;
}

// Edits a text field in place through a buffer sized from its capacity; at most the capacity
// goes back into the caller's text.
int _Edit_Text_Field(VIEW_ITEM *item, int X, int Y) {
  int capacity = std::max(item->option, 0);
  if (!item->text) return 0;
  char *buffer = static_cast<char *>(Tools_Alloc(nullptr, static_cast<std::size_t>(capacity) + 1, 1));
  std::size_t n = strnlen(item->text, static_cast<std::size_t>(capacity));
  std::memcpy(buffer, item->text, n);
  buffer[n] = '\0';
  if (item->y2 < capacity) Set_Short_Edit_Text_Scrollmode(capacity);
  int r = Short_Edit_Text(X - 8, Y - 14, buffer, item->y2, 0);
  n = strnlen(buffer, static_cast<std::size_t>(capacity));
  std::memcpy(item->text, buffer, n);
  item->text[n] = '\0';
  Tools_Free(reinterpret_cast<void **>(&buffer));
  return r;
}

// Edits one field at its screen point (X, Y) and calls its change function; puts the host's
// pointer on the field. Returns the editor's result: non-zero goes on to the next field.
int _Edit_Field(const VIEW_EVENT_FRAME &f, VIEW_ITEM *item, int X, int Y) {
  int r = 0;
  switch (item->kind) {
    case VIEW_PICTURE_CHOICE:
      r = Run_Picture_Dropdown(f.ay1, f.ay2, X, Y, item);
      if (item->change_fn.on_int && item->value_ptr) item->change_fn.on_int(*item->value_ptr);
      break;
    case VIEW_CHOICE_LIST:
      r = Run_Choice_Dropdown(X, Y, item);
      if (item->change_fn.on_int && item->value_ptr) item->change_fn.on_int(*item->value_ptr);
      break;
    case VIEW_NUMBER_FIELD:
      if (item->double_ptr) r = Short_Edit_Float(X - 8, Y - 14, item->text, item->double_ptr);
      if (item->change_fn.on_double) item->change_fn.on_double(item->double_ptr);
      break;
    case VIEW_TEXT_FIELD: r = _Edit_Text_Field(item, X, Y); break;
    default: break;
  }
  M_XPOS = X;
  M_YPOS = Y - 8;
  return r;
}

// Whether the item still belongs to the area (a change function may have rebuilt the page).
bool _In_List(const SCROLLABLE_VIEW_AREA *a, const VIEW_ITEM *item) {
  for (const VIEW_ITEM *it = a->first_item; it; it = it->next)
    if (it == item) return true;
  return false;
}

// Width by which a following field of the chain is brought into view.
int _Field_View_Width(const VIEW_ITEM *item) {
  switch (item->kind) {
    case VIEW_CHOICE_LIST: return item->option + 18;
    case VIEW_PICTURE_CHOICE: return item->x2 + 20;
    case VIEW_NUMBER_FIELD: {
      char printed[512];
      _Print_Value(item, printed);
      return _Even(_Width_in_Font(printed, item->font) + 2);
    }
    case VIEW_TEXT_FIELD: return (_Width_in_Font("X", item->font) + 1) * item->y2;
    default: return 0;
  }
}

// The field chain from the clicked field: edit it, then every following active field of the
// area while the last editor said to go on, each scrolled into view with a margin of 9 pixels
// left, 13 above, 6 right and 5 below.
int _Field_Chain(SCROLLABLE_VIEW_AREA *a, VIEW_EVENT_FRAME &f, VIEW_ITEM *item) {
  _Wait_for_Release();
  while (hitkey() != -1) getkey();
  int r = _Edit_Field(f, item, f.X(item->x1), f.Y(item->y1));
  _Repaint(a, f);
  if (r == 0 || !_In_List(a, item)) return 1;
  for (VIEW_ITEM *next = item->next; next && r; next = next->next) {
    if (!_Is_Field(next) || !View_Item_Active(next) || !_Has_Entries(next)) continue;
    int w = _Field_View_Width(next);
    int sx = f.sx, sy = f.sy;
    if (next->x1 - sx <= 8) sx = next->x1 - 9;
    if (next->y1 - sy <= 12) sy = next->y1 - 13;
    if (f.ax1 + next->x1 - sx + w + 5 >= f.ax2) sx = f.ax1 + next->x1 + w + 6 - f.ax2;
    if (f.ay1 + next->y1 - sy + 4 >= f.ay2) sy = f.ay1 + next->y1 + 5 - f.ay2;
    sx = std::max(sx, 0);
    sy = std::max(sy, 0);
    if (sx != f.sx || sy != f.sy) {
      a->scroll_x = sx;
      a->scroll_y = sy;
      Set_Scrollable_Area_PS(a->handle, sx, sy);
      // The host clamps the offset to the content; draw and edit where it really is.
      Inquire_Scrollable_Area_PS(a->handle, &a->scroll_x, &a->scroll_y);
      f.sx = a->scroll_x;
      f.sy = a->scroll_y;
      _Update_Sliders(a);
    }
    _Repaint(a, f);
    r = _Edit_Field(f, next, f.X(next->x1), f.Y(next->y1));
    // A change function that rebuilt the page has freed the items: the chain ends there.
    if (!_In_List(a, next)) return 1;
  }
  _Repaint(a, f);
  return 1;
}

// Bitmap button: the pressed image until the release (wherever the pointer then is), the
// normal image again, the button's code into the caller's int.
void _Press_Bitmap_Button(SCROLLABLE_VIEW_AREA *a, const VIEW_EVENT_FRAME &f, VIEW_ITEM *item) {
  Draw_View_Button_Image(a, f, item, 3);
  _Wait_for_Release();
  Draw_View_Button_Image(a, f, item, 1);
  if (item->value_ptr) *item->value_ptr = item->font;
  _Repaint(a, f);
}

}  // namespace

void Reset_View_Events_For_Tests() {
  bool registered = g.reset_registered;
  g = ViewEventState{};
  g.reset_registered = registered;
}

const int *View_Event_Saved_Clip() { return _State().saved_clip; }

SCROLLABLE_VIEW_AREA *View_Event_Area(int area) {
  SCROLLABLE_VIEW_AREA *a = Get_Scrollable_View_Area(area);
  return a && a->handle >= 0 && a->handle != VIEW_AREA_RESERVED ? a : nullptr;
}

void View_Event_Frame(const SCROLLABLE_VIEW_AREA *a, VIEW_EVENT_FRAME *f) {
  int dx = 0, dy = 0;
  Inquire_Prop_Sheet_Displacement(&dx, &dy);
  f->ax1 = a->x1 + dx;
  f->ay1 = a->y1 + dy;
  f->ax2 = a->x2 + dx;
  f->ay2 = a->y2 + dy;
  f->sx = f->sy = 0;
  Inquire_Scrollable_Area_PS(a->handle, &f->sx, &f->sy);
}

void Draw_View_Button_Image(const SCROLLABLE_VIEW_AREA *a, const VIEW_EVENT_FRAME &f, const VIEW_ITEM *item,
                            int image) {
  if (!item->text) return;
  ViewEventState &s = _State();
  int r = 0, gr = 0, b = 0;
  pxQCR(item->aux, &r, &gr, &b);
  pxQVwp(&s.saved_clip[0], &s.saved_clip[1], &s.saved_clip[2], &s.saved_clip[3]);
  // The clip is the area's screen rectangle with the sheet's displacement taken afresh.
  int dx = 0, dy = 0;
  Inquire_Prop_Sheet_Displacement(&dx, &dy);
  pxView(a->x1 + dx, a->y1 + dy, a->x2 + dx, a->y2 + dy);
  int bw = item->x2 - item->x1, bh = item->y2 - item->y1;
  pxDrawPartialTransparentDIB(item->text, image * bw, item->option, (image + 1) * bw - 1, item->option + bh - 1,
                              f.X(item->x1), f.Y(item->y1), f.X(item->x2) - 1, f.Y(item->y2) - 1, kBitmapMode, -1,
                              r, gr, b);
  pxView(s.saved_clip[0], s.saved_clip[1], s.saved_clip[2], s.saved_clip[3]);
}

int Handle_View_Area_Event(int area) {
  SCROLLABLE_VIEW_AREA *a = View_Event_Area(area);
  if (!a) return 0;
  if (M_LEFT == 0) Run_View_Area_Hover(area);
  if (getkeymask() == 1) return 0;
  if (M_LEFT == 0) return _Short_Keys(a);

  VIEW_EVENT_FRAME f;
  View_Event_Frame(a, &f);
  // Every click in the area takes away the selection of its list rows.
  int changed = 0;
  for (VIEW_ITEM *item = a->first_item; item; item = item->next) {
    if (item->kind != VIEW_LIST_ROW || !item->target_ptr) continue;
    int *target = static_cast<int *>(item->target_ptr);
    if (*target != 0) {
      *target = 0;
      changed = 1;
    }
  }
  int mx = M_XPOS, my = M_YPOS;
  VIEW_ITEM *hit = a->first_item;
  while (hit && !_Hits(f, hit, mx, my)) hit = hit->next;
  // A choice without entries takes the click but opens nothing.
  if (!hit || !_Has_Entries(hit)) {
    if (changed) _Repaint(a, f);
    _Wait_for_Release();
    return changed;
  }
  switch (hit->kind) {
    case VIEW_CHECK_BOX:
    case VIEW_RADIO_BUTTON:
      if (hit->value_ptr) {
        if (hit->kind == VIEW_CHECK_BOX)
          *hit->value_ptr = *hit->value_ptr == 0 ? 1 : 0;
        else
          *hit->value_ptr = hit->option;
        if (hit->change_fn.on_int) hit->change_fn.on_int(*hit->value_ptr);
      }
      _Repaint(a, f);
      _Wait_for_Release();
      return 1;
    case VIEW_LIST_ROW:
    case VIEW_CLICK_SPOT:
      if (hit->target_ptr) *static_cast<int *>(hit->target_ptr) = View_Item_Click_Value(hit);
      _Repaint(a, f);
      _Wait_for_Release();
      return 1;
    case VIEW_BITMAP_BUTTON: _Press_Bitmap_Button(a, f, hit); return 1;
    case VIEW_TEXT_BOX: Run_Text_Box_Focus_Loop(area, hit); return 1;
    default: return _Field_Chain(a, f, hit);
  }
}

void Set_View_Area_Scroll_Fraction(int area, double fx, double fy) {
  SCROLLABLE_VIEW_AREA *a = View_Event_Area(area);
  if (!a) return;
  if (fx >= 0 && a->hslider) {
    int range = std::max(a->content_width - (a->x2 - a->x1), 0);
    a->scroll_x = static_cast<int>(range * std::min(fx, 1.0));
  }
  if (fy >= 0 && a->vslider) {
    int range = std::max(a->content_height - (a->y2 - a->y1), 0);
    a->scroll_y = static_cast<int>(range * std::min(fy, 1.0));
  }
}

void Get_View_Area_Scroll_Fraction(int area, double *fx, double *fy) {
  SCROLLABLE_VIEW_AREA *a = View_Event_Area(area);
  if (!a) return;
  int range_x = a->content_width - (a->x2 - a->x1);
  int range_y = a->content_height - (a->y2 - a->y1);
  if (fx) *fx = a->hslider && range_x > 0 ? static_cast<double>(a->scroll_x) / range_x : 0.0;
  if (fy) *fy = a->vslider && range_y > 0 ? static_cast<double>(a->scroll_y) / range_y : 0.0;
}

void Scroll_View_Area_by(int area, int *dx, int *dy) {
  SCROLLABLE_VIEW_AREA *a = View_Event_Area(area);
  if (!a) return;
  Inquire_Scrollable_Area_PS(a->handle, &a->scroll_x, &a->scroll_y);
  // Moves one axis by *d within 0..limit; *d comes back as the move made.
  auto move = [](int *scroll, int *d, int limit) {
    if (!d) return;
    *scroll += *d;
    if (*scroll < 0) {
      *d -= *scroll;
      *scroll = 0;
    } else if (*scroll > limit) {
      // A content smaller than the area has no range: the offset stays at 0.
      int to = std::max(limit, 0);
      *d -= *scroll - to;
      *scroll = to;
    }
  };
  if (a->hslider) move(&a->scroll_x, dx, a->content_width - (a->x2 - a->x1));
  if (a->vslider) move(&a->scroll_y, dy, a->content_height - (a->y2 - a->y1));
}

void Inquire_View_Area_Scroll(int area, int *sx, int *sy) {
  if (SCROLLABLE_VIEW_AREA *a = View_Event_Area(area)) Inquire_Scrollable_Area_PS(a->handle, sx, sy);
}

void Read_Back_View_Area_Scroll(int area) {
  if (SCROLLABLE_VIEW_AREA *a = View_Event_Area(area)) Inquire_Scrollable_Area_PS(a->handle, &a->scroll_x, &a->scroll_y);
}

void Get_View_Area_Screen_Origin(int area, int *x, int *y) {
  SCROLLABLE_VIEW_AREA *a = View_Event_Area(area);
  if (!a) return;
  int dx = 0, dy = 0;
  Inquire_Prop_Sheet_Displacement(&dx, &dy);
  if (x) *x = a->x1 + dx;
  if (y) *y = a->y1 + dy;
}

void Get_View_Area_Visible_Size(int area, int *w, int *h) {
  SCROLLABLE_VIEW_AREA *a = View_Event_Area(area);
  if (!a) return;
  if (w) *w = a->x2 - a->x1;
  if (h) *h = a->y2 - a->y1;
}

void Get_View_Area_Content_Size(int area, int *w, int *h) {
  SCROLLABLE_VIEW_AREA *a = View_Event_Area(area);
  if (!a) return;
  if (w) *w = a->content_width;
  if (h) *h = a->content_height;
}

void Set_View_Area_Hover_Rectangle(int area, int x1, int y1, int x2, int y2) {
  SCROLLABLE_VIEW_AREA *a = View_Event_Area(area);
  if (!a) return;
  a->hover_rect_on = 1;
  a->hover_x1 = x1;
  a->hover_y1 = y1;
  a->hover_x2 = x2;
  a->hover_y2 = y2;
}

void Wait_on_View_Area(int area) {
  if (View_Event_Area(area)) Run_View_Area_Hover(area);
}

void Scroll_View_Area_to_Rectangle(int area, int x1, int y1, int x2, int y2) {
  SCROLLABLE_VIEW_AREA *a = View_Event_Area(area);
  if (!a) return;
  int vw = a->x2 - a->x1, vh = a->y2 - a->y1;
  int cw = a->content_width, ch = a->content_height;
  int sx = a->scroll_x, sy = a->scroll_y;
  int tx = std::max(x1, 0), ty = std::max(y1, 0);
  int rx = std::min(x2, cw), ry = std::min(y2, ch);
  if (tx >= sx && rx <= sx + vw && ty >= sy && ry <= sy + vh) return;  // already in view
  // The right (lower) end meets the far edge when the rectangle lies beyond the view and
  // fits; otherwise its left (upper) end meets the near edge.
  if (sx <= tx && rx - tx < vw) tx = rx - vw;
  if (sy <= ty && ry - ty < vh) ty = ry - vh;
  // Never past the content's end, and never before its start (content narrower or lower
  // than the view has no range at all).
  if (tx > cw - vw) tx = cw - vw;
  if (ty > ch - vh) ty = ch - vh;
  tx = std::max(tx, 0);
  ty = std::max(ty, 0);
  for (int k = 1; k <= 10; ++k) {
    a->scroll_x = sx + k * (tx - sx) / 10;
    a->scroll_y = sy + k * (ty - sy) / 10;
    Resize_Origin_of_Scrollable_Area_PS(a->handle, cw, ch);
    Set_Scrollable_Area_PS(a->handle, a->scroll_x, a->scroll_y);
    Inquire_Scrollable_Area_PS(a->handle, &a->scroll_x, &a->scroll_y);
    _Update_Sliders(a);
    Change_Activity_PS(a->handle, 1);
    YRMSleep(30);
  }
}
