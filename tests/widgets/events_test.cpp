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
int g_change_calls = 0, g_change_value = -1, g_active = 1;
int g[2];  // targets of the hit tests

// The page of the tests: a check box (with a change function), a number field, a text field
// and a choice list bound to the record in this order.
void Build_Page(int area, PageRecord *rec) {
  Clear_View_Area_Items(area);
  Add_Check_Box_to_View_Area(area, 100, 40, nullptr, 0x1000, 0, &rec->flag, &g_active);
  Set_View_Item_Change_Callback(area, static_cast<VIEW_CHANGE_INT_FN>([](int v) { ++g_change_calls, g_change_value = v; }));
  Add_Float_Field_to_View_Area(area, 100, 80, &rec->value, "%.3f", 0x1000, 0, &g_active);
  Add_Text_Field_to_View_Area(area, 100, 120, rec->text, 0x1000, 0, &g_active);
  Add_Choice_List_to_View_Area(area, 100, 160, kEntries, 0x1000, 10, 3, &rec->choice, &g_active);
  Update_View_Area_Scrolling(area);
}

// An area (10, 40)-(910, 700) with a vertical slider on the activated sheet, with an escape
// area of code 100 over it when asked.
int Area(bool escape = false) {
  if (escape) Add_Escape_Area_to_PS(10, 40, 910, 700, 0, 100);
  int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  return area;
}

class ViewEvents : public EventsTest {
 protected:
  void SetUp() override {
    EventsTest::SetUp();
    g_change_calls = 0, g_change_value = -1, g_active = 1;
  }
};

TEST_F(ViewEvents, OneClickSetsTheBoxCallsTheChangeFunctionAndPaintsTheMark) {
  PageRecord rec;
  int area = Area(true);
  int w = 0, h = 0;
  Get_View_Area_Visible_Size(area, &w, &h);
  EXPECT_EQ(std::vector<int>({w, h}), std::vector<int>({883, 660}));
  Host_Clear_Calls();
  Build_Page(area, &rec);
  EXPECT_EQ(Host_Call_Count("draw callback"), 1);
  EXPECT_EQ(Pixel_RGB(95, 77), (RGB{255, 251, 240}));  // the unset box is hollow
  Script("c95,77");
  EXPECT_EQ(Handle_View_Area_Event(area), 1);
  EXPECT_EQ(rec.flag, 1);
  EXPECT_EQ(g_change_calls, 1);
  EXPECT_EQ(g_change_value, 1);
  EXPECT_EQ(Host_Pixel(95, 77), 0);
  EXPECT_EQ(M_LEFT, 0);  // returned after the release
}

// The sheet loop as a page runs it: every field of the record edited, the page rebuilt after
// each change (the live blocks stay flat), nothing left of the script.
TEST_F(ViewEvents, WholeLoopEditsEveryFieldOfTheRecordAndRebuildsKeepTheBlockCount) {
  long start = Tools_Live_Blocks();
  {
    PageRecord rec;
    int area = Area(true);
    Build_Page(area, &rec);
    long one = Tools_Live_Blocks();
    for (int i = 0; i < 100; ++i) Build_Page(area, &rec);
    EXPECT_EQ(Tools_Live_Blocks(), one);
    Script("c115,155 txyz k27");  // a text field's edit buffer comes and goes
    EXPECT_EQ(Handle_View_Area_Event(area), 1);
    EXPECT_EQ(Tools_Live_Blocks(), one);
    Script("c120,115 t7,25 k13 tabc k13 k336 k13 c95,77");  // Down in the choice's drop-down
    Host_Test_Set_Policy(HOST_SCRIPT_SOFT);
    for (int guard = 0; guard < 50; ++guard) {
      int code = Edit_Prop_Sheet();
      if (code == 0) break;
      if (code == 100 && Handle_View_Area_Event(area)) Build_Page(area, &rec);
    }
    EXPECT_DOUBLE_EQ(rec.value, 7.25);
    EXPECT_STREQ(rec.text, "abc");
    EXPECT_EQ(std::vector<int>({rec.choice, rec.flag, Host_Script_Pending()}), std::vector<int>({2, 1, 0}));
    Remove_All_View_Areas();
    Undefine_Prop_Sheet();
  }
  EXPECT_EQ(Tools_Live_Blocks(), start);
}

// ------------------------------------------------------------------- field chain

