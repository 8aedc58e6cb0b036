// Line outlines: sharp and filleted corners, square cuts between collinear walls, turned
// free ends, lines that take part in no join, and the area of a rolled I-section.
#include <string>

#include "tests/dwqb/dwqb_fixture.h"
#include "tests/dwqb/section_models.h"

namespace {
constexpr double kPi = std::numbers::pi;

bool Present(const DWQB_OUTLINE_PIECE &p) {
  return (p.flags & DWQB_PIECE_COMPUTED) && !(p.flags & DWQB_PIECE_EMPTY);
}
double Dist(double y0, double z0, double y1, double z1) { return std::hypot(y1 - y0, z1 - z0); }

// Every line's ten pieces are computed and form a closed chain.
void Expect_Closed_Outlines() {
  for (const DWQB_LINE *L = Get_DWQB_First_Line(); L; L = L->next) {
    for (int i = 0; i < 10; ++i) {
      const DWQB_OUTLINE_PIECE &p = L->outline[i], &q = L->outline[(i + 1) % 10];
      EXPECT_TRUE(p.flags & DWQB_PIECE_COMPUTED) << "line " << L->nr << " piece " << i;
      EXPECT_EQ(p.flags & DWQB_PIECE_INDEX_MASK, static_cast<unsigned>(i));
      EXPECT_NEAR(p.y1, q.y0, 1e-7) << "line " << L->nr << " piece " << i;
      EXPECT_NEAR(p.z1, q.z0, 1e-7) << "line " << L->nr << " piece " << i;
    }
  }
}

// Two walls of thickness 1 meeting at a right angle at (10, 0): line 1 along +y, line 2
// along +z (a left turn). Radii: outer corner on the right faces, inner on the left ones.
void Corner(double r_outer, double r_inner) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Add_DWQB_Node(3, 10, 10);
  const double v1[9] = {1, 1, 0, 0, 0, 0, 0, r_inner, r_outer};
  const double v2[9] = {1, 1, 0, 0, 0, r_inner, r_outer, 0, 0};
  Add_DWQB_Line(1, 0, 1, 2, v1);
  Add_DWQB_Line(2, 0, 2, 3, v2);
}

void Build_Outlines() {
  _Winged_Edge_Structure();
  _Set_Line_Outlines();
}
}  // namespace

class DwqbOutlines : public DwqbTest {};

TEST_F(DwqbOutlines, FreePlateHasSquareEnds) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Line(1, 1, 2, 1.0, 2.0);
  Build_Outlines();
  Expect_Closed_Outlines();
  const DWQB_LINE *L = Get_DWQB_First_Line();
  EXPECT_NEAR(L->outline[0].y1, 0.0, 1e-12);
  EXPECT_NEAR(L->outline[0].z1, -0.5, 1e-12);
  EXPECT_NEAR(L->outline[4].y0, 10.0, 1e-12);
  EXPECT_NEAR(L->outline[4].z0, -1.0, 1e-12);
  EXPECT_EQ(L->outline[1].flags, DWQB_PIECE_COMPUTED | DWQB_PIECE_EMPTY | 1u);
  EXPECT_FALSE(L->outline[0].flags & DWQB_PIECE_JOINED);
  EXPECT_NEAR(Outline_Area(L), 15.0, 1e-12);
}

TEST_F(DwqbOutlines, RightAngleWithoutRadius) {
  Corner(0, 0);
  Build_Outlines();
  Expect_Closed_Outlines();
  const DWQB_LINE *l1 = Find_DWQB_Line_Record(1), *l2 = Find_DWQB_Line_Record(2);
  // Outer corner (10.5, -0.5), inner corner (9.5, 0.5); the fillets are single points.
  EXPECT_EQ(l1->outline[3].flags, DWQB_PIECE_COMPUTED | DWQB_PIECE_EMPTY | 3u);
  EXPECT_NEAR(l1->outline[4].y0, 10.5, 1e-9);
  EXPECT_NEAR(l1->outline[4].z0, -0.5, 1e-9);
  EXPECT_EQ(l1->outline[4].y1, 10.0);
  EXPECT_EQ(l1->outline[4].z1, 0.0);
  EXPECT_NEAR(l2->outline[0].y1, 10.5, 1e-9);
  EXPECT_NEAR(l2->outline[0].z1, -0.5, 1e-9);
  EXPECT_NEAR(l1->outline[5].y1, 9.5, 1e-9);
  EXPECT_NEAR(l1->outline[5].z1, 0.5, 1e-9);
  EXPECT_TRUE(l1->outline[4].flags & DWQB_PIECE_JOINED);
  EXPECT_TRUE(l2->outline[9].flags & DWQB_PIECE_JOINED);
  // Together the two outlines cover the L exactly once: 10.5 + 10.5 - 1.
  EXPECT_NEAR(Section_Outline_Area(), 20.0, 1e-9);
}

