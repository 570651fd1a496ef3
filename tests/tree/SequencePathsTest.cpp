#include <gtest/gtest.h>

#include <algorithm>

#include "tree/OutlineLines.h"
#include "tree/SequencePaths.h"

namespace kelmaz {
namespace {

using test::item;
using test::sep;
const std::vector<std::string>& kTree = test::kBranchingTree;

// Which lines take a move number, and the number each line carries.
TEST(OutlineLine, OnlyMovesAndPassesTakeAMoveNumber) {
    using Kind = OutlineLine::Kind;
    const struct {
        const char* line;
        Kind kind;
        int number;
    } rows[] = {
        {"  2;B[pd]", Kind::Move, 2},
        {" 12-------   3", Kind::Branch, 12},
        {"  0B[cc]", Kind::Move, 0},       // the reader's walk swallows the first node's ";"
        {"  0;White[cc]", Kind::Move, 0},  // long and lower-case names name the same property
        {"  0;B[tt]", Kind::Move, 0},      // passes, however written
        {"  0;B[]", Kind::Move, 0},
        {"  0;B[a", Kind::Move, 0},
        {"  1;AB[dd]", Kind::Other, 1},  // setup stones are no moves
        {"  0;AddBlack[cc]", Kind::Other, 0},
        {"  1C[  黒の好手 ]", Kind::Other, 1},
        {"  0PB[本因坊]", Kind::Other, 0},
        {"  0BR[3d]", Kind::Other, 0},
        {"", Kind::Other, 0},
        {"  0[too many values]", Kind::Other, 0},
        {"abc;B[aa]", Kind::Move, 0},  // a damaged number reads as none
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const OutlineLine read = parseOutlineLine(row.line);
        EXPECT_EQ(read.kind, row.kind);
        EXPECT_EQ(read.number, row.number);
    }
}

TEST(ReadNode, MainLineLevelsBeyondTheBranchSlotsGetNoReplayStop) {
    const std::vector<std::string> lines = {sep(1, 0), item(0, ";B[aa]"), sep(2, 0),
                                            item(150, ";W[bb]")};
    const BranchTable t = ReadNode(lines);
    EXPECT_EQ(std::count(t.mainLineBranchMoves.begin(), t.mainLineBranchMoves.end(), 0),
              kBranchSlots + 1);
}

TEST(ReadNode, LinksEachBranchToTheBranchOneLevelUp) {
    const BranchTable t = ReadNode(kTree);
    ASSERT_EQ(t.branches.size(), 5u);
    const std::vector<std::vector<int>> paths = {{1}, {1, 2}, {1, 2, 3}, {1, 2, 4}, {1, 5}};
    const std::vector<int> starts = {1, 3, 5, 5, 3};
    const std::vector<bool> main = {true, true, true, false, false};
    for (int k = 1; k <= 5; ++k) {
        SCOPED_TRACE(k);
        const ViewerBranch* b = t.find(k);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->path, paths[k - 1]);
        EXPECT_EQ(b->startMove, starts[k - 1]);
        EXPECT_EQ(b->onMainLine, main[k - 1]);
    }
    EXPECT_EQ(t.find(4)->parent, 2);
    EXPECT_EQ(t.find(0), nullptr);
    EXPECT_EQ(t.find(6), nullptr);
    EXPECT_TRUE(t.notices.empty());
}

TEST(ReadNode, NamesTheBranchesThatLeaveTheMainLineAtAMove) {
    const BranchTable t = ReadNode(kTree);
    EXPECT_EQ(t.mainLineBranchMoves[1], 3);
    EXPECT_EQ(t.mainLineBranchMoves[2], 5);
    EXPECT_EQ(t.mainLineBranchMoves[3], 0);
    EXPECT_EQ(t.branchesAt(3), (std::vector<int>{2, 5}));
    EXPECT_EQ(t.branchesAt(5), (std::vector<int>{3, 4}));
    EXPECT_TRUE(t.branchesAt(4).empty());
    EXPECT_TRUE(t.branchesAt(0).empty());
}

TEST(ReadNode, AVariationOpeningRightAwayHangsBelowTheBranchAbove) {
    // (;B[a](;(;W[b])(;W[c]))(;W[d])): an empty node opens the variations at once.
    const std::vector<std::string> lines = {
        sep(1, 0), item(0, ";B[aa]"), sep(2, 0), sep(3, 0),        item(2, ";W[bb]"),
        sep(4, 2), item(2, ";W[cc]"), sep(5, 0), item(1, ";W[dd]")};
    const BranchTable t = ReadNode(lines);
    ASSERT_EQ(t.branches.size(), 5u);
    EXPECT_EQ(t.find(3)->path, (std::vector<int>{1, 3}));
    EXPECT_EQ(t.find(4)->path, (std::vector<int>{1, 4}));
    EXPECT_EQ(t.find(5)->path, (std::vector<int>{1, 5}));
}

TEST(ReadNode, BranchesNestedTooDeeplyAreLeftOutWithANotice) {
    std::vector<std::string> lines = {sep(1, 0), item(0, ";B[aa]")};
    for (int level = 1; level <= 33; ++level) {
        lines.push_back(sep(level + 1, level - 1));
        lines.push_back(item(level, level % 2 ? ";W[bb]" : ";B[cc]"));
    }
    const BranchTable t = ReadNode(lines);
    EXPECT_EQ(t.branches.size(), 31u);  // levels 0..30
    EXPECT_EQ(t.find(32), nullptr);
    ASSERT_EQ(t.notices.size(), 1u);
    EXPECT_NE(t.notices[0].find("3個"), std::string::npos);
    EXPECT_EQ(t.find(31)->path.size(), 31u);
}

TEST(ReadNode, HundredsOfBranchesAllGetAnEntry) {
    std::vector<std::string> lines = {sep(1, 0), item(0, ";B[aa]")};
    for (int k = 2; k <= 400; ++k) {
        lines.push_back(sep(k, 1));
        lines.push_back(item(1, ";W[bb]"));
    }
    const BranchTable t = ReadNode(lines);
    ASSERT_EQ(t.branches.size(), 400u);
    EXPECT_EQ(t.find(400)->path, (std::vector<int>{1, 400}));
    EXPECT_EQ(t.find(400)->startMove, 2);
}

}  // namespace
}  // namespace kelmaz
