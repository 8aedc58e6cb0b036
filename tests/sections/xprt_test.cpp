// Imported R7-PLAX sections: the exchange file, the block reader, the section input and
// save files, and the start of R7-PLAX.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "host/host.h"
#include "common/file_cap.h"
#include "sections/sections.h"
#include "support/shell.h"

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path &p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class SectionsXprt : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Reset();
    dir_ = fs::current_path() / ("sx_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    Set_Bauteil_Path((dir_ / "MEMBER").c_str());
    Set_File_Number(2);
  }
  void TearDown() override { Host_Reset(); }
  fs::path dir_;
};

const XPRT_NODE kNodes[] = {{1, 0.1, -4.5e-7}, {2, 1.0 / 3, 1e20}, {3, -10, 15.5}};
const XPRT_LINE kLines[] = {{1, 1, 2, 0, 0.8, 1.2, 0.05, {0, 0}, 0.1, 0.2, 0.3, 0.4},
                              {2, 2, 3, 0, 1.0, 1.0, 0.0, {0, 0}, 0, 0, 0, 1.0 / 7}};
int Node(int k, XPRT_NODE *out) { return k < 3 ? (*out = kNodes[k], 1) : 0; }
int Line(int k, XPRT_LINE *out) { return k < 2 ? (*out = kLines[k], 1) : 0; }
int Values(int k, const char **key, double *v) {
  static const char *keys[] = {".I11", ".ALF"};
  if (k > 1) return 0;
  *key = keys[k];
  *v = k ? 0.25 : 2458.93;
  return 1;
}
int NoValue(int, const char **key, double *v) { return *key = ".A__", *v = 1.0 / 0.0, 1; }

TEST_F(SectionsXprt, BlockReaderTakesWholeFirstTokensAndValuesOnlyFromTheirBlock) {
  Set_XPRT_Filename("T.XPR");
  std::ofstream(Get_XPRT_Path(), std::ios::binary)
      << "OBJECT\r\n2 0 0\r\nNAME\r\nmy~Blech\r\nX NODES 9\r\nNODESX 8\r\n  NODES\t7\r\n1 2 3\r\n.A__ 5\r\nVALUES\r\n"
         ".U__ nan\r\n.A__ +1.5e1\r\n";
  QIMPORT_ENTRY *e = New_QImport_Entry();
  ASSERT_EQ(Read_XPRT_Result(e), 1);
  EXPECT_EQ(e->object_type, 2);
  EXPECT_STREQ(e->name, "my Blech");
  int n = 0;
  ASSERT_EQ(Find_QImport_Block(e, "NODES", &n), 1);
  EXPECT_EQ(n, 7);
  double v = -1;
  EXPECT_EQ(Get_QImport_Value(e, ".A__", &v), 1);
  EXPECT_EQ(v, 15);
  EXPECT_EQ(Get_QImport_Value(e, ".U__", &v), 0);
  EXPECT_EQ(Get_QImport_Value(e, ".IT_", &v), 0);
  EXPECT_EQ(v, 15);
  EXPECT_STREQ(Next_QImport_Line(), "1 2 3");  // the values did not move the cursor
  EXPECT_EQ(Find_QImport_Block(e, "NEWLINES", &n), 0);
  EXPECT_EQ(Next_QImport_Line(), nullptr);
  ASSERT_EQ(Find_QImport_Block(e, "NAME", &n), 1);
  EXPECT_EQ(n, -1);

  fs::resize_file(Get_XPRT_Path(), 16 * 1024 * 1024 + 1);
  EXPECT_EQ(Read_XPRT_Result(e), 0);
  EXPECT_STREQ(e->name, "my Blech");  // untouched
  fs::remove(Get_XPRT_Path());
  EXPECT_EQ(Read_XPRT_Result(e), 0);
}

