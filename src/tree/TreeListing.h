#pragma once
// A plain-text picture of the branch table, for the command-line tool: one line per branch,
// then the text the tree window's rebuild would show.
#include <string>

#include "tree/TreeModel.h"

namespace kelmaz {

// "branch B start S nodes N row R" per branch in branch order, then "text T".
std::string treeListing(const TreeModel& model);

}  // namespace kelmaz
