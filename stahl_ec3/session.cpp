// The member's screen sessions: who may put its exchange files back, and what a refresh lists
// while a session runs. The rules, in the order a session meets them:
//
//  Lock    "STEM_NN.LCK": byte 0 carries the session lock (an fcntl write lock: its holder
//          alone makes start copies and puts them back), byte 1 the presence lock (a read lock
//          of every screen session, holder or not). A run that locks the whole file (an older
//          version) conflicts with both. The file is made under a temporary name, given mode
//          0666 and linked into place, so that no kill leaves it narrower; such a temporary
//          left beside it by a kill is removed. A lock file that is also a member file (the
//          ".INP", ".TXT", an exchange file, a copy: same device and inode) is never locked
//          nor written. A holder removes it only when it ends while no other session is
//          present, and only while its name is still the file locked; a user who cannot write
//          it read-locks both bytes. A start waits for a holder that is ending (its write lock
//          on bytes 0-1) up to a bound, and past it says that it runs without presence.
//  Note    the holder writes into its lock file (only one of its own: one name, empty or a
//          note) the identity of the member file it read (present, device, inode, size, hash
//          of its bytes), what became of each exchange file at its start (copied as the saved
//          state or as an unknown one, not there, neither) and the hash of each copy made.
//  Copies  the holder copies ".XPR" and ".EXP" to "_TMP.XPR" and "_TMP.EXP". Their names are
//          tested without following links (a link, also a dangling one, is a found copy), and
//          the copies are written by a replace that does not follow links.
//  Found   a copy found by the holder belongs to a run that ended without its end. Where that
//          run's note (nobody present, the member file still the one it read) proves the copy
//          its own, the copy is put back and the exchange file it left is kept under a free
//          name "<file>.bak", ".bak2", …. Any other goes to "<copy>.bak" where nothing is lost
//          (the older ".bak" is not there or no regular file, predates the member file's last
//          save, or holds the copy's or the exchange file's bytes), else where the exchange
//          file holds its bytes, else to a free name "<copy>.bak2", …; its file's state is then
//          unknown. A session without the lock leaves it. A stale note of the member file read
//          now: an exchange file that was not there at that run's start is kept as a ".bak".
//  End     leaving without saving puts nothing back and removes nothing when the member file's
//          content is no longer the one read (saved elsewhere), nor while another session is
//          present (this run's copies are then kept as "<copy>.bak" by the rule above, and the
//          lock file stays); else the copies go back (a file that holds their bytes is not
//          written) and an exchange file made meanwhile goes.
//  Refresh during a session it lists the start copy's section only while the member file has
//          the noted identity and the copy is of the saved state; without a note, while the
//          member file is not newer than the copy; where the section may be the session's (or
//          a killed run's) unsaved one, the list says so.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/host.h"
#include "profil/profil.h"
#include "sections/sections.h"
#include "stahl_ec3/program_internal.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

constexpr off_t kSessionByte = 0, kPresenceByte = 1;
// How often a session start tries the lock file when it vanishes or appears meanwhile (a
// holder that is ending is waited for by time: SessionState::end_wait_s).
constexpr int kLockTries = 50;
// The lock file's note begins with the mark and its version.
constexpr const char *kNoteMark = "PF-SESSION ";
constexpr int kNoteVersion = 2;

// The test seams: the file call at which the process ends itself, the calls so far, and the
// bound of the wait for a holder that is ending (s).
struct SessionState {
  int kill_at = 0;
  int calls = 0;
  double end_wait_s = STAHL_EC3_END_WAIT_S;
} g_session;

// Every file call of the session rules passes here first.
void _Step() {
  if (++g_session.calls == g_session.kill_at) ::kill(::getpid(), SIGKILL);
}

std::string _Why(int err) { return err ? std::strerror(err) : "unknown cause"; }

// A moment's wait (10 ms) for a holder that is ending.
void _Pause() {
  const struct timespec moment = {0, 10000000};
  ::nanosleep(&moment, nullptr);
}

bool _Lstat(const std::string &path, struct stat *st) { return _Step(), ::lstat(path.c_str(), st) == 0; }
int _Unlink(const std::string &path) { return _Step(), ::unlink(path.c_str()); }

// True when a name is there (a link too, also a dangling one): a work copy's name is never
// tested through a link.
bool _Exists(const std::string &path) {
  struct stat st;
  return _Lstat(path, &st);
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

// Reads the regular file at path whole (under the input cap) into *bytes without following a
// link in its place: true when read. *st gets the status of what is there (a link or an odd
// file too), st_mode 0 when nothing is.
bool _Read_Here(const std::string &path, std::string *bytes, struct stat *st) {
  bytes->clear();
  st->st_mode = 0;
  _Step();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) {
    if (!_Lstat(path, st)) st->st_mode = 0;
    return false;
  }
  bool read = ::fstat(fd, st) == 0 && S_ISREG(st->st_mode);
  char block[65536];
  for (ssize_t n; read && (n = ::read(fd, block, sizeof block)) != 0;) {
    if (n < 0 && errno != EINTR) read = false;
    if (n > 0) bytes->append(block, static_cast<std::size_t>(n));
    if (bytes->size() > INPUT_FILE_MAX_BYTES) read = false;
  }
  ::close(fd);
  return read;
}

// The stamp of one of the program's own copies (no link followed), its bytes in *bytes when
// not null: not present when nothing is there; a link or a file that cannot be read has the
// stamp of its status alone (hash 0).
STAHL_EC3_FILE_STAMP _Stamp(const std::string &path, std::string *bytes = nullptr) {
  std::string held;
  struct stat st;
  const bool read = _Read_Here(path, bytes ? bytes : &held, &st);
  return st.st_mode ? _Stamp_of(st, read ? _Hash(bytes ? *bytes : held) : 0) : STAHL_EC3_FILE_STAMP{};
}

// The exchange file at path (links followed: a user's file) read whole into *bytes: true when
// it is a regular file read whole.
bool _Read_File(const std::string &path, std::string *bytes) {
  _Step();
  return Read_Whole_File(path.c_str(), bytes, 0) == WHOLE_FILE_OK;
}

// True when path names the file of st (same device and inode).
bool _Names_File(const std::string &path, const struct stat &st) {
  struct stat named;
  return _Lstat(path, &named) && named.st_dev == st.st_dev && named.st_ino == st.st_ino;
}

