// Strain-plane integration over a mask: forces against closed forms and strip sums of the
// steel rectangle, the stiffness against central differences, element kinds, frames,
// weights, result factors and the failure paths. Units: metres, per mille, kN/m².
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "masque_sections.h"

namespace {

using namespace masque_test;
constexpr double kPi = std::numbers::pi;

class MasqueIntegration : public SteelRectangleTest {
 protected:
  void Forces(double phi, double eps0, double kappa, double x3, double *F) {
    const DEHNUNGSEBENE p{phi, eps0, kappa, x3};
    ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &p, 1.0, F), 1);
  }
};

void ExpectRel(double actual, double expected, double rel) {
  EXPECT_NEAR(actual, expected, rel * std::fabs(expected)) << "expected " << expected;
}

TEST_F(MasqueIntegration, RectangleAgainstClosedForms) {
  double F[4];
  Forces(0, 10, 0, 0, F);  // fully yielded in tension
  ExpectRel(F[0], 4700.0, 1e-9);
  EXPECT_NEAR(F[1], 0.0, 1e-9 * 4700);
  EXPECT_NEAR(F[2], 0.0, 1e-9 * 4700);

  // Pure bending: F2 = −f b (h²/4 − y_k²/3) with the elastic core y_k = eps_y / kappa.
  for (double kappa : {100.0, 1500.0}) {
    const double yk = kEpsY / kappa;
    const double expected = -kFy * 0.1 * (0.01 - yk * yk / 3.0);
    Forces(0, 0, kappa, 0, F);
    ExpectRel(F[2], expected, 1e-9);
    EXPECT_NEAR(F[0], 0.0, 1e-9 * 4700);
    EXPECT_NEAR(F[1], 0.0, 1e-9 * 4700);
  }

  // Bending with axial force against a strip sum of 200000 strips.
  Forces(0, -3, 60, 0, F);
  double S[3];
  StripSum([](double y) { return -3.0 + 60.0 * y; }, -0.1, 0.1, -0.05, 0.05, 200000, S);
  ExpectRel(F[0], -2350.0, 1e-9);
  ExpectRel(F[0], S[0], 1e-9);
  ExpectRel(F[2], S[2], 1e-9);
  ExpectRel(F[2], -173.5251585202, 1e-9);
  EXPECT_NEAR(F[1], 0.0, 1e-9 * 4700);
}

TEST_F(MasqueIntegration, RotatedPlane) {
  double F[4];
  Forces(0.3, -3, 60, 0, F);
  ExpectRel(F[0], -2459.86626, 1e-8);
  ExpectRel(F[1], 12.1156698, 1e-8);
  ExpectRel(F[2], -165.768790, 1e-8);
}

TEST_F(MasqueIntegration, NegativeCurvatureIsThePlaneTurnedByPi) {
  MASQUE_SCHNITTGROESSEN a, b;
  const DEHNUNGSEBENE p{0, -3, -60, 0}, q{kPi, -3, 60, 0};
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Steifigkeit(mask_, &p, 1.0, &a), 1);
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Steifigkeit(mask_, &q, 1.0, &b), 1);
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(a.F[i], b.F[i], 1e-9 * 4700);
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(a.K[j][i], b.K[j][i], 1e-9 * std::fabs(a.K[0][0]));
  }
  // Strain −3 − 60 y: compression grows with y, so −∫σ y is positive.
  EXPECT_GT(a.F[2], 100.0);
}

// K[j][i] = ∂F_i/∂x_j with x = (eps0, kappa cos phi, kappa sin phi, x3), by central
// differences with step 1e-6.
void ExpectStiffnessMatchesDifferences(MASQUE *mask, const DEHNUNGSEBENE &p, int n) {
  MASQUE_SCHNITTGROESSEN K;
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Steifigkeit(mask, &p, 1.0, &K), 1);
  DEHNUNGSEBENE_KARTESISCH x;
  Dehnungsebene_to_Cartesian(&p, &x);
  double big = 0.0;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) big = std::fmax(big, std::fabs(K.K[j][i]));
  for (int j = 0; j < n; ++j) {
    double Fp[4], Fm[4];
    for (int s = 0; s < 2; ++s) {
      DEHNUNGSEBENE_KARTESISCH y = x;
      double *c[4] = {&y.eps0, &y.b, &y.c, &y.x3};
      *c[j] += s == 0 ? 1e-6 : -1e-6;
      DEHNUNGSEBENE q;
      Dehnungsebene_to_Polar(&y, &q);
      ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask, &q, 1.0, s == 0 ? Fp : Fm), 1);
    }
    for (int i = 0; i < n; ++i) {
      const double d = (Fp[i] - Fm[i]) / 2e-6;
      EXPECT_NEAR(K.K[j][i], d, 1e-6 * std::fmax(std::fabs(d), big)) << "K[" << j << "][" << i << "]";
    }
  }
}

