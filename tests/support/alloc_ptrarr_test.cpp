#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "host/host.h"
#include "support/support.h"

namespace {
// A size no allocator can give, taken from a runtime value so that the compiler cannot
// see it.
std::size_t Impossible_Size() {
  volatile std::size_t n = SIZE_MAX / 2;
  return n;
}

int Same_Text(const void *item, const void *key) {
  return std::strcmp(static_cast<const char *>(item), static_cast<const char *>(key)) == 0;
}
}  // namespace

TEST(ToolsAlloc, CountsLiveBlocksAndKeepsCountOnRealloc) {
  long before = Tools_Live_Blocks();
  char *a = static_cast<char *>(Tools_Alloc(nullptr, 8, 0));
  double *b = static_cast<double *>(Tools_Alloc(nullptr, 0, 0));  // size 0 is a valid block
  ASSERT_TRUE(a && b);
  EXPECT_EQ(Tools_Live_Blocks(), before + 2);
  std::memcpy(a, "abcdefg", 8);
  a = static_cast<char *>(Tools_Alloc(a, 4096, 0));
  EXPECT_EQ(Tools_Live_Blocks(), before + 2);
  EXPECT_STREQ(a, "abcdefg");
  Tools_Free(&a);
  Tools_Free(&b);
  EXPECT_TRUE(a == nullptr && b == nullptr);
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
  char *s = MEM_STRDUP(p);
  EXPECT_EQ(std::string(p) + "|" + s, "unverändert|unverändert"_cp);
  MEM_FREE(s);
  MEM_FREE(p);
  void *empty = MEM_REALLOC(nullptr, 0);  // a new block for null
  EXPECT_NE(empty, nullptr);
  MEM_FREE(empty);
}

TEST(PtrArr, SetGrowsByTenOrToTheIndex) {
  PTRARR *a = PtrArr_Create(0);
  ASSERT_NE(a, nullptr);
  int x = 1, y = 2;
  EXPECT_EQ(PtrArr_Set(a, 0, &x), nullptr);
  EXPECT_EQ((std::vector<int>{a->capacity, PtrArr_Count(a)}), (std::vector<int>{10, 1}));
  EXPECT_EQ(PtrArr_Set(a, 25, &y), nullptr);
  EXPECT_EQ((std::vector<int>{a->capacity, PtrArr_Count(a)}), (std::vector<int>{26, 26}));
  for (int k = 1; k <= 24; ++k) EXPECT_EQ(PtrArr_Get(a, k), nullptr) << k;
  EXPECT_EQ(PtrArr_Get(a, 25), &y);
  EXPECT_EQ(PtrArr_Set(a, -1, &x), nullptr);  // changes nothing
  EXPECT_EQ((std::vector<int>{a->capacity, PtrArr_Count(a)}), (std::vector<int>{26, 26}));
  EXPECT_EQ(PtrArr_Set(a, 0, &y), &x);  // the old item comes back
  PtrArr_Destroy(a);
}

TEST(PtrArr, AppendRemoveAndFind) {
  const char *names[] = {"HEA", "HEB", "IPE", "UPE"};
  PTRARR *a = PtrArr_Create(2);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(PtrArr_Count(a), 0);
  EXPECT_EQ(PtrArr_Get(a, 0), nullptr);
  for (const char *n : names) PtrArr_Set(a, PtrArr_Count(a), const_cast<char *>(n));
  ASSERT_EQ(PtrArr_Count(a), 4);
  EXPECT_EQ((std::vector<void *>{PtrArr_Get(a, 3), PtrArr_Get(a, 4), PtrArr_Get(a, -1)}),
            (std::vector<void *>{const_cast<char *>(names[3]), nullptr, nullptr}));

  int index = -7;
  EXPECT_EQ(PtrArr_Find(a, "IPE", Same_Text, &index), names[2]);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(PtrArr_Find(a, "HEM", Same_Text, &index), nullptr);
  EXPECT_EQ(index, 4);

  EXPECT_EQ(PtrArr_Remove(a, 1), names[1]);
  EXPECT_EQ(PtrArr_Count(a), 3);
  // The rest moves down, the freed last slot is cleared; nothing to remove out of range.
  EXPECT_EQ((std::vector<void *>{PtrArr_Get(a, 1), PtrArr_Get(a, 2), a->items[3], PtrArr_Remove(a, 3), PtrArr_Remove(a, -1)}),
            (std::vector<void *>{const_cast<char *>(names[2]), const_cast<char *>(names[3]), nullptr, nullptr, nullptr}));
  PtrArr_Destroy(a);
  PtrArr_Destroy(nullptr);
}
