// The member record, its data file and the example member "BSP1".
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <functional>
#include <string>
#include <tuple>

#include "common/file_cap.h"
#include "common/written_text.h"
#include "host/host.h"
#include "nad/nad.h"
#include "stahl_ec3/stahl_ec3.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

// What Write_Bauteil writes; its result in *rc, else expected to be 0.
std::string Written(const BAUTEIL &b, int *rc = nullptr) {
  int r = 0;
  std::string s = Written_Text([&](FILE *f) { return Write_Bauteil(f, &b); }, &r);
  if (rc) *rc = r;
  else EXPECT_EQ(r, 0);
  return s;
}

int Read(const std::string &text, BAUTEIL *b, int (*reader)(FILE *, BAUTEIL *) = Read_Bauteil) {
  FILE *f = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
  const int rc = reader(f, b);
  std::fclose(f);
  return rc;
}

class BauteilFile : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Reset();
    Set_Refresh_Mode(1);  // no message boxes from the version checks
    Set_Bauteil_Path(PF_SOURCE_DIR "/example/BSP1");
    Set_File_Number(1);
    ASSERT_EQ(Set_Bauteil_Defaults(&a_), 0);
    // A new member: factors of the annex, S235, HE 280 A, elastic with the c/t check, one row.
    ASSERT_TRUE(a_.safety.standardised == 1 && a_.method == BAUTEIL_METHOD_ELASTIC && a_.ct_check == 1);
    ASSERT_TRUE(a_.brandlast_count == 1 && a_.profil.h == 270 && a_.material.fy == 235);
  }
  void TearDown() override {
    Reset_Bauteil(&a_);
    Reset_Bauteil(&b_);
    Host_Reset();
  }
  BAUTEIL a_{}, b_{};
};

// Write, read, write: the same bytes, rows, options and annex set; names with blanks,
// empty and 40-byte names, a kind-2 section (a plate of two nodes), both sets.
TEST_F(BauteilFile, RoundTripIsByteExact) {
  const char *names[] = {" Brand 1", "", "   ", "1234567890123456789012345678901234567 90"};
  for (int quer = 0; quer < 2; ++quer) {
    a_.method = quer ? BAUTEIL_METHOD_PLASTIC : BAUTEIL_METHOD_ELASTIC;
    a_.ct_check = !quer;
    ASSERT_EQ(Alloc_Brandlasten(&a_, 4), 0);
    for (int i = 0; i < 4; ++i) {
      std::strcpy(a_.brandlasten[i].name, names[i]);
      a_.brandlasten[i].N = -500.25 * i;
      a_.brandlasten[i].B = 0.001 * i;
    }
    if (quer) {
      a_.profil.kind = PROFIL_KIND_QUER;
      a_.profil.node_count = 2;
      a_.profil.nodes = static_cast<PROFIL_NODE *>(MEM_CALLOC(2, sizeof(PROFIL_NODE)));
      a_.profil.nodes[1] = PROFIL_NODE{2, 0.0, 200.0, 0.0, 0};
    }
    Set_Active_NAD(quer ? NAD_GERMANY_NAME : NAD_DEFAULT_NAME);
    const std::string once = Written(a_);
    Set_Active_NAD(quer ? NAD_DEFAULT_NAME : NAD_GERMANY_NAME);
    ASSERT_EQ(Read(once, &b_), 0) << quer;
    EXPECT_EQ(Written(b_), once);
    EXPECT_STREQ(Get_Active_NAD_Name(), quer ? NAD_GERMANY_NAME : NAD_DEFAULT_NAME);
    EXPECT_EQ(b_.method * 10 + b_.ct_check, a_.method * 10 + a_.ct_check);
    EXPECT_EQ(b_.profil.node_count, 2 * quer);
    ASSERT_EQ(b_.brandlast_count, 4);
    for (int i = 0; i < 4; ++i) EXPECT_STREQ(b_.brandlasten[i].name, names[i]);
  }
}

