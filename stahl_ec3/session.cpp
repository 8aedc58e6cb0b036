// The member's screen sessions, second part: the start copies, the put-back of a killed run's
// copy, the end and what a refresh lists while a session runs (the lock file, its note and the
// file steps are session_lock.cpp's). The rules, in the order a session meets them:
//
//  Read    the member is read once its session has begun: after the lock, the wait for an
//          ending holder and the put-back of a killed run's copies, so that what the session
//          shows, checks and saves is the state that its boxes call saved. A member file
//          replaced meanwhile is the session's where the exchange files are still as the start
//          left them (its identity is taken and noted); else the start's identity stays.
//  Copies  the holder copies ".XPR" and ".EXP" to "_TMP.XPR" and "_TMP.EXP". Their names are
//          tested without following links (a link, also a dangling one, is a found copy), and
//          the copies are written by a replace that does not follow links.
//  Found   a copy found by the holder belongs to a run that ended without its end. Where that
//          run's note (nobody present, the member file still the one it read) proves the copy
//          its own (marked 'c' or 'u', with the noted hash) and the copy belongs to this user
//          or to the exchange file's owner, the copy is put back and the exchange file it left
//          is kept under a free name "<file>.bak", ".bak2", …; where this user cannot read or
//          write that file, the copy stays and its mark and hash go into this run's note. Any
//          other goes to "<copy>.bak" where nothing is lost (the older ".bak" is not there or
//          no regular file, predates the member file's last save, or holds the copy's or the
//          exchange file's bytes), else where the exchange file holds its bytes, else (or where
//          the rename fails) to a free name "<copy>.bak2", …; its file's state is then unknown,
//          and the box says that the exchange file may show unsaved changes. A session without
//          the lock leaves it. A stale note of the member file read now: an exchange file that
//          was not there at that run's start is kept as a ".bak". Kept files newer than the
//          lock file's last note that no box of this start named are named (not where the
//          start made the lock file, nor while another session is present).
//  End     leaving without saving puts nothing back and removes nothing when the member file's
//          content is no longer the one read (saved elsewhere; looked at again right before
//          each write), nor while another session is present (this run's copies are then kept
//          as "<copy>.bak" by the rule above, and the lock file stays), also one that passed
//          the bound of its wait for this end and took its late lock before the file's turn
//          (the put-back byte is held from the look through the write); else the copies go
//          back (a file that holds their bytes is not written) and an exchange file made
//          meanwhile goes.
//  Refresh during a session it lists the start copy's section only while the member file has
//          the noted identity and the copy is of the saved state; without a note, while the
//          member file is not newer than the copy; where the section may be the session's (or
//          a killed run's) unsaved one, the list says so.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/host.h"
#include "profil/profil.h"
#include "sections/sections.h"
#include "stahl_ec3/program_internal.h"
#include "stahl_ec3/session_internal.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

