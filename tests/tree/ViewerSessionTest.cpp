#include <gtest/gtest.h>

#include <memory>

#include "base/TextCodec.h"
#include "engine/BoardOptions.h"
#include "intake/RecordFormat.h"
#include "support/EngineOnFakeHost.h"
#include "support/TestSupport.h"
#include "tree/OutlineLines.h"
#include "tree/ViewerSession.h"

namespace kelmaz {
namespace {

// A window for the session that records what it was told.
class FakeDisplay : public ViewerDisplay {
  public:
    bool isShown = true;
    int changes = 0;
    int raised = 0;
    int unloads = 0;
    std::vector<int> broughtIntoView;

    bool shown() const override { return isShown; }
    void bringToFront() override { ++raised; }
    void changed() override { ++changes; }
    void bringIntoView(int branch) override { broughtIntoView.push_back(branch); }
    void unloaded() override {
        ++unloads;
        isShown = false;
    }
};

// The session over a real engine; the board window is a fake whose replay timer the test
// drives tick by tick.
class ViewerSessionTest : public ::testing::Test, protected test::EngineOnFakeHost {
  protected:
    ViewerSessionTest() {
        engine.setViewer(&session);
        session.setDisplay(&display);
    }
    // The main line as a file read leaves it: the record at its end, the viewer open.
    void loadMainLine(const char* sgf = test::kBranchingTreeSgf) {
        record.takeSgf(sgf);
        state.ViewerState = ViewerState::NoStops;
        engine.Redraw(1, state.lastMoveInRecord());
        state.ViewerState = ViewerState::Idle;
        session.recordRead();
        session.open();
    }
    // Runs the replay until it stops by itself, at most `limit` ticks.
    void runReplay(int limit = 20) {
        for (int i = 0; i < limit && host.running && !state.CommentPause; ++i) engine.replayTick();
    }
    int stoneAt(int col, int row) const { return state.BoardGrid[col][row]; }
    std::vector<LabelColour> labels() const {
        std::vector<LabelColour> out;
        for (int k = 1; k <= session.branchCount(); ++k) out.push_back(session.labelColour(k));
        return out;
    }

    static constexpr LabelColour N = LabelColour::Normal;
    static constexpr LabelColour H = LabelColour::Highlighted;
    static constexpr LabelColour M = LabelColour::Marked;

