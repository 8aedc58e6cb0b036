// Widget sheets through the host's call trace: the simple register sheet (layout, passes,
// pages in state 0, pages without build, value levels at closing), the buttons of every
// sheet kind, and the accessors of the innermost sheet.
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "support/cp850.h"
#include "tests/widgets/widgets_fixture.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"
#include "widgets/widget_sheets.h"

namespace {

// Clicks the item of the top sheet that answers code (0: the host aborts the wait).
void Click_Code(int code) {
  if (code == 0) {
    Host_Script_Abort();
    return;
  }
  int dx = 0, dy = 0;
  Inquire_Prop_Sheet_Displacement(&dx, &dy);
  for (const HOST_SHEET_ITEM &it : Host_Sheet_Items())
    if (it.code == code && it.state == 1 && it.kind != "area") {
      Host_Script_Click((it.x1 + it.x2) / 2 + dx, (it.y1 + it.y2) / 2 + dy);
      return;
    }
  ADD_FAILURE() << "no active item with code " << code;
  Host_Script_Abort();
}

// The calls of the trace whose text starts with one of the names, blank-separated.
std::string Trace_Of(std::initializer_list<const char *> names) {
  std::string out;
  for (const std::string &c : Host_Calls())
    for (const char *n : names)
      if (c.rfind(std::string(n) + "(", 0) == 0) out += (out.empty() ? "" : " ") + c;
  return out;
}

// What the sheet under test calls back: one hook per pass (the status line), the builds.
struct SheetProbe {
  std::function<void(int pass)> pass;
  std::function<void(int page)> build;
  std::function<int(int page)> apply;
  int passes = 0;
  std::string built;
} *probe = nullptr;

void Status_Line(char *text) {
  std::snprintf(text, 200, "Durchgang %d", probe->passes);
  if (probe->pass) probe->pass(probe->passes);
  ++probe->passes;
}
void Build_Page(int area, int) {
  (void)area;
  const int page = Get_Widget_Sheet_Page();
  probe->built += (probe->built.empty() ? "" : " ") + std::to_string(page);
  if (probe->build) probe->build(page);
}
int Apply_Page(int) { return probe->apply ? probe->apply(Get_Widget_Sheet_Page()) : 0; }

class RegisterSheets : public WidgetsTest {
 protected:
  void SetUp() override {
    WidgetsTest::SetUp();
    probe = &p;
    Init_Widget_Sheet_Pages(3, pages);
    const char *titles[3] = {"Beton", "Stahl", "Lasten"};
    for (int i = 0; i < 3; ++i) {
      std::snprintf(pages[i].tab_title, sizeof pages[i].tab_title, "%s", titles[i]);
      pages[i].build = &Build_Page;
      pages[i].apply = &Apply_Page;
    }
  }
  SheetProbe p;
  WIDGET_SHEET_PAGE pages[3];
};

}  // namespace

