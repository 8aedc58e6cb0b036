// Test sections for the mask solver: polygons as area groups, in metres, per mille and
// kN/m². The steel law is Fill_Stahl_Spannungsdehnungslinie(210000, 235, 150, 0): yield
// 235000 kN/m² at 235/210 per mille, limit strain 150 per mille.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/masque_solve.h"

namespace masque_test {

constexpr double kFy = 235000.0;             // kN/m²
constexpr double kEpsY = 235.0 / 210.0;      // yield strain, per mille

inline SPANNUNGSDEHNUNGSLINIE *AddLine(MASQUE *mask, double E = 210000.0, double fy = 235.0, double epsu = 150.0,
                                       unsigned typ = 2) {
  double p[SDL_PARAMETER];
  EXPECT_EQ(Fill_Stahl_Spannungsdehnungslinie(E, fy, epsu, 0.0, p), 1);
  SPANNUNGSDEHNUNGSLINIE *line = Create_Masque_Spannungsdehnungslinie(1, typ, "DWQB", p);
  EXPECT_EQ(Add_Masque_Spannungsdehnungslinie(mask, line), 1);
  return line;
}

// Area group bounded by the polygon's edges, joined in the given order.
inline MASQUE_GRUPPE *AddPolygon(MASQUE *mask, SPANNUNGSDEHNUNGSLINIE *line, const std::vector<std::pair<double, double>> &pts) {
  std::vector<MASQUE_KNOTEN *> nodes;
  for (const auto &p : pts) {
    MASQUE_KNOTEN *n = Create_Masque_Knoten(0, p.first, p.second);
    EXPECT_EQ(Add_Masque_Knoten(mask, n), 1);
    nodes.push_back(n);
  }
  MASQUE_GRUPPE *group = Create_Masque_Flaeche(0, line);
  for (size_t i = 0; i < nodes.size(); ++i) {
    MASQUE_KANTE *e = Create_Masque_Kante(0, nodes[i], nodes[(i + 1) % nodes.size()], 0.0);
    EXPECT_EQ(Add_Masque_Kante(mask, e), 1);
    EXPECT_EQ(Add_Kante_to_Masque_Flaeche(group, e), 1);
  }
  EXPECT_EQ(Add_Masque_Gruppe(mask, group), 1);
  return group;
}

// Counter-clockwise rectangle [y0, y1] × [z0, z1].
inline MASQUE_GRUPPE *AddRect(MASQUE *mask, SPANNUNGSDEHNUNGSLINIE *line, double y0, double y1, double z0, double z1) {
  return AddPolygon(mask, line, {{y0, z0}, {y1, z0}, {y1, z1}, {y0, z1}});
}

// The steel rectangle h = 0.2 along y', b = 0.1 along z', centred on the origin.
inline MASQUE *SteelRectangle() {
  MASQUE *mask = Create_Masque_Querschnitt(1, 0);
  SPANNUNGSDEHNUNGSLINIE *line = AddLine(mask);
  AddRect(mask, line, -0.1, 0.1, -0.05, 0.05);
  EXPECT_EQ(Update_Masque_Querschnitt(mask, 0), 1);
  return mask;
}

// Fixture: the steel rectangle as mask_, the mask module and the limit-state solver at
// program start around every test.
class SteelRectangleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Masque_Module_For_Tests();
    Reset_Masque_Solver_For_Tests();
    mask_ = SteelRectangle();
  }
  void TearDown() override {
    Destroy_Masque_Querschnitt(mask_);
    Reset_Masque_Module_For_Tests();
    Reset_Masque_Solver_For_Tests();
  }
  MASQUE *mask_ = nullptr;
};

// I section of three touching rectangles, web along y': h 0.3, b 0.15, tf 0.0107, tw 0.0071.
constexpr double kIh = 0.3, kIb = 0.15, kItf = 0.0107, kItw = 0.0071;
inline MASQUE *SteelISection() {
  MASQUE *mask = Create_Masque_Querschnitt(2, 0);
  SPANNUNGSDEHNUNGSLINIE *line = AddLine(mask);
  const double a = kIh / 2.0, c = a - kItf;
  AddRect(mask, line, -a, -c, -kIb / 2.0, kIb / 2.0);
  AddRect(mask, line, -c, c, -kItw / 2.0, kItw / 2.0);
  AddRect(mask, line, c, a, -kIb / 2.0, kIb / 2.0);
  EXPECT_EQ(Update_Masque_Querschnitt(mask, 0), 1);
  return mask;
}

// Stress of the steel law at a strain (per mille).
inline double SteelStress(double eps) {
  const double s = 210000.0 * eps;
  return std::fmax(-kFy, std::fmin(kFy, s));
}

// Forces (N, My, Mz) of a strain function over [y0, y1] × [z0, z1] by a midpoint sum of
// n strips along the direction of the strain gradient (the strain must vary along y or
// be constant), the reference for the closed forms.
template <class Strain>
void StripSum(Strain strain, double y0, double y1, double z0, double z1, int n, double *F) {
  F[0] = F[1] = F[2] = 0.0;
  const double dy = (y1 - y0) / n, b = z1 - z0, zm = (z0 + z1) / 2.0;
  for (int i = 0; i < n; ++i) {
    const double y = y0 + (i + 0.5) * dy;
    const double s = SteelStress(strain(y)) * b * dy;
    F[0] += s;
    F[1] += s * zm;
    F[2] -= s * y;
  }
}

}  // namespace masque_test
