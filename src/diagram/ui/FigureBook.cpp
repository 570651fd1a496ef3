#include "diagram/ui/FigureBook.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <memory>

#include "diagram/FigureCaptions.h"
#include "view/BoardGeometry.h"
#include "view/ui/BoardView.h"

namespace kelmaz {

namespace {

// Sizes on paper, in millimetres.
constexpr double kMarginMm = 15;
constexpr double kTitleFontMm = 4.2, kTitleHeightMm = 8;
constexpr double kNoteFontMm = 3.4, kNoteLineMm = 5;
constexpr double kHeaderFontMm = 3.6, kHeaderLineMm = 6;
constexpr double kPageNumberHeightMm = 8;
constexpr double kGapMm = 2;
// A single figure saved as a picture: its width on paper and the resolution of the picture.
constexpr double kPictureWidthMm = 120;
constexpr int kPictureDpi = 300;
// The board is painted by a board view of this many pixels, scaled to the figure's size.
constexpr int kBoardViewPixels = 1000;

// Device pixels per millimetre of a painter's device.
double pixelsPerMm(const QPainter& painter) { return painter.device()->logicalDpiY() / 25.4; }

QFont fontOfMm(double mm, double perMm, bool bold = false) {
    QFont font;
    font.setPixelSize(std::max(1, int(std::lround(mm * perMm))));
    font.setBold(bold);
    return font;
}

QString text(const std::string& s) { return QString::fromStdString(s); }

// The figure as the board view reads a position: its stones, their numbers, and the letters of
// the stones that notes name as labels.
std::unique_ptr<GameState> figureState(int boardSize, const Figure& figure) {
    auto state = std::make_unique<GameState>();
    state->BoardSize = std::clamp(boardSize, 1, kMaxBoardSize);
    for (const FigureStone& stone : figure.stones) {
        if (!state->onBoard(stone.col, stone.row)) continue;
        state->BoardGrid[stone.col][stone.row] = std::int16_t(stone.colour + 1);
        state->MoveNoGrid[stone.col][stone.row] = std::int16_t(stone.number);
        if (!stone.mark.empty())
            state->MoveMarkup[0].add(
                {MarkKind::Label, std::int16_t(stone.col), std::int16_t(stone.row), stone.mark});
    }
    return state;
}

}  // namespace

FigureBook::FigureBook(LineOfPlay line, std::vector<Figure> figures, PrintLayout layout)
    : line_(std::move(line)), figures_(std::move(figures)), layout_(layout) {
    layout_.figuresPerPage = std::max(1, layout_.figuresPerPage);
}

int FigureBook::pageCount() const {
    const int perPage = layout_.figuresPerPage;
    return std::max(1, (int(figures_.size()) + perPage - 1) / perPage);
}

QPageLayout FigureBook::pageLayout() const {
    return QPageLayout(QPageSize(layout_.paper), QPageLayout::Portrait,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                       QPageLayout::Millimeter);
}

void FigureBook::paintPage(QPainter& painter, const QRectF& area, int page) const {
    const double mm = pixelsPerMm(painter);
    painter.save();
    painter.setPen(Qt::black);
    double top = area.top();
    if (page == 0) {
        // The game information, two items to a row.
        const std::vector<std::string> header = gameHeaderLines(line_.info);
        painter.setFont(fontOfMm(kHeaderFontMm, mm));
        for (std::size_t i = 0; i < header.size(); ++i) {
            const double half = area.width() / 2;
            const QRectF cell(area.left() + (i % 2) * half, top, half, kHeaderLineMm * mm);
            painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, text(header[i]));
            if (i % 2 == 1 || i + 1 == header.size()) top += kHeaderLineMm * mm;
        }
        if (!header.empty()) top += 2 * kGapMm * mm;
    }
    const double bottom = area.bottom() - kPageNumberHeightMm * mm;
    const int perPage = layout_.figuresPerPage;
    const double slot = (bottom - top) / perPage;
    for (int i = 0; i < perPage; ++i) {
        const std::size_t index = std::size_t(page * perPage + i);
        if (index >= figures_.size()) break;
        paintFigure(painter, QRectF(area.left(), top + i * slot, area.width(), slot - kGapMm * mm),
                    index);
    }
    painter.setFont(fontOfMm(kNoteFontMm, mm));
    painter.drawText(QRectF(area.left(), bottom, area.width(), kPageNumberHeightMm * mm),
                     Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("- %1 -").arg(page + 1));
    painter.restore();
}

// The notes of a figure set in lines no wider than `width`, separated by wide spaces.
std::vector<QString> FigureBook::noteLines(const QFont& font, double width,
                                           const Figure& figure) const {
    const QFontMetricsF metrics(font);
    std::vector<QString> lines;
    for (const FigureNote& note : figure.notes) {
        const QString item = text(noteText(note));
        if (!lines.empty() &&
            metrics.horizontalAdvance(lines.back() + QStringLiteral("　") + item) <= width)
            lines.back() += QStringLiteral("　") + item;
        else
            lines.push_back(item);
    }
    return lines;
}

