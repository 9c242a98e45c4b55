// The public header compiles as C and describes the same records as in C++.
#include <gtest/gtest.h>

#include "polvex/polvex.h"

extern "C" int PublicHeaderObjectStructSize(void);

TEST(PublicHeader, CompilesAsCWithTheSameRecordLayout) {
    EXPECT_EQ(PublicHeaderObjectStructSize(), static_cast<int>(sizeof(ObjectStruct)));
}
