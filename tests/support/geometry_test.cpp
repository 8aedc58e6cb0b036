#include <gtest/gtest.h>

#include <cmath>

#include "support/support.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
}

TEST(SupportGeometry, SegmentOrdinateAndWithin) {
  double y = -99;
  EXPECT_EQ(Segment_Y_At_X(0, 0, 10, 5, 4, &y), 1);
  EXPECT_DOUBLE_EQ(y, 2.0);
  EXPECT_EQ(Segment_Y_At_X(0, 0, 10, 5, 12, &y), 0);  // outside, ordinate still given
  EXPECT_DOUBLE_EQ(y, 6.0);
  EXPECT_EQ(Segment_Y_At_X(10, 5, 0, 0, 10 + 5e-7, &y), 1);  // ends count within 1e-6
  EXPECT_EQ(Segment_Y_At_X(2, 1, 6, 9, 3, &y), 1);  // a segment away from x = 0
  EXPECT_DOUBLE_EQ(y, 3.0);
  // Vertical segment: the mid ordinate at its x, nothing elsewhere.
  EXPECT_EQ(Segment_Y_At_X(3, 1, 3, 7, 3, &y), 1);
  EXPECT_DOUBLE_EQ(y, 4.0);
  y = -99;
  EXPECT_EQ(Segment_Y_At_X(3, 1, 3, 7, 4, &y), 0);
  EXPECT_EQ(y, -99);
}

TEST(SupportGeometry, LineIntersectionAndParallels) {
  double x = -1, y = -1;
  EXPECT_EQ(Line_Intersection(0, 0, 2, 2, 0, 2, 2, 0, &x, &y), 0);
  EXPECT_DOUBLE_EQ(x, 1.0);
  EXPECT_DOUBLE_EQ(y, 1.0);
  EXPECT_EQ(Line_Intersection(0, 0, 1, 0, 0, 1, 5, 1, &x, &y), 1);
  EXPECT_EQ(x, 0.0);
  EXPECT_EQ(y, 0.0);
}

TEST(SupportGeometry, DirectionAngleInAllQuadrants) {
  EXPECT_DOUBLE_EQ(Line_Direction_Angle(0, 0, 1, 1), kPi / 4);
  EXPECT_DOUBLE_EQ(Line_Direction_Angle(0, 0, -1, 1), 3 * kPi / 4);
  EXPECT_DOUBLE_EQ(Line_Direction_Angle(0, 0, -1, -1), 5 * kPi / 4);
  EXPECT_DOUBLE_EQ(Line_Direction_Angle(0, 0, 1, -1), -kPi / 4);
  EXPECT_DOUBLE_EQ(Line_Direction_Angle(2, 0, 2, 5), kPi / 2);
  EXPECT_DOUBLE_EQ(Line_Direction_Angle(2, 0, 2, -5), 3 * kPi / 2);
  EXPECT_DOUBLE_EQ(Line_Direction_Angle(2, 3, 2, 3), kPi / 2);
}

TEST(SupportGeometry, LocalTransformRoundTrip) {
  double x[3] = {1, 5, -2}, y[3] = {2, -1, 7};
  World_To_Local_Points(x, y, 3, 1, 2, kPi / 2, 2.0);
  // The first point is the origin; (5, −1) − (1, 2) = (4, −3) turned by −90° is (−3, −4).
  EXPECT_NEAR(x[0], 0, 1e-12);
  EXPECT_NEAR(y[0], 0, 1e-12);
  EXPECT_NEAR(x[1], -6, 1e-12);
  EXPECT_NEAR(y[1], -8, 1e-12);
  Local_To_World_Points(x, y, 3, 1, 2, kPi / 2, 2.0);
  EXPECT_NEAR(x[1], 5, 1e-12);
  EXPECT_NEAR(y[1], -1, 1e-12);
  EXPECT_NEAR(x[2], -2, 1e-12);
  EXPECT_NEAR(y[2], 7, 1e-12);
  Local_To_World_Points(x, y, 3, 1, 2, 0.3, 0.0);  // scale 0: nothing, never infinity
  EXPECT_NEAR(x[2], -2, 1e-12);
}

TEST(SupportGeometry, CircleIntersectionChoosesBySide) {
  double x = 0, y = 0;
  // Circles about (0, 0) and (6, 0) of radius 5 meet in (3, ±4).
  ASSERT_EQ(Circle_Intersection(0, 0, 5, 6, 0, 5, 1, &x, &y), 0);
  EXPECT_NEAR(x, 3, 1e-12);
  EXPECT_NEAR(y, 4, 1e-12);  // left of the direction c1 → c2
  ASSERT_EQ(Circle_Intersection(0, 0, 5, 6, 0, 5, 0, &x, &y), 0);
  EXPECT_NEAR(y, -4, 1e-12);
  // Reversed centre line: the left side is now below.
  ASSERT_EQ(Circle_Intersection(6, 0, 5, 0, 0, 5, 1, &x, &y), 0);
  EXPECT_NEAR(y, -4, 1e-12);
  // A semicircle of chord 12.9: the circles touch and must not vanish through rounding.
  ASSERT_EQ(Circle_Intersection(0, 0, 6.45, 12.9, 0, 6.45, 1, &x, &y), 0);
  EXPECT_NEAR(x, 6.45, 1e-9);
  EXPECT_NEAR(y, 0, 1e-6);
  x = y = -1;
  EXPECT_EQ(Circle_Intersection(0, 0, 1, 5, 0, 1, 1, &x, &y), 1);     // apart
  EXPECT_EQ(Circle_Intersection(0, 0, 5, 1, 0, 1, 1, &x, &y), 1);     // one inside the other
  EXPECT_EQ(Circle_Intersection(2, 2, 1, 2, 2, 1, 1, &x, &y), 1);     // same centre
  EXPECT_EQ(x, -1);
}

