#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "materials/materials.h"
#include "nad/nad.h"
#include "support/support.h"
#include "tests/materials/capture.h"

namespace {

MATERIAL Checked(int family, int grade, const char *name) {
  MATERIAL m;
  Reset_Material_Data(&m);
  m.family = family;
  m.grade = grade;
  std::strcpy(m.name, name);
  Check_Material_Strength(&m, 10, nullptr, 0, nullptr);
  return m;
}

}  // namespace

TEST(MaterialParagraph, TableGradeWithValues) {
  Reset_NAD_For_Tests();
  PrintCapture cap;
  MATERIAL m = Checked(0, 2, "Riegel");
  Print_Material_Data(&m, cap.stream(), 5, 1, "");
  const char *const expected_text[] = {
      "Stahlgüte S355  (Riegel), Rechenparameter:"_cp,
      "char. Streckgrenze f╬\\y╬r = 355.0 N/mm²"_cp,
      "char. Zugfestigkeit f╬\\u╬r = 490.0 N/mm²"_cp,
      "Elastizitätsmodul E╬\\╬r = 210000.0 N/mm²"_cp,
  };
  EXPECT_EQ(cap.Lines(), Lines_Of(expected_text));
  // The value lines stand in a paragraph of their own with the spacing raised by 0.3 cm,
  // and the spacing is restored afterwards.
  EXPECT_DOUBLE_EQ(Oli_Para_Get_Spacing(), OLI_DEFAULT_SPACING);
}

TEST(MaterialParagraph, AllValueRowsWithSubscript) {
  PrintCapture cap;
  MATERIAL m = Checked(0, 0, "");
  Print_Material_Data(&m, cap.stream(), 0x86, 1, "1");
  const char *const expected_text[] = {
      "Stahlg\x81te S235, Rechenparameter:",
      "char. Streckgrenze f\xCE\\y1\xCEr = 235.0 N/mm\xFD",
      "char. Zugfestigkeit f\xCE\\u1\xCEr = 360.0 N/mm\xFD",
      "Korrelationsbeiwert f\x81r Kehln\x84hte \xBB\xCE\\w1\xCEr = 0.80",
      "Elastizit\x84tsmodul E\xCE\\1\xCEr = 210000.0 N/mm\xFD",
      "Temperaturausdehnungskoeffizient \xBA\xCE\\T1\xCEr = 1.20\xCE/.\xCEr" "10\xCE/-5\xCEr 1/K",
  };
  EXPECT_EQ(cap.Lines(), Lines_Of(expected_text));
}

TEST(MaterialParagraph, GradeLineOnlyAndUserValues) {
  PrintCapture cap;
  MATERIAL m = Checked(0, 14, "");
  Print_Material_Data(&m, cap.stream(), 5, 0, "");
  MATERIAL u;
  Reset_Material_Data(&u);
  u.user_values = 1;
  u.fy_40 = 300;
  u.fu_40 = 420;
  std::strcpy(u.name, "Sonder");
  Check_Material_Strength(&u, 10, nullptr, 0, nullptr);
  Print_Material_Data(&u, cap.stream(), 1, 0, "");
  const char *const expected_text[] = {
      "Stahlgüte S460 Q/QL/QL1"_cp,
      "Sonder, Stahlparameter:",
      "char. Streckgrenze f╬\\y╬r = 300.0 N/mm²"_cp,
      "char. Zugfestigkeit f╬\\u╬r = 420.0 N/mm²"_cp,
  };
  EXPECT_EQ(cap.Lines(), Lines_Of(expected_text));
}

TEST(MaterialParagraph, StainlessAndDinGradeNames) {
  PrintCapture cap;
  for (int grade = 26; grade <= 30; ++grade) {
    MATERIAL m = Checked(0, grade, "");
    Print_Material_Data(&m, cap.stream(), 0, 0, "");
  }
  MATERIAL din = Checked(1, 10, "x");  // one-character names are not printed
  Print_Material_Data(&din, cap.stream(), 0, 0, "");
  const char *const expected_text[] = {
      "Stahlgüte 1.4301, Edelstahl"_cp, "Stahlgüte 1.4401, Edelstahl"_cp, "Stahlgüte 1.4571, Edelstahl"_cp,
      "Stahlgüte 1.4003, Edelstahl"_cp, "Stahlgüte 1.4462, Edelstahl"_cp, "Stahlgüte S420 M/ML"_cp,
  };
  EXPECT_EQ(cap.Lines(), Lines_Of(expected_text));
}

TEST(MaterialParagraph, AluminiumAlloy) {
  PrintCapture cap;
  MATERIAL m = Checked(2, 37, "Pfette");
  Print_Material_Data(&m, cap.stream(), 5, 1, "");
  MATERIAL plain = Checked(2, 30, "");
  Print_Material_Data(&plain, cap.stream(), 5, 0, "");
  MATERIAL other = Checked(3, 0, "");
  Print_Material_Data(&other, cap.stream(), 5, 1, "");
  Print_Material_Data(nullptr, cap.stream(), 5, 1, "");
  Print_Material_Data(&m, nullptr, 5, 1, "");
  const char *const expected_text[] = {
      "Legierung 6061, T6/T651  (Pfette), Rechenparameter:",
      "char. Wert der 0,2%-Dehngrenze f╬\\o╬r = 240.0 N/mm²"_cp,
      "char. Zugfestigkeit f╬\\u╬r = 290.0 N/mm²"_cp,
      "Elastizitätsmodul E╬\\╬r = 70000.0 N/mm²"_cp,
      "Legierung 5083, O/H111, t \xF3 50 mm",
  };
  EXPECT_EQ(cap.Lines(), Lines_Of(expected_text));
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
