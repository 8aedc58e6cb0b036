// profil/profil_library.cpp — library profiles: lookup, filling a profile from a library
// entry, the shape type from a name's series, the wide-flange name form, the message of
// allowed types, the module's sample profiles, and the profiles derived from a plate or
// an angle.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/host.h"
#include "print/print.h"
#include "profil/profil.h"
#include "profil/profil_state.h"
#include "support/cp850.h"
#include "support/shell.h"

namespace {

constexpr double kRadToDeg = 57.29577951308232;

// A library float in double through its shortest round-trip decimal text, so that the
// value is the one the library's source table gave (2.4f becomes 2.4, not 2.4000000954).
double _Lib(float f) {
  char text[32];
  const auto res = std::to_chars(text, text + sizeof text - 1, f);
  *res.ptr = '\0';
  return std::strtod(text, nullptr);
}

// The trimmed name in a buffer of the record's size.
void _Trimmed(const char *name, char *out) {
  std::snprintf(out, PROFIL_NAME_SIZE, "%s", name);
  Trim_Blanks(out);
}

void _Set_Name(PROFIL *p, const char *name) {
  std::snprintf(p->name, PROFIL_NAME_SIZE, "%s", name);
  Pad_With_Blanks(p->name, PROFIL_NAME_SIZE);
}

}  // namespace

// ---------------------------------------------------------------- lookup
void Find_Profil_in_Library(PROFIL_LIBREF *libref, const char *name) {
  if (!libref || !name) return;
  char trimmed[PROFIL_NAME_SIZE];
  _Trimmed(name, trimmed);
  libref->entry = Find_Profil_in_Database(trimmed, nullptr);
  if (libref->entry) std::memcpy(libref->name, trimmed, sizeof trimmed);
  Pad_With_Blanks(libref->name, PROFIL_NAME_SIZE);
}

void Set_Profil_from_Library(PROFIL_LIBREF *libref, PROFIL *p) {
  if (!libref || !p) return;
  if (!libref->entry) {
    char own[PROFIL_NAME_SIZE];
    std::memcpy(own, libref->name, sizeof own);
    own[PROFIL_NAME_SIZE - 1] = '\0';
    Find_Profil_in_Library(libref, own);
  }
  const float *v = libref->entry;
  if (!v) {
    _Set_Name(p, "???");
    p->rolled = 0;
    p->h = p->t_w = p->b_fo = p->t_fo = p->b_fu = p->t_fu = p->r = p->r_2 = 0.0;
    p->A = p->y_s = p->z_s = p->y_M = p->z_M = p->I_y = p->I_z = p->I_yz = 0.0;
    p->I_T = p->I_w = p->alpha = p->W_pl_y = p->W_pl_z = 0.0;
    return;
  }
  p->h = 10 * _Lib(v[5]);
  p->b_fo = p->b_fu = 10 * _Lib(v[6]);
  p->t_w = 10 * _Lib(v[7]);
  p->t_fo = p->t_fu = 10 * _Lib(v[8]);
  p->A = 100 * _Lib(v[9]);
  p->z_s = 10 * (_Lib(v[5]) - _Lib(v[11]));
  p->y_s = -10 * _Lib(v[12]);
  p->alpha = std::atan(_Lib(v[13])) * kRadToDeg;
  p->I_y = 1e4 * _Lib(v[14]);
  p->I_z = 1e4 * _Lib(v[15]);
  p->I_yz = std::fabs(p->alpha) > 0.01 ? std::sin(-2 * p->alpha / kRadToDeg) * (_Lib(v[18]) - _Lib(v[23])) * 5000 : 0.0;
  p->W_pl_y = 1000 * _Lib(v[21]);
  p->W_pl_z = 1000 * _Lib(v[26]);
  p->I_T = 1e4 * _Lib(v[28]);
  p->I_w = 1e6 * _Lib(v[29]);
  p->r = 10 * _Lib(v[30]);
  if (p->r < 0.01) p->r = p->t_fo;
  p->r_2 = 10 * _Lib(v[31]);
  if (p->r_2 < 0) p->r_2 = 0.0;
  p->rolled = 1;
  char name[PROFIL_NAME_SIZE];
  std::memcpy(name, libref->name, sizeof name);
  name[PROFIL_NAME_SIZE - 1] = '\0';
  _Set_Name(p, name);
  p->y_M = p->z_M = 0.0;
}

