// sections/qimport_file.cpp — the list of imported R7-PLAX sections, the block reader of
// their texts, the exchange file (".XPR"), the section input file (".QIN"), the save
// file (".GRQ") and the start of R7-PLAX. Formats: sections/XPRT_FORMAT.md.
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>

#include <unistd.h>

#include "host/host.h"
#include "sections/sections.h"
#include "sections/sections_state.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

constexpr std::size_t kMaxName = 270;            // exchange names and file paths
constexpr std::size_t kMaxTag = 100;             // caller tag
constexpr long kMaxFile = 16L * 1024 * 1024;     // largest exchange file read
constexpr int kMaxItems = 10000;                 // nodes and lines of a model
constexpr int kMaxValues = 10000;                // pairs asked of a values callback

bool _Space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// First whole token of a line (leading white space skipped): start and length.
std::size_t _First_Token(const char *line, std::size_t len, std::size_t *start) {
  std::size_t a = 0;
  while (a < len && _Space(line[a])) ++a;
  std::size_t b = a;
  while (b < len && !_Space(line[b])) ++b;
  *start = a;
  return b - a;
}

// Calls fn(line, length) for each line of a text until it returns true; returns the
// offset just past that line, or npos.
template <class Fn>
std::size_t _Each_Line(const char *text, std::size_t from, Fn fn) {
  if (!text) return std::string::npos;
  std::size_t pos = from;
  while (text[pos]) {
    const char *nl = std::strchr(text + pos, '\n');
    const std::size_t len = nl ? static_cast<std::size_t>(nl - (text + pos)) : std::strlen(text + pos);
    const std::size_t next = pos + len + (nl ? 1 : 0);
    if (fn(text + pos, len)) return next;
    pos = next;
  }
  return std::string::npos;
}

bool _Token_Is(const char *line, std::size_t len, const char *word) {
  std::size_t start;
  const std::size_t n = _First_Token(line, len, &start);
  return n == std::strlen(word) && std::memcmp(line + start, word, n) == 0;
}

// One number of Scan_QImport_Values at *p: true and *p moved past it.
bool _Scan_Int(const char **p, int *out) {
  const char *s = *p;
  while (_Space(*s)) ++s;
  if (*s == '+' && s[1] != '-') ++s;
  long long v = 0;
  const auto r = std::from_chars(s, s + std::strlen(s), v);
  if (r.ec != std::errc() || v < INT_MIN || v > INT_MAX) return false;
  *out = static_cast<int>(v);
  *p = r.ptr;
  return true;
}

bool _Scan_Double(const char **p, double *out) {
  const char *s = *p;
  while (_Space(*s)) ++s;
  if (*s == '+' && s[1] != '-') ++s;
  double v = 0.0;
  const auto r = std::from_chars(s, s + std::strlen(s), v);
  if (r.ec != std::errc() || !std::isfinite(v)) return false;
  *out = v;
  *p = r.ptr;
  return true;
}

// A number in its shortest round-trip form with '.'.
void _Put_Number(std::string &out, double v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, r.ptr);
}

void _Put_Int(std::string &out, long v) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, r.ptr);
}

// A name as one token: every white-space byte as '~', an empty name as "~".
std::string _Name_Token(const char *name) {
  std::string t = name ? name : "";
  for (char &c : t)
    if (_Space(c)) c = '~';
  return t.empty() ? "~" : t;
}

// Replaces the file at path by the whole text (support's replace helper): true when every
// byte reached the disk; on failure the file keeps its old bytes (or stays absent).
bool _Write_File(const std::string &path, const std::string &text) {
  return Replace_File_Text(path.c_str(), text) == 0;
}

// The text of the entry split into lines (the end of the text ends the last line).
int _Count_Lines(const char *text) {
  int n = 0;
  _Each_Line(text, 0, [&n](const char *, std::size_t) {
    ++n;
    return false;
  });
  return n;
}

void _Append_Text(std::string &out, const char *text) {
  if (!text || !*text) return;
  out += text;
  if (out.back() != '\n') out += '\n';
}

}  // namespace

