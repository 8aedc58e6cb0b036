// Property sheets as data: items and their codes, escape areas, scrollable areas, the short
// editors, menus, frames and the restoring of the screen.
#include <algorithm>
#include <cstring>
#include <string>

#include "host/host_test.h"
#include "tests/testsupport/screen_test.h"

namespace {

using HostSheets = HostScreenTest;
using HostShortEdit = HostScreenTest;
using HostMenu = HostScreenTest;

struct DrawCall {
  int own, sx, sy, x1, y1, x2, y2;
  void *record;
};
std::vector<DrawCall> g_draws;
void Record_Draw(int own, int sx, int sy, int x1, int y1, int x2, int y2, void *record) {
  g_draws.push_back({own, sx, sy, x1, y1, x2, y2, record});
}

// A dialog (100, 100)-(500, 400) with an escape area (120, 140)-(480, 300) of code 7.
int Dialog(int *escape = nullptr) {
  int sheet = Define_Prop_Sheet(100, 100, 500, 400, 1, 0, "Tabellenspalte belegen", 11, 1);
  int e = Add_Escape_Area_to_PS(120, 140, 480, 300, 0, 7);
  if (escape) *escape = e;
  return sheet;
}

TEST_F(HostSheets, APressInAnEscapeAreaReturnsItsCodeWithTheButtonDown) {
  Dialog();
  Activate_Prop_Sheet();
  Host_Script_Click(480, 300);  // the last column and row belong to the area
  EXPECT_EQ(std::vector<int>({Edit_Prop_Sheet(), M_LEFT, M_XPOS}), std::vector<int>({7, 1, 480}));
  EXPECT_EQ(Host_Script_Pending(), 1);  // the release is still to come
}

TEST_F(HostSheets, AKeyOverAnEscapeAreaEndsTheNextKeyWaitOnlyAndIsDroppedLater) {
  Dialog();
  int ok = Add_Text_Button_to_PS(300, 350, "OK", 1);
  Activate_Prop_Sheet();
  msStCu(200, 200);
  Host_Script_Key('k');
  EXPECT_EQ(std::vector<int>({Edit_Prop_Sheet(), M_LEFT}), std::vector<int>({7, 0}));
  EXPECT_EQ(GetYRMMessage(0x94022, nullptr), YRM_KEY);  // the view area's hover wait
  YRMMESSAGE rec;
  InitYRMMessage(&rec);
  rec.limit_ms = 100;
  EXPECT_EQ(GetYRMMessage(0x94022 | YRM_LIMIT, &rec), 0);  // and no later one
  EXPECT_EQ(hitkey(), 'k');
  for (const HOST_SHEET_ITEM &it : Host_Sheet_Items())
    if (it.handle == ok) Host_Script_Click((it.x1 + it.x2) / 2, (it.y1 + it.y2) / 2);
  EXPECT_EQ(Edit_Prop_Sheet(), 1);
  EXPECT_EQ(hitkey(), -1);  // nothing took the key: dropped when the sheet waited again
}

TEST_F(HostSheets, MovesReportOnlyWhereSwitchedOn) {
  int escape;
  Dialog(&escape);
  Add_Escape_Area_to_PS(120, 310, 480, 390, 0, 8);
  Activate_Prop_Sheet();
  Host_Script_Move(200, 200);  // area 7 without move events
  Host_Script_Move(200, 350);  // area 8 without move events
  Host_Script_Abort();
  EXPECT_EQ(Edit_Prop_Sheet(), 0);
  Host_Test_Reset();
  Dialog(&escape);
  Set_Escape_Area_to_MouseMoveEvent(escape, 1);
  Activate_Prop_Sheet();
  Script("m600,600 m130,150");
  EXPECT_EQ(std::vector<int>({Edit_Prop_Sheet(), M_XPOS, M_LEFT}), std::vector<int>({7, 130, 0}));
}

// A movable sheet with its title bar and an item of every kind, active and greyed: texts,
// text, image, single and help buttons, radio buttons, number fields, a register with its
// selected tab, and an area scrolled to (100, 300) with the thumbs of both sliders. The sheet
// draws in its own mode and gives the caller's drawing mode back. Then its items answer
// clicks: greyed ones not, help is recorded while the sheet goes on, a click outside has its
// code.
TEST_F(HostSheets, GoldenSheetOfEveryItemKindAndStateAndItsClicks) {
  int choice = 2;
  double v = 12.5;
  Define_Prop_Sheet(100, 100, 500, 400, 1, 0, "Tabellenspalte belegen", 11, 1);
  Add_Text_to_PS(120, 140, "anwenden auf", 0x1000);
  int grey_text = Add_Text_to_PS(120, 155, "gesperrt", 0x1000);
  Add_Radio_Button_to_PS(210, 130, "gesamte Spalte", 228, 141, 1, &choice, 3, RADIO_BUTTON_LAYOUT);
  Add_Radio_Button_to_PS(210, 147, "Zeilenausschnitt", 228, 158, 2, &choice, 3, RADIO_BUTTON_LAYOUT);
  Add_Float_Field_to_PS(120, 170, &v, "%5.1f", 5, 4);
  int grey_field = Add_Float_Field_to_PS(200, 170, &v, "%5.1f", 5, 4);
  Add_Text_Button_to_PS(300, 170, "Weiter", 5);
  int grey_button = Add_Text_Button_to_PS(380, 170, "Nein", 6);
  Add_Image_Button_to_PS(119, 360, SYMBOLIC_BREAK_RASTER, 2);
  Add_Help_to_PS(252, 360, 1, 0, 0, "Spalte");
  int ok = Add_Image_Button_to_PS(385, 360, SYMBOLIC_OK_RASTER, 1);
  Add_Single_Button_to_PS(430, 350, 473, 386, "Buttons.bmp", 9);
  int reg = Add_Register_to_PS(110, 200, 490, 340, 220);
  Add_Register_Member_to_PS(reg, 112, 170, 1000);
  Add_Register_Member_to_PS(reg, 172, 230, 1001);
  Set_Selected_Register_Member(2);
  int area = Add_Scrollable_Area_to_PS(130, 240, 330, 320, 1, 0, 10, 10, Record_Draw, nullptr, 1);
  Add_VSlider_to_Scrollable_Area(area, 5, 10, -1, 0);
  Add_HSlider_to_Scrollable_Area(area, 5, 10, -1, 0);
  for (int handle : {grey_text, grey_field, grey_button}) Change_Activity_PS(handle, -1);
  Resize_Origin_of_Scrollable_Area_PS(area, 1000, 1000);
  Set_Scrollable_Area_PS(area, 100, 300);
  Set_ClickOutsideEvent_to_PS(99);
  pxSBop(3);
  Activate_Prop_Sheet();
  EXPECT_EQ(Golden_Mismatch("tests/host/golden", "sheet_items.png", 100, 100, 500, 400), "");
  std::vector<uint8_t> before = Host_Snapshot();
  pxLine(0, 0, 90, 90);
  pxLine(0, 0, 90, 90);  // the caller's exclusive-or mode is back: twice gives nothing
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, 90, 90), 0);
  pxSBop(0);
  const struct Click {
    const char *script;
    int code;
  } clicks[] = {{"c250,138", 3},                       // the text of the first radio button
                {"c205,175 c260,370 c125,370", 2},     // the greyed field: nothing; help; cancel
                {"c125,175 t8 k13", 4},                // the number field
                {"c180,210", 1001}, {"c390,370", 1}, {"c900,900", 99}};
  for (const Click &c : clicks) EXPECT_EQ((Script(c.script), Edit_Prop_Sheet()), c.code) << c.script;
  EXPECT_EQ(choice, 1);
  EXPECT_DOUBLE_EQ(v, 8.0);
  EXPECT_EQ(Host_Help_Requests(), std::vector<std::string>{"Spalte"});
  Change_Activity_PS(grey_field, 1);
  EXPECT_EQ((Script("c205,175 t12 k13"), Edit_Prop_Sheet()), 4);
  EXPECT_DOUBLE_EQ(v, 12.0);
  EXPECT_EQ(ActivState_of_Button_PS(ok), 1);
  Change_Activity_PS(ok, -1);
  EXPECT_EQ(ActivState_of_Button_PS(ok) + ActivState_of_Button_PS(12345), 0);
  EXPECT_EQ((Script("c390,370 c125,370"), Edit_Prop_Sheet()), 2);  // greyed: no code
}

