// Line geometry: points, tangents and line coordinates of straight and arc lines of
// varying thickness against values worked out by hand.
#include "tests/dwqb/dwqb_fixture.h"

namespace {
constexpr double kPi = std::numbers::pi;

DWQB_LINE_GEOMETRY Geo(double ya, double za, double yb, double zb, double rise, double ta, double tb) {
  DWQB_LINE_GEOMETRY g;
  Set_DWQB_Line_Geometry(ya, za, yb, zb, rise, ta, tb, 0.001, &g);
  return g;
}
}  // namespace

// Points (s along, w across, -1 right face to +1 left face) of straight, turned, arc and
// zero-length lines worked out by hand.
TEST(DwqbGeometry, PointsOfLines) {
  const struct {
    double ya, za, yb, zb, rise, ta, tb, s, w, y, z;
  } rows[] = {
      {0, 0, 10, 0, 0, 2, 4, 1, 1, 10, 2},      // tapered: left face at b, half thickness 2
      {0, 0, 10, 0, 0, 2, 4, -1, -1, 0, -1},    // right face at a, half thickness 1
      {1, 1, 1, 5, 0, 1, 1, 0, 1, 0.5, 3},      // along +z: the left side is -y
      {0, 0, 10, 0, 5, 2, 2, 0, 0, 5, 5},       // half circle bulging left (+z)
      {0, 0, 10, 0, 5, 2, 2, 1, 0, 10, 0},      // its end
      {0, 0, 10, 0, 5, 2, 2, 0, 1, 5, 6},       // its left face is the outer one
      {0, 0, 10, 0, -5, 2, 2, 0, 0, 5, -5},     // mirrored: bulging right
      {0, 0, 10, 0, -5, 2, 2, 0, 1, 5, -4},     // its left face is the inner one
      {3, 4, 3, 4, 0, 1, 1, 0.7, 0, 3, 4},      // zero length: a point
  };
  for (const auto &r : rows) {
    const DWQB_LINE_GEOMETRY g = Geo(r.ya, r.za, r.yb, r.zb, r.rise, r.ta, r.tb);
    double y, z;
    Get_DWQB_Line_Geometry_Point(r.s, r.w, &g, &y, &z);
    EXPECT_NEAR(y, r.y, 1e-14) << r.ya << " " << r.yb << " " << r.rise << " s " << r.s << " w " << r.w;
    EXPECT_NEAR(z, r.z, 1e-14) << r.ya << " " << r.yb << " " << r.rise << " s " << r.s << " w " << r.w;
  }
}

TEST(DwqbGeometry, StraightTaperedLine) {
  const DWQB_LINE_GEOMETRY g = Geo(0, 0, 10, 0, 0, 2, 4);
  EXPECT_DOUBLE_EQ(g.h0, 1.5);
  EXPECT_DOUBLE_EQ(g.h1, 0.5);
  EXPECT_DOUBLE_EQ(g.half_chord, 5.0);
  EXPECT_DOUBLE_EQ(g.length, 10.0);
  EXPECT_EQ(g.n_seg, 0);
  // The left face rises by (t_b - t_a)/2 over the length: tangent (10, 1)/2 per unit s.
  double ty, tz;
  Get_DWQB_Line_Geometry_Tangent(0.3, 1, &g, &ty, &tz);
  EXPECT_DOUBLE_EQ(ty, 5.0);
  EXPECT_DOUBLE_EQ(tz, 0.5);
  EXPECT_NEAR(Geo(1, 1, 1, 5, 0, 1, 1).angle, kPi / 2, 1e-15);
  const DWQB_LINE_GEOMETRY p = Geo(3, 4, 3, 4, 0, 1, 1);
  EXPECT_EQ(p.length, 0.0);
  EXPECT_EQ(p.cos, 1.0);
  EXPECT_EQ(p.sin, 0.0);
}

TEST(DwqbGeometry, SmallRiseIsStraight) {
  const DWQB_LINE_GEOMETRY g = Geo(0, 0, 10, 0, 0.01, 1, 1);  // 0.001 · chord
  EXPECT_EQ(g.n_seg, 0);
  EXPECT_DOUBLE_EQ(g.half_chord, 5.0);
  EXPECT_GE(Geo(0, 0, 10, 0, 0.0101, 1, 1).n_seg, 1);
}