// The bytes [at, at + len) of a file for an fcntl lock of type.
struct flock _Range(short type, off_t at, off_t len) {
  struct flock range = {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_start = at;
  range.l_len = len;
  return range;
}

// An fcntl lock of type on the byte at of fd: 0, or the cause of the failure (EAGAIN or
// EACCES when another process holds a lock that conflicts).
int _Lock(int fd, short type, off_t at) {
  _Step();
  struct flock lock = _Range(type, at, 1);
  return ::fcntl(fd, F_SETLK, &lock) == 0 ? 0 : errno;
}

// True when another process holds a lock on bytes 0 and 1 of fd (the session or the presence
// lock, or an older run's lock on the whole file). F_GETLK takes no lock and sees none of
// this process's own.
bool _Held_By_Others(int fd) {
  _Step();
  struct flock lock = _Range(F_WRLCK, kSessionByte, 2);
  return ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

using SessionNote = STAHL_EC3_SESSION_NOTE;

// The note of this run: the member file it found at its start, what became of each exchange
// file (a found copy that this run could not put back keeps its mark and hash, carried for a
// later holder) and the hash of each copy made.
std::string _Note_Text(const STAHL_EC3_RUN &r, const bool unknown[2]) {
  SessionNote note;
  note.version = kNoteVersion, note.member = r.inp_stamp;
  for (int k = 0; k < 2; ++k) {
    note.start[k] = r.carried[k]        ? r.carried[k]
                    : r.copies_made[k]  ? (unknown[k] ? 'u' : 'c')
                    : r.absent_at_start[k] ? 'n'
                                           : '-';
    note.copy_hash[k] = r.carried[k] ? r.carried_hash[k] : r.copies_made[k] ? r.copy_stamps[k].hash : 0ULL;
  }
  return Session_Note_Text(note);
}

// The note's grammar, one field at a time from at: each reader takes its field and the blank
// (or, last, the line end) after it, and is false on anything else.
struct NoteText {
  const char *at, *end;
  bool After(char c) { return at < end && *at++ == c; }
  // Decimal digits without sign (a checked conversion: at most max).
  bool Decimal(unsigned long long max, unsigned long long *value, char then = ' ') {
    const char *digits = at;
    while (at < end && *at >= '0' && *at <= '9') ++at;
    const auto [stop, err] = std::from_chars(digits, at, *value);
    return at > digits && err == std::errc() && stop == at && *value <= max && After(then);
  }
  // Exactly 16 lower-case hexadecimal digits.
  bool Hex(unsigned long long *value, char then = ' ') {
    if (end - at < 16) return false;
    for (const char *c = at; c < at + 16; ++c)
      if (!((*c >= '0' && *c <= '9') || (*c >= 'a' && *c <= 'f'))) return false;
    const auto [stop, err] = std::from_chars(at, at + 16, *value, 16);
    at += 16;
    return err == std::errc() && stop == at && After(then);
  }
  // One of the characters of allowed.
  bool Char(const char *allowed, char *value, char then = ' ') {
    if (at >= end || !*at || !std::strchr(allowed, *at)) return false;
    *value = *at++;
    return After(then);
  }
};

// The note in the lock file open at fd (read whole: a longer file is no note).
bool _Read_Note(int fd, SessionNote *note) {
  char text[256];
  _Step();
  const ssize_t n = ::pread(fd, text, sizeof text, 0);
  return n > 0 && n < static_cast<ssize_t>(sizeof text) && Parse_Session_Note(text, static_cast<std::size_t>(n), note);
}

// Writes the holder's note over the lock file's bytes (a note cut by a kill reads as none),
// only where the file is the holder's own: one name, and empty (as an older version leaves
// it) or a note already (what this program wrote, whole or cut).
void _Write_Note(const STAHL_EC3_RUN &r, const bool unknown[2]) {
  struct stat st;
  char head[16] = {};
  _Step();
  if (::fstat(r.lock_fd, &st) != 0 || st.st_nlink != 1) return;
  const std::size_t mark = std::strlen(kNoteMark);
  _Step();
  if (st.st_size != 0 && (::pread(r.lock_fd, head, mark, 0) != static_cast<ssize_t>(mark) ||
                          std::memcmp(head, kNoteMark, mark) != 0))
    return;
  const std::string text = _Note_Text(r, unknown);
  _Step();
  if (::pwrite(r.lock_fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size())) return;
  _Step();
  (void)::ftruncate(r.lock_fd, static_cast<off_t>(text.size()));
}

// Makes the lock file at path: a temporary file beside it, given mode 0666 (whatever the
// umask, so that every user of a shared folder can open it) and then linked into place, so
// that a kill never leaves the lock file with a narrower mode. Its descriptor (read and
// write), or -1 with errno (EEXIST: another session made it first).
int _Make_Lock_File(const std::string &path) {
  std::string temp = Host_Replace_Temp_Pattern(path);
  _Step();
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return -1;
  _Step();
  bool made = ::fchmod(fd, 0666) == 0;
  _Step();
  made = made && ::link(temp.c_str(), path.c_str()) == 0;
  const int err = errno;
  _Unlink(temp);
  if (made) return fd;
  ::close(fd);
  errno = err;
  return -1;
}

// The seconds since some fixed moment (a clock that no one sets).
double _Now() {
  struct timespec t;
  ::clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// True when the lock that keeps this run from the presence byte of fd is a holder's at its
// end: a write lock on bytes 0 and 1 alone (an older version's lock covers the whole file).
bool _Holder_Ending(int fd) {
  _Step();
  struct flock lock = _Range(F_RDLCK, kPresenceByte, 1);
  return ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type == F_WRLCK && lock.l_len > 0 &&
         lock.l_start + lock.l_len <= kPresenceByte + 1;
}

// The member file that the file of st is too (same device and inode): the ".INP", ".TXT",
// an exchange file or one of the program's copies, whose reading and closing in this process
// would let its locks go and which a note must never overwrite; "" when none.
std::string _Member_File_Named(const struct stat &st) {
  std::vector<std::string> names = {Bauteil_Inp_Path(), Bauteil_Txt_Path(), Make_Bauteil_Filename(".INP.bak")};
  for (const auto &pair : STAHL_EC3_EXCHANGE)
    for (const std::string &name : {Make_Bauteil_Filename(pair[0]), Make_Bauteil_Filename(pair[1])})
      names.push_back(name), names.push_back(name + ".bak");
  for (const std::string &name : names) {  // looked at, nothing changed: no kill point of the tests
    struct stat named;
    if ((::stat(name.c_str(), &named) == 0 || ::lstat(name.c_str(), &named) == 0) && named.st_dev == st.st_dev &&
        named.st_ino == st.st_ino)
      return name;
  }
  return "";
}

// Removes the names beside the lock file at path that a maker of it left (its temporary,
// linked into place, and a kill before its removal): those of the temporary's form that name
// the file of st.
void _Sweep_Lock_Temporaries(const std::string &path, const struct stat &st) {
  const std::string pattern = Host_Replace_Temp_Pattern(path);
  const std::size_t cut = pattern.rfind('/') + 1;
  const std::string folder = pattern.substr(0, cut), head = pattern.substr(cut, pattern.size() - cut - 6);
  _Step();
  DIR *d = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!d) return;
  while (const dirent *e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name.size() == head.size() + 6 && name.compare(0, head.size(), head) == 0 && _Names_File(folder + name, st))
      _Unlink(folder + name);
  }
  ::closedir(d);
}

// A name in the member's folder other than the lock file's own (and its maker's temporary
// form) that begins with the member's stem and number and names the file of st: "" when
// none. Looked at, nothing changed: no kill point of the tests.
std::string _Member_Name_Beside(const std::string &lock, const struct stat &st) {
  const std::string member = Make_Bauteil_Filename("");
  const std::size_t cut = member.rfind('/') + 1;
  const std::string folder = member.substr(0, cut), head = member.substr(cut);
  const std::string temp = Host_Replace_Temp_Pattern(lock).substr(cut);
  const std::string temp_head = temp.substr(0, temp.size() - 6);
  DIR *d = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!d) return "";
  std::string found;
  while (const dirent *e = ::readdir(d)) {
    const std::string name = e->d_name;
    struct stat named;
    if (name.compare(0, head.size(), head) != 0 || folder + name == lock ||
        (name.size() == temp.size() && name.compare(0, temp_head.size(), temp_head) == 0))
      continue;
    if (::lstat((folder + name).c_str(), &named) == 0 && named.st_dev == st.st_dev && named.st_ino == st.st_ino) {
      found = folder + name;
      break;
    }
  }
  ::closedir(d);
  return found;
}

