#pragma once
// A record file that may hold several games. The file is decoded whole, as every record file
// is; when it is SGF with more than one game tree, each game is decoded and read alone from its
// own range of the file, exactly as a file holding only that game would be.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tree/SgfCollection.h"

namespace kelmaz {

struct RecordCollection {
    std::string text;                  // the whole file, decoded
    std::vector<GameTreeRange> games;  // its game trees; empty when the file is not SGF
    bool holdsSeveralGames() const { return games.size() > 1; }
};

// The decoded text of a file's bytes and, for an SGF file, its game trees.
RecordCollection recordCollection(std::string_view bytes);

// Reads the whole file; nothing when it cannot be opened or read.
std::optional<RecordCollection> loadRecordCollection(const std::string& path);

// The lines of the whole file (every game), as a record file's lines are read.
std::vector<std::string> allRecordLines(const RecordCollection& collection);

struct GameLines {
    std::vector<std::string> lines;  // the chosen game's lines, as a one-game file gives them
    std::string message;             // why the game cannot be read; empty when it can
};

// Game `number` (1-based) of the collection; a file that is not SGF is one game, the whole
// file. A game cut short or a number outside the list gives a message naming the game and no
// lines.
GameLines collectionGameLines(const RecordCollection& collection, std::size_t number);

}  // namespace kelmaz
