// Unit stresses, triangulation, stress points, output tables, hooks and section services
// of the solver, against closed forms of thin-walled beam theory and section tables.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <tuple>
#include <vector>

#include "dwqb/dwqb_fixture.h"
#include "dwqb/dwqb_plastic.h"
#include "dwqb/dwqb_stress.h"
#include "dwqb/section_models.h"

namespace {
#define EXPECT_REL(a, b, rel) EXPECT_NEAR((a), (b), (rel) * std::fabs(b) + 1e-15)

class DwqbStress : public DwqbTest {
 protected:
  void TearDown() override {
    Free_DWQB_OUTLINE_TRIANGULATION(tri_);
    Free_DWQB_Stress_Points(set_);
    DwqbTest::TearDown();
  }
  void Run(const SectionModel &m) {
    Reset_DWQB_Querschnitt();
    m.Build();
    ASSERT_EQ(Calc_DWQB_Querschnitt(), 0) << m.name;
  }
  // Default triangulation about the centroid, warping pole in the shear centre.
  DWQB_OUTLINE_TRIANGULATION *Tri(const DWQB_TRI_PARAMS *p = nullptr) {
    Free_DWQB_OUTLINE_TRIANGULATION(tri_);
    return tri_ = Calc_DWQB_OUTLINE_TRIANGULATION(1, 0, 0, 0, 0, 2, 0, 0, p);
  }
  // Extremes of one unit force (index DWQB_F_*).
  void Unit(int force, double *lo, double *hi) {
    double F[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    F[force] = 1.0;
    ASSERT_EQ(Calc_DWQB_OUTLINE_TRIANGULATION_NODE_Stresses_MinMax(tri_, F, lo, hi), 1);
  }
  DWQB_OUTLINE_TRIANGULATION *tri_ = nullptr;
  DWQB_STRESS_POINT_SET *set_ = nullptr;
};

// ---------------------------------------------------------------- triangulation

TEST_F(DwqbStress, TriangulationCounts) {
  struct Case {
    SectionModel m;
    int refine, elements, nodes;
  } cases[] = {{Plate_Model(), 1, 40, 33},         {Plate_Model(), 2, 160, 273},
               {Plate_Model(), 3, 360, 433},       {Ipe300_Model(1.5), 1, 400, 305},
               {Box_Model(10, 20, 0.5), 1, 160, 132}, {Polyline_Model(200), 1, 8000, 6600}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.m.name + " refine " + std::to_string(c.refine));
    Run(c.m);
    const DWQB_TRI_PARAMS p{10, 20, 1, 10, c.refine, 0};
    ASSERT_NE(Tri(&p), nullptr);
    EXPECT_EQ(tri_->n_elements, c.elements);
    EXPECT_EQ(tri_->n_nodes, c.nodes);
  }
}

// One force at a time on IPE 300 with radii: the extremes over all nodes are the closed
// forms of beam theory with the run's section values (outline A, I; centre-line shear).
TEST_F(DwqbStress, IpeNodeExtremesOfUnitForces) {
  Run(Ipe300_Model(1.5));
  ASSERT_NE(Tri(), nullptr);
  const double *v = Get_DWQB_Values()->v;
  const double A = v[DWQB_V_A], I1 = v[DWQB_V_I1], I2 = v[DWQB_V_I2], IT = v[DWQB_V_IT], Iw = v[DWQB_V_IW];
  // Centre line: S = t_f b h/2 + t_w (h/2)²/2 = 306.4421, I = t_w h³/12 + 2 b t_f (h/2)² = 8149.074.
  const double hm = 28.93, b = 15.0, tf = 1.07, tw = 0.71;
  const double S = tf * b * hm / 2 + tw * hm * hm / 8, Icl = tw * hm * hm * hm / 12 + b * tf * hm * hm / 2;
  struct Case {
    int force, value;  // 0 sigma, 1 tau
    double lo, hi, tol;
  } cases[] = {
      {DWQB_F_N, 0, 1 / A, 1 / A, 1e-9},
      {DWQB_F_MY, 0, -15 / I1, 15 / I1, 1e-9},
      {DWQB_F_MZ, 0, -7.5 / I2, 7.5 / I2, 1e-9},
      {DWQB_F_VZ, 1, -S / (Icl * tw), S / (Icl * tw), 1e-9},
      {DWQB_F_TT, 1, -1.07 / IT, 1.07 / IT, 1e-9},
      {DWQB_F_B, 0, -b * hm / 4 / Iw, b * hm / 4 / Iw, 1e-9},
      {DWQB_F_TW, 1, -hm * b * b / (16 * Iw), hm * b * b / (16 * Iw), 1e-9},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.force);
    double lo[3], hi[3];
    Unit(c.force, lo, hi);
    EXPECT_REL(hi[c.value], c.hi, c.tol);
    if (c.force != DWQB_F_VZ) {  // the web's flow runs along +z
      EXPECT_REL(lo[c.value], c.lo, c.tol);
    }
    if (c.value == 1) {
      EXPECT_REL(hi[2], std::sqrt(3.0) * std::fmax(-lo[1], hi[1]), c.tol);
    }
  }
}

