// The member program without its screen: the start-up's exit codes, the refresh road on the
// example member (its list read back, its picture drawn), unreadable input, and the print
// body of single members with its results.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/host_test.h"
#include "nad/nad.h"
#include "stahl_ec3/stahl_ec3.h"
#include "tests/stahl_ec3/member_fixture.h"
#include "support/cp850.h"
#include "support/shell.h"
#include "tests/testsupport/oliframe.h"
#include "tests/testsupport/olireader.h"
#include "tests/testsupport/olirender.h"

namespace fs = std::filesystem;

namespace {

// Plain UTF-8 text lines of a list (markup removed), with the raw lines of the layout.
std::vector<std::string> Plain_Lines(const std::string &oli) {
  std::vector<std::string> out;
  std::size_t at = 0;
  while (at < oli.size()) {
    std::size_t end = oli.find('\n', at);
    if (end == std::string::npos) end = oli.size();
    std::string plain;
    Oli_Markup_Plain(oli.substr(at, end - at), &plain, nullptr);
    out.push_back(Cp850_To_Utf8(plain));
    at = end + 1;
  }
  return out;
}

// A line holds the text; a text beginning with '=' must be the whole line.
bool Line_Has(const std::string &line, const std::string &text) {
  return text[0] == '=' ? line == text.substr(1) : line.find(text) != std::string::npos;
}

int Count_Lines_With(const std::vector<std::string> &lines, const std::string &text) {
  int n = 0;
  for (const std::string &l : lines) n += Line_Has(l, text);
  return n;
}

// The number after "= " behind the first "U" that follows "ê" on a verdict line; −1 if none.
double Verdict_U(const std::string &line) {
  const std::size_t u = line.find("ê  U");
  if (u == std::string::npos) return -1;
  const std::size_t eq = line.find("= ", u);
  return eq == std::string::npos ? -1 : std::atof(line.c_str() + eq + 2);
}

std::string Page5(const BAUTEIL &b, int row) {
  double u = 0;
  if (!Get_Brandlast_Utilisation(&b, row, &u)) return "XXXXXX";
  char text[32];
  std::snprintf(text, sizeof text, "%.0lf%%", 100 * u);
  return text;
}

class MemberRun : public MemberFolderTest {};

// Fewer than four arguments, no "EXEC", no private path, a stem too long: 0 and no list;
// the refresh road: 1.
TEST_F(MemberRun, ExitCodesOfTheStartUp) {
  const struct {
    const char *what;
    int args;  // arguments after the program name
    const char *exec, *priv;
    bool long_stem;
    int rc;
    const char *out, *err;  // expected in standard output and error
  } cases[] = {
      {"three arguments", 3, "x", "x", false, 0, "usage: stahl_ec3 Bauteilkennung Icon-Id File-Id Pos-Id", ""},
      {"EXEC unset", 5, nullptr, "x", false, 0, "", "EXEC"},
      {"EXEC empty", 5, "", "x", false, 0, "", "EXEC"},
      {"no private path", 5, "x", nullptr, false, 0, "", "YRMPRIVATE"},
      {"stem of 261 characters", 5, "x", "x", true, 0, "", "260"},
      {"refresh", 5, "x", "x", false, 1, "", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    Fresh_Folder();
    Set_Env("EXEC", c.exec ? (c.exec[0] ? Dir().c_str() : "") : nullptr);
    Set_Env("YRMPRIVATE", c.priv ? Dir().c_str() : nullptr);
    const std::string stem = c.long_stem ? Dir() + "/" + std::string(261 - Dir().size() - 1, 'S') : Stem();
    std::vector<std::string> args = {"stahl_ec3", stem, "0", "1", "1", "-refresh"};
    args.resize(c.args + 1);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run(args), c.rc);
    const std::string out = testing::internal::GetCapturedStdout(), err = testing::internal::GetCapturedStderr();
    EXPECT_NE(out.find(c.out), std::string::npos) << out;
    EXPECT_NE(err.find(c.err), std::string::npos) << err;
    EXPECT_EQ(fs::exists(Dir() + "/BSP1_01.OLI"), c.rc == 1);
  }
}

// The refresh road on the example: the input and the exchange files keep their bytes, the
// copies go, the list holds the blocks in order, the checks give the closed-formula
// utilisations, and the picture fills the top flange in the half tint of light blue.
TEST_F(MemberRun, RefreshOfTheExample) {
  Put("BSP1_01.XPR", "section of R7-PLAX\n");
  Put("BSP1_01.EXP", "export\n");
  const std::string inp = Get("BSP1_01.INP");
  ASSERT_EQ(Run({"stahl_ec3", Stem(), "7", "1", "1", "-refresh"}), 1);
  EXPECT_EQ(Get("BSP1_01.INP"), inp);
  EXPECT_EQ(Get("BSP1_01.XPR"), "section of R7-PLAX\n");
  EXPECT_EQ(Get("BSP1_01.EXP"), "export\n");
  EXPECT_FALSE(fs::exists(Dir() + "/BSP1_01_TMP.XPR") || fs::exists(Dir() + "/BSP1_01_TMP.EXP"));

  OLI_DOCUMENT doc;
  ASSERT_EQ(Read_Oli_File((Dir() + "/BSP1_01.OLI").c_str(), &doc), 0) << doc.errors.at(0);
  const std::vector<std::string> lines = Plain_Lines(Get("BSP1_01.OLI"));
  const char *order[] = {" POS. Beispiel BSP1: Stütze HE 280 A, S 235",
                         "#OLI_RESERVE 16.000",
                         " Nachweis bei Normaltemperatur",
                         "Hinweis: Nachweise bei Normaltemperatur mit den Schnittgrößen (Brandfall); Temperaturen, "
                         "kritische Temperatur und Nachweise im Brandfall werden nicht ermittelt. !!",
                         "nationaler Anhang zum EC: EC-Standardparameter",
                         "M,fi",
                         "Stahlgüte S235",
                         "Profil  HE280A",
                         "=Schnittgrößen (Brandfall)",
                         "3:Brand 3N = -1500.00 kN,  My = 250.00 kNm",
                         "#SHOWGRAFIC",
                         "Lastkollektiv 1: Brand 1",
                         "Lastkollektiv 2: Brand 2",
                         "Schnittgrößen = 0: Nachweis nicht erforderlich",
                         "Lastkollektiv 3: Brand 3"};
  std::size_t at = 0;
  for (const char *text : order) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Count_Lines_With(lines, text), 1);
    std::size_t i = at;
    while (i < lines.size() && !Line_Has(lines[i], text)) ++i;
    EXPECT_LT(i, lines.size()) << "not after line " << at;
    at = i;
  }
  EXPECT_EQ(Count_Lines_With(lines, "#CONTENTS"), 2);
  EXPECT_EQ(Count_Lines_With(lines, "#SHOWXYPLOT") + Count_Lines_With(lines, "Brandfall: "), 0);

  // (|N|/A + M_y·h/(2·I_y))/235 with the table values of HE 280 A (EN 10365).
  const double A = 9726, I_y = 13670e4, h = 270;
  std::vector<std::string> verdicts;
  for (const std::string &l : lines)
    if (l.rfind("Nachweis: ", 0) == 0) verdicts.push_back(l);
  ASSERT_EQ(verdicts.size(), 2u);
  const double NM[2][2] = {{500e3, 100e6}, {1500e3, 250e6}};
  for (int k = 0; k < 2; ++k) {
    const double u = (NM[k][0] / A + NM[k][1] * h / (2 * I_y)) / 235;
    EXPECT_NEAR(Verdict_U(verdicts[k]), u, 0.01 * u) << verdicts[k];
    EXPECT_EQ(verdicts[k].find("nicht ok !!") != std::string::npos, k == 1) << verdicts[k];
  }
  EXPECT_NEAR(Verdict_U(verdicts[0]), 0.639, 0.0005);
  EXPECT_NEAR(Verdict_U(verdicts[1]), 1.707, 0.0005);
  const BAUTEIL &b = *Get_Stahl_EC3_Bauteil();
  EXPECT_EQ(Page5(b, 0) + Page5(b, 1) + Page5(b, 2), "64%0%171%");

  PLOT_DOCUMENT plot;
  EXPECT_EQ(Read_Plot_File((Dir() + "/BSP10001.SPF").c_str(), &plot), 0);
  EXPECT_TRUE(plot.banner && plot.eoi);
  ASSERT_EQ(doc.graphics.size(), 1u);
  // The free-standing picture: 1 cm margins each side, so its scale S is 280 mm over the
  // block width less 2 cm; the extent runs from −S to 280 + S and from −S to 270 + 0.4 S.
  const OLI_GRAPHIC &g = doc.graphics[0];
  // The area in the light blue of the palette (125, 125, 255) with the member plot's fill code.
  int fills = 0;
  for (const OLI_PRIMITIVE &p : g.items) fills += p.code == 20 && p.numbers.size() == 1 && p.numbers[0] == 43;
  EXPECT_GE(fills, 1);
  const double S = 280 / (g.width - 2);
  const OLI_BLOCK_FRAME frame{-S, 270 + 0.4 * S, 280 + S, -S, 1 / S, 1 / S, 0, 0};
  const OLI_RASTER raster = Render_Oli_Graphic(g);
  const struct {
    double y, z;
    std::array<int, 3> rgb;
  } probes[] = {{60, 6.5, {190, 190, 255}}, {140, 60, {190, 190, 255}}, {60, 135, {255, 255, 255}}};
  for (const auto &p : probes) {
    double X, Y;
    int col, row;
    Oli_World_To_Paper(frame, p.y, p.z, &X, &Y);
    ASSERT_TRUE(Oli_Raster_Pixel_Of(raster, X, Y, &col, &row));
    EXPECT_EQ(Oli_Raster_Color(raster, col, row), p.rgb) << p.y << " " << p.z;
  }
}

