// A placeholder field on its own: the placeholder going when the box gets the focus and coming
// back when the box is left empty (blanks, code 32, trimmed; nothing else), nothing of it while
// the user is only away, and the typed space refused with a signal, the text and the focus as
// they were whatever the message shown meanwhile does. Each box of the exit screen with its
// placeholder and its message is the forms tests'.

#include "doubles/named_rows.h"
#include "widgets/placeholder_field.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>

namespace ssn::widgets::test {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

const QString kPlaceholder = QStringLiteral("Your Email Address");

void activate(QWidget& window) {
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

class PlaceholderFieldTest : public ::testing::Test {
public:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(other);
        window.show();
        activate(window);
        other->setFocus(); // so that the box gets the focus when a test gives it
    }

    QWidget window;
    QLineEdit* box = new QLineEdit(kPlaceholder);
    QPushButton* other = new QPushButton(QStringLiteral("Exit"));
    PlaceholderField field{*box, kPlaceholder, SpaceKey::Refused};
};

struct FocusCase {
    const char* name;
    QString before;
    QString afterFocus;
    QString afterLeaving;
};

class PlaceholderFocusTest : public PlaceholderFieldTest, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(PlaceholderFocusTest, FocusClearsThePlaceholderAndLeavingRestoresIt) {
    box->setText(GetParam().before);
    box->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(box->text(), GetParam().afterFocus);
    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(box->text(), GetParam().afterLeaving);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PlaceholderFocusTest,
    ::testing::Values(
        FocusCase{"ThePlaceholder", kPlaceholder, "", kPlaceholder},
        FocusCase{"ThePlaceholderInBlanks", " " + kPlaceholder + "  ", "", kPlaceholder},
        FocusCase{"OnlyBlanksAreRestored", "   ", "   ", kPlaceholder},
        FocusCase{"EmptyIsRestored", "", "", kPlaceholder},
        FocusCase{"LetterCaseCounts", kPlaceholder.toLower(), kPlaceholder.toLower(), kPlaceholder.toLower()},
        FocusCase{"ATabIsNotTrimmed", "\t" + kPlaceholder, "\t" + kPlaceholder, "\t" + kPlaceholder},
        FocusCase{"OtherTextStaysUntrimmed", " a@b.c ", " a@b.c ", " a@b.c "}),
    byName);

// Stepping away without moving the focus to another control: another window becomes active,
// or a context menu opens over the box (a right-click).
class SteppingAwayTest : public PlaceholderFieldTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SteppingAwayTest, IsNotLeavingTheBox) {
    box->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(box->text(), "");
    QWidget otherWindow;
    QMenu menu;
    menu.addAction(QStringLiteral("Copy"));
    if (GetParam()) {
        otherWindow.show();
        activate(otherWindow);
    } else {
        menu.popup(box->mapToGlobal(QPoint(2, 2)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    }
    EXPECT_EQ(box->text(), "") << "the placeholder does not come back while the user is away";
    if (GetParam()) {
        activate(window);
    } else {
        menu.close();
    }
    EXPECT_EQ(QApplication::focusWidget(), box);
    EXPECT_EQ(box->text(), "");
}

INSTANTIATE_TEST_SUITE_P(Away, SteppingAwayTest, ::testing::Bool(),
                         [](const auto& row) { return row.param ? "AnotherWindow" : "ContextMenu"; });

// What the message about a refused space may do while it is up, as a message box does.
struct MeanwhileCase {
    const char* name;
    QString before;
    std::function<void(PlaceholderFieldTest&)> meanwhile;
};

class NoSpaceTest : public PlaceholderFieldTest, public ::testing::WithParamInterface<MeanwhileCase> {};

TEST_P(NoSpaceTest, RefusesTheSpaceWithASignalAndLeavesTextAndFocusAsTheyWere) {
    box->setFocus(Qt::TabFocusReason);
    box->setText(GetParam().before); // as pasted
    int refusals = 0;
    QObject::connect(&field, &PlaceholderField::spaceRefused, [&] {
        ++refusals;
        GetParam().meanwhile(*this);
    });
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(refusals, 1);
    EXPECT_EQ(box->text(), GetParam().before);
    EXPECT_EQ(QApplication::focusWidget(), box);
}

const auto anotherControlTakesFocus = [](PlaceholderFieldTest& test) {
    test.other->setFocus(Qt::OtherFocusReason);
};

INSTANTIATE_TEST_SUITE_P(Cases, NoSpaceTest,
                         ::testing::Values(MeanwhileCase{"Nothing", "ab@c.d", [](PlaceholderFieldTest&) {}},
                                           MeanwhileCase{"OtherWindowActive", kPlaceholder,
                                                         [](PlaceholderFieldTest& test) {
                                                             QWidget otherWindow;
                                                             otherWindow.show();
                                                             activate(otherWindow);
                                                             otherWindow.hide();
                                                             activate(test.window);
                                                         }},
                                           MeanwhileCase{"OtherControlFocused_Blanks", "   ",
                                                         anotherControlTakesFocus},
                                           MeanwhileCase{"OtherControlFocused_Placeholder", kPlaceholder,
                                                         anotherControlTakesFocus}),
                         byName);

TEST_F(PlaceholderFieldTest, OtherKeysAndPastedSpacesReachTheBox) {
    box->setFocus(Qt::TabFocusReason);
    QSignalSpy refusals(&field, &PlaceholderField::spaceRefused);
    QTest::keyClicks(box, "ab@c.d");
    QApplication::clipboard()->setText(QStringLiteral(" j o@x.y"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "ab@c.d j o@x.y");
    EXPECT_EQ(refusals.count(), 0);
}

} // namespace
} // namespace ssn::widgets::test