// Closed tube 10 x 20 x 0.5: the cell carries R46 / I_T of a unit T_t (Bredt), the faces
// add t / I_T; the literal scale 1 / R46 would give 5.374298e-3.
TEST_F(DwqbStress, TubeTorsionAddsBredtAndStVenant) {
  Run(Box_Model(10, 20, 0.5));
  ASSERT_NE(Tri(), nullptr);
  const double IT = Get_DWQB_Values()->v[DWQB_V_IT], R46 = Get_DWQB_Root_Part()->values[46];
  double lo[3], hi[3];
  Unit(DWQB_F_TT, lo, hi);
  EXPECT_REL(std::fmax(-lo[1], hi[1]), R46 / IT / (2 * 200 * 0.5) + 0.5 / IT, 1e-9);
}

// A unit N at the origin of IPE 300, 15 cm above the centroid: 1/A + e v / I_1.
TEST_F(DwqbStress, NormalForceAtLoadPoint) {
  Run(Ipe300_Model(1.5));
  Free_DWQB_OUTLINE_TRIANGULATION(tri_);
  ASSERT_NE(tri_ = Calc_DWQB_OUTLINE_TRIANGULATION(0, 0, 0, 0, 0, 2, 0, 0, nullptr), nullptr);
  const double *v = Get_DWQB_Values()->v;
  double lo[3], hi[3];
  Unit(DWQB_F_N, lo, hi);
  EXPECT_REL(hi[0], 1 / v[DWQB_V_A] + 225 / v[DWQB_V_I1], 1e-9);
  EXPECT_REL(lo[0], 1 / v[DWQB_V_A] - 225 / v[DWQB_V_I1], 1e-9);
  // The tension of the eccentricity is on the side of the load point (the top, z = 0).
  for (int i = 0; i < tri_->n_nodes; ++i)
    if (tri_->nodes[i].z < 1e-9) {
      EXPECT_REL(tri_->nodes[i].res[DWQB_R_SIGMA], hi[0], 1e-9);
    }
}

// Unequal angle, unit shear forces along y and z: the flow at the corner is the open flow
// q = (I S - I_yz S') / D of unsymmetric bending (centre line: I_y 233.333, I_z 618.75,
// I_yz -225; leg along y: S_y 45, S_z -30), the same from both lines.
TEST_F(DwqbStress, AngleCornerShearAlongYAndZ) {
  Run(Angle_Model());
  for (int line : {1, 2}) {
    DWQB_POINT_VALUES r;
    ASSERT_EQ(Calc_DWQB_Line_Point_Values(line, 0, 0, 0, 1, 0, 0, 0, 0, 2, 0, 0, &r), 1);
    EXPECT_REL(std::fabs(r.c[DWQB_C_VY]), 0.04, 1e-9) << line;
    EXPECT_REL(std::fabs(r.c[DWQB_C_VZ]), 0.09, 1e-9) << line;
  }
  DWQB_POINT_VALUES r;
  EXPECT_EQ(Calc_DWQB_Line_Point_Values(9, 0, 0, 0, 1, 0, 0, 0, 0, 2, 0, 0, &r), 0);
  EXPECT_EQ(Calc_DWQB_Line_Point_Values(9, 0, 0, DWQB_PV_NO_SHEAR | DWQB_PV_NO_WARPING, 1, 0, 0, 0, 0, 2, 0, 0, &r), 1);
}

