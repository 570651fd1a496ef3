// The browser window driven as a user would: pages shown from the test's own folder and from a
// loopback HTTP server, records taken from the page and from the clipboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <filesystem>

#include "browser/ui/LoopbackHttpServer.h"
#include "browser/ui/fomBrowser.h"
#include "support/AccessibleNames.h"
#include "support/TestSupport.h"
#include "support/WaitFor.h"

namespace kelmaz {
namespace {

using Lines = std::vector<std::string>;

constexpr int kPageTimeoutMs = 20000;

// A page loads in its own process: its waits are longer than the rest.
template <typename Predicate>
bool waitFor(Predicate predicate) {
    return test::waitFor(predicate, kPageTimeoutMs);
}

// The corpus page of a board applet (CP932, CR LF), as a publisher serves it.
std::string appletPage() {
    return test::readBytes(test::dataFile("handmade/applet-page-cp932.htm"));
}

QString fileUrl(const std::filesystem::path& path) {
    return QUrl::fromLocalFile(QString::fromStdString(path.string())).toString();
}

// A browser whose taken records are kept in `taken`, one entry per record.
struct Browser {
    explicit Browser(const QString& start, std::vector<std::filesystem::path> folders = {},
                     int transferDeadlineMs = BrowserSetup{}.transferDeadlineMs)
        : window(
              [this](Lines lines) {
                  taken.push_back(std::move(lines));
                  return std::string();
              },
              BrowserSetup{std::move(folders), start, transferDeadlineMs}) {
        window.show();
    }
    bool waitForPage() {
        QSignalSpy finished(window.brwWebBrowser(), &QWebEngineView::loadFinished);
        return finished.wait(kPageTimeoutMs) && finished.takeFirst().at(0).toBool();
    }
    std::vector<Lines> taken;
    fomBrowser window;
};

QMessageBox* waitForMessage(QWidget& parent) {
    waitFor([&] { return parent.findChild<QMessageBox*>() != nullptr; });
    return parent.findChild<QMessageBox*>();
}

// The address typed into the box and Enter pressed, as a user opens a link by hand.
void typeAddress(fomBrowser& window, const QUrl& url) {
    window.cboAddress()->setEditText(url.toString());
    QTest::keyClick(window.cboAddress(), Qt::Key_Return);
}

const QString kReadError =
    QStringLiteral("ﾌｧｲﾙの読み込みでエラーが発生しました。ファイルが開けません.");
constexpr qint64 kLimit = 32 * 1024 * 1024;

// Text of exactly `size` bytes in lines of 64 characters.
QByteArray textOfSize(qint64 size) {
    QByteArray line(63, 'x');
    line += '\n';
    return line.repeated(size / line.size() + 1).left(size);
}

// The download requests the web view made, with their state once the browser had seen them.
struct DownloadLog {
    explicit DownloadLog(fomBrowser& window) {
        QObject::connect(
            window.brwWebBrowser()->page()->profile(), &QWebEngineProfile::downloadRequested,
            &window,
            [this](QWebEngineDownloadRequest* download) { states.push_back(download->state()); });
    }
    std::vector<QWebEngineDownloadRequest::DownloadState> states;
};

TEST(fomBrowser, OpensOnTheStartingPageBelowTheAddressFile) {
    test::TempDir dir;
    test::writeBytes(dir.file("applet.htm"), appletPage());
    test::writeBytes(dir.file("kelmazhml.ini"), "http://mine.example/\r\n\r\n");
    const QString start = fileUrl(dir.file("applet.htm"));

    Browser browser(start, {dir.path()});
    EXPECT_EQ(browser.window.windowTitle(), "作業中...");
    ASSERT_TRUE(browser.waitForPage());
    EXPECT_TRUE(waitFor([&] { return browser.window.windowTitle() == "WtGobanApplet"; }));

    // The starting page moved from the bottom to the top; the file's lines come next, blank
    // one included, then the built-in record pages.
    QStringList expected{start, "http://mine.example/", ""};
    expected += fomBrowser::builtInAddresses();
    QStringList shown;
    for (int i = 0; i < browser.window.cboAddress()->count(); ++i) {
        shown << browser.window.cboAddress()->itemText(i);
    }
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(browser.window.cboAddress()->currentText(), start);
}

TEST(fomBrowser, EveryControlHasANameAndTabReachesIt) {
    test::TempDir dir;
    test::writeBytes(dir.file("applet.htm"), appletPage());
    Browser browser(fileUrl(dir.file("applet.htm")), {dir.path()});
    ASSERT_TRUE(browser.waitForPage());
    const QStringList unnamed = test::unnamedControls(browser.window);
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char('\n')).toStdString();
    const QStringList skipped = test::controlsTabSkips(browser.window);
    EXPECT_TRUE(skipped.isEmpty()) << skipped.join(QLatin1Char('\n')).toStdString();
}

TEST(fomBrowser, TakesTheRecordOfTheAppletPageShown) {
    test::TempDir dir;
    test::writeBytes(dir.file("applet.htm"), appletPage());
    Browser browser(fileUrl(dir.file("applet.htm")));
    ASSERT_TRUE(browser.waitForPage());

    browser.window.TakeRecordFromSource();
    ASSERT_TRUE(waitFor([&] { return browser.taken.size() == 1; }));
    const Lines& lines = browser.taken.front();
    // The raw text, upper-case tags and all, not the web view's rebuilt page.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "<TITLE>WtGobanApplet</TITLE>"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "<PARAM name=\"Black\" value=\"山田太郎\">"),
              lines.end());
    EXPECT_EQ(lines.back(), "</HTML>");
    EXPECT_EQ(browser.window.windowTitle(), "WtGobanApplet");
}

