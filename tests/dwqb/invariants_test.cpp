// Properties every section must have: equilibrium of the unit shear flows, the unit
// closed-cell torque, orthogonality of the warping ordinates about the shear centre, and
// the behaviour of the values under translation, rotation and mirroring.
#include <cmath>
#include <numbers>
#include <vector>

#include "tests/dwqb/dwqb_fixture.h"
#include "tests/dwqb/section_models.h"

namespace {

std::vector<SectionModel> All_Models() {
  return {Ipe300_Model(1.5), Ipe300_Model(0.0), Channel_Model(), Box_Model(10, 20, 0.5), Box_Model(10, 10, 1),
          Two_Cell_Model(), Tube_Model(10, 0.5), Plate_Model(), Rounded_Channel_Model()};
}

std::vector<double> Run_Values(const SectionModel &m) {
  Reset_DWQB_Querschnitt();
  m.Build();
  EXPECT_EQ(Calc_DWQB_Querschnitt(), 0) << m.name;
  const double *v = Get_DWQB_Values()->v;
  return std::vector<double>(v, v + DWQB_N_VALUES);
}

// Composite Simpson over s in [-1, 1] of f(s) · |d(point)/ds| style integrands: f gets
// (s, y, z, dy/ds, dz/ds, t) and the rule's weight is applied here.
template <class F>
double Integrate_Lines(F f) {
  const int n = 400;
  double sum = 0.0;
  for (DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next)
    for (int i = 0; i <= n; ++i) {
      const double s = -1.0 + 2.0 * i / n;
      const double w = (i == 0 || i == n ? 1.0 : (i % 2 ? 4.0 : 2.0)) * (2.0 / n) / 3.0;
      double y, z, dy, dz;
      Calc_Line_Point(&l->geo, s, &y, &z);
      Get_DWQB_Line_Geometry_Tangent(s, 0.0, &l->geo, &dy, &dz);
      const double t = ((1 - s) * l->t_a + (1 + s) * l->t_b) / 2;
      sum += w * f(l, s, y, z, dy, dz, t);
    }
  return sum;
}

}  // namespace

class DwqbInvariants : public DwqbTest {};

// The unit shear flows of the two principal directions carry a unit force along their
// principal axis and none across it (the plate carries no force across its wall).
TEST_F(DwqbInvariants, UnitShearFlowsCarryUnitForces) {
  for (const SectionModel &m : All_Models()) {
    for (double phi : {0.0, 0.5}) {
      const SectionModel mm = m.Turned(phi);
      Run_Values(mm);
      const double a = Get_DWQB_Centreline_Result()[11], c = std::cos(a), s = std::sin(a);
      const double *F = Dwqb_State().shear_sums;  // ∫q1 dy, ∫q2 dy, ∫q1 dz, ∫q2 dz
      EXPECT_NEAR(F[1], c, 1e-6) << m.name << " " << phi;
      EXPECT_NEAR(F[3], s, 1e-6) << m.name << " " << phi;
      if (m.name != "plate") {
        EXPECT_NEAR(F[0], -s, 1e-6) << m.name << " " << phi;
        EXPECT_NEAR(F[2], c, 1e-6) << m.name << " " << phi;
      }
      // The same from the six-point rows that the line readers hand out: principal axes
      // in mode 1, y and z in mode 0.
      for (int mode : {0, 1}) {
        double F1[2] = {0, 0};
        for (int k = 0; k < 2; ++k)
          F1[k] = Integrate_Lines([&](DWQB_LINE *l, double s, double, double, double dy, double dz, double) {
            double o[5];
            Get_DWQB_Line_Shear_Values(l, mode, o, s, 0.0, 0);
            return o[1] * (k == 0 ? dy : dz);
          });
        const double ey = mode == 1 ? c : 1.0, ez = mode == 1 ? s : 0.0;
        if (m.name != "plate" || mode == 1) {
          EXPECT_NEAR(F1[0], ey, 1e-4) << m.name << " " << phi << " mode " << mode;
          EXPECT_NEAR(F1[1], ez, 1e-4) << m.name << " " << phi << " mode " << mode;
        }
      }
    }
  }
}

