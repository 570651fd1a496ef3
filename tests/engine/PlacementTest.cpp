// Clicks on the board: groups, captures, prisoners, suicide, ko and whose turn it is.
#include <utility>

#include "EngineFixture.h"

namespace kelmaz::test {
namespace {

using Rows = std::vector<std::string>;

class Placement : public EngineTest {
  protected:
    void SetUp() override { useSize(9); }
};

// ---------------------------------------------------------------- groups and captures

TEST_F(Placement, CapturingAWhiteStoneCountsForBlackInTheCaption) {
    load({".X.......", "XO.......", ".X......."});
    black(3, 2);
    EXPECT_EQ(state.BoardGrid[2][2], 0);
    EXPECT_EQ(state.GroupGrid[2][2], 0);
    EXPECT_EQ(state.MoveNoGrid[2][2], 3) << "the point keeps the number of the captured move";
    EXPECT_EQ(state.Prisoners[0], 1);
    EXPECT_EQ(host.caption, "Kelmaz 碁盤No0     上げハマ 黒 = 1  白 = 0");
}

TEST_F(Placement, CapturingBlackStonesCountsForWhite) {
    load({"XX.O.....", "OO......."});
    white(3, 1);
    EXPECT_EQ(diagram()[0], "..OO.....");
    EXPECT_EQ(state.Prisoners[1], 2);
    EXPECT_EQ(host.caption, "Kelmaz 碁盤No0     上げハマ 黒 = 0  白 = 2");
}

TEST_F(Placement, CaptureOfTwoStonesStartsNoKo) {
    load({"XOOX.....", ".X......."});
    black(3, 2);
    EXPECT_EQ(diagram()[0], "X..X.....");
    EXPECT_EQ(state.Prisoners[0], 2);
    EXPECT_EQ(state.KoCol, 0);
    EXPECT_EQ(state.KoMove, 0);
}

TEST_F(Placement, BoardEdgesBoundTheNeighbours) {
    load({"........O", "........X"});
    // White on the right edge of 9 lines has its liberty only to the left.
    black(8, 1);
    EXPECT_EQ(diagram()[0], ".......X.");
    for (int r = 1; r <= kMaxBoardSize; ++r) {
        for (int c = 10; c <= kMaxBoardSize; ++c) {
            EXPECT_EQ(state.BoardGrid[c][r], 0);
            EXPECT_EQ(state.GroupGrid[c][r], 0);
        }
    }
}

// ---------------------------------------------------------------- suicide and ko

TEST_F(Placement, SuicideVanishesSilentlyAndLeavesTheRecordAsBefore) {
    load({".X.......", "X........"});
    const int before = state.MoveCount;
    white(1, 1);
    EXPECT_EQ(state.BoardGrid[1][1], 0);
    EXPECT_EQ(state.MoveCount, before);
    EXPECT_EQ(host.moveNumber, std::to_string(before));
    EXPECT_EQ(host.koRefusals, 0);
    EXPECT_EQ(state.MoveCol[before + 1], 0) << "the refused move must not wait in the record";
    engine.oneForward();
    EXPECT_EQ(state.MoveCount, before);
}

TEST_F(Placement, ARefusedClickInsideTheRecordKeepsEveryLaterMove) {
    // Black surrounds (1,1) with moves 1 and 3; a white stone there is suicide.
    for (const auto& [c, r] : {std::pair{2, 1}, {9, 9}, {1, 2}, {9, 8}, {5, 5}, {9, 7}})
        engine.IshiUtu(c, r);
    const GameState before = state;
    engine.goToMove("3");
    white(1, 1);
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(state.BoardGrid[1][1], 0);
    EXPECT_EQ(state.MoveCol, before.MoveCol) << "moves 4..6 and the end marker are kept";
    EXPECT_EQ(state.MoveRow, before.MoveRow);
    EXPECT_EQ(state.MoveColour, before.MoveColour);
    engine.lastMove();
    EXPECT_EQ(state.MoveCount, 6);
    EXPECT_EQ(state.BoardGrid[9][7], kWhite + 1);
}

// Black takes the white stone at (3,2) with move k; the ko shape then lets white take back.
class Ko : public Placement {
  protected:
    void SetUp() override {
        Placement::SetUp();
        load({"..XO.....", ".XO.O....", "..XO....."});
        black(4, 2);  // takes (3,2)
        ASSERT_EQ(state.BoardGrid[3][2], 0);
        captureMove = state.MoveCount;
    }
    int captureMove = 0;
};

TEST_F(Ko, ImmediateRecaptureIsRefusedWithTheMessage) {
    white(3, 2);
    EXPECT_EQ(host.koRefusals, 1);
    EXPECT_EQ(state.MoveCount, captureMove);
    EXPECT_EQ(state.BoardGrid[3][2], 0);
    EXPECT_EQ(state.BoardGrid[4][2], kBlack + 1);
    EXPECT_EQ(state.MoveCol[captureMove + 1], 0);
    EXPECT_EQ(state.Prisoners[0], 1);
    EXPECT_EQ(state.Prisoners[1], 0);
    // White is to play again.
    engine.IshiUtu(9, 9);
    EXPECT_EQ(state.BoardGrid[9][9], kWhite + 1);
}

TEST_F(Ko, RecaptureAfterAnExchangeElsewhereIsAllowed) {
    white(9, 9);
    black(9, 8);
    white(3, 2);
    EXPECT_EQ(host.koRefusals, 0);
    EXPECT_EQ(state.BoardGrid[3][2], kWhite + 1);
    EXPECT_EQ(state.BoardGrid[4][2], 0);
}

TEST_F(Ko, RecaptureAfterTakingBackTheExchangeIsStillAllowed) {
    white(9, 9);
    black(9, 8);
    white(1, 9);
    engine.Itemodosi();  // back to black's (9,8): the capture is two moves old
    white(3, 2);
    EXPECT_EQ(host.koRefusals, 0);
    EXPECT_EQ(state.BoardGrid[3][2], kWhite + 1);
}

TEST_F(Ko, ImmediateRecaptureIsRefusedAfterARebuildToo) {
    white(9, 9);
    engine.goToMove(std::to_string(captureMove));
    white(3, 2);
    EXPECT_EQ(host.koRefusals, 1);
    EXPECT_EQ(state.MoveCount, captureMove);
}

TEST_F(Ko, ARefusedRecaptureInsideTheRecordKeepsTheContinuation) {
    white(9, 9);
    black(9, 8);
    engine.goToMove(std::to_string(captureMove));
    const auto cols = state.MoveCol;
    white(3, 2);
    EXPECT_EQ(host.koRefusals, 1);
    EXPECT_EQ(state.MoveCount, captureMove);
    EXPECT_EQ(state.MoveCol, cols);
    engine.lastMove();
    EXPECT_EQ(state.MoveCount, captureMove + 2);
}

TEST_F(Ko, ReplayStopsAtARecordedRecaptureAndKeepsTheRestOfTheRecord) {
    record(captureMove + 1, 3, 2, kWhite);  // a record from elsewhere holds the recapture
    record(captureMove + 2, 9, 9, kBlack);
    engine.Saigen();
    engine.replayTick();
    EXPECT_EQ(host.koRefusals, 1);
    EXPECT_EQ(state.MoveCount, captureMove);
    EXPECT_FALSE(host.running) << "the next tick would meet the same refusal";
    EXPECT_EQ(state.MoveCol[captureMove + 1], 3);
    EXPECT_EQ(state.MoveCol[captureMove + 2], 9);
}

// ---------------------------------------------------------------- the click itself

TEST_F(Placement, FirstStoneOfAnEmptyRecordIsBlackWhateverLastColourHolds) {
    state.LastColour = kBlack;
    engine.IshiUtu(5, 5);
    EXPECT_EQ(state.BoardGrid[5][5], kBlack + 1);
    engine.IshiUtu(6, 6);
    EXPECT_EQ(state.BoardGrid[6][6], kWhite + 1);
    engine.IshiUtu(7, 7);
    EXPECT_EQ(state.BoardGrid[7][7], kBlack + 1);
}

TEST_F(Placement, TurnRuleInAMatchFollowsTheStoneChoice) {
    state.NetMatchActive = true;
    state.NetMyColour = kBlack;
    engine.IshiUtu(5, 5);  // alternate, empty record: black
    engine.IshiUtu(6, 6);  // white's turn, we are black
    EXPECT_EQ(state.MoveCount, 1);
    white(6, 6);  // "白石" places nothing in a match
    EXPECT_EQ(state.MoveCount, 1);
    black(6, 6);  // "黒石" places black even in a match
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_EQ(state.BoardGrid[6][6], kBlack + 1);

    state.NetMyColour = kWhite;
    engine.IshiUtu(7, 7);  // last stone black: white's turn, and we are white
    EXPECT_EQ(state.BoardGrid[7][7], kWhite + 1);
    engine.IshiUtu(8, 8);  // black's turn now
    EXPECT_EQ(state.MoveCount, 3);
}

class RecordingNet : public NetLink {
  public:
    std::vector<int> sent;
    void sendMove(int moveNumber) override { sent.push_back(moveNumber); }
};

// Stepping back to move 0 (or clearing the board alone) in a match never hands this player the
// other colour: white at move 0 places nothing, black places move 1 again as black.
TEST_F(Placement, SteppingBackInAMatchNeverChangesTheColour) {
    for (const int mine : {kWhite, kBlack}) {
        for (const bool clear : {false, true}) {
            SCOPED_TRACE(std::to_string(mine) + (clear ? " after 画面消去" : " after 初手"));
            engine.gCls();
            load({"XO.......", "XO......."});
            state.NetMatchActive = true;
            state.NetMyColour = mine;
            RecordingNet net;
            engine.setNet(&net);
            clear ? engine.gCls() : engine.firstMove();
            engine.IshiUtu(7, 7);
            EXPECT_EQ(state.NetMyColour, mine);
            EXPECT_EQ(state.MoveCount, mine == kBlack ? 1 : 0);
            EXPECT_EQ(net.sent, mine == kBlack ? std::vector<int>{1} : std::vector<int>{});
            engine.setNet(nullptr);
        }
    }
    // A fresh connection (or an agreed clear) has decided nothing: the first stone decides.
    engine.gCls();
    state.NetMyColour = kNoColour;
    engine.IshiUtu(3, 3);
    EXPECT_EQ(state.NetMyColour, kBlack);
}

TEST_F(Placement, WithNoColourDecidedTheNextStoneDecidesIt) {
    state.NetMatchActive = true;
    state.NetMyColour = kNoColour;
    load({"X........"});
    engine.IshiUtu(5, 5);
    EXPECT_EQ(state.BoardGrid[5][5], kWhite + 1);
    EXPECT_EQ(state.NetMyColour, kWhite);
    engine.IshiUtu(6, 6);
    EXPECT_EQ(state.MoveCount, 2) << "black's turn is the peer's now";
}

TEST_F(Placement, EachMoveInAMatchGoesToThePeer) {
    RecordingNet net;
    engine.setNet(&net);
    engine.IshiUtu(5, 5);
    EXPECT_TRUE(net.sent.empty()) << "no match, nothing sent";
    state.NetMatchActive = true;
    state.NetMyColour = kWhite;
    engine.IshiUtu(6, 6);
    EXPECT_EQ(net.sent, std::vector<int>{2});
}

TEST_F(Placement, CommentaryOnScreenIsStoredWithThePositionBeforeTheMove) {
    host.commentary = "開始";
    engine.IshiUtu(5, 5);
    host.commentary = "黒の一手";
    engine.IshiUtu(6, 6);
    EXPECT_EQ(state.MoveComment[0], "開始");
    EXPECT_EQ(state.MoveComment[1], "黒の一手");
    EXPECT_EQ(host.commentary, "");
    EXPECT_EQ(host.moveNumber, "2");
    EXPECT_EQ(host.markerFirstTickMs, 10);
}

TEST_F(Placement, NewStoneAfterTakingBackCutsTheContinuation) {
    for (int c = 1; c <= 5; ++c) engine.IshiUtu(c, 5);
    engine.Itemodosi();
    engine.Itemodosi();
    engine.IshiUtu(9, 9);
    EXPECT_EQ(state.MoveCount, 4);
    EXPECT_EQ(state.MoveCol[4], 9);
    EXPECT_EQ(state.MoveCol[5], 0);
}

TEST_F(Placement, ClicksThatCannotActChangeNothing) {
    engine.IshiUtu(5, 5);
    engine.IshiUtu(5, 5);   // occupied
    engine.IshiUtu(0, 3);   // off the board
    engine.IshiUtu(10, 3);  // off a 9-line board
    EXPECT_EQ(state.MoveCount, 1);
    host.running = true;  // the automatic replay runs
    engine.IshiUtu(1, 1);
    EXPECT_EQ(state.MoveCount, 1);
}

TEST_F(Placement, AClickThatWouldNeedSlot501ChangesNothing) {
    useSize(19);
    fillQuietRecord(499);
    state.MoveCount = 499;
    engine.Redraw(1, 499);
    const GameState before = state;
    engine.IshiUtu(2, 2);
    EXPECT_EQ(state.MoveCount, 499);
    EXPECT_EQ(state.BoardGrid, before.BoardGrid);
    EXPECT_EQ(state.MoveCol, before.MoveCol);

    state.MoveCount = 498;
    engine.Redraw(1, 498);
    engine.IshiUtu(2, 2);  // move 499 still fits, with its end marker in slot 500
    EXPECT_EQ(state.MoveCount, 499);
    EXPECT_EQ(state.MoveCol[500], 0);
}

class AskingTree : public TreeLink {
  public:
    bool shown = true;
    bool answer = false;
    int questions = 0;
    std::string comment;
    bool visible() const override { return shown; }
    bool confirmDiscardTree() override {
        ++questions;
        return answer;
    }
    std::string takeBranchComment() override { return std::exchange(comment, {}); }
};

TEST_F(Placement, TreeEditorIsAskedBeforeItsTreeIsDiscarded) {
    AskingTree tree;
    engine.setTree(&tree);
    engine.IshiUtu(5, 5);
    EXPECT_EQ(tree.questions, 1);
    EXPECT_EQ(state.MoveCount, 0) << "answered No";
    tree.answer = true;
    engine.IshiUtu(5, 5);
    EXPECT_EQ(state.MoveCount, 1);
}

TEST_F(Placement, BranchInputCollectsOneCommentPerMove) {
    AskingTree tree;
    engine.setTree(&tree);
    state.BranchInputMode = true;
    tree.comment = "分岐の一手";
    engine.IshiUtu(5, 5);
    tree.comment = "次";
    engine.IshiUtu(6, 6);
    EXPECT_EQ(tree.questions, 0) << "recording a branch does not ask";
    EXPECT_EQ(state.BranchComments, (std::vector<std::string>{"分岐の一手", "次", ""}));
}

}  // namespace
}  // namespace kelmaz::test
