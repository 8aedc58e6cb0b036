// The profile page on a view area: source radios, shape choice, rows, make and welds, the
// library block with its name field, the buttons and the closing section values.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "drawing_base/drawing_base.h"
#include "host/host_test.h"
#include "profil/profil.h"
#include "sections/sections.h"
#include "support/shell.h"
#include "support/cp850.h"
#include "widgets/widgets.h"
#include "widgets/widgets_internal.h"

namespace {

const int kMemberTypes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, -1};

class ProfilPage : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Test_Reset();
    Reset_Sections_For_Tests();
    Init_Screen_Colors();
    Host_Set_Application_Number(150);
    Define_Prop_Sheet(0, 0, 1279, 1023, 0, 0, "", 0, 0);
    Activate_Prop_Sheet();
    area = Create_Scrollable_View_Area(0, 0, 900, 700, 0, 1);
    Reset_Profil(&p);
  }
  void TearDown() override {
    unsetenv("EXEC");
    Reset_Profil(&p);
    Remove_All_View_Areas();
    while (Host_Sheet_Depth() > 0) Undefine_Prop_Sheet();
    Host_Test_Reset();
  }
  // One pass as the member input makes it (types 1 to 17 unless given, slot 0).
  void Pass(const int *types = kMemberTypes, int options = 0, int separate = 1) {
    Clear_View_Area_Items(area);
    int y = 100;
    Edit_Profil_Page(&p, area, 10, &y, 22, 18, 200, 1, types, options, 0, separate, name_width, 1, nullptr);
    end_y = y;
  }
  // Every item of the last pass as one line: kind, colour, font, option, corners, aux, the
  // field of the profile it edits (offset) and its text.
  std::string Layout() const {
    std::string out;
    const auto *base = reinterpret_cast<const char *>(&p);
    const auto field = [&](const void *ptr) -> long {
      const auto *c = static_cast<const char *>(ptr);
      return ptr && c >= base && c < base + sizeof p ? c - base : -1;
    };
    for (const VIEW_ITEM *i = View_Area_Test_Items(area); i; i = i->next) {
      char line[160];
      std::snprintf(line, sizeof line, "%d c%d f%d o%d (%d,%d)-(%d,%d) a%d v%ld d%ld %s", i->kind, i->colour, i->font,
                    i->option, i->x1, i->y1, i->x2, i->y2, i->aux, field(i->value_ptr), field(i->double_ptr),
                    i->active_ptr ? (*i->active_ptr ? "on " : "off ") : "");
      out += line;
      const bool texts = i->kind == VIEW_TEXT || i->kind == VIEW_RADIO_BUTTON || i->kind == VIEW_NUMBER_FIELD ||
                         i->kind == VIEW_BITMAP_BUTTON || i->kind == VIEW_BITMAP_FILE;
      if (i->text && texts) out += Cp850_To_Utf8(i->text);
      if (i->kind == VIEW_CHOICE_LIST)  // the entries' colours
        for (int k = 0; k < i->aux; ++k) out += " " + std::to_string(static_cast<const VIEW_CHOICE_ENTRY *>(i->target_ptr)[k].colour);
      out += "\n";
    }
    return out + "end " + std::to_string(end_y) + "\n";
  }
  std::vector<const VIEW_ITEM *> Items(int kind) const {
    std::vector<const VIEW_ITEM *> out;
    for (const VIEW_ITEM *i = View_Area_Test_Items(area); i; i = i->next)
      if (i->kind == kind || (kind == 0 && (i->kind == VIEW_TEXT || i->kind == VIEW_RADIO_BUTTON))) out.push_back(i);
    return out;
  }
  // Texts of labels and radios in order (UTF-8).
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const VIEW_ITEM *i : Items(0)) out.push_back(Cp850_To_Utf8(i->text));
    return out;
  }
  int Count(const std::string &t) const { return static_cast<int>(std::ranges::count(Texts(), t)); }
  bool Has(const std::string &t) const { return Count(t) > 0; }
  const VIEW_ITEM *Field(const double *value) const {
    for (const VIEW_ITEM *i : Items(VIEW_NUMBER_FIELD))
      if (i->double_ptr == value) return i;
    return nullptr;
  }
  void Shape(int type, int rolled, double h, double b, double t_w, double t_f) {
    p.kind = 0, p.type = type, p.rolled = rolled, p.h = h, p.b_fo = p.b_fu = b, p.t_w = t_w, p.t_fo = p.t_fu = t_f;
  }
  PROFIL p{};
  int area = -1, end_y = 0, name_width = 0;
};

