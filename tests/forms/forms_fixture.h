#pragma once

// The program's windows over the platform doubles, and small helpers to drive them.

#include "doubles/platform_doubles.h"
#include "forms/forms.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace ssn::forms::test {

// Windows unloaded by deleteLater() go once the event loop gets to them; tests run none.
inline void flushDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Delivers a mouse event through the application, as the window system would.
inline void sendMouse(QWidget& target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons) {
    const QPointF position = QRectF(target.rect()).center();
    QMouseEvent event(type, position, target.mapToGlobal(position), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &event);
}

// A double-click as the window system delivers it: a click, then a double-click event in place
// of the second press, then its release.
inline void doubleClick(QWidget& target) {
    sendMouse(target, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    sendMouse(target, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
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
