#include "support/ReferenceBoard.h"

namespace kelmaz::test {

ReferenceBoard::ReferenceBoard(int size)
    : n_(size), points_(std::size_t((size + 2) * (size + 2)), 0) {}

int ReferenceBoard::play(int c, int r, int colour) {
    if (!onBoard(c, r)) return 0;
    if (const int replaced = at(c, r); replaced != 0)
        --(replaced == kBlack + 1 ? standing_.black : standing_.white);
    ++(colour == kBlack ? standing_.black : standing_.white);
    points_[index(c, r)] = colour + 1;
    int taken = 0;
    for (const auto& [x, y] : neighbours(c, r)) {
        const int v = at(x, y);
        if (v != 0 && v != colour + 1 && liberties(x, y) == 0) taken += removeGroup(x, y);
    }
    return taken;
}

void ReferenceBoard::setUp(int c, int r, int colour) {
    if (!onBoard(c, r)) return;
    if (const int replaced = at(c, r); replaced != 0)
        --(replaced == kBlack + 1 ? standing_.black : standing_.white);
    if (colour != kNoColour) ++(colour == kBlack ? standing_.black : standing_.white);
    points_[index(c, r)] = colour == kNoColour ? 0 : colour + 1;
}

int ReferenceBoard::liberties(int c, int r) const {
    std::vector<bool> seen(points_.size(), false), counted(points_.size(), false);
    std::vector<std::pair<int, int>> stack{{c, r}};
    const int colour = at(c, r);
    seen[index(c, r)] = true;
    int n = 0;
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        for (const auto& [a, b] : neighbours(x, y)) {
            const int v = at(a, b);
            if (v == 0 && !counted[index(a, b)]) {
                counted[index(a, b)] = true;
                ++n;
            } else if (v == colour && !seen[index(a, b)]) {
                seen[index(a, b)] = true;
                stack.emplace_back(a, b);
            }
        }
    }
    return n;
}

std::string ReferenceBoard::diagram() const {
    std::string out;
    for (int r = 1; r <= n_; ++r) {
        for (int c = 1; c <= n_; ++c) out += pointCharacter(at(c, r));
        out += '\n';
    }
    return out;
}

std::vector<std::pair<int, int>> ReferenceBoard::neighbours(int c, int r) const {
    std::vector<std::pair<int, int>> out;
    if (c > 1) out.emplace_back(c - 1, r);
    if (c < n_) out.emplace_back(c + 1, r);
    if (r > 1) out.emplace_back(c, r - 1);
    if (r < n_) out.emplace_back(c, r + 1);
    return out;
}

int ReferenceBoard::removeGroup(int c, int r) {
    const int colour = at(c, r);
    int n = 0;
    std::vector<std::pair<int, int>> stack{{c, r}};
    points_[index(c, r)] = 0;
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        ++n;
        for (const auto& [a, b] : neighbours(x, y)) {
            if (at(a, b) == colour) {
                points_[index(a, b)] = 0;
                stack.emplace_back(a, b);
            }
        }
    }
    return n;
}

ReferenceBoard replayRecord(const GameState& s, int upto) {
    ReferenceBoard board(s.BoardSize);
    for (int k = 0; k <= upto; ++k) {
        if (k > 0) board.play(s.MoveCol[k], s.MoveRow[k], s.MoveColour[k]);
        for (const SetupStone& stone : s.MoveSetup[k])
            board.setUp(stone.col, stone.row, stone.colour);
    }
    return board;
}

}  // namespace kelmaz::test
