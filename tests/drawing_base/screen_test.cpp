// Screen colours, screen primitives and the world drawings, on the host's canvas and trace.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "drawing_base/drawing_base.h"
#include "host/host_test.h"

namespace {
class Screen : public HostScreenTest {
 protected:
  void SetUp() override {
    HostScreenTest::SetUp();
    Init_Screen_Colors();
    Host_Clear_Calls();
  }
  void TearDown() override { Host_Test_Dump_Png(); }  // every picture, for a person to look at
  bool Called(const std::string &call) {
    const auto &c = Host_Calls();
    return std::find(c.begin(), c.end(), call) != c.end();
  }
  // The canvas after draw on a fresh screen.
  static std::vector<uint8_t> Canvas(const std::function<void()> &draw) {
    Host_Test_Reset();
    Init_Screen_Colors();
    draw();
    return Host_Snapshot();
  }
};
}  // namespace

// Each shape fills exactly the polygon of its truncated points.
TEST_F(Screen, ShapesFillTheirTruncatedPoints) {
  struct Case {
    const char *name;
    std::function<void()> draw;
    std::vector<int> x, y;
  } cases[] = {
      {"fillet", [] { Draw_Fillet(100, 100, 16, 0, 5, -1); },
       {100, 116, 112, 109, 107, 104, 102, 101, 100, 100},
       {100, 100, 99, 98, 97, 95, 92, 90, 87, 84}},
      // point 1 at y 108 (Round_Pixel would give 109)
      {"circle", [] { Draw_Filled_Circle(100, 100, 10, 6, 5, -1, -1); },
       {110, 105, 95, 90, 95, 105}, {100, 108, 108, 100, 91, 91}},
      {"no ring", [] { Draw_Filled_Ring(100, 100, 10, 0, 6, 5, -1, -1); },
       {110, 105, 95, 90, 95, 105}, {100, 108, 108, 100, 91, 91}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const auto drawn = Canvas(c.draw);
    const auto expected = Canvas([&] {
      pxFgc(5);
      pxFill(static_cast<int>(c.x.size()), c.x.data(), c.y.data());
    });
    EXPECT_EQ(expected, drawn);
  }
}

TEST_F(Screen, AxisArrowShaftHeadAndLabel) {
  Draw_Axis_Arrow(100, 100, 27, "y", 0);
  EXPECT_TRUE(Called("pxTkLn(73,100,100,100,2)")) << Host_Last_Calls(5);
  EXPECT_TRUE(Called("pxTri(70,100,79,97,79,103)"));
  EXPECT_TRUE(Called("pxText(62,100,\"y\",1)"));
  Host_Clear_Calls();
  Draw_Axis_Arrow(100, 100, 27, "z", M_PI / 2 + 4 * M_PI);  // reduced: straight down
  EXPECT_TRUE(Called("pxTkLn(100,127,100,100,2)")) << Host_Last_Calls(5);
  Host_Clear_Calls();
  Draw_Axis_Arrow(100, 100, 27, "z", NAN);
  Draw_Arrow_Head(100, 100, INFINITY);
  EXPECT_TRUE(Host_Calls().empty());
}

// What each routine leaves as the drawing colour, and what draws nothing at all.
TEST_F(Screen, ColourGivenBackAndGuards) {
  const int x[4] = {10, 50, 50, 10}, y[4] = {10, 10, 50, 50};
  const int black = Get_Screen_Colors()->black;
  struct Case {
    const char *name;
    std::function<void()> draw;
    int left;  // −1: the colour found
    bool draws;
  } cases[] = {
      {"polygon", [&] { Draw_Filled_Polygon(4, x, y, 3, 1, 2); }, -1, true},
      {"polygon n 0", [&] { Draw_Filled_Polygon(0, x, y, 3, 1, 2); }, -1, false},
      {"circle", [] { Draw_Filled_Circle(50, 50, 20, 8, 3, 1, 2); }, -1, true},
      {"circle n 65", [] { Draw_Filled_Circle(50, 50, 20, 65, 3, 1, 2); }, -1, false},
      {"ring", [] { Draw_Filled_Ring(50, 50, 20, 10, 8, 3, 1, 2); }, -1, true},
      {"ring n 65", [] { Draw_Filled_Ring(50, 50, 20, 10, 65, 3, 1, 2); }, -1, false},
      {"rectangle", [] { Draw_Filled_Rectangle(1, 1, 9, 9, 3); }, -1, true},
      {"rectangle −1", [] { Draw_Filled_Rectangle(1, 1, 9, 9, -1); }, -1, false},
      {"text", [] { Draw_Aligned_Text(50, 50, "abc", 1, 3, 1); }, -1, true},
      {"fillet", [] { Draw_Fillet(50, 50, 10, 2, 3, 1); }, -1, true},
      {"axis", [] { Draw_Axis_Arrow(50, 50, 20, "y", 1); }, -1, true},
      {"dimension", [] { Draw_Dimension_Line(10, 50, 90, 50, "12", 0); }, black, true},
      {"segment", [] { Draw_Circle_Segment(50, 50, 20, 0, 90, 3, 1); }, black, true},
      {"segment 0°", [] { Draw_Circle_Segment(50, 50, 20, 0, 0.0005, 3, 1); }, -1, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    pxFgc(7);
    Host_Clear_Calls();
    c.draw();
    EXPECT_EQ(c.left < 0 ? 7 : c.left, pxQFgc(nullptr));
    EXPECT_EQ(c.draws, !Host_Calls().empty()) << Host_Last_Calls(3);
  }
  // A segment swept beyond a full turn is the full turn.
  const auto full = Canvas([] { Draw_Circle_Segment(200, 200, 50, 0, 360, 3, 1); });
  EXPECT_EQ(full, Canvas([] { Draw_Circle_Segment(200, 200, 50, 0, 3600, 3, 1); }));
  // A quarter segment from 90° to 180°: nine points of the 32-gon from (50, 70) to (70, 50)
  // (x = c_x − r cos θ, y = c_y + r sin θ), filled between its chord and the arc, eight sides.
  Host_Test_Reset();
  Host_Clear_Calls();
  Draw_Circle_Segment(50, 50, 20, 90, 90, 3, 1);
  EXPECT_EQ(8, Host_Call_Count("pxTkLn"));
  EXPECT_TRUE(Called("pxTkLn(50,70,54,70,1)") || Called("pxTkLn(50,70,53,70,1)")) << Host_Last_Calls(10);
  EXPECT_EQ(3, Host_Pixel(62, 62));
  EXPECT_NE(3, Host_Pixel(55, 55));  // inside the chord: not part of the segment
  // The dimension line's text beside its middle, by place: above, beside the start, below.
  for (const auto &[place, call] : {std::pair{0, "pxText(44,48,\"12\",2)"}, {1, "pxText(14,53,\"12\",2)"},
                                    {2, "pxText(52,52,\"12\",2)"}}) {
    Host_Clear_Calls();
    Draw_Dimension_Line(10, 50, 90, 50, "12", place);
    EXPECT_TRUE(Called(call)) << place << " " << Host_Last_Calls(3);
  }
  // Right-aligned small text ends at x: 3 characters of 5 pixels.
  Host_Clear_Calls();
  Draw_Aligned_Text(50, 40, "abc", 1, -1, 1);
  EXPECT_TRUE(Called("pxBTxt(35,40,35,40,\"abc\",3,17)")) << Host_Last_Calls(4);
}

TEST_F(Screen, ColourSet) {
  const SCREEN_COLORS before = *Get_Screen_Colors();
  int r, g, b;
  pxQCR(before.brown_note, &r, &g, &b);
  EXPECT_EQ(128 * 65536 + 64 * 256, r * 65536 + g * 256 + b);
  pxQCR(before.lavender_light, &r, &g, &b);
  EXPECT_EQ(213 * 65536 + 213 * 256 + 255, r * 65536 + g * 256 + b);
  EXPECT_EQ(GetYRMColor(-21), before.host_color);
  Set_Screen_Host_Color(9);
  SCREEN_COLORS after = *Get_Screen_Colors();
  EXPECT_EQ(9, after.host_color);
  after.host_color = before.host_color;
  EXPECT_EQ(0, std::memcmp(&before, &after, sizeof after));  // brown_hint and brown_note stay apart
}

// ---------------------------------------------------------------- world drawings

TEST_F(Screen, WorldLinesDotsBandsAndArrows) {
  Draw_World_Line(0.47, 0, 10.5, 0);  // halves away from zero
  EXPECT_TRUE(Called("pxLine(0,0,11,0)")) << Host_Last_Calls(2);
  Set_Line_Width(0);
  Host_Clear_Calls();
  Draw_World_Line(0, 0, 10, 10);
  Draw_World_Dot(20, 20);
  EXPECT_EQ((std::vector<std::string>{"pxDot(20,20)"}), Host_Calls());
  // Width 3 with a dashed style: three patterned copies offset in y of a flat line.
  Set_Line_Width(3);
  Set_Line_Style(1);
  Host_Clear_Calls();
  Draw_World_Line(0, 50, 40, 52);
  EXPECT_EQ((std::vector<std::string>{"pxSLn(1)", "pxLine(0,51,40,53)", "pxSLn(1)", "pxLine(0,50,40,52)", "pxSLn(1)",
                                      "pxLine(0,49,40,51)"}),
            Host_Calls());
  Set_Line_Style(0);
  // A vertical band 4 wide about x = 100.
  pxFgc(3);
  Fill_World_Band(100, 100, 100, 140, 4, nullptr);
  EXPECT_EQ(5 * 41, Host_Count_Pixels(98, 100, 102, 140, 3));
  EXPECT_EQ(0, Host_Count_Pixels(97, 100, 97, 140, 3) + Host_Count_Pixels(103, 100, 103, 140, 3));
  // An arrow of 10 with a head of 20: the head is as long as the arrow, 8 wide.
  Draw_World_Arrow(200, 100, 210, 100, 20, 8, 1);
  EXPECT_EQ(3, Host_Pixel(201, 103));
  EXPECT_EQ(3, Host_Pixel(201, 97));
  // Turned by a quarter and scaled by 2: (10, 0) goes to (0, −20).
  Set_Screen_Transform(0, 0, M_PI / 2, 2, 2);
  double px = 10, py = 0;
  World_To_Screen(&px, &py);
  EXPECT_TRUE(std::fabs(px) < 1e-12 && std::fabs(py + 20) < 1e-12) << px << ", " << py;
  double back_x = px, back_y = py;
  Screen_To_World(&back_x, &back_y);
  EXPECT_TRUE(std::fabs(back_x - 10) < 1e-12 && std::fabs(back_y) < 1e-12) << back_x << ", " << back_y;
}

TEST(ScreenDimension, ValueTexts) {
  struct Case {
    double length;
    int drawn;
    const char *value, *index;
  } cases[] = {
      {0.455, 1, "45", "5"},   {0.458, 1, "46", ""},    {1.2, 1, "1.20", ""},  {1.235, 1, "1.23", "5"},
      {1.2475, 1, "1.25", ""}, {12.5, 1, "12.50", ""}, {0.009, 0, "", ""},    {0.01, 1, "1", ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.length);
    char value[32], index[4];
    EXPECT_EQ(c.drawn, Format_Dimension_Value(c.length, value, index));
    EXPECT_STREQ(c.value, value);
    EXPECT_STREQ(c.index, index);
  }
}

// Dimension modes 0 and 1 run along the screen's row and column of the first point.
TEST_F(Screen, DimensionModes) {
  Set_Screen_Transform(0, 0, 0.3, 2, 2);
  for (int mode : {0, 1}) {
    Host_Clear_Calls();
    Draw_World_Dimension_Value(mode, 10, 10, 40, 30, 5);
    const std::string &line = Host_Calls()[0];
    int x1, y1, x2, y2;
    ASSERT_EQ(4, std::sscanf(line.c_str(), "pxLine(%d,%d,%d,%d)", &x1, &y1, &x2, &y2)) << line;
    EXPECT_EQ(0, mode == 0 ? y2 - y1 : x2 - x1) << line;
  }
}

TEST(ScreenShading, HlsLightness) {
  struct Case {
    int r, g, b;
    double percent;
    int er, eg, eb;
  } cases[] = {
      {213, 213, 255, 50, 255, 255, 255},  // unclamped 447, 447, 255
      {213, 213, 255, -100, 0, 0, 0},      {255, 0, 0, -50, 128, 0, 0},
      {0, 255, 0, -50, 0, 128, 0},         {0, 0, 255, -50, 0, 0, 128},
      {255, 255, 0, -50, 128, 128, 0},     {0, 0, 0, 50, 0, 0, 0},
  };
  for (const Case &c : cases) {
    int r = c.r, g = c.g, b = c.b;
    Shade_RGB_by_Lightness(&r, &g, &b, c.percent);
    EXPECT_EQ(c.er * 65536 + c.eg * 256 + c.eb, r * 65536 + g * 256 + b) << c.r << " " << c.g << " " << c.b;
  }
  for (int v : {0x102030, 0xC08040, 0x40FF80, 0xD5D5FF}) {  // 0 % gives the colour back ± 1
    int r = v >> 16, g = (v >> 8) & 255, b = v & 255;
    Shade_RGB_by_Lightness(&r, &g, &b, 0);
    EXPECT_NEAR(v >> 16, r, 1);
    EXPECT_NEAR((v >> 8) & 255, g, 1);
    EXPECT_NEAR(v & 255, b, 1);
  }
}

TEST_F(Screen, ZoomAnimationLeavesTheCanvas) {
  pxFgc(3);
  pxRect(40, 40, 300, 200);
  const auto before = Host_Snapshot();
  const double t0 = Host_Clock_Ms();
  Animate_Zoom_Rectangle(10, 10, 20, 20, 50, 60, 400, 300);
  EXPECT_EQ(before, Host_Snapshot());
  EXPECT_DOUBLE_EQ(70, Host_Clock_Ms() - t0);
  EXPECT_EQ(3, pxQFgc(nullptr));
  EXPECT_EQ(14 * 4, Host_Call_Count("pxLine"));
}

TEST_F(Screen, ButtonRowChoiceAndRememberedPointer) {
  const char *texts[3] = {"eins", "zwei", "drei"};
  const BUTTON_CHOICE choice{100, 100, "Wahl", 30, 20, 3, texts, "Buttons.bmp"};
  // Buttons at x 108, 143, 178, y 124 (title line 12 + 12 above them).
  // Each choice ends with the wait for a release after the sheet.
  Host_Script_Click(150, 130);
  Host_Script_Release(1);
  EXPECT_EQ(2, Select_From_Button_Row(10, 10, &choice));
  Host_Clear_Calls();
  Host_Script_Click(700, 700);
  Host_Script_Release(1);
  EXPECT_EQ(99, Select_From_Button_Row(10, 10, &choice));
  EXPECT_TRUE(Called("msStCu(150,130)")) << Host_Last_Calls(30);
  EXPECT_EQ(0, Host_Sheet_Depth());
  Host_Script_Click(110, 130);  // the list: the first button
  Host_Script_Release(1);
  EXPECT_EQ(1, Select_From_Button_List(10, 10, &choice));
}
