#pragma once
// Reading a file's tree for the tree window.
#include <optional>
#include <string>
#include <string_view>

#include "engine/GameState.h"

namespace kelmaz {

// The game tree of the record file at path, as the tree window loads it: the file's lines
// joined, anything before the first tree and after the last one dropped. Nothing when the file
// cannot be read; the game on the board is not touched.
std::optional<std::string> treeTextOfFile(const std::string& path);

}  // namespace kelmaz
