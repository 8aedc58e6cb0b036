// Widget sheets through the host's call trace: the simple register sheet (layout, every way
// through its passes, its own centre), the paged sheet of every kind and the register sheet
// with the accessors of the innermost sheet, nested sheets applying every level's values; each
// run's result, built pages, what its hooks saw and its trace in one golden text.
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

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

// What the sheet under test calls back: one hook per pass (the status line), the builds.
struct SheetProbe {
  std::function<void(int pass)> pass;
  std::function<void(int pass, int page)> build;
  std::function<int(int page)> apply;
  int passes = 0;
  std::string built;
} *probe = nullptr;

void Status_Line(char *text) {
  std::snprintf(text, 200, "Durchgang %d", probe->passes);
  if (probe->pass) probe->pass(probe->passes);
  ++probe->passes;
}
void Build_Page(int, int) {
  const int page = Get_Widget_Sheet_Page();
  probe->built += (probe->built.empty() ? "" : " ") + std::to_string(page);
  if (probe->build) probe->build(probe->passes - 1, page);
}
int Apply_Page(int) { return probe->apply ? probe->apply(Get_Widget_Sheet_Page()) : 0; }

// The page's clicks, one per pass.
std::function<void(int)> Clicks(std::vector<int> codes) {
  return [codes](int pass) {
    ASSERT_LT(static_cast<std::size_t>(pass), codes.size());
    Click_Code(codes[static_cast<std::size_t>(pass)]);
  };
}

class RegisterSheets : public WidgetsTest {
 protected:
  void SetUp() override {
    WidgetsTest::SetUp();
    probe = &p;
  }
  // Three pages "Beton", "Stahl", "Lasten" (four with "Lager") with build and apply.
  void Pages(int count = 3) {
    Init_Widget_Sheet_Pages(count, pages);
    const char *titles[4] = {"Beton", "Stahl", "Lasten", "Lager"};
    for (int i = 0; i < count; ++i) {
      std::snprintf(pages[i].tab_title, sizeof pages[i].tab_title, "%s", titles[i]);
      pages[i].build = &Build_Page;
      pages[i].apply = &Apply_Page;
    }
  }
  SheetProbe p;
  WIDGET_SHEET_PAGE pages[4];
};

int g_value = 7;      // an int shown through its mirror
std::string g_notes;  // what a run's hooks saw, written after its result

// Nested sheets: the inner page's build applies the values of every open level, inner first.
int g_inner_answer = 0, g_outer_answer = 0, g_half_up = 0, g_half_down = 0;
int Outer_Apply(int) {
  g_notes += "outer applied; ";
  return g_outer_answer;
}
int Inner_Apply(int) { return g_inner_answer; }
void Inner_Build(int, int) {
  Add_Widget_Int_Field(10, 20, &g_half_up, 4, nullptr);
  Add_Widget_Int_Field(10, 40, &g_half_down, 4, nullptr);
  *Register_Widget_Int_Mirror(&g_half_up) = 2.5;  // rounded half away from zero
  *Register_Widget_Int_Mirror(&g_half_down) = -2.5;
  const int all = Apply_All_Widget_Sheet_Values();
  g_notes += "all " + std::to_string(all) + ", entries " + std::to_string(Widget_Value_Entry_Count(1)) + ", ints " +
             std::to_string(g_half_up) + " " + std::to_string(g_half_down) + "; ";
}
void Outer_Build(int, int) {
  WIDGET_SHEET_DESCRIPTION d;
  Init_Widget_Sheet_Description(&d);
  d.forced_code = 100;
  WIDGET_SHEET_PAGE page;
  Init_Widget_Sheet_Pages(1, &page);
  page.build = &Inner_Build, page.apply = &Inner_Apply;
  Run_Widget_Sheet(&d, &page);
}

}  // namespace