// The torsion flow of every section with a closed cell integrates to the cells' share of
// a unit torque.
TEST_F(DwqbInvariants, TorsionFlowGivesUnitTorque) {
  for (const SectionModel &m : All_Models()) {
    if (!m.closed) continue;
    Run_Values(m.Moved(2.0, -3.0));
    const double T = Integrate_Lines([](DWQB_LINE *l, double s, double y, double z, double dy, double dz, double) {
      double o[5];
      Get_DWQB_Line_Shear_Values(l, 0, o, s, 0.0, 0);
      return o[2] * (y * dz - z * dy);
    });
    // The cells carry their share R46 / (R45 + R46) of the unit torque.
    const DWQB_PART *root = Get_DWQB_Root_Part();
    EXPECT_NEAR(T, root->values[46] / (root->values[45] + root->values[46]), 1e-6) << m.name;
  }
}

// About the shear centre the ordinates are orthogonal to 1, y and z; the secondary flows
// of warping carry a unit torque about it.
TEST_F(DwqbInvariants, WarpingOrdinatesOrthogonalAboutShearCentre) {
  for (const SectionModel &m : All_Models()) {
    const std::vector<double> v = Run_Values(m.Moved(1.5, 4.0));
    double norm = 0.0;
    double I[3];
    for (int k = 0; k < 3; ++k)
      I[k] = Integrate_Lines([&](DWQB_LINE *l, double s, double y, double z, double dy, double dz, double t) {
        double o[5];
        Get_DWQB_Line_Warping_Values(l, 2, o, s, 0.0, 0.0, 0);
        const double dA = t * std::hypot(dy, dz);
        if (k == 0) norm += std::fabs(o[0]) * dA * (1.0 + std::fabs(y) + std::fabs(z));
        return o[0] * dA * (k == 0 ? 1.0 : k == 1 ? y : z);
      });
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(I[k], 0.0, 1e-6 * (norm + 1.0)) << m.name << " " << k;
    // Value 25: ∫ω_M r² dA / I_w about the centre-line centroid, here by brute force.
    if (v[DWQB_V_IW] > 0.0) {
      const double ys = Get_DWQB_Centreline_Result()[1], zs = Get_DWQB_Centreline_Result()[2];
      const double W = Integrate_Lines([&](DWQB_LINE *l, double s, double y, double z, double dy, double dz, double t) {
        double o[5];
        Get_DWQB_Line_Warping_Values(l, 2, o, s, 0.0, 0.0, 0);
        return o[0] * ((y - ys) * (y - ys) + (z - zs) * (z - zs)) * t * std::hypot(dy, dz);
      });
      EXPECT_NEAR(v[DWQB_V_WARP_RATIO], W / v[DWQB_V_IW], 1e-6 * (1 + std::fabs(W / v[DWQB_V_IW]))) << m.name;
    }
    if (v[DWQB_V_IW] > 0.0) {
      EXPECT_NEAR(Dwqb_Secondary_Torque(), 1.0, 1e-6) << m.name;
    }
  }
}

// A translation moves the positions by the vector and leaves everything else.
TEST_F(DwqbInvariants, TranslationMovesOnlyPositions) {
  const double dy = 3.7, dz = -12.3;
  const int moved_y[] = {1, 22, 30, 44, 45}, moved_z[] = {2, 23, 31, 46, 47};
  const int kept[] = {0, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 24, 29,
                      32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 48};
  for (const SectionModel &m : All_Models()) {
    const std::vector<double> a = Run_Values(m), b = Run_Values(m.Moved(dy, dz));
    for (int k : moved_y) EXPECT_NEAR(b[k], a[k] + dy, 1e-6 * (1 + std::fabs(a[k]))) << m.name << " value " << k;
    for (int k : moved_z) EXPECT_NEAR(b[k], a[k] + dz, 1e-6 * (1 + std::fabs(a[k]))) << m.name << " value " << k;
    for (int k : kept) EXPECT_NEAR(b[k], a[k], 1e-6 * (1 + std::fabs(a[k]))) << m.name << " value " << k;
  }
}

