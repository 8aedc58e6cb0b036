// The icon bar of the main window: its buttons and codes, hover images and texts, the reach
// of the pointer beyond the declared rectangle, the host timer, and sub-bars.
#include <string>
#include <vector>

#include "tests/widgets/widgets_fixture.h"

namespace {

// Runs the main bar with the pointer resting at (x, y) and the scripted input that follows.
int Run_Main_At(int x, int y) {
  msStCu(x, y);
  return Run_Icon_Bar(Main_Icon_Bar());
}

// Calls of the bitmap drawing with source y (the image row of the strip) and target x.
int Count_Images(int source_y, int target_x) {
  int n = 0;
  for (const std::vector<int> &a : Calls_Args("pxDrawPartialTransparentDIB"))
    if (a[2] == source_y && a[5] == target_x) ++n;
  return n;
}

}  // namespace

class IconBar : public EventsTest {
 protected:
  void SetUp() override {
    EventsTest::SetUp();
    Activate_Prop_Sheet();
    Draw_Icon_Bar(Main_Icon_Bar());
  }
};

TEST_F(IconBar, MainBarData) {
  const ICON_BAR *bar = Main_Icon_Bar();
  ASSERT_EQ(bar->count, 7);
  EXPECT_EQ(bar->x1, 300);
  EXPECT_EQ(bar->y1, 3);
  EXPECT_EQ(bar->x2, 525);
  EXPECT_EQ(bar->y2, 42);
  EXPECT_STREQ(bar->strip, "Buttons.bmp");
  const int codes[7] = {8, 1, 2, 3, 4, 6, 7};
  const int strip_x[7] = {302, 259, 216, 1, 44, 130, 173};
  const int dx[7] = {-10, 45, 90, 135, 180, 225, 270};
  const char *texts[7] = {"nationaler Anhang zum EC", "Druckeinstellung", "Vorschau", "drucken", "plotten", "Hilfe",
                          "Ende"};
  for (int i = 0; i < 7; ++i) {
    const ICON_BAR_BUTTON &b = bar->buttons[i];
    EXPECT_EQ(b.code, codes[i]);
    EXPECT_EQ(b.normal_x, strip_x[i]);
    EXPECT_EQ(b.pressed_x, strip_x[i]);
    EXPECT_EQ(b.normal_y, 51);
    EXPECT_EQ(b.hover_y, 89);
    EXPECT_EQ(b.inactive_y, 127);
    EXPECT_EQ(b.pressed_y, 165);
    EXPECT_EQ(b.dx, dx[i]);
    EXPECT_EQ(b.dy, 6);
    EXPECT_EQ(b.w, 42);
    EXPECT_EQ(b.h, 37);
    EXPECT_EQ(b.state, 1);
    EXPECT_STREQ(b.hover_text, texts[i]);
    EXPECT_EQ(b.sub_bar, nullptr);
  }
  EXPECT_TRUE(Host_Missing_Bitmaps().empty());
}

TEST_F(IconBar, ButtonsOutsideTheDeclaredRectangleAnswer) {
  Host_Script_Click(591, 27);
  EXPECT_EQ(Run_Main_At(591, 27), 7);  // "Ende", right of x2 = 525
  Host_Script_Click(295, 27);
  EXPECT_EQ(Run_Main_At(295, 27), 8);  // the first button's part left of x1 = 300
  Host_Script_Click(311, 44);
  EXPECT_EQ(Run_Main_At(311, 44), 8);  // below y2 = 42
}

TEST_F(IconBar, EveryButtonGivesItsCodeAfterTheRelease) {
  const int xs[7] = {311, 366, 411, 456, 501, 546, 591};
  const int codes[7] = {8, 1, 2, 3, 4, 6, 7};
  for (int i = 0; i < 7; ++i) {
    Host_Clear_Calls();
    Host_Script_Click(xs[i], 27);
    EXPECT_EQ(Run_Main_At(xs[i], 27), codes[i]) << "button " << i;
    EXPECT_EQ(M_LEFT, 0);
    // Pressed image, then the normal one after the release.
    int X = Main_Icon_Bar()->x1 + Main_Icon_Bar()->buttons[i].dx;
    EXPECT_EQ(Count_Images(165, X), 1);
    EXPECT_GE(Count_Images(51, X), 1);
  }
}

