#include "shell/CloneArgs.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "base/NumberText.h"
#include "document/LineProjection.h"
#include "engine/TypedNumber.h"

namespace kelmaz {
namespace {

constexpr std::size_t kFirstMoveField = 7;
constexpr std::size_t kMaxInstanceNoLength = 100;
constexpr long long kGeometryLimit = 1'000'000;  // twips; keeps left + width + 50 in range
constexpr int kCloneGap = 50;

// A field's number, trimmed and read as far as it goes ("12abc" is 12), kept within range.
std::optional<long long> number(std::string_view text, long long low, long long high) {
    const std::optional<long long> value = leadingNumber(trimBlanks(text));
    if (!value) return std::nullopt;
    return std::clamp(*value, low, high);
}

std::optional<long long> field(const std::vector<std::string>& args, std::size_t i, long long low,
                               long long high) {
    return i < args.size() ? number(args[i], low, high) : std::nullopt;
}

// A board number is digits joined by dashes ("0", "0-1-2"); anything else reads as "0".
std::string boardNumber(std::string_view text) {
    text = trimBlanks(text);
    const bool wellFormed = !text.empty() && text.size() <= kMaxInstanceNoLength &&
                            std::all_of(text.begin(), text.end(),
                                        [](char c) { return (c >= '0' && c <= '9') || c == '-'; });
    return wellFormed ? std::string(text) : "0";
}

}  // namespace

std::string BuildCloneArgs(const GameState& state, int cloneCounter, long long peerWindow,
                           const WindowGeometry& geometry) {
    std::string out = state.InstanceNo;
    auto add = [&out](long long value) { out += "," + classicNumber(value); };
    add(cloneCounter);
    add(peerWindow);
    add(geometry.top);
    add(geometry.left);
    add(geometry.height);
    add(geometry.width);
    const int last = std::clamp(state.MoveCount, 0, kMaxMoves);
    for (int k = 1; k <= last; ++k) {
        add(state.MoveCol[k]);
        add(state.MoveRow[k]);
        add(state.MoveColour[k]);
    }
    // A triple with column 0 ends the moves (a reader that knows no more stops there), then
    // the board size, so that the clone shows the position on a board of the same size.
    add(0);
    add(0);
    add(0);
    add(state.BoardSize);
    return out;
}

std::vector<std::string> splitCloneArgs(std::string_view text) {
    std::vector<std::string> args;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        args.emplace_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return args;
}

CloneSetup parseCloneArgs(const std::vector<std::string>& args) {
    CloneSetup setup;
    setup.cloneCounter = static_cast<int>(field(args, 1, 0, INT16_MAX).value_or(0));
    setup.peerWindow = field(args, 2, INT64_MIN / 2, INT64_MAX / 2).value_or(0);
    setup.instanceNo = boardNumber(args.empty() ? std::string_view{} : args[0]) + "-" +
                       std::to_string(setup.cloneCounter);
    setup.windowTitle = "Kelmaz 碁盤No" + setup.instanceNo;

    const auto top = field(args, 3, -kGeometryLimit, kGeometryLimit);
    const auto left = field(args, 4, -kGeometryLimit, kGeometryLimit);
    const auto height = field(args, 5, 0, kGeometryLimit);
    const auto width = field(args, 6, 0, kGeometryLimit);
    if (top && left && height && width) {
        setup.geometry =
            WindowGeometry{static_cast<int>(*top), static_cast<int>(*left + *width + kCloneGap),
                           static_cast<int>(*height), static_cast<int>(*width)};
    }

    std::array<long long, 3> triple{};
    int filled = 0;
    bool ended = false;  // the triple with column 0 after the moves was read
    std::size_t i = kFirstMoveField;
    for (; i < args.size() && !ended; ++i) {
        if (trimBlanks(args[i]).empty()) continue;
        triple[filled++] = number(args[i], INT16_MIN, INT16_MAX).value_or(0);
        if (filled < 3) continue;
        filled = 0;
        if (triple[0] <= 0) {
            ended = true;
        } else if (setup.moves.size() < static_cast<std::size_t>(kMaxMoves)) {
            setup.moves.push_back({static_cast<int>(triple[0]), static_cast<int>(triple[1]),
                                   triple[2] == kWhite ? kWhite : kBlack});
        }
    }
    // The field after the end of the moves names the board size; a list without it (or with
    // a size no board has) leaves the clone's own size.
    if (ended && i < args.size()) {
        const auto size = number(args[i], 0, 100);
        if (size && *size >= 2 && *size <= kMaxBoardSize) setup.boardSize = static_cast<int>(*size);
    }
    return setup;
}

void applyCloneSetup(GameState& state, const CloneSetup& setup) {
    state.InstanceNo = setup.instanceNo;
    state.WindowTitle = setup.windowTitle;
    ReadMoves read;
    for (const CloneMove& move : setup.moves) {
        if (read.shown == kMaxMoves) break;
        read.store(++read.shown, move.col, move.row, move.colour);
    }
    showReadMoves(read, state);
}

}  // namespace kelmaz
