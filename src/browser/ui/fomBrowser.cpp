#include "browser/ui/fomBrowser.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <optional>

#include "base/AtomicFile.h"
#include "browser/ClipboardLines.h"
#include "browser/PageText.h"
#include "records/RecordFile.h"
#include "view/BoardGeometry.h"
#include "view/ui/ScreenTwips.h"

namespace kelmaz {
namespace {

const QString kBusyCaption = QStringLiteral("作業中...");
// A web search for game records, behind the "Search" key.
const QString kSearchAddress = QStringLiteral("https://duckduckgo.com/?q=囲碁+棋譜+SGF");
constexpr int kFetchTimeoutMs = 30000;

QString fetchErrorText(const QString& address) {
    return QStringLiteral("ページを取得できませんでした。\n") + address;
}

// The whole body of a finished reply; nothing when the transfer failed or brought more than
// maxBytes (the last part can arrive together with the end, too late to abort the reply).
std::optional<QByteArray> fetchedBytes(QNetworkReply* reply, qint64 maxBytes) {
    if (reply->error() != QNetworkReply::NoError) return std::nullopt;
    QByteArray bytes = reply->readAll();
    if (bytes.size() > maxBytes) return std::nullopt;
    return bytes;
}

std::string_view bytesView(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

struct ToolKey {
    const char* key;
    const char* label;
    const char* themeIcon;
    QStyle::StandardPixmap fallback;
};

constexpr ToolKey kToolKeys[] = {
    {"Back", "戻る", "go-previous", QStyle::SP_ArrowBack},
    {"Forward", "進む", "go-next", QStyle::SP_ArrowForward},
    {"Refresh", "更新", "view-refresh", QStyle::SP_BrowserReload},
    {"Home", "ホーム", "go-home", QStyle::SP_DirHomeIcon},
    {"Search", "検索", "edit-find", QStyle::SP_FileDialogContentsView},
    {"Stop", "中止", "process-stop", QStyle::SP_BrowserStop},
};

}  // namespace

QStringList fomBrowser::builtInAddresses() {
    return {
        QStringLiteral("https://homepages.cwi.nl/~aeb/go/games/"),
        QStringLiteral("https://gokifu.com/"),
        QStringLiteral("https://www.go4go.net/go/"),
        QStringLiteral("https://u-go.net/gamerecords/"),
    };
}

QString fomBrowser::defaultStartingAddress() {
    return QStringLiteral("https://www.nihonkiin.or.jp/");
}

fomBrowser::fomBrowser(RecordSink takeRecord, BrowserSetup setup, QWidget* parent)
    : QWidget(parent, Qt::Window),
      takeRecord_(std::move(takeRecord)),
      startingAddress_(std::move(setup.startingAddress)),
      transferDeadlineMs_(setup.transferDeadlineMs),
      cboAddress_(new QComboBox(this)),
      brwWebBrowser_(new QWebEngineView(this)),
      inet_(new QNetworkAccessManager(this)) {
    auto* tbToolBar = new QToolBar(this);
    // The page keys show icons only (their names as tips) so that the two record buttons,
    // which carry text only, stay on the bar of a narrow window.
    tbToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ToolKey& tool : kToolKeys) {
        QAction* action =
            tbToolBar->addAction(QIcon::fromTheme(QString::fromLatin1(tool.themeIcon),
                                                  style()->standardIcon(tool.fallback)),
                                 QString::fromUtf8(tool.label));
        action->setObjectName(QString::fromLatin1(tool.key));
        connect(action, &QAction::triggered, this,
                [this, key = action->objectName()] { tbToolBar_ButtonClick(key); });
    }
    tbToolBar->addSeparator();
    takePageAction_ = tbToolBar->addAction(QStringLiteral("ページの棋譜を取込"), this,
                                           &fomBrowser::TakeRecordFromSource);
    tbToolBar->addAction(QStringLiteral("クリップボードの棋譜を取込"), this,
                         &fomBrowser::TakeRecordFromClipboard);
    // The bar's buttons are reached with Tab, as every other control is.
    for (QAction* action : tbToolBar->actions())
        if (!action->isSeparator())
            tbToolBar->widgetForAction(action)->setFocusPolicy(Qt::TabFocus);

    cboAddress_->setEditable(true);
    cboAddress_->setInsertPolicy(QComboBox::NoInsert);
    cboAddress_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(cboAddress_, &QComboBox::activated, this,
            [this](int index) { navigate(cboAddress_->itemText(index)); });
    connect(cboAddress_->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { navigate(cboAddress_->currentText()); });