// Unit stresses on the unequal angle for bending and shear axes turned by θ from y (angle
// kind y) or from the principal axis 1: about y and z the unsymmetric-bending form
// σ = [M_y (I_z z − I_yz y) − M_z (I_y y − I_yz z)] / (I_y I_z − I_yz²) with the run's
// second moments (y, z from the centroid); about turned axes the components of the moment
// and of the force vector; the principal kind adds α. A tapered plate (t 1 → 2) is 1.25
// thick a quarter along.
TEST_F(DwqbStress, UnitStressesForTurnedAxesAndTaperedWalls) {
  Run(Angle_Model());
  const double *v = Get_DWQB_Values()->v;
  const double Iy = v[DWQB_V_IM], Iz = v[DWQB_V_IN], Iyz = v[DWQB_V_IMN], D = Iy * Iz - Iyz * Iyz;
  const double alpha = v[DWQB_V_ALPHA];
  ASSERT_GT(std::fabs(alpha), 0.1);
  struct Point { int line; double y, z; } points[] = {{1, 15, 0}, {2, 0, 10}, {1, 7, 0}, {2, 0, 3}};
  for (const Point &p : points) {
    SCOPED_TRACE(::testing::Message() << "at " << p.y << ", " << p.z);
    const double y = p.y - v[DWQB_V_YS], z = p.z - v[DWQB_V_ZS];
    DWQB_POINT_VALUES r0, r;
    ASSERT_EQ(Calc_DWQB_Line_Point_Values(p.line, p.y, p.z, 0, 1, 0, 0, DWQB_ANGLE_Y, 0, 2, 0, 0, &r0), 1);
    EXPECT_REL(r0.c[DWQB_C_MY], (Iz * z - Iyz * y) / D, 1e-9);
    EXPECT_REL(r0.c[DWQB_C_MZ], -(Iy * y - Iyz * z) / D, 1e-9);
    for (const auto &[kind, theta, phi] : {std::tuple{DWQB_ANGLE_Y, 0.4, 0.4}, {DWQB_ANGLE_Y, -0.7, -0.7},
                                           {DWQB_ANGLE_PRINCIPAL, 0.0, alpha}, {DWQB_ANGLE_PRINCIPAL, 0.3, alpha + 0.3}}) {
      SCOPED_TRACE(::testing::Message() << "kind " << kind << " theta " << theta);
      ASSERT_EQ(Calc_DWQB_Line_Point_Values(p.line, p.y, p.z, 0, 1, 0, 0, kind, theta, 2, 0, 0, &r), 1);
      const double c = std::cos(phi), s = std::sin(phi);
      EXPECT_NEAR(r.c[DWQB_C_MY], c * r0.c[DWQB_C_MY] + s * r0.c[DWQB_C_MZ], 1e-9 * std::fabs(r0.c[DWQB_C_MY]) + 1e-12);
      EXPECT_NEAR(r.c[DWQB_C_MZ], c * r0.c[DWQB_C_MZ] - s * r0.c[DWQB_C_MY], 1e-9 * std::fabs(r0.c[DWQB_C_MZ]) + 1e-12);
      EXPECT_NEAR(r.c[DWQB_C_VY], c * r0.c[DWQB_C_VY] + s * r0.c[DWQB_C_VZ], 1e-9);
      EXPECT_NEAR(r.c[DWQB_C_VZ], c * r0.c[DWQB_C_VZ] - s * r0.c[DWQB_C_VY], 1e-9);
      EXPECT_EQ(r.c[DWQB_C_N], r0.c[DWQB_C_N]);
    }
  }
  Reset_DWQB_Querschnitt();
  Add_DWQB_Node(1, 0, 0), Add_DWQB_Node(2, 20, 0);
  Line(1, 1, 2, 1, 2);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  DWQB_POINT_VALUES r;
  ASSERT_EQ(Calc_DWQB_Line_Point_Values(1, 5, 0, 0, 1, 0, 0, DWQB_ANGLE_Y, 0, 2, 0, 0, &r), 1);
  EXPECT_NEAR(r.t, 1.25, 1e-12);
  EXPECT_NEAR(r.rt, 0.8, 1e-12);
  EXPECT_NEAR(r.s, -0.5, 1e-12);
  // Points of the plate's area at (s, e): the centre line at e 0, the faces at e ±1 (left:
  // +z, where the wall is t/2 thick), between them in proportion; a missing line gives 0.
  const DWQB_LINE *L = Find_DWQB_Line_Record(1);
  for (const auto &[s_, e, y, z] : {std::tuple{-0.5, 0.0, 5.0, 0.0}, {-0.5, 1.0, 5.0, 0.625}, {-0.5, -1.0, 5.0, -0.625},
                                     {0.5, 0.5, 15.0, 0.4375}, {1.0, -0.5, 20.0, -0.5}}) {
    SCOPED_TRACE(::testing::Message() << "s " << s_ << " e " << e);
    double py = -1, pz = -1;
    Get_DWQB_Line_Area_Point(L, s_, e, &py, &pz);
    EXPECT_NEAR(py, y, 1e-9);
    EXPECT_NEAR(pz, z, 1e-9);
    Get_DWQB_Line_Centre_Point(L, s_, &py, &pz);
    EXPECT_NEAR(py, y, 1e-9);
    EXPECT_NEAR(pz, 0.0, 1e-9);
  }
  double py = -1, pz = -1;
  Get_DWQB_Line_Centre_Point(nullptr, 0.5, &py, &pz);
  EXPECT_TRUE(py == 0 && pz == 0);
  // The record keeps what was asked; parts left out stay 0; the stresses of eight forces
  // combine their coefficients (forces of distinct primes).
  ASSERT_EQ(Calc_DWQB_Line_Point_Values(1, 5, 0, DWQB_PV_NO_WARPING, 1, 0.3, 0.7, DWQB_ANGLE_Y, 0.2, 2, 1.1, 1.3, &r), 1);
  EXPECT_TRUE(r.y_p == 0.3 && r.z_p == 0.7 && r.theta == 0.2 && r.y_w == 1.1 && r.z_w == 1.3 && r.flags == 4);
  EXPECT_TRUE(r.omega == 0 && r.c[DWQB_C_B] == 0 && r.c[DWQB_C_TW] == 0);
  EXPECT_NEAR(r.y_p0, 0.3 + Get_DWQB_Values()->v[DWQB_V_YS], 1e-12);
  EXPECT_NEAR(r.z_p0, 0.7 + Get_DWQB_Values()->v[DWQB_V_ZS], 1e-12);
  DWQB_POINT_VALUES k{};
  for (int i = 0; i < 8; ++i) k.c[i] = 1 << i;
  const double F[8] = {3, 5, 7, 11, 13, 17, 19, 23}, sigma = 3 + 10 + 28 + 64 * 19, tau = 8 * 11 + 16 * 13 + 32 * 17 + 128 * 23;
  double out[3];
  for (const int flags : {0, int(DWQB_PV_NO_NORMAL), int(DWQB_PV_NO_SHEAR), int(DWQB_PV_NO_WARPING)}) {
    SCOPED_TRACE(flags);
    k.flags = flags;
    ASSERT_EQ(Combine_DWQB_Unit_Stresses(&k, F, out), 1);
    const double sg = (flags == DWQB_PV_NO_NORMAL ? 64 * 19 : flags == DWQB_PV_NO_WARPING ? sigma - 64 * 19 : sigma);
    const double tu = (flags == DWQB_PV_NO_SHEAR ? 128 * 23 : flags == DWQB_PV_NO_WARPING ? tau - 128 * 23 : tau);
    EXPECT_EQ(out[0], sg);
    EXPECT_EQ(out[1], tu);
    EXPECT_NEAR(out[2], std::sqrt(sg * sg + 3 * tu * tu), 1e-9);
  }
  EXPECT_EQ(Combine_DWQB_Unit_Stresses(nullptr, F, out), 0);
  EXPECT_EQ(out[0], 0.0);
}

