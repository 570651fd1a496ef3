// The browser window driven as a user would: pages shown from the test's own folder and from a
// loopback HTTP server, records taken from the page and from the clipboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

#include "browser/ui/LoopbackHttpServer.h"
#include "browser/ui/fomBrowser.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

using Lines = std::vector<std::string>;
constexpr int kPageTimeoutMs = 20000;

// The corpus page of a board applet (CP932, CR LF), as a publisher serves it.
std::string appletPage() {
    return test::readBytes(test::dataFile("handmade/applet-page-cp932.htm"));
}

QString fileUrl(const std::filesystem::path& path) {
    return QUrl::fromLocalFile(QString::fromStdString(path.string())).toString();
}

// A browser whose taken records are kept in `taken`, one entry per record.
struct Browser {
    explicit Browser(const QString& start, std::vector<std::filesystem::path> folders = {})
        : window(
              [this](Lines lines) {
                  taken.push_back(std::move(lines));
                  return std::string();
              },
              BrowserSetup{std::move(folders), start}) {
        window.show();
    }
    bool waitForPage() {
        QSignalSpy finished(window.brwWebBrowser(), &QWebEngineView::loadFinished);
        return finished.wait(kPageTimeoutMs) && finished.takeFirst().at(0).toBool();
    }
    std::vector<Lines> taken;
    fomBrowser window;
};

template <typename Predicate>
bool waitFor(Predicate predicate) {
    return QTest::qWaitFor(predicate, kPageTimeoutMs);
}

QMessageBox* waitForMessage(QWidget& parent) {
    waitFor([&] { return parent.findChild<QMessageBox*>() != nullptr; });
    return parent.findChild<QMessageBox*>();
}

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