TEST(fomBrowser, PagesFromAServerGoToTheTopOfTheListAndKeepTheirLastLine) {
    test::LoopbackHttpServer server;
    // LF line ends, no line end after the last line, charset named only by the server.
    QByteArray page = QByteArray::fromStdString(appletPage()).replace("\r\n", "\n").trimmed();
    server.serve("/applet.htm", "text/html; charset=Shift_JIS", page);
    server.serve("/other.htm", "text/html", "<html><title>other</title></html>");

    Browser browser(server.url("/other.htm").toString());
    ASSERT_TRUE(browser.waitForPage());
    browser.window.cboAddress()->setEditText(server.url("/applet.htm").toString());
    QTest::keyClick(browser.window.cboAddress(), Qt::Key_Return);
    ASSERT_TRUE(browser.waitForPage());
    EXPECT_EQ(browser.window.cboAddress()->itemText(0), server.url("/applet.htm").toString());
    EXPECT_EQ(browser.window.cboAddress()->itemText(1), server.url("/other.htm").toString());

    browser.window.TakeRecordFromSource();
    ASSERT_TRUE(waitFor([&] { return browser.taken.size() == 1; }));
    EXPECT_EQ(browser.taken.front().back(), "</HTML>");
    EXPECT_EQ(browser.taken.front()[11], "<PARAM name=\"White\" value=\"鈴木花子\">");

    // Showing a listed page again moves it up instead of listing it twice.
    const int count = browser.window.cboAddress()->count();
    browser.window.navigate(server.url("/other.htm").toString());
    ASSERT_TRUE(browser.waitForPage());
    EXPECT_EQ(browser.window.cboAddress()->count(), count);
    EXPECT_EQ(browser.window.cboAddress()->itemText(0), server.url("/other.htm").toString());

    // A page that fails to load still names itself in the box, so that taking its record
    // asks for that page and not for the one shown before.
    QUrl refused;
    {
        test::LoopbackHttpServer closed;
        refused = closed.url("/missing.htm");
    }
    browser.window.navigate(refused.toString());
    EXPECT_FALSE(browser.waitForPage());
    EXPECT_EQ(browser.window.cboAddress()->currentText(), refused.toString());
}

