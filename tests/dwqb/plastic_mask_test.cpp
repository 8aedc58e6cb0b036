// Masks of the solver's current section: geometry of the groups against the section, the
// PLO mask's parameter cache and options, the plastic law and its failures, warping planes.
#include <cmath>
#include <limits>

#include "host/host.h"
#include "tests/dwqb/dwqb_fixture.h"

namespace {

// Area and first moments of an area group from its edges (Green's theorem), and whether the
// edges form one closed chain.
struct GroupArea {
  double A = 0.0, Sy = 0.0, Sz = 0.0, Syy = 0.0, Syz = 0.0, Szz = 0.0;
  bool closed = true;
  int edges = 0;
};

GroupArea Group_Area(const MASQUE_GRUPPE *group) {
  GroupArea r;
  r.edges = Count_Masque_Flaeche_Kanten(group);
  for (int i = 0; i < r.edges; ++i) {
    const MASQUE_KANTE *e = Get_Masque_Flaeche_Kante(group, i);
    const MASQUE_KANTE *next = Get_Masque_Flaeche_Kante(group, (i + 1) % r.edges);
    if (e->ende != next->anfang) r.closed = false;
    const double y1 = e->anfang->y, z1 = e->anfang->z, y2 = e->ende->y, z2 = e->ende->z;
    const double c = y1 * z2 - y2 * z1;
    r.A += c / 2.0;
    r.Sy += (y1 + y2) * c / 6.0;
    r.Sz += (z1 + z2) * c / 6.0;
    r.Syy += (y1 * y1 + y1 * y2 + y2 * y2) * c / 12.0;
    r.Szz += (z1 * z1 + z1 * z2 + z2 * z2) * c / 12.0;
    r.Syz += (y1 * z2 + 2 * y1 * z1 + 2 * y2 * z2 + y2 * z1) * c / 24.0;
  }
  return r;
}

GroupArea Mask_Area(const MASQUE *mask) {
  GroupArea sum;
  for (int i = 0; i < Count_Masque_Gruppen(mask); ++i) {
    const GroupArea g = Group_Area(Get_Masque_Gruppe(mask, i));
    sum.A += g.A;
    sum.Sy += g.Sy;
    sum.Sz += g.Sz;
    sum.closed = sum.closed && g.closed;
    sum.edges += g.edges;
  }
  return sum;
}

constexpr double kPlo[5] = {23.5, 21000.0, 0.0, 0.01, 0.0};  // f, E (kN/cm²), epsu, ratio, option

class DwqbPlasticMask : public DwqbPlasticTest {};

// ---------------------------------------------------------------- geometry

TEST_F(DwqbPlasticMask, GroupsCoverTheIpe300Outline) {
  Ipe300(1.5);
  MASQUE *mask = Build_DWQB_PLO_Mask(kPlo);
  ASSERT_NE(mask, nullptr);
  ASSERT_EQ(Count_Masque_Gruppen(mask), 5);
  for (int nr = 1; nr <= 5; ++nr) {
    const MASQUE_GRUPPE *group = Get_DWQB_PLO_Result_Item(mask, nr);
    ASSERT_NE(group, nullptr) << nr;
    EXPECT_EQ(group->typ, MASQUE_FLAECHE);
    ASSERT_NE(group->linie, nullptr);
    EXPECT_EQ(group->linie->header.id, nr);
    EXPECT_EQ(group->linie->typ, 2u);
    EXPECT_STREQ(group->linie->name, "DWQB");
    const GroupArea a = Group_Area(group);
    EXPECT_TRUE(a.closed) << nr;
    EXPECT_GT(a.A, 0.0) << nr << ": the outline runs counter-clockwise";
  }
  EXPECT_EQ(Get_DWQB_PLO_Result_Item(mask, 6), nullptr);
  EXPECT_EQ(Get_DWQB_PLO_Result_Item(nullptr, 1), nullptr);
  // The mask has the solver's area and centroid (metres): both integrate the same outline
  // chords; with root radii the table area 53.81 cm² on the web at mid-depth.
  for (double r : {1.5, 0.0}) {
    Free_Section();
    Ipe300(r);
    const double *v = Get_DWQB_Values()->v;
    const GroupArea sum = Mask_Area(Build_DWQB_PLO_Mask(kPlo));
    EXPECT_NEAR(sum.A, 1e-4 * v[DWQB_V_A], 1e-13 * v[DWQB_V_A]);
    EXPECT_NEAR(sum.Sy / sum.A, 0.01 * v[DWQB_V_YS], 1e-11 * (1.0 + std::fabs(v[DWQB_V_YS])));
    EXPECT_NEAR(sum.Sz / sum.A, 0.01 * v[DWQB_V_ZS], 1e-11 * std::fabs(v[DWQB_V_ZS]));
    EXPECT_NEAR(sum.A, r > 0 ? 53.81e-4 : sum.A, 0.01e-4);
  }
}

TEST_F(DwqbPlasticMask, LineOfPartOneGetsAnEmptyGroup) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Add_DWQB_Node(3, 10, 10);
  Line(1, 1, 2, 1.0, 1.0);
  Line(2, 2, 3, 1.0, 1.0, 0.0, 1);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  MASQUE *mask = Build_DWQB_PLO_Mask(kPlo);
  ASSERT_NE(mask, nullptr);
  const MASQUE_GRUPPE *cl = Get_DWQB_PLO_Result_Item(mask, 2);
  ASSERT_NE(cl, nullptr);
  ASSERT_NE(cl->linie, nullptr);
  EXPECT_EQ(Count_Masque_Flaeche_Kanten(cl), 0);
  EXPECT_EQ(Count_Masque_Spannungsdehnungslinien(mask), 2);
  EXPECT_GT(Count_Masque_Flaeche_Kanten(Get_DWQB_PLO_Result_Item(mask, 1)), 3);
}

