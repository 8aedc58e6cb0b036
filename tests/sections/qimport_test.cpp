#include <gtest/gtest.h>

#include <cstdio>

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

// The catalogue's reset with entries still held (the host resets modules in the order they
// registered, so a member's record may let its entry go after this reset): an unheld entry
// goes, a held one leaves the catalogue but stays whole (its name, its count, its text) until
// the release that ends its last hold frees it; a second reset meanwhile changes nothing for it.
TEST(SectionsQImport, ResetKeepsHeldEntriesUntilTheirLastRelease) {
  Reset_Sections_For_Tests();
  QIMPORT_ENTRY *held = New_QImport_Entry(), *twice = New_QImport_Entry();
  New_QImport_Entry();  // nobody holds it
  std::snprintf(held->name, sizeof held->name, "%s", "IMPORT_A");
  std::snprintf(twice->name, sizeof twice->name, "%s", "IMPORT_B");
  Add_QImport_Reference(held, +1);
  Add_QImport_Reference(twice, +1);
  Add_QImport_Reference(twice, +1);
  ASSERT_EQ(Count_QImport_Entries(), 3);
  Reset_Sections_For_Tests();
  EXPECT_EQ(Count_QImport_Entries(), 0);
  EXPECT_STREQ(held->name, "IMPORT_A");
  EXPECT_EQ(held->ref_count, 1);
  EXPECT_STREQ(twice->name, "IMPORT_B");
  EXPECT_EQ(twice->ref_count, 2);
  // A new entry of the fresh catalogue is not one of them.
  QIMPORT_ENTRY *fresh = New_QImport_Entry();
  EXPECT_NE(fresh, held);
  EXPECT_NE(fresh, twice);
  EXPECT_EQ(Add_QImport_Reference(twice, -1), 1);
  Reset_Sections_For_Tests();
  EXPECT_STREQ(twice->name, "IMPORT_B");
  EXPECT_EQ(Add_QImport_Reference(held, -1), 0);   // freed (AddressSanitizer would see a later use)
  EXPECT_EQ(Add_QImport_Reference(twice, -1), 0);  // freed
  EXPECT_EQ(Count_QImport_Entries(), 0);
}
