// Evaluation interface of the mask, its reinforced-concrete builder, the load-factor
// search and the integration's refusal of planes that are not finite. Units: metres,
// per mille, kN/m², kN.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "masque_sections.h"

namespace {

using namespace masque_test;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using MasqueNichtEndlich = SteelRectangleTest;

// A plane or load factor with a component that is not finite has no forces: 0 and zeros,
// for the forces and the stiffness alike; finite planes still integrate.
TEST_F(MasqueNichtEndlich, PlanesThatAreNotFiniteFail) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case { DEHNUNGSEBENE p; double lf; } cases[] = {
      {{0, kNaN, 1, 0}, 1.0}, {{kNaN, 1, 1, 0}, 1.0}, {{0, 1, inf, 0}, 1.0},
      {{0, 1, 1, kNaN}, 1.0}, {{0, 1, 1, 0}, kNaN},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.p.phi << " " << c.p.eps0 << " " << c.p.kappa << " " << c.lf);
    double F[4] = {7, 7, 7, 7};
    EXPECT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &c.p, c.lf, F), 0);
    for (double f : F) EXPECT_EQ(f, 0.0);
    MASQUE_SCHNITTGROESSEN K;
    K.F[0] = 7;
    K.K[1][1] = 7;
    EXPECT_EQ(Calc_Masque_Dehnungsebene_Steifigkeit(mask_, &c.p, c.lf, &K), 0);
    EXPECT_EQ(K.F[0], 0.0);
    EXPECT_EQ(K.K[1][1], 0.0);
  }
  const DEHNUNGSEBENE ok{0, 10, 0, 0};
  double F[4];
  EXPECT_EQ(Calc_Masque_Dehnungsebene_Forces(mask_, &ok, 1.0, F), 1);
  EXPECT_NEAR(F[0], 4700.0, 1e-6);
}

}  // namespace
