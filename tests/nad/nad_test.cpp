#include <gtest/gtest.h>

#include <iterator>

#include "host/host.h"
#include "nad/nad.h"

// Both built-in sets field by field. EN 1993-1-1 6.1 NOTE 2B (gamma_M0, M1, M2),
// EN 1993-1-8 Table 2.1 (M2 to M7, M3,ser), EN 1993-1-2 2.3 (M,fi), EN 1993-1-5 5.1(2)
// (eta), EN 1999-1-1 6.1.3 (aluminium M1, M2); Germany: DIN EN 1993-1-1/NA gamma_M1 1.10
// and the national beta_w of DIN EN 1993-1-8/NA.
TEST(NadSets, EveryFieldOfBothSets) {
  struct Row {
    const char *name;
    int national_betaw;
    double M0, M1, M2, M3, M4, M5, M6_ser, M7, M3_ser, M_ser, M_fi, eta, al_M1, al_M2;
  } rows[] = {
      {"EC-Standardparameter", 0, 1.00, 1.00, 1.25, 1.25, 1.00, 1.00, 1.00, 1.10, 1.10, 1.00, 1.00, 1.20, 1.10, 1.25},
      {"Deutschland", 1, 1.00, 1.10, 1.25, 1.25, 1.00, 1.00, 1.00, 1.10, 1.10, 1.00, 1.00, 1.20, 1.10, 1.25},
  };
  Reset_NAD_For_Tests();
  EXPECT_STREQ(Get_Active_NAD_Name(), rows[0].name);  // the default set is active at start
  for (const Row &r : rows) {
    SCOPED_TRACE(r.name);
    if (&r != rows) {
      ASSERT_EQ(Set_Active_NAD(r.name), 1);
    }
    const NAD_EC3_PARAMETERS *e = Get_NAD_EC3_Parameters();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->national_betaw, r.national_betaw);
    const double got[] = {e->gamma_M0, e->gamma_M1, e->gamma_M2, e->gamma_M3, e->gamma_M4, e->gamma_M5,
                          e->gamma_M6_ser, e->gamma_M7, e->gamma_M3_ser, e->gamma_M_ser, e->gamma_M_fi, e->eta,
                          Get_NAD_EC9_Parameters()->gamma_M1, Get_NAD_EC9_Parameters()->gamma_M2};
    const double want[] = {r.M0, r.M1, r.M2, r.M3, r.M4, r.M5, r.M6_ser, r.M7, r.M3_ser, r.M_ser, r.M_fi, r.eta,
                           r.al_M1, r.al_M2};
    for (size_t k = 0; k < std::size(want); ++k) EXPECT_DOUBLE_EQ(got[k], want[k]) << "field " << k;
  }
  Reset_NAD_For_Tests();
}

TEST(NadSets, UnknownNameKeepsActiveSetAndClearGivesNull) {
  Reset_NAD_For_Tests();
  EXPECT_EQ(Set_Active_NAD("Atlantis"), 0);
  EXPECT_EQ(Set_Active_NAD(nullptr), 0);
  EXPECT_STREQ(Get_Active_NAD_Name(), NAD_DEFAULT_NAME);
  Clear_Active_NAD();
  EXPECT_EQ(Get_NAD_EC3_Parameters(), nullptr);
  EXPECT_EQ(Get_NAD_EC9_Parameters(), nullptr);
  EXPECT_STREQ(Get_Active_NAD_Name(), "");
  Activate_Default_NAD();
  EXPECT_STREQ(Get_Active_NAD_Name(), NAD_DEFAULT_NAME);
}

TEST(NadSets, HostResetRestoresDefault) {
  Reset_NAD_For_Tests();
  ASSERT_EQ(Set_Active_NAD(NAD_GERMANY_NAME), 1);
  Host_Reset();
  EXPECT_STREQ(Get_Active_NAD_Name(), NAD_DEFAULT_NAME);
}
