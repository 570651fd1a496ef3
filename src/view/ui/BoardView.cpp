#include "view/ui/BoardView.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "view/BoardGeometry.h"

namespace kelmaz {

namespace {

QColor rgb(std::uint32_t value) { return QColor::fromRgb(value); }

const QColor kBlackInk(0, 0, 0);
const QColor kBrightWhite(255, 255, 255);  // highlight dots, numbers on black stones
const QColor kMarkerOnWhite(0, 128, 0);    // green
const QColor kMarkerOnBlack(0, 255, 0);    // light green
const QColor kDeadMark(220, 0, 0);
const QColor kLabelInk(0, 0, 128);  // navy
// Lines are one device-independent pixel wide, so a dense screen draws them as thick as an
// ordinary one (with more device pixels) rather than half as thick.
constexpr double kLineWidth = kTwipsPerPixel;

// Font sizes are given in points: 20 twips to the point.
QFont fontOfPoints(const QFont& base, int points) {
    QFont font(base);
    font.setPixelSize(points * 20);
    return font;
}

// Moves a line coordinate onto the middle of a logical pixel so that one-pixel lines stay sharp.
double crisp(double twips) { return (std::floor(twips / kTwipsPerPixel) + 0.5) * kTwipsPerPixel; }

// The centre of the crossing of column c and row r, in twips.
QPointF crossing(int c, int row, int p) {
    return {crisp(kBoardMargin + c * p), crisp(kBoardMargin + row * p)};
}

// Antialiased lines and text, in twips.
void drawInTwips(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
}

}  // namespace

BoardView::BoardView(const GameState& state, const BoardOptions& options, QWidget* parent)
    : QWidget(parent), state_(state), options_(options) {
    setAccessibleName(QStringLiteral("碁盤"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

int BoardView::pitch() const {
    return GridPitch(layoutWidth_ > 0 ? layoutWidth_ : width() * kTwipsPerPixel, state_.BoardSize);
}

void BoardView::setMarkerLit(bool lit) {
    if (markerLit_ == lit) return;
    markerLit_ = lit;
    showChanges();
}

QRegion BoardView::changedRegion(double ratio) const {
    if (background_.isNull() || !(pictureKey(ratio > 0 ? ratio : devicePixelRatioF()) == key_))
        return rect();
    QRegion region = changedPoints();
    if (markerShown_) {
        const GridPoint m = *markerShown_;
        region += pointBounds(m, shown_[slot(m.col, m.row)].number);
    }
    if (const auto m = markerPoint()) region += pointBounds(*m, shownAt(m->col, m->row).number);
    if (const Markup marks = marksToShow(); !(marks == markupShown_)) {
        region += markupRegion(markupShown_);
        region += markupRegion(marks);
    }
    for (const auto& points : {state_.DeadMarks, deadMarksShown_})
        for (const auto& [c, row] : points)
            if (state_.onBoard(c, row)) region += pointBounds({c, row}, shownAt(c, row).number);
    return region;
}

// The pixels of the points whose stone or number differs from the stored picture, with what
// the picture shows there and what it is to show; `count` (when given) receives their number.
QRegion BoardView::changedPoints(int* count) const {
    QRegion region;
    const int n = state_.BoardSize;
    if (count) *count = 0;
    for (int c = 1; c <= n; ++c) {
        for (int row = 1; row <= n; ++row) {
            const Shown now = shownAt(c, row), before = shown_[slot(c, row)];
            if (now == before) continue;
            if (count) ++*count;
            region += pointBounds({c, row}, before.number);
            region += pointBounds({c, row}, now.number);
        }
    }
    return region;
}

void BoardView::showChanges() { update(changedRegion()); }

void BoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The stored pictures hold device pixels: they serve a painter that maps pixels onto whole
    // device pixels, as a window or an image does, and nothing else (a vector drawing, say).
    const QTransform device = painter.deviceTransform();
    const bool pixelAligned =
        device.type() <= QTransform::TxScale && device.m11() == device.m22() &&
        device.dx() == std::floor(device.dx()) && device.dy() == std::floor(device.dy());
    if (painter.paintEngine()->type() != QPaintEngine::Raster || !pixelAligned) {
        paintPlain(painter);
        return;
    }
    const PictureKey key = pictureKey(device.m11());
    if (!(key == key_)) rebuildPicture(key);
    updatePicture();
    painter.drawImage(QPointF(0, 0), picture_);

    markerShown_ = markerPoint();
    markupShown_ = marksToShow();
    deadMarksShown_ = state_.DeadMarks;
    if (markerShown_ || !markupShown_.empty() || !deadMarksShown_.empty()) {
        drawInTwips(painter);
        const int p = pitch();
        drawMarker(painter, p, true);
        drawDeadMarks(painter, p);
        drawMarkup(painter, p, markupShown_);
    }
}

void BoardView::paintPlain(QPainter& painter) const {
    painter.fillRect(rect(), palette().window());
    drawInTwips(painter);
    const int p = pitch();
    drawEmptyBoard(painter, p);
    drawStones(painter, p);
    drawMarker(painter, p, false);
    drawDeadMarks(painter, p);
    drawMarkup(painter, p, marksToShow());
}

// A red cross over each stone that a score estimate counts as dead.
void BoardView::drawDeadMarks(QPainter& painter, int p) const {
    const double half = stoneRadius(p) * 0.6;
    painter.setPen(QPen(kDeadMark, std::max(1.0, half / 3)));
    for (const auto& [c, row] : state_.DeadMarks) {
        if (!state_.onBoard(c, row) || state_.BoardGrid[c][row] == 0) continue;
        const QPointF centre = crossing(c, row, p);
        painter.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
        painter.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
    }
}

BoardView::PictureKey BoardView::pictureKey(double ratio) const {
    return {size(),
            ratio,
            state_.BoardSize,
            options_.boardColour(),
            options_.whiteStoneColour(),
            options_.showNumbers,
            options_.digitLabels,
            state_.BoardRotated,
            font(),
            palette().window()};
}

BoardView::Shown BoardView::shownAt(int c, int row) const {
    const int stone = state_.BoardGrid[c][row];
    return {stone, stone != 0 && options_.showNumbers ? numberShown(c, row) : 0};
}

int BoardView::numberShown(int c, int row) const {
    const int move = state_.MoveNoGrid[c][row];
    return move > 0 ? std::max(move + state_.FirstMoveNumber - 1, 0) : 0;
}

std::optional<GridPoint> BoardView::markerPoint() const {
    const int c = state_.LastMarkX, row = state_.LastMarkY;
    if (!markerLit_ || state_.MoveCount == 0 || !state_.onBoard(c, row) ||
        state_.BoardGrid[c][row] == 0) {
        return std::nullopt;
    }
    return GridPoint{c, row};
}

const BoardView::NumberLayout& BoardView::cachedNumberLayout(int n) const {
    auto found = numberLayouts_.find(n);
    if (found == numberLayouts_.end()) found = numberLayouts_.insert(n, numberLayout(n, pitch()));
    return *found;
}

// The pixels a point's stone, number or marker may touch, antialiased edges included.
QRect BoardView::pointBounds(GridPoint point, int number) const {
    const int p = pitch();
    const QPointF centre = crossing(point.col, point.row, p);
    const double half = stoneRadius(p) + kLineWidth;
    QRectF bounds(centre - QPointF(half, half), centre + QPointF(half, half));
    if (number > 0) {
        const QSizeF text = cachedNumberLayout(number).size;
        bounds |= QRectF(centre - QPointF(text.width(), text.height()) / 2, text);
    }
    const QRectF pixels(bounds.topLeft() / kTwipsPerPixel, bounds.size() / kTwipsPerPixel);
    return pixels.toAlignedRect().adjusted(-1, -1, 1, 1);
}

void BoardView::rebuildPicture(const PictureKey& key) {
    key_ = key;
    numberLayouts_.clear();
    sprites_.clear();
    const QImage::Format format =
        key.background.isOpaque() ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    background_ = QImage(QSizeF(key.size * key.ratio).toSize(), format);
    background_.setDevicePixelRatio(key.ratio);
    background_.fill(Qt::transparent);
    {
        QPainter painter(&background_);
        painter.fillRect(rect(), key.background);
        drawInTwips(painter);
        drawEmptyBoard(painter, pitch());
    }
    picture_ = background_.copy();
    shown_.assign(std::size_t(key.boardSize) * key.boardSize, Shown{});
}

// Brings the stored picture to the state: the points that changed, and every stone that
// reaches into them, are drawn again over the empty board.
void BoardView::updatePicture() {
    int changedCount = 0;
    const QRegion changed = changedPoints(&changedCount);
    if (changedCount == 0) return;
    const int n = state_.BoardSize;
    for (int c = 1; c <= n; ++c)
        for (int row = 1; row <= n; ++row) shown_[slot(c, row)] = shownAt(c, row);

    // When most points changed (a jump through the record, a rotation) the whole board is
    // drawn again: that is faster than drawing through a clip of hundreds of pieces.
    const bool whole = changedCount * 4 > n * n;
    if (whole) std::copy_n(background_.constBits(), background_.sizeInBytes(), picture_.bits());
    QPainter painter(&picture_);
    if (!whole) {
        painter.setClipRegion(changed);
        painter.drawImage(QPointF(0, 0), background_);
    }
    drawInTwips(painter);
    const int p = pitch();
    // Stones, with their numbers, are copied from their sprites pixel for pixel.
    painter.setWorldTransform(QTransform::fromScale(1.0 / key_.ratio, 1.0 / key_.ratio));
    for (int c = 1; c <= n; ++c) {
        for (int row = 1; row <= n; ++row) {
            const Shown& now = shown_[slot(c, row)];
            if (now.stone == 0) continue;
            if (!whole && !changed.intersects(pointBounds({c, row}, now.number))) continue;
            const QPointF device = crossing(c, row, p) * key_.ratio / kTwipsPerPixel;
            const QPoint pixel(int(std::floor(device.x())), int(std::floor(device.y())));
            const QImage& sprite = stoneSprite(now.stone - 1, now.number, device - pixel);
            const int m = sprite.width() / 2;
            painter.drawImage(pixel - QPoint(m, m), sprite);
        }
    }
}

void BoardView::drawEmptyBoard(QPainter& painter, int p) const {
    const int n = state_.BoardSize;
    const double span = double(n) * p;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBlackInk);
    // The shadow lifts the board off the window; a figure on paper is printed flat.
    if (!options_.paperBoard)
        painter.drawRect(
            QRectF(kBoardMargin + 2.0 * p / 3, kBoardMargin + 2.0 * p / 3, span, span));
    painter.setBrush(rgb(options_.boardColour()));
    painter.drawRect(QRectF(kBoardMargin + p / 2.0, kBoardMargin + p / 2.0, span, span));

    QPen line(kBlackInk, kLineWidth);
    painter.setPen(line);
    const double first = crisp(kBoardMargin + p), last = crisp(kBoardMargin + span);
    for (int i = 1; i <= n; ++i) {
        const double v = crisp(kBoardMargin + double(i) * p);
        painter.drawLine(QPointF(v, first), QPointF(v, last));
        painter.drawLine(QPointF(first, v), QPointF(last, v));
    }

    painter.setPen(Qt::NoPen);
    painter.setBrush(kBlackInk);
    const double star = starPointRadius(p);
    for (const GridPoint& pt : starPoints(n)) {
        painter.drawEllipse(
            QPointF(crisp(kBoardMargin + pt.col * p), crisp(kBoardMargin + pt.row * p)), star,
            star);
    }

    // Labels: a two-character field, right-aligned, with its top-left corner at the label's
    // position.
    const BoardLabels labels = boardLabels(n, p, options_.digitLabels, state_.BoardRotated);
    const QFont font = fontOfPoints(this->font(), labels.fontPoints);
    const QFontMetricsF metrics(font);
    const double fieldWidth = 2 * metrics.horizontalAdvance(QLatin1Char('0'));
    painter.setFont(font);
    painter.setPen(kLabelInk);
    for (const auto* edge : {&labels.top, &labels.left}) {
        for (const Label& label : *edge) {
            painter.drawText(QRectF(label.x, label.y, fieldWidth, metrics.height()),
                             Qt::AlignRight | Qt::AlignTop,
                             QString::fromStdString(label.text).trimmed());
        }
    }
}

void BoardView::drawStones(QPainter& painter, int p) const {
    for (int c = 1; c <= state_.BoardSize; ++c) {
        for (int row = 1; row <= state_.BoardSize; ++row) {
            if (state_.BoardGrid[c][row] == 0) continue;
            const int number = numberShown(c, row);
            if (!options_.showNumbers || number <= 0) {
                drawStone(painter, c, row, p, nullptr);
                continue;
            }
            const NumberLayout layout = numberLayout(number, p);
            drawStone(painter, c, row, p, &layout);
        }
    }
}

// One stone with its highlight dots or its move number (`number` null for none).
void BoardView::drawStone(QPainter& painter, int c, int row, int p,
                          const NumberLayout* number) const {
    const QPointF centre = crossing(c, row, p);
    const int colour = state_.BoardGrid[c][row] - 1;
    drawStoneShape(painter, colour, centre, p);
    if (number) drawMoveNumber(painter, numberShown(c, row), *number, centre, colour);
}

// A black stone with its highlight dots (when no numbers are shown), or a white one with its
// outline.
void BoardView::drawStoneShape(QPainter& painter, int colour, QPointF centre, int p) const {
    const double r = stoneRadius(p);
    if (colour == kBlack) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kBlackInk);
        painter.drawEllipse(centre, r, r);
        if (!options_.showNumbers) {
            const double dot = highlightDotRadius(p);
            painter.setBrush(kBrightWhite);
            for (const DotOffset& d : highlightDots(p)) {
                painter.drawEllipse(centre + QPointF(d.dx, d.dy), dot, dot);
            }
        }
    } else {
        painter.setPen(QPen(kBlackInk, kLineWidth));
        painter.setBrush(rgb(options_.whiteStoneColour()));
        painter.drawEllipse(centre, r, r);
    }
}

