#pragma once
// Records published as a web page for a board applet: PARAM tags carry the title, place,
// size, result, players and the moves as letter pairs ("pddpqc").
#include "engine/GameState.h"
#include "records/RecordMoves.h"

namespace kelmaz {

// Cleans the lines of state.LstRead in place (blanks trimmed, '"', '<' and '>' dropped), then
// reads the PARAM lines into the game information and `read`. False when the move text holds
// more moves than the record; the moves before stay.
bool ReadAppletHtml(GameState& state, ReadMoves& read);

}  // namespace kelmaz