TEST(fomBrowser, APageThatCannotBeFetchedIsReportedAndTakesNothing) {
    test::LoopbackHttpServer server;  // knows no page: every address answers 404
    Browser browser(server.url("/missing.htm").toString());
    browser.waitForPage();

    browser.window.TakeRecordFromSource();
    QMessageBox* box = waitForMessage(browser.window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(),
              "ページを取得できませんでした。\n" + server.url("/missing.htm").toString());
    EXPECT_TRUE(browser.taken.empty());
    box->close();
}

TEST(fomBrowser, RecordsServedForDownloadAreReadAsFilesAndListed) {
    test::LoopbackHttpServer server;
    server.serve("/index.htm", "text/html; charset=UTF-8", "<html><title>棋譜</title></html>");
    // CP932 without a declaration, and a server that names another charset: a download is
    // decoded as a record file is, whatever the server says.
    server.serve("/game.sgf", "application/x-go-sgf; charset=ISO-8859-1",
                 QByteArray::fromStdString(
                     test::readBytes(test::dataFile("handmade/sgf-cp932-trail-bytes.sgf"))));
    server.serve("/game.ugf", "application/octet-stream",
                 QByteArray::fromStdString(test::readBytes(
                     test::dataFile("handmade/ugf-hdcap-lower-case-coordinate.ugf"))));
    Browser browser(server.url("/index.htm").toString());
    ASSERT_TRUE(browser.waitForPage());
    DownloadLog downloads(browser.window);

    typeAddress(browser.window, server.url("/game.sgf"));
    ASSERT_TRUE(waitFor([&] { return browser.taken.size() == 1; }));
    EXPECT_EQ(browser.taken[0][0], "(;GM[1]FF[4]SZ[19]PB[能勢]PW[十河ソ]EV[表彰式]C[開始]");
    EXPECT_EQ(browser.taken[0][2], ";W[dp]C[括弧 \\] と \\\\ を含む]");
    EXPECT_EQ(browser.window.cboAddress()->itemText(0), server.url("/game.sgf").toString());
    EXPECT_EQ(browser.window.cboAddress()->itemText(1), server.url("/index.htm").toString());

    typeAddress(browser.window, server.url("/game.ugf"));
    ASSERT_TRUE(waitFor([&] { return browser.taken.size() == 2; }));
    EXPECT_EQ(browser.taken[1][3], "Place=碁会所");
    EXPECT_EQ(browser.taken[1].back(), "DD,W1,4,0");
    EXPECT_EQ(browser.window.cboAddress()->itemText(0), server.url("/game.ugf").toString());
    EXPECT_EQ(browser.window.cboAddress()->currentText(), server.url("/game.ugf").toString());
    EXPECT_TRUE(waitFor([&] { return browser.window.windowTitle() == "棋譜"; }));

    // The web view saved nothing: each of its downloads was cancelled on arrival.
    EXPECT_EQ(downloads.states, (std::vector{QWebEngineDownloadRequest::DownloadCancelled,
                                             QWebEngineDownloadRequest::DownloadCancelled}));
    EXPECT_EQ(browser.window.findChild<QMessageBox*>(), nullptr);
}

TEST(fomBrowser, ADownloadIsReadUpToTheSizeOfARecordFile) {
    // Without a length the server's size shows only as the bytes arrive.
    using Delivery = test::LoopbackHttpServer::Delivery;
    test::LoopbackHttpServer server;
    server.serve("/limit.sgf", "application/x-go-sgf", textOfSize(kLimit), Delivery::WithoutLength);
    server.serve("/over.sgf", "application/x-go-sgf", textOfSize(kLimit + 1),
                 Delivery::WithoutLength);
    Browser browser(QString{});

    typeAddress(browser.window, server.url("/limit.sgf"));
    ASSERT_TRUE(waitFor([&] { return browser.taken.size() == 1; }));
    EXPECT_EQ(browser.taken[0].size(), static_cast<std::size_t>(kLimit / 64));
    EXPECT_EQ(browser.window.findChild<QMessageBox*>(), nullptr);

    // One byte more is refused with the read error, and the address is not listed.
    const int listed = browser.window.cboAddress()->count();
    typeAddress(browser.window, server.url("/over.sgf"));
    QMessageBox* box = waitForMessage(browser.window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), kReadError);
    EXPECT_EQ(browser.taken.size(), 1u);
    EXPECT_EQ(browser.window.cboAddress()->count(), listed);
    EXPECT_EQ(browser.window.cboAddress()->itemText(0), server.url("/limit.sgf").toString());
    box->close();
}

