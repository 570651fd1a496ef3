#include "tree/LineMarkup.h"

#include "base/SgfEscape.h"
#include "tree/SgfLex.h"

namespace kelmaz {

std::vector<Markup> nodeMarkup(std::string_view text) {
    std::vector<Markup> nodes;
    MarkupBuilder current;
    sgfscan::walk(
        text,
        [&](const sgfscan::ValueRef& v) {
            if (const auto kind = markKindOf(v.name))
                current.addValue(*kind, unescapeSgfValue(sgfscan::rawValue(text, v)));
        },
        [&](std::size_t, char c) {
            if (c != ';') return;
            nodes.push_back(current.take());
        });
    nodes.push_back(current.take());
    return nodes;
}

std::vector<Markup> lineMarkup(const TreeModel& model, const std::vector<Markup>& nodes,
                               int branch) {
    std::vector<Markup> moves(1);
    int move = 0;
    for (int idx : model.lineNodes(branch)) {
        if (idx < 0 || idx >= static_cast<int>(model.NodeStones.size())) continue;
        move += model.NodeStones[idx];
        if (static_cast<int>(moves.size()) <= move) moves.resize(move + 1);
        if (idx >= static_cast<int>(nodes.size())) continue;
        moves[move].addAll(nodes[idx]);
    }
    return moves;
}

void loadLineMarkup(GameState& state, const TreeModel& model, const std::vector<Markup>& nodes,
                    int branch) {
    std::vector<Markup> marks = lineMarkup(model, nodes, branch);
    for (int m = 0; m <= kMaxMoves; ++m)
        state.MoveMarkup[m] = m < static_cast<int>(marks.size()) ? std::move(marks[m]) : Markup{};
}

}  // namespace kelmaz
