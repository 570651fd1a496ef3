#pragma once
// Records the benchmarks work on: public records of the tests' data and records generated here with
// a fixed seed, so that every run measures the same input.
#include <filesystem>
#include <string>
#include <vector>

#include "document/TreeSession.h"
#include "engine/EngineHost.h"
#include "engine/GameState.h"

namespace kelmaz::bench {

// A public game record of the tests' data (tests/data/records).
std::filesystem::path corpusFile(const std::string& relative);
std::string readFile(const std::filesystem::path& path);

// The professional game the rebuild and reading benchmarks use (276 moves, 19 lines).
inline constexpr const char* kProGame = "games_plain/gnugo__nando__meijin27_g1.sgf";
inline constexpr const char* kUgfGame = "ugf/sabaki__ugf__amateur.ugf";

// A legal 19-line game of `moves` moves (at most 499, what a click can fill the record with),
// played by the engine itself; moves that capture are preferred, so stones are taken all the
// way through. The returned state holds the record and the position after the last move.
GameState captureHeavyRecord(int moves);
int prisonersOf(const GameState& state);

// The shape of a generated game tree.
struct TreeShape {
    int branches = 1;  // leaves of the tree, the number of branches the tree model finds
    int minNodes = 3;  // nodes per branch before its fork, drawn from min..max
    int maxNodes = 13;
    int commentPercent = 25;  // share of nodes carrying a comment
    int markupPercent = 0;    // share of nodes carrying labels (and now and then a triangle)
    bool deep = false;        // variations take most of the leaves, so they nest deeply
    unsigned seed = 1;
};

// One game tree "(;root ...)" of the given shape. The main line (first child at every fork)
// plays `mainLine` in order, so that it can be replayed; the other moves are arbitrary points.
// The root node spreads its game information over several lines.
std::string generateTree(const TreeShape& shape, const GameState& mainLine);

// A tree shaped like a large joseki dictionary: about 1.5 MB, 62,000 nodes, 7,700 variations.
std::string josekiTree(const GameState& mainLine);
// The same dictionary with labels on most nodes (the candidate moves "A", "B", ... of a
// joseki dictionary) and triangles on some, given as compressed lists now and then.
std::string labelledJosekiTree(const GameState& mainLine);
// A collection of game trees with deeply nested variations, at least `bytes` long.
std::string sgfCollection(std::size_t bytes, const GameState& mainLine);
// The record as a "fmt=Tki" file: header lines, "[Data]", one "col,row,colour,comment" line
// per move.
std::string tkiText(const GameState& record);

// The tree window's side of reading an SGF file, without the window: the syntax check, the
// file's tree loaded and laid out, node 1 of branch 1 selected.
class FileTreeLink : public TreeLink {
  public:
    explicit FileTreeLink(GameState& state) : record(document, state), session(state, record) {}
    void showFileTree(const std::string& treeText) override;
    RecordDocument document;
    DocumentRecord record;
    TreeSession session;
    int syntaxFaults = 0;
};

}  // namespace kelmaz::bench
