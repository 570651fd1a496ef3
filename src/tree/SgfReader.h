#pragma once
// Reading an SGF record into the program. The file window hands the decoded lines of a file
// it has recognised as SGF (GameState::LstRead) to `sgf`, which builds the tree text, the
// property outline List3, the game information and the main line of the move record.
#include <string>
#include <string_view>
#include <vector>

#include "engine/EngineHost.h"
#include "engine/GameState.h"

namespace kelmaz {

// Shown when the game information cannot be taken from the outline.
inline constexpr std::string_view kSgfUnreadableMessage = "このフォーマットは読み込めません。";
// Shown when the record is cut short (more moves than the record holds).
inline constexpr std::string_view kSgfParseErrorMessage =
    "フォーマットの解析過程でエラーが発生しました。";

struct SgfReadResult {
    bool ok = true;
    // Text of the OK message box to show when !ok; what was read before the fault stays in
    // the record and the game information.
    std::string message;
};

// Reads the SGF lines of state.LstRead: fills List3 and state.Info, loads the main line
// (setup stones one per move, then moves and passes, with their comments and marks) into
// MoveRecord / MoveCount, leaves the
// unreduced tree text in state.SgfText and hands it to the tree window (tree.showFileTree),
// which may empty SgfText again when the user declines a faulty tree. Does not replay the
// board: the caller runs Redraw(1, MoveCount) after it.
// Pass a default-constructed TreeLink where no tree window exists (command-line tool).
SgfReadResult sgf(GameState& state, TreeLink& tree);

// The steps of sgf, each usable alone.
// The game tree of a file's lines: from the first "(;" to the ")" that closes the last tree,
// line breaks dropped except inside values (a file cut short gets its groups closed).
std::string joinSgfLines(const std::vector<std::string>& lines);
// Every setup stone (AB, AW) becomes a node of its own: «AB[dd][pp]» -> «;AB[dd];AB[pp]».
std::string splitSetupStones(std::string_view text);
// The property outline for List3: one item per value, with depth and branch separators.
std::vector<std::string> propertyOutline(std::string_view text);
// Fills the game information from List3 (and sets MoveCount to 0).
void Dataset(GameState& state);
// Loads a move string into MoveRecord / MoveCount; false when it holds more moves than the
// record (the first 500 are loaded).
bool GetTejun(GameState& state, std::string_view ss);

}  // namespace kelmaz
