// The solver's test reset leaves the part-mode switch set, as the profile library start
// does for the rest of a run: a profile computed after that reset alone runs part mode.
#include <gtest/gtest.h>

#include "dwqb/dwqb.h"
#include "profil/profil.h"
#include "sections/sections_internal.h"

namespace {

// W_pl,y of IPE 300: 628.4 cm³ (EN 10365); part mode with root radii gives it within 0.5 %.
TEST(ProfilSolverMode, ProfileAfterSolverResetRunsPartMode) {
  Reset_Sections_For_Tests();
  PROFIL p{};
  PROFIL_LIBREF ref;
  Init_Profil_Library(&ref);
  Reset_DWQB_Module_For_Tests();
  Find_Profil_in_Library(&ref, "IPE300");
  ASSERT_NE(ref.entry, nullptr);
  Reset_Profil(&p);
  Set_Profil_from_Library(&ref, &p);
  Set_Profil_Plastic_Moduli_Flag(1);
  ASSERT_EQ(Calc_Profil_Querschnittswerte(&p, nullptr, 0, nullptr), 0);
  EXPECT_NEAR(p.W_pl_y, 628.36e3, 0.005 * 628.36e3);
  Set_Profil_Plastic_Moduli_Flag(0);
  Reset_Profil(&p);
  Reset_DWQB_Module_For_Tests();
  Reset_Sections_For_Tests();
}

}  // namespace
