// Section records of the catalogue: plate parts, stresses, records and the check sections.
// Reference values: EN 10365 IPE 300 (h 300, b 150, t_w 7.1, t_f 10.7, r 15 mm); stresses
// by σ = M z / I_y on the centre-line model.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "dwqb/dwqb.h"
#include "dwqb/dwqb_stress.h"
#include "host/host.h"
#include "materials/materials.h"
#include "profil/profil.h"
#include "profil/profil_shapes.h"
#include "querschnitt/querschnitt.h"
#include "querschnitt/querschnitt_internal.h"
#include "support/shell.h"

namespace {

class Catalogue : public ::testing::Test {
 protected:
  // Exports go to a member file in a folder of their own.
  void SetUp() override {
    Host_Reset();
    dir_ = std::filesystem::path(::testing::TempDir()) / ("qs_catalogue_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_);
    Set_Bauteil_Path((dir_ / "M").c_str());
  }
  void TearDown() override {
    Free_Querschnitt_Record(&q_);
    Reset_Profil(&p_);
    Host_Reset();
    std::filesystem::remove_all(dir_);
  }
  // A welded parametric profile, grade S235, section values computed.
  void Welded(int type, double h, double tw, double bo, double to, double bu, double tu) {
    Reset_Profil(&p_);
    Init_Material_Data(&p_.grade);
    Set_Shape(&p_, type, h, tw, bo, to, bu, tu, 0);
    ASSERT_EQ(0, Calc_Profil_Querschnittswerte(&p_, nullptr, 0, ""));
  }
  std::filesystem::path dir_;
  QUERSCHNITT q_{};
  PROFIL p_{};
};

// Plate parts: c/t and kinds of rolled, welded and tube sections; IPE 300 under
// M_y = 100 kNm: widths and end stresses (centre line at the cuts) and the extremes.
TEST_F(Catalogue, PlatePartsOfRolledWeldedAndTubeSections) {
  const std::vector<double> ipe = {35.01, 5.276, 5.276, 5.276, 5.276}, welded = {37.0, 6.333, 6.333, 6.333, 6.333};
  struct Case {
    int type;  // 0: library IPE 300
    double h, tw, b, tf;
    std::vector<double> ct;  // descending
    int kind;                // largest kind
  } cases[] = {{0, 0, 0, 0, 0, ipe, 2},
               {PROFIL_I, 400, 10, 200, 15, welded, 2},
               {PROFIL_I, 100, 10, 30, 20, {6.0, 1, 1, 1, 1}, 2},  // outstands c/t 0.5 count as 1
               {PROFIL_CHS, 88.9, 5.0, 0, 0, {17.78}, -1},
               {PROFIL_FLAT, 100, 10, 0, 0, {}, -2}};
  double o[4];
  for (const Case &c : cases) {
    SCOPED_TRACE(c.type);
    if (c.type == 0) {
      ASSERT_EQ(0, Set_Profil_by_Library_Name(&p_, "IPE300"));
    } else {
      Welded(c.type, c.h, c.tw, c.b, c.tf, c.b, c.tf);
    }
    ASSERT_EQ(0, Build_Profil_Plate_Section(&p_, 0, 100, 0, 0, 0, 0, 0, 0, o, o + 1, o + 2, o + 3));
    std::vector<double> ct;
    int largest_kind = -2;
    for (int i = 0; Get_Profil_Plate_Part(i, nullptr, nullptr, nullptr) != -2; ++i) {
      double r;
      largest_kind = std::max(largest_kind, Get_Profil_Plate_Part(i, &r, nullptr, nullptr));
      ct.push_back(r);
    }
    std::sort(ct.begin(), ct.end(), std::greater<>());
    EXPECT_EQ(largest_kind, c.kind);
    if (c.type == PROFIL_CHS) {  // the tube wall's end stresses are the section's extremes
      double sa = 0, sb = 0;
      ASSERT_EQ(Get_Profil_Plate_Part(0, nullptr, &sa, &sb), -1);
      EXPECT_NEAR(sa, o[1], 1e-9);
      EXPECT_NEAR(sb, o[0], 1e-9);
      EXPECT_LT(sa, -1.0);
    }
    ASSERT_EQ(ct.size(), c.ct.size());
    for (size_t i = 0; i < ct.size(); ++i) EXPECT_NEAR(ct[i], c.ct[i], 0.005);
    if (c.type != 0) continue;
    const QUERSCHNITT *cur = Get_Querschnitt_Current();
    EXPECT_EQ(cur->n_lines * 100 + cur->n_points, 5 * 100 + 5 * 33);
    for (int i = 0; i < 5; ++i) {
      const QS_PLATE_PART &pp = cur->parts[i];
      const bool web = pp.kind == 2;
      // M_y compresses the top: the stress at a cut has the sign of its place below the centroid.
      const DWQB_LINE *L = Find_DWQB_Line_Record(pp.line);
      ASSERT_NE(L, nullptr);
      double y_a, z_a;
      Get_DWQB_Line_Centre_Point(L, pp.s_a, &y_a, &z_a);
      EXPECT_EQ(pp.sigma_a > 0, z_a > cur->values[DWQB_V_ZS]) << i;
      EXPECT_NEAR(10 * pp.c, web ? 248.6 : 56.45, 0.05);
      EXPECT_NEAR(pp.sigma_a, web ? -pp.sigma_b : pp.sigma_b, 1e-6);
      EXPECT_NEAR(std::fabs(pp.sigma_a), web ? 148.76 : 173.11, 0.35);
    }
    EXPECT_NEAR(o[0], 179.51, 179.51 * 0.002);
    EXPECT_NEAR(o[1], -179.51, 179.51 * 0.002);
  }
}

// IPE 300 under V_z = 100 kN: the largest shear stress at mid-web; the unequal angle
// under every force gives the solver's own normal stresses in the y/z frame.
TEST_F(Catalogue, PointStressesAgainstTheSolver) {
  ASSERT_EQ(0, Set_Profil_by_Library_Name(&p_, "IPE300"));
  double o[4];
  ASSERT_EQ(0, Build_Profil_Plate_Section(&p_, 0, 0, 0, 0, 100, 0, 0, 0, o, o + 1, o + 2, o + 3));
  EXPECT_NEAR(o[2], 52.96, 52.96 * 0.005);
  const QUERSCHNITT *q = Get_Querschnitt_Current();
  // Shear alone: τ as magnitudes, 0 at the flange tips; σ_v = √3 τ.
  const double *ex = q->extreme;
  EXPECT_EQ(ex[QS_EX_TAU_MIN] + ex[QS_EX_SV_MIN], 0.0);
  EXPECT_NEAR(ex[QS_EX_SV_MAX], std::sqrt(3.0) * ex[QS_EX_TAU_MAX], 1e-9);
  const double *mid = q->points + q->extreme_point[QS_EX_TAU_MAX] * QS_PT_COUNT;
  EXPECT_NEAR(mid[QS_PT_Y], q->values[DWQB_V_YS], 0.01);
  EXPECT_NEAR(mid[QS_PT_Z], q->values[DWQB_V_ZS], 0.01);

  Welded(PROFIL_ANGLE, 150, 10, 90, 12, 0, 0);
  QUERSCHNITT *s = Build_Profil_Stress_Section(&p_, 0, 0);
  ASSERT_NE(s, nullptr);
  const double N = 30, My = 500, Mz = -800;
  ASSERT_GT(Calc_Profil_Point_Stresses(N, 0, 0, 0, My, Mz, 0, 0), 0);
  double lo = 1e30, hi = -1e30;
  for (int p = 0; p < s->n_points + s->n_outline; ++p) {
    double c[3];
    Calc_DWQB_Normal_Stress_Plane(s->points[p * QS_PT_COUNT], s->points[p * QS_PT_COUNT + 1], DWQB_FRAME_CENTROID, 0,
                                  0, DWQB_ANGLE_Y, 0, c);
    const double sigma = c[0] * N + c[1] * My + c[2] * Mz;
    lo = std::min(lo, sigma), hi = std::max(hi, sigma);
  }
  EXPECT_NEAR(s->extreme[QS_EX_SIGMA_MIN], lo, 1e-9);
  EXPECT_NEAR(s->extreme[QS_EX_SIGMA_MAX], hi, 1e-9);
  EXPECT_NEAR(s->extreme[QS_EX_SIGMA_ABS], std::max(-lo, hi), 1e-9);
}

// Library profiles of every kind: header type, symmetric webs, plate parts with their kinds
// and roles (IPE 300 web bent by M_y with M_z, UPN 200 web by M_y alone: its straight part
// between the root fillets on the sloped flanges, 151.1 mm (EN 10365: d = 151), QR 100×100×5 webs
// and flanges, two parts of 80 × 5 mm each), the tube's d/t (88.9/5). Under N, M_y and M_z
// every cut lies c apart from its partner, the first cut nearest the first end node, and
// each end stress is the solver's σ at that point on the centre line.
TEST_F(Catalogue, LibraryPartsRolesAndCutStresses) {
  const struct {
    const char *name;
    int type, web_shape;
    std::vector<int> kind_role;  // 10·kind + role per part; tube −10
    double A_web;                // cm², of the webs bent by M_y
  } cases[] = {{"IPE300", 1, QS_WEB_SHAPE_I, {0, 0, 0, 0, 21}, 17.651},
               {"UPN 200", 3, QS_WEB_SHAPE_CHANNEL, {0, 0, 22}, 15.114 * 0.85},
               {"QR100X100X5(w)", 4, QS_WEB_SHAPE_BOX, {23, 23, 22, 22}, 8.0},
               {"T100", 2, QS_WEB_SHAPE_NONE, {0, 10, 10}, 0},
               {"L100X10", 5, QS_WEB_SHAPE_NONE, {0, 0}, 0},
               {"R 88.9 x 5.0(w)", 7, QS_WEB_SHAPE_NONE, {-10}, 0}};
  const double N = -40, My = 300, Mz = -120;
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    Init_Querschnitt_Record(&q_);
    ASSERT_EQ(1, Set_Querschnitt_Profil(&q_, 0, 100, c.name));
    ASSERT_EQ(1, Calc_Querschnitt_Values(&q_, 0.5, 2));
    EXPECT_EQ(q_.view.header.type * 10 + q_.web_shape, c.type * 10 + c.web_shape);
    ASSERT_GT(Calc_Profil_Point_Stresses(N, 0, 0, 0, My, Mz, 0, 0), 0);
    std::vector<int> kind_role;
    for (int i = 0; i < q_.n_parts; ++i) {
      double A_web = -1;
      kind_role.push_back(10 * Get_Profil_Plate_Part(i, nullptr, nullptr, nullptr) + Get_Profil_Plate_Part_Web(i, &A_web));
      EXPECT_NEAR(A_web, q_.parts[i].web == QS_WEB_Z ? 8.0 : q_.parts[i].web ? c.A_web : 0, 1e-3);
    }
    EXPECT_EQ(kind_role, c.kind_role);
    if (c.type == 7) {  // the wall's ends take the section's extremes, here of unequal size
      EXPECT_NEAR(q_.parts[0].ct * 100 + q_.parts[0].c, 1778 + 8.89, 1e-3);
      EXPECT_EQ(q_.parts[0].sigma_a * 1000 + q_.parts[0].sigma_b,
                10 * q_.extreme[QS_EX_SIGMA_MIN] * 1000 + 10 * q_.extreme[QS_EX_SIGMA_MAX]);
      EXPECT_GT(q_.extreme[QS_EX_SIGMA_ABS], q_.extreme[QS_EX_SIGMA_MAX] + 1);
      continue;
    }
    for (int i = 0; i < q_.n_parts; ++i) {
      const QS_PLATE_PART &pp = q_.parts[i];
      const DWQB_LINE *L = Find_DWQB_Line_Record(pp.line);
      ASSERT_NE(L, nullptr);
      double y[2], z[2], yc, zc, k[3];
      const double s[2] = {pp.s_a, pp.s_b}, sig[2] = {pp.sigma_a, pp.sigma_b};
      for (int e = 0; e < 2; ++e) {  // the cut of an angle's leg lies on its outer face, beyond the corner node
        Get_DWQB_Line_Centre_Point(L, s[e], &y[e], &z[e]);
        Get_DWQB_Line_Centre_Point(L, std::clamp(s[e], -1.0, 1.0), &yc, &zc);
        Calc_DWQB_Normal_Stress_Plane(yc, zc, DWQB_FRAME_CENTROID, 0, 0, DWQB_ANGLE_Y, 0, k);
        EXPECT_NEAR(sig[e], 10 * (k[0] * N + k[1] * My + k[2] * Mz), 1e-6) << i << " end " << e;
      }
      EXPECT_NEAR(std::hypot(y[1] - y[0], z[1] - z[0]), pp.c, 1e-6) << i;
      const DWQB_NODE *a = L->node_a->nr == pp.node_a ? L->node_a : L->node_b;
      EXPECT_LT(std::hypot(a->y - y[0], a->z - z[0]), std::hypot(a->y - y[1], a->z - z[1])) << i;
    }
  }
}

// A library tee's sloped walls classify as its nominal plates (EN 1993-1-1 Table 5.2): T 100's
// outstands c = (100 − 11 − 2·11)/2 = 33.5 mm, its stem 100 − 11 − 11 = 78, t 11. Each part
// ends where its plate ends, at its wall's free end (the toe, the stem's tip: the end node
// that no other wall shares; s = −1 at a line's first node).
TEST_F(Catalogue, LibraryTeePartsAreItsNominalPlates) {
  Init_Querschnitt_Record(&q_);
  ASSERT_EQ(1, Set_Querschnitt_Profil(&q_, 0, 100, "T100"));
  ASSERT_EQ(1, Calc_Querschnitt_Values(&q_, 0.5, 2));
  ASSERT_EQ(q_.n_parts, 3);
  std::vector<const DWQB_NODE *> ends;  // both end nodes of each part's wall
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(q_.parts[i].ct * 100 + q_.parts[i].t, (i < 2 ? 33.5 : 78) / 0.11 + 1.1, 1e-9);
    const DWQB_LINE *L = Find_DWQB_Line_Record(q_.parts[i].line);
    ASSERT_NE(L, nullptr);
    ends.push_back(L->node_a), ends.push_back(L->node_b);
  }
  for (int i = 0; i < 3; ++i) {  // one end at the free end, the other inside the wall
    const QS_PLATE_PART &pp = q_.parts[i];
    const DWQB_LINE *L = Find_DWQB_Line_Record(pp.line);
    const double s_free = std::count(ends.begin(), ends.end(), L->node_a) == 1 ? -1.0 : 1.0;
    EXPECT_EQ(std::min(std::fabs(pp.s_a - s_free), std::fabs(pp.s_b - s_free)), 0.0) << i;
    EXPECT_LT(std::min(std::fabs(pp.s_a), std::fabs(pp.s_b)), 1.0) << i;
  }
}

