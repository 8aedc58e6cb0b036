// Versioned value stream: one writer and one reader with a stack of block versions.
#include "support/datastream.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/stat.h>

#include "host/host.h"
#include "support/cp850.h"
#include "support/shell.h"
#include "support/support.h"
#include "support/support_internal.h"

namespace {

constexpr int kMaxDepth = 32;
constexpr std::size_t kMaxText = 255;
constexpr char kBlankByte = '\x8C';

struct DatastreamState {
  FILE *writer = nullptr;
  FILE_REPLACE file = {};  // the writer's file while it is a temporary file beside its target
  int write_failed = 0;
  bool reading = false;
  std::string data;  // the whole content of the reader
  std::size_t pos = 0;
  double versions[kMaxDepth] = {};
  int depth = 0;
} g_ds;

// The empty text's marker; 'º' is 0xA7.
const char *Empty_Marker() { return "!º$%&/()=?"_cp; }

bool Is_Space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

int Write_Checked(int printed) {
  if (printed < 0 || std::ferror(g_ds.writer)) {
    g_ds.write_failed = 1;
    return 1;
  }
  return 0;
}

// Next token of the reader (bytes up to white space); false at the end of the data.
bool Next_Token(std::string &token) {
  const std::string &d = g_ds.data;
  while (g_ds.pos < d.size() && Is_Space(d[g_ds.pos])) ++g_ds.pos;
  if (g_ds.pos >= d.size()) return false;
  std::size_t start = g_ds.pos;
  while (g_ds.pos < d.size() && !Is_Space(d[g_ds.pos])) ++g_ds.pos;
  token.assign(d, start, g_ds.pos - start);
  return true;
}

// A whole token as a finite double.
bool Parse_Double(const std::string &token, double &out) {
  if (token.empty() || token.find('\0') != std::string::npos) return false;
  char *end = nullptr;
  errno = 0;
  double v = std::strtod(token.c_str(), &end);
  if (end != token.c_str() + token.size() || !std::isfinite(v)) return false;
  out = v;
  return true;
}

bool Parse_Int(const std::string &token, int &out) {
  if (token.empty() || token.find('\0') != std::string::npos) return false;
  char *end = nullptr;
  errno = 0;
  long v = std::strtol(token.c_str(), &end, 10);
  if (end != token.c_str() + token.size() || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
  out = static_cast<int>(v);
  return true;
}

void Store_Default(void *value, int type, const void *default_value) {
  if (!value) return;
  switch (type) {
    case 'd': *static_cast<double *>(value) = default_value ? *static_cast<const double *>(default_value) : 0.0; break;
    case 'i': *static_cast<int *>(value) = default_value ? *static_cast<const int *>(default_value) : 0; break;
    case 't': {
      char *buf = static_cast<char *>(value);
      const char *def = default_value ? static_cast<const char *>(default_value) : "";
      std::size_t n = std::strlen(def);
      if (n > kMaxText) n = kMaxText;
      std::memmove(buf, def, n);
      buf[n] = '\0';
      break;
    }
    default: break;
  }
}

}  // namespace

// ---------------------------------------------------------------- writer

int Open_Data_Writer(const char *path) {
  Register_Support_Reset();
  Close_Data_Writer();
  if (!path) return 1;
  // A data file is replaced only when the whole new file was written; a device or a pipe
  // is no file to keep and is written as it is.
  struct stat st;
  const bool stream_target = stat(path, &st) == 0 && (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode));
  g_ds.writer = stream_target ? std::fopen(path, "wb") : Begin_File_Replace(&g_ds.file, path);
  g_ds.write_failed = 0;
  return g_ds.writer ? 0 : 1;
}

int Close_Data_Writer() {
  if (!g_ds.writer) return 0;
  int failed = g_ds.write_failed;
  if (!g_ds.file.stream) {  // a device or a pipe, written as it is
    if (std::fclose(g_ds.writer) != 0) failed = 1;
  } else if (failed) {
    Abort_File_Replace(&g_ds.file);  // the old file stays
  } else {
    failed = Commit_File_Replace(&g_ds.file);
  }
  g_ds.writer = nullptr;
  g_ds.write_failed = 0;
  return failed;
}

int Write_Struct_Version(double version) {
  if (!g_ds.writer) return 1;
  return Write_Checked(std::fprintf(g_ds.writer, " %lf # Strukturversionsnummer\n", version));
}

