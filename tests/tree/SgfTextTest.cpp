#include <gtest/gtest.h>

#include "records/SgfWriter.h"
#include "tree/SgfText.h"

namespace kelmaz {

TEST(Stripdata, KeepsOnlyNodesThatPlaceStones) {
    EXPECT_EQ(Stripdata("(;GM[1];B[aa];C[x];W[bb])"), "(;B[aa];W[bb])");
    EXPECT_EQ(Stripdata("(;GM[1](;B[aa])(;B[bb]))"), "((;B[aa])(;B[bb]))");
    // A last node holding only a comment or markup keeps the closing parenthesis.
    EXPECT_EQ(Stripdata("(;B[aa];W[bb];C[end])"), "(;B[aa];W[bb])");
    EXPECT_EQ(Stripdata("(;B[aa];TB[cc][dd])"), "(;B[aa])");
    // Variations beside a dropped node stay apart; a variation without stones goes away.
    EXPECT_EQ(Stripdata("(;B[aa](;W[bb];C[x])(;W[cc]))"), "(;B[aa](;W[bb])(;W[cc]))");
    EXPECT_EQ(Stripdata("(;B[aa](;C[only talk])(;W[cc]))"), "(;B[aa](;W[cc]))");
    // A move after another property in the node keeps the node.
    EXPECT_EQ(Stripdata("(;GM[1];C[note]B[pd])"), "(;C[note]B[pd])");
}

TEST(Stripdata, KeepsTheFirstNodeForItsIntroduction) {
    EXPECT_EQ(Stripdata("(;GM[1]C[intro];C[talk];B[aa])"), "(;GM[1]C[intro];B[aa])");
    EXPECT_EQ(Stripdata("(;GM[1]C[intro](;B[aa])(;C[x]))"), "(;GM[1]C[intro](;B[aa]))");
    EXPECT_EQ(Stripdata("(;C[only an introduction])"), "(;C[only an introduction])");
    // A comment of a later node, or a "C[" inside another value, keeps no node.
    EXPECT_EQ(Stripdata("(;GM[1];C[x];B[aa])"), "(;B[aa])");
    EXPECT_EQ(Stripdata("(;GN[a C[b]];B[aa])"), "(;B[aa])");
    EXPECT_EQ(shownNodeNumbers("(;C[intro];C[x];B[aa](;W[bb])(;C[y]))"),
              (std::vector<int>{1, 3, 4}));
}

TEST(Stripdata, IgnoresStructureInsideValues) {
    EXPECT_EQ(Stripdata("(;B[aa]C[good; but slow =)];W[bb])"),
              "(;B[aa]C[good; but slow =)];W[bb])");
    EXPECT_EQ(Stripdata("(;B[aa]C[a \\] b ;B[cc]];C[x ;W[dd]])"), "(;B[aa]C[a \\] b ;B[cc]])");
    EXPECT_EQ(Stripdata("junk (;B[aa]) trailing"), "(;B[aa])");
    EXPECT_EQ(Stripdata("(;GM[1])"), "");
}

TEST(Checkg, ReportsTheFirstFault) {
    EXPECT_EQ(Checkg("[x]"), "構文エラー 最初に[が有ります");
    EXPECT_EQ(Checkg("(;C[a[b]])"), "[a[b]]\r\n   　] 　が連続しています。");
    // A "[" outside a value that follows neither a property name nor another value.
    EXPECT_EQ(Checkg("(;B[aa];[bb])"), "[aa];[\r\n[が連続しています。");
    EXPECT_EQ(Checkg("(;B[aa] ( [bb]))"), "[aa] ( [\r\n[が連続しています。");
    EXPECT_EQ(Checkg("(;B[aa]"), "(　の数が　）の数より多い。");
    EXPECT_EQ(Checkg("(;B[aa]))"), "(　の数が　）の数より少ない。");
    EXPECT_EQ(Checkg("(;B[aa]())"), "ノードが有りません。");
    EXPECT_EQ(Checkg("(;B[aa]])"), "[aa]]\r\n   　] 　が連続しています。");
    EXPECT_EQ(Checkg("  (;B[aa](;W[bb])(;W[cc]))  "), "");
}

TEST(Checkg, EscapedBracketsAndParenthesesInValuesAreNoFault) {
    EXPECT_EQ(Checkg("(;C[a \\] b =) (]B[aa])"), "");
    EXPECT_EQ(Checkg("(;C[ends with backslash \\\\]B[aa])"), "");
}

TEST(Checkg, BareOpeningBracketsInValuesAreNoFault) {
    // A point named in brackets inside a comment, as people write it and as files carry it.
    EXPECT_EQ(Checkg("(;C[A案[星\\]とB案[小目\\]];B[pd])"), "");
    EXPECT_EQ(Checkg("(;C[[[[];B[pd]C[see [dd])"), "");
    // Lists, blanks before a value and long property names still open values.
    EXPECT_EQ(Checkg("(;AB[aa] [bb]\n[cc]AddWhite [dd];c[x])"), "");
    EXPECT_EQ(Checkg("B[aa]"), "");
}

TEST(Checkg, TheProgramsOwnFileWithBracketsInCommentsRaisesNoAlarm) {
    GameState s;
    s.MoveCount = 1;
    s.MoveCol[1] = 16;
    s.MoveRow[1] = 4;
    s.MoveColour[1] = kBlack;
    s.MoveComment[1] = "A案[星]とB案[小目]、[[ や ]] も";
    std::string text;
    for (const std::string& line : sgfRecordLines(s)) text += line + "\r\n";
    EXPECT_EQ(Checkg(text), "");
}

TEST(GetMainpath, FollowsTheFirstVariationAndSkipsQuotedMoves) {
    EXPECT_EQ(GetMainpath("(;B[aa](;W[bb])(;W[cc]))"), "B[aa]W[bb]");
    EXPECT_EQ(GetMainpath("(;AB[dd]AW[pp];B[aa])"), "B[dd]W[pp]B[aa]");
    EXPECT_EQ(GetMainpath("(;B[pd];W[qq]C[Black B[pd] was better];B[dp])"), "B[pd]W[qq]B[dp]");
    EXPECT_EQ(GetMainpath("(;B[pd]C[Black B[dd\\] was better; W[qq\\]];W[dp])"), "B[pd]W[dp]");
    EXPECT_EQ(GetMainpath("(;C[=)];B[aa];W[bb])"), "B[aa]W[bb]");
}

TEST(GetMainpath, PassesAndPointLists) {
    EXPECT_EQ(GetMainpath("(;B[];W[tt];B[cc])"), "B[tt]W[tt]B[cc]");
    EXPECT_EQ(GetMainpath("(;AB[aa:bc])"), "B[aa]B[ba]B[ab]B[bb]B[ac]B[bc]");
    EXPECT_EQ(GetMainpath("(;AddBlack[dd];White[pp])"), "B[dd]W[pp]");
}

TEST(CutYobunData, DropsTextAroundTheTree) {
    EXPECT_EQ(CutYobunData("xx(;B[aa](;W[bb])) tail"), "(;B[aa](;W[bb]))");
    EXPECT_EQ(CutYobunData("C[(;] (;B[aa])"), "(;B[aa])");
    EXPECT_EQ(CutYobunData("no tree"), "");
}

// Large texts go through every scan; a scan gone quadratic runs into the case's timeout.
TEST(TextScans, LargeTextsGoThroughEveryScan) {
    std::string big = "(;GM[1]";
    for (int i = 0; i < 400000; ++i) big += ";B[aa]C[x(y)z;]";
    big += ")";
    EXPECT_EQ(Checkg(big), "");
    EXPECT_FALSE(Stripdata(big).empty());
    EXPECT_EQ(GetMainpath(big).size(), 400000u * 5);
}

}  // namespace kelmaz
