// tests/stahl_ec3/member_fixture.h — the member program on a folder of its own per test: the
// fixture that makes it (member-runs/<suite>.<test>/ below the test's working folder, with the
// example member's files, "EXEC" and "YRMPRIVATE" naming it, the host reset before and after),
// the program's starts, the member files the suites build, the texts they read off the list
// and the result page, and the screen points their scripts click.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/file_cap.h"
#include "host/host_test.h"
#include "stahl_ec3/program_internal.h"
#include "support/cp850.h"
#include "tests/testsupport/olireader.h"
#include "tests/testsupport/olitext.h"
#include "tests/testsupport/screen_test.h"

// The result page's texts of the rows ("XXXXXX" for a row without result).
inline std::string Page5(const BAUTEIL &b) {
  std::string shown;
  for (int i = 0; i < b.brandlast_count; ++i) {
    double u = 0;
    char text[32] = "XXXXXX";
    if (Get_Brandlast_Utilisation(&b, i, &u)) std::snprintf(text, sizeof text, "%.0lf%%", 100 * u);
    shown += text;
  }
  return shown;
}

// A print list as UTF-8 text without markup.
inline std::string Plain_List(const std::string &oli) {
  std::string plain;
  Oli_Markup_Plain(oli, &plain, nullptr);
  return Cp850_To_Utf8(plain);
}

// The utilisation a verdict line prints: the number after the "= " behind its last 'U'.
inline double U_of(const std::string &line) { return std::atof(line.c_str() + line.find("= ", line.rfind('U')) + 2); }

// The member file that the defaults of a new member (S235, the annex's factors, HE 280 A,
// elastic with the c/t check, one row) make once `set` has changed them.
inline std::string Member_Bytes(const std::function<void(BAUTEIL *)> &set) {
  BAUTEIL b{};
  Set_Bauteil_Defaults(&b);
  set(&b);
  const std::string path = testing::TempDir() + "member_" + std::to_string(getpid()) + ".INP";
  EXPECT_EQ(Save_Bauteil_File(path.c_str(), &b), 0);
  Reset_Bauteil(&b);
  const std::string bytes = test_files::Slurp(path);
  std::filesystem::remove(path);
  return bytes;
}

// Screen points: the tabs of pages 1, 4 and 5; the finish dialog's "speichern und beenden"
// and "beenden ohne zu speichern"; on page 4 the row below three rows and the append control.
inline const std::string kTab1 = " c100,75 ", kTab4 = " c260,75 ", kTab5 = " c430,75 ";
inline const std::string kSave = " c520,450 ", kQuit = " c520,480 ";
constexpr int kRow4 = 100 + 3 * 22 + 6;
inline std::string At(int x, int y) {  // a click on the point (x, y) of the content
  return " c" + std::to_string(14 + x) + "," + std::to_string(92 + y) + " w50 ";
}
inline std::string Bar(int x) {  // onto an icon-bar button, a rest, the click
  const std::string p = std::to_string(x) + ",27";
  return " m" + p + " w200 c" + p + " w50 ";
}
inline const std::string kEnd = Bar(591), kHelp = Bar(546);

// Which of the example member's files a fresh folder holds.
enum class ExampleFiles {
  kMember,  // BSP1_01.INP and BSP1_01.TXT
  kText,    // BSP1_01.TXT alone: the test writes the member file
  kNone,
};

class MemberFolder : public ::testing::Test {
 protected:
  explicit MemberFolder(ExampleFiles example = ExampleFiles::kMember) : example_(example) {}
  void SetUp() override {
    Host_Test_Reset();
    const ::testing::TestInfo *t = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::absolute("member-runs/" + std::string(t->test_suite_name()) + "." + t->name()).string();
    Fresh_Folder();
    setenv("EXEC", dir_.c_str(), 1);
    setenv("YRMPRIVATE", dir_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("EXEC");
    unsetenv("YRMPRIVATE");
    Host_Test_Reset();
  }
  // The texts the host showed of a kind (1 boxes, 3 questions), each ended by '|'.
  static std::string Said(int kind) {
    std::string said;
    for (const HOST_MESSAGE &m : Host_Messages())
      if (m.kind == kind) said += m.text + "|";
    return said;
  }
  // The folder emptied, with the example's files of the fixture.
  void Fresh_Folder() const {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    Copy_Example(example_);
  }
  // The example member's files copied into the folder, over what stands there.
  void Copy_Example(ExampleFiles which = ExampleFiles::kMember) const {
    for (const char *name : {"BSP1_01.INP", "BSP1_01.TXT"})
      if (which == ExampleFiles::kMember || (which == ExampleFiles::kText && name[8] == 'T'))
        std::filesystem::copy_file(PF_SOURCE_DIR "/example/" + std::string(name), Path(name),
                                   std::filesystem::copy_options::overwrite_existing);
  }
  std::string Path(const std::string &name) const { return dir_ + "/" + name; }
  std::string Stem() const { return Path("BSP1"); }
  bool Has(const std::string &name) const { return std::filesystem::exists(Path(name)); }
  std::string Get(const std::string &name) const { return test_files::Slurp(Path(name)); }
  void Put(const std::string &name, const std::string &bytes) const { test_files::Put(Path(name), bytes); }

  // The program's main (or start) on args, of which it sees argc (-1: all).
  static int Run(std::vector<std::string> args, int argc = -1, int (*main)(int, char **) = Stahl_EC3_Main) {
    std::vector<char *> argv;
    for (std::string &a : args) argv.push_back(a.data());
    return main(argc < 0 ? static_cast<int>(argv.size()) : argc, argv.data());
  }
  // The start for the screen (position 12).
  int Start() const { return Run({"stahl_ec3", Stem(), "0", "1", "12"}, 5, Start_Stahl_EC3); }
  // The screen from its start to the script's end (the host's stop when the script runs out).
  static int Screen(const std::string &steps) {
    Host_Test_Set_Policy(HOST_SCRIPT_SOFT);
    Script(steps + " w50");
    return Run_Stahl_EC3_Screen();
  }
  // "-refresh" of the member stem in the folder (icon id icon, work file 1, position 1).
  int Refresh_Stem(const std::string &stem, const char *icon = "0") const {
    return Run({"stahl_ec3", Path(stem), icon, "1", "1", "-refresh"});
  }
  // The refresh road on the member file inp, which ends as saved: the list as UTF-8 without
  // markup, the list's bytes (they read back, also as the tool oli2txt reads them) and
  // standard error.
  struct Refresh {
    std::string plain, oli, err;
  };
  Refresh Run_Refresh(const std::string &inp) const {
    Put("BSP1_01.INP", inp);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Refresh_Stem("BSP1", "7"), 1);
    Refresh r;
    r.err = testing::internal::GetCapturedStderr();
    r.oli = Get("BSP1_01.OLI");
    OLI_DOCUMENT doc;
    EXPECT_EQ(Read_Oli_Text(r.oli.data(), r.oli.size(), &doc), 0) << (doc.errors.empty() ? "" : doc.errors[0]);
    std::string text, why;
    EXPECT_EQ(Oli_List_Utf8(r.oli, &text, &why), OLI_TEXT_OK) << why;
    r.plain = Plain_List(r.oli);
    return r;
  }

  std::string dir_;

 private:
  ExampleFiles example_;
};
