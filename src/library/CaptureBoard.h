#pragma once
// A 19-line board that replays a library game's moves and says which stones each one takes.
// It replays as the program rebuilds a record read from a file: a move on an occupied point
// replaces the stone there, opposing groups left without a liberty are taken, and a stone
// without a liberty of its own stays.
#include <array>
#include <cstdint>
#include <vector>

#include "library/LibraryMoves.h"

namespace kelmaz::library {

class CaptureBoard {
  public:
    CaptureBoard() { cells_.fill(PointState::Empty); }

    PointState at(int point) const { return cells_[point]; }

    // Puts a stone of `colour` on `point` and appends the points of the stones it takes to
    // `taken`. A pass (kPassPoint) changes nothing.
    void play(int point, PointState colour, std::vector<int>& taken);
    // Sets a point up (a stone or empty) without taking anything.
    void setUp(int point, PointState state) {
        if (point >= 0 && point < kPoints) cells_[point] = state;
    }

  private:
    // Collects the group at `point` into group_; false as soon as it has a liberty.
    bool groupWithoutLiberty(int point);

    std::array<PointState, kPoints> cells_{};
    std::array<std::uint32_t, kPoints> seen_{};  // mark_ where visited in this search
    std::uint32_t mark_ = 0;
    std::vector<int> group_;
    std::vector<int> stack_;
};

// The up to four neighbours of a point, ended by -1.
const std::array<int, 5>& neighbours(int point);

}  // namespace kelmaz::library
