// The command line of a clone window: what the launching window writes and what the new
// window makes of it, including lists that did not come from a launching window.
#include <gtest/gtest.h>

#include "shell/CloneArgs.h"
#include "support/RecordMoves.h"

namespace kelmaz {
namespace {

GameState stateWithMoves(int count, int current) {
    GameState s;
    for (int k = 1; k <= count; ++k) test::addMove(s, k, 20 - k, k % 2 == 1 ? kBlack : kWhite);
    s.MoveCount = current;
    return s;
}

TEST(CloneArgs, ListCarriesHeaderAndMovesUpToTheCurrentOne) {
    GameState s = stateWithMoves(3, 2);
    s.InstanceNo = "0-1";
    EXPECT_EQ(BuildCloneArgs(s, 2, 12345, {200, 300, 5000, 4000}),
              "0-1, 2, 12345, 200, 300, 5000, 4000, 1, 19, 0, 2, 18, 7, 0, 0, 0, 19");
    EXPECT_EQ(BuildCloneArgs(GameState{}, 0, -5, {-10, 0, 1, 1}),
              "0, 0,-5,-10, 0, 1, 1, 0, 0, 0, 19");
}

TEST(CloneArgs, RoundTripGivesTheCloneItsNumberPlaceAndRecord) {
    GameState launching = stateWithMoves(5, 4);
    const std::string text = BuildCloneArgs(launching, 1, 99, {200, 300, 5000, 4000});
    const CloneSetup setup = parseCloneArgs(splitCloneArgs(text));
    EXPECT_EQ(setup.instanceNo, "0-1");
    EXPECT_EQ(setup.windowTitle, "Kelmaz 碁盤No0-1");
    EXPECT_EQ(setup.peerWindow, 99);
    ASSERT_TRUE(setup.geometry);
    EXPECT_EQ(setup.geometry->top, 200);
    EXPECT_EQ(setup.geometry->left, 300 + 4000 + 50);
    EXPECT_EQ(setup.geometry->height, 5000);
    EXPECT_EQ(setup.geometry->width, 4000);

    GameState clone;
    applyCloneSetup(clone, setup);
    EXPECT_EQ(clone.MoveCount, 4);
    EXPECT_EQ(clone.MoveCol[4], 4);
    EXPECT_EQ(clone.MoveRow[4], 16);
    EXPECT_EQ(clone.MoveColour[4], kWhite);
    EXPECT_EQ(clone.MoveCol[5], 0) << "the continuation is not copied";
    EXPECT_EQ(clone.InstanceNo, "0-1");

    // A clone of the clone numbers itself after it.
    clone.InstanceNo = setup.instanceNo;
    EXPECT_EQ(parseCloneArgs(splitCloneArgs(BuildCloneArgs(clone, 2, 0, {}))).instanceNo, "0-1-2");
}

TEST(CloneArgs, WindowAtMoveZeroSendsOnlyTheHeader) {
    const std::string text = BuildCloneArgs(GameState{}, 0, 1, {1, 2, 3, 4});
    EXPECT_EQ(splitCloneArgs(text).size(), 11u);  // the header, the end of the moves, the size
    GameState clone;
    applyCloneSetup(clone, parseCloneArgs(splitCloneArgs(text)));
    EXPECT_EQ(clone.MoveCount, 0);
    EXPECT_EQ(clone.WindowTitle, "Kelmaz 碁盤No0-0");
}

// The clone shows the position on a board of the launching board's size; a list without the
// size (or with one no board has) leaves the clone's own size.
TEST(CloneArgs, TheBoardSizeTravelsAfterTheMoves) {
    GameState seven = stateWithMoves(3, 3);
    seven.BoardSize = 7;
    const CloneSetup setup = parseCloneArgs(splitCloneArgs(BuildCloneArgs(seven, 1, 0, {})));
    EXPECT_EQ(setup.boardSize, 7);
    EXPECT_EQ(setup.moves.size(), 3u);
    EXPECT_EQ(parseCloneArgs(splitCloneArgs("0, 1, 0, 0, 0, 10, 10, 3, 4, 0")).boardSize, 0);
    EXPECT_EQ(parseCloneArgs(splitCloneArgs("0, 1, 0, 0, 0, 10, 10, 3, 4, 0, 0, 0, 0")).boardSize,
              0);
    for (const char* size : {"25", "1", "x", "-9"}) {
        EXPECT_EQ(
            parseCloneArgs(splitCloneArgs(std::string("0,1,0,0,0,1,1,0,0,0,") + size)).boardSize, 0)
            << size;
    }
    GameState full = stateWithMoves(kMaxMoves, kMaxMoves);
    full.BoardSize = 13;
    const CloneSetup many = parseCloneArgs(splitCloneArgs(BuildCloneArgs(full, 1, 0, {})));
    EXPECT_EQ(many.moves.size(), std::size_t(kMaxMoves));
    EXPECT_EQ(many.boardSize, 13);
}

TEST(CloneArgs, EmptyMoveFieldsAreSkippedWithoutShiftingTheTriples) {
    const CloneSetup setup =
        parseCloneArgs(splitCloneArgs("0, 1, 0, 0, 0, 10, 10, 3,, 4, 0,  , 5, 6, 7"));
    ASSERT_EQ(setup.moves.size(), 2u);
    EXPECT_EQ(setup.moves[0].col, 3);
    EXPECT_EQ(setup.moves[0].row, 4);
    EXPECT_EQ(setup.moves[1].col, 5);
    EXPECT_EQ(setup.moves[1].colour, kWhite);
}

TEST(CloneArgs, DamagedListsNeverReachOutsideTheRecord) {
    // Missing header fields: a neutral number, no geometry, no moves.
    CloneSetup setup = parseCloneArgs(splitCloneArgs("abc"));
    EXPECT_EQ(setup.instanceNo, "0-0");
    EXPECT_FALSE(setup.geometry);
    EXPECT_TRUE(setup.moves.empty());
    setup = parseCloneArgs({});
    EXPECT_EQ(setup.instanceNo, "0-0");

    // Numbers that are not numbers, or absurdly large.
    setup = parseCloneArgs(splitCloneArgs("7,x,y,1,2,three,4"));
    EXPECT_EQ(setup.instanceNo, "7-0");
    EXPECT_FALSE(setup.geometry);
    setup = parseCloneArgs(splitCloneArgs("0,99999999999999999999,1,2,3,99999999999,4"));
    EXPECT_EQ(setup.cloneCounter, INT16_MAX);
    ASSERT_TRUE(setup.geometry);

    // An incomplete last triple is dropped; a column of 0 would end the record there.
    setup = parseCloneArgs(splitCloneArgs("0,1,0,0,0,1,1, 3,3,0, 4,4"));
    EXPECT_EQ(setup.moves.size(), 1u);
    setup = parseCloneArgs(splitCloneArgs("0,1,0,0,0,1,1, 3,3,0, 0,4,7, 5,5,0"));
    EXPECT_EQ(setup.moves.size(), 1u);

    // Coordinates off the board stay in the record as passes; colours are black or white.
    setup = parseCloneArgs(splitCloneArgs("0,1,0,0,0,1,1, 40000,-3,5"));
    ASSERT_EQ(setup.moves.size(), 1u);
    EXPECT_EQ(setup.moves[0].col, INT16_MAX);
    EXPECT_EQ(setup.moves[0].row, -3);
    EXPECT_EQ(setup.moves[0].colour, kBlack);

    // More moves than the record holds.
    std::string text = "0,1,0,0,0,1,1";
    for (int k = 0; k < 600; ++k) text += ",1,1,0";
    setup = parseCloneArgs(splitCloneArgs(text));
    EXPECT_EQ(setup.moves.size(), static_cast<std::size_t>(kMaxMoves));
    GameState clone;
    applyCloneSetup(clone, setup);
    EXPECT_EQ(clone.MoveCount, kMaxMoves);

    // A board number that is not one.
    EXPECT_EQ(parseCloneArgs(splitCloneArgs("0;rm -rf,1")).instanceNo, "0-1");
    EXPECT_EQ(parseCloneArgs(splitCloneArgs(std::string(500, '1') + ",1")).instanceNo, "0-1");
}

}  // namespace
}  // namespace kelmaz