using namespace stahl_ec3_session;

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
  std::string why;     // where it stays: the cause
  std::string where;   // kept: its name now
  bool differ = false; // the copy was read, and the file given does not hold its bytes
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
  const bool differ = readable && !file.empty() && !(file_read && mine == theirs);
  bool free = !_Lstat(bak, &b) || !S_ISREG(b.st_mode);
  _Step();
  if (!free) free = ::stat(Bauteil_Inp_Path().c_str(), &inp) == 0 && _Ns(b.st_mtim) < _Ns(inp.st_mtim);
  if (!free && _Read_Here(bak, &older, &b)) free = (readable && older == mine) || (file_read && older == theirs);
  int err = 0;
  if (free) {
    _Step();
    if (::rename(copy.c_str(), bak.c_str()) == 0) return {COPY_KEPT_AS_BAK, "", bak, differ};
    err = errno;
  }
  if (readable && file_read && mine == theirs && _Unlink(copy) == 0) return {COPY_GONE, "", ""};
  bool holds = false;
  const std::string name = _Free_Bak(copy, readable ? &mine : nullptr, &holds);
  if (!name.empty()) {
    _Step();
    if (holds ? ::unlink(copy.c_str()) == 0 : ::rename(copy.c_str(), name.c_str()) == 0)
      return {COPY_KEPT_AS_BAK, "", name, differ};
    err = errno;
  }
  return {COPY_STAYS, _Why(err), "", differ};
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
  bool made = false;  // *kept written here
  if (read && theirs != saved) {
    bool holds = false;
    *kept = _Free_Bak(file, &theirs, &holds);
    _Step();
    if (kept->empty() || (!holds && Replace_File_Text(kept->c_str(), theirs, FILE_REPLACE_NO_FOLLOW) != 0)) {
      *why = kept->empty() ? "kein freier Name für "_cp + file + ".bak" : *kept + ": " + _Why(errno);
      return kept->clear(), FOUND_NOT_WRITTEN;
    }
    made = !holds;
  }
  if (!read || theirs != saved) {
    _Step();
    if (Replace_File_Text(file.c_str(), saved) != 0) {
      *why = _Why(errno);
      if (made && _Unlink(*kept) == 0) kept->clear();  // the file still holds those bytes
      return FOUND_NOT_WRITTEN;
    }
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
// nothing is put back for its file. copy_unknown[k]: the copy made may hold a killed run's unsaved
// work (a found copy was not put back, it was one of unknown state, or the member's note does
// not prove the file the saved state). named collects the files that the boxes name.
void _Copy_Exchange_Files(STAHL_EC3_RUN &r, const SessionNote *note, bool put_back_ok,
                          std::vector<std::string> *named) {
  const std::string ended = "^bWARNUNG: Eine frühere Bearbeitung von "_cp + Bauteil_Inp_Path() + " endete ohne Speichern: ";
  for (int k = 0; k < 2; ++k) {
    const std::string from = Make_Bauteil_Filename(STAHL_EC3_EXCHANGE[k][0]);
    const std::string copy = Make_Bauteil_Filename(STAHL_EC3_EXCHANGE[k][1]);
    const char mark = note && note->version >= 2 ? note->start[k] : '-';
    const bool noted = mark == 'c' || mark == 'u';
    r.copy_unknown[k] = note && mark != 'c';
    std::string kept_file, why;
    bool wrote = false;
    const int found = _Exists(copy) && r.session == STAHL_EC3_SESSION_LOCKED && put_back_ok && noted
                          ? _Put_Back_Found_Copy(from, copy, note->copy_hash[k], &kept_file, &wrote, &why)
                          : FOUND_NOT_PROVED;
    if (found == FOUND_PUT_BACK) {
      const std::string text = ended + from +
                               (mark == 'c' ? " hat wieder den gespeicherten Stand (aus "
                                            : " hat wieder den Stand vom Start jener Bearbeitung (aus ") + copy + ")" +
                               (kept_file.empty() ? "!" : "; ihr ungespeicherter Stand ist als " + kept_file +
                                                              " aufbewahrt!");
      if (wrote) PrintMessage(text.c_str(), STAHL_EC3_TITLE);
      if (!kept_file.empty()) named->push_back(kept_file);
    } else if (found == FOUND_NOT_WRITTEN) {
      r.carried[k] = mark, r.carried_hash[k] = note->copy_hash[k];
      const std::string text = ended + from +
                               " kann hier nicht zurückgesetzt werden ("_cp + why +
                               ") und kann ungespeicherte Änderungen zeigen; "_cp +
                               (mark == 'c' ? "den gespeicherten Stand hält "_cp : "den Stand vom Start jener Bearbeitung hält "_cp) +
                               copy + ", die bleibt!";
      PrintMessage(text.c_str(), STAHL_EC3_TITLE);
      continue;  // the copy keeps its name: no copy of this run's own
    } else if (_Exists(copy)) {
      const bool locked = r.session == STAHL_EC3_SESSION_LOCKED;
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
        text = found_text + "als " + kept.where + " aufbewahrt" + (kept.differ ? either : "!");
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
      r.copy_unknown[k] = 1;
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
    if (noted && r.copy_stamps[k].hash != note->copy_hash[k]) r.copy_unknown[k] = 1;
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

// The put-back byte of the holder's end while held: let go at the end of a file's turn.
struct Put_Back_Hold {
  STAHL_EC3_RUN &r;
  bool held = false;
  ~Put_Back_Hold() {
    if (held) _Let_Put_Back(r);
  }
};

// True when the member file's content is no longer the one this run read or last saved.
bool _Saved_Since(const STAHL_EC3_RUN &r) { return !Stahl_EC3_File_Stamp(Bauteil_Inp_Path()).Same_Content(r.inp_stamp); }

// This run's copy k removed while it is as this run wrote it (its content identity: a mode
// change, a touch or another name of it is no change).
void _Remove_Own_Copy(const STAHL_EC3_RUN &r, int k) {
  const std::string copy = Make_Bauteil_Filename(STAHL_EC3_EXCHANGE[k][1]);
  if (_Stamp(copy).Same_Content(r.copy_stamps[k])) _Unlink(copy);
}

}  // namespace

using namespace stahl_ec3_session;


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
    std::snprintf(waited, sizeof waited, "%g", _End_Wait_S());
    const std::string text = r.end_wait_passed ? "^bWARNUNG: Die Eingabedatei " + Bauteil_Inp_Path() +
                                                     " wird gerade in einer anderen Bearbeitung bearbeitet, deren Ende "
                                                     "nach " + waited + " s noch nicht abgeschlossen ist; ihr Ende "
                                                     "setzt von jetzt an nichts mehr zurück, und beenden ohne zu "
                                                     "speichern setzt hier nichts zurück!"_cp
                                               : Bauteil_Other_Session_Note();
    PrintMessage(text.c_str(), STAHL_EC3_TITLE);
    return;
  }
  // The note in the lock file of a run that is over (this one holds the lock) on the member
  // file found here tells what that run left unsaved; only where nobody else is present may
  // anything be put back or moved for it.
  SessionNote note;
  const bool noted = r.session == STAHL_EC3_SESSION_LOCKED && _Read_Note(r.lock_fd, &note) &&
                     note.member.Same_Content(r.inp_stamp);
  const bool nobody = r.session == STAHL_EC3_SESSION_LOCKED && !_Held_By_Others(r.lock_fd);
  const bool alone = noted && nobody;
  // The lock file as found: its last note's time. One that this start made holds no earlier
  // run's note, and what changed before it is no killed run's.
  struct stat found;
  const bool lock_known = nobody && !r.lock_made && ::fstat(r.lock_fd, &found) == 0;
  std::vector<std::string> named;
  if (alone) _Keep_Unsaved_Exchange_Files(note, &named);
  _Copy_Exchange_Files(r, noted ? &note : nullptr, alone, &named);
  if (lock_known) _Name_Unsaid_Kept_Files(_Ns(found.st_ctim), named);
  if (r.session == STAHL_EC3_SESSION_LOCKED) _Write_Note(r);
}

bool Take_Session_Read_Stamp(STAHL_EC3_RUN &r, const STAHL_EC3_FILE_STAMP &read) {
  if (read.Same_Content(r.inp_stamp)) return r.inp_stamp = read, true;
  // Another file was read than the start found (replaced meanwhile: a sync tool, a restore,
  // another program). It is this session's where the exchange files are still as the start
  // left them: the copies' bytes, or not there. A copy carried for a later holder was proved
  // against the file found at the start.
  if (r.carried[0] || r.carried[1]) return false;
  for (int k = 0; k < 2; ++k) {
    const std::string file = Make_Bauteil_Filename(STAHL_EC3_EXCHANGE[k][0]);
    if (r.absent_at_start[k] && _Exists(file)) return false;
    if (!r.copies_made[k]) continue;
    std::string copy, now;
    const bool as_made = _Stamp(Make_Bauteil_Filename(STAHL_EC3_EXCHANGE[k][1]), &copy).Same_Content(r.copy_stamps[k]);
    if (!as_made || !_Read_File(file, &now) || now != copy) return false;
  }
  r.inp_stamp = read;
  if (r.session == STAHL_EC3_SESSION_LOCKED) _Write_Note(r);
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
  bool others = to_do && !saved_elsewhere && _Others_Present(r);
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
    // A run that passed the bound of its wait for this end is present from its late lock on:
    // this file and the ones after it are then left as another session's. The put-back byte
    // is held from the look at the member file through the write, so that no such run comes
    // in between.
    Put_Back_Hold hold{r};
    if (!others && (r.absent_at_start[k] || r.copies_made[k])) {
      hold.held = _Hold_Put_Back(r);
      others = !hold.held;
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