// Takes the member's session lock and presence lock: one of STAHL_EC3_SESSION_*. A lock file
// that this user cannot open for writing (another user's) is locked for reading through a
// read-only descriptor: this run then has no lock of its own (ALONE) but a session that comes
// later is still told that the member is being edited. A lock file that is a member file too
// is never locked (ALONE). A session that finds the lock held keeps its presence lock
// (OTHER); a holder that is ending is waited for, up to the bound, and past it this run is
// OTHER without its presence lock (end_wait_passed). Without a lock the cause is kept in
// lock_problem, and a lock file made here is removed again.
int _Take_Session_Lock(STAHL_EC3_RUN &r) {
  const std::string path = Make_Bauteil_Filename(".LCK");
  int err = 0;
  std::string cause;  // when not the text of err
  const double began = _Now();
  bool told = false;
  for (int tries = 0; tries < kLockTries;) {
    constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    bool created = false;
    short type = F_WRLCK;
    _Step();
    int fd = ::open(path.c_str(), O_RDWR | kFlags);
    if (fd < 0 && errno == ENOENT) {
      fd = _Make_Lock_File(path);
      if (fd < 0 && errno == EEXIST) {  // another session made it meanwhile
        ++tries;
        continue;
      }
      created = fd >= 0;
    } else if (fd < 0 && errno == EACCES) {
      _Step();
      fd = ::open(path.c_str(), O_RDONLY | kFlags);
      type = F_RDLCK;
    }
    if (fd < 0) {
      err = errno;
      break;
    }
    struct stat held;
    _Step();
    const bool known = ::fstat(fd, &held) == 0;
    if (!known || !S_ISREG(held.st_mode)) {  // a FIFO or a device is never locked
      err = errno;
      if (known) cause = Input_File_Problem(WHOLE_FILE_NOT_REGULAR, 0, 0);
      ::close(fd);
      break;
    }
    // A lock file that is a member file as well (a hard link) is neither locked nor written.
    const std::string same = created ? "" : _Member_File_Named(held);
    if (!same.empty()) {
      cause = "dieselbe Datei wie " + same;
      ::close(fd);
      break;
    }
    if (held.st_nlink > 1) _Sweep_Lock_Temporaries(path, held);
    // Another name of the lock file among the member's own names (a ".bak" of a copy or an
    // exchange file, a later member file): reading it would let the locks go.
    const std::string named = created || ::fstat(fd, &held) != 0 || held.st_nlink < 2 ? "" : _Member_Name_Beside(path, held);
    if (!named.empty()) {
      cause = "dieselbe Datei wie " + named;
      ::close(fd);
      break;
    }
    // Presence first: a holder that ends now has made it a write lock and is about to let
    // its file go; then this run waits for it and tries again on the file after it.
    const int present = _Lock(fd, F_RDLCK, kPresenceByte);
    const int locked = _Lock(fd, type, kSessionByte);
    const bool taken_by_other = locked == EACCES || locked == EAGAIN;
    if (locked != 0 && !taken_by_other) {  // locks fail here (a share without them)
      err = locked;
      if (created && _Names_File(path, held)) _Unlink(path);
      ::close(fd);
      break;
    }
    // A session that ended meanwhile removed the file opened here: then again on the new one.
    if (!_Names_File(path, held)) {
      ::close(fd);
      ++tries;
      continue;
    }
    if (taken_by_other && present != 0 && _Holder_Ending(fd)) {
      const double waited = _Now() - began;
      if (waited < g_session.end_wait_s) {
        if (!told && waited >= 0.5)
          told = true, std::fprintf(stderr, "stahl_ec3: %s: another session on the member is ending; waiting for it "
                                            "(up to %g s)\n", path.c_str(), g_session.end_wait_s);
        ::close(fd);
        _Pause();
        continue;
      }
      r.end_wait_passed = 1;
    }
    r.lock_fd = fd, r.lock_pid = static_cast<int>(getpid()), r.lock_path = path;
    if (taken_by_other) return STAHL_EC3_SESSION_OTHER;
    if (type == F_WRLCK) return STAHL_EC3_SESSION_LOCKED;
    err = EACCES;  // read locks: the others are told, this run is not
    break;
  }
  if (cause.empty()) cause = _Why(err);
  r.lock_problem = path + ": " + cause;
  std::fprintf(stderr, "stahl_ec3: %s: no session lock (%s); another session on the member is not noticed\n",
               path.c_str(), cause.c_str());
  return STAHL_EC3_SESSION_ALONE;
}

