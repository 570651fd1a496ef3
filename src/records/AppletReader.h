#pragma once
// Records published as a web page for a board applet: PARAM tags carry the title, place,
// size, result, players and the moves as letter pairs ("pddpqc").
#include <string>
#include <vector>

#include "engine/GameState.h"
#include "records/RecordMoves.h"

namespace kelmaz {

// Cleans the lines in place (blanks trimmed, '"', '<' and '>' dropped), then reads the PARAM
// lines into `read`: its game information and moves. False when the move text holds more moves
// than the record; the moves before stay.
bool ReadAppletHtml(std::vector<std::string>& lines, ReadMoves& read);

}  // namespace kelmaz
