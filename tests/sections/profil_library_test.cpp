// Profile library: the built file against its CSV, lookups, bad files, host programs.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "host/host.h"
#include "sections/sections.h"
#include "sections/sections_internal.h"
#include "support/cp850.h"
#include "tests/common/en10365_rows.h"

namespace {

struct CsvRow {
  std::string name;
  int family;
  float dims[6];  // h, b, t_w, t_f, r, r_2 (cm)
  float A;
};

std::vector<CsvRow> Read_Csv() {
  std::ifstream in(PF_SOURCE_DIR "/sections/data/profil_library.csv");
  std::vector<CsvRow> rows;
  std::string line;
  bool header = false;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (!header) {
      header = true;
      continue;
    }
    CsvRow r{};
    char name[64];
    if (std::sscanf(line.c_str(), "%63[^,],%d,%f,%f,%f,%f,%f,%f,%f", name, &r.family, &r.dims[0], &r.dims[1],
                    &r.dims[2], &r.dims[3], &r.dims[4], &r.dims[5], &r.A) == 9) {
      r.name = name;
      rows.push_back(r);
    }
  }
  return rows;
}

// A library folder of the test's own: DATA points at it while the fixture lives.
class SectionsLibraryFile : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Sections_For_Tests();
    dir_ = ::testing::TempDir() + "pf_sections_lib_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::string cmd = "mkdir -p '" + dir_ + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::remove((dir_ + "/PROFIL").c_str());
    setenv("DATA", dir_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("DATA");
    Reset_Sections_For_Tests();
  }
  void Write(const std::vector<unsigned char> &bytes) {
    std::ofstream out(dir_ + "/PROFIL", std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::string dir_;
};

std::vector<unsigned char> Record(const char *name, int family, float h) {
  std::vector<unsigned char> r(160, 0);
  std::memcpy(r.data(), name, std::strlen(name));
  r[16] = static_cast<unsigned char>(family);
  const float dims[] = {h, h, h / 20, h / 10};  // h, b, t_w, t_f: the plate dimensions a member takes
  std::memcpy(r.data() + 20, dims, sizeof dims);  // little-endian host
  return r;
}

// The record with the float f at place k.
std::vector<unsigned char> With(std::vector<unsigned char> r, int k, float f) {
  std::memcpy(r.data() + 4 * k, &f, 4);
  return r;
}

std::vector<unsigned char> Built_Library() {
  std::ifstream in(PF_DATA_DIR "/PROFIL", std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

// Every CSV row is in the built file under its own name, with its family and with
// dimensions and area exactly the floats of the CSV text.
TEST(SectionsLibrary, EveryCsvRowIsInTheBuiltFile) {
  Reset_Sections_For_Tests();
  unsetenv("DATA");
  const std::vector<CsvRow> rows = Read_Csv();
  ASSERT_GT(rows.size(), 200u);
  EXPECT_EQ(Count_Profil_Library_Records(), static_cast<int>(rows.size()));
  for (const CsvRow &r : rows) {
    const char *spelling = nullptr;
    const float *v = Find_Profil_in_Database(r.name.c_str(), &spelling);
    ASSERT_NE(v, nullptr) << r.name;
    EXPECT_STREQ(spelling, r.name.c_str());
    EXPECT_EQ(Get_Profil_Typ_Index(r.name.c_str()), r.family) << r.name;
    for (int k = 0; k < 4; ++k) EXPECT_EQ(v[5 + k], r.dims[k]) << r.name << " place " << 5 + k;
    EXPECT_EQ(v[9], r.A) << r.name;
    EXPECT_EQ(v[30], r.dims[4]) << r.name;
    EXPECT_EQ(v[31], r.dims[5]) << r.name;
    for (int k : {0, 1, 2, 3, 4, 10, 16, 17, 19, 20, 22, 24, 25, 27, 32, 39}) EXPECT_EQ(v[k], 0.0f) << r.name;
  }
  // The default profile of every new member.
  EXPECT_NE(Find_Profil_in_Database("HE280A", nullptr), nullptr);
}

// Computed values of the built file against the published section tables (EN 10365,
// EN 10056-1, EN 10210-2), within the rounding of the tables.
TEST(SectionsLibrary, ComputedValuesMatchPublishedTables) {
  Reset_Sections_For_Tests();
  unsetenv("DATA");
  struct Want {
    const char *name;
    int place;
    double value, rel;
  };
  const Want want[] = {
      {"L100X10", 14, 177, 0.005}, {"L100X10", 18, 280, 0.005}, {"L100X10", 23, 73.0, 0.005},
      {"L150X100X10", 13, 0.439, 0.005}, {"QR100X100X5(w)", 14, 279, 0.005}, {"R88.9X5.0(w)", 14, 116, 0.005},
  };
  for (const Want &w : want) {
    const float *v = Find_Profil_in_Database(w.name, nullptr);
    ASSERT_NE(v, nullptr) << w.name;
    EXPECT_NEAR(v[w.place], w.value, w.rel * w.value) << w.name << " place " << w.place;
  }
  // Places 14, 15 I_y, I_z; 21, 26 W_pl; 29 I_w (cm⁶); 28 I_t (the wall model's, within 3 %).
  for (const en10365::Row &r : en10365::kRows) {
    SCOPED_TRACE(r.name);
    const float *v = Find_Profil_in_Database(r.library, nullptr);
    ASSERT_NE(v, nullptr);
    EXPECT_NEAR(v[14], r.I_y, 0.002 * r.I_y);
    EXPECT_NEAR(v[15], r.I_z, 0.002 * r.I_z);
    EXPECT_NEAR(v[21], r.W_pl_y, 0.002 * r.W_pl_y);
    EXPECT_NEAR(v[26], r.W_pl_z, 0.002 * r.W_pl_z);
    EXPECT_NEAR(v[29], 1e3 * r.I_w, 10 * r.I_w);
    if (r.I_t > 0) {
      EXPECT_NEAR(v[28], r.I_t, 0.03 * r.I_t);
    }
  }
}

// Spellings of one profile: case, blanks and the wide-flange order do not matter; the
// library's own spelling comes back.
TEST(SectionsLibrary, SpellingsFindTheSameProfile) {
  Reset_Sections_For_Tests();
  unsetenv("DATA");
  const char *canonical = nullptr;
  const float *heb = Find_Profil_in_Database("HE300B", &canonical);
  ASSERT_NE(heb, nullptr);
  EXPECT_STREQ(canonical, "HE300B");
  for (const char *q : {"HEB 300", "heb300", "HE 300B", " HE300B ", "he 300 b"}) {
    const char *spelling = nullptr;
    EXPECT_EQ(Find_Profil_in_Database(q, &spelling), heb) << q;
    EXPECT_STREQ(spelling, "HE300B") << q;
  }
  const char *tube = nullptr;
  EXPECT_NE(Find_Profil_in_Database("R 88.9 x 5.0(w)", &tube), nullptr);
  EXPECT_STREQ(tube, "R88.9X5.0(w)");  // the suffix letter keeps its lower case
  const char *none = "x";
  EXPECT_EQ(Find_Profil_in_Database("HEB 301", &none), nullptr);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(Find_Profil_in_Database("", nullptr), nullptr);
}

TEST(SectionsLibrary, WideFlangeFormOfANameText) {
  struct Case {
    const char *in, *out;
    int changed;
  };
  const Case cases[] = {{"HEA280", "HE280A", 1},  {"HEB 300", "HE 300B", 1}, {"HEM1000", "HE1000M", 1},
                        {"HE280A", "HE280A", 0},  {"IPE300", "IPE300", 0},   {"HEA", "HEA", 0},
                        {"HEC280", "HEC280", 0},  {"HE", "HE", 0},           {"", "", 0}};
  for (const Case &c : cases) {
    char t[32];
    std::snprintf(t, sizeof t, "%s", c.in);
    EXPECT_EQ(Normalize_HE_Series_Text(t), c.changed) << c.in;
    EXPECT_STREQ(t, c.out) << c.in;
  }
}

// Names that the library does not hold get their family from their beginning.
TEST(SectionsLibrary, FamilyOfNamesOutsideTheLibrary) {
  Reset_Sections_For_Tests();
  unsetenv("DATA");
  struct Case {
    const char *name;
    int family;
  };
  const Case cases[] = {{"HE 999 X", 0}, {"HD 400x187", 0}, {"IPE 750x137", 0}, {"IPN 200", 0}, {"I 200", 0},
                        {"RR 999x1", 1}, {"QR 999", 1},     {"RHS 1", 1},       {"SHS 1", 1},   {"U 999", 2},
                        {"T 999", 3},    {"L 999", 4},      {"Z 100", 5},       {"R 999", 6},   {"R999", 6},
                        {"RO 999", 6},   {"CHS 1", 6},      {"  l 999", 4},     {"RX 1", -1},   {"FL 100", -1},
                        {"", -1},        {"X", -1}};
  for (const Case &c : cases) EXPECT_EQ(Get_Profil_Typ_Index(c.name), c.family) << c.name;
  // In the library the record's family holds: "UPN300" is a channel, "T100" a T.
  EXPECT_EQ(Get_Profil_Typ_Index("UPN 300"), 2);
  EXPECT_EQ(Get_Profil_Typ_Index("t100"), 3);
}

TEST(SectionsLibrary, StressCheckValuesAndProfileType) {
  Reset_Sections_For_Tests();
  unsetenv("DATA");
  float v[35];
  char code[4];
  ASSERT_EQ(Get_Profil_Data("IPE 300", v, code), 1);
  EXPECT_STREQ(code, "LIB");
  EXPECT_EQ((std::vector<float>(v, v + 5)), (std::vector<float>{30.0f, 15.0f, 0.71f, 1.07f, 53.81f}));
  EXPECT_NEAR(v[16], 628.4f, 1.0f);  // W_pl,y in the place of the half-section moment
  EXPECT_NEAR(v[21], 125.2f, 0.3f);
  EXPECT_FLOAT_EQ(v[25], 1.5f);
  EXPECT_EQ(Get_Profil_Data("NOTHING", v, code), 0);
  EXPECT_STREQ(code, "ERR");
  EXPECT_EQ(v[0], 0.0f);
  const char *names[] = {"HEB 300", "T100",      "UPN 200", "QR100X100X5(w)", "L100X10", "Z 100",
                         "R 88.9 x 5.0(w)", "FL 100x10", "O 40", "X 40"};
  const int types[] = {1, 2, 3, 4, 5, 6, 7, 11, 12, 0};
  for (int k = 0; k < 10; ++k) EXPECT_EQ(Get_Profil_Typ(names[k]), types[k]) << names[k];
}

// Null names, buffers and images: nothing found, nothing written.
TEST(SectionsLibrary, NullArgumentsFindNothing) {
  EXPECT_EQ(Get_Profil_Data(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(Get_Profil_Typ(nullptr), 0);
  EXPECT_EQ(Get_Profil_Typ_Index(nullptr), -1);
  EXPECT_EQ(Normalize_HE_Series_Text(nullptr), 0);
  EXPECT_EQ(Find_Profil_in_Database(nullptr, nullptr), nullptr);
  EXPECT_EQ(Use_Profil_Library_Image(nullptr, 0), -1);
  EXPECT_EQ(Build_Profilmanager_Command(nullptr, 10), -1);
  EXPECT_EQ(Add_QImport_Reference(nullptr, +1), 0);
}

// A library folder without the file, or with a file that is not whole records, gives no
// profile and no crash; a good file in another folder is read when DATA changes.
TEST_F(SectionsLibraryFile, MissingOrTruncatedFileGivesNoProfile) {
  EXPECT_EQ(Count_Profil_Library_Records(), 0);
  EXPECT_EQ(Find_Profil_in_Database("HE280A", nullptr), nullptr);

  std::vector<unsigned char> image = Built_Library();
  ASSERT_GT(image.size(), 160u * 10);
  image.resize(image.size() - 1);  // truncated by one byte
  Write(image);
  Reset_Sections_For_Tests();
  EXPECT_EQ(Count_Profil_Library_Records(), 0);
  EXPECT_EQ(Find_Profil_in_Database("HE280A", nullptr), nullptr);
  EXPECT_EQ(Get_Profil_Typ_Index("HE280A"), 0);  // the name's beginning still tells

  image.resize(160 * 10 + 80);  // not a multiple of 160
  Write(image);
  Reset_Sections_For_Tests();
  EXPECT_EQ(Count_Profil_Library_Records(), 0);

  image.resize(160 * 10);  // whole records: the first ten profiles
  Write(image);
  Reset_Sections_For_Tests();
  EXPECT_EQ(Count_Profil_Library_Records(), 10);
  EXPECT_NE(Find_Profil_in_Database("IPE80", nullptr), nullptr);

  Write({});  // empty file: an empty library
  Reset_Sections_For_Tests();
  EXPECT_EQ(Count_Profil_Library_Records(), 0);
  EXPECT_NE(std::string(Get_Profil_Library_Fault()), "");

  unsetenv("DATA");  // back to the build's data folder: read again, the refused one's fault gone
  EXPECT_NE(Find_Profil_in_Database("HE280A", nullptr), nullptr);
  EXPECT_STREQ(Get_Profil_Library_Fault(), "");
  EXPECT_STREQ(Get_Profil_Library_Path(), PF_DATA_DIR "/PROFIL");
}

// A library that cannot serve is named on the message line, once per file read: missing,
// under a folder that is a file, a folder, cut, empty, more than 16 MiB (exactly 16 MiB is
// read, and then rejected for its records); a good library says nothing.
TEST_F(SectionsLibraryFile, UnusableLibraryIsNamedOnTheMessageLine) {
  std::vector<unsigned char> good = Record("IPE100", 0, 10.0f);
  const std::string plain = dir_ + "/plain";
  auto sized = [&](off_t bytes) { return Write({}), truncate((dir_ + "/PROFIL").c_str(), bytes); };
  const struct {
    const char *name;
    std::function<int()> make;
    const char *said;  // the end of the line after the path, null for no message
  } cases[] = {
      {"missing", [] { return 0; }, "nicht vorhanden."},
      {"DATA names a file", [&] { return setenv("DATA", plain.c_str(), 1); }, "nicht lesbar."},
      {"a folder", [&] { return mkdir((dir_ + "/PROFIL").c_str(), 0755); }, "nicht lesbar."},
      {"cut", [&] { return Write(std::vector<unsigned char>(good.begin(), good.end() - 1)), 0; }, "unvollständig oder beschädigt."},
      {"empty", [&] { return Write({}), 0; }, "unvollständig oder beschädigt."},
      {"16 MiB", [&] { return sized(16 << 20); }, "unvollständig oder beschädigt."},
      {"16 MiB and a record", [&] { return sized((16 << 20) + 160); }, "größer als 16 MiB."},
      {"good", [&] { return Write(good), 0; }, nullptr},
  };
  std::ofstream(plain) << "x";
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    Reset_Sections_For_Tests();
    Host_Reset();
    std::remove((dir_ + "/PROFIL").c_str());
    rmdir((dir_ + "/PROFIL").c_str());
    setenv("DATA", dir_.c_str(), 1);
    ASSERT_EQ(c.make(), 0);
    EXPECT_EQ(Count_Profil_Library_Records(), c.said ? 0 : 1);
    EXPECT_EQ(Count_Profil_Library_Records(), c.said ? 0 : 1);  // not read again: one message
    std::vector<std::string> lines;
    for (const HOST_MESSAGE &m : Host_Messages()) lines.push_back(std::to_string(m.kind) + " " + Cp850_To_Utf8(m.text));
    const std::string want = std::string("2 ^bHINWEIS: Profilbibliothek \"") + std::getenv("DATA") + "/PROFIL\" " + (c.said ? c.said : "");
    EXPECT_EQ(lines, c.said ? std::vector<std::string>{want} : std::vector<std::string>{});
  }
  rmdir((dir_ + "/PROFIL").c_str());
  std::remove(plain.c_str());
  Host_Reset();
}

// One bad record spoils the whole file: unprintable or blank names, garbage after the
// terminating NUL, an empty name, a non-finite value (also in the last place), a plate
// dimension (h, b, t_w, t_f) not above 0 (b of a circular hollow section may be 0, not
// below), plates that cannot exist together. Radii are not checked: a
// root radius of 0 and a negative toe radius have their own rules in the profile.
TEST_F(SectionsLibraryFile, BadRecordRejectsTheWholeFile) {
  auto good = Record("IPE100", 0, 10.0f);
  auto image_with = [&](std::vector<unsigned char> bad) {
    std::vector<unsigned char> image = good;
    image.insert(image.end(), bad.begin(), bad.end());
    return image;
  };
  EXPECT_EQ(Use_Profil_Library_Image(good.data(), good.size()), 1);
  EXPECT_NE(Find_Profil_in_Database("ipe 100", nullptr), nullptr);

  std::vector<std::vector<unsigned char>> bad;
  bad.push_back(Record("IPE 200", 0, 20.0f));  // a blank
  bad.push_back(Record("IPE\x01", 0, 20.0f));  // a control byte
  bad.push_back(Record("IPE\xA0", 0, 20.0f));  // above ASCII
  bad.push_back(Record("IPE\x7F", 0, 20.0f));  // DEL, the first byte past the printable ones
  bad.push_back(Record("", 0, 20.0f));         // empty name
  auto tail = Record("IPE200", 0, 20.0f);
  tail[10] = 'X';  // garbage behind the terminating NUL
  bad.push_back(tail);
  auto nan = Record("IPE200", 0, 20.0f);
  const float q = __builtin_nanf("");
  std::memcpy(nan.data() + 36, &q, 4);
  bad.push_back(nan);
  bad.push_back(With(Record("IPE200", 0, 20.0f), 39, __builtin_inff()));  // the last place
  // Plates that cannot exist together (family, h, b, t_w, t_f in cm), each on the limit of
  // one rule: I, channel t_w < b and 2 t_f < h; RHS 2 t_w < b and 2 t_f < h; CHS 2 t < D;
  // tee and angle t_w and t_f below h and below b, one term of the four at a time.
  const float plates[][5] = {{0, 20, 10, 10, 1},  {0, 20, 10, 1, 10},  {2, 20, 8, 9, 1},   {2, 20, 8, 1, 10.5f},
                             {1, 20, 10, 5, 1},   {1, 20, 10, 1, 10},  {6, 10, 0, 5, 1},   {6, 10, 0, 1, 5.5f},
                             {3, 10, 2, 2, 1},    {3, 2, 10, 1, 2},    {4, 2, 10, 2, 1},   {4, 10, 2, 1, 2}};
  for (const auto &p : plates) {
    auto r = Record("P1", static_cast<int>(p[0]), 1.0f);
    for (int k = 1; k < 5; ++k) r = With(r, 4 + k, p[k]);
    bad.push_back(r);
  }
  for (auto [place, f] : {std::pair{5, 0.0f}, {5, -27.0f}, {6, 0.0f}, {7, 0.0f}, {8, -1.0f}, {8, 0.0f}})
    bad.push_back(With(Record("IPE200", 0, 20.0f), place, f));
  bad.push_back(With(Record("R100X5", 6, 10.0f), 6, -1.0f));
  bad.push_back(With(Record("Z200", 5, 20.0f), 5, -27.0f));  // no plate rule for Z: h's own rule
  for (const auto &r : {With(Record("R100X5", 6, 10.0f), 6, 0.0f), With(With(Record("L1", 4, 2.0f), 30, 0.0f), 31, -1.0f)}) {
    EXPECT_EQ(Use_Profil_Library_Image(r.data(), r.size()), 1);
  }
  for (const auto &b : bad) {
    const auto image = image_with(b);
    EXPECT_EQ(Use_Profil_Library_Image(image.data(), image.size()), -1);
    EXPECT_EQ(Count_Profil_Library_Records(), 0);
    EXPECT_EQ(Find_Profil_in_Database("IPE100", nullptr), nullptr);
  }
  // A full 16-byte name needs no terminator.
  auto full = Record("ABCDEFGHIJKLMNOP", 4, 5.0f);
  EXPECT_EQ(Use_Profil_Library_Image(full.data(), full.size()), 1);
  const char *spelling = nullptr;
  const float *v = Find_Profil_in_Database("abcdefghijklmnop", &spelling);
  ASSERT_NE(v, nullptr);
  EXPECT_STREQ(spelling, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(v[5], 5.0f);
  EXPECT_EQ(Get_Profil_Typ_Index("ABCDEFGHIJKLMNOP"), 4);
}

// The library tool refuses every input from which it would build a library that the reader
// refuses or that gives a member a broken dimension or plates that cannot exist, a repeated
// name (the reader would keep the first), a family it has no rule for, names the line, and
// writes nothing; what it builds the reader takes whole. EN 10365 IPE 80: h 8, b 4.6, t_w 0.38, t_f 0.52, r 0.5 cm,
// A 7.64 cm².
TEST(SectionsLibraryTool, RefusesWhatTheReaderRefuses) {
  const std::string head = "# a comment\nname,family,h,b,t_w,t_f,r,r_2,A\n", ipe = "IPE80,0,8,4.6,0.38,0.52,0.5,0,7.64\n";
  const struct {
    const char *what;
    std::string csv;
    const char *said;  // a part of standard error; null: built
  } cases[] = {
      {"good", head + ipe + "R48.3X4(w),6,4.83,0,0.4,0.4,0,0,5.57\n", nullptr},
      {"h = 0", head + ipe + "HE280A,0,0,28,0.8,1.3,2.4,0,97.26\n", "in.csv:4: "},
      {"h = -27", head + "HE280A,0,-27,28,0.8,1.3,2.4,0,97.26\n" + ipe, "in.csv:3: "},
      {"b of an I = 0", head + "HE280A,0,27,0,0.8,1.3,2.4,0,97.26\n", "in.csv:3: "},
      {"b of a CHS", head + "R48.3X4(w),6,4.83,1,0.4,0.4,0,0,5.57\n", "in.csv:3: "},
      {"negative radius", head + "HE280A,0,27,28,0.8,1.3,-2.4,0,97.26\n", "in.csv:3: "},
      {"not finite", head + "HE280A,0,inf,28,0.8,1.3,2.4,0,97.26\n", "in.csv:3: "},
      {"text behind a number", head + "HE280A,0,27cm,28,0.8,1.3,2.4,0,97.26\n", "in.csv:3: "},
      {"ten columns", head + "HE280A,0,27,28,0.8,1.3,2.4,0,97.26,1\n", "in.csv:3: "},
      {"a blank in a name", head + ipe + "HE 280A,0,27,28,0.8,1.3,2.4,0,97.26\n", "in.csv:4: "},
      {"a line too long", head + std::string(600, '#') + "\n" + ipe, "in.csv:3: "},
      {"CR LF line ends", "name,family,h,b,t_w,t_f,r,r_2,A\r\nIPE80,0,8,4.6,0.38,0.52,0.5,0,7.64\r\n"
       "R48.3X4(w),6,4.83,0,0.4,0.4,0,0,5.57\r\n", nullptr},
      {"CR LF line at the limit", head + "#" + std::string(509, 'c') + "\r\n" + ipe + "R48.3X4(w),6,4.83,0,0.4,0.4,0,0,5.57\r\n",
       nullptr},
      {"CR LF line past the limit", head + "#" + std::string(510, 'c') + "\r\n" + ipe, "in.csv:3: line longer than 510"},
      {"last line without its end", head + "R48.3X4(w),6,4.83,0,0.4,0.4,0,0,5.57\n" + ipe.substr(0, ipe.size() - 1), nullptr},
      {"a NUL byte", head + std::string("IPE80,0,8,4.6\0,0.38,0.52,0.5,0,7.64\n", 36), "in.csv:3: the line holds a NUL byte"},
      {"a repeated name", head + ipe + "R48.3X4(w),6,4.83,0,0.4,0.4,0,0,5.57\nipe80,0,8,4.6,0.38,0.52,0.5,0,7.64\n",
       "in.csv:5: the name stands already in in.csv:3"},
      {"family Z", head + "Z100,5,10,5.5,0.65,0.8,0.8,0,13.4\n", "in.csv:3: the family is not"},
      {"family 7", head + "X100,7,10,5.5,0.65,0.8,0.8,0,13.4\n", "in.csv:3: the family is not"},
      {"negative r_2", head + "UPN100,2,10,5,0.6,0.85,0.85,-0.45,13.5\n", "in.csv:3: a radius is below 0"},
      // Plates that cannot exist (EN 10365 HE 280 A: h 27, b 28, t_w 0.8, t_f 1.3 cm).
      {"t_w 40 > b", head + ipe + "HE280A,0,27,28,40,1.3,2.4,0,97.26\n", "in.csv:4: the web is not thinner"},
      {"t_f 20: 2 t_f > h", head + "HE280A,0,27,28,0.8,20,2.4,0,97.26\n", "in.csv:3: the flanges fill the depth"},
      {"2 t > D", head + "R48.3X4(w),6,4.83,0,2.5,2.5,0,0,5.57\n", "in.csv:3: the wall fills the tube"},
      {"empty file", "", "in.csv: no profile rows"},
      {"no column line", "# a comment\n" + ipe, "in.csv:2: the column line name,family,h,b,t_w,t_f,r,r_2,A is missing"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    std::remove("PROFIL");
    std::ofstream("in.csv", std::ios::binary) << c.csv;
    const std::string cmd = std::string("'") + MAKE_PROFIL_LIBRARY + "' in.csv PROFIL 2>err.txt";
    const int status = std::system(cmd.c_str());
    std::stringstream err;
    err << std::ifstream("err.txt").rdbuf();
    std::ifstream built("PROFIL", std::ios::binary);
    const std::vector<unsigned char> image{std::istreambuf_iterator<char>(built), {}};
    if (c.said) {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << status;
      EXPECT_NE(err.str().find(c.said), std::string::npos) << err.str();
      EXPECT_FALSE(built.is_open());  // nothing written
      continue;
    }
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_EQ(Use_Profil_Library_Image(image.data(), image.size()), 2);
    const float *v = Find_Profil_in_Database("IPE80", nullptr);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ((std::vector<float>{v[5], v[6], v[7], v[8], v[9]}), (std::vector<float>{8, 4.6f, 0.38f, 0.52f, 7.64f}));
    Reset_Sections_For_Tests();
  }
}

TEST(SectionsHostPrograms, ProfileManagerCommandLine) {
  Reset_Sections_For_Tests();
  setenv("EXEC", "/opt/host", 1);
  char line[200];
  EXPECT_GT(Build_Profilmanager_Command(line, sizeof line), 0);
  EXPECT_STREQ(line, "'/opt/host/Sulpent.exe' 'TRANSFER'");
  Set_Profilmanager_Default("HE 280 A");
  Set_Profilmanager_Filter("LDURKTZ");
  Build_Profilmanager_Command(line, sizeof line);
  EXPECT_STREQ(line, "'/opt/host/Sulpent.exe' 'TRANSFER' 'DEFAULT=HE~280~A' 'FILTER=LDURKTZ'");
  char tiny[8];
  EXPECT_EQ(Build_Profilmanager_Command(tiny, sizeof tiny), static_cast<int>(std::strlen(line)));
  EXPECT_STREQ(tiny, "'/opt/h");
  // A folder with a blank and a filter with a quote stay one argument each.
  setenv("EXEC", "/opt/my host", 1);
  Set_Profilmanager_Filter("L; rm 'x'");
  Build_Profilmanager_Command(line, sizeof line);
  EXPECT_STREQ(line, "'/opt/my host/Sulpent.exe' 'TRANSFER' 'DEFAULT=HE~280~A' 'FILTER=L; rm '\\''x'\\'''");
  setenv("EXEC", "/opt/host", 1);
  Set_Profilmanager_Default(nullptr);
  Build_Profilmanager_Command(line, sizeof line);
  EXPECT_STREQ(line, "'/opt/host/Sulpent.exe' 'TRANSFER' 'FILTER=L; rm '\\''x'\\'''");
  Set_Profilmanager_Filter("");
  Build_Profilmanager_Command(line, sizeof line);
  EXPECT_STREQ(line, "'/opt/host/Sulpent.exe' 'TRANSFER'");
  EXPECT_EQ(Run_Profilmanager(), nullptr);  // not installed: nothing started
  unsetenv("EXEC");
  Reset_Sections_For_Tests();
}

// The modeller is looked for once; a later change of the folder does not count.
TEST(SectionsHostPrograms, ModellerTestedOnceUnderExec) {
  Reset_Sections_For_Tests();
  const std::string dir = ::testing::TempDir() + "pf_sections_exec";
  ASSERT_EQ(std::system(("mkdir -p '" + dir + "'").c_str()), 0);
  std::remove((dir + "/Korvandt.exe").c_str());
  setenv("EXEC", dir.c_str(), 1);
  EXPECT_EQ(Is_QUER_Modeller_Installed(), 0);
  std::ofstream(dir + "/Korvandt.exe") << "x";
  EXPECT_EQ(Is_QUER_Modeller_Installed(), 0);  // cached
  Reset_Sections_For_Tests();
  EXPECT_EQ(Is_QUER_Modeller_Installed(), 1);
  unsetenv("EXEC");
  Reset_Sections_For_Tests();
  EXPECT_EQ(Is_QUER_Modeller_Installed(), 0);
  std::remove((dir + "/Korvandt.exe").c_str());
}

// Host_Reset brings the catalogue back to program start, library included.
TEST(SectionsCache, HostResetDropsTheLibraryImage) {
  Reset_Sections_For_Tests();
  auto rec = Record("XYZ1", 0, 1.0f);
  ASSERT_EQ(Use_Profil_Library_Image(rec.data(), rec.size()), 1);
  Host_Reset();
  unsetenv("DATA");
  EXPECT_EQ(Find_Profil_in_Database("XYZ1", nullptr), nullptr);
  EXPECT_NE(Find_Profil_in_Database("HE280A", nullptr), nullptr);
}
