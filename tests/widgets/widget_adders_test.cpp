// The widget adders on one page: returned widths by the text width rule, the pixels of a page
// with fields in every state, labels, figures under a turned and scaled transform, factor
// heads and legend and text buttons (a golden picture), the factor table's rules, the hover
// text buttons, and the small operations around them (drawing mode 0, the bold adders).
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "support/cp850.h"
#include "tests/widgets/widgets_fixture.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"
#include "widgets/widget_sheets.h"

namespace {

class WidgetAdders : public WidgetsTest {
 protected:
  void SetUp() override {
    WidgetsTest::SetUp();
    escape = Add_Escape_Area_to_PS(20, 20, 1000, 720, 0, 2000);
    area = Create_Scrollable_View_Area(20, 20, 1000, 720, 0, 0);
    Push_Widget_Area(escape, area, 20, 20, 1000, 720, &dx, &dy);
    Begin_Widget_Area(area);
    Open_Widget_Sheet_Level(0, nullptr, nullptr);
  }
  void TearDown() override {
    Close_Widget_Sheet_Level(0);
    Pop_Widget_Area();
    WidgetsTest::TearDown();
  }
  std::vector<const VIEW_ITEM *> Items(int kind) const {
    std::vector<const VIEW_ITEM *> out;
    for (const VIEW_ITEM *item = View_Area_Test_Items(area); item; item = item->next)
      if (item->kind == kind) out.push_back(item);
    return out;
  }
  int area = -1, escape = -1, dx = 0, dy = 0;
};

int W(const char *text) { return Get_Widget_Text_Width(text, Get_Widget_Font()); }

}  // namespace