// A turn keeps A, the principal moments, I_T and I_w; axis 1 stays the one nearest y, so
// a turn beyond 45° swaps I_1 and I_2 and folds α back. The sectorial products about the
// centroid (I_ωy, I_ωz) turn like (y, z).
TEST_F(DwqbInvariants, RotationKeepsTheInvariants) {
  for (const SectionModel &m : All_Models()) {
    const std::vector<double> a = Run_Values(m);
    ASSERT_EQ(a[DWQB_V_ALPHA], 0.0) << m.name;
    const bool distinct = std::fabs(a[DWQB_V_I1] - a[DWQB_V_I2]) > 1e-3 * a[DWQB_V_I1];
    for (double phi : {0.3, 1.2, -1.2, std::numbers::pi / 2}) {
      const std::vector<double> b = Run_Values(m.Turned(phi));
      const double quarters = std::round(phi / (std::numbers::pi / 2));
      const bool swapped = std::fmod(std::fabs(quarters), 2.0) == 1.0;
      const double tol = 1e-6 * (1 + a[DWQB_V_I1] + a[DWQB_V_I2]);
      EXPECT_NEAR(b[DWQB_V_A], a[DWQB_V_A], 1e-9 * a[DWQB_V_A]) << m.name;
      EXPECT_NEAR(b[DWQB_V_I1] + b[DWQB_V_I2], a[DWQB_V_I1] + a[DWQB_V_I2], tol) << m.name;
      if (distinct) {
        EXPECT_NEAR(b[DWQB_V_ALPHA], phi - quarters * std::numbers::pi / 2, 1e-9) << m.name << " " << phi;
        EXPECT_NEAR(b[DWQB_V_I1], a[swapped ? DWQB_V_I2 : DWQB_V_I1], tol) << m.name << " " << phi;
        EXPECT_NEAR(b[DWQB_V_I2], a[swapped ? DWQB_V_I1 : DWQB_V_I2], tol) << m.name << " " << phi;
      }
      EXPECT_NEAR(b[DWQB_V_IT], a[DWQB_V_IT], 1e-6 * a[DWQB_V_IT]) << m.name;
      EXPECT_NEAR(b[DWQB_V_IW], a[DWQB_V_IW], 1e-6 * (1 + a[DWQB_V_IW])) << m.name;
      EXPECT_LE(std::fabs(b[DWQB_V_ALPHA]), std::numbers::pi / 4 + 1e-12) << m.name;
      const double c = std::cos(phi), s = std::sin(phi), wz = a[DWQB_V_WARP_PROD1], wy = a[DWQB_V_WARP_PROD2];
      const double wtol = 1e-6 * (1 + std::fabs(wy) + std::fabs(wz));
      EXPECT_NEAR(b[DWQB_V_WARP_PROD2], c * wy - s * wz, wtol) << m.name << " " << phi;
      EXPECT_NEAR(b[DWQB_V_WARP_PROD1], s * wy + c * wz, wtol) << m.name << " " << phi;
    }
  }
}

// Mirror symmetry puts the shear centre on the axis; a mirrored section has the mirrored
// shear centre and the same constants.
TEST_F(DwqbInvariants, MirrorSymmetryPutsShearCentreOnTheAxis) {
  // Channel turned so that its symmetry axis is y = 0.
  const SectionModel ch = Channel_Model().Moved(0, -9.5).Turned(std::numbers::pi / 2);
  std::vector<double> v = Run_Values(ch);
  EXPECT_NEAR(v[DWQB_V_YM], 0.0, 1e-9);
  v = Run_Values(Two_Cell_Model().Moved(0, -5).Turned(-std::numbers::pi / 2));
  EXPECT_NEAR(v[DWQB_V_YM], 0.0, 1e-9);
  for (const SectionModel &m : All_Models()) {
    const std::vector<double> a = Run_Values(m), b = Run_Values(m.Mirrored());
    EXPECT_NEAR(b[DWQB_V_YM], -a[DWQB_V_YM], 1e-9 * (1 + std::fabs(a[DWQB_V_YM]))) << m.name;
    EXPECT_NEAR(b[DWQB_V_ZM], a[DWQB_V_ZM], 1e-9 * (1 + std::fabs(a[DWQB_V_ZM]))) << m.name;
    EXPECT_NEAR(b[DWQB_V_A], a[DWQB_V_A], 1e-9 * a[DWQB_V_A]) << m.name;
    EXPECT_NEAR(b[DWQB_V_IT], a[DWQB_V_IT], 1e-9 * a[DWQB_V_IT]) << m.name;
    EXPECT_NEAR(b[DWQB_V_IW], a[DWQB_V_IW], 1e-6 * (1 + a[DWQB_V_IW])) << m.name;
  }
}

