// Widget sheets (pages, codes, value levels, closing, scroll memory), widget fields, figures,
// buttons and the program hints page.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "support/cp850.h"
#include "support/support.h"
#include "tests/widgets/widgets_fixture.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"
#include "widgets/widget_sheets.h"

namespace {

// Callbacks of the sheet under test reach the test through these.
struct Probe {
  std::function<void(int)> each_pass;
  std::function<void(int)> build;
  std::function<int()> confirm;
  int builds[4] = {0, 0, 0, 0};
  WIDGET_SHEET_DESCRIPTION *d = nullptr;
} *probe = nullptr;

void Each_Pass(int page) {
  if (probe->each_pass) probe->each_pass(page);
}
void Build(int area, int) {
  const int page = Get_Widget_Sheet_Page();
  probe->builds[page] += 1;
  if (probe->build) probe->build(area);
}
int Confirm() { return probe->confirm ? probe->confirm() : 0; }

class WidgetSheets : public WidgetsTest {
 protected:
  void SetUp() override {
    WidgetsTest::SetUp();
    probe = &p;
    Init_Widget_Sheet_Description(&d);
    d.each_pass = &Each_Pass;
    d.confirm_check = &Confirm;
    p.d = &d;
    Init_Widget_Sheet_Pages(3, pages);
    for (auto &page : pages) page.build = &Build;
  }
  // Codes handed in one per pass (instead of waiting for the user).
  void Script_Codes(std::vector<int> codes) {
    p.each_pass = [this, codes, n = std::size_t{0}](int) mutable {
      if (n < codes.size()) d.forced_code = codes[n++];
    };
  }
  Probe p;
  WIDGET_SHEET_DESCRIPTION d;
  WIDGET_SHEET_PAGE pages[3];
};

int Count_Areas() {
  int n = 0;
  for (int i = 0; i < VIEW_AREA_COUNT; ++i) n += Get_Scrollable_View_Area(i) ? 1 : 0;
  return n;
}

}  // namespace

TEST_F(WidgetSheets, RegisterMembersAreasAndClosing) {
  pages[1].state = -2;
  pages[2].build = nullptr;
  std::vector<HOST_SHEET_ITEM> items;
  p.build = [&](int) { items = Host_Sheet_Items(); };
  d.forced_code = 200;  // confirms in one pass
  EXPECT_EQ(Run_Widget_Register_Sheet(&d, 3, pages), 1);
  std::vector<int> member_codes;
  int areas = 0;
  for (const auto &item : items) {
    if (item.kind == "member") member_codes.push_back(item.code);
    areas += item.kind == "area" ? 1 : 0;
  }
  EXPECT_EQ(member_codes, (std::vector<int>{1000, 1001, 1002}));
  EXPECT_EQ(areas, 1);
  EXPECT_EQ(p.builds[0], 1);
  EXPECT_EQ(Count_Areas(), 0);
  EXPECT_EQ(Get_Widget_Area_Depth(), 0);
  EXPECT_EQ(Get_Widget_Sheet_Depth(), 0);
  EXPECT_EQ(Run_Widget_Register_Sheet(&d, 0, pages), 0);
}

// A refused page change keeps the page; a page switched to state 0 is left at once.
TEST_F(WidgetSheets, PageChangeRefusalAndStateZero) {
  static int refuse = 1;
  d.page_change = [](int, int) { return refuse; };
  d.page = 1;
  Script_Codes({1002, 100});
  EXPECT_EQ(Run_Widget_Register_Sheet(&d, 3, pages), 0);
  EXPECT_EQ(d.page, 1);
  EXPECT_EQ(p.builds[2], 0);  // refused before it was built
  EXPECT_EQ(p.builds[1], 2);
  refuse = 0;
  std::memset(p.builds, 0, sizeof p.builds);
  int pass = 0;
  p.each_pass = [&](int) {
    if (++pass == 1) d.forced_code = 1001;
    if (pass == 2) {
      Set_Widget_Sheet_Page_State(1, 0);
      d.forced_code = 100;
    }
  };
  d.page = 0;
  Run_Widget_Register_Sheet(&d, 3, pages);
  EXPECT_EQ(d.page, 0);
  EXPECT_EQ(p.builds[1], 0);
}

