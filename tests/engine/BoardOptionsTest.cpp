#include <gtest/gtest.h>

#include "engine/BoardOptions.h"

namespace kelmaz {

TEST(BoardOptions, SizeIndexOutsideTheGroupMeansNineteenLines) {
    EXPECT_EQ(boardSizeForIndex(0), 19);
    EXPECT_EQ(boardSizeForIndex(1), 13);
    EXPECT_EQ(boardSizeForIndex(2), 9);
    EXPECT_EQ(boardSizeForIndex(7), 19);
    EXPECT_EQ(boardSizeForIndex(-1), 19);
}

}  // namespace kelmaz
