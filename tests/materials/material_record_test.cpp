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

TEST_F(MaterialRecord, ResetAndInit) {
  MATERIAL m;
  std::memset(&m, 0x5A, sizeof m);
  m.family = 2;
  Reset_Material_Data(&m);
  EXPECT_EQ(m.family, 0);
  EXPECT_EQ(m.grade, 0);
  EXPECT_EQ(std::string(m.name), std::string(25, ' '));
  EXPECT_DOUBLE_EQ(m.E, 210000.0);
  EXPECT_DOUBLE_EQ(m.G, 80769.23076923077);
  EXPECT_DOUBLE_EQ(m.betaw, 0.8);
  EXPECT_DOUBLE_EQ(m.alphaT, 1.2);
  EXPECT_DOUBLE_EQ(m.fy, 0.0);
  Reset_Material_Data(nullptr);

  Init_Material_Data(&m);
  EXPECT_DOUBLE_EQ(m.fy_40, 235.0);
  EXPECT_DOUBLE_EQ(m.fu_40, 360.0);
  EXPECT_DOUBLE_EQ(m.fy_80, 215.0);
  EXPECT_DOUBLE_EQ(m.fy_inf, 215.0);
  EXPECT_DOUBLE_EQ(m.fu_inf, 360.0);
  EXPECT_DOUBLE_EQ(m.fy, 235.0);
  EXPECT_DOUBLE_EQ(m.fu, 360.0);
  EXPECT_DOUBLE_EQ(m.betaw, 0.8);
}

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
  EXPECT_EQ(Compare_Material_Data(&a, nullptr), 0);
  Copy_Material_Data(nullptr, &b);
  EXPECT_DOUBLE_EQ(b.E, 210000.0);

  MATERIAL u = User(0, 300, 400), c;
  u.fy_80 = 280;
  u.fy_inf = 260;
  Copy_Material_for_Thickness(&u, &c, 40.0005);
  EXPECT_DOUBLE_EQ(c.fy, 300.0);
  Copy_Material_for_Thickness(&u, &c, 40.002);
  EXPECT_DOUBLE_EQ(c.fy, 280.0);
  Copy_Material_for_Thickness(&u, &c, 80.002);
  EXPECT_DOUBLE_EQ(c.fy, 260.0);
}

