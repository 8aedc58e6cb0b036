#include <gtest/gtest.h>

#include "host/host.h"

TEST(HostFonts, FixedPitchPerFontWord) {
  Host_Reset();
  Pop_RFont(0);
  EXPECT_EQ(RFONT_WIDTH + RFONT_SPACE, 8);
  EXPECT_EQ(Host_Text_Extent("abcde", 5), 37);
  Push_RFont();
  EXPECT_EQ(Host_Current_Font(), 0x1000);
}
