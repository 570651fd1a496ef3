#include "tree/TreeModel.h"

#include <algorithm>
#include <cmath>

#include "base/SgfEscape.h"
#include "tree/SgfLex.h"
#include "tree/SgfText.h"

namespace kelmaz {

namespace {

// Position of the (k+1)-th node (its ";") in text, or text.size() when there are fewer.
std::size_t nodeStart(std::string_view text, int k) {
    std::size_t found = text.size();
    int seen = 0;
    bool done = false;
    sgfscan::walk(
        text, [](const sgfscan::ValueRef&) {},
        [&](std::size_t p, char c) {
            if (done || c != ';') return;
            if (seen++ == k) {
                found = p;
                done = true;
            }
        });
    return found;
}

// Largest value over a prefix of keys 1..n (a Fenwick tree of maxima).
class PrefixMax {
  public:
    explicit PrefixMax(int n) : t_(static_cast<std::size_t>(n) + 1, 0) {}
    void raise(int key, int value) {
        for (int i = std::max(key, 1); i < static_cast<int>(t_.size()); i += i & -i)
            t_[i] = std::max(t_[i], value);
    }
    int upTo(int key) const {
        int best = 0;
        for (int i = std::min(key, static_cast<int>(t_.size()) - 1); i > 0; i -= i & -i)
            best = std::max(best, t_[i]);
        return best;
    }

  private:
    std::vector<int> t_;
};

}  // namespace

int nearest(double v) { return static_cast<int>(std::nearbyint(v)); }

TreeModel::TreeModel() { Clsdata(); }

void TreeModel::Clsdata() {
    BranchCount = 0;
    BranchText.assign(1, std::string());
    BranchNodeCount.assign(1, 0);
    BranchStart.assign(1, 0);
    BranchRow.assign(1, 0);
    GroupStartDepth.assign(1, 1);
    NodeComments.assign(1, std::string());
    NodeStones.assign(1, 0);
    parent_.assign(1, 0);
    descendants_.assign(1, 0);
    above_.assign(1, 0);
    nodeBase_.assign(1, 0);
}

void TreeModel::parse(std::string_view text) {
    ComputeGroupDepths(text);
    BuildBranchTable(text);
}

void TreeModel::ExtractComments(std::string_view text) {
    std::vector<std::string> comments(1);
    std::vector<int> stones(1, 0);
    sgfscan::walk(
        text,
        [&](const sgfscan::ValueRef& v) {
            if (v.name == "C") {
                comments.back() += unescapeSgfValue(sgfscan::rawValue(text, v));
            } else if (sgfscan::isStoneProperty(v.name)) {
                std::string tokens;
                if (!sgfscan::isMoveProperty(v.name) || v.firstOfProperty)
                    appendStoneTokens(v.name, sgfscan::rawValue(text, v), tokens);
                stones.back() += static_cast<int>(tokens.size() / 5);
            }
        },
        [&](std::size_t, char c) {
            if (c != ';') return;
            comments.emplace_back();
            stones.push_back(0);
        });
    NodeComments = std::move(comments);
    NodeStones = std::move(stones);
}

void TreeModel::ComputeGroupDepths(std::string_view text) {
    Clsdata();
    std::vector<int> depth(1, 1);  // GroupStartDepth, growing with the groups
    std::vector<int> stack(1, 0);  // group number by level
    int g = 0, level = 0, lastLevel = 0, count = 0;
    sgfscan::walk(
        text, [](const sgfscan::ValueRef&) {},
        [&](std::size_t, char c) {
            if (c == ';') {
                ++count;
            } else if (c == ')') {
                count = 0;
                level = std::max(level - 1, 0);
            } else {
                ++g;
                ++level;
                if (static_cast<int>(stack.size()) <= level) stack.resize(level + 1, 0);
                int d;
                if (lastLevel < level) {
                    d = depth[g - 1] + count;
                    count = 0;
                } else if (lastLevel == level) {
                    d = depth[g - 1];
                } else {
                    d = depth[stack[level]];
                }
                depth.push_back(d);
                stack[level] = g;
                lastLevel = level;
            }
        });
    GroupStartDepth = std::move(depth);
    ExtractComments(text);
}

void TreeModel::BuildBranchTable(std::string_view text) {
    if (GroupStartDepth.size() > 1) GroupStartDepth[1] = 1;
    int opened = 0, nextGroup = 0, nodes = 0;
    std::size_t segmentFrom = 0;
    std::vector<std::size_t> opens;  // "(" positions of the current segment
    sgfscan::walk(
        text, [](const sgfscan::ValueRef&) {},
        [&](std::size_t p, char c) {
            if (c == ';') {
                ++nodes;
            } else if (c == '(') {
                ++opened;
                opens.push_back(p);
            } else {
                if (nodes != 0) {
                    std::string seg;
                    seg.reserve(p - segmentFrom);
                    std::size_t from = segmentFrom;
                    for (std::size_t o : opens) {
                        seg.append(text.substr(from, o - from));
                        from = o + 1;
                    }
                    seg.append(text.substr(from, p - from));
                    const int start = nextGroup < static_cast<int>(GroupStartDepth.size())
                                          ? GroupStartDepth[nextGroup]
                                          : 1;
                    BranchText.push_back(std::move(seg));
                    BranchNodeCount.push_back(nodes);
                    BranchStart.push_back(start);
                    BranchRow.push_back(0);
                    ++BranchCount;
                }
                nextGroup = opened + 1;
                nodes = 0;
                opens.clear();
                segmentFrom = p + 1;
            }
        });
    refresh();
}

void TreeModel::refresh() {
    const int n = BranchCount;
    BranchRow.resize(n + 1, 0);
    parent_.assign(n + 1, 0);
    descendants_.assign(n + 1, 0);
    above_.assign(n + 1, 0);
    nodeBase_.assign(n + 2, 0);
    std::vector<int> stack;
    // Parent: the last earlier branch that starts higher up (previous smaller start).
    for (int p = 1; p <= n; ++p) {
        while (!stack.empty() && BranchStart[stack.back()] >= BranchStart[p]) stack.pop_back();
        parent_[p] = stack.empty() ? 1 : stack.back();
        stack.push_back(p);
    }
    // Above: the last earlier branch that starts at the same depth or higher up.
    stack.clear();
    for (int p = 1; p <= n; ++p) {
        while (!stack.empty() && BranchStart[stack.back()] > BranchStart[p]) stack.pop_back();
        above_[p] = stack.empty() ? 0 : stack.back();
        stack.push_back(p);
    }
    // Descendants: the run of later branches that all start deeper than p.
    stack.clear();
    for (int p = n; p >= 1; --p) {
        while (!stack.empty() && BranchStart[stack.back()] > BranchStart[p]) stack.pop_back();
        const int stop = stack.empty() ? n + 1 : stack.back();
        descendants_[p] = p == 1 ? 0 : stop - p - 1;
        stack.push_back(p);
    }
    for (int b = 1; b <= n; ++b) nodeBase_[b + 1] = nodeBase_[b] + BranchNodeCount[b];
    AssignRows();
}

int TreeModel::NodeIndex(int b, int k) const {
    if (b < 1 || b > BranchCount) return k;
    return nodeBase_[b] + k;
}

int TreeModel::ParentBranch(int p) const { return (p >= 1 && p <= BranchCount) ? parent_[p] : 1; }

int TreeModel::CollectDescendants(int p) const {
    return (p >= 1 && p <= BranchCount) ? descendants_[p] : 0;
}

int TreeModel::BranchAbove(int p) const { return (p >= 1 && p <= BranchCount) ? above_[p] : 0; }

std::string TreeModel::GetDanPath(int dn) const {
    if (dn < 1 || dn > BranchCount) return {};
    if (dn == 1) return GetMainpath(BranchText[1]);
    std::vector<std::string_view> parts{BranchText[dn]};
    for (int b = dn; b != 1;) {
        const int parent = ParentBranch(b);
        const int k = BranchStart[b] - BranchStart[parent];
        const std::string_view pt = BranchText[parent];
        parts.push_back(pt.substr(0, nodeStart(pt, k)));
        b = parent;
    }
    std::string path;
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) path.append(*it);
    return MovesOf(path);
}