double FigureBook::heightFor(std::size_t index, double width, double perMm) const {
    if (index >= figures_.size()) return 0;
    const auto notes = noteLines(fontOfMm(kNoteFontMm, perMm), width, figures_[index]);
    const double notesMm = notes.empty() ? 0 : kGapMm + notes.size() * kNoteLineMm;
    return (kTitleHeightMm + notesMm) * perMm + width;
}

void FigureBook::paintFigure(QPainter& painter, const QRectF& area, std::size_t index) const {
    if (index >= figures_.size()) return;
    const Figure& figure = figures_[index];
    const double mm = pixelsPerMm(painter);
    const QFont noteFont = fontOfMm(kNoteFontMm, mm);
    const double titleHeight = kTitleHeightMm * mm, lineHeight = kNoteLineMm * mm;
    // The board as large as the title and the notes leave room for; narrower lines of notes
    // may need one more line, so the size is settled in two rounds.
    double side = std::min(area.width(), area.height() - titleHeight);
    std::vector<QString> notes;
    for (int round = 0; round < 2; ++round) {
        notes = noteLines(noteFont, side, figure);
        const double notesHeight = notes.empty() ? 0 : kGapMm * mm + notes.size() * lineHeight;
        side = std::max(0.0, std::min(area.width(), area.height() - titleHeight - notesHeight));
    }
    const QRectF square(area.center().x() - side / 2, area.top() + titleHeight, side, side);

    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(fontOfMm(kTitleFontMm, mm, true));
    painter.drawText(QRectF(square.left(), area.top(), side, titleHeight),
                     Qt::AlignHCenter | Qt::AlignVCenter, text(figureTitle(figure, index)));
    paintBoard(painter, square, figure);
    painter.setFont(noteFont);
    double y = square.bottom() + kGapMm * mm;
    for (const QString& line : notes) {
        painter.drawText(QRectF(square.left(), y, side, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, line);
        y += lineHeight;
    }
    painter.restore();
}

void FigureBook::paintBoard(QPainter& painter, const QRectF& square, const Figure& figure) const {
    const std::unique_ptr<GameState> state = figureState(line_.boardSize, figure);
    BoardOptions options;
    options.showNumbers = true;
    options.showMarkup = true;
    options.digitLabels = layout_.digitLabels;
    options.paperBoard = true;
    BoardView view(*state, options);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    QPalette palette = view.palette();
    palette.setColor(QPalette::Window, Qt::white);
    view.setPalette(palette);
    view.resize(kBoardViewPixels, kBoardViewPixels);

    // The part of the view that is printed, in its pixels: the lines and the stones on them,
    // within the board's edge, and with the coordinates the margin above and left of the board.
    const double p = view.pitch(), n = state->BoardSize, edge = 0.48 * p;
    const double first = layout_.coordinates ? 0.0 : (kBoardMargin + p - edge) / kTwipsPerPixel;
    const double last = (kBoardMargin + n * p + edge) / kTwipsPerPixel;
    painter.save();
    painter.translate(square.topLeft());
    painter.scale(square.width() / (last - first), square.height() / (last - first));
    painter.translate(-first, -first);
    painter.setClipRect(QRectF(first, first, last - first, last - first));
    view.paintPlain(painter);
    painter.restore();
}

bool FigureBook::paintPages(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const QRectF area(0, 0, device.width(), device.height());
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0 && !device.newPage()) return false;
        paintPage(painter, area, page);
    }
    return painter.end();
}

QByteArray figuresPdf(const FigureBook& book) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(book.pageLayout());
        writer.setTitle(QStringLiteral("棋譜"));
        writer.setCreator(QStringLiteral("Kelmaz"));
        if (!book.paintPages(writer)) return {};
    }
    return buffer.data();
}

namespace {

// The size in pixels of one figure drawn alone at the pictures' resolution.
QSize figurePictureSize(const FigureBook& book, std::size_t index) {
    const double mm = kPictureDpi / 25.4, width = kPictureWidthMm * mm;
    return QSize(int(std::lround(width + 2 * kGapMm * mm)),
                 int(std::ceil(book.heightFor(index, width, mm) + 2 * kGapMm * mm)));
}

}  // namespace

QByteArray figureSvg(const FigureBook& book, std::size_t index) {
    if (index >= book.figures().size()) return {};
    const QSize size = figurePictureSize(book, index);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(kPictureDpi);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(text(figureTitle(book.figures()[index], index)));
    QPainter painter;
    if (!painter.begin(&svg)) return {};
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const double gap = kGapMm * kPictureDpi / 25.4;
    book.paintFigure(painter, QRectF(QPointF(0, 0), QSizeF(size)).adjusted(gap, gap, -gap, -gap),
                     index);
    painter.end();
    return buffer.data();
}

QByteArray figurePng(const FigureBook& book, std::size_t index) {
    if (index >= book.figures().size()) return {};
    const QSize size = figurePictureSize(book, index);
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(kPictureDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        const double gap = kGapMm * kPictureDpi / 25.4;
        book.paintFigure(painter,
                         QRectF(QPointF(0, 0), QSizeF(size)).adjusted(gap, gap, -gap, -gap), index);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return buffer.data();
}

}  // namespace kelmaz
