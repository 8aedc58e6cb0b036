#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "host/host.h"
#include "materials/materials.h"
#include "nad/nad.h"
#include "support/shell.h"
#include "tests/materials/capture.h"

namespace {

// Reads a material record from a temporary data file holding the text; the reader's code.
int Read_Text(const std::string &text, MATERIAL *m) {
  FILE *f = Data_File(text);
  const int rc = Read_Material_Data(f, m);
  std::fclose(f);
  return rc;
}

class MaterialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Reset();
    Reset_Shell_For_Tests();
    Reset_NAD_For_Tests();
    Reset_Materials_For_Tests();
  }
  void TearDown() override { Reset_NAD_For_Tests(); }
  static MATERIAL Table(int family, int grade) {
    MATERIAL m;
    Reset_Material_Data(&m);
    m.family = family;
    m.grade = grade;
    return m;
  }
  static MATERIAL User(int family, double fy, double fu) {
    MATERIAL m;
    Reset_Material_Data(&m);
    m.family = family;
    m.user_values = 1;
    m.fy_40 = m.fy_80 = m.fy_inf = fy;
    m.fu_40 = m.fu_80 = m.fu_inf = fu;
    return m;
  }
  static size_t Boxes() { return Host_Messages().size(); }
};

// Every field equal (padding bytes left out).
bool Same(const MATERIAL &a, const MATERIAL &b) {
  return a.grade == b.grade && std::strcmp(a.name, b.name) == 0 && a.user_values == b.user_values &&
         a.fy_40 == b.fy_40 && a.fu_40 == b.fu_40 && a.fy_80 == b.fy_80 && a.fu_80 == b.fu_80 &&
         a.fy_inf == b.fy_inf && a.fu_inf == b.fu_inf && a.E == b.E && a.betaw == b.betaw &&
         a.grade_copy == b.grade_copy && a.family == b.family && a.fy == b.fy && a.fu == b.fu && a.G == b.G &&
         a.nu == b.nu && a.alphaT == b.alphaT;
}

}  // namespace

using MaterialRecord = MaterialTest;

TEST_F(MaterialRecord, CopyCompareAndThicknessCopy) {
  MATERIAL a = Table(0, 2), b;
  Check_Material_Strength(&a, 10, nullptr, 0, nullptr);
  std::strcpy(a.name, "Stütze");
  Copy_Material_Data(&a, &b);
  EXPECT_TRUE(Same(a, b));
  EXPECT_EQ(Compare_Material_Data(&a, &b), 1);
  b.fy += 0.009;
  EXPECT_EQ(Compare_Material_Data(&a, &b), 1);
  b.fy += 0.01;
  EXPECT_EQ(Compare_Material_Data(&a, &b), 0);
  // Range strengths count only with user values.
  Copy_Material_Data(&a, &b);
  b.fy_80 = 1;
  EXPECT_EQ(Compare_Material_Data(&a, &b), 1);
  a.user_values = b.user_values = 1;
  EXPECT_EQ(Compare_Material_Data(&a, &b), 0);
  Copy_Material_Data(nullptr, &b);  // the reset record: blank name, S235 after Init
  EXPECT_EQ(std::string(b.name), std::string(25, ' '));
  Init_Material_Data(&b);
  EXPECT_DOUBLE_EQ(b.fy_80, 215.0);

  MATERIAL u = User(0, 300, 400), c;
  u.fy_80 = 280;
  u.fy_inf = 260;
  const double t[] = {40.0005, 40.002, 80.002}, fy[] = {300, 280, 260};
  for (int k = 0; k < 3; ++k) {
    Copy_Material_for_Thickness(&u, &c, t[k]);
    EXPECT_DOUBLE_EQ(c.fy, fy[k]) << t[k];
  }
}

