#pragma once
// The line of play a document shows, laid out as the board engine and the windows read it:
// the move record (MoveCol, MoveRow, MoveColour, MoveComment, MoveMarkup), the setup stones of
// each position and the game information of the root. Slot k of the record is the position
// after the k-th move of the line (slot 0: before the first); nodes without a move (setup,
// comments, marks) belong to the slot of the last move before them, so move numbers count
// moves only. The record holds 500 moves: a longer line is shown up to its 500th move and the
// rest stays in the document.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/GameTree.h"
#include "engine/GameState.h"
#include "records/RecordMoves.h"

namespace kelmaz {

// Shown when a line holds more moves than the record: the rest is kept and saved.
inline constexpr std::string_view kLineTooLongMessage =
    "この棋譜は500手を超えています。501手目からは盤に並べられませんが、棋譜には残り、"
    "書き込むときにはすべて書き込まれます。";

struct LineProjection {
    std::vector<int> line;  // every node of the line, root first
    // Where each slot's nodes begin in `line`: the root's, then each move's node; a slot's
    // nodes run to the next slot's first.
    std::vector<std::size_t> slotStarts;
    std::vector<std::vector<SetupStone>> setup;  // by slot: what the slot's nodes set up
    std::vector<int> players;  // by slot: the player the slot's nodes give the move to, or -1
    int moves = 0;             // moves on the whole line, also beyond the record's 500
    int firstMoveNumber = 1;   // the number the first move is shown with (MN)
    int playerToMove = -1;     // PL of the line's first position: kBlack, kWhite, or -1
    std::string message;       // kLineTooLongMessage when the line is cut for the record

    int slotCount() const { return static_cast<int>(slotStarts.size()); }
    // The node that owns slot k: the root for slot 0, else the k-th move's node.
    int slotNode(int k) const { return line[slotStarts[k]]; }
    std::size_t slotEnd(int k) const {
        return k + 1 < slotCount() ? slotStarts[k + 1] : line.size();
    }
};

// The SGF point of a move or setup value ("pd"; upper-case letters read alike); nothing for
// a pass or a value that is not a point of a 19-line board.
std::optional<std::pair<int, int>> sgfPoint(std::string_view value);

// The line through `node` of `game`, slot by slot.
LineProjection projectLine(const GameTree& game, int node);

// Writes the line into the move record of `state` (moves, comments, marks, setup stones;
// everything behind the line emptied).
void showLine(const GameTree& game, const LineProjection& line, GameState& state);

// Writes the moves a line-format reader took into the move record of `state` (up to the
// record's 500 moves; everything behind them emptied), showing the move the reader named.
void showReadMoves(const ReadMoves& read, GameState& state);

// The comment shown for slot `slot`: the comments of the slot's nodes, one per line.
std::string slotComment(const GameTree& game, const LineProjection& line, int slot);

}  // namespace kelmaz