TEST_F(ViewEvents, EnterWalksOnAndScrollsTheNextFieldIntoView) {
  double v[3] = {0.0, 0.0, 9.0};
  int area = Area();
  for (int i = 0; i < 3; ++i) Add_Float_Field_to_View_Area(area, 100, i < 2 ? 40 + 40 * i : 1000, &v[i], "%.3f", 0x1000, 0, nullptr);
  Update_View_Area_Scrolling(area);
  Script("c120,75 t1 k13 t2 k13 t3 k27");
  EXPECT_EQ(Handle_View_Area_Event(area), 1);
  EXPECT_EQ(std::vector<double>(v, v + 3), (std::vector<double>{1, 2, 9}));
  int sx = -1, sy = -1;
  Inquire_View_Area_Scroll(area, &sx, &sy);
  EXPECT_EQ(std::vector<int>({sx, sy, Get_Scrollable_View_Area(area)->scroll_y}),
            std::vector<int>({0, 345, 345}));
  // The third field was edited where it then stood: at y 40 + 1000 − 345 on the screen.
  std::vector<std::vector<int>> edits;
  for (const std::vector<int> &call : Calls_Args("Short_Edit_Float"))
    if (call.size() == 3) edits.push_back(call);  // the calls, not their results
  ASSERT_EQ(edits.size(), 3u);
  EXPECT_EQ(edits[2][1], 40 + 1000 - 345 - 14);
}

TEST_F(ViewEvents, InactiveFieldsAndEmptyChoicesArePassedOver) {
  double a = 1, b = 2, c = 3;
  int off = 0, empty_index = 0;
  char text[6] = "hallo";
  int area = Area();
  Add_Float_Field_to_View_Area(area, 100, 40, &a, "%.1f", 0x1000, 0, nullptr);
  Add_Float_Field_to_View_Area(area, 100, 80, &b, "%.1f", 0x1000, 0, &off);
  Add_Choice_List_to_View_Area(area, 100, 120, kEntries, 0x1000, 10, 0, &empty_index, nullptr);
  Add_Text_Field_to_View_Area(area, 100, 160, text, 0x1000, 0, nullptr);
  Add_Float_Field_to_View_Area(area, 100, 200, &c, "%.1f", 0x1000, 0, nullptr);
  Update_View_Area_Scrolling(area);
  Script("c115,75 t5 k13 tab k13 t7 k328");  // Up ends the chain with the value taken
  EXPECT_EQ(Handle_View_Area_Event(area), 1);
  EXPECT_EQ(std::vector<double>({a, b, c}), (std::vector<double>{5, 2, 7}));
  EXPECT_STREQ(text, "ab");
  EXPECT_EQ(empty_index, 0);
}

