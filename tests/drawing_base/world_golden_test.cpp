// Every screen primitive and world drawing in one golden picture and one golden call trace:
// the world drawings through a turned, unequally scaled transform, the primitives in pixels
// at angles off and on the quarter turns, the button choices, the colour sets and the
// transform's numbers; and the bit set and text widths, which draw nothing.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
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

}  // namespace

// Compares text with tests/drawing_base/golden/<name>; PF_UPDATE_GOLDEN=1 rewrites the file.
std::string Text_Golden_Mismatch(const std::string &name, const std::string &text) {
  const std::string path = std::string(PF_SOURCE_DIR) + "/tests/drawing_base/golden/" + name;
  const char *update = std::getenv("PF_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    std::ofstream(path, std::ios::binary) << text;
    return "";
  }
  std::ifstream in(path, std::ios::binary);
  const std::string want((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (want == text) return "";
  size_t at = 0;
  while (at < want.size() && at < text.size() && want[at] == text[at]) ++at;
  const size_t line = static_cast<size_t>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
  return name + " differs from line " + std::to_string(line + 1) + " (PF_UPDATE_GOLDEN=1 rewrites it)";
}

// The bit set starts empty; "Wert" is 4 characters of 6 pixels with 1 between, 3 more, and
// bold measured plain with 2 more.
TEST_F(WorldGolden, BitSetAndTextWidths) {
  BIT_SET set{};
  Init_Bit_Set(&set, 17, 5);
  ASSERT_NE(set.bits, nullptr);
  EXPECT_EQ(std::vector<int>({set.n, set.value, set.reserved, set.bits[0], set.bits[1], set.bits[2]}),
            std::vector<int>({17, 5, 0, 0, 0, 0}));
  Free_Bit_Set(&set);
  EXPECT_EQ(set.bits, nullptr);
  Init_Bit_Set(&set, 0, 1);
  EXPECT_EQ(set.bits, nullptr);
  EXPECT_EQ(std::vector<int>({Get_Text_Width_in_Font("Wert", 0x1000), Get_Text_Width_in_Font("Wert", 0x11000)}),
            std::vector<int>({27 + 3, 27 + 3 + 2}));
}

// Every routine in one picture and one trace: lines of each width and style, dots, bands
// with the three patterns, rectangles, circles, polygons, arrows, axis crosses, dimensions,
// texts in every boxed style, colour boxes; in pixels the filled shapes (edges of width 0
// too), rings, aligned texts of each size, axis, force and moment arrows, heads, fillets of
// each quadrant, dimension lines by place and circle segments; then the button choices
// (trace only), the RGB of both colour sets and the transform's numbers: both forms, the one-
// sided ones, the inverse, the distance and the scales.
TEST_F(WorldGolden, EveryRoutineInOnePicture) {
  const int blue = Nearest_RGB_Color(0, 0, 200), red = Nearest_RGB_Color(200, 0, 0),
            green = Nearest_RGB_Color(0, 140, 0);
  pxFgc(GetYRMColor(-1));
  pxRect(0, 0, 1279, 999);
  Set_Screen_Transform(-20, -45, 0.15, 1.6, 1.2);
  pxFgc(blue);
  for (int width = 0; width <= 5; ++width) {
    Set_Line_Width(width);
    Set_Line_Style(width % 2 ? 1 : 0);
    Draw_World_Line(0, 10 * width, 120, 10 * width + 15);
    Draw_World_Dot(140 + 12 * width, 10);
  }
  Set_Line_Width(2);
  Set_Line_Style(3);
  Draw_World_Line(230, 0, 240, 60);  // steep: the copies side by side in x
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
  Draw_World_Arrow(215, 200, 230, 200, 12, 30, 0);  // a head wider than long
  Draw_World_Axis_Cross(260, 230, "x", "y", 40, 30, 0.3, 1.0);
  Draw_World_Axis_Cross(330, 200, "u", "v", 40, 30, -0.4, 2.0);
  pxFgc(BLACK_CI);
  Draw_World_Dimension_Value(0, 0, 260, 120, 290, 8);
  Draw_World_Dimension_Value(1, 150, 250, 180, 330, 8);
  Draw_World_Dimension_Value(2, 200, 300, 320, 260, 8);
  Draw_World_Dimension_Value(2, 330, 300, 330, 301, 8);  // 1.00
  Draw_World_Dimension(2, 0, 320, 0.455, 320, "45", "5", 5);
  Draw_World_Text(0, 350, "Text", 0x1000);
  Draw_World_Text_Ex(60, 350, "fett", 0x1000, 1);
  Draw_World_Text_Right(200, 350, "rechts", 0x11000);
  Draw_World_Text_Right(200, 370, "rechts", 0x1000);
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
  // Boxed text styles of each family and placement, texts of each state, in pixels.
  Set_Screen_Transform(0, 0, 0, 1, 1);
  const int families[3] = {0, 4, 2}, placements[3] = {1, 4, 0};
  for (int f = 0; f < 3; ++f)
    for (int p = 0; p < 3; ++p) Draw_World_Text_Boxed(840 + 40 * p, 30 + 30 * f, "77", 0x1000, families[f], placements[p]);
  for (int state : {-1, 0, 1}) Draw_Text_in_State_Color(1000 + 50 * state, 40, "Zustand", 0x1000, state);
  const int shaded = Shade_Color_by_Lightness(Nearest_RGB_Color(40, 90, 160), 30);
  Draw_Filled_Rectangle(1120, 20, 1180, 60, shaded);
  Draw_Filled_Rectangle(1190, 60, 1250, 20, Shade_Color_by_Lightness(Nearest_RGB_Color(90, 40, 160), -40));
  // Screen primitives in pixels.
  const int sx[5] = {820, 900, 930, 880, 810}, sy[5] = {130, 140, 200, 220, 180};
  Draw_Filled_Polygon(5, sx, sy, green, 0, BLACK_CI);
  Draw_Filled_Circle(1000, 170, 40.6, 64, red, 1, blue);
  Draw_Filled_Circle(1100, 170, 35, 7, -1, 2, green);
  Draw_Filled_Ring(1200, 170, 40, 22, 12, blue, 1, red);
  Draw_Filled_Ring(1200, 280, -40, -22, 9, green, 2, BLACK_CI);
  Draw_Filled_Ring(1100, 280, 30, 0, 9, red, 1, BLACK_CI);  // no ring: a plain 9-gon
  Draw_Filled_Rectangle(820, 250, 900, 290, red);
  for (int size = 0; size < 3; ++size) {
    Draw_Aligned_Text(1000, 250 + 16 * size, "abc", 1, blue, size);
    Draw_Aligned_Text(1000, 250 + 16 * size, "xy", 0, -1, size);
  }
  pxFgc(green);
  const double angles[6] = {0.7, M_PI, -M_PI, -M_PI / 2, 3 * M_PI, 2.2};
  for (int k = 0; k < 6; ++k) {
    Draw_Axis_Arrow(100 + 110 * k, 600, 40 + k, "y", angles[k]);
    Draw_Force_Arrow(100 + 110 * k, 720, 60 + k, k % 2, "F", angles[k]);
    Draw_Moment_Arrow(100 + 110 * k, 830, 25 + 2 * k, k % 2, "M", angles[k]);
    Draw_Arrow_Head(100 + 110 * k, 920, angles[k]);
  }
  Draw_Moment_Arrow(1270, 560, 1, 1, nullptr, 0.5);  // the smallest radius
  Draw_Axis_Arrow(1240, 1, 30, "y", -M_PI);  // sin(−π) a hair below 0: snapped, the shaft stays on row 1
  pxFgc(blue);  // the colour the fillets' straight edges take
  for (int q = 0; q < 4; ++q) Draw_Fillet(800 + 70 * q, 560, 22 - q, q, red, 1);
  Draw_Fillet(1100, 620, 20, 1, -1, 0);
  Draw_Fillet(1180, 620, 20, 3, green, -1);
  Draw_Dimension_Line(780, 680, 960, 710, "123", 0);
  Draw_Dimension_Line(990, 650, 1000, 770, "45", 1);
  Draw_Dimension_Line(1030, 700, 1230, 760, "6", 2);
  Draw_Dimension_Line(1030, 780, 1230, 780, nullptr, 0);
  Draw_Circle_Segment(850, 880, 60, 30, 200, green, 1);
  Draw_Circle_Segment(1000, 880, 50, 0, 0.001, red, 1);
  Draw_Circle_Segment(1130, 880, 50, 100, 360, blue, -1);
  Draw_Circle_Segment(1230, 880, 40, 275, 70, red, 2);
  EXPECT_EQ(Golden_Mismatch("tests/drawing_base/golden", "world_routines.png", 0, 0, 1279, 999), "");
  // The choices of buttons in a row (title narrower and wider than the buttons) and in a
  // list with texts: the dialogs' frames, buttons, the pointer put back, the codes.
  std::string codes;
  const char *texts[3] = {"eins", "zwei", "drei"};
  BUTTON_CHOICE choice{100, 140, "Wahl", 30, 20, 3, texts, "Buttons.bmp"};
  Script("c150,170 r1");
  codes += "row -> " + std::to_string(Select_From_Button_Row(10, 10, &choice)) + "\n";
  choice.title = "Eine recht lange Wahl der Knoepfe";
  Script("c700,700 r1");
  codes += "wide row -> " + std::to_string(Select_From_Button_Row(10, 10, &choice)) + "\n";
  choice.title = "Eine Liste mit langem Titel";  // wider than the buttons with their texts
  Script("c110,220 r1");
  codes += "list -> " + std::to_string(Select_From_Button_List(10, 10, &choice)) + "\n";
  choice.title = "Liste";  // the texts wider than the title
  Script("c700,700 r1");
  codes += "short list -> " + std::to_string(Select_From_Button_List(10, 10, &choice)) + "\n";
  Add_Optische_Kontrolle_Button(30, 40, 7);
  std::string trace;
  for (const std::string &call : Host_Calls()) trace += call + "\n";
  trace += codes;
  const SCREEN_COLORS *sc = Get_Screen_Colors();
  for (const int32_t *field = &sc->black; field <= &sc->grey_unit; ++field) {
    int r, g, b;
    pxQCR(*field, &r, &g, &b);
    trace += "screen colour " + std::to_string(field - &sc->black) + ": " + std::to_string(r) + " " +
             std::to_string(g) + " " + std::to_string(b) + "\n";
  }
  char line[160];
  for (const auto &[a, sx, sy] : {std::tuple{0.2, 2.0, 1.5}, {-1.1, 0.5, 3.0}}) {
    Set_Screen_Transform(-50, -30, a, sx, sy);
    double x = 10, y = 20, x1 = 10, y2 = 20;
    World_To_Screen(&x, &y);
    World_To_Screen(&x1, nullptr), World_To_Screen(nullptr, &y2);
    std::snprintf(line, sizeof line, "transform %g %g %g: (10, 20) to (%.9g, %.9g), one-sided %g %g", a, sx, sy, x, y,
                  x1, y2);
    trace += line;
    Screen_To_World(&x, &y), Screen_To_World(&x1, nullptr), Screen_To_World(nullptr, &y2);
    std::snprintf(line, sizeof line, ", back (%.9g, %.9g) %g %g, distances %.9g %.9g, scales %g %g\n", x, y, x1, y2,
                  Screen_Distance(0, 0, 10, 0), Screen_Distance(3, 1, 3, 9), Get_Screen_Scale_X(), Get_Screen_Scale_Y());
    trace += line;
  }
  EXPECT_EQ(Text_Golden_Mismatch("world_routines_trace.txt", trace), "");
}
