#pragma once
// A line of play as the printed figures need it: the board size, the stones standing before
// the first move (handicap and setup stones, never numbered), the moves in order with their
// passes and the places where the record asks for a new figure, and the game information.
// It is a plain description, so whatever owns a record can hand one over.
#include <vector>

#include "engine/GameInfo.h"
#include "engine/GameState.h"

namespace kelmaz {

struct PlacedStone {
    int col = 0, row = 0;
    int colour = kBlack;
    bool operator==(const PlacedStone&) const = default;
};

struct LineMove {
    int col = 0, row = 0;  // 0, 0 for a pass
    int colour = kBlack;
    bool startsFigure = false;             // the record starts a new figure here (SGF FG)
    std::vector<PlacedStone> setupBefore;  // stones the record sets up just before this move
    bool pass() const { return col == 0 && row == 0; }
};

struct LineOfPlay {
    int boardSize = kMaxBoardSize;
    std::vector<PlacedStone> setup;
    std::vector<LineMove> moves;  // move n is moves[n - 1]
    GameInfo info;
};

}  // namespace kelmaz