    ViewerSession session{state, engine, host};
    FakeDisplay display;
};

// (;GM[1]C[root];B[aa]C[first];W[bb](;B[cc];W[dd](;B[ee])(;B[ff]C[alt]))(;B[gg];W[hh]))
TEST_F(ViewerSessionTest, ABranchReplaysItsPathAndNextStepsAlongIt) {
    loadMainLine();
    ASSERT_EQ(session.branchCount(), 5);
    EXPECT_EQ(state.MoveCount, 5);
    EXPECT_FALSE(session.nextEnabled());
    EXPECT_FALSE(session.mainLineEnabled());

    session.chooseBranch(4);
    // aa bb cc dd, then branch 4's ff as the fifth move in place of the main line's ee.
    EXPECT_EQ(state.MoveCount, 5);
    EXPECT_EQ(stoneAt(6, 6), 1);
    EXPECT_EQ(stoneAt(5, 5), 0);
    EXPECT_EQ(state.ViewerState, ViewerState::OnBranchPath);
    EXPECT_FALSE(host.replayButtonEnabled) << "the board's replay waits for the main line";
    EXPECT_TRUE(session.mainLineEnabled());
    EXPECT_FALSE(session.nextEnabled());
    EXPECT_EQ(host.commentary, "alt");

    session.chooseBranch(5);
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(stoneAt(7, 7), 1);
    EXPECT_EQ(stoneAt(3, 3), 0);
    ASSERT_TRUE(session.nextEnabled());
    session.next();
    EXPECT_EQ(state.MoveCount, 4);
    EXPECT_EQ(stoneAt(8, 8), 8);
    EXPECT_FALSE(session.nextEnabled());
    session.next();  // the end of the branch: nothing follows
    EXPECT_EQ(state.MoveCount, 4);

    // Numbers that name no branch change nothing.
    for (int k : {0, -1, 6}) {
        session.chooseBranch(k);
        EXPECT_EQ(state.MoveCount, 4) << k;
    }
}

TEST_F(ViewerSessionTest, TheMainLineComesBackWhereItWasLeft) {
    loadMainLine();
    engine.Redraw(1, 3);
    session.getPath(4);
    session.next();      // nothing follows ff
    session.getPath(3);  // a second branch does not move the point of return
    session.getPath(0);
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(stoneAt(3, 3), 1);
    EXPECT_EQ(stoneAt(6, 6), 0);
    EXPECT_EQ(state.MoveCol[5], 5);  // the main line's ee follows again
    EXPECT_TRUE(session.nextEnabled());

    // 本譜 after a branch: at the move where the main line was left, labels normal.
    session.showBranch(3);
    session.chooseBranch(5);
    engine.Redraw(1, 4);
    session.backToMainLine();
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(stoneAt(7, 7), 0);
    EXPECT_EQ(stoneAt(3, 3), 1);
    EXPECT_EQ(state.ViewerState, ViewerState::Idle);
    EXPECT_FALSE(session.mainLineEnabled());
    EXPECT_TRUE(host.replayButtonEnabled);
    EXPECT_EQ(labels(), (std::vector<LabelColour>{N, N, N, N, N}));

    // Without a branch chosen, 本譜 keeps the move on the board.
    engine.Redraw(1, 2);
    session.backToMainLine();
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_EQ(state.MoveCol[5], 5);
}

TEST_F(ViewerSessionTest, OfferedBranchesLightUpAndTheChosenOneStaysLit) {
    loadMainLine();
    session.showBranch(3);
    EXPECT_EQ(labels(), (std::vector<LabelColour>{N, H, N, N, H}));
    EXPECT_EQ(display.broughtIntoView, std::vector<int>{2});
    EXPECT_TRUE(session.mainLineEnabled());
    EXPECT_TRUE(session.nextEnabled());
    EXPECT_TRUE(session.resumeTicked()) << "no replay ran: 本譜 would start one";

    session.chooseBranch(5);
    EXPECT_EQ(labels(), (std::vector<LabelColour>{N, M, N, N, H}));
    // A branch that was never offered keeps its colour; the lit one is passed by.
    session.chooseBranch(3);
    EXPECT_EQ(labels(), (std::vector<LabelColour>{N, M, N, N, M}));
    // A stop where no branch leaves the main line lights nothing and scrolls nowhere.
    session.chooseBranch(5);
    session.showBranch(4);
    EXPECT_EQ(labels(), (std::vector<LabelColour>{N, M, N, N, M}));
    EXPECT_EQ(display.broughtIntoView, std::vector<int>{2});
    EXPECT_EQ(session.labelColour(0), N);
    EXPECT_EQ(session.labelColour(6), N);
}

TEST_F(ViewerSessionTest, TheReplayStopsAtEachBranchPointAndRestartsFromTheEnd) {
    loadMainLine();
    state.LastStopMove = 5;  // left by an earlier replay while the viewer was hidden
    session.setStopAtBranch(true);
    session.replay();  // at the end: starts again from the empty board
    EXPECT_TRUE(host.running);
    EXPECT_EQ(session.caption(), ViewerSession::kRunningCaption);
    runReplay();
    EXPECT_FALSE(host.running);
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(state.ViewerState, ViewerState::StoppedAtBranch);
    EXPECT_EQ(session.caption(), ViewerSession::kIdleCaption);
    EXPECT_EQ(labels(), (std::vector<LabelColour>{N, H, N, N, H}));
    EXPECT_GT(display.changes, 0);

    session.replay();
    EXPECT_EQ(state.ViewerState, ViewerState::Idle);
    runReplay();
    EXPECT_EQ(state.MoveCount, 5);  // the second branch point stops it too
    EXPECT_EQ(labels(), (std::vector<LabelColour>{N, M, H, H, M}));

    // From the end the replay starts over: labels normal, the first stop counts again.
    session.replay();
    EXPECT_EQ(labels(), (std::vector<LabelColour>{N, N, N, N, N}));
    runReplay();
    EXPECT_EQ(state.MoveCount, 3);
}

TEST_F(ViewerSessionTest, MainLineAfterABranchStopResumesTheReplayWhenTicked) {
    loadMainLine();
    host.speedSeconds = 2.5;
    session.setStopAtBranch(true);
    session.replay();
    runReplay();
    ASSERT_EQ(state.MoveCount, 3);
    ASSERT_TRUE(session.resumeTicked());
    session.chooseBranch(5);
    EXPECT_EQ(state.MoveCount, 3) << "the viewer's own rebuild ignores the stop at move 3";
    session.backToMainLine();
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_TRUE(host.running);
    EXPECT_EQ(host.lastReplayIntervalMs, 2500);
    EXPECT_FALSE(session.resumeTicked());
    EXPECT_EQ(session.caption(), ViewerSession::kRunningCaption);

    // Cleared by the user, the box keeps 本譜 from starting the replay.
    host.running = false;
    session.replay();
    runReplay();
    ASSERT_TRUE(session.resumeTicked());
    session.setResumeAfterBranch(false);
    session.backToMainLine();
    EXPECT_FALSE(host.running);
}

// A branch chosen while the replay runs: the replay must neither step along the chosen path by
// itself nor leave the board's stop button shown with nothing running.
TEST_F(ViewerSessionTest, ClosingTheViewerOnABranchLetsTheReplayGoOn) {
    loadMainLine();
    session.chooseBranch(5);
    session.windowClosed();
    EXPECT_EQ(state.ViewerState, ViewerState::Idle);
    EXPECT_TRUE(host.replayButtonEnabled);
    engine.goToMove("1");
    engine.Saigen();
    host.lastReplayIntervalMs = 0;
    engine.replayTick();
    EXPECT_GT(host.lastReplayIntervalMs, 0) << "the replay is armed again after its step";
}

TEST_F(ViewerSessionTest, ABranchChosenDuringTheReplayStopsItUntilTheMainLine) {
    loadMainLine();
    session.replay();
    engine.replayTick();
    engine.replayTick();
    ASSERT_EQ(state.MoveCount, 2);
    ASSERT_TRUE(host.running);
    session.chooseBranch(5);
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_FALSE(host.running);
    EXPECT_EQ(session.caption(), ViewerSession::kIdleCaption);
    EXPECT_TRUE(session.resumeTicked());

    session.backToMainLine();
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_TRUE(host.running);
    EXPECT_EQ(session.caption(), ViewerSession::kRunningCaption);
    runReplay();
    EXPECT_EQ(state.MoveCount, 5);
    EXPECT_EQ(stoneAt(5, 5), 1);
}

TEST_F(ViewerSessionTest, TheReplayWaitsAtACommentUntilReplayIsPressed) {
    loadMainLine();
    session.setStopAtComment(true);
    session.replay();
    runReplay();
    // Move 1's comment "first" would vanish with move 2: the replay waits, move 2 on the board.
    ASSERT_TRUE(state.CommentPause);
    EXPECT_TRUE(engine.redrawPaused());
    EXPECT_EQ(session.caption(), ViewerSession::kIdleCaption);
    EXPECT_EQ(stoneAt(2, 2), 8);
    EXPECT_EQ(host.commentary, "first");

    session.replay();
    EXPECT_FALSE(state.CommentPause);
    EXPECT_EQ(session.caption(), ViewerSession::kRunningCaption);
    EXPECT_EQ(session.commentary(), "");
    EXPECT_TRUE(host.running);
    runReplay();
    EXPECT_EQ(state.MoveCount, 5);
    EXPECT_FALSE(host.running);
    EXPECT_FALSE(session.nextEnabled());
}

TEST_F(ViewerSessionTest, ABranchChosenDuringACommentWaitEndsWaitAndReplay) {
    loadMainLine();
    session.setStopAtComment(true);
    session.replay();
    runReplay();
    ASSERT_TRUE(engine.redrawPaused());
    session.chooseBranch(5);
    EXPECT_FALSE(engine.redrawPaused());
    EXPECT_FALSE(state.CommentPause);
    EXPECT_FALSE(host.running);
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(stoneAt(7, 7), 1);
    EXPECT_EQ(session.caption(), ViewerSession::kIdleCaption);
}

TEST_F(ViewerSessionTest, TheStopBoxesExcludeEachOtherAndSleepInTheViewersRebuilds) {
    session.setStopAtComment(true);
    session.setStopAtBranch(true);
    EXPECT_TRUE(session.branchStopTicked());
    EXPECT_FALSE(session.commentStopTicked());
    session.setStopAtComment(true);
    EXPECT_FALSE(session.branchStopTicked());
    EXPECT_TRUE(session.stopAtComment());
    session.setStopAtComment(false);  // clearing one leaves the other alone
    EXPECT_FALSE(session.branchStopTicked());

    // The engine sets both at once: the second one wins, as ticking them in turn would.
    const int before = display.changes;
    session.setStopBoxes(true, true);
    EXPECT_FALSE(session.commentStopTicked());
    EXPECT_TRUE(session.stopAtBranch());
    EXPECT_GT(display.changes, before);

    // A branch chosen while the comment stop is ticked goes through the comments.
    loadMainLine();
    session.setStopAtComment(true);
    session.chooseBranch(4);
    EXPECT_EQ(state.MoveCount, 5);
    EXPECT_FALSE(state.CommentPause);
}

TEST_F(ViewerSessionTest, UnloadingForgetsTheRecordsBranches) {
    loadMainLine();
    session.setStopAtBranch(true);
    session.showBranch(3);
    engine.gCls();  // clearing the board unloads the viewer through the engine
    EXPECT_EQ(display.unloads, 1);
    EXPECT_FALSE(session.exists());
    EXPECT_EQ(session.branchCount(), 0);
    EXPECT_FALSE(session.branchStopTicked());
    EXPECT_FALSE(session.resumeTicked());
    EXPECT_FALSE(session.mainLineEnabled());
    EXPECT_EQ(session.caption(), ViewerSession::kIdleCaption);

    // Opened again, the outline of the last file read describes nothing on the board.
    session.open();
    EXPECT_TRUE(session.exists());
    EXPECT_EQ(session.branchCount(), 0);
    session.backToMainLine();
    session.getPath(0);
    session.chooseBranch(1);
    EXPECT_EQ(state.MoveCount, 0);
    EXPECT_FALSE(state.hasMove(1));
}

TEST_F(ViewerSessionTest, WithoutAWindowTheSessionStillWorks) {
    session.setDisplay(nullptr);
    loadMainLine();
    EXPECT_FALSE(session.visible());
    session.focus();
    session.showBranch(3);
    session.chooseBranch(2);
    EXPECT_EQ(state.MoveCount, 3);
    session.close();
    EXPECT_FALSE(session.exists());

    // A shown window is brought to the front at a stop; a hidden one is left alone.
    session.setDisplay(&display);
    session.focus();
    display.isShown = false;
    session.focus();
    EXPECT_EQ(display.raised, 1);
}

TEST_F(ViewerSessionTest, TheBoardStandsAtTheChosenBranchsFirstMoveOrItsPathsEnd) {
    std::string sgf = "(;B[aa](;C[empty])";
    for (int k = 3; k <= 150; ++k) sgf += "(;W[bb])";
    loadMainLine((sgf + ")").c_str());
    session.chooseBranch(2);
    EXPECT_EQ(state.MoveCount, 1);
    EXPECT_EQ(host.commentary, "empty");
    session.chooseBranch(150);
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_EQ(stoneAt(2, 2), 8);
    // A first move in the root is move 1 of branch 1.
    loadMainLine("(;B[aa];W[bb](;B[cc])(;B[dd]))");
    session.chooseBranch(1);
    EXPECT_EQ(state.MoveCount, 1);
}

TEST_F(ViewerSessionTest, WhatCannotBeShownIsNamed) {
    // Branch 32, and those below it, nest deeper than the table's levels.
    loadMainLine(test::nestedVariations(32).c_str());
    ASSERT_EQ(session.notices().size(), 1U);
    EXPECT_NE(session.notices()[0].find("表示できません"), std::string::npos);
    EXPECT_NE(session.branches().find(31), nullptr);
    EXPECT_EQ(session.branches().find(32), nullptr);

    // More moves than the record holds: the rebuild says so until the next table.
    std::string longGame = "(;";
    for (int k = 0; k <= kMaxMoves; ++k) longGame += k % 2 ? ";W[bb]" : ";B[aa]";
    record.takeSgf(longGame + ")");
    session.recordRead();
    EXPECT_TRUE(session.notices().empty());
    session.backToMainLine();
    ASSERT_EQ(session.notices().size(), 1U);
    EXPECT_EQ(session.notices()[0], ViewerSession::kTruncatedNotice);
    EXPECT_EQ(state.lastMoveInRecord(), kMaxMoves);
    session.readNode();
    EXPECT_TRUE(session.notices().empty());
}

// A commented game with variations read from a file: 31 moves on its main line (branches 1 to
// 3), another answer at move 8 (branch 4), and branch 5 in place of move 6 with two answers of
// its own at move 10 (branches 6 and 7).
class ViewerSessionOnReadFileTest : public ViewerSessionTest {
  protected:
    void SetUp() override {
        TreeLink noTree;
        const auto file = test::dataFile("handmade/sgf-commented-game-with-variations.sgf");
        ASSERT_EQ(readRecordFile(file.string(), state, options, noTree).status,
                  RecordReadResult::Status::Ok);
        record.takeSgf(decodeRecordBytes(test::readBytes(file)).text);
        state.ViewerState = ViewerState::NoStops;
        engine.Redraw(1, state.MoveCount);
        state.ViewerState = ViewerState::Idle;
        *readRecord = state;
        session.recordRead();
        session.open();
    }
    std::unique_ptr<GameState> readRecord = std::make_unique<GameState>();
};

TEST_F(ViewerSessionOnReadFileTest, ABranchAndTheWayBackToTheMainLine) {
    ASSERT_EQ(state.MoveCount, 31);
    ASSERT_EQ(session.branchCount(), 7);
    EXPECT_EQ(session.commentary(), state.MoveComment[31]);
    engine.Redraw(1, 5);

    session.chooseBranch(5);
    EXPECT_EQ(state.MoveCount, 6);
    EXPECT_FALSE(state.MoveCol[6] == readRecord->MoveCol[6] &&
                 state.MoveRow[6] == readRecord->MoveRow[6]);
    EXPECT_EQ(stoneAt(state.MoveCol[6], state.MoveRow[6]), state.MoveColour[6] + 1);
    // Branch 5 goes on through its first answer, branch 6, as the record's line does.
    const int col6 = state.MoveCol[6], row6 = state.MoveRow[6];
    const int col10 = state.MoveCol[10], row10 = state.MoveRow[10];
    ASSERT_TRUE(state.hasMove(10));
    session.chooseBranch(6);
    EXPECT_EQ(state.MoveCount, 10);
    EXPECT_EQ(state.MoveCol[6], col6);
    EXPECT_EQ(state.MoveRow[6], row6);
    EXPECT_EQ(state.MoveCol[10], col10);
    EXPECT_EQ(state.MoveRow[10], row10);
    session.chooseBranch(7);
    EXPECT_FALSE(state.MoveCol[10] == col10 && state.MoveRow[10] == row10);

    session.getPath(0);
    EXPECT_EQ(state.MoveCount, 5);
    for (int k = 1; k <= 32; ++k) {
        ASSERT_EQ(state.MoveCol[k], readRecord->MoveCol[k]) << k;
        ASSERT_EQ(state.MoveRow[k], readRecord->MoveRow[k]) << k;
    }
}

TEST_F(ViewerSessionOnReadFileTest, TheReplayOffersTheVariationsAtTheirMove) {
    session.setStopAtBranch(true);
    session.replay();
    runReplay(200);
    EXPECT_EQ(state.MoveCount, 6);
    EXPECT_EQ(session.labelColour(2), LabelColour::Highlighted);
    EXPECT_EQ(session.labelColour(5), LabelColour::Highlighted);
    EXPECT_EQ(session.labelColour(3), LabelColour::Normal);
    session.replay();
    runReplay(200);
    EXPECT_EQ(state.MoveCount, 8);
    EXPECT_EQ(session.labelColour(3), LabelColour::Highlighted);
    EXPECT_EQ(session.labelColour(4), LabelColour::Highlighted);
    EXPECT_EQ(session.labelColour(2), LabelColour::Marked);
    // No branch point after move 8: the replay runs to the end of the main line.
    session.replay();
    runReplay(200);
    EXPECT_EQ(state.MoveCount, 31);
    EXPECT_FALSE(host.running);
    EXPECT_FALSE(session.nextEnabled());
}

}  // namespace
}  // namespace kelmaz
