// Dimension and joint lines of every parametric family in the short and the long form, the
// cold and hot wording of hollow sections, the joint texts of welded T and half-I sections,
// and the point table of a thick-walled R7-PLAX section. Inputs are chosen so that every
// printed number is a different one: a value in the wrong slot shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/host.h"
#include "print/print.h"
#include "profil/profil.h"
#include "profil_shapes.h"
#include "sections/sections.h"
#include "support/support.h"
#include "testsupport/olireader.h"
#include "tests/print/print_test_util.h"

namespace {

class ProfilPrintFamilies : public ::testing::Test {
 protected:
  void SetUp() override { Host_Reset(); }
  void TearDown() override { Host_Reset(); }
  // The text lines (UTF-8) that Print_Profil_Parameters writes for p.
  std::vector<std::string> Lines(PROFIL *p, int long_form, int with_values, int grade_flags = 0) {
    const std::string bytes =
        Written([&](FILE *f) { Print_Profil_Parameters(p, f, long_form, with_values, grade_flags); });
    OLI_DOCUMENT doc;
    EXPECT_EQ(0, Read_Oli_Text(bytes.data(), bytes.size(), &doc)) << (doc.errors.empty() ? "" : doc.errors[0]);
    std::vector<std::string> out;
    for (const std::string &l : Oli_All_Text_Lines(doc)) out.push_back(Cp850_To_Utf8(l));
    tables_ = doc.tables;
    for (const OLI_TABLE &t : doc.tables)
      for (const std::string &r : t.rows) out.push_back("|" + Cp850_To_Utf8(r));
    return out;
  }
  std::vector<OLI_TABLE> tables_;  // of the last Lines
};

struct Shape {
  int type, rolled;
  double h, t_w, b_fo, t_fo, b_fu, t_fu, r, r_2, a_o, a_u, ue_o, ue_u;
  int through_o, through_u, hot;
};

PROFIL Make(const Shape &s) {
  PROFIL p{};
  Reset_Profil(&p);
  Set_Shape(&p, s.type, s.h, s.t_w, s.b_fo, s.t_fo, s.b_fu, s.t_fu, s.rolled, s.r, s.r_2);
  p.a_o = s.a_o, p.a_u = s.a_u, p.ue_o = s.ue_o, p.ue_u = s.ue_u;
  p.through_o = s.through_o, p.through_u = s.through_u, p.hot_finished = s.hot;
  return p;
}

TEST_F(ProfilPrintFamilies, DimensionLines) {
  struct Case {
    Shape shape;
    std::vector<std::string> short_lines, long_lines;  // after the head line
  } cases[] = {
      {{2, 1, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       {"d = 60.0 mm"},
       {"Durchmesser d = 60.0 mm"}},
      {{3, 1, 120, 11, 80, 11, 0, 0, 11, 5.5, 0, 0, 0, 0, 0, 0, 0},
       {"l╬\\1╬r = 120.0 mm,  l╬\\2╬r = 80.0 mm,  t = 11.0 mm,  r = 11.0 mm,  r╬\\2╬r = 5.5 mm"},
       {"Schenkellängen l╬\\1╬r = 120.0 mm,  l╬\\2╬r = 80.0 mm,  Schenkeldicke t = 11.0 mm", "gewalztes Profil, Ausrundungsradien r = 11.0 mm, r╬\\2╬r = 5.5 mm"}},
      {{6, 1, 300, 10, 100, 16, 0, 0, 16, 8, 0, 0, 0, 0, 0, 0, 0},
       {"h = 300.0 mm,  t╬\\w╬r = 10.0 mm,  l = 100.0 mm,  t╬\\f╬r = 16.0 mm,  r = 16.0 mm"},
       {"Profilhöhe h = 300.0 mm,  Stegdicke t╬\\w╬r = 10.0 mm", "Schenkellängen l = 100.0 mm,  Schenkeldicken t╬\\f╬r = 16.0 mm", "gewalztes Profil, Ausrundungsradien r = 16.0 mm, r╬\\2╬r = 8.0 mm"}},
      {{6, 0, 200, 4, 70, 4, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0},
       {"h = 200.0 mm,  l = 70.0 mm,  t = 4.0 mm"},
       {"Profilhöhe h = 200.0 mm,  Schenkellängen l = 70.0 mm,  Profildicke t = 4.0 mm", "geschweißtes Profil (durchgeschweißt)"}},
      {{12, 1, 160, 7.5, 65, 10.5, 0, 0, 10.5, 0, 0, 0, 0, 0, 0, 0, 0},
       {"h = 160.0 mm,  t╬\\w╬r = 7.5 mm,  l = 65.0 mm,  t╬\\f╬r = 10.5 mm,  r = 10.5 mm"},
       {"Profilhöhe h = 160.0 mm,  Stegdicke t╬\\w╬r = 7.5 mm", "Schenkellängen l = 65.0 mm,  Schenkeldicken t╬\\f╬r = 10.5 mm", "gewalztes Profil, Ausrundungsradius r = 10.5 mm"}},
      {{8, 1, 200, 6.3, 100, 8, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0, 1},
       {"h = 200.0 mm,  t╬\\w╬r = 6.3 mm,  b = 100.0 mm,  t╬\\f╬r = 8.0 mm,  r = 9.0 mm,  warmgefertigt"},
       {"Gesamthöhe h = 200.0 mm,  Stegdicke t╬\\w╬r = 6.3 mm", "Gesamtbreite b = 100.0 mm,  Flanschdicke t╬\\f╬r = 8.0 mm,  warmgefertigt", "gewalztes Profil, Ausrundungsradius r = 9.0 mm"}},
      {{8, 0, 150, 5, 90, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       {"h = 150.0 mm,  t╬\\w╬r = 5.0 mm,  b = 90.0 mm,  t╬\\f╬r = 6.0 mm,  kaltgefertigt"},
       {"Gesamthöhe h = 150.0 mm,  Stegdicke t╬\\w╬r = 5.0 mm", "Gesamtbreite b = 90.0 mm,  Flanschdicke t╬\\f╬r = 6.0 mm,  kaltgefertigt"}},
      {{9, 1, 168.3, 7.1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
       {"d = 168.3 mm,  t = 7.1 mm,  warmgefertigt"},
       {"Durchmesser d = 168.3 mm,  Wanddicke t = 7.1 mm,  warmgefertigt"}},
      {{9, 0, 139.7, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       {"d = 139.7 mm,  t = 4.0 mm,  kaltgefertigt"},
       {"Durchmesser d = 139.7 mm,  Wanddicke t = 4.0 mm,  kaltgefertigt"}},
      {{11, 1, 100, 11, 100, 11, 0, 0, 11, 5.5, 0, 0, 0, 0, 0, 0, 0},
       {"h = 100.0 mm,  t╬\\w╬r = 11.0 mm,  b╬\\f╬r = 100.0 mm,  t╬\\f╬r = 11.0 mm,  r = 11.0 mm,  r╬\\2╬r = 5.5 mm"},
       {"Gesamthöhe h = 100.0 mm,  Stegdicke t╬\\w╬r = 11.0 mm", "Flanschbreite b╬\\f╬r = 100.0 mm,  Flanschdicke t╬\\f╬r = 11.0 mm", "gewalztes Profil, Ausrundungsradien r = 11.0 mm, r╬\\2╬r = 5.5 mm"}},
      {{11, 0, 250, 9, 180, 14, 0, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0},
       {"h = 250.0 mm,  t╬\\w╬r = 9.0 mm,  b╬\\f╬r = 180.0 mm,  t╬\\f╬r = 14.0 mm,  Kehlnaht a = 6.0 mm"},
       {"Gesamthöhe h = 250.0 mm,  Stegdicke t╬\\w╬r = 9.0 mm", "Flanschbreite b╬\\f╬r = 180.0 mm,  Flanschdicke t╬\\f╬r = 14.0 mm", "geschweißtes Profil, Kehlnahtdicke a = 6.0 mm"}},
      {{15, 0, 220, 8, 160, 12, 0, 0, 0, 0, 5, 0, 0, 0, 1, 0, 0},
       {"h = 220.0 mm,  t╬\\w╬r = 8.0 mm,  b╬\\f╬r = 160.0 mm,  t╬\\f╬r = 12.0 mm,  durchgeschweißt"},
       {"Gesamthöhe h = 220.0 mm,  Stegdicke t╬\\w╬r = 8.0 mm", "Flanschbreite b╬\\f╬r = 160.0 mm,  Flanschdicke t╬\\f╬r = 12.0 mm", "geschweißtes Profil, durchgeschweißt (DHV-Naht)"}},
      {{14, 1, 200, 8, 150, 10, 0, 0, 9, 4, 0, 0, 0, 0, 0, 0, 0},
       {"h = 200.0 mm,  t╬\\w╬r = 8.0 mm,  b = 150.0 mm (b╬\\f╬r = 79.0 mm),  t╬\\f╬r = 10.0 mm,  r = 9.0 mm,  r╬\\2╬r = 4.0 mm"},
       {"Profilhöhe h = 200.0 mm,  Stegdicke t╬\\w╬r = 8.0 mm", "Profilbreite b = 150.0 mm (Flanschbreite b╬\\f╬r = 79.0 mm),  Flanschdicke t╬\\f╬r = 10.0 mm", "gewalztes Profil, Ausrundungsradien r = 9.0 mm, r╬\\2╬r = 4.0 mm"}},
      {{14, 0, 180, 3, 70, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       {"h = 180.0 mm,  b = 70.0 mm (b╬\\f╬r = 36.5 mm),  t = 3.0 mm"},
       {"Profilhöhe h = 180.0 mm,  Profilbreite b = 70.0 mm (Flanschbreite b╬\\f╬r = 36.5 mm),  Flansch-, Stegdicke t = 3.0 mm"}},
      {{16, 0, 800, 12, 500, 20, 420, 25, 0, 0, 6, 0, 40, 30, 0, 0, 0},
       {"h = 800.0 mm,  t╬\\w╬r = 12.0 mm (2x),  b╬\\fo╬r = 500.0 mm,  b╬\\fu╬r = 420.0 mm", "b╬\\üo╬r = 40.0 mm,  t╬\\fo╬r = 20.0 mm,  b╬\\üu╬r = 30.0 mm,  t╬\\fu╬r = 25.0 mm"},
       {"Gesamthöhe h = 800.0 mm,  Stegdicke t╬\\w╬r = 12.0 mm,  Flanschbreiten b╬\\fo╬r = 500.0 mm,  b╬\\fu╬r = 420.0 mm", "Flanschdicken t╬\\fo╬r = 20.0 mm,  t╬\\fu╬r = 25.0 mm,  Überstande b╬\\üo╬r = 40.0 mm,  b╬\\üu╬r = 30.0 mm", "geschweißtes Profil (durchgeschweißt)"}},
      {{16, 0, 600, 10, 400, 18, 400, 18, 0, 0, 0, 7, 35, 35, 0, 0, 0},
       {"h = 600.0 mm,  t╬\\w╬r = 10.0 mm (2x),  b╬\\f╬r = 400.0 mm,  b╬\\ü╬r = 35.0 mm,  t╬\\f╬r = 18.0 mm"},
       {"Gesamthöhe h = 600.0 mm,  Stegdicke t╬\\w╬r = 10.0 mm,  Flanschbreite b╬\\f╬r = 400.0 mm", "Überstand b╬\\ü╬r = 35.0 mm,  Flanschdicke t╬\\f╬r = 18.0 mm", "geschweißtes Profil (durchgeschweißt)"}},
      {{17, 0, 100, 1.5, 60, 2, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       {"h = 100.0 mm,  t╬\\w╬r = 1.5 mm,  b╬\\f╬r = 60.0 mm,  t╬\\f╬r = 2.0 mm,  b = 200.0 mm"},
       {"Profilhöhe h = 100.0 mm,  Stegdicke t╬\\w╬r = 1.5 mm", "Flanschbreite b╬\\f╬r = 60.0 mm,  Flanschdicke t╬\\f╬r = 2.0 mm,  Fußbreite b = 200.0 mm"}},
      {{17, 0, 120, 1, 70, 1, 250, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       {"h = 120.0 mm,  b╬\\f╬r = 70.0 mm,  t = 1.0 mm,  b = 250.0 mm"},
       {"Profilhöhe h = 120.0 mm,  Flanschbreite b╬\\f╬r = 70.0 mm,  Profildicke t = 1.0 mm,  Fußbreite b = 250.0 mm"}},
      // Welded I shapes: joints that agree (a line of their own in the short form), joints that
      // differ, and a rolled S shape without radii (no joint words).
      {{4, 0, 300, 8, 150, 12, 150, 12, 0, 0, 5, 5, 0, 0, 1, 1, 0},
       {"h = 300.0 mm,  t╬\\w╬r = 8.0 mm,  b╬\\f╬r = 150.0 mm,  t╬\\f╬r = 12.0 mm", "durchgeschweißt"},
       {"Gesamthöhe h = 300.0 mm,  Stegdicke t╬\\w╬r = 8.0 mm",
        "Flanschbreite b╬\\f╬r = 150.0 mm,  Flanschdicke t╬\\f╬r = 12.0 mm",
        "geschweißtes Profil, durchgeschweißt (DHV-Naht)"}},
      {{13, 0, 300, 8, 150, 12, 150, 12, 0, 0, 6, 5, 0, 0, 0, 1, 0},
       {"h = 300.0 mm,  t╬\\w╬r = 8.0 mm,  b╬\\f╬r = 150.0 mm,  t╬\\f╬r = 12.0 mm",
        "oben Kehlnaht a╬\\o╬r = 6.0 mm,  unten durchgeschweißt"},
       {"Gesamthöhe h = 300.0 mm,  Stegdicke t╬\\w╬r = 8.0 mm",
        "Flanschbreite b╬\\f╬r = 150.0 mm,  Flanschdicke t╬\\f╬r = 12.0 mm",
        "geschweißtes Profil: oben Kehlnaht a╬\\o╬r = 6.0 mm, unten durchgeschweißt (DHV-Naht)"}},
      {{10, 1, 300, 8, 150, 12, 150, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       {"h = 300.0 mm,  t╬\\w╬r = 8.0 mm,  b╬\\f╬r = 150.0 mm,  t╬\\f╬r = 12.0 mm"},
       {"Gesamthöhe h = 300.0 mm,  Stegdicke t╬\\w╬r = 8.0 mm",
        "Flanschbreite b╬\\f╬r = 150.0 mm,  Flanschdicke t╬\\f╬r = 12.0 mm"}},
      // A make flag that is neither 1 nor 0 (the section values refuse it): the dimensions
      // alone, neither the radii nor the throats that the record holds.
      {{4, 2, 300, 8, 150, 12, 120, 14, 15, 0, 5, 4, 0, 0, 0, 1, 0},
       {"h = 300.0 mm,  t╬\\w╬r = 8.0 mm,  b╬\\fo╬r = 150.0 mm,  t╬\\fo╬r = 12.0 mm,  b╬\\fu╬r = 120.0 mm,  "
        "t╬\\fu╬r = 14.0 mm"},
       {"Gesamthöhe h = 300.0 mm,  Stegdicke t╬\\w╬r = 8.0 mm",
        "Flanschbreite oben b╬\\fo╬r = 150.0 mm,  Flanschdicke oben t╬\\fo╬r = 12.0 mm",
        "Flanschbreite unten b╬\\fu╬r = 120.0 mm,  Flanschdicke unten t╬\\fu╬r = 14.0 mm"}},
      {{11, -1, 100, 11, 100, 11, 0, 0, 11, 5.5, 6, 0, 0, 0, 0, 0, 0},
       {"h = 100.0 mm,  t╬\\w╬r = 11.0 mm,  b╬\\f╬r = 100.0 mm,  t╬\\f╬r = 11.0 mm"},
       {"Gesamthöhe h = 100.0 mm,  Stegdicke t╬\\w╬r = 11.0 mm",
        "Flanschbreite b╬\\f╬r = 100.0 mm,  Flanschdicke t╬\\f╬r = 11.0 mm"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "type " << c.shape.type << " rolled " << c.shape.rolled);
    for (int long_form : {0, 1}) {
      PROFIL p = Make(c.shape);
      std::vector<std::string> lines = Lines(&p, long_form, 0);
      Reset_Profil(&p);
      ASSERT_FALSE(lines.empty());
      lines.erase(lines.begin());
      EXPECT_EQ(lines, long_form ? c.long_lines : c.short_lines) << "long form " << long_form;
    }
  }
}

// A thick-walled R7-PLAX section (polygons): the point table before the values of the long
// form, with the arc column where an edge has a sagitta and the number column where a
// cut-out is listed; from 21 points the table repeats its head after a page break.
TEST_F(ProfilPrintFamilies, PolygonPointTable) {
  struct Case {
    int count;
    bool arcs, cut_out;
  } cases[] = {{4, false, false}, {21, true, true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.count);
    QIMPORT_ENTRY e{};
    PROFIL p{};
    Reset_Profil(&p);
    p.kind = PROFIL_KIND_QUER;
    p.entry = &e;
    Add_QImport_Reference(&e, +1);
    p.model_kind = 1;
    const std::pair<int, double> imported[] = {
        {PROFIL_IMP_A, 5000},  {PROFIL_IMP_U, 900},  {PROFIL_IMP_Y_S, -50}, {PROFIL_IMP_Z_S, 80},
        {PROFIL_IMP_Y_M, -45}, {PROFIL_IMP_Z_M, 100}, {PROFIL_IMP_I_1, 8e7}, {PROFIL_IMP_I_2, 2e7},
        {PROFIL_IMP_ALPHA, 0}, {PROFIL_IMP_I_T, 1e5}, {PROFIL_IMP_I_W, 1e9}, {PROFIL_IMP_HEIGHT, 250},
        {PROFIL_IMP_WIDTH, 120}};
    for (auto [k, value] : imported) p.imported[k] = value;
    std::vector<PROFIL_NODE> nodes(c.count);
    for (int i = 0; i < c.count; ++i)
      nodes[i] = {i + 1, 10.0 * i - 55.5, 250.0 - 12.5 * i, c.arcs && i == 1 ? 0.125 : 0.0,
                  c.cut_out ? (i < 10 ? -1 : 2) : 0};
    p.nodes = nodes.data();
    p.node_count = c.count;
    const std::vector<std::string> lines = Lines(&p, 1, 1);
    p.nodes = nullptr, p.node_count = 0;
    ASSERT_EQ(tables_.size(), 1u);
    const OLI_TABLE &t = tables_[0];
    // Columns and the rule positions: 3 columns, 4 with the number; 8 characters more for
    // the arc column; the head repeated after a page break for more than 20 points.
    EXPECT_EQ(t.layout.size(), c.count > 20 ? 13u : 5u);
    EXPECT_EQ(t.layout[4], c.cut_out ? 4 : 3);
    EXPECT_EQ(t.rules, c.arcs ? std::vector<double>({4.4, 4.6, 28.5, 32.5}) : std::vector<double>({4.4, 4.6, 20.5}));
    ASSERT_EQ(t.rows.size(), static_cast<std::size_t>(c.count) + 2);
    const std::string legend = "y╬\\p╬r,z╬\\p╬r: Koordinaten der Querschnittspunkte (aus R7-PLAX)";
    EXPECT_EQ(lines[0], c.arcs ? legend + ";  s╬\\p╬r: bezogener Stich (bei Kreisbögen);  Nr: Nummer einer Aussparung"
                               : legend);
    EXPECT_EQ(Cp850_To_Utf8(t.rows[0]),
              c.cut_out ? "          y╬\\p╬r      z╬\\p╬r      s╬\\p╬r   Nr" : "          y╬\\p╬r      z╬\\p╬r ");
    if (c.arcs) {
      EXPECT_EQ(t.rows[2], " 1      -55.5   250.0            ");
      EXPECT_EQ(t.rows[3], " 2      -45.5   237.5   0.125    ");
      EXPECT_EQ(t.rows[12], " 11      44.5   125.0           2");
    } else {
      EXPECT_EQ(t.rows[5], " 4      -25.5   212.5");
    }
    // The values follow the table: the long form of an imported section.
    EXPECT_EQ(lines[1], "Profilhöhe, -breite h = 250.0 mm,  b = 120.0 mm");
    EXPECT_EQ(lines[3], "Abstand des Schubmittelpunkts vom Schwerpunkt y╬\\M╬r = 5.0 mm,  z╬\\M╬r = 20.0 mm");
    Reset_Profil(&p);
  }
}

// The values blocks (long and short) of the families whose lines and breaks differ, with
// values checked by hand where the shape is simple (comments).
TEST_F(ProfilPrintFamilies, ValuesBlocks) {
  struct Case {
    Shape shape;
    int long_form;
    std::vector<std::string> lines;  // after the head line
  } cases[] = {
      // box, unequal flanges: d_w = 800 − 20 − 25 = 755, c_fo = 500 − 2·12 = 476, c_fu = 396; flanges
      // b + 2ü wide: A = 580·20 + 480·25 + 2·755·12 = 41720 mm²; z_s = (11600·10 + 12000·787.5 + 18120·397.5)/A = 401.9
      {{16, 0, 800, 12, 500, 20, 420, 25, 0, 0, 6, 0, 40, 30, 0, 0, 0}, 1,
       {"Gesamthöhe h = 800.0 mm,  Stegdicke t╬\\w╬r = 12.0 mm,  Flanschbreiten b╬\\fo╬r = 500.0 mm,  b╬\\fu╬r = 420.0 mm", "Flanschdicken t╬\\fo╬r = 20.0 mm,  t╬\\fu╬r = 25.0 mm,  Überstande b╬\\üo╬r = 40.0 mm,  b╬\\üu╬r = 30.0 mm", "geschweißtes Profil (durchgeschweißt)", "lichte Profilhöhe d╬\\w╬r = 755.0 mm,  lichte Flanschbreiten c╬\\fo╬r = 476.0 mm,  c╬\\fu╬r = 396.0 mm", "Schwerpunktabstand von oben z╬\\s╬r = 401.9 mm", "Abstand des Schubmittelpunkts vom Schwerpunkt y╬\\M╬r = 0.0 mm,  z╬\\M╬r = -11.8 mm", "Querschnittsfläche A = 417.20 cm²,  Umfang U = 266.00 cm", "Flächenträgheitsmomente I╬\\y╬r = 442794.16 cm╬/4╬r,  I╬\\z╬r = 163459.64 cm╬/4╬r", "plastische Widerstandsmomente W╬\\pl,y╬r = 12596.26 cm·,  W╬\\pl,z╬r = 7185.23 cm·", "wirksame Schubflächen A╬\\vy╬r = 236.00 cm²,  A╬\\vz╬r = 181.20 cm²", "Torsionsträgheitsmoment I╬\\T╬r = 285174.29 cm╬/4╬r", "Wölbträgheitsmoment I╬\\ð╬r = 37025574.63 cm╬/6╬r"}},
      // box, equal flanges: A = 2·470·18 + 2·564·10 = 28200 mm²; I_y = 2·10·564³/12 + 2·(470·18³/12 +
      // 470·18·291²) = 1.7322696e9 mm⁴; the short form puts b_ü and t_f on the dimension line
      {{16, 0, 600, 10, 400, 18, 400, 18, 0, 0, 0, 7, 35, 35, 0, 0, 0}, 0,
       {"h = 600.0 mm,  t╬\\w╬r = 10.0 mm (2x),  b╬\\f╬r = 400.0 mm,  b╬\\ü╬r = 35.0 mm,  t╬\\f╬r = 18.0 mm", "A = 282.00 cm²,  I╬\\y╬r = 173226.96 cm╬/4╬r,  I╬\\z╬r = 74048.50 cm╬/4╬r,  I╬\\T╬r = 129236.36 cm╬/4╬r,  y╬\\s╬r = -235.0 mm,  z╬\\s╬r = 300.0 mm"}},
      // the same in the long form: one clear width c_f = 400 − 2·10 = 380
      {{16, 0, 600, 10, 400, 18, 400, 18, 0, 0, 0, 7, 35, 35, 0, 0, 0}, 1,
       {"Gesamthöhe h = 600.0 mm,  Stegdicke t╬\\w╬r = 10.0 mm,  Flanschbreite b╬\\f╬r = 400.0 mm", "Überstand b╬\\ü╬r = 35.0 mm,  Flanschdicke t╬\\f╬r = 18.0 mm", "geschweißtes Profil (durchgeschweißt)", "lichte Profilhöhe d╬\\w╬r = 564.0 mm,  lichte Flanschbreite b╬\\f╬r = 380.0 mm", "Schwerpunktabstand von oben z╬\\s╬r = 300.0 mm", "Querschnittsfläche A = 282.00 cm²,  Umfang U = 214.00 cm", "Flächenträgheitsmomente I╬\\y╬r = 173226.96 cm╬/4╬r,  I╬\\z╬r = 74048.50 cm╬/4╬r", "plastische Widerstandsmomente W╬\\pl,y╬r = 6513.43 cm·,  W╬\\pl,z╬r = 4186.63 cm·", "wirksame Schubflächen A╬\\vy╬r = 169.20 cm²,  A╬\\vz╬r = 112.80 cm²", "Torsionsträgheitsmoment I╬\\T╬r = 129236.36 cm╬/4╬r", "Wölbträgheitsmoment I╬\\ð╬r = 8707994.67 cm╬/6╬r"}},
      // trapezoid: its own clear lines and the foot width
      {{17, 0, 100, 1.5, 60, 2, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 1,
       {"Profilhöhe h = 100.0 mm,  Stegdicke t╬\\w╬r = 1.5 mm", "Flanschbreite b╬\\f╬r = 60.0 mm,  Flanschdicke t╬\\f╬r = 2.0 mm,  Fußbreite b = 200.0 mm", "lichte Profilhöhe d╬\\w╬r = 109.6 mm,  lichte Flanschbreite c╬\\f╬r = 58.6 mm", "Schwerpunktabstand von oben z╬\\s╬r = 37.5 mm", "Abstand des Schubmittelpunkts vom Schwerpunkt y╬\\M╬r = 0.0 mm,  z╬\\M╬r = -64.6 mm", "Querschnittsfläche A = 4.51 cm²,  Umfang U = 44.36 cm", "Flächenträgheitsmomente I╬\\y╬r = 48.55 cm╬/4╬r,  I╬\\z╬r = 108.58 cm╬/4╬r", "plastische Widerstandsmomente W╬\\pl,y╬r = 13.04 cm·,  W╬\\pl,z╬r = 19.82 cm·", "wirksame Schubflächen A╬\\vy╬r = 1.57 cm²,  A╬\\vz╬r = 2.94 cm²", "Torsionsträgheitsmoment I╬\\T╬r = 0.04 cm╬/4╬r", "Wölbträgheitsmoment I╬\\ð╬r = 94.80 cm╬/6╬r"}},
      // welded I, unequal flanges and throats: A = 3000 + 6000 + 365·10 = 12650 mm²; d_w = 365 − (5 + 4)·√2 =
      // 352.3; c_fo = 95 − 5√2 = 87.9, c_fu = 145 − 4√2 = 139.3; z_s = 3083375/12650 = 243.7
      {{4, 0, 400, 10, 200, 15, 300, 20, 0, 0, 5, 4, 0, 0, 0, 0, 0}, 1,
       {"Gesamthöhe h = 400.0 mm,  Stegdicke t╬\\w╬r = 10.0 mm", "Flanschbreite oben b╬\\fo╬r = 200.0 mm,  Flanschdicke oben t╬\\fo╬r = 15.0 mm", "Flanschbreite unten b╬\\fu╬r = 300.0 mm,  Flanschdicke unten t╬\\fu╬r = 20.0 mm", "geschweißtes Profil: oben Kehlnaht a╬\\o╬r = 5.0 mm, unten Kehlnaht a╬\\u╬r = 4.0 mm", "Steghöhe ohne Ausrundung/Schweißnaht d╬\\w╬r = 352.3 mm", "Breiten einer Flanschseite ohne Ausrundung/Schweißnaht c╬\\fo╬r = 87.9 mm,  c╬\\fu╬r = 139.3 mm", "Schwerpunktabstand von oben z╬\\s╬r = 243.7 mm", "Abstand des Schubmittelpunkts vom Schwerpunkt y╬\\M╬r = 0.0 mm,  z╬\\M╬r = 76.7 mm", "Querschnittsfläche A = 126.50 cm²,  Umfang U = 178.00 cm", "Flächenträgheitsmomente I╬\\y╬r = 34436.30 cm╬/4╬r,  I╬\\z╬r = 5503.04 cm╬/4╬r", "plastische Widerstandsmomente W╬\\pl,y╬r = 1832.59 cm·,  W╬\\pl,z╬r = 608.74 cm·", "wirksame Schubflächen A╬\\vy╬r = 90.00 cm²,  A╬\\vz╬r = 36.50 cm²", "Torsionsträgheitsmoment I╬\\T╬r = 115.25 cm╬/4╬r", "Wölbträgheitsmoment I╬\\ð╬r = 1197051.14 cm╬/6╬r"}},
      // rolled unequal angle, short form: A = 11·(120 + 80 − 11) + 121(1 − π/4) − 2·30.25(1 − π/4) = 2092 mm²;
      // I_yz and α on the first line, then I_T, then y_s (item count 7), then z_s, then the shear centre
      {{3, 1, 120, 11, 80, 11, 0, 0, 11, 5.5, 0, 0, 0, 0, 0, 0, 0}, 0,
       {"l╬\\1╬r = 120.0 mm,  l╬\\2╬r = 80.0 mm,  t = 11.0 mm,  r = 11.0 mm,  r╬\\2╬r = 5.5 mm", "A = 20.92 cm²,  I╬\\y╬r = 299.48 cm╬/4╬r,  I╬\\z╬r = 106.35 cm╬/4╬r,  I╬\\yz╬r = -102.94 cm╬/4╬r,  ║ = 23.41°", ",  I╬\\T╬r = 8.39 cm╬/4╬r", ",  y╬\\s╬r = -19.9 mm", "z╬\\s╬r = 80.4 mm", "y╬\\M╬r = 14.4 mm,  z╬\\M╬r = 34.1 mm"}},
      // rolled Z, short form: the same breaks without a shear-centre line (point symmetric)
      {{14, 1, 200, 8, 150, 10, 0, 0, 9, 4, 0, 0, 0, 0, 0, 0, 0}, 0,
       {"h = 200.0 mm,  t╬\\w╬r = 8.0 mm,  b = 150.0 mm (b╬\\f╬r = 79.0 mm),  t╬\\f╬r = 10.0 mm,  r = 9.0 mm,  r╬\\2╬r = 4.0 mm", "A = 30.48 cm²,  I╬\\y╬r = 1837.31 cm╬/4╬r,  I╬\\z╬r = 278.41 cm╬/4╬r,  I╬\\yz╬r = -530.07 cm╬/4╬r,  ║ = 17.11°", ",  I╬\\T╬r = 8.24 cm╬/4╬r", ",  y╬\\s╬r = -75.0 mm", "z╬\\s╬r = 100.0 mm"}},
      // rolled channel, long form: centroid from the top left, the shear-centre line
      {{12, 1, 160, 7.5, 65, 10.5, 0, 0, 10.5, 0, 0, 0, 0, 0, 0, 0, 0}, 1,
       {"Profilhöhe h = 160.0 mm,  Stegdicke t╬\\w╬r = 7.5 mm", "Schenkellängen l = 65.0 mm,  Schenkeldicken t╬\\f╬r = 10.5 mm", "gewalztes Profil, Ausrundungsradius r = 10.5 mm", "Steghöhe ohne Ausrundung/Schweißnaht d╬\\w╬r = 118.0 mm", "Breite einer Flanschseite ohne Ausrundung/Schweißnaht c╬\\f╬r = 47.0 mm", "Schwerpunktabstand von links oben y╬\\s╬r = -19.9 mm,  z╬\\s╬r = 80.0 mm", "Abstand des Schubmittelpunkts vom Schwerpunkt y╬\\M╬r = 39.8 mm,  z╬\\M╬r = 0.0 mm", "Querschnittsfläche A = 24.55 cm²,  Umfang U = 55.60 cm", "Flächenträgheitsmomente I╬\\y╬r = 953.15 cm╬/4╬r,  I╬\\z╬r = 97.89 cm╬/4╬r", "plastische Widerstandsmomente W╬\\pl,y╬r = 141.42 cm·,  W╬\\pl,z╬r = 39.29 cm·", "wirksame Schubflächen A╬\\vy╬r = 11.76 cm²,  A╬\\vz╬r = 12.79 cm²", "Torsionsträgheitsmoment I╬\\T╬r = 6.83 cm╬/4╬r", "Wölbträgheitsmoment I╬\\ð╬r = 3764.53 cm╬/6╬r"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "type " << c.shape.type << " long form " << c.long_form);
    PROFIL p = Make(c.shape);
    std::vector<std::string> lines = Lines(&p, c.long_form, 1);
    Reset_Profil(&p);
    ASSERT_FALSE(lines.empty());
    lines.erase(lines.begin());
    EXPECT_EQ(lines, c.lines);
  }
}

// A library UPN and tee (sloped faces, radii r and r_2) print their radii and sloped faces
// in both forms when rolled; with a make flag that is neither 1 nor 0, and throats set,
// neither radii, sloped faces nor weld words: the dimension lines and the values only.
TEST_F(ProfilPrintFamilies, LibraryJointsOnlyForAKnownMake) {
  const std::string joint_words[] = {",  r = ", "Ausrundungsradi", "geneigte", "geschweißt", "Kehlnaht"};
  for (const char *name : {"UPN200", "T100"}) {
    for (int rolled : {1, 2, -1}) {
      for (int long_form : {0, 1}) {
        SCOPED_TRACE(::testing::Message() << name << " rolled " << rolled << " long form " << long_form);
        PROFIL p{};
        Reset_Profil(&p);
        Init_Material_Data(&p.grade);
        ASSERT_EQ(0, Set_Profil_by_Library_Name(&p, name));
        p.rolled = rolled, p.a_o = p.a_u = 5;
        const std::vector<std::string> lines = Lines(&p, long_form, 1);
        Reset_Profil(&p);
        ASSERT_GE(lines.size(), 3u);
        EXPECT_NE(lines[1].find(long_form ? "höhe h = " : "h = "), std::string::npos) << lines[1];
        std::string all;
        for (const std::string &l : lines) all += l + "\n";
        const bool shown = rolled == 1;
        EXPECT_EQ(all.find("geneigte") != std::string::npos, shown) << all;
        EXPECT_EQ(all.find(long_form ? "gewalztes Profil, Ausrundungsradi" : ",  r = ") != std::string::npos, shown)
            << all;
        if (!shown) {
          for (const std::string &w : joint_words) EXPECT_EQ(all.find(w), std::string::npos) << w << "\n" << all;
        }
      }
    }
  }
}

// The grade paragraph after the profile: on the name line (library) or after the dimension
// line of a flat bar when no values are printed; with values, bit 1 adds the weld
// correlation factor β_w and bit 2 the modulus E. A type beyond the table cannot be printed.
TEST_F(ProfilPrintFamilies, GradeParagraphAndUnknownType) {
  PROFIL p{};
  Reset_Profil(&p);
  Init_Material_Data(&p.grade);
  ASSERT_EQ(0, Set_Profil_by_Library_Name(&p, "IPE300"));
  EXPECT_EQ(Lines(&p, 0, 0, 1), std::vector<std::string>({"Profil  IPE300,  Stahlgüte S235"}));
  const std::string beta = "Korrelationsbeiwert für Kehlnähte ╗╬\\w╬r = 0.80", modulus = "Elastizitätsmodul E╬\\╬r = 210000.0 N/mm²";
  for (int flags : {1, 3, 5, 7}) {
    SCOPED_TRACE(flags);
    const std::vector<std::string> lines = Lines(&p, 0, 1, flags);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Profil  IPE300");
    EXPECT_EQ(lines[3], "Stahlgüte S235, Rechenparameter:");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), beta), (flags & 2) ? 1 : 0);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), modulus), (flags & 4) ? 1 : 0);
  }
  Set_Shape(&p, PROFIL_FLAT, 100, 10, 0, 0, 0, 0);
  EXPECT_EQ(Lines(&p, 0, 0, 1),
            std::vector<std::string>({"Profilparameter (Flachstahl):", "h = 100.0 mm,  t = 10.0 mm,  Stahlgüte S235"}));
  p.type = PROFIL_TYPE_COUNT;
  const std::vector<std::string> lines = Lines(&p, 1, 0, 0);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[1].find("Profil nicht möglich"), std::string::npos);
  Reset_Profil(&p);
}

}  // namespace
