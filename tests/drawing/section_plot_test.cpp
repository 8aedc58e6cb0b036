// Section plots of free-standing profiles and imported sections, read back in world mm.
// Reference values: section dimensions of EN 10365 (IPE 300), EN 10056-1 (L 150 × 100 ×
// 10), EN 10210-2 (CHS 168.3 × 8); welded sections from their plates.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <tuple>

#include "tests/drawing/drawing_fixture.h"
#include "tests/profil/profil_shapes.h"

namespace {
constexpr double kTol = 1e-3;  // mm: the list writes paper cm to 1e-6

PROFIL Computed(int type, double h, double tw, double b, double tf, int rolled, double r, double r2, double a) {
  PROFIL p{};
  Reset_Profil(&p);
  Set_Shape(&p, type, h, tw, b, tf, b, tf, rolled, r, r2);
  p.a_o = p.a_u = a;
  EXPECT_EQ(0, Calc_Profil_Querschnittswerte(&p, nullptr, 0, ""));
  return p;
}

// The checks every block must pass: balanced state brackets, every point but texts
// within the extent given to Oliplot_Begin_Grafic, weld fills only on welded shapes,
// the block closed.
void Check_Block(const PLOTTED &r, int welds) {
  ASSERT_EQ(1u, r.doc.graphics.size());
  EXPECT_TRUE(r.doc.graphics[0].closed);
  int depth = 0;
  for (const WORLD_ITEM &w : r.items) {
    depth += (w.code == 30) - (w.code == 31);
    EXPECT_GE(depth, 0);
    if (w.code == 9) continue;
    for (const auto &p : w.pts) {
      EXPECT_GE(p[0], r.frame.x_min - kTol);
      EXPECT_LE(p[0], r.frame.x_max + kTol);
      EXPECT_GE(p[1], r.frame.z_min - kTol);
      EXPECT_LE(p[1], r.frame.z_max + kTol);
    }
  }
  EXPECT_EQ(0, depth);
  int found = 0;
  for (const WORLD_FILL &f : Fills(r))
    found += f.pts.size() == 3 && f.code == 64 && f.r == 110 && f.g == 110 && f.b == 110;
  EXPECT_EQ(welds, found);
}

void Expect_Point(const std::array<double, 2> &p, double x, double z, double tol = kTol) {
  EXPECT_NEAR(x, p[0], tol);
  EXPECT_NEAR(z, p[1], tol);
}

// The one text t at (x, z).
void Expect_Text(const PLOTTED &r, const std::string &t, double x, double z, double tol = kTol) {
  auto at = Text_Anchors(r, t);
  ASSERT_EQ(1u, at.size()) << t;
  Expect_Point(at[0], x, z, tol);
}

// The section fill (colour pal_blue_light, code 34).
std::vector<WORLD_FILL> Section_Fills(const PLOTTED &r) {
  std::vector<WORLD_FILL> out;
  for (const WORLD_FILL &f : Fills(r))
    if (f.code == 34 && f.r == 125 && f.g == 125 && f.b == 255) out.push_back(f);
  return out;
}
}  // namespace

TEST_F(SectionPlot, RolledIpe300) {
  PROFIL p = Computed(PROFIL_I, 300, 7.1, 150, 10.7, 1, 15, 0, 0);
  PLOTTED r = Draw(&p, false, 0, 1, 1, 150, 300);
  EXPECT_DOUBLE_EQ(83.34, r.S);
  Check_Block(r, 0);
  Check_Golden(r.bytes, "ipe300.oli");
  // The web in the half tint of pal_blue_light (125, 125, 255), the space beside it white.
  Check_Rendered(r, "ipe300", {{75, 100, 190, 190, 255}, {30, 100, 255, 255, 255}});
  auto fills = Section_Fills(r);
  ASSERT_EQ(1u, fills.size());
  const auto &pts = fills[0].pts;
  ASSERT_EQ(44u, pts.size());
  Expect_Point(pts[6], 56.45, 10.7);
  Expect_Point(pts[8], 67.0566, 15.0934);
  Expect_Point(pts[10], 71.45, 25.7);
  Expect_Point(pts[21], 0, 300);
  for (size_t i = 0; i < 22; ++i) Expect_Point(pts[43 - i], 150 - pts[i][0], pts[i][1]);
  EXPECT_TRUE(Has_Segment(r, -40.0032, 0, -40.0032, 300));
  Expect_Text(r, "300", -40.0032 - 0.1 * r.S, 150);
  EXPECT_TRUE(Has_Segment(r, 150, -20.0016, 0, -20.0016));
  Expect_Text(r, "150", 75, -20.0016 - 0.1 * r.S);
  Expect_Text(r, "S", 87.501, 150);
  EXPECT_TRUE(Text_Anchors(r, "M").empty());
  Expect_Text(r, "y", 75 - 0.65 * r.S, 150);  // arm 0.5 cm and label 0.15 cm beyond
  Expect_Text(r, "z", 75, 150 + 0.65 * r.S);
}