// The results of a node are the sums of their parts; a line call writes only its nodes.
TEST_F(DwqbStress, NodeResultsAddUpAndLineCallsWriteTheirNodes) {
  Run(Ipe300_Model(1.5));
  ASSERT_NE(Tri(), nullptr);
  const double F[8] = {-20, 300, -40, 3, 12, 5, 700, -9};
  double lo[3], hi[3];
  ASSERT_EQ(Calc_DWQB_OUTLINE_TRIANGULATION_NODE_Stresses_MinMax(tri_, F, lo, hi), 1);
  double svmax = 0.0;
  for (int i = 0; i < tri_->n_nodes; ++i) {
    const DWQB_TRI_NODE &n = tri_->nodes[i];
    double sigma = 0.0, tau = 0.0;
    for (int k : {0, 1, 2, 6}) sigma += n.c[k] * F[k];
    for (int k : {3, 4, 5, 7}) tau += n.c[k] * F[k];
    EXPECT_NEAR(n.res[DWQB_R_SIGMA_N] + n.res[DWQB_R_SIGMA_MY] + n.res[DWQB_R_SIGMA_MZ] + n.res[DWQB_R_SIGMA_B], sigma,
                1e-12);
    EXPECT_NEAR(n.res[DWQB_R_TAU_V] + n.res[DWQB_R_TAU_T], tau, 1e-12);
    EXPECT_NEAR(n.res[DWQB_R_SIGMA_V], std::sqrt(sigma * sigma + 3 * tau * tau), 1e-12);
    svmax = std::fmax(svmax, n.res[DWQB_R_SIGMA_V]);
  }
  EXPECT_EQ(hi[2], svmax);
  const double G[8] = {1, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_EQ(Calc_DWQB_OUTLINE_TRIANGULATION_LINE_NR_Stresses_MinMax(tri_, 3, G, lo, hi), 1);
  for (int i = 0; i < tri_->n_nodes; ++i)
    EXPECT_EQ(tri_->nodes[i].res[DWQB_R_SIGMA_V] == 1 / Get_DWQB_Values()->v[DWQB_V_A], tri_->nodes[i].line_nr == 3);
  ASSERT_EQ(Calc_DWQB_OUTLINE_TRIANGULATION_LINE_Stresses_MinMax(tri_, 4, G, lo, hi), 1);  // list position 4: line 5
  for (int i = 0; i < tri_->n_nodes; ++i)
    if (tri_->nodes[i].line_nr == 5) {
      EXPECT_EQ(tri_->nodes[i].res[DWQB_R_SIGMA], tri_->nodes[i].c[0]);
    }
  ASSERT_EQ(Calc_DWQB_OUTLINE_TRIANGULATION_LINE_NR_Stresses_MinMax(tri_, 99, F, lo, hi), 1);
  EXPECT_EQ(lo[0] + lo[1] + lo[2] + hi[0] + hi[1] + hi[2], 0.0);
  EXPECT_EQ(Calc_DWQB_OUTLINE_TRIANGULATION_NODE_Stresses_MinMax(tri_, nullptr, lo, hi), 0);
  EXPECT_EQ(Calc_DWQB_OUTLINE_TRIANGULATION_NODE_Stresses_MinMax(nullptr, F, lo, hi), 0);
}

// Null outside part mode; an empty record for an empty listed table; lines of part number
// 1 only with option bit 0.
TEST_F(DwqbStress, TriangulationOfWhatIsListed) {
  Run(Plate_Model());
  DWQB_Part_Mode_Switch = 0;
  EXPECT_EQ(Tri(), nullptr);
  Get_DWQB_Header()->options |= DWQB_OPT_PART_MODE;
  ASSERT_NE(Tri(), nullptr);
  const int listed = Get_DWQB_Header()->n_listed_lines;
  Get_DWQB_Header()->n_listed_lines = 0;
  ASSERT_NE(Tri(), nullptr);
  EXPECT_EQ(tri_->n_nodes + tri_->n_elements, 0);
  Get_DWQB_Header()->n_listed_lines = listed;
  Get_DWQB_Header()->listed_lines[0].nr = 7;
  EXPECT_EQ(Tri(), nullptr);
  SectionModel m = Plate_Model();
  m.lines[0].part = 1;
  DWQB_Part_Mode_Switch = 1;
  Run(m);
  ASSERT_NE(Tri(), nullptr);
  EXPECT_EQ(tri_->n_nodes, 0);
  const DWQB_TRI_PARAMS p{10, 20, 1, 10, 1, 1};
  ASSERT_NE(Tri(&p), nullptr);
  EXPECT_EQ(tri_->n_elements, 40);
  EXPECT_EQ(tri_->nodes[0].part_nr, 1);
}

// ---------------------------------------------------------------- stress points

// Case forces sum to unit forces along the principal axes of the centre-line model, so the
// normalisation leaves the records as the line routine made them; records come sorted.
TEST_F(DwqbStress, StressPointsCarryUnitForces) {
  SectionModel ipe = Ipe300_Model(1.5);
  std::reverse(ipe.lines.begin(), ipe.lines.end());
  for (const SectionModel &m : {ipe, Angle_Model(), Tube_Model(10, 0.5)}) {
    SCOPED_TRACE(m.name);
    Run(m);
    ASSERT_EQ(Build_DWQB_Stress_Points(&set_, 0), 1);
    ASSERT_EQ(Sort_DWQB_Stress_Points(set_), static_cast<int>(m.lines.size()));
    const double a = Get_DWQB_Centreline_Result()[11];
    EXPECT_NEAR(set_->sums[0], std::cos(a), 1e-6);  // case 1: axis 1
    EXPECT_NEAR(set_->sums[4], std::sin(a), 1e-6);
    EXPECT_NEAR(set_->sums[1], -std::sin(a), 1e-6);  // case 2: axis 2
    EXPECT_NEAR(set_->sums[5], std::cos(a), 1e-6);
    EXPECT_NEAR(set_->sums[12], Get_DWQB_Values()->v[DWQB_V_A], 1e-9);
    for (int i = 0; i < set_->count; ++i) {
      const DWQB_STRESS_POINT &p = set_->records[i];
      EXPECT_EQ(p.line_nr, i + 1);
      DWQB_STRESS_POINT q;
      ASSERT_EQ(Get_DWQB_Line_Stress_Point(Find_DWQB_Line_Record(p.line_nr), &q), 1);
      for (int k = 0; k < 6; ++k) EXPECT_EQ(p.force[k], q.force[k]);
      Free_DWQB_Stress_Point_Children(&q);
    }
  }
  // About the shear centre the unit shear cases carry no moment, the warping flows of the
  // I form the unit warping torque and every section the unit St. Venant torque (m1 to m4);
  // the angle has no warping, its shear centre lies at the corner of the centre lines.
  for (const SectionModel &m : {Ipe300_Model(1.5), Angle_Model()}) {
    SCOPED_TRACE(m.name);
    Run(m);
    ASSERT_EQ(Build_DWQB_Stress_Points(&set_, 0), 1);
    const bool angle = m.name == "angle";
    EXPECT_NEAR(set_->sums[8], 0.0, angle ? 0.01 : 1e-9);
    EXPECT_NEAR(set_->sums[9], 0.0, angle ? 0.01 : 1e-9);
    EXPECT_NEAR(set_->sums[10], angle ? 0.0 : 1.0, angle ? 1e-9 : 1e-3);
    EXPECT_NEAR(set_->sums[11], 1.0, 1e-9);
    for (int k : {2, 3, 6, 7}) EXPECT_NEAR(set_->sums[k], 0.0, 1e-9) << k;
  }
  // About the centroid the unit cases act at the shear centre: moments r_M × F of the two
  // unit forces (a channel of unequal flanges, no symmetry); the closed tube's cell flows
  // have no resultant force.
  Run(SectionModel{"unequal channel", {{1, 9.5, 0}, {2, 0, 0}, {3, 0, 19}, {4, 6, 19}},
                   {Wall(1, 1, 2, 1.0), Wall(2, 2, 3, 1.0), Wall(3, 3, 4, 1.0)}, false});
  ASSERT_EQ(Build_DWQB_Stress_Points(&set_, 0), 1);
  const double *v = Get_DWQB_Values()->v, a = Get_DWQB_Centreline_Result()[11];
  const double dy = set_->y_0 - v[DWQB_V_YS], dz = set_->z_0 - v[DWQB_V_ZS];  // the set's shear centre
  double S[16] = {}, weight = 0;
  for (int i = 0; i < set_->count; ++i)
    Sum_DWQB_Stress_Point_Resultant(S, &weight, &set_->records[i], v[DWQB_V_YS], v[DWQB_V_ZS]);
  EXPECT_NEAR(S[8], dy * std::sin(a) - dz * std::cos(a), 0.02);  // the points: part-mode walls
  EXPECT_NEAR(S[9], dy * std::cos(a) + dz * std::sin(a), 0.02);
  EXPECT_NEAR(weight, v[DWQB_V_A], 1e-9);
  EXPECT_GT(std::fabs(S[8]) + std::fabs(S[9]), 1.0);
  Run(Tube_Model(10, 0.5));
  ASSERT_EQ(Build_DWQB_Stress_Points(&set_, 0), 1);
  EXPECT_NEAR(set_->sums[3], 0.0, 1e-9);
  EXPECT_NEAR(set_->sums[7], 0.0, 1e-9);
  EXPECT_NEAR(set_->sums[4], 0.0, 1e-9);
  // The tube's quarter arcs (half angle pi/4) have 4 children each.
  EXPECT_EQ(set_->records[0].children->count, 4);
}

// Shares of I_T, the St. Venant face term and the torsion forces of the cell flow.
TEST_F(DwqbStress, StressPointTorsionTerms) {
  Ipe300_Model(1.5).Build();
  EXPECT_EQ(Build_DWQB_Stress_Points(&set_, 8), 0);  // no run, no part tree
  EXPECT_EQ(set_, nullptr);
  Run(Ipe300_Model(1.5));
  ASSERT_EQ(Build_DWQB_Stress_Points(&set_, 8), 1);
  EXPECT_EQ(set_->capacity, 8);
  EXPECT_EQ(set_->count, 5);
  const DWQB_STRESS_POINT_SET *first = set_;
  ASSERT_EQ(Build_DWQB_Stress_Points(&set_, 0), 1);
  EXPECT_EQ(set_, first);
  const double IT = Get_DWQB_Values()->v[DWQB_V_IT];
  double shares = 0.0;
  for (int i = 0; i < set_->count; ++i) {
    const DWQB_STRESS_POINT &p = set_->records[i];
    shares += p.share;
    EXPECT_REL(p.thick * p.share, (p.line_nr == 3 ? 0.71 : 1.07) / IT, 1e-9);
    EXPECT_EQ(p.children, nullptr);
  }
  EXPECT_NEAR(shares, 1.0, 1e-12);

  Run(Box_Model(10, 20, 0.5));
  ASSERT_EQ(Build_DWQB_Stress_Points(&set_, 0), 1);
  const DWQB_PART *root = Get_DWQB_Root_Part();
  shares = 0.0;
  for (int i = 0; i < set_->count; ++i) {
    const DWQB_STRESS_POINT &p = set_->records[i];
    shares += p.share;
    EXPECT_REL(std::hypot(p.torsion_y, p.torsion_z), p.length == 20 ? 4.990643e-2 : 2.495321e-2, 1e-6);
  }
  EXPECT_REL(shares, root->values[45] / (root->values[45] + root->values[46]), 1e-12);
}

// An arc of half angle phi gets round(16 phi / pi) children when that is 2 or more; the
// children share the line's forces.
TEST_F(DwqbStress, ArcStressPointChildren) {
  for (double phi : {0.5, 0.1, 1.0, 0.4}) {
    const double R = 10.0;
    const ModelLine arc = Wall(1, 1, 2, 1.0, R * (1 - std::cos(phi)));
    Run(SectionModel{"arc", {{1, 0, 0}, {2, 2 * R * std::sin(phi), 0}}, {arc}, false});
    ASSERT_EQ(Build_DWQB_Stress_Points(&set_, 0), 1);
    const DWQB_STRESS_POINT &p = set_->records[0];
    if (phi == 0.1) {
      EXPECT_EQ(p.children, nullptr);
      continue;
    }
    ASSERT_NE(p.children, nullptr);
    const int k = phi == 1.0 ? 5 : phi == 0.4 ? 2 : 3;  // round(16 · 1 / π) = 5, round(16 · 0.4 / π) = 2
    ASSERT_EQ(p.children->count, k);
    EXPECT_NEAR(p.area_per_length, 1.0, 0.002);  // the wall's thickness (the outline's area over the arc)
    double f = 0.0, A = 0.0, Sy = 0.0, Sz = 0.0, len = 0.0;
    for (int j = 0; j < k; ++j) {
      const DWQB_STRESS_POINT &c = p.children->records[j];
      f += c.force[1];
      A += c.area;
      Sy += c.area * c.y;
      Sz += c.area * c.z;
      len += c.length;
      EXPECT_NEAR(c.angle, p.angle - phi * (2.0 * j + 1 - k) / k, 1e-12);
    }
    EXPECT_NEAR(f, p.force[1], 1e-12);
    EXPECT_NEAR(A, p.area, 1e-12);
    EXPECT_NEAR(len, p.length, 1e-12);
    EXPECT_NEAR(Sy / A, p.y, 1e-9);
    EXPECT_NEAR(Sz / A, p.z, 0.01);  // the pieces on the centre line, the record on the outline: t²/12R
  }
}

// ---------------------------------------------------------------- output tables

// IPE 300 without radii, the web listed last: plates between the supports (web c = h - 2 t_f
// over t_w; half flanges (b - t_w)/2 over t_f), codes 33 x position (+30 for a reversed end)
// and the cut shares t_f/2 over the web, t_w/2 over the half flange.
TEST_F(DwqbStress, OutputLineTableOfIpe) {
  SectionModel m = Ipe300_Model(0);
  std::rotate(m.lines.begin() + 2, m.lines.begin() + 3, m.lines.end());
  Run(m);
  ASSERT_EQ(Set_DWQB_Output_Line_Table(), 0);
  const DWQB_OUTPUT_TABLES *T = Get_DWQB_Output_Tables();
  const struct {
    int pos, kind;
    double ratio;
    int code_a, code_b;
    double value_a, value_b;
  } rows[] = {{4, 2, (30 - 2 * 1.07) / 0.71, 132, 162, 0.535 / 28.93, 0.535 / 28.93},
              {0, 0, (7.5 - 0.355) / 1.07, 0, 30, 0.0, 0.355 / 7.5}};
  for (const auto &r : rows) {
    SCOPED_TRACE(r.pos);
    const int i = r.pos;
    EXPECT_EQ(T->kind[i], r.kind);
    EXPECT_EQ(T->code_a[i], r.code_a);
    EXPECT_EQ(T->code_b[i], r.code_b);
    EXPECT_NEAR(T->ratio[i], r.ratio, 1e-9);
    EXPECT_NEAR(T->value_a[i], r.value_a, 1e-12);
    EXPECT_NEAR(T->value_b[i], r.value_b, 1e-12);
  }
  DWQB_LINE *L = Find_DWQB_Line_Record(1);
  L->plate_rev_start = 1;
  L->plate_first = 2;
  L->plate_support = 4;
  Find_DWQB_Line_Record(2)->plate_support = 1;
  ASSERT_EQ(Set_DWQB_Output_Line_Table(), 0);
  EXPECT_EQ(T->kind[0], -2);
  EXPECT_EQ(T->value_b[0], 0.0);
  EXPECT_EQ(T->kind[1], 1);
  L->plate_support = 2;
  ASSERT_EQ(Set_DWQB_Output_Line_Table(), 0);
  EXPECT_EQ(T->code_a[0], 96);
  Get_DWQB_Header()->listed_lines[2].nr = 99;
  T->kind[1] = 7;
  EXPECT_EQ(Set_DWQB_Output_Line_Table(), 11);
  EXPECT_EQ(T->kind[1], 1);
}

// The points of a station are those of the point routine at the centre line and the two
// faces (load point in the centroid, pole in the shear centre); flange tips warp by b h/4.
TEST_F(DwqbStress, OutputPointsMatchThePointValues) {
  Run(Ipe300_Model(0));
  ASSERT_EQ(Calc_DWQB_Output_Points(), 0);
  const DWQB_OUTPUT_TABLES *T = Get_DWQB_Output_Tables();
  ASSERT_EQ(T->n_points, 165);
  const double A = Get_DWQB_Values()->v[DWQB_V_A];
  for (int i = 0; i < 5; ++i)
    for (int k = 1; k <= 9; ++k)
      for (int j = 0; j < 3; ++j) {
        SCOPED_TRACE(::testing::Message() << "line " << i << " station " << k << " point " << j);
        const int pt = 3 * (11 * i + k) + j;
        const double y = T->point[DWQB_OP_Y][pt], z = T->point[DWQB_OP_Z][pt];
        DWQB_POINT_VALUES r;
        ASSERT_EQ(Calc_DWQB_Line_Point_Values(i + 1, y, z, 0, 1, 0, 0, 0, 0, 2, 0, 0, &r), 1);
        EXPECT_NEAR(r.s, 0.2 * k - 1, 1e-9);
        EXPECT_NEAR(r.e, j == 0 ? 0.0 : j == 1 ? 1.0 : -1.0, 1e-9);
        const double want[8] = {1 / A, r.c[DWQB_C_MY], r.c[DWQB_C_MZ], r.c[DWQB_C_VY], r.c[DWQB_C_VZ], r.c[DWQB_C_TT],
                                r.omega, r.rt};
        for (int op = DWQB_OP_INV_A; op < DWQB_N_OP; ++op)
          EXPECT_NEAR(T->point[op][pt], want[op - DWQB_OP_INV_A], 1e-12) << op;
        EXPECT_NEAR(r.c[DWQB_C_N], 1 / A, 1e-12);
      }
  for (int i : {0, 1, 3, 4}) EXPECT_REL(std::fabs(T->point[DWQB_OP_OMEGA][3 * 11 * i]), 15 * 28.93 / 4, 1e-9);
  const double *v = Get_DWQB_Values()->v;
  EXPECT_TRUE(T->y_s == v[DWQB_V_YS] && T->z_s == v[DWQB_V_ZS] && T->alpha == v[DWQB_V_ALPHA]);
  EXPECT_TRUE(T->I_1 == v[DWQB_V_I1] && T->I_2 == v[DWQB_V_I2]);
  // Points of the three frames back in the origin frame.
  double y0, z0;
  EXPECT_EQ(Convert_DWQB_Point(DWQB_FRAME_SHEAR_CENTRE, 1, 2, &y0, &z0), 1);
  EXPECT_TRUE(y0 == 1 + v[DWQB_V_YM] && z0 == 2 + v[DWQB_V_ZM]);
  EXPECT_EQ(Convert_DWQB_Point(DWQB_FRAME_CENTROID, 1, 2, &y0, &z0), 1);
  EXPECT_TRUE(y0 == 1 + v[DWQB_V_YS] && z0 == 2 + v[DWQB_V_ZS]);
  EXPECT_EQ(Convert_DWQB_Point(DWQB_FRAME_ORIGIN, 1, 2, &y0, &z0), 1);
  EXPECT_TRUE(y0 == 1 && z0 == 2);
  EXPECT_EQ(Convert_DWQB_Point(7, 1, 2, &y0, &z0), 0);
  EXPECT_REL(std::fabs(T->omega_a[0]), 108.4875, 1e-9);
  // A missing line ends the tables there; the lines before it stay filled.
  Get_DWQB_Header()->listed_lines[3].nr = 99;
  EXPECT_EQ(Calc_DWQB_Output_Points(), 10);
  Run(Polyline_Model(200));
  EXPECT_EQ(Calc_DWQB_Output_Points(), 0);
  EXPECT_EQ(Get_DWQB_Output_Tables()->n_points, 6600);
}

// ---------------------------------------------------------------- hooks and services

struct HookLog {
  int creates = 0, frees = 0;
  double key = 0;
  void *object = nullptr;
};
HookLog g_log;
int g_object;
const DWQB_RESULT_HOOKS kHooks = {
    [](const double *key, void *ctx) -> void * {
      auto *log = static_cast<HookLog *>(ctx);
      ++log->creates;
      log->key = *key;
      return *key < 0 ? nullptr : &g_object;
    },
    [](void *object, void *, const double *, const double *, void *, void **, const DWQB_RESULT_HOOKS *table,
       void *ctx) { return object == &g_object && table == &kHooks && ctx == &g_log ? 7 : -1; },
    [](void *object, void *ctx) {
      ++static_cast<HookLog *>(ctx)->frees;
      static_cast<HookLog *>(ctx)->object = object;
    },
    &g_log};

// A result is created once per key (within 1e-8), freed on a new key, with the section and
// through its own table when the table changes; a failed request for a key answers 0 until
// the key or the table changes.
TEST_F(DwqbStress, HookResultsAreCachedPerKey) {
  g_log = HookLog{};
  double key = 2.0;
  EXPECT_EQ(Get_DWQB_Hook_Result(&key), nullptr);
  EXPECT_EQ(Query_DWQB_Hook_Result(&g_object, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(Set_DWQB_Result_Hooks(&kHooks), nullptr);
  EXPECT_EQ(Get_DWQB_Hook_Result(&key), &g_object);  // the failure without a table is forgotten
  key += 1e-9;
  EXPECT_EQ(Get_DWQB_Hook_Result(&key), &g_object);
  EXPECT_EQ(g_log.creates, 1);
  key = 3.0;
  EXPECT_EQ(Get_DWQB_Hook_Result(&key), &g_object);
  EXPECT_EQ(Get_DWQB_Hook_Result(&key), &g_object);
  EXPECT_EQ(g_log.creates, 2);
  EXPECT_EQ(g_log.frees, 1);
  EXPECT_EQ(g_log.key, 3.0);
  EXPECT_EQ(Query_DWQB_Hook_Result(&g_object, nullptr, nullptr, nullptr, nullptr, nullptr), 7);
  key = -1.0;
  EXPECT_EQ(Get_DWQB_Hook_Result(&key), nullptr);
  EXPECT_EQ(g_log.frees, 2);
  EXPECT_EQ(Get_DWQB_Hook_Result(&key), nullptr);
  EXPECT_EQ(g_log.creates, 3);
  key = 4.0;
  EXPECT_EQ(Get_DWQB_Hook_Result(&key), &g_object);
  EXPECT_EQ(Get_DWQB_Cached_Hook_Result(), &g_object);
  EXPECT_EQ(Set_DWQB_Result_Hooks(nullptr), &kHooks);  // freed through the table that made it
  EXPECT_EQ(g_log.frees, 3);
  EXPECT_EQ(Get_DWQB_Cached_Hook_Result(), nullptr);
  Set_DWQB_Result_Hooks(&kHooks);
  EXPECT_EQ(Get_DWQB_Hook_Result(&key), &g_object);
  EXPECT_EQ(g_log.creates, 5);
  Free_DWQB_Querschnitt();
  EXPECT_EQ(g_log.frees, 4);
  EXPECT_EQ(g_log.object, &g_object);
  EXPECT_EQ(Get_DWQB_Cached_Hook_Result(), nullptr);
  DWQB_Part_Mode_Switch = 0;
  EXPECT_EQ(Get_DWQB_Hook_Result(&key), nullptr);
  EXPECT_EQ(Set_DWQB_Result_Hooks(nullptr), &kHooks);
}

// Extents with the wall thickness: stored after a run (0), else built (1), from the wall
// rectangles or from the outlines.
TEST_F(DwqbStress, ExtentsOfTheSection) {
  for (int part : {1, 0}) {
    for (bool run : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "part mode " << part << " run " << run);
      Reset_DWQB_Querschnitt();
      DWQB_Part_Mode_Switch = part;
      Ipe300_Model(1.5).Build();
      if (run) {
        ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
      }
      double e[4];
      EXPECT_EQ(Build_DWQB_Outlines(&e[0], &e[1], &e[2], &e[3]), run ? 0 : 1);
      const double want[4] = {-7.5, 7.5, 0, 30};
      for (int k = 0; k < 4; ++k) EXPECT_NEAR(e[k], want[k], 1e-9) << k;
    }
  }
}

// A move keeps every section value but the positions; the masks of the old place go.
TEST_F(DwqbStress, MoveTurnsAndShiftsTheSection) {
  Run(Ipe300_Model(1.5));
  auto nodes = [] {
    std::vector<double> yz;
    for (const DWQB_NODE *n = Get_DWQB_First_Node(); n; n = n->next) yz.insert(yz.end(), {n->y, n->z});
    return yz;
  };
  const std::vector<double> before = nodes();
  const double zero[3] = {0, 0, 0};
  EXPECT_EQ(Move_DWQB_Querschnitt(zero), 1);
  EXPECT_EQ(std::memcmp(before.data(), nodes().data(), before.size() * sizeof(double)), 0);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  const std::vector<double> v0(Get_DWQB_Values()->v, Get_DWQB_Values()->v + DWQB_N_VALUES);
  const double params[5] = {23.5, 21000, 0, 0.01, 0};
  ASSERT_NE(Build_DWQB_PLO_Mask(params), nullptr);
  const double move[3] = {3, -2, std::numbers::pi / 6};
  Move_DWQB_Querschnitt(move);
  EXPECT_EQ(Get_DWQB_PLO_Result(), nullptr);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  const double *v = Get_DWQB_Values()->v;
  for (int k : {DWQB_V_A, DWQB_V_I1, DWQB_V_I2, DWQB_V_IT, DWQB_V_IW}) EXPECT_REL(v[k], v0[k], 1e-6) << k;
  EXPECT_NEAR(v[DWQB_V_ALPHA], std::numbers::pi / 6, 1e-6);
  EXPECT_NEAR(v[DWQB_V_YS], -3.901924, 1e-6);
  EXPECT_NEAR(v[DWQB_V_ZS], 12.758330, 1e-6);
  EXPECT_NE(Build_DWQB_PLO_Mask(params), nullptr);
}
}  // namespace