TEST_F(MaterialRecord, EurocodeListInvariantsAndNames) {
  for (int row = 0; row < EC_GRADE_LIST_COUNT; ++row) {
    const STEEL_GRADE_LIST *r = Get_EC_Grade_List_Row(row);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(std::strlen(r->name), 15u);
    EXPECT_GE(r->fu_40, r->fy_40) << row;
    EXPECT_LE(r->fy_80, r->fy_40) << row;
    EXPECT_GE(r->fu_80, r->fy_80) << row;
  }
  EXPECT_EQ(Get_EC_Grade_List_Row(31), nullptr);
  EXPECT_STREQ(Get_EC_Grade_Name(0, 14), "S460 Q/QL/QL1");
  EXPECT_STREQ(Get_EC_Grade_Name(0, 26), "");
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

TEST_F(MaterialRecord, TableValuesByThickness) {
  MATERIAL m = Table(0, 2);
  EXPECT_EQ(Check_Material_Strength(&m, 40.0005, nullptr, 0, nullptr), 0);
  EXPECT_DOUBLE_EQ(m.fy, 355.0);
  EXPECT_DOUBLE_EQ(m.fu, 490.0);
  EXPECT_DOUBLE_EQ(m.betaw, 0.9);
  EXPECT_EQ(m.grade_copy, 2);
  Check_Material_Strength(&m, 40.002, nullptr, 0, nullptr);
  EXPECT_DOUBLE_EQ(m.fy, 335.0);
  EXPECT_DOUBLE_EQ(m.fu, 470.0);
  // Above 80 mm the table gives the 40-80 pair and the box asks to check the values.
  Check_Material_Strength(&m, 80.2, nullptr, 1, "Pos 1: ");
  EXPECT_DOUBLE_EQ(m.fy, 335.0);
  ASSERT_EQ(Boxes(), 1u);
  EXPECT_EQ(Host_Messages()[0].text,
            std::string("Pos 1: Stahldicke t = 80.2 mm > 80 mm: Materialparameter \x81" "berpr\x81" "fen (ggf. vorgeben)"));
  // No box without show, none at 80.05.
  Check_Material_Strength(&m, 80.05, nullptr, 1, nullptr);
  Check_Material_Strength(&m, 95, nullptr, 0, nullptr);
  EXPECT_EQ(Boxes(), 1u);
}

TEST_F(MaterialRecord, UserValuesRanges) {
  MATERIAL m = User(0, 300, 400);
  m.fy_80 = 280;
  m.fy_inf = 260;
  Check_Material_Strength(&m, 80.05, nullptr, 1, nullptr);
  EXPECT_DOUBLE_EQ(m.fy, 280.0);  // t taken as 80
  Check_Material_Strength(&m, 80.2, nullptr, 1, nullptr);
  EXPECT_DOUBLE_EQ(m.fy, 260.0);
  EXPECT_EQ(Boxes(), 0u);  // the box is for table values only
  // Families 1 and 2 never reach the third range.
  m.family = 1;
  Check_Material_Strength(&m, 120, nullptr, 1, nullptr);
  EXPECT_DOUBLE_EQ(m.fy, 280.0);
  // Grades above 25 take the first pair at any thickness.
  m.family = 0;
  m.grade = 27;
  Check_Material_Strength(&m, 60, nullptr, 0, nullptr);
  EXPECT_DOUBLE_EQ(m.fy, 300.0);
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

TEST_F(MaterialRecord, StainlessRowsSinglePair) {
  for (int grade = 26; grade <= 30; ++grade) {
    MATERIAL m = Table(0, grade);
    EXPECT_EQ(Check_Material_Strength(&m, 60, nullptr, 0, nullptr), 0) << grade;
    const STEEL_GRADE_LIST *r = Get_EC_Grade_List_Row(grade);
    EXPECT_DOUBLE_EQ(m.fy, r->fy_40);
    EXPECT_DOUBLE_EQ(m.fu, r->fu_40);
    EXPECT_DOUBLE_EQ(m.fy_inf, r->fy_40);
    EXPECT_DOUBLE_EQ(m.betaw, 1.0);
    EXPECT_DOUBLE_EQ(m.E, 210000.0);
    EXPECT_DOUBLE_EQ(m.alphaT, 1.2);
  }
}

TEST_F(MaterialRecord, NegativeGradeReplaced) {
  MATERIAL m = Table(0, -3);
  EXPECT_EQ(Check_Material_Strength(&m, 10, nullptr, 0, nullptr), 1);
  EXPECT_EQ(m.grade, 0);
  EXPECT_DOUBLE_EQ(m.fy, 235.0);
  m = Table(1, -1);
  EXPECT_EQ(Check_Material_Strength(&m, 10, nullptr, 0, nullptr), 1);
  EXPECT_EQ(m.grade, 0);
  EXPECT_EQ(Check_Material_Strength(nullptr, 10, nullptr, 0, nullptr), 0);
}

TEST_F(MaterialRecord, NationalBetawFollowsTheSet) {
  MATERIAL m = Table(0, 6);  // S420 N/NL
  Check_Material_Strength(&m, 10, nullptr, 0, nullptr);
  EXPECT_DOUBLE_EQ(m.betaw, 1.0);
  ASSERT_EQ(Set_Active_NAD("Deutschland"), 1);
  Check_Material_Strength(&m, 10, nullptr, 0, nullptr);
  EXPECT_DOUBLE_EQ(m.betaw, 0.88);
  m.grade = 25;  // S460 MH/MLH
  Check_Material_Strength(&m, 10, nullptr, 0, nullptr);
  EXPECT_DOUBLE_EQ(m.betaw, 0.85);
  m.grade = 2;
  Check_Material_Strength(&m, 10, nullptr, 0, nullptr);
  EXPECT_DOUBLE_EQ(m.betaw, 0.9);
  Clear_Active_NAD();
  m.grade = 6;
  Check_Material_Strength(&m, 10, nullptr, 0, nullptr);
  EXPECT_DOUBLE_EQ(m.betaw, 1.0);
}

TEST_F(MaterialRecord, DinFamilyFromGradeTable) {
  MATERIAL m = Table(1, 0);  // S235 (St37), DIN values
  EXPECT_EQ(Check_Material_Strength(&m, 10, nullptr, 0, nullptr), 0);
  EXPECT_DOUBLE_EQ(m.fy, 240.0);
  EXPECT_DOUBLE_EQ(m.fy_40, 240.0);
  EXPECT_DOUBLE_EQ(m.fy_80, 215.0);
  EXPECT_DOUBLE_EQ(m.fy_inf, 215.0);
  EXPECT_DOUBLE_EQ(m.fu, 360.0);
  EXPECT_DOUBLE_EQ(m.betaw, 0.95);
  // Both boundary sides agree with the grade table.
  Check_Material_Strength(&m, 40.0005, nullptr, 0, nullptr);
  EXPECT_DOUBLE_EQ(m.fy, Get_Stguete_fy(5, 40.0005));
  EXPECT_DOUBLE_EQ(m.fy, 240.0);
  Check_Material_Strength(&m, 40.002, nullptr, 0, nullptr);
  EXPECT_DOUBLE_EQ(m.fy, 215.0);
  // Separator places move to the place before; place 6 is S420 N/NL.
  m.grade = 7;
  Check_Material_Strength(&m, 10, nullptr, 0, nullptr);
  EXPECT_EQ(m.grade, 6);
  EXPECT_DOUBLE_EQ(m.fy, 420.0);
  EXPECT_DOUBLE_EQ(m.fu, 520.0);
  m.grade = 10;  // S420 M/ML
  Check_Material_Strength(&m, 120, nullptr, 0, nullptr);
  EXPECT_DOUBLE_EQ(m.fy, 390.0);
  EXPECT_DOUBLE_EQ(m.G, 210000.0 / 2.6);
}

TEST_F(MaterialRecord, AluminiumFromAlloyTable) {
  MATERIAL m = Table(2, 37);
  EXPECT_EQ(Check_Material_Strength(&m, 10, nullptr, 0, nullptr), 0);
  EXPECT_DOUBLE_EQ(m.fy, 240.0);
  EXPECT_DOUBLE_EQ(m.fu_inf, 290.0);
  EXPECT_DOUBLE_EQ(m.E, 70000.0);
  EXPECT_NEAR(m.G, 26923.076923076922, 1e-9);
  EXPECT_DOUBLE_EQ(m.betaw, 0.0);
  EXPECT_DOUBLE_EQ(m.alphaT, 2.3);
  Reset_Material_Data(&m);
  EXPECT_EQ(m.family, 0);
  EXPECT_DOUBLE_EQ(m.E, 210000.0);
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
  EXPECT_EQ(Read_Material_Data(nullptr, &r), 1);
  EXPECT_EQ(Write_Material_Data(nullptr, &r), 1);
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

TEST_F(MaterialRecord, PlateReset) {
  PLATE p;
  std::memset(&p, 0x33, sizeof p);
  Reset_Plate_Data(&p);
  EXPECT_DOUBLE_EQ(p.t, 0.0);
  EXPECT_DOUBLE_EQ(p.b, 0.0);
  EXPECT_DOUBLE_EQ(p.l, 0.0);
  EXPECT_DOUBLE_EQ(p.material.E, 210000.0);
  EXPECT_EQ(p.material.family, 0);
  Reset_Plate_Data(nullptr);
}
