#pragma once

// The program's windows over the platform doubles, and small helpers to drive them.

#include "doubles/platform_doubles.h"
#include "forms/forms.h"
#include "widgets/mouse_input.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>
#include <memory>

namespace ssn::forms::test {

using ssn::testing::doubleClick;
using ssn::testing::sendMouse;

// Windows unloaded by deleteLater() go once the event loop gets to them; tests run none.
inline void flushDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class FormsTest : public ::testing::Test {
protected:
    void TearDown() override {
        forms.reset();
        flushDeferredDeletes();
    }

    ssn::testing::FakePlatform fake;
    std::unique_ptr<Forms> forms = std::make_unique<Forms>(fake.bundle());
};

} // namespace ssn::forms::test
