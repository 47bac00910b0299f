// The refer-a-friend panel of the exit screen through its real text boxes and button: the
// placeholders coming and going with the focus, the e-mail boxes refusing the typed space,
// and the referral URL that reaches the browser. The submission's checks in their order are
// the web tests'; the button's refusal is in the exit screen's Alt+N test.

#include "doubles/named_rows.h"
#include "exit_fixture.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <optional>
#include <tuple>

namespace ssn::forms::test::exit {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

using Screen = frmNagScreen2;
using Field = std::function<QLineEdit*(Screen&)>;

const Field txtName = [](Screen& s) { return s.txtName; };
const Field txtEmail = [](Screen& s) { return s.txtEmail; };
const Field txtFriendName = [](Screen& s) { return s.txtFriendName; };
const Field txtFriendEmail = [](Screen& s) { return s.txtFriendEmail; };

// --- Placeholders

struct FocusCase {
    const char* name;
    Field field;
    QString before;
    QString afterFocus;
    QString afterLeaving;
};

class PlaceholderFocusTest : public ExitTest, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(PlaceholderFocusTest, FocusClearsThePlaceholderAndLeavingRestoresIt) {
    Screen& screen = openExitScreen();
    const FocusCase& c = GetParam();
    QLineEdit* field = c.field(screen);
    field->setText(c.before);

    field->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(field->text(), c.afterFocus);

    screen.cmdClose->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(field->text(), c.afterLeaving);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PlaceholderFocusTest,
    ::testing::Values(FocusCase{"OnlyBlanksAreRestored", txtName, "   ", "   ", "Your Name"},
                      FocusCase{"EmptyIsRestored", txtName, "", "", "Your Name"},
                      FocusCase{"LetterCaseCounts", txtName, "your name", "your name", "your name"},
                      FocusCase{"ATabIsNotTrimmed", txtName, "\tYour Name", "\tYour Name", "\tYour Name"},
                      FocusCase{"OtherTextStaysUntrimmed", txtName, " John ", " John ", " John "},
                      FocusCase{"Email", txtEmail, "Your Email Address", "", "Your Email Address"},
                      FocusCase{"FriendName", txtFriendName, "Friend's Name", "", "Friend's Name"},
                      FocusCase{"FriendEmail", txtFriendEmail, " Friend's Email Address ", "",
                                "Friend's Email Address"}),
    byName);

TEST_F(ExitTest, APlaceholderTypedByTheUserCountsAsUntouched) {
    Screen& screen = openExitScreen();
    screen.txtName->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(screen.txtName, "Your Name");
    screen.cmdClose->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(screen.txtName->text(), "Your Name");
    screen.txtName->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(screen.txtName->text(), "") << "emptied like the placeholder it is";

    QTest::keyClicks(screen.txtName, "Your Name");
    screen.txtEmail->setText(QStringLiteral("a@b.c"));
    screen.txtFriendEmail->setText(QStringLiteral("x@y.z"));
    QTest::mouseClick(screen.cmdSubmit, Qt::LeftButton);
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text, "Please Enter Your Name");
}

// Stepping away without moving the focus to another control: another window becomes active,
// or a context menu opens over the box (a right-click).
enum class Away { AnotherWindow, ContextMenu };

class SteppingAwayTest : public ExitTest, public ::testing::WithParamInterface<Away> {};

