// Kind words of member objects and the extreme-fibre stresses of the check texts.
#include <algorithm>

#include "checks/checks.h"
#include "querschnitt/querschnitt.h"
#include "tests/checks/checks_fixture.h"

// Types 211 to 214 and 261 to 264 with 0 to 3 option words (1, 1, 1): the kind, bit 16 from
// the type or the first word, bits 17 and 18 from the second and third; 214 also marks the
// second word. The check object's record gives the same.
TEST_F(ChecksTest, KindWordsOfMemberTypes) {
  const int32_t on[3] = {1, 1, 1}, off[3] = {0, 0, 0};
  struct Case {
    int32_t type;
    uint32_t kind, own16;  // own16: bit 16 without options
  } cases[] = {{211, 1, 0}, {212, 1, 1}, {213, 1, 1}, {214, 1, 1},
               {261, 2, 0}, {262, 2, 1}, {263, 2, 1}, {264, 2, 1}};
  for (const Case &c : cases)
    for (int count = 0; count <= 3; ++count) {
      SCOPED_TRACE(::testing::Message() << c.type << " with " << count << " words");
      CHECK_MEMBER m{c.type, count, on, nullptr};
      const uint32_t want = c.kind | (c.own16 || count >= 1 ? 1u << 16 : 0) | (count >= 2 ? 1u << 17 : 0) |
                            (count >= 3 ? 1u << 18 : 0);
      EXPECT_EQ(want, Get_Material_Kind_Word(&m));
      EXPECT_EQ((uint64_t(c.type == 214 ? 1u << 16 : 0) << 32) | want, Get_Material_Kind_Pair(&m));
      CHECK_MEMBER zero{c.type, count, off, nullptr};
      EXPECT_EQ(c.kind | (c.own16 ? 1u << 16 : 0), Get_Material_Kind_Word(&zero));
      CHECK_DATA *d = New_Check_Data(c.type, 1, count, nullptr);
      std::copy(on, on + count, d->ints);
      CHECK_OBJECT object{c.type, d};
      EXPECT_EQ(Get_Material_Kind_Pair(&m), Get_Material_Kind_Pair_Of(&object));
      EXPECT_EQ(want, Get_Material_Kind_Word_Of(&object));
      Free_Check_Data(d);
    }
  CHECK_MEMBER other{210, 3, on, nullptr};
  EXPECT_EQ(0u, Get_Material_Kind_Word(&other));
  EXPECT_EQ(0u, Get_Material_Kind_Word(nullptr) | Get_Material_Kind_Word_Of(nullptr));
  // Grade values: aluminium by kind 2, defaults without kind.
  const uint32_t alu = 2, steel = 1;
  double G = 0;
  EXPECT_EQ(235.0, Get_Grade_fy(nullptr, 0, 10));
  EXPECT_EQ(210000.0, Get_Grade_E_G(nullptr, 0, &G));
  EXPECT_EQ(81000.0, G);
  EXPECT_STREQ("?????", Get_Grade_Name(nullptr, 0));
  EXPECT_EQ(Get_Alguete_f0(5), Get_Grade_fy(&alu, 5, 10));
  EXPECT_EQ(Get_Stguete_fy(0x10000, 50), Get_Grade_fy(&steel, 0x10000, 50));
  EXPECT_STREQ(Get_Alguete_Name(5), Get_Grade_Name(&alu, 5));
}

// Extreme-fibre stresses: a section of values only (IPE 300: A 53.81 cm², W 557.1 cm³) and
// the library IPE 300 through its section model under N −200 kN, M_y 100 kNm, M_z 10 kNm.
TEST_F(ChecksTest, QuerschnittStressesAtTheFibres) {
  QS_CHECK_VIEW values{};
  values.header.type = -1;
  values.values.A = 53.81e-4f, values.values.W_lower = -557.1e-6f, values.values.W_upper = 557.1e-6f;
  double out[4] = {1, 1, 1, 1};
  for (int flag : {2, 5, 8}) {
    EXPECT_EQ(1, Calc_Querschnitt_Stresses(1, -200, 100, 10, &values, out, flag, 0, 0));
    EXPECT_NEAR(-216.669, out[0], 1e-3);
    EXPECT_NEAR(142.333, out[1], 1e-3);
  }
  EXPECT_EQ(0, Calc_Querschnitt_Stresses(1, -200, 100, 10, &values, out, 3, 0, 0));
  EXPECT_EQ(0.0, out[0] + out[1] + out[2] + out[3]);
  QUERSCHNITT q{};
  Init_Querschnitt_Record(&q);
  ASSERT_EQ(1, Set_Querschnitt_Profil(&q, 0x10000, 0, "IPE300"));
  ASSERT_EQ(1, Calc_Querschnitt_Values(&q, 0.5, 2));
  for (uint32_t spatial : {0u, 1u}) {
    SCOPED_TRACE(spatial);
    EXPECT_EQ(1, Calc_Querschnitt_Stresses(spatial, -200, 100, 10, &q.view, out, 2, 0, 0));
    EXPECT_NEAR(-216.67, std::min(out[0], out[1]), 0.1);
    EXPECT_NEAR(142.33, std::max(out[0], out[1]), 0.1);
    const double z = spatial ? 10e3 / 80.5 : 0;  // W_el,z 80.5 cm³
    EXPECT_NEAR(-37.17 - z, std::min(out[2], out[3]), 0.1);
    EXPECT_NEAR(-37.17 + z, std::max(out[2], out[3]), 0.1);
  }
  Free_Querschnitt_Record(&q);
}
