// Screen pictures of profiles and imported sections and their pixel shapes, on the host's
// canvas and call trace. Dimensions: EN 10365 (IPE 300), EN 10056-1 (L 150 × 100 × 10);
// welded sections from their plates. Every picture is also written as a PNG.
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "drawing_base/drawing_base.h"
#include "host/host_test.h"
#include "tests/drawing/drawing_fixture.h"
#include "tests/profil/profil_shapes.h"
#include "querschnitt/querschnitt.h"
#include "sections/sections.h"
#include "support/shell.h"

namespace {
// The canvas as test-output/<name>.png (for a picture the test then wipes).
void Dump(const std::string &name) {
  std::error_code ec;
  std::filesystem::create_directories("test-output", ec);
  Host_Write_Png(("test-output/" + name + ".png").c_str());
}

class ScreenPicture : public DrawingScreenTest {
 protected:
  void TearDown() override {
    Host_Test_Dump_Png();  // every picture for a person to look at
    HostScreenTest::TearDown();
  }
  static PROFIL Shape(int type, double h, double tw, double b, double tf, int rolled, double r, double r2, double a) {
    PROFIL p{};
    Reset_Profil(&p);
    Set_Shape(&p, type, h, tw, b, tf, b, tf, rolled, r, r2);
    p.a_o = p.a_u = a;
    EXPECT_EQ(0, Calc_Profil_Querschnittswerte(&p, nullptr, 0, ""));
    return p;
  }
  // The page's settings with the given rectangle or anchor and scale.
  static PROFIL_SCREEN_STATE Page(PROFIL *p, int x1, int y1, int x2, int y2, double scale) {
    PROFIL_SCREEN_STATE s;
    Reset_Profil_Screen_State(&s);
    s.x1 = x1, s.y1 = y1, s.x2 = x2, s.y2 = y2;
    s.scale = scale;
    s.fill_color = Get_Screen_Colors()->lavender_light;
    s.line_width = 1;
    s.line_color = Get_Screen_Colors()->black;
    s.show_axes = 1;
    s.profil = p;
    return s;
  }
  // Places of pxText calls with the text.
  static std::vector<std::pair<int, int>> Texts(const char *text) {
    std::vector<std::pair<int, int>> at;
    for (const std::string &c : Host_Calls()) {
      int x, y;
      char t[8] = {};
      if (std::sscanf(c.c_str(), "pxText(%d,%d,\"%7[^\"]\"", &x, &y, t) == 3 && std::strcmp(t, text) == 0)
        at.push_back({x, y});
    }
    return at;
  }
  static bool Called(const std::string &call) {
    for (const std::string &c : Host_Calls())
      if (c == call) return true;
    return false;
  }
  static int Rgb(int x, int y) {
    int r, g, b;
    Host_Pixel_RGB(x, y, &r, &g, &b);
    return r * 65536 + g * 256 + b;
  }
};
constexpr int kLavender = 0xD5D5FF, kBlack = 0, kGreyPale = 0xE9E9E9, kGreyDim = 0x828282;
}  // namespace

// ---------------------------------------------------------------- pixel shapes

