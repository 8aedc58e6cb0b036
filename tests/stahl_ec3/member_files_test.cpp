// The member's files when more than one run works on them, and saves that say what happened:
// refreshes of members whose stems share their first four characters (and so the section
// exchange file) at once, a save over a member file that changed since it was read, a refresh
// during a screen session, two screen sessions on one member, the finishing order of
// "speichern und beenden", and the causes in the messages of failed writes and refused saves.
// Every test works in a folder of its own.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/file_cap.h"
#include "host/host_test.h"
#include "sections/sections.h"
#include "stahl_ec3/program_internal.h"
#include "support/shell.h"
#include "support/support.h"
#include "tests/stahl_ec3/member_fixture.h"
#include "tests/testsupport/screen_test.h"

namespace {

namespace fs = std::filesystem;
using test_files::Slurp;

// The finish dialog's answers, each with a rest after it.
const std::string kSaveRest = kSave + "w50 ", kQuitRest = kQuit + "w50 ";

// The member file of a parametric profile (shape type, h, t_w, b, t of both flanges; welded)
// under the method (1 elastic, 2 elastic-plastic), the defaults otherwise (S235), with the
// rows N, M_y, M_z given.
std::string Member_File(int type, double h, double t_w, double b, double t, int method,
                        const std::vector<std::vector<double>> &rows) {
  return Member_Bytes([&](BAUTEIL *m) {
    Reset_Profil(&m->profil);
    m->profil.kind = PROFIL_KIND_PARAMETRIC, m->profil.type = type, m->profil.rolled = 0;
    m->profil.h = h, m->profil.t_w = t_w, m->profil.b_fo = m->profil.b_fu = b, m->profil.t_fo = m->profil.t_fu = t;
    m->method = method, m->ct_check = 0;
    Alloc_Brandlasten(m, static_cast<int>(rows.size()));
    for (std::size_t k = 0; k < rows.size(); ++k) {
      BRANDLAST &r = m->brandlasten[k];
      std::snprintf(r.name, sizeof r.name, "Brand %zu", k + 1);
      r.N = rows[k][0], r.M_y = rows[k][1], r.M_z = rows[k][2];
    }
  });
}

// A child process held between two steps (its standard error dropped): first runs at once,
// second once Go is called; each gives back a text through the file out.
class Held_Child {
 public:
  Held_Child(const std::string &out, const std::function<std::string()> &first,
             const std::function<std::string()> &second) : out_(out) {
    if (pipe(ready_) != 0 || pipe(go_) != 0 || (pid_ = fork()) != 0) {
      close(ready_[1]), close(go_[0]);
      return;
    }
    close(go_[1]);
    std::freopen("/dev/null", "w", stderr);
    test_files::Put(out_, first());
    char c = 0;
    if (write(ready_[1], &c, 1) == 1 && read(go_[0], &c, 1) == 0) test_files::Put(out_, second());
    _exit(0);
  }
  std::string First() {
    char c;
    return read(ready_[0], &c, 1) == 1 ? test_files::Slurp(out_) : "no answer";
  }
  std::string Go() { return close(go_[1]), waitpid(pid_, nullptr, 0), test_files::Slurp(out_); }
  // Ends the child at once (SIGKILL), without its second step.
  void Kill() { kill(pid_, SIGKILL), waitpid(pid_, nullptr, 0), close(go_[1]); }

