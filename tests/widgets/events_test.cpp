// View-area event handling on the host harness: a whole page answering clicks and keys through
// Edit_Prop_Sheet, the field chain, the hit rules, short keys and the scroll services.
#include <cstring>

#include "support/support.h"
#include "tests/widgets/widgets_fixture.h"

namespace {

// The caller's record behind the page.
struct PageRecord {
  int flag = 0;
  double value = 2.5;
  char text[11] = "          ";  // ten blanks: a text field of capacity 10
  int choice = 1;
};

const VIEW_CHOICE_ENTRY kEntries[3] = {{0, "eins"}, {0, "zwei"}, {0, "drei"}};

int g_change_calls = 0;
int g_change_value = -1;
void Count_Change(int value) {
  ++g_change_calls;
  g_change_value = value;
}

constexpr int kItemColour = 0;  // black text and marks
int g_active = 1;

// The page of the tests: a check box, a number field, a text field and a choice list bound to
// the record in this order.
void Build_Page(int area, PageRecord *rec) {
  Clear_View_Area_Items(area);
  Add_Check_Box_to_View_Area(area, 100, 40, nullptr, 0x1000, kItemColour, &rec->flag, &g_active);
  Set_View_Item_Change_Callback(area, &Count_Change);
  Add_Float_Field_to_View_Area(area, 100, 80, &rec->value, "%.3f", 0x1000, kItemColour, &g_active);
  Add_Text_Field_to_View_Area(area, 100, 120, rec->text, 0x1000, kItemColour, &g_active);
  Add_Choice_List_to_View_Area(area, 100, 160, kEntries, 0x1000, 10, 3, &rec->choice, &g_active);
  Update_View_Area_Scrolling(area);
}

// The page sheet: an escape area of code 100 over a view area (10, 40)-(910, 700) with a
// vertical slider.
int Open_Page_Area() {
  Add_Escape_Area_to_PS(10, 40, 910, 700, 0, 100);
  int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  return area;
}

// Whether a field at the screen point (x, y) shows exactly this text in the font of number
// and text fields: painting the field's inside with the text again changes no pixel.
int Field_Differs_From(int x, int y, const char *text) {
  std::vector<uint8_t> before = Host_Snapshot();
  Pop_RFont(0);
  int w = Get_Text_Width(text);
  w += w & 1;
  pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
  pxFgc(WHITE_CI);
  pxRect(x - 5, y - 12, x + w + 5, y + 4);
  pxFgc(kItemColour);
  pxText(x, y, text, -1);
  Push_RFont();
  int diff = Host_Region_Diff(before, x - 5, y - 12, x + w + 5, y + 4);
  // Put the canvas back for the next probe.
  return diff;
}

// Runs the sheet loop of the page under the soft policy until the script runs out.
void Run_Page_Loop(int area, PageRecord *rec) {
  Host_Test_Set_Policy(HOST_SCRIPT_SOFT);
  for (int guard = 0; guard < 50; ++guard) {
    int code = Edit_Prop_Sheet();
    if (code == 0) break;
    if (code == 100 && Handle_View_Area_Event(area)) Build_Page(area, rec);
  }
}

}  // namespace

class ViewEventsPage : public EventsTest {
 protected:
  void SetUp() override {
    EventsTest::SetUp();
    g_change_calls = 0;
    g_change_value = -1;
    g_active = 1;
  }
};

