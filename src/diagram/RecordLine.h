#pragma once
// The line of play of the record the program holds, for its figures: the line the move record
// holds, with the setup stones, handicap stones and figure breaks that the record's SGF text
// tells apart from the moves.
#include "diagram/LineOfPlay.h"
#include "engine/GameState.h"

namespace kelmaz {

// The moves 1.. up to the record's end marker. When the record came from SGF and its tree text
// still holds this line as its main line, the setup stones (AB, AW) and the FG figure breaks
// come from that text; otherwise the leading black stones of the record count as handicap
// stones when they stand exactly on the handicap points of their number.
LineOfPlay lineOfRecord(const GameState& state);

}  // namespace kelmaz
