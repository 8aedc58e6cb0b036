// stahl_ec3/stahl_ec3.h — the member program of the fire design: its member record, data
// file, print body and run.
//
// BAUTEIL is the one member record of a run: partial safety factors, the member's steel
// grade, the profile, the check options, a second grade (stored for the file, read by no
// check), the fire load table (rows of BRANDLAST) and one result slot per row. The record
// owns its profile's lists and its rows; Reset_Bauteil frees them. A record passed to any
// function here must be value-initialised (BAUTEIL b{}) or valid.
//
// Units: forces in kN, moments in kNm, the warping bimoment in kNm²; the profile in mm.
// Between user actions the record holds display units (the method as a radio index),
// before computing or saving stored units (Take_Bauteil_from_Editors).
//
// The data file ".INP" (text, version 2) and the member's print list are described in
// stahl_ec3/FORMAT.md.
//
// The program (below the record): start-up, refresh road, print body and screen. Module state:
// the run (its member record, position label and number, the refresh flag, whether the input
// could be read), which Reset_Stahl_EC3_For_Tests brings back to program start, and the
// screen's page state, set anew by each Run_Stahl_EC3_Screen.
#pragma once

#include <cstdint>
#include <cstdio>

#include "materials/materials.h"
#include "profil/profil.h"

inline constexpr int BAUTEIL_FILE_VERSION = 2;
inline constexpr int BRANDLAST_NAME_SIZE = 41;   // up to 40 bytes and the terminator
inline constexpr int BRANDLAST_MAX_ROWS = 10000;  // largest row count a file may give

// One fire load combination: its name and the eight section forces in fire.
struct BRANDLAST {
  char name[BRANDLAST_NAME_SIZE];
  double N;    // normal force (kN, tension positive)
  double M_y;  // bending moments (kNm)
  double M_z;
  double V_y;  // shear forces (kN)
  double V_z;
  double T_t;  // St. Venant torsion (kNm)
  double T_w;  // warping torsion (kNm)
  double B;    // warping bimoment (kNm²)
};
static_assert(sizeof(BRANDLAST) == 112, "the fire load table's row size");

// Check method, stored form (the screen's radio index is the method − 1).
enum { BAUTEIL_METHOD_ELASTIC = 1, BAUTEIL_METHOD_PLASTIC = 2 };

// Result of one row; run time only, never written.
struct BRANDLAST_RESULT {
  int32_t status;  // 0 not computed, 1 computed
  double U_sigma;  // utilisation of the stress check
  double U_ct;     // utilisation of the c/t check, −1 when it gave no result
  double U_max;
};

struct BAUTEIL {
  SAFETY_FACTORS safety;
  MATERIAL material;      // the member's grade; copied into the profile by the checks
  PROFIL profil;
  int32_t method;         // stored: BAUTEIL_METHOD_*; display: radio index 0, 1
  int32_t ct_check;       // 1: with the c/t check
  MATERIAL material_2;    // second grade: stored and read back, used by no check
  int32_t brandlast_count;        // rows (at least 1 once defaults are set or a file read)
  BRANDLAST *brandlasten;         // owned, brandlast_count rows
  BRANDLAST_RESULT *results;      // owned, brandlast_count slots
  int32_t display_units;          // 1 between Hand_Bauteil_to_Editors and Take_…
  // Run-time, not stored: the note of Read_Bauteil when the library profile's stored
  // dimensions gave way to the library's (Get_Profil_Read_Note); empty when none.
  char profil_note[PROFIL_NOTE_SIZE];
};

// Frees the rows, results and profile lists and sets every field to its empty state: the
// owners' resets, method elastic, c/t off, no rows, stored units. Null does nothing.
void Reset_Bauteil(BAUTEIL *b);
// Reset, then the member of a new file: standardised safety factors of the active national
// annex, S235 (both grades), the default profile "HE280A", elastic, c/t check on, one
// empty row. Returns the result of Set_Default_Profil (0 when its values were computed).
int Set_Bauteil_Defaults(BAUTEIL *b);

// Replaces the table by count zeroed rows and result slots: 0, or 1 (record untouched) for
// a null record or a count outside 1..BRANDLAST_MAX_ROWS.
int Alloc_Brandlasten(BAUTEIL *b, int count);
// The table block: the row count, then one line per row (name as one token, the eight
// forces). 0, or 1 for a null stream or record, a row count outside 0..BRANDLAST_MAX_ROWS
// or a force that is not finite (nothing written: the reader refuses them), or a failed
// write.
int Write_Brandlasten(FILE *f, const BAUTEIL *b);
// Reads a table block into new rows (results cleared): 0, or 1 for a missing or garbled
// count, a negative count or one above BRANDLAST_MAX_ROWS, a name over 40 bytes, a force
// that cannot be read or is not finite; the record keeps its old table on failure. A count
// of 0 gives one empty row.
int Read_Brandlasten(FILE *f, BAUTEIL *b);

