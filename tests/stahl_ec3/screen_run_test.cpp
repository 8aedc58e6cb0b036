// The member program on its screen, driven by scripted input on a copy of the example: a row
// appended and saved, leaving without saving, the close request, help, the result page and
// the frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "host/host_test.h"
#include "stahl_ec3/stahl_ec3.h"
#include "support/cp850.h"
#include "tests/stahl_ec3/member_fixture.h"
#include "tests/testsupport/screen_test.h"

namespace fs = std::filesystem;

namespace {

// Screen points of the main sheet: the register tabs, the icon bar's buttons ("Hilfe",
// "Ende"), the first content pixel of the page area.
constexpr int kTabY = 75, kTab4X = 260, kTab5X = 430;
constexpr int kHelpX = 546, kEndX = 591, kBarY = 27;
constexpr int kAreaX = 14, kAreaY = 92;
// Page 4: the table's left edge and first row (content pixels), its pitch.
constexpr int kRowX = 25, kRowY = 100, kPitch = 22;

// "c" step of the content point (x, y).
std::string At(int x, int y) { return "c" + std::to_string(kAreaX + x) + "," + std::to_string(kAreaY + y); }
// Pointer onto an icon-bar button, a rest, then the click.
std::string Bar(int x) {
  const std::string p = std::to_string(x) + "," + std::to_string(kBarY);
  return "m" + p + " w200 c" + p + " w50";
}
// The finish dialog's buttons: "speichern und beenden", "beenden ohne zu speichern".
const std::string kSave = "c520,450", kQuit = "c520,480";

class MemberScreen : public MemberFolderTest {
 protected:
  // Start-up as the host starts the program for the screen; −1 expected.
  void Start() {
    std::vector<std::string> args = {"stahl_ec3", Stem(), "0", "1", "12"};
    std::vector<char *> argv;
    for (std::string &a : args) argv.push_back(a.data());
    ASSERT_EQ(Start_Stahl_EC3(5, argv.data()), -1);
  }
};

// Page 4: a row "Brand 4" with N −250 appended, "Ende", "speichern und beenden": four rows in
// the ".INP", the list renewed, the copies gone, exit 1.
TEST_F(MemberScreen, AppendedRowIsSaved) {
  Put("BSP1_01.XPR", "xpr\n");
  Start();
  const int append_y = kRowY + 3 * kPitch + 6;
  Script("c" + std::to_string(kTab4X) + "," + std::to_string(kTabY) + " w50 " + At(kRowX + 20, append_y) + " w50 " +
         At(kRowX + 60, kRowY + 3 * kPitch + 6) + " w50 tBrand_4 k13 w50 t-250 k13 w50 k27 w50 " + Bar(kEndX) + " " +
         kSave);
  EXPECT_EQ(Run_Stahl_EC3_Screen(), 1) << Host_Last_Calls(30);
  const std::string inp = Get("BSP1_01.INP");
  EXPECT_NE(inp.find("\n 4\n"), std::string::npos) << inp;
  EXPECT_NE(inp.find("\n Brand~4 -250.000000 0.000000 "), std::string::npos) << inp;
  EXPECT_NE(inp.find("\n Brand~3 -1500.000000 250.000000 "), std::string::npos);
  EXPECT_TRUE(fs::exists(Dir() + "/BSP1_01.OLI"));
  EXPECT_FALSE(fs::exists(Dir() + "/BSP1_01_TMP.XPR"));
  EXPECT_EQ(Get("BSP1_01.XPR"), "xpr\n");
  EXPECT_EQ(Host_Frame_Title(), std::string("Position 12: D7-EV3 - Brandschutz"));
}

// "Ende", "beenden ohne zu speichern" after a row was appended: the ".INP" keeps its bytes, the
// ".XPR" that changed during the run is put back from its start-of-run copy, exit 0.
TEST_F(MemberScreen, LeavingWithoutSavingRestoresTheExchangeFile) {
  Put("BSP1_01.XPR", "xpr at start\n");
  const std::string inp = Get("BSP1_01.INP");
  Start();
  Put("BSP1_01.XPR", "xpr changed by the section program\n");
  Script("c" + std::to_string(kTab4X) + "," + std::to_string(kTabY) + " w50 " + At(kRowX + 20, kRowY + 3 * kPitch + 6) +
         " w50 " + Bar(kEndX) + " " + kQuit);
  EXPECT_EQ(Run_Stahl_EC3_Screen(), 0) << Host_Last_Calls(30);
  EXPECT_EQ(Get("BSP1_01.INP"), inp);
  EXPECT_EQ(Get("BSP1_01.XPR"), "xpr at start\n");
  EXPECT_FALSE(fs::exists(Dir() + "/BSP1_01_TMP.XPR"));
  EXPECT_FALSE(fs::exists(Dir() + "/BSP1_01.OLI"));
}

// The host's close request asks once; yes puts the exchange files back, drops the copies and
// answers 32768; no answers 0 and changes nothing.
TEST_F(MemberScreen, CloseRequest) {
  for (int yes = 0; yes < 2; ++yes) {
    SCOPED_TRACE(yes ? "yes" : "no");
    Fresh_Folder();
    Put("BSP1_01.EXP", "exp at start\n");
    Start();
    Put("BSP1_01.EXP", "exp changed\n");
    Host_Clear_Messages();
    Host_Queue_Answer(yes);
    EXPECT_EQ(Host_Request_Close(), yes ? 32768 : 0);
    ASSERT_EQ(Host_Messages().size(), 1u);
    EXPECT_EQ(Host_Messages()[0].text, "Aktuelle Bearbeitung abbrechen?");
    EXPECT_EQ(Get("BSP1_01.EXP"), yes ? "exp at start\n" : "exp changed\n");
    EXPECT_EQ(fs::exists(Dir() + "/BSP1_01_TMP.EXP"), !yes);
  }
}

// "Hilfe" opens the topic of the page shown: register 1 for page 1, 4 and 5 for theirs.
TEST_F(MemberScreen, HelpTopicOfThePage) {
  const struct {
    int tab_x;  // 0: page 1 as at the start
    const char *topic;
  } cases[] = {{0, "Helpview(vi319_register1)"}, {kTab4X, "Helpview(vi319_register4)"},
               {kTab5X, "Helpview(vi319_register5)"}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.topic);
    Host_Test_Reset();
    Fresh_Folder();
    Start();
    const std::string tab = c.tab_x ? "c" + std::to_string(c.tab_x) + "," + std::to_string(kTabY) + " w50 " : "";
    Script(tab + Bar(kHelpX) + " " + Bar(kEndX) + " " + kQuit);
    EXPECT_EQ(Run_Stahl_EC3_Screen(), 0) << Host_Last_Calls(30);
    const std::vector<std::string> &r = Host_Service_Requests();
    EXPECT_EQ(std::count(r.begin(), r.end(), std::string(c.topic)), 1);
    EXPECT_EQ(std::count(r.begin(), r.end(), std::string("Init_Helpview(DOZU_169.HLP)")), 1);
  }
}

