// Mask frames, limits, options, group initial strains and the update, and the build of a
// mask in the order the thin-walled solver calls the library. Units: metres, per mille.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "analysis/masque.h"

namespace {

class MasqueFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Masque_Module_For_Tests();
    mask_ = Create_Masque_Querschnitt(1, 0);
    ASSERT_NE(mask_, nullptr);
  }
  void TearDown() override {
    Destroy_Masque_Querschnitt(mask_);
    Reset_Masque_Module_For_Tests();
  }
  SPANNUNGSDEHNUNGSLINIE *AddBuiltin(const char *name) {
    SPANNUNGSDEHNUNGSLINIE *line = Clone_Masque_Spannungsdehnungslinie(Find_Builtin_Spannungsdehnungslinie(name));
    EXPECT_EQ(Add_Masque_Spannungsdehnungslinie(mask_, line), 1);
    return line;
  }
  MASQUE *mask_ = nullptr;
};

// The mask's strain limits (cmin, cmax, smin, smax) from its lines: none, symmetric lines
// only, concrete only, concrete with reinforcement.
TEST(MasqueLimitsOfLines, ByKindsOfLines) {
  const struct {
    std::vector<const char *> builtin;
    std::vector<double> symmetric_epsu;
    double cmin, cmax, smin, smax;
  } cases[] = {{{}, {}, 0, 0, 0, 0},
               {{}, {5, 25}, -25, 25, -25, 25},
               {{"B25"}, {}, -3.5, -2, -3.5, -2},
               {{"C50/60", "C60/75", "BSt 500 S"}, {}, -3.5, -2, -5, 5}};
  for (const auto &c : cases) {
    Reset_Masque_Module_For_Tests();
    MASQUE *mask = Create_Masque_Querschnitt(1, 0);
    for (const char *name : c.builtin) {
      SPANNUNGSDEHNUNGSLINIE *line = Clone_Masque_Spannungsdehnungslinie(Find_Builtin_Spannungsdehnungslinie(name));
      Add_Masque_Spannungsdehnungslinie(mask, line);
    }
    for (double epsu : c.symmetric_epsu) {
      const double p[SDL_PARAMETER] = {1000, 1000, -2, 2, epsu, 0, 1, 0, 0, 0};
      Add_Masque_Spannungsdehnungslinie(mask, Create_Masque_Spannungsdehnungslinie(0, 2, nullptr, p));
    }
    ASSERT_EQ(Calc_Masque_Limits(mask), 1);
    const double got[4] = {mask->limits.cmin, mask->limits.cmax, mask->limits.smin, mask->limits.smax};
    const double want[4] = {c.cmin, c.cmax, c.smin, c.smax};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(got[k], want[k]) << c.cmin << " " << c.smax << " limit " << k;
    EXPECT_TRUE(mask->flags & MASQUE_LIMITS_GUELTIG);
    Destroy_Masque_Querschnitt(mask);
  }
  Reset_Masque_Module_For_Tests();
}

TEST_F(MasqueFrame, LawTypesBeyondTwoAreToldApartByTheSignOfEpsu) {
  double lo = 0, hi = 0;
  const double p[SDL_PARAMETER] = {1, 1, -2, 0, -3.5, 0, 2, 0, 0, 0};
  SPANNUNGSDEHNUNGSLINIE *l = Create_Masque_Spannungsdehnungslinie(1, 0, nullptr, p);
  EXPECT_EQ(Get_Spannungsdehnungslinie_Limits(l, &lo, &hi), 1);
  EXPECT_EQ(lo, -3.5);
  EXPECT_EQ(hi, MASQUE_NO_LIMIT);
  EXPECT_EQ(static_cast<float>(MASQUE_NO_LIMIT), 3.4028235e38f);
  l->typ = 3;
  l->param[SDL_EPS_U] = 10;
  EXPECT_EQ(Get_Spannungsdehnungslinie_Limits(l, &lo, &hi), 2);
  EXPECT_EQ(lo, -10.0);
  EXPECT_EQ(hi, 10.0);
  l->typ = 2;  // law type 2 is symmetric whatever the sign
  l->param[SDL_EPS_U] = -7;
  EXPECT_EQ(Get_Spannungsdehnungslinie_Limits(l, &lo, &hi), 2);
  EXPECT_EQ(hi, 7.0);
  EXPECT_EQ(Get_Spannungsdehnungslinie_Limits(l, nullptr, &hi), 0);
  Destroy_Masque_Spannungsdehnungslinie(l);
}

