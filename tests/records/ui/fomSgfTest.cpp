#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>

#include "engine/Engine.h"
#include "intake/RecordFormat.h"
#include "records/ui/fomSgf.h"
#include "support/EngineOnFakeHost.h"
#include "support/TestSupport.h"
#include "tree/OutlineLines.h"

namespace kelmaz {
namespace {

using Colour = fomSgf::LabelColour;

// The viewer over a real engine; the board window is a fake whose replay timer the test
// drives tick by tick.
class ViewerTest : public ::testing::Test, protected test::EngineOnFakeHost {
  protected:
    ViewerTest() { engine.setViewer(&viewer.link()); }
    // Loads the main line as a file read leaves it: the record at its end.
    void loadMainLine(const std::string& sgf = test::kBranchingTreeSgf) {
        record.takeSgf(sgf);
        state.ViewerState = ViewerState::NoStops;
        engine.Redraw(1, state.lastMoveInRecord());
        state.ViewerState = ViewerState::Idle;
        viewer.recordRead();
        viewer.showViewer();
    }
    // Runs the replay until it stops by itself, at most `limit` ticks.
    void runReplay(int limit = 20) {
        for (int i = 0; i < limit && host.running && !state.CommentPause; ++i) engine.replayTick();
    }
    int stoneAt(int col, int row) const { return state.BoardGrid[col][row]; }