// ---------------------------------------------------------------- list
// Takes an entry that nobody was handed yet off the list and frees it.
static void _Drop_New_Entry(QIMPORT_ENTRY *e) {
  SectionsState &s = Sections_State();
  s.entries.erase(std::remove(s.entries.begin(), s.entries.end(), e), s.entries.end());
  if (s.cursor_entry == e) s.cursor_entry = nullptr;
  Free_QImport_Entry(e);
}

void Free_QImport_Entry(QIMPORT_ENTRY *entry) {
  if (!entry) return;
  MEM_FREE(entry->text);
  MEM_FREE(entry);
}

QIMPORT_ENTRY *New_QImport_Entry() {
  auto *e = static_cast<QIMPORT_ENTRY *>(MEM_CALLOC(1, sizeof(QIMPORT_ENTRY)));
  if (!e) Exit_Memory_Exhausted();
  Sections_State().entries.push_back(e);
  return e;
}

void Purge_QImport_Entries() {
  SectionsState &s = Sections_State();
  auto keep = s.entries.begin();
  for (QIMPORT_ENTRY *e : s.entries) {
    if (e->ref_count > 0) {
      *keep++ = e;
      continue;
    }
    if (s.cursor_entry == e) s.cursor_entry = nullptr;
    Free_QImport_Entry(e);
  }
  s.entries.erase(keep, s.entries.end());
}

int Count_QImport_Entries() { return static_cast<int>(Sections_State().entries.size()); }

QIMPORT_ENTRY *Get_QImport_Entry(int index) {
  const auto &list = Sections_State().entries;
  return index >= 0 && index < static_cast<int>(list.size()) ? list[index] : nullptr;
}

// ---------------------------------------------------------------- block reader
int Scan_QImport_Values(const char *text, const char *types, ...) {
  if (!text || !types) return 0;
  va_list ap;
  va_start(ap, types);
  int n = 0;
  const char *p = text;
  for (const char *t = types; *t; ++t) {
    bool ok = false;
    if (*t == 'i') ok = _Scan_Int(&p, va_arg(ap, int *));
    else if (*t == 'd') ok = _Scan_Double(&p, va_arg(ap, double *));
    if (!ok) break;
    ++n;
  }
  va_end(ap);
  return n;
}

int Find_QImport_Block(const QIMPORT_ENTRY *entry, const char *keyword, int *count) {
  SectionsState &s = Sections_State();
  s.cursor_entry = entry;
  s.cursor_pos = std::string::npos;
  if (!entry || !entry->text || !keyword) return 0;
  std::size_t after = 0;
  const std::size_t next = _Each_Line(entry->text, 0, [&](const char *line, std::size_t len) {
    if (!_Token_Is(line, len, keyword)) return false;
    std::size_t start;
    const std::size_t n = _First_Token(line, len, &start);
    after = static_cast<std::size_t>(line - entry->text) + start + n;
    return true;
  });
  if (next == std::string::npos) return 0;
  s.cursor_pos = next;
  if (count) {
    // The number behind the keyword, on the keyword's own line only.
    const std::size_t end = next > after && entry->text[next - 1] == '\n' ? next - 1 : next;
    const std::string rest(entry->text + after, end - after);
    if (Scan_QImport_Values(rest.c_str(), "i", count) != 1) *count = -1;
  }
  return 1;
}

const char *Next_QImport_Line() {
  SectionsState &s = Sections_State();
  const QIMPORT_ENTRY *e = s.cursor_entry;
  if (!e || !e->text || s.cursor_pos == std::string::npos || !e->text[s.cursor_pos]) return nullptr;
  const char *line = e->text + s.cursor_pos;
  const char *nl = std::strchr(line, '\n');
  const std::size_t len = nl ? static_cast<std::size_t>(nl - line) : std::strlen(line);
  s.cursor_line.assign(line, len);
  s.cursor_pos += len + (nl ? 1 : 0);
  return s.cursor_line.c_str();
}

