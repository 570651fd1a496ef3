// Splitting received bytes into messages, the bound of the queue, and the wire encoding.
#include <gtest/gtest.h>

#include "net/MatchMessage.h"
#include "net/ReceiveQueue.h"
#include "net/WireText.h"

namespace kelmaz {
namespace {

using Messages = std::vector<std::string>;

TEST(SplitReceivedTextTest, OneMessagePerReadAsSent) {
    EXPECT_EQ(splitReceivedText("#Tejun,1,4,4,0"), (Messages{"Tejun,1,4,4,0"}));
    EXPECT_EQ(splitReceivedText("  #CLS  "), (Messages{"CLS"}));
    EXPECT_EQ(splitReceivedText("Tejun,1,4,4,0"), Messages{});
    EXPECT_EQ(splitReceivedText("   "), Messages{});
    EXPECT_EQ(splitReceivedText("#"), (Messages{""}));
    // A "#" inside a chat line that does not begin a keyword stays part of it.
    EXPECT_EQ(splitReceivedText("#Connent,#1 の手 #Tejunx #CLSmore"),
              (Messages{"Connent,#1 の手 #Tejunx #CLSmore"}));
}

TEST(SplitReceivedTextTest, MergedMessagesAreSeparated) {
    EXPECT_EQ(splitReceivedText("#Tejun,1,4,4,0#Connent,よろしく#CLS#CLSYes#Disconnect"),
              (Messages{"Tejun,1,4,4,0", "Connent,よろしく", "CLS", "CLSYes", "Disconnect"}));
    EXPECT_EQ(splitReceivedText("#ConnectOk #Tejun,1,4,4,0 "),
              (Messages{"ConnectOk", "Tejun,1,4,4,0"}));
    EXPECT_EQ(splitReceivedText("#Bogus,1#MattaKyohi,ダメ"),
              (Messages{"Bogus,1", "MattaKyohi,ダメ"}));
}

TEST(ReceiveQueueTest, DecodesTheWireAndKeepsOrder) {
    ReceiveQueue queue;
    queue.receive(toWire("#Connent,こんにちは表示#Tejun,2,3,3,7"));
    queue.receive("garbage without a mark");
    queue.receive("#MattaOk,\x82\xA2\x82\xA2\x82\xC5\x82\xB7\x82\xE6");  // いいですよ in CP932
    EXPECT_EQ(queue.next(), "Connent,こんにちは表示");
    EXPECT_EQ(queue.next(), "Tejun,2,3,3,7");
    EXPECT_EQ(queue.next(), "MattaOk,いいですよ");
    EXPECT_FALSE(queue.next());
}

TEST(ReceiveQueueTest, FloodsAreBounded) {
    ReceiveQueue queue;
    queue.receive(std::string(8 * 1024 * 1024, 'x'));
    EXPECT_TRUE(queue.empty());

    queue.receive("#Connent," + std::string(ReceiveQueue::kMaxMessageBytes, 'a') + "#CLS");
    EXPECT_EQ(queue.next(), "CLS");  // the oversized chat line is dropped, the next kept

    std::string many;
    for (int k = 0; k < 1000; ++k) many += "#CLSNo";
    queue.receive(many);
    queue.receive("#CLSYes");
    EXPECT_EQ(queue.size(), ReceiveQueue::kMaxMessages);
    std::string last;
    while (auto message = queue.next()) last = *message;
    EXPECT_EQ(last, "CLSNo");

    std::string huge = "#" + std::string(3 * 1024 * 1024, '#');
    queue.receive(huge);
    EXPECT_TRUE(queue.empty());
}

TEST(WireTextTest, Cp932BothWays) {
    // Trail bytes 0x5C are part of their characters, not backslashes or yen signs.
    EXPECT_EQ(toWire("表ソ\\~"), "\x95\x5C\x83\x5C\\~");
    EXPECT_EQ(fromWire("\x95\x5C\x83\x5C"), "表ソ");
    EXPECT_EQ(toWire("ﾈｯﾄ①"), "\xC8\xAF\xC4\x87\x40");  // half-width kana and an NEC character
    // What cannot be converted is replaced, never silently lost.
    EXPECT_EQ(toWire("a😀b"), "a?b");
    EXPECT_EQ(fromWire("a\x82"), "a\xEF\xBF\xBD");
    EXPECT_EQ(fromWire("\xFF"
                       "b"),
              "\xEF\xBF\xBD"
              "b");
}

TEST(MatchMessageTest, FieldsAndBuilders) {
    EXPECT_EQ(splitFields("Tejun,1,,3"), (Messages{"Tejun", "1", "", "3"}));
    EXPECT_EQ(splitFields("CLS"), (Messages{"CLS"}));
    EXPECT_EQ(tejunMessage(12, 3, 17, 7, 19), "#Tejun,12,3,17,7,19");
    EXPECT_EQ(textMessage(MatchKeyword::Connent, "a,b"), "#Connent,a，b");
}

}  // namespace
}  // namespace kelmaz
