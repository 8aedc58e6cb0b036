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
  std::vector<int> answers;  // queued answers of Answer_is_Yes
  std::string frame_title;
  int (*close_fct)() = nullptr;
  std::vector<std::string> requests;
  HOST_ECHO_TEXT echo_text = nullptr;  // the program's plain-text form of the stderr lines
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

// A recorded text as its line on standard error shows it (Host_Set_Echo_Text).
std::string Echo_Text(const std::string &text) {
  if (g.echo_text) return g.echo_text(text);
  std::string safe = text;
  for (char &c : safe) {
    const unsigned char b = static_cast<unsigned char>(c);
    if ((b < 0x20 && b != '\n') || b == 0x7F) c = ' ';
  }
  return safe;
}

void Record(int kind, const std::string &title, const std::string &text) {
  g.messages.push_back({kind, title, text});
  std::fprintf(stderr, "[host %s] %s%s%s\n", kind == 0 ? "message" : kind == 1 ? "box" : "line",
               Echo_Text(title).c_str(), title.empty() ? "" : ": ", Echo_Text(text).c_str());
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

void Show_Message(const char *text) { Record(0, "", text ? text : ""); }

int Answer_is_Yes(const char *text) {
  Record(3, "", text ? text : "");
  if (g.answers.empty()) return 0;
  const int yes = g.answers.front() ? 1 : 0;
  g.answers.erase(g.answers.begin());
  return yes;
}

void Host_Queue_Answer(int yes) { g.answers.push_back(yes); }

const char *CurOb_Privat_Datapath() {
  const char *p = std::getenv("YRMPRIVATE");
  return p && *p ? p : nullptr;
}

void YRMSetFrameTitle(const char *title) { g.frame_title.assign(title ? title : "", 0, 259); }
const char *Host_Frame_Title() { return g.frame_title.c_str(); }

void YRMSetCloseFct(int (*close_fct)()) { g.close_fct = close_fct; }
int Host_Request_Close() { return g.close_fct ? g.close_fct() : 0; }

namespace {
void Request(const char *name, const char *argument) {
  const std::string call = std::string(name) + "(" + (argument ? argument : "") + ")";
  g.requests.push_back(call);
  Record(2, "", call + ": nicht vorhanden");
}
}  // namespace

int Init_Helpview(const char *help_file) {
  Request("Init_Helpview", help_file);
  return 0;
}
int Helpview(const char *topic) {
  Request("Helpview", topic);
  return 0;
}
void Quick_OLI_View(const char *list_path) { Request("Quick_OLI_View", list_path); }
void Quick_OLI_Print(const char *list_path) { Request("Quick_OLI_Print", list_path); }
int YRMSpawnv(int mode, const char *program, const char *const *argv) {
  std::string args = std::to_string(mode) + "," + (program ? program : "");
  for (int i = 1; argv && argv[0] && argv[i]; ++i) args += std::string(",") + argv[i];
  Request("YRMSpawnv", args.c_str());
  return -1;
}
const std::vector<std::string> &Host_Service_Requests() { return g.requests; }

const std::vector<HOST_MESSAGE> &Host_Messages() { return g.messages; }
void Host_Clear_Messages() { g.messages.clear(); }

HOST_ECHO_TEXT Host_Set_Echo_Text(HOST_ECHO_TEXT convert) {
  const HOST_ECHO_TEXT old = g.echo_text;
  g.echo_text = convert;
  return old;
}

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
  g.answers.clear();
  g.frame_title.clear();
  g.close_fct = nullptr;
  g.requests.clear();
  g.echo_text = nullptr;
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
