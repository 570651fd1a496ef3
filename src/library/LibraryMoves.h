#pragma once
// The moves of a library game, two bytes a step. A step puts a point into a state: a move or a
// setup stone (numbered as the program's record numbers them, one move each) makes it black or
// white, a pass changes nothing, and a capture makes it empty again. Captures follow the move
// that takes them and are not moves themselves, so the position after move N is every step up
// to the N-th move and the captures behind it.
#include <cstdint>
#include <string>

namespace kelmaz::library {

inline constexpr int kLines = 19;  // the board the index and the searches work on
inline constexpr int kPoints = kLines * kLines;
inline constexpr int kPassPoint = kPoints;  // the point of a pass

enum class PointState : std::uint8_t { Black = 0, White = 1, Empty = 2 };

using Step = std::uint16_t;

// Bits 0-8: the point (row * size + column, both from 0; kPassPoint for a pass); bits 9-10:
// the state; bit 11: a capture; bit 12 (set by the search index): the point keeps this state
// to the end of the game.
constexpr Step makeStep(int point, PointState state, bool capture = false) {
    return static_cast<Step>(point | (static_cast<int>(state) << 9) | (capture ? 0x800 : 0));
}
constexpr int stepPoint(Step s) { return s & 0x1ff; }
// A state outside the three (only in a damaged file) is read as empty.
constexpr PointState stepState(Step s) {
    const int state = (s >> 9) & 3;
    return static_cast<PointState>(state < 3 ? state : 2);
}
constexpr bool isCapture(Step s) { return (s & 0x800) != 0; }
constexpr bool isFinal(Step s) { return (s & 0x1000) != 0; }
constexpr Step markedFinal(Step s) { return static_cast<Step>(s | 0x1000); }

constexpr PointState opposite(PointState s) {
    return s == PointState::Black   ? PointState::White
           : s == PointState::White ? PointState::Black
                                    : s;
}

// A point as SGF letters ("pd"); "tt" for a pass.
std::string pointLetters(int point);

// How a game ended, as far as the result field says.
enum class Winner : std::uint8_t { Unknown = 0, Black = 1, White = 2 };
Winner winnerOf(const std::string& result);

}  // namespace kelmaz::library
