// Section export: model sizes by shape type, refusals, the ".XPR" with its VALUES block,
// the exported model's values, and the entry counts over repeated builds.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "dwqb/dwqb.h"
#include "host/host.h"
#include "profil/profil.h"
#include "profil/profil_shapes.h"
#include "querschnitt/querschnitt.h"
#include "sections/sections.h"
#include "support/shell.h"

namespace {

namespace fs = std::filesystem;

class Export : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Reset();
    dir_ = fs::path(::testing::TempDir()) / ("qs_export_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    Set_Bauteil_Path((dir_ / "BEAM").c_str());
    Set_File_Number(1);
  }
  void TearDown() override {
    Free_Querschnitt_Record(&q_);
    Reset_Profil(&p_);
    Host_Reset();
    fs::remove_all(dir_);
  }
  void Shape(int type, int rolled, double h, double tw, double bo, double to, double bu, double tu, double r = 0,
             double r2 = 0) {
    Reset_Profil(&p_);
    Init_Material_Data(&p_.grade);
    Set_Shape(&p_, type, h, tw, bo, to, bu, tu, rolled, r, r2);
    Calc_Profil_Querschnittswerte(&p_, nullptr, 0, "");
  }
  std::string Xpr() const {
    std::ifstream in(dir_ / "BEAM_01.XPR", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  fs::path dir_;
  QUERSCHNITT q_{};
  PROFIL p_{};
};

TEST_F(Export, ModelSizesByShapeType) {
  struct Case {
    int type;
    double h, tw, bo, to, bu, tu, ue;
    int nodes, lines;
  } cases[] = {
      {PROFIL_FLAT, 100, 10, 0, 0, 0, 0, 0, 2, 1},      {PROFIL_ROUND, 50, 0, 0, 0, 0, 0, 0, 32, 32},
      {PROFIL_CHS, 88.9, 5, 0, 0, 0, 0, 0, 32, 32},     {PROFIL_ANGLE, 100, 10, 80, 10, 0, 0, 0, 3, 2},
      {PROFIL_I, 400, 10, 200, 15, 200, 15, 0, 6, 5},   {PROFIL_I, 400, 10, 200, 15, 0, 15, 0, 4, 3},
      {PROFIL_U, 200, 8, 80, 10, 80, 10, 0, 4, 3},      {PROFIL_T, 200, 8, 150, 10, 0, 0, 0, 4, 3},
      {PROFIL_Z, 200, 8, 150, 10, 0, 0, 0, 4, 3},       {PROFIL_TRAPEZ, 100, 6, 80, 6, 200, 6, 0, 4, 3},
      {PROFIL_RHS, 200, 8, 100, 8, 0, 0, 0, 4, 4},      {PROFIL_BOX, 500, 10, 300, 20, 300, 20, 30, 8, 8},
  };
  Init_Querschnitt_Record(&q_);
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "type " << c.type);
    Shape(c.type, 0, c.h, c.tw, c.bo, c.to, c.bu, c.tu);
    p_.ue_o = p_.ue_u = c.ue;
    p_.b_fu = c.bu;  // after the checks, which complete a missing flange
    ASSERT_EQ(0, DWQB_QImport(&q_, 0x10005, 100, &p_));
    int nodes = -1, lines = -1;
    ASSERT_EQ(1, Find_QImport_Block(q_.entry, "NODES", &nodes));
    ASSERT_EQ(1, Find_QImport_Block(q_.entry, "LINES", &lines));
    EXPECT_EQ(nodes, c.nodes);
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(q_.entry->ref_count, 1);
    XPRT_LINE web;  // channels, Z: the second line from joint 2 to joint 3; T: the last, 3 to 4
    const int w = c.type == PROFIL_T ? 2 : 1, a = w + 1;
    if (c.type == PROFIL_U || c.type == PROFIL_Z || c.type == PROFIL_T) {
      EXPECT_TRUE(Get_QImport_Model_Line(w, &web) && web.p_a == a && web.p_e == a + 1);
      // Channels and Z sections: top flange, web, bottom flange (towards the joint); T
      // sections: both flange halves from their tips, then the web down.
      const bool t = c.type == PROFIL_T;
      const int ends[3][2] = {{1, t ? 3 : 2}, {t ? 3 : 2, t ? 2 : 3}, {t ? 3 : 4, t ? 4 : 3}};
      const double walls[3] = {1.0, t ? 1.0 : 0.8, t ? 0.8 : 1.0};
      for (int k = 0; k < 3; ++k) {
        XPRT_LINE l;
        ASSERT_TRUE(Get_QImport_Model_Line(k, &l));
        EXPECT_EQ(l.number, k + 1);
        EXPECT_EQ(l.p_a * 10 + l.p_e, ends[k][0] * 10 + ends[k][1]) << k;
        EXPECT_NEAR(l.d_a, walls[k], 1e-12) << k;
      }
    }
    // Every exported model is one the catalogue computes.
    EXPECT_EQ(1, Calc_Querschnitt_Values(&q_, 0.5, 1));
  }
  XPRT_NODE n;
  XPRT_LINE l;
  EXPECT_EQ(0, Get_QImport_Model_Node(100, &n));
  EXPECT_EQ(0, Get_QImport_Model_Line(100, &l));

