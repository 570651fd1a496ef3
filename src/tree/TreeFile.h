#pragma once
// Reading a file's tree for the tree window, and the check the windows make before they write
// a record.
#include <optional>
#include <string>
#include <string_view>

#include "engine/GameState.h"

namespace kelmaz {

// The game tree of the record file at path, as the tree window loads it: the file's lines
// joined, anything before the first tree and after the last one dropped. Nothing when the file
// cannot be read; the game on the board is not touched.
std::optional<std::string> treeTextOfFile(const std::string& path);

// True when the record the board holds (its tree text, else its move record with
// `commentary`, the commentary box) holds text read with bytes its charset could not decode
// (shown as U+FFFD): written, the original characters would be lost for good, so the windows
// ask before they write it.
bool recordHoldsUndecodedText(const GameState& state, std::string_view commentary);

}  // namespace kelmaz