// Cut before the annex key or inside its line: unreadable; cut after the table: the default set.
TEST_F(BauteilFile, CutFilesFail) {
  Set_Active_NAD(NAD_GERMANY_NAME);
  const std::string full = Written(a_);
  const std::size_t key = full.find("ACTIV_NADNAME");
  for (std::size_t n = 0; n < key; n = full.find('\n', n) + 1) EXPECT_EQ(Read(full.substr(0, n), &b_), 1) << n;
  EXPECT_EQ(Read(full.substr(0, key + 14), &b_), 1);
  EXPECT_EQ(Read(full.substr(0, key), &b_), 0);
  EXPECT_STREQ(Get_Active_NAD_Name(), NAD_DEFAULT_NAME);
}

// Bad values fail (a failed table keeps the old one); no rows give one empty row; an
// unknown set gives the default set and a note naming the stored one.
TEST_F(BauteilFile, BadValuesFail) {
  const std::string good = Written(a_);
  const std::size_t rows = good.find("\n 1\n ~ ") + 1, opt = good.find("\n 1 1\n") + 1;
  const std::size_t key = good.find("ACTIV_NADNAME");
  auto with = [&](std::size_t at, std::size_t len, const std::string &text) {
    return good.substr(0, at) + text + good.substr(at + len);
  };
  const struct {
    std::string text;
    int rc;
  } cases[] = {
      {with(0, 2, " 3"), 1},          {with(0, 2, " 1"), 1},     {with(opt, 4, " 3 1"), 1},
      {with(opt, 4, " 1 2"), 1},      {with(rows, 2, " -1"), 1}, {with(rows, 2, " 10001"), 1},
      {with(rows + 6, 8, "inf"), 1},  {with(rows + 6, 8, "nan"), 1},
      {with(rows, 2, " 99999999999999999999"), 1},
      {with(rows + 4, 1, std::string(41, 'n')), 1}, {with(rows + 4, 1, std::string(40, 'n')), 0},
      {with(key, 13, "ACTIV_NAD"), 1}, {with(key + 13, 1, "\t"), 0}, {with(key + 14, 20, std::string(64, 'x')), 1},
      {with(rows, key - rows, " 0\n"), 0},
  };
  for (const auto &c : cases) EXPECT_EQ(Read(c.text, &b_), c.rc) << c.text.substr(0, 3) << c.text.substr(rows);
  EXPECT_EQ(b_.brandlast_count, 1);
  EXPECT_EQ(Read(" 2\n a 1 2 3 4 5 6 7 8\n b 1 2 3\n", &a_, Read_Brandlasten), 1);
  EXPECT_EQ(a_.brandlast_count, 1);
  Set_Active_NAD(NAD_GERMANY_NAME);
  ASSERT_EQ(Read(with(key + 14, 20, "Atlantis~Nord"), &b_), 0);
  EXPECT_STREQ(Get_Active_NAD_Name(), NAD_DEFAULT_NAME);
  EXPECT_NE(Host_Messages().back().text.find("\"Atlantis Nord\""), std::string::npos);
  ASSERT_EQ(Read(with(key + 14, 20, "~"), &b_), 0);  // the empty name
  EXPECT_NE(Host_Messages().back().text.find("\"\" nicht"), std::string::npos);
  ASSERT_EQ(Read(with(key + 14, 20, std::string(63, 'x')), &b_), 0);  // the longest name
  EXPECT_NE(Host_Messages().back().text.find(std::string(63, 'x') + "\" nicht"), std::string::npos);
  // A name of 41 bytes fails even when its last byte would read as a force; no record, no
  // stream: nothing read or written.
  EXPECT_EQ(Read(" 1\n" + std::string(40, 'n') + "5 1 2 3 4 5 6 7\n", &b_, Read_Brandlasten), 1);
  EXPECT_EQ(Read(" 1\n ~ 1 2 3 4 5 6 7 8\n", nullptr, Read_Brandlasten) + Read(good, nullptr) + Write_Bauteil(stdout, nullptr) +
                Write_Bauteil(nullptr, &a_) + Write_Brandlasten(stdout, nullptr) + Alloc_Brandlasten(nullptr, 1),
            6);
  // The largest table a file may hold reads; a table block to a stream that cannot take it
  // fails.
  std::string big = " 10000\n";
  for (int i = 0; i < BRANDLAST_MAX_ROWS; ++i) big += " ~ 1 2 3 4 5 6 7 8\n";
  ASSERT_EQ(Read(big, &b_, Read_Brandlasten), 0);
  EXPECT_EQ(b_.brandlast_count, BRANDLAST_MAX_ROWS);
  EXPECT_EQ(b_.brandlasten[BRANDLAST_MAX_ROWS - 1].B, 8.0);
  EXPECT_EQ(Alloc_Brandlasten(&b_, BRANDLAST_MAX_ROWS + 1) + Alloc_Brandlasten(&b_, 0), 2);
  EXPECT_EQ(b_.brandlast_count, BRANDLAST_MAX_ROWS);
  // A name that fills its field without a terminator is written as its 40 bytes, white space
  // of a name as '~'; a record without a table writes no rows; a stream that cannot be
  // written fails.
  ASSERT_EQ(Alloc_Brandlasten(&a_, 2), 0);
  std::memset(a_.brandlasten[0].name, 'x', BRANDLAST_NAME_SIZE);
  std::strcpy(a_.brandlasten[1].name, "a\tb\nc");
  EXPECT_NE(Written(a_).find(" " + std::string(40, 'x') + " 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000\n a~b~c 0.000000"), std::string::npos);
  BAUTEIL empty{};
  empty.brandlast_count = 2;
  char *buf = nullptr;
  size_t len = 0;
  FILE *mem = open_memstream(&buf, &len);
  EXPECT_EQ(Write_Brandlasten(mem, &empty) + Write_Brandlasten(stdin, &a_), 1);
  std::fclose(mem);
  EXPECT_EQ(std::string(buf, len), " 0\n");
  std::free(buf);
}

