// tests/checks/checks_fixture.h — library profiles and golden print lists of the checks suites.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "host/host.h"
#include "materials/capture.h"
#include "materials/materials.h"
#include "nad/nad.h"
#include "profil/profil.h"
#include "tests/testsupport/olireader.h"

// A library profile in the Eurocode grade of list row (0 S235, 2 S355) at its flange.
struct Library {
  PROFIL p{};
  Library(const char *name, int row) {
    Init_Material_Data(&p.grade);
    p.grade.grade = row;
    EXPECT_EQ(0, Set_Profil_by_Library_Name(&p, name)) << name;
    Check_Material_Strength(&p.grade, p.t_fo, nullptr, 0, nullptr);
  }
  ~Library() { Reset_Profil(&p); }
};

class ChecksTest : public ::testing::Test {
 protected:
  void SetUp() override { Host_Reset(), Reset_NAD_For_Tests(); }
};

// bytes against tests/checks/golden/name (PF_UPDATE_GOLDEN=1 writes it anew); the list must
// read back without a fault.
inline void Expect_Golden(const char *name, const std::string &bytes) {
  const std::string path = std::string(PF_SOURCE_DIR) + "/tests/checks/golden/" + name;
  if (std::getenv("PF_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << bytes;
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes) << name << ": PF_UPDATE_GOLDEN=1 writes it";
  OLI_DOCUMENT doc;
  EXPECT_EQ(0, Read_Oli_Text(bytes.data(), bytes.size(), &doc)) << (doc.errors.empty() ? "" : doc.errors[0]);
}
