// Profile tables of the print list: texts byte-exact through the print-list reader,
// values from section tables (EN 10365 IPE 300, EN 10056-1 L 100 × 100 × 10).
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/host.h"
#include "print/print.h"
#include "profil/profil.h"
#include "profil_shapes.h"
#include "sections/sections_internal.h"
#include "support/shell.h"
#include "testsupport/olireader.h"

namespace {

namespace fs = std::filesystem;
using ::testing::Contains;

std::string Slurp(const fs::path &p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}
fs::path Golden_Path(const char *name) { return fs::path(PF_SOURCE_DIR) / "tests/profil/golden" / name; }

class ProfilPrint : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Reset();
    Reset_Print_For_Tests();
    path_ = ::testing::TempDir() + "profil_print_" + std::to_string(getpid()) + ".oli";
    f_ = Open_Druckliste(path_.c_str());
    ASSERT_NE(f_, nullptr);
    Reset_Profil(&p_);
    Init_Material_Data(&p_.grade);
  }
  void TearDown() override {
    if (f_) Close_Druckliste(f_);
    std::remove(path_.c_str());
    Reset_Profil(&p_);
    Host_Reset();
  }
  // Closes the list, checks that it reads back cleanly and returns its bytes.
  std::string Finish(OLI_DOCUMENT *doc) {
    EXPECT_EQ(0, Close_Druckliste(f_));
    f_ = nullptr;
    std::string bytes = Slurp(path_);
    EXPECT_EQ(0, Read_Oli_Text(bytes.data(), bytes.size(), doc)) << (doc->errors.empty() ? "" : doc->errors[0]);
    return bytes;
  }
  std::vector<std::string> Lines(PROFIL *p, int long_form, int with_values = 1) {
    Print_Profil_Parameters(p, f_, long_form, with_values, 0);
    OLI_DOCUMENT doc;
    Finish(&doc);
    return Oli_All_Text_Lines(doc);
  }
  // The list of a long form against tests/profil/golden/<name> (PF_UPDATE_GOLDEN=1
  // rewrites it); returns its text lines.
  std::vector<std::string> Expect_Golden(const char *name) {
    OLI_DOCUMENT doc;
    const std::string bytes = Finish(&doc);
    const char *update = std::getenv("PF_UPDATE_GOLDEN");
    if (update && *update == '1') std::ofstream(Golden_Path(name), std::ios::binary) << bytes;
    EXPECT_EQ(Slurp(Golden_Path(name)), bytes) << "golden " << name << " differs (PF_UPDATE_GOLDEN=1 rewrites it)";
    return Oli_All_Text_Lines(doc);
  }
  std::string path_;
  FILE *f_ = nullptr;
  PROFIL p_{};
};

// Short and long forms of a parametric and a library profile; the long forms against
// their golden lists.
TEST_F(ProfilPrint, ShortAndLongForms) {
  struct Case {
    const char *library;  // null: the flat bar 100 × 10
    const char *golden;
    std::vector<std::string> short_lines, long_lines;
  } cases[] = {
      {nullptr,
       "flat_long.oli",
       {"Profilparameter (Flachstahl):", "h = 100.0 mm,  t = 10.0 mm",
        "A = 10.00 cm²,  I╬\\y╬r = 83.33 cm╬/4╬r,  I╬\\z╬r = 0.83 cm╬/4╬r,  I╬\\T╬r = 3.12 cm╬/4╬r,  "
        "y╬\\s╬r = -5.0 mm,  z╬\\s╬r = 50.0 mm"_cp},
       {"Querschnittsfläche A = 10.00 cm²,  Umfang U = 22.00 cm"_cp,
        "plastische Widerstandsmomente W╬\\pl,y╬r = 25.00 cm·,  W╬\\pl,z╬r = 2.50 cm·"_cp,
        "wirksame Schubflächen A╬\\vy╬r = 10.00 cm²,  A╬\\vz╬r = 10.00 cm²"_cp}},
      {"IPE300",
       "ipe300_long.oli",
       {"Profil  IPE300", "h = 300.0 mm,  t╬\\w╬r = 7.1 mm,  b╬\\f╬r = 150.0 mm,  t╬\\f╬r = 10.7 mm,  r = 15.0 mm"_cp,
        "A = 53.81 cm²,  I╬\\y╬r = 8355.96 cm╬/4╬r,  I╬\\z╬r = 603.63 cm╬/4╬r,  I╬\\T╬r = 20.41 cm╬/4╬r,  "
        "y╬\\s╬r = -75.0 mm,  z╬\\s╬r = 150.0 mm"_cp},
       {"gewalztes Profil, Ausrundungsradius r = 15.0 mm",
        "Breite einer Flanschseite ohne Ausrundung/Schweißnaht c╬\\f╬r = 56.5 mm"_cp,
        "Querschnittsfläche A = 53.81 cm²,  Umfang U = 116.00 cm"_cp,
        "wirksame Schubflächen A╬\\vy╬r = 32.10 cm²,  A╬\\vz╬r = 25.68 cm²"_cp}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.golden);
    ASSERT_EQ(0, c.library ? Set_Profil_by_Library_Name(&p_, c.library) : Set_Sample_Profil_Flat(&p_));
    if (!f_) f_ = Open_Druckliste(path_.c_str());
    EXPECT_EQ(Lines(&p_, 0), c.short_lines);
    f_ = Open_Druckliste(path_.c_str());
    Print_Profil_Parameters(&p_, f_, 1, 1, 0);
    const std::vector<std::string> lines = Expect_Golden(c.golden);
    for (const std::string &l : c.long_lines) EXPECT_THAT(lines, Contains(l));
  }
}

