// The family filter the profile page hands to the profile manager.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profil/edit_profil_internal.h"

TEST(EditProfil, FamilyFilterOfTheAllowedTypes) {
  struct Case {
    std::vector<int> types;
    const char *filter;
  };
  const Case cases[] = {
      {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}, "LDURKTZ"},
      {{5, 0, 3}, "ZKULTDR"},
      {{1, 2, 16, 17}, ""},
      {{}, ""},
      {{12, 6, 14, 18, -1, 3}, "UZD"},  // 18 and above are D; the list ends at −1
      {{9, 9, 8, 15, 11}, "KRT"},
  };
  for (const Case &c : cases) {
    char out[32] = "x";
    Build_Profil_Family_Filter(c.types.data(), static_cast<int>(c.types.size()), out, sizeof out);
    EXPECT_STREQ(out, c.filter);
  }
  char small[3] = "xx";
  const int all[] = {3, 4, 6, 8};
  Build_Profil_Family_Filter(all, 4, small, sizeof small);
  EXPECT_STREQ(small, "LD");
}
