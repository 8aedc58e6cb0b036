#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/support.h"

namespace {
namespace fs = std::filesystem;

std::string Slurp(const fs::path &p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int Entries(const fs::path &dir) {
  int n = 0;
  for (auto it = fs::directory_iterator(dir); it != fs::directory_iterator(); ++it) ++n;
  return n;
}

// Writes the context string, 64 KiB of it, so that a size cap is hit inside the buffer.
int Write_Big(FILE *f, void *ctx) {
  const std::string &s = *static_cast<std::string *>(ctx);
  for (int k = 0; k < 64 * 1024 / static_cast<int>(s.size()) + 1; ++k) std::fputs(s.c_str(), f);
  return 0;
}
int Write_Small(FILE *f, void *ctx) { return std::fputs(static_cast<const char *>(ctx), f) < 0; }
int Write_Refuses(FILE *f, void *) {
  std::fputs("half", f);
  return 1;
}

// Caps the size of files this process writes, with SIGXFSZ ignored so the write fails.
struct FileSizeCap {
  rlimit old{};
  void (*old_handler)(int);
  explicit FileSizeCap(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old);
    old_handler = signal(SIGXFSZ, SIG_IGN);
    rlimit cap{bytes, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &cap);
  }
  ~FileSizeCap() {
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, old_handler);
  }
};

// Runs the replace as a user without rights: as root in a child process that has given up
// root for "nobody" (65534); -1 when that cannot be done.
int As_Plain_User(const fs::path &target, const char *text) {
  if (geteuid() != 0) return Replace_File(target.c_str(), Write_Small, const_cast<char *>(text));
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(99);
    _exit(Replace_File(target.c_str(), Write_Small, const_cast<char *>(text)));
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) == 99) return -1;
  return WEXITSTATUS(status);
}
}  // namespace

