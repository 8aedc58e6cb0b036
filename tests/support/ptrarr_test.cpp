#include <gtest/gtest.h>

#include <cstring>

#include "support/support.h"

namespace {
int Same_Text(const void *item, const void *key) {
  return std::strcmp(static_cast<const char *>(item), static_cast<const char *>(key)) == 0;
}
}  // namespace

TEST(PtrArr, SetGrowsByTenOrToTheIndex) {
  PTRARR *a = PtrArr_Create(0);
  ASSERT_NE(a, nullptr);
  int x = 1, y = 2;
  EXPECT_EQ(PtrArr_Set(a, 0, &x), nullptr);
  EXPECT_EQ(a->capacity, 10);
  EXPECT_EQ(PtrArr_Count(a), 1);
  EXPECT_EQ(PtrArr_Set(a, 25, &y), nullptr);
  EXPECT_EQ(a->capacity, 26);
  EXPECT_EQ(PtrArr_Count(a), 26);
  for (int k = 1; k <= 24; ++k) EXPECT_EQ(PtrArr_Get(a, k), nullptr) << k;
  EXPECT_EQ(PtrArr_Get(a, 25), &y);
  EXPECT_EQ(PtrArr_Set(a, -1, &x), nullptr);  // changes nothing
  EXPECT_EQ(PtrArr_Count(a), 26);
  EXPECT_EQ(a->capacity, 26);
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
  EXPECT_EQ(PtrArr_Get(a, 3), names[3]);
  EXPECT_EQ(PtrArr_Get(a, 4), nullptr);
  EXPECT_EQ(PtrArr_Get(a, -1), nullptr);

  int index = -7;
  EXPECT_EQ(PtrArr_Find(a, "IPE", Same_Text, &index), names[2]);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(PtrArr_Find(a, "HEM", Same_Text, &index), nullptr);
  EXPECT_EQ(index, 4);

  EXPECT_EQ(PtrArr_Remove(a, 1), names[1]);
  EXPECT_EQ(PtrArr_Count(a), 3);
  EXPECT_EQ(PtrArr_Get(a, 1), names[2]);
  EXPECT_EQ(PtrArr_Get(a, 2), names[3]);
  EXPECT_EQ(a->items[3], nullptr);  // the freed last slot is cleared
  EXPECT_EQ(PtrArr_Remove(a, 3), nullptr);
  EXPECT_EQ(PtrArr_Remove(a, -1), nullptr);
  PtrArr_Destroy(a);
  PtrArr_Destroy(nullptr);
}
