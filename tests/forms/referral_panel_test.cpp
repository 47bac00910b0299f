// The refer-a-friend panel of the exit screen through its real text boxes and button: each box
// with its placeholder, the e-mail boxes refusing the typed space with the window's message,
// and the referral URL that reaches the browser. The submission's checks in their order are
// the web tests'; the button's refusal is in the exit screen's Alt+N test.

#include "doubles/named_rows.h"
#include "exit_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace ssn::forms::test::exit {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

using Screen = frmNagScreen2;
using Field = std::function<QLineEdit*(Screen&)>;

const Field txtName = [](Screen& s) { return control<QLineEdit>(s, "txtName"); };
const Field txtEmail = [](Screen& s) { return control<QLineEdit>(s, "txtEmail"); };
const Field txtFriendName = [](Screen& s) { return control<QLineEdit>(s, "txtFriendName"); };
const Field txtFriendEmail = [](Screen& s) { return control<QLineEdit>(s, "txtFriendEmail"); };

// --- Each box with its placeholder (the rules themselves are the widgets tests')

struct FocusCase {
    const char* name;
    Field field;
    QString placeholder;
};

class PlaceholderFocusTest : public ExitTest, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(PlaceholderFocusTest, FocusClearsThePlaceholderAndLeavingRestoresIt) {
    Screen& screen = openExitScreen();
    QLineEdit* field = GetParam().field(screen);
    EXPECT_EQ(field->text(), GetParam().placeholder);
    field->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(field->text(), "");
    control(screen, "cmdClose")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(field->text(), GetParam().placeholder);
}

INSTANTIATE_TEST_SUITE_P(Boxes, PlaceholderFocusTest,
                         ::testing::Values(FocusCase{"Name", txtName, "Your Name"},
                                           FocusCase{"Email", txtEmail, "Your Email Address"},
                                           FocusCase{"FriendName", txtFriendName, "Friend's Name"},
                                           FocusCase{"FriendEmail", txtFriendEmail,
                                                     "Friend's Email Address"}),
                         byName);

TEST_F(ExitTest, APlaceholderTypedByTheUserCountsAsUntouched) {
    Screen& screen = openExitScreen();
    txtName(screen)->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(txtName(screen), "Your Name");
    control(screen, "cmdClose")->setFocus(Qt::TabFocusReason);
    txtName(screen)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(txtName(screen)->text(), "") << "emptied like the placeholder it is";

    QTest::keyClicks(txtName(screen), "Your Name");
    txtEmail(screen)->setText(QStringLiteral("a@b.c"));
    txtFriendEmail(screen)->setText(QStringLiteral("x@y.z"));
    QTest::mouseClick(control(screen, "cmdSubmit"), Qt::LeftButton);
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text, "Please Enter Your Name");
}

// --- The typed space: refused in the e-mail boxes with the window's message, taken in the others

class NoSpaceTest : public ExitTest, public ::testing::WithParamInterface<bool> {};

TEST_P(NoSpaceTest, RefusesTheSpaceWithAMessageAndLeavesTextAndFocusAsTheyWere) {
    Screen& screen = openExitScreen();
    QLineEdit* field = GetParam() ? txtFriendEmail(screen) : txtEmail(screen);
    field->setFocus(Qt::TabFocusReason);
    field->setText(QStringLiteral("ab@c.d"));
    QTest::keyClick(field, Qt::Key_Space);

    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    const platform::Message& message = fake.messageBox.shown[0];
    EXPECT_EQ(message.text, kNoSpace);
    EXPECT_EQ(message.icon, platform::MessageIcon::Critical);
    EXPECT_EQ(message.buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(message.caption, kMessageCaption);
    EXPECT_EQ(field->text(), "ab@c.d");
    EXPECT_EQ(QApplication::focusWidget(), field);
}

INSTANTIATE_TEST_SUITE_P(Boxes, NoSpaceTest, ::testing::Bool(),
                         [](const auto& row) { return row.param ? "FriendEmail" : "Email"; });

TEST_F(ExitTest, TheNameBoxesTakeTheSpaceKey) {
    Screen& screen = openExitScreen();
    for (QLineEdit* box : {txtName(screen), txtFriendName(screen)}) {
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, "Mary Ann");
        EXPECT_EQ(box->text(), "Mary Ann");
    }
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

// --- Submission: the message box, hidden, sends its initial text, line break included.

TEST_F(ExitTest, OpensOneUrlWithEveryValueEncodedAndLeavesTheScreenAsItWas) {
    Screen& screen = openExitScreen();
    txtName(screen)->setText(QStringLiteral("John"));
    txtEmail(screen)->setText(QStringLiteral("john@example.com"));
    txtFriendName(screen)->setText(QStringLiteral("Mary"));
    txtFriendEmail(screen)->setText(QStringLiteral("mary@example.org"));
    const QString label2 = control<QLabel>(screen, "Label2")->text();
    const std::vector<QString> textsBefore = {txtName(screen)->text(), txtEmail(screen)->text(),
                                              screen.messageText(), txtFriendName(screen)->text(),
                                              txtFriendEmail(screen)->text()};

    QTest::mouseClick(control(screen, "cmdSubmit"), Qt::LeftButton);

    const QString expected =
        kReferralPage +
        QStringLiteral("&taf1=John&taf2=john%40example.com&taf3=Your%20Message%0D%0A&taf4=Mary"
                       "&taf5=mary%40example.org&taf6=https%3A%2F%2Fvelmora.example%2F"
                       "vl-free-subconscious-self-number%2F");
    EXPECT_TRUE(fake.messageBox.shown.empty());
    EXPECT_EQ(fake.urlOpener.urls, std::vector<QString>{expected});
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(control<QLabel>(screen, "Label2")->text(), label2);
    EXPECT_EQ((std::vector<QString>{txtName(screen)->text(), txtEmail(screen)->text(), screen.messageText(),
                                    txtFriendName(screen)->text(), txtFriendEmail(screen)->text()}),
              textsBefore);
    EXPECT_FALSE(fake.processEnd.exitCode.has_value());

    QTest::mouseClick(control(screen, "cmdSubmit"), Qt::LeftButton);
    EXPECT_EQ(fake.urlOpener.urls, (std::vector<QString>{expected, expected}))
        << "a second click sends it again";
}

} // namespace
} // namespace ssn::forms::test::exit
