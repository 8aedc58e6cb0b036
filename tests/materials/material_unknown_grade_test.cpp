// A grade that its family's table does not hold gives no strengths: it is reported like a
// missing table strength, and the record keeps its grade and stored ranges.
#include <gtest/gtest.h>

#include <string>

#include "host/host.h"
#include "materials/materials.h"
#include "tests/materials/capture.h"

// Each family at its last row and one beyond (family 1 maps the separator place 11 to 10),
// checked directly and after a data-file read, which writes the record back unchanged.
TEST(MaterialUnknownGrade, NoStrengthsCheckedAndRead) {
  Host_Reset();
  Reset_Materials_For_Tests();
  const char *yield = "Streckgrenze f╬\\y╬r = 0.0 N/mm² < 1 N/mm²  nicht ok !!"_cp;
  const char *proof = "0,2%-Dehngrenze f╬\\o╬r = 0.0 N/mm² < 1 N/mm²  nicht ok !!"_cp;
  struct Case { int family, grade; double fy; const char *line; } cases[] = {
      {0, 30, 450, nullptr}, {0, 31, 0, yield},  {1, 11, 420, nullptr},  // place 10: S420 M/ML
      {1, 12, 0, yield},     {2, 96, 260, nullptr}, {2, 97, 0, proof}, {2, 0x8005, 0, proof},  // no user alloy
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "family " << c.family << " grade " << c.grade);
    MATERIAL m, r;
    Init_Material_Data(&m);  // S235: fy 235
    Init_Material_Data(&r);
    m.family = r.family = c.family;
    m.grade = c.grade;
    FILE *f = std::tmpfile();
    ASSERT_EQ(0, Write_Material_Data(f, &m));
    const std::string text = File_Text(f);
    std::fclose(f);
    PrintCapture cap;
    EXPECT_EQ(c.line ? 1 : 0, Check_Material_Strength(&m, 10, cap.stream(), 0, nullptr));
    FILE *in = Data_File(text);
    EXPECT_EQ(0, Read_Material_Data(in, &r));
    std::fclose(in);
    EXPECT_EQ(std::make_pair(c.fy, c.fy), std::make_pair(m.fy, r.fy));
    ASSERT_EQ(c.line ? 1u : 0u, cap.Lines().size());
    if (!c.line) continue;
    EXPECT_EQ(c.line, cap.Lines()[0]);
    EXPECT_EQ(std::make_tuple(0.0, 235.0, c.grade, c.grade), std::make_tuple(m.fu, m.fy_40, m.grade, r.grade));
    FILE *out = std::tmpfile();
    ASSERT_EQ(0, Write_Material_Data(out, &r));
    EXPECT_TRUE(c.family == 2 || text == File_Text(out)) << "written back";  // aluminium: E 70000
    std::fclose(out);
  }
}
