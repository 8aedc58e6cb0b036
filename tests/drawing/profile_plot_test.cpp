// The profile plot beyond the rolled and welded I: the Z, box and tapered shapes, plates on
// the web, mirrored shapes, the older outline form, inset mode with every axis mode and the
// shear centre, polygon holes. Every variant's list keeps its fingerprint (golden); the
// geometry that can be worked out by hand is checked in world mm.
#include <cmath>
#include <cstdint>
#include <functional>

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

// The fills of one colour and fill code.
std::vector<WORLD_FILL> Fills_Of(const PLOTTED &r, std::array<int, 4> rgbc) {
  std::vector<WORLD_FILL> out;
  for (const WORLD_FILL &f : Fills(r))
    if (std::array<int, 4>{f.r, f.g, f.b, f.code} == rgbc) out.push_back(f);
  return out;
}

constexpr std::array<int, 4> kSection{125, 125, 255, 34}, kWeld{110, 110, 110, 64}, kStiffener{233, 233, 233, 34},
    kDoubler{224, 224, 224, 34};

// y min, z min, y max, z max.
std::array<double, 4> Extent(const std::vector<std::array<double, 2>> &pts) {
  std::array<double, 4> e{1e30, 1e30, -1e30, -1e30};
  for (const auto &p : pts) {
    e[0] = std::min(e[0], p[0]), e[1] = std::min(e[1], p[1]);
    e[2] = std::max(e[2], p[0]), e[3] = std::max(e[3], p[1]);
  }
  return e;
}

void Expect_Point(const std::array<double, 2> &p, double x, double z) {
  EXPECT_NEAR(x, p[0], kTol);
  EXPECT_NEAR(z, p[1], kTol);
}
void Expect_Extent(const std::vector<std::array<double, 2>> &pts, std::array<double, 4> want) {
  const auto e = Extent(pts);
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(e[k], want[k], kTol) << k;
}

class ProfilePlot : public SectionPlot {
 protected:
  // The fixture's plot of p (a polygon section by its kind) with the options changed by set.
  PLOTTED Draw_With(const PROFIL *p, const std::function<void(PROFIL_PLOT_OPTIONS &)> &set, int flags, int axis_mode,
                    int dims, double W, double H) {
    return Draw(p, p->kind == PROFIL_KIND_QUER, flags, axis_mode, dims, W, H, set);
  }
};

// The shapes and plates of the tests below.
const PROFIL &Ipe300(bool rolled) {
  static const PROFIL r = Shape(PROFIL_I, 300, 7.1, 150, 10.7, 150, 10.7, 1, 15, 0, 0),
                      w = Shape(PROFIL_I, 300, 7.1, 150, 10.7, 150, 10.7, 0, 0, 0, 5);
  return rolled ? r : w;
}
PLATE g_stiffener{}, g_doubler{};

}  // namespace

