#include "view/ui/ScreenTwips.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kelmaz {

std::vector<TwipRect> availableScreensInTwips() {
    std::vector<TwipRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect a = screen->availableGeometry();
        screens.push_back({a.x() * kTwipsPerPixel, a.y() * kTwipsPerPixel,
                           a.width() * kTwipsPerPixel, a.height() * kTwipsPerPixel});
    }
    return screens;
}

namespace {

QMargins marginsOf(const QWidget& window) {
    const QRect frame = window.frameGeometry(), inside = window.geometry();
    return {inside.left() - frame.left(), inside.top() - frame.top(),
            frame.right() - inside.right(), frame.bottom() - inside.bottom()};
}

}  // namespace

QMargins frameMargins(const QWidget& window) {
    if (window.isVisible() && !marginsOf(window).isNull()) return marginsOf(window);
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other->isVisible() && !marginsOf(*other).isNull()) return marginsOf(*other);
    }
    return {};
}

void placeWindow(QWidget& window, QPoint frameTopLeft) {
    placeWindow(window, frameTopLeft, window.size());
}

void placeWindow(QWidget& window, QPoint frameTopLeft, QSize size) {
    const QMargins m = frameMargins(window);
    const QSize frameSize = size.grownBy(m);
    const TwipRect placed =
        placeOnScreens({frameTopLeft.x() * kTwipsPerPixel, frameTopLeft.y() * kTwipsPerPixel,
                        frameSize.width() * kTwipsPerPixel, frameSize.height() * kTwipsPerPixel},
                       availableScreensInTwips());
    const QRect frame(twipsToPixels(placed.left), twipsToPixels(placed.top),
                      twipsToPixels(placed.width), twipsToPixels(placed.height));
    if (m.isNull()) {
        // No frame known yet (the first window of the program): move() asks the window
        // system to put the frame there.
        window.resize(frame.size());
        window.move(frame.topLeft());
        return;
    }
    // The inside is placed, which every window system takes literally; the frame goes around
    // it where it was asked to be.
    window.setGeometry(frame.marginsRemoved(m));
}

void placeBeside(QWidget& window, const QRect& anchorFrame, QSize size) {
    const QMargins m = frameMargins(window);
    const int frameWidth = size.width() + m.left() + m.right();
    QPoint at(anchorFrame.right() + 1, anchorFrame.top());
    const QScreen* screen = QGuiApplication::screenAt(anchorFrame.center());
    if (!screen) screen = window.screen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        const int roomRight = area.right() - anchorFrame.right();
        const int roomLeft = anchorFrame.left() - area.left();
        if (frameWidth > roomRight && frameWidth <= roomLeft) {
            at.setX(anchorFrame.left() - frameWidth);
        } else if (frameWidth > roomRight && 2 * roomRight >= frameWidth) {
            // Room for most of it on the right: narrower, but still beside the anchor.
            size.setWidth(roomRight - m.left() - m.right());
        }
    }
    placeWindow(window, at, size);
}

}  // namespace kelmaz
