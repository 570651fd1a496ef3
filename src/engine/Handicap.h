#pragma once
// Handicap points: the short table (2 to 5 stones) and the long table (6 to 17 stones), given
// on 19 lines and mapped onto 13 and 9 lines so that every stone lands on the board.
#include <vector>

namespace kelmaz {

inline constexpr int kMinHandicap = 2;
inline constexpr int kMaxHandicap = 17;

struct BoardPoint {
    int col = 0;
    int row = 0;
    bool operator==(const BoardPoint&) const = default;
};

// Maps one coordinate of the 19-line tables (3, 4, 10, 16 or 17) onto an N-line board:
// 3 -> e-1, 4 -> e, 10 -> (N+1)/2, 16 -> N+1-e, 17 -> N+2-e, with e = 3 on 9 lines and 4
// otherwise. On 19 lines this is the identity. Other values are returned unchanged.
int handicapCoordinate(int v, int boardSize);

// The points of an n-stone handicap (n = 2..17) on a board of the given size, in placing
// order; empty for any other n, and on a board too small to hold n distinct points.
std::vector<BoardPoint> handicapPoints(int stones, int boardSize);

}  // namespace kelmaz
