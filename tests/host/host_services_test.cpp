#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "host/host.h"

namespace {
int g_resets = 0;
void Count_Reset() { ++g_resets; }
}  // namespace

TEST(HostMessages, BoxesLinesAndMessageLineAreRecordedInOrder) {
  Host_Reset();
  Init_Message();
  Fill_Message("%s", "erste Zeile");
  Fill_Message("%d. Zeile", 2);
  Draw_Message();
  PrintMessage("Text", "Titel");
  Set_Message_Line("^bHINWEIS: fertig.");
  const auto &m = Host_Messages();
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[0].kind, 0);
  EXPECT_EQ(m[0].text, "erste Zeile\n2. Zeile");
  EXPECT_EQ(m[1].kind, 1);
  EXPECT_EQ(m[1].title, "Titel");
  EXPECT_EQ(m[1].text, "Text");
  EXPECT_EQ(m[2].kind, 2);
  PrintMessage(nullptr, nullptr);
  EXPECT_EQ(Host_Messages().back().text, "");
  // A message is limited to 500 bytes; a longer line is cut, never overrun.
  Init_Message();
  Fill_Message("%s", std::string(2000, 'x').c_str());
  Draw_Message();
  EXPECT_LE(Host_Messages().back().text.size(), 511u);
  Host_Clear_Messages();
  EXPECT_TRUE(Host_Messages().empty());
}

// A recorded text on standard error: control bytes blank until the program hands its plain
// form, then title and text in it; the record keeps the bytes; Host_Reset drops the form.
TEST(HostMessages, StandardErrorLinesTakeTheProgramsPlainForm) {
  Host_Reset();
  const HOST_ECHO_TEXT marked = [](const std::string &t) { return "<" + t + ">"; };
  testing::internal::CaptureStderr();
  Set_Message_Line("a\x1b]0;t\x07\x94\x7f");
  EXPECT_EQ(Host_Set_Echo_Text(marked), nullptr);
  PrintMessage("x\ny", "T");
  EXPECT_EQ(Host_Set_Echo_Text(marked), marked);
  EXPECT_EQ(Host_Messages().at(0).text, "a\x1b]0;t\x07\x94\x7f");
  Host_Reset();
  Show_Message("\x1fz\x01");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "[host line] a ]0;t \x94 \n[host box] <T>: <x\ny>\n[host message]  z \n");
}

TEST(HostFonts, FixedPitchPerFontWord) {
  Host_Reset();
  const struct {
    int font, pitch;
  } fonts[] = {{0x1000, 7}, {0x1002, 6}, {0x11000, 8}, {0x11001, 10}, {0, 8}, {0x1000 | 0x20000, 7}};
  for (const auto &f : fonts) {
    Pop_RFont(f.font);
    EXPECT_EQ(RFONT_WIDTH + RFONT_SPACE, f.pitch) << std::hex << f.font;
    // n characters: n pitches less the last spacing.
    EXPECT_EQ(Host_Text_Extent("abcde", 5), 5 * f.pitch - RFONT_SPACE) << std::hex << f.font;
    Push_RFont();
  }
  EXPECT_EQ(Host_Text_Extent("abc", 0), 0);
  EXPECT_EQ(Host_Text_Extent(nullptr, 3), 0);
}

TEST(HostFonts, PopAndPushNestAndResetReturnsToTheStartFont) {
  Host_Reset();
  EXPECT_EQ(Host_Current_Font(), 0x1000);
  Pop_RFont(0x11000);
  Pop_RFont(0x1002);
  EXPECT_EQ(Host_Current_Font(), 0x1002);
  Push_RFont();
  EXPECT_EQ(Host_Current_Font(), 0x11000);
  Push_RFont();
  Push_RFont();  // one too many: stays at the start font
  EXPECT_EQ(Host_Current_Font(), 0x1000);
  Pop_RFont(0x11001);
  Host_Reset();
  EXPECT_EQ(std::vector<int>({Host_Current_Font(), RFONT_WIDTH}), std::vector<int>({0x1000, 6}));
}

TEST(HostClock, VirtualClockMovesOnlyWhenAdvanced) {
  Host_Reset();
  double t0 = Host_Clock_Ms();
  double t1 = Host_Clock_Ms();
  EXPECT_GE(t1, t0);  // monotonic
  Host_Use_Virtual_Clock(true);
  EXPECT_EQ(Host_Clock_Ms(), 0.0);
  Host_Advance_Clock_Ms(250);
  Host_Advance_Clock_Ms(-100);  // a clock never runs back
  EXPECT_EQ(Host_Clock_Ms(), 250.0);
  Host_Reset();
  EXPECT_GE(Host_Clock_Ms(), t1);
}

TEST(HostEnvironment, EnvironmentApplicationNumberAndStdioTable) {
  Host_Reset();
  setenv("PF_HOST_TEST_VAR", "C:/exec", 1);
  EXPECT_STREQ(YRMGetEnv("PF_HOST_TEST_VAR"), "C:/exec");
  unsetenv("PF_HOST_TEST_VAR");
  EXPECT_EQ(YRMGetEnv("PF_HOST_TEST_VAR"), nullptr);
  EXPECT_EQ(YRMGetEnv(nullptr), nullptr);
  Host_Set_Application_Number(171);
  EXPECT_EQ(CurOb_Application_Number(), 171);
  int table = 18;
  YRMSetStdioFctPtr(&table);
  EXPECT_EQ(Host_Stdio_Table(), &table);
  Host_Reset();
  EXPECT_EQ(CurOb_Application_Number(), 150);
  EXPECT_EQ(Host_Stdio_Table(), nullptr);
}

TEST(HostReset, RegisteredResetsRunOnceEach) {
  Host_Register_Reset(Count_Reset);
  Host_Register_Reset(Count_Reset);
  g_resets = 0;
  Host_Reset();
  EXPECT_EQ(g_resets, 1);
}

// Questions take the queued answers, then no; the close request reaches the program's
// function; services the layer lacks are recorded and reported, never silent.
TEST(HostMemberServices, AnswersCloseRequestAndMissingServices) {
  Host_Reset();
  Host_Queue_Answer(1);
  EXPECT_EQ(Answer_is_Yes("A?"), 1);
  EXPECT_EQ(Answer_is_Yes("B?"), 0);
  EXPECT_EQ(Host_Messages().back().kind, 3);
  YRMSetCloseFct([] { return 32768; });
  EXPECT_EQ(Host_Request_Close(), 32768);
  const char *argv[] = {"Zadadade.exe", "P.SPF", nullptr};
  EXPECT_EQ(YRMSpawnv(0, "Zadadade.exe", argv), -1);
  EXPECT_EQ(Helpview("vi319_register4"), 0);
  EXPECT_EQ(Host_Service_Requests(),
            (std::vector<std::string>{"YRMSpawnv(0,Zadadade.exe,P.SPF)", "Helpview(vi319_register4)"}));
  EXPECT_EQ(Host_Messages().back().text, "Helpview(vi319_register4): nicht vorhanden");
  Host_Reset();
  EXPECT_EQ(Host_Request_Close() + Host_Service_Requests().size(), 0u);
}
