// Ribs, holes and stress points of the thin-walled profile model against hand values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <tuple>

#include "dwqb/dwqb.h"
#include "profil/profil.h"
#include "support/cp850.h"
#include "tests/materials/capture.h"
#include "tests/profil/profil_shapes.h"

namespace {

// The welded I of the rib tests: h 300, flanges 150 × 10, web 6 (mm): A 4680 mm².
PROFIL Welded_I() {
  PROFIL p{};
  Reset_Profil(&p);
  Set_Shape(&p, PROFIL_I, 300, 6, 150, 10, 150, 10, 0);
  return p;
}

struct Ribs {
  PROFIL_RIB_MODEL m{};
  Ribs() { Reset_Profil_Rib_Model(&m); }
  ~Ribs() { Reset_Profil_Rib_Model(&m); }
  // One more rib of the given form on a plate, spacing from the rib before.
  void Rib(int plate, int type, double h, double t_w, double b_fo, double t_fo, double b_fu, double spacing,
           int side = 0) {
    PROFIL_RIB_SPEC &r = m.ribs[plate];
    Set_Shape(&r.rib, type, h, t_w, b_fo, t_fo, b_fu, 0, 0);
    r.spacing[r.count++] = spacing;
    r.side = side;
  }
  void Hole(int plate, int k, double width, double centre) {
    m.holes[plate].width[k] = width;
    m.holes[plate].centre[k] = centre;
  }
  PROFIL_STRESS_POINT &Point(int number, uint8_t flags, double y, double z) {
    return m.points[m.point_count++] = {number, flags, 0, y, z, {0, 0, 0}};
  }
  int Calc(PROFIL *p, int with_points = 0) {
    return Calc_Profil_DWQB_Querschnittswerte(p, m.ribs, m.holes, m.mirror, with_points ? m.point_count : 0,
                                              with_points ? m.points : nullptr);
  }
};

}  // namespace

