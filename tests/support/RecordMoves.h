#pragma once
// Writing a record by hand, as the board records a played stone but without the rules.
#include <string>

#include "engine/GameState.h"

namespace kelmaz::test {

// Appends a move after MoveCount and ends the record there.
inline void addMove(GameState& s, int col, int row, int colour, std::string comment = {}) {
    const int k = ++s.MoveCount;
    s.MoveCol[k] = static_cast<std::int16_t>(col);
    s.MoveRow[k] = static_cast<std::int16_t>(row);
    s.MoveColour[k] = static_cast<std::int16_t>(colour);
    s.MoveComment[k] = std::move(comment);
    if (k < kMaxMoves) s.MoveCol[k + 1] = 0;
}

}  // namespace kelmaz::test