TEST_F(IconBar, CodeComesAfterTheReleaseWhereverThePointerIs) {
  msStCu(591, 27);
  Host_Script_Move(591, 27);
  Host_Script_Press(1);
  Host_Script_Wait(60);
  Host_Script_Move(800, 500);
  Host_Script_Release(1);
  EXPECT_EQ(Run_Icon_Bar(Main_Icon_Bar()), 7);
  EXPECT_EQ(M_LEFT, 0);
}

TEST_F(IconBar, PressThatBroughtTheBarCounts) {
  // The main window's escape area over the bar reports a press; the bar takes it as the click.
  Add_Escape_Area_to_PS(290, 3, 611, 45, 0, 1);
  Host_Script_Click(591, 27);
  ASSERT_EQ(Edit_Prop_Sheet(), 1);
  EXPECT_EQ(M_LEFT, 1);
  EXPECT_EQ(Run_Icon_Bar(Main_Icon_Bar()), 7);
  EXPECT_EQ(M_LEFT, 0);
  // A press beside the buttons brings nothing.
  Host_Script_Click(338, 27);
  ASSERT_EQ(Edit_Prop_Sheet(), 1);
  Host_Script_Move(338, 200);
  EXPECT_EQ(Run_Icon_Bar(Main_Icon_Bar()), 0);
}

TEST_F(IconBar, ClickBetweenButtonsGivesNothing) {
  Host_Script_Click(338, 27);
  EXPECT_EQ(Run_Main_At(338, 27), 0);
  EXPECT_EQ(M_LEFT, 0);
}

TEST_F(IconBar, PointerEntersOnlyStrictlyInside) {
  // On the border of "Druckeinstellung" (x 345) the button is not entered; one pixel in it is.
  Host_Script_Click(345, 27);
  EXPECT_EQ(Run_Main_At(345, 27), 0);
  Host_Script_Click(346, 27);
  EXPECT_EQ(Run_Main_At(346, 27), 1);
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
  Host_Script_Wait(200);
  Host_Script_Click(411, 27);
  EXPECT_EQ(Run_Icon_Bar(&bar), 0);
  EXPECT_EQ(Count_Images(89, 390), 0);  // no hover image
  EXPECT_EQ(Host_Call_Count("Save_Screen_Rectangle"), 0);  // no hover text
}

TEST_F(IconBar, HoverTextOncePerVisitAndGoneWithThePointer) {
  std::vector<uint8_t> before = Host_Snapshot();
  Host_Clear_Calls();
  Host_Script_Wait(300);
  Host_Script_Move(546, 27);  // onto "Hilfe": the visit of "Ende" ends
  Host_Script_Wait(150);
  Host_Script_Move(591, 27);  // "Ende" again
  Host_Script_Wait(200);
  Host_Script_Move(591, 100);  // off the bar
  EXPECT_EQ(Run_Main_At(591, 27), 0);
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
  Host_Script_Wait(120);
  Host_Script_Move(591, 100);
  EXPECT_EQ(Run_Main_At(591, 27), 0);
  std::vector<std::vector<int>> boxes = Calls_Args("Save_Screen_Rectangle");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0][2], 615);
  EXPECT_EQ(boxes[0][0], 615 - 27 - 10);
  EXPECT_GT(601 + 27, 615);  // without the move it would have ended beyond the edge
}