// ---------------------------------------------------------------- series
int Set_Profil_Type_by_Series(const char *name, int *type) {
  if (!name || !type) return 0;
  const char *spelling = nullptr;
  Find_Profil_in_Database(name, &spelling);
  char letter_src[PROFIL_NAME_SIZE];
  _Trimmed(spelling ? spelling : name, letter_src);
  Upper_Case_Text(letter_src);
  const char first = letter_src[0];
  int set = 0;
  const int *accepted = nullptr;
  int n_accepted = 0;
  static const int kI[] = {4, 5, 7, 10, 13}, kRHS[] = {8}, kU[] = {6, 12}, kT[] = {11, 15}, kL[] = {3},
                   kZ[] = {14}, kCHS[] = {9};
  switch (Get_Profil_Typ_Index(name)) {
    case PROFIL_FAMILY_I:
      set = first == 'H' ? 5 : first == 'D' ? 7 : first == 'S' ? 10 : first == 'W' ? 13 : 4;
      accepted = kI, n_accepted = 5;
      break;
    case PROFIL_FAMILY_RHS: set = 8, accepted = kRHS, n_accepted = 1; break;
    case PROFIL_FAMILY_U: set = first == 'C' ? 6 : 12, accepted = kU, n_accepted = 2; break;
    case PROFIL_FAMILY_T: set = first == 'T' ? 11 : 15, accepted = kT, n_accepted = 2; break;
    case PROFIL_FAMILY_L: set = 3, accepted = kL, n_accepted = 1; break;
    case PROFIL_FAMILY_Z: set = 14, accepted = kZ, n_accepted = 1; break;
    case PROFIL_FAMILY_CHS: set = 9, accepted = kCHS, n_accepted = 1; break;
    default: return 0;
  }
  if (*type == 0) {
    *type = set;
    return 1;
  }
  for (int k = 0; k < n_accepted; ++k)
    if (accepted[k] == *type) return 1;
  return 0;
}

void Normalize_HE_Profil_Name(char *name) {
  if (!name) return;
  const std::size_t len = std::strlen(name);
  std::size_t start = 0, end = len;
  while (start < len && name[start] == ' ') ++start;
  while (end > start && name[end - 1] == ' ') --end;
  if (end - start < 3 || end - start >= 64) return;
  char copy[64];
  std::memcpy(copy, name + start, end - start);
  copy[end - start] = '\0';
  Upper_Case_Text(copy);
  // The rewritten text has the trimmed part's length: it goes back where that part is.
  if (Normalize_HE_Series_Text(copy)) std::memcpy(name + start, copy, end - start);
}

int Set_Profil_by_Library_Name(PROFIL *p, const char *name) {
  if (!p) return 1;
  MATERIAL grade{};
  Copy_Material_Data(&p->grade, &grade);
  Reset_Profil(p);
  p->kind = PROFIL_KIND_LIBRARY;
  PROFIL_LIBREF libref;
  p->lib_available = Init_Profil_Library(&libref);
  Find_Profil_in_Library(&libref, name);
  Set_Profil_from_Library(&libref, p);
  const int found = libref.entry != nullptr;
  const char *spelling = nullptr;
  if (found) Find_Profil_in_Database(libref.name, &spelling);
  int type = 0;
  if (!Set_Profil_Type_by_Series(spelling ? spelling : (name ? name : ""), &type)) return 1;
  p->type = type;
  Copy_Material_Data(&grade, &p->grade);
  if (!p->lib_available && p->type == PROFIL_C && p->r_2 > p->r) {
    const double r = p->r;
    p->r = p->r_2;
    p->r_2 = r;
  }
  const int rc = Calc_Profil_Querschnittswerte(p, nullptr, 0, "");
  // A name that the library does not hold leaves the "???" profile: not a success.
  return found ? rc : 1;
}

