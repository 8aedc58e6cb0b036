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

TEST_F(SupportTexts, CopyTrimmedStringFlags) {
  char buf[8];
  EXPECT_EQ(Copy_Trimmed_String(buf, 8, "  ab  ", 0), 6);
  EXPECT_STREQ(buf, "  ab  ");
  EXPECT_EQ(Copy_Trimmed_String(buf, 8, "  ab  ", 1), 4);
  EXPECT_STREQ(buf, "ab  ");
  EXPECT_EQ(Copy_Trimmed_String(buf, 8, "  ab  ", 2), 4);
  EXPECT_STREQ(buf, "  ab");
  EXPECT_EQ(Copy_Trimmed_String(buf, 8, "  ab  ", 3 | 4), 7);
  EXPECT_STREQ(buf, "ab     ");
  EXPECT_EQ(Copy_Trimmed_String(buf, 8, "abcdefghijk", 4), 7);  // cut to size − 1
  EXPECT_STREQ(buf, "abcdefg");
  EXPECT_EQ(Copy_Trimmed_String(buf, 1, "abc", 4), 0);
  EXPECT_STREQ(buf, "");
  buf[0] = 'Q';
  EXPECT_EQ(Copy_Trimmed_String(buf, 0, "abc", 4), 0);  // nothing at all
  EXPECT_EQ(buf[0], 'Q');
  EXPECT_EQ(Copy_Trimmed_String(buf, 8, "      ", 3), 0);
  EXPECT_STREQ(buf, "");
}

TEST_F(SupportTexts, CountWords) {
  EXPECT_STREQ(Count_Word(0), "keiner");
  EXPECT_STREQ(Count_Word(1), "einer");
  EXPECT_STREQ(Count_Word(5), "fünf"_cp);
  EXPECT_STREQ(Count_Word(9), "neun");
  EXPECT_STREQ(Count_Word(10), "10");
  EXPECT_STREQ(Count_Word(-2), "-2");
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
  EXPECT_EQ(Get_Text_Width(nullptr), 0);
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
  EXPECT_EQ(Seek_Keyword_Line("VALUES", nullptr, &v), 0);
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
  const STDIO_FCT_TABLE *t = Get_YRM_Stdio_Table();
  EXPECT_EQ(t->count, 18);
  EXPECT_EQ(Host_Stdio_Table(), nullptr);
  Set_YRM_Stdio_Table();
  EXPECT_EQ(Host_Stdio_Table(), t);
  // The table's functions are the program's own: write and read back through them.
  FILE *f = std::tmpfile();
  t->fprintf_fn(f, "%d %s\n", 42, "IPE");
  t->fseek_fn(f, 0, SEEK_SET);
  int n = 0;
  char name[8];
  EXPECT_EQ(t->fscanf_fn(f, "%d %7s", &n, name), 2);
  EXPECT_EQ(n, 42);
  EXPECT_STREQ(name, "IPE");
  t->fclose_fn(f);
}
