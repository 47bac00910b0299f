#pragma once

// Contrast between two colours as WCAG 2 measures it, and the colours the program's marks take
// so that they stand out whatever they are drawn on: the focus mark, the caret's edge and the
// scroll bar's slider.

#include <QColor>

namespace ssn::widgets::contrast {

// A colour channel (0 to 1) with sRGB's curve undone: its share of the light.
double linearised(float channel);

// The ratio of the lighter colour's relative luminance to the darker one's, each plus 0.05:
// 1 for equal colours, 21 for black and white.
double ratio(const QColor& first, const QColor& second);

// Black or white, whichever stands out more against the colour: at least 4.58:1 against any.
QColor blackOrWhiteAgainst(const QColor& colour);

// The colour taken towards black or white just far enough to stand out against it by at least
// the given ratio (at most 4.58).
QColor shadeStandingOutFrom(const QColor& colour, double minimumRatio);

} // namespace ssn::widgets::contrast