TEST_F(HostSheets, TheDisplacementMovesHitsAndIsReportedAfterClosing) {
  double v = 1.0;
  Define_Prop_Sheet(100, 100, 400, 300, 1, 0, "Verschoben", 1, 1);
  int b = Add_Text_Button_to_PS(150, 250, "Weiter", 200);
  Add_Float_Field_to_PS(150, 200, &v, "%4.1f", 4, 4);
  Activate_Prop_Sheet();
  Host_Test_Set_Sheet_Displacement(30, 40);
  int dx, dy;
  Inquire_Prop_Sheet_Displacement(&dx, &dy);
  EXPECT_EQ(std::vector<int>({dx, dy}), std::vector<int>({30, 40}));
  Move_Mouse_Cursor_to_Button_of_PS(b, 0);
  int x = M_XPOS, y = M_YPOS;
  EXPECT_GT(x, 180);
  EXPECT_GT(y, 290);
  Script("p1 r1");
  EXPECT_EQ(Edit_Prop_Sheet(), 200);
  Host_Script_Click(150 + 30 + 3, 200 + 40 + 3);  // the number field's editor opens where it is shown
  Script("t3 k13");
  EXPECT_EQ(Edit_Prop_Sheet(), 4);
  EXPECT_DOUBLE_EQ(v, 3.0);
  EXPECT_EQ(std::count(Host_Calls().begin(), Host_Calls().end(), "Short_Edit_Float(180,240,\"%4.1f\")"), 1);
  int r[4];
  ASSERT_EQ(Host_Sheet_Rect(r), 1);
  EXPECT_EQ(r[0], 130);
  Undefine_Prop_Sheet();
  EXPECT_EQ(Host_Sheet_Rect(r), 0);
  Prop_Sheet_Displacement(&dx, &dy);
  EXPECT_EQ(std::vector<int>({dx, dy}), std::vector<int>({30, 40}));
}

