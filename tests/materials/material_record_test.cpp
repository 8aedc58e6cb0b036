// The material record (copy, comparison, strengths by family, grade and thickness, error
// lines, data file), its print paragraph and the safety factors.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "host/host.h"
#include "materials/materials.h"
#include "nad/nad.h"
#include "support/shell.h"
#include "support/support.h"
#include "tests/materials/capture.h"

namespace {

using ::testing::DoubleEq;
using ::testing::Pointwise;
using V = std::vector<double>;

// Reads a material record (safety factors) from a temporary data file holding the text;
// the reader's code.
template <class Record>
int Read_Text(const std::string &text, Record *r) {
  FILE *f = Data_File(text);
  int rc;
  if constexpr (std::is_same_v<Record, MATERIAL>) rc = Read_Material_Data(f, r);
  else rc = Read_Safety_Factors(f, r);
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
  static SAFETY_FACTORS Filled(double base) {
    SAFETY_FACTORS sf;
    Reset_Safety_Factors(&sf);
    double *f[11] = {&sf.gamma_M0, &sf.gamma_M1,     &sf.gamma_M2,    &sf.gamma_M3,     &sf.gamma_M4, &sf.gamma_M5,
                     &sf.gamma_M6_ser, &sf.gamma_M7, &sf.gamma_M3_ser, &sf.gamma_M_ser, &sf.gamma_M_fi};
    for (int k = 0; k < 11; ++k) *f[k] = base + 0.01 * k;
    return sf;
  }
  // Filled factors marked standardised (taken from the national annex) for a source.
  static SAFETY_FACTORS Standardised(double base, int source = 0) {
    SAFETY_FACTORS sf = Filled(base);
    sf.standardised = 1;
    sf.source = source;
    return sf;
  }
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
using SafetyFactors = MaterialTest;

TEST_F(MaterialRecord, CopyCompareAndThicknessCopy) {
  MATERIAL a = Table(0, 2), b;
  Check_Material_Strength(&a, 10, nullptr, 0, nullptr);
  std::strcpy(a.name, "Stütze");
  Copy_Material_Data(&a, &b);
  EXPECT_TRUE(Same(a, b));
  // Equal within 0.01 N/mm²; the range strengths count only with user values.
  std::vector<int> same{Compare_Material_Data(&a, &b)};
  for (double d : {0.009, 0.01}) b.fy += d, same.push_back(Compare_Material_Data(&a, &b));
  Copy_Material_Data(&a, &b);
  b.fy_80 = 1;
  same.push_back(Compare_Material_Data(&a, &b));
  a.user_values = b.user_values = 1;
  same.push_back(Compare_Material_Data(&a, &b));
  EXPECT_EQ(same, (std::vector<int>{1, 1, 0, 1, 0}));
  Copy_Material_Data(nullptr, &b);  // the reset record: blank name, S235 after Init
  EXPECT_EQ(std::string(b.name), std::string(25, ' '));
  Init_Material_Data(&b);
  EXPECT_DOUBLE_EQ(b.fy_80, 215.0);

  MATERIAL u = User(0, 300, 400), c;
  u.fy_80 = 280, u.fy_inf = 260;
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
    EXPECT_EQ((V{m.fy, m.fu, m.betaw, double(m.grade_copy)}), (V{w.fy40, w.fu40, w.betaw, double(row)}));
    Check_Material_Strength(&m, 60, nullptr, 0, nullptr);
    const double fy = stainless ? w.fy40 : w.fy80, fu = stainless ? w.fu40 : w.fu80;
    EXPECT_EQ((V{m.fy, m.fu, m.fy_inf, m.fu_inf, m.E, m.alphaT}), (V{fy, fu, fy, fu, 210000, 1.2}));
  }
  EXPECT_EQ(Get_EC_Grade_List_Row(31), nullptr);
  EXPECT_STREQ(Get_EC_Grade_Name(1, 0), "");
  // The ring keeps ten results valid.
  const char *first = Get_EC_Grade_Name(0, 0);
  for (int k = 1; k < 10; ++k) Get_EC_Grade_Name(0, k);
  EXPECT_STREQ(first, "S235");
  EXPECT_EQ((V{Get_Grade_Default_Value(0, 25, 99), Get_Grade_Default_Value(0, 26, 99), Get_Grade_Default_Value(1, 3, 99)}),
            (V{150, 99, 99}));
  int members = 0;
  for (int row = -1; row <= 31; ++row)
    members += Is_EC_Grade_S235(row) + Is_EC_Grade_S275(row) + Is_EC_Grade_S355(row) + Is_EC_Grade_S420(row) +
               Is_EC_Grade_S450_S460(row);
  EXPECT_EQ(members, 26);  // every carbon row in exactly one group
  EXPECT_EQ(Is_EC_Grade_Weathering(13) * 10 + Is_EC_Grade_Weathering(14), 10);
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
  // fu a little below fy is taken as fy: steel within 0.001, aluminium within 1 N/mm².
  const struct {
    int family;
    double fy, fu;
    int rc;
  } cases[] = {{0, 235, 234.9995, 0}, {0, 235, 234.99, 1}, {2, 250, 249.5, 0}, {2, 250, 248.9, 1}};
  for (const auto &c : cases) {
    MATERIAL m = User(c.family, c.fy, c.fu);
    EXPECT_EQ(Check_Material_Strength(&m, 10, nullptr, 0, nullptr), c.rc) << c.fu;
    EXPECT_TRUE(c.rc || m.fu == c.fy) << c.fu;
  }
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

  // With colours the line ends in the red mark; no box when none is asked for.
  PrintCapture red;
  Oli_Set_Colors(1);
  Host_Clear_Messages();
  MATERIAL z = User(0, 0, 0);
  Check_Material_Strength(&z, 10, red.stream(), 0, "");
  ASSERT_FALSE(red.Lines().empty());
  EXPECT_TRUE(red.Lines()[0].ends_with(Oli_Mark_Nicht_Ok())) << red.Lines()[0];
  EXPECT_TRUE(Host_Messages().empty());
}

// A table row without values for the thickness is reported, not passed silently.
TEST_F(MaterialRecord, ZeroTableStrengthsReported) {
  PrintCapture cap;
  MATERIAL m = Table(0, 23);
  EXPECT_EQ(Check_Material_Strength(&m, 50, cap.stream(), 1, ""), 1);
  EXPECT_EQ((V{m.fy, m.fu}), (V{0, 0}));
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
  m.fy_80 = 290, m.fu_inf = 400, m.E = 205000, m.betaw = 0.85, m.grade = 4;
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
  EXPECT_EQ((V{r.fy_80, r.fu_inf}), (V{290, 400}));
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
  EXPECT_EQ((V{m.fy_40, m.fy_80, m.fy_inf, m.fu_80, m.fu_inf}), (V{235, 235, 235, 360, 360}));
  EXPECT_EQ(std::string(m.name).substr(0, 3), "alt");  // version 0 has no name

  ASSERT_EQ(Read_Text(" 1\n 3 1 0 0 0.9 210000 0.3 80769 1.2\n 300 400 280 390 260 380\n", &m), 0);
  EXPECT_EQ((V{m.fy_inf, m.fy}), (V{260, 300}));
}

TEST_F(MaterialRecord, NewerVersionFailsWithMessageOutsideRefresh) {
  MATERIAL m;
  Init_Material_Data(&m);
  const MATERIAL before = m;
  EXPECT_EQ(Read_Text(" 3\n 2 0 0 0 0.9 210000 0.3 80769 1.2\n 1 2 3 4 5 6\n x\n", &m), 1);
  EXPECT_TRUE(Same(m, before));
  ASSERT_EQ(Host_Messages().size(), 1u);
  EXPECT_NE(Host_Messages()[0].text.find("Die Eingabedatei ist aktueller"), std::string::npos);
  Set_Refresh_Mode(1);
  EXPECT_EQ(Read_Text(" 3\n", &m), 1);
  EXPECT_EQ(Host_Messages().size(), 1u);  // no new message in refresh mode
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
  EXPECT_EQ((V{double(r.grade), double(r.user_values), r.fy_40}), (V{4, 1, 0}));
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
  EXPECT_EQ((std::vector<int>{Compare_Material_Data(&m, nullptr), Read_Material_Data(nullptr, &m),
                              Write_Material_Data(nullptr, &m), Compare_Safety_Factors(&sf, nullptr),
                              Write_Safety_Factors(nullptr, &sf), Read_Safety_Factors(nullptr, &sf),
                              Set_User_Alguete(nullptr), Set_User_Stguete(nullptr), m.grade}),
            (std::vector<int>{0, 1, 1, 0, 1, 1, 0, 0, 2}));
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

TEST_F(SafetyFactors, LoadFromActiveSetBySource) {
  // The recommended values of EN 1993-1-1 6.1 and EN 1993-1-8 Table 2.1.
  SAFETY_FACTORS sf = Standardised(5.0, 0);
  Load_Safety_Factors_from_NAD(&sf);
  const double want[11] = {1.00, 1.00, 1.25, 1.25, 1.00, 1.00, 1.00, 1.10, 1.10, 1.00, 1.00};
  const double got[11] = {sf.gamma_M0, sf.gamma_M1, sf.gamma_M2, sf.gamma_M3, sf.gamma_M4, sf.gamma_M5,
                          sf.gamma_M6_ser, sf.gamma_M7, sf.gamma_M3_ser, sf.gamma_M_ser, sf.gamma_M_fi};
  for (int k = 0; k < 11; ++k) EXPECT_DOUBLE_EQ(got[k], want[k]) << k;
  Set_Active_NAD("Deutschland");
  Load_Safety_Factors_from_NAD(&sf);
  EXPECT_DOUBLE_EQ(sf.gamma_M1, 1.10);

  // Aluminium: gamma_M0 and gamma_M1 from EN 1999-1-1, the connection factors stay.
  SAFETY_FACTORS al = Standardised(5.0, 2), other = Standardised(5.0, 5);
  Load_Safety_Factors_from_NAD(&al);
  EXPECT_THAT((V{al.gamma_M0, al.gamma_M1, al.gamma_M2, al.gamma_M3_ser, al.gamma_M_ser, al.gamma_M_fi}),
              Pointwise(DoubleEq(), V{1.10, 1.25, 5.02, 5.08, 1.00, 1.00}));
  Load_Safety_Factors_from_NAD(&other);  // an unknown source: zeros, gamma_M,fi 1.00
  EXPECT_EQ((V{other.gamma_M0, other.gamma_M3_ser, other.gamma_M_fi}), (V{0, 0, 1}));

  // User values are not touched.
  SAFETY_FACTORS user = Filled(5.0);
  Load_Safety_Factors_from_NAD(&user);
  EXPECT_DOUBLE_EQ(user.gamma_M0, 5.0);
}

TEST_F(SafetyFactors, LoadWithoutActiveSet) {
  Clear_Active_NAD();
  SAFETY_FACTORS sf = Standardised(5.0);
  Load_Safety_Factors_from_NAD(&sf);
  EXPECT_EQ((V{sf.gamma_M0, sf.gamma_M_ser, sf.gamma_M_fi}), (V{5, 0, 0}));  // no block: the factors stay
  sf.source = 2;
  Load_Safety_Factors_from_NAD(&sf);
  EXPECT_EQ((V{sf.gamma_M1, Get_NAD_Gamma_M_fi()}), (V{5.01, 0}));
  double out[9] = {7, 7, 7, 7, 7, 7, 7, 7, 7};
  EXPECT_EQ(Get_NAD_Safety_Factors(0, out), nullptr);
  EXPECT_DOUBLE_EQ(out[0], 7.0);
}

TEST_F(SafetyFactors, NadGetters) {
  double out[9];
  EXPECT_EQ(Get_NAD_Safety_Factors(0, out), Get_NAD_EC3_Parameters());
  V ec3{out[2], out[7], out[8]};
  EXPECT_EQ(Get_NAD_Safety_Factors(2, out), Get_NAD_EC9_Parameters());
  EXPECT_EQ((V{ec3[0], ec3[1], ec3[2], out[0], out[1]}), (V{1.25, 1.10, 1.10, 1.10, 1.25}));
  EXPECT_EQ(Get_NAD_Safety_Factors(1, out), nullptr);
  for (double v : out) EXPECT_DOUBLE_EQ(v, 0.0);
  EXPECT_NE(Get_NAD_Safety_Factors(0, nullptr), nullptr);
  EXPECT_DOUBLE_EQ(Get_NAD_Gamma_M_ser(), 1.0);
}

TEST_F(SafetyFactors, CopyAndCompare) {
  SAFETY_FACTORS a = Filled(1.0), b;
  a.source = 2;
  Copy_Safety_Factors(&a, &b);
  EXPECT_EQ(b.source, 2);
  EXPECT_EQ(Compare_Safety_Factors(&a, &b), 1);
  b.source = 0;
  EXPECT_EQ(Compare_Safety_Factors(&a, &b), 1);  // the source is not compared
  b.gamma_M_fi += 0.02;
  EXPECT_EQ(Compare_Safety_Factors(&a, &b), 0);
  a.gamma_M0 = 0.0;  // equal within 0.01, the boundary included
  for (double d : {0.01, 0.0101}) {
    b = a;
    b.gamma_M0 = d;
    EXPECT_EQ(Compare_Safety_Factors(&a, &b), d <= 0.01) << d;
  }
  Copy_Safety_Factors(&a, &b);
  b.standardised = 1;
  EXPECT_EQ(Compare_Safety_Factors(&a, &b), 0);
  Copy_Safety_Factors(nullptr, &b);
  EXPECT_DOUBLE_EQ(b.gamma_M0, 0.0);
}

TEST_F(SafetyFactors, DataFileRoundTripAndVersions) {
  SAFETY_FACTORS a = Standardised(1.0);
  FILE *f = std::tmpfile();
  ASSERT_EQ(Write_Safety_Factors(f, &a), 0);
  EXPECT_EQ(File_Text(f),
            " 2\n 1\n 1.000000 1.010000 1.020000 1.030000 1.040000 1.050000 1.060000 1.070000 1.080000 1.090000 "
            "1.100000\n");
  std::rewind(f);
  SAFETY_FACTORS b;
  Reset_Safety_Factors(&b);
  ASSERT_EQ(Read_Safety_Factors(f, &b), 0);
  EXPECT_EQ(Compare_Safety_Factors(&a, &b), 1);
  std::fclose(f);

  // Version 0: nine factors; gamma_M,ser and gamma_M,fi stay as they were.
  SAFETY_FACTORS c = Filled(3.0);
  ASSERT_EQ(Read_Text(" 0\n 0\n 1 1 1.25 1.25 1 1 1 1.1 1.1\n", &c), 0);
  EXPECT_THAT((V{c.gamma_M3_ser, c.gamma_M_ser, c.gamma_M_fi}), Pointwise(DoubleEq(), V{1.1, 3.09, 3.10}));
  ASSERT_EQ(Read_Text(" 1\n 0\n 1 1 1.25 1.25 1 1 1 1.1 1.1 1.05\n", &c), 0);
  EXPECT_THAT((V{c.gamma_M_ser, c.gamma_M_fi}), Pointwise(DoubleEq(), V{1.05, 3.10}));

  // Newer: fails, message outside refresh mode only.
  EXPECT_EQ(Read_Text(" 3\n 0\n 1 1 1 1 1 1 1 1 1 1 1\n", &c), 1);
  EXPECT_EQ(Host_Messages().size(), 1u);
  Set_Refresh_Mode(1);
  EXPECT_EQ(Read_Text(" 3\n", &c), 1);
  EXPECT_EQ(Host_Messages().size(), 1u);
}

TEST_F(SafetyFactors, TruncatedAtEveryByteFails) {
  SAFETY_FACTORS a = Filled(1.0);
  FILE *f = std::tmpfile();
  ASSERT_EQ(Write_Safety_Factors(f, &a), 0);
  const std::string text = File_Text(f);
  std::fclose(f);
  const size_t last = text.rfind(' ');  // cut before the last number is complete
  for (size_t cut = 0; cut <= last + 1; ++cut) {
    SAFETY_FACTORS b = Filled(9.0);
    EXPECT_EQ(Read_Text(text.substr(0, cut), &b), 1) << cut;
    EXPECT_DOUBLE_EQ(b.gamma_M_fi, 9.10) << cut;
  }
  SAFETY_FACTORS b = Filled(9.0);
  EXPECT_EQ(Read_Text(" 2\n 1\n 1.5 x\n", &b), 1);
  EXPECT_THAT((V{double(b.standardised), b.gamma_M0, b.gamma_M1}), Pointwise(DoubleEq(), V{1, 1.5, 9.01}));
}

// The factor lines by mask (0 all, 0x804 gamma_M0 and gamma_M,fi, 0x1000 gamma_M5 alone,
// 0x8 gamma_M1); user values start with their own heading; null records or streams print
// nothing.
TEST_F(SafetyFactors, PrintedLinesByMask) {
  const struct {
    int mask, standardised;
    const char *lines[10];
  } cases[] = {
      {0x804, 1,
       {"Beanspruchbarkeit von Querschnitten └╬\\M0╬r = 1.00"_cp,
        "Beanspruchbarkeit von Bauteilen im Brandfall └╬\\M,fi╬r = 1.10"_cp}},
      {0, 1,
       {"Beanspruchbarkeit von Querschnitten └╬\\M0╬r = 1.00"_cp,
        "Beanspruchbarkeit von Bauteilen bei Stabilitätsversagen └╬\\M1╬r = 1.01"_cp,
        "Beanspruchbarkeit von Schrauben, Schweißnähten, Blechen auf Lochleibung └╬\\M2╬r = 1.02"_cp,
        "Gleitfestigkeit (Kategorie C) └╬\\M3╬r = 1.03"_cp,
        "Gleitfestigkeit im GZG (Kategorie B) └╬\\M3,ser╬r = 1.08"_cp,
        "Lochleibungsbeanspruchbarkeit von Injektionsschrauben └╬\\M4╬r = 1.04"_cp,
        "Beanspruchbarkeit von Bolzen im GZG └╬\\M6,ser╬r = 1.06"_cp,
        "Vorspannung hochfester Schrauben └╬\\M7╬r = 1.07"_cp, "Gebrauchstauglichkeit └╬\\M,ser╬r = 1.09"_cp,
        "Beanspruchbarkeit von Bauteilen im Brandfall └╬\\M,fi╬r = 1.10"_cp}},
      {0x1000, 1, {"Beanspruchbarkeit von Hohlprofilverbindungen └╬\\M5╬r = 1.05"_cp}},
      {0x8, 0,
       {"╬SSicherheitsbeiwerte unabhängig von den Vorgaben des Eurocodes"_cp,
        "Beanspruchbarkeit von Bauteilen bei Stabilitätsversagen └╬\\M1╬r = 1.01"_cp}},
  };
  for (const auto &c : cases) {
    PrintCapture cap;
    SAFETY_FACTORS sf = Standardised(1.0);
    sf.standardised = c.standardised;
    Print_Safety_Factors(&sf, cap.stream(), c.mask);
    Print_Safety_Factors(nullptr, cap.stream(), 0);
    Print_Safety_Factors(&sf, nullptr, 0);
    std::vector<std::string> want;
    for (const char *l : c.lines)
      if (l) want.push_back(l);
    EXPECT_EQ(cap.Lines(), want) << "mask " << c.mask;
  }
}

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
    m.family = c.family, m.grade = c.grade, m.user_values = c.user, m.fy_40 = 300, m.fu_40 = 420;
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
