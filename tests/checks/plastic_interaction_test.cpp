// Plastic N-V-M interaction: DIN 18800-1 Table 16 on the IPE 300 (EN 10365 values), the
// plastic moments of I sections against the rectangular stress block, the ring, and the
// failure and degenerate paths.
#include <gtest/gtest.h>

#include <cmath>

#include "checks/checks.h"

namespace {

constexpr double kFd = 235000.0;  // S235, γ_M = 1 (kN/m²)
// IPE 300: A, h_S = h − t_f, t_w, W_pl,y (m², m, m, m³), f_d, W_el,y (cm³).
constexpr double kIpe300[6] = {53.81e-4, 0.2893, 0.0071, 628.36e-6, kFd, 557.1};
constexpr double kNpl = 1264.535, kVpl = 278.685, kMpl = 147.6646;

struct Out {
  int rc;
  double M_gr, U;
  uint32_t exceeded;
  double pair[2];
};
Out Interact(int shape, const double *p, double N, double M, double V) {
  Out o{0, 0, 0, 7, {0, 0}};
  o.rc = Calc_Plastic_NVM_Interaction(0, N, M, V, p, shape, &o.M_gr, &o.exceeded, &o.U, o.pair);
  return o;
}

}  // namespace

// Rows of DIN 18800-1 Table 16, its end at v = 0.9 and the failures.
TEST(ChecksInteraction, IShapeOneFollowsDinTable16) {
  struct Case { double N, M, V; int rc; double M_gr, U; uint32_t exceeded; double pair0, pair1; } cases[] = {
      {0, 100, 0, 0, kMpl, 0.677210, 0, 0, 0},
      {0, -100, 0, 0, -kMpl, 0.677210, 0, 0, 0},
      {0, 150, 0, 0, kMpl, 150 / kMpl, 1, 0, 0},
      {-0.5 * kNpl, 50, 0, 0, 82.0359, 0.609489, 0, 0, 0},
      {-0.15 * kNpl, 50, 0, 0, 0.85 / 0.9 * kMpl, 50 / (0.85 / 0.9 * kMpl), 0, 0, 0},  // 0.9 M/M_pl + n <= 1
      {-0.3 * kNpl, 50, 0.5 * kVpl, 0, 0.568 / 0.8 * kMpl, 0.5, 0, 0, 0},              // 0.8 m + 0.89 n + 0.33 v
      {-0.05 * kNpl, 0, 0.5 * kVpl, 0, 0.926136 * kMpl, 0.5, 0, 0, 0},
      {0, 0, 0.9 * kVpl, 0, 0.757955 * kMpl, 0.9, 0, 0, 0},
      {0.5 * kNpl, 10, 0.95 * kVpl, 2, 10, 1.055556, 0, 0.95, 0.9},
      {-1300, 10, 0, 1, 10, 1.028047, 0, 1.028047, 1.0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "N " << c.N << " M " << c.M << " V " << c.V);
    const Out o = Interact(1, kIpe300, c.N, c.M, c.V);
    EXPECT_EQ(o.rc, c.rc);
    EXPECT_NEAR(o.M_gr, c.M_gr, 1e-5 * kMpl);
    EXPECT_NEAR(o.U, c.U, 2e-6);
    EXPECT_EQ(o.exceeded, c.exceeded);
    EXPECT_NEAR(o.pair[0], c.pair0, 2e-6);
    EXPECT_EQ(o.pair[1], c.pair1);
  }
}

// Shapes 2 and 3 on the idealised IPE 300 (flanges 150 × 10.7 at h_S, web h_S × 7.1) agree
// over n and v and give M_pl − N²/(4 f_d t_w) while the neutral axis stays in the web. A
// singly symmetric I (flanges 20 and 10 cm², web 15 cm², h_S 0.3 m): moments about the
// area centroid of the rectangular stress block, integrated by hand.
TEST(ChecksInteraction, IShapesTwoAndThreeMatchTheStressBlock) {
  const double Af = 16.05e-4, Aw = 0.2893 * 0.0071, A = 2 * Af + Aw;
  const double p2[6] = {Af, Af, Aw, 0.2893, kFd, 0}, p3[6] = {A, Aw, 0.2893, 0, kFd, 0};
  const double Npl = A * kFd, Vpl = Aw * kFd / std::sqrt(3.0);
  EXPECT_NEAR(Interact(3, p3, 0, 1, 0).M_gr, 144.028, 1e-3);
  EXPECT_NEAR(Interact(3, p3, -0.2 * Npl, 1, 0).M_gr, 134.856, 1e-3);
  for (double v : {0.0, 0.4, 0.6}) {
    for (int i = 0; i <= 10; ++i) {
      SCOPED_TRACE(::testing::Message() << "v " << v << " n " << i / 10.0);
      const double N = -i / 10.0 * Npl * (v > 0 ? 0.8 : 1.0);
      const Out a = Interact(2, p2, N, 10, v * Vpl), b = Interact(3, p3, N, 10, v * Vpl);
      EXPECT_EQ(a.rc + b.rc, 0);
      EXPECT_NEAR(a.M_gr, b.M_gr, 1e-9);
    }
  }
  const double ps[6] = {20e-4, 10e-4, 15e-4, 0.3, kFd, 0}, Nps = 45e-4 * kFd;
  struct Case { double n, M, M_gr; } cases[] = {{0, 1, 120.4375}, {0, -1, -120.4375}, {0.2, 1, 125.02},
                                               {0.2, -1, -98.70}, {0.5, 1, 96.203125}, {-0.3, 1, 86.3625},
                                               {-0.3, -1, -120.173125}, {1, 1, 0}};
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "n " << c.n << " M " << c.M);
    EXPECT_NEAR(Interact(2, ps, -c.n * Nps, c.M, 0).M_gr, c.M_gr, 1e-6);
  }
  EXPECT_GE(Interact(2, ps, -Nps, 1, 0).U, 1e6);  // no moment capacity left at n = 1
  EXPECT_EQ(Interact(3, p3, -Npl, 0, 0).exceeded, 1u);  // U 1 exceeds without a moment
  EXPECT_EQ(Interact(3, p3, 0, 10, 1.05 * Vpl).rc, 2);
  EXPECT_EQ(Interact(2, ps, 1.01 * Nps, 1, 0).rc, 3);
}

