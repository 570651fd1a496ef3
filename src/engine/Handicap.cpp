#include "engine/Handicap.h"

#include <algorithm>
#include <array>

namespace kelmaz {
namespace {

constexpr std::array<BoardPoint, 5> kShortTable = {{{16, 4}, {4, 16}, {16, 16}, {4, 4}, {10, 10}}};

// Seven stones are the six-stone points plus (10,16); the centre comes only at nine.
constexpr std::array<BoardPoint, 17> kLongTable = {{{16, 4},
                                                    {4, 16},
                                                    {16, 16},
                                                    {4, 4},
                                                    {4, 10},
                                                    {16, 10},
                                                    {10, 16},
                                                    {10, 4},
                                                    {10, 10},
                                                    {17, 3},
                                                    {3, 17},
                                                    {17, 17},
                                                    {3, 3},
                                                    {3, 10},
                                                    {17, 10},
                                                    {10, 17},
                                                    {10, 3}}};

}  // namespace

int handicapCoordinate(int v, int boardSize) {
    const int e = boardSize <= 9 ? 3 : 4;
    switch (v) {
        case 3:
            return e - 1;
        case 4:
            return e;
        case 10:
            return (boardSize + 1) / 2;
        case 16:
            return boardSize + 1 - e;
        case 17:
            return boardSize + 2 - e;
        default:
            return v;
    }
}

std::vector<BoardPoint> handicapPoints(int stones, int boardSize) {
    std::vector<BoardPoint> points;
    if (stones < kMinHandicap || stones > kMaxHandicap) return points;
    const BoardPoint* table = stones <= 5 ? kShortTable.data() : kLongTable.data();
    for (int i = 0; i < stones; ++i) {
        const BoardPoint p{handicapCoordinate(table[i].col, boardSize),
                           handicapCoordinate(table[i].row, boardSize)};
        // On a board too small for these stones (a record's own size) a point would fall off
        // the board (a column 0 would even end the record) or on another: no handicap there.
        const bool onBoard = p.col >= 1 && p.col <= boardSize && p.row >= 1 && p.row <= boardSize;
        if (!onBoard || std::find(points.begin(), points.end(), p) != points.end()) return {};
        points.push_back(p);
    }
    return points;
}

}  // namespace kelmaz
