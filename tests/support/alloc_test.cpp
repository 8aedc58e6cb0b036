#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "host/host.h"
#include "support/support.h"

namespace {
// A size no allocator can give, taken from a runtime value so that the compiler cannot
// see it.
std::size_t Impossible_Size() {
  volatile std::size_t n = SIZE_MAX / 2;
  return n;
}
}  // namespace

TEST(ToolsAlloc, CountsLiveBlocksAndKeepsCountOnRealloc) {
  long before = Tools_Live_Blocks();
  char *a = static_cast<char *>(Tools_Alloc(nullptr, 8, 0));
  double *b = static_cast<double *>(Tools_Alloc(nullptr, 0, 0));  // size 0 is a valid block
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Tools_Live_Blocks(), before + 2);
  std::memcpy(a, "abcdefg", 8);
  a = static_cast<char *>(Tools_Alloc(a, 4096, 0));
  EXPECT_EQ(Tools_Live_Blocks(), before + 2);
  EXPECT_STREQ(a, "abcdefg");
  Tools_Free(&a);
  Tools_Free(&b);
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(b, nullptr);
  Tools_Free(&a);  // a null pointer is ignored
  EXPECT_EQ(Tools_Live_Blocks(), before);
}

TEST(ToolsAlloc, ZeroFlagClearsTheWholeBlockAfterRealloc) {
  unsigned char *p = static_cast<unsigned char *>(Tools_Alloc(nullptr, 16, 0));
  std::memset(p, 0xAB, 16);
  p = static_cast<unsigned char *>(Tools_Alloc(p, 64, 1));
  for (int k = 0; k < 64; ++k) ASSERT_EQ(p[k], 0) << k;
  Tools_Free(&p);
}

TEST(ToolsAllocDeathTest, ImpossibleAllocationEndsTheRunWithTheThreeLines) {
  std::string expected = std::string("Die Aktion erfordert eine Speicherkapazität, die\n"_cp) +
                         "vom Rechner zur Zeit nicht zur Verfügung gestellt\n"_cp +
                         "wird\\. Die Sitzung muß leider abgebrochen werden\\."_cp;
  EXPECT_EXIT(Tools_Alloc(nullptr, Impossible_Size(), 0), testing::ExitedWithCode(0), expected);
}

TEST(MemAlloc, WrappersReturnNullWhenMemoryIsShort) {
  Host_Clear_Messages();
  EXPECT_EQ(MEM_MALLOC(Impossible_Size()), nullptr);
  EXPECT_EQ(MEM_CALLOC(Impossible_Size(), 1), nullptr);
  // count × size overflows: null, not a small block.
  EXPECT_EQ(MEM_CALLOC(Impossible_Size(), 4), nullptr);
  EXPECT_TRUE(Host_Messages().empty());
}

// A failed realloc keeps the old block; a new one keeps its bytes; strdup copies.
TEST(MemAlloc, ReallocKeepsTheBlockAndStrdupCopies) {
  char *p = static_cast<char *>(MEM_MALLOC(16));
  ASSERT_NE(p, nullptr);
  std::memcpy(p, "unverändert"_cp, 12);
  EXPECT_EQ(MEM_REALLOC(p, Impossible_Size()), nullptr);
  EXPECT_STREQ(p, "unverändert"_cp);
  p = static_cast<char *>(MEM_REALLOC(p, 4000));
  ASSERT_NE(p, nullptr);
  EXPECT_STREQ(p, "unverändert"_cp);
  char *s = MEM_STRDUP(p);
  EXPECT_STREQ(s, "unverändert"_cp);
  MEM_FREE(s);
  MEM_FREE(p);
  void *empty = MEM_REALLOC(nullptr, 0);  // a new block for null
  EXPECT_NE(empty, nullptr);
  MEM_FREE(empty);
}
