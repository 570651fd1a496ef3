#pragma once
// What the board engine needs from the windows around it. The main window implements
// BoardHost; NullBoardHost stands in where nothing is shown. The sequence viewer, the tree
// editor and the match window implement the links once they exist; every method of a link has
// a neutral default, so that a missing window reads as "absent": its boxes unticked, its
// buttons not there.
#include <string>

namespace kelmaz {

// The main board window.
class BoardHost {
  public:
    virtual ~BoardHost() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string commentaryText() const = 0;  // TxtKaisetu
    virtual void setCommentaryText(const std::string& text) = 0;
    virtual void setMoveNumberText(const std::string& text) = 0;  // Text1
    virtual void showKoRefusal() = 0;  // "コウだてが必要です" titled "禁手"
    virtual void boardChanged() = 0;   // the picture must be painted again from the state
    virtual void restartMarkerTimer(int firstTickMs) = 0;
    virtual void stopMarkerTimer() = 0;
    // The automatic replay timer (TimerSlow) and its two buttons (Command9 start, Command4 stop).
    // setReplayRunning(true, ms) shows the stop button and arms the timer for one tick after
    // ms; the engine arms it again after every tick that should be followed by another, so a
    // single-shot timer is what the window needs. setReplayRunning(false, ...) shows the start
    // button and stops the timer. The window calls Engine::replayTick() when the timer fires.
    virtual bool replayRunning() const = 0;  // the stop button is visible
    virtual void setReplayRunning(bool running, int firstIntervalMs) = 0;
    virtual void setReplayButtonEnabled(bool enabled) = 0;
    virtual double replaySpeedSeconds() const = 0;  // the replay speed the settings window set
    virtual void relayout() = 0;                    // ResizeRedraw
    // The game information was cleared or rewritten: the dialog showing it follows (a host
    // without that dialog ignores it).
    virtual void gameInfoChanged() {}
};

// A board that shows nothing: for work without a window (the command-line tool, a peer that
// only keeps a record).
class NullBoardHost : public BoardHost {
  public:
    void setCaption(const std::string&) override {}
    std::string commentaryText() const override { return {}; }
    void setCommentaryText(const std::string&) override {}
    void setMoveNumberText(const std::string&) override {}
    void showKoRefusal() override {}
    void boardChanged() override {}
    void restartMarkerTimer(int) override {}
    void stopMarkerTimer() override {}
    bool replayRunning() const override { return false; }
    void setReplayRunning(bool, int) override {}
    void setReplayButtonEnabled(bool) override {}
    double replaySpeedSeconds() const override { return 1.0; }
    void relayout() override {}
};

// The SGF sequence viewer.
class ViewerLink {
  public:
    virtual ~ViewerLink() = default;
    virtual bool exists() const { return false; }
    virtual bool visible() const { return false; }
    virtual bool stopAtComment() const { return false; }  // CheckKaisetu "解説で止める"
    virtual bool stopAtBranch() const { return false; }   // CheckBunki "分岐で止める"
    virtual void setStopBoxes(bool /*atComment*/, bool /*atBranch*/) {}
    virtual void setCommentaryText(const std::string& /*text*/) {}
    virtual void setNextEnabled(bool /*enabled*/) {}          // Cmdnext
    virtual std::string replayCaption() const { return {}; }  // its replay button
    virtual void setReplayCaption(const std::string& /*caption*/) {}
    virtual void focus() {}
    virtual void showBranch(int /*move*/) {}  // the viewer's side of a branch stop
    virtual void close() {}
};

// The SGF tree editor.
class TreeLink {
  public:
    virtual ~TreeLink() = default;
    virtual bool visible() const { return false; }
    // Asked before a click on the board discards the tree; true lets the click go on.
    virtual bool confirmDiscardTree() { return true; }
    virtual std::string takeBranchComment() { return {}; }  // text of its comment box, emptied
    // The board now shows the position after `move` moves of the record (0: the empty board):
    // the tree selects the node of that move on the line it shows.
    virtual void showMove(int /*move*/) {}
    // The tree of a file just read: the window shows it (its own SGF text becomes treeText).
    virtual void showFileTree(const std::string& /*treeText*/) {}
    // Text typed in the board's commentary box at the position after `move` moves: the tree
    // takes it into that move's node as it is typed.
    virtual void takeBoardComment(int /*move*/, const std::string& /*text*/) {}
};

// The network match window.
class NetLink {
  public:
    virtual ~NetLink() = default;
    virtual void sendMove(int /*moveNumber*/) {}
    // The settings dialog placed handicap option k (k + 1 stones) during a match.
    virtual void announceHandicap(int /*optionIndex*/) {}
};

}  // namespace kelmaz
