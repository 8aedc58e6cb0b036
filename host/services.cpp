// Host services (clipboard, user settings, window size) and the harness's reset and probes.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>

#define HOST_TEST_NO_GTEST
#include "host/host_test.h"
#include "host/screen_internal.h"

using namespace host_screen;

// ---------------------------------------------------------------- clipboard and settings

int YRMGetClipboardText(char *buffer, int size) {
  ScreenState &s = S();
  Trace("YRMGetClipboardText", "%d", size);
  if (!buffer || size <= 0) return 0;
  std::string text;
  for (size_t i = 0; i < s.clipboard.size(); ++i) {
    char c = s.clipboard[i];
    if (c == '\r' && !s.clipboard_raw) {
      if (i + 1 < s.clipboard.size() && s.clipboard[i + 1] == '\n') continue;
      c = '\n';
    }
    text += c;
  }
  int n = std::min(int(text.size()), size - 1);
  std::memcpy(buffer, text.data(), size_t(n));
  buffer[n] = '\0';
  return n;
}

void YRMSetClipboardText(const char *text) {
  S().clipboard = text ? text : "";
  Trace("YRMSetClipboardText", "\"%.60s\"", text ? text : "");
}

int YRMGetUserString(const char *name, char *buffer, int size) {
  ScreenState &s = S();
  Trace("YRMGetUserString", "\"%s\"", name ? name : "");
  if (!name) return 0;
  std::string value;
  bool found = false;
  auto it = s.settings.find(name);
  if (it != s.settings.end()) {
    value = it->second;
    found = true;
  } else if (const char *file = std::getenv("YRMUSERSETTINGS")) {
    std::string bytes;  // a regular file up to the input cap (a FIFO would block)
    Host_Read_Regular_File(file, &bytes, 0);
    std::istringstream f(bytes);
    std::string line;
    while (!found && std::getline(f, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      size_t eq = line.find('=');
      if (eq != std::string::npos && line.compare(0, eq, name) == 0 && eq == std::strlen(name)) {
        value = line.substr(eq + 1);
        found = true;
      }
    }
  }
  if (!found) return 0;
  if (buffer && size > 0) {
    int n = std::min(int(value.size()), size - 1);
    std::memcpy(buffer, value.data(), size_t(n));
    buffer[n] = '\0';
  }
  return 1;
}

void YRMSetMinMaxSize(int min_w, int min_h, int max_w, int max_h) {
  ScreenState &s = S();
  Trace("YRMSetMinMaxSize", "%d,%d,%d,%d", min_w, min_h, max_w, max_h);
  const int v[4] = {min_w, min_h, max_w, max_h};
  std::copy(v, v + 4, s.min_max);
}

// ---------------------------------------------------------------- harness

void Host_Test_Reset() {
  Host_Reset();
  Host_Use_Virtual_Clock(true);
  Host_Test_Set_Policy(HOST_SCRIPT_STRICT);
}

void Host_Set_User_String(const char *name, const char *value) {
  if (!name) return;
  ScreenState &s = S();
  if (value)
    s.settings[name] = value;
  else
    s.settings.erase(name);
}

void Host_Test_Set_Clipboard_Raw(int raw) { S().clipboard_raw = raw != 0; }

int Host_Clipboard_Is(const char *text) { return S().clipboard == (text ? text : ""); }

int Host_Pixel(int x, int y) {
  S();
  return Get_Index(x, y);
}

void Host_Pixel_RGB(int x, int y, int *r, int *g, int *b) { pxQCR(Host_Pixel(x, y), r, g, b); }

int Host_Count_Pixels(int x1, int y1, int x2, int y2, int index) {
  S();
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  int n = 0;
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) n += Get_Index(x, y) == index;
  return n;
}

std::vector<uint8_t> Host_Snapshot() { return S().pixels; }

int Host_Region_Diff(const std::vector<uint8_t> &snapshot, int x1, int y1, int x2, int y2) {
  ScreenState &s = S();
  if (snapshot.size() != s.pixels.size()) return -1;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  x1 = std::max(x1, 0), y1 = std::max(y1, 0);
  x2 = std::min(x2, s.w - 1), y2 = std::min(y2, s.h - 1);
  int n = 0;
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) {
      size_t i = size_t(y) * s.w + x;
      n += snapshot[i] != s.pixels[i];
    }
  return n;
}

const std::vector<std::string> &Host_Calls() { return S().trace; }

int Host_Call_Count(const char *name) {
  std::string prefix = std::string(name ? name : "") + "(";
  int n = 0;
  for (const std::string &t : S().trace) n += t.compare(0, prefix.size(), prefix) == 0;
  return n;
}

void Host_Clear_Calls() { S().trace.clear(); }

void Host_Test_Set_Trace(int on) { S().trace_on = on != 0; }

std::string Host_Last_Calls(int n) { return Last_Calls(n); }

const std::vector<std::string> &Host_Help_Requests() { return S().help_requests; }