// True when a session other than this one is present: for the holder, its presence lock
// cannot be made a write lock (another session holds it for reading; once made, no session
// can join until this one has ended); for a run with read locks only, another process holds
// a lock on the file. Where the lock file's name no longer names this run's file (removed,
// another put in its place), a session on the file at the name counts too.
bool _Others_Present(STAHL_EC3_RUN &r) {
  if (r.lock_fd < 0 || r.lock_pid != static_cast<int>(getpid())) return false;
  if (r.session == STAHL_EC3_SESSION_LOCKED ? _Lock(r.lock_fd, F_WRLCK, kPresenceByte) != 0
                                            : _Held_By_Others(r.lock_fd))
    return true;
  struct stat held;
  if (::fstat(r.lock_fd, &held) == 0 && _Names_File(r.lock_path, held)) return false;
  _Step();
  const int fd = ::open(r.lock_path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return false;
  const bool others = _Held_By_Others(fd);
  ::close(fd);
  return others;
}

// The first of the names base + ".bak", ".bak2", ".bak3", … that is free (nothing there, not
// even a link) or, with bytes given, a regular file that holds them already (*holds): ""
// when none of the first 999 is.
std::string _Free_Bak(const std::string &base, const std::string *bytes, bool *holds) {
  *holds = false;
  for (int n = 1; n < 1000; ++n) {
    const std::string name = base + ".bak" + (n > 1 ? std::to_string(n) : "");
    struct stat st;
    std::string there;
    if (!_Lstat(name, &st)) return name;
    if (bytes && S_ISREG(st.st_mode) && _Read_Here(name, &there, &st) && there == *bytes) return *holds = true, name;
  }
  return "";
}

// What became of a copy that is not put back.
enum { COPY_KEPT_AS_BAK, COPY_GONE, COPY_STAYS };
struct Kept_Copy {
  int how;
  std::string why;    // where it stays: the cause
  std::string where;  // kept: its name now
};

// Keeps a copy that is not put back (a start copy left by a run that ended without its end,
// this run's own one at an end while another session runs, an exchange file of a killed
// run): renamed to "<copy>.bak" where the older ".bak" loses nothing by it (it is not there
// or no regular file, it predates the member file's last save, or its bytes are the copy's or
// file's). Otherwise the copy goes where file (when given) holds its bytes, and any other
// goes to the first free name "<copy>.bak2", "<copy>.bak3", … (or where such a file holds its
// bytes already), so that the copy's own name is free again; it stays only where no rename
// can be made. A link is renamed as itself, and its bytes are nobody's.
Kept_Copy _Keep_Copy(const std::string &copy, const std::string &file) {
  const std::string bak = copy + ".bak";
  std::string mine, older, theirs;
  struct stat c, b, inp;
  const bool readable = _Read_Here(copy, &mine, &c);
  const bool file_read = !file.empty() && _Read_File(file, &theirs);
  bool free = !_Lstat(bak, &b) || !S_ISREG(b.st_mode);
  _Step();
  if (!free) free = ::stat(Bauteil_Inp_Path().c_str(), &inp) == 0 && _Ns(b.st_mtim) < _Ns(inp.st_mtim);
  if (!free && _Read_Here(bak, &older, &b)) free = (readable && older == mine) || (file_read && older == theirs);
  int err = 0;
  if (free) {
    _Step();
    if (::rename(copy.c_str(), bak.c_str()) == 0) return {COPY_KEPT_AS_BAK, "", bak};
    err = errno;
  }
  if (readable && file_read && mine == theirs && _Unlink(copy) == 0) return {COPY_GONE, "", ""};
  bool holds = false;
  const std::string name = _Free_Bak(copy, readable ? &mine : nullptr, &holds);
  if (!name.empty()) {
    _Step();
    if (holds ? ::unlink(copy.c_str()) == 0 : ::rename(copy.c_str(), name.c_str()) == 0)
      return {COPY_KEPT_AS_BAK, "", name};
    err = errno;
  }
  return {COPY_STAYS, _Why(err), ""};
}

// Keeps what a run killed on this member left unsaved, by its stale note (the member file is
// still the one it read, nobody is present): an exchange file that was not there at its
// start is kept as "<file>.bak" (by the rule of found copies), and a box names it.
void _Keep_Unsaved_Exchange_Files(const SessionNote &note, std::vector<std::string> *named) {
  for (int k = 0; k < 2; ++k) {
    const std::string file = Make_Bauteil_Filename(STAHL_EC3_EXCHANGE[k][0]);
    if (note.start[k] != 'n' || !_Exists(file)) continue;
    const Kept_Copy kept = _Keep_Copy(file, "");
    const std::string text = "^bWARNUNG: " + file + " ist nicht gespeichert: eine frühere Bearbeitung, die ohne die "
                             "Datei begann, endete ohne Speichern; sie "_cp +
                             (kept.how == COPY_KEPT_AS_BAK ? "wird als " + kept.where + " aufbewahrt!"
                                                           : "bleibt stehen (" + kept.why + ")!");
    PrintMessage(text.c_str(), STAHL_EC3_TITLE);
    if (kept.how == COPY_KEPT_AS_BAK) named->push_back(kept.where);
  }
}

// What became of a found copy that a stale note names.
enum { FOUND_PUT_BACK, FOUND_NOT_PROVED, FOUND_NOT_WRITTEN };

// Puts back a found copy that the killed run of a stale note made (its bytes have the noted
// hash, and it belongs to this process's user or to the exchange file's owner: a copy that
// another user of the folder planted is no proof): the exchange file file, that run's
// unsaved work, is first kept under a free name "<file>.bak", "<file>.bak2", … (*kept; ""
// where it was not there or held the copy's bytes), then the copy's bytes are written over
// it (not where it holds them already: *wrote 0) and the copy goes. FOUND_NOT_PROVED where
// the copy is not the noted one; FOUND_NOT_WRITTEN (the cause in *why) where the file cannot
// be read or written here: the copy then stays, and so does the file.
int _Put_Back_Found_Copy(const std::string &file, const std::string &copy, unsigned long long hash,
                         std::string *kept, bool *wrote, std::string *why) {
  std::string saved, theirs;
  struct stat st, owner;
  kept->clear();
  *wrote = false;
  if (!_Read_Here(copy, &saved, &st) || _Hash(saved) != hash) return FOUND_NOT_PROVED;
  _Step();
  const bool file_there = ::stat(file.c_str(), &owner) == 0;
  if (st.st_uid != ::geteuid() && !(file_there && owner.st_uid == st.st_uid)) return FOUND_NOT_PROVED;
  const bool read = _Read_File(file, &theirs);
  if (!read && _Exists(file)) {  // no regular file, or one that cannot be read: never replaced unread
    *why = file_there && !S_ISREG(owner.st_mode) ? Input_File_Problem(WHOLE_FILE_NOT_REGULAR, 0, 0) : _Why(errno);
    return FOUND_NOT_WRITTEN;
  }
  if (read && theirs != saved) {
    bool holds = false;
    *kept = _Free_Bak(file, &theirs, &holds);
    _Step();
    if (kept->empty() || (!holds && Replace_File_Text(kept->c_str(), theirs, FILE_REPLACE_NO_FOLLOW) != 0)) {
      *why = kept->empty() ? "no free name " + file + ".bak…" : *kept + ": " + _Why(errno);
      return kept->clear(), FOUND_NOT_WRITTEN;
    }
  }
  if (!read || theirs != saved) {
    _Step();
    if (Replace_File_Text(file.c_str(), saved) != 0) return *why = _Why(errno), FOUND_NOT_WRITTEN;
    *wrote = true;
  }
  _Unlink(copy);  // one that stays holds the file's bytes now: this run's copy replaces it
  return FOUND_PUT_BACK;
}

// The start-of-run copies of the exchange files that exist, each with its stamp, and which
// of them were not there at the start. A copy found there while this run holds the lock
// belongs to no live session (a run that ended without its end): where the stale note (note,
// nobody present) proves it the copy that run made (marked 'c' or 'u'), it is put back and
// the run's exchange file kept (a box names both); where this run may not write that file,
// the copy stays and its mark and hash are carried into this run's note; any other is kept by
// the rule of found copies, a box names it and this run makes its own copy where its name is
// free again. Without a lock a copy found may be a live session's: it is left as it is, and
// nothing is put back for its file. unknown[k]: the copy made may hold a killed run's unsaved
// work (a found copy was not put back, it was one of unknown state, or the member's note does
// not prove the file the saved state). named collects the files that the boxes name.
void _Copy_Exchange_Files(STAHL_EC3_RUN &r, const SessionNote *note, bool put_back_ok, bool unknown[2],
                          std::vector<std::string> *named) {
  const std::string inp = Bauteil_Inp_Path();
  for (int k = 0; k < 2; ++k) {
    const std::string from = Make_Bauteil_Filename(STAHL_EC3_EXCHANGE[k][0]);
    const std::string copy = Make_Bauteil_Filename(STAHL_EC3_EXCHANGE[k][1]);
    const char mark = note && note->version >= 2 ? note->start[k] : '-';
    const bool noted = mark == 'c' || mark == 'u';
    unknown[k] = note && mark != 'c';
    std::string kept_file, why;
    bool wrote = false;
    const int found = _Exists(copy) && r.session == STAHL_EC3_SESSION_LOCKED && put_back_ok && noted
                          ? _Put_Back_Found_Copy(from, copy, note->copy_hash[k], &kept_file, &wrote, &why)
                          : FOUND_NOT_PROVED;
    if (found == FOUND_PUT_BACK) {
      const std::string text = "^bWARNUNG: Eine frühere Bearbeitung von "_cp + inp + " endete ohne Speichern: " + from +
                               (mark == 'c' ? " hat wieder den gespeicherten Stand (aus "
                                            : " hat wieder den Stand vom Start jener Bearbeitung (aus ") + copy + ")" +
                               (kept_file.empty() ? "!" : "; ihr ungespeicherter Stand ist als " + kept_file +
                                                              " aufbewahrt!");
      if (wrote) PrintMessage(text.c_str(), STAHL_EC3_TITLE);
      if (!kept_file.empty()) named->push_back(kept_file);
    } else if (found == FOUND_NOT_WRITTEN) {
      r.carried[k] = mark, r.carried_hash[k] = note->copy_hash[k];
      const std::string text = "^bWARNUNG: Eine frühere Bearbeitung von "_cp + inp + " endete ohne Speichern: " + from +
                               " kann hier nicht zurückgesetzt werden (" + why + ") und kann ungespeicherte Änderungen "
                               "zeigen; "_cp + (mark == 'c' ? "den gespeicherten Stand hält " + copy + ", die bleibt!"
                                                            : "den Stand vom Start jener Bearbeitung hält " + copy +
                                                                  ", die bleibt!");
      PrintMessage(text.c_str(), STAHL_EC3_TITLE);
      continue;  // the copy keeps its name: no copy of this run's own
    } else if (_Exists(copy)) {
      const bool locked = r.session == STAHL_EC3_SESSION_LOCKED;
      std::string mine, theirs;
      struct stat st;
      const bool differ = _Read_Here(copy, &mine, &st) && !(_Read_File(from, &theirs) && mine == theirs);
      const Kept_Copy kept = locked ? _Keep_Copy(copy, from) : Kept_Copy{COPY_STAYS, "", ""};
      const std::string found_text = "^bWARNUNG: " + copy + " ist die Kopie einer abgebrochenen Bearbeitung; sie wird "
                                     "nicht zurückgesetzt und "_cp;
      const std::string bak = copy + ".bak";
      // Which file holds the saved state cannot be told: the copy (nothing saved since that
      // run's start) or the exchange file.
      const std::string either = "; den gespeicherten Stand hält sie oder "_cp + from + ", und " + from +
                                 " kann ungespeicherte Änderungen zeigen!"_cp;
      struct stat older;
      std::string text;
      if (!locked)
        text = "^bWARNUNG: " + copy + " ist die Kopie einer anderen oder abgebrochenen Bearbeitung; " + from +
               " wird hier nicht zurückgesetzt! Läuft keine andere Bearbeitung, kann die Kopie gelöscht werden."_cp;
      else if (kept.how == COPY_KEPT_AS_BAK && (kept.where == bak || !_Lstat(bak, &older) || !S_ISREG(older.st_mode)))
        text = found_text + "als " + kept.where + " aufbewahrt" + (differ ? either : "!");
      else if (kept.how == COPY_KEPT_AS_BAK)
        text = found_text + "als " + kept.where + " aufbewahrt; den gespeicherten Stand hält die frühere Kopie "_cp + bak +
               "! " + from + " kann ungespeicherte Änderungen zeigen."_cp;
      else if (kept.how == COPY_GONE)
        text = found_text + "gelöscht, da "_cp + from + " dieselben Bytes hält ("_cp + bak + " bleibt)!";
      else
        text = found_text + "bleibt stehen (" + kept.why + "); " + from + " wird hier nicht zurückgesetzt!"_cp;
      PrintMessage(text.c_str(), STAHL_EC3_TITLE);
      if (kept.how == COPY_KEPT_AS_BAK) named->push_back(kept.where);
      if (kept.how == COPY_STAYS) continue;
      unknown[k] = true;
    }
    if (!_Exists(from)) {
      r.absent_at_start[k] = 1;
      continue;
    }
    std::string cause;
    if (Copy_Work_File(from, copy, &cause) != 0) {
      std::fprintf(stderr, "stahl_ec3: %s: no copy made (%s); leaving without saving cannot restore it\n",
                   from.c_str(), cause.c_str());
      continue;
    }
    r.copy_stamps[k] = _Stamp(copy);
    r.copies_made[k] = 1;
    if (noted && r.copy_stamps[k].hash != note->copy_hash[k]) unknown[k] = true;
  }
}

// Names in a box the files "<file>.bak", "<file>.bakN" of the exchange files and the copies
// that changed since the lock file's last note (change time since) and that no box of this
// start named: a run killed after it kept them and before its box (or its note) left them
// unsaid. Looked at, nothing changed: no kill point of the tests.
void _Name_Unsaid_Kept_Files(long long since, const std::vector<std::string> &named) {
  const std::string member = Make_Bauteil_Filename("");
  const std::size_t cut = member.rfind('/') + 1;
  const std::string folder = member.substr(0, cut);
  std::vector<std::string> heads;
  for (const auto &pair : STAHL_EC3_EXCHANGE)
    for (const char *ending : pair) heads.push_back(Make_Bauteil_Filename(ending).substr(cut) + ".bak");
  std::vector<std::string> unsaid;
  DIR *d = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!d) return;
  while (const dirent *e = ::readdir(d)) {
    const std::string name = e->d_name;
    for (const std::string &head : heads) {
      if (name.compare(0, head.size(), head) != 0 ||
          name.find_first_not_of("0123456789", head.size()) != std::string::npos)
        continue;
      struct stat st;
      const std::string path = folder + name;
      if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && _Ns(st.st_ctim) >= since &&
          std::find(named.begin(), named.end(), path) == named.end())
        unsaid.push_back(path);
    }
  }
  ::closedir(d);
  if (unsaid.empty()) return;
  std::sort(unsaid.begin(), unsaid.end());
  std::string list;
  for (const std::string &path : unsaid) list += (list.empty() ? "" : ", ") + path;
  const std::string text = "^bWARNUNG: Eine frühere Bearbeitung von "_cp + Bauteil_Inp_Path() +
                           " endete ohne Speichern; aufbewahrt sind "_cp + list + "!";
  PrintMessage(text.c_str(), STAHL_EC3_TITLE);
}

