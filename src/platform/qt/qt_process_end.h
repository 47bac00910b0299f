#pragma once

#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace ssn::platform {

// Ends the process at once: no destructor, no event and no handler runs afterwards. The
// settings need nothing more, because each write was flushed when it was made.
class QtProcessEnd : public ProcessEnd {
public:
    [[noreturn]] void endProcess(int exitCode) override {
        std::fflush(nullptr); // every output stream
        std::_Exit(exitCode);
    }
};

} // namespace ssn::platform
