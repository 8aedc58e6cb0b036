// The member record and its data file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "host/host.h"
#include "nad/nad.h"
#include "stahl_ec3/stahl_ec3.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

std::string Written(const BAUTEIL &b) {
  char *buf = nullptr;
  size_t len = 0;
  FILE *f = open_memstream(&buf, &len);
  EXPECT_EQ(Write_Bauteil(f, &b), 0);
  std::fclose(f);
  std::string s(buf, len);
  std::free(buf);
  return s;
}

int Read(const std::string &text, BAUTEIL *b) {
  FILE *f = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
  const int rc = Read_Bauteil(f, b);
  std::fclose(f);
  return rc;
}

void Set_Row(BRANDLAST *row, const char *name, double N, double M_y, double last = 0.0) {
  *row = BRANDLAST{};
  std::strncpy(row->name, name, BRANDLAST_NAME_SIZE - 1);
  row->N = N;
  row->M_y = M_y;
  row->B = last;
}

class BauteilFile : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Reset();
    Set_Refresh_Mode(1);  // no message boxes from the version checks
    Set_Bauteil_Path("/nonexistent-folder/BT");
    Set_File_Number(1);
  }
  void TearDown() override {
    Reset_Bauteil(&a_);
    Reset_Bauteil(&b_);
    Host_Reset();
  }
  BAUTEIL a_{}, b_{};
};

// Writing, reading and writing again gives the same bytes, and the rows, options and the
// annex set come back, for names with blanks, empty names, a kind-2 section and both sets.
TEST_F(BauteilFile, RoundTripIsByteExact) {
  struct Case {
    const char *what;
    int rows, method, ct, quer;
    const char *nad;
  } cases[] = {
      {"defaults", 1, BAUTEIL_METHOD_ELASTIC, 1, 0, NAD_DEFAULT_NAME},
      {"names with blanks and empty names", 4, BAUTEIL_METHOD_PLASTIC, 0, 0, NAD_GERMANY_NAME},
      {"kind-2 section", 2, BAUTEIL_METHOD_PLASTIC, 1, 1, NAD_DEFAULT_NAME},
  };
  const char *names[] = {" Brand 1", "", "   ", "1234567890123456789012345678901234567 90"};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(Set_Bauteil_Defaults(&a_), 0);
    a_.method = c.method;
    a_.ct_check = c.ct;
    ASSERT_EQ(Alloc_Brandlasten(&a_, c.rows), 0);
    for (int i = 0; i < c.rows; ++i) Set_Row(&a_.brandlasten[i], names[i % 4], -500.25 * i, 100.5, -1e-3 * i);
    if (c.quer) {
      PROFIL &p = a_.profil;
      Reset_Profil(&p);
      p.kind = PROFIL_KIND_QUER;
      p.node_count = 2;
      p.nodes = static_cast<PROFIL_NODE *>(MEM_CALLOC(2, sizeof(PROFIL_NODE)));
      p.nodes[0] = PROFIL_NODE{1, 0.0, 0.0, 0.0, 0};
      p.nodes[1] = PROFIL_NODE{2, 0.0, 200.0, 0.0, 0};
      p.line_count = 1;
      p.lines = static_cast<PROFIL_LINE *>(MEM_CALLOC(1, sizeof(PROFIL_LINE)));
      p.lines[0] = PROFIL_LINE{1, 1, 2, 20.0, 20.0, 0, 0, 0, 0, 0};
      Init_Material_Data(&p.grade);
    }
    ASSERT_EQ(Set_Active_NAD(c.nad), 1);
    const std::string once = Written(a_);
    Activate_Default_NAD();
    ASSERT_EQ(Read(once, &b_), 0);
    EXPECT_EQ(Written(b_), once);
    EXPECT_STREQ(Get_Active_NAD_Name(), c.nad);
    EXPECT_EQ(b_.method, c.method);
    EXPECT_EQ(b_.ct_check, c.ct);
    EXPECT_EQ(b_.profil.kind, c.quer ? PROFIL_KIND_QUER : PROFIL_KIND_LIBRARY);
    ASSERT_EQ(b_.brandlast_count, c.rows);
    for (int i = 0; i < c.rows; ++i) {
      EXPECT_STREQ(b_.brandlasten[i].name, i % 4 == 2 ? "   " : names[i % 4]);
      EXPECT_DOUBLE_EQ(b_.brandlasten[i].N, -500.25 * i);
      EXPECT_DOUBLE_EQ(b_.brandlasten[i].M_y, 100.5);
      EXPECT_NEAR(b_.brandlasten[i].B, -1e-3 * i, 1e-9);
    }
  }
}

