// The command-line tool's code path: reading like the file window, positions, information,
// conversion, and the tool's exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "base/TextCodec.h"
#include "engine/Engine.h"
#include "intake/RecordCheck.h"
#include "intake/RecordTool.h"
#include "records/RecordMoves.h"
#include "support/CliProcess.h"
#include "support/EngineOnFakeHost.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

using test::CliProcess;

std::unique_ptr<ToolRecord> readOk(const std::filesystem::path& path) {
    auto record = std::make_unique<ToolRecord>();
    const RecordReadResult read = readRecordForTool(path.string(), *record);
    EXPECT_EQ(read.status, RecordReadResult::Status::Ok) << path << " " << read.message;
    return record;
}

TEST(RecordTool, PositionTextShowsStonesPrisonersAndTheMoveReached) {
    test::TempDir dir;
    // Black's third stone captures the white stone at column 2, row 1.
    test::writeBytes(dir.file("cap.sgf"), "(;SZ[9];B[aa];W[ba];B[ca];W[ii];B[bb])");
    const auto record = readOk(dir.file("cap.sgf"));
    EXPECT_EQ(record->state.MoveCount, 5);
    EXPECT_EQ(positionText(*record, 5),
              "size 9\nmove 5\nprisoners 1 0\n"
              "X.X......\n.X.......\n.........\n.........\n.........\n"
              ".........\n.........\n.........\n........O\n");
    const std::string two = positionText(*record, 2);
    EXPECT_EQ(two.substr(0, 38), "size 9\nmove 2\nprisoners 0 0\nXO.......\n");
    EXPECT_EQ(positionText(*record, 0).substr(0, 38), "size 9\nmove 0\nprisoners 0 0\n.........\n");
    EXPECT_EQ(positionText(*record, 400).substr(0, 14), "size 9\nmove 5\n");
}

TEST(RecordTool, PositionTextShowsSetupStonesAsStonesAndListsThemAfterTheBoard) {
    test::TempDir dir;
    test::writeBytes(dir.file("setup.sgf"), "(;SZ[5]AB[aa][bb]AW[cc];B[ea];AE[aa])");
    const auto recordRead = readOk(dir.file("setup.sgf"));
    EXPECT_EQ(positionText(*recordRead, 1),
              "size 5\nmove 1\nprisoners 0 0\n....X\n.X...\n..O..\n.....\n.....\n"
              "setup B aa\nsetup B bb\nsetup W cc\nsetup empty aa\n");
    // Move 0 is the position set up before the first move, not the empty board.
    EXPECT_EQ(positionText(*recordRead, 0),
              "size 5\nmove 0\nprisoners 0 0\nX....\n.X...\n..O..\n.....\n.....\n"
              "setup B aa\nsetup B bb\nsetup W cc\n");
}

TEST(RecordTool, InfoListsAllFieldsInOrderOnOneLineEach) {
    test::TempDir dir;
    test::writeBytes(dir.file("i.sgf"), "(;PB[黒\\]田]C[x]RE[B+R]GC[a\nb]EV[one\r\ntwo];B[aa])");
    const auto record = readOk(dir.file("i.sgf"));
    const std::vector<std::string> lines = splitLines(infoText(record->state.Info));
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[0], "FF=");
    EXPECT_EQ(lines[6], "EV=one two");
    EXPECT_EQ(lines[9], "PB=黒]田");
    EXPECT_EQ(lines[13], "RE=B+R");
    EXPECT_EQ(lines[24], "CP=");
    EXPECT_EQ(record->state.Info.WinnerLabel, "黒");
}

