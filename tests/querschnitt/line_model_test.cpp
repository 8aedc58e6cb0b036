// The line model: wall areas and outlines computed by the thin-walled solver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <string>
#include <vector>
#include <unistd.h>

#include "dwqb/dwqb.h"
#include "dwqb/dwqb_stress.h"
#include "host/host.h"
#include "print/print.h"
#include "querschnitt/querschnitt.h"
#include "sections/sections.h"
#include "support/shell.h"
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

// An unsymmetric section (cm): a base tapered 1.0 → 0.6, an arc of rise 1.5 with a fillet of
// 0.5 on its inner side at the base, a thin lip whose first end is turned by 0.3 rad.
namespace {
struct RefLine {
  int a, b;
  double v[9];
};
const double kY[4] = {0, 10, 10, 4}, kZ[4] = {0, 0, 6, 9};
const RefLine kLines[3] = {{0, 1, {1.0, 0.6, 0, 0, 0, 0, 0, 0, 0}},
                           {1, 2, {0.8, 0.8, 1.5, 0, 0, 0.5, 0, 0, 0}},
                           {2, 3, {0.5, 0.5, 0, 0.3, 0, 0, 0, 0, 0}}};
const int kCompared[] = {DWQB_V_A, DWQB_V_IM, DWQB_V_IN, DWQB_V_IMN, DWQB_V_IT, DWQB_V_YS, DWQB_V_ZS};

// The values of the solver fed directly; straight: without the rise and the turned end.
std::vector<double> Solver_Values(bool straight) {
  Reset_DWQB_Querschnitt();
  Get_DWQB_Header()->options |= DWQB_OPT_PART_MODE;
  for (int i = 0; i < 4; ++i) Add_DWQB_Node(i + 1, kY[i], kZ[i]);
  for (int k = 0; k < 3; ++k) {
    double v[9];
    std::copy(kLines[k].v, kLines[k].v + 9, v);
    if (straight) v[2] = v[3] = 0;
    Add_DWQB_Line(k + 1, 0, kLines[k].a + 1, kLines[k].b + 1, v);
  }
  EXPECT_EQ(Calc_DWQB_Querschnitt(), 0);
  std::vector<double> out;
  for (int k : kCompared) out.push_back(Get_DWQB_Values()->v[k]);
  return out;
}

int Ref_Node(int index, XPRT_NODE *out) {
  *out = XPRT_NODE{index + 1, kY[index], kZ[index]};
  return 1;
}
int Ref_Line(int index, XPRT_LINE *out) {
  const double *v = kLines[index].v;
  *out = XPRT_LINE{index + 11, kLines[index].a + 1, kLines[index].b + 1, 0, v[0], v[1], 0, {0, 0}, v[5], v[6], v[7], v[8]};
  return 1;
}

}  // namespace