    connect(brwWebBrowser_, &QWebEngineView::loadStarted, this, [this] {
        loading_ = true;
        showCaption();
    });
    connect(brwWebBrowser_, &QWebEngineView::loadFinished, this, &fomBrowser::NavigateComplete);
    // The box shows the page the view holds, also after "Back" to a page that failed.
    connect(brwWebBrowser_, &QWebEngineView::urlChanged, this,
            [this](const QUrl& url) { cboAddress_->setEditText(url.toString()); });
    connect(brwWebBrowser_, &QWebEngineView::titleChanged, this, &fomBrowser::showCaption);
    connect(brwWebBrowser_->page()->profile(), &QWebEngineProfile::downloadRequested, this,
            &fomBrowser::downloadRequested);

    // The address box spans the width; the page fills the rest with a small left margin.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tbToolBar);
    layout->addWidget(cboAddress_);
    auto* page = new QHBoxLayout;
    page->setContentsMargins(twipsToPixels(100), 0, 0, 0);
    page->addWidget(brwWebBrowser_);
    layout->addLayout(page, 1);

    addresses_ = AddressList::initial(
        readAddressFile(setup.addressFileFolders),
        [] {
            std::vector<std::string> builtIns;
            for (const QString& address : builtInAddresses())
                builtIns.push_back(address.toStdString());
            return builtIns;
        }(),
        startingAddress_.toStdString());
    showAddressList();
    if (!startingAddress_.isEmpty()) {
        cboAddress_->setEditText(startingAddress_);
        navigate(startingAddress_);
    }
    resize(twipsToPixels(10000), twipsToPixels(6000));
    placeWindow(*this, {twipsToPixels(100), twipsToPixels(100)});
}

fomBrowser::~fomBrowser() = default;

QAction* fomBrowser::toolbarAction(const QString& key) const { return findChild<QAction*>(key); }

void fomBrowser::tbToolBar_ButtonClick(const QString& key) {
    if (key == QLatin1String("Back")) {
        brwWebBrowser_->back();
    } else if (key == QLatin1String("Forward")) {
        brwWebBrowser_->forward();
    } else if (key == QLatin1String("Refresh")) {
        brwWebBrowser_->reload();
    } else if (key == QLatin1String("Home")) {
        navigate(startingAddress_);
    } else if (key == QLatin1String("Search")) {
        navigate(kSearchAddress);
    } else if (key == QLatin1String("Stop")) {
        brwWebBrowser_->stop();
        loading_ = false;
        showCaption();
    }
}

void fomBrowser::navigate(const QString& address) {
    if (NoNavigate) return;
    const QUrl url = QUrl::fromUserInput(address.trimmed());
    if (!url.isValid() || url.isEmpty()) return;
    loading_ = true;
    showCaption();
    brwWebBrowser_->load(url);
}

// A page is shown: its address goes to the top of the list and into the address box.
void fomBrowser::NavigateComplete(bool ok) {
    loading_ = false;
    showCaption();
    if (ok) listAddress(brwWebBrowser_->url().toString());
}

// The address goes to the top of the list and into the address box, without navigating.
void fomBrowser::listAddress(const QString& address) {
    NoNavigate = true;
    addresses_.shown(address.toStdString());
    showAddressList();
    cboAddress_->setCurrentIndex(0);
    NoNavigate = false;
}

void fomBrowser::showAddressList() {
    const QString typed = cboAddress_->currentText();
    cboAddress_->clear();
    for (const std::string& address : addresses_.entries()) {
        cboAddress_->addItem(QString::fromStdString(address));
    }
    cboAddress_->setEditText(typed);
}

void fomBrowser::showCaption() {
    setWindowTitle(loading_ || fetch_ || download_ ? kBusyCaption : brwWebBrowser_->title());
}

// The raw bytes at the address; a reply that grows past maxBytes is aborted as soon as the
// excess arrives (or as soon as the server announces it), so that it never fills the memory.
QNetworkReply* fomBrowser::fetch(const QUrl& url, qint64 maxBytes) {
    QNetworkRequest request(url);
    request.setTransferTimeout(kFetchTimeoutMs);
    QNetworkReply* reply = inet_->get(request);
    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, maxBytes] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > maxBytes) {
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::downloadProgress, reply,
            [reply, maxBytes](qint64 received, qint64) {
                if (received > maxBytes) reply->abort();
            });
    // Past the deadline the transfer is aborted and reported like any that failed.
    QTimer::singleShot(transferDeadlineMs_, reply, [reply] { reply->abort(); });
    return reply;
}

