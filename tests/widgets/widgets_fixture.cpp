// The widget tests' fixture and probes on the host harness.
#include "tests/widgets/widgets_fixture.h"

#include <string>

#include "widgets/widgets.h"

std::ostream &operator<<(std::ostream &os, const RGB &c) {
  return os << "RGB(" << c.r << ", " << c.g << ", " << c.b << ")";
}

void WidgetsTest::SetUp() {
  Host_Test_Reset();
  Set_NoFrameFlag_to_Next_PropSheet();
  Define_Prop_Sheet(0, 0, 1279, 1023, 0, 0, "", 0, 0);
  Activate_Prop_Sheet();
  Host_Clear_Calls();
}

void WidgetsTest::TearDown() {
  if (HasFailure()) Host_Test_Dump_Png();
  Remove_All_View_Areas();
  Host_Test_Reset();
}

void Set_Sheet_Displacement(int dx, int dy) { Host_Test_Set_Sheet_Displacement(dx, dy); }

int Pixel_Index(int x, int y) { return Host_Pixel(x, y); }

RGB Pixel_RGB(int x, int y) {
  RGB c{-1, -1, -1};
  Host_Pixel_RGB(x, y, &c.r, &c.g, &c.b);
  return c;
}

std::vector<RGB> Pixel_Row(int x1, int x2, int y) {
  std::vector<RGB> row;
  for (int x = x1; x <= x2; ++x) row.push_back(Pixel_RGB(x, y));
  return row;
}

std::vector<RGB> Pixel_Rect(int x1, int y1, int x2, int y2) {
  std::vector<RGB> out;
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) out.push_back(Pixel_RGB(x, y));
  return out;
}

int Count_Pixels(int x1, int y1, int x2, int y2, int index) { return Host_Count_Pixels(x1, y1, x2, y2, index); }

void Clear_Host_Calls() { Host_Clear_Calls(); }
int Host_Calls_Count() { return static_cast<int>(Host_Calls().size()); }
int Host_Calls_Named(const char *name) { return Host_Call_Count(name); }

// Splits "name(a,b,\"t,x\",c)" into its arguments; commas inside quotes stay.
static std::vector<std::string> _Split_Args(const std::string &call) {
  std::vector<std::string> args;
  std::size_t open = call.find('(');
  if (open == std::string::npos || call.back() != ')') return args;
  std::string inner = call.substr(open + 1, call.size() - open - 2);
  std::string current;
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

std::vector<std::string> Host_Call_Args(const char *name, int n) {
  std::string prefix = std::string(name) + "(";
  for (const std::string &call : Host_Calls())
    if (call.compare(0, prefix.size(), prefix) == 0 && n-- == 0) return _Split_Args(call);
  return {};
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

void Script_Wheel(int turns) { Host_Script_Wheel(turns); }

int RFONT_HEIGHT_of_Normal_Font() {
  Pop_RFont(0x1000);
  int h = RFONT_HEIGHT;
  Push_RFont();
  return h;
}