// Two separate plates, one along y and one along z, share the shear by their own bending
// stiffness: the flows still carry the unit forces, and each plate keeps its ends free.
TEST_F(DwqbInvariants, SeparatePartsShareTheShear) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Add_DWQB_Node(3, 15, -5);
  Add_DWQB_Node(4, 15, 7);
  Line(1, 1, 2, 1.0, 1.0);
  Line(2, 3, 4, 0.5, 0.5);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  EXPECT_EQ(Get_DWQB_Root_Part()->count, 2);
  const double a = Get_DWQB_Centreline_Result()[11], c = std::cos(a), s = std::sin(a);
  EXPECT_NE(a, 0.0);
  const double *F = Dwqb_State().shear_sums;
  EXPECT_NEAR(F[0], -s, 1e-9);
  EXPECT_NEAR(F[1], c, 1e-9);
  EXPECT_NEAR(F[2], c, 1e-9);
  EXPECT_NEAR(F[3], s, 1e-9);
  for (DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next)
    for (double end : {-1.0, 1.0}) {
      double o[5];
      Get_DWQB_Line_Shear_Values(l, 0, o, end, 0.0, 0);
      EXPECT_NEAR(o[0], 0.0, 1e-12) << l->nr;
      EXPECT_NEAR(o[1], 0.0, 1e-12) << l->nr;
    }
}

// Odd but valid input never gives values that are not numbers.
TEST_F(DwqbInvariants, OddModelsGiveFiniteValues) {
  const double rise = 2.0;
  std::vector<SectionModel> odd = {
      // Two walls crossing without a node: no plane graph, the Euler check complains.
      {"crossing", {{1, 0, 0}, {2, 10, 10}, {3, 0, 10}, {4, 10, 0}}, {Wall(1, 1, 2, 1), Wall(2, 3, 4, 1)}, false},
      // A lens: two arcs between the same two nodes.
      {"lens", {{1, 0, 0}, {2, 10, 0}}, {Wall(1, 1, 2, 0.5, rise), Wall(2, 1, 2, 0.5, -rise)}, true},
      // A star of six walls at one node.
      {"star", {{1, 0, 0}, {2, 10, 0}, {3, 5, 8}, {4, -5, 8}, {5, -10, 0}, {6, -5, -8}, {7, 5, -8}},
       {Wall(1, 1, 2, 1), Wall(2, 1, 3, 1), Wall(3, 1, 4, 1), Wall(4, 1, 5, 1), Wall(5, 1, 6, 1), Wall(6, 1, 7, 1)},
       false},
      // A triangle with a tail and a wall of part number 1 across it.
      {"triangle", {{1, 0, 0}, {2, 10, 0}, {3, 5, 8}, {4, 15, 0}},
       {Wall(1, 1, 2, 1), Wall(2, 2, 3, 1), Wall(3, 3, 1, 1), Wall(4, 2, 4, 0.5), {5, 1, 3, {0.3, 0.3, 0, 0, 0, 0, 0, 0, 0}, 1}},
       true},
      // Only walls of part number 1.
      {"part one", {{1, 0, 0}, {2, 10, 0}}, {{1, 1, 2, {1, 1, 0, 0, 0, 0, 0, 0, 0}, 1}}, false},
      // Tapered walls down to almost nothing.
      {"taper", {{1, 0, 0}, {2, 10, 0}, {3, 10, 10}}, {{1, 1, 2, {2, 1e-4, 0, 0, 0, 0, 0, 0, 0}, 0},
                                                    {2, 2, 3, {1e-4, 1, 0, 0, 0, 0, 0, 0, 0}, 0}}, false},
  };
  for (const SectionModel &m : odd) {
    const std::vector<double> v = Run_Values(m);
    for (int k = 0; k < DWQB_N_VALUES; ++k) EXPECT_TRUE(std::isfinite(v[k])) << m.name << " value " << k;
  }
}
