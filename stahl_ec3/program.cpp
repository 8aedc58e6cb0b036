// The run of the member program: start-up (arguments, work files, environment, services, the
// member data file), the refresh road, the print list and plot file, saving and the close
// request. The session rules (lock, copies, put-back, the refresh's saved state) are
// session.cpp's.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "checks/checks.h"
#include "host/host.h"
#include "materials/materials.h"
#include "nad/nad.h"
#include "print/print.h"
#include "sections/sections.h"
#include "stahl_ec3/program_internal.h"
#include "support/shell.h"
#include "support/support.h"
#include "widgets/widgets.h"

namespace {

constexpr std::size_t kLabelMax = 255;

struct ProgramState {
  bool registered = false;
  STAHL_EC3_RUN run{};
};
ProgramState g;

ProgramState &_S() {
  if (!g.registered) {
    g.registered = true;
    Host_Register_Reset(&Reset_Stahl_EC3_For_Tests);
  }
  return g;
}

// A number of the command line: whole decimal digits only (no sign, no blanks), 0 to
// 2147483647, read over the whole text; false for anything else.
bool _Whole_Number(const char *text, int *out) {
  if (!text || !*text) return false;
  long long v = 0;
  for (const char *p = text; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
    v = 10 * v + (*p - '0');
    if (v > 2147483647LL) return false;
  }
  *out = static_cast<int>(v);
  return true;
}

// True when the environment's path names a folder; else a line on standard error saying
// what it names.
bool _Names_Folder(const char *what, const char *path) {
  struct stat st;
  if (::stat(path, &st) == 0 && S_ISDIR(st.st_mode)) return true;
  const bool there = ::stat(path, &st) == 0;  // a file (or a device) rather than nothing
  std::fprintf(stderr, "stahl_ec3: %s names %s, not a folder: %s\n", what, there ? "a file" : "no existing path", path);
  return false;
}

bool _Exists(const std::string &path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

// The cause of the last failure as text, for the messages.
std::string _Why(int err) { return err ? std::strerror(err) : "unknown cause"; }

// The first line of the position text, without line end and trailing blanks; empty when the
// file is missing or its first line is blank. A position text that is there but refused (not
// a regular file, larger than the input cap) is named on standard error.
std::string _Read_Label() {
  std::string label;
  const std::string txt = Bauteil_Txt_Path();
  int why;
  FILE *f = Open_Input_File(txt.c_str(), 0, &why);
  if (!f) {
    if (why != WHOLE_FILE_NOT_OPENED || errno != ENOENT)
      std::fprintf(stderr, "stahl_ec3: %s: %s; the position number stands for its label\n", txt.c_str(),
                   Input_File_Problem(why, 0, errno).c_str());
    return label;
  }
  char line[1024];
  if (std::fgets(line, sizeof line, f)) {
    line[std::strcspn(line, "\r\n")] = '\0';
    if (Trim_Blanks(line)) label = line;
  }
  std::fclose(f);
  if (label.size() > kLabelMax) label.resize(kLabelMax);
  return label;
}

// Takes the stamp of the member file read as the run's: on the refresh road always; in a
// session by the session's rule (its copies and note belong to the file found at its start).
void _Take_Read_Stamp(STAHL_EC3_RUN &r, const STAHL_EC3_FILE_STAMP &read) {
  if (r.refresh) r.inp_stamp = read;
  else Take_Session_Read_Stamp(r, read);
}

// Reads the member data file into the record, or sets the defaults (a new member, or one that
// cannot be read); the record read is brought in line with its profile.
void _Read_Input(STAHL_EC3_RUN &r) {
  const std::string inp = Bauteil_Inp_Path();
  int why;
  FILE *f = Open_Input_File(inp.c_str(), 0, &why);
  if (!f) {
    const bool missing = why == WHOLE_FILE_NOT_OPENED && errno == ENOENT;
    const std::string problem = Input_File_Problem(why, 0, errno);
    _Take_Read_Stamp(r, Stahl_EC3_File_Stamp(inp));
    Set_Bauteil_Defaults(&r.bauteil);
    if (missing && !r.refresh) return;  // a new member
    r.read_error = missing ? 2 : 1;
    r.read_reason = missing ? "the member data file does not exist" : problem;
    return;
  }
  // The stamp of what is read, so that a save can tell when another session saved since.
  std::string bytes;
  _Take_Read_Stamp(r, Stahl_EC3_Stream_Stamp(f, &bytes));
  const int rc = Read_Bauteil(f, &r.bauteil);
  std::fclose(f);
  if (rc != 0) {
    r.read_error = 1;
    r.read_reason = "the member data file is cut, garbled or newer than the program";
    Activate_Default_NAD();
    Set_Bauteil_Defaults(&r.bauteil);
    return;
  }
  Check_Bauteil_Data(&r.bauteil, nullptr, r.refresh ? 0 : 1, STAHL_EC3_TITLE);
}

// An exchange file of the member that is there but no regular file (a FIFO, a link to a
// device) is never read: a line on standard error says so.
void _Name_Odd_Exchange_Files() {
  for (const auto &pair : STAHL_EC3_EXCHANGE) {
    const std::string path = Make_Bauteil_Filename(pair[0]);
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
      std::fprintf(stderr, "stahl_ec3: %s: %s; it is not read\n", path.c_str(),
                   Input_File_Problem(WHOLE_FILE_NOT_REGULAR, 0, 0).c_str());
  }
}

// The temporary files that replacements of the member's files left behind when a run was
// killed while writing (older than FILE_REPLACE_STALE_S; younger ones may be a parallel
// run's).
void _Remove_Stale_Temporaries() {
  for (const char *ending : {".INP", ".OLI", ".XPR", ".EXP", ".GRQ", ".QIN"})
    Remove_Stale_Replace_Temps(Make_Bauteil_Filename(ending).c_str(), FILE_REPLACE_STALE_S);
  Remove_Stale_Replace_Temps(Bauteil_Spf_Path().c_str(), FILE_REPLACE_STALE_S);
  // The program's own copies and the lock file are written without following links: their
  // temporary files lie beside their own names.
  for (const char *ending : {".INP.bak", "_TMP.XPR", "_TMP.EXP", ".LCK"})
    Remove_Stale_Replace_Temps(Make_Bauteil_Filename(ending).c_str(), FILE_REPLACE_STALE_S, FILE_REPLACE_NO_FOLLOW);
}

void _Lesefehler_List(FILE *list) {
  Oli_Raw_Printf(list, " POS. %s\n#CONTENTS\n", Get_Bauteil_Label());
  Oli_Printf(list, "%sLesefehler %s\n", Oli_Line_Prefix(), Oli_Mark_Red_Exclam());
  Oli_End_Text(list);
}

}  // namespace

STAHL_EC3_RUN &Stahl_EC3_Run() { return _S().run; }

void Reset_Stahl_EC3_For_Tests() {
  Release_Session_Lock(g.run);
  Reset_Bauteil(&g.run.bauteil);
  g.run = STAHL_EC3_RUN{};
}

BAUTEIL *Get_Stahl_EC3_Bauteil() { return &_S().run.bauteil; }

void Set_Bauteil_Label(const char *label) {
  std::string &l = _S().run.label;
  l = label ? label : "";
  if (l.size() > kLabelMax) l.resize(kLabelMax);
}

const char *Get_Bauteil_Label() { return _S().run.label.c_str(); }

std::string Bauteil_Inp_Path() { return Make_Bauteil_Filename(".INP"); }
std::string Bauteil_Oli_Path() { return Make_Bauteil_Filename(".OLI"); }
std::string Bauteil_Txt_Path() {
  return Make_Stem_Prefix_Filename((std::string(Get_File_Number_Suffix()) + ".TXT").c_str());
}
std::string Bauteil_Spf_Path() {
  char tail[32];
  std::snprintf(tail, sizeof tail, "%04d.SPF", _S().run.position);
  return std::string(Get_Bauteil_Path()) + tail;
}

int Start_Stahl_EC3(int argc, char **argv) {
  ProgramState &s = _S();
  Reset_Stahl_EC3_For_Tests();
  STAHL_EC3_RUN &r = s.run;
  if (argc < 5 || !argv) {
    std::printf("usage: %s Bauteilkennung Icon-Id File-Id Pos-Id\n", argc > 0 && argv && argv[0] ? argv[0] : "stahl_ec3");
    return STAHL_EC3_EXIT_NOT_SAVED;
  }
  if (!Set_Bauteil_Path(argv[1])) {
    std::fprintf(stderr, "stahl_ec3: the member file stem is missing or its work-file names pass 260 characters\n");
    return STAHL_EC3_EXIT_NOT_SAVED;
  }
  // A refused number would leave the work files of number 0 in use: another member's.
  int file_number = 0;
  if (!_Whole_Number(argv[3], &file_number)) {
    std::fprintf(stderr, "stahl_ec3: the work-file number %s is not a whole number from 0 to 2147483647\n",
                 argv[3] ? argv[3] : "");
    return STAHL_EC3_EXIT_NOT_SAVED;
  }
  if (!Set_File_Number(file_number)) {
    std::fprintf(stderr, "stahl_ec3: the work-file number %s makes work-file names longer than 260 characters\n",
                 argv[3]);
    return STAHL_EC3_EXIT_NOT_SAVED;
  }
  if (!_Whole_Number(argv[4], &r.position)) {
    std::fprintf(stderr, "stahl_ec3: the position number %s is not a whole number from 0 to 2147483647\n",
                 argv[4] ? argv[4] : "");
    return STAHL_EC3_EXIT_NOT_SAVED;
  }
  for (int i = 5; i < argc; ++i)
    if (argv[i] && std::strcmp(argv[i], "-refresh") == 0) r.refresh = 1;
  Set_Refresh_Mode(r.refresh);

  std::string label = _Read_Label();
  if (label.empty()) label = std::to_string(r.position);
  Set_Bauteil_Label(label.c_str());

  const char *exec = YRMGetEnv("EXEC");
  if (!exec || !exec[0]) {
    std::fprintf(stderr, "stahl_ec3: the environment variable EXEC is not set\n");
    return STAHL_EC3_EXIT_NOT_SAVED;
  }
  if (!CurOb_Privat_Datapath()) {
    std::fprintf(stderr, "stahl_ec3: the host gives no private data path (YRMPRIVATE is not set)\n");
    return STAHL_EC3_EXIT_NOT_SAVED;
  }
  if (!_Names_Folder("EXEC", exec) || !_Names_Folder("YRMPRIVATE", CurOb_Privat_Datapath()))
    return STAHL_EC3_EXIT_NOT_SAVED;
  _Remove_Stale_Temporaries();

  Init_Host_IO_and_Mouse_Wheel();
  Set_QImport_Files(Make_Bauteil_Filename(".GRQ").c_str(), Make_Bauteil_Filename(".QIN").c_str());
  Set_Check_Standard(2);
  Set_Stress_Check_Constant(150.0);  // the steel stress-strain law of the plastic limit state
  Init_Stguete_Name_Grid();
  Activate_Default_NAD();  // a file read names its own set
  if (r.refresh) {
    _Read_Input(r);
    _Name_Odd_Exchange_Files();
    // The list is the saved member's: an imported section comes from a session's start copy
    // where that is the saved state, not from the ".XPR" the session may be changing; where
    // it cannot be told, the list says so. A refresh takes no lock, makes no copies and
    // removes none.
    r.being_edited = Refresh_During_Session(r);
    if (r.being_edited)
      std::fprintf(stderr, "stahl_ec3: %s is being edited in a session; %s\n", Bauteil_Inp_Path().c_str(),
                   r.being_edited == 1 ? "the list shows the member as saved" : "its section may show unsaved changes");
  } else {
    // The member is read once the session has its lock, the wait for an ending holder is
    // over and a killed run's copies are back: what the screen shows, checks and saves is
    // then the state that the session's boxes call saved.
    _Name_Odd_Exchange_Files();
    Begin_Stahl_EC3_Session(r);
    _Read_Input(r);
    YRMSetCloseFct(&Stahl_EC3_Close_Request);
    if (r.read_error) {
      const std::string text = "Lesefehler\n" + Bauteil_Inp_Path() + "\n" + r.read_reason;
      PrintMessage(text.c_str(), STAHL_EC3_TITLE);
    }
  }
  return -1;
}

int Write_Bauteil_Print_List() {
  STAHL_EC3_RUN &r = Stahl_EC3_Run();
  const std::string oli = Bauteil_Oli_Path(), spf = Bauteil_Spf_Path();
  FILE *list = Open_Druckliste(oli.c_str());
  if (!list) {
    const int err = errno;
    std::fprintf(stderr, "stahl_ec3: %s: the print list cannot be written: %s\n", oli.c_str(), _Why(err).c_str());
    errno = err;
    return 1;
  }
  // A plot file of an earlier run must not stand for this one: it is written anew in any case.
  const int plot_open = Oliplot_Open_Plot_File(spf.c_str());
  const int plot_err = plot_open ? errno : 0;
  if (r.read_error)
    _Lesefehler_List(list);
  else
    Print_Brandschutznachweis(&r.bauteil, list);
  int bad = Close_Druckliste(list);
  int err = bad ? errno : 0;
  if (bad)
    std::fprintf(stderr, "stahl_ec3: %s: the print list could not be written completely: %s\n", oli.c_str(),
                 _Why(err).c_str());
  if (plot_open != 0 || Oliplot_Close_Plot_File() != 0) {
    const int why = plot_open ? plot_err : errno;
    if (!bad) err = why;
    std::fprintf(stderr, "stahl_ec3: %s: the plot file cannot be written: %s\n", spf.c_str(), _Why(why).c_str());
    bad = 1;
  }
  errno = err;
  return bad;
}

int Refresh_Stahl_EC3() {
  STAHL_EC3_RUN &r = Stahl_EC3_Run();
  const int bad = Write_Bauteil_Print_List();
  if (r.read_error)
    std::fprintf(stderr, "stahl_ec3: %s: Lesefehler: %s\n", Bauteil_Inp_Path().c_str(), r.read_reason.c_str());
  return bad ? STAHL_EC3_EXIT_NOT_SAVED : STAHL_EC3_EXIT_SAVED;
}

std::string Bauteil_Changed_Question() {
  return "Die Eingabedatei\n" + Bauteil_Inp_Path() +
         "\nwurde seit dem Lesen von einer anderen Bearbeitung geändert.\nTrotzdem überschreiben?"_cp;
}

int Save_Bauteil_Member() {
  STAHL_EC3_RUN &r = Stahl_EC3_Run();
  const std::string inp = Bauteil_Inp_Path();
  r.save_problem.clear();
  // A FIFO, a folder or a link to a device in the member file's place is never replaced.
  struct stat st;
  if (::stat(inp.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    const bool folder = S_ISDIR(st.st_mode);
    r.save_problem = folder ? _Why(EISDIR) : Input_File_Problem(WHOLE_FILE_NOT_REGULAR, 0, 0);
    errno = folder ? EISDIR : EINVAL;
    return 1;
  }
  // Another session may have saved the member since it was read here, or another program
  // rewritten it: that is not lost without a word.
  if (!(Stahl_EC3_File_Stamp(inp) == r.inp_stamp) && !Answer_is_Yes(Bauteil_Changed_Question().c_str()))
    return STAHL_EC3_SAVE_DECLINED;
  if (r.read_error == 1 && !r.backup_kept && _Exists(inp)) {
    // The file that could not be read is not overwritten before it is kept.
    if (Copy_Work_File(inp, inp + ".bak", &r.save_problem) != 0) return 1;
    r.backup_kept = 1;
  }
  if (Save_Bauteil_File(inp.c_str(), &r.bauteil) != 0) {
    const int err = errno;
    r.save_problem = _Why(err);
    errno = err;
    return 1;
  }
  r.inp_stamp = Stahl_EC3_File_Stamp(inp);
  r.read_error = 0;  // the file holds the record now
  return 0;
}

int Stahl_EC3_Close_Request() {
  if (!Answer_is_Yes("Aktuelle Bearbeitung abbrechen?")) return 0;
  Restore_Exchange_Files();  // removes the copies it put back, keeps one that it could not
  Stahl_EC3_Run().closed = 1;
  return STAHL_EC3_CLOSE_ANSWER;
}

int Stahl_EC3_Main(int argc, char **argv) {
  const int rc = Start_Stahl_EC3(argc, argv);
  if (rc >= 0) return rc;
  return Stahl_EC3_Run().refresh ? Refresh_Stahl_EC3() : Run_Stahl_EC3_Screen();
}