    fomSgf viewer{state, engine, host};
};

TEST_F(ViewerTest, TheStopBoxesExcludeEachOther) {
    viewer.CheckKaisetu->click();
    viewer.CheckBunki->click();
    EXPECT_TRUE(viewer.CheckBunki->isChecked());
    EXPECT_FALSE(viewer.CheckKaisetu->isChecked());
    viewer.CheckKaisetu->click();
    EXPECT_TRUE(viewer.CheckKaisetu->isChecked());
    EXPECT_FALSE(viewer.CheckBunki->isChecked());
    EXPECT_TRUE(viewer.link().stopAtComment());
}

TEST_F(ViewerTest, TheIntervalShowsInSecondsAndTellsTheSettingsDialog) {
    QSignalSpy spy(&viewer, &fomSgf::intervalChanged);
    viewer.HScroll1->setValue(1500);
    EXPECT_EQ(viewer.Text2->text(), QStringLiteral("1.5"));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 1500);
    viewer.setInterval(viewer.HScroll1->minimum());
    EXPECT_EQ(viewer.Text2->text(), QStringLiteral("0.1"));
    viewer.setInterval(viewer.HScroll1->maximum());
    EXPECT_EQ(viewer.Text2->text(), QStringLiteral("20"));
}

TEST_F(ViewerTest, ReadNodeLaysOutOneButtonPerBranchTenARow) {
    loadMainLine();
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("SGF手順ﾋﾞｭｱｰ"));
    ASSERT_NE(viewer.branchButton(5), nullptr);
    EXPECT_EQ(viewer.branchButton(6), nullptr);
    EXPECT_EQ(viewer.branchButton(3)->text(), QStringLiteral("3"));
    // Branches 1..9 share the first row, each one column further right.
    EXPECT_EQ(viewer.branchButton(1)->y(), viewer.branchButton(5)->y());
    EXPECT_LT(viewer.branchButton(1)->x(), viewer.branchButton(2)->x());
    EXPECT_EQ(viewer.labelColour(1), Colour::Normal);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_TRUE(viewer.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(ViewerTest, HundredsOfVariationsKeepTheWindowUsable) {
    std::string sgf = "(;B[aa]";
    for (int k = 2; k <= 300; ++k) sgf += k % 2 ? "(;W[bb])" : "(;W[cc])";
    loadMainLine(sgf + ")");
    ASSERT_NE(viewer.branchButton(300), nullptr);
    auto* grid = viewer.findChild<QScrollArea*>();
    ASSERT_NE(grid, nullptr);
    EXPECT_LT(grid->height(), grid->widget()->height());
    EXPECT_GT(grid->verticalScrollBar()->maximum(), 0);

    viewer.CmdNode_Click(300);
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_EQ(stoneAt(3, 3), 8);
}

TEST_F(ViewerTest, ABranchButtonReplaysThePathToTheBranch) {
    loadMainLine();
    viewer.CmdNode_Click(4);
    // (1) aa bb cc dd, then branch 4's ff is the fifth move.
    EXPECT_EQ(state.MoveCount, 5);
    EXPECT_EQ(stoneAt(6, 6), 1);
    EXPECT_EQ(stoneAt(5, 5), 0);
    EXPECT_EQ(state.ViewerState, ViewerState::OnBranchPath);
    EXPECT_FALSE(viewer.Cmdnext->isEnabled());
    EXPECT_EQ(host.commentary, "alt");
    EXPECT_TRUE(viewer.CmdHonpu->isEnabled());

    viewer.CmdNode_Click(5);
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(stoneAt(7, 7), 1);
    EXPECT_EQ(stoneAt(3, 3), 0);
    EXPECT_TRUE(viewer.Cmdnext->isEnabled());
    viewer.Cmdnext->click();
    EXPECT_EQ(state.MoveCount, 4);
    EXPECT_EQ(stoneAt(8, 8), 8);
    EXPECT_FALSE(viewer.Cmdnext->isEnabled());
}

TEST_F(ViewerTest, GetPathWithZeroReturnsToTheMainLineWhereItWasLeft) {
    loadMainLine();
    engine.Redraw(1, 3);
    viewer.GetPath(4);
    viewer.Cmdnext_Click();  // nothing follows ff
    viewer.GetPath(3);       // a second branch does not move the point of return
    viewer.GetPath(0);
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(stoneAt(3, 3), 1);
    EXPECT_EQ(stoneAt(6, 6), 0);
    EXPECT_EQ(state.MoveCol[5], 5);  // the main line's ee follows again
    EXPECT_TRUE(viewer.Cmdnext->isEnabled());
}

TEST_F(ViewerTest, HonpuGoesBackToTheMainLineWithNormalLabels) {
    loadMainLine();
    engine.Redraw(1, 3);
    viewer.link().showBranch(3);
    viewer.CmdNode_Click(5);
    viewer.CmdHonpu->click();
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(stoneAt(3, 3), 1);
    EXPECT_EQ(stoneAt(7, 7), 0);
    EXPECT_EQ(state.ViewerState, ViewerState::Idle);
    EXPECT_FALSE(viewer.CmdHonpu->isEnabled());
    EXPECT_TRUE(host.replayButtonEnabled);
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(viewer.labelColour(k), Colour::Normal);
}

TEST_F(ViewerTest, ChosenBranchIsHighlightedAndTheOtherOfferedOneMarked) {
    loadMainLine();
    viewer.link().showBranch(3);
    EXPECT_EQ(viewer.labelColour(2), Colour::Highlighted);
    EXPECT_EQ(viewer.labelColour(5), Colour::Highlighted);
    EXPECT_EQ(viewer.labelColour(3), Colour::Normal);
    viewer.CmdNode_Click(5);
    EXPECT_EQ(viewer.labelColour(5), Colour::Highlighted);
    EXPECT_EQ(viewer.labelColour(2), Colour::Marked);
    // A branch that was never offered keeps its colour.
    viewer.CmdNode_Click(3);
    EXPECT_EQ(viewer.labelColour(3), Colour::Normal);
    EXPECT_EQ(viewer.labelColour(5), Colour::Marked);
}

TEST_F(ViewerTest, TheReplayStopsAtTheBranchAndGoesOnWithSaigen) {
    loadMainLine();
    viewer.CheckBunki->setChecked(true);
    viewer.cmdSaigen->click();  // at the end: starts again from the empty board
    EXPECT_TRUE(host.running);
    EXPECT_EQ(viewer.cmdSaigen->text(), QStringLiteral("停止"));
    runReplay();
    EXPECT_FALSE(host.running);
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(viewer.cmdSaigen->text(), QStringLiteral("再現"));
    EXPECT_EQ(viewer.labelColour(2), Colour::Highlighted);
    EXPECT_EQ(viewer.labelColour(5), Colour::Highlighted);

    viewer.cmdSaigen->click();
    EXPECT_TRUE(host.running);
    runReplay();
    // The second branch point, move 5, stops the replay too.
    EXPECT_EQ(state.MoveCount, 5);
    EXPECT_FALSE(host.running);
    EXPECT_EQ(viewer.labelColour(3), Colour::Highlighted);
    EXPECT_EQ(viewer.labelColour(2), Colour::Marked);
}

TEST_F(ViewerTest, ReplayingAgainFromTheEndStopsAtTheFirstBranchAgain) {
    loadMainLine();
    state.LastStopMove = 5;  // left by an earlier replay while the viewer was hidden
    viewer.CheckBunki->setChecked(true);
    viewer.cmdSaigen->click();
    runReplay();
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_FALSE(host.running);
}

// The "CheckTimer" box shows that the replay was stopped at a branch and "本譜" starts it again;
// the user may tick or clear it too.
TEST_F(ViewerTest, HonpuAfterABranchStopStartsTheReplayAgain) {
    loadMainLine();
    ASSERT_TRUE(viewer.Check1->isVisible());
    EXPECT_EQ(viewer.Check1->text(), QStringLiteral("CheckTimer"));
    EXPECT_FALSE(viewer.Check1->isChecked());
    // Laid out with the two stop boxes, after them.
    EXPECT_EQ(viewer.Check1->y(), viewer.CheckBunki->y());
    EXPECT_GT(viewer.Check1->x(), viewer.CheckBunki->x() + viewer.CheckBunki->width() - 1);
    viewer.CheckBunki->setChecked(true);
    viewer.cmdSaigen->click();
    runReplay();
    ASSERT_EQ(state.MoveCount, 3);
    EXPECT_TRUE(viewer.Check1->isChecked());
    viewer.CmdNode_Click(5);
    viewer.CmdHonpu_Click();
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_TRUE(host.running);
    EXPECT_FALSE(viewer.Check1->isChecked());
    EXPECT_EQ(viewer.cmdSaigen->text(), QStringLiteral("停止"));

    // Cleared by the user, the box keeps 本譜 from starting the replay.
    host.running = false;
    viewer.cmdSaigen->click();
    runReplay();
    ASSERT_TRUE(viewer.Check1->isChecked());
    viewer.Check1->click();
    viewer.CmdHonpu_Click();
    EXPECT_FALSE(host.running);
}

TEST_F(ViewerTest, ClearingTheBoardEndsTheWaitAndUnloadsTheViewer) {
    loadMainLine();
    viewer.CheckKaisetu->setChecked(true);
    viewer.cmdSaigen->click();
    runReplay();
    ASSERT_TRUE(engine.redrawPaused());
    engine.gCls();
    EXPECT_FALSE(engine.redrawPaused());
    EXPECT_FALSE(state.CommentPause);
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_FALSE(viewer.CheckKaisetu->isChecked());
    EXPECT_EQ(viewer.branchButton(1), nullptr);
    EXPECT_FALSE(viewer.link().exists());
}

TEST_F(ViewerTest, AfterClearingTheBoardTheLastFilesBranchesAreGone) {
    loadMainLine();
    engine.gCls();
    viewer.showViewer();
    EXPECT_EQ(viewer.branchButton(1), nullptr);
    viewer.CmdHonpu_Click();
    viewer.GetPath(0);
    EXPECT_EQ(state.MoveCount, 0);
    EXPECT_FALSE(state.hasMove(1));
}

TEST_F(ViewerTest, ABranchButtonDuringACommentWaitEndsTheWait) {
    loadMainLine();
    viewer.CheckKaisetu->setChecked(true);
    viewer.cmdSaigen->click();
    runReplay();
    ASSERT_TRUE(engine.redrawPaused());
    viewer.CmdNode_Click(5);
    EXPECT_FALSE(engine.redrawPaused());
    EXPECT_FALSE(host.running);
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(stoneAt(7, 7), 1);
    EXPECT_EQ(viewer.cmdSaigen->text(), QStringLiteral("再現"));
}

TEST_F(ViewerTest, ClosingOnlyHidesTheViewer) {
    loadMainLine();
    QSignalSpy shown(&viewer, &fomSgf::shownChanged);
    EXPECT_FALSE(viewer.close());
    EXPECT_FALSE(viewer.isVisible());
    ASSERT_EQ(shown.count(), 1);
    EXPECT_FALSE(shown.at(0).at(0).toBool());
    EXPECT_NE(viewer.branchButton(1), nullptr);
    viewer.showViewer();
    viewer.Command2->click();
    EXPECT_FALSE(viewer.isVisible());
}

TEST_F(ViewerTest, TooDeepANestingIsNamedInTheWindow) {
    loadMainLine(test::nestedVariations(32));
    EXPECT_FALSE(viewer.LblNotice->isHidden());
    EXPECT_TRUE(viewer.LblNotice->text().contains(QStringLiteral("表示できません")));
    EXPECT_NE(viewer.branchButton(31), nullptr);
    EXPECT_EQ(viewer.branchButton(32), nullptr);
}

}  // namespace
}  // namespace kelmaz
