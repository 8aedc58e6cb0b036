// Reading a whole file under a size cap, straddled at the cap and across the reader's
// 64 KiB chunks, the whole-text replacement read back, and the value-stream writer on a
// pipe and when the module is reset while it writes a file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/datastream.h"
#include "support/support.h"
#include "support/support_internal.h"

namespace {
namespace fs = std::filesystem;

class WholeFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) / ("pfwhole_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Put(const std::string &name, const std::string &bytes) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  fs::path dir_;
};

// A file of 65546 bytes (one chunk of 65536 and 10 more, NUL and CR LF among them) read
// with the cap at its size, one below, below the first chunk and without a cap; an empty
// file; a missing file, a null path and a folder (no regular file). What was in the string
// before goes, and a file past the cap is refused whole: nothing of it is kept.
TEST_F(WholeFile, CapStraddledAcrossChunks) {
  std::string big(65546, 'x');
  big[3] = '\0', big[65535] = '\r', big[65536] = '\n';
  const std::string path = Put("big.bin", big), empty = Put("empty", "");
  struct Case {
    const char *what;
    std::string path;
    std::size_t cap;
    int answer;
    std::size_t kept;  // bytes in the string afterwards
  } cases[] = {
      {"cap at the size", path, 65546, WHOLE_FILE_OK, 65546},
      {"cap one below", path, 65545, WHOLE_FILE_TOO_BIG, 0},
      {"cap within the first chunk", path, 65535, WHOLE_FILE_TOO_BIG, 0},
      {"cap at the first chunk", path, 65536, WHOLE_FILE_TOO_BIG, 0},
      {"no cap", path, 0, WHOLE_FILE_OK, 65546},
      {"empty file", empty, 1, WHOLE_FILE_OK, 0},
      {"missing file", (dir_ / "none").string(), 0, WHOLE_FILE_NOT_OPENED, 0},
      {"a folder", dir_.string(), 0, WHOLE_FILE_NOT_REGULAR, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes = "before";
    EXPECT_EQ(Read_Whole_File(c.path.c_str(), &bytes, c.cap), c.answer);
    EXPECT_EQ(bytes.size(), c.kept);
    EXPECT_EQ(bytes, big.substr(0, c.kept));
  }
  std::string bytes = "before";
  EXPECT_EQ(Read_Whole_File(nullptr, &bytes, 0), WHOLE_FILE_NOT_OPENED);
  EXPECT_EQ(bytes, "");
}

// The text replaces the file byte for byte (also with NUL bytes, and with nothing); a path
// in a missing folder is refused and creates nothing.
TEST_F(WholeFile, ReplaceTextReadsBack) {
  const std::string path = Put("t.txt", "old contents that are longer\n");
  for (const std::string &text : {std::string("new\r\n", 5), std::string("a\0b", 3), std::string()}) {
    ASSERT_EQ(Replace_File_Text(path.c_str(), text), 0);
    std::string back;
    ASSERT_EQ(Read_Whole_File(path.c_str(), &back, 0), WHOLE_FILE_OK);
    EXPECT_EQ(back, text);
  }
  const std::string missing = (dir_ / "no" / "t.txt").string();
  EXPECT_EQ(Replace_File_Text(missing.c_str(), "x"), 1);
  EXPECT_FALSE(fs::exists(dir_ / "no"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);  // no temporary file left
}

// A named pipe is written as it is (a reader already holds it open): the bytes come out of
// the pipe, and the pipe stays a pipe. A reset while a file is written puts nothing in
// place: the old file keeps its bytes and no temporary file stays beside it.
TEST_F(WholeFile, ValueWriterOnAPipeAndAResetWhileWriting) {
  const std::string fifo = (dir_ / "pipe").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int fd = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(Open_Data_Writer(fifo.c_str()), 0);
  const int value = 42;
  EXPECT_EQ(Write_Data_Value(&value, 'i'), 0);
  EXPECT_EQ(Write_Data_Newline(), 0);
  EXPECT_EQ(Close_Data_Writer(), 0);
  char buf[64] = {};
  const ssize_t n = read(fd, buf, sizeof buf - 1);
  close(fd);
  ASSERT_GT(n, 0);
  EXPECT_NE(std::string(buf, static_cast<std::size_t>(n)).find("42"), std::string::npos) << buf;
  struct stat st;
  ASSERT_EQ(stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));

  const std::string path = Put("values.dat", "old\n");
  ASSERT_EQ(Open_Data_Writer(path.c_str()), 0);
  EXPECT_EQ(Write_Data_Value(&value, 'i'), 0);
  Reset_Datastream_State();
  std::string back;
  ASSERT_EQ(Read_Whole_File(path.c_str(), &back, 0), WHOLE_FILE_OK);
  EXPECT_EQ(back, "old\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);  // the pipe and the file
}

}  // namespace
