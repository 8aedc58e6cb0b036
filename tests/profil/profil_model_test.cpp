// The thin-walled model each shape type hands to the solver (cm), and the ribs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "dwqb/dwqb.h"
#include "profil/profil.h"
#include "tests/profil/profil_shapes.h"

namespace {

using ::testing::DoubleEq;
using ::testing::DoubleNear;
using ::testing::Pointwise;
using V = std::vector<double>;

struct Node {
  double y, z;  // cm
};
struct Line {
  int nr, a, b;
  double t_a, t_b, r[4];  // cm: r_al, r_ar, r_el, r_er
};
struct Model {
  std::map<int, Node> nodes;
  std::vector<Line> lines;
};

// The solver's current section as the model builder left it.
Model Current() {
  Model m;
  for (DWQB_NODE *n = Get_DWQB_First_Node(); n; n = n->next) m.nodes[n->nr] = {n->y, n->z};
  for (DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next)
    m.lines.push_back({l->nr, l->node_a ? l->node_a->nr : -1, l->node_b ? l->node_b->nr : -1, l->t_a, l->t_b,
                       {l->rad_links_a, l->rad_rechts_a, l->rad_links_b, l->rad_rechts_b}});
  return m;
}

Model Build(PROFIL p, int mirror = 0) {
  Calc_Profil_DWQB_Querschnittswerte(&p, nullptr, nullptr, mirror, 0, nullptr);
  return Current();
}

// A parametric shape (Set_Shape's arguments) on a zeroed record.
template <class... Dims>
PROFIL Shape(Dims... dims) {
  PROFIL p{};
  Set_Shape(&p, dims...);
  return p;
}

// Nodes (nr, y, z) and lines (nr in creation order, ends, thickness, radii r_al, r_ar,
// r_el, r_er), given in mm.
struct NodeWant {
  int nr;
  double y, z;
};
void Expect_Nodes(const Model &m, std::initializer_list<NodeWant> want) {
  for (const NodeWant &w : want) {
    auto it = m.nodes.find(w.nr);
    ASSERT_NE(it, m.nodes.end()) << "node " << w.nr;
    EXPECT_THAT((V{it->second.y, it->second.z}), Pointwise(DoubleNear(1e-12), V{0.1 * w.y, 0.1 * w.z})) << "node " << w.nr;
  }
}
struct LineWant {
  int nr, a, b;
  double t, ral = 0, rar = 0, rel = 0, rer = 0;
};
void Expect_Lines(const Model &m, std::initializer_list<LineWant> want) {
  for (const LineWant &w : want) {
    ASSERT_GE(static_cast<int>(m.lines.size()), w.nr);
    const Line &l = m.lines[w.nr - 1];
    EXPECT_EQ((std::vector<int>{l.nr, l.a, l.b}), (std::vector<int>{w.nr, w.a, w.b}));
    EXPECT_THAT((V{l.t_a, l.t_b, l.r[0], l.r[1], l.r[2], l.r[3]}),
                Pointwise(DoubleNear(1e-12), V{0.1 * w.t, 0.1 * w.t, 0.1 * w.ral, 0.1 * w.rar, 0.1 * w.rel, 0.1 * w.rer}))
        << "line " << w.nr;
  }
}

}  // namespace

// HE 280 A (EN 10365): flange halves from the tips to the web, the root radius 24 mm at
// the flange ends of the web joints and on all four web corners.
TEST(ProfilModel, RolledIShapeFlangesRunFromTheTips) {
  const Model m = Build(Shape(PROFIL_H, 270, 8, 280, 13, 280, 13, 1, 24));
  ASSERT_EQ(m.nodes.size(), 6u);
  ASSERT_EQ(m.lines.size(), 5u);
  Expect_Nodes(m, {{1, 140, 6.5}, {2, 0, 6.5}, {3, -140, 6.5}, {4, 140, 263.5}, {5, 0, 263.5}, {6, -140, 263.5}});
  Expect_Lines(m, {{1, 1, 2, 13, 0, 0, 0, 24}, {2, 3, 2, 13, 0, 0, 24, 0}, {3, 4, 5, 13, 0, 0, 24, 0},
      {4, 6, 5, 13, 0, 0, 0, 24}, {5, 2, 5, 8, 24, 24, 24, 24}});
}

