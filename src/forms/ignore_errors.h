#pragma once

// For the handlers that go on with their next step whatever the previous one did.

#include <utility>

namespace ssn::forms {

template <class Step> void ignoringErrors(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
    } catch (...) {
        // Deliberately ignored: the caller's next step runs regardless.
    }
}

} // namespace ssn::forms
