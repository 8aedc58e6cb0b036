#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/support.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
using ::testing::DoubleEq;
using ::testing::DoubleNear;
using ::testing::Pointwise;
}

TEST(SupportGeometry, SegmentOrdinateAndWithin) {
  double y = -99;
  EXPECT_EQ((std::vector<double>{double(Segment_Y_At_X(0, 0, 10, 5, 4, &y)), y}), (std::vector<double>{1, 2}));
  // Outside, the ordinate still given.
  EXPECT_EQ((std::vector<double>{double(Segment_Y_At_X(0, 0, 10, 5, 12, &y)), y}), (std::vector<double>{0, 6}));
  EXPECT_EQ(Segment_Y_At_X(10, 5, 0, 0, 10 + 5e-7, &y), 1);  // ends count within 1e-6
  EXPECT_EQ((std::vector<double>{double(Segment_Y_At_X(2, 1, 6, 9, 3, &y)), y}), (std::vector<double>{1, 3}));  // x1 ≠ 0
  // Vertical segment: the mid ordinate at its x, nothing elsewhere.
  EXPECT_EQ((std::vector<double>{double(Segment_Y_At_X(3, 1, 3, 7, 3, &y)), y}), (std::vector<double>{1, 4}));
  y = -99;
  EXPECT_EQ((std::vector<double>{double(Segment_Y_At_X(3, 1, 3, 7, 4, &y)), y}), (std::vector<double>{0, -99}));
}

TEST(SupportGeometry, LineIntersectionAndParallels) {
  double x = -1, y = -1;
  EXPECT_EQ(Line_Intersection(0, 0, 2, 2, 0, 2, 2, 0, &x, &y), 0);
  EXPECT_EQ((std::vector<double>{x, y}), (std::vector<double>{1, 1}));
  EXPECT_EQ(Line_Intersection(0, 0, 1, 0, 0, 1, 5, 1, &x, &y), 1);  // parallels: the origin
  EXPECT_EQ((std::vector<double>{x, y}), (std::vector<double>{0, 0}));
}

// Quarter by quarter; vertical lines (and a single point) π/2 up, 3π/2 down.
TEST(SupportGeometry, DirectionAngleInAllQuadrants) {
  EXPECT_THAT((std::vector<double>{Line_Direction_Angle(0, 0, 1, 1), Line_Direction_Angle(0, 0, -1, 1),
                                   Line_Direction_Angle(0, 0, -1, -1), Line_Direction_Angle(0, 0, 1, -1),
                                   Line_Direction_Angle(2, 0, 2, 5), Line_Direction_Angle(2, 0, 2, -5),
                                   Line_Direction_Angle(2, 3, 2, 3)}),
              Pointwise(DoubleEq(), {kPi / 4, 3 * kPi / 4, 5 * kPi / 4, -kPi / 4, kPi / 2, 3 * kPi / 2, kPi / 2}));
}

TEST(SupportGeometry, LocalTransformRoundTrip) {
  double x[3] = {1, 5, -2}, y[3] = {2, -1, 7};
  auto at = [&](int k, double wx, double wy) {
    EXPECT_NEAR(x[k], wx, 1e-12) << k;
    EXPECT_NEAR(y[k], wy, 1e-12) << k;
  };
  World_To_Local_Points(x, y, 3, 1, 2, kPi / 2, 2.0);
  // The first point is the origin; (5, −1) − (1, 2) = (4, −3) turned by −90° is (−3, −4).
  at(0, 0, 0), at(1, -6, -8);
  Local_To_World_Points(x, y, 3, 1, 2, kPi / 2, 2.0);
  at(1, 5, -1), at(2, -2, 7);
  Local_To_World_Points(x, y, 3, 1, 2, 0.3, 0.0);  // scale 0: nothing, never infinity
  at(2, -2, 7);
}

