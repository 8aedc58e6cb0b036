// The member program on its screen, driven by scripted input on a copy of the example.
#include <cstring>

#include "support/cp850.h"
#include "tests/stahl_ec3/member_fixture.h"
#include "tests/testsupport/screen_test.h"

namespace {

// Screen points: the tabs of pages 1, 4, 5; the icon bar's buttons; the content's origin.
const std::string kTab1 = " c100,75 ", kTab4 = " c260,75 ", kTab5 = " c430,75 ";
constexpr int kAreaX = 14, kAreaY = 92;
// The finish dialog: "speichern und beenden", "beenden ohne zu speichern".
const std::string kSave = " c520,450 ", kQuit = " c520,480 ";

std::string At(int x, int y) {  // a click on the content point (x, y)
  return " c" + std::to_string(kAreaX + x) + "," + std::to_string(kAreaY + y) + " w50 ";
}
std::string Bar(int x) {  // onto an icon-bar button, a rest, the click
  const std::string p = std::to_string(x) + ",27";
  return " m" + p + " w200 c" + p + " w50 ";
}
const std::string kEnd = Bar(591), kHelp = Bar(546);

class MemberScreen : public MemberFolderTest {
 protected:
  void Start() {  // the host's start for the screen, position 12
    std::vector<std::string> args = {"stahl_ec3", Stem(), "0", "1", "12"};
    std::vector<char *> argv;
    for (std::string &a : args) argv.push_back(a.data());
    ASSERT_EQ(Start_Stahl_EC3(5, argv.data()), -1);
  }
};

// Page 1 "Elastisch-Plastisch" and the c/t box off, page 4 a row "Brand 4" with N −250
// appended, "Ende", "speichern und beenden": the file holds both, the copies go, exit 1.
TEST_F(MemberScreen, ChangesAreSaved) {
  Put("BSP1_01.XPR", "xpr\n");
  Start();
  const int row4 = 100 + 3 * 22 + 6;  // the append control below three rows, then row 4
  Script(At(670, 480) + At(670, 506) + kTab4 + " w50 " + At(45, row4) + At(85, row4) +
         "tBrand_4 k13 w50 t-250 k13 w50 k27 w50" + kEnd + kSave);
  EXPECT_EQ(Run_Stahl_EC3_Screen(), 1) << Host_Last_Calls(30);
  const std::string inp = Get("BSP1_01.INP");
  for (const char *t : {"\n 2 0\n", "\n 4\n", "\n Brand~3 -1500.000000 250.000000 ", "\n Brand~4 -250.000000 0.000000 "})
    EXPECT_NE(inp.find(t), std::string::npos) << t << inp;
  EXPECT_TRUE(Has("BSP1_01.OLI") && !Has("BSP1_01_TMP.XPR"));
  EXPECT_EQ(Get("BSP1_01.XPR"), "xpr\n");
  EXPECT_STREQ(Host_Frame_Title(), "Position 12: D7-EV3 - Brandschutz");
}

// An unreadable member file: "Lesefehler" at the start, the defaults on screen. Leaving keeps
// it and restores the exchange file changed meanwhile (exit 0); saving first keeps it as
// ".INP.bak" (exit 1).
TEST_F(MemberScreen, UnreadableInputLeftOrSaved) {
  for (int save = 0; save < 2; ++save) {
    SCOPED_TRACE(save);
    Host_Test_Reset();
    Fresh_Folder();
    Put("BSP1_01.INP", " 2\n kaputt\n");
    Put("BSP1_01.XPR", "xpr at start\n");
    Start();
    Put("BSP1_01.XPR", "xpr changed\n");
    ASSERT_FALSE(Host_Messages().empty());
    EXPECT_EQ(Host_Messages()[0].text.rfind("Lesefehler\n", 0), 0u);
    EXPECT_EQ(Get_Stahl_EC3_Bauteil()->brandlast_count, 1);
    Script(kTab4 + kEnd + (save ? kSave : kQuit));
    EXPECT_EQ(Run_Stahl_EC3_Screen(), save) << Host_Last_Calls(30);
    EXPECT_EQ(Get(save ? "BSP1_01.INP.bak" : "BSP1_01.INP"), " 2\n kaputt\n");
    EXPECT_EQ(Has("BSP1_01.INP.bak") + (Get("BSP1_01.INP").find("HE280A") != std::string::npos), 2 * save);
    EXPECT_EQ(Get("BSP1_01.XPR"), save ? "xpr changed\n" : "xpr at start\n");
    EXPECT_FALSE(Has("BSP1_01_TMP.XPR"));
  }
}

// The close request asks; yes restores and answers 32768, no answers 0 and keeps the copy.
TEST_F(MemberScreen, CloseRequest) {
  for (int yes = 0; yes < 2; ++yes) {
    Fresh_Folder();
    Put("BSP1_01.EXP", "exp\n");
    Start();
    Put("BSP1_01.EXP", "changed\n");
    Host_Clear_Messages();
    Host_Queue_Answer(yes);
    EXPECT_EQ(Host_Request_Close(), yes ? 32768 : 0);
    EXPECT_EQ(Host_Messages().at(0).text, "Aktuelle Bearbeitung abbrechen?");
    EXPECT_EQ(Get("BSP1_01.EXP") + std::to_string(Has("BSP1_01_TMP.EXP")), yes ? "exp\n0" : "changed\n1");
  }
}

// The icon bar: help by page, "Vorschau", "drucken", "plotten" write the list and hand it (or
// the plot file) to the host, "Druckeinstellung" and the annex button write nothing.
TEST_F(MemberScreen, IconBarActions) {
  const struct {
    std::string steps;
    const char *request, *file;  // the host request and the file it names
  } cases[] = {
      {kHelp, "Helpview(vi319_register1)", ""},      {kTab4 + kHelp, "Helpview(vi319_register4)", ""},
      {kTab5 + kHelp, "Helpview(vi319_register5)", ""}, {Bar(411), "Quick_OLI_View(", "/BSP1_01.OLI"},
      {Bar(456), "Quick_OLI_Print(", "/BSP1_01.OLI"},   {Bar(501), "YRMSpawnv(0,", "/BSP10012.SPF"},
      {Bar(366), "", ""},                               {Bar(311), "", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.steps);
    Host_Test_Reset();
    Fresh_Folder();
    Start();
    Script(c.steps + kEnd + kQuit);
    EXPECT_EQ(Run_Stahl_EC3_Screen(), 0) << Host_Last_Calls(30);
    std::string requests;
    for (const std::string &r : Host_Service_Requests())
      if (r.rfind("Init_Helpview(DOZU_169.HLP)", 0) != 0) requests += r;
    EXPECT_EQ(requests.rfind(c.request, 0), 0u) << requests;
    EXPECT_EQ(requests.empty(), !c.request[0]) << requests;
    EXPECT_NE(requests.find(dir_ + c.file), c.file[0] ? std::string::npos : 0) << requests;
    EXPECT_EQ(Has("BSP1_01.OLI"), c.file[0] != 0);
  }
}

// The colour in which the text was drawn last (RGB from the call trace), {-1} if never.
std::vector<int> Text_Colour(const std::string &text) {
  const std::vector<std::string> &calls = Host_Calls();
  for (std::size_t i = calls.size(); i-- > 0;)
    if (calls[i].rfind("pxText(", 0) == 0 && calls[i].find("\"" + text + "\"") != std::string::npos)
      for (std::size_t j = i; j-- > 0;)
        if (calls[j].rfind("pxFgc(", 0) == 0) {
          int r, g, b;
          pxQCR(std::atoi(calls[j].c_str() + 6), &r, &g, &b);
          return {r, g, b};
        }
  return {-1};
}

// Page 5: the largest utilisation of each row in per cent, green up to 1.0 and red above, a red
// "XXXXXX" without a result, and the note (its first 60 bytes in the trace).
TEST_F(MemberScreen, ResultPage) {
  const std::vector<int> green = {0, 128, 0}, red = {255, 0, 0}, brown = {128, 64, 0};
  const std::vector<std::pair<std::string, std::vector<int>>> shown[2] = {
      {{"43%", green}, {"106%", red}, {"0%", green}}, {{"XXXXXX", red}}};
  for (int method = 1; method <= 2; ++method) {
    Host_Test_Reset();
    Fresh_Folder();
    BAUTEIL b{};
    Make_Test_Member(&b, 0, method, 0, 0, -100, 10, 0);
    Alloc_Brandlasten(&b, 3);
    b.brandlasten[0].N = -100, b.brandlasten[0].M_y = 10;
    b.brandlasten[1].N = -1000;  // 250 N/mm² over 235
    ASSERT_EQ(Save_Bauteil_File((dir_ + "/BSP1_01.INP").c_str(), &b), 0);
    Reset_Bauteil(&b);
    Start();
    Script(kTab5 + kEnd + kQuit);
    EXPECT_EQ(Run_Stahl_EC3_Screen(), 0) << Host_Last_Calls(30);
    for (const auto &[text, rgb] : shown[method - 1]) EXPECT_EQ(Text_Colour(text), rgb) << text;
    EXPECT_EQ(Text_Colour("Hinweis: Nachweise bei Normaltemperatur mit den Schnittgröße"_cp), brown);
  }
}

// Each page keeps its scroll position: page 4 scrolled by the wheel, page 1 from its top,
// page 4 again where it was left.
TEST_F(MemberScreen, PagesKeepTheirScrollPosition) {
  Start();
  Alloc_Brandlasten(Get_Stahl_EC3_Bauteil(), 60);
  Script(kTab4 + " w50 m600,600 W-5 w50 " + kTab1 + " w50 " + kTab4 + " w50" + kEnd + kQuit);
  EXPECT_EQ(Run_Stahl_EC3_Screen(), 0) << Host_Last_Calls(30);
  std::vector<int> sy;  // scroll offsets of the area's draws
  for (const std::vector<int> &a : Calls_Args("draw callback")) sy.push_back(a.at(2));
  const auto down = std::find_if(sy.begin(), sy.end(), [](int v) { return v > 0; });
  const auto top = std::find(down, sy.end(), 0);
  const auto again = std::find_if(top, sy.end(), [](int v) { return v > 0; });
  ASSERT_TRUE(down != sy.end() && again != sy.end());
  EXPECT_NEAR(*again, *down, 1);
}

}  // namespace
