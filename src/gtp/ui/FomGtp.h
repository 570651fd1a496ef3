#pragma once
// The window "コンピューター対局": a game against a GTP engine. The engine's board is kept in
// step by GtpGame; this window owns the engine process, the controls and the log, and brings
// the engine's moves into the record the way a network peer's moves come in.
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/EngineHost.h"
#include "engine/GameState.h"
#include "gtp/GtpGame.h"
#include "gtp/GtpHost.h"
#include "net/MatchSession.h"
#include "view/ui/UserDialogs.h"

class QButtonGroup;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kelmaz {

class GtpProcess;

class FomGtp : public QWidget, public NetLink {
    Q_OBJECT
  public:
    using SettingReader = std::function<std::string(std::string_view key, std::string_view def)>;
    using SettingWriter = std::function<void(std::string_view key, std::string_view value)>;

    FomGtp(GameState& state, MatchBoard& board, GtpHost& host, SettingReader readSetting,
           SettingWriter writeSetting, QWidget* parent = nullptr);
    ~FomGtp() override;

    // Questions and notices go through these dialogs (message boxes unless replaced).
    void setDialogs(UserDialogs& dialogs) { dialogs_ = &dialogs; }
    void setReplyLimitMs(int ms);

    // The main window's menu entry: placed beside the main window on first use, then shown.
    void showFromMenu(const QRect& mainWindowGeometry);
    bool playing() const { return playing_; }
    bool thinking() const;
    QStringList logLines() const;

    // Buttons.
    void CmdStart_Click();
    void CmdMatta_Click();
    void CmdPass_Click();
    void CmdResign_Click();
    void CmdScore_Click();
    void CmdStop_Click();

    // The user placed move `moveNumber` on the board.
    void sendMove(int moveNumber) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void handle(GtpOutcome outcome);
    void afterReady();
    void applyEngineMove(const GtpOutcome& outcome);
    void applyTakeBack(int n);
    void showScore(const GtpScore& score);
    void setResult(const std::string& re);
    void failGame(const QString& message);
    void endGame();
    void log(const QString& line);
    bool lastTwoArePasses() const;
    bool recordChanged();
    void updateControls();

    GameState& state_;
    MatchBoard& board_;
    GtpHost& host_;
    SettingReader readSetting_;
    SettingWriter writeSetting_;
    MessageBoxDialogs ownDialogs_{this};
    UserDialogs* dialogs_ = &ownDialogs_;
    GtpProcess* process_;
    std::unique_ptr<GtpGame> game_;
    bool loaded_ = false;
    bool playing_ = false;
    bool endingByPasses_ = false;  // both sides passed: the score decides the game
    int userColour_ = kBlack;
    int engineColour_ = kWhite;
    int handicap_ = 0;
    int startCount_ = 0;  // moves on the board when the game began; take-backs stop there
    int movesKnown_ = 0;  // moves of the record that the engine's board holds

    QLineEdit* TxtCommand = nullptr;
    QButtonGroup* OptColour = nullptr;
    QDoubleSpinBox* SpinKomi = nullptr;
    QComboBox* CboHandicap = nullptr;
    QButtonGroup* OptSize = nullptr;
    QButtonGroup* OptFrom = nullptr;
    QPushButton* CmdStart = nullptr;
    QPushButton* CmdMatta = nullptr;
    QPushButton* CmdPass = nullptr;
    QPushButton* CmdResign = nullptr;
    QPushButton* CmdScore = nullptr;
    QPushButton* CmdStop = nullptr;
    QLabel* LblThinking = nullptr;
    QListWidget* LstLog = nullptr;
};

}  // namespace kelmaz