const int kTube[] = {9, -1};

}  // namespace

TEST_F(ProfilPage, SourceChoiceAndShapeTypes) {
  Shape(4, 1, 300, 150, 7, 10);
  Pass();
  EXPECT_TRUE(Has("Profil aus Profilmanager") && Has("parametrisiertes Stahlprofil") && Has("Profilklasse"));
  EXPECT_FALSE(Has("Profil aus R7-PLAX"));
  ASSERT_EQ(Items(VIEW_CHOICE_LIST).size(), 1u);
  // Choice size and the colours of the shape groups by application (B blue: every type,
  // G green: bars and plated shapes, K black, N brown: shapes the application marks).
  const SCREEN_COLORS *c = Get_Screen_Colors();
  const std::pair<int, const char *> apps[] = {{150, "16 BGGNKKNKNNKNNKNNGG"}, {156, "16 BGGKKKKKKKKKKKKKGG"},
                                               {160, "18 BGGKKKKKNNKKKKNKGG"}, {162, "18 BGGNKKNKNNKNNKNNGG"},
                                               {163, "18 BGGNKKNKNNKNNKNNGG"}, {180, "18 BGGNKKNKNNKNNKNNGG"}};
  for (const auto &[app, want] : apps) {
    Host_Set_Application_Number(app);
    Pass();
    const auto *e = static_cast<const VIEW_CHOICE_ENTRY *>(Items(VIEW_CHOICE_LIST)[0]->target_ptr);
    std::string got = std::to_string(Items(VIEW_CHOICE_LIST)[0]->aux) + " ";
    for (int i = 0; i < PROFIL_TYPE_COUNT; ++i)
      got += e[i].colour == c->blue_value ? 'B' : e[i].colour == c->green ? 'G' : e[i].colour == c->black ? 'K'
           : e[i].colour == c->brown_note ? 'N' : '?';
    EXPECT_EQ(got, want) << app;
  }
  // A type 16 stored under an application that does not offer it: the first allowed type,
  // with the message shown once over many passes.
  Host_Set_Application_Number(150);
  p.type = 16;
  for (int k = 0; k < 3; ++k) Pass();
  EXPECT_EQ(p.type, 1);
  EXPECT_EQ(Host_Messages().size(), 1u);
}

TEST_F(ProfilPage, RadiiWeldsAndRowsByType) {
  struct Case {
    int type, rolled, app;
    const int *types;
    std::vector<std::string> seq;  // texts that follow each other in this order
    std::vector<std::string> absent;
  };
  const Case cases[] = {
      {4, 1, 150, kMemberTypes, {"gewalztes Profil", "Ausrundungsradius", "r", "geschweißtes Profil"}, {"Kehlnaht"}},
      {3, 1, 150, kMemberTypes, {"Ausrundungsradius", "r", "r", "2", "geschweißtes Profil"}, {}},
      {8, 1, 150, kMemberTypes, {"kaltgefertigt", "warmgefertigt", "Ausrundungsradius", "r", "r", "2"}, {}},
      {4, 0, 150, kMemberTypes, {"Kehlnaht", ": Dicke", "a", "o", "mm", "Stumpfnaht", "Kehlnaht", "Stumpfnaht",
                                 " (unten durchgeschweißt)"}, {" (oben durchgeschweißt)"}},
      {16, 0, 180, kMemberTypes, {"Überstand oben", "b", "üo", "mm", "Flanschdicke oben"}, {"Überstand"}},
      {16, 0, 160, kMemberTypes, {"Überstand", "b", "ü"}, {"Überstand oben", "Überstand unten"}},
      {9, 1, 150, kTube, {"Rohrprofil", "Durchmesser", "Wanddicke", "kaltgefertigt", "warmgefertigt"},
       {"Profilklasse"}},
  };
  for (const Case &k : cases) {
    Host_Set_Application_Number(k.app);
    Shape(k.type, k.rolled, 300, 150, 8, 12);
    p.r = p.r_2 = 6, p.through_o = 0, p.through_u = 2;
    Pass(k.types);
    const auto t = Texts();
    auto at = t.begin();
    for (const auto &s : k.seq) {
      at = std::find(at, t.end(), s);
      ASSERT_NE(at, t.end()) << k.type << " " << s;
    }
    for (const auto &s : k.absent) EXPECT_FALSE(Has(s)) << k.type << " " << s;
    EXPECT_EQ(Count("Ausrundungsradius"), k.rolled && k.type != 9);
    if (k.type == 4) { EXPECT_EQ(p.r_2, 0); }
  }
  for (int type : {3, 6, 8, 12, 14}) {  // welded, but no weld rows
    Shape(type, 0, 200, 100, 8, 8), Pass();
    EXPECT_FALSE(Has("Kehlnaht") || Has("Schweißnahtdicke")) << type;
  }
}

