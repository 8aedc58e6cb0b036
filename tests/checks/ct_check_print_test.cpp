// The c/t check print-out of a load combination (library IPE 300 under the section
// catalogue's plate model) and the check-flag word of a section's check data.
#include <cstring>
#include <string>

#include "checks/checks.h"
#include "querschnitt/querschnitt.h"
#include "tests/checks/checks_fixture.h"

// Utilisations and class lines of IPE 300 (web c/t 35.0141, flanges 5.27570; N = -500 kN
// gives 92.92 N/mm²) for both checks, both grades, fire and bending.
TEST_F(ChecksTest, UtilisationAndClassOfIpe300) {
  struct Case {
    int row, no_raise, fire, plastic;
    double N, M_y, u;
    const char *class_line, *verdict;
  } cases[] = {
      {0, 0, 0, 2, -500, 0, 0.921, "Querschnitt in Klasse 2", "ok"},
      {0, 0, 0, 0, -500, 0, 0.524, "Querschnitt in Klasse 2", "ok"},
      {2, 1, 0, 0, -500, 0, 1.025, "Querschnitt in Klasse 4", "nicht ok !!"},
      {0, 0, 1, 2, -500, 0, 1.084, "Querschnitt in Klasse 3", "nicht ok !!"},
      {0, 1, 0, 0, 0, 100, 0.383, "Querschnitt in Klasse 1", "ok"},
      {0, 1, 0, 2, 0, 100, 0.528, "Querschnitt in Klasse 1", "ok"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "row " << c.row << " fire " << c.fire << " plastic " << c.plastic
                                      << " N " << c.N << " M_y " << c.M_y);
    Library ipe("IPE300", c.row);
    PrintCapture cap;
    double u = -1;
    ASSERT_EQ(0, Print_CT_Check(&ipe.p, 1.0, c.no_raise, c.fire, c.fire ? 0.85 : 0, c.plastic, c.N, c.M_y, 0, 0, 0,
                                0, 0, 0, &u, cap.stream(), 2));
    EXPECT_NEAR(c.u, u, 5e-4);
    const std::string text = cap.Raw();
    EXPECT_NE(std::string::npos, text.find(c.class_line));
    EXPECT_NE(std::string::npos, text.find(std::string("  ") + c.verdict + "\xCEr  (bzgl. Querschnittsklasse"));
  }
}

// The print lists of levels 2, 1 and 0, the zero-forces line and the all-tension case.
TEST_F(ChecksTest, PrintListsGolden) {
  Library ipe("IPE300", 0);
  PrintCapture cap;
  Oli_Set_Colors(1);
  double u = -1;
  Print_CT_Check(&ipe.p, 1.0, 0, 1, 0.85, 2, -500, 20, 0, 0, 10, 0, 0, 0, &u, cap.stream(), 2);
  Print_CT_Check(&ipe.p, 1.0, 0, 0, 0, 0, -500, 0, 0, 0, 0, 0, 0, 0, &u, cap.stream(), 1);
  Print_CT_Check(&ipe.p, 1.0, 0, 0, 0, 0, -500, 0, 0, 0, 0, 0, 0, 0, &u, cap.stream(), 0);
  Print_CT_Check(&ipe.p, 1.0, 0, 0, 0, 0, 0.005, 0, 0, 0, 0, 0, 0, 0, &u, cap.stream(), 1);
  Oli_End_Text(cap.stream());
  const std::string before = cap.Raw();
  EXPECT_EQ(0, Print_CT_Check(&ipe.p, 1.0, 0, 0, 0, 0, 500, 0, 0, 0, 0, 0, 0, 0, &u, cap.stream(), 2));
  EXPECT_EQ(0.0, u);
  EXPECT_EQ(before, cap.Raw());  // all parts in tension: no line at all
  Expect_Golden("ct_check_ipe300.oli", before);
  // Without a yield strength the combination has no c/t result.
  ipe.p.grade.fy = 0;
  EXPECT_EQ(1, Print_CT_Check(&ipe.p, 1.0, 0, 0, 0, 0, -500, 0, 0, 0, 0, 0, 0, 0, &u, nullptr, 2));
}