TEST_F(MasqueIntegration, StiffnessEqualsCentralDifferences) {
  ExpectStiffnessMatchesDifferences(mask_, DEHNUNGSEBENE{0, -3, 60, 0}, 3);
  ExpectStiffnessMatchesDifferences(mask_, DEHNUNGSEBENE{0.3, -3, 60, 0}, 3);
  ExpectStiffnessMatchesDifferences(mask_, DEHNUNGSEBENE{0.7, 0.2, 3, 0}, 3);  // elastic throughout
}

TEST_F(MasqueIntegration, InitialStrainRowAndColumn) {
  Set_Masque_Calc_Mode(MASQUE_MODE_VORDEHNUNG);
  const MASQUE_CALC_OPTIONS opt{MASQUE_OPTION_VORDEHNUNG, 0, 0.0};
  Set_Masque_Calc_Options(mask_, &opt);
  const MASQUE_VORDEHNUNG v{0.5, 4.0, -6.0, MASQUE_VORDEHNUNG_AKTIV, 0};
  ASSERT_EQ(Set_Masque_Gruppe_Vordehnung(Get_Masque_Gruppe(mask_, 0), &v), 1);
  ASSERT_EQ(Update_Masque_Querschnitt(mask_, MASQUE_VORDEHNUNG_GESCANNT), 1);
  ASSERT_EQ(Masque_Uses_Vordehnung(mask_), 1);
  ExpectStiffnessMatchesDifferences(mask_, DEHNUNGSEBENE{0, -3, 60, 0.3}, 4);
  ExpectStiffnessMatchesDifferences(mask_, DEHNUNGSEBENE{0.3, -3, 60, 0.3}, 4);

  // A uniform initial strain a taken off twice: strain 2a... here a = 2, x3 = −1 gives
  // +2 per mille everywhere (yielded), F0 = f A and F3 = ∫σ a = a F0.
  const MASQUE_VORDEHNUNG u{2.0, 0.0, 0.0, MASQUE_VORDEHNUNG_AKTIV, 0};
  Set_Masque_Gruppe_Vordehnung(Get_Masque_Gruppe(mask_, 0), &u);
  double F[4];
  const DEHNUNGSEBENE p{0, 0, 0, -1.0};
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &p, 1.0, F), 1);
  ExpectRel(F[0], 4700.0, 1e-12);
  ExpectRel(F[3], 9400.0, 1e-12);

  // Without the option bit the initial strains are not integrated.
  Set_Masque_Calc_Options(mask_, nullptr);
  Update_Masque_Querschnitt(mask_, 0);
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &p, 1.0, F), 1);
  EXPECT_EQ(F[0], 0.0);
  EXPECT_EQ(F[3], 0.0);
}

TEST_F(MasqueIntegration, TheMaskIsLeftAsItWas) {
  Set_Masque_Frame(mask_, 0.01, -0.02, 0.2, 0);
  Update_Masque_Querschnitt(mask_, 0);
  const MASQUE_KNOTEN before = *Get_Masque_Knoten(mask_, 1);
  const unsigned flags = mask_->flags;
  MASQUE_SCHNITTGROESSEN K;
  const DEHNUNGSEBENE p{0.7, -3, 60, 0};
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Steifigkeit(mask_, &p, 1.0, &K), 1);
  EXPECT_EQ(mask_->frame[0], 0.01);
  EXPECT_EQ(mask_->frame[1], -0.02);
  EXPECT_EQ(mask_->frame[2], 0.2);
  EXPECT_EQ(mask_->flags, flags);
  EXPECT_EQ(Get_Masque_Knoten(mask_, 1)->y_lokal, before.y_lokal);
  EXPECT_EQ(Get_Masque_Knoten(mask_, 1)->z_lokal, before.z_lokal);
}

