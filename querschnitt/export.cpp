// querschnitt/export.cpp — a parametric profile's thin-walled model exported as an
// imported section of the catalogue: the exchange file, the entry, the member's ".XPR"
// with its VALUES block.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "profil/profil.h"
#include "querschnitt/querschnitt.h"
#include "querschnitt/querschnitt_internal.h"
#include "sections/sections.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

// A work file of the member: its stem, the file number and the ending.
std::string _Member_File(const char *ending) {
  return std::string(Get_Bauteil_Path()) + Get_File_Number_Suffix() + ending;
}

constexpr int kRecords = 100;  // node and line records of the export tables

// The two tables of the last export (cm), overwritten by each export.
struct ExportTables {
  XPRT_NODE nodes[kRecords];
  XPRT_LINE lines[kRecords];
  int n_nodes = 0, n_lines = 0;
  int overflow = 0;  // the model had more than kRecords nodes or lines
};
ExportTables t;

void _Node(void *, int nr, double y, double z) {
  if (nr < 1 || nr > kRecords) {
    t.overflow = 1;
    return;
  }
  t.nodes[nr - 1] = XPRT_NODE{nr, 0.1 * y, 0.1 * z};
  if (nr > t.n_nodes) t.n_nodes = nr;
}

void _Line(void *, int nr, int a, int b, const double *v) {
  if (nr < 1 || nr > kRecords) {
    t.overflow = 1;
    return;
  }
  Set_QImport_Model_Line(nr, a, b, v);
  if (nr > t.n_lines) t.n_lines = nr;
}

// The export numbers the nodes and lines of channels and Z sections (top flange, web,
// bottom flange; the web's joints as nodes 2 and 3) and of T sections (both tips, then
// the joint and the foot) in their own order; the model is the same.
void _Export_Order(int type) {
  int node_map[5] = {0, 1, 2, 3, 4};  // old number -> new number
  int line_order[3] = {0, 1, 2};      // new line k comes from old line line_order[k]
  if ((type == PROFIL_C || type == PROFIL_U || type == PROFIL_Z) && t.n_nodes == 4 && t.n_lines == 3) {
    node_map[3] = 4, node_map[4] = 3;
    line_order[1] = 2, line_order[2] = 1;
  } else if ((type == PROFIL_T || type == PROFIL_HALF_I) && t.n_nodes == 4) {
    node_map[2] = 3, node_map[3] = 2;
  } else {
    return;
  }
  XPRT_NODE nodes[4];
  XPRT_LINE lines[3];
  for (int k = 0; k < 4; ++k) nodes[node_map[k + 1] - 1] = t.nodes[k];
  for (int k = 0; k < 3; ++k) lines[k] = t.lines[line_order[k]];
  for (int k = 0; k < 4; ++k) t.nodes[k] = nodes[k], t.nodes[k].number = k + 1;
  for (int k = 0; k < 3; ++k) {
    t.lines[k] = lines[k];
    t.lines[k].number = k + 1;
    t.lines[k].p_a = node_map[lines[k].p_a];
    t.lines[k].p_e = node_map[lines[k].p_e];
  }
}

// "%lf" of the C locale, whatever the program's locale.
std::string _Fixed6(double v) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 6);
  return std::string(buf, r.ptr);
}

// True when a line of the text begins with "VALUES" (Seek_Keyword_Line on the text).
bool _Has_Values_Line(std::string &text) {
  if (text.empty()) return false;
  FILE *m = fmemopen(text.data(), text.size(), "r");
  const bool found = m && Seek_Keyword_Line("VALUES", m, nullptr);
  if (m) std::fclose(m);
  return found;
}

}  // namespace

void Set_QImport_Model_Line(int nr, int node_a, int node_b, const double *v) {
  if (nr > kRecords) return;
  if (nr < 1) nr = 1;
  XPRT_LINE &l = t.lines[nr - 1];
  l = XPRT_LINE{};
  if (!v) return;
  l.number = nr;
  l.p_a = node_a;
  l.p_e = node_b;
  l.d_a = 0.1 * v[0];
  l.d_e = 0.1 * v[1];
  l.s = 0.1 * v[2];
  l.r_al = 0.1 * v[5];
  l.r_ar = 0.1 * v[6];
  l.r_el = 0.1 * v[7];
  l.r_er = 0.1 * v[8];
}

int Get_QImport_Model_Node(int index, XPRT_NODE *out) {
  if (index < 0 || index >= kRecords || !out) return 0;
  *out = t.nodes[index];
  return 1;
}

int Get_QImport_Model_Line(int index, XPRT_LINE *out) {
  if (index < 0 || index >= kRecords || !out) return 0;
  *out = t.lines[index];
  return 1;
}

