// Enter and keypad Enter press the focused push button on every window, as Space does.

#include "forms/application_setup.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

namespace ssn::forms::test {
namespace {

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool autoDefault; // a button that handles Enter itself, as in a dialog
    int clicks;
};

void PrintTo(const KeyCase& row, std::ostream* out) {
    *out << row.name;
}

class EnterKeyTest : public ::testing::TestWithParam<KeyCase> {
protected:
    void SetUp() override { qApp->installEventFilter(&filter); }
    void TearDown() override { qApp->removeEventFilter(&filter); }

    EnterPressesFocusedButton filter;
};

TEST_P(EnterKeyTest, PressesTheFocusedButtonOnce) {
    QWidget window;
    auto* other = new QPushButton(QStringLiteral("Other"), &window);
    auto* button = new QPushButton(QStringLiteral("&Next"), &window);
    button->move(0, 40);
    button->setAutoDefault(GetParam().autoDefault);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    QSignalSpy clicked(button, &QPushButton::clicked);
    QSignalSpy otherClicked(other, &QPushButton::clicked);

    QTest::keyClick(button, GetParam().key, GetParam().modifiers);

    EXPECT_EQ(clicked.count(), GetParam().clicks);
    EXPECT_EQ(otherClicked.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EnterKeyTest,
    ::testing::Values(KeyCase{"Return", Qt::Key_Return, Qt::NoModifier, false, 1},
                      KeyCase{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, false, 1},
                      KeyCase{"Space", Qt::Key_Space, Qt::NoModifier, false, 1},
                      KeyCase{"ReturnWithControl", Qt::Key_Return, Qt::ControlModifier, false, 0},
                      KeyCase{"ButtonThatHandlesEnterItself", Qt::Key_Return, Qt::NoModifier, true, 1},
                      KeyCase{"OtherKey", Qt::Key_A, Qt::NoModifier, false, 0}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace ssn::forms::test
