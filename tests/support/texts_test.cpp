#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/host.h"
#include "support/support.h"

namespace {
class SupportTexts : public testing::Test {
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
}  // namespace

// Flags 1 and 2 trim the start and the end, 4 pads with blanks to size − 1; the copy is
// cut to size − 1, and size 0 writes nothing at all.
TEST_F(SupportTexts, CopyTrimmedStringFlags) {
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

TEST_F(SupportTexts, HinweisGoesToTheMessageLineOrABox) {
  CP850_CALL(Hinweis_Message, 0, "%s darf den Wert %s nicht überschreiten", "Dicke", "40.0");
  CP850_CALL(Hinweis_Message, 1, "%d Lastfälle", 12);
  ASSERT_EQ(Host_Messages().size(), 2u);
  EXPECT_EQ(Host_Messages()[0].kind, 2);
  EXPECT_EQ(Host_Messages()[0].text, "^bHINWEIS: Dicke darf den Wert 40.0 nicht überschreiten."_cp);
  EXPECT_EQ(Host_Messages()[1].kind, 0);
  EXPECT_EQ(Host_Messages()[1].text, "^bHINWEIS: 12 Lastfälle."_cp);
}

TEST_F(SupportTexts, TextWidthInTheSelectedFont) {
  EXPECT_EQ(Get_Text_Width(""), 0);
  EXPECT_EQ(Get_Text_Width("HEA"), 3 * 7 - 1);  // normal font: 6 + 1 pixels
  Pop_RFont(0x11001);
  EXPECT_EQ(Get_Text_Width("HEA"), 3 * 10 - 2);  // bold large: 8 + 2 pixels
  Push_RFont();
  Pop_RFont(0x1002);
  EXPECT_EQ(Get_Text_Width("Größe"_cp), 5 * 6 - 1);  // one byte per character
  Push_RFont();
}

TEST_F(SupportTexts, SeekKeywordLine) {
  FILE *f = Text_File("#KOPF 3\nVALUES 17 x\nVALUESX\n#LEER\n#FALSCH abc\n");
  int v = -1;
  EXPECT_EQ(Seek_Keyword_Line("VALUES", f, &v), 1);
  EXPECT_EQ(v, 17);
  EXPECT_EQ(Seek_Keyword_Line("#KOPF", f, &v), 1);  // rewinds first
  EXPECT_EQ(v, 3);
  v = 99;
  EXPECT_EQ(Seek_Keyword_Line("#LEER", f, &v), 1);  // no integer: unchanged, still found
  EXPECT_EQ(v, 99);
  EXPECT_EQ(Seek_Keyword_Line("#FALSCH", f, &v), 1);
  EXPECT_EQ(v, 99);
  EXPECT_EQ(Seek_Keyword_Line("#FEHLT", f, nullptr), 0);
  std::fclose(f);
}

TEST_F(SupportTexts, SeekKeywordLineNeverMatchesTheTailOfALongLine) {
  std::string content = std::string(511, 'a') + "#ZIEL 5\n" + "#ANDERS 1\n";
  FILE *f = Text_File(content);
  int v = -1;
  EXPECT_EQ(Seek_Keyword_Line("#ZIEL", f, &v), 0);
  EXPECT_EQ(v, -1);
  EXPECT_EQ(Seek_Keyword_Line("#ANDERS", f, &v), 1);
  EXPECT_EQ(v, 1);
  std::fclose(f);
  // A line of exactly 511 characters and its line end still count as one line.
  f = Text_File(std::string(510, 'b') + "c\n#ZIEL 8\n");
  EXPECT_EQ(Seek_Keyword_Line("#ZIEL", f, &v), 1);
  EXPECT_EQ(v, 8);
  std::fclose(f);
}

TEST_F(SupportTexts, TimeoutOnTheHostClock) {
  Host_Use_Virtual_Clock(true);
  Host_Advance_Clock_Ms(5000);
  EXPECT_DOUBLE_EQ(Set_Timeout(1.0), 5.0);
  EXPECT_EQ(Timeout_Reached(), 0);
  Host_Advance_Clock_Ms(999);
  EXPECT_EQ(Timeout_Reached(), 0);
  Host_Advance_Clock_Ms(1);
  EXPECT_EQ(Timeout_Reached(), 1);
  Set_Timeout(0.5);  // a new call replaces the deadline
  EXPECT_EQ(Timeout_Reached(), 0);
  Host_Advance_Clock_Ms(500);
  EXPECT_EQ(Timeout_Reached(), 1);
}

TEST_F(SupportTexts, SniSelctIsLookedUpUnderExec) {
  const char *old = std::getenv("EXEC");
  std::string saved = old ? old : "";
  char dir[] = "/tmp/sniselct-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string tool = std::string(dir) + "/SniSelct.exe";

  unsetenv("EXEC");
  EXPECT_EQ(SniSelct_Available(), 0);
  setenv("EXEC", dir, 1);
  EXPECT_EQ(SniSelct_Available(), 0);  // not there
  FILE *f = std::fopen(tool.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  chmod(tool.c_str(), 0644);
  EXPECT_EQ(SniSelct_Available(), 0);  // there, not executable
  chmod(tool.c_str(), 0755);
  EXPECT_NE(SniSelct_Available(), 0);
  setenv("EXEC", (std::string(dir) + "/").c_str(), 1);
  EXPECT_NE(SniSelct_Available(), 0);

  std::remove(tool.c_str());
  rmdir(dir);
  if (old) setenv("EXEC", saved.c_str(), 1);
  else unsetenv("EXEC");
}

TEST_F(SupportTexts, StdioTableGoesToTheHost) {
  EXPECT_EQ(Host_Stdio_Table(), nullptr);
  Set_YRM_Stdio_Table();
  EXPECT_EQ(Host_Stdio_Table(), Get_YRM_Stdio_Table());
}
