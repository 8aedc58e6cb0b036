// Every world drawing through one turned, unequally scaled screen transform, with the fill
// patterns, text forms, force and moment arrows, in one golden picture; the exact values of
// the transform's one-sided forms, the text places and styles, and the bit set.
#include <cmath>
#include <string>
#include <vector>

#include "drawing_base/drawing_base.h"
#include "host/host_test.h"
#include "tests/testsupport/screen_test.h"

namespace {

class WorldGolden : public HostScreenTest {
 protected:
  void SetUp() override {
    HostScreenTest::SetUp();
    Reset_Screen_Drawing_For_Tests();
    Init_Screen_Colors();
    Host_Clear_Calls();
  }
  void TearDown() override {
    Reset_Screen_Drawing_For_Tests();
    HostScreenTest::TearDown();
  }
};

// The arguments of the last call of a name.
std::vector<int> Last_Args(const char *name) {
  const auto all = Calls_Args(name);
  return all.empty() ? std::vector<int>{} : all.back();
}

}  // namespace

// The transform (X0 −50, Y0 −30, 0.2 rad, sx 2, sy 1.5): one-sided forms only scale, the
// inverse gives the point back, the distance is the pixel length; texts land at the
// transformed point, right-aligned ones end there, boxed ones take the style of their family
// and placement; state colours are host colours −6, −1 and −9.
TEST_F(WorldGolden, TransformTextsAndStyles) {
  Set_Screen_Transform(-50, -30, 0.2, 2, 1.5);
  double x = 10, y = 20;
  World_To_Screen(&x, nullptr);
  World_To_Screen(nullptr, &y);
  EXPECT_EQ(std::vector<double>({x, y}), std::vector<double>({20, 30}));
  Screen_To_World(&x, nullptr);
  Screen_To_World(nullptr, &y);
  EXPECT_EQ(std::vector<double>({x, y}), std::vector<double>({10, 20}));
  const double c = std::cos(0.2), s = std::sin(0.2);
  double px = 10, py = 20;
  World_To_Screen(&px, &py);
  EXPECT_NEAR(px, (c * 60 + s * 50) * 2, 1e-12);
  EXPECT_NEAR(py, (c * 50 - s * 60) * 1.5, 1e-12);
  Screen_To_World(&px, &py);
  EXPECT_NEAR(px, 10, 1e-12);
  EXPECT_NEAR(py, 20, 1e-12);
  EXPECT_NEAR(Screen_Distance(0, 0, 10, 0), 10 * std::hypot(2 * c, 1.5 * s), 1e-12);
  EXPECT_EQ(std::vector<double>({Get_Screen_Scale_X(), Get_Screen_Scale_Y()}), std::vector<double>({2, 1.5}));
  // (0, 0) → (c·50 + s·30)·2, (c·30 − s·50)·1.5 = (109.93, 29.20) → (110, 29).
  Host_Clear_Calls();
  Draw_World_Text(0, 0, "A", 0x1000);
  EXPECT_EQ(Last_Args("pxText")[0], 110);
  EXPECT_EQ(Last_Args("pxText")[1], 29);
  Draw_World_Text_Bold(0, 0, "A", 0x1000);
  EXPECT_EQ(Last_Args("pxText")[0], 111);  // the second copy one pixel right
  const int plain = Get_Text_Width_in_Font("Wert", 0x1000) - 3;
  EXPECT_EQ(Get_Text_Width_in_Font("Wert", 0x11000), plain + 5);
  Draw_World_Text_Right(0, 0, "Wert", 0x11000);
  EXPECT_EQ(Last_Args("pxText")[0], 110 - (plain + 2 - 2));
  struct Style {
    int family, placement, code;
  } styles[] = {{0, 1, 0xCC}, {0, 4, 0xCA}, {0, 2, 0xC9}, {4, 1, 0xD4}, {4, 4, 0xD2},
                {4, 0, 0xD1}, {2, 1, 0xE4}, {2, 4, 0xE2}, {7, 7, 0xE1}};
  for (const Style &st : styles) {
    Draw_World_Text_Boxed(0, 0, "7", 0x1000, st.family, st.placement);
    EXPECT_EQ(Last_Args("pxBTxt"), (std::vector<int>{105, 24, 115, 34, -99999, -1, st.code}))
        << st.family << " " << st.placement;
  }
  for (int state : {-1, 0, 1}) {
    Host_Clear_Calls();
    Draw_Text_in_State_Color(10, 10, "x", 0x1000, state);
    EXPECT_EQ(Calls_Args("pxFgc").front()[0], GetYRMColor(state == -1 ? -6 : state == 0 ? -1 : -9));
  }
  BIT_SET set{};
  Init_Bit_Set(&set, 17, 5);
  ASSERT_NE(set.bits, nullptr);
  EXPECT_EQ(std::vector<int>({set.n, set.value, set.reserved, set.bits[0], set.bits[1], set.bits[2]}),
            std::vector<int>({17, 5, 0, 0, 0, 0}));
  Free_Bit_Set(&set);
  EXPECT_EQ(set.bits, nullptr);
  Init_Bit_Set(&set, 0, 1);
  EXPECT_EQ(set.bits, nullptr);
}

