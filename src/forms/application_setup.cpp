#include "forms/application_setup.h"

#include "forms/application_icon.h"
#include "forms/program_style.h"

#include <QApplication>

namespace ssn::forms {

void SetUpApplication() {
    QApplication::setStyle(new ProgramStyle);
    QApplication::setWindowIcon(ApplicationIcon());
    // Lets desktops match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("vl-subconscious-self-number"));
    // Closing a window hands over to the exit screen, whose closing ends the process; no
    // window closing may stop the event loop.
    QApplication::setQuitOnLastWindowClosed(false);
}

} // namespace ssn::forms
