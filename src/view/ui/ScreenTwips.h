#pragma once
// The layout is measured in twips; the screen in pixels. These convert between the two where
// windows are sized and placed.
#include <vector>

#include "view/BoardGeometry.h"

namespace kelmaz {

// A length in twips as whole pixels, rounded to the nearest.
int twipsToPixels(int twips);

// The area every screen leaves to windows (without panels and docks), in twips.
std::vector<TwipRect> availableScreensInTwips();

}  // namespace kelmaz
