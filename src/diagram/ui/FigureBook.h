#pragma once
// The figures of a game laid out on paper: a header with the game information on the first
// page, the figures one under another with their titles and notes, and the page numbers. The
// board of each figure is painted by the board window's own painting on a white board, so a
// printed figure looks like the screen. Pages go to a PDF file or a printer; one figure alone
// goes to SVG or PNG.
#include <QByteArray>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <vector>

#include "diagram/Figures.h"
#include "diagram/LineOfPlay.h"

class QPainter;
class QPagedPaintDevice;

namespace kelmaz {

struct PrintLayout {
    QPageSize::PageSizeId paper = QPageSize::A4;  // A4 or (JIS) B5
    int figuresPerPage = 2;
    bool coordinates = false;
    bool digitLabels = true;  // coordinates as numbers, else letters
};

class FigureBook {
  public:
    FigureBook(LineOfPlay line, std::vector<Figure> figures, PrintLayout layout);

    const std::vector<Figure>& figures() const { return figures_; }
    const PrintLayout& layout() const { return layout_; }
    int pageCount() const;
    // The paper with its margins, for a PDF writer or a printer.
    QPageLayout pageLayout() const;

    // Paints page `page` (from 0) into `area` (the page inside its margins, in the painter's
    // device pixels).
    void paintPage(QPainter& painter, const QRectF& area, int page) const;
    // Paints figure `index` with its title and notes into `area`, its board as large as fits.
    void paintFigure(QPainter& painter, const QRectF& area, std::size_t index) const;

    // The height figure `index` takes with a board `width` wide, its title and its notes
    // included, at `perMm` device pixels to the millimetre.
    double heightFor(std::size_t index, double width, double perMm) const;

    // Every page onto a PDF writer or a printer; false when the device cannot be painted on.
    bool paintPages(QPagedPaintDevice& device) const;

  private:
    void paintBoard(QPainter& painter, const QRectF& square, const Figure& figure) const;
    std::vector<QString> noteLines(const QFont& font, double width, const Figure& figure) const;

    LineOfPlay line_;
    std::vector<Figure> figures_;
    PrintLayout layout_;
};

// The whole book as a PDF document; empty when it cannot be made.
QByteArray figuresPdf(const FigureBook& book);
// One figure as an SVG drawing or a PNG picture at print resolution.
QByteArray figureSvg(const FigureBook& book, std::size_t index);
QByteArray figurePng(const FigureBook& book, std::size_t index);

}  // namespace kelmaz