TEST(SupportGeometry, CircleIntersectionChoosesBySide) {
  double x = 0, y = 0;
  auto meet = [&](double x1, double r1, double x2, double r2, int side) {
    return Circle_Intersection(x1, 0, r1, x2, 0, r2, side, &x, &y);
  };
  // Circles about (0, 0) and (6, 0) of radius 5 meet in (3, ±4), (3, 4) left of c1 → c2.
  ASSERT_EQ(meet(0, 5, 6, 5, 1), 0);
  EXPECT_NEAR(x, 3, 1e-12);
  EXPECT_NEAR(y, 4, 1e-12);
  ASSERT_EQ(meet(0, 5, 6, 5, 0), 0);
  EXPECT_NEAR(y, -4, 1e-12);
  ASSERT_EQ(meet(6, 5, 0, 5, 1), 0);  // reversed centre line: the left side is below
  EXPECT_NEAR(y, -4, 1e-12);
  // A semicircle of chord 12.9: the circles touch and must not vanish through rounding.
  ASSERT_EQ(meet(0, 6.45, 12.9, 6.45, 1), 0);
  EXPECT_NEAR(x, 6.45, 1e-9);
  EXPECT_NEAR(y, 0, 1e-6);
  x = y = -1;
  EXPECT_EQ(meet(0, 1, 5, 1, 1) + meet(0, 5, 1, 1, 1), 2);  // apart; one inside the other
  EXPECT_EQ(Circle_Intersection(2, 2, 1, 2, 2, 1, 1, &x, &y), 1);  // same centre
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
    EXPECT_THAT((std::vector<double>{xmax - xmin, ymax - ymin, xmin}), Pointwise(DoubleNear(1e-12), {12, 12, -1}))
        << reversed;
    ASSERT_EQ(Offset_Polygon(4, x, y, -1.0), 0);  // a negative distance goes back inward
    EXPECT_THAT((std::vector<double>{x[0], y[2]}), Pointwise(DoubleNear(1e-12), {0, 10}));
  }
}

TEST(SupportGeometry, OffsetPolygonWithRepeatedPointsStaysFinite) {
  double x[7] = {0, 0, 10, 10, 10, 0, 0}, y[7] = {0, 0, 0, 10, 10, 10, 0};
  ASSERT_EQ(Offset_Polygon(7, x, y, 0.5), 0);
  for (int k = 0; k < 7; ++k) {
    ASSERT_TRUE(std::isfinite(x[k]) && std::isfinite(y[k])) << k;
    EXPECT_THAT((std::vector<double>{std::fabs(x[k] - 5), std::fabs(y[k] - 5)}), Pointwise(DoubleNear(1e-12), {5.5, 5.5}))
        << k;
  }
}

TEST(SupportGeometry, OffsetPolygonRefusesDegenerateInput) {
  double x[51] = {0, 5, 10}, y[51] = {0, 0, 0};  // collinear: zero area
  EXPECT_EQ(Offset_Polygon(3, x, y, 1.0), 1);
  EXPECT_EQ((std::vector<double>{x[1], y[1]}), (std::vector<double>{5, 0}));
  for (int k = 0; k < 51; ++k) {
    x[k] = std::cos(k * 2 * kPi / 51);
    y[k] = std::sin(k * 2 * kPi / 51);
  }
  EXPECT_EQ(Offset_Polygon(51, x, y, 1.0), 1);  // more than 50 points
  EXPECT_EQ(x[0], 1.0);
  EXPECT_EQ((std::vector<int>{Offset_Polygon(50, x, y, 1.0), Offset_Polygon(2, x, y, 1.0)}), (std::vector<int>{0, 1}));
}

TEST(SupportGeometry, NiceDrawingScale) {
  // Height decides: 100 × 200 / 3.6 + 0.999 = 5556.55… → 5556; a field below 0.999 does
  // not count; nothing to fit: n is at least 1. Nice steps: 1:55.56 becomes 1:100, 1:1.5
  // becomes 1:2, 1:20 stays, 1:22 becomes 1:25.
  EXPECT_THAT((std::vector<double>{Nice_Drawing_Scale(100, 200, 14, 3.6, 1), Nice_Drawing_Scale(100, 200, 14, 0.5, 1),
                                   Nice_Drawing_Scale(0, 0, 0, 0, 1), Nice_Drawing_Scale(100, 200, 14, 3.6, 0),
                                   Nice_Drawing_Scale(15, 0, 10, 0, 0), Nice_Drawing_Scale(199.99, 0, 10, 0, 0),
                                   Nice_Drawing_Scale(220, 0, 10, 0, 0)}),
              Pointwise(DoubleEq(), {100.0 / 5556, 100.0 / 715, 100.0, 0.01, 0.5, 0.05, 0.04}));
}

TEST(SupportGeometry, RoundingAndSquare) {
  // Half away from zero, negative places, no overflow to infinity.
  EXPECT_THAT((std::vector<double>{Round_To_Decimals(3.14159, 2), Round_To_Decimals(-2.5, 0),
                                   Round_To_Decimals(1234.5, -2), Round_To_Decimals(0.125, 2),
                                   Round_To_Decimals(1e300, 20), Sqr_Double(-1.5)}),
              Pointwise(DoubleEq(), {3.14, -3.0, 1200.0, 0.13, 1e300, 2.25}));
}