TEST_F(ScreenPicture, PixelShapes) {
  int x[2] = {10, 1000}, y[2] = {0, 0};
  Rotate_Pixel_Points(0, 0, x, y, 1, M_PI / 2);  // upwards on the screen
  EXPECT_EQ(0, x[0]);
  EXPECT_EQ(-10, y[0]);
  Rotate_Pixel_Point(0, 0, &x[1], &y[1], 0.0009);  // exactly (1, 0): the far point stays
  EXPECT_EQ(1000, x[1]);
  EXPECT_EQ(0, y[1]);
  Rotate_Pixel_Point(0, 0, &x[1], &y[1], 0.0011);
  EXPECT_EQ(-1, y[1]);
  struct Case {
    const char *name;
    void (*draw)();
    int fills, lines;
  } cases[] = {
      {"weld no fill", [] { Draw_Weld_Triangle(50, 50, 20, 0, M_PI / 2, -1, 1, 0); }, 0, 3},
      {"weld no edges", [] { Draw_Weld_Triangle(50, 50, 20, 0, M_PI / 2, 3, -1, 0); }, 1, 0},
      {"corner weld", [] { Draw_Corner_Weld(50, 50, 8, 6, 0, 1, 3, 0); }, 1, 3},
      {"corner weld −1", [] { Draw_Corner_Weld(50, 50, 8, 6, 0, 1, -1, -1); }, 0, 0},
      {"hexagon r 0", [] { Draw_Hexagon(50, 50, 0, 3, 1, 0); }, 0, 0},
      {"hexagon", [] { Draw_Hexagon(50, 50, 9, 3, 1, 0); }, 1, 6},
      {"slot r > l", [] { Draw_Slotted_Hole(50, 50, 12, 10, 30, 3, 1, 0); }, 0, 0},
      {"slot", [] { Draw_Slotted_Hole(50, 50, 6, 20, 30, 3, 1, 0); }, 1, 18},
      {"quadrant 4", [] { Draw_Weld_Triangle_Quadrant(50, 50, 9, 4, 3, 1, 0); }, 0, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Host_Clear_Calls();
    c.draw();
    EXPECT_EQ(c.fills, Host_Call_Count("pxFill"));
    EXPECT_EQ(c.lines, Host_Call_Count("pxTkLn"));
  }
  // The weld triangle's legs run right and up from the corner.
  Host_Test_Reset();
  Draw_Weld_Triangle(50, 50, 20, 0, M_PI / 2, 3, -1, 0);
  EXPECT_EQ(3, Host_Pixel(52, 48));
  EXPECT_NE(3, Host_Pixel(48, 52));
}

// ---------------------------------------------------------------- profiles

TEST_F(ScreenPicture, FlatBarFittedAndAtAGivenScale) {
  PROFIL p = Shape(PROFIL_FLAT, 100, 10, 0, 0, 1, 0, 0, 0);
  PROFIL_SCREEN_STATE s = Page(&p, 100, 50, 200, 350, 0);  // sx 8, sy 2.8
  Draw_Profil_Querschnitt(&s, 1);
  EXPECT_TRUE(Called("pxRect(100,50,148,350)")) << Host_Last_Calls(40);
  EXPECT_EQ(GetYRMColor(-21), Host_Pixel(146, 200));
  EXPECT_EQ(27 * 120, Host_Count_Pixels(111, 61, 137, 180, c_->lavender_light));  // above the axes
  EXPECT_EQ(kBlack, Rgb(110, 100));
  EXPECT_EQ(kBlack, Rgb(138, 100));
  EXPECT_EQ((std::vector<std::pair<int, int>>{{128, 200}}), Texts("S"));
  Host_Clear_Calls();
  s = Page(&p, 100, 50, 0, 0, 1.09);
  Dump("ScreenPicture.FlatBarFitted");
  Draw_Profil_Querschnitt(&s, 1);
  EXPECT_EQ(0, Host_Call_Count("pxRect"));
  EXPECT_EQ((std::vector<std::pair<int, int>>{{110, 105}}), Texts("S"));  // Round_Pixel, not halves
}

// The angle as the page shows it: mirrored, turned by 90°, its heel on the anchor.
TEST_F(ScreenPicture, AngleOnThePage) {
  PROFIL p = Shape(PROFIL_ANGLE, 150, 10, 100, 10, 1, 13, 6.5, 0);
  PROFIL_SCREEN_STATE s = Page(&p, 100, 300, 0, 0, 1.0);
  s.mirror_z = 1;
  s.angle = 90;
  Draw_Profil_Querschnitt(&s, 1);
  auto S = Texts("S");
  ASSERT_EQ(1u, S.size());
  EXPECT_NEAR(123.4, S[0].first - 4, 1.0);  // 23.4 from the long leg's back,
  EXPECT_NEAR(252.0, S[0].second, 1.0);     // 48.1 up from the heel
  int x1 = 0, y1 = 0;
  for (const std::string &c : Host_Calls()) std::sscanf(c.c_str(), "pxMask(%d,%d", &x1, &y1);
  EXPECT_NEAR(105, x1 + 2, 1.0);  // where the legs' centre lines cross
  EXPECT_NEAR(295, y1 + 2, 1.0);
  EXPECT_EQ(kLavender, Rgb(103, 200));  // the long leg stands up from the heel
  EXPECT_EQ(kLavender, Rgb(180, 297));  // the short one runs right
  // "z" first, along the turn; "y" a quarter turn back.
  const auto z = Texts("z"), y = Texts("y");
  ASSERT_EQ(1u, z.size());
  ASSERT_EQ(1u, y.size());
  EXPECT_GT(z[0].second, S[0].second + 20);
  EXPECT_LT(y[0].first, S[0].first - 20);
  // The legs numbered (parametric angles only): "2" on the short leg, "1" on the long one.
  p.kind = PROFIL_KIND_PARAMETRIC;
  Host_Clear_Calls();
  Draw_Profil_Querschnitt(&s, SCREEN_FLAG_ANGLE_LEGS);
  EXPECT_EQ(2, Host_Call_Count("pxCrcl"));
  EXPECT_TRUE(Called("pxBTxt(144,289,156,301,\"2\",1,192)")) << Host_Last_Calls(60);
  EXPECT_TRUE(Called("pxBTxt(99,219,111,231,\"1\",1,192)"));
}

// A welded T upside down and turned: S and M stay on its centroid and the flange's centre line.
TEST_F(ScreenPicture, MirroredTurnedT) {
  PROFIL p = Shape(PROFIL_T, 100, 10, 120, 12, 0, 0, 0, 0);
  const double A = 120 * 12 + 88 * 10, zs = (120 * 12 * 6 + 88 * 10 * 56) / A;
  PROFIL_SCREEN_STATE s = Page(&p, 300, 200, 0, 0, 2.0);
  s.mirror_z = 1;
  s.angle = 90;
  Draw_Profil_Querschnitt(&s, 0);
  const auto S = Texts("S"), M = Texts("M");
  ASSERT_EQ(1u, S.size());
  ASSERT_EQ(1u, M.size());
  EXPECT_NEAR(300 - 2 * zs, S[0].first - 4, 1.0);
  EXPECT_NEAR(200, S[0].second, 1.0);
  EXPECT_NEAR(300 - 2 * 6, M[0].first - 4, 1.0);
  EXPECT_NEAR(200, M[0].second, 1.0);
  EXPECT_EQ(kLavender, Rgb(290, 150));  // the flange stands left of the anchor
}

TEST_F(ScreenPicture, ColourProbes) {
  PROFIL ipe = Shape(PROFIL_I, 300, 7.1, 150, 10.7, 1, 15, 0, 0);
  PROFIL_SCREEN_STATE s = Page(&ipe, 0, 0, 400, 400, 0);  // scale 380/300
  pxFgc(7);
  Draw_Profil_Querschnitt(&s, 1);
  EXPECT_EQ(7, pxQFgc(nullptr));
  EXPECT_EQ(kLavender, Rgb(105, 15));  // top flange
  EXPECT_EQ(kBlack, Rgb(105, 10));     // its edge
  EXPECT_EQ(0, Host_Call_Count("pxMask"));  // symmetric: no "M"
  Dump("ScreenPicture.IPE300");

  Host_Test_Reset();
  Init_Screen_Colors();
  PROFIL welded = Shape(PROFIL_I, 400, 10, 200, 15, 0, 0, 0, 5);
  PLATE stiffener{}, plate{};
  stiffener.t = 10;
  plate.t = 8;
  plate.b = 200;
  s = Page(&welded, 300, 100, 0, 0, 1.0);
  s.stiffener_count = 1;
  s.stiffener = &stiffener;
  s.web_plate_count = 2;
  s.web_plate = &plate;
  Draw_Profil_Querschnitt(&s, 1);
  EXPECT_EQ(kLavender, Rgb(220, 107));     // flange
  EXPECT_EQ(kGreyPale, Rgb(250, 250));     // stiffener beside the web
  EXPECT_EQ(kGreyDim, Rgb(287, 250));      // the web plate's outer edge on the left
  EXPECT_EQ(kGreyDim, Rgb(313, 250));      // and on the right
  Dump("ScreenPicture.WeldedIWithPlates");

  Host_Test_Reset();
  Init_Screen_Colors();
  PROFIL rhs = Shape(PROFIL_RHS, 200, 8, 100, 8, 1, 16, 8, 0);
  s = Page(&rhs, 0, 0, 300, 300, 0);  // scale 1.4, anchor (80, 10)
  Draw_Profil_Querschnitt(&s, 1);
  EXPECT_EQ(c_->host_color, Host_Pixel(80, 100));
  EXPECT_EQ(kLavender, Rgb(15, 100));
  EXPECT_EQ(kBlack, Rgb(10, 100));
  EXPECT_EQ(kBlack, Rgb(21, 100));  // the cell's edge, 8 × 1.4 in
}

// A thick line lies on the parallel polygon, the true border in black; an outline the
// offset refuses keeps its true edges in the line's colour and width.
TEST_F(ScreenPicture, ThickOutline) {
  PROFIL p = Shape(PROFIL_FLAT, 100, 10, 0, 0, 1, 0, 0, 0);
  PROFIL_SCREEN_STATE s = Page(&p, 100, 50, 0, 0, 1.0);
  s.line_width = 3;
  s.line_color = 3;
  s.show_axes = 0;
  Draw_Profil_Querschnitt(&s, 1);
  EXPECT_TRUE(Called("pxTkLn(98,48,111,48,3)")) << Host_Last_Calls(20);
  EXPECT_TRUE(Called("pxTkLn(100,50,110,50,1)"));
  Host_Clear_Calls();
  s.scale = 0.002;  // every point on the anchor
  Draw_Profil_Querschnitt(&s, 1);
  EXPECT_EQ(4, Host_Call_Count("pxTkLn"));
  EXPECT_TRUE(Called("pxTkLn(100,50,100,50,3)"));
  Host_Clear_Calls();
  s.profil = nullptr;
  Draw_Profil_Querschnitt(&s, 1);
  EXPECT_TRUE(Host_Calls().empty());
}

// ---------------------------------------------------------------- imported sections

namespace {
// A 200 × 100 rectangle with a hole of radius 25 about (−70, 50) (mm).
PROFIL_NODE kHoleNodes[] = {{1, 0, 0, 0, -1},   {2, -200, 0, 0, -1}, {3, -200, 100, 0, -1},
                            {4, 0, 100, 0, -1}, {5, -45, 50, 0.5, 1}, {6, -95, 50, 0.5, 1}};
PROFIL Holed() {
  PROFIL p{};
  p.kind = PROFIL_KIND_QUER;
  p.model_kind = 1;
  p.node_count = 6;
  p.nodes = kHoleNodes;
  const double hole = M_PI * 25 * 25, A = 20000 - hole;
  p.y_s = (20000 * -100 - hole * -70) / A;
  p.z_s = 50;
  return p;
}
}  // namespace

TEST_F(ScreenPicture, PolygonSectionWithHole) {
  PROFIL p = Holed();
  Draw_Polygon_Querschnitt(0, 0, 420, 220, 0, &p);  // scale 2
  EXPECT_TRUE(Called("pxRect(0,0,420,220)"));
  EXPECT_EQ(kLavender, Rgb(50, 110));
  EXPECT_EQ(c_->host_color, Host_Pixel(150, 110));
  EXPECT_EQ(kBlack, Rgb(10, 110));   // outer edge
  EXPECT_EQ(kBlack, Rgb(100, 110));  // the hole's edge
  EXPECT_EQ((std::vector<std::pair<int, int>>{{221, 110}}), Texts("S"));
  EXPECT_EQ(1u, Texts("y").size());
  EXPECT_EQ(1u, Texts("z").size());
  EXPECT_TRUE(Texts("M").empty());
  // The shear centre 10 mm to the section's right (y 10, drawn to the left) and 20 mm
  // down (z 20): "M" 20 px left of "S" and 40 px below it.
  p.y_M = 10, p.z_M = 20;
  Host_Clear_Calls();
  Draw_Polygon_Querschnitt(0, 0, 420, 220, 0, &p);
  EXPECT_EQ((std::vector<std::pair<int, int>>{{201, 150}}), Texts("M"));
  p.y_M = p.z_M = 0;
  p.alpha = 30;
  Host_Clear_Calls();
  Draw_Polygon_Querschnitt(0, 0, 420, 220, 0, &p);
  EXPECT_EQ(1u, Texts("\xC1").size());
  EXPECT_EQ(1u, Texts("\xD3").size());
  EXPECT_TRUE(Texts("y").empty());
}

// Boxes of other aspects: a tall box is filled across its width (scale (220 − 20)/200 = 1,
// the rectangle cut to 20 + 100 px high), a wide one across its height (scale 200/100 = 2,
// the rectangle cut to 20 + 400 px wide). The centroid (y_s −103.27 mm, z_s 50 mm) lands
// at 10 + 103 px, 10 + 50 px and at 10 + 207 px, 10 + 100 px.
TEST_F(ScreenPicture, PolygonSectionInBoxesOfOtherAspects) {
  PROFIL p = Holed();
  Draw_Polygon_Querschnitt(0, 0, 220, 420, 0, &p);
  EXPECT_TRUE(Called("pxRect(0,0,220,120)"));
  EXPECT_EQ((std::vector<std::pair<int, int>>{{117, 60}}), Texts("S"));
  EXPECT_EQ(kLavender, Rgb(30, 60));
  EXPECT_EQ(c_->host_color, Host_Pixel(80, 45));  // inside the hole (centre 80, 60; radius 25)
  EXPECT_EQ(kLavender, Rgb(200, 100));
  Host_Clear_Calls();
  Draw_Polygon_Querschnitt(0, 0, 600, 220, 0, &p);
  EXPECT_TRUE(Called("pxRect(0,0,420,220)"));
  EXPECT_EQ((std::vector<std::pair<int, int>>{{221, 110}}), Texts("S"));
}

// Sections the picture cannot use leave the filled rectangle alone.
TEST_F(ScreenPicture, UnusableSectionsLeaveTheRectangle) {
  std::vector<PROFIL_NODE> many(10001);
  for (int i = 0; i < 10001; ++i) many[i] = {i + 1, -1.0 * (i % 100), 1.0 * (i / 100), 0, -1};
  PROFIL over = Holed(), lines = Holed(), other = Holed();
  over.node_count = 10001;
  over.nodes = many.data();
  lines.line_count = 1;  // a polygon section with lines
  other.kind = PROFIL_KIND_PARAMETRIC;
  for (PROFIL *p : std::vector<PROFIL *>{&over, &lines, &other, nullptr}) {
    Host_Clear_Calls();
    Draw_Polygon_Querschnitt(0, 0, 420, 220, 0, p);
    EXPECT_EQ(1, Host_Call_Count("pxRect"));
    EXPECT_EQ(0, Host_Call_Count("pxFill"));
  }
  EXPECT_EQ(OUTLINE_MAX_POINTS, Build_Polygon_Querschnitt_Points(&over, nullptr, nullptr, nullptr, nullptr));
}

// The channel of the take-over's sample file as a line model: the field plot of its
// thin-walled model in the entry's own frame (y 0..10, z −5..16 cm). Centroid 3.0136 cm
// and shear centre −3.3565 cm: 3b′²t_f/(6b′t_f + h′t_w) = 3.7565 beyond the web's centre
// line at 0.4 (b′ 9.6, h′ 20, t_f 1, t_w 0.8).
TEST_F(ScreenPicture, LineModelChannel) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(::testing::TempDir()) / ("pfscreen_" + std::to_string(getpid()));
  fs::create_directories(dir);
  Set_Bauteil_Path((dir / "CH").c_str());
  Set_File_Number(1);
  fs::copy_file(fs::path(PF_SOURCE_DIR) / "tests/profil/golden/channel.XPR", dir / "CH_01.XPR",
                fs::copy_options::overwrite_existing);
  PROFIL p{};
  Reset_Profil(&p);
  p.kind = PROFIL_KIND_QUER;
  Set_XPRT_Member_Filename();
  p.entry = New_QImport_Entry();
  Add_QImport_Reference(p.entry, +1);
  Read_XPRT_Result(p.entry);
  ASSERT_EQ(0, Set_Profil_from_QImport(&p, 0));
  fs::remove_all(dir);
  Host_Clear_Calls();
  Draw_Polygon_Querschnitt(10, 10, 130, 240, 1.0, &p);
  EXPECT_EQ(kLavender, Rgb(106, 115));  // web
  EXPECT_EQ(kLavender, Rgb(60, 15));    // top flange
  for (auto [x, y, out_x, out_y] : {std::array<int, 4>{10, 15, 8, 15}, {110, 115, 112, 115}, {60, 10, 60, 8},
                                    {60, 220, 60, 222}}) {  // the faces, within a pixel
    EXPECT_EQ(kBlack, Rgb(x, y)) << x << ", " << y;
    EXPECT_NE(kBlack, Rgb(out_x, out_y)) << out_x << ", " << out_y;
    EXPECT_NE(kLavender, Rgb(out_x, out_y)) << out_x << ", " << out_y;
  }
  EXPECT_TRUE(Called("pxTkLn(80,115,50,115,2)") || Called("pxTkLn(50,115,80,115,2)")) << Host_Last_Calls(30);
  EXPECT_TRUE(Called("pxTkLn(80,145,80,115,2)"));  // "z" 30 pixels down
  EXPECT_EQ((std::vector<std::pair<int, int>>{{84, 115}}), Texts("S"));
  EXPECT_EQ((std::vector<std::pair<int, int>>{{148, 115}}), Texts("M"));
  EXPECT_TRUE(Called("pxText(148,115,\"M\",1)") && Called("pxText(84,115,\"S\",1)")) << Host_Last_Calls(12);
  Reset_Profil(&p);
  Host_Clear_Calls();
  Draw_Querschnitt_Filled(nullptr, 0.0, 10.0, Querschnitt_to_Pixel, Pixel_to_Querschnitt);
  EXPECT_TRUE(Host_Calls().empty());
}

