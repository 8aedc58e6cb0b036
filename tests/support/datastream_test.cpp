#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/file_cap.h"
#include "host/host.h"
#include "support/shell.h"
#include "support/support.h"

namespace {
class DataStream : public testing::Test {
 protected:
  void SetUp() override {
    Host_Reset();
    Reset_Support_For_Tests();
    char name[] = "/tmp/datastream-XXXXXX";
    int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    path_ = name;
  }
  void TearDown() override {
    Reset_Support_For_Tests();
    std::remove(path_.c_str());
  }
  std::string File_Content() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  int Read_From(const std::string &text) { return Open_Data_Reader_Memory(text.data(), text.size()); }

  std::string path_;
};

// A concrete grade as its owner writes it: version 1.2, name, fck, a lightweight flag.
struct Grade {
  char name[256];
  double fck;
  int light;
};

void Write_Grade(const Grade &g) {
  Write_Struct_Version(1.2);
  Write_Data_Value(g.name, 't');
  Write_Data_Value(&g.fck, 'd');
  Write_Data_Value(&g.light, 'i');
  Write_Data_Newline();
}
}  // namespace

TEST_F(DataStream, RoundTripOfEveryType) {
  const double values[] = {0.0, 1.0, -2.5, 3.14159265358979, 1.23456789e-300, -9.87654321e300, 210000.0};
  const int ints[] = {0, 1, -1, 2147483647, -2147483647 - 1};
  const char *texts[] = {"C20/25", "Beton nach DIN 1045", "  zwei  Blanks  ", "Größe"_cp, "", "a\tb"};
  ASSERT_EQ(Open_Data_Writer(path_.c_str()), 0);
  ASSERT_EQ(Write_Struct_Version(2.0), 0);
  for (double v : values) ASSERT_EQ(Write_Data_Value(&v, 'd'), 0);
  for (int v : ints) ASSERT_EQ(Write_Data_Value(&v, 'i'), 0);
  for (const char *t : texts) ASSERT_EQ(Write_Data_Value(t, 't'), 0);
  ASSERT_EQ(Write_Data_Newline(), 0);
  ASSERT_EQ(Close_Data_Writer(), 0);

  std::string content = File_Content();
  // The version line first; blanks inside a text written as byte 0x8C, an empty text as
  // "!º$%&/()=?", leading blanks dropped.
  EXPECT_EQ(content.rfind(" 2.000000 # Strukturversionsnummer\n", 0), 0u) << content;
  for (const std::string &part : {std::string(" 2.100000e+05 "), std::string(" Beton\x8C" "nach\x8C" "DIN\x8C" "1045 "),
                                 " " + std::string("!º$%&/()=?"_cp) + " "})
    EXPECT_NE(content.find(part), std::string::npos) << part;
  EXPECT_EQ(content.find("  zwei"), std::string::npos);

  ASSERT_EQ(Open_Data_Reader(path_.c_str()), 0);
  ASSERT_EQ(Read_Struct_Version(2.0), 0);
  for (double v : values) {
    double r = -1;
    ASSERT_EQ(Read_Data_Value(&r, 'd', 0, nullptr), 0);
    EXPECT_NEAR(r, v, 5e-7 * std::fabs(v)) << v;
  }
  for (int v : ints) {
    int r = -1;
    ASSERT_EQ(Read_Data_Value(&r, 'i', 0, nullptr), 0);
    EXPECT_EQ(r, v);
  }
  for (const char *t : texts) {
    char r[256] = "?";
    ASSERT_EQ(Read_Data_Value(r, 't', 0, nullptr), 0);
    EXPECT_STREQ(r, std::strcmp(t, "a\tb") == 0 ? "a b" : t);  // other white space comes back as a blank
  }
  End_Struct_Version();
  double extra = 7;
  EXPECT_NE(Read_Data_Value(&extra, 'd', 0, nullptr), 0);  // end of data
  Close_Data_Reader();
}

TEST_F(DataStream, LongTextIsCutTo255Bytes) {
  std::string text(300, 'x');
  text[10] = ' ';
  ASSERT_EQ(Open_Data_Writer(path_.c_str()), 0);
  Write_Data_Value(text.c_str(), 't');
  ASSERT_EQ(Close_Data_Writer(), 0);
  ASSERT_EQ(Open_Data_Reader(path_.c_str()), 0);
  char r[256];
  ASSERT_EQ(Read_Data_Value(r, 't', 0, nullptr), 0);
  EXPECT_EQ(std::string(r), text.substr(0, 255));
}

