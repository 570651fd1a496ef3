#include "shell/ui/HelpWindow.h"

#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/ui/AppResources.h"

namespace kelmaz {

namespace {
const QString kHelpRoot = QStringLiteral("qrc:/help/");
}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      browser_(new QTextBrowser(this)),
      back_(new QToolButton(this)),
      forward_(new QToolButton(this)) {
    loadAppResources();
    setWindowTitle(QStringLiteral("Kelmaz ヘルプ"));
    setWindowIcon(appIcon());
    resize(720, 600);

    auto* contents = new QToolButton(this);
    contents->setText(QStringLiteral("目次"));
    back_->setText(QStringLiteral("戻る"));
    forward_->setText(QStringLiteral("進む"));
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto* bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addStretch();

    // Links between help pages stay inside the window; anything else opens outside.
    browser_->setOpenExternalLinks(true);
    browser_->setAccessibleName(QStringLiteral("ヘルプ"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_);

    connect(contents, &QToolButton::clicked, this,
            [this] { showPage(QStringLiteral("index.html")); });
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Kelmaz ヘルプ")
                                       : QStringLiteral("Kelmaz ヘルプ - ") + title);
    });
    showPage(QStringLiteral("index.html"));
}

void HelpWindow::showContents() {
    showPage(QStringLiteral("index.html"));
    show();
    raise();
    activateWindow();
}

void HelpWindow::showPage(const QString& page) { browser_->setSource(QUrl(kHelpRoot + page)); }

}  // namespace kelmaz