// Web holes and ribs of each form on the web and the top flange of the welded I: the area
// grows by the rib's plates (clear lengths), the second moments by the hand values.
TEST(ProfilRibs, HolesAndRibsChangeTheSectionValues) {
  struct Case {
    const char *what;
    int plate, type, side;
    double h, t_w, b_fo, t_fo, b_fu, spacing, hole_width, A, I_y, I_z, y_s;
  };
  // Trapezoid 40 high, top 30, foot 60, t 5: α = atan(0.375), both webs (h − t)/cos α long,
  // its top plate 2(g − e) + t/cos α wide (g and e on the 10 mm flange).
  const double ca = std::cos(std::atan(0.375)), w = 5 / ca;
  const double trapez = 2 * 5 * 35 / ca + 5 * (2 * ((10 * 0.375 - w + 60) / 2 - (40 + 5 - 2.5) * 0.375) + w);
  const Case cases[] = {
      {"empty rib model", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4680, 74076000, NAN, NAN},
      {"web hole 50 at z 150", 0, 0, 0, 0, 0, 0, 0, 0, 0, 50, 4380, 74013500, NAN, NAN},
      {"web hole 0.001", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.001, 4680, 74076000, NAN, NAN},
      {"flat 50 x 8 on the web, side 0", 0, PROFIL_FLAT, 0, 50, 8, 0, 0, 0, 140, 0, 5080, 74078133.3, 6002280.4,
       -72.795},
      {"flat 50 x 8 on the web, side 1", 0, PROFIL_FLAT, 1, 50, 8, 0, 0, 0, 140, 0, 5080, 74078133.3, 6002280.4,
       -77.205},
      {"flat 50 x 8 on both sides of the web", 0, PROFIL_FLAT, 2, 50, 8, 0, 0, 0, 140, 0, 5480, NAN, NAN, -75},
      {"angle on the web", 0, PROFIL_ANGLE, 0, 50, 5, 40, 6, 0, 140, 0, 4680 + 250 + 210, NAN, NAN, NAN},
      {"angle on the top flange", 1, PROFIL_ANGLE, 0, 50, 5, 40, 6, 0, 50, 0, 4680 + 250 + 210, NAN, NAN, NAN},
      {"channel on the web", 0, PROFIL_U, 0, 40, 5, 30, 6, 0, 140, 0, 4680 + 200 + 300, NAN, NAN, NAN},
      {"channel on the top flange", 1, PROFIL_C, 0, 40, 5, 30, 6, 0, 40, 0, 4680 + 200 + 300, NAN, NAN, NAN},
      {"T on the web", 0, PROFIL_T, 0, 50, 5, 40, 6, 0, 140, 0, 4680 + 220 + 240, NAN, NAN, NAN},
      {"T on the top flange", 1, PROFIL_HALF_I, 0, 50, 5, 40, 6, 0, 50, 0, 4680 + 220 + 240, NAN, NAN, NAN},
      {"trapezoid on the top flange", 1, PROFIL_TRAPEZ, 0, 40, 5, 30, 5, 60, 40, 0, 4680 + trapez, NAN, NAN, NAN},
      {"channel 7 high, feet 1 apart", 0, PROFIL_U, 0, 7, 5, 30, 6, 0, 140, 0, 4680 + 35 + 300, NAN, NAN, NAN},
  };
  for (const Case &c : cases) {
    PROFIL p = Welded_I();
    Ribs r;
    if (c.hole_width > 0) r.Hole(0, 0, c.hole_width, 150);
    if (c.type) r.Rib(c.plate, c.type, c.h, c.t_w, c.b_fo, c.t_fo, c.b_fu, c.spacing, c.side);
    ASSERT_EQ(r.Calc(&p), 0) << c.what;
    EXPECT_NEAR(p.A, c.A, 1e-6 * c.A) << c.what;
    for (auto [got, want, tol] : {std::tuple{p.I_y, c.I_y, 1e-6 * c.I_y}, {p.I_z, c.I_z, 1e-6 * c.I_z}, {p.y_s, c.y_s, 1e-3}})
      EXPECT_TRUE(std::isnan(want) || std::fabs(got - want) <= tol) << c.what << ": " << got << " against " << want;
    Reset_Profil(&p);
  }
  // Welded ribs (throat a 4: fillets of leg 4√2 where the rib's own plates meet) and rolled
  // ribs (root radius 3, toe radius 2) add or take (1 − π/4) r² per corner: the T two
  // fillets and, rolled, two rounded flange tips; the angle one and one; the channel two.
  const double q = 1 - M_PI / 4, weld = q * 32, root = q * 9, toe = q * 4;
  const struct {
    int type;
    double a;
    int rolled;
    double added;
  } made[] = {{PROFIL_T, 4, 0, 2 * weld},     {PROFIL_T, 0, 1, 2 * root - 2 * toe}, {PROFIL_ANGLE, 4, 0, weld},
              {PROFIL_ANGLE, 0, 1, root - toe}, {PROFIL_U, 4, 0, 2 * weld},          {PROFIL_U, 0, 1, 2 * root}};
  for (const auto &c : made) {
    SCOPED_TRACE(::testing::Message() << c.type << " a " << c.a << " rolled " << c.rolled);
    PROFIL p = Welded_I();
    Ribs r;
    r.Rib(0, c.type, 50, 5, 40, 6, 0, 140);
    PROFIL &rib = r.m.ribs[0].rib;
    rib.a_o = c.a, rib.rolled = c.rolled, rib.r = 3, rib.r_2 = 2;
    ASSERT_EQ(r.Calc(&p), 0);
    const double plain = 4680 + (c.type == PROFIL_U ? 200 + 470 : 220 + 240);
    EXPECT_NEAR(p.A - plain, c.added, 0.005);
    Reset_Profil(&p);
  }
  {  // two holes in a rolled web (root radius 15), listed out of order: each takes h t_w
    PROFIL p = Welded_I(), plain = Welded_I();
    p.rolled = plain.rolled = 1, p.r = plain.r = 15;
    Ribs r, none;
    r.Hole(0, 0, 20, 200), r.Hole(0, 1, 20, 100);
    ASSERT_EQ(r.Calc(&p), 0);
    ASSERT_EQ(none.Calc(&plain), 0);
    EXPECT_NEAR(plain.A - p.A, 2 * 20 * 6, 1e-6 * p.A);
    Reset_Profil(&p), Reset_Profil(&plain);
  }
  {  // twenty ribs, the most a plate takes
    PROFIL p = Welded_I();
    Ribs r;
    for (int k = 0; k < 20; ++k) r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, 12);
    ASSERT_EQ(r.Calc(&p), 0);
    EXPECT_NEAR(p.A, 4680 + 20 * 400, 1e-6 * p.A);
    Reset_Profil(&p);
  }
  // On a vertical plate an angle's second leg runs to larger z: the angle at z 150 on the
  // web (its first leg at the I's centroid) has the second leg's 210 mm² 20 mm below it.
  PROFIL p = Welded_I();
  Ribs r;
  r.Rib(0, PROFIL_ANGLE, 50, 5, 40, 6, 0, 140);
  ASSERT_EQ(r.Calc(&p), 0);
  EXPECT_NEAR(p.z_s, 150 + 210 * 20 / 5140.0, 1e-3);
  Reset_Profil(&p);
}