// The line model in mm, 100 mm higher, and the same walls imported into the catalogue give
// the solver's own values (the import without arc and turned end; its frame moves). The
// imported record's stress points hold the nodes of the outline's triangulation (the fillet,
// the tapered base's faces): under N with both moments its extremes are the triangulation's.
TEST(LineModel, LineModelAndImportAgreeWithTheSolver) {
  Host_Reset();
  const std::vector<double> want = Solver_Values(false), plain = Solver_Values(true);
  QMODEL *m = Create_Line_Model(5, 4);  // node 4 and line 3 unused
  for (int i = 0; i < 4; ++i) Set_Line_Model_Node(m, i, 10 * kY[i] + 50, 10 * kZ[i] + 100);
  for (int k = 0; k < 3; ++k) {
    const double *v = kLines[k].v;
    Set_Line_Model_Line(m, k, kLines[k].a, kLines[k].b, 10 * v[2], 10 * v[0], 10 * v[1], v[3], v[4], 10 * v[5],
                        10 * v[6], 10 * v[7], 10 * v[8]);
  }
  ASSERT_EQ(Calc_Line_Model_Section(m), 0);
  for (size_t k = 0; k < want.size(); ++k)
    EXPECT_NEAR(Get_DWQB_Values()->v[kCompared[k]], want[k] + (kCompared[k] == DWQB_V_ZS ? 10 : kCompared[k] == DWQB_V_YS ? 5 : 0), 1e-9) << k;
  EXPECT_NEAR(m->area, 100 * want[0], 1e-6);
  EXPECT_EQ(m->nodes[3].set * 10 + m->nodes[4].set, 10);
  // Bounds: the base from y 50 with its lower face at 95, the arc's crown out to y 165.2;
  // each arc chord spans at most π/64 (the arc 2 × 38 chords, the fillet its own).
  EXPECT_NEAR(m->z_min, 95, 1e-9);
  EXPECT_NEAR(m->y_min, 50, 1e-9);
  EXPECT_NEAR(m->y_max, 165.204299, 1e-6);
  EXPECT_EQ(std::vector<int>({m->outline_first[1], m->outline_first[2], m->outline_first[3], m->outline_first[4]}),
            std::vector<int>({28, 28 + 105, 28 + 105 + 6, 28 + 105 + 6}));
  Free_Line_Model(m);

  Set_Bauteil_Path((std::filesystem::path(::testing::TempDir()) / ("LM" + std::to_string(getpid()))).c_str());
  const XPRT_REQUEST request{"ref", 14, 4, 3, Ref_Node, Ref_Line, nullptr};
  QIMPORT_ENTRY *entry = Write_XPRT_File(&request);
  ASSERT_NE(entry, nullptr);
  QUERSCHNITT q{};
  Init_Querschnitt_Record(&q);
  ASSERT_EQ(1, Set_Querschnitt_Imported(&q, 0, 100, entry));
  ASSERT_EQ(1, Calc_Querschnitt_Values(&q, 0.5, 2));
  for (size_t k = 0; k + 2 < plain.size(); ++k) EXPECT_NEAR(q.values[kCompared[k]], plain[k], 1e-9) << k;
  ASSERT_EQ(q.n_parts, 3);  // the plates of lines 11, 12, 13
  for (int k = 0; k < 3; ++k) EXPECT_EQ(q.parts[k].line * 10 + q.parts[k].list_pos, 110 + 11 * k);
  ASSERT_GT(Calc_Profil_Point_Stresses(-20, 0, 0, 0, 300, -150, 0, 0), 0);
  DWQB_OUTLINE_TRIANGULATION *tri = Calc_DWQB_OUTLINE_TRIANGULATION(DWQB_FRAME_CENTROID, 0, 0, DWQB_ANGLE_Y, 0,
                                                                    DWQB_FRAME_SHEAR_CENTRE, 0, 0, nullptr);
  ASSERT_NE(tri, nullptr);
  const double F[8] = {-20, 300, -150};
  double lo[3], hi[3];
  ASSERT_EQ(1, Calc_DWQB_OUTLINE_TRIANGULATION_NODE_Stresses_MinMax(tri, F, lo, hi));
  EXPECT_EQ(q.n_outline, tri->n_nodes);
  Free_DWQB_OUTLINE_TRIANGULATION(tri);
  EXPECT_NEAR(q.extreme[QS_EX_SIGMA_MIN], lo[0], 1e-9 * std::fabs(lo[0]));
  EXPECT_NEAR(q.extreme[QS_EX_SIGMA_MAX], hi[0], 1e-9 * std::fabs(hi[0]));
  // A polygon model (thick-walled) has no thin-walled model.
  std::ofstream(Get_XPRT_Path()) << "OBJECT\n2 0 0\nNEWPOLYS\n1 3\n1 0 0 0 0\n2 1 0 0 0\n3 0 1 0 0\n-1 0\n";
  QIMPORT_ENTRY *polygon = New_QImport_Entry();
  ASSERT_EQ(Read_XPRT_Result(polygon), 1);
  ASSERT_EQ(1, Set_Querschnitt_Imported(&q, 0, 100, polygon));
  EXPECT_EQ(0, Calc_Querschnitt_Values(&q, 0.5, 1));
  Free_Querschnitt_Record(&q);
  std::remove(Get_XPRT_Path());
  Host_Reset();
}

