#include "document/ProblemSession.h"

#include <algorithm>
#include <string>

#include "document/TreePositions.h"

namespace kelmaz {

namespace {

std::string lowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return text;
}

bool contains(std::string_view text, std::string_view word) {
    return text.find(word) != std::string_view::npos;
}

// The start of a game: the root and the nodes that follow it alone before any move.
int startNode(const GameTree& game) {
    int node = 0;
    while (game.nodes[node].children.size() == 1 &&
           moveColour(game.nodes[game.nodes[node].children.front()]) == kNoColour)
        node = game.nodes[node].children.front();
    return node;
}

}  // namespace

ProblemSession::ProblemSession(const RecordDocument& document, int game)
    : document_(document), game_(game) {
    start();
}

bool ProblemSession::isProblem(const GameTree& game) {
    if (game.nodes.empty()) return false;
    for (const int node : game.pathTo(startNode(game)))
        if (game.nodes[node].find("AB") != nullptr || game.nodes[node].find("AW") != nullptr)
            return true;
    return false;
}

void ProblemSession::start() {
    const GameTree& game = document_.game(game_);
    start_ = node_ = startNode(game);
    const std::vector<int>& answers = game.nodes[start_].children;
    player_ =
        answers.empty() ? playerToMove(game, start_) : moveColour(game.nodes[answers.front()]);
    if (player_ == kNoColour) player_ = playerToMove(game, start_);
    marked_ = false;
    for (int n = 0; n < static_cast<int>(game.nodes.size()); ++n)
        marked_ = marked_ || judge(n) == ProblemAnswer::Right;
    answer_ = ProblemAnswer::None;
    finished_ = false;
}

ProblemAnswer ProblemSession::judge(int node) const {
    const SgfNode& n = document_.game(game_).nodes[node];
    const std::string comment = lowerAscii(n.text("C"));
    const int opponent = player_ == kBlack ? kWhite : kBlack;
    // 不正解 holds 正解 and "incorrect" holds "correct": the words of a wrong line come first.
    // BM marks a bad move, and a position good for the other side is no answer either.
    if (contains(comment, "不正解") || contains(comment, "失敗") || contains(comment, "wrong") ||
        contains(comment, "incorrect") || n.find("BM") != nullptr ||
        n.find(opponent == kBlack ? "GB" : "GW") != nullptr)
        return ProblemAnswer::Wrong;
    if (contains(comment, "正解") || contains(comment, "correct") || n.find("TE") != nullptr ||
        n.find(player_ == kBlack ? "GB" : "GW") != nullptr)
        return ProblemAnswer::Right;
    return ProblemAnswer::None;
}

ProblemAnswer ProblemSession::reach(int node) {
    const GameTree& game = document_.game(game_);
    while (true) {
        node_ = node;
        if (const ProblemAnswer said = judge(node); said != ProblemAnswer::None) {
            finished_ = true;
            return said;
        }
        const std::vector<int>& next = game.nodes[node].children;
        if (next.empty()) {
            // The end of a line: right unless the record marks its right answers and this
            // line carries no such mark.
            finished_ = true;
            return marked_ ? ProblemAnswer::Wrong : ProblemAnswer::Right;
        }
        if (moveColour(game.nodes[next.front()]) != kNoColour) return ProblemAnswer::Reply;
        node = next.front();
    }
}

ProblemAnswer ProblemSession::click(int col, int row) {
    if (finished_) return ProblemAnswer::None;
    const GameTree& game = document_.game(game_);
    TreePositions positions(game);
    const GameState& shown = positions.at(node_);
    if (col < 1 || row < 1 || col > shown.BoardSize || row > shown.BoardSize ||
        positions.stoneAt(col, row) != kNoColour)
        return ProblemAnswer::None;
    for (const int child : game.nodes[node_].children) {
        if (movePoint(game.nodes[child]) != std::pair{col, row} ||
            moveColour(game.nodes[child]) != player_)
            continue;
        answer_ = reach(child);
        if (answer_ != ProblemAnswer::Reply) return answer_;
        // The record's reply, the first continuation, is played at once.
        const int reply = game.nodes[node_].children.front();
        if (moveColour(game.nodes[reply]) != player_) answer_ = reach(reply);
        return answer_;
    }
    answer_ = ProblemAnswer::Wrong;
    return answer_;
}

void ProblemSession::retry() { start(); }

bool ProblemSession::next() {
    if (game_ + 1 >= document_.gameCount()) return false;
    ++game_;
    start();
    return true;
}

}  // namespace kelmaz
