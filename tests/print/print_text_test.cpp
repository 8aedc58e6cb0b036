// Text blocks, paragraphs and the layout commands of the print list.
#include <functional>
#include <string>

#include "host/oli_layout.h"
#include "tests/print/print_test_util.h"

namespace {

// ---------------------------------------------------------------- null stream and write errors

TEST(PrintList, EveryTextWriterIgnoresANullStream) {
  Reset_Print_For_Tests();
  EXPECT_EQ(-1, Oli_Printf(nullptr, "%s", "x"));
  Oli_End_Text(nullptr);
  Oli_Write_Separated_Item(nullptr, 1, 3, "x");
  Oli_Print_Fehler_Datencheck(nullptr, "des Profils");
  Oli_Print_Fehler_Berechnung(nullptr, "", "x");
  OLI_setFlags(nullptr, 0x280);
  OLI_setYPositionCM(nullptr, 1, -0.5);
  OLI_reserveSpaceCM(nullptr, 16.0);
  EXPECT_EQ(1, Close_Druckliste(nullptr));
  EXPECT_EQ(1, Oliplot_Begin_Grafic(nullptr, 0, 100, 200, 0, 1, 1, 0, 0));
  EXPECT_EQ(nullptr, Oliplot_Stream());
  EXPECT_EQ(nullptr, Open_Druckliste(nullptr));
  EXPECT_EQ(nullptr, Open_Druckliste("/nonexistent-folder/x.oli"));
}

TEST(PrintList, PrintfReportsAFailedWrite) {
  Reset_Print_For_Tests();
  FILE *full = std::fopen("/dev/full", "wb");
  if (!full) GTEST_SKIP() << "/dev/full is missing";
  std::setvbuf(full, nullptr, _IONBF, 0);
  EXPECT_EQ(-1, Oli_Printf(full, "Text %d\n", 1));
  EXPECT_EQ(-1, Oli_Printf(full, "weiter\n"));  // the error flag stays
  std::fclose(full);
  Reset_Print_For_Tests();
}

// ---------------------------------------------------------------- golden files

TEST_F(PrintListFile, TwoLineTextBlock) {
  EXPECT_EQ(18, Oli_Printf(f_, "%sQuerschnittswerte\n", Oli_Line_Prefix()));
  CP850_CALL(Oli_Printf, f_, "A = %.2lf cm²", 53.8);
  CP850_CALL(Oli_Printf, f_, ",  I╬\\y╬r = %.2lf cm╬/4╬r\n", 3692.0);
  EXPECT_EQ(Golden("two_lines.oli"), Finish());
}

// A tab stop set in mid-line waits for the next line start; flushing it opens a
// paragraph without tabs.
TEST_F(PrintListFile, TabChangeTakesEffectAtTheNextLineStart) {
  Oli_Printf(f_, "Zeile 1\n");
  Oli_Printf(f_, "Nachweis: ");
  double pos = 10.0;
  Oli_Para_Set_Tabs(2, nullptr, &pos, 1);
  CP850_CALL(Oli_Printf, f_, "╬tU = %.3lf\n", 0.5);
  Oli_Printf(f_, "Zeile 3\n");
  Oli_Para_Set_Tabs(2, nullptr, &pos, 1);  // the same stops: no new paragraph
  Oli_Para_Flush_Tabs();
  Oli_Printf(f_, "Zeile 4\n");
  EXPECT_EQ(Golden("tab_change.oli"), Finish());
}

// The profile print's point table: legend, raw table, layout commands, fresh text.
TEST_F(PrintListFile, PointTableSequenceOfTheProfilePrint) {
  Oli_Printf(f_, "%sProfil  %s\n", Oli_Line_Prefix(), "Polygon");
  Oli_End_Text(f_);
  Oli_Para_Set_Kind(OLI_KIND_LEGEND);
  Oli_Printf(f_, "%s", Oli_Line_Prefix());
  const char *items[3] = {"y╬\\p╬r,z╬\\p╬r: Koordinaten der Querschnittspunkte (aus R7-PLAX)"_cp,
                          "s╬\\p╬r: bezogener Stich (bei Kreisbögen)"_cp, "Nr: Nummer einer Aussparung"};
  for (int i = 0; i < 3; ++i) Oli_Write_Separated_Item(f_, i, 3, items[i]);
  Oli_Printf(f_, "\n");
  Oli_Para_Set_Kind(OLI_KIND_TEXT);
  Oli_End_Text(f_);
  OLI_setFlags(f_, 0x280);
  std::fprintf(f_, "#SHOWTABLE\n0 0 0\n1 1 -1 -1 %d", 4);
  std::fprintf(f_, "\n4.4 4.6");
  std::fprintf(f_, " %.1lf", 8.0 * (2 + 1) + 4.5);
  std::fprintf(f_, " %.1lf", 8.0 * (2 + 1) + 8.5);
  std::fprintf(f_, "\n");
  std::fprintf(f_, "%s%s%s%s%s\n", "     ", "     y╬\\p╬r "_cp, "     z╬\\p╬r "_cp, "     s╬\\p╬r "_cp, "  Nr");
  std::fprintf(f_, "%s%s%s%s%s\n", "     ", "     mm ", "     mm ", "        ", "    ");
  std::fprintf(f_, " %-4d %7.1lf %7.1lf %7.3lf  %2d\n", 1, 0.0, 0.0, 0.25, 1);
  std::fprintf(f_, " %-4d %7.1lf %7.1lf%s%s\n", 2, 100.0, -20.5, "        ", "    ");
  std::fprintf(f_, "#END_OF_TEXT\n");
  OLI_setYPositionCM(f_, 1, -0.5);
  OLI_reserveSpaceCM(f_, 16.0);
  OLI_reserveSpaceCM(f_, 0.0);  // nothing to keep free: no line
  OLI_setFlags(f_, 0x380);
  Oli_End_Text(f_);  // nothing: the table's own trailer ended it
  CP850_CALL(Oli_Printf, f_, "%sProfilhöhe, -breite h = %.1lf mm,  b = %.1lf mm\n", "", 200.0, 100.0);
  std::string bytes = Finish();
  EXPECT_EQ(Golden("point_table.oli"), bytes);

  OLI_DOCUMENT doc;
  ASSERT_EQ(0, Read_Oli_Text(bytes.data(), bytes.size(), &doc)) << doc.errors[0];
  ASSERT_EQ(1u, doc.tables.size());
  EXPECT_EQ(4u, doc.tables[0].rows.size());
  EXPECT_EQ((std::vector<double>{4.4, 4.6, 28.5, 32.5}), doc.tables[0].rules);
  ASSERT_EQ(4u, doc.layout.size());
  EXPECT_EQ(0x280, doc.layout[0].numbers[0]);
  EXPECT_EQ((std::vector<double>{1, -0.5}), doc.layout[1].numbers);
  EXPECT_EQ("#OLI_RESERVE", doc.layout[2].name);
  EXPECT_EQ((std::vector<double>{16.0}), doc.layout[2].numbers);
  EXPECT_EQ(0x380, doc.layout[3].numbers[0]);
  ASSERT_EQ(3u, doc.text_blocks.size());
  EXPECT_EQ(OLI_KIND_LEGEND, doc.paragraphs[1].kind);
}

// ---------------------------------------------------------------- text block rules
// Paragraph rules as writer scripts and the bytes they leave: a second end of text ends
// line and block once; an empty text opens nothing; a spacing change opens a paragraph at
// the next line start, the same value none; an added indent lasts until the block ends;
// separated items: the first plainly, ";  " between, a break before every per_line-th.
TEST(PrintParagraphs, WriterScriptsAndTheirBytes) {
  const char *w[7] = {"a", "b", "c", "d", "e", "f", "g"};
  const struct {
    const char *what;
    std::function<void(FILE *)> script;
    const char *bytes;
  } cases[] = {
      {"end twice",
       [](FILE *f) {
         Oli_Printf(f, "offene Zeile");
         Oli_End_Text(f);
         Oli_End_Text(f);
       },
       "#SHOWPARA 4 0.100 0.000 0\noffene Zeile\n#END_OF_TEXT\n"},
      {"nothing",
       [](FILE *f) {
         Oli_End_Text(f);
         EXPECT_EQ(0, Oli_Printf(f, "%s", ""));
         Oli_End_Text(f);
       },
       ""},
      {"spacing",
       [](FILE *f) {
         Oli_Printf(f, "Profil\n");
         const double s = Oli_Para_Get_Spacing();
         EXPECT_DOUBLE_EQ(OLI_DEFAULT_SPACING, s);
         Oli_Para_Set_Spacing(s + 0.3);
         Oli_Printf(f, "h = 200.0 mm\n");
         Oli_Para_Set_Spacing(s + 0.3);
         Oli_Printf(f, "b = 100.0 mm\n");
         Oli_Para_Set_Spacing(s);
         Oli_Printf(f, "Werte\n");
         Oli_Para_Set_Kind(OLI_KIND_TEXT);
         Oli_Printf(f, "mehr\n");
       },
       "#SHOWPARA 4 0.100 0.000 0\nProfil\n#SHOWPARA 4 0.400 0.000 0\nh = 200.0 mm\nb = 100.0 mm\n"
       "#SHOWPARA 4 0.100 0.000 0\nWerte\nmehr\n#END_OF_TEXT\n"},
      {"indent",
       [](FILE *f) {
         Oli_Para_Add_Indent(0.5);
         Oli_Printf(f, "eins\n");
         Oli_Para_Add_Indent(0.25);
         Oli_Printf(f, "zwei\n");
         Oli_End_Text(f);
         Oli_Printf(f, "drei\n");
       },
       "#SHOWPARA 4 0.100 0.500 0\neins\n#SHOWPARA 4 0.100 0.750 0\nzwei\n#END_OF_TEXT\n"
       "#SHOWPARA 4 0.100 0.000 0\ndrei\n#END_OF_TEXT\n"},
      {"items",
       [&w](FILE *f) {
         for (int i = 0; i < 7; ++i) Oli_Write_Separated_Item(f, i, 3, w[i]);
         Oli_Printf(f, "\n");
         for (int i = 0; i < 4; ++i) Oli_Write_Separated_Item(f, i, 0, w[i]);  // never breaks
         Oli_Write_Separated_Item(f, 1, 1, nullptr);
         Oli_Printf(f, "\n");
       },
       "#SHOWPARA 4 0.100 0.000 0\na;  b;  c\nd;  e;  f\ng\na;  b;  c;  d\n\n#END_OF_TEXT\n"},
  };
  for (const auto &c : cases) EXPECT_EQ(c.bytes, Written(c.script)) << c.what;
}

TEST_F(PrintListFile, LongTextIsCutAtItsFirst1000Bytes) {
  std::string text(5000, 'a');
  for (int i = 0; i < 5000; ++i) text[i] = static_cast<char>('a' + i % 26);
  EXPECT_EQ(OLI_MAX_TEXT, Oli_Printf(f_, "%s", text.c_str()));
  std::string bytes = Finish();
  const std::string head = "#SHOWPARA 4 0.100 0.000 0\n", tail = "\n#END_OF_TEXT\n";
  ASSERT_EQ(head.size() + 1000 + tail.size(), bytes.size());
  EXPECT_EQ(text.substr(0, 1000), bytes.substr(head.size(), 1000));
  EXPECT_EQ(tail, bytes.substr(head.size() + 1000));
}

TEST_F(PrintListFile, TabStopsWithKindsAndTheLimitOf100) {
  int kinds[2] = {0, 2};
  double pos[2] = {3.0, 12.5};
  Oli_Para_Set_Tabs(1, kinds, pos, 2);
  Oli_Printf(f_, "a\n");
  double many[150];
  for (int i = 0; i < 150; ++i) many[i] = 0.1 * i;
  Oli_Para_Set_Tabs(1, nullptr, many, 150);
  Oli_Printf(f_, "b\n");
  Oli_Para_Set_Tabs(1, nullptr, nullptr, 5);  // no positions: cleared
  Oli_Printf(f_, "c\n");
  OLI_DOCUMENT doc = Finish_And_Read();
  ASSERT_EQ(3u, doc.paragraphs.size());
  ASSERT_EQ(2u, doc.paragraphs[0].tabs.size());
  EXPECT_EQ(2, doc.paragraphs[0].tabs[1].kind);
  EXPECT_DOUBLE_EQ(12.5, doc.paragraphs[0].tabs[1].position);
  ASSERT_EQ(100u, doc.paragraphs[1].tabs.size());
  EXPECT_DOUBLE_EQ(9.9, doc.paragraphs[1].tabs[99].position);
  EXPECT_TRUE(doc.paragraphs[2].tabs.empty());
}

// Page head and contents entry written raw, then text; the reader keeps the order.
TEST_F(PrintListFile, RawPageLinesAndTextKeepTheirOrder) {
  std::fprintf(f_, " POS. %s\n#CONTENTS\n", "12");
  Oli_Printf(f_, "Text\n");
  Oli_End_Text(f_);
  std::fprintf(f_, "#NEWPAGE\n");
  OLI_DOCUMENT doc = Finish_And_Read();
  ASSERT_EQ(4u, doc.elements.size());
  EXPECT_EQ(OLI_EL_RAW, doc.elements[0].kind);
  EXPECT_EQ(OLI_EL_CONTENTS, doc.elements[1].kind);
  EXPECT_EQ(" POS. 12", doc.raw_lines[doc.elements[1].index]);
  EXPECT_EQ(OLI_EL_TEXT, doc.elements[2].kind);
  EXPECT_EQ(OLI_EL_NEWPAGE, doc.elements[3].kind);
}

TEST_F(PrintListFile, OpenResetsTheParagraphState) {
  Oli_Para_Set_Kind(OLI_KIND_LEGEND);
  Oli_Para_Set_Spacing(0.7);
  double pos = 4;
  Oli_Para_Set_Tabs(0, nullptr, &pos, 1);
  Oli_Printf(f_, "alt");
  std::string other = path_ + ".2";
  FILE *g = Open_Druckliste(other.c_str());
  ASSERT_NE(nullptr, g);
  EXPECT_DOUBLE_EQ(OLI_DEFAULT_SPACING, Oli_Para_Get_Spacing());
  Oli_Printf(g, "neu\n");
  EXPECT_EQ(0, Close_Druckliste(g));
  EXPECT_EQ("#SHOWPARA 4 0.100 0.000 0\nneu\n#END_OF_TEXT\n", Read_Bytes(other));
  std::remove(other.c_str());
}

TEST(PrintList, ApplicationCodeIsUnknown) {
  char buf[3] = {'x', 'x', 'x'};
  EXPECT_STREQ("??", Get_Application_Kuerzel(buf));
  EXPECT_EQ(nullptr, Get_Application_Kuerzel(nullptr));
  EXPECT_STREQ("", Oli_Line_Prefix());
}

}  // namespace