TEST_F(SectionPlot, WeldedI400) {
  PROFIL p = Computed(PROFIL_I, 400, 10, 200, 15, 0, 0, 0, 5);
  PLOTTED r = Draw(&p, false, 0, 1, 1, 200, 400);
  EXPECT_DOUBLE_EQ(111.12, r.S);
  Check_Block(r, 4);
  Check_Golden(r.bytes, "welded_i400.oli");
  Check_Rendered(r, "welded_i400", {});
  EXPECT_TRUE(Has_Segment(r, 95, 15, 105, 15));
  EXPECT_TRUE(Has_Segment(r, 95, 385, 105, 385));
  // Sharp corners: the web faces meet the flanges in one point each.
  auto section = Section_Fills(r);
  ASSERT_EQ(1u, section.size());
  const auto &pts = section[0].pts;
  for (int i : {7, 8, 9}) Expect_Point(pts[i], 95, 15);
  // Each weld triangle: legs 7.0711 (throat 5 × √2) at right angles in the corner.
  const double corners[4][2] = {{95, 15}, {105, 15}, {95, 385}, {105, 385}};
  auto welds = Fills(r);
  int k = 0;
  for (const WORLD_FILL &f : welds) {
    if (f.pts.size() != 3 || f.code != 64 || f.r != 110) continue;
    ASSERT_LT(k, 4);
    SCOPED_TRACE(k);
    Expect_Point(f.pts[0], corners[k][0], corners[k][1]);
    double ax = f.pts[1][0] - f.pts[0][0], az = f.pts[1][1] - f.pts[0][1];
    double bx = f.pts[2][0] - f.pts[0][0], bz = f.pts[2][1] - f.pts[0][1];
    EXPECT_NEAR(7.0711, std::hypot(ax, az), kTol);
    EXPECT_NEAR(7.0711, std::hypot(bx, bz), kTol);
    EXPECT_NEAR(0, ax * bx + az * bz, 1e-6);
    // Both legs lie outside the web (|x − 100| ≥ 5) and inside the web height.
    for (int j = 1; j < 3; ++j) {
      EXPECT_GE(std::fabs(f.pts[j][0] - 100), 5 - kTol);
      EXPECT_GE(f.pts[j][1], 15 - kTol);
      EXPECT_LE(f.pts[j][1], 385 + kTol);
    }
    ++k;
  }
  EXPECT_EQ(4, k);
}

TEST_F(SectionPlot, WeldedChannelWithShearCentre) {
  PROFIL p = Computed(PROFIL_U, 200, 8.5, 75, 11.5, 0, 0, 0, 4);
  PLOTTED r = Draw(&p, false, 0, 1, 1, 75, 200);
  EXPECT_DOUBLE_EQ(55.56, r.S);  // n = trunc(5555.56 + 0.999) = 5556
  Check_Block(r, 2);
  Check_Golden(r.bytes, "welded_channel.oli");
  Check_Rendered(r, "welded_channel", {});
  Expect_Text(r, "S", 22.010 + 0.15 * r.S, 100, 0.002);
  // M lies e = 3 b'² t_f / (6 b' t_f + h' t_w) = 26.634 beyond the web's centre line
  // (b' 70.75, h' 188.5).
  Expect_Text(r, "M", 4.25 - 26.634 + 0.15 * r.S, 100, 0.01);
  EXPECT_TRUE(Has_Segment(r, -49.052, 0, -49.052, 200, 0.01));
}

