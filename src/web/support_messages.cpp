#include "web/support_messages.h"

#include <cmath>

namespace ssn::web {

namespace {

std::size_t supportMessageIndex(float r) {
    const float scaled = std::floor(r * 4.0f);
    if (!(scaled >= 0.0f)) { // also catches NaN
        return 0;
    }
    return scaled >= 3.0f ? 3 : static_cast<std::size_t>(scaled);
}

} // namespace

const QString& supportMessageFor(float r) {
    return kSupportMessages[supportMessageIndex(r)];
}

} // namespace ssn::web
