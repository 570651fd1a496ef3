#pragma once
// Boards as text for the rules tests, and the rules' invariants as one check.
//
// A diagram has one line per row from the top, one character per column from the left: 'X' a
// black stone, 'O' a white one, '.' an empty point. Leading and trailing blanks of a line and
// blank lines are ignored, so a diagram can be written as an indented raw string.
#include <string>
#include <string_view>
#include <vector>

#include "engine/GameState.h"

namespace kelmaz::test {

// Stones put on the board so far, by colour: what the board and the prisoners must add up to.
struct StoneTally {
    int black = 0;
    int white = 0;
};

// The character of a point of BoardGrid (0 empty, colour + 1 a stone); '?' for anything else.
char pointCharacter(int point);

// The diagram in its one canonical form: trimmed lines, each ended by '\n'.
std::string diagram(std::string_view text);

// The whole board of `s` (BoardSize lines) in the canonical form, and its rows from the top.
std::string diagramOf(const GameState& s);
std::vector<std::string> diagramRows(const GameState& s);

// The stones of a square diagram, put down row by row from the top through the rules, on a
// board of as many lines as the diagram has. Fails the test (and leaves the board short) when
// a line is not of the board's size or holds another character, or when a stone captures.
GameState positionOf(std::string_view text, StoneTally* placed = nullptr);

// The first broken rule of a settled position, empty when there is none:
// - every stone carries a group number and every empty point none;
// - the stones of one number are of one colour and connected, and every stone next to one of
//   its own colour shares its number (a group is connected and maximal);
// - no group on the board is without a liberty;
// - points off the board (beyond BoardSize) hold nothing;
// - the stones on the board plus the prisoners taken of that colour are the stones placed.
std::string boardFault(const GameState& s, StoneTally placed);

}  // namespace kelmaz::test
