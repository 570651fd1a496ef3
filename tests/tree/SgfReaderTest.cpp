#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/TextCodec.h"
#include "document/LineProjection.h"
#include "records/RecordMoves.h"
#include "records/SgfWriter.h"
#include "support/RecordMoves.h"
#include "support/SgfLoad.h"
#include "tree/SgfText.h"

namespace kelmaz {

namespace {

std::string recordMoves(const GameState& s) {
    std::string out;
    for (int m = 1; m <= s.MoveCount; ++m) {
        out += s.MoveColour[m] == kWhite ? 'W' : 'B';
        out += static_cast<char>('a' + s.MoveCol[m] - 1);
        out += static_cast<char>('a' + s.MoveRow[m] - 1);
        out += ' ';
    }
    return out;
}

}  // namespace

TEST(SgfReader, LoadsGameInformationMainLineAndComments) {
    const test::SgfLoaded l = test::loadSgf({"(;GM[1]FF[4]SZ[19]PB[Black \\] player]PW[白]KM[6.5]",
                                             "C[game comment]", ";B[pd]C[first; (really) \\] good]",
                                             ";W[dp]", "(;B[pp]C[main", "line two])(;B[dd]))"});
    EXPECT_TRUE(l.result.ok);
    EXPECT_EQ(l.state.Info[InfoField::PB], "Black ] player");
    EXPECT_EQ(l.state.Info[InfoField::PW], "白");
    EXPECT_EQ(l.state.Info[InfoField::KM], "6.5");
    EXPECT_EQ(recordMoves(l.state), "Bpd Wdp Bpp ");
    EXPECT_EQ(l.state.MoveCol[4], 0);
    EXPECT_EQ(l.state.MoveComment[0], "game comment");
    EXPECT_EQ(l.state.MoveComment[1], "first; (really) ] good");
    EXPECT_EQ(l.state.MoveComment[3], "main\nline two");
    EXPECT_EQ(l.state.SgfText, l.shownTree);
    EXPECT_NE(l.state.SgfText.find("(;B[dd])"), std::string::npos);
}

TEST(SgfReader, TheRecordWriterReadsBackWithEveryCommentAsPlayed) {
    GameState written;
    written.MoveComment[0] = "打つ前の解説";  // typed over the empty board
    const int moves[][3] = {{17, 3, kBlack}, {4, 16, kWhite}, {20, 20, kBlack}};
    for (const auto& [col, row, colour] : moves) test::addMove(written, col, row, colour);
    written.MoveComment[2] = "二手目";
    written.BoardRotated = true;  // the view is turned: the file holds the game as played
    for (int k = 1; k <= 3; ++k) turnPoint(19, written.MoveCol[k], written.MoveRow[k]);

    const test::SgfLoaded l = test::loadSgf(sgfRecordLines(written));
    EXPECT_EQ(recordMoves(l.state), "Bqc Wdp Btt ");
    EXPECT_EQ(l.state.MoveComment[0], "打つ前の解説");
    EXPECT_EQ(l.state.MoveComment[1], "");
    EXPECT_EQ(l.state.MoveComment[2], "二手目");
}

TEST(SgfReader, PassesStayInTheRecord) {
    const test::SgfLoaded l = test::loadSgf({"(;B[aa];W[];B[tt];W[bb])"});
    ASSERT_EQ(l.state.MoveCount, 4);
    EXPECT_EQ(l.state.MoveCol[2], 20);
    EXPECT_EQ(l.state.MoveCol[3], 20);
    EXPECT_EQ(l.state.MoveColour[4], kWhite);
}

TEST(SgfReader, OutlineLinesForTheSequenceViewer) {
    const test::SgfLoaded l = test::loadSgf({"(;GM[1];B[pd]C[x];W[dp](;B[aa])(;B[bb]))"});
    const std::vector<std::string> expected{"  1-------   0", "  0GM[1]",       "  0;B[pd]",
                                            "  0C[x]",        "  0;W[dp]",      "  2-------   0",
                                            "  1;B[aa]",      "  3-------   1", "  1;B[bb]"};
    EXPECT_EQ(l.state.List3, expected);
}

TEST(SgfReader, MoreMovesThanTheRecordAreShownTo500WithANoteAndSetupStonesTakeNoSlot) {
    std::string line = "(;GM[1]";
    for (int i = 0; i < 600; ++i) line += i % 2 ? ";W[bb]" : ";B[aa]";
    line += ")";
    const test::SgfLoaded l = test::loadSgf({line});
    EXPECT_TRUE(l.result.ok);
    EXPECT_EQ(l.result.message, kLineTooLongMessage);
    EXPECT_EQ(l.state.MoveCount, kMaxMoves);
    EXPECT_EQ(l.state.MoveColour[500], kWhite);

    // Setup stones take no slot: a full record after a handicap is read whole.
    std::string handicap = "(;GM[1]AB[dd][pp][dp][pd]";
    for (int i = 0; i < kMaxMoves; ++i) handicap += i % 2 ? ";B[aa]" : ";W[bb]";
    const test::SgfLoaded full = test::loadSgf({handicap + ")"});
    EXPECT_TRUE(full.result.ok);
    EXPECT_EQ(full.state.MoveCount, kMaxMoves);
}

TEST(SgfReader, FileCutShortKeepsItsMoves) {
    const test::SgfLoaded l = test::loadSgf({"(;GM[1];B[aa];W[bb]C[unfinished"});
    EXPECT_EQ(recordMoves(l.state), "Baa Wbb ");
    EXPECT_EQ(Checkg(l.state.SgfText), "");
}

// A reader gone quadratic on a file this size runs into the case's timeout.
TEST(SgfReader, TenMegabyteFileLoadsItsFirstMoves) {
    std::vector<std::string> lines{"(;GM[1]SZ[19]"};
    while (lines.size() < 120000) {
        lines.push_back(";B[aa]C[a comment (with) ; and \\] inside, long enough to add up]");
        if (lines.size() % 1000 == 0) lines.push_back("(;W[cc])");
    }
    lines.push_back(")");
    const test::SgfLoaded l = test::loadSgf(lines);
    EXPECT_EQ(l.state.MoveCount, kMaxMoves);
}

}  // namespace kelmaz
