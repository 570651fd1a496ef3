#pragma once
// A game cut into numbered figures, as a printed record shows it. Each figure shows the stones
// standing before its first move without numbers, then every move of the figure by its number
// on its point. A move on a point that already shows something in the figure is written in a
// note below it instead: "15＝8" when the point shows the number 8, "15＝A" when it shows a
// stone from before the figure, which then carries the letter A (letters are given in order,
// A to Z, then AA, AB, ...); a pass is the note "15 パス".
#include <string>
#include <vector>

#include "diagram/LineOfPlay.h"

namespace kelmaz {

inline constexpr int kDefaultMovesPerFigure = 100;

struct FigureOptions {
    int movesPerFigure = kDefaultMovesPerFigure;
    // When not empty, the moves that start a figure (move 1 always does); otherwise a figure
    // holds movesPerFigure moves. A figure also starts where the record asks for one.
    std::vector<int> firstMoves;
    bool restartNumbers = false;  // every figure numbers its moves from 1 (各図1から)
};

struct FigureStone {
    int col = 0, row = 0;
    int colour = kBlack;
    int number = 0;    // the number shown on it; 0 for a stone from before the figure
    std::string mark;  // the letter of a stone from before the figure that a note names
};

enum class NoteKind { OnNumber, OnMarkedStone, Pass };

struct FigureNote {
    int number = 0;  // the move, numbered as the figure numbers it
    NoteKind kind = NoteKind::Pass;
    int shownNumber = 0;  // OnNumber: the number the point shows
    std::string mark;     // OnMarkedStone: the letter the point shows
};

struct Figure {
    int firstMove = 0, lastMove = 0;  // moves of the game, from 1
    int firstNumber = 0;              // the number move firstMove shows
    std::vector<FigureStone> stones;  // by column, then row
    std::vector<FigureNote> notes;    // in the order of the moves
};

// The moves that start each figure, in order. Empty for a line without moves.
std::vector<int> figureStarts(const LineOfPlay& line, const FigureOptions& options);

// The figures of the line. A line without moves gives one figure of its setup stones.
std::vector<Figure> buildFigures(const LineOfPlay& line, const FigureOptions& options);

}  // namespace kelmaz