 private:
  std::string out_;
  pid_t pid_ = -1;
  int ready_[2] = {-1, -1}, go_[2] = {-1, -1};
};

class MemberFiles : public MemberFolder {
 protected:
  MemberFiles() : MemberFolder(ExampleFiles::kNone) {}
  // A refresh of the member by another process, as the host starts it.
  int Refresh_Elsewhere(const std::string &stem) {
    const pid_t pid = fork();
    if (pid == 0) {
      std::freopen("/dev/null", "w", stderr);
      _exit(Refresh_Stem(stem));
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // The box of an exchange file that a session leaves as it is because another one saved
  // (or, with the same bytes under a new file, replaced) the member file.
  std::string Not_Reset(const std::string &name, bool same_bytes = false) const {
    return "^bWARNUNG: " + Path(name) + " wird nicht zurückgesetzt: die Eingabedatei "_cp + Path("BSP1_01.INP") +
           (same_bytes ? " wurde seit dem Lesen ersetzt (von einer anderen Bearbeitung oder einem anderen Programm)!|"_cp
                       : " wurde seit dem Lesen von einer anderen Bearbeitung gespeichert!|"_cp);
  }
  // Runs body in a child process (its standard error dropped): the text body gave back.
  std::string In_Child(const std::function<std::string()> &body) const {
    const std::string out = dir_ + "/../child.out";
    std::filesystem::remove(out);
    const pid_t pid = fork();
    if (pid == 0) {
      std::freopen("/dev/null", "w", stderr);
      test_files::Put(out, body());
      _exit(0);
    }
    waitpid(pid, nullptr, 0);
    return Slurp(out);
  }
};

// Two RHS members (200 × 100 × 8 passes, 120 × 60 × 4 fails under the same row) and two I
// members under the elastic method, all stems beginning "POS1" in one folder: the solo list of
// each, then ten refreshes of each at once (forty processes let go together); every list is
// byte for byte its solo list.
TEST_F(MemberFiles, ParallelRefreshesKeepTheirOwnSections) {
  const std::vector<std::vector<double>> rows = {{-200, 30, 5}, {100, -20, 8}};
  const std::string members[4] = {
      Member_File(PROFIL_RHS, 200, 8, 100, 8, 1, rows),
      Member_File(PROFIL_RHS, 120, 4, 60, 4, 1, rows),
      Member_File(PROFIL_I, 300, 7, 150, 11, 1, rows),
      Member_File(PROFIL_I, 240, 6, 120, 9, 1, rows),
  };
  Put("POS1_01.TXT", "Pos. 1\n");
  constexpr int kEach = 10;
  std::vector<std::string> stems, solo;
  for (int m = 0; m < 4; ++m)
    for (int k = 0; k < kEach; ++k) {
      const std::string stem = "POS1" + std::string(1, static_cast<char>('A' + m)) + std::to_string(k);
      Put(stem + "_01.INP", members[m]);
      testing::internal::CaptureStderr();
      ASSERT_EQ(Refresh_Stem(stem), 1) << testing::internal::GetCapturedStderr();
      testing::internal::GetCapturedStderr();
      stems.push_back(stem);
      solo.push_back(Get(stem + "_01.OLI"));
      fs::remove(Path(stem + "_01.OLI"));
    }
  // The members differ: a fault that mixes them up shows in the lists.
  EXPECT_NE(solo[0], solo[kEach]);
  EXPECT_NE(solo[2 * kEach], solo[3 * kEach]);
  EXPECT_NE(solo[kEach].find("nicht ok"), std::string::npos);

  int gate[2];
  ASSERT_EQ(pipe(gate), 0);
  std::vector<pid_t> children;
  for (const std::string &stem : stems) {
    const pid_t pid = fork();
    if (pid == 0) {
      close(gate[1]);
      char c;
      while (read(gate[0], &c, 1) < 0 && errno == EINTR) {
      }
      std::freopen("/dev/null", "w", stderr);
      _exit(Refresh_Stem(stem));
    }
    if (pid < 0) {
      ADD_FAILURE() << "fork: " << std::strerror(errno);
      break;
    }
    children.push_back(pid);
  }
  close(gate[0]);
  close(gate[1]);  // all go at once
  for (std::size_t k = 0; k < children.size(); ++k) {
    int status = 0;
    EXPECT_EQ(waitpid(children[k], &status, 0), children[k]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << stems[k];
  }
  int differ = 0;
  for (std::size_t k = 0; k < stems.size(); ++k) differ += Get(stems[k] + "_01.OLI") != solo[k];
  EXPECT_EQ(differ, 0) << "of " << stems.size() << " lists";
  EXPECT_FALSE(Has("POS1XPRT.TMP"));  // every run removed its own exchange file
}

// Drops root's overrides of file permissions, for writing and for reading (none for another
// user): the process then meets the permission bits as the files' owner does.
void Drop_Permission_Override() {
  __user_cap_header_struct head{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2] = {};
  syscall(SYS_capget, &head, data);
  data[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
  syscall(SYS_capset, &head, data);
}

// What the exchange hook does: keep the text written (capture) or put another one in its
// place (the foreign text), as a run of another member would between the write and a read.
std::string g_captured, g_foreign;
void Capture_Exchange(const char *path) { g_captured = Slurp(path); }
void Spoil_Exchange(const char *path) { test_files::Put(path, g_foreign); }

// What another program does once, in the sync of the next replace (a session's start: while it
// makes its copies), and the sync that does it.
std::function<void()> g_meanwhile;
int Sync_Meanwhile(int fd) {
  if (g_meanwhile) std::exchange(g_meanwhile, nullptr)();
  return fsync(fd);
}

// The section of a refresh comes from the text it wrote, not from the exchange file: with
// the file changed to another member's section right after every write, the list is the solo
// one, the member's ".XPR" holds its own model, and the exchange file, no longer this run's,
// stays.
TEST_F(MemberFiles, TheSectionComesFromMemory) {
  const std::vector<std::vector<double>> rows = {{-200, 30, 5}};
  Put("POS1A_01.INP", Member_File(PROFIL_RHS, 200, 8, 100, 8, 1, rows));
  Put("POS1B_01.INP", Member_File(PROFIL_RHS, 120, 4, 60, 4, 1, rows));
  Set_XPRT_Write_Hook(Capture_Exchange);
  ASSERT_EQ(Refresh_Stem("POS1B"), 1);
  g_foreign = g_captured;
  ASSERT_EQ(Refresh_Stem("POS1A"), 1);
  const std::string own = g_captured, solo = Get("POS1A_01.OLI");
  ASSERT_NE(own, g_foreign);
  EXPECT_FALSE(Has("POS1XPRT.TMP"));
  Set_XPRT_Write_Hook(Spoil_Exchange);
  ASSERT_EQ(Refresh_Stem("POS1A"), 1);
  EXPECT_TRUE(Get("POS1A_01.OLI") == solo);
  EXPECT_EQ(Get("POS1A_01.XPR").rfind(own, 0), 0u);
  EXPECT_EQ(Get("POS1XPRT.TMP"), g_foreign);
}

// A save over a member file that is no longer the one read at start asks first; no keeps the
// other file (the run goes on, here to the host's stop), yes saves. Another session's save
// (a new file in its place), the same bytes at a later time, a rewrite in place with its times
// put back (told by the bytes alone, or by the change time alone), a mode change and a link made
// and removed, and a file that was absent at start and is there now all count as changed; a
// file untouched, or absent then and now, is saved without a question. The member has only an
// ".EXP" at the start, which the session changes: a save leaves it, and so does the end after
// "no" where the member file's content is another (another session saved it; a box says it is
// not reset); where the same file holds the same bytes, the end puts the start state back
// without a box. No start copy and no lock file are left.
TEST_F(MemberFiles, SaveOverAChangedMemberFileAsks) {
  Copy_Example();
  const std::string ex = Get("BSP1_01.INP");
  std::string other = ex;
  other.replace(other.find("Brand~1"), 7, "Brand~X");  // another session's member
  // Another program writes bytes into the member file in place and puts its times back; on a
  // file system whose clock ticks coarsely the change time, too, stays that of the read.
  auto In_Place = [&](const std::string &bytes, bool coarse) {
    const std::string inp = Path("BSP1_01.INP");
    struct stat st;
    stat(inp.c_str(), &st);
    usleep(20000);  // a tick of the kernel's clock passes
    std::fstream(inp, std::ios::in | std::ios::out | std::ios::binary) << bytes;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    utimensat(AT_FDCWD, inp.c_str(), times, 0);
    stat(inp.c_str(), &st);
    if (coarse) Stahl_EC3_Run().inp_stamp.ctime_ns = st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
  };
  const struct {
    const char *what;
    bool absent_at_start;
    std::function<void()> change;
    int answer;  // queued for the question, -1 none
    bool asked;
    int rc;
    std::string inp;  // the file after the run, "" ours
    bool put_back = false;  // "no", and the end puts the ".EXP" back: the same content
    std::function<void()> in_start = nullptr;  // another program's step while the start makes its copies
  } cases[] = {
      {"untouched", false, [] {}, -1, false, 1, ""},
      {"replaced, no", false, [&] { Put("other.INP", other), fs::rename(Path("other.INP"), Path("BSP1_01.INP")); }, 0, true, 0, other},
      {"replaced, yes", false, [&] { Put("other.INP", other), fs::rename(Path("other.INP"), Path("BSP1_01.INP")); }, 1, true, 1, ""},
      {"same bytes later", false, [&] {
         fs::last_write_time(Path("BSP1_01.INP"), fs::last_write_time(Path("BSP1_01.INP")) + std::chrono::seconds(2));
       }, 0, true, 0, ex, true},
      {"same size in place, time put back, coarse clock", false, [&] { In_Place(other, true); }, 0, true, 0, other},
      {"same bytes in place, time put back", false, [&] { In_Place(ex, false); }, 0, true, 0, ex, true},
      {"mode changed, a link made and removed", false, [&] {
         const std::string inp = Path("BSP1_01.INP");
         chmod(inp.c_str(), 0600), link(inp.c_str(), Path("backup").c_str()), unlink(Path("backup").c_str());
       }, 0, true, 0, ex, true},
      {"the start copy touched and its mode changed", false, [&] {
         chmod(Path("BSP1_01_TMP.EXP").c_str(), 0600);
         fs::last_write_time(Path("BSP1_01_TMP.EXP"), fs::last_write_time(Path("BSP1_01_TMP.EXP")) + std::chrono::hours(1));
       }, -1, false, 1, ""},
      {"absent, then there", true, [&] { Put("BSP1_01.INP", other); }, 0, true, 0, other},
      {"absent then and now", true, [] {}, -1, false, 1, ""},
      {"replaced in the start, the .EXP as the start left it", false, [] {}, -1, false, 1, "", false,
       [&] { Put("other.INP", ex), fs::rename(Path("other.INP"), Path("BSP1_01.INP")); }},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    Host_Test_Reset();
    Copy_Example();
    fs::remove(Path("BSP1_01.OLI"));
    if (c.absent_at_start) fs::remove(Path("BSP1_01.INP"));
    Put("BSP1_01.EXP", "exp at start\n");
    g_meanwhile = c.in_start;
    const HOST_SYNC sync = Host_Set_Replace_Sync_For_Tests(Sync_Meanwhile);
    ASSERT_EQ(Start(), -1);
    Host_Set_Replace_Sync_For_Tests(sync);
    Put("BSP1_01.EXP", "exp of the session\n");
    c.change();
    if (c.answer >= 0) Host_Queue_Answer(c.answer);
    EXPECT_EQ(Screen(kEnd + kSaveRest), c.rc) << Host_Last_Calls(20);
    EXPECT_EQ(Said(3), c.asked ? Bauteil_Changed_Question() + "|" : "");
    const std::string inp = Get("BSP1_01.INP");
    if (c.inp.empty()) EXPECT_TRUE(inp.rfind(" 2\n", 0) == 0 && inp != other) << inp;
    else EXPECT_EQ(inp, c.inp);
    EXPECT_EQ(Has("BSP1_01.OLI"), c.rc == 1);  // no list for a save declined
    EXPECT_EQ(Get("BSP1_01.EXP") + Said(1), c.put_back ? "exp at start\n"
                                                       : "exp of the session\n" + (c.rc ? "" : Not_Reset("BSP1_01.EXP")));
    EXPECT_FALSE(Has("BSP1_01_TMP.EXP") || Has("BSP1_01.LCK"));
  }
}

// A refresh of the member while a screen session runs leaves the session's copy: "beenden
// ohne zu speichern" puts the ".XPR" back as it was at the session's start. A restore whose
// copy is gone, or was written over by another (a run that takes no lock), says so and leaves
// the file; a file without a copy at start asks for none.
TEST_F(MemberFiles, RefreshDuringASessionKeepsItsRestoreCopy) {
  Copy_Example();
  Put("BSP1_01.XPR", "xpr at start\n");
  ASSERT_EQ(Start(), -1);
  Put("BSP1_01.XPR", "xpr of the session\n");
  EXPECT_EQ(Refresh_Elsewhere("BSP1"), 1);
  EXPECT_TRUE(Has("BSP1_01.OLI"));
  EXPECT_EQ(Get("BSP1_01_TMP.XPR"), "xpr at start\n");
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  EXPECT_EQ(Get("BSP1_01.XPR") + std::to_string(Has("BSP1_01_TMP.XPR")), "xpr at start\n0");
  EXPECT_EQ(Said(1), "");

  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  Put("BSP1_01.XPR", "xpr of the session\n");
  fs::remove(Path("BSP1_01_TMP.XPR"));
  // The box waits for its reader only after the session let its lock file go.
  static std::string lck;
  static int locked_at_box;
  lck = Path("BSP1_01.LCK"), locked_at_box = 0;
  Host_Set_Echo_Text([](const std::string &t) {
    if (t.find("fehlt") != std::string::npos) locked_at_box += 1 + (access(lck.c_str(), F_OK) == 0);
    return t;
  });
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  Host_Set_Echo_Text(nullptr);
  EXPECT_EQ(locked_at_box, 1);
  EXPECT_EQ(Get("BSP1_01.XPR"), "xpr of the session\n");
  const std::string said = Said(1);
  EXPECT_NE(said.find("^bWARNUNG: " + Path("BSP1_01.XPR") + " kann nicht"), std::string::npos) << said;
  EXPECT_NE(said.find("(" + Path("BSP1_01_TMP.XPR") + ") fehlt!|"), std::string::npos) << said;
  EXPECT_EQ(said.find(".EXP"), std::string::npos) << said;  // none at start, none missed

  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  Put("BSP1_01_TMP.XPR", "xpr of another run\n");
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  EXPECT_EQ(Get("BSP1_01.XPR") + Get("BSP1_01_TMP.XPR"), "xpr of the session\nxpr of another run\n");
  EXPECT_EQ(Said(1), "^bWARNUNG: " + Path("BSP1_01.XPR") + " kann nicht zurückgesetzt werden: die Kopie vom "_cp +
                         "Start (" + Path("BSP1_01_TMP.XPR") + ") wurde von einer anderen Bearbeitung geändert!|"_cp);

  // An imported member on the channel of the take-over's sample file (A = 35.20 cm²); with a
  // web of 2.4 instead of 0.8 the section has A = 35.20 + 20 · 1.6 = 67.20 cm². A refresh
  // lists the ".XPR"; during a session it lists the start copy, the state of the saved ".INP",
  // and says that the member is being edited.
  Host_Test_Reset();
  fs::remove(Path("BSP1_01_TMP.XPR"));
  const std::string channel = Slurp(PF_SOURCE_DIR "/tests/profil/golden/channel.XPR");
  std::string wide = channel;
  wide.replace(wide.find("0.8 0.8"), 7, "2.4 2.4").replace(wide.find(".A__ 35.2"), 9, ".A__ 67.2");
  Put("BSP1_01.XPR", channel);
  Put("BSP1_01.INP", Member_Bytes([this](BAUTEIL *b) {
        Set_Bauteil_Path(Stem().c_str()), Set_File_Number(1), Set_XPRT_Member_Filename();
        b->profil.kind = PROFIL_KIND_QUER, b->profil.entry = New_QImport_Entry();
        Add_QImport_Reference(b->profil.entry, +1), Read_XPRT_Result(b->profil.entry);
        EXPECT_EQ(Set_Profil_from_QImport(&b->profil, 0), 0);
      }));
  const std::string edited = Cp850_To_Utf8(STAHL_EC3_NOTE_EDITED);
  for (const bool session : {false, true}) {
    SCOPED_TRACE(session ? "during a session" : "alone");
    if (session) {
      Put("BSP1_01.XPR", channel);
      ASSERT_EQ(Start(), -1);
    }
    Put("BSP1_01.XPR", wide);
    EXPECT_EQ(Refresh_Elsewhere("BSP1"), 1);
    const std::string list = Plain_List(Get("BSP1_01.OLI"));
    EXPECT_NE(list.find(session ? "A = 35.20 cm²" : "A = 67.20 cm²"), std::string::npos) << list;
    EXPECT_EQ(list.find(edited) != std::string::npos, session) << list;
  }
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  EXPECT_EQ(Get("BSP1_01.XPR") + Said(1), channel);

  // The saved state is told by the member file that the session noted in its lock file: a
  // touch is no save (the start copy is listed and put back at the end), nor is a touch, a
  // mode change or another name of the start copy; another session's save in the copy's tick
  // of a coarse clock (a new file) is one (the ".XPR" may be that save's or the session's
  // later change: the list says so, and the ".XPR" stays), and so is a note of another
  // member file. Without the note (an older version's lock file, or text that is not exactly
  // a note) the times decide. A member without an ".XPR" at the start, to which the session
  // gives one, or whose start copy may hold a killed run's change (a copy of a run without a
  // note found) is listed with the line that its section may be unsaved. The note replaces
  // a longer text before it whole.
  const std::string inp = Get("BSP1_01.INP"), unsaved = Cp850_To_Utf8(STAHL_EC3_NOTE_UNSAVED);
  const std::string copy = Path("BSP1_01_TMP.XPR");
  auto touch = [&] { fs::last_write_time(Path("BSP1_01.INP"), fs::last_write_time(copy) + std::chrono::seconds(2)); };
  // The note edited, then the member file touched (unless told not to); written through the
  // session's own descriptor, since closing another one of the lock file would let its locks go.
  auto renote = [&](const std::function<void(std::string &)> &edit, bool touched = true) {
    return [&, edit, touched] {
      const int fd = Stahl_EC3_Run().lock_fd;
      char text[256];
      std::string note(text, std::max<ssize_t>(pread(fd, text, sizeof text, 0), 0));
      edit(note);
      if (pwrite(fd, note.data(), note.size(), 0) < 0 || ftruncate(fd, static_cast<off_t>(note.size())) != 0)
        ADD_FAILURE() << std::strerror(errno);
      if (touched) touch();
    };
  };
  // The note's fields split at its blanks (the last one keeps the line end), and joined.
  auto fields = [](const std::string &n) {
    std::vector<std::string> f(1);
    for (const char c : n) c == ' ' ? (void)f.emplace_back() : f.back().push_back(c);
    return f;
  };
  auto joined = [](const std::vector<std::string> &f) {
    std::string n;
    for (const std::string &x : f) n += (n.empty() ? "" : " ") + x;
    return n;
  };
  // The note cut to version 1's fields (no copy hashes) under the version given.
  auto version_1_fields = [&](const char *version) {
    return [&, version](std::string &n) {
      std::vector<std::string> f = fields(n);
      f[1] = version, f[8] += "\n";
      f.resize(9);
      n = joined(f);
    };
  };
  // A killed run (in a child) that changed the ".XPR" and left its note, its copy removed;
  // mark: what its note then says of the ".XPR".
  auto killed_without_copy = [&](char mark) {
    return [&, mark] {
      In_Child([&] { return Start(), Put("BSP1_01.XPR", wide), std::string(); });
      fs::remove(copy);
      std::vector<std::string> f = fields(Get("BSP1_01.LCK"));
      f[7] = std::string(1, mark);
      Put("BSP1_01.LCK", joined(f));
    };
  };
  const struct {
    const char *what;
    bool xpr_at_start;
    std::function<void()> change;
    const char *area;
    const std::string &note;
    std::string xpr_after, said;  // "none": no ".XPR"
    std::function<void()> before = [] {};
  } rows[] = {
      {"a touch", true, touch, "A = 35.20 cm²", edited, channel, ""},
      {"saved in the copy's tick", true, [&] {
         Put("new.INP", inp), fs::last_write_time(Path("new.INP"), fs::last_write_time(copy));
         fs::rename(Path("new.INP"), Path("BSP1_01.INP"));
       }, "A = 67.20 cm²", unsaved, wide, Not_Reset("BSP1_01.XPR", true)},
      {"no note, a touch", true, [&] { truncate(Path("BSP1_01.LCK").c_str(), 0), touch(); }, "A = 67.20 cm²", unsaved, channel, ""},
      {"no .XPR at the start", false, [] {}, "A = 67.20 cm²", unsaved, "none", ""},
      {"a note of another member file", true, renote([](std::string &n) {
         const std::size_t inode = n.find(' ', n.find(' ', 13) + 1) + 1;  // behind the device
         n[inode] = n[inode] == '9' ? '8' : '9';
       }), "A = 67.20 cm²", unsaved, channel, ""},
      {"a sign in the note", true, renote([](std::string &n) { n.insert(13, "+"); }), "A = 67.20 cm²", unsaved, channel, ""},
      {"a line end in the note", true, renote([](std::string &n) { n[14] = '\n'; }), "A = 67.20 cm²", unsaved, channel, ""},
      {"no blank after the mark", true, renote([](std::string &n) { n.erase(10, 1); }), "A = 67.20 cm²", unsaved, channel, ""},
      {"the start copy touched, its mode changed and linked", true, [&] {
         chmod(copy.c_str(), 0600), fs::last_write_time(copy, fs::last_write_time(copy) + std::chrono::hours(1));
         fs::remove(Path("snap.XPR")), fs::create_hard_link(copy, Path("snap.XPR"));
       }, "A = 35.20 cm²", edited, channel, ""},
      {"a killed run's copy without a note", true, [] {}, "A = 67.20 cm²", unsaved, channel,
       "^bWARNUNG: " + copy + " ist die Kopie einer abgebrochenen Bearbeitung; sie wird nicht zurückgesetzt und als "_cp +
       copy + ".bak aufbewahrt!|", [&] { fs::remove(copy + ".bak"), Put("BSP1_01_TMP.XPR", channel); }},
      {"a longer text in the lock file, a touch", true, touch, "A = 35.20 cm²", edited, channel, "",
       [&] { Put("BSP1_01.LCK", "PF-SESSION 1 " + std::string(200, '9') + "\n"); }},
      {"no note, the .XPR an hour old", true, [&] {
         truncate(Path("BSP1_01.LCK").c_str(), 0);
         fs::last_write_time(Path("BSP1_01.XPR"), fs::last_write_time(Path("BSP1_01.INP")) - std::chrono::hours(1));
       }, "A = 35.20 cm²", edited, channel, ""},
      // Notes that are none (a NUL as a mark, version 0, text after the line end, a size past
      // the largest integer) and a version-1 note, which is read. Untouched, a note that is
      // none lists the start copy by the time rule, where one read would list the ".XPR"; a
      // version 0 in version 1's fields, with a touch, lists the ".XPR", where one read as
      // version 1 would list the start copy.
      {"a NUL as the start mark", true, renote([](std::string &n) { n[n.size() - 38] = '\0'; }, false),
       "A = 35.20 cm²", edited, channel, ""},
      {"version 0", true, renote(version_1_fields("0")), "A = 67.20 cm²", unsaved, channel, ""},
      {"text after the line end", true, renote([](std::string &n) { n += "x"; }), "A = 67.20 cm²", unsaved, channel, ""},
      {"a size past the largest integer", true, renote([&](std::string &n) {
         std::vector<std::string> f = fields(n);
         f[5] = "9223372036854775808";
         n = joined(f);
       }, false), "A = 35.20 cm²", edited, channel, ""},
      {"a version-1 note", true, renote(version_1_fields("1")), "A = 35.20 cm²", edited, channel, ""},
      // A killed run's note whose copy is gone: its change is listed as maybe unsaved.
      {"a killed run's change whose copy is gone", true, [] {}, "A = 67.20 cm²", unsaved, wide, "",
       killed_without_copy('c')},
      {"a stale u note whose copy is gone", true, [] {}, "A = 67.20 cm²", unsaved, wide, "", killed_without_copy('u')},
      // The member file replaced while the start makes its copies (a sync tool): the file read
      // is the session's where the exchange files are as the start left them; where that
      // program changed the ".XPR" too, nothing is put back over it.
      {"the member file replaced in the start", true, [] {}, "A = 35.20 cm²", edited, channel, "", [&] {
         g_meanwhile = [&] { Put("new.INP", inp), fs::rename(Path("new.INP"), Path("BSP1_01.INP")); };
       }},
      {"the member file replaced and the .XPR changed in the start", true, [] {}, "A = 67.20 cm²", unsaved, wide,
       Not_Reset("BSP1_01.XPR", true), [&] {
         g_meanwhile = [&] { Put("new.INP", inp), fs::rename(Path("new.INP"), Path("BSP1_01.INP")), Put("BSP1_01.XPR", wide); };
       }},
      // A kept file changed while a start makes its lock file: no run was killed, no box.
      {"a kept file changed in a start that made its lock file", true, [&] { fs::remove(Path("BSP1_01.XPR.bak")); },
       "A = 35.20 cm²", edited, channel, "", [&] {
         Put("BSP1_01.XPR.bak", "an older xpr\n");
         g_meanwhile = [&] { chmod(Path("BSP1_01.XPR.bak").c_str(), 0600); };
       }},
  };
  Host_Set_Replace_Sync_For_Tests(Sync_Meanwhile);
  for (const auto &row : rows) {
    SCOPED_TRACE(row.what);
    Host_Test_Reset();
    Put("BSP1_01.INP", inp);
    row.xpr_at_start ? Put("BSP1_01.XPR", channel) : (void)fs::remove(Path("BSP1_01.XPR"));
    row.before();
    ASSERT_EQ(Start(), -1);
    Put("BSP1_01.XPR", wide);
    row.change();
    EXPECT_EQ(Refresh_Elsewhere("BSP1"), 1);
    const std::string list = Plain_List(Get("BSP1_01.OLI"));
    EXPECT_NE(list.find(row.area), std::string::npos) << list;
    EXPECT_EQ((list.find(edited) != std::string::npos) + 2 * (list.find(unsaved) != std::string::npos),
              &row.note == &edited ? 1 : 2);
    EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
    EXPECT_EQ((Has("BSP1_01.XPR") ? Get("BSP1_01.XPR") : "none") + Said(1), row.xpr_after + row.said);
  }
  Host_Set_Replace_Sync_For_Tests(nullptr);

  // After a killed run the session shows, checks and saves the saved section: its record is
  // read once the killed run's copy is back (A = 35.20 cm², not the killed run's 67.20); one
  // that began without an ".XPR" has its ".XPR" kept aside, so that the member has no section.
  for (const bool xpr : {true, false}) {
    SCOPED_TRACE(xpr ? "an .XPR at the killed run's start" : "none at the killed run's start");
    Host_Test_Reset();
    Put("BSP1_01.INP", inp);
    fs::remove(Path("BSP1_01.XPR.bak")), fs::remove(copy);
    xpr ? Put("BSP1_01.XPR", channel) : (void)fs::remove(Path("BSP1_01.XPR"));
    In_Child([&] { return Start(), Put("BSP1_01.XPR", wide), std::string(); });
    ASSERT_EQ(Start(), -1);
    ASSERT_EQ(Write_Bauteil_Print_List(), 0);
    const std::string list = Plain_List(Get("BSP1_01.OLI"));
    EXPECT_NE(list.find(xpr ? "A = 35.20 cm²" : "Fehler beim Datencheck des Profils"), std::string::npos) << list;
    EXPECT_EQ(list.find("A = 67.20 cm²"), std::string::npos) << list;
    EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
    EXPECT_EQ(Get("BSP1_01.XPR.bak"), wide);
  }
}

// Two screen sessions on one member, the second in a child process: it is told that the
// member is being edited, makes no copies and puts nothing back when it leaves; a refresh
// before it takes no lock and leaves the copies; the first session's discarded change of the
// ".XPR" goes when it leaves. When the second one saves (its ".XPR", and an ".EXP" the member
// had not; also where the member had neither), the first one's end puts nothing back and
// removes nothing, and a box names each file. A session killed before its end leaves its
// copy, and its lock goes with its process: the next session keeps the copy as
// "_TMP.XPR.bak" (over an older one from before the member file's last save), names it and
// never puts it back; it makes its own copy where the ".XPR" is there, and where the killed
// run removed it, the ".XPR" this session writes goes at its end.
TEST_F(MemberFiles, TwoSessionsKeepTheirOwnStartCopies) {
  Copy_Example();
  Put("BSP1_01.XPR", "xpr at start\n");
  ASSERT_EQ(Start(), -1);
  Put("BSP1_01.XPR", "xpr of the first session\n");
  EXPECT_EQ(In_Child([this] {
              const std::string rcs = std::to_string(Refresh_Stem("BSP1"));
              Host_Test_Reset();
              const std::string started = rcs + std::to_string(Start()), told = started + Said(1);
              const std::string left = told + std::to_string(Screen(kEnd + kQuitRest));
              return left + Get("BSP1_01.XPR") + Get("BSP1_01_TMP.XPR");
            }),
            "1-1" + Bauteil_Other_Session_Note() + "|0xpr of the first session\nxpr at start\n");
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  EXPECT_EQ(Get("BSP1_01.XPR") + Said(1), "xpr at start\n");
  EXPECT_FALSE(Has("BSP1_01_TMP.XPR") || Has("BSP1_01.LCK"));

  for (const bool xpr : {true, false}) {
    SCOPED_TRACE(xpr ? "an .XPR at the start" : "no exchange file at the start");
    Host_Test_Reset();
    if (!xpr) fs::remove(Path("BSP1_01.XPR"));
    ASSERT_EQ(Start(), -1);
    Put("BSP1_01.XPR", "xpr of the first session\n");
    EXPECT_EQ(In_Child([this] {
                Host_Test_Reset();
                const std::string started = std::to_string(Start());
                Put("BSP1_01.XPR", "xpr of the second session\n");
                Put("BSP1_01.EXP", "exp of the second session\n");
                return started + std::to_string(Screen(kEnd + kSaveRest));
              }),
              "-11");
    EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
    EXPECT_EQ(Get("BSP1_01.XPR") + Get("BSP1_01.EXP"), "xpr of the second session\nexp of the second session\n");
    EXPECT_EQ(Said(1), Not_Reset("BSP1_01.XPR", true) + Not_Reset("BSP1_01.EXP", true));  // the same record
    EXPECT_FALSE(Has("BSP1_01_TMP.XPR") || Has("BSP1_01.LCK"));
    fs::remove(Path("BSP1_01.EXP"));
  }

  const std::string found = "^bWARNUNG: " + Path("BSP1_01_TMP.XPR") +
                            " ist die Kopie einer abgebrochenen Bearbeitung; sie wird nicht zurückgesetzt und "_cp;
  // Which file holds the saved state cannot be told where the ".XPR" differs from the copy.
  const std::string either = "; den gespeicherten Stand hält sie oder "_cp + Path("BSP1_01.XPR") + ", und " +
                             Path("BSP1_01.XPR") + " kann ungespeicherte Änderungen zeigen!|"_cp;
  auto killed = [&](const std::string &xpr) {  // a run killed after it changed (or removed) the ".XPR"
    In_Child([&] {
      Start();
      xpr.empty() ? (void)fs::remove(Path("BSP1_01.XPR")) : Put("BSP1_01.XPR", xpr);
      return std::string();
    });
  };
  // The killed run's note proves that nothing was saved since its start: its copy goes back,
  // and what it left in the ".XPR" is kept under a free name ("<file>.bak", …) that the box
  // gives; the older ".bak" of copies stays. Where the member was saved since, the copy is
  // kept as the ".bak" (over the older one from before the save) and never put back.
  auto put_back = [&](const std::string &kept, bool unknown = false, const std::string &x = ".XPR") {
    return "^bWARNUNG: Eine frühere Bearbeitung von "_cp + Path("BSP1_01.INP") + " endete ohne Speichern: " +
           Path("BSP1_01" + x) + (unknown ? " hat wieder den Stand vom Start jener Bearbeitung (aus "
                                          : " hat wieder den gespeicherten Stand (aus ") + Path("BSP1_01_TMP" + x) + ")" +
           (kept.empty() ? "!|" : "; ihr ungespeicherter Stand ist als " + Path(kept) + " aufbewahrt!|");
  };
  auto no_baks = [this] {
    for (const char *name : {"BSP1_01_TMP.XPR.bak", "BSP1_01_TMP.XPR.bak2", "BSP1_01.XPR.bak", "BSP1_01.XPR.bak2"})
      fs::remove(Path(name));
  };
  // A copy found that another user made (root only: the copy given away) proves nothing, nor
  // does one of other bytes than the note's hash; where the ".bak" of copies is a folder, the
  // copy goes to the free ".bak2" and the box does not call that folder the saved state. A
  // run killed after it put a copy back and kept the ".XPR", but before its box and note,
  // leaves the ".XPR.bak" to be named by the next start. A killed run that began without an
  // ".XPR" beside an older ".XPR.bak" has its ".XPR" kept as ".XPR.bak2".
  const std::string tmp = Path("BSP1_01_TMP.XPR");
  const struct {
    const char *what;
    std::string killed, said, bak, xpr, xpr_bak;  // killed: the ".XPR" the killed run left ("": removed)
    bool saved_since = false;
    std::function<void()> before = [] {}, after_kill = [] {};
    const char *also = "BSP1_01.XPR.bak2";  // one more file and its bytes after the session
    std::string also_bytes = "";
    bool root_only = false;
  } once[] = {
      {"removed by the killed run", "", put_back(""), "an older copy\n", "xpr at start\n", ""},
      {"changed by the killed run", "xpr of the killed run\n", put_back("BSP1_01.XPR.bak"), "an older copy\n",
       "xpr at start\n", "xpr of the killed run\n"},
      {"changed, the member saved since", "xpr of the killed run\n", found + "als " + Path("BSP1_01_TMP.XPR.bak") +
       " aufbewahrt" + either, "xpr at start\n", "xpr of the killed run\n", "", true},
      {"changed, the copy another user's", "xpr of the killed run\n", found + "als " + Path("BSP1_01_TMP.XPR.bak") +
       " aufbewahrt" + either, "xpr at start\n", "xpr of the killed run\n", "", false, [] {},
       [&] { EXPECT_EQ(chown(tmp.c_str(), 12345, 12345), 0); }, "BSP1_01.XPR.bak2", "", true},
      {"changed, the copy replaced by other bytes", "xpr of the killed run\n", found + "als " +
       Path("BSP1_01_TMP.XPR.bak") + " aufbewahrt" + either, "other bytes\n", "xpr of the killed run\n", "", false,
       [] {}, [&] { Put("BSP1_01_TMP.XPR", "other bytes\n"); }},
      {"changed, the member saved since, a folder at the copy's .bak", "xpr of the killed run\n", found + "als " +
       Path("BSP1_01_TMP.XPR.bak2") + " aufbewahrt" + either, "a folder", "xpr of the killed run\n", "", true,
       [&] { fs::remove(Path("BSP1_01_TMP.XPR.bak")), fs::create_directory(Path("BSP1_01_TMP.XPR.bak")); }, [] {},
       "BSP1_01_TMP.XPR.bak2", "xpr at start\n"},
      {"put back, then killed before its box", "xpr of the killed run\n", "^bWARNUNG: Eine frühere Bearbeitung von "_cp +
       Path("BSP1_01.INP") + " endete ohne Speichern; aufbewahrt sind "_cp + Path("BSP1_01.XPR.bak") + "!|",
       "an older copy\n", "xpr at start\n", "xpr of the killed run\n", false, [] {}, [&] {
         Put("BSP1_01.XPR.bak", Get("BSP1_01.XPR")), Put("BSP1_01.XPR", Get("BSP1_01_TMP.XPR"));
         fs::remove(tmp);
       }},
      {"made by a killed run beside an older .XPR.bak", "xpr of the killed run\n", "^bWARNUNG: " + Path("BSP1_01.XPR") +
       " ist nicht gespeichert: eine frühere Bearbeitung, die ohne die Datei begann, endete ohne Speichern; sie wird "
       "als "_cp + Path("BSP1_01.XPR.bak2") + " aufbewahrt!|", "an older copy\n", "none", "an older xpr\n", false,
       [&] { fs::remove(Path("BSP1_01.XPR")), Put("BSP1_01.XPR.bak", "an older xpr\n"); }, [] {}, "BSP1_01.XPR.bak2",
       "xpr of the killed run\n"},
  };
  for (const auto &o : once) {
    SCOPED_TRACE(o.what);
    if (o.root_only && geteuid() != 0) continue;  // only root can give a file away
    no_baks();
    Put("BSP1_01.XPR", "xpr at start\n");
    Put("BSP1_01_TMP.XPR.bak", "an older copy\n");
    fs::last_write_time(Path("BSP1_01_TMP.XPR.bak"), fs::last_write_time(Path("BSP1_01.INP")) - std::chrono::hours(1));
    o.before();
    killed(o.killed);
    o.after_kill();
    if (o.saved_since) Put("saved.INP", Get("BSP1_01.INP")), fs::rename(Path("saved.INP"), Path("BSP1_01.INP"));
    Host_Test_Reset();
    ASSERT_EQ(Start(), -1);
    Put("BSP1_01.XPR", "xpr of this session\n");
    EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
    EXPECT_EQ(Said(1), o.said);
    EXPECT_EQ(fs::is_directory(Path("BSP1_01_TMP.XPR.bak")) ? "a folder" : Get("BSP1_01_TMP.XPR.bak"), o.bak);
    EXPECT_EQ(Has("BSP1_01.XPR") ? Get("BSP1_01.XPR") : "none", o.xpr);
    EXPECT_EQ(Get("BSP1_01.XPR.bak"), o.xpr_bak);
    EXPECT_EQ(Get(o.also), o.also_bytes);
    EXPECT_FALSE(Has("BSP1_01_TMP.XPR"));
  }
  fs::remove(Path("BSP1_01_TMP.XPR.bak"));

  // A killed run's copy that this user may not write back (an ".XPR" it cannot read, or one
  // behind a link into a folder it cannot write, also where its ".bak" holds the killed run's
  // bytes already, which stays; an ".EXP" it cannot read; a child without root's override):
  // the file keeps its bytes, the copy stays, the box says so, and the note carries the copy
  // and its mark for a later holder (the lock file stays), which puts it back.
  const struct {
    const char *what, *x;  // x: the exchange file's ending
    bool link, bak_there;
  } carried[] = {
      {"not to be read", ".XPR", false, false},
      {"behind a link into a folder not to be written", ".XPR", true, false},
      {"behind such a link, its .bak holding the killed run's bytes", ".XPR", true, true},
      {"an .EXP not to be read", ".EXP", false, false},
  };
  for (const auto &c : carried) {
    SCOPED_TRACE(c.what);
    const std::string x = c.x, file = "BSP1_01" + x, bak = file + ".bak", copy = Path("BSP1_01_TMP" + x);
    no_baks(), fs::remove(Path(bak));
    fs::remove(Path("BSP1_01.XPR")), fs::remove(Path("BSP1_01.EXP")), fs::remove_all(Path("theirs"));
    if (c.link) {
      fs::create_directory(Path("theirs")), Put("theirs/x" + x, "xpr at start\n");
      fs::create_symlink("theirs/x" + x, Path(file));
      chmod(Path("theirs").c_str(), 0555);
    } else {
      Put(file, "xpr at start\n");
    }
    if (c.bak_there) Put(bak, "xpr of the killed run\n");
    In_Child([&] { return Start(), Put(file, "xpr of the killed run\n"), std::string(); });
    if (!c.link) chmod(Path(file).c_str(), 0);
    const std::string said = In_Child([this] {
      Host_Test_Reset(), Drop_Permission_Override(), Start();
      const std::string told = Said(1);
      return told + std::to_string(Screen(kEnd + kQuitRest));
    });
    EXPECT_EQ(said.rfind("^bWARNUNG: Eine frühere Bearbeitung von "_cp + Path("BSP1_01.INP") + " endete ohne Speichern: " +
                             Path(file) + " kann hier nicht zurückgesetzt werden ("_cp, 0), 0u) << said;
    EXPECT_NE(said.find(") und kann ungespeicherte Änderungen zeigen; den gespeicherten Stand hält "_cp + copy +
                        ", die bleibt!|0"),
              std::string::npos) << said;
    chmod(Path(file).c_str(), 0644), chmod(Path("theirs").c_str(), 0755);
    EXPECT_EQ(Get(file) + Get("BSP1_01_TMP" + x) + Get(bak),
              "xpr of the killed run\nxpr at start\n" + std::string(c.bak_there ? "xpr of the killed run\n" : ""));
    const std::string note = Get("BSP1_01.LCK");  // its mark of the file carried
    EXPECT_EQ(note.size() > 38 ? note.substr(0, 13) + note[note.size() - (x == ".XPR" ? 38 : 36)] : note, "PF-SESSION 2 c");
    Host_Test_Reset();
    ASSERT_EQ(Start(), -1);
    EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
    EXPECT_EQ(Said(1), put_back(bak, false, x));
    EXPECT_EQ(Get(file) + Get(bak), "xpr at start\nxpr of the killed run\n");
    EXPECT_FALSE(Has("BSP1_01_TMP" + x) || Has("BSP1_01.LCK"));
  }
  fs::remove(Path("BSP1_01.EXP")), fs::remove(Path("BSP1_01.EXP.bak"));
  fs::remove(Path("BSP1_01.XPR")), fs::remove_all(Path("theirs"));

  // Two runs killed in a row, each leaving its note: the second one put the first one's copy
  // back and kept its change as ".XPR.bak", so this session does the same for the second one
  // (a change of its own goes to ".XPR.bak2"; one that is the ".XPR.bak" already, or an
  // ".XPR" that holds the copy's bytes, is not kept twice, and a file that holds the saved
  // state is not written: no box). Without notes (an older version's empty lock file) the
  // first copy went to "_TMP.XPR.bak" and the second copy is not put back: it goes where the
  // ".XPR" holds its bytes, else to the free name "_TMP.XPR.bak2", and the box says which
  // copy holds the saved state; the ".XPR" is then copied and put back. Where only the first
  // one left no note (killed in its start), the second one kept its copy and marked its own
  // of unknown state: that copy goes back all the same, and the box does not call it saved.
  const std::string bak = Path("BSP1_01_TMP.XPR.bak"), first = "xpr of the first killed run\n";
  const std::string second = "xpr of the second killed run\n";
  const struct {
    const char *what;
    std::string xpr;  // the ".XPR" after the second killed run
    bool noted;
    char mark;  // the ".XPR"'s mark in this session's note: its copy is of the saved state ('c') or unknown
    std::string said, copy_and_xpr, baks, xpr_baks;  // baks: "_TMP.XPR.bak" and ".bak2"; xpr_baks: ".XPR.bak", ".bak2"
    bool first_in_start = false;  // the first one killed in its start, before its note
  } twice[] = {
      {"changed, the first killed in its start", second, true, 'u', put_back("BSP1_01.XPR.bak", true),
       "xpr at start\n", "xpr at start\n", second, true},
      {"left", first, true, 'c', put_back("BSP1_01.XPR.bak"), "xpr at start\n", "", first},
      {"changed", second, true, 'c', put_back("BSP1_01.XPR.bak2"), "xpr at start\n", "", first + second},
      {"put back by hand", "xpr at start\n", true, 'c', "", "xpr at start\n", "", first},
      {"left, no note", first, false, 'u', found + "gelöscht, da "_cp + Path("BSP1_01.XPR") + " dieselben Bytes hält ("_cp +
       bak + " bleibt)!|", first, "xpr at start\n", ""},
      {"changed, no note", second, false, 'u', found + "als " + bak + "2 aufbewahrt; den gespeicherten Stand hält die "
       "frühere Kopie "_cp + bak + "! " + Path("BSP1_01.XPR") + " kann ungespeicherte Änderungen zeigen.|"_cp, second,
       "xpr at start\n" + first, ""},
      {"put back by hand, no note", "xpr at start\n", false, 'u', found + "als " + bak + " aufbewahrt" + either,
       "xpr at start\n", first, ""},
  };
  for (const auto &t : twice) {
    SCOPED_TRACE(std::string("the .XPR after the second killed run: ") + t.what);
    Put("BSP1_01.XPR", "xpr at start\n");
    no_baks();
    if (t.first_in_start)
      In_Child([this] { return Start(), truncate(Path("BSP1_01.LCK").c_str(), 0), std::string(); });
    for (const std::string &xpr : t.first_in_start ? std::vector<std::string>{t.xpr} : std::vector{first, t.xpr}) {
      killed(xpr);
      if (!t.noted) truncate(Path("BSP1_01.LCK").c_str(), 0);
    }
    Host_Test_Reset();
    ASSERT_EQ(Start(), -1);
    char text[256] = {};  // the note, read through the session's own descriptor, which keeps its locks
    const std::string note(text, std::max<ssize_t>(pread(Stahl_EC3_Run().lock_fd, text, sizeof text, 0), 0));
    EXPECT_EQ(note.size() > 38 ? note.substr(0, 13) + note[note.size() - 38] : note, "PF-SESSION 2 " + std::string(1, t.mark));
    Put("BSP1_01.XPR", "xpr of this session\n");
    EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
    EXPECT_EQ(Said(1), t.said);
    EXPECT_EQ(Get("BSP1_01_TMP.XPR.bak") + Get("BSP1_01_TMP.XPR.bak2"), t.baks);
    EXPECT_EQ(Get("BSP1_01.XPR.bak") + Get("BSP1_01.XPR.bak2"), t.xpr_baks);
    EXPECT_EQ(Get("BSP1_01_TMP.XPR") + Get("BSP1_01.XPR"), t.copy_and_xpr);
  }
  no_baks();

  // The lock file removed while a session runs: the next session makes a new one and keeps
  // the first one's copy as its ".bak"; the first one's end names where its start copy went.
  Put("BSP1_01.XPR", "xpr at start\n");
  fs::remove(Path("BSP1_01_TMP.XPR")), fs::remove(Path("BSP1_01_TMP.XPR.bak"));
  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  fs::remove(Path("BSP1_01.LCK"));
  In_Child([this] { Host_Test_Reset(), Start(), Screen(kEnd + kQuitRest); return std::string(); });
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  EXPECT_EQ(Said(1), "^bWARNUNG: " + Path("BSP1_01.XPR") + " kann nicht zurückgesetzt werden: die Kopie vom Start ("_cp +
                         Path("BSP1_01_TMP.XPR") + ") wurde von einer anderen Bearbeitung als " +
                         Path("BSP1_01_TMP.XPR.bak") + " aufbewahrt!|");
  EXPECT_EQ(Get("BSP1_01_TMP.XPR.bak"), "xpr at start\n");
  // The same where the first session had no ".XPR" at its start and the second one, held
  // open across the first one's end, made one: it stays.
  fs::remove(Path("BSP1_01.XPR"));
  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  fs::remove(Path("BSP1_01.LCK"));
  Held_Child maker(dir_ + "/../held.out", [this] {
    Host_Test_Reset();
    const std::string rc = std::to_string(Start());
    return Put("BSP1_01.XPR", "xpr of the second session\n"), rc;
  }, [] { return std::string(); });
  EXPECT_EQ(maker.First(), "-1");
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  EXPECT_EQ(Get("BSP1_01.XPR"), "xpr of the second session\n");
  maker.Go();
}

// A second session held open across the first one's end (the ".XPR" changed, or made where
// there was none): the first one puts nothing back and removes nothing, keeps its start copy
// as "_TMP.XPR.bak", names each file in a box and leaves the lock file; a refresh meanwhile is
// told that the member is being edited; the second one's quit puts nothing back either. A
// later session keeps an ".XPR" that the noted first one had not at its start as ".XPR.bak".
// An older version's lock on the whole file conflicts as a holder's does.
TEST_F(MemberFiles, ASecondSessionRunsAcrossTheFirstOnesEnd) {
  Copy_Example();
  const std::string running = " wird nicht zurückgesetzt: eine andere Bearbeitung von "_cp + Path("BSP1_01.INP") +
                              " läuft noch"_cp;
  for (const bool xpr : {true, false}) {
    SCOPED_TRACE(xpr ? "the .XPR changed" : "an .XPR made");
    Host_Test_Reset();
    fs::remove(Path("BSP1_01_TMP.XPR.bak"));
    xpr ? Put("BSP1_01.XPR", "xpr at start\n") : (void)fs::remove(Path("BSP1_01.XPR"));
    ASSERT_EQ(Start(), -1);
    Put("BSP1_01.XPR", "xpr of the first session\n");
    Held_Child second(dir_ + "/../held.out", [this] {
      Host_Test_Reset();
      const std::string rc = std::to_string(Start());
      Put("BSP1_01.XPR", "xpr of the second session\n");
      return rc + Said(1);
    }, [this] {
      Host_Clear_Messages();
      const std::string left = std::to_string(Screen(kEnd + kQuitRest));
      return left + Said(1);
    });
    EXPECT_EQ(second.First(), "-1" + Bauteil_Other_Session_Note() + "|");
    EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
    EXPECT_EQ(Said(1), "^bWARNUNG: " + Path("BSP1_01.XPR") + running +
                           (xpr ? "; der Stand vom Start ist als " + Path("BSP1_01_TMP.XPR.bak") + " aufbewahrt!|"
                                : "; beim Start gab es die Datei nicht!|"));
    EXPECT_EQ(Get("BSP1_01_TMP.XPR.bak"), xpr ? "xpr at start\n" : "");
    EXPECT_TRUE(Has("BSP1_01.LCK") && !Has("BSP1_01_TMP.XPR"));
    EXPECT_EQ(Refresh_Elsewhere("BSP1"), 1);
    EXPECT_NE(Plain_List(Get("BSP1_01.OLI")).find(Cp850_To_Utf8(STAHL_EC3_NOTE_EDITED)), std::string::npos);
    if (xpr) {  // the next holder while the second one runs: the ".bak" kept at that end is no killed run's
      Host_Test_Reset();
      ASSERT_EQ(Start(), -1);
      EXPECT_EQ(std::to_string(Stahl_EC3_Run().session) + Said(1), "1");
      Remove_Work_Files();
    }
    EXPECT_EQ(second.Go(), "0");
    EXPECT_EQ(Get("BSP1_01.XPR"), "xpr of the second session\n");
  }
  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  EXPECT_EQ(Said(1), "^bWARNUNG: " + Path("BSP1_01.XPR") + " ist nicht gespeichert: eine frühere Bearbeitung, die "_cp +
                         "ohne die Datei begann, endete ohne Speichern; sie wird als " + Path("BSP1_01.XPR.bak") +
                         " aufbewahrt!|");
  EXPECT_EQ(Get("BSP1_01.XPR.bak"), "xpr of the second session\n");
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  EXPECT_FALSE(Has("BSP1_01.XPR") || Has("BSP1_01.LCK"));
  // Such a note of a killed run, but the member saved since: the ".XPR" is that save's.
  In_Child([this] { Start(), Put("BSP1_01.XPR", "xpr of the killed run\n"); return std::string(); });
  Put("saved.INP", Get("BSP1_01.INP")), fs::rename(Path("saved.INP"), Path("BSP1_01.INP"));
  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  EXPECT_EQ(Said(1) + Get("BSP1_01.XPR"), "xpr of the killed run\n");

  // A holder killed while a second session is held open: a third start holds the lock but
  // puts nothing back over the second one's ".XPR", at its start or at its end.
  fs::remove(Path("BSP1_01_TMP.XPR.bak")), fs::remove(Path("BSP1_01_TMP.XPR.bak2"));
  Put("BSP1_01.XPR", "xpr at start\n");
  {
    Held_Child holder(dir_ + "/../holder.out", [this] {
      Host_Test_Reset();
      const std::string rc = std::to_string(Start());
      return Put("BSP1_01.XPR", "xpr of the killed holder\n"), rc;
    }, [] { return std::string(); });
    EXPECT_EQ(holder.First(), "-1");
    Held_Child second(dir_ + "/../held.out", [this] {
      Host_Test_Reset();
      const std::string rc = std::to_string(Start());
      return Put("BSP1_01.XPR", "xpr of the second session\n"), rc;
    }, [this] { return Host_Clear_Messages(), std::to_string(Screen(kEnd + kQuitRest)); });
    EXPECT_EQ(second.First(), "-1");
    holder.Kill();
    Host_Test_Reset();
    ASSERT_EQ(Start(), -1);
    EXPECT_EQ(Stahl_EC3_Run().session, STAHL_EC3_SESSION_LOCKED);
    EXPECT_EQ(Get("BSP1_01.XPR"), "xpr of the second session\n");
    EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
    EXPECT_EQ(Get("BSP1_01.XPR"), "xpr of the second session\n");
    EXPECT_EQ(second.Go(), "0");
    EXPECT_EQ(Get("BSP1_01.XPR"), "xpr of the second session\n");
  }
  fs::remove(Path("BSP1_01_TMP.XPR")), fs::remove(Path("BSP1_01_TMP.XPR.bak")), fs::remove(Path("BSP1_01_TMP.XPR.bak2"));
  fs::remove(Path("BSP1_01.LCK"));

  Held_Child older(dir_ + "/../held.out", [this] {
    struct flock whole = {};
    whole.l_type = F_WRLCK;
    return std::to_string(fcntl(open(Path("BSP1_01.LCK").c_str(), O_RDWR | O_CREAT, 0666), F_SETLK, &whole));
  }, [] { return std::string(); });
  EXPECT_EQ(older.First(), "0");
  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  EXPECT_EQ(Said(1), Bauteil_Other_Session_Note() + "|");
  older.Go();

  // An ".XPR" that nobody changed by the first one's end: the box says that it still holds
  // the start state, which is kept as "_TMP.XPR.bak" all the same (the second session may
  // change the file later).
  Put("BSP1_01.XPR", "xpr at start\n");
  fs::remove(Path("BSP1_01_TMP.XPR.bak"));
  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  Held_Child unchanged(dir_ + "/../held.out", [this] { Host_Test_Reset(); return std::to_string(Start()); },
                       [] { return std::string(); });
  EXPECT_EQ(unchanged.First(), "-1");
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  EXPECT_EQ(Said(1), "^bWARNUNG: " + Path("BSP1_01.XPR") + running + "; die Datei hat noch den Stand vom Start, der "
                         "auch als "_cp + Path("BSP1_01_TMP.XPR.bak") + " aufbewahrt ist!|");
  EXPECT_EQ(Get("BSP1_01_TMP.XPR.bak"), "xpr at start\n");
  unchanged.Go();

  // A holder whose end is slow (each sync of its put-back 0.9 s, as on a slow share): a
  // session that starts meanwhile waits for it, says so on standard error after half a
  // second, and then holds the lock (and ends as after a save); past the bound of its wait
  // (here 0.2 s) it runs as another session, says so in a box and writes its ".XPR" and
  // ".EXP" at once, as its section program would, and saves: the end puts nothing back over
  // them. The lock file stays while it runs, so that the next holder sees it too: its quit
  // leaves what the late session wrote since. A holder that keeps bytes 0 and 1 for 200 ms
  // and then ends is waited for as well.
  const std::string out = dir_ + "/../start";
  static std::function<void(int)> g_start;  // the start k during the holder's end, in a child
  static pid_t g_starts[2];
  static int g_late[2][2];  // the late session's pipes: it is ready; it may end
  g_starts[0] = g_starts[1] = 0;
  ASSERT_TRUE(pipe(g_late[0]) == 0 && pipe(g_late[1]) == 0);
  g_start = [&](int k) {
    Host_Set_Replace_Sync_For_Tests(nullptr);  // this run's own writes are not slow
    Host_Test_Reset();
    Set_Session_End_Wait_For_Tests(k ? 0.2 : -1);
    testing::internal::CaptureStderr();
    Start();
    const std::string err = testing::internal::GetCapturedStderr();
    std::string said = std::to_string(Stahl_EC3_Run().session) + Said(1);
    said += std::to_string(err.find("is ending; waiting") != std::string::npos);
    if (k == 0) Remove_Work_Files();
    if (k == 1) {
      Put("BSP1_01.XPR", "xpr of the late session\n"), Put("BSP1_01.EXP", "exp of the late session\n");
      said += std::to_string(Save_Bauteil_Member());
    }
    test_files::Put(out + std::to_string(k), said);
    char c = 0;
    if (k == 1 && write(g_late[0][1], &c, 1) == 1) close(g_late[1][1]), (void)!read(g_late[1][0], &c, 1);
    _exit(0);
  };
  HOST_SYNC Slow_Sync = [](int fd) {
    for (int k = 0; k < 2 && !g_starts[1]; ++k)
      if ((g_starts[k] = fork()) == 0) g_start(k);
    usleep(900000);
    return fsync(fd);
  };
  Put("BSP1_01.XPR", "xpr at start\n");
  fs::remove(Path("BSP1_01_TMP.XPR.bak")), fs::remove(Path("BSP1_01.LCK"));
  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  Put("BSP1_01.XPR", "xpr of the session\n");
  const HOST_SYNC old_sync = Host_Set_Replace_Sync_For_Tests(Slow_Sync);
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  Host_Set_Replace_Sync_For_Tests(old_sync);
  char late = 0;
  EXPECT_EQ(read(g_late[0][0], &late, 1), 1);  // the late session saved; it runs on
  waitpid(g_starts[0], nullptr, 0);
  EXPECT_EQ(Slurp(out + "0"), "11");
  EXPECT_EQ(Slurp(out + "1"), "2^bWARNUNG: Die Eingabedatei " + Path("BSP1_01.INP") + " wird gerade in einer anderen "
                                "Bearbeitung bearbeitet, deren Ende nach 0.2 s noch nicht abgeschlossen ist; ihr Ende "
                                "setzt von jetzt an nichts mehr zurück, und beenden ohne zu speichern setzt hier nichts "
                                "zurück!|00"_cp);
  EXPECT_EQ(Get("BSP1_01.XPR") + Get("BSP1_01.EXP"), "xpr of the late session\nexp of the late session\n");
  EXPECT_TRUE(Has("BSP1_01.LCK"));
  EXPECT_EQ(Refresh_Elsewhere("BSP1"), 1);  // the late session alone is one that edits the member
  EXPECT_NE(Plain_List(Get("BSP1_01.OLI")).find(Cp850_To_Utf8(STAHL_EC3_NOTE_EDITED)), std::string::npos);
  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  EXPECT_EQ(Stahl_EC3_Run().session, STAHL_EC3_SESSION_LOCKED);
  Put("BSP1_01.XPR", "xpr of the late session, later\n");
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  EXPECT_EQ(Said(1), "^bWARNUNG: " + Path("BSP1_01.XPR") + running + "; der Stand vom Start ist als " +
                         Path("BSP1_01_TMP.XPR.bak") + " aufbewahrt!|^bWARNUNG: " + Path("BSP1_01.EXP") + running +
                         "; die Datei hat noch den Stand vom Start, der auch als "_cp + Path("BSP1_01_TMP.EXP.bak") +
                         " aufbewahrt ist!|");
  EXPECT_EQ(Get("BSP1_01.XPR") + Get("BSP1_01.EXP"), "xpr of the late session, later\nexp of the late session\n");
  for (const int fd : {g_late[0][0], g_late[0][1], g_late[1][0], g_late[1][1]}) close(fd);  // the late session ends
  waitpid(g_starts[1], nullptr, 0);
  for (const char *name : {"BSP1_01_TMP.XPR.bak", "BSP1_01_TMP.EXP.bak", "BSP1_01.LCK", "BSP1_01.EXP"}) fs::remove(Path(name));
  // A save that lands while the holder's put-back is under way (here: in the sync of the
  // ".XPR"'s replace): the ".EXP" is not put back over it, and its start state is kept; one
  // that was not there at the start stays where the session made it, with a box, and where it
  // is still not there, there is nothing to say.
  const struct {
    std::string at_start, of_session, said, kept;  // "": none
  } meanwhile[] = {
      {"exp at start\n", "exp of the session\n", "; der Stand vom Start ist als " + Path("BSP1_01_TMP.EXP.bak") +
       " aufbewahrt!|", "exp at start\n"},
      {"", "", "", ""},
      {"", "exp of the session\n", "!|", ""},
  };
  for (const auto &m : meanwhile) {
    SCOPED_TRACE(m.at_start + "/" + m.of_session);
    Put("BSP1_01.XPR", "xpr at start\n"), fs::remove(Path("BSP1_01.EXP"));
    if (!m.at_start.empty()) Put("BSP1_01.EXP", m.at_start);
    Host_Test_Reset();
    ASSERT_EQ(Start(), -1);
    Put("BSP1_01.XPR", "xpr of the session\n");
    if (!m.of_session.empty()) Put("BSP1_01.EXP", m.of_session);
    g_meanwhile = [this] { Put("saved.INP", Get("BSP1_01.INP")), fs::rename(Path("saved.INP"), Path("BSP1_01.INP")); };
    Host_Set_Replace_Sync_For_Tests(Sync_Meanwhile);
    EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
    Host_Set_Replace_Sync_For_Tests(old_sync);
    EXPECT_EQ(Said(1), m.said.empty() ? "" : "^bWARNUNG: " + Path("BSP1_01.EXP") + " wird nicht zurückgesetzt: die "
                                            "Eingabedatei "_cp + Path("BSP1_01.INP") + " wurde seit dem Lesen von einer "
                                            "anderen Bearbeitung gespeichert" + m.said);
    EXPECT_EQ(Get("BSP1_01.XPR") + Get("BSP1_01.EXP") + "|" + Get("BSP1_01_TMP.EXP.bak"),
              "xpr at start\n" + m.of_session + "|" + m.kept);
    fs::remove(Path("BSP1_01_TMP.EXP.bak"));
  }
  fs::remove(Path("BSP1_01.EXP"));
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t holder = fork();
  if (holder == 0) {
    struct flock ending = {};
    ending.l_type = F_WRLCK, ending.l_len = 2;
    const char c = static_cast<char>('0' + fcntl(open(Path("BSP1_01.LCK").c_str(), O_RDWR | O_CREAT, 0666), F_SETLK, &ending));
    if (write(ready[1], &c, 1) == 1) usleep(200000);
    _exit(0);
  }
  char c = 0;
  EXPECT_TRUE(read(ready[0], &c, 1) == 1 && c == '0');
  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  EXPECT_EQ(Stahl_EC3_Run().session, STAHL_EC3_SESSION_LOCKED);
  waitpid(holder, nullptr, 0);
  close(ready[0]), close(ready[1]);
}

// No lock to be had (a folder or a FIFO in the lock file's place): each session says why in a
// box, and the second one leaves the first one's start copy alone (its box says how to get
// out) and puts nothing back, so that after both leave without saving the ".XPR" is as at the
// start; the folder and the FIFO stay what they are. The lock file that a session makes can
// be opened by every user; one put in place of it during the session (another session's)
// outlives the session's end. A second user who cannot open the lock file for writing (mode
// 0444, a child without root's override) is still told that the member is being edited; one
// that nobody holds is read-locked by such a user, whose box names the cause, a refresh
// meanwhile says that the member is being edited, and the file keeps its inode.
TEST_F(MemberFiles, SessionsWithoutTheirLockFile) {
  Copy_Example();
  Put("BSP1_01.XPR", "xpr at start\n");
  fs::create_directory(Path("BSP1_01.LCK"));
  ASSERT_EQ(Start(), -1);
  const std::string lck = Path("BSP1_01.LCK");
  auto no_lock = [&](const std::string &cause) {
    return "^bWARNUNG: Die Eingabedatei " + Path("BSP1_01.INP") + " kann für diese Bearbeitung nicht gesperrt werden ("_cp +
           lck + ": " + cause + "); eine andere Bearbeitung wird nicht bemerkt!|";
  };
  EXPECT_EQ(Said(1), no_lock(std::strerror(EISDIR)));
  Put("BSP1_01.XPR", "xpr of the first session\n");
  EXPECT_EQ(In_Child([this] {
              Host_Test_Reset();
              Start();
              Put("BSP1_01.XPR", "xpr of the second session\n");
              const std::string said = Said(1);
              const std::string ended = said + std::to_string(Screen(kEnd + kQuitRest));
              return ended + Get("BSP1_01.XPR");
            }),
            no_lock(std::strerror(EISDIR)) + "^bWARNUNG: " + Path("BSP1_01_TMP.XPR") + " ist die Kopie einer anderen oder abgebrochenen " +
                "Bearbeitung; " + Path("BSP1_01.XPR") + " wird hier nicht zurückgesetzt! Läuft keine andere Bearbeitung, "_cp +
                "kann die Kopie gelöscht werden.|0xpr of the second session\n"_cp);
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  EXPECT_EQ(Get("BSP1_01.XPR"), "xpr at start\n");
  EXPECT_TRUE(fs::is_directory(Path("BSP1_01.LCK")) && !Has("BSP1_01_TMP.XPR"));
  fs::remove(lck);
  ASSERT_EQ(mkfifo(lck.c_str(), 0644), 0);  // a FIFO: its cause, and it stays a FIFO
  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  EXPECT_EQ(Said(1), no_lock("not a regular file"));
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  EXPECT_EQ(fs::symlink_status(lck).type(), fs::file_type::fifo);
  fs::remove(lck);

  Put("BSP1_01.LCK", "");
  chmod(lck.c_str(), 0444);
  struct stat made, put;
  ASSERT_EQ(stat(lck.c_str(), &put), 0);
  EXPECT_EQ(In_Child([&] {
              Host_Test_Reset();
              Drop_Permission_Override();
              const std::string rc = std::to_string(Start()), started = rc + Said(1);
              const std::string said = started + std::to_string(Refresh_Elsewhere("BSP1"));
              const bool edited = Plain_List(Get("BSP1_01.OLI")).find(Cp850_To_Utf8(STAHL_EC3_NOTE_EDITED)) != std::string::npos;
              return said + std::to_string(edited) + std::to_string(Screen(kEnd + kQuitRest));
            }),
            "-1" + no_lock(std::strerror(EACCES)) + "110");
  EXPECT_TRUE(stat(lck.c_str(), &made) == 0 && made.st_ino == put.st_ino);
  // Such a user's session held open while a second one changes the ".XPR": its end puts
  // nothing back, and its box says that another session still runs.
  Held_Child reader(dir_ + "/../held.out", [this] { Host_Test_Reset(), Drop_Permission_Override(); return std::to_string(Start()); },
                    [this] {
                      Host_Clear_Messages();
                      const std::string rc = std::to_string(Screen(kEnd + kQuitRest));
                      return rc + Said(1);
                    });
  EXPECT_EQ(reader.First(), "-1");
  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  Put("BSP1_01.XPR", "xpr of the second session\n");
  EXPECT_NE(reader.Go().find("^bWARNUNG: " + Path("BSP1_01.XPR") + " wird nicht zurückgesetzt: eine andere "_cp), std::string::npos);
  EXPECT_EQ(Get("BSP1_01.XPR"), "xpr of the second session\n");

  fs::remove(Path("BSP1_01.LCK"));
  Host_Test_Reset();
  const mode_t mask = umask(022);
  ASSERT_EQ(Start(), -1);
  umask(mask);
  ASSERT_EQ(stat(Path("BSP1_01.LCK").c_str(), &made), 0);
  EXPECT_EQ(made.st_mode & 0777, 0666u);
  chmod(Path("BSP1_01.LCK").c_str(), 0444);
  EXPECT_EQ(In_Child([this] { Host_Test_Reset(); Drop_Permission_Override(); Start(); return Said(1); }),
            Bauteil_Other_Session_Note() + "|");
  fs::remove(Path("BSP1_01.LCK"));
  Put("BSP1_01.LCK", "");
  ASSERT_EQ(stat(Path("BSP1_01.LCK").c_str(), &put), 0);
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  EXPECT_EQ(stat(Path("BSP1_01.LCK").c_str(), &made), 0);
  EXPECT_EQ(made.st_ino, put.st_ino);

  // An ".XPR" that this user cannot replace (a link into another user's folder, no root
  // override), left as it was: the end writes nothing and leaves no copy.
  fs::remove(lck), fs::remove(Path("BSP1_01.XPR")), fs::create_directory(Path("theirs"));
  Put("theirs/x.XPR", "xpr at start\n");
  fs::create_symlink("theirs/x.XPR", Path("BSP1_01.XPR"));
  chmod(Path("theirs").c_str(), 0555);
  EXPECT_EQ(In_Child([this] {
              Host_Test_Reset();
              Drop_Permission_Override();
              Start();
              const std::string rc = std::to_string(Screen(kEnd + kQuitRest));
              return rc + std::to_string(Has("BSP1_01_TMP.XPR"));
            }),
            "00");
  chmod(Path("theirs").c_str(), 0755);
  fs::remove(Path("BSP1_01.XPR")), Put("BSP1_01.XPR", "xpr at start\n");

  // A lock file that is a member file too (a hard link of the ".INP", the ".XPR" or the
  // ".TXT") is neither locked nor written: the session runs without the lock, its box names
  // the cause, and the file keeps its bytes (read in a child: a read and close here would let
  // this process's locks go). A hard-link snapshot of the lock file under another name leaves
  // the lock working, and a maker's temporary left beside an empty lock file is swept, so
  // that the note is written.
  // So is a lock file that has one of the member's free names as well (a ".bak" that a
  // holder would read when it looks for a free name).
  for (const char *name : {"BSP1_01.INP", "BSP1_01.XPR", "BSP1_01.TXT", "BSP1_01.XPR.bak", "BSP1_01.XPR.bak2",
                           "BSP1_01_TMP.XPR.bak2"}) {
    SCOPED_TRACE(name);
    if (!Has(name)) Put(name, "");
    const std::string bytes = Get(name);
    fs::remove(lck), fs::create_hard_link(Path(name), lck);
    Host_Test_Reset();
    ASSERT_EQ(Start(), -1);
    EXPECT_EQ(Said(1), no_lock("dieselbe Datei wie " + Path(name)));
    EXPECT_EQ(In_Child([&] { return Get(name); }), bytes);
    EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
    EXPECT_EQ(Get(name), bytes);
  }
  for (const char *name : {"BSP1_01.XPR.bak", "BSP1_01.XPR.bak2", "BSP1_01_TMP.XPR.bak2"}) fs::remove(Path(name));
  // An ".XPR" that is a link to the lock file (which has then one name only): the same.
  const std::string xpr = Get("BSP1_01.XPR");
  fs::remove(lck), Put("BSP1_01.LCK", ""), fs::remove(Path("BSP1_01.XPR"));
  fs::create_symlink("BSP1_01.LCK", Path("BSP1_01.XPR"));
  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  EXPECT_EQ(Said(1), no_lock("dieselbe Datei wie " + Path("BSP1_01.XPR")));
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  fs::remove(Path("BSP1_01.XPR")), fs::remove(lck), Put("BSP1_01.XPR", xpr);
  // A snapshot made before the start, in another folder or in the member's under a name that
  // is not the member's: the lock works, and its file stays empty (no note).
  fs::create_directory(Path("early"));
  for (const char *name : {"early/BSP1_01.LCK", "Kopie von BSP1_01.LCK"}) {
    SCOPED_TRACE(name);
    Put("BSP1_01.LCK", "");
    fs::create_hard_link(lck, Path(name));
    Host_Test_Reset();
    ASSERT_EQ(Start(), -1);
    EXPECT_EQ(Stahl_EC3_Run().session, STAHL_EC3_SESSION_LOCKED);
    EXPECT_EQ(In_Child([this] { return Get("BSP1_01.LCK"); }), "");
    EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
    fs::remove(lck), fs::remove(Path(name));
  }
  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  fs::create_directory(Path("snapshot")), fs::create_hard_link(lck, Path("snapshot/BSP1_01.LCK"));
  EXPECT_EQ(In_Child([this] { Host_Test_Reset(); Start(); return Said(1); }), Bauteil_Other_Session_Note() + "|");
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
  Put("BSP1_01.LCK", "");
  std::string temp = Host_Replace_Temp_Pattern(lck);
  temp.replace(temp.size() - 6, 6, "Ab12Cd");
  fs::create_hard_link(lck, temp);
  Host_Test_Reset();
  ASSERT_EQ(Start(), -1);
  EXPECT_FALSE(fs::exists(temp));
  EXPECT_EQ(In_Child([this] { return Get("BSP1_01.LCK").substr(0, 13); }), "PF-SESSION 2 ");
  EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
}

// Links that another user of a shared folder plants in the names of the program's own copies
// are never followed: a dangling "_TMP.XPR" is a found copy (a session with the lock keeps the
// link itself as "_TMP.XPR.bak" and makes its copy, one without the lock leaves it), and a
// dangling ".INP.bak" is replaced by the kept member file. Nothing outside the member folder
// is created, written or removed, not even a stale temporary file beside a link's target.
TEST_F(MemberFiles, WorkCopiesNeverFollowLinks) {
  Copy_Example();
  const std::string outside = dir_ + "-outside", stale = outside + "/x.~pf-tmp-Ab12Cd";
  fs::remove_all(outside);
  fs::create_directories(outside);
  test_files::Put(stale, "half");
  fs::last_write_time(stale, fs::last_write_time(stale) - std::chrono::hours(1));
  for (const bool locked : {true, false}) {
    SCOPED_TRACE(locked ? "with the lock" : "without a lock");
    Host_Test_Reset();
    Put("BSP1_01.XPR", "xpr at start\n");
    fs::create_symlink(outside + "/x", Path("BSP1_01_TMP.XPR"));
    if (!locked) fs::create_directory(Path("BSP1_01.LCK"));
    if (locked) fs::create_symlink(outside + "/z", Path("BSP1_01_TMP.XPR.bak"));  // a dangling link beside it
    ASSERT_EQ(Start(), -1);
    Put("BSP1_01.XPR", "xpr of the session\n");
    EXPECT_EQ(Screen(kEnd + kQuitRest), 0);
    EXPECT_NE(Said(1).find(locked ? "als " + Path("BSP1_01_TMP.XPR.bak") + " aufbewahrt!" : "gelöscht werden."_cp),
              std::string::npos) << Said(1);
    EXPECT_TRUE(fs::is_symlink(Path(locked ? "BSP1_01_TMP.XPR.bak" : "BSP1_01_TMP.XPR")));
    EXPECT_EQ(Get("BSP1_01.XPR"), locked ? "xpr at start\n" : "xpr of the session\n");
    fs::remove(Path("BSP1_01_TMP.XPR")), fs::remove(Path("BSP1_01_TMP.XPR.bak")), fs::remove(Path("BSP1_01.LCK"));
  }
  Host_Test_Reset();
  Put("BSP1_01.INP", " 2\n kaputt\n");
  fs::create_symlink(outside + "/y", Path("BSP1_01.INP.bak"));
  ASSERT_EQ(Start(), -1);
  EXPECT_EQ(Screen(kEnd + kSaveRest), 1);
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(Path("BSP1_01.INP.bak"))));
  EXPECT_EQ(Get("BSP1_01.INP.bak"), " 2\n kaputt\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(outside), fs::directory_iterator()), 1);
  EXPECT_TRUE(fs::exists(stale));
  fs::remove_all(outside);
}

// A save over a member file that cannot be kept or replaced names its own cause, and the file
// stays: a FIFO, a folder, a link to a FIFO (for a link to a device, which a test never hands
// to a writer: as root a broken rule would replace it), a file past the input cap, and an
// unreadable file whose ".INP.bak" meets a full disk.
TEST_F(MemberFiles, SaveOverAnOddMemberFileNamesItsCause) {
  const std::string inp = Path("BSP1_01.INP");
  const struct {
    const char *what;
    std::function<int()> make;
    fs::file_type type;
    std::string cause;
  } cases[] = {
      {"fifo", [&] { return mkfifo(inp.c_str(), 0644); }, fs::file_type::fifo, "not a regular file"},
      {"folder", [&] { return mkdir(inp.c_str(), 0755); }, fs::file_type::directory, std::strerror(EISDIR)},
      {"link to a fifo", [&] { return mkfifo(Path("fifo").c_str(), 0644) + symlink("fifo", inp.c_str()); },
       fs::file_type::symlink, "not a regular file"},
      {"past the cap", [&] { return Copy_Example(), truncate(inp.c_str(), (off_t{64} << 20) + 1); },  // sparse
       fs::file_type::regular, "larger than 64 MiB"},
      {"full disk", [&] { return Put("BSP1_01.INP", " 2\n kaputt\n"), 0; }, fs::file_type::regular,
       inp + ".bak: " + std::strerror(EFBIG)},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    Host_Test_Reset();
    Fresh_Folder();
    ASSERT_EQ(c.make(), 0);
    ASSERT_EQ(Start(), -1);
    {
      test_files::FileSizeCap cap(4);
      EXPECT_EQ(Screen(kEnd + kSaveRest), 0);
    }
    EXPECT_NE(Said(1).find("gespeichert werden (" + c.cause + ")"), std::string::npos) << Said(1);
    EXPECT_EQ(fs::symlink_status(inp).type(), c.type);
    EXPECT_FALSE(Has("BSP1_01.INP.bak"));
  }
}

// "speichern und beenden": the save first, then the list. A list that cannot be written (a
// folder in its place) gets a box with the cause, and the run still ends as saved; a member
// unreadable at start has its checks in the list once saved; a save that fails (a full disk)
// names its cause and writes no list; the refresh road names the cause of a list or plot
// file that cannot be written on standard error.
TEST_F(MemberFiles, SavesSayWhatHappened) {
  Copy_Example();
  fs::create_directory(Path("BSP1_01.OLI"));
  ASSERT_EQ(Start(), -1);
  EXPECT_EQ(Screen(kEnd + kSaveRest), 1);
  EXPECT_EQ(Said(1), std::string("^bFEHLER: Die Druckliste kann nicht geschrieben werden (") + std::strerror(EISDIR) + ")!|");
  EXPECT_TRUE(Get("BSP1_01.INP").rfind(" 2\n", 0) == 0);

  testing::internal::CaptureStderr();
  EXPECT_EQ(Refresh_Stem("BSP1"), 0);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("BSP1_01.OLI: the print list cannot be written: " +
                                                       std::string(std::strerror(EISDIR))),
            std::string::npos);
  fs::remove(Path("BSP1_01.OLI"));
  fs::create_directory(Path("BSP10001.SPF"));
  testing::internal::CaptureStderr();
  EXPECT_EQ(Refresh_Stem("BSP1"), 0);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("BSP10001.SPF: the plot file cannot be written: " +
                                                       std::string(std::strerror(EISDIR))),
            std::string::npos);
  fs::remove(Path("BSP10001.SPF"));

  Host_Test_Reset();
  Put("BSP1_01.INP", " 2\n kaputt\n");
  ASSERT_EQ(Start(), -1);
  EXPECT_EQ(Screen(kEnd + kSaveRest), 1);
  const std::string list = Get("BSP1_01.OLI");
  EXPECT_EQ(list.find("Lesefehler"), std::string::npos);
  EXPECT_NE(list.find("Nachweis"), std::string::npos) << list;
  EXPECT_EQ(Get("BSP1_01.INP.bak"), " 2\n kaputt\n");

  Host_Test_Reset();
  fs::remove(Path("BSP1_01.OLI"));
  const std::string saved = Get("BSP1_01.INP");
  ASSERT_EQ(Start(), -1);
  {
    test_files::FileSizeCap cap(100);
    EXPECT_EQ(Screen(kEnd + kSaveRest), 0);
  }
  EXPECT_NE(Said(1).find(std::string("gespeichert werden (") + std::strerror(EFBIG) + ")"), std::string::npos) << Said(1);
  EXPECT_EQ(Get("BSP1_01.INP"), saved);
  EXPECT_FALSE(Has("BSP1_01.OLI"));
}

}  // namespace
