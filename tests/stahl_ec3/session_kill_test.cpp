// Sessions killed at every file call of their rules (the process ends itself at the N-th
// call), from a clean folder and from every folder that one and two killed runs leave: the
// saved state is never lost, and a later session takes the lock and leaves no lock file or
// copy of its own behind. The test works in a folder of its own.
#include <fcntl.h>
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

// A folder's files but the member file, which no run here changes: bytes, mode and time.
struct File {
  std::string bytes;
  mode_t mode;
  struct timespec mtime;
};
using Folder = std::map<std::string, File>;

class SessionKills : public MemberFolder {
 protected:
  // The folder as it is; the temporary files of killed replacements are left out.
  Folder Snapshot() const {
    Folder f;
    for (const auto &e : fs::directory_iterator(dir_)) {
      const std::string name = e.path().filename().string();
      struct stat st;
      if (name == "BSP1_01.INP" || name.find(HOST_REPLACE_TEMP_MARK) != std::string::npos ||
          lstat(e.path().c_str(), &st) != 0)
        continue;
      f[name] = File{Get(name), st.st_mode & 07777, st.st_mtim};
    }
    return f;
  }
  void Restore(const Folder &f) const {
    for (const auto &e : fs::directory_iterator(dir_))
      if (e.path().filename() != "BSP1_01.INP") fs::remove_all(e.path());
    for (const auto &[name, file] : f) {
      Put(name, file.bytes);
      chmod(Path(name).c_str(), file.mode);
      const struct timespec times[2] = {file.mtime, file.mtime};
      utimensat(AT_FDCWD, Path(name).c_str(), times, 0);
    }
  }
  static std::string Key(const Folder &f) {
    std::string key;
    for (const auto &[name, file] : f) key += name + '\0' + file.bytes + '\0';
    return key;
  }
  // A run: the session's start, the user's new section (".XPR") and export (".EXP"), and the
  // end without saving.
  void Session(int run) const {
    Start();
    Put("BSP1_01.XPR", "xpr of run " + std::to_string(run) + "\n");
    Put("BSP1_01.EXP", "exp of run " + std::to_string(run) + "\n");
    Restore_Exchange_Files();
  }
  // The run in a child process that ends itself at its call-th file call: true when killed.
  bool Killed(int call, int run) const {
    const pid_t pid = fork();
    if (pid == 0) {
      Set_Session_Kill_Point_For_Tests(call);
      Session(run);
      _exit(0);
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  }
  // Where the saved state of the ".XPR" is: a file that holds its bytes, "" none.
  std::string Saved_In() const {
    for (const char *name : {"BSP1_01.XPR", "BSP1_01_TMP.XPR", "BSP1_01_TMP.XPR.bak", "BSP1_01.XPR.bak"})
      if (Has(name) && Get(name) == kSaved) return name;
    return "";
  }
  // The folder a killed run left: the member file as saved, the saved ".XPR" somewhere, a lock
  // file open to every user; a later session takes the lock and leaves no lock file and no
  // copy that was not there before it, and the saved ".XPR" stays.
  void Check(const std::string &inp) {
    EXPECT_EQ(Get("BSP1_01.INP"), inp);
    EXPECT_NE(Saved_In(), "");
    struct stat st;
    EXPECT_TRUE(lstat(Path("BSP1_01.LCK").c_str(), &st) != 0 || (st.st_mode & 07777) == 0666);
    const bool copies[2] = {Has("BSP1_01_TMP.XPR"), Has("BSP1_01_TMP.EXP")};
    Host_Test_Reset();
    Start();
    EXPECT_EQ(Stahl_EC3_Run().session, STAHL_EC3_SESSION_LOCKED);
    Put("BSP1_01.XPR", "xpr of the later session\n");
    Restore_Exchange_Files();
    EXPECT_FALSE(Has("BSP1_01.LCK"));
    EXPECT_FALSE((Has("BSP1_01_TMP.XPR") && !copies[0]) || (Has("BSP1_01_TMP.EXP") && !copies[1]));
    EXPECT_NE(Saved_In(), "");
  }
  static constexpr const char *kSaved = "xpr saved\n";
  static constexpr std::size_t kThirdRunStarts = 6;
};

TEST_F(SessionKills, NoKillLosesTheSavedState) {
  Put("BSP1_01.XPR", kSaved);
  fs::last_write_time(Path("BSP1_01.INP"), fs::last_write_time(Path("BSP1_01.INP")) - std::chrono::hours(1));
  const std::string inp = Get("BSP1_01.INP");
  const mode_t mask = umask(022);
  testing::internal::CaptureStderr();
  const auto began = std::chrono::steady_clock::now();
  std::vector<Folder> level = {Snapshot()};
  std::map<std::string, int> checked;  // folders left, each checked once
  int runs = 0;
  for (int run = 0; run < 3; ++run) {
    std::map<std::string, Folder> left;
    for (const Folder &start : level) {
      Restore(start);
      Set_Session_Kill_Point_For_Tests(0);
      Session(run);
      const int calls = Session_File_Calls_For_Tests();
      for (int call = 1; call <= calls; ++call) {
        SCOPED_TRACE(::testing::Message() << "run " << run << " killed at call " << call << " of " << calls);
        Restore(start);
        ASSERT_TRUE(Killed(call, run));
        ++runs;
        const Folder after = Snapshot();
        if (checked.emplace(Key(after), run).second) Check(inp);
        if (run < 2) left.emplace(Key(after), after);
      }
    }
    // The third run starts from the folders of two killed runs that hold the most files (the
    // copies, their ".bak" files and the exchange files of both runs): the whole set would
    // pass the suite's time.
    level.clear();
    for (const auto &[key, folder] : left) level.push_back(folder);
    if (run == 1) {
      std::stable_sort(level.begin(), level.end(), [](const Folder &a, const Folder &b) { return a.size() > b.size(); });
      level.resize(std::min<std::size_t>(level.size(), kThirdRunStarts));
    }
  }
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  testing::internal::GetCapturedStderr();
  umask(mask);
  std::printf("[ sweep   ] %d killed runs, %zu folders checked, in %.1f s\n", runs, checked.size(), s);
}

}  // namespace
