#pragma once
// Recording stand-ins for the board and the match window, so that a test can read what the
// match code did in the order it did it.
#include <algorithm>
#include <string>
#include <vector>

#include "document/DocumentRecord.h"
#include "net/MatchSession.h"

namespace kelmaz::test {

struct FakeBoard : MatchBoard {
    GameState& state;
    MatchSession* session = nullptr;  // told of a handicap as the settings dialog does
    std::vector<std::string> calls;
    std::string commentary;
    bool buttonsEnabled = true;

    explicit FakeBoard(GameState& s) : state(s) {}
    void clearBoard() override {
        calls.push_back("clear");
        state.MoveCount = 0;
        keeper.clear();
    }
    void redraw(int from, int upto) override {
        calls.push_back("redraw " + std::to_string(from) + ".." + std::to_string(upto));
    }
    void relayout() override { calls.push_back("relayout"); }
    void keepRecordBeforeClear() override { calls.push_back("keep"); }
    void selectHandicap(int index) override {
        calls.push_back("handicap " + std::to_string(index));
        static const BoardPoint points[] = {{16, 4}, {4, 16}, {16, 16}, {4, 4}, {10, 10}};
        clearBoard();
        const int stones = std::min(index + 1, 5);
        keeper.startWithBlackMoves({points, points + stones});
        state.MoveCount = stones;
        if (state.NetMatchActive && session) session->Okiisi(index);
    }
    void setCommentary(const std::string& text) override { commentary = text; }
    void setBoardButtonsEnabled(bool enabled) override { buttonsEnabled = enabled; }
    RecordKeeper& record() override { return keeper; }

    RecordDocument document;
    DocumentRecord keeper{document, state};
};

struct FakeWindow : MatchWindow {
    std::vector<std::string> sent;
    std::vector<std::string> logLines;
    std::vector<std::string> questions;
    std::vector<std::string> notices;
    std::string requestShown;
    bool answer = true;
    int received = 0, sentLamps = 0, connected = 0, relistened = 0;

    void send(const std::string& message) override { sent.push_back(message); }
    void log(const std::string& line) override { logLines.push_back(line); }
    bool ask(const std::string& question) override {
        questions.push_back(question);
        return answer;
    }
    void inform(const std::string& text) override { notices.push_back(text); }
    void showTakeBackRequest(const std::string& phrase) override { requestShown = phrase; }
    void showConnected() override { ++connected; }
    void showReceived() override { ++received; }
    void showSent() override { ++sentLamps; }
    void closeAndListen() override { ++relistened; }
};

}  // namespace kelmaz::test
