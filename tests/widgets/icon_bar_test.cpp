// The icon bar of the main window: its buttons and codes, hover images and texts, the reach
// of the pointer beyond the declared rectangle, the host timer, and sub-bars.
#include <string>
#include <vector>

#include "tests/widgets/widgets_fixture.h"

namespace {

// Runs the main bar with the pointer resting at (x, y) and the scripted input that follows.
int Run_Main_At(int x, int y, const std::string &script) {
  msStCu(x, y);
  Script(script);
  return Run_Icon_Bar(Main_Icon_Bar());
}

// Calls of the bitmap drawing with source y (the image row of the strip) and target x.
int Count_Images(int source_y, int target_x) {
  int n = 0;
  for (const std::vector<int> &a : Calls_Args("pxDrawPartialTransparentDIB"))
    if (a[2] == source_y && a[5] == target_x) ++n;
  return n;
}

class IconBar : public EventsTest {
 protected:
  void SetUp() override {
    EventsTest::SetUp();
    Activate_Prop_Sheet();
    Draw_Icon_Bar(Main_Icon_Bar());
  }
};

// Every button gives its code after the release, shown pressed and then normal again; the
// pointer reaches buttons outside the declared rectangle (300, 3)-(525, 42) and enters a
// button only strictly inside its border; between buttons nothing.
TEST_F(IconBar, ClicksGiveTheButtonsCodes) {
  const struct Case {
    int x, y, code;
  } cases[] = {{311, 27, 8}, {366, 27, 1}, {411, 27, 2}, {456, 27, 3}, {501, 27, 4}, {546, 27, 6}, {591, 27, 7},
               {295, 27, 8}, {311, 44, 8}, {338, 27, 0}, {345, 27, 0}, {346, 27, 1}};
  const ICON_BAR *bar = Main_Icon_Bar();
  EXPECT_TRUE(Host_Missing_Bitmaps().empty());
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "at " << c.x << "," << c.y);
    Host_Clear_Calls();
    EXPECT_EQ(Run_Main_At(c.x, c.y, "c" + std::to_string(c.x) + "," + std::to_string(c.y)), c.code);
    EXPECT_EQ(M_LEFT, 0);
    for (int i = 0; i < bar->count; ++i)
      if (bar->buttons[i].code == c.code) {
        EXPECT_EQ(Count_Images(165, bar->x1 + bar->buttons[i].dx), 1);
        EXPECT_GE(Count_Images(51, bar->x1 + bar->buttons[i].dx), 1);
      }
  }
}

TEST_F(IconBar, CodeComesAfterTheReleaseWhereverThePointerIsAndThePressThatBroughtTheBarCounts) {
  EXPECT_EQ(Run_Main_At(591, 27, "m591,27 p1 w60 m800,500 r1"), 7);
  EXPECT_EQ(M_LEFT, 0);
  // The main window's escape area over the bar reports a press; the bar takes it as the click.
  Add_Escape_Area_to_PS(290, 3, 611, 45, 0, 1);
  Script("c591,27");
  ASSERT_EQ(Edit_Prop_Sheet(), 1);
  EXPECT_EQ(std::vector<int>({M_LEFT, Run_Icon_Bar(Main_Icon_Bar()), M_LEFT}), std::vector<int>({1, 7, 0}));
  // A press beside the buttons brings nothing.
  Script("c338,27");
  ASSERT_EQ(Edit_Prop_Sheet(), 1);
  Script("m338,200");
  EXPECT_EQ(Run_Icon_Bar(Main_Icon_Bar()), 0);
}

