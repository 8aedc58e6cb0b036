// Library profiles: names, series, entry values, samples, plates, net areas, every CSV row.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "host/host.h"
#include "profil/profil.h"
#include "sections/sections_internal.h"
#include "support/cp850.h"
#include "tests/common/en10365_rows.h"

namespace {

std::string Trimmed(const char *name) {
  std::string s(name);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// A library record (cm values by place) for a library image of the test's own.
std::vector<unsigned char> Record(const char *name, int family, std::vector<std::pair<int, float>> places) {
  std::vector<unsigned char> r(160, 0);
  std::memcpy(r.data(), name, std::strlen(name));
  r[16] = static_cast<unsigned char>(family);
  for (auto [k, v] : places) std::memcpy(r.data() + 4 * k, &v, 4);
  return r;
}

class ProfilLibraryImage : public ::testing::Test {
 protected:
  void Use(std::vector<std::vector<unsigned char>> records) {
    for (auto &r : records) image_.insert(image_.end(), r.begin(), r.end());
    ASSERT_EQ(Use_Profil_Library_Image(image_.data(), image_.size()), static_cast<int>(records.size()));
  }
  void TearDown() override { Reset_Sections_For_Tests(); }
  std::vector<unsigned char> image_;
};

}  // namespace

// "HEB 300", "heb300", "HE 300B" and "HE300B" give the same profile of type 5 with the
// dimensions of EN 10365; the profile keeps the caller's name in the wide-flange form.
TEST(ProfilLibrary, SpellingsOfOneProfile) {
  Reset_Sections_For_Tests();
  struct Case {
    const char *query, *name;
  };
  const Case cases[] = {{"HEB 300", "HE 300B"}, {"heb300", "HE300B"}, {"HE 300B", "HE 300B"}, {"  HE300B", "HE300B"}};
  for (const Case &c : cases) {
    PROFIL p{};
    Set_Profil_by_Library_Name(&p, c.query);
    EXPECT_EQ(p.kind, PROFIL_KIND_LIBRARY) << c.query;
    EXPECT_EQ(p.type, PROFIL_H) << c.query;
    EXPECT_EQ(Trimmed(p.name), c.name) << c.query;
    const en10365::Row &t = en10365::kHe300b;
    EXPECT_EQ((std::vector<double>{p.h, p.b_fo, p.b_fu, p.t_w, p.t_fo, p.r, double(p.rolled)}),
              (std::vector<double>{t.h, t.b, t.b, t.t_w, t.t_f, t.r, 1}));
    EXPECT_NEAR(p.A, 100 * t.A, 0.2 * t.A) << c.query;  // closed formula over the library
    Reset_Profil(&p);
  }
}

// Library floats go through their decimal text: 2.4 cm is r = 24 mm exactly (the float
// times 10 would give 24.000000953674316), 1.07 cm is 10.7 mm to the last bit or two.
TEST(ProfilLibrary, LibraryFloatsAreTheirDecimalText) {
  Reset_Sections_For_Tests();
  PROFIL p{};
  PROFIL_LIBREF ref;
  Init_Profil_Library(&ref);
  Find_Profil_in_Library(&ref, " HE280A ");
  ASSERT_NE(ref.entry, nullptr);
  EXPECT_EQ(Trimmed(ref.name), "HE280A");
  EXPECT_EQ(std::strlen(ref.name), 39u);
  Reset_Profil(&p);
  Set_Profil_from_Library(&ref, &p);
  EXPECT_EQ(p.r, 24.0);
  EXPECT_EQ(p.h, 270.0);
  EXPECT_EQ(p.t_fo, 13.0);
  EXPECT_EQ(p.A, 9726.0);
  Find_Profil_in_Library(&ref, "IPE300");
  Set_Profil_from_Library(&ref, &p);
  EXPECT_DOUBLE_EQ(p.t_w, 7.1);
  EXPECT_DOUBLE_EQ(p.t_fo, 10.7);
  EXPECT_EQ(p.A, 5381.0);
  EXPECT_EQ(p.z_s, 150.0);
  EXPECT_EQ(p.y_s, -75.0);
  EXPECT_EQ(p.y_M, 0.0);
  EXPECT_EQ(Trimmed(p.name), "IPE300");
  Reset_Profil(&p);
}

// A name that the library does not hold: the "???" profile with zero values and
// result 1; kind and type as the series gives them.
TEST(ProfilLibrary, UnknownNameGivesTheQuestionMarkProfile) {
  Reset_Sections_For_Tests();
  PROFIL p{};
  Reset_Profil(&p);
  p.grade.fy = 999;
  EXPECT_EQ(Set_Profil_by_Library_Name(&p, "HEB 301"), 1);
  EXPECT_EQ(Trimmed(p.name), "???");
  EXPECT_EQ(p.h, 0.0);
  EXPECT_EQ(p.A, 0.0);
  EXPECT_EQ(p.rolled, 0);
  EXPECT_EQ(Set_Profil_by_Library_Name(&p, "XYZ 1"), 1);  // no series at all
  EXPECT_EQ(p.type, 0);
  Reset_Profil(&p);
}

TEST(ProfilLibrary, ShapeTypeFromTheSeries) {
  Reset_Sections_For_Tests();
  struct Case {
    const char *name;
    int type;
  };
  const Case set[] = {{"IPE 300", 4},  {"HEB 300", 5},     {"HD 400", 5},  {"UPN 200", 12}, {"T100", 11},
                      {"L100X10", 3},  {"RR200X100X10(w)", 8}, {"QR 100", 8}, {"R 88.9 x 5.0(w)", 9},
                      {"Z 100", 14},   {"I 200", 4}};
  for (const Case &c : set) {
    int type = 0;
    EXPECT_EQ(Set_Profil_Type_by_Series(c.name, &type), 1) << c.name;
    EXPECT_EQ(type, c.type) << c.name;
  }
  int type = 13;
  EXPECT_EQ(Set_Profil_Type_by_Series("IPE 300", &type), 1);  // any I type is accepted
  EXPECT_EQ(type, 13);
  type = 8;
  EXPECT_EQ(Set_Profil_Type_by_Series("IPE 300", &type), 0);
  type = 15;
  EXPECT_EQ(Set_Profil_Type_by_Series("T100", &type), 1);
  type = 0;
  EXPECT_EQ(Set_Profil_Type_by_Series("XYZ", &type), 0);
  EXPECT_EQ(type, 0);
}

// Series letters of library spellings: 'C' channels are type 6 and, without the
// profile manager, get the larger radius as root radius; 'U' channels keep them.
TEST_F(ProfilLibraryImage, ChannelSeriesAndRadiusSwap) {
  const std::vector<std::pair<int, float>> dims = {{5, 10}, {6, 5}, {7, 0.6f}, {8, 0.85f}, {9, 13.5f},
                                                   {30, 0.5f}, {31, 1.0f}};
  Use({Record("C100", 2, dims), Record("U100", 2, dims)});
  PROFIL p{};
  Set_Profil_by_Library_Name(&p, "c 100");
  EXPECT_EQ(p.type, PROFIL_C);
  EXPECT_EQ(p.r, 10.0);
  EXPECT_EQ(p.r_2, 5.0);
  Set_Profil_by_Library_Name(&p, "U100");
  EXPECT_EQ(p.type, PROFIL_U);
  EXPECT_EQ(p.r, 5.0);
  EXPECT_EQ(p.r_2, 10.0);
  Reset_Profil(&p);
}

// Root radius 0 becomes the flange thickness; a principal angle up to 0.01° gives no
// product moment, a larger one I_yz = sin(−2α)·(I_1 − I_2)/2.
TEST_F(ProfilLibraryImage, EntryValuesIntoTheRecord) {
  Use({Record("L1", 4, {{5, 10}, {6, 10}, {7, 1}, {8, 1}, {9, 19.2f}, {13, 1.0f}, {18, 280}, {23, 73}, {31, -1}}),
       Record("L2", 4, {{5, 10}, {6, 10}, {7, 1}, {8, 1}, {13, 0.0001f}, {18, 280}, {23, 73}})});
  PROFIL p{};
  Reset_Profil(&p);
  PROFIL_LIBREF ref;
  Init_Profil_Library(&ref);
  std::snprintf(ref.name, sizeof ref.name, "L1");
  Set_Profil_from_Library(&ref, &p);  // no entry yet: looked up by its own name
  ASSERT_NE(ref.entry, nullptr);
  EXPECT_EQ(p.r, 10.0);
  EXPECT_EQ(p.r_2, 0.0);
  EXPECT_NEAR(p.alpha, 45.0, 1e-9);
  EXPECT_NEAR(p.I_yz, -(280 - 73) * 1e4 / 2, 1e-3);
  Init_Profil_Library(&ref);
  Find_Profil_in_Library(&ref, "L2");
  Set_Profil_from_Library(&ref, &p);
  EXPECT_NEAR(p.alpha, 0.0057, 1e-4);
  EXPECT_EQ(p.I_yz, 0.0);
  Reset_Profil(&p);
}

TEST(ProfilLibrary, WideFlangeNamesInPlace) {
  struct Case {
    const char *in, *out;
  };
  const Case cases[] = {{"hea280", "HE280A"},        {"HEB 300", "HE 300B"},  {"  HEA 280  ", "  HE 280A  "},
                        {"HE280A", "HE280A"},        {"IPE300", "IPE300"},    {"hea 280 x", "hea 280 x"},
                        {"  heb300     ", "  HE300B     "}, {"", ""}};
  for (const Case &c : cases) {
    char name[40];
    std::snprintf(name, sizeof name, "%s", c.in);
    Normalize_HE_Profil_Name(name);
    EXPECT_STREQ(name, c.out) << '"' << c.in << '"';
  }
}

// One type 0 with library 0: the four parametric types, then all thirteen series texts.
TEST(ProfilLibrary, TypeMessageListsTheAllowedTypes) {
  Host_Clear_Messages();
  Reset_Profil_Module_For_Tests();
  const int all[] = {0};
  Show_Profil_Type_Message("Stütze: "_cp, 0, 1, all);
  ASSERT_EQ(Host_Messages().size(), 1u);
  EXPECT_EQ(Host_Messages()[0].kind, 0);
  EXPECT_EQ(Host_Messages()[0].text,
            std::string("Stütze: \nGewählter Profiltyp kann nicht berechnet werden\n"
                        "Bitte wählen Sie ein Profil des Typs\n"
                        " 'Flachstahl' \n 'Rundstahl' \n 'Hohlkasten' \n 'Trapezprofil' \n"
                        " 'I'  'H'  'D'  'S'  'W'  'L'  'U'  'C'  'T'  'I/2'  'Kreisrohr'  'Rechteckrohr'  'Z' "_cp));
  EXPECT_EQ(Is_Profil_Type_Message_Shown(), 1);
  Host_Clear_Messages();
  const int two[] = {3, 8};
  Show_Profil_Type_Message("", 1, 2, two);
  ASSERT_EQ(Host_Messages().size(), 1u);
  EXPECT_EQ(Host_Messages()[0].text,
            std::string("Gewählter Profiltyp ist in der Bibliothek nicht vorhanden.\n"
                        "Bitte wählen Sie ein Profil des Typs\n 'L'  'Rechteckrohr' "_cp));
  Clear_Profil_Type_Message_Shown();
  EXPECT_EQ(Is_Profil_Type_Message_Shown(), 0);
  Host_Clear_Messages();
}

// The default profile of a new member and the samples are found in the library.
TEST(ProfilLibrary, DefaultAndSampleProfiles) {
  Reset_Sections_For_Tests();
  PROFIL p{};
  Set_Default_Profil(&p);
  EXPECT_EQ(p.kind, PROFIL_KIND_LIBRARY);
  EXPECT_EQ(p.type, PROFIL_H);
  EXPECT_STREQ(p.name, "HE280A");
  EXPECT_EQ(p.h, 270.0);
  EXPECT_EQ(p.grade.grade, 0);
  EXPECT_GT(p.grade.fy, 0.0);
  EXPECT_NEAR(p.A, 9726, 0.002 * 9726);
  struct Sample {
    int (*set)(PROFIL *);
    const char *name;
    int type;
    double h;
  };
  const Sample samples[] = {{Set_Sample_Profil_L150x100, "L150X100X10", 3, 150},
                            {Set_Sample_Profil_L120, "L120X10", 3, 120},
                            {Set_Sample_Profil_L100, "L100X10", 3, 100},
                            {Set_Sample_Profil_T100, "T100", 11, 100},
                            {Set_Sample_Profil_Tube, "R 88.9 x 5.0(w)", 9, 88.9}};
  for (const Sample &s : samples) {
    s.set(&p);
    EXPECT_STREQ(p.name, s.name);
    EXPECT_EQ(p.type, s.type) << s.name;
    EXPECT_DOUBLE_EQ(p.h, s.h) << s.name;
  }
  EXPECT_EQ(p.hot_finished, 1);
  Set_Sample_Profil_Flat(&p);
  EXPECT_EQ(p.kind, PROFIL_KIND_PARAMETRIC);
  EXPECT_DOUBLE_EQ(p.A, 1000);
  Reset_Profil(&p);
}

TEST(ProfilLibrary, FlatBarOfAPlate) {
  PLATE plate{};
  Reset_Plate_Data(&plate);
  Init_Material_Data(&plate.material);
  plate.b = 120;
  plate.t = 12;
  PROFIL p{};
  Reset_Profil(&p);
  p.A = 5;
  Set_Profil_Flat_from_Plate(&plate, &p);
  EXPECT_EQ(p.kind, PROFIL_KIND_PARAMETRIC);
  EXPECT_EQ(p.type, PROFIL_FLAT);
  EXPECT_DOUBLE_EQ(p.A, 1440);
  EXPECT_DOUBLE_EQ(p.I_y, 12.0 * 120 * 120 * 120 / 12);
  EXPECT_EQ(Compare_Material_Data(&p.grade, &plate.material), 1);
  Reset_Profil(&p);
}

// Net area of an angle with holes; an unequal angle is cut to its shorter leg first when
// the cut leg is the longer one.
TEST(ProfilLibrary, NetAreaOfAnAngle) {
  Reset_Sections_For_Tests();
  PROFIL p{};
  Set_Sample_Profil_L150x100(&p);  // L 150 × 100 × 10
  PROFIL equal{};
  Set_Profil_by_Library_Name(&equal, "L100X10");
  EXPECT_NEAR(Calc_Angle_Net_Area(&p, 0, 1, 22, 10), p.A - 220, 1e-9);  // leg 2 is not longer
  EXPECT_NEAR(Calc_Angle_Net_Area(&p, 1, 1, 22, 10), equal.A - 220, 1e-6);  // leg 1 cut to 100
  EXPECT_EQ(p.h, 150.0);  // the profile itself is not changed
  EXPECT_NEAR(Calc_Angle_Net_Area(&equal, 1, 2, 18, 10), equal.A - 360, 1e-9);
  Reset_Profil(&p);
  Reset_Profil(&equal);
}

// Every row of the library CSV: the area of the closed formulas against the published
// area, within 1 % for parallel flanges, angles and hollow sections and 2.5 % for the
// tapered flanges of UPN and T sections, which the plate model takes as parallel.
TEST(ProfilLibrary, EveryCsvRowMatchesItsPublishedArea) {
  Reset_Sections_For_Tests();
  std::ifstream in(PF_SOURCE_DIR "/sections/data/profil_library.csv");
  std::string line;
  bool header = false;
  int rows = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (!header) {
      header = true;
      continue;
    }
    char name[64];
    int family;
    double A;
    ASSERT_EQ(std::sscanf(line.c_str(), "%63[^,],%d,%*f,%*f,%*f,%*f,%*f,%*f,%lf", name, &family, &A), 3) << line;
    PROFIL p{};
    Set_Profil_by_Library_Name(&p, name);
    const double tol = family == 2 || family == 3 ? 0.025 : 0.01;
    EXPECT_NEAR(p.A, 100 * A, tol * 100 * A) << name;
    EXPECT_GT(p.I_y, 0.0) << name;
    Reset_Profil(&p);
    ++rows;
  }
  EXPECT_GT(rows, 200);
}
