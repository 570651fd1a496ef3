#include "tree/ViewerSession.h"

#include <algorithm>

namespace kelmaz {

ViewerSession::ViewerSession(GameState& state, Engine& engine, BoardHost& board)
    : state_(state), engine_(engine), board_(board) {}

void ViewerSession::setDisplay(ViewerDisplay* display) {
    display_ = display != nullptr ? display : &noDisplay_;
}

void ViewerSession::load() {
    loaded_ = true;
    readNode();
}

void ViewerSession::open() {
    load();
    commentary_ = state_.MoveComment[std::clamp(state_.MoveCount, 0, kMaxMoves)];
    mirrorReplayCaption();
    updateNext();
}

void ViewerSession::recordRead() {
    outlineOnBoard_ = true;
    readNode();
    state_.BranchMoves = table_.mainLineBranchMoves;
    onBranch_ = false;
    savedMove_ = 0;
}

void ViewerSession::readNode() {
    table_ = outlineOnBoard_ ? ReadNode(state_.List3) : BranchTable{};
    colours_.assign(static_cast<std::size_t>(branchCount()), LabelColour::Normal);
    truncated_ = false;
}

void ViewerSession::unload() {
    table_ = {};
    colours_.clear();
    commentStop_ = false;
    branchStop_ = false;
    resume_ = false;
    commentary_.clear();
    caption_ = kIdleCaption;
    nextEnabled_ = false;
    mainLineEnabled_ = false;
    onBranch_ = false;
    savedMove_ = 0;
    truncated_ = false;
    outlineOnBoard_ = false;
    loaded_ = false;
    display_->unloaded();
}

int ViewerSession::branchCount() const {
    return table_.branches.empty() ? 0 : table_.branches.back().number;
}

LabelColour ViewerSession::labelColour(int k) const {
    return k >= 1 && k <= static_cast<int>(colours_.size()) ? colours_[k - 1] : LabelColour::Normal;
}

std::vector<std::string> ViewerSession::notices() const {
    std::vector<std::string> lines = table_.notices;
    if (truncated_) lines.emplace_back(kTruncatedNotice);
    return lines;
}

// Branches left out of the table have no label to colour.
void ViewerSession::setLabel(int k, LabelColour colour) {
    if (table_.find(k) != nullptr) colours_[k - 1] = colour;
}

void ViewerSession::resetLabels() {
    std::fill(colours_.begin(), colours_.end(), LabelColour::Normal);
}

void ViewerSession::markHighlighted() {
    for (LabelColour& c : colours_)
        if (c == LabelColour::Highlighted) c = LabelColour::Marked;
}

void ViewerSession::highlightBranchesAt(int move) {
    markHighlighted();
    const std::vector<int> offered = table_.branchesAt(move);
    for (int k : offered) setLabel(k, LabelColour::Highlighted);
    if (!offered.empty()) display_->bringIntoView(offered.front());
}

void ViewerSession::mirrorReplayCaption() {
    caption_ = board_.replayRunning() ? kRunningCaption : kIdleCaption;
}

void ViewerSession::updateNext() { nextEnabled_ = state_.hasMove(state_.MoveCount + 1); }

void ViewerSession::rebuildTo(int upto) {
    if (engine_.redrawPaused()) {
        // Leaving the paused rebuild behind also ends the replay that was waiting in it.
        engine_.cancelPausedRedraw();
        if (board_.replayRunning()) engine_.Saigen();
        mirrorReplayCaption();
    }
    ++quietRebuilds_;
    engine_.Redraw(1, upto);
    --quietRebuilds_;
}

// The record shows the chosen line from then on, so that the tree window and the next edit
// follow it.
void ViewerSession::rebuildMainLine() {
    truncated_ = engine_.record().showVariation({1}).cut;
    state_.BranchMoves = table_.mainLineBranchMoves;
}

void ViewerSession::rebuildPath(const std::vector<int>& path) {
    const VariationShown shown = engine_.record().showVariation(path);
    if (!shown.found) return;
    truncated_ = shown.cut;
    for (std::size_t p = 0; p < path.size(); ++p)
        if (path[p] >= 1 && path[p] <= kBranchSlots && shown.firstMoves[p] > 0)
            state_.BranchMoves[path[p]] = static_cast<std::int16_t>(shown.firstMoves[p]);
    // The board stands at the first move of the chosen branch, or at the end of its path when
    // the branch holds no move.
    const int target = shown.firstMoves.back() > 0 ? shown.firstMoves.back() : shown.lastMove;
    rebuildTo(std::min(target, state_.lastMoveInRecord()));
    updateNext();
}

void ViewerSession::getPath(int branch) {
    if (!outlineOnBoard_) return;
    if (branch == 0) {
        rebuildMainLine();
        onBranch_ = false;
        rebuildTo(std::min(savedMove_, state_.lastMoveInRecord()));
        updateNext();
        return;
    }
    const ViewerBranch* b = table_.find(branch);
    if (b == nullptr) return;
    if (!onBranch_) savedMove_ = state_.MoveCount;
    onBranch_ = true;
    board_.setReplayButtonEnabled(false);
    state_.ViewerState = ViewerState::OnBranchPath;
    // The replay does not go on along the chosen path: a running one stops here (else its
    // next tick would step the path by itself and leave the stop button shown with nothing
    // running) and the main line takes it up again.
    if (board_.replayRunning()) {
        engine_.Saigen();
        resume_ = true;
        mirrorReplayCaption();
    }
    rebuildPath(b->path);
    mainLineEnabled_ = true;
}

void ViewerSession::next() {
    if (!state_.hasMove(state_.MoveCount + 1)) return;
    rebuildTo(state_.MoveCount + 1);
    updateNext();
}

void ViewerSession::chooseBranch(int k) {
    if (table_.find(k) == nullptr) return;
    getPath(k);
    markHighlighted();
    // Only a branch that was offered (now marked) lights up as the one chosen.
    if (labelColour(k) == LabelColour::Marked) setLabel(k, LabelColour::Highlighted);
}

void ViewerSession::backToMainLine() {
    if (!outlineOnBoard_) return;
    resetLabels();
    state_.ViewerState = ViewerState::ReturningToMainLine;
    // Back on the main line at the move where it was left for a branch; without a branch
    // chosen, at the move on the board.
    const int back = onBranch_ ? savedMove_ : state_.MoveCount;
    rebuildMainLine();
    onBranch_ = false;
    mainLineEnabled_ = false;
    board_.setReplayButtonEnabled(true);
    rebuildTo(std::min(back, state_.lastMoveInRecord()));
    if (resume_) {
        board_.setReplayRunning(true, static_cast<int>(board_.replaySpeedSeconds() * 1000));
        resume_ = false;
    }
    mirrorReplayCaption();
    updateNext();
    state_.ViewerState = ViewerState::Idle;
}

void ViewerSession::windowClosed() {
    if (onBranch_ || state_.ViewerState != ViewerState::Idle) backToMainLine();
    // Without an outline on the board there is no main line to go back to; the state ends.
    state_.ViewerState = ViewerState::Idle;
    board_.setReplayButtonEnabled(true);
}

void ViewerSession::replay() {
    if (state_.CommentPause) {
        caption_ = kRunningCaption;
        engine_.resumeRedraw();
        // Paused again at the next commentary, the engine has set the caption itself.
        if (!state_.CommentPause) mirrorReplayCaption();
        return;
    }
    if (!state_.hasMove(state_.MoveCount + 1)) {
        // The replay starts again from the first move: every stop on the way counts again.
        resetLabels();
        state_.ViewerState = ViewerState::Idle;
        state_.LastStopMove = 0;
    }
    // Going on after a branch stop: the next branch point stops the replay again.
    if (state_.ViewerState == ViewerState::StoppedAtBranch) state_.ViewerState = ViewerState::Idle;
    engine_.Saigen();
    mirrorReplayCaption();
}

void ViewerSession::setStopAtComment(bool on) {
    commentStop_ = on;
    if (on) branchStop_ = false;
}

void ViewerSession::setStopAtBranch(bool on) {
    branchStop_ = on;
    if (on) commentStop_ = false;
}

void ViewerSession::setResumeAfterBranch(bool on) { resume_ = on; }

bool ViewerSession::visible() const { return display_->shown(); }

void ViewerSession::setStopBoxes(bool atComment, bool atBranch) {
    setStopAtComment(atComment);
    setStopAtBranch(atBranch);
    display_->changed();
}

void ViewerSession::setCommentaryText(const std::string& text) {
    commentary_ = text;
    display_->changed();
}

void ViewerSession::setNextEnabled(bool enabled) {
    nextEnabled_ = enabled;
    display_->changed();
}

void ViewerSession::setReplayCaption(const std::string& caption) {
    caption_ = caption;
    display_->changed();
}

void ViewerSession::focus() {
    if (display_->shown()) display_->bringToFront();
}

void ViewerSession::showBranch(int move) {
    // The replay stopped at a branch: offer the variations that leave the main line here.
    resume_ = !board_.replayRunning();
    mirrorReplayCaption();
    highlightBranchesAt(move);
    mainLineEnabled_ = true;
    nextEnabled_ = state_.hasMove(move + 1);
    display_->changed();
}

}  // namespace kelmaz
