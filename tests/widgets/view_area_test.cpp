// Scrollable view areas: the slot table, creation on the sheet, the short-key settings,
// the scroll offset across a rebuild, activity and the draw callback of freed slots.
#include <string>

#include "support/support.h"
#include "tests/widgets/widgets_fixture.h"

namespace {

class ViewAreas : public WidgetsTest {};

std::vector<int> Rect(const SCROLLABLE_VIEW_AREA *a) { return {a->x1, a->y1, a->x2, a->y2}; }

TEST_F(ViewAreas, TwentySlotsThenAMessageAndLowestFreeSlotFirst) {
  for (int i = 0; i < VIEW_AREA_COUNT; ++i) ASSERT_EQ(Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0), i);
  testing::internal::CaptureStdout();
  EXPECT_EQ(Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0), -1);
  EXPECT_EQ(Reserve_Scrollable_View_Area(), -1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "maximale Anzahl Scrollable_View_Areas erreicht\n"
            "maximale Anzahl Scrollable_View_Areas erreicht\n");
  Remove_Scrollable_View_Area(3);
  Remove_Scrollable_View_Area(7);
  EXPECT_EQ(Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0), 3);
  EXPECT_EQ(Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0), 7);
}

TEST_F(ViewAreas, SliderStripsComeOffTheRectangleHandedToTheHost) {
  const SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(Create_Scrollable_View_Area(10, 50, 600, 400, 1, 1));
  EXPECT_EQ(Rect(rec), (std::vector<int>{10, 50, 583, 383}));
  EXPECT_NE(rec->vslider * rec->hslider, 0);
  HOST_AREA host = Host_Area(rec->handle);
  EXPECT_EQ(std::vector<int>({host.x1, host.y1, host.x2, host.y2}), (std::vector<int>{10, 50, 583, 383}));
  rec = Get_Scrollable_View_Area(Create_Scrollable_View_Area(10, 50, 600, 400, 0, 1));
  EXPECT_EQ(Rect(rec), (std::vector<int>{10, 50, 583, 400}));
  EXPECT_EQ(rec->hslider, 0);
}

// A slider is greyed while the content fits in the visible size of its direction.
TEST_F(ViewAreas, SlidersGreyedWhileTheContentFits) {
  const struct Case {
    int hslider, vslider, box_w, box_h, state;
  } cases[] = {{0, 1, 100, 300, -1}, {0, 1, 100, 301, 1}, {1, 0, 400, 10, -1}, {1, 0, 401, 10, 1}};
  for (const Case &c : cases) {
    int a = Create_Scrollable_View_Area(0, 0, 400, 300, c.hslider, c.vslider);  // visible 400 × 300
    const SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(a);
    Add_Box_to_View_Area(a, 0, 0, c.box_w, c.box_h, 1);
    Update_View_Area_Scrolling(a);
    EXPECT_EQ(Host_Item_State(c.vslider ? rec->vslider : rec->hslider), c.state) << c.box_w << " x " << c.box_h;
    Remove_Scrollable_View_Area(a);
  }
}

TEST_F(ViewAreas, UnchangedActivityMakesNoHostCall) {
  int a = Create_Scrollable_View_Area(0, 0, 400, 300, 1, 1);
  const SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(a);
  Host_Clear_Calls();
  Set_View_Area_Activity(a, 1);
  EXPECT_TRUE(Host_Calls().empty());
  Set_View_Area_Activity(a, 0);
  EXPECT_EQ(Host_Call_Count("Change_Activity_PS"), 3);  // both sliders and the area
  EXPECT_EQ(rec->active, 0);
  EXPECT_EQ(Host_Item_State(rec->handle), 0);
  Host_Clear_Calls();
  Set_View_Area_Activity(a, 0);
  EXPECT_TRUE(Host_Calls().empty());
}

