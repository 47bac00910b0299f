#include "widgets/contrast.h"

#include <algorithm>
#include <cmath>

namespace ssn::widgets::contrast {

namespace {

double luminance(const QColor& colour) {
    const auto linear = [](float channel) {
        const double c = channel;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

} // namespace

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
