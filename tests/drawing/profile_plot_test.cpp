// The profile plot beyond the rolled and welded I: the Z, box and tapered shapes, plates on
// the web, mirrored channels, the older outline form, inset mode with the other axis modes
// and the shear centre mark. Values read back from the list in world mm.
#include <cmath>
#include <functional>
#include <set>

#include "tests/drawing/drawing_fixture.h"
#include "tests/profil/profil_shapes.h"

namespace {

constexpr double kTol = 1e-3;

PROFIL Shape(int type, double h, double tw, double bo, double to, double bu, double tu, int rolled, double r,
             double r2, double a, double ue_o = 0, double ue_u = 0) {
  PROFIL p{};
  Reset_Profil(&p);
  Set_Shape(&p, type, h, tw, bo, to, bu, tu, rolled, r, r2);
  p.a_o = p.a_u = a;
  p.ue_o = ue_o, p.ue_u = ue_u;
  EXPECT_EQ(0, Calc_Profil_Querschnittswerte(&p, nullptr, 0, ""));
  return p;
}

struct RGBC {
  int r, g, b, code;
};

// The fills of one colour and code.
std::vector<WORLD_FILL> Fills_Of(const PLOTTED &r, RGBC c) {
  std::vector<WORLD_FILL> out;
  for (const WORLD_FILL &f : Fills(r))
    if (f.r == c.r && f.g == c.g && f.b == c.b && f.code == c.code) out.push_back(f);
  return out;
}

constexpr RGBC kSection{125, 125, 255, 34}, kWeld{110, 110, 110, 64}, kStiffener{233, 233, 233, 34},
    kDoubler{224, 224, 224, 34};

std::array<double, 4> Extent(const std::vector<std::array<double, 2>> &pts) {
  std::array<double, 4> e{1e30, 1e30, -1e30, -1e30};
  for (const auto &p : pts) {
    e[0] = std::min(e[0], p[0]), e[1] = std::min(e[1], p[1]);
    e[2] = std::max(e[2], p[0]), e[3] = std::max(e[3], p[1]);
  }
  return e;
}

std::multiset<std::string> Dimension_Texts(const PLOTTED &r) {
  std::multiset<std::string> out;
  for (const WORLD_ITEM &w : r.items)
    if (w.code == 9 && !w.text.empty() && std::isdigit(static_cast<unsigned char>(w.text[0]))) out.insert(w.text);
  return out;
}

void Expect_Point(const std::array<double, 2> &p, double x, double z, double tol) {
  EXPECT_NEAR(x, p[0], tol);
  EXPECT_NEAR(z, p[1], tol);
}

int Count_Code(const PLOTTED &r, int code) {
  int n = 0;
  for (const WORLD_ITEM &w : r.items) n += w.code == code;
  return n;
}

class ProfilePlot : public SectionPlot {
 protected:
  // Draw with the fixture's options changed by set.
  PLOTTED Draw_With(const PROFIL *p, const std::function<void(PROFIL_PLOT_OPTIONS &)> &set, int flags, int axis_mode,
                    double W, double H) {
    PLOTTED r;
    FILE *f = Open_Druckliste(path_.c_str());
    PROFIL_PLOT_OPTIONS o;
    Reset_Profil_Plot_Options(&o);
    o.fill_color = Get_Plot_Palette()->pal_blue_light;
    o.line_type = 1;
    o.line_color = 0;
    o.profil = p;
    if (set) set(o);
    r.S = Plot_Profil_Querschnitt(&o, f, flags, axis_mode, 1);
    Close_Druckliste(f);
    r.bytes = Read_File_Bytes(path_);
    EXPECT_EQ(0, Read_Oli_Text(r.bytes.data(), r.bytes.size(), &r.doc));
    r.frame = {-r.S, H + 0.4 * r.S, W + r.S, -r.S, 1 / r.S, 1 / r.S, 0, 0};
    To_World(&r);
    return r;
  }
};

}  // namespace

