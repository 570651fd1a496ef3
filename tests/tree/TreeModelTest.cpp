#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tree/TreeModel.h"

namespace kelmaz {

namespace {

TreeModel parsed(const std::string& text) {
    TreeModel m;
    m.parse(text);
    return m;
}

std::vector<int> rows(const TreeModel& m) {
    return std::vector<int>(m.BranchRow.begin() + 1, m.BranchRow.end());
}

std::vector<int> starts(const TreeModel& m) {
    return std::vector<int>(m.BranchStart.begin() + 1, m.BranchStart.end());
}

}  // namespace

TEST(BranchTable, SampleZeroWithCommentsInEveryNode) {
    const TreeModel m =
        parsed("(;C[111](;C[222];C[333];C[444];c[555];c[666])(;C[777];C[888];C[999]))");
    ASSERT_EQ(m.BranchCount, 2);
    EXPECT_EQ(m.BranchText[1], ";C[111];C[222];C[333];C[444];c[555];c[666]");
    EXPECT_EQ(m.BranchNodeCount[1], 6);
    EXPECT_EQ(m.BranchText[2], ";C[777];C[888];C[999]");
    EXPECT_EQ(starts(m), (std::vector<int>{1, 2}));
    // Each comment belongs to the node it stands in, the lower-case one too.
    EXPECT_EQ(m.NodeComments[m.NodeIndex(1, 5)], "555");
    EXPECT_EQ(m.NodeComments[m.NodeIndex(2, 1)], "777");
}

TEST(BranchTable, RootWithOnlyVariationsGivesTwoBranchesAtDepthOne) {
    const TreeModel m = parsed("((;B[aa])(;B[bb]))");
    ASSERT_EQ(m.BranchCount, 2);
    EXPECT_EQ(starts(m), (std::vector<int>{1, 1}));
}

TEST(BranchTable, BlanksBetweenGroupsMakeNoBranch) {
    const TreeModel m = parsed("(;;;;;(;;;;;)   (;;;;;(;;;;;)(;;;;;))  )");
    EXPECT_EQ(m.BranchCount, 3);
}

TEST(BranchTable, StructureInsideValuesIsText) {
    const TreeModel m = parsed("(;B[aa]C[a; (b) \\] c];W[bb](;B[cc]C[=)])(;B[dd]))");
    ASSERT_EQ(m.BranchCount, 2);
    EXPECT_EQ(m.BranchNodeCount[1], 3);
    EXPECT_EQ(m.BranchStart[2], 3);
    EXPECT_EQ(m.NodeComments[1], "a; (b) ] c");
    EXPECT_EQ(m.NodeComments[3], "=)");
}

TEST(RowAssignment, Samples) {
    EXPECT_EQ(rows(parsed("(;(;(;;;)(;;))(;;;))")), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(rows(parsed("(;;;;(;;;;)(;;(;;)(;;(;;)(;;;;)))(;;;;)(;;;;))")),
              (std::vector<int>{1, 2, 3, 4, 4, 5}));
    EXPECT_EQ(rows(parsed("(;;;;(;;;;)(;;(;;)(;;(;;)(;;(;;)(;;;;))))(;;;;)(;;;;))")),
              (std::vector<int>{1, 2, 3, 4, 5, 4, 5}));
    EXPECT_EQ(
        rows(parsed("(;;;;(;;;;;;;;;;;;;;;;;;;)(;;(;;)(;;(;;)(;;(;;)(;;;;))))(;;(;;)(;;;;))(;;("
                    ";;)(;;;;)))")),
        (std::vector<int>{1, 2, 3, 4, 5, 5, 6, 7, 8}));
}

TEST(RowAssignment, HundredsOfBranchesGetDistinctRowsWhereTheyOverlap) {
    std::string text = "(;B[aa]";
    for (int i = 0; i < 300; ++i) text += "(;W[bb];B[cc])";
    text += ")";
    const TreeModel m = parsed(text);
    ASSERT_EQ(m.BranchCount, 300);
    for (int b = 2; b <= m.BranchCount; ++b) EXPECT_EQ(m.BranchRow[b], b);
}

// A variation stands a row below, its first node in the column of the node it replaces; the
// connector runs down at that column from the main line's row to the variation's, and the tree
// is wide enough for the longest line.
TEST(Geometry, AVariationStandsBelowTheNodeItReplacesJoinedByItsConnector) {
    const TreeModel m =
        parsed("(;C[111](;C[222];C[333];C[444];c[555];c[666])(;C[777];C[888];C[999]))");
    EXPECT_EQ(m.nodeX(2, 1), m.nodeX(1, 2));
    EXPECT_GT(m.nodeY(2), m.nodeY(1));
    const Connector c = m.TateLine(2);
    EXPECT_EQ(c.x, m.nodeX(2, 1));
    EXPECT_GE(c.y1, m.nodeY(1));
    EXPECT_LT(c.y1, c.y2);
    EXPECT_LE(c.y2, m.nodeY(2));
    EXPECT_GT(m.treeWidth(), m.nodeX(1, 6));
}

TEST(Geometry, HitTesting) {
    const TreeModel m =
        parsed("(;C[111](;C[222];C[333];C[444];c[555];c[666])(;C[777];C[888];C[999]))");
    NodeHit h = m.PointToNode(1050, 700);  // first node of branch 2
    EXPECT_TRUE(h.hit);
    EXPECT_EQ(h.branch, 2);
    EXPECT_EQ(h.node, 1);
    h = m.PointToNode(1400 + 100, 350 - 100);  // near node 3 of the main line
    EXPECT_TRUE(h.hit);
    EXPECT_EQ(h.branch, 1);
    EXPECT_EQ(h.node, 3);
    // Between the rows (a half rounds to the even row) and beyond the last node of a row.
    EXPECT_TRUE(m.PointToNode(1050, 525).hit);    // 1.5 rounds to row 2
    EXPECT_TRUE(m.PointToNode(1050, 875).hit);    // 2.5 rounds to row 2 as well
    EXPECT_FALSE(m.PointToNode(1050, 1225).hit);  // 3.5 rounds to row 4, which is empty
    h = m.PointToNode(350 * 6, 700);              // past branch 2's last node
    EXPECT_FALSE(h.hit);
    EXPECT_EQ(h.branch, 0);
    EXPECT_FALSE(m.PointToNode(350 * 9, 350).hit);
}

TEST(TreeRelations, PathsOfBranches) {
    const TreeModel m = parsed("(;B[aa];W[bb](;B[cc];W[dd](;B[ee])(;B[ff]))(;B[gg]))");
    ASSERT_EQ(m.BranchCount, 3);
    EXPECT_EQ(m.GetDanPath(1), "B[aa]W[bb]B[cc]W[dd]B[ee]");
    EXPECT_EQ(m.GetDanPath(2), "B[aa]W[bb]B[cc]W[dd]B[ff]");
    EXPECT_EQ(m.GetDanPath(3), "B[aa]W[bb]B[gg]");
    EXPECT_EQ(m.movesThrough(3, 1), 3);
    EXPECT_EQ(m.CollectDescendants(2), 0);
    EXPECT_EQ(m.ParentBranch(3), 1);
}

TEST(TreeRelations, ArrowStepsFollowTheLineAndTheColumn) {
    // Row 1: aa bb cc dd ee; row 2 holds two branches: gg beside cc and ff beside ee.
    const TreeModel m = parsed("(;B[aa];W[bb](;B[cc];W[dd](;B[ee])(;B[ff]))(;B[gg]))");
    ASSERT_EQ(rows(m), (std::vector<int>{1, 2, 2}));
    using S = TreeStep;
    EXPECT_EQ(m.stepFrom(1, 3, S::Previous), (NodeRef{1, 2}));
    EXPECT_EQ(m.stepFrom(1, 3, S::Next), (NodeRef{1, 4}));
    EXPECT_EQ(m.stepFrom(1, 1, S::Previous), NodeRef{}) << "the root has nothing before it";
    EXPECT_EQ(m.stepFrom(1, 5, S::Next), NodeRef{}) << "the line ends at its leaf";
    // A branch's first node steps back to the fork on its parent's line.
    EXPECT_EQ(m.stepFrom(3, 1, S::Previous), (NodeRef{1, 2}));
    EXPECT_EQ(m.stepFrom(2, 1, S::Previous), (NodeRef{1, 4}));
    // Up and down: the nearest row with a node in the same column, whichever branch holds it.
    EXPECT_EQ(m.stepFrom(1, 3, S::Down), (NodeRef{3, 1}));
    EXPECT_EQ(m.stepFrom(3, 1, S::Up), (NodeRef{1, 3}));
    EXPECT_EQ(m.stepFrom(1, 5, S::Down), (NodeRef{2, 1}));
    EXPECT_EQ(m.stepFrom(2, 1, S::Up), (NodeRef{1, 5}));
    EXPECT_EQ(m.stepFrom(2, 1, S::Down), NodeRef{});
    EXPECT_EQ(m.stepFrom(1, 1, S::Up), NodeRef{});
    EXPECT_EQ(m.stepFrom(1, 2, S::Down), NodeRef{}) << "no other branch at the second move";
    EXPECT_EQ(m.stepFrom(1, 4, S::Down), NodeRef{}) << "the gap between gg and ff";
    // Nothing selected, or a node that is not there, goes nowhere.
    for (S s : {S::Previous, S::Next, S::Up, S::Down}) {
        EXPECT_EQ(m.stepFrom(0, 0, s), NodeRef{});
        EXPECT_EQ(m.stepFrom(2, 2, s), NodeRef{});
        EXPECT_EQ(m.stepFrom(4, 1, s), NodeRef{});
    }
}

TEST(TreeRelations, ArrowStepsBetweenVariationsOfTheFirstMove) {
    const TreeModel m = parsed("((;B[aa];W[bb])(;B[cc]))");
    EXPECT_EQ(m.stepFrom(2, 1, TreeStep::Previous), NodeRef{}) << "no node before either line";
    EXPECT_EQ(m.stepFrom(2, 1, TreeStep::Up), (NodeRef{1, 1}));
    EXPECT_EQ(m.stepFrom(1, 1, TreeStep::Down), (NodeRef{2, 1}));
    EXPECT_EQ(m.stepFrom(1, 2, TreeStep::Down), NodeRef{});
}

TEST(TreeRelations, LineCommentsFollowTheMoveBeforeThem) {
    const TreeModel m = parsed("(;GM[1]C[game];B[aa]C[one];C[talk];W[bb](;B[cc]C[v])(;B[dd]))");
    const std::vector<std::string> c = m.lineComments(2);
    ASSERT_GE(c.size(), 4u);
    EXPECT_EQ(c[0], "game");
    EXPECT_EQ(c[1], "onetalk");
    EXPECT_EQ(c[3], "");
    EXPECT_EQ(m.movesThrough(1, 4), 2);  // node 4 of the main line holds the second move
}

}  // namespace kelmaz

#include "tree/TreeListing.h"

namespace kelmaz {

TEST(TreeListing, BranchLinesThenTheRebuiltText) {
    TreeModel m;
    m.parse("(;(;(;;;)(;;))(;;;))");
    EXPECT_EQ(treeListing(m),
              "branch 1 start 1 nodes 5 row 1\n"
              "branch 2 start 3 nodes 2 row 2\n"
              "branch 3 start 2 nodes 3 row 3\n"
              "text (;(;(;;;)(;;))(;;;))\n");
    EXPECT_EQ(treeListing(TreeModel()), "text \n");
}

}  // namespace kelmaz
