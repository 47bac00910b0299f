#include "widgets/contrast.h"

#include <algorithm>

namespace ssn::widgets::contrast {

namespace {

// x to the power 2.4 for 0 <= x <= 1, as x squared times the fifth root of x squared, the root by
// Newton's steps. It stands in for std::pow, the only code of the maths library that the first
// paint would touch (a fifth of a megabyte of memory); the tests hold both to the same answers.
double powerTwoPointFour(double x) {
    const double square = x * x;
    // From above, each step of Newton's method on y^5 = square descends towards the root; the
    // first step that does not descend any more has reached it to the last bit.
    double root = 1.0;
    for (;;) {
        const double fourth = root * root * root * root;
        const double next = (4.0 * root + square / fourth) / 5.0;
        if (!(next < root)) {
            return square * root;
        }
        root = next;
    }
}

double luminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linearised(rgb.redF()) + 0.7152 * linearised(rgb.greenF()) +
           0.0722 * linearised(rgb.blueF());
}

} // namespace

double linearised(float channel) {
    const double c = channel;
    return c <= 0.04045 ? c / 12.92 : powerTwoPointFour((c + 0.055) / 1.055);
}

double ratio(const QColor& first, const QColor& second) {
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor blackOrWhiteAgainst(const QColor& colour) {
    return ratio(colour, Qt::black) >= ratio(colour, Qt::white) ? QColor(Qt::black) : QColor(Qt::white);
}

QColor shadeStandingOutFrom(const QColor& colour, double minimumRatio) {
    const QColor rgb = colour.toRgb();
    const QColor target = blackOrWhiteAgainst(rgb);
    constexpr int kSteps = 20;
    for (int step = 1; step < kSteps; ++step) {
        const float share = static_cast<float>(step) / kSteps;
        const auto mix = [&](float from, float to) { return from + (to - from) * share; };
        const QColor shade =
            QColor::fromRgbF(mix(rgb.redF(), target.redF()), mix(rgb.greenF(), target.greenF()),
                             mix(rgb.blueF(), target.blueF()));
        if (ratio(shade, rgb) >= minimumRatio) {
            return shade;
        }
    }
    return target;
}

} // namespace ssn::widgets::contrast