// Shapes 14, 16 and 17, and the I with a wider bottom flange: outline points, extent, weld
// marks, dimension texts, S and M, and (14, 16, 17) the list and its picture.
TEST_F(ProfilePlot, FurtherShapes) {
  struct Case {
    const char *name;
    PROFIL p;
    double W, H;
    int flags;
    size_t points;
    int welds;
    std::multiset<std::string> dims;
    bool has_M;
    int outline_edges;
    const char *golden;
  } cases[] = {
      // Z 200 × 80 × 8 / 10, rolled r 12, toe 6: point-symmetric, M on S.
      {"Z rolled", Shape(PROFIL_Z, 200, 8, 80, 10, 80, 10, 1, 12, 6, 0), 80, 200, 0, 24, 0, {"200", "80"}, false, 24,
       "z_section.oli"},
      {"Z welded", Shape(PROFIL_Z, 200, 8, 80, 10, 80, 10, 0, 0, 0, 4), 80, 200, 0, 24, 2, {"200", "80"}, false, 24,
       "z_welded.oli"},
      // Box: flanges 300 + 2·20 and 200 + 2·10 wide, sloping webs; the cell left open along
      // a seam (18 points), its outline left out under flag 2.
      {"box", Shape(PROFIL_BOX, 400, 10, 300, 15, 200, 12, 0, 0, 0, 0, 20, 10), 340, 400, 0, 18, 4,
       {"400", "20", "300", "20", "10", "200", "10"}, true, 12 + 4, "box_section.oli"},
      {"box, no inner outline", Shape(PROFIL_BOX, 400, 10, 300, 15, 200, 12, 0, 0, 0, 0, 20, 10), 340, 400,
       PLOT_FLAG_NO_INNER, 18, 4, {"400", "20", "300", "20", "10", "200", "10"}, true, 12, nullptr},
      {"tapered", Shape(PROFIL_TRAPEZ, 150, 10, 200, 12, 100, 12, 0, 0, 0, 0), 200, 150, 0, 8, 0,
       {"150", "200", "100"}, true, 8, "tapered_section.oli"},
      // Welded RHS: 20 outer and 20 inner points filled as one polygon of 42, a weld in each
      // inner corner; heights 200 and 184, widths 100 and 84.
      {"welded RHS", Shape(PROFIL_RHS, 200, 8, 100, 8, 100, 8, 0, 0, 0, 0), 100, 200, 0, 42, 4,
       {"200", "184", "100", "84"}, false, 40, nullptr},
      {"I, wider bottom flange", Shape(PROFIL_I, 300, 8, 150, 12, 200, 12, 0, 0, 0, 5), 200, 300, 0, 44, 4,
       {"300", "150", "200"}, true, 44, nullptr},
  };
  for (Case &c : cases) {
    SCOPED_TRACE(c.name);
    PLOTTED r = Draw(&c.p, false, c.flags, 1, 1, c.W, c.H);
    ASSERT_EQ(1u, r.doc.graphics.size());
    const auto section = Fills_Of(r, kSection);
    ASSERT_EQ(section.size(), 1u);
    EXPECT_EQ(section[0].pts.size(), c.points);
    const auto e = Extent(section[0].pts);
    EXPECT_NEAR(e[0], 0, kTol);
    EXPECT_NEAR(e[1], 0, kTol);
    EXPECT_NEAR(e[2], c.W, kTol);
    EXPECT_NEAR(e[3], c.H, kTol);
    EXPECT_EQ(static_cast<int>(Fills_Of(r, kWeld).size()), c.welds);
    EXPECT_EQ(Dimension_Texts(r), c.dims);
    EXPECT_EQ(Text_Anchors(r, "S").size(), 1u);
    EXPECT_EQ(Text_Anchors(r, "M").size(), c.has_M ? 1u : 0u);
    // Outline edges in the outline colour with line type 1 between consecutive section points.
    int edges = 0;
    for (const WORLD_ITEM &w : r.items) {
      if (w.code != 1 || w.pts.size() != 2) continue;
      bool on_outline = false;
      for (const auto &q : section[0].pts)
        on_outline |= std::hypot(q[0] - w.pts[0][0], q[1] - w.pts[0][1]) < kTol;
      bool end_on = false;
      for (const auto &q : section[0].pts) end_on |= std::hypot(q[0] - w.pts[1][0], q[1] - w.pts[1][1]) < kTol;
      edges += on_outline && end_on;
    }
    EXPECT_GE(edges, c.outline_edges);
    if (c.golden) {
      Check_Golden(r.bytes, c.golden);
      Check_Rendered(r, std::string(c.golden).substr(0, std::string(c.golden).size() - 4), {});
    }
  }
}

