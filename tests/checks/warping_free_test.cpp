// Sections without warping resistance: which they are, and the word of their note.
#include <unistd.h>

#include <filesystem>
#include <string>

#include "checks/checks.h"
#include "sections/sections.h"
#include "support/cp850.h"
#include "support/shell.h"
#include "tests/checks/checks_fixture.h"
#include "common/file_cap.h"

namespace {

// An R7-PLAX section read from the exchange file bytes xpr in a folder of its own (stem name),
// with the section values that the member computes.
void Imported(PROFIL *p, const std::string &xpr, const std::string &name) {
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / ("pfwarp_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  Set_Bauteil_Path((dir / name).c_str());
  Set_File_Number(1);
  test_files::Put((dir / (name + "_01.XPR")).string(), xpr);
  Set_XPRT_Member_Filename();
  Reset_Profil(p);
  p->kind = PROFIL_KIND_QUER, p->entry = New_QImport_Entry();
  Add_QImport_Reference(p->entry, +1);
  Read_XPRT_Result(p->entry);
  EXPECT_EQ(0, Set_Profil_from_QImport(p, 0));
  Init_Material_Data(&p->grade);
  EXPECT_EQ(0, Calc_Profil_Querschnittswerte(p, nullptr, 0, nullptr));  // the file's values, I_w 0 without it
  EXPECT_GT(p->A, 0.0);
}

}  // namespace

// Thin-walled theory: the walls of an angle or a tee meet in one point, the sectorial
// coordinate is zero there and I_w = 0; so for a square tube of one wall thickness. I shapes,
// channels, Z sections and an RHS 200 × 100 × 8 (I_w 3662 cm⁶) resist warping. Tubes, flat and
// round bars count by their shape; an R7-PLAX section only by its thin-walled model; a record
// without values by those of a copy (the record itself stays as it was).
TEST_F(ChecksTest, SectionsWithoutWarpingResistance) {
  Library angle("L100X10", 0), unequal("L100X50X8", 0), tee("T100", 0), chs("R219.1X8.0(w)", 0);
  Library square("QR100X100X5(w)", 0), rhs("RR200X100X8(w)", 0), upn("UPN200", 0), heb("HE400B", 0);
  Welded half_i(PROFIL_HALF_I, 200, 10, 100, 12), z(PROFIL_Z, 200, 10, 100, 12, 100, 12);
  Welded flat(PROFIL_FLAT, 100, 10, 0, 0), round(PROFIL_ROUND, 40, 0, 0, 0);
  // R7-PLAX line models of a channel (its exchange file holds no I_w) and of an angle (the
  // channel without its lower flange).
  PROFIL bare_angle{}, bare_i{}, quer_angle{}, quer_tube{}, quer_channel{};
  const std::string channel = test_files::Slurp(PF_SOURCE_DIR "/tests/profil/golden/channel.XPR");
  std::string angle_xpr = channel;
  for (const auto &[from, to] : {std::pair<std::string, std::string>{"NODES 4", "NODES 3"}, {"4 10 15.5\n", ""},
                                 {"LINES 3", "LINES 2"}, {"3 3 4 0 0 1 1 0 0 0 0 0 0 0 0 0\n", ""}}) {
    ASSERT_NE(std::string::npos, angle_xpr.find(from)) << from;
    angle_xpr.replace(angle_xpr.find(from), from.size(), to);
  }
  Imported(&quer_channel, channel, "CH");
  Imported(&quer_angle, angle_xpr, "WI");
  Set_Shape(&bare_angle, PROFIL_ANGLE, 120, 10, 80, 10, 0, 0, 0);
  Set_Shape(&bare_i, PROFIL_I, 300, 7.1, 150, 10.7, 150, 10.7, 0);
  Init_Material_Data(&bare_angle.grade), Init_Material_Data(&bare_i.grade);
  Copy_Profil(&heb.p, &quer_tube);
  quer_tube.kind = PROFIL_KIND_QUER;
  quer_tube.type = PROFIL_CHS;  // a shape type on an R7-PLAX section says nothing
  const struct {
    const char *what;
    const PROFIL *p;
    int without;
    const char *word;
  } cases[] = {
      {"L 100x10", &angle.p, 1, "Profil ohne Wölbwiderstand"},
      {"L 100x50x8", &unequal.p, 1, "Profil ohne Wölbwiderstand"},
      {"T100", &tee.p, 1, "Profil ohne Wölbwiderstand"},
      {"half I", &half_i.p, 1, "Profil ohne Wölbwiderstand"},
      {"CHS 219.1x8", &chs.p, 1, "Hohlprofil"},
      {"square tube", &square.p, 1, "Hohlprofil"},
      {"flat bar", &flat.p, 1, "Flachstahl"},
      {"round bar", &round.p, 1, "Rundstahl"},
      {"angle without values", &bare_angle, 1, "Profil ohne Wölbwiderstand"},
      {"R7-PLAX angle", &quer_angle, 1, "Profil ohne Wölbwiderstand"},
      {"RHS 200x100x8", &rhs.p, 0, nullptr},
      {"UPN 200", &upn.p, 0, nullptr},
      {"HE 400 B", &heb.p, 0, nullptr},
      {"Z", &z.p, 0, nullptr},
      {"I without values", &bare_i, 0, nullptr},
      {"R7-PLAX channel", &quer_channel, 0, nullptr},
      {"R7-PLAX I typed as a tube", &quer_tube, 0, nullptr},
      {"null", nullptr, 0, nullptr},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.without, Profil_Without_Warping_Resistance(c.p));
    if (!c.word) continue;
    PrintCapture cap;
    Print_St_Venant_Note(c.p, 0, 1, 0, cap.stream(), 1);
    const std::string text = Cp850_To_Utf8(cap.Raw());
    EXPECT_NE(std::string::npos, text.find("\n" + std::string(c.word) + " (EC 3-1-1, 6.2.7): Wölbtorsion")) << text;
  }
  // The R7-PLAX angle through the stress check under T_w, both methods: St Venant torsion.
  // Thin-walled I_T = Σ l t³ / 3 = (96 · 10³ + 200 · 8³) / 3 = 66 133 mm⁴, τ = T t / I_T in the
  // 10 mm leg: T = 0.2 + 0.3 kNm gives 75.6 N/mm², U = √3 τ / 235 = 0.557.
  for (int method : {0, 2}) {
    PrintCapture cap;
    double U = -1;
    EXPECT_TRUE(Print_Stress_Check(&quer_angle, 1.0, 0, 0, 1, method, 0, 0, 0, 0, 0, 0.2, 0.3, 0, nullptr, &U, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr, cap.stream(), 2) & STRESS_DONE);
    EXPECT_NEAR(0.557, U, 0.002) << method;
    EXPECT_NE(std::string::npos, cap.Raw().find("T╬\\t╬r + T╬\\ð╬r = 0.20 + 0.30 = 0.50 kNm.\n"_cp)) << method;
  }
  EXPECT_EQ(0.0, bare_angle.A);
  for (PROFIL *p : {&bare_angle, &bare_i, &quer_angle, &quer_tube, &quer_channel}) Reset_Profil(p);
  Host_Reset();  // the check section's hold on the last imported entry, and the catalogue
}
