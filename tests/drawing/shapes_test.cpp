// The mark, bolt and label shapes of the drawing module: every shape in each of its forms
// (kinds, turns, without fill, line type or outline) in one golden block, the sizes below
// the limits that draw nothing, and the fixed-count rotations.
#include <cmath>
#include <functional>

#include "tests/drawing/drawing_fixture.h"

namespace {

constexpr double kTol = 1e-3;
const OLI_BLOCK_FRAME kFrame{0, 300, 400, 0, 0.05, 0.05, 0, 0};

class DrawingShapes : public SectionPlot {
 protected:
  // The directives drawn into one block of the extent kFrame, read back in world units.
  PLOTTED Block(const std::function<void()> &draw) {
    PLOTTED r;
    FILE *f = Open_Druckliste(path_.c_str());
    EXPECT_EQ(0, Oliplot_Begin_Grafic(f, kFrame.x_min, kFrame.z_max, kFrame.x_max, kFrame.z_min, kFrame.sx,
                                      kFrame.sz, 0, 0));
    Oliplot_Set_Extended_Mode(1);
    draw();
    Oliplot_End_Grafic(f);
    Close_Druckliste(f);
    r.bytes = Read_File_Bytes(path_);
    EXPECT_EQ(0, Read_Oli_Text(r.bytes.data(), r.bytes.size(), &r.doc)) << r.bytes;
    r.frame = kFrame;
    r.S = 20;
    To_World(&r);
    return r;
  }
};

}  // namespace

// Sizes below the limits draw nothing at all, not even a state bracket.
TEST_F(DrawingShapes, TooSmallDrawsNothing) {
  PLOTTED r = Block([] {
    Plot_Hexagon(2, 34, 1, 100, 100, 0, 0);
    Plot_Circle_16(2, 34, 1, 100, 100, 0.09, 0);
    Plot_Circle_16_Checked(100, 100, 0.1, 2, 34, 1, 0);
    Plot_Slotted_Hole(100, 100, 10, 9.98, 0, 2, 34, 1, 0);  // width beyond the length
    Plot_Slotted_Hole(100, 100, 0.09, 5, 0, 2, 34, 1, 0);
    Plot_Weld_Label(0, 100, 100, 0.0009, 10, 2, 1, 0);
    Plot_Radius_Label(0, 100, 100, 0.0009, 10, 0);
    Plot_Bolt_Head_Side(1, 2, 34, 100, 100, 0.09, 10, 1);
    Plot_Nut_Side(1, 2, 34, 100, 100, 10, 0.09, 1);
    Plot_Bolt_Side(1, 100, 100, 0.09, 30, 2, 34, 0);
    Plot_Bolt_Side_Rotated(100, 100, 10, 0.09, 0, 2, 34, 0);
    Plot_Bolt_Top(100, 100, 0.1, 0.1, 0.1, 2, 0);
    Plot_Polygon_Filled_Outlined(0, nullptr, nullptr, 2, 34, 1, 0);
  });
  ASSERT_EQ(1u, r.doc.graphics.size());
  for (const WORLD_ITEM &w : r.items) EXPECT_EQ(w.code, 38) << "directive " << w.code;  // the line styles only
}

// The single-point and fixed-count rotations turn like Rotate_Points (quarter turns exact).
TEST(DrawingRotations, FixedCountForms) {
  double y[6] = {1, 2, 3, 4, 5, 6}, z[6] = {0, 0, 0, 0, 0, 0};
  Rotate_Six_Points(y, z, 0, 0, M_PI / 2);
  for (int i = 0; i < 6; ++i) {
    EXPECT_NEAR(y[i], 0, 1e-15);
    EXPECT_EQ(z[i], -(i + 1.0));
  }
  Rotate_Quad(y, z, 0, 0, M_PI);  // (0, −k) to (0, k)
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(z[i], i + 1.0, 1e-12);
  EXPECT_EQ(z[4], -5.0);
  double a = 2, b = 1, c = 2, d = 1;
  Rotate_Point(&a, &b, 1, 1, 3 * M_PI / 2);
  Turn_Point(&c, &d, 1, 1, 3 * M_PI / 2);
  EXPECT_EQ(std::vector<double>({a, b}), std::vector<double>({c, d}));
  EXPECT_NEAR(a, 1, 1e-15);
  EXPECT_NEAR(b, 2, 1e-15);
  // Quarter ellipse 10 × 20 about the origin: 22.5°, 45°, 67.5° (start 0), 45°..90° (start 1).
  double qy[3], qz[3];
  Quarter_Ellipse_Points(0, 0, 10, 20, qy, qz, 0, 3, -1);
  EXPECT_NEAR(qy[2], 10 * std::sin(M_PI / 8), 1e-12);
  EXPECT_NEAR(qz[0], -20 * std::cos(3 * M_PI / 8), 1e-12);  // reversed: 67.5° first
  Quarter_Ellipse_Points(0, 0, 10, 20, qy, qz, 1, 3, 1);
  EXPECT_NEAR(qy[2], 10, 1e-12);
  EXPECT_NEAR(qz[2], 0, 1e-12);
  Set_Section_Plot_Height(7.9);
  EXPECT_EQ(Get_Section_Plot_Height(), 7);
  Reset_Drawing_For_Tests();
}

