// sections/profil_library.cpp — the profile library: reading the library file "PROFIL",
// lookup by name, family of a name, the values of the stress check, the host programs
// around the library (profile manager, R7-PLAX modeller).
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/host.h"
#include "sections/sections.h"
#include "sections/profil_library_record.h"
#include "sections/sections_internal.h"
#include "sections/sections_state.h"
#include "support/cp850.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

constexpr int kQueryBytes = 64;  // a longer query cannot match a 16-byte name anyway

// Parses a whole library image; 0 and an empty table when any record is bad
// (Check_Profil_Library_Record).
int _Parse_Image(const unsigned char *data, std::size_t size, std::vector<SECTIONS_LIB_RECORD> *out) {
  out->clear();
  if (!data || size % PROFIL_LIB_RECORD_BYTES != 0) return 0;
  const std::size_t n = size / PROFIL_LIB_RECORD_BYTES;
  std::vector<SECTIONS_LIB_RECORD> table(n);
  for (std::size_t k = 0; k < n; ++k) {
    const unsigned char *rec = data + k * PROFIL_LIB_RECORD_BYTES;
    if (Check_Profil_Library_Record(rec) != PROFIL_LIB_RECORD_GOOD) return 0;
    SECTIONS_LIB_RECORD &r = table[k];
    std::memset(&r, 0, sizeof r);
    for (int len = 0; len < PROFIL_LIB_NAME_BYTES && rec[len] != 0; ++len) {
      r.name[len] = static_cast<char>(rec[len]);
      r.key[len] = static_cast<char>(std::toupper(rec[len]));
    }
    r.family = static_cast<std::int32_t>(Profil_Library_Get32(rec + 16));
    for (int j = 5; j < PROFIL_LIB_PLACES; ++j) {
      const std::uint32_t bits = Profil_Library_Get32(rec + 4 * j);
      std::memcpy(&r.values[j], &bits, sizeof r.values[j]);
    }
  }
  out->swap(table);
  return 1;
}

std::string _Library_Path() {
  const char *dir = YRMGetEnv("DATA");
  std::string path = dir && *dir ? dir : PF_DATA_DIR;
  if (path.back() != '/') path += '/';
  return path + "PROFIL";
}

// The library in use: read (again) when not loaded or when "DATA" names another folder.
const std::vector<SECTIONS_LIB_RECORD> &_Library() {
  SectionsState &s = Sections_State();
  if (s.lib_pinned) return s.lib;
  const std::string path = _Library_Path();
  if (s.lib_loaded && path == s.lib_path) return s.lib;
  s.lib.clear();
  s.lib_loaded = 1;
  s.lib_path = path;
  s.lib_fault.clear();
  // Without its library the program finds no profile by name: the user is told why, once
  // for each file read.
  std::string image;
  const int read = Read_Whole_File(path.c_str(), &image, PROFIL_LIB_MAX_BYTES);
  const char *why = nullptr;
  if (read == WHOLE_FILE_NOT_OPENED)
    why = errno == ENOENT ? "nicht vorhanden" : "nicht lesbar";
  else if (read == WHOLE_FILE_READ_ERROR || read == WHOLE_FILE_NOT_REGULAR)  // a folder, FIFO or device
    why = "nicht lesbar";
  else if (read == WHOLE_FILE_TOO_BIG)
    why = "größer als 16 MiB"_cp;
  else if (image.empty() || !_Parse_Image(reinterpret_cast<const unsigned char *>(image.data()), image.size(), &s.lib))
    why = "unvollständig oder beschädigt"_cp;
  if (why) {
    s.lib_fault = "Profilbibliothek \"" + path + "\" " + why;
    Hinweis_Message(0, "%s", s.lib_fault.c_str());
  }
  return s.lib;
}

// Upper-cased copy without any blank, cut at kQueryBytes − 1.
void _Query_Key(const char *name, char *key) {
  int n = 0;
  for (const char *p = name; *p && n < kQueryBytes - 1; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == ' ' || c == '\t') continue;
    key[n++] = static_cast<char>(std::toupper(c));
  }
  key[n] = '\0';
}

const SECTIONS_LIB_RECORD *_Find(const char *name) {
  if (!name) return nullptr;
  char key[kQueryBytes];
  _Query_Key(name, key);
  Normalize_HE_Series_Text(key);
  if (!key[0]) return nullptr;
  for (const SECTIONS_LIB_RECORD &r : _Library())
    if (std::strcmp(r.key, key) == 0) return &r;
  return nullptr;
}

int _Starts(const char *text, const char *prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// Family by the beginning of a trimmed, upper-cased name.
int _Family_by_Prefix(const char *t) {
  if (_Starts(t, "HE") || _Starts(t, "HD") || _Starts(t, "I")) return PROFIL_FAMILY_I;  // IPE, IPN
  if (_Starts(t, "RR") || _Starts(t, "QR") || _Starts(t, "RHS") || _Starts(t, "SHS")) return PROFIL_FAMILY_RHS;
  if (_Starts(t, "U")) return PROFIL_FAMILY_U;
  if (_Starts(t, "T")) return PROFIL_FAMILY_T;
  if (_Starts(t, "L")) return PROFIL_FAMILY_L;
  if (_Starts(t, "Z")) return PROFIL_FAMILY_Z;
  if ((t[0] == 'R' && (t[1] == ' ' || std::isdigit(static_cast<unsigned char>(t[1])))) || _Starts(t, "RO") ||
      _Starts(t, "CHS"))
    return PROFIL_FAMILY_CHS;
  return PROFIL_FAMILY_NONE;
}

void _Trimmed_Upper(const char *name, char *out) {
  std::snprintf(out, kQueryBytes, "%s", name);
  Trim_Blanks(out);
  Upper_Case_Text(out);
}

}  // namespace

