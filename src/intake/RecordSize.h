#pragma once
// A record's own board size against the board it is offered to. Every route that brings a
// record to the board (and the command-line tool) decides with the same function: take the
// record's size, refuse the record because no board of that size can be shown, or keep the
// board as it is because the record names no size or the board already has it.
#include <string>
#include <string_view>
#include <vector>

#include "engine/BoardOptions.h"

namespace kelmaz {

inline constexpr int kMinBoardSize = 2;

// The number of lines a size field names: N for "N" or "N:N" (0 for "0"), 0 when it names
// none (empty or blank), -1 for a board that is not square ("19:13") and for a field that is
// no whole number of lines ("-1", "9x", "abc", one too large to read), which no board shows.
int recordSizeLines(std::string_view sizeField);

struct BoardSizeChoice {
    enum class Action { Keep, Take, Refuse };
    Action action = Action::Keep;
    int lines = 0;        // Take: the size the board takes
    int sizeIndex = -1;   // Take: the size option that offers it, -1 when none does
    std::string message;  // Refuse: what the user is told (it names the size)
};

// What the board does with a record whose size field reads `sizeField`.
BoardSizeChoice chooseBoardSize(std::string_view sizeField, const BoardOptions& board);

// Gives `options` the size a Take names (the size option, or none and the other size).
void applyBoardSize(const BoardSizeChoice& choice, BoardOptions& options);

// The size field of the record held by a file's lines, as the reader of its format sees it:
// the SZ of the first game tree's root (SGF), "Size=" of the header (UGF, Tki), the applet's
// Size parameter. Empty when the record names none.
std::string recordSizeField(const std::vector<std::string>& lines);

}  // namespace kelmaz