TEST_F(ViewEventsPage, ModelDrawingAndOneClick) {
  PageRecord rec;
  int area = Open_Page_Area();
  ASSERT_EQ(area, 0);
  int w = 0, h = 0;
  Get_View_Area_Visible_Size(area, &w, &h);
  EXPECT_EQ(w, 883);
  EXPECT_EQ(h, 660);

  Host_Clear_Calls();
  Build_Page(area, &rec);
  // Model: the four kinds in order, bound to the caller's variables.
  const VIEW_ITEM *it = View_Area_Test_Items(area);
  ASSERT_NE(it, nullptr);
  EXPECT_EQ(it->kind, VIEW_CHECK_BOX);
  EXPECT_EQ(it->value_ptr, &rec.flag);
  it = it->next;
  ASSERT_NE(it, nullptr);
  EXPECT_EQ(it->kind, VIEW_NUMBER_FIELD);
  EXPECT_EQ(it->double_ptr, &rec.value);
  it = it->next;
  ASSERT_NE(it, nullptr);
  EXPECT_EQ(it->kind, VIEW_TEXT_FIELD);
  EXPECT_EQ(it->text, rec.text);
  it = it->next;
  ASSERT_NE(it, nullptr);
  EXPECT_EQ(it->kind, VIEW_CHOICE_LIST);
  EXPECT_EQ(it->value_ptr, &rec.choice);
  EXPECT_EQ(it->next, nullptr);

  // Drawing: one draw callback; the box of the unset check box is hollow at (95, 77).
  EXPECT_EQ(Host_Call_Count("draw callback"), 1);
  int r = 0, g = 0, b = 0;
  Host_Pixel_RGB(95, 77, &r, &g, &b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 251);
  EXPECT_EQ(b, 240);
  EXPECT_EQ(Field_Differs_From(110, 120, "2.500"), 0);
  EXPECT_GT(Field_Differs_From(110, 120, "2.510"), 0);  // the probe tells texts apart
  Build_Page(area, &rec);

  // Events: a click on the box sets the flag, calls the change function once and paints the mark.
  Host_Script_Click(95, 77);
  EXPECT_EQ(Handle_View_Area_Event(area), 1);
  EXPECT_EQ(rec.flag, 1);
  EXPECT_EQ(g_change_calls, 1);
  EXPECT_EQ(g_change_value, 1);
  EXPECT_EQ(Host_Pixel(95, 77), kItemColour);
  EXPECT_EQ(M_LEFT, 0);  // returned after the release
}

TEST_F(ViewEventsPage, WholeLoopEditsEveryFieldOfTheRecord) {
  PageRecord rec;
  int area = Open_Page_Area();
  Build_Page(area, &rec);
  Host_Script_Click(120, 115);  // the number field at (110, 120) on the screen
  Host_Script_Text("7,25");
  Host_Script_Key(13);
  Host_Script_Text("abc");
  Host_Script_Key(13);
  Host_Script_Key(336);  // Down in the choice's drop-down
  Host_Script_Key(13);
  Host_Script_Click(95, 77);  // the check box
  Run_Page_Loop(area, &rec);
  EXPECT_DOUBLE_EQ(rec.value, 7.25);
  EXPECT_STREQ(rec.text, "abc");
  EXPECT_EQ(rec.choice, 2);
  EXPECT_EQ(rec.flag, 1);
  EXPECT_EQ(Host_Script_Pending(), 0);
  Build_Page(area, &rec);
  EXPECT_EQ(Field_Differs_From(110, 120, "7.250"), 0);
}

TEST_F(ViewEventsPage, TeardownAndRebuildsKeepTheLiveBlockCount) {
  long start = Tools_Live_Blocks();
  {
    PageRecord rec;
    int area = Open_Page_Area();
    Build_Page(area, &rec);
    long one = Tools_Live_Blocks();
    EXPECT_GT(one, start);
    for (int i = 0; i < 100; ++i) Build_Page(area, &rec);
    EXPECT_EQ(Tools_Live_Blocks(), one);
    // A text field's edit buffer comes and goes.
    Host_Script_Click(115, 155);
    Host_Script_Text("xyz");
    Host_Script_Key(27);
    EXPECT_EQ(Handle_View_Area_Event(area), 1);
    EXPECT_EQ(Tools_Live_Blocks(), one);
    Remove_All_View_Areas();
    Undefine_Prop_Sheet();
  }
  EXPECT_EQ(Tools_Live_Blocks(), start);
}

// ------------------------------------------------------------------- field chain

class ViewEventsChain : public EventsTest {};

