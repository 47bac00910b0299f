#include "web/support_messages.h"

#include <cmath>

namespace ssn::web {

int SupportMessageIndex(float r) {
    const float scaled = std::floor(r * 4.0f);
    if (!(scaled >= 0.0f)) { // also catches NaN
        return 0;
    }
    return scaled >= 3.0f ? 3 : static_cast<int>(scaled);
}

const QString& SupportMessageFor(float r) {
    return kSupportMessages[static_cast<std::size_t>(SupportMessageIndex(r))];
}

} // namespace ssn::web