TEST(LineModel, BadInputAndFailedComputation) {
  EXPECT_EQ(nullptr, Create_Line_Model(-1, 2));
  EXPECT_EQ(nullptr, Create_Line_Model(2, 100001));
  QMODEL *big = Create_Line_Model(100000, 100000);
  ASSERT_NE(nullptr, big);
  Free_Line_Model(big);
  // A line set again counts at its new nodes only.
  QMODEL *again = Create_Line_Model(3, 1);
  Set_Line_Model_Line(again, 0, 0, 1, 0, 10, 10, 0, 0, 0, 0, 0, 0);
  Set_Line_Model_Line(again, 0, 1, 2, 0, 10, 10, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(again->nodes[0].use_count * 100 + again->nodes[1].use_count * 10 + again->nodes[2].use_count, 11);
  Free_Line_Model(again);
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

// The bytes of one plot of the model into a graphic block (extended mode: colours as
// "50 r g b"); null when the model writes nothing.
static std::string Plot(const QMODEL *m) {
  const std::string path = ::testing::TempDir() + "line_model_" + std::to_string(getpid()) + ".oli";
  Reset_Print_For_Tests();
  FILE *f = Open_Druckliste(path.c_str());
  Oliplot_Begin_Grafic(f, -100, -100, 300, 200, 0.02, 0.02, 0, 0);
  Oliplot_Set_Extended_Mode(1);
  const long before = std::ftell(f);
  Write_Line_Model_Plot(f, m, 20, 30, 1, -1);
  const bool wrote = std::ftell(f) != before;
  Oliplot_End_Grafic(f);
  Close_Druckliste(f);
  std::ifstream in(path, std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(in), {}};
  std::remove(path.c_str());
  return wrote ? bytes : "";
}

// The plot of a model: each wall's area as a filled polygon of its outline placed at
// (y0 + ky·y, z0 + kz·z), then its closed edges, in one state bracket; with the program-start
// style (black fill, code 0, pen 1), colours of their own, the fill or the edges left out.
TEST(LineModel, PlotOfTheWallAreas) {
  QMODEL *m = Create_Line_Model(3, 2);
  Set_Line_Model_Node(m, 0, 0, 0), Set_Line_Model_Node(m, 1, 100, 0), Set_Line_Model_Node(m, 2, 100, 60);
  Set_Line_Model_Line(m, 0, 0, 1, 0, 10, 10, 0, 0, 0, 0, 0, 0);
  Set_Line_Model_Line(m, 1, 1, 2, 0, 8, 8, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Plot(m), "");  // not computed yet
  ASSERT_EQ(0, Calc_Line_Model_Section(m));
  const OLI_BLOCK_FRAME frame{-100, 200, 300, -100, 0.02, 0.02, 0, 0};
  const struct {
    int style[8];  // r1 g1 b1 r2 g2 b2 pen fill_code; r1 −2: the program-start style
    int polygons, segments;
    std::vector<std::string> has;
  } cases[] = {{{-2}, 2, m->outline_points, {"50 0 0 0\n 20  0\n", " 4 1\n"}},
               {{10, 20, 30, 40, 50, 60, 2, 5}, 2, m->outline_points, {"50 10 20 30\n", "50 40 50 60\n 4 2\n"}},
               {{-1, 0, 0, 0, 0, 255, 3, 5}, 0, m->outline_points, {"50 0 0 255\n 4 3\n"}},
               {{0, 0, 0, 0, 0, 0, -1, 0}, 2, 0, {}}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.style[0]);
    Reset_Querschnitt_For_Tests();
    const int *k = c.style;
    if (k[0] != -2) Set_Line_Model_Plot_Style(k[0], k[1], k[2], k[3], k[4], k[5], k[6], k[7]);
    const std::string bytes = Plot(m);
    OLI_DOCUMENT doc;
    ASSERT_EQ(0, Read_Oli_Text(bytes.data(), bytes.size(), &doc)) << bytes;
    ASSERT_EQ(doc.graphics.size(), 1u);
    int polygons = 0, segments = 0;
    double x_max = -1e9, z_min = 1e9;
    for (const OLI_PRIMITIVE &p : doc.graphics[0].items) {
      polygons += p.code == 18, segments += p.code == 1;
      for (const auto &pt : p.points) {
        double x, z;
        Oli_Paper_To_World(frame, pt[0], pt[1], &x, &z);
        x_max = std::fmax(x_max, x), z_min = std::fmin(z_min, z);
      }
    }
    EXPECT_EQ(polygons * 1000 + segments, c.polygons * 1000 + c.segments);
    if (c.polygons) {
      EXPECT_NEAR(x_max, 20 + 104, 1e-3);  // the web's outer face at y 104
      EXPECT_NEAR(z_min, 30 - 60, 1e-3);   // its top at z 60, turned by kz −1
    }
    for (const std::string &h : c.has) EXPECT_NE(bytes.find(h), std::string::npos) << h << bytes;
  }
  Write_Line_Model_Plot(nullptr, m, 0, 0, 1, 1);
  Reset_Querschnitt_For_Tests();
  FILE *loose = std::tmpfile();  // no graphic block open on it
  Write_Line_Model_Plot(loose, m, 0, 0, 1, 1);
  EXPECT_EQ(std::ftell(loose), 0);
  std::fclose(loose);
  Reset_Querschnitt_For_Tests();
  Free_Line_Model(m);
}
