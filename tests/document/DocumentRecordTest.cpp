// The board engine on the program's document: every change the engine makes reaches the
// document, so that the document's text is what the board shows.
#include <gtest/gtest.h>

#include "support/EngineOnFakeHost.h"
#include "support/SgfPropertyReader.h"

namespace kelmaz {
namespace {

class DocumentRecordTest : public ::testing::Test, protected test::EngineOnFakeHost {
  protected:
    void open(const std::string& text) {
        engine.gCls();
        record.takeSgf(text);
        record.takeRootInfo();
        state.MoveCount = state.lastMoveInRecord();
        engine.showRecordRead();
    }
    // The document's text read back by the test's own reader.
    std::vector<test::SgfGameProperties> saved() const {
        return test::readSgfProperties(document.text());
    }
};

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

// What the file window writes: a record made on the board in the program's layout (the game
// information first, in its own order), with the commentary box as the comment of the position
// shown and every move after it, and a file's tree with what it held and nothing other readers
// stumble over; the game information edited (PB) in its root either way.
TEST_F(DocumentRecordTest, TheSavedFileIsInTheProgramsLayout) {
    const struct {
        const char* fault;
        const char* read;  // the file read, or none for two moves made on the board
        int shown;
        const char* typed;  // in the commentary box
        const char* saved;
    } rows[] = {
        {"game, format and size left out, the charset left to guessing", "", 2, "",
         "(;\r\nFF[4]\r\nGM[1]\r\nSZ[19]\r\nCA[UTF-8]\r\nAP[KelMaz clone]\r\nPB[黒]\r\n;B[pd]\r\n"
         ";W[dp]\r\n)\r\n"},
        {"the introduction typed before the first move was lost", "", 0, "序盤の解説",
         "(;\r\nFF[4]\r\nGM[1]\r\nSZ[19]\r\nCA[UTF-8]\r\nAP[KelMaz clone]\r\nPB[黒]\r\n"
         "C[序盤の解説]\r\n;B[pd]\r\n;W[dp]\r\n)\r\n"},
        {"the moves after the one shown were lost", "", 1, "typed\nover two lines",
         "(;\r\nFF[4]\r\nGM[1]\r\nSZ[19]\r\nCA[UTF-8]\r\nAP[KelMaz clone]\r\nPB[黒]\r\n;B[pd]\r\n"
         "C[typed\nover two lines]\r\n;W[dp]\r\n)\r\n"},
        {"a tree without game information lost its variations", "(;B[aa](;W[bb])(;W[cc]))", 0, "",
         "(;\r\nFF[4]\r\nGM[1]\r\nSZ[19]\r\nCA[UTF-8]\r\nAP[KelMaz clone]\r\nPB[黒]\r\nB[aa]\r\n"
         "(;W[bb]\r\n)\r\n(;W[cc]\r\n)\r\n)\r\n"},
        {"groups without a node of their own were written back", "(;GM[1]((;B[pd]C[x])()))", 1, "x",
         "(;\r\nFF[4]\r\nGM[1]\r\nSZ[19]\r\nCA[UTF-8]\r\nAP[KelMaz clone]\r\nPB[黒]\r\n;B[pd]\r\n"
         "C[x]\r\n)\r\n"},
        {"escaped brackets and backslashes were unescaped", "(;PW[a \\] b];B[qd]C[c\\]d\\\\e])", 1,
         "c]d\\e",
         "(;\r\nFF[4]\r\nGM[1]\r\nSZ[19]\r\nCA[UTF-8]\r\nAP[KelMaz clone]\r\nPB[黒]\r\n"
         "PW[a \\] b]\r\n;B[qd]\r\nC[c\\]d\\\\e]\r\n)\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        if (*row.read) {
            open(row.read);
        } else {
            engine.gCls();
            put(kBlack, 16, 4);
            put(kWhite, 4, 16);
        }
        engine.goToMove(std::to_string(row.shown));
        record.setGameInfoField(int(InfoField::PB), "黒");
        host.commentary = row.typed;
        EXPECT_EQ(savedBytes(), row.saved);
    }
}

}  // namespace
}  // namespace kelmaz