int Get_QImport_Value(const QIMPORT_ENTRY *entry, const char *key, double *value) {
  if (!entry || !entry->text || !key) return 0;
  const std::size_t block = _Each_Line(entry->text, 0, [](const char *line, std::size_t len) {
    return _Token_Is(line, len, "VALUES");
  });
  if (block == std::string::npos) return 0;
  int found = 0;
  _Each_Line(entry->text, block, [&](const char *line, std::size_t len) {
    if (!_Token_Is(line, len, key)) return false;
    std::size_t start;
    const std::size_t n = _First_Token(line, len, &start);
    const std::string rest(line + start + n, len - start - n);
    double v;
    if (Scan_QImport_Values(rest.c_str(), "d", &v) != 1) return false;
    if (value) *value = v;
    found = 1;
    return true;
  });
  return found;
}

// ---------------------------------------------------------------- exchange file
int Set_XPRT_Filename(const char *name) {
  if (!name || !*name || std::strlen(name) > kMaxName) return 0;
  Sections_State().xprt_name = name;
  return 1;
}

int Set_XPRT_Member_Filename() {
  std::string rest;
  Make_Stem_Prefix_Filename("", &rest);
  const char *suffix = Get_File_Number_Suffix();
  // The exchange path puts the stem's first characters in front again: the name is what
  // follows them, so that the path is the stem, the suffix and ".XPR".
  return Set_XPRT_Filename((rest + (suffix ? suffix : "") + ".XPR").c_str());
}

const char *Get_XPRT_Path() {
  SectionsState &s = Sections_State();
  s.xprt_path = Make_Stem_Prefix_Filename(s.xprt_name.c_str());
  return s.xprt_path.c_str();
}

// Takes an exchange text into the entry: the text (CR LF as LF, cut at a NUL byte), the
// object type of its "OBJECT" head and the name of its "NAME" line.
static void _Take_XPRT_Text(QIMPORT_ENTRY *entry, std::string data) {
  data.resize(std::strlen(data.c_str()));  // a NUL byte ends the text
  std::string text;
  text.reserve(data.size());
  for (std::size_t k = 0; k < data.size(); ++k)
    if (!(data[k] == '\r' && k + 1 < data.size() && data[k + 1] == '\n')) text += data[k];

  char *copy = MEM_STRDUP(text.c_str());
  if (!copy) Exit_Memory_Exhausted();
  MEM_FREE(entry->text);
  entry->text = copy;
  entry->object_type = 0;
  entry->name[0] = '\0';
  if (Find_QImport_Block(entry, "OBJECT", nullptr)) {
    const char *line = Next_QImport_Line();
    int type;
    if (line && Scan_QImport_Values(line, "i", &type) == 1) entry->object_type = type;
  }
  if (Find_QImport_Block(entry, "NAME", nullptr)) {
    const char *line = Next_QImport_Line();
    if (line) {
      std::size_t start;
      const std::size_t len = std::min<std::size_t>(_First_Token(line, std::strlen(line), &start), 39);
      std::memcpy(entry->name, line + start, len);
      entry->name[len] = '\0';
      Tilde_to_Blank(entry->name);
    }
  }
}

int Read_XPRT_Result(QIMPORT_ENTRY *entry) {
  if (!entry) return 0;
  std::string data;
  if (Read_Whole_File(Get_XPRT_Path(), &data, kMaxFile) != WHOLE_FILE_OK) return 0;
  _Take_XPRT_Text(entry, std::move(data));
  return 1;
}

void Set_XPRT_Write_Hook(void (*hook)(const char *path)) { Sections_State().xprt_write_hook = hook; }

