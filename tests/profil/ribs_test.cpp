// Ribs, holes and stress points of the thin-walled profile model: section values against
// hand values of the plates, refused inputs, the points' lines and stresses, the print line.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "dwqb/dwqb.h"
#include "profil/profil.h"
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
    PROFIL_STRESS_POINT &p = m.points[m.point_count++];
    p.number = number;
    p.flags = flags;
    p.y = y;
    p.z = z;
    return p;
  }
  int Calc(PROFIL *p, int with_points = 0) {
    return Calc_Profil_DWQB_Querschnittswerte(p, m.ribs, m.holes, m.mirror, with_points ? m.point_count : 0,
                                              with_points ? m.points : nullptr);
  }
};

// The solver's current model: nodes (y, z) and lines (nodes, thicknesses, radii), in cm.
std::vector<double> Model_Numbers() {
  std::vector<double> out;
  for (DWQB_NODE *n = Get_DWQB_First_Node(); n; n = n->next) out.insert(out.end(), {double(n->nr), n->y, n->z});
  for (DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next)
    out.insert(out.end(), {double(l->nr), double(l->node_a->nr), double(l->node_b->nr), l->t_a, l->rad_links_a,
                           l->rad_rechts_a, l->rad_links_b, l->rad_rechts_b});
  return out;
}

}  // namespace

// An empty rib model builds exactly the plain model, node for node and radius for radius.
TEST(ProfilRibs, EmptyRibModelBuildsThePlainModel) {
  PROFIL shapes[4] = {He280a_Profile(), Welded_I(), {}, {}};
  Set_Shape(&shapes[2], PROFIL_RHS, 200, 8, 120, 8, 0, 0, 1, 12, 6);
  Set_Shape(&shapes[3], PROFIL_BOX, 500, 10, 300, 20, 360, 25, 0);
  shapes[3].ue_o = 30;
  for (PROFIL &p : shapes) {
    Calc_Profil_DWQB_Querschnittswerte(&p, nullptr, nullptr, 0, 0, nullptr);
    const std::vector<double> plain = Model_Numbers();
    const double A = p.A, I_T = p.I_T;
    Ribs r;
    EXPECT_EQ(r.Calc(&p, 1), 0) << p.type;
    EXPECT_EQ(Model_Numbers(), plain) << p.type;
    EXPECT_EQ(p.A, A);
    EXPECT_EQ(p.I_T, I_T);
  }
  PROFIL p = Welded_I();
  Ribs r;
  ASSERT_EQ(r.Calc(&p), 0);
  EXPECT_NEAR(p.A, 4680, 1e-6 * 4680);
  EXPECT_NEAR(p.I_y, 74076000, 1e-6 * 74076000);
}

