#pragma once
// The sequence viewer's reading of the tree reader's outline (List3): the branch table behind
// the viewer's numbered buttons, derived from the outline's "--" lines. Each "--" line opens
// one of the game's variations, in the order the game's text opens them.
//
// Outline lines: characters 1-3 hold a right-aligned number, characters 4-5 a marker. A "--"
// line opens a branch and its number is the branch's sequence number; on every other line the
// number is the nesting level. A ";B" or ";W" line is a move (a pass too); setup stones (AB,
// AW) and other properties take no move number.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/GameState.h"

namespace kelmaz {

inline constexpr int kMaxNestingLevel = 30;  // the branch table knows levels 0..30

struct OutlineLine {
    enum class Kind { Branch, Move, Other };
    Kind kind = Kind::Other;
    int number = 0;  // branch sequence number on a "--" line, nesting level otherwise
};

OutlineLine parseOutlineLine(const std::string& line);

// One branch of the outline, numbered 1, 2, ... in the order of its "--" line.
struct ViewerBranch {
    int number = 0;
    int level = 0;            // nesting level of its first move
    int parent = 0;           // the branch it leaves from, 0 at the top
    std::size_t line = 0;     // index of its "--" line in the outline
    std::vector<int> path;    // branch numbers from the top down to this branch
    int moves = 0;            // moves between its "--" line and the next one
    int startMove = 0;        // the number its first move gets on its path, 0 without moves
    bool onMainLine = false;  // part of the main line (first variation at every fork)
};

struct BranchTable {
    std::vector<ViewerBranch> branches;  // branch k at index k - 1
    std::vector<std::string> notices;    // what the viewer cannot show, for the user
    // Where the main line's nesting levels start, by level, as move numbers: the replay's
    // branch stops (BranchMoves) for a record that shows the main line.
    std::array<std::int16_t, kBranchSlots + 1> mainLineBranchMoves{};

    const ViewerBranch* find(int number) const;
    // The branches that leave the main line at move `move`: the main line's own continuation
    // and its alternatives.
    std::vector<int> branchesAt(int move) const;
};

// Derives the branch table: each "--" line opens branch k; its parent is the last branch
// opened one nesting level higher. Branches nested deeper than the table's levels, or hanging
// below such a branch, are left out and named in a notice.
BranchTable ReadNode(const std::vector<std::string>& List3);

}  // namespace kelmaz
