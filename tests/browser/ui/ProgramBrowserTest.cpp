// The browser inside the running program: opened from the main window's menu, and records
// taken from a page or the clipboard landing on the board.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMessageBox>
#include <QSignalSpy>
#include <QWebEngineView>

#include "browser/ui/LoopbackHttpServer.h"
#include "browser/ui/fomBrowser.h"
#include "support/ProgramFixture.h"
#include "tree/ui/FomNode.h"

namespace kelmaz {
namespace {

constexpr int kPageTimeoutMs = 20000;

class BrowserInProgram : public test::ProgramFixture {
  protected:
    // Starts the program with a browser that opens on `start` instead of a page on the web.
    void startWithBrowserAt(const QUrl& start) {
        this->start();
        program().setBrowserFactory([this, start](Program& program) {
            ++windowsMade_;
            auto window = std::make_unique<fomBrowser>(
                [&program](std::vector<std::string> lines) {
                    return program.takeRecordLines(std::move(lines));
                },
                BrowserSetup{{}, start.toString()});
            browser_ = window.get();
            return window;
        });
    }
    bool openBrowserFromTheMenu() {
        main().findChild<QAction*>("mbraw")->trigger();
        if (browser_ == nullptr) return false;
        QSignalSpy finished(browser_->brwWebBrowser(), &QWebEngineView::loadFinished);
        return finished.wait(kPageTimeoutMs);
    }
    // The address typed into the browser's box and Enter pressed.
    void typeAddress(const QString& path) {
        browser_->cboAddress()->setEditText(server_.url(path).toString());
        QTest::keyClick(browser_->cboAddress(), Qt::Key_Return);
    }
    QMessageBox* waitForMessage() {
        const auto box = [this] { return browser_->findChild<QMessageBox*>(); };
        return QTest::qWaitFor([&] { return box() != nullptr; }, kPageTimeoutMs) ? box() : nullptr;
    }

    test::LoopbackHttpServer server_;
    fomBrowser* browser_ = nullptr;
    int windowsMade_ = 0;
};

TEST_F(BrowserInProgram, TheMenuShowsOneBrowserWindow) {
    server_.serve("/index.htm", "text/html", "<html><title>棋譜</title></html>");
    startWithBrowserAt(server_.url("/index.htm"));
    ASSERT_TRUE(openBrowserFromTheMenu());
    EXPECT_TRUE(browser_->isVisible());
    browser_->close();
    main().findChild<QAction*>("mbraw")->trigger();
    EXPECT_TRUE(browser_->isVisible());
    EXPECT_EQ(windowsMade_, 1);
}

TEST_F(BrowserInProgram, TheRecordOfAnAppletPageLandsOnTheBoard) {
    // Served with LF line ends and the charset named only in the page's meta tag.
    QByteArray page =
        QByteArray::fromStdString(test::readBytes(test::dataFile("handmade/applet-page-cp932.htm")))
            .replace("\r\n", "\n")
            .replace("<HEAD>\n",
                     "<HEAD>\n<META http-equiv=\"Content-Type\" "
                     "content=\"text/html; charset=Shift_JIS\">\n");
    server_.serve("/kifu.htm", "text/html", page);
    startWithBrowserAt(server_.url("/kifu.htm"));
    ASSERT_TRUE(openBrowserFromTheMenu());

    browser_->TakeRecordFromSource();
    ASSERT_TRUE(QTest::qWaitFor([this] { return state().MoveCount == 10; }, kPageTimeoutMs));
    EXPECT_EQ(stoneAt(16, 4), kBlack + 1);  // pd
    EXPECT_EQ(stoneAt(4, 16), kWhite + 1);  // dp
    EXPECT_EQ(stoneAt(14, 3), kWhite + 1);  // nc, the last move
    EXPECT_EQ(state().Info[InfoField::PB], "山田太郎");
    EXPECT_EQ(state().Info[InfoField::PW], "鈴木花子");
}

TEST_F(BrowserInProgram, AUgfRecordOnTheClipboardLandsOnTheBoard) {
    server_.serve("/index.htm", "text/html", "<html><title>棋譜</title></html>");
    startWithBrowserAt(server_.url("/index.htm"));
    ASSERT_TRUE(openBrowserFromTheMenu());

    QApplication::clipboard()->setText(
        "[Header]\r\nVer=UGF,1\r\nPlayerB=山田,3d\r\nPlayerW=鈴木,2d\r\n[Files]\r\n1.ugf\r\n"
        "[Data]\r\nPD,B1,1,0\r\nDP,W1,2,0\r\nQC,B1,3,0");
    browser_->TakeRecordFromClipboard();
    EXPECT_EQ(state().MoveCount, 3);
    EXPECT_EQ(stoneAt(16, 4), kBlack + 1);
    EXPECT_EQ(stoneAt(4, 16), kWhite + 1);
    EXPECT_EQ(stoneAt(17, 3), kBlack + 1);
    EXPECT_EQ(state().Info[InfoField::PB], "山田");
    EXPECT_EQ(state().LstRead.size(), 8u);  // the file list left out
}

TEST_F(BrowserInProgram, TextThatIsNoRecordLeavesTheBoardAlone) {
    server_.serve("/news.htm", "text/html", "<html>\n<title>お知らせ</title>\n</html>");
    startWithBrowserAt(server_.url("/news.htm"));
    clickPoint(4, 4);
    ASSERT_TRUE(openBrowserFromTheMenu());

    browser_->TakeRecordFromSource();
    QMessageBox* box = waitForMessage();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "フォーマットの解析過程でエラーが発生しました。");
    box->close();
    EXPECT_EQ(state().MoveCount, 1);
    EXPECT_EQ(stoneAt(4, 4), kBlack + 1);