TEST(PolygonScreen, TransformAndArcPoints) {
  Set_Querschnitt_Pixel_Transform(3.7, 100, 200);
  for (float y : {-12.3f, 0.0f, 40.05f})
    for (float z : {-7.7f, 3.3f}) {
      int32_t px, py;
      float yb = 99, zb = 99;
      Querschnitt_to_Pixel(y, z, &px, &py);
      Pixel_to_Querschnitt(px, py, &yb, &zb);
      EXPECT_NEAR(y, yb, 1 / 3.7);
      EXPECT_NEAR(z, zb, 1 / 3.7);
    }
  int32_t px, py;
  Querschnitt_to_Pixel(10, 20, &px, &py);
  EXPECT_EQ(100 - 37, px);
  EXPECT_EQ(200 + 74, py);
  Set_Querschnitt_Pixel_Transform(0.0005, 100, 200);
  float y = 5, z = 6;
  Pixel_to_Querschnitt(300, 300, &y, &z);
  EXPECT_EQ(5.0f, y);
  EXPECT_EQ(6.0f, z);
  // A half circle (b = 0.5) on a chord of 20 mm: 15 points on the radius 10.
  PROFIL_NODE nodes[] = {{1, 0, 0, 0.5, -1}, {2, -20, 0, 0, -1}};
  PROFIL p{};
  p.kind = PROFIL_KIND_QUER;
  p.model_kind = 1;
  p.node_count = 2;
  p.nodes = nodes;
  std::vector<double> x(OUTLINE_MAX_POINTS), yy(OUTLINE_MAX_POINTS);
  std::vector<int> id(OUTLINE_MAX_POINTS), nr(OUTLINE_MAX_POINTS);
  ASSERT_EQ(17, Build_Polygon_Querschnitt_Points(&p, x.data(), yy.data(), id.data(), nr.data()));
  for (int i = 1; i <= 15; ++i) {
    EXPECT_NEAR(10, std::hypot(x[i] - 10, yy[i]), 1e-9);
    EXPECT_EQ(-1, id[i]);
    EXPECT_EQ(1, nr[i]);
  }
  EXPECT_EQ(0, Build_Polygon_Querschnitt_Points(nullptr, nullptr, nullptr, nullptr, nullptr));
}