// The checks take the grade's strength at the largest plate thickness (EN 1993-1-1 Table
// 3.1) into the profile; the method goes to the screen as a radio index and back, once.
TEST_F(BauteilFile, CheckTakesGradeAtLargestThicknessAndEditorUnits) {
  const double cases[][3] = {{0, 0, 235}, {2, 0, 355}, {2, 45, 335}, {0, 45, 215}};  // grade, t, fy
  for (const auto &c : cases) {
    a_.material.grade = static_cast<int>(c[0]);
    if (c[1] > 0) {  // a flat bar 200 × t
      Reset_Profil(&a_.profil);
      a_.profil.type = 1, a_.profil.h = 200, a_.profil.t_w = c[1];
    }
    a_.safety.gamma_M0 = 7;  // standardised: the annex's factor again
    EXPECT_EQ(Check_Bauteil_Data(&a_, nullptr, 0, nullptr), 0);
    EXPECT_EQ(a_.profil.grade.fy * 1e6 + a_.material.fy * 1e3 + a_.safety.gamma_M0, c[2] * 1001e3 + 1) << c[0] << " " << c[1];
  }
  // A profile without section values fails the member check whatever the grade says: a flat
  // bar without height, one 0 thick, an I section without flanges.
  for (const auto &[type, h, t] : {std::tuple{PROFIL_FLAT, 0.0, 10.0}, {PROFIL_FLAT, 200.0, 0.0}, {PROFIL_I, 300.0, 7.0}}) {
    Reset_Profil(&a_.profil);
    a_.profil.type = type, a_.profil.h = h, a_.profil.t_w = t;
    EXPECT_NE(Check_Bauteil_Data(&a_, nullptr, 0, nullptr), 0) << type << " " << h << " " << t;
  }
  // The grade is checked without a message of its own, even above 80 mm.
  Reset_Profil(&a_.profil);
  a_.profil.type = PROFIL_FLAT, a_.profil.h = 200, a_.profil.t_w = 90;
  const std::size_t messages = Host_Messages().size();
  Check_Bauteil_Data(&a_, nullptr, 0, nullptr);
  EXPECT_EQ(Host_Messages().size(), messages);
  a_.method = BAUTEIL_METHOD_PLASTIC;
  Hand_Bauteil_to_Editors(&a_);
  Hand_Bauteil_to_Editors(&a_);
  EXPECT_EQ(a_.method, 1);
  Take_Bauteil_from_Editors(&a_);
  Take_Bauteil_from_Editors(&a_);
  EXPECT_EQ(a_.method, BAUTEIL_METHOD_PLASTIC);
  // A new member starts in stored units: handed to the editors after the reset, elastic is
  // radio index 0 (a kept unit state would leave stored 1, shown as plastic).
  Hand_Bauteil_to_Editors(&a_);
  ASSERT_EQ(Set_Bauteil_Defaults(&a_), 0);
  Hand_Bauteil_to_Editors(&a_);
  EXPECT_EQ(a_.method, 0);
  Reset_Bauteil(&a_);
  EXPECT_EQ(a_.display_units * 10 + a_.method, BAUTEIL_METHOD_ELASTIC);
  EXPECT_TRUE(a_.brandlast_count == 0 && !a_.brandlasten && !a_.results && a_.ct_check == 0);
  EXPECT_TRUE(a_.profil.h == 0 && a_.safety.standardised == 0 && a_.safety.gamma_M0 == 0);  // the owners' resets
}

