// The UGF, Tki and applet-page readers, driven through format detection as a file read does.
#include <gtest/gtest.h>

#include "base/TextCodec.h"
#include "intake/RecordFormat.h"
#include "records/RecordFile.h"
#include "records/RecordMoves.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

using Lines = std::vector<std::string>;

struct Read {
    GameState state;
    FormatResult result;
};

Read readLines(Lines lines, BoardOptions options = {}) {
    Read r;
    r.state.LstRead = std::move(lines);
    TreeLink tree;
    r.result = GetFormat(r.state, options, tree);
    return r;
}

void expectMove(const GameState& s, int k, int col, int row, int colour) {
    EXPECT_EQ(s.MoveCol[k], col) << "move " << k;
    EXPECT_EQ(s.MoveRow[k], row) << "move " << k;
    EXPECT_EQ(s.MoveColour[k], colour) << "move " << k;
}

TEST(UgfReader, HeaderKeysFillTheGameInformation) {
    const Read r = readLines({"[Header]", "PlayerB=Name,Rank", "PlayerW=白石,9d,,-", "Hdcap=0,6.5",
                              "Winner=B,C", "Title=棋聖戦", "Lang=SJIS", "Size=13", "Unknown=1"});
    ASSERT_TRUE(r.result.ok);
    EXPECT_EQ(r.result.DetectedFormat, "");
    const GameInfo& info = r.state.Info;
    EXPECT_EQ(info[InfoField::PB], "Name");
    EXPECT_EQ(info[InfoField::BR], "Rank");
    EXPECT_EQ(info[InfoField::PW], "白石");
    EXPECT_EQ(info[InfoField::WR], "9d");
    EXPECT_EQ(info[InfoField::KM], "6.5");
    EXPECT_EQ(info[InfoField::HA], "");
    EXPECT_EQ(info[InfoField::RE], "B,C");
    EXPECT_EQ(info.WinnerLabel, "黒");
    EXPECT_EQ(info.DetailLabel, "中押");
    EXPECT_EQ(info[InfoField::EV], "棋聖戦");
    EXPECT_EQ(info[InfoField::CA], "SJIS");
    EXPECT_EQ(info[InfoField::SZ], "13");
    EXPECT_EQ(info[InfoField::GM], "1");
    EXPECT_EQ(r.state.BoardSize, 19);  // the board keeps its own size

    EXPECT_EQ(readLines({"Winner=W,3.5"}).state.Info.DetailLabel, "3.5");
    // Real files spell the handicap key Hdcp; the komi is read from it too.
    EXPECT_EQ(readLines({"Hdcp=0,-5.50"}).state.Info[InfoField::KM], "-5.50");
}

TEST(UgfReader, KeyWithoutItsCommaIsSkippedAndTheRecordRead) {
    for (const char* bad :
         {"PlayerB=Name", "PlayerW=Name", "Winner=B", "Hdcap=0", "Hdcp=", "Hdcp=0", "Hdcp"}) {
        const Read r = readLines({"Title=T", bad, "Place=P", "[Data]", "PD,B1,1,0"});
        EXPECT_TRUE(r.result.ok) << bad;
        EXPECT_EQ(r.state.Info[InfoField::EV], "T") << bad;
        EXPECT_EQ(r.state.Info[InfoField::PC], "P") << bad;
        EXPECT_EQ(r.state.Info[InfoField::PB], "") << bad;
        EXPECT_EQ(r.state.Info[InfoField::KM], "") << bad;
        EXPECT_EQ(r.state.MoveCount, 1) << bad;
        expectMove(r.state, 1, 16, 4, kBlack);
    }
}

TEST(UgfReader, MoveLinesAfterDataOnly) {
    const Read r = readLines({"Ver=UGF,1", "PD,B1,9,0", "[Data]", "PD,B1,1,0", "dp,W1,2,0",
                              "PD,B2,3,0", "qc,B1,3,0", "Title=late"});
    ASSERT_TRUE(r.result.ok);
    EXPECT_EQ(r.result.DetectedFormat, "USG");
    EXPECT_EQ(r.state.MoveCount, 3);
    expectMove(r.state, 1, 16, 4, kBlack);
    expectMove(r.state, 2, 4, 16, kWhite);  // lower case reads like upper case
    expectMove(r.state, 3, 17, 3, kBlack);
    EXPECT_EQ(r.state.Info[InfoField::EV], "late");
}

