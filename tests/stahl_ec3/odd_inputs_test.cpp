// The refresh road on inputs that are not plain files (a FIFO, a link to /dev/zero, a file
// past the input cap) and on temporary files that a killed run left behind. Each refresh runs
// in a child process that an alarm ends after five seconds, so that a reader that blocks
// fails the test instead of hanging the suite.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/file_cap.h"
#include "host/host_test.h"
#include "stahl_ec3/program_internal.h"
#include "tests/stahl_ec3/member_fixture.h"

namespace {

namespace fs = std::filesystem;

class OddInputs : public MemberFolder {
 protected:
  void TearDown() override {
    unsetenv("DATA");
    MemberFolder::TearDown();
  }
  struct Outcome {
    int exit_code = -1;  // -1 when the child did not end by itself
    double seconds = 0;
    std::string err;  // its standard error, then the host's message lines
  };
  // "-refresh" of the member in a child process.
  Outcome Refresh() const {
    const std::string err_path = dir_ + "/../odd-inputs.err";
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
      const int fd = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(fd, 2);
      alarm(5);
      const int rc = Refresh_Stem("BSP1");
      for (const HOST_MESSAGE &m : Host_Messages()) std::fprintf(stderr, "[host] %s\n", m.text.c_str());
      std::fflush(stderr);
      _exit(rc);
    }
    Outcome o;
    int status = 0;
    waitpid(pid, &status, 0);
    o.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (WIFEXITED(status)) o.exit_code = WEXITSTATUS(status);
    o.err = test_files::Slurp(err_path);
    return o;
  }
};

}  // namespace

