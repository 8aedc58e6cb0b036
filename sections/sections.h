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
// A file whose size is not a multiple of 160 bytes, or with one record that the rule of
// sections/profil_library_record.h refuses (a name empty, not printable or not NUL-padded,
// a non-finite value, h, t_w, t_f or b not above 0, plates that cannot exist together: I,
// channel, tee t_w < b; I, channel, rectangular hollow 2 t_f < h; rectangular hollow
// 2 t_w < b; circular hollow 2 t < D; tee and angle t_w, t_f below each leg), is rejected
// whole: the library then has no profile, and no member takes a value from it. The file is read at the first
// lookup and again whenever the folder named by "DATA" changes; at most 16 MiB are read
// (a larger file is refused). A file that is missing, cannot be read, is too large,
// rejected or empty is named on the message line ("^bHINWEIS: Profilbibliothek "<path>"
// nicht vorhanden." and likewise "nicht lesbar", "größer als 16 MiB", "unvollständig oder
// beschädigt"; in refresh mode on standard error, Hinweis_Message) and kept as the
// library's fault (Get_Profil_Library_Fault).
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
//     a record; an entry that a reset took off the catalogue while it was held is freed
//     by the release that ends the last hold.
//
// Module state (one struct, reset by Reset_Sections_For_Tests and registered with
// Host_Reset): the profile-manager enabled flag and the import enabled flag (both 0 at
// program start), the loaded library records and the path they came from, the
// profile-manager default and filter texts, the cached answer of
// Is_QUER_Modeller_Installed, the key of the cached standard-profile section, the list
// of imported entries with the line cursor, the exchange name, the paths of the save
// and section input files and the caller tag.
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
// count. A release never takes the count below 0. A null entry returns 0. The release that
// ends the last hold on an entry a reset took off the catalogue frees it.
int Add_QImport_Reference(QIMPORT_ENTRY *entry, int delta);

// Marks the host's profile manager as usable for lookup.
void Enable_Profilmanager();
// 1 when the profile manager is enabled and installed, else 0. The host's profile
// manager does not exist in this program, so this is 0 unless a test says it is
// installed (sections_internal.h).
int Is_Profilmanager_Available();
// Marks the import from R7-PLAX as usable.
void Enable_QUER_Import();
// 1 after Enable_QUER_Import, else 0.
int Is_QUER_Import_Enabled();

// ---------------------------------------------------------------- profile library
inline constexpr int PROFIL_LIB_RECORD_BYTES = 160;
inline constexpr int PROFIL_LIB_PLACES = 40;     // places of a record (4 bytes each)
inline constexpr int PROFIL_LIB_NAME_BYTES = 16;
inline constexpr unsigned long PROFIL_LIB_MAX_BYTES = 16ul << 20;  // 104857 records; a larger file is refused

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

// Why the library file last read gives no profile, as its message line names it (code
// page 850, without the "^bHINWEIS: " and the closing period): `Profilbibliothek "<path>"
// unvollständig oder beschädigt` and the like; empty when it was read whole or not yet.
const char *Get_Profil_Library_Fault();

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

// ---------------------------------------------------------------- imported sections
// The catalogue keeps a list of imported sections in the order they were made. The
// format of the exchange file (".XPR"), the section input file (".QIN") and the save
// file (".GRQ") is fixed in sections/XPRT_FORMAT.md. Numbers in them are read locale-free
// and token-wise as fscanf does; a non-finite number is unreadable.

// A new entry (count 0, no text) appended to the list. Never null: memory exhaustion
// ends the run.
QIMPORT_ENTRY *New_QImport_Entry();
// Frees every entry whose reference count is 0 and takes it off the list.
void Purge_QImport_Entries();
// Number of entries in the list.
int Count_QImport_Entries();
// The entry at index (0 first), null outside the list.
QIMPORT_ENTRY *Get_QImport_Entry(int index);

// Finds the first line of the entry's text whose first whole token is keyword and puts
// the line cursor on the line after it: 1, and *count (when given) the integer behind
// the keyword or −1 when none can be read; 0 when not found (cursor at the end).
int Find_QImport_Block(const QIMPORT_ENTRY *entry, const char *keyword, int *count);
// The line at the cursor without its line end, advancing the cursor; null at the end of
// the text. The text stays valid until the next call.
const char *Next_QImport_Line();
// 1 and *value when a line inside the "VALUES" block begins with the key ("%lf" behind
// it); 0 with *value untouched when the key, its number or the block is missing. The
// line cursor is not moved.
int Get_QImport_Value(const QIMPORT_ENTRY *entry, const char *key, double *value);
// Reads numbers from a text as sscanf does (white space skipped, each number the longest
// prefix that forms one, locale-free): types holds 'i' (int *) or 'd' (double *) per
// argument. Returns the number of values converted before the first unreadable one; a
// non-finite double or an int out of range is unreadable.
int Scan_QImport_Values(const char *text, const char *types, ...);

// Name of the exchange file behind the member prefix (default "XPRT.TMP"; see
// Get_XPRT_Path): 1 when kept, 0 when refused (null, empty or longer than 270 bytes).
int Set_XPRT_Filename(const char *name);
// Makes the exchange path the member's own section file: file stem, work-file suffix,
// ".XPR" (whatever the stem's length). 1 when kept, 0 when refused.
int Set_XPRT_Member_Filename();
// The exchange path in use: the folder of the member file stem, the first four
// characters of the stem's file name (all of a shorter one), then the exchange name.
const char *Get_XPRT_Path();
// Reads the exchange file into the entry: the whole text (CR LF taken as LF, cut at a
// NUL byte), the object type of the "OBJECT" head (0 without one) and the name of the
// "NAME" line ('~' as blanks, at most 39 bytes; empty without one); the line cursor is
// left in the entry. 1 when read, 0 when the file is missing, unreadable or larger than
// 16 MiB (the entry is then untouched).
int Read_XPRT_Result(QIMPORT_ENTRY *entry);

