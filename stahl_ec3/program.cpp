// The run of the member program: start-up (arguments, work files, environment, services, the
// member data file), the refresh road, the print list and plot file, the exchange-file copies,
// saving and the close request.
#include <fcntl.h>
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
// The exchange files of the member and their start-of-run copies.
constexpr const char *kExchange[2][2] = {{".XPR", "_TMP.XPR"}, {".EXP", "_TMP.EXP"}};

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

// FNV-1a (64 bits) of the bytes.
unsigned long long _Hash(const std::string &bytes) {
  unsigned long long h = 14695981039346656037ULL;
  for (const unsigned char c : bytes) h = (h ^ c) * 1099511628211ULL;
  return h;
}

long long _Ns(const struct timespec &t) { return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec; }

STAHL_EC3_FILE_STAMP _Stamp_of(const struct stat &st, unsigned long long hash) {
  return STAHL_EC3_FILE_STAMP{1, static_cast<long long>(st.st_size), _Ns(st.st_mtim), _Ns(st.st_ctim),
                              static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
                              hash};
}

// The stamp of an input stream open at its start, its bytes read into *bytes on the way; the
// stream is back at its start afterwards. Not present when its status cannot be had.
STAHL_EC3_FILE_STAMP _Stamp_of_Stream(FILE *f, std::string *bytes) {
  struct stat st;
  if (::fstat(fileno(f), &st) != 0) return STAHL_EC3_FILE_STAMP{};
  bytes->clear();
  char block[65536];
  for (std::size_t n; bytes->size() <= INPUT_FILE_MAX_BYTES && (n = std::fread(block, 1, sizeof block, f)) > 0;)
    bytes->append(block, n);
  std::rewind(f);
  return _Stamp_of(st, _Hash(*bytes));
}

// The stamp of the file at path now, its bytes in *bytes when not null: not present when it
// cannot be found; one that cannot be read (no regular file, past the input cap) has the
// stamp of its status alone.
STAHL_EC3_FILE_STAMP _Stamp(const std::string &path, std::string *bytes = nullptr) {
  std::string held;
  if (!bytes) bytes = &held;
  bytes->clear();
  int why;
  FILE *f = Open_Input_File(path.c_str(), 0, &why);
  if (!f) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? _Stamp_of(st, 0) : STAHL_EC3_FILE_STAMP{};
  }
  const STAHL_EC3_FILE_STAMP stamp = _Stamp_of_Stream(f, bytes);
  std::fclose(f);
  return stamp;
}

// The cause of the last failure as text, for the messages.
std::string _Why(int err) { return err ? std::strerror(err) : "unknown cause"; }

// Copies a file through the replace helper: the target keeps its old bytes unless the whole
// copy was written. 0, or 1 with the cause in *cause: why the source cannot be read (one
// that is not a regular file or passes the input cap is refused; all but the first are also
// said on standard error), or the target's name and why it cannot be written.
int _Copy_File(const std::string &from, const std::string &to, std::string *cause) {
  std::string bytes;
  const int read = Read_Whole_File(from.c_str(), &bytes, 0);
  if (read != WHOLE_FILE_OK) {
    const int err = read == WHOLE_FILE_NOT_OPENED || read == WHOLE_FILE_READ_ERROR ? errno : 0;
    *cause = Input_File_Problem(read, 0, err);
    if (read != WHOLE_FILE_NOT_REGULAR)  // said at start-up (_Name_Odd_Exchange_Files)
      std::fprintf(stderr, "stahl_ec3: %s: %s\n", from.c_str(), cause->c_str());
    errno = err;
    return 1;
  }
  if (Replace_File_Text(to.c_str(), bytes) == 0) return 0;
  const int err = errno;
  *cause = to + ": " + _Why(err);
  errno = err;
  return 1;
}

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