TEST_F(ViewEventsChain, EnterWalksOnAndScrollsTheNextFieldIntoView) {
  double v[3] = {0.0, 0.0, 9.0};
  int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  Add_Float_Field_to_View_Area(area, 100, 40, &v[0], "%.3f", 0x1000, 0, nullptr);
  Add_Float_Field_to_View_Area(area, 100, 80, &v[1], "%.3f", 0x1000, 0, nullptr);
  Add_Float_Field_to_View_Area(area, 100, 1000, &v[2], "%.3f", 0x1000, 0, nullptr);
  Update_View_Area_Scrolling(area);
  Host_Script_Click(120, 75);  // the first field at (110, 80)
  Host_Script_Text("1");
  Host_Script_Key(13);
  Host_Script_Text("2");
  Host_Script_Key(13);
  Host_Script_Text("3");
  Host_Script_Key(27);
  EXPECT_EQ(Handle_View_Area_Event(area), 1);
  EXPECT_DOUBLE_EQ(v[0], 1.0);
  EXPECT_DOUBLE_EQ(v[1], 2.0);
  EXPECT_DOUBLE_EQ(v[2], 9.0);
  int sx = -1, sy = -1;
  Inquire_View_Area_Scroll(area, &sx, &sy);
  EXPECT_EQ(sx, 0);
  EXPECT_EQ(sy, 345);
  EXPECT_EQ(Get_Scrollable_View_Area(area)->scroll_y, 345);
  // The third field was edited where it then stood: at y 40 + 1000 − 345 on the screen.
  std::vector<std::vector<int>> edits;
  for (const std::vector<int> &call : Calls_Args("Short_Edit_Float"))
    if (call.size() == 3) edits.push_back(call);  // the calls, not their results
  ASSERT_EQ(edits.size(), 3u);
  EXPECT_EQ(edits[2][1], 40 + 1000 - 345 - 14);
}

TEST_F(ViewEventsChain, InactiveFieldsAndEmptyChoicesArePassedOver) {
  double a = 1, b = 2, c = 3;
  int off = 0, empty_index = 0;
  char text[6] = "hallo";
  int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  Add_Float_Field_to_View_Area(area, 100, 40, &a, "%.1f", 0x1000, 0, nullptr);
  Add_Float_Field_to_View_Area(area, 100, 80, &b, "%.1f", 0x1000, 0, &off);
  Add_Choice_List_to_View_Area(area, 100, 120, kEntries, 0x1000, 10, 0, &empty_index, nullptr);
  Add_Text_Field_to_View_Area(area, 100, 160, text, 0x1000, 0, nullptr);
  Add_Float_Field_to_View_Area(area, 100, 200, &c, "%.1f", 0x1000, 0, nullptr);
  Update_View_Area_Scrolling(area);
  Host_Script_Click(115, 75);
  Host_Script_Text("5");
  Host_Script_Key(13);
  Host_Script_Text("ab");
  Host_Script_Key(13);
  Host_Script_Text("7");
  Host_Script_Key(328);  // Up ends the chain with the value taken
  EXPECT_EQ(Handle_View_Area_Event(area), 1);
  EXPECT_DOUBLE_EQ(a, 5.0);
  EXPECT_DOUBLE_EQ(b, 2.0);
  EXPECT_STREQ(text, "ab");
  EXPECT_DOUBLE_EQ(c, 7.0);
  EXPECT_EQ(empty_index, 0);
}

TEST_F(ViewEventsChain, PictureChoiceOpensItsListInsideTheAreaAndGoesOn) {
  Make_Picture_Strip(40, 20, 4);
  int picture = 0, changes = 0;
  static int *s_changes;
  s_changes = &changes;
  double v = 1;
  int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  Add_Picture_Choice_to_View_Area(area, 100, 100, "pictures.bmp", 40, 20, 4, 0, &picture, nullptr);
  Set_View_Item_Change_Callback(area, static_cast<VIEW_CHANGE_INT_FN>([](int) { ++*s_changes; }));
  Add_Float_Field_to_View_Area(area, 100, 200, &v, "%.1f", 0x1000, 0, nullptr);
  Update_View_Area_Scrolling(area);
  // The field's box: (110, 140) to (110 + 60, 140 + 26).
  Host_Script_Click(150, 150);
  Host_Script_Key(336);
  Host_Script_Key(336);
  Host_Script_Key(13);
  Host_Script_Text("4");
  Host_Script_Key(27);
  EXPECT_EQ(Handle_View_Area_Event(area), 1);
  EXPECT_EQ(picture, 2);
  EXPECT_EQ(changes, 1);
  EXPECT_DOUBLE_EQ(v, 1.0);  // Esc keeps the number
  EXPECT_EQ(Host_Call_Count("Short_Edit_Float"), 2);  // the call and its result
  // Below the field: T = Y + 26 (picture height 20 + 5, made even).
  EXPECT_EQ(Dropdown_Last_State()->T, 140 + 26);
  EXPECT_EQ(Dropdown_Last_State()->L, 110);
}

