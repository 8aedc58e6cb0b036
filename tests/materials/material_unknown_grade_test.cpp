// A grade that its family's table does not hold gives no strengths: it is reported like a
// missing table strength, and the record keeps its grade and stored ranges.
#include <gtest/gtest.h>

#include <string>

#include "host/host.h"
#include "materials/materials.h"
#include "tests/materials/capture.h"

// Each family at its last row and one beyond (family 1 maps the separator place 11 to 10).
TEST(MaterialUnknownGrade, CheckedDirectly) {
  Host_Reset();
  Reset_Materials_For_Tests();
  struct Case { int family, grade; double fy; const char *line; } cases[] = {
      {0, 30, 450, nullptr},
      {0, 31, 0, "Streckgrenze f╬\\y╬r = 0.0 N/mm² < 1 N/mm²  nicht ok !!"_cp},
      {1, 11, 420, nullptr},  // place 10: S420 M/ML
      {1, 12, 0, "Streckgrenze f╬\\y╬r = 0.0 N/mm² < 1 N/mm²  nicht ok !!"_cp},
      {2, 96, 260, nullptr},  // the last built-in row
      {2, 97, 0, "0,2%-Dehngrenze f╬\\o╬r = 0.0 N/mm² < 1 N/mm²  nicht ok !!"_cp},
      {2, 0x8005, 0, "0,2%-Dehngrenze f╬\\o╬r = 0.0 N/mm² < 1 N/mm²  nicht ok !!"_cp},  // no such user alloy
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "family " << c.family << " grade " << c.grade);
    MATERIAL m;
    Init_Material_Data(&m);  // S235: fy 235
    m.family = c.family;
    m.grade = c.grade;
    PrintCapture cap;
    EXPECT_EQ(c.line ? 1 : 0, Check_Material_Strength(&m, 10, cap.stream(), 0, nullptr));
    EXPECT_DOUBLE_EQ(c.fy, m.fy);
    ASSERT_EQ(c.line ? 1u : 0u, cap.Lines().size());
    if (!c.line) continue;
    EXPECT_EQ(c.line, cap.Lines()[0]);
    EXPECT_DOUBLE_EQ(0.0, m.fu);
    EXPECT_EQ(c.grade, m.grade);
    EXPECT_DOUBLE_EQ(235.0, m.fy_40);
  }
}

// A data-file record of grade 99 with table values: read, it has no strengths; written
// again, it gives the same text.
TEST(MaterialUnknownGrade, ReadAndWrittenBack) {
  for (int family : {0, 1, 2}) {
    SCOPED_TRACE(family);
    MATERIAL m;
    Init_Material_Data(&m);
    m.grade = 99;
    FILE *f = std::tmpfile();
    ASSERT_EQ(0, Write_Material_Data(f, &m));
    const std::string text = File_Text(f);
    std::fclose(f);
    MATERIAL r;
    Init_Material_Data(&r);
    r.family = family;
    FILE *in = Data_File(text);
    EXPECT_EQ(0, Read_Material_Data(in, &r));
    std::fclose(in);
    EXPECT_EQ(99, r.grade);
    EXPECT_DOUBLE_EQ(0.0, r.fy);
    EXPECT_DOUBLE_EQ(0.0, r.fu);
    FILE *out = std::tmpfile();
    ASSERT_EQ(0, Write_Material_Data(out, &r));
    if (family != 2) {
      EXPECT_EQ(text, File_Text(out));  // aluminium has E 70000 of its own
    }
    std::fclose(out);
  }
}
