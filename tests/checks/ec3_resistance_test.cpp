// Plastic resistance check to EN 1993-1-1, 6.2: resistances, interactions and the gates.
#include <cmath>
#include <string>
#include <tuple>

#include "checks/checks.h"
#include "support/cp850.h"
#include "tests/checks/checks_fixture.h"

namespace {

// A parametric profile of type, dimensions (mm) and S235.
struct Param {
  PROFIL p{};
  Param(int type, double h, double t_w, double b_fo, double t_fo, double b_fu, double t_fu, double r, double r_2) {
    Init_Material_Data(&p.grade);
    p.kind = PROFIL_KIND_PARAMETRIC, p.type = type, p.rolled = 1;
    p.h = h, p.t_w = t_w, p.b_fo = b_fo, p.t_fo = t_fo, p.b_fu = b_fu, p.t_fu = t_fu, p.r = r, p.r_2 = r_2;
    EXPECT_EQ(0, Calc_Profil_Querschnittswerte(&p, nullptr, 0, nullptr));
  }
  ~Param() { Reset_Profil(&p); }
};

int Ec3(const PROFIL *p, double N, double M_y, double M_z, double V_y, double V_z, double T_t = 0, double T_w = 0,
        double *u_max = nullptr, double *u_pl = nullptr, FILE *s = nullptr, int level = 2) {
  double u_ct = 0;
  return Check_EC3_Plastic_Resistance(p, 1.0, 0, 0, 1, N, M_y, M_z, V_y, V_z, T_t, T_w, 0, u_max, u_pl, &u_ct, s,
                                      level);
}

}  // namespace

// Library profiles in S235, gamma_M0 1.0: plastic resistances; IPE 300 under compression:
// the reductions of EN 1993-1-1, 6.2.9.1 (a = 0.403479, N_c,lim from the web).
TEST_F(ChecksTest, Ec3ResistancesAndNormalForceReductions) {
  Library ipe("IPE300", 0), heb("HE200B", 0);
  const EC3_PLASTIC_VALUES *v = Get_EC3_Plastic_Values();
  struct Case {
    const PROFIL *p;
    double N, V_z, N_pl, V_pl_z, M_pl_y, M_pl_z, f_y, f_z, beta, rho_z;
  } cases[] = {
      {&ipe.p, -400e3, 0, 1264.58, 348.44, 147.67, 29.42, 0.856475, 1, 1.58155, 0},
      {&ipe.p, -800e3, 0, 1264.58, 348.44, 147.67, 29.42, 0.460226, 0.852445, 3.16310, 0},
      {&ipe.p, -100e3, 0.75 * 348.44e3, 1264.58, 348.44, 147.67, 29.42, 1, 1, 1, 0.25},
      {&heb.p, 0, 0.5 * 336.90e3, 1834.91, 336.90, 150.99, 71.86, 1, 1, 1, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.p->name << " N " << c.N << " V_z " << c.V_z);
    EXPECT_EQ(0, Ec3(c.p, c.N, 1e6, 0, 0, c.V_z));
    EXPECT_NEAR(c.N_pl, v->N_pl_Rd, 1e-3 * c.N_pl);
    EXPECT_NEAR(c.V_pl_z, v->V_pl_z_Rd, 1e-3 * c.V_pl_z);
    EXPECT_NEAR(c.M_pl_y, v->M_pl_y_Rd, 1e-2 * c.M_pl_y);
    EXPECT_NEAR(c.M_pl_z, v->M_pl_z_Rd, 1e-2 * c.M_pl_z);
    EXPECT_NEAR(c.f_y, v->M_N_y_Rd / v->M_V_y_Rd, 1e-4);
    EXPECT_NEAR(c.f_z, v->M_N_z_Rd / v->M_V_z_Rd, 1e-4);
    EXPECT_NEAR(c.beta, v->beta, 1e-4);
    EXPECT_NEAR(c.rho_z, v->rho_z, 2e-4);
    if (c.N != 0) { EXPECT_NEAR(0.403479, v->a, 1e-4); }
  }
}

