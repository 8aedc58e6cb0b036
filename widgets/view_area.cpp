// Scrollable view areas: the table of 20 areas, their creation on a host sheet, their
// options, their scroll offset across a rebuild, and their release.
#include <cstdio>

#include "host/host.h"
#include "host/host_screen.h"
#include "widgets/widgets.h"
#include "widgets/widgets_internal.h"

namespace {

// Setting names of the four short-key switches, in the order of VIEW_AREA_SHORT_KEYS.
constexpr const char *kShortKeyNames[4] = {"UseSheetBreakShortKey", "UseSheetOkShortKey",
                                           "UseSheetHelpShortKey", "UseSheetJumpShortKey"};

struct ViewAreaState {
  SCROLLABLE_VIEW_AREA areas[VIEW_AREA_COUNT];
  int default_background;
  int defaults_known;          // creation computed the default background and read the settings
  int reserve_default_known;   // the reservation computed its default background
  VIEW_AREA_SHORT_KEYS keys;
  bool reset_registered;
};

// Program start: every slot free.
constexpr ViewAreaState _Initial_State() {
  ViewAreaState s{};
  for (auto &a : s.areas) a.handle = VIEW_AREA_FREE;
  return s;
}

constinit ViewAreaState g = _Initial_State();

void Reset_State() {
  // Items are owned by the table: free them before forgetting the table.
  for (int i = 0; i < VIEW_AREA_COUNT; ++i)
    if (g.areas[i].handle >= 0) View_Items_Release(&g.areas[i]);
  bool registered = g.reset_registered;
  g = _Initial_State();
  g.reset_registered = registered;
}

// The module's table; joins the host's reset on first use.
ViewAreaState &_State() {
  if (!g.reset_registered) {
    g.reset_registered = true;
    Host_Register_Reset(&Reset_View_Areas_For_Tests);
  }
  return g;
}

// A reserved slot has no host area yet: host calls are made only for a placed one.
bool _On_Sheet(const SCROLLABLE_VIEW_AREA *a) { return a->handle != VIEW_AREA_RESERVED; }

SCROLLABLE_VIEW_AREA *_Placed_or_Reserved(int area) {
  if (area < 0 || area >= VIEW_AREA_COUNT) return nullptr;
  SCROLLABLE_VIEW_AREA *a = &_State().areas[area];
  return a->handle >= 0 ? a : nullptr;
}

// Lowest free slot, or -1 with the console message.
int _Take_Free_Slot() {
  ViewAreaState &s = _State();
  for (int i = 0; i < VIEW_AREA_COUNT; ++i)
    if (s.areas[i].handle < 0) return i;
  std::printf("maximale Anzahl Scrollable_View_Areas erreicht\n");
  std::fflush(stdout);
  return -1;
}

// The creation defaults of every field but the rectangle and the host handles.
void _Set_Creation_Defaults(SCROLLABLE_VIEW_AREA *a, int background) {
  a->content_width = a->content_height = 0;
  a->scroll_x = a->scroll_y = 0;
  a->background = background;
  a->first_item = a->last_item = nullptr;
  a->active = 1;
  a->key_events = 0;
  a->right_button_events = 0;
  a->frame = 1;
  a->hover_rect_on = 0;
  a->wait_flag = nullptr;
  a->break_value = a->ok_value = a->help_value = 0;
  a->break_target = a->ok_target = a->help_target = nullptr;
}

void _Read_Short_Key_Settings(VIEW_AREA_SHORT_KEYS *keys) {
  int *switches[4] = {&keys->UseSheetBreakShortKey, &keys->UseSheetOkShortKey, &keys->UseSheetHelpShortKey,
                      &keys->UseSheetJumpShortKey};
  for (int i = 0; i < 4; ++i) {
    char buffer[32] = {0};
    int value = 0;
    if (YRMGetUserString(kShortKeyNames[i], buffer, 21) && std::sscanf(buffer, "%d", &value) == 1)
      *switches[i] = value;
  }
}

// Steps shared by creation and placing: the slider strips, the host area and sliders.
void _Place_on_Sheet(SCROLLABLE_VIEW_AREA *a, int x1, int y1, int x2, int y2, int horizontal_slider,
                     int vertical_slider) {
  if (vertical_slider) x2 -= VIEW_AREA_SLIDER_WIDTH;
  if (horizontal_slider) y2 -= VIEW_AREA_SLIDER_WIDTH;
  a->x1 = x1;
  a->y1 = y1;
  a->x2 = x2;
  a->y2 = y2;
  a->handle = Add_Scrollable_Area_to_PS(x1, y1, x2, y2, 1, 0, 10, 10, &View_Area_Draw_Callback, a, 1);
  a->vslider = 0;
  a->hslider = 0;
  if (vertical_slider) {
    a->vslider = Add_VSlider_to_Scrollable_Area(a->handle, 5, 10, -1, 0);
    Set_VSlider_Speed(a->vslider, 0.1, 0.0);
  }
  if (horizontal_slider) {
    a->hslider = Add_HSlider_to_Scrollable_Area(a->handle, 5, 10, -1, 0);
    Set_HSlider_Speed(a->hslider, 0.1, 0.0);
  }
}

// Slider activity by whether the content exceeds the visible size.
void _Update_Sliders(const SCROLLABLE_VIEW_AREA *a) {
  if (a->vslider) Change_Activity_PS(a->vslider, a->content_height > a->y2 - a->y1 ? 1 : -1);
  if (a->hslider) Change_Activity_PS(a->hslider, a->content_width > a->x2 - a->x1 ? 1 : -1);
}

void _Read_Back_Scroll(SCROLLABLE_VIEW_AREA *a) {
  if (a->active && _On_Sheet(a)) Inquire_Scrollable_Area_PS(a->handle, &a->scroll_x, &a->scroll_y);
}

}  // namespace

