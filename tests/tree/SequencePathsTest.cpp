#include <gtest/gtest.h>

#include <algorithm>

#include "tree/OutlineLines.h"
#include "tree/SequencePaths.h"

namespace kelmaz {
namespace {

using test::item;
using test::sep;
const std::vector<std::string>& kTree = test::kBranchingTree;

TEST(OutlineLine, ReadsMovesCommentsAndBranchLines) {
    const OutlineLine black = parseOutlineLine("  2;B[pd]");
    EXPECT_EQ(black.kind, OutlineLine::Kind::Move);
    EXPECT_EQ(black.number, 2);
    EXPECT_EQ(black.col, 16);
    EXPECT_EQ(black.row, 4);
    EXPECT_EQ(black.colour, kBlack);

    const OutlineLine white = parseOutlineLine("  0;W[DS]");
    EXPECT_EQ(white.colour, kWhite);
    EXPECT_EQ(white.col, 4);
    EXPECT_EQ(white.row, 19);

    const OutlineLine comment = parseOutlineLine("  1C[  黒の好手 ]");
    EXPECT_EQ(comment.kind, OutlineLine::Kind::Comment);
    EXPECT_EQ(comment.comment, "黒の好手");

    const OutlineLine branch = parseOutlineLine(" 12-------   3");
    EXPECT_EQ(branch.kind, OutlineLine::Kind::Branch);
    EXPECT_EQ(branch.number, 12);
}

TEST(OutlineLine, SetupStonesAreNoMovesAndTheFirstNodeReadsAsAMove) {
    const OutlineLine setup = parseOutlineLine("  0;AB[dd]");
    EXPECT_EQ(setup.kind, OutlineLine::Kind::Setup);
    EXPECT_EQ(setup.colour, kBlack);
    EXPECT_EQ(setup.col, 4);
    EXPECT_EQ(parseOutlineLine("  0AW[pp]").colour, kWhite);
    // The reader's walk swallows the ";" of the first node.
    EXPECT_EQ(parseOutlineLine("  0B[cc]").kind, OutlineLine::Kind::Move);
    // Long and lower-case property names name the same properties.
    EXPECT_EQ(parseOutlineLine("  0;White[cc]").colour, kWhite);
    EXPECT_EQ(parseOutlineLine("  0;AddBlack[cc]").kind, OutlineLine::Kind::Setup);
    EXPECT_EQ(parseOutlineLine("  0Comment[ x ]").comment, "x");
}

TEST(OutlineLine, APassIsAMoveOffTheBoardLikeTheReadersTt) {
    for (const char* text : {"  0;B[tt]", "  0;B[]", "  0;B[a"}) {
        SCOPED_TRACE(text);
        const OutlineLine pass = parseOutlineLine(text);
        EXPECT_EQ(pass.kind, OutlineLine::Kind::Move);
        EXPECT_EQ(pass.col, 20);
        EXPECT_EQ(pass.row, 20);
    }
    EXPECT_NE(parseOutlineLine("  0;AB[]").kind, OutlineLine::Kind::Move);
}

TEST(OutlineLine, RootPropertiesAndDamagedLinesAreNoMoves) {
    for (const char* text : {"  0PB[本因坊]", "  0BR[3d]", "", "  ", "  0[too many values]"}) {
        SCOPED_TRACE(text);
        EXPECT_NE(parseOutlineLine(text).kind, OutlineLine::Kind::Move);
    }
    EXPECT_EQ(parseOutlineLine("abc;B[aa]").number, 0);
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