// Layout of the simple sheet by its constants: one page of 300 × 200 (margin 7, no register,
// help in the centre) and three pages of 400 × 150 with a status line (margin 10, tab row 30,
// tabs (400 + 20 − 2) / 3 = 139 wide, help at left + 40); number 140; the pointer goes to
// "abbrechen" unless switched off.
TEST_F(RegisterSheets, SimpleSheetLayout) {
  struct Case {
    int count, height, width;
    bool status, jump;
    const char *trace;
    int area[4];
  } cases[] = {
      {1, 200, 300, false, true,
       "Define_Prop_Sheet(476,373,804,652,1,0,\"Eingabe\",140,1) "
       "Add_Image_Button_to_PS(480,623,2,1) Add_Help_to_PS(640,623,1,0,0,\"hilfe_beton\") "
       "Add_Image_Button_to_PS(777,623,1,2)",
       {490, 415, 790, 615}},
      {3, 150, 400, true, false,
       "Define_Prop_Sheet(420,375,860,650,1,0,\"Eingabe\",140,1) Add_Register_Member_to_PS(R,430,569,1000) "
       "Add_Register_Member_to_PS(R,570,709,1001) Add_Register_Member_to_PS(R,710,849,1002) "
       "Add_Image_Button_to_PS(427,621,2,1) Add_Help_to_PS(460,621,1,0,0,\"hilfe_beton\") "
       "Add_Image_Button_to_PS(830,621,1,2)",
       {440, 455, 840, 605}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.count);
    Host_Clear_Calls();
    p = SheetProbe{};
    msStCu(0, 0);
    c.jump ? Enable_Widget_Sheet_Pointer_Jump() : Disable_Widget_Sheet_Pointer_Jump();
    std::vector<HOST_SHEET_ITEM> items;
    int mouse[2] = {0, 0};
    auto look = [&](int) {
      items = Host_Sheet_Items();
      mouse[0] = M_XPOS, mouse[1] = M_YPOS;
      Click_Code(1);
    };
    pages[1].state = c.count > 1 ? 0 : 1;  // greyed tab
    if (c.status) {
      // Page 2 chosen, then the picture of the sheet with its tabs, buttons and status line.
      p.pass = [&](int pass) {
        if (pass == 0) {
          mouse[0] = M_XPOS, mouse[1] = M_YPOS;
          Click_Code(1002);
          return;
        }
        if (pass == 1) {
          Click_Code(2002);  // into the page: the tabs stay as drawn
          return;
        }
        EXPECT_GOLDEN("simple_sheet.png", 420, 375, 860, 650);
        items = Host_Sheet_Items();
        Click_Code(1);
      };
    } else {
      p.build = look;
    }
    EXPECT_EQ(Run_Simple_Widget_Register_Sheet(c.height, c.width, "Eingabe", c.count, pages,
                                               c.status ? &Status_Line : nullptr, "hilfe_beton"),
              0);
    const std::string trace = Trace_Of({"Define_Prop_Sheet", "Add_Register_Member_to_PS", "Add_Image_Button_to_PS",
                                        "Add_Help_to_PS"});
    // The member calls name the register by its handle.
    std::string expected = c.trace;
    for (const HOST_SHEET_ITEM &it : items)
      if (it.kind == "register")
        for (std::size_t at; (at = expected.find("PS(R,")) != std::string::npos;)
          expected.replace(at + 3, 1, std::to_string(it.handle));
    EXPECT_EQ(trace, expected);
    int areas = 0, escapes = 0;
    for (const HOST_SHEET_ITEM &it : items) {
      if (it.kind == "area") {
        ++areas;
        EXPECT_EQ((std::vector<int>{it.x1, it.y1, it.x2, it.y2}),
                  (std::vector<int>{c.area[0], c.area[1], c.area[2], c.area[3]}));
      }
      escapes += it.kind == "escape" && it.code >= 2000;
      if (it.kind == "image button") {
        EXPECT_EQ(it.comment, it.code == 1 ? "abbrechen" : "bestätigen"_cp);
      }
    }
    EXPECT_EQ(areas, c.count);
    EXPECT_EQ(escapes, c.count);
    // The pointer on "abbrechen" (its centre), or left where it was.
    EXPECT_EQ(mouse[0], c.jump ? 480 + 9 : 0);
  }
  Enable_Widget_Sheet_Pointer_Jump();
  EXPECT_EQ(Run_Simple_Widget_Register_Sheet(100, 100, "", 0, pages, nullptr, ""), 0);
  EXPECT_EQ(Get_Widget_Sheet_Depth(), 0);
}