TEST(SupportGeometry, OffsetPolygonMovesOutwardBothWaysRound) {
  for (int reversed = 0; reversed < 2; ++reversed) {
    double x[4] = {0, 10, 10, 0}, y[4] = {0, 0, 10, 10};
    if (reversed) {
      std::swap(x[1], x[3]);
      std::swap(y[1], y[3]);
    }
    ASSERT_EQ(Offset_Polygon(4, x, y, 1.0), 0);
    double xmin = 1e9, xmax = -1e9, ymin = 1e9, ymax = -1e9;
    for (int k = 0; k < 4; ++k) {
      xmin = std::fmin(xmin, x[k]), xmax = std::fmax(xmax, x[k]);
      ymin = std::fmin(ymin, y[k]), ymax = std::fmax(ymax, y[k]);
    }
    EXPECT_NEAR(xmax - xmin, 12, 1e-12) << reversed;
    EXPECT_NEAR(ymax - ymin, 12, 1e-12) << reversed;
    EXPECT_NEAR(xmin, -1, 1e-12);
    ASSERT_EQ(Offset_Polygon(4, x, y, -1.0), 0);  // a negative distance goes back inward
    EXPECT_NEAR(x[0], 0, 1e-12);
    EXPECT_NEAR(y[2], 10, 1e-12);
  }
}

TEST(SupportGeometry, OffsetPolygonWithRepeatedPointsStaysFinite) {
  double x[7] = {0, 0, 10, 10, 10, 0, 0}, y[7] = {0, 0, 0, 10, 10, 10, 0};
  ASSERT_EQ(Offset_Polygon(7, x, y, 0.5), 0);
  for (int k = 0; k < 7; ++k) {
    ASSERT_TRUE(std::isfinite(x[k]) && std::isfinite(y[k])) << k;
    EXPECT_NEAR(std::fabs(x[k] - 5), 5.5, 1e-12) << k;
    EXPECT_NEAR(std::fabs(y[k] - 5), 5.5, 1e-12) << k;
  }
}

TEST(SupportGeometry, OffsetPolygonRefusesDegenerateInput) {
  double x[51] = {0, 5, 10}, y[51] = {0, 0, 0};  // collinear: zero area
  EXPECT_EQ(Offset_Polygon(3, x, y, 1.0), 1);
  EXPECT_EQ(x[1], 5);
  EXPECT_EQ(y[1], 0);
  for (int k = 0; k < 51; ++k) {
    x[k] = std::cos(k * 2 * kPi / 51);
    y[k] = std::sin(k * 2 * kPi / 51);
  }
  EXPECT_EQ(Offset_Polygon(51, x, y, 1.0), 1);  // more than 50 points
  EXPECT_EQ(x[0], 1.0);
  EXPECT_EQ(Offset_Polygon(50, x, y, 1.0), 0);
  EXPECT_EQ(Offset_Polygon(2, x, y, 1.0), 1);
}

TEST(SupportGeometry, NiceDrawingScale) {
  // Height decides: 100 × 200 / 3.6 + 0.999 = 5556.55… → 5556.
  EXPECT_DOUBLE_EQ(Nice_Drawing_Scale(100, 200, 14, 3.6, 1), 100.0 / 5556);
  // A field below 0.999 does not count.
  EXPECT_DOUBLE_EQ(Nice_Drawing_Scale(100, 200, 14, 0.5, 1), 100.0 / 715);
  // Nothing to fit: n is at least 1.
  EXPECT_DOUBLE_EQ(Nice_Drawing_Scale(0, 0, 0, 0, 1), 100.0);
  // Nice steps: 1:55.56 becomes 1:100, 1:1.5 becomes 1:2, 1:20 stays, 1:22 becomes 1:25.
  EXPECT_DOUBLE_EQ(Nice_Drawing_Scale(100, 200, 14, 3.6, 0), 0.01);
  EXPECT_DOUBLE_EQ(Nice_Drawing_Scale(15, 0, 10, 0, 0), 0.5);
  EXPECT_DOUBLE_EQ(Nice_Drawing_Scale(199.99, 0, 10, 0, 0), 0.05);
  EXPECT_DOUBLE_EQ(Nice_Drawing_Scale(220, 0, 10, 0, 0), 0.04);
}

TEST(SupportGeometry, RoundingAndSquare) {
  EXPECT_DOUBLE_EQ(Round_To_Decimals(3.14159, 2), 3.14);
  EXPECT_DOUBLE_EQ(Round_To_Decimals(-2.5, 0), -3.0);
  EXPECT_DOUBLE_EQ(Round_To_Decimals(1234.5, -2), 1200.0);
  EXPECT_DOUBLE_EQ(Round_To_Decimals(0.125, 2), 0.13);
  EXPECT_DOUBLE_EQ(Round_To_Decimals(1e300, 20), 1e300);  // no overflow to infinity
  EXPECT_DOUBLE_EQ(Sqr_Double(-1.5), 2.25);
}