// Bending about z (flanges of the idealised IPE 300: W_pl = t b² / 2) with the cap 1.25 W_el,
// and the ring (d_M 163.3 mm, t 5 mm): N_pl = π d t f_d, M_pl = d² t f_d.
TEST(ChecksInteraction, ShapesFourAndFive) {
  const double Aw = 0.2893 * 0.0071, Npl = kFd * (2 * 16.05e-4 + Aw), a = Aw / (2 * 16.05e-4 + Aw);
  double p4[6] = {16.05e-4, Aw, 0.15, 0, kFd, 0};
  const double Mpl_z = kFd * 1.07 * 225 / 2 * 1e-6;
  EXPECT_NEAR(Interact(4, p4, -100, 5, 0).M_gr, Mpl_z, 1e-9);  // N within the web's share
  EXPECT_NEAR(Interact(4, p4, (a + 0.5 * (1 - a)) * Npl, 5, 0).M_gr, 0.75 * Mpl_z, 1e-9);  // flanges half used
  EXPECT_EQ(Interact(4, p4, 0.9995 * Npl, 5, 0).rc, 1);
  // Shear on both flanges (V_pl = 2 A_G f_d / √3) reduces them above v 0.25 by √(1 − v²).
  const double Vpl4 = 2 * 16.05e-4 * kFd / std::sqrt(3.0);
  EXPECT_NEAR(Interact(4, p4, 0, 5, 0.5 * Vpl4).U, 0.5, 1e-12);
  EXPECT_NEAR(Interact(4, p4, -100, 5, 0.3 * Vpl4).M_gr, std::sqrt(0.91) * Mpl_z, 1e-9);
  p4[5] = 80.0;
  EXPECT_NEAR(Interact(4, p4, 0, 5, 0).M_gr, 23.5, 1e-9);  // 1.25 · 80 cm³ · 235 N/mm²

  const double p5[6] = {0.1633, 0.005, 0, 0, kFd, 0};
  const double Vpl = 2 / std::sqrt(3.0) * kFd * 0.005 * 0.1633;
  EXPECT_NEAR(Interact(5, p5, 0, 1, 0).U, 1 / 31.3336, 1e-7);
  EXPECT_NEAR(Interact(5, p5, -301.4005, 10, 0).M_gr, 22.1562, 1e-4);
  EXPECT_NEAR(Interact(5, p5, 301.4005, 0, 0.6 * Vpl).U, 0.625, 1e-6);  // N_pl · 0.8
  EXPECT_NEAR(Interact(5, p5, 301.4005, 0, 0.3 * Vpl).U, 0.5 / std::sqrt(0.91), 1e-6);
  const Out over = Interact(5, p5, 0, 32, 0);
  EXPECT_EQ(over.rc, 4);
  EXPECT_NEAR(over.pair[0], 32 / 31.3336, 1e-5);
}

// Unknown shapes and parameter sets without capacity give −1 and U 0, never NaN.
TEST(ChecksInteraction, DegenerateInputs) {
  const double zero[6] = {0, 0, 0, 0, 0, 0};
  for (int shape : {0, 1, 2, 3, 4, 5, 6}) {
    const Out o = Interact(shape, zero, -10, 10, 1);
    EXPECT_EQ(o.rc, -1) << shape;
    EXPECT_EQ(o.U, 0.0) << shape;
  }
  EXPECT_EQ(Calc_Plastic_NVM_Interaction(0, 0, 100, 0, kIpe300, 1, nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(Copy_Sign(-3, 0), 3);
  EXPECT_EQ(Copy_Sign(3, -2), -3);
  EXPECT_EQ(Copy_Sign(-3, -2), -3);
  double F[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(Scale_Section_Forces(F, -0.5), F);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(F[i], -0.5 * (i + 1)) << i;
  EXPECT_EQ(Scale_Section_Forces(nullptr, 2), nullptr);
}
