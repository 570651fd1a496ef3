#include "records/RecordMoves.h"

namespace kelmaz {

void storeReadMove(GameState& state, int slot, long long col, long long row, int colour) {
    if (slot < 0 || slot > kMaxMoves) return;
    const bool onSgfBoard = col >= 1 && col <= kMaxBoardSize && row >= 1 && row <= kMaxBoardSize;
    state.MoveCol[slot] = static_cast<std::int16_t>(onSgfBoard ? col : kPassCoord);
    state.MoveRow[slot] = static_cast<std::int16_t>(onSgfBoard ? row : kPassCoord);
    state.MoveColour[slot] = static_cast<std::int16_t>(colour);
}

}  // namespace kelmaz
