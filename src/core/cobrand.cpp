#include "core/cobrand.h"

#include <cmath>

namespace ssn::core {

std::int16_t CoBrandNumber(float r) {
    constexpr float kBelowOne = 0x1.fffffep-1f; // the largest float below 1
    float clamped = r;
    if (!(clamped >= 0.0f)) { // also catches NaN
        clamped = 0.0f;
    } else if (clamped > kBelowOne) {
        clamped = kBelowOne;
    }
    // Both operations in single precision, so that 0.25 gives exactly 2.5 and rounds to 2.
    const float x = clamped * 6.0f + 1.0f;
    // Rounded by hand rather than through the floating-point environment, whose rounding
    // mode a library could have changed. The fraction is exact for x between 1 and 7.
    const float whole = std::floor(x);
    const float fraction = x - whole;
    float rounded = whole;
    if (fraction > 0.5f || (fraction == 0.5f && std::fmod(whole, 2.0f) != 0.0f)) {
        rounded = whole + 1.0f;
    }
    return static_cast<std::int16_t>(rounded);
}

CoBrandFront CoBrandFrontFor(std::int16_t number) {
    switch (number) {
    case 1:
    case 3:
    case 5:
        return CoBrandFront::CoBrand;
    case 2:
    case 4:
    case 6:
        return CoBrandFront::FullBrand;
    default:
        return CoBrandFront::Unchanged;
    }
}

} // namespace ssn::core
