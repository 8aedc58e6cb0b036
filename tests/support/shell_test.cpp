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

TEST_F(ShellHelpers, TrimBlanks) {
  char a[] = "  HEA 200  ";
  EXPECT_EQ(Trim_Blanks(a), 1);
  EXPECT_STREQ(a, "HEA 200");
  char b[] = "    ";
  EXPECT_EQ(Trim_Blanks(b), 0);
  EXPECT_STREQ(b, "");
  char c[] = "";
  EXPECT_EQ(Trim_Blanks(c), 0);
  EXPECT_EQ(Trim_Blanks(nullptr), 0);
}

TEST_F(ShellHelpers, PadWithBlanksPadsCutsOrLeavesAlone) {
  char a[26] = "S235";
  Pad_With_Blanks(a, 26);
  EXPECT_EQ(std::strlen(a), 25u);
  EXPECT_EQ(std::string(a), "S235" + std::string(21, ' '));
  char b[] = "a much too long material name";
  Pad_With_Blanks(b, 7);
  EXPECT_STREQ(b, "a much");
  char c[] = "xyz";
  Pad_With_Blanks(c, 0);
  Pad_With_Blanks(c, -3);
  EXPECT_STREQ(c, "xyz");
  Pad_With_Blanks(nullptr, 5);
}

TEST_F(ShellHelpers, UpperCaseKeepsBytesAboveAscii) {
  std::string s = std::string("hea 200 größe"_cp);
  Upper_Case_Text(s.data());
  EXPECT_EQ(s, std::string("HEA 200 GR") + "öß"_cp + "E");
}

TEST_F(ShellHelpers, RemoveAllBlanks) {
  char a[] = " I 200 PE ";
  EXPECT_EQ(Remove_All_Blanks(a), 1);
  EXPECT_STREQ(a, "I200PE");
  char b[] = "   ";
  EXPECT_EQ(Remove_All_Blanks(b), 0);
}

TEST_F(ShellHelpers, TildeRoundTrip) {
  char a[] = "Kragarm links oben";
  Blank_to_Tilde(a);
  EXPECT_STREQ(a, "Kragarm~links~oben");
  EXPECT_EQ(Tilde_to_Blank(a), 1);
  EXPECT_STREQ(a, "Kragarm links oben");
  char b[] = "~~~";
  EXPECT_EQ(Tilde_to_Blank(b), 0);
  EXPECT_STREQ(b, "   ");
  char c[] = "";
  EXPECT_EQ(Tilde_to_Blank(c), 0);
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
  EXPECT_EQ(Set_Bauteil_Path(nullptr), 0);
}

TEST_F(ShellHelpers, FileNumberSuffix) {
  EXPECT_STREQ(Get_File_Number_Suffix(), "_00");
  Set_File_Number(7);
  EXPECT_STREQ(Get_File_Number_Suffix(), "_07");
  Set_File_Number(123);
  EXPECT_STREQ(Get_File_Number_Suffix(), "_123");
}

TEST_F(ShellHelpers, ClampCallbacks) {
  double v = -0.5;
  Clamp_Not_Negative(&v);
  EXPECT_EQ(v, 0.0);
  v = 2.5;
  Clamp_Not_Negative(&v);
  EXPECT_EQ(v, 2.5);
  Clamp_Zero_to_One(&v);
  EXPECT_EQ(v, 1.0);
  v = -3;
  Clamp_Zero_to_One(&v);
  EXPECT_EQ(v, 0.0);
  v = 0.4;
  Clamp_Zero_to_One(&v);
  EXPECT_EQ(v, 0.4);
  Clamp_Not_Negative(nullptr);
}

TEST(SupportReset, HostResetAlsoResetsTheSupportModule) {
  Set_Bauteil_Path("/proj/B1");
  Set_Refresh_Mode(1);
  Host_Reset();
  EXPECT_STREQ(Get_Bauteil_Path(), "");
  EXPECT_EQ(Is_Refresh_Mode(), 0);
}
