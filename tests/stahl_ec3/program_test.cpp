// The member program without its screen: exit codes of the start-up, the refresh road on the
// example (list read back, picture drawn), unreadable input, and the print body of single
// members with their results.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/cp850.h"
#include "tests/stahl_ec3/member_fixture.h"
#include "tests/testsupport/oliframe.h"
#include "tests/testsupport/olireader.h"
#include "tests/testsupport/olirender.h"

namespace {

// The lines of a list as UTF-8 with the markup removed.
std::vector<std::string> Lines(const std::string &oli) {
  std::vector<std::string> out;
  for (std::size_t at = 0, end; at < oli.size(); at = end + 1) {
    end = std::min(oli.find('\n', at), oli.size());
    std::string plain;
    Oli_Markup_Plain(oli.substr(at, end - at), &plain, nullptr);
    out.push_back(Cp850_To_Utf8(plain));
  }
  return out;
}
// A line holds the text; a text beginning with '=' is the whole line.
bool Holds(const std::string &line, const std::string &t) {
  return t[0] == '=' ? line == t.substr(1) : line.find(t) != std::string::npos;
}
int Count(const std::vector<std::string> &lines, const std::string &t) {
  return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string &l) { return Holds(l, t); }));
}
// The result page's text of a row.
std::string Page5(const BAUTEIL &b, int row) {
  double u = 0;
  char text[32] = "XXXXXX";
  if (Get_Brandlast_Utilisation(&b, row, &u)) std::snprintf(text, sizeof text, "%.0lf%%", 100 * u);
  return text;
}

using MemberRun = MemberFolderTest;

TEST_F(MemberRun, ExitCodesOfTheStartUp) {
  const struct {
    const char *what, *exec, *priv;
    int args, rc;
    const char *out, *err;
  } cases[] = {
      {"three arguments", "x", "x", 3, 0, "usage: stahl_ec3 Bauteilkennung Icon-Id File-Id Pos-Id", ""},
      {"EXEC unset", nullptr, "x", 5, 0, "", "EXEC"},
      {"EXEC empty", "", "x", 5, 0, "", "EXEC"},
      {"no private path", "x", nullptr, 5, 0, "", "YRMPRIVATE"},
      {"stem of 261 characters", "x", "x", 5, 0, "", "260"},
      {"refresh", "x", "x", 5, 1, "", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    Fresh_Folder();
    c.exec ? setenv("EXEC", c.exec, 1) : unsetenv("EXEC");
    c.priv ? setenv("YRMPRIVATE", c.priv, 1) : unsetenv("YRMPRIVATE");
    const std::string stem = std::strcmp(c.err, "260") == 0 ? std::string(261, 'S') : Stem();
    std::vector<std::string> args = {"stahl_ec3", stem, "0", "1", "1", "-refresh"};
    args.resize(c.args + 1);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run(args), c.rc);
    EXPECT_NE(testing::internal::GetCapturedStdout().find(c.out), std::string::npos);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(c.err), std::string::npos);
    EXPECT_EQ(Has("BSP1_01.OLI"), c.rc == 1);
  }
}