// A member file that cannot be read: the list holds the page head and "Lesefehler", never
// the defaults; standard error says why; the file keeps its bytes; exit 1.
TEST_F(MemberRun, UnreadableInputOnTheRefreshRoad) {
  const std::string example = Get("BSP1_01.INP");
  const struct {
    const char *what;
    std::string text;  // "" : no file
    const char *reason;
  } cases[] = {
      {"garbled", "kein Bauteil\n", "garbled"},
      {"cut", example.substr(0, example.size() / 2), "cut"},
      {"newer", " 3" + example.substr(2), "newer"},
      {"missing", "", "does not exist"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    Fresh_Folder();
    if (c.text.empty())
      fs::remove(Dir() + "/BSP1_01.INP");
    else
      Put("BSP1_01.INP", c.text);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run({"stahl_ec3", Stem(), "0", "1", "1", "-refresh"}), 1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Lesefehler"), std::string::npos) << err;
    EXPECT_NE(err.find(c.reason), std::string::npos) << err;
    EXPECT_EQ(c.text.empty() ? !fs::exists(Dir() + "/BSP1_01.INP") : Get("BSP1_01.INP") == c.text, true);
    const std::vector<std::string> lines = Plain_Lines(Get("BSP1_01.OLI"));
    EXPECT_EQ(Count_Lines_With(lines, "Lesefehler !!"), 1);
    EXPECT_EQ(Count_Lines_With(lines, " POS. Beispiel BSP1"), 1);
    EXPECT_EQ(Count_Lines_With(lines, "HE280A") + Count_Lines_With(lines, "Profil") +
                  Count_Lines_With(lines, "#SHOWGRAFIC"),
              0);
    EXPECT_NE(Get("BSP1_01.OLI").find("Lesefehler \xCE{C 1 230 0 0}!!"), std::string::npos);
    PLOT_DOCUMENT plot;
    EXPECT_EQ(Read_Plot_File((Dir() + "/BSP10001.SPF").c_str(), &plot), 0);
    EXPECT_EQ(plot.records.size(), 0u);
  }
}

// The print body of single members: closed formulas of a flat bar about both axes, a grade
// the table does not confirm, a check that cannot be made, a gated method and zero forces;
// no row goes without its line, and the results are the same without a list.
TEST_F(MemberRun, PrintBodyOfSingleMembers) {
  struct Case {
    const char *what;
    int shape;  // 0 flat bar 200 × 20, 1 welded I 300 × 200 × 10 / 15
    int method;
    double fy_user;  // non-zero: user strengths, fy = max(fy_user, 0)
    double gamma;    // > 0: not standardised, this gamma_M0
    double N, M_y, M_z;  // the row's forces (kN, kNm)
    std::vector<std::string> lines;  // each found in the list
    const char *page5;
  };
  const Case cases[] = {
      {"flat bar, N and M_y", 0, 1, 0, 0, -100, 10, 0,
       {"min / max ╠x = -100.00 / 50.00 N/mm²",
        "Nachweis: ╠v = 100.00 N/mm²  <  ╠v,Rd = 235.00 N/mm²  ê  U╠v = 0.426  <  1  ok"},
       "43%"},
      {"flat bar, tension and M_z turned", 0, 1, 0, 0, 50, 0, -1,
       {"min / max ╠x = -62.50 / 87.50 N/mm²", "U╠v = 0.372  <  1  ok"}, "37%"},
      {"flat bar, gamma 1.1", 0, 1, 0, 1.1, -100, -10, 0,
       {"╠v,Rd = 213.64 N/mm²", "U╠v = 0.468  <  1  ok"}, "47%"},
      {"grade without yield strength", 1, 1, -1, 0, -100, 10, 0,
       {"Für dieses Material kann der Nachweis nicht geführt werden !!"}, "XXXXXX"},
      {"no design strength", 0, 1, 0, -1, -100, 10, 0, {"Nachweis wurde nicht geführt"}, "XXXXXX"},
      {"flat bar, plastic", 0, 2, 0, 0, -100, 10, 0,
       {"plastischer Nachweis für dieses Profil nicht möglich !!"}, "XXXXXX"},
      {"zero forces", 0, 1, 0, 0, 0.005, 0.0005, 0, {"Schnittgrößen = 0: Nachweis nicht erforderlich !!"}, "0%"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    BAUTEIL b{};
    BRANDLAST row{};
    std::strcpy(row.name, "Brand 1");
    row.N = c.N, row.M_y = c.M_y, row.M_z = c.M_z;
    Make_Test_Member(&b, c.shape, c.method, c.fy_user, c.gamma, row);
    std::string list;
    {
      char *buf = nullptr;
      std::size_t len = 0;
      FILE *f = open_memstream(&buf, &len);
      Print_Brandschutznachweis(&b, f);
      std::fclose(f);
      list.assign(buf, len);
      std::free(buf);
    }
    const std::vector<std::string> lines = Plain_Lines(list);
    for (const std::string &text : c.lines) EXPECT_EQ(Count_Lines_With(lines, text), 1) << text << "\n" << Cp850_To_Utf8(list);
    EXPECT_EQ(Count_Lines_With(lines, "Nachweis wurde nicht geführt") + Count_Lines_With(lines, "Für dieses Material"),
              std::string(c.page5) == "XXXXXX" && c.method == 1 ? 1 : 0);
    EXPECT_EQ(Page5(b, 0), c.page5);
    const BRANDLAST_RESULT with_list = b.results[0];
    Print_Brandschutznachweis(&b, nullptr);
    EXPECT_EQ(Page5(b, 0), c.page5);
    EXPECT_DOUBLE_EQ(b.results[0].U_max, with_list.U_max);
    Reset_Bauteil(&b);
  }
}

}  // namespace
