#pragma once
// The SGF sequence viewer "SGF手順ﾋﾞｭｱｰ": a small always-on-top companion of the main board for
// a record read from SGF. It steps to the next move, goes back to the main line, starts and
// stops the replay, sets the replay interval, asks the replay to stop at commentary or at
// branches, and jumps to the start of any variation by its numbered button. What each of
// these does is the ViewerSession's; the window draws what the session holds and forwards to it.
#include <QWidget>
#include <memory>
#include <vector>

#include "engine/Engine.h"
#include "tree/SequencePaths.h"
#include "tree/ViewerSession.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QScrollBar;

namespace kelmaz {

class fomSgf : public QWidget {
    Q_OBJECT
  public:
    using LabelColour = kelmaz::LabelColour;

    // mainWindow, when given, is the window the viewer stands beside.
    fomSgf(GameState& state, Engine& engine, BoardHost& board, QWidget* mainWindow = nullptr);
    ~fomSgf() override;

    // What the board engine calls on the viewer.
    ViewerLink& link();
    ViewerSession& session() { return session_; }

    // Shows the viewer beside the main window with the branches of the record on the board.
    void showViewer();
    void placeBesideMain();
    // Stands a little right of the given window frame, at its top.
    void placeRightOf(const QRect& frame);
    // A record file was read: its outline (empty for formats other than SGF) now describes the
    // record on the board, and the branch buttons follow it.
    void recordRead();
    // Builds the branch buttons and labels from the tree reader's outline.
    void ReadNode();
    // Replays the path to a branch; 0 rebuilds the main line and goes back to where it was left.
    void GetPath(int branch);
    // Clearing the board unloads the viewer: branches, boxes and commentary go, the window hides.
    void unload();

    // The replay interval in milliseconds (HScroll1), tied to the settings dialog's slider.
    int interval() const;
    void setInterval(int ms);

    const BranchTable& branches() const { return session_.branches(); }
    QPushButton* branchButton(int k) const;
    LabelColour labelColour(int k) const { return session_.labelColour(k); }

    // Handlers of the buttons, public so that the program and the tests can press them.
    void Cmdnext_Click();
    void CmdNode_Click(int k);
    void CmdHonpu_Click();
    void cmdSaigen_Click();
    void Command2_Click();

    QCheckBox* CheckKaisetu;  // "解説で止める"
    QCheckBox* CheckBunki;    // "分岐で止める"
    QCheckBox* Check1;       // "CheckTimer": the replay was stopped at a branch; 本譜 restarts it
    QPushButton* cmdSaigen;  // "再現" / "停止"
    QPushButton* Cmdnext;    // "次手"
    QPushButton* CmdHonpu;   // "本譜"
    QPushButton* Command2;   // "閉る"
    QScrollBar* HScroll1;
    QLineEdit* Text2;       // the interval in seconds
    QPlainTextEdit* Text1;  // commentary of the current move
    QLabel* LblNotice;      // what the viewer cannot show

  signals:
    void intervalChanged(int ms);
    void shownChanged(bool shown);  // for the check mark of the menu item

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    class Display;

    // Makes the branch buttons and labels of the session's table.
    void buildBranchControls();
    void clearBranchControls();
    // Shows what the session holds: boxes, caption, buttons, commentary, labels, notices.
    void refresh();

    ViewerSession session_;
    std::unique_ptr<Display> display_;
    QWidget* mainWindow_;

    QScrollArea* grid_;
    QWidget* gridCanvas_;
    std::vector<QPushButton*> CmdNode;  // branch k at index k - 1
    std::vector<QLabel*> Lblnode;
    std::vector<LabelColour> shownColours_;  // the colour each label was last painted in
};

}  // namespace kelmaz
