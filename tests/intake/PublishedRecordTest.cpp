// A record as a Japanese publisher writes it: a root node without its ";", the title, date and
// komi in properties of their own (TE, RD, KO), the result in Japanese, a GK property.
#include <gtest/gtest.h>

#include "document/DocumentRecord.h"
#include "engine/Engine.h"
#include "intake/RecordCheck.h"
#include "intake/RecordTool.h"
#include "records/GameInfoRules.h"
#include "support/FakeBoardHost.h"
#include "support/TestSupport.h"
#include "tree/TreeFile.h"

namespace kelmaz {
namespace {

const std::string kRecord = "records/encoding_japanese/sabaki-sgf__encoding__nihon-kiin.sgf";

void expectPublishedGame(const GameState& s, const std::string& route) {
    SCOPED_TRACE(route);
    EXPECT_EQ(s.lastMoveInRecord(), 8);
    EXPECT_EQ(s.MoveCol[1], 16);
    EXPECT_EQ(s.Info[InfoField::PB], "申眞ソ");
    EXPECT_EQ(s.Info[InfoField::EV], "第1回ソパルコサノル世界最高棋士決定戦第9戦");
    EXPECT_EQ(s.Info[InfoField::DT], "2025-06-12");
    EXPECT_EQ(s.Info[InfoField::KM], "6.5");
    EXPECT_EQ(s.Info[InfoField::RE], "257手完, 黒中押し勝ち");
    EXPECT_EQ(s.Info.WinnerLabel, "黒");
    EXPECT_EQ(s.Info.DetailLabel, "中押し");
}

TEST(PublishedRecord, ReadsThroughEveryRoute) {
    const std::string path = test::dataFile(kRecord).string();
    ToolRecord tool;
    ASSERT_EQ(readRecordForTool(path, tool).status, RecordReadResult::Status::Ok);
    expectPublishedGame(tool.state, "tool");

    GameState window;
    BoardOptions options;
    test::FakeBoardHost host;
    RecordDocument windowDocument;
    DocumentRecord windowRecord(windowDocument, window);
    Engine engine(window, options, host, windowRecord);
    TreeLink noTree;
    ASSERT_EQ(readRecordFile(path, window, options, noTree).status, RecordReadResult::Status::Ok);
    expectPublishedGame(window, "file window");

    // Drop, clipboard, web page and command line hand over the file's lines.
    GameState taken;
    RecordDocument takenDocument;
    DocumentRecord takenRecord(takenDocument, taken);
    Engine takingEngine(taken, options, host, takenRecord);
    GameState lines;
    ASSERT_TRUE(loadRecordFile(path, lines));
    const IntakeResult intake = takeRecordLines(taken, takingEngine, takenRecord, options, noTree,
                                                lines.LstRead, [](const BoardSizeChoice&) {});
    EXPECT_TRUE(intake.message.empty()) << intake.message;
    expectPublishedGame(taken, "intake");

    const std::optional<std::string> tree = treeTextOfFile(path);
    ASSERT_TRUE(tree);
    EXPECT_TRUE(tree->starts_with("(;TE[")) << *tree;

    const std::optional<RecordCollection> file = loadRecordCollection(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(gamesText(*file), "1\t申眞ソ\t党毅飛\t\t257手完, 黒中押し勝ち\t\t8\n");
}

TEST(PublishedRecord, WritingKeepsItsOwnPropertiesAsRead) {
    test::TempDir dir;
    ToolRecord record;
    ASSERT_EQ(readRecordForTool(test::dataFile(kRecord).string(), record).status,
              RecordReadResult::Status::Ok);
    const auto out = dir.file("out.sgf").string();
    ASSERT_FALSE(writeRecordForTool(record, out));
    ToolRecord back;
    ASSERT_EQ(readRecordForTool(out, back).status, RecordReadResult::Status::Ok);
    expectPublishedGame(back.state, "written");
    for (const char* kept : {"TE[第1回", "RD[2025-06-12]", "KO[黒6目半]", "GK[1]", "LT[30秒]"})
        EXPECT_NE(back.state.SgfText.find(kept), std::string::npos) << kept;
    for (const char* added : {"EV[", "DT[", "KM["})
        EXPECT_EQ(back.state.SgfText.find(added), std::string::npos) << added;
}

}  // namespace
}  // namespace kelmaz
