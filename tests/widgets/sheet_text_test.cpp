// Framed sheet text and the start-up switch of stdio table and mouse wheel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/support.h"
#include "tests/widgets/widgets_fixture.h"
#include "widgets/widgets.h"

namespace {

class SheetTextFrame : public WidgetsTest {};

std::vector<std::string> Box_Text_Rect() {
  std::vector<std::string> args = Host_Call_Args("pxBTxt", 0);
  if (args.size() < 4) return {};
  return {args[0], args[1], args[2], args[3]};
}

TEST_F(SheetTextFrame, ThinFrameFillsInsideOnePixel) {
  int fill = Nearest_RGB_Color(255, 255, 200), ink = Nearest_RGB_Color(0, 0, 0);
  Clear_Host_Calls();
  Draw_Sheet_Text_Frame(100, 200, 400, 220, "Seite 1 von 3", 209, 1, 4096, ink, fill);
  EXPECT_EQ(Host_Calls_Named("Draw_Funny_Area_to_PS"), 1);
  EXPECT_EQ(Pixel_Index(101, 201), fill);
  EXPECT_EQ(Pixel_Index(399, 219), fill);
  EXPECT_NE(Pixel_Index(100, 200), fill);
  EXPECT_NE(Pixel_Index(400, 220), fill);
  EXPECT_EQ(Count_Pixels(102, 202, 398, 218, ink) > 0, true);
  EXPECT_EQ(Box_Text_Rect(), (std::vector<std::string>{"104", "201", "398", "219"}));
  EXPECT_EQ(Host_Call_Args("pxBTxt", 0).at(6), "209");
}

TEST_F(SheetTextFrame, ThickFrameFillsInsideTwoPixels) {
  int fill = Nearest_RGB_Color(255, 255, 200);
  Clear_Host_Calls();
  Draw_Sheet_Text_Frame(100, 200, 400, 220, "Text", 209, 3, 4096, 0, fill);
  EXPECT_EQ(Pixel_Index(102, 202), fill);
  EXPECT_EQ(Pixel_Index(398, 218), fill);
  EXPECT_NE(Pixel_Index(101, 201), fill);
  EXPECT_EQ(Box_Text_Rect(), (std::vector<std::string>{"105", "202", "397", "218"}));
}

TEST_F(SheetTextFrame, WithoutFrameTheWholeRectangle) {
  int fill = Nearest_RGB_Color(255, 255, 200);
  Pop_RFont(0x11001);
  Clear_Host_Calls();
  Draw_Sheet_Text_Frame(100, 200, 400, 220, "Text", 209, 0, -1, 0, fill);
  EXPECT_EQ(Host_Calls_Named("Draw_Funny_Area_to_PS"), 0);
  EXPECT_EQ(Host_Current_Font(), 0x11001);  // font below 0 keeps the current one
  Push_RFont();
  EXPECT_EQ(Pixel_Index(100, 200), fill);
  EXPECT_EQ(Pixel_Index(400, 220), fill);
  EXPECT_EQ(Pixel_RGB(401, 220), Pixel_RGB(402, 221));
  EXPECT_EQ(Box_Text_Rect(), (std::vector<std::string>{"100", "200", "400", "220"}));
}

TEST_F(SheetTextFrame, NoTextNoFillOnlyFrameAndFlush) {
  std::vector<RGB> before = Pixel_Rect(102, 202, 398, 218);
  Clear_Host_Calls();
  Draw_Sheet_Text_Frame(100, 200, 400, 220, "Text", 209, 1, 4096, SHEET_TEXT_NONE, SHEET_TEXT_NONE);
  EXPECT_EQ(Host_Calls_Named("Draw_Funny_Area_to_PS"), 1);
  EXPECT_EQ(Host_Calls_Named("pxFlsh"), 1);
  EXPECT_EQ(Host_Calls_Named("pxRect"), 0);
  EXPECT_EQ(Host_Calls_Named("pxBTxt"), 0);
  EXPECT_EQ(Pixel_Rect(102, 202, 398, 218), before);
  Clear_Host_Calls();
  Draw_Sheet_Text_Frame(100, 200, 400, 220, nullptr, 209, 1, 4096, 0, SHEET_TEXT_NONE);
  EXPECT_EQ(Host_Calls_Named("pxBTxt"), 0);
}

TEST_F(SheetTextFrame, GivesBackColourClipAndFont) {
  pxFgc(5);
  pxView(0, 0, 640, 480);
  int font = Host_Current_Font();
  Draw_Sheet_Text_Frame(100, 200, 400, 220, "Text", 209, 3, 0x11000, 0, 1);
  int x1, y1, x2, y2;
  pxQVwp(&x1, &y1, &x2, &y2);
  EXPECT_EQ(pxQFgc(nullptr), 5);
  EXPECT_EQ(x2, 640);
  EXPECT_EQ(y2, 480);
  EXPECT_EQ(Host_Current_Font(), font);
}

TEST_F(SheetTextFrame, TextStaysInsideTheFrame) {
  int ink = Nearest_RGB_Color(0, 0, 200);
  Draw_Sheet_Text_Frame(100, 200, 160, 220, "ein langer Text weit hinaus", 209, 1, 4096, ink, 1);
  EXPECT_EQ(Count_Pixels(160, 195, 400, 225, ink), 0);
}

class HostStartUp : public WidgetsTest {};

TEST_F(HostStartUp, HandsOverTheStdioTableAndSwitchesTheWheelOn) {
  EXPECT_EQ(Host_Stdio_Table(), nullptr);
  Init_Host_IO_and_Mouse_Wheel();
  EXPECT_EQ(Host_Stdio_Table(), static_cast<const void *>(Get_YRM_Stdio_Table()));
  M_SCROLL = 0;
  Script_Wheel(-2);
  GetYRMMessage(YRM_WHEEL, nullptr);
  EXPECT_EQ(M_SCROLL, -2);
}

TEST_F(HostStartUp, WithoutTheSwitchTheWheelDoesNotCount) {
  M_SCROLL = 0;
  Script_Wheel(-2);
  YRMMESSAGE record;
  InitYRMMessage(&record);
  record.limit_ms = 100;
  GetYRMMessage(YRM_WHEEL | YRM_LIMIT, &record);
  EXPECT_EQ(M_SCROLL, 0);
}

}  // namespace
