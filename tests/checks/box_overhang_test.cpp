// The overhangs ("Überstand") of a welded box girder in the class text, each from its own
// stresses: its own psi from its own end stresses for class 3, its own plastic share for
// classes 1 and 2, and a line whenever any part of it is compressed (EN 1993-1-1 Table 5.2,
// sheet 2; k_sigma of EN 1993-1-5 Table 4.2). S235, epsilon 1; N compression positive (N),
// moments in Nmm; required class 3.
#include <cmath>
#include <string>
#include <vector>

#include "checks/checks.h"
#include "tests/checks/checks_fixture.h"
#include "tests/profil/profil_shapes.h"

namespace {

// A welded box (mm) in S235: webs t_w with their outer faces at b/2, flanges b × t with
// overhangs ü beyond the webs.
struct Box : Welded {
  Box(double h, double t_w, double b_fo, double t_fo, double b_fu, double t_fu, double ue_o, double ue_u)
      : Welded(PROFIL_BOX, h, t_w, b_fo, t_fo, b_fu, t_fu, ue_o, ue_u) {}
};

// k_sigma of an outstand whose tip is the more compressed end (EN 1993-1-5 Table 4.2).
double Limit3(double psi) { return 21.0 * std::sqrt(0.57 - 0.21 * psi + 0.07 * psi * psi); }

}  // namespace