// Every failure leaves the old bytes under the target name and no temporary file beside
// them; a good write replaces the content and keeps the permission bits.
TEST(SupportFileReplace, FailuresKeepTheOldFile) {
  fs::path dir = fs::temp_directory_path() / ("pf_replace_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "sub");
  fs::path target = dir / "member.INP";
  const std::string old_bytes = "old content\n";
  std::string pattern = "0123456789abcdef";
  enum Kind { kGood, kCap, kRefused, kFolder, kNoFolder, kReadOnly, kReadOnlyFile };
  struct Case {
    const char *name;
    Kind kind;
    int rc;
  } cases[] = {
      {"good write", kGood, 0},          {"file size cap", kCap, 1},
      {"writer refuses", kRefused, 1},   {"target is a folder", kFolder, 1},
      {"folder missing", kNoFolder, 1},  {"read-only folder", kReadOnly, 1},
      {"read-only file", kReadOnlyFile, 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    { std::ofstream(target, std::ios::binary) << old_bytes; }
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    int rc = -1;
    switch (c.kind) {
      case kGood: rc = Replace_File(target.c_str(), Write_Small, const_cast<char *>("new\n")); break;
      case kCap: {
        FileSizeCap cap(4096);
        rc = Replace_File(target.c_str(), Write_Big, &pattern);
        break;
      }
      case kRefused: rc = Replace_File(target.c_str(), Write_Refuses, nullptr); break;
      case kFolder: rc = Replace_File((dir / "sub").c_str(), Write_Small, const_cast<char *>("x")); break;
      case kNoFolder:
        rc = Replace_File((dir / "none" / "a.INP").c_str(), Write_Small, const_cast<char *>("x"));
        break;
      case kReadOnly:  // the file may be written, its folder not
        fs::permissions(target, fs::perms::all);
        fs::permissions(dir, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
        rc = As_Plain_User(target, "x");
        fs::permissions(dir, fs::perms::owner_all);
        fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        break;
      case kReadOnlyFile:  // the folder may be written, the file not
        fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        fs::permissions(dir, fs::perms::all);
        rc = As_Plain_User(target, "x");
        fs::permissions(dir, fs::perms::owner_all);
        fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        break;
    }
    if (rc == -1) {
      std::printf("[ skipped ] %s: no user without rights to run it as\n", c.name);
      continue;
    }
    EXPECT_EQ(rc, c.rc);
    EXPECT_EQ(Slurp(target), c.kind == kGood ? "new\n" : old_bytes);
    EXPECT_EQ(Entries(dir), 2) << "a temporary file was left behind";
    EXPECT_TRUE(fs::is_directory(dir / "sub"));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  }
  // A target that is not a regular file (a named pipe of the test's own: never a device of
  // the system, which a faulty helper running as root would replace) is refused and stays.
  const fs::path pipe = dir / "pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(Replace_File(pipe.c_str(), Write_Small, const_cast<char *>("x")), 1);
  EXPECT_TRUE(fs::is_fifo(pipe));
  fs::remove(pipe);
  EXPECT_EQ(Replace_File("", Write_Small, const_cast<char *>("x")), 1);
  EXPECT_EQ(Replace_File(nullptr, Write_Small, const_cast<char *>("x")), 1);
  // A new file is created; a link keeps pointing at the replaced file.
  fs::path fresh = dir / "fresh.OLI";
  EXPECT_EQ(Replace_File(fresh.c_str(), Write_Small, const_cast<char *>("first\n")), 0);
  EXPECT_EQ(Slurp(fresh), "first\n");
  fs::create_symlink(fresh, dir / "link.OLI");
  EXPECT_EQ(Replace_File((dir / "link.OLI").c_str(), Write_Small, const_cast<char *>("second\n")), 0);
  EXPECT_TRUE(fs::is_symlink(dir / "link.OLI"));
  EXPECT_EQ(Slurp(fresh), "second\n");
  // A write that failed earlier fails the commit even when the last flush succeeds.
  {
    FILE_REPLACE late;
    ASSERT_NE(Begin_File_Replace(&late, target.c_str()), nullptr);
    {
      FileSizeCap cap(4096);
      Write_Big(late.stream, &pattern);
    }
    EXPECT_EQ(Commit_File_Replace(&late), 1);
    EXPECT_EQ(Slurp(target), old_bytes);
  }
  // Begin/Abort leaves nothing; Commit without a stream fails.
  FILE_REPLACE r;
  ASSERT_NE(Begin_File_Replace(&r, target.c_str()), nullptr);
  std::fputs("discarded", r.stream);
  Abort_File_Replace(&r);
  EXPECT_EQ(Slurp(target), old_bytes);
  EXPECT_EQ(Commit_File_Replace(&r), 1);
  EXPECT_EQ(Entries(dir), 4);
  fs::remove_all(dir);
}

// Links stay links: a dangling link gets its file, a chain is followed to its end, a loop
// is refused; a name near the folder entry limit still gets a temporary file beside it.
TEST(SupportFileReplace, LinksAndLongNames) {
  fs::path dir = fs::temp_directory_path() / ("pf_replace_links_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "sub");
  fs::create_symlink("sub/later.INP", dir / "dangling.INP");  // relative to the link's folder
  fs::create_symlink(dir / "dangling.INP", dir / "chain.INP");
  fs::create_symlink(dir / "loop_b", dir / "loop_a");
  fs::create_symlink(dir / "loop_a", dir / "loop_b");
  const std::string long_name(250, 'n');
  struct Case {
    const char *name;
    fs::path path, written;
    int rc;
  } cases[] = {
      {"dangling link", dir / "dangling.INP", dir / "sub" / "later.INP", 0},
      {"chain of links", dir / "chain.INP", dir / "sub" / "later.INP", 0},
      {"loop of links", dir / "loop_a", fs::path(), 1},
      {"250-byte name", dir / long_name, dir / long_name, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Replace_File(c.path.c_str(), Write_Small, const_cast<char *>(c.name)), c.rc);
    if (!c.written.empty()) {
      EXPECT_EQ(Slurp(c.written), c.name);
    }
  }
  for (const char *link : {"dangling.INP", "chain.INP", "loop_a", "loop_b"}) {
    EXPECT_TRUE(fs::is_symlink(dir / link)) << link;
  }
  EXPECT_EQ(Entries(dir), 6) << "a temporary file was left behind";
  EXPECT_EQ(Entries(dir / "sub"), 1);
  fs::remove_all(dir);
}
