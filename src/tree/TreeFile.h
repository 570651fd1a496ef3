#pragma once
// Writing the tree text (GameState::SgfText) to a file, one node per line. The file window's
// write command uses this instead of its own writer whenever SgfText is not empty.
#include <string>
#include <string_view>

#include "engine/GameState.h"

namespace kelmaz {

inline constexpr std::string_view kTreeWriteErrorMessage =
    "ファイルの書き込みでエラーが発生しました。";

// Writes state.SgfText to path (through a temporary file renamed into place, so a failure
// keeps the old file). A root node with the game information (state.Info) is written ahead of
// the tree when the text's first node holds none of it. Returns false on failure; the caller
// then shows kTreeWriteErrorMessage.
bool WriteSgfdata(const GameState& state, const std::string& path);

}  // namespace kelmaz
