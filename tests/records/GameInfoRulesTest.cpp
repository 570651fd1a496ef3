#include <gtest/gtest.h>

#include "base/NumberText.h"
#include "records/GameInfoRules.h"

namespace kelmaz {
namespace {

void expectResult(std::string_view re, std::string_view winner, std::string_view detail) {
    const DecodedResult r = DecodeResult(re);
    EXPECT_EQ(r.winner, winner) << re;
    EXPECT_EQ(r.detail, detail) << re;
}

TEST(GameInfoRules, DecodesResultsFromTheTableAndByShape) {
    expectResult("  b+r ", "黒", "中押し");
    expectResult("W+Resign", "白", "中押し");
    expectResult("w+f", "黒反則負", "");
    expectResult("B+T", "白時間切れ", "");
    expectResult("0", "持碁", "");
    expectResult("d", "持碁", "");
    expectResult("O", "両負", "");
    expectResult("V", "無勝負", "");
    expectResult("W+3.5", "白", "3.5");
    expectResult("B+12.5", "", "");  // six characters: nothing is guessed
    expectResult("B", "黒", "");
    expectResult("", "", "");
    expectResult("X+1", "", "1");
    expectResult("B+中押", "黒", "中押");  // counted in characters, not bytes
}

TEST(GameInfoRules, BlanksAroundTheSignOfAResultAreIgnored) {
    expectResult("W+ 9.5", "白", "9.5");
    expectResult("B +\t R", "黒", "中押し");
    expectResult("w + resign", "白", "中押し");
    expectResult(" B+  ", "黒", "");
    expectResult("W+ 12.5", "", "");  // still six characters without the blank
}

TEST(GameInfoRules, ResultsAndKomiWrittenInJapanese) {
    expectResult("257手完, 黒中押し勝ち", "黒", "中押し");
    expectResult("白3目半勝ち", "白", "3目半");
    expectResult("黒番白1目勝", "白", "1目");
    expectResult("持碁", "持碁", "");
    const AlternativeInfo komi = kAlternativeInfo[2];
    ASSERT_EQ(komi.field, InfoField::KM);
    const struct {
        const char* written;
        const char* komi;
    } rows[] = {{"黒6目半", "6.5"}, {"6目", "6"}, {"半目", "0.5"},       {"コミなし", "0"},
                {" 7.5 ", "7.5"},   {"不明", ""}, {"黒5目半コミ", "5.5"}};
    for (const auto& row : rows) EXPECT_EQ(alternativeInfoText(komi, row.written), row.komi);
}

TEST(GameInfoRules, DecodesTimeAllowanceInHoursAndMinutes) {
    auto expectTime = [](std::string_view tm, std::string_view h, std::string_view m) {
        const DecodedTime t = DecodeTime(tm);
        EXPECT_EQ(t.hours, h) << tm;
        EXPECT_EQ(t.minutes, m) << tm;
    };
    expectTime("5400", "1", "30");
    expectTime("90", "0", "1");
    expectTime("1時間", "0", "0");
    expectTime("", "0", "0");
    expectTime(" 7200.4 ", "2", "0");
    expectTime("1e300", "0", "0");
}

TEST(GameInfoRules, FieldChangesUpdateTheLabels) {
    GameInfo info;
    setInfoField(info, InfoField::RE, "B+R");
    setInfoField(info, InfoField::TM, "3660");
    EXPECT_EQ(info.WinnerLabel, "黒");
    EXPECT_EQ(info.DetailLabel, "中押し");
    EXPECT_EQ(info.HoursLabel, "1");
    EXPECT_EQ(info.MinutesLabel, "1");
    setInfoField(info, InfoField::RE, "");
    EXPECT_EQ(info.WinnerLabel + info.DetailLabel, "");
    setInfoField(info, 99, "ignored");
}

TEST(NumberText, AcceptsDecimalNumbersOnly) {
    EXPECT_EQ(parseNumber(" -5.50 "), -5.5);
    EXPECT_EQ(parseNumber("1e3"), 1000.0);
    for (const char* bad : {"", "abc", "0x10", "inf", "nan", "1e", ".", "1,5", "5 5"}) {
        EXPECT_FALSE(parseNumber(bad)) << bad;
    }
    EXPECT_EQ(parseInt16("2.5"), 2);  // half to even
    EXPECT_EQ(parseInt16("3.5"), 4);
    EXPECT_EQ(parseInt16("-32768"), -32768);
    EXPECT_FALSE(parseInt16("32768"));
    EXPECT_FALSE(parseInt16("99999999999999999999"));
}

}  // namespace
}  // namespace kelmaz