// Reads the member data file into the record, or sets the defaults (a new member, or one that
// cannot be read); the record read is brought in line with its profile.
void _Read_Input(STAHL_EC3_RUN &r) {
  const std::string inp = Bauteil_Inp_Path();
  int why;
  FILE *f = Open_Input_File(inp.c_str(), 0, &why);
  if (!f) {
    const bool missing = why == WHOLE_FILE_NOT_OPENED && errno == ENOENT;
    const std::string problem = Input_File_Problem(why, 0, errno);
    r.inp_stamp = _Stamp(inp);
    Set_Bauteil_Defaults(&r.bauteil);
    if (missing && !r.refresh) return;  // a new member
    r.read_error = missing ? 2 : 1;
    r.read_reason = missing ? "the member data file does not exist" : problem;
    return;
  }
  // The stamp of what is read, so that a save can tell when another session saved since.
  std::string bytes;
  r.inp_stamp = _Stamp_of_Stream(f, &bytes);
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
  for (const auto &pair : kExchange) {
    const std::string path = Make_Bauteil_Filename(pair[0]);
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
      std::fprintf(stderr, "stahl_ec3: %s: %s; it is not read\n", path.c_str(),
                   Input_File_Problem(WHOLE_FILE_NOT_REGULAR, 0, 0).c_str());
  }
}

// True when path names the file of st (same device and inode).
bool _Names_File(const std::string &path, const struct stat &st) {
  struct stat named;
  return ::lstat(path.c_str(), &named) == 0 && named.st_dev == st.st_dev && named.st_ino == st.st_ino;
}

// Takes the member's session lock (an fcntl write lock on "<stem>_NN.LCK", held until the
// session ends or the process does, also a killed one): one of STAHL_EC3_SESSION_*. A lock
// file made here is opened for every user (0666 whatever the umask), so that a second user
// in a shared folder can lock it too; one that this user cannot open for writing (another
// user's) is locked for reading through a read-only descriptor: this run then has no lock
// of its own (ALONE) but a session that comes later is still told that the member is being
// edited. Without a lock the cause is kept in lock_problem, and a lock file made here is
// removed again.
int _Take_Session_Lock(STAHL_EC3_RUN &r) {
  const std::string path = Make_Bauteil_Filename(".LCK");
  int err = 0;
  std::string cause;  // when not the text of err
  for (int tries = 0; tries < 8; ++tries) {
    constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    bool created = false;
    short type = F_WRLCK;
    int fd = ::open(path.c_str(), O_RDWR | kFlags);
    if (fd < 0 && errno == ENOENT) {
      fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | kFlags, 0666);
      if (fd < 0 && errno == EEXIST) continue;  // another session made it meanwhile
      if (fd >= 0) created = true, (void)::fchmod(fd, 0666);
    } else if (fd < 0 && errno == EACCES) {
      fd = ::open(path.c_str(), O_RDONLY | kFlags);
      type = F_RDLCK;
    }
    if (fd < 0) {
      err = errno;
      break;
    }
    struct stat held;
    const bool known = ::fstat(fd, &held) == 0;
    if (!known || !S_ISREG(held.st_mode)) {  // a FIFO or a device is never locked
      err = errno;
      if (known) cause = Input_File_Problem(WHOLE_FILE_NOT_REGULAR, 0, 0);
      ::close(fd);
      break;
    }
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;  // the whole file
    if (::fcntl(fd, F_SETLK, &lock) != 0) {
      err = errno;
      if (err == EACCES || err == EAGAIN) {
        ::close(fd);
        return STAHL_EC3_SESSION_OTHER;
      }
      // Locks fail here (a share without them): the file made for it goes again.
      if (created && _Names_File(path, held)) ::unlink(path.c_str());
      ::close(fd);
      break;
    }
    // A session that ended meanwhile removed the file opened here: then again on the new one.
    if (_Names_File(path, held)) {
      r.lock_fd = fd, r.lock_pid = static_cast<int>(getpid()), r.lock_path = path;
      if (type == F_WRLCK) return STAHL_EC3_SESSION_LOCKED;
      err = EACCES;  // a read lock: the others are told, this run is not
      break;
    }
    ::close(fd);
  }
  if (cause.empty()) cause = _Why(err);
  r.lock_problem = path + ": " + cause;
  std::fprintf(stderr, "stahl_ec3: %s: no session lock (%s); another session on the member is not noticed\n",
               path.c_str(), cause.c_str());
  return STAHL_EC3_SESSION_ALONE;
}

