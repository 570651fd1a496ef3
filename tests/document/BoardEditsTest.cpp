// The edit palette's commands on a document, each checked against the independent SGF reader
// and taken back by one undo; the problem mode's answers on a small problem.
#include <gtest/gtest.h>

#include "document/BoardEdits.h"
#include "document/ProblemSession.h"
#include "engine/GameState.h"
#include "support/SgfPropertyReader.h"

namespace kelmaz {
namespace {

using test::readSgfProperties;

struct EditCase {
    const char* name;
    const char* before;
    int node;
    EditTool tool;
    std::vector<std::pair<int, int>> points;  // one click, or the points of one drag
    const char* after;                        // the game as the independent reader sees it
};

const EditCase kEditCases[] = {
    {"BlackSetupAtTheRoot", "(;SZ[5])", 0, EditTool::BlackStone, {{1, 1}}, "(;SZ[5]AB[aa])"},
    {"ClickOnItsOwnSetupRemovesIt",
     "(;SZ[5]AB[aa][bb])",
     0,
     EditTool::BlackStone,
     {{1, 1}},
     "(;SZ[5]AB[bb])"},
    {"WhiteOnARectangleOfBlackSplitsIt",
     "(;SZ[5]AB[aa:bb])",
     0,
     EditTool::WhiteStone,
     {{1, 1}},
     "(;SZ[5]AB[ab][ba][bb]AW[aa])"},
    {"SetupAfterAMoveGoesIntoANewNodeBeforeItsContinuation",
     "(;SZ[5];B[cc];W[dd])",
     1,
     EditTool::EmptyPoint,
     {{3, 3}},
     "(;SZ[5];B[cc];AE[cc];W[dd])"},
    {"EmptiedPointClickedAgainGetsItsStoneBack",
     "(;SZ[5]AB[cc];AE[cc])",
     1,
     EditTool::EmptyPoint,
     {{3, 3}},
     "(;SZ[5]AB[cc];)"},
    {"BlackOnAStoneOfAnEarlierMoveEmptiesIt",
     "(;SZ[5];B[cc];PL[W])",
     2,
     EditTool::BlackStone,
     {{3, 3}},
     "(;SZ[5];B[cc];PL[W]AE[cc])"},
    {"TriangleStaysOnTheMoveNode",
     "(;SZ[5];B[cc])",
     1,
     EditTool::Triangle,
     {{3, 3}},
     "(;SZ[5];B[cc]TR[cc])"},
    {"ShapeReplacesAnotherMarkOnThePoint",
     "(;SZ[5]CR[aa]TR[bb])",
     0,
     EditTool::Triangle,
     {{1, 1}},
     "(;SZ[5]TR[bb][aa])"},
    {"ClickOnItsOwnShapeRemovesIt",
     "(;SZ[5]SQ[aa][bb])",
     0,
     EditTool::Square,
     {{2, 2}},
     "(;SZ[5]SQ[aa])"},
    {"LetterTakesTheFirstFreeOne",
     "(;SZ[5]LB[aa:A][bb:C])",
     0,
     EditTool::Letter,
     {{3, 3}},
     "(;SZ[5]LB[aa:A][bb:C][cc:B])"},
    {"NumberTakesTheFirstFreeOne",
     "(;SZ[5]LB[aa:1])",
     0,
     EditTool::Number,
     {{2, 2}},
     "(;SZ[5]LB[aa:1][bb:2])"},
    {"LetterOnALetterRemovesIt",
     "(;SZ[5]LB[aa:A]MA[bb])",
     0,
     EditTool::Letter,
     {{1, 1}},
     "(;SZ[5]MA[bb])"},
    {"EraseMarksClearsEveryKindOnThePoint",
     "(;SZ[5]LB[aa:A]SQ[aa]MA[bb])",
     0,
     EditTool::EraseMarks,
     {{1, 1}},
     "(;SZ[5]MA[bb])"},
    {"DragPaintsLettersInOrder",
     "(;SZ[5])",
     0,
     EditTool::Letter,
     {{1, 1}, {2, 1}, {3, 1}},
     "(;SZ[5]LB[aa:A][ba:B][ca:C])"},
    {"DragThatStartsOnAStoneRemovesAlongIt",
     "(;SZ[5]AW[aa][ba][ca])",
     0,
     EditTool::WhiteStone,
     {{1, 1}, {2, 1}, {4, 1}},
     "(;SZ[5]AW[ca])"},
    {"SetupDragAfterAMoveFillsOneNewNode",
     "(;SZ[5];B[cc];W[dd])",
     1,
     EditTool::BlackStone,
     {{1, 1}, {2, 1}, {3, 1}},
     "(;SZ[5];B[cc];AB[aa][ba][ca];W[dd])"},
    {"PointOffTheGamesBoardChangesNothing", "(;SZ[5])", 0, EditTool::Cross, {{6, 6}}, "(;SZ[5])"},
};

void PrintTo(const EditCase& c, std::ostream* out) { *out << c.name; }

class BoardEdit : public testing::TestWithParam<EditCase> {};

TEST_P(BoardEdit, IsOneEditThatOneUndoTakesBack) {
    const EditCase& c = GetParam();
    RecordDocument document;
    document.read(c.before);
    document.choose({0, c.node});
    const std::string original = document.text();
    EditStroke stroke(document, c.tool);
    for (const auto& [col, row] : c.points) EXPECT_TRUE(stroke.add(col, row).message.empty());
    EXPECT_EQ(readSgfProperties(document.text()), readSgfProperties(c.after));
    document.undo();
    EXPECT_EQ(document.text(), original);
}

INSTANTIATE_TEST_SUITE_P(Tools, BoardEdit, testing::ValuesIn(kEditCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(BoardEdits, SetupThatPutsALaterMoveOnAStoneIsRefused) {
    RecordDocument document;
    // A stone set where the main line plays later, or where the second variation plays.
    document.read("(;SZ[5](;B[cc];W[dd])(;B[ee]))");
    const std::string original = document.text();
    for (const auto& [col, row] : {std::pair{4, 4}, std::pair{5, 5}}) {
        const EditOutcome refused = EditStroke(document, EditTool::WhiteStone).add(col, row);
        EXPECT_FALSE(refused.changed);
        EXPECT_TRUE(refused.message.starts_with(kSetupBlocksMoveMessage));
    }
    EXPECT_EQ(document.text(), original);
    EXPECT_FALSE(document.canUndo());
    // A point refused in the middle of a drag keeps the points before it, as one step.
    EditStroke drag(document, EditTool::WhiteStone);
    EXPECT_TRUE(drag.add(1, 1).changed);
    EXPECT_FALSE(drag.add(4, 4).changed);
    EXPECT_TRUE(drag.add(2, 1).changed);
    EXPECT_EQ(readSgfProperties(document.text()),
              readSgfProperties("(;SZ[5]AW[aa][ba](;B[cc];W[dd])(;B[ee]))"));
    document.undo();
    EXPECT_EQ(document.text(), original);
}

TEST(BoardEdits, PlayerToMoveSwitchesAndFallsBackToTheRecordsOwn) {
    RecordDocument document;
    document.read("(;SZ[5]AB[aa];B[cc])");
    switchPlayerToMove(document);
    EXPECT_EQ(readSgfProperties(document.text()), readSgfProperties("(;SZ[5]AB[aa]PL[W];B[cc])"));
    switchPlayerToMove(document);
    EXPECT_EQ(readSgfProperties(document.text()), readSgfProperties("(;SZ[5]AB[aa];B[cc])"));
    document.choose({0, 1});  // after B[cc] White moves; the switch is a node of its own
    switchPlayerToMove(document);
    EXPECT_EQ(readSgfProperties(document.text()), readSgfProperties("(;SZ[5]AB[aa];B[cc];PL[B])"));
}

// Black to play: "db" then "ea" is the right line; "da" is answered and marked wrong.
constexpr std::string_view kProblems =
    "(;SZ[5]AB[ab][bb][cb]AW[ac][bc][cc][dc]PL[B]"
    "(;B[db];W[da];B[ea]C[正解])(;B[da];W[db]C[不正解]))"
    "(;SZ[5]AW[aa];W[bb])";

TEST(ProblemSession, RightAndWrongLinesAreAnsweredAndTheRecordStaysAsItWas) {
    RecordDocument document;
    document.read(kProblems);
    const auto revision = document.revision();
    ProblemSession session(document, 0);
    EXPECT_EQ(session.player(), kBlack);
    EXPECT_EQ(session.click(1, 2), ProblemAnswer::None);   // a stone stands there
    EXPECT_EQ(session.click(5, 5), ProblemAnswer::Wrong);  // no variation plays there
    EXPECT_EQ(session.position(), (LinePosition{0, 0}));
    EXPECT_FALSE(session.finished());
    EXPECT_EQ(session.click(4, 2), ProblemAnswer::Reply);
    EXPECT_EQ(session.position(), (LinePosition{0, 2}));  // W[da] answered
    EXPECT_EQ(session.click(5, 1), ProblemAnswer::Right);
    EXPECT_TRUE(session.finished());

    session.retry();
    EXPECT_EQ(session.position(), (LinePosition{0, 0}));
    // "不正解" holds "正解": the refutation's comment must still read as wrong.
    EXPECT_EQ(session.click(4, 1), ProblemAnswer::Wrong);
    EXPECT_TRUE(session.finished());
    EXPECT_EQ(document.revision(), revision);
}

TEST(ProblemSession, NextProblemOpensTheFollowingGameUntilTheLast) {
    RecordDocument document;
    document.read(kProblems);
    ProblemSession session(document, 0);
    ASSERT_TRUE(session.next());
    EXPECT_EQ(session.position(), (LinePosition{1, 0}));
    EXPECT_EQ(session.player(), kWhite);  // the record's answer, though it names no PL
    EXPECT_EQ(session.click(2, 2), ProblemAnswer::Right);  // an unmarked line's end
    EXPECT_FALSE(session.next());
    EXPECT_TRUE(ProblemSession::isProblem(document.game(1)));
    document.read("(;SZ[5];B[aa])");
    EXPECT_FALSE(ProblemSession::isProblem(document.game(0)));
}

}  // namespace
}  // namespace kelmaz
