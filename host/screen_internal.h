// host/screen_internal.h — the screen layer's module state, shared by its source files
// (canvas, glyphs, bitmaps, input, sheets, services) and read by the test harness.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/host_screen.h"

namespace host_screen {

struct Bitmap {
  int w = 0, h = 0;
  std::vector<uint8_t> rgb;  // 3 bytes per pixel, top row first
};

struct SavedRect {
  int x1, y1, x2, y2;
  std::vector<uint8_t> pixels;
};

// A scripted input event; applied when the clock reaches `due`.
struct ScriptEvent {
  enum Kind { MOVE, PRESS_LEFT, RELEASE_LEFT, PRESS_RIGHT, RELEASE_RIGHT, WHEEL, KEY, ABORT } kind;
  double due;
  int a, b;  // x, y of a move; turns of a wheel; code of a key
};

struct Key {
  int code;
  bool reported;  // ended a wait holding YRM_KEY already
};

enum ItemKind {
  ITEM_ESCAPE, ITEM_TEXT, ITEM_TEXT_BUTTON, ITEM_IMAGE_BUTTON, ITEM_SINGLE_BUTTON, ITEM_HELP,
  ITEM_RADIO, ITEM_FLOAT, ITEM_REGISTER, ITEM_MEMBER, ITEM_AREA, ITEM_VSLIDER, ITEM_HSLIDER
};

struct Item {
  int handle = 0;
  ItemKind kind = ITEM_TEXT;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // sheet coordinates, inclusive
  int code = 0;
  int state = 1;         // 1 active, -1 greyed, 0 inactive (Change_Activity_PS)
  int action_state = 1;  // Change_Action_State_PS
  int frame = 1;         // buttons: framed until Reset_Button_Frame; areas: frame flag
  int snap = 0;
  int move_event = 0;    // escape areas: a move inside reports the code
  std::string text, comment, bitmap, format;
  int font = 0x1000;
  int image = 0;
  int value = 0;  // radio: its value; register member: its number from 1
  int *target = nullptr;
  double *dvalue = nullptr;
  int chars = 0;
  int tx = 0, ty = 0;  // radio: text position
  // scrollable area
  SCROLL_AREA_DRAW_FN draw = nullptr;
  void *record = nullptr;
  int content_w = 0, content_h = 0, scroll_x = 0, scroll_y = 0;
  int vslider = 0, hslider = 0;
  // slider / register member: the handle of the area / register
  int parent = 0;
  double step = 0.1;
  // register
  int tab_bottom = 0, selected = 0, members = 0;
};

struct Sheet {
  int x1, y1, x2, y2;
  int movable, mode, number, flags;
  std::string title;
  bool framed = true;
  bool activated = false;
  bool float_auto = false;
  int dx = 0, dy = 0;
  int click_outside = 0;
  std::vector<Item> items;
  SavedRect under;  // screen under the sheet, put back by Undefine_Prop_Sheet
  bool saved = false;
};

struct ScreenState {
  bool ready = false;
  // canvas
  int w = 1280, h = 1024;
  std::vector<uint8_t> pixels;
  uint8_t palette[256][3] = {};
  int palette_count = 0;
  int fg = BLACK_CI, bg = WHITE_CI;
  int clip[4] = {0, 0, 1279, 1023};
  uint32_t line_pattern = 0xFFFFFFFFu;
  bool fill_pattern_on = false;
  uint16_t fill_pattern[16] = {};
  int bop = 0;
  int buffer_mode = -1;
  double char_height = 12.0, expansion = 1.0, spacing = 0.1, orientation = 0.0;
  std::vector<SavedRect> saved;
  // bitmaps
  std::string bitmap_dir;
  std::map<std::string, Bitmap> bitmaps;  // by lower-case name
  std::vector<std::string> missing_bitmaps;
  // call trace; a fuzz target that never reads it switches it off
  std::vector<std::string> trace;
  bool trace_on = true;
  // input device and script
  int dev_x = 0, dev_y = 0, dev_left = 0, dev_right = 0, dev_wheel = 0;
  std::deque<ScriptEvent> script;
  double script_cursor = 0.0;
  std::deque<Key> keys;
  int keymask = 0;
  int wheel_on = 0;
  int timer_on = 0;
  double timer_start = 0.0;
  double last_tick = 0.0;
  bool soft_policy = false;
  bool strict_policy = false;  // set by the test harness: fail instead of unwinding
  int polls = 0;               // polls without an event (hitkey, Get_Mouse_Event)
  bool replay_press = false;   // a press left by a short editor for Edit_Prop_Sheet
  const char *waiting_in = "GetYRMMessage";  // the blocking host call that waits, for messages
  int cursor = 0;
  int saved_mouse[2] = {0, 0};
  int restriction_base[4] = {0, 0, 1279, 1023};
  std::vector<std::vector<int>> restrictions;
  // services
  std::string clipboard;
  bool clipboard_raw = false;  // hand the clipboard text over unconverted (test hook)
  std::map<std::string, std::string> settings;
  int min_max[4] = {0, 0, 0, 0};
  // sheets
  std::vector<Sheet> sheets;
  Item discarded;  // what an Add_ operation without a sheet fills
  int next_handle = 1;
  int last_dx = 0, last_dy = 0;
  bool next_no_frame = false;
  bool next_float_auto = false;
  int screen_base[4] = {0, 0, 0, 0};
  int test_dx = 0, test_dy = 0;
  void (*call_always)() = nullptr;
  int call_always_on = 0;
  int call_always_depth = -1;  // sheets open when it was defined: dropped with that sheet
  int short_scroll_capacity = 0;
  std::vector<std::string> help_requests;
};

ScreenState &S();  // the state, the canvas made on first use
// Back to program start; Host_Reset calls it before the resets modules registered, so that
// they may use the screen again.
void Reset_Screen_Layer();

// Appends "name(args)" to the call trace.
void Trace(const char *name, const char *fmt = nullptr, ...) __attribute__((format(printf, 2, 3)));
std::string Last_Calls(int n);

// canvas helpers (screen pixels, clipped)
void Put(int x, int y);  // one pixel in the foreground colour, clip and XOR applied
void Put_Index(int x, int y, int index);  // raw, clipped to the screen only
int Get_Index(int x, int y);
void Fill_Span(int x1, int x2, int y);  // a filled row, fill pattern applied
void Draw_Raster_Text(int x, int y, const char *text, int len, int turn);  // nothing far off the screen
bool Near(int64_t x, int64_t y);  // |x|, |y| below 2^28: safe to draw around
int Text_Width(int len);

// The host's drawing of its own (sheets, editors, menus): the whole screen in copy mode; the
// caller's colour, clip rectangle and drawing operation come back at the end of the scope.
struct Own_Drawing {
  int fg, clip[4], bop;
  Own_Drawing();
  ~Own_Drawing();
  Own_Drawing(const Own_Drawing &) = delete;
  Own_Drawing &operator=(const Own_Drawing &) = delete;
};
// Fills the rectangle in a palette index (clip and XOR applied, no fill pattern).
void Fill_Rect(int x1, int y1, int x2, int y2, int index);

// input helpers
// Waits as GetYRMMessage does (limit_ms < 0: no limit) and returns the kinds.
int Wait_Event(int mask, int limit_ms);
void Copy_Device_To_Globals();
// The script ran out in a blocking call: the test fails (strict) or the soft policy applies.
void Script_Exhausted(const char *where);
// Names the blocking host call for the time of a scope (nested calls name the innermost).
struct Waiting_In {
  const char *outer;
  explicit Waiting_In(const char *name);
  ~Waiting_In();
  Waiting_In(const Waiting_In &) = delete;
  Waiting_In &operator=(const Waiting_In &) = delete;
};
void Reset_Input();

// sheets helpers
Sheet *Top_Sheet();
Item *Find_Item(int handle);

}  // namespace host_screen
