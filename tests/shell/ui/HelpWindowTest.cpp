// The help window: every page is compiled in, readable, and reachable from the contents;
// no link leads to a missing page.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>
#include <QToolButton>

#include "shell/ui/AppResources.h"
#include "shell/ui/HelpWindow.h"

namespace kelmaz {
namespace {

QString readResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

QStringList helpPages() {
    loadAppResources();
    return QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")}, QDir::Files);
}

QStringList linksOf(const QString& html) {
    QStringList links;
    static const QRegularExpression href(QStringLiteral("href=\"([^\"#]+)"));
    for (auto it = href.globalMatch(html); it.hasNext();) links << it.next().captured(1);
    return links;
}

TEST(HelpPages, EveryLinkLeadsToACompiledPageAndEveryPageIsReachable) {
    const QStringList pages = helpPages();
    ASSERT_GE(pages.size(), 6);
    ASSERT_TRUE(pages.contains(QStringLiteral("index.html")));

    QSet<QString> reached{QStringLiteral("index.html")};
    QStringList queue{QStringLiteral("index.html")};
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        const QString html = readResource(QStringLiteral(":/help/") + page);
        ASSERT_FALSE(html.isEmpty()) << page.toStdString();
        for (const QString& link : linksOf(html)) {
            EXPECT_TRUE(pages.contains(link))
                << page.toStdString() << " links to missing " << link.toStdString();
            if (pages.contains(link) && !reached.contains(link)) {
                reached.insert(link);
                queue << link;
            }
        }
    }
    for (const QString& page : pages)
        EXPECT_TRUE(reached.contains(page)) << page.toStdString() << " is not linked";
}

TEST(HelpPages, AreJapaneseAndNameTheMenusTheyDescribe) {
    const QString menus = readResource(QStringLiteral(":/help/menus.html"));
    for (const char* caption : {"新しいウィンドウの作成", "盤面を画像で保存", "ツリーﾋﾞｭｱｰ(SGF)",
                                "画面回転１８０°", "バージョン情報", "目次"})
        EXPECT_TRUE(menus.contains(QString::fromUtf8(caption))) << caption;
    // The keys of the main window, each with the command it runs.
    for (const char* row :
         {"<td>←</td><td>一手戻し", "<td>→</td><td>次の手", "<td>Page Up</td><td>10手戻し",
          "<td>Page Down</td><td>10手進め", "<td>Home</td><td>初手", "<td>End</td><td>最終手",
          "マウスのホイール", "<td>Esc</td>", "<td>Ctrl+N</td>", "Ctrl+O", "Ctrl+S"})
        EXPECT_TRUE(menus.contains(QString::fromUtf8(row))) << row;
    const QString network = readResource(QStringLiteral(":/help/network.html"));
    EXPECT_TRUE(network.contains(QStringLiteral("1002")));
}

// Menu captions read as the menus show them (no "&" of the access key), and the window's
// title names the help once, then the page.
TEST(HelpPages, HeadingsAndTitlesReadAsShown) {
    HelpWindow window;
    for (const QString& page : helpPages()) {
        window.showPage(page);
        EXPECT_FALSE(window.browser()->toPlainText().contains(QLatin1Char('&')))
            << page.toStdString();
        EXPECT_EQ(window.windowTitle().count(QStringLiteral("ヘルプ")), 1)
            << window.windowTitle().toStdString();
    }
}

TEST(HelpWindow, OpensAtTheContentsAndGoesBackFromAnotherPage) {
    HelpWindow window;
    window.showContents();
    QTextBrowser* browser = window.browser();
    EXPECT_EQ(browser->source().toString(), QStringLiteral("qrc:/help/index.html"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("目次")));
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("ヘルプ")));

    window.showPage(QStringLiteral("files.html"));
    EXPECT_EQ(browser->source().toString(), QStringLiteral("qrc:/help/files.html"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("SGF")));

    auto buttons = window.findChildren<QToolButton*>();
    QToolButton* back = nullptr;
    for (QToolButton* b : buttons)
        if (b->text() == QStringLiteral("戻る")) back = b;
    ASSERT_NE(back, nullptr);
    ASSERT_TRUE(back->isEnabled());
    back->click();
    EXPECT_EQ(browser->source().toString(), QStringLiteral("qrc:/help/index.html"));
}

TEST(AppIcon, IsCompiledInAndDrawsAtDesktopSizes) {
    const QIcon icon = appIcon();
    ASSERT_FALSE(icon.isNull());
    const QImage image = icon.pixmap(48, 48).toImage();
    ASSERT_EQ(image.width(), 48);
    // The board's wood colour fills the middle of the picture.
    EXPECT_GT(qAlpha(image.pixel(24, 40)), 0);
}

}  // namespace
}  // namespace kelmaz
