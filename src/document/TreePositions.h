#pragma once
// The positions of a game tree, played on the rules' board: setup stones (AB, AW, AE) as
// setup, moves as the record stands (a move is never refused, as in a rebuild of a record
// read from a file). Edits use it to see what a point holds at a node and which later moves
// an edit would put on a stone; the problem mode to ignore clicks on stones.
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "document/GameTree.h"
#include "engine/Board.h"
#include "engine/GameState.h"

namespace kelmaz {

// The lines of a game's board: its root's SZ, 19 when it names none or a size outside 1..19.
int gameBoardSize(const GameTree& game);

// The points of one value of a point list ("dd", or the rectangle "aa:cc"); none for a value
// that names no point of a 19-line board.
std::vector<std::pair<int, int>> pointListValue(std::string_view value);

// The point of a node's move (B or W), if it has one that is not a pass.
std::optional<std::pair<int, int>> movePoint(const SgfNode& node);
// The colour of a node's move: kBlack, kWhite, or kNoColour for a node without a move.
int moveColour(const SgfNode& node);

// Who plays next at `node`: its PL, else the other colour than the last move on the way to
// it, else the PL of the nearest node above, else Black. With `ownPL` false the node's own PL
// is not looked at.
int playerToMove(const GameTree& game, int node, bool ownPL = true);

class TreePositions {
  public:
    explicit TreePositions(const GameTree& game);

    // The position at `node`: every node from the root played, the node's own setup
    // included or, with `ownSetup` false, left out.
    const GameState& at(int node, bool ownSetup = true);
    // The colour on a point of the last position played: kBlack, kWhite or kNoColour.
    int stoneAt(int col, int row) const;
    // The move nodes below `node` (on every variation) whose point already holds a stone when
    // they are played.
    std::vector<int> movesOnStones(int node);

  private:
    void play(int node, bool ownSetup);

    const GameTree& game_;
    std::unique_ptr<GameState> state_;
    Board board_;
};

}  // namespace kelmaz
