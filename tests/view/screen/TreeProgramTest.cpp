#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include "app/Program.h"
#include "engine/Engine.h"
#include "intake/RecordFormat.h"
#include "support/ConfigDirGuard.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"
#include "tree/ui/FomNode.h"
#include "tree/ui/PicNode.h"
#include "view/ui/FomMain.h"

namespace kelmaz {
namespace {

// The tree window stands right of the main window with the same top and height, whatever
// size was stored for it: a size larger than the screen is brought down to the screen.
TEST(TreeInTheProgram, TheWindowSharesTheMainWindowsTopAndHeightAndFitsTheScreen) {
    test::TempDir dir;
    test::ConfigDirGuard guard(dir.path());
    test::writeBytes(dir.file("kelmaz.ini"),
                     "nWidth,999999999\nnHeight,999999999\nnTop,-999999999\n");
    {
        Program program;
        program.StartupMain();
        FomMain& main = program.fomMain();
        main.move(40, 60);
        FomNode& tree = program.treeWindow();
        tree.toggleTreeView();
        ASSERT_TRUE(tree.isVisible());
        const QRect screen = main.screen()->availableGeometry();
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return tree.geometry().top() == main.geometry().top() &&
                       tree.frameGeometry().top() == main.frameGeometry().top() &&
                       tree.height() == main.height();
            },
            2000))
            << tree.geometry().top() << " " << main.geometry().top() << " "
            << tree.frameGeometry().top() << " " << main.frameGeometry().top() << " "
            << tree.height() << " " << main.height();
        EXPECT_EQ(tree.pos().x(), main.frameGeometry().right() + 1);
        EXPECT_LE(tree.width(), screen.width());
        EXPECT_TRUE(screen.intersects(tree.frameGeometry()));

        main.move(80, 120);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return tree.frameGeometry().top() == main.frameGeometry().top() &&
                       tree.pos().x() == main.frameGeometry().right() + 1;
            },
            2000));
    }
}

TEST(TreeInTheProgram, ACommentedGameOpensBesideTheBoardAndTakesANewVariation) {
    test::FakeDialogs yes;
    Program program;
    program.StartupMain();
    FomNode& tree = program.treeWindow();
    tree.setDialogs(yes);
    GameState& s = program.state();
    program.fomMain().resize(620, 700);

    const std::string path =
        (test::dataFile("records/games_commented/littlego__Famous_games__Blood-vomiting_game.sgf"))
            .string();
    program.readRecordFile(QString::fromStdString(path));

    ASSERT_TRUE(tree.isVisible());
    EXPECT_TRUE(program.treeWindowVisible());
    auto* menuItem = program.fomMain().findChild<QAction*>("mSGF");
    ASSERT_NE(menuItem, nullptr);
    EXPECT_TRUE(menuItem->isChecked());
    EXPECT_EQ(s.Info[InfoField::PW], "Honinbo Jowa");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return tree.pos().x() == program.fomMain().frameGeometry().right() + 1; }, 5000))
        << tree.pos().x();

    // Step to the 12th move through the tree (the introduction is the node before move 1)
    // and record another answer there.
    const TreeModel& m = tree.session().model();
    tree.PicNode_MouseDown(m.nodeX(1, 1), m.nodeY(1));
    EXPECT_EQ(s.MoveCount, 0);
    EXPECT_TRUE(tree.TxtComment->toPlainText().startsWith(
        QStringLiteral("This is the most famous game in Japanese Go History")));
    EXPECT_EQ(tree.Text2->text(), "0") << "the introduction is node 0";
    tree.PicNode_MouseDown(m.nodeX(1, 13), m.nodeY(1));
    ASSERT_EQ(s.MoveCount, 12);
    EXPECT_EQ(tree.Text2->text(), "12") << "node n of the main line is move n";
    EXPECT_FALSE(tree.TxtComment->toPlainText().isEmpty());
    // Back at move 0 the selection and the comment follow to the introduction.
    program.engine().firstMove();
    EXPECT_EQ(tree.session().SelNodeNo, 1);
    EXPECT_TRUE(tree.TxtComment->toPlainText().startsWith(QStringLiteral("This is the most")));
    tree.Text2->setText("12");
    tree.Command2_Click();
    EXPECT_EQ(tree.session().SelNodeNo, 13);
    tree.PicNode_MouseDown(m.nodeX(1, 13), m.nodeY(1));
    const int branches = m.BranchCount;
    tree.CmdBstart->click();
    EXPECT_EQ(s.MoveCount, 11);
    program.engine().IshiUtu(10, 10);
    tree.TxtComment->setPlainText("天元");
    tree.CmdBend->click();
    EXPECT_EQ(m.BranchCount, branches + 1);
    EXPECT_NE(s.SgfText.find(";W[jj]C[天元]"), std::string::npos);
    // The new branch's first node is scrolled into view.
    const int x = m.nodeX(tree.session().SelBranch, 1);
    EXPECT_GE(x, tree.picNode->offsetX());
    EXPECT_LE(x + 150, tree.picNode->offsetX() + tree.picNode->width() * 15);

    // Closing the tree window unchecks the menu item and keeps the tree.
    tree.close();
    EXPECT_FALSE(menuItem->isChecked());
    EXPECT_NE(s.SgfText.find(";W[jj]C[天元]"), std::string::npos);
    program.Pend();
}

}  // namespace
}  // namespace kelmaz