// Device pixels from a sprite's corner to the pixel that holds the stone's centre: room for the
// stone and for its number, which a small board draws wider than the stone.
int BoardView::spriteMargin(int number) const {
    double half = stoneRadius(pitch()) + kLineWidth;
    if (number > 0) {
        const QSizeF text = cachedNumberLayout(number).size;
        half = std::max({half, text.width() / 2, text.height() / 2});
    }
    return int(std::ceil(key_.ratio * half / kTwipsPerPixel)) + 1;
}

// A stone of the given colour with its number (none for 0) rendered once for a centre at
// `fraction` of a device pixel, to be copied onto the board wherever a centre falls at that
// fraction (everywhere, at a whole pixel ratio). Laying out a number's text costs far more
// than copying its pixels, which is what a jump through the record or a rotation repeats for
// every stone.
const QImage& BoardView::stoneSprite(int colour, int number, QPointF fraction) {
    const auto sixtyFourths = [](double f) { return quint64(std::lround(f * 64)); };
    const quint64 key = quint64(colour == kBlack) | sixtyFourths(fraction.x()) << 1 |
                        sixtyFourths(fraction.y()) << 8 | quint64(std::max(number, 0)) << 16;
    if (const QImage* found = sprites_.object(key)) return *found;
    const int m = spriteMargin(number);
    auto* sprite = new QImage(2 * m + 1, 2 * m + 1, QImage::Format_ARGB32_Premultiplied);
    sprite->fill(Qt::transparent);
    {
        QPainter painter(sprite);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.translate(m + fraction.x(), m + fraction.y());
        painter.scale(key_.ratio / kTwipsPerPixel, key_.ratio / kTwipsPerPixel);
        drawStoneShape(painter, colour, QPointF(0, 0), pitch());
        if (number > 0)
            drawMoveNumber(painter, number, cachedNumberLayout(number), QPointF(0, 0), colour);
    }
    // The stones of one position always fit; older numbers give way beyond that.
    sprites_.insert(key, sprite,
                    std::min(kSpriteCacheKilobytes, int(sprite->sizeInBytes() / 1024) + 1));
    return *sprites_.object(key);
}

