// The grade tables: aluminium alloy rows against EN 1999-1-1:2007+A1:2009, Tables 3.2a
// and 3.2b, fallback row and user alloys; the steel grades of the fire design and the
// section solver, user grades and the mapping of the Eurocode list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "host/host.h"
#include "materials/materials.h"
#include "support/cp850.h"
#include "support/support.h"

namespace {

constexpr int kEU = STGUETE_EUROPEAN;
using ::testing::DoubleNear;
using ::testing::Pointwise;
using V = std::vector<double>;

struct Expected {
  int row;
  const char *name;  // code page 850
  double t_min, t_max, f0, fu, A, f0_haz, fu_haz, rho0, rhou;
  const char *buckling_class;
  double n_p;
};

void ExpectRow(const Expected &e) {
  const ALU_GRADE *r = Get_Alguete_Record(e.row);
  SCOPED_TRACE(e.row);
  EXPECT_EQ(std::string(r->name) + "/" + r->buckling_class, std::string(e.name) + "/" + e.buckling_class);
  EXPECT_EQ(Get_Alguete_Buckling_Class(e.row), e.buckling_class[0] == 'B');
  EXPECT_EQ((V{r->t_min, r->t_max, r->f0, r->fu, r->A, r->f0_haz, r->fu_haz, r->rho0_haz, r->rhou_haz, r->n_p}),
            (V{e.t_min, e.t_max, e.f0, e.fu, e.A, e.f0_haz, e.fu_haz, e.rho0, e.rhou, e.n_p}));
}

}  // namespace