// The ".GRQ" and ".QIN" goldens pin the written model's text (numbers in shortest form).
TEST_F(SectionsXprt, ExchangePathsModelsAndTheSectionFilesOfTwoEntries) {
  EXPECT_EQ(Set_XPRT_Filename(std::string(271, 'x').c_str()), 0);
  EXPECT_EQ(Set_XPRT_Filename(std::string(270, 'x').c_str()), 1);
  ASSERT_EQ(Set_XPRT_Member_Filename(), 1);
  EXPECT_EQ(Get_XPRT_Path(), (dir_ / "MEMBER_02.XPR").string());
  Set_Bauteil_Path((dir_ / "ABC").c_str());  // shorter than the prefix
  ASSERT_EQ(Set_XPRT_Member_Filename(), 1);
  EXPECT_EQ(Get_XPRT_Path(), (dir_ / "ABC_02.XPR").string());
  ASSERT_EQ(Set_XPRT_Filename("XPRT.TMP"), 1);
  EXPECT_EQ(Get_XPRT_Path(), (dir_ / "ABCXPRT.TMP").string());

  const fs::path grq = dir_ / "ABC.GRQ", qin = dir_ / "ABC.QIN", golden = fs::path(PF_SOURCE_DIR) / "tests/sections/golden";
  EXPECT_EQ(Write_QUER_EIN(), 1);  // no paths yet
  EXPECT_EQ(Save_QImport_Sections(), 1);
  const XPRT_REQUEST line = {"Blech 1", 14, 3, 2, Node, Line, Values};
  QIMPORT_ENTRY *a = Write_XPRT_File(&line);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->object_type, 1);
  EXPECT_STREQ(a->name, "Blech 1");
  int n = 0;
  ASSERT_EQ(Find_QImport_Block(a, "NODES", &n), 1);
  ASSERT_EQ(n, 3);
  for (const XPRT_NODE &k : kNodes) {
    XPRT_NODE r{};
    ASSERT_EQ(Scan_QImport_Values(Next_QImport_Line(), "idd", &r.number, &r.y, &r.z), 3);
    EXPECT_TRUE(r.number == k.number && r.y == k.y && r.z == k.z) << k.number;
  }
  std::ofstream(Get_XPRT_Path()) << "OBJECT\n2 0 0\nNEWPOLYS\n1 3\n1 0 0 0 0\n2 1 0 0 0\n3 0 1 0.5 0\n-1 0\n";
  QIMPORT_ENTRY *b = New_QImport_Entry();
  ASSERT_EQ(Read_XPRT_Result(b), 1);
  New_QImport_Entry();  // unreferenced: dropped by the save
  Add_QImport_Reference(a, +1);
  Add_QImport_Reference(b, +1);
  ASSERT_EQ(Set_QImport_Files(grq.c_str(), qin.c_str()), 1);
  EXPECT_EQ(Save_QImport_Sections(), 0);
  EXPECT_EQ(Count_QImport_Entries(), 2);
  EXPECT_EQ(Slurp(grq), Slurp(golden / "two_entries.GRQ"));
  EXPECT_EQ(Slurp(qin), Slurp(golden / "two_entries.QIN"));
  ASSERT_EQ(Set_QImport_Files((dir_ / "no/such/ABC.GRQ").c_str(), nullptr), 1);
  EXPECT_EQ(Save_QImport_Sections(), 1);

  // Refused requests and failing callbacks leave no file.
  fs::remove(Get_XPRT_Path());
  const XPRT_REQUEST bad[] = {{nullptr, 14, 0, 2, Node, Line, nullptr}, {nullptr, 14, 3, 2, nullptr, Line, nullptr},
                              {nullptr, 14, 4, 2, Node, Line, nullptr}, {nullptr, 14, 3, 3, Node, Line, nullptr},
                              {nullptr, 14, 3, 2, Node, Line, NoValue}};
  for (const XPRT_REQUEST &r : bad) {
    EXPECT_EQ(Write_XPRT_File(&r), nullptr);
    EXPECT_FALSE(fs::exists(Get_XPRT_Path()));
  }
  EXPECT_EQ(Count_QImport_Entries(), 2);
}

TEST_F(SectionsXprt, RunQuerImportNeedsTheProgram) {
  setenv("EXEC", dir_.c_str(), 1);
  Set_XPRT_Filename("XPRT.TMP");
  std::ofstream(Get_XPRT_Path()) << "OBJECT\n1 0 0\n";
  QIMPORT_ENTRY *current = New_QImport_Entry();
  ASSERT_EQ(Read_XPRT_Result(current), 1);
  fs::remove(Get_XPRT_Path());
  EXPECT_EQ(Run_QUER_Import(1, current), nullptr);
  ASSERT_EQ(Host_Messages().size(), 1u);
  EXPECT_EQ(Host_Messages()[0].text, "INSTALLATIONSFEHLER ?");
  EXPECT_FALSE(fs::exists(Get_XPRT_Path()));  // no file touched

  EXPECT_EQ(Set_QImport_Caller_Tag(std::string(101, 't').c_str()), 0);
  ASSERT_EQ(Set_QImport_Caller_Tag("Pos 1 'a'"), 1);
  char cmd[600];
  const int n = Build_QUER_Import_Command(cmd, sizeof cmd, 2);
  const std::string want = "'" + dir_.string() + "/Q.EXE' '2' 'Pos 1 '\\''a'\\''' '" + Get_XPRT_Path() + "'";
  EXPECT_EQ(cmd, want);
  EXPECT_EQ(n, static_cast<int>(want.size()));

  // A program that answers with a section of its own, given the current one.
  std::ofstream(dir_ / "Q.EXE") << "#!/bin/sh\ngrep -qs OBJECT \"$3\" && printf 'OBJECT\\n2 5 6\\n' > \"$3\"\n";
  fs::permissions(dir_ / "Q.EXE", fs::perms::owner_all);
  QIMPORT_ENTRY *answer = Run_QUER_Import(2, current);
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer->object_type, 2);
  EXPECT_EQ(Run_QUER_Import(2, nullptr), nullptr);  // no answer without a section
  unsetenv("EXEC");
}

