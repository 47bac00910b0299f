#pragma once

#include "platform/platform.h"

namespace ssn::platform {

// The local date and the user's own locale.
class QtClock : public Clock {
public:
    QDate today() override;
    QLocale locale() override;
};

} // namespace ssn::platform