TEST_F(MasqueFrame, FramesInvertAndRoundTrip) {
  ASSERT_EQ(Set_Masque_Frame(mask_, 0, 0, 0.3, 1), 1);
  EXPECT_EQ(mask_->frame[0], 0.0);
  EXPECT_EQ(mask_->frame[1], 0.0);
  EXPECT_EQ(mask_->frame[2], -0.3);

  MASQUE_KNOTEN *n = Create_Masque_Knoten(1, 0.3, -0.2);
  Add_Masque_Knoten(mask_, n);
  Set_Masque_Frame(mask_, 0.1, 0.05, 0.7, 0);
  ASSERT_EQ(Transform_Masque_Knoten(mask_), 1);
  const double yl = n->y_lokal, zl = n->z_lokal;
  EXPECT_NEAR(std::hypot(yl, zl), std::hypot(0.2, -0.25), 1e-15);
  EXPECT_EQ(std::memcmp(mask_->frame, mask_->frame_kopie, sizeof mask_->frame), 0);
  // The inverted frame maps local coordinates back to section coordinates.
  double inv[3];
  Invert_Masque_Frame(mask_->frame, inv, 1);
  const double c = std::cos(inv[2]), s = std::sin(inv[2]);
  EXPECT_NEAR(c * (yl - inv[0]) + s * (zl - inv[1]), 0.3, 1e-15);
  EXPECT_NEAR(c * (zl - inv[1]) - s * (yl - inv[0]), -0.2, 1e-15);

  // Inverting the mask's own frame in place, twice, gives it back.
  const double before[3] = {mask_->frame[0], mask_->frame[1], mask_->frame[2]};
  Copy_Masque_Frame(mask_, mask_->frame, 1);
  EXPECT_NE(mask_->frame[2], before[2]);
  Copy_Masque_Frame(mask_, mask_->frame, 1);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(mask_->frame[i], before[i], 1e-16);

  // A frame saved as its three doubles comes back bit for bit.
  const double odd[3] = {0.1 / 3, -1e-300, 2.0 / 7};
  Copy_Masque_Frame(mask_, odd, 0);
  double saved[3];
  std::memcpy(saved, mask_->frame, sizeof saved);
  Set_Masque_Frame(mask_, 5, 6, 7, 0);
  ASSERT_EQ(Copy_Masque_Frame(mask_, saved, 0), 1);
  EXPECT_EQ(std::memcmp(mask_->frame, odd, sizeof odd), 0);
  EXPECT_EQ(Copy_Masque_Frame(mask_, nullptr, 0), 0);
  EXPECT_EQ(Set_Masque_Frame(nullptr, 0, 0, 0, 0), 0);
}

TEST_F(MasqueFrame, InitialStrainPlaneKeepsItsValueInTheFrame) {
  const MASQUE_VORDEHNUNG v{0.3, -2.0, 5.0, MASQUE_VORDEHNUNG_AKTIV, 7};
  MASQUE_VORDEHNUNG t{};
  const double y0 = 0.2, z0 = -0.1, phi = 0.9, y = 0.35, z = 0.12;
  ASSERT_EQ(Transform_Dehnungsebene_to_Frame(&v, y0, z0, phi, &t), 1);
  const double yl = std::cos(phi) * (y - y0) + std::sin(phi) * (z - z0);
  const double zl = std::cos(phi) * (z - z0) - std::sin(phi) * (y - y0);
  EXPECT_NEAR(t.a + t.b * yl + t.c * zl, v.a + v.b * y + v.c * z, 1e-14);
  EXPECT_EQ(t.flags, MASQUE_VORDEHNUNG_AKTIV);
  EXPECT_EQ(t.wort, 7u);
  EXPECT_EQ(Transform_Dehnungsebene_to_Frame(nullptr, y0, z0, phi, &t), 0);
  EXPECT_EQ(t.a, 0.0);
  EXPECT_EQ(t.flags, 0u);
}

