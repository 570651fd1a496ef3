#pragma once
// A board window for core tests: it records what the engine shows instead of showing it.
#include <string>
#include <vector>

#include "engine/EngineHost.h"

namespace kelmaz::test {

class FakeBoardHost : public BoardHost {
  public:
    std::string caption;
    std::string commentary;
    std::string moveNumber;
    int koRefusals = 0;
    int boardChanges = 0;
    int relayouts = 0;
    int gameInfoChanges = 0;
    int markerFirstTickMs = -1;  // -1: stopped
    bool running = false;
    int lastReplayIntervalMs = 0;
    bool replayButtonEnabled = false;
    double speedSeconds = 1.0;

    void setCaption(const std::string& text) override { caption = text; }
    std::string commentaryText() const override { return commentary; }
    void setCommentaryText(const std::string& text) override { commentary = text; }
    void setMoveNumberText(const std::string& text) override { moveNumber = text; }
    void showKoRefusal() override { ++koRefusals; }
    void boardChanged() override { ++boardChanges; }
    void restartMarkerTimer(int firstTickMs) override { markerFirstTickMs = firstTickMs; }
    void stopMarkerTimer() override { markerFirstTickMs = -1; }
    bool replayRunning() const override { return running; }
    void setReplayRunning(bool on, int firstIntervalMs) override {
        running = on;
        lastReplayIntervalMs = on ? firstIntervalMs : 0;
    }
    void setReplayButtonEnabled(bool enabled) override { replayButtonEnabled = enabled; }
    double replaySpeedSeconds() const override { return speedSeconds; }
    void relayout() override { ++relayouts; }
    void gameInfoChanged() override { ++gameInfoChanges; }
};

}  // namespace kelmaz::test
