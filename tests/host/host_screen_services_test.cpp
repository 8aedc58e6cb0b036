// Clipboard, user settings, window size, screen set-up and drawing-state services.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "host/host_test.h"

namespace {

using HostClipboard = HostScreenTest;
using HostSettings = HostScreenTest;
using HostScreenSetup = HostScreenTest;

TEST_F(HostClipboard, TextComesBackWithLineFeedsAndIsCutToTheBuffer) {
  char buf[64];
  EXPECT_EQ(YRMGetClipboardText(buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "");
  YRMSetClipboardText("Zeile 1\r\nZeile 2\rZeile 3\n");
  EXPECT_TRUE(Host_Clipboard_Is("Zeile 1\r\nZeile 2\rZeile 3\n"));
  EXPECT_EQ(YRMGetClipboardText(buf, sizeof buf), 24);
  EXPECT_STREQ(buf, "Zeile 1\nZeile 2\nZeile 3\n");
  EXPECT_EQ(YRMGetClipboardText(buf, 6), 5);
  EXPECT_STREQ(buf, "Zeile");
  EXPECT_EQ(YRMGetClipboardText(nullptr, 6), 0);
  Host_Test_Reset();
  EXPECT_EQ(YRMGetClipboardText(buf, sizeof buf), 0);  // the reset empties it
}

TEST_F(HostSettings, HarnessSettingsThenTheSettingsFile) {
  char buf[21] = "unchanged";
  EXPECT_EQ(YRMGetUserString("UseSheetBreakShortKey", buf, 21), 0);
  EXPECT_STREQ(buf, "unchanged");
  Host_Set_User_String("UseSheetBreakShortKey", "1");
  EXPECT_EQ(YRMGetUserString("UseSheetBreakShortKey", buf, 21), 1);
  EXPECT_STREQ(buf, "1");
  Host_Set_User_String("UseSheetBreakShortKey", nullptr);
  EXPECT_EQ(YRMGetUserString("UseSheetBreakShortKey", buf, 21), 0);

  namespace fs = std::filesystem;
  fs::path file = fs::temp_directory_path() / ("yrm_settings_" + std::to_string(::getpid()) + ".txt");
  std::ofstream(file) << "UseSheetOkShortKey=1\r\nUseSheetHelpShortKeyX=5\nUseSheetHelpShortKey=nein\n"
                      << "Lang=" << std::string(40, 'x') << "\n";
  ::setenv("YRMUSERSETTINGS", file.string().c_str(), 1);
  EXPECT_EQ(YRMGetUserString("UseSheetOkShortKey", buf, 21), 1);
  EXPECT_STREQ(buf, "1");
  EXPECT_EQ(YRMGetUserString("UseSheetHelpShortKey", buf, 21), 1);
  EXPECT_STREQ(buf, "nein");
  EXPECT_EQ(YRMGetUserString("Lang", buf, 21), 1);
  EXPECT_EQ(std::string(buf), std::string(20, 'x'));
  EXPECT_EQ(YRMGetUserString("UseSheetJumpShortKey", buf, 21), 0);
  Host_Set_User_String("UseSheetOkShortKey", "0");  // the harness wins
  EXPECT_EQ(YRMGetUserString("UseSheetOkShortKey", buf, 21), 1);
  EXPECT_STREQ(buf, "0");
  ::unsetenv("YRMUSERSETTINGS");
  fs::remove(file);
  Host_Test_Reset();
  EXPECT_EQ(YRMGetUserString("UseSheetOkShortKey", buf, 21), 0);  // the reset forgets them
}

TEST_F(HostScreenSetup, StartUpCallsAndDrawingStateRoundTrips) {
  pxFgc(BLACK_CI);
  pxRect(0, 0, 100, 100);
  Pop_RFont(0x11001);
  Init_RFont();
  EXPECT_EQ(Host_Current_Font(), 0x1000);
  Init_Grafik_Mode();
  EXPECT_EQ(Host_Count_Pixels(0, 0, 100, 100, WHITE_CI), 101 * 101);
  EXPECT_EQ(RFONT_HEIGHT, 12);
  int c = -1;
  pxFgc(GetYRMColor(-21));
  EXPECT_EQ(std::vector<int>({pxQFgc(&c), c, pxQFgc(nullptr), pxBuff(-1), pxBuff(1), pxBuff(-1), pxFlsh()}),
            std::vector<int>({GetYRMColor(-21), GetYRMColor(-21), GetYRMColor(-21), -1, -1, 1, 0}));
  YRMSetMinMaxSize(1280, 1024, 1280, 1024);
  EXPECT_EQ(Host_Call_Count("YRMSetMinMaxSize"), 1);
  EXPECT_EQ(Host_Last_Calls(1), "  YRMSetMinMaxSize(1280,1024,1280,1024)\n");
  Host_Clear_Calls();
  EXPECT_TRUE(Host_Calls().empty());
}

int g_cached_colour = -1;
void Cache_Colour_On_Reset() { g_cached_colour = Nearest_RGB_Color(1, 2, 3); }

// A module that looks its colours up in its reset keeps valid indices: the screen is reset first.
TEST_F(HostScreenSetup, ModuleResetsRunAfterTheScreensAndMayUseIt) {
  Host_Register_Reset(Cache_Colour_On_Reset);
  pxFgc(Nearest_RGB_Color(200, 100, 50));
  Host_Reset();
  int r, g, b;
  pxQCR(g_cached_colour, &r, &g, &b);
  EXPECT_EQ(std::vector<int>({r, g, b, Nearest_RGB_Color(1, 2, 3), pxQFgc(nullptr)}),
            std::vector<int>({1, 2, 3, g_cached_colour, BLACK_CI}));
}

}  // namespace
