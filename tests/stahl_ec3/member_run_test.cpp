// The member program on a fresh copy of the example member per test (member-runs/<suite>.
// <test>/, "EXEC" and "YRMPRIVATE" naming it): the start-up, the refresh road (print lists,
// plot files and page traces golden in tests/stahl_ec3/golden, PF_UPDATE_GOLDEN=1 writes
// them anew), the print body of single members, the run's file steps and the screen driven by
// scripted input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/file_cap.h"
#include "host/host_test.h"
#include "nad/nad.h"
#include "sections/sections.h"
#include "stahl_ec3/program_internal.h"
#include "support/cp850.h"
#include "tests/stahl_ec3/member_fixture.h"
#include "tests/testsupport/olireader.h"
#include "tests/testsupport/screen_test.h"

namespace {

#define GOLDEN_DIR PF_SOURCE_DIR "/tests/stahl_ec3/golden/"
using test_files::Slurp;

void Expect_Golden(const std::string &name, const std::string &bytes) {
  if (std::getenv("PF_UPDATE_GOLDEN")) test_files::Put(GOLDEN_DIR + name, bytes);
  EXPECT_TRUE(Slurp(GOLDEN_DIR + name) == bytes) << name << " differs (PF_UPDATE_GOLDEN=1 writes it)";
}

// The member file of a flat bar 200 × 20 of the defaults (S235, the annex's factors, c/t
// check off) with one row N, M_y, M_z and the method (1 elastic, 2 elastic-plastic); more
// changes it further.
std::string Member_File(int method, double N, double M_y, double M_z, const std::function<void(BAUTEIL *)> &more = {}) {
  return Member_Bytes([&](BAUTEIL *b) {
    Reset_Profil(&b->profil);
    b->profil.type = PROFIL_FLAT, b->profil.h = 200, b->profil.t_w = 20;
    b->method = method, b->ct_check = 0;
    b->brandlasten[0] = BRANDLAST{"Brand 1", N, M_y, M_z, 0, 0, 0, 0, 0};
    if (more) more(b);
  });
}

class MemberRun : public MemberFolder {};

// The start-up's refusals: each with its line and exit code 0, nothing written. The work-file
// and position numbers are whole decimal numbers 0 … 2147483647 read over the whole text
// (not "x" as 0, "4294967297" wrapped to 1 or "-5" as a position); "EXEC" and "YRMPRIVATE"
// name folders ("dir": the member's folder, "file": its member file, "missing": no path).
TEST_F(MemberRun, ExitCodesOfTheStartUp) {
  const struct {
    const char *what, *exec, *priv;
    int args, rc;
    const char *out, *err;
    const char *file_id = "1", *pos_id = "1";
    const char *written = nullptr;  // a file the run writes beside the list
  } cases[] = {
      {"three arguments", "dir", "dir", 3, 0, "usage: stahl_ec3 Bauteilkennung Icon-Id File-Id Pos-Id", ""},
      {"EXEC unset", nullptr, "dir", 5, 0, "", "EXEC"},
      {"EXEC empty", "", "dir", 5, 0, "", "EXEC"},
      {"EXEC names a file", "file", "dir", 5, 0, "", "EXEC names a file, not a folder"},
      {"EXEC names nothing", "missing", "dir", 5, 0, "", "EXEC names no existing path, not a folder"},
      {"no private path", "dir", nullptr, 5, 0, "", "YRMPRIVATE"},
      {"private path a file", "dir", "file", 5, 0, "", "YRMPRIVATE names a file, not a folder"},
      {"private path names nothing", "dir", "missing", 5, 0, "", "YRMPRIVATE names no existing path"},
      {"stem of 261 characters", "dir", "dir", 5, 0, "", "260"},
      {"negative work-file number", "dir", "dir", 5, 0, "", "work-file number -1 is not", "-1"},
      {"work-file number x", "dir", "dir", 5, 0, "", "work-file number x is not", "x"},
      {"work-file number 2^32 + 1", "dir", "dir", 5, 0, "", "work-file number 4294967297 is not", "4294967297"},
      {"work-file number 2^31", "dir", "dir", 5, 0, "", "work-file number 2147483648 is not", "2147483648"},
      {"work-file number 1x", "dir", "dir", 5, 0, "", "work-file number 1x is not", "1x"},
      {"work-file number +1", "dir", "dir", 5, 0, "", "work-file number +1 is not", "+1"},
      {"work-file number empty", "dir", "dir", 5, 0, "", "work-file number  is not", ""},
      {"position -5", "dir", "dir", 5, 0, "", "position number -5 is not", "1", "-5"},
      {"position 12 blank", "dir", "dir", 5, 0, "", "position number 12  is not", "1", "12 "},
      {"position 2^31", "dir", "dir", 5, 0, "", "position number 2147483648 is not", "1", "2147483648"},
      {"work-file number 01, position 2^31 - 1", "dir", "dir", 5, 1, "", "", "01", "2147483647", "BSP12147483647.SPF"},
      {"refresh without exchange files", "dir", "dir", 5, 1, "", "", "1", "1", "BSP10001.SPF"},
      {"refresh, the plot file a folder", "dir", "dir", 5, 0, "", "BSP10001.SPF: the plot file cannot be written"},
      {"refresh, the list a folder", "dir", "dir", 5, 0, "", "BSP1_01.OLI: the print list cannot be written"},
      {"the screen, left at once", "dir", "dir", 4, 0, "", ""},
  };
  auto env = [&](const char *name, const char *value) {
    if (!value) return unsetenv(name);
    const std::string v = !std::strcmp(value, "dir")       ? dir_
                          : !std::strcmp(value, "file")    ? dir_ + "/BSP1_01.INP"
                          : !std::strcmp(value, "missing") ? dir_ + "/no-such-folder"
                                                           : value;
    return setenv(name, v.c_str(), 1);
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    Fresh_Folder();
    env("EXEC", c.exec);
    env("YRMPRIVATE", c.priv);
    const std::string stem = std::strcmp(c.err, "260") == 0 ? std::string(261, 'S') : Stem();
    if (std::strstr(c.what, "folder")) std::filesystem::create_directory(dir_ + (std::strstr(c.err, "SPF") ? "/BSP10001.SPF" : "/BSP1_01.OLI"));
    Host_Test_Set_Policy(HOST_SCRIPT_SOFT);  // the screen ends with the script
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run({"stahl_ec3", stem, "0", c.file_id, c.pos_id, "-refresh"}, c.args + 1), c.rc);
    EXPECT_NE(testing::internal::GetCapturedStdout().find(c.out), std::string::npos);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(c.err[0] ? err.find(c.err) != std::string::npos : err.empty()) << err;
    EXPECT_EQ(std::filesystem::is_regular_file(dir_ + "/BSP1_01.OLI"), c.rc == 1 || std::strstr(c.err, "SPF"));
    if (c.written) {
      EXPECT_TRUE(Has(c.written));
    }
    // Nothing else beside the member's two files, the list and what the case names.
    int others = 0;
    for (const auto &e : std::filesystem::directory_iterator(dir_)) {
      const std::string n = e.path().filename().string();
      others += n != "BSP1_01.INP" && n != "BSP1_01.TXT" && n != "BSP1_01.OLI" && !(c.written && n == c.written) &&
                n != "BSP10001.SPF";
    }
    EXPECT_EQ(others, 0);
  }
}