// ---------------------------------------------------------------- plot and screen agree

namespace {
class PlotAndScreen : public SectionPlot {};
}  // namespace

// An equal-leg angle 100 × 10 as a polygon section, heel at the bottom left: its principal
// angle from the test's own second moments (I_yz < 0 gives +45°). The plot's first
// principal arm and the screen's first shaft both run from S toward the heel, along
// (−cos α, sin α): the axis of symmetry, the major axis.
TEST_F(PlotAndScreen, PrincipalAxesOfAnEqualAngle) {
  static PROFIL_NODE nodes[] = {{1, 0, 0, 0, -1},    {2, -10, 0, 0, -1},   {3, -10, 90, 0, -1},
                                {4, -100, 90, 0, -1}, {5, -100, 100, 0, -1}, {6, 0, 100, 0, -1}};
  double A = 0, Sy = 0, Sz = 0, Iyy = 0, Izz = 0, Iyz = 0;  // Green's theorem over the outline
  for (int i = 0; i < 6; ++i) {
    const PROFIL_NODE &a = nodes[i], &b = nodes[(i + 1) % 6];
    const double c = a.y * b.z - b.y * a.z;
    A += c / 2;
    Sy += (a.y + b.y) * c / 6;
    Sz += (a.z + b.z) * c / 6;
    Izz += (a.y * a.y + a.y * b.y + b.y * b.y) * c / 12;
    Iyy += (a.z * a.z + a.z * b.z + b.z * b.z) * c / 12;
    Iyz += (a.y * b.z + 2 * a.y * a.z + 2 * b.y * b.z + b.y * a.z) * c / 24;
  }
  if (A < 0) A = -A, Sy = -Sy, Sz = -Sz, Iyy = -Iyy, Izz = -Izz, Iyz = -Iyz;  // turned clockwise
  const double ys = Sy / A, zs = Sz / A;
  Iyy -= A * zs * zs, Izz -= A * ys * ys, Iyz -= A * ys * zs;
  ASSERT_LT(Iyz, 0);
  const double alpha = 0.5 * std::atan2(-2 * Iyz, Iyy - Izz);
  ASSERT_NEAR(M_PI / 4, alpha, 1e-9);
  PROFIL p{};
  p.kind = PROFIL_KIND_QUER;
  p.model_kind = 1;
  p.node_count = 6;
  p.nodes = nodes;
  p.y_s = ys;
  p.z_s = zs;
  p.alpha = alpha * 180 / M_PI;
  // World and screen: x right, z down; (−cos α, sin α) points from S to the heel (0, 100).
  const double want = std::atan2(std::sin(alpha), -std::cos(alpha));
  // The plot: a segment from S along the first arm.
  PLOTTED r = Draw(&p, true, PLOT_FLAG_NO_NUMBERS, 1, 0, 100, 100);
  bool plot_arm = false;
  for (const WORLD_ITEM &w : r.items)
    if (w.code == 1 && w.pts.size() == 2 && std::hypot(w.pts[0][0] + ys, w.pts[0][1] - zs) < 1e-3) {
      const double a = std::atan2(w.pts[1][1] - w.pts[0][1], w.pts[1][0] - w.pts[0][0]);
      plot_arm |= std::fabs(std::remainder(a - want, 2 * M_PI)) < 3 * M_PI / 180;
    }
  EXPECT_TRUE(plot_arm);
  // The screen: the first shaft runs from its far end to S.
  Host_Test_Reset();
  Init_Screen_Colors();
  Draw_Polygon_Querschnitt(0, 0, 300, 300, 2.0, &p);
  int fx = 0, fy = 0, sx = 0, sy = 0, width = 0;
  for (const std::string &c : Host_Calls())
    if (std::sscanf(c.c_str(), "pxTkLn(%d,%d,%d,%d,%d)", &fx, &fy, &sx, &sy, &width) == 5 && width == 2) break;
  EXPECT_NEAR(want, std::atan2(fy - sy, fx - sx), 3 * M_PI / 180);
  Dump("PlotAndScreen.PrincipalAxesOfAnEqualAngle");
}

