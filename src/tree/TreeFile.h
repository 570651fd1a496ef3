#pragma once
// Writing the tree text (GameState::SgfText) to a file, one node per line, and reading a file's
// tree for the tree window. The file window's write command uses the writer instead of its own
// whenever SgfText is not empty.
#include <optional>
#include <string>
#include <string_view>

#include "engine/GameState.h"

namespace kelmaz {

// The game tree of the record file at path, as the tree window loads it: the file's lines
// joined, anything before the first tree and after the last one dropped. Nothing when the file
// cannot be read; the game on the board is not touched.
std::optional<std::string> treeTextOfFile(const std::string& path);

// The text as written: a root node with the game information (state.Info) ahead of the tree
// when the text's first node holds none of it, and the charset the file will be in declared
// in the root node's CA property.
std::string treeTextForFile(const GameState& state, std::string_view charset);

// The file's bytes: one node per line (the text before the first node on the first line), lines
// ended by CR LF, in the charset the root node's CA names when every character fits, else in
// UTF-8 with CA[UTF-8].
std::string treeFileBytes(const GameState& state);

// Writes the tree to path through a temporary file renamed into place, so that a failure keeps
// the old file. False on failure; the caller then shows the write error message.
bool WriteSgfdata(const GameState& state, const std::string& path);

// True when the record that writeRecordFile would write holds text read with bytes its charset
// could not decode (shown as U+FFFD): written, the original characters would be lost for good,
// so the windows ask before they write it.
bool recordHoldsUndecodedText(const GameState& state, std::string_view commentary);

// The file window's write: the tree text when there is one, else the move record with
// `commentary` (the commentary box) stored as the comment of the current position first.
bool writeRecordFile(GameState& state, const std::string& commentary, const std::string& path);

}  // namespace kelmaz
