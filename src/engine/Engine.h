#pragma once
// The board engine: the record, the clicks that extend it, the rebuild of a position from the
// record, replay and every navigation command. Every stone goes down through the Board, which
// holds the rules; the engine works on a GameState and tells the windows what changed through
// the host interfaces; it never touches a widget.
//
// Commands that cannot act (no further move, occupied point, not the local player's turn)
// silently do nothing. While a rebuild waits at a commentary (PausedForComment), only
// resumeRedraw(), cancelPausedRedraw(), gCls() and stopping the replay act; clicks,
// navigation and further rebuilds do nothing until then, so the half-built position is never
// mixed with another one.
#include <string>

#include "engine/Board.h"
#include "engine/BoardOptions.h"
#include "engine/EngineHost.h"
#include "engine/GameState.h"
#include "engine/RecordKeeper.h"

namespace kelmaz {

enum class RedrawOutcome {
    NothingDone,       // slot `from` held no move (or a paused rebuild blocks this one)
    Completed,         // moves from..upto are on the board, MoveCount = upto
    StoppedAtBranch,   // the rebuild stopped at a branch move (the sequence viewer asked for it)
    PausedForComment,  // waiting for the viewer's replay button; resumeRedraw() goes on
};

class Engine {
  public:
    // `record` keeps the record whose line `state` shows; every change of it goes there.
    Engine(GameState& state, const BoardOptions& options, BoardHost& host, RecordKeeper& record);

    // Links to the other windows; nullptr restores the neutral "window absent" link.
    void setViewer(ViewerLink* viewer);
    void setTree(TreeLink* tree);
    void setNet(NetLink* net);

    RecordKeeper& record() { return record_; }
    GameState& state() { return state_; }
    const GameState& state() const { return state_; }

    // Clearing.
    void gCls();
    // How many times the record was cleared: a record read from a file stays the record shown
    // while this count is unchanged.
    int recordClears() const { return recordClears_; }
    void ResetPosition();
    // A record was just read into the cleared record: the board shows it up to its last move
    // (or at move 0 when the options ask for the start) without the viewer's stops, and the
    // replay controls are at rest.
    void showRecordRead();

    // A left click that the view has already snapped to (column, row). Does nothing while the
    // automatic replay runs, off the board, on an occupied point, when the record is full
    // (the move and its end marker need slots up to 500), or when it is not our turn. A move
    // the rules refuse (suicide, ko) leaves the record as it was; an accepted one ends the
    // record after it. In a match the first stone of a record (or the first one placed while
    // no colour is decided) makes its colour ours.
    void IshiUtu(int col, int row);
    // The user typed `text` into the board's commentary box: a record kept as a tree takes it
    // into the node of the position shown at once, as the tree window's own box does.
    void commentaryTyped(const std::string& text);

    // Rebuild and navigation. Redraw(1, k) rebuilds moves 1..k from the empty board (k = 0:
    // the empty board); Redraw(k, k) adds move k to the position on the board.
    RedrawOutcome Redraw(int from, int upto);
    RedrawOutcome resumeRedraw();  // after a commentary pause
    // The rebuild of a relayout (resize, panel toggle, rotation, clear): the position shown is
    // built again; what the user typed into the commentary box for it is kept.
    void relayoutRedraw();
    bool redrawPaused() const;
    void cancelPausedRedraw();  // the board is cleared or the program ends during a pause
    void Itemodosi();
    void firstMove();
    void tenBack();
    void oneForward();
    void tenForward();
    void lastMove();
    void goToMove(const std::string& typedNumber);
    void Saigen();
    void replayTick();
    void Gkaiten_Click();

    // Handicap: n stones (2..17) of the table, mapped onto the current board size. Any other
    // n changes nothing.
    void placeHandicap(int stones);

    std::string prisonerCaption() const;

  private:
    struct PausedRedraw {
        int next = 0;  // the move whose commentary is shown when the rebuild goes on
        int upto = 0;
        bool fromTick = false;  // a replay tick started it and still has its tail to run
    };

    RedrawOutcome runRedrawLoop(int first, int upto, bool resumeAtCommentary);
    RedrawOutcome finishRedraw(int upto);
    void clearPosition();
    bool placeStone(int col, int row, int colour, int move, PlaceMode mode);
    void rebuildAfterRefusal(int upto);
    void afterReplayStep();
    bool stopsRequested() const;
    int speedIntervalMs() const;
    void showCommentary(int move);
    void setUp(int slot);

    GameState& state_;
    Board board_{state_};
    const BoardOptions& options_;
    BoardHost& host_;
    RecordKeeper& record_;
    ViewerLink* viewer_;
    TreeLink* tree_;
    NetLink* net_;

    bool rebuilding_ = false;  // guard flag: a rebuild from move 1 is in progress
    int quietRebuilds_ = 0;    // > 0: rebuilds ignore the viewer's stop requests
    bool pausePending_ = false;
    PausedRedraw paused_;
    bool inReplayTick_ = false;
    int recordClears_ = 0;
};

}  // namespace kelmaz
