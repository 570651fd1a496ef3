#include <gtest/gtest.h>

#include "tree/TreeEdit.h"

namespace kelmaz {

namespace {

TreeModel parsed(const std::string& text) {
    TreeModel m;
    m.parse(text);
    return m;
}

}  // namespace

TEST(BranchRecording, NewVariationAtTheThirdNode) {
    TreeModel m = parsed("(;B[aa];W[bb];B[cc])");
    GameState state;
    state.MoveCol[3] = 4;
    state.MoveRow[3] = 4;
    state.MoveColour[3] = kBlack;
    const std::string branch = recordedBranchText(state, 3, 3, {""});
    EXPECT_EQ(branch, ";B[dd]");
    EXPECT_EQ(InsertBranch(m, 1, 3, branch), 2);
    EXPECT_EQ(*RebuildSgfText(m), "(;B[aa];W[bb](;B[cc])(;B[dd]))");
}

TEST(BranchRecording, CommentsAreWrittenEscapedAfterTheirMove) {
    GameState state;
    state.MoveCol[5] = 4;
    state.MoveRow[5] = 4;
    state.MoveCol[6] = 16;
    state.MoveRow[6] = 4;
    state.MoveColour[6] = kWhite;
    EXPECT_EQ(recordedBranchText(state, 5, 6, {"", "x", "a]b\\c"}),
              ";B[dd]C[x];W[pd]C[a\\]b\\\\c]");
    EXPECT_EQ(recordedBranchText(state, 5, 4, {""}), "");
}

TEST(BranchEditing, EmptyBranchInsertedBelowTheMainLine) {
    TreeModel m = parsed("(;B[aa];W[bb];B[cc])");
    const int b = InsertBranch(m, 1, 2, ";;;;");
    ASSERT_EQ(b, 2);
    EXPECT_EQ(m.BranchStart[2], 2);
    EXPECT_EQ(m.BranchRow[2], 2);
    EXPECT_EQ(*RebuildSgfText(m), "(;B[aa](;W[bb];B[cc])(;;;;))");
    EXPECT_EQ(InsertBranch(m, 0, 1, ";;;;"), 0);  // nothing selected
    EXPECT_EQ(InsertBranch(m, 1, 1, ""), 0);
}

TEST(BranchEditing, InsertionKeepsSiblingOrderAndDescendantsTogether) {
    TreeModel m = parsed("(;B[aa];W[bb];B[cc](;W[dd])(;W[ee](;B[ff])(;B[gg])))");
    ASSERT_EQ(m.BranchCount, 3);
    // A new alternative to the second node goes after every deeper variation.
    const int b = InsertBranch(m, 1, 2, ";W[qq]");
    EXPECT_EQ(b, 4);
    EXPECT_EQ(*RebuildSgfText(m),
              "(;B[aa](;W[bb];B[cc](;W[dd])(;W[ee](;B[ff])(;B[gg])))(;W[qq]))");
}

TEST(BranchEditing, DeleteTakesDescendantsAndRefusesTheMainLine) {
    TreeModel m = parsed("(;B[aa](;W[bb](;B[cc])(;B[dd]))(;W[ee]))");
    ASSERT_EQ(m.BranchCount, 3);
    EXPECT_FALSE(DeleteBranch(m, 1));
    EXPECT_FALSE(DeleteBranch(m, 0));
    EXPECT_TRUE(DeleteBranch(m, 2));
    EXPECT_EQ(*RebuildSgfText(m), "(;B[aa](;W[bb];B[cc])(;W[ee]))");
    TreeModel n = parsed("(;B[aa](;W[bb];B[cc](;B[xx]))(;W[ee];B[ff](;W[gg])(;W[hh])))");
    ASSERT_EQ(n.BranchCount, 3);
    EXPECT_TRUE(DeleteBranch(n, 2));
    EXPECT_EQ(*RebuildSgfText(n), "(;B[aa];W[bb];B[cc];B[xx])");
}

TEST(TextRebuild, RoundTripsTreesWithValuesHoldingStructure) {
    for (const char* text : {"(;B[aa]C[x (y) ;z \\] w];W[bb](;B[cc]C[=)])(;B[dd]))",
                             "(;B[aa](;W[bb](;B[cc])(;B[dd])(;B[ee]))(;W[ff];B[gg](;W[hh])(;W[ii])))",
                             "((;B[aa])(;B[bb]))"}) {
        const TreeModel m = parsed(text);
        EXPECT_EQ(*RebuildSgfText(m), text);
    }
    EXPECT_FALSE(RebuildSgfText(TreeModel()).has_value());
}

TEST(CommentWriteBack, ReplaceInsertAndRemove) {
    const std::string text = "(;B[aa]C[old];W[bb](;B[cc])(;B[dd]))";
    EXPECT_EQ(WriteCommentIntoText(text, 1, "  new  "), "(;B[aa]C[new];W[bb](;B[cc])(;B[dd]))");
    EXPECT_EQ(WriteCommentIntoText(text, 1, "   "), "(;B[aa];W[bb](;B[cc])(;B[dd]))");
    EXPECT_EQ(WriteCommentIntoText(text, 2, "w"), "(;B[aa]C[old];W[bb]C[w](;B[cc])(;B[dd]))");
    EXPECT_EQ(WriteCommentIntoText(text, 4, "a]b"), "(;B[aa]C[old];W[bb](;B[cc])(;B[dd]C[a\\]b]))");
    EXPECT_EQ(WriteCommentIntoText(text, 9, "x"), text);
}

TEST(CommentWriteBack, NodesAreCountedOutsideValuesOnly) {
    const std::string text = "(;B[aa]C[one; two \\] ;three];W[bb])";
    EXPECT_EQ(WriteCommentIntoText(text, 2, "x"), "(;B[aa]C[one; two \\] ;three];W[bb]C[x])");
    EXPECT_EQ(WriteCommentIntoText(text, 1, "y"), "(;B[aa]C[y];W[bb])");
}

TEST(CommentWriteBack, CountingStoneNodesOfAFullerText) {
    const std::string text = "(;GM[1]C[root];B[aa];C[talk];W[bb])";
    EXPECT_EQ(WriteCommentIntoText(text, 2, "x", NodeCounting::StoneNodes),
              "(;GM[1]C[root];B[aa];C[talk];W[bb]C[x])");
}

}  // namespace kelmaz