// The rib forms' small operations: rib types (C, U, trapezoid), foot widths, heights with the
// height switch off and on (on at program start; trapezoid 40 high, top 30, foot 60, wall 5
// on a plate 10 thick: b_fu − t_w / cos α + t_p tan α with tan α = 15/40), six doubles cleared.
TEST(ProfilRibs, RibFormsHeightsAndFeet) {
  Reset_Profil_Module_For_Tests();
  EXPECT_EQ(Get_Profil_Rib_Height_Mode(), 1);
  const double w = 5 / std::cos(std::atan(0.375));
  const struct {
    int type;
    double h, t_w, b_fo, t_fo, b_fu;
    int rib_type;
    double foot, height_off, height_on;
  } cases[] = {
      {PROFIL_U, 40, 5, 30, 6, 0, 1, 6, 34, 40},          {PROFIL_C, 40, 5, 30, 6, 0, 1, 6, 34, 40},
      {PROFIL_TRAPEZ, 40, 5, 30, 5, 60, 1, w, 60 - w + 3.75, 60 - w + 3.75},
      {PROFIL_FLAT, 50, 8, 0, 0, 0, 0, 8, 0, 8},           {PROFIL_T, 50, 5, 40, 6, 0, 0, 5, 0, 5},
      {PROFIL_ANGLE, 50, 7, 40, 6, 0, 0, 7, 0, 7},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.type);
    PROFIL rib{};
    Set_Shape(&rib, c.type, c.h, c.t_w, c.b_fo, c.t_fo, c.b_fu, 0, 0);
    EXPECT_EQ(Is_Profil_Rib_Type(c.type), c.rib_type);
    EXPECT_NEAR(Get_Profil_Rib_Foot_Width(&rib), c.foot, 1e-9);
    Set_Profil_Rib_Height_Mode(0);
    EXPECT_NEAR(Get_Profil_Rib_Height(&rib, 10), c.height_off, 1e-9);
    Set_Profil_Rib_Height_Mode(1);
    EXPECT_NEAR(Get_Profil_Rib_Height(&rib, 10), c.height_on, 1e-9);
    Reset_Profil(&rib);
  }
  EXPECT_EQ(Get_Profil_Rib_Foot_Width(nullptr), 0.0);
  EXPECT_EQ(Get_Profil_Rib_Height(nullptr, 10), 0.0);
  double six[7] = {1, 2, 3, 4, 5, 6, 7};
  Clear_Six_Doubles(six);
  EXPECT_TRUE(six[0] == 0 && six[5] == 0 && six[6] == 7);
}

