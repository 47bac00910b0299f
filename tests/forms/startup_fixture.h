#pragma once

// What the start-up and program-end tests share: literal copies of the start-up texts, a
// random source that reports each use, and platform bundles with a part swapped for another.

#include "doubles/platform_doubles.h"
#include "expected_texts.h"
#include "forms/form.h"

#include <QString>
#include <array>
#include <deque>
#include <functional>
#include <vector>

namespace ssn::forms::test::startup {

using expected::kSupportMessages;
inline const QString kAlreadyRunning = QStringLiteral("Application is already running");
inline const QString kApplicationTitle = expected::kMessageCaption;
inline const QString kReminderQuestion =
    QStringLiteral("There maybe an update to this software available\rDo you want to check for an update?");

// Gives the queued values (then 0) and tells the test about every seeding and every draw.
class ObservedRandom : public platform::RandomSource {
public:
    void seedFromTimer() override {
        if (onUse)
            onUse(false);
        ++seeds;
    }
    float next() override {
        if (onUse)
            onUse(true);
        ++draws;
        if (values.empty())
            return 0.0f;
        const float value = values.front();
        values.pop_front();
        return value;
    }

    std::deque<float> values;
    int seeds = 0;
    int draws = 0;
    std::function<void(bool isDraw)> onUse;
};

// The fake platform with the random source and, optionally, the process end replaced.
inline platform::Platform bundleWith(ssn::testing::FakePlatform& fake, platform::RandomSource& random,
                                     platform::ProcessEnd* processEnd = nullptr) {
    return {fake.messageBox,
            fake.urlOpener,
            fake.clipboard,
            fake.settings,
            fake.instanceGuard,
            fake.topmost,
            processEnd != nullptr ? *processEnd : fake.processEnd,
            fake.clock,
            random,
            fake.executable,
            fake.run};
}

} // namespace ssn::forms::test::startup