TEST_F(SectionPlot, AngleWithLegLabels) {
  PROFIL p = Computed(PROFIL_ANGLE, 150, 10, 100, 10, 1, 13, 6.5, 0);
  PLOTTED r = Draw(&p, false, PLOT_FLAG_ANGLE_LEGS, 1, 1, 150, 100);
  EXPECT_DOUBLE_EQ(27.78, r.S);
  Check_Block(r, 0);
  Check_Golden(r.bytes, "angle_l150x100x10.oli");
  Check_Rendered(r, "angle_l150x100x10", {});
  const double sy = 47.989, sz = 76.636;
  Expect_Text(r, "S", sy + 0.15 * r.S, sz, 0.002);
  auto fills = Section_Fills(r);
  ASSERT_EQ(1u, fills.size());
  double cx, cz;
  Polygon_Area(fills[0].pts, &cx, &cz);
  EXPECT_NEAR(sy, cx, 0.2);
  EXPECT_NEAR(sz, cz, 0.2);
  Expect_Text(r, "M", 5 + 0.15 * r.S, 95, 0.5);
  auto one = Text_Anchors(r, "1"), two = Text_Anchors(r, "2");
  ASSERT_EQ(1u, one.size());
  ASSERT_EQ(1u, two.size());
  EXPECT_TRUE(one[0][0] > 10 && one[0][0] < 150 && one[0][1] > 90 && one[0][1] < 100);  // the lying leg h
  EXPECT_TRUE(two[0][0] > 0 && two[0][0] < 10 && two[0][1] > 0 && two[0][1] < 90);      // the standing leg
  EXPECT_EQ(1u, Text_Anchors(r, "100").size());
  EXPECT_EQ(1u, Text_Anchors(r, "150").size());
}

TEST_F(SectionPlot, Tube) {
  PROFIL p = Computed(PROFIL_CHS, 168.3, 8, 0, 0, 1, 0, 0, 0);
  PLOTTED r = Draw(&p, false, 0, 1, 1, 168.3, 168.3);
  EXPECT_DOUBLE_EQ(46.75, r.S);
  Check_Block(r, 0);
  Check_Golden(r.bytes, "tube_168x8.oli");
  Check_Rendered(r, "tube_168x8", {{84.15 - 40, 84.15 - 40, 255, 255, 255}, {84.15, 4, 190, 190, 255}});
  auto fills = Section_Fills(r);
  ASSERT_EQ(1u, fills.size());
  EXPECT_EQ(66u, fills[0].pts.size());
  EXPECT_NEAR(M_PI / 4 * (168.3 * 168.3 - 152.3 * 152.3), std::fabs(Polygon_Area(fills[0].pts)), 0.01 * 4030);
  EXPECT_EQ(1u, Text_Anchors(r, "168.3").size());
  EXPECT_EQ(1u, Text_Anchors(r, "152.3").size());
  Expect_Text(r, "S", 84.15 + 0.15 * r.S, 84.15);
}

// Nothing is drawn without a stream, for an extent below 1 mm and for unknown shapes.
TEST_F(SectionPlot, NothingToDraw) {
  PROFIL round = Computed(PROFIL_ROUND, 0.9, 0, 0, 0, 1, 0, 0, 0), none{};
  PROFIL_PLOT_OPTIONS o;
  Reset_Profil_Plot_Options(&o);
  FILE *f = Open_Druckliste(path_.c_str());
  const PROFIL *cases[] = {&round, &none, nullptr};
  for (const PROFIL *p : cases) {
    o.profil = p;
    EXPECT_EQ(0.0, Plot_Profil_Querschnitt(&o, f, 0, 1, 1) + Plot_Polygon_Querschnitt(&o, f, 0, 1, 1));
  }
  round.h = 100;
  o.profil = &round;
  EXPECT_EQ(0.0, Plot_Profil_Querschnitt(&o, nullptr, 0, 1, 1));
  Close_Druckliste(f);
  EXPECT_EQ("", Read_File_Bytes(path_));
}

