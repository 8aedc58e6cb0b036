#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "host/host.h"
#include "materials/materials.h"
#include "support/support.h"

namespace {
constexpr int kEU = STGUETE_EUROPEAN;
}

// Rows of the fire design and of the section solver, European and DIN values.
TEST(StgueteTable, KnownRowsBothTables) {
  Reset_Materials_For_Tests();
  EXPECT_STREQ(Get_Stguete_Name(kEU | 5), "S235");
  EXPECT_STREQ(Get_Stguete_Name(5), "S235 (St37)");
  EXPECT_STREQ(Get_Stguete_Name(7), "S355 (St52)");
  const struct {
    int code;
    double t, fy;
  } fy[] = {{kEU | 5, 40.0, 235}, {kEU | 5, 40.5, 215}, {5, 40.0, 240}, {5, 40.5, 215}, {kEU | 7, 16.0, 355},
            {7, 16.0, 360},      {kEU | 7, 40.0005, 355}, {kEU | 7, 40.002, 335}};
  for (const auto &c : fy) EXPECT_DOUBLE_EQ(Get_Stguete_fy(c.code, c.t), c.fy) << c.code << " " << c.t;
  EXPECT_DOUBLE_EQ(Get_Stguete_Record(kEU | 7)->fu, 490.0);
  // Bolt classes keep fy1 up to 80 mm.
  EXPECT_DOUBLE_EQ(Get_Stguete_fy(kEU | 27, 60.0), 640.0);
  double G = 0;
  EXPECT_DOUBLE_EQ(Get_Stguete_E_G(kEU | 33, &G), 210000.0);
  EXPECT_DOUBLE_EQ(G, 81000.0);
  EXPECT_DOUBLE_EQ(Get_Stguete_E_G(kEU | 33, nullptr), 210000.0);
}

// The checked form keeps the thickness limit's tolerance of 0.001 mm.
TEST(StgueteTable, ThicknessBoundaryTolerance) {
  double out[4];
  ASSERT_EQ(Get_Stguete_fy_Checked(kEU | 7, 40.0005, 0.0, out), 1);
  EXPECT_DOUBLE_EQ(out[0], 355.0);
  ASSERT_EQ(Get_Stguete_fy_Checked(kEU | 7, 40.002, 0.0, out), 1);
  EXPECT_DOUBLE_EQ(out[0], 335.0);
}

// Invariants over every built-in row of both tables.
TEST(StgueteTable, InvariantsOverAllRows) {
  const int din_differs_fy1[] = {0, 1, 2, 3, 4, 5, 7, 10, 11};
  for (int row = 0; row < STGUETE_ROW_COUNT; ++row) {
    for (int high : {kEU, 0}) {
      const STEEL_GRADE *r = Get_Stguete_Record(high | row);
      SCOPED_TRACE(r->name);
      EXPECT_EQ(r->code, row);
      EXPECT_LE(r->fy2, r->fy1);
      EXPECT_GE(r->fu, r->fy1);
      EXPECT_GE(r->t_max, r->t1);
      EXPECT_DOUBLE_EQ(r->E, 210000.0);
      EXPECT_DOUBLE_EQ(r->G, 81000.0);
      EXPECT_DOUBLE_EQ(r->nu, 0.3);
      EXPECT_DOUBLE_EQ(r->alphaT, 1.2e-5);
    }
    const STEEL_GRADE *eu = Get_Stguete_Record(kEU | row);
    const STEEL_GRADE *din = Get_Stguete_Record(row);
    bool marked = false;
    for (int k : din_differs_fy1) marked |= (k == row);
    if (marked) {
      EXPECT_DOUBLE_EQ(din->fy1, eu->fy1 + 5.0) << row;
    } else {
      EXPECT_DOUBLE_EQ(din->fy1, eu->fy1) << row;
    }
    EXPECT_DOUBLE_EQ(din->fy2, eu->fy2);
    EXPECT_DOUBLE_EQ(din->fu, eu->fu);
    EXPECT_DOUBLE_EQ(din->t1, eu->t1);
    EXPECT_DOUBLE_EQ(din->t_max, eu->t_max);
    EXPECT_DOUBLE_EQ(din->alpha_w, eu->alpha_w);
    if (row < 5 || row > 7) {
      EXPECT_STREQ(din->name, eu->name);
    }
  }
}

