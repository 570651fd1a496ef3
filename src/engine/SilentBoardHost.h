#pragma once
// A board host that shows nothing: for the engine working where no board is on screen (the
// command-line tool's rebuilds, a move tried on a copy of the game).
#include <string>

#include "engine/EngineHost.h"

namespace kelmaz {

class SilentBoardHost : public BoardHost {
  public:
    void setCaption(const std::string&) override {}
    std::string commentaryText() const override { return {}; }
    void setCommentaryText(const std::string&) override {}
    void setMoveNumberText(const std::string&) override {}
    void showKoRefusal() override {}
    void boardChanged() override {}
    void restartMarkerTimer(int) override {}
    void stopMarkerTimer() override {}
    bool replayRunning() const override { return false; }
    void setReplayRunning(bool, int) override {}
    void setReplayButtonEnabled(bool) override {}
    double replaySpeedSeconds() const override { return 1.0; }
    void relayout() override {}
};

}  // namespace kelmaz
