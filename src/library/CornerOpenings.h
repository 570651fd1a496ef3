#pragma once
// How each corner of a game began: for each 7 x 7 corner of the 19-line board, its first stones
// in the order they were put, each with its move, as long as no stone there was taken or
// replaced. Until then a point of the corner holds the first stone put on it, so whether a shape
// that lies inside one corner stands at some move, and from which move, follows from this list
// alone: most games of a corner search are decided without a replay of their steps.
#include <array>
#include <cstdint>
#include <span>

#include "library/LibraryMoves.h"

namespace kelmaz::library {

inline constexpr int kCornerSize = 7;
inline constexpr int kCornerPoints = kCornerSize * kCornerSize;
inline constexpr int kOpeningStones = 8;  // the stones kept of each corner
inline constexpr std::uint16_t kWholeGame = 0xffff;

struct CornerOpening {
    // Bits 0-5: the point in the corner (row * 7 + column, from the board's own upper-left
    // corner of the region); bit 6: white; bit 7: the stone stays to the end of the game.
    std::array<std::uint8_t, kOpeningStones> stones{};
    std::array<std::uint16_t, kOpeningStones> moves{};
    // The first move from which the list no longer tells the corner's state (a stone taken or
    // replaced, or more stones than the list keeps); kWholeGame when it tells the whole game.
    std::uint16_t known = kWholeGame;
    std::uint8_t count = 0;
    std::uint8_t reserved = 0;
};
static_assert(sizeof(CornerOpening) == 28);

using CornerOpenings = std::array<CornerOpening, 4>;

// The corner (0 upper left, 1 upper right, 2 lower left, 3 lower right) that holds the point,
// or -1.
int cornerOf(int point);
// The point's place in its corner's region.
int cornerPoint(int point);

// The openings of a game from its steps (with captures and the last changes marked).
CornerOpenings cornerOpenings(std::span<const Step> steps);

// A shape fixed inside one corner: for each point of the corner, what it asks for.
struct CornerShape {
    int corner = -1;  // -1: the shape does not lie inside one corner
    // A PointState, or -1 for "any" and outside; as large as the point bits of a listed stone
    // can say, so that a damaged file reads no further than the array.
    std::array<std::int8_t, 64> want{};
    int stones = 0;
};

// What a corner's opening says of a shape: it stands first after move `move`, it never stands,
// or the list cannot tell (the shape may first stand at a move from `move` on).
struct OpeningVerdict {
    enum class Kind { Stands, Never, Unknown } kind = Kind::Never;
    int move = 0;
};
OpeningVerdict judgeOpening(const CornerOpening& opening, const CornerShape& shape);

}  // namespace kelmaz::library
