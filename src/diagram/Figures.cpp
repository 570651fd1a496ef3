#include "diagram/Figures.h"

#include <algorithm>
#include <memory>

#include "engine/Board.h"

namespace kelmaz {

namespace {

// A's letter for the 1st marked stone, Z's for the 26th, then AA, AB, ...
std::string markLetters(int index) {
    std::string letters;
    for (int i = index;; i = i / 26 - 1) {
        letters.insert(letters.begin(), char('A' + i % 26));
        if (i < 26) break;
    }
    return letters;
}

// What the figure shows on one point.
struct ShownPoint {
    int colour = -1;  // -1: nothing
    int number = 0;
    std::string mark;
};

// Replays the line stone by stone with the program's own rules, so that captures are taken
// exactly as the board shows them.
class Replay {
  public:
    explicit Replay(int size) : state_(std::make_unique<GameState>()), board_(*state_) {
        state_->BoardSize = size;
        board_.clear(size);
    }
    bool onBoard(int col, int row) const { return state_->onBoard(col, row); }
    void put(int col, int row, int colour, int move) {
        board_.place(col, row, colour, move, PlaceMode::Rebuild);
    }
    // The colour of the stone on a point, -1 when it is empty.
    int stoneAt(int col, int row) const { return state_->BoardGrid[col][row] - 1; }

  private:
    std::unique_ptr<GameState> state_;
    Board board_;
};

class FigureBuilder {
  public:
    FigureBuilder(int size, Replay& replay)
        : size_(size), replay_(replay), shown_(std::size_t(size * size)) {
        for (int c = 1; c <= size; ++c)
            for (int r = 1; r <= size; ++r) at(c, r).colour = replay.stoneAt(c, r);
    }

    // A stone set up during the figure shows where the figure shows nothing yet.
    void setUp(const PlacedStone& stone, int move) {
        if (!replay_.onBoard(stone.col, stone.row)) return;
        replay_.put(stone.col, stone.row, stone.colour, move);
        ShownPoint& point = at(stone.col, stone.row);
        if (point.colour < 0) point.colour = stone.colour;
    }

    void play(const LineMove& move, int moveNo, int number, std::vector<FigureNote>& notes) {
        if (move.pass() || !replay_.onBoard(move.col, move.row)) {
            notes.push_back({number, NoteKind::Pass, 0, {}});
            return;
        }
        ShownPoint& point = at(move.col, move.row);
        if (point.colour < 0) {
            point = {move.colour, number, {}};
        } else if (point.number > 0) {
            notes.push_back({number, NoteKind::OnNumber, point.number, {}});
        } else {
            if (point.mark.empty()) point.mark = markLetters(marks_++);
            notes.push_back({number, NoteKind::OnMarkedStone, 0, point.mark});
        }
        replay_.put(move.col, move.row, move.colour, moveNo);
    }

    std::vector<FigureStone> stones() const {
        std::vector<FigureStone> out;
        for (int c = 1; c <= size_; ++c) {
            for (int r = 1; r <= size_; ++r) {
                const ShownPoint& point = shown_[index(c, r)];
                if (point.colour >= 0)
                    out.push_back({c, r, point.colour, point.number, point.mark});
            }
        }
        return out;
    }

  private:
    std::size_t index(int col, int row) const { return std::size_t((col - 1) * size_ + row - 1); }
    ShownPoint& at(int col, int row) { return shown_[index(col, row)]; }

    int size_;
    Replay& replay_;
    std::vector<ShownPoint> shown_;
    int marks_ = 0;
};

}  // namespace

std::vector<int> figureStarts(const LineOfPlay& line, const FigureOptions& options) {
    const int last = int(line.moves.size());
    std::vector<int> starts;
    if (last == 0) return starts;
    std::vector<bool> startsHere(std::size_t(last) + 1, false);
    startsHere[1] = true;
    for (int m = 1; m <= last; ++m)
        if (line.moves[std::size_t(m - 1)].startsFigure) startsHere[std::size_t(m)] = true;
    for (int m : options.firstMoves)
        if (m >= 1 && m <= last) startsHere[std::size_t(m)] = true;
    // The fixed count applies when no list is given, counted afresh from every start.
    const int perFigure = std::max(1, options.movesPerFigure);
    int sinceStart = 0;
    for (int m = 1; m <= last; ++m) {
        if (options.firstMoves.empty() && sinceStart == perFigure)
            startsHere[std::size_t(m)] = true;
        if (startsHere[std::size_t(m)]) {
            starts.push_back(m);
            sinceStart = 0;
        }
        ++sinceStart;
    }
    return starts;
}

std::vector<Figure> buildFigures(const LineOfPlay& line, const FigureOptions& options) {
    const int size = std::clamp(line.boardSize, 1, kMaxBoardSize);
    Replay replay(size);
    for (const PlacedStone& stone : line.setup)
        if (replay.onBoard(stone.col, stone.row)) replay.put(stone.col, stone.row, stone.colour, 0);

    const std::vector<int> starts = figureStarts(line, options);
    const int last = int(line.moves.size());
    std::vector<Figure> figures;
    if (starts.empty()) {
        figures.push_back({1, 0, 1, FigureBuilder(size, replay).stones(), {}});
        return figures;
    }
    for (std::size_t f = 0; f < starts.size(); ++f) {
        Figure figure;
        figure.firstMove = starts[f];
        figure.lastMove = f + 1 < starts.size() ? starts[f + 1] - 1 : last;
        figure.firstNumber = options.restartNumbers ? 1 : figure.firstMove;
        FigureBuilder builder(size, replay);
        for (int m = figure.firstMove; m <= figure.lastMove; ++m) {
            const LineMove& move = line.moves[std::size_t(m - 1)];
            for (const PlacedStone& stone : move.setupBefore) builder.setUp(stone, m);
            builder.play(move, m, figure.firstNumber + m - figure.firstMove, figure.notes);
        }
        figure.stones = builder.stones();
        figures.push_back(std::move(figure));
    }
    return figures;
}

}  // namespace kelmaz
