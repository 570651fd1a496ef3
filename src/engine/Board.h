#pragma once
// The rules of the board: putting a stone down, groups, captures and prisoners, suicide and
// ko. A Board works on the grids of a GameState (BoardGrid, GroupGrid, MoveNoGrid, GroupCount,
// Prisoners and the ko memory), so that everything reading those grids sees each change. It
// knows nothing of the record, the windows or navigation: it says what became of a stone and
// the Engine decides what the user is told.
//
// Groups are numbers in GroupGrid: the stones carrying one number form one group. A new stone
// takes the number of the first same-coloured neighbour met (left, right, up, down) and every
// other group it touches is renumbered to it; a stone touching none gets GroupCount + 1.
#include <array>

#include "engine/GameState.h"

namespace kelmaz {

// Which rules refuse a stone. A click is refused on an occupied point, as suicide and as an
// immediate ko recapture. A move replayed one at a time from the record is refused only as a
// ko recapture; a rebuild from move 1 refuses nothing. Moves read from a file are replayed as
// they stand: a stone without a liberty stays, and a move on an occupied point replaces the
// stone there.
enum class PlaceMode { Click, Replay, Rebuild };

enum class PlaceResult { Placed, Occupied, Suicide, Ko };

struct PlaceOutcome {
    PlaceResult result = PlaceResult::Placed;
    int captured = 0;  // stones taken by a placed stone
    bool placed() const { return result == PlaceResult::Placed; }
};

class Board {
  public:
    explicit Board(GameState& state) : state_(state) {}

    // The empty board of `size` lines: no stones, no groups, no prisoners, no ko memory.
    // MoveNoGrid is left as it is: it only matters where a stone stands.
    void clear(int size);

    bool occupied(int col, int row) const { return state_.BoardGrid[col][row] != 0; }

    // Puts a stone of `colour` (kBlack or kWhite) on (col, row) of the board as move number
    // `move` and takes every opposing group it leaves without a liberty. A refused stone
    // leaves the board exactly as it was. The point must be on the board.
    PlaceOutcome place(int col, int row, int colour, int move, PlaceMode mode);

    // A stone the record sets up (or, for kNoColour, a point it empties): no capture, no ko
    // and no prisoner, and the stone carries no move number. The point must be on the board.
    void setUp(const SetupStone& stone);

    // What a click would make of a stone of `colour` on (col, row) as move `move`, without
    // touching the board: Placed, or the rule that refuses it. The point must be on the board.
    PlaceResult clickResult(int col, int row, int colour, int move) const;

  private:
    // True when no stone of group `group` has an empty neighbour; 0 is no group.
    bool withoutLiberty(int group) const;
    // True when a stone of group `group` has an empty neighbour other than (col, row).
    bool hasLibertyBesides(int group, int col, int row) const;
    // The distinct opposing groups next to (col, row) that have no liberty, in neighbour
    // order; 0 ends the list.
    using Captures = std::array<int, 4>;
    Captures capturesAround(int col, int row, int colour) const;
    bool koRecapture(int col, int row, int move, const Captures& captures) const;
    bool hemmedIn(int col, int row) const;
    bool joinUnlessSuicide(int col, int row, int colour);
    void joinGroups(int col, int row, int colour);
    void renumber(int from, int to);
    void splitGroup(int group);
    int removeGroup(int group, int move);
    int groupSize(int group) const;
    template <typename Visit>
    void forEachNeighbour(int col, int row, Visit visit) const;

    GameState& state_;
};

// What a click would make of a stone on a position that must not change (Board::clickResult).
PlaceResult clickResult(const GameState& state, int col, int row, int colour, int move);

}  // namespace kelmaz
