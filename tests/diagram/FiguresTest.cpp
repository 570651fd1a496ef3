// The figures of a line of play: where figures start, which moves are numbered and which are
// noted, checked on small boards and against an independent replay of real games.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "diagram/FigureCaptions.h"
#include "diagram/Figures.h"
#include "diagram/RecordLine.h"
#include "intake/RecordTool.h"
#include "support/ReferenceBoard.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

// Moves as SGF points separated by blanks, colours alternating from `first`; "--" is a pass.
LineOfPlay lineOf(int size, const std::string& moves, int first = kBlack) {
    LineOfPlay line;
    line.boardSize = size;
    std::istringstream in(moves);
    int colour = first;
    for (std::string point; in >> point; colour = kWhite - colour) {
        LineMove move;
        move.colour = colour;
        if (point != "--") {
            move.col = point[0] - 'a' + 1;
            move.row = point[1] - 'a' + 1;
        }
        line.moves.push_back(move);
    }
    return line;
}

// Every figure's notes in plain style, figures separated by "|".
std::string notesOf(const std::vector<Figure>& figures) {
    std::string out;
    for (std::size_t f = 0; f < figures.size(); ++f) {
        if (f > 0) out += "|";
        for (std::size_t i = 0; i < figures[f].notes.size(); ++i)
            out += (i ? " " : "") + noteText(figures[f].notes[i], NoteStyle::Plain);
    }
    return out;
}

struct FigureCase {
    const char* name;
    int size;
    const char* moves;
    int firstColour;
    std::vector<PlacedStone> setup;
    FigureOptions options;
    const char* notes;
    const char* numbered;  // the numbers the last figure shows, ascending
};

std::string numbersShown(const Figure& figure) {
    std::set<int> numbers;
    for (const FigureStone& stone : figure.stones)
        if (stone.number > 0) numbers.insert(stone.number);
    std::string out;
    for (int n : numbers) out += (out.empty() ? "" : " ") + std::to_string(n);
    return out;
}

TEST(Figures, NotesNumbersAndBreaksOnSmallBoards) {
    // The ko: White 8 is taken by 9, retaken by 12 and 18, and 9's point retaken by 15.
    const char* ko = "ba ca ab db bc cc ee bb cb ea ae bb dd ed cb ad bd bb";
    // White 4 takes the corner stone 1; White 6 is played where it stood.
    const char* corner = "aa ba ee ab cc aa";
    const std::vector<FigureCase> cases = {
        {"KoRetakesNotedAgainstTheNumberShown",
         5,
         ko,
         kBlack,
         {},
         {},
         "12=8 15=9 18=8",
         "1 2 3 4 5 6 7 8 9 10 11 13 14 16 17"},
        {"CaptureThenReplayInsideOneFigure", 5, corner, kBlack, {}, {}, "6=1", "1 2 3 4 5"},
        {"StoneCapturedInTheFigureBeforeIsNumberedAgain",
         5,
         corner,
         kBlack,
         {},
         {5, {}, false},
         "|",
         "6"},
        {"ReplayOnAStoneFromBeforeTheFigureNamesItsLetter",
         5,
         corner,
         kBlack,
         {},
         {100, {4}, false},
         "|6=A",
         "4 5"},
        {"RestartNumbersCountsEachFigureFromOne",
         5,
         corner,
         kBlack,
         {},
         {3, {}, true},
         "|3=A",
         "1 2"},
        {"PassIsNotedAndStillNumbered", 5, "cc -- dd", kBlack, {}, {}, "2=pass", "1 3"},
        {"HandicapStonesStandPlainAndWhiteMovesFirst",
         9,
         "cc gg",
         kWhite,
         {{3, 7, kBlack}, {7, 3, kBlack}},
         {},
         "",
         "1 2"},
        {"NoMovesGivesOneFigureOfTheSetup", 5, "", kBlack, {{3, 3, kBlack}}, {}, "", ""},
    };
    for (const FigureCase& c : cases) {
        SCOPED_TRACE(c.name);
        LineOfPlay line = lineOf(c.size, c.moves, c.firstColour);
        line.setup = c.setup;
        const std::vector<Figure> figures = buildFigures(line, c.options);
        EXPECT_EQ(notesOf(figures), c.notes);
        ASSERT_FALSE(figures.empty());
        EXPECT_EQ(numbersShown(figures.back()), c.numbered);
    }
}

