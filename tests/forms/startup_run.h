#pragma once

// One start of the program over the doubles: its platform, its windows, and the tidy-up of
// the windows it leaves behind.

#include "forms/forms.h"
#include "forms_fixture.h"
#include "startup_fixture.h"

#include <memory>

namespace ssn::forms::test::startup {

struct StartupRun {
    explicit StartupRun(platform::ProcessEnd* processEnd = nullptr)
        : forms(std::make_unique<Forms>(bundleWith(fake, random, processEnd))) {}
    ~StartupRun() {
        forms.reset();
        flushDeferredDeletes();
    }
    StartupRun(const StartupRun&) = delete;
    StartupRun& operator=(const StartupRun&) = delete;

    ssn::testing::FakePlatform fake;
    ObservedRandom random;
    std::unique_ptr<Forms> forms;
};

} // namespace ssn::forms::test::startup