std::vector<std::pair<int, int>> TreeModel::lineChain(int b) const {
    if (b < 1 || b > BranchCount) return {};
    std::vector<std::pair<int, int>> chain{{b, BranchNodeCount[b]}};
    for (int c = b; c != 1;) {
        const int parent = ParentBranch(c);
        chain.emplace_back(parent,
                           std::min(BranchStart[c] - BranchStart[parent], BranchNodeCount[parent]));
        c = parent;
    }
    std::reverse(chain.begin(), chain.end());
    return chain;
}

std::vector<int> TreeModel::lineNodes(int b) const {
    std::vector<int> nodes;
    for (const auto& [branch, count] : lineChain(b))
        for (int k = 1; k <= count; ++k) nodes.push_back(NodeIndex(branch, k));
    return nodes;
}

std::pair<int, int> TreeModel::lineNodeOfMove(int b, int move) const {
    int moves = 0;
    for (const auto& [branch, count] : lineChain(b)) {
        for (int k = 1; k <= count; ++k) {
            const int idx = NodeIndex(branch, k);
            const int stones =
                idx >= 0 && idx < static_cast<int>(NodeStones.size()) ? NodeStones[idx] : 0;
            if (move == 0) return stones == 0 ? std::pair{branch, k} : std::pair{0, 0};
            if (moves < move && moves + stones >= move) return {branch, k};
            moves += stones;
        }
    }
    return {0, 0};
}

bool TreeModel::introductionFirst() const {
    if (BranchCount < 1) return false;
    const int idx = NodeIndex(1, 1);
    return idx >= 0 && idx < static_cast<int>(NodeStones.size()) && NodeStones[idx] == 0;
}