// Every adder returns the width the text width rule gives it (W = measured + 3, + 2 styled).
TEST_F(WidgetAdders, ReturnedWidths) {
  static double value = 1.5;
  static int number = 4, on = 1, off = 0;
  static const char texts[3][12] = {"S235", "S355 J2", "S460"};
  struct Case {
    const char *name;
    std::function<int()> add;
    std::function<int()> width;
  } cases[] = {
      {"underlined", [] { return Add_Widget_Underlined_Text(10, 20, "Dicke", nullptr); }, [] { return W("Dicke") + 4; }},
      {"boxed", [] { return Add_Widget_Boxed_Text(10, 20, "Dicke", nullptr); }, [] { return W("Dicke") + 6; }},
      {"boxed bold", [] { return Add_Widget_Boxed_Bold_Text(10, 20, "Dicke", &off); }, [] { return W("Dicke") + 11; }},
      {"boxed bold, empty", [] { return Add_Widget_Boxed_Bold_Text(10, 20, "", nullptr); }, [] { return 8; }},
      {"check box", [] { return Add_Widget_Check_Box(10, 20, "Wind", &on, &on); }, [] { return W("Wind") + 20; }},
      {"check box, empty", [] { return Add_Widget_Check_Box(10, 20, "", &on, nullptr); }, [] { return 13; }},
      {"float field", [] { return Add_Widget_Plain_Float_Field(10, 20, &value, 6, 2, nullptr); },
       [] { return 6 * 8 + 15; }},
      {"float field, width 0", [] { return Add_Widget_Plain_Float_Field(10, 20, &value, 0, 2, nullptr); },
       [] { return 0; }},
      {"coloured field", [] { return Add_Widget_Colored_Float_Field(10, 20, &value, 5, 1, Nearest_RGB_Color(200, 0, 0), nullptr); },
       [] { return 5 * 8 + 15; }},
      {"labelled field", [] { return Add_Widget_Labelled_Float_Field(10, 20, "t", &value, 4, 1, "mm", nullptr); },
       [] { return W("t") + 3 + 4 * 8 + 15 + 3 + W("mm"); }},
      {"int field", [] { return Add_Widget_Int_Field(10, 20, &number, 3, &off); }, [] { return 3 * 8 + 15; }},
      {"choice of three", [] { return Add_Widget_Choice_List(10, 20, texts[0], nullptr, 12, 3, &number, &on); },
       [] { return static_cast<int>(std::lround(W("S355 J2") * 0.125)) * 8 + 33; }},
      {"choice, stride 1", [] { return Add_Widget_Choice_List(10, 20, texts[0], nullptr, 1, 3, &number, &on); },
       [] { return 0; }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Clear_View_Area_Items(area);
    EXPECT_EQ(c.add(), c.width());
  }
  // Without a current area nothing is added and nothing is taken.
  Begin_Widget_Area(-1);
  for (const Case &c : cases) EXPECT_EQ(c.add(), 0) << c.name;
}

// One page of the adders, compared pixel for pixel: fields read-only (-1), editable (1) and
// greyed (0), boxed, underlined and symbol labels, a check box, a choice, figures through a
// transform turned by 30° and scaled 1.5, two factor heads (with and without units), a
// legend and text buttons active and inactive.
TEST_F(WidgetAdders, PageGolden) {
  static double values[3] = {12.5, 0.002, 355};
  static int states[3] = {-1, 1, 0};
  static int number = 7, checked = 1, choice = 1, target = 0;
  static const char texts[2][8] = {"S235", "S355"};
  for (int i = 0; i < 3; ++i) {
    const int y = 30 + 30 * i;
    int x = 10;
    x += Add_Widget_Symbol_Float_Field(x, y, "f", "yk", &values[i], i == 1 ? 1000.0 : 1.0, 7, 2, "MN/m²"_cp,
                                       &states[i]) + 10;
    x += Add_Widget_Int_Field(x, y, &number, 3, &states[i]) + 10;
    x += Add_Widget_Check_Box(x, y, "geschweißt"_cp, &checked, &states[i]) + 10;
    x += Add_Widget_Choice_List(x, y, texts[0], nullptr, 8, 2, &choice, &states[i]) + 10;
    Set_Widget_Background_Color(Nearest_RGB_Color(255, 230, 150));
    x += Add_Widget_Boxed_Text(x, y, "Kasten", &states[i]) + 10;
    x += Add_Widget_Boxed_Bold_Text(x, y, "fett", &states[i]) + 10;
    Set_Widget_Background_Color(Nearest_RGB_Color(255, 251, 240));
    Add_Widget_Underlined_Text(x, y, "unterstrichen", &states[i]);
  }
  Add_Widget_Bold_Text_Format(10, 130, "%d Lastf%slle", 3, "ä"_cp);
  Add_Widget_Bold_Label_with_Index(200, 130, "M", "Rd", 0, 0, nullptr);
  // Figures: a turned, scaled sketch; drawing mode 0 leaves the lines out but not the disc.
  Set_Widget_Transform(-150, -250, M_PI / 6, 1.5);
  Set_Widget_Text_Color(Nearest_RGB_Color(0, 0, 200));
  Add_Widget_Circle(60, 60, 30);
  Add_Widget_Arc(60, 60, 45, 0, M_PI / 2);
  const double px[4] = {0, 120, 120, 0}, py[4] = {0, 0, 20, 20};
  Add_Widget_Polygon(4, px, py);
  Add_Widget_Frame(-10, -10, 130, 130);
  Add_Widget_Dimension_Line(2, 0, 140, 120, 140, 10);
  Add_Widget_Dimension_Line(1, 500, 560, 560, 560, 10);  // x given in pixels
  Add_Widget_Dimension_Line(3, 500, 600, 560, 640, 10);  // both given in pixels
  Set_Widget_Background_Color(Nearest_RGB_Color(200, 60, 60));
  const double tx[3] = {140, 180, 160}, ty[3] = {0, 0, 40};
  Add_Widget_Filled_Polygon(3, tx, ty);
  Set_Widget_Drawing_Mode(0);
  Add_Widget_Disc(60, 60, 12);
  Add_Widget_Circle(60, 60, 50);  // left out
  Set_Widget_Drawing_Mode(1);
  Set_Widget_Transform(0, 0, 0, 1);
  Set_Widget_Text_Color(BLACK_CI);
  // Factor heads with units at y 420 and without at y 560, the legend below.
  FAKTOR_COLUMNS with{}, without{};
  FAKTOR_COLUMN *cols = nullptr, *bare = nullptr;
  Init_Faktor_Columns(&with, 3, &cols);
  with.columns = cols;
  Add_Faktor_Column(&with, 3, "Teilsicherheitsbeiwert", "gamma", "M0", "-", 6, 63, 5);
  Add_Faktor_Column(&with, 3, "Kombinationsbeiwert", "psi", "", "", 6, 50, 5);
  Add_Faktor_Table_Heads(420, 420, &with);
  Add_Faktor_Legend(420, 450, with.count, with.columns);
  Init_Faktor_Columns(&without, 2, &bare);
  without.columns = bare;
  without.rule_end = 700;
  Add_Faktor_Column(&without, 2, "", "k", "", "", 6, 40, 5);
  Add_Faktor_Table_Heads(420, 560, &without);
  Add_Faktor_Column_Heads(420, 640, with.count, with.columns);
  // Text buttons: active, inactive, framed.
  Add_Widget_Text_Button(area, 10, 600, 121, 0, 0, "Übernehmen"_cp, 3, &target, 1);
  Add_Widget_Text_Button(area, 150, 600, 121, 0, 0, "gesperrt", 4, &target, 0);
  Add_Widget_Framed_Text_Button(area, 290, 600, 101, 0, 0, Nearest_RGB_Color(200, 0, 0), Nearest_RGB_Color(0, 0, 200), 0, "Rahmen", 5, &target, 1);
  Update_View_Area_Scrolling(area);
  EXPECT_GOLDEN("widget_adders.png", 20, 20, 1000, 720);
  Free_Faktor_Columns(&with);
  Free_Faktor_Columns(&without);
}

// Factor columns: a new column stands behind the widths as they are when it is added (a later
// width change moves nothing), a full table takes no more, and the heads stand 15 pixels lower
// when no column has a unit; the legend's name column is max(50, 8 name + 6 index + 5) wide.
TEST_F(WidgetAdders, FactorColumns) {
  FAKTOR_COLUMNS t{};
  FAKTOR_COLUMN *cols = nullptr;
  Init_Faktor_Columns(&t, 2, &cols);
  t.columns = cols;
  t.left = 10;
  FAKTOR_COLUMN *a = Add_Faktor_Column(&t, 2, "A", "gamma", "M1", "", 6, 40, 5);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->x, 10 + 8);
  a->width = 100;
  FAKTOR_COLUMN *b = Add_Faktor_Column(&t, 2, "", "k", "", "", 6, 40, 5);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->x, 10 + 8 + 105);
  a->width = 50;
  EXPECT_EQ(b->x, 123);
  EXPECT_EQ(Add_Faktor_Column(&t, 2, "C", "c", "", "", 6, 40, 5), nullptr);
  EXPECT_EQ(Get_Faktor_Columns_Width(&t), 10 + 8 + 55 + 45);
  // Names without any unit: y − 16; the second column's unit makes it y − 31.
  for (const char *unit : {"", "kN"}) {
    SCOPED_TRACE(unit);
    std::snprintf(b->unit, sizeof b->unit, "%s", unit);
    Clear_View_Area_Items(area);
    Add_Faktor_Table_Heads(0, 100, &t);
    int name_y = 0;
    for (const VIEW_ITEM *item : Items(VIEW_TEXT))
      if (std::string(item->text) == "k") name_y = item->y1;
    EXPECT_EQ(name_y, unit[0] ? 100 - 31 : 100 - 16);
  }
  // Legend: "gamma" with index "M1" takes 8 · 5 + 6 · 2 + 5 = 57; "k" alone keeps 50.
  struct Row {
    const char *name, *index;
    int desc_x;
  } rows[] = {{"gamma", "M1", 200 + 57}, {"k", "", 200 + 50}};
  for (const Row &r : rows) {
    Clear_View_Area_Items(area);
    FAKTOR_COLUMN c{};
    std::snprintf(c.description, sizeof c.description, "Beiwert");
    std::snprintf(c.name, sizeof c.name, "%s", r.name);
    std::snprintf(c.index, sizeof c.index, "%s", r.index);
    Add_Faktor_Legend(200, 300, 1, &c);
    int desc_x = -1;
    for (const VIEW_ITEM *item : Items(VIEW_TEXT))
      if (std::string(item->text) == "Beiwert") desc_x = item->x1;
    EXPECT_EQ(desc_x, r.desc_x) << r.name;
  }
  t.word0 = 9;
  Reset_Faktor_Columns(&t, 1);
  EXPECT_EQ(std::vector<int>({t.word0, t.left, t.count, t.rule_end, t.columns[0].x, t.columns[0].width}),
            std::vector<int>({0, 0, 0, -1, 0, 63}));
  EXPECT_STREQ(t.columns[0].name, "???");
  Free_Faktor_Columns(&t);
  EXPECT_EQ(t.count, 0);
}

