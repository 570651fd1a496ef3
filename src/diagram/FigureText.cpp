#include "diagram/FigureText.h"

#include <algorithm>

#include "diagram/FigureCaptions.h"
#include "view/BoardGeometry.h"

namespace kelmaz {

namespace {

std::string cellText(const FigureStone& stone) {
    if (stone.number > 0) return std::to_string(stone.number);
    std::string text(1, stone.colour == kWhite ? 'O' : 'X');
    return text.append(stone.mark);
}
}  // namespace

std::string figureText(const Figure& figure, std::size_t index, int boardSize) {
    const int n = std::clamp(boardSize, 1, kMaxBoardSize);
    std::vector<std::string> cells(std::size_t(n * n), ".");
    const auto cell = [&](int col, int row) -> std::string& {
        return cells[std::size_t((row - 1) * n + col - 1)];
    };
    for (const GridPoint& star : starPoints(n)) cell(star.col, star.row).assign(1, '+');
    std::size_t width = 2;
    for (const FigureStone& stone : figure.stones) {
        if (stone.col < 1 || stone.col > n || stone.row < 1 || stone.row > n) continue;
        cell(stone.col, stone.row) = cellText(stone);
        width = std::max(width, cell(stone.col, stone.row).size() + 1);
    }
    std::string out = figureTitle(figure, index) + "\n";
    for (int row = 1; row <= n; ++row) {
        for (int col = 1; col <= n; ++col) {
            const std::string& text = cell(col, row);
            out.append(width - text.size(), ' ');
            out += text;
        }
        out += '\n';
    }
    for (const FigureNote& note : figure.notes) out += noteText(note, NoteStyle::Plain) + "\n";
    return out;
}

std::string figuresText(const std::vector<Figure>& figures, int boardSize) {
    std::string out;
    for (std::size_t i = 0; i < figures.size(); ++i) {
        if (i > 0) out += '\n';
        out += figureText(figures[i], i, boardSize);
    }
    return out;
}

}  // namespace kelmaz
