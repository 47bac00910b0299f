// The main window through its real controls: start state, menus, links, the input checks with
// the focus afterwards, the hand-over to the result window and the tab order. Its texts are in
// window_texts_test.cpp, its name fields' upper-casing in tests/widgets/name_field_test.cpp.

#include "doubles/named_rows.h"
#include "expected_texts.h"
#include "forms/frmMain.h"
#include "forms/frmSubconciousSelfNumber.h"
#include "forms/shared_controls.h"
#include "forms_fixture.h"
#include "widgets/link_label.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace ssn::forms::test {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

class MainWindowTest : public FormsTest {
protected:
    void SetUp() override {
        main.show();
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    }

    void setDate(int monthPosition, int dayPosition, const QString& year) {
        main.cboMonth->setCurrentIndex(monthPosition);
        main.cboDate->setCurrentIndex(dayPosition);
        main.cboYear->setCurrentIndex(year.isEmpty() ? -1 : main.cboYear->findText(year));
    }

    QWidget* tabFrom(QWidget* start) {
        start->setFocus(Qt::TabFocusReason);
        QTest::keyClick(start, Qt::Key_Tab);
        return QApplication::focusWidget();
    }

    frmMain& main = forms->main();
};

QStringList entries(const QComboBox& list) {
    QStringList result;
    for (int i = 0; i < list.count(); ++i) {
        result << list.itemText(i);
    }
    return result;
}