// The colour of the drawing before the last pxText of the text, as RGB; {-1} when not drawn.
std::vector<int> Text_Colour(const std::string &text) {
  const std::vector<std::string> &calls = Host_Calls();
  const std::string key = "pxText(";
  for (std::size_t i = calls.size(); i-- > 0;) {
    if (calls[i].rfind(key, 0) != 0 || calls[i].find("\"" + text + "\"") == std::string::npos) continue;
    for (std::size_t j = i; j-- > 0;)
      if (calls[j].rfind("pxFgc(", 0) == 0) {
        int r, g, b;
        pxQCR(std::atoi(calls[j].c_str() + 6), &r, &g, &b);
        return {r, g, b};
      }
  }
  return {-1};
}

// Page 5: the largest utilisation of every row in per cent, green up to 1.0, red above it, a
// red "XXXXXX" without a result, and the note.
TEST_F(MemberScreen, ResultPage) {
  const std::vector<int> green = {0, 128, 0}, red = {255, 0, 0};
  const struct {
    int method;
    std::vector<std::pair<std::string, std::vector<int>>> shown;
  } cases[] = {
      {1, {{"43%", green}, {"106%", red}, {"0%", green}}},
      {2, {{"XXXXXX", red}}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.method);
    Host_Test_Reset();
    Fresh_Folder();
    BAUTEIL b{};
    BRANDLAST row{};
    row.N = -100, row.M_y = 10;
    Make_Test_Member(&b, 0, c.method, 0, 0, row);
    Alloc_Brandlasten(&b, 3);
    b.brandlasten[0] = row;
    b.brandlasten[1].N = -1000;  // 250 N/mm² over 235
    ASSERT_EQ(Save_Bauteil_File((Dir() + "/BSP1_01.INP").c_str(), &b), 0);
    Reset_Bauteil(&b);
    Start();
    Script("c" + std::to_string(kTab5X) + "," + std::to_string(kTabY) + " w50 " + Bar(kEndX) + " " + kQuit);
    EXPECT_EQ(Run_Stahl_EC3_Screen(), 0) << Host_Last_Calls(30);
    for (const auto &[text, rgb] : c.shown) EXPECT_EQ(Text_Colour(text), rgb) << text;
    // The trace keeps the first 60 bytes of a text.
    EXPECT_EQ(Text_Colour("Hinweis: Nachweise bei Normaltemperatur mit den Schnittgröße"_cp),
              std::vector<int>({128, 64, 0}));
  }
}

