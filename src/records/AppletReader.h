#pragma once
// Records published as a web page for a board applet: PARAM tags carry the title, place,
// size, result, players and the moves as letter pairs ("pddpqc").
#include "engine/GameState.h"

namespace kelmaz {

// Cleans the lines of state.LstRead in place (blanks trimmed, '"', '<' and '>' dropped), then
// reads the PARAM lines into the game information and the move record. False when the move
// text holds more moves than the record; the moves before stay.
bool ReadAppletHtml(GameState& state);

}  // namespace kelmaz