TEST_F(MasqueFrame, OptionsFlagsAndTheUpdate) {
  SPANNUNGSDEHNUNGSLINIE *line = AddBuiltin("BSt 500 S");
  ASSERT_EQ(Update_Masque_Querschnitt(mask_, 0), 1);
  EXPECT_EQ(mask_->flags & 0x10007u, 0x10007u);
  EXPECT_EQ(line->arbeitsform.anzahl, 3);

  // The update prepares the lines again exactly when bit 0x4 is clear.
  line->arbeitsform.anzahl = 0;
  Update_Masque_Querschnitt(mask_, 0);
  EXPECT_EQ(line->arbeitsform.anzahl, 0);
  Update_Masque_Querschnitt(mask_, 0x8);  // outside 0x10007: clears nothing
  EXPECT_EQ(line->arbeitsform.anzahl, 0);
  Update_Masque_Querschnitt(mask_, MASQUE_SDL_PREPARED);
  EXPECT_EQ(line->arbeitsform.anzahl, 3);

  // The same option block twice leaves the lines prepared; another one does not.
  const MASQUE_CALC_OPTIONS opt{MASQUE_OPTION_WERT, 0, 0.001};
  Set_Masque_Calc_Options(mask_, &opt);
  EXPECT_FALSE(mask_->flags & MASQUE_SDL_PREPARED);
  Update_Masque_Querschnitt(mask_, 0);
  Set_Masque_Calc_Options(mask_, &opt);
  EXPECT_TRUE(mask_->flags & MASQUE_SDL_PREPARED);
  MASQUE_CALC_OPTIONS back{};
  ASSERT_EQ(Get_Masque_Calc_Options(mask_, &back), 1);
  EXPECT_EQ(back.wert, 0.001);
  Set_Masque_Calc_Options(mask_, nullptr);
  EXPECT_FALSE(mask_->flags & MASQUE_SDL_PREPARED);
  EXPECT_EQ(mask_->options.flags, 0u);

  // New parameters make the lines and the limits stale.
  Update_Masque_Querschnitt(mask_, 0);
  double law[SDL_PARAMETER];
  Fill_Stahl_Spannungsdehnungslinie(210000, 235, 40, 0, law);
  Set_Masque_Spannungsdehnungslinie_Params(mask_, line, law);
  Update_Masque_Querschnitt(mask_, 0);
  EXPECT_EQ(mask_->limits.smax, 40.0);
  EXPECT_EQ(line->arbeitsform.abschnitt[0].hi, -law[SDL_EPS_Z]);

  mask_->flags |= MASQUE_HULL_GUELTIG;
  EXPECT_EQ(Set_Masque_Option_Flag(mask_, 1), 0);
  EXPECT_TRUE(mask_->flags & MASQUE_HULL_LIMITS);
  EXPECT_FALSE(mask_->flags & MASQUE_HULL_GUELTIG);
  EXPECT_EQ(Set_Masque_Option_Flag(mask_, 0), 1);
  EXPECT_FALSE(mask_->flags & MASQUE_HULL_LIMITS);

  mask_->flags |= MASQUE_KEEP;
  ASSERT_EQ(Clear_Masque_Flags(mask_, 0xffffffffu), 1);
  EXPECT_EQ(mask_->flags & 0x10007u, 0u);
  EXPECT_TRUE(mask_->flags & MASQUE_KEEP);
  mask_->flags &= ~MASQUE_KEEP;
}

// An object added after an update is taken into the next one.
TEST_F(MasqueFrame, ObjectsAddedLaterAreBroughtUpToDate) {
  AddBuiltin("B25");
  ASSERT_EQ(Update_Masque_Querschnitt(mask_, 0), 1);
  SPANNUNGSDEHNUNGSLINIE *steel = AddBuiltin("BSt 500 S");
  MASQUE_KNOTEN *n = Create_Masque_Knoten(1, 0.5, 0.5);
  Set_Masque_Frame(mask_, 0.5, 0, 0, 0);
  Update_Masque_Querschnitt(mask_, 0);
  Add_Masque_Knoten(mask_, n);
  ASSERT_EQ(Update_Masque_Querschnitt(mask_, 0), 1);
  EXPECT_EQ(steel->arbeitsform.anzahl, 3);
  EXPECT_EQ(mask_->limits.smax, 5.0);
  EXPECT_EQ(n->y_lokal, 0.0);
}