// The example: input and exchange files keep their bytes, the copies go, the list holds its
// blocks in order with the closed-formula utilisations, and the picture fills the flanges.
TEST_F(MemberRun, RefreshOfTheExample) {
  Put("BSP1_01.XPR", "xpr\n");
  const std::string inp = Get("BSP1_01.INP");
  ASSERT_EQ(Run({"stahl_ec3", Stem(), "7", "1", "1", "-refresh"}), 1);
  EXPECT_EQ(Get("BSP1_01.INP") + Get("BSP1_01.XPR"), inp + "xpr\n");
  EXPECT_FALSE(Has("BSP1_01_TMP.XPR"));
  OLI_DOCUMENT doc;
  ASSERT_EQ(Read_Oli_File((dir_ + "/BSP1_01.OLI").c_str(), &doc), 0) << doc.errors.at(0);
  const std::vector<std::string> lines = Lines(Get("BSP1_01.OLI"));
  const char *order[] = {"= POS. Beispiel BSP1: Stütze HE 280 A, S 235", "=#OLI_RESERVE 16.000",
                         "= Nachweis bei Normaltemperatur", "Hinweis: Nachweise bei Normaltemperatur mit den "
                         "Schnittgrößen (Brandfall); Temperaturen, kritische Temperatur und Nachweise im Brandfall "
                         "werden nicht ermittelt. !!", "=nationaler Anhang zum EC: EC-Standardparameter", "M,fi",
                         "Stahlgüte S235", "Profil  HE280A", "=Schnittgrößen (Brandfall)",
                         "=3:Brand 3N = -1500.00 kN,  My = 250.00 kNm", "#SHOWGRAFIC", "=Lastkollektiv 1: Brand 1",
                         "=Lastkollektiv 2: Brand 2", "Schnittgrößen = 0: Nachweis nicht erforderlich",
                         "=Lastkollektiv 3: Brand 3"};
  auto at = lines.begin();
  for (const char *t : order) {
    EXPECT_EQ(Count(lines, t), 1) << t;
    at = std::find_if(at, lines.end(), [&](const std::string &l) { return Holds(l, t); });
    ASSERT_NE(at, lines.end()) << t << " is out of order";
  }
  EXPECT_EQ(Count(lines, "=#CONTENTS"), 2);
  EXPECT_EQ(Count(lines, "#SHOWXYPLOT") + Count(lines, "Brandfall: "), 0);
  // (|N|/A + M_y·h/(2·I_y))/235 with A, I_y, h of HE 280 A (EN 10365).
  const double A = 9726, I_y = 13670e4, h = 270, NM[2][2] = {{500e3, 100e6}, {1500e3, 250e6}};
  int k = 0;
  for (const std::string &l : lines) {
    if (l.rfind("Nachweis: ", 0) != 0 || k > 1) continue;
    const double u = (NM[k][0] / A + NM[k][1] * h / (2 * I_y)) / 235;
    EXPECT_NEAR(std::atof(l.c_str() + l.find("= ", l.find("ê  U")) + 2), u, 0.01 * u) << l;
    EXPECT_EQ(l.find("nicht ok !!") != std::string::npos, k++ == 1) << l;
  }
  EXPECT_EQ(k, 2);
  const BAUTEIL &b = *Get_Stahl_EC3_Bauteil();
  EXPECT_EQ(Page5(b, 0) + Page5(b, 1) + Page5(b, 2), "64%0%171%");
  PLOT_DOCUMENT plot;
  EXPECT_EQ(Read_Plot_File((dir_ + "/BSP10001.SPF").c_str(), &plot), 0);
  EXPECT_TRUE(plot.eoi && !plot.records.empty());
  // The free-standing picture has 1 cm margins: S = 280 mm over the block width less 2 cm.
  ASSERT_EQ(doc.graphics.size(), 1u);
  const OLI_GRAPHIC &g = doc.graphics[0];
  EXPECT_TRUE(std::any_of(g.items.begin(), g.items.end(), [](const OLI_PRIMITIVE &p) {
    return p.code == 20 && p.numbers == std::vector<double>{43};  // the member plot's fill code
  }));
  const double S = 280 / (g.width - 2);
  const OLI_BLOCK_FRAME frame{-S, 270 + 0.4 * S, 280 + S, -S, 1 / S, 1 / S, 0, 0};
  const OLI_RASTER raster = Render_Oli_Graphic(g);
  const double probes[3][3] = {{60, 6.5, 190}, {140, 60, 190}, {60, 135, 255}};  // half tint or white
  for (const auto &p : probes) {
    double X, Y;
    int col, row;
    Oli_World_To_Paper(frame, p[0], p[1], &X, &Y);
    ASSERT_TRUE(Oli_Raster_Pixel_Of(raster, X, Y, &col, &row));
    EXPECT_EQ(Oli_Raster_Color(raster, col, row), (std::array<int, 3>{int(p[2]), int(p[2]), 255})) << p[0];
  }
}

// "Elastisch-Plastisch" on the example: the plastic limit state is a load factor on the row's
// forces, so U_pl follows EN 1993-1-1 6.2.9.1 (M_N,y,Rd = M_pl,y,Rd (1 − n)/(1 − 0.5 a), a =
// (A − 2 b t_f)/A) solved for f with N = f·N_Ed, M = f·M_Ed; U = 1/f. (At fixed N the same rule
// gives M_Ed/M_N,y,Rd = 0.428 and 2.43, a different ratio.) The c/t check is against class 2.
TEST_F(MemberRun, PlasticRoadOfTheExample) {
  std::string inp = Get("BSP1_01.INP");
  inp.replace(inp.find("\n 1 1\n"), 6, "\n 2 1\n");
  Put("BSP1_01.INP", inp);
  ASSERT_EQ(Run({"stahl_ec3", Stem(), "0", "1", "1", "-refresh"}), 1);
  const std::vector<std::string> lines = Lines(Get("BSP1_01.OLI"));
  EXPECT_EQ(Count(lines, "plastischer Spannungsnachweis für  N = ") + Count(lines, "(bzgl. Querschnittsklasse 2)"), 4);
  const double A = 9726, W_pl = 1112e3, N_pl = A * 235, M_pl = W_pl * 235, a = (A - 2 * 280 * 13) / A;
  const double NM[2][2] = {{500e3, 100e6}, {1500e3, 250e6}};
  int k = 0;
  for (const std::string &l : lines) {
    if (l.rfind("Nachweis: U", 0) != 0 || k > 1) continue;
    const double u = (NM[k][1] + NM[k][0] * M_pl / N_pl / (1 - 0.5 * a)) / (M_pl / (1 - 0.5 * a));
    EXPECT_NEAR(std::atof(l.c_str() + l.find("= ") + 2), u, 0.01 * u) << l;
    EXPECT_EQ(l.find("nicht ok !!") != std::string::npos, k++ == 1) << l;
  }
  EXPECT_EQ(k, 2);
  const BAUTEIL &b = *Get_Stahl_EC3_Bauteil();  // Brand 1 governed by c/t 8.6/10 (Table 5.2)
  EXPECT_EQ(Page5(b, 0) + Page5(b, 1) + Page5(b, 2), "86%0%150%");
}

