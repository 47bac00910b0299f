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
        cboMonth->setCurrentIndex(monthPosition);
        cboDate->setCurrentIndex(dayPosition);
        cboYear->setCurrentIndex(year.isEmpty() ? -1 : cboYear->findText(year));
    }

    QWidget* tabFrom(QWidget* start) {
        start->setFocus(Qt::TabFocusReason);
        QTest::keyClick(start, Qt::Key_Tab);
        return QApplication::focusWidget();
    }

    frmMain& main = forms->main();
    // The controls most rows use, found by their names.
    QLineEdit* txtFirstName = control<QLineEdit>(main, "txtFirstName");
    QLineEdit* txtMiddleName = control<QLineEdit>(main, "txtMiddleName");
    QLineEdit* txtLastName = control<QLineEdit>(main, "txtLastName");
    QComboBox* cboMonth = control<QComboBox>(main, "cboMonth");
    QComboBox* cboDate = control<QComboBox>(main, "cboDate");
    QComboBox* cboYear = control<QComboBox>(main, "cboYear");
    QPushButton* cmdNext = control<QPushButton>(main, "cmdNext");
    widgets::LinkLabel* Label61 = control<widgets::LinkLabel>(main, "Label61");
    widgets::LinkLabel* lblCobrand = control<widgets::LinkLabel>(main, "lblCobrand");
    widgets::LinkLabel* lblFullBrand = control<widgets::LinkLabel>(main, "lblFullBrand");
};

QStringList entries(const QComboBox& list) {
    QStringList result;
    for (int i = 0; i < list.count(); ++i) {
        result << list.itemText(i);
    }
    return result;
}

TEST_F(MainWindowTest, StartsWithEmptyNamesAndTheDateListsFilledAndAtTheirFirstEntries) {
    EXPECT_EQ(txtFirstName->text() + txtMiddleName->text() + txtLastName->text(), "")
        << "the names start empty";
    QStringList numbers;
    for (int number = 1; number <= 2050; ++number) {
        numbers << QString::number(number);
    }
    EXPECT_EQ(entries(*cboDate), numbers.mid(0, 31));
    EXPECT_EQ(entries(*cboMonth), (QStringList{"January", "February", "March", "April", "May", "June", "July",
                                               "August", "September", "October", "November", "December"}));
    EXPECT_EQ(entries(*cboYear), numbers.mid(1899));
    EXPECT_EQ((QStringList{cboDate->currentText(), cboMonth->currentText(), cboYear->currentText()}),
              (QStringList{"1", "January", "1900"}));
    for (const QComboBox* list : {cboDate, cboMonth, cboYear}) {
        EXPECT_FALSE(list->isEditable()) << "the date lists accept no typing";
        EXPECT_TRUE(list->findChildren<QWidget*>().isEmpty()) << "an open list is made as it first opens";
    }
    EXPECT_FALSE(control(main, "cmdExit")->isVisible()) << "the Exit button is never visible";
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
    const auto item = [this](const char* name) { return control<QAction>(main, name); };
    const auto menu = [this](const char* name) { return control<QMenu>(main, name); };
    EXPECT_EQ(visible(bar->actions()), (QList<QAction*>{menu("nuFile")->menuAction(),
                                                        menu("mnuHelp")->menuAction(), item("mnuDonate")}));
    EXPECT_EQ(visible(menu("nuFile")->actions()), (QList<QAction*>{item("mnuNext"), item("mnuExit")}));
    EXPECT_EQ(visible(menu("mnuHelp")->actions()),
              (QList<QAction*>{item("mnuOnline"), item("mnuVisit"), item("mnuFileSep1"), item("mnuUpdate"),
                               item("mnuFileSep2"), item("mnuAbout")}));
    EXPECT_TRUE(item("mnuFileSep1")->isSeparator());
    EXPECT_TRUE(item("mnuFileSep2")->isSeparator());
    EXPECT_FALSE(item("mkmoney")->isVisible()) << "the switched-off item is left out of the menu bar";
}

struct LinkCase {
    const char* name; // the link label or menu item, by the design's name
    QString url;
};

class MainWindowLinkTest : public MainWindowTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(MainWindowLinkTest, OpensExactlyItsOnePage) {
    QObject* link = control<QObject>(main, GetParam().name);
    if (auto* item = qobject_cast<QAction*>(link)) {
        item->trigger();
    } else {
        QTest::mouseClick(qobject_cast<QWidget*>(link), Qt::LeftButton);
    }
    EXPECT_EQ(fake.urlOpener.urls, (std::vector<QString>{GetParam().url}));
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Links, MainWindowLinkTest,
                         ::testing::Values(LinkCase{"Label61", expected::kHomePage},
                                           LinkCase{"lblCobrand", expected::kCoBrandPage},
                                           LinkCase{"lblFullBrand", expected::kFullyBrandedPage},
                                           LinkCase{"mnuOnline", expected::kHelpPage},
                                           LinkCase{"mnuVisit", expected::kHomePage},
                                           LinkCase{"mnuUpdate", expected::kDownloadPage},
                                           LinkCase{"mnuDonate", expected::kDonatePage},
                                           LinkCase{"mkmoney", expected::kFullyBrandedPage}),
                         byName);

