// profil/profil_file.cpp — the profile block of the member data file: writing (version
// 10) and reading every version since 0, with the renewal of an R7-PLAX section from the
// member's ".XPR" file and the notes on the profile manager.
#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <locale.h>
#include <unistd.h>

#include "host/host.h"
#include "profil/profil.h"
#include "profil/profil_state.h"
#include "support/cp850.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

constexpr int kVersion = 10;
constexpr int kMaxItems = 10000;  // nodes and lines of an R7-PLAX section

// The C locale for this thread while a block is written or read, so that numbers use
// '.' whatever locale the program runs in.
class CLocale {
 public:
  CLocale() : c_(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0))) {
    if (c_) old_ = uselocale(c_);
  }
  ~CLocale() {
    if (c_) {
      uselocale(old_);
      freelocale(c_);
    }
  }
  CLocale(const CLocale &) = delete;
  CLocale &operator=(const CLocale &) = delete;

 private:
  locale_t c_;
  locale_t old_ = static_cast<locale_t>(0);
};

bool _Int(FILE *f, int32_t *out) {
  long v;
  if (std::fscanf(f, "%ld", &v) != 1 || v < INT32_MIN || v > INT32_MAX) return false;
  *out = static_cast<int32_t>(v);
  return true;
}

bool _Dbl(FILE *f, double *out) {
  double v;
  if (std::fscanf(f, "%lf", &v) != 1 || !std::isfinite(v)) return false;
  *out = v;
  return true;
}

template <class... T>
bool _Ints(FILE *f, T *...out) {
  return (_Int(f, out) && ...);
}
template <class... T>
bool _Dbls(FILE *f, T *...out) {
  return (_Dbl(f, out) && ...);
}

// The name token: at most 39 bytes; a longer token fails.
bool _Name(FILE *f, char *out) {
  char buf[PROFIL_NAME_SIZE];
  if (std::fscanf(f, "%39s", buf) != 1) return false;
  static_assert(PROFIL_NAME_SIZE == 40, "width of the name conversion");
  if (std::strlen(buf) == PROFIL_NAME_SIZE - 1) {
    const int next = std::fgetc(f);
    if (next != EOF) {
      std::ungetc(next, f);
      if (!std::isspace(next)) return false;
    }
  }
  std::memcpy(out, buf, sizeof buf);
  return true;
}

void _Note(int *shown, const char *text) {
  if (Is_Refresh_Mode() || *shown) return;
  *shown = 1;
  Init_Message();
  Fill_Message("%s", text);
  Draw_Message();
}

// Versions 0 and 1 stored a library profile by its name only: it is built again from the
// library. A name the library does not know, or whose series has no shape type, keeps
// what the block held. Returns 1 when rebuilt.
int _Rebuild_Library_Profil(PROFIL *p) {
  char name[PROFIL_NAME_SIZE];
  std::memcpy(name, p->name, sizeof name);
  name[PROFIL_NAME_SIZE - 1] = '\0';
  Trim_Blanks(name);
  const char *spelling = nullptr;
  int type = 0;
  if (!*name || !Find_Profil_in_Database(name, &spelling) || !Set_Profil_Type_by_Series(spelling, &type)) return 0;
  Set_Profil_by_Library_Name(p, name);
  return 1;
}

// The R7-PLAX rows (7b to 11) of a kind-2 block.
int _Read_Quer_Rows(FILE *f, PROFIL *p, int version) {
  int32_t nodes, lines;
  if (!_Ints(f, &p->model_kind, &nodes, &lines, &p->obj_a, &p->obj_b)) return 1;
  if (nodes < 0 || nodes > kMaxItems || lines < 0 || lines > kMaxItems) return 1;
  if (nodes > 0) {
    p->nodes = static_cast<PROFIL_NODE *>(MEM_CALLOC(static_cast<std::size_t>(nodes), sizeof(PROFIL_NODE)));
    if (!p->nodes) Exit_Memory_Exhausted();
    p->node_count = nodes;
  }
  for (int k = 0; k < nodes; ++k) {
    PROFIL_NODE &n = p->nodes[k];
    if (!_Ints(f, &n.number, &n.polygon) || !_Dbls(f, &n.y, &n.z)) return 1;
    if (version >= 8 && !_Dbl(f, &n.s_p)) return 1;
  }
  if (lines > 0) {
    p->lines = static_cast<PROFIL_LINE *>(MEM_CALLOC(static_cast<std::size_t>(lines), sizeof(PROFIL_LINE)));
    if (!p->lines) Exit_Memory_Exhausted();
    p->line_count = lines;
  }
  for (int k = 0; k < lines; ++k) {
    PROFIL_LINE &l = p->lines[k];
    if (!_Ints(f, &l.number, &l.p_a, &l.p_e)) return 1;
    if (version >= 8 && !_Dbl(f, &l.s)) return 1;
    if (!_Dbls(f, &l.d_a, &l.d_e, &l.r_al, &l.r_ar, &l.r_el, &l.r_er)) return 1;
  }
  double *v = p->imported;
  if (!_Dbl(f, &v[PROFIL_IMP_A])) return 1;
  for (int k = PROFIL_IMP_Y_S; k < PROFIL_IMPORTED_COUNT; ++k)
    if (!_Dbl(f, &v[k])) return 1;
  if (version >= 9 && !_Dbl(f, &v[PROFIL_IMP_U])) return 1;
  return 0;
}

