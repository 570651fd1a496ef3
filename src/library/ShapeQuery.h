#pragma once
// What a position or pattern search looks for: the shape as the user gave it (a rectangle of
// the board, each point black, white, empty or "any"; a full-board position is the whole board
// without "any") and its distinct images under the symmetries and colour swap asked for, each
// either fixed where the symmetry puts it or free to stand anywhere on the board.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/GameState.h"
#include "library/LibraryMoves.h"

namespace kelmaz::library {

enum class Want : std::uint8_t { Black = 0, White = 1, Empty = 2, Any = 3 };

struct Pattern {
    int left = 0, top = 0, width = 0, height = 0;  // the region, 0-based board columns and rows
    std::vector<Want> points;                      // row by row, left to right
};

// "REGION:POINTS": a region "aa:gg" in SGF letters (any two opposite corners) and its points
// row by row, left to right, top to bottom, each X (black), O (white), . (empty) or * (any).
// Nothing when the text is not of that form (the reason in `error`).
std::optional<Pattern> parsePattern(const std::string& text, std::string& error);

// A full-board position as a pattern without "any".
Pattern positionPattern(const std::array<PointState, kPoints>& board);
// The position on a 19-line board of the program's state.
Pattern positionPattern(const GameState& state);

struct SearchOptions {
    bool symmetries = true;  // the seven mirror images too
    bool colourSwap = true;  // black and white exchanged too
    bool anywhere = false;   // the shape at any place of the board, not only where it stands
};

struct ShapeCell {
    std::int8_t dx = 0, dy = 0;  // from the image's upper-left corner
    PointState state = PointState::Empty;
};

// One image of the pattern.
struct ShapeImage {
    int symmetry = 0;
    bool swapped = false;
    int width = 0, height = 0;
    int fixedLeft = -1, fixedTop = -1;  // where it must stand; -1 when anywhere
    // An image that may stand anywhere is cut to the points that are not "any"; this is where
    // the cut one lies in the whole image.
    int cutLeft = 0, cutTop = 0;
    std::vector<ShapeCell> cells;   // every point that is not "any"
    std::vector<std::int8_t> grid;  // width x height: the state asked for, -1 for "any"
    // The cells by the state they ask for: a match can only begin where a point takes one.
    std::array<std::vector<ShapeCell>, 3> cellsByState;
    int stones = 0;
};

struct ShapeQuery {
    Pattern pattern;
    std::vector<ShapeImage> images;
    bool fullBoard = false;  // a full-board position: its hash finds the candidate games
    std::uint64_t canonicalHash = 0;
    int stones = 0;
};

ShapeQuery makeQuery(const Pattern& pattern, const SearchOptions& options);

}  // namespace kelmaz::library
