#pragma once
// The program's own help: Japanese HTML pages compiled into the program, shown in a small
// browser window with "目次", back and forward. Opened by F1 and by the help menu's "目次".
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace kelmaz {

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    // Opens at the contents page, so that showing the window is enough.
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the contents page and brings the window to the front.
    void showContents();
    // Shows one help page by its file name (for example "files.html").
    void showPage(const QString& page);

    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
};

}  // namespace kelmaz
