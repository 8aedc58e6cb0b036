// tests/widgets/events_fixture.h — the event, hover, drop-down and icon-bar tests' fixture: a
// fresh host with one frameless full-screen sheet, helpers for scripted input, test strips
// and pictures.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host.h"
#include "host/host_test.h"
#include "widgets/view_events.h"
#include "widgets/view_events_internal.h"
#include "widgets/widgets.h"
#include "widgets/widgets_internal.h"

// Each test starts on a reset host (screen 1280 × 1024, displacement 0, strict script policy)
// with a frameless full-screen sheet defined but not yet activated; it ends with every area
// removed and the sheet undefined (and the canvas written to test-output/ when it failed).
class EventsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// The arguments of every call of a name in the host's trace, in order.
std::vector<std::vector<int>> Calls_Args(const char *name);
// Index in the trace of the first call whose text starts with prefix at or after from; -1.
int Call_Index(const std::string &prefix, int from = 0);

// Writes a strip of four blocks w × h side by side (inactive grey, normal blue, hover green,
// pressed red), each with a one-pixel dark border, as "strip.bmp" into a fresh temporary
// folder and makes that folder the host's bitmap folder. Returns the RGB of the four images.
struct StripColours {
  int rgb[4][3];
};
StripColours Make_Test_Strip(int w, int h);
// Writes n pictures w × h one below the other (coloured bars on white) as "pictures.bmp" into
// that folder and makes it the host's bitmap folder.
void Make_Picture_Strip(int w, int h, int n);

// Pixels of the rectangle differing from a snapshot.
int Diff(const std::vector<uint8_t> &snapshot, int x1, int y1, int x2, int y2);

// Writes the canvas to test-output/<name>.png for a person to look at.
void Write_Picture(const char *name);
