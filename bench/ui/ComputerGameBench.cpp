// A 9-line game against an engine process (GNU Go at level 1 when installed, else the tests'
// scripted engine): the window must never hold up the event loop while the engine thinks.
// A 1 ms timer runs through the game; the counter is the longest gap between its ticks.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

#include "app/Program.h"
#include "engine/Engine.h"
#include "gtp/GtpCommand.h"
#include "gtp/ui/FomGtp.h"
#include "shell/ui/FomSet.h"

namespace kelmaz::bench {
namespace {

// Runs the event loop until `done` holds or `limitMs` passed.
template <typename Done>
bool runUntil(Done done, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

QString engineCommand() {
    const char* path = std::getenv("PATH");
    const std::string found = defaultGtpCommand(path ? path : "");
    if (found.rfind("gnugo ", 0) != 0)
        return QString::fromStdString(found.substr(0, found.find(' ')) + " --mode gtp --level 1");
    // The scripted engine answers down the left columns while the user plays on the right.
    QString moves;
    for (const char* column : {"A", "B", "C"})
        for (int row = 1; row <= 9; ++row) moves += QStringLiteral("%1%2,").arg(column).arg(row);
    return QStringLiteral(KELMAZ_FAKE_GTP " --moves ") + moves;
}

// A notice means the game went wrong: the measurement stops there.
class StopOnNotice : public UserDialogs {
  public:
    bool ask(const QString&, const QString&) override { return true; }
    void inform(const QString&, const QString& text) override { qFatal("%s", qPrintable(text)); }
};

void BM_ComputerGameLongestEventLoopBlock(benchmark::State& st) {
    StopOnNotice stopOnNotice;
    const int userMoves = static_cast<int>(st.range(0));
    const QString command = engineCommand();
    double longestMs = 0;
    for (auto _ : st) {
        Program program;
        program.StartupMain();
        program.showGtpWindow();
        FomGtp& window = *program.fomGtp();
        window.setDialogs(stopOnNotice);
        window.findChild<QLineEdit*>("TxtCommand")->setText(command);
        window.findChild<QButtonGroup*>("OptSize")->button(2)->click();
        // The board has 9 lines already: the game is measured, not the change of board size.
        program.fomSet().Option1_Click(2);

        QElapsedTimer sinceTick;
        double longest = 0;
        QTimer ticker;
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longest = std::max(longest, sinceTick.nsecsElapsed() / 1e6);
            sinceTick.restart();
        });
        sinceTick.start();
        ticker.start();

        window.findChild<QAbstractButton*>("CmdStart")->click();
        runUntil([&] { return window.playing() && !window.thinking(); }, 30'000);
        GameState& state = program.state();
        int placed = 0;
        for (int col = 9; col >= 6 && placed < userMoves; --col) {
            for (int row = 1; row <= 9 && placed < userMoves; ++row) {
                if (state.BoardGrid[col][row] != 0) continue;
                const int before = state.MoveCount;
                program.engine().IshiUtu(col, row);
                if (state.MoveCount == before) continue;
                ++placed;
                if (!runUntil([&] { return !window.thinking(); }, 30'000)) {
                    st.SkipWithError("the engine did not answer");
                    return;
                }
            }
        }
        window.CmdStop_Click();
        ticker.stop();
        longestMs = std::max(longestMs, longest);
        st.counters["moves"] = state.MoveCount;
    }
    st.counters["longest_block_ms"] = longestMs;
}
BENCHMARK(BM_ComputerGameLongestEventLoopBlock)
    ->Arg(20)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace kelmaz::bench
