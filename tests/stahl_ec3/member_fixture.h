// tests/stahl_ec3/member_fixture.h — a fresh copy of the example member per test in
// member-runs/<suite>.<test>/ ("EXEC" and "YRMPRIVATE" naming it), and single-row members.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/host_test.h"
#include "profil/profil.h"
#include "stahl_ec3/stahl_ec3.h"

class MemberFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Test_Reset();
    const ::testing::TestInfo *t = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::absolute("member-runs/" + std::string(t->test_suite_name()) + "." + t->name());
    Fresh_Folder();
    setenv("EXEC", dir_.c_str(), 1);
    setenv("YRMPRIVATE", dir_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("EXEC");
    unsetenv("YRMPRIVATE");
    Host_Test_Reset();
  }
  void Fresh_Folder() {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    for (const char *name : {"/BSP1_01.INP", "/BSP1_01.TXT"})
      std::filesystem::copy_file(PF_SOURCE_DIR "/example" + std::string(name), dir_ + name);
  }
  std::string Stem() const { return dir_ + "/BSP1"; }
  bool Has(const std::string &name) const { return std::filesystem::exists(dir_ + "/" + name); }
  std::string Get(const std::string &name) const {  // "" when missing
    std::ifstream in(dir_ + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void Put(const std::string &name, const std::string &bytes) const {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << bytes;
  }
  static int Run(std::vector<std::string> args) {  // Stahl_EC3_Main
    std::vector<char *> argv;
    for (std::string &a : args) argv.push_back(a.data());
    return Stahl_EC3_Main(static_cast<int>(args.size()), argv.data());
  }
  std::string dir_;
};

// A member of the defaults with one row N, M_y, M_z: shape 0 the flat bar 200 × 20, 1 a
// welded I 300 × 200 (web 10, flanges 15); method 1 elastic, 2 elastic-plastic; fy_user
// non-zero: the user's strengths, fy = max(fy_user, 0); gamma non-zero: not standardised,
// gamma_M0 = max(gamma, 0); c/t check off.
inline void Make_Test_Member(BAUTEIL *b, int shape, int method, double fy_user, double gamma, double N, double M_y,
                             double M_z) {
  Set_Bauteil_Defaults(b);
  Reset_Profil(&b->profil);
  PROFIL &p = b->profil;
  if (shape == 0) p.type = PROFIL_FLAT, p.h = 200, p.t_w = 20;
  if (shape == 1) p.type = PROFIL_I, p.h = 300, p.t_w = 10, p.b_fo = p.b_fu = 200, p.t_fo = p.t_fu = 15, p.a_o = p.a_u = 5;
  MATERIAL &m = b->material;
  if (fy_user != 0) {
    m.user_values = 1;
    m.fy_40 = m.fy_80 = m.fy_inf = fy_user > 0 ? fy_user : 0;
    m.fu_40 = m.fu_80 = m.fu_inf = m.fy_40 + 100;
  }
  if (gamma != 0) b->safety.standardised = 0, b->safety.gamma_M0 = gamma > 0 ? gamma : 0;
  b->method = method;
  b->ct_check = 0;
  BRANDLAST &r = b->brandlasten[0];
  r = BRANDLAST{"Brand 1", N, M_y, M_z, 0, 0, 0, 0, 0};
}
