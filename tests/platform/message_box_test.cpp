// The real message box, answered from inside its own modal loop.

#include "doubles/named_rows.h"
#include "platform/qt/qt_message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <array>
#include <functional>
#include <gtest/gtest.h>

namespace ssn::platform {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

// Shows `message` and, once the box is up, lets `act` look at it and close it.
MessageAnswer showAndAct(const Message& message, const std::function<void(QMessageBox&)>& act) {
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ADD_FAILURE() << "no message box is up";
            QApplication::activeModalWidget()->close();
            return;
        }
        act(*box);
    });
    return QtMessageBox().show(message);
}

void pressKey(QMessageBox& box, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&box, &press);
}

Message reminderQuestion() {
    Message message;
    message.text = QStringLiteral(
        "There maybe an update to this software available\rDo you want to check for an update?");
    message.buttons = MessageButtons::YesNo;
    message.defaultButton = MessageAnswer::Yes;
    return message;
}

TEST(QtMessageBoxTest, ShowsCaptionIconButtonsAndTheLoneCarriageReturnAsALineBreak) {
    showAndAct(reminderQuestion(), [](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("VL Subconscious Self Number"));
        EXPECT_EQ(
            box.text(),
            QStringLiteral(
                "There maybe an update to this software available\nDo you want to check for an update?"));
        EXPECT_EQ(box.icon(), QMessageBox::Information);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()), box.button(QMessageBox::Yes));
        box.button(QMessageBox::No)->click();
    });
}

struct AnswerCase {
    const char* name;
    MessageAnswer defaultButton;
    std::function<void(QMessageBox&)> act;
    MessageAnswer expected;
};

class QtMessageBoxAnswerTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(QtMessageBoxAnswerTest, ReturnsTheButtonPressed) {
    Message message = reminderQuestion();
    message.defaultButton = GetParam().defaultButton;
    EXPECT_EQ(showAndAct(message, GetParam().act), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QtMessageBoxAnswerTest,
    ::testing::Values(AnswerCase{"YesClicked", MessageAnswer::Yes,
                                 [](QMessageBox& b) { b.button(QMessageBox::Yes)->click(); },
                                 MessageAnswer::Yes},
                      AnswerCase{"EnterTakesNoDefault", MessageAnswer::No,
                                 [](QMessageBox& b) { pressKey(b, Qt::Key_Return); }, MessageAnswer::No},
                      AnswerCase{"CloseBoxAnswersNo", MessageAnswer::Yes, [](QMessageBox& b) { b.close(); },
                                 MessageAnswer::No}),
    byName);

TEST(QtMessageBoxTest, OkBoxWithCriticalIconAndMarkupShownAsPlainText) {
    Message message;
    message.text = QStringLiteral("<b>Please enter your name</b>");
    message.icon = MessageIcon::Critical;
    message.caption = QStringLiteral("Refer a friend");
    const MessageAnswer answer = showAndAct(message, [](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Refer a friend"));
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        pressKey(box, Qt::Key_Escape);
    });
    EXPECT_EQ(answer, MessageAnswer::Ok);
}

// A box belongs to the window it must not be hidden by: the active window, else a window that
// stays on top, else any window of the program on screen; it is modal and wide enough for its
// whole title. With no window on screen it belongs to none and stays above every other window.
struct OwnerCase {
    const char* name;
    int shown; // none, the normal window, or both
    bool normalActive;
    enum class Owner { None, Normal, Topmost } owner;
};

class QtMessageBoxOwnerTest : public ::testing::TestWithParam<OwnerCase> {};

TEST_P(QtMessageBoxOwnerTest, BelongsToTheWindowThatCouldHideIt) {
    // The topmost window is the one the application lists last, so that a box taking the first
    // window on screen would belong to the other.
    QWidget windows[2];
    const QWidgetList listed = QApplication::topLevelWidgets();
    const int last = listed.indexOf(&windows[0]) < listed.indexOf(&windows[1]) ? 1 : 0;
    QWidget& normal = windows[1 - last];
    QWidget& topmost = windows[last];
    topmost.setWindowFlag(Qt::WindowStaysOnTopHint);
    normal.setVisible(GetParam().shown >= 1);
    topmost.setVisible(GetParam().shown == 2);
    if (GetParam().normalActive) {
        normal.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&normal));
    } else {
        QApplication::setActiveWindow(nullptr);
    }
    QWidget* const expected = std::array<QWidget*, 3>{nullptr, &normal, &topmost}[int(GetParam().owner)];
    showAndAct(InformationMessage(QStringLiteral("No")), [expected](QMessageBox& box) {
        EXPECT_EQ(box.parentWidget(), expected);
        EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(box.windowFlags().testFlag(Qt::WindowStaysOnTopHint), expected == nullptr);
        // A short text leaves the width to the title. Measured with openbox: its icon and three
        // buttons take about 75 px beside the title, which it draws in bold.
        QFont bold = box.font();
        bold.setBold(true);
        EXPECT_GE(box.width(), QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + 75);
        box.close();
    });
}

INSTANTIATE_TEST_SUITE_P(Cases, QtMessageBoxOwnerTest,
                         ::testing::Values(OwnerCase{"TheActiveWindow", 2, true, OwnerCase::Owner::Normal},
                                           OwnerCase{"ATopmostWindowOnScreen", 2, false,
                                                     OwnerCase::Owner::Topmost},
                                           OwnerCase{"AWindowOnScreen", 1, false, OwnerCase::Owner::Normal},
                                           OwnerCase{"NoWindowOnScreen", 0, false, OwnerCase::Owner::None}),
                         byName);

} // namespace
} // namespace ssn::platform