TEST_F(DwqbOutlines, RightAngleWithRadius) {
  const double r = 0.8, ri = 1.5;
  Corner(r, ri);
  Build_Outlines();
  Expect_Closed_Outlines();
  const DWQB_LINE *l1 = Find_DWQB_Line_Record(1), *l2 = Find_DWQB_Line_Record(2);
  // Outer corner point (10.5, -0.5): tangent points at distance r, arc middle r(√2 - 1).
  const DWQB_OUTLINE_PIECE &f1 = l1->outline[3], &f2 = l2->outline[1];
  ASSERT_TRUE(Present(f1));
  ASSERT_TRUE(Present(f2));
  EXPECT_NEAR(Dist(f1.y0, f1.z0, 10.5, -0.5), r, 1e-7);
  EXPECT_NEAR(f1.z0, -0.5, 1e-7);  // on the face of line 1
  EXPECT_NEAR(Dist(f2.y1, f2.z1, 10.5, -0.5), r, 1e-7);
  EXPECT_NEAR(f2.y1, 10.5, 1e-7);  // on the face of line 2
  EXPECT_NEAR(Dist(f1.y1, f1.z1, 10.5, -0.5), r * (std::sqrt(2.0) - 1), 1e-7);
  EXPECT_EQ(f1.y1, f2.y0);
  EXPECT_GE(f1.count, 20);
  // The arc middle of the fillet lies on the circle about (9.7, 0.3).
  double my, mz;
  Get_DWQB_Line_Point(0, &f1, &my, &mz);
  EXPECT_NEAR(Dist(my, mz, 10.5 - r, -0.5 + r), r, 1e-9);
  // Inner corner (9.5, 0.5), the same rule.
  const DWQB_OUTLINE_PIECE &g2 = l2->outline[8], &g1 = l1->outline[6];
  ASSERT_TRUE(Present(g1));
  ASSERT_TRUE(Present(g2));
  EXPECT_NEAR(Dist(g2.y0, g2.z0, 9.5, 0.5), ri, 1e-7);
  EXPECT_NEAR(Dist(g1.y1, g1.z1, 9.5, 0.5), ri, 1e-7);
  EXPECT_NEAR(Dist(g1.y0, g1.z0, 9.5, 0.5), ri * (std::sqrt(2.0) - 1), 1e-7);
  // The outer fillet cuts (1 - π/4) r² off, the inner one adds (1 - π/4) ri².
  EXPECT_NEAR(Section_Outline_Area(), 20.0 - (1 - kPi / 4) * r * r + (1 - kPi / 4) * ri * ri, 1e-9);
}

TEST_F(DwqbOutlines, DifferentRadiiUseTheirMean) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Add_DWQB_Node(3, 10, 10);
  const double v1[9] = {1, 1, 0, 0, 0, 0, 0, 0, 1.0};
  const double v2[9] = {1, 1, 0, 0, 0, 0, 1.5, 0, 0};
  Add_DWQB_Line(1, 0, 1, 2, v1);
  Add_DWQB_Line(2, 0, 2, 3, v2);
  ::testing::internal::CaptureStdout();
  Build_Outlines();
  const std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("_Line_Outline(1->2): rad_l = 1.000 != rad_r = 1.500\n"), std::string::npos) << out;
  const DWQB_OUTLINE_PIECE &f1 = Find_DWQB_Line_Record(1)->outline[3];
  EXPECT_NEAR(Dist(f1.y0, f1.z0, 10.5, -0.5), 1.25, 1e-7);
}

// Walls meeting at 1° count as parallel: no fillet, both faces cut square to the mean
// direction through the node (a mitre), so each wall keeps t·L of area.
TEST_F(DwqbOutlines, NearlyParallelWallsGetAMitre) {
  const double a = kPi / 180;
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Add_DWQB_Node(3, 10 + 10 * std::cos(a), 10 * std::sin(a));
  const double v1[9] = {1, 1, 0, 0, 0, 0, 0, 0, 1.0};
  const double v2[9] = {1, 1, 0, 0, 0, 0, 1.0, 0, 0};
  Add_DWQB_Line(1, 0, 1, 2, v1);
  Add_DWQB_Line(2, 0, 2, 3, v2);
  Build_Outlines();
  Expect_Closed_Outlines();
  const DWQB_LINE *l1 = Find_DWQB_Line_Record(1), *l2 = Find_DWQB_Line_Record(2);
  EXPECT_FALSE(Present(l1->outline[3]));
  EXPECT_NEAR(l1->outline[4].y0, l2->outline[0].y1, 1e-9);
  EXPECT_NEAR(l1->outline[4].z0, l2->outline[0].z1, 1e-9);
  // The cut runs through the node square to the direction a/2.
  EXPECT_NEAR(l1->outline[4].y0, 10 + 0.5 * std::tan(a / 2), 1e-9);
  EXPECT_NEAR(Outline_Area(l1), 10.0, 1e-9);
  EXPECT_NEAR(Outline_Area(l2), 10.0, 1e-9);
}