TEST_F(HostSheets, UndefineRestoresTheScreenPixelForPixel) {
  pxFgc(Nearest_RGB_Color(0, 90, 0));
  pxRect(0, 0, 700, 700);
  pxFgc(WHITE_CI);
  pxText(120, 200, "Seite darunter", -1);
  std::vector<uint8_t> before = Host_Snapshot();
  double v = 3.0;
  Dialog();
  Add_Float_Field_to_PS(150, 160, &v, "%6.2f", 6, 4);
  Add_Text_Button_to_PS(300, 350, "Weiter", 1);
  int area = Add_Scrollable_Area_to_PS(130, 200, 300, 280, 1, 0, 10, 10, Record_Draw, nullptr, 1);
  Add_VSlider_to_Scrollable_Area(area, 5, 10, -1, 0);
  Activate_Prop_Sheet();
  Draw_Funny_Area_to_PS(4, 128, 198, 302, 282, 0);
  Script("c160,170 t4,5 k13");
  EXPECT_EQ(Edit_Prop_Sheet(), 4);
  EXPECT_GT(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 1000);
  Host_Test_Set_Sheet_Displacement(-40, 25);  // dragged: still restored exactly
  Undefine_Prop_Sheet();
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);
  EXPECT_EQ(Host_Sheet_Depth(), 0);
}

TEST_F(HostSheets, OnlyActivatingAnAreaCallsItsDrawCallback) {
  g_draws.clear();
  int record = 42;
  Dialog();
  int area = Add_Scrollable_Area_to_PS(10, 50, 410, 450, 1, 0, 10, 10, Record_Draw, &record, 1);
  int vs = Add_VSlider_to_Scrollable_Area(area, 5, 10, -1, 0);
  Set_VSlider_Speed(vs, 0.1, 0.0);
  Activate_Prop_Sheet();
  Resize_Origin_of_Scrollable_Area_PS(area, 300, 1000);
  Set_Scrollable_Area_PS(area, 0, 150);
  EXPECT_TRUE(g_draws.empty());
  Change_Activity_PS(area, 0);
  EXPECT_TRUE(g_draws.empty());
  Change_Activity_PS(area, 1);
  ASSERT_EQ(g_draws.size(), 1u);
  EXPECT_EQ(std::vector<int>({g_draws[0].own, g_draws[0].sy, g_draws[0].x1, g_draws[0].y2}), std::vector<int>({area, 150, 10, 450}));
  EXPECT_EQ(g_draws[0].record, &record);
  Host_Test_Set_Sheet_Displacement(5, 6);
  Change_Activity_PS(area, 1);
  ASSERT_EQ(g_draws.size(), 2u);
  EXPECT_EQ(std::vector<int>({g_draws[1].x1, g_draws[1].y1}), std::vector<int>({15, 56}));
}

