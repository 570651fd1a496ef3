#pragma once
// 「棋譜データベース」: the game library's window. Adds a folder of records off the window's
// thread (with progress and a cancel button), lists the games with filters and sortable
// columns, searches the position of the main board (「局面検索」) or a pattern dragged on its
// own board (「部分検索」), shows the matched games and the continuations, and opens a game at
// its matched move on a double-click.
#include <QWidget>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "library/GameLibrary.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QThread;

namespace kelmaz {

class ShapeBoard;

class LibraryWindowHost {
  public:
    virtual ~LibraryWindowHost() = default;
    // The position of the main board as it stands, as a full-board pattern.
    virtual library::Pattern boardPosition() = 0;
    // Reads game `game` of `file` into the main board through the program's intake and goes
    // to move `move`.
    virtual void openLibraryGame(const std::string& file, int game, int move) = 0;
};

class FomLibrary : public QWidget {
    Q_OBJECT
  public:
    FomLibrary(LibraryWindowHost& host, const std::string& libraryPath, QWidget* parent = nullptr);
    ~FomLibrary() override;

    // Adds the records of a folder in the background; addingFinished follows.
    void addFolder(const QString& folder);
    void searchPosition();  // 「局面検索」
    void searchPattern();   // 「部分検索」
    void openResult(int row);

  signals:
    void addingFinished();

  private:
    void chooseFolder();
    void finishAdding(const library::AddSummary& summary);
    void refreshList();
    void runSearch(const library::Pattern& pattern);

    LibraryWindowHost& host_;
    std::unique_ptr<library::GameLibrary> library_;
    std::atomic<bool> cancel_{false};
    QThread* worker_ = nullptr;
    std::vector<library::SearchHit> hits_;

    QLabel* status_;
    QPushButton* addButton_;
    QPushButton* cancelButton_;
    QProgressBar* progress_;
    QLineEdit* player_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLineEdit* event_;
    QTableWidget* games_;
    ShapeBoard* board_;
    QCheckBox* symmetries_;
    QCheckBox* colourSwap_;
    QCheckBox* anywhere_;
    QPushButton* positionButton_;
    QPushButton* patternButton_;
    QTableWidget* results_;
    QLabel* continuations_;
};

}  // namespace kelmaz
