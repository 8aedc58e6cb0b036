// The event tests' fixture and helpers on the host harness.
#include "tests/widgets/events_fixture.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

void EventsTest::SetUp() {
  Host_Test_Reset();
  Set_NoFrameFlag_to_Next_PropSheet();
  Define_Prop_Sheet(0, 0, 1279, 1023, 0, 0, "", 0, 0);
}

void EventsTest::TearDown() {
  if (HasFailure()) Host_Test_Dump_Png();
  Remove_All_View_Areas();
  while (Host_Sheet_Depth() > 0) Undefine_Prop_Sheet();
  Host_Test_Reset();
  std::error_code ec;
  std::filesystem::remove_all(std::filesystem::temp_directory_path() / ("pf_events_" + std::to_string(getpid())), ec);
}

std::vector<std::vector<int>> Calls_Args(const char *name) {
  std::vector<std::vector<int>> out;
  std::string prefix = std::string(name) + "(";
  for (const std::string &call : Host_Calls()) {
    if (call.compare(0, prefix.size(), prefix) != 0) continue;
    std::vector<int> args;
    std::string inner = call.substr(prefix.size());
    std::stringstream ss(inner);
    std::string part;
    while (std::getline(ss, part, ',')) {
      try {
        args.push_back(std::stoi(part, nullptr, 0));
      } catch (...) {
        args.push_back(-99999);  // a text argument
      }
    }
    out.push_back(args);
  }
  return out;
}

int Call_Index(const std::string &prefix, int from) {
  const std::vector<std::string> &calls = Host_Calls();
  for (int i = std::max(from, 0); i < static_cast<int>(calls.size()); ++i)
    if (calls[i].compare(0, prefix.size(), prefix) == 0) return i;
  return -1;
}

StripColours Make_Test_Strip(int w, int h) {
  const StripColours c = {{{150, 150, 150}, {40, 60, 200}, {30, 170, 60}, {210, 40, 40}}};
  pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
  Save_Screen_Rectangle(0, 0, 4 * w - 1, h - 1);
  for (int i = 0; i < 4; ++i) {
    pxFgc(Nearest_RGB_Color(20, 20, 20));
    pxRect(i * w, 0, i * w + w - 1, h - 1);
    pxFgc(Nearest_RGB_Color(c.rgb[i][0], c.rgb[i][1], c.rgb[i][2]));
    pxRect(i * w + 1, 1, i * w + w - 2, h - 2);
  }
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("pf_events_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::string file = (dir / "strip.bmp").string();
  Host_Save_Bitmap(file.c_str(), 0, 0, 4 * w - 1, h - 1);
  Host_Set_Bitmap_Dir(dir.string().c_str());
  Restore_Screen_Rectangle(0, 0, 4 * w - 1, h - 1);
  return c;
}

void Make_Picture_Strip(int w, int h, int n) {
  pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
  Save_Screen_Rectangle(0, 0, w - 1, n * h - 1);
  for (int i = 0; i < n; ++i) {
    pxFgc(WHITE_CI);
    pxRect(0, i * h, w - 1, i * h + h - 1);
    pxFgc(Nearest_RGB_Color(40 * i % 256, 120, 255 - 30 * i % 256));
    pxRect(3, i * h + 3, w - 4 - 3 * i % (w / 2), i * h + h - 4);
  }
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("pf_events_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::string file = (dir / "pictures.bmp").string();
  Host_Save_Bitmap(file.c_str(), 0, 0, w - 1, n * h - 1);
  Host_Set_Bitmap_Dir(dir.string().c_str());
  Restore_Screen_Rectangle(0, 0, w - 1, n * h - 1);
}

int Diff(const std::vector<uint8_t> &snapshot, int x1, int y1, int x2, int y2) {
  return Host_Region_Diff(snapshot, x1, y1, x2, y2);
}

void Write_Picture(const char *name) {
  std::error_code ec;
  std::filesystem::create_directories("test-output", ec);
  std::string path = std::string("test-output/") + name + ".png";
  if (Host_Write_Png(path.c_str()) == 0) std::fprintf(stderr, "canvas written to %s\n", path.c_str());
}
