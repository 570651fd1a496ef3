#include "engine/Markup.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "engine/GameState.h"

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

int PointSet::next(int from) const {
    for (int w = from / 64; w < int(words_.size()); ++w) {
        std::uint64_t bits = words_[w];
        if (w == from / 64) bits &= ~std::uint64_t(0) << (from % 64);
        if (bits != 0) return std::min(kPoints, w * 64 + std::countr_zero(bits));
    }
    return kPoints;
}

int PointSet::count() const {
    int n = 0;
    for (std::uint64_t w : words_) n += std::popcount(w);
    return n;
}

Markup::Markup(std::initializer_list<Mark> marks) {
    for (const Mark& mark : marks) add(mark);
}

Markup::Data& Markup::edit() {
    if (!data_)
        data_ = std::make_shared<Data>();
    else if (data_.use_count() > 1)
        data_ = std::make_shared<Data>(*data_);
    return *data_;
}

bool Markup::add(const Mark& mark) {
    if (mark.col < 1 || mark.col > kLetters || mark.row < 1 || mark.row > kLetters) return false;
    const int at = PointSet::indexOf(mark.col, mark.row);
    const int kind = int(mark.kind);
    if (data_ && data_->points[kind].test(at)) return false;
    Data& data = edit();
    data.points[kind].set(at);
    if (mark.kind == MarkKind::Label) data.labels.push_back({mark.col, mark.row, mark.text});
    return true;
}

void Markup::addAll(const Markup& other) {
    if (other.empty()) return;
    if (empty()) {
        data_ = other.data_;
        return;
    }
    for (const MarkView mark : other) add(mark);
}

std::size_t Markup::size() const {
    if (!data_) return 0;
    std::size_t n = 0;
    for (const PointSet& points : data_->points) n += std::size_t(points.count());
    return n;
}

Markup Markup::within(int lines) const {
    const auto outside = [lines](const MarkView& m) { return m.col > lines || m.row > lines; };
    if (lines >= kLetters || std::none_of(begin(), end(), outside)) return *this;
    Markup kept;
    for (const MarkView mark : *this)
        if (!outside(mark)) kept.add(mark);
    return kept;
}

Markup Markup::turned(int lines) const {
    Markup out;
    for (Mark mark : *this) {
        turnPoint(lines, mark.col, mark.row);
        out.add(mark);
    }
    return out;
}

bool Markup::operator==(const Markup& other) const {
    if (data_ == other.data_) return true;
    if (!data_ || !other.data_) return false;
    return data_->points == other.data_->points && data_->labels == other.data_->labels;
}

Markup::const_iterator Markup::begin() const {
    return data_ ? const_iterator(data_.get(), 0, 0) : end();
}

Markup::const_iterator Markup::end() const { return {}; }

MarkView Markup::const_iterator::operator*() const {
    const auto kind = static_cast<MarkKind>(kind_);
    if (kind == MarkKind::Label) {
        const Label& label = data_->labels[std::size_t(at_)];
        return {kind, label.col, label.row, label.text};
    }
    return {kind, std::int16_t(at_ / kLetters + 1), std::int16_t(at_ % kLetters + 1), {}};
}

Markup::const_iterator& Markup::const_iterator::operator++() {
    ++at_;
    settle();
    return *this;
}

void Markup::const_iterator::settle() {
    for (; kind_ < kMarkKinds; ++kind_, at_ = 0) {
        if (kind_ == int(MarkKind::Label)) {
            if (std::size_t(at_) < data_->labels.size()) return;
            continue;
        }
        at_ = data_->points[std::size_t(kind_)].next(at_);
        if (at_ < PointSet::kPoints) return;
    }
    *this = {};
}

std::optional<MarkKind> markKindOf(std::string_view property) {
    for (int k = 0; k < kMarkKinds; ++k)
        if (kPropertyNames[k] == property) return static_cast<MarkKind>(k);
    return std::nullopt;
}

std::string_view markPropertyName(MarkKind kind) { return kPropertyNames[int(kind)]; }

std::string_view markKindWord(MarkKind kind) { return kKindWords[int(kind)]; }

void MarkupBuilder::addValue(MarkKind kind, std::string_view value) {
    if (kind == MarkKind::Label) {
        if (value.size() < 3 || value[2] != ':') return;
        const auto at = point(value.substr(0, 2));
        const std::string text = oneLineText(value.substr(3));
        if (!at || text.find_first_not_of(' ') == std::string::npos) return;
        marks_.add({kind, std::int16_t(at->first), std::int16_t(at->second), text});
        return;
    }
    if (const auto at = point(value)) {
        marks_.add({kind, std::int16_t(at->first), std::int16_t(at->second), {}});
        return;
    }
    if (value.size() != 5 || value[2] != ':') return;
    const auto a = point(value.substr(0, 2)), b = point(value.substr(3, 2));
    if (!a || !b) return;
    const auto [c1, c2] = std::minmax(a->first, b->first);
    const auto [r1, r2] = std::minmax(a->second, b->second);
    for (int row = r1; row <= r2; ++row)
        for (int col = c1; col <= c2; ++col)
            marks_.add({kind, std::int16_t(col), std::int16_t(row), {}});
}

std::string_view labelShownText(std::string_view text) {
    constexpr int kShownCharacters = 4;
    int characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && ++characters > kShownCharacters) return text.substr(0, i);
    }
    return text;
}

std::string sgfPointText(int col, int row) { return {char('a' + col - 1), char('a' + row - 1)}; }

}  // namespace kelmaz
