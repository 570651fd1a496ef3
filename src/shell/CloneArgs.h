#pragma once
// The command line that hands the current position to a second board window: the board
// number, the clone counter, the launching window's handle and geometry, and the moves up to
// the current one, as one comma-separated list. The list comes from outside the process, so
// reading it never trusts its shape.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/GameState.h"

namespace kelmaz {

struct WindowGeometry {  // twips
    int top = 0;
    int left = 0;
    int height = 0;
    int width = 0;
};

struct CloneMove {
    int col = 0;
    int row = 0;
    int colour = kBlack;
};

// What the new window takes from its command line.
struct CloneSetup {
    std::string instanceNo;   // the launching window's number + "-" + its counter ("0-1")
    std::string windowTitle;  // "Kelmaz 碁盤No" + instanceNo
    int cloneCounter = 0;
    long long peerWindow = 0;
    std::optional<WindowGeometry> geometry;  // directly right of the launching window
    std::vector<CloneMove> moves;            // at most 500
    int boardSize = 0;                       // the launching board's size, 0 when not given
};

// The list for the clone of this window: moves 1..MoveCount only, then a triple with column 0
// and the board size, each number in the classic form with a blank in front of a non-negative
// value.
std::string BuildCloneArgs(const GameState& state, int cloneCounter, long long peerWindow,
                           const WindowGeometry& geometry);

// Splits the command-line text at the commas.
std::vector<std::string> splitCloneArgs(std::string_view text);

// Reads a split list. Missing or unreadable header fields take neutral values (no geometry
// when any of the four is missing); empty move fields are skipped; moves end at an
// incomplete triple or at a column that is not a positive number (it would end the record);
// moves after the 500th are passed over. The field after the triple that ends the moves is
// the board size (2..19). Coordinates off the board are kept: the rebuild passes over them.
CloneSetup parseCloneArgs(const std::vector<std::string>& args);

// Puts the board number, caption text and moves into the state and makes the last of them the
// current position; the window then rebuilds moves 1..MoveCount.
void applyCloneSetup(GameState& state, const CloneSetup& setup);

}  // namespace kelmaz
