// Marks of a record read from SGF on their way out: the move-list writer writes them back, the
// command-line tool lists those of the position it shows, and the board's rotation and a new
// stone treat them like the moves they belong to.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/TextCodec.h"
#include "engine/Engine.h"
#include "intake/RecordTool.h"
#include "records/SgfWriter.h"
#include "support/FakeBoardHost.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

void readText(const test::TempDir& dir, const std::string& text, ToolRecord& record) {
    test::writeBytes(dir.file("in.sgf"), text);
    const RecordReadResult read = readRecordForTool(dir.file("in.sgf").string(), record);
    EXPECT_EQ(read.status, RecordReadResult::Status::Ok) << read.message;
}

// The bytes the move-list writer gives for a record (the tree text set aside).
std::string moveListBytes(ToolRecord& record) {
    record.state.SgfText.clear();
    return sgfRecordBytes(record.state);
}

const char* const kMarked = "handmade/sgf-labels-and-marks.sgf";

}  // namespace

TEST(MarkupRecord, TheMoveListWriterKeepsEveryMarkThroughWritingAndReadingBack) {
    test::TempDir dir;
    ToolRecord first;
    readText(dir, test::readBytes(test::dataFile(kMarked)), first);
    ASSERT_EQ(first.state.lastMoveInRecord(), 8);
    ASSERT_FALSE(first.state.MoveMarkup[8].empty());
    // Labels whose texts need escaping, and marks of the empty board.
    first.state.MoveMarkup[0] = {{MarkKind::Label, 10, 10, "a]b\\c"}, {MarkKind::Cross, 1, 19, {}}};
    const std::string written = moveListBytes(first);
    EXPECT_NE(written.find("\r\nLB[jj:a\\]b\\\\c]\r\nMA[as]\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("\r\nTR[qb][qc][rb][rc]\r\n"), std::string::npos) << written;

    ToolRecord again;
    readText(dir, written, again);
    for (int k = 0; k <= kMaxMoves; ++k)
        EXPECT_EQ(again.state.MoveMarkup[k], first.state.MoveMarkup[k]) << "move " << k;
    EXPECT_EQ(moveListBytes(again), written);
}

TEST(MarkupRecord, ARecordWithoutMarksIsWrittenAsItAlwaysWas) {
    test::TempDir dir;
    ToolRecord record;
    readText(dir, "(;SZ[19]C[intro];B[pd]C[one];W[dp];B[pp])", record);
    EXPECT_EQ(moveListBytes(record),
              "(;\r\nFF[4]\r\nGM[1]\r\nSZ[19]\r\nCA[UTF-8]\r\nC[intro]\r\n;B[pd]\r\nC[one]\r\n"
              ";W[dp]\r\n;B[pp]\r\n)\r\n");
}

TEST(MarkupRecord, ATurnedBoardWritesTheMarksWhereTheRecordHasThem) {
    test::TempDir dir;
    ToolRecord record;
    readText(dir, "(;SZ[19];B[pd]TR[pd]LB[aa:A])", record);
    test::FakeBoardHost host;
    Engine engine(record.state, record.options, host, record.keeper);
    engine.Gkaiten_Click();
    ASSERT_TRUE(record.state.BoardRotated);
    // On the turned board the marks stand with their stone.
    EXPECT_EQ(record.state.MoveMarkup[1],
              (Markup{{MarkKind::Triangle, 4, 16, {}}, {MarkKind::Label, 19, 19, "A"}}));
    const std::string written = moveListBytes(record);
    EXPECT_NE(written.find(";B[pd]\r\nLB[aa:A]\r\nTR[pd]\r\n"), std::string::npos) << written;
}

TEST(MarkupRecord, ANewStoneReplacingAMoveTakesNoneOfItsMarks) {
    test::TempDir dir;
    ToolRecord record;
    readText(dir, "(;SZ[19];B[pd]TR[pd];W[dp]CR[dp];B[pp]SQ[pp])", record);
    test::FakeBoardHost host;
    Engine engine(record.state, record.options, host, record.keeper);
    engine.goToMove("1");
    engine.IshiUtu(10, 10);  // move 2 of a new line
    EXPECT_EQ(record.state.MoveCount, 2);
    EXPECT_EQ(record.state.MoveMarkup[1].size(), 1u);
    EXPECT_TRUE(record.state.MoveMarkup[2].empty());
    EXPECT_TRUE(record.state.MoveMarkup[3].empty());
    engine.gCls();
    EXPECT_TRUE(record.state.MoveMarkup[1].empty());
}

TEST(MarkupRecord, ShowListsTheMarksOfThePositionShownOnePointALine) {
    test::TempDir dir;
    ToolRecord record;
    readText(dir, test::readBytes(test::dataFile(kMarked)), record);
    const std::string last = positionText(record, 8);
    const std::size_t marks = last.find("label dj a");
    ASSERT_NE(marks, std::string::npos) << last;
    EXPECT_EQ(last.substr(marks),
              "label dj a\nlabel pj b\nlabel jj c\nlabel kq A\nlabel pd 1\nlabel dd 2\n"
              "triangle pq\ncircle jp\nsquare cn\nsquare ql\nsquare qm\ncross fq\n");
    const std::string seventh = positionText(record, 7);
    EXPECT_EQ(seventh.substr(seventh.find("label")),
              "label nc A\nlabel qf B\nlabel jd C\n"
              "triangle qb\ntriangle qc\ntriangle rb\ntriangle rc\n");
    // A move without marks ends with the board.
    EXPECT_EQ(positionText(record, 6).back(), '\n');
    EXPECT_EQ(positionText(record, 6).find("label"), std::string::npos);
}

TEST(MarkupRecord, ShowLeavesOutMarksOffTheBoardShown) {
    test::TempDir dir;
    ToolRecord record;
    readText(dir, "(;SZ[9];B[ee]LB[ii:in][jj:out]TR[aa:ss])", record);
    const std::string text = positionText(record, 1);
    const std::string marks = text.substr(text.find("label"));
    EXPECT_EQ(marks.substr(0, 24), "label ii in\ntriangle aa\n");
    EXPECT_EQ(marks.find("jj"), std::string::npos);
    EXPECT_EQ(std::count(marks.begin(), marks.end(), '\n'), 1 + 81);
}

}  // namespace kelmaz
