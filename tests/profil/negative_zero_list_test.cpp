// No negative zero in the list: numbers that round to zero, written into the tables that
// callers put raw into the list (the point table of a polygon section, the node and plate
// tables), into paragraph heads and into graphic blocks, show "0.0" and never "-0.0".
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "host/host.h"
#include "print/print.h"
#include "profil/profil.h"
#include "sections/sections.h"
#include "support/support.h"
#include "tests/print/print_test_util.h"

namespace {

// A minus sign before a number that is all zeros: "-0", "-0.0", "-0.000", "-0.0e+00".
const std::regex kNegativeZero(R"(-0(\.0*)?(?![0-9.]))");

class NegativeZeroList : public ::testing::Test {
 protected:
  void SetUp() override { Host_Reset(); }
  void TearDown() override { Host_Reset(); }
};

// Every value rounds to zero in every column it reaches ("%7.1lf", "%7.2lf", "%.3f", "%lf").
const double kTinyNegatives[] = {-0.0004, -1e-9, -0.0, -5e-7};

TEST_F(NegativeZeroList, TablesParagraphsAndGraphicsShowNoNegativeZero) {
  for (const double v : kTinyNegatives) {
    SCOPED_TRACE(v);
    // The point table of a thick-walled R7-PLAX section: every coordinate v, one sagitta
    // so that the arc column is printed (a sagitta below 0.001 leaves its cell blank).
    QIMPORT_ENTRY e{};
    PROFIL p{};
    Reset_Profil(&p);
    p.kind = PROFIL_KIND_QUER;
    p.entry = &e;
    Add_QImport_Reference(&e, +1);
    p.model_kind = 1;
    p.imported[PROFIL_IMP_A] = 100, p.imported[PROFIL_IMP_HEIGHT] = 10, p.imported[PROFIL_IMP_WIDTH] = 10;
    std::vector<PROFIL_NODE> nodes = {{1, v, v, 0.25, 0}, {2, 10.0, v, v, 0}, {3, v, 10.0, 0.0, 0}};
    p.nodes = nodes.data();
    p.node_count = 3;
    const std::string point_table = Written([&](FILE *f) { Print_Profil_Parameters(&p, f, 1, 1, 0); });
    p.nodes = nullptr, p.node_count = 0;
    Reset_Profil(&p);
    EXPECT_NE(point_table.find(" 1        0.0     0.0   0.250"), std::string::npos) << point_table;
    EXPECT_FALSE(std::regex_search(point_table, kNegativeZero)) << point_table;

    // The node and plate tables with both thicknesses, a sagitta and the radii.
    const PROFIL_LINE lines[] = {{1, 1, 2, v, 8.0, 0.5, v, 1.0, v, v}, {2, 2, 3, 6.0, v, v, 0, 0, 0, 0}};
    const std::string plate_table =
        Written([&](FILE *f) { Print_Profil_Plate_Table(nodes.data(), 3, lines, 2, f); });
    EXPECT_NE(plate_table.find(" 1        0.0     0.0\n"), std::string::npos) << plate_table;
    EXPECT_NE(plate_table.find(" 1       1    2    0.00    8.00   0.500    0.00    1.00    0.00    0.00\n"),
              std::string::npos)
        << plate_table;
    EXPECT_FALSE(std::regex_search(plate_table, kNegativeZero)) << plate_table;

    // A paragraph's tab stop and indent, texts, and a segment and a text of a graphic block
    // of no width (its paper x is the world x as it is).
    const std::string other = Written([&](FILE *f) {
      const double tab = v;
      Oli_Para_Set_Tabs(0, nullptr, &tab, 1);
      Oli_Para_Add_Indent(v);
      Oli_Printf(f, "a = %.2f\n", v);
      char text[32];
      const int n = Oli_Snprintf(text, sizeof text, "%.1f|%g", v, v);
      EXPECT_EQ(n, static_cast<int>(std::strlen(text)));
      Oli_End_Text(f);
      Oli_Raw_Printf(f, " %s %7.3lf\n", text, v);
      Oliplot_Begin_Grafic(f, 0, 0, 0, 0, 1, 1, 0, 0);
      Oliplot_Line(v, v, 1.0, v);
      Oliplot_Rectangle(v, v, 1.0, 1.0);
      Oliplot_Text_Box(v, v, "t");
      Oliplot_End_Grafic(f);
    });
    EXPECT_FALSE(std::regex_search(other, kNegativeZero)) << other;
    EXPECT_NE(other.find("#SHOWPARA 4 0.100 0.000 1 0 0.000\n"), std::string::npos) << other;
    if (v > -1e-6) {
      EXPECT_NE(other.find(" 1  0.000000 0.000000 1.000000 0.000000\n"), std::string::npos) << other;
    }
  }
}

// The formatter keeps printf's bytes for everything else: numbers that round away from zero,
// positive zeros, texts that hold "-0", and a hexadecimal float whose digits are letters.
TEST_F(NegativeZeroList, OtherNumbersKeepTheirBytes) {
  char text[160];
  const int n = Oli_Snprintf(text, sizeof text, "%.1f|%.2f|%7.3lf|%s|%g|%a|%.0f|%+.1f|%d", -0.05, -0.006, 0.0,
                             "IPE-0", -1e-9, -0x0.000000000000ap-1022, -0.5, -0.0, -0);
  const char *want = "-0.1|-0.01|  0.000|IPE-0|-1e-09|-0x0.000000000000ap-1022|0|+0.0|0";
  EXPECT_STREQ(want, text);
  EXPECT_EQ(static_cast<int>(std::strlen(want)), n);
  // Cut like snprintf, with the whole length returned.
  EXPECT_EQ(5, Oli_Snprintf(text, 4, "%.3f", -0.0001));
  EXPECT_STREQ("0.0", text);
  const std::string raw = Written([&](FILE *f) { EXPECT_EQ(10, Oli_Raw_Printf(f, "%5.1f|%3d\n", -0.01, 7)); });
  EXPECT_EQ("  0.0|  7\n", raw);
  EXPECT_EQ(-1, Oli_Raw_Printf(nullptr, "%d", 1));
}

}  // namespace