TEST(Figures, StartsFollowTheCountTheListAndTheRecordsBreaks) {
    LineOfPlay line;
    line.moves.assign(250, LineMove{});
    line.moves[119].startsFigure = true;  // move 120
    EXPECT_EQ(figureStarts(line, {}), (std::vector<int>{1, 101, 120, 220}));
    EXPECT_EQ(figureStarts(line, {50, {}, false}), (std::vector<int>{1, 51, 101, 120, 170, 220}));
    EXPECT_EQ(figureStarts(line, {100, {30, 0, 999, 30}, false}), (std::vector<int>{1, 30, 120}));
    EXPECT_EQ(figureTitle(buildFigures(line, {}).back(), 3), "第4譜（220〜250）");
}

// ---- every move of real games appears exactly once, checked against the shared reference board
// ----

// The stones standing on the shared reference board, by point, as colour codes.
std::map<std::pair<int, int>, int> stonesOn(const test::ReferenceBoard& board, int size) {
    std::map<std::pair<int, int>, int> out;
    for (int c = 1; c <= size; ++c)
        for (int r = 1; r <= size; ++r)
            if (board.at(c, r) != 0) out[{c, r}] = board.at(c, r) - 1;
    return out;
}

void expectEveryMoveOnce(const LineOfPlay& line, const std::vector<Figure>& figures) {
    test::ReferenceBoard board(line.boardSize);
    for (const PlacedStone& s : line.setup) board.play(s.col, s.row, s.colour);
    std::size_t seen = 0;
    for (const Figure& figure : figures) {
        std::map<std::pair<int, int>, int> plain;
        std::map<int, const FigureStone*> numbered;
        for (const FigureStone& s : figure.stones) {
            if (s.number > 0)
                numbered[s.number] = &s;
            else
                plain[{s.col, s.row}] = s.colour;
        }
        // Every stone standing before the figure shows plain; any other plain stone is one the
        // record sets up during the figure.
        std::map<std::pair<int, int>, int> expected = stonesOn(board, line.boardSize);
        for (int m = figure.firstMove; m <= figure.lastMove; ++m)
            for (const PlacedStone& stone : line.moves[std::size_t(m - 1)].setupBefore)
                if (plain.count({stone.col, stone.row}) && !expected.count({stone.col, stone.row}))
                    expected[{stone.col, stone.row}] = stone.colour;
        EXPECT_EQ(plain, expected) << "stones before move " << figure.firstMove;
        std::map<int, int> noted;
        for (const FigureNote& note : figure.notes) ++noted[note.number];
        std::map<int, std::pair<int, int>> pointOf;
        for (int m = figure.firstMove; m <= figure.lastMove; ++m) {
            const LineMove& move = line.moves[std::size_t(m - 1)];
            const std::pair<int, int> point{move.col, move.row};
            pointOf[m] = point;
            const int shownCount = int(numbered.count(m)) + noted[m];
            EXPECT_EQ(shownCount, 1) << "move " << m;
            ++seen;
            if (numbered.count(m)) {
                EXPECT_EQ(std::make_pair(numbered[m]->col, numbered[m]->row), point) << m;
                EXPECT_EQ(numbered[m]->colour, move.colour) << m;
            }
            for (const FigureNote& note : figure.notes) {
                if (note.number != m) continue;
                EXPECT_EQ(note.kind == NoteKind::Pass, move.pass()) << m;
                if (note.kind == NoteKind::OnNumber) {
                    EXPECT_EQ(pointOf[note.shownNumber], point) << m;
                }
                if (note.kind == NoteKind::OnMarkedStone) {
                    EXPECT_TRUE(plain.count(point)) << m;
                }
            }
            for (const PlacedStone& stone : move.setupBefore)
                if (board.onBoard(stone.col, stone.row))
                    board.play(stone.col, stone.row, stone.colour);
            if (!move.pass()) board.play(move.col, move.row, move.colour);
        }
    }
    EXPECT_EQ(seen, line.moves.size());
}

TEST(Figures, EveryMoveOfRealGamesAppearsExactlyOnceAgainstAReplayOfOurOwn) {
    int games = 0;
    for (const char* folder : {"games_plain", "games_commented", "handicap"}) {
        for (const auto& entry : std::filesystem::directory_iterator(test::recordsDir() / folder)) {
            SCOPED_TRACE(entry.path().filename().string());
            ToolRecord record;
            const RecordReadResult read = readRecordForTool(entry.path().string(), record);
            // A game longer than the record holds is read up to its 500th move.
            ASSERT_TRUE(read.status == RecordReadResult::Status::Ok ||
                        record.state.hasMove(kMaxMoves))
                << read.message;
            const LineOfPlay line = lineOfRecord(record.state);
            ASSERT_FALSE(line.moves.empty());
            expectEveryMoveOnce(line, buildFigures(line, {}));
            ++games;
        }
    }
    EXPECT_GE(games, 40);
}

}  // namespace
}  // namespace kelmaz
