#pragma once
// The main board window: the board, the control panel below it (move-number box, buttons,
// commentary box), the menus, the context menu and the version panel. It shows the state,
// forwards clicks and commands to the engine and lays itself out so that the whole board and
// the panel fit its width and its height; the height follows the width where the window
// system lets it.
#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "engine/EngineHost.h"
#include "view/BoardGeometry.h"

class QAbstractButton;
class QAction;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace kelmaz {

class BoardView;
class Engine;
class MainWindowHost;
class SettingsStore;
struct BoardOptions;
struct GameState;

class FomMain : public QMainWindow, public BoardHost {
    Q_OBJECT
  public:
    FomMain(GameState& state, BoardOptions& options, SettingsStore& settings, MainWindowHost& host);
    ~FomMain() override;
    // The engine drives the board this window shows; it is built with this window as its host,
    // so it is attached right after both exist and before any event reaches the window.
    void attachEngine(Engine& engine) { engine_ = &engine; }

    // Load handler: restores the stored geometry and the panel, splits the command line.
    void Form_Load(const QString& commandLine);
    void ResizeRedraw();
    void setLayoutReady(bool ready) { layoutReady_ = ready; }

    void setControlPanelShown(bool shown);
    bool controlPanelShown() const;
    void setCommentaryShown(bool shown);
    bool commentaryShown() const;
    // During a network match or a computer game the buttons that would change the record are
    // disabled, and so are 元に戻す and やり直し (待った takes a move back there).
    void setMatchButtonsEnabled(bool enabled);
    // Whether the record has an edit to take back and one to do again.
    void setUndoRedoEnabled(bool undo, bool redo);
    // After a new window was started: the new-window button rests until Timer3 fires.
    void holdNewWindowButton();

    // While set, left clicks and drags on the board's points go to `route` first (the edit
    // palette and the problem mode take them); a click it does not take places a stone.
    using PointRoute = std::function<bool(int col, int row, bool dragged)>;
    void setPointRoute(PointRoute route) { pointRoute_ = std::move(route); }

    // The command-line arguments the load handler split at the commas.
    const QStringList& arguments() const { return List2; }

    BoardView& board() { return *board_; }
    QMenu& controlMenu() { return *Mcont; }
    QTimer& markerTimer() { return Timer1; }
    QTimer& replayTimer() { return TimerSlow; }
    QTimer& newWindowTimer() { return Timer3; }

    // BoardHost
    void setCaption(const std::string& caption) override;
    std::string commentaryText() const override;
    void setCommentaryText(const std::string& text) override;
    void setMoveNumberText(const std::string& text) override;
    void showKoRefusal() override;
    void boardChanged() override;
    void restartMarkerTimer(int firstTickMs) override;
    void stopMarkerTimer() override;
    bool replayRunning() const override { return replayRunning_; }
    void setReplayRunning(bool running, int firstIntervalMs) override;
    void setReplayButtonEnabled(bool enabled) override;
    double replaySpeedSeconds() const override;
    void relayout() override;
    void gameInfoChanged() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // The height that follows the width (by what the window shows), at most what the screen
    // leaves below the title bar; never while the window is maximised or full screen.
    void fitHeightToWidth();
    void buildPanel();
    void buildMenus();
    void buildVersionPanel();
    void buildTabOrder();
    void addStepKey(QAction* item, const QKeySequence& key, QAbstractButton* button);
    bool isStepKey(const QKeyEvent& event) const;
    void onWheelTurned(int notches);
    QAction* addCommand(QMenu* menu, const char* name, const QString& caption,
                        void (FomMain::*slot)());
    // The point of the board under a position in twips from the client corner.
    HitResult hitAt(int xTwips, int yTwips) const;
    void onBoardClicked(int xTwips, int yTwips);
    void onBoardDragged(int xTwips, int yTwips);
    void Timer1_Timer();

    // Commands of the menus and buttons.
    void Command1_Click();  // clear
    void Command2_Click();  // one back
    void Command3_Click();  // new window, counter increased
    void Command5_Click();  // one forward
    void Command6_Click();  // go to the typed move
    void Command7_Click();  // first move
    void Command8_Click();  // last move
    void Saigen_Click();    // replay start or stop
    void mcls_Click();
    void updateUndoRedo();
    void mm10_Click();
    void ms10_Click();
    void Mmnew_Click();
    void gkaiten_Click();
    void mhyouji_Click();
    void mSGF_Click();
    void mend_Click();
    void mver_Click();
    void saveBoardImage_Click();

    Engine& engine() { return *engine_; }

    GameState& state_;
    BoardOptions& options_;
    SettingsStore& settings_;
    MainWindowHost& host_;
    Engine* engine_ = nullptr;
    BoardView* board_ = nullptr;
    QFrame* Frame1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPlainTextEdit* TxtKaisetu = nullptr;
    QToolButton* Command1 = nullptr;
    QToolButton* Command2 = nullptr;
    QToolButton* Command3 = nullptr;
    QToolButton* Command4 = nullptr;
    QToolButton* Command5 = nullptr;
    QToolButton* Command6 = nullptr;
    QToolButton* Command7 = nullptr;
    QToolButton* Command8 = nullptr;
    QToolButton* Command9 = nullptr;
    QFrame* Frame2 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command10 = nullptr;
    QMenu* Mcont = nullptr;
    QAction* mhyouji = nullptr;
    QAction* mSGF = nullptr;
    QAction* mUndo = nullptr;
    QAction* mRedo = nullptr;
    QTimer Timer1;     // last-move marker blink
    QTimer TimerSlow;  // automatic replay, one tick at a time
    QTimer Timer3;     // re-enables the new-window button
    QStringList List2;
    QList<QKeySequence> stepKeys_;
    PointRoute pointRoute_;

    bool layoutReady_ = false;
    bool inLayout_ = false;
    int shownExtra_ = -1;        // windowHeightFor(0, ...) of the last layout
    bool stateChanged_ = false;  // the next size comes from a change of the window state
    bool replayRunning_ = false;
    bool matchRunning_ = false;
    bool canUndo_ = false;
    bool canRedo_ = false;
    bool markerPhase_ = false;
    bool treeClosing_ = false;
    bool showingCommentary_ = false;  // the program, not the user, sets the commentary text
};

}  // namespace kelmaz
