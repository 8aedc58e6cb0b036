#include <gtest/gtest.h>

#include "host/host.h"
#include "nad/nad.h"

// The default set is active at start; the German set differs in gamma_M1 and beta_w only.
TEST(NadSets, DefaultActiveAndGermanDifferences) {
  Reset_NAD_For_Tests();
  ASSERT_NE(Get_NAD_EC3_Parameters(), nullptr);
  EXPECT_STREQ(Get_Active_NAD_Name(), "EC-Standardparameter");
  const NAD_EC3_PARAMETERS *ec = Get_NAD_EC3_Parameters();
  EXPECT_EQ(ec->national_betaw, 0);
  EXPECT_DOUBLE_EQ(ec->gamma_M0, 1.00);
  EXPECT_DOUBLE_EQ(ec->gamma_M1, 1.00);
  EXPECT_DOUBLE_EQ(ec->gamma_M2, 1.25);
  EXPECT_DOUBLE_EQ(ec->gamma_M3, 1.25);
  EXPECT_DOUBLE_EQ(ec->gamma_M7, 1.10);
  EXPECT_DOUBLE_EQ(ec->gamma_M3_ser, 1.10);
  EXPECT_DOUBLE_EQ(ec->gamma_M_fi, 1.00);
  EXPECT_DOUBLE_EQ(ec->eta, 1.20);
  EXPECT_DOUBLE_EQ(Get_NAD_EC9_Parameters()->gamma_M1, 1.10);
  EXPECT_DOUBLE_EQ(Get_NAD_EC9_Parameters()->gamma_M2, 1.25);

  ASSERT_EQ(Set_Active_NAD("Deutschland"), 1);
  const NAD_EC3_PARAMETERS *de = Get_NAD_EC3_Parameters();
  EXPECT_EQ(de->national_betaw, 1);
  EXPECT_DOUBLE_EQ(de->gamma_M1, 1.10);
  EXPECT_DOUBLE_EQ(de->gamma_M0, ec->gamma_M0);
  EXPECT_DOUBLE_EQ(de->gamma_M2, ec->gamma_M2);
  EXPECT_DOUBLE_EQ(de->gamma_M_fi, ec->gamma_M_fi);
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