// Every variant: the further shapes free-standing (the Z, box and tapered ones also as their
// lists), plates on the web by every rule, mirrors, insets of a T with each axis mode turned
// over or not, a turned inset (no axes, no dimensions) and the holes of a polygon section.
TEST_F(ProfilePlot, EveryVariantKeepsItsList) {
  static PROFIL_NODE nodes[] = {{1, 0, 0, 0, -1},   {2, -200, 0, 0, -1}, {3, -200, 100, 0, -1},
                                {4, 0, 100, 0, -1}, {5, -45, 50, 0.5, 1}, {6, -95, 50, 0.5, 1}};
  PROFIL poly{};
  poly.kind = PROFIL_KIND_QUER;
  poly.model_kind = 1;
  poly.node_count = 6;
  poly.nodes = nodes;
  poly.y_s = -100, poly.z_s = 50, poly.y_M = 10, poly.z_M = -5;
  const PROFIL z_rolled = Shape(PROFIL_Z, 200, 8, 80, 10, 80, 10, 1, 12, 6, 0),
               z_welded = Shape(PROFIL_Z, 200, 8, 80, 10, 80, 10, 0, 0, 0, 4),
               box = Shape(PROFIL_BOX, 400, 10, 300, 15, 200, 12, 0, 0, 0, 0, 20, 10),
               box_equal = Shape(PROFIL_BOX, 400, 10, 300, 15, 300, 12, 0, 0, 0, 0, 20, 10),
               tapered = Shape(PROFIL_TRAPEZ, 150, 10, 200, 12, 100, 12, 0, 0, 0, 0),
               rhs = Shape(PROFIL_RHS, 200, 8, 100, 8, 100, 8, 0, 0, 0, 0),
               wide_bottom = Shape(PROFIL_I, 300, 8, 150, 12, 200, 12, 0, 0, 0, 5),
               u = Shape(PROFIL_U, 200, 8.5, 75, 11.5, 75, 11.5, 1, 11.5, 6, 0),
               u_welded = Shape(PROFIL_U, 200, 8.5, 75, 11.5, 75, 11.5, 0, 0, 0, 4),
               angle = Shape(PROFIL_ANGLE, 150, 10, 100, 12, 100, 12, 0, 0, 0, 4),
               t = Shape(PROFIL_T, 200, 8, 150, 12, 150, 12, 1, 0, 0, 0),
               t_welded = Shape(PROFIL_T, 200, 8, 150, 12, 150, 12, 0, 0, 0, 4);
  PROFIL unequal_welds = Shape(PROFIL_I, 300, 7.1, 150, 10.7, 150, 10.7, 0, 0, 0, 0);
  unequal_welds.a_o = 5, unequal_welds.a_u = 3;  // fillets of the top and the bottom flange differ
  ASSERT_EQ(0, Calc_Profil_Querschnittswerte(&unequal_welds, nullptr, 0, ""));
  g_stiffener.t = 10, g_stiffener.b = 50, g_doubler.t = 8;
  using Set = std::function<void(PROFIL_PLOT_OPTIONS &)>;
  auto stiffener = [](double snipe, int from_top, double length) -> Set {
    return [=](PROFIL_PLOT_OPTIONS &o) {
      g_stiffener.l = length;
      o.stiffener_count = 1, o.stiffener = &g_stiffener, o.stiffener_snipe = snipe, o.stiffener_from_top = from_top;
    };
  };
  auto doubler = [](int count, int rule, double size) -> Set {
    return [=](PROFIL_PLOT_OPTIONS &o) {
      o.web_plate_count = count, o.web_plate = &g_doubler, o.web_plate_weld = rule, o.web_plate_weld_size = size;
    };
  };
  auto inset = [](double y0, double z0, int mirror_z, double angle) -> Set {
    return [=](PROFIL_PLOT_OPTIONS &o) { o.y0 = y0, o.z0 = z0, o.scale = 50, o.mirror_z = mirror_z, o.angle = angle; };
  };
  struct Case {
    const char *name;
    const PROFIL *p;
    Set set;
    int flags, axis_mode;
    const char *golden;
  } cases[] = {
      {"Z rolled", &z_rolled, nullptr, 0, 1, "z_section.oli"},
      {"Z welded", &z_welded, nullptr, 0, 1, "z_welded.oli"},
      {"box", &box, nullptr, 0, 1, "box_section.oli"},
      {"box, no inner outline", &box, nullptr, PLOT_FLAG_NO_INNER, 1, nullptr},
      {"box, equal flanges", &box_equal, nullptr, 0, 1, nullptr},
      {"tapered", &tapered, nullptr, 0, 1, "tapered_section.oli"},
      {"welded RHS", &rhs, nullptr, 0, 1, nullptr},
      {"I, wider bottom flange", &wide_bottom, nullptr, 0, 1, nullptr},
      {"stiffener, snipe 20", &Ipe300(true), stiffener(20, 0, 0), 0, 0, nullptr},
      {"stiffener, rolled: the root fillet", &Ipe300(true), stiffener(0.05, 0, 0), 0, 0, nullptr},
      {"stiffener, welded: a 45° cut", &Ipe300(false), stiffener(0.05, 0, 0), 0, 0, nullptr},
      {"stiffener, no snipe", &Ipe300(true), stiffener(0, 0, 0), 0, 0, nullptr},
      {"stiffener, 100 from the top", &Ipe300(true), stiffener(20, 1, 100), 0, 0, nullptr},
      {"stiffener, 100 from the bottom", &Ipe300(false), stiffener(0, 0, 100), 0, 0, nullptr},
      {"stiffener, welds 5 and 3, no snipe", &unequal_welds, stiffener(0, 0, 0), 0, 0, nullptr},
      {"stiffener, welds 5 and 3, 45° cuts", &unequal_welds, stiffener(0.05, 0, 0), 0, 0, nullptr},
      {"doublers, plate and web marks", &Ipe300(true), doubler(2, 2, 4), 0, 0, nullptr},
      {"doublers, fillet marks", &Ipe300(true), doubler(2, 0, 4), 0, 0, nullptr},
      {"doubler, one, marks by rule", &Ipe300(false), doubler(1, 0, 0), 0, 0, nullptr},
      {"channel mirrored", &u, [](PROFIL_PLOT_OPTIONS &o) { o.mirror_y = 1; }, 0, 1, nullptr},
      {"welded channel mirrored", &u_welded, [](PROFIL_PLOT_OPTIONS &o) { o.mirror_y = 1; }, 0, 1, nullptr},
      {"welded angle mirrored both ways", &angle, [](PROFIL_PLOT_OPTIONS &o) { o.mirror_y = o.mirror_z = 1; },
       PLOT_FLAG_ANGLE_LEGS, 1, nullptr},
      {"welded T mirrored", &t_welded, [](PROFIL_PLOT_OPTIONS &o) { o.mirror_z = 1; }, 0, 1, nullptr},
      {"inset T, no axes", &t, inset(75, 0, 0, 0), 0, 0, nullptr},
      {"inset T, axis cross", &t, inset(75, 0, 0, 0), 0, 1, nullptr},
      {"inset T turned over, axis cross", &t, inset(75, 200, 1, 0), 0, 1, nullptr},
      {"inset T, cross without labels", &t, inset(75, 0, 0, 0), 0, 2, nullptr},
      {"inset T, dot", &t, inset(75, 0, 0, 0), 0, 3, nullptr},
      {"inset I turned 30°", &Ipe300(false), inset(75, 0, 0, 30), 0, 1, nullptr},
      {"inset I turned 270.4°: not a quarter turn", &Ipe300(false), inset(75, 0, 0, 270.4), 0, 0, nullptr},
      {"polygon holes, yellow code 26", &poly,
       [](PROFIL_PLOT_OPTIONS &) { Set_Polygon_Fill_Style(Get_Plot_Palette()->pal_yellow, 26); }, 0, 1, nullptr},
  };
  std::string prints;
  for (Case &c : cases) {
    SCOPED_TRACE(c.name);
    Init_Plot_Palette();
    Set_Polygon_Fill_Style(1, 0);
    PLOTTED r = Draw_With(c.p, c.set, c.flags, c.axis_mode, 1, 300, 300);
    ASSERT_EQ(1u, r.doc.graphics.size());
    if (c.golden) Check_Golden(r.bytes, c.golden);
    std::uint64_t h = 1469598103934665603ull;
    for (const unsigned char ch : r.bytes) h = (h ^ ch) * 1099511628211ull;
    prints += std::string(c.name) + ": " + std::to_string(r.bytes.size()) + " bytes, " + std::to_string(h) + "\n";
  }
  Check_Golden(prints, "profile_variants.txt");
}

