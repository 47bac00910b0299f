#pragma once

// The once-per-run choice of which advertisement lies in front on the main window: the
// co-brand offer or the fully-branded one.

#include <cstdint>

namespace ssn::core {

// x = r * 6 + 1 in single precision, rounded to the nearest whole number with halves to the
// even neighbour: 1 to 7. A draw outside 0 <= r < 1 (which the random source never gives) is
// clamped into that range first, NaN counting as 0.
std::int16_t CoBrandNumber(float r);

enum class CoBrandFront {
    CoBrand,   // 1, 3, 5: the co-brand offer comes to the front
    FullBrand, // 2, 4, 6: the fully-branded offer comes to the front
    Unchanged  // 7 (and anything else): the labels keep their order
};

CoBrandFront CoBrandFrontFor(std::int16_t number);

} // namespace ssn::core
