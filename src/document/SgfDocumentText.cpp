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

void appendNode(const GameTree& game, int number, std::string& out) {
    // Written as a loop along each line so that a game of thousands of moves needs no deep
    // recursion; only a variation recurses.
    for (int n = number; n >= 0;) {
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
        if (node.children.size() == 1) {
            n = node.children.front();
            continue;
        }
        for (int child : node.children) {
            out += '(';
            appendNode(game, child, out);
            out += ")\r\n";
        }
        n = -1;
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
    appendNode(game, 0, out);
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
