#include "engine/BoardOptions.h"

#include <cmath>

namespace kelmaz {

int boardSizeForIndex(int sizeIndex) {
    switch (sizeIndex) {
        case 1:
            return 13;
        case 2:
            return 9;
        default:
            return 19;
    }
}

int BoardOptions::boardSize() const {
    return otherSize > 0 ? otherSize : boardSizeForIndex(sizeIndex);
}

double BoardOptions::speedSeconds() const { return std::lround(speedMs / 10.0) / 100.0; }

std::uint32_t BoardOptions::boardColour() const {
    if (paperBoard) return 0xFFFFFF;
    switch (boardTintIndex) {
        case 1:
            return 0xCCB800;  // 204, 184, 0 "中間"
        case 2:
            return 0x808000;  // 128, 128, 0 "暗い"
        default:
            return 0xFFFF00;  // 255, 255, 0 "明るい"
    }
}

std::uint32_t BoardOptions::whiteStoneColour() const {
    return whiteTintIndex == 0 ? 0xFFFFFF : 0xE5E5E5;
}

}  // namespace kelmaz
