#pragma once
// Reading a record file: its bytes decoded whole and split into lines.
#include <string>
#include <string_view>
#include <vector>

#include "engine/GameState.h"

namespace kelmaz {

inline constexpr std::string_view kReadErrorMessage =
    "ﾌｧｲﾙの読み込みでエラーが発生しました。ファイルが開けません.";
inline constexpr std::string_view kNoDataMessage = "書き込むデーターがありません。";
inline constexpr std::string_view kOverwriteQuestion =
    "すでに同名のﾌｧｲﾙが存在します、上書きしますか?";
inline constexpr std::string_view kUndecodedTextQuestion =
    "この棋譜には読み込みのときに正しく読めなかった文字（�）があります。"
    "このまま保存すると元の文字には戻せません。保存しますか?";

// The lines of a record file's bytes: decoded whole as a record file is, then split.
std::vector<std::string> recordFileLines(std::string_view bytes);

// Reads the whole file, decodes it and puts its lines into state.LstRead. False when the file
// cannot be opened or read (state.LstRead is then left as it was).
bool loadRecordFile(const std::string& path, GameState& state);

// Joins a game-tree opening "(" and its first node marker ";" split across two lines. A tree
// whose first node lacks its ";" (the "(" followed, on its line or the next, by a property such
// as "TE[", as some publishers write their records) gets it, so that node reads as the root.
void joinSplitOpenings(std::vector<std::string>& lines);

}  // namespace kelmaz
