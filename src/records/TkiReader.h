#pragma once
// The comma-separated record format marked by a line "fmt=Tki": after "[Data]", one move per
// line as column, row, colour (1 white, else black) and commentary.
#include <string_view>

#include "records/RecordMoves.h"

namespace kelmaz {

// Stores one line after "[Data]" as the next move. A blank line is not a move. False when the
// record is full or a number is malformed or outside the 16-bit range.
bool ReadTkiMoveLine(ReadMoves& read, std::string_view line);

}  // namespace kelmaz