TEST(CatalogueForces, TransformTurnsOnlyShearAndMoments) {
  double f[8] = {1, 2, 3, 4, 7, 11, 5, 6};
  Transform_Profil_Section_Forces(&f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6], &f[7], M_PI / 6, 0, 0);
  const double want[8] = {1, 3.2321, 1.5981, 4, 11.5622, 6.0263, 5, 6};
  for (int k = 0; k < 8; ++k) EXPECT_NEAR(f[k], want[k], 5e-5) << k;
}

// Records: the view refers to its record; the cache holds until the solver runs again.
TEST_F(Catalogue, RequestsUseTheCacheUntilTheSolverRuns) {
  Init_Querschnitt_Record(&q_);
  ASSERT_EQ(1, Set_Querschnitt_Profil(&q_, 0x10000, 100, "IPE300"));
  QS_CHECK_REQUEST r{};
  ASSERT_EQ(1, Get_Querschnitt_at_Factor(&q_, 0.5, &r));
  EXPECT_EQ(r.state, 2);
  EXPECT_EQ(r.view.record, &q_);
  EXPECT_EQ(r.view.header.type, 1);
  EXPECT_GT(r.view.header.catalogue, 0);
  EXPECT_EQ(std::string(r.view.name), "    IPE300");
  EXPECT_EQ(r.view.header.grade_row * 10 + r.view.header.grade_kind, 1);  // code 0x10000: row 0, kind 1
  // The slot's meanings: frame value data[2], limit inputs data[3..5], shape factors [14], [15].
  for (int k = 0; k < 16; ++k) r.view.values.slot.data[k] = 0.5f * k;
  EXPECT_EQ(Get_Check_Slot(&r.view), &r.view.values.slot);
  EXPECT_EQ(Get_Check_Frame_Value(&r.view), 1.0f);
  EXPECT_EQ(Get_Check_Limit_Input(&r.view, 0) + 10 * Get_Check_Limit_Input(&r.view, 2), 1.5f + 25.0f);
  EXPECT_EQ(Get_Check_Shape_Factor(&r.view, 0) + 10 * Get_Check_Shape_Factor(&r.view, 1), 7.0f + 75.0f);
  EXPECT_EQ(Get_Check_Shape_Factor(&r.view, 2), 0.0f);
  EXPECT_EQ(Get_Check_Shape_Factor(nullptr, 0), 0.0f);
  // A view that lost its record, or none, builds no model.
  QS_CHECK_VIEW lone = r.view;
  lone.record = nullptr;
  EXPECT_EQ(1, Build_Profil_Thin_Walled_Model(&lone));
  EXPECT_EQ(1, Build_Profil_Thin_Walled_Model(nullptr));
  ASSERT_EQ(1, Calc_Querschnitt_Values(&q_, 0.5, 1));  // values only: a request computes the points
  ASSERT_EQ(1, Get_Querschnitt_at_Factor(&q_, 0.5, &r));
  EXPECT_EQ(q_.n_points, 5 * 33);
  int builds = Get_Querschnitt_Build_Count();
  ASSERT_EQ(1, Get_Querschnitt_at_Factor(&q_, 0.5, &r));
  EXPECT_EQ(Get_Querschnitt_Build_Count(), builds);
  ASSERT_EQ(1, Get_Querschnitt_at_Factor(&q_, 0.25, &r));  // another place is built again
  ASSERT_EQ(1, Get_Querschnitt_at_Factor(&q_, 0.5, &r));
  EXPECT_EQ(Get_Querschnitt_Build_Count(), builds + 2);
  builds += 2;
  Calc_DWQB_Querschnitt();
  ASSERT_EQ(1, Get_Querschnitt_at_Factor(&q_, 0.5, &r));
  EXPECT_EQ(Get_Querschnitt_Build_Count(), builds + 1);
  EXPECT_EQ(0, Calc_Querschnitt_Values(&q_, 0.5, 3));
  // Without both switch words the catalogue still runs in part mode.
  DWQB_Part_Mode_Switch = DWQB_Wall_Terms_Switch = 0;
  ASSERT_EQ(1, Calc_Querschnitt_Values(&q_, 0.5, 2));
  EXPECT_EQ(q_.n_points, 5 * 33);
  // A tapered family at a quarter of its length.
  const double start[10] = {30, 15, 0.71, 1.07}, end[10] = {50, 15, 0.71, 1.07};
  ASSERT_EQ(1, Set_Querschnitt_Parametric(&q_, 0x10000, 100, QS_FAMILY_I, 1, start, end));
  ASSERT_EQ(1, Calc_Querschnitt_Values(&q_, 0.25, 1));
  EXPECT_FLOAT_EQ(q_.view.shape[0], 35.0f);
  // The model of its view is built again at that quarter: h 35, not the middle's 40.
  Calc_DWQB_Querschnitt();
  ASSERT_EQ(0, Build_Profil_Thin_Walled_Model(&q_.view));
  EXPECT_NEAR(Get_DWQB_Values()->v[DWQB_V_ZMAX] - Get_DWQB_Values()->v[DWQB_V_ZMIN], 35.0, 1e-9);
  // Set again, it is no longer computed (nor current): its model is the middle's.
  ASSERT_EQ(1, Calc_Querschnitt_Values(&q_, 0.25, 2));
  ASSERT_EQ(1, Set_Querschnitt_Parametric(&q_, 0x10000, 100, QS_FAMILY_I, 1, start, end));
  EXPECT_EQ(Get_Querschnitt_Current(), nullptr);
  ASSERT_EQ(0, Build_Profil_Thin_Walled_Model(&q_.view));
  EXPECT_NEAR(Get_DWQB_Values()->v[DWQB_V_ZMAX] - Get_DWQB_Values()->v[DWQB_V_ZMIN], 40.0, 1e-9);
  EXPECT_EQ(0, Set_Querschnitt_Parametric(&q_, 0, 100, 7, 0, start, end));
  // Header type and symmetric webs of the families (an I of two flanges only where they
  // agree at both ends); without an end set the member is prismatic.
  const double i2[10] = {40, 0, 1, 0, 20, 20, 0, 0, 1.5, 1.5}, i2_t[10] = {40, 0, 1, 0, 20, 20, 0, 0, 1.5, 2};
  const struct {
    int family;
    const double *end;
    int type, web;
  } families[] = {{QS_FAMILY_I2, nullptr, 13, QS_WEB_SHAPE_I}, {QS_FAMILY_I2, i2_t, 13, QS_WEB_SHAPE_NONE},
                  {QS_FAMILY_U, nullptr, 3, QS_WEB_SHAPE_CHANNEL},  {QS_FAMILY_Z, nullptr, 6, QS_WEB_SHAPE_CHANNEL},
                  {QS_FAMILY_T, nullptr, 2, QS_WEB_SHAPE_NONE},      {QS_FAMILY_L, nullptr, 5, QS_WEB_SHAPE_NONE},
                  {QS_FAMILY_I, nullptr, 1, QS_WEB_SHAPE_I}};  // 2 × 1 cm, walls 0.1: A 0.38 cm²
  for (const auto &f : families) {
    const double tiny[10] = {2, 1, 0.1, 0.1}, *d = f.family == QS_FAMILY_I2 ? i2 : f.family == QS_FAMILY_I ? tiny : start;
    ASSERT_EQ(1, Set_Querschnitt_Parametric(&q_, 0, 100, f.family, 1, d, f.end));
    ASSERT_EQ(1, Calc_Querschnitt_Values(&q_, 0.75, 1));
    EXPECT_EQ(q_.view.header.type * 10 + q_.web_shape, f.type * 10 + f.web) << f.family;
    EXPECT_FLOAT_EQ(q_.view.shape[0], d[0]) << f.family;
  }
  EXPECT_EQ(0, Set_Querschnitt_Profil(&q_, 0, 100, "NOSUCHPROFILE"));
  // The header's grade row and kind of each grade code.
  for (const auto &[code, row, kind] : {std::tuple{0, 0, 0}, {5, 5, 0}, {0x10007, 7, 1}, {0x18065, 0x8065, 1}, {-1, -1, 0}}) {
    QUERSCHNITT g{};
    Init_Querschnitt_Record(&g);
    ASSERT_EQ(1, Set_Querschnitt_Profil(&g, code, 0, "IPE300"));
    ASSERT_EQ(1, Calc_Querschnitt_Values(&g, 0.5, 1));
    EXPECT_EQ(g.view.header.grade_row, row) << code;
    EXPECT_EQ(g.view.header.grade_kind, kind) << code;
    Free_Querschnitt_Record(&g);
  }
}

