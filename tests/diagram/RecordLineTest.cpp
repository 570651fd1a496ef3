// The line of play taken from the record the program holds: setup and handicap stones, figure
// breaks and passes told apart from the moves.
#include <gtest/gtest.h>

#include "diagram/RecordLine.h"
#include "engine/Handicap.h"
#include "intake/RecordTool.h"
#include "support/RecordMoves.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

LineOfPlay lineOfFile(const std::string& sgf) {
    test::TempDir dir;
    test::writeBytes(dir.file("line.sgf"), sgf);
    ToolRecord record;
    EXPECT_EQ(readRecordForTool(dir.file("line.sgf").string(), record).status,
              RecordReadResult::Status::Ok);
    return lineOfRecord(record.state);
}

TEST(RecordLine, SgfSetupBreaksAndPassesAreToldApartFromTheMoves) {
    const LineOfPlay line = lineOfFile(
        "(;SZ[9]HA[2]PB[黒]AB[cg][gc];W[cc];B[gg]FG[];W[];FG[]C[x];B[dd]"
        "(;W[ee];AW[aa];B[ff])(;W[hh]))");
    EXPECT_EQ(line.boardSize, 9);
    EXPECT_EQ(line.info[InfoField::PB], "黒");
    EXPECT_EQ(line.setup, (std::vector<PlacedStone>{{3, 7, kBlack}, {7, 3, kBlack}}));
    ASSERT_EQ(line.moves.size(), 6u);
    EXPECT_FALSE(line.moves[0].startsFigure);
    EXPECT_TRUE(line.moves[1].startsFigure);  // FG on the node of its move
    EXPECT_TRUE(line.moves[2].pass());
    EXPECT_TRUE(line.moves[3].startsFigure);  // FG on a node without a move: the next one
    EXPECT_EQ(line.moves[4].col, 5);          // the main line, not the variation
    EXPECT_EQ(line.moves[5].setupBefore, (std::vector<PlacedStone>{{1, 1, kWhite}}));
}

TEST(RecordLine, MoveRecordAloneTakesLeadingHandicapStonesAndIgnoresAStaleTree) {
    GameState state;
    state.BoardSize = 9;
    for (const BoardPoint& p : handicapPoints(3, 9)) test::addMove(state, p.col, p.row, kBlack);
    test::addMove(state, 5, 5, kWhite);
    test::addMove(state, kPassCoord, kPassCoord, kBlack);
    state.SgfText = "(;SZ[9];B[aa])";  // a tree the record no longer follows
    LineOfPlay line = lineOfRecord(state);
    EXPECT_EQ(line.setup.size(), 3u);
    ASSERT_EQ(line.moves.size(), 2u);
    EXPECT_EQ(line.moves[0].colour, kWhite);
    EXPECT_TRUE(line.moves[1].pass());

    // Black stones that are not the handicap pattern are moves.
    state.MoveCol[2] = 1;
    line = lineOfRecord(state);
    EXPECT_TRUE(line.setup.empty());
    EXPECT_EQ(line.moves.size(), 5u);
}

}  // namespace
}  // namespace kelmaz