// Known geometry. The box's cell corners lie d = t_w / cos θ inside the outer web faces, θ
// the webs' slope atan2((300 − 200)/2, 400 − 15 − 12); the tapered legs are t_w / cos a wide
// and their inner faces meet the top plate's underside 12 tan a further in. On an IPE 300
// (t_w 7.1, t_f 10.7, r 15; web face at y 71.45) a stiffener 50 wide follows a snipe of 20
// at its top corner, doubler plates 8 thick stand between the fillets (z 25.7 to 274.3) with
// marks of the plate's and the web's thickness. An inset T (flange 150 × 12, web 188 × 8)
// has S at its centroid and M on the flange's mid-plane, both turned over by mirror_z.
TEST_F(ProfilePlot, KnownGeometry) {
  PROFIL box = Shape(PROFIL_BOX, 400, 10, 300, 15, 200, 12, 0, 0, 0, 0, 20, 10);
  auto pts = Fills_Of(Draw_With(&box, nullptr, 0, 0, 0, 340, 400), kSection).at(0).pts;
  const double d = 10 / std::cos(std::atan2(50.0, 373.0));
  Expect_Point(pts[2], 20, 15);
  Expect_Point(pts[3], 70, 388);
  Expect_Point(pts[13], 20 + d, 15);
  Expect_Point(pts[16], 70 + d, 388);
  Expect_Point(pts[14], 320 - d, 15);
  PROFIL tap = Shape(PROFIL_TRAPEZ, 150, 10, 200, 12, 100, 12, 0, 0, 0, 0);
  pts = Fills_Of(Draw_With(&tap, nullptr, 0, 0, 0, 200, 150), kSection).at(0).pts;
  const double a = std::atan2(50.0, 150.0), w = 10 / std::cos(a);
  Expect_Point(pts[2], 50 + w, 150);
  Expect_Point(pts[3], w + 12 * std::tan(a), 12);
  Expect_Point(pts[4], 200 - w - 12 * std::tan(a), 12);
  g_stiffener.t = 10, g_stiffener.b = 50, g_stiffener.l = 0, g_doubler.t = 8;
  PLOTTED r = Draw_With(&Ipe300(true), [](PROFIL_PLOT_OPTIONS &o) {
    o.stiffener_count = 1, o.stiffener = &g_stiffener, o.stiffener_snipe = 20;
    o.web_plate_count = 2, o.web_plate = &g_doubler, o.web_plate_weld = 2;
  }, 0, 0, 0, 150, 300);
  const double wy = 75 - 3.55, c45 = std::sqrt(0.5);
  const auto st = Fills_Of(r, kStiffener).at(0).pts;
  Expect_Point(st[2], wy - 20 * c45, 10.7 + 20 * c45);
  Expect_Extent(st, {wy - 50, 10.7, wy, 300 - 10.7});
  const auto plates = Fills_Of(r, kDoubler);
  ASSERT_EQ(plates.size(), 2u);
  Expect_Extent(plates[0].pts, {wy - 8, 25.7, wy, 274.3});
  Expect_Extent(plates[1].pts, {78.55, 25.7, 86.55, 274.3});
  std::multiset<long> legs;
  for (const WORLD_FILL &f : Fills_Of(r, kWeld))
    legs.insert(std::lround(100 * std::hypot(f.pts[1][0] - f.pts[0][0], f.pts[1][1] - f.pts[0][1])));
  EXPECT_EQ(legs, (std::multiset<long>{800, 800, 800, 800, 710, 710, 710, 710}));
  PROFIL t = Shape(PROFIL_T, 200, 8, 150, 12, 150, 12, 1, 0, 0, 0);
  const double zs = (1800 * 6 + 1504 * 106) / 3304.0;
  for (int mirror : {0, 1}) {
    SCOPED_TRACE(mirror);
    r = Draw_With(&t, [&](PROFIL_PLOT_OPTIONS &o) { o.y0 = 75, o.z0 = mirror ? 200 : 0, o.scale = 50, o.mirror_z = mirror; },
                  0, 1, 0, 0, 0);
    auto S = Text_Anchors(r, "S"), M = Text_Anchors(r, "M");
    ASSERT_EQ(S.size() + M.size(), 2u);
    EXPECT_NEAR(S[0][1], mirror ? 200 - zs : zs, 0.01);
    EXPECT_NEAR(M[0][1], mirror ? 194 : 6, 1.0);
    EXPECT_NEAR(M[0][0], S[0][0], kTol);
  }
}

