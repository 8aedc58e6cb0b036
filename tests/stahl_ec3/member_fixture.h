// tests/stahl_ec3/member_fixture.h — a fresh copy of the example member in a folder of its own
// for each test, the environment the program needs, and members made for single checks.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stahl_ec3/stahl_ec3.h"

// A reset host (strict script policy) and the example member copied into
// member-runs/<suite>.<test>/ ("EXEC" and "YRMPRIVATE" naming that folder); the environment
// and the host are reset again at the end.
class MemberFolderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Empties the folder and copies the example into it again.
  void Fresh_Folder();
  const std::string &Dir() const { return dir_; }
  std::string Stem() const { return dir_ + "/BSP1"; }
  // A file of the folder: its bytes ("" when missing), or written anew.
  std::string Get(const std::string &name) const;
  void Put(const std::string &name, const std::string &bytes) const;
  // setenv, or unsetenv for null.
  static void Set_Env(const char *name, const char *value);
  // Stahl_EC3_Main with these arguments.
  static int Run(const std::vector<std::string> &args);

 private:
  std::string dir_;
};

// A member of the defaults with one row: shape 0 the flat bar 200 × 20, 1 a welded I-section
// 300 × 200 (web 10, flanges 15); method 1 elastic, 2 elastic-plastic; fy_user non-zero: the user's
// strengths, fy = max(fy_user, 0); gamma non-zero: not standardised, gamma_M0 = max(gamma, 0); c/t check off.
void Make_Test_Member(BAUTEIL *b, int shape, int method, double fy_user, double gamma, const BRANDLAST &row);
