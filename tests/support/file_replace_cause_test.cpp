// A failed replace says why: errno holds the cause of the first failure after Replace_File,
// Begin_File_Replace and Commit_File_Replace, through the clean-up that follows it, so that
// a full disk, a folder in the way, a missing folder, a loop of links, a name too long and a
// record the writer refused read apart in the messages.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "common/file_cap.h"
#include "support/support.h"

namespace {
namespace fs = std::filesystem;

int Write_Text(FILE *f, void *) { return std::fputs("new\n", f) < 0; }
int Write_Big(FILE *f, void *) {  // 64 KiB: a size cap is hit inside the stream's buffer
  for (int k = 0; k < 4096; ++k) std::fputs("0123456789abcdef", f);
  return 0;
}
int Write_Big_Checked(FILE *f, void *) {  // stops at the first failed write, as the writers do
  for (int k = 0; k < 4096; ++k)
    if (std::fputs("0123456789abcdef", f) < 0) return 1;
  return std::fflush(f) != 0;
}
int Write_Refuses(FILE *, void *) { return 1; }  // a record it does not write: no errno

TEST(SupportFileReplace, FailuresSayWhy) {
  std::string pattern = (fs::temp_directory_path() / "pf_replace_cause_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path dir = pattern;
  fs::create_directories(dir / "sub");
  fs::create_symlink(dir / "loop_b", dir / "loop_a");
  fs::create_symlink(dir / "loop_a", dir / "loop_b");
  const fs::path target = dir / "member.INP";
  test_files::Put(target.string(), "old\n");
  auto replace = [](const fs::path &p, int (*w)(FILE *, void *) = Write_Text) {
    errno = ENOTTY;  // a stale cause that must not show
    return Replace_File(p.c_str(), w, nullptr);
  };
  const struct {
    const char *name;
    std::function<int()> run;
    int cause;
  } cases[] = {
      {"a folder in the way", [&] { return replace(dir / "sub"); }, EISDIR},
      {"a device in the way", [&] { return replace("/dev/null"); }, EINVAL},
      {"no such folder", [&] { return replace(dir / "none" / "a.INP"); }, ENOENT},
      {"empty path", [&] { return replace(""); }, ENOENT},
      {"a loop of links", [&] { return replace(dir / "loop_a"); }, ELOOP},
      {"a name of 300 bytes", [&] { return replace(dir / std::string(300, 'n')); }, ENAMETOOLONG},
      {"full disk, found at the commit", [&] { return test_files::FileSizeCap(4096), replace(target, Write_Big); }, EFBIG},
      {"full disk, found by the writer", [&] { return test_files::FileSizeCap(4096), replace(target, Write_Big_Checked); }, EFBIG},
      {"the writer refuses", [&] { return replace(target, Write_Refuses); }, EINVAL},
      {"an abort keeps the writer's cause", [&] {
         FILE_REPLACE r;
         if (!Begin_File_Replace(&r, target.c_str())) return -2;
         errno = ENOSPC;
         Abort_File_Replace(&r);
         return 1;
       }, ENOSPC},
      {"a folder put in place before the commit", [&] {
         FILE_REPLACE r;
         if (!Begin_File_Replace(&r, (dir / "later").c_str())) return -2;
         fs::create_directories(dir / "later" / "x");
         errno = 0;
         const int rc = Commit_File_Replace(&r);
         const int cause = errno;
         fs::remove_all(dir / "later");
         errno = cause;
         return rc;
       }, EISDIR},  // rename over a folder that is not empty: ENOTEMPTY or EISDIR
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const int rc = c.run();
    const int cause = errno;
    EXPECT_EQ(rc, 1);
    if (c.cause == EISDIR && std::string(c.name).find("commit") != std::string::npos)
      EXPECT_TRUE(cause == EISDIR || cause == ENOTEMPTY || cause == EEXIST) << std::strerror(cause);
    else
      EXPECT_EQ(cause, c.cause) << std::strerror(cause) << " instead of " << std::strerror(c.cause);
    EXPECT_EQ(test_files::Slurp(target.string()), "old\n");
  }
  fs::remove_all(dir);
}

}  // namespace
