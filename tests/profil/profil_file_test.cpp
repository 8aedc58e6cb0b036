// Profile block of the data file and the take-over of R7-PLAX sections.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include <locale.h>

#include "common/written_text.h"
#include "host/host.h"
#include "profil/profil.h"
#include "sections/sections_internal.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string Slurp(const fs::path &p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}
std::string Golden(const char *name) { return Slurp(fs::path(PF_SOURCE_DIR) / "tests/profil/golden" / name); }

std::string Written(const PROFIL &p, int *rc = nullptr) {
  return Written_Text([&](FILE *f) { return Write_Profil(f, &p); }, rc);
}

int ReadText(const std::string &text, PROFIL *p) {
  FILE *f = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
  const int rc = Read_Profil(f, p);
  std::fclose(f);
  return rc;
}

// The grade block of S235 (version 2).
const std::string kGrade =
    " 2\n 0 0 0.000000 0.000000 0.800000 210000.000000 0.300000 80769.230769 1.200000 235.000000 360.000000 "
    "215.000000 360.000000 215.000000 360.000000\n ~~~~~~~~~~~~~~~~~~~~~~~~~\n";

class ProfilFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::current_path() / ("pf_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    Fresh();
  }
  void TearDown() override {
    Reset_Profil(&a_);
    Reset_Profil(&b_);
    Host_Reset();
  }
  // Program start, with the member file stem <dir>/CH and work-file number 1.
  void Fresh() {
    Host_Reset();
    Set_Bauteil_Path((dir_ / "CH").c_str());
    Set_File_Number(1);
  }
  fs::path Xpr() const { return dir_ / "CH_01.XPR"; }
  // The channel of the section tables: an entry from its ".XPR", taken over.
  int Channel(PROFIL *p, const std::string &xpr, int show = 1) {
    std::ofstream(Xpr(), std::ios::binary) << xpr;
    Reset_Profil(p);
    p->kind = PROFIL_KIND_QUER;
    Init_Material_Data(&p->grade);
    Set_XPRT_Member_Filename();
    p->entry = New_QImport_Entry();
    Add_QImport_Reference(p->entry, +1);
    Read_XPRT_Result(p->entry);
    return Set_Profil_from_QImport(p, show);
  }
  fs::path dir_;
  PROFIL a_{}, b_{};
};

TEST_F(ProfilFile, DefaultProfileBlockIsByteExactAndWriteFailuresReport) {
  ASSERT_EQ(Set_Default_Profil(&a_), 0);
  int rc = -1;
  EXPECT_EQ(Written(a_, &rc), Golden("he280a.blk"));
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(Write_Profil(nullptr, &a_), 1);
  FILE *full = std::fopen("/dev/full", "w");
  ASSERT_NE(full, nullptr);
  std::setvbuf(full, nullptr, _IONBF, 0);
  EXPECT_EQ(Write_Profil(full, &a_), 1);
  std::fclose(full);
  // A decimal-comma locale of the program changes no byte of the block.
  locale_t de = newlocale(LC_ALL_MASK, "de_DE.UTF-8", static_cast<locale_t>(0));
  if (!de) return;  // not installed here
  locale_t old = uselocale(de);
  EXPECT_EQ(Written(a_), Golden("he280a.blk"));
  EXPECT_EQ(ReadText(Golden("he280a.blk"), &b_), 0);
  uselocale(old);
  freelocale(de);
  EXPECT_DOUBLE_EQ(b_.grade.betaw, 0.8);
}

