#include "view/ui/BoardView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "view/BoardGeometry.h"

namespace kelmaz {

namespace {

QColor rgb(std::uint32_t value) { return QColor::fromRgb(value); }

const QColor kBlackInk(0, 0, 0);
const QColor kBrightWhite(255, 255, 255);  // highlight dots, numbers on black stones
const QColor kMarkerOnWhite(0, 128, 0);    // green
const QColor kMarkerOnBlack(0, 255, 0);    // light green
const QColor kLabelInk(0, 0, 128);         // navy
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

}  // namespace

BoardView::BoardView(const GameState& state, const BoardOptions& options, QWidget* parent)
    : QWidget(parent), state_(state), options_(options) {
    setAccessibleName(QStringLiteral("碁盤"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

int BoardView::pitch() const { return GridPitch(width() * kTwipsPerPixel, state_.BoardSize); }

void BoardView::setMarkerLit(bool lit) {
    if (markerLit_ == lit) return;
    markerLit_ = lit;
    update();
}

void BoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    const int p = pitch();
    drawEmptyBoard(painter, p);
    drawStones(painter, p);
    drawMarker(painter, p);
}

void BoardView::drawEmptyBoard(QPainter& painter, int p) const {
    const int n = state_.BoardSize;
    const double span = double(n) * p;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBlackInk);
    painter.drawRect(QRectF(kBoardMargin + 2.0 * p / 3, kBoardMargin + 2.0 * p / 3, span, span));
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
    const double r = stoneRadius(p);
    const double dot = highlightDotRadius(p);
    for (int c = 1; c <= state_.BoardSize; ++c) {
        for (int row = 1; row <= state_.BoardSize; ++row) {
            const int stone = state_.BoardGrid[c][row];
            if (stone == 0) continue;
            const QPointF centre(crisp(kBoardMargin + c * p), crisp(kBoardMargin + row * p));
            const int colour = stone - 1;
            if (colour == kBlack) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(kBlackInk);
                painter.drawEllipse(centre, r, r);
                if (!options_.showNumbers) {
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
            drawMoveNumber(painter, state_.MoveNoGrid[c][row], centre, colour, p);
        }
    }
}

void BoardView::drawMarker(QPainter& painter, int p) const {
    const int c = state_.LastMarkX, row = state_.LastMarkY;
    if (!markerLit_ || state_.MoveCount == 0 || !state_.onBoard(c, row) ||
        state_.BoardGrid[c][row] == 0) {
        return;
    }
    const QPointF centre(crisp(kBoardMargin + c * p), crisp(kBoardMargin + row * p));
    const double radius = markerRadius(p);
    painter.setPen(Qt::NoPen);
    painter.setBrush(state_.CurrentColour == kWhite ? kMarkerOnWhite : kMarkerOnBlack);
    painter.drawEllipse(centre, radius, radius);
    drawMoveNumber(painter, state_.MoveNoGrid[c][row], centre, state_.BoardGrid[c][row] - 1, p);
}

void BoardView::drawMoveNumber(QPainter& painter, int n, QPointF centre, int colour, int p) const {
    if (!options_.showNumbers || n <= 0) return;
    const QString text = QString::number(n);
    const double widthAt14 = QFontMetricsF(fontOfPoints(font(), 14)).horizontalAdvance(text);
    const QFont font = fontOfPoints(this->font(), moveNumberFontSize(widthAt14, stoneRadius(p)));
    const QFontMetricsF metrics(font);
    const double w = metrics.horizontalAdvance(text), h = metrics.height();
    painter.setFont(font);
    painter.setPen(colour == kBlack ? kBrightWhite : kBlackInk);
    painter.drawText(QRectF(centre.x() - w / 2, centre.y() - h / 2, w, h), Qt::AlignCenter, text);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPointF twips = event->position() * kTwipsPerPixel;
        emit leftClicked(qRound(twips.x()), qRound(twips.y()));
    } else {
        emit otherClicked(event->globalPosition().toPoint());
    }
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