TEST_F(HostSheets, OffsetsClampToContentLessVisible) {
  Dialog();
  int area = Add_Scrollable_Area_to_PS(10, 50, 410, 450, 1, 0, 10, 10, Record_Draw, nullptr, 1);
  Resize_Origin_of_Scrollable_Area_PS(area, 1000, 1000);  // visible 400 × 400
  int sx = -1, sy = -1;
  Set_Scrollable_Area_PS(area, 700, 700);
  Inquire_Scrollable_Area_PS(area, &sx, &sy);
  EXPECT_EQ(std::vector<int>({sx, sy}), std::vector<int>({600, 600}));
  Set_Scrollable_Area_PS(area, -5, -5);
  Inquire_Scrollable_Area_PS(area, &sx, &sy);
  EXPECT_EQ(std::vector<int>({sx, sy}), std::vector<int>({0, 0}));
  Set_Scrollable_Area_PS(area, 500, 400);
  Resize_Origin_of_Scrollable_Area_PS(area, 300, 700);  // smaller content clamps the kept offset
  Inquire_Scrollable_Area_PS(area, &sx, &sy);
  EXPECT_EQ(std::vector<int>({sx, sy}), std::vector<int>({0, 300}));
  Reshape_Scrollable_Area_PS(area, 10, 50, 410, 650, 5, 10, 5, 10);  // visible height 600
  Inquire_Scrollable_Area_PS(area, &sx, &sy);
  EXPECT_EQ(sy, 100);
  Inquire_Scrollable_Area_PS(area + 100, &sx, &sy);  // unknown handle: left alone
  EXPECT_EQ(sy, 100);
}

TEST_F(HostSheets, TheWheelAndTheSliderScrollTheAreaUnderThePointer) {
  g_draws.clear();
  Set_MouseWheel_Activity(1);
  Dialog();
  int area = Add_Scrollable_Area_to_PS(130, 150, 330, 290, 1, 0, 10, 10, Record_Draw, nullptr, 1);
  int vs = Add_VSlider_to_Scrollable_Area(area, 5, 10, -1, 0);
  Set_VSlider_Speed(vs, 0.1, 0.0);
  Activate_Prop_Sheet();
  Resize_Origin_of_Scrollable_Area_PS(area, 200, 1000);  // visible 200 × 140
  Script("m200,200 W-2 c340,280");  // the slider below its thumb: a page down
  Host_Script_Click(200, 200);
  EXPECT_EQ(std::vector<int>({Edit_Prop_Sheet(), M_SCROLL}), std::vector<int>({7, 0}));
  ASSERT_EQ(g_draws.size(), 2u);
  EXPECT_EQ(g_draws[0].sy, 28);  // two turns of 0.1 × 140
  EXPECT_EQ(g_draws[1].sy, 168);
}

TEST_F(HostSheets, HorizontalSlidersRightPressesAndFrameFlags) {
  g_draws.clear();
  int escape;
  Dialog(&escape);
  int area = Add_Scrollable_Area_to_PS(130, 150, 330, 260, 1, 0, 10, 10, Record_Draw, nullptr, 1);
  int hs = Add_HSlider_to_Scrollable_Area(area, 5, 10, -1, 0);
  Set_HSlider_Speed(hs, 0.5, 0.0);
  Set_Scrollable_Area_PS_Frameflag(area, 0);
  Activate_Prop_Sheet();
  Resize_Origin_of_Scrollable_Area_PS(area, 900, 100);  // visible 200 wide
  Set_MouseWheel_Activity(1);
  Host_Script_Click(320, 270);  // the slider strip right of its thumb: a page right
  Script("m200,200 W-1");  // no vertical slider: the wheel goes right by 0.5 × 200
  Script("m400,200 p2");
  EXPECT_EQ(std::vector<int>({Edit_Prop_Sheet(), M_RIGHT, M_LEFT}), std::vector<int>({7, 1, 0}));
  ASSERT_EQ(g_draws.size(), 2u);
  EXPECT_EQ(std::vector<int>({g_draws[0].sx, g_draws[1].sx}), std::vector<int>({200, 300}));
  std::vector<HOST_SHEET_ITEM> items = Host_Sheet_Items();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[2].kind, "hslider");
  EXPECT_EQ(std::vector<int>({items[2].y1, items[2].y2}), std::vector<int>({261, 277}));
}