// The settings are read once, on the first creation (a reservation does not read them); a
// host reset forgets them with the whole table and what it held.
TEST_F(ViewAreas, ShortKeySettingsAreReadOnceOnTheFirstCreation) {
  Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0);
  EXPECT_EQ(View_Area_Any_Short_Key(), 0);
  Host_Reset();
  long live = Tools_Live_Blocks();
  Host_Set_User_String("UseSheetOkShortKey", "1");
  Host_Set_User_String("UseSheetBreakShortKey", "abc");
  Host_Set_User_String("UseSheetHelpShortKey", " 7 ");
  Reserve_Scrollable_View_Area();
  EXPECT_EQ(View_Area_Short_Keys()->UseSheetOkShortKey, 0);
  int a = Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0);
  const VIEW_AREA_SHORT_KEYS *k = View_Area_Short_Keys();
  EXPECT_EQ(std::vector<int>({k->UseSheetOkShortKey, k->UseSheetBreakShortKey, k->UseSheetHelpShortKey, k->UseSheetJumpShortKey}),
            std::vector<int>({1, 0, 7, 0}));
  EXPECT_EQ(View_Area_Any_Short_Key(), 1);
  Host_Set_User_String("UseSheetOkShortKey", "0");
  Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0);
  EXPECT_EQ(View_Area_Short_Keys()->UseSheetOkShortKey, 1);
  Add_Text_to_View_Area(a, 10, 10, "Text", 0x1000, 1, 0);
  Host_Reset();
  EXPECT_EQ(Tools_Live_Blocks(), live);
  EXPECT_EQ(Get_Scrollable_View_Area(a), nullptr);
  EXPECT_EQ(View_Area_Short_Keys()->UseSheetOkShortKey, 0);
}

// A page is rebuilt: clear (keeps the host's offset), add, update (hands it back); an inactive
// area keeps its stored offset (not the host's) when cleared.
TEST_F(ViewAreas, ScrollOffsetSurvivesARebuildAndIsClampedWhenTheContentShrinks) {
  int a = Create_Scrollable_View_Area(0, 0, 400, 300, 0, 1);  // visible 383 × 300
  const SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(a);
  auto page = [&](int height) {
    Clear_View_Area_Items(a);
    Add_Box_to_View_Area(a, 0, 0, 300, height, 1);
    Update_View_Area_Scrolling(a);
  };
  page(1000);
  Set_Scrollable_Area_PS(rec->handle, 0, 500);  // the user scrolls
  int sx = -1, sy = -1;
  for (int height : {1000, 600}) {
    page(height);
    Inquire_Scrollable_Area_PS(rec->handle, &sx, &sy);
    EXPECT_EQ(sy, height == 1000 ? 500 : 300);
    EXPECT_EQ(rec->scroll_y, sy);
  }
  HOST_AREA host = Host_Area(rec->handle);
  EXPECT_EQ(std::vector<int>({host.content_w, host.content_h}), std::vector<int>({300, 600}));
  Set_View_Area_Activity(a, 0);
  Set_Scrollable_Area_PS(rec->handle, 0, 200);
  Clear_View_Area_Items(a);
  EXPECT_EQ(std::vector<int>({rec->scroll_y, rec->content_height}), std::vector<int>({300, 0}));
}

// A reserved slot starts from the creation defaults, whatever its last use set; what is given
// between reserving and placing belongs to this use and stays; placing again does nothing; a
// reserved slot makes no host calls.
TEST_F(ViewAreas, ReservedSlots) {
  int flag = 0, target = 0;
  int a = Create_Scrollable_View_Area(0, 0, 400, 300, 0, 0);
  Set_View_Area_Key_Events(a, 1);
  Set_View_Area_Right_Button_Events(a, 1);
  Set_View_Area_Wait_Timeout(a, &flag);
  Set_View_Area_Ok_Key_Target(a, 4, &target);
  Set_View_Area_Frame(a, 0);
  Set_View_Area_Background(a, 9);
  Remove_Scrollable_View_Area(a);
  int r = Reserve_Scrollable_View_Area();
  ASSERT_EQ(r, a);
  const SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(r);
  EXPECT_EQ(std::vector<int>({rec->handle, rec->active, rec->key_events, rec->frame}),
            std::vector<int>({VIEW_AREA_RESERVED, 0, 0, 1}));
  EXPECT_EQ(rec->wait_flag, nullptr);
  EXPECT_EQ(rec->ok_target, nullptr);
  EXPECT_NE(rec->background, 9);
  long live = Tools_Live_Blocks();
  Host_Clear_Calls();
  Add_Box_to_View_Area(r, 0, 0, 10, 10, 1);
  Update_View_Area_Scrolling(r);
  Set_View_Area_Frame(r, 1);
  Set_View_Area_Activity(r, 0);
  Reshape_View_Area(r, 0, 0, 100, 100);
  Clear_View_Area_Items(r);
  EXPECT_TRUE(Host_Calls().empty());
  Add_Text_to_View_Area(r, 10, 20, "vorab", 0x1000, 1, 0);
  Set_View_Area_Background(r, 9);
  Place_Reserved_View_Area(r, 20, 30, 420, 330, 1, 1);
  EXPECT_EQ(View_Area_Item_Count(r), 1);
  EXPECT_EQ(std::vector<int>({rec->background, rec->active, rec->right_button_events, rec->hover_rect_on}),
            std::vector<int>({9, 1, 0, 0}));
  EXPECT_EQ(Rect(rec), (std::vector<int>{20, 30, 403, 313}));
  EXPECT_GE(rec->handle, 0);
  int handle = rec->handle;
  Place_Reserved_View_Area(r, 0, 0, 10, 10, 0, 0);
  EXPECT_EQ(rec->handle, handle);
  EXPECT_EQ(rec->x1, 20);
  Remove_Scrollable_View_Area(r);
  EXPECT_EQ(Tools_Live_Blocks(), live);
}

