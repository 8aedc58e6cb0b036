// Preparation of the partial internal forces method: the plate model of every parametric
// shape and of the library families (EN 10365 IPE 300, UPN 200, T 100; EN 10056 L 100 × 10;
// EN 10210 SHS 50 × 4, CHS 21.3 × 2.6), the answers of the two possibility tests, and the
// root-fillet model of a rolled I that keeps A and W_pl,y of the section table.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "dwqb/dwqb.h"
#include "host/host.h"
#include "sections/sections.h"
#include "stress/stress_methods.h"

namespace {
QS_CHECK_VIEW View(int catalogue, int type, const char *name) {
  QS_CHECK_VIEW v{};
  v.header.catalogue = catalogue;
  v.header.type = type;
  std::snprintf(v.name, sizeof v.name, "%s", name);
  const float d[8] = {30, 15, 0.8f, 1.2f, 10, 2, 1, 40};
  std::memcpy(v.shape, d, sizeof d);
  return v;
}
}  // namespace

TEST(TsvPrepare, PlateModelsOfEveryShape) {
  Host_Reset();
  struct Case {
    int catalogue, type;
    const char *name;
    int options, ret, mode, possible, dflt;
    float zo, zu, hw, tw, bu;
    float yo, bo, to, yw, zw, yu, tu;
  } cases[] = {
      {0, 1, "", 0, 3, 3, 1, 1, -14.4f, 14.4f, 27.6f, 0.8f, 15, 0, 15, 1.2f, 0, 0, 0, 1.2f},
      {0, 2, "", 0, 3, 2, 1, 1, -14.4f, 0, 28.8f, 0.8f, 0, 0, 15, 1.2f, 0, 0.6f, 0, 0},
      {0, 2, "", 1, 3, 2, 0, 1, -14.4f, 0, 28.8f, 0.8f, 0, 0, 15, 1.2f, 0, 0.6f, 0, 0},
      {0, 3, "", 0, 3, 3, 1, 1, -14.4f, 14.4f, 27.6f, 0.8f, 15, 0, 15, 1.2f, 7.1f, 0, 0, 1.2f},
      {0, 4, "", 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {0, 4, "", 1, 3, 3, 1, 0, -14.4f, 14.4f, 27.6f, 1.6f, 15, 0, 15, 1.2f, 0, 0, 0, 1.2f},
      {0, 5, "", 0, 3, 2, 1, 1, 0, 14.4f, 28.8f, 0.8f, 15, 0, 0, 0, 7.1f, -0.6f, 0, 1.2f},
      {0, 6, "", 0, 3, 3, 1, 1, -14.4f, 14.4f, 27.6f, 0.8f, 14.4f, 7.2f, 14.4f, 1.2f, 0, 0, -7.2f, 1.2f},
      {0, 7, "", 0, 3, 1, 1, 1, 0, 0, 30, 0.8f, 0, 0, 0, 0, 0, 0, 0, 0},
      {0, 8, "", 1, 3, 3, 1, 0, -19, 12.5f, 23, 1, 30, 0, 10, 2, 0, -6.5f, 0, 15},
      {0, 9, "", 1, 3, 3, 1, 0, -19, 12.5f, 23, 1, 60, 0, 10, 2, 0, -6.5f, 0, 15},
      {0, 10, "", 1, 3, 3, 1, 0, -19, 18.8f, 38, 1, 7.9f, 0, 10, 2, 0, 1, 0, 15},
      {0, 10, "", 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {0, 11, "", 0, 3, 15, 1, 1, 0, 0, 30, 15, 0, 0, 0, 0, 0, 0, 0, 0},
      {0, 12, "", 0, 3, 14, 1, 1, 0, 0, 30, 14.6f, 0, 0, 0, 0, 0, 0, 0, 0},
      {0, 13, "", 0, 3, 3, 1, 1, -7.5f, 14.6f, 14.2f, 1.2f, 2, 0, 10, 15, 0, 7.1f, 0, 0.8f},
      {0, 14, "", 1, 3, 2, 1, 0, 0, 0, 15, 2.4f, 27.6f, 0, 0, 0, 0, 0, 0, 0.8f},
      {0, 15, "", 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {0, 99, "", 1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {1, 1, "    IPE300", 0, 3, 3, 1, 1, -14.465f, 14.465f, 28.93f, 0.71f, 15, 0, 15, 1.07f, 0, 0, 0, 1.07f},
      {1, 1, "-   IPE300", 1, 3, 2, 1, 1, 0, 0, 15, 2.14f, 28.93f, 0, 0, 0, 0, 0, 0, 0.71f},
      {2, 1, "    IPE300", 0, 2, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {1, 2, "    T100", 0, 3, 2, 1, 1, -4.45f, 0, 8.9f, 1.1f, 0, 0, 10, 1.1f, 0, 0.55f, 0, 0},
      {1, 2, "-   T100", 1, 2, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {1, 2, "    T100", 1, 3, 2, 1, 1, -4.45f, 0, 8.9f, 1.1f, 0, 0, 10, 1.1f, 0, 0.55f, 0, 0},
      {1, 3, "    UPN200", 0, 3, 3, 1, 1, -9.425f, 9.425f, 17.7f, 0.85f, 7.5f, 0, 7.5f, 1.15f, 3.325f, 0, 0, 1.15f},
      {1, 3, "    UPN200", 1, 2, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {1, 3, "-   UPN200", 1, 3, 2, 1, 1, 0, 3.325f, 7.5f, 2.3f, 17.7f, 0, 0, 0, 0, 0, 0, 0.85f},
      {1, 4, "    QR50X50X4(w)", 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {1, 4, "    QR50X50X4(w)", 1, 3, 3, 1, 0, -2.3f, 2.3f, 4.2f, 0.8f, 5, 0, 5, 0.4f, 0, 0, 0, 0.4f},
      {1, 5, "    L100X10", 0, 3, 2, 1, 1, 0, 4.5f, 9, 1, 10, 0, 0, 0, 4.5f, -0.5f, 0, 1},
      {1, 5, "    L100X10", 1, 2, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {1, 7, "    R21.3X2.6(w)", 0, 3, 1, 1, 1, 0, 0, 2.13f, 0.26f, 0, 0, 0, 0, 0, 0, 0, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.type << " " << c.name << " options " << c.options);
    QS_CHECK_VIEW v = View(c.catalogue, c.type, c.name);
    std::memset(&v.values.slot, 0x33, sizeof v.values.slot);
    EXPECT_EQ(Run_TSV_Nachweis(5, &v, c.options), c.ret);
    EXPECT_EQ(TSV_Querschnitt_Possible(&v, c.options), c.possible);
    if (c.catalogue != 2) {
      EXPECT_EQ(TSV_Querschnitt_Possible_Default(&v), c.dflt);
    }
    const float *d = v.values.slot.data;
    EXPECT_EQ(v.values.slot.state, c.ret == 3 ? uint32_t(c.mode) | 0x50u | CHECK_SLOT_PREPARED : 0u);
    const float got[12] = {d[TSV_D_ZO], d[TSV_D_ZU], d[TSV_D_HW], d[TSV_D_TW], d[TSV_D_BU], d[TSV_D_YO],
                           d[TSV_D_BO], d[TSV_D_TO], d[TSV_D_YW], d[TSV_D_ZW], d[TSV_D_YU], d[TSV_D_TU]};
    const float want[12] = {c.zo, c.zu, c.hw, c.tw, c.bu, c.yo, c.bo, c.to, c.yw, c.zw, c.yu, c.tu};
    for (int k = 0; k < 12; ++k) EXPECT_NEAR(got[k], want[k], 1e-5) << k;
    EXPECT_EQ(d[TSV_D_Z0], d[TSV_D_ZW]);
    EXPECT_EQ(d[TSV_D_Y0], d[TSV_D_YW]);
    EXPECT_EQ(d[TSV_D_KY], 0.0f);
  }
  // Flat and round bars keep their modes through the frame (N along a bar 30 × 15).
  for (int type : {11, 12}) {
    QS_CHECK_VIEW v = View(0, type, "");
    ASSERT_EQ(3, Run_TSV_Nachweis(1, &v, 0));
    const double N[8] = {100}, mat[2] = {23.5, 23.5};
    TSV_RESULT r;
    ASSERT_TRUE(Calc_TSV_Querschnitt(N, mat, &v, &r));
    EXPECT_EQ(r.flags & 0x880000u, type == 11 ? uint32_t(TSV_F_FLAT) : uint32_t(TSV_F_CIRCULAR)) << type;
  }
  EXPECT_EQ(Run_TSV_Nachweis_Default(1, nullptr), 2);
  EXPECT_EQ(TSV_Querschnitt_Possible(nullptr, 1), 0);
  EXPECT_EQ(TSV_Querschnitt_Possible_Default(nullptr), 0);
}

// IPE 300 from the library with the root-fillet model: N_pl = f_y A and M_pl,y = f_y W_pl,y
// of the section table; the shape factor W_pl,y/W_el,y = 628.4/557.1 within the search band.
TEST(TsvPrepare, RootFilletModelKeepsTheRolledSection) {
  Host_Reset();
  QUERSCHNITT q{};
  Init_Querschnitt_Record(&q);
  ASSERT_EQ(1, Set_Querschnitt_Profil(&q, 0x10000, 0, "IPE300"));
  QS_CHECK_REQUEST r{};
  ASSERT_EQ(1, Get_Querschnitt_at_Factor(&q, 0.5, &r));
  ASSERT_EQ(3, Run_TSV_Nachweis(1, &r.view, 2));
  float p[35];
  char code[8];
  ASSERT_GT(Get_Profil_Data("IPE300", p, code), 0);
  const double forces[8] = {0, 0, 0, 0, 1, 0, 0, 0}, mat[2] = {23.5, 23.5};
  TSV_RESULT res;
  ASSERT_TRUE(Calc_TSV_Querschnitt(forces, mat, &r.view, &res));
  EXPECT_NEAR(res.N_hi / (23.5 * p[4]), 1.0, 1e-6);
  EXPECT_NEAR(res.M_y_s_hi / (23.5 * p[16]), 1.0, 1e-6);
  // The web takes the shear area of EN 1993-1-1, 6.2.6(3)a, A − 2 b t_f + (t_w + 2 r) t_f,
  // 25.68 cm² by EN 10365.
  const double V[8] = {0, 0, 100};
  ASSERT_TRUE(Calc_TSV_Querschnitt(V, mat, &r.view, &res));
  EXPECT_NEAR(res.U_tau_s, 100 * std::sqrt(3.0) / (25.68 * 23.5), 0.003 * res.U_tau_s);
  const float k = r.view.values.slot.data[TSV_D_KY];
  EXPECT_GE(k, 1.128 * 0.995);
  EXPECT_LE(k, 1.128 * 1.006);
  EXPECT_GE(r.view.values.slot.data[TSV_D_KZ], 125.2 / 80.5 * 0.995);  // W_pl,z / W_el,z
  EXPECT_LE(r.view.values.slot.data[TSV_D_KZ], 125.2 / 80.5 * 1.006);
  Free_Querschnitt_Record(&q);
  Host_Reset();
}

// A welded I with unequal flanges (h 400, flanges 200 × 15 on top and 200 × 20 below, web
// 10 mm) through the frame of its prepared slot: N_pl = f_y A of its plates; V_y and M_z
// without warping torsion or bimoment go to the flanges in the ratio of their lateral
// stiffness, 15 : 20 (the shear centre by the solver).
TEST(TsvPrepare, UnequalFlangesThroughTheSlot) {
  Host_Reset();
  QUERSCHNITT q{};
  Init_Querschnitt_Record(&q);
  const double dims[10] = {40, 0, 1, 0, 20, 20, 0, 0, 1.5, 2};
  ASSERT_EQ(1, Set_Querschnitt_Parametric(&q, 0x10000, 0, QS_FAMILY_I2, 0, dims, nullptr));
  QS_CHECK_REQUEST r{};
  ASSERT_EQ(1, Get_Querschnitt_at_Factor(&q, 0.5, &r));
  ASSERT_EQ(3, Run_TSV_Nachweis(1, &r.view, 0));
  const double M_y[8] = {0, 0, 0, 0, 300}, forces[8] = {0, 10, 0, 0, 300, 200, 0, 0}, mat[2] = {23.5, 23.5};
  TSV_RESULT res;
  ASSERT_TRUE(Calc_TSV_Querschnitt(M_y, mat, &r.view, &res));
  EXPECT_NEAR(res.N_hi, 23.5 * (30 + 40 + 36.5), 1e-3);
  EXPECT_NEAR(res.N_lo, -res.N_hi, 1e-9);
  ASSERT_TRUE(Calc_TSV_Querschnitt(forces, mat, &r.view, &res));
  EXPECT_NEAR(res.V_o, 10 * 15 / 35.0, 0.01);
  EXPECT_NEAR(res.V_u, 10 * 20 / 35.0, 0.01);
  EXPECT_NEAR(res.M_Sa_o, 200 * 15 / 35.0, 0.2);
  EXPECT_NEAR(res.M_Sa_u, 200 * 20 / 35.0, 0.2);
  Free_Querschnitt_Record(&q);
  Host_Reset();
}

// HE 300 B from the library with the fillet-area model (option bit 2): h 300, b 300, t_w 11,
// t_f 19, r 27 mm. One fillet: a_r = (1 − π/4) r² = 1.5644 cm², its centroid 0.6031 cm off
// the web face (r (10 − 3π)/(12 − 3π)), e_r = 0.55 + 0.6031 = 1.1531 cm. Flange with its two
// fillets: A_f = 30 · 1.9 + 2 a_r = 60.129 cm², W_f = 1.9 · 30²/4 + 2 a_r e_r = 431.108 cm³,
// so the plate is b' = 4 W_f / A_f = 28.679 cm wide and A_f / b' = 2.0966 cm thick.
// Shear and torsion stay on the flange 300 × 19 (f_y 23.5, τ_R = 13.568 kN/cm²):
// V_y 100 kN: each flange 50 / (30 · 1.9) = 0.8772 kN/cm², U_τ,o = 0.06465 (the fillet
// plate's area would give 0.06129);
// M_xp 100 kNcm by b t³/3: web 26.2 · 1.1³/3 = 11.624, flange 30 · 1.9³/3 = 68.590 cm⁴, the
// flange's share 46.094 kNcm, τ_T = 2 · 46.094 / ((60 − 1.9) 1.9²) = 0.4396, U_τ,o =
// 2 τ_T / τ_R = 0.06479 (0.05901 on the fillet plate), web 0.03710 (0.03198).
TEST(TsvPrepare, FilletFlangesOfARolledI) {
  Host_Reset();
  QUERSCHNITT q{};
  Init_Querschnitt_Record(&q);
  ASSERT_EQ(1, Set_Querschnitt_Profil(&q, 0x10000, 0, "HE300B"));
  QS_CHECK_REQUEST r{};
  ASSERT_EQ(1, Get_Querschnitt_at_Factor(&q, 0.5, &r));
  ASSERT_EQ(3, Run_TSV_Nachweis(1, &r.view, 4));
  const CHECK_SLOT &slot = r.view.values.slot;
  EXPECT_EQ(slot.state, uint32_t(TSV_MODE_TWO_FLANGES) | 0x10u | CHECK_SLOT_PREPARED | TSV_STATE_FILLET_FLANGES);
  for (int k : {TSV_D_BO, TSV_D_BU}) EXPECT_NEAR(slot.data[k], 28.679, 0.002) << k;
  for (int k : {TSV_D_TO, TSV_D_TU}) EXPECT_NEAR(slot.data[k], 2.0966, 0.0002) << k;
  const double mat[2] = {23.5, 23.5}, V[8] = {0, 100}, T[8] = {0, 0, 0, 100};
  TSV_RESULT res;
  ASSERT_TRUE(Calc_TSV_Querschnitt(V, mat, &r.view, &res));
  EXPECT_NEAR(res.U_tau_o, 0.06465, 0.00005);
  EXPECT_NEAR(res.U_tau_u, 0.06465, 0.00005);
  ASSERT_TRUE(Calc_TSV_Querschnitt(T, mat, &r.view, &res));
  EXPECT_NEAR(res.U_tau_o, 0.06479, 0.00005);
  EXPECT_NEAR(res.U_tau_s, 0.03710, 0.00005);
  // The other models keep their plates for shear: the plain one's flange is 300 × 19 too.
  ASSERT_EQ(3, Run_TSV_Nachweis(1, &r.view, 0));
  EXPECT_EQ(slot.state & TSV_STATE_FILLET_FLANGES, 0u);
  ASSERT_TRUE(Calc_TSV_Querschnitt(V, mat, &r.view, &res));
  EXPECT_NEAR(res.U_tau_o, 0.06465, 0.00005);
  Free_Querschnitt_Record(&q);
  Host_Reset();
}