// The groups' warping planes together are the section's normalised warping ordinates:
// orthogonal to 1, y and z over the mask, with ∫ω² dA equal to I_w.
TEST_F(DwqbPlasticMask, WarpingPlanesAreNormalisedToTheWarpingConstant) {
  Ipe300(1.5);
  const double Iw = Get_DWQB_Values()->v[DWQB_V_IW];
  ASSERT_NEAR(Iw, 125934.05, 1.0);  // t_f b³ h_m² / 24
  MASQUE *mask = Build_DWQB_PLO_Mask(kPlo);
  ASSERT_NE(mask, nullptr);
  double w = 0, wy = 0, wz = 0, ww = 0;
  for (int i = 0; i < Count_Masque_Gruppen(mask); ++i) {
    const MASQUE_GRUPPE *g = Get_Masque_Gruppe(mask, i);
    const GroupArea m = Group_Area(g);
    const MASQUE_VORDEHNUNG &p = g->vordehnung;
    w += p.a * m.A + p.b * m.Sy + p.c * m.Sz;
    wy += p.a * m.Sy + p.b * m.Syy + p.c * m.Syz;
    wz += p.a * m.Sz + p.b * m.Syz + p.c * m.Szz;
    ww += p.a * p.a * m.A + p.b * p.b * m.Syy + p.c * p.c * m.Szz +
          2 * (p.a * p.b * m.Sy + p.a * p.c * m.Sz + p.b * p.c * m.Syz);
  }
  const double Iw_m = 1e-12 * Iw;  // cm⁶ -> m⁶
  EXPECT_NEAR(ww, Iw_m, Iw_m * 1e-9);
  const double A = 53.81e-4, scale = std::sqrt(Iw_m * A);
  EXPECT_NEAR(w, 0.0, 1e-9 * scale);
  EXPECT_NEAR(wy, 0.0, 1e-9 * scale * 0.3);
  EXPECT_NEAR(wz, 0.0, 1e-9 * scale * 0.3);
  // The flanges carry opposite slopes, the web none.
  const MASQUE_VORDEHNUNG &top = Get_DWQB_PLO_Result_Item(mask, 1)->vordehnung;
  const MASQUE_VORDEHNUNG &bottom = Get_DWQB_PLO_Result_Item(mask, 4)->vordehnung;
  const MASQUE_VORDEHNUNG &web = Get_DWQB_PLO_Result_Item(mask, 3)->vordehnung;
  EXPECT_NE(top.b, 0.0);
  EXPECT_NEAR(bottom.b, -top.b, std::fabs(top.b) * 1e-6);
  EXPECT_NEAR(web.b, 0.0, std::fabs(top.b) * 1e-6);
}