// The check-flag word from kind words, section header and option words (one value per half).
TEST(CheckFlags, ByKindMethodShapeAndState) {
  struct Case {
    uint32_t kind1, kind2;
    int type, catalogue, shape;
    int a, b, c, d;
    uint32_t state, spatial, flags;
  } cases[] = {
      {1, 0, 1, 1, 0, 2, 1, 4, 0, 0, 0, 0x1010},          // elastic: c/t and sigma_v
      {1, 0, 1, 1, 0, 2, 1, 4, 0, 0, 1, 0x1010},
      {1, 0, 1, 1, 1, 1, 1, 4, 0, 0, 1, 0x1010},          // interaction not in a spatial check
      {1, 0, 1, 1, 1, 1, 1, 4, 0, 0, 0, 0x1001},          // interaction shape 1, plane
      {1, 0, 1, 1, 0, 1, 1, 4, 0, 0, 0, 0x1010},          // no shape: elastic
      {1, 0, 1, 1, 0, 4, 1, 4, 0, 0x1000000, 0, 0x401000},
      {1, 0, 1, 1, 0, 4, 1, 4, 0, 0, 0, 0x1010},
      {1, 0, 1, 1, 0, 3, 1, 4, 0x1000, 0x1000002, 0, 0x301000},
      {1, 0, 11, 0, 0, 2, 1, 4, 0, 0, 0, 0x10},           // flat bar: no c/t
      {0, 0, 1, 1, 0, 2, 1, 4, 1, 0, 0, 0x133c},          // DIN El. 747 brings the stress checks
      {0, 0, 1, 1, 0, 2, 1, 4, 4, 0, 0, 0x139c},          // El. 750 on a catalogue I
      {0, 0, 4, 0, 0, 2, 1, 4, 4, 0, 0, 0x131c},          // not on a parametric one
      {1, 0, -1, 0, 0, 2, 1, 7, 0x700, 0, 0, 0x4},        // values only, plane
      {1, 0, 1, 1, 0, 2, 1, 4, 0x300, 0, 0, 0x31010},     // buckling in and out of the plane
      {0x10001, 0, 1, 1, 0, 2, 1, 4, 0x300, 0, 1, 0x1010},  // bit 16, spatial: none
      {0x20001, 0, 1, 1, 0, 2, 1, 4, 0x400, 0, 0, 0x40000}, // bit 17: no section checks
      {1, 0x10000, 1, 1, 0, 2, 1, 4, 0x2000, 0, 0, 0x1410}, // fire case chosen
      {1, 0, 1, 1, 0, 3, 1, 4, 0, 0x100000E, 0, 0x101000},  // the disc is plated
      {0x10001, 0, 1, 1, 0, 2, 1, 4, 0x300, 0, 0, 0x21010}, // bit 16, plane: out of the plane
      {1, 0, 12, 0, 0, 2, 1, 4, 0, 0, 0, 0x10},           // round bar: no c/t
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(::testing::Message() << "kind " << k.kind1 << " type " << k.type << " a " << k.a << " d " << k.d
                                      << " spatial " << k.spatial);
    QS_CHECK_VIEW v{};
    v.header.type = k.type;
    v.header.catalogue = k.catalogue;
    v.header.interaction = k.shape;
    std::strcpy(v.name, "    IPE300");
    const int opt[4] = {k.a, k.b, k.c, k.d};
    for (int i = 0; i < 4; ++i) ASSERT_EQ(0, Encode_Check_Option_Word(opt[i], &v.values.options[i]));
    v.values.slot.state = k.state;
    const uint32_t words[2] = {k.kind1, k.kind2};
    EXPECT_EQ(k.flags, Get_Check_Flags(words, &v, k.spatial));
  }
}

// Only a changed standard makes the catalogue build its section model again.
TEST(CheckFlags, OnlyAChangedStandardInvalidatesTheSectionCache) {
  Reset_Checks_For_Tests();
  Set_Check_Standard(2);
  Set_Profil_Section_Cache_Key(5);
  EXPECT_EQ(2, Set_Check_Standard(2));
  EXPECT_EQ(5, Get_Profil_Section_Cache_Key());
  EXPECT_EQ(2, Set_Check_Standard(1));
  EXPECT_EQ(99999, Get_Profil_Section_Cache_Key());
  Reset_Checks_For_Tests();
}
