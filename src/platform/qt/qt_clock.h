#pragma once

#include "platform/platform.h"

namespace ssn::platform {

// The local date and the user's own locale.
class QtClock : public Clock {
public:
    QDate today() override { return QDate::currentDate(); }
    QLocale locale() override { return QLocale(); }
};

} // namespace ssn::platform
