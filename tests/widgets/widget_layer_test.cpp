// Widget layer state: text widths with markup, hints, hover, value tables, level colours,
// the area stack and the polygon widget.

#include <cstring>

#include "host/host_screen.h"
#include "support/support.h"
#include "tests/widgets/widgets_fixture.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"

namespace {

class WidgetLayer : public WidgetsTest {
 protected:
  // An escape area and a view area over the rectangle, pushed on the widget area stack and
  // begun; returns the view area (the escape area in *escape).
  int Open_Page(int x1, int y1, int x2, int y2, int *escape = nullptr) {
    int e = Add_Escape_Area_to_PS(x1, y1, x2, y2, 0, 2000);
    int a = Create_Scrollable_View_Area(x1, y1, x2, y2, 0, 0);
    Push_Widget_Area(e, a, x1, y1, x2, y2, &dx_, &dy_);
    Begin_Widget_Area(a);
    if (escape) *escape = e;
    return a;
  }
  int dx_ = 0, dy_ = 0;
};

// Width of a plain text in a font, as the host measures it.
int Plain(const char *text, int font) {
  Pop_RFont(font);
  int w = Get_Text_Width(text);
  Push_RFont();
  return w;
}

int Markup(const std::string &text, int font) {
  // An exact-size heap copy: AddressSanitizer sees any read past the text's end.
  std::vector<char> copy(text.begin(), text.end());
  copy.push_back('\0');
  Pop_RFont(font);
  int w = Get_Markup_Text_Width(copy.data());
  Push_RFont();
  return w;
}

const std::string M(1, '\xCE');

}  // namespace

TEST_F(WidgetLayer, TextWidthOfEmptyTextDependsOnStyleBits) {
  EXPECT_EQ(Get_Widget_Text_Width("", 0x10000), 2);
  EXPECT_EQ(Get_Widget_Text_Width("", 4096), 0);
  EXPECT_EQ(Get_Widget_Text_Width(nullptr, 0x20000), 2);
  // "abc" in 0x1000 is 20 pixels: + 3, and + 2 more with a style bit.
  EXPECT_EQ(Get_Widget_Text_Width("abc", 0x1000), Plain("abc", 0x1000) + 3);
  EXPECT_EQ(Get_Widget_Text_Width("abc", 0x11000), Plain("abc", 0x1000) + 5);
}

// A markup text measures the sum of its shown pieces (bold arguments of two or more characters,
// colour texts after the blank); truncated codes never read past the text.
TEST_F(WidgetLayer, MarkupWidthIsTheSumOfTheShownPieces) {
  const struct Case {
    std::string text;
    std::vector<const char *> pieces;
  } cases[] = {
      {"ab" + M + "Bxy" + M + "zcd", {"ab", "xy", "cd"}},
      {"ab" + M + "bxy" + M + "zcd", {"ab", "xy", "cd"}},
      {M + "C12 wort" + M + "z", {"wort"}},
      {"ab" + M + "C" + M + "zcd", {"ab", "cd"}},
      {M + "C12 " + M + "z", {}},
      {M + "Bx" + M + "zcd", {"cd"}},
      {M + "Xabc" + M + "zcd", {"cd"}},
      {"ab" + M + "Bxy" + M + "z", {"ab", "xy"}},
      {"ab" + M + "Bxy" + M, {"ab", "xy"}},
      {"ab" + M, {"ab"}},
      {"ab" + M + "B", {"ab"}},
      {"ab" + M + "Bxyz", {"ab", "xyz"}},
      {"ab" + M + "C1 w", {"ab", "w"}},
      {M + M + M, {}},
  };
  for (const Case &c : cases) {
    int sum = 0;
    for (const char *piece : c.pieces) sum += Plain(piece, 0x1000);
    EXPECT_EQ(Markup(c.text, 0x1000), sum) << c.text;
  }
}

