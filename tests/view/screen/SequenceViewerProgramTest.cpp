#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "engine/Engine.h"
#include "records/ui/FomFile.h"
#include "records/ui/fomSgf.h"
#include "shell/ui/FomSet.h"
#include "support/FireTimer.h"
#include "support/ProgramFixture.h"
#include "support/TopLevel.h"
#include "tree/OutlineLines.h"
#include "tree/SequencePaths.h"
#include "tree/ui/FomNode.h"

namespace kelmaz {
namespace {

// The viewer inside the running program: its menu item, the speed bar it shares with the
// settings window, the file window's hook, clearing the board and closing the program.
class SequenceViewerInProgram : public test::ProgramFixture {
  protected:
    QAction* menuItem() { return main().findChild<QAction*>("mSgfViewer"); }
    fomSgf& viewer() { return program().sequenceViewer(); }
    // The record and outline as an SGF file read leaves them, announced by the file window.
    void readBranchingTree() {
        program().engine().gCls();
        program().record().takeSgf(test::kBranchingTreeSgf);
        state().BranchMoves.fill(0);
        state().ViewerState = ViewerState::NoStops;
        program().engine().Redraw(1, state().lastMoveInRecord());
        state().ViewerState = ViewerState::Idle;
        program().recordFileRead();
    }
};

TEST_F(SequenceViewerInProgram, TheOptionMenuShowsTheViewerBesideTheBoard) {
    start();
    readBranchingTree();
    ASSERT_NE(menuItem(), nullptr);
    EXPECT_EQ(menuItem()->text(), QStringLiteral("SGF手順ﾋﾞｭｱｰ"));
    menuItem()->trigger();
    EXPECT_TRUE(viewer().isVisible());
    EXPECT_TRUE(menuItem()->isChecked());
    EXPECT_GE(viewer().x(), main().frameGeometry().right());
    EXPECT_NE(viewer().branchButton(5), nullptr);

    viewer().Command2->click();
    EXPECT_FALSE(menuItem()->isChecked());
    menuItem()->trigger();
    menuItem()->trigger();
    EXPECT_FALSE(viewer().isVisible());
}

TEST_F(SequenceViewerInProgram, AReadThroughTheFileWindowReachesTheViewer) {
    start();
    const auto path = dir_.file("branches.sgf");
    test::writeBytes(path, "(;GM[1]SZ[19];B[pd];W[dp](;B[pq];W[qq])(;B[qp]))");
    program().showFileWindow();
    FomFile* file = test::topLevel<FomFile>();
    ASSERT_NE(file, nullptr);
    file->Txtfile->setText(QString::fromStdString(path.string()));
    file->CmdRead_Click();
    EXPECT_EQ(state().MoveCount, 4);
    menuItem()->trigger();
    EXPECT_NE(viewer().branchButton(1), nullptr);
    EXPECT_NE(viewer().branchButton(2), nullptr);
}

TEST_F(SequenceViewerInProgram, WithTheTreeWindowShownTheViewerStandsRightOfIt) {
    start();
    readBranchingTree();
    program().showTreeWindow();
    menuItem()->trigger();
    const QRect tree = program().treeWindow().frameGeometry();
    EXPECT_GT(viewer().x(), tree.right());
    program().closeTreeWindow();
    EXPECT_LT(viewer().x(), tree.left() + 40);  // back beside the main window
    program().showTreeWindow();
    EXPECT_GT(viewer().x(), program().treeWindow().frameGeometry().right());
}

TEST_F(SequenceViewerInProgram, BothSideWindowsFollowTheMainWindowInOrder) {
    start();
    readBranchingTree();
    program().showTreeWindow();
    menuItem()->trigger();
    FomNode& tree = program().treeWindow();
    auto inOrder = [&] {
        return tree.pos().x() == main().frameGeometry().right() + 1 &&
               tree.pos().y() == main().frameGeometry().top() &&
               viewer().x() > tree.frameGeometry().right();
    };
    main().move(main().x() + 40, main().y() + 30);
    ASSERT_TRUE(QTest::qWaitFor(inOrder, 5000)) << tree.pos().x() << " " << viewer().x();
    main().resize(main().width() + 60, main().height());
    ASSERT_TRUE(QTest::qWaitFor(inOrder, 5000)) << tree.pos().x() << " " << viewer().x();
    EXPECT_EQ(tree.height(), main().height());
}

TEST_F(SequenceViewerInProgram, BothSpeedBarsMoveTogether) {
    start();
    FomSet& set = program().fomSet();
    viewer().HScroll1->setValue(1500);
    EXPECT_EQ(set.speedValue(), 1500);
    EXPECT_EQ(set.speedCaption(), QStringLiteral("1.5"));
    set.setSpeedValue(2300);
    EXPECT_EQ(viewer().interval(), 2300);
    EXPECT_EQ(viewer().Text2->text(), QStringLiteral("2.3"));
}

TEST_F(SequenceViewerInProgram, ClearingTheBoardUnloadsTheViewer) {
    start();
    readBranchingTree();
    menuItem()->trigger();
    viewer().CheckBunki->setChecked(true);
    main().findChild<QAction*>("mcls")->trigger();
    EXPECT_FALSE(viewer().isVisible());
    EXPECT_FALSE(menuItem()->isChecked());
    EXPECT_FALSE(viewer().CheckBunki->isChecked());
    EXPECT_EQ(viewer().branchButton(1), nullptr);
}

TEST_F(SequenceViewerInProgram, ClosingTheMainWindowEndsACommentWait) {
    start();
    readBranchingTree();
    menuItem()->trigger();
    viewer().CheckKaisetu->setChecked(true);
    viewer().cmdSaigen->click();
    for (int tick = 0; tick < 10 && !state().CommentPause; ++tick)
        ASSERT_TRUE(test::fire(main().replayTimer()));
    ASSERT_TRUE(state().CommentPause);
    EXPECT_TRUE(program().engine().redrawPaused());
    main().close();
    EXPECT_FALSE(program().engine().redrawPaused());
    EXPECT_FALSE(state().CommentPause);
    EXPECT_FALSE(viewer().isVisible());
}

}  // namespace
}  // namespace kelmaz
