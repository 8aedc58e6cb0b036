// Replacing a file through a temporary file beside it: every failure keeps the old bytes and
// leaves no temporary file; the permission bits stay (a new file takes the umask's); links
// stay links and the file at the end of their chain is replaced.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/file_cap.h"
#include "host/host.h"
#include "support/support.h"

namespace {
namespace fs = std::filesystem;
using test_files::Slurp;

int Write_Text(FILE *f, void *text) { return std::fputs(static_cast<const char *>(text), f) < 0; }
int Write_Big(FILE *f, void *) {  // 64 KiB, so that a size cap is hit inside the buffer
  for (int k = 0; k < 4096; ++k) std::fputs("0123456789abcdef", f);
  return 0;
}
int Write_Refuses(FILE *f, void *) { return std::fputs("half", f), 1; }
int Replace(const fs::path &p, const char *text = "new\n", int (*w)(FILE *, void *) = Write_Text) {
  return Replace_File(p.c_str(), w, const_cast<char *>(text));
}
int Entries(const fs::path &dir) {
  return static_cast<int>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

// The replace as a user without rights: as root in a child that became "nobody" (65534);
// -1 when that cannot be done.
int As_Plain_User(const fs::path &target) {
  if (geteuid() != 0) return Replace(target);
  const pid_t pid = fork();
  if (pid == 0) _exit(setgid(65534) != 0 || setuid(65534) != 0 ? 99 : Replace(target));
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) == 99) return -1;
  return WEXITSTATUS(status);
}

TEST(SupportFileReplace, FailuresKeepTheOldFile) {
  const fs::path dir = fs::temp_directory_path() / ("pf_replace_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "sub");
  const fs::path target = dir / "member.INP";
  const fs::perms rw_r = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  auto with_perms = [&](fs::perms file, fs::perms folder, const std::function<int()> &run) {
    fs::permissions(target, file), fs::permissions(dir, folder);
    const int rc = run();
    fs::permissions(dir, fs::perms::owner_all), fs::permissions(target, rw_r);
    return rc;
  };
  const struct {
    const char *name;
    std::function<int()> run;
  } cases[] = {
      {"good write", [&] { return Replace(target); }},
      {"file size cap", [&] { return test_files::FileSizeCap(4096), Replace(target, "", Write_Big); }},
      {"writer refuses", [&] { return Replace(target, "", Write_Refuses); }},
      {"no path, empty path", [&] { return Replace_File(nullptr, Write_Text, nullptr) & Replace(""); }},
      {"target is a folder", [&] { return Replace(dir / "sub"); }},
      {"target is a pipe", [&] { return mkfifo((dir / "pipe").c_str(), 0600) | Replace(dir / "pipe"); }},
      {"folder missing", [&] { return Replace(dir / "none" / "a.INP"); }},
      {"read-only folder", [&] { return with_perms(fs::perms::all, fs::perms::owner_all | fs::perms::others_exec, [&] { return As_Plain_User(target); }); }},
      {"read-only file", [&] { return with_perms(fs::perms::owner_read | fs::perms::others_read, fs::perms::all, [&] { return As_Plain_User(target); }); }},
      {"write failed before the last flush", [&] {
         FILE_REPLACE r;
         if (!Begin_File_Replace(&r, target.c_str())) return -2;
         test_files::FileSizeCap(4096), Write_Big(r.stream, nullptr);
         return Commit_File_Replace(&r);
       }},
      {"target turned into a folder before the commit", [&] {
         FILE_REPLACE r;
         if (!Begin_File_Replace(&r, (dir / "later").c_str())) return -2;
         fs::create_directories(dir / "later" / "x");
         return Commit_File_Replace(&r) | (fs::remove_all(dir / "later") != 2);
       }},
      {"aborted, then committed", [&] {
         FILE_REPLACE r;
         if (!Begin_File_Replace(&r, target.c_str())) return -2;
         std::fputs("discarded", r.stream);
         Abort_File_Replace(&r);
         return Commit_File_Replace(&r);
       }},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    test_files::Put(target.string(), "old\n");
    fs::permissions(target, rw_r);
    const int rc = c.run();
    fs::remove(dir / "pipe");
    if (rc == -1) {
      std::printf("[ skipped ] %s: no user without rights to run it as\n", c.name);
      continue;
    }
    EXPECT_EQ(rc, c.name[0] == 'g' ? 0 : 1);
    EXPECT_EQ(Slurp(target), c.name[0] == 'g' ? "new\n" : "old\n");
    EXPECT_EQ(Entries(dir), 2) << "a temporary file was left behind";
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, rw_r);
  }
  fs::remove_all(dir);
}