QIMPORT_ENTRY *Write_XPRT_File(const XPRT_REQUEST *r) {
  if (!r || !r->node || !r->line || r->node_count < 1 || r->line_count < 1 || r->node_count > kMaxItems ||
      r->line_count > kMaxItems)
    return nullptr;
  std::string out = "OBJECT\n1 ";
  _Put_Int(out, static_cast<long>(r->object) - 1);
  out += ' ';
  _Put_Int(out, r->object);
  out += '\n';
  if (r->name && *r->name) out += "NAME\n" + _Name_Token(r->name) + "\n";
  out += "NODES ";
  _Put_Int(out, r->node_count);
  out += '\n';
  for (int k = 0; k < r->node_count; ++k) {
    XPRT_NODE n{};
    // A number the reader refuses ("nan", "inf") would make the file unreadable.
    if (!r->node(k, &n) || !All_Finite({n.y, n.z})) return nullptr;
    _Put_Int(out, n.number);
    for (double v : {n.y, n.z}) {
      out += ' ';
      _Put_Number(out, v);
    }
    out += '\n';
  }
  out += "LINES ";
  _Put_Int(out, r->line_count);
  out += "\nNEWLINES\n";
  for (int k = 0; k < r->line_count; ++k) {
    XPRT_LINE l{};
    if (!r->line(k, &l) || !All_Finite({l.d_a, l.d_e, l.s, l.r_al, l.r_ar, l.r_el, l.r_er})) return nullptr;
    for (int v : {l.number, l.p_a, l.p_e, l.flag, 0}) {
      _Put_Int(out, v);
      out += ' ';
    }
    for (double v : {l.d_a, l.d_e, l.s}) {
      _Put_Number(out, v);
      out += ' ';
    }
    out += "0";
    for (double v : {l.r_al, l.r_ar, l.r_el, l.r_er}) {
      out += ' ';
      _Put_Number(out, v);
    }
    out += " 0 0 0\n";
  }
  out += "-1\n";
  if (r->values) {
    std::string block;
    for (int k = 0; k < kMaxValues; ++k) {
      const char *key = nullptr;
      double v = 0.0;
      if (!r->values(k, &key, &v)) break;
      if (!key || !*key || std::strlen(key) > 8 || !std::isfinite(v)) return nullptr;
      block += _Name_Token(key) + " ";
      _Put_Number(block, v);
      block += '\n';
    }
    if (!block.empty()) out += "VALUES\n" + block;
  }
  // The file is written for the host's programs; the entry takes the text from memory. Runs
  // of members whose stems begin alike share the exchange path, and another run may have
  // written the file again before it could be read back.
  if (!_Write_File(Get_XPRT_Path(), out)) return nullptr;
  if (Sections_State().xprt_write_hook) Sections_State().xprt_write_hook(Get_XPRT_Path());
  QIMPORT_ENTRY *e = New_QImport_Entry();
  _Take_XPRT_Text(e, std::move(out));
  return e;
}

// ---------------------------------------------------------------- section files
int Set_QImport_Files(const char *save_path, const char *input_path) {
  if ((save_path && std::strlen(save_path) > kMaxName) || (input_path && std::strlen(input_path) > kMaxName))
    return 0;
  SectionsState &s = Sections_State();
  s.save_path = save_path ? save_path : "";
  s.input_path = input_path ? input_path : "";
  return 1;
}

int Write_QUER_EIN() {
  SectionsState &s = Sections_State();
  if (s.input_path.empty()) return 1;
  std::string out;
  int k = 0;
  for (const QIMPORT_ENTRY *e : s.entries) {
    if (e->object_type != 1) continue;
    out += "QUERSCHNITT ";
    _Put_Int(out, ++k);
    out += '\n';
    _Append_Text(out, e->text);
    out += "ENDE\n";
  }
  return _Write_File(s.input_path, out) ? 0 : 1;
}

int Save_QImport_Sections() {
  Purge_QImport_Entries();
  SectionsState &s = Sections_State();
  if (s.save_path.empty()) return 1;
  std::string out = "VARNO-QUER-ConversionFile V.1\nENTRIES ";
  _Put_Int(out, static_cast<long>(s.entries.size()));
  out += '\n';
  int k = 0;
  for (const QIMPORT_ENTRY *e : s.entries) {
    out += "ENTRY ";
    _Put_Int(out, ++k);
    out += ' ';
    _Put_Int(out, _Count_Lines(e->text));
    out += '\n' + _Name_Token(e->name) + '\n';
    _Append_Text(out, e->text);
  }
  out += "END\n";
  const int saved = _Write_File(s.save_path, out) ? 0 : 1;
  return Write_QUER_EIN() | saved;
}

