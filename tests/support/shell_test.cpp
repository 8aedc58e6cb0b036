#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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
  void TearDown() override {
    Host_Reset();
    Reset_Support_For_Tests();
  }
};

FILE *Text_File(const std::string &content) {
  FILE *f = std::tmpfile();
  std::fputs(content.c_str(), f);
  return f;
}

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
  EXPECT_EQ(Check_File_Version(2, 2, 0) + Check_File_Version(1, 2, 1), 2);  // not newer: quietly fine
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
      std::string boxes;
      for (const auto &m : Host_Messages()) boxes += std::to_string(m.kind) + m.text;
      EXPECT_EQ(boxes, c.text && !refresh ? "0" + std::string(c.text) : "") << c.mode << " refresh " << refresh;
    }
  }
  EXPECT_EQ(Is_Refresh_Mode(), 1);
}

TEST_F(ShellHelpers, MemberFileStemIsRefusedWhenTooLong) {
  EXPECT_STREQ(Get_Bauteil_Path(), "");
  ASSERT_EQ(Set_Bauteil_Path("/proj/P001/B0017"), 1);
  EXPECT_STREQ(Get_Bauteil_Path(), "/proj/P001/B0017");
  // Stem, suffix "_00" and the longest ending (8 bytes) fit 260 bytes: a stem of 249.
  std::string longest(249, 'x'), too_long(250, 'y');
  EXPECT_EQ((std::vector<int>{Set_Bauteil_Path(longest.c_str()), Set_Bauteil_Path(too_long.c_str())}),
            (std::vector<int>{1, 0}));  // in order
  EXPECT_EQ(Get_Bauteil_Path(), longest);  // the old stem stays, never a cut one
}

// The whole work-file name stays within 260 bytes whatever the stem and the number: a
// number whose suffix is too long for the stem, and a negative one, are refused.
TEST_F(ShellHelpers, WorkFileNamesStayWithinThePathLimit) {
  const struct {
    int stem, number;
    int stem_ok, number_ok;
  } cases[] = {{249, 99, 1, 1}, {249, 100, 1, 0}, {248, 100, 1, 1}, {248, 1000, 1, 0},
               {10, -1, 1, 0},  {10, 123456, 1, 1}, {250, 5, 0, 1}};
  for (const auto &c : cases) {
    SCOPED_TRACE(::testing::Message() << "stem of " << c.stem << ", number " << c.number);
    Reset_Shell_For_Tests();
    const std::string stem(c.stem, 's');
    EXPECT_EQ(Set_Bauteil_Path(stem.c_str()), c.stem_ok);
    EXPECT_EQ(Set_File_Number(c.number), c.number_ok);
    EXPECT_EQ(Get_File_Number_Suffix(), c.number_ok ? "_" + std::string(c.number < 10 ? "0" : "") + std::to_string(c.number)
                                                    : std::string("_00"));
    const std::string inp = Make_Bauteil_Filename(".INP"), tmp = Make_Bauteil_Filename("_TMP.XPR");
    EXPECT_EQ(inp, std::string(Get_Bauteil_Path()) + Get_File_Number_Suffix() + ".INP");
    EXPECT_LE(tmp.size(), 260u);
    EXPECT_FALSE(tmp.empty());
  }
  ASSERT_EQ(Set_Bauteil_Path(std::string(249, 's').c_str()), 1);
  EXPECT_EQ(Make_Bauteil_Filename("_TMP1.XPR"), "");  // 261 bytes: no name
  // The number first: the stem is checked against its suffix "_100".
  Reset_Shell_For_Tests();
  EXPECT_EQ(Set_File_Number(100) * 100 + Set_Bauteil_Path(std::string(249, 's').c_str()) * 10 +
                Set_Bauteil_Path(std::string(248, 's').c_str()), 101);
}