// A change function that rebuilds its page at once.
int g_rebuild_area = -1;
double g_rebuild_values[2] = {0, 0};
void Rebuild_Two_Fields(double *) {
  Clear_View_Area_Items(g_rebuild_area);
  Add_Float_Field_to_View_Area(g_rebuild_area, 100, 40, &g_rebuild_values[0], "%.1f", 0x1000, 0, nullptr);
  Set_View_Item_Change_Callback(g_rebuild_area, &Rebuild_Two_Fields);
  Add_Float_Field_to_View_Area(g_rebuild_area, 100, 80, &g_rebuild_values[1], "%.1f", 0x1000, 0, nullptr);
  Update_View_Area_Scrolling(g_rebuild_area);
}

TEST_F(ViewEventsChain, ChangeFunctionThatRebuildsThePageEndsTheChain) {
  g_rebuild_area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  Rebuild_Two_Fields(nullptr);
  Host_Script_Click(115, 75);
  Host_Script_Text("6");
  Host_Script_Key(13);
  EXPECT_EQ(Handle_View_Area_Event(g_rebuild_area), 1);
  EXPECT_DOUBLE_EQ(g_rebuild_values[0], 6.0);
  EXPECT_EQ(Host_Call_Count("Short_Edit_Float"), 2);  // one edit (call and result): no second field
}

TEST_F(ViewEventsChain, TextFieldKeepsItsCapacityAboveTheOldBufferSize) {
  // A capacity of 600 characters: the whole text comes back, nothing beyond it is written.
  std::vector<char> buffer(700, 'q');
  std::memset(buffer.data(), 'a', 600);
  buffer[600] = '\0';
  int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  Add_Text_Field_to_View_Area(area, 100, 40, buffer.data(), 0x1000, 0, nullptr);
  Set_View_Text_Field_Width(area, 20);
  Update_View_Area_Scrolling(area);
  Host_Script_Click(115, 75);
  Host_Script_Key(335);  // End keeps the text
  for (int i = 0; i < 5; ++i) Host_Script_Key('z');  // the field is full: nothing more goes in
  Host_Script_Key(13);
  EXPECT_EQ(Handle_View_Area_Event(area), 1);
  EXPECT_EQ(std::strlen(buffer.data()), 600u);
  EXPECT_EQ(buffer[599], 'a');
  EXPECT_EQ(buffer[601], 'q');
  std::vector<std::vector<int>> edits = Calls_Args("Short_Edit_Text");
  ASSERT_EQ(edits.size(), 1u);
  EXPECT_EQ(edits[0][2], 20);  // characters shown
}

// ------------------------------------------------------------------- hit rules and reactions

class ViewEventsHits : public EventsTest {
 protected:
  int area = -1;
  void SetUp() override {
    EventsTest::SetUp();
    area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
    Activate_Prop_Sheet();
  }
  // A click at (x, y) handled by the area; key (when not 0) follows the click for an editor.
  int Click(int x, int y, int key = 0) {
    Host_Script_Click(x, y);
    if (key) Host_Script_Key(key);
    return Handle_View_Area_Event(area);
  }
};

TEST_F(ViewEventsHits, AnyClickClearsTheSelectedListRow) {
  int selected = 5;
  Add_List_Row_to_View_Area(area, 100, 300, "Zeile", 0x1000, 0, 0, 3, 5, &selected);
  Update_View_Area_Scrolling(area);
  EXPECT_EQ(Click(600, 600), 1);  // on nothing
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(Click(600, 600), 0);  // nothing left to clear
  EXPECT_EQ(Click(112, 338), 1);  // on the row: selected again
  EXPECT_EQ(selected, 5);
}

TEST_F(ViewEventsHits, FirstOfOverlappingItemsWins) {
  int first = 0, second = 0;
  Add_Click_Spot_to_View_Area(area, 100, 100, 200, 200, 1, &first);
  Add_Click_Spot_to_View_Area(area, 150, 150, 250, 250, 2, &second);
  Update_View_Area_Scrolling(area);
  EXPECT_EQ(Click(10 + 170, 40 + 170), 1);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 0);
  EXPECT_EQ(Click(10 + 240, 40 + 240), 1);
  EXPECT_EQ(second, 2);
}