TEST_F(IconBar, InactiveButtonIsDeaf) {
  ICON_BAR bar = *Main_Icon_Bar();
  std::vector<ICON_BAR_BUTTON> buttons(bar.buttons, bar.buttons + bar.count);
  buttons[2].state = 0;  // "Vorschau"
  bar.buttons = buttons.data();
  Host_Clear_Calls();
  Draw_Icon_Bar(&bar);
  EXPECT_EQ(Count_Images(127, 390), 1);  // drawn inactive
  EXPECT_EQ(Count_Images(51, 390), 0);
  Host_Clear_Calls();
  msStCu(411, 27);
  Script("w200 c411,27");
  EXPECT_EQ(Run_Icon_Bar(&bar), 0);
  EXPECT_EQ(Count_Images(89, 390), 0);  // no hover image
  EXPECT_EQ(Host_Call_Count("Save_Screen_Rectangle"), 0);  // no hover text
}

TEST_F(IconBar, HoverTextOncePerVisitAndGoneWithThePointer) {
  std::vector<uint8_t> before = Host_Snapshot();
  Host_Clear_Calls();
  // Onto "Hilfe" (the visit of "Ende" ends), "Ende" again, off the bar.
  EXPECT_EQ(Run_Main_At(591, 27, "w300 m546,27 w150 m591,27 w200 m591,100"), 0);
  // The box at the resting pointer + (0, 20), shown at the first still message after the
  // hover image, which the 50 ms timer brings.
  const std::vector<std::string> &calls = Host_Calls();
  int hover = Call_Index("pxDrawPartialTransparentDIB(\"Buttons.bmp\",173,89,");
  ASSERT_GE(hover, 0);
  int box = Call_Index("Save_Screen_Rectangle(591,47,", hover);
  ASSERT_GT(box, hover);
  int waits = 0;
  for (int i = hover; i < box; ++i)
    if (calls[i].rfind("GetYRMMessage(", 0) == 0) {
      ++waits;
      EXPECT_NE(calls[i].find("-> 0x80000"), std::string::npos) << calls[i];
    }
  EXPECT_EQ(waits, 1);
  std::vector<std::vector<int>> boxes = Calls_Args("Save_Screen_Rectangle");
  ASSERT_EQ(boxes.size(), 3u);  // "Ende", "Hilfe" (once it rested), "Ende" again
  EXPECT_EQ(boxes[0], (std::vector<int>{591, 47, 591 + 27 + 10, 47 + 12 + 5}));
  EXPECT_EQ(boxes[1][0], 546);
  EXPECT_EQ(boxes[2][0], 591);
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);
  EXPECT_EQ(Icon_Bar_Hover_Box(nullptr), 0);
}

TEST_F(IconBar, HoverBoxKeepsFivePixelsFromTheScreenEdge) {
  NPIXEL_X = 620;
  Host_Clear_Calls();
  EXPECT_EQ(Run_Main_At(591, 27, "w120 m591,100"), 0);
  // Without the move it would have ended at 601 + 27, beyond the edge.
  EXPECT_EQ(Calls_Args("Save_Screen_Rectangle"), (std::vector<std::vector<int>>{{615 - 27 - 10, 47, 615, 64}}));
}

// The bar with the hover image of "Ende" and its hover text; both taken back leave the screen
// as it was.
TEST_F(IconBar, GoldenHoverImageAndText) {
  std::vector<uint8_t> before = Host_Snapshot();
  const ICON_BAR *bar = Main_Icon_Bar();
  Draw_Icon_Bar_Button(bar->x1, bar->y1, &bar->buttons[6], bar->strip, ICON_HOVER);
  M_XPOS = 591, M_YPOS = 27;
  Icon_Bar_Show_Hover_Text("Ende");
  int box[4];
  ASSERT_EQ(Icon_Bar_Hover_Box(box), 1);
  EXPECT_GOLDEN("icon_bar_hover.png", 280, 0, 650, 70);
  Icon_Bar_Remove_Hover_Text();
  Draw_Icon_Bar_Button(bar->x1, bar->y1, &bar->buttons[6], bar->strip, ICON_NORMAL);
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);
}

