// The member's screen sessions, first part: the lock file and its note, and the file steps
// that every session rule takes (each passes the test seam's kill point). The rules, in the
// order a session meets them (the copies, the end and the refresh are session.cpp's):
//
//  Lock    "STEM_NN.LCK": byte 0 carries the session lock (an fcntl write lock: its holder
//          alone makes start copies and puts them back), byte 1 the presence lock (a read lock
//          of every screen session, holder or not). A run that locks the whole file (an older
//          version) conflicts with both. The file is made under a temporary name, given mode
//          0666 and linked into place, so that no kill leaves it narrower; such a temporary
//          left beside it by a kill is removed. A lock file that is also a member file (the
//          ".INP", ".TXT", an exchange file, a copy, or any other name in the member's folder
//          that begins with the member's stem and number: same device and inode) is never
//          locked nor written. A holder removes it only when it ends while no other session is
//          present, while its name is still the file locked and while its note carries no
//          killed run's copy; a user who cannot write it read-locks both bytes. A start waits
//          for a holder that is ending (its write lock on bytes 0-1) up to a bound. Past it the
//          run read-locks byte 3 (the late lock), then byte 5, which the ending holder holds
//          through each put-back write (its look at the member file and the write): once it has
//          both, no end puts anything back over its files, and the lock file stays while it
//          runs. Bytes 3 and 5 lie apart from 0-1 and from each other, since one process's
//          locks on adjacent bytes merge into one range that another process cannot tell apart.
//  Note    the holder writes into its lock file (only one of its own: one name, empty or a
//          note) the identity of the member file it found once it held the lock (present,
//          device, inode, size, hash of its bytes), what became of each exchange file at its
//          start (copied as the saved state or as an unknown one, not there, neither, or a
//          killed run's copy it could not write back, carried with that copy's mark) and the
//          hash of each copy.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/host.h"
#include "stahl_ec3/program_internal.h"
#include "stahl_ec3/session_internal.h"
#include "support/shell.h"
#include "support/support.h"

