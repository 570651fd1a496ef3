#include "library/GameReader.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

#include "base/AtomicFile.h"
#include "base/SgfEscape.h"
#include "document/LineProjection.h"
#include "engine/GameState.h"
#include "intake/RecordCollection.h"
#include "intake/RecordTool.h"
#include "tree/SgfLex.h"

namespace kelmaz::library {

namespace {

// The board size a header names: 19 when it names none, 0 when it cannot be read or the
// program's board cannot show it.
int boardSize(const std::string& value) {
    if (value.empty()) return kLines;
    int size = 0;
    for (const char c : value) {
        if (c == ' ') continue;
        if (!std::isdigit(static_cast<unsigned char>(c)) || size > kMaxBoardSize) return 0;
        size = size * 10 + (c - '0');
    }
    return size >= 2 && size <= kMaxBoardSize ? size : 0;
}

// The point of an SGF value on a board of `size` lines; nothing when it is off the board.
std::optional<int> pointOf(std::string_view value, int size) {
    const auto at = sgfPoint(value);
    if (!at || at->first > size || at->second > size) return std::nullopt;
    return (at->second - 1) * size + at->first - 1;
}

// The main line of one game tree as the program's record holds it: its moves (a value off the
// board is a pass; the record ends at its last slot), and after each node's move the stones the
// node sets up or the points it empties (AB, AW, AE; before the first move, the empty board's),
// unnumbered.
std::vector<Step> mainLineSteps(std::string_view tree, int size, int& moves) {
    std::vector<Step> steps, setup;
    moves = 0;
    bool ended = false;
    auto endNode = [&] {
        steps.insert(steps.end(), setup.begin(), setup.end());
        setup.clear();
    };
    sgfscan::walk(
        tree,
        [&](const sgfscan::ValueRef& v) {
            if (ended || moves > kMaxMoves) return;
            const std::string value = unescapeSgfValue(sgfscan::rawValue(tree, v));
            if (sgfscan::isMoveProperty(v.name)) {
                if (!v.firstOfProperty || ++moves > kMaxMoves) return;
                steps.push_back(makeStep(pointOf(value, size).value_or(kPassPoint),
                                         v.name == "W" ? PointState::White : PointState::Black));
                return;
            }
            const PointState state = v.name == "AB"   ? PointState::Black
                                     : v.name == "AW" ? PointState::White
                                                      : PointState::Empty;
            if (state == PointState::Empty && v.name != "AE") return;
            // "aa:cc" stands for every point of the rectangle between the two corners.
            const auto a = pointOf(value.substr(0, 2), size);
            const auto b =
                value.size() == 5 && value[2] == ':' ? pointOf(value.substr(3, 2), size) : a;
            if (!a || !b || (value.size() != 2 && value.size() != 5)) return;
            const int ax = *a % size, bx = *b % size, ay = *a / size, by = *b / size;
            for (int y = std::min(ay, by); y <= std::max(ay, by); ++y)
                for (int x = std::min(ax, bx); x <= std::max(ax, bx); ++x)
                    setup.push_back(makeStep(y * size + x, state, true));
        },
        [&](std::size_t, char c) {
            if (ended) return;
            endNode();
            ended = c == ')';
        });
    endNode();
    moves = std::min(moves, kMaxMoves);
    return steps;
}

// A record of another format (UGF, the applet page, Tki lines), one game, read by the
// program's own readers as the file window reads it.
FileGames readOtherFormat(const RecordCollection& collection) {
    FileGames out;
    ToolRecord record;
    const RecordReadResult read = readRecordForTool(collection, record, 1);
    if (read.status != RecordReadResult::Status::Ok) {
        out.refused.push_back({0, read.message});
        return out;
    }
    const GameState& s = record.state;
    LibraryGame game;
    game.header = {s.Info[InfoField::PB], s.Info[InfoField::PW],       s.Info[InfoField::BR],
                   s.Info[InfoField::WR], s.Info[InfoField::DT],       s.Info[InfoField::RE],
                   s.Info[InfoField::EV], std::to_string(s.BoardSize), s.lastMoveInRecord()};
    game.size = s.BoardSize;
    game.moves = s.lastMoveInRecord();
    auto colourOf = [](int colour) {
        return colour == kWhite   ? PointState::White
               : colour == kBlack ? PointState::Black
                                  : PointState::Empty;
    };
    for (int k = 0; k <= game.moves; ++k) {
        const int col = s.MoveCol[k], row = s.MoveRow[k];
        if (k > 0)
            game.steps.push_back(
                makeStep(s.onBoard(col, row) ? (row - 1) * s.BoardSize + col - 1 : kPassPoint,
                         colourOf(s.MoveColour[k])));
        for (const SetupStone& stone : s.MoveSetup[k])
            if (s.onBoard(stone.col, stone.row))
                game.steps.push_back(makeStep((stone.row - 1) * s.BoardSize + stone.col - 1,
                                              colourOf(stone.colour), true));
    }
    out.games.push_back(std::move(game));
    return out;
}

}  // namespace

std::uint64_t LibraryGame::signature() const {
    // FNV-1a over the size and the steps.
    std::uint64_t h = 0xcbf29ce484222325ULL;
    auto mix = [&h](unsigned byte) {
        h ^= byte;
        h *= 0x100000001b3ULL;
    };
    mix(static_cast<unsigned>(size));
    for (const Step s : steps) {
        mix(s & 0xff);
        mix(s >> 8);
    }
    return h;
}

FileGames readLibraryBytes(const std::string& bytes) {
    FileGames out;
    const RecordCollection collection = recordCollection(bytes);
    if (collection.games.empty()) return readOtherFormat(collection);
    const std::string_view text = collection.text;
    int number = 0;
    for (const GameTreeRange& range : collection.games) {
        ++number;
        if (!range.complete) {
            out.refused.push_back({number, "棋譜が途中で切れています"});
            continue;
        }
        const GameHeader& h = range.header;
        const int size = boardSize(h.size);
        if (size == 0) {
            out.refused.push_back({number, "盤の大きさが読めません"});
            continue;
        }
        LibraryGame game;
        game.number = number;
        game.header = h;
        game.size = size;
        game.steps =
            mainLineSteps(text.substr(range.begin, range.end - range.begin), size, game.moves);
        out.games.push_back(std::move(game));
    }
    return out;
}

FileGames readLibraryFile(const std::string& path) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) {
        FileGames out;
        out.refused.push_back({0, "ファイルを読めません"});
        return out;
    }
    return readLibraryBytes(bytes);
}

}  // namespace kelmaz::library
