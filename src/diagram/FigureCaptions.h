#pragma once
// The words printed around the figures: each figure's title, its notes, and the header with
// the game information.
#include <string>
#include <vector>

#include "diagram/Figures.h"
#include "engine/GameInfo.h"

namespace kelmaz {

// 「第1譜（1〜100）」 with the game's move numbers, 「第1譜（101）」 for a figure of one move,
// 「第1譜」 for one without moves. `index` counts from 0.
std::string figureTitle(const Figure& figure, std::size_t index);

// How a note is written: printed under a figure ("155＝118", "155＝A", "155 パス"), or as plain
// ASCII for the text output ("155=118", "155=A", "155=pass").
enum class NoteStyle { Printed, Plain };
std::string noteText(const FigureNote& note, NoteStyle style = NoteStyle::Printed);

// One line per piece of game information the record holds, in the order 黒, 白, 日付, 結果,
// 棋戦, コミ, 置石: "黒　name rank", "結果　白中押し勝ち", ...
std::vector<std::string> gameHeaderLines(const GameInfo& info);

}  // namespace kelmaz
