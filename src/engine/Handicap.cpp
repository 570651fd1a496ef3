#include "engine/Handicap.h"

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
        points.push_back({handicapCoordinate(table[i].col, boardSize),
                          handicapCoordinate(table[i].row, boardSize)});
    }
    return points;
}

}  // namespace kelmaz
