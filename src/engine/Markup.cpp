#include "engine/Markup.h"

#include <algorithm>
#include <utility>

namespace kelmaz {

namespace {

constexpr int kLetters = 19;  // "a".."s", the largest board

constexpr std::array<std::string_view, kMarkKinds> kPropertyNames{"LB", "TR", "CR", "SQ", "MA"};
constexpr std::array<std::string_view, kMarkKinds> kKindWords{"label", "triangle", "circle",
                                                              "square", "cross"};

// 1..19 for "a".."s", 0 for anything else (upper-case letters name lines 27 and beyond).
int coordinate(char c) { return c >= 'a' && c < 'a' + kLetters ? c - 'a' + 1 : 0; }

std::optional<std::pair<int, int>> point(std::string_view text) {
    if (text.size() != 2) return std::nullopt;
    const int col = coordinate(text[0]), row = coordinate(text[1]);
    if (col == 0 || row == 0) return std::nullopt;
    return std::pair{col, row};
}

// A label's text on one line: the line breaks a value may hold become blanks.
std::string oneLineText(std::string_view text) {
    std::string out(text);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
    return out;
}

}  // namespace

std::optional<MarkKind> markKindOf(std::string_view property) {
    for (int k = 0; k < kMarkKinds; ++k)
        if (kPropertyNames[k] == property) return static_cast<MarkKind>(k);
    return std::nullopt;
}

std::string_view markPropertyName(MarkKind kind) { return kPropertyNames[int(kind)]; }

std::string_view markKindWord(MarkKind kind) { return kKindWords[int(kind)]; }

void MarkupBuilder::add(const Mark& mark) {
    if (mark.col < 1 || mark.col > kLetters || mark.row < 1 || mark.row > kLetters) return;
    std::bitset<kLetters* kLetters>& seen = seen_[int(mark.kind)];
    const std::size_t at = std::size_t((mark.col - 1) * kLetters + mark.row - 1);
    if (seen.test(at)) return;
    seen.set(at);
    marks_.push_back(mark);
}

void MarkupBuilder::addValue(MarkKind kind, std::string_view value) {
    if (kind == MarkKind::Label) {
        if (value.size() < 3 || value[2] != ':') return;
        const auto at = point(value.substr(0, 2));
        const std::string text = oneLineText(value.substr(3));
        if (!at || text.find_first_not_of(' ') == std::string::npos) return;
        add({kind, std::int16_t(at->first), std::int16_t(at->second), text});
        return;
    }
    if (const auto at = point(value)) {
        add({kind, std::int16_t(at->first), std::int16_t(at->second), {}});
        return;
    }
    if (value.size() != 5 || value[2] != ':') return;
    const auto a = point(value.substr(0, 2)), b = point(value.substr(3, 2));
    if (!a || !b) return;
    const auto [c1, c2] = std::minmax(a->first, b->first);
    const auto [r1, r2] = std::minmax(a->second, b->second);
    for (int row = r1; row <= r2; ++row)
        for (int col = c1; col <= c2; ++col) add({kind, std::int16_t(col), std::int16_t(row), {}});
}

Markup MarkupBuilder::take() {
    seen_ = {};
    return std::exchange(marks_, {});
}

std::string sgfPointText(int col, int row) { return {char('a' + col - 1), char('a' + row - 1)}; }

}  // namespace kelmaz
