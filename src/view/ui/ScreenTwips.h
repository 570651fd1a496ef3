#pragma once
// The layout is measured in twips; the screen in pixels. These convert between the two where
// windows are sized and placed.
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <vector>

#include "view/BoardGeometry.h"

class QWidget;

namespace kelmaz {

// The area every screen leaves to windows (without panels and docks), in twips.
std::vector<TwipRect> availableScreensInTwips();

// The decoration the window system puts around a top-level window (title bar, borders): the
// window's own once it is framed, else that of another framed window of this program, since a
// window that was never shown has no frame yet.
QMargins frameMargins(const QWidget& window);

// Places a top-level window whose size is set: the top-left corner of its outer frame at
// frameTopLeft, moved and if need be shrunk so that the whole frame, title bar included, lies
// within the area its screen leaves to windows. Every window of the program is placed so.
void placeWindow(QWidget& window, QPoint frameTopLeft);
// The same with the inside given the size `size` (a resize of a shown window may not have
// taken effect yet when it is placed).
void placeWindow(QWidget& window, QPoint frameTopLeft, QSize size);

// Places a window level with `anchorFrame` (another window's outer frame) against its right
// edge (narrowed to the room there when most of it fits), else against its left edge where
// the screen has room there.
void placeBeside(QWidget& window, const QRect& anchorFrame, QSize size);

}  // namespace kelmaz
