#pragma once
// Outline lines (List3) written the way the tree reader writes them, for the viewer's tests.
#include <string>
#include <vector>

namespace kelmaz::test {

inline std::string pad3(int v) {
    std::string s = std::to_string(v);
    return std::string(s.size() < 3 ? 3 - s.size() : 0, ' ') + s;
}
// A "--" line opening branch `counter`, written at the depth before its groups open.
inline std::string sep(int counter, int depth) { return pad3(counter) + "------- " + pad3(depth); }
// A property item at nesting level `level`.
inline std::string item(int level, const std::string& text) { return pad3(level) + text; }

// The game whose outline kBranchingTree is.
inline constexpr const char* kBranchingTreeSgf =
    "(;GM[1]C[root];B[aa]C[first];W[bb](;B[cc];W[dd](;B[ee])(;B[ff]C[alt]))(;B[gg];W[hh]))";
inline const std::vector<std::string> kBranchingTree = {
    sep(1, 0),           item(0, "GM[1]"),  item(0, "C[root]"), item(0, ";B[aa]"),
    item(0, "C[first]"), item(0, ";W[bb]"), sep(2, 0),          item(1, ";B[cc]"),
    item(1, ";W[dd]"),   sep(3, 1),         item(2, ";B[ee]"),  sep(4, 2),
    item(2, ";B[ff]"),   item(2, "C[alt]"), sep(5, 2),          item(1, ";B[gg]"),
    item(1, ";W[hh]"),
};

// A game whose variations nest `depth` deep: each one forks again after its first move.
inline std::string nestedVariations(int depth) {
    std::string sgf = "(;B[aa]";
    for (int level = 1; level <= depth; ++level) sgf += "(;W[bb]";
    for (int level = 1; level <= depth; ++level) sgf += ")(;W[cc])";
    return sgf + ")";
}

}  // namespace kelmaz::test
