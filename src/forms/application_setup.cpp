#include "forms/application_setup.h"

#include "forms/accessibility.h"
#include "forms/application_icon.h"
#include "forms/built_in_bitmaps_style.h"

#include <QApplication>

namespace ssn::forms {

void SetUpApplication() {
    QApplication::setStyle(new BuiltInBitmapsStyle);
    QApplication::setWindowIcon(ApplicationIcon());
    // Lets desktops match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("vl-subconscious-self-number"));
    // Closing a window hands over to the exit screen, whose closing ends the process; no
    // window closing may stop the event loop.
    QApplication::setQuitOnLastWindowClosed(false);
    // Links, panels and windows as screen readers should see them.
    InstallAccessibleInterfaces();
}

} // namespace ssn::forms
