// tests/checks/checks_fixture.h — library and welded profiles, the member's stress check,
// polygons for plastic integrals by hand and golden print lists of the checks suites.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "checks/checks.h"
#include "host/host.h"
#include "materials/capture.h"
#include "materials/materials.h"
#include "nad/nad.h"
#include "profil/profil.h"
#include "tests/profil/profil_shapes.h"
#include "tests/testsupport/olireader.h"

// A library profile in the Eurocode grade of list row (0 S235, 2 S355) at its flange.
struct Library {
  PROFIL p{};
  Library(const char *name, int row) {
    Init_Material_Data(&p.grade);
    p.grade.grade = row;
    EXPECT_EQ(0, Set_Profil_by_Library_Name(&p, name)) << name;
    Check_Material_Strength(&p.grade, p.t_fo, nullptr, 0, nullptr);
  }
  ~Library() { Reset_Profil(&p); }
};

// A welded parametric shape (mm) in S235 without throats, with overhangs ü_o, ü_u of a box;
// section values computed.
struct Welded {
  PROFIL p{};
  Welded(int type, double h, double t_w, double b_fo, double t_fo, double b_fu = 0, double t_fu = 0, double ue_o = 0,
         double ue_u = 0) {
    Reset_Profil(&p);
    Set_Shape(&p, type, h, t_w, b_fo, t_fo, b_fu, t_fu, 0, 0, 0);
    p.ue_o = ue_o, p.ue_u = ue_u;
    Init_Material_Data(&p.grade);
    EXPECT_EQ(0, Calc_Profil_Querschnittswerte(&p, nullptr, 0, ""));
  }
  ~Welded() { Reset_Profil(&p); }
};

// U_σ of the member's stress check of p (γ_M0 1.0) by the method under F (N, M_y, M_z, V_y,
// V_z, T_t, T_w, B in kN, kNm, kNm²); the check must have been done.
inline double Stress_U(PROFIL *p, int method, const double F[8]) {
  double U_max = -1, U_sigma = -1, U_ct = -1, s_max, s_min, tau, s_v, further;
  const int code = Print_Stress_Check(p, 1.0, 0, 0, 1, method, F[0], F[1], F[2], F[3], F[4], F[5], F[6], F[7], &U_max,
                                      &U_sigma, &U_ct, &s_max, &s_min, &tau, &s_v, &further, nullptr, 0);
  EXPECT_TRUE(code & STRESS_DONE);
  return U_sigma;
}

// A polygon of (y, z) corners.
using Poly = std::vector<std::array<double, 2>>;

// Area and first moments ∫ y dA, ∫ z dA of a polygon (either orientation: taken positive).
inline std::array<double, 3> Poly_Moments(const Poly &p) {
  double a = 0, sy = 0, sz = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const auto &P = p[i], &Q = p[(i + 1) % p.size()];
    const double c = P[0] * Q[1] - Q[0] * P[1];
    a += c / 2, sy += (P[0] + Q[0]) * c / 6, sz += (P[1] + Q[1]) * c / 6;
  }
  return a < 0 ? std::array<double, 3>{-a, -sy, -sz} : std::array<double, 3>{a, sy, sz};
}

// The part of p where g = a + b z + c y ≥ 0.
inline Poly Poly_Clip(const Poly &p, double a, double b, double c) {
  Poly out;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const auto &P = p[i], &Q = p[(i + 1) % p.size()];
    const double gP = a + b * P[1] + c * P[0], gQ = a + b * Q[1] + c * Q[0];
    if (gP >= 0) out.push_back(P);
    if ((gP >= 0) != (gQ >= 0)) {
      const double t = gP / (gP - gQ);
      out.push_back({P[0] + t * (Q[0] - P[0]), P[1] + t * (Q[1] - P[1])});
    }
  }
  return out;
}

// The least value of f, convex on [lo, hi], by golden-section search in steps steps.
template <class F>
double Golden_Min(F f, double lo, double hi, int steps) {
  const double g = (std::sqrt(5.0) - 1) / 2;
  double x1 = hi - g * (hi - lo), x2 = lo + g * (hi - lo), f1 = f(x1), f2 = f(x2);
  for (int i = 0; i < steps; ++i) {
    if (f1 < f2) hi = x2, x2 = x1, f2 = f1, x1 = hi - g * (hi - lo), f1 = f(x1);
    else lo = x1, x1 = x2, f1 = f2, x2 = lo + g * (hi - lo), f2 = f(x2);
  }
  return std::min(f1, f2);
}

class ChecksTest : public ::testing::Test {
 protected:
  void SetUp() override { Host_Reset(), Reset_NAD_For_Tests(); }
};

// bytes against tests/checks/golden/name (PF_UPDATE_GOLDEN=1 writes it anew); the list must
// read back without a fault.
inline void Expect_Golden(const char *name, const std::string &bytes) {
  const std::string path = std::string(PF_SOURCE_DIR) + "/tests/checks/golden/" + name;
  if (std::getenv("PF_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << bytes;
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes) << name << ": PF_UPDATE_GOLDEN=1 writes it";
  OLI_DOCUMENT doc;
  EXPECT_EQ(0, Read_Oli_Text(bytes.data(), bytes.size(), &doc)) << (doc.errors.empty() ? "" : doc.errors[0]);
}
