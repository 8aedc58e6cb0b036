#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "materials/materials.h"

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
  Reset_Materials_For_Tests();
}
