#pragma once
// The marks (LB, TR, CR, SQ, MA) of an SGF tree text, node by node and along a line of the
// tree, in the same node numbering and move attachment as the tree model's comments.
#include <string_view>
#include <vector>

#include "engine/GameState.h"
#include "engine/Markup.h"
#include "tree/TreeModel.h"

namespace kelmaz {

// The marks of every node in text order: index 0 holds what stands before the first node,
// index k the k-th node (as TreeModel::NodeComments counts them).
std::vector<Markup> nodeMarkup(std::string_view text);

// The marks along branch b's line of a model, given the nodeMarkup of the text it was parsed
// from, by move number: each node's marks go with the last stone placed at or before it
// (entry 0: before the first stone).
std::vector<Markup> lineMarkup(const TreeModel& model, const std::vector<Markup>& nodes,
                               int branch);

// Puts lineMarkup into state.MoveMarkup; every slot the line does not reach is emptied.
void loadLineMarkup(GameState& state, const TreeModel& model, const std::vector<Markup>& nodes,
                    int branch);

}  // namespace kelmaz