// Write, read back: the same moves, comments and game information.
void expectSameRecord(const GameState& a, const GameState& b) {
    ASSERT_EQ(a.MoveCount, b.MoveCount);
    for (int k = 1; k <= a.MoveCount; ++k) {
        EXPECT_EQ(a.MoveCol[k], b.MoveCol[k]) << k;
        EXPECT_EQ(a.MoveRow[k], b.MoveRow[k]) << k;
        EXPECT_EQ(a.MoveColour[k], b.MoveColour[k]) << k;
        EXPECT_EQ(a.MoveComment[k], b.MoveComment[k]) << k;
    }
    for (int i = 0; i < kGameInfoFields; ++i) {
        if (i == static_cast<int>(InfoField::AP) || i == static_cast<int>(InfoField::CA)) continue;
        // An empty game, format or size is written with its value.
        const bool named = i == static_cast<int>(InfoField::GM) ||
                           i == static_cast<int>(InfoField::FF) ||
                           i == static_cast<int>(InfoField::SZ);
        if (named && a.Info.Fields[i].empty()) {
            EXPECT_FALSE(b.Info.Fields[i].empty()) << GameInfoNames[i];
            continue;
        }
        EXPECT_EQ(a.Info.Fields[i], b.Info.Fields[i]) << GameInfoNames[i];
    }
}

TEST(RecordTool, RecordsFromEveryFormatSurviveWritingAndReadingBack) {
    test::TempDir dir;
    for (const char* name : {"tki-comments-and-commas.txt", "ugf-hdcap-lower-case-coordinate.ugf",
                             "applet-page-cp932.htm"}) {
        const auto first = readOk(test::dataFile("handmade/" + std::string(name)));
        const auto out = dir.file(std::string(name) + ".sgf").string();
        ASSERT_FALSE(writeRecordForTool(*first, out)) << name;
        const auto second = readOk(out);
        SCOPED_TRACE(name);
        expectSameRecord(first->state, second->state);
    }
}

// An escaped line break is no line break, whichever pair of characters ends the line.
TEST(RecordTool, SoftLineBreaksStaySoftThroughReadingAndWriting) {
    test::TempDir dir;
    for (const char* softBreak : {"\\\r\n", "\\\n\r", "\\\n", "\\\r"}) {
        SCOPED_TRACE(::testing::PrintToString(softBreak));
        test::writeBytes(dir.file("soft.sgf"),
                         std::string("(;GM[1];B[aa]C[abc") + softBreak + "def])\r\n");
        const auto record = readOk(dir.file("soft.sgf"));
        EXPECT_EQ(record->state.MoveComment[1], "abcdef");
        ASSERT_FALSE(writeRecordForTool(*record, dir.file("back.sgf").string()));
        EXPECT_EQ(readOk(dir.file("back.sgf"))->state.MoveComment[1], "abcdef");
    }
}

// UGF move numbers with a gap: the moves after it are numbered on, shown and written.
TEST(RecordTool, UgfMovesAfterAGapInTheNumbersAreKept) {
    test::TempDir dir;
    const struct {
        const char* moves;
        int shown;  // the move of the last line read
    } rows[] = {
        {"PD,B1,1,0\nDP,W1,2,0\nQQ,B1,5,0\n", 3},
        {"PD,B1,3,0\nDP,W1,4,0\nQQ,B1,6,0\n", 3},
        {"QQ,B1,5,0\nPD,B1,1,0\nDP,W1,2,0\n", 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.moves);
        test::writeBytes(dir.file("gap.ugf"), std::string("VER=UGF\n[Data]\n") + row.moves);
        const auto record = readOk(dir.file("gap.ugf"));
        EXPECT_EQ(record->state.MoveCount, row.shown);
        ASSERT_FALSE(writeRecordForTool(*record, dir.file("gap.sgf").string()));
        const auto back = readOk(dir.file("gap.sgf"));
        ASSERT_EQ(back->state.lastMoveInRecord(), 3);
        EXPECT_EQ(back->state.MoveCol[1], 16);
        EXPECT_EQ(back->state.MoveCol[2], 4);
        EXPECT_EQ(back->state.MoveCol[3], 17);
    }
}

