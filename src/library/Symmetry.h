#pragma once
// The eight symmetries of a rectangle (turns and reflections) and the position hash that is
// the same for a position, its seven mirror images and its colour-swapped copies.
#include <array>
#include <cstdint>

#include "library/LibraryMoves.h"

namespace kelmaz::library {

inline constexpr int kSymmetries = 8;

// Symmetry s of a w x h rectangle: bit 2 swaps columns and rows (the rectangle becomes h x w),
// then bit 0 mirrors the columns and bit 1 the rows. The map is affine, so it also carries
// points outside the rectangle along (a continuation beside a pattern).
struct Transformed {
    int x = 0, y = 0;
};
constexpr Transformed transformPoint(int s, int w, int h, int x, int y) {
    if (s & 4) {
        const int t = x;
        x = y;
        y = t;
        const int u = w;
        w = h;
        h = u;
    }
    return {(s & 1) ? w - 1 - x : x, (s & 2) ? h - 1 - y : y};
}
// The inverse of transformPoint for the same s, w, h.
constexpr Transformed untransformPoint(int s, int w, int h, int x, int y) {
    const int tw = (s & 4) ? h : w, th = (s & 4) ? w : h;
    x = (s & 1) ? tw - 1 - x : x;
    y = (s & 2) ? th - 1 - y : y;
    if (s & 4) return {y, x};
    return {x, y};
}

// Hash of the stones of a full 19-line board under all eight symmetries, with and without the
// colours swapped; kept up to date one changed point at a time.
class PositionHash {
  public:
    // A stone of `colour` (Black or White) put on or taken from `point`.
    void toggle(int point, PointState colour);
    // The smallest of the sixteen hashes: equal for positions that are mirror images or
    // colour-swapped copies of each other.
    std::uint64_t canonical() const;

  private:
    std::array<std::uint64_t, 2 * kSymmetries> hashes_{};
};

}  // namespace kelmaz::library
