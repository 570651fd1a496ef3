#pragma once
// The games of one record file as the library keeps them: the header and the main line as the
// program's SGF reader sees it (setup stones one move each, then the moves), read through the
// program's collection reader so that a file of thousands of games is decoded once; a file of
// another format the program reads (UGF, the applet page, Tki lines) is one game, read by the
// program's own readers.
#include <cstdint>
#include <string>
#include <vector>

#include "library/LibraryMoves.h"
#include "tree/SgfCollection.h"

namespace kelmaz::library {

struct LibraryGame {
    int number = 1;     // the game's place in its file, from 1
    GameHeader header;  // as the collection reader found it
    int size = kLines;
    std::vector<Step> steps;  // moves and setup stones, no captures
    // Equal for two games with the same board size and the same moves.
    std::uint64_t signature() const;
};

struct RefusedGame {
    int number = 0;  // 0: the whole file
    std::string reason;
};

struct FileGames {
    std::vector<LibraryGame> games;
    std::vector<RefusedGame> refused;
};

// Every game of a record file (SGF: a single game or a collection). A file that cannot be read
// or holds no record is refused whole, with the program's message; an SGF game cut short or on
// a board of an unreadable size alone.
FileGames readLibraryFile(const std::string& path);

// The same from the file's bytes.
FileGames readLibraryBytes(const std::string& bytes);

}  // namespace kelmaz::library
