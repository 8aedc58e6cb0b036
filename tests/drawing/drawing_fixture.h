// Fixtures of the section-plot tests: a print list in a temporary file, the section
// fixtures (mm) and the parsed graphic block read back in world mm.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "drawing_base/drawing_base.h"
#include "host/host_test.h"
#include "print/print.h"
#include "tests/testsupport/oliframe.h"
#include "tests/testsupport/olireader.h"
#include "tests/testsupport/olirender.h"

inline std::string Read_File_Bytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A directive of the block with its points in world mm.
struct WORLD_ITEM {
  int code;
  std::vector<double> numbers;              // as read (paper)
  std::vector<std::array<double, 2>> pts;   // " 1": both ends; " 18": the points; " 9": the anchor
  std::string text;
};

// The one block of a free-standing plot drawn at scale S, in world mm.
struct PLOTTED {
  OLI_DOCUMENT doc;
  std::string bytes;
  OLI_BLOCK_FRAME frame;
  std::vector<WORLD_ITEM> items;
  double S;
};

// The screen tests of the drawing routines: a fresh canvas, the drawing module as at
// program start, the screen colours set up (c_) and an empty call trace.
class DrawingScreenTest : public HostScreenTest {
 protected:
  void SetUp() override {
    HostScreenTest::SetUp();
    Reset_Drawing_For_Tests();
    Init_Screen_Colors();
    c_ = Get_Screen_Colors();
    Host_Clear_Calls();
  }
  const SCREEN_COLORS *c_ = nullptr;
};

class SectionPlot : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Print_For_Tests();
    Reset_Drawing_Base_For_Tests();
    Reset_Drawing_For_Tests();
    Init_Plot_Palette();
    path_ = ::testing::TempDir() + "drawing_" + std::to_string(getpid()) + ".oli";
  }
  void TearDown() override {
    Reset_Print_For_Tests();
    std::remove(path_.c_str());
  }
  // Draws with the fixture options (fill pal_blue_light, line type 1, colour 0), changed by
  // set when given, and reads the list back. Free-standing, the frame follows the plot's
  // extent rule; with a scale set, the plot is inset into a block of (−100, −100)–(300, 300)
  // at 0.02.
  PLOTTED Draw(const PROFIL *p, bool polygon, int flags, int axis_mode, int dims, double W, double H,
               const std::function<void(PROFIL_PLOT_OPTIONS &)> &set = nullptr) {
    PLOTTED r;
    FILE *f = Open_Druckliste(path_.c_str());
    EXPECT_NE(f, nullptr);
    PROFIL_PLOT_OPTIONS o;
    Reset_Profil_Plot_Options(&o);
    o.fill_color = Get_Plot_Palette()->pal_blue_light;
    o.line_type = 1;
    o.line_color = 0;
    o.profil = p;
    if (set) set(o);
    const bool inset = o.scale > 0;
    if (inset) {
      EXPECT_EQ(0, Oliplot_Begin_Grafic(f, -100, 300, 300, -100, 0.02, 0.02, 0, 0));
      Oliplot_Set_Extended_Mode(1);
    }
    r.S = polygon ? Plot_Polygon_Querschnitt(&o, f, flags, axis_mode, dims)
                  : Plot_Profil_Querschnitt(&o, f, flags, axis_mode, dims);
    if (inset) Oliplot_End_Grafic(f);
    Close_Druckliste(f);
    r.bytes = Read_File_Bytes(path_);
    EXPECT_EQ(0, Read_Oli_Text(r.bytes.data(), r.bytes.size(), &r.doc)) << r.bytes;
    const double m = dims ? 1.0 : 0.4;
    r.frame = inset ? OLI_BLOCK_FRAME{-100, 300, 300, -100, 0.02, 0.02, 0, 0}
                    : OLI_BLOCK_FRAME{-m * r.S, H + 0.4 * r.S, polygon ? W + 0.4 * r.S : W + m * r.S, -m * r.S,
                                      1 / r.S, 1 / r.S, 0, 0};
    To_World(&r);
    return r;
  }
  // The directives of the one block with their points in world units of r->frame.
  static void To_World(PLOTTED *r) {
    if (r->doc.graphics.size() != 1) return;
    for (const OLI_PRIMITIVE &pr : r->doc.graphics[0].items) {
      WORLD_ITEM w{pr.code, pr.numbers, {}, pr.text};
      auto add = [&](double X, double Y) {
        double x, z;
        Oli_Paper_To_World(r->frame, X, Y, &x, &z);
        w.pts.push_back({x, z});
      };
      if (pr.code == 1 && pr.numbers.size() >= 4) {
        add(pr.numbers[0], pr.numbers[1]);
        add(pr.numbers[2], pr.numbers[3]);
      } else if (pr.code == 18) {
        for (auto &pt : pr.points) add(pt[0], pt[1]);
      } else if (pr.code == 9 && pr.numbers.size() >= 2) {
        add(pr.numbers[0], pr.numbers[1]);
      }
      r->items.push_back(w);
    }
  }
  // Compares the list with tests/drawing/golden/<name>; PF_UPDATE_GOLDEN=1 rewrites it.
  void Check_Golden(const std::string &bytes, const std::string &name) {
    const std::string path = std::string(PF_SOURCE_DIR) + "/tests/drawing/golden/" + name;
    const char *update = std::getenv("PF_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
      std::ofstream(path, std::ios::binary) << bytes;
      return;
    }
    EXPECT_EQ(Read_File_Bytes(path), bytes) << "golden " << name << " differs (PF_UPDATE_GOLDEN=1 rewrites it)";
  }
  // Renders the block as oli2png does, writes <name>.png into the test's working folder
  // (the build tree) for a person to look at, and checks the colour at world points.
  struct PIXEL_PROBE {
    double x, z;
    int r, g, b;
  };
  void Check_Rendered(const PLOTTED &r, const std::string &name, std::initializer_list<PIXEL_PROBE> probes) {
    ASSERT_EQ(1u, r.doc.graphics.size());
    const OLI_RASTER raster = Render_Oli_Graphic(r.doc.graphics[0]);
    EXPECT_EQ(0, Write_Oli_Raster_Png((name + ".png").c_str(), raster));
    for (const PIXEL_PROBE &p : probes) {
      double X, Y;
      int col, row;
      Oli_World_To_Paper(r.frame, p.x, p.z, &X, &Y);
      ASSERT_TRUE(Oli_Raster_Pixel_Of(raster, X, Y, &col, &row)) << p.x << ", " << p.z;
      const std::array<int, 3> want{p.r, p.g, p.b};
      EXPECT_EQ(want, Oli_Raster_Color(raster, col, row)) << name << " at world (" << p.x << ", " << p.z << ")";
    }
  }
  std::string path_;
};

