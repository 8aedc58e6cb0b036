// stahl_ec3/program_internal.h — the run's state and the steps that the start-up, the refresh
// road and the screen share. For the files of stahl_ec3/ and their white-box tests only.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "stahl_ec3/stahl_ec3.h"
#include "support/cp850.h"

// The program's title (message boxes and the sheet's title bar).
inline constexpr const char *STAHL_EC3_TITLE = "D7-EV3 - Brandschutz";
// What the checks leave out, on the print list and on the result page (there one line per
// sentence). The member is checked by its cross-section only: no stability check.
inline constexpr const char *STAHL_EC3_NOTE_COLD =
    "Hinweis: Nachweise bei Normaltemperatur mit den Schnittgrößen (Brandfall); Temperaturen, "
    "kritische Temperatur und Nachweise im Brandfall werden nicht ermittelt. Biegeknicken und "
    "Biegedrillknicken werden nicht nachgewiesen (nur Querschnittsnachweise)."_cp;

// The eight forces of a fire-load row as one array, in the record's (and the file's) order
// N, M_y, M_z, V_y, V_z, T_t, T_w, B.
constexpr int BRANDLAST_FORCES = 8;
inline double *Brandlast_Forces(BRANDLAST *row) {
  static_assert(offsetof(BRANDLAST, B) - offsetof(BRANDLAST, N) == (BRANDLAST_FORCES - 1) * sizeof(double));
  return &row->N;
}
inline const double *Brandlast_Forces(const BRANDLAST *row) { return &row->N; }

// What a file was when it was read: present, size, modification and change time, inode and
// a hash of its bytes. Another session that saves the file changes at least its inode (files
// are replaced, not written in place); another program that rewrites it in place within one
// tick of a coarse clock, or puts its time back, still changes its bytes. A file that cannot
// be read (no regular file, past the input cap) has hash 0.
struct STAHL_EC3_FILE_STAMP {
  int present;
  long long size;
  long long mtime_ns, ctime_ns;
  unsigned long long device, inode;
  unsigned long long hash;
  bool operator==(const STAHL_EC3_FILE_STAMP &) const = default;
  // The same file with the same bytes: present, device, inode, size and hash alike. A mode
  // change, a touch, or a hard link made and removed changes none of them; a save does.
  bool Same_Content(const STAHL_EC3_FILE_STAMP &o) const {
    return present == o.present && device == o.device && inode == o.inode && size == o.size && hash == o.hash;
  }
};
// The stamp of the file at path now (links followed: the member file), its bytes in *bytes
// when not null: not present when it cannot be found; one that cannot be read (no regular
// file, past the input cap) has the stamp of its status alone (hash 0).
STAHL_EC3_FILE_STAMP Stahl_EC3_File_Stamp(const std::string &path, std::string *bytes = nullptr);
// The stamp of an input stream open at its start, its bytes read into *bytes on the way; the
// stream is back at its start afterwards. Not present when its status cannot be had.
STAHL_EC3_FILE_STAMP Stahl_EC3_Stream_Stamp(FILE *f, std::string *bytes);

// The answers of the session lock at a screen start (STAHL_EC3_RUN::session).
enum : int {
  STAHL_EC3_SESSION_ALONE = 0,  // no lock to be had (said in a box): found copies left alone
  STAHL_EC3_SESSION_LOCKED = 1, // this run holds the member's lock
  STAHL_EC3_SESSION_OTHER = 2,  // another live session holds it: no copies, nothing put back
};

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
  STAHL_EC3_FILE_STAMP inp_stamp;  // the ".INP" as read at start or as last saved
  int copies_made[2];       // the start-of-run copies of ".XPR" and ".EXP" that this run made
  STAHL_EC3_FILE_STAMP copy_stamps[2];  // each copy as this run wrote it
  int absent_at_start[2];   // ".XPR", ".EXP" not there at the start: removed when leaving unsaved
  // Refresh: 0 no screen session runs on the member; else one does (said on the list), and
  // the list shows the saved state (1) or its section may show unsaved changes (2).
  int being_edited;
  std::string save_problem;  // why the last save failed, for its message
  int session;               // STAHL_EC3_SESSION_*, screen runs only
  // The descriptor of the member's ".LCK" file (-1 none) with this session's locks on it
  // (session.cpp: the session lock on byte 0, the presence lock on byte 1), taken by process
  // lock_pid; the system lets them go when the process ends.
  int lock_fd = -1;
  int lock_pid;
  std::string lock_path;
  int lock_made;             // 1: this run made the lock file (it holds no earlier run's note)
  std::string lock_problem;  // why no lock could be had: the lock file and the cause
  // 1: a holder was still ending when the wait for it passed its bound (STAHL_EC3_SESSION_OTHER
  // with the late lock in place of the presence lock, said in a box)
  int end_wait_passed;
  // The holder's copy k may hold a killed run's unsaved work (noted 'u').
  int copy_unknown[2];
  // A killed run's copy found at the start that this run may not write back (its exchange
  // file cannot be read or written here): its mark ('c' or 'u') and hash, carried into this
  // run's note for a later holder; the copy keeps its name and the lock file stays. 0: none.
  char carried[2];
  unsigned long long carried_hash[2];
};
STAHL_EC3_RUN &Stahl_EC3_Run();