// ---------------------------------------------------------------- PLO mask

TEST_F(DwqbPlasticMask, PloParametersWithinToleranceReuseTheMask) {
  Rectangle(2.0, 10.0);
  MASQUE *m1 = Build_DWQB_PLO_Mask(kPlo);
  ASSERT_NE(m1, nullptr);
  EXPECT_EQ(Get_DWQB_PLO_Result(), m1);
  double near[5] = {kPlo[0] + 5e-9, kPlo[1] - 5e-9, kPlo[2], kPlo[3], kPlo[4]};
  EXPECT_EQ(Build_DWQB_PLO_Mask(near), m1);
  EXPECT_EQ(Get_DWQB_Plastic_Build_Count(), 1);
  // A real change builds afresh.
  double other[5] = {kPlo[0] + 1e-6, kPlo[1], kPlo[2], kPlo[3], kPlo[4]};
  ASSERT_NE(Build_DWQB_PLO_Mask(other), nullptr);
  EXPECT_EQ(Get_DWQB_Plastic_Build_Count(), 2);
  EXPECT_NE(Get_DWQB_PLO_Result(), nullptr);
}

TEST_F(DwqbPlasticMask, PloLawAndOptionFromTheParameters) {
  Rectangle(2.0, 10.0);
  // f 23.5 kN/cm² = 235 N/mm²; no limit strain given: 150 ‰; the law reaches f there.
  MASQUE *mask = Build_DWQB_PLO_Mask(kPlo);
  ASSERT_NE(mask, nullptr);
  const double *law = Get_DWQB_PLO_Result_Item(mask, 1)->linie->param;
  EXPECT_EQ(law[SDL_EPS_U], 150.0);
  EXPECT_NEAR(law[SDL_BETA_Z] + (law[SDL_EPS_U] - law[SDL_EPS_Z]) * law[SDL_STEIGUNG], 235000.0, 1e-6);
  EXPECT_NEAR(law[SDL_STEIGUNG], 0.01 * 235000.0 / 150.0, 1e-9);
  MASQUE_CALC_OPTIONS options;
  ASSERT_EQ(Get_Masque_Calc_Options(mask, &options), 1);
  EXPECT_EQ(options.flags & MASQUE_OPTION_WERT, 0u);
  EXPECT_EQ(options.wert, 0.0);

  double with_option[5] = {23.5, 21000.0, 20.0, 0.0, 0.8};
  mask = Build_DWQB_PLO_Mask(with_option);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(Get_DWQB_PLO_Result_Item(mask, 1)->linie->param[SDL_EPS_U], 20.0);
  ASSERT_EQ(Get_Masque_Calc_Options(mask, &options), 1);
  EXPECT_EQ(options.flags & MASQUE_OPTION_WERT, MASQUE_OPTION_WERT);
  EXPECT_EQ(options.wert, 0.8);
  // The mask is left up to date: nodes, limits and prepared lines.
  EXPECT_EQ(mask->flags & (MASQUE_KNOTEN_GUELTIG | MASQUE_LIMITS_GUELTIG | MASQUE_SDL_PREPARED),
            MASQUE_KNOTEN_GUELTIG | MASQUE_LIMITS_GUELTIG | MASQUE_SDL_PREPARED);
}