    QApplication::clipboard()->setText("ただの文章です。\n");
    browser_->TakeRecordFromClipboard();
    EXPECT_EQ(stoneAt(4, 4), kBlack + 1);
}

TEST_F(BrowserInProgram, RecordsServedForDownloadLandOnTheBoard) {
    server_.serve("/index.htm", "text/html", "<html><title>kifu</title></html>");
    server_.serve("/game.sgf", "application/x-go-sgf",
                  QByteArray::fromStdString(test::readBytes(
                      test::dataFile("handmade/sgf-commented-game-with-variations.sgf"))));
    server_.serve("/game.ugf", "application/octet-stream",
                  QByteArray::fromStdString(test::readBytes(
                      test::dataFile("handmade/ugf-hdcap-lower-case-coordinate.ugf"))));
    startWithBrowserAt(server_.url("/index.htm"));
    ASSERT_TRUE(openBrowserFromTheMenu());

    typeAddress("/game.sgf");
    ASSERT_TRUE(QTest::qWaitFor([this] { return state().MoveCount == 31; }, kPageTimeoutMs));
    EXPECT_EQ(stoneAt(16, 4), kBlack + 1);  // pd
    EXPECT_EQ(state().Info[InfoField::PB], "黒番");
    // The tree window shows the record's variations, as after reading the file.
    EXPECT_TRUE(program().treeWindowVisible());
    EXPECT_EQ(program().treeWindow().session().model().BranchCount, 4);
    EXPECT_EQ(browser_->cboAddress()->itemText(0), server_.url("/game.sgf").toString());

    // A UGF in CP932 replaces it, read as the file would be.
    typeAddress("/game.ugf");
    ASSERT_TRUE(QTest::qWaitFor([this] { return state().MoveCount == 4; }, kPageTimeoutMs));
    EXPECT_EQ(state().Info[InfoField::PB], "黒田");
    EXPECT_EQ(stoneAt(17, 3), kBlack + 1);  // qc, written in lower case
    EXPECT_EQ(browser_->cboAddress()->itemText(0), server_.url("/game.ugf").toString());
    EXPECT_EQ(browser_->cboAddress()->itemText(1), server_.url("/game.sgf").toString());
    EXPECT_EQ(browser_->findChild<QMessageBox*>(), nullptr);
}

TEST_F(BrowserInProgram, DownloadsThatAreNoRecordLeaveTheBoardAsItWas) {
    using Delivery = test::LoopbackHttpServer::Delivery;
    server_.serve("/index.htm", "text/html", "<html><title>kifu</title></html>");
    server_.serve("/notes.sgf", "application/x-go-sgf", "not a game record\n");
    server_.serve("/empty.sgf", "application/x-go-sgf", "");
    server_.serve("/huge.sgf", "application/x-go-sgf",
                  "(;GM[1]SZ[19];B[pd]C[" + QByteArray(33 * 1024 * 1024, 'x') + "])");
    server_.serve("/cut.sgf", "application/x-go-sgf",
                  "(;GM[1]SZ[19];B[aa];W[bb];B[cc];W[dd];B[ee];W[ff])", Delivery::CutShort);
    startWithBrowserAt(server_.url("/index.htm"));
    clickPoint(4, 4);
    ASSERT_TRUE(openBrowserFromTheMenu());
    const int listed = browser_->cboAddress()->count();

    const std::pair<QString, QString> cases[] = {
        {"/notes.sgf", "フォーマットの解析過程でエラーが発生しました。"},
        {"/empty.sgf", "フォーマットの解析過程でエラーが発生しました。"},
        {"/huge.sgf", "ﾌｧｲﾙの読み込みでエラーが発生しました。ファイルが開けません."},
        {"/cut.sgf", "ﾌｧｲﾙの読み込みでエラーが発生しました。ファイルが開けません."},
    };
    for (const auto& [path, message] : cases) {
        SCOPED_TRACE(path.toStdString());
        typeAddress(path);
        QMessageBox* box = waitForMessage();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), message);
        delete box;
        EXPECT_EQ(state().MoveCount, 1);
        EXPECT_EQ(stoneAt(4, 4), kBlack + 1);
        EXPECT_EQ(browser_->cboAddress()->count(), listed);
    }
}

TEST_F(BrowserInProgram, AReaderErrorIsShownAndKeepsWhatWasRead) {
    server_.serve("/index.htm", "text/html", "<html><title>棋譜</title></html>");
    startWithBrowserAt(server_.url("/index.htm"));
    ASSERT_TRUE(openBrowserFromTheMenu());

    // The third move line has one field too many.
    QApplication::clipboard()->setText(
        "[Header]\nVer=UGF,1\n[Data]\nPD,B1,1,0\nDP,W1,2,0\nQC,B1,3,0,0,0\n");
    browser_->TakeRecordFromClipboard();
    QMessageBox* box = waitForMessage();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "フォーマットの解析過程でエラーが発生しました。");
    box->close();
    EXPECT_EQ(state().MoveCol[2], 4);
}

}  // namespace
}  // namespace kelmaz
