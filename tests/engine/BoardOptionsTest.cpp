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

// The replay runs at the seconds the settings window shows: the interval rounded to hundredths.
TEST(BoardOptions, SpeedSecondsAreTheIntervalInHundredths) {
    const auto seconds = [](int ms) {
        BoardOptions options;
        options.speedMs = ms;
        return options.speedSeconds();
    };
    EXPECT_DOUBLE_EQ(BoardOptions{}.speedSeconds(), 1.0);
    EXPECT_DOUBLE_EQ(seconds(100), 0.1);
    EXPECT_DOUBLE_EQ(seconds(1234), 1.23);
    EXPECT_DOUBLE_EQ(seconds(1235), 1.24);
    EXPECT_DOUBLE_EQ(seconds(20000), 20.0);
}

}  // namespace kelmaz