// A FIFO or a link to /dev/zero in place of the member file, the position text, the exchange
// file or the profile library, and a member file past the cap: the refresh ends at once with
// the list and a line that names the file and why.
TEST_F(OddInputs, RefreshEndsAtOnceWithAMessage) {
  const struct {
    const char *what, *file, *kind, *said;
  } cases[] = {
      {"member file a FIFO", "BSP1_01.INP", "fifo", "BSP1_01.INP: Lesefehler: not a regular file"},
      {"member file /dev/zero", "BSP1_01.INP", "zero", "BSP1_01.INP: Lesefehler: not a regular file"},
      {"member file past the cap", "BSP1_01.INP", "huge", "BSP1_01.INP: Lesefehler: larger than 64 MiB"},
      {"position text a FIFO", "BSP1_01.TXT", "fifo", "BSP1_01.TXT: not a regular file"},
      {"position text /dev/zero", "BSP1_01.TXT", "zero", "BSP1_01.TXT: not a regular file"},
      {"exchange file a FIFO", "BSP1_01.XPR", "fifo", "BSP1_01.XPR: not a regular file"},
      {"exchange file /dev/zero", "BSP1_01.XPR", "zero", "BSP1_01.XPR: not a regular file"},
      {"profile library a FIFO", "lib/PROFIL", "fifo", "Profilbibliothek"},
      {"profile library /dev/zero", "lib/PROFIL", "zero", "Profilbibliothek"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    fs::create_directories(dir_ + "/lib");
    setenv("DATA", (dir_ + "/lib").c_str(), 1);
    if (std::strcmp(c.file, "lib/PROFIL") != 0)  // the library of the build beside the program
      fs::copy_file(PF_DATA_DIR "/PROFIL", dir_ + "/lib/PROFIL");
    const std::string path = dir_ + "/" + c.file;
    fs::remove(path);
    if (!std::strcmp(c.kind, "fifo")) {
      ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    }
    if (!std::strcmp(c.kind, "zero")) fs::create_symlink("/dev/zero", path);
    if (!std::strcmp(c.kind, "huge")) {  // sparse: one byte past 64 MiB
      fs::copy_file(PF_SOURCE_DIR "/example/BSP1_01.INP", path);
      ASSERT_EQ(truncate(path.c_str(), (off_t{64} << 20) + 1), 0);
    }
    const Outcome o = Refresh();
    EXPECT_EQ(o.exit_code, 1);
    EXPECT_LT(o.seconds, 1.0);
    EXPECT_NE(o.err.find(c.said), std::string::npos) << o.err;
    EXPECT_TRUE(fs::is_regular_file(dir_ + "/BSP1_01.OLI"));
  }
}

// A position label and row names with control bytes (an escape sequence, 0x01, 0x7F): the
// list of a refresh reads back (Run_Refresh: also as oli2txt reads it) with blanks in their
// place, and so does the list of a member file that cannot be read; the member file keeps
// its bytes, and the record read saves them again. Such a national-annex name reaches
// standard error as plain UTF-8.
TEST_F(OddInputs, ControlBytesInTheLabelAndRowNames) {
  Put("BSP1_01.TXT", "Pos \x01\x1b[2J \x7f end\n");
  std::string inp = Get("BSP1_01.INP");
  inp.replace(inp.find("Brand~1"), 7, "Brand\x01~1");
  inp.replace(inp.find("Brand~3"), 7, "\x1b[2JBrand~3");
  std::string plain;
  for (const std::string &member : {std::string(" 2\n kaputt\n"), inp}) {  // the one read last
    plain = Run_Refresh(member).plain;
    EXPECT_NE(plain.find(" POS. Pos   [2J   end\n"), std::string::npos) << plain;
    EXPECT_EQ(Get("BSP1_01.INP"), member);
  }
  EXPECT_NE(plain.find("Lastkollektiv 1: Brand  1\n"), std::string::npos) << plain;
  EXPECT_NE(plain.find("Lastkollektiv 3:  [2JBrand 3\n"), std::string::npos) << plain;
  ASSERT_EQ(Start(), -1);
  EXPECT_EQ(Save_Bauteil_File(Path("again.INP").c_str(), Get_Stahl_EC3_Bauteil()), 0);
  EXPECT_EQ(Get("again.INP"), inp);
  // A national-annex name with a terminal's title and clear-screen sequences and code page
  // 850 bytes (ö ß): its line on standard error is UTF-8 with blanks for the control bytes.
  inp.replace(inp.find("EC-Standardparameter"), 20, "X\x1b]0;owned\x07\x1b[2J\x94\xe1");
  std::string err = Run_Refresh(inp).err;
  const std::string line = "Nationaler Anhang \"X ]0;owned  [2Jöß\" nicht vorhanden";  // valid UTF-8
  ASSERT_NE(err.find(line), std::string::npos) << err;
  err.erase(err.find(line), line.size());  // the rest: printable ASCII and line ends
  EXPECT_TRUE(std::all_of(err.begin(), err.end(), [](char c) { return c == '\n' || (c >= 0x20 && c < 0x7F); })) << err;
}

// Temporary files of replacements that a killed run left beside the member's files: those
// older than ten minutes go, a younger one (perhaps a parallel run's) and other names stay,
// among them a user's copy "….tmpMYCOPY" and the "….tmpXXXXXX" of earlier versions.
TEST_F(OddInputs, StaleTemporariesAreRemoved) {
  const struct {
    const char *name;
    int age_s;
    bool stays;
  } files[] = {
      {"BSP1_01.OLI.~pf-tmp-Ab12Cd", 11 * 60, false}, {"BSP10001.SPF.~pf-tmp-ZZ9xy0", 3600, false},
      {"BSP1_01.INP.~pf-tmp-000000", 700, false},     {"BSP1_01.OLI.~pf-tmp-Ef34Gh", 9 * 60, true},
      {"BSP1_01.OLI.~pf-tmp-Ab12C", 3600, true},      {"BSP1_02.OLI.~pf-tmp-Ab12Cd", 3600, true},
      {"BSP1_01.OLI.~pf-tmp-Ab-2Cd", 3600, true},     {"BSP1_01.OLIX.~pf-tmp-Ab12Cd", 3600, true},
      {"BSP1_01.OLI.tmpMYCOPY", 2 * 86400, true},     {"BSP1_01.INP.tmpAb12Cd", 86400, true},
      {"BSP1_01.LCK.~pf-tmp-Lk12Cd", 700, false},
  };
  const auto now = std::chrono::system_clock::now();
  for (const auto &f : files) {
    const std::string path = dir_ + "/" + f.name;
    test_files::Put(path, "half");
    const double t = std::chrono::duration<double>((now - std::chrono::seconds(f.age_s)).time_since_epoch()).count();
    const timeval times[2] = {{static_cast<time_t>(t), 0}, {static_cast<time_t>(t), 0}};
    ASSERT_EQ(utimes(path.c_str(), times), 0);
  }
  const Outcome o = Refresh();
  EXPECT_EQ(o.exit_code, 1) << o.err;
  for (const auto &f : files) EXPECT_EQ(fs::exists(dir_ + "/" + f.name), f.stays) << f.name;
}
