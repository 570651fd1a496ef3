#pragma once
// What the sequence viewer does, without its window: the branch table behind the numbered
// buttons, the choice of a branch and the way back to the main line, the replay's pause at a
// commentary and its stop at branch points, and the colours of the branch labels. The board
// engine reaches the viewer through the session (it is the engine's ViewerLink); the window
// draws what the session holds and forwards its buttons and boxes to it.
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/EngineHost.h"
#include "engine/GameState.h"
#include "tree/SequencePaths.h"

namespace kelmaz {

// A branch label: normal; highlighted (offered where the replay stopped, or the branch just
// chosen); marked (offered at an earlier stop, or offered with the chosen one and passed by).
enum class LabelColour { Normal, Highlighted, Marked };

// What the session needs of its window. The defaults stand for a viewer without one.
class ViewerDisplay {
  public:
    virtual ~ViewerDisplay() = default;
    virtual bool shown() const { return false; }
    virtual void bringToFront() {}
    // The engine changed something the window shows (caption, boxes, commentary, labels).
    virtual void changed() {}
    // Branch k was offered first at a branch stop: its button should be in view.
    virtual void bringIntoView(int /*branch*/) {}
    // The session was unloaded (the board was cleared): the window empties and hides.
    virtual void unloaded() {}
};

class ViewerSession : public ViewerLink {
  public:
    static constexpr const char* kRunningCaption = "停止";
    static constexpr const char* kIdleCaption = "再現";
    static constexpr const char* kTruncatedNotice = "500手を超える手は表示できません。";

    ViewerSession(GameState& state, Engine& engine, BoardHost& board);

    void setDisplay(ViewerDisplay* display);

    // The viewer comes into being: the branch table follows the outline.
    void load();
    // The viewer is shown: loaded, with the commentary of the move on the board, the replay's
    // caption and "次手" as the board has them.
    void open();
    // A record file was read: its outline (empty for formats other than SGF) now describes the
    // record on the board; the replay stops where its variations begin.
    void recordRead();
    // Derives the branch table from the tree reader's outline; after the board was cleared
    // the outline of the last file read describes nothing on it and the table stays empty.
    void readNode();
    // The board was cleared: branches, boxes and commentary go.
    void unload();

    // Replays the path to a branch; 0 rebuilds the main line and goes back to where it was
    // left for a branch.
    void getPath(int branch);
    // "次手": one move forward when one follows.
    void next();
    // A branch button: its path, and the label colours of a choice.
    void chooseBranch(int k);
    // "本譜": back to the main line where it was left; restarts a replay that a branch
    // stopped when the resume box is ticked.
    void backToMainLine();
    // "再現": goes on after a commentary pause; otherwise starts or stops the replay (from the
    // first move when the record is at its end).
    void replay();
    // The two stop boxes exclude each other: ticking one clears the other.
    void setStopAtComment(bool on);
    void setStopAtBranch(bool on);
    // The user closed the viewer: what it was doing ends as "本譜" ends it, so that the main
    // window's replay is not left waiting for a viewer no longer there.
    void windowClosed();
    // "CheckTimer": the replay was stopped at a branch and "本譜" starts it again.
    void setResumeAfterBranch(bool on);

    // What the window shows.
    bool loaded() const { return loaded_; }
    const BranchTable& branches() const { return table_; }
    // The highest branch number: the buttons run 1..branchCount() (some may be left out).
    int branchCount() const;
    LabelColour labelColour(int k) const;
    bool commentStopTicked() const { return commentStop_; }
    bool branchStopTicked() const { return branchStop_; }
    bool resumeTicked() const { return resume_; }
    const std::string& caption() const { return caption_; }
    const std::string& commentary() const { return commentary_; }
    bool nextEnabled() const { return nextEnabled_; }
    bool mainLineEnabled() const { return mainLineEnabled_; }
    // What the viewer cannot show, one line each.
    std::vector<std::string> notices() const;

    // ViewerLink: what the board engine asks and tells the viewer.
    bool exists() const override { return loaded_; }
    bool visible() const override;
    bool stopAtComment() const override { return quietRebuilds_ == 0 && commentStop_; }
    bool stopAtBranch() const override { return quietRebuilds_ == 0 && branchStop_; }
    void setStopBoxes(bool atComment, bool atBranch) override;
    void setCommentaryText(const std::string& text) override;
    void setNextEnabled(bool enabled) override;
    std::string replayCaption() const override { return caption_; }
    void setReplayCaption(const std::string& caption) override;
    void focus() override;
    void showBranch(int move) override;
    void close() override { unload(); }

  private:
    void setLabel(int k, LabelColour colour);
    void resetLabels();
    void markHighlighted();
    void highlightBranchesAt(int move);
    void mirrorReplayCaption();
    void updateNext();
    // A rebuild of the viewer's own: it neither pauses at commentary nor stops at branches,
    // and ends a rebuild left waiting at a commentary first.
    void rebuildTo(int upto);
    void rebuildMainLine();
    void rebuildPath(const std::vector<int>& path);

    GameState& state_;
    Engine& engine_;
    BoardHost& board_;
    ViewerDisplay noDisplay_;
    ViewerDisplay* display_ = &noDisplay_;

    BranchTable table_;
    std::vector<LabelColour> colours_;  // branch k at index k - 1
    bool loaded_ = false;
    bool outlineOnBoard_ = false;  // the outline belongs to the record on the board
    int quietRebuilds_ = 0;        // > 0 while a rebuild of the viewer's own runs
    bool onBranch_ = false;        // the record holds a branch path, not the main line
    int savedMove_ = 0;            // the move at which the main line was left for a branch
    bool truncated_ = false;       // the last rebuild had more moves than the record holds

    bool commentStop_ = false;
    bool branchStop_ = false;
    bool resume_ = false;
    std::string caption_ = kIdleCaption;
    std::string commentary_;
    bool nextEnabled_ = false;
    bool mainLineEnabled_ = false;
};

}  // namespace kelmaz