TEST_F(IconBar, PictureWithHoverText) {
  std::vector<uint8_t> before = Host_Snapshot();
  const ICON_BAR *bar = Main_Icon_Bar();
  Draw_Icon_Bar_Button(bar->x1, bar->y1, &bar->buttons[6], bar->strip, ICON_HOVER);
  M_XPOS = 591, M_YPOS = 27;
  Icon_Bar_Show_Hover_Text("Ende");
  int box[4];
  ASSERT_EQ(Icon_Bar_Hover_Box(box), 1);
  EXPECT_EQ(box[0], 591);
  EXPECT_EQ(box[1], 47);
  EXPECT_EQ(Host_Pixel(box[0] + 2, box[1] + 2), Nearest_RGB_Color(255, 255, 255));
  EXPECT_EQ(Host_Pixel(box[0], box[1] + 3), BLACK_CI);
  Icon_Bar_Remove_Hover_Text();
  Draw_Icon_Bar_Button(bar->x1, bar->y1, &bar->buttons[6], bar->strip, ICON_NORMAL);
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);
}

TEST_F(IconBar, FrameFlagFillsUnderEveryImage) {
  Host_Clear_Calls();
  Draw_Icon_Bar(Main_Icon_Bar());
  EXPECT_EQ(Host_Call_Count("pxRect"), 7);
  Set_Icon_Bar_Frame_Flag(0);
  Host_Clear_Calls();
  Draw_Icon_Bar(Main_Icon_Bar());
  EXPECT_EQ(Host_Call_Count("pxRect"), 0);
  EXPECT_EQ(Host_Call_Count("pxDrawPartialTransparentDIB"), 7);
}

TEST_F(IconBar, TimerIsGivenBackAsItWas) {
  for (int before : {0, 1}) {
    YRMSetTimer(before);
    Host_Script_Wait(100);
    Host_Script_Move(591, 100);
    Run_Main_At(591, 27);
    EXPECT_EQ(Host_Timer_On(), before);
  }
}

TEST_F(IconBar, AbortEndsTheBar) {
  Host_Script_Wait(100);
  Host_Script_Abort();
  EXPECT_EQ(Run_Main_At(591, 27), 0);
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
  }
};

TEST_F(IconSubBar, UnrollsInFourStepsAndClosesOneSecondAfterItsDeadline) {
  std::vector<uint8_t> before = Host_Snapshot();
  msStCu(120, 118);
  Host_Clear_Calls();
  Host_Script_Wait(400);
  Host_Script_Move(120, 150);  // off the button, down into the gap above the sub-bar
  EXPECT_EQ(Run_Icon_Bar(&top), 0);
  EXPECT_EQ(Host_Call_Count("pxFlsh"), 4);
  std::vector<std::vector<int>> sleeps = Calls_Args("YRMSleep");
  ASSERT_GE(sleeps.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(sleeps[i][0], 50);
  // The timer ticks every 50 ms: the panel opened at the second tick (100 ms), unrolled for
  // 200 ms and set its deadline at 300 ms; it closes at the first tick from 1300 ms on.
  EXPECT_GE(Host_Clock_Ms(), 1300.0);
  EXPECT_LT(Host_Clock_Ms(), 1350.0);
  std::vector<std::vector<int>> panels = Calls_Args("Save_Screen_Rectangle");
  ASSERT_EQ(panels.size(), 1u);
  EXPECT_EQ(panels[0], (std::vector<int>{93, 158, 207, 202}));
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);
}

TEST_F(IconSubBar, PointerMovingUpClosesAtOnce) {
  msStCu(120, 118);
  Host_Script_Wait(400);
  Host_Script_Move(120, 150);
  Host_Script_Wait(100);
  Host_Script_Move(120, 90);  // up, off the bar
  EXPECT_EQ(Run_Icon_Bar(&top), 0);
  EXPECT_LT(Host_Clock_Ms(), 600.0);
}

TEST_F(IconSubBar, ClickOnASubButtonReturnsItsCode) {
  msStCu(120, 118);
  Host_Script_Wait(400);
  Host_Script_Move(171, 178);  // the sub-bar's second button
  Host_Script_Wait(100);
  Host_Script_Press(1);
  Host_Script_Wait(100);
  Host_Script_Release(1);
  Host_Script_Wait(50);
  Host_Script_Move(600, 600);
  EXPECT_EQ(Run_Icon_Bar(&top), 22);
  EXPECT_EQ(M_LEFT, 0);
}
