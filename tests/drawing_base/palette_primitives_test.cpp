// Plot palette, widget flag ring, numbers and plot primitives, read back from the list.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "drawing_base/drawing_base.h"
#include "print/print.h"
#include "tests/testsupport/olireader.h"

namespace {
class PlotPrimitives : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Print_For_Tests();
    Reset_Drawing_Base_For_Tests();
    Init_Plot_Palette();
    path_ = ::testing::TempDir() + "drawing_base_" + std::to_string(getpid()) + ".oli";
    f_ = Open_Druckliste(path_.c_str());
    ASSERT_EQ(0, Oliplot_Begin_Grafic(f_, -10, 10, 10, -10, 1, 1, 0, 0));
    Oliplot_Set_Extended_Mode(1);
  }
  void TearDown() override {
    Reset_Print_For_Tests();
    std::remove(path_.c_str());
  }
  // The directives of the block (its head directives not counted).
  std::vector<OLI_PRIMITIVE> Finish() {
    Oliplot_End_Grafic(f_);
    Close_Druckliste(f_);
    std::ifstream in(path_, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    OLI_DOCUMENT doc;
    EXPECT_EQ(0, Read_Oli_Text(bytes.data(), bytes.size(), &doc)) << bytes;
    return doc.graphics.empty() ? std::vector<OLI_PRIMITIVE>{} : doc.graphics[0].items;
  }
  std::string path_;
  FILE *f_ = nullptr;
};
}  // namespace

std::string Text_Golden_Mismatch(const std::string &name, const std::string &text);  // world_golden_test.cpp

// Set entries give their colour record; unset ones, −1 and 30 give none.
TEST_F(PlotPrimitives, PaletteColours) {
  for (int index : {25, -1, 30, 20, 29, 5, 13}) Plot_Palette_Color(index);
  auto items = Finish();
  ASSERT_EQ(3u, items.size());
  EXPECT_EQ((std::vector<double>{0, 0, 0}), items[0].numbers);      // 29: zero storage
  EXPECT_EQ((std::vector<double>{125, 125, 255}), items[1].numbers);  // pal_blue_light
  EXPECT_EQ((std::vector<double>{128, 64, 0}), items[2].numbers);     // pal_brown
  int r = 7, g = 7, b = 7;
  EXPECT_EQ(1, Get_Plot_Palette_Entry(20, &r, &g, &b));
  EXPECT_EQ(0, r + g + b);
  EXPECT_EQ(0, Get_Plot_Palette_Entry(19, &r, &g, &b));
  EXPECT_EQ(171 + 12 + 36, r + g + b);
  // Back to the defaults after a drawing changed the roles: fill codes, the polygon style,
  // the outline; the screen set's flags and font words.
  PLOT_PALETTE *pal = Get_Plot_Palette();
  Set_Polygon_Fill_Style(7, 9);
  pal->fill_code_section = pal->fill_code_mark = pal->pal_outline = 5;
  Init_Plot_Palette();
  EXPECT_EQ((std::vector<int>{pal->polygon_fill_color, pal->polygon_fill_code, pal->fill_code_section,
                              pal->fill_code_plot_a, pal->fill_code_plot_b, pal->fill_code_mark, pal->pal_outline}),
            (std::vector<int>{1, 0, 34, 43, 26, 59, 0}));
  Init_Screen_Colors();
  const SCREEN_COLORS *c = Get_Screen_Colors();
  EXPECT_EQ((std::vector<int>{c->flag_on, c->flag_off, c->font_bold_large, c->font_bold, c->font_normal, c->font_small}),
            (std::vector<int>{1, 0, 0x11001, 0x11000, 0x1000, 0x1002}));
}

TEST(WidgetCellRing, TakesCellsRoundTheRing) {
  Reset_Widget_Cell_Ring();
  int32_t *first = Take_Widget_Cell(1);
  EXPECT_EQ(&Get_Widget_Cell_Ring()->cells[0], first);
  EXPECT_EQ(1, *first);
  for (int i = 1; i < 1000; ++i) Take_Widget_Cell(0);
  EXPECT_EQ(first, Take_Widget_Cell(0));  // the 1001st
  EXPECT_EQ(0, *first);
  Reset_Widget_Cell_Ring();
  EXPECT_EQ(-1, Get_Widget_Cell_Ring()->index);
}