// A sheet loop as the view areas run it: the escape area over the area reports moves; the
// area's own wait runs while the button is up and ends on a press, the wheel or leaving.
TEST_F(HostSheets, AViewAreaLoopSeesHoverPressReleaseWheelAndLeaving) {
  Set_MouseWheel_Activity(1);
  int escape;
  Dialog(&escape);
  Set_Escape_Area_to_MouseMoveEvent(escape, 1);
  int done = Add_Text_Button_to_PS(300, 350, "Weiter", 100);
  Activate_Prop_Sheet();
  Host_Script_Move(200, 200);   // into the area
  Script("w300 m210,205");  // hovering
  Script("w100 W-1");  // the wheel ends the area's wait
  Script("w300 p1");  // a click on the area
  Script("w80 r1 w100 m700,700");  // leaving the sheet
  for (const HOST_SHEET_ITEM &it : Host_Sheet_Items())
    if (it.handle == done) Host_Script_Click(it.x1 + 5, it.y1 + 5);
  std::vector<std::string> seen;
  for (int pass = 0; pass < 10; ++pass) {
    int code = Edit_Prop_Sheet();
    if (code == 100) break;
    ASSERT_EQ(code, 7);
    if (!M_LEFT) {
      YRMMESSAGE rec;
      InitYRMMessage(&rec);
      for (;;) {
        int kinds = GetYRMMessage(0x94022, &rec);
        bool outside = M_XPOS < 120 || M_XPOS > 480 || M_YPOS < 140 || M_YPOS > 300;
        seen.push_back(std::to_string(kinds) + "@" + std::to_string(int(Host_Clock_Ms())));
        if (M_LEFT || M_SCROLL || outside || getkeymask()) break;
      }
    }
    if (M_SCROLL) {
      seen.push_back("wheel " + std::to_string(M_SCROLL));
      M_SCROLL = 0;
    }
    if (M_LEFT) {
      seen.push_back("press");
      while (M_LEFT) Get_Mouse_Event();
      seen.push_back("released@" + std::to_string(int(Host_Clock_Ms())));
    }
  }
  const std::vector<std::string> expected = {"2@300", "16384@400", "wheel -1", "press", "released@780"};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(Host_Script_Pending(), 0);
}

TEST_F(HostSheets, ALoopOfLimitedWaitsOnAnEmptyScriptFailsToo) {
  YRMSetTimer(1);
  YRMMESSAGE rec;
  InitYRMMessage(&rec);
  rec.limit_ms = 100;
  EXPECT_THROW(
      {
        for (;;) GetYRMMessage(0x40000022, &rec);
      },
      HostScriptExhausted);
}

TEST_F(HostSheets, TheCallAlwaysFunctionRunsAfterEachEventWhileOn) {
  static int calls;
  calls = 0;
  Define_Call_Allways_Function([] { ++calls; });
  Dialog();
  Activate_Prop_Sheet();
  Script("m600,600 m610,600 c200,200");
  Activate_Call_Allways_Function(1);
  EXPECT_EQ(Edit_Prop_Sheet(), 7);
  EXPECT_EQ(calls, 4);  // two moves, the move onto the area, the press
  Activate_Call_Allways_Function(0);
  Script("m600,600 c200,200");
  EXPECT_EQ(std::vector<int>({Edit_Prop_Sheet(), calls}), std::vector<int>({7, 4}));
}

TEST_F(HostSheets, ClosingTheSheetACallAlwaysFunctionWasDefinedOnDropsIt) {
  static int calls;
  calls = 0;
  Dialog();
  Define_Call_Allways_Function([] { ++calls; });
  Activate_Call_Allways_Function(1);
  Dialog();  // a dialog over it keeps it
  Undefine_Prop_Sheet();
  msStCu(200, 200);
  Host_Script_Press(1);
  EXPECT_EQ(std::vector<int>({Edit_Prop_Sheet(), calls}), std::vector<int>({7, 1}));
  Undefine_Prop_Sheet();
  Dialog();
  Activate_Call_Allways_Function(1);
  Script("r1 p1");
  EXPECT_EQ(std::vector<int>({Edit_Prop_Sheet(), calls}), std::vector<int>({7, 1}));
}

