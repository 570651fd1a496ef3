#pragma once
// One game of a record as a tree of nodes, each holding its SGF properties as read: the
// canonical property name and the raw values, escapes kept, so that a property the program
// does not interpret is written back exactly as it came. Node 0 is the root; a node's first
// child continues its line, the others are its variations in file order.
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz {

struct SgfProperty {
    std::string name;                 // canonical identifier: "AB", "C", "LB"
    std::vector<std::string> values;  // raw values (escapes kept), at least one
    bool operator==(const SgfProperty&) const = default;
};

struct SgfNode {
    std::vector<SgfProperty> properties;
    std::vector<int> children;  // node numbers; the first continues the line
    int parent = -1;            // -1 for the root

    const SgfProperty* find(std::string_view name) const;
    SgfProperty* find(std::string_view name);
    // The first value of a property, unescaped; "" when the node lacks it.
    std::string text(std::string_view name) const;
    // Sets a property to one value (escaped here); an empty text removes it.
    void setText(std::string_view name, std::string_view text);
    void remove(std::string_view name);
};

// Sets game-information field `field` (an index of GameInfoNames) of a root to `text`, as
// SgfNode::setText does; a property the root lacks goes in after the fields that come before it
// in the game information's order (FF GM SZ CA AP ...), so a record made in the program is laid
// out as the program has always written it.
void setRootInfo(SgfNode& root, int field, std::string_view text);

struct GameTree {
    std::vector<SgfNode> nodes;  // node 0 is the root; empty only for a game without any node
    // The game's text as read, written back unchanged while `edited` is false, so that a game
    // nobody touched comes back byte for byte.
    std::string source;
    bool edited = true;
    // Text between the previous game (or the start of the file) and this game.
    std::string before;

    // A new node as the last child of `parent`; its number.
    int addChild(int parent);
    // The nodes from the root to `node`, root first.
    std::vector<int> pathTo(int node) const;
    // `node` followed down its first children to the end of its line.
    int lineEnd(int node) const;
    // Every node in the order the game's text writes them: a node, then its first child's
    // line with its variations, then the node's other children.
    std::vector<int> textOrder() const;
    // Removes `node` and everything below it (not the root); the numbers of the nodes after
    // it shift down. Returns false for the root or a number outside the tree.
    bool removeSubtree(int node);
};

}  // namespace kelmaz
