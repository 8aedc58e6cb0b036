// Text blocks, paragraphs and the layout commands of the print list; verdict marks,
// colour codes, comparison signs and the red error lines; the test-support print-list
// reader: it reads what is written and names every departure.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "common/file_cap.h"
#include "host/oli_layout.h"
#include "support/support.h"
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
  EXPECT_EQ(2, Close_Druckliste(nullptr) + Oliplot_Begin_Grafic(nullptr, 0, 100, 200, 0, 1, 1, 0, 0));
  EXPECT_TRUE(!Oliplot_Stream() && !Open_Druckliste(nullptr) && !Open_Druckliste("/nonexistent-folder/x.oli"));
}

// A full disk while the list and the plot file are written: both closes fail and the old
// files keep their bytes, with no temporary file left; an unclosed plot file dropped by a
// reset leaves its old file too. With room again the same writing replaces both, and a plot
// file opened over an open one closes that one first.
TEST(PrintList, FailedWritesKeepTheOldListAndPlotFile) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("pf_print_full_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string list = (dir / "BSP1_01.OLI").string(), plot = (dir / "BSP10001.SPF").string();
  for (int kind = 0; kind < 3; ++kind) {  // full disk, plot file dropped, room again
    SCOPED_TRACE(kind);
    Reset_Print_For_Tests();
    test_files::Put(list, "old list\n");
    test_files::Put(plot, "old plot\n");
    std::vector<int> rc;
    {
      std::unique_ptr<test_files::FileSizeCap> cap(kind ? nullptr : new test_files::FileSizeCap(1024));
      FILE *f = Open_Druckliste(list.c_str());
      EXPECT_EQ(0, Oliplot_Open_Plot_File((plot + "_first").c_str()) + Oliplot_Open_Plot_File(plot.c_str()));
      Oliplot_Begin_Grafic(f, 0, 100, 200, 0, 1, 1, 0, 0);
      for (int k = 0; k < 400; ++k) Oliplot_Line(k, 0, k, 100);
      Oliplot_End_Grafic(f);
      for (int k = 0; k < 400; ++k) Oli_Printf(f, "Zeile %d\n", k);
      rc = {kind == 1 ? (Reset_Print_For_Tests(), -1) : Oliplot_Close_Plot_File(), Close_Druckliste(f)};
    }
    EXPECT_EQ(rc, (std::vector<int>{kind ? kind - 2 : 1, !kind}));
    EXPECT_EQ(test_files::Slurp(plot) == "old plot\n", kind < 2);
    EXPECT_EQ(test_files::Slurp(list) == "old list\n", kind == 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3) << "a temporary file was left";
  }
  EXPECT_TRUE(Read_Bytes(plot).starts_with("kelm-ZadaDade") && Read_Bytes(plot).ends_with("*EOI\n"));
  EXPECT_TRUE(Read_Bytes(plot + "_first").ends_with("*ENTITIES\n*EOI\n"));
  EXPECT_TRUE(Read_Bytes(list).ends_with("Zeile 399\n#END_OF_TEXT\n"));
  Reset_Print_For_Tests();
  fs::remove_all(dir);
}