// forced_code 200 confirms in one pass unless confirm_check objects; cancel still converts
// scaled values back; a nested sheet uses its own value level.
TEST_F(WidgetSheets, ConfirmCheckCancelAndNestedLevels) {
  int objections = 1;
  p.confirm = [&] { return objections-- > 0 ? 1 : 0; };
  Script_Codes({200, 200});
  EXPECT_EQ(Run_Widget_Sheet(&d, pages), 1);
  EXPECT_EQ(p.builds[0], 2);

  double value = 0.002, shown = 0, inner_shown = 0;
  int outer_level = 0, inner_level = 0;
  WIDGET_SHEET_DESCRIPTION inner;
  WIDGET_SHEET_PAGE inner_page;
  p.confirm = nullptr;
  p.build = [&](int) {
    Add_Widget_Float_Field(0, 20, &value, 1000.0, 8, 3, nullptr);
    shown = value;
    outer_level = Get_Widget_Sheet_Level();
    if (p.builds[0] == 1) {
      Init_Widget_Sheet_Description(&inner);
      inner.forced_code = 100;
      Init_Widget_Sheet_Pages(1, &inner_page);
      inner_page.build = [](int, int) {};
      inner_level = Get_Widget_Sheet_Level();
      Run_Widget_Sheet(&inner, &inner_page);
      inner_shown = value;
    }
  };
  p.builds[0] = 0;
  Script_Codes({5, 100});
  EXPECT_EQ(Run_Widget_Sheet(&d, pages), 0);
  EXPECT_DOUBLE_EQ(shown, 2.0);
  EXPECT_DOUBLE_EQ(inner_shown, 2.0);  // the inner sheet left the outer level alone
  EXPECT_EQ(inner_level, outer_level);
  EXPECT_DOUBLE_EQ(value, 0.002);
  EXPECT_EQ(Get_Widget_Sheet_Level(), 0);
}

// The position kept at closing is a fraction, restored at the next opening and kept again.
TEST_F(WidgetSheets, ScrollPositionSurvivesReopening) {
  pages[0].vslider = 1;
  pages[0].scroll_y = 0.5;
  p.build = [&](int area) { Add_Line_to_View_Area(area, 0, 0, 10, 2000, 0); };
  p.each_pass = [&](int) { d.forced_code = 100; };
  for (int run = 0; run < 2; ++run) {
    Run_Widget_Sheet(&d, pages);
    EXPECT_NEAR(pages[0].scroll_y, 0.5, 0.01) << run;
  }
}

TEST_F(WidgetSheets, HiddenPageGivesButtonsOnly) {
  pages[0].state = -2;
  for (int code : {100, 200}) {
    d.forced_code = code;
    EXPECT_EQ(Run_Widget_Sheet(&d, pages), code == 200 ? 1 : 0);
    EXPECT_EQ(p.builds[0], 0);
  }
}

// ---------------------------------------------------------------- fields

class WidgetFields : public WidgetsTest {
 protected:
  void SetUp() override {
    WidgetsTest::SetUp();
    area = Create_Scrollable_View_Area(0, 0, 600, 400, 0, 0);
    Begin_Widget_Area(area);
  }
  int area = -1;
};

TEST_F(WidgetFields, BoundedFieldHintsAndClamps) {
  const struct {
    double value;
    const char *hint;
  } cases[] = {{10.04, ""}, {10.06, "^bHINWEIS: Dicke darf den Wert 10.0 nicht überschreiten."},
               {-0.06, "^bHINWEIS: Dicke darf den Wert 0.0 nicht unterschreiten."}};
  for (auto c : cases) {
    Host_Clear_Messages();
    double v = c.value;
    Add_Widget_Bounded_Float_Field(0, 20, &v, 1.0, 6, 1, 0.0, 10.0, "Dicke", nullptr);
    EXPECT_DOUBLE_EQ(v, std::clamp(c.value, 0.0, 10.0));
    const std::string shown = Host_Messages().empty() ? "" : Cp850_To_Utf8(Host_Messages().back().text);
    EXPECT_EQ(shown, c.hint) << c.value;
  }
}

