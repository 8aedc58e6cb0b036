// Drop-down lists of choice lists and picture choices: placement, rows and scroll bar, keys,
// clicks, the wheel, and what the list gives back when it closes.
#include <string>
#include <vector>

#include "tests/widgets/widgets_fixture.h"

namespace {

// n entries named "Eintrag i" in black.
struct Entries {
  std::vector<std::string> names;
  std::vector<VIEW_CHOICE_ENTRY> list;
  explicit Entries(int n) {
    for (int i = 0; i < n; ++i) names.push_back("Eintrag " + std::to_string(i));
    for (int i = 0; i < n; ++i) list.push_back({BLACK_CI, names[i].c_str()});
  }
};

// A choice-list item as Add_Choice_List_to_View_Area makes it: 10 characters of font 0
// (80 pixels).
VIEW_ITEM Choice_Item(Entries &e, int *index) {
  VIEW_ITEM item{};
  item.kind = VIEW_CHOICE_LIST;
  item.font = 0x1000;
  item.option = 80;
  item.colour = 10;
  item.aux = static_cast<int>(e.list.size());
  item.target_ptr = e.list.empty() ? nullptr : e.list.data();
  item.value_ptr = index;
  return item;
}

// A picture-choice item of count pictures 40 × 20 from the strip "strip.bmp".
VIEW_ITEM Picture_Item(int count, int *index) {
  VIEW_ITEM item{};
  item.kind = VIEW_PICTURE_CHOICE;
  item.x2 = 40, item.y2 = 20;  // picture size
  item.aux = count;
  item.text = const_cast<char *>("strip.bmp");
  item.value_ptr = index;
  return item;
}

const DROPDOWN_TEST_VIEW &Last() { return *Dropdown_Last_State(); }

}  // namespace

class Dropdown : public EventsTest {};

TEST_F(Dropdown, ShortListOpensBelowWithoutScrollBar) {
  Entries e(3);
  int index = 1;
  VIEW_ITEM item = Choice_Item(e, &index);
  msStCu(500, 500);
  std::vector<uint8_t> before = Host_Snapshot();
  Host_Script_Key(27);
  EXPECT_EQ(Run_Choice_Dropdown(300, 200, &item), 0);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(Last().T, 205);
  EXPECT_EQ(Last().B - Last().T, 45);
  EXPECT_EQ(Last().r, 3);
  EXPECT_EQ(Last().t, 0);
  EXPECT_EQ(Last().L, 293);
  EXPECT_EQ(Last().R, 293 + 80 + 32);
  // The list's rectangle is given back pixel for pixel, and the pointer with its restriction.
  EXPECT_EQ(Host_Region_Diff(before, Last().L, Last().T, Last().R, Last().B), 0);
  int x = 0, y = 0;
  msStat(&x, &y);
  EXPECT_EQ(x, 500);
  EXPECT_EQ(y, 500);
  EXPECT_EQ(Host_Pointer_Restriction(nullptr), 0);
  // The clip rectangle is back as well.
  int c[4];
  pxQVwp(&c[0], &c[1], &c[2], &c[3]);
  EXPECT_EQ(c[2], NPIXEL_X - 1);
  EXPECT_EQ(c[3], NPIXEL_Y - 1);
}

TEST_F(Dropdown, LongListShortenedBelowOnASmallScreen) {
  NPIXEL_Y = 600;
  Entries e(40);
  int index = 30;
  VIEW_ITEM item = Choice_Item(e, &index);
  Host_Script_Key(27);
  Run_Choice_Dropdown(300, 300, &item);
  EXPECT_EQ(Last().r, 19);
  EXPECT_EQ(Last().B - Last().T, 253);
  EXPECT_EQ(Last().T, 305);
  EXPECT_EQ(Last().f, 21);
  EXPECT_EQ(Last().s, 30);
  EXPECT_EQ(Last().t, 104);
  EXPECT_NEAR(Last().q, 117.0 / 21.0, 1e-12);
  EXPECT_EQ(Last().o, 117);
  EXPECT_EQ(index, 30);
}

TEST_F(Dropdown, HoldingTheUpArrowRepeatsEvery100ms) {
  NPIXEL_Y = 600;
  Entries e(40);
  int index = 30;
  VIEW_ITEM item = Choice_Item(e, &index);
  // The up arrow lies at the list's top right: (R − 15, T + 3)-(R − 3, T + 15).
  int R = 293 + 80 + 32, T = 305;
  Host_Script_Move(R - 8, T + 8);
  Host_Script_Press(1);
  Host_Script_Wait(350);
  Host_Script_Release(1);
  Host_Script_Key(13);
  EXPECT_EQ(Run_Choice_Dropdown(300, 300, &item), 1);
  EXPECT_EQ(Last().f, 17);
  EXPECT_EQ(Last().s, 26);
  EXPECT_EQ(Last().o, static_cast<int>(17 * 117.0 / 21.0 + 0.5));
  EXPECT_EQ(index, 26);
  EXPECT_EQ(Host_Call_Count("YRMSleep"), 4);
}

