// Sessions killed at every file call of their rules (the process ends itself at the N-th
// call), from a clean folder and from the folders that one and two killed runs leave (first
// those where the run was killed after it changed the ".XPR"): the saved state is never lost,
// the later session takes the lock and its record lists the saved section, a refresh during
// it never lists an unsaved section as the saved state, and it
// leaves no lock file or copy of its own behind. The test works in a folder of its own.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/host_test.h"
#include "sections/sections.h"
#include "stahl_ec3/program_internal.h"
#include "support/shell.h"
#include "tests/stahl_ec3/member_fixture.h"

namespace {

namespace fs = std::filesystem;

// A folder's files but the member file, which no run here changes: name, mode and bytes
// (temporary files of killed replacements left out).
using Folder = std::map<std::string, std::pair<mode_t, std::string>>;

class SessionKills : public MemberFolder {
 protected:
  Folder Snapshot() const {
    Folder f;
    struct stat st;
    for (const auto &e : fs::directory_iterator(dir_)) {
      const std::string name = e.path().filename().string();
      if (name != "BSP1_01.INP" && name.find(HOST_REPLACE_TEMP_MARK) == std::string::npos && lstat(e.path().c_str(), &st) == 0)
        f[name] = {st.st_mode & 07777, Get(name)};
    }
    return f;
  }
  void Restore(const Folder &f) const {
    for (const auto &e : fs::directory_iterator(dir_))
      if (e.path().filename() != "BSP1_01.INP") fs::remove_all(e.path());
    for (const auto &[name, file] : f) Put(name, file.second), chmod(Path(name).c_str(), file.first);
  }
  // A run: the session's start, a new section (".XPR") and export (".EXP"), the end without saving.
  void Session(int run) const {
    Start();
    Put("BSP1_01.XPR", unsaved_);
    Put("BSP1_01.EXP", "exp of run " + std::to_string(run) + "\n");
    Restore_Exchange_Files();
  }
  // The run in a child process that ends itself at its call-th file call: true when killed.
  bool Killed(int call, int run) const {
    const pid_t pid = fork();
    if (pid == 0) Set_Session_Kill_Point_For_Tests(call), Session(run), _exit(0);
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  }
  // True when a file holds the saved ".XPR".
  bool Saved() const {
    for (const char *name : {"BSP1_01.XPR", "BSP1_01_TMP.XPR", "BSP1_01_TMP.XPR.bak", "BSP1_01.XPR.bak"})
      if (Has(name) && Get(name) == saved_) return true;
    return false;
  }
  // A refresh by another process while this one holds a session: true unless it writes no
  // list (the one before is removed first: neither a missing nor a stale list passes) or its
  // list says that it shows the saved state and lists the unsaved section (A = 67.20 cm², not
  // 35.20).
  bool Refresh_Lists_No_Unsaved_As_Saved() const {
    fs::remove(Path("BSP1_01.OLI"));
    const pid_t pid = fork();
    if (pid == 0) std::freopen("/dev/null", "w", stderr), _exit(Refresh_Stem("BSP1"));
    waitpid(pid, nullptr, 0);
    if (!Has("BSP1_01.OLI")) return false;
    const std::string list = Plain_List(Get("BSP1_01.OLI"));
    return list.find(Cp850_To_Utf8(STAHL_EC3_NOTE_EDITED)) == std::string::npos || list.find("A = 35.20 cm²") != std::string::npos;
  }
  // The folder a killed run left: the member file as saved, the saved ".XPR" somewhere, a lock
  // file open to every user; a later session takes the lock, its record lists the section of
  // the saved ".XPR", which its start put back where needed (a refresh meanwhile
  // lists no unsaved section as saved, where a copy or another ".XPR" than the saved one is
  // there), and it leaves no lock file and no copy that was not there before it, and the saved
  // ".XPR" stays.
  void Check(const std::string &inp) {
    struct stat st;
    EXPECT_TRUE(Get("BSP1_01.INP") == inp && Saved());
    EXPECT_TRUE(lstat(Path("BSP1_01.LCK").c_str(), &st) != 0 || (st.st_mode & 07777) == 0666);
    const bool copies[2] = {Has("BSP1_01_TMP.XPR"), Has("BSP1_01_TMP.EXP")};
    const bool xpr_saved = Has("BSP1_01.XPR") && Get("BSP1_01.XPR") == saved_;  // else the refresh can go wrong
    Host_Test_Reset();
    Start();
    EXPECT_EQ(Stahl_EC3_Run().session, STAHL_EC3_SESSION_LOCKED);
    // The later session's record is the member as its start left it: the list that it writes
    // (as a save does; the member file stays as it is) shows the section of the ".XPR" that
    // the start put back, the saved one (also from a copy of unknown state, 'u': in these
    // folders it is the saved state).
    fs::remove(Path("BSP1_01.OLI"));
    EXPECT_EQ(Write_Bauteil_Print_List(), 0);
    const std::string list = Plain_List(Get("BSP1_01.OLI"));
    const bool lists_saved =
        list.find("A = 35.20 cm²") != std::string::npos && list.find("A = 67.20 cm²") == std::string::npos;
    EXPECT_TRUE(lists_saved && Get("BSP1_01.XPR") == saved_)
        << "the later session lists " << (lists_saved ? "the saved section" : "another section than the saved one");
    if (!xpr_saved || copies[0]) {
      EXPECT_TRUE(Refresh_Lists_No_Unsaved_As_Saved());
    }
    Put("BSP1_01.XPR", "xpr of the later session\n");
    Restore_Exchange_Files();
    EXPECT_FALSE(Has("BSP1_01.LCK") || (Has("BSP1_01_TMP.XPR") && !copies[0]) || (Has("BSP1_01_TMP.EXP") && !copies[1]));
    EXPECT_TRUE(Saved());
  }
  // The saved section: the channel of the take-over's sample file (A = 35.20 cm²); the runs'
  // unsaved one has a web of 2.4 instead of 0.8 (A = 35.20 + 20 · 1.6 = 67.20 cm²).
  std::string saved_, unsaved_;
};

TEST_F(SessionKills, NoKillLosesTheSavedState) {
  saved_ = test_files::Slurp(PF_SOURCE_DIR "/tests/profil/golden/channel.XPR"), unsaved_ = saved_;
  unsaved_.replace(unsaved_.find("0.8 0.8"), 7, "2.4 2.4").replace(unsaved_.find(".A__ 35.2"), 9, ".A__ 67.2");
  Put("BSP1_01.XPR", saved_);  // a member of the imported section
  Put("BSP1_01.INP", Member_Bytes([this](BAUTEIL *b) {
        Set_Bauteil_Path(Stem().c_str()), Set_File_Number(1), Set_XPRT_Member_Filename();
        b->profil.kind = PROFIL_KIND_QUER, b->profil.entry = New_QImport_Entry();
        Add_QImport_Reference(b->profil.entry, +1), Read_XPRT_Result(b->profil.entry);
        EXPECT_EQ(Set_Profil_from_QImport(&b->profil, 0), 0);
      }));
  // The member file an hour older: no copy predates its save.
  fs::last_write_time(Path("BSP1_01.INP"), fs::last_write_time(Path("BSP1_01.INP")) - std::chrono::hours(1));
  const std::string inp = Get("BSP1_01.INP");
  const mode_t mask = umask(022);
  testing::internal::CaptureStderr();
  const auto began = std::chrono::steady_clock::now();
  std::vector<Folder> level = {Snapshot()};
  std::map<Folder, int> checked;  // the folders left, each checked once
  int runs = 0;
  for (int run = 0; run < 3; ++run) {
    std::map<Folder, int> left;
    for (const Folder &start : level) {
      Restore(start);
      Set_Session_Kill_Point_For_Tests(0);
      Session(run);
      const int calls = Session_File_Calls_For_Tests();
      for (int call = 1; call <= calls; ++call, ++runs) {
        SCOPED_TRACE(::testing::Message() << "run " << run << " killed at call " << call << " of " << calls);
        Restore(start);
        ASSERT_TRUE(Killed(call, run));
        const Folder after = Snapshot();
        if (checked.emplace(after, run).second) Check(inp);
        left.emplace(after, run);
      }
    }
    // The next run starts from the folders left by a run killed after it changed the ".XPR",
    // then from those that hold the most files (copies, their ".bak" files, the exchange files
    // of the runs before): all of them would pass the suite's time under the sanitizers.
    level.clear();
    for (const auto &[folder, from] : left) level.push_back(folder);
    auto changed = [this](const Folder &f) {
      const auto xpr = f.find("BSP1_01.XPR");
      return xpr != f.end() && xpr->second.second == unsaved_;
    };
    std::stable_sort(level.begin(), level.end(), [&](const Folder &a, const Folder &b) {
      return changed(a) != changed(b) ? changed(a) : a.size() > b.size();
    });
    level.resize(std::min<std::size_t>(level.size(), run == 0 ? 4 : 3));
  }
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  testing::internal::GetCapturedStderr();
  umask(mask);
  std::printf("[ sweep   ] %d killed runs, %zu folders checked, in %.1f s\n", runs, checked.size(), s);
}

}  // namespace
