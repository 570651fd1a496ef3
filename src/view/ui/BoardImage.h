#pragma once
// The board saved as a picture: PNG or SVG, painted by the same code as the board window, with
// or without move numbers, so that a diagram for a document looks exactly like the screen.
#include <QSize>
#include <QString>

#include "engine/BoardOptions.h"
#include "engine/GameState.h"

class QWidget;

namespace kelmaz {

enum class BoardImageFormat { Png, Svg };

// SVG when the file name ends in ".svg" (any case), PNG otherwise.
BoardImageFormat boardImageFormatFor(const QString& path);

// Paints the position of `state` as a board of `boardSize` device-independent pixels (the size
// of the board on the window) into `path`. A PNG is drawn at `pixelRatio` device pixels per
// pixel. Returns false when the file cannot be written.
bool saveBoardImage(const GameState& state, const BoardOptions& options, QSize boardSize,
                    bool moveNumbers, const QString& path, BoardImageFormat format,
                    double pixelRatio);

// The "盤面を画像で保存" command: asks for the file and whether to number the stones, saves,
// and tells the user when the file cannot be written.
void saveBoardImageInteractively(QWidget* parent, const GameState& state,
                                 const BoardOptions& options, QSize boardSize);

}  // namespace kelmaz
