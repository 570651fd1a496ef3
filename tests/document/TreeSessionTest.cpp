#include <gtest/gtest.h>

#include "document/TreeSession.h"
#include "tree/TreeSamples.h"

namespace kelmaz {

namespace {

// The tree window's session over a document of its own.
class TreeSessionTest : public ::testing::Test {
  protected:
    // A file read: the document holds its tree, shown reduced.
    void readFile(const std::string& text) {
        record.takeSgf(text);
        t.loadFileTree();
    }
    // What the board does when a stone is played while a branch is recorded.
    void playStone(int col, int row, int colour, const std::string& typedComment) {
        record.playMove(++s.MoveCount, col, row, colour, true);
        s.BranchComments.back() = typedComment;
        s.BranchComments.emplace_back();
    }

    GameState s;
    RecordDocument document;
    DocumentRecord record{document, s};
    TreeSession t{s, record};
};

}  // namespace

TEST_F(TreeSessionTest, RecordingABranchFromTheThirdNode) {
    t.loadText("(;;B[aa];W[bb];B[cc])", true);
    EXPECT_EQ(s.SgfText, "(;;B[aa];W[bb];B[cc])");  // the whole record, only shown reduced
    const TreeSession::Click c = t.click(t.model().nodeX(1, 3), t.model().nodeY(1));
    ASSERT_TRUE(c.hit);
    EXPECT_EQ(c.step, 3);
    s.MoveCount = c.step;
    ASSERT_TRUE(t.startBranch());
    EXPECT_TRUE(s.BranchInputMode);
    EXPECT_EQ(s.MoveCount, 2);
    playStone(4, 4, kBlack, "");
    EXPECT_EQ(t.endBranch("x ] y"), 2);
    EXPECT_FALSE(s.BranchInputMode);
    EXPECT_EQ(s.SgfText, "(;;B[aa];W[bb](;B[cc])(;B[dd]C[x \\] y]))");
    EXPECT_EQ(t.Text1, "2");
    EXPECT_EQ(t.selectedComment(), "x ] y");
}

TEST_F(TreeSessionTest, NothingHappensWithoutASelectedNode) {
    t.loadText("(;B[aa];W[bb](;B[cc])(;B[dd]))", true);
    const TreeSession::Click miss = t.click(350 * 9, 350);
    EXPECT_FALSE(miss.hit);
    EXPECT_EQ(t.Text1, "0");
    EXPECT_EQ(t.insertEmptyBranch(), 0);
    EXPECT_EQ(t.deletionOf(), TreeSession::Deletion::NothingSelected);
    EXPECT_FALSE(t.deleteSelected());
    s.MoveCount = 2;
    EXPECT_FALSE(t.startBranch());
    EXPECT_EQ(s.SgfText, "(;B[aa];W[bb](;B[cc])(;B[dd]))");
}

// The node number comes from a box the user types in: anything that names no node of the
// selected branch must leave the tree alone instead of forking before the root or overflowing.
TEST_F(TreeSessionTest, TypedNodeNumbersOutsideTheBranchChangeNothing) {
    t.loadText("(;B[aa];W[bb](;B[cc])(;B[dd]))", true);
    const std::string before = s.SgfText;
    s.MoveCount = 3;
    t.Text1 = "1";
    for (const char* node : {"0", "-1", "4", "2147483647", "99999999999", "x"}) {
        t.Text2 = node;
        EXPECT_EQ(t.insertEmptyBranch(), 0) << node;
        EXPECT_FALSE(t.startBranch()) << node;
        EXPECT_FALSE(s.BranchInputMode) << node;
        EXPECT_EQ(s.MoveCount, 3) << node;
        EXPECT_EQ(t.model().BranchCount, 2) << node;
    }
    EXPECT_EQ(s.SgfText, before);
    t.Text2 = "3";  // the last node of the main line still takes a branch
    EXPECT_GT(t.insertEmptyBranch(), 0);
    EXPECT_EQ(t.model().BranchCount, 3);
}

TEST_F(TreeSessionTest, ACancelledRecordingInsertsNothingLater) {
    t.loadText("(;B[aa];W[bb];B[cc])", true);
    ASSERT_TRUE(t.select(1, 3));
    s.MoveCount = 3;
    ASSERT_TRUE(t.startBranch());
    playStone(4, 4, kBlack, "");
    t.cancelBranch();
    EXPECT_FALSE(s.BranchInputMode);
    EXPECT_TRUE(s.BranchComments.empty());
    t.loadText("(;B[pp];W[qq])", true);
    ASSERT_TRUE(t.select(1, 1));
    EXPECT_EQ(t.endBranch("late"), 0);
    EXPECT_EQ(s.SgfText, "(;B[pp];W[qq])");
}

TEST_F(TreeSessionTest, DeletionRefusesTheMainLineAndRederivesComments) {
    t.loadText("(;B[aa](;W[bb])(;W[cc]C[gone])(;W[dd]C[stays]))", true);
    ASSERT_TRUE(t.select(1, 1));
    EXPECT_EQ(t.deletionOf(), TreeSession::Deletion::MainLine);
    EXPECT_FALSE(t.deleteSelected());
    ASSERT_TRUE(t.select(2, 1));
    EXPECT_TRUE(t.deleteSelected());
    EXPECT_EQ(s.SgfText, "(;B[aa](;W[bb])(;W[dd]C[stays]))");
    ASSERT_TRUE(t.select(2, 1));
    EXPECT_EQ(t.selectedComment(), "stays");
}

TEST_F(TreeSessionTest, CommentWriteBackOnAFileTreeKeepsItsOtherNodes) {
    readFile("(;GM[1]PB[a]C[root];B[pd]C[one];C[just talk];W[dp];B[pp])");
    ASSERT_EQ(t.model().BranchNodeCount[1], 4);  // the introduction and the stone nodes
    ASSERT_TRUE(t.select(1, 3));
    t.writeComment("  second  ");
    EXPECT_EQ(s.SgfText, "(;GM[1]PB[a]C[root];B[pd]C[one];C[just talk];W[dp]C[second];B[pp])");
    EXPECT_EQ(t.model().BranchNodeCount[1], 4);
    EXPECT_EQ(t.selectedComment(), "second");
    t.writeComment("");
    EXPECT_EQ(s.SgfText, "(;GM[1]PB[a]C[root];B[pd]C[one];C[just talk];W[dp];B[pp])");
    t.select(1, 2);
    EXPECT_EQ(t.selectedComment(), "one");
    t.select(1, 1);
    EXPECT_EQ(t.selectedComment(), "root");
    t.writeComment("序");
    EXPECT_EQ(s.SgfText, "(;GM[1]PB[a]C[序];B[pd]C[one];C[just talk];W[dp];B[pp])");
}

// The root's comment is the record's introduction: the tree shows it as a node before the
// first move, and a click on it goes to the empty board with the introduction.
TEST_F(TreeSessionTest, TheIntroductionIsANodeBeforeTheFirstMove) {
    readFile("(;GM[1]C[intro];B[pd]C[one];W[dp])");
    EXPECT_EQ(s.MoveComment[0], "intro");
    ASSERT_EQ(t.model().BranchNodeCount[1], 3);
    EXPECT_EQ(t.selectedComment(), "intro");
    const TreeSession::Click root = t.click(t.model().nodeX(1, 1), t.model().nodeY(1));
    ASSERT_TRUE(root.hit);
    EXPECT_EQ(root.step, 0);
    EXPECT_EQ(s.MoveComment[0], "intro");
    const TreeSession::Click first = t.click(t.model().nodeX(1, 2), t.model().nodeY(1));
    EXPECT_EQ(first.step, 1);
    // Without an introduction the first move is the first node.
    readFile("(;GM[1];B[pd]C[one];W[dp])");
    ASSERT_EQ(t.model().BranchNodeCount[1], 2);
    EXPECT_EQ(t.selectedComment(), "one");
}

// A file's tree is shown reduced to its stone nodes, but an edit changes only the branch it
// edits: the root's properties, comment-only nodes and markup stay in the document, which is
// what is written.
TEST_F(TreeSessionTest, EditsOfAFileTreeKeepEveryNodeTheViewLeavesOut) {
    const std::string file = "(;GM[1]PB[x]C[game];B[pd]C[first];C[talk];W[dp]LB[dd:A])";
    readFile(file);
    ASSERT_EQ(t.model().BranchNodeCount[1], 3);
    ASSERT_TRUE(t.select(1, 3));  // W[dp]
    const int b = t.insertEmptyBranch();
    ASSERT_GT(b, 0);
    EXPECT_EQ(s.SgfText, "(;GM[1]PB[x]C[game];B[pd]C[first];C[talk](;W[dp]LB[dd:A])(;;;;))");
    EXPECT_EQ(t.Text1, std::to_string(b));
    // Deleting the new branch gives the file's tree back, byte for byte.
    ASSERT_TRUE(t.select(b, 1));
    ASSERT_TRUE(t.deleteSelected());
    EXPECT_EQ(s.SgfText, file);
}

TEST_F(TreeSessionTest, DeletingAndRecordingOnAFileTreeTouchOnlyTheirBranch) {
    readFile("(;GM[1]C[game];B[pd];C[talk](;W[dp]C[a])(;C[only talk])(;W[dd];AB[aa]C[s];B[pp]))");
    ASSERT_EQ(t.model().BranchCount, 2);  // the comment-only variation is not shown
    ASSERT_TRUE(t.select(2, 1));
    ASSERT_TRUE(t.deleteSelected());
    EXPECT_EQ(s.SgfText, "(;GM[1]C[game];B[pd];C[talk](;W[dp]C[a])(;C[only talk]))");

    readFile("(;GM[1]C[game];B[aa];C[talk];W[bb];B[cc])");
    const TreeSession::Click c = t.click(t.model().nodeX(1, 4), t.model().nodeY(1));  // B[cc]
    ASSERT_TRUE(c.hit);
    s.MoveCount = c.step;
    ASSERT_TRUE(t.startBranch());
    playStone(4, 4, kBlack, "");
    ASSERT_GT(t.endBranch("new"), 0);
    EXPECT_EQ(s.SgfText, "(;GM[1]C[game];B[aa];C[talk];W[bb](;B[cc])(;B[dd]C[new]))");
}

TEST_F(TreeSessionTest, ClickLoadsTheLineWithItsComments) {
    t.loadText("(;B[aa]C[first];W[bb](;B[cc])(;B[dd]C[var];W[ee]))", false);
    const TreeSession::Click c = t.click(t.model().nodeX(2, 1), t.model().nodeY(2));
    ASSERT_TRUE(c.hit);
    EXPECT_EQ(c.step, 3);
    EXPECT_EQ(s.lastMoveInRecord(), 4);
    EXPECT_EQ(s.MoveComment[1], "first");
    EXPECT_EQ(s.MoveComment[3], "var");
    EXPECT_EQ(s.MoveCol[3], 4);
}

TEST_F(TreeSessionTest, AClickOntoAShorterLineLeavesNoMovesOfTheLongerOneBehind) {
    t.loadText("(;B[aa](;W[bb];B[cc];W[dd];B[ee])(;W[ff]))", false);
    ASSERT_TRUE(t.click(t.model().nodeX(1, 5), t.model().nodeY(1)).hit);
    ASSERT_EQ(s.lastMoveInRecord(), 5);
    const TreeSession::Click c = t.click(t.model().nodeX(2, 1), t.model().nodeY(2));
    ASSERT_TRUE(c.hit);
    EXPECT_EQ(s.lastMoveInRecord(), 2);
    for (int k = 3; k <= kMaxMoves; ++k) EXPECT_EQ(s.MoveCol[k], 0) << k;
}

TEST_F(TreeSessionTest, EverySampleLoadsAndRebuildsToAnEquivalentTree) {
    for (const std::string& sample : treeSamples()) {
        t.loadText(sample, false);
        ASSERT_GT(t.model().BranchCount, 0) << sample;
        const TreeModel before = t.model();
        t.reparse();
        TreeSession again(s, record);
        again.loadText(t.txtsgf, false);
        EXPECT_EQ(again.model().BranchStart, before.BranchStart) << sample;
        EXPECT_EQ(again.model().BranchNodeCount, before.BranchNodeCount) << sample;
        EXPECT_EQ(again.model().BranchRow, before.BranchRow) << sample;
    }
}

}  // namespace kelmaz
