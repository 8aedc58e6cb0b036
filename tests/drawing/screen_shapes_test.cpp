// Screen pictures of the profile shapes beyond the I and the flat bar (round bars and tubes
// in their three looks, welded corners, the box with its cell, a width-limited fit) and the
// pixel symbols of joints (bolts, nuts, boxes, slots), each family in one golden picture with
// the fingerprint of its call trace.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "drawing_base/drawing_base.h"
#include "host/host_test.h"
#include "tests/drawing/drawing_fixture.h"
#include "tests/profil/profil_shapes.h"
#include "tests/testsupport/screen_test.h"

namespace {

#define EXPECT_SCREEN_GOLDEN(name, x1, y1, x2, y2) \
  EXPECT_EQ(Golden_Mismatch("tests/drawing/golden", name, x1, y1, x2, y2), "")

class ScreenShapes : public DrawingScreenTest {
 protected:
  // The call trace's count and FNV-1a hash against tests/drawing/golden/<name> (PF_UPDATE_GOLDEN=1
  // rewrites it): what the picture cannot show (colours of one RGB, calls drawn over).
  static void Expect_Trace_Golden(const std::string &name) {
    std::uint64_t h = 1469598103934665603ull;
    for (const std::string &c : Host_Calls())
      for (const unsigned char ch : c + "\n") h = (h ^ ch) * 1099511628211ull;
    const std::string print = std::to_string(Host_Calls().size()) + " calls, " + std::to_string(h) + "\n";
    const std::string path = std::string(PF_SOURCE_DIR) + "/tests/drawing/golden/" + name;
    if (std::getenv("PF_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << print;
    EXPECT_EQ(Read_File_Bytes(path), print) << name << " (PF_UPDATE_GOLDEN=1 rewrites it)";
  }
};

PROFIL Shape(int type, double h, double tw, double b, double tf, int rolled, double r, double r2, double a,
             double ue = 0) {
  PROFIL p{};
  Reset_Profil(&p);
  Set_Shape(&p, type, h, tw, b, tf, b, tf, rolled, r, r2);
  p.a_o = p.a_u = a;
  p.ue_o = p.ue_u = ue;
  EXPECT_EQ(0, Calc_Profil_Querschnittswerte(&p, nullptr, 0, ""));
  return p;
}

}  // namespace

// Turned quads and quarter arcs in pixels (Round_Pixel: sign · trunc(|v| + 5/9)).
TEST(PixelTurns, QuadsAndQuarterArcs) {
  int x[4] = {10, 0, -10, 0}, y[4] = {0, 10, 0, -10};
  Rotate_Pixel_Quad(0, 0, x, y, M_PI / 2);  // counter-clockwise on the screen
  EXPECT_EQ(std::vector<int>(x, x + 4), (std::vector<int>{0, 10, 0, -10}));
  EXPECT_EQ(std::vector<int>(y, y + 4), (std::vector<int>{-10, 0, 10, 0}));
  int px[4] = {110, 100, 100, 100}, py[4] = {100, 100, 100, 100};
  Rotate_Pixel_Quad(100, 100, px, py, M_PI / 6);  // (8.66, −5) → (9, −5)
  EXPECT_EQ(std::vector<int>({px[0], py[0]}), (std::vector<int>{109, 95}));
  struct Case {
    double rx, ry;
    int k0, n, direction;
    std::vector<int> x, y;
  } cases[] = {
      // 22.5°, 45°, 67.5°: 20 sin = 7.65, 14.14, 18.48; 10 cos = 9.24, 7.07, 3.83.
      {20, 10, 0, 3, 1, {108, 114, 119}, {91, 93, 96}},
      {20, 10, 0, 3, -1, {119, 114, 108}, {96, 93, 91}},
      {20, 10, 1, 3, 1, {114, 119, 120}, {93, 96, 100}},  // 45°, 67.5°, 90°
      {20, 10, 0, 1, 1, {114}, {93}},                      // one point: 45°
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.k0 * 10 + c.n);
    std::vector<int> ax(static_cast<size_t>(c.n)), ay(static_cast<size_t>(c.n));
    Fill_Quarter_Arc_Points(100, 100, c.rx, c.ry, ax.data(), ay.data(), c.k0, c.n, c.direction);
    EXPECT_EQ(ax, c.x);
    EXPECT_EQ(ay, c.y);
  }
}

// The joint symbols in each of their forms (every orientation, turned, with and without
// washers, hole or line colour, radius 0, fill only, no colour) in one golden picture; every
// symbol gives the colour back.
TEST_F(ScreenShapes, JointSymbols) {
  Host_Test_Reset();
  Init_Screen_Colors();
  const int brown = Nearest_RGB_Color(190, 150, 110), black = Get_Screen_Colors()->black;
  pxFgc(5);
  for (int o = 0; o < 4; ++o) {
    Draw_Bolt_Side(60 + 120 * o, 110 + 120 * o, 80, 6, 8, 24, 2, 28, 10, 24, o, brown, 1, black);
    Draw_Nut_Side(60 + 120 * o, 190, 12, 24, o, brown, black);
    Draw_Bolt_Head_Side(100 + 120 * o, 190, 10, 20, o, brown, black);
  }
  Draw_Bolt_Side_Rotated(520, 590, 80, 6, 8, 24, 10, 24, 0.5, brown, 1, black);
  Draw_Bolt_Top(40, 260, 8, 12, 16, brown, black);
  Draw_Bolt_Top(100, 260, 0, 12, 16, brown, -1);
  Draw_Bolt_Top_Outline(160, 260, 8, 12, 16, 1, black);
  Draw_Framed_Box(200, 245, 240, 275, brown, 2, black);
  Draw_Rotated_Rectangle(290, 260, 50, 16, 0.6, brown, 1, black);
  Draw_Slotted_Hole(370, 260, 8, 30, 20, brown, 1, black);
  Draw_Circle_16_Checked(440, 260, 14, brown, 1, black);
  Draw_Hexagon(500, 260, 14, brown, 1, black);
  Draw_Nut_Side_Rotated(560, 260, 12, 24, 1.0, brown, black);
  Draw_Colored_Thick_Line(600, 240, 640, 280, black, 3);
  const int xs[5] = {20, 40, 60, 70, 50}, ys[5] = {320, 310, 325, 345, 340};
  Draw_Polygon_Filled_Outlined(5, xs, ys, brown, -1, black);
  Draw_Polygon_Filled_Outlined(5, xs, ys, -1, 2, black);
  Draw_Bolt_Side(100, 180, 330, 6, 8, 22, 0, 26, 10, 22, 3, brown, 1, black);  // no washers
  Draw_Bolt_Top(230, 330, 8, 12, 16, brown, -1);                                  // no line colour
  Draw_Bolt_Top_Outline(290, 330, 0, 12, 16, 2, black);
  Draw_Circle_16_Checked(340, 330, 0, brown, 1, black);
  Draw_Colored_Thick_Line(360, 320, 400, 340, -1, 3);
  Draw_Framed_Box(420, 315, 460, 345, -1, 1, black);
  Draw_Slotted_Hole(520, 330, 8, 8, 0, brown, 1, black);  // as long as it is wide
  Draw_Slotted_Hole(580, 330, 9, 8, 0, brown, 1, black);  // longer than wide: nothing
  Draw_Hexagon(620, 330, 0, brown, 1, black);
  for (int k = 0; k < 4; ++k) {  // corner welds either side, turned; weld triangles by quadrant
    Draw_Corner_Weld(40 + 60 * k, 390, 14, 9, 0.4 * k, k % 2, brown, black);
    Draw_Weld_Triangle_Quadrant(300 + 50 * k, 390, 15, k, brown, 1, black);
  }
  Draw_Nut_Side(540, 390, 12, 30, 1, brown, black);  // 30 wide: chamfers of 2
  EXPECT_EQ(pxQFgc(nullptr), 5);  // every symbol gave the colour back
  EXPECT_SCREEN_GOLDEN("joint_symbols.png", 0, 0, 660, 420);
  Expect_Trace_Golden("joint_symbols_trace.txt");
}

// Round shapes, welded corners, the box with its cell and a width-limited fit, each fitted into
// a 240 × 240 rectangle of a grid, the hole colour apart from the background: the picture
// compared pixel for pixel with the fingerprint of its trace.
TEST_F(ScreenShapes, ProfilePictures) {
  const int lavender = c_->lavender_light;
  Set_Screen_Host_Color(Nearest_RGB_Color(250, 235, 200));
  struct Case {
    const char *name;
    PROFIL p;
    int flags, line_width;
    bool axes;
  } cases[] = {
      {"solid bar", Shape(PROFIL_ROUND, 60, 0, 0, 0, 1, 0, 0, 0), 0, 1, false},
      {"tube", Shape(PROFIL_CHS, 168.3, 8, 0, 0, 1, 0, 0, 0), 0, 1, false},
      {"tube, outer only", Shape(PROFIL_CHS, 168.3, 8, 0, 0, 1, 0, 0, 0), SCREEN_FLAG_OUTER_ONLY, 1, false},
      {"tube, thick line", Shape(PROFIL_CHS, 168.3, 8, 0, 0, 1, 0, 0, 0), 0, 3, false},
      {"welded RHS", Shape(PROFIL_RHS, 200, 8, 100, 8, 0, 0, 0, 0), 0, 1, false},
      {"welded angle", Shape(PROFIL_ANGLE, 150, 10, 100, 10, 0, 0, 0, 4), SCREEN_FLAG_ANGLE_LEGS, 1, true},
      {"welded channel", Shape(PROFIL_U, 200, 8.5, 75, 11.5, 0, 0, 0, 4), 0, 1, true},
      {"welded Z", Shape(PROFIL_Z, 200, 8, 80, 10, 0, 0, 0, 4), 0, 1, true},
      {"box", Shape(PROFIL_BOX, 200, 10, 150, 15, 0, 0, 0, 0, 15), 0, 1, false},
      {"rolled Z, thick line", Shape(PROFIL_Z, 200, 8, 80, 10, 1, 12, 6, 0), 0, 3, true},
  };
  int i = 0;
  for (Case &c : cases) {
    SCOPED_TRACE(c.name);
    const int x1 = 10 + 250 * (i % 5), y1 = 10 + 250 * (i / 5);
    ++i;
    PROFIL_SCREEN_STATE s;
    Reset_Profil_Screen_State(&s);
    s.x1 = x1, s.y1 = y1, s.x2 = x1 + 240, s.y2 = y1 + 240;
    s.fill_color = lavender;
    s.line_width = c.line_width;
    s.line_color = c_->black;
    s.show_axes = c.axes;
    s.profil = &c.p;
    Draw_Profil_Querschnitt(&s, c.flags);
  }
  // Width-limited: the box 180 wide and 200 high in 240 × 400: sx = 220/180 < sy = 380/200,
  // so the rectangle keeps its width and ends at y1 + 20 + R(244.44) = y1 + 265 (Round_Pixel
  // adds 5/9 before it truncates).
  const size_t rects = Calls_Args("pxRect").size();
  PROFIL box = Shape(PROFIL_BOX, 200, 10, 150, 15, 0, 0, 0, 0, 15);
  PROFIL_SCREEN_STATE s;
  Reset_Profil_Screen_State(&s);
  s.x1 = 1010, s.y1 = 510, s.x2 = 1250, s.y2 = 910;
  s.fill_color = lavender;
  s.line_width = 1;
  s.line_color = c_->black;
  s.show_axes = 1;
  s.profil = &box;
  Draw_Profil_Querschnitt(&s, 0);
  EXPECT_EQ(Calls_Args("pxRect").at(rects), (std::vector<int>{1010, 510, 1250, 510 + 265}));
  EXPECT_SCREEN_GOLDEN("screen_profiles.png", 0, 0, 1279, 1000);
  Expect_Trace_Golden("screen_profiles_trace.txt");
}