// Holes and ribs on the other plates: a flat bar, both halves of an I flange, a hollow
// section, both webs and a flange of a box girder lose the holes' plate area; flat ribs
// 50 × 8 (width −1 below) add theirs, on both webs of the box girder. The area taken or
// added has its centroid (model frame, mm) at the hole or rib: flange positions run from
// the right-hand end, a rib on the flat bar grows to +y (5 + 25), on the box webs outwards
// (z 120: from its top flange of 20, not the bottom one of 30), on a top flange down.
TEST(ProfilRibs, HolesAndRibsOnEveryPlateKind) {
  PROFIL flat{}, rhs{}, box{}, i = Welded_I();
  Set_Shape(&flat, PROFIL_FLAT, 200, 10, 0, 0, 0, 0);
  Set_Shape(&rhs, PROFIL_RHS, 200, 8, 120, 8, 0, 0, 0);
  Set_Shape(&box, PROFIL_BOX, 500, 10, 300, 20, 300, 30, 0);
  const struct {
    PROFIL *p;
    int plate;
    double width, centre, lost, y, z;
  } cases[] = {{&flat, 0, 20, 100, 200, 0, 100},   {&i, 1, 20, 30, 2 * 200, 0, 5},  {&rhs, 0, 30, 100, 2 * 240, 0, 100},
               {&rhs, 1, 30, 40, 240, 16, 4},      {&box, 0, 40, 250, 800, 0, 250},  {&box, 2, 40, 100, 1200, 45, 485},
               {&flat, 0, -1, 100, -400, 30, 100}, {&box, 0, -1, 100, -800, 0, 120}, {&box, 1, -1, 100, -400, 45, 45},
               {&i, 1, -1, 40, -400, 35, 35}};
  for (const auto &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.p->type << " plate " << c.plate << " width " << c.width);
    PROFIL plain = *c.p, p = *c.p;
    double m[2][3];  // A, A y_s, A z_s in the model's frame (cm)
    for (int k = 0; k < 2; ++k) {
      Ribs r;
      if (k && c.width > 0) r.Hole(c.plate, 0, c.width, c.centre);
      if (k && c.width < 0) r.Rib(c.plate, PROFIL_FLAT, 50, 8, 0, 0, 0, c.centre);
      ASSERT_EQ(r.Calc(k ? &p : &plain), 0);
      const double *v = Get_DWQB_Values()->v;
      m[k][0] = v[DWQB_V_A], m[k][1] = v[DWQB_V_A] * v[DWQB_V_YS], m[k][2] = v[DWQB_V_A] * v[DWQB_V_ZS];
    }
    const double d = m[0][0] - m[1][0];
    EXPECT_NEAR(100 * d, c.lost, 1e-6 * plain.A);
    EXPECT_NEAR(plain.A - p.A, c.lost, 1e-6 * plain.A);
    EXPECT_NEAR(10 * (m[0][1] - m[1][1]) / d, c.y, 1e-9);
    EXPECT_NEAR(10 * (m[0][2] - m[1][2]) / d, c.z, 1e-9);
  }
}