TEST_F(WidgetLayer, HintKeepsFiveLinesOf99Characters) {
  Open_Page(10, 10, 600, 400);
  Set_Last_Widget_Rect(20, 20, 80, 40, 1);
  Set_Widget_Hint("1\n2\n3\n4\n5\n6\n7", 0, 0);
  ASSERT_EQ(Get_Widget_Hint_Count(), 1);
  const WIDGET_HINT *h = Get_Widget_Hint(0);
  EXPECT_EQ(std::vector<int>({h->line_count, h->lines[4][0], h->box_height}), std::vector<int>({5, '5', 12 * 5 + 6}));
  Set_Widget_Hint(std::string(150, 'x').c_str(), 1, 3);
  h = Get_Widget_Hint(1);
  EXPECT_EQ(std::vector<int>({h->line_count, int(std::strlen(h->lines[0])), int(std::strlen(h->lines[1])), h->x1, h->x2}),
            std::vector<int>({2, 99, 51, 20, 80}));
  EXPECT_EQ(h->box_width, 6 + Plain(h->lines[0], 0x1000) + 3);
  // An inactive last widget gets no hint; without the stack nothing either.
  Set_Last_Widget_Rect(0, 0, 1, 1, 0);
  Set_Widget_Hint("x", 0, 0);
  EXPECT_EQ(Get_Widget_Hint_Count(), 2);
  Pop_Widget_Area();
  Set_Last_Widget_Rect(0, 0, 1, 1, 1);
  Set_Widget_Hint("x", 0, 0);
  EXPECT_EQ(Get_Widget_Hint_Count(), 2);
}

TEST_F(WidgetLayer, StackPushAndPopSwitchTheCallAlwaysFunction) {
  int dx = 0, dy = 0;
  Host_Clear_Calls();
  Push_Widget_Area(0, 0, 0, 0, 10, 10, &dx, &dy);
  Push_Widget_Area(0, 1, 0, 0, 10, 10, &dx, &dy);
  EXPECT_EQ(Host_Call_Count("Define_Call_Allways_Function"), 1);
  EXPECT_EQ(Host_Call_Args("Activate_Call_Allways_Function", 0), std::vector<std::string>{"1"});
  EXPECT_EQ(Widget_Hover_In_Use(), 1);
  Pop_Widget_Area();
  EXPECT_EQ(Host_Call_Count("Activate_Call_Allways_Function"), 1);
  Pop_Widget_Area();
  EXPECT_EQ(Host_Call_Args("Activate_Call_Allways_Function", 1), std::vector<std::string>{"0"});
  EXPECT_EQ(Widget_Hover_In_Use(), 0);
  Pop_Widget_Area();  // not below 0
  EXPECT_EQ(Get_Widget_Area_Depth(), 0);
  // The stack grows past 20 entries and every push is popped again.
  for (int i = 0; i < 30; ++i) Push_Widget_Area(0, i % 20, 0, 0, 1, 1, &dx, &dy);
  EXPECT_EQ(Get_Widget_Area_Depth(), 30);
  for (int i = 0; i < 30; ++i) Pop_Widget_Area();
  EXPECT_EQ(Widget_Hover_In_Use(), 0);
}

TEST_F(WidgetLayer, BeginTakesTheLastStackEntryOfItsArea) {
  int dx = 5, dy = 7;
  Push_Widget_Area(11, 3, 100, 200, 300, 400, &dx, &dy);
  Push_Widget_Area(12, 4, 1, 2, 3, 4, &dx, &dy);
  Push_Widget_Area(13, 3, 110, 210, 300, 400, &dx, &dy);
  Set_Widget_Font(0x1001);
  Begin_Widget_Area(3);
  EXPECT_EQ(std::vector<int>({Get_Widget_Font(), Get_Widget_Text_Color(), Get_Widget_Background_Color()}),
            std::vector<int>({4096, BLACK_CI, WHITE_CI}));
  Set_Last_Widget_Rect(0, 0, 10, 10, 1);
  Set_Widget_Hint("a", 0, 0);
  EXPECT_EQ(Get_Widget_Hint(0)->handle, 13);
  Begin_Widget_Area(3);
  EXPECT_EQ(Get_Widget_Hint_Count(), 0);
}