// Web holes and ribs of each form on the web and the top flange of the welded I: the area
// grows by the rib's plates (clear lengths), the second moments by the hand values.
TEST(ProfilRibs, HolesAndRibsChangeTheSectionValues) {
  struct Case {
    const char *what;
    int plate, type, side;
    double h, t_w, b_fo, t_fo, b_fu, spacing, hole_width, A, I_y, I_z, y_s;
  };
  // Trapezoid 40 high, top 30, foot 60, t 5: α = atan(0.375), both webs (h − t)/cos α long;
  // its top plate 2(g − e) + t/cos α wide (g, e on the 6 mm web and on the 10 mm flange).
  const double ca = std::cos(std::atan(0.375)), w = 5 / ca;
  const double top_web = 2 * ((6 * 0.375 - w + 60) / 2 - (40 + 3 - 2.5) * 0.375) + w;
  const double top_flange = 2 * ((10 * 0.375 - w + 60) / 2 - (40 + 5 - 2.5) * 0.375) + w;
  const double trapez = 2 * 5 * 35 / ca;
  const Case cases[] = {
      {"web hole 50 at z 150", 0, 0, 0, 0, 0, 0, 0, 0, 0, 50, 4380, 74013500, NAN, NAN},
      {"web hole 0.001", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.001, 4680, 74076000, NAN, NAN},
      {"flat 50 x 8 on the web, side 0", 0, PROFIL_FLAT, 0, 50, 8, 0, 0, 0, 140, 0, 5080, 74078133.3, 6002280.4,
       -72.795},
      {"flat 50 x 8 on the web, side 1", 0, PROFIL_FLAT, 1, 50, 8, 0, 0, 0, 140, 0, 5080, 74078133.3, 6002280.4,
       -77.205},
      {"flat on the top flange", 1, PROFIL_FLAT, 0, 50, 8, 0, 0, 0, 50, 0, 5080, NAN, NAN, NAN},
      {"angle on the web", 0, PROFIL_ANGLE, 0, 50, 5, 40, 6, 0, 140, 0, 4680 + 250 + 210, NAN, NAN, NAN},
      {"angle on the top flange", 1, PROFIL_ANGLE, 0, 50, 5, 40, 6, 0, 50, 0, 4680 + 250 + 210, NAN, NAN, NAN},
      {"channel on the web", 0, PROFIL_U, 0, 40, 5, 30, 6, 0, 140, 0, 4680 + 200 + 300, NAN, NAN, NAN},
      {"channel on the top flange", 1, PROFIL_C, 0, 40, 5, 30, 6, 0, 40, 0, 4680 + 200 + 300, NAN, NAN, NAN},
      {"T on the web", 0, PROFIL_T, 0, 50, 5, 40, 6, 0, 140, 0, 4680 + 220 + 240, NAN, NAN, NAN},
      {"T on the top flange", 1, PROFIL_HALF_I, 0, 50, 5, 40, 6, 0, 50, 0, 4680 + 220 + 240, NAN, NAN, NAN},
      {"trapezoid on the web", 0, PROFIL_TRAPEZ, 0, 40, 5, 30, 5, 60, 140, 0, 4680 + trapez + 5 * top_web, NAN, NAN,
       NAN},
      {"trapezoid on the top flange", 1, PROFIL_TRAPEZ, 0, 40, 5, 30, 5, 60, 40, 0, 4680 + trapez + 5 * top_flange,
       NAN, NAN, NAN},
  };
  for (const Case &c : cases) {
    PROFIL p = Welded_I();
    Ribs r;
    if (c.hole_width > 0) r.Hole(0, 0, c.hole_width, 150);
    if (c.type) r.Rib(c.plate, c.type, c.h, c.t_w, c.b_fo, c.t_fo, c.b_fu, c.spacing, c.side);
    ASSERT_EQ(r.Calc(&p), 0) << c.what;
    EXPECT_NEAR(p.A, c.A, 1e-6 * c.A) << c.what;
    if (!std::isnan(c.I_y)) {
      EXPECT_NEAR(p.I_y, c.I_y, 1e-6 * c.I_y) << c.what;
    }
    if (!std::isnan(c.I_z)) {
      EXPECT_NEAR(p.I_z, c.I_z, 1e-6 * c.I_z) << c.what;
    }
    if (!std::isnan(c.y_s)) {
      EXPECT_NEAR(p.y_s, c.y_s, 1e-3) << c.what;
    }
    Reset_Profil(&p);
  }
}

// Holes on the other plates: a flat bar, both halves of an I flange, a hollow section, both
// webs and a flange of a box girder lose the holes' plate area.
TEST(ProfilRibs, HolesOnEveryPlateKind) {
  struct Case {
    int type, plate;
    double width, centre, t, A_plain_factor;
  };
  PROFIL flat{}, rhs{}, box{};
  Set_Shape(&flat, PROFIL_FLAT, 200, 10, 0, 0, 0, 0);
  Set_Shape(&rhs, PROFIL_RHS, 200, 8, 120, 8, 0, 0, 0);
  Set_Shape(&box, PROFIL_BOX, 500, 10, 300, 20, 300, 20, 0);
  struct Hole {
    PROFIL *p;
    int plate;
    double width, centre, lost;
  };
  PROFIL i = Welded_I();
  const Hole holes[] = {{&flat, 0, 20, 100, 200}, {&i, 1, 20, 30, 2 * 200},  // both flange halves
                        {&rhs, 0, 30, 100, 2 * 240},                         // both webs
                        {&rhs, 1, 30, 40, 240},       {&box, 0, 40, 250, 2 * 400}, {&box, 2, 40, 100, 800}};
  for (const Hole &h : holes) {
    PROFIL plain = *h.p;
    Ribs r0;
    ASSERT_EQ(r0.Calc(&plain, 1), 0);
    Ribs r;
    r.Hole(h.plate, 0, h.width, h.centre);
    PROFIL p = *h.p;
    ASSERT_EQ(r.Calc(&p), 0) << h.p->type << " plate " << h.plate;
    EXPECT_NEAR(plain.A - p.A, h.lost, 1e-6 * plain.A) << h.p->type << " plate " << h.plate;
  }
}