// The ".INP" data file: version, the record's blocks, "ACTIV_NADNAME" and the name of the
// active national-annex set. The record must hold stored units. 0, or 1 for a null stream
// or record, a record that its reader would refuse (display units, a method or c/t switch
// outside its values, a number that is not finite in any block, a row count outside
// 0..BRANDLAST_MAX_ROWS; nothing is written then), or a failed write (the stream is
// flushed first, so that a full disk shows here).
int Write_Bauteil(FILE *f, const BAUTEIL *b);
// Saves the ".INP" data file at path through the file-replace helper: the old file keeps
// its bytes unless the whole new file was written. 0, or 1 on any failure.
int Save_Bauteil_File(const char *path, const BAUTEIL *b);
// Reads a data file into the record (reset first): 0, or 1 for a null stream or record, a
// version below 2 or newer than BAUTEIL_FILE_VERSION, a block an owner cannot read, a
// method other than 1 or 2, a c/t switch other than 0 or 1, a garbled table, a table
// whose last line has no line end (a cut file), or text after the table other than one
// whole line of the annex key with a name (its line end included) and white space. The named annex set is activated; a file
// without the key activates the default set, and so does a set that is not known, with a
// note on the message line. After a failure the record holds what was read so far: the
// caller sets the defaults.
int Read_Bauteil(FILE *f, BAUTEIL *b);

// Brings the record in line before a computation: the safety factors from the active annex
// (when standardised), the grade's strengths at the profile's largest plate thickness, the
// grade copied into the profile, the profile's section values. Failures go to list (when
// not null) and, with show non-zero, to message boxes, each once; title opens them. Returns
// 0, or non-zero when the grade or the profile failed (1 for a null record).
int Check_Bauteil_Data(BAUTEIL *b, FILE *list, int show, const char *title);

// Unit change for the editors: the method to its radio index (Hand) and back (Take; an
// index other than 1 gives elastic). Each does nothing when the record is already in its
// target units, or is null.
void Hand_Bauteil_to_Editors(BAUTEIL *b);
void Take_Bauteil_from_Editors(BAUTEIL *b);

// ================================================================ print body
// The position label of the page head (" POS. %s"): the first line of the member's ".TXT",
// else the position number. Set by the start-up; at most 255 bytes are kept.
void Set_Bauteil_Label(const char *label);
const char *Get_Bauteil_Label();

// The member's print body into the print list: the page head (" POS. %s", "#CONTENTS", 16 cm
// kept free for the picture), the title with its contents entry and the note that only the
// checks at normal temperature are made, the national annex, safety factors, material, the
// profile with its section values, the fire load table, the section picture (list and open
// plot file), then per row the c/t check (when switched on) and the stress check with the
// member's method under the row's forces. The record must hold stored units; it is brought in
// line first (Check_Bauteil_Data, failures into the list). Every row's result slot is filled.
// A null list computes the results only. Nothing for a null record.
void Print_Brandschutznachweis(BAUTEIL *b, FILE *list);

// Result of a row as the result page shows it: 1 with the largest utilisation in *u_max, or
// 0 when the row has no result (a check not made, a c/t check without result). Forces that
// are all zero give 1 and 0.
int Get_Brandlast_Utilisation(const BAUTEIL *b, int row, double *u_max);

// ================================================================ the program
// Exit codes of a run (the host reads them): 1 after saving or a refresh, 0 otherwise.
inline constexpr int STAHL_EC3_EXIT_SAVED = 1;
inline constexpr int STAHL_EC3_EXIT_NOT_SAVED = 0;
// Answer of the close request when the run was given up.
inline constexpr int STAHL_EC3_CLOSE_ANSWER = 32768;

// The whole run: stahl_ec3 Bauteilkennung Icon-Id File-Id Pos-Id [-refresh]. Start-up, then
// the refresh road or the screen and its edit loop. Returns the exit code.
int Stahl_EC3_Main(int argc, char **argv);
// The start-up alone: arguments, work-file names, label, environment, host services, the
// check standard, the grade picker, the ".INP" read (or the defaults), the copies of the
// exchange files. Returns −1 when the run goes on (refresh or screen), else the exit code.
int Start_Stahl_EC3(int argc, char **argv);
// The refresh road after the start-up: print list and plot file, work files removed; 1, or 0
// when the list or the plot file could not be written (a line on standard error).
int Refresh_Stahl_EC3();
// The screen after the start-up: the main sheet and its edit loop; the exit code.
int Run_Stahl_EC3_Screen();
// The member record of the run (valid between the start-up and the next start or reset).
BAUTEIL *Get_Stahl_EC3_Bauteil();
// The close request the start-up hands the host: asks "Aktuelle Bearbeitung abbrechen?"; on
// yes the exchange files are restored, the work files removed and the answer is 32768, else 0.
int Stahl_EC3_Close_Request();
// Back to program start (the record reset); registered with Host_Reset on first use.
void Reset_Stahl_EC3_For_Tests();