// A filled polygon of the block with the colour and fill code it was drawn in.
struct WORLD_FILL {
  std::vector<std::array<double, 2>> pts;
  int code;
  int r, g, b;
};

// The fills of a block in order with the colour and fill code set before each (every
// writer sets both inside the fill's own state bracket).
inline std::vector<WORLD_FILL> Fills(const PLOTTED &r) {
  std::vector<WORLD_FILL> out;
  int code = 0, rgb[3] = {0, 0, 0};
  for (const WORLD_ITEM &w : r.items) {
    if (w.code == 20 && !w.numbers.empty()) code = static_cast<int>(w.numbers[0]);
    if (w.code == 50 && w.numbers.size() == 3)
      for (int k = 0; k < 3; ++k) rgb[k] = static_cast<int>(w.numbers[k]);
    if (w.code == 18) out.push_back(WORLD_FILL{w.pts, code, rgb[0], rgb[1], rgb[2]});
  }
  return out;
}

// Signed area and centroid of a closed polygon.
inline double Polygon_Area(const std::vector<std::array<double, 2>> &p, double *cx = nullptr, double *cz = nullptr) {
  double a = 0, sx = 0, sz = 0;
  for (size_t i = 0; i < p.size(); ++i) {
    const auto &u = p[i], &v = p[(i + 1) % p.size()];
    double c = u[0] * v[1] - v[0] * u[1];
    a += c;
    sx += (u[0] + v[0]) * c;
    sz += (u[1] + v[1]) * c;
  }
  if (cx) *cx = sx / (3 * a);
  if (cz) *cz = sz / (3 * a);
  return a / 2;
}

// The anchors of every text equal to t.
inline std::vector<std::array<double, 2>> Text_Anchors(const PLOTTED &r, const std::string &t) {
  std::vector<std::array<double, 2>> out;
  for (const WORLD_ITEM &w : r.items)
    if (w.code == 9 && w.text == t && !w.pts.empty()) out.push_back(w.pts[0]);
  return out;
}

// Whether a " 1" segment runs between the two points (either way) within tol.
inline bool Has_Segment(const PLOTTED &r, double x1, double z1, double x2, double z2, double tol = 1e-3) {
  auto near = [&](const std::array<double, 2> &p, double x, double z) {
    return std::fabs(p[0] - x) < tol && std::fabs(p[1] - z) < tol;
  };
  for (const WORLD_ITEM &w : r.items)
    if (w.code == 1 && w.pts.size() == 2 &&
        ((near(w.pts[0], x1, z1) && near(w.pts[1], x2, z2)) || (near(w.pts[0], x2, z2) && near(w.pts[1], x1, z1))))
      return true;
  return false;
}
