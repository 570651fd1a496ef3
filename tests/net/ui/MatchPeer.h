#pragma once
// One copy of the program as a match sees it: a game state, a real board engine and a match
// window, with the settings in memory and the message boxes answered by the test.
#include <map>

#include "document/DocumentRecord.h"
#include "engine/Engine.h"
#include "net/ui/FomSock.h"
#include "support/FakeDialogs.h"
#include "support/FireTimer.h"
#include "support/LoopbackPort.h"
#include "support/WaitFor.h"

namespace kelmaz::test {

struct MatchPeer : MatchBoard, NullBoardHost {
    LoopbackPort port;  // this copy's own port, held until its window listens on it
    GameState state;
    BoardOptions options;
    RecordDocument document;
    DocumentRecord keeper{document, state};
    Engine engine{state, options, *this, keeper};
    std::map<std::string, std::string, std::less<>> settings;
    FomSock window{state, *this,
                   [this](std::string_view key, std::string_view def) {
                       auto found = settings.find(key);
                       return found == settings.end() ? std::string(def) : found->second;
                   },
                   [this](std::string_view key, std::string_view value) {
                       settings[std::string(key)] = std::string(value);
                   }};
    FakeDialogs dialogs;
    bool& answer = dialogs.answer;
    QStringList& questions = dialogs.questions;
    QStringList& notices = dialogs.notices;
    std::string commentary;
    bool buttonsEnabled = true;

    MatchPeer() : MatchPeer(0) {}
    // A copy set to listen on `sharedPort` instead of its own, as a second copy on one computer.
    explicit MatchPeer(int sharedPort) {
        settings["Port"] = std::to_string(sharedPort != 0 ? sharedPort : port.number());
        engine.setNet(&window);
        window.setDialogs(dialogs);
    }
    // The address other copies connect to.
    std::string address() const { return "127.0.0.1:" + std::to_string(port.number()); }
    template <typename T = QWidget>
    T* control(const char* name) {
        return window.findChild<T*>(name);
    }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }
    void load() {
        port.release();
        window.showFromMenu(QRect(0, 0, 400, 300));
    }

    // MatchBoard
    void clearBoard() override { engine.gCls(); }
    void redraw(int from, int upto) override { engine.Redraw(from, upto); }
    void relayout() override {}
    void selectHandicap(int index) override {
        engine.placeHandicap(index + 1);
        if (state.NetMatchActive) window.Okiisi(index);
    }
    void setCommentary(const std::string& text) override { commentary = text; }
    void setBoardButtonsEnabled(bool enabled) override { buttonsEnabled = enabled; }
    RecordKeeper& record() override { return keeper; }

    // BoardHost: the commentary box is the only part of the board the match tests read.
    std::string commentaryText() const override { return commentary; }
    void setCommentaryText(const std::string& text) override { commentary = text; }
};

}  // namespace kelmaz::test