// EN 1999-1-1, Table 3.2a (sheet, strip and plate; 3103: one HAZ pair, f0,haz 44 and
// fu,haz 90, for all work-hardened tempers; f0, fu and A are EN 485-2's minimum over each
// thickness range, e.g. 6061 T651 12.5 < t <= 80: A 8 up to 40 mm, 6 above, so 6) and
// Table 3.2b (extrusions and drawn tube; 6063 T66 with fu,haz 130; 6061 extruded profiles,
// tube, rod/bar and drawn tube share one row per temper), forgings last.
TEST(AlgueteValues, PinnedRowsOfTables32aAnd32b) {
  const Expected rows[] = {
      {0, "3004 H14", 0, 6, 180, 220, 1, 75, 155, 0.42, 0.7, "B", 23},
      {12, "5005 O/H111", 0, 50, 35, 100, 15, 35, 100, 1.0, 1.0, "B", 5},
      {30, "5083 O/H111 \xF3 50", 0, 50, 125, 275, 11, 125, 275, 1.0, 1.0, "B", 6},
      {37, "6061 T6/T651", 0, 12.5, 240, 290, 6, 115, 175, 0.48, 0.6, "A", 23},
      {45, "7020 T6", 0, 12.5, 280, 350, 7, 205, 280, 0.73, 0.8, "A", 19},
      {57, "6060 T5 \xF3 5", 0, 5, 120, 160, 8, 50, 80, 0.42, 0.5, "B", 17},
      {83, "6082 T6 \xF3 5 (EP,ET)", 0, 5, 250, 290, 8, 125, 185, 0.5, 0.64, "A", 32},
      {94, "5083 H112 (T)", 0, 150, 110, 260, 10, 110, 260, 0, 0, "B", 0},
      {8, "3103 H14", 0, 25, 120, 140, 2, 44, 90, 0.37, 0.64, "B", 31},
      {9, "3103 H24", 0, 12.5, 110, 140, 4, 44, 90, 0.40, 0.64, "B", 20},
      {10, "3103 H16", 0, 4, 145, 160, 1, 44, 90, 0.30, 0.56, "B", 48},
      {11, "3103 H26", 0, 4, 135, 160, 3, 44, 90, 0.33, 0.56, "B", 28},
      {13, "5005 H12", 0, 12.5, 95, 125, 2, 44, 100, 0.46, 0.80, "B", 18},
      {18, "5052 H22/H32", 0, 40, 130, 210, 5, 80, 170, 0.62, 0.81, "B", 10},
      {29, "5754 H24/H34", 0, 25, 160, 240, 6, 100, 190, 0.63, 0.79, "B", 12},
      {31, "5083 O/H111 > 50", 50, 80, 115, 270, 14, 115, 270, 1.0, 1.0, "B", 6},
      {34, "5083 H14", 0, 25, 280, 340, 2, 155, 275, 0.55, 0.81, "B", 22},
      {39, "6082 T4/T451", 0, 12.5, 110, 205, 12, 100, 160, 0.91, 0.78, "B", 8},
      {42, "6082 T6/T651 ¾ 6"_cp, 0, 6, 260, 310, 6, 125, 185, 0.48, 0.60, "A", 25},
      {43, "6082 T6/T651 > 6", 6, 12.5, 255, 300, 9, 125, 185, 0.49, 0.62, "A", 27},
      {38, "6061 T651", 12.5, 80, 240, 290, 6, 115, 175, 0.48, 0.60, "A", 23},
      {44, "6082 T651", 12.5, 100, 240, 295, 7, 125, 185, 0.52, 0.63, "A", 21},
      {46, "7020 T651", 12.5, 40, 280, 350, 9, 205, 280, 0.73, 0.80, "A", 19},
      {55, "5754 O/H111/F/H112", 0, 25, 80, 180, 14, 80, 180, 1.0, 1.0, "B", 6},
      {58, "6060 T5 > 5", 5, 25, 100, 140, 8, 50, 80, 0.50, 0.57, "B", 14},
      {59, "6060 T6 ¾ 15"_cp, 0, 15, 140, 170, 8, 60, 100, 0.43, 0.59, "A", 24},
      {60, "6060 T6 ¾ 20"_cp, 0, 20, 160, 215, 12, 60, 100, 0.38, 0.47, "A", 16},
      {61, "6060 T64", 0, 15, 120, 180, 12, 60, 100, 0.50, 0.56, "A", 12},
      {63, "6060 T66 > 3", 3, 25, 150, 195, 8, 65, 110, 0.43, 0.56, "A", 18},
      {69, "6063 T5 > 3", 3, 25, 110, 160, 7, 60, 100, 0.55, 0.63, "B", 13},
      {71, "6063 T6 ¾ 20"_cp, 0, 20, 190, 220, 10, 65, 110, 0.34, 0.50, "A", 31},
      {72, "6063 T66 ¾ 10"_cp, 0, 10, 200, 245, 8, 75, 130, 0.38, 0.53, "A", 22},
      {73, "6063 T66 > 10", 10, 25, 180, 225, 8, 75, 130, 0.42, 0.58, "A", 21},
      {74, "6063 T66 ¾ 20"_cp, 0, 20, 195, 230, 10, 75, 130, 0.38, 0.57, "A", 28},
      {75, "6005A T6 ¾ 5"_cp, 0, 5, 225, 270, 8, 115, 165, 0.51, 0.61, "A", 25},
      {77, "6005A T6 > 10", 10, 25, 200, 250, 8, 115, 165, 0.58, 0.66, "A", 20},
      {78, "6005A T6 ¾ 5"_cp, 0, 5, 215, 255, 8, 115, 165, 0.53, 0.65, "A", 26},
      {79, "6005A T6 > 5", 5, 10, 200, 250, 8, 115, 165, 0.58, 0.66, "A", 20},
      {80, "6106 T6", 0, 10, 200, 250, 8, 95, 160, 0.48, 0.64, "A", 20},
      {64, "6061 T4 < 25", 0, 25, 110, 180, 15, 95, 150, 0.86, 0.83, "B", 8},
      {65, "6061 T4 ¾ 20"_cp, 0, 20, 110, 180, 15, 95, 150, 0.86, 0.83, "B", 8},
      {66, "6061 T6 < 25", 0, 25, 240, 260, 8, 115, 175, 0.48, 0.67, "A", 55},
      {67, "6061 T6 ¾ 20"_cp, 0, 20, 240, 260, 8, 115, 175, 0.48, 0.67, "A", 55},
  };
  for (const Expected &e : rows) ExpectRow(e);
}