// Imported arc walls (exchange file in cm; field 8 the rise at the middle, + bulging left of
// a -> b) reach the solver with their own rise, in part mode. Hand values of the annular
// sector of centre radius r, wall t = 0.5, opening angle phi: A = phi r t; centroid at
// c = (2/pi)(r + t^2 / (12 r)) from the centre across the middle of the arc; about the
// centre K = r t (r^2 + t^2 / 4) times the integral of cos^2 (sin^2, cos sin) over the arc.
//   half circle, chord (0,0)-(10,0), r 5, rise 5: A = 7.853982, c = 3.185751,
//     I_y = K pi/2 - A c^2 = 18.710051 (about the y axis), I_z = K pi/2 = 98.420207;
//   quarter arc (10,0)-(0,10) about (0,0), r 10, rise r (1 - 1/sqrt 2) = 2.928932 bulging
//     away from (0,0), i.e. -: A = 7.853982, y_s = z_s = c = 6.367524,
//     I_y = I_z = K pi/4 - A c^2 = 74.501990, I_yz = -(K/2 - A c^2) = -68.286279 (the
//     same for both bulges: the two arcs are mirror images across the chord y + z = 10);
//     with + it bulges toward (0,0) and turns about (10,10): y_s = z_s = 10 - c.
// The solver walks the arc in chords of pi/20: its values lie within 0.25 %.
TEST_F(Catalogue, ImportedArcWallsKeepTheirRise) {
  const struct {
    const char *name, *nodes;
    double rise;
    double A, y_s, z_s, I_y, I_z, I_yz;
  } cases[] = {
      {"half circle +", "1 0 0\n2 10 0", 5, 7.853982, 5, 3.185751, 18.710051, 98.420207, 0},
      {"half circle -", "1 0 0\n2 10 0", -5, 7.853982, 5, -3.185751, 18.710051, 98.420207, 0},
      {"quarter arc -", "1 10 0\n2 0 10", -2.928932, 7.853982, 6.367524, 6.367524, 74.501990, 74.501990, -68.286279},
      {"quarter arc +", "1 10 0\n2 0 10", 2.928932, 7.853982, 3.632476, 3.632476, 74.501990, 74.501990, -68.286279},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(Get_XPRT_Path()) << "OBJECT\n1 0 0\nNODES 2\n" << c.nodes << "\nLINES 1\nNEWLINES\n1 1 2 0 0 0.5 0.5 "
                                   << c.rise << " 0 0 0 0 0 0 0 0\n-1\n";
    QIMPORT_ENTRY *e = New_QImport_Entry();
    ASSERT_EQ(Read_XPRT_Result(e), 1);
    ASSERT_EQ(1, Set_Querschnitt_Imported(&q_, 0, 100, e));
    ASSERT_EQ(1, Calc_Querschnitt_Values(&q_, 0.5, 1));
    const double *v = q_.values;
    const double got[] = {v[DWQB_V_A], v[DWQB_V_YS], v[DWQB_V_ZS], v[DWQB_V_IM], v[DWQB_V_IN], v[DWQB_V_IMN]};
    const double want[] = {c.A, c.y_s, c.z_s, c.I_y, c.I_z, c.I_yz};
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(got[k], want[k], 2.5e-3 * std::max(1.0, std::fabs(want[k]))) << k;
  }
}