// Refused rib models return 1 with every section value 0 and read nothing beyond a record.
TEST(ProfilRibs, BadRibInputIsRefused) {
  struct Case {
    const char *what;
    void (*set)(Ribs &);
    int n_points;
  };
  const Case cases[] = {
      {"21 ribs", [](Ribs &r) { r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, 10); r.m.ribs[0].count = 21; }, 0},
      {"-1 ribs", [](Ribs &r) { r.m.ribs[0].count = -1; }, 0},
      {"negative spacing", [](Ribs &r) { r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, 100); r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, -5); }, 0},
      {"overlapping holes", [](Ribs &r) { r.Hole(0, 0, 40, 100); r.Hole(0, 1, 40, 130); }, 0},
      {"rib inside a hole", [](Ribs &r) { r.Hole(0, 0, 40, 150); r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, 140); }, 0},
      {"rib beyond the web", [](Ribs &r) { r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, 295); }, 0},
      {"channel rib across the flange joint", [](Ribs &r) { r.Rib(1, PROFIL_U, 40, 5, 30, 6, 0, 70); }, 0},
      {"rib without a rib form", [](Ribs &r) { r.Rib(0, PROFIL_I, 50, 8, 40, 6, 40, 140); }, 0},
      {"second flange hole without ribs", [](Ribs &r) { r.Hole(1, 1, 10, 30); }, 0},
      {"51 points", [](Ribs &) {}, 51},
      {"-1 points", [](Ribs &) {}, -1},
  };
  for (const Case &c : cases) {
    Ribs r;
    c.set(r);
    PROFIL p = Welded_I();
    p.A = p.I_y = p.I_T = 5;
    EXPECT_EQ(Calc_Profil_DWQB_Querschnittswerte(&p, r.m.ribs, r.m.holes, 0, c.n_points, r.m.points), 1) << c.what;
    EXPECT_EQ(p.A, 0) << c.what;
    EXPECT_EQ(p.I_y, 0) << c.what;
    EXPECT_EQ(p.I_T, 0) << c.what;
  }
  // Ribs on a shape that takes none (a hollow section) are refused as well.
  PROFIL rhs{};
  Set_Shape(&rhs, PROFIL_RHS, 200, 8, 120, 8, 0, 0, 0);
  Ribs r;
  r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, 100);
  EXPECT_EQ(r.Calc(&rhs), 1);
  EXPECT_EQ(rhs.A, 0);
}

