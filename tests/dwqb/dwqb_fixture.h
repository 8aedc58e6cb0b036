// Shared fixture of the solver tests: module state back to program start around every
// test, the switch words as the program sets them, and small model builders (cm).
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "analysis/masque.h"
#include "dwqb/dwqb.h"
#include "dwqb/dwqb_internal.h"
#include "dwqb/plastic_internal.h"
#include "materials/materials.h"
#include "tests/dwqb/section_models.h"

class DwqbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_DWQB_Module_For_Tests();
    // The profile library initialisation sets both at the first use of a profile.
    DWQB_Part_Mode_Switch = 1;
    DWQB_Wall_Terms_Switch = 1;
    Reset_DWQB_Querschnitt();
  }
  void TearDown() override { Reset_DWQB_Module_For_Tests(); }

  // Line values: t_a, t_b, rise, rot_a, rot_b, r_left_a, r_right_a, r_left_b, r_right_b.
  static void Line(int nr, int a, int b, double t_a, double t_b, double rise = 0.0, int part = 0) {
    const double v[9] = {t_a, t_b, rise, 0, 0, 0, 0, 0, 0};
    Add_DWQB_Line(nr, part, a, b, v);
  }
};

// The plastic masks and values of the current section: their module state and the mask
// module's at program start around every test; small sections (cm), run.
class DwqbPlasticTest : public DwqbTest {
 protected:
  void SetUp() override {
    DwqbTest::SetUp();
    Reset_DWQB_Plastic_For_Tests();
    Reset_Masque_Module_For_Tests();
  }
  void TearDown() override {
    Reset_DWQB_Plastic_For_Tests();
    Reset_Masque_Module_For_Tests();
    Reset_Materials_For_Tests();
    DwqbTest::TearDown();
  }
  static void Run() {
    ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
    ASSERT_GT(Get_DWQB_Values()->v[DWQB_V_A], 0.0);
  }
  // The rolled IPE 300 with root radius r.
  static void Ipe300(double r) {
    Ipe300_Model(r).Build();
    Run();
  }
  // A solid rectangle b × h as one wall of thickness b along z, centred on (0, 0).
  static void Rectangle(double b, double h) {
    Add_DWQB_Node(1, 0, -h / 2);
    Add_DWQB_Node(2, 0, h / 2);
    Add_DWQB_Line_Const_Thickness(1, 1, 2, b);
    Run();
  }
  // The solver's reset frees the section, and with it the masks.
  static void Free_Section() { Reset_DWQB_Querschnitt(); }
};

// Area enclosed by the ten outline pieces of one line: shoelace over the chords, exact
// circular segments for fillet arcs, dense chords for arc faces that follow their line.
inline double Outline_Area(const DWQB_LINE *L) {
  double area = 0.0;
  for (const DWQB_OUTLINE_PIECE &p : L->outline) {
    if (!(p.flags & DWQB_PIECE_COMPUTED) || (p.flags & DWQB_PIECE_EMPTY)) continue;
    if ((p.flags & DWQB_PIECE_ARC) && p.line) {
      const int n = 2000;
      double y0, z0;
      Get_DWQB_Line_Point(-1.0, &p, &y0, &z0);
      for (int i = 1; i <= n; ++i) {
        double y1, z1;
        Get_DWQB_Line_Point(-1.0 + 2.0 * i / n, &p, &y1, &z1);
        area += (y0 * z1 - y1 * z0) / 2.0;
        y0 = y1;
        z0 = z1;
      }
      continue;
    }
    area += (p.y0 * p.z1 - p.y1 * p.z0) / 2.0;
    if ((p.flags & DWQB_PIECE_ARC) && p.rise != 0.0) {
      const double c2 = (p.y1 - p.y0) * (p.y1 - p.y0) + (p.z1 - p.z0) * (p.z1 - p.z0);
      const double rho = std::fabs(p.rise);
      const double R = (c2 + 4.0 * rho * rho) / (8.0 * rho);
      const double q = (c2 - 4.0 * rho * rho) / (c2 + 4.0 * rho * rho);
      const double theta = 2.0 * std::atan2(std::sqrt(std::fmax(0.0, 1.0 - q * q)), q);
      const double segment = R * R / 2.0 * (theta - std::sin(theta));
      area += p.rise > 0.0 ? -segment : segment;  // a left bulge cuts into the loop
    }
  }
  return area;
}

inline double Section_Outline_Area() {
  double a = 0.0;
  for (const DWQB_LINE *L = Get_DWQB_First_Line(); L; L = L->next) a += Outline_Area(L);
  return a;
}
