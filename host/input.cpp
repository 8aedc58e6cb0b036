// Input: the device state, scripted events, waits, keys, the pointer and its restriction,
// the timer and sleeping; and the harness's script and policy calls.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <thread>

#define HOST_TEST_NO_GTEST
#include "host/host_test.h"
#include "host/screen_internal.h"

using namespace host_screen;

int M_LEFT = 0, M_RIGHT = 0, M_XPOS = 0, M_YPOS = 0, M_SCROLL = 0;

namespace {

constexpr int kPollLimit = 10000;
constexpr double kTickMs = 50.0;
constexpr double kNever = std::numeric_limits<double>::infinity();

double Now() { return Host_Clock_Ms(); }

// Moves the clock to t: the virtual clock jumps, the real one is slept through.
void Advance_To(double t) {
  double now = Now();
  if (!(t > now) || t == kNever) return;
  if (t - now > 0) {
    Host_Advance_Clock_Ms(t - now);
    if (Now() < t) std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(t - Now()));
  }
}

void Restrict(int &x, int &y) {
  ScreenState &s = S();
  const int *r = s.restrictions.empty() ? s.restriction_base : s.restrictions.back().data();
  x = std::clamp(x, std::min(r[0], r[2]), std::max(r[0], r[2]));
  y = std::clamp(y, std::min(r[1], r[3]), std::max(r[1], r[3]));
}

// Applies one event to the device state; returns its kinds.
int Apply(const ScriptEvent &e) {
  ScreenState &s = S();
  s.polls = 0;
  switch (e.kind) {
    case ScriptEvent::MOVE: {
      int x = e.a, y = e.b;
      Restrict(x, y);
      s.dev_x = x;
      s.dev_y = y;
      return YRM_POINTER;
    }
    case ScriptEvent::PRESS_LEFT: s.dev_left = 1; return YRM_LEFT_PRESS | YRM_POINTER;
    case ScriptEvent::RELEASE_LEFT: s.dev_left = 0; return YRM_LEFT_RELEASE | YRM_POINTER;
    case ScriptEvent::PRESS_RIGHT: s.dev_right = 1; return YRM_RIGHT | YRM_POINTER;
    case ScriptEvent::RELEASE_RIGHT: s.dev_right = 0; return YRM_RIGHT | YRM_POINTER;
    case ScriptEvent::WHEEL:
      if (!s.wheel_on) return 0;
      s.dev_wheel += e.a;
      return YRM_WHEEL;
    case ScriptEvent::KEY: s.keys.push_back({e.a, false}); return YRM_KEY;
    case ScriptEvent::ABORT: s.keymask = 1; return YRM_SYSTEM;
  }
  return 0;
}

double Next_Tick() {
  ScreenState &s = S();
  return s.timer_on ? s.last_tick + kTickMs : kNever;
}

void Add_Event(ScriptEvent::Kind kind, int a, int b) {
  ScreenState &s = S();
  s.script_cursor = std::max(s.script_cursor, Now());
  s.script.push_back({kind, s.script_cursor, a, b});
}

// The first key not yet reported, or null.
Key *Unreported_Key() {
  for (Key &k : S().keys)
    if (!k.reported) return &k;
  return nullptr;
}

void Count_Poll(const char *where) {
  ScreenState &s = S();
  if (++s.polls >= kPollLimit) {
    s.polls = 0;
    Script_Exhausted(where);
  }
}

void Fill_Record(YRMMESSAGE *record, int kinds) {
  if (!record) return;
  ScreenState &s = S();
  record->kinds = kinds;
  record->x = s.dev_x;
  record->y = s.dev_y;
  record->buttons = s.dev_left | s.dev_right << 1;
  record->wheel = M_SCROLL;
  record->key = s.keys.empty() ? 0 : s.keys.front().code;
  record->time_ms = int(Now());
}

}  // namespace