TEST_F(ShellHelpers, FileNumberSuffix) {
  std::string suffixes = Get_File_Number_Suffix();
  for (int n : {7, 123}) Set_File_Number(n), suffixes += Get_File_Number_Suffix();
  EXPECT_EQ(suffixes, "_00_07_123");
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
  void *none = nullptr;
  Pad_With_Blanks(nullptr, 5);
  Clamp_Not_Negative(nullptr);
  PtrArr_Destroy(nullptr);
  Tools_Free(&none);
  EXPECT_EQ(MEM_STRDUP(nullptr), nullptr);
  EXPECT_EQ((std::vector<int>{Trim_Blanks(nullptr), Set_Bauteil_Path(nullptr), Get_Text_Width(nullptr),
                              Seek_Keyword_Line("VALUES", nullptr, &v), v}),
            (std::vector<int>{0, 0, 0, 0, 1}));
  EXPECT_EQ(Host_Stdio_Table(), nullptr);  // the stdio table reaches the host once set
  Set_YRM_Stdio_Table();
  EXPECT_EQ(Host_Stdio_Table(), Get_YRM_Stdio_Table());
}

TEST(SupportReset, HostResetAlsoResetsTheSupportModule) {
  Set_Bauteil_Path("/proj/B1");
  Set_Refresh_Mode(1);
  Host_Reset();
  EXPECT_STREQ(Get_Bauteil_Path(), "");
  EXPECT_EQ(Is_Refresh_Mode(), 0);
}

// Flags 1 and 2 trim the start and the end, 4 pads with blanks to size − 1; the copy is
// cut to size − 1, and size 0 writes nothing at all.
TEST_F(ShellHelpers, CopyTrimmedStringFlags) {
  const struct {
    int size;
    const char *text;
    int flags, n;
    const char *out;
  } cases[] = {{8, "  ab  ", 0, 6, "  ab  "},      {8, "  ab  ", 1, 4, "ab  "}, {8, "  ab  ", 2, 4, "  ab"},
               {8, "  ab  ", 3 | 4, 7, "ab     "}, {8, "abcdefghijk", 4, 7, "abcdefg"},
               {1, "abc", 4, 0, ""},              {8, "      ", 3, 0, ""},    {0, "abc", 4, 0, "Q"}};
  for (const auto &c : cases) {
    char buf[8] = "Q";
    EXPECT_EQ(Copy_Trimmed_String(buf, c.size, c.text, c.flags), c.n) << c.text << " " << c.flags;
    EXPECT_STREQ(buf, c.out) << c.text << " " << c.flags;
  }
  const char *words[] = {"keiner", "einer", "fünf"_cp, "neun", "10", "-2"};
  const int counts[] = {0, 1, 5, 9, 10, -2};
  for (int k = 0; k < 6; ++k) EXPECT_STREQ(Count_Word(counts[k]), words[k]);
}

TEST_F(ShellHelpers, HinweisGoesToTheMessageLineOrABox) {
  CP850_CALL(Hinweis_Message, 0, "%s darf den Wert %s nicht überschreiten", "Dicke", "40.0");
  CP850_CALL(Hinweis_Message, 1, "%d Lastfälle", 12);
  ASSERT_EQ(Host_Messages().size(), 2u);  // kind 2 the message line, 0 a box
  EXPECT_EQ(std::to_string(Host_Messages()[0].kind) + Host_Messages()[0].text + std::to_string(Host_Messages()[1].kind) +
                Host_Messages()[1].text,
            "2^bHINWEIS: Dicke darf den Wert 40.0 nicht überschreiten.0^bHINWEIS: 12 Lastfälle."_cp);
}

TEST_F(ShellHelpers, TextWidthInTheSelectedFont) {
  EXPECT_EQ(Get_Text_Width(""), 0);
  EXPECT_EQ(Get_Text_Width("HEA"), 3 * 7 - 1);  // normal font: 6 + 1 pixels
  Pop_RFont(0x11001);
  EXPECT_EQ(Get_Text_Width("HEA"), 3 * 10 - 2);  // bold large: 8 + 2 pixels
  Push_RFont();
  Pop_RFont(0x1002);
  EXPECT_EQ(Get_Text_Width("Größe"_cp), 5 * 6 - 1);  // one byte per character
  Push_RFont();
}