TEST_F(DataStream, FieldNewerThanItsBlockGetsItsDefault) {
  // An old file of version 1.0: the field of version 1.2 is not in it.
  ASSERT_EQ(Read_From(" 1.000000 # Strukturversionsnummer\n C12/15  1.200000e+01 \n 7 \n"), 0);
  ASSERT_EQ(Read_Struct_Version(1.2), 0);
  Grade g{};
  const int light_default = 1;
  const double e_default = 27000;
  double e_cm = -1;
  int next = 0;
  EXPECT_EQ((std::vector<int>{Read_Data_Value(g.name, 't', 1.0, "?"), Read_Data_Value(&g.fck, 'd', 1.0, nullptr),
                              Read_Data_Value(&e_cm, 'd', 1.2, &e_default),
                              Read_Data_Value(&g.light, 'i', 1.1, &light_default)}),
            (std::vector<int>{0, 0, 0, 0}));  // braced: read in order
  End_Struct_Version();
  ASSERT_EQ(Read_Data_Value(&next, 'i', 0, nullptr), 0);  // still there for whoever reads on
  EXPECT_STREQ(g.name, "C12/15");
  EXPECT_EQ((std::vector<double>{g.fck, e_cm, double(g.light), double(next)}), (std::vector<double>{12, 27000, 1, 7}));
}

TEST_F(DataStream, NestedBlocksUseTheInnermostVersion) {
  ASSERT_EQ(Open_Data_Writer(path_.c_str()), 0);
  Write_Struct_Version(3.0);
  Grade a{"C30/37", 30, 0};
  Write_Grade(a);
  int tail = 99;
  Write_Data_Value(&tail, 'i');
  ASSERT_EQ(Close_Data_Writer(), 0);

  ASSERT_EQ(Open_Data_Reader(path_.c_str()), 0);
  ASSERT_EQ(Read_Struct_Version(3.0), 0);
  ASSERT_EQ(Read_Struct_Version(1.2), 0);
  Grade b{};
  int zero = 0;
  ASSERT_EQ(Read_Data_Value(b.name, 't', 1.0, nullptr), 0);
  ASSERT_EQ(Read_Data_Value(&b.fck, 'd', 1.0, nullptr), 0);
  ASSERT_EQ(Read_Data_Value(&b.light, 'i', 1.0, &zero), 0);
  double later = 5;
  ASSERT_EQ(Read_Data_Value(&later, 'd', 2.0, nullptr), 0);  // newer than the inner block: 0
  End_Struct_Version();
  int t = 0;
  ASSERT_EQ(Read_Data_Value(&t, 'i', 2.0, nullptr), 0);  // the outer block is 3.0: read
  End_Struct_Version();
  End_Struct_Version();  // more pops than pushes do nothing
  EXPECT_STREQ(b.name, "C30/37");
  EXPECT_EQ((std::vector<double>{later, double(t), b.fck}), (std::vector<double>{0, 99, 30}));
}

TEST_F(DataStream, NewerBlockIsRefusedWithAMessage) {
  const std::string file = " 1.300000 # Strukturversionsnummer\n C12/15 \n";
  ASSERT_EQ(Read_From(file), 0);
  EXPECT_EQ(Read_Struct_Version(1.2), 2);
  ASSERT_EQ(Host_Messages().size(), 1u);
  EXPECT_EQ(Host_Messages()[0].text, "Alte Programmversion -> kann Daten nicht lesen!");

  Host_Clear_Messages();
  Set_Refresh_Mode(1);
  ASSERT_EQ(Read_From(file), 0);
  EXPECT_EQ(Read_Struct_Version(1.2), 2);
  EXPECT_TRUE(Host_Messages().empty());
}

TEST_F(DataStream, OldFileWithoutVersionIsProbedAndReadFromTheStart) {
  // Older records begin with their name; the reader probes for a version and goes back.
  ASSERT_EQ(Read_From(" C20/25 2.000000e+01 \n"), 0);
  long start = Tell_Data_Position();
  EXPECT_EQ(start, 0);
  EXPECT_EQ(Read_Struct_Version(1.2), 1);
  ASSERT_EQ(Seek_Data_Position(start), 0);
  char name[256];
  double fck = 0;
  ASSERT_EQ(Read_Data_Value(name, 't', 0, nullptr), 0);
  ASSERT_EQ(Read_Data_Value(&fck, 'd', 0, nullptr), 0);
  EXPECT_EQ(std::string(name) + " " + std::to_string(fck), "C20/25 20.000000");
  EXPECT_EQ(Seek_Data_Position(1000) + Seek_Data_Position(-1), 2);
}

