// The icon bar of the main window and the hover wait of a view area: buttons and codes, hover
// images, cursors and texts, what ends a wait, sub-bars, and the screen given back.

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

// Codes after the release, also of buttons outside the declared rectangle (300, 3)-(525, 42);
// a button is entered only strictly inside its border.
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
  EXPECT_EQ(std::vector<int>({Run_Icon_Bar(&top), M_LEFT}), std::vector<int>({22, 0}));
}

}  // namespace

namespace {

// (source x, target x) of every bitmap drawing in the trace, in order.
std::vector<std::pair<int, int>> Button_Images() {
  std::vector<std::pair<int, int>> out;
  for (const std::vector<int> &a : Calls_Args("pxDrawPartialTransparentDIB")) out.push_back({a[1], a[5]});
  return out;
}

class ViewHover : public EventsTest {
 protected:
  int area = -1;
  StripColours strip{};
  void SetUp() override {
    EventsTest::SetUp();
    strip = Make_Test_Strip(30, 20);
    area = Create_Scrollable_View_Area(10, 40, 1270, 700, 0, 0);
    Activate_Prop_Sheet();
  }
  // A bitmap button 30 × 20 of the test strip at content (x, y).
  void Button(int x, int y, int cursor, const char *hover_text, int *active = nullptr) {
    static int code;
    Add_Bitmap_Button_to_View_Area(area, x, y, 30, 20, "strip.bmp", 0, Nearest_RGB_Color(255, 0, 255), cursor,
                                   hover_text, 3, &code, active);
  }
  // Shows the area's items; returns the screen then.
  std::vector<uint8_t> Shown() {
    Update_View_Area_Scrolling(area);
    shown = true;
    return Host_Snapshot();
  }
  bool shown = false;
  // Runs the wait with the pointer resting at (x, y) and the script, the trace cleared.
  void Run(int x, int y, const std::string &script) {
    if (!shown) Shown();
    msStCu(x, y);
    Host_Clear_Calls();
    Script(script);
    Run_View_Area_Hover(area);
  }
};

TEST_F(ViewHover, ButtonShowsHoverImageCursorAndTextThenGivesTheScreenBack) {
  Button(100, 100, 5, "Hilfe zum Knopf");  // screen (110, 140)-(140, 160)
  std::vector<uint8_t> before = Shown();
  Run(300, 300, "m120,150 w200 m300,300 w10 m1275,900");  // off the area: the wait ends
  EXPECT_EQ(Button_Images(), (std::vector<std::pair<int, int>>{{60, 110}, {30, 110}}));  // hover, then normal
  EXPECT_EQ(Calls_Args("setMouseCursor"), (std::vector<std::vector<int>>{{5}, {0}}));
  EXPECT_EQ(Host_Mouse_Cursor(), 0);
  // The text box at the resting pointer + (0, 20): 15 characters of 7 pixels less one, plus 10.
  EXPECT_EQ(Calls_Args("Save_Screen_Rectangle"), (std::vector<std::vector<int>>{{120, 170, 120 + 104 + 10, 170 + 12 + 5}}));
  EXPECT_EQ(Host_Call_Count("Restore_Screen_Rectangle"), 1);
  EXPECT_EQ(View_Hover_State()->shown, 0);
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);
  // The hover image is image 2 of the strip.
  VIEW_EVENT_FRAME f;
  View_Event_Frame(Get_Scrollable_View_Area(area), &f);
  Draw_View_Button_Image(Get_Scrollable_View_Area(area), f, View_Area_Test_Items(area), 2);
  EXPECT_EQ(Pixel_RGB(125, 150), (RGB{strip.rgb[2][0], strip.rgb[2][1], strip.rgb[2][2]}));
}

// Two touching buttons: the first is normal again before the next shows its hover; an
// inactive button gets no hover at all.
TEST_F(ViewHover, NeighbourButtonsAndAnInactiveOne) {
  int off = 0;
  Button(100, 100, 0, nullptr);  // screen x 110..140
  Button(131, 100, 0, nullptr);  // screen x 141..171
  Button(300, 100, 5, "nie", &off);
  Run(300, 300, "m120,150 w50 m150,150 w50 m320,150 w100 m1275,900");
  EXPECT_EQ(Button_Images(), (std::vector<std::pair<int, int>>{{60, 110}, {30, 110}, {60, 141}, {30, 141}}));
  EXPECT_EQ(Host_Call_Count("setMouseCursor") + Host_Call_Count("Save_Screen_Rectangle"), 0);
}

