// The widget tests' fixtures and helpers on the host harness.
#include "tests/widgets/widgets_fixture.h"

#include <unistd.h>

#include <filesystem>
#include <sstream>

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

// Splits "name(a,b,\"t,x\",c)" into its arguments; commas inside quotes stay.
std::vector<std::string> _Split_Args(const std::string &call) {
  std::vector<std::string> args;
  std::size_t open = call.find('(');
  if (open == std::string::npos || call.back() != ')') return args;
  std::string inner = call.substr(open + 1, call.size() - open - 2), current;
  bool quoted = false;
  for (char c : inner) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      args.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!inner.empty()) args.push_back(current);
  return args;
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

void Script(const std::string &steps) {
  std::istringstream in(steps);
  std::string s;
  while (in >> s) {
    const char *a = s.c_str() + 1;
    int x = 0, y = 0;
    switch (s[0]) {
      case 'm':
      case 'c':
        ASSERT_EQ(std::sscanf(a, "%d,%d", &x, &y), 2) << s;
        (s[0] == 'm' ? Host_Script_Move : Host_Script_Click)(x, y);
        break;
      case 'p': Host_Script_Press(std::atoi(a)); break;
      case 'r': Host_Script_Release(std::atoi(a)); break;
      case 'w': Host_Script_Wait(std::atoi(a)); break;
      case 'k': Host_Script_Key(std::atoi(a)); break;
      case 'W': Host_Script_Wheel(std::atoi(a)); break;
      case 'A': Host_Script_Abort(); break;
      case 't':
        for (const char *c = a; *c; ++c) Host_Script_Key(*c == '_' ? ' ' : static_cast<unsigned char>(*c));
        break;
      default: FAIL() << "unknown script step " << s;
    }
  }
}

std::vector<std::vector<int>> Calls_Args(const char *name) {
  std::vector<std::vector<int>> out;
  std::string prefix = std::string(name) + "(";
  for (const std::string &call : Host_Calls()) {
    if (call.compare(0, prefix.size(), prefix) != 0) continue;
    std::vector<int> args;
    std::stringstream ss(call.substr(prefix.size()));
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

std::vector<std::string> Host_Call_Args(const char *name, int n) {
  std::string prefix = std::string(name) + "(";
  for (const std::string &call : Host_Calls())
    if (call.compare(0, prefix.size(), prefix) == 0 && n-- == 0) return _Split_Args(call);
  return {};
}

int Call_Index(const std::string &prefix, int from) {
  const std::vector<std::string> &calls = Host_Calls();
  for (int i = std::max(from, 0); i < static_cast<int>(calls.size()); ++i)
    if (calls[i].compare(0, prefix.size(), prefix) == 0) return i;
  return -1;
}

HOST_AREA Host_Area(int handle) {
  HOST_AREA area{};
  for (const HOST_SHEET_ITEM &it : Host_Sheet_Items())
    if (it.handle == handle) area.x1 = it.x1, area.y1 = it.y1, area.x2 = it.x2, area.y2 = it.y2;
  std::string prefix = "Resize_Origin_of_Scrollable_Area_PS(" + std::to_string(handle) + ",";
  for (const std::string &call : Host_Calls())
    if (call.compare(0, prefix.size(), prefix) == 0) {
      std::vector<std::string> args = _Split_Args(call);
      area.content_w = std::stoi(args[1]);
      area.content_h = std::stoi(args[2]);
    }
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