TEST_F(ProfilPage, TypedValuesSectionValuesAndGradeBlock) {
  Shape(4, 0, 300, 200, 10, 15);
  p.a_o = p.a_u = 0;
  Pass();
  EXPECT_EQ(Field(&p.h)->x1, 210);
  for (double *v : {&p.h, &p.t_w, &p.b_fo, &p.t_fo, &p.b_fu, &p.t_fu, &p.a_o, &p.a_u}) {
    ASSERT_NE(Field(v), nullptr);
    *v = -5;
    Field(v)->change_fn.on_double(v);
    EXPECT_EQ(*v, 0);
  }
  Shape(4, 0, 400, 200, 10, 15);
  Pass();
  EXPECT_NEAR(p.A, 9700, 1e-6);
  const int without = end_y;  // option bit 0: the grade block after the profile block
  Pass(kMemberTypes, 1);
  ASSERT_EQ(Items(VIEW_CHOICE_LIST).size(), 2u);
  EXPECT_EQ(Items(VIEW_CHOICE_LIST)[1]->y1, without + 22 - 18);
}

TEST_F(ProfilPage, TypedLibraryNameAndButtons) {
  p.kind = 1;
  Pass(kTube);
  EXPECT_TRUE(Has("Kreisrohr"));
  Pass();
  ASSERT_EQ(Items(VIEW_TEXT_FIELD).size(), 1u);
  EXPECT_EQ(std::strlen(Items(VIEW_TEXT_FIELD)[0]->text), 39u);
  EXPECT_EQ(*Items(VIEW_TEXT_FIELD)[0]->active_ptr, 1);
  p.lib_available = 1, name_width = 39;  // with a library the name is chosen there
  Pass();
  EXPECT_EQ(*Items(VIEW_TEXT_FIELD)[0]->active_ptr * 100 + Items(VIEW_TEXT_FIELD)[0]->y2, 39);
  p.lib_available = 0, name_width = 0;
  std::memcpy(p.name, "HEB 300", 7);
  Pass();
  EXPECT_EQ(p.type, 5);
  EXPECT_NEAR(p.A, 14910, 0.002 * 14910);
  // The profile manager is not installed: its button leaves the profile and clears its flag.
  PROFIL before{};
  Copy_Profil(&p, &before);
  *Items(VIEW_BITMAP_BUTTON)[0]->value_ptr = 1;
  Pass();
  EXPECT_EQ(Compare_Profil(&p, &before), 1);
  EXPECT_EQ(*Items(VIEW_BITMAP_BUTTON)[0]->value_ptr, 0);
  // R7-PLAX: the modeller is found but not the program, so nothing is taken over.
  const std::string dir = ::testing::TempDir() + "/pg_exec";
  mkdir(dir.c_str(), 0755);
  std::ofstream(dir + "/Korvandt.exe") << "x";
  setenv("EXEC", dir.c_str(), 1);
  Reset_Sections_For_Tests();  // the modeller is looked for again
  p.kind = 2;
  Pass();
  Copy_Profil(&p, &before);
  ASSERT_TRUE(Has("Profil aus R7-PLAX"));
  *Items(VIEW_BITMAP_BUTTON)[0]->value_ptr = 1;
  Pass();
  EXPECT_EQ(Compare_Profil(&p, &before), 1);
  EXPECT_EQ(*Items(VIEW_BITMAP_BUTTON)[0]->value_ptr, 0);
  Reset_Profil(&before);
}

