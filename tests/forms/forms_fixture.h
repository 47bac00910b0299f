#pragma once

// The program's windows over the platform doubles, and small helpers to drive them.

#include "doubles/mouse_input.h"
#include "doubles/platform_doubles.h"
#include "forms/forms.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

namespace ssn::forms::test {

using ssn::testing::doubleClick;
using ssn::testing::sendMouse;

// A window's control found by the design's name, as a person's tools find it. A window without
// such a control of that type fails the test right here, saying which.
template <class Control = QWidget> Control* control(const QObject& window, const char* name) {
    if (auto* found = window.findChild<Control*>(QString::fromLatin1(name)))
        return found;
    throw std::invalid_argument(std::string(window.metaObject()->className()) + " has no " +
                                Control::staticMetaObject.className() + " named " + name);
}

// Windows unloaded by deleteLater() go once the event loop gets to them; tests run none.
inline void flushDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Every window of the program that receives a Show event while it is installed, in order, and
// how many of the window system's windows (the windows handed to the screen) receive one.
class ShowWatch : public QObject {
public:
    ShowWatch() { QCoreApplication::instance()->installEventFilter(this); }
    ~ShowWatch() override { QCoreApplication::instance()->removeEventFilter(this); }

    template <class F> int shows() const {
        return static_cast<int>(std::count_if(shown.begin(), shown.end(),
                                              [](const std::type_info* type) { return *type == typeid(F); }));
    }

    std::vector<const std::type_info*> shown;
    int onScreen = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* form = dynamic_cast<Form*>(watched))
                shown.push_back(&typeid(*form));
            onScreen += qobject_cast<QWindow*>(watched) != nullptr ? 1 : 0;
        }
        return false;
    }
};

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