// True when the live session's start copy "_TMP.XPR" is there and belongs to the member file
// as saved: written no earlier than the ".INP" was. The rule of lock files without a note.
bool _Start_Copy_Is_Saved_State() {
  struct stat copy, inp;
  return _Lstat(Make_Bauteil_Filename(STAHL_EC3_EXCHANGE[0][1]), &copy) &&
         ::stat(Bauteil_Inp_Path().c_str(), &inp) == 0 && _Ns(inp.st_mtim) <= _Ns(copy.st_mtim);
}

// Renews an imported section from the live session's start copy "_TMP.XPR", the state that
// belongs to the saved member file (the ".XPR" may hold the session's unsaved section): true
// when renewed. The record keeps what it has when the copy cannot be read or taken over.
bool _Renew_From_Start_Copy(PROFIL *p) {
  std::string rest;
  Make_Stem_Prefix_Filename("", &rest);
  if (!Set_XPRT_Filename((rest + Get_File_Number_Suffix() + STAHL_EC3_EXCHANGE[0][1]).c_str())) return false;
  QIMPORT_ENTRY *entry = New_QImport_Entry();
  const int read = Read_XPRT_Result(entry);
  Set_XPRT_Member_Filename();
  if (!read) return false;  // the unreferenced entry goes with the catalogue's purge
  PROFIL kept = *p;
  p->nodes = nullptr, p->lines = nullptr;
  p->entry = entry;
  Add_QImport_Reference(entry, +1);
  if (Set_Profil_from_QImport(p, 0) == 0) {
    MEM_FREE(kept.nodes);
    MEM_FREE(kept.lines);
    Add_QImport_Reference(kept.entry, -1);
    if (p->model_kind == 0) Write_QUER_EIN();
    return true;
  }
  // The take-over released the new entry and left empty lists: the record's own come back.
  MEM_FREE(p->nodes);
  MEM_FREE(p->lines);
  p->entry = kept.entry, p->model_kind = kept.model_kind, p->obj_a = kept.obj_a, p->obj_b = kept.obj_b;
  p->node_count = kept.node_count, p->nodes = kept.nodes, p->line_count = kept.line_count, p->lines = kept.lines;
  std::memcpy(p->imported, kept.imported, sizeof p->imported);
  return false;
}

