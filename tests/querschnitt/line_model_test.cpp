// The line model: wall areas and outlines computed by the thin-walled solver.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include <string>
#include <unistd.h>

#include "print/print.h"
#include "querschnitt/querschnitt.h"
#include "support/support.h"
#include "tests/testsupport/oliframe.h"
#include "tests/testsupport/olireader.h"

namespace {
double Outline_Area(const QMODEL *m, int k) {
  double a = 0;
  int first = m->outline_first[k], n = m->outline_first[k + 1] - first;
  for (int i = 0; i < n; ++i) {
    int j = first + (i + 1) % n;
    a += m->outline_y[first + i] * m->outline_z[j] - m->outline_y[j] * m->outline_z[first + i];
  }
  return std::fabs(a) / 2;
}
}  // namespace

// A straight wall 100 × 10 mm and a half circle of rise 50 (centre-line radius 50): the
// outline polygons hold their areas, the arc's chords span at most π/64.
TEST(LineModel, OutlinesHoldTheWallAreas) {
  QMODEL *m = Create_Line_Model(4, 2);
  ASSERT_NE(nullptr, m);
  Set_Line_Model_Node(m, 0, 0, 0);
  Set_Line_Model_Node(m, 1, 100, 0);
  Set_Line_Model_Node(m, 2, 300, 0);
  Set_Line_Model_Node(m, 3, 400, 0);
  EXPECT_EQ(1, Set_Line_Model_Line(m, 0, 0, 1, 0, 10, 10, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(1, Set_Line_Model_Line(m, 1, 2, 3, 50, 10, 10, 0, 0, 0, 0, 0, 0));
  ASSERT_EQ(0, Calc_Line_Model_Section(m));
  EXPECT_NEAR(1000, Outline_Area(m, 0), 1e-6);
  EXPECT_NEAR(M_PI * 50 * 10, m->area - 1000, 2.0);  // the solver integrates its own chords
  EXPECT_NEAR(M_PI * 50 * 10, Outline_Area(m, 1), M_PI * 50 * 10 * 0.001);
  EXPECT_GE(m->outline_first[2] - m->outline_first[1], 2 * 64);
  EXPECT_NEAR(0, m->y_min, 1e-9);
  EXPECT_NEAR(405, m->y_max, 1e-6);  // the half circle's outer face
  EXPECT_NEAR(55, m->z_max, 1e-6);  // the arc bulges left: toward +z
  EXPECT_NEAR(-5, m->z_min, 1e-6);
  Free_Line_Model(m);
}

TEST(LineModel, BadInputAndFailedComputation) {
  EXPECT_EQ(nullptr, Create_Line_Model(-1, 2));
  EXPECT_EQ(nullptr, Create_Line_Model(2, 100001));
  QMODEL *m = Create_Line_Model(2, 1);
  EXPECT_EQ(0, Set_Line_Model_Line(m, 1, 0, 1, 0, 10, 10, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(0, Set_Line_Model_Line(m, 0, 0, 2, 0, 10, 10, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(0, Set_Line_Model_Line(nullptr, 0, 0, 1, 0, 10, 10, 0, 0, 0, 0, 0, 0));
  Set_Line_Model_Node(m, 0, 5, 5);
  Set_Line_Model_Node(m, 1, 5, 5);  // the line's nodes coincide
  EXPECT_EQ(1, Set_Line_Model_Line(m, 0, 0, 1, 0, 10, 10, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(2, Calc_Line_Model_Section(m));
  EXPECT_EQ(2, m->status);
  EXPECT_EQ(1, Calc_Line_Model_Section(nullptr));
  long live = Tools_Live_Blocks();
  Free_Line_Model(m);  // the model, its nodes, lines and outline index
  live -= 4;
  Free_Line_Model(nullptr);
  EXPECT_EQ(live, Tools_Live_Blocks());
}

// The plot of a model into an open graphic block: each wall's area as a filled polygon of
// its outline placed at (y0 + ky·y, z0 + kz·z), then its edges, in one state bracket; with
// the program-start style (black fill, code 0, pen 1) and with the fill left out.
TEST(LineModel, PlotOfTheWallAreas) {
  QMODEL *m = Create_Line_Model(3, 2);
  Set_Line_Model_Node(m, 0, 0, 0), Set_Line_Model_Node(m, 1, 100, 0), Set_Line_Model_Node(m, 2, 100, 60);
  Set_Line_Model_Line(m, 0, 0, 1, 0, 10, 10, 0, 0, 0, 0, 0, 0);
  Set_Line_Model_Line(m, 1, 1, 2, 0, 8, 8, 0, 0, 0, 0, 0, 0);
  ASSERT_EQ(0, Calc_Line_Model_Section(m));
  const std::string path = ::testing::TempDir() + "line_model_" + std::to_string(getpid()) + ".oli";
  const OLI_BLOCK_FRAME frame{-100, 200, 300, -100, 0.02, 0.02, 0, 0};
  for (const bool fill : {true, false}) {
    SCOPED_TRACE(fill);
    Reset_Print_For_Tests();
    Reset_Querschnitt_For_Tests();
    if (!fill) Set_Line_Model_Plot_Style(-1, 0, 0, 0, 0, 255, 2, 5);
    FILE *f = Open_Druckliste(path.c_str());
    ASSERT_EQ(0, Oliplot_Begin_Grafic(f, frame.x_min, frame.z_max, frame.x_max, frame.z_min, frame.sx, frame.sz, 0, 0));
    Write_Line_Model_Plot(f, m, 20, 30, 1, -1);
    Oliplot_End_Grafic(f);
    Close_Druckliste(f);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    OLI_DOCUMENT doc;
    ASSERT_EQ(0, Read_Oli_Text(bytes.data(), bytes.size(), &doc)) << bytes;
    ASSERT_EQ(doc.graphics.size(), 1u);
    int polygons = 0, segments = 0;
    double x_max = -1e9, z_min = 1e9;
    for (const OLI_PRIMITIVE &p : doc.graphics[0].items) {
      if (p.code == 18) {
        ++polygons;
        for (const auto &pt : p.points) {
          double x, z;
          Oli_Paper_To_World(frame, pt[0], pt[1], &x, &z);
          x_max = std::fmax(x_max, x), z_min = std::fmin(z_min, z);
        }
      }
      segments += p.code == 1;
    }
    EXPECT_EQ(polygons, fill ? 2 : 0);
    EXPECT_EQ(segments, m->outline_points);  // every outline closed
    if (fill) {
      EXPECT_NEAR(x_max, 20 + 104, 1e-3);  // the web's outer face at y 104
      EXPECT_NEAR(z_min, 30 - 60, 1e-3);   // its top at z 60, turned by kz −1
      EXPECT_NE(bytes.find(" 20  0\n"), std::string::npos);
    }
    EXPECT_NE(bytes.find(fill ? " 4 1\n" : " 4 2\n"), std::string::npos);
  }
  Write_Line_Model_Plot(nullptr, m, 0, 0, 1, 1);
  {  // a model never computed writes nothing
    QMODEL *fresh = Create_Line_Model(2, 1);
    Set_Line_Model_Node(fresh, 0, 0, 0), Set_Line_Model_Node(fresh, 1, 100, 0);
    Set_Line_Model_Line(fresh, 0, 0, 1, 0, 10, 10, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(fresh->status, -1);
    Reset_Print_For_Tests();
    FILE *f = Open_Druckliste(path.c_str());
    ASSERT_EQ(0, Oliplot_Begin_Grafic(f, frame.x_min, frame.z_max, frame.x_max, frame.z_min, frame.sx, frame.sz, 0, 0));
    const long before = std::ftell(f);
    Write_Line_Model_Plot(f, fresh, 0, 0, 1, 1);
    EXPECT_EQ(std::ftell(f), before);
    Oliplot_End_Grafic(f);
    Close_Druckliste(f);
    Free_Line_Model(fresh);
  }
  std::remove(path.c_str());
  Reset_Querschnitt_For_Tests();
  Free_Line_Model(m);
}