TEST_F(WidgetLayer, LevelColoursWithTheDefaults) {
  int c1 = Nearest_Color_Index(132, 97, 66), c2 = Nearest_Color_Index(64, 128, 192);
  EXPECT_EQ(std::vector<int>({Get_Widget_Level_Color_A(29), Get_Widget_Level_Color_A(30), Get_Widget_Level_Color_A(50),
                              Get_Widget_Level_Color_B(50)}),
            std::vector<int>({BLACK_CI, c1, c2, Nearest_Color_Index(0, 0, 150)}));
  EXPECT_EQ(std::vector<int>({Set_Widget_Level_Color_A(1, 77), Set_Widget_Level_Color_A(5, 66), Set_Widget_Level_Color_B(-1, 99)}),
            std::vector<int>({1, 66, -1}));
  EXPECT_EQ(std::vector<int>({Get_Widget_Level_Color_A(30), Get_Widget_Level_Color_A(60), Get_Widget_Level_Color_B(0)}),
            std::vector<int>({77, 66, BLACK_CI}));
  Set_Widget_Level_Step(10);
  EXPECT_EQ(std::vector<int>({Get_Widget_Level_Color_A(20), Get_Widget_Level_Position(2)}), std::vector<int>({77, 30}));
  Set_Widget_Level_Step(2.25);
  Set_Widget_Level_Base(0);
  EXPECT_EQ(Get_Widget_Level_Position(2), 5);    // 4.5 away from zero
  EXPECT_EQ(Get_Widget_Level_Position(-2), -5);  // -4.5 away from zero
}

TEST_F(WidgetLayer, TransformRoundTrip) {
  Set_Widget_Transform(10, -4, 0.3, 2.5);
  double x = 7, y = 3;
  Transform_Widget_Point(&x, &y);
  Untransform_Widget_Point(&x, &y);
  EXPECT_NEAR(x, 7, 1e-12);
  EXPECT_NEAR(y, 3, 1e-12);
  EXPECT_NEAR(Get_Widget_Distance(0, 0, 3, 4), 12.5, 1e-12);
}

// ---------------------------------------------------------------- value tables

TEST_F(WidgetLayer, IntMirrorsRoundHalfAwayFromZero) {
  int a = 0, b = 0, c = 7;
  *Register_Widget_Int_Mirror(&a) = -2.5;
  *Register_Widget_Int_Mirror(&b) = 2.5;
  Register_Widget_Int_Mirror(&c);
  EXPECT_EQ(Get_Widget_Sheet_Int(&c), 7);
  Set_Widget_Sheet_Int(&c, 9);
  EXPECT_EQ(c, 9);
  EXPECT_EQ(Finish_Widget_Sheet_Values(0), 0);
  EXPECT_EQ(std::vector<int>({a, b, c}), std::vector<int>({-3, 3, 9}));
  // Dropped by default: no longer registered.
  EXPECT_EQ(Get_Widget_Sheet_Int(&a), -99999999);
  // With the switch off they stay.
  Set_Widget_Drop_Int_Mirrors(0);
  Register_Widget_Int_Mirror(&a);
  Finish_Widget_Sheet_Values(0);
  EXPECT_EQ(Get_Widget_Sheet_Int(&a), -3);
}

TEST_F(WidgetLayer, ScaledValueIsMultipliedOnceAndDividedBackExactly) {
  double v = 0.002;
  EXPECT_EQ(Register_Widget_Scaled_Value(&v, 1000.0), 1);
  EXPECT_EQ(v, 2.0);
  std::vector<double> others(50, 1.0);
  for (int i = 0; i < 50; ++i) {
    Register_Widget_Scaled_Value(&v, 1000.0);
    Register_Widget_Scaled_Value(&others[static_cast<std::size_t>(i)], 10.0);
  }
  EXPECT_EQ(v, 2.0);
  Finish_Widget_Sheet_Values(Get_Widget_Sheet_Level());
  EXPECT_EQ(v, 0.002);
  for (double o : others) EXPECT_EQ(o, 1.0);
}

