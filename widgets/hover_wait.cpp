// The hover wait of a view area: while the pointer rests over the area with the left button
// up, bitmap buttons show their hover image and cursor, buttons and click spots their hover
// texts; the wait ends on whatever the event handler or the caller must see.
#include "host/host.h"
#include "host/host_screen.h"
#include "widgets/view_events.h"
#include "widgets/view_events_internal.h"
#include "widgets/widgets.h"
#include "widgets/widgets_internal.h"

namespace {

constexpr int kHoverMask = 0x94022;  // pointer, press, wheel, key and system events
constexpr int kWaitLimitMs = 100;    // wait limit while the area has a wait flag

// One wait over one area.
struct HoverWait {
  SCROLLABLE_VIEW_AREA *area;
  VIEW_EVENT_FRAME frame;
  int h[4];  // hover rectangle H (screen pixels)
  int mask;
  YRMMESSAGE record;
};

bool _Inside(int x, int y, int x1, int y1, int x2, int y2) { return x1 <= x && x <= x2 && y1 <= y && y <= y2; }

bool _Flag_Set(const HoverWait &w) { return w.area->wait_flag && *w.area->wait_flag != 0; }

// A short key waits whose switch is on (the key is not taken).
bool _Short_Key_Waiting() {
  if (!View_Area_Any_Short_Key()) return false;
  int k = hitkey();
  if (k == -1) return false;
  const VIEW_AREA_SHORT_KEYS *keys = View_Area_Short_Keys();
  return (k == 27 && keys->UseSheetBreakShortKey) || (k == 13 && keys->UseSheetOkShortKey) ||
         (k == 315 && keys->UseSheetHelpShortKey);
}

// The end conditions after a message; the pointer leaving H counts only with_h.
bool _Ends(const HoverWait &w, bool with_h) {
  const SCROLLABLE_VIEW_AREA *a = w.area;
  if (M_LEFT) return true;
  if (with_h && !_Inside(M_XPOS, M_YPOS, w.h[0], w.h[1], w.h[2], w.h[3])) return true;
  if (M_SCROLL) return true;
  if (getkeymask() == 1) return true;
  if (a->key_events && hitkey() != -1) return true;
  if (a->right_button_events && M_RIGHT) return true;
  return _Short_Key_Waiting();
}

// Items that take part: active bitmap buttons, click spots with a cursor or a hover text.
bool _Takes_Part(const VIEW_ITEM *item) {
  if (item->kind == VIEW_BITMAP_BUTTON) return View_Item_Active(item);
  if (item->kind == VIEW_CLICK_SPOT) return item->option != 0 || item->text;
  return false;
}

bool _On_Item(const HoverWait &w, const VIEW_ITEM *item) {
  const VIEW_EVENT_FRAME &f = w.frame;
  return _Inside(M_XPOS, M_YPOS, f.X(item->x1), f.Y(item->y1), f.X(item->x2), f.Y(item->y2));
}

void _Remove_Hover_Text() {
  VIEW_HOVER_STATE *h = View_Hover_State();
  if (!h->shown) return;
  Restore_Screen_Rectangle(h->box_x1, h->box_y1, h->box_x2, h->box_y2);
  h->shown = 0;
}

// Hover of one item under the pointer: its look until the pointer leaves it or the area or
// the wait must end, then the normal look again. Returns true when the wait must end.
bool _Hover_Item(HoverWait &w, VIEW_ITEM *item) {
  const bool button = item->kind == VIEW_BITMAP_BUTTON;
  const char *hover_text = button ? item->text2 : item->text;
  if (button) {
    Draw_View_Button_Image(w.area, w.frame, item, 2);
    if (item->colour) setMouseCursor(item->colour);
  } else if (item->option) {
    setMouseCursor(item->option);
  }
  if (hover_text) {
    Ensure_View_Hover_Colours();
    Draw_Hover_Text(hover_text);
  }
  const VIEW_EVENT_FRAME &f = w.frame;
  bool ends = false;
  do {
    GetYRMMessage(w.mask, &w.record);
    ends = _Flag_Set(w) || _Ends(w, false);
  } while (!ends && _On_Item(w, item) && _Inside(M_XPOS, M_YPOS, f.ax1, f.ay1, f.ax2, f.ay2));
  if (hover_text) _Remove_Hover_Text();
  if (button) {
    Draw_View_Button_Image(w.area, w.frame, item, 1);
    if (item->colour) setMouseCursor(0);
  } else if (item->option) {
    setMouseCursor(0);
  }
  // A click, a key or the wheel that ended the hover ends the wait as well: the event
  // handler must still see the pressed button.
  return ends || !_Inside(M_XPOS, M_YPOS, w.h[0], w.h[1], w.h[2], w.h[3]);
}

}  // namespace

void Run_View_Area_Hover(int area) {
  SCROLLABLE_VIEW_AREA *a = View_Event_Area(area);
  if (!a) return;
  HoverWait w{};
  w.area = a;
  InitYRMMessage(&w.record);
  if (a->wait_flag) w.record.limit_ms = kWaitLimitMs;
  View_Event_Frame(a, &w.frame);
  const VIEW_EVENT_FRAME &f = w.frame;
  if (a->hover_rect_on) {
    w.h[0] = f.X(a->hover_x1), w.h[1] = f.Y(a->hover_y1), w.h[2] = f.X(a->hover_x2), w.h[3] = f.Y(a->hover_y2);
  } else {
    w.h[0] = f.ax1, w.h[1] = f.ay1, w.h[2] = f.ax2, w.h[3] = f.ay2;
  }
  w.mask = kHoverMask;
  if (!a->key_events && !View_Area_Any_Short_Key()) w.mask &= ~YRM_KEY;
  if (a->right_button_events) w.mask |= YRM_RIGHT;
  if (a->wait_flag) w.mask |= YRM_LIMIT;
  for (;;) {
    if (_Flag_Set(w)) return;
    GetYRMMessage(w.mask, &w.record);
    if (_Ends(w, true)) return;
    for (VIEW_ITEM *item = a->first_item; item; item = item->next) {
      if (!_Takes_Part(item) || !_On_Item(w, item)) continue;
      if (_Hover_Item(w, item)) return;
    }
  }
}