// The example reads back to the bytes it was written as (HE 280 A, S235, three rows); its
// position text lies where the prefix rule puts it.
TEST_F(BauteilFile, ExampleBsp1ReadsBackAsWritten) {
  std::ifstream in(Make_Bauteil_Filename(".INP"), std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  FILE *f = Open_Bauteil_File(".INP", "r");
  ASSERT_EQ(Read_Bauteil(f, &b_), 0);
  std::fclose(f);
  EXPECT_EQ(Written(b_), text);
  ASSERT_EQ(b_.brandlast_count, 3);
  EXPECT_STREQ(b_.brandlasten[2].name, "Brand 3");
  EXPECT_EQ(b_.brandlasten[2].N * 1000 + b_.brandlasten[2].M_y, -1500 * 1000 + 250);
  std::string label;
  std::ifstream txt(Make_Stem_Prefix_Filename("_01.TXT"));
  EXPECT_TRUE(std::getline(txt, label) && label.rfind("Beispiel BSP1", 0) == 0);
}

// Every proper prefix of the example fails but the one that ends with the line end of the
// table's last row (the default set); a whole file with other line ends reads, text after
// the set line does not.
TEST_F(BauteilFile, EveryCutOfTheExampleFailsButAfterTheTable) {
  const std::string text = test_files::Slurp(Make_Bauteil_Filename(".INP"));
  const std::size_t table_end = text.find("ACTIV_NADNAME");
  ASSERT_NE(table_end, std::string::npos);
  int read = 0;
  for (std::size_t n = 0; n < text.size(); ++n) {
    Set_Active_NAD(NAD_GERMANY_NAME);
    const int rc = Read(text.substr(0, n), &b_);
    EXPECT_EQ(rc, n == table_end ? 0 : 1) << "prefix of " << n << " bytes: ..." << text.substr(n > 20 ? n - 20 : 0, 20);
    read += rc == 0;
  }
  EXPECT_EQ(read, 1);
  ASSERT_EQ(Read(text.substr(0, table_end), &b_), 0);
  EXPECT_STREQ(Get_Active_NAD_Name(), NAD_DEFAULT_NAME);
  ASSERT_EQ(b_.brandlast_count, 3);
  EXPECT_EQ(b_.brandlasten[2].M_y, 250.0);
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const struct {
    std::string text;
    int rc;
  } cases[] = {{text, 0},         {crlf, 0},           {text + "\n \n", 0}, {text + "x\n", 1},
               {text + "ACTIV_NADNAME Deutschland\n", 1}, {text.substr(0, table_end) + "ACTIV_NADNAME\nDeutschland\n", 1},
               {text.substr(0, table_end) + "\n \t\r\n", 0},   {text.substr(0, table_end - 1) + " \t\n", 0}};
  for (const auto &c : cases) EXPECT_EQ(Read(c.text, &b_), c.rc) << c.text.substr(table_end > 10 ? table_end - 10 : 0);
}

// What the reader refuses is not written: Write_Bauteil writes nothing and the save keeps
// the old file, as it does on a full disk or for a folder; a buffered write to a full device
// fails at once, not only when the file is closed.
TEST_F(BauteilFile, RefusedRecordsAndFullDisksKeepTheOldFile) {
  const std::string path = testing::TempDir() + "bauteil_refused_" + std::to_string(getpid()) + ".INP";
  const double nan = std::nan(""), inf = HUGE_VAL;
  ASSERT_EQ(Alloc_Brandlasten(&a_, 2), 0);
  const struct {
    const char *name;
    std::function<void(BAUTEIL *)> spoil;
  } cases[] = {
      {"NaN force", [=](BAUTEIL *b) { b->brandlasten[1].N = nan; }},
      {"infinite bimoment", [=](BAUTEIL *b) { b->brandlasten[0].B = -inf; }},
      {"NaN profile height", [=](BAUTEIL *b) { b->profil.h = nan; }},
      {"infinite web", [=](BAUTEIL *b) { b->profil.t_w = inf; }},
      {"NaN imported value", [=](BAUTEIL *b) { b->profil.kind = PROFIL_KIND_QUER, b->profil.imported[3] = nan; }},
      {"NaN grade strength", [=](BAUTEIL *b) { b->material.fy_40 = nan; }},
      {"infinite E of the second grade", [=](BAUTEIL *b) { b->material_2.E = inf; }},
      {"NaN strength of the profile's grade", [=](BAUTEIL *b) { b->profil.grade.fu_80 = nan; }},
      {"NaN safety factor", [=](BAUTEIL *b) { b->safety.gamma_M_fi = nan; }},
      {"screen units", [](BAUTEIL *b) { b->method = BAUTEIL_METHOD_PLASTIC, Hand_Bauteil_to_Editors(b); }},
      {"method 3", [](BAUTEIL *b) { b->method = 3; }},
      {"c/t switch 2", [](BAUTEIL *b) { b->ct_check = 2; }},
      {"rows beyond the limit", [](BAUTEIL *b) { b->brandlast_count = BRANDLAST_MAX_ROWS + 1; }},
      {"full disk", nullptr},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    BAUTEIL spoilt{};
    ASSERT_EQ(Set_Bauteil_Defaults(&spoilt), 0);
    ASSERT_EQ(Alloc_Brandlasten(&spoilt, 2), 0);
    const int rows = spoilt.brandlast_count;
    int rc = 1;
    if (c.spoil) c.spoil(&spoilt);
    EXPECT_EQ(c.spoil ? Written(spoilt, &rc) : "", "");
    EXPECT_EQ(rc, 1);
    test_files::Put(path, "old member\n");
    EXPECT_EQ(c.spoil ? Save_Bauteil_File(path.c_str(), &spoilt) : (test_files::FileSizeCap(100), Save_Bauteil_File(path.c_str(), &spoilt)), 1);
    EXPECT_EQ(test_files::Slurp(path), "old member\n");
    spoilt.brandlast_count = rows;
    Reset_Bauteil(&spoilt);
  }
  EXPECT_EQ(Save_Bauteil_File(testing::TempDir().c_str(), &a_) + Save_Bauteil_File(path.c_str(), nullptr), 2);
  EXPECT_EQ(Save_Bauteil_File(path.c_str(), &a_), 0);
  EXPECT_EQ(test_files::Slurp(path), Written(a_));
  std::remove(path.c_str());
  FILE *full = std::fopen("/dev/full", "w");
  ASSERT_NE(full, nullptr);
  EXPECT_EQ(Write_Bauteil(full, &a_), 1);
  std::fclose(full);
}

}  // namespace
