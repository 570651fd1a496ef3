#pragma once
// Reading an SGF record into the program. The file window hands the decoded lines of a file
// it has recognised as SGF (GameState::LstRead) to `sgf`, which builds the tree text, the
// property outline List3, the game information and the main line of the move record.
#include <string>
#include <string_view>

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
// (setup stones one per move, then moves and passes) into MoveRecord / MoveCount, hands the
// tree text to the tree window (tree.showFileTree) and leaves that unreduced text in
// state.SgfText. Does not replay the board: the caller runs Redraw(1, MoveCount) after it.
// Pass a default-constructed TreeLink where no tree window exists (command-line tool).
SgfReadResult sgf(GameState& state, TreeLink& tree);

}  // namespace kelmaz
