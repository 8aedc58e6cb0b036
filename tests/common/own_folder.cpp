// Linked into every test program: each test runs in a fresh temporary folder of its own, made
// when it starts (mkdtemp in the folder the program was started in, so that what a failed
// test leaves stays in the build tree) and removed when it passed. The working folder and
// TEST_TMPDIR (testing::TempDir) name it while the test runs, so that the work files a test
// writes by relative names ("_00.XPR", "member-runs/…") or in testing::TempDir() never meet
// those of another process: ctest runs the cases of one suite at once, and CI runs shards of
// one suite at once in one folder. (Names a test makes in
// std::filesystem::temp_directory_path() carry the process id.) A failed test keeps its
// folder and names it on standard error.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class OwnFolder : public ::testing::EmptyTestEventListener {
 public:
  OwnFolder() {
    char cwd[PATH_MAX];
    base_ = getcwd(cwd, sizeof cwd) ? cwd : ".";
    if (const char *t = std::getenv("TEST_TMPDIR")) test_tmpdir_ = t, had_test_tmpdir_ = true;
  }

 private:
  void OnTestStart(const ::testing::TestInfo &) override {
    char cwd[PATH_MAX];
    home_ = getcwd(cwd, sizeof cwd) ? cwd : ".";
    std::string pattern = base_ + "/pf-test.XXXXXX";
    // Open to all: a test that drops its rights in a child (a user who may not write a file)
    // must still reach what lies in it.
    if (!mkdtemp(pattern.data()) || chmod(pattern.c_str(), 0755) != 0 || chdir(pattern.c_str()) != 0) {
      std::fprintf(stderr, "own_folder: no temporary folder under %s (errno %d)\n", base_.c_str(), errno);
      std::abort();
    }
    dir_ = pattern;
    setenv("TEST_TMPDIR", (dir_ + "/").c_str(), 1);
  }
  void OnTestEnd(const ::testing::TestInfo &info) override {
    if (chdir(home_.c_str()) != 0) std::fprintf(stderr, "own_folder: cannot return to %s\n", home_.c_str());
    had_test_tmpdir_ ? setenv("TEST_TMPDIR", test_tmpdir_.c_str(), 1) : unsetenv("TEST_TMPDIR");
    if (info.result() && info.result()->Failed()) {
      std::fprintf(stderr, "the folder of %s.%s is kept: %s\n", info.test_suite_name(), info.name(), dir_.c_str());
      return;
    }
    // A test may leave a folder without rights (a failure path it tried): give them back.
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(dir_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
      if (it->is_directory(ec) && !it->is_symlink(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(dir_, ec);
  }

  std::string base_, home_, dir_;
  std::string test_tmpdir_;
  bool had_test_tmpdir_ = false;
};

const bool registered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new OwnFolder);
  return true;
}();

}  // namespace