// A file cut at any line before the annex key, or inside the key's line, cannot be read;
// one that ends after the table takes the default set.
TEST_F(BauteilFile, CutFilesFail) {
  ASSERT_EQ(Set_Bauteil_Defaults(&a_), 0);
  ASSERT_EQ(Set_Active_NAD(NAD_GERMANY_NAME), 1);
  const std::string full = Written(a_);
  const std::size_t key = full.find("ACTIV_NADNAME");
  ASSERT_NE(key, std::string::npos);
  for (std::size_t cut = 0; cut < full.size() - 1; cut = full.find('\n', cut + 1)) {
    const std::size_t n = cut == 0 ? 0 : cut + 1;
    if (n == key) continue;
    SCOPED_TRACE(n);
    EXPECT_EQ(Read(full.substr(0, n), &b_), 1);
  }
  EXPECT_EQ(Read(full.substr(0, key + 14), &b_), 1);  // the key without its name
  EXPECT_EQ(Read(full.substr(0, key), &b_), 0);
  EXPECT_STREQ(Get_Active_NAD_Name(), NAD_DEFAULT_NAME);
}

// Bad values fail the read; a count of 0 gives one empty row; an unknown set is replaced by
// the default set with a note.
TEST_F(BauteilFile, BadValuesFail) {
  ASSERT_EQ(Set_Bauteil_Defaults(&a_), 0);
  ASSERT_EQ(Alloc_Brandlasten(&a_, 2), 0);
  Set_Row(&a_.brandlasten[0], "Brand 1", -500, 100);
  Set_Row(&a_.brandlasten[1], "B2", 0, 0, 7);
  const std::string good = Written(a_);
  const std::string table = " 2\n Brand~1 -500.000000 100.000000";
  ASSERT_NE(good.find(table), std::string::npos);
  const std::size_t options = good.find("\n 1 1\n");
  ASSERT_NE(options, std::string::npos);
  auto with = [&](std::size_t at, std::size_t len, const std::string &text) {
    return good.substr(0, at) + text + good.substr(at + len);
  };
  const std::size_t rows = good.find(table);
  const std::string name41(41, 'n'), name40(40, 'n');
  struct Case {
    const char *what;
    std::string text;
    int rc;
  } cases[] = {
      {"newer version", with(0, 2, " 3"), 1},
      {"older version", with(0, 2, " 1"), 1},
      {"method 3", with(options, 6, "\n 3 1\n"), 1},
      {"c/t switch 2", with(options, 6, "\n 1 2\n"), 1},
      {"negative count", with(rows, 2, " -1"), 1},
      {"count above 10000", with(rows, 2, " 10001"), 1},
      {"count far too large", with(rows, 2, " 99999999999999999999"), 1},
      {"name over 40 bytes", with(rows + 4, 7, name41), 1},
      {"name of 40 bytes", with(rows + 4, 7, name40), 0},
      {"infinite force", with(rows + 12, 11, "inf"), 1},
      {"force not a number", with(rows + 12, 11, "nan"), 1},
      {"force missing", with(rows + 12, 11, "x"), 1},
      {"other key", with(good.find("ACTIV_NADNAME"), 13, "ACTIV_NAD"), 1},
      {"annex name over 63 bytes", good.substr(0, good.find("ACTIV_NADNAME")) + "ACTIV_NADNAME " +
                                       std::string(64, 'x') + "\n", 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Read(c.text, &b_), c.rc);
  }
  ASSERT_EQ(Read(with(rows + 4, 7, name40), &b_), 0);
  EXPECT_EQ(std::string(b_.brandlasten[0].name), name40);

  // No rows stored: one empty row.
  const std::size_t end = good.find("ACTIV_NADNAME");
  ASSERT_EQ(Read(good.substr(0, rows) + " 0\n" + good.substr(end), &b_), 0);
  ASSERT_EQ(b_.brandlast_count, 1);
  EXPECT_STREQ(b_.brandlasten[0].name, "");
  EXPECT_EQ(b_.brandlasten[0].N, 0.0);

  // A set not known here: the default set, and the message line names the stored one.
  Set_Active_NAD(NAD_GERMANY_NAME);
  Host_Clear_Messages();
  ASSERT_EQ(Read(good.substr(0, end) + "ACTIV_NADNAME Atlantis~Nord\n", &b_), 0);
  EXPECT_STREQ(Get_Active_NAD_Name(), NAD_DEFAULT_NAME);
  ASSERT_FALSE(Host_Messages().empty());
  EXPECT_NE(Host_Messages().back().text.find("\"Atlantis Nord\""), std::string::npos);
}