// A block its reader would refuse is not written: every number of the block that is not
// finite, of every kind; the grade's own numbers fail through its writer. A buffered write
// to a full device fails at once.
TEST_F(ProfilFile, WriterRefusesNumbersTheReaderRefuses) {
  const double nan = std::nan(""), inf = HUGE_VAL;
  PROFIL_NODE nodes[5] = {};
  PROFIL_LINE lines[3] = {};
  const struct {
    const char *name;
    std::function<void(PROFIL *)> spoil;
    bool nothing_written;
  } cases[] = {
      {"height", [=](PROFIL *p) { p->h = nan; }, true},
      {"bottom flange", [=](PROFIL *p) { p->t_fu = -inf; }, true},
      {"weld throat", [=](PROFIL *p) { p->a_u = nan; }, true},
      {"second radius", [=](PROFIL *p) { p->r_2 = inf; }, true},
      {"overhang", [=](PROFIL *p) { p->ue_u = nan; }, true},
      {"node z", [=](PROFIL *p) { p->nodes[4].z = nan; }, true},
      {"node sagitta", [=](PROFIL *p) { p->nodes[0].s_p = inf; }, true},
      {"line end thickness", [=](PROFIL *p) { p->lines[2].d_e = nan; }, true},
      {"line fillet", [=](PROFIL *p) { p->lines[0].r_er = -inf; }, true},
      {"imported perimeter", [=](PROFIL *p) { p->imported[PROFIL_IMP_U] = nan; }, true},
      {"grade strength", [=](PROFIL *p) { p->grade.fy_80 = nan; }, false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    Reset_Profil(&a_);
    a_.kind = PROFIL_KIND_QUER;  // every field is written
    Init_Material_Data(&a_.grade);
    a_.nodes = nodes, a_.node_count = 5;
    a_.lines = lines, a_.line_count = 3;
    int rc = -1;
    ASSERT_FALSE(Written(a_, &rc).empty());
    ASSERT_EQ(rc, 0);
    c.spoil(&a_);
    const std::string text = Written(a_, &rc);
    EXPECT_EQ(rc, 1);
    if (c.nothing_written) {
      EXPECT_EQ(text, "");
    }
    a_.nodes = nullptr, a_.node_count = 0;
    a_.lines = nullptr, a_.line_count = 0;
    for (auto &n : nodes) n = PROFIL_NODE{};
    for (auto &l : lines) l = PROFIL_LINE{};
  }
  ASSERT_EQ(Set_Default_Profil(&a_), 0);
  FILE *full = std::fopen("/dev/full", "w");
  ASSERT_NE(full, nullptr);
  EXPECT_EQ(Write_Profil(full, &a_), 1);  // buffered: only the flush sees the full device
  std::fclose(full);
}

TEST_F(ProfilFile, ChannelIsTakenOverWrittenAndReadBack) {
  const std::string xpr = Golden("channel.XPR");
  ASSERT_EQ(Channel(&a_, xpr), 0);
  EXPECT_EQ(Written(a_), Golden("channel.blk"));
  EXPECT_EQ(Calc_Profil_Querschnittswerte(&a_, nullptr, 0, ""), 0);
  EXPECT_NEAR(a_.A, 3520, 1e-9);
  EXPECT_NEAR(a_.y_M, -63.701, 1e-9);
  EXPECT_NEAR(a_.z_M, 0, 1e-9);
  EXPECT_NEAR(a_.I_y, 24589300, 1e-6);
  EXPECT_NEAR(a_.I_z, 3502200, 1e-6);
  EXPECT_EQ(a_.I_yz, 0);

  // With the ".XPR": the same record, the same bytes, one reference.
  ASSERT_EQ(ReadText(Golden("channel.blk"), &b_), 0);
  ASSERT_NE(b_.entry, nullptr);
  EXPECT_EQ(b_.entry->ref_count, 1);
  EXPECT_EQ(Compare_Profil(&a_, &b_), 1);
  EXPECT_EQ(Written(b_), Golden("channel.blk"));
  PROFIL c{};
  Copy_Profil(&b_, &c);
  QIMPORT_ENTRY *e = b_.entry;
  EXPECT_EQ(e->ref_count, 2);
  Reset_Profil(&c);
  Reset_Profil(&b_);
  EXPECT_EQ(e->ref_count, 0);

  // Without it, and with a garbage one: the block's own lists and values, no entry.
  for (const char *garbage : {"", "OBJECT\n1 13 14\nNODES 4\n1 x\n"}) {
    SCOPED_TRACE(garbage);
    fs::remove(Xpr());
    if (*garbage) std::ofstream(Xpr(), std::ios::binary) << garbage;
    ASSERT_EQ(ReadText(Golden("channel.blk"), &b_), 0);
    EXPECT_EQ(b_.entry, nullptr);
    EXPECT_EQ(Written(b_), Golden("channel.blk"));
    EXPECT_EQ(Calc_Profil_Querschnittswerte(&b_, nullptr, 0, ""), 1);
    if (*garbage) { EXPECT_EQ(Slurp(Xpr()), garbage); }
  }
  Reset_Profil(&b_);
  Purge_QImport_Entries();
  EXPECT_EQ(Count_QImport_Entries(), 1);  // a_'s entry only

  // Without a torsion constant the shear centre stays where R7-PLAX put it.
  std::string no_torsion = xpr;
  ASSERT_EQ(Channel(&b_, no_torsion.replace(no_torsion.find(".IT_ 9.9093"), 11, ".IT_ 0")), 0);
  EXPECT_NEAR(b_.imported[PROFIL_IMP_Y_M], -33.565, 1e-9);
  EXPECT_NEAR(b_.imported[PROFIL_IMP_Z_M], 55, 1e-9);
}

TEST_F(ProfilFile, TakeOverOfLinesAndPolygons) {
  const std::string head = "OBJECT\n1 0 0\nNODES 2\n1 0 0\n2 0 10\n";
  const std::string l = " 0 0 1 1 0 0 0 0 0 0 0 0 0\n";
  const std::string gen = "R7-PLAX - allgemeiner Fehler: Querschnitt kann nicht importiert werden";
  std::string many_nodes = "OBJECT\n1 0 0\nNODES 10001\n", many_lines = head + "LINES 10001\nNEWLINES\n-1\n";
  struct Case {
    std::string text;
    int rc, nodes, lines;
    std::string message;
  } cases[] = {
      {"OBJECT\n1 0 0\nNODES 0\n", 0, 0, 0, ""},
      {head + "LINES 3\nNEWLINES\n1 1 2" + l + "2 1 2 0 0 1 1 0 1 0 0 0 0 0 0 0\n3 2 1" + l + "-1\n", 0, 2, 2, ""},
      {head + "LINES 3\nNEWLINES\n1 1 2" + l + "2 1 2" + l + "3 2 1" + l + "4 2 1" + l + "-1\n", 0, 2, 3, ""},
      {head + "LINES 3\n1 1 2" + l + "-1\n", 1, 0, 0, gen},
      {head + "LINES 1\nNEWLINES\n1 1 2" + l, 1, 0, 0, gen},          // block ends first
      {head + "LINES 1\nNEWLINES\n1 1 2 0 0 1\n-1\n", 1, 0, 0, gen},  // unreadable line
      {head + "LINES 0\nNEWLINES\n-1\n", 1, 0, 0, ""},
      {"OBJECT\n1 0 0\nNODES -2\n", 1, 0, 0, gen},
      {"OBJECT\n2 0 0\nNEWPOLYS\n1 4\n1 0 0 0 0\n2 9 0 0.5 0\n3 9 9 0 0\n4 0 9 0 0\n2 2\n8 0 0 0 0\n9 1 1 0 0\n"
       "0 3\n5 1 1 0 0\n6 2 1 0 0\n7 2 2 0 0\n-1 0\n",
       0, 7, 0, ""},
      {"OBJECT\n2 0 0\nNEWPOLYS\n1 -3\n-1 0\n", 1, 0, 0, gen},
      {many_nodes, 1, 0, 0, "R7-PLAX: Querschnitte mit mehr als 10000 Knoten können nicht importiert werden"_cp},
      {many_lines, 1, 0, 0, "R7-PLAX: Querschnitte mit mehr als 10000 Linien können nicht importiert werden"_cp},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    for (int show : {0, 1}) {
      Host_Clear_Messages();
      EXPECT_EQ(Channel(&a_, c.text, show), c.rc);
      const QIMPORT_ENTRY *e = Get_QImport_Entry(Count_QImport_Entries() - 1);
      EXPECT_EQ(a_.node_count, c.nodes);
      EXPECT_EQ(a_.line_count, c.lines);
      EXPECT_EQ(e->ref_count, c.rc ? 0 : 1);
      EXPECT_EQ(a_.entry, c.rc ? nullptr : e);
      ASSERT_EQ(Host_Messages().size(), show && !c.message.empty() ? 1u : 0u);
      if (show && !c.message.empty()) { EXPECT_EQ(Host_Messages()[0].text, c.message); }
    }
    if (c.nodes == 7) {
      const int poly[] = {-1, -1, -1, -1, 1, 1, 1};
      for (int k = 0; k < 7; ++k) EXPECT_EQ(a_.nodes[k].polygon, poly[k]) << k;
      EXPECT_EQ(a_.nodes[4].number, 5);
      EXPECT_DOUBLE_EQ(a_.nodes[1].s_p, 0.5);
      EXPECT_DOUBLE_EQ(a_.nodes[1].y, 90);
    }
    if (c.lines == 2) { EXPECT_EQ(a_.lines[1].number, 3); }
  }
  Reset_Profil(&a_);
  EXPECT_EQ(Set_Profil_from_QImport(&a_, 1), 0);  // no entry: nothing to take
  EXPECT_EQ(a_.node_count, 0);
}

// Write and read compare equal for every kind and shape type, with names of blanks and
// a tab, and for arcs of a polygon model.
TEST_F(ProfilFile, RoundTripsOfEveryKind) {
  for (int type = 1; type <= 17; ++type)
    for (int rolled : {0, 1}) {
      SCOPED_TRACE(::testing::Message() << "type " << type << " rolled " << rolled);
      Reset_Profil(&a_);
      a_.type = type;
      a_.rolled = rolled;
      a_.h = 300.25, a_.t_w = 8, a_.b_fo = 200, a_.t_fo = 12, a_.b_fu = 180, a_.t_fu = 14;
      a_.r = 15, a_.r_2 = 4, a_.a_o = 5, a_.a_u = 6, a_.ue_o = 20, a_.ue_u = 30, a_.through_u = 1;
      a_.hot_finished = type % 2;
      std::snprintf(a_.name, sizeof a_.name, "%s", type == 4 ? "" : "W 300");
      Init_Material_Data(&a_.grade);
      ASSERT_EQ(ReadText(Written(a_), &b_), 0);
      EXPECT_EQ(Compare_Profil(&a_, &b_), 1);
      EXPECT_EQ(std::strlen(b_.name), 39u);
    }
  EXPECT_STREQ(b_.name, "W 300                                  ");
  std::snprintf(a_.name, sizeof a_.name, "my\tangle 1");
  ASSERT_EQ(ReadText(Written(a_), &b_), 0);
  EXPECT_STREQ(b_.name, "my angle 1                             ");
  ASSERT_EQ(Set_Default_Profil(&a_), 0);
  ASSERT_EQ(ReadText(Written(a_), &b_), 0);
  EXPECT_EQ(Compare_Profil(&a_, &b_), 1);
  // Kind 2: polygons with arcs; 5 nodes and 2 lines (the rows break differently).
  const std::string l = " 0 0 1 1 0 0 0.1 0.2 0.3 0.4 0 0 0\n";
  for (const std::string &xpr :
       {"OBJECT\n2 1 2\nNEWPOLYS\n1 4\n1 0 0 0 0\n2 9 0 0.25 0\n3 9 9 0 0\n4 0 9 -0.5 0\n-1 0\n"s,
        "OBJECT\n1 0 0\nNODES 5\n1 0 0\n2 1 0\n3 2 0\n4 3 0\n5 4 1\nLINES 2\nNEWLINES\n1 1 2" + l + "2 4 5" + l +
            "-1\nVALUES\n.A__ 2\n.ALF 0.1\n.ZMN -1\n"}) {
    ASSERT_EQ(Channel(&a_, xpr), 0);
    fs::remove(Xpr());
    ASSERT_EQ(ReadText(Written(a_), &b_), 0);
    EXPECT_EQ(Compare_Profil(&a_, &b_), 1);
    EXPECT_DOUBLE_EQ(b_.nodes[3].s_p, a_.model_kind ? -0.5 : 0.0);
  }
}

TEST_F(ProfilFile, OldVersionsAndProfileManagerNotes) {
  const std::string I = " 0 4 300 8 200 12 200 12 0 0 5 5\n WELD\n";
  const std::string gone = "!! ACHTUNG !!\nDer neue Profilmanager ist nicht verfügbar.\n"
                           "Die betroffenen Profile werden parametrisiert angezeigt."_cp;
  struct Case {
    std::string block;
    int manager, rc, kind, type;
    double h, a_u;
    int grade;
    std::string name, message;
  } cases[] = {
      {" 0\n 0 8 100 5 50 5 0 0 1 0 0 0\n" + kGrade, 0, 0, 0, 9, 100, 0, 0, "", ""},
      {" 1\n 1 0 0 0 0 0 0 0 1 0 0 0\n HE280A\n" + kGrade.substr(0, 4) + "2" + kGrade.substr(5), 0, 0, 1, 5, 270, 0, 2,
       "HE280A", ""},
      {" 1\n 1 6 123 4 0 0 0 0 1 0 0 0\n XY~99\n" + kGrade.substr(0, 4) + "2" + kGrade.substr(5), 0, 0, 1, 7, 123, 0, 2,
       "XY 99", ""},
      {" 3\n" + I + kGrade + " 0\n", 0, 0, 0, 4, 300, 5, 0, "WELD", ""},
      {" 6\n" + I + kGrade + " 0 0\n 0 0\n 0 0\n", 0, 0, 0, 4, 300, 5, 0, "WELD", ""},
      {" 11\n", 0, 1, 0, 0, 0, 0, 0, "",
       "!! ACHTUNG !!\nDie Eingabedatei ist aktueller als die Programmversion\nBitte aktualisieren Sie das Programm."_cp},
      {" 10\n 1 5 1 1 1 1 1 1 1 0 0 0\n A\n" + kGrade + " 0 1\n 0 0 0 0\n 0\n", 0, 0, 0, 5, 1, 0, 0, "A", gone},
      {" 3\n 1 5 1 1 1 1 1 1 1 0 0 0\n A\n" + kGrade + " 0\n", 1, 0, 1, 5, 1, 0, 0, "A",
       "!! Der neue Profilmanager ist verfügbar !!\nBitte kontrollieren Sie die gewählten Profile."_cp},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.block.substr(0, 40));
    Fresh();
    Set_Profilmanager_Installed_For_Tests(c.manager);
    for (int pass : {0, 1}) {
      EXPECT_EQ(ReadText(c.block, &a_), c.rc);
      const bool shown = !c.message.empty() && (!pass || c.rc);  // notes once, warnings always
      EXPECT_EQ(Host_Messages().size(), shown ? 1u : 0u);
      if (shown) { EXPECT_EQ(Host_Messages().back().text, c.message); }
      Host_Clear_Messages();
    }
    if (c.rc) continue;
    EXPECT_EQ(a_.kind, c.kind);
    EXPECT_EQ(a_.type, c.type);
    EXPECT_DOUBLE_EQ(a_.h, c.h);
    EXPECT_DOUBLE_EQ(a_.a_u, c.a_u);
    EXPECT_EQ(a_.grade.grade, c.grade);
    EXPECT_EQ(a_.name, (c.name + std::string(39, ' ')).substr(0, 39));
  }
  EXPECT_EQ(a_.lib_available, 1);
  Fresh();
  Set_Refresh_Mode(1);
  EXPECT_EQ(ReadText(" 11\n", &a_), 1);
  EXPECT_TRUE(Host_Messages().empty());

  // Kind 2: version 6 has no section rows and tries no take-over; version 8 has no U.
  std::ofstream(Xpr(), std::ios::binary) << Golden("channel.XPR");
  const std::string q = " 2 0 0 0 0 0 0 0 0 0 0 0\n Q\n" + kGrade + " 0 0\n 0 0\n 0 0\n";
  ASSERT_EQ(ReadText(" 6\n" + q, &a_), 0);
  EXPECT_EQ(a_.entry, nullptr);
  EXPECT_EQ(a_.node_count, 0);
  fs::remove(Xpr());
  ASSERT_EQ(ReadText(" 8\n" + q + " 1 1 0 0 0\n 1 -1 2 3 0.5\n 7 1 1 1 1 1 1 1 1 1 1 1 1 1\n", &a_), 0);
  EXPECT_EQ(a_.imported[PROFIL_IMP_U], 0);
  EXPECT_EQ(a_.imported[PROFIL_IMP_A], 7);
  EXPECT_DOUBLE_EQ(a_.nodes[0].s_p, 0.5);
}

TEST_F(ProfilFile, BadAndTruncatedBlocksFail) {
  const std::string ch = Golden("channel.blk");
  std::string bad[] = {
      ch.substr(0, ch.find(" 0 4 3")) + " 0 -1 3 13 14\n",
      ch.substr(0, ch.find(" 0 4 3")) + " 0 4 10001 13 14\n",
      " 10\n 1 5 1 1 1 1 1 1 1 0 0 0\n " + std::string(40, 'N') + "\n" + kGrade + " 0 0\n 0 0 0 0\n 0\n",
      " 10\n 1 5 nan 1 1 1 1 1 1 0 0 0\n A\n" + kGrade + " 0 0\n 0 0 0 0\n 0\n",
  };
  for (const std::string &b : bad) EXPECT_EQ(ReadText(b, &a_), 1) << b.substr(0, 60);
  for (const char *g : {"he280a.blk", "channel.blk"}) {
    const std::string full = Golden(g);
    const size_t last = full.find_last_not_of(" \n");  // the last token's last byte
    for (size_t cut = 0; cut <= last; ++cut) ASSERT_EQ(ReadText(full.substr(0, cut), &a_), 1) << g << " cut at " << cut;
  }
}

}  // namespace