// The marker over the last move's stone, and that stone's number again on top of it; the
// number's layout is worked out anew or taken from the stored ones.
void BoardView::drawMarker(QPainter& painter, int p, bool storedLayouts) const {
    const auto marker = markerPoint();
    if (!marker) return;
    const int c = marker->col, row = marker->row;
    const QPointF centre = crossing(c, row, p);
    const double radius = markerRadius(p);
    painter.setPen(Qt::NoPen);
    painter.setBrush(state_.CurrentColour == kWhite ? kMarkerOnWhite : kMarkerOnBlack);
    painter.drawEllipse(centre, radius, radius);
    const int n = numberShown(c, row);
    if (!options_.showNumbers || n <= 0) return;
    const NumberLayout layout = storedLayouts ? cachedNumberLayout(n) : numberLayout(n, p);
    drawMoveNumber(painter, n, layout, centre, state_.BoardGrid[c][row] - 1);
}

BoardView::NumberLayout BoardView::numberLayout(int n, int p) const {
    const QString text = QString::number(n);
    const double widthAt14 = QFontMetricsF(fontOfPoints(font(), 14)).horizontalAdvance(text);
    QFont font = fontOfPoints(this->font(), moveNumberFontSize(widthAt14, stoneRadius(p)));
    const QFontMetricsF metrics(font);
    return {font, QSizeF(metrics.horizontalAdvance(text), metrics.height())};
}

