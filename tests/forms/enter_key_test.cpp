// Enter and keypad Enter press the focused push button on every window, once.

#include "forms/application_setup.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

namespace ssn::forms::test {
namespace {

// Key, modifiers, whether the button handles Enter itself (as in a dialog), presses expected.
using KeyCase = std::tuple<Qt::Key, Qt::KeyboardModifiers, bool, int>;

class EnterKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(EnterKeyTest, PressesTheFocusedButtonOnce) {
    const auto [key, modifiers, handlesEnterItself, presses] = GetParam();
    EnterPressesFocusedButton filter;
    qApp->installEventFilter(&filter);
    QPushButton button(QStringLiteral("&Next"));
    button.setAutoDefault(handlesEnterItself);
    button.show();
    button.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&button));
    button.setFocus();
    QSignalSpy clicked(&button, &QPushButton::clicked);

    QTest::keyClick(&button, key, modifiers);

    EXPECT_EQ(clicked.count(), presses);
}

INSTANTIATE_TEST_SUITE_P(Keys, EnterKeyTest,
                         ::testing::Values(KeyCase{Qt::Key_Return, Qt::NoModifier, false, 1},
                                           KeyCase{Qt::Key_Enter, Qt::KeypadModifier, false, 1},
                                           KeyCase{Qt::Key_Return, Qt::ControlModifier, false, 0},
                                           KeyCase{Qt::Key_Return, Qt::NoModifier, true, 1}));

} // namespace
} // namespace ssn::forms::test
