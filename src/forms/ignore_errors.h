#pragma once

// One step that can fail, in the handlers that go on with their next step whatever the
// previous one did (the rule is in docs/architecture.md, under "Errors").

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
