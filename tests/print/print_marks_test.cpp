// Verdict marks, colour codes, comparison signs and the red error lines.
#include <cmath>
#include <string>

#include "host/host.h"
#include "tests/print/print_test_util.h"

namespace {

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
  EXPECT_EQ("nicht ok !!", plain);
  ASSERT_EQ(2u, codes.size());
  EXPECT_EQ("C 1 230 0 0", codes[0].argument);
  EXPECT_EQ("C 768", codes[1].argument);
}

TEST(PrintMarks, CompareSignInSinglePrecision) {
  EXPECT_STREQ("<", Oli_Compare_Mark_Le(0.9, 1.0));
  EXPECT_STREQ("\xF3", Oli_Compare_Mark_Le(1.0, 1.0));
  EXPECT_STREQ("\xF3", Oli_Compare_Mark_Le(1.0 + 1e-9, 1.0));
  EXPECT_STREQ(">", Oli_Compare_Mark_Le(1.1, 1.0));
  EXPECT_STREQ(">", Oli_Compare_Mark_Le(1.0 + 1e-6, 1.0));  // one float step is above 1e-7
  EXPECT_STREQ(">", Oli_Compare_Mark_Le(std::nan(""), 1.0));
}

}  // namespace