// Welded shapes are modelled without weld fillets; a missing flange becomes one node.
TEST(ProfilModel, WeldedIShapeAndMissingFlanges) {
  PROFIL p = Shape(PROFIL_I, 400, 10, 200, 15, 300, 20, 0);
  p.a_o = p.a_u = 5;
  Model m = Build(p);
  ASSERT_EQ(m.lines.size(), 5u);
  for (const Line &l : m.lines)
    for (double r : l.r) EXPECT_EQ(r, 0.0);
  Expect_Nodes(m, {{4, 150, 390}});
  Expect_Lines(m, {{3, 4, 5, 20}});

  // No top flange: a T standing on the bottom flange, the web from (0, t_fo/2).
  m = Build(Shape(PROFIL_I, 400, 10, 0, 15, 300, 20, 1, 12));
  ASSERT_EQ(m.nodes.size(), 4u);
  ASSERT_EQ(m.lines.size(), 3u);
  Expect_Nodes(m, {{1, 0, 7.5}, {2, 150, 390}});
  Expect_Lines(m, {{1, 2, 3, 20, 0, 0, 12, 0}, {3, 1, 3, 10, 0, 0, 12, 12}});  // a fillet without its flange is dropped

  m = Build(Shape(PROFIL_I, 400, 10, 200, 15, 300, 0, 1, 12));  // no bottom flange
  ASSERT_EQ(m.nodes.size(), 4u);
  Expect_Nodes(m, {{4, 0, 400}});
  Expect_Lines(m, {{3, 2, 4, 10, 12, 12, 12, 12}});
}

// Angle L 150 × 100 × 10 (EN 10056-1: r_1 = 12, r_2 = 6) both ways round.
TEST(ProfilModel, AngleAndItsMirror) {
  const PROFIL p = Shape(PROFIL_ANGLE, 150, 10, 100, 10, 0, 0, 1, 12, 6);
  Model m = Build(p);
  ASSERT_EQ(m.nodes.size(), 3u);
  Expect_Nodes(m, {{1, 45, 0}, {2, -50, 145}, {3, 45, 145}});
  Expect_Lines(m, {{1, 2, 3, 10, 0, 6, 0, 12}, {2, 1, 3, 10, 6, 0, 12, 0}});
  m = Build(p, 1);
  Expect_Nodes(m, {{1, -45, 0}, {2, 50, 145}, {3, -45, 145}});
  Expect_Lines(m, {{1, 2, 3, 10, 6, 0, 12, 0}, {2, 1, 3, 10, 0, 6, 0, 12}});
  // Without leg 2 a single wall.
  m = Build(Shape(PROFIL_ANGLE, 150, 10, 0, 0, 0, 0, 1, 12, 6));
  ASSERT_EQ(m.lines.size(), 1u);
  Expect_Lines(m, {{1, 1, 2, 10, 6, 0, 12, 0}});
}