TEST_F(ShellHelpers, SeekKeywordLine) {
  FILE *f = Text_File("#KOPF 3\nVALUES 17 x\nVALUESX\n#LEER\n#FALSCH abc\n");
  int v = -1;
  // Each search rewinds first; a keyword without an integer is found, its value unchanged.
  const struct {
    const char *key;
    int found, value;
  } cases[] = {{"VALUES", 1, 17}, {"#KOPF", 1, 3}, {"#LEER", 1, 3}, {"#FALSCH", 1, 3}, {"#FEHLT", 0, 3}};
  for (const auto &c : cases) {
    EXPECT_EQ(Seek_Keyword_Line(c.key, f, &v), c.found) << c.key;
    EXPECT_EQ(v, c.value) << c.key;
  }
  EXPECT_EQ(Seek_Keyword_Line("#FEHLT", f, nullptr), 0);
  std::fclose(f);
}

TEST_F(ShellHelpers, SeekKeywordLineNeverMatchesTheTailOfALongLine) {
  std::string content = std::string(511, 'a') + "#ZIEL 5\n" + "#ANDERS 1\n";
  FILE *f = Text_File(content);
  int v[3] = {-1, -1, -1};
  // A line of exactly 511 characters and its line end still count as one line.
  FILE *g = Text_File(std::string(510, 'b') + "c\n#ZIEL 8\n");
  EXPECT_EQ((std::vector<int>{Seek_Keyword_Line("#ZIEL", f, &v[0]), v[0], Seek_Keyword_Line("#ANDERS", f, &v[1]), v[1],
                              Seek_Keyword_Line("#ZIEL", g, &v[2]), v[2]}),
            (std::vector<int>{0, -1, 1, 1, 1, 8}));
  std::fclose(f);
  std::fclose(g);
}

TEST_F(ShellHelpers, TimeoutOnTheHostClock) {
  Host_Use_Virtual_Clock(true);
  Host_Advance_Clock_Ms(5000);
  EXPECT_DOUBLE_EQ(Set_Timeout(1.0), 5.0);
  std::string reached = std::to_string(Timeout_Reached());
  for (int ms : {999, 1}) Host_Advance_Clock_Ms(ms), reached += std::to_string(Timeout_Reached());
  Set_Timeout(0.5);  // a new call replaces the deadline
  reached += std::to_string(Timeout_Reached());
  Host_Advance_Clock_Ms(500);
  EXPECT_EQ(reached + std::to_string(Timeout_Reached()), "00101");
}

TEST_F(ShellHelpers, SniSelctIsLookedUpUnderExec) {
  const char *old = std::getenv("EXEC");
  std::string saved = old ? old : "";
  char dir[] = "/tmp/sniselct-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string tool = std::string(dir) + "/SniSelct.exe";

  // No EXEC; not there; there, not executable; executable, also under EXEC with a slash.
  unsetenv("EXEC");
  std::vector<bool> found{SniSelct_Available() != 0};
  setenv("EXEC", dir, 1);
  found.push_back(SniSelct_Available() != 0);
  FILE *f = std::fopen(tool.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  for (mode_t mode : {0644, 0755}) chmod(tool.c_str(), mode), found.push_back(SniSelct_Available() != 0);
  setenv("EXEC", (std::string(dir) + "/").c_str(), 1);
  found.push_back(SniSelct_Available() != 0);
  EXPECT_EQ(found, (std::vector<bool>{false, false, false, true, true}));

  std::remove(tool.c_str());
  rmdir(dir);
  if (old) setenv("EXEC", saved.c_str(), 1);
  else unsetenv("EXEC");
}
