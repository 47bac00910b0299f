#pragma once

// The program's one place where an error is ignored and the next step runs: a step that can
// fail, in the handlers that go on whatever the previous step did (the start-up sequence, the
// unload handlers of the start-up form and the result window, Back, and each window's unload in
// EndProgram's walk; the rule is in docs/architecture.md, under "Errors").

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
