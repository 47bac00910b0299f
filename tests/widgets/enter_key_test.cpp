// Enter and keypad Enter press the focused push button on every window, once, also when held down.

#include "widgets/application_setup.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

namespace ssn::widgets::test {
namespace {

// Key, modifiers, presses the keyboard repeats while the key is held down, presses expected.
using KeyCase = std::tuple<Qt::Key, Qt::KeyboardModifiers, int, int>;

class EnterKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(EnterKeyTest, PressesTheFocusedButtonOnce) {
    const auto [key, modifiers, repeats, presses] = GetParam();
    EnterPressesFocusedButton filter;
    qApp->installEventFilter(&filter);
    QPushButton button(QStringLiteral("&Next"));
    button.setAutoDefault(false);
    button.show();
    button.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&button));
    button.setFocus();
    QSignalSpy clicked(&button, &QPushButton::clicked);

    for (int press = 0; press <= repeats; ++press) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, QString(), press > 0);
        QApplication::sendEvent(&button, &event);
    }

    EXPECT_EQ(clicked.count(), presses);
}

INSTANTIATE_TEST_SUITE_P(Keys, EnterKeyTest,
                         ::testing::Values(KeyCase{Qt::Key_Return, Qt::NoModifier, 0, 1},
                                           KeyCase{Qt::Key_Enter, Qt::KeypadModifier, 0, 1},
                                           KeyCase{Qt::Key_Return, Qt::ControlModifier, 0, 0},
                                           KeyCase{Qt::Key_Return, Qt::NoModifier, 3, 1}));

} // namespace
} // namespace ssn::widgets::test
