// Handicap points on every board size, and their placement as the first moves of a record.
#include <set>
#include <utility>

#include "EngineFixture.h"
#include "engine/Handicap.h"

namespace kelmaz::test {
namespace {

TEST(HandicapPoints, TableCoordinatesMapOntoEachBoardSize) {
    const std::vector<int> table = {3, 4, 10, 16, 17};
    auto mapped = [&](int size) {
        std::vector<int> out;
        for (int v : table) out.push_back(handicapCoordinate(v, size));
        return out;
    };
    EXPECT_EQ(mapped(19), table);
    EXPECT_EQ(mapped(13), (std::vector<int>{3, 4, 7, 10, 11}));
    EXPECT_EQ(mapped(9), (std::vector<int>{2, 3, 5, 7, 8}));
}

TEST(HandicapPoints, EveryHandicapFitsEveryBoard) {
    for (int size : {19, 13, 9}) {
        for (int n = kMinHandicap; n <= kMaxHandicap; ++n) {
            const auto points = handicapPoints(n, size);
            ASSERT_EQ(static_cast<int>(points.size()), n);
            std::set<std::pair<int, int>> distinct;
            for (const BoardPoint& p : points) {
                EXPECT_TRUE(p.col >= 1 && p.col <= size && p.row >= 1 && p.row <= size)
                    << n << " stones on " << size << " lines";
                distinct.insert({p.col, p.row});
            }
            EXPECT_EQ(static_cast<int>(distinct.size()), n) << n << " stones on " << size;
        }
    }
}

// The boards of a record's own size: every handicap either fits with distinct points on the
// board or is not placed at all; a column 0 (the record's end marker) never comes out.
TEST(HandicapPoints, SmallBoardsHoldTheHandicapOrNone) {
    for (int size = 2; size <= kMaxBoardSize; ++size) {
        for (int n = kMinHandicap; n <= kMaxHandicap; ++n) {
            const auto points = handicapPoints(n, size);
            if (points.empty()) continue;
            ASSERT_EQ(static_cast<int>(points.size()), n);
            std::set<std::pair<int, int>> distinct;
            for (const BoardPoint& p : points) {
                EXPECT_TRUE(p.col >= 1 && p.col <= size && p.row >= 1 && p.row <= size)
                    << n << " stones on " << size << " lines";
                distinct.insert({p.col, p.row});
            }
            EXPECT_EQ(static_cast<int>(distinct.size()), n) << n << " stones on " << size;
        }
    }
    EXPECT_TRUE(handicapPoints(2, 2).empty());
    EXPECT_TRUE(handicapPoints(5, 6).empty()) << "the centre is a 3-3 point there";
    EXPECT_EQ(handicapPoints(17, 7).size(), 17u);
}

TEST(HandicapPoints, ShortTableUpToFiveLongTableFromSix) {
    EXPECT_EQ(handicapPoints(5, 19).back(), (BoardPoint{10, 10}));
    EXPECT_EQ(handicapPoints(6, 19),
              (std::vector<BoardPoint>{{16, 4}, {4, 16}, {16, 16}, {4, 4}, {4, 10}, {16, 10}}));
    EXPECT_EQ(handicapPoints(7, 19).back(), (BoardPoint{10, 16})) << "not the centre";
    EXPECT_EQ(handicapPoints(9, 19).back(), (BoardPoint{10, 10}));
    EXPECT_EQ(handicapPoints(17, 19).back(), (BoardPoint{10, 3}));
    EXPECT_EQ(handicapPoints(2, 9), (std::vector<BoardPoint>{{7, 3}, {3, 7}}));
    EXPECT_TRUE(handicapPoints(1, 19).empty());
    EXPECT_TRUE(handicapPoints(18, 19).empty());
}

class HandicapPlacement : public EngineTest {};

TEST_F(HandicapPlacement, PlacesExactlyNBlackMoves) {
    useSize(13);
    engine.IshiUtu(1, 1);
    engine.placeHandicap(4);
    EXPECT_EQ(state.MoveCount, 4);
    EXPECT_EQ(state.MoveCol[5], 0);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(state.MoveColour[k], kBlack);
    EXPECT_EQ(state.BoardGrid[10][4], kBlack + 1);
    EXPECT_EQ(state.BoardGrid[4][10], kBlack + 1);
    EXPECT_EQ(state.BoardGrid[1][1], 0) << "the board was cleared first";
    engine.IshiUtu(7, 7);
    EXPECT_EQ(state.BoardGrid[7][7], kWhite + 1) << "white moves after the handicap";
}

TEST_F(HandicapPlacement, NoneLeavesBoardAndRecordAlone) {
    engine.IshiUtu(1, 1);
    for (int index : {0, 1, 18, -3}) engine.placeHandicap(index);
    EXPECT_EQ(state.MoveCount, 1);
    EXPECT_EQ(state.BoardGrid[1][1], kBlack + 1);
}

}  // namespace
}  // namespace kelmaz::test
