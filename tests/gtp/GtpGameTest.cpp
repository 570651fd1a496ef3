// The driver that keeps an engine's board in step with the record, fed with scripted replies.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gtp/GtpGame.h"
#include "support/EngineOnFakeHost.h"

namespace kelmaz {
namespace {

using Kind = GtpOutcome::Kind;

class GtpGameTest : public ::testing::Test, protected test::EngineOnFakeHost {
  protected:
    GtpGame game{state, 4096};
    std::vector<std::string> sent;  // the commands, without their ids
    // Replies by command word; anything not listed succeeds with no text.
    std::map<std::string, std::string> replies;

    // Answers every line the driver (`game` unless another is named) writes until it stops.
    GtpOutcome run(GtpOutcome outcome) { return run(game, outcome); }
    GtpOutcome run(GtpGame& driver, GtpOutcome outcome) {
        while (!outcome.send.empty()) {
            const std::string line = outcome.send;
            const std::string command =
                line.substr(line.find(' ') + 1, line.size() - 1 - (line.find(' ') + 1));
            sent.push_back(command);
            const std::string word = command.substr(0, command.find(' '));
            const auto found = replies.find(word);
            outcome = driver.feed(found == replies.end() ? "=\n\n" : found->second);
        }
        return outcome;
    }
};

TEST_F(GtpGameTest, StartSetsUpSizeKomiHandicapAtTheProgramsPointsAndTheMovesAfterThem) {
    useSize(13);
    engine.placeHandicap(3);  // the program's own points on 13 lines
    put(kWhite, 3, 3);
    replies["list_commands"] = "= boardsize\nclear_board\nkomi\nplay\ngenmove\nundo\n\n";
    const GtpOutcome done = run(game.start(3, 0.5));
    EXPECT_EQ(done.kind, Kind::Ready);
    ASSERT_EQ(sent.size(), 6u);
    EXPECT_EQ(sent[1], "boardsize 13");
    EXPECT_EQ(sent[2], "clear_board");
    EXPECT_EQ(sent[3], "komi 0.5");
    std::string stones = "set_free_handicap";
    for (int k = 1; k <= 3; ++k) stones += " " + vertexText(state.MoveCol[k], state.MoveRow[k], 13);
    EXPECT_EQ(sent[4], stones);
    EXPECT_EQ(sent[5], "play W C11");
    EXPECT_TRUE(game.knows("undo"));
    EXPECT_FALSE(game.knows("final_score"));
}

TEST_F(GtpGameTest, APositionWithoutItsHandicapStonesIsReplayedMoveByMove) {
    useSize(9);
    put(kBlack, 3, 3);
    put(kBlack, 7, 7);  // two black stones, but not the handicap asked for
    state.MoveCol[3] = state.MoveRow[3] = kPassCoord;
    state.MoveColour[3] = kWhite;
    state.MoveCount = 3;
    EXPECT_EQ(run(game.start(3, 6.5)).kind, Kind::Ready);
    EXPECT_EQ(std::vector<std::string>(sent.end() - 3, sent.end()),
              (std::vector<std::string>{"play B C7", "play B G3", "play W pass"}));
}

TEST_F(GtpGameTest, TheEnginesMoveIsCheckedAgainstTheRules) {
    useSize(9);
    // White to play into a point surrounded by black: suicide.
    put(kBlack, 1, 2);
    put(kBlack, 2, 1);
    put(kWhite, 5, 5);
    put(kBlack, 9, 9);
    ASSERT_EQ(colourToPlay(state), kWhite);
    ASSERT_EQ(run(game.start(0, 6.5)).kind, Kind::Ready);
    struct Case {
        const char* reply;
        Kind kind;
        const char* inMessage;
    };
    for (const Case& c :
         {Case{"= A9\n\n", Kind::Failed, "着手禁止点"},
          Case{"= A8\n\n", Kind::Failed, "石のある所"},
          Case{"= K5\n\n", Kind::Failed, "読めません"},
          Case{"= D4 E5\n\n", Kind::Failed, "読めません"},
          Case{"=\n\n", Kind::Failed, "読めません"}, Case{"? no move\n\n", Kind::Failed, "エラー"},
          Case{"= C3\n\n", Kind::EngineMove, ""}, Case{"= PASS\n\n", Kind::EngineMove, ""},
          Case{"= resign\n\n", Kind::EngineMove, ""}}) {
        GtpGame fresh(state);
        replies["genmove"] = c.reply;
        sent.clear();
        GtpOutcome outcome = fresh.generate(kWhite);
        ASSERT_EQ(outcome.send, "1 genmove W\n");
        outcome = fresh.feed(c.reply);
        EXPECT_EQ(outcome.kind, c.kind) << c.reply;
        EXPECT_NE(outcome.message.find(c.inMessage), std::string::npos) << outcome.message;
        if (c.kind == Kind::EngineMove) {
            EXPECT_EQ(outcome.colour, kWhite);
        }
    }
    EXPECT_EQ(state.MoveCount, 4);  // nothing of it reached the record
}

TEST_F(GtpGameTest, AnImmediateKoRecaptureIsRefused) {
    useSize(9);
    // Black takes the ko at E5 (after . X O . / X O . O / . X O .); White may not retake.
    for (auto [c, col, row] : std::vector<std::tuple<int, int, int>>{{kBlack, 4, 4},
                                                                     {kWhite, 5, 4},
                                                                     {kBlack, 3, 5},
                                                                     {kWhite, 6, 5},
                                                                     {kBlack, 4, 6},
                                                                     {kWhite, 5, 6},
                                                                     {kBlack, 9, 9},
                                                                     {kWhite, 4, 5},
                                                                     {kBlack, 5, 5}})
        put(c, col, row);
    ASSERT_EQ(state.BoardGrid[4][5], 0);  // the white stone was taken
    GtpGame fresh(state);
    fresh.generate(kWhite);
    const GtpOutcome outcome = fresh.feed("= " + vertexText(4, 5, 9) + "\n\n");
    EXPECT_EQ(outcome.kind, Kind::Failed);
    EXPECT_NE(outcome.message.find("着手禁止点"), std::string::npos);
}

TEST_F(GtpGameTest, TakeBackUsesUndoOrRebuildsWhenTheEngineHasNone) {
    useSize(9);
    engine.placeHandicap(2);
    put(kWhite, 5, 5);
    put(kBlack, 3, 3);
    put(kWhite, 4, 4);
    replies["list_commands"] = "= boardsize\nplay\n\n";  // neither undo nor scoring
    ASSERT_EQ(run(game.start(2, 0)).kind, Kind::Ready);
    sent.clear();
    const GtpOutcome done = run(game.takeBack(2));
    EXPECT_EQ(done.kind, Kind::TakenBack);
    EXPECT_EQ(done.takenBack, 2);
    EXPECT_EQ(sent, (std::vector<std::string>{"boardsize 9", "clear_board", "komi 0",
                                              "set_free_handicap G7 C3", "play W E5"}));

    GtpGame withUndo(state);
    sent.clear();
    // Without list_commands the engine is taken at its word.
    GtpOutcome outcome = withUndo.takeBack(2);
    EXPECT_EQ(outcome.send, "1 undo\n");
    outcome = withUndo.feed("=1\n\n");
    EXPECT_EQ(outcome.send, "2 undo\n");
    EXPECT_EQ(withUndo.feed("=2\n\n").kind, Kind::TakenBack);
}

TEST_F(GtpGameTest, ARefusedUndoFailsTheTakeBack) {
    useSize(9);
    put(kBlack, 3, 3);
    put(kWhite, 5, 5);
    replies["undo"] = "? cannot undo\n\n";
    const GtpOutcome outcome = run(game.takeBack(2));
    EXPECT_EQ(outcome.kind, Kind::Failed);
    EXPECT_NE(outcome.message.find("undo"), std::string::npos);
    EXPECT_EQ(run(game.takeBack(3)).kind, Kind::Failed);  // more than the record holds
}

TEST_F(GtpGameTest, ScoreAndDeadStonesAreReadAndChecked) {
    useSize(9);
    put(kBlack, 3, 3);
    put(kWhite, 5, 5);
    replies["final_score"] = "= W+3.5\n\n";
    replies["final_status_list"] = "= C7\nE5\n\n";
    GtpOutcome outcome = run(game.score());
    ASSERT_EQ(outcome.kind, Kind::Scored);
    EXPECT_TRUE(outcome.score.known);
    EXPECT_EQ(outcome.score.result, "W+3.5");
    EXPECT_EQ(outcome.score.dead,
              (std::vector<GtpVertex>{{VertexKind::Point, 3, 3}, {VertexKind::Point, 5, 5}}));

    for (const char* dead : {"= D4\n\n", "= Z1\n\n", "= pass\n\n"}) {
        GtpGame fresh(state);
        replies["final_status_list"] = dead;
        outcome = fresh.score();
        outcome = fresh.feed("=1 B+1\n\n");
        ASSERT_EQ(outcome.send, "2 final_status_list dead\n");
        EXPECT_EQ(fresh.feed(std::string("=2") + (dead + 1)).kind, Kind::Failed) << dead;
    }
    for (const char* result : {"= W+\n\n", "= X+3\n\n", "= B+3.5 extra\n\n", "= W+1e9\n\n"}) {
        GtpGame fresh(state);
        fresh.score();
        EXPECT_EQ(fresh.feed(result).kind, Kind::Failed) << result;
    }
}

// In the middle of a game an engine's final score counts healthy groups as dead.
TEST_F(GtpGameTest, AnEstimateAsksForNoFinalScoreAndNoDeadStones) {
    useSize(9);
    put(kBlack, 3, 3);
    const struct {
        const char* commands;
        const char* asked;
    } rows[] = {
        {"= estimate_score\nfinal_score\nfinal_status_list\n\n", "estimate_score"},
        {"= final_score\nfinal_status_list\n\n", "final_score"},  // no estimate to ask for
    };
    for (const auto& row : rows) {
        GtpGame fresh(state);
        replies["list_commands"] = row.commands;
        replies["estimate_score"] = "= W+36.5 (upper bound: 38.5, lower: 34.5)\n\n";
        replies["final_score"] = "= W+36.5\n\n";
        run(fresh, fresh.start(0, 6.5));
        sent.clear();
        const GtpOutcome outcome = run(fresh, fresh.score(ScoreKind::Estimate));
        ASSERT_EQ(outcome.kind, Kind::Scored) << row.asked;
        EXPECT_EQ(outcome.score.result, "W+36.5");
        EXPECT_TRUE(outcome.score.dead.empty());
        EXPECT_EQ(sent, std::vector<std::string>{row.asked});
    }
}

TEST_F(GtpGameTest, AnEngineWithoutScoringIsAskedNothing) {
    replies["list_commands"] = "= boardsize\nplay\ngenmove\n\n";
    run(game.start(0, 6.5));
    sent.clear();
    const GtpOutcome outcome = run(game.score());
    EXPECT_EQ(outcome.kind, Kind::Scored);
    EXPECT_FALSE(outcome.score.known);
    EXPECT_TRUE(sent.empty());
}

TEST_F(GtpGameTest, AFailedFramingEndsEveryLaterOperation) {
    GtpOutcome outcome = game.generate(kBlack);
    outcome = game.feed("=1 " + std::string(5000, 'x'));
    EXPECT_EQ(outcome.kind, Kind::Failed);
    EXPECT_NE(outcome.message.find("長すぎ"), std::string::npos);
    EXPECT_EQ(game.score().kind, Kind::Failed);
}

TEST(GtpScoreText, ResultsReadInJapanese) {
    EXPECT_EQ(scoreText("B+3.5"), "黒の3.5目勝ち");
    EXPECT_EQ(scoreText("W+12.0"), "白の12目勝ち");
    EXPECT_EQ(scoreText("W+12"), "白の12目勝ち");
    EXPECT_EQ(scoreText("0"), "持碁");
    EXPECT_EQ(scoreText("B+0"), "持碁");
    EXPECT_EQ(scoreText("W+36.5", ScoreKind::Estimate), "白の36.5目優勢");
    EXPECT_EQ(scoreText("0", ScoreKind::Estimate), "互角");
    EXPECT_EQ(scoreText("B+R"), "");
    EXPECT_EQ(scoreText("W+3."), "");
    EXPECT_EQ(scoreText("W+.5"), "");
}

TEST(GtpTurn, TheColourToPlayFollowsTheLastMove) {
    GameState state;
    EXPECT_EQ(colourToPlay(state), kBlack);
    state.MoveCol[1] = state.MoveRow[1] = 4;
    state.MoveColour[1] = kBlack;
    state.MoveCount = 1;
    EXPECT_EQ(colourToPlay(state), kWhite);
    state.MoveColour[1] = kWhite;
    EXPECT_EQ(colourToPlay(state), kBlack);
}

}  // namespace
}  // namespace kelmaz