TEST_F(ViewEvents, PictureChoiceOpensItsListInsideTheAreaAndGoesOn) {
  Make_Picture_Strip(40, 20, 4);
  int picture = 0;
  double v = 1;
  int area = Area();
  Add_Picture_Choice_to_View_Area(area, 100, 100, "pictures.bmp", 40, 20, 4, 0, &picture, nullptr);
  Set_View_Item_Change_Callback(area, static_cast<VIEW_CHANGE_INT_FN>([](int) { ++g_change_calls; }));
  Add_Float_Field_to_View_Area(area, 100, 200, &v, "%.1f", 0x1000, 0, nullptr);
  Update_View_Area_Scrolling(area);
  Script("c150,150 k336 k336 k13 t4 k27");  // the field's box: (110, 140) to (170, 166)
  EXPECT_EQ(std::vector<int>({Handle_View_Area_Event(area), picture, g_change_calls}),
            std::vector<int>({1, 2, 1}));
  EXPECT_DOUBLE_EQ(v, 1.0);  // Esc keeps the number
  EXPECT_EQ(Host_Call_Count("Short_Edit_Float"), 2);  // the call and its result
  // Below the field: T = Y + 26 (picture height 20 + 5, made even).
  EXPECT_EQ(std::vector<int>({Dropdown_Last_State()->T, Dropdown_Last_State()->L}), std::vector<int>({140 + 26, 110}));
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

TEST_F(ViewEvents, ChangeFunctionThatRebuildsThePageEndsTheChain) {
  g_rebuild_area = Area();
  Rebuild_Two_Fields(nullptr);
  Script("c115,75 t6 k13");
  EXPECT_EQ(Handle_View_Area_Event(g_rebuild_area), 1);
  EXPECT_DOUBLE_EQ(g_rebuild_values[0], 6.0);
  EXPECT_EQ(Host_Call_Count("Short_Edit_Float"), 2);  // one edit (call and result): no second field
}

TEST_F(ViewEvents, TextFieldKeepsItsCapacityAboveTheOldBufferSize) {
  // A capacity of 600 characters: the whole text comes back, nothing beyond it is written.
  std::vector<char> buffer(700, 'q');
  std::memset(buffer.data(), 'a', 600);
  buffer[600] = '\0';
  int area = Area();
  Add_Text_Field_to_View_Area(area, 100, 40, buffer.data(), 0x1000, 0, nullptr);
  Set_View_Text_Field_Width(area, 20);
  Update_View_Area_Scrolling(area);
  Script("c115,75 k335 tzzzzz k13");  // End keeps the text; the field is full: nothing more goes in
  EXPECT_EQ(std::vector<int>({Handle_View_Area_Event(area), int(std::strlen(buffer.data())), buffer[599], buffer[601]}),
            std::vector<int>({1, 600, 'a', 'q'}));
  std::vector<std::vector<int>> edits = Calls_Args("Short_Edit_Text");
  ASSERT_EQ(edits.size(), 1u);
  EXPECT_EQ(edits[0][2], 20);  // characters shown
}

// ------------------------------------------------------------------- hit rules and reactions

// Scripted clicks (with an editor's key when not 0) on a page of items bound to g[0] and g[1]:
// what the handler returns and both values after each click.
TEST_F(ViewEvents, HitRulesAndReactions) {
  struct Click {
    int x, y, key, handled, g0, g1;
  };
  const struct Case {
    const char *what;
    int g0;
    void (*build)(int area);
    std::vector<Click> clicks;
  } cases[] = {
      {"any click clears the selected list row", 5,
       [](int a) { Add_List_Row_to_View_Area(a, 100, 300, "Zeile", 0x1000, 0, 0, 3, 5, &g[0]); },
       {{600, 600, 0, 1, 0, 0}, {600, 600, 0, 0, 0, 0}, {112, 338, 0, 1, 5, 0}}},
      {"the first of overlapping items wins", 0,
       [](int a) { Add_Click_Spot_to_View_Area(a, 100, 100, 200, 200, 1, &g[0]), Add_Click_Spot_to_View_Area(a, 150, 150, 250, 250, 2, &g[1]); },
       {{180, 210, 0, 1, 1, 0}, {250, 280, 0, 1, 1, 2}}},
      {"an inactive item passes the click on", 0,
       [](int a) {
         static int off = 0;
         Add_Check_Box_to_View_Area(a, 100, 100, "Kasten", 0x1000, 0, &g[0], &off);
         Add_Click_Spot_to_View_Area(a, 70, 80, 200, 110, 9, &g[1]);
       },
       {{105, 135, 0, 1, 0, 9}}},
      {"a check box without label is hit only on its box", 0,
       [](int a) { Add_Check_Box_to_View_Area(a, 100, 100, nullptr, 0x1000, 0, &g[0], nullptr); },
       {{89, 140, 0, 0, 0, 0}, {102, 140, 0, 0, 0, 0}, {90, 140, 0, 1, 1, 0}, {101, 130, 0, 1, 0, 0}, {101, 143, 0, 0, 0, 0}}},
      {"a radio button takes its value; the change function runs each time", 0,
       [](int a) {
         Add_Radio_Button_to_View_Area(a, 100, 100, "A", 0x1000, 0, 1, &g[0], nullptr);
         Add_Radio_Button_to_View_Area(a, 100, 130, "B", 0x1000, 0, 2, &g[0], nullptr);
         Set_View_Item_Change_Callback(a, static_cast<VIEW_CHANGE_INT_FN>([](int v) { g[1] += v; }));
       },
       {{110, 170, 0, 1, 2, 2}, {110, 170, 0, 1, 2, 4}, {110, 140, 0, 1, 1, 4}}},
      {"a field must lie 12 below the top edge", 0,
       [](int a) {
         static char text[4] = "abc";
         Add_Text_Field_to_View_Area(a, 100, 11, text, 0x1000, 0, nullptr);
         Add_Text_Field_to_View_Area(a, 300, 12, text, 0x1000, 0, nullptr);
       },
       {{120, 51, 0, 0, 0, 0}, {320, 52, 27, 1, 0, 0}}},
      {"a field at 657 lies above the bottom edge, one at 658 not", 0,
       [](int a) {
         static double v = 1;
         Add_Float_Field_to_View_Area(a, 100, 657, &v, "%.1f", 0x1000, 0, nullptr);
         Add_Float_Field_to_View_Area(a, 300, 658, &v, "%.1f", 0x1000, 0, nullptr);
       },
       {{115, 697, 27, 1, 0, 0}, {315, 698, 0, 0, 0, 0}}},
  };
  int area = Area();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    Clear_View_Area_Items(area);
    g[0] = c.g0, g[1] = 0;
    c.build(area);
    Update_View_Area_Scrolling(area);
    for (const Click &k : c.clicks) {
      Host_Script_Click(k.x, k.y);
      if (k.key) Host_Script_Key(k.key);
      EXPECT_EQ(std::vector<int>({Handle_View_Area_Event(area), g[0], g[1]}), std::vector<int>({k.handled, k.g0, k.g1}))
          << k.x << "," << k.y;
    }
  }
}