int TreeModel::movesThrough(int b, int k) const {
    const std::vector<int> nodes = lineNodes(b);
    const int upTo = static_cast<int>(nodes.size()) - (BranchNodeCount[b] - k);
    int moves = 0;
    for (int i = 0; i < upTo && i < static_cast<int>(nodes.size()); ++i) {
        const int idx = nodes[i];
        if (idx >= 0 && idx < static_cast<int>(NodeStones.size())) moves += NodeStones[idx];
    }
    return moves;
}

std::vector<std::string> TreeModel::lineComments(int b) const {
    std::vector<std::string> out(1);
    int moves = 0;
    for (int idx : lineNodes(b)) {
        if (idx < 0 || idx >= static_cast<int>(NodeStones.size())) continue;
        moves += NodeStones[idx];
        if (static_cast<int>(out.size()) <= moves) out.resize(moves + 1);
        out[moves] += NodeComments[idx];
    }
    return out;
}

void TreeModel::AssignRows() {
    const int n = BranchCount;
    if (n >= 1) BranchRow[1] = 1;
    if (n >= 2) BranchRow[2] = 2;
    // Deepest end of every subtree: children come after their parent, so one backward pass.
    std::vector<int> subEnd(n + 1, 0);
    int maxDepth = 1;
    for (int b = 1; b <= n; ++b) {
        subEnd[b] = endDepth(b);
        maxDepth = std::max({maxDepth, subEnd[b], BranchStart[b]});
    }
    for (int q = n; q >= 3; --q) {
        const int par = parent_[q];
        if (par >= 2) subEnd[par] = std::max(subEnd[par], subEnd[q]);
    }
    PrefixMax placed(maxDepth + 1);  // rows of the branches placed so far, keyed by start
    int limit = n >= 1 ? endDepth(1) : 0;
    for (int p = 2; p <= n; ++p) {
        int first = 2;
        if (p != 2 && subEnd[p] >= limit) first = 1 + std::max(2, placed.upTo(subEnd[p]));
        for (int j = 0; j <= descendants_[p]; ++j) BranchRow[p + j] = first + j;
        placed.raise(BranchStart[p], BranchRow[p]);
        limit = std::min(limit, BranchStart[p]);
    }
}

int TreeModel::BranchAt(int row, int depth) const {
    for (int b = BranchCount; b >= 1; --b)
        if (BranchRow[b] == row && BranchStart[b] <= depth && depth <= endDepth(b)) return b;
    return 0;
}

NodeHit TreeModel::PointToNode(int x, int y) const {
    NodeHit h;
    const int row = nearest(static_cast<double>(y) / kNodePitch);
    h.column = nearest(static_cast<double>(x) / kNodePitch);
    h.branch = BranchAt(row, h.column - 1);
    const int start = h.branch ? BranchStart[h.branch] : 0;
    h.node = nearest(static_cast<double>(x - kNodePitch * start) / kNodePitch);
    const int end = h.branch ? start + BranchNodeCount[h.branch] : 0;
    h.hit = end > 0 && h.column <= end;
    return h;
}

NodeRef TreeModel::stepFrom(int b, int k, TreeStep step) const {
    if (b < 1 || b > BranchCount || k < 1 || k > BranchNodeCount[b]) return {};
    switch (step) {
        case TreeStep::Previous: {
            if (k > 1) return {b, k - 1};
            if (b == 1) return {};
            // The first node of a branch follows the fork node of its parent's line.
            const int parent = ParentBranch(b);
            const int fork = BranchStart[b] - BranchStart[parent];
            if (fork < 1 || fork > BranchNodeCount[parent]) return {};
            return {parent, fork};
        }
        case TreeStep::Next:
            if (k < BranchNodeCount[b]) return {b, k + 1};
            return {};
        case TreeStep::Up:
        case TreeStep::Down: {
            const int depth = BranchStart[b] + k - 1;
            const int last = rowCount();
            const int dir = step == TreeStep::Up ? -1 : 1;
            for (int row = BranchRow[b] + dir; row >= 1 && row <= last; row += dir)
                if (const int c = BranchAt(row, depth)) return {c, depth - BranchStart[c] + 1};
            return {};
        }
    }
    return {};
}

Connector TreeModel::TateLine(int dl) const {
    const int a = BranchAbove(dl);
    return {kNodePitch * (BranchStart[dl] + 1), kNodePitch * (a ? BranchRow[a] : 0) + kNodeSize / 2,
            kNodePitch * BranchRow[dl] - kNodeSize / 2};
}

int TreeModel::treeWidth() const {
    int deepest = 0;
    for (int b = 1; b <= BranchCount; ++b) deepest = std::max(deepest, endDepth(b));
    return std::max(deepest, 30) * kNodePitch + 2000;
}

int TreeModel::rowCount() const {
    int rows = 0;
    for (int b = 1; b <= BranchCount; ++b) rows = std::max(rows, BranchRow[b]);
    return rows;
}

}  // namespace kelmaz