void fomBrowser::TakeRecordFromSource() {
    if (fetch_) return;
    QUrl url = brwWebBrowser_->url();
    if (url.isEmpty()) url = QUrl::fromUserInput(cboAddress_->currentText().trimmed());
    if (!url.isValid() || url.isEmpty()) {
        showMessage(fetchErrorText(cboAddress_->currentText()));
        return;
    }
    // The raw bytes as the server sends them: the web view's own copy of the page is rebuilt
    // from its parsed form, with tags in another case and the record's line breaks lost.
    QNetworkReply* reply = fetch(url, kMaxPageBytes);
    fetch_ = reply;
    takePageAction_->setEnabled(false);
    showCaption();
    connect(reply, &QNetworkReply::finished, this, [this, reply] { pageFetched(reply); });
}

void fomBrowser::pageFetched(QNetworkReply* reply) {
    reply->deleteLater();
    fetch_ = nullptr;
    takePageAction_->setEnabled(true);
    showCaption();
    const std::optional<QByteArray> bytes = fetchedBytes(reply, kMaxPageBytes);
    if (!bytes) {
        showMessage(fetchErrorText(reply->url().toString()));
        return;
    }
    takeRecord(pageRecordLines(bytesView(*bytes), reply->rawHeader("Content-Type").toStdString()));
}

// The board refuses text that holds no record and answers with the format error.
void fomBrowser::takeRecord(std::vector<std::string> lines) {
    if (lines.empty()) return;
    const std::string message = takeRecord_(std::move(lines));
    if (!message.empty()) showMessage(QString::fromStdString(message));
}

// A navigation that the web view would save as a file: a record file served for download, or
// a local file of a type the view does not show. The view's download is cancelled, so nothing
// is written to the user's disk; the file is fetched into memory and read as a record file.
void fomBrowser::downloadRequested(QWebEngineDownloadRequest* download) {
    if (download->page() != brwWebBrowser_->page()) return;  // another browser's download
    download->cancel();
    fetchDownload(download->url());
}

void fomBrowser::fetchDownload(const QUrl& url) {
    // A newer download replaces one still arriving: the user asked for another address.
    if (download_) {
        disconnect(download_, nullptr, this, nullptr);
        download_->abort();
        download_->deleteLater();
        download_ = nullptr;
    }
    if (url.isLocalFile()) {
        std::string bytes;
        if (readWholeFile(QFile::encodeName(url.toLocalFile()).toStdString(), bytes)) {
            takeDownloadedRecord(url, bytes);
        } else {
            showMessage(QString::fromUtf8(kReadErrorMessage));
        }
        return;
    }
    QNetworkReply* reply = fetch(url, kMaxRecordFileBytes);
    download_ = reply;
    showCaption();
    connect(reply, &QNetworkReply::finished, this, [this, reply] { downloadFetched(reply); });
}

// A download that failed, was cut short or grew too large is a file that cannot be read.
void fomBrowser::downloadFetched(QNetworkReply* reply) {
    reply->deleteLater();
    download_ = nullptr;
    showCaption();
    const std::optional<QByteArray> bytes = fetchedBytes(reply, kMaxRecordFileBytes);
    if (!bytes) {
        showMessage(QString::fromUtf8(kReadErrorMessage));
        return;
    }
    takeDownloadedRecord(reply->url(), bytesView(*bytes));
}

// Read as a record file is: an empty or unrelated file reaches the record intake too, which
// refuses it with the format error. Only a record that was read joins the address list.
void fomBrowser::takeDownloadedRecord(const QUrl& url, std::string_view bytes) {
    const std::string message = takeRecord_(recordFileLines(bytes));
    if (!message.empty()) {
        showMessage(QString::fromStdString(message));
        return;
    }
    listAddress(url.toString());
}

void fomBrowser::showMessage(const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Warning, QApplication::applicationName(), text,
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void fomBrowser::TakeRecordFromClipboard() {
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    if (clipboard == nullptr || !clipboard->hasText()) return;
    takeRecord(ReadClipboardLines(clipboard->text().toStdString()));
}

}  // namespace kelmaz