TEST_F(ViewEventsHits, InactiveItemsPassTheClickOn) {
  int flag = 0, off = 0, spot = 0;
  Add_Check_Box_to_View_Area(area, 100, 100, "Kasten", 0x1000, 0, &flag, &off);
  Add_Click_Spot_to_View_Area(area, 70, 80, 200, 110, 9, &spot);
  Update_View_Area_Scrolling(area);
  EXPECT_EQ(Click(10 + 95, 40 + 95), 1);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(spot, 9);
}

TEST_F(ViewEventsHits, CheckBoxWithoutLabelIsHitOnlyOnItsBox) {
  int flag = 0;
  Add_Check_Box_to_View_Area(area, 100, 100, nullptr, 0x1000, 0, &flag, nullptr);
  Update_View_Area_Scrolling(area);
  const int X = 110, Y = 140;
  EXPECT_EQ(Click(X - 21, Y), 0);
  EXPECT_EQ(Click(X - 8, Y), 0);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(Click(X - 20, Y), 1);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(Click(X - 9, Y - 10), 1);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(Click(X - 9, Y + 3), 0);
}

TEST_F(ViewEventsHits, RadioButtonTakesItsValue) {
  int choice = 0;
  int changes = 0;
  static int *s_changes;
  s_changes = &changes;
  Add_Radio_Button_to_View_Area(area, 100, 100, "A", 0x1000, 0, 1, &choice, nullptr);
  Add_Radio_Button_to_View_Area(area, 100, 130, "B", 0x1000, 0, 2, &choice, nullptr);
  Set_View_Item_Change_Callback(area, static_cast<VIEW_CHANGE_INT_FN>([](int v) { *s_changes += v; }));
  Update_View_Area_Scrolling(area);
  EXPECT_EQ(Click(110, 170), 1);
  EXPECT_EQ(choice, 2);
  EXPECT_EQ(Click(110, 170), 1);  // again: still 2, the change function runs again
  EXPECT_EQ(choice, 2);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(Click(110, 140), 1);
  EXPECT_EQ(choice, 1);
  EXPECT_EQ(changes, 4);  // the first button has no change function
}

TEST_F(ViewEventsHits, FieldMustLieBelowTheTopEdge) {
  char text[4] = "abc";
  Add_Text_Field_to_View_Area(area, 100, 11, text, 0x1000, 0, nullptr);
  Add_Text_Field_to_View_Area(area, 300, 12, text, 0x1000, 0, nullptr);
  Update_View_Area_Scrolling(area);
  EXPECT_EQ(Click(10 + 110, 40 + 11), 0);  // 11 below the top: not hit
  EXPECT_EQ(Host_Call_Count("Short_Edit_Text"), 0);
  EXPECT_EQ(Click(10 + 310, 40 + 12, 27), 1);  // 12: edited
  EXPECT_EQ(Host_Call_Count("Short_Edit_Text"), 1);
  EXPECT_STREQ(text, "abc");
}

TEST_F(ViewEventsHits, FieldMustLieAboveTheBottomEdge) {
  double v = 1;
  Add_Float_Field_to_View_Area(area, 100, 657, &v, "%.1f", 0x1000, 0, nullptr);
  Add_Box_to_View_Area(area, 0, 0, 10, 657, 0);
  Update_View_Area_Scrolling(area);
  // Y + 2 = 40 + 657 + 2 = 699 lies above the bottom edge 700: hit; one pixel lower not.
  EXPECT_EQ(Click(115, 40 + 657, 27), 1);
  Clear_View_Area_Items(area);
  Add_Float_Field_to_View_Area(area, 100, 658, &v, "%.1f", 0x1000, 0, nullptr);
  Update_View_Area_Scrolling(area);
  EXPECT_EQ(Click(115, 40 + 658), 0);
}