// EN 1999-1-1, Tables 3.2a and 3.2b: a non-heat-treatable alloy has one HAZ pair for all
// its work-hardened tempers of one product table (the annealed rows have the base values).
TEST(AlgueteValues, OneHazPairPerWorkHardenedAlloy) {
  struct Group {
    int first, last;  // rows of the alloy's work-hardened tempers
    double f0_haz, fu_haz;
  };
  const Group groups[] = {
      {0, 3, 75, 155},   {4, 7, 56, 115},   {8, 11, 44, 90},   {13, 16, 44, 100},
      {17, 20, 80, 170}, {22, 23, 100, 190}, {25, 26, 105, 215}, {28, 29, 100, 190},
      {32, 35, 155, 275}, {47, 50, 37, 85},  {52, 53, 135, 270},
  };
  for (const Group &g : groups) {
    for (int row = g.first; row <= g.last; ++row) {
      const ALU_GRADE *r = Get_Alguete_Record(row);
      SCOPED_TRACE(r->name);
      EXPECT_DOUBLE_EQ(r->f0_haz, g.f0_haz);
      EXPECT_DOUBLE_EQ(r->fu_haz, g.fu_haz);
      EXPECT_EQ(std::strcmp(r->alloy, Get_Alguete_Alloy(g.first)), 0);
    }
  }
}

// Rows of one alloy, temper and product form split by thickness meet without gap or
// overlap: each range starts where the one before ends.
TEST(AlgueteValues, ThicknessRangesMeet) {
  const int pairs[][2] = {{30, 31}, {37, 38}, {40, 41}, {42, 43}, {43, 44}, {45, 46},
                          {57, 58}, {62, 63}, {68, 69}, {72, 73}, {75, 76}, {76, 77},
                          {78, 79}, {83, 84}, {85, 86}, {87, 88}, {89, 90}};
  for (const auto &p : pairs) {
    const ALU_GRADE *a = Get_Alguete_Record(p[0]);
    const ALU_GRADE *b = Get_Alguete_Record(p[1]);
    SCOPED_TRACE(a->name);
    EXPECT_STREQ(a->alloy, b->alloy);
    EXPECT_DOUBLE_EQ(a->t_max, b->t_min);
    // The thicker range never has the higher proof strength, except 6082 T6 extrusions
    // and bars, whose thin walls are the weaker ones in the table.
    if (p[0] != 83 && p[0] != 85) {
      EXPECT_GE(a->f0, b->f0);
    }
  }
}

// Every row: proof strength not above the tensile strength, class A or B, constants of
// EN 1999-1-1, and the HAZ factors the ratios of the HAZ strengths (rounded to 0.01).
TEST(AlgueteTable, InvariantsOverAllRows) {
  for (int row = 0; row < ALU_GRADE_COUNT; ++row) {
    const ALU_GRADE *r = Get_Alguete_Record(row);
    SCOPED_TRACE(r->name);
    EXPECT_EQ(r->number, row);
    EXPECT_TRUE(r->f0 > 0 && r->f0 <= r->fu && r->t_min < r->t_max);
    EXPECT_TRUE(std::string(r->buckling_class) == "A" || std::string(r->buckling_class) == "B");
    EXPECT_EQ((V{r->E, r->G, r->nu}), (V{70000, 27000, 0.3}));
    EXPECT_TRUE(std::string(r->name).starts_with(r->alloy));
    if (r->rho0_haz > 0.0) {
      // Half a unit of the second decimal, plus rounding noise of the division.
      EXPECT_LE(std::fmax(std::fabs(r->rho0_haz - r->f0_haz / r->f0), std::fabs(r->rhou_haz - r->fu_haz / r->fu)),
                0.005 + 1e-9);
      EXPECT_LE(r->f0_haz, r->f0);
    }
    EXPECT_TRUE(row < 92 || r->rho0_haz == 0.0);  // forgings: no HAZ values
  }
}

TEST(AlgueteTable, LastRowAndFallback) {
  EXPECT_EQ(std::string(Get_Alguete_Name(96)) + "|" + Get_Alguete_Name(97) + "|" + Get_Alguete_Alloy(-5000 & 0x7FFF) + "|" +
                Get_Alguete_Alloy(37) + "|" + Get_Alguete_Temper(37),
            "6082 T6 (T)|?????|?????|6061|T6/T651");
  double G = 0;
  EXPECT_EQ((V{Get_Alguete_f0(97), Get_Alguete_fu(97), Get_Alguete_t_min(500), Get_Alguete_t_max(500),
               double(Get_Alguete_Buckling_Class(97)), Get_Alguete_Fallback_Row()->alphaT, Get_Alguete_E_G(37, &G), G}),
            (V{180, 220, 0, 10, 0, 2.3e-5, 70000, 27000}));
}

