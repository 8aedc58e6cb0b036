// The host's file primitives: odd inputs refused at once (also as a bitmap and as the user
// settings), and pictures replaced at the end of a link with the file's permissions.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "common/file_cap.h"
#include "host/host_test.h"

namespace {

namespace fs = std::filesystem;

struct HostFiles : HostScreenTest {
  fs::path dir = fs::temp_directory_path() / ("host_files_" + std::to_string(::getpid()));
  void SetUp() override {
    HostScreenTest::SetUp();
    fs::remove_all(dir);
    fs::create_directories(dir / "real");
  }
  void TearDown() override {
    HostScreenTest::TearDown();
    ::unsetenv("YRMUSERSETTINGS");
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  // Seconds that call takes. An open that waits for a writer of the FIFO is freed after
  // three seconds (a second opener), so that such a fault fails the test instead of hanging.
  double Seconds(const fs::path &fifo, const std::function<void()> &call) {
    std::atomic<bool> done{false};
    std::thread guard([&] {
      for (int k = 0; k < 300 && !done; ++k) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      if (done) return;
      const int fd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
      if (fd >= 0) ::close(fd);
    });
    const auto t0 = std::chrono::steady_clock::now();
    call();
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    done = true;
    guard.join();
    return s;
  }
  // The regular files in a folder (links not followed).
  static int Files(const fs::path &folder) {
    int n = 0;
    for (const auto &e : fs::directory_iterator(folder)) n += e.symlink_status().type() == fs::file_type::regular;
    return n;
  }
};

// A FIFO, a link to /dev/zero, a folder, a missing file, a file over the cap, a good one, one
// whose read fails and one whose size shows only while it is read: each answered at once by
// the reader; a FIFO or /dev/zero named as a
// bitmap or as the settings file draws the placeholder or finds no setting, also at once.
TEST_F(HostFiles, OddInputsAreRefusedAtOnce) {
  const fs::path fifo = dir / "fifo.bmp";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", dir / "zero.bmp");
  test_files::Put((dir / "ten").string(), std::string("01234\0" "6789", 10));
  // A /proc file tells no size before it is read (st_size 0): the cap holds while reading.
  const std::size_t proc = test_files::Slurp("/proc/version").size();
  ASSERT_GT(proc, 1u);
  struct Case {
    const char *name;
    std::size_t cap;
    int code;
    std::size_t size;
  } cases[] = {
      {"fifo.bmp", 0, HOST_FILE_NOT_REGULAR, 0}, {"zero.bmp", 0, HOST_FILE_NOT_REGULAR, 0},
      {"real", 0, HOST_FILE_NOT_REGULAR, 0},     {"none", 0, HOST_FILE_NOT_OPENED, 0},
      {"ten", 9, HOST_FILE_TOO_BIG, 0},          {"ten", 10, HOST_FILE_OK, 10},
      {"ten", 0, HOST_FILE_OK, 10},
      {"/proc/self/mem", 0, HOST_FILE_READ_ERROR, 0},  // a regular file whose first read fails (EIO)
      {"/proc/version", proc - 1, HOST_FILE_TOO_BIG, 0}, {"/proc/version", proc, HOST_FILE_OK, proc},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.name) + " cap " + std::to_string(c.cap));
    std::string bytes = "old";
    int code = -1;
    const std::string path = c.name[0] == '/' ? std::string(c.name) : (dir / c.name).string();
    EXPECT_LT(Seconds(fifo, [&] { code = Host_Read_Regular_File(path.c_str(), &bytes, c.cap); }), 1.0);
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(bytes.size(), c.size);
  }
  Host_Set_Bitmap_Dir(dir.string().c_str());
  int drawn[2] = {-1, -1};
  EXPECT_LT(Seconds(fifo, [&] {
              drawn[0] = pxDrawTransparentDIB("fifo.bmp", 0, 0, 20, 20, 201, -1, -1, -1, -1);
              drawn[1] = pxDrawTransparentDIB("zero.bmp", 30, 0, 50, 20, 201, -1, -1, -1, -1);
            }),
            1.0);
  EXPECT_EQ(drawn[0] + drawn[1], 2);  // the placeholders
  EXPECT_EQ(Host_Missing_Bitmaps(), (std::vector<std::string>{"fifo.bmp", "zero.bmp"}));
  char buf[16] = "unchanged";
  int found = -1;
  ::setenv("YRMUSERSETTINGS", fifo.c_str(), 1);
  EXPECT_LT(Seconds(fifo, [&] { found = YRMGetUserString("Lang", buf, sizeof buf); }), 1.0);
  EXPECT_EQ(found, 0);
  EXPECT_STREQ(buf, "unchanged");
}

// A picture written through a relative link replaces the file at the link's end: the link
// stays, the file keeps its permissions (a new one gets 0666 less the umask), and no
// temporary file is left in either folder. A folder or a FIFO is never replaced.
TEST_F(HostFiles, PicturesReplaceTheEndOfALinkAndKeepItsMode) {
  const fs::path real = dir / "real" / "pic.bmp", link = dir / "pic.bmp";
  test_files::Put(real.string(), "old picture");
  ::chmod(real.c_str(), 0640);
  fs::create_symlink("real/pic.bmp", link);
  ASSERT_EQ(Host_Save_Bitmap(link.c_str(), 0, 0, 9, 4), 0);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(test_files::Slurp(real.string()).size(), 54u + 5 * 32);  // rows of 30 bytes padded to 32
  struct stat st;
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  const mode_t mask = ::umask(022);
  const std::string bytes("\x89PNG\0\r\n", 7);
  EXPECT_EQ(Host_Replace_File_Bytes((dir / "new.png").c_str(), bytes.data(), bytes.size()), 0);
  ::umask(mask);
  ASSERT_EQ(::stat((dir / "new.png").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
  EXPECT_EQ(test_files::Slurp((dir / "new.png").string()), bytes);
  EXPECT_EQ(Files(dir) + Files(dir / "real"), 2);  // the link is no regular file of its own folder
  errno = 0;
  EXPECT_EQ(Host_Replace_File_Bytes((dir / "real").c_str(), "x", 1), 1);
  EXPECT_EQ(errno, EISDIR);
  const fs::path pipe = dir / "pipe.png";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  int rc = -1, why = 0;
  EXPECT_LT(Seconds(pipe, [&] { rc = Host_Replace_File_Bytes(pipe.c_str(), "x", 1), why = errno; }), 1.0);
  EXPECT_EQ(rc, 1);
  EXPECT_EQ(why, EINVAL);
  EXPECT_TRUE(fs::is_fifo(pipe));
  {
    test_files::FileSizeCap cap(4);  // a full disk: the cause comes back, the old bytes stay
    EXPECT_EQ(Host_Replace_File_Bytes((dir / "new.png").c_str(), "0123456789", 10), 1);
    EXPECT_EQ(errno, EFBIG);
  }
  EXPECT_EQ(test_files::Slurp((dir / "new.png").string()), bytes);
  EXPECT_EQ(Files(dir) + Files(dir / "real"), 2);
}

}  // namespace
