#include "document/SgfDocumentText.h"

#include "tree/SgfCollection.h"
#include "tree/SgfLex.h"

namespace kelmaz {

namespace {

// The nodes of one game tree's text.
GameTree readGame(std::string_view text) {
    GameTree game;
    game.source = std::string(text);
    game.edited = false;
    int current = -1;           // the node whose properties are being read
    std::vector<int> openedAt;  // the current node when each open "(" was met
    SgfProperty* property = nullptr;
    sgfscan::walk(
        text,
        [&](const sgfscan::ValueRef& v) {
            if (current < 0) return;  // a nameless value stays with its node, as written
            const std::string_view raw = sgfscan::rawValue(text, v);
            if (v.firstOfProperty || property == nullptr) {
                SgfNode& node = game.nodes[current];
                node.properties.push_back({std::string(v.name), {}});
                property = &node.properties.back();
            }
            property->values.emplace_back(raw);
        },
        [&](std::size_t, char c) {
            property = nullptr;
            if (c == '(') {
                openedAt.push_back(current);
            } else if (c == ';') {
                // A second top-level node sequence of one tree hangs under the root.
                current = game.addChild(current < 0 && !game.nodes.empty() ? 0 : current);
            } else if (!openedAt.empty()) {
                current = openedAt.back();
                openedAt.pop_back();
            }
        });
    return game;
}

void appendProperty(std::string& out, const SgfProperty& p) {
    out += p.name;
    for (const std::string& v : p.values) {
        out += '[';
        out += v;
        out += ']';
    }
}

// The game in the program's layout. Lines are written as loops; the variations still to write
// wait in a list instead of a recursion, so that a tree nested many thousands of variations
// deep cannot exhaust the stack.
void appendGame(const GameTree& game, std::string& out) {
    struct Pending {
        int node;    // where a line starts; -1 for the ")" that closes a variation
        bool opens;  // the line is a variation: "(" comes first
    };
    std::vector<Pending> pending = {{0, false}};
    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        if (next.node < 0) {
            out += ")\r\n";
            continue;
        }
        if (next.opens) out += '(';
        for (int n = next.node;;) {
            const SgfNode& node = game.nodes[n];
            // The root's "(;" stands alone; a node's first property follows its ";".
            out += n == 0 ? "(;\r\n" : ";";
            bool lineOpen = n != 0;
            for (const SgfProperty& p : node.properties) {
                appendProperty(out, p);
                out += "\r\n";
                lineOpen = false;
            }
            if (lineOpen) out += "\r\n";
            if (node.children.size() != 1) {
                for (auto child = node.children.rbegin(); child != node.children.rend(); ++child) {
                    pending.push_back({-1, false});
                    pending.push_back({*child, true});
                }
                break;
            }
            n = node.children.front();
        }
    }
}

}  // namespace

SgfGames readSgfGames(std::string_view text) {
    SgfGames result;
    std::size_t end = 0;
    for (const GameTreeRange& range : indexGameTrees(text)) {
        GameTree game = readGame(text.substr(range.begin, range.end - range.begin));
        game.before = std::string(text.substr(end, range.begin - end));
        end = range.end;
        result.games.push_back(std::move(game));
    }
    result.after = std::string(text.substr(end));
    return result;
}

std::string sgfGameText(const GameTree& game) {
    if (!game.edited) return game.source;
    if (game.nodes.empty()) return "(;)\r\n";
    std::string out;
    appendGame(game, out);
    out += ")\r\n";
    return out;
}

std::string sgfCollectionText(const SgfGames& games) {
    std::string out;
    for (const GameTree& game : games.games) {
        out += game.before;
        out += sgfGameText(game);
    }
    out += games.after;
    return out;
}

}  // namespace kelmaz
