// Every window the program shows names each of its controls, in Japanese, for screen readers.
#include <QAbstractButton>
#include <QApplication>

#include "support/AccessibleNames.h"
#include "support/LoopbackPort.h"
#include "support/ProgramFixture.h"

namespace kelmaz {
namespace {

using AccessibleNames = test::ProgramFixture;

TEST_F(AccessibleNames, EveryControlOfEveryWindowHasANameAndTabReachesIt) {
    test::LoopbackPort port;
    writeIni("Port," + std::to_string(port.number()) + "\n");
    port.release();
    start();
    program().showSettingsWindow();
    program().showFileWindow();
    program().showGameInfoWindow();
    program().showTreeWindow();
    program().showSequenceViewer(true);
    program().showNetWindow();
    program().showHelp();
    QStringList unnamed, skipped;
    int windows = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip) continue;
        ++windows;
        unnamed << test::unnamedControls(*window);
        skipped << test::controlsTabSkips(*window);
    }
    EXPECT_GE(windows, 8);
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(skipped.isEmpty()) << "Tab skips:\n"
                                   << skipped.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
}  // namespace kelmaz
