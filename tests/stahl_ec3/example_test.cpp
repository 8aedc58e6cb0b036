// The example member "BSP1" in example/: its data file reads back to the member it was
// written from, byte for byte, and its position text lies where the prefix rule puts it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "host/host.h"
#include "nad/nad.h"
#include "stahl_ec3/stahl_ec3.h"
#include "support/shell.h"

TEST(BauteilExample, Bsp1ReadsBackAsWritten) {
  Host_Reset();
  Set_Refresh_Mode(1);
  ASSERT_EQ(Set_Bauteil_Path(PF_SOURCE_DIR "/example/BSP1"), 1);
  Set_File_Number(1);
  std::ifstream in(Make_Bauteil_Filename(".INP"), std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  ASSERT_FALSE(text.empty());

  BAUTEIL b{};
  FILE *f = Open_Bauteil_File(".INP", "r");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(Read_Bauteil(f, &b), 0);
  std::fclose(f);
  EXPECT_STREQ(Get_Active_NAD_Name(), NAD_DEFAULT_NAME);
  EXPECT_EQ(b.method, BAUTEIL_METHOD_ELASTIC);
  EXPECT_EQ(b.ct_check, 1);
  EXPECT_EQ(b.material.grade, 0);  // S235
  const struct {
    const char *name;
    double N, M_y;
  } rows[] = {{"Brand 1", -500, 100}, {"Brand 2", 0, 0}, {"Brand 3", -1500, 250}};
  ASSERT_EQ(b.brandlast_count, 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_STREQ(b.brandlasten[i].name, rows[i].name);
    EXPECT_EQ(b.brandlasten[i].N, rows[i].N);
    EXPECT_EQ(b.brandlasten[i].M_y, rows[i].M_y);
  }
  // HE 280 A (EN 10365): A 97.26 cm², I_y 13 670 cm⁴.
  ASSERT_EQ(Check_Bauteil_Data(&b, nullptr, 0, nullptr), 0);
  EXPECT_NEAR(b.profil.A, 9726, 0.005 * 9726);
  EXPECT_NEAR(b.profil.I_y, 13670e4, 0.005 * 13670e4);
  EXPECT_DOUBLE_EQ(b.safety.gamma_M0, 1.0);

  char *buf = nullptr;
  size_t len = 0;
  FILE *out = open_memstream(&buf, &len);
  ASSERT_EQ(Write_Bauteil(out, &b), 0);
  std::fclose(out);
  EXPECT_EQ(std::string(buf, len), text);
  std::free(buf);
  Reset_Bauteil(&b);

  std::ifstream txt(Make_Stem_Prefix_Filename("_01.TXT"));
  std::string label;
  ASSERT_TRUE(std::getline(txt, label));
  EXPECT_EQ(label.rfind("Beispiel BSP1", 0), 0u);
  Host_Reset();
}