TEST_F(ViewAreas, InvalidIndexOrFreeSlotIsIgnored) {
  for (int a : {20, -1, 0}) EXPECT_EQ(Get_View_Area_Background(a), -1) << a;  // 0 is free
  EXPECT_EQ(Get_Scrollable_View_Area(0), nullptr);
  Host_Clear_Calls();
  Set_View_Area_Frame(0, 0);
  Update_View_Area_Scrolling(0);
  Set_View_Area_Activity(25, 0);
  Remove_Scrollable_View_Area(0);
  Reshape_View_Area(-3, 0, 0, 1, 1);
  Place_Reserved_View_Area(0, 0, 0, 10, 10, 0, 0);
  EXPECT_TRUE(Host_Calls().empty());
}

// The frame flag decides whether a pass draws the host's sunken frame.
TEST_F(ViewAreas, FrameFlagIsPassedToTheDrawing) {
  int a = Create_Scrollable_View_Area(0, 0, 400, 300, 0, 0);
  for (int frame : {0, 1}) {
    Set_View_Area_Frame(a, frame);
    Host_Clear_Calls();
    Update_View_Area_Scrolling(a);
    EXPECT_EQ(Host_Call_Count("draw callback"), 1);
    EXPECT_EQ(Host_Call_Count("Draw_Funny_Area_to_PS"), frame);
  }
}

// Reshaping and content points in sheet coordinates of a displaced sheet, at a scroll offset.
TEST_F(ViewAreas, ReshapeAndContentPointToScreenPoint) {
  Host_Test_Set_Sheet_Displacement(30, 20);
  int a = Create_Scrollable_View_Area(0, 0, 400, 300, 0, 0);
  Reshape_View_Area(a, 130, 120, 530, 420);
  EXPECT_EQ(Rect(Get_Scrollable_View_Area(a)), (std::vector<int>{100, 100, 500, 400}));
  EXPECT_EQ(Host_Call_Count("Reshape_Scrollable_Area_PS"), 1);
  a = Create_Scrollable_View_Area(10, 40, 910, 700, 1, 1);
  Add_Box_to_View_Area(a, 0, 0, 2000, 2000, 1);
  Update_View_Area_Scrolling(a);
  Set_Scrollable_Area_PS(Get_Scrollable_View_Area(a)->handle, 50, 100);
  int x = 0, y = 0;
  ASSERT_EQ(View_Area_Content_to_Screen(a, 100, 140, &x, &y), 1);
  EXPECT_EQ(std::vector<int>({x, y, View_Area_Content_to_Screen(a + 1, 0, 0, &x, &y)}),
            std::vector<int>({10 + 30 + 100 - 50, 40 + 20 + 140 - 100, 0}));
}

// The host may call the callback of a removed slot until its sheet goes: nothing is drawn.
TEST_F(ViewAreas, CallbackOfARemovedSlotDrawsNothing) {
  int a = Create_Scrollable_View_Area(10, 40, 410, 340, 0, 0);
  SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(a);
  Add_Box_to_View_Area(a, 0, 0, 100, 100, 1);
  Remove_Scrollable_View_Area(a);
  EXPECT_EQ(rec->handle, VIEW_AREA_FREE);
  Host_Clear_Calls();
  View_Area_Draw_Callback(0, 0, 0, 10, 40, 410, 340, rec);
  rec->active = 1;
  View_Area_Draw_Callback(0, 0, 0, 10, 40, 410, 340, rec);
  EXPECT_TRUE(Host_Calls().empty());
}

TEST_F(ViewAreas, RemoveAllFreesEverySlotAndItsItems) {
  long live = Tools_Live_Blocks();
  for (int i = 0; i < 5; ++i) Add_Text_to_View_Area(Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0), 10, 10, "Text", 0x1000, 1, 0);
  Reserve_Scrollable_View_Area();
  Remove_All_View_Areas();
  for (int i = 0; i < VIEW_AREA_COUNT; ++i) EXPECT_EQ(Get_Scrollable_View_Area(i), nullptr);
  EXPECT_EQ(Tools_Live_Blocks(), live);
  EXPECT_EQ(Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0), 0);
}

}  // namespace