// Every row of the Eurocode list: name, both strength pairs and beta_w (EN 1993-1-1
// Table 3.1, EN 1993-1-8 Table 4.1; stainless steels EN 1993-1-4 Table 2.1), and the record
// the strength check fills from it at 10 and 60 mm (the stainless rows keep one pair).
TEST_F(MaterialRecord, EveryEurocodeListRow) {
  struct Row {
    const char *name;
    double fy40, fu40, fy80, fu80, betaw;
  } rows[] = {
      {"S235", 235, 360, 215, 360, 0.8},         {"S275", 275, 430, 255, 410, 0.85},
      {"S355", 355, 490, 335, 470, 0.9},         {"S450", 440, 550, 410, 550, 1.0},
      {"S275 N/NL", 275, 390, 255, 370, 0.85},   {"S355 N/NL", 355, 490, 335, 470, 0.9},
      {"S420 N/NL", 420, 520, 390, 520, 1.0},    {"S460 N/NL", 460, 540, 430, 540, 1.0},
      {"S275 M/ML", 275, 370, 255, 360, 0.85},   {"S355 M/ML", 355, 470, 335, 450, 0.9},
      {"S420 M/ML", 420, 520, 390, 500, 1.0},    {"S460 M/ML", 460, 540, 430, 530, 1.0},
      {"S235 W", 235, 360, 215, 340, 0.8},       {"S355 W", 355, 490, 335, 490, 0.9},
      {"S460 Q/QL/QL1", 460, 570, 440, 550, 1.0}, {"S235 H", 235, 360, 215, 340, 0.8},
      {"S275 H", 275, 430, 255, 410, 0.85},      {"S355 H", 355, 510, 335, 490, 0.9},
      {"S275 NH/NLH", 275, 390, 255, 370, 0.85}, {"S355 NH/NLH", 355, 490, 335, 470, 0.9},
      {"S420 NH/NLH", 420, 540, 390, 520, 1.0},  {"S460 NH/NLH", 460, 560, 430, 550, 1.0},
      {"S275 MH/MLH", 275, 360, 0, 0, 0.85},     {"S355 MH/MLH", 355, 470, 0, 0, 0.9},
      {"S420 MH/MLH", 420, 500, 0, 0, 1.0},      {"S460 MH/MLH", 460, 530, 0, 0, 1.0},
      {"1.4301", 210, 520, 0, 0, 1.0},           {"1.4401", 220, 520, 0, 0, 1.0},
      {"1.4571", 200, 500, 0, 0, 1.0},           {"1.4003", 240, 450, 0, 0, 1.0},
      {"1.4462", 450, 650, 0, 0, 1.0},
  };
  static_assert(std::size(rows) == EC_GRADE_LIST_COUNT);
  for (int row = 0; row < EC_GRADE_LIST_COUNT; ++row) {
    const Row &w = rows[row];
    SCOPED_TRACE(w.name);
    const STEEL_GRADE_LIST *r = Get_EC_Grade_List_Row(row);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(std::string(r->name), (std::string(w.name) + "               ").substr(0, 15));
    EXPECT_EQ(std::string(Get_EC_Grade_Name(0, row)), row < 26 ? w.name : "");
    const bool stainless = row >= 26;
    MATERIAL m = Table(0, row);
    Check_Material_Strength(&m, 10, nullptr, 0, nullptr);
    EXPECT_DOUBLE_EQ(m.fy, w.fy40);
    EXPECT_DOUBLE_EQ(m.fu, w.fu40);
    EXPECT_DOUBLE_EQ(m.betaw, w.betaw);
    EXPECT_EQ(m.grade_copy, row);
    Check_Material_Strength(&m, 60, nullptr, 0, nullptr);
    EXPECT_DOUBLE_EQ(m.fy, stainless ? w.fy40 : w.fy80);
    EXPECT_DOUBLE_EQ(m.fu, stainless ? w.fu40 : w.fu80);
    EXPECT_DOUBLE_EQ(m.fy_inf, stainless ? w.fy40 : w.fy80);
    EXPECT_DOUBLE_EQ(m.fu_inf, stainless ? w.fu40 : w.fu80);
    EXPECT_DOUBLE_EQ(m.E, 210000.0);
    EXPECT_DOUBLE_EQ(m.alphaT, 1.2);
  }
  EXPECT_EQ(Get_EC_Grade_List_Row(31), nullptr);
  EXPECT_STREQ(Get_EC_Grade_Name(1, 0), "");
  // The ring keeps ten results valid.
  const char *first = Get_EC_Grade_Name(0, 0);
  for (int k = 1; k < 10; ++k) Get_EC_Grade_Name(0, k);
  EXPECT_STREQ(first, "S235");
  EXPECT_DOUBLE_EQ(Get_Grade_Default_Value(0, 25, 99), 150.0);
  EXPECT_DOUBLE_EQ(Get_Grade_Default_Value(0, 26, 99), 99.0);
  EXPECT_DOUBLE_EQ(Get_Grade_Default_Value(1, 3, 99), 99.0);
  int members = 0;
  for (int row = -1; row <= 31; ++row)
    members += Is_EC_Grade_S235(row) + Is_EC_Grade_S275(row) + Is_EC_Grade_S355(row) + Is_EC_Grade_S420(row) +
               Is_EC_Grade_S450_S460(row);
  EXPECT_EQ(members, 26);  // every carbon row in exactly one group
  EXPECT_EQ(Is_EC_Grade_Weathering(13), 1);
  EXPECT_EQ(Is_EC_Grade_Weathering(14), 0);
}

