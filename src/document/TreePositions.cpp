#include "document/TreePositions.h"

#include <algorithm>
#include <string>

#include "base/NumberText.h"
#include "base/SgfEscape.h"
#include "document/LineProjection.h"

namespace kelmaz {

namespace {

int setupColour(std::string_view property) {
    if (property == "AB") return kBlack;
    if (property == "AW") return kWhite;
    return kNoColour;
}

bool isSetupProperty(std::string_view property) {
    return property == "AB" || property == "AW" || property == "AE";
}

// What play() changes on the board, kept where the tree forks so that each variation starts
// from the position before it.
struct Snapshot {
    Grid<std::int16_t> stones, groups;
    int groupCount = 0;
    explicit Snapshot(const GameState& s)
        : stones(s.BoardGrid), groups(s.GroupGrid), groupCount(s.GroupCount) {}
    void restore(GameState& s) const {
        s.BoardGrid = stones;
        s.GroupGrid = groups;
        s.GroupCount = groupCount;
    }
};

}  // namespace

int gameBoardSize(const GameTree& game) {
    if (game.nodes.empty()) return kMaxBoardSize;
    const auto size = parseInt16(game.nodes.front().text("SZ"));
    return size && *size >= 1 && *size <= kMaxBoardSize ? *size : kMaxBoardSize;
}

std::vector<std::pair<int, int>> pointListValue(std::string_view value) {
    std::vector<std::pair<int, int>> points;
    const auto first = sgfPoint(value.substr(0, 2));
    const auto last = value.size() == 5 && value[2] == ':' ? sgfPoint(value.substr(3)) : first;
    if (!first || !last || (value.size() != 2 && value.size() != 5)) return points;
    for (int col = std::min(first->first, last->first); col <= std::max(first->first, last->first);
         ++col)
        for (int row = std::min(first->second, last->second);
             row <= std::max(first->second, last->second); ++row)
            points.emplace_back(col, row);
    return points;
}

std::optional<std::pair<int, int>> movePoint(const SgfNode& node) {
    const SgfProperty* move = node.find("B");
    if (move == nullptr) move = node.find("W");
    if (move == nullptr || move->values.empty()) return std::nullopt;
    return sgfPoint(move->values.front());
}

int moveColour(const SgfNode& node) {
    if (node.find("B") != nullptr) return kBlack;
    if (node.find("W") != nullptr) return kWhite;
    return kNoColour;
}

int playerToMove(const GameTree& game, int node, bool ownPL) {
    int player = kBlack;
    for (const int n : game.pathTo(node)) {
        const SgfNode& current = game.nodes[n];
        if (const int colour = moveColour(current); colour != kNoColour)
            player = colour == kBlack ? kWhite : kBlack;
        const std::string pl = n == node && !ownPL ? std::string() : current.text("PL");
        if (pl == "B" || pl == "b") player = kBlack;
        if (pl == "W" || pl == "w") player = kWhite;
    }
    return player;
}

TreePositions::TreePositions(const GameTree& game)
    : game_(game), state_(std::make_unique<GameState>()), board_(*state_) {}

void TreePositions::play(int node, bool ownSetup) {
    const SgfNode& current = game_.nodes[node];
    const int size = state_->BoardSize;
    if (const auto at = movePoint(current); at && at->first <= size && at->second <= size)
        board_.place(at->first, at->second, moveColour(current), 0, PlaceMode::Rebuild);
    if (!ownSetup) return;
    for (const SgfProperty& p : current.properties) {
        if (!isSetupProperty(p.name)) continue;
        for (const std::string& raw : p.values)
            for (const auto& [col, row] : pointListValue(unescapeSgfValue(raw)))
                if (col <= size && row <= size) board_.setUp({col, row, setupColour(p.name)});
    }
}

const GameState& TreePositions::at(int node, bool ownSetup) {
    board_.clear(gameBoardSize(game_));
    const std::vector<int> path = game_.pathTo(node);
    for (std::size_t i = 0; i < path.size(); ++i) play(path[i], ownSetup || i + 1 < path.size());
    return *state_;
}

int TreePositions::stoneAt(int col, int row) const {
    const int stone = state_->BoardGrid[col][row];
    return stone == 0 ? kNoColour : stone - 1;
}

std::vector<int> TreePositions::movesOnStones(int node) {
    std::vector<int> found;
    if (node < 0 || node >= static_cast<int>(game_.nodes.size())) return found;
    at(node);
    // Each pending variation with the position it starts from.
    std::vector<std::pair<int, Snapshot>> pending;
    for (auto child = game_.nodes[node].children.rbegin();
         child != game_.nodes[node].children.rend(); ++child)
        pending.emplace_back(*child, Snapshot(*state_));
    while (!pending.empty()) {
        int current = pending.back().first;
        pending.back().second.restore(*state_);
        pending.pop_back();
        while (true) {
            const auto at = movePoint(game_.nodes[current]);
            if (at && at->first <= state_->BoardSize && at->second <= state_->BoardSize &&
                board_.occupied(at->first, at->second))
                found.push_back(current);
            play(current, true);
            const std::vector<int>& children = game_.nodes[current].children;
            if (children.empty()) break;
            for (std::size_t c = children.size() - 1; c > 0; --c)
                pending.emplace_back(children[c], Snapshot(*state_));
            current = children.front();
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace kelmaz