TEST_F(HostSheets, FramesHaveTheirInsetsAndSheetsFitTheScreen) {
  const int styles[] = {1, 2, 3, 4, 5};
  const int insets[] = {1, 1, 2, 2, 2};
  for (int i = 0; i < 5; ++i) {
    Host_Test_Reset();
    std::vector<uint8_t> before = Host_Snapshot();
    Draw_Funny_Area_to_PS(styles[i], 10, 10, 60, 40, 0);
    int d = insets[i];
    EXPECT_EQ(Host_Region_Diff(before, 10 + d, 10 + d, 60 - d, 40 - d), 0) << styles[i];
    EXPECT_GT(Host_Region_Diff(before, 10 + d - 1, 10 + d - 1, 10 + d - 1, 40 - d + 1), 0) << styles[i];
  }
  int x1 = 1200, y1 = -30, x2 = 1400, y2 = 100;
  Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
  EXPECT_EQ(std::vector<int>({x2, x1, y1, y2}), std::vector<int>({NPIXEL_X - 1, NPIXEL_X - 201, 0, 130}));
}

TEST_F(HostSheets, ItemsAreListedForTests) {
  Set_NoFrameFlag_to_Next_PropSheet();
  Set_Prop_Sheet_Screen_Base(2, 2, 1270, 1014);
  Set_Prop_Sheet_Edit_Float_Auto_Mode();
  Define_Prop_Sheet(0, 0, 1279, 1023, 0, 0, "", 305, 1);
  int b = Add_Single_Button_to_PS(10, 10, 44, 29, "Buttons.bmp", 5);
  Reset_Button_Frame(b);
  Set_Comment_to_Button_PS(b, "optische Kontrolle");
  Change_Action_State_PS(b, 0);
  Snap_Colored_Layout_of_Single_Button(b);
  int reg = Add_Register_to_PS(10, 40, 600, 500, 70);
  int m1 = Add_Register_Member_to_PS(reg, 18, 100, 1000);
  int m2 = Add_Register_Member_to_PS(reg, 101, 200, 1001);
  Set_Selected_Register_Member(2);
  Activate_Prop_Sheet();
  Redraw_Item_PS(m2);
  Draw_Funny_Text_to_PS(20, 60, "Seite 1", 0x1002);
  std::vector<HOST_SHEET_ITEM> items = Host_Sheet_Items();
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].kind, "button");
  EXPECT_EQ(std::vector<int>({items[0].code, items[2].handle}), std::vector<int>({5, m1}));
  EXPECT_EQ(items[3].kind, "member");
  EXPECT_EQ(std::vector<int>({items[3].code, Host_Sheet_Depth()}), std::vector<int>({1001, 1}));
  Undefine_Prop_Sheet();
  EXPECT_TRUE(Host_Sheet_Items().empty());
}

// The number editor, one value edited in turn: Enter commits a comma number, Esc restores
// (the box gone), Up and Down commit, bad input keeps the value; the text starts selected:
// Backspace clears it, then typing appends.
TEST_F(HostShortEdit, NumberEditorKeys) {
  const struct Case {
    const char *script;
    int committed;
    double value;
    int key;
  } cases[] = {{"t7,25 k13", 1, 7.25, 13}, {"t99 k27", 0, 7.25, 27},   {"t3.5 k328", 0, 3.5, 328},
               {"t-2 k336", 0, -2.0, 336}, {"t1,2,3 k13", 1, -2.0, 13}, {"k8 t45 k8 k13", 1, 4.0, 13}};
  double v = 1.5;
  std::vector<uint8_t> before = Host_Snapshot();
  for (const Case &c : cases) {
    Script(c.script);
    EXPECT_EQ(Short_Edit_Float(100, 100, "%6.2f", &v), c.committed) << c.script;
    EXPECT_DOUBLE_EQ(v, c.value) << c.script;
    EXPECT_EQ(LAST_SHEET_EDIT_KEY, c.key) << c.script;
    EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);  // the box is gone
  }
}

TEST_F(HostShortEdit, AClickOutsideCommitsAndIsLeftForTheSheet) {
  double v = 0.0;
  Dialog();
  Activate_Prop_Sheet();
  Script("t6 c300,250");
  EXPECT_EQ(Short_Edit_Float(150, 110, "%4.1f", &v), 0);
  EXPECT_DOUBLE_EQ(v, 6.0);
  EXPECT_EQ(LAST_SHEET_EDIT_KEY, 0);
  EXPECT_EQ(Edit_Prop_Sheet(), 7);  // the press of the click
  EXPECT_EQ(M_LEFT, 1);
}