// Text buttons by alignment: the button spans x1..x1 + w, y1..y1 + 18 (w = width − 1); the
// last widget rectangle ends one pixel short; active buttons carry a click spot and count as
// hover buttons, inactive ones take the greyed background.
TEST_F(WidgetAdders, TextButtonsByAlignment) {
  static int target = 0;
  struct Case {
    int valign, halign, active;
    int rect[4];
    const char *background;
    int spots;
  } cases[] = {
      {0, 0, 1, {100, 50, 179, 68}, "textbuttonbg.bmp", 1},
      {2, 1, 0, {20, 32, 99, 50}, "TextButtonBgInaktive.bmp", 0},
      {4, 4, 1, {60, 41, 139, 59}, "textbuttonbg.bmp", 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.valign * 10 + c.halign);
    Clear_View_Area_Items(area);
    Begin_Widget_Area(area);
    Add_Widget_Text_Button(area, 100, 50, 81, c.valign, c.halign, "OK", 1, &target, c.active);
    int r[4], active = -1;
    Get_Last_Widget_Rect(&r[0], &r[1], &r[2], &r[3], &active);
    EXPECT_EQ(std::vector<int>(r, r + 4), std::vector<int>(c.rect, c.rect + 4));
    EXPECT_EQ(active, c.active);
    ASSERT_EQ(Items(VIEW_BITMAP_FILE).size(), 1u);
    EXPECT_STREQ(Items(VIEW_BITMAP_FILE)[0]->text, c.background);
    EXPECT_EQ(static_cast<int>(Items(VIEW_CLICK_SPOT).size()), c.spots);
    EXPECT_EQ(Get_Widget_Hover_Button_Count(), 1);
    // The text centred in the free width, 14 below the top.
    const VIEW_ITEM *text = Items(VIEW_TEXT).at(0);
    EXPECT_EQ(text->x1, c.rect[0] + (80 - W("OK")) / 2);
    EXPECT_EQ(text->y1, c.rect[1] + 14);
  }
  // A framed button without a text and a picture spot without a hover picture add no entry.
  Begin_Widget_Area(area);
  Add_Widget_Framed_Text_Button(area, 10, 10, 50, 0, 0, BLACK_CI, BLACK_CI, 0, "", 1, &target, 1);
  Add_Widget_Hover_Image_Spot(area, 10, 40, 20, 20, 2, 4, "a.bmp", "b.bmp", nullptr, nullptr, WHITE_CI, 1, &target, 0);
  EXPECT_EQ(Get_Widget_Hover_Button_Count(), 0);
  int r[4], active = -1;
  Get_Last_Widget_Rect(&r[0], &r[1], &r[2], &r[3], &active);
  EXPECT_EQ(std::vector<int>(r, r + 4), (std::vector<int>{0, 20, 20, 40}));  // centred, above y
}

// A bounded int field clamps its mirror at once; the int follows at the next build.
TEST_F(WidgetAdders, BoundedIntField) {
  int v = 15;
  auto shown = [&] { return *Items(VIEW_NUMBER_FIELD).back()->double_ptr; };
  Add_Widget_Bounded_Int_Field(10, 20, &v, 3, 0, 10, nullptr);
  EXPECT_EQ(v, 15);
  EXPECT_EQ(shown(), 10);
  Add_Widget_Bounded_Int_Field(10, 20, &v, 3, 0, 10, nullptr);
  EXPECT_EQ(v, 10);
  Set_Widget_Sheet_Int(&v, -4);
  Add_Widget_Bounded_Int_Field(10, 20, &v, 3, 0, 10, nullptr);
  EXPECT_EQ(v, -4);
  EXPECT_EQ(shown(), 0);
}
