#include "library/ui/ShapeBoard.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace kelmaz {

using library::kLines;
using library::Want;

ShapeBoard::ShapeBoard(QWidget* parent) : QWidget(parent) {
    position_ =
        library::Pattern{0, 0, kLines, kLines, std::vector<Want>(library::kPoints, Want::Empty)};
    setMinimumSize(300, 300);
}

void ShapeBoard::setPosition(const library::Pattern& position) {
    position_ = position;
    pattern_.reset();
    continuations_.clear();
    update();
}

void ShapeBoard::setContinuations(const std::vector<int>& points) {
    continuations_ = points;
    update();
}

double ShapeBoard::cell() const { return std::min(width(), height()) / double(kLines + 1); }

std::optional<int> ShapeBoard::pointAt(QPoint at) const {
    const int x = static_cast<int>(at.x() / cell() - 0.5);
    const int y = static_cast<int>(at.y() / cell() - 0.5);
    if (at.x() < cell() / 2 || at.y() < cell() / 2 || x >= kLines || y >= kLines) return {};
    return y * kLines + x;
}

void ShapeBoard::selectRegion(int from, int to) {
    library::Pattern p;
    p.left = std::min(from % kLines, to % kLines);
    p.top = std::min(from / kLines, to / kLines);
    p.width = std::abs(from % kLines - to % kLines) + 1;
    p.height = std::abs(from / kLines - to / kLines) + 1;
    for (int y = p.top; y < p.top + p.height; ++y)
        for (int x = p.left; x < p.left + p.width; ++x)
            p.points.push_back(position_.points[y * kLines + x]);
    pattern_ = p;
    continuations_.clear();
}

void ShapeBoard::mousePressEvent(QMouseEvent* event) {
    dragFrom_ = pointAt(event->position().toPoint());
    dragged_ = false;
}

void ShapeBoard::mouseMoveEvent(QMouseEvent* event) {
    const auto at = pointAt(event->position().toPoint());
    if (!dragFrom_ || !at || *at == *dragFrom_) return;
    dragged_ = true;
    selectRegion(*dragFrom_, *at);
    update();
}

void ShapeBoard::mouseReleaseEvent(QMouseEvent* event) {
    const auto at = pointAt(event->position().toPoint());
    if (!dragged_ && at && pattern_) {
        const int x = *at % kLines - pattern_->left, y = *at / kLines - pattern_->top;
        if (x >= 0 && y >= 0 && x < pattern_->width && y < pattern_->height) {
            Want& w = pattern_->points[y * pattern_->width + x];
            w = static_cast<Want>((static_cast<int>(w) + 1) % 4);  // black, white, empty, any
        }
    } else if (!dragged_ && at) {
        selectRegion(*at, *at);
    }
    dragFrom_.reset();
    update();
}

void ShapeBoard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double c = cell();
    painter.fillRect(QRectF(0, 0, c * (kLines + 1), c * (kLines + 1)), QColor(220, 180, 100));
    painter.setPen(Qt::black);
    for (int i = 0; i < kLines; ++i) {
        painter.drawLine(QPointF(c, c * (i + 1)), QPointF(c * kLines, c * (i + 1)));
        painter.drawLine(QPointF(c * (i + 1), c), QPointF(c * (i + 1), c * kLines));
    }
    auto centre = [c](int p) { return QPointF(c * (p % kLines + 1), c * (p / kLines + 1)); };
    auto stone = [&](int p, Want w) {
        if (w != Want::Black && w != Want::White) return;
        painter.setBrush(w == Want::Black ? Qt::black : Qt::white);
        painter.setPen(Qt::black);
        painter.drawEllipse(centre(p), c * 0.46, c * 0.46);
    };
    for (int p = 0; p < library::kPoints; ++p) {
        const bool inPattern = pattern_ && p % kLines >= pattern_->left &&
                               p % kLines < pattern_->left + pattern_->width &&
                               p / kLines >= pattern_->top &&
                               p / kLines < pattern_->top + pattern_->height;
        if (!inPattern) {
            stone(p, position_.points[p]);
            continue;
        }
        const Want w = pattern_->points[(p / kLines - pattern_->top) * pattern_->width +
                                        p % kLines - pattern_->left];
        stone(p, w);
        if (w == Want::Any) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(120, 120, 120));
            painter.drawRect(
                QRectF(centre(p) - QPointF(c * 0.2, c * 0.2), QSizeF(c * 0.4, c * 0.4)));
        }
    }
    if (pattern_) {
        painter.setPen(QPen(Qt::red, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(c * (pattern_->left + 0.5), c * (pattern_->top + 0.5),
                                c * pattern_->width, c * pattern_->height));
    }
    QFont font = painter.font();
    font.setPixelSize(std::max(8, static_cast<int>(c * 0.6)));
    painter.setFont(font);
    for (std::size_t i = 0; i < continuations_.size() && i < 26; ++i) {
        const QPointF at = centre(continuations_[i]);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 220));
        painter.drawEllipse(at, c * 0.42, c * 0.42);
        painter.setPen(Qt::blue);
        painter.drawText(QRectF(at - QPointF(c / 2, c / 2), QSizeF(c, c)), Qt::AlignCenter,
                         QString(QChar('A' + static_cast<int>(i))));
    }
}

}  // namespace kelmaz