// All shapes in one block: the list and its picture (for a person to look at) stay as they are.
// Beside the first row: the shapes without fill or line type, the other kinds and turns, a
// weld label just above the 9.45 of the long shelf and the labels of every kind.
TEST_F(DrawingShapes, GoldenBlock) {
  PLOTTED r = Block([] {
    const int grey = 2, blue = 6, red = 4;
    Plot_Hexagon(grey, 34, 1, 20, 20, 10, 0);
    Plot_Circle_16(blue, 59, 1, 50, 20, 10, 0);
    Plot_Bolt_Top(80, 20, 10, 24, 20, -1, -1);
    Plot_Bolt_Top_Outline(110, 20, 10, 24, 20, 0);
    Plot_Band(140, 10, 170, 30, 4, 2, red, 34, 1, 0);
    Plot_Framed_Box(180, 10, 210, 30, grey, 34, 1, 0);
    Plot_Slotted_Hole(240, 20, 10, 30, 30, blue, 34, 1, 0);
    const double py[5] = {270, 300, 310, 290, 265}, pz[5] = {10, 10, 25, 35, 25};
    Plot_Polygon_Filled_Outlined(5, py, pz, red, 34, 1, 0);
    for (int k = 0; k < 4; ++k) {
      Plot_Weld_Label(k, 30 + 60 * k, 70, 5 + 5 * k, 20, grey, 1, 0);
      Plot_Radius_Label(k, 30 + 60 * k, 100, 8, 20, 0);
      Plot_Bolt_Side(k, 30 + 80 * k, 140, 10, 25, -1, 34, -1);
    }
    Plot_Weld_Label_Other(1, 280, 70, 12, 20, grey, 1, 0);
    Plot_Bolt_Head_Side(0, grey, 34, 340, 70, 20, 10, 1);
    Plot_Nut_Side(2, grey, 34, 370, 70, 24, 12, -1);
    Plot_Rotated_Rectangle(340, 120, 30, 10, M_PI / 6, blue, 34, 0);
    Plot_Bolt_Side_Rotated(330, 170, 10, 30, M_PI / 4, grey, 34, 0);
    Plot_Filled_Circle(370, 20, 8, blue, 59, 1, 0);
    Plot_Hexagon(-1, 34, -1, 20, 200, 10, 0);
    Plot_Circle_16_Checked(50, 200, 10, grey, 59, 1, 0);
    Plot_Bolt_Top(80, 200, 10, 24, 20, blue, 0);
    Plot_Slotted_Hole(120, 200, 10, 30, 90, grey, 34, 1, 0);
    Plot_Slotted_Hole(160, 200, 10, 9.995, 0, red, 34, -1, 0);  // length a hair below the width
    Plot_Weld_Label(3, 190, 200, 5, 10, -1, -1, 0);
    Plot_Weld_Label(0, 220, 200, 9.46, 10, grey, 1, 0);
    Plot_Weld_Label_Other(2, 260, 200, 5, 10, -1, 1, -1);
    Plot_Bolt_Head_Side(1, grey, 34, 290, 200, 20, 10, 1);
    Plot_Bolt_Head_Side(2, blue, 34, 320, 200, 20, 10, -1);
    Plot_Nut_Side(3, grey, 34, 350, 200, 24, 12, 1);
    Plot_Nut_Side(0, grey, 34, 380, 200, 24, 12, 1);
    Plot_Bolt_Side_Rotated(30, 260, 10, 30, 0, grey, 34, 0);
    Plot_Bolt_Side(2, 120, 280, 10, 30, grey, 34, -1);
    Plot_Bolt_Side(5, 160, 260, 10, 30, blue, 34, 0);  // kind 5 is kind 1
    Plot_Rotated_Rectangle(220, 260, 20, 10, M_PI / 2, grey, 34, 0);
    Plot_Band(260, 250, 280, 260, 6, 2, -1, 34, 1, 0);
    Plot_Framed_Box(300, 250, 330, 270, grey, 34, -1, 0);
  });
  Check_Golden(r.bytes, "shapes.oli");
  Check_Rendered(r, "shapes", {});
}