// Renews the section from the member's ".XPR" file. Without the file, or when the
// take-over fails, the lists and values read from the block stay (with no entry), and
// the file is left as it is.
void _Renew_from_XPR(PROFIL *p) {
  std::string path = Get_Bauteil_Path() ? Get_Bauteil_Path() : "";
  path += Get_File_Number_Suffix();
  path += ".XPR";
  if (access(path.c_str(), F_OK) != 0 || !Set_XPRT_Member_Filename()) return;
  QIMPORT_ENTRY *entry = New_QImport_Entry();
  Add_QImport_Reference(entry, +1);
  p->entry = entry;
  Read_XPRT_Result(entry);
  if (p->model_kind == 0) Write_QUER_EIN();

  PROFIL kept = *p;  // the block's lists and values, handed back on failure
  p->nodes = nullptr;
  p->lines = nullptr;
  if (Set_Profil_from_QImport(p, 0) == 0) {
    MEM_FREE(kept.nodes);
    MEM_FREE(kept.lines);
    return;
  }
  p->model_kind = kept.model_kind;
  p->node_count = kept.node_count;
  p->nodes = kept.nodes;
  p->line_count = kept.line_count;
  p->lines = kept.lines;
  p->obj_a = kept.obj_a;
  p->obj_b = kept.obj_b;
  std::memcpy(p->imported, kept.imported, sizeof p->imported);
}

int _Read(FILE *f, PROFIL *p) {
  ProfilState &st = Profil_State();
  int32_t version;
  if (!_Int(f, &version) || version < 0) return 1;
  if (!Check_File_Version(version, kVersion, 0)) return 1;
  if (!_Ints(f, &p->kind, &p->type) || !_Dbls(f, &p->h, &p->t_w, &p->b_fo, &p->t_fo, &p->b_fu, &p->t_fu) ||
      !_Int(f, &p->rolled) || !_Dbls(f, &p->r, &p->a_o, &p->a_u))
    return 1;
  if (p->kind < PROFIL_KIND_PARAMETRIC || p->kind > PROFIL_KIND_QUER) return 1;  // no such kind
  if (version >= 1) {
    char name[PROFIL_NAME_SIZE];
    if (!_Name(f, name)) return 1;
    Tilde_to_Blank(name);
    std::memcpy(p->name, name, sizeof name);
    Pad_With_Blanks(p->name, PROFIL_NAME_SIZE);
  }
  if (Read_Material_Data(f, &p->grade)) return 1;
  if (version <= 1) {
    // Before version 2 there was no round bar: every later type was one lower.
    const int rebuilt = p->kind == PROFIL_KIND_LIBRARY && _Rebuild_Library_Profil(p);
    if (!rebuilt && p->type > 1) ++p->type;
  }
  if (version >= 3 && !_Dbl(f, &p->r_2)) return 1;
  const int available = Init_Profil_Library(nullptr);
  if (version >= 4) {
    int32_t stored;
    if (!_Int(f, &stored)) return 1;
    if (!available && stored && p->kind == PROFIL_KIND_LIBRARY) {
      p->kind = PROFIL_KIND_PARAMETRIC;
      _Note(&st.manager_gone_shown,
            "!! ACHTUNG !!\nDer neue Profilmanager ist nicht verfügbar.\n"
            "Die betroffenen Profile werden parametrisiert angezeigt."_cp);
    }
  } else if (available && p->kind == PROFIL_KIND_LIBRARY) {
    _Note(&st.manager_new_shown, "!! Der neue Profilmanager ist verfügbar !!\nBitte kontrollieren Sie die gewählten Profile."_cp);
  }
  p->lib_available = available;
  if (version >= 5 && !_Dbls(f, &p->ue_o, &p->ue_u)) return 1;
  if (version >= 6 && !_Ints(f, &p->through_o, &p->through_u)) return 1;
  if (version >= 7 && p->kind == PROFIL_KIND_QUER) {
    if (_Read_Quer_Rows(f, p, version)) return 1;
    _Renew_from_XPR(p);
  }
  if (version >= 10 && !_Int(f, &p->hot_finished)) return 1;
  // A library profile is checked, printed and drawn as the library holds it: stored
  // dimensions that differ give way to the library's (versions 0 and 1 were rebuilt above).
  // A make flag other than 0 and 1 is kept as it was read: the section values refuse it and
  // name it, as they refuse other impossible values, and the library does not hide it.
  if (version >= 2 && p->kind == PROFIL_KIND_LIBRARY && (p->rolled == 0 || p->rolled == 1))
    Take_Profil_Library_Dimensions(p, st.read_note, sizeof st.read_note);
  return 0;
}

