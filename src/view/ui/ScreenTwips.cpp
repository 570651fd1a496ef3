#include "view/ui/ScreenTwips.h"

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

QRect placedOnScreens(const QRect& pixels) {
    const TwipRect placed =
        placeOnScreens({pixels.x() * kTwipsPerPixel, pixels.y() * kTwipsPerPixel,
                        pixels.width() * kTwipsPerPixel, pixels.height() * kTwipsPerPixel},
                       availableScreensInTwips());
    return {twipsToPixels(placed.left), twipsToPixels(placed.top), twipsToPixels(placed.width),
            twipsToPixels(placed.height)};
}

void keepOnScreens(QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect placed = placedOnScreens(frame);
    if (placed == frame) return;
    window.move(placed.topLeft());
    window.resize(window.size() - (frame.size() - placed.size()));
}

}  // namespace kelmaz
