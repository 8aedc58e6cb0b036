// The family filter the profile page hands to the profile manager.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profil/edit_profil_internal.h"

TEST(EditProfil, FamilyFilterOfTheAllowedTypes) {
  const std::pair<std::vector<int>, const char *> cases[] = {
      {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}, "LDURKTZ"},
      {{5, 0, 3}, "ZKULTDR"},
      {{1, 2, 16, 17}, ""},
      {{}, ""},
      {{12, 6, 14, 18, -1, 3}, "UZD"},  // 18 and above are D; the list ends at −1
      {{15, 8}, "TR"},
      {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 14}, "Z"},  // the 18th type still counts
  };
  for (const auto &[types, filter] : cases) {
    char out[32] = "x";
    Build_Profil_Family_Filter(types.data(), static_cast<int>(types.size()), out, sizeof out);
    EXPECT_STREQ(out, filter);
  }
  char out[4] = "xyz";
  const int all[] = {0};
  Build_Profil_Family_Filter(all, 1, out, 0);  // no room: nothing written
  Build_Profil_Family_Filter(all, 1, nullptr, 4);
  EXPECT_STREQ(out, "xyz");
  Build_Profil_Family_Filter(all, 1, out, sizeof out);  // cut to the room
  EXPECT_STREQ(out, "ZKU");
}