// Lets the session lock go: its file is removed while still locked (a session that opened it
// meanwhile finds it gone and opens a new one), and only while its name is still the file
// locked here (one put in place of a removed one belongs to another session) and the lock
// was this run's own write lock. A forked process that inherited the descriptor holds no
// lock and removes nothing.
void _Release_Session_Lock(STAHL_EC3_RUN &r) {
  if (r.lock_fd < 0) return;
  struct stat held;
  if (r.session == STAHL_EC3_SESSION_LOCKED && r.lock_pid == static_cast<int>(getpid()) &&
      ::fstat(r.lock_fd, &held) == 0 && _Names_File(r.lock_path, held))
    ::unlink(r.lock_path.c_str());
  ::close(r.lock_fd);
  r.lock_fd = -1;
}

// The start-of-run copies of the exchange files that exist, each with its stamp, and which
// of them were not there at the start. A copy found there while this run holds the lock
// belongs to no live session (a run that ended without putting it back): it is kept as
// "<copy>.bak" (over an older one), a box names it, it is never put back, and this run makes
// its own copy. Without a lock a copy found may be a live session's: it is left as it is,
// and nothing is put back for its file.
void _Copy_Exchange_Files(STAHL_EC3_RUN &r) {
  for (int k = 0; k < 2; ++k) {
    const std::string from = Make_Bauteil_Filename(kExchange[k][0]), copy = Make_Bauteil_Filename(kExchange[k][1]);
    if (_Exists(copy)) {
      const bool locked = r.session == STAHL_EC3_SESSION_LOCKED;
      const std::string bak = copy + ".bak";
      const bool kept = locked && ::rename(copy.c_str(), bak.c_str()) == 0;
      const int err = errno;
      const std::string text =
          locked
              ? "^bWARNUNG: " + copy + " ist die Kopie einer abgebrochenen Bearbeitung; sie wird nicht zurückgesetzt"_cp +
                    (kept ? " und als " + bak + " aufbewahrt!" : " und bleibt stehen (" + _Why(err) + ")!")
              : "^bWARNUNG: " + copy + " ist die Kopie einer anderen oder abgebrochenen Bearbeitung; " + from +
                    " wird hier nicht zurückgesetzt!"_cp;
      PrintMessage(text.c_str(), STAHL_EC3_TITLE);
      if (!kept) continue;
    }
    if (!_Exists(from)) {
      r.absent_at_start[k] = 1;
      continue;
    }
    std::string cause;
    if (_Copy_File(from, copy, &cause) != 0) {
      std::fprintf(stderr, "stahl_ec3: %s: no copy made (%s); leaving without saving cannot restore it\n",
                   from.c_str(), cause.c_str());
      continue;
    }
    r.copy_stamps[k] = _Stamp(copy);
    r.copies_made[k] = 1;
  }
}

