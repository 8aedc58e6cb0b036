#include <gtest/gtest.h>

#include "sections/sections.h"

// Take and release balance; a release of an unheld entry does not go below 0, so a
// purge can never mistake a held entry for a free one after an extra release.
TEST(SectionsQImport, ReferenceCountTakesAndReleases) {
  QIMPORT_ENTRY e{};
  EXPECT_EQ(e.ref_count, 0);
  EXPECT_EQ(Add_QImport_Reference(&e, +1), 1);
  EXPECT_EQ(Add_QImport_Reference(&e, +1), 2);
  EXPECT_EQ(Add_QImport_Reference(&e, -1), 1);
  EXPECT_EQ(Add_QImport_Reference(&e, -1), 0);
  EXPECT_EQ(Add_QImport_Reference(&e, -1), 0);
  EXPECT_EQ(e.ref_count, 0);
}

TEST(SectionsSwitches, ProfilmanagerNeverAvailableImportEnabledOnRequest) {
  Reset_Sections_For_Tests();
  EXPECT_EQ(Is_Profilmanager_Available(), 0);
  Enable_Profilmanager();
  EXPECT_EQ(Is_Profilmanager_Available(), 0);  // enabled, but not installed here
  EXPECT_EQ(Is_QUER_Import_Enabled(), 0);
  Enable_QUER_Import();
  EXPECT_EQ(Is_QUER_Import_Enabled(), 1);
  Reset_Sections_For_Tests();
  EXPECT_EQ(Is_QUER_Import_Enabled(), 0);
}
