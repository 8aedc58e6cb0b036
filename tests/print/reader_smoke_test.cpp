#include <gtest/gtest.h>
#include "tests/testsupport/olireader.h"
TEST(OliReader, Empty) { OLI_DOCUMENT d; EXPECT_EQ(0, Read_Oli_Text("", 0, &d)); }