TEST(DrawingNumbers, RoundPixelAndSnapUnit) {
  struct Case {
    double x, round;
  } cases[] = {{0.44, 0}, {0.45, 1}, {-0.45, -1}, {2.5, 3}, {-2.44, -2}, {0, 0}};
  for (const Case &c : cases) EXPECT_EQ(c.round, Round_Pixel(c.x)) << c.x;
  EXPECT_EQ(0.0, Snap_Unit(std::cos(M_PI / 2)));
  EXPECT_EQ(1.0, Snap_Unit(0.9995));
  EXPECT_EQ(-1.0, Snap_Unit(-1.0009));
  EXPECT_EQ(0.998, Snap_Unit(0.998));
  EXPECT_EQ(0.005, Snap_Unit(0.005));
  // Halves away from zero, truncation toward it, far pixels held at ±1e9, NaN at 0.
  EXPECT_EQ((std::vector<int>{Round_Half_Away(-2.5), Round_Half_Away(2.5), Trunc_Pixel(-7.9), Trunc_Pixel(-2e9),
                              Trunc_Pixel(3e9), Trunc_Pixel(NAN), Round_Pixel_Int(-0.45)}),
            (std::vector<int>{-3, 3, -7, -1000000000, 1000000000, 0, -1}));
}

// A ring has 2n + 2 points with its seam on the ray at angle 0; a circle n points.
TEST(DrawingNumbers, RingPolygon) {
  double x[RING_MAX_POINTS], y[RING_MAX_POINTS];
  ASSERT_EQ(10, Build_Ring_Polygon(1, 2, 5, 3, 4, x, y));
  const double ex[10] = {6, 1, -4, 1, 6, 4, 1, -2, 1, 4}, ey[10] = {2, 7, 2, -3, 2, 2, -1, 2, 5, 2};
  for (int i = 0; i < 10; ++i) {
    EXPECT_NEAR(ex[i], x[i], 1e-12) << i;
    EXPECT_NEAR(ey[i], y[i], 1e-12) << i;
  }
  EXPECT_EQ(4, Build_Ring_Polygon(0, 0, 5, 0, 4, x, y));
  EXPECT_EQ(4, Build_Ring_Polygon(0, 0, 5, 5, 4, x, y));
  EXPECT_EQ(10, Build_Ring_Polygon(0, 0, -5, -3, 4, x, y));
  EXPECT_EQ(0, Build_Ring_Polygon(0, 0, 5, 3, 65, x, y));
}

TEST_F(PlotPrimitives, RingsCirclesAndLines) {
  Plot_Filled_Ring(0, 0, 5, 3, 8, 5, 34, 1, 0);   // ring with outline: 8 + 8 + 1 edges
  Plot_Filled_Ring(0, 0, 5, 0, 8, 5, 34, -1, -1);  // both outline arguments negative
  Plot_Filled_Ring(0, 0, 5, 0, 8, 5, 34, 1, -1);   // circle, no outline
  Plot_Filled_Ring(0, 0, 5, 3, 65, 5, 34, 1, 0);   // too many segments
  Plot_Colored_Line(0, 0, 1, 1, 0, -1);
  Plot_Colored_Line(0, 0, 1, 1, -1, 1);
  Plot_Filled_Circle(0, 0, 2, -1, 0, -1, 0);
  auto items = Finish();
  std::vector<const OLI_PRIMITIVE *> fills;
  int lines = 0;
  for (const OLI_PRIMITIVE &p : items) {
    if (p.code == 18) fills.push_back(&p);
    lines += p.code == 1;
  }
  ASSERT_EQ(2u, fills.size());
  EXPECT_EQ(18u, fills[0]->points.size());
  EXPECT_EQ(8u, fills[1]->points.size());
  EXPECT_EQ(17 + 64, lines);  // the ring's outline, then the full circle of 64 segments
  // The circle without fill and line type still writes its outline in a state bracket.
  EXPECT_EQ(30, items[items.size() - 68].code);
  EXPECT_EQ(31, items[items.size() - 2].code);
}

// Every palette entry and plot primitive in one block (fill colour 0, line types 0 and 2,
// rings either way with their outlines): the list as its golden file.
TEST_F(PlotPrimitives, GoldenBlock) {
  for (int i = 0; i < PLOT_PALETTE_SIZE; ++i) Plot_Palette_Color(i);
  Plot_Colored_Line(-5, -5, 5, 4, 7, 0);
  Plot_Filled_Circle(1, 2, 3, 0, 59, 0, 13);
  Plot_Filled_Circle(-1, -2, 1.5, -1, 0, 2, 5);
  Plot_Filled_Ring(0, 0, 6, 2.5, 5, 0, 34, 0, 19);
  Plot_Filled_Ring(2, 1, -4, -1, 3, 8, 43, 1, 0);
  Finish();
  std::ifstream in(path_, std::ios::binary);
  EXPECT_EQ(Text_Golden_Mismatch("plot_primitives.oli", std::string(std::istreambuf_iterator<char>(in), {})), "");
}