TEST_F(ViewEventsHits, BitmapButtonWritesItsCodeWhenReleasedOutside) {
  Make_Test_Strip(30, 20);
  int code = 0;
  Add_Bitmap_Button_to_View_Area(area, 100, 100, 30, 20, "strip.bmp", 0, Nearest_RGB_Color(255, 0, 255), 0,
                                 nullptr, 44, &code, nullptr);
  Update_View_Area_Scrolling(area);
  Host_Clear_Calls();
  Host_Script_Move(115, 150);
  Host_Script_Press(1);
  Host_Script_Move(400, 400);
  Host_Script_Release(1);
  EXPECT_EQ(Handle_View_Area_Event(area), 1);
  EXPECT_EQ(code, 44);
  // Pressed image (source x 90..119) while held, then the normal one (30..59).
  std::vector<std::vector<int>> dib = Calls_Args("pxDrawPartialTransparentDIB");
  ASSERT_GE(dib.size(), 2u);
  int pressed = -1, normal_after = -1;
  for (size_t i = 0; i < dib.size(); ++i) {
    if (dib[i][1] == 90 && dib[i][3] == 119 && pressed < 0) pressed = static_cast<int>(i);
    if (dib[i][1] == 30 && pressed >= 0 && normal_after < 0) normal_after = static_cast<int>(i);
  }
  EXPECT_GE(pressed, 0);
  EXPECT_GT(normal_after, pressed);
  // The clip rectangle in force before is back.
  int c[4];
  pxQVwp(&c[0], &c[1], &c[2], &c[3]);
  EXPECT_EQ(c[0], 0);
  EXPECT_EQ(c[2], NPIXEL_X - 1);
}

TEST_F(ViewEventsHits, InvalidAreasChangeNothing) {
  EXPECT_EQ(Handle_View_Area_Event(-1), 0);
  EXPECT_EQ(Handle_View_Area_Event(20), 0);
  EXPECT_EQ(Handle_View_Area_Event(5), 0);  // a free slot
  int w = -7, h = -7;
  Get_View_Area_Content_Size(5, &w, &h);
  EXPECT_EQ(w, -7);
  EXPECT_EQ(h, -7);
  int reserved = Reserve_Scrollable_View_Area();
  EXPECT_EQ(Handle_View_Area_Event(reserved), 0);
}

// ------------------------------------------------------------------- short keys

class ViewEventsKeys : public EventsTest {};

TEST_F(ViewEventsKeys, OkKeyWritesItsValueWhenSwitchedOn) {
  Host_Set_User_String("UseSheetOkShortKey", "1");
  int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  int target = 0;
  Set_View_Area_Ok_Key_Target(area, 42, &target);
  Update_View_Area_Scrolling(area);
  msStCu(300, 300);
  Host_Script_Key(13);
  EXPECT_EQ(Handle_View_Area_Event(area), 1);
  EXPECT_EQ(target, 42);
  EXPECT_EQ(hitkey(), -1);  // taken
  // Esc with the break switch off stays waiting and changes nothing.
  Host_Script_Key(27);
  Host_Script_Wait(10);
  Host_Script_Move(1000, 900);  // the pointer leaves the area: the wait ends
  EXPECT_EQ(Handle_View_Area_Event(area), 0);
  EXPECT_EQ(hitkey(), 27);
}

TEST_F(ViewEventsKeys, OkKeyStaysWaitingWhenSwitchedOff) {
  int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  int target = 0;
  Set_View_Area_Ok_Key_Target(area, 42, &target);
  msStCu(300, 300);
  Host_Script_Key(13);
  Host_Script_Wait(10);
  Host_Script_Move(1000, 900);
  EXPECT_EQ(Handle_View_Area_Event(area), 0);
  EXPECT_EQ(target, 0);
  EXPECT_EQ(hitkey(), 13);
}

TEST_F(ViewEventsKeys, KeyMeantForTheTargetlessSwitchStaysWaiting) {
  Host_Set_User_String("UseSheetBreakShortKey", "1");
  int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  msStCu(300, 300);
  Host_Script_Key(27);
  EXPECT_EQ(Handle_View_Area_Event(area), 0);
  EXPECT_EQ(hitkey(), 27);
}

TEST_F(ViewEventsKeys, EnterWhileTheSheetWaitsIsHandledInThatPass) {
  Host_Set_User_String("UseSheetOkShortKey", "1");
  Add_Escape_Area_to_PS(10, 40, 910, 700, 0, 100);
  int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  int target = 0;
  Set_View_Area_Ok_Key_Target(area, 7, &target);
  Update_View_Area_Scrolling(area);
  msStCu(300, 300);
  Host_Script_Key(13);
  ASSERT_EQ(Edit_Prop_Sheet(), 100);
  EXPECT_EQ(Handle_View_Area_Event(area), 1);
  EXPECT_EQ(target, 7);
}

