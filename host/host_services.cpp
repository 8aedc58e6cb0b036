// Headless host services: messages, environment, raster fonts, clock and reset.
#include "host/host.h"
#include "host/screen_internal.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

struct FontMetrics {
  int width;
  int space;
};

struct HostState {
  std::vector<HOST_MESSAGE> messages;
  std::string pending;  // lines of the message box being prepared
  bool pending_open = false;
  int application_number = 150;
  const void *stdio_table = nullptr;
  std::vector<int> font_stack;  // fonts selected by Pop_RFont, innermost last
  bool virtual_clock = false;
  double virtual_ms = 0.0;
  std::vector<void (*)()> resets;
} g;

constexpr int kStartFont = 0x1000;

FontMetrics Metrics_of(int font) {
  font &= ~0x60000;  // shadow style bits do not change the font
  switch (font) {
    case 0: return {5, 3};
    case 0x1002:
    case 0x11002: return {5, 1};
    case 0x11000: return {7, 1};
    case 0x11001:
    case 0x1001: return {8, 2};
    default: return {6, 1};
  }
}

void Apply_Font() {
  FontMetrics m = Metrics_of(Host_Current_Font());
  RFONT_WIDTH = m.width;
  RFONT_SPACE = m.space;
}

void Record(int kind, const std::string &title, const std::string &text) {
  g.messages.push_back({kind, title, text});
  std::fprintf(stderr, "[host %s] %s%s%s\n", kind == 0 ? "message" : kind == 1 ? "box" : "line",
               title.c_str(), title.empty() ? "" : ": ", text.c_str());
}

}  // namespace

int RFONT_WIDTH = 6;
int RFONT_SPACE = 1;

void Init_Message() {
  g.pending.clear();
  g.pending_open = true;
}

void Fill_Message(const char *fmt, ...) {
  char buf[512];
  va_list ap;
  va_start(ap, fmt);
  std::vsnprintf(buf, sizeof buf, fmt, ap);
  va_end(ap);
  if (!g.pending.empty()) g.pending += '\n';
  g.pending += buf;
  g.pending_open = true;
}

void Draw_Message() {
  Record(0, "", g.pending);
  g.pending.clear();
  g.pending_open = false;
}

void PrintMessage(const char *text, const char *title) {
  Record(1, title ? title : "", text ? text : "");
}

void Set_Message_Line(const char *text) { Record(2, "", text ? text : ""); }

const std::vector<HOST_MESSAGE> &Host_Messages() { return g.messages; }
void Host_Clear_Messages() { g.messages.clear(); }

const char *YRMGetEnv(const char *name) { return name ? std::getenv(name) : nullptr; }

int CurOb_Application_Number() { return g.application_number; }
void Host_Set_Application_Number(int number) { g.application_number = number; }

void YRMSetStdioFctPtr(const void *table) { g.stdio_table = table; }
const void *Host_Stdio_Table() { return g.stdio_table; }

void Pop_RFont(int font) {
  g.font_stack.push_back(font);
  Apply_Font();
}

void Push_RFont() {
  if (!g.font_stack.empty()) g.font_stack.pop_back();
  Apply_Font();
}

int Host_Current_Font() { return g.font_stack.empty() ? kStartFont : g.font_stack.back(); }

int Host_Text_Extent(const char *text, int len) {
  if (!text || len <= 0) return 0;
  return len * (RFONT_WIDTH + RFONT_SPACE) - RFONT_SPACE;
}

double Host_Clock_Ms() {
  if (g.virtual_clock) return g.virtual_ms;
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void Host_Use_Virtual_Clock(bool on) {
  g.virtual_clock = on;
  g.virtual_ms = 0.0;
}

void Host_Advance_Clock_Ms(double ms) {
  if (g.virtual_clock && ms > 0) g.virtual_ms += ms;
}

void Host_Register_Reset(void (*reset)()) {
  for (auto r : g.resets)
    if (r == reset) return;
  g.resets.push_back(reset);
}

void Host_Reset() {
  auto resets = g.resets;
  g.messages.clear();
  g.pending.clear();
  g.pending_open = false;
  g.application_number = 150;
  g.stdio_table = nullptr;
  g.font_stack.clear();
  g.virtual_clock = false;
  g.virtual_ms = 0.0;
  Apply_Font();
  host_screen::Reset_Screen_Layer();  // first: registered resets may use the screen
  for (auto r : resets) r();
}