// Every number of the block is finite (the reader refuses the others); the grade is
// checked by its own writer.
bool _Writable(const PROFIL *p, int nodes, int lines) {
  if (!All_Finite({p->h, p->t_w, p->b_fo, p->t_fo, p->b_fu, p->t_fu, p->r, p->a_o, p->a_u, p->r_2, p->ue_o, p->ue_u}))
    return false;
  if (p->kind != PROFIL_KIND_QUER) return true;
  for (int k = 0; k < nodes; ++k) {
    const PROFIL_NODE &n = p->nodes[k];
    if (!All_Finite({n.y, n.z, n.s_p})) return false;
  }
  for (int k = 0; k < lines; ++k) {
    const PROFIL_LINE &l = p->lines[k];
    if (!All_Finite({l.s, l.d_a, l.d_e, l.r_al, l.r_ar, l.r_el, l.r_er})) return false;
  }
  for (double v : p->imported)
    if (!std::isfinite(v)) return false;
  return true;
}

}  // namespace

int Write_Profil(FILE *f, const PROFIL *p) {
  if (!f || !p) return 1;
  if (p->kind < PROFIL_KIND_PARAMETRIC || p->kind > PROFIL_KIND_QUER) return 1;  // the reader refuses it
  const int nodes = p->nodes && p->node_count > 0 ? p->node_count : 0;
  const int lines = p->lines && p->line_count > 0 ? p->line_count : 0;
  // The reader refuses larger sections: such a block would not come back.
  if (p->kind == PROFIL_KIND_QUER && (nodes > kMaxItems || lines > kMaxItems)) return 1;
  if (!_Writable(p, nodes, lines)) return 1;
  CLocale c_numbers;

  // The name as one token: white space as '~', an empty name as "~" (a blank alone would
  // let the reader take the grade's version for the name).
  char name[PROFIL_NAME_SIZE];
  const std::size_t len = strnlen(p->name, PROFIL_NAME_SIZE - 1);
  std::memcpy(name, p->name, len);
  name[len] = '\0';
  for (char *c = name; *c; ++c)
    if (std::isspace(static_cast<unsigned char>(*c))) *c = ' ';
  Blank_to_Tilde(name);
  if (!name[0]) std::strcpy(name, "~");

  int bad = std::fprintf(f, " %d\n", kVersion) < 0;
  bad |= std::fprintf(f, " %d %d %lf %lf %lf %lf %lf %lf %d %lf %lf %lf\n", p->kind, p->type, p->h, p->t_w, p->b_fo,
                      p->t_fo, p->b_fu, p->t_fu, p->rolled, p->r, p->a_o, p->a_u) < 0;
  bad |= std::fprintf(f, " %s\n", name) < 0;
  bad |= Write_Material_Data(f, &p->grade);
  bad |= std::fprintf(f, " %lf %d\n", p->r_2, p->lib_available) < 0;
  bad |= std::fprintf(f, " %lf %lf %d %d\n", p->ue_o, p->ue_u, p->through_o, p->through_u) < 0;
  if (p->kind == PROFIL_KIND_QUER) {
    bad |= std::fprintf(f, " %d %d %d %d %d\n", p->model_kind, nodes, lines, p->obj_a, p->obj_b) < 0;
    for (int k = 0; k < nodes && !bad; ++k) {
      const PROFIL_NODE &n = p->nodes[k];
      bad |= std::fprintf(f, " %d %d %lf %lf %lf", n.number, n.polygon, n.y, n.z, n.s_p) < 0;
      if ((k + 1) % 4 == 0 && k + 1 < nodes) std::fputc('\n', f);
    }
    if (nodes % 4) std::fputc('\n', f);
    for (int k = 0; k < lines && !bad; ++k) {
      const PROFIL_LINE &l = p->lines[k];
      bad |= std::fprintf(f, " %d %d %d %lf", l.number, l.p_a, l.p_e, l.s) < 0;
      bad |= std::fprintf(f, " %lf %lf %lf %lf %lf %lf", l.d_a, l.d_e, l.r_al, l.r_ar, l.r_el, l.r_er) < 0;
      if ((k + 1) % 2 == 0 && k + 1 < lines) std::fputc('\n', f);
    }
    if (lines % 2) std::fputc('\n', f);
    const double *v = p->imported;
    bad |= std::fprintf(f, " %lf", v[PROFIL_IMP_A]) < 0;
    for (int k = PROFIL_IMP_Y_S; k < PROFIL_IMPORTED_COUNT; ++k) bad |= std::fprintf(f, " %lf", v[k]) < 0;
    bad |= std::fprintf(f, " %lf\n", v[PROFIL_IMP_U]) < 0;
  }
  bad |= std::fprintf(f, " %d\n", p->hot_finished) < 0;
  // A write that the buffer still holds fails only when it is flushed.
  bad |= std::fflush(f) != 0;
  return bad || std::ferror(f) ? 1 : 0;
}

int Read_Profil(FILE *f, PROFIL *p) {
  Profil_State().read_note[0] = '\0';
  if (!f || !p) return 1;
  Reset_Profil(p);
  CLocale c_numbers;
  return _Read(f, p);
}

const char *Get_Profil_Read_Note() { return Profil_State().read_note; }