TEST(AlgueteUserAlloys, AddReplaceClassAndRemove) {
  Reset_Materials_For_Tests();
  ALU_GRADE row = *Get_Alguete_Record(37);
  row.number = 4, row.name = "Meine", row.alloy = "6061", row.temper = nullptr, row.buckling_class = "b";
  const int code = Set_User_Alguete(&row);
  EXPECT_EQ(code, 0x8004);
  EXPECT_EQ(Get_Alguete_Buckling_Class(code), 1);
  // Class "b" becomes "B"; no temper; found by the negative 16-bit form of the code.
  EXPECT_EQ(std::string(Get_Alguete_Record(code)->buckling_class) + "|" + Get_Alguete_Temper(code) + "|" +
                Get_Alguete_Name(static_cast<short>(code)),
            "B||Meine");

  row.buckling_class = "C";
  row.f0 = 111;
  EXPECT_EQ(Set_User_Alguete(&row), code);
  EXPECT_STREQ(Get_Alguete_Record(code)->buckling_class, "A");  // an unknown class is A
  EXPECT_EQ((V{double(Get_User_Alguete_Count()), Get_Alguete_f0(code)}), (V{1, 111}));

  for (int k = 10; k < 25; ++k) {
    row.number = k;
    ASSERT_EQ(Set_User_Alguete(&row), 0x8000 | k);
  }
  EXPECT_EQ(Get_User_Alguete_Count(), 16);
  EXPECT_EQ((V{double(Remove_User_Alguete(code)), double(Remove_User_Alguete(code))}), (V{1, 0}));  // braced: in order
  EXPECT_STREQ(Get_Alguete_Name(code), "?????");
  EXPECT_EQ(Get_User_Alguete_Row(0)->number, 0x8000 | 10);
  EXPECT_EQ(Get_User_Alguete_Row(99), Get_Alguete_Fallback_Row());
  Clear_User_Alguete();
  EXPECT_EQ(Get_User_Alguete_Count(), 0);
  Reset_Materials_For_Tests();
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
  // fu; bolt classes keep fy1 up to 80 mm; E and G.
  double G = 0;
  EXPECT_EQ((V{Get_Stguete_Record(kEU | 7)->fu, Get_Stguete_fy(kEU | 27, 60.0), Get_Stguete_E_G(kEU | 33, &G), G,
               Get_Stguete_E_G(kEU | 33, nullptr)}),
            (V{490, 640, 210000, 81000, 210000}));
  // The checked form keeps the thickness limit's tolerance of 0.001 mm.
  double out[4], checked[2];
  for (int k = 0; k < 2; ++k) {
    ASSERT_EQ(Get_Stguete_fy_Checked(kEU | 7, k ? 40.002 : 40.0005, 0.0, out), 1);
    checked[k] = out[0];
  }
  EXPECT_EQ((V{checked[0], checked[1]}), (V{355, 335}));
}

// Invariants over every built-in row of both tables.
TEST(StgueteTable, InvariantsOverAllRows) {
  const int din_differs_fy1[] = {0, 1, 2, 3, 4, 5, 7, 10, 11};
  for (int row = 0; row < STGUETE_ROW_COUNT; ++row) {
    for (int high : {kEU, 0}) {
      const STEEL_GRADE *r = Get_Stguete_Record(high | row);
      SCOPED_TRACE(r->name);
      EXPECT_EQ(r->code, row);
      EXPECT_TRUE(r->fy2 <= r->fy1 && r->fu >= r->fy1 && r->t_max >= r->t1);
      EXPECT_EQ((V{r->E, r->G, r->nu, r->alphaT}), (V{210000, 81000, 0.3, 1.2e-5}));
    }
    const STEEL_GRADE *eu = Get_Stguete_Record(kEU | row);
    const STEEL_GRADE *din = Get_Stguete_Record(row);
    bool marked = false;
    for (int k : din_differs_fy1) marked |= (k == row);
    EXPECT_EQ((V{din->fy1, din->fy2, din->fu, din->t1, din->t_max, din->alpha_w}),
              (V{eu->fy1 + (marked ? 5 : 0), eu->fy2, eu->fu, eu->t1, eu->t_max, eu->alpha_w}));
    EXPECT_TRUE((row >= 5 && row <= 7) || std::string(din->name) == eu->name);
  }
}

