// The match window inside two running programs: the menu opens it, the main window's buttons
// follow the match, a handicap chosen in the settings dialog and a stone placed on the board
// reach the other program, and chat lands in the commentary box.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include "app/Program.h"
#include "engine/Engine.h"
#include "net/ui/FomSock.h"
#include "shell/ui/FomSet.h"
#include "support/ConfigDirGuard.h"
#include "support/FakeDialogs.h"
#include "support/LoopbackPort.h"
#include "support/TestSupport.h"
#include "support/WaitFor.h"
#include "view/ui/FomMain.h"

namespace kelmaz {
namespace {

bool boardButtonsEnabled(Program& program) {
    return program.fomMain().findChild<QToolButton*>("Command1")->isEnabled();
}

// The match window opens right of the main window; where that would put it off the screen, it
// is brought onto the screen instead.
TEST(ProgramMatchTest, TheMatchWindowOpensOnTheScreen) {
    test::TempDir config;
    test::ConfigDirGuard guard(config.path());
    {
        Program program;
        program.StartupMain();
        FomMain& main = program.fomMain();
        const QRect screen = main.screen()->availableGeometry();
        main.move(screen.right() - main.frameGeometry().width() + 1, screen.top());
        program.showNetWindow();
        const QRect match = program.fomSock()->frameGeometry();
        EXPECT_TRUE(screen.contains(QRect(match.topLeft(), QSize(100, 100))))
            << match.x() << "," << match.y() << " on " << screen.width() << "x" << screen.height();
    }
}

TEST(ProgramMatchTest, TwoProgramsPlay) {
    test::TempDir config;
    test::ConfigDirGuard guard(config.path());
    {
        test::FakeDialogs dialogs;  // every question is answered yes
        Program a, b;
        a.StartupMain();
        b.StartupMain();
        test::LoopbackPort portA, portB;
        a.settings().write("Port", std::to_string(portA.number()));
        b.settings().write("Port", std::to_string(portB.number()));
        b.settings().write("Tcpip", "127.0.0.1:" + std::to_string(portA.number()));
        portA.release();
        portB.release();
        a.showNetWindow();
        b.showNetWindow();
        FomSock& sockA = *a.fomSock();
        FomSock& sockB = *b.fomSock();
        EXPECT_EQ(sockA.x(), a.fomMain().frameGeometry().x() + a.fomMain().frameGeometry().width());
        for (FomSock* sock : {&sockA, &sockB}) sock->setDialogs(dialogs);

        sockB.findChild<QPushButton*>("Cmdconnect")->click();
        ASSERT_TRUE(
            test::waitFor([&] { return a.state().NetMatchActive && b.state().NetMatchActive; }));
        EXPECT_FALSE(boardButtonsEnabled(a));
        EXPECT_FALSE(boardButtonsEnabled(b));

        b.fomSet().Option6_Click(2);  // three stones on B, announced to A
        ASSERT_TRUE(test::waitFor([&] { return a.state().MoveCount == 3; }));
        EXPECT_EQ(a.state().NetMyColour, kWhite);
        EXPECT_EQ(a.state().BoardGrid[4][4], kBlack + 1);
        a.engine().IshiUtu(16, 16);
        ASSERT_TRUE(test::waitFor([&] { return b.state().MoveCount == 4; }));
        EXPECT_EQ(b.state().BoardGrid[4][4], kWhite + 1);

        sockB.findChild<QLineEdit*>("Text2")->setText("お願いします");
        sockB.findChild<QPushButton*>("Command4")->click();
        auto* commentary = a.fomMain().findChild<QPlainTextEdit*>("TxtKaisetu");
        ASSERT_TRUE(test::waitFor([&] { return commentary->toPlainText() == "お願いします"; }));

        sockA.findChild<QPushButton*>("Command6")->click();
        EXPECT_TRUE(boardButtonsEnabled(a));
        ASSERT_TRUE(test::waitFor([&] { return !b.state().NetMatchActive; }));
        EXPECT_TRUE(boardButtonsEnabled(b));
    }
}

}  // namespace
}  // namespace kelmaz