// Rectangular hollow section 200 × 100 × 8, corner radii 16/8 mm: W_t = 2 t A_m with the
// rounded corners; the exponent of biaxial bending is 6 from n = 0.80007 on.
TEST_F(ChecksTest, Ec3HollowSectionTorsionAndExponent) {
  Param rhs(PROFIL_RHS, 200, 8, 100, 8, 100, 8, 16, 8);
  const EC3_PLASTIC_VALUES *v = Get_EC3_Plastic_Values();
  EXPECT_EQ(0, Ec3(&rhs.p, 0, 0, 0, 0, 0, 1e6));
  EXPECT_NEAR(280.65, v->W_t, 0.01);
  EXPECT_NEAR(1e6 / 280.65e3, v->tau_t_Ed, 1e-3);
  const double N_pl = v->N_pl_Rd * 1e3;
  for (double n : {0.5, 0.81, 0.95}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(0, Ec3(&rhs.p, -n * N_pl, 1e6, 1e6, 0, 0));
    EXPECT_NEAR(n == 0.5 ? 1.66 / (1 - 1.13 * 0.25) : 6.0, v->alpha, 1e-9);
    EXPECT_EQ(v->alpha, v->beta);
  }
  // Shear along y alone takes rho of the whole box: N_V,Rd = (1 − 0.25) A f_y.
  const double V_pl_y = v->V_pl_y_Rd * 1e3;
  EXPECT_EQ(0, Ec3(&rhs.p, -100e3, 0, 0, 0.75 * V_pl_y, 0));
  EXPECT_NEAR(v->N_V_Rd, 0.75 * v->N_pl_Rd, 1e-9);
  // A tube 200 × 8: τ_t = T / (2 π r_m² t) (r_m 96 mm); torsion beyond τ_Rd leaves no shear
  // resistance, never a negative one.
  Param chs(PROFIL_CHS, 200, 8, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(0, Ec3(&chs.p, 0, 0, 0, 0, 10e3, 10e6));
  EXPECT_NEAR(v->tau_t_Ed, 10e6 / (2 * M_PI * 96 * 96 * 8), 1e-9);
  EXPECT_EQ(0, Ec3(&chs.p, 0, 0, 0, 0, 10e3, 16e6, -6e6));  // the warping torque is St Venant torsion
  EXPECT_NEAR(v->tau_t_Ed, 10e6 / (2 * M_PI * 96 * 96 * 8), 1e-9);
  EXPECT_EQ(0, Ec3(&chs.p, 0, 0, 0, 0, 10e3, 200e6));
  EXPECT_EQ(v->V_z_Rd, 0.0);
}

// Every gate with result 2, the flange tolerance of 10 %, the warping note of tubes and square
// hollow sections (I_w 0) against the refusal for an RHS with warping resistance, and a
// normal resistance used up by shear (U_pl −1, U_max 999.999 for the normal force).
TEST_F(ChecksTest, Ec3GatesAndLimits) {
  Library ipe("IPE300", 0);
  Param angle(PROFIL_ANGLE, 100, 10, 100, 10, 0, 0, 12, 6);
  Param flange10(PROFIL_I, 300, 8, 200, 12, 180, 12, 12, 0), flange11(PROFIL_I, 300, 8, 200, 12, 179, 12, 12, 0);
  Param slender(PROFIL_I, 1000, 5, 300, 20, 300, 20, 5, 0), chs(PROFIL_CHS, 200, 8, 0, 0, 0, 0, 0, 0);
  Param round(PROFIL_ROUND, 50, 0, 0, 0, 0, 0, 0, 0);
  Param square(PROFIL_RHS, 200, 8, 200, 8, 200, 8, 16, 8), rhs(PROFIL_RHS, 200, 8, 100, 8, 100, 8, 16, 8);
  PROFIL quer{};
  quer.kind = PROFIL_KIND_QUER;
  EXPECT_EQ(0, Ec3(&flange10.p, 0, 1e6, 0, 0, 0));
  double u_max = 0, u_pl = 0;
  const char *kNote =
      "Hohlprofil (EC 3-1-1, 6.2.7): Wölbtorsionsmoment als St. Venant'sche Torsion angesetzt, T╬\\t╬r + T╬\\ð╬r = "
      "0.00 + 1.00 = 1.00 kNm.\n"_cp;
  struct Case {
    const PROFIL *p;
    double N, V_z, T_w;
    int result;
    const char *line;
  } cases[] = {
      {&quer, 0, 0, 0, 2, "R7-PLAX-Profil: Berechnung nicht möglich !!"_cp},
      {&round.p, 0, 0, 0, 2, "Berechnung nach EC 3-1-1, 6.2 für dieses Profil nicht möglich !!"_cp},
      {&angle.p, 0, 0, 0, 2, "Berechnung nach EC 3-1-1, 6.2 für dieses Profil nicht möglich !!"_cp},
      {&flange11.p, 0, 0, 0, 2, "I-Profil mit ungleichen Flanschen: Berechnung nach EC 3-1-1, 6.2 nicht möglich !!"_cp},
      {&ipe.p, 0, 0, 1e6, 2, "Wölbkrafttorsion: Nachweis nach EC 3-1-1, 6.2 nicht möglich !!"_cp},
      {&slender.p, 0, 100e3, 0, 2, "Nachweis nicht möglich !!"_cp},     // shear buckling of the web
      {&slender.p, -500e3, 0, 0, 2, "Nachweis nicht möglich !!"_cp},    // web class 4 in compression
      {&rhs.p, 0, 0, 1e6, 2, "Wölbkrafttorsion: Nachweis nach EC 3-1-1, 6.2 nicht möglich !!"_cp},
      {&square.p, 0, 0, 1e6, 0, kNote},
      {&chs.p, 0, 0, 1e6, 0, kNote},  // last: its V_pl,z,Rd serves below
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(Cp850_To_Utf8(c.line));
    PrintCapture cap;
    EXPECT_EQ(c.result, Ec3(c.p, c.N, 1e6, 0, 0, c.V_z, 0, c.T_w, &u_max, &u_pl, cap.stream()));
    const std::string text = cap.Raw();
    EXPECT_NE(std::string::npos, text.find(c.line)) << Cp850_To_Utf8(text);
  }
  EXPECT_EQ(0, Ec3(&chs.p, -10e3, 0, 0, 0, Get_EC3_Plastic_Values()->V_pl_z_Rd * 1e3, 0, 0, &u_max, &u_pl));
  EXPECT_EQ(-1.0, u_pl);
  EXPECT_NEAR(999.999, u_max, 1e-9);  // the normal force has no resistance left
  // A row with no force left once the warping rule took T_w and B (N mm, N mm² in, kNm, kNm²
  // named) reads as a row of zero forces after the note: no head, no resistances.
  for (const auto &[p, T_t, T_w, B, note] :
       {std::tuple{&chs.p, 2e6, -2e6, 0.0, "T╬\\t╬r + T╬\\ð╬r = 2.00 + (-2.00) = 0.00 kNm.\n"_cp},
        std::tuple{&square.p, 0.0, 0.0, -0.5e9, ": Bimoment B = -0.50 kNm² nicht berücksichtigt.\n"_cp}}) {
    PrintCapture cap;
    EXPECT_EQ(0, Check_EC3_Plastic_Resistance(p, 1.0, 0, 0, 1, 0, 0, 0, 0, 0, T_t, T_w, B, &u_max, &u_pl, nullptr,
                                              cap.stream(), 2));
    const std::string zero = "Schnittgrößen = 0: Nachweis nicht erforderlich !!\n"_cp;
    EXPECT_TRUE(cap.Raw().ends_with(note + zero)) << cap.Raw();
    EXPECT_TRUE(u_max == 0 && u_pl == 0);
  }
}

// The print list of IPE 300 under all forces with torsion, of a tube and of a flat bar.
TEST_F(ChecksTest, Ec3PrintGolden) {
  Library ipe("IPE300", 0);
  Param chs(PROFIL_CHS, 200, 8, 0, 0, 0, 0, 0, 0), flat(PROFIL_FLAT, 200, 20, 0, 0, 0, 0, 0, 0);
  PrintCapture cap;
  Ec3(&ipe.p, -300e3, 80e6, 5e6, 20e3, 200e3, 0.3e6, 0, nullptr, nullptr, cap.stream());
  Ec3(&chs.p, 200e3, 30e6, 20e6, 50e3, 100e3, 2e6, 1e6, nullptr, nullptr, cap.stream());
  Ec3(&flat.p, -100e3, 20e6, 2e6, 10e3, 300e3, 0, 0, nullptr, nullptr, cap.stream(), 1);
  Ec3(&ipe.p, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, cap.stream());
  Oli_End_Text(cap.stream());
  Expect_Golden("ec3_plastic.oli", cap.Raw());
}
