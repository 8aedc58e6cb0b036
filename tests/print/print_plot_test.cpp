// Graphic blocks; expected numbers are worked by hand from the transform in print/print.h.
#include <gmock/gmock.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

#include "tests/print/print_test_util.h"

namespace {

using ::testing::DoubleNear;
using ::testing::Pointwise;
constexpr double kPi = 3.14159265358979323846;

// Block A: x 0..200, z 0..100, scales 1, angle 0, z downward: X = x, Y = 100 − z.
class PrintGraphic : public PrintListFile {
 protected:
  void Open_A() { ASSERT_EQ(0, Oliplot_Begin_Grafic(f_, 0, 100, 200, 0, 1, 1, 0, 0)); }
  // The directives written between the block head and its end.
  std::string Body() {
    std::string bytes = Finish();
    std::size_t head = bytes.find('\n');
    std::size_t end = bytes.rfind(" -1\n");
    if (head == std::string::npos || end == std::string::npos || end < head) return "<no block>";
    return bytes.substr(head + 1, end - head - 1);
  }
};

TEST_F(PrintGraphic, HeadAndEndOfABlock) {
  Open_A();
  EXPECT_EQ(f_, Oliplot_Stream());
  Oliplot_End_Grafic(f_);
  EXPECT_EQ(nullptr, Oliplot_Stream());
  EXPECT_EQ("#SHOWGRAFIC 200.0000 100.0000\n -1\n", Finish());
}

// Every writer's directives in block A, as writer scripts and the block body they leave:
// lines, rectangles and fill codes (numbers below 5e-7 written as 0, never as -0.000000);
// filled polygon and polylines (nothing with fills off or fewer than two points); text
// directives (line breaks and guillemets become blanks); the colour table (nearest entry,
// the first of equally near ones) and extended mode; dimension lines along +x with
// oblique ticks (the style restored by the save), vertical with end bars, label side +1.
TEST(PrintWriters, ScriptsAndTheirDirectives) {
  const struct {
    const char *what;
    std::function<void()> script;
    const char *body;
  } cases[] = {
      {"lines",
       [] {
         Oliplot_Line(10, 20, 30, 40);
         Oliplot_Line(-1e-8, 100 + 1e-8, 30, 40);
         Oliplot_Rectangle(10, 20, 30, 40);
         Oliplot_Rectangle_Centered(100, 50, 20, 10);
         Oliplot_Set_Color(34);
         Oli_Set_Colors(0);
         Oliplot_Set_Color(34);
       },
       " 1  10.000000 80.000000 30.000000 60.000000\n"
       " 1  0.000000 0.000000 30.000000 60.000000\n"
       " 24  10.000000 80.000000 30.000000 60.000000\n"
       " 24  90.000000 55.000000 110.000000 45.000000\n"
       " 20  34\n 20  0\n"},
      {"polygons",
       [] {
         double x[3] = {0, 10, 0}, z[3] = {0, 0, 10};
         Oliplot_Filled_Polygon(3, x, z);
         for (int n : {3, -3, -1, 1, 0}) Oliplot_Polyline(n, x, z);
         Oli_Set_Fills(0);
         Oliplot_Filled_Polygon(3, x, z);
       },
       " 18 3\n 0.000000 100.000000\n 10.000000 100.000000\n 0.000000 90.000000\n"
       " 1  0.000000 100.000000 10.000000 100.000000\n"
       " 1  10.000000 100.000000 0.000000 90.000000\n"
       " 1  0.000000 90.000000 0.000000 100.000000\n"
       " 1  0.000000 100.000000 10.000000 100.000000\n"
       " 1  10.000000 100.000000 0.000000 90.000000\n"},
      {"texts",
       [] {
         Oliplot_Text_Printf(50, 50, 4, 3, "%s", "S");
         Oliplot_Text_Printf(50, 50, 2, 1, "r%.0lf", 24.0);
         Oliplot_Text_Rotated(50, 50, "2");
         Oliplot_Text_Box(20, 30, "7");
         Oliplot_Text_Box(20, 30, "a\nb«c»"_cp);
       },
       " 9 50.000000 50.000000 0.000000 0.000000 43 «S»\n"
       " 9 50.000000 50.000000 0.000000 0.000000 21 «r24»\n"
       " 14 0.000000 0\n"
       " 9 50.000000 50.000000 0.000000 0.000000 43 «2»\n"
       " 9 20.000000 70.000000 0.000000 0.000000 23 «7»\n"
       " 9 20.000000 70.000000 0.000000 0.000000 23 «a b c »\n"_cp},
      {"colours",
       [] {
         EXPECT_EQ(2, Oliplot_Fill_Color(30, 150, 30));    // dark green 0 128 0
         EXPECT_EQ(0, Oliplot_Fill_Color(64, 0, 0));       // as near to 0 as to 4
         EXPECT_EQ(7, Oliplot_Fill_Color(160, 160, 160));  // as near to 7 as to 8
         Oliplot_Set_Extended_Mode(1);
         EXPECT_EQ(15, Oliplot_Fill_Color(233, 233, 233));
         EXPECT_EQ(0, Oliplot_Fill_Color(-5, 0, 300 - 300));
         Oliplot_Save_State();
         Oliplot_Restore_State();
         Oli_Set_Colors(0);
         EXPECT_EQ(0, Oliplot_Fill_Color(255, 0, 0));
       },
       "50 233 233 233\n50 0 0 0\n 30\n 52\n 31\n 53\n50 0 0 0\n"},
      {"dimensions",
       [] {
         Oliplot_Set_Dimension_Style(8);
         Oliplot_Save_State();
         Oliplot_Set_Dimension_Style(0);
         Oliplot_Restore_State();
         EXPECT_EQ(0, Oliplot_Dimension_Line(0, 0, 200, 0, 0.1, -2));
         Oliplot_Set_Dimension_Style(0);
         EXPECT_EQ(0, Oliplot_Dimension_Line(-10, 0, -10, 100, 0.1, -2));
         EXPECT_EQ(0, Oliplot_Dimension_Line(0, 10, 7.5, 10, 0.2, 1));
         EXPECT_EQ(-1, Oliplot_Dimension_Line(5, 5, 5, 5, 0.1, 2));  // zero length: nothing
       },
       " 30\n 31\n"
       " 1  0.000000 100.000000 200.000000 100.000000\n"
       " 1  -0.070711 99.929289 0.070711 100.070711\n"
       " 1  199.929289 99.929289 200.070711 100.070711\n"
       " 9 100.000000 99.900000 0.100000 0.000000 23 «200»\n"
       " 1  -10.000000 100.000000 -10.000000 0.000000\n"
       " 1  -10.100000 100.000000 -9.900000 100.000000\n"
       " 1  -10.100000 0.000000 -9.900000 0.000000\n"
       " 9 -10.100000 50.000000 0.100000 90.000000 23 «100»\n"
       " 1  0.000000 90.000000 7.500000 90.000000\n"
       " 1  0.000000 89.900000 0.000000 90.100000\n"
       " 1  7.500000 89.900000 7.500000 90.100000\n"
       " 9 3.750000 90.150000 0.200000 0.000000 23 «7.5»\n"_cp},
  };
  for (const auto &c : cases) {
    const std::string bytes = Written([&](FILE *f) {
      ASSERT_EQ(0, Oliplot_Begin_Grafic(f, 0, 100, 200, 0, 1, 1, 0, 0));
      c.script();
      Oliplot_End_Grafic(f);
    });
    EXPECT_EQ("#SHOWGRAFIC 200.0000 100.0000\n" + std::string(c.body) + " -1\n", bytes) << c.what;
  }
}

TEST_F(PrintGraphic, DimensionLabelsRoundToTenths) {
  Open_A();
  const double lengths[6] = {200.04, 7.5, 0.04, 199.96, 12.25, 200.05};
  for (double l : lengths) Oliplot_Dimension_Line(0, 0, l, 0, 0.1, 0);
  OLI_DOCUMENT doc = Finish_And_Read();
  std::vector<std::string> labels;
  for (const OLI_PRIMITIVE &p : doc.graphics.at(0).items)
    if (p.code == 9) labels.push_back(p.text);
  EXPECT_EQ((std::vector<std::string>{"200", "7.5", "0", "200", "12.3", "200.1"}), labels);
}

TEST_F(PrintGraphic, AxisPairPointsAlongZAndY) {
  Open_A();
  Oliplot_Axis_Pair(100, 50, "z", "y", 0.5, kPi / 2);
  Oliplot_Axis_Pair(100, 50, "", nullptr, 1.0, kPi / 2);
  OLI_DOCUMENT doc = Finish_And_Read();
  const std::vector<OLI_PRIMITIVE> &it = doc.graphics.at(0).items;
  ASSERT_EQ(8u + 6u, it.size());
  // z arm: down the paper (z grows downward), head strokes back at ±30°, label beyond.
  EXPECT_EQ((std::vector<double>{100, 50, 100, 49.5}), it[0].numbers);
  EXPECT_THAT((std::vector<double>{it[1].numbers[2], it[1].numbers[3], it[2].numbers[2]}),
              Pointwise(DoubleNear(1e-6), std::vector<double>{99.95, 49.5 + 0.1 * std::cos(kPi / 6), 100.05}));
  EXPECT_EQ("9 z", std::to_string(it[3].code) + " " + it[3].text);
  EXPECT_EQ((std::vector<double>{100, 49.35, 0, 0, 23}), it[3].numbers);
  // y arm: to the right.
  EXPECT_EQ((std::vector<double>{100, 50, 100.5, 50}), it[4].numbers);
  EXPECT_EQ("y", it[7].text);
  EXPECT_EQ((std::vector<double>{100.65, 50, 0, 0, 23}), it[7].numbers);
  // Empty labels: arms and heads only.
  for (std::size_t i = 8; i < it.size(); ++i) EXPECT_EQ(1, it[i].code);
}

// Arcs: segments of pi/16, of pi/32 beyond 180°; 0 and 360 a full circle.
TEST_F(PrintGraphic, ArcSegmentCounts) {
  Open_A();
  const double sweeps[6] = {90, 180, 270, 360, 0, -90};
  for (double s : sweeps) {
    Oliplot_Arc(100, 50, 20, 0, s);
    Oliplot_Set_Color(1);  // separator
  }
  OLI_DOCUMENT doc = Finish_And_Read();
  std::vector<int> counts{0};
  for (const OLI_PRIMITIVE &p : doc.graphics.at(0).items) {
    if (p.code == 20) counts.push_back(0);
    else if (p.code == 1) ++counts.back();
  }
  counts.pop_back();
  EXPECT_EQ((std::vector<int>{8, 16, 48, 64, 64, 8}), counts);
  // The quarter runs counter-clockwise on paper: from (110, 50) to (100, 60).
  // The clockwise quarter ends at (100, 40).
  const std::vector<OLI_PRIMITIVE> &it = doc.graphics[0].items;
  const OLI_PRIMITIVE &last = it[it.size() - 2];
  EXPECT_THAT((std::vector<double>{it[0].numbers[0], it[0].numbers[1], it[7].numbers[2], it[7].numbers[3],
                                   last.numbers[2], last.numbers[3]}),
              Pointwise(DoubleNear(1e-6), std::vector<double>{110, 50, 100, 60, 100, 40}));
}

TEST_F(PrintGraphic, FilledCircleAndRing) {
  Open_A();
  Oliplot_Filled_Circle(100, 50, 20);
  Oliplot_Filled_Ring(100, 50, 20, 10);
  Oli_Set_Fills(0);
  Oliplot_Filled_Circle(100, 50, 20);
  Oliplot_Filled_Ring(100, 50, 20, 10);
  OLI_DOCUMENT doc = Finish_And_Read();
  const std::vector<OLI_PRIMITIVE> &it = doc.graphics.at(0).items;
  ASSERT_EQ(2u, it.size());
  // A 32-gon from (110, 50), a quarter turn up the paper at point 8; the ring's outer and
  // inner contours closed.
  EXPECT_EQ((std::vector<std::vector<double>>{{32}, {66}}), (std::vector<std::vector<double>>{it[0].numbers, it[1].numbers}));
  ASSERT_EQ((std::vector<size_t>{32, 66}), (std::vector<size_t>{it[0].points.size(), it[1].points.size()}));
  EXPECT_THAT((std::vector<double>{it[0].points[0][0], it[0].points[8][1]}), Pointwise(DoubleNear(1e-6), {110, 60}));
  for (const auto &p : it[0].points) EXPECT_NEAR(10, std::hypot(p[0] - 100, p[1] - 50), 1e-6);
  EXPECT_TRUE(it[1].points[0] == it[1].points[32] && it[1].points[33] == it[1].points[65]);
  EXPECT_NEAR(5, std::hypot(it[1].points[40][0] - 100, it[1].points[40][1] - 50), 1e-6);
}

// Quarter turn at scale 0.05: size 10 × 5 cm turns to 5 × 10; the top left corner
// (0, 0) of the extent goes to the lower left, the bottom right (200, 100) to the upper
// right: p = ±5, q = ±2.5, X = 2.5 − q, Y = 5 + p.
TEST_F(PrintGraphic, QuarterTurnAtScale005) {
  ASSERT_EQ(0, Oliplot_Begin_Grafic(f_, 0, 100, 200, 0, 0.05, 0.05, kPi / 2, 0));
  Oliplot_Line(0, 0, 200, 100);
  Oliplot_Text_Rotated(200, 0, "1");
  Oliplot_Rectangle(0, 0, 200, 100);
  EXPECT_EQ(
      "#SHOWGRAFIC 5.0000 10.0000\n"
      " 1  0.000000 0.000000 5.000000 10.000000\n"
      " 14 90.000000 0\n"
      " 9 0.000000 10.000000 0.000000 90.000000 43 \xAE" "1\xAF\n"
      " 1  0.000000 0.000000 0.000000 10.000000\n"
      " 1  0.000000 10.000000 5.000000 10.000000\n"
      " 1  5.000000 10.000000 5.000000 0.000000\n"
      " 1  5.000000 0.000000 0.000000 0.000000\n"
      " -1\n",
      Finish());
}

TEST_F(PrintGraphic, UpwardOrientationKeepsZ) {
  ASSERT_EQ(0, Oliplot_Begin_Grafic(f_, 0, 100, 200, 0, 1, 1, 0, 1));
  Oliplot_Line(10, 20, 30, 40);
  EXPECT_EQ(" 1  10.000000 20.000000 30.000000 40.000000\n", Body());
}

TEST_F(PrintGraphic, DrawnExtentCoversTheSegments) {
  Open_A();
  double ext[4] = {-1, -1, -1, -1};
  EXPECT_EQ(0, Oliplot_Drawn_Extent(ext));
  Oliplot_Line(10, 20, 30, 40);
  Oliplot_Line(-5, 90, 0, 0);
  ASSERT_EQ(1, Oliplot_Drawn_Extent(ext));
  EXPECT_EQ((std::vector<double>{-5, 10, 30, 100}), std::vector<double>(ext, ext + 4));
  // The extent is that of the numbers as written: a coordinate below 5e-7 counts as 0 (a
  // block of no size, so that paper x is world x and paper y is −z).
  ASSERT_EQ(0, Oliplot_Begin_Grafic(f_, 0, 0, 0, 0, 1, 1, 0, 0));
  Oliplot_Line(-3e-7, 4e-7, 1, -2e-7);
  ASSERT_EQ(1, Oliplot_Drawn_Extent(ext));
  EXPECT_EQ((std::vector<double>{0, 0, 1, 0}), std::vector<double>(ext, ext + 4));
}

TEST_F(PrintGraphic, SaveAndRestoreStayBalanced) {
  Open_A();
  Oliplot_Restore_State();  // without a save: nothing
  for (int i = 0; i < 2; ++i) Oliplot_Save_State();
  for (int i = 0; i < 3; ++i) Oliplot_Restore_State();
  for (int i = 0; i < OLIPLOT_SAVE_DEPTH + 4; ++i) Oliplot_Save_State();
  for (int i = 0; i < OLIPLOT_SAVE_DEPTH + 6; ++i) Oliplot_Restore_State();
  OLI_DOCUMENT doc = Finish_And_Read();
  int saves = 0, restores = 0, depth = 0;
  for (const OLI_PRIMITIVE &p : doc.graphics.at(0).items) {
    if (p.code == 30) ++saves, ++depth;
    if (p.code == 31) ++restores, --depth;
    EXPECT_GE(depth, 0);
  }
  EXPECT_EQ((std::vector<int>{2 + OLIPLOT_SAVE_DEPTH, 2 + OLIPLOT_SAVE_DEPTH}), (std::vector<int>{saves, restores}));
}

// Without an open block no graphic writer writes; text ends an open block; a new block
// ends the text block and the block before it.
TEST_F(PrintGraphic, WritersNeedAnOpenBlock) {
  double x[3] = {0, 1, 0}, z[3] = {0, 0, 1};
  auto all = [&] {
    Oliplot_Save_State();
    Oliplot_Restore_State();
    Oliplot_Set_Color(34);
    Oliplot_Line(0, 0, 1, 1);
    Oliplot_Arc(0, 0, 1, 0, 90);
    Oliplot_Filled_Circle(0, 0, 1);
    Oliplot_Filled_Ring(0, 0, 2, 1);
    Oliplot_Filled_Polygon(3, x, z);
    Oliplot_Polyline(3, x, z);
    Oliplot_Rectangle(0, 0, 1, 1);
    Oliplot_Rectangle_Centered(0, 0, 1, 1);
    Oliplot_Text_Printf(0, 0, 2, 1, "x");
    Oliplot_Text_Rotated(0, 0, "x");
    Oliplot_Text_Box(0, 0, "x");
    Oliplot_Axis_Pair(0, 0, "z", "y", 0.5, 0);
    return Oliplot_Fill_Color(1, 2, 3) == -1 && Oliplot_Dimension_Line(0, 0, 1, 0, 0.1, 2) == -1;
  };
  EXPECT_TRUE(all());
  Oliplot_End_Grafic(f_);
  EXPECT_TRUE(all());
  Oli_Printf(f_, "vorher");
  Open_A();
  Oliplot_Line(0, 0, 1, 1);
  Open_A();
  Oli_Printf(f_, "nachher\n");
  EXPECT_EQ(
      "#SHOWPARA 4 0.100 0.000 0\nvorher\n#END_OF_TEXT\n"
      "#SHOWGRAFIC 200.0000 100.0000\n 1  0.000000 100.000000 1.000000 99.000000\n -1\n"
      "#SHOWGRAFIC 200.0000 100.0000\n -1\n"
      "#SHOWPARA 4 0.100 0.000 0\nnachher\n#END_OF_TEXT\n",
      Finish());
}

TEST_F(PrintGraphic, BadBlocksAndBadNumbersWriteNothing) {
  // Scale 0 or negative, a number not finite.
  EXPECT_EQ(4, Oliplot_Begin_Grafic(f_, 0, 100, 200, 0, 0, 1, 0, 0) + Oliplot_Begin_Grafic(f_, 0, 100, 200, 0, 1, -1, 0, 0) +
                   Oliplot_Begin_Grafic(f_, 0, NAN, 200, 0, 1, 1, 0, 0) +
                   Oliplot_Begin_Grafic(f_, 0, 100, 200, 0, 1, 1, INFINITY, 0));
  EXPECT_EQ(nullptr, Oliplot_Stream());
  Open_A();
  Oliplot_Line(NAN, 0, 1, 1);
  double x[3] = {0, INFINITY, 0}, z[3] = {0, 0, 1};
  Oliplot_Filled_Polygon(3, x, z);
  Oliplot_Arc(0, 0, -1, 0, 90);
  Oliplot_Filled_Polygon(3, nullptr, z);
  Oliplot_Axis_Pair(0, 0, "z", "y", -1, 0);
  EXPECT_EQ("", Body());
}

// A block turned by an angle near the largest double: its turned text would give an
// infinite direction in degrees; the writer leaves the direction and the text out, and the
// list still reads back.
TEST_F(PrintGraphic, HugeBlockAngleWritesNoInfiniteDirection) {
  ASSERT_EQ(0, Oliplot_Begin_Grafic(f_, 0, 100, 200, 0, 1, 1, -1.7e308, 0));
  Oliplot_Text_Rotated(10, 10, "x");
  Oliplot_End_Grafic(f_);
  std::string bytes = Finish();
  EXPECT_EQ(std::string::npos, bytes.find("inf")) << bytes;
  OLI_DOCUMENT doc;
  EXPECT_EQ(0, Read_Oli_Text(bytes.data(), bytes.size(), &doc)) << bytes;
}

// ---------------------------------------------------------------- plot file

TEST_F(PrintGraphic, PlotFileMirrorsTheBlock) {
  std::string plot = path_ + ".spf";
  ASSERT_EQ(0, Oliplot_Open_Plot_File(plot.c_str()));
  EXPECT_EQ(1, Oliplot_Plot_File_Open());
  Open_A();
  Oliplot_Save_State();
  Oliplot_Fill_Color(255, 0, 0);
  Oliplot_Set_Color(64);
  Oliplot_Line(10, 20, 30, 40);
  Oliplot_Filled_Circle(100, 50, 20);
  Oliplot_Rectangle(10, 20, 30, 40);
  Oliplot_Text_Printf(50, 50, 4, 3, "S");
  Oliplot_Text_Rotated(50, 50, "2\x1b[2J\x7f");  // control bytes become blanks
  Oliplot_Restore_State();
  Oliplot_End_Grafic(f_);
  EXPECT_EQ((std::vector<int>{0, 0, 1}),
            (std::vector<int>{Oliplot_Close_Plot_File(), Oliplot_Plot_File_Open(), Oliplot_Close_Plot_File()}));

  PLOT_DOCUMENT pd;
  ASSERT_EQ(0, Read_Plot_File(plot.c_str(), &pd)) << pd.errors[0];
  EXPECT_TRUE(pd.banner && pd.tables && pd.entities && pd.eoi);
  ASSERT_EQ(16u, pd.colors.size());
  EXPECT_EQ((std::array<int, 4>{12, 255, 0, 0}), pd.colors[12]);
  std::vector<std::string> names;
  for (const PLOT_RECORD &r : pd.records) names.push_back(r.name);
  EXPECT_EQ((std::vector<std::string>{"BLOCK", "SAVE", "COLOR", "FILL", "LINE", "POLY", "RECT", "TEXT", "TEXTDIR",
                                      "TEXT", "RESTORE", "ENDBLOCK"}),
            names);
  // Block, colour, line, polygon points, text and the drawn extent at the end.
  const auto &r = pd.records;
  EXPECT_EQ((std::vector<std::vector<double>>{{1, 200, 100}, {12}, {10, 80, 30, 60}, {10, 60, 30, 80}}),
            (std::vector<std::vector<double>>{r[0].numbers, r[2].numbers, r[4].numbers, r[11].numbers}));
  EXPECT_EQ("32 S 2 [2J ", std::to_string(r[5].points.size()) + " " + r[7].text + " " + r[9].text);

  // The list holds the same directives.
  OLI_DOCUMENT doc = Finish_And_Read();
  EXPECT_EQ(9u, doc.graphics.at(0).items.size());
  std::remove(plot.c_str());
}

TEST_F(PrintGraphic, NoPlotFileIsTouchedWithoutOne) {
  std::string plot = path_ + ".spf";
  std::remove(plot.c_str());
  Open_A();
  Oliplot_Line(0, 0, 1, 1);
  Oliplot_End_Grafic(f_);
  EXPECT_EQ(0, Oliplot_Plot_File_Open());
  EXPECT_FALSE(std::filesystem::exists(plot));
  // After closing, further drawing leaves the plot file as it was.
  ASSERT_EQ(0, Oliplot_Open_Plot_File(plot.c_str()));
  ASSERT_EQ(0, Oliplot_Close_Plot_File());
  std::string before = Read_Bytes(plot);
  Open_A();
  Oliplot_Line(0, 0, 1, 1);
  Oliplot_End_Grafic(f_);
  EXPECT_EQ(before, Read_Bytes(plot));
  EXPECT_TRUE(before.starts_with("kelm-ZadaDade (1.0)A\n*TABLES\n") && Oliplot_Open_Plot_File("/nowhere/x.spf") == 1);
  std::remove(plot.c_str());
}

}  // namespace