TEST_F(DataStream, TruncatedOrGarbledInputFailsWithDefaults) {
  const double d_default = 4.5;
  const int i_default = 3;
  double d = 0;
  int i = 0;
  char t[256];

  ASSERT_EQ(Read_From(" 1.000000 # Strukturversionsnummer\n 2.5e"), 0);  // cut inside a number
  ASSERT_EQ(Read_Struct_Version(1.0), 0);
  EXPECT_NE(Read_Data_Value(&d, 'd', 0, &d_default), 0);

  ASSERT_EQ(Read_From(" 1.0 # Strukturversionsnummer\n"), 0);  // values missing
  ASSERT_EQ(Read_Struct_Version(1.0), 0);
  EXPECT_TRUE(Read_Data_Value(&i, 'i', 0, &i_default) && Read_Data_Value(t, 't', 0, "leer"));
  EXPECT_EQ(std::to_string(d) + " " + std::to_string(i) + " " + t, "4.500000 3 leer");  // the defaults

  // Trailing garbage, not an integer, out of range, two numbers not finite, unknown type.
  ASSERT_EQ(Read_From(" 12abc 1.5 99999999999 nan inf 0x10 "), 0);
  for (char type : {'i', 'i', 'i', 'd', 'd', 'x'})
    EXPECT_NE(Read_Data_Value(type == 'i' ? static_cast<void *>(&i) : &d, type, 0, nullptr), 0) << type;
  EXPECT_EQ(i + d, 0.0);

  ASSERT_EQ(Read_From(std::string(" ") + std::string(256, 'q') + " "), 0);  // text too long
  EXPECT_NE(Read_Data_Value(t, 't', 0, nullptr), 0);
  EXPECT_STREQ(t, "");

  // Version lines that are none, and one without its comment that still is one.
  for (auto [text, rc] : {std::pair{" 1.0 2.0 3.0\n", 1}, std::pair{"", 1}, std::pair{" 1.0\n", 0}}) {
    ASSERT_EQ(Read_From(text), 0);
    EXPECT_EQ(Read_Struct_Version(1.0), rc) << text;
  }
}

TEST_F(DataStream, StackDepthIsBounded) {
  std::string s;
  for (int k = 0; k < 40; ++k) s += " 1.0 # Strukturversionsnummer\n";
  ASSERT_EQ(Read_From(s), 0);
  int pushed = 0;
  while (Read_Struct_Version(1.0) == 0) ++pushed;
  EXPECT_EQ(pushed, 32);
}

