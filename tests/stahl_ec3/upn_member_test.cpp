// Library channels of the UPN series through the refresh road: their sloped flanges decide
// the elastic check about the weak axis (EN 10365 moduli), while a parametric channel of the
// same dimensions, and a library UPN read back as parametric because the profile manager is
// gone, keep parallel flanges of the mean thickness. Library tees likewise (EN 10055). A
// library profile stored as welded is listed and checked as the library's rolled section.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "profil/profil.h"
#include "stahl_ec3/program_internal.h"
#include "tests/stahl_ec3/member_fixture.h"

namespace {

class UpnMember : public MemberFolder {
 protected:
  UpnMember() : MemberFolder(ExampleFiles::kText) {}
  // Refreshes a member of the profile (S235, c/t check off, method 1 elastic or 2
  // elastic-plastic) under one row N (kN), M_y, M_z (kNm); returns the line of the row after
  // key (the verdict line) as UTF-8 without markup.
  std::string Verdict(const char *name, int kind, int stored_available, int method, double M_y, double M_z,
                      double N = 0, const char *key = "\nNachweis: ") {
    const std::string plain = Run_Refresh(Member_Bytes([&](BAUTEIL *b) {
                                EXPECT_EQ(Set_Profil_by_Library_Name(&b->profil, name), 0) << name;
                                b->profil.kind = kind;
                                b->profil.lib_available = stored_available;
                                b->method = method, b->ct_check = 0;
                                b->brandlasten[0] = BRANDLAST{"Brand 1", N, M_y, M_z, 0, 0, 0, 0, 0};
                              })).plain;
    const std::size_t at = plain.find(key);
    return at == std::string::npos ? plain : plain.substr(at + 1, plain.find('\n', at + 1) - at - 1);
  }
};

// σ = M / W_el with f_y 235 N/mm² (γ_M0 1.0 of the defaults), W_el from EN 10365:
// UPN 200 under M_z 6.5 kNm: 6.5e6 / 27.0e3 = 240.7 N/mm², U = 1.024, "nicht ok";
// UPN 200 under M_y 40 kNm: 40e6 / 191e3 = 209.4 N/mm², U = 0.891;
// UPN 320 (5 % slope) under M_z 15 kNm: 15e6 / 80.6e3 = 186.1 N/mm², U = 0.792;
// elastic-plastic, UPN 200 under M_z 11 kNm: M_pl,z = 51.8e3 · 235 = 12.17 kNm, U = 0.904.
// Parallel flanges of the mean thickness 11.5 mm (r 11.5, r_2 6 mm) put UPN 200 at
// A = 32.71 cm², u_s = 21.58 mm from the back, I_z = 167.1 cm⁴, W_el,z = 167.1/5.342 =
// 31.28 cm³: U = 6.5e6 / 31.28e3 / 235 = 0.884, "ok".
TEST_F(UpnMember, WeakAxisCheckTakesTheSlopedFlanges) {
  const struct {
    const char *what, *name;
    int kind, stored_available, method;
    double M_y, M_z, U;
    bool ok;
  } cases[] = {
      {"UPN 200, M_z", "UPN200", PROFIL_KIND_LIBRARY, 0, 1, 0, 6.5, 1.024, false},
      {"UPN 200, M_y", "UPN200", PROFIL_KIND_LIBRARY, 0, 1, 40, 0, 0.891, true},
      {"UPN 320, M_z", "UPN 320", PROFIL_KIND_LIBRARY, 0, 1, 0, 15, 0.792, true},
      {"UPN 200, M_z plastic", "UPN200", PROFIL_KIND_LIBRARY, 0, 2, 0, 11, 0.904, true},
      {"parametric UPN 200 dimensions", "UPN200", PROFIL_KIND_PARAMETRIC, 0, 1, 0, 6.5, 0.884, true},
      {"library UPN 200, manager gone", "UPN200", PROFIL_KIND_LIBRARY, 1, 1, 0, 6.5, 0.884, true},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    const std::string line = Verdict(c.name, c.kind, c.stored_available, c.method, c.M_y, c.M_z);
    ASSERT_EQ(line.rfind("Nachweis: ", 0), 0u) << line;
    EXPECT_NEAR(U_of(line), c.U, 0.006 * c.U) << line;
    EXPECT_EQ(line.find("nicht ok") == std::string::npos, c.ok) << line;
  }
}

// T 100 by the polygon of its outline (tests/profil): W_el,y at the tip 176.6 / 7.267 = 24.30
// cm³, W_el,z 88.0 / 5 = 17.60 cm³, A 20.96 cm², W_pl,y 46.27 cm³. M_y = 1 kNm: σ = 1e6 /
// 24.30e3 = 41.15 N/mm² (the table's 24.6 cm³: 40.65); M_z = −1 kNm: 56.82; N = 100 kN:
// 47.71; elastic-plastic, M_y = 8 kNm: U = 8e6 / (46.27e3 · 235) = 0.736. Parallel plates of
// the parametric tee: W_el,y = 195.99 / 7.122 = 27.52 cm³, σ = 36.33.
TEST_F(UpnMember, LibraryTeeTakesItsSlopedOutline) {
  const struct {
    int kind, method;
    double N, M_y, M_z, value;  // σ (N/mm²) or U
  } cases[] = {{PROFIL_KIND_LIBRARY, 1, 0, 1, 0, 41.15},     {PROFIL_KIND_LIBRARY, 1, 0, 0, -1, 56.82},
               {PROFIL_KIND_LIBRARY, 1, 100, 0, 0, 47.71},   {PROFIL_KIND_LIBRARY, 2, 0, 8, 0, 0.736},
               {PROFIL_KIND_PARAMETRIC, 1, 0, 1, 0, 36.33}};
  for (const auto &c : cases) {
    const std::string line = Verdict("T100", c.kind, 0, c.method, c.M_y, c.M_z, c.N,
                                     c.method == 1 ? "\nelastische Spannungen: max |╠x| = " : "\nNachweis: ");
    EXPECT_NEAR(c.method == 1 ? std::atof(line.c_str() + line.find("= ") + 2) : U_of(line), c.value, 0.003 * c.value)
        << line;
  }
}

// A library profile stored as welded (rolled 0: a file written elsewhere or edited by hand) is
// listed and checked as the library's rolled section: the note names the difference, the list
// prints the radii line and the rolled values, and these give the checked σ = M_y·z/I_y at the
// fibre farthest from the printed centroid. HE 280 A, EN 10365: A 97.3 cm², I_y 13 670 cm⁴;
// M_y = 100 kNm: σ = 100e6 · 135 / 13670e4 = 98.76 N/mm² (its welded plates without fillets
// were printed with A = 92.32 cm²). T 100 by its outline as above: A 20.96 cm², σ 41.15 under
// M_y = 1 kNm. A make flag that is neither 0 nor 1 (a hand edit), of a library profile or a
// parametric one, is refused by the data check, which names it: no note, no joint line, no
// values (A = 0) and no verdict.
TEST_F(UpnMember, LibraryProfileStoredWeldedIsListedAsChecked) {
  const struct {
    const char *name;
    int kind, rolled;
    double M_y, A, sigma;
    bool tee;
  } cases[] = {{"HE280A", PROFIL_KIND_LIBRARY, 0, 100, 97.3, 98.76, false},
               {"T100", PROFIL_KIND_LIBRARY, 0, 1, 20.96, 41.15, true},
               {"HE280A", PROFIL_KIND_LIBRARY, 2, 100, 0, 0, false},
               {"HE280A", PROFIL_KIND_PARAMETRIC, -1, 100, 0, 0, false}};
  for (const auto &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.name << " kind " << c.kind << " rolled " << c.rolled);
    const std::string plain = Run_Refresh(Member_Bytes([&](BAUTEIL *b) {
                                EXPECT_EQ(Set_Profil_by_Library_Name(&b->profil, c.name), 0);
                                b->profil.kind = c.kind;
                                b->profil.rolled = c.rolled, b->profil.a_o = b->profil.a_u = 4;
                                b->method = 1, b->ct_check = 0;
                                b->brandlasten[0] = BRANDLAST{"Brand 1", 0, c.M_y, 0, 0, 0, 0, 0, 0};
                              })).plain;
    const auto after = [&](const std::string &key) {
      const std::size_t at = plain.find(key);
      return at == std::string::npos ? -1.0 : std::atof(plain.c_str() + at + key.size());
    };
    if (c.rolled != 0) {
      EXPECT_NE(plain.find("\nFehler bei der Querschnittsbeschreibung: Herstellungsart " + std::to_string(c.rolled) +
                           " unzulässig (1 gewalzt, 0 geschweißt) !!\n"),
                std::string::npos)
          << plain;
      EXPECT_EQ(plain.find("gespeicherte Angaben"), std::string::npos);
      EXPECT_EQ(plain.find("es Profil"), std::string::npos);  // neither "gewalztes" nor "geschweißtes"
      EXPECT_NE(plain.find("\nNachweis wurde nicht geführt: Querschnittswert A = 0 cm² nicht positiv !!\n"),
                std::string::npos);
      EXPECT_EQ(plain.find("\nNachweis: "), std::string::npos);
      continue;
    }
    EXPECT_NE(plain.find("»: gespeicherte Angaben weichen von der Profilbibliothek ab (geschweißt statt gewalzt); die "
                         "Werte der Bibliothek werden verwendet, die Schweißnahtangaben entfallen !!\n"),
              std::string::npos);
    EXPECT_NE(plain.find("\ngewalztes Profil, Ausrundungsradi"), std::string::npos);
    EXPECT_EQ(plain.find("\ngeneigte Flanschinnenseiten und Stegflanken, Neigung je 2 %") != std::string::npos, c.tee);
    EXPECT_NEAR(after("Querschnittsfläche A = "), c.A, 0.002 * c.A);
    const double sigma = after("elastische Spannungen: max |╠x| = "), I_y = after("Flächenträgheitsmomente Iy = ");
    const double h = after("Gesamthöhe h = "), z_s = after("Schwerpunktabstand von oben zs = ");
    EXPECT_NEAR(sigma, c.sigma, 0.002 * c.sigma);
    EXPECT_NEAR(sigma, 100 * c.M_y * std::max(z_s, h - z_s) / I_y, 0.002 * sigma) << h << " " << z_s << " " << I_y;
  }
}

}  // namespace
