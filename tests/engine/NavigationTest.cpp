// Rebuilding positions from the record: stepping, jumping, taking back, replay and rotation.
#include "EngineFixture.h"

namespace kelmaz::test {
namespace {

class Navigation : public EngineTest {
  protected:
    void SetUp() override { useSize(19); }

    void loadQuiet(int moves, int at) {
        fillQuietRecord(moves);
        state.MoveCount = at;
        engine.Redraw(1, at);
    }
    int stonesOnBoard() const {
        int n = 0;
        for (const auto& column : state.BoardGrid) {
            for (auto v : column) n += v != 0;
        }
        return n;
    }
};

TEST_F(Navigation, RebuildShowsPrisonersCaptionCommentaryAndMarker) {
    useSize(9);
    load({".X.......", "XO.......", ".X......."});
    black(3, 2);  // move 5 takes the white stone
    engine.IshiUtu(9, 9);
    state.MoveComment[5] = "取った";
    state.MoveComment[6] = "次";
    engine.goToMove("5");
    EXPECT_EQ(state.MoveCount, 5);
    EXPECT_EQ(state.Prisoners[0], 1);
    EXPECT_EQ(host.caption, "Kelmaz 碁盤No0     上げハマ 黒 = 1  白 = 0");
    EXPECT_EQ(host.commentary, "取った");
    EXPECT_EQ(host.moveNumber, "5");
    EXPECT_EQ(host.markerFirstTickMs, 10);
    EXPECT_EQ(state.CurrentColour, kBlack);
    EXPECT_EQ(state.BoardGrid[9][9], 0) << "move 6 is no longer on the board";
    EXPECT_EQ(state.LastMarkX, 3);
    EXPECT_EQ(state.LastMarkY, 2);
}

TEST_F(Navigation, OneBackReachesTheEmptyBoardAndStopsThere) {
    loadQuiet(5, 3);
    engine.Itemodosi();
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_EQ(host.moveNumber, "2");
    EXPECT_EQ(stonesOnBoard(), 2);
    for (int i = 0; i < 3; ++i) engine.Itemodosi();
    EXPECT_EQ(state.MoveCount, 0);
    EXPECT_EQ(host.moveNumber, "0");
    EXPECT_EQ(stonesOnBoard(), 0);
    EXPECT_EQ(state.MoveCol[5], 3) << "taking back never edits the record";
}

// Move 0 is a position like any other: the replay starts from it.
TEST_F(Navigation, ReplayFromMoveZeroPlaysTheRecordFromTheEmptyBoard) {
    loadQuiet(3, 2);
    engine.firstMove();
    engine.Saigen();
    EXPECT_TRUE(host.running);
    engine.replayTick();
    EXPECT_EQ(state.MoveCount, 1);
    EXPECT_EQ(stonesOnBoard(), 1);
}

TEST_F(Navigation, TenBackFromMoveTenShowsTheEmptyBoard) {
    loadQuiet(15, 10);
    state.MoveComment[0] = "対局前";
    engine.tenBack();
    EXPECT_EQ(state.MoveCount, 0);
    EXPECT_EQ(stonesOnBoard(), 0);
    EXPECT_EQ(host.moveNumber, "0");
    EXPECT_EQ(host.commentary, "対局前");
    EXPECT_EQ(host.caption, "Kelmaz 碁盤No0     上げハマ 黒 = 0  白 = 0");
    engine.oneForward();
    EXPECT_EQ(state.MoveCount, 1);
    EXPECT_EQ(stonesOnBoard(), 1);
}

TEST_F(Navigation, TenBackNeedsTenMovesBehind) {
    loadQuiet(15, 15);
    engine.tenBack();
    EXPECT_EQ(state.MoveCount, 5);
    EXPECT_EQ(stonesOnBoard(), 5);
    engine.tenBack();
    EXPECT_EQ(state.MoveCount, 5);
}

TEST_F(Navigation, TenForwardNeedsElevenMovesAhead) {
    loadQuiet(20, 10);
    engine.tenForward();  // exactly ten left
    EXPECT_EQ(state.MoveCount, 10);
    engine.goToMove("9");
    engine.tenForward();
    EXPECT_EQ(state.MoveCount, 19);
    EXPECT_EQ(stonesOnBoard(), 19);
}

TEST_F(Navigation, FirstLastAndOneForwardAtTheEnds) {
    loadQuiet(20, 7);
    state.MoveComment[0] = "本局の解説";
    engine.firstMove();
    EXPECT_EQ(state.MoveCount, 0) << "the first-move command shows the board before move 1";
    EXPECT_EQ(stonesOnBoard(), 0);
    EXPECT_EQ(host.moveNumber, "0");
    EXPECT_EQ(host.commentary, "本局の解説");
    engine.oneForward();
    EXPECT_EQ(state.MoveCount, 1);
    EXPECT_EQ(stonesOnBoard(), 1);
    engine.lastMove();
    EXPECT_EQ(state.MoveCount, 20);
    engine.oneForward();
    EXPECT_EQ(state.MoveCount, 20);
}

TEST_F(Navigation, EmptyRecordLeavesEveryCommandIdle) {
    engine.firstMove();
    engine.lastMove();
    engine.oneForward();
    engine.tenForward();
    engine.tenBack();
    engine.Itemodosi();
    engine.goToMove("1");
    engine.Saigen();
    EXPECT_EQ(state.MoveCount, 0);
    EXPECT_FALSE(host.running);
    EXPECT_EQ(stonesOnBoard(), 0);
}

TEST_F(Navigation, GoToTakesTheAbsoluteValueOfATypedNumber) {
    loadQuiet(20, 20);
    engine.goToMove("-3");
    EXPECT_EQ(state.MoveCount, 3);
    engine.goToMove(" 7手");
    EXPECT_EQ(state.MoveCount, 7);
    for (const char* typed : {"abc", "", "21", "-", "99999999999999999999999"}) {
        host.moveNumber = typed;
        engine.goToMove(typed);
        EXPECT_EQ(state.MoveCount, 7) << typed;
        EXPECT_EQ(host.moveNumber, "7") << "the box shows the move on the board";
    }
    state.MoveComment[0] = "序";
    engine.goToMove("0");
    EXPECT_EQ(state.MoveCount, 0);
    EXPECT_EQ(stonesOnBoard(), 0);
    EXPECT_EQ(host.commentary, "序");
}

TEST_F(Navigation, RebuildFromAnEmptySlotDoesNothing) {
    loadQuiet(5, 5);
    const int changes = host.boardChanges;
    EXPECT_EQ(engine.Redraw(6, 6), RedrawOutcome::NothingDone);
    EXPECT_EQ(engine.Redraw(0, 3), RedrawOutcome::NothingDone);
    EXPECT_EQ(host.boardChanges, changes);
    EXPECT_EQ(state.MoveCount, 5);
}

TEST_F(Navigation, FullRecordScansStopAtSlot500) {
    loadQuiet(kMaxMoves, 1);
    EXPECT_EQ(state.lastMoveInRecord(), kMaxMoves);
    engine.lastMove();
    EXPECT_EQ(state.MoveCount, kMaxMoves);
    engine.oneForward();
    engine.tenForward();
    EXPECT_EQ(state.MoveCount, kMaxMoves);
    engine.goToMove("490");
    engine.tenForward();  // would need slot 501
    EXPECT_EQ(state.MoveCount, 490);
    engine.goToMove("489");
    engine.tenForward();
    EXPECT_EQ(state.MoveCount, 499);
    engine.Gkaiten_Click();
    EXPECT_EQ(state.MoveCount, kMaxMoves);
    EXPECT_EQ(state.MoveCol[1], 19);
}

TEST_F(Navigation, MovesOffTheBoardAreReplayedAsPasses) {
    useSize(9);
    record(1, 3, 3, kBlack);
    record(2, 12, 12, kWhite);  // made on a larger board
    record(3, 4, 0, kBlack);    // ... or damaged
    record(4, 4, 4, kWhite);
    state.MoveCount = 4;
    engine.Redraw(1, 4);
    EXPECT_EQ(state.MoveCount, 4);
    EXPECT_EQ(diagram()[2], "..X......");
    EXPECT_EQ(diagram()[3], "...O.....");
    EXPECT_EQ(state.MoveNoGrid[12][12], 0);
    engine.goToMove("2");
    EXPECT_EQ(state.LastColour, kWhite) << "the pass still counts for the alternation";
    engine.IshiUtu(5, 5);
    EXPECT_EQ(state.BoardGrid[5][5], kBlack + 1);
}

TEST_F(Navigation, ResetPositionKeepsTheRecord) {
    loadQuiet(6, 6);
    engine.ResetPosition();
    EXPECT_EQ(stonesOnBoard(), 0);
    EXPECT_EQ(state.GroupCount, 0);
    EXPECT_EQ(state.MoveCol[6], 1 + 2);
    engine.Redraw(1, 6);
    EXPECT_EQ(stonesOnBoard(), 6);
}

TEST_F(Navigation, ClearingForgetsTheGameButKeepsTeamsAndSource) {
    FakeViewer viewer;
    engine.setViewer(&viewer);
    loadQuiet(6, 4);
    state.MoveComment[2] = "解説";
    state.BranchMoves[1] = 3;
    state.BoardRotated = true;
    state.Prisoners = {2, 3};
    state.Info[InfoField::PB] = "黒番";
    state.Info[InfoField::BT] = "チーム";
    state.Info[InfoField::CP] = "著作";
    state.Info.WinnerLabel = "黒";
    host.running = true;
    host.commentary = "x";
    host.moveNumber = "4";

    engine.gCls();
    EXPECT_EQ(state.MoveCount, 0);
    EXPECT_EQ(state.MoveCol[1], 0);
    EXPECT_EQ(state.MoveComment[2], "");
    EXPECT_EQ(state.BranchMoves[1], 0);
    EXPECT_EQ(stonesOnBoard(), 0);
    EXPECT_FALSE(state.BoardRotated);
    EXPECT_EQ(state.Prisoners, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(host.caption, "Kelmaz 碁盤No0");
    EXPECT_FALSE(host.running);
    EXPECT_EQ(host.commentary, "");
    EXPECT_EQ(host.moveNumber, "");
    EXPECT_TRUE(host.replayButtonEnabled);
    EXPECT_GE(host.relayouts, 1);
    EXPECT_EQ(viewer.closes, 1);
    EXPECT_EQ(state.Info[InfoField::PB], "");
    EXPECT_EQ(state.Info.WinnerLabel, "");
    EXPECT_EQ(state.Info[InfoField::BT], "チーム");
    EXPECT_EQ(state.Info[InfoField::CP], "著作");
}

TEST_F(Navigation, ClearingEndsEveryViewerState) {
    loadQuiet(5, 2);
    state.ViewerState = ViewerState::OnBranchPath;  // a viewer branch button was replaying its path
    engine.gCls();
    EXPECT_EQ(state.ViewerState, ViewerState::Idle);
    fillQuietRecord(5);
    engine.Redraw(1, 1);
    engine.Saigen();
    engine.replayTick();
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_TRUE(host.running);
    EXPECT_EQ(host.lastReplayIntervalMs, 1000) << "the replay timer is armed again";
}

// ---------------------------------------------------------------- the end of the record

TEST_F(Navigation, NothingReachesTheMovesOfALineCutOffByANewStone) {
    loadQuiet(4, 4);
    engine.goToMove("1");
    engine.IshiUtu(10, 10);  // move 2 of a new line
    for (int k = 3; k <= kMaxMoves; ++k) EXPECT_EQ(state.MoveCol[k], 0) << k;
    engine.goToMove("4");
    EXPECT_EQ(state.MoveCount, 2);
    engine.tenForward();
    engine.oneForward();
    engine.lastMove();
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_EQ(stonesOnBoard(), 2);
}

TEST_F(Navigation, ARebuildStopsAtTheEndMarkerWhateverLiesBehindIt) {
    loadQuiet(6, 6);
    state.MoveCol[3] = 0;  // a record cut at move 2 that still holds moves 4..6 behind
    EXPECT_EQ(engine.Redraw(1, 6), RedrawOutcome::Completed);
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_EQ(stonesOnBoard(), 2);
    EXPECT_EQ(host.moveNumber, "2");
    state.MoveCount = 5;
    engine.goToMove("5");
    engine.tenBack();
    EXPECT_LE(state.MoveCount, 2);
    EXPECT_EQ(stonesOnBoard(), state.MoveCount);
}

TEST_F(Navigation, ARebuildToMoveZeroShowsTheEmptyBoardEvenForAnEmptyRecord) {
    loadQuiet(3, 3);
    state.MoveCol[1] = 0;  // the record now holds no move (a tree line without moves)
    state.MoveCount = 0;
    EXPECT_EQ(engine.Redraw(1, 0), RedrawOutcome::Completed);
    EXPECT_EQ(stonesOnBoard(), 0);
    EXPECT_EQ(host.moveNumber, "0");
    engine.IshiUtu(10, 10);
    EXPECT_EQ(state.MoveCount, 1);
    EXPECT_EQ(stonesOnBoard(), 1);
    EXPECT_EQ(state.BoardGrid[10][10], kBlack + 1);
}

// ---------------------------------------------------------------- automatic replay

class RecordingTree : public TreeLink {
  public:
    std::vector<int> shown;
    void showMove(int move) override { shown.push_back(move); }
};

// The replay used to start from an empty board, without the stones the record sets up.
TEST_F(Navigation, ReplayAtTheEndOfTheRecordStartsFromTheBoardBeforeTheFirstMove) {
    RecordingTree tree;
    engine.setTree(&tree);
    loadQuiet(3, 3);
    state.MoveSetup[0] = {{9, 9, kWhite}};
    EXPECT_EQ(tree.shown, (std::vector<int>{3}));
    tree.shown.clear();
    engine.Saigen();
    EXPECT_TRUE(host.running);
    EXPECT_EQ(state.MoveCount, 0);
    EXPECT_EQ(stonesOnBoard(), 1);
    EXPECT_EQ(state.BoardGrid[9][9], kWhite + 1);
    EXPECT_EQ(host.moveNumber, "0") << "the move box shows the number of the board before move 1";
    EXPECT_EQ(host.lastReplayIntervalMs, 1) << "the first tick comes at once";
    for (int k = 1; k <= 3; ++k) {
        engine.replayTick();
        EXPECT_EQ(state.MoveCount, k);
        EXPECT_EQ(stonesOnBoard(), k + 1);
        EXPECT_EQ(host.lastReplayIntervalMs, 1000);
    }
    engine.replayTick();
    EXPECT_FALSE(host.running);
    EXPECT_EQ(tree.shown, (std::vector<int>{1, 2, 3}));
    // Every other command that moves the board tells the tree where it is.
    tree.shown.clear();
    engine.firstMove();
    engine.oneForward();
    engine.goToMove("3");
    engine.tenBack();
    engine.lastMove();
    EXPECT_EQ(tree.shown, (std::vector<int>{0, 1, 3, 3, 3}));
}

TEST_F(Navigation, ReplayGoesOnFromThePositionAndStopsOnRequest) {
    loadQuiet(5, 2);
    host.speedSeconds = 0.5;
    engine.Saigen();
    EXPECT_EQ(state.MoveCount, 2);
    engine.replayTick();
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(host.lastReplayIntervalMs, 500);
    engine.Saigen();
    EXPECT_FALSE(host.running);
    EXPECT_EQ(state.MoveCount, 3);
}

class ViewerStops : public Navigation {
  protected:
    FakeViewer viewer;
    void SetUp() override {
        Navigation::SetUp();
        engine.setViewer(&viewer);
        fillQuietRecord(4);
        state.MoveComment[1] = "一手目";
        state.MoveComment[3] = "三手目";
        state.MoveCount = 1;
        engine.Redraw(1, 1);
        state.BranchMoves[1] = 3;  // the sequence viewer knows a branch at move 3
    }
};

TEST_F(ViewerStops, ReplayPausesWhereTheCommentaryWouldVanish) {
    viewer.atComment = true;
    engine.Saigen();
    engine.replayTick();  // move 2 has no commentary while "一手目" is on screen
    EXPECT_TRUE(engine.redrawPaused());
    EXPECT_TRUE(state.CommentPause);
    EXPECT_EQ(viewer.caption, "再現");
    EXPECT_EQ(state.BoardGrid[1][3], kWhite + 1) << "move 2 is on the board";
    EXPECT_EQ(host.commentary, "一手目");
    EXPECT_EQ(host.lastReplayIntervalMs, 1) << "the timer waits with the rebuild";

    engine.oneForward();
    engine.IshiUtu(10, 10);
    engine.goToMove("4");
    EXPECT_EQ(state.BoardGrid[10][10], 0);
    EXPECT_EQ(state.MoveCount, 2);

    EXPECT_EQ(engine.resumeRedraw(), RedrawOutcome::Completed);
    EXPECT_FALSE(state.CommentPause);
    EXPECT_EQ(host.commentary, "");
    EXPECT_EQ(host.lastReplayIntervalMs, 1000) << "the replay goes on";
    engine.replayTick();
    EXPECT_FALSE(engine.redrawPaused());
    EXPECT_EQ(host.commentary, "三手目");
}

TEST_F(ViewerStops, ClearingDropsAPausedRebuild) {
    viewer.atComment = true;
    engine.Saigen();
    engine.replayTick();
    ASSERT_TRUE(engine.redrawPaused());
    engine.gCls();
    EXPECT_FALSE(engine.redrawPaused());
    EXPECT_FALSE(state.CommentPause);
    EXPECT_EQ(engine.resumeRedraw(), RedrawOutcome::NothingDone);
    engine.IshiUtu(10, 10);
    EXPECT_EQ(state.MoveCount, 1);
}

TEST_F(ViewerStops, ReplayStopsAtABranch) {
    viewer.atBranch = true;
    engine.Saigen();
    engine.replayTick();
    EXPECT_TRUE(host.running);
    engine.replayTick();
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(state.ViewerState, ViewerState::StoppedAtBranch);
    EXPECT_EQ(state.LastStopMove, 3);
    EXPECT_FALSE(host.running) << "the stop at the branch ends the replay";
    EXPECT_EQ(viewer.branchesShown, std::vector<int>{3});
}

TEST_F(ViewerStops, TakingBackNeverStops) {
    viewer.atComment = true;
    viewer.atBranch = true;
    host.commentary = "残る解説";
    state.MoveCount = 4;
    state.LastStopMove = 0;
    engine.Itemodosi();
    EXPECT_FALSE(engine.redrawPaused());
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(state.ViewerState, ViewerState::Idle);
    EXPECT_TRUE(viewer.atComment);
    EXPECT_TRUE(viewer.atBranch);
}

// A relayout (resize, panel toggle, option change, rotation, clear) rebuilds the position it
// shows; the viewer's stop boxes belong to replays and must not stop it.
TEST_F(ViewerStops, ARelayoutRebuildsToTheMoveShownWithoutStopping) {
    engine.goToMove("4");
    ASSERT_EQ(state.MoveCount, 4);
    const ViewerState viewerState = state.ViewerState;
    viewer.atBranch = true;
    state.LastStopMove = 0;
    engine.relayoutRedraw();
    EXPECT_EQ(state.MoveCount, 4);
    EXPECT_EQ(stonesOnBoard(), 4);
    EXPECT_FALSE(host.running) << "no replay was started";
    EXPECT_EQ(state.ViewerState, viewerState);
    EXPECT_TRUE(viewer.branchesShown.empty());

    viewer.atBranch = false;
    viewer.atComment = true;
    host.commentary = "打ちかけ";  // typed for move 4 and not stored yet
    state.LastStopMove = 0;
    engine.relayoutRedraw();
    EXPECT_FALSE(engine.redrawPaused());
    EXPECT_EQ(state.MoveCount, 4);
    EXPECT_EQ(stonesOnBoard(), 4);
    EXPECT_EQ(host.commentary, "打ちかけ");
    engine.IshiUtu(10, 10);
    EXPECT_EQ(state.MoveCount, 5) << "clicks are taken";
    EXPECT_EQ(state.MoveComment[4], "打ちかけ");
}

TEST_F(ViewerStops, ARotationShowsTheLastMoveWithoutStopping) {
    viewer.atBranch = true;
    viewer.atComment = true;
    engine.Gkaiten_Click();
    EXPECT_FALSE(engine.redrawPaused());
    EXPECT_EQ(state.MoveCount, 4);
    EXPECT_EQ(stonesOnBoard(), 4);
    EXPECT_FALSE(host.running);
    EXPECT_TRUE(viewer.branchesShown.empty());
}

// ---------------------------------------------------------------- rotation

TEST_F(Navigation, RotationTurnsTheRecordAndShowsTheLastMove) {
    record(1, 3, 4, kBlack);
    record(2, 5, 6, kWhite);
    record(3, 20, 20, kBlack);  // a pass stays a pass
    state.MoveCount = 1;
    engine.Redraw(1, 1);
    engine.Gkaiten_Click();
    EXPECT_TRUE(state.BoardRotated);
    EXPECT_EQ(state.MoveCol[1], 17);
    EXPECT_EQ(state.MoveRow[1], 16);
    EXPECT_EQ(state.MoveCol[2], 15);
    EXPECT_EQ(state.MoveRow[2], 14);
    EXPECT_EQ(state.MoveCol[3], 20);
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(state.BoardGrid[17][16], kBlack + 1);
    EXPECT_GE(host.relayouts, 1);
    engine.Gkaiten_Click();
    EXPECT_FALSE(state.BoardRotated);
    EXPECT_EQ(state.MoveCol[1], 3);
    EXPECT_EQ(state.MoveRow[1], 4);
}

TEST_F(Navigation, RotationOnNineLinesUsesTheSelectedSize) {
    useSize(9);
    record(1, 3, 4, kBlack);
    state.MoveCount = 1;
    engine.Gkaiten_Click();
    EXPECT_EQ(state.MoveCol[1], 7);
    EXPECT_EQ(state.MoveRow[1], 6);
}

}  // namespace
}  // namespace kelmaz::test