// A library tee is drawn by its outline: T 100 (t 11, r 11, r_2 5.5), six rounded corners in
// 32 points; two arcs end on each inner flange face z = 10.5 + 0.02·d (d from the toe) and on
// each flank of the stem, 11 + 0.04·(55.5 − z) wide; the 9.22 mm tip stops short of z = 100.
TEST_F(ProfilePlot, LibraryTeeDrawnByItsOutline) {
  PROFIL t{};
  ASSERT_EQ(Set_Profil_by_Library_Name(&t, "T100"), 0);
  const auto pts = Fills_Of(Draw_With(&t, nullptr, 0, 0, 0, 100, 100), kSection).at(0).pts;
  ASSERT_EQ(pts.size(), 32u);
  const auto e = Extent(pts);
  EXPECT_TRUE(e[0] > -kTol && e[1] > -kTol && e[2] < 100 + kTol && e[3] > 99.9 && e[3] < 100 - kTol);
  int on[4] = {};
  for (const auto &p : pts) {
    const double x = p[0], z = p[1], half = (11 + 0.04 * (55.5 - z)) / 2;
    on[x < 50 ? 0 : 1] += std::fabs(z - 10.5 - 0.02 * std::min(x, 100 - x)) < 1e-5;
    on[x < 50 ? 2 : 3] += z > 11 && std::fabs(std::fabs(x - 50) - half) < 1e-5;
  }
  EXPECT_EQ(std::vector<int>(on, on + 4), (std::vector<int>{2, 2, 2, 2}));
  Reset_Profil(&t);
}

// Calc_Profil_Outline_Points at the plot's origin gives the plot's points, a turned point
// turns about the origin; the tube is 32 points on its circle.
TEST_F(ProfilePlot, OlderOutlineForm) {
  struct Case {
    PROFIL p;
    double y0, W, H;
    size_t n;
  } cases[] = {{Shape(PROFIL_I, 300, 7.1, 150, 10.7, 150, 10.7, 1, 15, 0, 0), 75, 150, 300, 44},
               {Shape(PROFIL_RHS, 200, 8, 100, 8, 100, 8, 1, 12, 8, 0), 50, 100, 200, 20},
               {Shape(PROFIL_U, 200, 8.5, 75, 11.5, 75, 11.5, 1, 11.5, 6, 0), 0, 75, 200, 24}};
  for (Case &c : cases) {
    SCOPED_TRACE(c.p.type);
    const auto fill = Fills_Of(Draw_With(&c.p, nullptr, 0, 0, 0, c.W, c.H), kSection).at(0).pts;
    double y[50], z[50];
    int n = 0;
    const double z0 = c.p.type == PROFIL_U ? 100 : 0;
    Calc_Profil_Outline_Points(&c.p, c.y0, z0, 0, y, z, &n, nullptr, nullptr);
    ASSERT_EQ(static_cast<size_t>(n), c.n);
    for (int i = 0; i < n; ++i) Expect_Point(fill[static_cast<size_t>(i)], y[i], z[i]);
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
