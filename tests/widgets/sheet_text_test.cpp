// Framed sheet text and the start-up switch of stdio table and mouse wheel.
#include "support/support.h"
#include "tests/widgets/widgets_fixture.h"

namespace {

class SheetTextFrame : public WidgetsTest {};

// The fill lies inside the frame's edge (1 pixel for style 1, 2 for style 3, none without a
// frame), the text box 3 pixels further in on the left and 1 on the right of a frame.
TEST_F(SheetTextFrame, FillAndTextBoxInsideEachFrameStyle) {
  const struct Case {
    int frame, font, inset, funny;
    std::vector<std::string> text_box;
  } cases[] = {{1, 4096, 1, 1, {"104", "201", "398", "219"}},
               {3, 4096, 2, 1, {"105", "202", "397", "218"}},
               {0, -1, 0, 0, {"100", "200", "400", "220"}}};
  const int fill = Nearest_RGB_Color(255, 255, 200), ink = Nearest_RGB_Color(0, 0, 0);
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "frame " << c.frame);
    Host_Test_Reset();
    Pop_RFont(0x11001);
    Draw_Sheet_Text_Frame(100, 200, 400, 220, "Seite 1 von 3", 209, c.frame, c.font, ink, fill);
    EXPECT_EQ(Host_Current_Font(), 0x11001);  // given back, or kept for a font below 0
    Push_RFont();
    const int d = c.inset;
    EXPECT_EQ(Host_Call_Count("Draw_Funny_Area_to_PS"), c.funny);
    EXPECT_EQ(Host_Count_Pixels(100, 200, 400, 220, fill) + Host_Count_Pixels(100, 200, 400, 220, ink),
              Host_Count_Pixels(100 + d, 200 + d, 400 - d, 220 - d, fill) +
                  Host_Count_Pixels(100 + d, 200 + d, 400 - d, 220 - d, ink));
    EXPECT_EQ(Host_Pixel(100 + d, 200 + d), fill);
    EXPECT_EQ(Host_Pixel(400 - d, 220 - d), fill);
    EXPECT_GT(Host_Count_Pixels(102, 202, 398, 218, ink), 0);
    std::vector<std::string> args = Host_Call_Args("pxBTxt", 0);
    ASSERT_GE(args.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(args.begin(), args.begin() + 4), c.text_box);
    EXPECT_EQ(args[6], "209");
  }
}

TEST_F(SheetTextFrame, NoTextNoFillOnlyFrameAndFlushAndTheStateIsGivenBack) {
  pxFgc(5);
  pxView(0, 0, 640, 480);
  int font = Host_Current_Font();
  std::vector<uint8_t> before = Host_Snapshot();
  Draw_Sheet_Text_Frame(100, 200, 400, 220, "Text", 209, 1, 0x11000, SHEET_TEXT_NONE, SHEET_TEXT_NONE);
  Draw_Sheet_Text_Frame(100, 200, 400, 220, nullptr, 209, 1, 4096, 0, SHEET_TEXT_NONE);
  EXPECT_EQ(Host_Call_Count("pxFlsh"), 2);
  EXPECT_EQ(Host_Call_Count("pxRect") + Host_Call_Count("pxBTxt"), 0);
  EXPECT_EQ(Host_Region_Diff(before, 102, 202, 398, 218), 0);
  int x1, y1, x2, y2;
  pxQVwp(&x1, &y1, &x2, &y2);
  EXPECT_EQ(std::vector<int>({pxQFgc(nullptr), x2, y2, Host_Current_Font()}),
            std::vector<int>({5, 640, 480, font}));
  // A long text stays inside the frame.
  int ink = Nearest_RGB_Color(0, 0, 200);
  Draw_Sheet_Text_Frame(100, 200, 160, 220, "ein langer Text weit hinaus", 209, 1, 4096, ink, 1);
  EXPECT_EQ(Host_Count_Pixels(160, 195, 400, 225, ink), 0);
}

TEST_F(WidgetsTest, StartUpHandsOverTheStdioTableAndSwitchesTheWheelOn) {
  M_SCROLL = 0;
  Script("W-2 w100");
  YRMMESSAGE record;
  InitYRMMessage(&record);
  record.limit_ms = 100;
  GetYRMMessage(YRM_WHEEL | YRM_LIMIT, &record);
  EXPECT_EQ(M_SCROLL, 0);  // without the switch the wheel does not count
  EXPECT_EQ(Host_Stdio_Table(), nullptr);
  Init_Host_IO_and_Mouse_Wheel();
  EXPECT_EQ(Host_Stdio_Table(), static_cast<const void *>(Get_YRM_Stdio_Table()));
  Script("W-2");
  GetYRMMessage(YRM_WHEEL, nullptr);
  EXPECT_EQ(M_SCROLL, -2);
}

}  // namespace
