#include "engine/Board.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace kelmaz {

template <typename Visit>
void Board::forEachNeighbour(int col, int row, Visit visit) const {
    const int n = state_.BoardSize;
    if (col > 1) visit(col - 1, row);
    if (col < n) visit(col + 1, row);
    if (row > 1) visit(col, row - 1);
    if (row < n) visit(col, row + 1);
}

void Board::clear(int size) {
    GameState& s = state_;
    s.BoardSize = size;
    s.BoardGrid = {};
    s.GroupGrid = {};
    s.GroupCount = 0;
    s.KoCol = 0;
    s.KoRow = 0;
    s.KoMove = 0;
    s.Prisoners = {0, 0};
}

PlaceOutcome Board::place(int col, int row, int colour, int move, PlaceMode mode) {
    GameState& s = state_;
    if (mode == PlaceMode::Click && occupied(col, row)) return {PlaceResult::Occupied, 0};

    // The stone goes down outside every group first, so that the liberty tests see the point
    // filled and a replaced stone (a damaged record) no longer counts for its old group.
    const std::int16_t oldStone = s.BoardGrid[col][row];
    const std::int16_t oldGroup = s.GroupGrid[col][row];
    s.BoardGrid[col][row] = static_cast<std::int16_t>(colour + 1);
    s.GroupGrid[col][row] = 0;
    // A replaced opposing stone may have held its group together; what is left of it must be
    // as many groups as it has parts, or a part without a liberty would live on the others'.
    // (Never a refused stone: a ko recapture goes on a point emptied the move before.)
    if (oldStone != 0 && oldStone != colour + 1) splitGroup(oldGroup);
    const Captures captures = capturesAround(col, row, colour);

    if (mode != PlaceMode::Rebuild && koRecapture(col, row, move, captures)) {
        s.BoardGrid[col][row] = oldStone;
        s.GroupGrid[col][row] = oldGroup;
        return {PlaceResult::Ko, 0};
    }

    // Captures always leave the stone a liberty, and so does an empty neighbour: only a stone
    // hemmed in that takes nothing can be suicide, which its joined group then tells.
    if (mode == PlaceMode::Click && captures[0] == 0 && hemmedIn(col, row)) {
        if (!joinUnlessSuicide(col, row, colour)) {
            s.BoardGrid[col][row] = oldStone;
            return {PlaceResult::Suicide, 0};
        }
    } else {
        joinGroups(col, row, colour);
    }

    s.MoveNoGrid[col][row] = static_cast<std::int16_t>(move);
    int captured = 0;
    for (int group : captures) {
        if (group == 0) break;
        captured += removeGroup(group, move);
    }
    return {PlaceResult::Placed, captured};
}

void Board::setUp(const SetupStone& stone) {
    GameState& s = state_;
    const int group = s.GroupGrid[stone.col][stone.row];
    s.BoardGrid[stone.col][stone.row] = 0;
    s.GroupGrid[stone.col][stone.row] = 0;
    s.MoveNoGrid[stone.col][stone.row] = 0;
    // What is left of the group the point held may now be several groups.
    splitGroup(group);
    if (stone.colour == kNoColour) return;
    s.BoardGrid[stone.col][stone.row] = static_cast<std::int16_t>(stone.colour + 1);
    joinGroups(stone.col, stone.row, stone.colour);
}

PlaceResult Board::clickResult(int col, int row, int colour, int move) const {
    const GameState& s = state_;
    if (occupied(col, row)) return PlaceResult::Occupied;
    // With the point filled, an opposing neighbour group whose last liberty it was is taken,
    // and the stone lives by an empty neighbour, a capture or a joined group that breathes.
    Captures captures{};
    std::size_t n = 0;
    bool lives = false;
    forEachNeighbour(col, row, [&](int nx, int ny) {
        const int stone = s.BoardGrid[nx][ny];
        const int group = s.GroupGrid[nx][ny];
        if (stone == 0) {
            lives = true;
        } else if (stone == colour + 1) {
            lives = lives || hasLibertyBesides(group, col, row);
        } else if (!hasLibertyBesides(group, col, row) &&
                   std::find(captures.begin(), captures.begin() + n, group) ==
                       captures.begin() + n) {
            captures[n++] = group;
        }
    });
    if (koRecapture(col, row, move, captures)) return PlaceResult::Ko;
    if (captures[0] == 0 && !lives) return PlaceResult::Suicide;
    return PlaceResult::Placed;
}

PlaceResult clickResult(const GameState& state, int col, int row, int colour, int move) {
    // Only const members run: the position is read, never written.
    const Board board(const_cast<GameState&>(state));
    return board.clickResult(col, row, colour, move);
}

bool Board::hasLibertyBesides(int group, int col, int row) const {
    const GameState& s = state_;
    if (group == 0) return false;
    for (int c = 1; c <= s.BoardSize; ++c) {
        for (int r = 1; r <= s.BoardSize; ++r) {
            if (s.GroupGrid[c][r] != group) continue;
            bool liberty = false;
            forEachNeighbour(c, r, [&](int nx, int ny) {
                if (s.BoardGrid[nx][ny] == 0 && (nx != col || ny != row)) liberty = true;
            });
            if (liberty) return true;
        }
    }
    return false;
}

