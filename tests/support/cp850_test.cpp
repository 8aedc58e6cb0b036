#include <gtest/gtest.h>

#include <cstring>

#include "support/cp850.h"

// Print-font bytes that are easy to confuse (cubic sign, less-or-equal, markup opener).
static_assert(static_cast<unsigned char>("·"_cp[0]) == 0xFA);
static_assert(static_cast<unsigned char>("³"_cp[0]) == 0xFC);
static_assert(static_cast<unsigned char>("¾"_cp[0]) == 0xF3);
static_assert(static_cast<unsigned char>("╬"_cp[0]) == 0xCE);
static_assert(static_cast<unsigned char>("º"_cp[0]) == 0xA7);
static_assert(static_cast<unsigned char>("°"_cp[0]) == 0xF8);

TEST(Cp850Literal, ConvertsUmlautsAndKeepsAscii) {
  EXPECT_STREQ("Tragfähigkeit"_cp, "Tragf\x84higkeit");
  EXPECT_STREQ("╬\\w"_cp, "\xCE\\w");
  EXPECT_EQ(std::strlen("Größe"_cp), 5u);
}