TEST_F(DwqbPlasticMask, PloLawFailureKeepsTheParametersAndRetries) {
  Rectangle(2.0, 10.0);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  double bad[5] = {nan, 21000.0, 0.0, 0.0, 0.0};
  EXPECT_EQ(Build_DWQB_PLO_Mask(bad), nullptr);
  EXPECT_EQ(Get_DWQB_PLO_Result(), nullptr);
  EXPECT_EQ(Get_DWQB_Plastic_Build_Count(), 0);
  // NaN never equals the kept parameters: the request is tried again, and fails again.
  EXPECT_EQ(Build_DWQB_PLO_Mask(bad), nullptr);
  // A good request afterwards builds.
  EXPECT_NE(Build_DWQB_PLO_Mask(kPlo), nullptr);
}

TEST_F(DwqbPlasticMask, OutsidePartModeNothingIsBuilt) {
  Rectangle(2.0, 10.0);
  DWQB_Part_Mode_Switch = 0;
  EXPECT_EQ(Build_DWQB_PLO_Mask(kPlo), nullptr);
  EXPECT_EQ(Get_DWQB_Plastic_Build_Count(), 0);
  // Header option 0x1000 is part mode too.
  Get_DWQB_Header()->options |= DWQB_OPT_PART_MODE;
  MASQUE *mask = Build_DWQB_PLO_Mask(kPlo);
  EXPECT_NE(mask, nullptr);
  Get_DWQB_Header()->options &= ~DWQB_OPT_PART_MODE;
  EXPECT_EQ(Get_DWQB_PLO_Result(), nullptr);
  EXPECT_EQ(Build_DWQB_PLO_Mask(nullptr), nullptr);
}

TEST_F(DwqbPlasticMask, FreeDropsMasksFlagsAndParameters) {
  Rectangle(2.0, 10.0);
  ASSERT_NE(Build_DWQB_PLO_Mask(kPlo), nullptr);
  Free_Section();
  EXPECT_EQ(Get_DWQB_PLO_Result(), nullptr);
  Rectangle(4.0, 10.0);
  // The same parameters build the new section's mask.
  MASQUE *mask = Build_DWQB_PLO_Mask(kPlo);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(Get_DWQB_Plastic_Build_Count(), 2);
  EXPECT_NEAR(Mask_Area(mask).A, 40e-4, 1e-15);
}

// ---------------------------------------------------------------- plastic law

TEST_F(DwqbPlasticMask, PlasticLawFromTheSectionsThickness) {
  Rectangle(3.0, 10.0);  // t_max 30 mm: fy 240 N/mm² of grade 5
  MASQUE *mask;
  double f;
  ASSERT_EQ(Provide_DWQB_Plastic_Mask(&mask, &f), 1);
  EXPECT_NEAR(f, 240000.0 / 1.1, 1e-7);
  const double *law = Get_Masque_Gruppe(mask, 0)->linie->param;
  EXPECT_EQ(law[SDL_EPS_U], 150.0);
  EXPECT_NEAR(law[SDL_STEIGUNG], 240.0 / 1.1 / 150.0, 1e-12);
  // Kept: the second request does not build.
  MASQUE *again;
  ASSERT_EQ(Provide_DWQB_Plastic_Mask(&again, &f), 1);
  EXPECT_EQ(again, mask);
  EXPECT_EQ(Get_DWQB_Plastic_Build_Count(), 1);

  // A section above 40 mm gets the lower strength, not the first section's law.
  Free_Section();
  Rectangle(5.0, 10.0);
  ASSERT_EQ(Provide_DWQB_Plastic_Mask(&mask, &f), 1);
  EXPECT_NEAR(f, 215000.0 / 1.1, 1e-7);
}