// The box's cell: its corners lie d = t_w / cos θ inside the outer web faces, θ the webs'
// slope atan2((300 − 200)/2, 400 − 15 − 12); the tapered legs are t_w / cos a wide and their
// inner faces meet the top plate's underside 12 · 50/150 further in.
TEST_F(ProfilePlot, BoxCellAndTaperedLegs) {
  PROFIL box = Shape(PROFIL_BOX, 400, 10, 300, 15, 200, 12, 0, 0, 0, 0, 20, 10);
  PLOTTED r = Draw(&box, false, 0, 0, 0, 340, 400);
  const auto pts = Fills_Of(r, kSection).at(0).pts;
  const double theta = std::atan2(50.0, 373.0), d = 10 / std::cos(theta);
  // Outer points 2 and 3: the left web's outer face at the flanges; cell points 13 and 16.
  Expect_Point(pts[2], 20, 15, kTol);
  Expect_Point(pts[3], 70, 388, kTol);
  Expect_Point(pts[13], 20 + d, 15, kTol);
  Expect_Point(pts[16], 70 + d, 388, kTol);
  Expect_Point(pts[14], 320 - d, 15, kTol);
  PROFIL tap = Shape(PROFIL_TRAPEZ, 150, 10, 200, 12, 100, 12, 0, 0, 0, 0);
  r = Draw(&tap, false, 0, 0, 0, 200, 150);
  const auto t = Fills_Of(r, kSection).at(0).pts;
  const double a = std::atan2(50.0, 150.0), w = 10 / std::cos(a);
  Expect_Point(t[1], 50, 150, kTol);
  Expect_Point(t[2], 50 + w, 150, kTol);
  Expect_Point(t[3], w + 12 * std::tan(a), 12, kTol);
  Expect_Point(t[4], 200 - w - 12 * std::tan(a), 12, kTol);
}

// Plates on an IPE 300 (t_w 7.1, t_f 10.7, r 15; web face at y 71.45): a stiffener 50 wide
// whose top corner follows a snipe, the root fillet or a 45° cut (welded: a_o √2), and one
// hanging 100 from the top flange; doubler plates 8 thick on both faces with both weld rules.
TEST_F(ProfilePlot, StiffenersAndDoublerPlates) {
  PROFIL rolled = Shape(PROFIL_I, 300, 7.1, 150, 10.7, 150, 10.7, 1, 15, 0, 0);
  PROFIL welded = Shape(PROFIL_I, 300, 7.1, 150, 10.7, 150, 10.7, 0, 0, 0, 5);
  static PLATE stiffener{}, doubler{};
  stiffener.t = 10, stiffener.b = 50;
  doubler.t = 8;
  const double wy = 75 - 3.55, zt = 10.7, c45 = std::sqrt(0.5), s = 5 * std::sqrt(2.0);
  struct Case {
    const char *name;
    const PROFIL *p;
    double snipe;
    int from_top;
    double length;
    double corner[2];  // the middle point of the top corner
    double bottom;     // the stiffener's lowest z
  } cases[] = {
      {"snipe 20", &rolled, 20, 0, 0, {wy - 20 * c45, zt + 20 * c45}, 300 - 10.7},
      {"rolled: the root fillet", &rolled, 0.05, 0, 0, {wy - 15 * (1 - c45), zt + 15 * (1 - c45)}, 300 - 10.7},
      {"welded: a 45° cut", &welded, 0.05, 0, 0, {wy - s / 2, zt + s / 2}, 300 - 10.7},
      {"no snipe: 1.5 f1", &rolled, 0, 0, 0, {wy - 22.5 * c45, zt + 22.5 * c45}, 300 - 10.7},
      {"hanging 100 from the top", &rolled, 20, 1, 100, {wy - 20 * c45, zt + 20 * c45}, zt + 100},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    stiffener.l = c.length;
    PLOTTED r = Draw_With(c.p, [&](PROFIL_PLOT_OPTIONS &o) {
      o.stiffener_count = 1;
      o.stiffener = &stiffener;
      o.stiffener_snipe = c.snipe;
      o.stiffener_from_top = c.from_top;
    }, 0, 0, 150, 300);
    const auto plates = Fills_Of(r, kStiffener);
    ASSERT_EQ(plates.size(), 1u);
    ASSERT_EQ(plates[0].pts.size(), 12u);
    Expect_Point(plates[0].pts[2], c.corner[0], c.corner[1], kTol);
    const auto e = Extent(plates[0].pts);
    EXPECT_NEAR(e[0], wy - 50, kTol);
    EXPECT_NEAR(e[2], wy, kTol);
    EXPECT_NEAR(e[1], zt, kTol);
    EXPECT_NEAR(e[3], c.bottom, kTol);
  }
  // Doubler plates between the fillets (z 25.7 to 274.3) with weld marks: rule 2 puts a mark
  // of the plate's and one of the web's thickness at both ends of each plate, the fillet
  // rule one mark of leg size √2 at each end.
  for (int rule : {2, 0}) {
    SCOPED_TRACE(rule);
    PLOTTED r = Draw_With(&rolled, [&](PROFIL_PLOT_OPTIONS &o) {
      o.web_plate_count = 2;
      o.web_plate = &doubler;
      o.web_plate_weld = rule;
      o.web_plate_weld_size = 4;
    }, 0, 0, 150, 300);
    const auto plates = Fills_Of(r, kDoubler);
    ASSERT_EQ(plates.size(), 2u);
    const auto left = Extent(plates[0].pts), right = Extent(plates[1].pts);
    EXPECT_NEAR(left[0], wy - 8, kTol);
    EXPECT_NEAR(left[2], wy, kTol);
    EXPECT_NEAR(right[0], 75 + 3.55, kTol);
    EXPECT_NEAR(right[2], 75 + 3.55 + 8, kTol);
    EXPECT_NEAR(left[1], 25.7, kTol);
    EXPECT_NEAR(left[3], 274.3, kTol);
    const auto welds = Fills_Of(r, kWeld);
    ASSERT_EQ(welds.size(), rule == 2 ? 8u : 4u);
    // Legs: 8 (plate) and 7.1 (web) under rule 2, 4 √2 under the fillet rule.
    std::multiset<long> legs;
    for (const WORLD_FILL &f : welds)
      legs.insert(std::lround(100 * std::hypot(f.pts[1][0] - f.pts[0][0], f.pts[1][1] - f.pts[0][1])));
    const std::multiset<long> want =
        rule == 2 ? std::multiset<long>{800, 800, 800, 800, 710, 710, 710, 710} : std::multiset<long>{566, 566, 566, 566};
    EXPECT_EQ(legs, want);
  }
}

