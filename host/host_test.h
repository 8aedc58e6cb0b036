// host/host_test.h — test harness of the headless host: reset, scripted input, probes.
//
// A test resets the host with Host_Test_Reset (or derives its fixture from HostScreenTest),
// scripts the user's input as timed events, runs the code under test, and probes the canvas,
// the call trace and the host's state. The clock is virtual: it moves only by YRMSleep, wait
// limits, timer ticks, script delays and Get_Mouse_Event, so waits take no real time.
//
// When the script runs out in a blocking call (a wait without limit, Edit_Prop_Sheet, the
// short editors, menus, or 10,000 polls of Get_Mouse_Event, hitkey or getkey without an event)
// the strict policy (the default after Host_Test_Reset) throws HostScriptExhausted, whose text
// names the call and lists the last 20 host calls; the soft policy instead releases the buttons,
// makes getkeymask() 1 and lets every wait return 0.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/host_screen.h"

// ---------------------------------------------------------------- reset and policy
// Host_Reset (every registered module too), then: virtual clock at 0, strict policy, no user
// settings, empty clipboard, pointer at (0, 0), screen white, bitmaps from the build's folder.
void Host_Test_Reset();
enum { HOST_SCRIPT_STRICT = 0, HOST_SCRIPT_SOFT = 1 };
void Host_Test_Set_Policy(int policy);
struct HostScriptExhausted : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// ---------------------------------------------------------------- scripted input
// Each event is due at the script's time cursor, which starts at the clock's present value and
// moves only by Host_Script_Wait. Events apply in order when the clock reaches them (in waits
// and Get_Mouse_Event).
void Host_Script_Move(int x, int y);
void Host_Script_Press(int button);    // 1 left, 2 right
void Host_Script_Release(int button);  // 1 left, 2 right
void Host_Script_Click(int x, int y);  // move, press and release of the left button
void Host_Script_Wheel(int turns);     // negative toward the end of a list
void Host_Script_Key(int code);        // a key code as getkey gives it
void Host_Script_Text(const char *text);  // one key per byte (code page 850)
void Host_Script_Wait(int ms);
void Host_Script_Abort();              // getkeymask() becomes 1
int Host_Script_Pending();             // events not yet applied

// ---------------------------------------------------------------- settings and geometry
void Host_Set_User_String(const char *name, const char *value);
// Displacement of the current sheet (or, with none open, of the next one defined).
void Host_Test_Set_Sheet_Displacement(int dx, int dy);
// Folder of the bitmap files (null: the build's data folder); clears the cache.
void Host_Set_Bitmap_Dir(const char *dir);
const std::vector<std::string> &Host_Missing_Bitmaps();

// ---------------------------------------------------------------- probes
int Host_Pixel(int x, int y);  // palette index, -1 off the screen
void Host_Pixel_RGB(int x, int y, int *r, int *g, int *b);
int Host_Count_Pixels(int x1, int y1, int x2, int y2, int index);  // inclusive rectangle
std::vector<uint8_t> Host_Snapshot();  // the canvas, row by row
// Number of pixels of the rectangle that differ from the snapshot.
int Host_Region_Diff(const std::vector<uint8_t> &snapshot, int x1, int y1, int x2, int y2);
// Call trace: "name(arguments)" of the drawing, sheet, input and service calls, in order.
const std::vector<std::string> &Host_Calls();
int Host_Call_Count(const char *name);
void Host_Clear_Calls();
// Off, the calls are not recorded (a fuzz target that reads no trace saves its formatting);
// a reset turns it on again.
void Host_Test_Set_Trace(int on);
std::string Host_Last_Calls(int n);
int Host_Mouse_Cursor();  // the id setMouseCursor set last
int Host_Timer_On();
int Host_Pointer_Restriction(int rect[4]);  // the rectangle in force; returns the Pop depth
const std::vector<std::string> &Host_Help_Requests();  // topics of pressed help buttons
int Host_Clipboard_Is(const char *text);
// With raw on, YRMGetClipboardText hands the clipboard over unconverted (CR and CR LF stay), as
// another program may have put it there; off (the default) it gives LF line ends.
void Host_Test_Set_Clipboard_Raw(int raw);

struct HOST_SHEET_ITEM {
  int handle;
  std::string kind;  // "escape", "text", "text button", "image button", "button", "help",
                     // "radio", "float", "register", "member", "area", "vslider", "hslider"
  int x1, y1, x2, y2;  // sheet coordinates
  int code;
  int state;  // Change_Activity_PS: 1 active, -1 greyed, 0 inactive
  std::string text;  // text, button text, help topic
  int frame;         // buttons: framed; areas: the frame flag
  int move_event;    // escape areas: moves report the code
  int parent;        // sliders: the area; members: the register
  int content_w, content_h, scroll_x, scroll_y;  // areas
  std::string comment;  // Set_Comment_to_Button_PS
};
std::vector<HOST_SHEET_ITEM> Host_Sheet_Items();
struct HOST_STRING_ENTRY {
  std::string text;
  int colour;
};
std::vector<HOST_STRING_ENTRY> Host_Stringlist(int list);  // entries of a sheet string list  // of the current sheet
int Host_Sheet_Depth();
int Host_Sheet_Rect(int rect[4]);  // screen rectangle of the current sheet; 0 without one

// ---------------------------------------------------------------- pictures
int Host_Save_Bitmap(const char *path, int x1, int y1, int x2, int y2);  // 24-bit BMP; 0 ok
int Host_Write_Png(const char *path);  // the whole canvas as RGB PNG; 0 ok

#ifndef HOST_TEST_NO_GTEST
#include <gtest/gtest.h>

#include <filesystem>

// Writes the canvas to test-output/<suite>.<test>.png (beside the running test).
inline void Host_Test_Dump_Png() {
  const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
  if (!info) return;
  std::error_code ec;
  std::filesystem::create_directories("test-output", ec);
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char &c : name)
    if (c == '/') c = '_';
  std::string path = "test-output/" + name + ".png";
  if (Host_Write_Png(path.c_str()) == 0) std::fprintf(stderr, "canvas written to %s\n", path.c_str());
}

// Fixture: a fresh host before each test; the canvas as PNG after a failing one.
class HostScreenTest : public ::testing::Test {
 protected:
  void SetUp() override { Host_Test_Reset(); }
  void TearDown() override {
    if (HasFailure()) Host_Test_Dump_Png();
  }
};
#endif
