// Descriptions whose plates, radii or welds do not fit together are refused before any
// value is computed: result 1, the description message, section values untouched.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "profil/profil.h"
#include "tests/materials/capture.h"
#include "tests/profil/profil_shapes.h"

TEST(ProfilPlateFit, MisfitPlatesRadiiAndNonFiniteValuesAreRefused) {
  const struct {
    const char *what;
    int type, rolled;
    double h, t_w, b_fo, t_fo, r, r_2;
    int fails;
    double area;  // A when it passes (mm²; −1: any)
  } cases[] = {
      // clear web h − 2 t_fo = −40: the solver would give a solid block of 27 200 mm²
      {"welded RHS 100 x 200, t_fo 70", PROFIL_RHS, 0, 100, 10, 200, 70, 0, 0, 1, 0},
      {"rolled RHS 100 x 100 x 10, r 60", PROFIL_RHS, 1, 100, 10, 100, 10, 60, 0, 1, 0},
      // d_w = c_fo = −10 mm
      {"rolled angle 100 x 100 x 10, r 100, r_2 50", PROFIL_ANGLE, 1, 100, 10, 100, 10, 100, 50, 1, 0},
      {"I shape with a NaN height", PROFIL_I, 0, NAN, 6, 150, 10, 0, 0, 1, 0},
      // clear web exactly 0 and an outer radius of half the side still describe a shape
      {"welded RHS 100 x 100 x 50", PROFIL_RHS, 0, 100, 50, 100, 50, 0, 0, 0, 10000},
      {"rolled RHS 100 x 100 x 10, r 50", PROFIL_RHS, 1, 100, 10, 100, 10, 50, 0, 0, -1},
  };
  for (const auto &c : cases) {
    PROFIL p{};
    Reset_Profil(&p);
    Set_Shape(&p, c.type, c.h, c.t_w, c.b_fo, c.t_fo, c.b_fo, c.t_fo, c.rolled, c.r, c.r_2);
    p.A = p.d_w = -7.0;  // earlier values a refusal must keep
    PrintCapture cap;
    EXPECT_EQ(Calc_Profil_Querschnittswerte(&p, cap.stream(), 0, ""), c.fails) << c.what;
    EXPECT_EQ(cap.Raw().find("Fehler bei der Querschnittsbeschreibung") != std::string::npos, c.fails == 1)
        << c.what;
    if (c.fails) {
      EXPECT_TRUE(p.A == -7.0 && p.d_w == -7.0) << c.what;
    } else if (c.area > 0) {
      EXPECT_NEAR(p.A, c.area, 1e-9 * c.area) << c.what;
    } else {
      EXPECT_GT(p.A, 0.0) << c.what;
    }
    Reset_Profil(&p);
  }
}
