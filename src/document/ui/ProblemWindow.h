#pragma once
// The problem mode 「詰碁モード」: a small window beside the board that names the problem, says
// whose move it is,
// 正解 or 不正解, with 「もう一度」 and 「次の問題」. While it is open the board's clicks are the
// player's tries; the board shows the nodes the session reaches by choosing them in the
// document, which is never edited. Closing the window ends the mode.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

#include "document/ProblemSession.h"
#include "view/ui/UserDialogs.h"

class QLabel;
class QPushButton;

namespace kelmaz {

inline constexpr std::string_view kNotAProblemMessage =
    "この棋譜には初めに置かれた石がないので、詰碁として解けません。";
inline constexpr std::string_view kLastProblemMessage = "これが最後の問題です。";

class ProblemWindow : public QWidget {
    Q_OBJECT
  public:
    ProblemWindow(RecordDocument& document, QWidget* boardWindow);
    void setDialogs(UserDialogs& dialogs) { dialogs_ = &dialogs; }
    // How 次の問題 goes on after the document's last game: `openNext` puts the next game of the
    // file the record was read from on the board and returns false when there is none.
    void setNextGame(std::function<bool()> openNext) { openNext_ = std::move(openNext); }

    // Starts trying the game the document shows and opens the window; false, with the
    // user told why, when its start sets up no stones.
    bool begin();
    // True while the mode is on and the document is still the one being tried.
    bool active() const;
    void pointClicked(int col, int row);
    QString statusText() const;

  signals:
    // The board is to show the node the try reached (the document's position).
    void positionChosen();
    void ended();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void startGame(int game);
    void retry();
    void nextProblem();
    void showState();

    RecordDocument& document_;
    MessageBoxDialogs ownDialogs_{this};
    UserDialogs* dialogs_ = &ownDialogs_;
    std::function<bool()> openNext_;
    std::optional<ProblemSession> session_;
    std::uint64_t revision_ = 0;
    QLabel* name_ = nullptr;  // the game's name (GN), which problem of a collection this is
    QLabel* status_ = nullptr;
};

}  // namespace kelmaz