// The text editor takes at most the shown characters, or once the scroll mode's capacity.
TEST_F(HostShortEdit, TextTakesAtMostTheScrollModeCapacityElseTheShownCharacters) {
  const struct Case {
    int capacity, shown;
    const char *script;
    int committed;
    const char *text;
  } cases[] = {{0, 10, "tBeton k13", 1, "Beton"},
               {10, 5, "tBrandschutzbekleidung k13", 1, "Brandschut"},
               {0, 5, "tHolzbauteil k336", 0, "Holzb"},
               {0, 5, "txyz k27", 0, "Holzb"}};
  char buf[41] = "Stahl";
  for (const Case &c : cases) {
    if (c.capacity) Set_Short_Edit_Text_Scrollmode(c.capacity);
    Script(c.script);
    EXPECT_EQ(Short_Edit_Text(100, 100, buf, c.shown, 0), c.committed) << c.script;
    EXPECT_STREQ(buf, c.text);
  }
  EXPECT_EQ(LAST_SHEET_EDIT_KEY, 27);
}

TEST_F(HostShortEdit, AnExhaustedScriptInAnEditorFailsTheTest) {
  double v = 1.0;
  Host_Script_Text("12");
  try {
    Short_Edit_Float(100, 100, "%4.1f", &v);
    FAIL() << "no exception";
  } catch (const HostScriptExhausted &e) {
    EXPECT_NE(std::string(e.what()).find("short editor"), std::string::npos) << e.what();
  }
  Host_Test_Reset();
  Dialog();
  try {
    Edit_Prop_Sheet();
    FAIL() << "no exception";
  } catch (const HostScriptExhausted &e) {
    EXPECT_NE(std::string(e.what()).find("in Edit_Prop_Sheet"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("Define_Prop_Sheet(100,100,500,400"), std::string::npos);
  }
}

int g_sort_calls, g_fill_calls, g_sub_calls;
void Sort_Action() { ++g_sort_calls; }
void Fill_Action() { ++g_fill_calls; }
void Sub_Action() { ++g_sub_calls; }

TEST_F(HostMenu, AnEntryRunsItsActionOnceAndASubMenuOpensOnHover) {
  g_sort_calls = g_fill_calls = g_sub_calls = 0;
  MENUE_ITEM sub_items[2] = {{"aufsteigend", "", " ", 1, Sub_Action, nullptr},
                             {"absteigend", "", " ", 1, Sort_Action, nullptr}};
  MENUE sub = {2, 11, 1, 0, 1, sub_items};
  MENUE_ITEM items[3] = {{"Spalte sortieren", "", " ", 1, nullptr, &sub},
                         {"Spalte belegen", "", " ", 1, Fill_Action, nullptr},
                         {"gesperrt", "", " ", 0, Fill_Action, nullptr}};
  MENUE menu = {3, 16, 1, 0, 1, items};
  std::vector<uint8_t> before = Host_Snapshot();
  msStCu(300, 300);
  Host_Script_Click(320, 310 + 16);  // row 2
  EXPECT_EQ(Menue_Manager(&menu), 1);
  EXPECT_EQ(g_fill_calls, 1);
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);

  msStCu(300, 300);
  int w = 16 * 7 + 24;
  Host_Script_Move(320, 310);  // onto row 1: the sub-menu opens beside it
  Host_Script_Click(300 + w + 10, 302 + 8);
  EXPECT_EQ(std::vector<int>({Menue_Manager(&menu), g_sub_calls, g_sort_calls, g_fill_calls}),
            std::vector<int>({1, 1, 0, 1}));

  msStCu(300, 300);
  Host_Script_Click(320, 310 + 32);  // the greyed row
  Host_Script_Key(27);
  EXPECT_EQ(std::vector<int>({Menue_Manager(&menu), g_fill_calls}), std::vector<int>({0, 1}));
  msStCu(300, 300);
  Host_Script_Click(900, 900);  // a press outside leaves it
  EXPECT_EQ(Menue_Manager(&menu), 0);
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);
}

TEST_F(HostMenu, TheSpecialCharacterPickerGivesTheClickedByte) {
  msStCu(200, 200);
  Host_Script_Click(200 + 16 * 6 + 8, 208);  // the seventh cell: sharp s
  EXPECT_EQ(Get_UserSelected_SpecialCharacter(), 0xE1);
  Host_Script_Key(27);
  EXPECT_EQ(Get_UserSelected_SpecialCharacter(), -1);
}

}  // namespace
