// stahl_ec3/program_internal.h — the run's state and the steps that the start-up, the refresh
// road and the screen share. For the files of stahl_ec3/ and their white-box tests only.
#pragma once

#include <cstddef>
#include <string>

#include "stahl_ec3/stahl_ec3.h"
#include "support/cp850.h"

// The program's title (message boxes and the sheet's title bar).
inline constexpr const char *STAHL_EC3_TITLE = "D7-EV3 - Brandschutz";
// What the checks leave out, on the print list and on the result page.
inline constexpr const char *STAHL_EC3_NOTE_COLD =
    "Hinweis: Nachweise bei Normaltemperatur mit den Schnittgrößen (Brandfall); Temperaturen, "
    "kritische Temperatur und Nachweise im Brandfall werden nicht ermittelt."_cp;

// The eight forces of a fire-load row as one array, in the record's (and the file's) order
// N, M_y, M_z, V_y, V_z, T_t, T_w, B.
constexpr int BRANDLAST_FORCES = 8;
inline double *Brandlast_Forces(BRANDLAST *row) {
  static_assert(offsetof(BRANDLAST, B) - offsetof(BRANDLAST, N) == (BRANDLAST_FORCES - 1) * sizeof(double));
  return &row->N;
}
inline const double *Brandlast_Forces(const BRANDLAST *row) { return &row->N; }

// One run of the program. Module state of stahl_ec3/ (reset by Reset_Stahl_EC3_For_Tests).
struct STAHL_EC3_RUN {
  BAUTEIL bauteil;       // the member record, owned for the whole run
  std::string label;     // position label of the page head
  int position;          // position number (fourth argument)
  int refresh;           // 1: "-refresh"
  // The ".INP" at start: 0 read or absent (a new member), 1 present but unreadable (the
  // record holds the defaults), 2 absent on the refresh road.
  int read_error;
  std::string read_reason;  // why it could not be read (standard error)
  int backup_kept;          // 1 once the unreadable file was kept as ".INP.bak"
  int closed;               // 1 after the close request was answered with yes
};
STAHL_EC3_RUN &Stahl_EC3_Run();

// Work-file names of the member: the ".INP", ".OLI", ".SPF" ("%s%04d.SPF" of the stem and
// the position) and the position text ".TXT".
std::string Bauteil_Inp_Path();
std::string Bauteil_Oli_Path();
std::string Bauteil_Spf_Path();
std::string Bauteil_Txt_Path();

// Writes the print list and the plot file of the record (stored units) or, for an unreadable
// member on the refresh road, the list with "Lesefehler": 0, or 1 with a line on standard
// error when a file could not be written.
int Write_Bauteil_Print_List();
// Puts the start-of-run copies back over ".XPR" and ".EXP" and removes them: 0, or 1 when a
// copy could not be put back (it is then kept).
int Restore_Exchange_Files();
// Removes the start-of-run copies "_TMP.XPR" and "_TMP.EXP".
void Remove_Work_Files();
// Saves the record (stored units) as the member's ".INP"; an unreadable file is first kept as
// ".INP.bak" (once). 0, or 1 with nothing lost when a file could not be written.
int Save_Bauteil_Member();

// The section picture of page 1 in the box (x1, y1)-(x2, y2): a profile by its shape, an
// imported section by its polygons or line model, each fitted into the box.
void Draw_Bauteil_Picture(int x1, int y1, int x2, int y2, PROFIL *profil);
