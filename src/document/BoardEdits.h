#pragma once
// The edit palette's commands on the node the document shows: setup stones (AB, AW, AE),
// marks (TR, CR, SQ, MA), labels (LB, the next free letter or number) and the player to move
// (PL). Each click, and each drag along several points, is one edit of the document, so one
// undo takes it back.
//
// Setup and PL never share a node with a move: at a node that holds one, they go into a new
// node right after it, which takes over the move's continuations. A setup edit that would put
// a later move of any variation on a stone is refused with a message.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/RecordDocument.h"

namespace kelmaz {

enum class EditTool {
    BlackStone,  // 黒石: AB
    WhiteStone,  // 白石: AW
    EmptyPoint,  // 石を消す: AE, or a setup stone of the node taken away
    Triangle,    // TR
    Circle,      // CR
    Square,      // SQ
    Cross,       // MA
    Letter,      // LB with the next free letter A, B, ...
    Number,      // LB with the next free number 1, 2, ...
    EraseMarks,  // every mark and label on the point
};

// The start of the message for a setup edit refused because a later move would land on a
// stone; the move's number and the rest follow.
inline constexpr std::string_view kSetupBlocksMoveMessage = "この配置では後の";

struct EditOutcome {
    bool changed = false;
    std::string message;  // why nothing changed, when the user must be told
};

// One click or drag of a tool. The first point decides whether the stroke puts the tool's
// stone or mark down or takes it away (a click on a point that already holds it); every
// further point crossed does the same, and the whole stroke stays one edit: each point joins
// the stroke's step of the document's history, so a drag costs one point's work per point.
class EditStroke {
  public:
    EditStroke(RecordDocument& document, EditTool tool);
    EditOutcome add(int col, int row);

  private:
    // Applies the tool at one point of `node`; on a refusal the node is left as it was.
    bool apply(GameTree& game, int node, int col, int row, std::string& message);

    RecordDocument& document_;
    EditTool tool_;
    LinePosition start_;
    int node_ = -1;    // the node the stroke edits, once a point of it changed the record
    std::string run_;  // names the stroke's step in the document's history
    std::vector<std::pair<int, int>> points_;
    std::optional<bool> removing_;
    // The later moves that already landed on a stone before the stroke (a damaged record).
    std::optional<std::vector<int>> blockedBefore_;
    std::uint64_t revisionAfter_ = 0;  // the document's revision right after the stroke's edit
};

// 手番: the other player moves next at the node shown (PL), as one edit; PL is dropped again
// where the record would give that player the move anyway.
EditOutcome switchPlayerToMove(RecordDocument& document);

}  // namespace kelmaz
