// The list as plain text (oli2txt): the print font's symbols, the markup dropped, the
// example member's list, and lists that are cut or binary.
#include <gtest/gtest.h>

#include <string>

#include "print/print.h"
#include "support/cp850.h"
#include "support/support.h"
#include "tests/testsupport/olitext.h"

namespace {

TEST(OliText, SymbolsAreGreekLettersAndTheRestCodePage850) {
  struct Row {
    const char *cp;  // a code page 850 byte as the writers put it
    const char *utf8;
  };
  const Row rows[] = {
      {kOliSigma, "σ"},  {kOliTau, "τ"},   {kOliEpsilon, "ε"}, {kOliPerMille, "‰"}, {kOliAlpha, "α"},
      {kOliDelta, "Δ"},  {"¾"_cp, "≤"},    {"└"_cp, "γ"},      {"·"_cp, "³"},       {"ä"_cp, "ä"},
      {"Ö"_cp, "Ö"},     {"ß"_cp, "ß"},    {"²"_cp, "²"},      {"°"_cp, "°"},       {"µ"_cp, "µ"},
      {"z"_cp, "z"},
  };
  for (const Row &r : rows) {
    ASSERT_EQ(std::string(r.cp).size(), 1u) << r.utf8;
    EXPECT_STREQ(Oli_Byte_Utf8(static_cast<unsigned char>(r.cp[0])), r.utf8);
  }
}

TEST(OliText, MarkupIsDropped) {
  struct Row {
    std::string line;
    std::string shown;
  };
  const Row rows[] = {
      {"Nachweis: ╬t╠╬\\v╬r = 401.05 N/mm²  >  1  ╬{C 1 230 0 0}nicht ok !!╬{C 768}"_cp,
       "Nachweis: \tσv = 401.05 N/mm²  >  1  nicht ok !!"},
      {"I╬\\y╬r = 8356.11 cm╬/4╬r,  a╬/.╬rb,  x╬/n-1╬r"_cp, "Iy = 8356.11 cm⁴,  a·b,  x^n-1"},
      {"╬SÜberschrift"_cp, "Überschrift"},
      {"╬_Lastkollektiv 3╬r"_cp, "Lastkollektiv 3"},
      {"╬C4 rot╬r und ╬Bfett╬r, ╬bauch╬r ╬H>╬r"_cp, "rot und fett, auch >"},
      {"offen╬"_cp, "offen"},
  };
  for (const Row &r : rows) EXPECT_EQ(Oli_Line_Utf8(r.line), r.shown);
}

// The example member's list (the golden of its refresh): Brand 3 fails its stress check,
// and the text holds no markup or directive and no byte of code page 850 above ASCII.
TEST(OliText, ExampleListShowsSigmaAndTheVerdictOfBrand3) {
  std::string bytes, text, why;
  ASSERT_EQ(Read_Whole_File(PF_SOURCE_DIR "/tests/stahl_ec3/golden/bsp1.oli", &bytes, 0), WHOLE_FILE_OK);
  ASSERT_EQ(Oli_List_Utf8(bytes, &text, &why), OLI_TEXT_OK) << why;
  EXPECT_EQ(text.find("╬"), std::string::npos);
  EXPECT_EQ(text.find("#SHOW"), std::string::npos);
  EXPECT_EQ(text.find("{C "), std::string::npos);
  EXPECT_EQ(text.find("#END_OF_TEXT"), std::string::npos);
  // Well-formed UTF-8 throughout: a lone byte above 0x7F would be code page 850 left over.
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    ASSERT_GT(len, 0u) << "byte " << i;
    for (std::size_t k = 1; k < len; ++k)
      ASSERT_EQ(static_cast<unsigned char>(text[i + k]) & 0xC0, 0x80) << "byte " << i + k;
    i += len;
  }
  const std::size_t brand3 = text.find("Lastkollektiv 3: Brand 3\n");
  ASSERT_NE(brand3, std::string::npos);
  const std::string tail = text.substr(brand3);
  EXPECT_NE(tail.find("σv = 401.05 N/mm²  >  σv,Rd = 235.00 N/mm²  ⇒  Uσv = 1.707  >  1  nicht ok !!"),
            std::string::npos)
      << tail.substr(0, 2000);
  EXPECT_NE(text.find("Iy = "), std::string::npos);
  EXPECT_NE(text.find("[Grafik 1]"), std::string::npos);
}

TEST(OliText, CutOrBinaryListIsRefused) {
  struct Row {
    std::string bytes;
    int answer;
  };
  const std::string para = "#SHOWPARA 4 0.100 0.000 0\nZeile\n";
  const Row rows[] = {
      {para + "#END_OF_TEXT\n", OLI_TEXT_OK},
      {para + "#END_OF_TEXT", OLI_TEXT_CUT},            // the last line lost its end
      {para, OLI_TEXT_CUT},                             // a text block not closed
      {"#SHOWGRAFIC 2.0000 1.0000\n 1 0 0 1 1\n", OLI_TEXT_CUT},
      {para + std::string("Ze\0le\n", 6) + "#END_OF_TEXT\n", OLI_TEXT_BINARY},
      {"\x89PNG\r\n\x1a\n", OLI_TEXT_BINARY},
  };
  for (const Row &r : rows) {
    std::string text = "old", why;
    EXPECT_EQ(Oli_List_Utf8(r.bytes, &text, &why), r.answer) << r.bytes;
    if (r.answer == OLI_TEXT_OK) {
      EXPECT_EQ(text, "Zeile\n");
    } else {
      EXPECT_TRUE(text.empty());
      EXPECT_FALSE(why.empty());
    }
  }
}

}  // namespace