TEST(PrintList, PrintfReportsAFailedWrite) {
  Reset_Print_For_Tests();
  FILE *full = std::fopen("/dev/full", "wb");
  if (!full) GTEST_SKIP() << "/dev/full is missing";
  std::setvbuf(full, nullptr, _IONBF, 0);
  EXPECT_EQ(-1, Oli_Printf(full, "Text %d\n", 1));
  EXPECT_EQ(-1, Oli_Printf(full, "weiter\n"));  // the error flag stays
  EXPECT_EQ(1, Close_Druckliste(full));  // a stream of the caller's own, closed with its error
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
// separated items: the first plainly, ";  " between, a break before every per_line-th;
// control bytes of texts (a label with an escape sequence, a name with 0x01, 0x1F, a tab)
// become blanks in text and raw lines, the first and the last byte too, the line end stays.
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
      {"control bytes",
       [](FILE *f) {
         Oli_Raw_Printf(f, " POS. %s\n#CONTENTS\n", "Pos \x01\x1b[2J \x7f end");
         Oli_Printf(f, "%d:%s\n", 1, "R\x1f\tx\r");
       },
       " POS. Pos   [2J   end\n#CONTENTS\n#SHOWPARA 4 0.100 0.000 0\n1:R  x \n#END_OF_TEXT\n"},
      {"a control byte last",
       [](FILE *f) {
         Oli_Raw_Printf(f, "%s", "P\x1b");
         Oli_Printf(f, "%s", "\x7fR\x01");
       },
       "P #SHOWPARA 4 0.100 0.000 0\n R \n#END_OF_TEXT\n"},
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

// A negative number that rounds to zero in its conversion is printed without its sign, in
// text lines and in the texts of graphic blocks; every other conversion, a number that
// rounds away from zero and a text given through %s keep their bytes.
TEST_F(PrintListFile, NegativeZeroIsPrintedAsZero) {
  const int w = 7, prec = 1;
  const long double big = -0.0000004L;
  const long long ll = -3;
  const std::size_t z = 12;
  Oli_Printf(f_, "%.1f|%.2lf|%5.2f|%+.0f|%g|%.1e|%Lf|%*.*f|", -0.04, -0.001, -0.004, -0.4, -0.0, -0.0, big, w, prec,
             -0.01);
  Oli_Printf(f_, "%.1f|%.1f|%d|%lld|%zu|%x|%c|%s|%5s|%%|%-6.1f|\n", -0.06, 0.04, -3, ll, z, 255, 'q', "x-0.0", "ab",
             -0.02);
  Oliplot_Begin_Grafic(f_, 0, 100, 200, 0, 1, 1, 0, 0);
  Oliplot_Text_Printf(50, 50, 2, 1, " z = %.1f mm", -0.03);
  Oliplot_End_Grafic(f_);
  const std::string bytes = Finish();
  EXPECT_NE(bytes.find("0.0|0.00| 0.00|+0|0|0.0e+00|0.000000|    0.0|"
                       "-0.1|0.0|-3|-3|12|ff|q|x-0.0|   ab|%|0.0   |\n"),
            std::string::npos)
      << bytes;
  EXPECT_NE(bytes.find(" z = 0.0 mm"), std::string::npos) << bytes;
}

// Conversions of 127, 128 and 129 bytes, about the room the formatting starts with: a text
// through %s, a negative zero and a whole number through a width keep every byte.
TEST_F(PrintListFile, ConversionsAroundTheirFirstRoomKeepEveryByte) {
  std::vector<std::string> want;
  for (int n : {127, 128, 129}) {
    const std::string text = std::string(n - 1, 'a') + "z";
    Oli_Printf(f_, "%s|%*.1f|%*d\n", text.c_str(), n, -0.01, n, -7);
    want.push_back(text + "|" + std::string(n - 3, ' ') + "0.0|" + std::string(n - 2, ' ') + "-7\n");
  }
  const std::string bytes = Finish();
  for (const std::string &line : want) EXPECT_NE(bytes.find(line), std::string::npos) << line.size() << " bytes";
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
  const auto &t = doc.paragraphs;
  ASSERT_EQ((std::vector<size_t>{2, 100, 0}), (std::vector<size_t>{t[0].tabs.size(), t[1].tabs.size(), t[2].tabs.size()}));
  EXPECT_EQ((std::vector<double>{2, 12.5, 9.9}), (std::vector<double>{double(t[0].tabs[1].kind), t[0].tabs[1].position,
                                                                      t[1].tabs[99].position}));
}

// Page head and contents entry written raw, then text; the reader keeps the order.
TEST_F(PrintListFile, RawPageLinesAndTextKeepTheirOrder) {
  std::fprintf(f_, " POS. %s\n#CONTENTS\n", "12");
  Oli_Printf(f_, "Text\n");
  Oli_End_Text(f_);
  std::fprintf(f_, "#NEWPAGE\n");
  OLI_DOCUMENT doc = Finish_And_Read();
  std::vector<int> kinds;
  for (const auto &e : doc.elements) kinds.push_back(e.kind);
  EXPECT_EQ((std::vector<int>{OLI_EL_RAW, OLI_EL_CONTENTS, OLI_EL_TEXT, OLI_EL_NEWPAGE}), kinds);
  EXPECT_EQ(" POS. 12", doc.raw_lines.at(doc.elements.at(1).index));
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
  EXPECT_TRUE(Get_Application_Kuerzel(nullptr) == nullptr && *Oli_Line_Prefix() == 0);
}

// ---------------------------------------------------------------- marks
const std::string kRed = "╬{C 1 230 0 0}"_cp;
const std::string kBlue = "╬{C 1 0 0 230}"_cp;
const std::string kReset = "╬{C 768}"_cp;
const std::string kPara = "#SHOWPARA 4 0.100 0.000 0\n";
const std::string kEnd = "#END_OF_TEXT\n";

TEST_F(PrintListFile, DatencheckLineIsByteExact) {
  Oli_Print_Fehler_Datencheck(f_, "des Profils");
  Oli_Print_Fehler_Datencheck(f_, "");
  Oli_Print_Fehler_Datencheck(f_, nullptr);
  std::string line1 = "\xCE{C 1 230 0 0}Fehler beim Datencheck des Profils  !\xCE{C 768}\n";
  std::string line2 = "\xCE{C 1 230 0 0}Fehler beim Datencheck  !\xCE{C 768}\n";
  EXPECT_EQ(kPara + line1 + line2 + line2 + kEnd, Finish());
}

// With colours off only the codes go; the words of a failed check stay.
TEST_F(PrintListFile, ErrorLinesKeepTheirWordsWithoutColours) {
  Oli_Set_Colors(0);
  Oli_Print_Fehler_Datencheck(f_, "des Profils");
  Oli_Print_Fehler_Berechnung(f_, "", "der Spannungen");
  Oli_Set_Colors(1);
  Oli_Print_Fehler_Berechnung(f_, nullptr, "");
  EXPECT_EQ(kPara + "Fehler beim Datencheck des Profils  !\n" + "Fehler bei der Berechnung der Spannungen !!\n" +
                kRed + "Fehler bei der Berechnung !!" + kReset + "\n" + kEnd,
            Finish());
}

// Each mark with colours on (its words in blue or red, then the reset code) and off
// (the words alone); the host's reset switches colours back on.
TEST(PrintMarks, MarksWithColoursOnAndOff) {
  const struct {
    const char *(*mark)();
    std::string on, off;
  } cases[] = {{Oli_Mark_Ok, kBlue + "ok" + kReset, "ok"},
               {Oli_Mark_Nicht_Ok, kRed + "nicht ok !!" + kReset, "nicht ok !!"},
               {Oli_Mark_Red_Exclam, kRed + "!!" + kReset, "!!"},
               {Oli_Mark_Blue_Exclam, kBlue + "!!" + kReset, "!!"},
               {Oli_Color_Red, kRed, ""},
               {Oli_Color_Reset, kReset, ""},
               {Oli_Mult_Dot, "╬/.╬r"_cp, "╬/.╬r"_cp}};
  for (const auto &c : cases) {
    Reset_Print_For_Tests();
    EXPECT_EQ(1, Oli_Colors_On());
    EXPECT_EQ(c.on, c.mark());
    Oli_Set_Colors(0);
    EXPECT_EQ(c.off, c.mark());
    Oli_Set_Fills(0);
    Host_Reset();
    EXPECT_EQ(1, Oli_Fills_On());
    EXPECT_EQ(c.on, c.mark());
  }
}

// Every mark reads back as its words through the markup reader.
TEST(PrintMarks, MarksReadBackAsTheirWords) {
  Reset_Print_For_Tests();
  std::string plain;
  std::vector<OLI_MARKUP_CODE> codes;
  ASSERT_TRUE(Oli_Markup_Plain(Oli_Mark_Nicht_Ok(), &plain, &codes));
  ASSERT_EQ(2u, codes.size());
  EXPECT_EQ("nicht ok !!|C 1 230 0 0|C 768", plain + "|" + codes[0].argument + "|" + codes[1].argument);
}

// '<', '¾' (equal in single precision) or '>'; one float step is above 1e-7, nan is '>'.
TEST(PrintMarks, CompareSignInSinglePrecision) {
  std::string signs;
  for (double v : {0.9, 1.0, 1.0 + 1e-9, 1.1, 1.0 + 1e-6, std::nan("")}) signs += Oli_Compare_Mark_Le(v, 1.0);
  EXPECT_EQ("<\xF3\xF3>>>", signs);
}

// ---------------------------------------------------------------- reader
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
  EXPECT_TRUE(g.closed && doc.elements.back().kind == OLI_EL_LAYOUT);
  EXPECT_EQ((std::vector<double>{11, 6, 8, 50}), (std::vector<double>{g.width, g.height, double(g.items[0].code),
                                                                     double(g.items[5].code)}));
  EXPECT_EQ((std::vector<double>{0, 0}), g.items[3].numbers);
  EXPECT_EQ((std::vector<double>{2, 0.03, 0.05, 0}), g.items[4].numbers);
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
  PLOT_DOCUMENT pd;
  EXPECT_EQ(2, Read_Oli_File("/nonexistent-folder/x.oli", &doc) + Read_Plot_File("/nonexistent-folder/x.spf", &pd));
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
  std::string all;
  ASSERT_TRUE(Oli_Markup_Plain("I╬\\y╬r = 3 cm╬/4╬r"_cp, &plain, &codes));
  EXPECT_EQ(4u, codes.size());
  all = plain + "|";
  ASSERT_TRUE(Oli_Markup_Plain("ab╬C3 blau╬rX╬bFehler╬r in"_cp, &plain, &codes));
  all += plain + "|";
  ASSERT_TRUE(Oli_Markup_Plain("╬C3 rot"_cp, &plain, nullptr));  // argument to the end
  EXPECT_EQ("Iy = 3 cm4|abblauXFehler in|rot", all + plain);
  EXPECT_FALSE(Oli_Markup_Plain("x╬"_cp, &plain, nullptr) || Oli_Markup_Plain("╬{C 1 230 0 0"_cp, &plain, nullptr));
}

}  // namespace
