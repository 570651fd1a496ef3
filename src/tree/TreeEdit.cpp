#include "tree/TreeEdit.h"

#include <algorithm>
#include <cctype>

#include "base/SgfEscape.h"
#include "tree/SgfLex.h"
#include "tree/SgfText.h"

namespace kelmaz {

namespace {

int countNodes(std::string_view text) {
    int n = 0;
    sgfscan::walk(
        text, [](const sgfscan::ValueRef&) {}, [&](std::size_t, char c) { n += c == ';'; });
    return n;
}

// Positions of the nodes that follow the given numbers of nodes (ascending) in text: the
// (k+1)-th ";" for each k, or the text's end when there are fewer nodes.
std::vector<std::size_t> nodeStarts(std::string_view text, const std::vector<int>& counts) {
    std::vector<std::size_t> at(counts.size(), text.size());
    std::size_t next = 0;
    int seen = 0;
    sgfscan::walk(
        text, [](const sgfscan::ValueRef&) {},
        [&](std::size_t p, char c) {
            if (c != ';') return;
            while (next < counts.size() && counts[next] == seen) at[next++] = p;
            ++seen;
        });
    return at;
}

template <typename T>
void eraseRange(std::vector<T>& v, int from, int count) {
    v.erase(v.begin() + from, v.begin() + from + count);
}

}  // namespace

int InsertBranch(TreeModel& model, int b, int k, const std::string& text) {
    if (text.empty() || b < 1 || b > model.BranchCount) return 0;
    const int n = countNodes(text);
    const int startDepth = model.BranchStart[b] + k - 1;
    int ins = 2;
    if (model.BranchCount != 1) {
        int skip = 0;
        for (int i = b + 1; i <= model.BranchCount;) {
            if (model.BranchStart[i] <= startDepth) {
                const int d = model.CollectDescendants(i);
                skip += 1 + d;
                i += 1 + d;
            } else {
                ++i;
            }
        }
        ins = model.BranchCount - skip + 1;
    }
    model.BranchText.insert(model.BranchText.begin() + ins, text);
    model.BranchNodeCount.insert(model.BranchNodeCount.begin() + ins, n);
    model.BranchStart.insert(model.BranchStart.begin() + ins, startDepth);
    model.BranchRow.insert(model.BranchRow.begin() + ins, 0);
    ++model.BranchCount;
    model.refresh();
    return ins;
}

bool DeleteBranch(TreeModel& model, int b) {
    if (b < 2 || b > model.BranchCount) return false;
    const int d = model.CollectDescendants(b);
    eraseRange(model.BranchText, b, d + 1);
    eraseRange(model.BranchNodeCount, b, d + 1);
    eraseRange(model.BranchStart, b, d + 1);
    eraseRange(model.BranchRow, b, d + 1);
    model.BranchCount -= d + 1;
    model.refresh();
    return true;
}

std::optional<std::string> RebuildSgfText(const TreeModel& model) {
    const int n = model.BranchCount;
    if (n == 0) return std::nullopt;
    // Every branch is written once: its nodes up to the first fork, then each fork opens a
    // group for the continuation, and after the continuation come the variations that fork
    // there, in branch order. A fork nearer the end of the branch nests inside the
    // continuation of an earlier one.
    struct Child {
        int offset;  // number of the parent's own nodes before the fork
        int branch;
    };
    std::vector<std::vector<Child>> children(n + 1);
    for (int d = 2; d <= n; ++d) {
        const int p = model.ParentBranch(d);
        children[p].push_back({std::max(model.BranchStart[d] - model.BranchStart[p], 0), d});
    }
    // A task writes literal text or a whole branch; the stack runs them in order.
    struct Task {
        std::string_view text;
        int branch = 0;
    };
    std::vector<Task> stack{{{}, 1}};
    std::string out = "(";
    while (!stack.empty()) {
        const Task task = stack.back();
        stack.pop_back();
        if (task.branch == 0) {
            out.append(task.text);
            continue;
        }
        const int p = task.branch;
        const std::string_view text = model.BranchText[p];
        std::vector<Child> kids = children[p];
        std::stable_sort(kids.begin(), kids.end(),
                         [](const Child& a, const Child& b) { return a.offset < b.offset; });
        std::vector<int> forks;  // distinct fork offsets, ascending
        for (const Child& c : kids)
            if (forks.empty() || forks.back() != c.offset) forks.push_back(c.offset);
        const std::vector<std::size_t> at = nodeStarts(text, forks);
        // Emitted order: nodes before fork 0, then for each fork "(" and its nodes up to the
        // next fork; after the last run ")" + its variations, then ")" + the variations of each
        // earlier fork, innermost first.
        std::vector<Task> seq;
        seq.push_back({text.substr(0, forks.empty() ? text.size() : at[0]), 0});
        for (std::size_t f = 0; f < forks.size(); ++f) {
            const std::size_t end = f + 1 < forks.size() ? at[f + 1] : text.size();
            seq.push_back({"(", 0});
            seq.push_back({text.substr(at[f], end - at[f]), 0});
        }
        for (std::size_t f = forks.size(); f-- > 0;) {
            seq.push_back({")", 0});
            for (const Child& c : kids) {
                if (c.offset != forks[f]) continue;
                seq.push_back({"(", 0});
                seq.push_back({{}, c.branch});
                seq.push_back({")", 0});
            }
        }
        for (auto it = seq.rbegin(); it != seq.rend(); ++it) stack.push_back(*it);
    }
    out += ")";
    return out;
}

std::string WriteCommentIntoText(std::string_view text, int nodeIndex, std::string_view comment,
                                 NodeCounting counting) {
    // Node spans (from ";" to the next structural character) with the spans of their comment
    // properties (name start to closing "]").
    struct Span {
        std::size_t from = 0, to = 0;
        std::vector<std::pair<std::size_t, std::size_t>> comments;
    };
    std::vector<Span> nodes;
    bool inNode = false;
    sgfscan::walk(
        text,
        [&](const sgfscan::ValueRef& v) {
            if (!inNode) return;
            Span& s = nodes.back();
            if (v.name == "C" && v.firstOfProperty) {
                std::size_t nameFrom = v.open;
                while (nameFrom > s.from &&
                       std::isalpha(static_cast<unsigned char>(text[nameFrom - 1])))
                    --nameFrom;
                s.comments.emplace_back(nameFrom, std::min(v.close + 1, text.size()));
            }
        },
        [&](std::size_t p, char c) {
            if (inNode) nodes.back().to = p;
            inNode = c == ';';
            if (inNode) nodes.push_back({p, text.size(), {}});
        });
    if (counting == NodeCounting::StoneNodes) {
        const std::vector<int> shown = shownNodeNumbers(text);
        if (nodeIndex < 1 || nodeIndex > static_cast<int>(shown.size())) return std::string(text);
        nodeIndex = shown[static_cast<std::size_t>(nodeIndex - 1)];
    }
    if (nodeIndex < 1 || nodeIndex > static_cast<int>(nodes.size())) return std::string(text);
    const Span* target = &nodes[static_cast<std::size_t>(nodeIndex - 1)];
    const std::string_view trimmed = sgfscan::trim(comment);
    const std::string property = trimmed.empty() ? "" : "C[" + escapeSgfValue(trimmed) + "]";
    std::string out;
    out.reserve(text.size() + property.size());
    if (target->comments.empty()) {
        // After the node's last property, before the blanks that end it.
        std::size_t at = target->to;
        while (at > target->from + 1 && sgfscan::isBlank(text[at - 1])) --at;
        out.append(text.substr(0, at)).append(property).append(text.substr(at));
        return out;
    }
    std::size_t from = 0;
    bool written = false;
    for (const auto& [cs, ce] : target->comments) {
        out.append(text.substr(from, cs - from));
        if (!written) out.append(property);
        written = true;
        from = ce;
    }
    out.append(text.substr(from));
    return out;
}

std::string recordedBranchText(const GameState& state, int fromMove, int lastMove,
                               const std::vector<std::string>& comments) {
    std::string text;
    for (int i = std::max(fromMove, 1); i <= lastMove && i <= kMaxMoves; ++i) {
        // The tree holds the record as played, whichever way the board is turned.
        std::int16_t col = state.MoveCol[i], row = state.MoveRow[i];
        if (state.BoardRotated) turnPoint(state.BoardSize, col, row);
        text += state.MoveColour[i] == kWhite ? ";W[" : ";B[";
        text += static_cast<char>('a' + col - 1);
        text += static_cast<char>('a' + row - 1);
        text += ']';
        const std::size_t j = static_cast<std::size_t>(i - fromMove + 1);
        if (j < comments.size() && !comments[j].empty())
            text += "C[" + escapeSgfValue(comments[j]) + "]";
    }
    return text;
}

}  // namespace kelmaz