TEST_F(DwqbOutlines, CollinearWallsJoinWithASquareCut) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Add_DWQB_Node(3, 20, 0);
  Line(1, 1, 2, 1.0, 1.0);
  Line(2, 2, 3, 2.0, 2.0);
  Build_Outlines();
  Expect_Closed_Outlines();
  const DWQB_LINE *l1 = Find_DWQB_Line_Record(1), *l2 = Find_DWQB_Line_Record(2);
  EXPECT_NEAR(l1->outline[4].y0, 10.0, 1e-9);
  EXPECT_NEAR(l1->outline[4].z0, -0.5, 1e-9);
  EXPECT_NEAR(l1->outline[5].z1, 0.5, 1e-9);
  EXPECT_NEAR(l2->outline[0].y1, 10.0, 1e-9);
  EXPECT_NEAR(l2->outline[0].z1, -1.0, 1e-9);
  EXPECT_NEAR(l2->outline[9].z0, 1.0, 1e-9);
  EXPECT_NEAR(Section_Outline_Area(), 10.0 + 20.0, 1e-9);
}

TEST_F(DwqbOutlines, TurnedFreeEnd) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  const double v[9] = {1, 1, 0, 0, kPi / 4, 0, 0, 0, 0};  // end b turned by 45°
  Add_DWQB_Line(1, 0, 1, 2, v);
  Build_Outlines();
  Expect_Closed_Outlines();
  const DWQB_LINE *L = Get_DWQB_First_Line();
  // The cut through (10, 0) in direction (-sin 45°, cos 45°).
  EXPECT_NEAR(L->outline[4].y0, 10.5, 1e-7);
  EXPECT_NEAR(L->outline[4].z0, -0.5, 1e-7);
  EXPECT_NEAR(L->outline[6].y0, 9.5, 1e-7);
  EXPECT_NEAR(L->outline[6].z0, 0.5, 1e-7);
  EXPECT_NEAR(Outline_Area(L), 10.0, 1e-7);
}

TEST_F(DwqbOutlines, RoundedFreeEnd) {
  // A square end with radius 0.3 on the right face at b: the fillet cuts (1 - π/4) r².
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  const double v[9] = {1, 1, 0, 0, 0, 0, 0, 0, 0.3};
  Add_DWQB_Line(1, 0, 1, 2, v);
  Build_Outlines();
  Expect_Closed_Outlines();
  const DWQB_LINE *L = Get_DWQB_First_Line();
  const DWQB_OUTLINE_PIECE &f = L->outline[3];
  ASSERT_TRUE(Present(f));
  EXPECT_NEAR(f.y0, 9.7, 1e-7);
  EXPECT_NEAR(f.z0, -0.5, 1e-7);
  EXPECT_NEAR(f.y1, 10.0, 1e-7);
  EXPECT_NEAR(f.z1, -0.2, 1e-7);
  EXPECT_NEAR(Outline_Area(L), 10.0 - (1 - kPi / 4) * 0.09, 1e-9);
}

// All four corners of a free plate rounded (both faces at both ends), with both ends
// turned by 20°: each fillet still cuts (1 - π/4) r² only when the cut is square, so
// check the square plate for area and the turned one for closure.
TEST_F(DwqbOutlines, FourRoundedCornersAndTurnedEnds) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 0, 10);  // along +z
  const double r = 0.25;
  const double v[9] = {1, 1, 0, 0, 0, r, r, r, r};
  Add_DWQB_Line(1, 0, 1, 2, v);
  Build_Outlines();
  Expect_Closed_Outlines();
  const DWQB_LINE *L = Get_DWQB_First_Line();
  for (int i : {1, 3, 6, 8}) EXPECT_TRUE(Present(L->outline[i])) << i;
  EXPECT_NEAR(Outline_Area(L), 10.0 - 4 * (1 - kPi / 4) * r * r, 1e-9);

  Reset_DWQB_Querschnitt();
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  const double turned[9] = {1, 1, 0, 0.35, -0.35, 0, 0, 0, 0};
  Add_DWQB_Line(1, 0, 1, 2, turned);
  Build_Outlines();
  Expect_Closed_Outlines();
  // Cuts through the nodes keep the centre-line length: area t·L.
  EXPECT_NEAR(Outline_Area(Get_DWQB_First_Line()), 10.0, 1e-7);
  EXPECT_NEAR(Get_DWQB_First_Line()->outline[0].y1, 0.5 * std::tan(0.35), 1e-7);
}

