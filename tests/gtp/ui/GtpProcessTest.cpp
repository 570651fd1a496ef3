// The engine process of the computer game.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "gtp/ui/GtpProcess.h"
#include "support/EngineFamily.h"

namespace kelmaz {
namespace {

// Neither the engine behind a wrapper script nor a process it started outlives the game, when
// the engine quits at the end of the game or goes with the program.
TEST(GtpProcess, TheEnginesWholeProcessGroupEndsWithTheGame) {
    for (const bool programEnds : {false, true}) {
        test::TempDir dir;
        test::EngineFamily family(dir);
        auto process = std::make_unique<GtpProcess>();
        ASSERT_TRUE(process->start(QString::fromStdString(family.command(""))));
        ASSERT_TRUE(QTest::qWaitFor([&] { return family.started(); }, 10000));
        if (programEnds)
            process.reset();
        else
            process->end("quit\n");
        EXPECT_TRUE(QTest::qWaitFor([&] { return family.allGone(); }, 5000)) << programEnds;
    }
}

}  // namespace
}  // namespace kelmaz