// Every parametric shape, welded and rolled, on the page's canvas: fitted into a rectangle,
// and at 1 px/mm mirrored both ways and turned a quarter: the fill covers at least nine
// tenths of the area less its outline, and each picture's call trace keeps the fingerprint
// of tests/drawing/golden/every_shape_screen.txt (PF_UPDATE_GOLDEN=1 rewrites it).
TEST_F(ScreenPicture, EveryShapeOnThePage) {
  std::string prints;
  for (int type = 1; type < PROFIL_TYPE_COUNT; ++type)
    for (int rolled : {0, 1}) {
      SCOPED_TRACE(::testing::Message() << "type " << type << " rolled " << rolled);
      PROFIL p{};
      if (!Set_Sample_Shape(&p, type, rolled)) continue;
      for (int variant : {0, 1}) {
        Host_Test_Reset();
        Host_Clear_Calls();
        PROFIL_SCREEN_STATE s = variant ? Page(&p, 400, 400, 0, 0, 1.0) : Page(&p, 20, 20, 420, 420, 0);
        s.mirror_y = s.mirror_z = variant;
        s.angle = variant ? 90 : 0;
        Draw_Profil_Querschnitt(&s, 0);
        if (variant) {
          EXPECT_GE(Host_Count_Pixels(0, 0, 1000, 1000, c_->lavender_light), 0.6 * p.A);
        }
        std::uint64_t h = 1469598103934665603ull;
        for (const std::string &c : Host_Calls())
          for (const unsigned char ch : c + "\n") h = (h ^ ch) * 1099511628211ull;
        char line[96];
        std::snprintf(line, sizeof line, "type %d rolled %d variant %d: %zu calls, %016llx\n", type, rolled, variant,
                      Host_Calls().size(), static_cast<unsigned long long>(h));
        prints += line;
      }
      Reset_Profil(&p);
    }
  const std::string path = std::string(PF_SOURCE_DIR) + "/tests/drawing/golden/every_shape_screen.txt";
  if (std::getenv("PF_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << prints;
  EXPECT_EQ(Read_File_Bytes(path), prints) << "PF_UPDATE_GOLDEN=1 rewrites it";
}
