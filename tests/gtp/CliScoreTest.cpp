// kelmaz-cli score: the engine's result and dead stones for a record's position.
#include <gtest/gtest.h>

#include "support/CliProcess.h"
#include "support/EngineFamily.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

class CliScore : public test::CliProcess {
  protected:
    test::TempDir dir;
    std::filesystem::path out = dir.file("out.txt");
    std::filesystem::path err = dir.file("err.txt");
    std::filesystem::path log = dir.file("engine.log");
    std::string record = test::dataFile("records/small_boards/gnugo__cgos__42896.sgf").string();

    int score(const std::string& extra, const std::string& engineArgs) {
        return run("score '" + record + "' " + extra + " --engine '" + KELMAZ_FAKE_GTP + " --log " +
                       log.string() + " " + engineArgs + "'",
                   out, err);
    }
};

TEST_F(CliScore, PrintsTheResultThenTheDeadStones) {
    EXPECT_EQ(score("", "--score W+12.5 --dead A1,J9"), 0);
    EXPECT_EQ(test::readBytes(out), "W+12.5\nA1 J9\n");
    const std::string sent = test::readBytes(log);
    // The whole record on 9 lines with the record's komi, then the questions.
    EXPECT_NE(sent.find("boardsize 9\n"), std::string::npos);
    EXPECT_NE(sent.find("komi 7.5\n"), std::string::npos);
    EXPECT_NE(sent.find("play B F5\n"), std::string::npos);
    EXPECT_NE(sent.find("final_status_list dead\n"), std::string::npos);
    EXPECT_NE(sent.find("quit\n"), std::string::npos);
}

TEST_F(CliScore, TheEstimateAsksForNoDeadStones) {
    EXPECT_EQ(score("--estimate", "--estimate W+36.5 --dead A1"), 0);
    EXPECT_EQ(test::readBytes(out), "W+36.5\n");
    const std::string sent = test::readBytes(log);
    EXPECT_NE(sent.find("estimate_score\n"), std::string::npos);
    EXPECT_EQ(sent.find("final_"), std::string::npos) << sent;
}

// A reply that never ends, however much the engine writes meanwhile, runs into the limit.
TEST_F(CliScore, TheLimitRunsFromTheCommandSent) {
    EXPECT_EQ(score("--limit 0.3", "--at final_score:1=trickle"), 3);
    EXPECT_NE(test::readBytes(err).find("時間内に応答しません"), std::string::npos);
}

// Neither the engine behind a wrapper script nor a process it started outlives the tool,
// whether the engine quits or is killed at the limit.
TEST_F(CliScore, TheEnginesWholeProcessGroupEndsWithTheTool) {
    for (const char* extra : {"", "--at final_score:1=hang"}) {
        test::TempDir scripts;
        test::EngineFamily family(scripts);
        const int status =
            run("score '" + record + "' --limit 0.5 --engine '" + family.command(extra) + "'", out,
                err);
        EXPECT_EQ(status, *extra ? 3 : 0) << test::readBytes(err);
        ASSERT_TRUE(family.started());
        EXPECT_TRUE(family.allGoneSoon()) << extra;
    }
}

TEST_F(CliScore, TheMoveOptionScoresAnEarlierPosition) {
    EXPECT_EQ(score("--move 2", "--score B+1"), 0);
    EXPECT_EQ(test::readBytes(out), "B+1\n");
    const std::string sent = test::readBytes(log);
    EXPECT_NE(sent.find("play W E5\n"), std::string::npos);
    EXPECT_EQ(sent.find("play B F6\n"), std::string::npos);  // move 3 is not on the board
}

TEST_F(CliScore, EngineFaultsAreMessagesWithExitStatusThree) {
    EXPECT_EQ(score("", "--at final_score:1=error"), 3);
    EXPECT_NE(test::readBytes(err).find("エラーを返しました (final_score)"), std::string::npos);
    EXPECT_EQ(score("", "--no-score"), 3);
    EXPECT_NE(test::readBytes(err).find("形勢判断ができません"), std::string::npos);
    EXPECT_EQ(score("", "--dead Z1"), 3);
    EXPECT_NE(test::readBytes(err).find("死に石"), std::string::npos);
    EXPECT_EQ(score("", "--at play:3=exit"), 3);
    EXPECT_NE(test::readBytes(err).find("終了コード 3"), std::string::npos);
    EXPECT_EQ(test::readBytes(out), "");
    EXPECT_EQ(run("score '" + record + "' --engine /nonexistent/engine", out, err), 3);
    EXPECT_EQ(test::readBytes(err), "思考エンジンを起動できません: /nonexistent/engine\n");
}

TEST_F(CliScore, WrongUsage) {
    EXPECT_EQ(run("score", out, err), 2);
    EXPECT_EQ(run("score '" + record + "' --move", out, err), 2);
    EXPECT_EQ(run("score '" + record + "' --move x", out, err), 2);
    EXPECT_EQ(run("score '" + record + "' --engine ''", out, err), 2);
    EXPECT_EQ(run("score '" + record + "' --level 3", out, err), 2);
    for (const char* limit : {"0", "-1", "x", "1e9"})
        EXPECT_EQ(run("score '" + record + "' --limit " + limit, out, err), 2) << limit;
    EXPECT_EQ(run("score '" + dir.file("missing").string() + "' --engine x", out, err), 1);
}

}  // namespace
}  // namespace kelmaz