TEST_F(MasqueFrame, UpdateFollowsAFrameChangeWithoutAnyFlag) {
  MASQUE_KNOTEN *n = Create_Masque_Knoten(1, 1.0, 0.0);
  Add_Masque_Knoten(mask_, n);
  Update_Masque_Querschnitt(mask_, 0);
  EXPECT_EQ(n->y_lokal, 1.0);
  Set_Masque_Frame(mask_, 0, 0, std::numbers::pi / 2, 0);
  EXPECT_TRUE(mask_->flags & MASQUE_KNOTEN_GUELTIG);  // setting the frame clears nothing
  Update_Masque_Querschnitt(mask_, 0);
  EXPECT_NEAR(n->y_lokal, 0.0, 1e-15);
  EXPECT_NEAR(n->z_lokal, -1.0, 1e-15);
}

TEST_F(MasqueFrame, CuttingRemovesOneBranchOfEveryLine) {
  double law[SDL_PARAMETER];
  Fill_Stahl_Spannungsdehnungslinie(210000, 235, 25, 0, law);
  SPANNUNGSDEHNUNGSLINIE *s = Create_Masque_Spannungsdehnungslinie(1, 2, nullptr, law);
  Add_Masque_Spannungsdehnungslinie(mask_, s);
  SPANNUNGSDEHNUNGSLINIE *c = AddBuiltin("B25");
  auto sigma = [](const SPANNUNGSDEHNUNGSLINIE *l, double eps) {
    const int i = Find_SDL_Abschnitt(&l->arbeitsform, eps);
    return i < 0 ? 0.0 : Calc_SDL_Abschnitt_Spannung(&l->arbeitsform.abschnitt[i], eps, nullptr);
  };
  ASSERT_EQ(Prepare_Masque_Spannungsdehnungslinien_Cut(mask_, 1), 1);
  EXPECT_EQ(s->arbeitsform.anzahl, 3);  // counts stay
  EXPECT_EQ(sigma(s, -30.0), 0.0);
  EXPECT_EQ(sigma(s, -1.119047619047619 - 1e-6), 0.0);
  EXPECT_EQ(sigma(s, -0.5), 0.0);
  EXPECT_EQ(sigma(s, 0.0), 0.0);
  EXPECT_NEAR(sigma(s, 0.5), 105000.0, 1e-6);  // the tension part of the elastic line stays
  EXPECT_NEAR(sigma(s, 10.0), 235000.0, 1e-6);
  EXPECT_EQ(sigma(c, -3.0), 0.0);
  EXPECT_EQ(sigma(c, -1.0), 0.0);  // the parabola ends at 0: all of concrete is compression

  ASSERT_EQ(Prepare_Masque_Spannungsdehnungslinien_Cut(mask_, 2), 1);
  EXPECT_EQ(sigma(s, 10.0), 0.0);
  EXPECT_EQ(sigma(s, 0.5), 0.0);
  EXPECT_NEAR(sigma(s, -0.5), -105000.0, 1e-6);  // and its compression part here
  EXPECT_NEAR(sigma(s, -30.0), -235000.0, 1e-6);
  EXPECT_NEAR(sigma(c, -3.0), -17500.0, 1e-9);
  EXPECT_NEAR(sigma(c, -1.0), -13125.0, 1e-9);

  ASSERT_EQ(Prepare_Masque_Spannungsdehnungslinien_Cut(mask_, 0), 1);
  EXPECT_NEAR(sigma(s, 10.0), 235000.0, 1e-6);
  EXPECT_NEAR(sigma(s, -30.0), -235000.0, 1e-6);
}

