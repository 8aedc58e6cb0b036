// Drop-down lists of choice lists and picture choices: placement, rows and scroll bar, keys,
// clicks, the wheel, and what the list gives back when it closes.

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

// The list of a field at (300, y): L = 293, R = 293 + 80 + 32.
constexpr int kR = 293 + 80 + 32;

class Dropdown : public EventsTest {};

// The list opens below its field when it fits, shortened to the screen with a scroll bar whose
// thumb keeps 6 pixels; the screen behind, the pointer, its restriction and the clip come back.
TEST_F(Dropdown, PlacementOnScreensOfEverySize) {
  const struct Case {
    int screen_h, entries, index, field_y;
    const char *script;
    int closed, T, H, r, t, f, s, o, index_after;
    double q;
  } cases[] = {{1024, 3, 1, 200, "k27", 0, 205, 45, 3, 0, 0, 1, 0, 1, 0.0},  // fits below
               {600, 40, 30, 300, "k27", 0, 305, 253, 19, 104, 21, 30, 117, 30, 117.0 / 21.0},  // shortened below
               {600, 1000, 500, 300, "k27", 0, 305, 253, 19, 6, 491, 500, 108, 500, 215.0 / 981.0},
               {120, 20, 0, 70, "k336 k13", 1, 38, 19, 1, 0, 1, 1, 0, 1, 0.0}};  // one row: no scroll bar
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.entries << " entries on a screen " << c.screen_h << " high");
    NPIXEL_Y = c.screen_h;
    Entries e(c.entries);
    int index = c.index;
    VIEW_ITEM item = Choice_Item(e, &index);
    msStCu(500, 50);
    std::vector<uint8_t> before = Host_Snapshot();
    int clip[4], clip_after[4];
    pxQVwp(&clip[0], &clip[1], &clip[2], &clip[3]);
    Script(c.script);
    EXPECT_EQ(Run_Choice_Dropdown(300, c.field_y, &item), c.closed);
    EXPECT_NEAR(Last().q, c.q, 1e-12);
    EXPECT_EQ(std::vector<int>({Last().L, Last().R, Last().T, Last().B - Last().T, Last().r, Last().t, Last().f, Last().s, Last().o}),
              std::vector<int>({293, kR, c.T, c.H, c.r, c.t, c.f, c.s, c.o}));
    EXPECT_EQ(index, c.index_after);
    EXPECT_EQ(Host_Region_Diff(before, Last().L, Last().T, Last().R, Last().B), 0);
    int x = 0, y = 0;
    msStat(&x, &y);
    EXPECT_EQ(x * 10000 + y, 500 * 10000 + 50);
    EXPECT_EQ(Host_Pointer_Restriction(nullptr), 0);
    pxQVwp(&clip_after[0], &clip_after[1], &clip_after[2], &clip_after[3]);
    EXPECT_EQ(std::vector<int>(clip, clip + 4), std::vector<int>(clip_after, clip_after + 4));
  }
}

// Keys (stopping at the ends), clicks on rows of plain and scrolled lists, the held arrow
// (every 100 ms), track, thumb and wheel; an index outside the entries is kept on Esc.
TEST_F(Dropdown, KeysClicksArrowsTrackThumbAndWheel) {
  const struct Case {
    int screen_h, entries, index, field_y;
    std::string script;
    int closed, index_after, f, s, o, sleeps;
  } cases[] = {
      {1024, 3, 0, 200, "k328 k13", 1, 0, -1, -1, -1, -1},
      {1024, 3, 2, 200, "k336 k13", 1, 2, -1, -1, -1, -1},
      {1024, 3, 2, 200, "k331", 0, 2, -1, -1, -1, -1},
      {1024, 3, 7, 200, "k27", 0, 7, -1, 0, -1, -1},
      {1024, 3, -3, 200, "k336 k13", 1, 1, -1, -1, -1, -1},
      {1024, 3, 0, 200, "c320,238", 0, 2, -1, -1, -1, -1},  // rows at T + 13 i: the third
      {600, 40, 30, 300, "c320,338", 0, 23, 21, -1, -1, -1},  // the third shown row: 21 + 2
      // The up arrow at (R − 8, T + 8) held 350 ms; a press below the thumb pages to the end
      // (f = 21), the thumb (now at o = 117) dragged up by 58: f = trunc((−58 + 117 − 0.5) / q).
      {600, 40, 30, 300, "m397,313 p1 w350 r1 k13", 1, 26, 17, 26, int(17 * 117.0 / 21.0 + 0.5), 4},
      {600, 40, 0, 300, "m397,505 p1 r1 m397,443 p1 m397,385 r1 k13", 1, 10, 10, 10, int(10 * 117.0 / 21.0 + 0.5), -1},
      {600, 40, 0, 300, "W-1 W-1 W1 k13", 1, 1, 1, -1, -1, -1},
      {120, 20, 4, 70, "W-1 k27", 0, 4, 4, 4, -1, -1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.script + " from " + std::to_string(c.index));
    Host_Test_Reset();
    Set_MouseWheel_Activity(1);
    NPIXEL_Y = c.screen_h;
    Entries e(c.entries);
    int index = c.index;
    VIEW_ITEM item = Choice_Item(e, &index);
    Script(c.script);
    EXPECT_EQ(std::vector<int>({Run_Choice_Dropdown(300, c.field_y, &item), index, M_LEFT, M_SCROLL}),
              std::vector<int>({c.closed, c.index_after, 0, 0}));
    const int want[4] = {c.f, c.s, c.o, c.sleeps}, got[4] = {Last().f, Last().s, Last().o, Host_Call_Count("YRMSleep")};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(want[k] < 0 ? want[k] : got[k], want[k]) << "f, s, o, sleeps: " << k;
  }
}

