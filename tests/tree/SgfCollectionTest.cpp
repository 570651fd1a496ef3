// Finding the games of an SGF collection in one pass: where each tree lies, its header, the
// length of its main line, and what a broken game costs its neighbours (nothing).
#include <gtest/gtest.h>

#include <string>

#include "tree/SgfCollection.h"

namespace kelmaz {
namespace {

std::string slice(std::string_view text, const GameTreeRange& game) {
    return std::string(text.substr(game.begin, game.end - game.begin));
}

TEST(SgfCollection, EachTreeWithItsHeaderAndMainLine) {
    const std::string text =
        "(;GM[1]PB[Black \\] One]PW[White]DT[2024-01-02]RE[B+R]EV[Cup]SZ[9]"
        ";B[aa];W[bb](;B[cc];W[dd])(;B[ee];W[ff];B[gg]))\n"
        "(;PB[Second]C[(not a tree\\]; nor a node)];B[aa](;W[bb](;B[cc])(;B[dd];W[ee])))";
    const std::vector<GameTreeRange> games = indexGameTrees(text);
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].header.black, "Black ] One");
    EXPECT_EQ(games[0].header.white, "White");
    EXPECT_EQ(games[0].header.date, "2024-01-02");
    EXPECT_EQ(games[0].header.result, "B+R");
    EXPECT_EQ(games[0].header.event, "Cup");
    EXPECT_EQ(games[0].header.size, "9");
    // Main line: the first variation at each branch, B aa, W bb, B cc, W dd.
    EXPECT_EQ(games[0].header.moves, 4);
    EXPECT_TRUE(games[0].complete);
    EXPECT_EQ(text[games[0].begin], '(');
    EXPECT_EQ(text[games[0].end - 1], ')');
    EXPECT_EQ(slice(text, games[1]).substr(0, 15), "(;PB[Second]C[(");
    EXPECT_EQ(games[1].end, text.size());
    EXPECT_EQ(games[1].header.black, "Second");
    EXPECT_EQ(games[1].header.moves, 3);
}

TEST(SgfCollection, TextBetweenGamesAndEmptyBracketsAreNoGames) {
    const std::string text = "header text (no game here) (;B[aa]) trailing ( ) (;W[bb];B[cc])";
    const std::vector<GameTreeRange> games = indexGameTrees(text);
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(slice(text, games[0]), "(;B[aa])");
    EXPECT_EQ(slice(text, games[1]), "(;W[bb];B[cc])");
    EXPECT_EQ(games[1].header.moves, 2);
}

TEST(SgfCollection, AGameMissingItsCloseIsCutAtTheNextRoot) {
    const std::string text =
        "(;GM[1]PB[A];B[aa])\n"
        "(;GM[1]PB[Broken];B[aa];W[bb]\n"  // its ")" is missing
        "(;GM[1]PB[C];B[cc])\n"
        "(;FF[4]PB[D];W[dd](;B[ee])(;B[ff]))";
    const std::vector<GameTreeRange> games = indexGameTrees(text);
    ASSERT_EQ(games.size(), 4u);
    EXPECT_TRUE(games[0].complete);
    EXPECT_FALSE(games[1].complete);
    EXPECT_EQ(games[1].header.black, "Broken");
    EXPECT_EQ(games[2].header.black, "C");
    EXPECT_EQ(slice(text, games[2]), "(;GM[1]PB[C];B[cc])");
    EXPECT_TRUE(games[2].complete);
    EXPECT_EQ(games[3].header.black, "D");
    EXPECT_EQ(games[3].header.moves, 2);
    EXPECT_TRUE(games[3].complete);
}

// The readers close what a file cut short leaves open; the last game of such a file is read
// the same way.
TEST(SgfCollection, TextEndingInsideAGameOrAValue) {
    const std::string text = "(;PB[A];B[aa])(;PB[B];B[bb]";
    const std::vector<GameTreeRange> open = indexGameTrees(text);
    ASSERT_EQ(open.size(), 2u);
    EXPECT_TRUE(open[1].complete);
    EXPECT_EQ(open[1].end, text.size());
    EXPECT_EQ(open[1].header.moves, 1);
    const std::vector<GameTreeRange> value = indexGameTrees("(;PB[A])(;PB[B]C[never closed");
    ASSERT_EQ(value.size(), 2u);
    EXPECT_EQ(value[1].header.black, "B");
    EXPECT_TRUE(indexGameTrees("").empty());
    EXPECT_TRUE(indexGameTrees("no record at all ) ) (").empty());
}

TEST(SgfCollection, StopsAfterTheGamesAskedFor) {
    const std::string text = "(;SZ[13])(;SZ[9])(;SZ[7])";
    const std::vector<GameTreeRange> first = indexGameTrees(text, 1);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].header.size, "13");
    EXPECT_EQ(indexGameTrees(text, 2).size(), 2u);
    EXPECT_TRUE(indexGameTrees(text, 0).empty());
}

TEST(SgfCollection, HeaderComesFromTheRootOnly) {
    // PB in a later node and a second value of a list are not the header.
    const std::vector<GameTreeRange> games =
        indexGameTrees("(;PB[Root]RE[W+1][ignored];PB[Later]B[aa];W[bb]PW[Late])");
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].header.black, "Root");
    EXPECT_EQ(games[0].header.white, "");
    EXPECT_EQ(games[0].header.result, "W+1");
    EXPECT_EQ(games[0].header.moves, 2);
}

}  // namespace
}  // namespace kelmaz
