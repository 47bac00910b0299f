#pragma once

// One start of the program over the doubles: its platform, its windows, and the tidy-up of
// the windows it leaves behind; and literal copies of the start-up texts.

#include "expected_texts.h"
#include "forms/forms.h"
#include "forms_fixture.h"

#include <QString>
#include <memory>

namespace ssn::forms::test::startup {

using expected::kSupportMessages;
inline const QString kAlreadyRunning = QStringLiteral("Application is already running");
inline const QString kApplicationTitle = expected::kMessageCaption;
inline const QString kReminderQuestion =
    QStringLiteral("There maybe an update to this software available\rDo you want to check for an update?");

struct StartupRun {
    explicit StartupRun(platform::ProcessEnd* processEnd = nullptr)
        : forms(std::make_unique<Forms>(fake.bundle(processEnd))) {}
    ~StartupRun() {
        forms.reset();
        flushDeferredDeletes();
    }
    StartupRun(const StartupRun&) = delete;
    StartupRun& operator=(const StartupRun&) = delete;

    ssn::testing::FakePlatform fake;
    ssn::testing::FakeRandom& random = fake.random;
    std::unique_ptr<Forms> forms;
};

} // namespace ssn::forms::test::startup
