// The dispatcher and the local actions of a match, against recording fakes.
#include <gtest/gtest.h>

#include "net/MatchFakes.h"
#include "net/MatchMessage.h"
#include "net/ReceiveQueue.h"
#include "net/WireText.h"
#include "support/RecordMoves.h"

namespace kelmaz {
namespace {

using test::FakeBoard;
using test::FakeWindow;

class MatchSessionTest : public ::testing::Test {
  protected:
    MatchSessionTest() : board(state), session(state, board, window) {
        board.session = &session;
        state.NetMatchActive = true;
        state.NetMyColour = kNoColour;  // as a fresh connection leaves it
    }
    void play(int col, int row, int colour) { test::addMove(state, col, row, colour); }
    GameState state;
    FakeBoard board;
    FakeWindow window;
    MatchSession session;
};

TEST_F(MatchSessionTest, FirstMoveReceivedMakesUsWhiteOnATurnedBoard) {
    session.HandleMatchMessage("Tejun,1,4,4,0");
    EXPECT_EQ(state.NetMyColour, kWhite);
    EXPECT_TRUE(state.BoardRotated);
    EXPECT_EQ(state.MoveCount, 1);
    EXPECT_EQ(state.MoveCol[1], 16);
    EXPECT_EQ(state.MoveRow[1], 16);
    EXPECT_EQ(state.MoveColour[1], kBlack);
    EXPECT_EQ(board.calls, (std::vector<std::string>{"relayout", "redraw 1..1"}));
    EXPECT_EQ(window.received, 1);

    // Later moves keep the colours and only mirror.
    state.NetMyColour = kBlack;  // as if the user had changed nothing but we check it stays
    session.HandleMatchMessage("Tejun,2,17,3,7");
    EXPECT_EQ(state.NetMyColour, kBlack);
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_EQ(state.MoveCol[2], 3);
    EXPECT_EQ(state.MoveRow[2], 17);
}

TEST_F(MatchSessionTest, MovesAreMirroredOnTheBoardSizeInUse) {
    for (auto [size, sent, expected] : {std::tuple{13, 1, 13}, {13, 4, 10}, {9, 3, 7}, {9, 9, 1}}) {
        GameState fresh;
        fresh.BoardSize = size;
        state = fresh;
        session.HandleMatchMessage("Tejun,1," + std::to_string(sent) + "," + std::to_string(sent) +
                                   ",0");
        EXPECT_EQ(state.MoveCol[1], expected) << size << " lines, sent " << sent;
        EXPECT_EQ(state.MoveRow[1], expected);
    }
}

TEST_F(MatchSessionTest, MalformedMovesChangeNothing) {
    play(4, 4, kBlack);
    state.BoardSize = 9;
    const GameState before = state;
    for (const char* message :
         {"Tejun", "Tejun,2,3,3", "Tejun,,3,3,7", "Tejun,x,3,3,7", "Tejun,2,a,3,7", "Tejun,2,3,b,7",
          "Tejun,2,3,3,white", "Tejun,0,3,3,7", "Tejun,501,3,3,7", "Tejun,-1,3,3,7",
          "Tejun,3,3,3,7", "Tejun,99999999999,3,3,7", "Tejun,2,0,3,7", "Tejun,2,10,3,7",
          "Tejun,2,3,10,7", "Tejun,2,-5,3,7", "Tejun,2,3,3,1", "tejun,2,3,3,7"}) {
        session.HandleMatchMessage(message);
        EXPECT_EQ(state.MoveCount, before.MoveCount) << message;
        EXPECT_EQ(state.MoveCol, before.MoveCol) << message;
        EXPECT_EQ(state.MoveColour, before.MoveColour) << message;
        EXPECT_EQ(state.NetMyColour, before.NetMyColour) << message;
    }
    EXPECT_TRUE(board.calls.empty());
    EXPECT_EQ(window.received, 18);  // the received picture shows for every message

    // Numbers are read as leading numbers, spaces first allowed, as a peer may format them.
    session.HandleMatchMessage("Tejun, 2, 3 ,3x,7");
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_EQ(state.MoveCol[2], 7);
}

// A decided colour stays whatever position the move arrives at; a player who stepped back
// still takes the peer's next move.
TEST_F(MatchSessionTest, AMoveReceivedAtAnEarlierPositionKeepsTheColourAndIsStored) {
    state.NetMyColour = kBlack;
    play(4, 4, kBlack);
    play(16, 16, kWhite);
    state.MoveCount = 0;  // 初手
    session.HandleMatchMessage("Tejun,3,10,10,0");
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(state.MoveCol[3], 10);
    session.HandleMatchMessage("Tejun,1,4,4,0");  // a peer that plays black too
    EXPECT_EQ(state.NetMyColour, kBlack);
    EXPECT_FALSE(state.BoardRotated);
}

// Moves from a peer on another board size would land on the wrong points: none is taken, and
// the log and a box name both sizes (or the move, from a peer that does not send its size).
TEST_F(MatchSessionTest, AMoveFromAnotherBoardSizeIsRefusedNamingBothSizes) {
    state.BoardSize = 9;
    session.HandleMatchMessage("Tejun,1,16,4,0");
    session.HandleMatchMessage("Tejun,1,3,3,0,19");
    EXPECT_EQ(state.MoveCount, 0);
    EXPECT_EQ(state.NetMyColour, kNoColour);
    EXPECT_EQ(window.notices, (std::vector<std::string>{
                                  "相手の碁盤と大きさが違います（相手の手 16-4、こちら 9路盤）。",
                                  "相手の碁盤と大きさが違います（相手 19路盤、こちら 9路盤）。"}));
    EXPECT_EQ(window.logLines.back(), "受信:" + window.notices.back());
    session.HandleMatchMessage("Tejun,1,3,3,0,9");
    EXPECT_EQ(state.MoveCount, 1);
}

TEST_F(MatchSessionTest, ReceivedMoveEndsTheRecord) {
    play(4, 4, kBlack);
    play(16, 16, kWhite);
    play(10, 10, kBlack);
    state.MoveCount = 1;  // the two sides disagree after a take-back
    session.HandleMatchMessage("Tejun,2,3,3,7");
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_EQ(state.MoveCol[2], 17);
    EXPECT_EQ(state.MoveCol[3], 0);
}

TEST_F(MatchSessionTest, MoveReplacingTheLastSlotIsStored) {
    state.NetMyColour = kWhite;
    for (int k = 0; k < 500; ++k) play(1, 1, k % 2 ? kWhite : kBlack);
    session.HandleMatchMessage("Tejun,500,2,2,0");
    EXPECT_EQ(state.MoveCol[500], 18);
    session.HandleMatchMessage("Tejun,501,2,2,7");
    EXPECT_EQ(state.MoveCount, 500);
}

// Two records that agree; A plays black and asks, B plays white and grants.
struct TakeBackCase {
    int movesBeforeAnswer;  // moves on both records when the answer is given
    int removed;
};

TEST(TakeBackTest, BothSidesRemoveTheSameMoves) {
    for (auto [moves, removed] : {TakeBackCase{3, 1}, TakeBackCase{4, 2}, TakeBackCase{2, 0},
                                  TakeBackCase{1, 0}, TakeBackCase{5, 1}}) {
        GameState asker, granter;
        RecordDocument askerDocument, granterDocument;
        DocumentRecord askerRecord(askerDocument, asker), granterRecord(granterDocument, granter);
        asker.NetMyColour = kBlack;
        granter.NetMyColour = kWhite;
        for (int k = 1; k <= moves; ++k) {
            for (GameState* s : {&asker, &granter})
                test::addMove(*s, k, 1, k % 2 ? kBlack : kWhite);
        }
        int g = takeBackCount(granter, TakeBackSide::Granting);
        int a = takeBackCount(asker, TakeBackSide::Asking);
        EXPECT_EQ(g, a) << moves << " moves";
        takeBackMoves(granter, granterRecord, g);
        takeBackMoves(asker, askerRecord, a);
        EXPECT_EQ(granter.MoveCount, moves - removed) << moves << " moves";
        EXPECT_EQ(asker.MoveCount, moves - removed);
        if (removed) {
            EXPECT_EQ(asker.MoveCol[moves - removed + 1], 0);
        }
    }
}

TEST_F(MatchSessionTest, TakeBackWhenTheRecordHoldsExactlyNMovesRemovesNothing) {
    state.NetMyColour = kBlack;
    play(4, 4, kBlack);
    play(16, 16, kWhite);  // granting white after its own move: n = 2 = MoveCount
    state.NetMyColour = kWhite;
    session.grantTakeBack("いいですよ");
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_EQ(board.calls, (std::vector<std::string>{"redraw 1..2"}));  // still redrawn
    EXPECT_EQ(window.sent, (std::vector<std::string>{"#MattaOk,いいですよ"}));
    EXPECT_EQ(window.logLines, (std::vector<std::string>{"送信:待ったOK  いいですよ"}));

    board.calls.clear();
    state.NetMyColour = kBlack;  // the asker's side of the same record: n = 2 as well
    session.HandleMatchMessage("MattaOk,いいですよ");
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_TRUE(board.calls.empty());  // the asking side redraws only when it took back
}

TEST_F(MatchSessionTest, GrantedTakeBackReceivedRedraws) {
    state.NetMyColour = kBlack;
    play(4, 4, kBlack);
    play(16, 16, kWhite);
    play(10, 10, kBlack);
    session.HandleMatchMessage("MattaOk,いいですよ");
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_EQ(state.MoveCol[3], 0);
    EXPECT_EQ(board.calls, (std::vector<std::string>{"redraw 1..2"}));
    EXPECT_TRUE(window.logLines.empty());
}

TEST_F(MatchSessionTest, HandicapReceivedOnAnEmptyBoard) {
    session.HandleMatchMessage("Okiisi,2");
    // The settings dialog placed three stones and announced the same index back.
    EXPECT_EQ(window.sent, (std::vector<std::string>{"#Okiisi,2"}));
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(state.NetMyColour, kWhite);
    EXPECT_TRUE(state.BoardRotated);
    // The stones stand turned like the peer's moves will: (16,4) (4,16) (16,16) seen from
    // the other side.
    EXPECT_EQ(state.MoveCol[1], 4);
    EXPECT_EQ(state.MoveRow[1], 16);
    EXPECT_EQ(state.MoveCol[3], 4);
    EXPECT_EQ(state.MoveRow[3], 4);
    // A white answer at our (16,16) arrives at the sender's (4,4), a free point there.
    session.HandleMatchMessage("Tejun,4,16,16,7");
    EXPECT_EQ(state.MoveCol[4], 4);

    EXPECT_EQ(board.calls.front(), "handicap 2");
}

TEST_F(MatchSessionTest, HandicapIgnoredAfterMovesOrOutOfRange) {
    for (const char* message : {"Okiisi", "Okiisi,", "Okiisi,0", "Okiisi,17", "Okiisi,-3",
                                "Okiisi,two", "Okiisi,99999999999"}) {
        session.HandleMatchMessage(message);
        EXPECT_TRUE(board.calls.empty()) << message;
    }
    play(4, 4, kBlack);
    session.HandleMatchMessage("Okiisi,3");
    EXPECT_TRUE(board.calls.empty());
    EXPECT_EQ(state.MoveCount, 1);
    EXPECT_EQ(state.NetMyColour, kNoColour);
}

TEST_F(MatchSessionTest, HandicapSentMakesUsBlackUnturned) {
    state.NetMyColour = kWhite;
    state.BoardRotated = true;
    session.Okiisi(8);
    EXPECT_EQ(state.NetMyColour, kBlack);
    EXPECT_FALSE(state.BoardRotated);
    EXPECT_EQ(window.sent, (std::vector<std::string>{"#Okiisi,8"}));
}

// A peer that sends its commas unchanged loses nothing: the fields after the keyword are
// the text.
TEST_F(MatchSessionTest, ChatKeepsItsCommas) {
    session.HandleMatchMessage("Connent,Hello, yoroshiku,");
    EXPECT_EQ(board.commentary, "Hello, yoroshiku,");
    EXPECT_EQ(window.logLines, (std::vector<std::string>{"受信:Hello, yoroshiku,"}));
    session.HandleMatchMessage("Connent");  // nothing to show
    EXPECT_EQ(window.logLines.size(), 1u);
}

TEST_F(MatchSessionTest, TakeBackRequestAndRefusal) {
    session.HandleMatchMessage("Matta,お願い一手待っていただけませんか？");
    EXPECT_EQ(window.requestShown, "お願い一手待っていただけませんか？");
    session.HandleMatchMessage("Matta,");
    EXPECT_EQ(window.requestShown, "");
    session.HandleMatchMessage("MattaKyohi,ダメ！");
    EXPECT_EQ(window.logLines, (std::vector<std::string>{"受信:ダメ！"}));
}

TEST_F(MatchSessionTest, ResignationAndClearRequests) {
    session.HandleMatchMessage("Touryou,いいですよ");
    EXPECT_EQ(window.notices, (std::vector<std::string>{"相手が投了しました。"}));

    play(4, 4, kBlack);
    window.answer = false;
    session.HandleMatchMessage("CLS");
    EXPECT_EQ(window.sent.back(), "#CLSNo");
    EXPECT_EQ(state.MoveCount, 1);
    window.answer = true;
    board.calls.clear();
    session.HandleMatchMessage("CLS");
    EXPECT_EQ(window.sent.back(), "#CLSYes");
    EXPECT_EQ(state.MoveCount, 0);
    EXPECT_EQ(board.calls, (std::vector<std::string>{"keep", "clear"}))
        << "the record the peer clears is kept first";
    EXPECT_EQ(window.questions,
              (std::vector<std::string>{"画面の消去をしますか?", "画面の消去をしますか?"}));
    EXPECT_EQ(state.NetMyColour, kNoColour) << "the next game decides the colours anew";
    state.NetMyColour = kWhite;
    session.HandleMatchMessage("CLSNo");
    EXPECT_EQ(state.NetMyColour, kWhite);
    session.HandleMatchMessage("CLSYes");
    EXPECT_EQ(state.NetMyColour, kNoColour);
    EXPECT_EQ(window.logLines,
              (std::vector<std::string>{
                  "受信:画面の消去。", "送信:画面消去拒否", "受信:画面の消去。",
                  "受信:碁盤の初期化は少し待ってください", "受信:画面の初期化受け入れ。"}));
}

TEST_F(MatchSessionTest, ConnectAndDisconnect) {
    state.NetMatchActive = false;
    session.HandleMatchMessage("ConnectOk");
    EXPECT_TRUE(state.NetMatchActive);
    EXPECT_FALSE(board.buttonsEnabled);
    EXPECT_EQ(window.connected, 1);
    state.NetMyColour = kWhite;
    state.BoardRotated = true;
    session.HandleMatchMessage("Disconnect");
    EXPECT_FALSE(state.NetMatchActive);
    EXPECT_TRUE(board.buttonsEnabled);
    EXPECT_EQ(window.relistened, 1);
    EXPECT_EQ(window.logLines.back(), "受信:相手が接続を切りました。");
    EXPECT_EQ(state.NetMyColour, kWhite);  // kept after the match
    EXPECT_TRUE(state.BoardRotated);
}

TEST_F(MatchSessionTest, AFreshConnectionHasNoColourUntilAStoneIsPlaced) {
    state.NetMatchActive = false;
    state.NetMyColour = kWhite;  // from the last game, which the peer began
    session.HandleMatchMessage("ConnectOk");
    EXPECT_EQ(state.NetMyColour, kNoColour);
    state.NetMatchActive = false;
    state.NetMyColour = kBlack;
    board.calls.clear();
    session.connectionAccepted();
    EXPECT_EQ(state.NetMyColour, kNoColour);
    EXPECT_EQ(board.calls, (std::vector<std::string>{"keep", "clear"}))
        << "the record a peer's connection clears is kept first";

    // A move arriving on a record that is not empty still decides: we play the other colour.
    play(4, 4, kBlack);
    session.HandleMatchMessage("Tejun,2,4,4,7");
    EXPECT_EQ(state.NetMyColour, kBlack);
}

// A "#" typed into any text box would begin a second message on the wire, which the peer
// would obey, and a "," would cut the text for a peer that reads one field; they travel as the
// full-width "＃" and "，" instead.
TEST_F(MatchSessionTest, TypedTextCannotCarryASecondMessage) {
    play(16, 4, kBlack);
    EXPECT_TRUE(session.sendChat("hello,#Disconnect"));
    session.requestTakeBack("#CLS", "x");
    session.refuseTakeBack("#Tejun,2,1,1,7");
    session.resign("#MattaOk,", "y");
    session.grantTakeBack("ok#ConnectOk");
    EXPECT_EQ(window.sent,
              (std::vector<std::string>{"#Connent,hello，＃Disconnect", "#Matta,＃CLS",
                                        "#MattaKyohi,＃Tejun，2，1，1，7", "#Touryou,＃MattaOk，",
                                        "#MattaOk,ok＃ConnectOk"}));
    EXPECT_EQ(window.logLines.front(), "送信:hello,#Disconnect") << "the own log shows it as typed";

    // The peer gets exactly one message per send and shows the full-width sign.
    GameState peerState;
    peerState.NetMatchActive = true;
    FakeBoard peerBoard(peerState);
    FakeWindow peerWindow;
    MatchSession peer(peerState, peerBoard, peerWindow);
    ReceiveQueue queue;
    for (const std::string& message : window.sent) queue.receive(toWire(message));
    EXPECT_EQ(queue.size(), window.sent.size());
    while (auto message = queue.next()) peer.HandleMatchMessage(*message);
    EXPECT_EQ(peerBoard.commentary, "hello，＃Disconnect");
    EXPECT_TRUE(peerState.NetMatchActive);
    EXPECT_TRUE(peerWindow.questions.empty()) << "no clear request reached the peer";
    EXPECT_EQ(peerState.MoveCount, 0);
    EXPECT_EQ(peerWindow.notices, std::vector<std::string>{"相手が投了しました。"});
}

TEST(MatchWireTest, MergedReadsAreStillSplitAtEveryKeyword) {
    ReceiveQueue queue;
    queue.receive(toWire(textMessage(MatchKeyword::Connent, "a#b") + tejunMessage(3, 4, 4, 0, 19) +
                         bareMessage(MatchKeyword::CLS)));
    EXPECT_EQ(queue.next(), "Connent,a＃b");
    EXPECT_EQ(queue.next(), "Tejun,3,4,4,0,19");
    EXPECT_EQ(queue.next(), "CLS");
    EXPECT_FALSE(queue.next());
}

TEST_F(MatchSessionTest, UnknownKeywordsOnlyShowTheReceivedPicture) {
    play(4, 4, kBlack);
    for (const char* message : {"", "Hello,1", "cls", "CLS ", "ConnectOK", "MattaOK,x"})
        session.HandleMatchMessage(message);
    EXPECT_EQ(window.received, 6);
    EXPECT_TRUE(window.sent.empty());
    EXPECT_TRUE(window.logLines.empty());
    EXPECT_EQ(state.MoveCount, 1);
}

TEST_F(MatchSessionTest, LocalActionsSendAndLog) {
    play(16, 4, kBlack);
    session.SdataSend(1);
    session.requestTakeBack("無理", "ちょっと");
    EXPECT_FALSE(session.sendChat("   "));
    EXPECT_TRUE(session.sendChat(" 良い手 "));
    window.answer = false;
    session.resign("いいですよ", "参りました");
    window.answer = true;
    session.resign("いいですよ", "参りました");
    session.refuseTakeBack("ダメ！");
    session.requestClear();
    EXPECT_EQ(window.sent,
              (std::vector<std::string>{"#Tejun,1,16,4,0,19", "#Matta,無理", "#Connent, 良い手 ",
                                        "#Touryou,いいですよ", "#MattaKyohi,ダメ！", "#CLS"}));
    EXPECT_EQ(window.logLines,
              (std::vector<std::string>{"送信:ちょっと", "送信: 良い手 ", "送信:投了  参りました",
                                        "送信:待った拒否  ダメ！", "送信:CLS  "}));
    EXPECT_EQ(window.sentLamps, 7);  // a declined resignation still flashes

    state.NetMatchActive = false;
    session.SdataSend(1);
    EXPECT_EQ(window.sent.size(), 6u);
}

TEST_F(MatchSessionTest, EndingTheMatchAsksFirst) {
    window.answer = false;
    EXPECT_FALSE(session.endMatch(true));
    EXPECT_TRUE(state.NetMatchActive);
    EXPECT_TRUE(window.sent.empty());
    window.answer = true;
    EXPECT_TRUE(session.endMatch(true));
    EXPECT_FALSE(state.NetMatchActive);
    EXPECT_EQ(window.sent, (std::vector<std::string>{"#Disconnect"}));
    EXPECT_EQ(window.relistened, 1);
    EXPECT_TRUE(session.endMatch(true));  // no match: nothing asked
    EXPECT_EQ(window.questions.size(), 2u);
}

// Every board size a record can bring: the peer's corner is our opposite corner, the centre
// stays, and a point beyond the board is refused.
TEST_F(MatchSessionTest, MirroringHoldsForEverySize) {
    for (int n = 2; n <= kMaxBoardSize; ++n) {
        SCOPED_TRACE(n);
        GameState fresh;
        fresh.BoardSize = n;
        fresh.NetMatchActive = true;
        state = fresh;
        session.HandleMatchMessage("Tejun,1,1,2,0");
        ASSERT_EQ(state.MoveCount, 1);
        EXPECT_EQ(state.MoveCol[1], n);
        EXPECT_EQ(state.MoveRow[1], n - 1);
        session.HandleMatchMessage("Tejun,2," + std::to_string(n + 1) + ",1,7");
        EXPECT_EQ(state.MoveCount, 1) << "off the board";
        session.HandleMatchMessage("Tejun,2," + std::to_string(n) + "," + std::to_string(n) + ",7");
        ASSERT_EQ(state.MoveCount, 2);
        EXPECT_EQ(state.MoveCol[2], 1);
        EXPECT_EQ(state.MoveRow[2], 1);
    }
}

}  // namespace
}  // namespace kelmaz