// An inset turned by 30° into the caller's block: the area turns about the origin
// (100, 50); neither axes, dimensions nor the block's end are written.
TEST_F(SectionPlot, TurnedInset) {
  PROFIL p = Computed(PROFIL_I, 300, 7.1, 150, 10.7, 1, 15, 0, 0);
  FILE *f = Open_Druckliste(path_.c_str());
  ASSERT_EQ(0, Oliplot_Begin_Grafic(f, 0, 500, 500, 0, 0.01, 0.01, 0, 0));
  Oliplot_Set_Extended_Mode(1);
  PROFIL_PLOT_OPTIONS o;
  Reset_Profil_Plot_Options(&o);
  o.y0 = 100, o.z0 = 50, o.scale = 50, o.angle = 30, o.fill_color = 5, o.line_type = 1, o.profil = &p;
  EXPECT_EQ(50.0, Plot_Profil_Querschnitt(&o, f, 0, 1, 1));
  EXPECT_EQ(f, Oliplot_Stream());
  Close_Druckliste(f);
  PLOTTED r;
  r.bytes = Read_File_Bytes(path_);
  ASSERT_EQ(0, Read_Oli_Text(r.bytes.data(), r.bytes.size(), &r.doc));
  r.frame = {0, 500, 500, 0, 0.01, 0.01, 0, 0};
  To_World(&r);
  for (const WORLD_ITEM &w : r.items) EXPECT_NE(9, w.code) << w.text;
  auto fills = Section_Fills(r);
  ASSERT_EQ(1u, fills.size());
  Expect_Point(fills[0].pts[0], 100 - 75 * std::cos(M_PI / 6), 50 + 75 * std::sin(M_PI / 6));
}

// ---------------------------------------------------------------- imported sections

TEST_F(SectionPlot, PolygonWithHole) {
  // A 200 × 100 rectangle with a hole of radius 25 about (−70, 50).
  static PROFIL_NODE nodes[] = {{1, 0, 0, 0, -1},    {2, -200, 0, 0, -1}, {3, -200, 100, 0, -1},
                                {4, 0, 100, 0, -1},  {5, -45, 50, 0.5, 1}, {6, -95, 50, 0.5, 1}};
  PROFIL p{};
  p.kind = PROFIL_KIND_QUER;
  p.model_kind = 1;
  p.node_count = 6;
  p.nodes = nodes;
  const double hole = M_PI * 25 * 25, A = 20000 - hole;
  p.y_s = (20000 * -100 - hole * -70) / A;
  p.z_s = 50;
  for (int flags : {0, static_cast<int>(PLOT_FLAG_NO_INNER)}) {
    SCOPED_TRACE(flags);
    PLOTTED r = Draw(&p, true, flags, 1, 1, 200, 100);
    EXPECT_DOUBLE_EQ(27.78, r.S);
    Check_Block(r, 0);
    if (flags == 0) {
      Check_Golden(r.bytes, "polygon_hole.oli");
      Check_Rendered(r, "polygon_hole", {{70, 65, 255, 255, 255}, {150, 80, 190, 190, 255}});
    }
    auto fills = Fills(r);
    ASSERT_EQ(3u, fills.size());  // solid, hole, the dot of S
    EXPECT_EQ(34, fills[0].code);
    const WORLD_FILL &h = fills[1];
    EXPECT_EQ(32u, h.pts.size());
    EXPECT_EQ(0, h.code);
    EXPECT_EQ(255, h.r + h.g + h.b - 510);
    double sx, sz, hx, hz;
    double as = Polygon_Area(fills[0].pts, &sx, &sz), ah = Polygon_Area(h.pts, &hx, &hz);
    const double cx = (as * sx - ah * hx) / (as - ah);
    EXPECT_NEAR(103.243, cx, 0.001);
    Expect_Text(r, "S", 103.266 + 0.15 * r.S, 50);
    // Hole outline: 32 edges through (45, 50) and (95, 50), left out under flag 2.
    EXPECT_EQ(flags == 0, Has_Segment(r, 45, 50, h.pts[1][0], h.pts[1][1]));
    for (const char *n : {"2", "3", "4"}) EXPECT_EQ(1u, Text_Anchors(r, n).size()) << n;
    EXPECT_EQ(flags == 0 ? 1u : 0u, Text_Anchors(r, "5").size());
    auto ones = Text_Anchors(r, "1");  // node 1 at (0, 0) and, unless flag 2, hole 1
    ASSERT_EQ(flags == 0 ? 2u : 1u, ones.size());
    Expect_Point(ones[0], 0, 0);
    if (flags == 0) Expect_Point(ones[1], 70, 50);
    EXPECT_EQ(1u, Text_Anchors(r, "100").size());
    EXPECT_EQ(1u, Text_Anchors(r, "200").size());
    EXPECT_TRUE(Text_Anchors(r, "\xC1").empty());  // not turned: no principal axes
  }
  // Turned either way the principal axes 1 and 2 are drawn beside y and z.
  for (const double alpha : {30.0, -30.0}) {
    p.alpha = alpha;
    PLOTTED r = Draw(&p, true, 0, 1, 1, 200, 100);
    EXPECT_EQ(1u, Text_Anchors(r, "\xC1").size()) << alpha;
    EXPECT_EQ(1u, Text_Anchors(r, "\xD3").size()) << alpha;
    EXPECT_EQ(1u, Text_Anchors(r, "y").size()) << alpha;
  }
}

