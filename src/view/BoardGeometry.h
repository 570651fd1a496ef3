#pragma once
// Where everything on the board window lies, in twips (15 twips = 1 pixel): the grid pitch,
// the hit test of a click, star points, coordinate labels, stone and marker sizes, the font
// size of a move number, the window height that follows the width, and the control panel.
// The crossing of column c and row r is drawn at (kBoardMargin + c*p, kBoardMargin + r*p).
#include <string>
#include <vector>

#include "base/Twips.h"

namespace kelmaz {

inline constexpr int kBoardMargin = 100;

struct TwipRect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const TwipRect&) const = default;
};

// p = 8/9 of the window width divided by the number of lines, to the nearest integer (ties to
// even); never less than 1, so that the hit test can always divide by it.
int GridPitch(int windowWidth, int boardSize);

double stoneRadius(int pitch);      // p/2 - p/20
double starPointRadius(int pitch);  // p/9
double markerRadius(int pitch);     // a third of the stone radius
double highlightDotRadius(int pitch);

// Result of the hit test. x and y are the snapped position relative to the margin (or -1 when
// the click is outside the board on that axis); col and row are 1..boardSize on the board.
struct HitResult {
    int x = -1, y = -1;
    int col = 0, row = 0;
    bool onBoard() const { return x >= 0 && y >= 0; }
};
// x and y: the click in twips with the margin already subtracted. A click exactly half-way
// between two lines goes to the lower-numbered one; a click more than half a pitch outside the
// outermost line is off the board.
HitResult getpos(int x, int y, int pitch, int boardSize);

struct GridPoint {
    int col = 0, row = 0;
    bool operator==(const GridPoint&) const = default;
};
// Star points: on 19 and 13 lines every (i, j) with i, j in 4, 10, 16 within the board; none
// on 9 lines. Records of other sizes: none below 7 lines, the 3-3 points (and the centre of an
// odd board) up to 12 lines, the 4-4 points from 14 lines.
std::vector<GridPoint> starPoints(int boardSize);

struct Label {
    std::string text;  // two characters, right-aligned
    int x = 0, y = 0;  // top-left corner of the text
};
struct BoardLabels {
    int fontPoints = 9;  // 9 for digits, 10 for letters
    std::vector<Label> top, left;
};
BoardLabels boardLabels(int boardSize, int pitch, bool digits, bool rotated);

// The font size (points) of a move number whose text is textWidthAt14 twips wide at 14 points.
int moveNumberFontSize(double textWidthAt14, double radius);

// Highlight dots of a black stone, offsets from the stone's centre.
struct DotOffset {
    double dx = 0, dy = 0;
};
std::vector<DotOffset> highlightDots(int pitch);

// The window height that follows its width, by what the window shows.
int windowHeightFor(int width, bool panelShown, bool commentaryShown, int boardSize);
// The width the board is laid out for in a window of width x height: the width itself, or
// less where the height leaves less room than windowHeightFor asks (a maximised or tiled
// window, one the screen is too low for), so that the whole board and the panel show.
int boardLayoutWidth(int width, int height, bool panelShown, bool commentaryShown, int boardSize);

// The control panel below the board and the controls inside it (coordinates inside the panel).
struct PanelLayout {
    TwipRect panel;
    TwipRect moveNumberBox;
    std::vector<TwipRect> buttons;  // go-to, first, back, forward, last, replay, new window, clear
    TwipRect commentary;
};
inline constexpr int kPanelButtons = 8;
PanelLayout panelLayout(int pitch, int boardSize, bool commentaryShown);

// Where a window's outer frame (title bar included) goes: wholly within the screen it shows
// most on, moved in and, when larger than that screen, shrunk to it. A window off every screen
// goes near the first screen's top-left corner.
TwipRect placeOnScreens(TwipRect frame, const std::vector<TwipRect>& screens);

}  // namespace kelmaz