TEST(UgfReader, MoveNumbersPlaceMovesAndTheLastLineSetsTheCount) {
    Read r = readLines({"[Data]", "QD,B1,2,0", "DD,W1,1,0"});
    EXPECT_EQ(r.state.MoveCount, 1);
    expectMove(r.state, 2, 17, 4, kBlack);

    r = readLines({"[Data]", "PD,B1,5"});  // no move-number field: slot 0
    ASSERT_TRUE(r.result.ok);
    EXPECT_EQ(r.state.MoveCount, 0);
    EXPECT_EQ(r.state.MoveCol[1], 0);

    BoardOptions lowerLeft;
    lowerLeft.ugfLowerLeftOrigin = true;
    r = readLines({"[Data]", "PD,B1,1,0"}, lowerLeft);
    expectMove(r.state, 1, 16, 16, kBlack);
    lowerLeft.sizeIndex = 2;  // 9 lines
    r = readLines({"[Data]", "CC,B1,1,0"}, lowerLeft);
    expectMove(r.state, 1, 3, 7, kBlack);
}

TEST(UgfReader, MalformedMoveLinesFailAndStrayPointsArePasses) {
    for (const char* bad :
         {"PD,B1,1,0,5,6", "PD,B1,501,0", "PD,B1,-1,0", "PD,B1,x,0", "PD,B1,1e9,0"}) {
        const Read r = readLines({"[Data]", "DD,W1,1,0", bad});
        EXPECT_FALSE(r.result.ok) << bad;
        expectMove(r.state, 1, 4, 4, kWhite);
    }
    const Read r = readLines({"[Data]", "@D,B1,1,0", ",W1,2,0", "YA,B1,3,0", "DD,W1,4,0"});
    ASSERT_TRUE(r.result.ok);
    EXPECT_EQ(r.state.MoveCount, 4);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(r.state.MoveCol[k], kPassCoord) << k;
    expectMove(r.state, 4, 4, 4, kWhite);
}

TEST(TkiReader, FieldsColourAndCommentary) {
    const Read r = readLines({"fmt=Tki", "PlayerB=黒,5d", "[Data]", "16,4,0,", "4,16,1,nice move",
                              "4,16,1,a,b", "4,16,1", "", "   ", "17,3,0,表ソ"});
    ASSERT_TRUE(r.result.ok);
    EXPECT_TRUE(r.result.tki);
    EXPECT_EQ(r.state.Info[InfoField::PB], "黒");
    EXPECT_EQ(r.state.Info[InfoField::GM], "1");
    EXPECT_EQ(r.state.MoveCount, 5);  // blank lines are not moves
    expectMove(r.state, 1, 16, 4, kBlack);
    EXPECT_EQ(r.state.MoveComment[1], "");
    expectMove(r.state, 2, 4, 16, kWhite);
    EXPECT_EQ(r.state.MoveComment[2], "nice move");
    EXPECT_EQ(r.state.MoveComment[3], "ab");
    expectMove(r.state, 4, 4, 16, kBlack);
    EXPECT_EQ(r.state.MoveComment[4], "1");
    expectMove(r.state, 5, 17, 3, kBlack);
    EXPECT_EQ(r.state.MoveComment[5], "表ソ");
}

TEST(TkiReader, NoMoveEverEndsTheRecordAndBadNumbersFail) {
    Read r = readLines({"fmt=Tki", "[Data]", "0,0,0,", "16", "16,4,0,"});
    ASSERT_TRUE(r.result.ok);
    EXPECT_EQ(r.state.MoveCount, 3);
    EXPECT_EQ(r.state.MoveCol[1], kPassCoord);
    EXPECT_EQ(r.state.MoveCol[2], kPassCoord);
    EXPECT_EQ(r.state.MoveComment[2], "16");
    expectMove(r.state, 3, 16, 4, kBlack);

    for (const char* bad : {"40000,4,0,", "x,4,0,", "4,,0,"}) {
        r = readLines({"fmt=Tki", "[Data]", "3,3,0,", bad});
        EXPECT_FALSE(r.result.ok) << bad;
        EXPECT_EQ(r.state.MoveCount, 1);
    }
    Lines many{"fmt=Tki", "[Data]"};
    for (int i = 0; i < 501; ++i) many.push_back("3,3,0,");
    r = readLines(many);
    EXPECT_FALSE(r.result.ok);
    EXPECT_EQ(r.state.MoveCount, 500);

    // The marker must be exact: with a trailing blank the UGF move reader reads the lines.
    r = readLines({"fmt=Tki ", "[Data]", "16,4,0,"});
    EXPECT_FALSE(r.result.tki);
    EXPECT_EQ(r.state.MoveCount, 0);
}

TEST(AppletReader, ParamsAndLetterPairs) {
    const Read r = readLines(
        {"<TITLE>WtGobanApplet</TITLE>", "<PARAM name=\"Title\" value=\"名人戦\">",
         "<PARAM name=\"Result\" value=\"B+R\">", "<PARAM name='Black' value='x'>",
         "<PARAM name = \"White\" value = \"y\">", "<PARAM name=\"Kifu\" value=\"pdDPqcz\">"});
    ASSERT_TRUE(r.result.ok);
    EXPECT_EQ(r.result.DetectedFormat, "Wt");
    EXPECT_EQ(r.state.Info[InfoField::EV], "名人戦");
    EXPECT_EQ(r.state.Info.WinnerLabel, "黒");
    EXPECT_EQ(r.state.Info.DetailLabel, "中押し");
    EXPECT_EQ(r.state.Info[InfoField::PB], "");
    EXPECT_EQ(r.state.Info[InfoField::PW], "");
    EXPECT_EQ(r.state.MoveCount, 3);  // the odd last letter is dropped
    expectMove(r.state, 1, 16, 4, kBlack);
    expectMove(r.state, 2, 4, 16, kWhite);
    expectMove(r.state, 3, 17, 3, kBlack);
    EXPECT_EQ(r.state.LstRead[1], "PARAM name=Title value=名人戦");
}

