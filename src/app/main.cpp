#include "forms/forms.h"
#include "forms/frmNagScreen.h"
#include "platform/qt/qt_platform.h"
#include "widgets/application_setup.h"

#include <QApplication>

#ifndef Q_OS_WIN
#include "platform/qt/user_folders.h"
#endif

int main(int argc, char* argv[]) {
#ifndef Q_OS_WIN
    // Before the application object makes its runtime folder and connects to a session bus.
    ssn::platform::keepRootOutOfAnotherUsersFolders();
#endif
    QApplication application(argc, argv);
    ssn::widgets::setUpApplication();
    ssn::platform::QtPlatform desktop;
    ssn::forms::Forms forms(desktop.bundle());
    // Loading the start-up form is the start-up: it shows the main window, or refuses a second copy.
    forms.nagScreen();
    return QApplication::exec();
}
