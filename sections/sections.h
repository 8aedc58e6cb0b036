// sections/sections.h — section catalogue and import of R7-PLAX sections.
//
// What is in place: the record of an imported R7-PLAX section (QIMPORT_ENTRY) with its
// reference count, the switches of the host's profile manager and of the R7-PLAX import,
// the profile library (lookup by name in the library file "PROFIL", family of a name,
// the values that the stress check reads), the profile-manager command line and the key
// of the cached standard-profile section. The exchange with R7-PLAX and the list of
// imported sections build on these.
//
// The profile library file "PROFIL" lies in the folder named by the environment variable
// "DATA" (the build's data folder PF_DATA_DIR when "DATA" is unset). It is a sequence of
// 160-byte records, little-endian, made at build time from sections/data/profil_library.csv
// by sections/tools/make_profil_library.cpp:
//   places 0..3   the name: blank-free, upper case (hollow sections end in "(w)" for
//                 hot-finished or "(k)" for cold-formed, lower-case letter), NUL-padded,
//                 at most 16 bytes, not necessarily terminated;
//   place 4       the family index (int32, see Get_Profil_Typ_Index);
//   places 5..39  32-bit floats in cm units: 5 h, 6 b, 7 t_w, 8 t_f, 9 A, 11 centroid
//                 from the bottom edge, 12 centroid from the reference edge, 13 tan α of
//                 the principal axes, 14 I_y, 15 I_z, 18 I_1, 21 W_pl,y, 23 I_2,
//                 26 W_pl,z, 28 I_T, 29 I_w, 30 r, 31 r_2; every other place 0.
//                 Place 21 holds the plastic modulus W_pl,y (twice the first moment of the
//                 half section of a symmetric shape); readers that want the first moment
//                 of the half section (value 16 of Get_Profil_Data) halve it.
//   Hollow sections: r the outer and r_2 the inner corner radius. Angles: h leg 1, b leg
//   2, t_w = t_f = t, r root and r_2 toe radius.
// A file whose size is not a multiple of 160 bytes, whose names are empty, not printable
// or not NUL-padded, or that holds a non-finite value, is rejected whole: the library then
// has no profile. The file is read at the first lookup and again whenever the folder
// named by "DATA" changes.
//
// Reference protocol of QIMPORT_ENTRY. An entry is shared by every record that refers
// to it and counts those references:
//   - each PROFIL (and each other record) that stores an entry pointer holds exactly one
//     reference;
//   - whoever stores the pointer takes the reference (Add_QImport_Reference(e, +1)):
//     Copy_Profil for the copy, the data-file reader for an entry it creates, the
//     profile page after an import;
//   - whoever drops the pointer releases it (Add_QImport_Reference(e, -1)):
//     Reset_Profil, and the failure path of an import take-over;
//   - an entry is freed only when its count is 0 (by the catalogue's purge), never by
//     a record.
//
// Module state (one struct, reset by Reset_Sections_For_Tests and registered with
// Host_Reset): the profile-manager enabled flag and the import enabled flag (both 0 at
// program start), the loaded library records and the path they came from, the
// profile-manager default and filter texts, the cached answer of
// Is_QUER_Modeller_Installed and the key of the cached standard-profile section.
#pragma once

// An imported R7-PLAX section: the text of the exchange file that R7-PLAX wrote for it.
// Value-initialise it (QIMPORT_ENTRY e{}): count 0, empty name, no text.
struct QIMPORT_ENTRY {
  int ref_count;    // number of records holding this entry; never below 0
  int object_type;  // object type of the exchange file's OBJECT head (1 lines, 2 polygons)
  char name[40];    // section name, NUL-terminated
  char *text;       // the whole exchange-file text (Mem_* block), null while not read
};

// Adds delta (+1 take, -1 release) to the entry's reference count and returns the new
// count. A release never takes the count below 0. A null entry returns 0.
int Add_QImport_Reference(QIMPORT_ENTRY *entry, int delta);

// Marks the host's profile manager as usable for lookup.
void Enable_Profilmanager();
// 1 when the profile manager is enabled and installed, else 0. The host's profile
// manager does not exist in this program, so this is always 0.
int Is_Profilmanager_Available();
// Marks the import from R7-PLAX as usable.
void Enable_QUER_Import();
// 1 after Enable_QUER_Import, else 0.
int Is_QUER_Import_Enabled();

