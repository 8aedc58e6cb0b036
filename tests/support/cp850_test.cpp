#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "support/cp850.h"

namespace {
constexpr unsigned char B(const char *s) { return static_cast<unsigned char>(s[0]); }

// Every byte 0x80 to 0xFF has its own code point: converting it back gives the byte.
consteval bool Table_Is_One_To_One() {
  for (int k = 0; k < 128; ++k)
    if (cp850::to_byte(cp850::kHigh[k]) != 0x80 + k) return false;
  return true;
}
static_assert(Table_Is_One_To_One());
}  // namespace

// Glyphs of the system's texts and print-font symbols, each with its code page 850 byte.
// Traps: the cubic sign in "cm·" is 0xFA, not '³' 0xFC; '¾' (less-or-equal) is 0xF3;
// '╬' (markup opener) 0xCE; 'º' in "!º$%&/()=?" 0xA7, not '°' 0xF8.
static_assert(B("·"_cp) == 0xFA && B("³"_cp) == 0xFC && B("²"_cp) == 0xFD);
static_assert(B("¾"_cp) == 0xF3 && B("‗"_cp) == 0xF2);
static_assert(B("╬"_cp) == 0xCE);
static_assert(B("º"_cp) == 0xA7 && B("°"_cp) == 0xF8);
static_assert(B("ä"_cp) == 0x84 && B("ö"_cp) == 0x94 && B("ü"_cp) == 0x81 && B("ß"_cp) == 0xE1);
static_assert(B("Ä"_cp) == 0x8E && B("Ö"_cp) == 0x99 && B("Ü"_cp) == 0x9A);
static_assert(B("«"_cp) == 0xAE && B("»"_cp) == 0xAF);
static_assert(B("½"_cp) == 0xAB && B("ê"_cp) == 0x88 && B("î"_cp) == 0x8C && B("ð"_cp) == 0xD0);
static_assert(B("ë"_cp) == 0x89);  // per-mille sign of the raster fonts
// Greek symbols of the print font as their code-page glyphs.
static_assert(B("╠"_cp) == 0xCC);  // sigma
static_assert(B("Í"_cp) == 0xD6);  // tau
static_assert(B("└"_cp) == 0xC0);  // gamma
static_assert(B("¥"_cp) == 0xBE);  // epsilon
static_assert(B("║"_cp) == 0xBA);  // alpha
static_assert(B("╗"_cp) == 0xBB);  // beta
static_assert(B("╝"_cp) == 0xBC);  // chi
static_assert(B("┼"_cp) == 0xC5);  // lambda
static_assert(B("┌"_cp) == 0xDA);  // Phi
static_assert(B("Ê"_cp) == 0xD2 && B("Ë"_cp) == 0xD3 && B("┴"_cp) == 0xC1);
static_assert(B("╦"_cp) == 0xCB && B("▓"_cp) == 0xB2);
// The subscript code is one backslash byte after the opener.
static_assert(B("╬\\w"_cp + 1) == 0x5C && B("╬\\w"_cp + 2) == 'w');

TEST(Cp850Literal, ConvertsWholeTexts) {
  EXPECT_EQ(std::string("Tragfähigkeit nicht gewährleistet !!|!º$%&/()=?|Querschnittsfläche A = %.2lf cm²|╬\\w|"_cp) +
                "Größe"_cp + ""_cp,
            "Tragf\x84higkeit nicht gew\x84hrleistet !!|!\xA7$%&/()=?|Querschnittsfl\x84" "che A = %.2lf cm\xFD|\xCE\\w|"
            "Gr\x94\xE1" "e");
}

TEST(Cp850Literal, CheckedCallPassesConvertedBytes) {
  char buf[64], plain[16];
  CP850_CALL2(std::snprintf, buf, sizeof buf, "Höhe %d mm, Länge %.1f", 200, 3.5);
  CP850_CALL2(std::snprintf, plain, sizeof plain, "Außenbrand");
  EXPECT_EQ(std::string(buf) + "|" + plain, "H\x94he 200 mm, L\x84nge 3.5|Au\xE1" "enbrand");
}

TEST(Cp850Runtime, EveryByteRoundTripsThroughUtf8) {
  EXPECT_EQ(Cp850_To_Utf8("Tragf\x84higkeit"), "Tragfähigkeit");
  EXPECT_EQ(Cp850_To_Utf8("\xCE\\w cm\xFA"), "╬\\w cm·");
  EXPECT_EQ(Cp850_To_Utf8(std::string("a\0b", 3)), std::string("a\0b", 3));
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  std::string utf8 = Cp850_To_Utf8(all);
  // Decode the UTF-8 again and compare code points with the table.
  std::size_t i = 0;
  for (int c = 1; c < 256; ++c) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : 2;
    char32_t cp = extra == 0 ? lead : extra == 1 ? lead & 0x1F : lead & 0x0F;
    for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += extra + 1;
    EXPECT_EQ(cp, c < 0x80 ? static_cast<char32_t>(c) : cp850::kHigh[c - 0x80]) << c;
  }
  EXPECT_EQ(i, utf8.size());
}

// A host message as plain UTF-8 for standard error: "^b" dropped (a lone '^' stays), control
// bytes as blanks wherever they stand, the line end kept, code page 850 bytes as characters.
TEST(Cp850Runtime, HostMessageAsPlainText) {
  const std::string cases[][2] = {{"^bHINWEIS: Gr\x94\xe1" "e.", "HINWEIS: Größe."},
                                  {"\x1b]0;owned\x07\x1b[2J\x94\xe1", " ]0;owned  [2Jöß"},
                                  {"a^\tb^b\nc\x7f", "a^ b\nc "}, {"x\x1f", "x "}, {std::string("^\0^", 3), "^ ^"}};
  for (const auto &c : cases) EXPECT_EQ(Message_Text_Utf8(c[0]), c[1]) << c[0];
}