// A server that sends a byte now and then never trips the wait between bytes; the deadline of
// the whole transfer ends it with the read error.
TEST(fomBrowser, ADownloadThatTricklesEndsAtItsDeadline) {
    test::LoopbackHttpServer server;
    server.serve("/slow.sgf", "application/x-go-sgf", "(;B[aa])" + QByteArray(1000, ' '),
                 test::LoopbackHttpServer::Delivery::Trickle);
    Browser browser(QString{}, {}, 300);
    typeAddress(browser.window, server.url("/slow.sgf"));
    QMessageBox* box = waitForMessage(browser.window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), kReadError);
    EXPECT_TRUE(browser.taken.empty());
    EXPECT_NE(browser.window.windowTitle(), "作業中...");
    box->close();
}

TEST(fomBrowser, ALocalRecordFileThatTheViewWouldDownloadIsReadInPlace) {
    test::TempDir dir;
    test::writeBytes(dir.file("game.sgf"), "(;GM[1]SZ[19];B[pd];W[dp])\n");
    // Far larger than a record file may be, yet costing no disk space.
    test::writeBytes(dir.file("huge.sgf"), "(;GM[1]");
    std::filesystem::resize_file(dir.file("huge.sgf"), kLimit + 1);
    Browser browser(QString{});
    DownloadLog downloads(browser.window);

    typeAddress(browser.window, QUrl(fileUrl(dir.file("game.sgf"))));
    ASSERT_TRUE(waitFor([&] { return browser.taken.size() == 1; }));
    EXPECT_EQ(browser.taken[0], Lines{"(;GM[1]SZ[19];B[pd];W[dp])"});
    EXPECT_EQ(browser.window.cboAddress()->itemText(0), fileUrl(dir.file("game.sgf")));

    typeAddress(browser.window, QUrl(fileUrl(dir.file("huge.sgf"))));
    QMessageBox* box = waitForMessage(browser.window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), kReadError);
    EXPECT_EQ(browser.taken.size(), 1u);
    box->close();
    EXPECT_EQ(downloads.states.size(), 2u);
}

TEST(fomBrowser, APageLargerThanItsLimitIsNotTaken) {
    test::LoopbackHttpServer server;
    // Without a length the excess shows only as it arrives, possibly together with the end.
    server.serve("/big.txt", "text/plain", textOfSize(fomBrowser::kMaxPageBytes + 1),
                 test::LoopbackHttpServer::Delivery::WithoutLength);
    Browser browser(QString{});
    browser.window.cboAddress()->setEditText(server.url("/big.txt").toString());

    browser.window.TakeRecordFromSource();
    QMessageBox* box = waitForMessage(browser.window);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "ページを取得できませんでした。\n" + server.url("/big.txt").toString());
    EXPECT_TRUE(browser.taken.empty());
    box->close();
}

TEST(fomBrowser, TakesAUgfRecordFromTheClipboardWithoutItsFileList) {
    Browser browser(QString{});
    QApplication::clipboard()->setText(
        "[Header]\r\nVer=UGF,1\r\nPlayerB=山田,3d\r\n[Files]\r\n1.ugf\r\n[Data]\r\nPD,B1,1,0\r\n"
        "DP,W1,2,0");
    browser.window.TakeRecordFromClipboard();
    ASSERT_EQ(browser.taken.size(), 1u);
    EXPECT_EQ(browser.taken.front(), (Lines{"[Header]", "Ver=UGF,1", "PlayerB=山田,3d", "[Data]",
                                            "PD,B1,1,0", "DP,W1,2,0"}));

    // An empty clipboard hands nothing on.
    QApplication::clipboard()->clear();
    browser.window.TakeRecordFromClipboard();
    EXPECT_EQ(browser.taken.size(), 1u);
}

}  // namespace
}  // namespace kelmaz
