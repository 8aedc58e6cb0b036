// Refresh of the member's ".XPR" from its profile: written only when the profile changed,
// the library object text, the parametric export, an R7-PLAX section's file kept byte for
// byte, and the files removed when a file of its own cannot be made.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "host/host.h"
#include "profil/profil.h"
#include "profil/profil_shapes.h"
#include "querschnitt/querschnitt.h"
#include "sections/sections.h"
#include "support/shell.h"

namespace {

namespace fs = std::filesystem;

class Refresh : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Reset();
    dir_ = fs::path(::testing::TempDir()) / ("qs_refresh_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    Set_Bauteil_Path((dir_ / "BEAM").c_str());
    Set_File_Number(1);
  }
  void TearDown() override {
    Reset_Profil(&p_);
    Host_Reset();
    fs::remove_all(dir_);
  }
  fs::path Xpr() const { return dir_ / "BEAM_01.XPR"; }
  fs::path Res() const { return dir_ / "BEAM_01.res"; }
  static std::string Text(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void Put(const fs::path &path, const std::string &text) { std::ofstream(path, std::ios::binary) << text; }
  fs::path dir_;
  PROFIL p_{};
};

// A library profile writes its object text once; the same profile (whatever its grade)
// does not write again unless forced; another profile does.
TEST_F(Refresh, LibraryProfileWrittenWhenChanged) {
  Init_Material_Data(&p_.grade);
  ASSERT_EQ(Set_Profil_by_Library_Name(&p_, "IPE300"), 0);
  ASSERT_EQ(Refresh_Profil_XPR(&p_, 0), 0);
  EXPECT_EQ(Text(Xpr()), "\nOBJECT\n3 1 1\n\nPROFILNAME\nIPE300\n");
  Put(Xpr(), "kept");
  p_.grade.grade = 2;
  EXPECT_EQ(Refresh_Profil_XPR(&p_, 0), 0);
  EXPECT_EQ(Text(Xpr()), "kept");
  EXPECT_EQ(Refresh_Profil_XPR(&p_, 1), 0);
  EXPECT_EQ(Text(Xpr()), "\nOBJECT\n3 1 1\n\nPROFILNAME\nIPE300\n");
  Put(Xpr(), "kept");
  ASSERT_EQ(Set_Profil_by_Library_Name(&p_, "HE300B"), 0);
  EXPECT_EQ(Refresh_Profil_XPR(&p_, 0), 0);
  EXPECT_EQ(Text(Xpr()), "\nOBJECT\n3 1 1\n\nPROFILNAME\nHE300B\n");
  EXPECT_EQ(Refresh_Profil_XPR(nullptr, 0), 1);
}

// A parametric profile is exported as a line model; one that has no model leaves neither
// ".XPR" nor ".res"; a library object that cannot be written removes the ".res".
TEST_F(Refresh, OwnFilesRemovedWhenTheyCannotBeMade) {
  Reset_Profil(&p_);
  Init_Material_Data(&p_.grade);
  Set_Shape(&p_, PROFIL_FLAT, 100, 10, 0, 0, 0, 0, 0);
  Calc_Profil_Querschnittswerte(&p_, nullptr, 0, "");
  ASSERT_EQ(Refresh_Profil_XPR(&p_, 0), 0);
  EXPECT_EQ(Text(Xpr()).rfind("OBJECT\n1 13 14\n", 0), 0u);
  Put(Res(), "results");
  p_.type = PROFIL_DEFAULT;
  EXPECT_EQ(Refresh_Profil_XPR(&p_, 0), 1);
  EXPECT_FALSE(fs::exists(Xpr()));
  EXPECT_FALSE(fs::exists(Res()));

  // The ".XPR" is a folder that holds a file: nothing can be written there.
  fs::create_directories(Xpr());
  Put(Xpr() / "x", "x");
  Put(Res(), "results");
  ASSERT_EQ(Set_Profil_by_Library_Name(&p_, "IPE300"), 0);
  EXPECT_EQ(Refresh_Profil_XPR(&p_, 0), 1);
  EXPECT_FALSE(fs::exists(Res()));
  EXPECT_EQ(Text(Xpr() / "x"), "x");
}

// An R7-PLAX section's ".XPR" is the user's section: with the FEM program missing, and
// also when its head is refused or the section has no entry, it stays byte for byte, and
// so does the ".res".
TEST_F(Refresh, ImportedSectionKeepsItsFile) {
  const struct {
    const char *text;
    bool entry;
    int result;
  } cases[] = {{"OBJECT\r\n1 7 8\r\nNODES 2\r\n1 0 0\r\n", true, 0}, {"garbage\n", true, 1},
               {"OBJECT\n1 7 8\n", false, 1}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.text);
    Reset_Profil(&p_);
    p_.kind = PROFIL_KIND_QUER;
    if (c.entry) Add_QImport_Reference(p_.entry = New_QImport_Entry(), +1);
    Put(Xpr(), c.text);
    Put(Res(), "results");
    EXPECT_EQ(Refresh_Profil_XPR(&p_, 1), c.result);
    EXPECT_EQ(Text(Xpr()), c.text);
    EXPECT_EQ(Text(Res()), "results");
  }
}

}  // namespace