TEST_F(Dropdown, ManyEntriesKeepASixPixelThumb) {
  NPIXEL_Y = 600;
  Entries e(1000);
  int index = 500;
  VIEW_ITEM item = Choice_Item(e, &index);
  Host_Script_Key(27);
  Run_Choice_Dropdown(300, 300, &item);
  EXPECT_EQ(Last().r, 19);
  EXPECT_EQ(Last().t, 6);
  EXPECT_EQ(Last().f, 491);
}

TEST_F(Dropdown, TinyScreenShowsOneRowWithoutScrollBar) {
  NPIXEL_Y = 120;
  Entries e(20);
  int index = 0;
  VIEW_ITEM item = Choice_Item(e, &index);
  Host_Script_Key(336);
  Host_Script_Key(13);
  EXPECT_EQ(Run_Choice_Dropdown(300, 70, &item), 1);
  EXPECT_EQ(Last().r, 1);
  EXPECT_EQ(Last().B - Last().T, 19);
  EXPECT_EQ(Last().T, 38);
  EXPECT_EQ(Last().t, 0);
  EXPECT_EQ(Last().f, 1);  // Down still moved the shown row
  EXPECT_EQ(index, 1);
}

TEST_F(Dropdown, TinyScreenWheelAndTrackDoNothing) {
  NPIXEL_Y = 120;
  Set_MouseWheel_Activity(1);
  Entries e(20);
  int index = 4;
  VIEW_ITEM item = Choice_Item(e, &index);
  Host_Script_Wheel(-1);
  Host_Script_Key(27);
  EXPECT_EQ(Run_Choice_Dropdown(300, 70, &item), 0);
  EXPECT_EQ(Last().f, 4);  // the row of entry 4, as opened: the wheel moved nothing
  EXPECT_EQ(Last().s, 4);
  EXPECT_EQ(M_SCROLL, 0);
  EXPECT_EQ(index, 4);
}

TEST_F(Dropdown, ListWithoutEntriesOpensNothing) {
  Entries e(0);
  int index = 0;
  VIEW_ITEM item = Choice_Item(e, &index);
  Host_Clear_Calls();
  EXPECT_EQ(Run_Choice_Dropdown(300, 200, &item), 0);
  EXPECT_TRUE(Host_Calls().empty());
  EXPECT_EQ(index, 0);
  // On a page, a click on such a field waits for the release and changes nothing.
  int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  Add_Choice_List_to_View_Area(area, 100, 100, e.list.data(), 0x1000, 10, 0, &index, nullptr);
  Update_View_Area_Scrolling(area);
  Host_Clear_Calls();
  Host_Script_Click(115, 135);
  EXPECT_EQ(Handle_View_Area_Event(area), 0);
  EXPECT_EQ(Host_Call_Count("Save_Screen_Rectangle"), 0);
  EXPECT_EQ(M_LEFT, 0);
}

TEST_F(Dropdown, IndexOutsideTheEntriesHighlightsTheFirstAndIsKeptOnEsc) {
  Entries e(3);
  int index = 7;
  VIEW_ITEM item = Choice_Item(e, &index);
  Host_Script_Key(27);
  EXPECT_EQ(Run_Choice_Dropdown(300, 200, &item), 0);
  EXPECT_EQ(Last().s, 0);
  EXPECT_EQ(index, 7);
  index = -3;
  Host_Script_Key(336);
  Host_Script_Key(13);
  EXPECT_EQ(Run_Choice_Dropdown(300, 200, &item), 1);
  EXPECT_EQ(index, 1);
}

TEST_F(Dropdown, KeysStopAtTheEnds) {
  Entries e(3);
  int index = 0;
  VIEW_ITEM item = Choice_Item(e, &index);
  Host_Script_Key(328);
  Host_Script_Key(13);
  EXPECT_EQ(Run_Choice_Dropdown(300, 200, &item), 1);
  EXPECT_EQ(index, 0);
  index = 2;
  Host_Script_Key(336);
  Host_Script_Key(13);
  EXPECT_EQ(Run_Choice_Dropdown(300, 200, &item), 1);
  EXPECT_EQ(index, 2);
  // Another key closes without a change.
  Host_Script_Key(336 - 5);
  EXPECT_EQ(Run_Choice_Dropdown(300, 200, &item), 0);
  EXPECT_EQ(index, 2);
}

TEST_F(Dropdown, ClickOnAnEntryStoresItAndReturns0) {
  Entries e(3);
  int index = 0;
  VIEW_ITEM item = Choice_Item(e, &index);
  // Rows at T + 13 i: the third row (entry 2) of the list at T = 205.
  Host_Script_Click(320, 205 + 2 + 26 + 5);
  EXPECT_EQ(Run_Choice_Dropdown(300, 200, &item), 0);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(M_LEFT, 0);
}