// Kind 2 short block, type 0 and an unusable kind 2.
TEST_F(ProfilPrint, ImportedSectionAndFailures) {
  const fs::path dir = fs::path(::testing::TempDir()) / ("pfprint_" + std::to_string(getpid()));
  fs::create_directories(dir);
  Set_Bauteil_Path((dir / "CH").c_str());
  Set_File_Number(1);
  std::ofstream(dir / "CH_01.XPR", std::ios::binary) << Slurp(Golden_Path("channel.XPR"));
  p_.kind = PROFIL_KIND_QUER;
  Set_XPRT_Member_Filename();
  p_.entry = New_QImport_Entry();
  Add_QImport_Reference(p_.entry, +1);
  Read_XPRT_Result(p_.entry);
  ASSERT_EQ(Set_Profil_from_QImport(&p_, 0), 0);
  auto lines = Lines(&p_, 0);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0],
            "h = 210.0 mm,  b = 100.0 mm,  A = 35.20 cm²,  y╬\\s╬r = -69.9 mm,  z╬\\s╬r = 105.0 mm,  "
            "y╬\\M╬r = -63.7 mm,  z╬\\M╬r = 0.0 mm"_cp);
  fs::remove_all(dir);

  Reset_Profil(&p_);
  p_.kind = PROFIL_KIND_QUER;
  f_ = Open_Druckliste(path_.c_str());
  lines = Lines(&p_, 0);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("Fehler beim Datencheck des Profils"), std::string::npos);

  p_.kind = PROFIL_KIND_PARAMETRIC;
  f_ = Open_Druckliste(path_.c_str());
  lines = Lines(&p_, 1);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Profilparameter (Default):");
  EXPECT_NE(lines[1].find("Profil nicht möglich"_cp), std::string::npos);
}

// Rolled angle: the principal pair beside the profile's own angle, in the print and from
// the helper, also where I_y − I_z is only a rounding residue.
TEST_F(ProfilPrint, AnglePrincipalMoments) {
  Set_Shape(&p_, PROFIL_ANGLE, 100, 10, 100, 10, 100, 10, 1, 12, 6);
  auto lines = Lines(&p_, 1);
  EXPECT_THAT(lines, Contains(
      "Flächenträgheitsmomente I╬\\y╬r = 176.66 cm╬/4╬r,  I╬\\z╬r = 176.66 cm╬/4╬r,  I╬\\yz╬r = -103.66 cm╬/4╬r"_cp));
  EXPECT_THAT(lines, Contains(
      "Hauptträgheitsmomente I╬\\┴╬r = 280.33 cm╬/4╬r,  I╬\\Ë╬r = 73.00 cm╬/4╬r,  "
      "Hauptachsendrehwinkel ║ = 45.00°"_cp));
  for (double d : {-1e-6, 0.0, 1e-6}) {
    double i1 = 0, i2 = 0, a = 0;
    Calc_Profil_Principal_Moments(p_.I_y + d, p_.I_z, p_.I_yz, 45.0, &i1, &i2, &a);
    EXPECT_NEAR(i1, 2803300, 100) << d;
    EXPECT_NEAR(i2, 730000, 100) << d;
    EXPECT_NEAR(a, 45.0, 1e-6) << d;
  }
  double i1 = 0, i2 = 0, a = 0;  // the other axis asked for: the pair swaps
  Calc_Profil_Principal_Moments(300.0, 100.0, 0.0, -80.0, &i1, &i2, &a);
  EXPECT_EQ(std::vector<double>({i1, i2, a}), std::vector<double>({100.0, 300.0, -90.0}));
}