TEST_F(WidgetLayer, ManyRegistrationsOnOneLevelAllComeBack) {
  Open_Widget_Sheet_Level(0, nullptr, nullptr);
  std::vector<double> values(150);
  for (std::size_t i = 0; i < values.size(); ++i) {
    values[i] = 0.5 + static_cast<double>(i);
    Register_Widget_Scaled_Value(&values[i], 4.0);
  }
  std::vector<int> ints(150, 0);
  std::vector<double *> mirrors;
  for (int &i : ints) mirrors.push_back(Register_Widget_Int_Mirror(&i));
  for (std::size_t i = 0; i < mirrors.size(); ++i) *mirrors[i] = static_cast<double>(i);  // stable addresses
  Close_Widget_Sheet_Level(0);
  for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(values[i], 0.5 + static_cast<double>(i));
  for (std::size_t i = 0; i < ints.size(); ++i) EXPECT_EQ(ints[i], static_cast<int>(i));
  EXPECT_EQ(Get_Widget_Sheet_Level(), 0);
}

TEST_F(WidgetLayer, NestedLevelsConvertOnlyTheirOwnEntries) {
  double outer = 1.0, inner = 1.0;
  int outer_int = 1, inner_int = 1;
  Open_Widget_Sheet_Level(0, nullptr, nullptr);
  Register_Widget_Scaled_Value(&outer, 10.0);
  *Register_Widget_Int_Mirror(&outer_int) = 4;
  Open_Widget_Sheet_Level(0, nullptr, nullptr);
  Register_Widget_Scaled_Value(&inner, 100.0);
  Register_Widget_Scaled_Value(&outer, 100.0);  // another level: registered anew
  *Register_Widget_Int_Mirror(&inner_int) = 6;
  EXPECT_EQ(Get_Widget_Sheet_Level(), 2);
  Close_Widget_Sheet_Level(0);
  EXPECT_EQ(std::vector<double>({inner, outer, double(inner_int), double(outer_int)}), std::vector<double>({1, 10, 6, 1}));
  Close_Widget_Sheet_Level(1);  // ints left untouched
  EXPECT_EQ(std::vector<double>({outer, double(outer_int)}), std::vector<double>({1, 1}));
}

namespace {
std::vector<int> g_applied;
int Apply_Ok(int table) {
  g_applied.push_back(table);
  return 0;
}
int Apply_Refuse(int table) {
  g_applied.push_back(table);
  return 7;
}
}  // namespace

TEST_F(WidgetLayer, ApplyRunsInPageOrderUntilTheFirstRefusal) {
  g_applied.clear();
  const WIDGET_APPLY_FN apply[4] = {&Apply_Ok, nullptr, &Apply_Refuse, &Apply_Ok};
  const int tables[4] = {10, 11, 12, 13};
  int level = Open_Widget_Sheet_Level(4, apply, tables);
  EXPECT_EQ(Finish_Widget_Sheet_Values(level), 7);
  EXPECT_EQ(g_applied, (std::vector<int>{10, 12}));
  Close_Widget_Sheet_Level(0);
}

TEST_F(WidgetLayer, DensityFieldRegistersOnceAndClamps) {
  int a = Create_Scrollable_View_Area(0, 0, 400, 300, 0, 0);
  Begin_Widget_Area(a);
  double density = 2500.0;
  EXPECT_EQ(Add_Widget_Rohdichte_Field(10, 20, &density, nullptr), 79);
  EXPECT_EQ(Add_Widget_Rohdichte_Field(10, 40, &density, nullptr), 79);
  EXPECT_EQ(Widget_Value_Entry_Count(0), 1);
  for (double d : {2500.0, 100.0}) {
    density = d;
    Clamp_Widget_Range_Value(&density);
    EXPECT_EQ(density, d > 1000 ? 2200.0 : 500.0);
  }
  const VIEW_ITEM *item = View_Area_Test_Items(a);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->x1, 17);
  EXPECT_EQ(item->change_fn.on_double, &Clamp_Widget_Range_Value);
}

// ---------------------------------------------------------------- hover and polygon

