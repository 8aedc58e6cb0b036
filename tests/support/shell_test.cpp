#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/host.h"
#include "support/shell.h"
#include "support/support.h"

namespace {
class ShellHelpers : public testing::Test {
 protected:
  void SetUp() override {
    Host_Reset();
    Reset_Support_For_Tests();
  }
  void TearDown() override { Reset_Support_For_Tests(); }
};

const char *kInputWording =
    "!! ACHTUNG !!\nDie Eingabedatei ist aktueller als die Programmversion\nBitte aktualisieren Sie das Programm.";
const char *kImportWording =
    "!! ACHTUNG !!\nDie Importdatei ist aktueller als die Programmversion\n"
    "Bitte fordern Sie eine neue Programmversion an.";
}  // namespace

// The blank helpers: their result and the text they leave, on a text with blanks inside
// and at both ends, on blanks only and on the empty text.
TEST_F(ShellHelpers, BlankHelpers) {
  struct Case {
    int (*fn)(char *);
    const char *in, *out;
    int rc;
  } cases[] = {
      {Trim_Blanks, "  HEA 200  ", "HEA 200", 1},         {Trim_Blanks, "    ", "", 0},
      {Trim_Blanks, "", "", 0},                          {Remove_All_Blanks, " I 200 PE ", "I200PE", 1},
      {Remove_All_Blanks, "   ", "", 0},                 {Tilde_to_Blank, "Kragarm~links~oben", "Kragarm links oben", 1},
      {Tilde_to_Blank, "~~~", "   ", 0},                 {Tilde_to_Blank, "", "", 0},
  };
  for (const Case &c : cases) {
    std::string t = c.in;
    EXPECT_EQ(c.fn(t.data()), c.rc) << '"' << c.in << '"';
    EXPECT_STREQ(t.c_str(), c.out) << '"' << c.in << '"';
  }
  char a[] = "Kragarm links oben";
  Blank_to_Tilde(a);
  EXPECT_STREQ(a, "Kragarm~links~oben");
  // Padding to n − 1 characters: pads, cuts, or leaves the text alone for n <= 0.
  char p[26] = "S235";
  Pad_With_Blanks(p, 26);
  EXPECT_EQ(std::string(p), "S235" + std::string(21, ' '));
  char b[] = "a much too long material name";
  Pad_With_Blanks(b, 7);
  EXPECT_STREQ(b, "a much");
  char c[] = "xyz";
  Pad_With_Blanks(c, 0);
  Pad_With_Blanks(c, -3);
  EXPECT_STREQ(c, "xyz");
  std::string s = std::string("hea 200 größe"_cp);  // bytes above ASCII stay
  Upper_Case_Text(s.data());
  EXPECT_EQ(s, std::string("HEA 200 GR") + "öß"_cp + "E");
}

TEST_F(ShellHelpers, CheckFileVersionWordingsPerMode) {
  EXPECT_EQ(Check_File_Version(2, 2, 0), 1);
  EXPECT_EQ(Check_File_Version(1, 2, 1), 1);
  EXPECT_TRUE(Host_Messages().empty());

  const struct {
    int mode;
    const char *text;
  } cases[] = {{0, kInputWording}, {1, kImportWording}, {2, nullptr}, {5, kImportWording}};
  for (const auto &c : cases) {
    for (int refresh = 0; refresh < 2; ++refresh) {
      Host_Clear_Messages();
      Set_Refresh_Mode(refresh);
      EXPECT_EQ(Check_File_Version(3, 2, c.mode), 0);
      if (c.text && !refresh) {
        ASSERT_EQ(Host_Messages().size(), 1u) << c.mode;
        EXPECT_EQ(Host_Messages()[0].kind, 0);
        EXPECT_EQ(Host_Messages()[0].text, c.text) << c.mode;
      } else {
        EXPECT_TRUE(Host_Messages().empty()) << c.mode << " refresh " << refresh;
      }
    }
  }
  EXPECT_EQ(Is_Refresh_Mode(), 1);
}

