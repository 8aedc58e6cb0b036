// A failed replace says why: errno holds the cause of the failure after Replace_File (its
// Begin and Commit), whatever it held before, so that a full disk, a folder or a FIFO in the
// way, a missing folder, a loop of links, a name too long and a record the writer refused
// read apart in the messages.
#include <gtest/gtest.h>

#include <fcntl.h>
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
int Write_Refuses(FILE *, void *) { return 1; }  // a record it does not write: no errno

TEST(SupportFileReplace, FailuresSayWhy) {
  std::string pattern = (fs::temp_directory_path() / "pf_replace_cause_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path dir = pattern;
  fs::create_directories(dir / "sub");
  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
  const int reader = open((dir / "pipe").c_str(), O_RDONLY | O_NONBLOCK);  // a write into it never waits
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
      {"a FIFO in the way", [&] { return replace(dir / "pipe"); }, EINVAL},
      {"no such folder", [&] { return replace(dir / "none" / "a.INP"); }, ENOENT},
      {"empty path", [&] { return replace(""); }, ENOENT},
      {"a loop of links", [&] { return replace(dir / "loop_a"); }, ELOOP},
      {"a name of 300 bytes", [&] { return replace(dir / std::string(300, 'n')); }, ENAMETOOLONG},
      {"full disk, found at the commit", [&] { return test_files::FileSizeCap(4096), replace(target, Write_Big); }, EFBIG},
      {"the writer refuses", [&] { return replace(target, Write_Refuses); }, EINVAL},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const int rc = c.run();
    const int cause = errno;
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(cause, c.cause) << std::strerror(cause) << " instead of " << std::strerror(c.cause);
    EXPECT_EQ(test_files::Slurp(target.string()), "old\n");
  }
  close(reader);
  fs::remove_all(dir);
}

}  // namespace