// The refresh road writes the print list and the plot file (golden) and keeps the member and
// exchange files. The example (HE 280 A, S235, elastic, c/t); the example elastic-plastic
// with a spoilt standardised factor (the annex's is printed) and a position text of 300 bytes
// (255 kept); a welded mono-symmetric I (flange 45 mm: f_y 215; the German annex, gamma_M0
// 1.05 of its own, elastic-plastic) with rows of every force and rows at the limits of
// "zero", a position text with blanks and CR LF; single rows of a flat bar against closed
// formulas (σ = N/A ± M/W) about both axes and with gamma_M0 1.1, of a grade without yield
// strength, without design strength, elastic-plastic (not for a flat bar), at zero forces:
// every row has its line. A member file that cannot be read (garbled, cut, newer, missing;
// the last without a position text: its number heads the page) gives the page head and
// "Lesefehler" only, an empty plot file and the reason on standard error.
// The utilisations of the example follow closed formulas with A, I_y, W_pl,y of HE 280 A
// (EN 10365): elastic (|N|/A + M_y·h/(2·I_y))/235; elastic-plastic EN 1993-1-1 6.2.9.1
// (M_N,y,Rd = M_pl,y,Rd (1 − n)/(1 − 0.5 a), a = (A − 2 b t_f)/A) solved for the load factor f
// with N = f·N_Ed, M = f·M_Ed, U = 1/f.
TEST_F(MemberRun, RefreshRoadGolden) {
  const double A = 9726, I_y = 13670e4, h = 270, N_pl = A * 235, M_pl = 1112e3 * 235, a = (A - 2 * 280 * 13) / A;
  const double NM[2][2] = {{500e3, 100e6}, {1500e3, 250e6}};
  auto u = [&](bool plastic, int k) {
    const double N = NM[k][0], M = NM[k][1];
    return plastic ? (M + N * M_pl / N_pl / (1 - 0.5 * a)) / (M_pl / (1 - 0.5 * a)) : (N / A + M * h / (2 * I_y)) / 235;
  };
  const std::string ex = Get("BSP1_01.INP"), txt = Get("BSP1_01.TXT");
  auto own_gamma = [](double g) { return [g](BAUTEIL *b) { b->safety.standardised = 0, b->safety.gamma_M0 = g; }; };
  std::string plastic = ex;
  plastic.replace(plastic.find("\n 1 1\n"), 6, "\n 2 1\n").replace(plastic.find(" 1.000000 1.000000 1.25"), 9, " 1.300000");
  const struct {
    const char *name, *page5;  // page5 null: unreadable, the name says why
    std::string inp, txt;
    const char *line = "";  // a line the list holds
  } cases[] = {
      // The note says that no stability check is made.
      {"bsp1", "64%0%171%", ex, txt, "Biegeknicken und Biegedrillknicken werden nicht nachgewiesen (nur Querschnittsnachweise)."},
      {"bsp1_plastic", "86%0%150%", plastic, std::string(300, 'P') + "\n"},
      // The last row, V_z 120 kN alone: the web's shear area of EN 1993-1-1, 6.2.6(3)d with
      // η = 1, 53.5 · 1.2 = 64.2 cm², V_pl,Rd = 64.2 · 21.5/1.05/√3 = 759.0 kN: U 0.158.
      {"weld", "46%31%0%0%45%0%45%16%", Slurp(GOLDEN_DIR "WELD_01.INP"), "  Pos. W1  \r\nzweite Zeile\n"},
      {"flat_N_My", "43%", Member_File(1, -100, 10, 0), txt, "min / max ╠x = -100.00 / 50.00 N/mm²"},
      {"flat_tension_Mz", "37%", Member_File(1, 50, 0, -1), txt, "min / max ╠x = -62.50 / 87.50 N/mm²"},
      {"flat_gamma", "47%", Member_File(1, -100, -10, 0, own_gamma(1.1)), txt, "╠v,Rd = 213.64 N/mm²  ê  U╠v = 0.468"},
      {"no_fy", "XXXXXX", Member_File(1, -100, 10, 0, [](BAUTEIL *b) {
         b->material.user_values = 1, b->material.fy_40 = b->material.fy_80 = b->material.fy_inf = 0;
       }), txt, "Für dieses Material kann der Nachweis nicht"},
      {"no_design_strength", "XXXXXX", Member_File(1, -100, 10, 0, own_gamma(0)), txt, "Nachweis wurde nicht geführt"},
      {"flat_plastic", "XXXXXX", Member_File(2, -100, 10, 0), txt, "plastischer Nachweis für dieses Profil nicht"},
      {"zero", "0%", Member_File(1, 0.005, 0.0005, 0), txt, "Schnittgrößen = 0: Nachweis nicht erforderlich"},
      {"garbled", nullptr, "kein Bauteil\n", txt},
      {"cut", nullptr, ex.substr(0, ex.size() / 2), txt},
      {"newer", nullptr, " 3" + ex.substr(2), txt},
      {"does not exist", nullptr, "", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    Fresh_Folder();
    for (const auto &[file, bytes] : {std::pair{"BSP1_01.INP", c.inp}, {"BSP1_01.TXT", c.txt}, {"BSP1_01.XPR", "xpr\n"}})
      bytes.empty() ? (void)std::filesystem::remove(dir_ + "/" + file) : Put(file, bytes);
    testing::internal::CaptureStderr();
    ASSERT_EQ(Run({"stahl_ec3", Stem(), "7", "1", "1", "-refresh"}), 1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(c.page5 ? err.empty() : err.find("Lesefehler: ") != std::string::npos && err.find(c.name) != std::string::npos) << err;
    EXPECT_TRUE(Host_Messages().empty()) << Host_Messages()[0].text;  // the refresh road asks nothing
    EXPECT_EQ(Get("BSP1_01.INP") + Get("BSP1_01.XPR") + std::to_string(Has("BSP1_01_TMP.XPR")), c.inp + "xpr\n0");
    const std::string oli = Get("BSP1_01.OLI"), golden = c.page5 ? c.name : "unreadable_" + std::to_string(c.txt.empty());
    Expect_Golden(golden + ".oli", oli);
    Expect_Golden(golden + ".spf", Get("BSP10001.SPF"));
    OLI_DOCUMENT doc;
    EXPECT_EQ(Read_Oli_Text(oli.data(), oli.size(), &doc), 0) << (doc.errors.empty() ? "" : doc.errors[0]);
    EXPECT_EQ(Page5(*Get_Stahl_EC3_Bauteil()), c.page5 ? c.page5 : "XXXXXX");
    const std::string plain = Plain_List(oli);
    EXPECT_NE(plain.find(c.line), std::string::npos) << c.line;
    for (std::size_t k = 0, at = 0; c.name[0] == 'b' && k < 2; ++k) {  // the first two rows' verdicts
      ASSERT_NE(at = plain.find("\nNachweis: ", at + 1), std::string::npos);
      const std::string l = plain.substr(at + 1, plain.find('\n', at + 1) - at - 1);
      const double want = u(c.page5[0] == '8', k);
      EXPECT_NEAR(U_of(l), want, 0.01 * want) << l;
      EXPECT_EQ(l.find("nicht ok !!") != std::string::npos, k == 1) << l;
    }
  }
}

// The c/t check of a row through the refresh road (S235, gamma_M0 1.0; plastic: against
// class 2, elastic: class 3), hand values to EN 1993-1-1 Table 5.2 with alpha of classes 1
// and 2 from the plastic neutral axis, which takes N at f_y and turns until its blocks'
// moment points the way the row's moments do:
// - welded I 640 (web 600 × 8, flanges 300 × 20 over 200 × 20), M_y 300 kNm with the larger
//   flange compressed: the axis halves the area 14800 mm², 6000 + 8 x = 7400, x = 175 mm
//   into the web, alpha = 175 / 600 = 0.2917, the web 75 / (41.5 / alpha) = 0.527 (elastic
//   psi = −341.9 / 258.1: the class-3 limit 165.9 does not cut it); the flange 146 / 20 =
//   7.3 against 10 governs, 0.730. Turned (−300 kNm): alpha = 425 / 600 = 0.708,
//   75 / (456 / (13 alpha − 1)) = 1.349 "nicht ok", where alpha 1 gave 75 / 38 = 1.974.
// - RHS 200 × 100 × 8 (centre lines 192 × 92; webs c = 168 between the corners), M_y 60 +
//   M_z 10 kNm: N = 0 puts the axis through the centre, crossing the webs at ±z_0; the flanges
//   give M_y 2 · 92 · 8 · 96, the webs 2 · 8 (96² − z_0²) and M_z 184 · 8 · z_0, so M_z / M_y
//   = 1/6 gives z_0² + 552 z_0 − 18048 = 0, z_0 = 30.96 mm, alpha = (84 + 30.96) / 168 =
//   0.684 and 21 / (456 / (13 alpha − 1)) = 0.364 (the strips' thickness: 0.363), where
//   alpha 1 gave 21 / 38 = 0.553.
// - IPE 300, N +252.92 kN, M_z 11.771 kNm, V_y 152.433 kN: N / f_y = 1076 mm² stays inside
//   the web (2 e · 289.3 mm, e = 1.86 mm < t_w / 2), so the compressed outstands are wholly
//   compressed, alpha 1: c/t 5.276 against 10 gives 0.528 (the elastic root stress in
//   tension gave alpha 0.90 and 0.476). HE 280 A under N +400 kN and M_z 40 kNm alike: N / f_y
//   = 1702 mm² = 2 e · 257 mm, e = 3.31 mm < 4 mm, so c/t 112 / 13 = 8.615 against 10 gives
//   0.862 (the elastic root stress +17.6 N/mm² against −76.5 at the tip: alpha 0.81, 0.700).
// - L 100 × 10, elastic, N −180.053 kN (94.0 N/mm²): Table 5.2 sheet 3, (b + h) / 2t = 10
//   against 11.5 · √(235 / 94.0) = 18.18 gives 0.550 (the legs alone 10 / (21 √0.43 ·
//   1.581) = 0.459).
TEST_F(MemberRun, CtCheckByPlasticNeutralAxis) {
  auto welded = [](double M_y) {
    return Member_File(2, 0, M_y, 0, [](BAUTEIL *b) {
      b->ct_check = 1;
      PROFIL &p = b->profil;
      p.type = PROFIL_I, p.rolled = 0, p.h = 640, p.t_w = 8, p.b_fo = 300, p.t_fo = 20, p.b_fu = 200, p.t_fu = 20;
    });
  };
  auto library = [](int method, const char *name, double N, double M_z, double V_y) {
    return Member_File(method, N, 0, M_z, [=](BAUTEIL *b) {
      b->ct_check = 1;
      b->brandlasten[0].V_y = V_y;
      EXPECT_EQ(0, Set_Profil_by_Library_Name(&b->profil, name)) << name;
    });
  };
  const struct {
    const char *what;
    std::string inp;
    double U_ct, internal;  // internal: the internal parts' line, 0 none
    double tol;
  } cases[] = {
      {"welded I, larger flange compressed", welded(300), 7.3 / 10, 75 * 0.29167 / 41.5, 0.002},
      {"welded I turned", welded(-300), 75 * (13 * 0.70833 - 1) / 456, 75 * (13 * 0.70833 - 1) / 456, 0.002},
      {"RHS M_y + M_z", Member_File(2, 0, 60, 10, [](BAUTEIL *b) {
         b->ct_check = 1;
         PROFIL &p = b->profil;
         p.type = PROFIL_RHS, p.rolled = 1, p.h = 200, p.t_w = p.t_fo = p.t_fu = 8, p.b_fo = p.b_fu = 100;
         p.r = 12, p.r_2 = 8;
       }), 21 * (13 * 0.6843 - 1) / 456, 21 * (13 * 0.6843 - 1) / 456, 0.005},
      {"IPE 300 tension + M_z", library(2, "IPE300", 252.92, 11.771, 152.433), 5.276 / 10, 0, 0.005},
      {"HE 280 A tension + M_z", library(2, "HE280A", 400, 40, 0), 112.0 / 13 / 10, 0, 0.005},
      {"L 100 x 10 compressed", library(1, "L100x10", -180.053, 0, 0), 10 / (11.5 * std::sqrt(235 / 94.0)), 0, 0.002},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    Fresh_Folder();
    Put("BSP1_01.INP", c.inp);
    ASSERT_EQ(Run({"stahl_ec3", Stem(), "7", "1", "1", "-refresh"}), 1);
    const BRANDLAST_RESULT &r = Get_Stahl_EC3_Bauteil()->results[0];
    EXPECT_NEAR(r.U_ct, c.U_ct, c.tol * c.U_ct);
    const std::string plain = Plain_List(Get("BSP1_01.OLI"));
    const std::size_t at = plain.find("beidseitig gestützt: Ausnutzung");
    EXPECT_EQ(at != std::string::npos, c.internal > 0);
    if (c.internal > 0 && at != std::string::npos) {
      EXPECT_NEAR(std::atof(plain.c_str() + plain.find("= ", at) + 2), c.internal, 0.0015) << plain.substr(at, 80);
    }
    EXPECT_EQ(plain.find("nicht ok !!  (bzgl. Querschnittsklasse") != std::string::npos, c.U_ct > 1) << plain;
  }
}

// The run's file steps: a new member takes the default annex set; the record read at the
// start has its section values, and a row outside its table no result; the section files
// are the member's ".GRQ" (saved) and ".QIN" (input); an unreadable member file is kept once
// as ".INP.bak" however often the member is saved, and not saved over where it cannot be
// kept; the exchange files are put back from their copies (none to put back is no failure;
// a copy that cannot be put back is kept and fails); the position label keeps 255 bytes and
// comes from the text named by the stem's first four bytes.
TEST_F(MemberRun, FileStepsOfTheRun) {
  std::filesystem::rename(dir_ + "/BSP1_01.INP", dir_ + "/saved.INP");
  Set_Active_NAD(NAD_GERMANY_NAME);
  ASSERT_EQ(Start(), -1);
  EXPECT_STREQ(Get_Active_NAD_Name(), NAD_DEFAULT_NAME);
  std::filesystem::rename(dir_ + "/saved.INP", dir_ + "/BSP1_01.INP");
  ASSERT_EQ(Start(), -1);
  BAUTEIL &b = *Get_Stahl_EC3_Bauteil();
  EXPECT_NEAR(b.profil.A, 9726, 1);  // HE 280 A (EN 10365)
  Print_Brandschutznachweis(&b, nullptr);
  double beyond = 9;
  b.brandlast_count = 2;
  EXPECT_EQ(Get_Brandlast_Utilisation(&b, 2, &beyond) + beyond, 0.0);
  b.brandlast_count = 3;
  EXPECT_EQ(Save_QImport_Sections() + Restore_Exchange_Files(), 0);
  EXPECT_EQ(Get("BSP1_01.GRQ").rfind("VARNO-QUER", 0) + Get("BSP1_01.QIN").size(), 0u);
  Put("BSP1_01.INP", " 2\n kaputt\n");
  Put("BSP1_01.XPR", "xpr\n");
  ASSERT_EQ(Start(), -1);
  std::filesystem::create_directory(dir_ + "/BSP1_01.INP.bak");  // no room to keep it: not saved
  EXPECT_EQ(Save_Bauteil_Member(), 1);
  std::filesystem::remove(dir_ + "/BSP1_01.INP.bak");
  EXPECT_EQ(Save_Bauteil_Member() + Save_Bauteil_Member(), 0);
  EXPECT_EQ(Get("BSP1_01.INP.bak"), " 2\n kaputt\n");
  std::filesystem::remove(dir_ + "/BSP1_01.XPR");
  std::filesystem::create_directory(dir_ + "/BSP1_01.XPR");
  testing::internal::CaptureStderr();
  EXPECT_EQ(Restore_Exchange_Files(), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("could not be restored"), std::string::npos);
  EXPECT_EQ(Get("BSP1_01_TMP.XPR"), "xpr\n");
  Set_Bauteil_Label(std::string(300, 'L').c_str());
  EXPECT_EQ(std::strlen(Get_Bauteil_Label()), 255u);
  std::filesystem::copy_file(dir_ + "/BSP1_01.INP", dir_ + "/BSP12_01.INP");
  ASSERT_EQ(Run({"stahl_ec3", dir_ + "/BSP12", "0", "1", "12"}, 5, Start_Stahl_EC3), -1);
  EXPECT_STREQ(Get_Bauteil_Label(), "Beispiel BSP1: Stütze HE 280 A, S 235"_cp);
}

// ---------------------------------------------------------------- the screen
// The screen points (tabs, icon bar, finish dialog) are the fixture header's.

// Runs of the screen, from the start on a member file to its end (the script's last step,
// else the host's stop: left without saving), with the exchange file changed meanwhile:
// changes on pages 1 ("Elastisch-Plastisch", c/t box off) and 4 (a row "Brand 4" with N −250
// appended) saved (the member files golden); an unreadable member file (garbled, or a link to
// itself that cannot be opened: "Lesefehler" and its name at the start, the defaults on
// screen) left (the exchange file put back) or saved (kept as ".INP.bak"; elastic chosen
// again on page 1), a save that fails (said, the run
// goes on in the screen's units); the icon bar: help by page (its file opened once),
// "Vorschau", "drucken", "plotten" write the list and hand it (or the plot file to the plot
// program) to the host (a list that cannot be written is said instead), "Druckeinstellung"
// and the annex button write nothing; the pages as the host draws them (the call trace,
// golden): 1, 4 and 5 of the welded member (two grades, every force), the result page of flat
// bars elastic (43 %, 113 % red, exactly 100 % green, 0 %) and elastic-plastic (no result),
// the picture of an angle.
TEST_F(MemberRun, ScreenRuns) {
  auto flat = [](int method) {
    return Member_File(method, 0, 0, 0, [](BAUTEIL *b) {
      Alloc_Brandlasten(b, 4);
      b->brandlasten[0].N = -100, b->brandlasten[0].M_y = 10;
      b->brandlasten[1].N = -1060;  // 265 N/mm² over 235
      b->brandlasten[2].N = -940;   // 235 N/mm²
    });
  };
  const std::string ex = Get("BSP1_01.INP"), garbled = " 2\n kaputt\n", weld = Slurp(GOLDEN_DIR "WELD_01.INP");
  const struct {
    const char *what;
    std::string inp, steps;  // inp: "" the example, "@" a link to itself
    int rc;
    const char *requests = "";  // host services asked, the member folder as '@'
    const char *note = "";      // in the last message
  } cases[] = {
      {"changes saved", "", At(670, 480) + At(670, 506) + kTab4 + " w50 " + At(45, kRow4) + At(85, kRow4) +
       "tBrand_4 k13 w50 t-250 k13 w50 k27 w50" + kEnd + kSave, 1},
      {"garbled, left", garbled, kTab4 + kEnd + kQuit, 0},
      {"garbled, saved", garbled, At(670, 480) + At(670, 462) + kTab4 + kEnd + kSave, 1},
      {"a loop, save fails", "@", kEnd + kSave, 0, "", "nicht gespeichert"},
      {"help twice", "", kHelp + kHelp, 0, "Init_Helpview(DOZU_169.HLP)Helpview(vi319_register1)Helpview(vi319_register1)"},
      {"help, page 4", "", kTab4 + kHelp, 0, "Init_Helpview(DOZU_169.HLP)Helpview(vi319_register4)"},
      {"help, page 5", "", kTab5 + kHelp, 0, "Init_Helpview(DOZU_169.HLP)Helpview(vi319_register5)"},
      {"Vorschau", "", Bar(411), 0, "Quick_OLI_View(@/BSP1_01.OLI)"},
      {"Vorschau, no list", "", Bar(411), 0, "", "Druckliste kann nicht geschrieben werden"},
      {"drucken", "", Bar(456), 0, "Quick_OLI_Print(@/BSP1_01.OLI)"},
      {"plotten", "", Bar(501), 0, "YRMSpawnv(0,@/Zadadade.exe,@/BSP10012.SPF)"},
      {"Druckeinstellung", "", Bar(311), 0},
      {"nationaler Anhang", "", Bar(366), 0},
      {"weld_page1.trace", weld, "", 0},
      {"weld_page4.trace", weld, kTab4, 0},
      {"weld_page5.trace", weld, kTab5, 0},
      {"flat_page5.trace", flat(1), kTab5, 0},
      {"flat_plastic_page5.trace", flat(2), kTab5, 0},
      {"angle_page1.trace", Member_File(1, -10, 0, 0, [](BAUTEIL *b) {
         b->profil.type = PROFIL_ANGLE, b->profil.h = 150, b->profil.t_w = 12, b->profil.b_fo = 90, b->profil.t_fo = 12;
       }), "", 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    Host_Test_Reset();
    Fresh_Folder();
    const bool unreadable = c.inp == garbled || c.inp == "@";
    if (!c.inp.empty()) Put("BSP1_01.INP", c.inp);
    if (c.inp == "@")
      std::filesystem::remove(dir_ + "/BSP1_01.INP"), std::filesystem::create_symlink("BSP1_01.INP", dir_ + "/BSP1_01.INP");
    Put("BSP1_01.XPR", "xpr at start\n");
    if (std::strstr(c.what, "no list")) std::filesystem::create_directory(dir_ + "/BSP1_01.OLI");
    ASSERT_EQ(Start(), -1);
    Put("BSP1_01.XPR", "xpr changed\n");
    // The start box names the file and why it cannot be read, as a refresh does on stderr.
    const std::string why = c.inp == "@" ? std::strerror(ELOOP) : "the member data file is cut, garbled or newer than the program";
    EXPECT_EQ(!Host_Messages().empty() && Host_Messages()[0].text == "Lesefehler\n" + dir_ + "/BSP1_01.INP\n" + why, unreadable);
    EXPECT_EQ(Screen(c.steps), c.rc) << Host_Last_Calls(30);
    std::string requests, trace;
    for (const std::string &r : Host_Service_Requests()) requests += r;
    for (std::size_t at; (at = requests.find(dir_)) != std::string::npos;) requests.replace(at, dir_.size(), "@");
    EXPECT_EQ(requests, c.requests);
    if (c.rc) Expect_Golden(std::string("saved_") + c.what[0] + ".INP", Get("BSP1_01.INP"));
    else EXPECT_EQ(Get("BSP1_01.INP"), c.inp.empty() ? ex : c.inp == "@" ? "" : c.inp);
    EXPECT_EQ(Get("BSP1_01.INP.bak"), c.rc && unreadable ? c.inp : "");
    EXPECT_EQ(Get("BSP1_01.XPR") + std::to_string(Has("BSP1_01_TMP.XPR")), c.rc ? "xpr changed\n0" : "xpr at start\n0");
    // The list follows a successful save only.
    const bool list = (c.steps.find(kSave) != std::string::npos && c.rc) || c.requests[0] == 'Q' || c.requests[0] == 'Y';
    EXPECT_EQ(std::filesystem::is_regular_file(dir_ + "/BSP1_01.OLI"), list);
    const std::vector<HOST_MESSAGE> &said = Host_Messages();
    EXPECT_TRUE(c.note[0] ? !said.empty() && said.back().text.find(c.note) != std::string::npos
                          : said.empty() || said.back().text.find("FEHLER") == std::string::npos);
    EXPECT_EQ(Get_Stahl_EC3_Bauteil()->display_units, !c.rc);
    EXPECT_STREQ(Host_Frame_Title(), "Position 12: D7-EV3 - Brandschutz");
    if (!std::strstr(c.what, ".trace")) continue;
    for (const std::string &call : Host_Calls()) trace += call + "\n";
    Expect_Golden(c.what, trace);
  }
}

// The close request asks; yes puts the whole exchange file back and answers 32768, no
// answers 0 and keeps the copy.
TEST_F(MemberRun, CloseRequest) {
  const std::string exp(70000, 'e');
  for (int yes = 0; yes < 2; ++yes) {
    Put("BSP1_01.EXP", exp);
    ASSERT_EQ(Start(), -1);
    Put("BSP1_01.EXP", "changed\n");
    Host_Clear_Messages();
    Host_Queue_Answer(yes);
    EXPECT_EQ(Host_Request_Close(), yes ? 32768 : 0);
    EXPECT_EQ(Host_Messages().at(0).text, "Aktuelle Bearbeitung abbrechen?");
    EXPECT_TRUE(Get("BSP1_01.EXP") + std::to_string(Has("BSP1_01_TMP.EXP")) == (yes ? exp + "0" : "changed\n1"));
  }
}

// Each page keeps its scroll position: page 4 scrolled by five wheel turns (a tenth of the
// visible height each, once), page 1 from its top, page 4 again where it was left.
TEST_F(MemberRun, PagesKeepTheirScrollPosition) {
  ASSERT_EQ(Start(), -1);
  Alloc_Brandlasten(Get_Stahl_EC3_Bauteil(), 60);
  Script(kTab4 + " w50 m600,600 W-5 w50 m610,600 w50 " + kTab1 + " w50 " + kTab4 + " w50" + kEnd + kQuit);
  EXPECT_EQ(Run_Stahl_EC3_Screen(), 0) << Host_Last_Calls(30);
  std::vector<int> sy;  // scroll offsets of the area's draws
  for (const std::vector<int> &a : Calls_Args("draw callback")) sy.push_back(a.at(2));
  const auto down = std::find_if(sy.begin(), sy.end(), [](int v) { return v > 0; });
  const auto top = std::find(down, sy.end(), 0);
  const auto again = std::find_if(top, sy.end(), [](int v) { return v > 0; });
  ASSERT_TRUE(down != sy.end() && again != sy.end());
  EXPECT_EQ(*down, 5 * (918 / 10));
  EXPECT_EQ(*std::prev(top), *down);
  EXPECT_NEAR(*again, *down, 1);
}

}  // namespace
