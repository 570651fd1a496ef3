#include "library/GameReader.h"

#include <cctype>
#include <string_view>

#include "base/AtomicFile.h"
#include "engine/GameState.h"
#include "intake/RecordCollection.h"
#include "intake/RecordTool.h"
#include "tree/SgfText.h"

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

// The steps of a move string of 5-character tokens ("B[pd]"), read as the program reads them
// into its record: a letter outside the board is a pass, and the record ends at its last slot.
std::vector<Step> stepsOf(std::string_view tokens, int size) {
    std::vector<Step> steps;
    steps.reserve(tokens.size() / 5);
    for (std::size_t i = 0; i + 5 <= tokens.size() && steps.size() < kMaxMoves; i += 5) {
        const PointState colour = tokens[i] == 'B' ? PointState::Black : PointState::White;
        const int col = std::toupper(static_cast<unsigned char>(tokens[i + 2])) - 'A';
        const int row = std::toupper(static_cast<unsigned char>(tokens[i + 3])) - 'A';
        const bool onBoard = col >= 0 && col < size && row >= 0 && row < size;
        steps.push_back(makeStep(onBoard ? row * size + col : kPassPoint, colour));
    }
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
    for (int k = 1; s.hasMove(k); ++k) {
        const int col = s.MoveCol[k], row = s.MoveRow[k];
        const PointState colour = s.MoveColour[k] == kWhite ? PointState::White : PointState::Black;
        game.steps.push_back(
            makeStep(s.onBoard(col, row) ? (row - 1) * s.BoardSize + col - 1 : kPassPoint, colour));
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
        game.steps = stepsOf(GetMainpath(text.substr(range.begin, range.end - range.begin)), size);
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
