#include "view/ui/ScreenTwips.h"

#include <QGuiApplication>
#include <QScreen>

namespace kelmaz {

int twipsToPixels(int twips) { return qRound(double(twips) / kTwipsPerPixel); }

std::vector<TwipRect> availableScreensInTwips() {
    std::vector<TwipRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect a = screen->availableGeometry();
        screens.push_back({a.x() * kTwipsPerPixel, a.y() * kTwipsPerPixel,
                           a.width() * kTwipsPerPixel, a.height() * kTwipsPerPixel});
    }
    return screens;
}

}  // namespace kelmaz