int Set_QImport_Caller_Tag(const char *tag) {
  if (tag && std::strlen(tag) > kMaxTag) return 0;
  Sections_State().caller_tag = tag ? tag : "";
  return 1;
}

// ---------------------------------------------------------------- R7-PLAX
int Build_QUER_Import_Command(char *buffer, int size, int mode) {
  const char *exec = YRMGetEnv("EXEC");
  if (!buffer || size < 1 || !exec) return -1;
  std::string program = exec;
  if (!program.empty() && program.back() != '/' && program.back() != '\\') program += '/';
  program += "Q.EXE";
  char mode_text[16];
  std::snprintf(mode_text, sizeof mode_text, "%d", mode);
  const std::string cmd = Quote_Shell_Argument(program) + " " + Quote_Shell_Argument(mode_text) + " " +
                          Quote_Shell_Argument(Sections_State().caller_tag) + " " +
                          Quote_Shell_Argument(Get_XPRT_Path());
  std::snprintf(buffer, static_cast<std::size_t>(size), "%s", cmd.c_str());
  return static_cast<int>(cmd.size());
}

QIMPORT_ENTRY *Run_QUER_Import(int mode, QIMPORT_ENTRY *current) {
  const char *exec = YRMGetEnv("EXEC");
  std::string program = exec ? exec : "";
  if (!program.empty() && program.back() != '/' && program.back() != '\\') program += '/';
  program += "Q.EXE";
  if (!exec || access(program.c_str(), F_OK) != 0) {
    Init_Message();
    Fill_Message("%s", "INSTALLATIONSFEHLER ?");
    Draw_Message();
    return nullptr;
  }
  const std::string path = Get_XPRT_Path();
  if (current && current->text) {
    if (!_Write_File(path, current->text)) return nullptr;
  } else {
    std::remove(path.c_str());
  }
  std::string cmd(4096, '\0');
  const int n = Build_QUER_Import_Command(cmd.data(), static_cast<int>(cmd.size()), mode);
  if (n < 0 || n >= static_cast<int>(cmd.size())) return nullptr;
  cmd.resize(static_cast<std::size_t>(n));
  if (std::system(cmd.c_str()) != 0) return nullptr;
  QIMPORT_ENTRY *e = New_QImport_Entry();
  if (!Read_XPRT_Result(e) || !Find_QImport_Block(e, "OBJECT", nullptr)) {
    _Drop_New_Entry(e);
    return nullptr;
  }
  return e;
}

// ---------------------------------------------------------------- FEM object file

namespace {
// One line of a stream without its line end; false at the end or on a read error.
bool _Read_Line(FILE *f, std::string *line) {
  line->clear();
  char buf[4096];
  while (std::fgets(buf, sizeof buf, f)) {
    line->append(buf);
    if (!line->empty() && line->back() == '\n') break;
  }
  if (line->empty()) return false;
  while (!line->empty() && (line->back() == '\n' || line->back() == '\r')) line->pop_back();
  return true;
}
}  // namespace

int Read_FEM_Object_File(const char *path) {
  if (!path || !*path) return FEM_OBJECT_NO_FILE;
  FILE *f = Open_Input_File(path, 0, nullptr);  // a regular file only: a FIFO would block
  if (!f) return FEM_OBJECT_NO_FILE;
  std::string line;
  bool head = false;
  while (_Read_Line(f, &line)) {
    std::size_t start;
    if (_First_Token(line.c_str(), line.size(), &start) == 0) continue;  // blank line
    head = _Token_Is(line.c_str(), line.size(), "OBJECT");
    break;
  }
  int type = 0;
  const bool typed = head && _Read_Line(f, &line) && Scan_QImport_Values(line.c_str(), "i", &type) == 1;
  const bool bad = std::ferror(f) != 0;
  std::fclose(f);
  if (bad) return FEM_OBJECT_NO_FILE;
  if (!typed || type < 1 || type > 3) return FEM_OBJECT_BAD_HEAD;
  // The head is sound; the suite's FEM program that would take the model is not part of
  // this program.
  return FEM_OBJECT_NOT_INSTALLED;
}
