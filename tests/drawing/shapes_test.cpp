// The mark, bolt and label shapes of the drawing module, read back from the print list in
// world units: per shape its fills (point counts), outline segments, extent, texts and the
// shapes that draw nothing; all of them together in one golden block.
#include <cmath>
#include <functional>
#include <limits>

#include "tests/drawing/drawing_fixture.h"

namespace {

constexpr double kTol = 1e-3;
const OLI_BLOCK_FRAME kFrame{0, 200, 400, 0, 0.05, 0.05, 0, 0};

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

struct Extent {
  double y1, z1, y2, z2;
};

// Extent of every point but the texts'; NaN when there is none.
Extent Extent_Of(const PLOTTED &r) {
  const double inf = std::numeric_limits<double>::infinity();
  Extent e{inf, inf, -inf, -inf};
  for (const WORLD_ITEM &w : r.items) {
    if (w.code == 9) continue;
    for (const auto &p : w.pts) {
      e.y1 = std::min(e.y1, p[0]), e.z1 = std::min(e.z1, p[1]);
      e.y2 = std::max(e.y2, p[0]), e.z2 = std::max(e.z2, p[1]);
    }
  }
  if (e.y1 == inf) e = {NAN, NAN, NAN, NAN};
  return e;
}

int Count(const PLOTTED &r, int code) {
  int n = 0;
  for (const WORLD_ITEM &w : r.items) n += w.code == code;
  return n;
}

// Every outline segment closes on itself: each end point is shared by an even number of
// segment ends (a closed outline, or closed outlines, with no loose end).
bool Outlines_Closed(const PLOTTED &r) {
  std::vector<std::array<double, 2>> ends;
  for (const WORLD_ITEM &w : r.items)
    if (w.code == 1) ends.insert(ends.end(), w.pts.begin(), w.pts.end());
  for (const auto &p : ends) {
    int n = 0;
    for (const auto &q : ends) n += std::hypot(p[0] - q[0], p[1] - q[1]) < kTol;
    if (n % 2) return false;
  }
  return true;
}

}  // namespace