TEST_F(MasqueIntegration, FrameMovesAndTurnsTheForces) {
  // In a frame at (y0, z0) turned by theta the same strains are the transformed plane,
  // and the forces are the transformed forces.
  const DEHNUNGSEBENE p{0.3, -3, 60, 0};
  double F[4], G[4], H[4];
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &p, 1.0, F), 1);
  const double frame[3] = {0.02, -0.01, 0.5};
  Copy_Masque_Frame(mask_, frame, 0);
  DEHNUNGSEBENE q;
  Transform_Dehnungsebene_by_Frame(&p, frame, &q, 0);
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &q, 1.0, G), 1);
  Transform_Schnittgroessen_by_Frame(F, frame, H, 0);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(G[i], H[i], 1e-9 * 4700);
}

TEST(MasqueIntegrationExample, UnitLawRectangleExactly) {
  // σ = ε (kN/m² per mille) on 0 <= y <= 2, 0 <= z <= 1 under the strain y.
  Reset_Masque_Module_For_Tests();
  for (bool clockwise : {false, true}) {
    MASQUE *mask = Create_Masque_Querschnitt(1, 0);
    SPANNUNGSDEHNUNGSLINIE *line = AddLine(mask, 1.0, 0.1, 150.0);
    if (clockwise) {
      AddPolygon(mask, line, {{0, 0}, {0, 1}, {2, 1}, {2, 0}});
    } else {
      AddRect(mask, line, 0, 2, 0, 1);
    }
    ASSERT_EQ(Update_Masque_Querschnitt(mask, 0), 1);
    double F[4];
    const DEHNUNGSEBENE p{0, 0, 1, 0};
    ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask, &p, 1.0, F), 1);
    const double s = clockwise ? -1.0 : 1.0;
    EXPECT_NEAR(F[0], s * 2.0, 2e-13);
    EXPECT_NEAR(F[1], s * 1.0, 1e-13);
    EXPECT_NEAR(F[2], s * -8.0 / 3.0, 8.0 / 3.0 * 1e-13);
    Destroy_Masque_Querschnitt(mask);
  }
}

class MasqueElements : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Masque_Module_For_Tests();
    mask_ = Create_Masque_Querschnitt(1, 0);
  }
  void TearDown() override {
    Destroy_Masque_Querschnitt(mask_);
    Reset_Masque_Module_For_Tests();
  }
  MASQUE_KNOTEN *Node(double y, double z) {
    MASQUE_KNOTEN *n = Create_Masque_Knoten(0, y, z);
    Add_Masque_Knoten(mask_, n);
    return n;
  }
  MASQUE *mask_ = nullptr;
};

TEST_F(MasqueElements, CircleHoleWithConstantStress) {
  // Rigid-plastic line: −1000 kN/m² in compression, +2000 in tension.
  const double p[SDL_PARAMETER] = {1000, 2000, -1, 1, 10, 0, 10000, 0, 0, 0};
  SPANNUNGSDEHNUNGSLINIE *line = Create_Masque_Spannungsdehnungslinie(1, 2, nullptr, p);
  Add_Masque_Spannungsdehnungslinie(mask_, line);
  MASQUE_GRUPPE *hole = Create_Masque_Kreis(0, line, Node(0.3, 0.1), -0.05);
  Add_Masque_Gruppe(mask_, hole);
  ASSERT_EQ(Update_Masque_Querschnitt(mask_, 0), 1);
  double F[4];
  const DEHNUNGSEBENE tension{0, 1, 0, 0};
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &tension, 1.0, F), 1);
  EXPECT_NEAR(F[0], -2000.0 * kPi * 0.0025, 1e-12);
  EXPECT_NEAR(F[1], -2000.0 * kPi * 0.0025 * 0.1, 1e-12);
  EXPECT_NEAR(F[2], 2000.0 * kPi * 0.0025 * 0.3, 1e-12);
  // The zero line through the centre: half in compression, half in tension, exactly.
  const DEHNUNGSEBENE split{0, -3, 10, 0};
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &split, 1.0, F), 1);
  EXPECT_NEAR(F[0], -(2000.0 - 1000.0) * kPi * 0.0025 / 2.0, 1e-12);
  // Tension half about y = 0.3: its centroid lies 4r/(3π) further out.
  const double e = 4.0 * 0.05 / (3.0 * kPi), half = kPi * 0.0025 / 2.0;
  EXPECT_NEAR(F[2], 2000.0 * half * (0.3 + e) - 1000.0 * half * (0.3 - e), 1e-12);
}