// True when a live session holds the member's lock (F_GETLK through a read-only descriptor,
// which takes no lock).
bool _Session_Is_Live() {
  const int fd = ::open(Make_Bauteil_Filename(".LCK").c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return false;
  struct flock lock = {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  const bool held = ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
  ::close(fd);
  return held;
}

// True when the live session's start copy "_TMP.XPR" is there and belongs to the member file
// as saved: written no earlier than the ".INP" was. A member file saved after it (by another
// session) was saved with the ".XPR" of that save, which the start copy no longer is.
bool _Start_Copy_Is_Saved_State() {
  struct stat copy, inp;
  return ::stat(Make_Bauteil_Filename(kExchange[0][1]).c_str(), &copy) == 0 &&
         ::stat(Bauteil_Inp_Path().c_str(), &inp) == 0 && _Ns(inp.st_mtim) <= _Ns(copy.st_mtim);
}

// Renews an imported section from the live session's start copy "_TMP.XPR", the state that
// belongs to the saved member file (the ".XPR" may hold the session's unsaved section). The
// record keeps what it has when the copy cannot be read or taken over.
void _Renew_From_Start_Copy(PROFIL *p) {
  std::string rest;
  Make_Stem_Prefix_Filename("", &rest);
  if (p->kind != PROFIL_KIND_QUER || !Set_XPRT_Filename((rest + Get_File_Number_Suffix() + kExchange[0][1]).c_str()))
    return;
  QIMPORT_ENTRY *entry = New_QImport_Entry();
  const int read = Read_XPRT_Result(entry);
  Set_XPRT_Member_Filename();
  if (!read) return;  // the unreferenced entry goes with the catalogue's purge
  PROFIL kept = *p;
  p->nodes = nullptr, p->lines = nullptr;
  p->entry = entry;
  Add_QImport_Reference(entry, +1);
  if (Set_Profil_from_QImport(p, 0) == 0) {
    MEM_FREE(kept.nodes);
    MEM_FREE(kept.lines);
    Add_QImport_Reference(kept.entry, -1);
    if (p->model_kind == 0) Write_QUER_EIN();
    return;
  }
  // The take-over released the new entry and left empty lists: the record's own come back.
  MEM_FREE(p->nodes);
  MEM_FREE(p->lines);
  p->entry = kept.entry, p->model_kind = kept.model_kind, p->obj_a = kept.obj_a, p->obj_b = kept.obj_b;
  p->node_count = kept.node_count, p->nodes = kept.nodes, p->line_count = kept.line_count, p->lines = kept.lines;
  std::memcpy(p->imported, kept.imported, sizeof p->imported);
}

// The temporary files that replacements of the member's files left behind when a run was
// killed while writing (older than FILE_REPLACE_STALE_S; younger ones may be a parallel
// run's).
void _Remove_Stale_Temporaries() {
  for (const char *ending : {".INP", ".INP.bak", ".OLI", ".XPR", ".EXP", "_TMP.XPR", "_TMP.EXP", ".GRQ", ".QIN"})
    Remove_Stale_Replace_Temps(Make_Bauteil_Filename(ending).c_str(), FILE_REPLACE_STALE_S);
  Remove_Stale_Replace_Temps(Bauteil_Spf_Path().c_str(), FILE_REPLACE_STALE_S);
}

void _Lesefehler_List(FILE *list) {
  Oli_Raw_Printf(list, " POS. %s\n#CONTENTS\n", Get_Bauteil_Label());
  Oli_Printf(list, "%sLesefehler %s\n", Oli_Line_Prefix(), Oli_Mark_Red_Exclam());
  Oli_End_Text(list);
}

}  // namespace

STAHL_EC3_RUN &Stahl_EC3_Run() { return _S().run; }

void Reset_Stahl_EC3_For_Tests() {
  _Release_Session_Lock(g.run);
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
  _Read_Input(r);
  _Name_Odd_Exchange_Files();
  if (r.refresh && _Session_Is_Live()) {
    // The list is the saved member's: an imported section comes from the session's start
    // copy when it made one and the member was not saved since, not from the ".XPR" the
    // session may be changing.
    r.being_edited = 1;
    if (!r.read_error && _Start_Copy_Is_Saved_State()) _Renew_From_Start_Copy(&r.bauteil.profil);
    std::fprintf(stderr, "stahl_ec3: %s is being edited in a session; the list shows the member as saved\n",
                 Bauteil_Inp_Path().c_str());
  }
  if (!r.refresh) {
    // A refresh takes no lock, makes no copies and removes none: it may run while a session
    // on the same member holds its copies for "beenden ohne zu speichern". A second session
    // leaves the first one's copies alone and puts nothing back.
    r.session = _Take_Session_Lock(r);
    if (r.session == STAHL_EC3_SESSION_ALONE) {
      const std::string text = "^bWARNUNG: Die Eingabedatei " + Bauteil_Inp_Path() +
                               " kann für diese Bearbeitung nicht gesperrt werden ("_cp + r.lock_problem +
                               "); eine andere Bearbeitung wird nicht bemerkt!"_cp;
      PrintMessage(text.c_str(), STAHL_EC3_TITLE);
    }
    if (r.session == STAHL_EC3_SESSION_OTHER)
      PrintMessage(Bauteil_Other_Session_Note().c_str(), STAHL_EC3_TITLE);
    else
      _Copy_Exchange_Files(r);
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

void Remove_Work_Files() {
  STAHL_EC3_RUN &r = Stahl_EC3_Run();
  for (int k = 0; k < 2; ++k)
    if (r.copies_made[k]) std::remove(Make_Bauteil_Filename(kExchange[k][1]).c_str());
  r.copies_made[0] = r.copies_made[1] = r.absent_at_start[0] = r.absent_at_start[1] = 0;
  _Release_Session_Lock(r);
}

int Restore_Exchange_Files() {
  STAHL_EC3_RUN &r = Stahl_EC3_Run();
  int bad = 0;
  // Another session (or program) saved the member since it was read here: the exchange
  // files go with that save, nothing is put back or removed, only this run's copies go.
  const bool to_do = r.copies_made[0] || r.copies_made[1] || r.absent_at_start[0] || r.absent_at_start[1];
  const bool saved_elsewhere = to_do && !(_Stamp(Bauteil_Inp_Path()) == r.inp_stamp);
  for (int k = 0; k < 2; ++k) {
    const std::string file = Make_Bauteil_Filename(kExchange[k][0]), copy = Make_Bauteil_Filename(kExchange[k][1]);
    if (saved_elsewhere) {
      if (r.copies_made[k] || _Exists(file)) {
        const std::string text = "^bWARNUNG: " + file + " wird nicht zurückgesetzt: die Eingabedatei "_cp +
                                 Bauteil_Inp_Path() + " wurde seit dem Lesen von einer anderen Bearbeitung gespeichert!"_cp;
        PrintMessage(text.c_str(), STAHL_EC3_TITLE);
        bad = 1;
      }
      if (r.copies_made[k]) std::remove(copy.c_str());
      r.copies_made[k] = r.absent_at_start[k] = 0;
      continue;
    }
    if (r.absent_at_start[k]) {  // made during the session (an import, an export): it goes
      r.absent_at_start[k] = 0;
      if (::unlink(file.c_str()) != 0 && errno != ENOENT) {
        std::fprintf(stderr, "stahl_ec3: %s could not be removed (%s)\n", file.c_str(), _Why(errno).c_str());
        bad = 1;
      }
      continue;
    }
    if (!r.copies_made[k]) continue;  // none made here: no file at start, or another session's
    std::string bytes;
    const bool gone = !_Exists(copy);
    if (gone || !(_Stamp(copy, &bytes) == r.copy_stamps[k])) {
      const std::string text = "^bWARNUNG: " + file + " kann nicht zurückgesetzt werden: die Kopie vom Start ("_cp +
                               copy + (gone ? ") fehlt!" : ") wurde von einer anderen Bearbeitung geändert!"_cp);
      PrintMessage(text.c_str(), STAHL_EC3_TITLE);
      bad = 1;
      continue;
    }
    if (Replace_File_Text(file.c_str(), bytes) != 0) {
      std::fprintf(stderr, "stahl_ec3: %s could not be restored (%s); its copy %s is kept\n", file.c_str(),
                   _Why(errno).c_str(), copy.c_str());
      bad = 1;
      continue;
    }
    std::remove(copy.c_str());
    r.copies_made[k] = 0;
  }
  _Release_Session_Lock(r);
  return bad;
}

std::string Bauteil_Other_Session_Note() {
  return "^bWARNUNG: Die Eingabedatei " + Bauteil_Inp_Path() +
         " wird gerade in einer anderen Bearbeitung bearbeitet; beenden ohne zu speichern setzt hier nichts "
         "zurück!"_cp;
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
  if (!(_Stamp(inp) == r.inp_stamp) && !Answer_is_Yes(Bauteil_Changed_Question().c_str()))
    return STAHL_EC3_SAVE_DECLINED;
  if (r.read_error == 1 && !r.backup_kept && _Exists(inp)) {
    // The file that could not be read is not overwritten before it is kept.
    if (_Copy_File(inp, inp + ".bak", &r.save_problem) != 0) return 1;
    r.backup_kept = 1;
  }
  if (Save_Bauteil_File(inp.c_str(), &r.bauteil) != 0) {
    const int err = errno;
    r.save_problem = _Why(err);
    errno = err;
    return 1;
  }
  r.inp_stamp = _Stamp(inp);
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
