#include <gtest/gtest.h>

#include "shell/StartupSettings.h"

namespace kelmaz {
namespace {

SettingsStore storeWith(std::string_view text) {
    SettingsStore store;
    store.parse(text);
    return store;
}

TEST(StoredOptions, DefaultsWithoutAFile) {
    const StoredOptions o = readStoredOptions(SettingsStore{});
    EXPECT_EQ(o.sizeIndex, 0);
    EXPECT_EQ(o.numbersIndex, 1) << "numbers are hidden by default";
    EXPECT_EQ(o.speedMs, 1000);
    EXPECT_TRUE(o.digitLabels);
    EXPECT_FALSE(o.lowerLeftOrigin);
    EXPECT_TRUE(o.showCommentary);
}

TEST(StoredOptions, IndicesOutsideTheirGroupSelectTheDefault) {
    const StoredOptions o =
        readStoredOptions(storeWith("Ban,3\nBaniro,-1\nShiro,abc\nBangou,0.5\nOS,NT\nPnada, 1\n"
                                    "Kaisetu,非表示\n"));
    EXPECT_EQ(o.sizeIndex, 0);
    EXPECT_EQ(o.boardTintIndex, 0);
    EXPECT_EQ(o.whiteTintIndex, 0);
    EXPECT_EQ(o.numbersIndex, 1);
    EXPECT_FALSE(o.digitLabels);
    EXPECT_TRUE(o.lowerLeftOrigin);
    EXPECT_FALSE(o.showCommentary);
    EXPECT_EQ(readStoredOptions(storeWith("Ban, 2\nBangou,0\n")).sizeIndex, 2);
    EXPECT_EQ(readStoredOptions(storeWith("Ban, 2\nBangou,0\n")).numbersIndex, 0);
}

TEST(StoredOptions, SpeedZeroOrGarbageMeansOneSecondAndIsHeldInRange) {
    EXPECT_EQ(readStoredOptions(storeWith("Speed,0\n")).speedMs, 1000);
    EXPECT_EQ(readStoredOptions(storeWith("Speed,fast\n")).speedMs, 1000);
    EXPECT_EQ(readStoredOptions(storeWith("Speed,2.3\n")).speedMs, 2300);
    EXPECT_EQ(readStoredOptions(storeWith("Speed,1e300\n")).speedMs, 20000);
    EXPECT_EQ(readStoredOptions(storeWith("Speed,-4\n")).speedMs, 100);
    EXPECT_EQ(readStoredOptions(storeWith("Speed,nan\n")).speedMs, 1000);
}

TEST(StoredGeometry, OutOfRangeAndGarbageValues) {
    StoredGeometry g = readStoredGeometry(SettingsStore{});
    EXPECT_EQ(g.top, 200);
    EXPECT_EQ(g.left, 200);
    EXPECT_EQ(g.width, 4000);
    EXPECT_TRUE(g.panelShown);

    g = readStoredGeometry(storeWith("Top,12000\nLeft,-50\nWidth,x\ndispCont,0\n"));
    EXPECT_EQ(g.top, 0);
    EXPECT_EQ(g.left, 0);
    EXPECT_EQ(g.width, 4000);
    EXPECT_FALSE(g.panelShown);

    g = readStoredGeometry(storeWith("Top, 1200\nWidth,99999999999\n"));
    EXPECT_EQ(g.top, 1200);
    EXPECT_EQ(g.width, 4000) << "an absurd width is not a width";
    EXPECT_EQ(readStoredGeometry(storeWith("Width,100\n")).width, kMinWindowWidth);
    EXPECT_EQ(readStoredGeometry(storeWith("Width,900000\n")).width, kMaxWindowWidth);
}

TEST(StoredTreeGeometry, DefaultsGarbageAndTinySizes) {
    StoredTreeGeometry g = readTreeWindowGeometry(SettingsStore{});
    EXPECT_EQ(g.top, 200);
    EXPECT_EQ(g.width, 5000);
    EXPECT_EQ(g.height, 5000);
    g = readTreeWindowGeometry(storeWith("nTop, 900\nnWidth,abc\nnHeight,99999999999\n"));
    EXPECT_EQ(g.top, 900);
    EXPECT_EQ(g.width, 5000);
    EXPECT_EQ(g.height, 5000);
    g = readTreeWindowGeometry(storeWith("nWidth,-300\nnHeight,0\n"));
    EXPECT_EQ(g.width, kMinTreeWindowSide);
    EXPECT_EQ(g.height, kMinTreeWindowSide);
}

// A size no screen has would make a window of that size (and its picture in memory): it is
// held to the main window's bounds, and a top far off every screen falls back to 0.
TEST(StoredTreeGeometry, OutsizedValuesAreHeldToTheMainWindowsBounds) {
    StoredTreeGeometry g =
        readTreeWindowGeometry(storeWith("nTop,999999999\nnWidth,999999999\nnHeight,999999999\n"));
    EXPECT_EQ(g.width, kMaxWindowWidth);
    EXPECT_EQ(g.height, kMaxWindowWidth);
    EXPECT_EQ(g.top, 0);
    g = readTreeWindowGeometry(storeWith("nTop,-999999999\n"));
    EXPECT_EQ(g.top, 0);
    const StoredGeometry main = readStoredGeometry(storeWith("Height,999999999\n"));
    EXPECT_EQ(main.height, kMaxWindowWidth);
}

TEST(SpeedCaption, ShortestTextOfTheRoundedSeconds) {
    EXPECT_EQ(speedCaption(1000), "1");
    EXPECT_EQ(speedCaption(500), "0.5");
    EXPECT_EQ(speedCaption(1234), "1.23");
    EXPECT_EQ(speedCaption(1235), "1.24");
    EXPECT_EQ(speedCaption(100), "0.1");
    EXPECT_EQ(speedCaption(20000), "20");
}

TEST(SettingNumber, AcceptsOnlyWholeNumbers) {
    EXPECT_EQ(settingNumber(" 1200"), 1200.0);
    EXPECT_EQ(settingNumber("+3"), 3.0);
    EXPECT_FALSE(settingNumber("12abc"));
    EXPECT_FALSE(settingNumber(""));
    EXPECT_FALSE(settingNumber("inf"));
    EXPECT_EQ(settingIndex("2", 3, 0), 2);
    EXPECT_EQ(settingIndex("3", 3, 0), 0);
}

}  // namespace
}  // namespace kelmaz