TEST_F(WidgetFields, GradeChoiceLabelsAndLiveBlocks) {
  CHOICE_LIST *list = Alloc_Choice_List(3, 9);
  list->count = 3;
  Set_Choice_List_Entry(list, 0, "B15", 0, 1, 0);
  Set_Choice_List_Entry(list, 1, "-------", 0, CHOICE_SEPARATOR, -1);
  Set_Choice_List_Entry(list, 2, "C12/15", 0, 0, 5);
  int selected = 1, value = 0;
  EXPECT_EQ(Get_Choice_List_Value(list, 1, &value, nullptr), 0);
  EXPECT_EQ(Get_Choice_List_Value(list, 3, &value, nullptr), -1);
  EXPECT_EQ(Find_Choice_List_Index(list, 5, 0), 2);
  // "-------" is widest: 48 pixels + 3 in font 4096, 6.4 characters, 6 taken.
  EXPECT_EQ(Add_Widget_Grade_Choice(0, 20, list, &selected, nullptr), 6 * 8 + 33);
  EXPECT_EQ(selected, 0);
  // An empty label and unit add no item and no gap.
  const int before = View_Area_Item_Count(area);
  double v = 1;
  EXPECT_EQ(Add_Widget_Labelled_Float_Field(0, 40, "", &v, 5, 1, "", nullptr), 5 * 8 + 15);
  EXPECT_EQ(View_Area_Item_Count(area), before + 1);
  const long live = Tools_Live_Blocks();
  for (int i = 0; i < 100; ++i) {
    Clear_View_Area_Items(area);
    Begin_Widget_Area(area);
    Add_Widget_Grade_Choice(0, 20, list, &selected, nullptr);
  }
  Clear_View_Area_Items(area);
  EXPECT_LE(Tools_Live_Blocks(), live);
  Free_Choice_List(&list);
  EXPECT_EQ(list, nullptr);
}

TEST_F(WidgetFields, FigureItemCounts) {
  const struct {
    std::function<void()> add;
    int items;
  } cases[] = {{[] { Add_Widget_Circle(50, 50, 0); }, 72},
               {[] { Add_Widget_Arc(50, 50, 10, 1.0, 1.0); }, 0},
               {[] { Add_Widget_Disc(50, 50, 9.99); }, 16},
               {[] { Add_Widget_Disc(50, 50, 10); }, 32},
               {[] { Add_Widget_Disc(50, 50, 100); }, 64},
               {[] { Add_Widget_Dimension_Line(2, 0, 0, 100, 0, 20); }, 3},
               // A quarter arc: points at 0°, 5°, ..., 85° (below the end), 17 chords.
               {[] { Add_Widget_Arc(50, 50, 10, 0, M_PI / 2); }, 17},
               {[] {
                  const double x[3] = {0, 10, 0}, y[3] = {0, 0, 10};
                  Add_Widget_Polygon(3, x, y);
                  Add_Widget_Polygon(0, x, y);
                  Add_Widget_Filled_Polygon(3, x, y);
                }, 3 + 1},
               // Drawing mode 0: no chords; discs and dimension lines do not look at the mode.
               {[] {
                  Set_Widget_Drawing_Mode(0);
                  Add_Widget_Circle(50, 50, 5);
                  Add_Widget_Disc(50, 50, 5);
                  Add_Widget_Dimension_Line(0, 0, 0, 100, 0, 20);
                  Set_Widget_Drawing_Mode(1);
                }, 16 + 3}};
  for (const auto &c : cases) {
    Clear_View_Area_Items(area);
    c.add();
    EXPECT_EQ(View_Area_Item_Count(area), c.items);
  }
}

// ---------------------------------------------------------------- buttons and hints page

