// A game against the real GNU Go on 9 lines at its lowest level, and kelmaz-cli score against
// GNU Go's own final_score. Without gnugo installed the test says so and is skipped, except
// where the environment variable CI is set: the CI set-up installs gnugo, and a machine that
// lost it must not pass silently.
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "app/RecordIntake.h"
#include "gtp/GtpCommand.h"
#include "gtp/GtpGame.h"
#include "gtp/ui/GtpWindowSupport.h"

namespace kelmaz {
namespace {

using test::waitFor;

class GnuGoGame : public test::GtpWindowTest {};

// What the engine itself answers to final_score for the whole record.
std::string gnugoFinalScore(const std::string& gnugo, const std::string& record) {
    const std::string command =
        "printf 'loadsgf %s\\nfinal_score\\nquit\\n' '" + record + "' | '" + gnugo + "' --mode gtp";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    ::pclose(pipe);
    // "= black\n\n= W+7.5\n\n=\n\n": the second reply.
    const std::size_t first = output.find("\n\n");
    if (first == std::string::npos || output.compare(first + 2, 2, "= ") != 0) return output;
    return output.substr(first + 4, output.find('\n', first + 4) - first - 4);
}

TEST_F(GnuGoGame, PlaysTakesBackPassesScoresAndTheToolAgrees) {
    const char* path = std::getenv("PATH");
    const std::string found = defaultGtpCommand(path ? path : "");
    if (found.rfind("gnugo ", 0) == 0) {
        if (std::getenv("CI") != nullptr) FAIL() << "gnugo is not installed on this CI machine";
        std::cout << "*** gnugo is not installed (neither on PATH nor in /usr/games): the game "
                     "against GNU Go is not tested ***"
                  << std::endl;
        GTEST_SKIP() << "gnugo is not installed";
    }
    const std::string gnugo = found.substr(0, found.find(' '));

    // A few moves each, then a take-back of the engine's answer and my move.
    open(QString::fromStdString(gnugo + " --mode gtp --level 1"));
    window().setReplyLimitMs(30'000);
    startGame();
    const std::vector<std::pair<int, int>> mine = {{3, 3}, {7, 7}, {3, 7}, {7, 3},
                                                   {5, 3}, {3, 5}, {7, 5}, {5, 7}};
    int played = 0;
    for (const auto& [col, row] : mine) {
        if (played == 3) break;
        if (stoneAt(col, row) != 0) continue;
        clickPoint(col, row);
        ++played;
        ASSERT_TRUE(waitFor([&] { return state().MoveCount == 2 * played && !window().thinking(); },
                            30'000))
            << window().logLines().join("\n").toStdString();
    }
    ASSERT_EQ(played, 3);
    press("CmdMatta");
    ASSERT_TRUE(waitFor([&] { return state().MoveCount == 4 && !window().thinking(); }, 30'000));
    EXPECT_TRUE(window().playing());
    press("CmdScore");
    ASSERT_TRUE(waitFor([&] { return logHas("形勢判断:"); }, 30'000));
    press("CmdStop");
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();

    // A finished game from its position: passes until the engine passes too.
    const std::string record = test::dataFile("records/small_boards/gnugo__cgos__42896.sgf");
    readRecordFileIntoBoard(program(), QString::fromStdString(record));
    ASSERT_EQ(state().BoardSize, 9);
    window().findChild<QButtonGroup*>("OptFrom")->button(1)->click();
    const int toPlay = colourToPlay(state());
    window().findChild<QButtonGroup*>("OptColour")->button(toPlay == kWhite ? 1 : 0)->click();
    startGame();
    for (int turn = 0; turn < 20 && window().playing(); ++turn) {
        press("CmdPass");
        ASSERT_TRUE(waitFor([&] { return !window().playing() || !window().thinking(); }, 30'000));
    }
    ASSERT_FALSE(window().playing()) << window().logLines().join("\n").toStdString();
    const std::string re = state().Info[InfoField::RE];
    EXPECT_TRUE(validScore(re)) << re;
    EXPECT_TRUE(logHas("終局"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();

    // The tool's score of the whole record is the engine's own.
    test::TempDir dir;
    const auto out = dir.file("out.txt");
    const std::string cli = KELMAZ_CLI;
    const std::string command = "'" + cli + "' score '" + record + "' --engine '" + gnugo +
                                " --mode gtp --level 1' > '" + out.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string tool = test::readBytes(out);
    const std::string own = gnugoFinalScore(gnugo, record);
    ASSERT_TRUE(validScore(own)) << own;
    EXPECT_EQ(tool.substr(0, tool.find('\n')), own);
}

}  // namespace
}  // namespace kelmaz
