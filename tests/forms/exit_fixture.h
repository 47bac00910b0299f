#pragma once

// The program started over the doubles as it really starts (the start-up form loaded, the
// main window up), the ways to reach the exit screen, and literal copies of its texts.

#include "expected_texts.h"
#include "forms/frmMain.h"
#include "forms/frmNagScreen.h"
#include "forms/frmNagScreen2.h"
#include "forms_fixture.h"

#include <QApplication>
#include <QString>
#include <QTest>
#include <array>
#include <typeinfo>

namespace ssn::forms::test::exit {

using expected::kMessageCaption;
using expected::kRunTimeCaption;
using expected::kSupportMessages;
inline const QString kNoSpace = QStringLiteral("Email Address Cannot Contain Space");

inline const QString kReferralPage = QStringLiteral(
    "https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=vlzs-refer-a-friend");
using expected::kHomePage;
inline const QString kSoftwareDownloadsPage =
    QStringLiteral("https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=zorvicsoftwares");

// How many loaded windows are of class F (never more than one may be).
template <class F> int loadedCount(const Forms& forms) {
    int count = 0;
    for (const Form* form : forms.loaded()) {
        if (typeid(*form) == typeid(F)) {
            ++count;
        }
    }
    return count;
}

class ExitTest : public FormsTest {
protected:
    // The program's start: the start-up form loads, shows the main window and hides itself.
    void SetUp() override {
        forms->nagScreen();
        ASSERT_TRUE(forms->isLoaded<frmMain>());
    }

    frmMain& main() { return forms->main(); }

    // File, Exit on the main window, as the menu runs it.
    frmNagScreen2& exitByFileExit() {
        control<QAction>(main(), "mnuExit")->trigger();
        return forms->nagScreen2();
    }

    // The exit screen opened by File, Exit and made the active window, so that the focus
    // moves as it does under the user's hands.
    frmNagScreen2& openExitScreen() {
        frmNagScreen2& screen = exitByFileExit();
        flushDeferredDeletes();
        activate(screen);
        return screen;
    }

    static void activate(QWidget& window) {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

} // namespace ssn::forms::test::exit
