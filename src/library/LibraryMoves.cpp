#include "library/LibraryMoves.h"

namespace kelmaz::library {

std::string pointLetters(int point) {
    if (point < 0 || point >= kPoints) return "tt";
    return {static_cast<char>('a' + point % kLines), static_cast<char>('a' + point / kLines)};
}

Winner winnerOf(const std::string& result) {
    const std::size_t start = result.find_first_not_of(" \t");
    if (start == std::string::npos) return Winner::Unknown;
    const char c = result[start];
    if (c == 'B' || c == 'b') return Winner::Black;
    if (c == 'W' || c == 'w') return Winner::White;
    // Japanese results name the winner first: 黒 (black) or 白 (white).
    if (result.compare(start, 3, "黒") == 0) return Winner::Black;
    if (result.compare(start, 3, "白") == 0) return Winner::White;
    return Winner::Unknown;
}

}  // namespace kelmaz::library
