#include "document/BoardEdits.h"

#include <algorithm>
#include <array>

#include "base/SgfEscape.h"
#include "document/LineProjection.h"
#include "document/TreePositions.h"
#include "engine/Markup.h"

namespace kelmaz {

namespace {

constexpr std::array<std::string_view, 3> kSetupProperties = {"AB", "AW", "AE"};
constexpr std::array<std::string_view, 5> kMarkProperties = {"LB", "TR", "CR", "SQ", "MA"};

bool isSetupTool(EditTool tool) { return tool <= EditTool::EmptyPoint; }

int setupColourOf(std::string_view property) {
    return property == "AB" ? kBlack : property == "AW" ? kWhite : kNoColour;
}

std::string_view setupPropertyOf(int colour) {
    return colour == kBlack ? "AB" : colour == kWhite ? "AW" : "AE";
}

std::string_view shapePropertyOf(EditTool tool) {
    switch (tool) {
        case EditTool::Triangle:
            return "TR";
        case EditTool::Circle:
            return "CR";
        case EditTool::Square:
            return "SQ";
        default:
            return "MA";
    }
}

// The point a value of `property` names: a label's point comes before its ":".
std::vector<std::pair<int, int>> valuePoints(std::string_view property, const std::string& raw) {
    const std::string value = unescapeSgfValue(raw);
    return pointListValue(property == "LB" ? std::string_view(value).substr(0, 2) : value);
}

bool holds(const SgfNode& node, std::string_view property, int col, int row) {
    const SgfProperty* p = node.find(property);
    if (p == nullptr) return false;
    return std::any_of(p->values.begin(), p->values.end(), [&](const std::string& raw) {
        const auto points = valuePoints(property, raw);
        return std::find(points.begin(), points.end(), std::pair{col, row}) != points.end();
    });
}

// Takes a point out of a property: a rectangle holding it is written out point by point
// without it, and a property left without a value goes.
void removePoint(SgfNode& node, std::string_view property, int col, int row) {
    SgfProperty* p = node.find(property);
    if (p == nullptr) return;
    std::vector<std::string> kept;
    for (const std::string& raw : p->values) {
        const auto points = valuePoints(property, raw);
        if (std::find(points.begin(), points.end(), std::pair{col, row}) == points.end()) {
            kept.push_back(raw);
            continue;
        }
        if (property == "LB") continue;
        for (const auto& [c, r] : points)
            if (c != col || r != row) kept.push_back(sgfPointText(c, r));
    }
    if (kept.empty()) return node.remove(property);
    p->values = std::move(kept);
}

void addValue(SgfNode& node, std::string_view property, const std::string& value) {
    if (SgfProperty* p = node.find(property)) {
        p->values.push_back(escapeSgfValue(value));
        return;
    }
    node.properties.push_back({std::string(property), {escapeSgfValue(value)}});
}

// The text of the label on a point, if it has one.
std::optional<std::string> labelAt(const SgfNode& node, int col, int row) {
    const SgfProperty* p = node.find("LB");
    if (p == nullptr) return std::nullopt;
    for (const std::string& raw : p->values) {
        const std::string value = unescapeSgfValue(raw);
        if (value.size() > 2 && value[2] == ':' &&
            sgfPoint(value.substr(0, 2)) == std::pair{col, row})
            return value.substr(3);
    }
    return std::nullopt;
}

bool isNumberLabel(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The first letter (A..Z) or number (1, 2, ...) that no label of the node shows yet.
std::optional<std::string> nextFreeLabel(const SgfNode& node, bool number) {
    std::vector<std::string> used;
    if (const SgfProperty* p = node.find("LB"))
        for (const std::string& raw : p->values) {
            const std::string value = unescapeSgfValue(raw);
            if (value.size() > 3) used.push_back(value.substr(3));
        }
    const auto unused = [&used](const std::string& text) {
        return std::find(used.begin(), used.end(), text) == used.end();
    };
    for (int i = 0; i <= static_cast<int>(used.size()); ++i) {
        const std::string text = number ? std::to_string(i + 1) : std::string(1, char('A' + i));
        if (!number && i >= 26) break;
        if (unused(text)) return text;
    }
    return std::nullopt;
}

bool holdsToolMark(const SgfNode& node, EditTool tool, int col, int row) {
    if (tool == EditTool::Letter || tool == EditTool::Number) {
        const auto label = labelAt(node, col, row);
        return label && isNumberLabel(*label) == (tool == EditTool::Number);
    }
    return holds(node, shapePropertyOf(tool), col, row);
}

void removeMarks(SgfNode& node, int col, int row) {
    for (std::string_view property : kMarkProperties) removePoint(node, property, col, row);
}

// A mark on one point: added (replacing any other mark there) or taken away.
void markPoint(SgfNode& node, EditTool tool, bool removing, int col, int row) {
    if (tool == EditTool::EraseMarks || removing) {
        if (tool == EditTool::EraseMarks || holdsToolMark(node, tool, col, row))
            removeMarks(node, col, row);
        return;
    }
    if (holdsToolMark(node, tool, col, row)) return;
    const bool label = tool == EditTool::Letter || tool == EditTool::Number;
    const auto text = label ? nextFreeLabel(node, tool == EditTool::Number) : std::string();
    if (!text) return;
    removeMarks(node, col, row);
    const std::string point = sgfPointText(col, row);
    addValue(node, label ? "LB" : shapePropertyOf(tool), label ? point + ":" + *text : point);
}

// What the node's own setup puts on a point, if it names the point.
std::optional<int> ownSetupAt(const SgfNode& node, int col, int row) {
    std::optional<int> colour;
    for (const SgfProperty& p : node.properties) {
        if (std::find(kSetupProperties.begin(), kSetupProperties.end(), p.name) ==
            kSetupProperties.end())
            continue;
        if (holds(node, p.name, col, row)) colour = setupColourOf(p.name);
    }
    return colour;
}

// Inserts a node right after `node`, which takes over its continuations; returns its number.
// Every node keeps a larger number than its parent.
int insertAfter(GameTree& game, int node) {
    const int added = node + 1;
    for (SgfNode& n : game.nodes) {
        if (n.parent >= added) ++n.parent;
        for (int& c : n.children)
            if (c >= added) ++c;
    }
    SgfNode fresh;
    fresh.parent = node;
    fresh.children = std::exchange(game.nodes[node].children, {added});
    game.nodes.insert(game.nodes.begin() + added, std::move(fresh));
    for (int c : game.nodes[added].children) game.nodes[c].parent = added;
    return added;
}

bool holdsMove(const RecordDocument& document, LinePosition at) {
    return moveColour(document.game(at.game).nodes[at.node]) != kNoColour;
}

int movesTo(const GameTree& game, int node) {
    const std::vector<int> path = game.pathTo(node);
    return static_cast<int>(std::count_if(path.begin(), path.end(), [&game](int n) {
        return moveColour(game.nodes[n]) != kNoColour;
    }));
}

}  // namespace

EditStroke::EditStroke(RecordDocument& document, EditTool tool)
    : document_(document), tool_(tool), start_(document.position()) {}

EditOutcome EditStroke::add(int col, int row) {
    if (std::find(points_.begin(), points_.end(), std::pair{col, row}) != points_.end()) return {};
    // After any other change of the record the stroke starts afresh.
    const bool continues = node_ >= 0 && document_.revision() == revisionAfter_;
    if (!continues) {
        points_.clear();
        removing_.reset();
        blockedBefore_.reset();
        start_ = document_.position();
        run_ = "palette stroke " + std::to_string(document_.revision());
    }
    if (start_.game < 0 || start_.game >= document_.gameCount()) return {};
    const bool inserts = !continues && isSetupTool(tool_) && holdsMove(document_, start_);
    const int node = continues ? node_ : inserts ? start_.node + 1 : start_.node;
    EditOutcome outcome;
    const auto change = [&](GameTree& game) {
        if (inserts) insertAfter(game, start_.node);
        return apply(game, node, col, row, outcome.message);
    };
    outcome.changed = document_.edit(start_.game, change, {start_.game, node}, run_);
    if (outcome.changed) {
        points_.emplace_back(col, row);
        node_ = node;
    }
    revisionAfter_ = document_.revision();
    return outcome;
}

bool EditStroke::apply(GameTree& game, int node, int col, int row, std::string& message) {
    const int size = gameBoardSize(game);
    if (col > size || row > size) return false;
    SgfNode& target = game.nodes[node];
    std::vector<SgfProperty> before = target.properties;
    if (!isSetupTool(tool_)) {
        if (!removing_) removing_ = holdsToolMark(target, tool_, col, row);
        markPoint(target, tool_, *removing_, col, row);
        return target.properties != before;
    }
    TreePositions positions(game);
    if (!blockedBefore_) blockedBefore_ = positions.movesOnStones(node);
    positions.at(node, false);
    const int toolColour = tool_ == EditTool::BlackStone   ? kBlack
                           : tool_ == EditTool::WhiteStone ? kWhite
                                                           : kNoColour;
    const int prior = positions.stoneAt(col, row);
    const int shown = ownSetupAt(target, col, row).value_or(prior);
    if (!removing_)
        removing_ = tool_ == EditTool::EmptyPoint ? ownSetupAt(target, col, row) == kNoColour
                                                  : shown == toolColour;
    // Taking away: a stone put by the tool goes; an emptied point gets its stone back.
    const int wanted = !*removing_ ? toolColour : tool_ == EditTool::EmptyPoint ? prior : kNoColour;
    if (*removing_ ? shown != (tool_ == EditTool::EmptyPoint ? kNoColour : toolColour)
                   : shown == wanted)
        return false;
    for (std::string_view property : kSetupProperties) removePoint(target, property, col, row);
    if (wanted != prior) addValue(target, setupPropertyOf(wanted), sgfPointText(col, row));
    for (const int blocked : positions.movesOnStones(node)) {
        if (std::binary_search(blockedBefore_->begin(), blockedBefore_->end(), blocked)) continue;
        message = std::string(kSetupBlocksMoveMessage) + "手（" +
                  std::to_string(movesTo(game, blocked)) +
                  "手目）が石のある点に打たれることになるため、変更できません。";
        // A point refused within a stroke leaves the points before it as they were.
        target.properties = std::move(before);
        return false;
    }
    return true;
}

EditOutcome switchPlayerToMove(RecordDocument& document) {
    const LinePosition at = document.position();
    if (at.game < 0 || at.game >= document.gameCount()) return {};
    const bool inserts = holdsMove(document, at);
    const LinePosition after = inserts ? LinePosition{at.game, at.node + 1} : at;
    const auto change = [&](GameTree& game) {
        const int node = inserts ? insertAfter(game, at.node) : at.node;
        const int next = playerToMove(game, node) == kBlack ? kWhite : kBlack;
        game.nodes[node].setText("PL", next == playerToMove(game, node, false) ? ""
                                       : next == kBlack                        ? "B"
                                                                               : "W");
        return true;
    };
    return {document.edit(at.game, change, after), {}};
}

}  // namespace kelmaz