TEST_F(DwqbPlasticMask, GradeWithoutStrengthFailsTheBuildUntilFreed) {
  // A user grade with no yield strength above 40 mm, as rows of the Eurocode list have.
  STEEL_GRADE row{};
  row.code = 7;
  row.name = "thin only";
  row.E = 210000.0;
  row.fy1 = 235.0;
  row.fy2 = 0.0;
  row.t1 = 40.0;
  const int code = Set_User_Stguete(&row);
  ASSERT_NE(code, 0);
  Set_DWQB_Plastic_Grade_For_Tests(code);

  Rectangle(5.0, 10.0);
  MASQUE *mask;
  double f;
  EXPECT_EQ(Provide_DWQB_Plastic_Mask(&mask, &f), 0);
  EXPECT_EQ(mask, nullptr);
  EXPECT_EQ(Dwqb_Plastic_State().law_built, 0);
  EXPECT_EQ(Dwqb_Plastic_State().mask_failed, 1);
  // Remembered until the section is freed; every plastic record keeps its mark.
  const int builds = Get_DWQB_Plastic_Build_Count();
  EXPECT_EQ(Provide_DWQB_Plastic_Mask(&mask, &f), 0);
  DWQB_PLASTIC_RECORD rec[8];
  EXPECT_EQ(Calc_DWQB_Plastic_Values(rec), 0);
  for (const auto &r : rec) EXPECT_EQ(r.W_pl, DWQB_PLASTIC_NONE);
  EXPECT_EQ(Get_DWQB_Plastic_Build_Count(), builds);
  Free_Section();
  Rectangle(2.0, 10.0);
  ASSERT_EQ(Provide_DWQB_Plastic_Mask(&mask, &f), 1);
  EXPECT_NEAR(f, 235000.0 / 1.1, 1e-7);
  Host_Reset();  // user grades and the solver's masks back to program start
  EXPECT_EQ(Get_DWQB_Plastic_Mask(), nullptr);
}

// ---------------------------------------------------------------- warping planes

// Element of a line with given centre-line moments (18-23), outline moments (0-5) and
// sectorial sums (28-31) of the ordinates ω = a + b y + c z.
DWQB_PART Element(const double m[6], double a, double b, double c) {
  DWQB_PART e{};
  e.kind = DWQB_PART_LINE;
  e.count = 1;
  for (int i = 0; i < 6; ++i) e.values[i] = e.values[18 + i] = m[i];
  const double A = m[0], Sy = m[1], Sz = m[2], Syy = m[3], Syz = m[4], Szz = m[5];
  e.values[28] = a * A + b * Sy + c * Sz;
  e.values[29] = a * Sy + b * Syy + c * Syz;
  e.values[30] = a * Sz + b * Syz + c * Szz;
  e.values[31] = a * a * A + b * b * Syy + c * c * Szz + 2 * (a * b * Sy + a * c * Sz + b * c * Syz);
  return e;
}

TEST(DwqbWarpingPlanes, PlaneOrdinatesAreFittedExactly) {
  // Rectangle [0, 2] × [0, 1]: A 2, ∫y 2, ∫z 1, ∫y² 8/3, ∫yz 1, ∫z² 2/3.
  const double m[6] = {2.0, 2.0, 1.0, 8.0 / 3.0, 1.0, 2.0 / 3.0};
  DWQB_PART e = Element(m, 1.0, 2.0, -3.0);
  DWQB_MASK_CONTEXT c{};
  double abc[3];
  ASSERT_EQ(Fit_Line_Warping_Plane(&e, &c, abc), 1);
  EXPECT_NEAR(abc[0], 1.0, 1e-12);
  EXPECT_NEAR(abc[1], 2.0, 1e-12);
  EXPECT_NEAR(abc[2], -3.0, 1e-12);
  // Accumulated: the fitted plane's own integrals, and the target ∫ω².
  EXPECT_NEAR(c.fit_w, e.values[28], 1e-12);
  EXPECT_NEAR(c.fit_ww, e.values[31], 1e-12);
  EXPECT_NEAR(c.fit_T, e.values[31], 1e-12);
  // With the pole at (yr, zr) the ordinates gain zr y − yr z.
  DWQB_MASK_CONTEXT moved{};
  moved.y_ref = 0.5;
  moved.z_ref = -0.25;
  ASSERT_EQ(Fit_Line_Warping_Plane(&e, &moved, abc), 1);
  EXPECT_NEAR(abc[1], 2.0 - 0.25, 1e-12);
  EXPECT_NEAR(abc[2], -3.0 - 0.5, 1e-12);
}

}  // namespace
