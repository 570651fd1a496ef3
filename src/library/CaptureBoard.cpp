#include "library/CaptureBoard.h"

namespace kelmaz::library {

namespace {

std::array<std::array<int, 5>, kPoints> makeNeighbours() {
    std::array<std::array<int, 5>, kPoints> table{};
    for (int p = 0; p < kPoints; ++p) {
        const int x = p % kLines, y = p / kLines;
        int n = 0;
        if (x > 0) table[p][n++] = p - 1;
        if (x < kLines - 1) table[p][n++] = p + 1;
        if (y > 0) table[p][n++] = p - kLines;
        if (y < kLines - 1) table[p][n++] = p + kLines;
        table[p][n] = -1;
    }
    return table;
}

}  // namespace

const std::array<int, 5>& neighbours(int point) {
    static const auto table = makeNeighbours();
    return table[point];
}

bool CaptureBoard::groupWithoutLiberty(int point) {
    const PointState colour = cells_[point];
    ++mark_;
    group_.clear();
    stack_.assign(1, point);
    seen_[point] = mark_;
    while (!stack_.empty()) {
        const int p = stack_.back();
        stack_.pop_back();
        group_.push_back(p);
        for (const int q : neighbours(p)) {
            if (q < 0) break;
            if (cells_[q] == PointState::Empty) return false;
            if (cells_[q] == colour && seen_[q] != mark_) {
                seen_[q] = mark_;
                stack_.push_back(q);
            }
        }
    }
    return true;
}

void CaptureBoard::play(int point, PointState colour, std::vector<int>& taken) {
    if (point < 0 || point >= kPoints) return;
    cells_[point] = colour;
    const PointState other = opposite(colour);
    for (const int q : neighbours(point)) {
        if (q < 0) break;
        if (cells_[q] != other || !groupWithoutLiberty(q)) continue;
        for (const int p : group_) {
            cells_[p] = PointState::Empty;
            taken.push_back(p);
        }
    }
}

}  // namespace kelmaz::library