// Every world routine in one picture: lines of each width and style, dots, bands with the
// three patterns, rectangles, circles, polygons, open and filled arrows, an axis cross,
// dimensions, texts, colour boxes, the force and moment arrows.
TEST_F(WorldGolden, EveryRoutineInOnePicture) {
  const int blue = Nearest_RGB_Color(0, 0, 200), red = Nearest_RGB_Color(200, 0, 0),
            green = Nearest_RGB_Color(0, 140, 0);
  pxFgc(GetYRMColor(-1));
  pxRect(0, 0, 799, 499);
  Set_Screen_Transform(-20, -45, 0.15, 1.6, 1.2);
  pxFgc(blue);
  for (int width = 0; width <= 5; ++width) {
    Set_Line_Width(width);
    Set_Line_Style(width % 2 ? 1 : 0);
    Draw_World_Line(0, 10 * width, 120, 10 * width + 15);
    Draw_World_Dot(140 + 12 * width, 10);
  }
  Set_Line_Style(0);
  Set_Line_Width(1);
  pxFgc(red);
  static const unsigned short stripes[16] = {0xFFFF, 0, 0xFFFF, 0, 0xFFFF, 0, 0xFFFF, 0,
                                             0xFFFF, 0, 0xFFFF, 0, 0xFFFF, 0, 0xFFFF, 0};
  Fill_World_Band(0, 90, 120, 110, 12, stripes);
  Fill_World_Band(140, 60, 140, 120, 10, nullptr);  // vertical
  Set_Fill_Pattern_Dots();
  Fill_World_Rectangle(170, 60, 210, 90);
  Set_Fill_Pattern_Waves();
  Fill_World_Rectangle_Centred(250, 75, 40, 30);
  Set_Fill_Pattern_Vertical_Lines();
  Fill_World_Circle(310, 75, 18);
  pxSFA(0);
  pxFgc(green);
  Draw_World_Rectangle(0, 130, 60, 170);
  Draw_World_Rectangle_Centred(100, 150, 50, 30);
  Erase_World_Rectangle(90, 140, 110, 160);
  Draw_World_Circle(160, 150, 20);
  const double px[5] = {200, 250, 260, 230, 195}, py[5] = {130, 135, 165, 175, 160};
  Draw_World_Polygon(5, px, py);
  const double qx[4] = {280, 320, 330, 290}, qy[4] = {130, 130, 170, 165};
  Fill_World_Polygon(4, qx, qy);
  pxFgc(blue);
  Draw_World_Arrow(0, 200, 80, 210, 14, 10, 1);
  Draw_World_Arrow(100, 200, 180, 230, 14, 10, 0);
  Draw_World_Arrow(200, 210, 205, 212, 14, 10, 1);  // shorter than its head
  Draw_World_Axis_Cross(260, 230, "x", "y", 40, 30, 0.3, 1.0);
  pxFgc(BLACK_CI);
  Draw_World_Dimension_Value(0, 0, 260, 120, 290, 8);
  Draw_World_Dimension_Value(1, 150, 250, 180, 330, 8);
  Draw_World_Dimension_Value(2, 200, 300, 320, 260, 8);
  Draw_World_Dimension(2, 0, 320, 0.455, 320, "45", "5", 5);
  Draw_World_Text(0, 350, "Text", 0x1000);
  Draw_World_Text_Ex(60, 350, "fett", 0x1000, 1);
  Draw_World_Text_Right(200, 350, "rechts", 0x11000);
  Draw_World_Text_Boxed(250, 350, "7", 0x1000, 4, 4);
  Draw_Text_Color_Box(20, 470, 6, Nearest_RGB_Color(255, 230, 150));
  Draw_Text_Background_Box(100, 470, 4);
  Draw_Text_in_Font_Color(20, 470, "Farbe", 0x1000, red);
  Draw_Text_in_State_Color(100, 470, "grau", 0x1000, -1);
  pxFgc(blue);
  Draw_Force_Arrow(560, 100, 80, 1, "F", 0.5);
  Draw_Force_Arrow(560, 220, 80, 0, "N", M_PI / 2);
  Draw_Moment_Arrow(700, 100, 30, 1, "M", 0.0);
  Draw_Moment_Arrow(700, 220, 30, 0, "T", 1.0);
  Draw_Arrow_Head(640, 320, 2.0);
  EXPECT_EQ(Golden_Mismatch("tests/drawing_base/golden", "world_routines.png", 0, 0, 799, 499), "");
}