void BoardView::drawMoveNumber(QPainter& painter, int n, const NumberLayout& layout, QPointF centre,
                               int colour) const {
    if (!options_.showNumbers || n <= 0) return;
    const double w = layout.size.width(), h = layout.size.height();
    painter.setFont(layout.font);
    painter.setPen(colour == kBlack ? kBrightWhite : kBlackInk);
    painter.drawText(QRectF(centre.x() - w / 2, centre.y() - h / 2, w, h), Qt::AlignCenter,
                     QString::number(n));
}

Markup BoardView::marksToShow() const {
    return options_.showMarkup ? state_.shownMarkup().within(state_.BoardSize) : Markup{};
}

QRegion BoardView::markupRegion(const Markup& marks) const {
    QRegion region;
    for (const MarkView mark : marks) region += pointBounds({mark.col, mark.row}, 0);
    return region;
}

void BoardView::drawMarkup(QPainter& painter, int p, const Markup& marks) const {
    for (const MarkView mark : marks) drawMark(painter, p, mark);
}

// A mark in the ink that stands out from what lies under it: black on the board and on white
// stones, white on black stones. Shapes are thin outlines; a label on an empty point covers
// the lines under it with the board's colour so that its text reads clearly.
void BoardView::drawMark(QPainter& painter, int p, const MarkView& mark) const {
    const QPointF centre = crossing(mark.col, mark.row, p);
    const int stone = state_.BoardGrid[mark.col][mark.row];
    const QColor ink = stone == kBlack + 1 ? kBrightWhite : kBlackInk;
    const double r = stoneRadius(p);
    if (mark.kind == MarkKind::Label) {
        if (stone == 0) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(rgb(options_.boardColour()));
            painter.drawEllipse(centre, r * 0.8, r * 0.8);
        }
        const std::string_view shown = labelShownText(mark.text);
        const QString text = QString::fromUtf8(shown.data(), qsizetype(shown.size()));
        QFont font(this->font());
        font.setBold(true);
        font.setPixelSize(std::max(1, int(r * 1.2)));
        // Longer texts get a smaller font, so that every label stays within its stone.
        const double width = QFontMetricsF(font).horizontalAdvance(text);
        if (width > 1.7 * r)
            font.setPixelSize(std::max(1, int(font.pixelSize() * 1.7 * r / width)));
        painter.setFont(font);
        painter.setPen(ink);
        painter.drawText(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r),
                         Qt::AlignCenter | Qt::TextSingleLine, text);
        return;
    }
    QPen pen(ink, 1.5 * kLineWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (mark.kind) {
        case MarkKind::Triangle: {
            const double outer = 0.6 * r;  // from the centre to each corner
            const QPointF corners[] = {centre + QPointF(0, -outer),
                                       centre + QPointF(outer * 0.866, outer * 0.5),
                                       centre + QPointF(-outer * 0.866, outer * 0.5)};
            painter.drawPolygon(corners, 3);
            break;
        }
        case MarkKind::Circle:
            painter.drawEllipse(centre, 0.5 * r, 0.5 * r);
            break;
        case MarkKind::Square: {
            const double h = 0.42 * r;
            painter.drawRect(QRectF(centre - QPointF(h, h), centre + QPointF(h, h)));
            break;
        }
        case MarkKind::Cross: {
            const double h = 0.4 * r;
            painter.drawLine(centre + QPointF(-h, -h), centre + QPointF(h, h));
            painter.drawLine(centre + QPointF(-h, h), centre + QPointF(h, -h));
            break;
        }
        case MarkKind::Label:
            break;
    }
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPointF twips = event->position() * kTwipsPerPixel;
        emit leftClicked(qRound(twips.x()), qRound(twips.y()));
    } else {
        emit otherClicked(event->globalPosition().toPoint());
    }
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPointF twips = event->position() * kTwipsPerPixel;
    emit leftDragged(qRound(twips.x()), qRound(twips.y()));
}

void BoardView::wheelEvent(QWheelEvent* event) {
    // One notch is 120 eighths of a degree; a fine-grained wheel or a touchpad sends parts of
    // it, which add up until they make a whole notch.
    constexpr int kNotch = QWheelEvent::DefaultDeltasPerStep;
    wheelRest_ += event->angleDelta().y();
    const int notches = wheelRest_ / kNotch;
    wheelRest_ -= notches * kNotch;
    event->accept();
    if (notches != 0) emit wheelTurned(-notches);
}

}  // namespace kelmaz
