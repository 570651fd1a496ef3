#pragma once
// The record browser: web pages of record collections in an embedded web view, an address box
// with the list of known pages, and two ways to take a record into the board: from the text
// of the page shown, or from the clipboard. An address that the web view would download (a
// record file served for download) is read as a record file instead.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "browser/AddressList.h"

class QAction;
class QComboBox;
class QNetworkAccessManager;
class QNetworkReply;
class QUrl;
class QWebEngineDownloadRequest;
class QWebEngineView;

namespace kelmaz {

struct BrowserSetup {
    // Folders looked at, in order, for the address file.
    std::vector<std::filesystem::path> addressFileFolders;
    // The page shown when the window opens; nothing is shown when it is empty.
    QString startingAddress;
    // The longest a page or a download may take as a whole. A server that sends a byte now and
    // then never trips the wait between bytes, so the whole transfer has its own limit.
    int transferDeadlineMs = 60'000;
};

class fomBrowser : public QWidget {
    Q_OBJECT

  public:
    // Receives the lines of a record taken from a page or the clipboard and hands them to the
    // format detection, which loads the record into the board. Returns the message to show
    // when the record could not be read, else nothing.
    using RecordSink = std::function<std::string(std::vector<std::string> lines)>;

    // A page fetched for its record may not be larger than this.
    static constexpr qint64 kMaxPageBytes = 16 * 1024 * 1024;

    fomBrowser(RecordSink takeRecord, BrowserSetup setup, QWidget* parent = nullptr);
    ~fomBrowser() override;

    // Record pages offered in the address list, and the news page shown first.
    static QStringList builtInAddresses();
    static QString defaultStartingAddress();

    // The toolbar keys: "Back", "Forward", "Refresh", "Home", "Search", "Stop".
    void tbToolBar_ButtonClick(const QString& key);
    // Shows the address (as typed or picked); does nothing while the list is being rearranged.
    void navigate(const QString& address);
    // "ページの棋譜を取込": fetches the raw text of the page shown and takes its record.
    void TakeRecordFromSource();
    // "クリップボードの棋譜を取込": takes the record in the clipboard's text.
    void TakeRecordFromClipboard();

    QComboBox* cboAddress() const { return cboAddress_; }
    QWebEngineView* brwWebBrowser() const { return brwWebBrowser_; }
    QAction* toolbarAction(const QString& key) const;
    const AddressList& addresses() const { return addresses_; }

  private:
    void NavigateComplete(bool ok);
    void listAddress(const QString& address);
    void showAddressList();
    void showCaption();
    QNetworkReply* fetch(const QUrl& url, qint64 maxBytes);
    void pageFetched(QNetworkReply* reply);
    void takeRecord(std::vector<std::string> lines);
    void downloadRequested(QWebEngineDownloadRequest* download);
    void fetchDownload(const QUrl& url);
    void downloadFetched(QNetworkReply* reply);
    void takeDownloadedRecord(const QUrl& url, std::string_view bytes);
    void showMessage(const QString& text);

    RecordSink takeRecord_;
    QString startingAddress_;
    int transferDeadlineMs_;
    AddressList addresses_;
    bool NoNavigate = false;
    bool loading_ = false;

    QComboBox* cboAddress_ = nullptr;
    QWebEngineView* brwWebBrowser_ = nullptr;
    QNetworkAccessManager* inet_ = nullptr;
    QPointer<QNetworkReply> fetch_;
    QPointer<QNetworkReply> download_;
    QAction* takePageAction_ = nullptr;
};

}  // namespace kelmaz