TEST_F(MasqueElements, CircleWithLinearLaw) {
  SPANNUNGSDEHNUNGSLINIE *line = AddLine(mask_, 1.0, 0.1, 150.0);  // σ = ε up to 100
  Add_Masque_Gruppe(mask_, Create_Masque_Kreis(0, line, Node(0.5, 0.2), 0.1));
  ASSERT_EQ(Update_Masque_Querschnitt(mask_, 0), 1);
  double F[4];
  const DEHNUNGSEBENE p{0, 0, 1, 0};  // σ = y
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &p, 1.0, F), 1);
  // The 5-point rule in the angle over one piece is good to a few 1e-5 here.
  const double A = kPi * 0.01;
  EXPECT_NEAR(F[0], 0.5 * A, 5e-5 * 0.5 * A);
  EXPECT_NEAR(F[1], 0.5 * 0.2 * A, 5e-5 * 0.1 * A);
  EXPECT_NEAR(F[2], -(A * 0.25 + kPi * 1e-4 / 4.0), 2e-4 * 0.25 * A);
}

TEST_F(MasqueElements, PointsAndLines) {
  SPANNUNGSDEHNUNGSLINIE *line = AddLine(mask_);
  MASQUE_GRUPPE *points = Create_Masque_Punktgruppe(0, line);
  Add_Masque_Punkt(points, Node(0.1, 0.02), 0.001);
  Add_Masque_Punkt(points, Node(-0.1, 0.02), 0.002);
  Add_Masque_Gruppe(mask_, points);
  ASSERT_EQ(Update_Masque_Querschnitt(mask_, 0), 1);
  double F[4];
  const DEHNUNGSEBENE p{0, 0, 5, 0};  // ±0.5 per mille: elastic, σ = 105000 y·... kN/m²
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &p, 1.0, F), 1);
  const double s1 = 210000.0 * 0.5, s2 = -s1;
  EXPECT_NEAR(F[0], 0.001 * s1 + 0.002 * s2, 1e-9);
  EXPECT_NEAR(F[1], 0.02 * (0.001 * s1 + 0.002 * s2), 1e-9);
  EXPECT_NEAR(F[2], -(0.1 * 0.001 * s1 - 0.1 * 0.002 * s2), 1e-9);
  ExpectStiffnessMatchesDifferences(mask_, DEHNUNGSEBENE{0.4, 0.1, 5, 0}, 3);  // y and z of the points apart

  // A thin wall from (0, −0.1) to (0, 0.1), t = 0.01, bent about its axis: the plastic
  // moment of the line, f t L²/4, less the elastic core.
  Destroy_Masque_Querschnitt(mask_);
  mask_ = Create_Masque_Querschnitt(1, 0);
  line = AddLine(mask_);
  MASQUE_KANTE *edge = Create_Masque_Kante(0, Node(0, -0.1), Node(0, 0.1), 0.0);
  Add_Masque_Kante(mask_, edge);
  MASQUE_GRUPPE *wall = Create_Masque_Liniengruppe(0, line);
  Add_Masque_Linie(wall, edge, 0.01);
  Add_Masque_Gruppe(mask_, wall);
  ASSERT_EQ(Update_Masque_Querschnitt(mask_, 0), 1);
  const DEHNUNGSEBENE q{kPi / 2.0, 0, 100, 0};
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &q, 1.0, F), 1);
  const double zk = kEpsY / 100.0;
  EXPECT_NEAR(F[1], kFy * 0.01 * (0.01 - zk * zk / 3.0), 1e-9);
  EXPECT_NEAR(F[0], 0.0, 1e-9);
}

