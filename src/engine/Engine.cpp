#include "engine/Engine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/Handicap.h"
#include "engine/TypedNumber.h"

namespace kelmaz {
namespace {

// Links used while the real window does not exist: every question reads as "absent".
ViewerLink& absentViewer() {
    static ViewerLink link;
    return link;
}
TreeLink& absentTree() {
    static TreeLink link;
    return link;
}
NetLink& absentNet() {
    static NetLink link;
    return link;
}

constexpr int kMarkerFirstTickMs = 10;
const std::string kViewerIdleCaption = "再現";

}  // namespace

Engine::Engine(GameState& state, const BoardOptions& options, BoardHost& host, RecordKeeper& record)
    : state_(state),
      options_(options),
      host_(host),
      record_(record),
      viewer_(&absentViewer()),
      tree_(&absentTree()),
      net_(&absentNet()) {}

void Engine::setViewer(ViewerLink* viewer) { viewer_ = viewer ? viewer : &absentViewer(); }
void Engine::setTree(TreeLink* tree) { tree_ = tree ? tree : &absentTree(); }
void Engine::setNet(NetLink* net) { net_ = net ? net : &absentNet(); }

std::string Engine::prisonerCaption() const {
    return state_.WindowTitle + "     上げハマ 黒 = " + std::to_string(state_.Prisoners[0]) +
           "  白 = " + std::to_string(state_.Prisoners[1]);
}

// ---------------------------------------------------------------- clearing

void Engine::gCls() {
    GameState& s = state_;
    cancelPausedRedraw();
    host_.setCaption(s.WindowTitle);
    host_.setReplayRunning(false, 0);

    s.GroupGrid = {};
    s.BoardGrid = {};
    s.MoveNoGrid = {};
    s.BranchMoves = {};
    record_.clear();
    ++recordClears_;

    host_.setMoveNumberText("");
    host_.setCommentaryText("");
    host_.gameInfoChanged();

    viewer_->close();

    s.LastStopMove = 0;
    s.CommentPause = false;
    s.ViewerState = ViewerState::Idle;
    s.MoveCount = 0;
    s.BoardRotated = false;
    clearPosition();
    rebuilding_ = false;

    host_.boardChanged();
    host_.relayout();
    host_.setReplayButtonEnabled(true);
}

void Engine::showRecordRead() {
    state_.ViewerState = ViewerState::NoStops;
    Redraw(1, options_.openRecordsAtStart ? 0 : state_.MoveCount);
    state_.ViewerState = ViewerState::Idle;
    host_.restartMarkerTimer(kMarkerFirstTickMs);
    host_.setReplayRunning(false, 0);
    host_.setReplayButtonEnabled(true);
}

void Engine::ResetPosition() {
    // The stones go too (not only the groups), so that the picture, which is painted from the
    // grids, shows the empty board the replay starts from.
    clearPosition();
    host_.boardChanged();
}

// Everything a position is built from, back to the empty board of the selected size.
void Engine::clearPosition() {
    GameState& s = state_;
    s.DeadMarks.clear();
    board_.clear(options_.boardSize());
    s.LastColour = kBlack;
    s.CurrentColour = kBlack;
    s.LastMarkX = 0;
    s.LastMarkY = 0;
    s.LastMarkColour = 0;
}

// ---------------------------------------------------------------- placement

void Engine::IshiUtu(int col, int row) {
    GameState& s = state_;
    if (pausePending_ || host_.replayRunning()) return;
    if (!s.onBoard(col, row)) return;
    // The new move and the end marker after it must both fit in the record.
    if (s.MoveCount < 0 || s.MoveCount + 2 > kMaxMoves) return;

    // A branch being recorded goes in beside the line the board showed. A stone played
    // outside a recording while a tree is held goes once the user agrees; the record keeps
    // the line the stone leaves, and the new stone starts another line.
    const bool asVariation = s.BranchInputMode || tree_->visible() || !s.SgfText.empty();
    if (asVariation && !s.BranchInputMode && !tree_->confirmDiscardTree()) return;
    if (board_.occupied(col, row)) return;

    int c = kBlack;
    switch (options_.stones) {
        case StoneChoice::Black:
            c = kBlack;
            break;
        case StoneChoice::White:
            if (s.NetMatchActive) return;
            c = kWhite;
            break;
        case StoneChoice::Alternate:
            c = s.MoveCount == 0 || s.LastColour == kWhite ? kBlack : kWhite;
            // A position that names the player to move (PL) decides.
            if (const int player = s.MovePlayer[std::clamp(s.MoveCount, 0, kMaxMoves)])
                c = player - 1;
            // In a match only the colour due that is ours may be placed, at move 0 as
            // anywhere else: stepping back never hands the other colour to this player.
            if (s.NetMatchActive && s.NetMyColour != kNoColour && s.NetMyColour != c) return;
            break;
    }

    s.DeadMarks.clear();
    // The commentary on screen belongs to the position before this move.
    record_.setComment(s.MoveCount, host_.commentaryText());
    host_.setCommentaryText("");

    const int k = s.MoveCount + 1;
    s.CurrentColour = c;
    s.LastColour = c;
    s.MoveCount = k;
    s.LastMarkX = col;
    s.LastMarkY = row;
    s.LastMarkColour = c;
    s.LastNumberDrawn = k;

    const bool placed = placeStone(col, row, c, k, PlaceMode::Click);
    host_.boardChanged();
    // A refused move has rebuilt the position before it; the record is as it was.
    if (!placed) return;
    record_.playMove(k, col, row, c, asVariation);
    // Only a match whose colours are still open (a fresh connection, an agreed clear) takes
    // its colour from a stone.
    if (s.NetMatchActive && s.NetMyColour == kNoColour) s.NetMyColour = c;

    host_.setMoveNumberText(std::to_string(s.MoveCount));
    if (s.BranchInputMode) {
        if (s.BranchComments.empty()) s.BranchComments.emplace_back();
        s.BranchComments.back() = tree_->takeBranchComment();
        s.BranchComments.emplace_back();
    }
    host_.restartMarkerTimer(kMarkerFirstTickMs);
    if (s.NetMatchActive) net_->sendMove(s.MoveCount);
}

void Engine::commentaryTyped(const std::string& text) {
    if (rebuilding_ || pausePending_) return;
    record_.setComment(state_.MoveCount, text);
    if (!state_.SgfText.empty()) tree_->takeBoardComment(state_.MoveCount, text);
}

// Puts the stone of move `move` down; a refused one is undone by rebuilding the position
// before it (the ko refusal with its message first). False when the move was refused.
bool Engine::placeStone(int col, int row, int colour, int move, PlaceMode mode) {
    const PlaceOutcome outcome = board_.place(col, row, colour, move, mode);
    if (outcome.captured > 0) host_.setCaption(prisonerCaption());
    if (outcome.placed()) return true;
    if (outcome.result == PlaceResult::Ko) host_.showKoRefusal();
    rebuildAfterRefusal(move);
    return false;
}

// Undoes the refused move `refusedMove` by rebuilding the position before it.
void Engine::rebuildAfterRefusal(int refusedMove) {
    GameState& s = state_;
    ++quietRebuilds_;
    s.MoveCount = refusedMove - 1;
    Redraw(1, refusedMove - 1);
    --quietRebuilds_;
    // A refused click never reached the record; a click never comes while the replay runs.
    if (host_.replayRunning()) {
        // A replayed record that holds a refused move keeps its continuation; the replay
        // stops here instead of meeting the same refusal on every tick.
        host_.setReplayRunning(false, 0);
    }
    s.CurrentColour = s.LastColour;
}

// ---------------------------------------------------------------- rebuild

bool Engine::redrawPaused() const { return pausePending_; }

void Engine::cancelPausedRedraw() {
    if (!pausePending_) return;
    pausePending_ = false;
    state_.CommentPause = false;
    rebuilding_ = false;
}

bool Engine::stopsRequested() const {
    return quietRebuilds_ == 0 && state_.BranchMoves[1] != 0 &&
           state_.ViewerState != ViewerState::NoStops;
}

void Engine::showCommentary(int move) {
    host_.setCommentaryText(state_.MoveComment[move]);
    if (viewer_->visible()) viewer_->setCommentaryText(state_.MoveComment[move]);
}

RedrawOutcome Engine::Redraw(int from, int upto) {
    GameState& s = state_;
    if (pausePending_) return RedrawOutcome::NothingDone;
    // Checked before the prisoners are touched, so a blocked call cannot spoil the counts of
    // the rebuild in progress.
    if (rebuilding_) return RedrawOutcome::NothingDone;
    // A rebuild never replays the end marker or anything behind it.
    const int end = state_.lastMoveInRecord();
    const bool emptyBoard = from == 1 && upto <= 0;
    if (!emptyBoard && (from < 1 || from > end)) return RedrawOutcome::NothingDone;
    upto = std::min(upto, end);
    s.DeadMarks.clear();
    if (from == 1) {
        s.Prisoners = {0, 0};
        // Without a record the caption is the bare title, as after a clear.
        host_.setCaption(end == 0 ? s.WindowTitle : prisonerCaption());
    }
    if (upto <= 0) {
        if (from != 1) return RedrawOutcome::NothingDone;
        // A rebuild to move 0 shows the board before the first move, with the record's setup.
        clearPosition();
        setUp(0);
        s.MoveCount = 0;
        host_.setMoveNumberText("0");
        showCommentary(0);
        tree_->showMove(0);
        host_.boardChanged();
        return RedrawOutcome::Completed;
    }
    if (from == 1) {
        rebuilding_ = true;
        clearPosition();
        setUp(0);
    }
    return runRedrawLoop(from, upto, false);
}

// The stones slot `slot` of the record sets up or empties, unnumbered.
void Engine::setUp(int slot) {
    for (const SetupStone& stone : state_.MoveSetup[slot])
        if (state_.onBoard(stone.col, stone.row)) board_.setUp(stone);
}

RedrawOutcome Engine::runRedrawLoop(int first, int upto, bool resumeAtCommentary) {
    GameState& s = state_;
    for (int i = first; i <= upto; ++i) {
        const int col = s.MoveCol[i], row = s.MoveRow[i], colour = s.MoveColour[i];
        if (!(resumeAtCommentary && i == first)) {
            // A move off the board (from a file, a peer, a larger board) is a pass: no stone,
            // but its colour still counts for the alternation.
            const bool onBoard = s.onBoard(col, row);
            if (onBoard) {
                s.LastMarkX = col;
                s.LastMarkY = row;
                s.LastNumberDrawn = i;
            }
            s.LastColour = colour;
            s.LastMarkColour = colour;
            // Replayed one at a time, a recorded ko recapture is refused as a click would be;
            // a rebuild from move 1 shows the record as it stands. A refusal has rebuilt the
            // position before move i.
            const PlaceMode mode = rebuilding_ ? PlaceMode::Rebuild : PlaceMode::Replay;
            if (onBoard && !placeStone(col, row, colour, i, mode)) return RedrawOutcome::Completed;
            setUp(i);

            if (stopsRequested() && viewer_->stopAtComment() && s.LastStopMove < i) {
                s.LastStopMove = i;
                if (!host_.commentaryText().empty() && s.MoveComment[i].empty()) {
                    s.CommentPause = true;
                    viewer_->setReplayCaption(kViewerIdleCaption);
                    pausePending_ = true;
                    paused_ = {i, upto, inReplayTick_};
                    // The board shows move i while it waits; the move it stood at before may
                    // lie beyond the end of a line that has since become shorter.
                    s.MoveCount = i;
                    host_.setMoveNumberText(std::to_string(i));
                    host_.boardChanged();
                    return RedrawOutcome::PausedForComment;
                }
            }
        }
        showCommentary(i);

        if (!stopsRequested()) continue;
        bool branchHere = false;
        for (int k = 1; k <= kBranchSlots; ++k) {
            if (k > 1 && s.BranchMoves[k] == 0) break;
            if (s.BranchMoves[k] == i && s.LastStopMove < i) {
                branchHere = true;
                break;
            }
        }
        if (!branchHere) continue;
        s.LastStopMove = i;
        if (s.ViewerState != ViewerState::Idle) continue;
        s.MoveCount = i;
        host_.setMoveNumberText(std::to_string(i));
        s.CurrentColour = colour;
        s.ViewerState = ViewerState::StoppedAtBranch;
        rebuilding_ = false;
        viewer_->focus();
        host_.restartMarkerTimer(kMarkerFirstTickMs);
        if (viewer_->stopAtBranch()) {
            Saigen();
            viewer_->showBranch(i);
            host_.boardChanged();
            return RedrawOutcome::StoppedAtBranch;
        }
    }
    return finishRedraw(upto);
}

RedrawOutcome Engine::finishRedraw(int upto) {
    GameState& s = state_;
    if (viewer_->visible()) {
        const bool next = s.hasMove(upto + 1);
        viewer_->setNextEnabled(next);
        if (!next) s.LastStopMove = 0;
    }
    s.MoveCount = upto;
    host_.setMoveNumberText(std::to_string(upto));
    tree_->showMove(upto);
    s.CurrentColour = s.MoveColour[upto];
    host_.restartMarkerTimer(kMarkerFirstTickMs);
    rebuilding_ = false;
    host_.boardChanged();
    return RedrawOutcome::Completed;
}

RedrawOutcome Engine::resumeRedraw() {
    if (!pausePending_) return RedrawOutcome::NothingDone;
    pausePending_ = false;
    state_.CommentPause = false;
    const PausedRedraw paused = paused_;
    const bool outerTick = inReplayTick_;
    inReplayTick_ = paused.fromTick;
    const RedrawOutcome outcome = runRedrawLoop(paused.next, paused.upto, true);
    inReplayTick_ = outerTick;
    if (paused.fromTick && outcome != RedrawOutcome::PausedForComment) afterReplayStep();
    return outcome;
}

void Engine::relayoutRedraw() {
    // The viewer's stops belong to replays: a relayout shows the same position, whole.
    const std::string typed = host_.commentaryText();
    const int position = state_.MoveCount;
    ++quietRebuilds_;
    Redraw(1, state_.MoveCount);
    --quietRebuilds_;
    if (state_.MoveCount == position) host_.setCommentaryText(typed);
}

// ---------------------------------------------------------------- navigation

void Engine::Itemodosi() {
    GameState& s = state_;
    if (pausePending_) return;
    const bool atComment = viewer_->stopAtComment();
    const bool atBranch = viewer_->stopAtBranch();
    viewer_->setStopBoxes(false, false);
    host_.stopMarkerTimer();
    if (s.MoveCount > 0) {
        --s.MoveCount;
        host_.setMoveNumberText(std::to_string(s.MoveCount));
        ++quietRebuilds_;
        Redraw(1, s.MoveCount);
        --quietRebuilds_;
    }
    host_.restartMarkerTimer(kMarkerFirstTickMs);
    viewer_->setStopBoxes(atComment, atBranch);
}

void Engine::firstMove() {
    if (pausePending_) return;
    // The empty board before move 1, where the record's introduction is shown.
    Redraw(1, 0);
}

void Engine::tenBack() {
    GameState& s = state_;
    if (pausePending_) return;
    if (s.MoveCount > 9) s.MoveCount -= 10;
    Redraw(1, s.MoveCount);
}

void Engine::oneForward() {
    GameState& s = state_;
    if (pausePending_ || !s.hasMove(s.MoveCount + 1)) return;
    ++s.MoveCount;
    Redraw(1, s.MoveCount);
}

void Engine::tenForward() {
    GameState& s = state_;
    if (pausePending_ || s.MoveCount + 11 > state_.lastMoveInRecord()) return;
    s.MoveCount += 10;
    Redraw(1, s.MoveCount);
}

void Engine::lastMove() {
    if (pausePending_) return;
    Redraw(1, state_.lastMoveInRecord());
}

void Engine::goToMove(const std::string& typedNumber) {
    if (pausePending_) return;
    const std::optional<long long> typed = leadingNumber(typedNumber);
    const long long n = typed ? std::llabs(*typed) : -1;
    // Move 0 is the empty board before the first move.
    if (n >= 0 && n <= state_.lastMoveInRecord()) Redraw(1, static_cast<int>(n));
    // The box shows the move on the board, not a number that was refused.
    host_.setMoveNumberText(std::to_string(state_.MoveCount));
}

int Engine::speedIntervalMs() const {
    return std::max(1L, std::lround(host_.replaySpeedSeconds() * 1000.0));
}

void Engine::Saigen() {
    GameState& s = state_;
    if (host_.replayRunning()) {
        host_.setReplayRunning(false, 0);
        return;
    }
    if (pausePending_ || !s.hasMove(1)) return;
    if (!s.hasMove(s.MoveCount + 1)) {
        // At the end of the record the replay starts again from the board before the first
        // move: empty but for the record's setup stones.
        clearPosition();
        setUp(0);
        host_.boardChanged();
        s.MoveCount = 0;
        host_.setMoveNumberText("0");
    }
    // The first tick comes after the speed value read as milliseconds, i.e. almost at once.
    host_.setReplayRunning(true, std::max(1L, std::lround(host_.replaySpeedSeconds())));
}

void Engine::replayTick() {
    GameState& s = state_;
    if (pausePending_) return;
    if (!s.hasMove(s.MoveCount + 1)) {
        host_.setReplayRunning(false, 0);
        if (viewer_->visible()) viewer_->setReplayCaption(kViewerIdleCaption);
        return;
    }
    ++s.MoveCount;
    inReplayTick_ = true;
    const RedrawOutcome outcome = Redraw(s.MoveCount, s.MoveCount);
    inReplayTick_ = false;
    if (outcome != RedrawOutcome::PausedForComment) afterReplayStep();
}

// The replay timer is armed for one tick at a time; it goes on while the stop button shows,
// unless the viewer is replaying a branch path of its own.
void Engine::afterReplayStep() {
    if (state_.ViewerState != ViewerState::OnBranchPath && host_.replayRunning()) {
        host_.setReplayRunning(true, speedIntervalMs());
    }
}

void Engine::Gkaiten_Click() {
    GameState& s = state_;
    if (pausePending_) return;
    // The rotation shows the last move: what the user typed for the position on the board is
    // stored with it first.
    record_.setComment(std::clamp(s.MoveCount, 0, kMaxMoves), host_.commentaryText());
    s.BoardRotated = !s.BoardRotated;
    // The record stays as it is; only the line laid out for the board is turned.
    record_.showAgain();
    s.MoveCount = s.lastMoveInRecord();
    // A change of view: the viewer's stops do not apply.
    ++quietRebuilds_;
    Redraw(1, s.MoveCount);
    --quietRebuilds_;
    host_.relayout();
}

void Engine::placeHandicap(int stones) {
    const std::vector<BoardPoint> points = handicapPoints(stones, options_.boardSize());
    if (points.empty()) return;
    gCls();
    GameState& s = state_;
    record_.startWithBlackMoves(points);
    s.MoveCount = static_cast<int>(points.size());
    Redraw(1, s.MoveCount);
}

}  // namespace kelmaz
