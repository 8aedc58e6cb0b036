// Convex hull of the limit strains: the limit planes of a reinforced-concrete rectangle,
// a circle and line groups against hand-computed tangents, admissibility at every point,
// agreement with the domain table where both apply, the cache, the failure path and the
// limit states of the steel rectangle through the hull. Units: metres, per mille, kN.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "masque_sections.h"

namespace {

using namespace masque_test;

// The concrete rectangle 0.5 × 0.3 ("C30/37") with two bars of 3.14159e-4 at y 0.05 and
// 0.45 ("BSt 500 SA").
MASQUE *Stahlbeton() {
  const double y[4] = {0, 0.5, 0.5, 0}, z[4] = {0, 0, 0.3, 0.3};
  const double by[2] = {0.05, 0.45}, bz[2] = {0.05, 0.05}, a[2] = {3.14159e-4, 3.14159e-4};
  MASQUE *m = Build_Masque_Stahlbeton(1, 4, y, z, 2, by, bz, a, Find_Builtin_Spannungsdehnungslinie("C30/37"),
                                      Find_Builtin_Spannungsdehnungslinie("BSt 500 SA"));
  EXPECT_NE(m, nullptr);
  EXPECT_EQ(Update_Masque_Querschnitt(m, 0), 1);
  return m;
}

DEHNUNGSEBENE Hull(MASQUE *m, double t, double phi = 0.0, int expected = 1) {
  if (!(m->flags & MASQUE_HULL_LIMITS)) Set_Masque_Option_Flag(m, 1);
  const double pair[2] = {phi, t};
  DEHNUNGSEBENE p{};
  EXPECT_EQ(Get_Masque_Grenzdehnungsebene(m, pair, &p), expected) << "t " << t;
  return p;
}

DEHNUNGSEBENE Table(MASQUE *m, double t) {
  if (m->flags & MASQUE_HULL_LIMITS) Set_Masque_Option_Flag(m, 0);
  const double pair[2] = {0.0, t};
  DEHNUNGSEBENE p{};
  EXPECT_EQ(Get_Masque_Grenzdehnungsebene(m, pair, &p), 1);
  return p;
}

void ExpectPlane(const DEHNUNGSEBENE &p, double eps0, double kappa, double tol = 1e-6) {
  EXPECT_NEAR(p.eps0, eps0, tol);
  EXPECT_NEAR(p.kappa, kappa, tol);
}

TEST(MasqueHull, ReinforcedConcreteLimitPlanes) {
  MASQUE *m = Stahlbeton();
  // Tangents by hand: pivot (3/7 · 0.5, −2), concrete corners −3.5, bars ±25.
  struct Case { double t, eps0, kappa; } cases[] = {
      {0, -2, 0}, {1, -2.848214286, 3.958333333}, {16, -3.5, 63.33333333}, {24.5, 10.75, 31.66666667}, {33, 25, 0},
      {-3, -2, 0}, {40, 25, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.t);
    ExpectPlane(Hull(m, c.t), c.eps0, c.kappa);
  }
  ASSERT_NE(m->hull, nullptr);
  EXPECT_TRUE(m->flags & MASQUE_HULL_GUELTIG);
  const MASQUE_HULL_PUNKT &pivot = m->hull->druck[m->hull->i_druck_max];
  EXPECT_NEAR(pivot.x, 3.0 / 7.0 * 0.5, 1e-12);
  EXPECT_EQ(pivot.value, -2.0);
  EXPECT_EQ(pivot.knoten, nullptr);
  // Every plane keeps every fibre within its limits.
  for (double t = 0; t <= 33; t += 0.25) {
    const DEHNUNGSEBENE p = Hull(m, t);
    auto e = [&](double y) { return p.eps0 + p.kappa * y; };
    SCOPED_TRACE(t);
    EXPECT_GE(e(0.0), -3.5 - 1e-9);
    EXPECT_GE(e(0.5), -3.5 - 1e-9);
    EXPECT_GE(e(3.0 / 14.0), -2.0 - 1e-9);
    for (double y : {0.05, 0.45}) {
      EXPECT_GE(e(y), -25 - 1e-9);
      EXPECT_LE(e(y), 25 + 1e-9);
    }
  }
  // Where hull and domain table mean the same plane they agree.
  for (double t : {0.0, 16.0, 33.0}) {
    SCOPED_TRACE(t);
    const DEHNUNGSEBENE h = Hull(m, t), d = Table(m, t);
    ExpectPlane(h, d.eps0, d.kappa, 1e-9);
  }
  // The first bar on "BSt 420 S" (limit 5): beyond the diagonal the lines turn about it.
  SPANNUNGSDEHNUNGSLINIE *b420 = Clone_Masque_Spannungsdehnungslinie(Find_Builtin_Spannungsdehnungslinie("BSt 420 S"));
  ASSERT_EQ(Add_Masque_Spannungsdehnungslinie(m, b420), 1);
  ASSERT_EQ(Set_Masque_Gruppe_Linie(Get_Masque_Gruppe(m, 1), b420), 1);
  ASSERT_EQ(Update_Masque_Querschnitt(m, 0), 1);
  ExpectPlane(Hull(m, 24.5), 3.416666667, 31.66666667);
  // Above the slope 50 of the two bars' bounds the second bar is the vertex again.
  ExpectPlane(Hull(m, 18), 25 - 0.45 * 63.33333333 * 15 / 17, 63.33333333 * 15 / 17);
  Destroy_Masque_Querschnitt(m);
}

TEST(MasqueHull, CircleLineGroupsAndConcreteOnly) {
  // A concrete circle gives its two extreme fibres; bars at y 0.15 and 0.35.
  MASQUE *m = Create_Masque_Querschnitt(1, 0);
  SPANNUNGSDEHNUNGSLINIE *c = Clone_Masque_Spannungsdehnungslinie(Find_Builtin_Spannungsdehnungslinie("C30/37"));
  SPANNUNGSDEHNUNGSLINIE *s = Clone_Masque_Spannungsdehnungslinie(Find_Builtin_Spannungsdehnungslinie("BSt 500 SA"));
  Add_Masque_Spannungsdehnungslinie(m, c);
  Add_Masque_Spannungsdehnungslinie(m, s);
  MASQUE_KNOTEN *mid = Create_Masque_Knoten(1, 0.25, 0.15);
  Add_Masque_Knoten(m, mid);
  Add_Masque_Gruppe(m, Create_Masque_Kreis(1, c, mid, 0.15));
  for (double y : {0.15, 0.35}) {
    MASQUE_KNOTEN *n = Create_Masque_Knoten(2, y, 0.15);
    Add_Masque_Knoten(m, n);
    MASQUE_GRUPPE *g = Create_Masque_Punktgruppe(2, s);
    Add_Masque_Punkt(g, n, 3.14159e-4);
    Add_Masque_Gruppe(m, g);
  }
  ASSERT_EQ(Update_Masque_Querschnitt(m, 0), 1);
  ExpectPlane(Hull(m, 16), -14.9, 114);
  ExpectPlane(Hull(m, 0), -2, 0);
  Destroy_Masque_Querschnitt(m);

  // Two steel line groups on one edge (more points than node references).
  m = Create_Masque_Querschnitt(2, 0);
  SPANNUNGSDEHNUNGSLINIE *line = AddLine(m);
  MASQUE_KNOTEN *a = Create_Masque_Knoten(1, -0.1, 0), *b = Create_Masque_Knoten(2, 0.1, 0);
  Add_Masque_Knoten(m, a);
  Add_Masque_Knoten(m, b);
  MASQUE_KANTE *e = Create_Masque_Kante(1, a, b, 0);
  Add_Masque_Kante(m, e);
  for (int k = 0; k < 2; ++k) {
    MASQUE_GRUPPE *g = Create_Masque_Liniengruppe(k, line);
    Add_Masque_Linie(g, e, 0.01);
    Add_Masque_Gruppe(m, g);
  }
  ASSERT_EQ(Update_Masque_Querschnitt(m, 0), 1);
  ExpectPlane(Hull(m, 16), 0, 1500);
  EXPECT_EQ(m->hull->capacity, 5);
  Destroy_Masque_Querschnitt(m);

  // Concrete only: no tension bound, no diagonal; the domain table's planes.
  const double y[4] = {0, 0.5, 0.5, 0}, z[4] = {0, 0, 0.3, 0.3};
  m = Build_Masque_Stahlbeton(3, 4, y, z, 0, nullptr, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(Update_Masque_Querschnitt(m, 0), 1);
  for (double t : {0.0, 3.0, 16.0, 30.0}) {
    SCOPED_TRACE(t);
    const DEHNUNGSEBENE h = Hull(m, t), d = Table(m, t);
    ExpectPlane(h, d.eps0, d.kappa, 1e-12);
    Set_Masque_Option_Flag(m, 1);
    const double pair[2] = {0, t};
    DEHNUNGSEBENE q{};
    EXPECT_EQ(Get_Masque_Hull_Grenzdehnungsebene(m, pair, &q), 0);
  }
  Destroy_Masque_Querschnitt(m);
}

// The cache answers a repeated request for the same frame and is computed again for a
// moved origin; a missing element leaves no valid cache and no plane.
TEST(MasqueHull, CacheAndFailure) {
  MASQUE *m = Stahlbeton();
  Hull(m, 16);
  m->hull->diagonale = 10.0;  // marks the cached record
  EXPECT_NEAR(Hull(m, 16).kappa, 10.0, 1e-12);
  Set_Masque_Frame(m, 0.1, 0.0, 0.0, 0);
  ExpectPlane(Hull(m, 16), -3.5 + 0.1 * 63.33333333, 63.33333333);
  Set_Masque_Frame(m, 0.0, 0.0, 0.0, 0);

  MASQUE_GRUPPE *bar = Get_Masque_Gruppe(m, 1);
  MASQUE_KNOTEN *node = Get_Masque_Punkt(bar, 0)->knoten;
  Get_Masque_Punkt(bar, 0)->knoten = nullptr;
  EXPECT_EQ(Convex_Hull(m), 0);
  EXPECT_FALSE(m->flags & MASQUE_HULL_GUELTIG);
  EXPECT_EQ(m->hull->i_diag_druck, -1);
  DEHNUNGSEBENE p{7, 7, 7, 7};
  Set_Masque_Option_Flag(m, 1);
  const double pair[2] = {0, 16};
  double F[4];
  EXPECT_EQ(Get_Masque_Grenzdehnungsebene(m, pair, &p), 0);
  EXPECT_EQ(p.eps0, 7.0);
  EXPECT_EQ(Calc_Masque_Dehnungsbereich_Forces(m, pair, 1.0, F), 0);
  Get_Masque_Punkt(bar, 0)->knoten = node;
  Destroy_Masque_Querschnitt(m);
}

// On the steel rectangle the hull gives the domain table's planes, so its forces and
// limit states stand.
TEST_F(SteelRectangleTest, HullRouteLimitStates) {
  Set_Masque_Option_Flag(mask_, 1);
  const double pair[2] = {0, 16};
  double F[4];
  ASSERT_EQ(Calc_Masque_Dehnungsbereich_Forces(mask_, pair, 1.0, F), 1);
  EXPECT_NEAR(F[2], -234.9956402536, 1e-9);
  const SOLVER_TOLERANZ tol{1e-6, 100};
  struct Case { double T[4]; double lambda, rel; } cases[] = {
      {{-1, 0, 0, 0}, 4700, 1e-5}, {{0, 0, 1, 0}, 234.99564, 1e-3}, {{0, 1, 0, 0}, 117.49782, 1e-3}};
  for (const Case &c : cases) {
    GRENZZUSTAND r{};
    EXPECT_EQ(Calc_Masque_Grenzzustand(mask_, c.T, 1.0, &tol, &r, 0), 1);
    EXPECT_NEAR(r.lambda, c.lambda, c.lambda * c.rel);
  }
}

}  // namespace