// ---------------------------------------------------------------- strength check

// The record the strength check fills by family, table grade or user values, thickness and
// national set: family 1 from DIN 18800-1 Table 1 by picker place (separators move to the
// place before), family 2 from EN 1999-1-1 Table 3.2a. User values: 300/400 to 40 mm,
// 280 to 80 mm, 260 beyond.
TEST_F(MaterialRecord, StrengthsByFamilyGradeAndThickness) {
  struct Case {
    const char *what;
    int family, grade, user;
    double t;
    const char *nad;
    int rc, grade_after;
    double fy, fu, fy_40, fy_80, fy_inf, betaw, E, alphaT;
  } cases[] = {
      {"S355 at 40 + 0.5 µm", 0, 2, 0, 40.0005, nullptr, 0, 2, 355, 490, 355, 335, 335, 0.9, 210000, 1.2},
      {"S355 above 40", 0, 2, 0, 40.002, nullptr, 0, 2, 335, 470, 355, 335, 335, 0.9, 210000, 1.2},
      {"S355 above 80", 0, 2, 0, 95, nullptr, 0, 2, 335, 470, 355, 335, 335, 0.9, 210000, 1.2},
      {"S355 to 80", 0, 2, 0, 80.05, nullptr, 0, 2, 335, 470, 355, 335, 335, 0.9, 210000, 1.2},
      {"MH row to 40", 0, 23, 0, 30, nullptr, 0, 23, 355, 470, 355, 0, 0, 0.9, 210000, 1.2},
      {"negative grade", 0, -3, 0, 10, nullptr, 1, 0, 235, 360, 235, 215, 215, 0.8, 210000, 1.2},
      {"S420 N/NL", 0, 6, 0, 10, nullptr, 0, 6, 420, 520, 420, 390, 390, 1.0, 210000, 1.2},
      {"S420 N/NL, DE", 0, 6, 0, 10, NAD_GERMANY_NAME, 0, 6, 420, 520, 420, 390, 390, 0.88, 210000, 1.2},
      {"S460 MH/MLH, DE", 0, 25, 0, 10, NAD_GERMANY_NAME, 0, 25, 460, 530, 460, 0, 0, 0.85, 210000, 1.2},
      {"S355, DE", 0, 2, 0, 10, NAD_GERMANY_NAME, 0, 2, 355, 490, 355, 335, 335, 0.9, 210000, 1.2},
      {"S420 N/NL, no set", 0, 6, 0, 10, "", 0, 6, 420, 520, 420, 390, 390, 1.0, 210000, 1.2},
      {"DIN S235", 1, 0, 0, 10, nullptr, 0, 0, 240, 360, 240, 215, 215, 0.95, 210000, 1.2},
      {"DIN S235 at 40 + 0.5 µm", 1, 0, 0, 40.0005, nullptr, 0, 0, 240, 360, 240, 215, 215, 0.95, 210000, 1.2},
      {"DIN S235 above 40", 1, 0, 0, 40.002, nullptr, 0, 0, 215, 360, 240, 215, 215, 0.95, 210000, 1.2},
      {"DIN S275", 1, 1, 0, 60, nullptr, 0, 1, 255, 410, 275, 255, 255, 0.95, 210000, 1.2},
      {"DIN S355", 1, 2, 0, 10, nullptr, 0, 2, 360, 490, 360, 335, 335, 0.8, 210000, 1.2},
      {"DIN separator 3", 1, 3, 0, 10, nullptr, 0, 2, 360, 490, 360, 335, 335, 0.8, 210000, 1.2},
      {"DIN S275 N/NL", 1, 4, 0, 60, nullptr, 0, 4, 255, 370, 275, 255, 255, 0.95, 210000, 1.2},
      {"DIN S355 N/NL", 1, 5, 0, 10, nullptr, 0, 5, 360, 470, 360, 335, 335, 0.8, 210000, 1.2},
      {"DIN separator 7", 1, 7, 0, 10, nullptr, 0, 6, 420, 520, 420, 390, 390, 0.6, 210000, 1.2},
      {"DIN S275 M/ML", 1, 8, 0, 10, nullptr, 0, 8, 275, 370, 275, 255, 255, 0.95, 210000, 1.2},
      {"DIN S355 M/ML", 1, 9, 0, 60, nullptr, 0, 9, 335, 450, 360, 335, 335, 0.8, 210000, 1.2},
      {"DIN S420 M/ML", 1, 10, 0, 120, nullptr, 0, 10, 390, 520, 420, 390, 390, 0.6, 210000, 1.2},
      {"DIN negative grade", 1, -1, 0, 10, nullptr, 1, 0, 240, 360, 240, 215, 215, 0.95, 210000, 1.2},
      {"6061 T6/T651", 2, 37, 0, 10, nullptr, 0, 37, 240, 290, 240, 240, 240, 0.0, 70000, 2.3},
      {"user to 80 mm", 0, 0, 1, 80.05, nullptr, 0, 0, 280, 400, 300, 280, 260, 0.8, 210000, 1.2},
      {"user above 80", 0, 0, 1, 80.2, nullptr, 0, 0, 260, 400, 300, 280, 260, 0.8, 210000, 1.2},
      {"user, family 1", 1, 0, 1, 120, nullptr, 0, 0, 280, 400, 300, 280, 260, 0.8, 210000, 1.2},
      {"user, grade 27", 0, 27, 1, 60, nullptr, 0, 27, 300, 400, 300, 280, 260, 0.8, 210000, 1.2},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    Reset_NAD_For_Tests();
    if (c.nad && *c.nad) {
      ASSERT_EQ(Set_Active_NAD(c.nad), 1);
    } else if (c.nad) {
      Clear_Active_NAD();
    }
    MATERIAL m = c.user ? User(c.family, 300, 400) : Table(c.family, c.grade);
    if (c.user) m.grade = c.grade, m.fy_80 = 280, m.fy_inf = 260;
    EXPECT_EQ(Check_Material_Strength(&m, c.t, nullptr, 1, nullptr), c.rc);
    EXPECT_EQ(m.grade, c.grade_after);
    const double got[] = {m.fy, m.fu, m.fy_40, m.fy_80, m.fy_inf, m.betaw, m.E, m.alphaT};
    const double want[] = {c.fy, c.fu, c.fy_40, c.fy_80, c.fy_inf, c.betaw, c.E, c.alphaT};
    for (size_t k = 0; k < std::size(want); ++k) EXPECT_DOUBLE_EQ(got[k], want[k]) << "field " << k;
    EXPECT_DOUBLE_EQ(m.G, c.E / 2.6);
  }
  EXPECT_EQ(Boxes(), 1u);  // S355 at 95 mm only: table values above 80.1 mm of family 0
  EXPECT_EQ(Check_Material_Strength(nullptr, 10, nullptr, 0, nullptr), 0);
}

