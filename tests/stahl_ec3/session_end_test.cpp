// How a screen session of a member ends without saving: the restore of the exchange files
// names the file whose start copy is gone, and a save declined at the question about a
// changed member file leaves no box behind it. Every test works in a folder of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "host/host_test.h"
#include "stahl_ec3/program_internal.h"
#include "tests/stahl_ec3/member_fixture.h"

namespace {

namespace fs = std::filesystem;

class SessionEnd : public MemberFolder {};

// Only the ".EXP" is there at the start, and its start copy is gone before "beenden ohne zu
// speichern": one warning, naming the ".EXP" and its copy, none the ".XPR"; the ".EXP" keeps
// what the session left, and the ".XPR" the session wrote goes.
TEST_F(SessionEnd, RestoreWithoutItsCopyNamesTheRightFile) {
  Put("BSP1_01.EXP", "exp at start\n");
  ASSERT_EQ(Start(), -1);
  Put("BSP1_01.EXP", "exp of the session\n");
  Put("BSP1_01.XPR", "xpr of the session\n");
  fs::remove(Path("BSP1_01_TMP.EXP"));
  EXPECT_EQ(Screen(kEnd + kQuit + "w50 "), 0);
  EXPECT_EQ(Get("BSP1_01.EXP"), "exp of the session\n");
  const std::string said = Said(1);
  EXPECT_EQ(said.rfind("^bWARNUNG: " + Path("BSP1_01.EXP") + " ", 0), 0u) << said;
  EXPECT_NE(said.find(Path("BSP1_01_TMP.EXP")), std::string::npos) << said;
  EXPECT_EQ(said.find(".XPR"), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '|'), 1) << said;
  EXPECT_FALSE(Has("BSP1_01.XPR"));
}

// A member file saved by another session meanwhile, and "no" to the question whether to save
// over it: the session goes on without a box (here to the host's stop), the other file stays
// and no list is written.
TEST_F(SessionEnd, DeclinedSaveShowsNoBox) {
  ASSERT_EQ(Start(), -1);
  std::string other = Get("BSP1_01.INP");
  other.replace(other.find("Brand~1"), 7, "Brand~X");
  Put("other.INP", other);
  fs::rename(Path("other.INP"), Path("BSP1_01.INP"));
  fs::remove(Path("BSP1_01.OLI"));
  Host_Queue_Answer(0);
  EXPECT_EQ(Screen(kEnd + kSave + "w50 "), 0);
  const std::string asked = Said(3);
  EXPECT_EQ(std::count(asked.begin(), asked.end(), '|'), 1) << asked;
  EXPECT_EQ(Said(1), "");
  EXPECT_EQ(Get("BSP1_01.INP"), other);
  EXPECT_FALSE(Has("BSP1_01.OLI"));
}

}  // namespace