// ---------------------------------------------------------------- profile library
inline constexpr int PROFIL_LIB_RECORD_BYTES = 160;
inline constexpr int PROFIL_LIB_PLACES = 40;     // places of a record (4 bytes each)
inline constexpr int PROFIL_LIB_NAME_BYTES = 16;

// Family indices of the library and of Get_Profil_Typ_Index.
enum : int {
  PROFIL_FAMILY_NONE = -1,
  PROFIL_FAMILY_I = 0,       // I and H shapes
  PROFIL_FAMILY_RHS = 1,     // rectangular and square hollow sections
  PROFIL_FAMILY_U = 2,       // channels
  PROFIL_FAMILY_T = 3,       // T sections
  PROFIL_FAMILY_L = 4,       // angles
  PROFIL_FAMILY_Z = 5,       // Z sections
  PROFIL_FAMILY_CHS = 6,     // circular hollow sections
};

// The library profile of that name, or null. The query is compared after it is
// upper-cased, freed of every blank and brought into the wide-flange form of
// Normalize_HE_Series_Text ("HEB 300", "heb300", "HE 300B" and "HE300B" all find
// "HE300B"); the stored names are compared upper-cased. Returns the record's 40 places
// as floats (cm units as listed above; places 0..4 read as 0); *library_name, when
// library_name is given, gets the library's own spelling (NUL-terminated) or null.
// Both pointers stay valid until the library is read again or the module is reset.
const float *Find_Profil_in_Database(const char *name, const char **library_name);
// Family index of a name: the family of its library record when the library holds it,
// else by its trimmed, upper-cased beginning: "HE", "HD", "IPE", "IPN", "I" 0; "RR",
// "QR", "RHS", "SHS" 1; "U" 2; "T" 3; "L" 4; "Z" 5; "R" followed by a digit or blank,
// "RO", "CHS" 6; anything else (and null) −1.
int Get_Profil_Typ_Index(const char *name);
// Wide-flange form of an upper-cased, trimmed text, rewritten in place: a text that
// begins with "HE", whose third character is 'A', 'B' or 'M' and whose last character
// is not a letter (code 64 or below) becomes "HE", then its later characters of code
// below 65 in their order, then those above 64 in their order ("HEA280" -> "HE280A",
// "HEB 300" -> "HE 300B"). Returns 1 when the text was rewritten, else 0 (null: 0).
int Normalize_HE_Series_Text(char *text);

// Values of a library profile for the stress check: 1 (the source: the library file)
// when found, values[0..34] the record's places 5..39 (0 h, 1 b, 2 t_w, 3 t_f, 4 A,
// 16 W_pl,y, 21 W_pl,z, 25 r; cm units) and code "LIB"; else 0, values all 0 and code
// "ERR". code holds at least 4 bytes; values or code may be null.
int Get_Profil_Data(const char *name, float *values, char *code);
// Profile type of the stress check: 1 I and H shapes, 2 T, 3 U, 4 rectangular hollow,
// 5 L, 6 Z, 7 circular tube (from Get_Profil_Typ_Index), 11 a flat bar (name beginning
// "FL"), 12 a name beginning with the family letter 'O'; 0 when the name gives no type.
int Get_Profil_Typ(const char *name);

// ---------------------------------------------------------------- host programs
// 1 when the modeller of the sibling cross-section program ("Korvandt.exe") exists in
// the folder named by "EXEC", else 0. Tested at the first call only, then cached.
int Is_QUER_Modeller_Installed();
// Keeps a copy of a profile name (blanks turned into '~', at most 63 characters) that
// the profile manager gets as "DEFAULT=%s"; null or empty clears it.
void Set_Profilmanager_Default(const char *name);
// Keeps a copy of a filter text (at most 63 characters) that the profile manager gets as
// "FILTER=%s"; null or empty clears it.
void Set_Profilmanager_Filter(const char *filter);
// Starts the host's profile manager with "TRANSFER" and the DEFAULT and FILTER
// arguments that are set, waits for it and returns the chosen name. The profile
// manager is not installed in this program: nothing is started and the result is null.
const char *Run_Profilmanager();

// ---------------------------------------------------------------- section cache
// Marks the cached standard-profile section stale (key 99999) so that the next request
// builds its thin-walled model again. The solver calls it after every run.
void Invalidate_Profil_Section_Cache();

// Back to program start (both switches 0, no library loaded, texts empty, caches
// cleared).
void Reset_Sections_For_Tests();