// The check sections: which route a profile takes, the user grades, the forces handed on.
// The symmetric webs of a profile's shape: flanges, their weld legs and overhangs must agree
// (a bottom flange of width 0 is the top one).
TEST(CatalogueWebShape, FlangesWeldsAndOverhangsMustAgree) {
  const struct {
    int type, kind;
    double b_fu, t_fu, a_o, a_u, ue_u;
    int shape;
  } cases[] = {{PROFIL_I, 0, 200, 15, 5, 5, 0, QS_WEB_SHAPE_I},      {PROFIL_I, 0, 0, 15, 0, 0, 0, QS_WEB_SHAPE_I},
               {PROFIL_H, 0, 200, 16, 5, 5, 0, QS_WEB_SHAPE_NONE},   {PROFIL_I, 0, 200, 15, 5, 6, 0, QS_WEB_SHAPE_NONE},
               {PROFIL_I, 2, 200, 15, 5, 5, 0, QS_WEB_SHAPE_NONE},   {PROFIL_BOX, 0, 200, 15, 5, 5, 20, QS_WEB_SHAPE_BOX},
               {PROFIL_BOX, 0, 200, 15, 5, 5, 30, QS_WEB_SHAPE_NONE}, {PROFIL_FLAT, 0, 0, 0, 0, 0, 0, QS_WEB_SHAPE_CHANNEL},
               {PROFIL_Z, 0, 0, 0, 0, 0, 0, QS_WEB_SHAPE_CHANNEL},   {PROFIL_RHS, 0, 0, 0, 0, 0, 0, QS_WEB_SHAPE_BOX},
               {PROFIL_T, 0, 200, 15, 5, 5, 0, QS_WEB_SHAPE_NONE},   {PROFIL_CHS, 0, 0, 0, 0, 0, 0, QS_WEB_SHAPE_NONE}};
  for (const auto &c : cases) {
    PROFIL p{};
    p.kind = c.kind, p.type = c.type, p.h = 400, p.t_w = 10, p.b_fo = 200, p.t_fo = 15, p.ue_o = 20;
    p.b_fu = c.b_fu, p.t_fu = c.t_fu, p.a_o = c.a_o, p.a_u = c.a_u, p.ue_u = c.ue_u;
    EXPECT_EQ(Get_Profil_Web_Shape(&p), c.shape) << c.type << " b_fu " << c.b_fu << " a_u " << c.a_u << " ue_u " << c.ue_u;
  }
  EXPECT_EQ(Get_Profil_Web_Shape(nullptr), QS_WEB_SHAPE_NONE);
}

