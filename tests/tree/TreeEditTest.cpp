#include <gtest/gtest.h>

#include <random>

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
    EXPECT_EQ(*RebuildSgfText(m), "(;B[aa](;W[bb];B[cc](;W[dd])(;W[ee](;B[ff])(;B[gg])))(;W[qq]))");
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
    for (const char* text :
         {"(;B[aa]C[x (y) ;z \\] w];W[bb](;B[cc]C[=)])(;B[dd]))",
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
    // The first node is shown for its comment, the introduction, then the stone nodes.
    EXPECT_EQ(WriteCommentIntoText(text, 3, "x", NodeCounting::StoneNodes),
              "(;GM[1]C[root];B[aa];C[talk];W[bb]C[x])");
    EXPECT_EQ(WriteCommentIntoText(text, 1, "序", NodeCounting::StoneNodes),
              "(;GM[1]C[序];B[aa];C[talk];W[bb])");
    EXPECT_EQ(WriteCommentIntoText(text, 4, "x", NodeCounting::StoneNodes), text);
    EXPECT_EQ(WriteCommentIntoText("(;GM[1];B[aa])", 1, "x", NodeCounting::StoneNodes),
              "(;GM[1];B[aa]C[x])");
}

}  // namespace kelmaz

namespace kelmaz {

namespace {

// The text rebuild done the slow way, one merge at a time: the lowest branch whose descendants
// are all merged goes into its parent, wrapping the parent's rest from the fork and appending
// the child; a redundant "((" pair is flattened.
std::string mergeOneAtATime(const TreeModel& m) {
    std::vector<std::string> text(m.BranchText.begin(), m.BranchText.end());
    std::vector<bool> done(m.BranchCount + 1, false);
    for (;;) {
        int d = 2;
        for (; d <= m.BranchCount; ++d) {
            if (done[d]) continue;
            bool ready = true;
            for (int c = d + 1; c <= d + m.CollectDescendants(d); ++c) ready = ready && done[c];
            if (ready) break;
        }
        if (d > m.BranchCount) break;
        const int p = m.ParentBranch(d);
        const int k = m.BranchStart[d] - m.BranchStart[p];
        std::size_t cut = text[p].size();
        for (std::size_t i = 0, seen = 0; i < text[p].size(); ++i)
            if (text[p][i] == ';' && seen++ == static_cast<std::size_t>(k)) {
                cut = i;
                break;
            }
        std::string merged =
            text[p].substr(0, cut) + "(" + text[p].substr(cut) + ")(" + text[d] + ")";
        long open = -1, close = -1, depth = 0;
        for (std::size_t i = 0; i + 1 < merged.size(); ++i) {
            if (merged[i] == '(' && merged[i + 1] == '(') {
                open = static_cast<long>(i);
            } else if (open >= 0) {
                depth += (merged[i] == '(') - (merged[i] == ')');
                if (depth < 0) close = static_cast<long>(i);
            }
        }
        if (close >= 0) merged.erase(close, 1);
        if (open >= 0) merged.erase(open, 1);
        text[p] = merged;
        done[d] = true;
    }
    return "(" + text[1] + ")";
}

std::string randomTree(std::mt19937& rng, int depth) {
    std::string t;
    const int nodes = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < nodes; ++i) t += (rng() % 2) ? ";B[aa]" : ";W[bb]";
    const int vars = depth > 4 ? 0 : static_cast<int>(rng() % 4);
    if (vars >= 2)
        for (int v = 0; v < vars; ++v) t += "(" + randomTree(rng, depth + 1) + ")";
    return t;
}

}  // namespace

TEST(TextRebuild, SameTextAsMergingOneBranchAtATime) {
    std::mt19937 rng(7);
    for (int i = 0; i < 300; ++i) {
        const std::string text = "(" + randomTree(rng, 0) + ")";
        TreeModel m;
        m.parse(text);
        EXPECT_EQ(*RebuildSgfText(m), mergeOneAtATime(m)) << text;
        if (m.BranchCount >= 2) {
            InsertBranch(m, m.BranchCount, 1, ";B[cc];W[dd]");
            InsertBranch(m, 1, 2, ";;;;");
            EXPECT_EQ(*RebuildSgfText(m), mergeOneAtATime(m)) << text;
        }
    }
}

// Deep nesting once made the rebuild quadratic; the case's timeout catches a return of it
// (the time itself is measured in bench/).
TEST(TextRebuild, ThousandsOfNestedVariationsSurviveARebuild) {
    std::string text = "(;B[aa]";
    for (int i = 0; i < 5000; ++i) text += "(;W[bb](;B[cc])";
    for (int i = 0; i < 5000; ++i) text += ")";
    text += ")";
    TreeModel m;
    m.parse(text);
    const auto rebuilt = RebuildSgfText(m);
    TreeModel again;
    again.parse(*rebuilt);
    EXPECT_EQ(again.BranchCount, m.BranchCount);
}

}  // namespace kelmaz