TEST(StgueteTable, FallbackRowsForUnknownCodes) {
  Reset_Materials_For_Tests();
  EXPECT_STREQ(Get_Stguete_Name(kEU | 44), "?????");
  EXPECT_STREQ(Get_Stguete_Name(0x7FFF), "?????");
  EXPECT_DOUBLE_EQ(Get_Stguete_fy(kEU | 44, 10), 235.0);
  EXPECT_DOUBLE_EQ(Get_Stguete_fy(44, 10), 240.0);
  EXPECT_DOUBLE_EQ(Get_Stguete_fy(44, 41), 215.0);
  EXPECT_EQ(Get_Stguete_Record(kEU | 99), Get_Stguete_Fallback_Row(1));
  EXPECT_EQ(Get_Stguete_Record(99), Get_Stguete_Fallback_Row(0));
  EXPECT_EQ(Get_Stguete_Record(kEU | 44)->code, 44);
  // A user grade that is not in the list.
  EXPECT_EQ(Get_Stguete_Record(kEU | 0x8003), Get_Stguete_Fallback_Row(1));
  EXPECT_STREQ(Get_Stguete_Name(0x8003), "?????");
  double out[4];
  EXPECT_EQ(Get_Stguete_fy_Checked(kEU | 44, 10, 1.0, out), 0);
  EXPECT_EQ(Get_Stguete_fy_Checked(0x8003, 10, 1.0, out), 0);
  EXPECT_EQ(Get_Stguete_fy_Checked(kEU | 5, 10, 1.0, nullptr), 0);
}

TEST(StgueteTable, FyCheckedDividesByGamma) {
  double out[4];
  ASSERT_EQ(Get_Stguete_fy_Checked(kEU | 5, 10, 1.1, out), 1);
  EXPECT_NEAR(out[0], 213.6363636, 1e-6);
  EXPECT_NEAR(out[1], 213.6363636, 1e-6);
  EXPECT_NEAR(out[3], 213.6363636, 1e-6);
  EXPECT_NEAR(out[2], 235.0 / (1.1 * std::sqrt(3.0)), 1e-9);
  EXPECT_NEAR(out[2], 123.3430, 1e-3);
}

TEST(StgueteUserGrades, AddReplaceRemoveWithoutLeaks) {
  Reset_Materials_For_Tests();
  STEEL_GRADE row = *Get_Stguete_Record(kEU | 7);
  std::string name = "Sonderstahl";
  row.code = 3;
  row.name = name.c_str();
  row.fy1 = 400;
  const int code = Set_User_Stguete(&row);
  EXPECT_EQ(code, 0x8003);
  name = "overwritten";  // the list keeps its own copy
  EXPECT_STREQ(Get_Stguete_Name(code), "Sonderstahl");
  EXPECT_DOUBLE_EQ(Get_Stguete_fy(code, 10), 400.0);
  // Found whatever the high half says.
  EXPECT_DOUBLE_EQ(Get_Stguete_fy(kEU | code, 10), 400.0);

  row.fy1 = 410;
  row.name = "Zweiter";
  row.code = 0x8003;
  EXPECT_EQ(Set_User_Stguete(&row), 0x8003);
  EXPECT_EQ(Get_User_Stguete_Count(), 1);
  EXPECT_DOUBLE_EQ(Get_Stguete_fy(code, 10), 410.0);
  EXPECT_STREQ(Get_Stguete_Name(code), "Zweiter");

  // Growth beyond ten rows, a row without name.
  for (int k = 10; k < 35; ++k) {
    row.code = k;
    row.name = k == 20 ? nullptr : "x";
    row.fy1 = 200 + k;
    ASSERT_EQ(Set_User_Stguete(&row), 0x8000 | k);
  }
  EXPECT_EQ(Get_User_Stguete_Count(), 26);
  EXPECT_STREQ(Get_Stguete_Name(0x8000 | 20), "");
  EXPECT_DOUBLE_EQ(Get_Stguete_fy(0x8000 | 34, 1), 234.0);
  EXPECT_DOUBLE_EQ(Get_User_Stguete_Row(1)->fy1, 210.0);
  EXPECT_EQ(Get_User_Stguete_Row(26), Get_Stguete_Fallback_Row(1));

  EXPECT_EQ(Remove_User_Stguete(0x8000 | 10), 1);
  EXPECT_EQ(Remove_User_Stguete(0x8000 | 10), 0);
  EXPECT_EQ(Remove_User_Stguete(5), 0);
  EXPECT_EQ(Get_User_Stguete_Count(), 25);
  EXPECT_EQ(Get_User_Stguete_Row(1)->code, 0x8000 | 11);
  EXPECT_DOUBLE_EQ(Get_Stguete_fy(0x8000 | 11, 1), 211.0);

  Clear_User_Stguete();
  EXPECT_EQ(Get_User_Stguete_Count(), 0);
  EXPECT_STREQ(Get_Stguete_Name(code), "?????");
  // The host's reset empties the list as well.
  Set_User_Stguete(&row);
  Host_Reset();
  EXPECT_EQ(Get_User_Stguete_Count(), 0);
}