TEST(AppletReader, StrayLettersArePassesAndTooManyMovesFail) {
    Read r = readLines({"<TITLE>WtGobanApplet</TITLE>", "PARAM name=Kifu value=zz`a表x"});
    ASSERT_TRUE(r.result.ok);
    EXPECT_EQ(r.state.MoveCount, 3);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(r.state.MoveCol[k], kPassCoord) << k;

    r = readLines(
        {"<TITLE>WtGobanApplet</TITLE>", "PARAM name=Kifu value=" + std::string(1002, 'c')});
    EXPECT_FALSE(r.result.ok);
    EXPECT_EQ(r.state.MoveCount, 500);

    r = readLines({"<TITLE>WtGobanApplet</TITLE>", "PARAM name=Size value=9"});
    EXPECT_TRUE(r.result.ok);
    EXPECT_EQ(r.state.MoveCount, 0);
    EXPECT_EQ(r.state.Info[InfoField::SZ], "9");
}

TEST(FormatDetection, LastMarkerDecidesAndSplitOpeningsAreJoined) {
    Lines lines{"  (  ", " ;GM[1]", "B[aa])"};
    joinSplitOpenings(lines);
    EXPECT_EQ(lines, (Lines{"(;", "GM[1]", "B[aa])"}));

    EXPECT_EQ(readLines({"(", ";GM[1];B[aa])"}).result.DetectedFormat, "SGF");
    EXPECT_EQ(readLines({"ver=ugf", "(;GM[1])"}).result.DetectedFormat, "SGF");
    EXPECT_EQ(readLines({"(;GM[1])", "Ver=UGF,1"}).result.DetectedFormat, "USG");
    EXPECT_EQ(readLines({"x (;", "<TITLE>WtGobanApplet</TITLE>"}).result.DetectedFormat, "Wt");
    EXPECT_EQ(readLines({"<title>WtGobanApplet</title>"}).result.DetectedFormat, "");
}

TEST(FormatDetection, ARecordReadAfterAnSgfFileDropsTheOldTree) {
    Read r;
    r.state.SgfText = "(;B[aa])";
    r.state.LstRead = {"fmt=Tki", "[Data]", "16,4,0,"};
    TreeLink tree;
    r.result = GetFormat(r.state, BoardOptions{}, tree);
    EXPECT_TRUE(r.result.tki);
    EXPECT_EQ(r.state.MoveCount, 1);
    EXPECT_EQ(r.state.SgfText, "");
}

TEST(RecordFile, HandmadeFilesOfEachFormat) {
    const auto dir = test::testDataDir() / "handmade";
    TreeLink tree;
    GameState ugf;
    ASSERT_EQ(readRecordFile((dir / "ugf-hdcap-lower-case-coordinate.ugf").string(), ugf, {}, tree)
                  .status,
              RecordReadResult::Status::Ok);
    EXPECT_EQ(ugf.Info[InfoField::EV], "例会");
    EXPECT_EQ(ugf.Info[InfoField::KM], "6.5");
    expectMove(ugf, 3, 17, 3, kBlack);

    GameState tki;
    ASSERT_EQ(readRecordFile((dir / "tki-comments-and-commas.txt").string(), tki, {}, tree).status,
              RecordReadResult::Status::Ok);
    EXPECT_EQ(tki.MoveCount, 5);
    EXPECT_EQ(tki.MoveComment[2], "いい手");
    EXPECT_EQ(tki.MoveComment[5], "表示のテスト");

    GameState applet;
    ASSERT_EQ(readRecordFile((dir / "applet-page-cp932.htm").string(), applet, {}, tree).status,
              RecordReadResult::Status::Ok);
    EXPECT_EQ(applet.MoveCount, 10);
    EXPECT_EQ(applet.Info[InfoField::PB], "山田太郎");

    GameState missing;
    const RecordReadResult none =
        readRecordFile((dir / "no-such-file").string(), missing, {}, tree);
    EXPECT_EQ(none.status, RecordReadResult::Status::FileError);
    EXPECT_EQ(none.message, kReadErrorMessage);
    EXPECT_EQ(readRecordFile(dir.string(), missing, {}, tree).status,
              RecordReadResult::Status::FileError);
}

}  // namespace
}  // namespace kelmaz