TEST_F(MasqueFrame, GroupInitialStrainsNeedTheModeBitAndAreScanned) {
  SPANNUNGSDEHNUNGSLINIE *line = AddBuiltin("B35");
  MASQUE_GRUPPE *g = Create_Masque_Flaeche(1, line);
  Add_Masque_Gruppe(mask_, g);
  const MASQUE_VORDEHNUNG v{1e-4, 0.01, 0, MASQUE_VORDEHNUNG_AKTIV, 0};

  Set_Masque_Gruppe_Vordehnung(g, &v);  // mode bit clear: the plane is not taken
  EXPECT_EQ(g->vordehnung.a, 0.0);
  Set_Masque_Calc_Mode(0x5);
  Scan_Masque_Gruppen_Vordehnung(mask_);
  EXPECT_EQ(Get_Masque_Calc_Mode(), 0x5u);  // restored
  EXPECT_FALSE(mask_->flags & MASQUE_VORDEHNUNG_AKTIVE);
  EXPECT_TRUE(mask_->flags & MASQUE_VORDEHNUNG_GESCANNT);

  Set_Masque_Calc_Mode(MASQUE_MODE_VORDEHNUNG);
  Set_Masque_Gruppe_Vordehnung(g, &v);
  EXPECT_EQ(g->vordehnung.b, 0.01);
  Update_Masque_Querschnitt(mask_, 0);  // already scanned: nothing new
  EXPECT_FALSE(mask_->flags & MASQUE_VORDEHNUNG_AKTIVE);
  Update_Masque_Querschnitt(mask_, MASQUE_VORDEHNUNG_GESCANNT);
  EXPECT_TRUE(mask_->flags & MASQUE_VORDEHNUNG_AKTIVE);
  EXPECT_EQ(Masque_Uses_Vordehnung(mask_), 1);
  Set_Masque_Calc_Mode(0);
  EXPECT_EQ(Masque_Uses_Vordehnung(mask_), 0);
  Set_Masque_Gruppe_Vordehnung(g, nullptr);
  EXPECT_EQ(g->vordehnung.b, 0.0);
}

TEST_F(MasqueFrame, GroupWeightAndLineParameterHelpers) {
  SPANNUNGSDEHNUNGSLINIE *line = AddBuiltin("B25");
  MASQUE_GRUPPE *g = Create_Masque_Punktgruppe(1, line);
  Add_Masque_Gruppe(mask_, g);
  MASQUE_GEWICHT w{};
  const MASQUE_GEWICHT neu{1, 0.5};
  ASSERT_EQ(Swap_Masque_Gruppe_Gewicht(&w, g, &neu), 1);
  EXPECT_EQ(w.flags, 0);
  EXPECT_EQ(w.gewicht, 1.0);
  Get_Masque_Gruppe_Gewicht(&w, g);
  EXPECT_EQ(w.gewicht, 0.5);
  Get_Masque_Gruppe_Gewicht(&w, nullptr);
  EXPECT_EQ(w.gewicht, 1.0);

  double p[SDL_PARAMETER];
  Get_Masque_Gruppe_Linie_Params(p, nullptr);
  EXPECT_EQ(p[SDL_BETA_D], 23000.0);  // "B35"
  double q[SDL_PARAMETER] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  ASSERT_EQ(Swap_Masque_Gruppe_Linie_Params(p, g, q), 1);
  EXPECT_EQ(p[SDL_BETA_D], 17500.0);
  EXPECT_EQ(line->param[SDL_WINKEL], 10.0);
  Set_Masque_Gruppe_Linie(g, nullptr);
  EXPECT_EQ(line->header.refcount, 0);
  Swap_Masque_Gruppe_Linie_Params(p, g, q);
  EXPECT_EQ(p[SDL_BETA_D], 0.0);
  p[0] = 42;
  Get_Masque_Gruppe_Linie_Params(p, g);  // no line: left untouched
  EXPECT_EQ(p[0], 42.0);
}