TEST_F(MainWindowTest, AClickOnTheAdvertisementPanelOpensThePageOfTheLabelInFront) {
    QWidget* panel = control<QFrame>(main, "fraFullBrand");
    const QPoint middle = panel->rect().center();
    EXPECT_EQ(panel->childAt(middle), lblFullBrand) << "the fully-branded offer lies in front at first";
    QTest::mouseClick(panel->childAt(middle), Qt::LeftButton);

    lblCobrand->raise();
    EXPECT_EQ(panel->childAt(middle), lblCobrand);
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
            return txtFirstName;
        case Focus::LastName:
            return txtLastName;
        case Focus::Day:
            return cboDate;
        case Focus::Month:
            return cboMonth;
        case Focus::Year:
            return cboYear;
        case Focus::Unchanged:
            break;
        }
        return before;
    }
};

TEST_P(ValidationTest, ShowsTheFirstFailedCheckAndMovesTheFocus) {
    const auto& [row, trigger] = GetParam();
    QTest::keyClicks(txtFirstName, row.firstName);
    QTest::keyClicks(txtMiddleName, "Q");
    QTest::keyClicks(txtLastName, row.lastName);
    setDate(row.monthPosition, row.dayPosition, row.year);

    QWidget* before = nullptr;
    if (trigger == Trigger::NextButton) {
        cmdNext->setFocus();
        before = cmdNext;
        QTest::mouseClick(cmdNext, Qt::LeftButton);
    } else {
        txtMiddleName->setFocus();
        before = txtMiddleName;
        control<QAction>(main, "mnuNext")->trigger();
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
    EXPECT_EQ(txtMiddleName->text(), "Q") << "a failed check leaves the fields as they were";
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
            ValidationCase{"Apr31", "JOHN", "SMITH", 3, 30, "1990", kDay31, Focus::Unchanged},
            ValidationCase{"Dec31", "JOHN", "SMITH", 11, 30, "2050", "", Focus::Unchanged}),
        ::testing::Values(Trigger::NextButton, Trigger::FileNext)),
    [](const auto& row) {
        return std::string(std::get<0>(row.param).name) +
               (std::get<1>(row.param) == Trigger::NextButton ? "_NextButton" : "_FileNext");
    });

TEST_F(MainWindowTest, TheFirstNameFieldHasTheFocusAtFirstAndTabVisitsTheFieldsTheListsAndNextInOrder) {
    EXPECT_EQ(QApplication::focusWidget(), txtFirstName);
    const std::vector<QWidget*> order = {txtMiddleName, txtLastName, cboMonth, cboDate, cboYear, cmdNext};
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
    txtFirstName->setFocus();
    QTest::keyClick(txtFirstName, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(txtFirstName->text(), name.left(32767).toUpper());
    QTest::keyClicks(txtLastName, "aaa");

    control<QAction>(main, "mnuNext")->trigger();
    QCoreApplication::processEvents();

    EXPECT_EQ(control<QPlainTextEdit>(forms->result(), "txtDisplay")->toPlainText(),
              expected::reportOnScreen(9, expected::kInterpretation9));
}

TEST_F(MainWindowTest, EveryControlHasAnAccessibleNameWithoutItsAccessKeyMarker) {
    const std::vector<std::pair<QWidget*, QString>> controls = {
        {txtFirstName, "First Name"},     {txtMiddleName, "Middle Name"},
        {txtLastName, "Last Name"},       {cmdNext, "Next"},
        {Label61, Label61->text()}, // a link is named by what it shows
        {lblCobrand, lblCobrand->text()}, {lblFullBrand, lblFullBrand->text()}};
    for (const auto& [control, name] : controls) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), name);
    }
    // On Linux the toolkit names a list by its entry; the description says what the list is.
    const std::vector<std::pair<QWidget*, QString>> described = {
        {cboMonth, "Birth month"}, {cboDate, "Birth day"}, {cboYear, "Birth year"}};
    for (const auto& [list, description] : described) {
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(list)->text(QAccessible::Name).isEmpty());
        EXPECT_EQ(QAccessible::queryAccessibleInterface(list)->text(QAccessible::Description), description);
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(control<QGroupBox>(main, "fraBirthDay"))
                  ->text(QAccessible::Name),
              "Date Of Birth")
        << "not the outer frame's title";
}

// The covered one of two stacked advertisements is out of the tab order.
TEST_F(MainWindowTest, TheCoveredAdvertisementIsOutOfTheTabOrderAndInvisibleToAssistiveTechnology) {
    EXPECT_EQ(tabFrom(cmdNext), Label61);
    EXPECT_EQ(tabFrom(Label61), lblFullBrand) << "lblCobrand lies behind and cannot be seen";
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(lblCobrand)->state().invisible);

    bringAdvertisementToFront(*lblCobrand);
    EXPECT_EQ(tabFrom(Label61), lblCobrand);
    EXPECT_EQ(tabFrom(lblCobrand), txtFirstName) << "lblFullBrand now lies behind";
    EXPECT_EQ(lblFullBrand->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(lblCobrand)->state().invisible);
    QAccessibleInterface* covered = QAccessible::queryAccessibleInterface(lblFullBrand);
    EXPECT_TRUE(covered->state().invisible);
    EXPECT_TRUE(covered->actionInterface()->actionNames().isEmpty())
        << "what cannot be clicked cannot be pressed";
}

} // namespace
} // namespace ssn::forms::test