// UPN 300 (EN 10365): web on the positive side; Z section and T section.
TEST(ProfilModel, ChannelZAndT) {
  Model m = Build(Shape(PROFIL_U, 300, 10, 100, 16, 0, 0, 1, 16, 8));
  ASSERT_EQ(m.nodes.size(), 4u);
  Expect_Nodes(m, {{1, -50, 8}, {2, 45, 8}, {3, -50, 292}, {4, 45, 292}});
  Expect_Lines(m, {{1, 1, 2, 16, 8, 0, 16, 0}, {2, 3, 4, 16, 0, 8, 0, 16}, {3, 2, 4, 10, 16, 0, 16, 0}});

  m = Build(Shape(PROFIL_Z, 200, 8, 150, 10, 0, 0, 1, 9, 4));
  ASSERT_EQ(m.nodes.size(), 4u);
  Expect_Nodes(m, {{1, 75, 5}, {3, -75, 195}});
  Expect_Lines(m, {{1, 1, 2, 10, 0, 4, 0, 9}, {2, 3, 4, 10, 0, 4, 0, 9}, {3, 2, 4, 8, 0, 9, 9, 0}});
  m = Build(Shape(PROFIL_Z, 200, 8, 0, 10, 0, 0, 1, 9, 4));  // no flanges: the web alone
  ASSERT_EQ(m.nodes.size(), 2u);
  Expect_Nodes(m, {{1, 0, 5}, {2, 0, 195}});
  Expect_Lines(m, {{1, 1, 2, 8, 0, 9, 9, 0}});

  m = Build(Shape(PROFIL_T, 100, 11, 100, 11, 0, 0, 1, 11, 5.5));
  ASSERT_EQ(m.nodes.size(), 4u);
  Expect_Nodes(m, {{4, 0, 100}});
  Expect_Lines(m, {{1, 1, 2, 11, 0, 5.5, 0, 11}, {2, 2, 3, 11, 0, 11, 0, 5.5}, {3, 2, 4, 11, 11, 11, 0, 0}});
}

// Hollow sections: rectangle with outer and inner radii on its four walls; tubes and
// round bars as 32-gons.
TEST(ProfilModel, HollowSectionsAndPolygons) {
  Model m = Build(Shape(PROFIL_RHS, 200, 10, 100, 10, 0, 0, 1, 15, 10));
  ASSERT_EQ(m.nodes.size(), 4u);
  Expect_Nodes(m, {{1, 45, 5}, {4, -45, 195}});
  Expect_Lines(m, {{1, 1, 2, 10, 15, 10, 15, 10}, {2, 3, 4, 10, 10, 15, 10, 15}, {3, 1, 3, 10, 10, 15, 10, 15},
      {4, 2, 4, 10, 15, 10, 15, 10}});

  m = Build(Shape(PROFIL_CHS, 88.9, 5, 0, 0, 0, 0));
  ASSERT_EQ(m.nodes.size(), 32u);
  ASSERT_EQ(m.lines.size(), 32u);
  const double R = 88.9 / 2 - 2.5;
  Expect_Nodes(m, {{1, 0, R}, {9, R, 0}, {17, 0, -R}});
  Expect_Lines(m, {{32, 32, 1, 5}});
  for (int k = 1; k <= 32; ++k) {
    const Node &n = m.nodes.at(k);
    EXPECT_NEAR(std::hypot(n.y, n.z), 0.1 * R, 1e-12);
  }
  m = Build(Shape(PROFIL_ROUND, 40, 0, 0, 0, 0, 0));
  ASSERT_EQ(m.nodes.size(), 32u);
  Expect_Nodes(m, {{1, 0, 10}});
  Expect_Lines(m, {{5, 5, 6, 20}});
}

// Box girder with both overhangs: 8 nodes, flanges right to left, webs between the
// inner flange nodes; without overhangs 4 nodes.
TEST(ProfilModel, BoxGirderWithOverhangs) {
  PROFIL p = Shape(PROFIL_BOX, 600, 12, 300, 20, 300, 25, 0);
  p.ue_o = 50;
  p.ue_u = 30;
  Model m = Build(p);
  ASSERT_EQ(m.nodes.size(), 8u);
  ASSERT_EQ(m.lines.size(), 8u);
  Expect_Nodes(m, {{1, 200, 10}, {2, 144, 10}, {3, -144, 10}, {4, -200, 10}, {5, 180, 587.5}, {8, -180, 587.5}});
  const int ends[8][2] = {{1, 2}, {2, 3}, {3, 4}, {5, 6}, {6, 7}, {7, 8}, {2, 6}, {3, 7}};
  const double t[8] = {20, 20, 20, 25, 25, 25, 12, 12};
  for (int k = 0; k < 8; ++k) Expect_Lines(m, {{k + 1, ends[k][0], ends[k][1], t[k]}});
  p.ue_o = p.ue_u = 0;
  m = Build(p);
  ASSERT_EQ(m.nodes.size(), 4u);
  Expect_Lines(m, {{3, 1, 3, 12}});
}

