#include "forms/application_icon.h"
#include "forms/built_in_bitmaps_style.h"
#include "forms/forms.h"
#include "forms/frmNagScreen.h"
#include "platform/qt/qt_platform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The desktop's own style, reading its bitmaps without loading every image plugin.
    QApplication::setStyle(new ssn::forms::BuiltInBitmapsStyle);
    // Message boxes and any window without an icon of its own show the program's icon too.
    QApplication::setWindowIcon(ssn::forms::ApplicationIcon());
    // The program ends only through EndProgram: closing a window hands over to the exit
    // screen, whose closing ends the process. No window closing may stop the event loop.
    QApplication::setQuitOnLastWindowClosed(false);
    ssn::platform::QtPlatform desktop;
    ssn::forms::Forms forms(desktop.bundle());
    // Loading the start-up form is the start-up: it shows the main window, or refuses a second copy.
    forms.nagScreen();
    return QApplication::exec();
}
