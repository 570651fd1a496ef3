#include "document/GameTree.h"

#include <algorithm>

#include "base/SgfEscape.h"
#include "engine/GameInfo.h"

namespace kelmaz {

const SgfProperty* SgfNode::find(std::string_view name) const {
    for (const SgfProperty& p : properties)
        if (p.name == name) return &p;
    return nullptr;
}

SgfProperty* SgfNode::find(std::string_view name) {
    for (SgfProperty& p : properties)
        if (p.name == name) return &p;
    return nullptr;
}

std::string SgfNode::text(std::string_view name) const {
    const SgfProperty* p = find(name);
    return p == nullptr || p->values.empty() ? std::string() : unescapeSgfValue(p->values[0]);
}

void SgfNode::setText(std::string_view name, std::string_view text) {
    if (text.empty()) return remove(name);
    if (SgfProperty* p = find(name)) {
        p->values.assign(1, escapeSgfValue(text));
        return;
    }
    properties.push_back({std::string(name), {escapeSgfValue(text)}});
}

void setRootInfo(SgfNode& root, int field, std::string_view text) {
    const std::string_view name = GameInfoNames.at(field);
    if (text.empty() || root.find(name) != nullptr) return root.setText(name, text);
    const auto earlier = GameInfoNames.begin() + field;
    auto at = root.properties.begin();
    for (auto p = root.properties.begin(); p != root.properties.end(); ++p)
        if (std::find(GameInfoNames.begin(), earlier, p->name) != earlier) at = p + 1;
    root.properties.insert(at, {std::string(name), {escapeSgfValue(text)}});
}

void SgfNode::remove(std::string_view name) {
    std::erase_if(properties, [name](const SgfProperty& p) { return p.name == name; });
}

int GameTree::addChild(int parent) {
    const int number = static_cast<int>(nodes.size());
    nodes.push_back({});
    nodes.back().parent = parent;
    if (parent >= 0) nodes[parent].children.push_back(number);
    return number;
}

std::vector<int> GameTree::pathTo(int node) const {
    std::vector<int> path;
    for (int n = node; n >= 0 && n < static_cast<int>(nodes.size()); n = nodes[n].parent)
        path.push_back(n);
    std::reverse(path.begin(), path.end());
    return path;
}

int GameTree::lineEnd(int node) const {
    while (node >= 0 && node < static_cast<int>(nodes.size()) && !nodes[node].children.empty())
        node = nodes[node].children.front();
    return node;
}

std::vector<int> GameTree::textOrder() const {
    std::vector<int> order;
    order.reserve(nodes.size());
    if (nodes.empty()) return order;
    std::vector<int> pending{0};
    while (!pending.empty()) {
        const int node = pending.back();
        pending.pop_back();
        order.push_back(node);
        const std::vector<int>& children = nodes[node].children;
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return order;
}

bool GameTree::removeSubtree(int node) {
    const int count = static_cast<int>(nodes.size());
    if (node <= 0 || node >= count) return false;
    std::vector<bool> gone(count, false);
    // Children always have larger numbers than their parent, so one forward pass finds them.
    gone[node] = true;
    for (int n = node + 1; n < count; ++n)
        if (nodes[n].parent >= 0 && gone[nodes[n].parent]) gone[n] = true;
    std::vector<int> renumber(count, -1);
    int next = 0;
    for (int n = 0; n < count; ++n)
        if (!gone[n]) renumber[n] = next++;
    std::vector<SgfNode> kept;
    kept.reserve(next);
    for (int n = 0; n < count; ++n) {
        if (gone[n]) continue;
        SgfNode moved = std::move(nodes[n]);
        moved.parent = moved.parent >= 0 ? renumber[moved.parent] : -1;
        std::erase_if(moved.children, [&gone](int c) { return gone[c]; });
        for (int& c : moved.children) c = renumber[c];
        kept.push_back(std::move(moved));
    }
    nodes = std::move(kept);
    edited = true;
    return true;
}

}  // namespace kelmaz
