// The two programs that the start-up benchmark starts as fresh processes, as modes of one
// executable so that both load the same libraries:
//   startup_child label <fd>    the least toolkit program that shows text: one label
//   startup_child program <fd>  the program's own start, exactly as its executable does it
// Each writes one line to the file descriptor <fd> once its first window has been painted
// (see first_paint_report.h). The plain implementation of the same window is startup_plain.

#include "forms/forms.h"
#include "forms/frmMain.h"
#include "forms/frmNagScreen.h"
#include "platform/qt/qt_platform.h"
#include "startup/first_paint_report.h"
#include "widgets/application_setup.h"

#include <QApplication>
#include <QLabel>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using ssn::bench::FirstPaintReport;

int showLabel(int argc, char** argv, int fd) {
    QApplication application(argc, argv);
    FirstPaintReport report(
        fd, [](const QWidget& window) { return qobject_cast<const QLabel*>(&window) != nullptr; });
    QLabel label(QStringLiteral("VL Subconscious Self Number"));
    label.show();
    return QApplication::exec();
}

// The same steps as the program's main(), up to the main window's first paint.
int startProgram(int argc, char** argv, int fd) {
    QApplication application(argc, argv);
    ssn::widgets::setUpApplication();
    ssn::platform::QtPlatform desktop;
    ssn::forms::Forms forms(desktop.bundle());
    FirstPaintReport report(fd, [](const QWidget& window) {
        return qobject_cast<const ssn::forms::frmMain*>(&window) != nullptr;
    });
    forms.nagScreen();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: startup_child label|program <report-fd>\n");
        return 2;
    }
    const int fd = std::atoi(argv[2]);
    if (std::strcmp(argv[1], "label") == 0) {
        return showLabel(argc, argv, fd);
    }
    if (std::strcmp(argv[1], "program") == 0) {
        return startProgram(argc, argv, fd);
    }
    std::fprintf(stderr, "startup_child: unknown mode %s\n", argv[1]);
    return 2;
}