TEST_F(ViewEvents, BitmapButtonWritesItsCodeWhenReleasedOutside) {
  Make_Test_Strip(30, 20);
  int code = 0;
  int area = Area();
  Add_Bitmap_Button_to_View_Area(area, 100, 100, 30, 20, "strip.bmp", 0, Nearest_RGB_Color(255, 0, 255), 0,
                                 nullptr, 44, &code, nullptr);
  Update_View_Area_Scrolling(area);
  Host_Clear_Calls();
  Script("m115,150 p1 m400,400 r1");
  EXPECT_EQ(std::vector<int>({Handle_View_Area_Event(area), code}), std::vector<int>({1, 44}));
  // Pressed image (source x 90..119) while held, then the normal one (30..59).
  std::vector<std::vector<int>> dib = Calls_Args("pxDrawPartialTransparentDIB");
  int pressed = -1, normal_after = -1;
  for (size_t i = 0; i < dib.size(); ++i) {
    if (dib[i][1] == 90 && dib[i][3] == 119 && pressed < 0) pressed = static_cast<int>(i);
    if (dib[i][1] == 30 && pressed >= 0 && normal_after < 0) normal_after = static_cast<int>(i);
  }
  EXPECT_GE(pressed, 0);
  EXPECT_GT(normal_after, pressed);
  int c[4];  // the clip rectangle in force before is back
  pxQVwp(&c[0], &c[1], &c[2], &c[3]);
  EXPECT_EQ(std::vector<int>({c[0], c[2]}), std::vector<int>({0, NPIXEL_X - 1}));
}

TEST_F(ViewEvents, InvalidAreasChangeNothing) {
  EXPECT_EQ(std::vector<int>({Handle_View_Area_Event(-1), Handle_View_Area_Event(20)}), std::vector<int>({0, 0}));
  EXPECT_EQ(Handle_View_Area_Event(5), 0);  // a free slot
  int w = -7, h = -7;
  Get_View_Area_Content_Size(5, &w, &h);
  EXPECT_EQ(std::vector<int>({w, h, Handle_View_Area_Event(Reserve_Scrollable_View_Area())}),
            std::vector<int>({-7, -7, 0}));
}

// ------------------------------------------------------------------- short keys