void Reset_View_Areas_For_Tests() { Reset_State(); }

SCROLLABLE_VIEW_AREA *View_Area_Slot_for_Tests(int area) {
  if (area < 0 || area >= VIEW_AREA_COUNT) return nullptr;
  return &_State().areas[area];
}

int View_Area_Content_to_Screen(int area, int x, int y, int *screen_x, int *screen_y) {
  SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area);
  if (!a || !_On_Sheet(a)) return 0;
  int dx = 0, dy = 0, sx = 0, sy = 0;
  Inquire_Prop_Sheet_Displacement(&dx, &dy);
  Inquire_Scrollable_Area_PS(a->handle, &sx, &sy);
  if (screen_x) *screen_x = a->x1 + dx + x - sx;
  if (screen_y) *screen_y = a->y1 + dy + y - sy;
  return 1;
}

const VIEW_AREA_SHORT_KEYS *View_Area_Short_Keys() { return &_State().keys; }

int View_Area_Any_Short_Key() {
  const VIEW_AREA_SHORT_KEYS &k = _State().keys;
  return k.UseSheetBreakShortKey || k.UseSheetOkShortKey || k.UseSheetHelpShortKey || k.UseSheetJumpShortKey;
}

SCROLLABLE_VIEW_AREA *Get_Scrollable_View_Area(int area) { return _Placed_or_Reserved(area); }

int Create_Scrollable_View_Area(int x1, int y1, int x2, int y2, int horizontal_slider, int vertical_slider) {
  ViewAreaState &s = _State();
  if (!s.defaults_known) {
    s.default_background = Nearest_Color_Index(255, 251, 240);
    _Read_Short_Key_Settings(&s.keys);
    s.defaults_known = 1;
  }
  int index = _Take_Free_Slot();
  if (index < 0) return -1;
  SCROLLABLE_VIEW_AREA *a = &s.areas[index];
  _Set_Creation_Defaults(a, s.default_background);
  _Place_on_Sheet(a, x1, y1, x2, y2, horizontal_slider, vertical_slider);
  return index;
}

int Reserve_Scrollable_View_Area() {
  ViewAreaState &s = _State();
  if (!s.reserve_default_known) {
    s.default_background = Nearest_Color_Index(255, 251, 240);
    s.reserve_default_known = 1;
  }
  int index = _Take_Free_Slot();
  if (index < 0) return -1;
  SCROLLABLE_VIEW_AREA *a = &s.areas[index];
  // A slot may hold values of an earlier use: give it every creation default.
  _Set_Creation_Defaults(a, s.default_background);
  a->x1 = a->y1 = a->x2 = a->y2 = 0;
  a->vslider = a->hslider = 0;
  a->active = 0;
  a->handle = VIEW_AREA_RESERVED;
  return index;
}