TEST(DwqbGeometry, HalfCircle) {
  const DWQB_LINE_GEOMETRY g = Geo(0, 0, 10, 0, 5, 2, 2);
  EXPECT_NEAR(g.half_angle, kPi / 2, 1e-14);
  EXPECT_NEAR(g.radius, 5.0, 1e-14);
  EXPECT_NEAR(g.y_c, 5.0, 1e-14);
  EXPECT_NEAR(g.z_c, 0.0, 1e-14);
  EXPECT_NEAR(g.length, 5.0 * kPi, 1e-13);
  EXPECT_GE(g.n_seg, 1);
  EXPECT_LT(Geo(0, 0, 10, 0, -5, 2, 2).radius, 0.0);
  // End tangents are opposite: up at a, down at b; |dP/ds| = R·φ on the centre line.
  double ay, az, by, bz;
  Get_DWQB_Line_Geometry_Tangent(-1, 0, &g, &ay, &az);
  Get_DWQB_Line_Geometry_Tangent(1, 0, &g, &by, &bz);
  EXPECT_NEAR(ay, 0.0, 1e-14);
  EXPECT_NEAR(az, 5.0 * kPi / 2, 1e-13);
  EXPECT_NEAR(by, -ay, 1e-13);
  EXPECT_NEAR(bz, -az, 1e-13);
}

TEST(DwqbGeometry, NullBlockGivesZeros) {
  double y = 9, z = 9, s = 9, w = 9;
  Get_DWQB_Line_Geometry_Point(0.5, 0.5, nullptr, &y, &z);
  Get_DWQB_Line_Geometry_Coordinates(1, 1, nullptr, &s, &w);
  EXPECT_EQ(y, 0.0);
  EXPECT_EQ(z, 0.0);
  EXPECT_EQ(s, 0.0);
  EXPECT_EQ(w, 0.0);
  Set_DWQB_Line_Geometry(0, 0, 1, 1, 0, 1, 1, 0.001, nullptr);
  Get_DWQB_Line_Geometry_Point(0.5, 0.5, nullptr, nullptr, nullptr);
}

// Points, tangents and inverse coordinates of several lines: the tangent matches a
// central difference and (s, w) survive the round trip.
TEST(DwqbGeometry, CoordinatesRoundTripAndTangents) {
  const DWQB_LINE_GEOMETRY lines[] = {
      Geo(0, 0, 10, 0, 0, 2, 4),        Geo(-3, 2, 4, -6, 0, 0.5, 1.5), Geo(0, 0, 10, 0, 5, 2, 1),
      Geo(0, 0, 10, 0, -2, 1, 3),       Geo(2, 1, -4, 7, 1.5, 0.8, 0.8), Geo(0, 0, 6, 6, -7, 1, 0.5)};
  for (const DWQB_LINE_GEOMETRY &g : lines) {
    for (double s = -1.0; s <= 1.0001; s += 0.25) {
      for (double w = -1.0; w <= 1.0001; w += 0.5) {
        double y, z, s2, w2;
        Get_DWQB_Line_Geometry_Point(s, w, &g, &y, &z);
        Get_DWQB_Line_Geometry_Coordinates(y, z, &g, &s2, &w2);
        EXPECT_NEAR(s2, s, 1e-12);
        EXPECT_NEAR(w2, w, 1e-12);
        const double h = 1e-6;
        double yp, zp, ym, zm, ty, tz;
        Get_DWQB_Line_Geometry_Point(s + h, w, &g, &yp, &zp);
        Get_DWQB_Line_Geometry_Point(s - h, w, &g, &ym, &zm);
        Get_DWQB_Line_Geometry_Tangent(s, w, &g, &ty, &tz);
        EXPECT_NEAR(ty, (yp - ym) / (2 * h), 1e-6 * (1 + std::fabs(ty)));
        EXPECT_NEAR(tz, (zp - zm) / (2 * h), 1e-6 * (1 + std::fabs(tz)));
      }
    }
  }
}

// A straight block whose radius field is set is moved sideways by it (the outline step
// moves copies of lines so to build fillets); its coordinates take the offset back off.
TEST(DwqbGeometry, StraightRadiusOffsetsTheFaces) {
  DWQB_LINE_GEOMETRY g = Geo(0, 0, 10, 0, 0, 2, 2);
  g.radius = 0.75;
  double y, z, s, w;
  Get_DWQB_Line_Geometry_Point(0.2, -1, &g, &y, &z);
  EXPECT_DOUBLE_EQ(y, 6.0);
  EXPECT_DOUBLE_EQ(z, -0.25);
  Get_DWQB_Line_Geometry_Coordinates(y, z, &g, &s, &w);
  EXPECT_DOUBLE_EQ(s, 0.2);
  EXPECT_DOUBLE_EQ(w, -1.0);
  Calc_Line_Point(&g, 0.0, &y, &z);
  EXPECT_DOUBLE_EQ(z, 0.75);
}