// Channels mirrored about their vertical axis keep their extent and put the web on the right
// and the height's dimension beyond it; the older outline form gives the plotted outline.
TEST_F(ProfilePlot, MirroredChannelAndOutlinePoints) {
  PROFIL u = Shape(PROFIL_U, 200, 8.5, 75, 11.5, 75, 11.5, 1, 11.5, 6, 0);
  PLOTTED r = Draw_With(&u, [](PROFIL_PLOT_OPTIONS &o) { o.mirror_y = 1; }, 0, 1, 75, 200);
  const auto pts = Fills_Of(r, kSection).at(0).pts;
  const auto e = Extent(pts);
  EXPECT_NEAR(e[0], 0, kTol);
  EXPECT_NEAR(e[2], 75, kTol);
  int web = 0, toes = 0;
  for (const auto &p : pts) {
    web += std::fabs(p[0] - 75) < kTol;  // the web's outer corners
    toes += std::fabs(p[0]) < kTol;      // the flanges' toes
  }
  EXPECT_EQ(web, 2);
  EXPECT_GE(toes, 2);
  auto h = Text_Anchors(r, "200");
  ASSERT_EQ(h.size(), 1u);
  EXPECT_GT(h[0][0], 75);
  auto M = Text_Anchors(r, "M"), S = Text_Anchors(r, "S");
  ASSERT_EQ(M.size(), 1u);
  EXPECT_GT(M[0][0], S[0][0]);  // the shear centre beyond the web, on the right

  // Calc_Profil_Outline_Points at the plot's origin gives the plot's points, turned points
  // turn about the origin; the tube is 32 points on its circle.
  struct Case {
    PROFIL p;
    double y0, W, H;
    size_t n;
  } cases[] = {{Shape(PROFIL_I, 300, 7.1, 150, 10.7, 150, 10.7, 1, 15, 0, 0), 75, 150, 300, 44},
               {Shape(PROFIL_RHS, 200, 8, 100, 8, 100, 8, 1, 12, 8, 0), 50, 100, 200, 20},
               {Shape(PROFIL_U, 200, 8.5, 75, 11.5, 75, 11.5, 1, 11.5, 6, 0), 0, 75, 200, 24}};
  for (Case &c : cases) {
    SCOPED_TRACE(c.p.type);
    PLOTTED plotted = Draw(&c.p, false, 0, 0, 0, c.W, c.H);
    const auto fill = Fills_Of(plotted, kSection).at(0).pts;
    double y[50], z[50];
    int n = 0;
    const double z0 = c.p.type == PROFIL_U ? 100 : 0;
    Calc_Profil_Outline_Points(&c.p, c.y0, z0, 0, y, z, &n, nullptr, nullptr);
    ASSERT_EQ(static_cast<size_t>(n), c.n);
    for (int i = 0; i < n; ++i) Expect_Point(fill[static_cast<size_t>(i)], y[i], z[i], kTol);
    double py = c.y0 + 10, pz = z0;
    Calc_Profil_Outline_Points(&c.p, c.y0, z0, 90, y, z, &n, &py, &pz);
    EXPECT_NEAR(py, c.y0, 1e-9);
    EXPECT_NEAR(pz, z0 - 10, 1e-9);
  }
  PROFIL tube = Shape(PROFIL_CHS, 168.3, 8, 0, 0, 0, 0, 1, 0, 0, 0);
  double y[50], z[50];
  int n = 0;
  Calc_Profil_Outline_Points(&tube, 0, 0, 0, y, z, &n, nullptr, nullptr);
  ASSERT_EQ(n, 32);
  for (int i = 0; i < n; ++i) EXPECT_NEAR(std::hypot(y[i], z[i] - 84.15), 84.15, 1e-9);
}

