#pragma once
// One copy of the program as a match sees it: a game state, a real board engine and a match
// window, with the settings in memory and the message boxes answered by the test.
#include <QTcpServer>
#include <QTest>
#include <map>

#include "engine/Engine.h"
#include "net/ui/FomSock.h"
#include "support/FakeDialogs.h"

namespace kelmaz::test {

// A port on 127.0.0.1 that nothing listens on at the moment.
inline int freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

template <typename Predicate>
bool waitFor(Predicate predicate, int timeoutMs = 5000) {
    return QTest::qWaitFor(predicate, timeoutMs);
}

struct MatchPeer : MatchBoard, NullBoardHost {
    GameState state;
    BoardOptions options;
    Engine engine{state, options, *this};
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

    explicit MatchPeer(int port) {
        settings["Port"] = std::to_string(port);
        engine.setNet(&window);
        window.setDialogs(dialogs);
    }
    template <typename T = QWidget>
    T* control(const char* name) {
        return window.findChild<T*>(name);
    }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }
    void load() { window.showFromMenu(QRect(0, 0, 400, 300)); }

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

    // BoardHost: the commentary box is the only part of the board the match tests read.
    std::string commentaryText() const override { return commentary; }
    void setCommentaryText(const std::string& text) override { commentary = text; }
};

}  // namespace kelmaz::test
