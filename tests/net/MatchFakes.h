#pragma once
// Recording stand-ins for the board and the match window, so that a test can read what the
// match code did in the order it did it.
#include <string>
#include <vector>

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
        state.MoveCol = {};
    }
    void redraw(int from, int upto) override {
        calls.push_back("redraw " + std::to_string(from) + ".." + std::to_string(upto));
    }
    void relayout() override { calls.push_back("relayout"); }
    void keepRecordBeforeClear() override { calls.push_back("keep"); }
    void selectHandicap(int index) override {
        calls.push_back("handicap " + std::to_string(index));
        static const int points[][2] = {{16, 4}, {4, 16}, {16, 16}, {4, 4}, {10, 10}};
        clearBoard();
        for (int i = 1; i <= index + 1 && i <= 5; ++i) {
            state.MoveCol[i] = static_cast<std::int16_t>(points[i - 1][0]);
            state.MoveRow[i] = static_cast<std::int16_t>(points[i - 1][1]);
            state.MoveColour[i] = kBlack;
            state.MoveCount = i;
        }
        if (state.NetMatchActive && session) session->Okiisi(index);
    }
    void setCommentary(const std::string& text) override { commentary = text; }
    void setBoardButtonsEnabled(bool enabled) override { buttonsEnabled = enabled; }
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