// Table values above 80.1 mm: the box asks to check them, only when shown.
TEST_F(MaterialRecord, TableValuesAbove80AskForACheck) {
  MATERIAL m = Table(0, 2);
  Check_Material_Strength(&m, 80.2, nullptr, 1, "Pos 1: ");
  EXPECT_DOUBLE_EQ(m.fy, 335.0);
  ASSERT_EQ(Boxes(), 1u);
  EXPECT_EQ(Host_Messages()[0].text, "Pos 1: Stahldicke t = 80.2 mm > 80 mm: Materialparameter überprüfen (ggf. vorgeben)"_cp);
  Check_Material_Strength(&m, 95, nullptr, 0, nullptr);
  EXPECT_EQ(Boxes(), 1u);
}

TEST_F(MaterialRecord, UserValuesTolerances) {
  MATERIAL m = User(0, 235, 234.9995);
  EXPECT_EQ(Check_Material_Strength(&m, 10, nullptr, 0, nullptr), 0);
  EXPECT_DOUBLE_EQ(m.fu, 235.0);
  m = User(0, 235, 234.99);
  EXPECT_EQ(Check_Material_Strength(&m, 10, nullptr, 0, nullptr), 1);
  m = User(2, 250, 249.5);
  EXPECT_EQ(Check_Material_Strength(&m, 10, nullptr, 0, nullptr), 0);
  EXPECT_DOUBLE_EQ(m.fu, 250.0);
  m = User(2, 250, 248.9);
  EXPECT_EQ(Check_Material_Strength(&m, 10, nullptr, 0, nullptr), 1);
}

