// The framing of GTP commands and replies, and vertex text on every board size.
#include <gtest/gtest.h>

#include "gtp/GtpClient.h"

namespace kelmaz {
namespace {

TEST(GtpVertex, CornersAndCentreOnTheUsualSizes) {
    // Rows count from the top on the board, from the bottom in GTP; the letter I is skipped.
    EXPECT_EQ(vertexText(1, 19, 19), "A1");
    EXPECT_EQ(vertexText(19, 1, 19), "T19");
    EXPECT_EQ(vertexText(9, 1, 19), "J19");
    EXPECT_EQ(vertexText(8, 12, 13), "H2");
    EXPECT_EQ(vertexText(5, 5, 9), "E5");
    EXPECT_EQ(vertexText(9, 9, 9), "J1");
    EXPECT_EQ(vertexText(13, 1, 13), "N13");
}

TEST(GtpVertex, EveryPointOfEverySizeReadsBackAsItself) {
    for (int size = 2; size <= 19; ++size) {
        for (int col = 1; col <= size; ++col) {
            for (int row = 1; row <= size; ++row) {
                const std::string text = vertexText(col, row, size);
                ASSERT_EQ(text.find('I'), std::string::npos) << text;
                const auto v = parseVertex(text, size);
                ASSERT_TRUE(v) << text << " on " << size;
                EXPECT_EQ(*v, (GtpVertex{VertexKind::Point, col, row})) << text;
            }
        }
    }
}

TEST(GtpVertex, PointsOffTheBoardArePasses) {
    EXPECT_EQ(vertexText(20, 20, 19), "pass");
    EXPECT_EQ(vertexText(0, 3, 9), "pass");
    EXPECT_EQ(vertexText(10, 3, 9), "pass");
}

TEST(GtpVertex, ReadingAcceptsCaseAndRefusesWhatIsNoVertex) {
    EXPECT_EQ(parseVertex("d4", 19), (GtpVertex{VertexKind::Point, 4, 16}));
    EXPECT_EQ(parseVertex("PASS", 9)->kind, VertexKind::Pass);
    EXPECT_EQ(parseVertex("Resign", 9)->kind, VertexKind::Resign);
    for (const char* bad :
         {"", "D", "I5", "J10", "K1", "A0", "A01", "Z9", "4D", "D4x", "D-1", "passs", "A 1"})
        EXPECT_FALSE(parseVertex(bad, 9)) << bad;
    EXPECT_FALSE(parseVertex("T19", 13));
    EXPECT_TRUE(parseVertex("T19", 19));
    EXPECT_FALSE(parseVertex("B3", 2));
}

TEST(GtpFraming, CommandsCarryIncreasingIdsOneAtATime) {
    GtpClient client;
    EXPECT_EQ(client.frame("boardsize 9"), "1 boardsize 9\n");
    EXPECT_TRUE(client.waiting());
    EXPECT_EQ(client.frame("clear_board"), "");  // the first is still unanswered
    ASSERT_TRUE(client.feed("=1\n\n"));
    EXPECT_EQ(client.frame("clear_board"), "2 clear_board\n");
}

TEST(GtpFraming, RepliesArriveInPiecesAndSpanLines) {
    GtpClient client;
    client.frame("list_commands");
    EXPECT_FALSE(client.feed("=1 play"));
    EXPECT_FALSE(client.feed("\r\ngen"));
    EXPECT_FALSE(client.feed("move\n"));
    const auto reply = client.feed("\n");
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->success);
    EXPECT_EQ(reply->text, "play\ngenmove");
    EXPECT_FALSE(client.waiting());
}

TEST(GtpFraming, ErrorsAndRepliesWithoutIdOrTextAreRead) {
    GtpClient client;
    client.frame("undo");
    auto reply = client.feed("? cannot undo\n\n");
    ASSERT_TRUE(reply);
    EXPECT_FALSE(reply->success);
    EXPECT_EQ(reply->text, "cannot undo");
    client.frame("clear_board");
    reply = client.feed("\n=2\n\n");  // blank lines before a reply are allowed
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->success);
    EXPECT_EQ(reply->text, "");
}

TEST(GtpFraming, BadOutputFailsTheClientWithAReason) {
    struct Case {
        const char* output;
        const char* reason;
    };
    for (const Case& c :
         {Case{"hello\n\n", "読めません"}, Case{"=9 D4\n\n", "番号"}, Case{"=1x\n\n", "読めません"},
          Case{"=1\n\n=1\n\n", "求めていない"}, Case{"=12345678901\n\n", "番号"}}) {
        GtpClient client;
        client.frame("genmove b");
        EXPECT_FALSE(client.feed(c.output)) << c.output;
        EXPECT_TRUE(client.failed()) << c.output;
        EXPECT_NE(client.failure().find(c.reason), std::string::npos) << client.failure();
        EXPECT_EQ(client.frame("quit"), "");  // a failed client sends nothing more
    }
}

TEST(GtpFraming, AReplyLongerThanTheLimitFailsEvenWithoutANewline) {
    GtpClient client(100);
    client.frame("showboard");
    EXPECT_FALSE(client.feed("=1 " + std::string(60, 'x') + "\n"));
    EXPECT_FALSE(client.failed());
    EXPECT_FALSE(client.feed(std::string(60, 'y')));
    EXPECT_TRUE(client.failed());
    EXPECT_NE(client.failure().find("長すぎ"), std::string::npos);
    EXPECT_NE(client.failure().find("showboard"), std::string::npos);
}

TEST(GtpFraming, OutputWhileNothingWasAskedIsRefused) {
    GtpClient client;
    EXPECT_FALSE(client.feed("= surprise\n\n"));
    EXPECT_TRUE(client.failed());
    EXPECT_EQ(client.frame("name"), "");
}

TEST(GtpFraming, WordsOfAReplySplitAtAnySpace) {
    EXPECT_EQ(replyWords(" A1 B2\nC3\t D4 "), (std::vector<std::string>{"A1", "B2", "C3", "D4"}));
    EXPECT_TRUE(replyWords("\n \n").empty());
}

}  // namespace
}  // namespace kelmaz
