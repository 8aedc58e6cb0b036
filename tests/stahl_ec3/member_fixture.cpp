#include "tests/stahl_ec3/member_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/host_test.h"
#include "profil/profil.h"

namespace fs = std::filesystem;

void MemberFolderTest::SetUp() {
  Host_Test_Reset();
  const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = fs::absolute(fs::path("member-runs") / (std::string(info->test_suite_name()) + "." + info->name())).string();
  Fresh_Folder();
  Set_Env("EXEC", dir_.c_str());
  Set_Env("YRMPRIVATE", dir_.c_str());
}

void MemberFolderTest::TearDown() {
  Set_Env("EXEC", nullptr);
  Set_Env("YRMPRIVATE", nullptr);
  Host_Test_Reset();
}

void MemberFolderTest::Fresh_Folder() {
  fs::remove_all(dir_);
  fs::create_directories(dir_);
  for (const char *name : {"BSP1_01.INP", "BSP1_01.TXT"})
    fs::copy_file(fs::path(PF_SOURCE_DIR) / "example" / name, fs::path(dir_) / name);
}

std::string MemberFolderTest::Get(const std::string &name) const {
  std::ifstream in(dir_ + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void MemberFolderTest::Put(const std::string &name, const std::string &bytes) const {
  std::ofstream(dir_ + "/" + name, std::ios::binary) << bytes;
}

void MemberFolderTest::Set_Env(const char *name, const char *value) {
  if (value)
    setenv(name, value, 1);
  else
    unsetenv(name);
}

int MemberFolderTest::Run(const std::vector<std::string> &args) {
  std::vector<char *> argv;
  for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
  argv.push_back(nullptr);
  return Stahl_EC3_Main(static_cast<int>(args.size()), argv.data());
}

void Make_Test_Member(BAUTEIL *b, int shape, int method, double fy_user, double gamma, const BRANDLAST &row) {
  Set_Bauteil_Defaults(b);
  Reset_Profil(&b->profil);
  PROFIL &p = b->profil;
  p.kind = PROFIL_KIND_PARAMETRIC;
  if (shape == 0) {
    p.type = PROFIL_FLAT, p.h = 200, p.t_w = 20;
  } else {
    p.type = PROFIL_I, p.h = 300, p.t_w = 10, p.b_fo = p.b_fu = 200, p.t_fo = p.t_fu = 15, p.a_o = p.a_u = 5;
  }
  if (fy_user != 0) {
    const double fy = fy_user > 0 ? fy_user : 0;
    b->material.user_values = 1;
    b->material.fy_40 = b->material.fy_80 = b->material.fy_inf = fy;
    b->material.fu_40 = b->material.fu_80 = b->material.fu_inf = fy + 100;
  }
  if (gamma != 0) {
    b->safety.standardised = 0;
    b->safety.gamma_M0 = gamma > 0 ? gamma : 0;
  }
  b->method = method;
  b->ct_check = 0;
  b->brandlasten[0] = row;
}
