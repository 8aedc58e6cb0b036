// Buckling curves of EN 1993-1-1 Table 6.2, the check-data record, the module state of the
// checks, the option words and the kept results.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "checks/checks.h"
#include "materials/materials.h"

// EN 1993-1-1 Table 6.2, every row and both axes, ordinary grades and S460 (codes 12, 13).
TEST(BucklingCurve, Table62) {
  enum { none = -1, a0, a, b, c, d };
  struct Case {
    int kind;
    double h_b, t;
    int rolled;
    int y, z, y460, z460;
  } cases[] = {
      {1, 2.0, 40.0005, 1, a, b, a0, a0},      // rolled I, h/b > 1.2, t <= 40
      {1, 1.2015, 20, 1, a, b, a0, a0},
      {1, 2.0, 40.002, 1, b, c, a, a},         // 40 < t <= 100
      {1, 2.0, 100.0005, 1, b, c, a, a},
      {1, 2.0, 100.002, 1, none, none, none, none},
      {1, 1.2005, 20, 1, b, c, a, a},          // h/b <= 1.2, t <= 100
      {1, 1.0, 100.002, 1, d, d, c, c},        // t > 100
      {1, 2.0, 40.0005, 0, b, c, b, c},        // welded I
      {1, 2.0, 40.002, 0, c, d, c, d},
      {13, 2.0, 20, 1, b, c, b, c},            // unequal flanges: welded
      {2, 2.0, 20, 1, c, c, c, c},             // T rolled
      {2, 2.0, 50, 0, c, d, c, d},             // T welded as welded I
      {3, 2.0, 20, 1, c, c, c, c},  {4, 1, 20, 0, c, c, c, c},   {7, 1, 20, 1, c, c, c, c},
      {11, 1, 20, 1, c, c, c, c},   {12, 1, 20, 0, c, c, c, c},  {5, 1, 20, 1, b, b, b, b},
      {6, 1, 20, 1, c, c, c, c},    {6, 1, 20, 0, none, none, none, none},  {8, 1, 20, 1, none, none, none, none},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(::testing::Message() << "kind " << k.kind << " h/b " << k.h_b << " t " << k.t << " rolled "
                                      << k.rolled);
    EXPECT_EQ(k.y, Choose_Buckling_Curve(0, 0x10000 | 5, k.kind, k.h_b, k.t, k.rolled));
    EXPECT_EQ(k.z, Choose_Buckling_Curve(1, 5, k.kind, k.h_b, k.t, k.rolled));
    EXPECT_EQ(k.y460, Choose_Buckling_Curve(0, 0x10000 | 12, k.kind, k.h_b, k.t, k.rolled));
    EXPECT_EQ(k.z460, Choose_Buckling_Curve(2, 13, k.kind, k.h_b, k.t, k.rolled));
  }
}

namespace {
CHECK_TEMPLATE g_tmpl{7, 0, 3};
CHECK_TEMPLATE g_negative{8, 0, -5};
const CHECK_TEMPLATE *Template_Of(int type) {
  return type == 7 ? &g_tmpl : type == 8 ? &g_negative : nullptr;
}
}  // namespace

// The block holds the doubles, then the integers and the template's integers, all 0.
TEST(CheckData, BlockLayoutTemplatesAndNulls) {
  struct Case {
    int type, n, m;
    CHECK_TEMPLATE_FN fn;
    int n_out, m_out, extra;
  } cases[] = {{7, 4, 2, Template_Of, 4, 2, 3}, {8, -1, 3, Template_Of, 0, 3, 0}, {9, 2, -4, nullptr, 2, 0, 0}};
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "type " << c.type << " n " << c.n << " m " << c.m);
    CHECK_DATA *d = New_Check_Data(c.type, c.n, c.m, c.fn);
    ASSERT_NE(nullptr, d);
    EXPECT_EQ(c.n_out, d->n_doubles);
    EXPECT_EQ(c.m_out, d->n_ints);
    EXPECT_EQ(reinterpret_cast<char *>(d->block + c.n_out), reinterpret_cast<char *>(d->ints));
    EXPECT_EQ(d->ints + c.m_out, d->template_ints);
    for (int i = 0; i < c.n_out; ++i) EXPECT_EQ(0.0, d->block[i]);
    for (int i = 0; i < c.m_out + c.extra; ++i) EXPECT_EQ(0, d->ints[i]);  // ASan: all inside the block
    const CHECK_OBJECT obj{0, d};
    EXPECT_EQ(c.fn ? c.fn(c.type) : nullptr, Get_Check_Data_Template(&obj));
    EXPECT_EQ(c.type, Get_Check_Data_Type(&obj));
    Free_Check_Data(d);
  }
  const CHECK_OBJECT empty{3, nullptr};
  EXPECT_EQ(nullptr, Get_Check_Data(nullptr));
  EXPECT_EQ(0, Get_Check_Data_Type(&empty));
}

