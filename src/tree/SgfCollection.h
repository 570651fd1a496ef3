#pragma once
// The game trees of an SGF collection, "(;…)(;…)…". One pass over the text finds where each
// tree begins and ends and the few root values a list of games shows, without building any
// tree, so that a file of thousands of games is listed at once and only the chosen one is read.
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz {

// The root values of a game tree (unescaped) and the length of its main line.
struct GameHeader {
    std::string black;      // PB
    std::string white;      // PW
    std::string blackRank;  // BR
    std::string whiteRank;  // WR
    std::string date;       // DT
    std::string result;     // RE
    std::string event;      // EV
    std::string size;       // SZ
    int moves = 0;          // nodes with a move (B or W) on the main line
};

struct GameTreeRange {
    std::size_t begin = 0;  // the tree's "("
    std::size_t end = 0;    // one past its closing ")" (the end of the text for a tree cut short)
    // False when the tree lacks its ")" and the next game's root began inside it: where it
    // ends is unknown. A tree the text ends inside counts as complete, as a file cut short
    // does for the readers, which close what it leaves open.
    bool complete = true;
    GameHeader header;
};

// The game trees of SGF text, in order, at most `maxGames` of them. A "(" that opens a node
// holding a property only a root may hold (FF, GM, CA, AP) inside an unfinished tree starts a
// new game: the unfinished one is cut short there, so one broken game costs no other.
std::vector<GameTreeRange> indexGameTrees(
    std::string_view text, std::size_t maxGames = std::numeric_limits<std::size_t>::max());

}  // namespace kelmaz
