// tests/widgets/widgets_fixture.h — the widget tests' view of the host harness: a fresh
// host with one full-screen sheet per test, pixel probes and the host's call trace.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/host_test.h"

struct RGB {
  int r, g, b;
  bool operator==(const RGB &o) const { return r == o.r && g == o.g && b == o.b; }
};
std::ostream &operator<<(std::ostream &os, const RGB &c);

// Each test starts on a reset host (screen 1280 × 1024, displacement 0) with one
// frameless full-screen sheet defined and active; it ends with every area removed (and
// writes the canvas to test-output/ when it failed).
class WidgetsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// Sheet displacement of the current sheet (screen offset of its coordinates).
void Set_Sheet_Displacement(int dx, int dy);

// Canvas probes (screen pixels).
int Pixel_Index(int x, int y);
RGB Pixel_RGB(int x, int y);
std::vector<RGB> Pixel_Row(int x1, int x2, int y);
std::vector<RGB> Pixel_Rect(int x1, int y1, int x2, int y2);  // row by row
int Count_Pixels(int x1, int y1, int x2, int y2, int index);

// The host's call trace since the last clear.
void Clear_Host_Calls();
int Host_Calls_Count();
int Host_Calls_Named(const char *name);
// Arguments of the n-th call (from 0) of a name, as written in the trace; empty when none.
std::vector<std::string> Host_Call_Args(const char *name, int n);

// What the host holds for a scrollable area and the state of any sheet item.
struct HOST_AREA {
  int x1, y1, x2, y2;        // sheet coordinates
  int content_w, content_h;  // as last handed to the host
};
HOST_AREA Host_Area(int handle);
int Host_Item_State(int handle);

// A scripted wheel turn, due now.
void Script_Wheel(int turns);

// Line pitch of the normal font 0x1000.
int RFONT_HEIGHT_of_Normal_Font();