TEST_F(ViewEventsKeys, AbortEndsTheEventWithoutChange) {
  int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  msStCu(300, 300);
  Host_Script_Abort();
  EXPECT_EQ(Handle_View_Area_Event(area), 0);
}

// ------------------------------------------------------------------- scroll services

class ViewEventsScroll : public EventsTest {};

TEST_F(ViewEventsScroll, FractionsOfTheScrollRange) {
  int area = Create_Scrollable_View_Area(0, 0, 400, 317, 1, 0);  // visible 400 × 300
  Activate_Prop_Sheet();
  Add_Box_to_View_Area(area, 0, 0, 1000, 300, 0);
  SCROLLABLE_VIEW_AREA *a = Get_Scrollable_View_Area(area);
  a->scroll_y = 17;
  Set_View_Area_Scroll_Fraction(area, 0.5, -1);
  EXPECT_EQ(a->scroll_x, 300);
  EXPECT_EQ(a->scroll_y, 17);
  Set_View_Area_Scroll_Fraction(area, 2.0, 0.5);
  EXPECT_EQ(a->scroll_x, 600);
  EXPECT_EQ(a->scroll_y, 17);  // no vertical slider
  double fx = -1, fy = -1;
  Get_View_Area_Scroll_Fraction(area, &fx, &fy);
  EXPECT_DOUBLE_EQ(fx, 1.0);
  EXPECT_DOUBLE_EQ(fy, 0.0);
  // Content that fits has no range: fraction 0.
  Clear_View_Area_Items(area);
  Add_Box_to_View_Area(area, 0, 0, 300, 300, 0);
  Get_View_Area_Scroll_Fraction(area, &fx, &fy);
  EXPECT_DOUBLE_EQ(fx, 0.0);
}

TEST_F(ViewEventsScroll, ScrollByStopsAtTheEnds) {
  int area = Create_Scrollable_View_Area(0, 0, 400, 317, 1, 0);
  Activate_Prop_Sheet();
  Add_Box_to_View_Area(area, 0, 0, 1000, 300, 0);
  SCROLLABLE_VIEW_AREA *a = Get_Scrollable_View_Area(area);
  a->scroll_x = 20;
  Update_View_Area_Scrolling(area);
  int dx = -50, dy = 5;
  Scroll_View_Area_by(area, &dx, &dy);
  EXPECT_EQ(a->scroll_x, 0);
  EXPECT_EQ(dx, -20);
  EXPECT_EQ(dy, 5);  // no vertical slider: left as given
  // The host was not told: the next move starts again from its offset 20.
  dx = 900;
  Scroll_View_Area_by(area, &dx, nullptr);
  EXPECT_EQ(dx, 580);
  EXPECT_EQ(a->scroll_x, 600);
}

TEST_F(ViewEventsScroll, SmoothScrollToARectangle) {
  int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  Add_Box_to_View_Area(area, 0, 0, 1000, 2000, 0);
  Update_View_Area_Scrolling(area);
  // Already in view: no host call, no pause.
  Host_Clear_Calls();
  double t0 = Host_Clock_Ms();
  Scroll_View_Area_to_Rectangle(area, 10, 10, 100, 100);
  EXPECT_TRUE(Host_Calls().empty());
  EXPECT_EQ(Host_Clock_Ms(), t0);

  Scroll_View_Area_to_Rectangle(area, 0, 1000, 100, 1040);
  std::vector<std::vector<int>> sets = Calls_Args("Set_Scrollable_Area_PS");
  ASSERT_EQ(sets.size(), 10u);
  for (int k = 0; k < 10; ++k) {
    EXPECT_EQ(sets[k][1], 0);
    EXPECT_EQ(sets[k][2], 38 * (k + 1));
  }
  EXPECT_EQ(Host_Call_Count("YRMSleep"), 10);
  EXPECT_EQ(Host_Clock_Ms() - t0, 300.0);
  int sx = -1, sy = -1;
  Inquire_View_Area_Scroll(area, &sx, &sy);
  EXPECT_EQ(sx, 0);
  EXPECT_EQ(sy, 380);
  // Back up: the upper end meets the top edge.
  Scroll_View_Area_to_Rectangle(area, 0, 100, 100, 140);
  Inquire_View_Area_Scroll(area, &sx, &sy);
  EXPECT_EQ(sy, 100);
}