TEST(CheckOptions, StateGradeCodesAndOptionWords) {
  Reset_Checks_For_Tests();
  EXPECT_EQ(7, Resolve_Check_Standard(12, 1));
  EXPECT_EQ(4, Resolve_Check_Standard(12, 0));
  EXPECT_EQ(1, Resolve_Check_Standard(5, 1));
  Set_Check_Standard(2);
  EXPECT_EQ(2, Resolve_Check_Standard(12, 1));
  Set_Alu_Interaction_C(0);
  EXPECT_EQ(1.2, Get_Alu_Interaction_C());
  Reset_Checks_For_Tests();

  const uint32_t k1 = 0x50001, k2 = 2, k0 = 0;
  EXPECT_EQ(0x10007u, Make_Stguete_Code(nullptr, 7));
  EXPECT_EQ(0x10007u, Make_Stguete_Code(&k1, 7));
  EXPECT_EQ(7u, Make_Stguete_Code(&k2, 7));
  EXPECT_EQ(7u, Make_Stguete_Code(&k0, 7));

  // 131074.1 holds 2 in both halves: the high half for kinds 1, 2, the low for others.
  const float w[4] = {131074.1f, 65536.0f * 3 + 1, -65536.0f * 2, 5.9f};
  const CHECK_OPTIONS hi = Decode_Check_Options(w, 0x10001), al = Decode_Check_Options(w, 2),
                      lo = Decode_Check_Options(w, 3);
  EXPECT_EQ((std::vector<int>{2, 3, -2, 0}), (std::vector<int>{hi.a, hi.b, hi.c, hi.d}));
  EXPECT_EQ(3, al.b);
  EXPECT_EQ((std::vector<int>{2, 1, 0, 5}), (std::vector<int>{lo.a, lo.b, lo.c, lo.d}));
  for (int v : {0, 1, 2, 100, 255, 256, 0x300, 0x1000, 0x2000}) {
    float f[4] = {-1, 0, 0, 0};
    ASSERT_EQ(0, Encode_Check_Option_Word(v, &f[0])) << v;
    EXPECT_EQ(v, Decode_Check_Options(f, 1).a) << v;
    EXPECT_EQ(v, Decode_Check_Options(f, 0).a) << v;
  }
  for (int v : {257, 0x3001, -1}) {
    float f = -1;
    EXPECT_EQ(1, Encode_Check_Option_Word(v, &f)) << v;
    EXPECT_EQ(-1.0f, f);
  }
}

namespace {
int g_freed_plo = 0, g_freed_tsv = 0;
void Free_Plo(PLO_POINT_LIST *p) { ++g_freed_plo, std::free(p); }
void Free_Tsv(TSV_EX_LINE_LIST *p) { ++g_freed_tsv, std::free(p); }
}  // namespace

TEST(CheckOptions, KeptPairIsFreedOnceThroughTheOwner) {
  Reset_Checks_For_Tests();
  EXPECT_EQ(nullptr, Get_Check_Kept_Results());  // keep switch off
  Set_Check_Keep_Results(1);
  CHECK_KEPT_RESULTS *k = Get_Check_Kept_Results();
  ASSERT_NE(nullptr, k);
  int stack_a = 0;  // without free functions the pair only forgets
  k->limit_strain = reinterpret_cast<PLO_POINT_LIST *>(&stack_a);
  Clear_Check_Kept_Results();
  EXPECT_EQ(nullptr, k->limit_strain);
  Set_Check_Kept_Free(Free_Plo, Free_Tsv);
  k->limit_strain = static_cast<PLO_POINT_LIST *>(std::malloc(16));
  k->line_section = static_cast<TSV_EX_LINE_LIST *>(std::malloc(16));
  Clear_Check_Kept_Results();
  Clear_Check_Kept_Results();
  EXPECT_EQ(1, g_freed_plo);
  EXPECT_EQ(1, g_freed_tsv);  // LeakSanitizer: both blocks given back once
  Reset_Checks_For_Tests();
}