// Inset mode, unturned: axis mode 2 draws the cross without labels, mode 3 only a dot; a T
// shows M toward its flange (the flange's mid-plane, 6 mm from its outer face) and mirror_z
// turns both marks over.
TEST_F(ProfilePlot, InsetAxisModesAndShearCentre) {
  PROFIL t = Shape(PROFIL_T, 200, 8, 150, 12, 150, 12, 1, 0, 0, 0);
  // Centroid of the flange 150 × 12 and the web 188 × 8 below it.
  const double zs = (1800 * 6 + 1504 * 106) / 3304.0;
  auto inset = [&](int axis_mode, int mirror) {
    FILE *f = Open_Druckliste(path_.c_str());
    EXPECT_EQ(0, Oliplot_Begin_Grafic(f, -100, 300, 300, -100, 0.02, 0.02, 0, 0));
    Oliplot_Set_Extended_Mode(1);
    PROFIL_PLOT_OPTIONS o;
    Reset_Profil_Plot_Options(&o);
    o.y0 = 75, o.z0 = mirror ? 200 : 0, o.scale = 50, o.fill_color = 5, o.line_type = 1, o.profil = &t;
    o.mirror_z = mirror;
    EXPECT_EQ(50.0, Plot_Profil_Querschnitt(&o, f, 0, axis_mode, 0));
    Oliplot_End_Grafic(f);
    Close_Druckliste(f);
    PLOTTED r;
    r.bytes = Read_File_Bytes(path_);
    EXPECT_EQ(0, Read_Oli_Text(r.bytes.data(), r.bytes.size(), &r.doc));
    r.frame = {-100, 300, 300, -100, 0.02, 0.02, 0, 0};
    To_World(&r);
    return r;
  };
  PLOTTED cross = inset(2, 0), dot = inset(3, 0), none = inset(0, 0);
  for (const char *label : {"y", "z"}) EXPECT_TRUE(Text_Anchors(cross, label).empty());
  EXPECT_GT(Count_Code(cross, 1), Count_Code(dot, 1));
  EXPECT_EQ(Count_Code(dot, 1), Count_Code(none, 1) + 2 * 64);  // the rims of S and M
  EXPECT_TRUE(Text_Anchors(none, "S").empty());
  for (int mirror : {0, 1}) {
    SCOPED_TRACE(mirror);
    PLOTTED r = inset(1, mirror);
    auto S = Text_Anchors(r, "S"), M = Text_Anchors(r, "M");
    ASSERT_EQ(S.size(), 1u);
    ASSERT_EQ(M.size(), 1u);
    EXPECT_NEAR(S[0][1], mirror ? 200 - zs : zs, 0.01);
    EXPECT_NEAR(M[0][1], mirror ? 194 : 6, 1.0);
    EXPECT_NEAR(M[0][0], S[0][0], kTol);
  }
}

// The holes of a polygon section take the polygon fill style: yellow with code 26 here.
TEST_F(ProfilePlot, PolygonHolesTakeThePolygonFillStyle) {
  static PROFIL_NODE nodes[] = {{1, 0, 0, 0, -1},   {2, -200, 0, 0, -1}, {3, -200, 100, 0, -1},
                                {4, 0, 100, 0, -1}, {5, -45, 50, 0.5, 1}, {6, -95, 50, 0.5, 1}};
  PROFIL p{};
  p.kind = PROFIL_KIND_QUER;
  p.model_kind = 1;
  p.node_count = 6;
  p.nodes = nodes;
  Set_Polygon_Fill_Style(Get_Plot_Palette()->pal_yellow, 26);
  PLOTTED r = Draw(&p, true, 0, 0, 0, 200, 100);
  const auto holes = Fills_Of(r, {255, 255, 50, 26});
  ASSERT_EQ(holes.size(), 1u);
  EXPECT_EQ(holes[0].pts.size(), 32u);
}
