#include "view/ui/BoardImage.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "view/ui/BoardView.h"

namespace kelmaz {

namespace {

const QString kPngFilter = QStringLiteral("PNG 画像 (*.png)");
const QString kSvgFilter = QStringLiteral("SVG 図 (*.svg)");

// A PNG drawn at screen resolution would be a small picture for a printed page; it is drawn at
// least this many times larger, which keeps every line as sharp as the vector drawing.
constexpr double kMinimumPngRatio = 3.0;

}  // namespace

BoardImageFormat boardImageFormatFor(const QString& path) {
    return QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0
               ? BoardImageFormat::Svg
               : BoardImageFormat::Png;
}

bool saveBoardImage(const GameState& state, const BoardOptions& options, QSize boardSize,
                    bool moveNumbers, const QString& path, BoardImageFormat format,
                    double pixelRatio) {
    if (boardSize.isEmpty()) return false;
    // A board view of its own paints the picture: the one on the window keeps its numbers
    // setting and its blinking marker.
    BoardOptions drawn = options;
    drawn.showNumbers = moveNumbers;
    BoardView view(state, drawn);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(boardSize);

    if (format == BoardImageFormat::Svg) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(boardSize);
        svg.setViewBox(QRect(QPoint(0, 0), boardSize));
        svg.setTitle(QStringLiteral("Kelmaz 碁盤"));
        svg.setDescription(QString::fromStdString(state.WindowTitle));
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        view.render(&painter);
        painter.end();
        // The generator does not report write errors; a file that is not there or is empty
        // was not written.
        return QFileInfo(path).size() > 0;
    }

    const double ratio = std::max(pixelRatio, kMinimumPngRatio);
    QImage image(QSize(int(std::ceil(boardSize.width() * ratio)),
                       int(std::ceil(boardSize.height() * ratio))),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        view.render(&painter);
    }
    return image.save(path, "PNG");
}

void saveBoardImageInteractively(QWidget* parent, const GameState& state,
                                 const BoardOptions& options, QSize boardSize) {
    QString filter = kPngFilter;
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("盤面を画像で保存"),
                                                QStringLiteral("board.png"),
                                                kPngFilter + QStringLiteral(";;") + kSvgFilter,
                                                &filter);
    if (path.isEmpty()) return;
    // A name typed without a suffix takes the suffix of the chosen type.
    if (QFileInfo(path).suffix().isEmpty())
        path += filter == kSvgFilter ? QStringLiteral(".svg") : QStringLiteral(".png");

    const auto answer = QMessageBox::question(
        parent, QStringLiteral("盤面を画像で保存"), QStringLiteral("石に手数の番号を付けますか?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
        options.showNumbers ? QMessageBox::Yes : QMessageBox::No);
    if (answer == QMessageBox::Cancel) return;

    const double ratio = parent ? parent->devicePixelRatioF() : 1.0;
    if (!saveBoardImage(state, options, boardSize, answer == QMessageBox::Yes, path,
                        boardImageFormatFor(path), ratio))
        QMessageBox::warning(parent, QStringLiteral("盤面を画像で保存"),
                             QStringLiteral("画像を保存できませんでした。\n") + path);
}

}  // namespace kelmaz
