#include "tree/TreeListing.h"

#include "tree/TreeEdit.h"

namespace kelmaz {

std::string treeListing(const TreeModel& model) {
    std::string out;
    for (int b = 1; b <= model.BranchCount; ++b) {
        out += "branch " + std::to_string(b) + " start " + std::to_string(model.BranchStart[b]) +
               " nodes " + std::to_string(model.BranchNodeCount[b]) + " row " +
               std::to_string(model.BranchRow[b]) + "\n";
    }
    out += "text " + RebuildSgfText(model).value_or("") + "\n";
    return out;
}

}  // namespace kelmaz
