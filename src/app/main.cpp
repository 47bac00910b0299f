#include "forms/forms.h"
#include "forms/frmMain.h"
#include "platform/qt/qt_platform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ssn::platform::QtPlatform desktop;
    ssn::forms::Forms forms(desktop.bundle());
    forms.main().show();
    return QApplication::exec();
}
