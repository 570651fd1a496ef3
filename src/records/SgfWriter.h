#pragma once
// The SGF text of the linear move record: the document takes a record read from another format
// (UGF, Tki, an applet page) through it.
#include <string>
#include <string_view>
#include <vector>

#include "engine/GameState.h"

namespace kelmaz {

inline constexpr std::string_view kApplicationName = "KelMaz clone";
inline constexpr std::string_view kWriteErrorMessage = "ファイルの書き込みでエラーが発生しました。";

// "B[pd]" or "W[dp]"; a move whose column or row has no SGF letter (outside 1..19, as passes
// are stored) is the pass "B[]" / "W[]".
std::string sgfMoveToken(int colour, int col, int row);

// The value a root property is written with when its field is empty: GM, FF and SZ (the board's
// size), which other programs need; empty for every other field.
std::string defaultRootValue(InfoField field, int boardSize);

// The lines of the file, one item per line: "(;", the game-information lines, the commentary
// and marks of the empty board, one line per move with a line for its commentary and one per
// kind of mark it carries (LB, TR, CR, SQ, MA), ")". Every move of the
// record (up to its end marker, wherever the board stands) is written as played: turned back
// when the board is shown turned. The CA line
// carries `charset` instead of the CA field when `charset` is not empty.
std::vector<std::string> sgfRecordLines(const GameState& state, std::string_view charset = {});

// The file's bytes: lines ended by CR LF, in the charset the CA field names when every
// character fits in it, else in UTF-8 with CA[UTF-8].
std::string sgfRecordBytes(const GameState& state);

// The lines of sgfRecordLines as one line of text, for the tree window.
std::string sgfRecordText(const GameState& state);

// The name the write command uses: ".sgf" kept in any case, a three-letter extension
// replaced by ".sgf", otherwise ".sgf" appended.
std::string normaliseSgfFileName(std::string_view name);

}  // namespace kelmaz