int Write_Data_Value(const void *value, int type) {
  if (!g_ds.writer) return 1;
  switch (type) {
    case 'd': {
      if (!value) return 1;
      double v = *static_cast<const double *>(value);
      if (!std::isfinite(v)) return 1;
      return Write_Checked(std::fprintf(g_ds.writer, " %e ", v));
    }
    case 'i':
      if (!value) return 1;
      return Write_Checked(std::fprintf(g_ds.writer, " %d ", *static_cast<const int *>(value)));
    case 't': {
      const char *text = value ? static_cast<const char *>(value) : "";
      std::size_t n = std::strlen(text);
      if (n > kMaxText) n = kMaxText;
      // The reader would turn a 0x8C of the text into a blank and the empty text's marker
      // into "": such a text is refused rather than read back as another one.
      if (std::memchr(text, kBlankByte, n) || (n == std::strlen(Empty_Marker()) && !std::memcmp(text, Empty_Marker(), n)))
        return 1;
      char buf[kMaxText + 1];
      for (std::size_t k = 0; k < n; ++k) buf[k] = Is_Space(text[k]) ? kBlankByte : text[k];
      buf[n] = '\0';
      return Write_Checked(std::fprintf(g_ds.writer, " %s ", n ? buf : Empty_Marker()));
    }
    default: return 1;
  }
}

int Write_Data_Newline() {
  if (!g_ds.writer) return 1;
  return Write_Checked(std::fputc('\n', g_ds.writer) == EOF ? -1 : 1);
}

// ---------------------------------------------------------------- reader

int Open_Data_Reader(const char *path) {
  Register_Support_Reset();
  Close_Data_Reader();
  std::string data;
  if (Read_Whole_File(path, &data, 0) != WHOLE_FILE_OK) return 1;  // a regular file up to the cap
  g_ds.data = std::move(data);
  g_ds.reading = true;
  return 0;
}

int Open_Data_Reader_Memory(const void *data, std::size_t size) {
  Register_Support_Reset();
  Close_Data_Reader();
  if (!data && size) return 1;
  if (size) g_ds.data.assign(static_cast<const char *>(data), size);
  g_ds.reading = true;
  return 0;
}

void Close_Data_Reader() {
  g_ds.reading = false;
  g_ds.data.clear();
  g_ds.data.shrink_to_fit();
  g_ds.pos = 0;
  g_ds.depth = 0;
}

int Read_Struct_Version(double supported_version) {
  if (!g_ds.reading || g_ds.depth >= kMaxDepth) return 1;
  std::string token;
  double version;
  if (!Next_Token(token) || !Parse_Double(token, version)) return 1;
  // The rest of the line is the comment "# Strukturversionsnummer" (or nothing).
  const std::string &d = g_ds.data;
  while (g_ds.pos < d.size() && (d[g_ds.pos] == ' ' || d[g_ds.pos] == '\t')) ++g_ds.pos;
  if (g_ds.pos < d.size() && d[g_ds.pos] != '#' && d[g_ds.pos] != '\n' && d[g_ds.pos] != '\r') return 1;
  while (g_ds.pos < d.size() && d[g_ds.pos] != '\n') ++g_ds.pos;
  if (version > supported_version) {
    if (!Is_Refresh_Mode()) {
      Init_Message();
      Fill_Message("%s", "Alte Programmversion -> kann Daten nicht lesen!");
      Draw_Message();
    }
    return 2;
  }
  g_ds.versions[g_ds.depth++] = version;
  return 0;
}

int Read_Data_Value(void *value, int type, double field_version, const void *default_value) {
  if (!value || (type != 'd' && type != 'i' && type != 't')) return 1;
  if (g_ds.depth > 0 && field_version > g_ds.versions[g_ds.depth - 1]) {
    Store_Default(value, type, default_value);
    return 0;
  }
  std::string token;
  bool ok = g_ds.reading && Next_Token(token);
  if (ok) {
    switch (type) {
      case 'd': {
        double v;
        ok = Parse_Double(token, v);
        if (ok) *static_cast<double *>(value) = v;
        break;
      }
      case 'i': {
        int v;
        ok = Parse_Int(token, v);
        if (ok) *static_cast<int *>(value) = v;
        break;
      }
      case 't': {
        ok = token.size() <= kMaxText && token.find('\0') == std::string::npos;
        if (!ok) break;
        char *buf = static_cast<char *>(value);
        if (token == Empty_Marker()) token.clear();
        for (std::size_t k = 0; k < token.size(); ++k) buf[k] = token[k] == kBlankByte ? ' ' : token[k];
        buf[token.size()] = '\0';
        break;
      }
    }
  }
  if (!ok) {
    Store_Default(value, type, default_value);
    return 1;
  }
  return 0;
}

void End_Struct_Version() {
  if (g_ds.depth > 0) --g_ds.depth;
}

long Tell_Data_Position() { return g_ds.reading ? static_cast<long>(g_ds.pos) : -1; }

int Seek_Data_Position(long position) {
  if (!g_ds.reading || position < 0 || static_cast<std::size_t>(position) > g_ds.data.size()) return 1;
  g_ds.pos = static_cast<std::size_t>(position);
  return 0;
}

void Reset_Datastream_State() {
  if (g_ds.file.stream) Abort_File_Replace(&g_ds.file);  // nothing half written is put in place
  else Close_Data_Writer();
  Close_Data_Reader();
  g_ds = DatastreamState{};
}
