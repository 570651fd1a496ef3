#pragma once
// The SGF text of a file's lines as the tree window and the sequence viewer read it: one game
// tree without line breaks outside values, and its property outline (List3).
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz {

// The game tree of a file's lines: from the first "(;" to the ")" that closes the last tree,
// line breaks dropped except inside values (a file cut short gets its groups closed).
std::string joinSgfLines(const std::vector<std::string>& lines);
// The property outline for List3: one item per value, with depth and branch separators.
std::vector<std::string> propertyOutline(std::string_view text);

}  // namespace kelmaz