// Box h 300, webs 8, flanges 300 × 12 (c/t 284 / 12 = 23.67), webs 276 / 8 = 34.5.
//   even: overhangs 150 top and bottom (c/t 12.5). A = 2 · 600 · 12 + 2 · 276 · 8 = 18816 mm²,
//   I_z = 2 · 12 · 600³ / 12 + 2 · 2208 · 146² (+ 2 · 276 · 8³ / 12) = 526.155e6 mm⁴. M_z =
//   100 kNm: the overhang from y = 150 (28.51 N/mm²) to 300 (57.02) is wholly compressed
//   (psi 0.5, alpha 1): 12.5 > 10 (class 3), U = 12.5 / 14; the flange between the webs with
//   alpha 0.5 against 72 (class 1), the compressed web 34.5 (class 2). The section is class 3.
//   odd: overhangs 150 on top, 60 below (c/t 5). A = 7200 + 5040 + 4416 = 16656 mm², z_s =
//   131.326 mm from the top, I_y = 276.18e6 mm⁴, I_z = 216e6 + 74.088e6 + 94.155e6 = 384.243e6.
//   Tension N −700 kN (−42.027) with M_z = 100 kNm: the flanges between the webs (y 142:
//   36.955) and the webs (y 146) are in tension, no line. Top overhang: tip (y 300) 36.048,
//   root (y 150) −2.989: alpha = 36.048 / 39.037 = 0.92343, psi = −0.08291, limit 16.1015, class 3
//   (the plastic neutral axis leaves it wholly compressed: 9 and 10), U = 12.5 / 16.1015 =
//   0.77633. Bottom overhang: tip (y 210) 12.626, root −2.989: alpha 0.80858, psi = −0.23674,
//   limit 16.584, 5 < 9 (class 1). The turned moment takes the left overhangs alike.
//   M_y 100 with M_z 150 kNm: bottom fibres (z 294) −58.902 from M_y; the flange between the
//   webs (y 142: 55.436) stays in tension, its overhang is compressed from its tip (y 210:
//   81.979 − 58.902 = 23.077) to near its root (y 150: −0.346): alpha 0.98523, psi = −0.01499,
//   limit 15.899 (plastic share 0.891: 9 / 0.891 = 10.10, class 1); the top overhang wholly
//   compressed, 12.5 / 14 (class 3).
//   M_y −100 with M_z 60 kNm: the top flange (z 6: −45.379 from M_y) is in tension between the
//   webs (y 142: 22.172) but its overhang's tip (y 300: 46.845) is compressed: alpha 1.466 /
//   23.423 below 1/4, psi clipped at −3, k_sigma = 0.57 + 0.63 + 0.63, limit 28.408 (class 1);
//   the bottom overhang wholly compressed (5 / 14), the bottom flange (23.67 / 42) governs.
//   narrow: the bottom flange 260 × 12 with its overhang 60 from its own edge (y 130 to 190;
//   A 16176 mm², z_s 126.499, I_y 263.095e6, I_z 365.027e6 mm⁴). M_y 100 with M_z 150 kNm:
//   bottom fibres −63.665 from M_y, the overhang −10.244 at its root and 14.412 at its tip:
//   alpha 0.58453, psi −0.71077, k_σ 0.75463, limit 18.2425 (U 5 / 18.24). The plastic neutral
//   axis (found on the plates' strips) crosses it at 0.622 of its length from the tip: 9 / 0.622
//   = 14.5 (a stretch ending at the wider flange's web face, y 150, would give 0.93 and 9.6).
TEST_F(ChecksTest, BoxOverhangsByTheirOwnStresses) {
  Box even(300, 8, 300, 12, 300, 12, 150, 150), odd(300, 8, 300, 12, 300, 12, 150, 60);
  Box narrow(300, 8, 300, 12, 260, 12, 150, 60);
  struct Case {
    const char *what;
    PROFIL *p;
    double N, M_y, M_z;
    int cls, f1, f2, web;
    double u;
    std::vector<std::string> has, lacks;
  } cases[] = {
      {"even M_z", &even.p, 0, 0, 100e6, 3, 3, 3, 2, 12.5 / 14,
       {"Überstand oben\n  Q-Klasse 3 für c/t = 12.50 (einseitig gestützt) < 14.00"_cp,
        "Überstand unten\n  Q-Klasse 3 für c/t = 12.50 (einseitig gestützt) < 14.00"_cp},
       {}},
      {"odd tension M_z", &odd.p, -700e3, 0, 100e6, 3, 3, 1, 0, 12.5 / Limit3(-0.08291),
       {"Überstand oben\n  Q-Klasse 3 für c/t = 12.50 (einseitig gestützt, Druck+Biegung (Ê = -0.08, "_cp,
        ")) < 16.10"_cp,
        "Überstand unten\n  Q-Klasse 1 für c/t = 5.00 (einseitig gestützt, Druck+Biegung (Ê = -0.24, k╬\\╠╬r = 0.62)) < 9.00"_cp,
        "max c/t = 16.58"_cp},
       {"Flansch", "Stege"}},
      {"odd tension -M_z", &odd.p, -700e3, 0, -100e6, 3, 3, 1, 0, 12.5 / Limit3(-0.08291),
       {"Überstand unten\n  Q-Klasse 1 für c/t = 5.00 (einseitig gestützt, Druck+Biegung (Ê = -0.24, "_cp},
       {"Flansch", "Stege"}},
      {"odd M_y + M_z", &odd.p, 0, 100e6, 150e6, 3, 3, 1, 2, 12.5 / 14,
       {"Überstand unten\n  Q-Klasse 1 für ║ = 0.891,  c/t = 5.00 (einseitig gestützt, Druck+Biegung (Ê = -0.01, "_cp,
        "max c/t = 15.90"_cp},
       {"Flansch unten"}},
      {"odd -M_y + M_z", &odd.p, 0, -100e6, 60e6, 1, 1, 1, 1, 284 / 12.0 / 42,
       {"Überstand oben\n  Q-Klasse 1 für ║ = 0.57"_cp, "(Ê = -3.00, k╬\\╠╬r = 1.83)) < 15.7"_cp,
        "max c/t = 28.41"_cp, "Überstand unten\n  Q-Klasse 1 für c/t = 5.00 (einseitig gestützt) < 9.00"_cp},
       {"Flansch oben"}},
      {"narrow M_y + M_z", &narrow.p, 0, 100e6, 150e6, 3, 3, 1, 2, 12.5 / 14,
       {"Überstand unten\n  Q-Klasse 1 für ║ = 0.62"_cp, "(Ê = -0.71, k╬\\╠╬r = 0.75)) < 14.50"_cp,
        "max c/t = 18.24"_cp},
       {"Flansch unten"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    PrintCapture cap;
    int f1 = -9, f2 = -9, web = -9;
    double u = -1;
    EXPECT_EQ(c.cls, Print_Querschnittsklasse(c.p, c.N, c.M_y, c.M_z, 1.0, 1, 0, &f1, &f2, &web, 3, &u, cap.stream(),
                                              2, nullptr));
    EXPECT_EQ(c.f1 * 100 + c.f2 * 10 + c.web, f1 * 100 + f2 * 10 + web);
    EXPECT_NEAR(c.u, u, 2e-5);
    const std::string text = cap.Raw();
    for (const std::string &s : c.has) EXPECT_NE(std::string::npos, text.find(s)) << s;
    for (const std::string &s : c.lacks) EXPECT_EQ(std::string::npos, text.find(s)) << s;
  }
}
