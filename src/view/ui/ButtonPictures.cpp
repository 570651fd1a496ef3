#include "view/ui/ButtonPictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace kelmaz {

namespace {

// A triangle pointing right (or left) inside the box x..x+w of a 24-unit square.
QPainterPath triangle(double x, double w, bool right) {
    QPainterPath path;
    if (right) {
        path.moveTo(x, 5);
        path.lineTo(x + w, 12);
        path.lineTo(x, 19);
    } else {
        path.moveTo(x + w, 5);
        path.lineTo(x, 12);
        path.lineTo(x + w, 19);
    }
    path.closeSubpath();
    return path;
}

void draw(QPainter& p, ButtonPicture picture, const QColor& ink) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    switch (picture) {
        case ButtonPicture::GoTo:  // an arrow that points at a numbered move
            p.drawRect(QRectF(3, 10.5, 9, 3));
            p.drawPath(triangle(11, 6, true));
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(ink, 2));
            p.drawEllipse(QPointF(19.5, 12), 3, 3);
            break;
        case ButtonPicture::First:
            p.drawRect(QRectF(4, 5, 3, 14));
            p.drawPath(triangle(8, 12, false));
            break;
        case ButtonPicture::Back:
            p.drawPath(triangle(7, 10, false));
            break;
        case ButtonPicture::Forward:
            p.drawPath(triangle(7, 10, true));
            break;
        case ButtonPicture::Last:
            p.drawPath(triangle(4, 12, true));
            p.drawRect(QRectF(17, 5, 3, 14));
            break;
        case ButtonPicture::Replay:  // play, with a second triangle for "on its own"
            p.drawPath(triangle(3, 9, true));
            p.drawPath(triangle(12, 9, true));
            break;
        case ButtonPicture::Stop:
            p.drawRect(QRectF(6, 6, 12, 12));
            break;
        case ButtonPicture::NewWindow:  // a second board beside the first
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(ink, 1.6));
            p.drawRect(QRectF(3, 4, 11, 11));
            p.setBrush(ink);
            p.drawRect(QRectF(10, 9, 11, 11));
            break;
        case ButtonPicture::Clear: {  // an empty board: a grid crossed out
            p.setPen(QPen(ink, 1.2));
            for (double v : {6.0, 12.0, 18.0}) {
                p.drawLine(QPointF(v, 4), QPointF(v, 20));
                p.drawLine(QPointF(4, v), QPointF(20, v));
            }
            p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 2.4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(5, 5), QPointF(19, 19));
            p.drawLine(QPointF(19, 5), QPointF(5, 19));
            break;
        }
    }
}

class PictureEngine : public QIconEngine {
  public:
    explicit PictureEngine(ButtonPicture picture) : picture_(picture) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const double side = std::min(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2.0,
                           rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / 24.0, side / 24.0);
        const QColor ink = mode == QIcon::Disabled ? QColor(150, 150, 150) : QColor(30, 30, 30);
        draw(*painter, picture_, ink);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter painter(&pm);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }
    QIconEngine* clone() const override { return new PictureEngine(picture_); }

  private:
    ButtonPicture picture_;
};

}  // namespace

QIcon buttonPicture(ButtonPicture picture) { return QIcon(new PictureEngine(picture)); }

}  // namespace kelmaz