TEST_F(MainWindowTest, StartsWithEmptyNamesAndTheDateListsFilledAndAtTheirFirstEntries) {
    for (const QLineEdit* field : {main.txtFirstName, main.txtMiddleName, main.txtLastName}) {
        EXPECT_TRUE(field->text().isEmpty());
    }
    QStringList days;
    for (int day = 1; day <= 31; ++day) {
        days << QString::number(day);
    }
    EXPECT_EQ(entries(*main.cboDate), days);
    EXPECT_EQ(entries(*main.cboMonth),
              (QStringList{"January", "February", "March", "April", "May", "June", "July", "August",
                           "September", "October", "November", "December"}));
    const QStringList years = entries(*main.cboYear);
    ASSERT_EQ(years.size(), 151);
    EXPECT_EQ(years.front(), "1900");
    EXPECT_EQ(years.back(), "2050");
    EXPECT_EQ(main.cboDate->currentText(), "1");
    EXPECT_EQ(main.cboMonth->currentText(), "January");
    EXPECT_EQ(main.cboYear->currentText(), "1900");
    for (const QComboBox* list : {main.cboDate, main.cboMonth, main.cboYear}) {
        EXPECT_FALSE(list->isEditable()) << "the date lists accept no typing";
    }
    EXPECT_FALSE(main.cmdExit->isVisible()) << "the Exit button is never visible";
    EXPECT_EQ(fake.settings.writes, 1) << "loading the window runs the update reminder, which stores today";
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

QList<QAction*> visible(const QList<QAction*>& actions) {
    QList<QAction*> result;
    for (QAction* action : actions) {
        if (action->isVisible()) {
            result << action;
        }
    }
    return result;
}

TEST_F(MainWindowTest, HasTheMenuBarInItsOrder) {
    const auto* bar = main.findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(visible(bar->actions()),
              (QList<QAction*>{main.nuFile->menuAction(), main.mnuHelp->menuAction(), main.mnuDonate}));
    EXPECT_EQ(visible(main.nuFile->actions()), (QList<QAction*>{main.mnuNext, main.mnuExit}));
    EXPECT_EQ(visible(main.mnuHelp->actions()),
              (QList<QAction*>{main.mnuOnline, main.mnuVisit, main.mnuFileSep1, main.mnuUpdate,
                               main.mnuFileSep2, main.mnuAbout}));
    EXPECT_TRUE(main.mnuFileSep1->isSeparator());
    EXPECT_TRUE(main.mnuFileSep2->isSeparator());
    EXPECT_FALSE(main.mkmoney->isVisible()) << "the switched-off item is left out of the menu bar";
}

struct LinkCase {
    const char* name;
    std::function<void(frmMain&)> use;
    QString url;
};

class MainWindowLinkTest : public MainWindowTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(MainWindowLinkTest, OpensExactlyItsOnePage) {
    GetParam().use(main);
    EXPECT_EQ(fake.urlOpener.urls, (std::vector<QString>{GetParam().url}));
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Links, MainWindowLinkTest,
    ::testing::Values(
        LinkCase{"SponsorLine", [](frmMain& m) { QTest::mouseClick(m.Label61, Qt::LeftButton); },
                 expected::kHomePage},
        LinkCase{"CoBrandLabel", [](frmMain& m) { QTest::mouseClick(m.lblCobrand, Qt::LeftButton); },
                 expected::kCoBrandPage},
        LinkCase{"FullBrandLabel", [](frmMain& m) { QTest::mouseClick(m.lblFullBrand, Qt::LeftButton); },
                 expected::kFullyBrandedPage},
        LinkCase{"OnlineHelp", [](frmMain& m) { m.mnuOnline->trigger(); }, expected::kHelpPage},
        LinkCase{"VisitUsOnline", [](frmMain& m) { m.mnuVisit->trigger(); }, expected::kHomePage},
        LinkCase{"CheckForUpdate", [](frmMain& m) { m.mnuUpdate->trigger(); }, expected::kDownloadPage},
        LinkCase{"Donate", [](frmMain& m) { m.mnuDonate->trigger(); }, expected::kDonatePage},
        LinkCase{"MakeMoneyOnline", [](frmMain& m) { m.mkmoney->trigger(); }, expected::kFullyBrandedPage}),
    byName);

TEST_F(MainWindowTest, AClickOnTheAdvertisementPanelOpensThePageOfTheLabelInFront) {
    QWidget* panel = main.fraFullBrand;
    const QPoint middle = panel->rect().center();
    EXPECT_EQ(panel->childAt(middle), main.lblFullBrand) << "the fully-branded offer lies in front at first";
    QTest::mouseClick(panel->childAt(middle), Qt::LeftButton);

    main.lblCobrand->raise();
    EXPECT_EQ(panel->childAt(middle), main.lblCobrand);
    QTest::mouseClick(panel->childAt(middle), Qt::LeftButton);

    EXPECT_EQ(fake.urlOpener.urls,
              (std::vector<QString>{expected::kFullyBrandedPage, expected::kCoBrandPage}));
}

enum class Focus { FirstName, LastName, Day, Month, Year, Unchanged };
enum class Trigger { NextButton, FileNext };

struct ValidationCase {
    const char* name;
    QString firstName;
    QString lastName;
    int monthPosition;
    int dayPosition;
    QString year;
    QString message; // empty: the input passes
    Focus focus;
};

class ValidationTest : public MainWindowTest,
                       public ::testing::WithParamInterface<std::tuple<ValidationCase, Trigger>> {
protected:
    QWidget* focusWidgetFor(Focus focus, QWidget* before) const {
        switch (focus) {
        case Focus::FirstName:
            return main.txtFirstName;
        case Focus::LastName:
            return main.txtLastName;
        case Focus::Day:
            return main.cboDate;
        case Focus::Month:
            return main.cboMonth;
        case Focus::Year:
            return main.cboYear;
        case Focus::Unchanged:
            break;
        }
        return before;
    }
};

TEST_P(ValidationTest, ShowsTheFirstFailedCheckAndMovesTheFocus) {
    const auto& [row, trigger] = GetParam();
    QTest::keyClicks(main.txtFirstName, row.firstName);
    QTest::keyClicks(main.txtMiddleName, "Q");
    QTest::keyClicks(main.txtLastName, row.lastName);
    setDate(row.monthPosition, row.dayPosition, row.year);

    QWidget* before = nullptr;
    if (trigger == Trigger::NextButton) {
        main.cmdNext->setFocus();
        before = main.cmdNext;
        QTest::mouseClick(main.cmdNext, Qt::LeftButton);
    } else {
        main.txtMiddleName->setFocus();
        before = main.txtMiddleName;
        main.mnuNext->trigger();
        QCoreApplication::processEvents(); // File, Next runs once the menu item's handling is over
    }

    if (row.message.isEmpty()) {
        EXPECT_TRUE(fake.messageBox.shown.empty());
        EXPECT_FALSE(main.isVisible());
        EXPECT_TRUE(forms->isLoaded<frmSubconciousSelfNumber>());
        return;
    }
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    const platform::Message& shown = fake.messageBox.shown.front();
    EXPECT_EQ(shown.text, row.message);
    EXPECT_EQ(shown.icon, platform::MessageIcon::Information);
    EXPECT_EQ(shown.buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(shown.caption, expected::kMessageCaption);
    EXPECT_EQ(main.focusWidget(), focusWidgetFor(row.focus, before));
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(forms->isLoaded<frmSubconciousSelfNumber>()) << "a failed check goes no further";
    EXPECT_EQ(main.txtMiddleName->text(), "Q") << "a failed check leaves the fields as they were";
}

const QString kFebruary = QStringLiteral("Please Enter Correct Date Or Month!");
const QString kDay31 = QStringLiteral("Please Enter Correct Date Or Month !");

INSTANTIATE_TEST_SUITE_P(
    Checks, ValidationTest,
    ::testing::Combine(
        ::testing::Values(
            ValidationCase{"NoFirstName", "", "SMITH", 1, 30, "1901", "Please Enter Your First Name",
                           Focus::FirstName},
            ValidationCase{"BlanksAreAFirstName", "   ", "SMITH", 0, 0, "1900", "", Focus::Unchanged},
            ValidationCase{"NoLastName", "JOHN", "", 0, 0, "1900", "Please Enter Your Last Name",
                           Focus::LastName},
            ValidationCase{"NoDay", "JOHN", "SMITH", 0, -1, "1900", "Please Specify Your Birth Date",
                           Focus::Day},
            ValidationCase{"NoMonth", "JOHN", "SMITH", -1, 0, "1900", "Please Specify Your Birth Month",
                           Focus::Month},
            ValidationCase{"NoYear", "JOHN", "SMITH", 0, 0, "", "Please Specify Your Birth Year",
                           Focus::Year},
            ValidationCase{"Feb29In1900", "JOHN", "SMITH", 1, 28, "1900", kFebruary, Focus::Unchanged},
            ValidationCase{"Feb29In2000", "JOHN", "SMITH", 1, 28, "2000", "", Focus::Unchanged},
            ValidationCase{"Apr30", "JOHN", "SMITH", 3, 29, "1990", "", Focus::Unchanged},
            ValidationCase{"Apr31", "JOHN", "SMITH", 3, 30, "1990", kDay31, Focus::Unchanged},
            ValidationCase{"Dec31", "JOHN", "SMITH", 11, 30, "2050", "", Focus::Unchanged}),
        ::testing::Values(Trigger::NextButton, Trigger::FileNext)),
    [](const auto& row) {
        return std::string(std::get<0>(row.param).name) +
               (std::get<1>(row.param) == Trigger::NextButton ? "_NextButton" : "_FileNext");
    });

TEST_F(MainWindowTest, TheFirstNameFieldHasTheFocusAtFirstAndTabVisitsTheFieldsTheListsAndNextInOrder) {
    EXPECT_EQ(QApplication::focusWidget(), main.txtFirstName);
    const std::vector<QWidget*> order = {main.txtMiddleName, main.txtLastName, main.cboMonth,
                                         main.cboDate,       main.cboYear,     main.cmdNext};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->accessibleName().toStdString();
    }
}

TEST_F(MainWindowTest, APastedMebibyteIsCutAtTheStandardLimitAndTheReportCountsWhatIsKept) {
    QString name;
    while (name.size() < 1024 * 1024) {
        name += QStringLiteral("abcdefgh"); // digits 1 to 8 only
    }
    name.insert(32766, QStringLiteral("i")); // the ninth digit, the last character kept
    QApplication::clipboard()->setText(name);
    main.txtFirstName->setFocus();
    QTest::keyClick(main.txtFirstName, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(main.txtFirstName->text(), name.left(32767).toUpper());
    QTest::keyClicks(main.txtLastName, "aaa");

    main.mnuNext->trigger();
    QCoreApplication::processEvents();

    EXPECT_EQ(forms->result().txtDisplay->toPlainText(),
              expected::reportOnScreen(9, expected::kInterpretation9));
}

TEST_F(MainWindowTest, FileExitLeavesTheMainWindow) {
    main.mnuExit->trigger();
    EXPECT_FALSE(main.isVisible());
    EXPECT_FALSE(forms->isLoaded<frmMain>());
}

TEST_F(MainWindowTest, EveryControlHasAnAccessibleNameWithoutItsAccessKeyMarker) {
    const std::vector<std::pair<QWidget*, QString>> controls = {
        {main.txtFirstName, "First Name"},
        {main.txtMiddleName, "Middle Name"},
        {main.txtLastName, "Last Name"},
        {main.cmdNext, "Next"},
        {main.Label61, main.Label61->text()}, // a link is named by what it shows
        {main.lblCobrand, main.lblCobrand->text()},
        {main.lblFullBrand, main.lblFullBrand->text()}};
    for (const auto& [control, name] : controls) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), name);
    }
    // On Linux the toolkit names a list by its entry; the description says what the list is.
    const std::vector<std::pair<QWidget*, QString>> described = {
        {main.cboMonth, "Birth month"}, {main.cboDate, "Birth day"}, {main.cboYear, "Birth year"}};
    for (const auto& [list, description] : described) {
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(list)->text(QAccessible::Name).isEmpty());
        EXPECT_EQ(QAccessible::queryAccessibleInterface(list)->text(QAccessible::Description), description);
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(main.fraBirthDay)->text(QAccessible::Name),
              "Date Of Birth")
        << "not the outer frame's title";
}

// The covered one of two stacked advertisements is out of the tab order.
TEST_F(MainWindowTest, TheCoveredAdvertisementIsOutOfTheTabOrderAndInvisibleToAssistiveTechnology) {
    EXPECT_EQ(tabFrom(main.cmdNext), main.Label61);
    EXPECT_EQ(tabFrom(main.Label61), main.lblFullBrand) << "lblCobrand lies behind and cannot be seen";
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(main.lblCobrand)->state().invisible);

    BringAdvertisementToFront(*main.lblCobrand);
    EXPECT_EQ(tabFrom(main.Label61), main.lblCobrand);
    EXPECT_EQ(tabFrom(main.lblCobrand), main.txtFirstName) << "lblFullBrand now lies behind";
    EXPECT_EQ(main.lblFullBrand->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(main.lblCobrand)->state().invisible);
    QAccessibleInterface* covered = QAccessible::queryAccessibleInterface(main.lblFullBrand);
    EXPECT_TRUE(covered->state().invisible);
    EXPECT_TRUE(covered->actionInterface()->actionNames().isEmpty())
        << "what cannot be clicked cannot be pressed";
}

} // namespace
} // namespace ssn::forms::test