// An L of polygons (120 × 20 foot, 20 × 150 leg; A = 5000 mm², centroid 34 mm from the leg's
// outer face and 49 mm from the foot's: (2400·60 + 2600·10)/5000, (2400·10 + 2600·85)/5000)
// inset at (100, 50) with scale 50 and a block angle of 20°. With axes the section stands
// unturned; axis mode 2 draws the y/z cross without labels and with arms of 1 cm (50 mm),
// mode 3 a second dot at the centroid; without axes and dimensions it turns about (100, 50).
TEST_F(SectionPlot, PolygonInsetAndAxisModes) {
  static PROFIL_NODE nodes[] = {{1, 0, 0, 0, -1},      {2, -120, 0, 0, -1},   {3, -120, 20, 0, -1},
                                {4, -20, 20, 0, -1},   {5, -20, 150, 0, -1},  {6, 0, 150, 0, -1}};
  PROFIL p{};
  p.kind = PROFIL_KIND_QUER;
  p.model_kind = 1;
  p.node_count = 6;
  p.nodes = nodes;
  p.y_s = -34, p.z_s = 49;
  auto inset = [](PROFIL_PLOT_OPTIONS &o) { o.y0 = 100, o.z0 = 50, o.scale = 50, o.angle = 20; };
  const double sx = 134, sz = 99;  // the centroid in the block
  for (int axis_mode : {0, 1, 2, 3}) {
    SCOPED_TRACE(axis_mode);
    const PLOTTED r = Draw(&p, true, 0, axis_mode, 0, 0, 0, inset);
    EXPECT_EQ(50.0, r.S);
    const std::vector<WORLD_FILL> fills = Section_Fills(r);
    ASSERT_EQ(1u, fills.size());
    double x_min = 1e9, x_max = -1e9, z_min = 1e9, z_max = -1e9;
    for (const auto &q : fills[0].pts)
      x_min = std::min(x_min, q[0]), x_max = std::max(x_max, q[0]), z_min = std::min(z_min, q[1]),
      z_max = std::max(z_max, q[1]);
    double cx, cz;
    EXPECT_NEAR(5000, std::fabs(Polygon_Area(fills[0].pts, &cx, &cz)), 0.01);
    if (axis_mode == 0) {
      // Turned by 20° about (100, 50): the foot's upper far corner (120, 20) from the origin
      // lies farthest to the right, at 120 cos 20° + 20 sin 20°; the centroid keeps its
      // distance from the origin.
      EXPECT_NEAR(120 * std::cos(M_PI / 9) + 20 * std::sin(M_PI / 9), x_max - 100, 0.01);
      EXPECT_NEAR(std::hypot(34, 49), std::hypot(cx - 100, cz - 50), 1e-4);
      EXPECT_GT(std::fabs(cz - sz), 5.0);
      EXPECT_TRUE(Text_Anchors(r, "S").empty());
      continue;
    }
    EXPECT_NEAR(100, x_min, kTol);
    EXPECT_NEAR(220, x_max, kTol);
    EXPECT_NEAR(50, z_min, kTol);
    EXPECT_NEAR(200, z_max, kTol);
    EXPECT_NEAR(sx, cx, 1e-4);
    EXPECT_NEAR(sz, cz, 1e-4);
    Expect_Text(r, "S", sx + 0.15 * 50, sz);
    EXPECT_EQ(axis_mode == 1 ? 1u : 0u, Text_Anchors(r, "y").size());
    EXPECT_EQ(axis_mode == 1 ? 1u : 0u, Text_Anchors(r, "z").size());
    // The cross's arms from the centroid: 0.5 cm (25 mm) in mode 1, 1 cm (50 mm) in mode 2.
    EXPECT_EQ(axis_mode == 1, Has_Segment(r, sx, sz, sx - 25, sz));
    EXPECT_EQ(axis_mode == 2, Has_Segment(r, sx, sz, sx - 50, sz));
    EXPECT_EQ(axis_mode == 2, Has_Segment(r, sx, sz, sx, sz + 50));
    int dots = 0;  // filled circles of 32 points about the centroid
    for (const WORLD_FILL &f : Fills(r)) {
      if (f.pts.size() != 32) continue;
      double fx, fz;
      Polygon_Area(f.pts, &fx, &fz);
      dots += std::hypot(fx - sx, fz - sz) < kTol;
    }
    EXPECT_EQ(axis_mode == 3 ? 2 : 1, dots);
  }
}

