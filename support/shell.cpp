// Shell helpers: text fields of data files, record versions, refresh mode, file stem.
#include "support/shell.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "host/host.h"
#include "support/cp850.h"
#include "support/support.h"
#include "support/support_internal.h"

namespace {
constexpr std::size_t kMaxPath = 260;
// The longest ending a work-file name gets behind stem and suffix ("_TMP.XPR", ".clcbak").
constexpr std::size_t kMaxEnding = SHELL_MAX_ENDING;
struct ShellState {
  int refresh_mode = 0;
  std::string stem;
  int file_number = 0;
  char suffix[16] = "_00";
} g_shell;
}  // namespace

int Trim_Blanks(char *text) {
  if (!text) return 0;
  std::size_t n = std::strlen(text);
  while (n > 0 && text[n - 1] == ' ') --n;
  text[n] = '\0';
  std::size_t start = 0;
  while (text[start] == ' ') ++start;
  if (start) std::memmove(text, text + start, n - start + 1);
  return text[0] != '\0';
}

void Pad_With_Blanks(char *text, int n) {
  if (!text || n < 1) return;
  int len = static_cast<int>(std::strlen(text));
  for (int k = len; k < n - 1; ++k) text[k] = ' ';
  text[n - 1] = '\0';
}

void Upper_Case_Text(char *text) {
  if (!text) return;
  for (; *text; ++text) {
    unsigned char c = static_cast<unsigned char>(*text);
    if (c < 0x80) *text = static_cast<char>(std::toupper(c));
  }
}

int Remove_All_Blanks(char *text) {
  if (!text) return 0;
  char *out = text;
  for (const char *in = text; *in; ++in)
    if (*in != ' ') *out++ = *in;
  *out = '\0';
  return text[0] != '\0';
}

void Blank_to_Tilde(char *text) {
  if (!text) return;
  for (; *text; ++text)
    if (*text == ' ') *text = '~';
}

int Tilde_to_Blank(char *text) {
  if (!text || !*text) return 0;
  int other = 0;
  for (; *text; ++text) {
    if (*text == '~') *text = ' ';
    else other = 1;
  }
  return other;
}

int Check_File_Version(double read_version, double own_version, int mode) {
  if (read_version <= own_version) return 1;
  if (!g_shell.refresh_mode && mode != 2) {
    Init_Message();
    if (mode == 0)
      Fill_Message("%s", "!! ACHTUNG !!\nDie Eingabedatei ist aktueller als die Programmversion\n"
                         "Bitte aktualisieren Sie das Programm."_cp);
    else
      Fill_Message("%s", "!! ACHTUNG !!\nDie Importdatei ist aktueller als die Programmversion\n"
                         "Bitte fordern Sie eine neue Programmversion an."_cp);
    Draw_Message();
  }
  return 0;
}

void Set_Refresh_Mode(int on) {
  Register_Support_Reset();
  g_shell.refresh_mode = on ? 1 : 0;
  Host_Set_Echo_Text(Message_Text_Utf8);
}
int Is_Refresh_Mode() { return g_shell.refresh_mode; }

// True when every work-file name of the stem and suffix fits the path limit.
static bool _Names_Fit(std::size_t stem, std::size_t suffix) { return stem + suffix + kMaxEnding <= kMaxPath; }

int Set_Bauteil_Path(const char *stem) {
  if (!stem || !_Names_Fit(std::strlen(stem), std::strlen(g_shell.suffix))) return 0;
  Register_Support_Reset();
  g_shell.stem = stem;
  return 1;
}

const char *Get_Bauteil_Path() { return g_shell.stem.c_str(); }

int Set_File_Number(int number) {
  if (number < 0) return 0;
  char suffix[sizeof g_shell.suffix];
  std::snprintf(suffix, sizeof suffix, "_%02d", number);
  if (!_Names_Fit(g_shell.stem.size(), std::strlen(suffix))) return 0;
  Register_Support_Reset();
  g_shell.file_number = number;
  std::memcpy(g_shell.suffix, suffix, sizeof suffix);
  return 1;
}

const char *Get_File_Number_Suffix() { return g_shell.suffix; }

std::string Make_Bauteil_Filename(const char *ending) {
  std::string name = g_shell.stem + g_shell.suffix + (ending ? ending : "");
  return name.size() <= kMaxPath ? name : std::string();
}

FILE *Open_Bauteil_File(const char *ending, const char *mode) {
  if (g_shell.stem.empty() || !mode) return nullptr;
  const std::string path = Make_Bauteil_Filename(ending);
  // Reading only: the rule of every input file (a regular file up to the cap).
  if (mode[0] == 'r' && !std::strchr(mode, '+')) return Open_Input_File(path.c_str(), 0, nullptr);
  return std::fopen(path.c_str(), mode);
}

std::string Make_Stem_Prefix_Filename(const char *name, std::string *rest) {
  constexpr std::size_t kPrefix = 4;
  const std::string &s = g_shell.stem;
  const std::size_t cut = s.find_last_of("/\\");
  const std::size_t start = cut == std::string::npos ? 0 : cut + 1;
  const std::size_t n = std::min(kPrefix, s.size() - start);
  if (rest) *rest = s.substr(start + n);
  return s.substr(0, start + n) + (name ? name : "");
}

void Clamp_Not_Negative(void *value) {
  double *v = static_cast<double *>(value);
  if (v && *v < 0) *v = 0;
}

void Clamp_Zero_to_One(void *value) {
  double *v = static_cast<double *>(value);
  if (!v) return;
  if (*v < 0) *v = 0;
  if (*v > 1) *v = 1;
}

void Reset_Shell_For_Tests() { g_shell = ShellState{}; }