TEST_F(MasqueElements, WeightsLoadFactorAndSecondLine) {
  SPANNUNGSDEHNUNGSLINIE *line = AddLine(mask_);
  MASQUE_GRUPPE *g = AddRect(mask_, line, -0.1, 0.1, -0.05, 0.05);
  ASSERT_EQ(Update_Masque_Querschnitt(mask_, 0), 1);
  double F[4];
  const DEHNUNGSEBENE p{0, 10, 0, 0};
  g->gewicht = MASQUE_GEWICHT{1, 0.5};  // load-factor switch on, weight 0.5
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &p, 3.0, F), 1);
  EXPECT_NEAR(F[0], 4700.0 * 1.5, 1e-9);
  // A second line adds the group once more with its factor; weight 0 adds nothing at all.
  SPANNUNGSDEHNUNGSLINIE *other = AddLine(mask_, 210000, 100);
  Update_Masque_Querschnitt(mask_, 0);
  Set_Masque_Spannungsdehnungslinie_Extern(line, other, 2.0);
  g->gewicht = MASQUE_GEWICHT{0, 1.0};
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &p, 1.0, F), 1);
  EXPECT_NEAR(F[0], 4700.0 + 2.0 * 2000.0, 1e-9);
  g->gewicht = MASQUE_GEWICHT{0, 0.0};
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &p, 1.0, F), 1);
  EXPECT_EQ(F[0], 0.0);
}

TEST_F(MasqueIntegration, ResultFactorsScaleForcesAndStiffness) {
  const double f[4] = {1.0, 0.0, 1.0, 1.0};
  Set_Masque_Result_Factors(f);
  MASQUE_SCHNITTGROESSEN K;
  const DEHNUNGSEBENE p{0.3, -3, 60, 0};
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Steifigkeit(mask_, &p, 1.0, &K), 1);
  EXPECT_EQ(K.F[1], 0.0);
  EXPECT_EQ(K.K[2][1], 1e-6);
  EXPECT_EQ(K.K[0][1], 0.0);
  ExpectRel(K.F[0], -2459.86626, 1e-8);
  Set_Masque_Result_Factors(nullptr);
}

TEST_F(MasqueIntegration, FailurePaths) {
  double F[4] = {1, 1, 1, 1};
  const DEHNUNGSEBENE p{0, 10, 0, 0};
  EXPECT_EQ(Calc_Masque_Dehnungsebene_Forces(nullptr, &p, 1.0, F), 0);
  EXPECT_EQ(F[0], 0.0);
  EXPECT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, nullptr, 1.0, F), 0);
  EXPECT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &p, 1.0, nullptr), 0);
  EXPECT_EQ(Calc_Masque_Dehnungsebene_Steifigkeit(mask_, &p, 1.0, nullptr), 0);
  // A group of an unknown type fails; the others are still summed.
  SPANNUNGSDEHNUNGSLINIE *line = Get_Masque_Spannungsdehnungslinie(mask_, 0);
  MASQUE_GRUPPE *bad = Create_Masque_Punktgruppe(0, line);
  Add_Masque_Gruppe(mask_, bad);
  bad->typ = 7;
  EXPECT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &p, 1.0, F), 0);
  EXPECT_NEAR(F[0], 4700.0, 1e-9);
  double lo, hi;
  EXPECT_EQ(Get_Masque_Gruppe_Extent(bad, &lo, &hi), 0);
  bad->typ = MASQUE_PUNKTGRUPPE;
  EXPECT_EQ(Get_Masque_Gruppe_Extent(bad, &lo, &hi), 0);  // empty
  ASSERT_EQ(Get_Masque_Gruppe_Extent(Get_Masque_Gruppe(mask_, 0), &lo, &hi), 1);
  EXPECT_EQ(lo, -0.1);
  EXPECT_EQ(hi, 0.1);
}

TEST_F(MasqueIntegration, StrainBeyondTheLastSegmentIsLeftOut) {
  // Only the compression branch: every strain above 0 lies beyond the last segment.
  Prepare_Masque_Spannungsdehnungslinien_Cut(mask_, 2);
  double F[4];
  const DEHNUNGSEBENE p{0, -3, 60, 0};
  ASSERT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &p, 1.0, F), 1);
  double S[3];
  StripSum([](double y) { return std::fmin(-3.0 + 60.0 * y, 0.0); }, -0.1, 0.1, -0.05, 0.05, 200000, S);
  ExpectRel(F[0], S[0], 1e-9);
  ExpectRel(F[2], S[2], 1e-9);
  Prepare_Masque_Spannungsdehnungslinien_Cut(mask_, 0);
}

}  // namespace