namespace host_screen {

void Reset_Input() {
  M_LEFT = M_RIGHT = M_XPOS = M_YPOS = M_SCROLL = 0;
}

void Copy_Device_To_Globals() {
  ScreenState &s = S();
  M_LEFT = s.dev_left;
  M_RIGHT = s.dev_right;
  M_XPOS = s.dev_x;
  M_YPOS = s.dev_y;
  if (s.dev_wheel) {
    M_SCROLL += s.dev_wheel;
    s.dev_wheel = 0;
  }
}

Waiting_In::Waiting_In(const char *name) : outer(S().waiting_in) { S().waiting_in = name; }
Waiting_In::~Waiting_In() { S().waiting_in = outer; }

void Script_Exhausted(const char *where) {
  ScreenState &s = S();
  if (s.strict_policy && !s.soft_policy)
    throw HostScriptExhausted(std::string("the input script ran out in ") + where +
                              "; the last host calls:\n" + Last_Calls(20));
  s.dev_left = s.dev_right = 0;
  s.keymask = 1;
  Copy_Device_To_Globals();
}

int Wait_Event(int mask, int limit_ms) {
  ScreenState &s = S();
  double deadline = limit_ms >= 0 ? Now() + limit_ms : kNever;
  for (;;) {
    if (mask & YRM_KEY) {
      if (Key *k = Unreported_Key()) {
        k->reported = true;
        Copy_Device_To_Globals();
        return YRM_KEY;
      }
    }
    double now = Now();
    if (!s.script.empty() && s.script.front().due <= now) {
      ScriptEvent e = s.script.front();
      s.script.pop_front();
      int kinds = Apply(e);
      if (kinds & mask) {
        if (kinds & YRM_KEY) {
          if (Key *k = Unreported_Key()) k->reported = true;
        }
        Copy_Device_To_Globals();
        return kinds;
      }
      if (e.kind == ScriptEvent::ABORT) {  // an abort ends every wait
        Copy_Device_To_Globals();
        return YRM_SYSTEM;
      }
      continue;
    }
    double t_event = s.script.empty() ? kNever : s.script.front().due;
    double t_tick = Next_Tick(), t = std::min({t_event, t_tick, deadline});
    if (t == kNever) {
      Script_Exhausted((std::string("a wait without limit in ") + s.waiting_in).c_str());
      return 0;
    }
    if (t_event <= t_tick && t_event <= deadline) {
      Advance_To(t_event);
      continue;
    }
    Advance_To(t);
    // a loop of limited waits on an empty script is a loop of polls
    if (s.script.empty())
      Count_Poll((std::string("waits ended by their limit or the timer in ") + s.waiting_in).c_str());
    if (t_tick <= deadline) {
      double n = std::floor((Now() - s.timer_start) / kTickMs);
      s.last_tick = std::max(s.timer_start + n * kTickMs, t_tick);
      Copy_Device_To_Globals();
      return YRM_SYSTEM;
    }
    Copy_Device_To_Globals();
    return 0;
  }
}

}  // namespace host_screen

// ---------------------------------------------------------------- the host's input calls

void InitYRMMessage(YRMMESSAGE *record) {
  if (record) *record = YRMMESSAGE{};
}

int GetYRMMessage(int mask, YRMMESSAGE *record) {
  S();
  Waiting_In waiting("GetYRMMessage");
  int limit = -1;
  if (mask & YRM_LIMIT) limit = record ? std::max(record->limit_ms, 0) : 0;
  int kinds = Wait_Event(mask & ~YRM_LIMIT, limit);
  Trace("GetYRMMessage", "0x%x,%d -> 0x%x", mask, limit, kinds);
  Fill_Record(record, kinds);
  return kinds;
}

int Get_Mouse_Event() {
  ScreenState &s = S();
  Advance_To(Now() + 10);
  int kinds = 0;
  bool applied = false;
  while (!s.script.empty() && s.script.front().due <= Now()) {
    ScriptEvent e = s.script.front();
    s.script.pop_front();
    int k = Apply(e);
    kinds |= k;
    applied = true;
    if (k & YRM_POINTER) break;
  }
  if (!applied) Count_Poll("Get_Mouse_Event");
  Copy_Device_To_Globals();
  return kinds;
}

void Set_MouseWheel_Activity(int on) {
  S().wheel_on = on;
  Trace("Set_MouseWheel_Activity", "%d", on);
}

int hitkey() {
  ScreenState &s = S();
  if (s.keys.empty()) {
    Count_Poll("hitkey");
    return -1;
  }
  return s.keys.front().code;
}

int getkey() {
  ScreenState &s = S();
  if (s.keys.empty()) {
    Count_Poll("getkey");
    return -1;
  }
  int code = s.keys.front().code;
  s.keys.pop_front();
  Trace("getkey", "%d", code);
  return code;
}

int getkeymask() { return S().keymask; }

void msStCu(int x, int y) {
  ScreenState &s = S();
  Trace("msStCu", "%d,%d", x, y);
  Restrict(x, y);
  s.dev_x = M_XPOS = x;
  s.dev_y = M_YPOS = y;
}