TEST_F(DataStream, WriterAndReaderFailures) {
  double d = 1;
  // No writer, no reader, no folder.
  EXPECT_TRUE(Write_Data_Value(&d, 'd') && Write_Struct_Version(1) && Write_Data_Newline() && Read_Struct_Version(1) &&
              Read_Data_Value(&d, 'd', 0, nullptr));
  EXPECT_EQ(Tell_Data_Position(), -1);
  EXPECT_EQ(Open_Data_Writer("/nonexistent-folder/x.dat") + Open_Data_Reader("/nonexistent-folder/x.dat"), 2);

  ASSERT_EQ(Open_Data_Writer(path_.c_str()), 0);
  double nan = std::nan("");
  EXPECT_NE(Write_Data_Value(&nan, 'd'), 0);  // a data file never holds nan
  int i = 1;
  EXPECT_NE(Write_Data_Value(&i, 'q'), 0);
  EXPECT_EQ(Close_Data_Writer(), 0);
  EXPECT_EQ(File_Content(), "");

  // A pipe is written as it is. Its reader gone (EPIPE): a failed write is remembered and
  // reported by the close alone, also when the failed flush left the buffer empty (some
  // count of values does, whatever the buffer size). A reader that drains it gets the bytes
  // a file gets, also more than the pipe holds at once.
  const std::string fifo = path_ + ".pipe", big(255, 'z');
  std::remove(fifo.c_str());
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  auto write_values = [&](int n) {
    Write_Struct_Version(1.0);
    for (int k = 0; k < n; ++k) Write_Data_Value(big.c_str(), 't');
    return Close_Data_Writer();
  };
  // The reader's end is open first, so that the writer's open does not wait.
  auto open_reader = [&] { return open(fifo.c_str(), O_RDONLY | O_NONBLOCK); };
  const auto old_pipe_signal = std::signal(SIGPIPE, SIG_IGN);
  for (int n = 1; n <= 40; ++n) {
    const int reader = open_reader();
    ASSERT_GE(reader, 0);
    ASSERT_EQ(Open_Data_Writer(fifo.c_str()), 0);
    close(reader);
    EXPECT_EQ(write_values(n), 1) << n;
  }
  std::signal(SIGPIPE, old_pipe_signal);
  ASSERT_EQ(Open_Data_Writer(path_.c_str()), 0);
  ASSERT_EQ(write_values(400), 0);  // about 100 KiB
  const int reader = open_reader();
  ASSERT_GE(reader, 0);
  ASSERT_EQ(fcntl(reader, F_SETFL, 0), 0);  // reads wait for the writer
  ASSERT_EQ(Open_Data_Writer(fifo.c_str()), 0);
  std::string drained;
  std::thread drain([&] {
    char buf[4096];
    for (ssize_t got; (got = read(reader, buf, sizeof buf)) > 0;) drained.append(buf, std::size_t(got));
  });
  EXPECT_EQ(write_values(400), 0);
  drain.join();
  close(reader);
  EXPECT_TRUE(drained == File_Content()) << drained.size() << " bytes of " << File_Content().size();
  std::remove(fifo.c_str());
}

// A text the reader would give back as another text is refused and nothing is written;
// every other text comes back as it was (cut to 255 bytes, white space as blanks).
TEST_F(DataStream, TextsThatWouldReadBackOtherwiseAreRefused) {
  const std::string marker = "!º$%&/()=?"_cp, i_circ = "î"_cp;
  std::string long_text(300, 'l');
  long_text[280] = i_circ[0];  // beyond the cut: not written, so no refusal
  const struct {
    std::string text;
    int rc;
  } cases[] = {{i_circ, 1}, {"Stahl" + i_circ + "ger", 1}, {marker, 1}, {"a b\tc", 0},
               {"", 0},     {marker + "x", 0},  {"!", 0},  {long_text, 0}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(Open_Data_Writer(path_.c_str()), 0);
    EXPECT_EQ(Write_Data_Value(c.text.c_str(), 't') != 0, c.rc == 1);
    ASSERT_EQ(Close_Data_Writer(), 0);
    char back[256] = "unread";
    EXPECT_EQ(c.rc ? File_Content().empty() : !Open_Data_Reader(path_.c_str()) && !Read_Data_Value(back, 't', 0, nullptr), 1);
    std::string want = c.rc ? "unread" : c.text.substr(0, 255);
    std::replace(want.begin(), want.end(), '\t', ' ');
    EXPECT_EQ(back, want);
  }
}

// A data file that cannot be written whole (a full disk while writing or only at the close,
// a writer never closed) leaves the old file; a good write replaces it and keeps its
// permission bits.
TEST_F(DataStream, FailedWriterKeepsTheOldFile) {
  const std::string big(255, 'z');
  const struct {
    const char *name;
    int cap, values, reset, rc;
  } cases[] = {{"full disk", 100, 40, 0, 1}, {"full disk at the close", 100, 4, 0, 1},
               {"reset while open", 0, 40, 1, 0}, {"good write", 0, 40, 0, 0}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    test_files::Put(path_, "old\n");
    ASSERT_EQ(Open_Data_Writer(path_.c_str()), 0);
    int rc;
    {
      std::unique_ptr<test_files::FileSizeCap> cap;
      if (c.cap) cap = std::make_unique<test_files::FileSizeCap>(c.cap);
      Write_Struct_Version(1.0);
      for (int k = 0; k < c.values; ++k) Write_Data_Value(big.c_str(), 't');
      if (c.reset) Reset_Support_For_Tests();
      rc = Close_Data_Writer();
    }
    EXPECT_EQ(rc, c.rc);
    EXPECT_EQ(File_Content() == "old\n", c.name[0] != 'g');
  }
  struct stat st;
  ASSERT_EQ(stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);  // mkstemp's mode, kept
}
