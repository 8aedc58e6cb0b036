// The plate record: resistances with their formula lines, checks, data-file block.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "host/host.h"
#include "materials/materials.h"
#include "support/shell.h"
#include "tests/materials/capture.h"
#include "tests/testsupport/olireader.h"

namespace {

// The print list written by write(), compared with tests/materials/golden/name
// (PF_UPDATE_GOLDEN=1 writes the file anew); the list must read back without a fault.
template <class F>
void Expect_Golden(const char *name, F write) {
  PrintCapture cap;
  write(cap.stream());
  Oli_End_Text(cap.stream());
  const std::string bytes = cap.Raw(), path = std::string(PF_SOURCE_DIR) + "/tests/materials/golden/" + name;
  if (std::getenv("PF_UPDATE_GOLDEN")) std::ofstream(path, std::ios::binary) << bytes;
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes) << name << ": PF_UPDATE_GOLDEN=1 writes it";
  OLI_DOCUMENT doc;
  EXPECT_EQ(0, Read_Oli_Text(bytes.data(), bytes.size(), &doc)) << (doc.errors.empty() ? "" : doc.errors[0]);
}

PLATE Plate(double t, double b, double l) {
  PLATE p;
  Reset_Plate_Data(&p);
  Check_Material_Strength(&p.material, t, nullptr, 0, nullptr);  // S235
  p.t = t, p.b = b, p.l = l;
  return p;
}

}  // namespace

// S235 (fy 235, fu 360), gamma_M0 1.0, gamma_M2 1.25, t = 10 mm; EN 1993-1-1 (6.18),
// (6.6), (6.7) with A_v = l t: hand values (the intermediate ones stand in the golden list).
TEST(PlateResistance, ValuesAndAbsentInputs) {
  struct Case { const char *what; double got, want; } cases[] = {
      {"V_u,Rd alone", Print_Plate_Shear_Resistance(nullptr, 1, "l", 0.01, 150, 10, 235, 360, 1.0, 1.25), 249.42},
      {"V_Rd", Print_Plate_Shear_Resistance(nullptr, 1, "l", 200, 150, 10, 235, 360, 1.0, 1.25), 249.42},
      {"M_Rd", Print_Plate_Torsion_Resistance(nullptr, 1, "h", 200, 10, 235, 1.0), 9.05},
      {"M without gamma", Print_Plate_Torsion_Resistance(nullptr, 1, "h", 200, 10, 235, 0), 0},
      {"N_pl,Rd alone", Print_Plate_Tension_Resistance(nullptr, 1, 200, 0, 10, 235, 360, 1.0, 1.25), 470.00},
      {"N_t,Rd", Print_Plate_Tension_Resistance(nullptr, 1, 200, 150, 10, 235, 360, 1.0, 1.25), 388.80},
      {"N without fu", Print_Plate_Tension_Resistance(nullptr, 1, 0, 150, 10, 235, 0, 1.0, 1.25), 0},
      {"a/(√3 b), a/b with b 0", Calc_Shear_Resistance(3, 0) + Calc_Ratio(3, -1), 0},
  };
  for (const Case &c : cases) EXPECT_NEAR(c.got, c.want, 0.005) << c.what;
}

// Short and long form of every writer, the short tension form for both governing cases.
TEST(PlateResistance, FormulaLinesGolden) {
  Expect_Golden("plate_resistances.oli", [](FILE *f) {
    for (int level : {0, 2}) {
      Print_Plate_Shear_Resistance(f, level, "l", 200, 150, 10, 235, 360, 1.0, 1.25);
      Print_Plate_Shear_Resistance(f, level, "h", 200, 0, 10, 235, 360, 1.0, 1.25);
      Print_Plate_Torsion_Resistance(f, level, "h", 200, 10, 235, 1.0);
      Print_Plate_Tension_Resistance(f, level, 200, 150, 10, 235, 360, 1.0, 1.25);
      Print_Plate_Tension_Resistance(f, level, 100, 150, 10, 235, 360, 1.0, 1.25);
    }
  });
}