int Take_Profil_Library_Dimensions(PROFIL *p, char *note, int size) {
  if (note && size > 0) note[0] = '\0';
  if (!p || p->kind != PROFIL_KIND_LIBRARY) return 0;
  char name[PROFIL_NAME_SIZE];
  _Trimmed(p->name, name);
  Normalize_HE_Profil_Name(name);  // as the section values will name it (HEA280: HE280A)
  PROFIL_LIBREF libref;
  Init_Profil_Library(&libref);
  Find_Profil_in_Library(&libref, name);
  if (!name[0] || !libref.entry) return -1;
  // The library's profile as Set_Profil_by_Library_Name makes it, on a copy of the record.
  PROFIL lib = *p;  // plain values only: kind 1 holds no arrays
  lib.nodes = nullptr, lib.lines = nullptr, lib.entry = nullptr;
  Set_Profil_from_Library(&libref, &lib);
  const char *spelling = nullptr;
  Find_Profil_in_Database(libref.name, &spelling);
  int type = p->type;
  const bool type_fits = Set_Profil_Type_by_Series(spelling ? spelling : name, &type) != 0;
  if (!type_fits) {
    type = 0;
    Set_Profil_Type_by_Series(spelling ? spelling : name, &type);
  }
  lib.type = type;
  if (!p->lib_available && lib.type == PROFIL_C && lib.r_2 > lib.r) {
    const double r = lib.r;
    lib.r = lib.r_2;
    lib.r_2 = r;
  }
  // Both made consistent by the library's shape type, as the section values will make the
  // record once it holds that type: a dimension that only the stored type's shape rule
  // clears (a channel has no bottom flange) is no difference; "Profiltyp" names the type.
  PROFIL a = *p, b = lib;
  a.type = lib.type;
  Correct_Profil_Shape_Input(&a);
  Correct_Profil_Shape_Input(&b);
  struct Field {
    const char *label;
    double stored, library;
    bool radius;
  } const fields[] = {{"h", a.h, b.h, false},          {"t_w", a.t_w, b.t_w, false},
                      {"b_fo", a.b_fo, b.b_fo, false}, {"t_fo", a.t_fo, b.t_fo, false},
                      {"b_fu", a.b_fu, b.b_fu, false}, {"t_fu", a.t_fu, b.t_fu, false},
                      {"r", a.r, b.r, true},           {"r_2", a.r_2, b.r_2, true}};
  // The library holds rolled profiles: a record whose make is welded after the shape rules
  // (stored as welded: a file written elsewhere or edited by hand) differs in its make,
  // which the note names apart from the dimensions; its radii describe no part of a welded
  // section (its welds take their place), so they are not named apart. Nor are the radii of
  // tubes, bars and plates, which their lists never show. A make flag that is neither 1 nor
  // 0 is no make at all: it is kept for the section values to refuse and name, so the note
  // does not name it, its radii are not compared and its weld data stays.
  const bool welded = a.rolled == 0;
  const bool radii = a.rolled == 1 && b.type != PROFIL_CHS && b.type != PROFIL_FLAT && b.type != PROFIL_ROUND;
  // Weld data that the welded record's list showed (a throat the section values keep or
  // raise, or a through weld, of a joint its shape has) is dropped with the make.
  const bool welds = welded && (a.through_o || a.a_o > PROFIL_NO_THROAT ||
                                (Is_Profil_Type_in_Group(4, a.type) && (a.through_u || a.a_u > PROFIL_NO_THROAT)));
  std::string differ;
  for (const Field &f : fields) {
    if (f.radius && !radii) continue;
    // A stored value that is not a number differs too.
    if (std::fabs(f.stored - f.library) <= kProfilCompareTolerance) continue;
    char item[96];
    Oli_Snprintf(item, sizeof item, "%s%s = %.1f statt %.1f mm", differ.empty() ? "" : ", ", f.label, f.stored,
                  f.library);
    differ += item;
  }
  if (welded) differ += differ.empty() ? "geschweißt statt gewalzt"_cp : ", geschweißt statt gewalzt"_cp;
  if (!type_fits) differ += differ.empty() ? "Profiltyp" : ", Profiltyp";
  if (differ.empty()) return 0;
  p->h = lib.h, p->t_w = lib.t_w, p->b_fo = lib.b_fo, p->t_fo = lib.t_fo, p->b_fu = lib.b_fu, p->t_fu = lib.t_fu;
  p->r = lib.r, p->r_2 = lib.r_2, p->type = lib.type;
  if (p->rolled == 0) p->rolled = 1;  // a flag that is neither stays for the section values
  if (welded) p->a_o = p->a_u = 0.0, p->through_o = p->through_u = 0;
  if (note && size > 0)
    CP850_CALL2(std::snprintf, note, static_cast<std::size_t>(size),
                "Profil «%s»: gespeicherte Angaben weichen von der Profilbibliothek ab (%s); "
                "die Werte der Bibliothek werden verwendet%s",
                name, differ.c_str(), welds ? ", die Schweißnahtangaben entfallen"_cp : "");
  return 1;
}

// ---------------------------------------------------------------- type message
void Show_Profil_Type_Message(const char *prefix, int library, int count, const int *types) {
  Init_Message();
  if (prefix && *prefix) Fill_Message("%s", prefix);
  Fill_Message("%s", library ? "Gewählter Profiltyp ist in der Bibliothek nicht vorhanden."_cp
                             : "Gewählter Profiltyp kann nicht berechnet werden"_cp);
  Fill_Message("%s", "Bitte wählen Sie ein Profil des Typs"_cp);
  struct Entry {
    const char *text;
    int type;
  };
  static const Entry kParametric[] = {{" 'Flachstahl' ", 1}, {" 'Rundstahl' ", 2}, {" 'Hohlkasten' ", 16},
                                      {" 'Trapezprofil' ", 17}};
  static const Entry kSeries[] = {{" 'I' ", 4},   {" 'H' ", 5},          {" 'D' ", 7},
                                  {" 'S' ", 10},  {" 'W' ", 13},         {" 'L' ", 3},
                                  {" 'U' ", 12},  {" 'C' ", 6},          {" 'T' ", 11},
                                  {" 'I/2' ", 15}, {" 'Kreisrohr' ", 9}, {" 'Rechteckrohr' ", 8},
                                  {" 'Z' ", 14}};
  char collected[1024] = "";
  for (int k = 0; types && k < count; ++k) {
    const int t = types[k];
    if (!library)
      for (const Entry &e : kParametric)
        if (t == 0 || t == e.type) Fill_Message("%s", e.text);
    for (const Entry &e : kSeries)
      if ((t == 0 || t == e.type) && std::strlen(collected) + std::strlen(e.text) < sizeof collected)
        std::strcat(collected, e.text);
  }
  Fill_Message("%s", collected);
  Draw_Message();
  Profil_State().type_message_shown = 1;
}

