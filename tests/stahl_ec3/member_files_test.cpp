// The member's files when more than one run works on them, and saves that say what happened:
// refreshes of members whose stems share their first four characters (and so the section
// exchange file) at once, a save over a member file that changed since it was read, a refresh
// during a screen session, the finishing order of "speichern und beenden", and the causes in
// the messages of failed writes. Every test works in a folder of its own.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/file_cap.h"
#include "host/host_test.h"
#include "sections/sections.h"
#include "stahl_ec3/program_internal.h"
#include "support/support.h"
#include "tests/testsupport/screen_test.h"

namespace {

namespace fs = std::filesystem;
using test_files::Slurp;

// The member file of a parametric profile (shape type, h, t_w, b, t of both flanges; welded)
// under the method (1 elastic, 2 elastic-plastic), the defaults otherwise (S235), with the
// rows N, M_y, M_z given.
std::string Member_File(const std::string &dir, int type, double h, double t_w, double b, double t, int method,
                        const std::vector<std::vector<double>> &rows) {
  BAUTEIL m{};
  Set_Bauteil_Defaults(&m);
  Reset_Profil(&m.profil);
  m.profil.kind = PROFIL_KIND_PARAMETRIC, m.profil.type = type, m.profil.rolled = 0;
  m.profil.h = h, m.profil.t_w = t_w, m.profil.b_fo = m.profil.b_fu = b, m.profil.t_fo = m.profil.t_fu = t;
  m.method = method, m.ct_check = 0;
  Alloc_Brandlasten(&m, static_cast<int>(rows.size()));
  for (std::size_t k = 0; k < rows.size(); ++k) {
    BRANDLAST &r = m.brandlasten[k];
    std::snprintf(r.name, sizeof r.name, "Brand %zu", k + 1);
    r.N = rows[k][0], r.M_y = rows[k][1], r.M_z = rows[k][2];
  }
  const std::string path = dir + "/member.tmp";
  EXPECT_EQ(Save_Bauteil_File(path.c_str(), &m), 0);
  Reset_Bauteil(&m);
  const std::string bytes = Slurp(path);
  fs::remove(path);
  return bytes;
}

class MemberFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Test_Reset();
    std::string pattern = (fs::temp_directory_path() / "pf_member_files_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    setenv("EXEC", dir_.c_str(), 1);
    setenv("YRMPRIVATE", dir_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("EXEC");
    unsetenv("YRMPRIVATE");
    Host_Test_Reset();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string Path(const std::string &name) const { return dir_ + "/" + name; }
  std::string Get(const std::string &name) const { return Slurp(Path(name)); }
  void Put(const std::string &name, const std::string &bytes) const { test_files::Put(Path(name), bytes); }
  bool Has(const std::string &name) const { return fs::exists(Path(name)); }
  static int Run(std::vector<std::string> args, int (*main)(int, char **) = Stahl_EC3_Main) {
    std::vector<char *> argv;
    for (std::string &a : args) argv.push_back(a.data());
    return main(static_cast<int>(argv.size()), argv.data());
  }
  int Refresh(const std::string &stem) { return Run({"stahl_ec3", Path(stem), "0", "1", "1", "-refresh"}); }
  std::string dir_;
};

// Two RHS members (200 × 100 × 8 passes, 120 × 60 × 4 fails under the same row) and two I
// members under the elastic method, all stems beginning "POS1" in one folder: the solo list of
// each, then ten refreshes of each at once (forty processes let go together); every list is
// byte for byte its solo list.
TEST_F(MemberFiles, ParallelRefreshesKeepTheirOwnSections) {
  const std::vector<std::vector<double>> rows = {{-200, 30, 5}, {100, -20, 8}};
  const std::string members[4] = {
      Member_File(dir_, PROFIL_RHS, 200, 8, 100, 8, 1, rows),
      Member_File(dir_, PROFIL_RHS, 120, 4, 60, 4, 1, rows),
      Member_File(dir_, PROFIL_I, 300, 7, 150, 11, 1, rows),
      Member_File(dir_, PROFIL_I, 240, 6, 120, 9, 1, rows),
  };
  Put("POS1_01.TXT", "Pos. 1\n");
  constexpr int kEach = 10;
  std::vector<std::string> stems, solo;
  for (int m = 0; m < 4; ++m)
    for (int k = 0; k < kEach; ++k) {
      const std::string stem = "POS1" + std::string(1, static_cast<char>('A' + m)) + std::to_string(k);
      Put(stem + "_01.INP", members[m]);
      testing::internal::CaptureStderr();
      ASSERT_EQ(Refresh(stem), 1) << testing::internal::GetCapturedStderr();
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
      _exit(Refresh(stem));
    }
    ASSERT_GT(pid, 0);
    children.push_back(pid);
  }
  close(gate[0]);
  close(gate[1]);  // all go at once
  for (std::size_t k = 0; k < children.size(); ++k) {
    int status = 0;
    ASSERT_EQ(waitpid(children[k], &status, 0), children[k]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << stems[k];
  }
  int differ = 0;
  for (std::size_t k = 0; k < stems.size(); ++k) differ += Get(stems[k] + "_01.OLI") != solo[k];
  EXPECT_EQ(differ, 0) << "of " << stems.size() << " lists";
  EXPECT_FALSE(Has("POS1XPRT.TMP"));  // every run removed its own exchange file
}

// What the exchange hook does: keep the text written (capture) or put another one in its
// place (the foreign text), as a run of another member would between the write and a read.
std::string g_captured, g_foreign;
void Capture_Exchange(const char *path) { g_captured = Slurp(path); }
void Spoil_Exchange(const char *path) { test_files::Put(path, g_foreign); }

// The section of a refresh comes from the text it wrote, not from the exchange file: with
// the file changed to another member's section right after every write, the list is the solo
// one, the member's ".XPR" holds its own model, and the exchange file, no longer this run's,
// stays.
TEST_F(MemberFiles, TheSectionComesFromMemory) {
  const std::vector<std::vector<double>> rows = {{-200, 30, 5}};
  Put("POS1A_01.INP", Member_File(dir_, PROFIL_RHS, 200, 8, 100, 8, 1, rows));
  Put("POS1B_01.INP", Member_File(dir_, PROFIL_RHS, 120, 4, 60, 4, 1, rows));
  Set_XPRT_Write_Hook(Capture_Exchange);
  ASSERT_EQ(Refresh("POS1B"), 1);
  g_foreign = g_captured;
  ASSERT_EQ(Refresh("POS1A"), 1);
  const std::string own = g_captured, solo = Get("POS1A_01.OLI");
  ASSERT_NE(own, g_foreign);
  EXPECT_FALSE(Has("POS1XPRT.TMP"));
  Set_XPRT_Write_Hook(Spoil_Exchange);
  ASSERT_EQ(Refresh("POS1A"), 1);
  EXPECT_TRUE(Get("POS1A_01.OLI") == solo);
  EXPECT_EQ(Get("POS1A_01.XPR").rfind(own, 0), 0u);
  EXPECT_EQ(Get("POS1XPRT.TMP"), g_foreign);
}

}  // namespace