// Dimensions and material: table values on one line, user values with every range.
TEST(PlateRecord, DimensionsAndMaterialGolden) {
  Expect_Golden("plate_dimensions.oli", [](FILE *f) {
    PLATE p = Plate(10, 200, 300);
    EXPECT_EQ(0, Print_Plate_Dimensions(&p, f, 0x61, 0, ""));
    EXPECT_EQ(0, Print_Plate_Dimensions(&p, f, 0x71 | 4, 1, "1"));
    p.material.user_values = 1;
    p.material.fy_80 = 225;
    std::strcpy(p.material.name, "Blech");
    EXPECT_EQ(0, Print_Plate_Dimensions(&p, f, 0x41, 0, ""));
  });
}

TEST(PlateRecord, ThicknessLimitAndChecks) {
  Host_Reset();
  PLATE p = Plate(80.05, 100, 100), q = Plate(90, 100, 100);
  EXPECT_EQ(0, Check_Plate_Thickness_Limit(&p, "", 1));
  EXPECT_EQ(1, Check_Plate_Thickness_Limit(&q, "", 0));
  EXPECT_EQ(std::make_tuple(80.0, 0, 1), std::make_tuple(p.t, p.material.user_values, q.material.user_values));
  // Dimension checks by flag, then the strength check at the plate's own thickness; the
  // "Stahldicke" box of t above 80.1 mm only with flag 1.
  PrintCapture cap;
  PLATE thin = Plate(0.5, 0.5, 0.5);
  EXPECT_EQ(1, Check_Plate_Material(&thin, cap.stream(), 0, 0x50, ""));
  const char *const lines[] = {"Blechdicke t = 0.5 mm < 1 mm  nicht ok !!", "Blechlänge l = 0.5 mm < 1 mm  nicht ok !!"_cp};
  EXPECT_EQ(Lines_Of(lines), cap.Lines());
  PLATE thick = Plate(90, 100, 100);
  EXPECT_EQ(0, Check_Plate_Material(&thick, nullptr, 1, 0x70, ""));
  EXPECT_DOUBLE_EQ(thick.material.fy, 215.0);
  EXPECT_TRUE(Host_Messages().empty());
  Check_Plate_Material(&thick, nullptr, 1, 0x1, "");
  EXPECT_EQ(1u, Host_Messages().size());
}

// Write, read into a reset plate: equal; cut anywhere before the name, or newer: the read
// fails and the plate stays as it was.
TEST(PlateRecord, DataFileRoundTripAndFailures) {
  Host_Reset();
  Set_Refresh_Mode(1);  // no "newer file" box
  PLATE p = Plate(60, 250.5, 1200);
  p.material.grade = 2;  // S355: 335 N/mm² for t = 60 mm
  std::strcpy(p.material.name, "Knotenblech oben");
  Check_Material_Strength(&p.material, p.t, nullptr, 0, nullptr);
  FILE *f = std::tmpfile();
  ASSERT_EQ(0, Write_Plate_Data(f, &p));
  const std::string text = File_Text(f);
  std::fclose(f);
  const PLATE before = Plate(5, 6, 7);
  for (size_t cut = 0; cut <= text.size(); ++cut) {  // 0: a newer version; size: whole
    PLATE r = before;
    FILE *c = Data_File(cut == 0 ? " 1" + text.substr(2) : text.substr(0, cut));
    const int rc = Read_Plate_Data(c, &r);
    std::fclose(c);
    if (cut == text.size()) {
      ASSERT_EQ(0, rc);
      EXPECT_DOUBLE_EQ(r.material.fy, 335.0);  // checked at t = 60, not at 0
      EXPECT_STREQ(p.material.name, r.material.name);
      EXPECT_EQ(1, Compare_Plate_Data(&p, &r));
      r.l += 0.02;
      EXPECT_EQ(0, Compare_Plate_Data(&p, &r));
    } else if (cut <= text.rfind(' ')) {  // a cut inside the name still leaves a name
      EXPECT_EQ(1, rc) << cut;
      EXPECT_EQ(0, std::memcmp(&r, &before, sizeof r)) << cut;
    }
  }
  Set_Refresh_Mode(0);
}
