// A record's own board size: what its size field names, what the board does with it, what
// each format's reader reports, and the command-line tool sizing its board the same way.
#include <gtest/gtest.h>

#include "intake/RecordSize.h"
#include "intake/RecordTool.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

using Action = BoardSizeChoice::Action;

BoardOptions boardOf(int sizeIndex, int otherSize = 0) {
    BoardOptions options;
    options.sizeIndex = sizeIndex;
    options.otherSize = otherSize;
    return options;
}

TEST(RecordSize, SizeFieldsAsWritten) {
    EXPECT_EQ(recordSizeLines("19"), 19);
    EXPECT_EQ(recordSizeLines(" 9 "), 9);
    EXPECT_EQ(recordSizeLines("13:13"), 13);
    EXPECT_EQ(recordSizeLines("19:13"), -1);
    EXPECT_EQ(recordSizeLines(""), 0);
    EXPECT_EQ(recordSizeLines("  "), 0);
    // Fields that name no readable size name one that no board shows.
    for (const char* unreadable : {"nineteen", "-9", "9.5", "99999999999999", "9:x", "9x", "-1"})
        EXPECT_EQ(recordSizeLines(unreadable), -1) << unreadable;
}

TEST(RecordSize, TheThreeBoardsAreTakenThroughTheirOption) {
    const BoardSizeChoice nine = chooseBoardSize("9", boardOf(0));
    EXPECT_EQ(nine.action, Action::Take);
    EXPECT_EQ(nine.lines, 9);
    EXPECT_EQ(nine.sizeIndex, 2);
    EXPECT_EQ(chooseBoardSize("13", boardOf(0)).sizeIndex, 1);
    EXPECT_EQ(chooseBoardSize("19", boardOf(2)).sizeIndex, 0);
    // A 19-line record while another size (not an option) is shown.
    EXPECT_EQ(chooseBoardSize("19", boardOf(0, 7)).action, Action::Take);

    BoardOptions options = boardOf(0, 7);
    applyBoardSize(nine, options);
    EXPECT_EQ(options.sizeIndex, 2);
    EXPECT_EQ(options.otherSize, 0);
    EXPECT_EQ(options.boardSize(), 9);
}

TEST(RecordSize, OtherSizesUpToNineteenTakeNoOption) {
    for (int lines : {2, 3, 7, 8, 10, 11, 12, 14, 18}) {
        SCOPED_TRACE(lines);
        const BoardSizeChoice choice = chooseBoardSize(std::to_string(lines), boardOf(0));
        EXPECT_EQ(choice.action, Action::Take);
        EXPECT_EQ(choice.sizeIndex, -1);
        BoardOptions options = boardOf(1);
        applyBoardSize(choice, options);
        EXPECT_EQ(options.boardSize(), lines);
        EXPECT_EQ(options.sizeIndex, 1);  // the option the user chose stays as it was
    }
}

TEST(RecordSize, TheSameSizeOrNoneKeepsTheBoard) {
    EXPECT_EQ(chooseBoardSize("19", boardOf(0)).action, Action::Keep);
    EXPECT_EQ(chooseBoardSize("7", boardOf(0, 7)).action, Action::Keep);
    EXPECT_EQ(chooseBoardSize("", boardOf(2)).action, Action::Keep);
    BoardOptions options = boardOf(2);
    applyBoardSize(chooseBoardSize("", options), options);
    EXPECT_EQ(options.boardSize(), 9);
}

TEST(RecordSize, LargerSmallerAndOblongBoardsAreRefusedByName) {
    const BoardSizeChoice big = chooseBoardSize("25", boardOf(0));
    EXPECT_EQ(big.action, Action::Refuse);
    EXPECT_NE(big.message.find("25路盤"), std::string::npos) << big.message;
    EXPECT_EQ(chooseBoardSize("20", boardOf(0)).action, Action::Refuse);
    const BoardSizeChoice zero = chooseBoardSize("0", boardOf(0));
    EXPECT_EQ(zero.action, Action::Refuse);
    EXPECT_NE(zero.message.find("0路盤"), std::string::npos) << zero.message;
    const BoardSizeChoice one = chooseBoardSize("1", boardOf(0));
    EXPECT_EQ(one.action, Action::Refuse);
    EXPECT_NE(one.message.find("1路盤"), std::string::npos);
    for (const char* named : {"19:13", "-1", "99999999999", "9x", "abc"}) {
        const BoardSizeChoice refused = chooseBoardSize(named, boardOf(0));
        EXPECT_EQ(refused.action, Action::Refuse) << named;
        EXPECT_NE(refused.message.find(named), std::string::npos) << refused.message;
    }
    // A refusal changes nothing.
    BoardOptions options = boardOf(1);
    applyBoardSize(big, options);
    EXPECT_EQ(options.boardSize(), 13);
}

TEST(RecordSize, EveryFormatReportsItsSize) {
    EXPECT_EQ(recordSizeField({"(;GM[1]SZ[13]", ";B[aa])(;SZ[9])"}), "13");
    EXPECT_EQ(recordSizeField({"(", ";SZ[7];B[aa])"}), "7");   // split opening
    EXPECT_EQ(recordSizeField({"(;GM[1];B[aa];SZ[9])"}), "");  // not in the root
    EXPECT_EQ(recordSizeField({"[Header]", "Size=9", "[Data]", "CC,B1,1,0"}), "9");
    EXPECT_EQ(
        recordSizeField({"<TITLE>WtGobanApplet</TITLE>", "<PARAM name=\"Size\" value=\"13\">"}),
        "13");
    EXPECT_EQ(recordSizeField({"nothing"}), "");
}

// The tool sizes its board by the same rule as the program's board.
TEST(RecordSize, ToolShowsTheRecordOnABoardOfItsSize) {
    test::TempDir dir;
    const auto write = [&dir](const std::string& name, const std::string& text) {
        test::writeBytes(dir.file(name), text);
        return dir.file(name).string();
    };
    ToolRecord seven;
    ASSERT_EQ(readRecordForTool(write("7.sgf", "(;SZ[7];B[dd];W[gg])"), seven).status,
              RecordReadResult::Status::Ok);
    EXPECT_EQ(positionText(seven, 2),
              "size 7\nmove 2\nprisoners 0 0\n.......\n.......\n.......\n...X...\n"
              ".......\n.......\n......O\n");
    ToolRecord big;
    const RecordReadResult refused = readRecordForTool(write("25.sgf", "(;SZ[25];B[yy])"), big);
    EXPECT_EQ(refused.status, RecordReadResult::Status::FormatError);
    EXPECT_NE(refused.message.find("25路盤"), std::string::npos);
    ToolRecord unsized;
    ASSERT_EQ(readRecordForTool(write("none.sgf", "(;B[ss])"), unsized).status,
              RecordReadResult::Status::Ok);
    EXPECT_EQ(unsized.state.BoardSize, 19);
}

// A UGF record counted from the lower-left corner is turned on a board of its own size, not
// on the board the settings chose.
TEST(RecordSize, LowerLeftUgfRowsTurnOnTheRecordsBoard) {
    GameState state;
    state.LstRead = {"[Header]", "Size=9", "[Data]", "AA,B1,1,0"};
    BoardOptions options;  // 19 lines
    options.ugfLowerLeftOrigin = true;
    TreeLink tree;
    ASSERT_TRUE(GetFormat(state, options, tree).ok);
    EXPECT_EQ(state.MoveCol[1], 1);
    EXPECT_EQ(state.MoveRow[1], 9);
}

}  // namespace
}  // namespace kelmaz
