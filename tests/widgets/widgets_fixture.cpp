// The widget tests' fixtures and helpers on the host harness.
#include "tests/widgets/widgets_fixture.h"

#include <unistd.h>

#include <filesystem>

namespace {

std::filesystem::path _Bitmap_Dir() {
  return std::filesystem::temp_directory_path() / ("pf_widgets_" + std::to_string(getpid()));
}

// Draws with a function on the screen's top left, saves it as a bitmap of the test folder and
// gives the screen back.
template <class F>
void _Save_Bitmap(const char *name, int w, int h, F draw) {
  pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
  Save_Screen_Rectangle(0, 0, w - 1, h - 1);
  draw();
  std::filesystem::create_directories(_Bitmap_Dir());
  Host_Save_Bitmap((_Bitmap_Dir() / name).string().c_str(), 0, 0, w - 1, h - 1);
  Host_Set_Bitmap_Dir(_Bitmap_Dir().string().c_str());
  Restore_Screen_Rectangle(0, 0, w - 1, h - 1);
}

}  // namespace

void EventsTest::SetUp() {
  Host_Test_Reset();
  Set_NoFrameFlag_to_Next_PropSheet();
  Define_Prop_Sheet(0, 0, 1279, 1023, 0, 0, "", 0, 0);
}

void WidgetsTest::SetUp() {
  EventsTest::SetUp();
  Activate_Prop_Sheet();
  Host_Clear_Calls();
}

void EventsTest::TearDown() {
  if (HasFailure()) Host_Test_Dump_Png();
  Remove_All_View_Areas();
  while (Host_Sheet_Depth() > 0) Undefine_Prop_Sheet();
  Host_Test_Reset();
  std::error_code ec;
  std::filesystem::remove_all(_Bitmap_Dir(), ec);
}

std::ostream &operator<<(std::ostream &os, const RGB &c) {
  return os << "RGB(" << c.r << ", " << c.g << ", " << c.b << ")";
}

RGB Pixel_RGB(int x, int y) {
  RGB c{-1, -1, -1};
  Host_Pixel_RGB(x, y, &c.r, &c.g, &c.b);
  return c;
}

HOST_AREA Host_Area(int handle) {
  HOST_AREA area{};
  for (const HOST_SHEET_ITEM &it : Host_Sheet_Items())
    if (it.handle == handle) area.x1 = it.x1, area.y1 = it.y1, area.x2 = it.x2, area.y2 = it.y2;
  for (const std::vector<int> &args : Calls_Args("Resize_Origin_of_Scrollable_Area_PS"))
    if (args[0] == handle) area.content_w = args[1], area.content_h = args[2];
  return area;
}

int Host_Item_State(int handle) {
  for (const HOST_SHEET_ITEM &it : Host_Sheet_Items())
    if (it.handle == handle) return it.state;
  return -99;
}

StripColours Make_Test_Strip(int w, int h) {
  const StripColours c = {{{150, 150, 150}, {40, 60, 200}, {30, 170, 60}, {210, 40, 40}}};
  _Save_Bitmap("strip.bmp", 4 * w, h, [&] {
    for (int i = 0; i < 4; ++i) {
      pxFgc(Nearest_RGB_Color(20, 20, 20));
      pxRect(i * w, 0, i * w + w - 1, h - 1);
      pxFgc(Nearest_RGB_Color(c.rgb[i][0], c.rgb[i][1], c.rgb[i][2]));
      pxRect(i * w + 1, 1, i * w + w - 2, h - 2);
    }
  });
  return c;
}

void Make_Picture_Strip(int w, int h, int n) {
  _Save_Bitmap("pictures.bmp", w, n * h, [&] {
    for (int i = 0; i < n; ++i) {
      pxFgc(WHITE_CI);
      pxRect(0, i * h, w - 1, i * h + h - 1);
      pxFgc(Nearest_RGB_Color(40 * i % 256, 120, 255 - 30 * i % 256));
      pxRect(3, i * h + 3, w - 4 - 3 * i % (w / 2), i * h + h - 4);
    }
  });
}
