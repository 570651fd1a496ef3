#include "support/BoardDiagram.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/Board.h"

namespace kelmaz::test {
namespace {

std::vector<std::string> diagramLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first != std::string_view::npos) {
            line = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
            lines.emplace_back(line);
        }
        start = end + 1;
    }
    return lines;
}

std::string point(int c, int r) { return std::to_string(c) + "," + std::to_string(r); }

}  // namespace

std::string diagram(std::string_view text) {
    std::string out;
    for (const std::string& line : diagramLines(text)) out += line + "\n";
    return out;
}

std::vector<std::string> diagramRows(const GameState& s) {
    std::vector<std::string> rows;
    for (int r = 1; r <= s.BoardSize; ++r) {
        std::string row;
        for (int c = 1; c <= s.BoardSize; ++c) row += pointCharacter(s.BoardGrid[c][r]);
        rows.push_back(row);
    }
    return rows;
}

std::string diagramOf(const GameState& s) {
    std::string out;
    for (const std::string& row : diagramRows(s)) out += row + "\n";
    return out;
}

char pointCharacter(int point) {
    return point == 0 ? '.' : point == kBlack + 1 ? 'X' : point == kWhite + 1 ? 'O' : '?';
}

GameState positionOf(std::string_view text, StoneTally* placed) {
    const std::vector<std::string> lines = diagramLines(text);
    const int size = static_cast<int>(lines.size());
    GameState s;
    EXPECT_TRUE(size >= 2 && size <= kMaxBoardSize) << "a board of " << size << " lines";
    if (size < 2 || size > kMaxBoardSize) return s;
    Board board(s);
    board.clear(size);
    StoneTally tally;
    int move = 0;
    for (int r = 1; r <= size; ++r) {
        const std::string& line = lines[r - 1];
        EXPECT_EQ(static_cast<int>(line.size()), size) << "row " << r << ": " << line;
        for (int c = 1; c <= std::min(size, static_cast<int>(line.size())); ++c) {
            const char ch = line[c - 1];
            if (ch == '.') continue;
            EXPECT_TRUE(ch == 'X' || ch == 'O') << "row " << r << ": '" << ch << "'";
            if (ch != 'X' && ch != 'O') continue;
            const int colour = ch == 'X' ? kBlack : kWhite;
            const PlaceOutcome outcome = board.place(c, r, colour, ++move, PlaceMode::Rebuild);
            EXPECT_EQ(outcome.captured, 0)
                << "the diagram's stone at " << point(c, r) << " takes stones";
            ++(colour == kBlack ? tally.black : tally.white);
        }
    }
    if (placed) *placed = tally;
    return s;
}

std::string boardFault(const GameState& s, StoneTally placed) {
    const int n = s.BoardSize;
    for (int c = 0; c <= kMaxBoardSize; ++c) {
        for (int r = 0; r <= kMaxBoardSize; ++r) {
            if (s.onBoard(c, r)) continue;
            if (s.BoardGrid[c][r] != 0 || s.GroupGrid[c][r] != 0)
                return "point " + point(c, r) + " off the board holds a stone or a group";
        }
    }

    // Every stone's group by a walk over its own colour; the walk must meet exactly the
    // stones that carry its number.
    StoneTally onBoard;
    Grid<bool> walked{};
    for (int c = 1; c <= n; ++c) {
        for (int r = 1; r <= n; ++r) {
            const int stone = s.BoardGrid[c][r];
            const int group = s.GroupGrid[c][r];
            if (stone == 0) {
                if (group != 0)
                    return "empty point " + point(c, r) + " is in group " + std::to_string(group);
                continue;
            }
            if (stone != kBlack + 1 && stone != kWhite + 1)
                return "point " + point(c, r) + " holds " + std::to_string(stone);
            ++(stone == kBlack + 1 ? onBoard.black : onBoard.white);
            if (group <= 0 || group > s.GroupCount)
                return "stone " + point(c, r) + " carries group number " + std::to_string(group) +
                       " (GroupCount " + std::to_string(s.GroupCount) + ")";
            if (walked[c][r]) continue;
            int members = 0;
            bool liberty = false;
            std::vector<std::pair<int, int>> stack{{c, r}};
            walked[c][r] = true;
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                ++members;
                if (s.GroupGrid[x][y] != group)
                    return "stones " + point(c, r) + " and " + point(x, y) +
                           " touch but carry groups " + std::to_string(group) + " and " +
                           std::to_string(s.GroupGrid[x][y]);
                const std::pair<int, int> next[] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
                for (const auto& [a, b] : next) {
                    if (!s.onBoard(a, b)) continue;
                    if (s.BoardGrid[a][b] == 0) liberty = true;
                    if (s.BoardGrid[a][b] == stone && !walked[a][b]) {
                        walked[a][b] = true;
                        stack.emplace_back(a, b);
                    }
                }
            }
            int carrying = 0;
            for (int x = 1; x <= n; ++x)
                for (int y = 1; y <= n; ++y) carrying += s.GroupGrid[x][y] == group;
            if (carrying != members)
                return "group " + std::to_string(group) + " of " + point(c, r) + " has " +
                       std::to_string(members) + " connected stones but " +
                       std::to_string(carrying) + " carry its number";
            if (!liberty)
                return "group " + std::to_string(group) + " of " + point(c, r) +
                       " stands without a liberty";
        }
    }

    if (onBoard.black + s.Prisoners[1] != placed.black)
        return std::to_string(onBoard.black) + " black stones on the board and " +
               std::to_string(s.Prisoners[1]) + " taken, but " + std::to_string(placed.black) +
               " placed";
    if (onBoard.white + s.Prisoners[0] != placed.white)
        return std::to_string(onBoard.white) + " white stones on the board and " +
               std::to_string(s.Prisoners[0]) + " taken, but " + std::to_string(placed.white) +
               " placed";
    return {};
}

}  // namespace kelmaz::test