// A failed table read keeps the old table; allocation refuses counts outside 1..10000.
TEST_F(BauteilFile, TableReadFailureKeepsTheOldTable) {
  ASSERT_EQ(Alloc_Brandlasten(&a_, 2), 0);
  Set_Row(&a_.brandlasten[1], "alt", 1, 2);
  const char *bad = " 3\n a 1 2 3 4 5 6 7 8\n b 1 2 3\n";
  FILE *f = fmemopen(const_cast<char *>(bad), std::strlen(bad), "r");
  EXPECT_EQ(Read_Brandlasten(f, &a_), 1);
  std::fclose(f);
  ASSERT_EQ(a_.brandlast_count, 2);
  EXPECT_STREQ(a_.brandlasten[1].name, "alt");
  EXPECT_EQ(Alloc_Brandlasten(&a_, 0), 1);
  EXPECT_EQ(Alloc_Brandlasten(&a_, BRANDLAST_MAX_ROWS + 1), 1);
  EXPECT_EQ(a_.brandlast_count, 2);
  EXPECT_EQ(Alloc_Brandlasten(&a_, BRANDLAST_MAX_ROWS), 0);
  FILE *full = std::fopen("/dev/full", "w");
  ASSERT_NE(full, nullptr);
  std::setvbuf(full, nullptr, _IONBF, 0);
  EXPECT_EQ(Write_Bauteil(full, &a_), 1);
  std::fclose(full);
}

// The checks before computing: HE 280 A of the section tables (EN 10365: A 97.26 cm²,
// I_y 13 670 cm⁴, t_f 13 mm) and the grade's strength at the largest plate thickness
// (EN 1993-1-1 Table 3.1), copied into the profile.
TEST_F(BauteilFile, CheckBringsGradeAndSectionValuesInLine) {
  ASSERT_EQ(Set_Bauteil_Defaults(&a_), 0);
  struct Case {
    int grade;
    double t_w, fy;
  } cases[] = {{0, 0, 235}, {2, 0, 355}, {2, 45, 335}, {0, 45, 215}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.t_w);
    a_.material.grade = c.grade;
    if (c.t_w > 0) {  // a flat bar 200 × t
      Reset_Profil(&a_.profil);
      a_.profil.kind = PROFIL_KIND_PARAMETRIC;
      a_.profil.type = 1;
      a_.profil.h = 200;
      a_.profil.t_w = c.t_w;
    }
    EXPECT_EQ(Check_Bauteil_Data(&a_, nullptr, 0, nullptr), 0);
    EXPECT_EQ(a_.profil.grade.grade, c.grade);
    EXPECT_DOUBLE_EQ(a_.profil.grade.fy, c.fy);
    EXPECT_DOUBLE_EQ(a_.material.fy, c.fy);
    if (c.t_w == 0) {
      EXPECT_NEAR(a_.profil.A, 9726, 0.005 * 9726);
      EXPECT_NEAR(a_.profil.I_y, 13670e4, 0.005 * 13670e4);
    } else {
      EXPECT_NEAR(a_.profil.A, 200 * c.t_w, 1e-6);
    }
  }
  EXPECT_EQ(Check_Bauteil_Data(nullptr, nullptr, 0, nullptr), 1);
}

// The method goes to the screen as a radio index and back, once each way.
TEST_F(BauteilFile, EditorsUnitsOnceEachWay) {
  a_.method = BAUTEIL_METHOD_PLASTIC;
  Hand_Bauteil_to_Editors(&a_);
  Hand_Bauteil_to_Editors(&a_);
  EXPECT_EQ(a_.method, 1);
  Take_Bauteil_from_Editors(&a_);
  Take_Bauteil_from_Editors(&a_);
  EXPECT_EQ(a_.method, BAUTEIL_METHOD_PLASTIC);
  Hand_Bauteil_to_Editors(&a_);
  a_.method = 0;  // the user chose "Elastisch-Elastisch"
  Take_Bauteil_from_Editors(&a_);
  EXPECT_EQ(a_.method, BAUTEIL_METHOD_ELASTIC);
}

}  // namespace