// Each run on a fresh probe: the simple sheet of one page (300 × 200, margin 7, help in the
// centre, the pointer on "abbrechen") and of three pages (402 × 150, margin 10, tab row 30,
// status line, no pointer jump; its picture golden), the passes (greyed and hidden pages,
// pages without build, the selection moving to the nearest selectable page, rebuild, cancel
// and confirm requests, an apply refusing, an int mirror rounded back, the host aborting),
// the simple sheet's own centre; the paged sheet of every kind with its buttons (margins 12
// and 4 apart), an abort, a refused confirm; the register sheet with a refused page change,
// the code handler, a narrowed page area with one slider, tabs of two lines, a hidden page,
// a page put to state 0 and the first selectable page after it; nested sheets whose inner page
// applies all levels (stopping at the first refusal, innermost first).
TEST_F(RegisterSheets, EveryRunKeepsItsTrace) {
  struct Run {
    const char *name;
    std::function<int()> run;
  };
  auto simple = [this](int count, int width, const char *help) {
    return Run_Simple_Widget_Register_Sheet(150, width, "Eingabe", count, pages, &Status_Line, help);
  };
  static WIDGET_SHEET_DESCRIPTION d;  // the hooks set its codes
  auto paged = [this](int kind, int code, std::function<void(WIDGET_SHEET_DESCRIPTION &)> set = nullptr) {
    Init_Widget_Sheet_Description(&d);
    d.kind = kind;
    std::snprintf(d.help_topic, sizeof d.help_topic, "t");
    d.forced_code = code;
    if (set) set(d);
    msStCu(0, 0);
    return Run_Widget_Sheet(&d, pages);
  };
  auto reg = [this](int count, std::function<void(WIDGET_SHEET_DESCRIPTION &)> set) {
    Init_Widget_Sheet_Description(&d);
    d.kind = 5;
    d.status_line = &Status_Line;
    set(d);
    const int result = Run_Widget_Register_Sheet(&d, count, pages);
    return result * 10 + d.page;
  };
  auto nested = [&](int inner, int outer) {
    g_inner_answer = inner, g_outer_answer = outer;
    pages[0].build = &Outer_Build, pages[0].apply = &Outer_Apply;
    return paged(0, 100);
  };
  // The code of each pass of a register sheet (100 after the list).
  static std::vector<int> codes;
  auto forced = [](std::vector<int> list) {
    codes = std::move(list);
    return [](int pass) { d.forced_code = pass < static_cast<int>(codes.size()) ? codes[pass] : 100; };
  };
  static int applies;  // the first apply of a run refuses
  auto refuse_once = [](int) { return applies++ == 0 ? 1 : 0; };
  const Run runs[] = {
      {"simple, one page",
       [&] {
         p.build = [](int, int) { Click_Code(1); };
         return Run_Simple_Widget_Register_Sheet(200, 300, "Eingabe", 1, pages, nullptr, "hilfe_beton");
       }},
      {"simple, three pages, page 1 greyed",
       [&] {
         pages[1].state = 0;
         Disable_Widget_Sheet_Pointer_Jump();
         p.pass = [](int pass) {
           if (pass < 2) return Click_Code(pass ? 2002 : 1002);  // page 2, then into it: the tabs stay
           EXPECT_GOLDEN("simple_sheet.png", 419, 375, 861, 650);
           Click_Code(1);
         };
         const int result = simple(3, 402, "hilfe_beton");
         Enable_Widget_Sheet_Pointer_Jump();
         return result;
       }},
      {"simple, confirmed", [&] { return p.pass = Clicks({2}), simple(1, 400, "h"); }},
      {"simple, page 1 greyed, page 2 chosen", [&] { return pages[1].state = 0, p.pass = Clicks({1002, 2}), simple(3, 400, "h"); }},
      {"simple, page 1 without build (shown empty)",
       [&] { return pages[1].build = nullptr, p.pass = Clicks({1001, 1000, 1}), simple(3, 400, "h"); }},
      {"simple, page 1 hidden", [&] { return pages[1].state = -2, p.pass = Clicks({1002, 1}), simple(3, 400, "h"); }},
      {"simple, current page to state 0: the nearest selectable before it",
       [&] {
         pages[1].state = 0;
         p.build = [](int pass, int page) {
           if (pass == 1 && page == 2) Set_Widget_Sheet_Page_State(2, 0);
         };
         return p.pass = Clicks({1002, 2002, 2}), simple(3, 400, "h");
       }},
      {"simple, pages 0 and 1 in state 0: page 2", [&] { return pages[0].state = pages[1].state = 0, p.pass = Clicks({2}), simple(3, 400, "h"); }},
      {"simple, a lone page in state 0 stays", [&] { return pages[0].state = 0, p.pass = Clicks({2}), simple(1, 400, "h"); }},
      {"simple, rebuild and cancel requests",
       [&] {
         p.build = [](int, int) {
           if (applies++ % 2 == 0) Request_Widget_Sheet_Rebuild();
           Request_Widget_Sheet_Cancel();
         };
         return p.pass = Clicks({2000}), simple(1, 400, "");
       }},
      {"simple, confirm request refused once by apply",
       [&] {
         p.build = [](int pass, int) {
           if (pass == 0) Request_Widget_Sheet_Confirm();
         };
         return p.apply = refuse_once, p.pass = Clicks({2000, 2}), simple(1, 400, "h");
       }},
      {"simple, cancel rounds the int mirror back (-2.5 to -3)",
       [&] {
         p.build = [](int, int) {
           Add_Widget_Int_Field(10, 20, &g_value, 5, nullptr);
           *Register_Widget_Int_Mirror(&g_value) = -2.5;
         };
         const int result = (p.pass = Clicks({1}), simple(1, 400, "h"));
         g_notes = "int " + std::to_string(g_value) + (Get_Widget_Sheet_Int(&g_value) == -99999999 ? ", dropped" : "");
         return result;
       }},
      {"simple, the host aborts: cancel", [&] { return p.pass = Clicks({0}), simple(1, 400, "h"); }},
      {"paged kinds 1, 2, 3, 5, 6, 7, 0, 4 and 8 (the last two the whole screen)",
       [&] {
         for (const int kind : {1, 2, 3, 5, 6, 7, 0, 4, 8})
           g_notes += std::to_string(paged(kind, kind == 1 || kind == 2 || kind == 7 || kind == 4 ? 100 : 200)) + " ";
         return 0;
       }},
      {"paged kind 5, margins 12 left and 4 right",
       [&] { return paged(5, 200, [](WIDGET_SHEET_DESCRIPTION &s) { s.margin_left = 12, s.margin_right = 4; }); }},
      {"paged kind 5, the host aborts: cancel",
       [&] { return p.pass = Clicks({0}), paged(5, -1, [](WIDGET_SHEET_DESCRIPTION &s) { s.status_line = &Status_Line; }); }},
      {"paged kind 5, confirm refused once by apply",
       [&] {
         p.pass = forced({200, 200});
         return p.apply = refuse_once, paged(5, -1, [](WIDGET_SHEET_DESCRIPTION &s) { s.status_line = &Status_Line; });
       }},
      {"register: refused page change, code handler, rebuild, narrowed area, drag, confirm",
       [&] {
         std::snprintf(pages[0].tab_line1, sizeof pages[0].tab_line1, "Teil");
         pages[1].area_dx = 20, pages[1].area_width = 100, pages[1].area_dy = 10, pages[1].area_height = 50;
         pages[1].vslider = 1;
         p.pass = [](int pass) {
           if (pass == 0) {
             Set_Widget_Sheet_Page_Table_Layout(0, 1);
             Select_Widget_Sheet_Page(2);  // refused
             d.forced_code = 5;            // handled by the code handler
           } else if (pass == 1) {
             Request_Widget_Sheet_Rebuild();
             d.forced_code = 1001;
           } else {
             Host_Test_Set_Sheet_Displacement(12, -7);
             Request_Widget_Sheet_Confirm();
             d.forced_code = 7;  // not handled, then the confirm request
           }
         };
         const int result = reg(3, [](WIDGET_SHEET_DESCRIPTION &s) {  // result · 10 + page
           std::snprintf(s.help_topic, sizeof s.help_topic, "t");
           s.max_width = 201;
           s.page_change = [](int, int page) { return page == 2 ? 1 : 0; };
           s.code_handler = [](int code) {  // with the call-always function off
             g_notes += std::to_string(code) + " after " + Host_Calls().back() + "; ";
             return code == 5 ? 1 : 0;
           };
         });
         int x, y;
         Get_Widget_Sheet_Position(&x, &y);
         Host_Test_Set_Sheet_Displacement(0, 0);
         g_notes += "corner " + std::to_string(x) + ", " + std::to_string(y);
         return result;
       }},
      {"register: hidden page, a tab in state 0, a tab change refused",
       [&] {
         Pages(4);
         pages[3].state = -2, pages[2].state = 0;
         p.pass = forced({1001, 1002, 1000});
         return reg(4, [](WIDGET_SHEET_DESCRIPTION &s) { s.page_change = [](int, int page) { return page == 0 ? 1 : 0; }; });
       }},
      {"register: the page left put to state 0: the first selectable page",
       [&] {
         Pages(4);
         pages[0].state = pages[2].state = 0;
         p.build = [](int pass, int) {
           if (pass == 0) Set_Widget_Sheet_Page_State(1, 0);
         };
         return p.pass = forced({1002}), reg(4, [](WIDGET_SHEET_DESCRIPTION &s) { s.page = 1; });
       }},
      {"nested: the inner level refuses with 7", [&] { return nested(7, 5); }},
      {"nested: the outer level refuses with 5", [&] { return nested(0, 5); }},
      {"nested: both levels apply", [&] { return nested(0, 0); }},
      {"simple, dragged 30, 20: opens there again; the paged sheet at the screen centre",
       [&] {
         p.pass = [](int) {
           Host_Test_Set_Sheet_Displacement(30, 20);
           Click_Code(1);
         };
         simple(1, 300, "");
         p.passes = 0;
         simple(1, 300, "");
         Host_Test_Set_Sheet_Displacement(0, 0);
         return paged(0, 100);
       }},
  };
  std::string out;
  for (const Run &r : runs) {
    SCOPED_TRACE(r.name);
    p = SheetProbe{};
    applies = 0;
    Pages();
    Host_Clear_Calls();
    const int result = r.run();
    out += "== " + std::string(r.name) + ": " + std::to_string(result) + ", built \"" + p.built + "\", open " +
           std::to_string(Get_Widget_Sheet_Depth() + Get_Widget_Area_Depth() + Get_Widget_Sheet_Level()) + ", " +
           g_notes + "\n";
    g_notes.clear();
    for (const std::string &c : Host_Calls()) out += c + "\n";
  }
  const std::string path = std::string(PF_SOURCE_DIR) + "/tests/widgets/golden/register_sheets.txt";
  if (std::getenv("PF_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << out;
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(in), {}) == out) << "PF_UPDATE_GOLDEN=1 rewrites " << path;
}

