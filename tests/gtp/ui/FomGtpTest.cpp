// The computer-game window against the scripted engine: the game's course, the record it
// leaves, and every way the engine can fail.
#include <QAction>
#include <QComboBox>
#include <QListWidget>

#include "engine/Engine.h"
#include "gtp/ui/GtpWindowSupport.h"
#include "shell/ui/FomSet.h"

namespace kelmaz {
namespace {

using test::waitFor;

class FomGtpTest : public test::GtpWindowTest {};

TEST_F(FomGtpTest, TheMenuOpensTheWindowWithGnuGoAsTheDefaultEngine) {
    start();
    main().findChild<QAction*>("Computer")->trigger();
    ASSERT_TRUE(program().fomGtp());
    EXPECT_EQ(window().windowTitle(), "コンピューター対局");
    EXPECT_TRUE(window().isVisible());
    const QString command = window().findChild<QLineEdit*>("TxtCommand")->text();
    EXPECT_TRUE(command.contains("gnugo --mode gtp --level 10")) << command.toStdString();
}

TEST_F(FomGtpTest, EachSidePlaysAMoveAndTheEngineSeesTheWholeGame) {
    openFake("--moves E5,D3");
    press("CmdStart");
    ASSERT_TRUE(waitFor([&] { return window().playing() && !window().thinking(); }));
    EXPECT_EQ(program().settings().read("GtpCommand", ""),
              window().findChild<QLineEdit*>("TxtCommand")->text().toStdString());
    EXPECT_FALSE(boardButtonsEnabled());
    clickPoint(3, 3);
    ASSERT_TRUE(waitFor([&] { return state().MoveCount == 2; }));
    EXPECT_EQ(state().MoveColour[2], kWhite);
    EXPECT_EQ(stoneAt(5, 5), kWhite + 1);
    clickPoint(7, 7);
    ASSERT_TRUE(waitFor([&] { return state().MoveCount == 4; }));
    EXPECT_EQ(stoneAt(4, 7), kWhite + 1);  // D3
    const std::string sent = engineCommands();
    for (const char* command :
         {"boardsize 9", "clear_board", "komi 6.5", "play B C7", "genmove W", "play B G3"})
        EXPECT_NE(sent.find(command), std::string::npos) << command << " in\n" << sent;
    EXPECT_TRUE(logHas("送信:黒 C7"));
    EXPECT_TRUE(logHas("受信:白 E5"));
    // The same clicks are refused while the engine has the turn: a stone on a taken point does
    // nothing, and the record stays in step.
    clickPoint(5, 5);
    EXPECT_EQ(state().MoveCount, 4);
}

TEST_F(FomGtpTest, TheEngineOpensWhenTheUserTakesWhiteAndAStoneOutOfTurnIsTakenOff) {
    openFake("--at genmove:1=move=E5 --at genmove:2=hang", kWhite);
    press("CmdStart");
    ASSERT_TRUE(waitFor([&] { return state().MoveCount == 1; }));
    EXPECT_EQ(state().MoveColour[1], kBlack);
    clickPoint(3, 3);
    ASSERT_TRUE(waitFor([&] { return window().thinking(); }));
    EXPECT_TRUE(window().findChild<QLabel*>("LblThinking")->isVisible());
    EXPECT_EQ(state().MoveCount, 2);
    // White again while black thinks: the board engine refuses the colour.
    clickPoint(7, 7);
    EXPECT_EQ(state().MoveCount, 2);
    press("CmdStop");
    EXPECT_FALSE(window().playing());
    EXPECT_TRUE(boardButtonsEnabled());
    EXPECT_FALSE(state().NetMatchActive);
    EXPECT_EQ(state().MoveCount, 2);
}

TEST_F(FomGtpTest, AStoneOfTheEnginesColourIsRefusedOrTakenOff) {
    openFake("--at genmove:1=hang", kWhite);
    press("CmdStart");
    ASSERT_TRUE(waitFor([&] { return window().thinking(); }));
    clickPoint(3, 3);  // black, which belongs to the engine: the board refuses it
    EXPECT_EQ(state().MoveCount, 0);
    program().options().stones = StoneChoice::Black;
    clickPoint(3, 3);  // "黒石" places black whatever the turn: the game takes it off
    program().options().stones = StoneChoice::Alternate;
    EXPECT_EQ(state().MoveCount, 0);
    EXPECT_EQ(stoneAt(3, 3), 0);
    EXPECT_EQ(state().NetMyColour, kWhite);
    EXPECT_TRUE(logHas("思考エンジンの手番です"));
    press("CmdStop");
}

TEST_F(FomGtpTest, TakeBackRemovesTheEnginesMoveAndMineWithUndoOrARebuild) {
    for (const QString& extra : {QString(), QStringLiteral("--no-undo")}) {
        SCOPED_TRACE(extra.toStdString());
        openFake("--moves E5,D3 " + extra);
        startGame();
        clickPoint(3, 3);
        ASSERT_TRUE(waitFor([&] { return state().MoveCount == 2 && !window().thinking(); }));
        press("CmdMatta");
        ASSERT_TRUE(waitFor([&] { return state().MoveCount == 0 && !window().thinking(); }));
        EXPECT_EQ(stoneAt(3, 3), 0);
        EXPECT_EQ(stoneAt(5, 5), 0);
        EXPECT_TRUE(window().playing());
        const std::string sent = engineCommands();
        if (extra.isEmpty()) {
            EXPECT_NE(sent.find("undo\n"), std::string::npos);
        } else {
            EXPECT_EQ(sent.find("undo\n"), std::string::npos);
            EXPECT_NE(sent.rfind("clear_board"), sent.find("clear_board")) << sent;
        }
        // Nothing more to take back.
        press("CmdMatta");
        EXPECT_TRUE(logHas("待ったできる手がありません"));
        // The game goes on: the engine's next answer is its next scripted move.
        clickPoint(7, 7);
        ASSERT_TRUE(waitFor([&] { return state().MoveCount == 2; }));
        EXPECT_EQ(stoneAt(4, 7), kWhite + 1);
        press("CmdStop");
        std::filesystem::remove(engineLog());
    }
}

TEST_F(FomGtpTest, TwoPassesEndTheGameWithTheScoreStoredAsTheResult) {
    openFake("--moves pass --score B+2.5 --dead E5");
    startGame();
    clickPoint(5, 5);
    ASSERT_TRUE(waitFor([&] { return state().MoveCount == 2; }));
    press("CmdPass");
    ASSERT_TRUE(waitFor([&] { return !window().playing(); }));
    EXPECT_EQ(state().MoveCount, 3);
    EXPECT_EQ(state().Info[InfoField::RE], "B+2.5");
    EXPECT_TRUE(logHas("黒の2.5目勝ち"));
    EXPECT_TRUE(logHas("終局"));
    EXPECT_TRUE(boardButtonsEnabled());
    EXPECT_EQ(state().DeadMarks, (std::vector<std::pair<int, int>>{{5, 5}}));
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

// While the game goes on the button asks for an estimate: no result, no dead stones.
TEST_F(FomGtpTest, TheScoreButtonMidGameShowsAnEstimateWithoutCrosses) {
    openFake("--moves D3,pass --estimate W+36.5 --dead C7");
    startGame();
    clickPoint(3, 3);
    ASSERT_TRUE(waitFor([&] { return state().MoveCount == 2 && !window().thinking(); }));
    state().DeadMarks = {{3, 3}};  // left from an earlier score
    press("CmdScore");
    ASSERT_TRUE(waitFor([&] { return logHas("形勢判断:白の36.5目優勢"); }));
    EXPECT_TRUE(state().DeadMarks.empty());
    EXPECT_EQ(engineCommands().find("final_"), std::string::npos);
    EXPECT_TRUE(window().playing());
    EXPECT_EQ(state().Info[InfoField::RE], "");  // an estimate is no result
    press("CmdStop");
}

TEST_F(FomGtpTest, AnEngineWithoutScoringSaysSoAndTwoPassesLeaveNoResult) {
    openFake("--moves pass --no-score");
    startGame();
    press("CmdPass");
    ASSERT_TRUE(waitFor([&] { return !window().playing(); }));
    EXPECT_TRUE(logHas("この思考エンジンは形勢判断ができません"));
    EXPECT_EQ(state().Info[InfoField::RE], "");
}

TEST_F(FomGtpTest, ResignationOnEitherSideStoresTheWinner) {
    openFake("--moves resign");
    startGame();
    clickPoint(3, 3);
    ASSERT_TRUE(waitFor([&] { return !window().playing(); }));
    EXPECT_EQ(state().Info[InfoField::RE], "B+R");
    EXPECT_TRUE(messageHas("投了しました"));
    EXPECT_EQ(state().MoveCount, 1);

    press("CmdStart");
    ASSERT_TRUE(waitFor([&] { return window().playing() && !window().thinking(); }));
    EXPECT_EQ(state().Info[InfoField::RE], "");
    press("CmdResign");
    EXPECT_FALSE(window().playing());
    EXPECT_EQ(state().Info[InfoField::RE], "W+R");
}

TEST_F(FomGtpTest, AHandicapGameSetsTheProgramsStonesAndTheEngineMovesFirst) {
    openFake("--moves E5");
    window().findChild<QComboBox*>("CboHandicap")->setCurrentIndex(2);  // 3 stones
    press("CmdStart");
    ASSERT_TRUE(waitFor([&] { return state().MoveCount == 4; }));
    EXPECT_EQ(state().MoveColour[4], kWhite);
    std::string stones = "set_free_handicap";
    for (int k = 1; k <= 3; ++k)
        stones += " " + vertexText(state().MoveCol[k], state().MoveRow[k], 9);
    EXPECT_NE(engineCommands().find(stones), std::string::npos) << engineCommands();
    EXPECT_EQ(state().Info[InfoField::HA], "3");
    press("CmdStop");
}

TEST_F(FomGtpTest, AGameCanStartFromThePositionOnTheBoard) {
    openFake("--moves E5");
    program().fomSet().Option1_Click(2);  // 9 lines
    clickPoint(3, 3);  // placed before the game, with the board's own alternation
    clickPoint(4, 4);
    clickPoint(6, 6);
    window().findChild<QButtonGroup*>("OptFrom")->button(1)->click();
    window().findChild<QButtonGroup*>("OptColour")->button(0)->click();  // black; white to play
    press("CmdStart");
    ASSERT_TRUE(waitFor([&] { return state().MoveCount == 4; }));
    EXPECT_NE(engineCommands().find("play B C7\n"), std::string::npos);
    EXPECT_NE(engineCommands().find("play W D6\n"), std::string::npos);
    EXPECT_NE(engineCommands().find("play B F4\n"), std::string::npos);
    // Take-backs stop at the position the game started from.
    ASSERT_TRUE(waitFor([&] { return !window().thinking(); }));
    press("CmdMatta");
    EXPECT_TRUE(logHas("待ったできる手がありません"));
    EXPECT_EQ(state().MoveCount, 4);
    press("CmdStop");
}

// Every way the engine can fail ends the game with a message and leaves the record as it was.
TEST_F(FomGtpTest, EngineFaultsEndTheGameWithAMessageAndTheRecordAsItWas) {
    struct Case {
        const char* script;
        const char* message;
        bool namesCommand = false;  // the process's own faults name the engine's command
    };
    for (const Case& c :
         {Case{"--at genmove:1=hang", "時間内に応答しません", true},
          Case{"--at genmove:1=crash", "異常終了しました", true},
          Case{"--at genmove:1=exit", "終了しました (終了コード 3)", true},
          Case{"--at genmove:1=garbage", "応答が読めません"},
          Case{"--at genmove:1=long", "長すぎます"}, Case{"--at genmove:1=badid", "番号が違います"},
          Case{"--at genmove:1=error", "エラーを返しました (genmove W)"},
          Case{"--at genmove:1=move=C7", "C7 は打てません"},
          Case{"--at genmove:1=move=Z9", "手が読めません"},
          Case{"--at play:1=error", "エラーを返しました (play B C7)"}}) {
        SCOPED_TRACE(c.script);
        messages.clear();
        openFake(c.script);
        window().setReplyLimitMs(500);
        press("CmdStart");
        ASSERT_TRUE(waitFor([&] { return window().playing() && !window().thinking(); }));
        clickPoint(3, 3);
        ASSERT_TRUE(waitFor([&] { return !window().playing(); }));
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(c.message)) << messages[0].toStdString();
        EXPECT_EQ(messages[0].contains(KELMAZ_FAKE_GTP), c.namesCommand)
            << messages[0].toStdString();
        EXPECT_TRUE(logHas(messages[0]));
        EXPECT_EQ(state().MoveCount, 1);
        EXPECT_EQ(stoneAt(3, 3), kBlack + 1);
        EXPECT_FALSE(state().NetMatchActive);
        EXPECT_TRUE(boardButtonsEnabled());
    }
}

TEST_F(FomGtpTest, AMissingProgramIsNamedAndNothingChanges) {
    open("/nonexistent/engine --mode gtp");
    press("CmdStart");
    ASSERT_TRUE(waitFor([&] { return !window().playing(); }));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "思考エンジンを起動できません: /nonexistent/engine --mode gtp");
    EXPECT_TRUE(boardButtonsEnabled());
    EXPECT_FALSE(state().NetMatchActive);
    // The board is the user's again: a click places a stone as without a game.
    clickPoint(3, 3);
    EXPECT_EQ(state().MoveCount, 1);
}

TEST_F(FomGtpTest, ClosingTheWindowEndsTheGameAndTheEngine) {
    openFake("--at genmove:1=hang", kWhite);
    press("CmdStart");
    ASSERT_TRUE(waitFor([&] { return window().thinking(); }));
    window().close();
    EXPECT_FALSE(window().playing());
    EXPECT_FALSE(state().NetMatchActive);
    EXPECT_TRUE(boardButtonsEnabled());
}

// The crosses of a score estimate are painted over the stones and gone with the next move.
TEST_F(FomGtpTest, DeadStoneCrossesArePaintedUntilTheNextMove) {
    start();
    clickPoint(3, 3);
    const QPoint centre = pointAt(3, 3);
    auto redAtCentre = [&] {
        const QColor c = board().grab().toImage().pixelColor(centre);
        return c.red() > 150 && c.green() < 80 && c.blue() < 80;
    };
    EXPECT_FALSE(redAtCentre());
    state().DeadMarks = {{3, 3}, {4, 4}};  // a point without a stone gets no cross
    main().boardChanged();
    EXPECT_TRUE(redAtCentre());
    EXPECT_FALSE(board().grab().toImage().pixelColor(pointAt(4, 4)).red() > 150 &&
                 board().grab().toImage().pixelColor(pointAt(4, 4)).green() < 80);
    clickPoint(5, 5);
    EXPECT_TRUE(state().DeadMarks.empty());
    EXPECT_FALSE(redAtCentre());
}

// A record changed under the game (a menu command clears the board or reads a file) no longer
// matches the engine's board: the game ends and the record stays as the user made it.
TEST_F(FomGtpTest, ARecordChangedDuringTheGameEndsItInsteadOfMixingTwoGames) {
    openFake("--moves E5,D3");
    startGame();
    clickPoint(3, 3);
    ASSERT_TRUE(waitFor([&] { return state().MoveCount == 2 && !window().thinking(); }));
    program().engine().gCls();
    clickPoint(7, 7);
    EXPECT_FALSE(window().playing());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "盤面が変わったため対局を終了しました");
    EXPECT_EQ(state().MoveCount, 1);
    EXPECT_EQ(stoneAt(7, 7), kBlack + 1);
    EXPECT_EQ(engineCommands().find("play B G3"), std::string::npos);
}

}  // namespace
}  // namespace kelmaz