// True when the member file's content is no longer the one this run read or last saved.
bool _Saved_Since(const STAHL_EC3_RUN &r) { return !Stahl_EC3_File_Stamp(Bauteil_Inp_Path()).Same_Content(r.inp_stamp); }

// This run's copy k removed while it is as this run wrote it (its content identity: a mode
// change, a touch or another name of it is no change).
void _Remove_Own_Copy(const STAHL_EC3_RUN &r, int k) {
  const std::string copy = Make_Bauteil_Filename(STAHL_EC3_EXCHANGE[k][1]);
  if (_Stamp(copy).Same_Content(r.copy_stamps[k])) _Unlink(copy);
}

}  // namespace

STAHL_EC3_FILE_STAMP Stahl_EC3_Stream_Stamp(FILE *f, std::string *bytes) {
  struct stat st;
  if (::fstat(fileno(f), &st) != 0) return STAHL_EC3_FILE_STAMP{};
  bytes->clear();
  char block[65536];
  for (std::size_t n; bytes->size() <= INPUT_FILE_MAX_BYTES && (n = std::fread(block, 1, sizeof block, f)) > 0;)
    bytes->append(block, n);
  std::rewind(f);
  return _Stamp_of(st, _Hash(*bytes));
}

STAHL_EC3_FILE_STAMP Stahl_EC3_File_Stamp(const std::string &path, std::string *bytes) {
  std::string held;
  if (!bytes) bytes = &held;
  bytes->clear();
  int why;
  _Step();
  FILE *f = Open_Input_File(path.c_str(), 0, &why);
  if (!f) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? _Stamp_of(st, 0) : STAHL_EC3_FILE_STAMP{};
  }
  const STAHL_EC3_FILE_STAMP stamp = Stahl_EC3_Stream_Stamp(f, bytes);
  std::fclose(f);
  return stamp;
}

int Copy_Work_File(const std::string &from, const std::string &to, std::string *cause) {
  std::string bytes;
  _Step();
  const int read = Read_Whole_File(from.c_str(), &bytes, 0);
  if (read != WHOLE_FILE_OK) {
    const int err = read == WHOLE_FILE_NOT_OPENED || read == WHOLE_FILE_READ_ERROR ? errno : 0;
    *cause = Input_File_Problem(read, 0, err);
    if (read != WHOLE_FILE_NOT_REGULAR)  // said at start-up (_Name_Odd_Exchange_Files)
      std::fprintf(stderr, "stahl_ec3: %s: %s\n", from.c_str(), cause->c_str());
    errno = err;
    return 1;
  }
  _Step();
  if (Replace_File_Text(to.c_str(), bytes, FILE_REPLACE_NO_FOLLOW) == 0) return 0;
  const int err = errno;
  *cause = to + ": " + _Why(err);
  errno = err;
  return 1;
}

bool Parse_Session_Note(const char *text, std::size_t n, STAHL_EC3_SESSION_NOTE *note) {
  const std::size_t mark = std::strlen(kNoteMark);
  if (!text || n <= mark || std::memcmp(text, kNoteMark, mark) != 0) return false;
  NoteText t{text + mark, text + n};
  SessionNote got;
  STAHL_EC3_FILE_STAMP &m = got.member;
  unsigned long long version, present, size;
  char v2 = '\n';
  if (!t.Decimal(2, &version) || version < 1) return false;
  if (version == 2) v2 = ' ';
  const char *starts = version == 2 ? "cun-" : "cn-";
  if (!t.Decimal(1, &present) || !t.Decimal(ULLONG_MAX, &m.device) || !t.Decimal(ULLONG_MAX, &m.inode) ||
      !t.Decimal(LLONG_MAX, &size) || !t.Hex(&m.hash) || !t.Char(starts, &got.start[0]) ||
      !t.Char(starts, &got.start[1], v2))
    return false;
  if (version == 2 && (!t.Hex(&got.copy_hash[0]) || !t.Hex(&got.copy_hash[1], '\n'))) return false;
  if (t.at != t.end) return false;
  got.version = static_cast<int>(version);
  m.present = static_cast<int>(present), m.size = static_cast<long long>(size);
  *note = got;
  return true;
}