// ---------------------------------------------------------------- names
int Normalize_HE_Series_Text(char *t) {
  if (!t) return 0;
  const std::size_t n = std::strlen(t);
  if (n < 3 || t[0] != 'H' || t[1] != 'E' || (t[2] != 'A' && t[2] != 'B' && t[2] != 'M')) return 0;
  if (static_cast<unsigned char>(t[n - 1]) > 64) return 0;
  std::string out = "HE";
  for (std::size_t k = 2; k < n; ++k)
    if (static_cast<unsigned char>(t[k]) < 65) out += t[k];
  for (std::size_t k = 2; k < n; ++k)
    if (static_cast<unsigned char>(t[k]) > 64) out += t[k];
  std::memcpy(t, out.data(), n);  // the same characters in another order: same length
  return 1;
}

// ---------------------------------------------------------------- lookup
const float *Find_Profil_in_Database(const char *name, const char **library_name) {
  const SECTIONS_LIB_RECORD *r = _Find(name);
  if (library_name) *library_name = r ? r->name : nullptr;
  return r ? r->values : nullptr;
}

int Get_Profil_Typ_Index(const char *name) {
  if (!name) return PROFIL_FAMILY_NONE;
  if (const SECTIONS_LIB_RECORD *r = _Find(name)) return r->family;
  char t[kQueryBytes];
  _Trimmed_Upper(name, t);
  return _Family_by_Prefix(t);
}

int Get_Profil_Data(const char *name, float *values, char *code) {
  const SECTIONS_LIB_RECORD *r = _Find(name);
  if (values)
    for (int k = 0; k < PROFIL_LIB_PLACES - 5; ++k) values[k] = r ? r->values[k + 5] : 0.0f;
  if (code) std::memcpy(code, r ? "LIB" : "ERR", 4);
  return r ? 1 : 0;
}

int Get_Profil_Typ(const char *name) {
  if (!name) return 0;
  static const int kByFamily[] = {1, 4, 3, 2, 5, 6, 7};  // families 0..6
  const int family = Get_Profil_Typ_Index(name);
  if (family >= 0 && family <= PROFIL_FAMILY_CHS) return kByFamily[family];
  char t[kQueryBytes];
  _Trimmed_Upper(name, t);
  if (_Starts(t, "FL")) return 11;
  if (t[0] == 'O') return 12;
  return 0;
}

const char *Get_Profil_Library_Fault() {
  _Library();  // read when a lookup would read it
  return Sections_State().lib_fault.c_str();
}

// ---------------------------------------------------------------- internals for tests
int Use_Profil_Library_Image(const unsigned char *data, std::size_t size) {
  SectionsState &s = Sections_State();
  s.lib_pinned = 1;
  s.lib_loaded = 1;
  s.lib_path.clear();
  s.lib_fault.clear();
  return _Parse_Image(data, size, &s.lib) ? static_cast<int>(s.lib.size()) : -1;
}

int Count_Profil_Library_Records() { return static_cast<int>(_Library().size()); }

const char *Get_Profil_Library_Path() {
  static std::string path;  // the caller reads it before the next call
  path = _Library_Path();
  return path.c_str();
}

int Get_Profil_Section_Cache_Key() { return Sections_State().section_cache_key; }

// ---------------------------------------------------------------- host programs
int Is_QUER_Modeller_Installed() {
  SectionsState &s = Sections_State();
  if (!s.modeller_tested) {
    s.modeller_tested = 1;
    const char *exec = YRMGetEnv("EXEC");
    if (exec && *exec) {
      std::string path = exec;
      if (path.back() != '/') path += '/';
      path += "Korvandt.exe";
      s.modeller_installed = access(path.c_str(), F_OK) == 0 ? 1 : 0;
    }
  }
  return s.modeller_installed;
}

void Set_Profilmanager_Default(const char *name) {
  char copy[kQueryBytes] = "";
  if (name) std::snprintf(copy, sizeof copy, "%s", name);
  Blank_to_Tilde(copy);
  Sections_State().manager_default = copy;
}

void Set_Profilmanager_Filter(const char *filter) {
  char copy[kQueryBytes] = "";
  if (filter) std::snprintf(copy, sizeof copy, "%s", filter);
  Sections_State().manager_filter = copy;
}

int Build_Profilmanager_Command(char *buffer, int size) {
  if (!buffer || size < 1) return -1;
  const SectionsState &s = Sections_State();
  const char *exec = YRMGetEnv("EXEC");
  std::string program = exec && *exec ? exec : ".";
  if (program.back() != '/') program += '/';
  // Each argument quoted for the shell, as the modeller's command line has it: a folder or
  // a filter with blanks or quotes stays one argument.
  std::string line = Quote_Shell_Argument(program + "Sulpent.exe") + " " + Quote_Shell_Argument("TRANSFER");
  if (!s.manager_default.empty()) line += " " + Quote_Shell_Argument("DEFAULT=" + s.manager_default);
  if (!s.manager_filter.empty()) line += " " + Quote_Shell_Argument("FILTER=" + s.manager_filter);
  std::snprintf(buffer, static_cast<std::size_t>(size), "%s", line.c_str());
  return static_cast<int>(line.size());
}

const char *Run_Profilmanager() {
  // The profile manager is not installed here (Is_Profilmanager_Available is 0): the
  // command line of Build_Profilmanager_Command is never started and no name comes back.
  return nullptr;
}
