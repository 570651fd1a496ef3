#include "document/LineProjection.h"

#include <algorithm>

#include "base/SgfEscape.h"
#include "records/GameInfoRules.h"

namespace kelmaz {

namespace {

int coordinate(char c) {
    if (c >= 'a' && c < 'a' + kMaxBoardSize) return c - 'a' + 1;
    if (c >= 'A' && c < 'A' + kMaxBoardSize) return c - 'A' + 1;
    return 0;
}

void addSetup(const SgfNode& node, std::vector<SetupStone>& out) {
    for (const SgfProperty& p : node.properties) {
        int colour;
        if (p.name == "AB") {
            colour = kBlack;
        } else if (p.name == "AW") {
            colour = kWhite;
        } else if (p.name == "AE") {
            colour = kNoColour;
        } else {
            continue;
        }
        for (const std::string& raw : p.values) {
            const std::string value = unescapeSgfValue(raw);
            // "aa:cc" stands for every point of the rectangle between the two corners.
            const auto a = sgfPoint(value.substr(0, 2));
            const auto b = value.size() == 5 && value[2] == ':' ? sgfPoint(value.substr(3, 2)) : a;
            if (!a || !b || (value.size() != 2 && value.size() != 5)) continue;
            const auto [c1, c2] = std::minmax(a->first, b->first);
            const auto [r1, r2] = std::minmax(a->second, b->second);
            for (int row = r1; row <= r2; ++row)
                for (int col = c1; col <= c2; ++col) out.push_back({col, row, colour});
        }
    }
}

void addMarkup(const SgfNode& node, MarkupBuilder& marks) {
    for (const SgfProperty& p : node.properties) {
        const auto kind = markKindOf(p.name);
        if (!kind) continue;
        for (const std::string& raw : p.values) marks.addValue(*kind, unescapeSgfValue(raw));
    }
}

bool isNumber(std::string_view text) {
    return !text.empty() && text.size() < 6 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

const SgfProperty* moveOf(const SgfNode& node) {
    if (const SgfProperty* b = node.find("B")) return b;
    return node.find("W");
}

}  // namespace

std::optional<std::pair<int, int>> sgfPoint(std::string_view value) {
    if (value.size() != 2) return std::nullopt;
    const int col = coordinate(value[0]), row = coordinate(value[1]);
    if (col == 0 || row == 0) return std::nullopt;
    return std::pair{col, row};
}

LineProjection projectLine(const GameTree& game, int node) {
    LineProjection out;
    if (game.nodes.empty()) return out;
    out.line = game.pathTo(game.lineEnd(std::clamp(node, 0, int(game.nodes.size()) - 1)));
    out.slotStarts.push_back(0);
    out.setup.emplace_back();
    out.players.push_back(kNoColour);
    bool numbered = false;
    for (std::size_t i = 0; i < out.line.size(); ++i) {
        const SgfNode& current = game.nodes[out.line[i]];
        if (moveOf(current) != nullptr) {
            ++out.moves;
            if (out.moves <= kMaxMoves) {
                out.slotStarts.push_back(i);
                out.setup.emplace_back();
                out.players.push_back(kNoColour);
            }
            // The first MN met renumbers the moves from its own on.
            const std::string mn = current.text("MN");
            if (!numbered && isNumber(mn)) {
                out.firstMoveNumber = std::stoi(mn) - (out.moves - 1);
                numbered = true;
            }
        }
        const std::string pl = current.text("PL");
        const int player = pl == "B" || pl == "b"   ? kBlack
                           : pl == "W" || pl == "w" ? kWhite
                                                    : kNoColour;
        if (out.moves <= kMaxMoves) {
            addSetup(current, out.setup.back());
            if (player != kNoColour) out.players.back() = player;
        }
        if (out.moves == 0 && out.playerToMove < 0) out.playerToMove = player;
    }
    if (out.moves > kMaxMoves) out.message = std::string(kLineTooLongMessage);
    return out;
}

std::string slotComment(const GameTree& game, const LineProjection& line, int slot) {
    std::string comment;
    for (std::size_t i = line.slotStarts[slot]; i < line.slotEnd(slot); ++i) {
        const std::string text = game.nodes[line.line[i]].text("C");
        if (text.empty()) continue;
        if (!comment.empty()) comment += '\n';
        comment += text;
    }
    return comment;
}

void showLine(const GameTree& game, const LineProjection& line, GameState& state) {
    const int slots = line.slotCount();
    for (int k = 0; k <= kMaxMoves; ++k) {
        state.MoveComment[k].clear();
        state.MoveMarkup[k].clear();
        state.MoveSetup[k].clear();
        state.MovePlayer[k] = 0;
        if (k > 0) state.MoveCol[k] = state.MoveRow[k] = state.MoveColour[k] = 0;
    }
    for (int k = 0; k < slots; ++k) {
        if (k > 0) {
            const SgfNode& node = game.nodes[line.slotNode(k)];
            const SgfProperty* move = moveOf(node);
            const auto at = move->values.empty() ? std::nullopt : sgfPoint(move->values[0]);
            state.MoveCol[k] = static_cast<std::int16_t>(at ? at->first : kPassCoord);
            state.MoveRow[k] = static_cast<std::int16_t>(at ? at->second : kPassCoord);
            state.MoveColour[k] = static_cast<std::int16_t>(move->name == "W" ? kWhite : kBlack);
        }
        state.MoveComment[k] = slotComment(game, line, k);
        MarkupBuilder marks;
        for (std::size_t i = line.slotStarts[k]; i < line.slotEnd(k); ++i)
            addMarkup(game.nodes[line.line[i]], marks);
        state.MoveMarkup[k] = marks.take();
        state.MoveSetup[k] = line.setup[k];
        if (line.players[k] != kNoColour) state.MovePlayer[k] = std::int16_t(line.players[k] + 1);
    }
    state.FirstMoveNumber = line.firstMoveNumber;
}

void showReadMoves(const ReadMoves& read, GameState& state) {
    const int count = std::min(static_cast<int>(read.moves.size()), kMaxMoves);
    for (int k = 1; k <= count; ++k) {
        const ReadMove& move = read.moves[static_cast<std::size_t>(k - 1)];
        state.MoveCol[k] = move.col;
        state.MoveRow[k] = move.row;
        state.MoveColour[k] = move.colour;
        state.MoveComment[k] = move.comment;
        state.MoveMarkup[k].clear();
    }
    state.endRecordAfter(count);
    state.MoveCount = std::clamp(read.shown, 0, kMaxMoves);
}

}  // namespace kelmaz
