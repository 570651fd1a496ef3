#pragma once
// The board engine: placement, groups and capture, suicide and ko, the rebuild of a position
// from the record, and every navigation command. It works on a GameState and tells the
// windows what changed through the host interfaces; it never touches a widget.
#include <string>

#include "engine/BoardOptions.h"
#include "engine/EngineHost.h"
#include "engine/GameState.h"

namespace kelmaz {

enum class RedrawOutcome {
    NothingDone,       // slot `from` held no move
    Completed,         // moves from..upto are on the board, MoveCount = upto
    StoppedAtBranch,   // the rebuild stopped at a branch move (the sequence viewer asked for it)
    PausedForComment,  // waiting for the viewer's replay button; resumeRedraw() goes on
};

class Engine {
public:
    Engine(GameState& state, const BoardOptions& options, BoardHost& host);

    void setViewer(ViewerLink* viewer);
    void setTree(TreeLink* tree);
    void setNet(NetLink* net);

    GameState& state() { return state_; }
    const GameState& state() const { return state_; }

    // Clearing.
    void gCls();
    void ResetPosition();

    // A left click that the view has already snapped to (column, row).
    void IshiUtu(int col, int row);

    // Group and capture routines (also used by every rebuild).
    void groupMake(int xno, int yno, int col);
    void groupConbain(int g1, int g2);
    bool tachiSpace(int gn) const;
    void liveCheck(int xno, int yno, int col);
    void delGroup(int gn);
    void delstone(int xno, int yno);
    void kinte(int xno, int yno);

    // Rebuild and navigation.
    RedrawOutcome Redraw(int from, int upto);
    RedrawOutcome resumeRedraw();  // after a commentary pause
    bool redrawPaused() const;
    void cancelPausedRedraw();     // the board is cleared or the program ends during a pause
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
    int lastMoveInRecord() const;  // the last slot before the end marker, bounded by slot 500

    // Handicap: n stones (2..17) of the table, mapped onto the current board size.
    void placeHandicap(int stones);

    std::string prisonerCaption() const;

private:
    // (implementation details)
    GameState& state_;
    const BoardOptions& options_;
    BoardHost& host_;
    ViewerLink* viewer_;
    TreeLink* tree_;
    NetLink* net_;
};

}  // namespace kelmaz
