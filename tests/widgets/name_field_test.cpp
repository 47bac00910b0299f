// The name fields: every a..z upper-cased however it enters the field, typed, pasted, inserted
// or set, and undo and redo stepping through the upper-cased edits as in any other field.

#include "doubles/named_rows.h"
#include "widgets/name_field.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace ssn::widgets::test {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

// A name field with the focus in an active window, as a person types into it.
class NameFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        makeNameField(field);
        field.show();
        field.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&field));
        field.setFocus();
    }

    QLineEdit field;
};

struct TypingCase {
    const char* name;
    QString typed;
    QString shown;
};

class NameFieldKeyTest : public NameFieldTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(NameFieldKeyTest, TypedLettersAreUpperCasedAndEverythingElsePasses) {
    for (const QChar character : GetParam().typed) {
        // keyClicks cannot send characters beyond ASCII; a key event with the text can.
        QTest::sendKeyEvent(QTest::Click, &field, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
    EXPECT_EQ(field.text(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Keys, NameFieldKeyTest,
                         ::testing::Values(TypingCase{"LowerCase", "smith", "SMITH"},
                                           TypingCase{"Mixed", "McDonald", "MCDONALD"},
                                           TypingCase{"OthersUnchanged", "o'brien-2 x", "O'BRIEN-2 X"},
                                           TypingCase{"AccentedUnchanged", QStringLiteral("é\u00df\u00e4"),
                                                      QStringLiteral("é\u00df\u00e4")}),
                         byName);

TEST_F(NameFieldTest, PastedAndInsertedTextIsUpperCasedToo) {
    QApplication::clipboard()->setText(QStringLiteral("john smith é"));
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), QStringLiteral("JOHN SMITH é"));

    field.insert(QStringLiteral(" anne-marie"));
    EXPECT_EQ(field.text(), QStringLiteral("JOHN SMITH é ANNE-MARIE"));
    field.setText(QStringLiteral("o'neil"));
    EXPECT_EQ(field.text(), "O'NEIL");
}

// Upper-cased on the way in, the text is the field's own edit: undo and redo step through it. A
// paste is one step of its own after the typing before it; typing, as in any field, joins it.
struct UndoCase {
    const char* name;
    std::function<void(QLineEdit&)> enter; // "mr " after the "john" just typed
    QString afterUndo;
};

class NameFieldUndoTest : public NameFieldTest, public ::testing::WithParamInterface<UndoCase> {};

TEST_P(NameFieldUndoTest, UndoAndRedoStepThroughTheUpperCasedEdits) {
    QTest::keyClicks(&field, "john");
    GetParam().enter(field);
    ASSERT_EQ(field.text(), "JOHNMR ");

    QTest::keySequence(&field, QKeySequence::Undo);
    EXPECT_EQ(field.text(), GetParam().afterUndo);
    QTest::keySequence(&field, QKeySequence::Redo);
    EXPECT_EQ(field.text(), "JOHNMR ");
}

INSTANTIATE_TEST_SUITE_P(
    Entries, NameFieldUndoTest,
    ::testing::Values(UndoCase{"Typed", [](QLineEdit& f) { QTest::keyClicks(&f, "mr "); }, ""},
                      UndoCase{"Pasted",
                               [](QLineEdit& f) {
                                   QApplication::clipboard()->setText(QStringLiteral("mr "));
                                   QTest::keySequence(&f, QKeySequence::Paste);
                               },
                               "JOHN"},
                      UndoCase{"PastedFromTheContextMenu",
                               [](QLineEdit& f) {
                                   QApplication::clipboard()->setText(QStringLiteral("mr "));
                                   QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                                           f.mapToGlobal(QPoint(5, 5)));
                                   QApplication::sendEvent(&f, &event);
                                   auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                                   ASSERT_NE(menu, nullptr);
                                   for (QAction* action : menu->actions()) {
                                       if (action->text().startsWith(QStringLiteral("&Paste"))) {
                                           action->trigger();
                                       }
                                   }
                                   menu->close();
                               },
                               "JOHN"},
                      UndoCase{"FromAnInputMethod",
                               [](QLineEdit& f) {
                                   QInputMethodEvent commit;
                                   commit.setCommitString(QStringLiteral("mr "));
                                   QApplication::sendEvent(&f, &commit);
                               },
                               ""}),
    byName);

} // namespace
} // namespace ssn::widgets::test