int msStat(int *x, int *y) {
  ScreenState &s = S();
  if (x) *x = s.dev_x;
  if (y) *y = s.dev_y;
  return s.dev_left | s.dev_right << 1;
}

void setMouseCursor(int id) {
  S().cursor = id;
  Trace("setMouseCursor", "%d", id);
}

void Save_Mouse_Position() {
  ScreenState &s = S();
  Trace("Save_Mouse_Position", "%d,%d", s.dev_x, s.dev_y);
  s.saved_mouse[0] = s.dev_x;
  s.saved_mouse[1] = s.dev_y;
}

void Restore_Mouse_Position() {
  ScreenState &s = S();
  Trace("Restore_Mouse_Position", "%d,%d", s.saved_mouse[0], s.saved_mouse[1]);
  s.dev_x = M_XPOS = s.saved_mouse[0];
  s.dev_y = M_YPOS = s.saved_mouse[1];
}

void Init_Mouse_Move_Restriction(int x1, int y1, int x2, int y2) {
  ScreenState &s = S();
  Trace("Init_Mouse_Move_Restriction", "%d,%d,%d,%d", x1, y1, x2, y2);
  const int r[4] = {x1, y1, x2, y2};
  std::copy(r, r + 4, s.restriction_base);
  s.restrictions.clear();
}

void Pop_Mouse_Move_Restriction(int x1, int y1, int x2, int y2) {
  Trace("Pop_Mouse_Move_Restriction", "%d,%d,%d,%d", x1, y1, x2, y2);
  S().restrictions.push_back({x1, y1, x2, y2});
}

void Push_Mouse_Move_Restriction() {
  ScreenState &s = S();
  Trace("Push_Mouse_Move_Restriction");
  if (!s.restrictions.empty()) s.restrictions.pop_back();
}

// ---------------------------------------------------------------- timer and sleep

int YRMSetTimer(int on) {
  ScreenState &s = S();
  Trace("YRMSetTimer", "%d", on);
  int old = s.timer_on;
  if (on && !old) s.timer_start = s.last_tick = Now();
  s.timer_on = on;
  return old;
}

void YRMSleep(int ms) {
  S();
  Trace("YRMSleep", "%d", ms);
  if (ms > 0) Advance_To(Now() + ms);
}

void Wait_Seconds(double seconds) { YRMSleep(int(std::lround(seconds * 1000.0))); }

// ---------------------------------------------------------------- harness

void Host_Test_Set_Policy(int policy) {
  ScreenState &s = S();
  s.soft_policy = policy == HOST_SCRIPT_SOFT;
  s.strict_policy = policy != HOST_SCRIPT_SOFT;
}

void Host_Script_Move(int x, int y) { Add_Event(ScriptEvent::MOVE, x, y); }
void Host_Script_Press(int button) {
  Add_Event(button == 2 ? ScriptEvent::PRESS_RIGHT : ScriptEvent::PRESS_LEFT, 0, 0);
}
void Host_Script_Release(int button) {
  Add_Event(button == 2 ? ScriptEvent::RELEASE_RIGHT : ScriptEvent::RELEASE_LEFT, 0, 0);
}
void Host_Script_Click(int x, int y) {
  Host_Script_Move(x, y);
  Host_Script_Press(1);
  Host_Script_Release(1);
}
void Host_Script_Wheel(int turns) { Add_Event(ScriptEvent::WHEEL, turns, 0); }
void Host_Script_Key(int code) { Add_Event(ScriptEvent::KEY, code, 0); }
void Host_Script_Text(const char *text) {
  for (const char *p = text; p && *p; ++p) Host_Script_Key(static_cast<unsigned char>(*p));
}
void Host_Script_Wait(int ms) {
  ScreenState &s = S();
  s.script_cursor = std::max(s.script_cursor, Now()) + std::max(ms, 0);
}
void Host_Script_Abort() { Add_Event(ScriptEvent::ABORT, 0, 0); }
int Host_Script_Pending() { return int(S().script.size()); }

int Host_Mouse_Cursor() { return S().cursor; }
int Host_Timer_On() { return S().timer_on; }

int Host_Pointer_Restriction(int rect[4]) {
  ScreenState &s = S();
  const int *r = s.restrictions.empty() ? s.restriction_base : s.restrictions.back().data();
  if (rect) std::copy(r, r + 4, rect);
  return int(s.restrictions.size());
}
