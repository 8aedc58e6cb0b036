#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "materials/materials.h"

namespace {
struct Telling {
  int row;
  const char *name;
  double t_min, t_max, f0, fu, A, f0_haz, fu_haz, rho0, rhou;
  int class_b;
  double n_p;
};
}  // namespace

TEST(AlgueteTable, TellingRowsExact) {
  const Telling rows[] = {
      {0, "3004 H14", 0, 6, 180, 220, 1, 75, 155, 0.42, 0.7, 1, 23},
      {12, "5005 O/H111", 0, 50, 35, 100, 15, 35, 100, 1.0, 1.0, 1, 5},
      {30, "5083 O/H111 \xF3 50", 0, 50, 125, 275, 11, 125, 275, 1.0, 1.0, 1, 6},
      {37, "6061 T6/T651", 0, 12.5, 240, 290, 6, 115, 175, 0.48, 0.6, 0, 23},
      {45, "7020 T6", 0, 12.5, 280, 350, 7, 205, 280, 0.73, 0.8, 0, 19},
      {57, "6060 T5 \xF3 5", 0, 5, 120, 160, 8, 50, 80, 0.42, 0.5, 1, 17},
      {83, "6082 T6 \xF3 5 (EP,ET)", 0, 5, 250, 290, 8, 125, 185, 0.5, 0.64, 0, 32},
      {94, "5083 H112 (T)", 0, 150, 110, 260, 10, 110, 260, 0, 0, 1, 0},
  };
  for (const Telling &t : rows) {
    const ALU_GRADE *r = Get_Alguete_Record(t.row);
    SCOPED_TRACE(t.row);
    EXPECT_EQ(r->number, t.row);
    EXPECT_STREQ(r->name, t.name);
    EXPECT_DOUBLE_EQ(r->t_min, t.t_min);
    EXPECT_DOUBLE_EQ(r->t_max, t.t_max);
    EXPECT_DOUBLE_EQ(r->f0, t.f0);
    EXPECT_DOUBLE_EQ(r->fu, t.fu);
    EXPECT_DOUBLE_EQ(r->A, t.A);
    EXPECT_DOUBLE_EQ(r->f0_haz, t.f0_haz);
    EXPECT_DOUBLE_EQ(r->fu_haz, t.fu_haz);
    EXPECT_DOUBLE_EQ(r->rho0_haz, t.rho0);
    EXPECT_DOUBLE_EQ(r->rhou_haz, t.rhou);
    EXPECT_EQ(Get_Alguete_Buckling_Class(t.row), t.class_b);
    EXPECT_DOUBLE_EQ(r->n_p, t.n_p);
  }
}

// Every row: proof strength not above the tensile strength, class A or B, constants of
// EN 1999-1-1, and the HAZ factors the ratios of the HAZ strengths (rounded to 0.01).
TEST(AlgueteTable, InvariantsOverAllRows) {
  for (int row = 0; row < ALU_GRADE_COUNT; ++row) {
    const ALU_GRADE *r = Get_Alguete_Record(row);
    SCOPED_TRACE(r->name);
    EXPECT_EQ(r->number, row);
    EXPECT_GT(r->f0, 0.0);
    EXPECT_LE(r->f0, r->fu);
    EXPECT_LT(r->t_min, r->t_max);
    EXPECT_TRUE(std::strcmp(r->buckling_class, "A") == 0 || std::strcmp(r->buckling_class, "B") == 0);
    EXPECT_DOUBLE_EQ(r->E, 70000.0);
    EXPECT_DOUBLE_EQ(r->G, 27000.0);
    EXPECT_DOUBLE_EQ(r->nu, 0.3);
    EXPECT_EQ(std::strncmp(r->name, r->alloy, std::strlen(r->alloy)), 0);
    if (r->rho0_haz > 0.0) {
      // Half a unit of the second decimal, plus rounding noise of the division.
      EXPECT_LE(std::fabs(r->rho0_haz - r->f0_haz / r->f0), 0.005 + 1e-9);
      EXPECT_LE(std::fabs(r->rhou_haz - r->fu_haz / r->fu), 0.005 + 1e-9);
      EXPECT_LE(r->f0_haz, r->f0);
    }
    if (row >= 92) {
      EXPECT_DOUBLE_EQ(r->rho0_haz, 0.0);  // forgings: no HAZ values
    }
  }
}

TEST(AlgueteTable, LastRowAndFallback) {
  EXPECT_STREQ(Get_Alguete_Name(96), "6082 T6 (T)");
  EXPECT_STREQ(Get_Alguete_Name(97), "?????");
  EXPECT_DOUBLE_EQ(Get_Alguete_f0(97), 180.0);
  EXPECT_DOUBLE_EQ(Get_Alguete_fu(97), 220.0);
  EXPECT_DOUBLE_EQ(Get_Alguete_t_min(500), 0.0);
  EXPECT_DOUBLE_EQ(Get_Alguete_t_max(500), 10.0);
  EXPECT_STREQ(Get_Alguete_Alloy(-5000 & 0x7FFF), "?????");
  EXPECT_EQ(Get_Alguete_Buckling_Class(97), 0);
  EXPECT_DOUBLE_EQ(Get_Alguete_Fallback_Row()->alphaT, 2.3e-5);
  double G = 0;
  EXPECT_DOUBLE_EQ(Get_Alguete_E_G(37, &G), 70000.0);
  EXPECT_DOUBLE_EQ(G, 27000.0);
  EXPECT_STREQ(Get_Alguete_Alloy(37), "6061");
  EXPECT_STREQ(Get_Alguete_Temper(37), "T6/T651");
}

TEST(AlgueteUserAlloys, AddReplaceClassAndRemove) {
  Reset_Materials_For_Tests();
  ALU_GRADE row = *Get_Alguete_Record(37);
  row.number = 4;
  row.name = "Meine";
  row.alloy = "6061";
  row.temper = nullptr;
  row.buckling_class = "b";
  const int code = Set_User_Alguete(&row);
  EXPECT_EQ(code, 0x8004);
  EXPECT_EQ(Get_Alguete_Buckling_Class(code), 1);
  EXPECT_STREQ(Get_Alguete_Record(code)->buckling_class, "B");
  EXPECT_STREQ(Get_Alguete_Temper(code), "");
  // Negative 16-bit form of the same code.
  EXPECT_STREQ(Get_Alguete_Name(static_cast<short>(code)), "Meine");

  row.buckling_class = "C";
  row.f0 = 111;
  EXPECT_EQ(Set_User_Alguete(&row), code);
  EXPECT_EQ(Get_User_Alguete_Count(), 1);
  EXPECT_STREQ(Get_Alguete_Record(code)->buckling_class, "A");
  EXPECT_DOUBLE_EQ(Get_Alguete_f0(code), 111.0);

  for (int k = 10; k < 25; ++k) {
    row.number = k;
    ASSERT_EQ(Set_User_Alguete(&row), 0x8000 | k);
  }
  EXPECT_EQ(Get_User_Alguete_Count(), 16);
  EXPECT_EQ(Remove_User_Alguete(code), 1);
  EXPECT_EQ(Remove_User_Alguete(code), 0);
  EXPECT_STREQ(Get_Alguete_Name(code), "?????");
  EXPECT_EQ(Get_User_Alguete_Row(0)->number, 0x8000 | 10);
  EXPECT_EQ(Get_User_Alguete_Row(99), Get_Alguete_Fallback_Row());
  Clear_User_Alguete();
  EXPECT_EQ(Get_User_Alguete_Count(), 0);
  EXPECT_EQ(Set_User_Alguete(nullptr), 0);
  Reset_Materials_For_Tests();
}
