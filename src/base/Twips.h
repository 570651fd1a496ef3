#pragma once
// Window layout is measured in twips, the screen in pixels: 15 twips make one
// device-independent pixel.

namespace kelmaz {

inline constexpr int kTwipsPerPixel = 15;

// A length or position in twips as whole pixels, rounded to the nearest (halves away from 0).
constexpr int twipsToPixels(int twips) {
    const int half = kTwipsPerPixel / 2;
    return (twips >= 0 ? twips + half : twips - half) / kTwipsPerPixel;
}

constexpr int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

}  // namespace kelmaz
