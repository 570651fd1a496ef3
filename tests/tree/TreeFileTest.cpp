#include <gtest/gtest.h>

#include "base/TextCodec.h"
#include "intake/RecordFormat.h"
#include "support/SgfLoad.h"
#include "support/TestSupport.h"
#include "tree/SgfReader.h"
#include "tree/SgfText.h"
#include "tree/TreeEdit.h"
#include "tree/TreeFile.h"

namespace kelmaz {

namespace {

GameState readBack(const std::string& bytes) { return test::loadSgfBytes(bytes).state; }

}  // namespace

TEST(TreeFile, OneNodePerLineWithTheGameInformationAhead) {
    GameState s;
    s.SgfText = "(;B[aa](;W[bb])(;W[cc]))";
    s.Info[InfoField::PB] = "黒";
    const std::vector<std::string> lines = splitLines(treeFileBytes(s));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "(");
    EXPECT_EQ(lines[1].rfind(";FF[4]GM[1]SZ[19]CA[UTF-8]AP[KelMaz clone]PB[黒]", 0), 0u)
        << lines[1];
    EXPECT_NE(lines[1].find("PB[黒]"), std::string::npos);
    EXPECT_EQ(lines[2], ";B[aa](");
    EXPECT_EQ(lines[3], ";W[bb])(");
    EXPECT_EQ(lines[4], ";W[cc]))");
}

// Groups without a node of their own are not written back; a well-formed text, a collection
// of games included, is written as it stands.
TEST(TreeFile, BrokenNestingIsWrittenAsTheReaderUnderstoodIt) {
    GameState s;
    s.Info[InfoField::GM] = "1";  // as read from the text
    s.SgfText = "(;GM[1]((;B[pd]C[x])()))";
    EXPECT_EQ(treeTextForFile(s, "UTF-8"), "(;GM[1]CA[UTF-8];B[pd]C[x])");
    s.SgfText = "(;GM[1];B[aa] (;W[bb])\n(;W[cc]))(;GM[1];B[dd])";
    EXPECT_EQ(treeTextForFile(s, "UTF-8"),
              "(;GM[1]CA[UTF-8];B[aa] (;W[bb])\n(;W[cc]))(;GM[1];B[dd])");
}

TEST(TreeFile, WrittenInTheDeclaredCharsetWhenEverythingFits) {
    GameState s;
    s.SgfText = "(;GM[1]CA[SJIS];B[aa]C[表ソ能])";
    const std::string bytes = treeFileBytes(s);
    EXPECT_EQ(bytes.find("表"), std::string::npos);  // not UTF-8
    const GameState back = readBack(bytes);
    EXPECT_EQ(back.MoveComment[1], "表ソ能");
    s.SgfText = "(;GM[1]CA[SJIS];B[aa]C[ħ])";  // no CP932 form
    const std::string utf8 = treeFileBytes(s);
    EXPECT_NE(utf8.find("CA[UTF-8]"), std::string::npos);
    EXPECT_EQ(readBack(utf8).MoveComment[1], "ħ");
}

TEST(TreeFile, RoundTripAfterRecordingABranch) {
    test::SgfLoaded read =
        test::loadSgf({"(;GM[1]FF[4]SZ[19]PB[Shusaku]PW[Gennan \\] Inseki]RE[B+2]",
                       ";B[qd]C[first]", ";W[dc](;B[pq]C[main])(;B[dp]C[var]))"});
    ASSERT_TRUE(read.result.ok);
    GameState& s = read.state;
    // The window shows the reduced tree; recording a branch rebuilds the text from it.
    TreeModel m;
    m.parse(Stripdata(s.SgfText));
    ASSERT_EQ(m.BranchCount, 2);
    ASSERT_EQ(InsertBranch(m, 1, 2, ";W[cc]C[new \\] one]"), 3);
    s.SgfText = *RebuildSgfText(m);
    test::TempDir dir;
    const std::string path = dir.file("game.sgf").string();
    ASSERT_TRUE(WriteSgfdata(s, path));
    const GameState back = readBack(test::readBytes(path));
    GameInfo expected = s.Info;  // the writer names itself and declares the charset
    expected[InfoField::AP] = "KelMaz clone";
    expected[InfoField::CA] = "UTF-8";
    EXPECT_EQ(back.Info.Fields, expected.Fields);
    EXPECT_EQ(back.MoveCount, 3);
    EXPECT_EQ(back.MoveComment[1], "first");
    TreeModel again;
    again.parse(Stripdata(back.SgfText));
    ASSERT_EQ(again.BranchCount, 3);
    EXPECT_EQ(*RebuildSgfText(again), *RebuildSgfText(m));
    EXPECT_EQ(again.NodeComments[again.NodeIndex(3, 1)], "new ] one");
}

TEST(TreeFile, FailureIsReported) {
    GameState s;
    s.SgfText = "(;B[aa])";
    test::TempDir dir;
    EXPECT_FALSE(WriteSgfdata(s, (dir.path() / "missing" / "x.sgf").string()));
}

TEST(TreeFile, TheTreeOfAFileWithoutWhatSurroundsIt) {
    test::TempDir dir;
    const auto path = dir.file("split.sgf");
    test::writeBytes(path,
                     "notes before\r\n(\r\n;GM[1]C[two\r\nlines];B[aa]\r\n(;W[bb])(;W[cc]))\r\n"
                     "trailer\r\n");
    const auto text = treeTextOfFile(path.string());
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, "(;GM[1]C[two\nlines];B[aa](;W[bb])(;W[cc]))");
    EXPECT_FALSE(treeTextOfFile((dir.path() / "missing.sgf").string()).has_value());
}

}  // namespace kelmaz
