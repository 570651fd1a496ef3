#include "library/CornerOpenings.h"

#include <algorithm>

namespace kelmaz::library {

namespace {

constexpr int kFarSide = kLines - kCornerSize;  // where the right and lower corners begin
constexpr std::uint8_t kWhiteBit = 0x40;
constexpr std::uint8_t kStaysBit = 0x80;

}  // namespace

int cornerOf(int point) {
    const int x = point % kLines, y = point / kLines;
    const bool left = x < kCornerSize, top = y < kCornerSize;
    if ((!left && x < kFarSide) || (!top && y < kFarSide)) return -1;
    return (top ? 0 : 2) + (left ? 0 : 1);
}

int cornerPoint(int point) {
    const int x = point % kLines, y = point / kLines;
    return (y < kCornerSize ? y : y - kFarSide) * kCornerSize +
           (x < kCornerSize ? x : x - kFarSide);
}

CornerOpenings cornerOpenings(std::span<const Step> steps) {
    CornerOpenings out{};
    std::array<std::uint64_t, 4> occupied{};
    int move = 0;
    for (const Step s : steps) {
        if (!isCapture(s)) ++move;
        const int point = stepPoint(s);
        if (point >= kPoints) continue;
        const int corner = cornerOf(point);
        if (corner < 0) continue;
        CornerOpening& o = out[corner];
        if (o.known != kWholeGame) continue;
        const int local = cornerPoint(point);
        // A stone taken or replaced, or one more than the list keeps: the list tells the
        // corner's positions before this move only.
        if (isCapture(s) || ((occupied[corner] >> local) & 1u) != 0 || o.count == kOpeningStones) {
            o.known = static_cast<std::uint16_t>(move);
            continue;
        }
        occupied[corner] |= std::uint64_t{1} << local;
        o.stones[o.count] =
            static_cast<std::uint8_t>(local | (stepState(s) == PointState::White ? kWhiteBit : 0) |
                                      (isFinal(s) ? kStaysBit : 0));
        o.moves[o.count] = static_cast<std::uint16_t>(move);
        ++o.count;
    }
    return out;
}

OpeningVerdict judgeOpening(const CornerOpening& opening, const CornerShape& shape) {
    // While the list tells the corner, stones are only added: the shape stands from the move
    // that puts the last of its stones, unless a stone it does not ask for came first.
    const OpeningVerdict untold =
        opening.known == kWholeGame ? OpeningVerdict{OpeningVerdict::Kind::Never, 0}
                                    : OpeningVerdict{OpeningVerdict::Kind::Unknown, opening.known};
    int matched = 0;
    const int count = std::min<int>(opening.count, kOpeningStones);  // checked: read from a file
    for (int j = 0; j < count && opening.moves[j] < opening.known; ++j) {
        const int want = shape.want[opening.stones[j] & (kWhiteBit - 1)];
        if (want < 0) continue;
        const PointState colour =
            (opening.stones[j] & kWhiteBit) != 0 ? PointState::White : PointState::Black;
        // A stone it does not ask for: for good when it stays.
        if (want != static_cast<int>(colour))
            return (opening.stones[j] & kStaysBit) != 0
                       ? OpeningVerdict{OpeningVerdict::Kind::Never, 0}
                       : untold;
        if (++matched == shape.stones) return {OpeningVerdict::Kind::Stands, opening.moves[j]};
    }
    return untold;
}

}  // namespace kelmaz::library