// Points take the line that holds them; points not in use are left alone; a point off
// every wall makes the result 1 with the values written.
TEST(ProfilRibs, StressPointsFindTheirLines) {
  PROFIL p = Welded_I();
  Ribs r;
  r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, 140);
  PROFIL_STRESS_POINT &web = r.Point(0, PROFIL_POINT_WEB, 0, 100);
  PROFIL_STRESS_POINT &unused = r.Point(-1, PROFIL_POINT_WEB, 0, 1000);
  PROFIL_STRESS_POINT &flange = r.Point(1, PROFIL_POINT_BOTTOM, -40, 295);
  PROFIL_STRESS_POINT &face = r.Point(2, PROFIL_POINT_WEB, 0, 290);  // clear web ends at h − t_fu
  ASSERT_EQ(r.Calc(&p, 1), 0);
  std::map<int, std::pair<int, int>> ends;  // line: node numbers
  std::map<int, double> z;
  for (DWQB_NODE *n = Get_DWQB_First_Node(); n; n = n->next) z[n->nr] = 10 * n->z;
  for (DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next) ends[l->nr] = {l->node_a->nr, l->node_b->nr};
  ASSERT_GT(web.line, 0);
  EXPECT_NEAR(z[ends[web.line].first], 5, 1e-9);
  EXPECT_NEAR(z[ends[web.line].second], 150, 1e-9);
  EXPECT_EQ(unused.line, 0);
  ASSERT_GT(flange.line, 0);
  EXPECT_NEAR(z[ends[flange.line].first], 295, 1e-9);
  EXPECT_GT(face.line, web.line);
  r.Point(3, PROFIL_POINT_WEB, 0, 292);  // inside the bottom flange, below the clear web
  EXPECT_EQ(r.Calc(&p, 1), 1);
  EXPECT_NEAR(p.A, 5080, 1e-6 * 5080);

  // Round sections: the first polygon line holding the point; the first point of the list at
  // node 1 lies on line 32 as well and takes it, a later one keeps line 1.
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
  PROFIL_STRESS_POINT &c = r.Point(2, PROFIL_POINT_BOTTOM, -60, 295);
  ASSERT_EQ(Calc_Profil_Rib_Model_Stress_Points(&r.m, nullptr, nullptr), 0);
  const double n_only[6] = {100000, 0, 0, 0, 0, 0};
  ASSERT_EQ(Calc_Profil_Rib_Model_Stress_Points(&r.m, n_only, nullptr), 0);
  for (const PROFIL_STRESS_POINT *p : {&a, &b, &c}) EXPECT_NEAR(p->stress[0], 21.3675, 1e-4);
  const double m_only[6] = {0, 1e7, 0, 0, 0, 0};
  ASSERT_EQ(Calc_Profil_Rib_Model_Stress_Points(&r.m, m_only, nullptr), 0);
  EXPECT_NEAR(std::fabs(a.stress[0]), 1e7 * 50 / 74076000, 1e-4);
  EXPECT_NEAR(b.stress[0], -c.stress[0], 1e-9);
  EXPECT_NEAR(std::fabs(b.stress[0]), 1e7 * 145 / 74076000, 1e-4);
  const double zero[6] = {0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Calc_Profil_Rib_Model_Stress_Points(&r.m, zero, nullptr), 0);
  for (const PROFIL_STRESS_POINT *p : {&a, &b, &c})
    for (double s : p->stress) EXPECT_EQ(s, 0.0);
  // A point off every wall: the failure is reported and the result is 1.
  r.Point(3, PROFIL_POINT_WEB, 0, 400);
  PrintCapture cap;
  EXPECT_EQ(Calc_Profil_Rib_Model_Stress_Points(&r.m, nullptr, cap.stream()), 1);
  EXPECT_NE(cap.Raw().find("Querschnittswerte nicht ermittelbar !!"), std::string::npos);
}

// The print line of the rib model's section values, and the failure line.
TEST(ProfilRibs, PrintOfTheRibModel) {
  Ribs r;
  r.m.base = Welded_I();
  r.Rib(0, PROFIL_FLAT, 50, 8, 0, 0, 0, 140);
  {
    PrintCapture cap;
    EXPECT_EQ(Print_Profil_DWQB_Querschnittswerte(&r.m, nullptr, cap.stream(), 1, 0), 0);
    EXPECT_EQ(cap.Raw(), "#SHOWPARA 4 0.100 0.000 0\nQuerschnittswerte: A = 50.80 cm\xFD,  z\xCE\\s\xCEr = 150.0 mm,  I\xCE\\y\xCEr = 7407.81 "
                         "cm\xCE/4\xCEr,  Verschiebung y\xCE\\s\xCEr = 2.2 mm,  I\xCE\\z\xCEr = 600.23 cm\xCE/4\xCEr\n");
  }
  r.m.ribs[0].spacing[0] = 400;  // beyond the web
  PrintCapture cap;
  EXPECT_EQ(Print_Profil_DWQB_Querschnittswerte(&r.m, nullptr, cap.stream(), 2, 0), 1);
  EXPECT_EQ(cap.Raw(), "#SHOWPARA 4 0.100 0.000 0\nQuerschnittswerte nicht ermittelbar !!\n");
}
