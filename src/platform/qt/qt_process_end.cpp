#include "platform/qt/qt_process_end.h"

#include <cstdio>
#include <cstdlib>

namespace ssn::platform {

void QtProcessEnd::endProcess(int exitCode) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(exitCode);
}

} // namespace ssn::platform
