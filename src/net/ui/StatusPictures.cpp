#include "net/ui/StatusPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace kelmaz {
namespace {

// A small monitor on a stand, its screen tinted.
void drawComputer(QPainter& p, QRectF box, QColor screen) {
    QRectF body(box.left(), box.top(), box.width(), box.height() * 0.72);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(body);
    p.setBrush(screen);
    p.drawRect(body.adjusted(2, 2, -2, -2));
    p.drawLine(QPointF(box.center().x(), body.bottom()),
               QPointF(box.center().x(), box.bottom() - 1));
    p.drawLine(QPointF(box.left() + 2, box.bottom() - 1),
               QPointF(box.right() - 2, box.bottom() - 1));
}

void drawArrow(QPainter& p, QPointF from, QPointF to, QColor colour) {
    p.setPen(QPen(colour, 2));
    p.drawLine(from, to);
    double dir = to.x() > from.x() ? -1 : 1;
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(to + QPointF(dir * 4, -3));
    head.lineTo(to + QPointF(dir * 4, 3));
    head.closeSubpath();
    p.fillPath(head, colour);
}

}  // namespace

QPixmap statusPicture(int index, int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    double w = width, h = height;
    double computer = w * 0.36;
    QRectF left(0.5, h * 0.25, computer, h * 0.6);
    QRectF right(w - computer - 0.5, h * 0.25, computer, h * 0.6);
    QColor screen = index == 0 ? QColor(90, 90, 90) : QColor(120, 200, 255);
    drawComputer(p, left, screen);
    drawComputer(p, right, screen);
    QPointF a(left.right() + 1, h * 0.45), b(right.left() - 1, h * 0.45);
    switch (index) {
        case 0:
            p.setPen(QPen(QColor(220, 0, 0), 2));
            p.drawLine(QPointF(2, 2), QPointF(w - 2, h - 2));
            p.drawLine(QPointF(w - 2, 2), QPointF(2, h - 2));
            break;
        case 1:
            p.setPen(QPen(QColor(0, 160, 0), 2));
            p.drawLine(a, b);
            break;
        case 2:  // towards us, the left computer
            drawArrow(p, b, a, QColor(0, 90, 220));
            break;
        default:  // away from us
            drawArrow(p, a, b, QColor(230, 120, 0));
            break;
    }
    return pixmap;
}

}  // namespace kelmaz
