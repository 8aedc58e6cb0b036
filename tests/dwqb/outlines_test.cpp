// Line outlines: sharp and filleted corners, square cuts between collinear walls, turned
// free ends, lines that take part in no join, and the area of a rolled I-section.
#include <functional>
#include <limits>
#include <string>
#include <vector>

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

constexpr double kAny = std::numeric_limits<double>::quiet_NaN();  // a coordinate not checked

void Build_Outlines() {
  _Winged_Edge_Structure();
  _Set_Line_Outlines();
}
}  // namespace

class DwqbOutlines : public DwqbTest {};

// One row per model: the outlines close, cover the expected area (line 1 alone as well where
// given), and their piece ends, empty, present and joined pieces are where the geometry says.
TEST_F(DwqbOutlines, OutlinesOfSimpleModels) {
  struct End {
    int line, piece, end;  // end 0: (y0, z0), 1: (y1, z1)
    double y, z;
  };
  struct Piece {
    int line, piece;
  };
  struct Case {
    const char *name;
    std::function<void()> build;
    double area, tol, area1;
    std::vector<End> ends;
    std::vector<Piece> empty, present, joined;
  };
  auto plate = [](const double (&v)[9]) {
    Add_DWQB_Node(1, 0, 0);
    Add_DWQB_Node(2, 10, 0);
    Add_DWQB_Line(1, 0, 1, 2, v);
  };
  const double a = kPi / 180, r4 = 0.25;
  const std::vector<Case> cases = {
      // A tapered free plate: square ends.
      {"free plate", [] { Add_DWQB_Node(1, 0, 0), Add_DWQB_Node(2, 10, 0), Line(1, 1, 2, 1.0, 2.0); }, 15.0, 1e-12,
       kAny, {{1, 0, 1, 0.0, -0.5}, {1, 4, 0, 10.0, -1.0}}, {{1, 1}}, {}, {}},
      // A sharp right angle: outer corner (10.5, -0.5), inner (9.5, 0.5); 10.5 + 10.5 - 1.
      {"right angle", [] { Corner(0, 0); }, 20.0, 1e-9, kAny,
       {{1, 4, 0, 10.5, -0.5}, {1, 4, 1, 10.0, 0.0}, {2, 0, 1, 10.5, -0.5}, {1, 5, 1, 9.5, 0.5}}, {{1, 3}}, {},
       {{1, 4}, {2, 9}}},
      // Walls meeting at 1° count as parallel: no fillet, a mitre through the node square to
      // the mean direction, so each wall keeps t·L.
      {"nearly parallel",
       [a] {
         Add_DWQB_Node(1, 0, 0), Add_DWQB_Node(2, 10, 0), Add_DWQB_Node(3, 10 + 10 * std::cos(a), 10 * std::sin(a));
         const double v1[9] = {1, 1, 0, 0, 0, 0, 0, 0, 1.0}, v2[9] = {1, 1, 0, 0, 0, 0, 1.0, 0, 0};
         Add_DWQB_Line(1, 0, 1, 2, v1), Add_DWQB_Line(2, 0, 2, 3, v2);
       },
       20.0, 1e-9, 10.0, {{1, 4, 0, 10 + 0.5 * std::tan(a / 2), kAny}, {2, 0, 1, 10 + 0.5 * std::tan(a / 2), kAny}},
       {{1, 3}}, {}, {}},
      // Collinear walls of thickness 1 and 2 join with a square cut.
      {"collinear",
       [] {
         Add_DWQB_Node(1, 0, 0), Add_DWQB_Node(2, 10, 0), Add_DWQB_Node(3, 20, 0);
         Line(1, 1, 2, 1.0, 1.0), Line(2, 2, 3, 2.0, 2.0);
       },
       30.0, 1e-9, kAny, {{1, 4, 0, 10.0, -0.5}, {1, 5, 1, kAny, 0.5}, {2, 0, 1, 10.0, -1.0}, {2, 9, 0, kAny, 1.0}},
       {}, {}, {}},
      // End b turned by 45°: the cut through (10, 0) along (-sin 45°, cos 45°).
      {"turned end", [&] { plate({1, 1, 0, 0, kPi / 4, 0, 0, 0, 0}); }, 10.0, 1e-7, kAny,
       {{1, 4, 0, 10.5, -0.5}, {1, 6, 0, 9.5, 0.5}}, {}, {}, {}},
      // Both ends turned: cuts through the nodes keep the centre-line length.
      {"both ends turned", [&] { plate({1, 1, 0, 0.35, -0.35, 0, 0, 0, 0}); }, 10.0, 1e-7, kAny,
       {{1, 0, 1, 0.5 * std::tan(0.35), kAny}}, {}, {}, {}},
      // A square end rounded with r 0.3 on the right face: the fillet cuts (1 - π/4) r².
      {"rounded end", [&] { plate({1, 1, 0, 0, 0, 0, 0, 0, 0.3}); }, 10.0 - (1 - kPi / 4) * 0.09, 1e-9, kAny,
       {{1, 3, 0, 9.7, -0.5}, {1, 3, 1, 10.0, -0.2}}, {}, {{1, 3}}, {}},
      // All four corners of a plate along +z rounded.
      {"four rounded corners",
       [r4] {
         Add_DWQB_Node(1, 0, 0), Add_DWQB_Node(2, 0, 10);
         const double v[9] = {1, 1, 0, 0, 0, r4, r4, r4, r4};
         Add_DWQB_Line(1, 0, 1, 2, v);
       },
       10.0 - 4 * (1 - kPi / 4) * r4 * r4, 1e-9, kAny, {}, {}, {{1, 1}, {1, 3}, {1, 6}, {1, 8}}, {}},
      // A wall of part number 1 takes part in no join: both walls end square.
      {"part one",
       [] {
         Add_DWQB_Node(1, 0, 0), Add_DWQB_Node(2, 10, 0), Add_DWQB_Node(3, 10, 10);
         Line(1, 1, 2, 1.0, 1.0), Line(2, 2, 3, 1.0, 1.0, 0.0, 1);
       },
       20.0, 1e-9, 10.0, {{1, 4, 0, 10.0, -0.5}, {2, 0, 1, 10.5, 0.0}}, {}, {}, {}},
      // IPE 300 (EN 10365) with its root radii covered exactly once: the table area 53.81 cm².
      {"IPE 300 r 15", [] { Ipe300_Model(1.5).Build(); }, 53.81, 0.01, kAny, {}, {}, {}, {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Reset_DWQB_Querschnitt();
    c.build();
    Build_Outlines();
    Expect_Closed_Outlines();
    EXPECT_NEAR(Section_Outline_Area(), c.area, c.tol);
    if (!std::isnan(c.area1)) {
      EXPECT_NEAR(Outline_Area(Find_DWQB_Line_Record(1)), c.area1, c.tol);
    }
    for (const End &e : c.ends) {
      const DWQB_OUTLINE_PIECE &p = Find_DWQB_Line_Record(e.line)->outline[e.piece];
      EXPECT_TRUE(std::isnan(e.y) || std::fabs((e.end ? p.y1 : p.y0) - e.y) <= c.tol) << e.line << "/" << e.piece;
      EXPECT_TRUE(std::isnan(e.z) || std::fabs((e.end ? p.z1 : p.z0) - e.z) <= c.tol) << e.line << "/" << e.piece;
    }
    for (const Piece &e : c.empty)
      EXPECT_EQ(Find_DWQB_Line_Record(e.line)->outline[e.piece].flags,
                DWQB_PIECE_COMPUTED | DWQB_PIECE_EMPTY | static_cast<unsigned>(e.piece));
    for (const Piece &e : c.present) EXPECT_TRUE(Present(Find_DWQB_Line_Record(e.line)->outline[e.piece]));
    for (const Piece &e : c.joined)
      EXPECT_TRUE(Find_DWQB_Line_Record(e.line)->outline[e.piece].flags & DWQB_PIECE_JOINED);
  }
  EXPECT_FALSE(Find_DWQB_Line_Record(1)->outline[0].flags & DWQB_PIECE_JOINED);  // the free end of the last
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
