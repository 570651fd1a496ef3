#include "tree/SgfReader.h"

namespace kelmaz {

SgfReadResult sgf(GameState& state, TreeLink& tree) {
    std::string text;
    for (const std::string& line : state.LstRead) text += line;
    tree.showFileTree(text);
    state.SgfText = text;
    return {};
}

}  // namespace kelmaz
