#pragma once
// The list window "棋譜の選択": one row per game of a collection (number, players, date,
// result, event, moves). Enter or a double-click opens the game; Esc closes the window and
// nothing is read. The rows come from the one-pass index of the file, so a list of thousands
// of games opens at once.
#include <QDialog>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "intake/RecordCollection.h"

class QTableView;

namespace kelmaz {

class FomGames : public QDialog {
    Q_OBJECT
  public:
    FomGames(std::shared_ptr<const RecordCollection> collection, QWidget* parent = nullptr);

    // The game opened (1-based), 0 while none is.
    std::size_t chosenGame() const { return chosen_; }

    QTableView* List = nullptr;

  signals:
    void gameChosen(std::size_t number);

  private:
    void openGame(int row);

    std::shared_ptr<const RecordCollection> collection_;
    std::size_t chosen_ = 0;
};

// Shows the list of the collection's games over `parent`; the game chosen goes to `take` as the
// lines of a one-game file, with the collection and the game's number (1-based), or, when it
// cannot be read, its message to `inform`.
using TakeChosenGame = std::function<void(std::vector<std::string> lines,
                                          const RecordCollection& file, std::size_t number)>;
void chooseGame(QWidget* parent, RecordCollection collection, TakeChosenGame take,
                std::function<void(const std::string&)> inform);

}  // namespace kelmaz