// Every error line byte for byte, in code page 850, with the red mark's words.
TEST_F(MaterialRecord, ErrorLinesGolden) {
  PrintCapture cap;
  MATERIAL m = User(0, 0.5, 0.2);
  m.E = 0.5;
  EXPECT_EQ(Check_Material_Strength(&m, 10, cap.stream(), 1, "Stab 2: "), 1);
  MATERIAL a = User(2, 0.5, 300);
  EXPECT_EQ(Check_Material_Strength(&a, 10, cap.stream(), 1, "Stab 3: "), 1);
  MATERIAL b = User(2, 250, 200);
  EXPECT_EQ(Check_Material_Strength(&b, 10, cap.stream(), 1, nullptr), 1);
  const char *const expected_text[] = {
      "Stab 2: Streckgrenze f\xCE\\y\xCEr = 0.5 N/mm\xFD < 1 N/mm\xFD  nicht ok !!",
      "Stab 2: Zugfestigkeit f\xCE\\u\xCEr = 0.2 N/mm\xFD < Streckgrenze f\xCE\\y\xCEr = 0.5 N/mm\xFD  nicht ok !!",
      "Stab 2: E-Modul E = 0.5 N/mm\xFD < 1.0 N/mm\xFD  nicht ok !!",
      "Stab 3: 0,2%-Dehngrenze f\xCE\\o\xCEr = 0.5 N/mm\xFD < 1 N/mm\xFD  nicht ok !!",
      "Zugfestigkeit f\xCE\\u\xCEr = 200.0 N/mm\xFD < f\xCE\\o\xCEr = 250 N/mm\xFD  nicht ok !!",
  };
  EXPECT_EQ(cap.Lines(), Lines_Of(expected_text));
  const char *const boxes[] = {
      "Stab 2: Streckgrenze fy = 0.5 N/mm\xFD < 1 N/mm\xFD",
      "Stab 2: Zugfestigkeit fu = 0.2 N/mm\xFD < Streckgrenze fy = 0.5 N/mm\xFD",
      "Stab 2: E-Modul E = 0.5 N/mm\xFD < 1.0 N/mm\xFD",
      "Stab 3: 0,2%-Dehngrenze fo = 0.5 N/mm\xFD < 1 N/mm\xFD",
      "Zugfestigkeit fu = 200.0 N/mm\xFD < fo = 250 N/mm\xFD",
  };
  ASSERT_EQ(Host_Messages().size(), std::size(boxes));
  for (size_t k = 0; k < std::size(boxes); ++k) EXPECT_EQ(Host_Messages()[k].text, boxes[k]);
}

TEST_F(MaterialRecord, ErrorLineCarriesRedMarkWithColours) {
  PrintCapture cap;
  Oli_Set_Colors(1);
  const std::string mark = Oli_Mark_Nicht_Ok();
  MATERIAL m = User(0, 0, 0);
  Check_Material_Strength(&m, 10, cap.stream(), 0, "");
  ASSERT_FALSE(cap.Lines().empty());
  const std::string line = cap.Lines()[0];
  EXPECT_EQ(line.substr(line.size() - mark.size()), mark);
  EXPECT_EQ(Host_Messages().size(), 0u);
}

