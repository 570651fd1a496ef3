#pragma once
// What a computer game needs from the running program beyond what a network match uses.
#include <string>

#include "engine/EngineHost.h"
#include "engine/GameInfo.h"

namespace kelmaz {

class GtpHost {
  public:
    virtual ~GtpHost() = default;
    virtual void selectBoardSize(int sizeIndex) = 0;  // the settings dialog's size option
    virtual void useAlternateStones() = 0;            // black and white take turns on the board
    virtual void showDeadMarks() = 0;                 // GameState::DeadMarks changed: paint them
    // A field of the game information becomes `text`, as an edit of the record.
    virtual void setGameInfo(InfoField field, const std::string& text) = 0;
    // `link` receives the moves placed on the board from now on; nullptr hands them back to
    // whoever had them before.
    virtual void routeMoves(NetLink* link) = 0;
};

}  // namespace kelmaz
