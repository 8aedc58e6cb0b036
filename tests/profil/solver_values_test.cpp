// Section values through the solver against EN 10365 and the wall model's torsion rule.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dwqb/dwqb.h"
#include "profil/profil.h"
#include "tests/common/en10365_rows.h"
#include "tests/profil/profil_shapes.h"

namespace {

// 1.3 × Σ L·t³/3 over the wall lines of the solver's current section (cm⁴).
double Torsion_Rule_cm4() {
  double sum = 0;
  for (DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next) {
    const double L = std::hypot(l->node_b->y - l->node_a->y, l->node_b->z - l->node_a->z);
    sum += L * l->t_a * l->t_a * l->t_a / 3;
  }
  return 1.3 * sum;
}

// The torsion rule of the wall model for the EN 10365 rows (cm⁴), in their order.
constexpr double kTorsionRule[] = {20.41, 194.5, 59.02, 19.48};

PROFIL Parametric(const en10365::Row &t) {
  PROFIL p{};
  Reset_Profil(&p);
  Set_Shape(&p, PROFIL_H, t.h, t.t_w, t.b, t.t_f, t.b, t.t_f, 1, t.r);
  return p;
}

// A, I and I_w within the tables' rounding; I_T the wall model's rule, which is within 7 %
// of the published I_t.
void Expect_Table_Values(const PROFIL &p, const en10365::Row &t, double rule, const char *road) {
  SCOPED_TRACE(::testing::Message() << t.name << road);
  EXPECT_NEAR(p.A, 100 * t.A, 0.2 * t.A);
  EXPECT_NEAR(p.I_y, 1e4 * t.I_y, 20 * t.I_y);
  EXPECT_NEAR(p.I_z, 1e4 * t.I_z, 20 * t.I_z);
  EXPECT_NEAR(p.I_w, 1e9 * t.I_w, 1e7 * t.I_w);
  EXPECT_NEAR(p.I_T / 1e4, Torsion_Rule_cm4(), 1e-3 * rule);
  EXPECT_NEAR(p.I_T / 1e4, rule, 0.001 * rule);
  if (t.I_t > 0) {
    EXPECT_NEAR(p.I_T / 1e4, t.I_t, 0.07 * t.I_t);
  }
  EXPECT_EQ(p.y_M, 0.0);
  EXPECT_EQ(p.z_M, 0.0);
  EXPECT_EQ(p.alpha, 0.0);
}

}  // namespace

TEST(ProfilSolverValues, RolledIShapesMatchTheTables) {
  Set_Profil_Plastic_Moduli_Flag(1);
  for (size_t k = 0; k < std::size(en10365::kRows); ++k) {
    const en10365::Row &t = en10365::kRows[k];
    PROFIL lib{}, par = Parametric(t);
    EXPECT_EQ(Set_Profil_by_Library_Name(&lib, t.library), 0) << t.name;
    Expect_Table_Values(lib, t, kTorsionRule[k], " (library)");
    EXPECT_EQ(Calc_Profil_Querschnittswerte(&par, nullptr, 0, ""), 0) << t.name;
    Expect_Table_Values(par, t, kTorsionRule[k], " (parametric)");
    for (const PROFIL *p : {&lib, &par}) {
      EXPECT_NEAR(p->W_pl_y, 1e3 * t.W_pl_y, 10 * t.W_pl_y) << t.name;
      EXPECT_NEAR(p->W_pl_z, 1e3 * t.W_pl_z, 10 * t.W_pl_z) << t.name;
    }
    Reset_Profil(&lib);
    Reset_Profil(&par);
  }
  Set_Profil_Plastic_Moduli_Flag(0);
}

// A typical member of every shape type computes; symmetry puts the shear centre on the
// axis and the principal angle at 0.
TEST(ProfilSolverValues, EveryShapeTypeComputes) {
  struct Shape {
    int type;
    double h, t_w, b_fo, t_fo, b_fu, t_fu;
    int rolled;
    double r, r_2;
    bool sym_z;   // symmetric about the vertical axis: y_M = 0, alpha = 0
    bool double_sym;
  };
  const Shape shapes[] = {
      {1, 100, 10, 0, 0, 0, 0, 1, 0, 0, true, true},
      {2, 40, 0, 0, 0, 0, 0, 1, 0, 0, true, true},
      {3, 100, 10, 100, 10, 0, 0, 1, 12, 6, false, false},
      {4, 300, 7.1, 150, 10.7, 150, 10.7, 1, 15, 0, true, true},
      {5, 270, 8, 280, 13, 280, 13, 1, 24, 0, true, true},
      {6, 200, 8.5, 75, 11.5, 0, 0, 1, 11.5, 6, false, false},
      {7, 400, 12, 200, 20, 200, 20, 0, 0, 0, true, true},
      {8, 200, 10, 100, 10, 0, 0, 1, 15, 10, true, true},
      {9, 88.9, 5, 0, 0, 0, 0, 1, 0, 0, true, true},
      {10, 300, 8, 150, 12, 150, 12, 1, 10, 0, true, true},
      {11, 100, 11, 100, 11, 0, 0, 1, 11, 5.5, true, false},
      {12, 300, 10, 100, 16, 0, 0, 1, 16, 8, false, false},
      {13, 310, 9, 300, 15, 300, 15, 1, 15, 0, true, true},
      {14, 200, 8, 150, 10, 0, 0, 1, 9, 4, false, false},
      {15, 150, 7, 150, 10, 0, 0, 1, 12, 0, true, false},
      {16, 600, 12, 300, 20, 300, 20, 0, 0, 0, true, true},
      {17, 200, 6, 100, 6, 200, 0, 0, 0, 0, true, false},
  };
  for (const Shape &s : shapes) {
    PROFIL p{};
    Reset_Profil(&p);
    Set_Shape(&p, s.type, s.h, s.t_w, s.b_fo, s.t_fo, s.b_fu, s.t_fu, s.rolled, s.r, s.r_2);
    EXPECT_EQ(Calc_Profil_Querschnittswerte(&p, nullptr, 0, ""), 0) << "type " << s.type;
    EXPECT_GT(p.A, 0.0) << "type " << s.type;
    EXPECT_GT(p.I_T, 0.0) << "type " << s.type;
    if (s.sym_z) {
      EXPECT_EQ(p.y_M, 0.0) << "type " << s.type;
      EXPECT_EQ(p.alpha, 0.0) << "type " << s.type;
      EXPECT_EQ(p.I_yz, 0.0) << "type " << s.type;
    }
    if (s.double_sym) {
      EXPECT_EQ(p.z_M, 0.0) << "type " << s.type;
    }
    if (s.type == PROFIL_ANGLE) {
      // Equal legs: principal axes at ±45°, the sign that I_yz = (I_1 − I_2)·sin(−2α)/2 gives.
      EXPECT_NEAR(std::fabs(p.alpha), 45.0, 0.01);
      EXPECT_LT(p.I_yz * p.alpha, 0.0);
    }
    if (s.type == PROFIL_U || s.type == PROFIL_C) {
      // The shear centre of a channel lies behind its web (y ≥ 0 is outside the section).
      EXPECT_GT(p.y_s + p.y_M, 0.0) << "type " << s.type;
    }
    Reset_Profil(&p);
  }
}