// An unreadable member file: the list holds the page head and "Lesefehler", never the
// defaults, the plot file is empty, standard error says why, the file keeps its bytes.
TEST_F(MemberRun, UnreadableInputOnTheRefreshRoad) {
  const std::string ex = Get("BSP1_01.INP");
  const std::string cases[4][2] = {{"kein Bauteil\n", "garbled"}, {ex.substr(0, ex.size() / 2), "cut"},
                                   {" 3" + ex.substr(2), "newer"}, {"", "does not exist"}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c[1]);
    Fresh_Folder();
    c[0].empty() ? (void)std::filesystem::remove(dir_ + "/BSP1_01.INP") : Put("BSP1_01.INP", c[0]);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run({"stahl_ec3", Stem(), "0", "1", "1", "-refresh"}), 1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(err.find("Lesefehler") != std::string::npos && err.find(c[1]) != std::string::npos) << err;
    EXPECT_EQ(Get("BSP1_01.INP"), c[0]);
    const std::vector<std::string> lines = Lines(Get("BSP1_01.OLI"));
    EXPECT_EQ(Count(lines, "=Lesefehler !!") + Count(lines, "= POS. Beispiel BSP1: Stütze HE 280 A, S 235"), 2);
    EXPECT_EQ(Count(lines, "HE280A") + Count(lines, "Profil") + Count(lines, "#SHOWGRAFIC"), 0);
    EXPECT_NE(Get("BSP1_01.OLI").find("Lesefehler \xCE{C 1 230 0 0}!!"), std::string::npos);
    PLOT_DOCUMENT plot;
    EXPECT_EQ(Read_Plot_File((dir_ + "/BSP10001.SPF").c_str(), &plot) + plot.records.size(), 0u);
  }
}

// Closed formulas of a flat bar about both axes and with gamma_M0 1.1, a grade without yield
// strength, a check without design strength, a gated method, zero forces: every row has its
// line, and the results are the same without a list.
TEST_F(MemberRun, PrintBodyOfSingleMembers) {
  const struct {
    const char *what;
    int shape, method;
    double fy_user, gamma, N, M_y, M_z;
    std::vector<std::string> lines;
    const char *page5;
  } cases[] = {
      {"flat bar, N and M_y", 0, 1, 0, 0, -100, 10, 0,
       {"min / max ╠x = -100.00 / 50.00 N/mm²",
        "=Nachweis: ╠v = 100.00 N/mm²  <  ╠v,Rd = 235.00 N/mm²  ê  U╠v = 0.426  <  1  ok"}, "43%"},
      {"flat bar, tension and M_z turned", 0, 1, 0, 0, 50, 0, -1,
       {"min / max ╠x = -62.50 / 87.50 N/mm²", "U╠v = 0.372  <  1  ok"}, "37%"},
      {"flat bar, gamma 1.1", 0, 1, 0, 1.1, -100, -10, 0, {"╠v,Rd = 213.64 N/mm²", "U╠v = 0.468  <  1  ok"}, "47%"},
      {"no yield strength", 1, 1, -1, 0, -100, 10, 0,
       {"=Für dieses Material kann der Nachweis nicht geführt werden !!"}, "XXXXXX"},
      {"no design strength", 0, 1, 0, -1, -100, 10, 0, {"=Nachweis wurde nicht geführt"}, "XXXXXX"},
      {"flat bar, plastic", 0, 2, 0, 0, -100, 10, 0, {"=plastischer Nachweis für dieses Profil nicht möglich !!"},
       "XXXXXX"},
      {"zero forces", 0, 1, 0, 0, 0.005, 0.0005, 0, {"=Schnittgrößen = 0: Nachweis nicht erforderlich !!"}, "0%"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    BAUTEIL b{};
    Make_Test_Member(&b, c.shape, c.method, c.fy_user, c.gamma, c.N, c.M_y, c.M_z);
    char *buf = nullptr;
    std::size_t len = 0;
    FILE *f = open_memstream(&buf, &len);
    Print_Brandschutznachweis(&b, f);
    std::fclose(f);
    const std::vector<std::string> lines = Lines(std::string(buf, len));
    std::free(buf);
    for (const std::string &t : c.lines) EXPECT_EQ(Count(lines, t), 1) << t;
    EXPECT_EQ(Count(lines, "Nachweis wurde nicht geführt") + Count(lines, "Für dieses Material"),
              c.page5[0] == 'X' && c.method == 1);
    const double u = b.results[0].U_max;
    EXPECT_EQ(Page5(b, 0), c.page5);
    Print_Brandschutznachweis(&b, nullptr);
    EXPECT_EQ(Page5(b, 0), c.page5);
    EXPECT_DOUBLE_EQ(b.results[0].U_max, u);
    Reset_Bauteil(&b);
  }
}

}  // namespace