TEST_F(ViewHover, ClickSpotShowsCursorAndTextOnlyWhenItHasThem) {
  int target = 0;
  Add_Click_Spot_to_View_Area(area, 100, 100, 200, 150, 1, &target);  // neither
  Add_Click_Spot_to_View_Area(area, 300, 100, 400, 150, 2, &target);
  Set_Click_Spot_Option(area, 18);
  Add_Click_Spot_to_View_Area(area, 500, 100, 600, 150, 3, &target);
  Set_Click_Spot_Tooltip(area, "Spalte", 0x1000, 0, 0);
  std::vector<uint8_t> before = Shown();
  Run(50, 300, "m150,170 w60 m350,170 w60 m550,170 w60 m1275,900");
  EXPECT_EQ(Calls_Args("setMouseCursor"), (std::vector<std::vector<int>>{{18}, {0}}));
  std::vector<std::vector<int>> saved = Calls_Args("Save_Screen_Rectangle");
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0][0], 550);
  EXPECT_EQ(target, 0);  // the wait changes no value
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);
}

TEST_F(ViewHover, HoverTextNearTheRightEdgeEndsNinePixelsBeforeIt) {
  Button(1220, 100, 0, "0123456789");  // screen (1230, 140)-(1260, 160)
  std::vector<uint8_t> before = Shown();
  Run(300, 300, "m1250,150 w50 m1275,900");
  EXPECT_EQ(Calls_Args("Save_Screen_Rectangle"), (std::vector<std::vector<int>>{{1271 - (10 * 7 - 1) - 10, 170, 1271, 187}}));
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);
}

TEST_F(ViewHover, PressOnAHoveredButtonEndsTheWaitWithTheButtonDown) {
  Button(100, 100, 0, "Text");
  Run(300, 300, "m120,150 w50 p1");
  EXPECT_EQ(std::vector<int>({M_LEFT, M_XPOS, View_Hover_State()->shown}), std::vector<int>({1, 120, 0}));
  Script("r1");
  Get_Mouse_Event();
}

// What ends the wait: keys only when the area listens (else they stay waiting), the right
// button only when asked, a pointer outside the hover rectangle after the first message.
TEST_F(ViewHover, WhatEndsTheWait) {
  const struct Case {
    int keys, right, rect;
    const char *script;
    std::vector<int> masks;
    int waiting_key, right_down;
  } cases[] = {{0, 0, 0, "k97 w20 m1275,900", {0x84022}, 'a', 0},
               {1, 0, 0, "k98", {0x94022}, 'b', 0},
               {0, 1, 0, "p2", {0x84022 | 0x8}, -1, 1},
               {0, 0, 1, "m601,400", {0x84022}, -1, 0}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.script);
    Set_View_Area_Key_Events(area, c.keys);
    Set_View_Area_Right_Button_Events(area, c.right);
    if (c.rect) Set_View_Area_Hover_Rectangle(area, 0, 0, 100, 100);
    Run(c.rect ? 600 : 300, c.rect ? 400 : 300, c.script);  // the first inside the area, outside the rectangle
    std::vector<int> masks;
    for (const std::vector<int> &w : Calls_Args("GetYRMMessage")) masks.push_back(w[0]);
    EXPECT_EQ(masks, c.masks);
    EXPECT_EQ(std::vector<int>({hitkey(), M_RIGHT}), std::vector<int>({c.waiting_key, c.right_down}));
    getkey();
    Script("r2");
    Get_Mouse_Event();
  }
}

TEST_F(ViewHover, WaitFlagSetOnEntryReturnsAtOnce) {
  int flag = 1;
  Set_View_Area_Wait_Timeout(area, &flag);
  Run(300, 300, "");
  EXPECT_EQ(Host_Call_Count("GetYRMMessage"), 0);
  // Unset, the wait polls with the limit of 100 ms until something ends it.
  flag = 0;
  Run(300, 300, "w250 A");
  std::vector<std::vector<int>> waits = Calls_Args("GetYRMMessage");
  ASSERT_GE(waits.size(), 3u);
  EXPECT_EQ(std::vector<int>({waits[0][0], waits[0][1]}), std::vector<int>({0x40084022, 100}));
}

}  // namespace
