// The test-support print-list reader: it reads what is written and names every departure.
#include <cstring>
#include <string>

#include "host/oli_layout.h"
#include "support/support.h"
#include "tests/print/print_test_util.h"

namespace {

int Errors(const std::string &text, OLI_DOCUMENT *doc) { return Read_Oli_Text(text.data(), text.size(), doc); }

// The directives the drawings print themselves into the block's stream read back.
TEST_F(PrintListFile, DrawingsOwnDirectivesReadBack) {
  ASSERT_EQ(0, Oliplot_Begin_Grafic(f_, -10, 110, 210, -10, 0.05, 0.05, 0, 0));
  Oliplot_Set_Extended_Mode(1);
  Tools_Fprintf(Oliplot_Stream(), " 8 %d\n", 6);
  Tools_Fprintf(Oliplot_Stream(), " 7 %d\n", 9);
  Tools_Fprintf(Oliplot_Stream(), " 4 %d\n", 1);
  Tools_Fprintf(Oliplot_Stream(), " 38 %d %s %d\n", 0, " ", 0);
  Tools_Fprintf(Oliplot_Stream(), " 38 %d %s %d\n", 2, "0.03 0.05", 0);
  Oliplot_Set_Dimension_Style(8);
  Oliplot_Fill_Color(0, 0, 0);
  Oliplot_Save_State();
  Oliplot_Set_Color(34);
  double y[4] = {0, 200, 200, 0}, z[4] = {0, 0, 100, 100};
  Oliplot_Filled_Polygon(4, y, z);
  Oliplot_Polyline(4, y, z);
  Oliplot_Dimension_Line(0, -5, 200, -5, 0.1, -2);
  Oliplot_Axis_Pair(100, 50, "z", "y", 0.5, 1.5707963267948966);
  Oliplot_Text_Printf(110, 50, 4, 3, "S");
  Oliplot_Restore_State();
  Oliplot_End_Grafic(f_);
  OLI_setYPositionCM(f_, 1, -0.5);
  OLI_DOCUMENT doc = Finish_And_Read();
  ASSERT_EQ(1u, doc.graphics.size());
  const OLI_GRAPHIC &g = doc.graphics[0];
  EXPECT_TRUE(g.closed);
  EXPECT_DOUBLE_EQ(11.0, g.width);
  EXPECT_DOUBLE_EQ(6.0, g.height);
  EXPECT_EQ(8, g.items[0].code);
  EXPECT_EQ((std::vector<double>{0, 0}), g.items[3].numbers);
  EXPECT_EQ((std::vector<double>{2, 0.03, 0.05, 0}), g.items[4].numbers);
  EXPECT_EQ(50, g.items[5].code);
  EXPECT_EQ(OLI_EL_LAYOUT, doc.elements.back().kind);
}

TEST(OliReader, NamesEveryDeparture) {
  struct Case {
    const char *text;
    const char *why;
  } cases[] = {
      {"#SHOWPARA 4 0.1 0 0\nText\n", "text block without #END_OF_TEXT"},
      {"#SHOWPARA 4 x 0 0\nText\n#END_OF_TEXT\n", "malformed #SHOWPARA"},
      {"#SHOWPARA 4 0.1 0 2 1 3.0\nText\n#END_OF_TEXT\n", "malformed #SHOWPARA"},
      {"#SHOWPARA 4 0.1 0 0\n#SHOWGRAFIC 1 1\n -1\n#END_OF_TEXT\n", "directive inside an open text block"},
      {"#END_OF_TEXT\n", "#END_OF_TEXT outside a block"},
      {"#SHOWFOO\n", "unknown directive"},
      {"Text", "last line without its line end"},
      {"#SHOWTABLE\n0 0 0\n", "malformed table head"},
      {"#SHOWTABLE\n0 0 0\n1 1 -1 -1 2\n4.4 4.6\nrow\n", "table without #END_OF_TEXT"},
      {"#SHOWGRAFIC 1 1\n 1  0 0 1 1\n", "graphic block without \" -1\""},
      {"#SHOWGRAFIC 1 1\n 1  0 0 1\n -1\n", "malformed graphic directive 1"},
      {"#SHOWGRAFIC 1 1\n 1  0 0 1 nan\n -1\n", "malformed graphic directive 1"},
      {"#SHOWGRAFIC 1 1\n 77 1\n -1\n", "unknown graphic directive 77"},
      {"#SHOWGRAFIC 1 1\n 9 0 0 0 0 23 S\n -1\n", "text directive without its text in guillemets"},
      {"#SHOWGRAFIC 1 1\n 18 3\n 0 0\n 1 0\n", "polygon with fewer points than announced"},
      {"#SHOWGRAFIC 1 1\n 18 2\n 0 0\n 1 x\n -1\n", "malformed polygon point"},
      {"#SHOWGRAFIC 1 1\n50 1 2 256\n -1\n", "malformed graphic directive 50"},
      {"#SHOWGRAFIC 1 1\n1  0 0 1 1\n -1\n", "directive with a wrong lead"},
      {"#OLI_FLAGS 280\n", "malformed layout command"},
      {"#OLI_YPOS 1\n", "malformed layout command"},
  };
  for (const Case &c : cases) {
    OLI_DOCUMENT doc;
    EXPECT_GT(Errors(c.text, &doc), 0) << c.text;
    bool found = false;
    for (const std::string &e : doc.errors) found = found || e.find(c.why) != std::string::npos;
    EXPECT_TRUE(found) << c.text << " -> " << (doc.errors.empty() ? "" : doc.errors[0]);
  }
}

TEST(OliReader, EmptyAndUnreadableInput) {
  OLI_DOCUMENT doc;
  EXPECT_EQ(0, Read_Oli_Text(nullptr, 5, &doc));
  EXPECT_TRUE(doc.elements.empty());
  EXPECT_EQ(1, Read_Oli_File("/nonexistent-folder/x.oli", &doc));
  PLOT_DOCUMENT pd;
  EXPECT_EQ(1, Read_Plot_File("/nonexistent-folder/x.spf", &pd));
}

TEST(OliReader, PlotFileDepartures) {
  const char *cases[] = {
      "",
      "kelm-ZadaDade (1.0)A\n*TABLES\n*ENTITIES\n",
      "kelm-ZadaDade (1.0)A\n*TABLES\n*ENTITIES\nPOLY 4\n0 0\n*EOI\n",
      "kelm-ZadaDade (1.0)A\n*TABLES\n*ENTITIES\nARC 1 2\n*EOI\n",
      "kelm-ZadaDade (1.0)A\n*TABLES\n*ENTITIES\n*EOI\nLINE 0 0 1 1\n",
      "kelm-ZadaDade (1.0)A\n*TABLES\nCOLORDEF 1 2\n*ENTITIES\n*EOI\n",
  };
  for (const char *c : cases) {
    PLOT_DOCUMENT pd;
    EXPECT_GT(Read_Plot_Text(c, std::strlen(c), &pd), 0) << c;
  }
}

// Markup: brace colour codes, the letter forms C and B, and single-letter codes.
TEST(OliReader, MarkupPlainText) {
  std::string plain;
  std::vector<OLI_MARKUP_CODE> codes;
  ASSERT_TRUE(Oli_Markup_Plain("I╬\\y╬r = 3 cm╬/4╬r"_cp, &plain, &codes));
  EXPECT_EQ("Iy = 3 cm4", plain);
  EXPECT_EQ(4u, codes.size());
  ASSERT_TRUE(Oli_Markup_Plain("ab╬C3 blau╬rX╬bFehler╬r in"_cp, &plain, &codes));
  EXPECT_EQ("abblauXFehler in", plain);
  ASSERT_TRUE(Oli_Markup_Plain("╬C3 rot"_cp, &plain, nullptr));  // argument to the end
  EXPECT_EQ("rot", plain);
  EXPECT_FALSE(Oli_Markup_Plain("x╬"_cp, &plain, nullptr));
  EXPECT_FALSE(Oli_Markup_Plain("╬{C 1 230 0 0"_cp, &plain, nullptr));
}

}  // namespace