// Wall lines through the line model: a half circle of rise 50 and a straight line;
// line 3 has a node that does not exist. The L of two lines has radius 10 on the inner
// faces (r_el of line 1, r_al of line 2).
TEST_F(SectionPlot, WallLines) {
  static PROFIL_NODE arc_nodes[] = {{1, -5, 55, 0, 0}, {2, -105, 55, 0, 0}, {3, -105, 155, 0, 0}};
  static PROFIL_LINE arc_lines[] = {{1, 1, 2, 10, 10, 50, 0, 0, 0, 0},
                                    {2, 2, 3, 10, 10, 0, 0, 0, 0, 0},
                                    {3, 3, 9, 10, 10, 0, 0, 0, 0, 0}};
  static PROFIL_NODE l_nodes[] = {{1, -5, 0, 0, 0}, {2, -5, 95, 0, 0}, {3, -105, 95, 0, 0}};
  static PROFIL_LINE l_lines[] = {{1, 1, 2, 10, 10, 0, 0, 0, 10, 0}, {2, 2, 3, 10, 10, 0, 10, 0, 0, 0}};
  struct Case {
    PROFIL_NODE *nodes;
    PROFIL_LINE *lines;
    int n_lines;
    double W, H, area;
    const char *golden;
  } cases[] = {
      {arc_nodes, arc_lines, 3, 110, 155, M_PI * 50 * 10 + 1000, "wall_lines.oli"},
      {l_nodes, l_lines, 2, 110, 100, 1950 + (1 - M_PI / 4) * 100, nullptr},
  };
  PLOTTED r;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.W + c.H);
    PROFIL p{};
    p.kind = PROFIL_KIND_QUER;
    p.node_count = 3;
    p.nodes = c.nodes;
    p.line_count = c.n_lines;
    p.lines = c.lines;
    p.imported[PROFIL_IMP_WIDTH] = c.W;
    p.imported[PROFIL_IMP_HEIGHT] = c.H;
    PLOTTED drawn = Draw(&p, true, 0, 1, 1, c.W, c.H);
    Check_Block(drawn, 0);
    double area = 0;
    for (const WORLD_FILL &f : Section_Fills(drawn)) area += std::fabs(Polygon_Area(f.pts));
    EXPECT_NEAR(c.area, area, c.area * (c.golden ? 0.005 : 0.001));  // swapped radii: 1928.54
    if (c.golden) {
      Check_Golden(drawn.bytes, c.golden);
      Check_Rendered(drawn, "wall_lines", {});
      r = drawn;
    }
  }
  // The centre line of the arc: 16 segments of 180° about (55, 55) through (55, 5).
  int on_circle = 0;
  bool top = false;
  for (const WORLD_ITEM &w : r.items)
    if (w.code == 1 && w.pts.size() == 2 && std::fabs(std::hypot(w.pts[0][0] - 55, w.pts[0][1] - 55) - 50) < kTol &&
        std::fabs(std::hypot(w.pts[1][0] - 55, w.pts[1][1] - 55) - 50) < kTol) {
      ++on_circle;
      top |= std::fabs(w.pts[1][0] - 55) < kTol && std::fabs(w.pts[1][1] - 5) < kTol;
      EXPECT_LE(w.pts[0][1], 55 + kTol);
    }
  EXPECT_EQ(16, on_circle);
  EXPECT_TRUE(top);
  // Nodes 1, 2, 3 at (5, 55), (105, 55), (105, 155); line 1 at (55, 5), line 2 at
  // (105, 105); nothing of line 3.
  struct Number {
    const char *text;
    double x, z;
  } expected[] = {{"1", 5, 55}, {"2", 105, 55}, {"3", 105, 155}, {"1", 55, 5}, {"2", 105, 105}};
  size_t found = 0;
  for (const char *t : {"1", "2", "3"}) found += Text_Anchors(r, t).size();
  EXPECT_EQ(5u, found);
  for (const Number &n : expected) {
    bool hit = false;
    for (auto &a : Text_Anchors(r, n.text)) hit |= std::hypot(a[0] - n.x, a[1] - n.z) < kTol;
    EXPECT_TRUE(hit) << n.text << " at " << n.x << ", " << n.z;
  }
}


