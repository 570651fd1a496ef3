#pragma once
// Marks a record puts on points of the board for one move: labels with their text, and
// triangles, circles, squares and crosses. A move's marks come from the SGF properties LB, TR,
// CR, SQ and MA of its node; point lists may be compressed ("aa:cc", a rectangle given by two
// opposite corners in either order). Points are kept as the move record keeps them: column and
// row, 1-based from the top left.
#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz {

enum class MarkKind : std::uint8_t { Label, Triangle, Circle, Square, Cross };
inline constexpr int kMarkKinds = 5;

struct Mark {
    MarkKind kind = MarkKind::Label;
    std::int16_t col = 0, row = 0;
    std::string text;  // a label's text; empty for the other kinds
    bool operator==(const Mark&) const = default;
};

using Markup = std::vector<Mark>;

// The kind an SGF property names (LB, TR, CR, SQ, MA); nothing for any other property.
std::optional<MarkKind> markKindOf(std::string_view property);
// The SGF property of a kind ("LB", "TR", ...).
std::string_view markPropertyName(MarkKind kind);
// The word kelmaz-cli prints for a kind ("label", "triangle", ...).
std::string_view markKindWord(MarkKind kind);

// Collects the marks of one move. Each point takes at most one mark of each kind (the first
// one given); what a value cannot say correctly is skipped and the rest kept: a point that is
// not two letters a..s, a label without ":" or with an empty text, a rectangle with a corner
// off the board.
class MarkupBuilder {
  public:
    // One value of a markup property, already unescaped: "dd", "aa:cc" or, for a label,
    // "dd:text" (line breaks in the text become blanks).
    void addValue(MarkKind kind, std::string_view value);
    void add(const Mark& mark);
    bool empty() const { return marks_.empty(); }
    Markup take();

  private:
    Markup marks_;
    std::array<std::bitset<19 * 19>, kMarkKinds> seen_{};
};

// The SGF point "dd" of a column and row in 1..19.
std::string sgfPointText(int col, int row);

}  // namespace kelmaz