  // Refused: an R7-PLAX section before any file is touched; a profile without model.
  std::ofstream(dir_ / "BEAM_01.XPR") << "keep\n";
  p_.kind = PROFIL_KIND_QUER;
  EXPECT_EQ(1, DWQB_QImport(&q_, 0, 100, &p_));
  EXPECT_EQ(Xpr(), "keep\n");
  EXPECT_EQ(1, Export_Profil_QImport(&q_, 0, 100, &p_));
  Shape(PROFIL_DEFAULT, 0, 100, 10, 0, 0, 0, 0);
  EXPECT_EQ(1, DWQB_QImport(&q_, 0, 100, &p_));
}

// Rolled angle L 100 × 100 × 10 (EN 10056-1, r 12, r_2 6): the VALUES block gives back
// I_y, I_z, I_yz through the principal values and angle; a rolled IPE 300 exported keeps
// the values of its own model.
TEST_F(Export, ValuesBlockAndExportedModelValues) {
  // L 100 × 100 × 10 (α 45°), L 100 × 150 × 10 and L 150 × 100 × 10 (tan α 0.439, EN 10056-1),
  // L 300 × 30 × 5 (tan 2α = 2 I_yz / (I_y − I_z): α 1.05°) and a channel (α 0): the principal
  // values and their angle of either sign.
  for (const auto &[type, h, b, t, alpha_deg] :
       {std::tuple{PROFIL_ANGLE, 100.0, 100.0, 10.0, 45.0}, {PROFIL_ANGLE, 100.0, 150.0, 10.0, -23.7},
        {PROFIL_ANGLE, 150.0, 100.0, 10.0, 23.7}, {PROFIL_ANGLE, 300.0, 30.0, 5.0, 1.05}, {PROFIL_U, 200.0, 80.0, 8.0, 0.0}}) {
    SCOPED_TRACE(::testing::Message() << h << " " << b);
    Shape(type, 1, h, t, b, t, type == PROFIL_U ? b : 0, type == PROFIL_U ? t : 0, 12, 6);
    ASSERT_EQ(0, Export_Profil_QImport(nullptr, 0, 100, &p_));
    EXPECT_EQ(Count_QImport_Entries(), 0);
    const std::string xpr = Xpr();
    EXPECT_NE(xpr.find("\n\nVALUES\n.EY_ 0.000000\n.EZ_ 0.000000\n.I11 "), std::string::npos);
    EXPECT_FALSE(fs::exists(Get_XPRT_Path()));  // the exchange file is gone
    double i1 = 0, i2 = 0, a = 0;
    ASSERT_EQ(3, std::sscanf(xpr.c_str() + xpr.find(".I11"), ".I11 %lf\n.I22 %lf\n.ALF %lf", &i1, &i2, &a));
    const double m = (i1 + i2) / 2, d = (i1 - i2) / 2;
    EXPECT_NEAR(1e4 * (m + d * std::cos(2 * a)), p_.I_y, 1e-6 * p_.I_y);
    EXPECT_NEAR(1e4 * (m - d * std::cos(2 * a)), p_.I_z, 1e-6 * p_.I_y);
    EXPECT_NEAR(1e4 * -d * std::sin(2 * a), p_.I_yz, 1e-6 * p_.I_y);
    EXPECT_NEAR(a * 180 / M_PI, alpha_deg, 0.1);
  }
  // The exchange callbacks' line records: numbers below 1 set the first, values mm to cm.
  const double v[9] = {11, 12, 13, 14, 15, 16, 17, 18, 19};
  Set_QImport_Model_Line(0, 4, 5, v);
  Set_QImport_Model_Line(101, 6, 7, v);
  XPRT_LINE l;
  ASSERT_TRUE(Get_QImport_Model_Line(0, &l));
  EXPECT_THAT(std::vector<double>({double(l.number), double(l.p_a), double(l.p_e), l.d_a, l.d_e, l.s, l.r_al, l.r_ar, l.r_el, l.r_er}),
              ::testing::Pointwise(::testing::DoubleNear(1e-12), std::vector<double>({1, 4, 5, 1.1, 1.2, 1.3, 1.6, 1.7, 1.8, 1.9})));
  // A profile without a model is refused, and the member's old ".XPR" is gone.
  std::ofstream(dir_ / "BEAM_01.XPR") << "old";
  p_.type = PROFIL_DEFAULT;
  EXPECT_EQ(1, DWQB_QImport(nullptr, 0, 100, &p_));
  EXPECT_FALSE(fs::exists(dir_ / "BEAM_01.XPR"));

  Shape(PROFIL_I, 1, 300, 7.1, 150, 10.7, 150, 10.7, 15);
  Set_Profil_Model_Options(DWQB_OPT_PART_MODE);
  ASSERT_EQ(0, Calc_Profil_DWQB_Querschnittswerte(&p_, nullptr, nullptr, 0, 0, nullptr));
  Set_Profil_Model_Options(0);
  const DWQB_VALUES own = *Get_DWQB_Values();
  Init_Querschnitt_Record(&q_);
  ASSERT_EQ(0, DWQB_QImport(&q_, 0x10005, 100, &p_));
  ASSERT_EQ(1, Calc_Querschnitt_Values(&q_, 0.5, 1));
  const auto rel = [](double x, double y) { return std::fabs(x - y) / std::fmax(1.0, std::fabs(y)); };
  for (int k : {DWQB_V_A, DWQB_V_IM, DWQB_V_IN, DWQB_V_IT, DWQB_V_IW})
    EXPECT_LT(rel(q_.values[k], own.v[k]), 1e-9) << k;
  // The take-over moves the section: the centroid keeps its place in the outline.
  EXPECT_LT(rel(q_.values[DWQB_V_YS] - q_.values[DWQB_V_YMIN], own.v[DWQB_V_YS] - own.v[DWQB_V_YMIN]), 1e-9);
  EXPECT_LT(rel(q_.values[DWQB_V_ZS] - q_.values[DWQB_V_ZMIN], own.v[DWQB_V_ZS] - own.v[DWQB_V_ZMIN]), 1e-9);
}