// One row per way through the simple sheet's passes: the clicks of each pass (0 aborts), what
// a build does, and the pages built in order.
TEST_F(RegisterSheets, SimpleSheetPasses) {
  static int value = 7;
  struct Case {
    const char *name;
    int count;
    int states[3];
    bool has_build[3];
    std::vector<int> clicks;
    std::function<void(int pass, int page)> act;
    bool refuse_first_apply;
    int result;
    const char *built;
    int member_states[3];  // -99: no member
  } cases[] = {
      {"one page, confirmed", 1, {1, 1, 1}, {true, true, true}, {2}, nullptr, false, 1, "0", {-99, -99, -99}},
      {"tabs: page 1 greyed, page 2 chosen", 3, {1, 0, 1}, {true, true, true}, {1002, 2}, nullptr, false, 1, "0 2",
       {1, -1, 1}},
      // Sound: a page without build is shown empty, its build never called.
      {"page 1 without build", 3, {1, 1, 1}, {true, false, true}, {1001, 1000, 1}, nullptr, false, 0, "0 0", {1, 1, 1}},
      // Sound: a current page put in state 0 gives the selection to the nearest selectable
      // page (page 0 here, not page 1, also in state 0); the member follows the state.
      {"current page to state 0, nearest selectable",
       3,
       {1, 0, 1},
       {true, true, true},
       {1002, 2002, 2},
       [](int pass, int page) {
         if (pass == 1 && page == 2) Set_Widget_Sheet_Page_State(2, 0);
       },
       false,
       1,
       "0 2 0",
       {1, -1, -1}},
      // Sound: a lone page in state 0 stays current (nothing to move to).
      {"one page in state 0 stays", 1, {0, 1, 1}, {true, true, true}, {2}, nullptr, false, 1, "0", {-99, -99, -99}},
      // A rebuild request builds the page once more in the same pass; a cancel request after
      // an event of the page ends the sheet.
      {"rebuild and cancel requests",
       1,
       {1, 1, 1},
       {true, true, true},
       {2000},
       [](int, int) {
         static int n = 0;
         if (n++ % 2 == 0) Request_Widget_Sheet_Rebuild();
         Request_Widget_Sheet_Cancel();
       },
       false,
       0,
       "0 0",
       {-99, -99, -99}},
      // A confirm request is refused once by the page's apply, then the confirm button ends.
      {"confirm request refused by apply", 1, {1, 1, 1}, {true, true, true}, {2000, 2},
       [](int pass, int) {
         if (pass == 0) Request_Widget_Sheet_Confirm();
       },
       true, 1, "0 0", {-99, -99, -99}},
      // Sound: closing rounds the int mirror back into the caller's int and drops it.
      {"cancel converts the int mirror back", 1, {1, 1, 1}, {true, true, true}, {1},
       [](int, int) {
         Add_Widget_Int_Field(10, 20, &value, 5, nullptr);
         *Register_Widget_Int_Mirror(&value) = -2.5;  // what the user typed
       },
       false, 0, "0", {-99, -99, -99}},
      // Last: the host's abort stays in force.
      {"one page, the host aborts: cancel", 1, {1, 1, 1}, {true, true, true}, {0}, nullptr, false, 0, "0", {-99, -99, -99}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    p = SheetProbe{};
    int applies = 0;
    p.apply = [&](int) { return applies++ == 0 && c.refuse_first_apply ? 1 : 0; };
    for (int i = 0; i < 3; ++i) {
      pages[i].state = c.states[i];
      pages[i].build = c.has_build[i] ? &Build_Page : nullptr;
    }
    std::vector<HOST_SHEET_ITEM> items;
    int pass_now = 0;
    p.pass = [&](int pass) {
      pass_now = pass;
      ASSERT_LT(static_cast<std::size_t>(pass), c.clicks.size());
      Click_Code(c.clicks[static_cast<std::size_t>(pass)]);
    };
    p.build = [&](int page) {
      items = Host_Sheet_Items();
      if (c.act) c.act(pass_now, page);
    };
    EXPECT_EQ(Run_Simple_Widget_Register_Sheet(150, 400, "Eingabe", c.count, pages, &Status_Line, "h"), c.result);
    EXPECT_EQ(p.built, c.built);
    for (int i = 0; i < 3; ++i)
      for (const HOST_SHEET_ITEM &it : items)
        if (c.member_states[i] != -99 && it.kind == "member" && it.code == 1000 + i) {
          EXPECT_EQ(it.state, c.member_states[i]) << "member " << i;
        }
    EXPECT_EQ(Get_Widget_Sheet_Depth(), 0);
    EXPECT_EQ(Get_Widget_Area_Depth(), 0);
    EXPECT_EQ(Get_Widget_Sheet_Level(), 0);
  }
  EXPECT_EQ(value, -3);
  EXPECT_EQ(Get_Widget_Sheet_Int(&value), -99999999);  // no entry left behind
}

// The simple sheet keeps a centre of its own: dragged 30, 20 it opens there again, while
// the paged sheet still opens at the screen centre.
TEST_F(RegisterSheets, SimpleSheetRemembersItsOwnCentre) {
  p.pass = [](int) {
    Host_Test_Set_Sheet_Displacement(30, 20);
    int x, y;
    Get_Widget_Sheet_Position(&x, &y);
    Click_Code(1);
  };
  for (int run = 0; run < 2; ++run) Run_Simple_Widget_Register_Sheet(200, 300, "", 1, pages, &Status_Line, "");
  WIDGET_SHEET_DESCRIPTION d;
  Init_Widget_Sheet_Description(&d);
  d.forced_code = 100;
  Run_Widget_Sheet(&d, pages);
  const auto defines = Calls_Args("Define_Prop_Sheet");
  ASSERT_EQ(defines.size(), 3u);
  EXPECT_EQ(defines[0][0], 476);
  EXPECT_EQ(defines[1][0], 476 + 30);
  EXPECT_EQ(defines[1][1], 373 + 20);
  EXPECT_EQ(defines[2][0], 640 - 108);  // 216 wide about the screen centre
}

// The buttons, size and number of a one-page sheet of every kind (page 200 × 150, margins 8,
// help topic "t"), and where the pointer goes: "bestätigen" (kinds 5, 6) or "abbrechen"
// (kind 7 and the others); kinds 4 and 8 take the whole screen.
TEST_F(RegisterSheets, PagedSheetKinds) {
  struct Case {
    int kind, code, result;
    const char *trace;
    int pointer_x;  // -1: not checked
  } cases[] = {
      {1, 100, 0, "Define_Prop_Sheet(532,399,748,625,1,0,\"\",145,1) Add_Text_Button_to_PS(590,596,\"Weiter      \",100)",
       -1},
      {2, 100, 0, "Define_Prop_Sheet(532,413,748,612,1,0,\"\",145,1)", 0},
      {3, 200, 1, "Define_Prop_Sheet(532,399,748,625,1,0,\"\",145,1) Add_Text_Button_to_PS(590,596,\"Weiter\",200)", -1},
      {5, 200, 1,
       "Define_Prop_Sheet(532,399,748,625,1,0,\"\",145,1) Add_Image_Button_to_PS(537,596,2,100) "
       "Add_Help_to_PS(617,596,1,0,0,\"t\") Add_Image_Button_to_PS(717,596,1,200)",
       726},
      {6, 200, 1, "Define_Prop_Sheet(532,399,748,625,1,0,\"\",145,1) Add_Image_Button_to_PS(717,596,1,200)", 726},
      {7, 100, 0,
       "Define_Prop_Sheet(532,399,748,625,1,0,\"\",145,1) Add_Image_Button_to_PS(537,596,2,100) "
       "Add_Help_to_PS(617,596,1,0,0,\"t\")",
       546},
      {0, 200, 1,
       "Define_Prop_Sheet(532,399,748,625,1,0,\"\",145,1) Add_Image_Button_to_PS(537,596,2,100) "
       "Add_Help_to_PS(617,596,1,0,0,\"t\") Add_Image_Button_to_PS(717,596,1,200)",
       546},
      {4, 100, 0, "Define_Prop_Sheet(0,0,1279,1023,0,0,\"\",145,1)", 0},
      {8, 200, 1, "Define_Prop_Sheet(0,0,1279,1023,0,0,\"\",145,1) Add_Text_Button_to_PS(590,986,\"Weiter\",200)", -1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.kind);
    Host_Clear_Calls();
    msStCu(0, 0);
    WIDGET_SHEET_DESCRIPTION d;
    Init_Widget_Sheet_Description(&d);
    d.kind = c.kind;
    std::snprintf(d.help_topic, sizeof d.help_topic, "t");
    d.forced_code = c.code;
    EXPECT_EQ(Run_Widget_Sheet(&d, pages), c.result);
    EXPECT_EQ(Trace_Of({"Define_Prop_Sheet", "Add_Text_Button_to_PS", "Add_Image_Button_to_PS", "Add_Help_to_PS"}),
              c.trace);
    if (c.pointer_x >= 0) {
      EXPECT_EQ(M_XPOS, c.pointer_x);
    }
  }
}

namespace {
int g_outer_answer = 0, g_inner_answer = 0, g_outer_applies = 0, g_all = -1;
int g_half_up = 0, g_half_down = 0;
int Outer_Apply(int) {
  ++g_outer_applies;
  return g_outer_answer;
}
int Inner_Apply(int) { return g_inner_answer; }
// The inner sheet's page: two int fields whose mirrors hold halves, then all values applied.
void Inner_Build(int, int) {
  Add_Widget_Int_Field(10, 20, &g_half_up, 4, nullptr);
  Add_Widget_Int_Field(10, 40, &g_half_down, 4, nullptr);
  *Register_Widget_Int_Mirror(&g_half_up) = 2.5;
  *Register_Widget_Int_Mirror(&g_half_down) = -2.5;
  g_all = Apply_All_Widget_Sheet_Values();
  EXPECT_EQ(Widget_Value_Entry_Count(1), 2);  // applying keeps the mirrors registered
}
void Outer_Build(int, int) {
  WIDGET_SHEET_DESCRIPTION d;
  Init_Widget_Sheet_Description(&d);
  d.forced_code = 100;
  WIDGET_SHEET_PAGE page;
  Init_Widget_Sheet_Pages(1, &page);
  page.build = &Inner_Build;
  page.apply = &Inner_Apply;
  Run_Widget_Sheet(&d, &page);
}
}  // namespace

// Apply_All_Widget_Sheet_Values walks the open levels from the innermost outward and stops at
// the first refusal; the int mirrors are rounded half away from zero (2.5 to 3, -2.5 to -3).
TEST_F(RegisterSheets, ApplyAllOverNestedLevels) {
  struct Case {
    int inner, outer, all, outer_applies;
  } cases[] = {{7, 5, 7, 0}, {0, 5, 5, 1}, {0, 0, 0, 1}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.inner * 10 + c.outer);
    g_inner_answer = c.inner, g_outer_answer = c.outer, g_outer_applies = 0, g_all = -1;
    WIDGET_SHEET_DESCRIPTION d;
    Init_Widget_Sheet_Description(&d);
    d.forced_code = 100;
    pages[0].build = &Outer_Build;
    pages[0].apply = &Outer_Apply;
    Run_Widget_Sheet(&d, pages);
    EXPECT_EQ(g_all, c.all);
    EXPECT_EQ(g_outer_applies, c.outer_applies);
    EXPECT_EQ(g_half_up, 3);
    EXPECT_EQ(g_half_down, -3);
  }
}