// A short key reaches its target only when its switch is on and it has one; otherwise the key
// stays waiting (the pointer leaving the area ends the wait).
TEST_F(ViewEvents, ShortKeysBySwitchAndTarget) {
  const struct Case {
    const char *ok, *brk, *script;
    int handled, target, waiting, sheet = 0;  // sheet: the sheet's wait saw the key first
    const char *help = nullptr;               // the help switch; with it Esc and F1 get targets
  } cases[] = {{"1", nullptr, "k13", 1, 42, -1},
               {nullptr, "1", "k27", 1, 43, -1, 0, "0"},
               {nullptr, nullptr, "k315", 1, 44, -1, 0, "1"},
               {nullptr, nullptr, "k315 w10 m1000,900", 0, 0, 315, 0, "0"},
               {"1", nullptr, "k13", 1, 42, -1, 1},
               {"1", nullptr, "k27 w10 m1000,900", 0, 0, 27},  // Esc with the break switch off
               {nullptr, nullptr, "k13 w10 m1000,900", 0, 0, 13},
               {nullptr, "1", "k27", 0, 0, 27},  // the break switch has no target
               {nullptr, nullptr, "A", 0, 0, -1}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.script);
    Host_Test_Reset();
    Host_Set_User_String("UseSheetOkShortKey", c.ok);
    Host_Set_User_String("UseSheetBreakShortKey", c.brk);
    Host_Set_User_String("UseSheetHelpShortKey", c.help);
    Set_NoFrameFlag_to_Next_PropSheet();
    Define_Prop_Sheet(0, 0, 1279, 1023, 0, 0, "", 0, 0);
    int area = Area(c.sheet), target = 0;
    Set_View_Area_Ok_Key_Target(area, 42, &target);
    if (c.help) {
      Set_View_Area_Break_Key_Target(area, 43, &target);
      Set_View_Area_Help_Key_Target(area, 44, &target);
    }
    Update_View_Area_Scrolling(area);
    msStCu(300, 300);
    Script(c.script);
    EXPECT_EQ(c.sheet ? Edit_Prop_Sheet() : 100, 100);
    EXPECT_EQ(std::vector<int>({Handle_View_Area_Event(area), target, hitkey()}),
              std::vector<int>({c.handled, c.target, c.waiting}));
    Remove_All_View_Areas();
  }
}

// ------------------------------------------------------------------- scroll services

TEST_F(ViewEvents, ScrollFractionsAndScrollByStopAtTheEnds) {
  int area = Create_Scrollable_View_Area(0, 0, 400, 317, 1, 0);  // visible 400 × 300
  Activate_Prop_Sheet();
  Add_Box_to_View_Area(area, 0, 0, 1000, 300, 0);
  SCROLLABLE_VIEW_AREA *a = Get_Scrollable_View_Area(area);
  a->scroll_y = 17;
  Set_View_Area_Scroll_Fraction(area, 0.5, -1);
  EXPECT_EQ(std::vector<int>({a->scroll_x, a->scroll_y}), std::vector<int>({300, 17}));
  Set_View_Area_Scroll_Fraction(area, 2.0, 0.5);
  EXPECT_EQ(a->scroll_x, 600);
  EXPECT_EQ(a->scroll_y, 17);  // no vertical slider
  double fx = -1, fy = -1;
  Get_View_Area_Scroll_Fraction(area, &fx, &fy);
  EXPECT_DOUBLE_EQ(fx, 1.0);
  EXPECT_DOUBLE_EQ(fy, 0.0);
  a->scroll_x = 20;
  Update_View_Area_Scrolling(area);
  int dx = -50, dy = 5;
  Scroll_View_Area_by(area, &dx, &dy);
  EXPECT_EQ(std::vector<int>({a->scroll_x, dx}), std::vector<int>({0, -20}));
  EXPECT_EQ(dy, 5);  // no vertical slider: left as given
  // The host was not told: the next move starts again from its offset 20.
  dx = 900;
  Scroll_View_Area_by(area, &dx, nullptr);
  EXPECT_EQ(std::vector<int>({dx, a->scroll_x}), std::vector<int>({580, 600}));
  // Content that fits has no range: fraction 0.
  Clear_View_Area_Items(area);
  Add_Box_to_View_Area(area, 0, 0, 300, 300, 0);
  Get_View_Area_Scroll_Fraction(area, &fx, &fy);
  EXPECT_DOUBLE_EQ(fx, 0.0);
}

TEST_F(ViewEvents, SmoothScrollToARectangle) {
  int area = Area();
  Add_Box_to_View_Area(area, 0, 0, 500, 2000, 0);  // narrower than the area, taller
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
    EXPECT_EQ(std::vector<int>({sets[k][1], sets[k][2]}), std::vector<int>({0, 38 * (k + 1)}));
  }
  EXPECT_EQ(Host_Call_Count("YRMSleep"), 10);
  EXPECT_EQ(Host_Clock_Ms() - t0, 300.0);
  EXPECT_EQ(Host_Item_State(Get_Scrollable_View_Area(area)->vslider), 1);  // by the height
  int sx = -1, sy = -1;
  Inquire_View_Area_Scroll(area, &sx, &sy);
  EXPECT_EQ(std::vector<int>({sx, sy}), std::vector<int>({0, 380}));
  // Back up: the upper end meets the top edge.
  Scroll_View_Area_to_Rectangle(area, 0, 100, 100, 140);
  Inquire_View_Area_Scroll(area, &sx, &sy);
  EXPECT_EQ(sy, 100);
}

}  // namespace
