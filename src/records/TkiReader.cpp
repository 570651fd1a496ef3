#include "records/TkiReader.h"

#include <optional>
#include <string>

#include "base/NumberText.h"
#include "records/RecordMoves.h"

namespace kelmaz {

bool ReadTkiMoveLine(ReadMoves& read, std::string_view line) {
    if (trimBlanks(line).empty()) return true;
    if (read.moves.size() >= static_cast<std::size_t>(kMaxMoves)) return false;
    const int number = static_cast<int>(read.moves.size()) + 1;

    // Column, row and colour stay unset (0, 0, black) when their field is missing.
    std::int16_t col = 0, row = 0;
    int colour = kBlack;
    int field = 1;
    std::string text;
    for (char c : line) {
        if (c != ',') {
            text += c;
            continue;
        }
        ++field;
        if (field > 4) continue;  // later commas are dropped; their fields run together
        const auto value = parseInt16(text);
        if (!value) return false;
        if (field == 2) col = *value;
        if (field == 3) row = *value;
        if (field == 4) colour = *value == 1 ? kWhite : kBlack;
        text.clear();
    }
    read.shown = number;
    read.store(number, col, row, colour).comment = std::move(text);
    return true;
}

}  // namespace kelmaz
