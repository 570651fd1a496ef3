// Files holding several games: each game read alone from the collection is the record the same
// game gives alone in a file; a broken game costs only itself; the tool picks and lists games.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "base/TextCodec.h"
#include "intake/RecordCollection.h"
#include "intake/RecordTool.h"
#include "support/GeneratedCollection.h"
#include "support/TestSupport.h"
#include "tree/TreeFile.h"

namespace kelmaz {
namespace {

// What a reading leaves that the user sees or writes: moves, comments, information, tree.
void expectSameRecord(ToolRecord& a, ToolRecord& b) {
    EXPECT_EQ(a.state.MoveCount, b.state.MoveCount);
    EXPECT_EQ(a.state.MoveCol, b.state.MoveCol);
    EXPECT_EQ(a.state.MoveRow, b.state.MoveRow);
    EXPECT_EQ(a.state.MoveColour, b.state.MoveColour);
    EXPECT_EQ(a.state.MoveComment, b.state.MoveComment);
    EXPECT_EQ(a.state.Info.Fields, b.state.Info.Fields);
    EXPECT_EQ(a.state.SgfText, b.state.SgfText);
    EXPECT_EQ(positionText(a, 999), positionText(b, 999));
    EXPECT_EQ(recordBytesForTool(a), recordBytesForTool(b));
}

TEST(RecordCollection, GameFourThousandReadsAsItDoesAloneInAFile) {
    test::TempDir dir;
    const std::string all = test::generatedCollection(5000);
    test::writeBytes(dir.file("all.sgf"), all);
    test::writeBytes(dir.file("alone.sgf"), test::generatedGame(4000));

    const std::optional<RecordCollection> file = loadRecordCollection(dir.file("all.sgf"));
    ASSERT_TRUE(file);
    ASSERT_EQ(file->games.size(), 5000u);
    const GameHeader& h = file->games[3999].header;
    EXPECT_EQ(h.black, "黒 4000");
    EXPECT_EQ(h.white, "白 4000");
    EXPECT_EQ(h.event, "第4000回 大会");
    EXPECT_EQ(h.result, "W+0.5");

    ToolRecord picked, alone;
    ASSERT_EQ(readRecordForTool(dir.file("all.sgf").string(), picked, 4000).status,
              RecordReadResult::Status::Ok);
    ASSERT_EQ(readRecordForTool(dir.file("alone.sgf").string(), alone).status,
              RecordReadResult::Status::Ok);
    expectSameRecord(picked, alone);
    EXPECT_EQ(picked.state.Info[InfoField::PB], "黒 4000");
    EXPECT_EQ(h.moves, picked.state.lastMoveInRecord());
}

// A collection in the Japanese code page: every game decodes as it does alone, trail bytes
// 0x5C and 0x5D (表, ソ) included.
TEST(RecordCollection, CodePageGamesDecodeAsTheyDoAlone) {
    test::TempDir dir;
    const std::string first = "(;CA[Shift_JIS]PB[表]C[ソ];B[aa])";
    const std::string second = "(;CA[Shift_JIS]PB[能]PW[十]EV[表彰];B[bb];W[cc])";
    const auto cp932 = [](const std::string& utf8) { return *encodeForCharset(utf8, "CP932"); };
    test::writeBytes(dir.file("all.sgf"), cp932(first + "\r\n" + second + "\r\n"));
    test::writeBytes(dir.file("second.sgf"), cp932(second));
    const std::optional<RecordCollection> file = loadRecordCollection(dir.file("all.sgf"));
    ASSERT_TRUE(file);
    ASSERT_EQ(file->games.size(), 2u);
    EXPECT_EQ(file->games[0].header.black, "表");
    EXPECT_EQ(file->games[1].header.event, "表彰");
    ToolRecord picked, alone;
    ASSERT_EQ(readRecordForTool(dir.file("all.sgf").string(), picked, 2).status,
              RecordReadResult::Status::Ok);
    ASSERT_EQ(readRecordForTool(dir.file("second.sgf").string(), alone).status,
              RecordReadResult::Status::Ok);
    expectSameRecord(picked, alone);
}

// Games gathered from several sources: each decodes by its own CA (Shift_JIS, EUC-JP) or, where
// it names none, by what its bytes are (Latin-1), as it does alone in a file.
TEST(RecordCollection, EachGameDecodesByItsOwnCharsetAsItDoesAlone) {
    test::TempDir dir;
    const auto path = test::dataFile("handmade/sgf-collection-per-game-charsets.sgf");
    const std::string all = test::readBytes(path);
    const std::optional<RecordCollection> file = loadRecordCollection(path);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->games.size(), 3u);
    EXPECT_EQ(file->games[0].header.black, "表ソ能ゾ");
    EXPECT_EQ(file->games[1].header.black, "山田太郎");
    EXPECT_EQ(file->games[2].header.black, "François Lefèvre");
    std::vector<std::size_t> starts;
    for (auto at = all.find("(;GM"); at != std::string::npos; at = all.find("(;GM", at + 1))
        starts.push_back(at);
    ASSERT_EQ(starts.size(), 3u);
    starts.push_back(all.size());
    for (std::size_t game = 1; game <= 3; ++game) {
        test::writeBytes(dir.file("alone.sgf"),
                         all.substr(starts[game - 1], starts[game] - starts[game - 1]));
        ToolRecord picked, alone;
        ASSERT_EQ(readRecordForTool(path.string(), picked, game).status,
                  RecordReadResult::Status::Ok);
        ASSERT_EQ(readRecordForTool(dir.file("alone.sgf").string(), alone).status,
                  RecordReadResult::Status::Ok);
        SCOPED_TRACE(game);
        expectSameRecord(picked, alone);
    }
}

TEST(RecordCollection, ABrokenGameInTheMiddleCostsOnlyItself) {
    const RecordCollection file = recordCollection(
        "(;PB[A]SZ[9];B[aa])\n"
        "(;GM[1]PB[Broken];B[bb];W[cc]\n"
        "(;GM[1]PB[C]SZ[13];B[dd];W[ee])\n");
    ASSERT_EQ(file.games.size(), 3u);
    EXPECT_TRUE(collectionGameLines(file, 1).message.empty());
    const GameLines broken = collectionGameLines(file, 2);
    EXPECT_TRUE(broken.lines.empty());
    EXPECT_NE(broken.message.find("2局目"), std::string::npos) << broken.message;
    const GameLines third = collectionGameLines(file, 3);
    ASSERT_TRUE(third.message.empty());
    EXPECT_EQ(third.lines, (std::vector<std::string>{"(;GM[1]PB[C]SZ[13];B[dd];W[ee])"}));
    for (std::size_t outside : {std::size_t{0}, std::size_t{4}}) {
        const GameLines none = collectionGameLines(file, outside);
        EXPECT_TRUE(none.lines.empty());
        EXPECT_NE(none.message.find("3局"), std::string::npos) << none.message;
    }
}

TEST(RecordCollection, OtherFormatsAreOneGame) {
    const RecordCollection ugf = recordCollection("[Header]\nSize=9\n[Data]\nAA,B1,1,0\n");
    EXPECT_TRUE(ugf.games.empty());
    EXPECT_FALSE(ugf.holdsSeveralGames());
    EXPECT_EQ(collectionGameLines(ugf, 1).lines.size(), 4u);
    EXPECT_FALSE(collectionGameLines(ugf, 2).message.empty());
    EXPECT_FALSE(recordCollection("(;B[aa])").holdsSeveralGames());
    EXPECT_TRUE(recordCollection("(;B[aa])(;B[bb])").holdsSeveralGames());
}

TEST(RecordCollection, ToolListsAndPicksGames) {
    test::TempDir dir;
    test::writeBytes(dir.file("c.sgf"),
                     "(;PB[Ann]PW[Bo\tb]DT[2001]RE[B+R]EV[Open\nCup];B[aa];W[bb])\n"
                     "(;GM[1]PB[Broken];B[cc]\n"
                     "(;GM[1]SZ[9]PB[Cy];B[ee])\n");
    const std::string cli = KELMAZ_CLI;
    const std::string in = "'" + dir.file("c.sgf").string() + "'";
    const std::string out = dir.file("out.txt").string();
    const auto run = [&](const std::string& args) {
        const int status = std::system(("'" + cli + "' " + args + " >'" + out + "' 2>&1").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run("games " + in), 0);
    EXPECT_EQ(test::readBytes(out),
              "1\tAnn\tBo b\t2001\tB+R\tOpen Cup\t2\n"
              "2\tBroken\t\t\t\t\t1\tincomplete\n"
              "3\tCy\t\t\t\t\t1\n");
    EXPECT_EQ(run("show " + in + " --game 3"), 0);
    EXPECT_EQ(test::readBytes(out).substr(0, 28), "size 9\nmove 1\nprisoners 0 0\n");
    EXPECT_EQ(run("info --game 3 " + in), 0);
    EXPECT_NE(test::readBytes(out).find("PB=Cy\n"), std::string::npos);
    EXPECT_EQ(run("show " + in), 0);  // the first game
    EXPECT_EQ(test::readBytes(out).substr(0, 15), "size 19\nmove 2\n");
    EXPECT_EQ(run("tree " + in + " --game 3"), 0);
    EXPECT_NE(test::readBytes(out).find("text (;B[ee])"), std::string::npos);
    EXPECT_EQ(run("tree " + in + " --as-sample --game 3"), 0);
    EXPECT_NE(test::readBytes(out).find("PB[Cy]"), std::string::npos) << test::readBytes(out);
    EXPECT_EQ(test::readBytes(out).find("Ann"), std::string::npos);
    EXPECT_EQ(run("show " + in + " --game 2"), 1);
    EXPECT_NE(test::readBytes(out).find("2局目"), std::string::npos);
    EXPECT_EQ(run("show " + in + " --game 4"), 1);
    for (const char* wrong : {"--game 0", "--game", "--game x", "--game -1", "--game 1.5"}) {
        EXPECT_EQ(run("show " + in + " " + wrong), 2) << wrong;
    }
    EXPECT_EQ(run("games"), 2);
    EXPECT_EQ(run("games '" + dir.file("missing").string() + "'"), 1);
}

}  // namespace
}  // namespace kelmaz
