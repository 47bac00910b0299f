// Actions of assistive technology return at once: a link's Press is a click made once the action
// has returned, and About opens its modal box only after the menu action has returned. (The roles
// themselves are read from the accessibility bus by the end-to-end test screen_reader.sh.)

#include "forms/frmAbout.h"
#include "forms/frmMain.h"
#include "forms/link_label.h"
#include "forms_fixture.h"

#include <QAccessible>
#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace ssn::forms::test {
namespace {

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

class AccessibilityTest : public FormsTest {
protected:
    frmMain& main = forms->main();
};

TEST_F(AccessibilityTest, PressOnALinkIsOneClickMadeAfterTheActionHasReturned) {
    QSignalSpy clicked(main.Label61, &LinkLabel::clicked);
    QAccessibleActionInterface* actions = accessible(main.Label61)->actionInterface();
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicked.count(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(AccessibilityTest, AboutOpensAsAModalDialogAfterTheMenuActionHasReturned) {
    main.show();
    main.mnuAbout->trigger();
    EXPECT_FALSE(forms->isLoaded<frmAbout>());
    bool opened = false;
    bool modal = false;
    QTimer::singleShot(0, &main, [&] {
        opened = forms->isLoaded<frmAbout>();
        modal = accessible(&forms->about())->state().modal;
        forms->about().cmdOK->click();
    });
    EXPECT_TRUE(QTest::qWaitFor([&opened] { return opened; }));
    EXPECT_TRUE(modal);
}

} // namespace
} // namespace ssn::forms::test