TEST_F(WidgetLayer, HintBoxShownAndRemovedRestoresTheCanvas) {
  int a = Open_Page(100, 100, 700, 500);
  Set_Last_Widget_Rect(50, 80, 150, 100, 1);
  Set_Widget_Hint("Hinweis\nzweite Zeile", 0, 0);
  pxFgc(Nearest_Color_Index(10, 200, 30));
  pxRect(100, 100, 700, 500);
  std::vector<uint8_t> before = Host_Snapshot();
  msStCu(100 + 100, 100 + 90);
  Widget_Hover_Function();
  EXPECT_GT(Host_Region_Diff(before, 0, 0, 1279, 1023), 100);
  // Box above the spot, left edge at the spot's centre.
  const WIDGET_HINT *h = Get_Widget_Hint(0);
  EXPECT_EQ(Host_Pixel(200 + 1, 180 - 5 - h->box_height + 1), WHITE_CI);
  msStCu(100 + 400, 100 + 300);
  Widget_Hover_Function();
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, 1279, 1023), 0);
  msStCu(200, 190);
  Widget_Hover_Function();
  EXPECT_GT(Host_Region_Diff(before, 0, 0, 1279, 1023), 0);
  Begin_Widget_Area(a);  // the page built anew while the hint is shown: no hints yet
  Widget_Hover_Function();
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, 1279, 1023), 0);
  Pop_Widget_Area();
}

TEST_F(WidgetLayer, HoverMovedStraightToAnotherButtonRestoresTheCanvas) {
  int escape = 0;
  Open_Page(0, 0, 800, 600, &escape);
  HOVER_BUTTON b{};
  b.handle = escape;
  b.x1 = 100, b.x2 = 200, b.y1 = 100, b.y2 = 140;
  b.text = "Knopf";
  b.font = 0x11000;
  b.text_x = 110, b.text_y = 125;
  b.text_colour = Nearest_Color_Index(200, 0, 0);
  Add_Widget_Hover_Button(&b);
  b.x1 = 200, b.x2 = 300;  // the next button touches the first
  b.text_x = 210;
  Add_Widget_Hover_Button(&b);
  std::vector<uint8_t> before = Host_Snapshot();
  msStCu(150, 120);
  Widget_Hover_Function();
  EXPECT_GT(Host_Region_Diff(before, 100, 100, 200, 140), 0);
  msStCu(250, 120);
  Widget_Hover_Function();
  EXPECT_EQ(Host_Region_Diff(before, 100, 100, 199, 140), 0);  // the first taken back
  EXPECT_GT(Host_Region_Diff(before, 201, 100, 300, 140), 0);
  msStCu(500, 500);
  Widget_Hover_Function();
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, 1279, 1023), 0);
  Pop_Widget_Area();
}

TEST_F(WidgetLayer, PolygonDrawnTwiceGivesTheSamePixels) {
  const int xs[3] = {0, 40, 0}, ys[3] = {0, 0, 30};
  Set_Widget_Polygon(3, xs, ys);
  Set_Widget_Background_Color(Nearest_Color_Index(0, 120, 0));
  Draw_Widget_Polygon(100, 100, 150, 150, nullptr);
  std::vector<uint8_t> once = Host_Snapshot();
  Draw_Widget_Polygon(100, 100, 150, 150, nullptr);
  EXPECT_EQ(Host_Region_Diff(once, 0, 0, 1279, 1023), 0);
  EXPECT_EQ(Host_Pixel(110, 105), Nearest_Color_Index(0, 120, 0));
}


// A popped entry's displacement ints end with the sheet run that lent them: the next hover
// call no longer reads them (here they change as a finished run's frame would).
TEST_F(WidgetLayer, PoppedEntryNoLongerLendsItsDisplacement) {
  int escape = 0;
  Open_Page(0, 0, 800, 600, &escape);
  HOVER_BUTTON b{};
  b.handle = escape;
  b.x1 = 100, b.x2 = 200, b.y1 = 100, b.y2 = 140;
  b.text = "Knopf";
  b.text_x = 110, b.text_y = 125;
  Add_Widget_Hover_Button(&b);
  Pop_Widget_Area();
  dx_ = dy_ = 400;
  const std::vector<uint8_t> before = Host_Snapshot();
  msStCu(150, 120);
  Widget_Hover_Function();
  EXPECT_GT(Host_Region_Diff(before, 100, 100, 200, 140), 0);  // the button found where it stands
}