// The R7-PLAX button runs the program in mode 1 for a thin-walled and 2 for a thick-walled
// section on the profile's current one; the answer becomes the profile's section (the old
// one released), and a thin-walled answer rewrites the section input file.
TEST_F(ProfilPage, R7PlaxAnswerIsTakenOver) {
  const std::string dir = ::testing::TempDir() + "/pg_r7_" + std::to_string(getpid());
  mkdir(dir.c_str(), 0755);
  std::ofstream(dir + "/Korvandt.exe") << "x";
  std::ofstream(dir + "/answer1") << "OBJECT\n1 13 14\nNODES 2\n1 0 0\n2 10 0\nLINES 1\nNEWLINES\n"
                                     "1 1 2 0 0 1 1 0 0 0 0 0 0 0 0 0\n-1\n";
  std::ofstream(dir + "/answer2") << "OBJECT\n2 0 0\nNEWPOLYS\n1 3\n1 0 0 0 0\n2 1 0 0 0\n3 0 1 0 0\n-1 0\n";
  std::ofstream(dir + "/Q.EXE") << "#!/bin/sh\necho \"$1\" >> " + dir + "/modes\ncp " + dir + "/answer$1 \"$3\"\n";
  chmod((dir + "/Q.EXE").c_str(), 0755);
  setenv("EXEC", dir.c_str(), 1);
  Reset_Sections_For_Tests();
  Set_Bauteil_Path((dir + "/BEAM").c_str());
  const std::string qin = dir + "/SECT.QIN";
  Set_QImport_Files((dir + "/SECT.GRQ").c_str(), qin.c_str());
  Host_Set_Application_Number(180);
  p.kind = PROFIL_KIND_QUER;
  QIMPORT_ENTRY *before = nullptr;
  for (int kind : {0, 1}) {
    SCOPED_TRACE(kind);
    std::remove(qin.c_str());
    p.model_kind = kind;
    Pass();
    *Items(VIEW_BITMAP_BUTTON)[0]->value_ptr = 1;
    Pass();
    ASSERT_NE(p.entry, nullptr);
    EXPECT_NE(p.entry, before);
    EXPECT_EQ(p.entry->ref_count * 10 + p.model_kind, 10 + kind);
    EXPECT_EQ(before ? before->ref_count : 0, 0);
    struct stat st;
    EXPECT_EQ(stat(qin.c_str(), &st) == 0, kind == 0);
    before = p.entry;
  }
  std::ifstream modes(dir + "/modes");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(modes), {}), "1\n2\n");
  std::filesystem::remove_all(dir);
}

