#include "library/Symmetry.h"

#include <algorithm>

namespace kelmaz::library {

namespace {

struct Tables {
    std::array<std::array<std::uint64_t, kPoints>, 2> random{};           // per colour and point
    std::array<std::array<std::uint16_t, kPoints>, kSymmetries> image{};  // point under s
};

// Fixed keys (splitmix64 from a constant seed): the index file stores these hashes, so they
// must never change between runs or builds.
Tables makeTables() {
    Tables t;
    std::uint64_t state = 0x4b656c6d617a4c31ULL;
    auto next = [&state] {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    };
    for (auto& colour : t.random)
        for (auto& key : colour) key = next();
    for (int s = 0; s < kSymmetries; ++s)
        for (int p = 0; p < kPoints; ++p) {
            const Transformed q = transformPoint(s, kLines, kLines, p % kLines, p / kLines);
            t.image[s][p] = static_cast<std::uint16_t>(q.y * kLines + q.x);
        }
    return t;
}

const Tables& tables() {
    static const Tables t = makeTables();
    return t;
}

}  // namespace

void PositionHash::toggle(int point, PointState colour) {
    const Tables& t = tables();
    const int c = colour == PointState::Black ? 0 : 1;
    for (int s = 0; s < kSymmetries; ++s) {
        const int q = t.image[s][point];
        hashes_[s] ^= t.random[c][q];
        hashes_[kSymmetries + s] ^= t.random[1 - c][q];
    }
}

std::uint64_t PositionHash::canonical() const {
    return *std::min_element(hashes_.begin(), hashes_.end());
}

}  // namespace kelmaz::library