// Links stay links: a dangling link gets its file, a chain is followed to its end, a loop is
// refused; told not to follow links, a link (dangling or not) is replaced as a name of its own
// and what it points to is neither created nor written; a name near the folder entry limit
// still gets a temporary file beside it; a new file takes the umask's permission bits.
TEST(SupportFileReplace, LinksLongNamesAndNewFiles) {
  const fs::path dir = fs::temp_directory_path() / ("pf_replace_links_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "sub");
  fs::create_symlink("sub/later.INP", dir / "dangling.INP");  // relative to the link's folder
  fs::create_symlink(dir / "dangling.INP", dir / "chain.INP");
  fs::create_symlink(dir / "loop_b", dir / "loop_a");
  fs::create_symlink(dir / "loop_a", dir / "loop_b");
  fs::create_symlink("sub/there.INP", dir / "here.INP");
  test_files::Put((dir / "sub" / "kept.INP").string(), "kept\n");
  fs::create_symlink("sub/kept.INP", dir / "here2.INP");
  const std::string long_name(250, 'n');
  const struct {
    const char *name;
    fs::path path, written;
    int flags = 0;
  } cases[] = {
      {"dangling link, not followed", dir / "here.INP", dir / "here.INP", FILE_REPLACE_NO_FOLLOW},
      {"link to a file, not followed", dir / "here2.INP", dir / "here2.INP", FILE_REPLACE_NO_FOLLOW},
      {"dangling link", dir / "dangling.INP", dir / "sub" / "later.INP"},
      {"chain of links", dir / "chain.INP", dir / "sub" / "later.INP"},
      {"loop of links", dir / "loop_a", fs::path()},
      {"250-byte name", dir / long_name, dir / long_name},
  };
  const mode_t mask = umask(027);
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Replace_File(c.path.c_str(), Write_Text, const_cast<char *>(c.name), c.flags), c.written.empty() ? 1 : 0);
    if (c.written.empty()) continue;
    EXPECT_EQ(Slurp(c.written), c.name);
    struct stat st;
    EXPECT_TRUE(lstat(c.written.c_str(), &st) == 0 && (st.st_mode & 07777) == 0640);
  }
  umask(mask);
  for (const char *link : {"dangling.INP", "chain.INP", "loop_a", "loop_b"}) EXPECT_TRUE(fs::is_symlink(dir / link)) << link;
  EXPECT_FALSE(fs::exists(dir / "sub" / "there.INP"));
  EXPECT_EQ(Slurp(dir / "sub" / "kept.INP"), "kept\n");
  EXPECT_EQ(Entries(dir) * 10 + Entries(dir / "sub"), 82) << "a temporary file was left behind";
  fs::remove_all(dir);
}

// What a sync of a replacement saw: the size of the file synced and the target's bytes then.
struct Sync_Seen {
  std::string target;
  std::vector<std::string> target_then;
  std::vector<long long> size;
} g_sync;
int Watching_Sync(int fd) {
  struct stat st;
  g_sync.size.push_back(fstat(fd, &st) == 0 ? st.st_size : -1);
  g_sync.target_then.push_back(Slurp(g_sync.target));
  return fsync(fd);
}

// Each road of replacing syncs the new file once, whole, while the target still holds its
// old bytes: the sync comes before the rename.
TEST(SupportFileReplace, TheNewFileIsSyncedBeforeItsRename) {
  const fs::path dir = fs::temp_directory_path() / ("pf_replace_sync_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  g_sync.target = (dir / "member.INP").string();
  const std::string bytes = "0123456789\n";
  const struct {
    const char *name;
    std::function<int()> run;
  } cases[] = {
      {"text through a stream", [&] { return Replace_File_Text(g_sync.target.c_str(), bytes); }},
      {"bytes of the host", [&] { return Host_Replace_File_Bytes(g_sync.target.c_str(), bytes.data(), bytes.size()); }},
  };
  const HOST_SYNC old = Host_Set_Replace_Sync_For_Tests(Watching_Sync);
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    test_files::Put(g_sync.target, "old\n");
    g_sync.size.clear(), g_sync.target_then.clear();
    EXPECT_EQ(c.run(), 0);
    EXPECT_EQ(g_sync.size, std::vector<long long>{static_cast<long long>(bytes.size())});
    EXPECT_EQ(g_sync.target_then, std::vector<std::string>{"old\n"});
    EXPECT_EQ(Slurp(g_sync.target), bytes);
  }
  // The setter gives back the sync in place before, not the one it is given.
  EXPECT_EQ(Host_Set_Replace_Sync_For_Tests(nullptr), Watching_Sync);
  EXPECT_EQ(Host_Set_Replace_Sync_For_Tests(old), nullptr);
  fs::remove_all(dir);
}

}  // namespace
