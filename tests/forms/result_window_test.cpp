// The result window: the report it is given, afresh after Back (Back itself and the close box
// are in hand_off_test), the clipboard emptied by every change and mouse action, and its links.

#include "doubles/named_rows.h"
#include "expected_texts.h"
#include "forms/frmMain.h"
#include "forms/frmSubconciousSelfNumber.h"
#include "forms_fixture.h"
#include "widgets/link_label.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace ssn::forms::test {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

class ResultWindowTest : public FormsTest {
protected:
    void SetUp() override {
        main.show();
        QTest::keyClicks(control(main, "txtFirstName"), "john");
        QTest::keyClicks(control(main, "txtLastName"), "smith");
        fake.clipboard.clears = 0;
        control<QPushButton>(main, "cmdNext")->click();
        ASSERT_TRUE(forms->isLoaded<frmSubconciousSelfNumber>());
    }

    frmSubconciousSelfNumber& result() { return forms->result(); }
    QPlainTextEdit* display() { return control<QPlainTextEdit>(result(), "txtDisplay"); }

    frmMain& main = forms->main();
};

TEST_F(ResultWindowTest, ShowsTheReportReadOnly) {
    EXPECT_EQ(display()->toPlainText(), expected::reportOnScreen(7, expected::kInterpretation7));
    EXPECT_EQ(display()->textCursor().position(), 0);

    display()->setFocus();
    QTest::keyClicks(display(), "typed");
    QTest::keyClick(display(), Qt::Key_Delete);
    EXPECT_EQ(display()->toPlainText(), expected::reportOnScreen(7, expected::kInterpretation7))
        << "the user cannot edit the report";
}

TEST_F(ResultWindowTest, ShowingTheReportEmptiesTheClipboard) {
    EXPECT_GT(fake.clipboard.clears, 0);
}

TEST_F(ResultWindowTest, TheReportCanBeSelectedAndCopiedByKeyboard) {
    QPlainTextEdit* box = display();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Your Subconscious Self Number is: 7");
}

struct MouseCase {
    const char* name;
    std::function<void(QWidget&)> act;
};

class ClipboardTest : public ResultWindowTest, public ::testing::WithParamInterface<MouseCase> {};

TEST_P(ClipboardTest, EveryMouseActionOverTheReportEmptiesTheClipboard) {
    const int before = fake.clipboard.clears;
    GetParam().act(*display()->viewport());
    EXPECT_GT(fake.clipboard.clears, before);
}

INSTANTIATE_TEST_SUITE_P(
    MouseActions, ClipboardTest,
    ::testing::Values(
        MouseCase{"Press",
                  [](QWidget& w) { sendMouse(w, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton); }},
        MouseCase{"Release",
                  [](QWidget& w) { sendMouse(w, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton); }},
        MouseCase{
            "RightPress",
            [](QWidget& w) { sendMouse(w, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton); }},
        MouseCase{"MoveWithoutButton",
                  [](QWidget& w) { sendMouse(w, QEvent::MouseMove, Qt::NoButton, Qt::NoButton); }},
        MouseCase{"DragWithButton",
                  [](QWidget& w) { sendMouse(w, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton); }}),
    byName);

TEST_F(ResultWindowTest, TheReportBoxFollowsMouseMovesWithoutAButton) {
    EXPECT_TRUE(display()->viewport()->hasMouseTracking());
}

TEST_F(ResultWindowTest, AChangedReportEmptiesTheClipboard) {
    const int before = fake.clipboard.clears;
    display()->appendPlainText(QStringLiteral("more"));
    EXPECT_GT(fake.clipboard.clears, before);
}

TEST_F(ResultWindowTest, NextAfterBackGivesTheSameReportInAFreshWindow) {
    display()->appendPlainText(QStringLiteral("left over"));
    control<QPushButton>(result(), "cmdback")->click();
    flushDeferredDeletes();

    control<QPushButton>(main, "cmdNext")->click();

    EXPECT_TRUE(result().isVisible());
    EXPECT_EQ(display()->toPlainText(), expected::reportOnScreen(7, expected::kInterpretation7));
}

struct ResultLinkCase {
    const char* name; // the link label, by the design's name
    QString url;
};

class ResultLinkTest : public ResultWindowTest, public ::testing::WithParamInterface<ResultLinkCase> {};

TEST_P(ResultLinkTest, OpensExactlyItsOnePage) {
    QTest::mouseClick(control(result(), GetParam().name), Qt::LeftButton);
    EXPECT_EQ(fake.urlOpener.urls, (std::vector<QString>{GetParam().url}));
    EXPECT_TRUE(result().isVisible());
}

INSTANTIATE_TEST_SUITE_P(Links, ResultLinkTest,
                         ::testing::Values(ResultLinkCase{"Label61", expected::kHomePage},
                                           ResultLinkCase{"lblCobrand", expected::kCoBrandPage},
                                           ResultLinkCase{"lblFullBrand", expected::kFullyBrandedPage}),
                         byName);

// Which advertisement lies in front is in cobrand_rotation_test.cpp.
TEST_F(ResultWindowTest, TheControlsHaveAccessibleNames) {
    EXPECT_EQ(QAccessible::queryAccessibleInterface(control<QPushButton>(result(), "cmdback"))
                  ->text(QAccessible::Name),
              "Back");
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(display())->text(QAccessible::Name).isEmpty());
}

} // namespace
} // namespace ssn::forms::test