TEST_F(Dropdown, ThumbDragAndTrackPages) {
  NPIXEL_Y = 600;
  Entries e(40);
  int index = 0;
  VIEW_ITEM item = Choice_Item(e, &index);
  int R = 293 + 80 + 32, T = 305;
  // A press below the thumb pages to the end: f = n − r = 21, s moved along by 21.
  Host_Script_Move(R - 8, T + 200);
  Host_Script_Press(1);
  Host_Script_Release(1);
  // Drag the thumb (now at offset o_max = 117) up by 58 pixels: f = trunc((−58 + 117 − 0.5) / q).
  Host_Script_Move(R - 8, T + 16 + 117 + 5);
  Host_Script_Press(1);
  Host_Script_Move(R - 8, T + 16 + 117 + 5 - 58);
  Host_Script_Release(1);
  Host_Script_Key(13);
  EXPECT_EQ(Run_Choice_Dropdown(300, 300, &item), 1);
  double q = 117.0 / 21.0;
  int f = static_cast<int>((-58 + 117 - 0.5) / q);
  EXPECT_EQ(Last().f, f);
  EXPECT_EQ(Last().o, static_cast<int>(q * f + 0.5));
  EXPECT_EQ(index, 21 + f - 21);
}

TEST_F(Dropdown, WheelMovesRowsWithAScrollBar) {
  NPIXEL_Y = 600;
  Set_MouseWheel_Activity(1);
  Entries e(40);
  int index = 0;
  VIEW_ITEM item = Choice_Item(e, &index);
  Host_Script_Wheel(-1);
  Host_Script_Wheel(-1);
  Host_Script_Wheel(1);
  Host_Script_Key(13);
  EXPECT_EQ(Run_Choice_Dropdown(300, 300, &item), 1);
  EXPECT_EQ(Last().f, 1);
  EXPECT_EQ(index, 1);
}

TEST_F(Dropdown, PictureListBelowTheFieldInsideTheArea) {
  Make_Test_Strip(30, 20);
  int index = 1;
  VIEW_ITEM item = Picture_Item(5, &index);
  std::vector<uint8_t> before = Host_Snapshot();
  Host_Script_Key(336);
  Host_Script_Key(13);
  EXPECT_EQ(Run_Picture_Dropdown(40, 700, 200, 100, &item), 1);
  EXPECT_EQ(index, 2);
  // Pitch 24; 5 rows of height 126 fit below the field: T = Y + 26 (20 + 5, made even).
  EXPECT_EQ(Last().T, 126);
  EXPECT_EQ(Last().B - Last().T, 5 * 24 + 6);
  EXPECT_EQ(Last().L, 200);
  EXPECT_EQ(Last().R, 260);
  EXPECT_EQ(Last().t, 0);
  EXPECT_EQ(Host_Region_Diff(before, Last().L, Last().T, Last().R, Last().B), 0);
  EXPECT_EQ(Host_Pointer_Restriction(nullptr), 0);
}

TEST_F(Dropdown, LongPictureListEscapesBelowTheArea) {
  Make_Test_Strip(30, 20);
  int index = 0;
  VIEW_ITEM item = Picture_Item(30, &index);
  // Area from 40 to 300, field at 250: the area has room for 7 rows above the field, fewer
  // than a third of the list, so it opens below onto the rest of the screen with
  // r = min((1024 − 250 − 24 − 10) / 24, 30 / 2) = 15.
  Host_Script_Key(27);
  EXPECT_EQ(Run_Picture_Dropdown(40, 300, 200, 250, &item), 0);
  EXPECT_EQ(Last().r, 15);
  EXPECT_EQ(Last().T, 276);
  EXPECT_GT(Last().t, 0);
}

TEST_F(Dropdown, PicturesOfTheOpenList) {
  // The open lists drawn for a person to look at.
  Make_Picture_Strip(40, 20, 5);
  Entries e(40);
  pxFgc(WHITE_CI);
  Draw_Choice_Dropdown(100, 107, 80 + 32, 100, 19 * 13 + 6, 0x1000, 3, 19, 104, 40, e.list.data() + 5);
  EXPECT_EQ(pxQFgc(nullptr), WHITE_CI);  // the colour found is given back
  VIEW_ITEM item{};
  item.x2 = 40, item.y2 = 20, item.aux = 5;
  item.text = const_cast<char *>("pictures.bmp");
  Draw_Picture_Dropdown(400, 60, 100, 5 * 24 + 6, 2, 0, 5, 0, 0, &item);
  // The highlighted row is filled in the highlight colour, the others in the list colour.
  int hr = 0, hg = 0, hb = 0;
  Host_Pixel_RGB(104, 100 + 13 * 3 + 3, &hr, &hg, &hb);
  EXPECT_EQ(hr, 0);
  EXPECT_EQ(hg, 80);
  EXPECT_EQ(hb, 150);
  Host_Pixel_RGB(104, 100 + 13 * 1 + 3, &hr, &hg, &hb);
  EXPECT_EQ(hr, 235);
  // The thumb of 104 pixels at offset 40 is framed in black at its top.
  EXPECT_EQ(Host_Pixel(100 + 112 - 9, 100 + 16 + 40), BLACK_CI);
}