// Every parametric shape, welded (a 5) and rolled (r 10, r_2 5), in two drawing variants:
// the section fill covers the section's area (within 1 %: circles and fillets are drawn as
// chords), the welded shapes add their weld marks, and each drawing's bytes keep the
// fingerprint of tests/drawing/golden/every_shape.txt (PF_UPDATE_GOLDEN=1 rewrites it; the
// pictures of the named tests above show what a change looks like).
TEST_F(SectionPlot, EveryShapeCoversItsArea) {
  std::string prints;
  for (int type = 1; type < PROFIL_TYPE_COUNT; ++type)
    for (int rolled : {0, 1}) {
      SCOPED_TRACE(::testing::Message() << "type " << type << " rolled " << rolled);
      PROFIL p{};
      if (!Set_Sample_Shape(&p, type, rolled)) continue;  // shapes that need other dimensions
      for (const auto &[flags, axis_mode, dims] : {std::tuple{0, 1, 1}, {PLOT_FLAG_ANGLE_LEGS | PLOT_FLAG_NO_INNER, 2, 0}}) {
        const PLOTTED r = Draw(&p, false, flags, axis_mode, dims, 300, 300);
        double area = 0;
        for (const WORLD_FILL &f : Section_Fills(r)) area += Polygon_Area(f.pts);
        if (!(flags & PLOT_FLAG_NO_INNER)) {
          EXPECT_NEAR(std::fabs(area), p.A, 0.01 * p.A);
        }
        std::uint64_t h = 1469598103934665603ull;
        for (const unsigned char c : r.bytes) h = (h ^ c) * 1099511628211ull;
        char line[96];
        std::snprintf(line, sizeof line, "type %d rolled %d variant %d: %zu bytes, %016llx\n", type, rolled, axis_mode,
                      r.bytes.size(), static_cast<unsigned long long>(h));
        prints += line;
      }
      Reset_Profil(&p);
    }
  Check_Golden(prints, "every_shape.txt");
}