// A node and a wall line of a model handed to Write_XPRT_File (cm).
struct XPRT_NODE {
  int number;
  double y, z;
};
struct XPRT_LINE {
  int number;
  int p_a, p_e;          // start and end node
  int flag;              // written as field 4, 0 for the models of this program
  double d_a, d_e;       // thickness at start and end
  double s;              // third line value: rise of an arc line at its middle
  double unused[2];      // not written
  double r_al, r_ar, r_el, r_er;  // fillet or weld-leg sizes at the line ends
};
// A request of Write_XPRT_File. node and line are asked for every index below their
// count and return 1 with the record filled, 0 when they have none; values (optional)
// is asked for index 0, 1, … and returns 1 with a key (at most 8 bytes) and a value, 0
// after the last pair.
struct XPRT_REQUEST {
  const char *name;  // section name, null or empty for none
  int object;        // object number (the head reads "1 <object − 1> <object>")
  int node_count;
  int line_count;
  int (*node)(int index, XPRT_NODE *out);
  int (*line)(int index, XPRT_LINE *out);
  int (*values)(int index, const char **key, double *value);
};
// Writes the line model of the request to the exchange path (through the replace helper)
// and makes a new entry (count 0) of the text written, taken from memory: the file is there
// for the host's programs, and a run of another member whose stem begins alike may write it
// again at any time. Null for a refused request (counts below 1 or above 10000, a missing
// callback, a node or line value that is not finite), a callback that returns 0 or a failed
// write; a refused request or a failed write leaves the file at the exchange path as it was.
QIMPORT_ENTRY *Write_XPRT_File(const XPRT_REQUEST *request);
// For tests: a routine called with the exchange path right after each write of
// Write_XPRT_File (null: none; Host_Reset clears it).
void Set_XPRT_Write_Hook(void (*hook)(const char *path));

// Paths of the save file (".GRQ") and of the section input file (".QIN"); null or empty
// unsets one. 1 when kept, 0 when a path is longer than 270 bytes (nothing changes).
int Set_QImport_Files(const char *save_path, const char *input_path);
// Rewrites the section input file from every line-model entry (through the replace
// helper): 0, or 1 when its path is unset (nothing written) or a write failed (the old
// file keeps its bytes).
int Write_QUER_EIN();
// Frees the unreferenced entries, then rewrites the save file and the section input
// file: 0, or 1 when a path is unset or a write failed (that file keeps its old bytes).
int Save_QImport_Sections();
// Caller tag handed to R7-PLAX: 1 when kept (null clears it), 0 for a tag longer than
// 100 bytes (the old tag stays).
int Set_QImport_Caller_Tag(const char *tag);
// Runs R7-PLAX in mode 1 (thin-walled) or 2 (thick-walled) on the current entry (null:
// a new section): "Q.EXE" in the folder named by "EXEC" must exist, else the message
// "INSTALLATIONSFEHLER ?" is shown, no file is touched and the result is null. Otherwise
// the current entry's text goes to the exchange path, the program runs with the command
// line of Build_QUER_Import_Command, and the answer is read back into a new entry (count
// 0), or null when there is none.
QIMPORT_ENTRY *Run_QUER_Import(int mode, QIMPORT_ENTRY *current);
// Answers of Read_FEM_Object_File.
enum : int {
  FEM_OBJECT_OK = 0,             // handed to the FEM program (never in this program)
  FEM_OBJECT_NO_FILE = 1,        // null or empty path, a missing or unreadable file
  FEM_OBJECT_BAD_HEAD = 2,       // no "OBJECT" head, or a type other than 1, 2, 3
  FEM_OBJECT_NOT_INSTALLED = 3,  // the suite's FEM program is not installed
};
// Reads the head of a section model file: its first line that is not blank must begin
// with the token "OBJECT" and the next line with the object type (1 line model, 2 polygon
// model, 3 named profile). A sound file would go to the suite's FEM program, which is not
// installed here: the answer is then FEM_OBJECT_NOT_INSTALLED. No file is written or
// removed and no message is shown.
int Read_FEM_Object_File(const char *path);
// The command line of Run_QUER_Import: the program, the mode, the caller tag and the
// exchange path, each argument in single quotes for the shell. Written into buffer
// (size bytes, cut and terminated); returns the full length, −1 for a null buffer, size
// below 1 or "EXEC" unset.
int Build_QUER_Import_Command(char *buffer, int size, int mode);

// ---------------------------------------------------------------- section cache
// Marks the cached standard-profile section stale (key 99999) so that the next request
// builds its thin-walled model again. The solver calls it after every run.
void Invalidate_Profil_Section_Cache();
// The key of the cached standard-profile section: the catalogue sets it after each of its
// runs; 99999 while stale.
void Set_Profil_Section_Cache_Key(int key);
int Get_Profil_Section_Cache_Key();

// Back to program start (both switches 0, no library loaded, texts empty, caches
// cleared, no imported entry in the catalogue, exchange name "XPRT.TMP", no file paths, no
// caller tag). Entries nobody holds are freed; an entry a record still holds (the host runs
// the modules' resets in the order they registered, so the member's record may be reset
// after this) lives until that record releases it.
void Reset_Sections_For_Tests();