// Saved in the charset the record names when every character fits in it, else in UTF-8 saying
// so; read back, every comment and field is the same.
TEST(RecordTool, CommentsWithBracketsBackslashesAndJapaneseSurviveInBothEncodings) {
    test::TempDir dir;
    const struct {
        const char* charset;
        const char* white;
        bool utf8;  // how the file is written
    } rows[] = {
        {"Shift_JIS", "", false},
        {"UTF-8", "", true},
        {"", "", true},
        {"Shift_JIS", "이창호", true},  // without a Shift_JIS form
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.charset) + row.white);
        // A record of another format as its reader hands it over.
        ReadMoves read;
        read.info[InfoField::CA] = row.charset;
        read.info[InfoField::PB] = "表ソ能ゾ]";
        read.info[InfoField::PW] = row.white;
        read.info[InfoField::GN] = "C:\\棋譜\\";
        const char* comments[] = {"", "a]b \\ c", "表示]ソ\\ゾ", "=) (; good; but slow"};
        for (int k = 1; k <= 3; ++k)
            read.store(k, k + 2, 4, k % 2 ? kBlack : kWhite).comment = comments[k];
        read.shown = 3;
        test::EngineOnFakeHost board;
        const GameState& s = board.state;
        board.record.takeMoveRecord(read);
        board.host.commentary = s.MoveComment[3];
        const std::string bytes = board.savedBytes();
        EXPECT_EQ(isValidUtf8(bytes), row.utf8);
        EXPECT_EQ(bytes.find("CA[UTF-8]") != std::string::npos, row.utf8);
        const auto out = dir.file("c.sgf");
        test::writeBytes(out, bytes);
        expectSameRecord(s, readOk(out)->state);
    }
}

// The file window's read then write: the record taken through the program's intake, then its
// document written with the commentary box's text.
std::string writtenByFileWindow(const std::filesystem::path& in) {
    test::EngineOnFakeHost board;
    auto& [state, options, host, document, record, engine] = board;
    engine.gCls();
    TreeLink noTree;
    GameState file;
    EXPECT_TRUE(loadRecordFile(in.string(), file));
    const IntakeResult taken =
        takeRecordLines(state, engine, record, options, noTree, file.LstRead,
                        [&options](const BoardSizeChoice& size) { applyBoardSize(size, options); });
    EXPECT_TRUE(taken.message.empty()) << taken.message;
    return board.savedBytes();
}

TEST(RecordTool, ConvertWritesWhatTheFileWindowWrites) {
    test::TempDir dir;
    const std::vector<std::string> records = {
        "VER=UGF\n[Data]\nPD,B1,3,0\n",  // moves start at 3: passes in slots 1 and 2
        "VER=UGF\n[Data]\nPD,B1,1,0\nDP,W1,4,0\n",
        "fmt=Tki\n[Data]\n1,16,4,0,first\n2,4,16,1,second\n",
        "(;GM[1]C[root];B[pd]C[a];W[dp])",
    };
    for (std::size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(records[i]);
        const auto in = dir.file("in" + std::to_string(i));
        test::writeBytes(in, records[i]);
        const std::string window = writtenByFileWindow(in);
        const auto record = readOk(in);
        const auto out = dir.file("tool.sgf");
        ASSERT_FALSE(writeRecordForTool(*record, out.string()));
        EXPECT_EQ(test::readBytes(out), window);
    }
}

TEST_F(CliProcess, ExitStatusAndMessages) {
    test::TempDir dir;
    const auto out = dir.file("out.txt");
    const std::string tki = (test::dataFile("handmade/tki-comments-and-commas.txt")).string();
    EXPECT_EQ(run("show '" + tki + "' --move 1", out), 0);
    EXPECT_EQ(test::readBytes(out).substr(0, 28), "size 19\nmove 1\nprisoners 0 0");
    EXPECT_EQ(run("info '" + tki + "'", out), 0);
    EXPECT_EQ(splitLines(test::readBytes(out)).size(), 25u);
    EXPECT_EQ(run("show '" + dir.file("missing").string() + "'", out), 1);
    EXPECT_EQ(test::readBytes(out), std::string(kReadErrorMessage) + "\n");
    test::writeBytes(dir.file("bad.txt"), "fmt=Tki\n[Data]\nx,y,z\n");
    EXPECT_EQ(run("info '" + dir.file("bad.txt").string() + "'", out), 1);
    EXPECT_EQ(test::readBytes(out), std::string(kFormatErrorMessage) + "\n");
    EXPECT_EQ(run("", out), 2);
    EXPECT_EQ(run("frobnicate x", out), 2);
    EXPECT_EQ(run("show '" + tki + "' --move x", out), 2);
    EXPECT_EQ(run("convert '" + tki + "'", out), 2);
    EXPECT_EQ(run("convert '" + tki + "' '" + dir.file("t.sgf").string() + "'", out), 0);
    EXPECT_EQ(test::readBytes(dir.file("t.sgf")).substr(0, 4), "(;\r\n");
}

