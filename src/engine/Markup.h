#pragma once
// Marks a record puts on points of the board for one move: labels with their text, and
// triangles, circles, squares and crosses. A move's marks come from the SGF properties LB, TR,
// CR, SQ and MA of its node; point lists may be compressed ("aa:cc", a rectangle given by two
// opposite corners in either order). Points are kept as the move record keeps them: column and
// row, 1-based from the top left.
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelmaz {

enum class MarkKind : std::uint8_t { Label, Triangle, Circle, Square, Cross };
inline constexpr int kMarkKinds = 5;

// One mark as it is given to a Markup.
struct Mark {
    MarkKind kind = MarkKind::Label;
    std::int16_t col = 0, row = 0;
    std::string text;  // a label's text; empty for the other kinds
    bool operator==(const Mark&) const = default;
};

// One mark as a Markup holds it: a label's text is seen in place, not copied.
struct MarkView {
    MarkKind kind = MarkKind::Label;
    std::int16_t col = 0, row = 0;
    std::string_view text;
    operator Mark() const { return {kind, col, row, std::string(text)}; }
};

// The points of the largest board (19 lines), one bit each.
class PointSet {
  public:
    static constexpr int kPoints = 19 * 19;
    // The bit of a point, column by column: "aa", "ab", ... in the order of SGF's letters.
    static int indexOf(int col, int row) { return (col - 1) * 19 + (row - 1); }
    bool test(int at) const { return words_[at / 64] >> (at % 64) & 1; }
    void set(int at) { words_[at / 64] |= std::uint64_t(1) << (at % 64); }
    // The first point at or after `from` in the set, kPoints when there is none.
    int next(int from) const;
    int count() const;
    bool operator==(const PointSet&) const = default;

  private:
    std::array<std::uint64_t, (kPoints + 63) / 64> words_{};
};

// The marks of one move or node, kept compactly: one bit per point for each shape, and the
// labels with their texts. Marks without any hold nothing at all, and copies share what they
// hold until one of them changes, so a record of thousands of marked nodes costs a few hundred
// bytes a node, and handing a move's marks around never copies a long label.
//
// Each point takes at most one mark of each kind (the first one given). Marks come out kind by
// kind (labels, triangles, circles, squares, crosses); labels in the order given, the shapes
// point by point in the order of SGF's letters.
class Markup {
  public:
    class const_iterator;

    Markup() = default;
    Markup(std::initializer_list<Mark> marks);

    // False when the point lies off a 19-line board or already has a mark of that kind.
    bool add(const Mark& mark);
    void addAll(const Markup& other);
    bool empty() const { return !data_; }
    std::size_t size() const;
    void clear() { data_.reset(); }
    // The marks that lie on a board of `lines` lines.
    Markup within(int lines) const;
    // The marks turned half round on a board of `lines` lines; points off that board stay.
    Markup turned(int lines) const;
    bool operator==(const Markup& other) const;

    const_iterator begin() const;
    const_iterator end() const;

  private:
    struct Label {
        std::int16_t col = 0, row = 0;
        std::string text;
        bool operator==(const Label&) const = default;
    };
    struct Data {
        std::array<PointSet, kMarkKinds> points;  // by kind; for labels, the points labelled
        std::vector<Label> labels;
    };
    Data& edit();

    std::shared_ptr<Data> data_;
};

class Markup::const_iterator {
  public:
    using value_type = MarkView;
    using reference = MarkView;
    using difference_type = std::ptrdiff_t;
    using iterator_category = std::forward_iterator_tag;

    const_iterator() = default;
    MarkView operator*() const;
    const_iterator& operator++();
    const_iterator operator++(int) {
        const_iterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const const_iterator& other) const {
        return kind_ == other.kind_ && at_ == other.at_;
    }

  private:
    friend class Markup;
    const_iterator(const Data* data, int kind, int at) : data_(data), kind_(kind), at_(at) {
        settle();
    }
    // Moves on to the next mark when the position holds none; the end is kind kMarkKinds.
    void settle();

    const Data* data_ = nullptr;
    int kind_ = kMarkKinds, at_ = 0;
};

// The kind an SGF property names (LB, TR, CR, SQ, MA); nothing for any other property.
std::optional<MarkKind> markKindOf(std::string_view property);
// The SGF property of a kind ("LB", "TR", ...).
std::string_view markPropertyName(MarkKind kind);
// The word kelmaz-cli prints for a kind ("label", "triangle", ...).
std::string_view markKindWord(MarkKind kind);

// Collects the marks of one move. What a value cannot say correctly is skipped and the rest
// kept: a point that is not two letters a..s, a label without ":" or with an empty text, a
// rectangle with a corner off the board.
class MarkupBuilder {
  public:
    // One value of a markup property, already unescaped: "dd", "aa:cc" or, for a label,
    // "dd:text" (line breaks in the text become blanks).
    void addValue(MarkKind kind, std::string_view value);
    bool empty() const { return marks_.empty(); }
    Markup take() { return std::exchange(marks_, {}); }

  private:
    Markup marks_;
};

// The part of a label's text drawn on its point: its first few characters, all that a point can
// show. The record keeps the whole text all the same.
std::string_view labelShownText(std::string_view text);

// The SGF point "dd" of a column and row in 1..19.
std::string sgfPointText(int col, int row);

}  // namespace kelmaz