TEST_P(SteppingAwayTest, IsNotLeavingTheBox) {
    Screen& screen = openExitScreen();
    screen.txtName->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(screen.txtName->text(), "");
    QWidget other;
    QMenu menu;
    menu.addAction(QStringLiteral("Copy"));
    if (GetParam() == Away::AnotherWindow) {
        other.show();
        activate(other);
    } else {
        menu.popup(screen.txtName->mapToGlobal(QPoint(2, 2)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    }
    EXPECT_EQ(screen.txtName->text(), "") << "the placeholder does not come back while the user is away";
    if (GetParam() == Away::AnotherWindow) {
        activate(screen);
    } else {
        menu.close();
    }
    EXPECT_EQ(QApplication::focusWidget(), screen.txtName);
    EXPECT_EQ(screen.txtName->text(), "");
}

INSTANTIATE_TEST_SUITE_P(Exit, SteppingAwayTest, ::testing::Values(Away::AnotherWindow, Away::ContextMenu),
                         [](const auto& row) {
                             return std::string(row.param == Away::AnotherWindow ? "AnotherWindow"
                                                                                 : "ContextMenu");
                         });

// --- The typed space in the e-mail boxes

enum class WhileMessageShows { Nothing, AnotherWindowIsActive, AnotherControlTakesFocus };

class NoSpaceTest : public ExitTest,
                    public ::testing::WithParamInterface<std::tuple<int, QString, WhileMessageShows>> {};

TEST_P(NoSpaceTest, RefusesTheSpaceWithAMessageAndLeavesTextAndFocusAsTheyWere) {
    const auto& [fieldIndex, before, meanwhile] = GetParam();
    Screen& screen = openExitScreen();
    QLineEdit* field = fieldIndex == 0 ? screen.txtEmail : screen.txtFriendEmail;
    field->setFocus(Qt::TabFocusReason);
    field->setText(before); // as pasted

    QWidget otherWindow;
    fake.messageBox.onShow = [&](const platform::Message&) {
        switch (meanwhile) {
        case WhileMessageShows::Nothing:
            break;
        case WhileMessageShows::AnotherWindowIsActive:
            otherWindow.show();
            activate(otherWindow);
            otherWindow.hide();
            activate(screen);
            break;
        case WhileMessageShows::AnotherControlTakesFocus:
            screen.cmdSubmit->setFocus(Qt::OtherFocusReason);
            break;
        }
    };
    QTest::keyClick(field, Qt::Key_Space);

    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    const platform::Message& message = fake.messageBox.shown[0];
    EXPECT_EQ(message.text, kNoSpace);
    EXPECT_EQ(message.icon, platform::MessageIcon::Critical);
    EXPECT_EQ(message.buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(message.caption, kMessageCaption);
    EXPECT_EQ(field->text(), before);
    EXPECT_EQ(QApplication::focusWidget(), field);
}

std::string noSpaceCaseName(const ::testing::TestParamInfo<NoSpaceTest::ParamType>& row) {
    const auto& [fieldIndex, before, meanwhile] = row.param;
    const std::string field = fieldIndex == 0 ? "Email" : "FriendEmail";
    const std::string text = before.isEmpty()             ? "Empty"
                             : before.trimmed().isEmpty() ? "Blanks"
                             : before.contains(u'@')      ? "Address"
                                                          : "Text" + std::to_string(before.size());
    const char* const modes[] = {"", "_OtherWindowActive", "_OtherControlFocused"};
    return field + "_" + text + modes[static_cast<int>(meanwhile)];
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NoSpaceTest,
    ::testing::Combine(::testing::Values(0, 1),
                       ::testing::Values(QString(), QStringLiteral("   "),
                                         QStringLiteral("Your Email Address"),
                                         QStringLiteral("Friend's Email Address"), QStringLiteral("ab@c.d")),
                       ::testing::Values(WhileMessageShows::Nothing, WhileMessageShows::AnotherWindowIsActive,
                                         WhileMessageShows::AnotherControlTakesFocus)),
    noSpaceCaseName);

TEST_F(ExitTest, OtherKeysAndPastedSpacesReachTheEmailBoxes) {
    Screen& screen = openExitScreen();
    screen.txtEmail->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(screen.txtEmail, "ab@c.d");
    EXPECT_EQ(screen.txtEmail->text(), "ab@c.d");

    QApplication::clipboard()->setText(QStringLiteral(" j o@x.y"));
    QTest::keyClick(screen.txtEmail, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(screen.txtEmail->text(), "ab@c.d j o@x.y");
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(ExitTest, TheNameBoxesTakeTheSpaceKey) {
    Screen& screen = openExitScreen();
    screen.txtFriendName->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(screen.txtFriendName, "Mary Ann");
    EXPECT_EQ(screen.txtFriendName->text(), "Mary Ann");
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

// --- Submission

struct Entry {
    // Unset: the box keeps its initial text.
    std::optional<QString> name = std::nullopt;
    std::optional<QString> email = std::nullopt;
    std::optional<QString> message = std::nullopt;
    std::optional<QString> friendName = std::nullopt;
    std::optional<QString> friendEmail = std::nullopt;
};

void enter(Screen& screen, const Entry& entry) {
    if (entry.name)
        screen.txtName->setText(*entry.name);
    if (entry.email)
        screen.txtEmail->setText(*entry.email);
    if (entry.message)
        screen.txtMessage->setPlainText(*entry.message);
    if (entry.friendName)
        screen.txtFriendName->setText(*entry.friendName);
    if (entry.friendEmail)
        screen.txtFriendEmail->setText(*entry.friendEmail);
}

struct ReferralCase {
    const char* name;
    Entry entry;
    QString expectedQuery; // what follows the page URL
};

class ReferralTest : public ExitTest, public ::testing::WithParamInterface<ReferralCase> {};

TEST_P(ReferralTest, OpensOneUrlWithEveryValueEncodedAndLeavesTheScreenAsItWas) {
    Screen& screen = openExitScreen();
    enter(screen, GetParam().entry);
    const QString label2 = screen.Label2->text();
    const std::vector<QString> textsBefore = {screen.txtName->text(), screen.txtEmail->text(),
                                              screen.messageText(), screen.txtFriendName->text(),
                                              screen.txtFriendEmail->text()};

    QTest::mouseClick(screen.cmdSubmit, Qt::LeftButton);

    const QString expected = kReferralPage + GetParam().expectedQuery;
    EXPECT_TRUE(fake.messageBox.shown.empty());
    EXPECT_EQ(fake.urlOpener.urls, std::vector<QString>{expected});
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(screen.Label2->text(), label2);
    EXPECT_EQ((std::vector<QString>{screen.txtName->text(), screen.txtEmail->text(), screen.messageText(),
                                    screen.txtFriendName->text(), screen.txtFriendEmail->text()}),
              textsBefore);
    EXPECT_FALSE(fake.processEnd.exitCode.has_value());

    QTest::mouseClick(screen.cmdSubmit, Qt::LeftButton);
    EXPECT_EQ(fake.urlOpener.urls, (std::vector<QString>{expected, expected}))
        << "a second click sends it again";
}

const QString kFolder =
    QStringLiteral("&taf6=https%3A%2F%2Fvelmora.example%2Fvl-free-subconscious-self-number%2F");

INSTANTIATE_TEST_SUITE_P(
    Values, ReferralTest,
    ::testing::Values(ReferralCase{"PlainReferralWithTheUntouchedMessage",
                                   {.name = "John",
                                    .email = "john@example.com",
                                    .friendName = "Mary",
                                    .friendEmail = "mary@example.org"},
                                   "&taf1=John&taf2=john%40example.com&taf3=Your%20Message%0D%0A&taf4=Mary"
                                   "&taf5=mary%40example.org" +
                                       kFolder},
                      ReferralCase{"OuterBlanksTrimmedInnerBlanksKept",
                                   {.name = "  Ann Lee ",
                                    .email = " j o@x.y ",
                                    .message = " Hello ",
                                    .friendName = "Bo ",
                                    .friendEmail = "b@y.z"},
                                   "&taf1=Ann%20Lee&taf2=j%20o%40x.y&taf3=Hello&taf4=Bo&taf5=b%40y.z" +
                                       kFolder}),
    byName);

} // namespace
} // namespace ssn::forms::test::exit
