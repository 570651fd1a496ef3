// Two match windows with real board engines playing over 127.0.0.1, a raw socket peer that
// checks the bytes on the wire, and the window's own controls.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTcpSocket>

#include "net/ui/MatchPeer.h"

namespace kelmaz {
namespace {

using test::MatchPeer;
using test::waitFor;

bool bothActive(MatchPeer& a, MatchPeer& b) {
    return a.state.NetMatchActive && b.state.NetMatchActive;
}

TEST(MatchWindowTest, TwoCopiesPlayAMatch) {
    MatchPeer a, b;
    b.settings["Tcpip"] = a.address();
    b.load();
    EXPECT_EQ(b.control<QLineEdit>("Txtip")->text(), QString::fromStdString(a.address()));

    // B starts before A listens: the first attempt is refused, the retry gets through.
    a.port.release();
    b.click("Cmdconnect");
    EXPECT_EQ(b.window.ActiveSocket(), 1);
    EXPECT_EQ(b.window.logLines(),
              QStringList{"接続中: 127.0.0.1 ポート " + QString::number(a.port.number())});
    ASSERT_TRUE(waitFor([&] {
        auto* socket = b.window.findChild<QTcpSocket*>();
        return socket && socket->error() == QAbstractSocket::ConnectionRefusedError;
    }));
    EXPECT_FALSE(a.state.NetMatchActive);
    a.load();
    ASSERT_TRUE(test::fire(b.window.reconnectTimer()));
    ASSERT_TRUE(waitFor([&] { return bothActive(a, b); }));
    EXPECT_EQ(a.window.ActiveSocket(), 0);
    EXPECT_FALSE(a.window.listening());  // the accepting side stops listening during the match
    EXPECT_EQ(a.window.logLines(), QStringList{"送信:接続開始"});
    EXPECT_EQ(b.window.logLines().back(), "受信:接続開始");
    EXPECT_FALSE(a.buttonsEnabled);
    EXPECT_FALSE(b.buttonsEnabled);

    // Whoever places the first stone plays black; the other side sees every move turned.
    a.engine.IshiUtu(16, 4);
    ASSERT_TRUE(waitFor([&] { return b.state.MoveCount == 1; }));
    EXPECT_EQ(b.state.NetMyColour, kWhite);
    EXPECT_TRUE(b.state.BoardRotated);
    EXPECT_EQ(b.state.BoardGrid[4][16], kBlack + 1);
    b.engine.IshiUtu(16, 16);
    ASSERT_TRUE(waitFor([&] { return a.state.MoveCount == 2; }));
    EXPECT_EQ(a.state.BoardGrid[4][4], kWhite + 1);
    b.engine.IshiUtu(10, 10);  // not white's turn: refused, nothing sent
    a.engine.IshiUtu(3, 3);
    ASSERT_TRUE(waitFor([&] { return b.state.MoveCount == 3; }));
    EXPECT_EQ(b.state.BoardGrid[17][17], kBlack + 1);

    // A asks to take back its move 3; B grants: one move goes on both sides.
    a.click("Command3");
    EXPECT_TRUE(a.control("FrmMata")->isVisible());
    a.control<QButtonGroup>("Option1")->button(2)->click();
    EXPECT_EQ(a.control<QLineEdit>("Text1")->text(),
              "この前はこちらが待ったから一手だけ待ってね？");
    a.control<QLineEdit>("Text2")->setText("すみません");
    a.click("Command1");
    EXPECT_EQ(a.window.logLines().back(), "送信:すみません");
    EXPECT_TRUE(a.control<QLineEdit>("Text2")->text().isEmpty());
    EXPECT_FALSE(a.control("FrmMata")->isVisible());
    ASSERT_TRUE(waitFor([&] { return b.control("FrmMatta")->isVisible(); }));
    EXPECT_EQ(b.control<QLabel>("Lblmata")->text(), "この前はこちらが待ったから一手だけ待ってね？");
    b.click("Command8");
    EXPECT_EQ(b.state.MoveCount, 2);
    EXPECT_EQ(b.window.logLines().back(), "送信:待ったOK  いいですよ");
    ASSERT_TRUE(waitFor([&] { return a.state.MoveCount == 2; }));
    EXPECT_EQ(a.state.BoardGrid[3][3], 0);

    // Asked again after B's answer move; B refuses and A reads why.
    a.engine.IshiUtu(3, 3);
    ASSERT_TRUE(waitFor([&] { return b.state.MoveCount == 3; }));
    a.click("Command3");
    a.click("Command1");
    ASSERT_TRUE(waitFor([&] { return b.control("FrmMatta")->isVisible(); }));
    b.control<QButtonGroup>("Option2")->button(2)->click();
    b.click("Command9");
    ASSERT_TRUE(waitFor([&] { return a.window.logLines().back() == "受信:ダメ！"; }));
    EXPECT_EQ(a.state.MoveCount, 3);
    EXPECT_EQ(b.state.MoveCount, 3);

    // Chat in Japanese; a comma reaches the peer full-width.
    b.control<QLineEdit>("Text2")->setText("よろしくお願いします,表ソ");
    b.click("Command4");
    ASSERT_TRUE(waitFor([&] { return a.commentary == "よろしくお願いします，表ソ"; }));
    EXPECT_EQ(a.window.logLines().back(), "受信:よろしくお願いします，表ソ");

    // Clearing the board: refused, then accepted.
    b.answer = false;
    a.click("Command5");
    ASSERT_TRUE(waitFor(
        [&] { return a.window.logLines().back() == "受信:碁盤の初期化は少し待ってください"; }));
    EXPECT_EQ(b.window.logLines().back(), "送信:画面消去拒否");
    EXPECT_EQ(a.state.MoveCount, 3);
    b.answer = true;
    a.click("Command5");
    ASSERT_TRUE(waitFor([&] { return a.state.MoveCount == 0 && b.state.MoveCount == 0; }));
    EXPECT_EQ(b.questions.back(), "画面の消去をしますか?");

    // A handicap of three stones chosen on B: B plays black, A white, and the stones and
    // the moves agree on both boards.
    b.selectHandicap(2);
    ASSERT_TRUE(waitFor([&] { return a.state.MoveCount == 3; }));
    EXPECT_EQ(a.state.NetMyColour, kWhite);
    EXPECT_EQ(b.state.NetMyColour, kBlack);
    EXPECT_EQ(a.state.BoardGrid[4][4], kBlack + 1);  // B's (16,16) seen from A's side
    a.engine.IshiUtu(16, 16);                        // free on A: B's (4,4), free there too
    ASSERT_TRUE(waitFor([&] { return b.state.MoveCount == 4; }));
    EXPECT_EQ(b.state.BoardGrid[4][4], kWhite + 1);
    // A's handicap echo went out before its move, so B had already read and ignored it.
    EXPECT_EQ(b.state.MoveCount, 4);
    EXPECT_EQ(b.state.BoardGrid[16][16], kBlack + 1);

    // Resigning: declined first (only the sending picture), then confirmed.
    a.answer = false;
    a.click("Command10");
    EXPECT_EQ(a.window.statusPictureShown(), 3);
    a.answer = true;
    a.click("Command10");
    ASSERT_TRUE(waitFor([&] { return !b.notices.empty(); }));
    EXPECT_EQ(b.notices, QStringList{"相手が投了しました。"});
    EXPECT_EQ(a.window.logLines().back(), "送信:投了  ");

    // A ends the match: its window hides, B hears of it, A listens again.
    a.click("Command6");
    EXPECT_FALSE(a.window.isVisible());
    EXPECT_TRUE(a.window.logLines().isEmpty());
    EXPECT_TRUE(a.buttonsEnabled);
    EXPECT_TRUE(a.window.listening());
    ASSERT_TRUE(waitFor([&] { return !b.state.NetMatchActive; }));
    EXPECT_EQ(b.window.logLines().back(), "受信:相手が接続を切りました。");
    EXPECT_TRUE(b.buttonsEnabled);

    // And they meet again; an incoming connection shows A's window.
    b.click("Cmdconnect");
    ASSERT_TRUE(waitFor([&] { return bothActive(a, b); }));
    EXPECT_TRUE(a.window.isVisible());
    EXPECT_EQ(a.state.MoveCount, 0);
}

// A peer written from the wire format alone: what it reads and writes are raw bytes.
class RawPeerTest : public ::testing::Test {
  protected:
    RawPeerTest() {
        copy.load();
        raw.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    }
    QByteArray readSome() {
        waitFor([&] { return raw.bytesAvailable() > 0; });
        return raw.readAll();
    }
    void write(const QByteArray& bytes) {
        raw.write(bytes);
        raw.flush();
    }
    MatchPeer copy;
    int port = copy.port.number();
    QTcpSocket raw;
};

TEST_F(RawPeerTest, BytesOnTheWire) {
    EXPECT_EQ(readSome(), "#ConnectOk");
    ASSERT_TRUE(copy.state.NetMatchActive);

    copy.control<QLineEdit>("Text2")->setText("こんにちは表ソ");
    copy.click("Command4");
    EXPECT_EQ(readSome(),
              QByteArray("#Connent,\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\x95\x5C\x83\x5C"));

    // Messages merged into one read, CP932 text with a comma, and noise that must change
    // nothing.
    write("#Tejun,1,4,4,0#Connent,\x91\xD2\x82\xC1\x82\xBD,x");
    ASSERT_TRUE(waitFor([&] { return copy.commentary == "待った,x"; }));
    EXPECT_EQ(copy.state.BoardGrid[16][16], kBlack + 1);
    write("hello");
    write(QByteArray(2 * 1024 * 1024, 'x'));
    // A read that does not begin with "#" is dropped whole, so the noise is over once a
    // message sent after it gets through.
    bool through = false;
    for (int attempt = 0; attempt < 50 && !through; ++attempt) {
        write("#Connent,ping");
        through = waitFor([&] { return copy.commentary == "ping"; }, 200);
    }
    ASSERT_TRUE(through);
    write("#Tejun,2,40,1,7");
    write("#Okiisi,3");
    write("#Tejun,3,1,1,7");  // would leave a gap in the record
    write("#Connent,end");
    ASSERT_TRUE(waitFor([&] { return copy.commentary == "end"; }, 10000));
    EXPECT_EQ(copy.state.MoveCount, 1);

    copy.engine.IshiUtu(3, 3);  // white answers; the peer gets it in its own coordinates
    EXPECT_EQ(readSome(), "#Tejun,2,3,3,7,19");
}

TEST_F(RawPeerTest, PeerVanishingEndsTheMatch) {
    EXPECT_EQ(readSome(), "#ConnectOk");
    ASSERT_TRUE(copy.state.NetMatchActive);
    EXPECT_FALSE(copy.buttonsEnabled);

    // A third copy knocking during the match is turned away and changes nothing.
    copy.engine.IshiUtu(4, 4);
    QTcpSocket intruder;
    intruder.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    ASSERT_TRUE(waitFor([&] { return intruder.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(intruder.error(), QAbstractSocket::ConnectionRefusedError);
    EXPECT_EQ(copy.state.MoveCount, 1);
    EXPECT_TRUE(copy.state.NetMatchActive);

    raw.abort();
    ASSERT_TRUE(waitFor([&] { return !copy.state.NetMatchActive; }));
    EXPECT_EQ(copy.window.logLines().back(), "受信:相手が接続を切りました。");
    EXPECT_TRUE(copy.buttonsEnabled);
    EXPECT_TRUE(copy.window.listening());
}

TEST(MatchWindowControlsTest, LoadingAndHiding) {
    MatchPeer first;
    const int port = first.port.number();
    MatchPeer second(port);
    first.load();
    EXPECT_EQ(first.window.windowTitle(), "ネットワーク対戦");
    EXPECT_EQ(first.control<QLineEdit>("Txtip")->text(), "none");
    EXPECT_TRUE(first.window.listening());
    EXPECT_EQ(first.window.statusPictureShown(), 0);
    EXPECT_EQ(first.control<QLabel>("LblSize")->text(), "19路盤");

    // A second copy on the same computer cannot listen and says so in one line.
    second.load();
    EXPECT_FALSE(second.window.listening());
    ASSERT_EQ(second.window.logLines().size(), 1);
    EXPECT_TRUE(second.window.logLines()[0].contains(QString::number(port)));

    // Phrase choices fill the boxes; "無し" empties them.
    first.click("Command3");
    first.control<QButtonGroup>("Option1")->button(3)->click();
    EXPECT_TRUE(first.control<QLineEdit>("Text1")->text().isEmpty());
    first.click("Command7");
    EXPECT_FALSE(first.control("FrmMata")->isVisible());
    first.control<QButtonGroup>("Option2")->button(1)->click();
    EXPECT_EQ(first.control<QLineEdit>("Text3")->text(), "１回だけですよ");

    // Buttons pressed with nothing connected send nothing and stop nothing.
    first.control<QLineEdit>("Text2")->setText("誰か");
    first.click("Command4");
    first.click("Command5");
    EXPECT_EQ(first.window.logLines(), (QStringList{"送信:誰か", "送信:CLS  "}));
    EXPECT_EQ(first.window.statusPictureShown(), 3);
    ASSERT_TRUE(test::fire(first.window.pictureTimer()));
    EXPECT_EQ(first.window.statusPictureShown(), 1);

    // "終了" without a match asks nothing, clears the log and hides; the menu shows it again
    // with the stored host and port and an empty log, still listening.
    EXPECT_EQ(first.control<QLineEdit>("Txtport")->text(), QString::number(port));
    test::LoopbackPort other;
    const int otherPort = other.number();
    first.control<QLineEdit>("Txtip")->setText("192.0.2.1");
    first.control<QLineEdit>("Txtport")->setText(QString::number(otherPort));
    other.release();
    first.click("Command2");
    EXPECT_EQ(first.settings["Tcpip"], "192.0.2.1");
    EXPECT_EQ(first.settings["Port"], std::to_string(otherPort));
    EXPECT_EQ(first.window.listenPort(), otherPort);
    first.click("Command6");
    EXPECT_TRUE(first.questions.empty());
    EXPECT_FALSE(first.window.isVisible());
    EXPECT_TRUE(first.window.listening());
    first.load();
    EXPECT_EQ(first.control<QLineEdit>("Txtip")->text(), "192.0.2.1");
    EXPECT_TRUE(first.window.logLines().isEmpty());

    // Closing the window unloads it: it stops listening until the menu loads it again.
    first.window.close();
    EXPECT_FALSE(first.window.listening());
    first.load();
    EXPECT_TRUE(first.window.listening());
}

TEST(MatchWindowControlsTest, ClosingDuringAMatchAsksFirst) {
    MatchPeer host, guest;
    guest.settings["Tcpip"] = host.address();
    host.load();
    guest.load();
    guest.click("Cmdconnect");
    ASSERT_TRUE(waitFor([&] { return bothActive(host, guest); }));

    host.answer = false;
    host.window.close();
    EXPECT_TRUE(host.window.isVisible());
    EXPECT_TRUE(host.state.NetMatchActive);
    host.click("Command6");
    EXPECT_TRUE(host.window.isVisible());

    // "Set" during the match ends it as "終了" does; the guest can start a new one.
    host.answer = true;
    host.click("Command2");
    EXPECT_FALSE(host.state.NetMatchActive);
    EXPECT_TRUE(host.buttonsEnabled);
    ASSERT_TRUE(waitFor([&] { return !guest.state.NetMatchActive; }));
    guest.click("Cmdconnect");
    ASSERT_TRUE(waitFor([&] { return bothActive(host, guest); }));

    host.window.close();
    EXPECT_FALSE(host.state.NetMatchActive);
    EXPECT_TRUE(host.buttonsEnabled);
    ASSERT_TRUE(waitFor([&] { return !guest.state.NetMatchActive; }));
    EXPECT_TRUE(guest.buttonsEnabled);
}

}  // namespace
}  // namespace kelmaz
