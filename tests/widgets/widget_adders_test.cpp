// The widget adders on one page: fields in every state, labels, figures under a turned and
// scaled transform, factor heads and legend, text buttons by alignment, hover spots; the page's
// picture and its items (with every adder's returned width, the last widget rectangle and the
// hover buttons) as golden files; the factor table's rules and the bounded int field by hand.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
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

// One line per item of the area: kind, colour, font, option, corners, aux, active, text.
std::string Dump_Items(const VIEW_ITEM *item) {
  std::string out;
  for (; item; item = item->next) {
    char line[200];
    std::snprintf(line, sizeof line, "%d c%d f%x o%d (%d,%d,%d,%d) a%d %s \"%s\"\n", item->kind, item->colour,
                  item->font, item->option, item->x1, item->y1, item->x2, item->y2, item->aux,
                  item->active_ptr ? (*item->active_ptr ? "on" : "off") : "-", item->text ? item->text : "");
    out += line;
  }
  return out;
}

}  // namespace

// Every adder's returned width (nothing without a current area), then one page compared
// pixel for pixel and item by item: fields read-only (-1), editable (1) and greyed (0),
// boxed, underlined and symbol labels, a check box, a choice, figures through a transform
// turned by 30° and scaled 1.5, two factor heads (with and without units, the rule drawn to
// its end or beyond it), a legend, text buttons of each alignment active and inactive with
// their rectangles, framed buttons, hover spots, bounded int fields.
TEST_F(WidgetAdders, PageGolden) {
  static double value = 1.5;
  static int number = 4, on = 1, off = 0;
  static const char grades[3][12] = {"S235", "S355 J2", "S460"};
  const std::pair<const char *, std::function<int()>> adders[] = {
      {"underlined", [] { return Add_Widget_Underlined_Text(10, 20, "Dicke", nullptr); }},
      {"boxed", [] { return Add_Widget_Boxed_Text(10, 20, "Dicke", nullptr); }},
      {"boxed bold", [] { return Add_Widget_Boxed_Bold_Text(10, 20, "Dicke", &off); }},
      {"boxed bold, empty", [] { return Add_Widget_Boxed_Bold_Text(10, 20, "", nullptr); }},
      {"check box", [] { return Add_Widget_Check_Box(10, 20, "Wind", &on, &on); }},
      {"check box, empty", [] { return Add_Widget_Check_Box(10, 20, "", &on, nullptr); }},
      {"float field", [] { return Add_Widget_Plain_Float_Field(10, 20, &value, 6, 2, nullptr); }},
      {"float field, width 0", [] { return Add_Widget_Plain_Float_Field(10, 20, &value, 0, 2, nullptr); }},
      {"coloured field", [] { return Add_Widget_Colored_Float_Field(10, 20, &value, 5, 1, 3, nullptr); }},
      {"labelled field", [] { return Add_Widget_Labelled_Float_Field(10, 20, "t", &value, 4, 1, "mm", nullptr); }},
      {"int field", [] { return Add_Widget_Int_Field(10, 20, &number, 3, &off); }},
      {"choice of three", [] { return Add_Widget_Choice_List(10, 20, grades[0], nullptr, 12, 3, &number, &on); }},
      {"choice, stride 1", [] { return Add_Widget_Choice_List(10, 20, grades[0], nullptr, 1, 3, &number, &on); }},
  };
  std::string out;
  for (const auto &[name, add] : adders) {
    Clear_View_Area_Items(area);
    out += std::string(name) + ": " + std::to_string(add()) + "\n";
  }
  Begin_Widget_Area(-1);
  for (const auto &[name, add] : adders) EXPECT_EQ(add(), 0) << name;
  Clear_View_Area_Items(area);
  Begin_Widget_Area(area);

  static double values[3] = {12.5, 0.002, 355};
  static int states[3] = {-1, 1, 0};
  static int checked = 1, choice = 1, target = 0, bounded[3] = {15, -4, 9};
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
    x += Add_Widget_Underlined_Text(x, y, "unterstrichen", &states[i]) + 10;
    Add_Widget_Bounded_Int_Field(x, y, &bounded[i], 3, i == 2 ? 5 : 0, i == 2 ? 5 : 10, nullptr);  // 10, 0, 5
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
  // Factor heads with units at y 420 (rule to 700, beyond the columns) and without at y 560
  // (rule_end 300, short of them), the legends below and beside.
  FAKTOR_COLUMNS with{}, without{};
  FAKTOR_COLUMN *cols = nullptr, *bare = nullptr;
  Init_Faktor_Columns(&with, 3, &cols);
  with.columns = cols;
  with.rule_end = 700;
  Add_Faktor_Column(&with, 3, "Teilsicherheitsbeiwert", "gamma", "M0", "-", 6, 63, 5);
  Add_Faktor_Column(&with, 3, "Kombinationsbeiwert", "psi", "", "", 6, 50, 5);
  Add_Faktor_Table_Heads(420, 420, &with);
  Add_Faktor_Legend(420, 450, with.count, with.columns);
  Init_Faktor_Columns(&without, 2, &bare);
  without.columns = bare;
  without.rule_end = 300;
  Add_Faktor_Column(&without, 2, "", "k", "", "", 6, 40, 5);
  Add_Faktor_Table_Heads(420, 560, &without);
  Add_Faktor_Column_Heads(420, 640, with.count, with.columns);
  FAKTOR_COLUMN k{};  // a short name: the legend's name column keeps its 50
  std::snprintf(k.description, sizeof k.description, "Beiwert"), std::snprintf(k.name, sizeof k.name, "k");
  Add_Faktor_Legend(750, 450, 1, &k);
  // Text buttons (active, inactive, framed) with the rectangle each leaves and the hover count.
  auto rect = [&out](const char *name) {
    int r[4], active = -1;
    Get_Last_Widget_Rect(&r[0], &r[1], &r[2], &r[3], &active);
    out += std::string(name) + ": rect " + std::to_string(r[0]) + " " + std::to_string(r[1]) + " " +
           std::to_string(r[2]) + " " + std::to_string(r[3]) + ", active " + std::to_string(active) + ", hover " +
           std::to_string(Get_Widget_Hover_Button_Count()) + "\n";
  };
  Add_Widget_Text_Button(area, 10, 600, 121, 0, 0, "Übernehmen"_cp, 3, &target, 1);
  rect("text button");
  Add_Widget_Text_Button(area, 150, 600, 121, 2, 1, "gesperrt", 4, &target, 0);
  rect("inactive, above and left of the point");
  Add_Widget_Text_Button(area, 150, 660, 81, 4, 4, "OK", 4, &target, 1);
  rect("centred on the point");
  Add_Widget_Framed_Text_Button(area, 290, 600, 101, 0, 0, Nearest_RGB_Color(200, 0, 0), Nearest_RGB_Color(0, 0, 200), 0, "Rahmen", 5, &target, 1);
  rect("framed");
  Add_Widget_Framed_Text_Button(area, 290, 640, 50, 0, 0, BLACK_CI, BLACK_CI, 0, "", 1, &target, 1);
  rect("framed without a text");
  Add_Widget_Hover_Image_Spot(area, 40, 680, 20, 30, 4, 4, "a.bmp", "b.bmp", nullptr, nullptr, WHITE_CI, 1, &target, 0);
  rect("spot 30 × 20 centred, no hover picture");
  Add_Widget_Hover_Image_Spot(area, 100, 680, 20, 30, 2, 1, "a.bmp", "b.bmp", "c.bmp", "d.bmp", WHITE_CI, 2, &target, 1);
  rect("spot above and left");
  Update_View_Area_Scrolling(area);
  EXPECT_GOLDEN("widget_adders.png", 20, 20, 1000, 720);
  out += Dump_Items(View_Area_Test_Items(area));
  const std::string path = std::string(PF_SOURCE_DIR) + "/tests/widgets/golden/widget_adders.txt";
  if (std::getenv("PF_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << out;
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(in), {}) == out) << "PF_UPDATE_GOLDEN=1 rewrites " << path;
  Free_Faktor_Columns(&with);
  Free_Faktor_Columns(&without);
}

// Factor columns: a new column stands behind the widths as they are when it is added (a later
// width change moves nothing), a full table takes no more; reset and free.
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
  t.word0 = 9;
  Reset_Faktor_Columns(&t, 1);
  EXPECT_EQ(std::vector<int>({t.word0, t.left, t.count, t.rule_end, t.columns[0].x, t.columns[0].width}),
            std::vector<int>({0, 0, 0, -1, 0, 63}));
  EXPECT_STREQ(t.columns[0].name, "???");
  Free_Faktor_Columns(&t);
  EXPECT_EQ(t.count, 0);
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
