// Input files: only regular files up to the cap are read, a FIFO or device never blocks; the
// temporary files that a killed replacement left behind are removed once they are stale.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/file_cap.h"
#include "support/shell.h"
#include "support/support.h"

namespace {
namespace fs = std::filesystem;

// Sets the last change of path to age_s seconds ago.
void Age(const fs::path &path, int age_s) {
  const time_t t = time(nullptr) - age_s;
  const timeval times[2] = {{t, 0}, {t, 0}};
  ASSERT_EQ(utimes(path.c_str(), times), 0);
}

}  // namespace

// Every reader road (Open_Input_File, Read_Whole_File, Open_Data_Reader, Open_Bauteil_File)
// on each kind of input: a regular file and a link to one are read; a folder, a FIFO, a
// link to /dev/zero and a file past the cap are refused at once with their reason.
TEST(SupportInputFile, OnlyRegularFilesUpToTheCap) {
  alarm(10);  // a reader that blocks on the FIFO ends the program instead of hanging the suite
  const fs::path dir = fs::absolute("input-files");
  fs::remove_all(dir);
  fs::create_directories(dir / "folder");
  test_files::Put(dir / "ten", "0123456789");
  fs::create_symlink(dir / "ten", dir / "link");
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", dir / "zero");
  test_files::Put(dir / "cap", "");  // sparse: exactly the cap, and one byte more
  ASSERT_EQ(truncate((dir / "cap").c_str(), static_cast<off_t>(INPUT_FILE_MAX_BYTES)), 0);
  test_files::Put(dir / "over", "");
  ASSERT_EQ(truncate((dir / "over").c_str(), static_cast<off_t>(INPUT_FILE_MAX_BYTES) + 1), 0);
  const struct {
    const char *name;
    std::size_t max;
    int code;
    const char *problem;
  } cases[] = {
      {"ten", 0, WHOLE_FILE_OK, ""},
      {"link", 10, WHOLE_FILE_OK, ""},
      {"ten", 9, WHOLE_FILE_TOO_BIG, "larger than 9 bytes"},
      {"missing", 0, WHOLE_FILE_NOT_OPENED, "No such file or directory"},
      {"folder", 0, WHOLE_FILE_NOT_REGULAR, "not a regular file"},
      {"fifo", 0, WHOLE_FILE_NOT_REGULAR, "not a regular file"},
      {"zero", 0, WHOLE_FILE_NOT_REGULAR, "not a regular file"},
      {"cap", 0, WHOLE_FILE_OK, ""},
      {"over", 0, WHOLE_FILE_TOO_BIG, "larger than 64 MiB"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = (dir / c.name).string();
    const auto t0 = std::chrono::steady_clock::now();
    int why = -1;
    FILE *f = Open_Input_File(path.c_str(), c.max, &why);
    const int error = errno;
    EXPECT_EQ(why, c.code);
    EXPECT_EQ(f != nullptr, c.code == WHOLE_FILE_OK);
    if (f) std::fclose(f);
    EXPECT_EQ(Input_File_Problem(why, c.max, error), c.problem);
    if (std::string(c.name) != "cap") {  // the reads of the small files and the refusals
      std::string bytes = "old";
      EXPECT_EQ(Read_Whole_File(path.c_str(), &bytes, c.max), c.code);
      EXPECT_EQ(bytes, c.code == WHOLE_FILE_OK ? "0123456789" : "");
      EXPECT_EQ(Open_Data_Reader(path.c_str()), c.code == WHOLE_FILE_OK || c.max == 9 ? 0 : 1);
      Close_Data_Reader();
    }
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), 1.0);
  }
  // The member's own files open through the same rule for reading (not for writing).
  Reset_Support_For_Tests();
  ASSERT_EQ(Set_Bauteil_Path((dir / "M").c_str()), 1);
  ASSERT_EQ(mkfifo((dir / "M_00.INP").c_str(), 0644), 0);
  EXPECT_EQ(Open_Bauteil_File(".INP", "r"), nullptr);
  fs::remove(dir / "M_00.INP");
  FILE *w = Open_Bauteil_File(".INP", "w");
  ASSERT_NE(w, nullptr);
  std::fputs("x", w);
  std::fclose(w);
  FILE *r = Open_Bauteil_File(".INP", "rb");
  ASSERT_NE(r, nullptr);
  std::fclose(r);
  Reset_Support_For_Tests();
  fs::remove_all(dir);
  alarm(0);
}

// The stale temporaries of a replacement: "<name>.~pf-tmp-" and six letters or digits beside
// the file at the end of the path's links, older than the age given; a younger one, a shorter
// or longer tail, another file's, a folder, a user's "<name>.tmpMYCOPY" and the "<name>.tmp"
// names of earlier versions stay. A replacement's own temporary has the swept form.
TEST(SupportInputFile, StaleReplaceTemporaries) {
  const fs::path dir = fs::absolute("stale-temps");
  fs::remove_all(dir);
  fs::create_directories(dir / "real");
  fs::create_symlink(dir / "real" / "list.OLI", dir / "list.OLI");  // a link to a file not yet there
  const struct {
    const char *name;
    int age_s;
    bool stays;
  } files[] = {
      {"real/list.OLI.~pf-tmp-aB3dE9", 601, false}, {"real/list.OLI.~pf-tmp-000000", 86400, false},
      {"real/list.OLI.~pf-tmp-aB3dE8", 599, true},  {"real/list.OLI.~pf-tmp-aB3dE", 3600, true},
      {"real/list.OLI.~pf-tmp-aB3dE99", 3600, true}, {"real/list.OLI.~pf-tmp-aB3d.9", 3600, true},
      {"real/list.OLI.~pf-tmp-.B3dE9", 3600, true}, {"real/list.OLI.~pf-tmp-aB3dE.", 3600, true},
      {"real/list.OLX.~pf-tmp-aB3dE9", 3600, true}, {"real/xlist.OLI.~pf-tmp-aB3dE9", 3600, true},
      {"list.OLI.~pf-tmp-aB3dE9", 3600, true},       // beside the link, not the file it names
      {"real/list.OLI.tmpMYCOPY", 2 * 86400, true},  // the user's
      {"real/list.OLI.tmpaB3dE9", 86400, true},      // an earlier version's
  };
  for (const auto &f : files) {
    test_files::Put(dir / f.name, "half");
    Age(dir / f.name, f.age_s);
  }
  fs::create_directory(dir / "real" / "list.OLI.~pf-tmp-FOLDER");
  Age(dir / "real" / "list.OLI.~pf-tmp-FOLDER", 3600);
  EXPECT_EQ(Remove_Stale_Replace_Temps((dir / "list.OLI").c_str(), FILE_REPLACE_STALE_S), 2);
  for (const auto &f : files) EXPECT_EQ(fs::exists(dir / f.name), f.stays) << f.name;
  EXPECT_TRUE(fs::is_directory(dir / "real" / "list.OLI.~pf-tmp-FOLDER"));
  FILE_REPLACE r;
  ASSERT_NE(Begin_File_Replace(&r, (dir / "list.OLI").c_str()), nullptr);
  const std::string head = (dir / "real" / "list.OLI.~pf-tmp-").string();
  const std::string temp = r.temp;
  EXPECT_EQ(temp.substr(0, head.size()), head);
  EXPECT_EQ(temp.size(), head.size() + 6) << temp;
  Abort_File_Replace(&r);
  EXPECT_EQ(Remove_Stale_Replace_Temps(nullptr, 0) + Remove_Stale_Replace_Temps((dir / "none" / "x").c_str(), 0), 0);
  fs::remove_all(dir);
}