// Each shape at (100, 100) alone in a block: the point counts of its fills, its outline
// segments, its extent, whether its outline closes, its texts, and a balanced state bracket.
// Sizes: hexagon and 16-gon r 10 (points at r sin, r cos of 60° resp. 22.5° steps), slotted
// hole a 10 × b 30, weld labels a 5 or 12 with text height 10 (d 1: shelf 5d, 6d beyond
// a 9.45), bolt views d 10.
TEST_F(DrawingShapes, EachShapeAlone) {
  const int grey = 2, line = 0;
  const double s60 = 10 * std::sin(M_PI / 3);
  struct Case {
    const char *name;
    std::function<void()> draw;
    std::vector<size_t> fills;
    int segments;
    Extent extent;
    bool closed;
    std::vector<std::string> texts;
  } cases[] = {
      {"hexagon", [&] { Plot_Hexagon(grey, 34, 1, 100, 100, 10, line); }, {6}, 6,
       {100 - s60, 90, 100 + s60, 110}, true, {}},
      {"hexagon, line only", [&] { Plot_Hexagon(-1, 34, -1, 100, 100, 10, line); }, {}, 6,
       {100 - s60, 90, 100 + s60, 110}, true, {}},
      {"16-gon", [&] { Plot_Circle_16(grey, 59, 1, 100, 100, 10, line); }, {16}, 16, {90, 90, 110, 110}, true, {}},
      {"16-gon checked", [&] { Plot_Circle_16_Checked(100, 100, 10, grey, 59, 1, line); }, {16}, 16,
       {90, 90, 110, 110}, true, {}},
      {"bolt top: washer, head, dashed hole", [&] { Plot_Bolt_Top(100, 100, 10, 24, 20, -1, -1); }, {16, 6},
       16 + 6 + 16, {88, 88, 112, 112}, true, {}},
      {"bolt top outline", [&] { Plot_Bolt_Top_Outline(100, 100, 10, 24, 20, line); }, {}, 16 + 16 + 6,
       {88, 88, 112, 112}, true, {}},
      {"band", [&] { Plot_Band(100, 100, 120, 110, 4, 2, grey, 34, 1, line); }, {4}, 4, {98, 99, 122, 111}, true, {}},
      {"framed box", [&] { Plot_Framed_Box(100, 100, 130, 120, grey, 34, 1, line); }, {4}, 4, {100, 100, 130, 120},
       true, {}},
      {"slotted hole", [&] { Plot_Slotted_Hole(100, 100, 10, 30, 0, grey, 34, 1, line); }, {18}, 18,
       {85, 95, 115, 105}, true, {}},
      {"slotted hole turned 90°", [&] { Plot_Slotted_Hole(100, 100, 10, 30, 90, grey, 34, 1, line); }, {18}, 18,
       {95, 85, 105, 115}, true, {}},
      {"weld label kind 0", [&] { Plot_Weld_Label(0, 100, 100, 5, 10, grey, 1, line); }, {3}, 2 + 3,
       {100, 100 - 1 - std::sqrt(3.0), 106, 100}, false, {"a5"}},
      {"weld label kind 2, long shelf", [&] { Plot_Weld_Label(2, 100, 100, 12, 10, grey, 1, line); }, {3}, 2 + 3,
       {93, 100, 100, 103}, false, {"a12"}},
      {"weld label, outline first", [&] { Plot_Weld_Label_Other(1, 100, 100, 5, 10, grey, 1, line); }, {3}, 2 + 3,
       {94, 100 - 1 - std::sqrt(3.0), 100, 100}, false, {"a5"}},
      {"weld label without line type", [&] { Plot_Weld_Label(3, 100, 100, 5, 10, -1, -1, line); }, {}, 3,
       {104, 103 - std::sqrt(3.0), 106, 103}, true, {"a5"}},
      {"radius label", [&] { Plot_Radius_Label(2, 100, 100, 8, 10, line); }, {}, 0, {NAN, NAN, NAN, NAN}, true,
       {"r8"}},
      {"bolt head side, kind 1", [&] { Plot_Bolt_Head_Side(1, grey, 34, 100, 100, 20, 10, 1); }, {6}, 6,
       {90, 90, 110, 100}, true, {}},
      {"bolt head side, kind 0 turned", [&] { Plot_Bolt_Head_Side(0, grey, 34, 100, 100, 20, 10, -1); }, {6}, 6,
       {90, 90, 100, 110}, true, {}},
      {"nut side", [&] { Plot_Nut_Side(3, grey, 34, 100, 100, 24, 12, 1); }, {8}, 8 + 2, {88, 88, 112, 100}, false,
       {}},
      {"rotated rectangle", [&] { Plot_Rotated_Rectangle(100, 100, 20, 10, M_PI / 2, grey, 34, line); }, {4}, 4,
       {95, 90, 105, 110}, true, {}},
      {"bolt side turned", [&] { Plot_Bolt_Side_Rotated(100, 100, 10, 30, 0, grey, 34, line); }, {4, 4, 4}, 12,
       {93, 92, 138, 108}, false, {}},
      // A bolt pointing right: the head (0.7 d) left of the start, the nut (0.8 d) beyond the
      // shank's end, both 1.6 d across; the shank d wide, not filled here.
      {"bolt side, kind 1", [&] { Plot_Bolt_Side(1, 100, 100, 10, 30, -1, 34, -1); }, {6, 8}, 6 + 4 + 8 + 2,
       {93, 92, 138, 108}, false, {}},
      {"bolt side, kind 2", [&] { Plot_Bolt_Side(2, 100, 100, 10, 30, 2, 34, -1); }, {6, 4, 8}, 6 + 4 + 8 + 2,
       {92, 62, 108, 107}, false, {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    PLOTTED r = Block(c.draw);
    ASSERT_EQ(1u, r.doc.graphics.size());
    std::vector<size_t> fills;
    for (const WORLD_FILL &f : Fills(r)) fills.push_back(f.pts.size());
    EXPECT_EQ(fills, c.fills);
    EXPECT_EQ(Count(r, 1), c.segments);
    EXPECT_GE(Count(r, 30), 1);
    EXPECT_EQ(Count(r, 30), Count(r, 31));
    const Extent e = Extent_Of(r);
    for (int k = 0; k < 4; ++k) {
      const double want = (&c.extent.y1)[k], got = (&e.y1)[k];
      if (std::isnan(want)) {
        EXPECT_TRUE(std::isnan(got));
      } else {
        EXPECT_NEAR(want, got, kTol) << "extent " << k;
      }
    }
    if (c.closed) {
      EXPECT_TRUE(Outlines_Closed(r));
    }
    std::vector<std::string> texts;
    for (const WORLD_ITEM &w : r.items)
      if (w.code == 9) texts.push_back(w.text);
    EXPECT_EQ(texts, c.texts);
  }
}

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

// Text places of the labels by kind (d = 0.1 h = 1): weld labels at the bend, radius labels
// beside the point, to the right for kinds 0 and 3, below for kinds 2 and 3.
TEST_F(DrawingShapes, LabelPlaces) {
  const double bend[4][2] = {{101, 99}, {99, 99}, {99, 103}, {101, 103}};
  for (int kind = 0; kind < 4; ++kind) {
    SCOPED_TRACE(kind);
    PLOTTED r = Block([&] {
      Plot_Weld_Label(kind, 100, 100, 4, 10, 2, 1, 0);
      Plot_Radius_Label(kind, 50, 50, 6, 10, 0);
    });
    auto weld = Text_Anchors(r, "a4"), radius = Text_Anchors(r, "r6");
    ASSERT_EQ(weld.size(), 1u);
    ASSERT_EQ(radius.size(), 1u);
    EXPECT_NEAR(weld[0][0], bend[kind][0], kTol);
    EXPECT_NEAR(weld[0][1], bend[kind][1], kTol);
    EXPECT_NEAR(radius[0][0], bend[kind][0] - 50, kTol);
    EXPECT_NEAR(radius[0][1], bend[kind][1] - 50, kTol);
    EXPECT_TRUE(Has_Segment(r, 100, 100, bend[kind][0], bend[kind][1]));  // the leader
  }
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
  });
  Check_Golden(r.bytes, "shapes.oli");
  Check_Rendered(r, "shapes", {});
}