int DWQB_QImport(QUERSCHNITT *record, int grade_code, int second_code, PROFIL *profil) {
  // An R7-PLAX section has no model to export: refused before any file is touched.
  if (!profil || profil->kind == PROFIL_KIND_QUER) return 1;
  const std::string xpr = _Member_File(".XPR");
  std::remove(xpr.c_str());

  t = ExportTables{};
  const PROFIL_MODEL_SINK sink{_Node, _Line, nullptr};
  Build_Profil_Model(profil, &sink, 0, nullptr, nullptr);
  if (t.overflow || t.n_nodes < 1 || t.n_lines < 1) return 1;
  _Export_Order(profil->type);

  const XPRT_REQUEST request{"DWQB_QImport", 14, t.n_nodes, t.n_lines, Get_QImport_Model_Node,
                             Get_QImport_Model_Line, nullptr};
  QIMPORT_ENTRY *entry = Write_XPRT_File(&request);
  if (!entry) return 1;
  // The file the exchange writer wrote (whatever exchange name is set) and the text it
  // wrote: the entry's, kept before an entry without record is dropped.
  const std::string written = Get_XPRT_Path();
  const std::string mine = entry->text ? entry->text : "";

  if (record) {
    if (!Set_Querschnitt_Imported(record, grade_code, second_code, entry)) return 1;
    Save_QImport_Sections();  // its 1 while the catalogue's files are unset changes nothing here
  } else {
    QUERSCHNITT temp{};
    Init_Querschnitt_Record(&temp);
    Set_Querschnitt_Imported(&temp, grade_code, second_code, entry);
    Free_Querschnitt_Record(&temp);
    Purge_QImport_Entries();
  }

  // The member's ".XPR": the exchange text with the VALUES block behind it, written in one
  // piece through the replace helper. The text is this export's own, never the shared
  // exchange file read again.
  std::string text = mine;
  if (!_Has_Values_Line(text)) {
    double I_1 = profil->I_y, I_2 = profil->I_z, alpha = profil->alpha * M_PI / 180.0;
    if (std::fabs(alpha) > 0.001) {
      double deg = 0.0;
      Calc_Profil_Principal_Moments(profil->I_y, profil->I_z, profil->I_yz, profil->alpha, &I_1, &I_2, &deg);
      alpha = deg * M_PI / 180.0;
    } else {
      alpha = 0.0;
    }
    text += "\nVALUES\n";
    const char *keys[5] = {".EY_", ".EZ_", ".I11", ".I22", ".ALF"};
    const double values[5] = {0.0, 0.0, I_1 * 0.0001, I_2 * 0.0001, alpha};
    for (int k = 0; k < 5; ++k) text += std::string(keys[k]) + " " + _Fixed6(values[k]) + "\n";
    text += "\n";
  }
  // The exchange file goes only while it still holds this export's text: a run of a member
  // whose stem begins alike may have written its own there since.
  std::string now;
  if (Replace_File_Text(xpr.c_str(), text) == 0 && written != xpr &&
      Read_Whole_File(written.c_str(), &now, mine.size() + 1) == WHOLE_FILE_OK && now == mine)
    std::remove(written.c_str());
  return 0;
}

int Export_Profil_QImport(QUERSCHNITT *record, int grade_code, int second_code, PROFIL *profil) {
  if (!profil || profil->kind != PROFIL_KIND_PARAMETRIC) return 1;
  return DWQB_QImport(record, grade_code, second_code, profil);
}

// ---------------------------------------------------------------- refresh of the ".XPR"

namespace {

// The profile for which the member's ".XPR" was last refreshed, with its kind (-1 before
// the first refresh of the run).
struct RefreshState {
  PROFIL saved{};
  int kind = -1;
};
RefreshState rs;

// True when path is a regular file that can be read (a FIFO or a device is not).
bool _Exists(const std::string &path) {
  FILE *f = Open_Input_File(path.c_str(), 0, nullptr);
  if (f) std::fclose(f);
  return f != nullptr;
}

// The object file of a library profile: its head and its name (trailing blanks dropped).
int _Write_Library_Object(FILE *f, void *context) {
  std::string name = static_cast<const char *>(context);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return std::fprintf(f, "\nOBJECT\n3 1 1\n\nPROFILNAME\n%s\n", name.c_str()) < 0 ? 1 : 0;
}

}  // namespace

void Reset_Querschnitt_Export() {
  // The catalogue's own reset may have freed the saved copy's entry already: only the
  // copy's tables go.
  rs.saved.entry = nullptr;
  Reset_Profil(&rs.saved);
  rs = RefreshState{};
}

int Refresh_Profil_XPR(PROFIL *profil, int force) {
  if (!profil) return 1;
  Querschnitt_Register_Reset();
  Copy_Material_Data(&profil->grade, &rs.saved.grade);
  if (rs.kind == profil->kind && !force && Compare_Profil(profil, &rs.saved)) {
    Copy_Profil(profil, &rs.saved);
    return 0;
  }
  const std::string xpr = _Member_File(".XPR");
  // own: the ".XPR" is this routine's product (kinds 0 and 1); an imported section's
  // ".XPR" is the user's section itself and is never removed.
  const bool own = profil->kind != PROFIL_KIND_QUER;
  bool produced = false;
  if (profil->kind == PROFIL_KIND_LIBRARY) {
    MEM_FREE(profil->nodes);
    MEM_FREE(profil->lines);
    profil->nodes = nullptr;
    profil->lines = nullptr;
    profil->node_count = profil->line_count = 0;
    produced = Replace_File(xpr.c_str(), _Write_Library_Object, profil->name) == 0;
  } else if (profil->kind == PROFIL_KIND_QUER) {
    produced = profil->entry && _Exists(xpr);
  } else {
    produced = Export_Profil_QImport(nullptr, 0, 0, profil) == 0 && _Exists(xpr);
  }
  // A missing FEM program means no refresh, not a failed file.
  const int fem = produced ? Read_FEM_Object_File(xpr.c_str()) : FEM_OBJECT_NO_FILE;
  const bool ok = fem == FEM_OBJECT_OK || fem == FEM_OBJECT_NOT_INSTALLED;
  if (!ok && own) {
    std::remove(xpr.c_str());
    std::remove(_Member_File(".res").c_str());
  }
  rs.kind = profil->kind;
  Copy_Profil(profil, &rs.saved);
  return ok ? 0 : 1;
}