std::string Session_Note_Text(const STAHL_EC3_SESSION_NOTE &note) {
  const STAHL_EC3_FILE_STAMP &m = note.member;
  char line[200];
  std::snprintf(line, sizeof line, "%s%d %d %llu %llu %lld %016llx %c %c %016llx %016llx\n", kNoteMark, kNoteVersion,
                m.present, m.device, m.inode, m.size, m.hash, note.start[0], note.start[1], note.copy_hash[0],
                note.copy_hash[1]);
  return line;
}

void Set_Session_Kill_Point_For_Tests(int call) { g_session.kill_at = call, g_session.calls = 0; }
void Set_Session_End_Wait_For_Tests(double seconds) {
  g_session.end_wait_s = std::isfinite(seconds) && seconds >= 0 ? seconds : STAHL_EC3_END_WAIT_S;
}
int Session_File_Calls_For_Tests() { return g_session.calls; }

std::string Bauteil_Other_Session_Note() {
  return "^bWARNUNG: Die Eingabedatei " + Bauteil_Inp_Path() +
         " wird gerade in einer anderen Bearbeitung bearbeitet; beenden ohne zu speichern setzt hier nichts "
         "zurück!"_cp;
}

void Begin_Stahl_EC3_Session(STAHL_EC3_RUN &r) {
  r.session = _Take_Session_Lock(r);
  // The member file as this session finds it once it holds the lock (or knows it cannot):
  // the copies, the note and the end refer to this file; the member is read after the start.
  r.inp_stamp = Stahl_EC3_File_Stamp(Bauteil_Inp_Path());
  if (r.session == STAHL_EC3_SESSION_ALONE) {
    const std::string text = "^bWARNUNG: Die Eingabedatei " + Bauteil_Inp_Path() +
                             " kann für diese Bearbeitung nicht gesperrt werden ("_cp + r.lock_problem +
                             "); eine andere Bearbeitung wird nicht bemerkt!"_cp;
    PrintMessage(text.c_str(), STAHL_EC3_TITLE);
  }
  if (r.session == STAHL_EC3_SESSION_OTHER) {
    char waited[32];
    std::snprintf(waited, sizeof waited, "%g", g_session.end_wait_s);
    const std::string text = r.end_wait_passed ? "^bWARNUNG: Die Eingabedatei " + Bauteil_Inp_Path() +
                                                     " wird gerade in einer anderen Bearbeitung bearbeitet, deren Ende "
                                                     "nach " + waited + " s noch nicht abgeschlossen ist; diese "
                                                     "Bearbeitung wird von ihr nicht bemerkt, und beenden ohne zu "
                                                     "speichern setzt hier nichts zurück!"_cp
                                               : Bauteil_Other_Session_Note();
    PrintMessage(text.c_str(), STAHL_EC3_TITLE);
    return;
  }
  // The note in the lock file of a run that is over (this one holds the lock) on the member
  // file read here tells what that run left unsaved; only where nobody else is present may
  // anything be put back or moved for it.
  SessionNote note;
  const bool noted = r.session == STAHL_EC3_SESSION_LOCKED && _Read_Note(r.lock_fd, &note) &&
                     note.member.Same_Content(r.inp_stamp);
  const bool nobody = r.session == STAHL_EC3_SESSION_LOCKED && !_Held_By_Others(r.lock_fd);
  const bool alone = noted && nobody;
  struct stat found;  // the lock file as found: its last note's time
  const bool lock_known = nobody && ::fstat(r.lock_fd, &found) == 0;
  std::vector<std::string> named;
  if (alone) _Keep_Unsaved_Exchange_Files(note, &named);
  bool unknown[2] = {false, false};
  _Copy_Exchange_Files(r, noted ? &note : nullptr, alone, unknown, &named);
  if (lock_known) _Name_Unsaid_Kept_Files(_Ns(found.st_ctim), named);
  if (r.session == STAHL_EC3_SESSION_LOCKED) _Write_Note(r, unknown);
}

bool Session_May_Save(STAHL_EC3_RUN &r) {
  if (!r.end_wait_passed || r.lock_fd < 0 || r.lock_pid != static_cast<int>(getpid())) return true;
  const int present = _Lock(r.lock_fd, F_RDLCK, kPresenceByte);
  if (present == EACCES || present == EAGAIN) {
    r.save_problem = "eine andere Bearbeitung von "_cp + Bauteil_Inp_Path() +
                     " wird gerade beendet; bitte später noch einmal speichern"_cp;
    errno = present;
    return false;
  }
  r.end_wait_passed = 0;  // present now (or locks fail here): the holder's end sees this run
  return true;
}

