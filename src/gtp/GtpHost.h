#pragma once
// What a computer game needs from the running program beyond what a network match uses.
#include "engine/EngineHost.h"

namespace kelmaz {

class GtpHost {
  public:
    virtual ~GtpHost() = default;
    virtual void selectBoardSize(int sizeIndex) = 0;  // the settings dialog's size option
    virtual void useAlternateStones() = 0;            // black and white take turns on the board
    virtual void showDeadMarks() = 0;                 // GameState::DeadMarks changed: paint them
    virtual void gameInfoChanged() = 0;               // the game information was rewritten
    // `link` receives the moves placed on the board from now on; nullptr hands them back to
    // whoever had them before.
    virtual void routeMoves(NetLink* link) = 0;
};

}  // namespace kelmaz
