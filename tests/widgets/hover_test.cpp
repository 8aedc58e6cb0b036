// The hover wait of a view area: hover images, cursors and texts of bitmap buttons and click
// spots, what ends the wait, and the screen given back pixel for pixel.
#include <string>
#include <vector>

#include "tests/widgets/widgets_fixture.h"

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
  EXPECT_EQ(waits[0][0], 0x40084022);
  EXPECT_EQ(waits[0][1], 100);
}

}  // namespace