TEST(StgueteMapping, EurocodeListRowsAndInverse) {
  const int expected[] = {5, 6, 7, 32, 8, 10, 33, 12, 9, 11, 34, 13, 5, 7, 12, 5,
                          6, 7, 6, 7, 33, 12, 6, 7, 33, 12, -1, -1, -1, -1, -1};
  for (int k = 0; k < 31; ++k) EXPECT_EQ(Get_Stguete_Code_of_Grade(k), expected[k]) << k;
  EXPECT_EQ(Get_Stguete_Code_of_Grade(-1), -1);
  EXPECT_EQ(Get_Stguete_Code_of_Grade(31), -1);
  for (int k = 0; k < 12; ++k) EXPECT_EQ(Get_EC_Index_of_Stguete_Row(expected[k]), k);
  EXPECT_EQ(Get_EC_Index_of_Stguete_Row(0), -1);
  EXPECT_EQ(Get_EC_Index_of_Stguete_Row(43), -1);
  // Every mapped row carries the list grade's yield strength (European values).
  for (int k = 0; k < 26; ++k) {
    const STEEL_GRADE *r = Get_Stguete_Record(kEU | expected[k]);
    EXPECT_DOUBLE_EQ(r->fy1, Get_EC_Grade_List_Row(k)->fy_40) << k;
  }
}

TEST(StgueteMapping, PickerGridAndCodeByIndex) {
  Reset_Materials_For_Tests();
  EXPECT_STREQ(Get_Stguete_Name_Grid_Entry(0), "");
  Init_Stguete_Name_Grid();
  const char *expected[] = {"S235 (St37)", "S275 (St44)", "S355 (St52)", "---",       "S275 N/NL", "S355 N/NL",
                            "S420 N/NL",   "---",         "S275 M/ML",   "S355 M/ML", "S420 M/ML"};
  for (int k = 0; k < STGUETE_GRID_PLACES; ++k) EXPECT_STREQ(Get_Stguete_Name_Grid_Entry(k), expected[k]) << k;
  EXPECT_STREQ(Get_Stguete_Name_Grid_Entry(11), "");
  const int codes[] = {7, 0x10005, 33};
  EXPECT_EQ(Get_Stguete_Code_by_Index(1, codes, 3), 0x10005);
  EXPECT_EQ(Get_Stguete_Code_by_Index(-1, codes, 3), 5);
  EXPECT_EQ(Get_Stguete_Code_by_Index(3, codes, 3), 5);
  EXPECT_EQ(Get_Stguete_Code_by_Index(0, nullptr, 3), 5);
}