bool Board::withoutLiberty(int group) const {
    // (0, 0) is no point of the board: every empty neighbour counts.
    return group != 0 && !hasLibertyBesides(group, 0, 0);
}

Board::Captures Board::capturesAround(int col, int row, int colour) const {
    const GameState& s = state_;
    Captures captures{};
    std::size_t n = 0;
    forEachNeighbour(col, row, [&](int nx, int ny) {
        const int stone = s.BoardGrid[nx][ny];
        const int group = s.GroupGrid[nx][ny];
        if (stone == 0 || stone == colour + 1) return;
        if (std::find(captures.begin(), captures.begin() + n, group) != captures.begin() + n)
            return;
        if (withoutLiberty(group)) captures[n++] = group;
    });
    return captures;
}

// The immediate retaking of a single stone: the stone goes on the point emptied by the
// single-stone capture of the move just before, and would itself take a single stone. Groups
// are taken in neighbour order and only a single-stone capture consults the ko memory, which
// still holds the previous move's capture when it does.
bool Board::koRecapture(int col, int row, int move, const Captures& captures) const {
    const GameState& s = state_;
    if (s.KoCol != col || s.KoRow != row || s.KoMove + 1 != move) return false;
    return std::any_of(captures.begin(), captures.end(),
                       [&](int group) { return group != 0 && groupSize(group) == 1; });
}

bool Board::hemmedIn(int col, int row) const {
    bool hemmed = true;
    forEachNeighbour(col, row,
                     [&](int nx, int ny) { hemmed = hemmed && state_.BoardGrid[nx][ny] != 0; });
    return hemmed;
}

// Joins the stone to its groups and keeps it when the joined group has a liberty; otherwise
// puts every group number back and leaves the point outside every group.
bool Board::joinUnlessSuicide(int col, int row, int colour) {
    GameState& s = state_;
    const Grid<std::int16_t> groupsBefore = s.GroupGrid;
    const int groupCountBefore = s.GroupCount;
    joinGroups(col, row, colour);
    if (!withoutLiberty(s.GroupGrid[col][row])) return true;
    s.GroupGrid = groupsBefore;
    s.GroupCount = groupCountBefore;
    return false;
}

void Board::joinGroups(int col, int row, int colour) {
    GameState& s = state_;
    int number = 0;
    forEachNeighbour(col, row, [&](int nx, int ny) {
        if (s.BoardGrid[nx][ny] != colour + 1) return;
        const int group = s.GroupGrid[nx][ny];
        if (number == 0) {
            number = group;
        } else {
            renumber(group, number);
        }
    });
    if (number == 0) number = ++s.GroupCount;
    s.GroupGrid[col][row] = static_cast<std::int16_t>(number);
}

void Board::renumber(int from, int to) {
    GameState& s = state_;
    if (from == to) return;
    for (int c = 1; c <= s.BoardSize; ++c) {
        for (int r = 1; r <= s.BoardSize; ++r) {
            if (s.GroupGrid[c][r] == from) s.GroupGrid[c][r] = static_cast<std::int16_t>(to);
        }
    }
}

// Takes the stones of `group` off as prisoners; a single stone taken is remembered for ko.
int Board::removeGroup(int group, int move) {
    GameState& s = state_;
    int removed = 0, lastCol = 0, lastRow = 0;
    for (int c = 1; c <= s.BoardSize; ++c) {
        for (int r = 1; r <= s.BoardSize; ++r) {
            if (s.GroupGrid[c][r] != group) continue;
            ++removed;
            lastCol = c;
            lastRow = r;
            ++s.Prisoners[s.BoardGrid[c][r] == kBlack + 1 ? 1 : 0];
            s.BoardGrid[c][r] = 0;
            s.GroupGrid[c][r] = 0;
        }
    }
    if (removed == 1) {
        s.KoCol = lastCol;
        s.KoRow = lastRow;
        s.KoMove = move;
    }
    return removed;
}

void Board::splitGroup(int group) {
    GameState& s = state_;
    if (group == 0) return;
    Grid<bool> seen{};
    bool firstPart = true;
    for (int c = 1; c <= s.BoardSize; ++c) {
        for (int r = 1; r <= s.BoardSize; ++r) {
            if (s.GroupGrid[c][r] != group || seen[c][r]) continue;
            // The first part keeps the number; every further part is a new group.
            const int number = firstPart ? group : ++s.GroupCount;
            firstPart = false;
            std::vector<std::pair<int, int>> stack{{c, r}};
            seen[c][r] = true;
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                s.GroupGrid[x][y] = static_cast<std::int16_t>(number);
                forEachNeighbour(x, y, [&](int nx, int ny) {
                    if (s.GroupGrid[nx][ny] != group || seen[nx][ny]) return;
                    seen[nx][ny] = true;
                    stack.emplace_back(nx, ny);
                });
            }
        }
    }
}

int Board::groupSize(int group) const {
    const GameState& s = state_;
    int size = 0;
    for (int c = 1; c <= s.BoardSize; ++c) {
        for (int r = 1; r <= s.BoardSize; ++r) size += s.GroupGrid[c][r] == group;
    }
    return size;
}

}  // namespace kelmaz
