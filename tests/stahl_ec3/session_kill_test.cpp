// Sessions killed at every file call of their rules (the process ends itself at the N-th
// call), from a clean folder and from the folders that one and two killed runs leave: the
// saved state is never lost, and a later session takes the lock and leaves no lock file or
// copy of its own behind. The test works in a folder of its own.
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
#include "stahl_ec3/program_internal.h"
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
    Put("BSP1_01.XPR", "xpr of run " + std::to_string(run) + "\n");
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
      if (Has(name) && Get(name) == kSaved) return true;
    return false;
  }
  // The folder a killed run left: the member file as saved, the saved ".XPR" somewhere, a lock
  // file open to every user; a later session takes the lock and leaves no lock file and no
  // copy that was not there before it, and the saved ".XPR" stays.
  void Check(const std::string &inp) {
    struct stat st;
    EXPECT_TRUE(Get("BSP1_01.INP") == inp && Saved());
    EXPECT_TRUE(lstat(Path("BSP1_01.LCK").c_str(), &st) != 0 || (st.st_mode & 07777) == 0666);
    const bool copies[2] = {Has("BSP1_01_TMP.XPR"), Has("BSP1_01_TMP.EXP")};
    Host_Test_Reset();
    Start();
    EXPECT_EQ(Stahl_EC3_Run().session, STAHL_EC3_SESSION_LOCKED);
    Put("BSP1_01.XPR", "xpr of the later session\n");
    Restore_Exchange_Files();
    EXPECT_FALSE(Has("BSP1_01.LCK") || (Has("BSP1_01_TMP.XPR") && !copies[0]) || (Has("BSP1_01_TMP.EXP") && !copies[1]));
    EXPECT_TRUE(Saved());
  }
  static constexpr const char *kSaved = "xpr saved\n";
};

TEST_F(SessionKills, NoKillLosesTheSavedState) {
  Put("BSP1_01.XPR", kSaved);  // the member file an hour older: no copy predates its save
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
    // The next run starts from the folders left that hold the most files (copies, their ".bak"
    // files, the exchange files of the runs before): all of them would pass the suite's time
    // under the sanitizers.
    level.clear();
    for (const auto &[folder, from] : left) level.push_back(folder);
    std::stable_sort(level.begin(), level.end(), [](const Folder &a, const Folder &b) { return a.size() > b.size(); });
    level.resize(std::min<std::size_t>(level.size(), run == 0 ? 4 : 3));
  }
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  testing::internal::GetCapturedStderr();
  umask(mask);
  std::printf("[ sweep   ] %d killed runs, %zu folders checked, in %.1f s\n", runs, checked.size(), s);
}

}  // namespace
