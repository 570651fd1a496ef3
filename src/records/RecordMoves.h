#pragma once
// The moves and game information a reader of a line format (UGF, Tki, the applet page) takes
// from a file, before the document makes a record of them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/GameState.h"

namespace kelmaz {

inline constexpr std::string_view kFormatErrorMessage =
    "フォーマットの解析過程でエラーが発生しました。";

struct ReadMove {
    std::int16_t col = 0;  // 0: no move read for this number (a gap)
    std::int16_t row = 0;
    std::int16_t colour = kBlack;
    std::string comment;
};

struct ReadMoves {
    std::vector<ReadMove> moves;  // move 1 first
    int shown = 0;                // the move shown once the record is read
    GameInfo info;                // the fields the file names; the others stay empty

    // Stores column, row and colour as move `number` (1..500), growing the list with gaps as
    // needed. A point without an SGF letter (outside 1..19: a pass, a stray character, a column
    // of 0 that would end the record) is stored as the pass (kPassCoord, kPassCoord).
    ReadMove& store(int number, long long col, long long row, int colour);
};

}  // namespace kelmaz