// Trapezoid: two feet at the foot level, then the rib on a plate of thickness 0 adds the
// webs and the top plate; with equal widths the webs stand upright.
TEST(ProfilModel, TrapezoidFromItsRib) {
  PROFIL p = Shape(PROFIL_TRAPEZ, 300, 10, 100, 12, 400, 0, 0);
  const double a = std::atan2(150.0, 300.0), w = 10 / std::cos(a), f = (400 - w) / 2,
               e = (300 - 6) * std::tan(a);
  Model m = Build(p);
  ASSERT_EQ(m.nodes.size(), 4u);
  ASSERT_EQ(m.lines.size(), 3u);
  Expect_Nodes(m, {{1, f, 300}, {2, -f, 300}, {3, -f + e, 6}, {4, f - e, 6}});
  Expect_Lines(m, {{1, 2, 3, 10}, {2, 3, 4, 12}, {3, 4, 1, 10}});

  m = Build(Shape(PROFIL_TRAPEZ, 300, 10, 200, 12, 200, 0, 0));
  Expect_Nodes(m, {{1, 95, 300}, {3, -95, 6}, {4, 95, 6}});
}

// Type 0 and types above 17 build nothing: the solver reports an empty section.
TEST(ProfilModel, NoShapeBuildsNothing) {
  for (int type : {0, 18}) {
    PROFIL p = Shape(type, 300, 10, 100, 10, 100, 10);
    p.A = 5;
    EXPECT_EQ(Calc_Profil_DWQB_Querschnittswerte(&p, nullptr, nullptr, 0, 0, nullptr),
              DWQB_FAULT_NO_NODES_OR_LINES);
    EXPECT_TRUE(p.A == 0 && Current().nodes.empty()) << p.A;
  }
  // An R7-PLAX section is not the model's business.
  PROFIL q = Shape(PROFIL_I, 300, 10, 100, 10, 100, 10);
  q.kind = PROFIL_KIND_QUER;
  q.A = 1234;
  EXPECT_EQ((V{double(Get_Profil_DWQB_Querschnittswerte(&q, nullptr, nullptr, 0, 0, nullptr)), q.A}), (V{0, 1234}));
}

// Flat and round bars take closed formulas whatever the solver gives.
TEST(ProfilModel, FlatAndRoundBarClosedFormulas) {
  PROFIL p = Shape(PROFIL_FLAT, 100, 10, 0, 0, 0, 0);
  Calc_Profil_DWQB_Querschnittswerte(&p, nullptr, nullptr, 0, 0, nullptr);
  // A, z_s, y_s, I_y, I_z, W_pl_y (switch off) and I_T of the rectangle's table.
  EXPECT_THAT((V{p.A, p.z_s, p.y_s, p.I_y, p.I_z, p.W_pl_y, p.I_T}),
              Pointwise(DoubleNear(1e-6), V{1000, 50, -5, 1e6 / 1.2, 1e4 / 1.2, 0,
                                            Calc_Rectangle_Torsion_Constants(10, 100, nullptr)}));
  Set_Profil_Plastic_Moduli_Flag(1);
  Calc_Profil_DWQB_Querschnittswerte(&p, nullptr, nullptr, 0, 0, nullptr);
  EXPECT_EQ((V{p.W_pl_y, p.W_pl_z}), (V{25000, 2500}));
  PROFIL r = Shape(PROFIL_ROUND, 40, 0, 0, 0, 0, 0);
  Calc_Profil_DWQB_Querschnittswerte(&r, nullptr, nullptr, 0, 0, nullptr);
  Set_Profil_Plastic_Moduli_Flag(0);
  EXPECT_THAT((V{r.A, r.I_y, r.I_T, r.W_pl_y, r.y_s}),
              Pointwise(DoubleNear(1e-6), V{M_PI * 400, M_PI * std::pow(40, 4) / 64, M_PI * std::pow(40, 4) / 32,
                                            std::pow(40, 3) / 6, -20}));
}

