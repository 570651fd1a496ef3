#include "document/RecordDocument.h"

#include <algorithm>
#include <utility>

namespace kelmaz {

namespace {

GameTree emptyGame() {
    GameTree game;
    game.addChild(-1);
    return game;
}

}  // namespace

RecordDocument::RecordDocument(std::size_t historyNodes) : historyNodes_(historyNodes) {
    games_.games.push_back(emptyGame());
}

void RecordDocument::read(std::string_view text) {
    games_ = readSgfGames(text);
    for (GameTree& game : games_.games)
        if (game.nodes.empty()) game.addChild(-1);
    startAfresh();
}

void RecordDocument::reset(GameTree game) {
    if (game.nodes.empty()) game.addChild(-1);
    game.edited = true;
    games_ = {};
    games_.games.push_back(std::move(game));
    startAfresh();
}

void RecordDocument::startAfresh() {
    position_ = {};
    history_.clear();
    done_ = saved_ = 0;
    runOpen_ = false;
    changed();
}

void RecordDocument::choose(LinePosition position) {
    if (position.game < 0 || position.game >= gameCount()) return;
    const int nodes = static_cast<int>(game(position.game).nodes.size());
    position.node = std::clamp(position.node, 0, nodes - 1);
    if (position == position_) return;
    position_ = position;
    runOpen_ = false;
    for (const Observer& observer : observers_) observer();
}

bool RecordDocument::edit(int index, const std::function<bool(GameTree&)>& change,
                          LinePosition after, std::string_view run) {
    return apply(
        index, [&](GameTree& game) { return change(game) ? std::optional(after) : std::nullopt; },
        run);
}

bool RecordDocument::editTo(int index, const std::function<int(GameTree&)>& change) {
    return apply(index, [&](GameTree& game) -> std::optional<LinePosition> {
        const int node = change(game);
        if (node < 0) return std::nullopt;
        return LinePosition{index, node};
    });
}

bool RecordDocument::apply(int index, const Change& change, std::string_view run) {
    if (index < 0 || index >= gameCount()) return false;
    GameTree& target = games_.games[index];
    const bool joins =
        !run.empty() && runOpen_ && history_.back().run == run && history_.back().game == index;
    GameTree before = joins ? GameTree{} : target;
    const std::optional<LinePosition> after = change(target);
    if (!after) {
        if (!joins) target = std::move(before);
        return false;
    }
    target.edited = true;
    if (joins) {
        history_.back().positionAfter = *after;
    } else {
        history_.resize(done_);
        if (saved_ > done_) saved_ = kNeverSaved;  // the saved content left the history
        history_.push_back({index, std::move(before), position_, *after, std::string(run)});
        ++done_;
        trimHistory();
    }
    runOpen_ = !run.empty();
    position_ = *after;
    changed();
    return true;
}

void RecordDocument::markSaved() {
    saved_ = done_;
    runOpen_ = false;  // a run typed on after a save is a step of its own
}

bool RecordDocument::replaceGame(int index, std::string_view text) {
    SgfGames read = readSgfGames(text);
    if (read.games.empty()) return false;
    const bool done = edit(index,
                           [&read](GameTree& game) {
                               read.games.front().before = std::move(game.before);
                               game = std::move(read.games.front());
                               return true;
                           },
                           {index, 0});
    // The new game is written as the text it came from, which is already in the writer's form.
    if (done) games_.games[index].edited = false;
    return done;
}

void RecordDocument::swapIn(Step& step, bool forward) {
    std::swap(games_.games[step.game], step.other);
    runOpen_ = false;
    position_ = forward ? step.positionAfter : step.positionBefore;
    changed();
}

// Called right after a step was added, when every step is in effect.
void RecordDocument::trimHistory() {
    std::size_t nodes = 0, first = history_.size();
    for (; first > 0; --first) {
        const std::size_t size = history_[first - 1].other.nodes.size();
        if (first < history_.size() && nodes + size > historyNodes_) break;
        nodes += size;
    }
    if (first == 0) return;
    history_.erase(history_.begin(), history_.begin() + static_cast<std::ptrdiff_t>(first));
    done_ -= first;
    // A save made before the steps that went can no longer be reached by undo.
    saved_ = saved_ != kNeverSaved && saved_ >= first ? saved_ - first : kNeverSaved;
}

void RecordDocument::undo() {
    if (!canUndo()) return;
    --done_;
    swapIn(history_[done_], false);
}

void RecordDocument::redo() {
    if (!canRedo()) return;
    // Observers are told inside swapIn and read canRedo() and modified() there.
    ++done_;
    swapIn(history_[done_ - 1], true);
}

void RecordDocument::changed() {
    ++revision_;
    for (const Observer& observer : observers_) observer();
}

}  // namespace kelmaz
