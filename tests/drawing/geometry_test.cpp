// Outline expansion, rotations and weld triangles of the section plots.
#include <cmath>

#include "tests/drawing/drawing_fixture.h"

// Arc edges: a half circle, a major arc of bulge 0.75 from (0, 0) to (−20, 0) (chord
// 20, height 15: radius 65/6, centre 25/6 beyond the chord on the bulge's side), two
// contours closed by arcs, and an outline too long for the buffers.
TEST(DrawingOutline, ExpandsArcEdges) {
  std::vector<double> y(OUTLINE_MAX_POINTS), z(OUTLINE_MAX_POINTS);
  std::vector<int> c(OUTLINE_MAX_POINTS), nr(OUTLINE_MAX_POINTS);
  PROFIL_NODE half[] = {{7, 0, 0, 0.5, 0}, {8, -20, 0, 0, 0}};
  SECTION_OUTLINE o{0, 2, half};
  EXPECT_EQ(2 + 15, Expand_Outline_Arcs(&o, y.data(), z.data(), nullptr, nr.data()));
  for (int i = 1; i <= 15; ++i) {
    EXPECT_NEAR(10, std::hypot(y[i] - 10, z[i]), 1e-9);
    EXPECT_EQ(7, nr[i]);
  }
  EXPECT_NEAR(-10, z[8], 1e-9);  // bulging left of travel as seen: up the page
  EXPECT_EQ(20.0, y[16]);

  PROFIL_NODE major[] = {{1, 0, 0, 0.75, -1}, {2, -20, 0, 0, -1}};
  o = SECTION_OUTLINE{1, 2, major};
  ASSERT_EQ(21, Expand_Outline_Arcs(&o, y.data(), z.data(), c.data(), nr.data()));
  double farthest = 0;
  for (int i = 1; i <= 19; ++i) {
    EXPECT_NEAR(65.0 / 6, std::hypot(y[i] - 10, z[i] + 25.0 / 6), 1e-9);
    EXPECT_EQ(-1, c[i]);
    farthest = std::max(farthest, -z[i]);
  }
  for (int i = 1; i <= 20; ++i) EXPECT_NEAR(2.125960, std::hypot(y[i] - y[i - 1], z[i] - z[i - 1]), 1e-6);
  EXPECT_NEAR(15, farthest, 0.05);

  // Two contours: each closing arc ends at its own contour's first vertex.
  PROFIL_NODE two[] = {{1, 0, 0, 0, -1}, {2, -10, 0, 0.5, -1}, {3, -50, 0, 0, 1}, {4, -70, 0, -0.5, 1}};
  o = SECTION_OUTLINE{1, 4, two};
  ASSERT_EQ(4 + 30, Expand_Outline_Arcs(&o, y.data(), z.data(), c.data(), nr.data()));
  EXPECT_NEAR(5, std::hypot(y[10] - 5, z[10]), 1e-9);    // 2 back to 1
  EXPECT_NEAR(10, std::hypot(y[25] - 60, z[25]), 1e-9);  // 4 back to 3
  EXPECT_GT(0, z[25]);  // negative: right of travel, and 4 → 3 runs left: up the page

  std::vector<PROFIL_NODE> many(700);
  for (int i = 0; i < 700; ++i) many[i] = PROFIL_NODE{i + 1, -10.0 * i, 0, 0.5, -1};
  o = SECTION_OUTLINE{1, 700, many.data()};
  EXPECT_EQ(OUTLINE_MAX_POINTS, Expand_Outline_Arcs(&o, y.data(), z.data(), c.data(), nr.data()));
  EXPECT_EQ(0, Expand_Outline_Arcs(nullptr, y.data(), z.data(), c.data(), nr.data()));
}

// A polygon section whose outline needs more than 9999 points draws nothing.
TEST_F(SectionPlot, TooLongOutlineDrawsNothing) {
  std::vector<PROFIL_NODE> many(700);
  for (int i = 0; i < 700; ++i) many[i] = PROFIL_NODE{i + 1, -10.0 * i, 0, 0.5, -1};
  PROFIL p{};
  p.kind = PROFIL_KIND_QUER;
  p.model_kind = 1;
  p.node_count = 700;
  p.nodes = many.data();
  PLOTTED r = Draw(&p, true, 0, 1, 1, 7000, 10);
  EXPECT_EQ(0.0, r.S);
  EXPECT_TRUE(r.doc.graphics.empty());
}

// Quarter turns are exact: the values of cos and sin at π and π/2.
TEST(DrawingOutline, RotationSnapsQuarterTurns) {
  struct Case {
    double a, y, z;
  } cases[] = {{M_PI + 0.0009, -1, -1.2246467991473532e-16},
               {M_PI / 2 - 0.0009, 6.123233995736766e-17, -1}};
  for (const Case &c : cases) {
    double y = 1, z = 0;
    Rotate_Points(&y, &z, 1, 0, 0, c.a);
    EXPECT_NEAR(c.y, y, 1e-30) << c.a;
    EXPECT_NEAR(c.z, z, 1e-15) << c.a;
  }
  double y = 3, z = 1;
  Rotate_Points(&y, &z, 1, 2, 1, M_PI / 2);  // about (2, 1)
  EXPECT_EQ(2.0, y);
  EXPECT_EQ(0.0, z);
}

// Weld triangles by quadrant and corner kind, read back from the list.
TEST_F(SectionPlot, WeldTriangles) {
  FILE *f = Open_Druckliste(path_.c_str());
  ASSERT_EQ(0, Oliplot_Begin_Grafic(f, -10, 10, 10, -10, 1, 1, 0, 0));
  Oliplot_Set_Extended_Mode(1);
  for (int q = 0; q < 5; ++q) Plot_Weld_Triangle_Quadrant(0, 0, 2, q, 2, 1, 0);
  Plot_Weld_Triangle_Quadrant(0, 0, 0.0009, 1, 2, 1, 0);
  for (int k = 0; k < 4; ++k) Plot_Corner_Weld(k, 2, 0, 0, 0, 3, 2, 0);
  Plot_Corner_Weld(2, 2, 0, 0, 0, 3, 2, M_PI / 2);
  Oliplot_End_Grafic(f);
  Close_Druckliste(f);
  PLOTTED r;
  r.bytes = Read_File_Bytes(path_);
  ASSERT_EQ(0, Read_Oli_Text(r.bytes.data(), r.bytes.size(), &r.doc));
  r.frame = {-10, 10, 10, -10, 1, 1, 0, 0};
  To_World(&r);
  std::vector<WORLD_FILL> fills = Fills(r);
  const double expected[][2][2] = {
      {{2, 0}, {0, -2}},  {{0, -2}, {-2, 0}}, {{-2, 0}, {0, 2}},  {{0, 2}, {2, 0}},   // quadrants 0..3
      {{-3, 0}, {-3, 2}}, {{3, 0}, {3, 2}},   {{3, 0}, {3, -2}},  {{-3, 0}, {-3, -2}}, // kinds 0..3
      {{0, -3}, {-2, -3}},                                                            // kind 2 turned 90°
  };
  ASSERT_EQ(9u, fills.size());
  for (size_t i = 0; i < 9; ++i) {
    SCOPED_TRACE(i);
    for (int k = 0; k < 2; ++k) {
      EXPECT_NEAR(expected[i][k][0], fills[i].pts[k + 1][0], 1e-9);
      EXPECT_NEAR(expected[i][k][1], fills[i].pts[k + 1][1], 1e-9);
    }
  }
}
