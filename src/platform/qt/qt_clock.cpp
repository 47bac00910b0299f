#include "platform/qt/qt_clock.h"

namespace ssn::platform {

QDate QtClock::today() {
    return QDate::currentDate();
}

QLocale QtClock::locale() {
    return QLocale();
}

} // namespace ssn::platform
