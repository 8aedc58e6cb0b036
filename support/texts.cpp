// Text helpers, hint messages, text widths and keyword lines of text files.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "host/host.h"
#include "support/cp850.h"
#include "support/shell.h"
#include "support/support.h"

namespace {
constexpr int kMaxMessage = 500;
constexpr int kMaxLine = 511;

struct TextsState {
  char count_word[16];
} g_texts;
}  // namespace

int Copy_Trimmed_String(char *buffer, int size, const char *text, int flags) {
  if (!buffer || size < 1) return 0;
  if (!text) text = "";
  std::size_t begin = 0, end = std::strlen(text);
  if (flags & 1)
    while (begin < end && text[begin] == ' ') ++begin;
  if (flags & 2)
    while (end > begin && text[end - 1] == ' ') --end;
  std::size_t room = static_cast<std::size_t>(size) - 1;
  std::size_t n = end - begin < room ? end - begin : room;
  std::memmove(buffer, text + begin, n);
  if (flags & 4)
    while (n < room) buffer[n++] = ' ';
  buffer[n] = '\0';
  return static_cast<int>(n);
}

const char *Count_Word(int n) {
  static const char *const kWords[] = {"keiner", "einer", "zwei",   "drei", "vier",
                                       "fünf"_cp, "sechs", "sieben", "acht", "neun"};
  if (n >= 0 && n <= 9) std::snprintf(g_texts.count_word, sizeof g_texts.count_word, "%s", kWords[n]);
  else std::snprintf(g_texts.count_word, sizeof g_texts.count_word, "%d", n);
  return g_texts.count_word;
}

void Hinweis_Message(int mode, const char *fmt, ...) {
  char text[kMaxMessage + 1] = "";
  if (fmt) {
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(text, sizeof text, fmt, ap);
    va_end(ap);
  }
  char line[kMaxMessage + 16];
  std::snprintf(line, sizeof line, "^bHINWEIS: %s.", text);
  if (mode == 0 && Is_Refresh_Mode()) {
    // A refresh has no screen: the note goes to standard error, as plain text.
    std::fprintf(stderr, "%s\n", Message_Text_Utf8(line).c_str());
  } else if (mode == 0) {
    Set_Message_Line(line);
  } else {
    Init_Message();
    Fill_Message("%s", line);
    Draw_Message();
  }
}

int Get_Text_Width(const char *text) {
  if (!text) return 0;
  return Host_Text_Extent(text, static_cast<int>(std::strlen(text)));
}

int Seek_Keyword_Line(const char *keyword, FILE *file, int *value) {
  if (!keyword || !file) return 0;
  std::rewind(file);
  std::size_t klen = std::strlen(keyword);
  char line[kMaxLine + 1];
  bool at_line_start = true;
  while (std::fgets(line, sizeof line, file)) {
    std::size_t len = std::strlen(line);
    bool complete = len > 0 && line[len - 1] == '\n';
    bool starts_line = at_line_start;
    // A line longer than the buffer goes on in the next read: that rest is no line.
    at_line_start = complete;
    if (!starts_line || std::strncmp(line, keyword, klen) != 0) continue;
    if (value) {
      int v;
      if (std::sscanf(line + klen, "%d", &v) == 1) *value = v;
    }
    return 1;
  }
  return 0;
}