TEST_F(ShellHelpers, MemberFileStemIsRefusedWhenTooLong) {
  EXPECT_STREQ(Get_Bauteil_Path(), "");
  ASSERT_EQ(Set_Bauteil_Path("/proj/P001/B0017"), 1);
  EXPECT_STREQ(Get_Bauteil_Path(), "/proj/P001/B0017");
  std::string longest(260, 'x'), too_long(261, 'y');
  EXPECT_EQ(Set_Bauteil_Path(longest.c_str()), 1);
  EXPECT_EQ(Set_Bauteil_Path(too_long.c_str()), 0);
  EXPECT_EQ(Get_Bauteil_Path(), longest);  // the old stem stays, never a cut one
}

TEST_F(ShellHelpers, FileNumberSuffix) {
  EXPECT_STREQ(Get_File_Number_Suffix(), "_00");
  Set_File_Number(7);
  EXPECT_STREQ(Get_File_Number_Suffix(), "_07");
  Set_File_Number(123);
  EXPECT_STREQ(Get_File_Number_Suffix(), "_123");
}

// Work-file names: stem, suffix and ending; the position text and the exchange path take
// the folder and the first four characters of the stem's file name.
TEST_F(ShellHelpers, WorkFileNamesAndStemPrefix) {
  const char *cases[][4] = {{"BSP1", "BSP1_01.INP", "BSP1_01.TXT", ""},
                            {"ex.d/BEISPIEL", "ex.d/BEISPIEL_01.INP", "ex.d/BEIS_01.TXT", "PIEL"},
                            {"C:\\p\\AB", "C:\\p\\AB_01.INP", "C:\\p\\AB_01.TXT", ""}};
  Set_File_Number(1);
  for (const auto &c : cases) {
    ASSERT_EQ(Set_Bauteil_Path(c[0]), 1);
    std::string rest;
    EXPECT_EQ(Make_Bauteil_Filename(".INP"), c[1]);
    EXPECT_EQ(Make_Stem_Prefix_Filename("_01.TXT", &rest), c[2]);
    EXPECT_EQ(rest, c[3]);
  }
  Set_Bauteil_Path("");
  EXPECT_EQ(Open_Bauteil_File(".INP", "r"), nullptr);  // no stem: nothing is opened
}

// The input callbacks clamp a value to 0.. or 0..1 and leave a value inside alone.
TEST_F(ShellHelpers, ClampCallbacks) {
  const struct {
    void (*fn)(void *);
    double in, out;
  } cases[] = {{Clamp_Not_Negative, -0.5, 0}, {Clamp_Not_Negative, 2.5, 2.5}, {Clamp_Zero_to_One, 2.5, 1},
               {Clamp_Zero_to_One, -3, 0},     {Clamp_Zero_to_One, 0.4, 0.4}};
  for (const auto &c : cases) {
    double v = c.in;
    c.fn(&v);
    EXPECT_EQ(v, c.out) << c.in;
  }
}

// Null texts and values: nothing happens, the "nothing" result comes back.
TEST_F(ShellHelpers, NullArgumentsDoNothing) {
  int v = 1;
  EXPECT_EQ(Trim_Blanks(nullptr), 0);
  Pad_With_Blanks(nullptr, 5);
  Clamp_Not_Negative(nullptr);
  EXPECT_EQ(Set_Bauteil_Path(nullptr), 0);
  EXPECT_EQ(Get_Text_Width(nullptr), 0);
  EXPECT_EQ(Seek_Keyword_Line("VALUES", nullptr, &v), 0);
  EXPECT_EQ(MEM_STRDUP(nullptr), nullptr);
  PtrArr_Destroy(nullptr);
  void *none = nullptr;
  Tools_Free(&none);
  EXPECT_EQ(v, 1);
}

TEST(SupportReset, HostResetAlsoResetsTheSupportModule) {
  Set_Bauteil_Path("/proj/B1");
  Set_Refresh_Mode(1);
  Host_Reset();
  EXPECT_STREQ(Get_Bauteil_Path(), "");
  EXPECT_EQ(Is_Refresh_Mode(), 0);
}