// The accessors of the innermost sheet on a three-page sheet: a page change refused by
// page_change (the previous tab selected again), the code handler called with the call-always
// function off, a rebuild request, a narrowed page area with sliders, the position after a
// drag, and a confirm request after an unhandled code.
TEST_F(RegisterSheets, PagedSheetAccessors) {
  static std::vector<std::string> handled;
  static int refuse_page = 2;
  WIDGET_SHEET_DESCRIPTION d;
  Init_Widget_Sheet_Description(&d);
  d.kind = 5;
  d.status_line = &Status_Line;
  d.page_change = [](int, int page) { return page == refuse_page ? 1 : 0; };
  d.code_handler = [](int code) {
    handled.push_back(std::to_string(code) + (Host_Calls().back() == "Activate_Call_Allways_Function(0)" ? " off" : " on"));
    return code == 5 ? 1 : 0;
  };
  std::snprintf(pages[0].tab_line1, sizeof pages[0].tab_line1, "Teil");
  pages[1].area_dx = 20, pages[1].area_width = 100, pages[1].area_dy = 10, pages[1].area_height = 50;
  pages[1].vslider = pages[1].hslider = 1;
  int corner[2] = {0, 0};
  std::string selected;
  p.pass = [&](int pass) {
    if (pass == 0) {
      Set_Widget_Sheet_Page_Table_Layout(0, 1);
      Host_Clear_Calls();
      Select_Widget_Sheet_Page(2);  // refused
      selected = Trace_Of({"Set_Selected_Register_Member"});
      EXPECT_EQ(Get_Widget_Sheet_Page(), 0);
      d.forced_code = 5;  // handled by the code handler
    } else if (pass == 1) {
      Request_Widget_Sheet_Rebuild();
      d.forced_code = 1001;
    } else {
      Host_Test_Set_Sheet_Displacement(12, -7);
      Request_Widget_Sheet_Confirm();
      d.forced_code = 7;  // not handled, then the confirm request
    }
  };
  std::vector<HOST_SHEET_ITEM> items;
  p.build = [&](int page) {
    if (page == 1) items = Host_Sheet_Items();
  };
  EXPECT_EQ(Run_Widget_Register_Sheet(&d, 3, pages), 1);
  Get_Widget_Sheet_Position(&corner[0], &corner[1]);
  EXPECT_EQ(selected, "Set_Selected_Register_Member(3) Set_Selected_Register_Member(1)");
  EXPECT_EQ(p.built, "0 0 0 1");
  EXPECT_EQ(d.page, 1);
  EXPECT_EQ(handled, (std::vector<std::string>{"5 off", "1001 off", "7 off"}));
  // Page 1's area: the page rectangle (540, 455)-(740, 605) of the sheet (522, 374)-(758, 650)
  // moved by (20, 10) and cut to 100 × 50; its escape area leaves the slider strips out.
  std::vector<int> escape;
  for (const HOST_SHEET_ITEM &it : items)
    if (it.kind == "escape" && it.code == 2001) escape = {it.x1, it.y1, it.x2, it.y2};
  EXPECT_EQ(escape, (std::vector<int>{560, 465, 643, 498}));
  EXPECT_EQ(corner[0], 522 + 12);
  EXPECT_EQ(corner[1], 374 - 7);
}
