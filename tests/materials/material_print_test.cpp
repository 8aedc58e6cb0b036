#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "materials/materials.h"
#include "nad/nad.h"
#include "support/support.h"
#include "tests/materials/capture.h"

// The material paragraph by family, grade or user values, mask, value lines and
// subscript: the grade line, then the value lines the mask selects (0x1 fy, 0x2 fu, 0x4 E,
// 0x80 beta_w, ...). One-character names are not printed.
TEST(MaterialParagraph, EveryKindOfRecord) {
  struct Case {
    int family, grade, user;
    const char *name;
    int mask, values;
    const char *sub;
    const char *lines[6];
  } cases[] = {
      {0, 2, 0, "Riegel", 5, 1, "",
       {"Stahlgüte S355  (Riegel), Rechenparameter:"_cp, "char. Streckgrenze f╬\\y╬r = 355.0 N/mm²"_cp,
        "char. Zugfestigkeit f╬\\u╬r = 490.0 N/mm²"_cp, "Elastizitätsmodul E╬\\╬r = 210000.0 N/mm²"_cp}},
      {0, 0, 0, "", 0x86, 1, "1",
       {"Stahlgüte S235, Rechenparameter:"_cp, "char. Streckgrenze f╬\\y1╬r = 235.0 N/mm²"_cp,
        "char. Zugfestigkeit f╬\\u1╬r = 360.0 N/mm²"_cp, "Korrelationsbeiwert für Kehlnähte ╗╬\\w1╬r = 0.80"_cp,
        "Elastizitätsmodul E╬\\1╬r = 210000.0 N/mm²"_cp,
        "Temperaturausdehnungskoeffizient ║╬\\T1╬r = 1.20╬/.╬r10╬/-5╬r 1/K"_cp}},
      {0, 14, 0, "", 5, 0, "", {"Stahlgüte S460 Q/QL/QL1"_cp}},
      {0, 0, 1, "Sonder", 1, 0, "",
       {"Sonder, Stahlparameter:", "char. Streckgrenze f╬\\y╬r = 300.0 N/mm²"_cp,
        "char. Zugfestigkeit f╬\\u╬r = 420.0 N/mm²"_cp}},
      {0, 26, 0, "", 0, 0, "", {"Stahlgüte 1.4301, Edelstahl"_cp}},
      {0, 27, 0, "", 0, 0, "", {"Stahlgüte 1.4401, Edelstahl"_cp}},
      {0, 28, 0, "", 0, 0, "", {"Stahlgüte 1.4571, Edelstahl"_cp}},
      {0, 29, 0, "", 0, 0, "", {"Stahlgüte 1.4003, Edelstahl"_cp}},
      {0, 30, 0, "", 0, 0, "", {"Stahlgüte 1.4462, Edelstahl"_cp}},
      {1, 10, 0, "x", 0, 0, "", {"Stahlgüte S420 M/ML"_cp}},
      {2, 37, 0, "Pfette", 5, 1, "",
       {"Legierung 6061, T6/T651  (Pfette), Rechenparameter:", "char. Wert der 0,2%-Dehngrenze f╬\\o╬r = 240.0 N/mm²"_cp,
        "char. Zugfestigkeit f╬\\u╬r = 290.0 N/mm²"_cp, "Elastizitätsmodul E╬\\╬r = 70000.0 N/mm²"_cp}},
      {2, 30, 0, "", 5, 0, "", {"Legierung 5083, O/H111, t ¾ 50 mm"_cp}},
      {3, 0, 0, "", 5, 1, "", {}},
  };
  Reset_NAD_For_Tests();
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.family << "/" << c.grade << " " << c.name);
    PrintCapture cap;
    MATERIAL m;
    Reset_Material_Data(&m);
    m.family = c.family;
    m.grade = c.grade;
    m.user_values = c.user;
    m.fy_40 = 300;
    m.fu_40 = 420;
    std::strcpy(m.name, c.name);
    Check_Material_Strength(&m, 10, nullptr, 0, nullptr);
    Print_Material_Data(&m, cap.stream(), c.mask, c.values, c.sub);
    std::vector<std::string> want;
    for (const char *l : c.lines)
      if (l) want.push_back(l);
    EXPECT_EQ(cap.Lines(), want);
    // The value lines stand in a paragraph of their own; the spacing is restored.
    EXPECT_DOUBLE_EQ(Oli_Para_Get_Spacing(), OLI_DEFAULT_SPACING);
    Print_Material_Data(nullptr, cap.stream(), 5, 1, "");
    Print_Material_Data(&m, nullptr, 5, 1, "");
    EXPECT_EQ(cap.Lines(), want);
  }
}

TEST(MaterialEpsilon, ValuesAndFormulaLines) {
  PrintCapture cap;
  EXPECT_NEAR(Print_Epsilon(355, 210000, cap.stream()), 0.8136, 1e-4);
  Oli_Printf(cap.stream(), "\n");
  EXPECT_NEAR(Print_Epsilon(235, 200000, cap.stream()), 0.9759, 1e-4);
  Oli_Printf(cap.stream(), "\n");
  EXPECT_NEAR(Print_Epsilon(3000, 200000, cap.stream()), std::sqrt(235.0 / 3000 * 200000 / 210000), 1e-12);
  Oli_Printf(cap.stream(), "\n");
  EXPECT_NEAR(Print_Epsilon(3000, 210000, cap.stream()), std::sqrt(235.0 / 3000), 1e-12);
  Oli_Printf(cap.stream(), "\n");
  const char *const expected_text[] = {
      "\xBE = (235/355)\xCE/0.5\xCEr = 0.814",
      "\xBE = (235/235\xCE/.\xCEr" "200000/210000)\xCE/0.5\xCEr = 0.976",
      "\xBE = (200000/210000)\xCE/0.5\xCEr = 0.273",
      "\xBE = 0.280",
  };
  EXPECT_EQ(cap.Lines(), Lines_Of(expected_text));
  EXPECT_DOUBLE_EQ(Print_Epsilon(0.0005, 210000, cap.stream()), 0.0);
  EXPECT_DOUBLE_EQ(Print_Epsilon(235, 0, nullptr), 1.0);
}
