#include "records/RecordMoves.h"

namespace kelmaz {

ReadMove& ReadMoves::store(int number, long long col, long long row, int colour) {
    if (static_cast<int>(moves.size()) < number) moves.resize(static_cast<std::size_t>(number));
    ReadMove& move = moves[static_cast<std::size_t>(number - 1)];
    const bool onSgfBoard = col >= 1 && col <= kMaxBoardSize && row >= 1 && row <= kMaxBoardSize;
    move.col = static_cast<std::int16_t>(onSgfBoard ? col : kPassCoord);
    move.row = static_cast<std::int16_t>(onSgfBoard ? row : kPassCoord);
    move.colour = static_cast<std::int16_t>(colour);
    return move;
}

}  // namespace kelmaz
