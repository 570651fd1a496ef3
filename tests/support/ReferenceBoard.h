#pragma once
// A board of its own for replaying a record, written apart from the engine so that it can
// judge it: a stone is put down (over whatever stood there) and every opposing group left
// without a liberty is taken. It never takes the mover's own stones, so a record that holds a
// suicide shows it as the record has it. Off-board moves are passes.
#include <string>
#include <vector>

#include "engine/GameState.h"
#include "support/BoardDiagram.h"

namespace kelmaz::test {

class ReferenceBoard {
  public:
    explicit ReferenceBoard(int size);

    // The point as BoardGrid holds it: 0 empty, colour + 1 a stone.
    int at(int c, int r) const { return points_[index(c, r)]; }
    bool onBoard(int c, int r) const { return c >= 1 && c <= n_ && r >= 1 && r <= n_; }

    // Puts a stone of `colour` (kBlack or kWhite) and takes what it captures; the number taken.
    int play(int c, int r, int colour);
    // Sets a point up without a move: a stone of `colour`, or empty for kNoColour; takes
    // nothing.
    void setUp(int c, int r, int colour);
    int liberties(int c, int r) const;
    // The stones put down and not replaced, by colour: on the board or taken.
    StoneTally standing() const { return standing_; }
    // The board in the canonical diagram form.
    std::string diagram() const;

  private:
    int index(int c, int r) const { return c * (n_ + 2) + r; }
    std::vector<std::pair<int, int>> neighbours(int c, int r) const;
    int removeGroup(int c, int r);

    int n_;
    std::vector<int> points_;
    StoneTally standing_;
};

// The position after moves 1..upto of the record on a board of the record's size, with the
// stones each position sets up or empties.
ReferenceBoard replayRecord(const GameState& s, int upto);

}  // namespace kelmaz::test