namespace stahl_ec3_session {

constexpr off_t kSessionByte = 0, kPresenceByte = 1;
// A run that passed the bound of its wait for an ending holder read-locks the late byte, and
// the put-back byte once the end's write under way is over; the holder write-locks the
// put-back byte through each of its put-back writes. Neither touches bytes 0-1: an ending
// holder's write locks there must stay one range of their own.
constexpr off_t kLateByte = 3, kPutBackByte = 5;
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
STAHL_EC3_FILE_STAMP _Stamp(const std::string &path, std::string *bytes) {
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

// True when another process holds a lock on a byte of [at, at + len) of fd. F_GETLK takes no
// lock and sees none of this process's own.
bool _Held_By_Others_On(int fd, off_t at, off_t len) {
  _Step();
  struct flock lock = _Range(F_WRLCK, at, len);
  return ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

// True when another process holds a lock on the bytes of fd from 0 to the put-back byte (the
// session, presence or late lock, or an older run's lock on the whole file).
bool _Held_By_Others(int fd) { return _Held_By_Others_On(fd, kSessionByte, kPutBackByte + 1); }

// True when this process holds the member's session lock through r.
bool _Holds_Session_Lock(const STAHL_EC3_RUN &r) {
  return r.session == STAHL_EC3_SESSION_LOCKED && r.lock_fd >= 0 && r.lock_pid == static_cast<int>(getpid());
}

// The note of this run: the member file it found at its start, what became of each exchange
// file (a found copy that this run could not put back keeps its mark and hash, carried for a
// later holder) and the hash of each copy made.
std::string _Note_Text(const STAHL_EC3_RUN &r) {
  SessionNote note;
  note.version = kNoteVersion, note.member = r.inp_stamp;
  for (int k = 0; k < 2; ++k) {
    note.start[k] = r.carried[k]        ? r.carried[k]
                    : r.copies_made[k]  ? (r.copy_unknown[k] ? 'u' : 'c')
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
void _Write_Note(const STAHL_EC3_RUN &r) {
  struct stat st;
  char head[16] = {};
  _Step();
  if (::fstat(r.lock_fd, &st) != 0 || st.st_nlink != 1) return;
  const std::size_t mark = std::strlen(kNoteMark);
  _Step();
  if (st.st_size != 0 && (::pread(r.lock_fd, head, mark, 0) != static_cast<ssize_t>(mark) ||
                          std::memcmp(head, kNoteMark, mark) != 0))
    return;
  const std::string text = _Note_Text(r);
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

// Lets the lock of this process on the byte at of fd go.
void _Unlock(int fd, off_t at) {
  struct flock lock = _Range(F_UNLCK, at, 1);
  (void)::fcntl(fd, F_SETLK, &lock);
}

// Past the bound of the wait for an ending holder: makes this run present to that end (the
// late byte, which the end looks at before each write) and then waits for the end's write
// under way (the put-back byte), so that this run never comes between the end's look at the
// member file and that write. True when both are held on the file that is still at path;
// false (the file removed by that end meanwhile, or a lock that failed) to begin again.
bool _Join_Ending_Holder(int fd, const std::string &path, const struct stat &held) {
  if (_Lock(fd, F_RDLCK, kLateByte) != 0) return false;
  for (int err; (err = _Lock(fd, F_RDLCK, kPutBackByte)) != 0; _Pause())
    if (err != EAGAIN && err != EACCES) return false;
  return _Names_File(path, held);
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

// The folder of the lock file at path ("" or ending with '/') and the head of the names of
// its maker's temporaries (a temporary's name is the head and six letters or digits).
void _Lock_Temp_Form(const std::string &path, std::string *folder, std::string *head) {
  const std::string pattern = Host_Replace_Temp_Pattern(path);
  const std::size_t cut = pattern.rfind('/') + 1;
  *folder = pattern.substr(0, cut), *head = pattern.substr(cut, pattern.size() - cut - 6);
}
bool _Is_Temp_Name(const std::string &name, const std::string &head) {
  return name.size() == head.size() + 6 && name.compare(0, head.size(), head) == 0;
}

// Removes the names beside the lock file at path that a maker of it left (its temporary,
// linked into place, and a kill before its removal): those of the temporary's form that name
// the file of st.
void _Sweep_Lock_Temporaries(const std::string &path, const struct stat &st) {
  std::string folder, head;
  _Lock_Temp_Form(path, &folder, &head);
  _Step();
  DIR *d = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!d) return;
  while (const dirent *e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (_Is_Temp_Name(name, head) && _Names_File(folder + name, st)) _Unlink(folder + name);
  }
  ::closedir(d);
}

// A name in the member's folder other than the lock file's own (and its maker's temporary
// form) that begins with the member's stem and number and names the file of st: "" when
// none. Looked at, nothing changed: no kill point of the tests.
std::string _Member_Name_Beside(const std::string &lock, const struct stat &st) {
  std::string folder, temp_head;
  _Lock_Temp_Form(lock, &folder, &temp_head);
  const std::string member = Make_Bauteil_Filename("");
  const std::string head = member.substr(member.rfind('/') + 1);
  DIR *d = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!d) return "";
  std::string found;
  while (const dirent *e = ::readdir(d)) {
    const std::string name = e->d_name;
    struct stat named;
    if (name.compare(0, head.size(), head) != 0 || folder + name == lock || _Is_Temp_Name(name, temp_head)) continue;
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
// OTHER with its late lock instead of its presence lock (end_wait_passed). Without a lock the
// cause is kept in lock_problem, and a lock file made here is removed again.
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
      if (!_Join_Ending_Holder(fd, path, held)) {
        ::close(fd);
        _Pause();
        continue;
      }
      r.end_wait_passed = 1;
    }
    r.lock_fd = fd, r.lock_pid = static_cast<int>(getpid()), r.lock_path = path, r.lock_made = created;
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
// can join until this one has ended but one past the bound of its wait, by its late lock);
// for every run, another process holds a lock on the file. Where the lock file's name no
// longer names this run's file (removed, another put in its place), a session on the file at
// the name counts too.
bool _Others_Present(STAHL_EC3_RUN &r) {
  if (r.lock_fd < 0 || r.lock_pid != static_cast<int>(getpid())) return false;
  if ((r.session == STAHL_EC3_SESSION_LOCKED && _Lock(r.lock_fd, F_WRLCK, kPresenceByte) != 0) ||
      _Held_By_Others(r.lock_fd))
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

bool _Hold_Put_Back(STAHL_EC3_RUN &r) {
  if (!_Holds_Session_Lock(r)) return true;
  if (_Lock(r.lock_fd, F_WRLCK, kPutBackByte) != 0) return false;
  if (!_Held_By_Others_On(r.lock_fd, kLateByte, 1)) return true;
  _Unlock(r.lock_fd, kPutBackByte);
  return false;
}

void _Let_Put_Back(STAHL_EC3_RUN &r) {
  if (_Holds_Session_Lock(r)) _Unlock(r.lock_fd, kPutBackByte);
}

double _End_Wait_S() { return g_session.end_wait_s; }

}  // namespace stahl_ec3_session

using namespace stahl_ec3_session;

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

void Release_Session_Lock(STAHL_EC3_RUN &r) {
  if (r.lock_fd < 0) return;
  struct stat held;
  // The holder's presence lock made a write lock and its put-back byte held to the close: no
  // other session is present, and none past the bound of its wait joins the file removed.
  // A note that carries a killed run's copy for a later holder stays.
  if (_Holds_Session_Lock(r) && !r.carried[0] && !r.carried[1] && _Lock(r.lock_fd, F_WRLCK, kPresenceByte) == 0 &&
      _Hold_Put_Back(r) && ::fstat(r.lock_fd, &held) == 0 && _Names_File(r.lock_path, held))
    _Unlink(r.lock_path);
  _Step();
  ::close(r.lock_fd);
  r.lock_fd = -1;
}

void Set_Session_Kill_Point_For_Tests(int call) { g_session.kill_at = call, g_session.calls = 0; }

int Session_File_Calls_For_Tests() { return g_session.calls; }

void Set_Session_End_Wait_For_Tests(double seconds) {
  g_session.end_wait_s = std::isfinite(seconds) && seconds >= 0 ? seconds : STAHL_EC3_END_WAIT_S;
}

