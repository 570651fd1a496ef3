#pragma once
// Editing the branch table and turning it back into SGF text: inserting a recorded or empty
// branch, deleting a branch with its descendants, rebuilding the text from the table, and writing
// a node's comment into the text.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/GameState.h"
#include "tree/TreeModel.h"

namespace kelmaz {

// Inserts text as an alternative to node k of branch b; returns the new branch's number, or 0
// when nothing was inserted (empty text, no such branch).
int InsertBranch(TreeModel& model, int b, int k, const std::string& text);

// Deletes branch b (b >= 2) and its descendants; false for the main line or no such branch.
bool DeleteBranch(TreeModel& model, int b);

// One SGF text for the whole table ("(" + main line with its variations + ")"), or nothing
// when the table is empty. Sibling variations follow the parent's continuation in branch order.
std::optional<std::string> RebuildSgfText(const TreeModel& model);

// Which nodes of the text the node index counts: every node, or only those a reduced view
// shows (a table built from the reduced text of a fuller one).
enum class NodeCounting { AllNodes, StoneNodes };

// text with the comment of node nodeIndex (1-based) replaced by comment, trimmed and escaped;
// an empty comment removes the node's comment. Unchanged when the node does not exist.
std::string WriteCommentIntoText(std::string_view text, int nodeIndex, std::string_view comment,
                                 NodeCounting counting = NodeCounting::AllNodes);

// The node text of a branch recorded on the board: moves fromMove..lastMove of the record, each
// followed by its comment (comments[j] belongs to the j-th recorded move).
std::string recordedBranchText(const GameState& state, int fromMove, int lastMove,
                               const std::vector<std::string>& comments);

}  // namespace kelmaz
