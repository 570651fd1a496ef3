#pragma once
// The sample trees of the tree window's sample list: comments, deep and wide variations,
// blanks between groups and one very long branch.
#include <string>
#include <vector>

namespace kelmaz {

const std::vector<std::string>& treeSamples();

}  // namespace kelmaz