// Refused rib models return 1 with every section value 0 and read nothing beyond a record.
TEST(ProfilRibs, BadRibInputIsRefused) {
  const struct {
    const char *what;
    void (*set)(Ribs &);
    int n_points;
    int base = PROFIL_I;  // the welded I, or the box girder 500 × 300 or the flat bar 200 × 10
  } cases[] = {
      {"21 ribs", [](Ribs &r) { r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, 10); r.m.ribs[0].count = 21; }, 0},
      {"negative spacing", [](Ribs &r) { r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, 100); r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, -5); }, 0},
      {"overlapping holes", [](Ribs &r) { r.Hole(0, 0, 40, 100); r.Hole(0, 1, 40, 130); }, 0},
      {"rib inside a hole", [](Ribs &r) { r.Hole(0, 0, 40, 150); r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, 140); }, 0},
      {"channel rib across the flange joint", [](Ribs &r) { r.Rib(1, PROFIL_U, 40, 5, 30, 6, 0, 70); }, 0},
      {"channel rib without feet apart", [](Ribs &r) { r.Rib(0, PROFIL_U, 6, 5, 30, 6, 0, 140); }, 0},
      {"rib without a rib form", [](Ribs &r) { r.Rib(0, PROFIL_I, 50, 8, 40, 6, 40, 140); }, 0},
      {"second flange hole without ribs", [](Ribs &r) { r.Hole(1, 1, 10, 30); }, 0},
      {"holes that touch", [](Ribs &r) { r.Hole(0, 0, 40, 100); r.Hole(0, 1, 40, 140); }, 0},
      {"hole up to the bottom flange", [](Ribs &r) { r.Hole(0, 0, 20, 285); }, 0},
      {"rib beyond the flange", [](Ribs &r) { r.Rib(1, PROFIL_FLAT, 50, 8, 0, 0, 0, 200); }, 0},
      {"rib beyond the box flange", [](Ribs &r) { r.Rib(1, PROFIL_FLAT, 50, 8, 0, 0, 0, 400); }, 0, PROFIL_BOX},
      {"flat bar with a second plate", [](Ribs &r) { r.Rib(2, PROFIL_FLAT, 50, 8, 0, 0, 0, 100); }, 0, PROFIL_FLAT},
      {"51 points", [](Ribs &) {}, 51},
  };
  for (const auto &c : cases) {
    Ribs r;
    c.set(r);
    PROFIL p = Welded_I();
    if (c.base == PROFIL_BOX) Set_Shape(&p, PROFIL_BOX, 500, 10, 300, 20, 300, 20, 0);
    if (c.base == PROFIL_FLAT) Set_Shape(&p, PROFIL_FLAT, 200, 10, 0, 0, 0, 0);
    p.A = p.I_y = 5;
    EXPECT_EQ(Calc_Profil_DWQB_Querschnittswerte(&p, r.m.ribs, r.m.holes, 0, c.n_points, r.m.points), 1) << c.what;
    EXPECT_EQ(p.A, 0) << c.what;
    EXPECT_EQ(p.I_y, 0) << c.what;
  }
}

// Points take the line that holds them; points not in use are left alone; a point off
// every wall makes the result 1 with the values written.
TEST(ProfilRibs, StressPointsFindTheirLines) {
  PROFIL p = Welded_I();
  Ribs r;
  r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, 140);
  PROFIL_STRESS_POINT &web = r.Point(0, PROFIL_POINT_WEB, 0, 100);
  PROFIL_STRESS_POINT &unused = r.Point(-1, PROFIL_POINT_WEB, 0, 1000);
  PROFIL_STRESS_POINT &face = r.Point(2, PROFIL_POINT_WEB, 0, 290);  // clear web ends at h − t_fu
  ASSERT_EQ(r.Calc(&p, 1), 0);
  ASSERT_GT(web.line, 0);
  for (DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next)
    if (l->nr == web.line) {
      EXPECT_TRUE(10 * l->node_a->z == 5 && 10 * l->node_b->z == 150);
    }
  EXPECT_EQ(unused.line, 0);
  EXPECT_GT(face.line, web.line);
  r.Point(3, PROFIL_POINT_WEB, 0, 292);  // inside the bottom flange, below the clear web
  EXPECT_EQ(r.Calc(&p, 1), 1);
  EXPECT_NEAR(p.A, 5080, 1e-6 * 5080);

  // Round sections: the first polygon line holding it; the first point, at node 1, takes line 32.
  PROFIL tube{};
  Set_Shape(&tube, PROFIL_CHS, 200, 10, 0, 0, 0, 0);
  Ribs t;
  PROFIL_STRESS_POINT &first = t.Point(0, PROFIL_POINT_WEB, 0, 95);
  PROFIL_STRESS_POINT &again = t.Point(1, PROFIL_POINT_WEB, 0, 95);
  PROFIL_STRESS_POINT &side = t.Point(2, PROFIL_POINT_WEB, 95, 0);  // node 9, end of line 8
  ASSERT_EQ(t.Calc(&tube, 1), 0);
  EXPECT_EQ(first.line, 32);
  EXPECT_EQ(again.line, 1);
  EXPECT_EQ(side.line, 8);
}

