#pragma once
// The match window's four status pictures, drawn rather than loaded: 0 not connected (two
// computers crossed out), 1 connected, 2 a message was received, 3 a message was sent.
#include <QPixmap>

namespace kelmaz {

inline constexpr int kStatusPictureCount = 4;

QPixmap statusPicture(int index, int width, int height);

}  // namespace kelmaz