// A table row without values for the thickness is reported, not passed silently.
TEST_F(MaterialRecord, ZeroTableStrengthsReported) {
  PrintCapture cap;
  MATERIAL m = Table(0, 23);
  EXPECT_EQ(Check_Material_Strength(&m, 50, cap.stream(), 1, ""), 1);
  EXPECT_DOUBLE_EQ(m.fy, 0.0);
  EXPECT_DOUBLE_EQ(m.fu, 0.0);
  const char *const expected_text[] = {"Streckgrenze f\xCE\\y\xCEr = 0.0 N/mm\xFD < 1 N/mm\xFD  nicht ok !!"};
  EXPECT_EQ(cap.Lines(), Lines_Of(expected_text));
  EXPECT_EQ(Host_Messages().size(), 1u);
  // The same row below 40 mm is fine.
  EXPECT_EQ(Check_Material_Strength(&m, 30, nullptr, 0, ""), 0);
  EXPECT_DOUBLE_EQ(m.fy, 355.0);
}

// ---------------------------------------------------------------- data file

TEST_F(MaterialRecord, RoundTripWithBlanksInName) {
  MATERIAL m = User(0, 300, 410);
  m.fy_80 = 290;
  m.fu_inf = 400;
  m.E = 205000;
  m.betaw = 0.85;
  m.grade = 4;
  std::strcpy(m.name, "Träger  Achse 3"_cp);
  Check_Material_Strength(&m, 0, nullptr, 0, nullptr);
  FILE *f = std::tmpfile();
  ASSERT_EQ(Write_Material_Data(f, &m), 0);
  EXPECT_STREQ(m.name, "Tr\x84ger  Achse 3          ");  // the record's name is unchanged
  const std::string text = File_Text(f);
  EXPECT_EQ(text.substr(0, 4), " 2\n ");
  EXPECT_NE(text.find(" Tr\x84ger~~Achse~3~~~~~~~~~~\n"), std::string::npos);
  std::rewind(f);
  MATERIAL r;
  Reset_Material_Data(&r);
  ASSERT_EQ(Read_Material_Data(f, &r), 0);
  EXPECT_EQ(Compare_Material_Data(&m, &r), 1);
  EXPECT_STREQ(r.name, m.name);
  EXPECT_DOUBLE_EQ(r.fy_80, 290.0);
  EXPECT_DOUBLE_EQ(r.fu_inf, 400.0);
  std::fclose(f);

  // Table values: the family is the owner's; the read record is checked again.
  MATERIAL t = Table(0, 2), back;
  Check_Material_Strength(&t, 0, nullptr, 0, nullptr);
  f = std::tmpfile();
  ASSERT_EQ(Write_Material_Data(f, &t), 0);
  std::rewind(f);
  Reset_Material_Data(&back);
  ASSERT_EQ(Read_Material_Data(f, &back), 0);
  EXPECT_EQ(Compare_Material_Data(&t, &back), 1);
  EXPECT_DOUBLE_EQ(back.fy, 355.0);
  std::fclose(f);
}

TEST_F(MaterialRecord, OlderVersionsReadWithDefaults) {
  MATERIAL m;
  Reset_Material_Data(&m);
  std::strcpy(m.name, "alt");
  ASSERT_EQ(Read_Text(" 0\n 1 1 235.000000 360.000000 0.800000 210000.0 0.3 80769.2 1.2\n", &m), 0);
  EXPECT_DOUBLE_EQ(m.fy_40, 235.0);
  EXPECT_DOUBLE_EQ(m.fy_80, 235.0);
  EXPECT_DOUBLE_EQ(m.fy_inf, 235.0);
  EXPECT_DOUBLE_EQ(m.fu_80, 360.0);
  EXPECT_DOUBLE_EQ(m.fu_inf, 360.0);
  EXPECT_EQ(std::string(m.name).substr(0, 3), "alt");  // version 0 has no name

  ASSERT_EQ(Read_Text(" 1\n 3 1 0 0 0.9 210000 0.3 80769 1.2\n 300 400 280 390 260 380\n", &m), 0);
  EXPECT_DOUBLE_EQ(m.fy_inf, 260.0);
  EXPECT_DOUBLE_EQ(m.fy, 300.0);
}