// A full disk or a value the reader would refuse never costs the old file: each writer of
// the section files fails and leaves the old bytes; with room again the same calls replace
// them.
TEST_F(SectionsXprt, FailedWritesKeepTheOldFiles) {
  Set_XPRT_Filename("EXCH.XPR");
  const std::string xpr = Get_XPRT_Path(), grq = (dir_ / "MEM.GRQ").string(), qin = (dir_ / "MEM.QIN").string();
  static XPRT_NODE node;  // the second node and line of the request
  static XPRT_LINE line;
  const XPRT_REQUEST r = {"Blech", 14, 3, 2, [](int k, XPRT_NODE *o) { return k == 1 ? (*o = node, 1) : Node(k, o); },
                          [](int k, XPRT_LINE *o) { return k == 1 ? (*o = line, 1) : Line(k, o); }, Values};
  node = kNodes[1], line = kLines[1];
  QIMPORT_ENTRY *e = Write_XPRT_File(&r);
  ASSERT_NE(e, nullptr);
  Add_QImport_Reference(e, +1);
  ASSERT_EQ(Set_QImport_Files(grq.c_str(), qin.c_str()), 1);
  const double nan = std::nan(""), inf = HUGE_VAL;
  auto xprt = [&] { return Write_XPRT_File(&r) ? 0 : 1; };
  const struct {
    const char *name;
    std::function<int()> call;
    XPRT_NODE node = kNodes[1];
    XPRT_LINE line = kLines[1];
  } cases[] = {
      {"save and input file, full disk", Save_QImport_Sections},
      {"input file, full disk", Write_QUER_EIN},
      {"exchange file, full disk", xprt},
      {"exchange file, NaN y", xprt, {2, nan, 1.0}},
      {"exchange file, infinite z", xprt, {2, 1.0, -inf}},
      {"exchange file, NaN start thickness", xprt, kNodes[1], {2, 2, 3, 0, nan, 1.0, 0, {0, 0}, 0, 0, 0, 0}},
      {"exchange file, NaN end thickness", xprt, kNodes[1], {2, 2, 3, 0, 1.0, nan, 0, {0, 0}, 0, 0, 0, 0}},
      {"exchange file, infinite fillet", xprt, kNodes[1], {2, 2, 3, 0, 1.0, 1.0, 0, {0, 0}, 0, 0, 0, inf}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::string *p : {&xpr, &grq, &qin}) test_files::Put(*p, "old " + *p + "\n");
    node = c.node, line = c.line;
    const bool full = std::strstr(c.name, "full disk");
    EXPECT_EQ(full ? (test_files::FileSizeCap(16), c.call()) : c.call(), 1);
    for (const std::string *p : {&xpr, &grq, &qin}) EXPECT_EQ(test_files::Slurp(*p), "old " + *p + "\n") << *p;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 3) << "a temporary file was left";
    if (!full) continue;
    EXPECT_EQ(c.call(), 0);  // room again: replaced
    bool replaced = false;
    for (const std::string *p : {&xpr, &grq, &qin}) replaced |= test_files::Slurp(*p) != "old " + *p + "\n";
    EXPECT_TRUE(replaced);
  }
}

// The head of a section model file for the suite's FEM program, which is not installed:
// sound heads answer "not installed"; a head that is missing, misspelt, late, untyped, of an
// unknown type or cut short is refused; the file is never changed; no file, or one that
// opens and cannot be read (a folder), is no file.
TEST_F(SectionsXprt, FemObjectHeadAndAnswer) {
  const fs::path path = dir_ / "fem.XPR";
  const struct {
    const char *what, *text;
    int answer;
  } cases[] = {
      {"library profile", "\nOBJECT\n3 1 1\n\nPROFILNAME\nIPE300\n", FEM_OBJECT_NOT_INSTALLED},
      {"line model", "OBJECT\n1 13 14\nNAME\nDWQB_QImport\nNODES 2\n", FEM_OBJECT_NOT_INSTALLED},
      {"polygon model, CR LF, blank lines first", "  \r\n\r\nOBJECT\r\n2 0 0\r\n", FEM_OBJECT_NOT_INSTALLED},
      {"misspelt head", "OBJECTS\n1 13 14\n", FEM_OBJECT_BAD_HEAD},
      {"head after another line", "NODES 2\nOBJECT\n1 13 14\n", FEM_OBJECT_BAD_HEAD},
      {"unknown type", "OBJECT\n4 1 1\n", FEM_OBJECT_BAD_HEAD},
      {"type 0", "OBJECT\n0 1 1\n", FEM_OBJECT_BAD_HEAD},
      {"no type", "OBJECT\nPROFILNAME\n", FEM_OBJECT_BAD_HEAD},
      {"cut after the head", "OBJECT", FEM_OBJECT_BAD_HEAD},
      {"empty file", "", FEM_OBJECT_BAD_HEAD},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    test_files::Put(path, c.text);
    EXPECT_EQ(Read_FEM_Object_File(path.c_str()), c.answer);
    EXPECT_EQ(Slurp(path), c.text);
  }
  for (const char *none : {"", "/nonexistent/fem.XPR", dir_.c_str()}) EXPECT_EQ(Read_FEM_Object_File(none), FEM_OBJECT_NO_FILE) << none;
  EXPECT_EQ(Read_FEM_Object_File(nullptr), FEM_OBJECT_NO_FILE);
}

}  // namespace
