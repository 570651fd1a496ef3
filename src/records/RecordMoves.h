#pragma once
// Storing a move that a reader took from a file into the move record.
#include <cstdint>
#include <string_view>

#include "engine/GameState.h"

namespace kelmaz {

inline constexpr std::string_view kFormatErrorMessage =
    "フォーマットの解析過程でエラーが発生しました。";

// Stores column, row and colour into `slot` (0..500). A point without an SGF letter (outside
// 1..19: a pass, a stray character, a column of 0 that would end the record) is stored as the
// pass (kPassCoord, kPassCoord).
void storeReadMove(GameState& state, int slot, long long col, long long row, int colour);

}  // namespace kelmaz