TEST_F(WidgetFields, ImportAndTextButtons) {
  unsetenv("EXEC");
  int on = 1, value = 0;
  Add_Bauteil_Import_Button(10, 40, nullptr, 7, &value, &on);
  for (const VIEW_ITEM *item = View_Area_Test_Items(area); item; item = item->next)
    if (item->kind == VIEW_BITMAP_BUTTON) {
      EXPECT_EQ(*item->active_ptr, 0);
    }
  Clear_View_Area_Items(area);
  Add_Ascii_Import_Button(10, 40, nullptr, 7, &value, &on);
  EXPECT_STREQ(View_Area_Test_Items(area)->text, "Lastkollektive importieren aus Datei ...");
  Clear_View_Area_Items(area);
  Begin_Widget_Area(-1);
  EXPECT_EQ(Add_Lastkollektive_Delete_Button(0, 0, "x", 1, &value, &on), 0);
  Add_Widget_Text_Button(area, 10, 10, 80, 0, 0, "Text", 1, &value, 1);  // no sheet open
  EXPECT_EQ(View_Area_Item_Count(area), 0);
  EXPECT_EQ(Get_Widget_Hover_Button_Count(), 0);
}

TEST_F(WidgetFields, HintsPageCountsAndReactivates) {
  const struct {
    int switches[4];
    const char *verb_line, *count, *hover;
    int active;
  } cases[] = {
      {{1, 1, 1, 1}, "Von insgesamt vier möglichen Programmhinweisen ist", "keiner", "0 Hinweis wieder aktivieren", 0},
      {{0, 1, 1, 0}, "Von insgesamt vier möglichen Programmhinweisen sind", "zwei", "2 Hinweise wieder aktivieren",
       1}};
  for (auto c : cases) {
    int sw[4];
    std::memcpy(sw, c.switches, sizeof sw);
    Clear_View_Area_Items(area);
    Add_Programmhinweise_Page(area, sw, 500);
    std::vector<std::string> texts;
    const VIEW_ITEM *button = nullptr;
    for (const VIEW_ITEM *item = View_Area_Test_Items(area); item; item = item->next) {
      if (item->kind == VIEW_TEXT) texts.push_back(Cp850_To_Utf8(item->text));
      if (item->kind == VIEW_BITMAP_BUTTON) button = item;
    }
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[0], c.verb_line);
    EXPECT_EQ(texts[1], c.count);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(std::string(button->text2), c.hover);
    EXPECT_EQ(*button->active_ptr, c.active);
    if (c.active) {
      *button->value_ptr = 1;  // what a click writes
      Clear_View_Area_Items(area);
      Add_Programmhinweise_Page(area, sw, 500);
      EXPECT_EQ(sw[0] + sw[1] + sw[2] + sw[3], 4);
    }
  }
}

// A picture spot shows its hover picture under the pointer and leaves the canvas as it was.
TEST_F(WidgetFields, HoverPictureSwappedAndCanvasRestored) {
  Make_Test_Strip(40, 20);  // "strip.bmp"
  int dx = 0, dy = 0, target = 0;
  const int e = Add_Escape_Area_to_PS(100, 100, 500, 400, 0, 2000);
  const int a = Create_Scrollable_View_Area(100, 100, 500, 400, 0, 0);
  Push_Widget_Area(e, a, 100, 100, 500, 400, &dx, &dy);
  Begin_Widget_Area(a);
  Make_Picture_Strip(41, 21, 1);  // "pictures.bmp", the size of the spot
  const int transparent = Nearest_RGB_Color(1, 2, 3);  // none: the normal picture covers the hover one
  Add_Widget_Hover_Image_Spot(a, 20, 20, 20, 40, 0, 0, "pictures.bmp", nullptr, "strip.bmp", nullptr, transparent,
                              3, &target, 1);
  EXPECT_EQ(Get_Widget_Hover_Button_Count(), 1);
  Update_View_Area_Scrolling(a);
  const auto before = Host_Snapshot();
  msStCu(100 + 40, 100 + 30);
  Widget_Hover_Function();
  EXPECT_GT(Host_Region_Diff(before, 0, 0, 1279, 1023), 0);
  msStCu(400, 350);
  Widget_Hover_Function();
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, 1279, 1023), 0);
  Pop_Widget_Area();
}
