#pragma once

// The windows are laid out in twips (1440 per inch). Qt works in device-independent pixels
// (96 per inch) and scales those for high-DPI screens itself, so one pixel is 15 twips.

#include <QRect>
#include <QSize>

namespace ssn::forms {

inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel, so that 5 twips (a third of a pixel) is not lost in one
// direction only.
inline constexpr int twipsToPixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

inline QSize twipsSize(int width, int height) {
    return {twipsToPixels(width), twipsToPixels(height)};
}

} // namespace ssn::forms
