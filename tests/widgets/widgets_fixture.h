// tests/widgets/widgets_fixture.h — the widget tests' view of the host harness: fixtures,
// scripted input in one line, the host's call trace, test bitmaps and golden pictures.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/host_test.h"
#include "tests/testsupport/screen_test.h"
#include "widgets/view_events.h"
#include "widgets/view_events_internal.h"
#include "widgets/widgets.h"
#include "widgets/widgets_internal.h"

// A reset host (strict script policy) with a frameless full-screen sheet, activated by
// WidgetsTest; at the end every area and sheet goes (the canvas written out on a failure).
class EventsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};
class WidgetsTest : public EventsTest {
 protected:
  void SetUp() override;
};

// The canvas region compared with tests/widgets/golden/<name> (PF_UPDATE_GOLDEN=1 rewrites).
#define EXPECT_GOLDEN(name, x1, y1, x2, y2) \
  EXPECT_EQ(Golden_Mismatch("tests/widgets/golden", name, x1, y1, x2, y2), "")

struct RGB {
  int r, g, b;
  bool operator==(const RGB &o) const { return r == o.r && g == o.g && b == o.b; }
};
std::ostream &operator<<(std::ostream &os, const RGB &c);
RGB Pixel_RGB(int x, int y);

// What the host holds for a scrollable area (sheet coordinates, content as last handed over)
// and the state of a sheet item (-99 when there is none).
struct HOST_AREA {
  int x1, y1, x2, y2, content_w, content_h;
};
HOST_AREA Host_Area(int handle);
int Host_Item_State(int handle);

// Bitmaps in the host's bitmap folder: "strip.bmp", four framed blocks w × h (inactive, normal,
// hover, pressed; returns their RGB), and "pictures.bmp", n pictures w × h below each other.
struct StripColours {
  int rgb[4][3];
};
StripColours Make_Test_Strip(int w, int h);
void Make_Picture_Strip(int w, int h, int n);
