#pragma once
// A board engine on its own state, with a fake window, and positions as ASCII diagrams:
// one string per row from the top, one character per column from the left; 'X' black,
// 'O' white, '.' empty.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/BoardDiagram.h"
#include "support/EngineOnFakeHost.h"

namespace kelmaz::test {

class FakeViewer : public ViewerLink {
  public:
    bool shown = false;
    bool atComment = false;
    bool atBranch = false;
    std::string caption;
    std::string commentary;
    int closes = 0;
    std::vector<int> branchesShown;

    bool exists() const override { return true; }
    bool visible() const override { return shown; }
    bool stopAtComment() const override { return atComment; }
    bool stopAtBranch() const override { return atBranch; }
    void setStopBoxes(bool c, bool b) override {
        atComment = c;
        atBranch = b;
    }
    void setCommentaryText(const std::string& text) override { commentary = text; }
    std::string replayCaption() const override { return caption; }
    void setReplayCaption(const std::string& text) override { caption = text; }
    void showBranch(int move) override { branchesShown.push_back(move); }
    void close() override { ++closes; }
};

class EngineTest : public ::testing::Test, protected EngineOnFakeHost {
  protected:
    // Puts the stones of the diagram into the record (row by row) and rebuilds them.
    void load(const std::vector<std::string>& rows) {
        int k = 0;
        for (int r = 1; r <= static_cast<int>(rows.size()); ++r) {
            for (int c = 1; c <= static_cast<int>(rows[r - 1].size()); ++c) {
                const char ch = rows[r - 1][c - 1];
                if (ch != 'X' && ch != 'O') continue;
                record(++k, c, r, ch == 'X' ? kBlack : kWhite);
            }
        }
        state.MoveCol[k + 1] = 0;
        state.MoveCount = k;
        engine.Redraw(1, k);
    }

    void record(int k, int col, int row, int colour) {
        state.MoveCol[k] = static_cast<std::int16_t>(col);
        state.MoveRow[k] = static_cast<std::int16_t>(row);
        state.MoveColour[k] = static_cast<std::int16_t>(colour);
    }

    void black(int col, int row) { put(kBlack, col, row); }
    void white(int col, int row) { put(kWhite, col, row); }

    std::vector<std::string> diagram() const { return diagramRows(state); }

    // A record of n moves on 19 lines that capture nothing: black fills rows 1, 5, 9, 13, 17
    // and white rows 3, 7, 11, 15, 19, one pair of moves per column; past move 190 the moves
    // lie off the board (passes).
    void fillQuietRecord(int n) {
        for (int k = 1; k <= n; ++k) {
            const int pair = (k - 1) / 2;
            const bool blackMove = k % 2 == 1;
            if (k > 190) {
                record(k, 20, 20, blackMove ? kBlack : kWhite);
                continue;
            }
            const int row = 1 + 4 * (pair / 19) + (blackMove ? 0 : 2);
            record(k, 1 + pair % 19, row, blackMove ? kBlack : kWhite);
        }
        if (n < kMaxMoves) state.MoveCol[n + 1] = 0;
    }
};

}  // namespace kelmaz::test
