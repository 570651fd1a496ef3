#pragma once
// The figures as plain text, for the terminal and for comparing two versions of a record: per
// figure its title, the board (one row per line, each point a right-aligned cell: "." empty,
// "+" a star point, "X" and "O" stones from before the figure, "XA" such a stone marked A,
// else the number of the move on it), then its notes one per line: "n=m" for a move on the
// point numbered m, "n=A" on the stone marked A, "n=pass" for a pass.
#include <string>
#include <vector>

#include "diagram/Figures.h"

namespace kelmaz {

std::string figureText(const Figure& figure, std::size_t index, int boardSize);

// Every figure, one blank line between two.
std::string figuresText(const std::vector<Figure>& figures, int boardSize);

}  // namespace kelmaz