// The build of the thin-walled solver: a 0.2 m × 0.1 m rectangle as one area group of four
// nodes and four edges with a steel law, in the solver's order of calls.
TEST(MasqueSolverBuild, RectangleInTheSolversOrder) {
  Reset_Masque_Module_For_Tests();
  const unsigned old_mode = Get_Masque_Calc_Mode();
  Set_Masque_Calc_Mode(old_mode | MASQUE_MODE_VORDEHNUNG);
  MASQUE *mask = Create_Masque_Querschnitt(1, 0);
  ASSERT_NE(mask, nullptr);
  double law[SDL_PARAMETER];
  const double f = 235.0 / 1.1;
  ASSERT_EQ(Fill_Stahl_Spannungsdehnungslinie(210000, f, 150, f / 150, law), 1);
  SPANNUNGSDEHNUNGSLINIE *line = Create_Masque_Spannungsdehnungslinie(1, 2, "DWQB", law);
  ASSERT_EQ(Add_Masque_Spannungsdehnungslinie(mask, line), 1);
  MASQUE_GRUPPE *group = Create_Masque_Flaeche(1, line);
  ASSERT_EQ(Add_Masque_Gruppe(mask, group), 1);

  const double cm[4][2] = {{-10, -5}, {10, -5}, {10, 5}, {-10, 5}};
  int node_nr = 0, edge_nr = 0;
  MASQUE_KNOTEN *first = Create_Masque_Knoten(++node_nr, 0.01 * cm[0][0], 0.01 * cm[0][1]);
  ASSERT_EQ(Add_Masque_Knoten(mask, first), 1);
  MASQUE_KNOTEN *last = first;
  for (int i = 1; i < 4; ++i) {
    MASQUE_KNOTEN *n = Create_Masque_Knoten(++node_nr, 0.01 * cm[i][0], 0.01 * cm[i][1]);
    ASSERT_EQ(Add_Masque_Knoten(mask, n), 1);
    MASQUE_KANTE *e = Create_Masque_Kante(++edge_nr, last, n, 0);
    ASSERT_EQ(Add_Masque_Kante(mask, e), 1);
    ASSERT_EQ(Add_Kante_to_Masque_Flaeche(group, e), 1);
    last = n;
  }
  MASQUE_KANTE *closing = Create_Masque_Kante(++edge_nr, last, first, 0);
  ASSERT_EQ(Add_Masque_Kante(mask, closing), 1);
  ASSERT_EQ(Add_Kante_to_Masque_Flaeche(group, closing), 1);
  const MASQUE_VORDEHNUNG warping{1e-4 * 0.5, 0.01 * 2.0, 0, MASQUE_VORDEHNUNG_AKTIV, 0};
  ASSERT_EQ(Set_Masque_Gruppe_Vordehnung(group, &warping), 1);
  ASSERT_EQ(Update_Masque_Querschnitt(mask, 0), 1);
  Set_Masque_Calc_Mode(old_mode);

  EXPECT_EQ(Count_Masque_Knoten(mask), 4);
  EXPECT_EQ(Count_Masque_Kanten(mask), 4);
  EXPECT_EQ(Count_Masque_Flaeche_Kanten(group), 4);
  EXPECT_EQ(mask->limits.smin, -150.0);
  EXPECT_EQ(mask->limits.smax, 150.0);
  EXPECT_EQ(mask->limits.cmin, -150.0);
  EXPECT_EQ(mask->limits.cmax, 150.0);
  EXPECT_TRUE(mask->flags & MASQUE_SDL_PREPARED);
  EXPECT_TRUE(mask->flags & MASQUE_VORDEHNUNG_AKTIVE);
  EXPECT_EQ(Find_Masque_Gruppe_by_Id(mask, 1), group);
  EXPECT_EQ(first->header.refcount, 2);
  EXPECT_EQ(group->vordehnung.b, 0.02);

  // The plastic computation saves and restores frame, options and factors around its solve.
  double saved_frame[3];
  std::memcpy(saved_frame, mask->frame, sizeof saved_frame);
  MASQUE_CALC_OPTIONS opt{};
  ASSERT_EQ(Get_Masque_Calc_Options(mask, &opt), 1);
  opt.flags |= MASQUE_OPTION_VORDEHNUNG;
  Set_Masque_Calc_Options(mask, &opt);
  Set_Masque_Frame(mask, 0.01 * 3, 0.01 * 1, 0.4, 0);
  ASSERT_EQ(Update_Masque_Querschnitt(mask, 0), 1);
  EXPECT_NEAR(first->y_lokal, std::cos(0.4) * (-0.13) + std::sin(0.4) * (-0.06), 1e-15);
  Copy_Masque_Frame(mask, saved_frame, 0);
  EXPECT_EQ(std::memcmp(mask->frame, saved_frame, sizeof saved_frame), 0);
  Release_Masque_Querschnitt(mask);
}

}  // namespace