TEST_F(MaterialRecord, NewerVersionFailsWithMessageOutsideRefresh) {
  MATERIAL m;
  Init_Material_Data(&m);
  const MATERIAL before = m;
  EXPECT_EQ(Read_Text(" 3\n 2 0 0 0 0.9 210000 0.3 80769 1.2\n 1 2 3 4 5 6\n x\n", &m), 1);
  EXPECT_TRUE(Same(m, before));
  ASSERT_EQ(Host_Messages().size(), 1u);
  EXPECT_NE(Host_Messages()[0].text.find("Die Eingabedatei ist aktueller"), std::string::npos);
  Host_Clear_Messages();
  Set_Refresh_Mode(1);
  EXPECT_EQ(Read_Text(" 3\n", &m), 1);
  EXPECT_EQ(Host_Messages().size(), 0u);
}

// Cut anywhere, the read fails; fields before the cut are read, the rest keep their old
// values, and no strength check runs.
TEST_F(MaterialRecord, TruncatedAtEveryByteFails) {
  MATERIAL m = User(0, 300, 410);
  m.grade = 4;
  m.fy_80 = 290;
  std::strcpy(m.name, "Name mit Blanks");
  FILE *f = std::tmpfile();
  ASSERT_EQ(Write_Material_Data(f, &m), 0);
  const std::string text = File_Text(f);
  std::fclose(f);
  // The last token is the name; cutting inside its trailing '~' still leaves a token.
  const size_t name_start = text.rfind(' ') + 1;
  for (size_t cut = 0; cut <= name_start; ++cut) {
    MATERIAL r;
    Reset_Material_Data(&r);
    r.fy = 1234.5;  // only the strength check would change this
    EXPECT_EQ(Read_Text(text.substr(0, cut), &r), 1) << cut;
    EXPECT_DOUBLE_EQ(r.fy, 1234.5) << cut;
  }
  // Cut in the middle of the numbers: the grade and flag are read, fy_40 stays.
  MATERIAL r;
  Reset_Material_Data(&r);
  EXPECT_EQ(Read_Text(" 2\n 4 1 0.0", &r), 1);
  EXPECT_EQ(r.grade, 4);
  EXPECT_EQ(r.user_values, 1);
  EXPECT_DOUBLE_EQ(r.fy_40, 0.0);
}

// Null records, streams and rows: nothing happens, the failure or "nothing" result.
TEST_F(MaterialRecord, NullArgumentsDoNothing) {
  MATERIAL m = Table(0, 2);
  SAFETY_FACTORS sf{};
  Reset_Material_Data(nullptr);
  Init_Material_Data(nullptr);
  Reset_Plate_Data(nullptr);
  Copy_Material_Data(&m, nullptr);
  Load_Safety_Factors_from_NAD(nullptr);
  EXPECT_EQ(Compare_Material_Data(&m, nullptr), 0);
  EXPECT_EQ(Read_Material_Data(nullptr, &m), 1);
  EXPECT_EQ(Write_Material_Data(nullptr, &m), 1);
  EXPECT_EQ(Compare_Safety_Factors(&sf, nullptr), 0);
  EXPECT_EQ(Write_Safety_Factors(nullptr, &sf), 1);
  EXPECT_EQ(Read_Safety_Factors(nullptr, &sf), 1);
  EXPECT_EQ(Set_User_Alguete(nullptr), 0);
  EXPECT_EQ(Set_User_Stguete(nullptr), 0);
  EXPECT_EQ(m.grade, 2);
}

TEST_F(MaterialRecord, GarbledAndOverlongNamesFail) {
  MATERIAL r;
  Init_Material_Data(&r);
  const MATERIAL before = r;
  EXPECT_EQ(Read_Text(" 2\n x 1 0 0 0.9\n", &r), 1);
  EXPECT_TRUE(Same(r, before));
  EXPECT_EQ(Read_Text(" -1\n", &r), 1);
  EXPECT_EQ(Read_Text(" 2\n 0 1 0 0 nan 210000 0.3 80769 1.2\n 1 2 3 4 5 6\n x\n", &r), 1);

  const std::string head = " 2\n 0 1 0 0 0.9 210000 0.3 80769 1.2\n 300 400 300 400 300 400\n ";
  EXPECT_EQ(Read_Text(head + std::string(28, 'N') + "\n", &r), 1);
  EXPECT_EQ(std::string(r.name), std::string(before.name));
  // 27 bytes are the limit; the record keeps 25 characters.
  EXPECT_EQ(Read_Text(head + std::string(27, 'N'), &r), 0);
  EXPECT_EQ(std::string(r.name), std::string(25, 'N'));
}