// A member file that cannot be read: "Lesefehler" at the start and the defaults on screen;
// leaving keeps the file, saving first keeps it as ".INP.bak".
TEST_F(MemberScreen, UnreadableInputIsKeptAtTheFirstSave) {
  for (int save = 0; save < 2; ++save) {
    SCOPED_TRACE(save ? "save" : "leave");
    Host_Test_Reset();
    Fresh_Folder();
    Put("BSP1_01.INP", " 2\n kaputt\n");
    Start();
    ASSERT_FALSE(Host_Messages().empty());
    EXPECT_EQ(Host_Messages()[0].text.rfind("Lesefehler\n", 0), 0u) << Host_Messages()[0].text;
    EXPECT_EQ(Get_Stahl_EC3_Bauteil()->brandlast_count, 1);
    Script(Bar(kEndX) + " " + (save ? kSave : kQuit));
    EXPECT_EQ(Run_Stahl_EC3_Screen(), save) << Host_Last_Calls(30);
    EXPECT_EQ(Get(save ? "BSP1_01.INP.bak" : "BSP1_01.INP"), " 2\n kaputt\n");
    EXPECT_EQ(fs::exists(Dir() + "/BSP1_01.INP.bak"), save == 1);
    EXPECT_EQ(Get("BSP1_01.INP").find("HE280A") != std::string::npos, save == 1);
  }
}

// Page 1: "Elastisch-Plastisch" and the c/t box switched off reach the saved file as the
// stored method 2 and switch 0.
TEST_F(MemberScreen, InputPageOptionsAreSaved) {
  Start();
  Script(At(670, 480) + " w50 " + At(670, 506) + " w50 " + Bar(kEndX) + " " + kSave);
  EXPECT_EQ(Run_Stahl_EC3_Screen(), 1) << Host_Last_Calls(30);
  EXPECT_NE(Get("BSP1_01.INP").find("\n 2 0\n"), std::string::npos) << Get("BSP1_01.INP");
}

// Each page keeps its scroll position: page 4 scrolled by the wheel, page 1 shown from its
// top, page 4 again where it was left.
TEST_F(MemberScreen, PagesKeepTheirScrollPosition) {
  BAUTEIL *b = Get_Stahl_EC3_Bauteil();
  Start();
  Alloc_Brandlasten(b, 60);
  Script("c" + std::to_string(kTab4X) + "," + std::to_string(kTabY) + " w50 m600,600 W-5 w50 c" +
         std::to_string(100) + "," + std::to_string(kTabY) + " w50 c" + std::to_string(kTab4X) + "," +
         std::to_string(kTabY) + " w50 " + Bar(kEndX) + " " + kQuit);
  EXPECT_EQ(Run_Stahl_EC3_Screen(), 0) << Host_Last_Calls(30);
  std::vector<int> sy;
  for (const std::vector<int> &a : Calls_Args("draw callback")) sy.push_back(a.at(2));
  const auto first = std::find_if(sy.begin(), sy.end(), [](int v) { return v > 0; });
  ASSERT_NE(first, sy.end());
  const int scrolled = *first;
  const auto top = std::find(first, sy.end(), 0);
  ASSERT_NE(top, sy.end()) << "page 1 from its top";
  const auto again = std::find_if(top, sy.end(), [](int v) { return v > 0; });
  ASSERT_NE(again, sy.end());
  EXPECT_NEAR(*again, scrolled, 1);
}

// The icon bar: "Vorschau", "drucken" and "plotten" write the list and hand it (or the plot
// file) to the host; "Druckeinstellung" does nothing; the annex button keeps the active set.
TEST_F(MemberScreen, IconBarActions) {
  const struct {
    int x;
    const char *request;  // the host request it makes, "" none
    bool list;            // the print list is written
  } cases[] = {
      {411, "Quick_OLI_View(", true},
      {456, "Quick_OLI_Print(", true},
      {501, "YRMSpawnv(0,", true},
      {366, "", false},
      {311, "", false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.x);
    Host_Test_Reset();
    Fresh_Folder();
    Start();
    Script(Bar(c.x) + " " + Bar(kEndX) + " " + kQuit);
    EXPECT_EQ(Run_Stahl_EC3_Screen(), 0) << Host_Last_Calls(30);
    const std::vector<std::string> &r = Host_Service_Requests();
    ASSERT_EQ(r.size(), c.request[0] ? 1u : 0u);
    if (c.request[0]) {
      EXPECT_EQ(r[0].rfind(c.request, 0), 0u) << r[0];
      const char *file = c.x == 501 ? "/BSP10012.SPF" : "/BSP1_01.OLI";
      EXPECT_NE(r[0].find(Dir() + file), std::string::npos) << r[0];
    }
    EXPECT_EQ(fs::exists(Dir() + "/BSP1_01.OLI"), c.list);
  }
}

}  // namespace