// Stresses at the points: a normal force alone gives N/A everywhere, a moment M_y·z/I_y;
// six forces of zero leave every point at 0.
TEST(ProfilRibs, StressesAtThePoints) {
  Ribs r;
  r.m.base = Welded_I();
  PROFIL_STRESS_POINT &a = r.Point(0, PROFIL_POINT_WEB, 0, 100);    // 50 mm above the centroid
  PROFIL_STRESS_POINT &b = r.Point(1, PROFIL_POINT_TOP, 60, 5);     // top flange
  ASSERT_EQ(Calc_Profil_Rib_Model_Stress_Points(&r.m, nullptr, nullptr), 0);
  const double n_only[6] = {100000, 0, 0, 0, 0, 0};
  ASSERT_EQ(Calc_Profil_Rib_Model_Stress_Points(&r.m, n_only, nullptr), 0);
  for (const PROFIL_STRESS_POINT *p : {&a, &b}) EXPECT_NEAR(p->stress[0], 21.3675, 1e-4);
  const double m_only[6] = {0, 1e7, 0, 0, 0, 0};
  ASSERT_EQ(Calc_Profil_Rib_Model_Stress_Points(&r.m, m_only, nullptr), 0);
  EXPECT_NEAR(std::fabs(a.stress[0]), 1e7 * 50 / 74076000, 1e-4);
  EXPECT_NEAR(std::fabs(b.stress[0]), 1e7 * 145 / 74076000, 1e-4);
  // The other forces in their order (N, M_y, V_z, M_z, V_y; N, N·mm): V_z 100 kN shears the
  // web by V S / (I t) (S 268 800 mm³ at a) and the flange tip beyond b by 21 750 mm³ over
  // 10 mm; M_z 1 kNm gives −M_z y / I_z (I_z 5 630 040 mm⁴); V_y 100 kN shears the flanges
  // by V S_z / (I_z t), S_z 10 125 mm³ beyond b; σ_v = √3 τ where σ is 0.
  const struct {
    int k;
    double f, a_sigma, a_tau, b_sigma, b_tau, tol;
  } others[] = {{2, 1e5, 0, 1e5 * 268800 / (74076000.0 * 6), 0, 1e5 * 21750 / (74076000.0 * 10), 0.02},
                {3, 1e6, 0, 0, -1e6 * 60 / 5630040.0, 0, 0.001},
                {4, 1e5, 0, 0, 0, 1e5 * 10125 / (5630040.0 * 10), 0.002}};
  for (const auto &o : others) {
    SCOPED_TRACE(o.k);
    double f[6] = {0, 0, 0, 0, 0, 0};
    f[o.k] = o.f;
    ASSERT_EQ(Calc_Profil_Rib_Model_Stress_Points(&r.m, f, nullptr), 0);
    EXPECT_NEAR(a.stress[0], o.a_sigma, 1e-9);
    EXPECT_NEAR(std::fabs(a.stress[1]), o.a_tau, o.tol * o.a_tau + 1e-9);
    EXPECT_NEAR(b.stress[0], o.b_sigma, o.tol * std::fabs(o.b_sigma) + 1e-9);
    EXPECT_NEAR(std::fabs(b.stress[1]), o.b_tau, o.tol * o.b_tau + 1e-9);
    EXPECT_NEAR(b.stress[2], std::hypot(b.stress[0], std::sqrt(3.0) * b.stress[1]), 1e-9);
  }
  const double zero[6] = {0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Calc_Profil_Rib_Model_Stress_Points(&r.m, zero, nullptr), 0);
  for (const PROFIL_STRESS_POINT *p : {&a, &b})
    for (double s : p->stress) EXPECT_EQ(s, 0.0);
  // A point off every wall: the failure is reported and the result is 1.
  r.Point(2, PROFIL_POINT_WEB, 0, 400);
  PrintCapture cap;
  EXPECT_EQ(Calc_Profil_Rib_Model_Stress_Points(&r.m, nullptr, cap.stream()), 1);
  EXPECT_NE(cap.Raw().find("Querschnittswerte nicht ermittelbar !!"), std::string::npos);
}