int Refresh_During_Session(STAHL_EC3_RUN &r) {
  _Step();
  const int fd = ::open(Make_Bauteil_Filename(".LCK").c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return 0;
  SessionNote note;
  const bool live = _Held_By_Others(fd), noted = live && _Read_Note(fd, &note);
  ::close(fd);
  if (!live) return 0;
  // A member that cannot be read, or whose section comes from no exchange file, is listed as
  // saved: the session's changes are not in it.
  if (r.read_error || r.bauteil.profil.kind != PROFIL_KIND_QUER) return 1;
  if (noted) {
    // Saved since (the ".XPR" may be that save's or a session's change after it), or no start
    // copy of the saved state to list from: the ".XPR" listed is the saved one only where
    // there is none.
    if (!note.member.Same_Content(r.inp_stamp) || note.start[0] != 'c')
      return _Exists(Make_Bauteil_Filename(STAHL_EC3_EXCHANGE[0][0])) ? 2 : 1;
  } else if (!_Start_Copy_Is_Saved_State()) {
    // Without a note a member file newer than the start copy cannot tell a save from a
    // touch, and without a start copy the ".XPR" may be one the session made.
    return _Exists(Make_Bauteil_Filename(STAHL_EC3_EXCHANGE[0][0])) ? 2 : 1;
  }
  return _Renew_From_Start_Copy(&r.bauteil.profil) ? 1 : 2;
}

void Release_Session_Lock(STAHL_EC3_RUN &r) {
  if (r.lock_fd < 0) return;
  struct stat held;
  // The holder's presence lock made a write lock: no other session is present.
  // A note that carries a killed run's copy for a later holder stays.
  if (r.session == STAHL_EC3_SESSION_LOCKED && r.lock_pid == static_cast<int>(getpid()) && !r.carried[0] &&
      !r.carried[1] && _Lock(r.lock_fd, F_WRLCK, kPresenceByte) == 0 && ::fstat(r.lock_fd, &held) == 0 &&
      _Names_File(r.lock_path, held))
    _Unlink(r.lock_path);
  _Step();
  ::close(r.lock_fd);
  r.lock_fd = -1;
}

void Remove_Work_Files() {
  STAHL_EC3_RUN &r = Stahl_EC3_Run();
  for (int k = 0; k < 2; ++k)
    if (r.copies_made[k]) _Remove_Own_Copy(r, k);
  r.copies_made[0] = r.copies_made[1] = r.absent_at_start[0] = r.absent_at_start[1] = 0;
  Release_Session_Lock(r);
}

int Restore_Exchange_Files() {
  STAHL_EC3_RUN &r = Stahl_EC3_Run();
  int bad = 0;
  // The boxes are shown once the locks are let go: a holder that puts its copies back keeps
  // every other session out meanwhile, and a box waits for its reader.
  std::vector<std::string> boxes;
  const std::string inp = Bauteil_Inp_Path();
  // Another session (or program) saved the member since it was read here: the exchange
  // files go with that save, nothing is put back or removed, only this run's copies go.
  // Another session runs: nothing is put back or removed, this run's copies are kept.
  const bool to_do = r.copies_made[0] || r.copies_made[1] || r.absent_at_start[0] || r.absent_at_start[1];
  const STAHL_EC3_FILE_STAMP now = to_do ? Stahl_EC3_File_Stamp(inp) : r.inp_stamp;
  const bool saved_elsewhere = to_do && !now.Same_Content(r.inp_stamp);
  // The same bytes under a new file (a sync tool, a restore) need not be a save.
  const bool same_bytes = now.present && now.size == r.inp_stamp.size && now.hash == r.inp_stamp.hash;
  const bool others = to_do && !saved_elsewhere && _Others_Present(r);
  for (int k = 0; k < 2; ++k) {
    const std::string file = Make_Bauteil_Filename(STAHL_EC3_EXCHANGE[k][0]);
    const std::string copy = Make_Bauteil_Filename(STAHL_EC3_EXCHANGE[k][1]);
    const std::string running = "^bWARNUNG: " + file + " wird nicht zurückgesetzt: eine andere Bearbeitung von "_cp +
                                inp + " läuft noch"_cp;
    const std::string saved_text = "^bWARNUNG: " + file + " wird nicht zurückgesetzt: die Eingabedatei "_cp + inp +
                                   " wurde seit dem Lesen von einer anderen Bearbeitung gespeichert"_cp;
    if (saved_elsewhere) {
      if (r.copies_made[k] || _Exists(file)) {
        boxes.push_back(same_bytes ? "^bWARNUNG: " + file + " wird nicht zurückgesetzt: die Eingabedatei "_cp + inp +
                                         " wurde seit dem Lesen ersetzt (von einer anderen Bearbeitung oder einem "
                                         "anderen Programm)!"_cp
                                   : saved_text + "!");
        bad = 1;
      }
      if (r.copies_made[k]) _Remove_Own_Copy(r, k);
      r.copies_made[k] = r.absent_at_start[k] = 0;
      continue;
    }
    if (r.absent_at_start[k]) {  // made during the session (an import, an export): it goes
      r.absent_at_start[k] = 0;
      if (others) {
        if (_Exists(file)) boxes.push_back(running + "; beim Start gab es die Datei nicht!"), bad = 1;
        continue;
      }
      if (_Exists(file) && _Saved_Since(r)) {  // a save meanwhile (a run past the wait's bound) keeps it
        boxes.push_back(saved_text + "!"), bad = 1;
        continue;
      }
      if (_Unlink(file) != 0 && errno != ENOENT) {
        std::fprintf(stderr, "stahl_ec3: %s could not be removed (%s)\n", file.c_str(), _Why(errno).c_str());
        bad = 1;
      }
      continue;
    }
    if (!r.copies_made[k]) continue;  // none made here: no file at start, or another session's
    std::string bytes;
    const bool gone = !_Exists(copy);
    if (gone || !_Stamp(copy, &bytes).Same_Content(r.copy_stamps[k])) {
      // A session that found the lock file removed kept it as its ".bak": that says where.
      const std::string bak = copy + ".bak";
      const bool moved = gone && _Stamp(bak).Same_Content(r.copy_stamps[k]);
      const std::string text = "^bWARNUNG: " + file + " kann nicht zurückgesetzt werden: die Kopie vom Start ("_cp +
                               copy + (moved  ? ") wurde von einer anderen Bearbeitung als " + bak + " aufbewahrt!"
                                       : gone ? ") fehlt!"
                                              : ") wurde von einer anderen Bearbeitung geändert!"_cp);
      boxes.push_back(text);
      bad = 1;
      continue;
    }
    std::string theirs;
    const bool unchanged = _Read_File(file, &theirs) && theirs == bytes;
    if (others) {
      // The start state is kept also for a file that still holds it: the other session may
      // change it later.
      const Kept_Copy kept = _Keep_Copy(copy, "");
      const std::string text =
          running + (kept.how != COPY_KEPT_AS_BAK ? "; der Stand vom Start bleibt in " + copy + " (" + kept.why + ")!"
                     : unchanged ? "; die Datei hat noch den Stand vom Start, der auch als " + kept.where +
                                       " aufbewahrt ist!"
                                 : "; der Stand vom Start ist als " + kept.where + " aufbewahrt!");
      boxes.push_back(text);
      r.copies_made[k] = 0;
      bad = 1;
      continue;
    }
    // Right before the write: a save meanwhile (a run that passed the bound of its wait for
    // this end) is never undone; the start state is kept instead.
    if (!unchanged && _Saved_Since(r)) {
      const Kept_Copy kept = _Keep_Copy(copy, "");
      boxes.push_back(saved_text + (kept.how == COPY_KEPT_AS_BAK ? "; der Stand vom Start ist als " + kept.where +
                                                                       " aufbewahrt!"
                                                                 : "; der Stand vom Start bleibt in " + copy + " (" +
                                                                       kept.why + ")!"));
      r.copies_made[k] = 0;
      bad = 1;
      continue;
    }
    // A file that holds the copy's bytes is not written (it may be another user's).
    if (!unchanged && Replace_File_Text(file.c_str(), bytes) != 0) {
      std::fprintf(stderr, "stahl_ec3: %s could not be restored (%s); its copy %s is kept\n", file.c_str(),
                   _Why(errno).c_str(), copy.c_str());
      bad = 1;
      continue;
    }
    _Unlink(copy);
    r.copies_made[k] = 0;
  }
  Release_Session_Lock(r);
  for (const std::string &text : boxes) PrintMessage(text.c_str(), STAHL_EC3_TITLE);
  return bad;
}