int Is_Profil_Type_Message_Shown() { return Profil_State().type_message_shown; }
void Clear_Profil_Type_Message_Shown() { Profil_State().type_message_shown = 0; }

void Set_Profil_Import_Choice(int on) { Profil_State().import_choice = on; }
int Get_Profil_Import_Choice() { return Profil_State().import_choice; }

// ---------------------------------------------------------------- sample profiles
static int _Sample(PROFIL *p, int kind, int type, const char *with_manager, const char *without) {
  if (!p) return 0;
  Reset_Profil(p);
  p->kind = kind;
  p->type = type;
  if (kind == PROFIL_KIND_LIBRARY) {
    PROFIL_LIBREF libref;
    p->lib_available = Init_Profil_Library(&libref);
    Find_Profil_in_Library(&libref, p->lib_available ? with_manager : without);
    Set_Profil_from_Library(&libref, p);
  } else {
    p->h = 100.0;
    p->t_w = 10.0;
  }
  Trim_Blanks(p->name);
  Init_Material_Data(&p->grade);
  return Calc_Profil_Querschnittswerte(p, nullptr, 0, "");
}

int Set_Default_Profil(PROFIL *p) { return _Sample(p, PROFIL_KIND_LIBRARY, PROFIL_H, "HE280A", "HE280A"); }
int Set_Sample_Profil_L150x100(PROFIL *p) {
  return _Sample(p, PROFIL_KIND_LIBRARY, PROFIL_ANGLE, "L 150 X 100 X 10", "L150X100X10");
}
int Set_Sample_Profil_L120(PROFIL *p) { return _Sample(p, PROFIL_KIND_LIBRARY, PROFIL_ANGLE, "L 120 X 10", "L120X10"); }
int Set_Sample_Profil_L100(PROFIL *p) { return _Sample(p, PROFIL_KIND_LIBRARY, PROFIL_ANGLE, "L 100 X 10", "L100X10"); }
int Set_Sample_Profil_Flat(PROFIL *p) { return _Sample(p, PROFIL_KIND_PARAMETRIC, PROFIL_FLAT, nullptr, nullptr); }
int Set_Sample_Profil_T100(PROFIL *p) { return _Sample(p, PROFIL_KIND_LIBRARY, PROFIL_T, "T100", "T100"); }
int Set_Sample_Profil_Tube(PROFIL *p) {
  return _Sample(p, PROFIL_KIND_LIBRARY, PROFIL_CHS, "R 88.9 x 5.0(w)", "R 88.9 x 5.0(w)");
}

// ---------------------------------------------------------------- derived profiles
int Set_Profil_Flat_from_Plate(const PLATE *plate, PROFIL *p) {
  if (!p) return 0;
  if (!plate) return 1;
  Reset_Profil(p);
  p->kind = PROFIL_KIND_PARAMETRIC;
  p->type = PROFIL_FLAT;
  p->h = plate->b;
  p->t_w = plate->t;
  Copy_Material_Data(&plate->material, &p->grade);
  return Calc_Profil_Querschnittswerte(p, nullptr, 0, "");
}

double Calc_Angle_Net_Area(const PROFIL *p, int cut_leg1, int n, double d, double t) {
  if (!p) return 0.0;
  double A = p->A;
  const int cut1 = p->type == PROFIL_ANGLE && cut_leg1 && p->h - 0.1 > p->b_fo;
  const int cut2 = p->type == PROFIL_ANGLE && !cut_leg1 && p->b_fo - 0.1 > p->h;
  if (cut1 || cut2) {
    PROFIL copy{};
    Copy_Profil(p, &copy);
    if (cut1) {
      copy.h = copy.b_fo;
      copy.t_w = copy.t_fo;
    } else {
      copy.b_fo = copy.h;
      copy.t_fo = copy.t_w;
    }
    Calc_Profil_Querschnittswerte(&copy, nullptr, 0, "");
    A = copy.A;
    Reset_Profil(&copy);
  }
  return A - n * d * t;
}
