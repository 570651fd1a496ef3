#pragma once
// The program-wide game state: board grids, the move record, prisoners, ko memory and the
// flags other windows share with the board engine. One instance belongs to the running
// program; every test makes its own. Members keep the names the rest of the program uses.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/GameInfo.h"
#include "engine/Markup.h"

namespace kelmaz {

inline constexpr int kMaxBoardSize = 19;
inline constexpr int kMaxMoves = 500;     // the record has slots 0..500; slot 0 is not a move
inline constexpr int kBranchSlots = 100;  // BranchMoves slots 1..100
inline constexpr int kBlack = 0;          // colour codes of the classic 16-colour palette
inline constexpr int kWhite = 7;
// NetMyColour of a match in which no stone has been placed yet: the first stone decides.
inline constexpr int kNoColour = -1;
// Column and row of a pass read from a file ("t", as in B[tt]): off every board, and never the
// record's end marker 0.
inline constexpr int kPassCoord = 20;

// What the replay's branch stops and the sequence viewer are doing.
enum class ViewerState {
    Idle,                 // the replay stops at the next branch point it passes
    StoppedAtBranch,      // the replay stopped at a branch point; it goes on past the next ones
    OnBranchPath,         // the viewer shows the path to a chosen branch
    ReturningToMainLine,  // the viewer rebuilds the main line
    NoStops,              // a rebuild that must not stop (a record just read, a relayout)
};

// The point (col, row) seen from the other side of a board of `size` lines. Points off that
// board (passes) stay as they are: turned, a column could become 0, the record's end marker.
inline void turnPoint(int size, std::int16_t& col, std::int16_t& row) {
    if (col < 1 || col > size || row < 1 || row > size) return;
    col = static_cast<std::int16_t>(size + 1 - col);
    row = static_cast<std::int16_t>(size + 1 - row);
}

// A stone the record sets up instead of playing (AB, AW), or a point it empties (AE).
struct SetupStone {
    int col = 0, row = 0;
    int colour = kBlack;  // kBlack or kWhite; kNoColour empties the point
    bool operator==(const SetupStone&) const = default;
};

// A grid indexed (column, row), both 1-based; index 0 is unused so that the numbers read
// like the board's own coordinates.
template <typename T>
using Grid = std::array<std::array<T, kMaxBoardSize + 1>, kMaxBoardSize + 1>;

struct GameState {
    // Board engine.
    int BoardSize = 19;
    Grid<std::int16_t> BoardGrid{};   // colour code + 1 (1 black, 8 white), 0 empty
    Grid<std::int16_t> GroupGrid{};   // group number of the stone, 0 where empty
    Grid<std::int16_t> MoveNoGrid{};  // number of the move whose stone stands (stood) there
    int GroupCount = 0;
    std::array<std::int16_t, kMaxMoves + 1> MoveCol{};  // 0 in slot k >= 1 ends the record
    std::array<std::int16_t, kMaxMoves + 1> MoveRow{};
    std::array<std::int16_t, kMaxMoves + 1> MoveColour{};
    std::array<std::string, kMaxMoves + 1> MoveComment{};
    // The marks a record read from SGF puts on the board with each move (slot 0: the empty
    // board); shown with the position after that move.
    std::array<Markup, kMaxMoves + 1> MoveMarkup{};
    // The stones each position sets up or empties without a move (slot 0: before the first
    // move); the rebuild puts them down unnumbered after the slot's move.
    std::array<std::vector<SetupStone>, kMaxMoves + 1> MoveSetup{};
    // The player each position gives the move to (PL), as colour code + 1 (1 black, 8 white),
    // 0 where the record names none: the colour of the next stone where the colours alternate.
    std::array<std::int16_t, kMaxMoves + 1> MovePlayer{};
    // The number the record gives its first move (MN): stones show their move number shifted
    // by as much.
    int FirstMoveNumber = 1;
    int MoveCount = 0;
    int CurrentColour = kBlack;
    int LastColour = kBlack;
    int KoCol = 0, KoRow = 0, KoMove = 0;
    std::array<int, 2> Prisoners{};  // [0] taken by Black, [1] taken by White

    // Drawing state the engine writes through (the view reads it): the point (column, row) and
    // colour of the last stone put on the board, 0 when there is none, and its move number.
    int LastMarkX = 0, LastMarkY = 0, LastMarkColour = 0, LastNumberDrawn = 0;
    // Points (column, row) whose stones a score estimate counts as dead: the view crosses them
    // out until the next move or rebuild, which clears the list.
    std::vector<std::pair<int, int>> DeadMarks;

    // Shared with other windows.
    bool NetMatchActive = false;
    int NetMyColour = kBlack;
    bool BoardRotated = false;
    std::string SgfText;
    bool BranchInputMode = false;
    std::vector<std::string> BranchComments;
    std::array<std::int16_t, kBranchSlots + 1> BranchMoves{};
    kelmaz::ViewerState ViewerState = kelmaz::ViewerState::Idle;
    bool CommentPause = false;
    int LastStopMove = 0;

    // Start-up values.
    std::string InstanceNo = "0";
    std::string WindowTitle = "Kelmaz 碁盤No0";

    // Game information (the 25 root-property fields and their derived labels).
    GameInfo Info;

    // Shared line lists: the lines of the record last read, and the tree reader's outline.
    std::vector<std::string> LstRead;
    std::vector<std::string> List3;

    // True when slot k (1..500) holds a move; slots outside the record never do.
    bool hasMove(int k) const { return k >= 1 && k <= kMaxMoves && MoveCol[k] != 0; }
    // The last slot before the end marker (0 for an empty record), bounded by slot 500.
    int lastMoveInRecord() const {
        int k = 0;
        while (hasMove(k + 1)) ++k;
        return k;
    }
    // The marks of the position shown (the move MoveCount).
    const Markup& shownMarkup() const { return MoveMarkup[std::clamp(MoveCount, 0, kMaxMoves)]; }
    bool onBoard(int col, int row) const {
        return col >= 1 && col <= BoardSize && row >= 1 && row <= BoardSize;
    }
    // Ends the record after move k (0..500): slot k + 1 becomes the end marker and every slot
    // behind it is emptied, comments and marks included, so that nothing of a discarded line
    // comes back.
    void endRecordAfter(int k) {
        for (int i = std::max(k + 1, 1); i <= kMaxMoves; ++i) {
            MoveCol[i] = MoveRow[i] = MoveColour[i] = 0;
            MoveComment[i].clear();
            MoveMarkup[i].clear();
        }
    }
};

}  // namespace kelmaz
