// Helpers of the print tests: a print list in a temporary file, read back as bytes.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "print/print.h"
#include "tests/testsupport/olireader.h"

inline std::string Read_Bytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string Golden(const char *name) {
  return Read_Bytes(std::string(PF_SOURCE_DIR) + "/tests/print/golden/" + name);
}

// Runs a writer script on a fresh print list at a temporary path; the list's bytes.
template <class Script>
std::string Written(const Script &script) {
  Reset_Print_For_Tests();
  const std::string path = ::testing::TempDir() + "print_script_" + std::to_string(getpid()) + ".oli";
  FILE *f = Open_Druckliste(path.c_str());
  EXPECT_NE(f, nullptr);
  if (!f) return "<not opened>";
  script(f);
  EXPECT_EQ(0, Close_Druckliste(f));
  std::string bytes = Read_Bytes(path);
  std::remove(path.c_str());
  Reset_Print_For_Tests();
  return bytes;
}

// A fixture with one print list open at a fresh temporary path.
class PrintListFile : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Print_For_Tests();
    const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
    // The process id keeps the plain and the sanitizer build apart when both run at once.
    path_ = ::testing::TempDir() + "print_" + std::to_string(getpid()) + "_" + info->test_suite_name() + "_" +
            info->name() + ".oli";
    f_ = Open_Druckliste(path_.c_str());
    ASSERT_NE(f_, nullptr);
  }
  void TearDown() override {
    if (f_) Close_Druckliste(f_);
    Reset_Print_For_Tests();
    std::remove(path_.c_str());
  }
  // Closes the list and returns its bytes.
  std::string Finish() {
    EXPECT_EQ(0, Close_Druckliste(f_));
    f_ = nullptr;
    return Read_Bytes(path_);
  }
  // Closes the list and reads it back; the reader must find no fault.
  OLI_DOCUMENT Finish_And_Read() {
    std::string bytes = Finish();
    OLI_DOCUMENT doc;
    int errors = Read_Oli_Text(bytes.data(), bytes.size(), &doc);
    EXPECT_EQ(0, errors) << (doc.errors.empty() ? std::string() : doc.errors[0]) << "\n" << bytes;
    return doc;
  }
  std::string path_;
  FILE *f_ = nullptr;
};