TEST_F(Dropdown, ListWithoutEntriesOpensNothing) {
  Entries e(0);
  int index = 0;
  VIEW_ITEM item = Choice_Item(e, &index);
  Host_Clear_Calls();
  EXPECT_EQ(Run_Choice_Dropdown(300, 200, &item), 0);
  EXPECT_TRUE(Host_Calls().empty());
  // On a page, a click on such a field waits for the release and changes nothing.
  int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  Add_Choice_List_to_View_Area(area, 100, 100, e.list.data(), 0x1000, 10, 0, &index, nullptr);
  Update_View_Area_Scrolling(area);
  Host_Clear_Calls();
  Script("c115,135");
  EXPECT_EQ(Handle_View_Area_Event(area), 0);
  EXPECT_EQ(std::vector<int>({Host_Call_Count("Save_Screen_Rectangle"), M_LEFT, index}), std::vector<int>({0, 0, 0}));
}

// Below the field inside the area (pitch 24, T = Y + 26), else onto the rest of the screen:
// r = min((1024 − 250 − 24 − 10) / 24, 30 / 2) = 15.
TEST_F(Dropdown, PictureListPlacement) {
  Make_Test_Strip(30, 20);
  int index = 1;
  VIEW_ITEM item = Picture_Item(5, &index);
  std::vector<uint8_t> before = Host_Snapshot();
  Script("k336 k13");
  EXPECT_EQ(std::vector<int>({Run_Picture_Dropdown(40, 700, 200, 100, &item), index}), std::vector<int>({1, 2}));
  EXPECT_EQ(std::vector<int>({Last().L, Last().R, Last().T, Last().B - Last().T, Last().t}),
            std::vector<int>({200, 260, 126, 5 * 24 + 6, 0}));
  EXPECT_EQ(Host_Region_Diff(before, Last().L, Last().T, Last().R, Last().B), 0);
  EXPECT_EQ(Host_Pointer_Restriction(nullptr), 0);
  VIEW_ITEM long_item = Picture_Item(30, &index);
  Script("k27");
  EXPECT_EQ(std::vector<int>({Run_Picture_Dropdown(40, 300, 200, 250, &long_item), Last().r, Last().T}),
            std::vector<int>({0, 15, 276}));
  EXPECT_GT(Last().t, 0);
}

// The open lists as drawn: a scrolled choice list with its highlighted row, scroll bar and
// thumb; a picture list with the double frame of its highlighted picture.
TEST_F(Dropdown, GoldenOpenLists) {
  Make_Picture_Strip(40, 20, 5);
  Entries e(40);
  pxFgc(WHITE_CI);
  Draw_Choice_Dropdown(100, 107, 80 + 32, 100, 19 * 13 + 6, 0x1000, 3, 19, 104, 40, e.list.data() + 5);
  EXPECT_EQ(pxQFgc(nullptr), WHITE_CI);  // the colour found is given back
  VIEW_ITEM item{};
  item.x2 = 40, item.y2 = 20, item.aux = 5;
  item.text = const_cast<char *>("pictures.bmp");
  Draw_Picture_Dropdown(400, 60, 100, 5 * 24 + 6, 2, 0, 5, 0, 0, &item);
  EXPECT_GOLDEN("dropdown_open.png", 90, 90, 470, 380);
}

}  // namespace
