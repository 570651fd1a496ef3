// The board engine on the program's document: what a file sets up is set up, and every change
// the engine makes reaches the document, so that the document's text is what the board shows.
#include <gtest/gtest.h>

#include "support/BoardDiagram.h"
#include "support/EngineOnFakeHost.h"
#include "support/SgfPropertyReader.h"

namespace kelmaz {
namespace {

class DocumentRecordTest : public ::testing::Test, protected test::EngineOnFakeHost {
  protected:
    void open(const std::string& text) {
        engine.gCls();
        record.takeSgf(text);
        state.MoveCount = state.lastMoveInRecord();
        engine.showRecordRead();
    }
    // The document's text read back by the test's own reader.
    std::vector<test::SgfGameProperties> saved() const {
        return test::readSgfProperties(document.text());
    }
};

// A problem file: its position stands before move 1, unnumbered; AE empties a point.
TEST_F(DocumentRecordTest, SetupStonesAreThePositionNotMovesAndAEEmptiesAPoint) {
    useSize(9);
    open("(;SZ[9]AB[aa][ba]AW[ca:cb];W[dd];AE[aa];B[ee])");
    EXPECT_EQ(state.lastMoveInRecord(), 2);
    const auto rows = [this](int upto) {
        std::string text;
        for (int row = 1; row <= upto; ++row) text += test::diagramRows(state)[row - 1] + "\n";
        return text;
    };
    engine.firstMove();
    EXPECT_EQ(rows(4), "XXO......\n..O......\n.........\n.........\n");
    EXPECT_EQ(state.MoveNoGrid[1][1], 0);
    engine.oneForward();
    EXPECT_EQ(rows(4), ".XO......\n..O......\n.........\n...O.....\n");
    EXPECT_EQ(state.MoveNoGrid[4][4], 1);
    engine.lastMove();
    EXPECT_EQ(state.MoveNoGrid[5][5], 2);
}

// A problem where White plays first: the first stone placed is White's, and so is a stone
// at a later position the record gives to White.
TEST_F(DocumentRecordTest, TheStoneChoiceFollowsThePlayerTheRecordGivesTheMoveTo) {
    useSize(9);
    open("(;SZ[9]AB[aa]PL[W])");
    engine.IshiUtu(5, 5);
    EXPECT_EQ(state.BoardGrid[5][5], kWhite + 1);
    engine.IshiUtu(6, 6);
    EXPECT_EQ(state.BoardGrid[6][6], kBlack + 1);
}

// Stones, a comment typed, a new line, the board turned: the document holds the record the
// board shows, and every variation the file had.
TEST_F(DocumentRecordTest, TheEnginesEditsAreTheDocumentsAndLoseNoVariation) {
    useSize(9);
    open("(;SZ[9];B[aa](;W[bb]C[main])(;W[cc]C[other]))");
    engine.firstMove();
    engine.oneForward();
    host.commentary = "typed";
    engine.commentaryTyped("typed");
    put(kWhite, 4, 4);  // W[dd] goes in beside the file's W[bb] and W[cc]
    engine.Gkaiten_Click();
    EXPECT_EQ(state.MoveCol[2], 6);  // shown turned on nine lines
    EXPECT_EQ(saved(), test::readSgfProperties(
                           "(;SZ[9];B[aa]C[typed](;W[bb]C[main])(;W[cc]C[other])(;W[dd]))"));
    engine.Gkaiten_Click();
    put(kBlack, 5, 5);
    EXPECT_EQ(saved(), test::readSgfProperties(
                           "(;SZ[9];B[aa]C[typed](;W[bb]C[main])(;W[cc]C[other])(;W[dd];B[ee]))"));
}

// The commentary box drops the CR of a line break: the comment it shows is the one on record.
TEST_F(DocumentRecordTest, ACommentAsTheBoxShowsItIsNoEdit) {
    open("(;SZ[19];B[pd]C[two\r\nlines])");
    const auto revision = document.revision();
    record.setComment(1, "two\nlines");
    EXPECT_EQ(document.revision(), revision);
    EXPECT_FALSE(document.game(0).edited);
}

}  // namespace
}  // namespace kelmaz