// The page's layout for every shape type, rolled and welded, with one flange pair and with
// two, under the applications that change it (150, 160, 180; 160 with each type alone and
// its heading), the library and the R7-PLAX source, against tests/profil/golden/profil_page.txt
// (PF_UPDATE_GOLDEN=1 writes it). With one flange pair the page gives the bottom flange,
// overhang and weld the top one's values.
TEST_F(ProfilPage, LayoutOfEveryShapeAndTheFlangePairs) {
  std::string all;
  std::vector<std::pair<std::string, std::string>> layouts;  // a layout shown once, then named
  for (int app : {150, 160, 180}) {
    Host_Set_Application_Number(app);
    for (int type = 1; type < PROFIL_TYPE_COUNT; ++type)
      for (int separate : {1, 0})
        for (int rolled : {0, 1}) {
          Shape(type, rolled, 300, 150, 8, 12);
          std::memcpy(p.name, "IPE 300", 8);  // a parametric shape has no name
          p.b_fu = 140, p.t_fu = 14, p.ue_o = 20, p.ue_u = 30, p.a_o = 5, p.a_u = 6, p.through_o = 0, p.through_u = 2;
          p.r_2 = 3;
          const int one[] = {type, -1};
          Pass(type % 3 == 0 || app == 160 ? one : kMemberTypes, 0, separate);
          EXPECT_EQ(std::string(p.name).find_first_not_of(' '), std::string::npos) << p.name;
          // The head names the case and the dimensions the pass left (one flange pair: the
          // bottom flange, overhang and weld take the top one's, a single thickness both).
          char dims[160];
          std::snprintf(dims, sizeof dims, " -> t_w %g t_fo %g b_fu %g t_fu %g ue_u %g a_u %g through_u %d r_2 %g",
                        p.t_w, p.t_fo, p.b_fu, p.t_fu, p.ue_u, p.a_u, p.through_u, p.r_2);
          const std::string head = "app " + std::to_string(app) + " type " + std::to_string(type) + " separate " +
                                   std::to_string(separate) + " rolled " + std::to_string(rolled) + dims;
          const std::string layout = Layout();
          const auto seen = std::find_if(layouts.begin(), layouts.end(), [&](const auto &l) { return l.second == layout; });
          all += head + (seen == layouts.end() ? "\n" + layout : " as " + seen->first + "\n");
          if (seen == layouts.end()) layouts.push_back({head, layout});
        }
  }
  // The library: a heading for one allowed family, a typed name matched to its own series
  // (an HEB is an H shape where H is allowed, else the first allowed type that takes it).
  Host_Set_Application_Number(150);
  p.kind = 1;
  const int single[][2] = {{4, -1}, {3, -1}, {11, -1}, {8, -1}, {9, -1}, {5, -1}};
  const int i_and_h[] = {4, 5, -1}, l_and_i[] = {3, 4, -1};
  for (const int *types : {single[0], single[1], single[2], single[3], single[4], kMemberTypes}) {
    Pass(types);
    all += "library " + std::to_string(types[0]) + "\n" + Layout();
  }
  for (const int *types : {kMemberTypes, i_and_h, single[0], single[5], l_and_i, single[1]}) {
    std::memcpy(p.name, "HEB 300", 8);
    p.type = 0;
    Pass(types);
    all += "library HEB 300 as " + std::to_string(types[0]) + ": type " + std::to_string(p.type) + " name '" +
           std::string(p.name) + "'\n" + Layout();
  }
  // Every type allowed (a list holding 0), and the page inactive: greyed, no cell active.
  p.kind = 0;
  Shape(4, 0, 300, 150, 8, 12);
  const int every[] = {0, -1};
  Pass(every);
  all += "every type\n" + Layout();
  Clear_View_Area_Items(area);
  int y_inactive = 100;
  Edit_Profil_Page(&p, area, 10, &y_inactive, 22, 18, 200, 0, kMemberTypes, 0, 0, 1, 0, 1, nullptr);
  end_y = y_inactive;
  all += "inactive\n" + Layout();
  // R7-PLAX where its modeller is installed, with the model kind under application 180;
  // the highest slot draws, one beyond draws nothing.
  const std::string dir = ::testing::TempDir() + "/pg_layout_exec";
  mkdir(dir.c_str(), 0755);
  std::ofstream(dir + "/Korvandt.exe") << "x";
  setenv("EXEC", dir.c_str(), 1);
  Reset_Sections_For_Tests();
  p.kind = 2;
  for (int app : {150, 180}) {
    Host_Set_Application_Number(app);
    p.model_kind = 1;
    Pass();
    all += "R7-PLAX " + std::to_string(app) + " model kind " + std::to_string(p.model_kind) + "\n" + Layout();
  }
  p.kind = 0;  // offered but not chosen, then not offered
  Pass();
  all += "R7-PLAX offered, parametric\n" + Layout();
  Set_Profil_Import_Choice(0);
  Pass();
  all += "R7-PLAX not offered\n" + Layout();
  Set_Profil_Import_Choice(1);
  p.kind = 2;
  for (int slot : {9, 10}) {
    Clear_View_Area_Items(area);
    int y = 100;
    Edit_Profil_Page(&p, area, 10, &y, 22, 18, 200, 1, kMemberTypes, 0, slot, 1, 0, 1, nullptr);
    end_y = y;
    all += "slot " + std::to_string(slot) + "\n" + Layout();
  }
  const std::string path = std::string(PF_SOURCE_DIR) + "/tests/profil/golden/profil_page.txt";
  if (std::getenv("PF_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << all;
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), all) << "PF_UPDATE_GOLDEN=1 writes it";
}