TEST_F(IconBar, FrameFlagTimerAndAbort) {
  Host_Clear_Calls();
  Draw_Icon_Bar(Main_Icon_Bar());
  EXPECT_EQ(Host_Call_Count("pxRect"), 7);  // the frame flag fills under every image
  Set_Icon_Bar_Frame_Flag(0);
  Host_Clear_Calls();
  Draw_Icon_Bar(Main_Icon_Bar());
  EXPECT_EQ(Host_Call_Count("pxRect"), 0);
  EXPECT_EQ(Host_Call_Count("pxDrawPartialTransparentDIB"), 7);
  for (int before : {0, 1}) {  // the timer is given back as it was
    YRMSetTimer(before);
    Run_Main_At(591, 27, "w100 m591,100");
    EXPECT_EQ(Host_Timer_On(), before);
  }
  EXPECT_EQ(Run_Main_At(591, 27, "w100 A"), 0);
  EXPECT_EQ(Icon_Bar_Hover_Box(nullptr), 0);
}

// ------------------------------------------------------------------- sub-bars

class IconSubBar : public EventsTest {
 protected:
  ICON_BAR_BUTTON sub_buttons[2]{};
  ICON_BAR sub{};
  ICON_BAR_BUTTON top_button{};
  ICON_BAR top{};
  void SetUp() override {
    EventsTest::SetUp();
    Activate_Prop_Sheet();
    const ICON_BAR_BUTTON &help = Main_Icon_Bar()->buttons[5];
    for (int i = 0; i < 2; ++i) {
      sub_buttons[i] = help;
      sub_buttons[i].dx = 50 * i;
      sub_buttons[i].dy = 0;
      sub_buttons[i].code = 21 + i;
      sub_buttons[i].hover_text = nullptr;
    }
    sub = {2, 100, 160, 200, 200, "Buttons.bmp", sub_buttons};  // buttons (100..141), (150..191)
    top_button = help;
    top_button.dx = 0, top_button.dy = 0, top_button.code = 0;
    top_button.sub_bar = &sub;
    top = {1, 100, 100, 150, 140, "Buttons.bmp", &top_button};  // button (100, 100)-(141, 136)
    Draw_Icon_Bar(&top);
    msStCu(120, 118);
  }
};

TEST_F(IconSubBar, UnrollsInFourStepsAndClosesOneSecondAfterItsDeadline) {
  std::vector<uint8_t> before = Host_Snapshot();
  Host_Clear_Calls();
  Script("w400 m120,150");  // off the button, down into the gap above the sub-bar
  EXPECT_EQ(Run_Icon_Bar(&top), 0);
  EXPECT_EQ(Host_Call_Count("pxFlsh"), 4);
  std::vector<std::vector<int>> sleeps = Calls_Args("YRMSleep");
  ASSERT_GE(sleeps.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(sleeps[i][0], 50);
  // The timer ticks every 50 ms: the panel opened at the second tick (100 ms), unrolled for
  // 200 ms and set its deadline at 300 ms; it closes at the first tick from 1300 ms on.
  EXPECT_GE(Host_Clock_Ms(), 1300.0);
  EXPECT_LT(Host_Clock_Ms(), 1350.0);
  EXPECT_EQ(Calls_Args("Save_Screen_Rectangle"), (std::vector<std::vector<int>>{{93, 158, 207, 202}}));
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);
}

TEST_F(IconSubBar, PointerMovingUpClosesAtOnceAndASubButtonGivesItsCode) {
  Script("w400 m120,150 w100 m120,90");  // up, off the bar
  EXPECT_EQ(Run_Icon_Bar(&top), 0);
  EXPECT_LT(Host_Clock_Ms(), 600.0);
  msStCu(120, 118);
  Script("w400 m171,178 w100 p1 w100 r1 w50 m600,600");  // the sub-bar's second button
  EXPECT_EQ(Run_Icon_Bar(&top), 22);
  EXPECT_EQ(M_LEFT, 0);
}

}  // namespace