TEST_F(CliProcess, HelpVersionAndWrongOptions) {
    test::TempDir dir;
    const auto out = dir.file("out.txt");
    const auto err = dir.file("err.txt");
    EXPECT_EQ(run("--version", out, err), 0);
    EXPECT_EQ(test::readBytes(out), "kelmaz-cli " KELMAZ_VERSION "\n");
    EXPECT_EQ(test::readBytes(err), "");

    EXPECT_EQ(run("--help", out, err), 0);
    const std::string help = test::readBytes(out);
    EXPECT_EQ(help.substr(0, 23), "usage: kelmaz-cli COMMA") << help;
    for (const char* named :
         {"convert IN OUT", "show IN", "info IN", "tree IN", "games IN", "--game G", "--version"}) {
        EXPECT_NE(help.find(named), std::string::npos) << named;
    }
    EXPECT_EQ(test::readBytes(err), "");

    // An unknown option is named in one line; the usage is not repeated.
    for (const char* wrong : {"-x", "--versions", "--help=1 show"}) {
        EXPECT_EQ(run(wrong, out, err), 2) << wrong;
        EXPECT_EQ(test::readBytes(out), "") << wrong;
        const std::string message = test::readBytes(err);
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
        EXPECT_NE(message.find(std::string(wrong).substr(0, 5)), std::string::npos) << message;
    }
    EXPECT_EQ(run("-- --version", out, err), 2) << "after -- it names a command, and none is";

    // After the command, options are the command's: --help is an operand there.
    test::writeBytes(dir.file("game.sgf"), "(;GM[1]FF[4]SZ[9];B[cc];W[gg])");
    const std::string game = dir.file("game.sgf").string();
    EXPECT_EQ(run("-- show '" + game + "' --move 1", out, err), 0);
    EXPECT_EQ(test::readBytes(out).substr(0, 14), "size 9\nmove 1\n");
    EXPECT_EQ(run("show '" + game + "' --help", out, err), 2);
}

TEST_F(CliProcess, FilesHoldingNoRecordAreRefusedByEveryCommand) {
    test::TempDir dir;
    const auto out = dir.file("out.txt");
    test::writeBytes(dir.file("empty"), "");
    test::writeBytes(dir.file("paren"), "(");
    test::writeBytes(dir.file("utf16"), std::string("(\0;\0B\0[\0p\0d\0]\0)\0", 16));
    test::writeBytes(dir.file("text"), "nothing here\n");
    for (const char* name : {"empty", "paren", "utf16", "text"}) {
        const std::string in = "'" + dir.file(name).string() + "'";
        for (const std::string command : {"show", "info", "tree", "convert"}) {
            SCOPED_TRACE(command + " " + name);
            const std::string target =
                command == "convert" ? " '" + dir.file("o.sgf").string() + "'" : "";
            EXPECT_EQ(run(command + " " + in + target, out), 1);
            EXPECT_EQ(test::readBytes(out), std::string(kFormatErrorMessage) + "\n");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.sgf")));
    // A record without moves is a record: nothing to write.
    test::writeBytes(dir.file("nomoves.ugf"), "VER=UGF\n[Data]\n");
    EXPECT_EQ(run("convert '" + dir.file("nomoves.ugf").string() + "' '" +
                      dir.file("o.sgf").string() + "'",
                  out),
              1);
    EXPECT_EQ(test::readBytes(out), std::string(kNoDataMessage) + "\n");
}

TEST_F(CliProcess, ConvertWritesOnlyTheTreeTheReaderUnderstood) {
    test::TempDir dir;
    const auto out = dir.file("out.txt");
    test::writeBytes(dir.file("nested.sgf"), "(;((;B[pd])))");
    const auto sgf = dir.file("nested-out.sgf");
    ASSERT_EQ(run("convert '" + dir.file("nested.sgf").string() + "' '" + sgf.string() + "'", out),
              0);
    const std::string written = test::readBytes(sgf);
    EXPECT_EQ(written.find("(("), std::string::npos) << written;
    EXPECT_TRUE(written.ends_with("\r\n;B[pd]\r\n)\r\n")) << written;
    EXPECT_EQ(std::count(written.begin(), written.end(), '('), 1) << written;
    EXPECT_EQ(std::count(written.begin(), written.end(), ')'), 1) << written;
    const auto back = readOk(sgf);
    EXPECT_EQ(back->state.MoveCount, 1);
    EXPECT_EQ(back->state.MoveCol[1], 16);
}

TEST_F(CliProcess, ConvertToADashWritesStandardOutput) {
    test::TempDir dir;
    test::writeBytes(dir.file("in.sgf"), "(;GM[1];B[pd];W[dp])");
    const auto out = dir.file("out.txt");
    // Run inside the temporary folder, so that a file named "-" would show up there.
    const std::string command = "cd '" + dir.path().string() + "' && '" + cli_ +
                                "' convert in.sgf - >'" + out.string() + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("-")));
    const std::string written = test::readBytes(out);
    EXPECT_EQ(written.substr(0, 4), "(;\r\n");
    EXPECT_NE(written.find(";B[pd]\r\n;W[dp]\r\n)\r\n"), std::string::npos) << written;
}