TEST_F(Catalogue, CheckSectionRoutesGradesAndForces) {
  // Families carry their dimensions (cm) in the view's shape floats: I h, b, t_w, t_f; the I
  // of two flanges h, t_fo, t_fu, t_w, b_fo, b_fu; the Z its (b + t_w)/2. Every route gives
  // the profile's own section values (welded plates, no radii).
  // The symmetric webs are the profile's own, the parts those of its route (none for the
  // bars, one wall for the tube).
  struct Case {
    int type;
    double bo, bu, tu;
    int flag, header_type, web, parts;
    std::vector<float> shape;
  } cases[] = {
      {PROFIL_I, 200, 200, 15, 0, 1, 1, 5, {40, 20, 1, 1.5}},
      {PROFIL_I, 200, 200, 20, 0, 13, 0, 5, {40, 1.5, 2, 1, 20, 20}},
      {PROFIL_I, 200, 160, 15, 0, 13, 0, 5, {40, 1.5, 1.5, 1, 20, 16}},
      {PROFIL_I, 200, 200, 15, 1, 99, 1, 5, {}},
      {PROFIL_I, 200, 200.5, 15, 0, 13, 0, 5, {40, 1.5, 1.5, 1, 20, 20.05f}},
      {PROFIL_U, 100, 100, 15, 0, 3, 2, 3, {40, 10, 1, 1.5}},
      {PROFIL_T, 200, 200, 15, 0, 2, 0, 3, {40, 20, 1, 1.5}},
      {PROFIL_HALF_I, 200, 200, 15, 0, 2, 0, 3, {40, 20, 1, 1.5}},
      {PROFIL_ANGLE, 150, 0, 0, 0, 5, 0, 2, {40, 15, 1, 1.5}},
      {PROFIL_Z, 100, 100, 15, 0, 6, 2, 3, {40, 5.5, 1, 1.5}},
      {PROFIL_FLAT, 200, 0, 0, 0, 99, 2, 0, {}},  {PROFIL_ROUND, 200, 0, 0, 0, 99, 0, 0, {}},
      {PROFIL_RHS, 200, 200, 15, 0, 99, 3, 4, {}}, {PROFIL_CHS, 200, 0, 0, 0, 99, 0, 1, {}},
      {PROFIL_BOX, 200, 200, 15, 0, 99, 3, 4, {}}, {PROFIL_TRAPEZ, 200, 300, 10, 0, 99, 0, 3, {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.type << " flag " << c.flag << " b_fu " << c.bu << " t_fu " << c.tu);
    const bool small = c.type == PROFIL_CHS || c.type == PROFIL_FLAT || c.type == PROFIL_ROUND;
    Welded(c.type, small ? 100 : 400, 10, c.bo, c.type == PROFIL_TRAPEZ ? 10 : 15, c.bu, c.tu);
    QUERSCHNITT *s = Build_Profil_Stress_Section(&p_, c.flag, 0);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->view.header.type, c.header_type);
    EXPECT_EQ(s->web_shape * 100 + s->n_parts, c.web * 100 + c.parts);
    EXPECT_EQ(Get_Querschnitt_Option_Word(), 0x1E01Eu);
    EXPECT_EQ(s->view.header.grade_row, Get_Stguete_Code_of_Grade(0));
    EXPECT_EQ(s->view.header.grade_kind, 1);
    std::vector<float> shape = c.shape;
    shape.resize(8, 0.0f);
    for (int k = 0; k < 8; ++k) EXPECT_FLOAT_EQ(s->view.shape[k], shape[k]) << k;
    if (small) continue;  // polygons of the arc, the flat bar's zero width
    const double rel = c.type == PROFIL_TRAPEZ ? 1e-4 : 1e-6;  // the trapezoid's sloped corners
    EXPECT_NEAR(s->values[DWQB_V_A], p_.A / 100, rel * p_.A / 100);
    EXPECT_NEAR(s->values[DWQB_V_IM], p_.I_y / 1e4, rel * p_.I_y / 1e4);
    EXPECT_NEAR(s->values[DWQB_V_IN], p_.I_z / 1e4, rel * p_.I_z / 1e4);
  }
  // A library profile, then the user grades: made once per family, then reused.
  ASSERT_EQ(0, Set_Profil_by_Library_Name(&p_, "IPE300"));
  QUERSCHNITT *s = Build_Profil_Stress_Section(&p_, 0, 0);
  ASSERT_NE(s, nullptr);
  // Grade row 26 counts as user values: the profile's own values in the user row.
  MATERIAL &m = p_.grade;
  m.grade = 26, m.fy = 300, m.fu = 420, m.E = 200000, m.G = 77000, m.nu = 0.29, m.alphaT = 1.4, m.betaw = 0.85;
  ASSERT_NE(Build_Profil_Stress_Section(&p_, 0, 0), nullptr);
  EXPECT_EQ(s->grade_code, 0x18065);
  const STEEL_GRADE *row = Get_Stguete_Record(0x18065);
  ASSERT_NE(row, nullptr);
  EXPECT_STREQ(row->name, "frei");
  const double got[] = {row->E, row->G, row->nu, row->alphaT, row->fy1, row->fy2, row->fu, row->alpha_w};
  const double want_row[] = {200000, 77000, 0.29, 1.4e-5, 300, 300, 420, 0.85};
  for (int k = 0; k < 8; ++k) EXPECT_NEAR(got[k], want_row[k], 1e-12 * want_row[k]) << k;
  const int users = Get_User_Stguete_Count();
  m.grade = 0, m.user_values = 1, m.fy = 320;
  ASSERT_NE(Build_Profil_Stress_Section(&p_, 0, 0), nullptr);
  EXPECT_EQ(Get_User_Stguete_Count(), users);
  EXPECT_DOUBLE_EQ(Get_Stguete_fy(0x18065, 10), 320);
  p_.grade.family = MATERIAL_FAMILY_DIN_STEEL;
  ASSERT_NE(Build_Profil_Stress_Section(&p_, 0, 0), nullptr);
  EXPECT_EQ(s->grade_code, 0x8064);
  p_.grade.family = MATERIAL_FAMILY_ALUMINIUM;
  ASSERT_NE(Build_Profil_Stress_Section(&p_, 0, 0), nullptr);
  EXPECT_EQ(s->grade_code, -1);
  EXPECT_EQ(Get_User_Stguete_Count(), users + 1);

  // Forces below 0.001 build nothing; others reach the catalogue in its units and order.
  double o[4] = {9, 9, 9, 9};
  const int builds = Get_Querschnitt_Build_Count();
  EXPECT_EQ(0, Build_Profil_Plate_Section(&p_, 0, 0.0009, 0, 0, 0, 0, 0, -0.0009, o, o + 1, o + 2, o + 3));
  EXPECT_EQ(Get_Querschnitt_Build_Count(), builds);
  for (double x : o) EXPECT_EQ(x, 0.0);
  // 0.001 is a force; N = −500 kN on IPE 300 (A 53.81 cm²): σ_max = σ_min = −92.9 N/mm².
  EXPECT_EQ(0, Build_Profil_Plate_Section(&p_, 0, 0, 0, 0, 0, 0, -0.001, 0, o, o + 1, o + 2, o + 3));
  EXPECT_EQ(Get_Querschnitt_Build_Count(), builds + 1);
  EXPECT_EQ(0, Build_Profil_Plate_Section(&p_, -500, 0, 0, 0, 0, 0, 0, 0, o, o + 1, o + 2, o + 3));
  EXPECT_NEAR(o[0], -5000 / 53.81, 0.1);
  EXPECT_NEAR(o[1], -5000 / 53.81, 0.1);
  EXPECT_EQ(0, Build_Profil_Plate_Section(&p_, 2, 3, 5, 7, 11, 13, 17, 19, o, o + 1, o + 2, o + 3));
  double f[8];
  Get_Profil_Point_Stress_Forces(f);
  const double want[8] = {2, 7, 11, 1300, 300, 500, 1700, 190000};
  for (int k = 0; k < 8; ++k) EXPECT_DOUBLE_EQ(f[k], want[k]) << k;
  EXPECT_EQ(o[3], Get_Querschnitt_Current()->points[0]);
}

}  // namespace
