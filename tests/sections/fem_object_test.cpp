// The head of a section model file for the suite's FEM program, which is not installed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "sections/sections.h"

namespace {

// Sound heads answer "not installed"; a head that is missing, misspelt, late, untyped, of
// an unknown type or cut short is refused; the file is never changed.
TEST(SectionsFemObject, HeadAndAnswer) {
  namespace fs = std::filesystem;
  const fs::path path = fs::path(::testing::TempDir()) / ("fem_object_" + std::to_string(getpid()) + ".XPR");
  struct Case {
    const char *what, *text;
    int answer;
  } cases[] = {
      {"library profile", "\nOBJECT\n3 1 1\n\nPROFILNAME\nIPE300\n", FEM_OBJECT_NOT_INSTALLED},
      {"line model", "OBJECT\n1 13 14\nNAME\nDWQB_QImport\nNODES 2\n", FEM_OBJECT_NOT_INSTALLED},
      {"polygon model, CR LF, blank lines first", "  \r\n\r\nOBJECT\r\n2 0 0\r\n", FEM_OBJECT_NOT_INSTALLED},
      {"misspelt head", "OBJECTS\n1 13 14\n", FEM_OBJECT_BAD_HEAD},
      {"head after another line", "NODES 2\nOBJECT\n1 13 14\n", FEM_OBJECT_BAD_HEAD},
      {"unknown type", "OBJECT\n4 1 1\n", FEM_OBJECT_BAD_HEAD},
      {"type 0", "OBJECT\n0 1 1\n", FEM_OBJECT_BAD_HEAD},
      {"no type", "OBJECT\nPROFILNAME\n", FEM_OBJECT_BAD_HEAD},
      {"cut after the head", "OBJECT", FEM_OBJECT_BAD_HEAD},
      {"empty file", "", FEM_OBJECT_BAD_HEAD},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    std::ofstream(path, std::ios::binary) << c.text;
    EXPECT_EQ(Read_FEM_Object_File(path.c_str()), c.answer);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.text);
  }
  fs::remove(path);
  EXPECT_EQ(Read_FEM_Object_File(path.c_str()), FEM_OBJECT_NO_FILE);
  EXPECT_EQ(Read_FEM_Object_File(""), FEM_OBJECT_NO_FILE);
  EXPECT_EQ(Read_FEM_Object_File(::testing::TempDir().c_str()), FEM_OBJECT_NO_FILE);  // opens, cannot be read
  EXPECT_EQ(Read_FEM_Object_File(nullptr), FEM_OBJECT_NO_FILE);
}

}  // namespace