// The print line of the rib model's section values, and the failure line.
TEST(ProfilRibs, PrintOfTheRibModel) {
  Ribs r;
  r.m.base = Welded_I();
  r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, 140);
  PrintCapture cap;
  EXPECT_EQ(Print_Profil_DWQB_Querschnittswerte(&r.m, nullptr, cap.stream(), 1, 0), 0);
  EXPECT_EQ(cap.Raw(), "#SHOWPARA 4 0.100 0.000 0\nQuerschnittswerte: A = 50.80 cm²,  z╬\\s╬r = 150.0 mm,  I╬\\y╬r = 7407.81 "
                       "cm╬/4╬r,  Verschiebung y╬\\s╬r = 2.2 mm,  I╬\\z╬r = 600.23 cm╬/4╬r\n"_cp);
  // With the plastic moduli: W_pl,y = 2 b t_f (h − t_f)/2 + t_w (h − 2 t_f)²/4 = 552.6 cm³ and
  // W_pl,z = 2 t_f b²/4 + (h − 2 t_f) t_w²/4 = 115.0 cm³ of the plain I, by hand.
  Ribs plain;
  plain.m.base = Welded_I();
  PrintCapture pl;
  EXPECT_EQ(Print_Profil_DWQB_Querschnittswerte(&plain.m, nullptr, pl.stream(), 2, 1), 0);
  const std::string text = pl.Raw();
  const std::size_t wy = text.find("pl,y"_cp), wz = text.find("pl,z"_cp);
  ASSERT_TRUE(wy != std::string::npos && wz != std::string::npos) << text;
  EXPECT_NEAR(std::strtod(text.c_str() + text.find("= ", wy) + 2, nullptr), 552.6, 0.1);
  EXPECT_NEAR(std::strtod(text.c_str() + text.find("= ", wz) + 2, nullptr), 115.0, 0.1);
  PrintCapture none;
  EXPECT_EQ(Print_Profil_DWQB_Querschnittswerte(&plain.m, nullptr, none.stream(), 0, 1), 0);  // mode 0: no line
  EXPECT_EQ(none.Raw(), "");
  EXPECT_EQ(Print_Profil_DWQB_Querschnittswerte(&plain.m, nullptr, none.stream(), 2, 0), 0);
  EXPECT_EQ(none.Raw().find("plastische"), std::string::npos);
  EXPECT_EQ(Calc_Profil_Rib_Model_Stress_Points(&plain.m, nullptr, nullptr), 0);  // no points: nothing to fail
  // A reset model holds no ribs, holes, mirror or points.
  r.m.mirror = 1, r.m.ribs[0].side = 1;
  r.Hole(2, 3, 10, 20);
  Reset_Profil_Rib_Model(&r.m);
  EXPECT_TRUE(r.m.ribs[0].count == 0 && r.m.ribs[0].spacing[0] == 0 && r.m.ribs[0].side == 0 && r.m.point_count == 0 &&
              r.m.mirror == 0 && r.m.holes[2].width[3] == 0 && r.m.holes[2].centre[3] == 0);
  EXPECT_EQ(r.m.ribs[0].rib.type, 0);
  r.m.base = Welded_I();
  r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, 140);
  plain.m.point_count = 50;  // at most 50 points, none in use here
  for (PROFIL_STRESS_POINT &pt : plain.m.points) pt.number = -1;
  EXPECT_EQ(Calc_Profil_Rib_Model_Stress_Points(&plain.m, nullptr, nullptr), 0);
  plain.m.point_count = 51;
  EXPECT_EQ(Calc_Profil_Rib_Model_Stress_Points(&plain.m, nullptr, nullptr), 1);
  plain.m.point_count = 0;
  plain.m.base.kind = PROFIL_KIND_QUER;  // an imported section has no rib model: nothing
  EXPECT_EQ(Calc_Profil_Rib_Model_Stress_Points(&plain.m, nullptr, nullptr), 1);
  r.m.ribs[0].spacing[0] = 400;  // beyond the web
  PrintCapture failed;
  EXPECT_EQ(Print_Profil_DWQB_Querschnittswerte(&r.m, nullptr, failed.stream(), 2, 0), 1);
  EXPECT_EQ(failed.Raw(), "#SHOWPARA 4 0.100 0.000 0\nQuerschnittswerte nicht ermittelbar !!\n");
}