TEST_F(DwqbOutlines, LineOfPartOneTakesPartInNoJoin) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Add_DWQB_Node(3, 10, 10);
  Line(1, 1, 2, 1.0, 1.0);
  Line(2, 2, 3, 1.0, 1.0, 0.0, 1);
  Build_Outlines();
  Expect_Closed_Outlines();
  const DWQB_LINE *l1 = Find_DWQB_Line_Record(1), *l2 = Find_DWQB_Line_Record(2);
  // Line 1 ends square as if line 2 were not there; line 2 has square ends as well.
  EXPECT_NEAR(l1->outline[4].y0, 10.0, 1e-12);
  EXPECT_NEAR(l1->outline[4].z0, -0.5, 1e-12);
  EXPECT_NEAR(l2->outline[0].y1, 10.5, 1e-12);
  EXPECT_NEAR(l2->outline[0].z1, 0.0, 1e-12);
  EXPECT_NEAR(Outline_Area(l1), 10.0, 1e-9);
  EXPECT_NEAR(Outline_Area(l2), 10.0, 1e-9);
}

TEST_F(DwqbOutlines, ArcWallFollowsItsLine) {
  // A half-circle wall of radius 5, t 1: area π·5·1; its faces are walked on the line.
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Line(1, 1, 2, 1.0, 1.0, 5.0);
  Build_Outlines();
  Expect_Closed_Outlines();
  const DWQB_LINE *L = Get_DWQB_First_Line();
  EXPECT_EQ(L->outline[2].line, L);
  EXPECT_TRUE(L->outline[2].flags & DWQB_PIECE_ARC);
  EXPECT_EQ(L->outline[2].count, L->geo.n_seg);
  EXPECT_NEAR(Outline_Area(L), 5 * kPi, 1e-5);
}

// Rolled I-section IPE 300 (EN 10365: h 300, b 150, t_w 7.1, t_f 10.7, r 15 mm), modelled
// on its centre lines in cm. The outlines cover the section exactly once: with the root
// radii the table area 53.81 cm², without them the plates alone.
class DwqbIpe300 : public DwqbTest {
 protected:
  static void Build(double r) { Ipe300_Model(r).Build(); }
};

TEST_F(DwqbIpe300, AreaWithRootRadii) {
  Build(1.5);
  Build_Outlines();
  Expect_Closed_Outlines();
  EXPECT_NEAR(Section_Outline_Area(), 53.81, 0.01);
  // The same through the driver in part mode.
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  EXPECT_NEAR(Section_Outline_Area(), 53.81, 0.01);
}

TEST_F(DwqbIpe300, AreaWithoutRadii) {
  Build(0.0);
  Build_Outlines();
  Expect_Closed_Outlines();
  EXPECT_NEAR(Section_Outline_Area(), 2 * 15 * 1.07 + (30 - 2 * 1.07) * 0.71, 1e-9);
  EXPECT_NEAR(Section_Outline_Area(), 51.88, 0.01);
}

TEST(DwqbOutlineSolve, IntersectionOfTwoFaces) {
  Reset_DWQB_Module_For_Tests();
  DWQB_LINE_GEOMETRY a, b;
  Set_DWQB_Line_Geometry(0, 0, 10, 0, 0, 1, 1, 0.001, &a);
  Set_DWQB_Line_Geometry(5, -5, 5, 5, 0, 2, 2, 0.001, &b);
  Set_Outline_Intersection_Curves(&a, 1.0, &b, -1.0);  // z = 0.5 and y = 6
  double sa, sb;
  ASSERT_EQ(Solve_Outline_Intersection(&sa, &sb, 0.0, 0.0, 1e-10), 1);
  EXPECT_NEAR(sa, 0.2, 1e-8);
  EXPECT_NEAR(sb, 0.1, 1e-8);
  // Parallel faces never meet: failure, and the solve still hands back its values.
  Set_DWQB_Line_Geometry(0, 3, 10, 3, 0, 1, 1, 0.001, &b);
  Set_Outline_Intersection_Curves(&a, 1.0, &b, -1.0);
  EXPECT_EQ(Solve_Outline_Intersection(&sa, &sb, 0.0, 0.0, 1e-10), 0);
  EXPECT_TRUE(std::isfinite(sa));
  Reset_DWQB_Module_For_Tests();
}