TEST(StgueteTable, FallbackRowsForUnknownCodes) {
  Reset_Materials_For_Tests();
  EXPECT_EQ(std::string(Get_Stguete_Name(kEU | 44)) + Get_Stguete_Name(0x7FFF), "??????????");
  EXPECT_EQ((V{Get_Stguete_fy(kEU | 44, 10), Get_Stguete_fy(44, 10), Get_Stguete_fy(44, 41)}), (V{235, 240, 215}));
  EXPECT_TRUE(Get_Stguete_Record(kEU | 99) == Get_Stguete_Fallback_Row(1) &&
              Get_Stguete_Record(99) == Get_Stguete_Fallback_Row(0));
  EXPECT_EQ(Get_Stguete_Record(kEU | 44)->code, 44);
  // A user grade that is not in the list.
  EXPECT_EQ(Get_Stguete_Record(kEU | 0x8003), Get_Stguete_Fallback_Row(1));
  EXPECT_STREQ(Get_Stguete_Name(0x8003), "?????");
  double out[4];
  EXPECT_EQ(Get_Stguete_fy_Checked(kEU | 44, 10, 1.0, out) + Get_Stguete_fy_Checked(0x8003, 10, 1.0, out) +
                Get_Stguete_fy_Checked(kEU | 5, 10, 1.0, nullptr),
            0);
}

TEST(StgueteTable, FyCheckedDividesByGamma) {
  double out[4];
  ASSERT_EQ(Get_Stguete_fy_Checked(kEU | 5, 10, 1.1, out), 1);
  // fy/γ for the three strengths, fy/(γ·√3) for shear (123.343).
  EXPECT_THAT((V{out[0], out[1], out[3], out[2]}),
              Pointwise(DoubleNear(1e-6), V{213.6363636, 213.6363636, 213.6363636, 235.0 / (1.1 * std::sqrt(3.0))}));
  EXPECT_NEAR(out[2], 123.3430, 1e-3);
}

TEST(StgueteUserGrades, AddReplaceRemoveWithoutLeaks) {
  Reset_Materials_For_Tests();
  STEEL_GRADE row = *Get_Stguete_Record(kEU | 7);
  std::string name = "Sonderstahl";
  row.code = 3, row.name = name.c_str(), row.fy1 = 400;
  const int code = Set_User_Stguete(&row);
  EXPECT_EQ(code, 0x8003);
  name = "overwritten";  // the list keeps its own copy
  EXPECT_STREQ(Get_Stguete_Name(code), "Sonderstahl");
  // Found whatever the high half says.
  EXPECT_EQ((V{Get_Stguete_fy(code, 10), Get_Stguete_fy(kEU | code, 10)}), (V{400, 400}));

  row.fy1 = 410, row.name = "Zweiter", row.code = 0x8003;
  EXPECT_EQ(Set_User_Stguete(&row), 0x8003);
  EXPECT_EQ((V{double(Get_User_Stguete_Count()), Get_Stguete_fy(code, 10)}), (V{1, 410}));
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
  EXPECT_EQ((V{Get_Stguete_fy(0x8000 | 34, 1), Get_User_Stguete_Row(1)->fy1}), (V{234, 210}));
  EXPECT_EQ(Get_User_Stguete_Row(26), Get_Stguete_Fallback_Row(1));

  EXPECT_EQ((std::vector<int>{Remove_User_Stguete(0x8000 | 10), Remove_User_Stguete(0x8000 | 10),
                              Remove_User_Stguete(5), Get_User_Stguete_Count()}),
            (std::vector<int>{1, 0, 0, 25}));
  EXPECT_EQ((V{double(Get_User_Stguete_Row(1)->code), Get_Stguete_fy(0x8000 | 11, 1)}), (V{0x8000 | 11, 211}));
  Clear_User_Stguete();
  EXPECT_EQ(std::to_string(Get_User_Stguete_Count()) + Get_Stguete_Name(code), "0?????");
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
