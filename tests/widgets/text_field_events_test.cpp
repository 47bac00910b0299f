// What assistive technology hears from a text field: the focus before anything the field does
// with its text, a caret event after the toolkit's own focus event, and a single-line text as
// one run, so that a screen reader reads it whole. Events are caught by an accessibility bridge
// of the test's own, which the toolkit feeds whether or not a screen reader listens.

#include "widgets/accessibility.h"
// moc, which reads this file for the bridge plugin, cannot parse the concepts of the rows' helper.
#ifndef Q_MOC_RUN
#include "doubles/named_rows.h"
#endif

#include <QAccessible>
#include <QAccessibleBridgePlugin>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <vector>

namespace ssn::widgets::test {
namespace {

bool listening = false;
std::vector<std::pair<const QObject*, QAccessible::Event>> heard; // compared, never followed

class RecordingBridge : public QAccessibleBridge {
public:
    void setRootObject(QAccessibleInterface* /*root*/) override {}
    void notifyAccessibilityUpdate(QAccessibleEvent* event) override {
        if (listening) {
            heard.emplace_back(event->object(), event->type());
        }
    }
};

} // namespace

class RecordingBridgePlugin : public QAccessibleBridgePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QAccessibleBridgeFactoryInterface_iid FILE "recording_bridge.json")

public:
    QAccessibleBridge* create(const QString& /*key*/) override { return new RecordingBridge; }
};

namespace {

struct FieldCase {
    const char* name;
    const char* text;
    bool multiLine;
};

using ssn::testing::byName;
using ssn::testing::PrintTo;

class TextFieldFocusEventsTest : public ::testing::TestWithParam<FieldCase> {};

// Heard for the field from the Tab into it until the event loop is idle: the focus first, then
// whatever the field does with its text and the toolkit's focus event, and a caret event last.
TEST_P(TextFieldFocusEventsTest, AnnouncesTheFocusFirstAndTheCaretAfterTheToolkitsFocus) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QLineEdit;
    layout->addWidget(before);
    const QString text = QString::fromLatin1(GetParam().text);
    QWidget* field =
        GetParam().multiLine ? static_cast<QWidget*>(new QPlainTextEdit(text)) : new QLineEdit(text);
    layout->addWidget(field);
    AnnounceTextFocusFirst filter;
    qApp->installEventFilter(&filter);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    before->setFocus();

    heard.clear();
    listening = true;
    QTest::keyClick(before, Qt::Key_Tab);
    QCoreApplication::processEvents();
    listening = false;
    qApp->removeEventFilter(&filter);

    std::vector<QAccessible::Event> forField;
    for (const auto& [object, type] : heard) {
        if (object == field) {
            forField.push_back(type);
        }
    }
    SCOPED_TRACE(::testing::PrintToString(forField));
    ASSERT_FALSE(forField.empty());
    ASSERT_EQ(forField.front(), QAccessible::Focus) << "nothing of the field comes before its focus";
    const auto lastFocus = std::find(forField.rbegin(), forField.rend(), QAccessible::Focus).base() - 1;
    EXPECT_NE(lastFocus, forField.begin()) << "the toolkit's own focus event follows";
    EXPECT_NE(std::find(lastFocus, forField.end(), QAccessible::TextCaretMoved), forField.end())
        << "a caret event comes after the last focus event";
}

INSTANTIATE_TEST_SUITE_P(Fields, TextFieldFocusEventsTest,
                         ::testing::Values(FieldCase{"EmptyLine", "", false},
                                           FieldCase{"FilledLineSelectedOnTab", "JOHN", false},
                                           FieldCase{"MultiLineBox", "Your Message", true}),
                         byName);

TEST(TextFieldAccessibilityTest, ASingleLineTextIsOneRunFromStartToEnd) {
    QLineEdit field(QStringLiteral("JOHN"));
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(&field)->textInterface();
    ASSERT_NE(text, nullptr);
    int start = -1;
    int end = -1;
    text->attributes(3, &start, &end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, 4)) << "the run at the last letter";
}

} // namespace
} // namespace ssn::widgets::test

Q_IMPORT_PLUGIN(RecordingBridgePlugin)

#include "text_field_events_test.moc"
