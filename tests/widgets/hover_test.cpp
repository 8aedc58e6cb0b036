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

}  // namespace

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
};

TEST_F(ViewHover, ButtonShowsHoverImageCursorAndTextThenGivesTheScreenBack) {
  Button(100, 100, 5, "Hilfe zum Knopf");  // screen (110, 140)-(140, 160)
  Update_View_Area_Scrolling(area);
  std::vector<uint8_t> before = Host_Snapshot();
  msStCu(300, 300);
  Host_Clear_Calls();
  Host_Script_Move(120, 150);
  Host_Script_Wait(200);
  Host_Script_Move(300, 300);
  Host_Script_Wait(10);
  Host_Script_Move(1275, 900);  // off the area: the wait ends
  Run_View_Area_Hover(area);

  std::vector<std::pair<int, int>> images = Button_Images();
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0], std::make_pair(60, 110));  // image 2, the hover image
  EXPECT_EQ(images[1], std::make_pair(30, 110));  // image 1, the normal image again
  std::vector<std::vector<int>> cursors = Calls_Args("setMouseCursor");
  ASSERT_EQ(cursors.size(), 2u);
  EXPECT_EQ(cursors[0][0], 5);
  EXPECT_EQ(cursors[1][0], 0);
  EXPECT_EQ(Host_Mouse_Cursor(), 0);
  // The text box at the resting pointer + (0, 20): 15 characters of 7 pixels less one, plus 10.
  std::vector<std::vector<int>> saved = Calls_Args("Save_Screen_Rectangle");
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0], (std::vector<int>{120, 170, 120 + 104 + 10, 170 + 12 + 5}));
  EXPECT_EQ(Host_Call_Count("Restore_Screen_Rectangle"), 1);
  EXPECT_EQ(View_Hover_State()->shown, 0);
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);
  // The hover image is image 2 of the strip.
  VIEW_EVENT_FRAME f;
  View_Event_Frame(Get_Scrollable_View_Area(area), &f);
  Draw_View_Button_Image(Get_Scrollable_View_Area(area), f, View_Area_Test_Items(area), 2);
  int r = 0, g = 0, b = 0;
  Host_Pixel_RGB(125, 150, &r, &g, &b);
  EXPECT_EQ(r, strip.rgb[2][0]);
  EXPECT_EQ(g, strip.rgb[2][1]);
  EXPECT_EQ(b, strip.rgb[2][2]);
}

TEST_F(ViewHover, FirstButtonIsNormalBeforeTheNextShowsItsHover) {
  Button(100, 100, 0, nullptr);  // screen x 110..140
  Button(131, 100, 0, nullptr);  // screen x 141..171
  Update_View_Area_Scrolling(area);
  msStCu(300, 300);
  Host_Clear_Calls();
  Host_Script_Move(120, 150);
  Host_Script_Wait(50);
  Host_Script_Move(150, 150);
  Host_Script_Wait(50);
  Host_Script_Move(1275, 900);
  Run_View_Area_Hover(area);
  std::vector<std::pair<int, int>> images = Button_Images();
  ASSERT_EQ(images.size(), 4u);
  EXPECT_EQ(images[0], std::make_pair(60, 110));
  EXPECT_EQ(images[1], std::make_pair(30, 110));
  EXPECT_EQ(images[2], std::make_pair(60, 141));
  EXPECT_EQ(images[3], std::make_pair(30, 141));
}

TEST_F(ViewHover, InactiveButtonGetsNoHover) {
  int off = 0;
  Button(100, 100, 5, "nie", &off);
  Update_View_Area_Scrolling(area);
  msStCu(300, 300);
  Host_Clear_Calls();
  Host_Script_Move(120, 150);
  Host_Script_Wait(100);
  Host_Script_Move(1275, 900);
  Run_View_Area_Hover(area);
  EXPECT_EQ(Host_Call_Count("pxDrawPartialTransparentDIB"), 0);
  EXPECT_EQ(Host_Call_Count("setMouseCursor"), 0);
  EXPECT_EQ(Host_Call_Count("Save_Screen_Rectangle"), 0);
}

TEST_F(ViewHover, ClickSpotShowsCursorAndTextOnlyWhenItHasThem) {
  int target = 0;
  Add_Click_Spot_to_View_Area(area, 100, 100, 200, 150, 1, &target);  // neither
  Add_Click_Spot_to_View_Area(area, 300, 100, 400, 150, 2, &target);
  Set_Click_Spot_Option(area, 18);
  Add_Click_Spot_to_View_Area(area, 500, 100, 600, 150, 3, &target);
  Set_Click_Spot_Tooltip(area, "Spalte", 0x1000, 0, 0);
  Update_View_Area_Scrolling(area);
  std::vector<uint8_t> before = Host_Snapshot();
  msStCu(50, 300);
  Host_Clear_Calls();
  for (int x : {150, 350, 550}) {
    Host_Script_Move(x, 170);
    Host_Script_Wait(60);
  }
  Host_Script_Move(1275, 900);
  Run_View_Area_Hover(area);
  std::vector<std::vector<int>> cursors = Calls_Args("setMouseCursor");
  ASSERT_EQ(cursors.size(), 2u);
  EXPECT_EQ(cursors[0][0], 18);
  EXPECT_EQ(cursors[1][0], 0);
  std::vector<std::vector<int>> saved = Calls_Args("Save_Screen_Rectangle");
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0][0], 550);
  EXPECT_EQ(target, 0);  // the wait changes no value
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);
}