TEST(ProfilRib, GeometryOfChannelAndTrapezoidRibs) {
  double angle = 9, w = 9, e = 9, g = 9;
  PROFIL c = Shape(PROFIL_U, 100, 6, 50, 8.5, 0, 0);
  Get_Profil_Rib_Geometry(&c, 10, &angle, &w, &e, &g);
  EXPECT_EQ((V{angle, w, e, g}), (V{0, 0, 0, (100 - 8.5) / 2}));
  PROFIL t = Shape(PROFIL_TRAPEZ, 300, 10, 100, 12, 400, 0, 0);
  Get_Profil_Rib_Geometry(&t, 8, &angle, &w, &e, &g);
  const double a = std::atan2(150.0, 300.0), wa = 10 / std::cos(a);
  EXPECT_THAT((V{angle, w, e, g}),
              Pointwise(DoubleEq(), V{a, wa, (300 + 4 - 6) * std::tan(a), (8 * std::tan(a) - wa + 400) / 2}));
  Get_Profil_Rib_Geometry(&t, 8, nullptr, nullptr, nullptr, nullptr);  // outputs optional
  PROFIL f = Shape(PROFIL_FLAT, 100, 10, 0, 0, 0, 0);
  Get_Profil_Rib_Geometry(&f, 8, &angle, &w, &e, &g);
  EXPECT_EQ(angle + w + e + g, 0.0);
  g = 5;
  Get_Profil_Rib_Geometry(nullptr, 8, nullptr, nullptr, nullptr, &g);
  EXPECT_EQ(g, 0.0);
}

// The rib appends after the caller's nodes, advances both counters and leaves the value
// array cleared; other rib types, vertical plates and negative numbers build nothing.
TEST(ProfilRib, TrapezoidRibOnAHorizontalPlate) {
  PROFIL t = Shape(PROFIL_TRAPEZ, 100, 5, 60, 6, 120, 0, 0);
  double e = 0, g = 0;
  Get_Profil_Rib_Geometry(&t, 10, nullptr, nullptr, &e, &g);
  Reset_DWQB_Querschnitt();
  Add_DWQB_Node(1, 0.1 * (500 + g), 0);
  Add_DWQB_Node(2, 0.1 * (500 - g), 0);
  double values[9] = {7, 7, 0, 0, 0, 3, 3, 3, 3};
  int nodes = 3, lines = 1;
  Add_Profil_DWQB_Rib(values, &t, &nodes, 10, &lines, 2, 500, 0, +1, 1);
  EXPECT_EQ((std::vector<int>{nodes, lines}), (std::vector<int>{5, 4}));
  for (double v : values) EXPECT_EQ(v, 0.0);
  Model m = Current();
  const double level = 5 + 100 - 3;  // s + d (t_p/2 + h − t_fo/2)
  Expect_Nodes(m, {{3, 500 + e - g, level}, {4, 500 + g - e, level}});
  Expect_Lines(m, {{1, 2, 3, 5}, {2, 3, 4, 6}, {3, 4, 1, 5}});

  PROFIL round = Shape(PROFIL_ROUND, 50, 5, 0, 0, 0, 0);  // no rib form
  struct Case {
    const PROFIL *rib;
    int node, line, foot, horizontal;
  };
  const Case none[] = {{&round, 5, 4, 2, 1}, {&t, -1, 4, 2, 1}, {&t, 5, -1, 2, 1}, {&t, 5, 4, -1, 1},
                       {nullptr, 5, 4, 2, 1}};
  for (const Case &c : none) {
    int n = c.node, l = c.line;
    Add_Profil_DWQB_Rib(values, c.rib, &n, 10, &l, c.foot, 0, 0, 1, c.horizontal);
    EXPECT_EQ(n, c.node);
    EXPECT_EQ(l, c.line);
  }
  EXPECT_EQ(Current().nodes.size(), 4u);
}