void Place_Reserved_View_Area(int area, int x1, int y1, int x2, int y2, int horizontal_slider,
                              int vertical_slider) {
  SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area);
  if (!a || a->handle != VIEW_AREA_RESERVED) return;
  // The reservation gave the slot every creation default; what was set or added since
  // belongs to this use and stays.
  _Place_on_Sheet(a, x1, y1, x2, y2, horizontal_slider, vertical_slider);
  a->active = 1;
}

void Set_View_Area_Background(int area, int colour_index) {
  if (SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area)) a->background = colour_index;
}

int Get_View_Area_Background(int area) {
  const SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area);
  return a ? a->background : -1;
}

void Set_View_Area_Frame(int area, int flag) {
  SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area);
  if (!a) return;
  a->frame = flag;
  if (_On_Sheet(a)) Set_Scrollable_Area_PS_Frameflag(a->handle, flag);
}

void Set_View_Area_Key_Events(int area, int value) {
  if (SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area)) a->key_events = value;
}

void Set_View_Area_Right_Button_Events(int area, int value) {
  if (SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area)) a->right_button_events = value;
}

void Set_View_Area_Wait_Timeout(int area, int *flag) {
  if (SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area)) a->wait_flag = flag;
}

void Set_View_Area_Break_Key_Target(int area, int value, int *target) {
  if (SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area)) {
    a->break_value = value;
    a->break_target = target;
  }
}

void Set_View_Area_Ok_Key_Target(int area, int value, int *target) {
  if (SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area)) {
    a->ok_value = value;
    a->ok_target = target;
  }
}

void Set_View_Area_Help_Key_Target(int area, int value, int *target) {
  if (SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area)) {
    a->help_value = value;
    a->help_target = target;
  }
}

void Update_View_Area_Scrolling(int area) {
  SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area);
  if (!a || !_On_Sheet(a)) return;
  Resize_Origin_of_Scrollable_Area_PS(a->handle, a->content_width, a->content_height);
  Set_Scrollable_Area_PS(a->handle, a->scroll_x, a->scroll_y);
  Inquire_Scrollable_Area_PS(a->handle, &a->scroll_x, &a->scroll_y);
  _Update_Sliders(a);
  Change_Activity_PS(a->handle, 1);
}

void Clear_View_Area_Items(int area) {
  SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area);
  if (!a) return;
  _Read_Back_Scroll(a);
  Free_View_Area_Items(area);
}

void Remove_Scrollable_View_Area(int area) {
  SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area);
  if (!a) return;
  Clear_View_Area_Items(area);
  a->handle = VIEW_AREA_FREE;
}

void Remove_All_View_Areas() {
  ViewAreaState &s = _State();
  for (int i = 0; i < VIEW_AREA_COUNT; ++i) {
    SCROLLABLE_VIEW_AREA *a = &s.areas[i];
    if (a->handle >= 0) {
      _Read_Back_Scroll(a);
      Free_View_Area_Items(i);
    }
    a->handle = VIEW_AREA_FREE;
  }
}

void Reshape_View_Area(int area, int x1, int y1, int x2, int y2) {
  SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area);
  if (!a) return;
  if (_On_Sheet(a)) Reshape_Scrollable_Area_PS(a->handle, x1, y1, x2, y2, 5, 10, 5, 10);
  int dx = 0, dy = 0;
  Inquire_Prop_Sheet_Displacement(&dx, &dy);
  a->x1 = x1 - dx;
  a->y1 = y1 - dy;
  a->x2 = x2 - dx;
  a->y2 = y2 - dy;
}

void Set_View_Area_Activity(int area, int state) {
  SCROLLABLE_VIEW_AREA *a = _Placed_or_Reserved(area);
  if (!a || a->active == state) return;
  a->active = state;
  if (!_On_Sheet(a)) return;
  if (a->vslider) Change_Activity_PS(a->vslider, state);
  if (a->hslider) Change_Activity_PS(a->hslider, state);
  Change_Activity_PS(a->handle, state);
}

void View_Area_Draw_Callback(int, int scroll_x, int scroll_y, int x1, int y1, int x2, int y2, void *record) {
  auto *a = static_cast<SCROLLABLE_VIEW_AREA *>(record);
  // The host may still call the callback of a removed slot until its sheet goes away.
  if (!a || a->handle < 0 || a->active != 1) return;
  Draw_View_Area(scroll_x, scroll_y, x1, y1, x2, y2, a);
}
