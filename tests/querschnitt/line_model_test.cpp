// The line model: wall areas and outlines computed by the thin-walled solver.
#include <gtest/gtest.h>

#include <cmath>

#include "querschnitt/querschnitt.h"
#include "support/support.h"

namespace {
double Outline_Area(const QMODEL *m, int k) {
  double a = 0;
  int first = m->outline_first[k], n = m->outline_first[k + 1] - first;
  for (int i = 0; i < n; ++i) {
    int j = first + (i + 1) % n;
    a += m->outline_y[first + i] * m->outline_z[j] - m->outline_y[j] * m->outline_z[first + i];
  }
  return std::fabs(a) / 2;
}
}  // namespace

// A straight wall 100 × 10 mm and a half circle of rise 50 (centre-line radius 50): the
// outline polygons hold their areas, the arc's chords span at most π/64.
TEST(LineModel, OutlinesHoldTheWallAreas) {
  QMODEL *m = Create_Line_Model(4, 2);
  ASSERT_NE(nullptr, m);
  Set_Line_Model_Node(m, 0, 0, 0);
  Set_Line_Model_Node(m, 1, 100, 0);
  Set_Line_Model_Node(m, 2, 300, 0);
  Set_Line_Model_Node(m, 3, 400, 0);
  EXPECT_EQ(1, Set_Line_Model_Line(m, 0, 0, 1, 0, 10, 10, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(1, Set_Line_Model_Line(m, 1, 2, 3, 50, 10, 10, 0, 0, 0, 0, 0, 0));
  ASSERT_EQ(0, Calc_Line_Model_Section(m));
  EXPECT_NEAR(1000, Outline_Area(m, 0), 1e-6);
  EXPECT_NEAR(M_PI * 50 * 10, m->area - 1000, 2.0);  // the solver integrates its own chords
  EXPECT_NEAR(M_PI * 50 * 10, Outline_Area(m, 1), M_PI * 50 * 10 * 0.001);
  EXPECT_GE(m->outline_first[2] - m->outline_first[1], 2 * 64);
  EXPECT_NEAR(0, m->y_min, 1e-9);
  EXPECT_NEAR(405, m->y_max, 1e-6);  // the half circle's outer face
  EXPECT_NEAR(55, m->z_max, 1e-6);  // the arc bulges left: toward +z
  EXPECT_NEAR(-5, m->z_min, 1e-6);
  Free_Line_Model(m);
}

TEST(LineModel, BadInputAndFailedComputation) {
  EXPECT_EQ(nullptr, Create_Line_Model(-1, 2));
  EXPECT_EQ(nullptr, Create_Line_Model(2, 100001));
  QMODEL *m = Create_Line_Model(2, 1);
  EXPECT_EQ(0, Set_Line_Model_Line(m, 1, 0, 1, 0, 10, 10, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(0, Set_Line_Model_Line(m, 0, 0, 2, 0, 10, 10, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(0, Set_Line_Model_Line(nullptr, 0, 0, 1, 0, 10, 10, 0, 0, 0, 0, 0, 0));
  Set_Line_Model_Node(m, 0, 5, 5);
  Set_Line_Model_Node(m, 1, 5, 5);  // the line's nodes coincide
  EXPECT_EQ(1, Set_Line_Model_Line(m, 0, 0, 1, 0, 10, 10, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(2, Calc_Line_Model_Section(m));
  EXPECT_EQ(2, m->status);
  EXPECT_EQ(1, Calc_Line_Model_Section(nullptr));
  long live = Tools_Live_Blocks();
  Free_Line_Model(m);  // the model, its nodes, lines and outline index
  live -= 4;
  Free_Line_Model(nullptr);
  EXPECT_EQ(live, Tools_Live_Blocks());
}
