#include "view/BoardGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "base/PadField.h"

namespace kelmaz {

int GridPitch(int windowWidth, int boardSize) {
    if (boardSize <= 0) return 1;
    const double exact = (windowWidth - windowWidth / 9.0) / boardSize;
    const double rounded = std::nearbyint(std::clamp(exact, 1.0, double(INT16_MAX)));
    return static_cast<int>(rounded);
}

double stoneRadius(int pitch) { return pitch / 2.0 - pitch / 20.0; }
double starPointRadius(int pitch) { return pitch / 270.0 * 30.0; }
double markerRadius(int pitch) { return stoneRadius(pitch) / 3.0; }
double highlightDotRadius(int pitch) { return stoneRadius(pitch) / 7.0; }

namespace {

// Snaps one axis to the nearest line; -1 when that lies outside the board.
int snap(int v, int pitch, int boardSize) {
    v = 2 * (v / 2);
    const int m = v % pitch;
    if (m > pitch / 2.0) {
        v += pitch - m;
    } else {
        v -= m;
    }
    if (v < pitch / 2.0 || v > boardSize * pitch + pitch / 2.0) return -1;
    return v;
}

}  // namespace

HitResult getpos(int x, int y, int pitch, int boardSize) {
    HitResult hit;
    if (pitch <= 0) return hit;
    hit.x = snap(x, pitch, boardSize);
    hit.y = snap(y, pitch, boardSize);
    if (hit.onBoard()) {
        hit.col = hit.x / pitch;
        hit.row = hit.y / pitch;
    }
    return hit;
}

std::vector<GridPoint> starPoints(int boardSize) {
    std::vector<GridPoint> points;
    const auto grid = [&](std::initializer_list<int> lines) {
        for (int i : lines) {
            for (int j : lines) points.push_back({i, j});
        }
    };
    if (boardSize == 19 || boardSize == 13) {
        // The program's own boards: every crossing of lines 4, 10 and 16 within the board.
        for (int i = 4; i <= boardSize; i += 6) {
            for (int j = 4; j <= boardSize; j += 6) points.push_back({i, j});
        }
    } else if (boardSize >= 14) {
        grid({4, boardSize - 3});
    } else if (boardSize >= 7 && boardSize != 9) {
        grid({3, boardSize - 2});
        if (boardSize % 2 == 1) points.push_back({(boardSize + 1) / 2, (boardSize + 1) / 2});
    }
    return points;
}

BoardLabels boardLabels(int boardSize, int pitch, bool digits, bool rotated) {
    BoardLabels labels;
    labels.fontPoints = digits ? 9 : 10;
    const int edge = boardSize == 9 ? 100 : 50;
    for (int i = 1; i <= boardSize; ++i) {
        const int n = rotated ? boardSize + 1 - i : i;
        const std::string text =
            digits ? PadField(n, 2) : PadField(std::string(1, static_cast<char>('a' + n - 1)), 2);
        labels.top.push_back({text, i * pitch, edge});
        labels.left.push_back({text, edge, i * pitch});
    }
    return labels;
}

int moveNumberFontSize(double w, double r) {
    if (w < r) return 13;
    if (3 * w / 5 < r) return 12;
    if (w / 3 < r) return 10;
    if (w / 4 < r) return 7;
    return 5;
}

std::vector<DotOffset> highlightDots(int pitch) {
    const double p = pitch;
    return {{-p / 4, p / 8}, {-p / 5, p / 5}, {-p / 6, p / 4}};
}

int windowHeightFor(int width, bool panelShown, bool commentaryShown, int boardSize) {
    const bool nine = boardSize == 9;
    if (!panelShown) return width + (nine ? 900 : 600);
    if (commentaryShown) return width + (nine ? 1500 : 1300);
    return width + (nine ? 1300 : 800);
}

PanelLayout panelLayout(int pitch, int boardSize, bool commentaryShown) {
    PanelLayout layout;
    const int boardEdge = boardSize * pitch + static_cast<int>(std::lround(2.0 * pitch / 3.0));
    layout.panel = {kBoardMargin, kBoardMargin + boardEdge + 20, kBoardMargin + boardEdge,
                    commentaryShown ? 1200 : 475};

    // One row: the move-number box, then eight equal buttons 50 twips apart, as wide as the
    // panel allows (at most 450).
    constexpr int gap = 50, rowTop = 20, buttonHeight = 300;
    layout.moveNumberBox = {200, rowTop + 10, 550, 280};
    const int first = layout.moveNumberBox.right() + gap;
    const int room = layout.panel.width - 100 - first;
    const int width = std::clamp((room + gap) / kPanelButtons - gap, 60, 450);
    for (int i = 0; i < kPanelButtons; ++i) {
        layout.buttons.push_back({first + i * (width + gap), rowTop, width, buttonHeight});
    }
    const int commentTop = rowTop + buttonHeight + 40;
    layout.commentary = {150, commentTop, std::max(layout.panel.width - 300, 300),
                         std::max(layout.panel.height - commentTop - 60, 0)};
    return layout;
}

TwipRect placeOnScreens(TwipRect frame, const std::vector<TwipRect>& screens) {
    if (screens.empty()) return frame;
    const auto overlapArea = [&](const TwipRect& s) {
        const long long w = std::min(frame.right(), s.right()) - std::max(frame.left, s.left);
        const long long h = std::min(frame.bottom(), s.bottom()) - std::max(frame.top, s.top);
        return std::max(w, 0LL) * std::max(h, 0LL);
    };
    const TwipRect* best = &screens.front();
    long long bestArea = 0;
    for (const auto& s : screens) {
        if (overlapArea(s) > bestArea) {
            bestArea = overlapArea(s);
            best = &s;
        }
    }
    if (bestArea == 0) {
        // Off every screen: near the first screen's corner.
        frame.left = best->left + 200;
        frame.top = best->top + 200;
    }
    frame.width = std::min(frame.width, best->width);
    frame.height = std::min(frame.height, best->height);
    frame.left = std::clamp(frame.left, best->left, best->right() - frame.width);
    frame.top = std::clamp(frame.top, best->top, best->bottom() - frame.height);
    return frame;
}

int boardLayoutWidth(int width, int height, bool panelShown, bool commentaryShown, int boardSize) {
    return std::min(width, height - windowHeightFor(0, panelShown, commentaryShown, boardSize));
}

}  // namespace kelmaz
