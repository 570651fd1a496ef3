#pragma once
// The layout is measured in twips; the screen in pixels. These convert between the two where
// windows are sized and placed.
#include <QRect>
#include <vector>

#include "view/BoardGeometry.h"

class QWidget;

namespace kelmaz {

// The area every screen leaves to windows (without panels and docks), in twips.
std::vector<TwipRect> availableScreensInTwips();

// A window's place and size in pixels brought onto the screens as placeOnScreens does: shrunk
// to fit the screen, and moved onto it when too little of it would show.
QRect placedOnScreens(const QRect& pixels);

// Applies placedOnScreens to a top-level window's frame (after it was placed or sized).
void keepOnScreens(QWidget& window);

}  // namespace kelmaz