// Work-file names of the member: the ".INP", ".OLI", ".SPF" ("%s%04d.SPF" of the stem and
// the position) and the position text ".TXT".
std::string Bauteil_Inp_Path();
std::string Bauteil_Oli_Path();
std::string Bauteil_Spf_Path();
std::string Bauteil_Txt_Path();

// Writes the print list and the plot file of the record (stored units) or, for a member
// unreadable at start and not saved since, the list with "Lesefehler": 0, or 1 with a line on
// standard error (the cause's text behind it) when a file could not be written; errno then
// holds the cause of the first failure.
int Write_Bauteil_Print_List();
// ---------------------------------------------------------------- sessions (session.cpp)
// The exchange files of the member and their start-of-run copies.
inline constexpr const char *STAHL_EC3_EXCHANGE[2][2] = {{".XPR", "_TMP.XPR"}, {".EXP", "_TMP.EXP"}};
// The start of a screen session, before the member file is read: takes the session and
// presence locks (waiting for a holder that is ending), stamps the member file as it finds it
// then (inp_stamp), says in a box when another session edits the member or no lock can be
// had, puts a killed run's copy back where its note proves that nothing was saved since and
// keeps what that run left (or carries a copy it may not write back into its note), makes
// the start-of-run copies and notes the member file in the lock file.
void Begin_Stahl_EC3_Session(STAHL_EC3_RUN &r);
// The member file as a screen session read it (read): taken as the session's where it is the
// file found at the start or where the exchange files still hold the start copies' bytes and
// those not there at the start are still not there (the file was replaced meanwhile, by a sync
// tool or another program, and nothing else changed): the note is then written again, so that
// the end puts the start state back and a save does not ask. Where an exchange file changed as
// well, the start's stamp stays (a save asks first, the end puts nothing back). True when taken.
bool Take_Session_Read_Stamp(STAHL_EC3_RUN &r, const STAHL_EC3_FILE_STAMP &read);
// A refresh: 0 when no screen session runs on the member; else 1 when the list shows the
// saved state (an imported section renewed from the session's start copy where that is the
// saved one), 2 when its section may show the session's unsaved changes.
int Refresh_During_Session(STAHL_EC3_RUN &r);
// Puts this run's start-of-run copies back over ".XPR" and ".EXP" and removes them, removes
// an exchange file that was not there at the start, then ends the session (its locks let
// go): 0, or 1 when a copy could not be put back (it is then kept), a copy made at start is
// gone or is no longer as this run wrote it (its content identity; said in a message box:
// the file is not put back); a file that holds the copy's bytes is not written. A copy that
// this run did not make is never put back here. When the member file's
// content is no longer the one read (another session saved it) nothing is put back or
// removed: a box names each exchange file not reset, and this run's copies go. When another
// screen session runs, nothing is put back or removed either: a box names each file, this
// run's copies are kept as "<copy>.bak" where nothing is lost, and the lock file stays; so
// from the file on whose turn a session that passed the bound of its wait for this end holds
// its late lock (none comes between the look at the member file and a write).
int Restore_Exchange_Files();
// Removes this run's start-of-run copies "_TMP.XPR" and "_TMP.EXP" while they are as it
// wrote them (another session's stay) and ends the session (its locks let go).
void Remove_Work_Files();
// Lets the session's locks go: the lock file is removed by a holder that ends while no other
// session runs, and only while its name is still the file locked here.
void Release_Session_Lock(STAHL_EC3_RUN &r);
// Copies a file to one of the program's own copies (never through a link in the target's
// place): the target keeps its old bytes unless the whole copy was written. 0, or 1 with the
// cause in *cause: why the source cannot be read (one that is not a regular file or passes
// the input cap is refused; all but the first are also said on standard error), or the
// target's name and why it cannot be written.
int Copy_Work_File(const std::string &from, const std::string &to, std::string *cause);
// For tests: the process ends itself (SIGKILL) at the call-th file call of the session rules
// from now (0: never); the calls are counted from here either way.
void Set_Session_Kill_Point_For_Tests(int call);
// For tests: the file calls of the session rules since the last Set_Session_Kill_Point_For_Tests.
int Session_File_Calls_For_Tests();
// How long a session start waits for a holder that is ending (s): a constant of the program.
inline constexpr double STAHL_EC3_END_WAIT_S = 60.0;
// For tests: the bound of that wait (a negative or non-finite one: STAHL_EC3_END_WAIT_S again).
void Set_Session_End_Wait_For_Tests(double seconds);
// What a holder notes in its lock file (FORMAT.md): its version (1 or 2), the member file it
// read (present, device, inode, size, hash), each exchange file at its start ('c' copied,
// 'u' copied while it may hold a killed run's unsaved work, 'n' not there, '-' neither) and
// the hash of each copy (version 2; 0 for none or an older note).
struct STAHL_EC3_SESSION_NOTE {
  int version = 0;
  STAHL_EC3_FILE_STAMP member{};
  char start[2] = {'-', '-'};
  unsigned long long copy_hash[2] = {0, 0};
  bool operator==(const STAHL_EC3_SESSION_NOTE &) const = default;
};
// Reads a note from the n bytes at text, exactly by its grammar (version 1 or 2): false, and
// *note untouched, for anything else (an empty file, a note cut by a kill, other bytes).
bool Parse_Session_Note(const char *text, std::size_t n, STAHL_EC3_SESSION_NOTE *note);
// The text of a note (written as version 2 whatever note.version says).
std::string Session_Note_Text(const STAHL_EC3_SESSION_NOTE &note);
// Answers of Save_Bauteil_Member besides 0 and 1.
inline constexpr int STAHL_EC3_SAVE_DECLINED = 2;
// Saves the record (stored units) as the member's ".INP". When the file is not the one read
// at start (or last saved here: another stamp, or present now and absent then) the user is
// asked first; no gives STAHL_EC3_SAVE_DECLINED and nothing is written. A member file that is
// there but no regular file (a FIFO, a folder, a link to a device) is refused before anything
// is written; an unreadable file is first kept as ".INP.bak" (once). 0 when saved (the record
// is then the member's: a read error at start no longer counts), or 1 with nothing lost and
// the cause in save_problem of the run (errno too where a call failed).
int Save_Bauteil_Member();
// The message box of a screen start while another session edits the member.
std::string Bauteil_Other_Session_Note();
// The line of the print list of a refresh while a session edits the member: the list shows
// the saved state, or (an exchange file the session may have changed is listed) it may not.
inline constexpr const char *STAHL_EC3_NOTE_EDITED =
    "Hinweis: Die Position wird gerade bearbeitet; die Liste zeigt den gespeicherten Stand."_cp;
inline constexpr const char *STAHL_EC3_NOTE_UNSAVED =
    "Hinweis: Die Position wird gerade bearbeitet; der Querschnitt kann ungespeicherte Änderungen zeigen."_cp;

// The section picture of page 1 in the box (x1, y1)-(x2, y2): a profile by its shape, an
// imported section by its polygons or line model, each fitted into the box.
void Draw_Bauteil_Picture(int x1, int y1, int x2, int y2, PROFIL *profil);
// The question before a save over a member file that changed since it was read.
std::string Bauteil_Changed_Question();
