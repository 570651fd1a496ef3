#include "tree/TreeEdit.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <queue>

#include "records/SgfEscape.h"
#include "tree/SgfLex.h"

namespace kelmaz {

namespace {

int countNodes(std::string_view text) {
    int n = 0;
    sgfscan::walk(text, [](const sgfscan::ValueRef&) {}, [&](std::size_t, char c) { n += c == ';'; });
    return n;
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

std::string MergeBranchText(const TreeModel& model, int p, int c, const std::string& parentText,
                            const std::string& childText) {
    const int k = model.BranchStart[c] - model.BranchStart[p];
    // head: the parent's text before its (k+1)-th node; tail: the rest.
    std::size_t cut = parentText.size();
    int seen = 0;
    bool found = false;
    sgfscan::walk(
        parentText, [](const sgfscan::ValueRef&) {},
        [&](std::size_t pos, char ch) {
            if (found || ch != ';') return;
            if (seen++ == std::max(k, 0)) {
                cut = pos;
                found = true;
            }
        });
    std::string merged = parentText.substr(0, cut) + "(" + parentText.substr(cut) + ")" + "(" +
                         childText + ")";
    // Flatten one redundant pair: a "((" whose outer group only wraps variations.
    const auto cls = sgfscan::classify(merged);
    auto structural = [&](std::size_t i, char ch) {
        return merged[i] == ch && cls[i] == sgfscan::CharClass::Outside;
    };
    std::optional<std::size_t> open, close;
    long depth = 0;
    for (std::size_t i = 0; i + 1 < merged.size(); ++i) {
        if (structural(i, '(') && structural(i + 1, '(')) {
            open = i;
        } else if (open) {
            if (structural(i, '(')) ++depth;
            if (structural(i, ')')) --depth;
            if (depth < 0) close = i;
        }
    }
    if (close && *close + 1 < merged.size()) merged.erase(*close, 1);
    if (open && *open + 1 < merged.size()) merged.erase(*open, 1);
    return merged;
}

std::optional<std::string> RebuildSgfText(const TreeModel& model) {
    const int n = model.BranchCount;
    if (n == 0) return std::nullopt;
    std::vector<std::string> text(model.BranchText.begin(), model.BranchText.begin() + n + 1);
    // A branch can be merged once all its children are; the lowest such branch goes first.
    std::vector<int> pending(n + 1, 0);
    for (int d = 2; d <= n; ++d) ++pending[model.ParentBranch(d)];
    std::priority_queue<int, std::vector<int>, std::greater<int>> ready;
    for (int d = 2; d <= n; ++d)
        if (pending[d] == 0) ready.push(d);
    while (!ready.empty()) {
        const int d = ready.top();
        ready.pop();
        const int p = model.ParentBranch(d);
        text[p] = MergeBranchText(model, p, d, text[p], text[d]);
        std::string().swap(text[d]);
        if (--pending[p] == 0 && p != 1) ready.push(p);
    }
    return "(" + text[1] + ")";
}

std::string WriteCommentIntoText(std::string_view text, int nodeIndex, std::string_view comment,
                                 NodeCounting counting) {
    // Node spans (from ";" to the next structural character) with their stone flag and the
    // spans of their comment properties (name start to closing "]").
    struct Span {
        std::size_t from = 0, to = 0;
        bool stone = false;
        std::vector<std::pair<std::size_t, std::size_t>> comments;
    };
    std::vector<Span> nodes;
    bool inNode = false;
    sgfscan::walk(
        text,
        [&](const sgfscan::ValueRef& v) {
            if (!inNode) return;
            Span& s = nodes.back();
            if (sgfscan::isStoneProperty(v.name)) s.stone = true;
            if (v.name == "C" && v.firstOfProperty) {
                std::size_t nameFrom = v.open;
                while (nameFrom > s.from && std::isalpha(static_cast<unsigned char>(text[nameFrom - 1])))
                    --nameFrom;
                s.comments.emplace_back(nameFrom, std::min(v.close + 1, text.size()));
            }
        },
        [&](std::size_t p, char c) {
            if (inNode) nodes.back().to = p;
            inNode = c == ';';
            if (inNode) nodes.push_back({p, text.size(), false, {}});
        });
    const Span* target = nullptr;
    int seen = 0;
    for (const Span& s : nodes) {
        if (counting == NodeCounting::StoneNodes && !s.stone) continue;
        if (++seen == nodeIndex) {
            target = &s;
            break;
        }
    }
    if (!target) return std::string(text);
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
        text += state.MoveColour[i] == kWhite ? ";W[" : ";B[";
        text += static_cast<char>('a' + state.MoveCol[i] - 1);
        text += static_cast<char>('a' + state.MoveRow[i] - 1);
        text += ']';
        const std::size_t j = static_cast<std::size_t>(i - fromMove + 1);
        if (j < comments.size() && !comments[j].empty())
            text += "C[" + escapeSgfValue(comments[j]) + "]";
    }
    return text;
}

}  // namespace kelmaz
