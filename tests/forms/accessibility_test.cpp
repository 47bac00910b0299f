// What assistive technology is given: link labels are links whose Press is a click made once the
// action has returned, borderless containers only group their controls, and windows are windows
// or, for the About box, a modal dialog.

#include "forms/frmAbout.h"
#include "forms/frmMain.h"
#include "forms/link_label.h"
#include "forms_fixture.h"

#include <QAccessible>
#include <QAction>
#include <QFrame>
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

TEST_F(AccessibilityTest, ControlsAndWindowsHaveTheirRoles) {
    const std::vector<std::pair<QObject*, QAccessible::Role>> roles = {
        {main.Label61, QAccessible::Link},    {main.lblFullBrand, QAccessible::Link},
        {main.Frame2, QAccessible::Grouping}, {main.fraFullBrand, QAccessible::Grouping},
        {&main, QAccessible::Window},         {&forms->about(), QAccessible::Dialog}};
    for (const auto& [object, role] : roles) {
        EXPECT_EQ(accessible(object)->role(), role) << object->metaObject()->className();
    }
}

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
