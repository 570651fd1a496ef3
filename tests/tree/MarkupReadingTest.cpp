// Marks (LB, TR, CR, SQ, MA) read with the moves of an SGF record and of a line of its tree:
// which move they go with, compressed point lists, and damaged values that must cost nothing
// but themselves.
#include <gtest/gtest.h>
#include <malloc.h>

#include <string>
#include <vector>

#include "document/TreeSession.h"
#include "support/SgfLoad.h"

namespace kelmaz {

namespace {

GameState read(const std::string& text) { return test::loadSgf({text}).state; }

// "label dd A", "triangle pd", ... one item per mark, in the order kept.
std::vector<std::string> words(const Markup& marks) {
    std::vector<std::string> out;
    for (const Mark& m : marks) {
        std::string w = std::string(markKindWord(m.kind)) + " " + sgfPointText(m.col, m.row);
        if (m.kind == MarkKind::Label) w += " " + m.text;
        out.push_back(w);
    }
    return out;
}

using Words = std::vector<std::string>;

}  // namespace

TEST(MarkupReading, EachMoveKeepsItsOwnMarksAndTheRootsGoWithTheEmptyBoard) {
    const GameState s =
        read("(;SZ[19]LB[jj:中]C[start];B[pd]TR[pd]CR[dd];W[dp];B[pp]SQ[dp]MA[qq]LB[aa:A][sa:B])");
    EXPECT_EQ(words(s.MoveMarkup[0]), (Words{"label jj 中"}));
    EXPECT_EQ(words(s.MoveMarkup[1]), (Words{"triangle pd", "circle dd"}));
    EXPECT_TRUE(s.MoveMarkup[2].empty());
    EXPECT_EQ(words(s.MoveMarkup[3]), (Words{"label aa A", "label sa B", "square dp", "cross qq"}));
    for (int k = 4; k <= kMaxMoves; ++k) EXPECT_TRUE(s.MoveMarkup[k].empty()) << k;
}

TEST(MarkupReading, NodesWithoutAStoneAndSetupStonesAttachToTheLastStonePlaced) {
    // The root's setup stones are no moves: the root's marks go with the empty board, those of
    // a node without a stone with the move before it.
    const GameState s = read("(;AB[dd][pp]TR[dd];B[qd];CR[qd]LB[qd:x];W[dq])");
    EXPECT_EQ(s.MoveCount, 2);
    EXPECT_EQ(words(s.MoveMarkup[0]), (Words{"triangle dd"}));
    EXPECT_EQ(words(s.MoveMarkup[1]), (Words{"label qd x", "circle qd"}));
    EXPECT_TRUE(s.MoveMarkup[2].empty());
}

TEST(MarkupReading, CompressedListsExpandWithTheirCornersInEitherOrder) {
    const GameState s = read("(;;B[aa]TR[ab:bc]CR[cb:ba]SQ[ss:ss])");
    EXPECT_EQ(words(s.MoveMarkup[1]),
              (Words{"triangle ab", "triangle ac", "triangle bb", "triangle bc", "circle ba",
                     "circle bb", "circle ca", "circle cb", "square ss"}));
}

TEST(MarkupReading, DamagedValuesAreSkippedAndTheRestKept) {
    // Off the board ("tt" is a pass, "A" names line 27), a label without ":" or without a
    // text, a list with a corner off the board or three corners, empty values.
    const GameState s = read(
        "(;;B[dd]LB[dd][ee:][ff:  ][tt:x][Ad:y][ab:ok][c:z][]TR[tt][aa:zz][aa:bb:cc][][a]"
        "CR[pd:]SQ[jj]MA[;)]LB[cd:semi\\;colon\\]];W[pp])");
    ASSERT_EQ(s.MoveCount, 2);
    EXPECT_EQ(words(s.MoveMarkup[1]), (Words{"label ab ok", "label cd semi;colon]", "square jj"}));
    EXPECT_TRUE(s.MoveMarkup[2].empty());
}

TEST(MarkupReading, APointTakesOneMarkOfEachKindHoweverOftenItIsNamed) {
    std::string huge = "(;;B[aa]";
    for (int i = 0; i < 2000; ++i) huge += "TR[aa:ss][ss:aa]";
    huge += "LB[dd:first][dd:second]CR[dd])";
    const GameState s = read(huge);
    const Words marks = words(s.MoveMarkup[1]);
    ASSERT_EQ(marks.size(), 19u * 19u + 2u);
    EXPECT_EQ(marks.front(), "label dd first");
    EXPECT_EQ(marks.back(), "circle dd");
}

TEST(MarkupReading, ThousandsOfNodesMarkingEveryPointKeepMemorySmall) {
    // Each mark kept as an object of its own took 57 KB a node here (1.8 GB for a 1.3 MB file).
    std::string text = "(;SZ[19]";
    for (int i = 0; i < 2000; ++i) text += "(;B[aa]SQ[aa:ss]TR[aa:ss]CR[aa:ss]MA[aa:ss])";
    text += ")";
    const auto inUse = [] { return mallinfo2().uordblks + mallinfo2().hblkhd; };
    const std::size_t before = inUse();
    RecordDocument document;
    document.read(text);
    const std::size_t used = inUse() - before;
    ASSERT_EQ(document.currentGame().nodes.size(), 2001u);
    EXPECT_LT(used, 4000u * 1024u);
    EXPECT_EQ(read(text).MoveMarkup[1].size(), 4u * 19u * 19u);
}

TEST(MarkupReading, LabelTextsAreUnescapedAndKeptOnOneLine) {
    const GameState s = read("(;;B[aa]LB[bb:two\nlines][cc:soft\\\nbreak][dd:a\\\\b])");
    EXPECT_EQ(words(s.MoveMarkup[1]),
              (Words{"label bb two lines", "label cc softbreak", "label dd a\\b"}));
}

TEST(MarkupReading, AClickedLineBringsItsOwnMarksAndNothingOfTheLineBefore) {
    GameState s;
    RecordDocument document;
    DocumentRecord record(document, s);
    record.takeSgf("(;GM[1];B[pd]TR[pd];W[dd](;B[pp]CR[pp];W[dp]SQ[dp])(;B[dp]LB[dp:A];W[pp]))");
    TreeSession t(s, record);
    // A file's tree: shown reduced to the nodes that place stones.
    t.loadFileTree();
    const auto& m = t.model();
    ASSERT_EQ(m.BranchCount, 2);
    TreeSession::Click c = t.click(m.nodeX(1, 4), m.nodeY(1));
    ASSERT_TRUE(c.hit);
    EXPECT_EQ(words(s.MoveMarkup[1]), (Words{"triangle pd"}));
    EXPECT_EQ(words(s.MoveMarkup[3]), (Words{"circle pp"}));
    EXPECT_EQ(words(s.MoveMarkup[4]), (Words{"square dp"}));

    c = t.click(m.nodeX(2, 1), m.nodeY(2));
    ASSERT_TRUE(c.hit);
    EXPECT_EQ(words(s.MoveMarkup[1]), (Words{"triangle pd"}));
    EXPECT_EQ(words(s.MoveMarkup[3]), (Words{"label dp A"}));
    EXPECT_TRUE(s.MoveMarkup[4].empty());
}

}  // namespace kelmaz