// Dimension and joint lines of parametric shapes, without values.
TEST_F(ProfilPrint, DimensionAndJointLines) {
  struct Case {
    const char *what;
    int type, rolled, long_form;
    double h, t_w, b_fo, t_fo, b_fu, t_fu, r, r_2, a_o, a_u;
    int through_o, through_u;
    std::vector<std::string> lines;  // after the head
  } cases[] = {
      {"HE r 24 long", 5, 1, 1, 270, 8, 280, 13, 280, 13, 24, 0, 0, 0, 0, 0,
       {"Gesamthöhe h = 270.0 mm,  Stegdicke t╬\\w╬r = 8.0 mm"_cp,
        "Flanschbreite b╬\\f╬r = 280.0 mm,  Flanschdicke t╬\\f╬r = 13.0 mm"_cp,
        "gewalztes Profil, Ausrundungsradius r = 24.0 mm"}},
      {"welded I equal throats long", 4, 0, 1, 400, 10, 200, 15, 200, 15, 0, 0, 5, 5, 0, 0,
       {"Gesamthöhe h = 400.0 mm,  Stegdicke t╬\\w╬r = 10.0 mm"_cp,
        "Flanschbreite b╬\\f╬r = 200.0 mm,  Flanschdicke t╬\\f╬r = 15.0 mm"_cp,
        "geschweißtes Profil, Kehlnahtdicke a = 5.0 mm"_cp}},
      {"welded I unequal joints long", 4, 0, 1, 400, 10, 200, 15, 200, 15, 0, 0, 5, 4, 1, 0,
       {"Gesamthöhe h = 400.0 mm,  Stegdicke t╬\\w╬r = 10.0 mm"_cp,
        "Flanschbreite b╬\\f╬r = 200.0 mm,  Flanschdicke t╬\\f╬r = 15.0 mm"_cp,
        "geschweißtes Profil: oben durchgeschweißt (DHV-Naht), unten Kehlnaht a╬\\u╬r = 4.0 mm"_cp}},
      {"welded I unequal flanges short", 4, 0, 0, 400, 10, 200, 15, 300, 20, 0, 0, 5, 4, 0, 0,
       {"h = 400.0 mm,  t╬\\w╬r = 10.0 mm,  b╬\\fo╬r = 200.0 mm,  t╬\\fo╬r = 15.0 mm,  b╬\\fu╬r = 300.0 mm,  "
        "t╬\\fu╬r = 20.0 mm,  oben Kehlnaht a╬\\o╬r = 5.0 mm,  unten Kehlnaht a╬\\u╬r = 4.0 mm"_cp}},
      {"angle unequal short", 3, 1, 0, 150, 10, 100, 12, 0, 0, 12, 6, 0, 0, 0, 0,
       {"l╬\\1╬r = 150.0 mm,  t╬\\1╬r = 10.0 mm,  l╬\\2╬r = 100.0 mm,  t╬\\2╬r = 12.0 mm,  r = 12.0 mm,  "
        "r╬\\2╬r = 6.0 mm"_cp}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    Reset_Profil(&p_);
    Set_Shape(&p_, c.type, c.h, c.t_w, c.b_fo, c.t_fo, c.b_fu, c.t_fu, c.rolled, c.r, c.r_2);
    p_.a_o = c.a_o;
    p_.a_u = c.a_u;
    p_.through_o = c.through_o;
    p_.through_u = c.through_u;
    if (!f_) f_ = Open_Druckliste(path_.c_str());
    auto lines = Lines(&p_, c.long_form, 0);
    ASSERT_EQ(lines.size(), c.lines.size() + 1);
    for (size_t i = 0; i < c.lines.size(); ++i) EXPECT_EQ(Cp850_To_Utf8(lines[i + 1]), Cp850_To_Utf8(c.lines[i]));
  }
}

// Node and plate tables: column sets by the lines, the long-table line from 21 rows.
TEST_F(ProfilPrint, PlateTableColumnsAndLength) {
  std::vector<PROFIL_NODE> nodes(21);
  for (int i = 0; i < 21; ++i) nodes[i] = {i + 1, 0.0 - 10.0 * i, 5.0 * i, 0, 0};
  struct Case {
    int nodes;
    PROFIL_LINE line;
    int columns;
    bool long_table;
    std::string row;
  } cases[] = {
      {20, {1, 1, 2, 8, 8, 0, 0, 0, 12, 0}, 5, false, " 1       1    2    8.00    0.00    0.00   12.00    0.00"},
      {21, {2, 2, 3, 8, 6, 0.25, 0, 0, 0, 0}, 4, true, " 2       2    3    8.00    6.00   0.250"},
  };
  for (const Case &c : cases) {
    if (!f_) f_ = Open_Druckliste(path_.c_str());
    Print_Profil_Plate_Table(nodes.data(), c.nodes, &c.line, 1, f_);
    Print_Profil_Plate_Table(nodes.data(), c.nodes, &c.line, 0, f_);
    OLI_DOCUMENT doc;
    Finish(&doc);
    ASSERT_EQ(doc.tables.size(), 2u);
    EXPECT_EQ(doc.tables[0].rows.size(), static_cast<size_t>(c.nodes) + 2);
    EXPECT_EQ(doc.tables[0].rows[2], " 1        0.0     0.0");
    const OLI_TABLE &t = doc.tables[1];
    EXPECT_EQ(t.layout.size(), c.long_table ? 13u : 5u);
    EXPECT_EQ(t.layout[4], c.columns);
    ASSERT_EQ(t.rows.size(), 3u);
    EXPECT_EQ(t.rows[2], c.row);
  }
}

}  // namespace