TEST_F(CliProcess, ConvertWritesEveryGameOfACollectionOrTheOneNamed) {
    test::TempDir dir;
    const auto out = dir.file("out.txt");
    const auto in = dir.file("c.sgf"), sgf = dir.file("o.sgf");
    // Japanese names in CP932, declared by the first game only.
    test::writeBytes(in, *encodeForCharset("(;CA[Shift_JIS]PB[黒田];B[aa];W[bb])\n"
                                           "(;PB[白川];B[cc])\n(;SZ[9]PB[Cy];B[ee])\n",
                                           "CP932"));
    const std::string convert = "convert '" + in.string() + "' '" + sgf.string() + "'";
    ASSERT_EQ(run(convert, out), 0) << test::readBytes(out);
    ASSERT_EQ(run("games '" + in.string() + "'", out), 0);
    const std::string games = test::readBytes(out);
    ASSERT_EQ(run("games '" + sgf.string() + "'", out), 0);
    EXPECT_EQ(test::readBytes(out), games);

    ASSERT_EQ(run(convert + " --game 3", out), 0);
    ASSERT_EQ(run("games '" + sgf.string() + "'", out), 0);
    EXPECT_EQ(test::readBytes(out), "1\tCy\t\t\t\t\t1\n");

    // A game cut short: nothing is written, and the message names the game.
    std::filesystem::remove(sgf);
    test::writeBytes(in, "(;PB[Ann];B[aa]\n(;GM[1]PB[Bo];B[cc])\n");
    EXPECT_EQ(run(convert, out), 1);
    EXPECT_NE(test::readBytes(out).find("1局目"), std::string::npos) << test::readBytes(out);
    EXPECT_FALSE(std::filesystem::exists(sgf));
}

TEST_F(CliProcess, AppletPagesAreReadByEveryCommand) {
    test::TempDir dir;
    const auto out = dir.file("out.txt");
    const std::string page = "'" + test::dataFile("handmade/applet-page-cp932.htm").string() + "'";
    for (const std::string& args : {"show " + page, "info " + page,
                                    "convert " + page + " '" + dir.file("o.sgf").string() + "'"}) {
        EXPECT_EQ(run(args, out), 0) << args << "\n" << test::readBytes(out);
    }
}

TEST_F(CliProcess, RecordTextsCannotDriveTheTerminal) {
    test::TempDir dir;
    const auto out = dir.file("out.txt");
    const auto in = dir.file("esc.sgf");
    test::writeBytes(in, "(;PB[\x1b\\]0;pwned\x07]SZ[9];B[aa]LB[aa:\x1b[2J])");
    for (const char* command : {"show", "info", "games"}) {
        ASSERT_EQ(run(std::string(command) + " '" + in.string() + "'", out), 0) << command;
        const std::string printed = test::readBytes(out);
        EXPECT_EQ(printed.find('\x1b'), std::string::npos) << command;
        EXPECT_NE(printed.find("\\x1B"), std::string::npos) << command << printed;
    }
}

}  // namespace
}  // namespace kelmaz