// Repeated builds and exports keep one entry alive; an imported profile adds one reference.
TEST_F(Export, EntryCountsBalance) {
  Shape(PROFIL_RHS, 0, 200, 8, 100, 8, 0, 0);
  for (int k = 0; k < 3; ++k) {
    ASSERT_NE(nullptr, Build_Profil_Stress_Section(&p_, 0, 0));
    EXPECT_EQ(Count_QImport_Entries(), 1);
  }
  QUERSCHNITT *s = Build_Profil_Stress_Section(&p_, 0, 0);
  PROFIL imported{};
  Reset_Profil(&imported);
  imported.kind = PROFIL_KIND_QUER;
  imported.entry = s->entry;
  Add_QImport_Reference(imported.entry, +1);
  ASSERT_EQ(2, imported.entry->ref_count);
  ASSERT_NE(nullptr, Build_Profil_Stress_Section(&imported, 0, 0));
  EXPECT_EQ(2, imported.entry->ref_count);
  imported.model_kind = 1;
  EXPECT_EQ(nullptr, Build_Profil_Stress_Section(&imported, 0, 0));
  double o[4];
  EXPECT_EQ(1, Build_Profil_Plate_Section(&imported, 1, 0, 0, 0, 0, 0, 0, 0, o, o + 1, o + 2, o + 3));
  Reset_Profil(&imported);
}

}  // namespace
