// Unit stresses, triangulation, stress points, output tables, hooks and section services
// of the solver, against closed forms of thin-walled beam theory and section tables.
#include <cmath>
#include <numbers>
#include <vector>

#include "dwqb/dwqb_fixture.h"
#include "dwqb/dwqb_plastic.h"
#include "dwqb/dwqb_stress.h"
#include "dwqb/section_models.h"

namespace {
#define EXPECT_REL(a, b, rel)                                   \
  do {                                                          \
    EXPECT_NEAR((a), (b), (rel) * std::fabs(b) + 1e-15);        \
  } while (0)

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
    int refine, options, elements, nodes;
  } cases[] = {
      {Plate_Model(), 1, 0, 40, 33},        {Plate_Model(), 2, 0, 160, 273},   {Plate_Model(), 3, 0, 360, 433},
      {Ipe300_Model(1.5), 1, 0, 400, 305},  {Box_Model(10, 20, 0.5), 1, 0, 160, 132},
      {Polyline_Model(200), 1, 0, 8000, 6600},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.m.name + " refine " + std::to_string(c.refine));
    Run(c.m);
    const DWQB_TRI_PARAMS p{10, 20, 1, 10, c.refine, c.options};
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
  EXPECT_REL(A, 53.81247, 1e-6);
  EXPECT_REL(IT, 15.70189, 1e-6);
  EXPECT_REL(Iw, 125934.05, 1e-6);
  const double hm = 28.93, b = 15.0, S = 306.4421, Icl = 8149.074;
  struct Case {
    int force, value;  // 0 sigma, 1 tau
    double lo, hi, tol;
  } cases[] = {
      {DWQB_F_N, 0, 1 / A, 1 / A, 1e-9},
      {DWQB_F_MY, 0, -15 / I1, 15 / I1, 1e-9},
      {DWQB_F_MZ, 0, -7.5 / I2, 7.5 / I2, 1e-9},
      {DWQB_F_VZ, 1, -S / (Icl * 0.71), S / (Icl * 0.71), 1e-6},
      {DWQB_F_TT, 1, -1.07 / IT, 1.07 / IT, 1e-9},
      {DWQB_F_B, 0, -b * hm / 4 / Iw, b * hm / 4 / Iw, 1e-9},
      {DWQB_F_TW, 1, -hm * b * b / (16 * Iw), hm * b * b / (16 * Iw), 1e-6},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.force);
    double lo[3], hi[3];
    Unit(c.force, lo, hi);
    const double m = std::fmax(std::fabs(lo[c.value]), std::fabs(hi[c.value]));
    EXPECT_REL(m, std::fmax(std::fabs(c.lo), std::fabs(c.hi)), c.tol);
    EXPECT_REL(hi[c.value], c.hi, c.tol);
    if (c.force != DWQB_F_VZ) EXPECT_REL(lo[c.value], c.lo, c.tol);  // the web's flow runs along +z
    if (c.value == 1) {
      EXPECT_REL(hi[2], std::sqrt(3.0) * m, c.tol);
    }
  }
}
}  // namespace
