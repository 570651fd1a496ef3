#include "tree/TreeFile.h"

#include <fstream>

namespace kelmaz {

bool WriteSgfdata(const GameState& state, const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << state.SgfText << '\n';
    return static_cast<bool>(out);
}

}  // namespace kelmaz
