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
  values.values.W_lower = 600e-6f;  // each fibre by its own modulus
  ASSERT_EQ(1, Calc_Querschnitt_Stresses(1, -200, 100, 10, &values, out, 2, 0, 0));
  EXPECT_NEAR(-200 / 53.81e-1 - 100 / 0.6, out[0], 1e-3);
  EXPECT_NEAR(142.333, out[1], 1e-3);
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

namespace {

// The hook of the text tests: the record of the variant g_variant for the text asked.
int g_variant = 0;
int Text_Hook(void *object, void *out_1, void *out_2, void *) {
  if (!object) return 0;
  CHECK_TEXT_RECORD &r = *static_cast<CHECK_TEXT_RECORD *>(out_1);
  const int which = *static_cast<int32_t *>(out_2), v = g_variant;
  r.kind = v == 0 ? 1 : v == 1 ? 2 : 0;
  std::snprintf(r.name, sizeof r.name, "%s", v == 2 ? "-IPE300" : "HE200B");
  std::snprintf(r.title, sizeof r.title, "%s", "Stütze"_cp);
  std::snprintf(r.grade, sizeof r.grade, "%s", v == 1 ? "EN AW-6082 T6" : "S 235");
  std::snprintf(r.axis_1, sizeof r.axis_1, "y"), std::snprintf(r.axis_2, sizeof r.axis_2, "z");
  r.section = which == CHECK_TEXT_HEAD ? v : 0, r.type = 7, r.turned = v == 2;
  r.dims_form = v >= 5 ? v - 4 : v * 2 + 1;  // the head's variants 5 to 8: forms 1 to 4
  r.spatial = v != 2, r.A = 78.1, r.W_o = 570.0, r.W_u = 569.6, r.I_m = 5696, r.I_n = 2003, r.I_mn = 0.5;
  r.I_1 = 5696, r.I_2 = 2003, r.angle = 90, r.I_T = 59.28, r.I_w = 171100;
  const double dims[6] = {20, 0.9, 20, 1.5, 18, 1.4};
  std::copy(dims, dims + 6, r.dims);
  r.t_max = 15, r.d = 15, r.fire = v == 0, r.T_fi = 550, r.f_yk = 235, r.k_y_fi = 0.625;
  r.interaction = v + 1, r.inter[0] = 78.1, r.inter[1] = 18.5, r.inter[2] = 0.9, r.inter[3] = 642.5;
  r.shape_factors = 2 - v, r.alpha_pl[0] = 1.14, r.alpha_pl[1] = 1.51, r.section_form = v + 1;
  r.form[0] = 20, r.form[1] = 0.8;
  r.plastic = v + 1, r.interaction_no = 1, r.gamma_M = 1.1, r.sigma_Sd = 213.6, r.tol = v == 1 ? 0.001 : 0;
  r.limit = v, r.limit_factor[0] = 0.95, r.limit_factor[1] = 0.9, r.redistribution = 1, r.parts[2][0] = 400;
  r.C_Al = 1.2, r.check_bits = v == 0 ? 0x1c : v == 1 ? 0x8 : 0, r.local_element = 747 + v;
  r.buckling[0] = 1, r.buckling[1] = v != 1, r.beta[0] = 0.7, r.L[0] = 500, r.beta[1] = 1, r.L[1] = 300;
  std::snprintf(r.buckling_axis, sizeof r.buckling_axis, "%s", v == 2 ? "y" : "");
  return 1;
}

}  // namespace

// Each text routine in three variants (Eurocode steel, aluminium, DIN; the head in each
// section form) byte-exact; without
// a stream or a record nothing.
TEST_F(ChecksTest, CheckTextsGolden) {
  int object = 0;
  void (*const routines[5])(void *) = {Print_Querschnitt_Kopf, Print_Material_Kopf, Print_Material_Kopf_Short,
                                      Print_Querschnitt_Nachweis, Print_Elastic_Nachweis};
  const char *names[5] = {"text_head.oli", "text_material.oli", "text_material_short.oli", "text_nachweis.oli",
                          "text_elastic.oli"};
  PrintCapture quiet;
  for (auto routine : routines) routine(&object);  // neither stream nor hook
  Set_Check_Querschnitt_Stream(quiet.stream());
  for (auto routine : routines) routine(&object);  // no hook
  Set_Check_Hook(Text_Hook);
  Set_Check_Querschnitt_Stream(nullptr);
  for (auto routine : routines) routine(&object);  // no stream
  EXPECT_EQ("", quiet.Raw());
  for (int i = 0; i < 5; ++i) {
    PrintCapture cap;
    Set_Check_Querschnitt_Stream(cap.stream());
    routines[i](nullptr);  // the hook has nothing for it
    for (g_variant = 0; g_variant < (i ? 3 : 9); ++g_variant) routines[i](&object);
    Oli_End_Text(cap.stream());
    Expect_Golden(names[i], cap.Raw());
  }
  Set_Check_Querschnitt_Stream(nullptr);
  Set_Check_Hook(nullptr);
}
