#pragma once
// Where the board engine sends every change of the record. The engine plays, navigates and
// rebuilds from the move record of its GameState, but never writes that record itself: the
// keeper holds the record and lays the line shown into the move record after each change.
#include <string>
#include <vector>

#include "engine/Handicap.h"

namespace kelmaz {

// A game's variations are numbered 1, 2, ... in the order the game's text opens them: 1 is
// the line from the root, each further one begins at a child of a node with several children.
// A variation runs from its first node to the next node with several children (or the end).
// A path names variations from 1 down, each one leaving the one before it.
struct VariationShown {
    bool found = false;
    // By variation of the path: the number its first move has on the line shown, 0 when it
    // holds no move.
    std::vector<int> firstMoves;
    int lastMove = 0;  // the number of the path's last move on the line shown
    bool cut = false;  // the line shown holds more moves than the move record
};

class RecordKeeper {
  public:
    virtual ~RecordKeeper() = default;

    // Move k (1..500) of the line shown becomes a stone of `colour` on (col, row), or a pass
    // for (kPassCoord, kPassCoord). What followed move k - 1 on the line is replaced, unless
    // `asVariation`: then it stays as another line and the new move starts a line of its own.
    virtual void playMove(int k, int col, int row, int colour, bool asVariation) = 0;
    // The line shown ends after move k (0..500); what followed it is gone.
    virtual void cutAfter(int k) = 0;
    // The commentary of the position after move k (0: before the first move).
    virtual void setComment(int k, const std::string& text) = 0;
    // A new record whose first moves are Black's stones on `points`, in placing order.
    virtual void startWithBlackMoves(const std::vector<BoardPoint>& points) = 0;
    // An empty record: no move, no comment, no game information.
    virtual void clear() = 0;
    // The view of the record changed (the board was turned): it is laid out again.
    virtual void showAgain() = 0;
    // The line shown becomes the one through variation `path` of the game shown (see
    // VariationShown); nothing changes when the game holds no such variation.
    virtual VariationShown showVariation(const std::vector<int>& path) = 0;
};

}  // namespace kelmaz