TEST_F(ViewHover, HoverTextNearTheRightEdgeEndsNinePixelsBeforeIt) {
  Button(1220, 100, 0, "0123456789");  // screen (1230, 140)-(1260, 160)
  Update_View_Area_Scrolling(area);
  std::vector<uint8_t> before = Host_Snapshot();
  msStCu(300, 300);
  Host_Clear_Calls();
  Host_Script_Move(1250, 150);
  Host_Script_Wait(50);
  Host_Script_Move(1275, 900);
  Run_View_Area_Hover(area);
  std::vector<std::vector<int>> saved = Calls_Args("Save_Screen_Rectangle");
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0][2], 1271);
  EXPECT_EQ(saved[0][0], 1271 - (10 * 7 - 1) - 10);
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);
}

TEST_F(ViewHover, PressOnAHoveredButtonEndsTheWaitWithTheButtonDown) {
  Button(100, 100, 0, "Text");
  Update_View_Area_Scrolling(area);
  msStCu(300, 300);
  Host_Script_Move(120, 150);
  Host_Script_Wait(50);
  Host_Script_Press(1);
  Run_View_Area_Hover(area);
  EXPECT_EQ(M_LEFT, 1);
  EXPECT_EQ(M_XPOS, 120);
  EXPECT_EQ(View_Hover_State()->shown, 0);
  Host_Script_Release(1);
  Get_Mouse_Event();
}

TEST_F(ViewHover, WaitFlagSetOnEntryReturnsAtOnce) {
  int flag = 1;
  Set_View_Area_Wait_Timeout(area, &flag);
  msStCu(300, 300);
  Host_Clear_Calls();
  Run_View_Area_Hover(area);
  EXPECT_EQ(Host_Call_Count("GetYRMMessage"), 0);
  // Unset, the wait polls with the limit of 100 ms until something ends it.
  flag = 0;
  Host_Script_Wait(250);
  Host_Script_Abort();
  Run_View_Area_Hover(area);
  std::vector<std::vector<int>> waits = Calls_Args("GetYRMMessage");
  ASSERT_GE(waits.size(), 3u);
  EXPECT_EQ(waits[0][0], 0x40084022);
  EXPECT_EQ(waits[0][1], 100);
}

TEST_F(ViewHover, KeysEndTheWaitOnlyWhenTheAreaListens) {
  msStCu(300, 300);
  Host_Clear_Calls();
  Host_Script_Key('a');
  Host_Script_Wait(20);
  Host_Script_Move(1275, 900);
  Run_View_Area_Hover(area);
  std::vector<std::vector<int>> waits = Calls_Args("GetYRMMessage");
  ASSERT_EQ(waits.size(), 1u);  // only the move ended a wait
  EXPECT_EQ(waits[0][0], 0x84022);
  EXPECT_EQ(hitkey(), 'a');  // still waiting, not taken
  getkey();

  Set_View_Area_Key_Events(area, 1);
  msStCu(300, 300);
  Host_Clear_Calls();
  Host_Script_Key('b');
  Run_View_Area_Hover(area);
  waits = Calls_Args("GetYRMMessage");
  ASSERT_EQ(waits.size(), 1u);
  EXPECT_EQ(waits[0][0], 0x94022);
  EXPECT_EQ(hitkey(), 'b');
}

TEST_F(ViewHover, RightButtonEndsTheWaitOnlyWhenAsked) {
  msStCu(300, 300);
  Set_View_Area_Right_Button_Events(area, 1);
  Host_Clear_Calls();
  Host_Script_Press(2);
  Run_View_Area_Hover(area);
  EXPECT_EQ(M_RIGHT, 1);
  std::vector<std::vector<int>> waits = Calls_Args("GetYRMMessage");
  ASSERT_EQ(waits.size(), 1u);
  EXPECT_EQ(waits[0][0], 0x84022 | 0x8);
}

TEST_F(ViewHover, PointerOutsideTheHoverRectangleEndsAfterTheFirstMessage) {
  Set_View_Area_Hover_Rectangle(area, 0, 0, 100, 100);
  msStCu(600, 400);  // inside the area, outside the rectangle
  Host_Clear_Calls();
  Host_Script_Move(601, 400);
  Run_View_Area_Hover(area);
  EXPECT_EQ(Host_Call_Count("GetYRMMessage"), 1);
}
